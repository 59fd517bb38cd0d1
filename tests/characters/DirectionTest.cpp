#include <gtest/gtest.h>

#include "characters/Direction.h"

namespace {

TEST(Direction, StepRowAndMirrorOfEveryValue) {
  struct Row {
    Direction D;
    int Dx, Dy, SpriteRow, Sign;
  };
  const Row rows[] = {
      {1, -1, 0, 2, -1}, {2, 1, 0, 2, 1},   {4, 0, -1, 4, 1},  {5, -1, -1, 3, -1},
      {6, 1, -1, 3, 1},  {8, 0, 1, 0, 1},   {9, -1, 1, 1, -1}, {10, 1, 1, 1, 1},
      // Anything else steps nowhere, faces down and is not mirrored.
      {0, 0, 0, 0, 1},   {3, 0, 0, 0, 1},   {7, 0, 0, 0, 1},   {12, 0, 0, 0, 1},
      {15, 0, 0, 0, 1},  {-1, 0, 0, 0, 1},  {-5, 0, 0, 0, 1},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(DirectionDx(r.D), r.Dx) << r.D;
    EXPECT_EQ(DirectionDy(r.D), r.Dy) << r.D;
    EXPECT_EQ(DirectionSpriteRow(r.D), r.SpriteRow) << r.D;
    EXPECT_EQ(DirectionFacingSign(r.D), r.Sign) << r.D;
  }
}

TEST(Direction, FromDeltaIsTheInverseOfTheStep) {
  for (Direction d : {1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_EQ(DirectionFromDelta(DirectionDx(d), DirectionDy(d)), d);
  EXPECT_EQ(DirectionFromDelta(1, 1), 10);
  EXPECT_EQ(DirectionFromDelta(0, 0), 0);
  EXPECT_EQ(DirectionFromDelta(2, 0), 0);
  EXPECT_EQ(DirectionFromDelta(-1, -2), 0);
}

TEST(Direction, FacingRuleUsesOnlyTheSigns) {
  struct Row {
    int Tx, Ty;
    Direction Expected;
  };
  // From (10, 10), with the current facing 1.
  const Row rows[] = {
      {3, 2, 5}, {10, 0, 4}, {39, 9, 6}, {0, 10, 1}, {11, 10, 2},
      {9, 39, 9}, {10, 11, 8}, {20, 20, 10}, {10, 10, 1},
  };
  for (const Row& r : rows) EXPECT_EQ(FacingToward(10, 10, r.Tx, r.Ty, 1), r.Expected) << r.Tx << "," << r.Ty;
  EXPECT_EQ(FacingToward(0, 0, 0, 0, 6), 6);
  EXPECT_EQ(FacingToward(-2147483647 - 1, 0, 2147483647, 0, 6), 2);
}

}  // namespace
