#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <typeinfo>

#include "items/CItemBow.h"
#include "items/CItemEvent.h"
#include "items/CItemProtector.h"
#include "items/CItemRing.h"
#include "items/CItemWeapon.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

class ItemFactory : public ItemFixture {};

TEST_F(ItemFactory, MakesTheThreeHundredThirtyIdsOfTheFamiliesAndNothingElse) {
  // Family (high byte) -> how many ids it has.
  const std::map<int, int> expected = {{0x0, 57}, {0x1, 14}, {0x2, 8},  {0x3, 35}, {0x4, 32},
                                       {0x5, 41}, {0x6, 25}, {0x7, 3},  {0x8, 36}, {0x9, 18},
                                       {0xA, 25}, {0xB, 18}, {0xC, 8},  {0xD, 10}};
  std::map<int, int> made;
  for (ItemId id : AllItemIds()) ++made[id >> 8];
  EXPECT_EQ(made, expected);
  for (ItemId id = 0x1000; id <= 0x10000; ++id) ASSERT_EQ(Make(id), nullptr) << id;

  for (ItemId id : {0x0A05, 0x0912, 0x0C08, 0x0D0A, 0x0029, 0x00FF, -1, 65535, INT_MIN, INT_MAX})
    EXPECT_EQ(Make(id), nullptr) << std::hex << id;
  for (ItemId id : {0x0000, 0x0D09, 0x0B11}) EXPECT_NE(Make(id), nullptr) << std::hex << id;
}

TEST_F(ItemFactory, EveryItemStartsNewInItsFamily) {
  const ItemCategory categoryOfFamily[14] = {0, 1, 2, 3, 4, 5, 6, 11, 7, 8, 9, 10, 12, 13};
  for (ItemId id : AllItemIds()) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << id);
    ItemPtr item = Make(id);
    const int family = id >> 8;
    EXPECT_EQ(item->GetId(), id);
    EXPECT_EQ(item->GetCategory(), categoryOfFamily[family]);
    EXPECT_EQ(item->GetCount(), 1);
    EXPECT_EQ(item->GetRefinement(), 0);
    EXPECT_EQ(item->Alpha, 255);
    EXPECT_EQ(item->Active, 1);
    EXPECT_FALSE(item->IsEquipped());
    EXPECT_EQ(item->GetCondition(), 0);
    EXPECT_EQ(item->ChargesUsed, 0);
    EXPECT_EQ(item->CountEnchantments(), 0);
    for (int i = 0; i < EnchantListSize; ++i) {
      EXPECT_EQ(item->Enchantments[i], -1);
      EXPECT_EQ(item->SpareIds[i], -1);
    }
    EXPECT_EQ(item->GetIdentifyState(), id == 0xD09 ? 1 : 2);

    const bool trap = family == 0xC;
    EXPECT_EQ(item->IsRevealed(), !trap && id != 0xD06);
    EXPECT_EQ(item->IsTrap(), trap);
    EXPECT_EQ(item->CanPickUp(), !trap);
    EXPECT_EQ(item->CanThrow(), !trap);
    EXPECT_EQ(item->IsEquipment(), family <= 0x6);
    const bool usable = (id >= 0x814 && id <= 0x816) || family == 0x7 || family == 0x9 ||
                        (family == 0xA && id != 0xA10) || family == 0xB;
    EXPECT_EQ(item->IsUsable(), usable);
    int stackLimit = 1;
    if (family == 0x8) stackLimit = 5;
    if (family == 0x2 || id == 0xB8 || id == 0xB9) stackLimit = 999;
    EXPECT_EQ(item->GetStackLimit(), stackLimit);
    EXPECT_EQ(item->GetChargesLeft(), family == 0xB ? 5 : 0);
  }
}

template <class Kind>
bool Is(const CItem* item) {
  return dynamic_cast<const Kind*>(item) != nullptr;
}

TEST_F(ItemFactory, BuildsTheClassOfEachKindWithItsConstants) {
  struct Case {
    ItemId Id;
    bool (*IsKind)(const CItem*);
    WeaponKind Kind;
    int Slots;
    int Attack, ShotPower, Defence;
  };
  const Case cases[] = {
      {0x000, Is<CItemShortsword>, 1, 2, 12, 0, 0},
      {0x009, Is<CItemAxe>, 2, 1, 23, 0, 0},
      {0x00A, Is<CItemSpear>, 3, 1, 11, 0, 0},
      {0x025, Is<CItemBroadsword>, 4, 1, 30, 0, -5},
      {0x014, Is<CItemStaff>, 5, 2, 11, 0, 0},
      {0x090, Is<CItemBeastClaw>, 0, 1, 10, 0, 0},
      {0x0B0, Is<CItemKatanaOfShinobi>, 1, 0, 11, 0, 0},
      {0x0B1, Is<CItemKatanaOfShinobiPlus>, 1, 1, 11, 0, 0},
      {0x0B8, Is<CItemKunai>, 0, 0, 10, 0, 0},
      {0x0B9, Is<CItemKunaiPlus>, 0, 1, 10, 0, 0},
      {0x108, Is<CItemClassBow>, 0, 1, 0, 23, -5},
      {0x207, Is<CItemClassArrow>, 0, 0, 0, 23, 0},
      {0x308, Is<CItemArmor>, 0, 1, 5, 5, 7},
      {0x318, Is<CItemCloakBase>, 0, 1, 5, 5, 6},
      {0x320, Is<CItemRobeBase>, 0, 1, 0, 0, 1},
      {0x3C0, Is<CItemClothOfShinobi>, 0, 0, 0, 0, 2},
      {0x3C1, Is<CItemClothOfShinobiPlus>, 0, 1, 0, 0, 8},
      {0x3D0, Is<CItemClothOfKunoichi>, 0, 0, 0, 0, 0},
      {0x3D1, Is<CItemClothOfKunoichiPlus>, 0, 1, 0, 0, 6},
      {0x410, Is<CItemGloveBase>, 0, 1, 0, 0, 0},
      {0x428, Is<CItemBraceletBase>, 0, 1, 5, 5, 5},
      {0x481, Is<CItemShield>, 0, 1, 0, 0, 8},
      {0x518, Is<CItemHuntingCapBase>, 0, 1, 5, 5, 4},
      {0x520, Is<CItemHatBase>, 0, 1, 0, 0, 0},
      {0x580, Is<CItemHelmet>, 0, 1, 0, 0, 6},
      {0x586, Is<CItemCirclet>, 0, 1, 0, 0, 8},
      {0x603, Is<CItemRing>, 0, 0, 0, 0, 6},
      {0x60D, Is<CItemRing>, 0, 0, 0, 0, 5},
      {0xD08, Is<CItemEvent>, 0, 0, 0, 0, 0},
      {0xD09, Is<CItemEventPrincess>, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << c.Id);
    ItemPtr item = Make(c.Id);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(c.IsKind(item.get()));
    EXPECT_EQ(item->GetWeaponKind(), c.Kind);
    EXPECT_EQ(item->GetEnchantSlotCount(), c.Slots);
    EXPECT_EQ(item->BaseAttack, c.Attack);
    EXPECT_EQ(item->BaseShotPower, c.ShotPower);
    EXPECT_EQ(item->BaseDefence, c.Defence);
  }
  // The plus kinds are their plain kind with a slot.
  EXPECT_TRUE(Is<CItemKunai>(Make(0xB9).get()));
  EXPECT_TRUE(Is<CItemClothOfKunoichi>(Make(0x3D1).get()));
}

TEST_F(ItemFactory, EveryKindWearsOneCellOfTheItemSheet) {
  for (ItemId id : AllItemIds()) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << id);
    ItemPtr item = Make(id);
    const ItemFrame& floor = item->FloorFrames[0];
    const ItemFrame& icon = item->IconFrames[0];
    for (int i = 1; i < ItemFrameCount; ++i) EXPECT_EQ(item->FloorFrames[i].Width, 0);
    if (id == 0xD09) {  // the princess is never drawn
      EXPECT_EQ(floor.Width, 0);
      continue;
    }
    EXPECT_EQ(floor.Picture, id == 0xD06 ? 0 : ItemSheetPicture);
    EXPECT_EQ(floor.Width, 20);
    EXPECT_EQ(floor.Height, 20);
    EXPECT_EQ(floor.CenterX, 10);
    EXPECT_EQ(floor.CenterY, 10);
    EXPECT_EQ(floor.Next, 0);
    EXPECT_EQ(icon.Picture, floor.Picture);
    EXPECT_EQ(icon.SourceX, floor.SourceX);
    EXPECT_EQ(icon.SourceY, floor.SourceY);
  }
  // Potions, stones, wands and traps lie side by side in rows of the sheet.
  const struct {
    ItemId Id;
    int X, Y;
  } cells[] = {{0x905, 100, 100}, {0xA04, 80, 120},  {0xA06, 100, 120}, {0xA19, 480, 120},
               {0xB11, 340, 140}, {0xC07, 140, 400}, {0xD06, 0, 240},   {0x0B9, 280, 80}};
  for (const auto& c : cells) {
    ItemPtr item = Make(c.Id);
    EXPECT_EQ(item->FloorFrames[0].SourceX, c.X) << std::hex << c.Id;
    EXPECT_EQ(item->FloorFrames[0].SourceY, c.Y) << std::hex << c.Id;
  }
}

TEST_F(ItemFactory, ACloneIsAnItemOfTheSameKindWithTheSameState) {
  for (ItemId id : AllItemIds()) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << id);
    ItemPtr item = Make(id);
    item->SetCount(item->GetStackLimit());
    item->SetRefinement(3);
    item->SetPosition(7, 9);
    item->SetEquipped(true);
    if (item->GetEnchantSlotCount() > 0) item->Enchantments[0] = 0xA0D;
    ItemPtr copy(item->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(typeid(*copy), typeid(*item));
    EXPECT_EQ(copy->GetCount(), item->GetStackLimit());
    EXPECT_EQ(copy->GetStackLimit(), item->GetStackLimit());
    EXPECT_EQ(copy->GetRefinement(), 3);
    EXPECT_EQ(copy->GetX(), 7);
    EXPECT_EQ(copy->GetY(), 9);
    EXPECT_TRUE(copy->IsEquipped());
    EXPECT_EQ(copy->GetEnchantSlotCount(), item->GetEnchantSlotCount());
    EXPECT_EQ(copy->GetEnchantmentAt(0), item->GetEnchantmentAt(0));
    EXPECT_EQ(copy->BaseShotPower, item->BaseShotPower);
  }
  // Only a plain item clones into a plain item.
  CItem plain;
  ItemPtr copy(plain.Clone());
  EXPECT_EQ(typeid(*copy), typeid(CItem));
}

}  // namespace
