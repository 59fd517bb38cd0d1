#include <gtest/gtest.h>

#include "platform/Random.h"

// The visual generator has a sequence of its own: drawing (which draws from
// it) must leave the game's sequence exactly where it was.
TEST(Random, VisualDrawsLeaveTheGameSequenceAlone) {
  SeedRandom(1234);
  const int first = Random();
  const int second = Random();

  SeedRandom(1234);
  SeedVisualRandom(99);
  EXPECT_EQ(Random(), first);
  for (int i = 0; i < 50; ++i) VisualRandom();
  EXPECT_EQ(Random(), second);
}

TEST(Random, FollowsTheLinearCongruentialRule) {
  SeedRandom(0);
  EXPECT_EQ(Random(), (2531011u >> 16) & 0x7fff);
  SeedVisualRandom(0);
  EXPECT_EQ(VisualRandom(), (2531011u >> 16) & 0x7fff);
}

TEST(Random, SkippingMatchesDrawingOneByOne) {
  for (std::uint64_t count : {0ull, 1ull, 2ull, 3ull, 255ull, 65535ull, 131070ull, 1000003ull}) {
    SeedRandom(987654321u);
    for (std::uint64_t i = 0; i < count; ++i) Random();
    const int expected = Random();
    SeedRandom(987654321u);
    SkipRandom(count);
    EXPECT_EQ(Random(), expected) << count;
  }
}
