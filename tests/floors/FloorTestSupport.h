#pragma once
// Small hand-made floors drawn as text, one string per row (y), one
// character per column (x), from the map's top-left corner; every cell the
// text leaves out is wall.
//   # wall   . room   h monster house   + corridor   > stairs
//   ~ barrier ground (5)   r rock (7)
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "floors/CStageData.h"

namespace floortest {

inline TerrainCode CodeOf(char c) {
  switch (c) {
    case '.': return TerrainRoom;
    case 'h': return TerrainMonsterHouse;
    case '+': return TerrainCorridor;
    case '>': return TerrainStairs;
    case '~': return TerrainBarrier;
    case 'r': return TerrainRock;
    default: return TerrainWall;
  }
}

inline void Carve(CStageData& floor, const std::vector<std::string>& rows) {
  for (TerrainCode& t : floor.terrain) t = TerrainWall;
  for (int y = 0; y < static_cast<int>(rows.size()) && y < StageMapSize; ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()) && x < StageMapSize; ++x)
      floor.terrain[CellIndex(x, y)] = CodeOf(rows[y][x]);
}

inline std::unique_ptr<CStageData> MakeFloor(const std::vector<std::string>& rows) {
  auto floor = std::make_unique<CStageData>();
  Carve(*floor, rows);
  return floor;
}

// The visible grid over the rows of the text, in the same shape: one digit a cell.
inline std::vector<std::string> VisibleRows(const CStageData& floor, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += static_cast<char>('0' + floor.visible[CellIndex(x, y)]);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace floortest
