// The game started as a player starts it, with a pad plugged in before it
// (SDL's virtual game controller, or a plain joystick), on an X server of
// its own with no window manager or openbox, played by the pad alone: on
// the title the d-pad's down moves the highlight to the rankings and A
// opens them. A key tapped while the game starts leaves the pad playing.
// The whole way by pad: a class, the first level, a step on its first
// floor, the in-dungeon menu and its recipe book's pages, back to the title.
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

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/DesktopSupport.h"
#include "app/InProcessGame.h"
#include "characters/CCharacterPlayer.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/CGameInputSelectWindow.h"
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
    std::string missing = MissingTools(s.Wm);
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
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
  void StartGame(bool firstLevelOpen = false) {
    Game.ErrPath = Folder.File("stderr.txt");
    Game.GameDir = Folder.Path;
    std::vector<std::string> env{
        "SDL_AUDIODRIVER=dummy", "VORLUMEN_PAD_GAME_DIR=" + Folder.Path,
        std::string("VORLUMEN_PAD_DEVICE=") + (GetParam().Pad == Device::Controller ? "controller" : "joystick")};
    if (firstLevelOpen) env.push_back("VORLUMEN_PAD_LEVEL1=1");
    Game.Pid = SpawnInProcessGame("PadGame.DISABLED_TheGameWithAPadFromTheStart", X.Display, Game.ErrPath, env, Presses);
    ASSERT_GT(Game.Pid, 0);
  }

  // The hand lets go of the pad: the game ends as on a close.
  void EndGame() {
    close(Presses);
    Presses = -1;
    EXPECT_EQ(WaitForExit(Game, StartMs), 0) << Log();
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
  EndGame();
}

INSTANTIATE_TEST_SUITE_P(Setups, PadStart,
                         ::testing::Values(PadSetup{Manager::None, Device::Controller, false},
                                           PadSetup{Manager::None, Device::Controller, true},
                                           PadSetup{Manager::Openbox, Device::Controller, false},
                                           PadSetup{Manager::Openbox, Device::Controller, true},
                                           PadSetup{Manager::None, Device::Joystick, false},
                                           PadSetup{Manager::Openbox, Device::Joystick, true}),
                         Name);

// What the game showed when the look button was pressed last.
struct Look {
  int State = -1, Screen = -1, Phase = -1;
  unsigned Dungeon = 0, Floor = 0;
  int X = -1, Y = -1, Page = -1, Kind = -1, Book = -1;
  bool Ready(int screen) const { return Screen == screen && Phase == ScreenActive; }
  // The play screen keeps no phase of its own: the player waits for a command.
  bool Playing() const { return State == StateMainNormal && Screen == 15; }
};

std::string Describe(const Look& l) {
  char line[160];
  std::snprintf(line, sizeof line, "state %d screen %d phase %d dungeon %u floor %u cell %d,%d page %d kind %d book %d",
                l.State, l.Screen, l.Phase, l.Dungeon, l.Floor, l.X, l.Y, l.Page, l.Kind, l.Book);
  return line;
}

class PadJourney : public PadStart {
protected:
  static std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  // Presses the look button and reads what the game wrote of itself.
  bool LookAt(Look& look) {
    const std::size_t before = CountOf(Log(), "look: ");
    Press("look");
    if (!WaitFor([&] { return CountOf(Log(), "look: ") > before; }, StepMs)) return false;
    const std::string log = Log();
    const char* line = log.c_str() + log.rfind("look: ");
    return std::sscanf(line, "look: state %d screen %d phase %d dungeon %u floor %u cell %d %d page %d kind %d book %d",
                       &look.State, &look.Screen, &look.Phase, &look.Dungeon, &look.Floor, &look.X, &look.Y,
                       &look.Page, &look.Kind, &look.Book) == 10;
  }
  // Looks until what the game shows is `done`.
  template <typename Done>
  bool LookUntil(Done done) {
    return WaitFor([&] { return LookAt(Now) && done(Now); }, StepMs);
  }
  // Presses `button`, then looks until what the game shows is `done`.
  template <typename Done>
  void Step(const char* button, Done done, const char* what) {
    // The steps after one that failed would only repeat its failure.
    if (HasFatalFailure()) return;
    Press(button);
    ASSERT_TRUE(LookUntil(done)) << "after " << button << ", never " << what << ": " << Describe(Now) << "\n" << Log();
  }
  Look Now;
};

TEST_P(PadJourney, FromTheTitleToTheFirstFloorItsMenuAndBack) {
  StartGame(true);
  ASSERT_TRUE(WaitForLine("Vorlumen: the title takes input", StartMs)) << Log();
  // NEW GAME, the first class, the first level (on the top row).
  Step("a", [](const Look& l) { return l.Ready(4); }, "the class selection");
  Step("a", [](const Look& l) { return l.Ready(3); }, "the dungeon selection");
  Step("a", [](const Look& l) { return l.Playing(); }, "the first command");
  EXPECT_EQ(Now.Dungeon, 1u);
  EXPECT_EQ(Now.Floor, 1u);
  ASSERT_GE(Now.X, 0);

  // A step in the first direction that has room for one.
  const Look start = Now;
  for (const char* direction : {"right", "left", "down", "up"}) {
    Step(direction, [](const Look& l) { return l.Playing(); }, "the next command");
    if (Now.X != start.X || Now.Y != start.Y) break;
  }
  EXPECT_EQ(std::abs(Now.X - start.X) + std::abs(Now.Y - start.Y), 1) << "the player stood at " << start.X << ","
                                                                       << start.Y << ": " << Describe(Now);

  // Y opens the menu on its top page; CRAFT, RECIPE CRAFT, then RB and LB
  // turn the recipe book's pages.
  Step("y", [](const Look& l) { return l.Ready(17) && l.Page == MenuPageTop; }, "the menu");
  Press("down");
  Step("a", [](const Look& l) { return l.Ready(17) && l.Page == MenuPageCraft; }, "the craft page");
  Press("down");
  Step("a", [](const Look& l) { return l.Kind == CraftKindRecipe && l.Book == 0; }, "the recipe book");
  Step("rb", [](const Look& l) { return l.Book == 1; }, "the book's next page");
  Step("lb", [](const Look& l) { return l.Book == 0; }, "the book's first page");
  // B steps back to the craft kinds, the top page, and out of the menu.
  Step("b", [](const Look& l) { return l.Kind == -1 && l.Page == MenuPageCraft; }, "the craft kinds");
  Step("b", [](const Look& l) { return l.Page == MenuPageTop; }, "the top page");
  Step("b", [](const Look& l) { return l.Playing(); }, "the menu closed");

  // RETURN TO TITLE is last on the top page, one up from the first; YES
  // is one up from NO.
  Step("y", [](const Look& l) { return l.Ready(17) && l.Page == MenuPageTop; }, "the menu again");
  Press("up");
  Step("a", [](const Look& l) { return l.Ready(29); }, "the question");
  Press("up");
  Step("a", [](const Look& l) { return l.State == StateTitle && l.Screen == 0; }, "the title");
  EXPECT_EQ(Log().find("look: not on the game's thread"), std::string::npos) << Log();
  EndGame();
}

INSTANTIATE_TEST_SUITE_P(Setups, PadJourney,
                         ::testing::Values(PadSetup{Manager::None, Device::Controller, false},
                                           PadSetup{Manager::Openbox, Device::Controller, false},
                                           PadSetup{Manager::Openbox, Device::Joystick, false}),
                         Name);

// What the game shows, written by a pad button it binds to nothing (the
// controller's left stick press, the joystick's button 11) as SDL reports that
// button on the game's own thread, between two frames: the state, the last
// screen of the chain and its phase, the player's cell, and the menu's page,
// craft kind and recipe book page.
std::thread::id GameThread;

int SDLCALL SayWhatTheGameShows(void* controller, SDL_Event* event) {
  const bool look = controller ? event->type == SDL_CONTROLLERBUTTONDOWN &&
                                     event->cbutton.button == SDL_CONTROLLER_BUTTON_LEFTSTICK
                               : event->type == SDL_JOYBUTTONDOWN && event->jbutton.button == 11;
  if (!look) return 0;
  if (std::this_thread::get_id() != GameThread) {
    std::fputs("look: not on the game's thread\n", stderr);
    return 0;
  }
  // The menu as the chain holds it: looking builds no screen.
  const CGameInputMainMenu* menu = nullptr;
  CGameInput* last = GetGameInputController();
  while (last->GetChild()) {
    last = last->GetChild();
    if (auto* m = dynamic_cast<const CGameInputMainMenu*>(last)) menu = m;
  }
  // By kind, not by id: looking up an id would build that screen.
  const int screen = dynamic_cast<CGameInputTitleTop*>(last)               ? 0
                     : dynamic_cast<CGameInputTitleStageSelect*>(last)     ? 3
                     : dynamic_cast<CGameInputTitleCharacterSelect*>(last) ? 4
                     : dynamic_cast<CGameInputMainMenu*>(last)             ? 17
                     : dynamic_cast<CGameInputSelectWindow*>(last)         ? 29
                     : dynamic_cast<CGameInputMain*>(last)                 ? 15
                                                                           : -1;
  const CCharacterPlayer* player = GetGameMain()->Player;
  const SaveBlock& block = GetGameMain()->Settings.Block;
  std::fprintf(stderr, "look: state %d screen %d phase %d dungeon %u floor %u cell %d %d page %d kind %d book %d\n",
               GetStateController()->GetStateId(), screen, last->GetPhase(), block.DungeonIndex, block.FloorNumber, player ? player->GetX() : -1,
               player ? player->GetY() : -1, menu ? static_cast<int>(menu->GetActivePage()) : -1,
               menu ? menu->GetCraftKind() : -1, menu ? menu->GetRecipeBookPage() : -1);
  return 0;
}

// The game as its own program would run, in this process, with SDL's
// virtual pad attached as SDL's joysticks start: the buttons named on
// descriptor 3 ("up", "down", "left", "right", "a", "b", "y", "lb", "rb",
// "look") are pressed and let go; it ends when the descriptor does. With
// VORLUMEN_PAD_LEVEL1 the first level is open, as after the tutorial.
TEST(PadGame, DISABLED_TheGameWithAPadFromTheStart) {
  const char* folder = std::getenv("VORLUMEN_PAD_GAME_DIR");
  const char* device = std::getenv("VORLUMEN_PAD_DEVICE");
  ASSERT_NE(folder, nullptr);
  ASSERT_NE(device, nullptr);
  const bool controller = std::strcmp(device, "controller") == 0;
  if (std::getenv("VORLUMEN_PAD_LEVEL1")) {
    SaveBlock& block = GetGameMain()->Settings.Block;
    block.DungeonClearedFlags[0] = 1;
    std::memset(block.DungeonOpenNoticeShown, 1, sizeof block.DungeonOpenNoticeShown);
  }
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  auto pad = std::make_unique<VirtualDevice>(controller);
  ASSERT_TRUE(pad->Attached()) << SDL_GetError();
  GameThread = std::this_thread::get_id();
  SDL_AddEventWatch(SayWhatTheGameShows, controller ? pad.get() : nullptr);
  std::thread([&pad, controller] {
    struct Binding {
      const char* Name;
      int Button;  // controller button, or joystick button
      int Stick;
      Uint8 Hat;   // the joystick's hat for the d-pad
    };
    static constexpr Binding Bindings[] = {
        {"up", SDL_CONTROLLER_BUTTON_DPAD_UP, -1, SDL_HAT_UP},
        {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN, -1, SDL_HAT_DOWN},
        {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, SDL_HAT_LEFT},
        {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT, -1, SDL_HAT_RIGHT},
        {"a", SDL_CONTROLLER_BUTTON_A, 0, 0},
        {"b", SDL_CONTROLLER_BUTTON_B, 1, 0},
        {"y", SDL_CONTROLLER_BUTTON_Y, 3, 0},
        {"lb", SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 4, 0},
        {"rb", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 5, 0},
        {"look", SDL_CONTROLLER_BUTTON_LEFTSTICK, 11, 0},
    };
    FILE* in = fdopen(3, "r");
    char line[32];
    while (in && std::fgets(line, sizeof line, in)) {
      line[std::strcspn(line, "\n")] = '\0';
      for (const Binding& b : Bindings) {
        if (std::strcmp(line, b.Name) != 0) continue;
        // Held as a hand holds a button, over a few frames. SDL's virtual
        // device keeps no queue: a press let go before SDL next read the
        // device would never have happened, so each change waits for that.
        for (bool down : {true, false}) {
          if (controller)
            pad->Button(b.Button, down);
          else if (b.Stick >= 0)
            pad->Button(b.Stick, down);
          else
            pad->Hat(down ? b.Hat : SDL_HAT_CENTERED);
          const int button = controller ? b.Button : b.Stick;
          while (controller || b.Stick >= 0 ? pad->ReadButton(button, controller) != down
                                            : (pad->ReadHat() != SDL_HAT_CENTERED) != down)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
      }
    }
    QuitInProcessGame();
  }).detach();
  RunInProcessGame(folder);
}

}  // namespace
