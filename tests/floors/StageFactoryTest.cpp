#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "FloorGenerationSupport.h"
#include "floors/StageFactory.h"
#include "floors/SpecialStages.h"
#include "floors/StageFloors.h"
#include "platform/Renderer.h"

namespace {

// The floor list as the tests read it: id, area, next floor, whether the
// floor is hand-made, and a test of the object's class.
struct FloorRow {
  StageId Id;
  AreaClass Area;
  StageId Next;
  bool HandMade;
  bool (*IsItsClass)(CStageData*);
};
const FloorRow FloorRows[] = {
#define FLOOR(name, id, area, next) \
  {id, area::AreaOfClass, next, false, [](CStageData* f) { return dynamic_cast<name*>(f) != nullptr; }},
#define HANDMADE(name, id, area, next) \
  {id, area::AreaOfClass, next, true, [](CStageData* f) { return dynamic_cast<name*>(f) != nullptr; }},
#include "floors/FloorList.inc"
#undef HANDMADE
#undef FLOOR
};

const FloorRow* RowOf(StageId id) {
  for (const FloorRow& row : FloorRows)
    if (row.Id == id) return &row;
  return nullptr;
}

TEST(StageFactory, EveryFloorIsItsClassOfItsAreaWithItsId) {
  ASSERT_EQ(std::size(FloorRows), static_cast<std::size_t>(FixedFloorCount));
  for (std::size_t i = 0; i < std::size(FloorRows); ++i) {
    const FloorRow& row = FloorRows[i];
    SCOPED_TRACE(row.Id);
    // The list runs in the order of the id ranges.
    EXPECT_EQ(GetFixedFloorIndex(row.Id), static_cast<int>(i));
    std::unique_ptr<CStageData> floor(CreateStage(row.Id));
    ASSERT_NE(floor, nullptr);
    EXPECT_TRUE(row.IsItsClass(floor.get()));
    EXPECT_EQ(floor->StageId, row.Id);
    const AreaClassRow& area = GetAreaClassRow(row.Area);
    const AreaKindRow& kind = GetAreaKindRow(area.Kind);
    EXPECT_EQ(floor->LightMode, area.LightMode);
    EXPECT_EQ(floor->MonsterHouseChance, area.MonsterHouseChance);
    EXPECT_EQ(floor->BgmTrack, kind.BgmTrack);
    EXPECT_EQ(floor->BgmResourceId, 10000 + kind.BgmTrack);
    EXPECT_EQ(floor->OverlayKind, kind.OverlayKind);
    EXPECT_EQ(floor->OverlayAlpha, 4);
    EXPECT_EQ(floor->OverlayBands, kind.OverlayBands);
    EXPECT_EQ(floor->GetMaxEnemiesInView(), area.MaxEnemiesInView);
    EXPECT_EQ(floor->GetTintBlue(), area.TintBlue);
    EXPECT_EQ(floor->AreaId, -1) << "set when the floor is entered";
    EXPECT_EQ(floor->GetSpawnTable(), GetFloorSpawnTable(row.Id));
    // Only the goal floors have no monsters at all; the Lab's two keep
    // their tables for the pictures of what they place.
    EXPECT_EQ(floor->GetSpawnTable() == nullptr, FindGoalFloorRow(row.Id) != nullptr);
  }
}

TEST(StageFactory, EachFloorLeadsToTheNextIdAndTheLastFloorsToNone) {
  const std::set<StageId> last = {6, 112, 218, 324, 430, 636, 710};
  for (const FloorRow& row : FloorRows) {
    SCOPED_TRACE(row.Id);
    EXPECT_EQ(row.Next, last.count(row.Id) ? NoStage : row.Id + 1);
    std::unique_ptr<CStageData> floor(CreateStage(row.Id));
    std::unique_ptr<CStageData> next(floor->CreateNextFloor());
    if (row.Next == NoStage) {
      EXPECT_EQ(next, nullptr);
    } else {
      ASSERT_NE(next, nullptr);
      EXPECT_TRUE(RowOf(row.Next)->IsItsClass(next.get()));
    }
  }
  std::unique_ptr<CStageData> fourth(CreateStage(3));
  std::unique_ptr<CStageData> fifth(fourth->CreateNextFloor());
  EXPECT_NE(dynamic_cast<CStageDataLevel1_5*>(fifth.get()), nullptr);
  // Tower1_1 sits between Tower1 and ALCHEMIST'S LAB floors 6-9.
  std::unique_ptr<CStageData> lab6(CreateStage(605));
  EXPECT_NE(dynamic_cast<CStageDataLevel6Tower1*>(lab6.get()), nullptr);
  EXPECT_NE(dynamic_cast<CStageDataLevel6Tower1_1*>(lab6.get()), nullptr);
}

TEST(StageFactory, IdsThatNameNoFloorGiveNone) {
  for (StageId id : {7, 113, -1, 818, 599, 99999, 219, 325, 431, 637, 711, 501})
    EXPECT_EQ(std::unique_ptr<CStageData>(CreateStage(id)), nullptr) << id;
  EXPECT_EQ(std::unique_ptr<CStageData>(CreateFirstStage(1))->StageId, 0);
  EXPECT_EQ(std::unique_ptr<CStageData>(CreateFirstStage(6))->StageId, 600);
  EXPECT_EQ(CreateFirstStage(9), nullptr);
}

TEST(StageFactory, ConstructorsDrawNothingAndTheGalleryRequestDrawsOnce) {
  SeedRandom(4242);
  const int first = Random();
  const int second = Random();
  SeedRandom(4242);
  for (const FloorRow& row : FloorRows) delete CreateStage(row.Id);
  EXPECT_EQ(Random(), first);
  SeedRandom(4242);
  delete CreateStage(GalleryRandomStage);
  EXPECT_EQ(Random(), second);
}

// What an area answers, over many draws: the range of its traps and extra
// mining points, and that each answer draws exactly one number.
struct Answers {
  std::set<int> Traps, Extra;
  bool OneDrawEach = true;
};

Answers Ask(CStageDataBase& floor) {
  Answers answers;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SeedRandom(seed * 7919u);
    Random();
    const int next = Random();
    SeedRandom(seed * 7919u);
    answers.Traps.insert(floor.GetTrapCount());
    answers.OneDrawEach = answers.OneDrawEach && Random() == next;
    answers.Extra.insert(floor.GetExtraMiningPointCount());
  }
  return answers;
}

TEST(StageAreas, FloorsAnswerTheirAreasCounts) {
  struct Case {
    StageId Id;
    std::set<int> Traps;
    int View, Mines, MonsterHouse;
    std::set<int> Extra;
  };
  const Case cases[] = {
      {4, {1, 2, 3}, 65535, 1, 0, {3, 4, 5}},        // PHANTOM FOREST 5: Cave1
      {0, {0}, 1, 1, 0, {3, 4, 5}},                  // Grass: no traps, yet a draw
      {308, {2}, 65535, 1, 1280, {2, 3, 4}},         // VOLCANIC DESERT Lake: always 2
      {600, {0, 1}, 1, 0, 0, {5, 6}},                // ALCHEMIST'S LAB 1-5: Tower1
      {605, {2, 3, 4}, 2, 0, 1280, {5, 6}},          // 6-9: Tower1_1
      {429, {7, 8, 9}, 65535, 0, 1280, {5, 6}},      // UNTRODDEN REGION 30: Castle2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    std::unique_ptr<CStageData> stage(CreateStage(c.Id));
    auto& floor = dynamic_cast<CStageDataBase&>(*stage);
    const Answers answers = Ask(floor);
    EXPECT_EQ(answers.Traps, c.Traps);
    EXPECT_TRUE(answers.OneDrawEach);
    EXPECT_EQ(answers.Extra, c.Extra);
    EXPECT_EQ(floor.GetMaxEnemiesInView(), c.View);
    EXPECT_EQ(floor.GetMineCount(), c.Mines);
    EXPECT_EQ(floor.GetTreeCount(), c.Mines);
    EXPECT_EQ(floor.GetBushCount(), c.Mines);
    EXPECT_EQ(floor.GetChestCount(), 0);
    EXPECT_EQ(floor.MonsterHouseChance, c.MonsterHouse);
    EXPECT_EQ(floor.GetMineWeight() + floor.GetTreeWeight() + floor.GetBushWeight() + floor.GetChestWeight(), 7);
    // No loose items, after one draw.
    SeedRandom(5);
    const int second = (Random(), Random());
    SeedRandom(5);
    EXPECT_EQ(floor.GetItemCount(), 0);
    EXPECT_EQ(Random(), second);
  }
  std::unique_ptr<CStageData> forest(CreateStage(4));
  EXPECT_EQ(forest->BgmTrack, 2);
  EXPECT_EQ(forest->LightMode, 1);
}

class StageGround : public floorgen::WithPlayer {};

TEST_F(StageGround, LakesTurnTheirWallsIntoLakeAndTheCellsOutsideReadAsIt) {
  SeedRandom(77);
  std::unique_ptr<CStageData> lake(CreateStage(100));
  lake->GenerateFloor();
  EXPECT_EQ(std::count(std::begin(lake->terrain), std::end(lake->terrain), TerrainWall), 0);
  EXPECT_GT(std::count(std::begin(lake->terrain), std::end(lake->terrain), TerrainBarrier), 0);
  EXPECT_EQ(lake->GetTerrain(-1, 0), TerrainBarrier);
  EXPECT_EQ(lake->GetTerrain(40, 40), TerrainBarrier);
  GetGameMain()->Characters.DeleteAllButPlayer();

  SeedRandom(77);
  std::unique_ptr<CStageData> cave(CreateStage(209));  // FROZEN MOUNTAIN Cave2: plain ground
  cave->GenerateFloor();
  EXPECT_GT(std::count(std::begin(cave->terrain), std::end(cave->terrain), TerrainWall), 0);
  EXPECT_EQ(cave->GetTerrain(-1, 0), TerrainWall);
  EXPECT_EQ(cave->GetTerrain(40, 40), TerrainWall);
}

TEST(StageGroundRead, WalledEdgesReadSolidRockInsideTheWalls) {
  std::unique_ptr<CStageData> walled(CreateStage(109));  // LAKE OF MIST Cave2
  std::unique_ptr<CStageData> plain(CreateStage(209));   // FROZEN MOUNTAIN Cave2
  for (CStageData* floor : {walled.get(), plain.get()}) {
    for (TerrainCode& t : floor->terrain) t = TerrainWall;
    floor->terrain[CellIndex(10, 10)] = TerrainCorridor;
  }
  EXPECT_EQ(walled->GetTerrain(20, 20), TerrainRock);  // walled on all eight sides
  EXPECT_EQ(walled->GetTerrain(11, 11), TerrainWall);  // next to the corridor
  EXPECT_EQ(walled->GetTerrain(10, 10), TerrainCorridor);
  EXPECT_EQ(walled->GetTerrain(0, 0), TerrainRock);  // cells off the map count as wall
  EXPECT_EQ(walled->GetTerrain(-1, 5), TerrainRock);
  EXPECT_TRUE(walled->IsWall(11, 11));
  EXPECT_FALSE(walled->IsWall(20, 20));
  EXPECT_EQ(plain->GetTerrain(20, 20), TerrainWall);
  EXPECT_EQ(plain->GetTerrain(-1, 5), TerrainWall);
}

// Pictures are counted without being made.
bool NoPictures(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

TEST(StageAreaPictures, EnteringAFloorSetsItsAreaAndTakesItsPictureSet) {
  SetPictureLoader(&NoPictures);
  auto count = [](PictureId id) { return TextureRefCounts[GetPictureRow(id)->Slot]; };
  const std::uint32_t background = count(BackgroundPicture), base = count(BaseLayerPicture);
  {
    std::unique_ptr<CStageData> cave(CreateStage(109));  // cave pictures: no background
    cave->LoadArea();
    EXPECT_EQ(cave->AreaId, 303);
    EXPECT_EQ(count(BaseLayerPicture), base + 1);
    EXPECT_EQ(count(BackgroundPicture), background);
    std::unique_ptr<CStageData> forest(CreateStage(0));
    forest->LoadArea();
    EXPECT_EQ(forest->AreaId, 300);
    EXPECT_EQ(count(BackgroundPicture), background + 1);
  }
  EXPECT_EQ(count(BaseLayerPicture), base);
  EXPECT_EQ(count(BackgroundPicture), background);
  SetPictureLoader(nullptr);
}

class GoingDown : public floorgen::WithPlayer {
protected:
  void TearDown() override {
    delete GetGameMain()->CurrentStage;
    GetGameMain()->CurrentStage = nullptr;
    GetGameMain()->Settings.Block.FloorNumber = floor_;
    floorgen::WithPlayer::TearDown();
  }
  std::uint32_t floor_ = GetGameMain()->Settings.Block.FloorNumber;
};

TEST_F(GoingDown, TheNextFloorReplacesTheOldOneWithOnlyThePlayerKept) {
  CGameMain& game = *GetGameMain();
  game.CurrentStage = CreateStage(3);
  game.Settings.Block.FloorNumber = 4;
  game.Characters.PushBack(new floorgen::StubMonster());
  SeedRandom(31);
  ASSERT_TRUE(GoDownToNextFloor(game));
  EXPECT_EQ(game.CurrentStage->StageId, 4);
  EXPECT_EQ(game.Settings.Block.FloorNumber, 5u);
  EXPECT_EQ(game.CurrentStage->GetCharacterAt(Player()->x, Player()->y), Player());
  EXPECT_EQ(std::count(std::begin(game.CurrentStage->terrain), std::end(game.CurrentStage->terrain), TerrainStairs), 1);
  for (CCharacter* c : game.Characters.Walk()) EXPECT_EQ(game.CurrentStage->GetCharacterAt(c->x, c->y), c);
}

TEST_F(GoingDown, AFloorWithNothingBelowIsKept) {
  CGameMain& game = *GetGameMain();
  CStageData* floor = CreateStage(6);  // PHANTOM FOREST 7: the last floor
  game.CurrentStage = floor;
  game.Settings.Block.FloorNumber = 6;
  game.Characters.PushBack(new floorgen::StubMonster());
  EXPECT_FALSE(GoDownToNextFloor(game));
  EXPECT_EQ(game.CurrentStage, floor);
  EXPECT_EQ(game.Settings.Block.FloorNumber, 6u);
  EXPECT_EQ(game.Characters.GetCount(), 1);
}

}  // namespace
