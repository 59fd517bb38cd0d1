// A test that cannot check, because a tool it drives is not installed,
// fails where every tool should be there and skips elsewhere, naming the
// tool either way. The tool is looked up when the test runs: an empty PATH
// hides it from a test binary built where it is installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/DesktopSupport.h"
#include "app/WestonSupport.h"

namespace {

struct NeedCase {
  const char* Ci;
  const char* CheckAll;
  int Status;
  const char* Says;
};

TEST(Needs, AMissingToolFailsWhereTheRunMustCheckAndIsNamedEitherWay) {
  char self[PATH_MAX];
  ASSERT_NE(realpath("/proc/self/exe", self), nullptr);
  desktop::TempFolder empty;
  const NeedCase cases[] = {
      {"true", "", 1, "cannot check, missing: Xvfb"},
      {"", "1", 1, "cannot check, missing: Xvfb"},
      {"", "", 0, "missing: Xvfb"},
  };
  for (const NeedCase& c : cases) {
    SCOPED_TRACE(std::string("CI=") + c.Ci + " VORLUMEN_TESTS_CHECK_ALL=" + c.CheckAll);
    const std::vector<std::string> env{"PATH=" + empty.Path, std::string("CI=") + c.Ci,
                                       std::string("VORLUMEN_TESTS_CHECK_ALL=") + c.CheckAll};
    const desktop::ToolRun run =
        desktop::RunTool({self, "--gtest_filter=X11Errors.AnErrorNobodyWaitsForIsCountedNamedOnlyWhenAskedAndPlayGoesOn"}, "", 60000, env);
    EXPECT_EQ(run.Status, c.Status) << run.Out;
    EXPECT_NE(run.Out.find(c.Says), std::string::npos) << run.Out;
    if (c.Status == 0) {
      EXPECT_NE(run.Out.find("[  SKIPPED ] 1 test"), std::string::npos) << run.Out;
    }
  }
}

TEST(Needs, AToolIsFoundOnThePathOfTheRunNotOfTheBuild) {
  desktop::TempFolder bin;
  const desktop::ToolPath tool{"vorlumen-needs-probe"};
  const std::string file = bin.File(tool.Name);
  const char* saved = std::getenv("PATH");
  const std::string before = saved ? saved : "";
  ASSERT_EQ(setenv("PATH", (bin.Path + ":" + before).c_str(), 1), 0);
  EXPECT_FALSE(tool.Found());
  std::ofstream(file) << "#!/bin/sh\n";
  ASSERT_EQ(chmod(file.c_str(), 0755), 0);
  EXPECT_EQ(tool.Path(), file);
  ASSERT_EQ(setenv("PATH", before.c_str(), 1), 0);
  EXPECT_FALSE(tool.Found());
}

// ctest marks a test skipped by gtest's own closing report only: a failing
// test whose output quotes "[  SKIPPED ]" (a child run's report, say) is
// a failure.
TEST(TestReport, OnlyTheTestsOwnSkipReportMarksItSkipped) {
  char self[PATH_MAX];
  ASSERT_NE(realpath("/proc/self/exe", self), nullptr);
  desktop::TempFolder folder;
  std::ofstream(folder.File("CTestTestfile.cmake"))
      << "set(TESTS_EXE [==[" << self << "]==])\nset(TESTS_DIR [==[" << folder.Path
      << "]==])\nset(TESTS_ENV \"\")\nset(TESTS_FILTER TestReport.DISABLED_*)\ninclude([==[" VORLUMEN_TEST_SOURCE_DIR
         "/AddTests.cmake]==])\n";
  const std::string cmake = VORLUMEN_CMAKE;
  const desktop::ToolRun run =
      desktop::RunTool({cmake.substr(0, cmake.rfind('/') + 1) + "ctest", "--test-dir", folder.Path}, "", 120000);
  const auto said = [&](const std::string& name) {
    const std::size_t at = run.Out.find(name + " ");
    return at == std::string::npos ? std::string() : run.Out.substr(at, run.Out.find('\n', at) - at);
  };
  EXPECT_NE(said("TestReport.DISABLED_FailsQuotingASkipReport").find("Failed"), std::string::npos) << run.Out;
  EXPECT_NE(said("TestReport.DISABLED_Skips").find("Skipped"), std::string::npos) << run.Out;
}

TEST(TestReport, DISABLED_FailsQuotingASkipReport) {
  std::printf("[  PASSED  ] 0 tests.\n[  SKIPPED ] 1 test, listed below:\n[  SKIPPED ] Other.Test\n");
  ADD_FAILURE() << "fails";
}

TEST(TestReport, DISABLED_Skips) { GTEST_SKIP() << "skips"; }

}  // namespace
