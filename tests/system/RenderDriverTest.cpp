// Which renderer a machine gets: a CPU rasteriser is told apart from
// hardware by its renderer string, a machine with no graphics device is
// told without asking, and the child that asks holds nothing of the game's.
#include <gtest/gtest.h>

#include <SDL.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Needs.h"
#include "platform/SaveTestSupport.h"
#include "system/SysInstance.h"
#include "system/SysRenderDriver.h"

namespace {

TEST(RenderDriver, ACpuRasteriserIsToldByItsRendererString) {
  const struct {
    const char* Renderer;
    bool OnTheCpu;
  } cases[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"softpipe", true},
      {"Software Rasterizer", true},
      {"Mesa X11 swrast", true},
      {"SwiftShader Device (Subzero)", true},
      {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
      {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
      {"", false},
      {nullptr, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SysIsCpuRasteriserName(c.Renderer), c.OnTheCpu) << (c.Renderer ? c.Renderer : "(none)");
}

TEST(RenderDriver, AGraphicsDeviceIsToldByItsDeviceNodes) {
  const std::vector<std::string> plain = {"null", "zero", "tty0", "shm", "input", "snd", "dri"};
  const struct {
    std::vector<std::string> Extra;
    bool Card;
  } cases[] = {
      {{}, false},
      {{"dri/card0", "dri/by-path"}, false},  // a display controller alone
      {{"renderD128"}, false},                // only under dri/ is it a render node
      {{"dri/card0", "dri/renderD128"}, true},
      {{"dri/renderD129"}, true},
      {{"nvidia0", "nvidiactl", "nvidia-modeset"}, true},
      {{"nvidiactl"}, true},
      {{"dxg"}, true},
      {{"mali0"}, true},
      {{"kgsl-3d0"}, true},
      {{"galcore"}, true},
      {{"pvrsrvkm"}, true},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names = plain;
    names.insert(names.end(), c.Extra.begin(), c.Extra.end());
    std::string shown;
    for (const auto& name : c.Extra) shown += name + " ";
    EXPECT_EQ(SysDevicesShowGraphicsCard(names), c.Card) << shown;
  }
}

// The whole check with the machine's devices and the display's answer
// given, as the game runs it: in a process of its own where SDL has not
// started. Where a graphics device is seen the child is asked, and only a
// name it gives of a graphics device keeps the accelerated renderer; where
// none is, nothing is asked.
std::optional<std::vector<std::string>> GivenDevices;
std::optional<std::vector<std::string>> ListGiven() { return GivenDevices; }
std::string AnswerLlvmpipe() { return "llvmpipe (LLVM 15.0.6, 256 bits)"; }
std::string AnswerRadeon() { return "AMD Radeon RX 6600 (navi23)"; }
// Indirect GLX that makes a context but names nothing.
std::string AnswerNothing() { return ""; }
// As Xlib ends a process on an X error (a server refusing indirect GLX).
std::string DieOfAnXError() { _exit(1); }
std::string AnswerRadeonLate() {
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  return AnswerRadeon();
}

struct CheckCase {
  const char* What;
  std::optional<std::vector<std::string>> Devices;
  SysChildQuestion::Question Display;
  bool Software;
  // Set beside DISPLAY=:99; a null value unsets the variable.
  std::vector<std::pair<const char*, const char*>> Environment = {};
  int TimeLimitMs = 0;
  bool VideoUp = false;
};

// How many cases chose otherwise, each named on stderr.
int RunCheckCases() {
  const std::vector<std::string> gpu = {"null", "dri/card0", "dri/renderD128"};
  const std::vector<std::string> none = {"null", "tty0"};
  const CheckCase cases[] = {
      {"a GPU's name", gpu, AnswerRadeon, false},
      {"a CPU rasteriser's name", gpu, AnswerLlvmpipe, true},
      {"an empty answer", gpu, AnswerNothing, true},
      {"a child ended by an X error", gpu, DieOfAnXError, true},
      {"no answer in time", gpu, AnswerRadeonLate, true, {}, 200},
      // /dev unreadable: nothing to tell from, so the display is asked.
      {"/dev unreadable, a GPU's name", std::nullopt, AnswerRadeon, false},
      {"/dev unreadable, a CPU rasteriser's name", std::nullopt, AnswerLlvmpipe, true},
      // No device: not asked (it would have said Radeon).
      {"no device", none, AnswerRadeon, true},
      // Indirect OpenGL is drawn by the display's machine: asked.
      {"indirect, a GPU's name", none, AnswerRadeon, false, {{"LIBGL_ALWAYS_INDIRECT", "1"}}},
      {"indirect, an empty answer", none, AnswerNothing, true, {{"LIBGL_ALWAYS_INDIRECT", "1"}}},
      // A named render driver, no display, or an unseen video driver:
      // nothing is decided for the player.
      {"a render driver named", none, AnswerLlvmpipe, false, {{"SDL_RENDER_DRIVER", "opengl"}}},
      {"the offscreen driver", none, AnswerLlvmpipe, false, {{"SDL_VIDEODRIVER", "offscreen"}}},
      {"no display", none, AnswerLlvmpipe, false, {{"DISPLAY", nullptr}}},
      // Nothing forks once SDL's video is up: not asked.
      {"SDL's video up", gpu, AnswerLlvmpipe, false, {}, 0, true},
  };
  int wrong = 0;
  for (const CheckCase& c : cases) {
    for (const char* name : {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_RENDER_DRIVER", "LIBGL_ALWAYS_INDIRECT"}) unsetenv(name);
    setenv("DISPLAY", ":99", 1);
    for (const auto& [name, value] : c.Environment)
      if (value) setenv(name, value, 1);
      else unsetenv(name);
    if (c.VideoUp) {
      SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 100;
    }
    GivenDevices = c.Devices;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "");
    SysRestartRenderDriverCheck(ListGiven, c.Display, c.TimeLimitMs);
    SysStartRenderDriverCheck();
    SysChooseRenderDriver();
    const char* hint = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool software = hint && std::string(hint) == "software";
    if (software != c.Software) {
      std::fprintf(stderr, "%s: %s\n", c.What, software ? "software" : "not software");
      ++wrong;
    }
    if (c.VideoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  return wrong;
}

TEST(RenderDriverCheck, OnlyAGraphicsDevicesNameKeepsTheAcceleratedRenderer) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(RunCheckCases()), ::testing::ExitedWithCode(0), "");
}

// What the child holds: "fd:target" lines for every descriptor it has open.
std::string ListOwnDescriptors() {
  std::string list;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return "no /proc";
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == dirfd(dir)) continue;
    char target[256] = {};
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    if (readlink(link.c_str(), target, sizeof target - 1) < 0) continue;
    list += std::string(entry->d_name) + ":" + target + "\n";
  }
  closedir(dir);
  return list;
}

std::string Hang() {
  for (;;) pause();
}

std::string AnswerLate() {
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return "llvmpipe (LLVM 15.0.6, 256 bits)";
}

// A folder of its own for the instance lock, removed at the end.
class ChildQuestion : public ::testing::Test {
protected:
  TempGameFolder Folder;
  const std::string& folder = Folder.Path;
};

TEST_F(ChildQuestion, TheChildHoldsNothingButItsPipe) {
  CInstanceLock lock;
  ASSERT_TRUE(lock.Acquire(folder));
  const int file = open("/proc/self/status", O_RDONLY);  // without close-on-exec
  const int high = dup2(file, 200);
  ASSERT_GE(high, 0);
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(ListOwnDescriptors, 3000));
  const std::string held = question.Answer();
  close(file);
  close(high);
  EXPECT_EQ(held.substr(0, held.find("3:")), "0:/dev/null\n1:/dev/null\n2:/dev/null\n");
  EXPECT_EQ(held.substr(held.find("3:"), 7), "3:pipe:") << held;
  EXPECT_EQ(std::count(held.begin(), held.end(), '\n'), 4) << held;
}

TEST_F(ChildQuestion, AHungChildKeepsNotTheGamesName) {
  // The socket above the descriptors the child sets up for itself.
  int before[4];
  for (int& fd : before) fd = open("/dev/null", O_RDONLY);
  auto lock = std::make_unique<CInstanceLock>();
  ASSERT_TRUE(lock->Acquire(folder));
  for (int fd : before) close(fd);
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(Hang, 5000));
  const pid_t child = question.ChildId();
  // The game gone, the hung child must not keep its name.
  lock.reset();
  CInstanceLock next;
  bool free = false;
  for (int i = 0; i < 100 && !free; ++i) {
    free = next.Acquire(folder);
    if (!free) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(free);
  EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0);  // still hanging
  question.Stop();
  errno = 0;
  EXPECT_EQ(kill(child, 0), -1);  // reaped: not even a zombie is left
  EXPECT_EQ(errno, ESRCH);
}

TEST_F(ChildQuestion, AHungChildIsKilledAndReapedAtItsTimeLimit) {
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(Hang, 200));  // its own alarm comes at 1 s
  const pid_t child = question.ChildId();
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(question.Answer(), "");
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(800));
  EXPECT_FALSE(question.Running());
  errno = 0;
  EXPECT_EQ(kill(child, 0), -1);
  EXPECT_EQ(errno, ESRCH);
}

// A child whose end reaches its parent late, as one stuck in a driver call
// dies only when the call returns: a tracer of its own holds the news of
// its death back for a while (a traced child's end goes to its tracer
// first), then lets go.
constexpr int HeldBackMs = 1500;
std::string DieLate() {
  const pid_t traced = getpid();
  if (fork() == 0) {
    if (ptrace(PTRACE_SEIZE, traced, nullptr, nullptr) != 0) _exit(1);
    siginfo_t ended{};
    while (waitid(P_PID, static_cast<id_t>(traced), &ended, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(HeldBackMs));
    _exit(0);
  }
  for (;;) pause();
}

// Whether the process is traced, from /proc.
bool Traced(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("TracerPid:", 0) == 0) return std::atoi(line.c_str() + 10) != 0;
  return false;
}

TEST_F(ChildQuestion, AChildThatDiesLateIsReapedLaterWithoutWaiting) {
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(DieLate, 10000));
  const pid_t child = question.ChildId();
  bool traced = false;
  for (int i = 0; i < 500 && !traced; ++i) {
    traced = Traced(child);
    if (!traced) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  VORLUMEN_NEED(traced ? "" : "a process that may trace another");
  const auto stopped = std::chrono::steady_clock::now();
  question.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(HeldBackMs / 2)) << "Stop waited";
  EXPECT_FALSE(question.Running());
  EXPECT_EQ(SysChildQuestion::ReapKilled(), 1) << "the child's end came before the wait was over";
  bool reaped = false;
  for (int i = 0; i < 1000 && !reaped; ++i) {
    reaped = SysChildQuestion::ReapKilled() == 0;
    if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(reaped);
  errno = 0;
  EXPECT_EQ(kill(child, 0), -1);  // not even a zombie is left
  EXPECT_EQ(errno, ESRCH);
}

TEST_F(ChildQuestion, AChildNobodyCollectsEndsItselfWhenItsTimeIsUp) {
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(Hang, 1000));
  const pid_t child = question.ChildId();
  int status = 0;
  pid_t ended = 0;
  for (int i = 0; i < 500 && ended == 0; ++i) {
    ended = waitpid(child, &status, WNOHANG);
    if (ended == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(ended, child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) << status;
}

volatile sig_atomic_t Interruptions = 0;
void CountInterruption(int) { Interruptions = Interruptions + 1; }

TEST_F(ChildQuestion, SignalsWhileWaitingCutNoAnswerShort) {
  // As the game's quit signals do: a handler without SA_RESTART, so that
  // every wait and read in between is interrupted.
  struct sigaction count {}, before {};
  count.sa_handler = CountInterruption;
  sigemptyset(&count.sa_mask);
  ASSERT_EQ(sigaction(SIGALRM, &count, &before), 0);
  itimerval often{{0, 2000}, {0, 2000}}, off{};
  Interruptions = 0;
  SysChildQuestion question;
  ASSERT_TRUE(question.Start(AnswerLate, 3000));
  setitimer(ITIMER_REAL, &often, nullptr);
  const std::string answer = question.Answer();
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &before, nullptr);
  EXPECT_GT(Interruptions, 10);
  EXPECT_EQ(answer, "llvmpipe (LLVM 15.0.6, 256 bits)");
}

}  // namespace
