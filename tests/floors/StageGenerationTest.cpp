#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FloorGenerationSupport.h"
#include "floors/CStageBlock.h"
#include "floors/StagePlacement.h"
#include "floors/StageSightMap.h"
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
    EXPECT_EQ(floor.GetCharacterAt(c->x, c->y), c);
    // Mining points stand among the monsters but are none.
    if (c->IsMiningPoint()) continue;
    if (c->IsDormant()) {
      ++dormant;
      EXPECT_TRUE(floor.IsMonsterHouseFloor(c->x, c->y) || floor.IsStairs(c->x, c->y));
    } else {
      ++awake;
      awakeInSight += floor.HasLineOfSight(px, py, c->x, c->y);
    }
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

// Terrain and placements of a few floors from fixed seeds. They hold the
// orders generation chose where two draws could go either way: the house
// roll drawn on every block, and each side's corridor dug right after its
// own test. Monsters are stubs that draw nothing; the mining points are
// real and draw their cells (the last ones listed, a house's chests first).
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
  // A forest floor: no traps.
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel1_1>(7, Player()),
            "c34021b5d2213b2e P37,36 S13,14 M 6,19 23,25 25,20 28,20 3,5 36,13 15,14 7,35 4,16 6,27 11,17 24,33 "
            "25,32 T");
  // The same draws on a lake floor: the same rooms, their walls turned to lake.
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel2_2>(7, Player()),
            "2a47f634a31854b3 P37,36 S13,14 M 6,19 23,25 25,20 28,20 3,5 36,13 15,14 7,35 4,16 6,27 11,17 24,33 "
            "25,32 T");
  // A cave with a monster house: the house's chests, dormant monsters and
  // traps first.
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel3_6>(1234, Player()),
            "81b9875e17f72088 P31,3 S32,17 M 33,5 33,2 35,5 27,5 26,5 27,6 30,2 29,2 25,4 30,6 29,5 34,4 28,6 36,4 "
            "25,6 12,4 33,28 9,10 6,4 32,4 31,2 28,32 33,31 15,15 11,16 9,27 16,18 T 6,14 29,6 31,2 33,4 34,6 36,12");
  // A tower: walled edges, houses, two monsters in sight at most.
  EXPECT_EQ(GenerateAndDescribe<CStageDataLevel6_10>(99, Player()),
            "92038a1a36796840 P21,17 S3,32 M 5,21 20,20 22,16 28,34 6,16 3,30 15,20 5,17 29,23 21,12 18,17 21,23 "
            "27,33 28,11 9,25 8,34 6,23 24,34 5,24 8,11 5,32 3,18 29,12 28,21 7,12 10,14 11,16 6,31 17,29 T 6,24 "
            "7,24 9,10 12,23 17,14 20,23 21,17 22,10 23,22 24,33");
}

// A floor whose terrain is drawn by the test instead of generated.
template <class Floor>
class Drawn : public Stubbed<Floor> {
public:
  explicit Drawn(std::vector<std::string> rows) : Rows(std::move(rows)) {}
  bool GenerateTerrain(int, int, int, int) override {
    for (TerrainCode& t : this->terrain) t = TerrainWall;
    for (int y = 0; y < static_cast<int>(Rows.size()); ++y)
      for (int x = 0; x < static_cast<int>(Rows[y].size()); ++x)
        if (Rows[y][x] == '.' || Rows[y][x] == '+')
          this->terrain[CellIndex(x, y)] = Rows[y][x] == '+' ? TerrainCorridor : TerrainRoom;
    return true;
  }
  std::vector<std::string> Rows;
};

TEST_F(Generation, AFloorWithoutRoomForThemSkipsThePlacementsInsteadOfHanging) {
  // Only corridor: no cell for the player, the monsters, the stairs or the traps.
  Drawn<CStageDataLevel1Cave1> floor({"", "  ++++++++++"});
  SeedRandom(8);
  floor.GenerateFloor();
  EXPECT_GT(floor.Picked, 0);
  EXPECT_EQ(GetGameMain()->Characters.GetCount(), 0);
  for (int i = 0; i < StageCellCount; ++i) {
    EXPECT_EQ(floor.characterAt[i], nullptr);
    EXPECT_EQ(floor.itemAt[i], nullptr);
    EXPECT_NE(floor.terrain[i], TerrainStairs);
  }
}

TEST_F(Generation, StairsBesideCorridorsOnlyWhenNoOtherCellIsLeft) {
  // Every room cell touches the corridor above it.
  Drawn<CStageDataLevel1Cave1> floor({"", "", "", "  ++++++++++++++++++++", "  ...................."});
  SeedRandom(9);
  floor.GenerateFloor();
  EXPECT_EQ(floor.GetCharacterAt(Player()->x, Player()->y), Player());
  int stairs = 0;
  for (int x = 0; x < StageMapSize; ++x) stairs += floor.IsStairs(x, 4);
  EXPECT_EQ(stairs, 1);
}

TEST(Placement, AHopelessSearchMovesTheSequenceAsItsDrawsWouldHave) {
  SeedRandom(21);
  for (int i = 0; i < RandomsPerCellDraw * PlacementTryLimit; ++i) Random();
  const int after = Random();
  SeedRandom(21);
  int x = -1, y = -1;
  EXPECT_FALSE(FindPlacementCell([](int, int) { return false; }, DrawMapCell, CellRect{}, x, y));
  EXPECT_EQ(Random(), after);
  // Draws that never land on the one cell that takes: the scan finds it.
  EXPECT_TRUE(FindPlacementCell([](int cx, int cy) { return cx == 7 && cy == 3; },
                                [](int& cx, int& cy) { cx = Random() % 5, cy = Random() % 2; }, CellRect{}, x, y));
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 3);
}

// The player's sight of the whole floor, worked out at once, is what the
// floor answers cell by cell.
TEST_F(Generation, TheSightMapAgreesWithLineOfSightEverywhere) {
  auto check = [](const CStageData& floor, int fx, int fy) {
    std::uint8_t seen[StageCellCount];
    ComputeSightMap(floor, fx, fy, seen);
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        if ((seen[CellIndex(x, y)] != 0) != floor.HasLineOfSight(fx, fy, x, y)) return testing::AssertionFailure() << "from " << fx << "," << fy << " to " << x << "," << y;
    return testing::AssertionSuccess();
  };
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    SeedRandom(seed * 2654435761u);
    auto* floor = new Stubbed<CStageDataLevel3Cave1>();
    floor->GenerateFloor();
    EXPECT_TRUE(check(*floor, Player()->x, Player()->y)) << seed;
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(check(*floor, Random() % StageMapSize, Random() % StageMapSize)) << seed;
    Discard(floor);
  }
  // A pinch: the two cells towards the source are wall, the diagonal one open.
  CStageData pinch;
  for (TerrainCode& t : pinch.terrain) t = TerrainRoom;
  pinch.terrain[CellIndex(6, 5)] = pinch.terrain[CellIndex(5, 6)] = TerrainWall;
  EXPECT_FALSE(pinch.HasLineOfSight(5, 5, 7, 7));
  EXPECT_TRUE(check(pinch, 5, 5));
  for (int i = 0; i < 300; ++i) pinch.terrain[Random() % StageCellCount] = TerrainWall;
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(check(pinch, Random() % StageMapSize, Random() % StageMapSize));
}

// The monster-house roll is drawn on every block, also when the chance is
// 0: a chance that rounds to 0 below the root changes nothing else.
TEST_F(Generation, TheMonsterHouseRollIsDrawnAtChanceZero) {
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed * 2654435761u);
    const bool rootHouse = Random() % 65535 < 1;
    if (rootHouse) continue;
    CStageData none, one;
    one.MonsterHouseChance = 1;  // 1 at the root, 0 below it
    SeedRandom(seed * 2654435761u);
    none.GenerateTerrain(0, 0, StageMapSize, StageMapSize);
    SeedRandom(seed * 2654435761u);
    one.GenerateTerrain(0, 0, StageMapSize, StageMapSize);
    EXPECT_EQ(TerrainHash(none), TerrainHash(one)) << seed;
    ++compared;
  }
  EXPECT_GT(compared, 190);
}

TEST_F(Generation, AHouseAtTheRootFillsTheMapWithOneRoomAndNoCorridor) {
  std::uint32_t seed = 1;
  for (;; ++seed) {
    SeedRandom(seed * 2654435761u);
    if (Random() % 65535 < 1280) break;
  }
  SeedRandom(seed * 2654435761u);
  Stubbed<CStageDataLevel3Cave1> floor;
  floor.GenerateTerrain(0, 0, StageMapSize, StageMapSize);
  EXPECT_EQ(floor.MonsterHouseChance, 0);
  EXPECT_EQ(CountCode(floor, TerrainCorridor), 0);
  EXPECT_EQ(CountCode(floor, TerrainRoom), 0);
  // At least two thirds of the inside, walled all round.
  EXPECT_GE(CountCode(floor, TerrainMonsterHouse), 25 * 25);
  for (int i = 0; i < StageMapSize; ++i) {
    EXPECT_FALSE(floor.IsFloor(i, 1));
    EXPECT_FALSE(floor.IsFloor(1, i));
    EXPECT_FALSE(floor.IsFloor(i, 38));
    EXPECT_FALSE(floor.IsFloor(38, i));
  }
  EXPECT_GE(floor.Picked, 10);
}

}  // namespace
