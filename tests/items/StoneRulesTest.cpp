#include <gtest/gtest.h>

#include "items/ItemTestSupport.h"
#include "items/StoneRules.h"

namespace {

using namespace itemtest;
using enum StoneStat;
using enum StoneCombine;

// One getter per way of combining, read the same on every family.
constexpr StoneRule Rules[] = {
    {0xA00, HealOnHit, Sum, 3},
    {0xA01, HealOnHit, Sum, 5},
    {0xA02, Drain, Once, 30},
    {0xA03, Drain, Once, 30},
    {0xA04, ArrowKeep, Keep, 50},
    {0xA06, ArrowKeep, Keep, 35},
    {0xA07, AttackFromDefence, First, 1},
    {0xA08, AttackFromDefence, First, 2},
};
static_assert(OneCombinePerStat(Rules));
constexpr StoneRule Mixed[] = {{0xA00, Drain, Sum, 3}, {0xA01, Drain, Once, 5}};
static_assert(!OneCombinePerStat(Mixed));

TEST(StoneRules, SumOnceKeepAndFirstOnAWeaponABowAndAProtector) {
  struct Case {
    const char* What;
    StoneStat Stat;
    std::vector<ItemId> Stones;
    int Expected;
  };
  const Case cases[] = {
      {"sum of one kind", HealOnHit, {0xA00, 0xA00}, 6},
      {"sum of two kinds", HealOnHit, {0xA00, 0xA01}, 8},
      {"sum beside an empty slot", HealOnHit, {NoItem, 0xA01}, 5},
      {"once, two kinds", Drain, {0xA02, 0xA03}, 30},
      {"once, one kind twice", Drain, {0xA02, 0xA02}, 30},
      {"once, nothing", Drain, {0xA00, 0xA01}, 0},
      {"keep, one", ArrowKeep, {0xA04}, 50},
      {"keep, two kinds in order", ArrowKeep, {0xA04, 0xA06}, 83},
      {"keep, one kind twice", ArrowKeep, {0xA06, 0xA06}, 88},
      {"keep, nothing", ArrowKeep, {}, 0},
      {"first decides", AttackFromDefence, {0xA07, 0xA08}, 1},
      {"first decides, the other way", AttackFromDefence, {0xA08, 0xA07}, 2},
      {"first after an empty slot", AttackFromDefence, {NoItem, 0xA08}, 2},
      {"past the slots", HealOnHit, {NoItem, NoItem, 0xA00}, 0},
  };
  for (ItemId id : {0x000, 0x100, 0x304}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.What << std::hex << ", id 0x" << id);
      ItemPtr item = Make({id, 0, c.Stones, 2});
      EXPECT_EQ(ReadStones(*item, Rules, c.Stat), c.Expected);
    }
  }
}

}  // namespace
