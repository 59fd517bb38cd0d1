#include <gtest/gtest.h>

#include <climits>

#include "app/CGameMain.h"

namespace {

TEST(GameSpeed, IsKeptWithinZeroToFour) {
  struct Case {
    int Value;
    std::uint32_t Stored;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {3, 3}, {4, 4}, {5, 4}, {7, 4}, {-3, 0}, {INT_MIN, 0}, {INT_MAX, 4}};
  CGameMain game;
  for (const Case& c : cases) {
    game.SetGameSpeed(c.Value);
    EXPECT_EQ(game.Settings.Block.GameSpeed, c.Stored) << c.Value;
  }
}

}  // namespace
