// A genuine "save" with a run, damaged at random and continued through the
// start-up's own code: every case either refuses the run (the settings
// kept) or continues into a run that plays, and what that run's exit
// writes, the next start continues.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "app/TurnTestSupport.h"
#include "characters/CharacterFactory.h"
#include "items/ItemFactory.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace turntest;

// Thousands of cases in the plain build; under the sanitizers, where every
// start costs ten times as much, enough to stay within seconds.
#if defined(__SANITIZE_ADDRESS__)
constexpr int Rounds = 300;
#else
constexpr int Rounds = 2000;
#endif

constexpr std::size_t BlockSize = 8192;
constexpr std::size_t CharacterCountAt = 64, ItemCountAt = 68;
constexpr std::size_t FloorEntry = 4 + 65536, CharacterEntry = 4 + 296, ItemEntry = 4 + 256;

// One record of the run as "save" holds it: where its length word begins,
// and how long it is with that word.
struct Entry {
  std::size_t At, Size;
  bool Character;
};

std::vector<Entry> EntriesOf(const Bytes& save) {
  std::vector<Entry> entries;
  std::size_t at = BlockSize + FloorEntry;
  for (std::uint32_t c = 0; c < U32At(save, CharacterCountAt); ++c) {
    entries.push_back({at, CharacterEntry, true});
    const std::uint32_t carried = U32At(save, at + 4 + 256);
    at += CharacterEntry;
    for (std::uint32_t i = 0; i < carried; ++i, at += ItemEntry) entries.push_back({at, ItemEntry, false});
  }
  for (std::uint32_t i = 0; i < U32At(save, ItemCountAt); ++i, at += ItemEntry) entries.push_back({at, ItemEntry, false});
  return entries;
}

class SaveDamage : public TurnFixture {
protected:
  // A Fighter with its kit among monsters of three families, and items on
  // the floor, written at its turn's start.
  Bytes GenuineSave() {
    game->MakeCharacter = &CreateCharacter;
    game->Settings.Block.DungeonIndex = 1;
    UseFloor(CreateStage(1));
    floortest::Carve(*stage, DefaultRows());
    auto* p = dynamic_cast<CCharacterPlayer*>(CreateCharacter(0));
    EXPECT_NE(p, nullptr);
    p->GiveStartingItems();
    Put(p, 3, 3);
    game->Player = p;
    p->actionPoints = 2;
    const int cells[][3] = {{256, 6, 2}, {262, 7, 4}, {265, 5, 5}};
    for (const auto& c : cells) Put(CreateCharacter(c[0]), c[1], c[2]);
    const int items[][2] = {{0x001, 2}, {0x800, 5}, {0x200, 9}};
    for (const auto& i : items) EXPECT_TRUE(stage->PutItemAt(i[1], 1, CreateItem(i[0])));
    GetStateController()->ChangeState(StateMainNormal);
    EXPECT_TRUE(game->WriteSaveFile());
    return ReadBytes(folder.File("save"));
  }
  void Put(CCharacter* c, int x, int y) {
    ASSERT_NE(c, nullptr);
    c->SetPosition(x, y);
    ASSERT_TRUE(stage->MoveCharacterTo(x, y, c));
    game->Characters.PushBack(c);
  }

  // The program starts on "save" and CONTINUE is chosen, when offered.
  bool StartAndContinue() {
    GetStateController()->ChangeState(StateTitle);
    GetGameInputController()->SetChild(nullptr);
    testing::internal::CaptureStderr();
    game->ContinueGame();
    testing::internal::GetCapturedStderr();
    stage = game->CurrentStage;
    if (!game->HasSuspendedGame()) return false;
    FramesToNextTurn();
    return true;
  }

  // A few turns: a step where the way is free, else a blow.
  void PlayTurns(int turns) {
    static constexpr Direction Ways[] = {DirectionRight, DirectionDown, DirectionLeft, DirectionUp};
    for (int i = 0; i < turns && game->Player && game->Player->hp > 0; ++i) {
      if (GetStateController()->GetStateId() != StateMainNormal) return;
      game->Player->SetDirection(Ways[i % 4]);
      if (game->Player->StepForward()) {
        GetStateController()->ChangeState(StatePlayerMove);
        game->Player->actionPoints = 0;
      } else {
        Act(AnimationAttack);
      }
      FramesToNextTurn();
    }
  }
};

void PutDouble(Bytes& save, std::size_t at, double value) { std::memcpy(save.data() + at, &value, sizeof value); }

TEST_F(SaveDamage, EveryDamagedSaveIsRefusedOrPlays) {
  const Bytes whole = GenuineSave();
  const std::vector<Entry> entries = EntriesOf(whole);
  ASSERT_EQ(entries.back().At + entries.back().Size, whole.size());
  const std::uint32_t dungeon = game->Settings.Block.DungeonIndex;

  constexpr std::int32_t Edges[] = {0,   1,    -1,   2,    39,   40,   99,    100,  255,  256,
                                    4096, 4097, 1000000, 1000001, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max()};
  const double Reals[] = {std::nan(""), INFINITY, -INFINITY, 1e9, -1e9, 4.5, -0.0};
  std::mt19937 draw(41);
  auto below = [&draw](std::size_t n) { return static_cast<std::size_t>(draw() % n); };
  int continued = 0, refused = 0;
  for (int round = 0; round < Rounds; ++round) {
    SCOPED_TRACE(round);
    Bytes save = whole;
    const Entry& e = entries[below(entries.size())];
    switch (below(6)) {
      case 0:  // bytes flipped, mostly in the records
        for (std::size_t n = 1 + below(4); n > 0; --n) {
          const std::size_t at = below(4) == 0 ? BlockSize + below(save.size() - BlockSize) : e.At + below(e.Size);
          save[at] ^= static_cast<std::uint8_t>(1 + below(255));
        }
        break;
      case 1:  // a word of a record at an edge
        PutU32At(save, e.At + 4 + 4 * below((e.Size - 4) / 4), static_cast<std::uint32_t>(Edges[below(std::size(Edges))]));
        break;
      case 2:  // a character's sprite values
        if (e.Character) PutDouble(save, e.At + 4 + 200 + 8 * below(2), Reals[below(std::size(Reals))]);
        break;
      case 3:  // cut
        save.resize(BlockSize + below(save.size() - BlockSize));
        break;
      case 4:  // a record repeated, counted or not
        save.insert(save.begin() + static_cast<std::ptrdiff_t>(e.At + e.Size),
                    whole.begin() + static_cast<std::ptrdiff_t>(e.At),
                    whole.begin() + static_cast<std::ptrdiff_t>(e.At + e.Size));
        if (below(2) == 0) PutU32At(save, e.Character ? CharacterCountAt : ItemCountAt, U32At(save, e.Character ? CharacterCountAt : ItemCountAt) + 1);
        break;
      default:  // the counts of the block
        PutU32At(save, below(2) == 0 ? CharacterCountAt : ItemCountAt, static_cast<std::uint32_t>(below(9)));
        break;
    }
    WriteBytes(folder.File("save"), save);
    std::remove(folder.File("save.damaged").c_str());
    if (!StartAndContinue()) {
      ++refused;
      EXPECT_EQ(game->Settings.Block.DungeonIndex, dungeon);
      if (save != whole) {
        EXPECT_TRUE(FileExists(folder.File("save.damaged")));
      }
      continue;
    }
    ++continued;
    PlayTurns(3);
    // What the exit writes, the next start continues.
    const bool inProgress = game->SaveImage.Block.GameInProgress != 0;
    ASSERT_TRUE(game->WriteSaveFile());
    EXPECT_EQ(StartAndContinue(), inProgress);
  }
  // Both ways are taken often.
  EXPECT_GT(continued, Rounds / 10);
  EXPECT_GT(refused, Rounds / 10);
}

}  // namespace
