#pragma once
#include <cstdint>

class CCharacter;
class CItem;

// A cell's ground: 0 room floor, 1 monster-house floor, 2 corridor, 3 stairs,
// 4 wall, 5 impassable ground, 6 never written, 7 solid rock.
using TerrainCode = std::uint32_t;
constexpr int StageMapSize = 40;

// One floor: 40 x 40 cells, each grid indexed x * 40 + y.
// For now only the grids and the cell services the characters use; the
// floor's generation, sight and drawing replace and extend these bodies.
class CStageData {
public:
  virtual ~CStageData() = default;

  virtual bool IsOutOfMap(int x, int y) const {
    return static_cast<unsigned>(x) >= StageMapSize || static_cast<unsigned>(y) >= StageMapSize;
  }
  virtual TerrainCode GetTerrain(int x, int y) const { return IsOutOfMap(x, y) ? 4 : terrain[Cell(x, y)]; }
  virtual bool IsFloor(int x, int y) const { return GetTerrain(x, y) <= 1; }
  virtual bool IsCorridor(int x, int y) const { return GetTerrain(x, y) == 2; }
  virtual bool IsStairs(int x, int y) const { return GetTerrain(x, y) == 3; }
  virtual CCharacter* GetCharacterAt(int x, int y) const {
    return IsOutOfMap(x, y) ? nullptr : characterAt[Cell(x, y)];
  }
  // False when the cell is taken or off the map; otherwise the character
  // leaves every other cell and stands on this one.
  virtual bool MoveCharacterTo(int x, int y, CCharacter* character) {
    if (IsOutOfMap(x, y) || characterAt[Cell(x, y)]) return false;
    for (CCharacter*& standing : characterAt)
      if (standing == character) standing = nullptr;
    characterAt[Cell(x, y)] = character;
    return true;
  }
  virtual CItem* GetItemAt(int x, int y) const { return IsOutOfMap(x, y) ? nullptr : itemAt[Cell(x, y)]; }
  // 0 unseen, 1 seen and blocking, 2 seen and open.
  virtual int IsVisible(int x, int y) const { return IsOutOfMap(x, y) ? 0 : visible[Cell(x, y)]; }
  // Whether the second cell is visible from the first; until the floor has
  // its sight rules every cell is.
  virtual bool HasLineOfSight(int, int, int, int) const { return true; }

  static int Cell(int x, int y) { return x * StageMapSize + y; }

  TerrainCode terrain[StageMapSize * StageMapSize] = {};
  CCharacter* characterAt[StageMapSize * StageMapSize] = {};  // not owned
  CItem* itemAt[StageMapSize * StageMapSize] = {};
  std::uint8_t visible[StageMapSize * StageMapSize] = {};
  std::uint8_t explored[StageMapSize * StageMapSize] = {};  // 0 never seen
};
