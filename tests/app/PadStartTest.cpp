// The game started as a player starts it, with a pad plugged in before it
// (SDL's virtual game controller, or a plain joystick), on an X server of
// its own with no window manager or openbox, played by the pad alone: on
// the title the d-pad's down moves the highlight to the rankings and A
// opens them. A key tapped while the game starts leaves the pad playing.
#include <gtest/gtest.h>

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/DesktopSupport.h"
#include "app/InProcessGame.h"
#include "platform/SaveTestSupport.h"
#include "platform/VirtualPad.h"

namespace {

using namespace desktop;

constexpr int StartMs = 60000;
constexpr int StepMs = 30000;

enum class Device { Controller, Joystick };

struct PadSetup {
  Manager Wm;
  Device Pad;
  bool KeyDuringStart;
};

std::string Describe(const PadSetup& s) {
  return std::string(s.Wm == Manager::None ? "NoManager" : "Openbox") +
         (s.Pad == Device::Controller ? "Controller" : "Joystick") + (s.KeyDuringStart ? "KeyTapped" : "");
}
void PrintTo(const PadSetup& s, std::ostream* out) { *out << Describe(s); }
std::string Name(const ::testing::TestParamInfo<PadSetup>& info) { return Describe(info.param); }

class PadStart : public ::testing::TestWithParam<PadSetup> {
protected:
  void SetUp() override {
    const PadSetup& s = GetParam();
    if (!ToolsPresent(s.Wm)) {
      // Where the tests must check, a missing tool is a failure.
      const char* ci = std::getenv("CI");
      if (ci && std::strcmp(ci, "true") == 0) FAIL() << "Xvfb, xdotool or the window manager missing";
      GTEST_SKIP() << "Xvfb, xdotool or the window manager missing";
    }
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    if (access(module.c_str(), R_OK) != 0) GTEST_SKIP() << "no generated Resource.dll to show";
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
    ASSERT_TRUE(X.Start(1920, 1080)) << "Xvfb did not start";
    if (s.Wm != Manager::None) {
      ASSERT_TRUE(X.StartWindowManager(s.Wm, Home.Path)) << "the window manager did not start";
    }
  }
  void TearDown() override {
    if (Presses >= 0) close(Presses);
    KillProgram(Game);
  }

  std::string Log() const { return ReadTextFile(Game.ErrPath); }
  bool WaitForLine(const std::string& line, int timeoutMs = StepMs) const {
    return WaitFor([&] { return Log().find(line) != std::string::npos; }, timeoutMs);
  }

  // This binary's helper below, as the game's own process: the pad is
  // attached before the game starts, and presses its buttons as told on
  // descriptor 3.
  void StartGame() {
    int presses[2];
    ASSERT_EQ(pipe2(presses, O_CLOEXEC), 0);
    // Descriptor 3 in the game must not be 3 here already: it would stay
    // marked to close at the game's start.
    const int reader = fcntl(presses[0], F_DUPFD_CLOEXEC, 10);
    close(presses[0]);
    ASSERT_GE(reader, 0);
    Game.ErrPath = Folder.File("stderr.txt");
    Game.GameDir = Folder.Path;
    const int err = open(Game.ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(err, 0);
    const std::string suppressions = Folder.File("lsan.txt");
    std::ofstream(suppressions) << "leak:libdbus-1.so\n";
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::vector<std::string> env{
        "SDL_AUDIODRIVER=dummy", "VORLUMEN_PAD_GAME_DIR=" + Folder.Path,
        std::string("VORLUMEN_PAD_DEVICE=") + (GetParam().Pad == Device::Controller ? "controller" : "joystick"),
        "LSAN_OPTIONS=suppressions=" + suppressions + ":print_suppressions=0"};
    Game.Pid = Spawn({self, "--gtest_filter=PadGame.DISABLED_TheGameWithAPadFromTheStart",
                      "--gtest_also_run_disabled_tests", "--gtest_brief=1"},
                     X.Display, err, reader, err, env);
    close(reader);
    close(err);
    Presses = presses[1];
  }

  void Press(const char* button) {
    signal(SIGPIPE, SIG_IGN);
    const std::string line = std::string(button) + "\n";
    ASSERT_EQ(write(Presses, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  }

  TempGameFolder Folder;
  TempGameFolder Home;
  XServer X;
  RunningProgram Game;
  int Presses = -1;
};

TEST_P(PadStart, ThePadPlaysTheTitle) {
  const PadSetup& s = GetParam();
  StartGame();
  if (s.KeyDuringStart) {
    // A key while the window is new: it gets focus, and a key event comes.
    std::string id;
    ASSERT_TRUE(WaitFor([&] { return FindGameWindow(X, id); }, StartMs)) << Log();
    X.Tool({Xdotool, "key", "--window", id, "shift"});
  }
  ASSERT_TRUE(WaitForLine("Vorlumen: first frame run", StartMs)) << Log();
  const std::string named = s.Pad == Device::Controller ? "Vorlumen: playing with the pad \"Test pad\" in slot 0\n"
                                                        : "Vorlumen: playing with the joystick \"Test stick\"\n";
  EXPECT_NE(Log().find(named), std::string::npos) << Log();
  ASSERT_TRUE(WaitForLine("Vorlumen: the title takes input")) << Log();
  // NEW GAME is highlighted; one down is RANKING, and A opens it.
  Press("down");
  Press("a");
  ASSERT_TRUE(WaitForLine("Vorlumen: screen 7 opened")) << Log();
  EXPECT_EQ(Log().find("Vorlumen: screen 4 opened"), std::string::npos) << Log();
  close(Presses);
  Presses = -1;
  EXPECT_EQ(WaitForExit(Game, StartMs), 0) << Log();
}

INSTANTIATE_TEST_SUITE_P(Setups, PadStart,
                         ::testing::Values(PadSetup{Manager::None, Device::Controller, false},
                                           PadSetup{Manager::None, Device::Controller, true},
                                           PadSetup{Manager::Openbox, Device::Controller, false},
                                           PadSetup{Manager::Openbox, Device::Controller, true},
                                           PadSetup{Manager::None, Device::Joystick, false},
                                           PadSetup{Manager::Openbox, Device::Joystick, true}),
                         Name);

// The game as its own program would run, in this process, with SDL's
// virtual pad attached as SDL's joysticks start: the buttons named on
// descriptor 3 ("down", "a") are pressed and let go; it ends when the
// descriptor does.
TEST(PadGame, DISABLED_TheGameWithAPadFromTheStart) {
  const char* folder = std::getenv("VORLUMEN_PAD_GAME_DIR");
  const char* device = std::getenv("VORLUMEN_PAD_DEVICE");
  ASSERT_NE(folder, nullptr);
  ASSERT_NE(device, nullptr);
  const bool controller = std::strcmp(device, "controller") == 0;
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  auto pad = std::make_unique<VirtualDevice>(controller);
  ASSERT_TRUE(pad->Attached()) << SDL_GetError();
  std::thread([&pad, controller] {
    FILE* in = fdopen(3, "r");
    char line[32];
    while (in && std::fgets(line, sizeof line, in)) {
      const bool down = std::string(line) == "down\n";
      // Held as a hand holds a button, over a few frames.
      if (down && controller) pad->Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
      if (down && !controller) pad->Hat(SDL_HAT_DOWN);
      if (!down) pad->Button(controller ? SDL_CONTROLLER_BUTTON_A : 0, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      if (down && controller) pad->Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
      if (down && !controller) pad->Hat(SDL_HAT_CENTERED);
      if (!down) pad->Button(controller ? SDL_CONTROLLER_BUTTON_A : 0, false);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    QuitInProcessGame();
  }).detach();
  RunInProcessGame(folder);
}

}  // namespace
