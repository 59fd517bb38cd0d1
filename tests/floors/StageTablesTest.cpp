#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "floors/SpawnTables.h"
#include "floors/StageAreaTables.h"
#include "floors/StageIds.h"

namespace {

// Language and floor number of the live settings, put back after each test.
class StageNames : public ::testing::Test {
protected:
  void SetUp() override {
    language_ = GetGameMain()->Settings.Block.Language;
    floor_ = GetGameMain()->Settings.Block.FloorNumber;
    GetGameMain()->Settings.Block.Language = LanguageEnglish;
  }
  void TearDown() override {
    GetGameMain()->Settings.Block.Language = language_;
    GetGameMain()->Settings.Block.FloorNumber = floor_;
  }
  std::string Name(StageId id) {
    char buffer[StageNameSize] = "untouched";
    return GetStageName(id, buffer);
  }

private:
  std::uint32_t language_ = 0;
  std::uint32_t floor_ = 0;
};

TEST_F(StageNames, EveryDungeonNamesItsFloorsByNumber) {
  GetGameMain()->Settings.Block.FloorNumber = 100;
  const struct {
    StageId Id;
    const char* Name;
  } cases[] = {
      {0, "PHANTOM FOREST 1F"},    {6, "PHANTOM FOREST 7F"},      {100, "LAKE OF MIST 1F"},
      {218, "FROZEN MOUNTAIN 19F"}, {300, "VOLCANIC DESERT 1F"},  {430, "UNTRODDEN REGION 31F"},
      {636, "ALCHEMIST'S LAB 37F"}, {700, "STRANGE CAVE 1F"},     {710, "STRANGE CAVE 11F"},
      {500, "TUTORIAL"},            {817, "ETERNAL GALLERY 100F"}, {803, "ETERNAL GALLERY 100F"},
      // No floor: the buffer is left as it was.
      {7, "untouched"}, {50, "untouched"}, {113, "untouched"}, {-1, "untouched"}, {599, "untouched"},
      {711, "untouched"}, {818, "untouched"},
  };
  for (const auto& c : cases) EXPECT_EQ(Name(c.Id), c.Name) << c.Id;
}

TEST_F(StageNames, GalleryShowsTheFloorCounterAndJapaneseKeepsTheSuffix) {
  GetGameMain()->Settings.Block.FloorNumber = 42;
  EXPECT_EQ(Name(800), "ETERNAL GALLERY 42F");
  GetGameMain()->Settings.Block.Language = LanguageJapanese;
  EXPECT_EQ(Name(2), std::string(GetText(LanguageJapanese, 1144)) + " 3F");
}

TEST_F(StageNames, ASmallBufferIsCutAtACharacterBoundary) {
  char buffer[8];
  EXPECT_STREQ(GetStageName(430, buffer, sizeof buffer), "UNTRODD");
  GetGameMain()->Settings.Block.Language = LanguageJapanese;
  // Every byte of a double-byte character or none of it.
  GetStageName(430, buffer, sizeof buffer);
  const std::string full = std::string(GetText(LanguageJapanese, 1148)) + " 31F";
  const std::size_t length = std::strlen(buffer);
  EXPECT_EQ(length % 2, 0u);
  EXPECT_EQ(full.compare(0, length, buffer), 0);
}

TEST(StageIdRanges, FixedFloorsNumberEveryIdOfTheSevenRangesOnce) {
  std::set<int> indexes;
  int ids = 0;
  for (StageId id = -10; id < 1000; ++id) {
    const int index = GetFixedFloorIndex(id);
    const DungeonRange* dungeon = FindFixedDungeon(id);
    EXPECT_EQ(index >= 0, dungeon != nullptr) << id;
    if (index < 0) continue;
    ++ids;
    indexes.insert(index);
  }
  EXPECT_EQ(ids, FixedFloorCount);
  EXPECT_EQ(indexes.size(), static_cast<std::size_t>(FixedFloorCount));
  EXPECT_EQ(*indexes.rbegin(), FixedFloorCount - 1);
  // The ranges of the table, by their ends.
  const StageId inside[] = {0, 6, 100, 112, 200, 218, 300, 324, 400, 430, 600, 636, 700, 710};
  const StageId outside[] = {-1, 7, 99, 113, 199, 219, 299, 325, 399, 431, 500, 599, 637, 699, 711, 800, 817};
  for (StageId id : inside) EXPECT_GE(GetFixedFloorIndex(id), 0) << id;
  for (StageId id : outside) EXPECT_EQ(GetFixedFloorIndex(id), -1) << id;
}

TEST(StageIdRanges, StageSelectEntriesStartTheirDungeons) {
  const StageId first[] = {500, 0, 100, 200, 300, 400, 600, 800};
  for (int index = 0; index < 8; ++index) EXPECT_EQ(GetFirstStageOfDungeon(index), first[index]) << index;
  EXPECT_EQ(GetFirstStageOfDungeon(-1), NoStage);
  EXPECT_EQ(GetFirstStageOfDungeon(8), NoStage);
}

// Counts each area over all 800 rolls: the counts are the weights.
std::map<StageId, int> CountGalleryRolls(int floorNumber) {
  std::map<StageId, int> counts;
  for (int roll = 0; roll < 800; ++roll) ++counts[GetGalleryAreaForRoll(roll, floorNumber)];
  return counts;
}

TEST(GalleryAreas, WeightsShiftFromTheFirstRowsToTheLastAsFloorsRise) {
  for (int f = 1; f <= 100; ++f) {
    int total = 0;
    for (int row = 0; row < GalleryAreaCount; ++row) total += GetGalleryAreaWeight(row, f);
    EXPECT_EQ(total, 800) << f;
  }
  const StageId falling[] = {801, 802, 803, 804, 812};
  const StageId fixed[] = {813, 814, 805, 806, 807, 808};
  const StageId rising[] = {809, 810, 811, 815, 816};
  for (int f : {1, 99}) {
    auto counts = CountGalleryRolls(f);
    for (StageId id : falling) EXPECT_EQ(counts[id], 100 - f) << id;
    for (StageId id : fixed) EXPECT_EQ(counts[id], 50) << id;
    for (StageId id : rising) EXPECT_EQ(counts[id], f) << id;
  }
  // Floor numbers past the ends are clamped, so no weight goes negative.
  EXPECT_EQ(CountGalleryRolls(100000), CountGalleryRolls(100));
  EXPECT_EQ(CountGalleryRolls(-5), CountGalleryRolls(1));
  // Row order decides which area a roll gives.
  EXPECT_EQ(GetGalleryAreaForRoll(0, 1), 801);
  EXPECT_EQ(GetGalleryAreaForRoll(98, 1), 801);
  EXPECT_EQ(GetGalleryAreaForRoll(99, 1), 802);
  EXPECT_EQ(GetGalleryAreaForRoll(799, 1), 816);
}

struct SpawnPin {
  StageId Id;
  int Rows;
  int Total;
};

TEST(SpawnTables, RowsAndTotalsOfEveryFloorTable) {
  const SpawnPin pins[] = {
      // Lite1
      {700, 3, 6}, {701, 4, 7}, {702, 5, 11}, {703, 7, 11}, {704, 10, 11}, {705, 9, 13}, {706, 9, 10},
      {707, 9, 10}, {708, 11, 12}, {709, 14, 12}, {710, 0, 0},
      // Level1
      {0, 3, 7}, {1, 3, 8}, {2, 4, 10}, {3, 4, 8}, {4, 5, 9}, {5, 4, 8}, {6, 0, 0},
      // Level2
      {100, 3, 7}, {101, 4, 10}, {102, 6, 14}, {103, 5, 10}, {104, 7, 12}, {105, 5, 11}, {106, 5, 10},
      {107, 6, 15}, {108, 5, 10}, {109, 5, 9}, {110, 4, 7}, {111, 4, 8}, {112, 0, 0},
      // Level3
      {200, 5, 8}, {201, 5, 10}, {202, 8, 11}, {203, 9, 13}, {204, 12, 11}, {205, 12, 12}, {206, 12, 16},
      {207, 12, 18}, {208, 12, 24}, {209, 12, 18}, {210, 12, 12}, {211, 12, 12}, {212, 12, 12},
      {213, 12, 15}, {214, 12, 12}, {215, 12, 12}, {216, 12, 12}, {217, 12, 14}, {218, 0, 0},
      // Level4
      {300, 5, 10}, {301, 5, 9}, {302, 8, 13}, {303, 9, 15}, {304, 12, 12}, {305, 12, 11}, {306, 12, 14},
      {307, 12, 13}, {308, 12, 13}, {309, 12, 13}, {310, 12, 13}, {311, 12, 14}, {312, 12, 14},
      {313, 12, 14}, {314, 12, 13}, {315, 12, 16}, {316, 15, 19}, {317, 12, 14}, {318, 12, 19},
      {319, 12, 13}, {320, 13, 15}, {321, 13, 19}, {322, 13, 14}, {323, 13, 18}, {324, 0, 0},
      // Level5
      {400, 5, 10}, {401, 5, 9}, {402, 6, 16}, {403, 8, 20}, {404, 6, 17}, {405, 8, 19}, {406, 6, 17},
      {407, 7, 20}, {408, 8, 24}, {409, 8, 24}, {410, 7, 21}, {411, 6, 18}, {412, 8, 24}, {413, 8, 24},
      {414, 8, 24}, {415, 8, 24}, {416, 9, 27}, {417, 7, 21}, {418, 7, 21}, {419, 8, 24}, {420, 9, 24},
      {421, 8, 24}, {422, 9, 27}, {423, 9, 27}, {424, 7, 21}, {425, 7, 21}, {426, 7, 21}, {427, 7, 21},
      {428, 9, 27}, {429, 6, 21}, {430, 0, 0},
      // Level6
      {600, 7, 42}, {601, 7, 38}, {602, 10, 52}, {603, 10, 42}, {604, 11, 64}, {605, 12, 50},
      {606, 10, 48}, {607, 11, 68}, {608, 10, 46}, {609, 10, 54}, {610, 11, 48}, {611, 9, 44},
      {612, 10, 58}, {613, 9, 56}, {614, 9, 40}, {615, 10, 42}, {616, 10, 44}, {617, 11, 52},
      {618, 11, 46}, {619, 12, 44}, {620, 10, 46}, {621, 10, 40}, {622, 12, 44}, {623, 13, 58},
      {624, 11, 52}, {625, 10, 46}, {626, 10, 36}, {627, 9, 34}, {628, 12, 54}, {629, 11, 60},
      {630, 12, 46}, {631, 12, 46}, {632, 11, 36}, {633, 11, 36}, {634, 11, 36}, {635, 9, 0}, {636, 7, 0},
  };
  static_assert(sizeof pins / sizeof pins[0] == FixedFloorCount);
  for (const SpawnPin& pin : pins) {
    const SpawnEntry* table = GetFloorSpawnTable(pin.Id);
    EXPECT_EQ(table == nullptr, pin.Rows == 0) << pin.Id;
    EXPECT_EQ(CountSpawnRows(table), pin.Rows) << pin.Id;
    EXPECT_EQ(GetSpawnTotalWeight(table), pin.Total) << pin.Id;
  }
  const SpawnPin gallery[] = {
      {801, 7, 47}, {802, 8, 44}, {803, 8, 44},  {804, 8, 44},  {805, 9, 51}, {806, 9, 51},
      {807, 9, 51}, {808, 8, 44}, {809, 8, 44},  {810, 10, 58}, {811, 10, 58}, {812, 9, 51},
      {813, 8, 44}, {814, 9, 51}, {815, 8, 44},  {816, 9, 51},
  };
  for (const SpawnPin& pin : gallery) {
    const SpawnEntry* table = GetGalleryAreaSpawnTable(pin.Id);
    EXPECT_EQ(CountSpawnRows(table), pin.Rows) << pin.Id;
    EXPECT_EQ(GetSpawnTotalWeight(table), pin.Total) << pin.Id;
  }
  EXPECT_EQ(GetGalleryAreaSpawnTable(800), nullptr);
  EXPECT_EQ(GetGalleryAreaSpawnTable(817), nullptr);
  EXPECT_EQ(CountSpawnRows(GetGalleryBaseSpawnTable()), 107);
  EXPECT_EQ(GetSpawnTotalWeight(GetGalleryBaseSpawnTable()), 105 * 3 + 40);
}

// Every table the game holds, with a name for the messages.
std::vector<std::pair<std::string, const SpawnEntry*>> AllTables() {
  std::vector<std::pair<std::string, const SpawnEntry*>> tables;
  for (StageId id = 0; id < 1000; ++id) {
    if (const SpawnEntry* t = GetFloorSpawnTable(id)) tables.emplace_back(std::to_string(id), t);
    if (const SpawnEntry* t = GetGalleryAreaSpawnTable(id)) tables.emplace_back(std::to_string(id), t);
  }
  tables.emplace_back("gallery base", GetGalleryBaseSpawnTable());
  return tables;
}

TEST(SpawnTables, OnlyShadowsMimicsTreantsAndTheAlchemistNeverSleep) {
  const std::set<int> awake = {319, 320, 321, 361, 364, 367};
  for (const auto& [name, table] : AllTables()) {
    const SpawnEntry* row = table;
    for (; row->Type != SpawnTableEnd; ++row) {
      EXPECT_EQ(row->Percent, awake.count(row->Type) ? 0 : 50) << name << " type " << row->Type;
      // Types no class makes never stand in a table.
      EXPECT_TRUE((row->Type >= 256 && row->Type <= 361) || row->Type == 364 || row->Type == 367)
          << name << " type " << row->Type;
      EXPECT_GE(row->Weight, 0) << name;
    }
    EXPECT_EQ(row->Weight, name == "635" ? 1 : 2) << name;
    EXPECT_EQ(row->Percent, 50) << name;
  }
}

TEST(SpawnTables, FourPairsOfFloorsShareOneTableAndTheGalleryBaseHoldsEveryAreaType) {
  EXPECT_EQ(GetFloorSpawnTable(0), GetFloorSpawnTable(100));
  EXPECT_EQ(GetFloorSpawnTable(300), GetFloorSpawnTable(400));
  EXPECT_EQ(GetFloorSpawnTable(301), GetFloorSpawnTable(401));
  EXPECT_EQ(GetFloorSpawnTable(633), GetFloorSpawnTable(634));
  EXPECT_NE(GetFloorSpawnTable(1), GetFloorSpawnTable(101));

  std::set<int> base;
  for (const SpawnEntry* row = GetGalleryBaseSpawnTable(); row->Type != SpawnTableEnd; ++row) base.insert(row->Type);
  for (StageId id = GalleryFirstArea; id <= GalleryLastArea; ++id) {
    for (const SpawnEntry* row = GetGalleryAreaSpawnTable(id); row->Type != SpawnTableEnd; ++row)
      EXPECT_TRUE(base.count(row->Type)) << id << " type " << row->Type;
  }
}

TEST(AreaTables, KindsAndClassesCarryTheirRows) {
  // Spot rows across the table: the first, the last and the odd ones out.
  const AreaKindRow& grass = GetAreaKindRow(AreaKind::Grass);
  EXPECT_EQ(grass.AreaId, 300);
  EXPECT_EQ(grass.BgmTrack, 0);
  EXPECT_EQ(grass.OverlayBlendMode, 2);
  EXPECT_EQ(GetAreaKindRow(AreaKind::Boss1).AreaId, 316);
  EXPECT_EQ(GetAreaKindRow(AreaKind::Boss1).BgmTrack, 12);
  EXPECT_EQ(GetAreaKindRow(AreaKind::Volcano1).OverlayBands, 32);

  std::set<int> areaIds;
  for (int k = 0; k < AreaKindCount; ++k) areaIds.insert(GetAreaKindRow(static_cast<AreaKind>(k)).AreaId);
  EXPECT_EQ(areaIds.size(), 16u);  // Lab1 and Boss1 share 316
  EXPECT_FALSE(areaIds.count(315));

  const AreaClassRow& cave2 = GetAreaClassRow(AreaClass::Level2Cave2);
  EXPECT_EQ(cave2.Ground, AreaGround::WalledEdge);
  EXPECT_EQ(cave2.Pictures, AreaPictures::Cave);
  EXPECT_EQ(cave2.TintBlue, 32);
  const AreaClassRow& tower = GetAreaClassRow(AreaClass::Level6Tower1_1);
  EXPECT_EQ(tower.MonsterHouseChance, 1280);
  EXPECT_EQ(tower.MaxEnemiesInView, 2);
  EXPECT_EQ(tower.Traps.Range, 3);
  EXPECT_EQ(tower.Traps.Base, 2);
  const AreaClassRow& lake = GetAreaClassRow(AreaClass::Level4Lake);
  EXPECT_EQ(lake.Traps.Range, 1);  // always 2, one draw
  EXPECT_EQ(lake.Traps.Base, 2);

  int lit = 0, houses = 0, lakes = 0;
  for (int a = 0; a < AreaClassCount; ++a) {
    const AreaClassRow& row = GetAreaClassRow(static_cast<AreaClass>(a));
    lit += row.LightMode == 2;
    houses += row.MonsterHouseChance == 1280;
    lakes += row.Ground == AreaGround::Lake;
    EXPECT_GE(row.Traps.Range, 1) << a;
    // The extra mining points never outnumber the weights they are drawn from.
    EXPECT_LE(row.ExtraMiningPoints.Base + row.ExtraMiningPoints.Range - 1,
              AreaMineWeight + AreaTreeWeight + AreaBushWeight + AreaChestWeight)
        << a;
  }
  EXPECT_EQ(lit, 7);
  EXPECT_EQ(houses, 26);
  EXPECT_EQ(lakes, 8);
}

TEST(AreaTables, LooseItemTablesFollowTheDungeonsCleared) {
  struct Case {
    std::uint32_t Cleared[8];
    int Rows;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0, 0, 0}, 22}, {{0, 1, 0, 0, 0, 0, 0, 0}, 24}, {{0, 1, 1, 0, 0, 0, 0, 0}, 26},
      {{0, 0, 0, 1, 0, 0, 0, 0}, 28}, {{0, 0, 0, 0, 1, 0, 0, 0}, 37}, {{0, 0, 0, 0, 0, 1, 0, 0}, 37},
      {{1, 0, 0, 0, 0, 0, 1, 1}, 22},
  };
  for (const Case& c : cases) {
    const FloorItemEntry* table = GetFloorItemTable(c.Cleared);
    int rows = 0;
    while (table[rows].itemId != -1) {
      EXPECT_EQ(table[rows].baseCount, 1);
      EXPECT_EQ(table[rows].countRange, 1);
      ++rows;
    }
    EXPECT_EQ(rows, c.Rows);
  }
  std::uint32_t none[8] = {};
  const FloorItemEntry* e = GetFloorItemTable(none);
  EXPECT_EQ(e[11].itemId, 0x807);
  EXPECT_EQ(e[21].itemId, 0xa12);
  EXPECT_EQ(e[21].weight, 8);
}

}  // namespace
