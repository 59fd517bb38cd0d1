#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FloorGenerationSupport.h"
#include "floors/CStageBlock.h"
#include "floors/StageFloors.h"
#include "items/CItem.h"

namespace {

using floorgen::Stubbed;
using floorgen::TerrainHash;

class Generation : public floorgen::WithPlayer {};

int CountCode(const CStageData& floor, TerrainCode code) {
  return static_cast<int>(std::count(std::begin(floor.terrain), std::end(floor.terrain), code));
}

// Every passable cell reached from the player's cell by straight steps.
std::vector<bool> ReachedFrom(const CStageData& floor, int x, int y) {
  std::vector<bool> reached(StageCellCount, false);
  std::vector<int> open = {CellIndex(x, y)};
  reached[CellIndex(x, y)] = true;
  while (!open.empty()) {
    const int cell = open.back();
    open.pop_back();
    const int cx = cell / StageMapSize, cy = cell % StageMapSize;
    const int next[4][2] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
    for (const auto& n : next) {
      if (!floor.IsPassable(n[0], n[1]) || reached[CellIndex(n[0], n[1])]) continue;
      reached[CellIndex(n[0], n[1])] = true;
      open.push_back(CellIndex(n[0], n[1]));
    }
  }
  return reached;
}

bool TouchesCorridor4(const CStageData& floor, int x, int y) {
  return floor.IsCorridor(x - 1, y) || floor.IsCorridor(x + 1, y) || floor.IsCorridor(x, y - 1) ||
         floor.IsCorridor(x, y + 1);
}

bool TouchesCorridor8(const CStageData& floor, int x, int y) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if ((dx || dy) && floor.IsCorridor(x + dx, y + dy)) return true;
  return false;
}

// Everything a generated floor of the area must hold, whatever the seed.
template <class Area>
void CheckGeneratedFloor(Stubbed<Area>& floor, CCharacter* player, std::uint32_t seed) {
  const AreaClassRow& row = Area::Row();
  SCOPED_TRACE(testing::Message() << "area " << static_cast<int>(Area::AreaOfClass) << " seed " << seed);
  const int px = player->x, py = player->y;
  ASSERT_EQ(floor.GetCharacterAt(px, py), player);
  // The stairs do not look at who stands on their cell.
  ASSERT_TRUE(floor.IsFloor(px, py) || floor.IsStairs(px, py));
  EXPECT_EQ(floor.CameraX, px);
  EXPECT_EQ(floor.CameraY, py);

  // One stairs cell, clear of corridors, reachable; the whole floor is one piece.
  ASSERT_EQ(CountCode(floor, TerrainStairs), 1);
  int sx = 0, sy = 0;
  for (int i = 0; i < StageCellCount; ++i)
    if (floor.terrain[i] == TerrainStairs) sx = i / StageMapSize, sy = i % StageMapSize;
  EXPECT_FALSE(TouchesCorridor8(floor, sx, sy));
  const std::vector<bool> reached = ReachedFrom(floor, px, py);
  EXPECT_TRUE(reached[CellIndex(sx, sy)]);
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y)
      if (floor.IsPassable(x, y)) {
        ASSERT_TRUE(reached[CellIndex(x, y)]) << x << "," << y;
      }
  // The outermost ring stays closed.
  for (int i = 0; i < StageMapSize; ++i) {
    EXPECT_FALSE(floor.IsPassable(i, 0));
    EXPECT_FALSE(floor.IsPassable(0, i));
    EXPECT_FALSE(floor.IsPassable(i, StageMapSize - 1));
    EXPECT_FALSE(floor.IsPassable(StageMapSize - 1, i));
  }

  // Ground of the area.
  if (row.Ground == AreaGround::Lake) {
    EXPECT_EQ(CountCode(floor, TerrainWall), 0);
  } else {
    EXPECT_EQ(CountCode(floor, TerrainBarrier), 0);
  }
  EXPECT_EQ(CountCode(floor, TerrainRock), 0);

  // At most one monster house, a rectangle of code 1, and only where the area has them.
  const int houseCells = CountCode(floor, TerrainMonsterHouse);
  if (row.MonsterHouseChance == 0) {
    EXPECT_EQ(houseCells, 0);
  }
  int dormant = 0, awake = 0, awakeInSight = 0;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    if (c->IsDormant()) {
      ++dormant;
      EXPECT_TRUE(floor.IsMonsterHouseFloor(c->x, c->y) || floor.IsStairs(c->x, c->y));
    } else {
      ++awake;
      awakeInSight += floor.HasLineOfSight(px, py, c->x, c->y);
    }
    EXPECT_EQ(floor.GetCharacterAt(c->x, c->y), c);
  }
  if (houseCells > 0) {
    EXPECT_EQ(floor.MonsterHouseChance, 0);
    EXPECT_GE(dormant, 10);
    EXPECT_LE(dormant, 15);
    int minX = 40, maxX = -1, minY = 40, maxY = -1;
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        if (floor.IsMonsterHouseFloor(x, y))
          minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    // The stairs may stand in the house.
    const bool stairsInside = sx >= minX && sx <= maxX && sy >= minY && sy <= maxY;
    EXPECT_EQ((maxX - minX + 1) * (maxY - minY + 1), houseCells + stairsInside);
  } else {
    EXPECT_EQ(dormant, 0);
  }
  EXPECT_GE(awake, 5);
  EXPECT_LE(awake, 7);
  // More monsters in sight than the area allows only when no free floor cell
  // was out of sight.
  if (awakeInSight > row.MaxEnemiesInView) {
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        if (floor.IsFloor(x, y) && !floor.GetCharacterAt(x, y)) {
          EXPECT_TRUE(floor.HasLineOfSight(px, py, x, y));
        }
  }

  // Traps: within the area's count plus a monster house's, none beside a corridor.
  int traps = 0;
  for (int x = 0; x < StageMapSize; ++x) {
    for (int y = 0; y < StageMapSize; ++y) {
      const CItem* item = floor.GetItemAt(x, y);
      if (item == nullptr) continue;
      ASSERT_TRUE(item->IsTrap());
      ++traps;
      EXPECT_TRUE(floor.IsFloor(x, y));
      EXPECT_FALSE(TouchesCorridor4(floor, x, y));
    }
  }
  EXPECT_LE(traps, row.Traps.Base + row.Traps.Range - 1 + (houseCells > 0 ? 6 : 0));

  // Mining points asked for: the fixed ones and the area's extra range.
  const int fixed = row.Mines + row.Trees + row.Bushes;
  EXPECT_GE(floor.MiningPoints, fixed + row.ExtraMiningPoints.Base);
  EXPECT_LE(floor.MiningPoints, fixed + row.ExtraMiningPoints.Base + row.ExtraMiningPoints.Range - 1);
}

template <class... Areas>
struct AreaList {};

using AllAreas = AreaList<
    CStageDataLite1Grass, CStageDataLite1Lake, CStageDataLite1Cave1, CStageDataLite1Cave2, CStageDataLite1Ice1,
    CStageDataLevel1Grass, CStageDataLevel1Cave1, CStageDataLevel2Lake, CStageDataLevel2Mountain,
    CStageDataLevel2Cave2, CStageDataLevel3SnowField1, CStageDataLevel3Cave1, CStageDataLevel3Cave2,
    CStageDataLevel3Ice1, CStageDataLevel4Desert1, CStageDataLevel4Cave2, CStageDataLevel4Lake,
    CStageDataLevel4Cave1, CStageDataLevel4Mountain, CStageDataLevel4Volcano1, CStageDataLevel5Grass1,
    CStageDataLevel5Cave1, CStageDataLevel5Lake1, CStageDataLevel5Mountain1, CStageDataLevel5SnowField1,
    CStageDataLevel5Ice1, CStageDataLevel5Desert1, CStageDataLevel5Volcano1, CStageDataLevel5Castle1,
    CStageDataLevel5Castle2, CStageDataLevel6Tower1, CStageDataLevel6Tower1_1, CStageDataLevel6Tower2,
    CStageDataLevel6Tower3, CStageDataLevel6Tower4, CStageDataLevel6Lab1, CStageDataLevel6Boss1>;

constexpr std::uint32_t SeedsPerArea = 1000;

template <class Area>
void CheckSeeds(floorgen::WithPlayer&, CCharacter* player) {
  int houses = 0;
  for (std::uint32_t seed = 1; seed <= SeedsPerArea; ++seed) {
    // Spread over the whole range: small neighbouring seeds start alike.
    SeedRandom(seed * 2654435761u);
    auto* floor = new Stubbed<Area>();
    floor->GenerateFloor();
    CheckGeneratedFloor(*floor, player, seed);
    houses += CountCode(*floor, TerrainMonsterHouse) > 0;
    GetGameMain()->Characters.DeleteAllButPlayer();
    delete floor;
    if (testing::Test::HasFatalFailure()) return;
  }
  // Areas with monster houses do get them now and then.
  if (Area::Row().MonsterHouseChance > 0) {
    EXPECT_GT(houses, 0) << static_cast<int>(Area::AreaOfClass);
  }
}

template <class... Areas>
void CheckAllAreas(floorgen::WithPlayer& test, CCharacter* player, AreaList<Areas...>) {
  (CheckSeeds<Areas>(test, player), ...);
}

TEST_F(Generation, AThousandSeedsOfEveryAreaGiveConnectedFloorsWithinTheirCounts) {
  CheckAllAreas(*this, Player(), AllAreas{});
}

// Terrain and placements of a few floors from fixed seeds. Monsters are
// stubs that draw nothing and mining points have no class yet: re-pin when
// the monster and mining-point classes exist.
std::string Describe(const CStageData& floor, const CCharacter* player) {
  std::ostringstream out;
  out << std::hex << TerrainHash(floor) << std::dec << " P" << player->x << "," << player->y;
  for (int i = 0; i < StageCellCount; ++i)
    if (floor.terrain[i] == TerrainStairs) out << " S" << i / StageMapSize << "," << i % StageMapSize;
  out << " M";
  for (CCharacter* c : GetGameMain()->Characters.Walk()) out << " " << c->x << "," << c->y;
  out << " T";
  for (int i = 0; i < StageCellCount; ++i)
    if (floor.itemAt[i]) out << " " << i / StageMapSize << "," << i % StageMapSize;
  return out.str();
}

template <class Floor>
std::string GenerateAndDescribe(std::uint32_t seed, CCharacter* player) {
  SeedRandom(seed);
  auto* floor = new Stubbed<Floor>();
  floor->GenerateFloor();
  std::string text = Describe(*floor, player);
  GetGameMain()->Characters.DeleteAllButPlayer();
  delete floor;
  return text;
}

TEST_F(Generation, SeededFloorsArePinned) {
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel1_1>(7, Player()), "");
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel2_2>(7, Player()), "");
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel3_6>(1234, Player()), "");
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel6_10>(99, Player()), "");
}

}  // namespace
