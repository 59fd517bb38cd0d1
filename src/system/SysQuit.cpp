#include "system/SysQuit.h"

#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace {

// A request to end, from its signal to the end of the process: the main
// loop takes it within a frame, start-up at its next step; this is how long
// the game has to get there and keep what it holds.
constexpr long QuitGraceMs = 600;
// The clean-up once the run is kept: a few milliseconds when all is well.
constexpr long EndingBoundMs = 1500;

std::atomic<int> Stage{static_cast<int>(SysStage::Starting)};
std::atomic<int> EndStatus{0};
volatile std::sig_atomic_t QuitRequested = 0;
// Stays set once taken: the bound of a request runs to the end of the process.
volatile std::sig_atomic_t EverRequested = 0;
// The bound ran out while the run was being written: end once it is.
volatile std::sig_atomic_t Overdue = 0;
// The main loop took the request: it is alive and on its way to keeping the
// run, only slow (a loaded machine), so its bound is once made longer.
volatile std::sig_atomic_t TakenInPlay = 0;
volatile std::sig_atomic_t GraceLengthened = 0;
std::atomic<bool> Armed{false};
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
  EverRequested = 1;
  switch (StageNow()) {
    case SysStage::Ending:
    case SysStage::Telling:
    case SysStage::Ended:
      SysEndAtOnce(EndStatus.load());
    default:
      Arm(QuitGraceMs);
  }
}

extern "C" void OnOverdue(int) {
  switch (StageNow()) {
    case SysStage::Keeping:
      Overdue = 1;
      return;
    case SysStage::Playing:
      if (TakenInPlay && !GraceLengthened) {
        GraceLengthened = 1;
        Set(QuitGraceMs);
        return;
      }
      SysEndAtOnce(EndStatus.load());
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
  // Left alone, the process's own exit is not cut short; asked to end, it
  // has what is left of the request's bound.
  if (stage == SysStage::Ended && !EverRequested) Disarm();
}

bool SysQuitRequested() { return QuitRequested != 0; }

bool SysTakeQuitRequest() {
  if (!QuitRequested) return false;
  QuitRequested = 0;
  if (StageNow() == SysStage::Playing) TakenInPlay = 1;
  return true;
}
