// What happens to a floor every frame and every turn, and the per-cell random.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/FloorTestSupport.h"
#include "platform/Random.h"

namespace {

using floortest::MakeFloor;

TEST(StageFrame, TheScrollRunsEightFramesThenTheViewRests) {
  CStageData floor;
  floor.PrevCameraX = 4;
  floor.PrevCameraY = 4;
  floor.CameraX = 5;
  floor.CameraY = 4;
  floor.StartScroll();
  for (int frame = 1; frame < 8; ++frame) {
    floor.Update();
    EXPECT_EQ(floor.ScrollCounter, frame);
    EXPECT_EQ(floor.PrevCameraX, 4) << "the slide starts from the old camera";
  }
  floor.Update();
  EXPECT_EQ(floor.ScrollCounter, 8);
  EXPECT_EQ(floor.PrevCameraX, 5);
  floor.Update();
  EXPECT_EQ(floor.ScrollCounter, 8);
}

// A floor whose spawn pick is a plain character, counted.
class SpawningFloor : public CStageData {
public:
  CCharacter* PickEnemy() override {
    ++Picks;
    return new CCharacter;
  }
  int Picks = 0;
};

class StageTurn : public ::testing::Test {
protected:
  void TearDown() override { GetGameMain()->Characters.DeleteAll(); }

  // Every character the game's list holds.
  static std::vector<CCharacter*> Listed() {
    std::vector<CCharacter*> all;
    for (CCharacter* c : GetGameMain()->Characters.Walk()) all.push_back(c);
    return all;
  }
};

TEST_F(StageTurn, EveryFiftiethTurnAMonsterArrivesOutOfView) {
  SpawningFloor floor;
  floor.CameraX = floor.CameraY = 20;
  SeedRandom(17);
  for (int turn = 1; turn < 50; ++turn) floor.AdvanceTurn();
  EXPECT_EQ(floor.Picks, 0);
  EXPECT_TRUE(Listed().empty());

  floor.AdvanceTurn();
  EXPECT_EQ(floor.TurnCounter, 50);
  ASSERT_EQ(Listed().size(), 1u);
  CCharacter* monster = Listed()[0];
  const int x = monster->GetX(), y = monster->GetY();
  EXPECT_EQ(floor.GetCharacterAt(x, y), monster);
  EXPECT_TRUE(floor.IsFloor(x, y));
  EXPECT_FALSE(floor.IsInDrawArea(x, y));
  // The cell draws run x then y on the game's generator; pinned for seed 17.
  EXPECT_EQ(x, 14);
  EXPECT_EQ(y, 2);

  for (int turn = 51; turn <= 100; ++turn) floor.AdvanceTurn();
  EXPECT_EQ(floor.Picks, 2);
  EXPECT_EQ(Listed().size(), 2u);
}

// A count at its top, as a save can hand it over, starts again where the
// spawn cycle stands instead of overflowing.
TEST_F(StageTurn, TheTurnCountWrapsOnItsSpawnCycle) {
  SpawningFloor floor;
  floor.CameraX = floor.CameraY = 20;
  floor.TurnCounter = 2147483647;  // 47 past a spawn
  floor.AdvanceTurn();
  EXPECT_EQ(floor.TurnCounter, 48);
  floor.AdvanceTurn();
  floor.AdvanceTurn();
  EXPECT_EQ(floor.TurnCounter, 50);
  EXPECT_EQ(floor.Picks, 1);
}

TEST_F(StageTurn, WithNoFreeCellOutOfViewNoMonsterIsAdded) {
  // Open floor only around the camera; the rest is wall.
  auto rows = std::vector<std::string>(12, std::string(12, '.'));
  auto floor = std::make_unique<SpawningFloor>();
  floortest::Carve(*floor, rows);
  floor->CameraX = floor->CameraY = 5;
  floor->TurnCounter = 49;
  floor->AdvanceTurn();  // returns: the search is bounded, and the pick is not leaked
  EXPECT_EQ(floor->Picks, 1);
  EXPECT_TRUE(Listed().empty());

  // One free cell far away is found even when the draws miss it.
  floor->terrain[CellIndex(39, 39)] = TerrainRoom;
  floor->TurnCounter = 99;
  floor->AdvanceTurn();
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(floor->GetCharacterAt(39, 39), Listed()[0]);
}

TEST(StageRandom, ACellGetsTheSameNumberInAnyOrder) {
  CStageData floor;
  floor.SeedRandom(1234);
  const int direct = floor.RandomForCell(3, 7);
  floor.SeedRandom(1234);
  for (int y = 0; y < 7; ++y) floor.RandomForCell(3, y);
  EXPECT_EQ(floor.RandomForCell(3, 7), direct) << "in order";
  floor.SeedRandom(1234);
  floor.RandomForCell(20, 20);
  EXPECT_EQ(floor.RandomForCell(3, 7), direct) << "after a later cell";
  EXPECT_EQ(floor.RandomForCell(3, 7), direct) << "asked again";

  // It is the (3 * 40 + 7 + 1)-th number of the seeded visual generator.
  SeedVisualRandom(1234);
  int expected = 0;
  for (int i = 0; i <= 3 * 40 + 7; ++i) expected = VisualRandom();
  EXPECT_EQ(direct, expected);
}

TEST(StageRandom, TheCellRandomNeverMovesTheGameSequence) {
  SeedRandom(99);
  const int first = Random(), second = Random();
  SeedRandom(99);
  EXPECT_EQ(Random(), first);
  CStageData floor;
  floor.SeedRandom(5);
  floor.RandomForCell(39, 39);
  EXPECT_EQ(Random(), second);
}

}  // namespace
