// The floors that are not generated: the halls with the goal item, the two
// last floors of ALCHEMIST'S LAB, and the gallery's areas and floor 100.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "FloorGenerationSupport.h"
#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/GalleryStages.h"
#include "floors/SpecialStages.h"
#include "floors/StageFactory.h"
#include "floors/StageFloors.h"
#include "items/CItem.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/SoundFixture.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace {

using Counts = std::map<TerrainCode, int>;

Counts CountTerrain(const CStageData& floor) {
  Counts counts;
  for (TerrainCode code : floor.terrain) ++counts[code];
  return counts;
}

int CountCharacters() {
  int n = 0;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) n += c != nullptr;
  return n;
}

// Every item lying on the floor, by cell.
std::vector<std::array<int, 3>> FloorItems(const CStageData& floor) {
  std::vector<std::array<int, 3>> items;
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y)
      if (const CItem* item = floor.GetItemAt(x, y)) items.push_back({x, y, item->GetId()});
  return items;
}

class HandMadeFloor : public floorgen::WithPlayer {
protected:
  void TearDown() override {
    GetGameMain()->Settings.Block.FloorNumber = floorNumber_;
    floorgen::WithPlayer::TearDown();
  }
  std::unique_ptr<CStageData> Build(StageId id) {
    std::unique_ptr<CStageData> floor(CreateStage(id));
    EXPECT_NE(floor, nullptr) << id;
    if (floor) floor->GenerateFloor();
    return floor;
  }

private:
  std::uint32_t floorNumber_ = GetGameMain()->Settings.Block.FloorNumber;
};

// ---- The halls with the goal item.

TEST_F(HandMadeFloor, EachGoalFloorIsOneHallWithThePlayerAtOneEndAndTheGoalAtTheOther) {
  struct Case {
    StageId Id;
    int Goal;
    int Left, Right, Top, Bottom;
    int PlayerY, GoalY;
  };
  const Case cases[] = {
      {6, 0xd00, 18, 22, 10, 30, 29, 10},   {112, 0xd01, 18, 22, 10, 30, 29, 10},
      {218, 0xd02, 18, 22, 10, 30, 29, 10}, {324, 0xd03, 18, 22, 10, 30, 29, 10},
      {430, 0xd04, 18, 22, 10, 30, 29, 10}, {710, 0xd07, 18, 22, 10, 30, 29, 10},
      {817, 0xd08, 17, 23, 15, 25, 24, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    GetGameMain()->Settings.Block.FloorNumber = 100;
    SeedRandom(9);
    auto floor = Build(c.Id);
    const int open = (c.Right - c.Left + 1) * (c.Bottom - c.Top + 1);
    EXPECT_EQ(open, c.Id == 817 ? 77 : 105);
    EXPECT_EQ(CountTerrain(*floor), (Counts{{TerrainRoom, open}, {TerrainWall, StageCellCount - open}}));
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        EXPECT_EQ(floor->IsFloor(x, y), x >= c.Left && x <= c.Right && y >= c.Top && y <= c.Bottom) << x << "," << y;
    EXPECT_EQ(floor->GetCharacterAt(20, c.PlayerY), Player());
    EXPECT_EQ(Player()->GetX(), 20);
    EXPECT_EQ(Player()->GetY(), c.PlayerY);
    EXPECT_EQ(floor->CameraX, 20);
    EXPECT_EQ(floor->PrevCameraY, c.PlayerY);
    EXPECT_EQ(FloorItems(*floor), (std::vector<std::array<int, 3>>{{20, c.GoalY, c.Goal}}));
    EXPECT_EQ(CountCharacters(), 0) << "nothing but the player";
    EXPECT_EQ(std::unique_ptr<CStageData>(floor->CreateNextFloor()), nullptr);
    // No table: however long the player waits, no monster comes.
    for (int turn = 0; turn < 200; ++turn) floor->AdvanceTurn();
    EXPECT_EQ(floor->PickEnemy(), nullptr);
    EXPECT_EQ(CountCharacters(), 0);
  }
}

TEST_F(HandMadeFloor, AGoalFloorKeepsItsWallsWhatItsAreaReadsOutside) {
  auto desert = Build(324);  // a lake kind: its walls would turn to lake ground
  EXPECT_EQ(desert->GetTerrain(17, 20), TerrainWall);
  EXPECT_EQ(desert->GetTerrain(-1, 0), TerrainBarrier);
  auto lake = Build(112);  // walled edge: enclosed walls read as rock
  EXPECT_EQ(lake->GetTerrain(5, 5), TerrainRock);
  EXPECT_EQ(lake->GetTerrain(17, 20), TerrainWall);
}

// ---- ALCHEMIST'S LAB.

constexpr std::uint16_t TrackResource(int t) { return static_cast<std::uint16_t>(BgmResourceBase + t); }

class LabFloor : public HandMadeFloor {
protected:
  void SetUp() override {
    HandMadeFloor::SetUp();
    music_ = std::make_unique<StubbedGameMusic>();
    ASSERT_TRUE(music_->Started);
    GetGameInputMain()->CloseMessage();
  }
  void TearDown() override {
    GetGameInputMain()->CloseMessage();
    music_.reset();
    HandMadeFloor::TearDown();
  }

private:
  std::unique_ptr<StubbedGameMusic> music_;
};

TEST_F(LabFloor, Floor36IsTheCrossroadsWithMimicsWestAndSleepersEast) {
  constexpr std::uint32_t seed = 3636;
  SeedRandom(seed);
  auto floor = Build(635);
  // Two draws for each of the 43 sleepers and nothing else.
  const int next = Random();
  SeedRandom(seed);
  for (int i = 0; i < 86; ++i) Random();
  EXPECT_EQ(Random(), next);

  // Five rooms: 25 + 81 + 49 + 49 + 25 cells less the stairs; four corridors of 6, 6, 5, 5.
  const Counts counts = CountTerrain(*floor);
  EXPECT_EQ(counts.at(TerrainRoom), 228);
  EXPECT_EQ(counts.at(TerrainStairs), 1);
  EXPECT_EQ(counts.at(TerrainCorridor), 22);
  EXPECT_EQ(counts.at(TerrainWall), 244);
  EXPECT_EQ(counts.at(TerrainRock), 1105);
  EXPECT_EQ(counts.size(), 5u);
  EXPECT_TRUE(floor->IsStairs(20, 7));
  EXPECT_EQ(floor->terrain[CellIndex(0, 0)], TerrainRock);
  EXPECT_TRUE(floor->IsCorridor(13, 20));
  EXPECT_TRUE(floor->IsCorridor(20, 12));

  EXPECT_EQ(floor->GetCharacterAt(20, 33), Player());
  EXPECT_EQ(Player()->direction, DirectionUp);
  EXPECT_EQ(floor->CameraY, 33);
  EXPECT_EQ(CountCharacters(), 9 + 43);
  const std::vector<CharacterType> sleepers = {345, 348, 336, 351, 357, 354, 360};
  int mimics = 0, asleep = 0;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    EXPECT_EQ(floor->GetCharacterAt(c->GetX(), c->GetY()), c);
    if (c->type == 361) {
      ++mimics;
      EXPECT_TRUE(c->GetX() >= 6 && c->GetX() <= 8 && c->GetY() >= 19 && c->GetY() <= 21);
      EXPECT_EQ(c->level, 25);
      EXPECT_EQ(c->direction, DirectionDown);
      continue;
    }
    ++asleep;
    EXPECT_NE(std::find(sleepers.begin(), sleepers.end(), c->type), sleepers.end()) << c->type;
    EXPECT_TRUE(c->GetX() >= 30 && c->GetY() >= 17 && c->GetY() <= 23);
    EXPECT_FALSE(c->GetX() <= 31 && c->GetY() >= 19 && c->GetY() <= 21) << "the door is kept free";
    EXPECT_TRUE(c->IsDormant());
    EXPECT_FALSE(c->IsHold());
  }
  EXPECT_EQ(mimics, 9);
  EXPECT_EQ(asleep, 43);
  std::unique_ptr<CStageData> below(floor->CreateNextFloor());
  ASSERT_NE(below, nullptr);
  EXPECT_EQ(below->StageId, 636);
}

TEST_F(LabFloor, Floor36SignsShowEachVisitAndTheTrapRoomWakesTheFloorOnce) {
  auto floor = Build(635);
  CSoundManager* sound = GetSoundManager();
  CGameInputMain* screen = GetGameInputMain();
  CMyInput* input = GetInput();
  auto hold = [input] {
    for (int row : {InputRowUp, InputRowPointer}) input->InputHistory[row][0] = 1;
  };
  auto swallowed = [input] {
    return input->InputHistory[InputRowUp][0] == -1 && input->InputHistory[InputRowPointer][0] == -1 &&
           input->InputHistory[InputRowRight][InputHistoryLength - 1] == -1;
  };
  for (int visit = 0; visit < 2; ++visit) {
    hold();
    EXPECT_TRUE(floor->OnTurnEvent(20, 24));
    EXPECT_STREQ(screen->GetMessageRow(0), GetCurrentLanguageText(730));
    EXPECT_LT(screen->GetMessageTimer(), 0) << "stays until closed";
    EXPECT_TRUE(swallowed());
    screen->CloseMessage();
    EXPECT_TRUE(floor->OnTurnEvent(10, 20));
    EXPECT_STREQ(screen->GetMessageRow(0), GetCurrentLanguageText(731));
    EXPECT_EQ(screen->GetMessageTimer(), CGameInputMain::MessageFrames);
  }
  // The hall and the treasure room wake nobody.
  for (auto cell : {std::array<int, 2>{20, 20}, {7, 18}, {29, 20}, {37, 20}}) {
    hold();
    EXPECT_FALSE(floor->OnTurnEvent(cell[0], cell[1]));
    EXPECT_EQ(input->InputHistory[InputRowUp][0], 1);
  }
  for (CCharacter* c : GetGameMain()->Characters.Walk())
    EXPECT_TRUE(c->type == 361 || c->IsDormant());

  // The door cell springs the trap though no sleeper stands there.
  GetGameMain()->Characters.PushBack(Player());
  Player()->InflictHoldRandom();
  ASSERT_NE(sound->GetPlayingBgm(), 8);
  // Sprung in the middle of someone else's walk of the list: that walk
  // still meets every member once.
  int met = 0;
  bool sprung = false;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    if (++met == 3) sprung = floor->OnTurnEvent(30, 20);
    EXPECT_NE(c, nullptr);
  }
  EXPECT_TRUE(sprung);
  EXPECT_EQ(met, 9 + 43 + 1);
  EXPECT_EQ(floor->EventFlags[LabTrapFlag], 1);
  EXPECT_STREQ(screen->GetMessageRow(0), GetCurrentLanguageText(732));
  EXPECT_EQ(floor->BgmTrack, 8);
  EXPECT_EQ(floor->BgmResourceId, TrackResource(8));
  EXPECT_EQ(sound->GetPlayingBgm(), 8);
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    EXPECT_FALSE(c->IsDormant());
    EXPECT_FALSE(c->IsHold());
  }
  EXPECT_FALSE(Player()->IsHold()) << "the player is on the list too";
  EXPECT_FALSE(floor->OnTurnEvent(31, 20)) << "once only";
  EXPECT_FALSE(floor->OnTurnEvent(36, 23));
  GetGameMain()->Characters.Remove(Player());
}

TEST_F(LabFloor, TheAlchemistWaitsAloneOnFloor37) {
  SeedRandom(37);
  auto floor = Build(636);
  const Counts counts = CountTerrain(*floor);
  // 13 x 12 floor, the ring two cells thick around it, rock for the rest.
  EXPECT_EQ(counts, (Counts{{TerrainRoom, 156}, {TerrainWall, 116}, {TerrainRock, 1328}}));
  EXPECT_TRUE(floor->IsFloor(14, 14));
  EXPECT_TRUE(floor->IsFloor(26, 25));
  EXPECT_TRUE(floor->IsWall(12, 12));
  EXPECT_TRUE(floor->IsWall(28, 27));
  EXPECT_EQ(floor->terrain[CellIndex(11, 12)], TerrainRock);
  EXPECT_EQ(floor->GetCharacterAt(20, 21), Player());
  EXPECT_EQ(Player()->direction, DirectionUp);
  EXPECT_EQ(CountCharacters(), 1);
  CCharacter* boss = floor->GetCharacterAt(20, 16);
  ASSERT_NE(boss, nullptr);
  EXPECT_EQ(boss->type, 367);
  EXPECT_EQ(boss->direction, DirectionDown);
  EXPECT_EQ(GetGameMain()->Characters.GetCount(), 1);
  // Its table only loads pictures: waiting brings nobody else.
  for (int turn = 0; turn < 200; ++turn) floor->AdvanceTurn();
  EXPECT_EQ(CountCharacters(), 1);
  EXPECT_FALSE(floor->OnTurnEvent(20, 20));
  EXPECT_EQ(std::unique_ptr<CStageData>(floor->CreateNextFloor()), nullptr);
}

// ---- The gallery.

TEST_F(HandMadeFloor, TheGalleryRequestBuildsTheAreaOfItsRollOnce) {
  struct Case {
    std::uint32_t Seed;
    std::uint32_t Floor;
    StageId Area;
  };
  // Rolls 41, 61, 384, 248, 361 of 800.
  const Case cases[] = {{1, 1, 801}, {7, 50, 802}, {12345, 99, 809}, {2024, 10, 803}, {99, 75, 807}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Seed);
    GetGameMain()->Settings.Block.FloorNumber = c.Floor;
    SeedRandom(c.Seed);
    std::unique_ptr<CStageData> floor(CreateStage(GalleryRandomStage));
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->StageId, c.Area);
    EXPECT_NE(dynamic_cast<CStageDataLevelX1*>(floor.get()), nullptr);
  }
}

TEST_F(HandMadeFloor, TheNextGalleryFloorIsTheSameAreaOrANewDrawByHalves) {
  struct Case {
    std::uint32_t Seed;
    std::uint32_t Floor;  // already raised to the floor being built
    StageId From, Next;
  };
  const Case cases[] = {
      {1, 5, 803, 801},    // odd: a new draw, roll 67
      {2, 5, 803, 812},    // odd: roll 416
      {3, 40, 811, 811},   // even: the same area
      {4, 40, 811, 813},   // odd: roll 345
      {6, 60, 816, 816},   // even
      {5, 100, 801, 817},  // floor 100, whatever the draw
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Seed);
    std::unique_ptr<CStageData> floor(CreateStage(c.From));
    GetGameMain()->Settings.Block.FloorNumber = c.Floor;
    SeedRandom(c.Seed);
    std::unique_ptr<CStageData> next(floor->CreateNextFloor());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->StageId, c.Next);
  }
  GetGameMain()->Settings.Block.FloorNumber = 100;
  std::unique_ptr<CStageData> grass(CreateStage(801));
  std::unique_ptr<CStageData> last(grass->CreateNextFloor());
  EXPECT_NE(dynamic_cast<CStageDataLevelX1_100*>(last.get()), nullptr);
}

// What a gallery floor answers, over many draws.
std::set<int> TrapCounts(CStageData& floor) {
  std::set<int> counts;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed * 104729u);
    counts.insert(floor.GetTrapCount());
  }
  return counts;
}

TEST_F(HandMadeFloor, GalleryFloorsGrowWithTheFloorCounter) {
  struct Case {
    std::uint32_t Floor;
    std::set<int> Traps;
    int View;
    int MonsterHouse;
  };
  const Case cases[] = {
      {1, {1, 2, 3}, 1, 0},   {2, {1, 2, 3}, 1, 0},   {3, {1, 2, 3}, 1, 1280},
      {4, {1, 2, 3}, 2, 1280}, {99, {20, 21, 22}, 2, 1280},
      // Counters past the ends count as floor 1 and floor 100.
      {0, {1, 2, 3}, 1, 0},   {0xFFFFFFFFu, {1, 2, 3}, 1, 0}, {5000, {21, 22, 23}, 2, 1280},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Floor);
    GetGameMain()->Settings.Block.FloorNumber = c.Floor;
    std::unique_ptr<CStageData> floor(CreateStage(812));
    EXPECT_EQ(TrapCounts(*floor), c.Traps);
    EXPECT_EQ(floor->GetMaxEnemiesInView(), c.View);
    EXPECT_EQ(floor->MonsterHouseChance, c.MonsterHouse);
  }
  std::unique_ptr<CStageData> mountain(CreateStage(805));
  auto& gallery = dynamic_cast<CStageDataBase&>(*mountain);
  EXPECT_EQ(gallery.GetMineCount() + gallery.GetTreeCount() + gallery.GetBushCount() + gallery.GetChestCount(), 0);
  SeedRandom(5);
  const int second = (Random(), Random());
  SeedRandom(5);
  EXPECT_EQ(gallery.GetItemCount(), 0);
  EXPECT_EQ(Random(), second) << "one draw, no loose items";
}

TEST_F(HandMadeFloor, GalleryAreasTakeTheirKindsGroundAndTable) {
  GetGameMain()->Settings.Block.FloorNumber = 30;
  for (StageId id = GalleryFirstArea; id <= GalleryLastArea; ++id) {
    SCOPED_TRACE(id);
    std::unique_ptr<CStageData> floor(CreateStage(id));
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->StageId, id);
    EXPECT_EQ(floor->LightMode, 1);
    EXPECT_EQ(floor->GetSpawnTable(), GetGalleryAreaSpawnTable(id));
    EXPECT_EQ(floor->BgmTrack, GetAreaKindRow(GetGalleryAreaRow(id).Kind).BgmTrack);
    EXPECT_EQ(floor->GetTintBlue(), 255);
  }
  EXPECT_NE(dynamic_cast<CStageDataLevelX1Lake1*>(std::unique_ptr<CStageData>(CreateStage(804)).get()), nullptr);
  EXPECT_EQ(std::unique_ptr<CStageData>(CreateStage(816))->OverlayKind, 2);

  SeedRandom(804);
  auto lake = Build(804);
  EXPECT_EQ(CountTerrain(*lake).count(TerrainWall), 0u);
  EXPECT_EQ(lake->GetTerrain(-1, 0), TerrainBarrier);
  GetGameMain()->Characters.DeleteAllButPlayer();
  auto cave = Build(803);
  EXPECT_EQ(cave->GetTerrain(-1, 0), TerrainWall);
  EXPECT_EQ(std::unique_ptr<CStageData>(CreateStage(812))->GetTerrain(-1, 0), TerrainRock);
}

TEST_F(HandMadeFloor, GalleryMonstersComeFromTheAreaLevelledToTheFloor) {
  GetGameMain()->Settings.Block.FloorNumber = 12;
  std::unique_ptr<CStageData> grass(CreateStage(801));
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    std::unique_ptr<CCharacter> monster(grass->PickEnemy());
    ASSERT_NE(monster, nullptr);
    EXPECT_EQ(monster->level, 12);
    bool listed = false;
    for (const SpawnEntry* row = GetGalleryAreaSpawnTable(801); row->Type != -1; ++row)
      listed = listed || row->Type == monster->type;
    EXPECT_TRUE(listed) << monster->type;
  }
}

TEST_F(HandMadeFloor, GalleryFloor100IsSilentAndHasNoMonstersOrFloorBelow) {
  GetGameMain()->Settings.Block.FloorNumber = 100;
  std::unique_ptr<CStageData> floor(CreateStage(817));
  EXPECT_NE(dynamic_cast<CStageDataLevelX1_100*>(floor.get()), nullptr);
  EXPECT_EQ(floor->BgmTrack, -1);
  EXPECT_EQ(floor->BgmResourceId, -1);
  EXPECT_EQ(floor->MonsterHouseChance, 0);
  EXPECT_EQ(floor->OverlayKind, 0);
  EXPECT_EQ(floor->GetSpawnTable(), nullptr);
  EXPECT_EQ(floor->PickEnemy(), nullptr);
  EXPECT_EQ(floor->CreateNextFloor(), nullptr);
  floor->LoadArea();
  EXPECT_EQ(floor->AreaId, 317);
  char name[StageNameSize] = "";
  floor->GetName(name);
  EXPECT_STREQ(name, "ETERNAL GALLERY 100F");
}

// Pictures are counted without being made.
bool NoPictures(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

TEST_F(HandMadeFloor, AGalleryFloorGivesBackExactlyTheMonsterPicturesItTook) {
  SetPictureLoader(&NoPictures);
  std::vector<std::uint32_t> before(std::begin(TextureRefCounts), std::end(TextureRefCounts));
  // A Dragon of grade 3 is in the gallery's own table but not in Grass1's:
  // someone else holds its pictures, and they must stay held.
  std::unique_ptr<CCharacter> dragon(CreateCharacter(345));
  dragon->LoadGraphics();
  const std::vector<std::uint32_t> held(std::begin(TextureRefCounts), std::end(TextureRefCounts));
  ASSERT_NE(held, before);
  {
    std::unique_ptr<CStageData> grass(CreateStage(801));
    grass->LoadSpawnGraphics();
    grass->LoadSpawnGraphics();
  }
  EXPECT_EQ(std::vector<std::uint32_t>(std::begin(TextureRefCounts), std::end(TextureRefCounts)), held);
  dragon->ReleaseGraphics();
  EXPECT_EQ(std::vector<std::uint32_t>(std::begin(TextureRefCounts), std::end(TextureRefCounts)), before);
  SetPictureLoader(nullptr);
}

}  // namespace
