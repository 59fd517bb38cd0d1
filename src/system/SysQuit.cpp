#include "system/SysQuit.h"

#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace {

// A request to end, from its signal to the end of the process: the main
// loop takes it within a frame; this is how long the game has to get there,
// or start-up to move on a step.
constexpr long QuitGraceMs = 600;
// The clean-up once the run is kept: a few milliseconds when all is well.
constexpr long EndingBoundMs = 1500;

std::atomic<int> Stage{static_cast<int>(SysStage::Starting)};
std::atomic<int> EndStatus{0};
volatile std::sig_atomic_t QuitRequested = 0;
// The bound ran out while the run was being written: end once it is.
volatile std::sig_atomic_t Overdue = 0;
std::atomic<bool> Armed{false};
std::atomic<unsigned> StartUpSteps{0};
std::atomic<unsigned> StepsSeen{0};
timer_t Timer{};
bool HaveTimer = false;

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "read in signal handlers");

SysStage StageNow() { return static_cast<SysStage>(Stage.load()); }

// Only async-signal-safe calls from here to the end of the namespace.

void Set(long ms) {
  itimerspec when{};
  when.it_value.tv_sec = ms / 1000;
  when.it_value.tv_nsec = (ms % 1000) * 1'000'000;
  timer_settime(Timer, 0, &when, nullptr);
}

// The bound from now; a bound already running is kept.
void Arm(long ms) {
  if (!HaveTimer || Armed.exchange(true)) return;
  StepsSeen = StartUpSteps.load();
  Set(ms);
}

void Disarm() {
  if (!HaveTimer) return;
  const itimerspec never{};
  timer_settime(Timer, 0, &never, nullptr);
  Armed = false;
}

// "/proc/self/task/<pid>/children": the main thread forks every child of
// the game (the renderer check, SDL's message box).
void KillChildren() {
  char path[64] = "/proc/self/task/";
  char digits[16];
  int count = 0;
  for (long pid = getpid(); pid > 0 && count < 15; pid /= 10) digits[count++] = static_cast<char>('0' + pid % 10);
  int at = 16;
  while (count > 0) path[at++] = digits[--count];
  for (const char* tail = "/children"; *tail;) path[at++] = *tail++;
  path[at] = '\0';
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  char buffer[4096];
  long pid = 0;
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] >= '0' && buffer[i] <= '9') {
        pid = pid * 10 + (buffer[i] - '0');
      } else {
        if (pid > 0) kill(static_cast<pid_t>(pid), SIGKILL);
        pid = 0;
      }
    }
  }
  if (pid > 0) kill(static_cast<pid_t>(pid), SIGKILL);
  close(fd);
}

extern "C" void OnQuitSignal(int) {
  QuitRequested = 1;
  switch (StageNow()) {
    case SysStage::Ending:
    case SysStage::Telling:
      SysEndAtOnce(EndStatus.load());
    case SysStage::Ended:
      return;
    default:
      Arm(QuitGraceMs);
  }
}

extern "C" void OnOverdue(int) {
  switch (StageNow()) {
    case SysStage::Starting:
      if (const unsigned steps = StartUpSteps.load(); steps != StepsSeen.load()) {
        StepsSeen = steps;
        Set(QuitGraceMs);
        return;
      }
      SysEndAtOnce(EndStatus.load());
    case SysStage::Keeping:
      Overdue = 1;
      return;
    case SysStage::Ended:
      return;
    default:
      SysEndAtOnce(EndStatus.load());
  }
}

}  // namespace

void SysEndAtOnce(int status) {
  KillChildren();
  _exit(status);
}

void SysCatchQuitSignals() {
  if (!HaveTimer) {
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGALRM;
    HaveTimer = timer_create(CLOCK_MONOTONIC, &event, &Timer) == 0;
  }
  struct sigaction action {};
  sigemptyset(&action.sa_mask);
  action.sa_handler = OnOverdue;
  sigaction(SIGALRM, &action, nullptr);
  action.sa_handler = OnQuitSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void SysEnterStage(SysStage stage, int status) {
  EndStatus = status;
  Stage = static_cast<int>(stage);
  if (stage == SysStage::Ending) {
    if (Overdue) SysEndAtOnce(status);
    Arm(EndingBoundMs);
  }
  if (stage == SysStage::Ended) Disarm();
}

void SysStartUpMovedOn() { ++StartUpSteps; }

bool SysTakeQuitRequest() {
  if (!QuitRequested) return false;
  QuitRequested = 0;
  return true;
}
