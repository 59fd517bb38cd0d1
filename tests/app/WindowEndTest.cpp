// The real program where its window is not the game's to rely on: a window
// manager that does not show the window (stopped, as one still starting or
// hung is), a window destroyed from outside, a request to end at any moment
// of start-up and shutdown, and an SDL too old for the Wayland desktop it
// is started on. The game never waits without a bound, ends as on a close
// when its window is taken away, and leaves nothing behind.
#include <gtest/gtest.h>

#include <SDL.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Needs.h"
#include "app/DesktopSupport.h"
#include "app/WestonSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

// Bounds for a loaded machine and the sanitizer build: the waits poll and
// end as soon as what they wait for is there. A hang outlasts any of them.
constexpr int StartMs = 60000;
constexpr int EndMs = 20000;

// The processes `pid` forked that are still there.
std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<pid_t> children;
  for (pid_t child = 0; in >> child;) children.push_back(child);
  return children;
}

bool Locked(const std::string& gameDir) { return WaitUntilLocked(gameDir, 0); }

class WindowEnd : public ::testing::Test {
protected:
  void TearDown() override {
    X.ReleaseWindowManager();
    KillProgram(Game);
    for (const pid_t child : Children) kill(child, SIGKILL);
    X.Stop();
  }

  void StartDesktop(Manager manager) {
    std::string missing = MissingTools(manager);
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    ASSERT_TRUE(X.Start(1280, 800)) << "Xvfb did not start";
    if (manager != Manager::None) {
      ASSERT_TRUE(X.StartWindowManager(manager, Home.Path)) << ProgramOf(manager);
    }
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
  }

  // The game as a player starts it, with --verbose or without.
  void StartGame(bool verbose) {
    const int err = open(ErrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(err, 0);
    std::ofstream(ErrPath() + ".lsan") << "leak:libdbus-1.so\n";
    std::vector<std::string> args{VORLUMEN_EXE, "--game-dir", Folder.Path};
    if (verbose) args.push_back("--verbose");
    Game.GameDir = Folder.Path;
    Game.ErrPath = ErrPath();
    // A runtime folder as a session has one: SDL3 looks for Wayland there
    // first, and libwayland complains of none on standard error.
    Game.Pid = Spawn(args, X.Display, -1, -1, err,
                     {"SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + Home.Path,
                      "LSAN_OPTIONS=suppressions=" + ErrPath() + ".lsan:print_suppressions=0"});
    close(err);
    ASSERT_GT(Game.Pid, 0);
  }

  // SIGTERM, as a session's end sends it; the game's exit status.
  int Terminate() {
    Children = ChildrenOf(Game.Pid);
    kill(Game.Pid, SIGTERM);
    return WaitForExit(Game, EndMs);
  }

  // Nothing of the game is left: no process it forked, no lock on its folder.
  void ExpectNothingLeft() {
    for (const pid_t child : Children)
      EXPECT_TRUE(WaitFor([&] { return !Running(child); }, EndMs)) << "child " << child << " is left";
    EXPECT_FALSE(Locked(Folder.Path)) << "the folder is still held";
  }

  bool WaitForLine(const std::string& text) {
    return WaitFor([&] { return Log().find(text) != std::string::npos || WaitForExit(Game, 0) != -1; }, StartMs) &&
           Log().find(text) != std::string::npos;
  }

  std::string ErrPath() const { return Logs.File("stderr.txt"); }
  std::string Log() const { return ReadTextFile(ErrPath()); }

  TempGameFolder Folder;
  TempGameFolder Logs;
  TempGameFolder Home;
  XServer X;
  RunningProgram Game;
  std::vector<pid_t> Children;
};

// A window manager that takes the window's map request and does not answer
// it: the game says so once, plays on, shows its window when the manager
// comes back, and ends on SIGTERM.
TEST_F(WindowEnd, AWindowTheManagerDoesNotShowHoldsNoStartUp) {
  StartDesktop(Manager::Openbox);
  if (IsSkipped() || HasFailure()) return;
  X.HoldWindowManager();
  StartGame(true);
  ASSERT_TRUE(WaitForLine("the window manager has not shown the window yet")) << Log();
  ASSERT_TRUE(WaitForLine("Vorlumen: first frame run")) << Log();
  EXPECT_EQ(CountOf("has not shown the window", Log()), 1) << Log();
  X.ReleaseWindowManager();
  std::string id;
  EXPECT_TRUE(WaitFor([&] { return FindGameWindow(X, id); }, StartMs)) << "never shown\n" << Log();
  EXPECT_EQ(Terminate(), 0) << Log();
  ExpectNothingLeft();
}

// SIGTERM at moments spread over a start held up by the manager and over
// its first frames: each time the game is gone at once, status 0, nothing
// of it holds its folder, and the player's settings are as they were
// (written back, or not yet read and left alone).
TEST_F(WindowEnd, SigtermAtAnyMomentOfAStartEndsTheGame) {
  StartDesktop(Manager::Openbox);
  if (IsSkipped() || HasFailure()) return;
  StartGame(true);
  ASSERT_TRUE(WaitForLine("Vorlumen: first frame run")) << Log();
  ASSERT_EQ(Terminate(), 0) << Log();
  Bytes settings = ReadBytes(Folder.File("save"));
  ASSERT_EQ(settings.size(), 8192u) << Log();
  PutU32At(settings, 72, 35);  // BgmVolume
  PutU32At(settings, 96, 4);   // GameSpeed
  WriteBytes(Folder.File("save"), settings);
  X.HoldWindowManager();
  for (const int afterMs : {0, 100, 300, 800, 1500, 3500}) {
    SCOPED_TRACE(testing::Message() << "SIGTERM " << afterMs << " ms after the lock");
    StartGame(true);
    ASSERT_TRUE(WaitUntilLocked(Folder.Path, StartMs)) << Log();
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
    EXPECT_EQ(Terminate(), 0) << Log();
    KillProgram(Game);
    ExpectNothingLeft();
    EXPECT_EQ(ReadBytes(Folder.File("save")), settings) << Log();
  }
}

// The X server gone while the game plays: it ends with status 1 and says
// why, and nothing of it is left.
TEST_F(WindowEnd, ADisplayThatIsGoneEndsTheGameWithALine) {
  StartDesktop(Manager::None);
  if (IsSkipped() || HasFailure()) return;
  StartGame(true);
  ASSERT_TRUE(WaitForLine("Vorlumen: first frame run")) << Log();
  Children = ChildrenOf(Game.Pid);
  X.Stop();
  EXPECT_EQ(WaitForExit(Game, EndMs), 1) << Log();
  EXPECT_EQ(CountOf("Vorlumen: the connection to the X display was lost; the game ends", Log()), 1) << Log();
  ExpectNothingLeft();
}

struct TakenAway {
  const char* Name;
  Manager WindowManager;
};

void PrintTo(const TakenAway& c, std::ostream* out) { *out << c.Name; }

class WindowTakenAway : public WindowEnd, public ::testing::WithParamInterface<TakenAway> {};

// The game's window destroyed by another program (xdotool windowclose): the
// game ends as on a close, says nothing without --verbose, keeps its save,
// and the next start plays.
TEST_P(WindowTakenAway, TheGameEndsAsOnACloseAndTheNextStartPlays) {
  StartDesktop(GetParam().WindowManager);
  if (IsSkipped() || HasFailure()) return;
  StartGame(false);
  std::string id;
  ASSERT_TRUE(WaitFor([&] { return FindGameWindow(X, id); }, StartMs)) << "no window\n" << Log();
  ASSERT_TRUE(WaitUntilLocked(Folder.Path, StartMs));
  Children = ChildrenOf(Game.Pid);
  ASSERT_EQ(X.Tool({Xdotool, "windowclose", id}).Status, 0);
  EXPECT_EQ(WaitForExit(Game, EndMs), 0) << Log();
  EXPECT_EQ(Log(), "");
  struct stat save {};
  EXPECT_EQ(stat(Folder.File("save").c_str(), &save), 0) << "no save written";
  ExpectNothingLeft();

  StartGame(true);
  EXPECT_TRUE(WaitForLine("Vorlumen: first frame run")) << Log();
  EXPECT_EQ(Terminate(), 0) << Log();
}

INSTANTIATE_TEST_SUITE_P(Managers, WindowTakenAway,
                         ::testing::Values(TakenAway{"openbox", Manager::Openbox}, TakenAway{"none", Manager::None}),
                         [](const ::testing::TestParamInfo<TakenAway>& info) { return std::string(info.param.Name); });

SDL_version RunningSdl() {
  SDL_version version;
  SDL_GetVersion(&version);
  return version;
}

// A Wayland desktop and no X server: an SDL before 2.28, which crashes in
// its own Wayland start there, is not asked for it; the game says why and
// ends as a failed start does. A newer SDL starts there.
TEST(OldSdlOnWayland, TheGameSaysItCannotStartAndEndsWithStatus1) {
  VORLUMEN_NEED(MissingOf({Weston}));
  WestonDesk desk;
  ASSERT_TRUE(desk.Start(1280, 800)) << "weston did not start";
  TempGameFolder folder, logs;
  std::vector<std::string> env = desk.Env();
  env.push_back("SDL_AUDIODRIVER=dummy");
  const std::string errPath = logs.File("stderr.txt");
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(err, 0);
  RunningProgram game;
  game.Pid = Spawn({VORLUMEN_EXE, "--game-dir", folder.Path, "--verbose"}, "", -1, -1, err, env);
  close(err);
  const SDL_version v = RunningSdl();
  const bool old = SDL_VERSIONNUM(v.major, v.minor, v.patch) < SDL_VERSIONNUM(2, 28, 0);
  const std::string line = "cannot start on Wayland here; an X server (XWayland) or a newer SDL is needed";
  if (old) {
    EXPECT_EQ(WaitForExit(game, StartMs), 1) << ReadTextFile(errPath);
    EXPECT_NE(ReadTextFile(errPath).find(line), std::string::npos) << ReadTextFile(errPath);
  } else {
    EXPECT_TRUE(WaitForText(errPath, "Vorlumen: video driver wayland", StartMs)) << ReadTextFile(errPath);
    kill(game.Pid, SIGTERM);
    EXPECT_EQ(WaitForExit(game, EndMs), 0) << ReadTextFile(errPath);
    EXPECT_EQ(ReadTextFile(errPath).find(line), std::string::npos) << ReadTextFile(errPath);
  }
  KillProgram(game);
}

}  // namespace
