#pragma once
#include <cstdint>

class CCharacter;
class CItem;

// A cell's ground: 0 room floor, 1 monster-house floor, 2 corridor, 3 stairs,
// 4 wall, 5 impassable ground, 6 never written, 7 solid rock.
using TerrainCode = std::uint32_t;
constexpr int StageMapSize = 40;
constexpr int StageCellCount = StageMapSize * StageMapSize;

// Where a cell lies in the grids; the caller has checked it is on the map.
inline int CellIndex(int x, int y) { return x * StageMapSize + y; }

// One floor: 40 x 40 cells, each grid indexed x * 40 + y.
// For now only the grids and the cell services the characters use; the
// floor's generation, sight and drawing replace and extend these bodies.
class CStageData {
public:
  virtual ~CStageData() = default;

  virtual bool IsOutOfMap(int x, int y) const {
    return static_cast<unsigned>(x) >= StageMapSize || static_cast<unsigned>(y) >= StageMapSize;
  }
  virtual TerrainCode GetTerrain(int x, int y) const { return IsOutOfMap(x, y) ? 4 : terrain[CellIndex(x, y)]; }
  virtual bool IsFloor(int x, int y) const { return GetTerrain(x, y) <= 1; }
  virtual bool IsCorridor(int x, int y) const { return GetTerrain(x, y) == 2; }
  virtual bool IsStairs(int x, int y) const { return GetTerrain(x, y) == 3; }
  virtual CCharacter* GetCharacterAt(int x, int y) const {
    return IsOutOfMap(x, y) ? nullptr : characterAt[CellIndex(x, y)];
  }
  // False when the cell is taken or off the map; otherwise the character
  // leaves every other cell and stands on this one.
  virtual bool MoveCharacterTo(int x, int y, CCharacter* character) {
    if (IsOutOfMap(x, y) || characterAt[CellIndex(x, y)]) return false;
    for (CCharacter*& standing : characterAt)
      if (standing == character) standing = nullptr;
    characterAt[CellIndex(x, y)] = character;
    return true;
  }
  virtual CItem* GetItemAt(int x, int y) const { return IsOutOfMap(x, y) ? nullptr : itemAt[CellIndex(x, y)]; }
  // 0 unseen, 1 seen and blocking, 2 seen and open.
  virtual int IsVisible(int x, int y) const { return IsOutOfMap(x, y) ? 0 : visible[CellIndex(x, y)]; }
  // Whether the second cell is visible from the first; until the floor has
  // its sight rules every cell is.
  virtual bool HasLineOfSight(int, int, int, int) const { return true; }
  // The view is 21 cells wide and 17 high around the camera cell.
  virtual bool IsInDrawArea(int x, int y) const {
    const int dx = ToScreenX(x), dy = ToScreenY(y);
    return dx > -11 && dx < 11 && dy > -9 && dy < 9;
  }
  virtual int ToScreenX(int x) const { return x - CameraX; }
  virtual int ToScreenY(int y) const { return y - CameraY; }

  TerrainCode terrain[StageCellCount] = {};
  CCharacter* characterAt[StageCellCount] = {};  // not owned
  CItem* itemAt[StageCellCount] = {};
  std::uint8_t visible[StageCellCount] = {};
  std::uint8_t explored[StageCellCount] = {};  // 0 never seen
  std::int32_t CameraX = 0;  // the cell the view is centred on
  std::int32_t CameraY = 0;
};
