// The real program started on displays whose OpenGL cannot serve it:
// indirect GLX, on an X server that makes indirect contexts (+iglx) without
// render targets, and on one that refuses them with an X error. The game
// draws with the software renderer there and runs; a start killed at any
// moment leaves nothing behind that keeps the next one out, and neither
// does the failure box.
#include <gtest/gtest.h>

#include <SDL.h>
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "app/DesktopSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

// Bounds for a loaded machine and the sanitizer build; the waits poll and
// end as soon as what they wait for is there.
constexpr int StartMs = 60000;
constexpr int GoneMs = 10000;

// The frames the game ran, from the line it writes at exit under
// --verbose; -1 without one.
int FramesRun(const std::string& log) {
  const std::size_t at = log.rfind(" frames in ");
  if (at == std::string::npos) return -1;
  const std::size_t line = log.rfind('\n', at);
  unsigned frames = 0, ms = 0;
  if (std::sscanf(log.c_str() + (line == std::string::npos ? 0 : line + 1), "Vorlumen: %u frames in %u ms", &frames, &ms) != 2)
    return -1;
  return static_cast<int>(frames);
}

// /proc/PID/stat: the parent and the state ('Z': ended, not yet reaped).
bool ProcessState(pid_t pid, pid_t& parent, char& state) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return false;
  // The name in parentheses may hold spaces; the fields follow the last ')'.
  const std::size_t close = stat.rfind(')');
  int parentId = 0;
  if (close == std::string::npos || std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parentId) != 2) return false;
  parent = parentId;
  return true;
}

std::vector<pid_t> AllProcesses() {
  std::vector<pid_t> pids;
  if (DIR* dir = opendir("/proc")) {
    while (const dirent* entry = readdir(dir))
      if (const int pid = std::atoi(entry->d_name); pid > 0) pids.push_back(pid);
    closedir(dir);
  }
  return pids;
}

// The processes running the game on `gameDir`, and every process it forked
// (they keep its command line), but not the ones ended and unreaped.
std::vector<pid_t> GameProcesses(const std::string& gameDir) {
  std::vector<pid_t> found;
  for (const pid_t pid : AllProcesses()) {
    pid_t parent = 0;
    char state = 0;
    if (!ProcessState(pid, parent, state) || state == 'Z') continue;
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> args;
    for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
    if (args.size() >= 3 && args[0] == VORLUMEN_EXE && args[1] == "--game-dir" && args[2] == gameDir) found.push_back(pid);
  }
  return found;
}

bool Locked(const std::string& gameDir) { return WaitUntilLocked(gameDir, 0); }

class AnyDisplay : public ::testing::Test {
protected:
  void TearDown() override {
    KillProgram(Game);
    // Whatever the game forked and left: the failure box's process.
    for (const pid_t pid : GameProcesses(Folder.Path)) kill(pid, SIGKILL);
    X.Stop();
  }

  // An X server with `options`, and the generated pictures for the game.
  void StartDisplay(const std::vector<std::string>& options) {
    std::string missing = MissingOf({Xvfb});
    needs::Add(missing, MesaPresent(), "Mesa's OpenGL");
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    ASSERT_TRUE(X.Start(1280, 800, 20000, options)) << "Xvfb did not start";
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
  }

  void StartGame(const std::vector<std::string>& env) { Game = StartGameOn(X, Folder.Path, Logs.File("stderr.txt"), env); }

  std::string Log() const { return ReadTextFile(Logs.File("stderr.txt")); }

  // Lets the started game run until its window shows the title (a picture
  // of many colours, frames after the cards before it), then ends it as a
  // desktop's end of session does; it must end well.
  void ExpectRunsItsFrames() {
    ASSERT_GT(Game.Pid, 0);
    bool ended = false;
    std::string id;
    Rect window;
    Screen screen;
    const bool title = WaitFor(
        [&] {
          if (WaitForExit(Game, 0) != -1) return ended = true;
          return FindGameWindow(X, id) && WindowGeometry(X, id, window) && TakeScreen(X, screen) &&
                 Colours(screen, window) >= 64;
        },
        StartMs);
    ASSERT_FALSE(ended) << "it ended by itself\n" << Log();
    ASSERT_TRUE(title) << "no title in its window\n" << Log();
    kill(Game.Pid, SIGTERM);
    EXPECT_EQ(WaitForExit(Game, StartMs), 0) << Log();
    EXPECT_GT(FramesRun(Log()), 1) << Log();
  }

  TempGameFolder Folder;
  TempGameFolder Logs;
  XServer X;
  RunningProgram Game;
};

struct IndirectDisplay {
  const char* Name;
  std::vector<std::string> ServerOptions;
  std::vector<std::string> Env;
};

void PrintTo(const IndirectDisplay& display, std::ostream* out) { *out << display.Name; }

class IndirectOpenGl : public AnyDisplay, public ::testing::WithParamInterface<IndirectDisplay> {};

// No renderer named: the check's child asks, and finds no renderer named
// (+iglx) or ends with an X error (without it); the game itself makes no
// OpenGL context. OpenGL named: it is made, cannot make the back buffer,
// and gives way to the software renderer.
TEST_P(IndirectOpenGl, TheGameDrawsInSoftwareAndEndsWell) {
  StartDisplay(GetParam().ServerOptions);
  if (IsSkipped() || HasFatalFailure()) return;
  StartGame(GetParam().Env);
  ExpectRunsItsFrames();
  const std::string log = Log();
  // Why OpenGL could not serve is the display's and its library's to say.
  EXPECT_NE(log.find("Vorlumen: drawing with the software renderer"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Displays, IndirectOpenGl,
    ::testing::Values(IndirectDisplay{"Iglx", {"+iglx"}, {"LIBGL_ALWAYS_INDIRECT=1"}},
                      IndirectDisplay{"NoIglx", {}, {"LIBGL_ALWAYS_INDIRECT=1"}},
                      // Mesa's indirect GLX reads a string of the server's
                      // past its end, which the sanitizer build would stop
                      // at: it lets Mesa's string reads be.
                      IndirectDisplay{"IglxOpenGlNamed",
                                      {"+iglx"},
                                      {"LIBGL_ALWAYS_INDIRECT=1", "SDL_RENDER_DRIVER=opengl", "ASAN_OPTIONS=replace_str=0"}}),
    [](const ::testing::TestParamInfo<IndirectDisplay>& info) { return std::string(info.param.Name); });

// Killed at moments spread over its first 3 s: in its check, in SDL's
// start-up, at its first frames. Each time nothing of it is left and
// nothing holds its folder, and the next start runs.
TEST_F(AnyDisplay, AStartKilledAtAnyMomentKeepsNoLaterStartOut) {
  StartDisplay({"+iglx"});
  if (IsSkipped() || HasFatalFailure()) return;
  for (const int killAtMs : {200, 350, 500, 700, 950, 1250, 1600, 2000, 2500, 3000}) {
    SCOPED_TRACE(testing::Message() << "killed at " << killAtMs << " ms");
    StartGame({"LIBGL_ALWAYS_INDIRECT=1"});
    ASSERT_GT(Game.Pid, 0);
    // A start kept out would have ended at once, with status 0.
    ASSERT_EQ(WaitForExit(Game, killAtMs), -1) << Log();
    KillProgram(Game);
    EXPECT_TRUE(WaitFor([&] { return GameProcesses(Folder.Path).empty(); }, GoneMs)) << "a process of the game is left";
    EXPECT_TRUE(WaitFor([&] { return !Locked(Folder.Path); }, GoneMs)) << "the folder is still held";
  }
  StartGame({"LIBGL_ALWAYS_INDIRECT=1"});
  ExpectRunsItsFrames();
}

// The graphics fail on a display: the game has let go of its folder before
// its failure box, so that a game killed while the box is up keeps no later
// start out. SDL 2.26 shows the box from a process it forks, which outlives
// the game killed meanwhile; SDL 2.30 and later, and SDL3, show none with a
// video driver that does not exist, and the game ends.
TEST_F(AnyDisplay, TheFailureBoxKeepsNoLaterStartOut) {
  StartDisplay({});
  if (IsSkipped() || HasFatalFailure()) return;
  SDL_version sdl;
  SDL_GetVersion(&sdl);
  const bool forked = !OverSdl3() && SDL_VERSIONNUM(sdl.major, sdl.minor, sdl.patch) < SDL_VERSIONNUM(2, 30, 0);
  // No render driver check: nothing the game forks holds its folder.
  StartGame({"SDL_VIDEODRIVER=nonesuch", "SDL_RENDER_DRIVER=software"});
  ASSERT_GT(Game.Pid, 0);
  const pid_t game = Game.Pid;
  ASSERT_TRUE(WaitFor([&] { return Log().find("初期化に失敗しました") != std::string::npos; }, StartMs))
      << "no failure message\n" << Log();
  // The box is the only window on this display, which xdotool lists after
  // the root.
  auto boxUp = [&] {
    return CountOf("\n", X.Tool({Xdotool, "search", "--onlyvisible", "--maxdepth", "1", "--name", ""}).Out) >= 2;
  };
  if (forked) {
    ASSERT_TRUE(WaitFor(boxUp, StartMs)) << "no box\n" << Log();
  }
  std::vector<pid_t> box = GameProcesses(Folder.Path);
  std::erase(box, game);
  EXPECT_EQ(!box.empty(), forked) << box.size() << " processes besides the game's own";
  EXPECT_FALSE(Locked(Folder.Path)) << "the folder is held while the box is up";
  KillProgram(Game);
  for (const pid_t pid : box) {
    pid_t parent = 0;
    char state = 0;
    EXPECT_TRUE(ProcessState(pid, parent, state) && state != 'Z') << "the box ended with the game";
  }
  if (forked) {
    EXPECT_TRUE(boxUp()) << "the box went with the game";
  }
  EXPECT_FALSE(Locked(Folder.Path)) << "a process of the game's holds the folder";
  StartGame({});
  ExpectRunsItsFrames();
}

}  // namespace
