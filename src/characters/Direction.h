#pragma once
#include <cstdint>

// Where a character faces: a bitmask of 1 left, 2 right, 4 up, 8 down, so
// that a diagonal is the sum of its two sides. 0 is no step; any value but
// the eight directions steps nowhere, uses sprite row 0 and is not mirrored.
using Direction = std::int32_t;

constexpr Direction DirectionNone = 0;
constexpr Direction DirectionLeft = 1;
constexpr Direction DirectionRight = 2;
constexpr Direction DirectionUp = 4;
constexpr Direction DirectionUpLeft = 5;
constexpr Direction DirectionUpRight = 6;
constexpr Direction DirectionDown = 8;
constexpr Direction DirectionDownLeft = 9;
constexpr Direction DirectionDownRight = 10;

// The step of a direction: -1, 0 or +1 on each axis (y grows downward).
int DirectionDx(Direction direction);
int DirectionDy(Direction direction);
// The sheet row that shows a direction: 0 down, 1 the down diagonals, 2 the
// sides, 3 the up diagonals, 4 up.
int DirectionSpriteRow(Direction direction);
// -1 for the directions that face left (the sprite is mirrored), else +1.
int DirectionFacingSign(Direction direction);

// The direction of a step (dx, dy), each -1..1; 0 for no step or a longer one.
Direction DirectionFromDelta(int dx, int dy);

// The facing from one cell toward another, by the signs of the difference;
// the same cell keeps `current`.
Direction FacingToward(int fromX, int fromY, int toX, int toY, Direction current);
