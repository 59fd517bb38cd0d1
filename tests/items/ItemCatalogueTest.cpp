#include <gtest/gtest.h>

#include <set>

#include "items/ItemCatalogue.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

TEST(ItemCatalogue, SortsEachIdAtItsPlace) {
  // The first and last places, and where the order leaves id order.
  const struct {
    ItemId Id;
    int Index;
  } places[] = {
      {0x000, 0},   {0x088, 8},   {0x080, 9},   {0x005, 10},  {0x0A8, 27},  {0x0C1, 31},  {0x0C0, 40},
      {0x090, 52},  {0x0B9, 56},  {0x100, 57},  {0x200, 71},  {0x383, 89},  {0x3C1, 93},  {0x310, 96},
      {0x480, 123}, {0x484, 124}, {0x410, 128}, {0x420, 137}, {0x500, 146}, {0x581, 155}, {0x582, 175},
      {0x58D, 186}, {0x60C, 198}, {0x60B, 203}, {0x611, 204}, {0x700, 212}, {0x81A, 220}, {0x823, 250},
      {0x911, 266}, {0x90F, 267}, {0x912, 269}, {0x914, 271}, {0xA05, 277}, {0xA12, 288}, {0xA10, 296},
      {0xB11, 313}, {0xB0F, 314}, {0xB10, 315},
  };
  for (const auto& p : places) EXPECT_EQ(GetCatalogueIndex(p.Id), p.Index) << std::hex << p.Id;
  for (ItemId id : {0xC00, 0xD00, 0xD09, -1, 0x029, 0x915}) EXPECT_EQ(GetCatalogueIndex(id), 0xFFFF) << id;
}

TEST(ItemCatalogue, HoldsEveryItemButTrapsAndEventItemsOnceAndFourPlacesWithoutOne) {
  std::set<int> places;
  for (ItemId id : AllItemIds()) {
    const int index = Make(id)->GetCatalogueIndex();
    if (id >= 0xC00) {
      EXPECT_EQ(index, 0xFFFF) << std::hex << id;
      continue;
    }
    EXPECT_TRUE(places.insert(index).second) << std::hex << id;
  }
  for (ItemId id : {0x912, 0x913, 0x914, 0xA05}) places.insert(GetCatalogueIndex(id));
  EXPECT_EQ(places.size(), 316u);
  EXPECT_EQ(*places.rbegin(), 315);
}

TEST(ItemCatalogue, ListsTheTwentyFiveFusableStonesInTheirOrder) {
  const ItemId stones[] = {0xA00, 0xA01, 0xA02, 0xA03, 0xA04, 0xA06, 0xA07, 0xA08, 0xA09, 0xA0C, 0xA0B, 0xA0A, 0xA0D,
                           0xA0E, 0xA0F, 0xA12, 0xA13, 0xA14, 0xA15, 0xA16, 0xA17, 0xA18, 0xA19, 0xA10, 0xA11};
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(GetMagicStoneIdAt(i), stones[i]) << i;
    EXPECT_TRUE(IsMagicStoneId(stones[i]));
    EXPECT_EQ(Make(stones[i])->GetCategory(), ItemCategoryMagicStone);
  }
  for (int i : {25, 26, -1, -1000}) EXPECT_EQ(GetMagicStoneIdAt(i), -1) << i;
  for (ItemId id : {0xA05, 0x9FF, 0xA1A, -1}) EXPECT_FALSE(IsMagicStoneId(id)) << id;
}

}  // namespace
