#pragma once
// Play driven only by key events through the path a player's keys take, one
// main-loop frame at a time, headless, with the pictures of the game's own
// resource module: the keys, the frames, and walking to a cell by commands.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "Needs.h"
#include "app/Application.h"
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/RunTestSupport.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/Random.h"
#include "platform/RenderTestSupport.h"
#include "platform/SaveTestSupport.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"
#include "ui/UiTestSupport.h"

namespace keyplay {

constexpr std::uint32_t KeyUp = 38, KeyDown = 40, KeyLeft = 37, KeyRight = 39;
constexpr std::uint32_t KeyAttack = 'X', KeyDash = 'Z', KeyDirection = 'A', KeyMap = 'Q', KeySelect = 'Z', KeyMenu = 'S';
constexpr ScreenId NextFloorQuestion = 23;

inline std::uint32_t Now = 0;
inline std::uint32_t TestClock() { return Now; }

// The question on the stairs as it answers: LEFT or RIGHT moves the choice
// from NO, SELECT on YES ends the floor, SELECT on NO or CANCEL stays. It
// stands in only while the game has no screen of its own for it.
class StairsQuestion : public CGameInput {
public:
  void Begin() override { GoOn = false; }
  void DrawLayer(int) override {}
  void Update() override {
    CMyInput* input = GetInput();
    if (input->IsLeftTriggered() || input->IsRightTriggered()) {
      ConsumeInputTrigger(input->InputHistory[InputRowLeft]);
      ConsumeInputTrigger(input->InputHistory[InputRowRight]);
      GoOn = !GoOn;
      return;
    }
    const bool cancel = IsCancelTriggered();
    if (!cancel && !IsSelectTriggered()) return;
    for (int row : {InputRowUp, InputRowDown, InputRowLeft, InputRowRight, InputRowAttack, InputRowMenu,
                    InputRowShoot, InputRowMap, InputRowPointer, InputRowSelect, InputRowCancel})
      SwallowInput(input->InputHistory[row]);
    Parent->SetChild(nullptr);
    if (cancel || !GoOn) return;
    GetStateController()->ChangeState(StateStageEnd);
    GetGameMain()->Player->actionPoints = 0;
  }
  bool GoOn = false;
};

inline StairsQuestion& Question() {
  static StairsQuestion question;
  return question;
}

inline CGameInput* ResolveWithQuestion(ScreenId id) {
  if (id == NextFloorQuestion && !ScreenFromId(id)) return &Question();
  return ScreenFromId(id);
}

// A step of the way: (dx, dy) and the keys that make it.
struct Way {
  int Dx, Dy;
};

class KeyPlay : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    struct stat st {};
    if (::stat(module.c_str(), &st) != 0 || !GetResourceModule().Open(module))
      VORLUMEN_NEED("a Resource.dll that opens");
    SetPictureLoader(nullptr);
    std::memcpy(&Saved, &game->Settings.Block, sizeof Saved);
    SavedClock = game->Clock;
    game->Clock = &TestClock;
    game->Pacer = CFramePacer{};
    Now = 100000;
    uitest::ResetInput();
    GetScreenEffect()->Reset();
    // No state or screen an earlier test left: a state already current is
    // not entered again when the run asks for it.
    GetStateController()->Reset();
    GetGameInputController()->SetChild(nullptr);
    GetGameInputMain()->SetChild(nullptr);
    SetScreenResolver(&ResolveWithQuestion);

    game->InitGraphics();
    // The title's screens live on between tests: what one held went with
    // an earlier test's renderer, and letting it go later would take the
    // pictures this run loads. TearDown lets go of what this test's took.
    ReleaseTitlePictures();
    // Frames are looked at where the player sees them.
    KeepWindowPicture(true);
    SaveBlock& block = game->Settings.Block;
    block.Language = LanguageEnglish;
    block.ControlType = 0;
    block.AutoAttack = 1;
    block.GameSpeed = 4;
  }
  // A new game of the class in the dungeon on fixed seeds.
  void StartRun(std::uint32_t seed, int dungeon, std::uint32_t playerClass) {
    game->Settings.Block.SelectedClass = playerClass;
    game->FrameCount = 0;
    SeedRandom(seed);
    SeedVisualRandom(seed);
    game->StartNewGame(dungeon);
    Started = true;
  }
  void TearDown() override {
    if (Started) {
      ReleaseKeys();
      GetGameInputController()->SetChild(nullptr);
      GetGameInputMain()->SetChild(nullptr);
      runtest::DropRun();
      std::memcpy(&game->Settings.Block, &Saved, sizeof Saved);
      game->Clock = SavedClock;
      game->AutoMove = 0;
      SetScreenResolver(nullptr);
    }
    ReleaseTitlePictures();
    KeepWindowPicture(false);
    GetResourceModule().Close();
    RenderFixture::TearDown();
  }

  // ---- Keys and frames, as the main loop takes them.
  void Frame() {
    Now += 100;
    ASSERT_TRUE(game->RunFrame());
  }
  static void Press(std::uint32_t vk) { DispatchEvent(SysEvent{SysEventKind::KeyDown, vk}); }
  static void Release(std::uint32_t vk) { DispatchEvent(SysEvent{SysEventKind::KeyUp, vk}); }
  static void ReleaseKeys() {
    for (int vk = 0; vk < 256; ++vk)
      if (GetInput()->KeyDown[vk]) Release(static_cast<std::uint32_t>(vk));
  }
  template <typename Done>
  bool RunUntil(Done done, int limit = 600) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      Frame();
    }
    return done();
  }
  // S, and the in-dungeon menu given time to slide in.
  bool OpenMenu() {
    Press(KeyMenu);
    Frame();
    Release(KeyMenu);
    for (int i = 0; i < 30; ++i) Frame();
    return Play()->GetChild() != nullptr;
  }
  static GameStateId State() { return GetStateController()->GetStateId(); }
  CGameInputMain* Play() const { return GetGameInputMain(); }
  bool AwaitingCommand() const {
    return State() == StateMainNormal && Play()->GetChild() == nullptr && !game->AutoMove &&
           GetGameInputController()->GetChild() == Play();
  }
  bool NextTurn() {
    return RunUntil([&] {
      // Stairs met on the way are not taken: NO is preselected.
      if (Play()->GetChild() && !WantStairs && State() == StateMainNormal) {
        Press(KeySelect);
        Frame();
        Release(KeySelect);
      }
      return AwaitingCommand() || (WantStairs && State() == StateMainNormal && Play()->GetChild());
    });
  }

  // Keys down until the command is taken (the state moves on, the player
  // moves or a screen opens), then up, and on to the next turn.
  bool Command(const std::vector<std::uint32_t>& keys) {
    for (int i = 0; i < FramesKeysUp; ++i) Frame();
    for (std::uint32_t vk : keys) Press(vk);
    const CCharacterPlayer* p = game->Player;
    const int x = p->GetX(), y = p->GetY();
    bool taken = false;
    for (int i = 0; i < 8 && !taken; ++i) {
      Frame();
      taken = State() != StateMainNormal || p->GetX() != x || p->GetY() != y || Play()->GetChild();
    }
    ReleaseKeys();
    return taken && NextTurn();
  }
  // The arrow keys of the step (or the blow that replaces it) of `w`.
  static std::vector<std::uint32_t> KeysOf(const Way& w) {
    std::vector<std::uint32_t> keys;
    if (w.Dy != 0) keys.push_back(w.Dy < 0 ? KeyUp : KeyDown);
    if (w.Dx != 0) keys.push_back(w.Dx < 0 ? KeyLeft : KeyRight);
    return keys;
  }
  bool StepToward(const Way& w) { return Command(KeysOf(w)); }

  // YES to the question on the stairs, until the next floor's start begins.
  bool AnswerYesOnTheStairs() {
    Press(KeyLeft);
    Frame();
    ReleaseKeys();
    Frame();
    Press(KeySelect);
    const bool started = RunUntil([&] { return State() == StateStageStart; });
    ReleaseKeys();
    return started;
  }

  // The first step of a shortest way to a cell that `goal` accepts, by the
  // floor's own step rule; characters in the way are walked into (a blow).
  template <typename Goal>
  bool FirstStep(Goal goal, Way& way) const {
    const CStageData* stage = game->CurrentStage;
    const int sx = game->Player->GetX(), sy = game->Player->GetY();
    std::array<int, StageCellCount> from;
    from.fill(-1);
    std::vector<int> queue{CellIndex(sx, sy)};
    from[CellIndex(sx, sy)] = CellIndex(sx, sy);
    for (std::size_t head = 0; head < queue.size(); ++head) {
      const int cx = queue[head] / StageMapSize, cy = queue[head] % StageMapSize;
      if (queue[head] != CellIndex(sx, sy) && goal(cx, cy)) {
        int cell = queue[head];
        while (from[cell] != CellIndex(sx, sy)) cell = from[cell];
        way = {cell / StageMapSize - sx, cell % StageMapSize - sy};
        return true;
      }
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
          const int nx = cx + dx, ny = cy + dy;
          if ((!dx && !dy) || !IsOnMap(nx, ny) || from[CellIndex(nx, ny)] >= 0) continue;
          const bool open = stage->CanStep(cx, cy, nx, ny, 0) || (stage->GetCharacterAt(nx, ny) &&
                                                                    !stage->IsWall(nx, ny) &&
                                                                    stage->CanAttack(cx, cy, nx, ny, 0));
          if (!open) continue;
          from[CellIndex(nx, ny)] = queue[head];
          queue.push_back(CellIndex(nx, ny));
        }
    }
    return false;
  }
  template <typename Goal>
  bool WalkTo(Goal goal, int limit = 200) {
    for (int turn = 0; turn < limit; ++turn) {
      const CCharacterPlayer* p = game->Player;
      if (!p || p->hp <= 0) return false;
      if (goal(p->GetX(), p->GetY())) return true;
      Way way{};
      if (!FirstStep(goal, way)) return false;
      if (!StepToward(way)) return false;
    }
    return false;
  }

  CGameMain* game = GetGameMain();
  TempGameFolder Folder;
  bool WantStairs = false;
  bool Started = false;
  // Frames with every key up before each command, as a hand lets go between
  // two presses: a press the game took away counts again only after that.
  int FramesKeysUp = 0;

private:
  SaveBlock Saved;
  std::uint32_t (*SavedClock)() = nullptr;
};

}  // namespace keyplay
