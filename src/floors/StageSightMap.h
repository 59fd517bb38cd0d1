#pragma once
// What one cell sees of every cell of the floor, by the floor's sight rule
// (the answers HasLineOfSight gives one by one), worked out in one pass.
#include <cstdint>

#include "floors/CStageData.h"

// seen[CellIndex(x, y)] is 1 when (fromX, fromY) has line of sight to
// (x, y), else 0.
void ComputeSightMap(const CStageData& floor, int fromX, int fromY, std::uint8_t (&seen)[StageCellCount]);
