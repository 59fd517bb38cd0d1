#include "floors/SpecialStages.h"

#include <iterator>
#include <new>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "floors/CStageDataTutorial.h"
#include "floors/GalleryStages.h"
#include "floors/StagePlacement.h"
#include "items/ItemFactory.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

// The seven halls: six dungeon ends, then the gallery's floor 100.
constexpr GoalFloorRow GoalFloors[] = {
    // id  goal  hall x  hall y  player  goal
    {6, 0xd00, 18, 22, 10, 30, 20, 29, 20, 10},    // PHANTOM FOREST 7: green crystal
    {112, 0xd01, 18, 22, 10, 30, 20, 29, 20, 10},  // LAKE OF MIST 13: blue crystal
    {218, 0xd02, 18, 22, 10, 30, 20, 29, 20, 10},  // FROZEN MOUNTAIN 19: yellow crystal
    {324, 0xd03, 18, 22, 10, 30, 20, 29, 20, 10},  // VOLCANIC DESERT 25: red crystal
    {430, 0xd04, 18, 22, 10, 30, 20, 29, 20, 10},  // UNTRODDEN REGION 31: purple crystal
    {710, 0xd07, 18, 22, 10, 30, 20, 29, 20, 10},  // STRANGE CAVE 11: crystal orb
    {817, 0xd08, 17, 23, 15, 25, 20, 24, 20, 15},  // ETERNAL GALLERY 100: sushi
};

// ---- ALCHEMIST'S LAB floor 36: R rock, X wall, . room, = corridor, S stairs.
constexpr StageId Lab36 = 635, Lab37 = 636;
constexpr const char* Lab36Rows[] = {
    "RRRRRRRRRRRRRRRRRXXXXXXXRRRRRRRRRRRRRRRR",  // 4
    "RRRRRRRRRRRRRRRRRX.....XRRRRRRRRRRRRRRRR",  // 5
    "RRRRRRRRRRRRRRRRRX.....XRRRRRRRRRRRRRRRR",
    "RRRRRRRXXXXXXXXXXX..S..XXXXXXXXXXXRRRRRR",
    "RRRRRRRXRRRRRRRRRX.....XRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRX.....XRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRXXX=XXXRRRRRRRRRXRRRRRR",  // 10
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRXXXXX=XXXXXRRRRRRRXRRRRRR",  // 15
    "RRRXXXXXXXXXRRRX.........XRRRXXXXXXXXXRR",
    "RRRX.......XRRRX.........XRRRX.......XRR",
    "RRRX.......XRRRX.........XRRRX.......XRR",
    "RRRX.......XXXXX.........XXXXX.......XRR",
    "RRRX.......=====.........=====.......XRR",  // 20
    "RRRX.......XXXXX.........XXXXX.......XRR",
    "RRRX.......XRRRX.........XRRRX.......XRR",
    "RRRX.......XRRRX.........XRRRX.......XRR",
    "RRRXXXXXXXXXRRRX.........XRRRXXXXXXXXXRR",
    "RRRRRRRXRRRRRRRXXXXX=XXXXXRRRRRRRXRRRRRR",  // 25
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRRRX=XRRRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRXXX=XXXRRRRRRRRRXRRRRRR",  // 30
    "RRRRRRRXRRRRRRRRRX.....XRRRRRRRRRXRRRRRR",
    "RRRRRRRXRRRRRRRRRX.....XRRRRRRRRRXRRRRRR",
    "RRRRRRRXXXXXXXXXXX.....XXXXXXXXXXXRRRRRR",
    "RRRRRRRRRRRRRRRRRX.....XRRRRRRRRRRRRRRRR",
    "RRRRRRRRRRRRRRRRRX.....XRRRRRRRRRRRRRRRR",  // 35
    "RRRRRRRRRRRRRRRRRXXXXXXXRRRRRRRRRRRRRRRR",  // 36
};

// ---- ALCHEMIST'S LAB floor 37: the boss room, ringed twice by wall in rock.
constexpr const char* Lab37Rows[] = {
    "XXXXXXXXXXXXXXXXX",  // 12
    "XXXXXXXXXXXXXXXXX",
    "XX.............XX",  // 14
    "XX.............XX", "XX.............XX", "XX.............XX", "XX.............XX",
    "XX.............XX", "XX.............XX", "XX.............XX", "XX.............XX",
    "XX.............XX", "XX.............XX",
    "XX.............XX",  // 25
    "XXXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXXX",  // 27
};

TerrainCode LabSign(char c) {
  switch (c) {
    case 'R': return TerrainRock;
    case '.': return TerrainRoom;
    case '=': return TerrainCorridor;
    case 'S': return TerrainStairs;
    default: return TerrainWall;
  }
}

constexpr handmade::Map Lab36Map{Lab36Rows, static_cast<int>(std::size(Lab36Rows)), 0, 4, TerrainRock, &LabSign};
constexpr handmade::Map Lab37Map{Lab37Rows, static_cast<int>(std::size(Lab37Rows)), 12, 12, TerrainRock, &LabSign};

constexpr CharacterType Mimic = 361, Alchemist = 367;
constexpr int MimicLevel = 25;
// The strong monsters asleep in the trap room, one drawn per cell.
constexpr CharacterType TrapRoomTypes[7] = {345, 348, 336, 351, 357, 354, 360};
constexpr Direction RandomFacings[8] = {5, 4, 6, 1, 2, 9, 8, 10};
constexpr TextId SignText = 730, WarningText = 731, FooledText = 732;
constexpr BgmTrack TrapMusic = 8;

void Put(CStageData& floor, CCharacter* c, int x, int y, Direction facing) {
  floor.characterAt[CellIndex(x, y)] = c;
  c->SetPosition(x, y);
  c->SetDirection(facing);
}

void GenerateGoalFloor(CStageData& floor, const GoalFloorRow& row) {
  for (TerrainCode& t : floor.terrain) t = TerrainWall;
  for (int y = row.Top; y <= row.Bottom; ++y)
    for (int x = row.Left; x <= row.Right; ++x) floor.terrain[CellIndex(x, y)] = TerrainRoom;
  handmade::PlacePlayer(floor, row.StartX, row.StartY);
  if (CItem* goal = CreateItem(row.Goal)) {
    if (!floor.PutItemAt(row.GoalX, row.GoalY, goal)) delete goal;
  }
}

void GenerateLab36(CStageData& floor) {
  handmade::LayMap(floor, Lab36Map);
  handmade::PlacePlayer(floor, 20, 33);
  if (CCharacter* player = GetGameMain()->Player) player->SetDirection(DirectionUp);
  CCharacterList& characters = GetGameMain()->Characters;
  // The treasure room's Mimics, row by row.
  for (int y = 19; y <= 21; ++y) {
    for (int x = 6; x <= 8; ++x) {
      CCharacter* m = CreateCharacter(Mimic);
      if (m == nullptr) continue;
      Put(floor, m, x, y, DirectionDown);
      m->SetLevel(MimicLevel);
      characters.PushBack(m);
    }
  }
  // The trap room, row by row, but for the cells before its door: two draws
  // a cell, the type first.
  for (int y = LabTrapTop; y <= LabTrapBottom; ++y) {
    for (int x = LabTrapLeft; x <= LabTrapRight; ++x) {
      if (x <= 31 && y >= 19 && y <= 21) continue;
      const CharacterType type = TrapRoomTypes[Random() % 7];
      CCharacter* m = CreateCharacter(type);
      const Direction facing = RandomFacings[Random() % 8];
      if (m == nullptr) continue;
      Put(floor, m, x, y, facing);
      m->ClearHold();
      m->InflictDormantRandom();
      characters.PushBack(m);
    }
  }
}

void GenerateLab37(CStageData& floor) {
  handmade::LayMap(floor, Lab37Map);
  handmade::PlacePlayer(floor, 20, 21);
  if (CCharacter* player = GetGameMain()->Player) player->SetDirection(DirectionUp);
  if (CCharacter* boss = CreateCharacter(Alchemist)) {
    Put(floor, boss, 20, 16, DirectionDown);
    GetGameMain()->Characters.PushBack(boss);
  }
}

// The trap room springs once: its music, and every character on the floor
// wakes.
void SpringLabTrap(CStageData& floor) {
  floor.EventFlags[LabTrapFlag] = 1;
  GetGameInputMain()->ShowMessage(GetCurrentLanguageText(FooledText));
  // Kept by the floor, so that its image and a later entry keep this music.
  floor.BgmTrack = TrapMusic;
  floor.BgmResourceId = BgmResourceBase + TrapMusic;
  if (LoadFloorMusic(floor.BgmTrack, floor.BgmResourceId)) GetSoundManager()->PlayBgm(TrapMusic);
  // A walk of its own: waking must not disturb anyone else's place in the list.
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    c->ClearHold();
    c->ClearDormant();
  }
}

bool RunLab36Event(CStageData& floor, int x, int y) {
  if (x == 20 && y == 24) {
    GetGameInputMain()->ShowMessageTimed(GetCurrentLanguageText(SignText), -1);
  } else if (x == 10 && y == 20) {
    GetGameInputMain()->ShowMessage(GetCurrentLanguageText(WarningText));
  } else if (x >= LabTrapLeft && x <= LabTrapRight && y >= LabTrapTop && y <= LabTrapBottom &&
             floor.EventFlags[LabTrapFlag] == 0) {
    SpringLabTrap(floor);
  } else {
    return false;
  }
  handmade::StopHeldMoves();
  return true;
}

}  // namespace

const GoalFloorRow* FindGoalFloorRow(StageId id) {
  for (const GoalFloorRow& row : GoalFloors)
    if (row.Id == id) return &row;
  return nullptr;
}

CStageData* CreateSpecialStage(StageId id) {
  if (id == TutorialStage) return new (std::nothrow) CStageDataTutorial();
  return CreateGalleryStage(id);
}

void GenerateHandMadeFloor(CStageData& floor) {
  if (const GoalFloorRow* row = FindGoalFloorRow(floor.StageId)) {
    GenerateGoalFloor(floor, *row);
  } else if (floor.StageId == Lab36) {
    GenerateLab36(floor);
  } else if (floor.StageId == Lab37) {
    GenerateLab37(floor);
  }
}

bool RunHandMadeFloorEvent(CStageData& floor, int x, int y) {
  return floor.StageId == Lab36 && RunLab36Event(floor, x, y);
}

namespace handmade {

void LayMap(CStageData& floor, const Map& map) {
  for (TerrainCode& t : floor.terrain) t = map.Outside;
  for (int r = 0; r < map.RowCount; ++r) {
    const int y = map.FirstY + r;
    for (int c = 0; map.Rows[r][c] != '\0'; ++c) {
      const int x = map.FirstX + c;
      if (IsOnMap(x, y)) floor.terrain[CellIndex(x, y)] = map.Sign(map.Rows[r][c]);
    }
  }
}

void PlacePlayer(CStageData& floor, int x, int y) {
  floor.CameraX = floor.PrevCameraX = x;
  floor.CameraY = floor.PrevCameraY = y;
  CCharacter* player = GetGameMain()->Player;
  if (player == nullptr) return;
  floor.characterAt[CellIndex(x, y)] = player;
  player->SetPosition(x, y);
}

void StopHeldMoves() {
  CMyInput* input = GetInput();
  for (int row : {InputRowUp, InputRowDown, InputRowLeft, InputRowRight, InputRowPointer})
    SwallowInput(input->InputHistory[row]);
}

}  // namespace handmade
