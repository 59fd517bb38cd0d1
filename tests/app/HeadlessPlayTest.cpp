// A whole stretch of play, headless: a new game on a fixed seed, dungeon
// and class, driven only by key events through the path a player's keys
// take, with the pictures of the game's own resource module. Its end state
// and a few drawn frames are pinned: a change that alters the play on
// purpose shows here, and its new pins are reviewed like the change.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/RunTestSupport.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/Random.h"
#include "platform/RenderTestSupport.h"
#include "platform/SaveTestSupport.h"
#include "platform/TextTable.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/CGameInputMainMap.h"
#include "ui/CGameInputStageStart.h"
#include "ui/InputTrigger.h"
#include "ui/UiTestSupport.h"

namespace {

constexpr std::uint32_t Seed = 20261210;
constexpr int Dungeon = 1;  // LEVEL 1
constexpr std::uint32_t PlayerClass = 0;

constexpr std::uint32_t KeyUp = 38, KeyDown = 40, KeyLeft = 37, KeyRight = 39;
constexpr std::uint32_t KeyAttack = 'X', KeyDash = 'Z', KeyDirection = 'A', KeyMap = 'Q', KeySelect = 'Z';
constexpr ScreenId NextFloorQuestion = 23;

std::uint32_t Now = 0;
std::uint32_t TestClock() { return Now; }

// FNV-1a, 64 bits.
class Digest {
public:
  void Add(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) Value = (Value ^ p[i]) * 0x100000001b3ull;
  }
  template <class T>
  void AddValue(const T& v) {
    Add(&v, sizeof v);
  }
  std::uint64_t Value = 0xcbf29ce484222325ull;
};

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

StairsQuestion& Question() {
  static StairsQuestion question;
  return question;
}

CGameInput* ResolveWithQuestion(ScreenId id) {
  if (id == NextFloorQuestion && !ScreenFromId(id)) return &Question();
  return ScreenFromId(id);
}

// A step of the way: (dx, dy) and the keys that make it.
struct Way {
  int Dx, Dy;
};

class HeadlessPlay : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    struct stat st {};
    if (::stat(module.c_str(), &st) != 0 || !GetResourceModule().Open(module))
      GTEST_SKIP() << "the build has not made Resource.dll";
    SetPictureLoader(nullptr);
    std::memcpy(&Saved, &game->Settings.Block, sizeof Saved);
    SavedClock = game->Clock;
    game->Clock = &TestClock;
    game->Pacer = CFramePacer{};
    Now = 100000;
    uitest::ResetInput();
    GetScreenEffect()->Reset();
    SetScreenResolver(&ResolveWithQuestion);

    game->InitGraphics();
    SaveBlock& block = game->Settings.Block;
    block.Language = LanguageEnglish;
    block.SelectedClass = PlayerClass;
    block.ControlType = 0;
    block.AutoAttack = 1;
    block.GameSpeed = 4;
    game->FrameCount = 0;
    SeedRandom(Seed);
    SeedVisualRandom(Seed);
    game->StartNewGame(Dungeon);
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
  // One step (or the blow that replaces it) by the arrow keys of `w`.
  bool StepToward(const Way& w) {
    std::vector<std::uint32_t> keys;
    if (w.Dy != 0) keys.push_back(w.Dy < 0 ? KeyUp : KeyDown);
    if (w.Dx != 0) keys.push_back(w.Dx < 0 ? KeyLeft : KeyRight);
    return Command(keys);
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

  // The first straight direction the player can step in.
  std::uint32_t OpenStraightKey() const {
    const int x = game->Player->GetX(), y = game->Player->GetY();
    const struct {
      int Dx, Dy;
      std::uint32_t Key;
    } ways[] = {{-1, 0, KeyLeft}, {1, 0, KeyRight}, {0, -1, KeyUp}, {0, 1, KeyDown}};
    for (const auto& w : ways)
      if (game->CurrentStage->CanStep(x, y, x + w.Dx, y + w.Dy, 0)) return w.Key;
    return KeyLeft;
  }

  std::uint64_t FrameHash() {
    Grab();
    Digest d;
    d.Add(Pixels.data(), Pixels.size() * sizeof(Pixels[0]));
    return d.Value;
  }
  // The run as "save" would keep it (player, others, their items, the
  // floor and what lies on it) with the floor number, turns and generator.
  std::uint64_t StateDigest() {
    game->CaptureSaveImage();
    const SuspendedGameImage& image = game->SaveImageRecords;
    Digest d;
    d.Add(image.Floor.data(), image.Floor.size());
    for (const CharacterRecord& r : image.Characters) d.AddValue(r);
    for (const ItemRecord& r : image.CarriedItems) d.AddValue(r);
    for (const ItemRecord& r : image.LooseItems) d.AddValue(r);
    d.AddValue(game->Settings.Block.FloorNumber);
    d.AddValue(game->Settings.Block.TurnCount);
    d.AddValue(GetRandomState());
    return d.Value;
  }

  CGameMain* game = GetGameMain();
  TempGameFolder Folder;
  bool WantStairs = false;
  bool Started = false;

private:
  SaveBlock Saved;
  std::uint32_t (*SavedClock)() = nullptr;
};

std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(v));
  return text;
}

TEST_F(HeadlessPlay, FromANewGameDownTheStairsToTheNextFloorsBanner) {
  ASSERT_TRUE(NextTurn()) << "the first floor's banner hands over";
  const CCharacterPlayer* player = game->Player;
  ASSERT_NE(player, nullptr);
  std::vector<std::uint64_t> frames{FrameHash()};

  // A step into the open, a turn in place, a dash and a blow.
  Way way{};
  ASSERT_TRUE(FirstStep([&](int x, int y) { return game->CurrentStage->IsFloor(x, y); }, way));
  ASSERT_TRUE(StepToward(way));
  Press(KeyDirection);
  Press(KeyRight);
  for (int i = 0; i < 4; ++i) Frame();
  EXPECT_EQ(player->direction, DirectionRight);
  EXPECT_EQ(State(), StateMainNormal) << "a turn in place spends nothing";
  frames.push_back(FrameHash());
  ReleaseKeys();
  Frame();
  ASSERT_TRUE(Command({KeyDash, OpenStraightKey()}));
  ASSERT_TRUE(Command({KeyAttack}));

  // The nearest mining point, struck until it breaks and scatters what it
  // holds; then to the nearest of it, which the bag takes.
  const auto miningPointAt = [&](int x, int y) {
    const CCharacter* c = game->CurrentStage->GetCharacterAt(x, y);
    return c && c->IsMiningPoint() && c->hp > 0;
  };
  int struck = 0;
  for (int turn = 0; turn < 200; ++turn) {
    Way toward{};
    if (!FirstStep(miningPointAt, toward)) break;
    const int x = player->GetX() + toward.Dx, y = player->GetY() + toward.Dy;
    if (miningPointAt(x, y)) ++struck;
    ASSERT_TRUE(StepToward(toward));
    if (struck > 0 && !miningPointAt(x, y)) break;
  }
  ASSERT_GT(struck, 0);
  const int carried = player->itemCount;
  ASSERT_TRUE(WalkTo([&](int x, int y) {
    const CItem* item = game->CurrentStage->GetRevealedItemAt(x, y);
    return (item && !item->IsTrap()) || player->itemCount > carried;
  }));
  ASSERT_TRUE(NextTurn());
  EXPECT_GT(player->itemCount, carried) << "picked up";

  // The map while MAP is held.
  Press(KeyMap);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(Play()->GetChild(), GetGameInputMainMap());
  frames.push_back(FrameHash());
  ReleaseKeys();
  ASSERT_TRUE(NextTurn());

  // Down the stairs: YES, and the next floor's banner with its name.
  WantStairs = true;
  ASSERT_TRUE(WalkTo([&](int x, int y) { return game->CurrentStage->IsStairs(x, y); }));
  ASSERT_NE(Play()->GetChild(), nullptr) << "the question on the stairs";
  Press(KeyLeft);
  Frame();
  ReleaseKeys();
  Frame();
  Press(KeySelect);
  ASSERT_TRUE(RunUntil([&] { return State() == StateStageStart; }));
  ReleaseKeys();
  CGameInputStageStart* banner = GetGameInputStageStart();
  ASSERT_TRUE(RunUntil([&] { return banner->GetPhase() == CGameInputStageStart::PhaseNameShown; }));
  EXPECT_EQ(game->Settings.Block.FloorNumber, 2u);
  frames.push_back(FrameHash());
  ASSERT_TRUE(NextTurn());

  const std::uint64_t digest = StateDigest();
  std::string all = Hex(digest);
  for (std::uint64_t f : frames) all += " " + Hex(f);
  // Pins: the end state, then the frames (first view, a turn in place,
  // the map, the next floor's banner).
  const std::uint64_t Pinned[] = {0x6161fd56a9e32781, 0x69c0558cce7605c9, 0xe8cd9c50e8c8697b, 0xb26873ae04f52adf,
                                  0xffffcfbc29696f17};
  EXPECT_EQ(digest, Pinned[0]) << "all: " << all;
  for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], Pinned[1 + i]) << "frame " << i;
}

}  // namespace
