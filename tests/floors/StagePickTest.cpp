// Picking from the tables: monsters by spawn row, traps, the gallery's
// levelling, and the mining points.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "FloorGenerationSupport.h"
#include "floors/GalleryPick.h"
#include "floors/SpawnTables.h"
#include "floors/StageFactory.h"
#include "floors/StageFloors.h"
#include "items/CItem.h"

namespace {

TEST(SpawnPick, RowsAreWalkedInStoredOrderAndWeightZeroIsNeverPicked) {
  // STRANGE CAVE floor 1 (total 6): 0-2 Slime1, 3-4 Rat1, 5 Kobold1.
  const SpawnEntry* cave = GetFloorSpawnTable(700);
  const int expected[6] = {256, 256, 256, 259, 259, 262};
  for (int roll = 0; roll < 6; ++roll) EXPECT_EQ(GetSpawnRowForRoll(cave, roll)->Type, expected[roll]) << roll;
  EXPECT_EQ(GetSpawnRowForRoll(cave, 6), nullptr);
  EXPECT_EQ(GetSpawnRowForRoll(cave, -1), nullptr);
  EXPECT_EQ(GetSpawnRowForRoll(nullptr, 0), nullptr);
  // FROZEN MOUNTAIN floor 1: the rows of weight 0 between the others take no roll.
  const SpawnEntry* mountain = GetFloorSpawnTable(200);
  std::map<int, int> picks;
  for (int roll = 0; roll < GetSpawnTotalWeight(mountain); ++roll) ++picks[GetSpawnRowForRoll(mountain, roll)->Type];
  EXPECT_EQ(picks, (std::map<int, int>{{256, 3}, {283, 3}, {262, 2}}));
}

// A table with no weight, or none at all, gives no monster without a draw.
TEST(SpawnPick, NoTableOrNoWeightGivesNoMonsterAndDrawsNothing) {
  CStageData floor;
  const SpawnEntry weightless[] = {{256, 0, 50}, {259, 0, 50}, {SpawnTableEnd, 2, 50}};
  const SpawnEntry* tables[] = {nullptr, weightless, GetFloorSpawnTable(635), GetFloorSpawnTable(636)};
  for (const SpawnEntry* table : tables) {
    SeedRandom(11);
    const int first = Random();
    SeedRandom(11);
    EXPECT_EQ(floor.PickFromSpawnTable(table), nullptr);
    EXPECT_EQ(Random(), first);
  }
  // The last floors of ALCHEMIST'S LAB never pick at random (their classes
  // come with their layouts; their tables are all weight 0).
  EXPECT_EQ(GetSpawnTotalWeight(GetFloorSpawnTable(635)), 0);
  EXPECT_EQ(GetSpawnTotalWeight(GetFloorSpawnTable(636)), 0);
}

// A picked monster is its row's type, held when the row's percent roll
// says so, and faces the way the third draw gives.
TEST(SpawnPick, APickDrawsRowThenHoldThenFacing) {
  CStageData floor;
  static constexpr Direction Facings[8] = {5, 4, 6, 1, 2, 9, 8, 10};
  struct Row {
    int Percent;
    bool Held;
  };
  for (const Row& r : {Row{100, true}, Row{0, false}}) {
    const SpawnEntry table[] = {{256, 0, r.Percent}, {259, 1, r.Percent}, {SpawnTableEnd, 0, 0}};
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
      SeedRandom(seed);
      Random();  // the row roll; one row has weight
      Random();  // the hold roll
      const Direction facing = Facings[Random() & 7];
      SeedRandom(seed);
      std::unique_ptr<CCharacter> monster(floor.PickFromSpawnTable(table));
      ASSERT_NE(monster, nullptr);
      EXPECT_EQ(monster->type, 259);
      EXPECT_EQ(monster->status[static_cast<int>(StatusKind::Hold)] != 0, r.Held) << r.Percent;
      EXPECT_EQ(monster->direction, facing) << seed;
    }
  }
}

TEST(TrapPick, EightTrapsComeEquallyFromOneDraw) {
  CStageData floor;
  std::map<ItemId, int> seen;
  for (std::uint32_t seed = 1; seed <= 1600; ++seed) {
    SeedRandom(seed * 2654435761u);
    const int r = (Random(), Random());
    SeedRandom(seed * 2654435761u);
    std::unique_ptr<CItem> trap(floor.PickTrap());
    ASSERT_NE(trap, nullptr);
    EXPECT_TRUE(trap->IsTrap());
    EXPECT_EQ(Random(), r) << "one draw";
    ++seen[trap->GetId()];
  }
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen.begin()->first, 0xc00);
  EXPECT_EQ(seen.rbegin()->first, 0xc07);
  for (const auto& [id, count] : seen) EXPECT_GT(count, 120) << id;
}

class Monster : public CCharacter {
public:
  Monster(CharacterType t, int hitPoints, int experience) {
    type = t;
    hp = maxHp = attack = strength = intelligence = hitPoints;
    defence = 7;
    exp = experience;
  }
};

TEST(GalleryPick, MonstersTakeTheFloorsLevelAndTheirGradesBonus) {
  struct Case {
    CharacterType Type;
    int Exp;
    int Hp, ExpAfter;
  };
  const Case cases[] = {
      {256, 0, 95, 1},   // grade 1: stats kept, at least 1 experience
      {259, 5, 95, 5},
      {257, 0, 104, 0},  // grade 2: 110 %, experience untouched
      {258, 0, 114, 1},  // grade 3: 120 %, at least 1 experience
      {360, 4, 114, 4},
      {361, 0, 104, 0},  // Mimic1 and Treant1: 110 % (tested before the grades)
      {364, 0, 104, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Type);
    Monster monster(c.Type, 95, c.Exp);
    EXPECT_EQ(ApplyGalleryLevel(&monster, 10), &monster);
    EXPECT_EQ(monster.level, 10);
    EXPECT_EQ(monster.hp, c.Hp);
    EXPECT_EQ(monster.maxHp, c.Hp);
    EXPECT_EQ(monster.attack, c.Hp);
    EXPECT_EQ(monster.strength, c.Hp);
    EXPECT_EQ(monster.intelligence, c.Hp);
    EXPECT_EQ(monster.defence, 7);
    EXPECT_EQ(monster.exp, c.ExpAfter);
  }
  Monster low(256, 10, 1), high(256, 10, 1);
  ApplyGalleryLevel(&low, -3);
  ApplyGalleryLevel(&high, 4000000000ll);
  EXPECT_EQ(low.level, 1);
  EXPECT_EQ(high.level, 100);
  EXPECT_EQ(ApplyGalleryLevel(nullptr, 10), nullptr);
  CStageData tableless;
  EXPECT_EQ(PickGalleryEnemy(tableless), nullptr);
}

TEST(LooseItemPick, AreasPickFromTheTableOfTheDungeonsCleared) {
  std::uint32_t (&cleared)[8] = GetGameMain()->Settings.Block.DungeonClearedFlags;
  std::uint32_t saved[8];
  std::copy(std::begin(cleared), std::end(cleared), saved);
  CStageDataLevel1Grass floor;
  auto picks = [&floor] {
    std::set<ItemId> ids;
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
      SeedRandom(seed * 2654435761u);
      std::unique_ptr<CItem> item(floor.PickFloorItem());
      EXPECT_NE(item, nullptr);
      if (!item) continue;
      EXPECT_EQ(item->GetCount(), 1);
      ids.insert(item->GetId());
    }
    return ids;
  };
  std::fill(std::begin(cleared), std::end(cleared), 0u);
  const std::set<ItemId> none = picks();
  EXPECT_EQ(none.size(), 22u);
  EXPECT_TRUE(none.count(0x807));
  EXPECT_FALSE(none.count(0x819));
  cleared[4] = 1;  // VOLCANIC DESERT cleared: the richest table
  const std::set<ItemId> rich = picks();
  EXPECT_EQ(rich.size(), 37u);
  EXPECT_TRUE(rich.count(0x81d));
  std::copy(std::begin(saved), std::end(saved), cleared);
}

// Counts the mining points asked for, and places none (placing draws).
class CountingFloor : public CStageDataLevel1Grass {
public:
  bool PlaceAtRandomCell(CCharacter* character) override {
    ++Asked;
    delete character;
    return true;
  }
  int GetExtraMiningPointCount() override { return Extra; }
  int GetMineWeight() override { return Weights[0]; }
  int GetTreeWeight() override { return Weights[1]; }
  int GetBushWeight() override { return Weights[2]; }
  int GetChestWeight() override { return Weights[3]; }
  int Asked = 0;
  int Extra = 0;
  int Weights[4] = {2, 2, 2, 1};
};

TEST(MiningPoints, FixedPointsThenExtrasWhileAnyWeightIsLeft) {
  CountingFloor floor;
  floor.Extra = 6;
  floor.LayMiningPoints();
  EXPECT_EQ(floor.Asked, 3 + 6);
  // Without weight the extra points stop at once: no division by zero.
  CountingFloor empty;
  empty.Extra = 3;
  for (int& w : empty.Weights) w = 0;
  SeedRandom(3);
  const int first = Random();
  SeedRandom(3);
  empty.LayMiningPoints();
  EXPECT_EQ(empty.Asked, 3);
  EXPECT_EQ(Random(), first);
  // More extras than weight: as many as the weight holds.
  CountingFloor few;
  few.Extra = 9;
  few.LayMiningPoints();
  EXPECT_EQ(few.Asked, 3 + 7);
}

TEST(MiningPoints, APointWithNoRoomForItIsGivenUp) {
  CStageDataLevel1Grass floor;
  for (TerrainCode& t : floor.terrain) t = TerrainWall;
  // Floor cells, but none with four floor neighbours.
  for (int x = 5; x < 30; ++x) floor.terrain[CellIndex(x, 5)] = TerrainRoom;
  EXPECT_FALSE(floor.PlaceAtRandomCell(new floorgen::StubMonster()));
  EXPECT_FALSE(floor.PlaceAtRandomCell(nullptr));
  floor.terrain[CellIndex(10, 4)] = floor.terrain[CellIndex(10, 6)] = TerrainRoom;
  auto* point = new floorgen::StubMonster();
  EXPECT_TRUE(floor.PlaceAtRandomCell(point));
  EXPECT_EQ(floor.GetCharacterAt(10, 5), point);
  EXPECT_EQ(point->x, 10);
  GetGameMain()->Characters.DeleteAllButPlayer();
}

}  // namespace
