// A request to end (SIGTERM) met at each stage of the game's life, in a
// child process that stands in for the game: it is ended by the bound
// however busy it keeps, never while it writes the run, and whatever it
// forked goes with it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/ProgramRunner.h"
#include "system/SysQuit.h"

namespace {

// A hang outlasts this on any machine; the ends looked for take under 2 s.
constexpr int HangMs = 30000;

enum class Act {
  KeepBusy,          // start-up goes on step after step and never gets to the loop
  WriteOverTheBound, // the run is written for longer than the bound, then the clean-up starts
  SlowLoop,          // the main loop takes the request, then needs longer than the bound to write the run
  Tell,              // a failed start shown to the player
  Leave,             // all is kept and main returns with status 5
};

struct Outcome {
  int Status = -1;       // exit status, 128 + signal, or -1: still running at the bound
  std::string Said;      // what the child wrote to its pipe before it ended
  bool GrandchildLeft = false;
};

Outcome RunChild(Act act) {
  int pipeFds[2];
  Outcome outcome;
  if (pipe(pipeFds) != 0) return outcome;
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    const int out = pipeFds[1];
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      close(out);
      for (;;) pause();
    }
    (void)!write(out, &grandchild, sizeof grandchild);
    SysCatchQuitSignals();
    if (act == Act::Tell) SysEnterStage(SysStage::Telling, 1);
    if (act == Act::Leave) SysEnterStage(SysStage::Ended, 5);
    if (act == Act::SlowLoop) SysEnterStage(SysStage::Playing);
    raise(SIGTERM);
    if (act == Act::SlowLoop) {
      if (!SysTakeQuitRequest()) _exit(4);
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
      SysEnterStage(SysStage::Keeping);
      (void)!write(out, "written", 7);
      SysEnterStage(SysStage::Ending);
      (void)!write(out, " and cleaned up", 15);
      kill(grandchild, SIGKILL);  // a clean end ends what it started itself
      _exit(3);
    }
    if (act == Act::WriteOverTheBound) {
      SysEnterStage(SysStage::Keeping);
      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
      (void)!write(out, "written", 7);
      SysEnterStage(SysStage::Ending);
      (void)!write(out, " and cleaned up", 15);
      _exit(3);
    }
    // Steps of a start-up that takes its time: each looks for the request
    // and goes on regardless.
    for (;;) {
      (void)SysQuitRequested();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  close(pipeFds[1]);
  pid_t grandchild = -1;
  if (read(pipeFds[0], &grandchild, sizeof grandchild) != sizeof grandchild) grandchild = -1;
  int status = 0;
  for (int waited = 0; waited <= HangMs; waited += 10) {
    if (waitpid(child, &status, WNOHANG) == child) {
      outcome.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (outcome.Status == -1) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  char buffer[64];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) outcome.Said.append(buffer, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  if (grandchild > 0) {
    for (int waited = 0; waited <= 5000 && Running(grandchild); waited += 10)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    outcome.GrandchildLeft = Running(grandchild);
    kill(grandchild, SIGKILL);
  }
  return outcome;
}

TEST(SysQuit, ARequestEndsEachStageByItsRule) {
  const struct {
    const char* What;
    Act Do;
    int Status;
    const char* Said;
  } cases[] = {
      // The bound counts from the request, not from start-up's last step.
      {"a start-up that keeps going after the request", Act::KeepBusy, 0, ""},
      // Never cut while writing; ended once it is written.
      {"the run written for longer than the bound", Act::WriteOverTheBound, 0, "written"},
      // A loop that took the request is alive: slow, it still keeps the run.
      {"a main loop slower than the bound", Act::SlowLoop, 3, "written and cleaned up"},
      {"a failed start on show", Act::Tell, 1, ""},
      // Exit handlers may take their time on a loaded machine.
      {"a request once main returns", Act::Leave, 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const Outcome outcome = RunChild(c.Do);
    EXPECT_EQ(outcome.Status, c.Status);
    EXPECT_EQ(outcome.Said, c.Said);
    EXPECT_FALSE(outcome.GrandchildLeft) << "what the game forked outlives it";
  }
}

}  // namespace
