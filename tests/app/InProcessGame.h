#pragma once
// The game as its own program would run, in a test binary's process of its
// own (a DISABLED_ helper test that a test starts), so that the helper can
// act as the player's hand from a thread beside it.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/DesktopSupport.h"

// Ends the game as closing its window does: the test that fed it is gone.
inline void QuitInProcessGame() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

// Runs the game on `folder` under --verbose; the process ends with it.
[[noreturn]] inline void RunInProcessGame(const std::string& folder) {
  std::string dir = folder;
  std::string args[] = {"vorlumen", "--game-dir", dir, "--verbose"};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), nullptr};
  // Not every stream: a flush of all waits for one that the helper's
  // reader holds in its read until a key comes, and none comes before the
  // game draws.
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(RunVorlumen(4, argv));
}

// Starts this binary's DISABLED_ test `helper` as a process of its own on
// `display` ("" keeps the caller's), its standard error and its test's own
// words (a child that fails before the game says anything) into `errPath`.
// What the caller writes to `writer` the helper reads on descriptor 3.
// The child's pid, or -1 with `writer` -1.
inline pid_t SpawnInProcessGame(const std::string& helper, const std::string& display, const std::string& errPath,
                                std::vector<std::string> env, int& writer) {
  writer = -1;
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  // Made descriptor 3 in the child, which it must not be here already:
  // there, it would stay marked to close at the child's start.
  const int reader = fcntl(pipeFds[0], F_DUPFD_CLOEXEC, 10);
  close(pipeFds[0]);
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  char self[4096] = {};
  if (reader < 0 || err < 0 || readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
    for (int fd : {reader, err, pipeFds[1]})
      if (fd >= 0) close(fd);
    return -1;
  }
  const std::string suppressions = errPath + ".lsan";
  std::ofstream(suppressions) << "leak:libdbus-1.so\n";
  env.push_back("LSAN_OPTIONS=suppressions=" + suppressions + ":print_suppressions=0");
  const pid_t pid = desktop::Spawn({self, "--gtest_filter=" + helper, "--gtest_also_run_disabled_tests", "--gtest_brief=1"},
                                   display, err, reader, err, env);
  close(reader);
  close(err);
  writer = pipeFds[1];
  return pid;
}
