// The real program's window on a real X desktop: full screen granted late
// by a window manager, refused where none runs, and the picture the screen
// then shows. Each test runs its own X server; the game writes what it does
// to its window on --verbose, which the tests follow, and is judged by the
// screen itself.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/DesktopSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

// Bounds for a loaded machine and the sanitizer build; the waits poll and
// end as soon as what they wait for is there.
constexpr int StartMs = 60000;
constexpr int SettleMs = 20000;

class DesktopWindow : public ::testing::Test {
protected:
  void TearDown() override {
    KillProgram(Game);
    X.Stop();
  }

  // An X server of the given size, with openbox or with no window manager.
  void StartDesktop(int width, int height, bool windowManager) {
    if (!ToolsPresent(windowManager)) GTEST_SKIP() << "Xvfb, openbox, xdotool, xwd, xprop or xwininfo missing";
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    if (access(module.c_str(), R_OK) != 0) GTEST_SKIP() << "no generated Resource.dll to show";
    ASSERT_TRUE(X.Start(width, height)) << "Xvfb did not start";
    if (windowManager) {
      ASSERT_TRUE(X.StartWindowManager()) << "openbox did not take the screen";
    }
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
  }

  // The game on that desktop, until its window shows at the size it asks
  // for at start-up (x3 on a first start); returns where it is.
  Rect StartGame(int width = 960, int height = 540) {
    Game = StartGameOn(X, Folder.Path, Logs.File("stderr.txt"));
    Rect window;
    EXPECT_GT(Game.Pid, 0);
    EXPECT_TRUE(WaitFor([&] { return FindGameWindow(X, WindowId); }, StartMs)) << "no window\n" << Log();
    // The size and the place come as two requests: the window is where it
    // stays once two looks agree.
    Rect last;
    EXPECT_TRUE(WaitFor(
        [&] {
          last = window;
          return WindowGeometry(X, WindowId, window) && window.W == width && window.H == height && window == last;
        },
        StartMs))
        << "the window is " << Describe(window) << "\n"
        << Log();
    return window;
  }

  // Ends the game as the window manager's close would; false if it hung or
  // did not end well (a sanitizer's report).
  bool QuitGame() {
    kill(Game.Pid, SIGTERM);
    return WaitForExit(Game, StartMs) == 0;
  }

  std::string Log() const { return ReadTextFile(Logs.File("stderr.txt")); }
  int LinesWith(const std::string& text) const {
    const std::string log = Log();
    int n = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
  }

  // Held for a few frames: a press and release that both fall between two
  // frames of a loaded machine is no press to the game.
  void Press(const std::string& key) {
    ASSERT_EQ(X.Tool({Xdotool, "keydown", "--window", WindowId, key}).Status, 0) << "xdotool keydown " << key;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_EQ(X.Tool({Xdotool, "keyup", "--window", WindowId, key}).Status, 0) << "xdotool keyup " << key;
  }

  // The window moved to the screen's corner and sized from outside, as a
  // tiling window manager or a player's tool does.
  void SizeFromOutside(int width, int height) {
    ASSERT_EQ(X.Tool({Xdotool, "windowmove", WindowId, "0", "0"}).Status, 0);
    ASSERT_EQ(X.Tool({Xdotool, "windowsize", WindowId, std::to_string(width), std::to_string(height)}).Status, 0);
  }

  // F4 with the window manager stopped until `holdMs` after the game asked
  // for full screen, as a slow or loaded desktop answers.
  void FullScreenKeyWithWindowManagerHeld(int holdMs) {
    const int asked = LinesWith("window: full screen asked for");
    X.HoldWindowManager();
    Press("F4");
    const bool seen = WaitFor([&] { return LinesWith("window: full screen asked for") > asked; }, SettleMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    X.ReleaseWindowManager();
    ASSERT_TRUE(seen) << "the game never asked for full screen\n" << Log();
  }

  // Waits until the game's window is `window` on the screen and shows the
  // picture at scale k in `picture` (relative to the window), black around.
  void ExpectShown(const Rect& window, const Rect& picture, int k) {
    Rect seen;
    std::string problem = "never looked";
    WaitFor(
        [&] {
          if (!WindowGeometry(X, WindowId, seen)) return false;
          if (!(seen == window)) {
            problem = "the window is " + Describe(seen);
            return false;
          }
          Screen screen;
          if (!TakeScreen(X, screen)) return false;
          problem = PictureProblem(screen, window, picture, k);
          return problem.empty();
        },
        SettleMs);
    EXPECT_EQ(problem, "") << "expected a window of " << Describe(window) << " showing x" << k << " in "
                           << Describe(picture) << "\n"
                           << Log();
  }

  // F4 on a 1920 x 1080 desktop whose window manager answers `holdMs`
  // after the request: full screen, drawn at x6, never withdrawn.
  void ExpectFullScreenGrantedAfter(int holdMs) {
    StartDesktop(1920, 1080, true);
    if (IsSkipped()) return;
    StartGame();
    ASSERT_FALSE(HasFailure());
    FullScreenKeyWithWindowManagerHeld(holdMs);
    ExpectShown({0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 6);
    EXPECT_EQ(LinesWith("not granted"), 0) << Log();
    EXPECT_TRUE(QuitGame()) << Log();
  }

  TempGameFolder Folder;
  TempGameFolder Logs;
  XServer X;
  RunningProgram Game;
  std::string WindowId;
};

// F4 with the window manager answering late, or at once: the game keeps its
// request and ends full screen, drawn at the largest scale the screen holds.
TEST_F(DesktopWindow, FullScreenGrantedLateStaysFullScreen) { ExpectFullScreenGrantedAfter(300); }

TEST_F(DesktopWindow, FullScreenGrantedAtOnce) { ExpectFullScreenGrantedAfter(0); }

// With no window manager nobody makes the window full screen: SDL gives up
// its full-screen state at the window's real size, and the picture is
// centred there at the largest whole scale.
TEST_F(DesktopWindow, FullScreenWithNoWindowManagerKeepsTheWindow) {
  StartDesktop(1920, 1080, false);
  if (IsSkipped()) return;
  const Rect before = StartGame();
  ASSERT_FALSE(HasFailure());
  Press("F4");
  ASSERT_TRUE(WaitFor([&] { return LinesWith("window: full screen not granted") > 0; }, SettleMs)) << Log();
  const int k = std::min(before.W / 320, before.H / 180);
  ExpectShown(before, {(before.W - 320 * k) / 2, (before.H - 180 * k) / 2, 320 * k, 180 * k}, k);
  EXPECT_TRUE(QuitGame()) << Log();
}

// A window sized from outside with no window manager shows the picture
// whole at the largest whole scale that fits, centred, black around it.
TEST_F(DesktopWindow, AWindowSizedFromOutsideShowsTheWholePicture) {
  StartDesktop(1920, 1080, false);
  if (IsSkipped()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  const struct {
    int Width, Height, Scale;
  } sizes[] = {{1000, 1000, 3}, {700, 400, 2}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.Width) + " x " + std::to_string(size.Height));
    SizeFromOutside(size.Width, size.Height);
    const int w = 320 * size.Scale, h = 180 * size.Scale;
    ExpectShown({0, 0, size.Width, size.Height}, {(size.Width - w) / 2, (size.Height - h) / 2, w, h}, size.Scale);
  }
}

// On a small screen F5 steps only through windows the screen holds.
TEST_F(DesktopWindow, ScaleKeyKeepsTheWindowOnASmallScreen) {
  StartDesktop(1366, 768, true);
  if (IsSkipped()) return;
  Rect window = StartGame();
  ASSERT_FALSE(HasFailure());
  for (int press = 0; press < 5; ++press) {
    SCOPED_TRACE("F5 number " + std::to_string(press + 1));
    const Rect before = window;
    Press("F5");
    // Each press changes the scale, so the window changes size; its place
    // follows as a request of its own.
    Rect last;
    EXPECT_TRUE(WaitFor(
        [&] {
          last = window;
          return WindowGeometry(X, WindowId, window) && (window.W != before.W || window.H != before.H) && window == last;
        },
        SettleMs))
        << Log();
    EXPECT_TRUE(window.X >= 0 && window.Y >= 0 && window.X + window.W <= 1366 && window.Y + window.H <= 768)
        << "the window is " << Describe(window);
  }
}

// A scale chosen with F5 on the title is the next start's.
TEST_F(DesktopWindow, TheScaleChosenOnTheTitleIsKept) {
  StartDesktop(1920, 1080, true);
  if (IsSkipped()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  Press("F5");
  Rect window;
  ASSERT_TRUE(WaitFor([&] { return WindowGeometry(X, WindowId, window) && window.W == 1280 && window.H == 720; }, SettleMs))
      << "F5 from x3 gave " << Describe(window);
  ASSERT_TRUE(QuitGame()) << Log();
  StartGame(1280, 720);
  EXPECT_FALSE(HasFailure()) << "the next start did not open at x4";
}

}  // namespace
