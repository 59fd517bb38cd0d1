#pragma once
// The shared shape of generation's placements: random cells drawn until one
// qualifies, bounded, with a scan as the last resort.
#include "floors/CStageData.h"
#include "platform/Random.h"

class CCharacter;

struct CellRect {
  int X = 0, Y = 0, W = StageMapSize, H = StageMapSize;
};

// A random cell of the map: x first, then y.
inline void DrawMapCell(int& x, int& y) {
  x = Random() % StageMapSize;
  y = Random() % StageMapSize;
}

// The first cell of `scan` (x outer, y inner) that takes(x, y) accepts.
template <class Takes>
bool ScanForCell(const Takes& takes, const CellRect& scan, int& outX, int& outY) {
  for (int x = scan.X; x < scan.X + scan.W; ++x) {
    for (int y = scan.Y; y < scan.Y + scan.H; ++y) {
      if (takes(x, y)) {
        outX = x, outY = y;
        return true;
      }
    }
  }
  return false;
}

// Every cell draw takes two numbers, x then y.
constexpr int RandomsPerCellDraw = 2;
// After this many refused draws a placement looks whether any cell would do
// at all; when none would, it moves the sequence past the draws it would
// have wasted instead of making them.
constexpr int QuickPlacementTries = 256;

template <class Takes>
bool AnyCellTakes(const Takes& takes, const CellRect& scan) {
  int x = 0, y = 0;
  return ScanForCell(takes, scan, x, y);
}

// Moves the sequence past the draws of tries `from` up to `to`.
inline void SkipCellDraws(int from, int to) {
  if (to > from) SkipRandom(static_cast<std::uint64_t>(to - from) * RandomsPerCellDraw);
}

// Draws cells with draw(x, y) until takes(x, y) accepts one, at most
// PlacementTryLimit times; then the first cell of `scan` that it accepts.
// False when no cell qualifies: the caller skips the placement, so a full
// floor never hangs generation.
template <class Takes, class Draw>
bool FindPlacementCell(const Takes& takes, const Draw& draw, const CellRect& scan, int& outX, int& outY) {
  for (int tries = 0; tries < PlacementTryLimit; ++tries) {
    if (tries == QuickPlacementTries && !AnyCellTakes(takes, scan)) {
      SkipCellDraws(tries, PlacementTryLimit);
      return false;
    }
    int x = 0, y = 0;
    draw(x, y);
    if (takes(x, y)) {
      outX = x, outY = y;
      return true;
    }
  }
  return ScanForCell(takes, scan, outX, outY);
}

// Any of the four straight neighbours is corridor.
inline bool TouchesCorridor(const CStageData& floor, int x, int y) {
  return floor.IsCorridor(x - 1, y) || floor.IsCorridor(x + 1, y) || floor.IsCorridor(x, y - 1) ||
         floor.IsCorridor(x, y + 1);
}

// Puts a new character on the floor: its own cell, the floor's grid and the
// game's character list.
void PlaceCharacter(CStageData* floor, CCharacter* character, int x, int y);
