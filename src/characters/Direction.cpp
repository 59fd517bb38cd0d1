#include "characters/Direction.h"

namespace {

struct DirectionRow {
  Direction Value;
  int Dx, Dy, SpriteRow, FacingSign;
};
constexpr DirectionRow Directions[] = {
    {DirectionLeft, -1, 0, 2, -1},     {DirectionRight, 1, 0, 2, 1},
    {DirectionUp, 0, -1, 4, 1},        {DirectionUpLeft, -1, -1, 3, -1},
    {DirectionUpRight, 1, -1, 3, 1},   {DirectionDown, 0, 1, 0, 1},
    {DirectionDownLeft, -1, 1, 1, -1}, {DirectionDownRight, 1, 1, 1, 1},
};
constexpr DirectionRow Nowhere = {DirectionNone, 0, 0, 0, 1};

const DirectionRow& RowOf(Direction direction) {
  for (const DirectionRow& row : Directions)
    if (row.Value == direction) return row;
  return Nowhere;
}

// -1, 0 or +1 as `to` lies below, at or above `from`.
int StepToward(int from, int to) { return (to > from) - (to < from); }

}  // namespace

int DirectionDx(Direction direction) { return RowOf(direction).Dx; }
int DirectionDy(Direction direction) { return RowOf(direction).Dy; }
int DirectionSpriteRow(Direction direction) { return RowOf(direction).SpriteRow; }
int DirectionFacingSign(Direction direction) { return RowOf(direction).FacingSign; }

Direction DirectionFromDelta(int dx, int dy) {
  if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return DirectionNone;
  for (const DirectionRow& row : Directions)
    if (row.Dx == dx && row.Dy == dy) return row.Value;
  return DirectionNone;
}

Direction FacingToward(int fromX, int fromY, int toX, int toY, Direction current) {
  const Direction facing = DirectionFromDelta(StepToward(fromX, toX), StepToward(fromY, toY));
  return facing == DirectionNone ? current : facing;
}
