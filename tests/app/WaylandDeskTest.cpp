// The game on a Wayland desktop without a graphics card (weston, headless,
// drawn with pixman), as a player starts it: nothing named in its
// environment. It starts, draws the title, goes round its window scales on
// F5, to full screen and back on F4, shows the picture whole at each step,
// and ends well. An SDL too old to start on Wayland is left on X11.
#include <gtest/gtest.h>

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/InProcessGame.h"
#include "app/WestonSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

constexpr int StartMs = 60000;
constexpr int StepMs = 30000;
constexpr int ScreenWidth = 1280, ScreenHeight = 800;

SDL_version RunningSdl() {
  SDL_version version;
  SDL_GetVersion(&version);
  return version;
}

// SDL before 2.28 crashes in SDL_Init on a compositor such as this one.
bool SdlStartsOnWayland() {
  const SDL_version v = RunningSdl();
  return SDL_VERSIONNUM(v.major, v.minor, v.patch) >= SDL_VERSIONNUM(2, 28, 0);
}

std::string SdlName() {
  const SDL_version v = RunningSdl();
  return "SDL " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
}

class WaylandDesk : public ::testing::Test {
protected:
  void SetUp() override {
    std::string missing = MissingOf({Weston, WestonScreenshooter});
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    ASSERT_EQ(symlink(module.c_str(), Folder.File("Resource.dll").c_str()), 0);
    ASSERT_TRUE(Desk.Start(ScreenWidth, ScreenHeight)) << "weston did not start";
  }
  void TearDown() override {
    if (Keys >= 0) close(Keys);
    KillProgram(Game);
  }

  std::string Log() const { return ReadTextFile(Logs.File("stderr.txt")); }

  // The game in a process of its own, on the desktop, under --verbose: this
  // binary's helper below, which hands on the keys written to `Keys`.
  void StartGame() {
    std::vector<std::string> env = Desk.Env();
    env.insert(env.end(), {"SDL_AUDIODRIVER=dummy", "VORLUMEN_WAYLAND_GAME_DIR=" + Folder.Path});
    Game.ErrPath = Logs.File("stderr.txt");
    Game.GameDir = Folder.Path;
    Game.Pid = SpawnInProcessGame("WaylandGame.DISABLED_TheGameWithKeysFromDescriptor3", "", Game.ErrPath, env, Keys);
    ASSERT_GT(Game.Pid, 0);
  }

  void Press(const char* key) {
    // A game that ended is a failure of the test, not the end of the binary.
    signal(SIGPIPE, SIG_IGN);
    const std::string line = std::string(key) + "\n";
    ASSERT_EQ(write(Keys, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  }

  // Waits until the screen shows the picture whole at a scale `wanted`
  // allows; that scale, or 0.
  template <typename Wanted>
  int WaitForWholePicture(Wanted wanted, int timeoutMs, std::string& problem) {
    int k = 0;
    WaitFor(
        [&] {
          Screen screen;
          Rect picture;
          if (!Desk.Shot(screen)) {
            problem = "no screenshot";
            return false;
          }
          k = WholePictureScale(screen, picture, problem);
          if (k > 0 && !wanted(k, picture, screen)) {
            problem = "the picture is whole at x" + std::to_string(k) + " in " + Describe(picture);
            k = 0;
          }
          if (k > 0) return true;
          Ended = WaitForExit(Game, 0);
          return Ended != -1;
        },
        timeoutMs);
    if (k == 0 && Game.Pid <= 0) problem += "; the game ended with status " + std::to_string(Ended);
    return k;
  }

  WestonDesk Desk;
  TempGameFolder Folder;
  TempFolder Logs;
  RunningProgram Game;
  int Ended = -1;  // the game's exit status, once it ended
  int Keys = -1;
};

TEST_F(WaylandDesk, TheGameStartsGoesRoundItsScalesAndFullScreenAndEndsWell) {
  if (!SdlStartsOnWayland()) GTEST_SKIP() << SdlName() << " crashes in SDL_Init on Wayland; the game starts on X11 there";
  StartGame();
  std::string problem;
  // The title, not the cards before it: a picture of many colours.
  const int first = WaitForWholePicture(
      [](int, const Rect& picture, const Screen& screen) { return Colours(screen, picture) >= 64; }, StartMs, problem);
  ASSERT_GT(first, 0) << problem << "\n" << Log();
  EXPECT_NE(Log().find("Vorlumen: video driver wayland"), std::string::npos) << Log();

  // F5 goes round the scales whose window the screen holds, and back.
  std::vector<int> scales{first};
  for (int press = 0; press < 6 && (scales.size() == 1 || scales.back() != first); ++press) {
    SCOPED_TRACE(testing::Message() << "F5 number " << press + 1);
    Press("F5");
    const int previous = scales.back();
    const int k = WaitForWholePicture(
        [&](int scale, const Rect& picture, const Screen&) {
          return scale != previous && picture.W <= ScreenWidth && picture.H <= ScreenHeight;
        },
        StepMs, problem);
    ASSERT_GT(k, 0) << problem << "\n" << Log();
    scales.push_back(k);
  }
  EXPECT_EQ(scales.back(), first) << "F5 never came back";
  EXPECT_GE(scales.size(), 3u);

  // Full screen: the largest scale the screen holds, in its middle.
  Press("F4");
  const int largest = std::min(ScreenWidth / 320, ScreenHeight / 180);
  const int full = WaitForWholePicture(
      [&](int scale, const Rect& picture, const Screen&) {
        return scale == largest && picture.X == (ScreenWidth - picture.W) / 2 && picture.Y == (ScreenHeight - picture.H) / 2;
      },
      StepMs, problem);
  EXPECT_EQ(full, largest) << problem << "\n" << Log();
  // And back to the window at the scale it had.
  Press("F4");
  EXPECT_EQ(WaitForWholePicture([&](int scale, const Rect&, const Screen&) { return scale == first; }, StepMs, problem), first)
      << problem << "\n" << Log();

  kill(Game.Pid, SIGTERM);
  EXPECT_EQ(WaitForExit(Game, StartMs), 0) << Log();
  // What was seen, for the log of a run on several SDLs.
  std::string round;
  for (const int k : scales) round += " x" + std::to_string(k);
  const std::size_t frames = Log().rfind("Vorlumen: ");
  std::printf("weston, %s: F5 round%s; full screen x%d; %s", SdlName().c_str(), round.c_str(), full,
              frames == std::string::npos ? "\n" : Log().c_str() + frames);
}

// Asked for Wayland by name where X11 is there too (XWayland): an SDL that
// starts on Wayland runs there, an older one on X11, and the game says which.
TEST_F(WaylandDesk, AnSdlTooOldForWaylandStartsOnX11) {
  VORLUMEN_NEED(MissingOf({Xvfb}));
  XServer x;
  ASSERT_TRUE(x.Start(ScreenWidth, ScreenHeight)) << "Xvfb did not start";
  std::vector<std::string> env = Desk.Env();
  env.push_back("SDL_VIDEODRIVER=wayland");
  Game = StartGameOn(x, Folder.Path, Logs.File("stderr.txt"), env);
  const std::string driver = SdlStartsOnWayland() ? "wayland" : "x11";
  ASSERT_TRUE(WaitFor([&] { return Log().find("Vorlumen: drawing with the") != std::string::npos; }, StartMs)) << Log();
  EXPECT_NE(Log().find("Vorlumen: video driver " + driver + " (" + SdlName() + ")"), std::string::npos) << Log();
  EXPECT_EQ(Log().find("is not used on Wayland") != std::string::npos, !SdlStartsOnWayland()) << Log();
  kill(Game.Pid, SIGTERM);
  EXPECT_EQ(WaitForExit(Game, StartMs), 0) << Log();
}

// The game as its own program would run, in this process: the player's keys
// come as lines on descriptor 3 ("F4", "F5"), each a press and a release;
// it ends when the descriptor does.
TEST(WaylandGame, DISABLED_TheGameWithKeysFromDescriptor3) {
  const char* folder = std::getenv("VORLUMEN_WAYLAND_GAME_DIR");
  ASSERT_NE(folder, nullptr);
  std::thread([] {
    FILE* in = fdopen(3, "r");
    char line[32];
    while (in && std::fgets(line, sizeof line, in)) {
      const bool f4 = std::string(line) == "F4\n";
      // A compositor without a seat gives no window the keyboard: the focus
      // a player's click would give comes with the key.
      SDL_Event focus{};
      focus.type = SDL_WINDOWEVENT;
      focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
      SDL_PushEvent(&focus);
      SDL_Event key{};
      key.type = SDL_KEYDOWN;
      key.key.state = SDL_PRESSED;
      key.key.keysym.sym = f4 ? SDLK_F4 : SDLK_F5;
      key.key.keysym.scancode = f4 ? SDL_SCANCODE_F4 : SDL_SCANCODE_F5;
      SDL_PushEvent(&key);
      // Held as a hand holds a key, over a few frames.
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      key.type = SDL_KEYUP;
      key.key.state = SDL_RELEASED;
      SDL_PushEvent(&key);
    }
    QuitInProcessGame();
  }).detach();
  RunInProcessGame(folder);
}

}  // namespace
