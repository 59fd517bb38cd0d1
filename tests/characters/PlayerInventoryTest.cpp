// The player's 37 places: taking items in (stacks, the sorted bag, a full
// bag), taking them out, wearing and swapping, and the item under the player.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "CharacterTestSupport.h"
#include "PlayerTestSupport.h"
#include "floors/FloorTestSupport.h"
#include "items/ItemCatalogue.h"

namespace {

using playertest::ExpectSoundPlaces;
using playertest::Make;
using playertest::PlaceIds;
using playertest::PlayerFixture;
using playertest::StatItem;

constexpr ItemId StoneSword = 0x000, CopperSword = 0x001, StoneAxe = 0x005, Bow = 0x100, StoneArrow = 0x200,
                 WoodArmour = 0x300, StoneArmour = 0x301, WoodShield = 0x400, Meat = 0x701;

class PlayerInventory : public PlayerFixture {
protected:
  // Fills the bag to its last place with swords.
  static void FillBag(CCharacterPlayer& p) {
    while (p.GetItem(InventorySize - 1) == nullptr) ASSERT_TRUE(p.AddItem(Make(StoneSword)));
  }
};

// Whatever order items arrive in, the bag stays packed and sorted by
// catalogue index, and items of equal index keep their arrival order.
TEST_F(PlayerInventory, TheBagStaysSortedAndEqualIndexesKeepTheirOrder) {
  const ItemId arrivals[] = {Meat, WoodShield, StoneSword, StoneArmour, Bow, CopperSword, WoodArmour, StoneAxe};
  CCharacterPlayer p;
  std::vector<CItem*> added;
  for (ItemId id : arrivals) {
    added.push_back(Make(id));
    ASSERT_TRUE(p.AddItem(added.back()));
  }
  // Two more swords of the same kind, told apart by their objects.
  CItem* first = Make(StoneSword);
  CItem* second = Make(StoneSword);
  ASSERT_TRUE(p.AddItem(first));
  ASSERT_TRUE(p.AddItem(second));
  ExpectSoundPlaces(p);
  EXPECT_EQ(p.CountItems(), 10);
  for (int slot = 0; slot < FirstBagSlot; ++slot) EXPECT_EQ(p.GetItem(slot), nullptr);

  std::vector<CItem*> swords;
  for (int slot = FirstBagSlot; slot < InventorySize; ++slot)
    if (CItem* item = p.GetItem(slot); item && item->GetId() == StoneSword) swords.push_back(item);
  EXPECT_EQ(swords, (std::vector<CItem*>{added[2], first, second}));
}

TEST_F(PlayerInventory, ArrowsJoinTheWornStackFirst) {
  CCharacterPlayer p;
  CItem* worn = Make(StoneArrow, 20);
  ASSERT_TRUE(p.Equip(worn));
  CItem* more = Make(StoneArrow, 15);
  ASSERT_TRUE(p.AddItem(more));
  // The offered object carries on as the stack, worn, in the arrow place.
  EXPECT_EQ(p.GetItem(ArrowSlot), more);
  EXPECT_EQ(more->GetCount(), 35);
  EXPECT_TRUE(more->IsEquipped());
  EXPECT_EQ(p.CountItems(), 1);
  ExpectSoundPlaces(p);
}

TEST_F(PlayerInventory, FullStacksAndAFullBagRefuse) {
  CCharacterPlayer p;
  CItem* stack = Make(StoneArrow, 990);
  ASSERT_TRUE(p.AddItem(stack));
  // An overflowing merge fills the stack and leaves the rest with the caller.
  CItem* offered = Make(StoneArrow, 15);
  EXPECT_FALSE(p.AddItem(offered));
  EXPECT_EQ(stack->GetCount(), 999);
  EXPECT_EQ(offered->GetCount(), 6);
  // A full stack refuses at once, free bag places or not.
  EXPECT_FALSE(p.AddItem(offered));
  EXPECT_EQ(offered->GetCount(), 6);
  EXPECT_EQ(p.CountItems(), 1);
  delete offered;

  FillBag(p);
  CItem* meat = Make(Meat);
  EXPECT_FALSE(p.AddItem(meat));
  EXPECT_EQ(p.CountItems(), BagSize);
  ExpectSoundPlaces(p);
  delete meat;

  // Traps and what is already carried are never taken.
  CCharacterPlayer q;
  CItem* trap = Make(0xC00);
  ASSERT_NE(trap, nullptr);
  EXPECT_FALSE(q.AddItem(trap));
  delete trap;
  CItem* sword = Make(StoneSword);
  ASSERT_TRUE(q.AddItem(sword));
  EXPECT_FALSE(q.AddItem(sword));
  EXPECT_FALSE(q.AddItem(nullptr));
  EXPECT_EQ(q.CountItems(), 1);
}

TEST_F(PlayerInventory, EquippingFromTheBagSwapsWithWhatIsWorn) {
  CCharacterPlayer p;
  CItem* worn = Make(StoneAxe);
  ASSERT_TRUE(p.Equip(worn));  // not carried: straight into its place
  CItem* sword = Make(CopperSword);
  CItem* meat = Make(Meat);
  ASSERT_TRUE(p.AddItem(meat));
  ASSERT_TRUE(p.AddItem(sword));
  const int swordSlot = FirstBagSlot;  // a sword sorts before meat
  ASSERT_EQ(p.GetItem(swordSlot), sword);
  ASSERT_TRUE(p.CanEquipSlot(swordSlot));

  EXPECT_TRUE(p.EquipFromBag(swordSlot));
  EXPECT_EQ(p.GetItem(WeaponSlot), sword);
  EXPECT_TRUE(sword->IsEquipped());
  EXPECT_FALSE(worn->IsEquipped());
  EXPECT_EQ(p.CountItems(), 3);
  const std::vector<ItemId> places = PlaceIds(p);
  EXPECT_NE(std::find(places.begin() + FirstBagSlot, places.end(), StoneAxe), places.end());
  ExpectSoundPlaces(p);

  // What cannot be worn stays in the bag; worn places are not bag places.
  const int meatSlot = p.GetItem(FirstBagSlot) == meat ? FirstBagSlot : FirstBagSlot + 1;
  EXPECT_FALSE(p.EquipFromBag(meatSlot));
  EXPECT_FALSE(p.EquipFromBag(WeaponSlot));
  EXPECT_FALSE(p.CanEquipSlot(WeaponSlot));
  CItem* food = Make(Meat);
  EXPECT_FALSE(p.Equip(food));  // not carried and never worn: still the caller's
  delete food;
}

TEST_F(PlayerInventory, EquipFindsCarriedItemsAndRefusesOccupiedPlaces) {
  CCharacterPlayer p;
  CItem* armour = Make(WoodArmour);
  ASSERT_TRUE(p.AddItem(armour));
  EXPECT_TRUE(p.EquipItem(armour));
  EXPECT_EQ(p.GetItem(4), armour);
  CItem* other = Make(StoneArmour);
  EXPECT_FALSE(p.Equip(other));  // not carried, and its place is taken
  EXPECT_FALSE(p.EquipItem2(other));
  EXPECT_FALSE(p.EquipItem3(nullptr));
  EXPECT_EQ(p.CountItems(), 1);
  delete other;
}

// A full bag cannot take back a worn item: nothing changes, nothing is lost.
TEST_F(PlayerInventory, AFullBagRefusesAnUnequip) {
  CCharacterPlayer p;
  CItem* armour = Make(WoodArmour);
  CItem* axe = Make(StoneAxe);
  ASSERT_TRUE(p.Equip(armour));
  ASSERT_TRUE(p.Equip(axe));
  FillBag(p);
  const std::vector<ItemId> before = PlaceIds(p);
  EXPECT_FALSE(p.CanUnequipSlot(4));
  EXPECT_FALSE(p.UnequipToBag(4));
  EXPECT_EQ(PlaceIds(p), before);
  EXPECT_EQ(p.GetItem(4), armour);
  EXPECT_TRUE(armour->IsEquipped());
  ExpectSoundPlaces(p);

  // A swap still works: the bag item leaves a place for the worn one.
  EXPECT_TRUE(p.EquipFromBag(FirstBagSlot));
  EXPECT_EQ(p.GetItem(WeaponSlot)->GetId(), StoneSword);
  EXPECT_FALSE(axe->IsEquipped());
  EXPECT_EQ(p.CountItems(), BagSize + 2);
  ExpectSoundPlaces(p);
}

TEST_F(PlayerInventory, UnequipToBagMovesTheItemIntoItsSortedPlace) {
  CCharacterPlayer p;
  CItem* sword = Make(StoneSword);
  ASSERT_TRUE(p.Equip(sword));
  ASSERT_TRUE(p.AddItem(Make(Meat)));
  ASSERT_TRUE(p.CanUnequipSlot(WeaponSlot));
  EXPECT_TRUE(p.UnequipToBag(WeaponSlot));
  EXPECT_EQ(p.GetItem(WeaponSlot), nullptr);
  EXPECT_EQ(p.GetItem(FirstBagSlot), sword);
  EXPECT_FALSE(sword->IsEquipped());
  EXPECT_FALSE(p.UnequipToBag(WeaponSlot));  // empty now
  EXPECT_FALSE(p.UnequipToBag(FirstBagSlot));
  ExpectSoundPlaces(p);
}

// Worn arrows that the bag's stack of their kind could not take whole stay
// worn; a swap between two stacks of one kind never merges them.
TEST_F(PlayerInventory, ArrowStacksOfOneKindAreNeverLostOrMerged) {
  CCharacterPlayer p;
  CItem* bag = Make(StoneArrow, 995);
  ASSERT_TRUE(p.AddItem(bag));
  CItem* worn = Make(StoneArrow, 10);
  ASSERT_TRUE(p.Equip(worn));
  const std::vector<ItemId> before = PlaceIds(p);
  EXPECT_FALSE(p.CanUnequipSlot(ArrowSlot));
  EXPECT_FALSE(p.UnequipToBag(ArrowSlot));
  EXPECT_EQ(PlaceIds(p), before);
  EXPECT_EQ(worn->GetCount(), 10);
  EXPECT_EQ(bag->GetCount(), 995);

  EXPECT_TRUE(p.EquipFromBag(FirstBagSlot));
  EXPECT_EQ(p.GetItem(ArrowSlot), bag);
  EXPECT_EQ(p.GetItem(FirstBagSlot), worn);
  EXPECT_EQ(bag->GetCount(), 995);
  EXPECT_EQ(worn->GetCount(), 10);
  EXPECT_TRUE(bag->IsEquipped());
  EXPECT_FALSE(worn->IsEquipped());
  ExpectSoundPlaces(p);
}

// Swapping like for like keeps the HP that the maximum allows at the end.
TEST_F(PlayerInventory, ASwapClampsHpOnlyOnceBothItemsAreInPlace) {
  CCharacterPlayer p;
  p.maxHpX100 = 3000;
  ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryAccessory, {{"GetMaxHpPercent", 200}})));
  p.hp = 60;
  ASSERT_TRUE(p.AddItem(new StatItem(ItemCategoryAccessory, {{"GetMaxHpPercent", 200}})));
  EXPECT_TRUE(p.EquipFromBag(FirstBagSlot));
  EXPECT_EQ(p.hp, 60);
  // Taking it off clamps.
  EXPECT_TRUE(p.UnequipToBag(3));
  EXPECT_EQ(p.hp, 30);
}

TEST_F(PlayerInventory, RemovingHandsTheItemOverAndClosesTheBag) {
  CCharacterPlayer p;
  p.maxHpX100 = 3000;
  auto* amulet = new StatItem(ItemCategoryAccessory, {{"GetMaxHpPercent", 150}});
  ASSERT_TRUE(p.Equip(amulet));
  p.hp = 45;
  CItem* sword = Make(StoneSword);
  CItem* meat = Make(Meat);
  ASSERT_TRUE(p.AddItem(sword));
  ASSERT_TRUE(p.AddItem(meat));

  p.RemoveItemAt(FirstBagSlot);
  EXPECT_EQ(p.GetItem(FirstBagSlot), meat);
  EXPECT_EQ(p.GetItem(FirstBagSlot + 1), nullptr);
  p.RemoveItem(amulet);  // worn: comes off and HP follows the maximum
  EXPECT_FALSE(amulet->IsEquipped());
  EXPECT_EQ(p.GetItem(3), nullptr);
  EXPECT_EQ(p.hp, 30);
  p.RemoveItemAt(3);  // empty: nothing
  p.RemoveItemAt(99);
  p.RemoveItem(sword);  // no longer carried: nothing
  EXPECT_EQ(p.CountItems(), 1);
  ExpectSoundPlaces(p);
  delete sword;
  delete amulet;
}

TEST_F(PlayerInventory, UsingAnItem) {
  struct Food : StatItem {
    Food() : StatItem(ItemCategoryFood) {}
    bool IsUsable() const override { return true; }
    void Use() override { ++Uses; }
    int Uses = 0;
  };
  CCharacterPlayer p;
  auto* food = new Food;
  ASSERT_TRUE(p.AddItem(food));
  ASSERT_TRUE(p.Equip(Make(StoneSword)));
  EXPECT_TRUE(p.UseItem(FirstBagSlot));
  EXPECT_EQ(food->Uses, 1);
  EXPECT_FALSE(p.UseItem(WeaponSlot));  // a sword is not used
  EXPECT_FALSE(p.UseItem(FirstBagSlot + 1));
  EXPECT_FALSE(p.UseItem(InventorySize));
}

TEST_F(PlayerInventory, ResurrectionComesFromWornRingsAndCircletsOrAnyStone) {
  struct Case {
    ItemId Id;
    bool Worn;
    bool Resurrects;
  };
  const Case cases[] = {
      {0x606, true, true},  {0x606, false, false}, {0x589, true, true},
      {0x589, false, false}, {0xA10, false, true},  {0x582, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    CCharacterPlayer p;
    CItem* item = Make(c.Id);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(c.Worn ? p.Equip(item) : p.AddItem(item));
    EXPECT_EQ(p.HasResurrection(), c.Resurrects);
  }
}

TEST_F(PlayerInventory, UnequippingAWeaponLeavesItInPlace) {
  CCharacterPlayer p;
  CItem* sword = Make(StoneSword);
  ASSERT_TRUE(p.Equip(sword));
  ASSERT_TRUE(p.Equip(Make(WoodArmour)));
  EXPECT_TRUE(p.HasWeaponEquipped());
  EXPECT_TRUE(p.UnequipWeapon());
  EXPECT_EQ(p.GetItem(WeaponSlot), sword);
  EXPECT_FALSE(p.HasWeaponEquipped());
  EXPECT_FALSE(p.UnequipWeapon());
  EXPECT_TRUE(p.HasBodyArmorEquipped());
  EXPECT_TRUE(p.UnequipBodyArmor());
  EXPECT_FALSE(p.HasBodyArmorEquipped());
  // The bow test asks only whether the place holds anything.
  EXPECT_FALSE(p.HasBowEquipped());
  CItem* bow = Make(Bow);
  ASSERT_TRUE(p.Equip(bow));
  bow->SetEquipped(false);
  EXPECT_TRUE(p.HasBowEquipped());
}

// The n-th carried item counts filled places only, worn first; one past the
// last is the item lying under the player.
class PlayerOverItem : public chartest::FloorFixture {
protected:
  void TearDown() override {
    floor_.RemoveItemAt(3, 3);
    delete onCell_;
    FloorFixture::TearDown();
  }
  CItem* onCell_ = Make(Meat);
};

TEST_F(PlayerOverItem, TheItemUnderThePlayerFollowsTheCarriedOnes) {
  auto* p = Place<CCharacterPlayer>(3, 3);
  ASSERT_TRUE(floor_.PutItemAt(3, 3, onCell_));
  CItem* bow = Make(Bow);
  CItem* sword = Make(StoneSword);
  ASSERT_TRUE(p->Equip(bow));
  ASSERT_TRUE(p->AddItem(sword));
  EXPECT_EQ(p->GetItemAt(0), bow);
  EXPECT_EQ(p->GetItemAt(1), sword);
  EXPECT_EQ(p->GetItemAt(2), onCell_);
  EXPECT_EQ(p->GetItemAt(3), nullptr);
  EXPECT_EQ(p->GetItemAt(-1), nullptr);
  EXPECT_EQ(p->GetItem(NoSlot), onCell_);
  EXPECT_EQ(p->GetItem(0), nullptr);  // places, not the n-th
  EXPECT_EQ(p->GetItem(BowSlot), bow);
  EXPECT_EQ(p->CountItems(), 2);

  // Taking the item under the player clears its cell without deleting it.
  p->RemoveItem(onCell_);
  EXPECT_EQ(floor_.GetItemAt(3, 3), nullptr);
  EXPECT_EQ(p->GetItemAt(2), nullptr);
}

}  // namespace

namespace {

// The player's sight moves with it, whether it is placed or steps.
TEST(PlayerSight, PlacingAndSteppingUpdateWhatThePlayerSees) {
  auto floor = floortest::MakeFloor({
      "#######",
      "#+++++#",
      "#######",
  });
  CGameMain* game = GetGameMain();
  CStageData* saved = game->CurrentStage;
  game->CurrentStage = floor.get();
  {
    CCharacterPlayer p;
    ASSERT_TRUE(floor->MoveCharacterTo(1, 1, &p));
    p.SetPosition(1, 1);
    EXPECT_NE(floor->IsVisible(2, 1), 0);
    EXPECT_EQ(floor->IsVisible(3, 1), 0);  // a corridor sees only its neighbours
    p.direction = DirectionRight;
    ASSERT_TRUE(p.StepForward());
    EXPECT_NE(floor->IsVisible(3, 1), 0);
    EXPECT_EQ(floor->IsVisible(4, 1), 0);
    floor->characterAt[CellIndex(p.x, p.y)] = nullptr;
  }
  game->CurrentStage = saved;
}

}  // namespace
