// The real program's window where the screen is not what a window manager
// keeps tidy: F4, F5, F4 back beside a panel (the window comes back with
// its whole frame in the work area), full screen where no window manager
// runs, a full screen never granted (the save says windowed), and screens
// that change while the game runs (a smaller mode, a monitor switched off).
// Each test runs its own X server and follows the game's --verbose lines.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/ScreenSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

constexpr int StartMs = 60000;
constexpr int SettleMs = 20000;

class ScreenChange : public ::testing::Test {
protected:
  void TearDown() override {
    KillProgram(Game);
    End(Panel);
    Server.Stop();
    Xorg.Stop();
  }

  // Xvfb of that size (Xorg with the dummy driver where `changing`), with
  // a window manager or none.
  void StartDesktop(int width, int height, Manager manager, bool changing = false) {
    std::string missing = MissingTools(manager);
    if (changing) needs::Add(missing, MissingXorgDummy().empty(), MissingXorgDummy());
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    // Only root may hand Xorg a config file by its full path; CI runs as
    // root, a player's own run may not.
    if (changing) VORLUMEN_NEED_WHEN(needs::InCi(), geteuid() == 0 ? "" : "root, to hand Xorg its config");
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    X = changing ? static_cast<XServer*>(&Xorg) : &Server;
    if (changing) {
      if (!Xorg.StartXorg(Home.Path, std::to_string(width) + "x" + std::to_string(height)))
        VORLUMEN_NEED("an Xorg that starts with the dummy driver (see " + Home.File("xorg.log") + ")");
    } else {
      ASSERT_TRUE(Server.Start(width, height)) << "Xvfb did not start";
    }
    if (manager != Manager::None) {
      ASSERT_TRUE(X->StartWindowManager(manager, Home.Path)) << ProgramOf(manager) << " did not take the screen";
    }
    // A case of its own: what an earlier one kept is gone.
    unlink(Folder.File("Resource.dll").c_str());
    unlink(Folder.File("save").c_str());
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
  }

  // A panel along the bottom, `rows` high, that the window manager keeps
  // windows off (a strut).
  void StartPanel(int rows) {
    Panel = Spawn({Xmessage, "-name", "panel", "panel"}, X->Display);
    ASSERT_TRUE(WaitFor([&] { return X->Tool({Xprop, "-name", "panel", "WM_STATE"}).Out.find("window state") != std::string::npos; },
                        SettleMs));
    ASSERT_EQ(X->Tool({Xprop, "-name", "panel", "-f", "_NET_WM_STRUT", "32c", "-set", "_NET_WM_STRUT",
                       "0,0,0," + std::to_string(rows)})
                  .Status,
              0);
    ASSERT_TRUE(WaitFor([&] { return WorkArea().size() >= 4 && WorkArea()[3] < ScreenHeight(); }, SettleMs))
        << "the work area never left the panel out";
  }

  int ScreenHeight() const {
    const std::string out = X->Tool({Xwininfo, "-root"}).Out;
    const std::size_t at = out.find("Height:");
    return at == std::string::npos ? 0 : std::atoi(out.c_str() + at + 7);
  }

  std::vector<int> WorkArea() const { return Numbers(X->Tool({Xprop, "-root", "_NET_WORKAREA"}).Out); }

  // The game until its window is width x height.
  void StartGame(int width = 960, int height = 540) {
    Game = StartGameOn(*X, Folder.Path, Logs.File("stderr.txt"));
    ASSERT_GT(Game.Pid, 0);
    ASSERT_TRUE(WaitFor([&] { return FindGameWindow(*X, WindowId); }, StartMs)) << "no window\n" << Log();
    Rect window;
    ASSERT_TRUE(WaitFor([&] { return WindowGeometry(*X, WindowId, window) && window.W == width && window.H == height; },
                        StartMs))
        << "the window is " << Describe(window) << "\n"
        << Log();
  }

  bool QuitGame() {
    kill(Game.Pid, SIGTERM);
    return WaitForExit(Game, StartMs) == 0;
  }

  std::string Log() const { return ReadTextFile(Logs.File("stderr.txt")); }
  int LinesWith(const std::string& text) const { return CountOf(text, Log()); }

  // Held for a few frames, as a player's press is.
  void Press(const std::string& key) {
    ASSERT_EQ(X->Tool({Xdotool, "keydown", "--window", WindowId, key}).Status, 0) << "xdotool keydown " << key;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_EQ(X->Tool({Xdotool, "keyup", "--window", WindowId, key}).Status, 0) << "xdotool keyup " << key;
  }

  // F4, waiting until the game has said what became of it.
  void FullScreenKey(const std::string& said) {
    const int before = LinesWith(said);
    Press("F4");
    ASSERT_TRUE(WaitFor([&] { return LinesWith(said) > before; }, SettleMs)) << "never said " << said << "\n" << Log();
  }

  // Waits until the window is `window` and shows the picture at scale k,
  // centred, black around it.
  void ExpectShown(const Rect& window, int k) {
    const Rect picture{(window.W - 320 * k) / 2, (window.H - 180 * k) / 2, 320 * k, 180 * k};
    Rect seen;
    std::string problem = "never looked";
    WaitFor(
        [&] {
          if (!WindowGeometry(*X, WindowId, seen)) return false;
          if (!(seen == window)) {
            problem = "the window is " + Describe(seen);
            return false;
          }
          Screen screen;
          if (!TakeScreen(*X, screen)) return false;
          problem = PictureProblem(screen, window, picture, k);
          return problem.empty();
        },
        SettleMs);
    EXPECT_EQ(problem, "") << "expected a window of " << Describe(window) << " showing x" << k << "\n" << Log();
  }

  // The window's whole frame lies inside `area` (x, y, w, h).
  ::testing::AssertionResult FrameInside(const std::vector<int>& area, Rect& outer) const {
    Rect client;
    if (area.size() < 4 || !WindowGeometry(*X, WindowId, client)) return ::testing::AssertionFailure() << "not read";
    std::vector<int> frame = Numbers(X->Tool({Xprop, "-id", WindowId, "_NET_FRAME_EXTENTS"}).Out);
    frame.resize(4, 0);  // left, right, top, bottom
    outer = Rect{client.X - frame[0], client.Y - frame[2], client.W + frame[0] + frame[1], client.H + frame[2] + frame[3]};
    if (outer.X >= area[0] && outer.Y >= area[1] && outer.X + outer.W <= area[0] + area[2] &&
        outer.Y + outer.H <= area[1] + area[3])
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the window with its frame is " << Describe(outer) << ", the area "
                                         << area[2] << " x " << area[3] << " at " << area[0] << ", " << area[1];
  }

  // Waits until the whole client lies inside (0, 0, width, height) at
  // scale `most` or below.
  void ExpectWhollyOn(int width, int height, int most) {
    Rect window;
    EXPECT_TRUE(WaitFor(
        [&] {
          return WindowGeometry(*X, WindowId, window) && window.X >= 0 && window.Y >= 0 && window.X + window.W <= width &&
                 window.Y + window.H <= height && window.W <= 320 * most;
        },
        SettleMs))
        << "the window is " << Describe(window) << " on a screen of " << width << " x " << height << "\n"
        << Log();
  }

  // What the save says of full screen, after a quit that ended well.
  void ExpectSavedFullscreen(std::uint32_t fullscreen) const {
    const Bytes save = ReadBytes(Folder.File("save"));
    ASSERT_GE(save.size(), FullscreenAt + 4) << "the game ended 0 with no whole save\n" << Log();
    EXPECT_EQ(U32At(save, FullscreenAt), fullscreen);
  }

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

  TempGameFolder Folder;
  TempGameFolder Logs;
  TempGameFolder Home;
  XServer Server;
  XorgServer Xorg;
  XServer* X = &Server;
  RunningProgram Game;
  pid_t Panel = -1;
  std::string WindowId;
};

// F4 (or the window manager's own full screen), F5, F4 back: the scales F5
// offers in full screen are the ones whose framed window fits the work
// area, so the window comes back whole inside it, on a screen exactly 180k
// high and beside a panel.
TEST_F(ScreenChange, TheWindowAfterFullScreenAndTheScaleKeyLiesInsideTheWorkArea) {
  const struct {
    int Width, Height, Panel, ScaleKeys;
    bool ManagersOwn;
  } cases[] = {{1600, 900, 0, 2, false}, {1366, 768, 40, 1, false}, {1600, 900, 0, 2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height) + ", a panel of " + std::to_string(c.Panel) +
                 (c.ManagersOwn ? ", the manager's full screen" : ""));
    StartDesktop(c.Width, c.Height, Manager::Openbox);
    if (IsSkipped() || HasFatalFailure()) return;
    if (c.Panel > 0) StartPanel(c.Panel);
    StartGame();
    ASSERT_FALSE(HasFailure());
    if (c.ManagersOwn) {
      const int before = LinesWith("window: full screen picture at");
      ASSERT_EQ(X->Tool({Wmctrl, "-i", "-r", WindowId, "-b", "add,fullscreen"}).Status, 0);
      ASSERT_TRUE(WaitFor([&] { return LinesWith("window: full screen picture at") > before; }, SettleMs)) << Log();
      ExpectShown({0, 0, c.Width, c.Height}, c.Height / 180);
    } else {
      FullScreenKey("window: full screen granted");
    }
    for (int i = 0; i < c.ScaleKeys; ++i) Press("F5");
    FullScreenKey("window: windowed");
    Rect outer;
    EXPECT_TRUE(WaitFor([&] { return FrameInside(WorkArea(), outer); }, SettleMs)) << FrameInside(WorkArea(), outer).message() << "\n" << Log();
    EXPECT_TRUE(QuitGame()) << Log();
    TearDown();
  }
}

// No window manager: F4 makes the window itself cover the screen, frameless,
// showing the largest whole scale; a program resizing it then leaves F4 and
// F5 acting as on a fresh start: F4 back gives the window at its scale,
// centred; quitting in full screen keeps it in the save.
TEST_F(ScreenChange, FullScreenWithNoWindowManagerCoversTheScreen) {
  StartDesktop(1920, 1080, Manager::None);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  FullScreenKey("window: full screen with no window manager");
  ExpectShown({0, 0, 1920, 1080}, 6);
  ASSERT_EQ(X->Tool({Xdotool, "windowsize", WindowId, "800", "600"}).Status, 0);
  ExpectShown({0, 0, 800, 600}, 2);
  FullScreenKey("window: windowed");
  ExpectShown({480, 270, 960, 540}, 3);
  Press("F5");
  ExpectShown({320, 180, 1280, 720}, 4);
  FullScreenKey("window: full screen with no window manager");
  ExpectShown({0, 0, 1920, 1080}, 6);
  ASSERT_TRUE(QuitGame()) << Log();
  ExpectSavedFullscreen(1u);
}

// A full screen the window manager never gives (here it answers nothing for
// longer than the game waits) leaves the game windowed, and the save says so.
TEST_F(ScreenChange, FullScreenNeverGrantedIsSavedAsWindowed) {
  StartDesktop(1920, 1080, Manager::Openbox);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  const int before = LinesWith("window: full screen not granted");
  Server.HoldWindowManager();
  Press("F4");
  const bool judged = WaitFor([&] { return LinesWith("window: full screen not granted") > before; }, SettleMs);
  Server.ReleaseWindowManager();
  ASSERT_TRUE(judged) << Log();
  ASSERT_TRUE(QuitGame()) << Log();
  ExpectSavedFullscreen(0u);
}

// The screen made smaller while the window shows x5: the window comes back
// wholly onto it at a scale that fits (x4 and its frame fit 1366 x 768),
// with no manager and with one.
TEST_F(ScreenChange, ASmallerModeBringsTheWindowWhollyOntoTheScreen) {
  for (const Manager manager : {Manager::None, Manager::Openbox}) {
    SCOPED_TRACE(manager == Manager::None ? "no window manager" : "openbox");
    StartDesktop(1920, 1080, manager, true);
    if (IsSkipped() || HasFatalFailure()) return;
    StartGame();
    ASSERT_FALSE(HasFailure());
    Press("F5");
    Press("F5");
    Rect window;
    ASSERT_TRUE(WaitFor([&] { return WindowGeometry(*X, WindowId, window) && window.W == 1600; }, SettleMs))
        << "never x5: " << Describe(window) << "\n"
        << Log();
    const std::string output = Xorg.Output();
    ASSERT_TRUE(Xorg.Randr({"--output", output, "--mode", "1366x768"})) << output;
    ExpectWhollyOn(1366, 768, 4);
    EXPECT_TRUE(QuitGame()) << Log();
    TearDown();
  }
}

// Two monitors side by side, the window on the second: switched off, the
// window comes back onto the one left.
TEST_F(ScreenChange, AMonitorSwitchedOffSendsTheWindowToTheOneLeft) {
  StartDesktop(1920, 1080, Manager::None, true);
  if (IsSkipped() || HasFatalFailure()) return;
  const std::string output = Xorg.Output();
  ASSERT_TRUE(Xorg.Randr({"--fb", "3286x1080"}));
  ASSERT_TRUE(Xorg.Randr({"--setmonitor", "left", "1920/508x1080/286+0+0", output}));
  ASSERT_TRUE(Xorg.Randr({"--setmonitor", "right", "1366/361x768/203+1920+0", "none"}));
  StartGame();
  ASSERT_FALSE(HasFailure());
  ASSERT_EQ(X->Tool({Xdotool, "windowmove", WindowId, "2100", "100"}).Status, 0);
  Rect window;
  ASSERT_TRUE(WaitFor([&] { return WindowGeometry(*X, WindowId, window) && window.X == 2100; }, SettleMs));
  ASSERT_TRUE(Xorg.Randr({"--delmonitor", "right"}));
  ASSERT_TRUE(Xorg.Randr({"--fb", "1920x1080"}));
  ExpectWhollyOn(1920, 1080, 3);
  EXPECT_TRUE(QuitGame()) << Log();
}

// A window the player moved, wholly on screen: a panel that appears and a
// monitor plugged in beside leave it where it was, at its scale.
TEST_F(ScreenChange, APanelAndAMonitorAddedLeaveAPlacedWindowWhereItWas) {
  StartDesktop(1920, 1080, Manager::Openbox, true);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame();
  ASSERT_FALSE(HasFailure());
  ASSERT_EQ(X->Tool({Xdotool, "windowmove", WindowId, "100", "120"}).Status, 0);
  Rect placed;
  ASSERT_TRUE(WaitFor([&] { return WindowGeometry(*X, WindowId, placed) && placed.X != (1920 - 960) / 2; }, SettleMs))
      << "never moved: " << Describe(placed);
  const std::string changed = "window: the displays changed\n", kept = "window: kept where it is\n";
  int before = LinesWith(changed);
  StartPanel(40);
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(WaitFor([&] { return LinesWith(changed) > before; }, SettleMs)) << "the panel never seen\n" << Log();
  ASSERT_TRUE(WaitFor([&] { return LinesWith(kept) == 1; }, SettleMs)) << Log();
  ExpectShown(placed, 3);

  before = LinesWith(changed);
  const std::string output = Xorg.Output();
  ASSERT_TRUE(Xorg.Randr({"--fb", "3286x1080"}));
  ASSERT_TRUE(Xorg.Randr({"--setmonitor", "left", "1920/508x1080/286+0+0", output}));
  ASSERT_TRUE(Xorg.Randr({"--setmonitor", "right", "1366/361x768/203+1920+0", "none"}));
  ASSERT_TRUE(WaitFor([&] { return LinesWith(changed) > before; }, SettleMs)) << "the monitor never seen\n" << Log();
  ASSERT_TRUE(WaitFor([&] { return LinesWith(kept) >= 2; }, SettleMs)) << Log();
  ExpectShown(placed, 3);
  EXPECT_TRUE(QuitGame()) << Log();
}

}  // namespace
