// A generated floor: rooms and corridors by splitting the map, then the
// player, monsters, stairs, traps and loose items on random cells.
#include <algorithm>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageBlock.h"
#include "floors/CStageData.h"
#include "floors/SpawnTables.h"
#include "floors/StagePlacement.h"
#include "floors/StageSightMap.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/Random.h"

namespace {

constexpr Direction SpawnDirections[8] = {5, 4, 6, 1, 2, 9, 8, 10};
constexpr std::int32_t FirstTrapId = 0xc00;
constexpr int TrapKinds = 8;
constexpr int TrapWeight = 2;

// What the player's cell sees: asked cell by cell while the placements ask
// about a few cells, worked out for the whole floor once they ask whether
// any cell at all is out of sight. The terrain stands still meanwhile.
class PlayerSight {
public:
  PlayerSight(const CStageData& floor, bool placed, int x, int y) : Floor(floor), Placed(placed), X(x), Y(y) {
    std::fill(std::begin(Seen), std::end(Seen), Unknown);
  }
  bool Sees(int x, int y) {
    if (!Placed) return false;
    std::uint8_t& seen = Seen[CellIndex(x, y)];
    if (seen == Unknown) seen = Floor.HasLineOfSight(X, Y, x, y) ? 1 : 0;
    return seen == 1;
  }
  // Before asking about every cell.
  void Complete() {
    if (Placed && !Whole) ComputeSightMap(Floor, X, Y, Seen);
    Whole = true;
  }

private:
  static constexpr std::uint8_t Unknown = 0xff;
  const CStageData& Floor;
  bool Placed;
  int X, Y;
  bool Whole = false;
  std::uint8_t Seen[StageCellCount];
};

bool TouchesCorridorAround(const CStageData& floor, int x, int y) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if ((dx != 0 || dy != 0) && floor.IsCorridor(x + dx, y + dy)) return true;
  return false;
}

bool PlacePlayer(CStageData& floor, int& playerX, int& playerY) {
  CCharacter* player = GetGameMain()->Player;
  if (player == nullptr) return false;
  auto takes = [&floor](int x, int y) { return floor.IsFloor(x, y) && floor.GetCharacterAt(x, y) == nullptr; };
  if (!FindPlacementCell(takes, DrawMapCell, CellRect{}, playerX, playerY)) return false;
  floor.CameraX = floor.PrevCameraX = playerX;
  floor.CameraY = floor.PrevCameraY = playerY;
  floor.characterAt[CellIndex(playerX, playerY)] = player;
  player->SetPosition(playerX, playerY);
  return true;
}

void PlaceMonsters(CStageData& floor, PlayerSight& sight) {
  const int count = floor.GetEnemyCount();
  int inSight = 0;  // shared by all the monsters of this step
  auto empty = [&floor](int x, int y) { return floor.IsFloor(x, y) && floor.GetCharacterAt(x, y) == nullptr; };
  auto emptyOutOfSight = [&](int x, int y) { return empty(x, y) && !sight.Sees(x, y); };
  for (int i = 0; i < count; ++i) {
    CCharacter* monster = floor.PickEnemy();
    if (monster == nullptr) continue;
    // Past the limit a cell in sight is taken too; twice the limit without
    // an empty floor cell ends in a scan.
    constexpr int lastTry = 2 * PlacementTryLimit;
    bool placed = false, checkedEmpty = false, checkedSight = false;
    int x = 0, y = 0;
    for (int tries = 0; tries < lastTry; ++tries) {
      if (tries >= QuickPlacementTries && !checkedEmpty) {
        checkedEmpty = true;
        if (!AnyCellTakes(empty, CellRect{})) {
          SkipCellDraws(tries, lastTry);
          break;
        }
      }
      // Once the monsters in sight are too many, a floor whose every empty
      // cell is in sight refuses every draw until the limit.
      if (!checkedSight && tries >= QuickPlacementTries && tries < PlacementTryLimit &&
          inSight > floor.GetMaxEnemiesInView()) {
        checkedSight = true;
        sight.Complete();
        if (!AnyCellTakes(emptyOutOfSight, CellRect{})) {
          SkipCellDraws(tries, PlacementTryLimit);
          tries = PlacementTryLimit;
        }
      }
      DrawMapCell(x, y);
      if (!empty(x, y)) continue;
      if (!sight.Sees(x, y)) {
        placed = true;
        break;
      }
      ++inSight;
      if (inSight <= floor.GetMaxEnemiesInView() || tries >= PlacementTryLimit) {
        placed = true;
        break;
      }
    }
    if (!placed) placed = ScanForCell(empty, CellRect{}, x, y);
    if (placed) {
      PlaceCharacter(&floor, monster, x, y);
    } else {
      delete monster;
    }
  }
}

void PlaceStairs(CStageData& floor, PlayerSight& sight) {
  auto usable = [&floor](int x, int y) { return floor.IsFloor(x, y) && floor.GetItemAt(x, y) == nullptr; };
  auto apart = [&](int x, int y) { return usable(x, y) && !TouchesCorridorAround(floor, x, y); };
  auto hidden = [&](int x, int y) { return apart(x, y) && !sight.Sees(x, y); };
  // Out of the player's sight while the tries last, then anywhere apart
  // from the corridors.
  constexpr int lastTry = 2 * PlacementTryLimit;
  int x = 0, y = 0;
  bool found = false;
  for (int tries = 0; tries < lastTry && !found; ++tries) {
    if (tries == QuickPlacementTries) {
      if (!AnyCellTakes(apart, CellRect{})) {
        SkipCellDraws(tries, lastTry);
        break;
      }
      sight.Complete();
      if (!AnyCellTakes(hidden, CellRect{})) {
        SkipCellDraws(tries, PlacementTryLimit);
        tries = PlacementTryLimit;
      }
    }
    DrawMapCell(x, y);
    found = apart(x, y) && (tries >= PlacementTryLimit || !sight.Sees(x, y));
  }
  // Last resorts: the first cell apart from corridors, else any free floor
  // cell (a floor with rooms only beside corridors still gets its stairs).
  if (!found) found = ScanForCell(apart, CellRect{}, x, y);
  if (!found) found = ScanForCell(usable, CellRect{}, x, y);
  if (found) floor.terrain[CellIndex(x, y)] = TerrainStairs;
}

void PlaceTraps(CStageData& floor) {
  const int count = floor.GetTrapCount();
  auto takes = [&floor](int x, int y) {
    return floor.IsFloor(x, y) && floor.GetItemAt(x, y) == nullptr && !TouchesCorridor(floor, x, y);
  };
  for (int i = 0; i < count; ++i) {
    CItem* trap = floor.PickTrap();
    if (trap == nullptr) continue;
    int x = 0, y = 0;
    if (!FindPlacementCell(takes, DrawMapCell, CellRect{}, x, y) || !floor.PutItemAt(x, y, trap)) delete trap;
  }
}

// Removes the traps (the monster house's among them) that a corridor came
// to touch.
void SweepTraps(CStageData& floor) {
  for (int x = 0; x < StageMapSize; ++x) {
    for (int y = 0; y < StageMapSize; ++y) {
      CItem* item = floor.GetItemAt(x, y);
      if (item == nullptr || !item->IsTrap() || !TouchesCorridor(floor, x, y)) continue;
      floor.RemoveItemAt(x, y);
      delete item;
    }
  }
}

void PlaceLooseItems(CStageData& floor) {
  const int count = floor.GetItemCount();
  auto takes = [&floor](int x, int y) { return floor.IsFloor(x, y) && floor.GetItemAt(x, y) == nullptr; };
  for (int i = 0; i < count; ++i) {
    CItem* item = floor.PickFloorItem();
    if (item == nullptr) continue;
    int x = 0, y = 0;
    if (!FindPlacementCell(takes, DrawMapCell, CellRect{}, x, y) || !floor.PutItemAt(x, y, item)) delete item;
  }
}

}  // namespace

void PlaceCharacter(CStageData* floor, CCharacter* character, int x, int y) {
  character->SetPosition(x, y);
  floor->MoveCharacterTo(x, y, character);
  GetGameMain()->Characters.PushBack(character);
}

void CStageData::GenerateFloor() {
  GenerateTerrain(0, 0, StageMapSize, StageMapSize);
  int playerX = 0, playerY = 0;
  const bool placed = PlacePlayer(*this, playerX, playerY);
  PlayerSight sight(*this, placed, playerX, playerY);
  PlaceMonsters(*this, sight);
  PlaceStairs(*this, sight);
  PlaceTraps(*this);
  SweepTraps(*this);
  PlaceLooseItems(*this);
}

bool CStageData::GenerateTerrain(int x, int y, int w, int h) {
  for (int cx = x; cx < x + w; ++cx)
    for (int cy = y; cy < y + h; ++cy)
      if (IsOnMap(cx, cy)) terrain[CellIndex(cx, cy)] = TerrainWall;
  // The outermost ring of the rectangle always stays wall.
  CStageBlock root;
  root.Build(x + 1, y + 1, w - 2, h - 2, 0, this);
  return true;
}

CCharacter* CStageData::PickFromSpawnTable(const SpawnEntry* table) {
  const int total = GetSpawnTotalWeight(table);
  if (total <= 0) return nullptr;
  const SpawnEntry* row = GetSpawnRowForRoll(table, Random() % total);
  if (row == nullptr) return nullptr;
  CCharacter* monster = CreateCharacter(row->Type);
  // A type without a class gives nothing, and draws nothing more.
  if (monster == nullptr) return nullptr;
  if (Random() % 100 < row->Percent) monster->InflictHoldRandom();
  monster->SetDirection(SpawnDirections[Random() & 7]);
  return monster;
}

CItem* CStageData::PickTrap() {
  // Eight traps of equal weight.
  const int r = Random() % (TrapKinds * TrapWeight);
  return CreateItem(FirstTrapId + r / TrapWeight);
}
