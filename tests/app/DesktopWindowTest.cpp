// The real program's window on a real X desktop: full screen granted late
// by a window manager, or made and ended by the
// manager itself; a window the manager holds (maximised, tiled) at any
// scale asked for, also with the game slowed; where the game puts its
// windows; and the picture the screen then shows. Each test runs its own X
// server; the game writes what it does to its window on --verbose, which
// the tests follow, and is judged by the screen itself.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>

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

  // An X server of the given size, with a window manager or none.
  void StartDesktop(int width, int height, Manager manager) {
    std::string missing = MissingTools(manager);
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    ASSERT_TRUE(X.Start(width, height)) << "Xvfb did not start";
    if (manager != Manager::None) {
      ASSERT_TRUE(X.StartWindowManager(manager, Home.Path)) << ProgramOf(manager) << " did not take the screen";
    }
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
  }

  // The game on that desktop, until it runs its frames and its window
  // shows at the size it asks for at start-up (x3 on a first start), or at
  // any size where `width` is 0; returns where it is.
  Rect StartGame(int width = 960, int height = 540) {
    Game = StartGameOn(X, Folder.Path, Logs.File("stderr.txt"));
    EXPECT_GT(Game.Pid, 0);
    EXPECT_TRUE(WaitFor([&] { return FindGameWindow(X, WindowId); }, StartMs)) << "no window\n" << Log();
    EXPECT_TRUE(WaitFor([&] { return LinesWith("Vorlumen: first frame run") > 0; }, StartMs)) << "no frame\n" << Log();
    return SettledWindow(width, height, StartMs);
  }

  // The window once it is width x height (any size where `width` is 0) and
  // stays so: a size and a place come as two requests, and a window
  // manager may answer each late.
  Rect SettledWindow(int width = 0, int height = 0, int timeoutMs = SettleMs) {
    Rect window, last;
    EXPECT_TRUE(WaitFor(
        [&] {
          last = window;
          return WindowGeometry(X, WindowId, window) && (width == 0 || (window.W == width && window.H == height)) &&
                 window == last;
        },
        timeoutMs))
        << "the window is " << Describe(window) << "\n"
        << Log();
    return window;
  }

  // The game on a 1920 x 1080 desktop whose window manager (fluxbox)
  // maximises its window; returns the window as the manager holds it.
  Rect StartMaximised() {
    StartDesktop(1920, 1080, Manager::Fluxbox);
    if (IsSkipped() || HasFailure()) return {};
    StartGame();
    if (HasFailure()) return {};
    ManagerSets("add,maximized_vert,maximized_horz");
    Rect held;
    EXPECT_TRUE(WaitFor([&] { return WindowGeometry(X, WindowId, held) && held.W == 1920; }, SettleMs))
        << "not maximised: " << Describe(held);
    return SettledWindow();
  }

  // A command of the window manager's own for the game's window (wmctrl
  // -b: add,fullscreen, remove,maximized_vert ...).
  void ManagerSets(const std::string& state) {
    ASSERT_EQ(X.Tool({Wmctrl, "-i", "-r", WindowId, "-b", state}).Status, 0) << "wmctrl -b " << state;
  }

  // Ends the game as the window manager's close would; false if it hung or
  // did not end well (a sanitizer's report).
  bool QuitGame() {
    kill(Game.Pid, SIGTERM);
    return WaitForExit(Game, StartMs) == 0;
  }

  std::string Log() const { return ReadTextFile(Logs.File("stderr.txt")); }
  int LinesWith(const std::string& text) const { return CountOf(text, Log()); }

  // A press however short: one that comes and goes between two frames
  // counts as well.
  void Press(const std::string& key) {
    ASSERT_EQ(X.Tool({Xdotool, "keydown", "--window", WindowId, key}).Status, 0) << "xdotool keydown " << key;
    ASSERT_EQ(X.Tool({Xdotool, "keyup", "--window", WindowId, key}).Status, 0) << "xdotool keyup " << key;
  }

  // F5, then the game's word that it stepped the scale.
  void PressScaleKeyAndWait() {
    const int stepped = LinesWith("window: scale x");
    Press("F5");
    ASSERT_TRUE(WaitFor([&] { return LinesWith("window: scale x") > stepped; }, SettleMs)) << "F5 did nothing\n" << Log();
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

  // The picture at the largest whole scale that fits `window`, centred.
  void ExpectWholeAndCentred(const Rect& window) {
    const int k = std::min(window.W / 320, window.H / 180);
    ExpectShown(window, {(window.W - 320 * k) / 2, (window.H - 180 * k) / 2, 320 * k, 180 * k}, k);
  }

  // F5 round every scale in a window the manager holds: it keeps its size,
  // and after each press the picture is whole and centred in it, whether
  // the game or SDL itself learns the size the window was held at. Each
  // press stepped the scale once.
  void ExpectEveryScaleKeyKeepsThePictureWhole(const Rect& held) {
    const int before = LinesWith("window: scale x");
    for (int press = 1; press <= 5; ++press) {
      SCOPED_TRACE("F5 number " + std::to_string(press));
      PressScaleKeyAndWait();
      ExpectWholeAndCentred(held);
      if (HasFailure()) return;
    }
    EXPECT_EQ(LinesWith("window: scale x") - before, 5) << Log();
  }

  // The window's whole frame (the client and what the manager adds around
  // it) lies inside the work area the manager gives (_NET_WORKAREA).
  void ExpectInsideWorkArea(const Rect& client) {
    const std::vector<int> area = Numbers(X.Tool({Xprop, "-root", "_NET_WORKAREA"}).Out);
    ASSERT_GE(area.size(), 4u) << "no work area";
    std::vector<int> frame = Numbers(X.Tool({Xprop, "-id", WindowId, "_NET_FRAME_EXTENTS"}).Out);
    frame.resize(4, 0);  // left, right, top, bottom
    const Rect outer{client.X - frame[0], client.Y - frame[2], client.W + frame[0] + frame[1],
                     client.H + frame[2] + frame[3]};
    EXPECT_TRUE(outer.X >= area[0] && outer.Y >= area[1] && outer.X + outer.W <= area[0] + area[2] &&
                outer.Y + outer.H <= area[1] + area[3])
        << "the window with its frame is " << Describe(outer) << ", the work area " << area[2] << " x " << area[3]
        << " at " << area[0] << ", " << area[1];
  }

  // The numbers xprop prints after "=".
  static std::vector<int> Numbers(const std::string& out) {
    std::vector<int> numbers;
    const std::size_t equals = out.find('=');
    if (equals == std::string::npos) return numbers;
    for (const char* p = out.c_str() + equals + 1; *p;) {
      char* end = nullptr;
      const long n = std::strtol(p, &end, 10);
      if (end == p) {
        ++p;
        continue;
      }
      numbers.push_back(static_cast<int>(n));
      p = end;
    }
    return numbers;
  }

  // F4 on a 1920 x 1080 desktop whose window manager answers `holdMs`
  // after the request: full screen, drawn at x6, never withdrawn.
  void ExpectFullScreenGrantedAfter(int holdMs) {
    StartDesktop(1920, 1080, Manager::Openbox);
    if (IsSkipped() || HasFatalFailure()) return;
    StartGame();
    ASSERT_FALSE(HasFailure());
    FullScreenKeyWithWindowManagerHeld(holdMs);
    ExpectShown({0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 6);
    EXPECT_EQ(LinesWith("not granted"), 0) << Log();
    EXPECT_TRUE(QuitGame()) << Log();
  }

  // Stops and continues a process, 300 ms of every 400, while it lives;
  // continued for good at its end.
  class Slowed {
  public:
    explicit Slowed(pid_t pid)
        : Cycles([this, pid] {
            while (!Done) {
              kill(pid, SIGSTOP);
              std::this_thread::sleep_for(std::chrono::milliseconds(300));
              kill(pid, SIGCONT);
              std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
          }),
          Pid(pid) {}
    ~Slowed() {
      Done = true;
      Cycles.join();
      kill(Pid, SIGCONT);
    }

  private:
    std::atomic<bool> Done{false};
    std::thread Cycles;
    pid_t Pid;
  };

  TempGameFolder Folder;
  TempGameFolder Logs;
  TempGameFolder Home;  // the window manager's
  XServer X;
  RunningProgram Game;
  std::string WindowId;
};

// F4 with the window manager answering late, or at once: the game keeps its
// request and ends full screen, drawn at the largest scale the screen holds.
TEST_F(DesktopWindow, FullScreenGrantedLateStaysFullScreen) { ExpectFullScreenGrantedAfter(300); }

TEST_F(DesktopWindow, FullScreenGrantedAtOnce) { ExpectFullScreenGrantedAfter(0); }

// A window sized from outside with no window manager shows the picture
// whole at the largest whole scale that fits, centred, black around it.
TEST_F(DesktopWindow, AWindowSizedFromOutsideShowsTheWholePicture) {
  StartDesktop(1920, 1080, Manager::None);
  if (IsSkipped() || HasFatalFailure()) return;
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
  StartDesktop(1366, 768, Manager::Openbox);
  if (IsSkipped() || HasFatalFailure()) return;
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
  StartDesktop(1920, 1080, Manager::Openbox);
  if (IsSkipped() || HasFatalFailure()) return;
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

// The game stopped for 300 ms of every 400 (a machine far busier than the
// game): every press of F5 still steps the scale once, single presses as
// well as two within 0.2 s, in a window the manager holds.
TEST_F(DesktopWindow, EveryScaleKeyStepsOnceWhenTheGameIsSlowed) {
  const Rect held = StartMaximised();
  if (IsSkipped() || HasFatalFailure()) return;
  ASSERT_FALSE(HasFailure());
  const int before = LinesWith("window: scale x");
  {
    Slowed slowed(Game.Pid);
    for (int press = 1; press <= 20; ++press) {
      SCOPED_TRACE("single press " + std::to_string(press));
      PressScaleKeyAndWait();
      if (HasFailure()) return;
    }
    for (int pair = 1; pair <= 10; ++pair) {
      SCOPED_TRACE("pair " + std::to_string(pair));
      const int stepped = LinesWith("window: scale x");
      Press("F5");
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      Press("F5");
      ASSERT_TRUE(WaitFor([&] { return LinesWith("window: scale x") >= stepped + 2; }, SettleMs)) << Log();
    }
    ExpectWholeAndCentred(held);
  }
  EXPECT_EQ(LinesWith("window: scale x") - before, 40) << Log();
  EXPECT_TRUE(QuitGame()) << Log();
}

// Full screen made by the window manager (its own key) is the game's full
// screen: drawn at the largest whole scale, and ended by F4.
TEST_F(DesktopWindow, FullScreenTheManagerMakesIsTheGames) {
  StartDesktop(1920, 1080, Manager::Openbox);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  ManagerSets("add,fullscreen");
  ExpectShown({0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 6);
  Press("F4");
  ExpectShown(SettledWindow(960, 540), {0, 0, 960, 540}, 3);
  EXPECT_TRUE(QuitGame()) << Log();
}

// A full screen the window manager ends is ended for the game too: one F4
// then asks for full screen again.
TEST_F(DesktopWindow, FullScreenTheManagerEndsTakesOneKeyToComeBack) {
  StartDesktop(1920, 1080, Manager::Openbox);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  Press("F4");
  ExpectShown({0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 6);
  ManagerSets("remove,fullscreen");
  const Rect window = SettledWindow(960, 540);
  ExpectShown(window, {0, 0, 960, 540}, 3);
  Press("F4");
  ExpectShown({0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 6);
  EXPECT_TRUE(QuitGame()) << Log();
}

// How the game's window is held on the desktop of each case.
enum class Hold { Windowed, Maximised, Tiled };

struct DeskCase {
  const char* Name;
  Manager Wm;
  Hold How;
};

void PrintTo(const DeskCase& c, std::ostream* out) { *out << c.Name; }

// The same steps under each window manager, and none, the picture whole
// and centred at the largest whole scale that fits after each: F5 round
// every scale (a window the manager maximises or tiles keeps its size
// whatever the game asks); F4 and back to the window as it was; where there
// is a manager, its own full screen and its end, after which one F4 gives
// full screen.
class DesktopWindowUnder : public DesktopWindow, public ::testing::WithParamInterface<DeskCase> {
protected:
  // The game on a 1920 x 1080 desktop, its window held as the case has it;
  // returns the window.
  Rect StartHeld() {
    const DeskCase& c = GetParam();
    if (c.How == Hold::Maximised) return StartMaximised();
    StartDesktop(1920, 1080, c.Wm);
    if (IsSkipped() || HasFailure()) return {};
    if (c.How == Hold::Windowed) return StartGame();
    // A window already there: the game's tile is half the screen.
    Neighbour = Spawn({Xmessage, "-name", "neighbour", "neighbour"}, X.Display);
    EXPECT_TRUE(WaitFor(
        [&] { return X.Tool({Xprop, "-name", "neighbour", "WM_STATE"}).Out.find("window state") != std::string::npos; },
        SettleMs));
    const Rect held = StartGame(0, 0);
    EXPECT_LT(held.W, 1000) << "not tiled beside the other window";
    return held;
  }

  void TearDown() override {
    End(Neighbour);
    DesktopWindow::TearDown();
  }

  // The scale the game last said it stepped to.
  int LastScale() const {
    const std::string log = Log();
    const std::size_t at = log.rfind("window: scale x");
    return at == std::string::npos ? 0 : std::atoi(log.c_str() + at + 15);
  }

  // F5 round every scale in a window of its own: each press sizes the
  // window to the scale, picture whole; the round ends at the window it
  // began with.
  void ExpectEveryScaleKeySizesTheWindow(const Rect& start) {
    const int before = LinesWith("window: scale x");
    for (int press = 1; press <= 5; ++press) {
      SCOPED_TRACE("F5 number " + std::to_string(press));
      PressScaleKeyAndWait();
      if (HasFailure()) return;
      const int k = LastScale();
      ExpectWholeAndCentred(SettledWindow(320 * k, 180 * k));
      if (HasFailure()) return;
    }
    EXPECT_EQ(LinesWith("window: scale x") - before, 5) << Log();
    ExpectWholeAndCentred(start);
  }

  // The window back as it was after a full screen ends: the same window
  // where the game sizes it; where the manager holds it, at its place and
  // width, as high as the manager's frame now leaves it (fluxbox may give
  // it a handle it had not had).
  Rect BackAsHeld(const Rect& held) {
    if (GetParam().How == Hold::Windowed) return held;
    Rect window, last;
    EXPECT_TRUE(WaitFor(
        [&] {
          last = window;
          return WindowGeometry(X, WindowId, window) && window.X == held.X && window.Y == held.Y && window.W == held.W &&
                 std::abs(window.H - held.H) <= 8 && window == last;
        },
        SettleMs))
        << "held at " << Describe(held) << ", now " << Describe(window) << "\n"
        << Log();
    return window;
  }

  // F4, then the game's word that it took the key as the one asked.
  void FullScreenKey(const std::string& said) {
    const int before = LinesWith(said);
    Press("F4");
    ASSERT_TRUE(WaitFor([&] { return LinesWith(said) > before; }, SettleMs)) << "F4 did not give " << said << "\n" << Log();
  }

  pid_t Neighbour = -1;
};

TEST_P(DesktopWindowUnder, EveryStepShowsThePictureWhole) {
  const DeskCase& c = GetParam();
  const Rect held = StartHeld();
  if (IsSkipped() || HasFatalFailure()) return;
  ASSERT_FALSE(HasFailure());
  const Rect screen{0, 0, 1920, 1080};
  {
    SCOPED_TRACE("F5 round");
    if (c.How == Hold::Windowed)
      ExpectEveryScaleKeySizesTheWindow(held);
    else
      ExpectEveryScaleKeyKeepsThePictureWhole(held);
    ASSERT_FALSE(HasFailure());
  }
  {
    SCOPED_TRACE("F4 and back");
    FullScreenKey("window: full screen on");
    ExpectWholeAndCentred(screen);
    FullScreenKey("window: full screen off");
    ExpectWholeAndCentred(BackAsHeld(held));
    ASSERT_FALSE(HasFailure());
  }
  if (c.Wm != Manager::None) {
    SCOPED_TRACE("the manager's full screen, its end, then F4");
    ManagerSets("add,fullscreen");
    ExpectWholeAndCentred(screen);
    ManagerSets("remove,fullscreen");
    ExpectWholeAndCentred(BackAsHeld(held));
    ASSERT_FALSE(HasFailure());
    // One press: the game knows its full screen ended.
    FullScreenKey("window: full screen on");
    ExpectWholeAndCentred(screen);
  }
  EXPECT_TRUE(QuitGame()) << Log();
}

INSTANTIATE_TEST_SUITE_P(Managers, DesktopWindowUnder,
                         ::testing::Values(DeskCase{"openbox", Manager::Openbox, Hold::Windowed},
                                           DeskCase{"fluxbox_maximised", Manager::Fluxbox, Hold::Maximised},
                                           DeskCase{"i3_tiled", Manager::I3, Hold::Tiled},
                                           DeskCase{"none", Manager::None, Hold::Windowed}),
                         [](const ::testing::TestParamInfo<DeskCase>& info) { return std::string(info.param.Name); });

// On a small screen with a toolbar, the windows the game sizes and
// restores lie wholly inside the work area: after F5, after full screen and
// back, and on the next start at the scale kept.
TEST_F(DesktopWindow, TheGamesWindowsLieInsideTheWorkArea) {
  StartDesktop(1366, 768, Manager::Fluxbox);
  if (IsSkipped() || HasFatalFailure()) return;
  ExpectInsideWorkArea(StartGame());
  ASSERT_FALSE(HasFailure());
  Press("F5");
  ExpectInsideWorkArea(SettledWindow(1280, 720));
  Press("F4");
  SettledWindow(1366, 768);
  Press("F4");
  ExpectInsideWorkArea(SettledWindow(1280, 720));
  ASSERT_TRUE(QuitGame()) << Log();
  ExpectInsideWorkArea(StartGame(1280, 720));
  EXPECT_TRUE(QuitGame()) << Log();
}

}  // namespace
