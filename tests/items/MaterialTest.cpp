#include <gtest/gtest.h>

#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

TEST(Materials, PricesFollowNoSingleRule) {
  const struct {
    ItemId Id;
    int UnitPrice;
  } cases[] = {{0x800, 1}, {0x803, 6}, {0x804, 8}, {0x81A, 8}, {0x80E, 48}, {0x821, 92},
               {0x822, 92}, {0x819, 200}, {0x823, 2}, {0x81F, 64}};
  for (const auto& c : cases) EXPECT_EQ(Make(c.Id)->GetUnitPrice(), c.UnitPrice) << std::hex << c.Id;
}

TEST(Materials, AFullStackOfIronBarsIsWorthFive) {
  ItemPtr bars = Make(0x807);
  EXPECT_EQ(bars->GetStackLimit(), 5);
  bars->SetCount(5);
  EXPECT_EQ(bars->GetTotalPrice(), 40);
}

// Only the three plants can be used; the golden apple is a plain material.
TEST(Materials, OnlyThePlantsAreUsable) {
  for (ItemId id = 0x800; id <= 0x823; ++id) {
    ItemPtr material = Make(id);
    ASSERT_TRUE(material) << std::hex << id;
    EXPECT_EQ(material->IsUsable(), id >= 0x814 && id <= 0x816) << std::hex << id;
    EXPECT_EQ(material->GetIdentifyState(), IdentifyStateKnown);
    EXPECT_FALSE(material->IsEquipment());
  }
}

}  // namespace
