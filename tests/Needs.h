#pragma once
// What a test needs before it can check anything: a tool, a server, the
// generated module. Where every tool is installed first (CI=true, or the
// test command, which sets VORLUMEN_TESTS_CHECK_ALL=1) a missing need is a
// failure, since a skip there would hide a fault; elsewhere the test skips
// and names what is missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace needs {

inline bool InCi() {
  const char* ci = std::getenv("CI");
  return ci && std::strcmp(ci, "true") == 0;
}

inline bool MustCheck() {
  const char* all = std::getenv("VORLUMEN_TESTS_CHECK_ALL");
  return InCi() || (all && std::strcmp(all, "1") == 0);
}

// "a, b" from the names whose `present` is false.
inline void Add(std::string& missing, bool present, const std::string& name) {
  if (present) return;
  if (!missing.empty()) missing += ", ";
  missing += name;
}

}  // namespace needs

// Fails (where a run must check) or skips the test when `missing` names
// anything. Returns from the calling function, as ASSERT_ does.
#define VORLUMEN_NEED(missing) VORLUMEN_NEED_WHEN(needs::MustCheck(), missing)
#define VORLUMEN_NEED_WHEN(mustCheck, missing)                                                        \
  do {                                                                                                \
    const std::string needMissing_ = (missing);                                                       \
    if (!needMissing_.empty()) {                                                                      \
      if (mustCheck) FAIL() << "cannot check, missing: " << needMissing_;                             \
      GTEST_SKIP() << "missing: " << needMissing_;                                                    \
    }                                                                                                 \
  } while (0)

namespace needs {

// The pictures the build generates, named when they are not there.
inline std::string Module() {
  return access(VORLUMEN_BUILD_DIR "/Resource.dll", R_OK) == 0 ? "" : "the generated Resource.dll";
}

}  // namespace needs
