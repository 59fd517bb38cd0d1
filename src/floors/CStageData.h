#pragma once
#include <cstdint>
#include <cstdlib>

#include "characters/CCharacterList.h"

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
  virtual bool IsWall(int x, int y) const { return GetTerrain(x, y) == 4; }
  // One step to a neighbouring empty cell; no diagonal past a wall corner.
  virtual bool CanStep(int fromX, int fromY, int toX, int toY, int ignoreTerrain) const {
    if (IsOutOfMap(toX, toY) || GetCharacterAt(toX, toY)) return false;
    if ((fromX == toX && fromY == toY) || std::abs(toX - fromX) > 1 || std::abs(toY - fromY) > 1) return false;
    if (ignoreTerrain) return true;
    if (!IsFloor(toX, toY) && !IsCorridor(toX, toY) && !IsStairs(toX, toY)) return false;
    return fromX == toX || fromY == toY || (!IsWall(fromX, toY) && !IsWall(toX, fromY));
  }
  // Mode 0 an adjacent blow, 1 a straight reach stopped by walls, other
  // modes always.
  virtual bool CanAttack(int fromX, int fromY, int toX, int toY, int mode) const {
    if (IsOutOfMap(toX, toY)) return false;
    const int dx = toX - fromX, dy = toY - fromY;
    if (mode != 0 && mode != 1) return true;
    if (IsWall(toX, toY) || !GetCharacterAt(toX, toY)) return false;
    if (mode == 0) {
      if (std::abs(dx) > 1 || std::abs(dy) > 1) return false;
      return dx == 0 || dy == 0 || (!IsWall(fromX, toY) && !IsWall(toX, fromY));
    }
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)) return false;
    const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    for (int cx = fromX + sx, cy = fromY + sy; cx != toX || cy != toY; cx += sx, cy += sy)
      if (IsWall(cx, cy)) return false;
    return true;
  }
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
  // 2 or more: lit, everyone is drawn fully visible.
  virtual int GetLightMode() const { return LightMode; }
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
  CCharacterList Effects;  // owned
  std::int32_t CameraX = 0;  // the cell the view is centred on
  std::int32_t CameraY = 0;
  std::int32_t ScrollCounter = 8;  // frames of the view's slide; 8 at rest
  std::int32_t LightMode = 1;
};
