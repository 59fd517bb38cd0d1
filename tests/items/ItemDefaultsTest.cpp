#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "characters/CCharacter.h"
#include "items/ItemText.h"
#include "items/ItemTestSupport.h"
#include "platform/Random.h"

namespace {

using namespace itemtest;

class ItemDefaults : public ItemFixture {};

// A kind that writes only its name and sells for 8 apiece.
class CItemLantern : public CItem {
public:
  char* GetName(char* buffer, std::size_t size) const override {
    ItemTextWriter(buffer, size).Append("LANTERN");
    return buffer;
  }
  int GetUnitPrice() const override { return 8; }
  int GetUnbreakableChance() const override { return Unbreakable; }
  int GetReturnChance() const override { return Return; }
  int Unbreakable = 0, Return = 0;
};

TEST_F(ItemDefaults, AKindThatOnlyNamesItselfShowsThatNameEverywhere) {
  CItemLantern lantern;
  lantern.SetCount(5);
  char display[ItemTextSize], withCount[ItemTextSize], status[ItemTextSize] = "x";
  EXPECT_STREQ(lantern.GetDisplayName(display, sizeof display), "LANTERN");
  EXPECT_STREQ(lantern.GetNameWithCount(withCount, sizeof withCount), "LANTERN");
  EXPECT_STREQ(lantern.GetStatusText(status, sizeof status), "");
  EXPECT_EQ(lantern.GetTotalPrice(), 40);
  EXPECT_EQ(lantern.GetChargesLeft(), 0);
}

TEST_F(ItemDefaults, IdentifyingMarksTheKindOnlyForStateTwo) {
  ItemPtr ring = Make(0x605);
  IdentifyTable[0x605] = 1;
  IdentifyTable[0x606] = 1;
  ring->SetIdentifyState(1);
  EXPECT_EQ(IdentifyTable[0x605], 1);
  ring->SetIdentifyState(2);
  EXPECT_EQ(ring->GetIdentifyState(), 2);
  EXPECT_EQ(IdentifyTable[0x605], 0);
  EXPECT_EQ(IdentifyTable[0x606], 1);
  // An id outside the table has no byte to clear.
  for (ItemId id : {-1, 4096, 0x7FFFFFFF}) {
    CItem odd;
    odd.Id = id;
    odd.SetIdentifyState(2);
    EXPECT_TRUE(IsKindIdentified(id));
  }
}

TEST_F(ItemDefaults, StacksOnlyTheSameKindRefinementAndStones) {
  struct Case {
    const char* What;
    ItemId Other;
    void (*Change)(CItem&);
    bool Stacks;
  };
  const Case cases[] = {
      {"the same arrows", 0x202, [](CItem&) {}, true},
      {"another refinement", 0x202, [](CItem& i) { i.SetRefinement(1); }, false},
      {"another stone word", 0x202, [](CItem& i) { i.Enchantments[5] = 0xA00; }, false},
      {"another spare id", 0x202, [](CItem& i) { i.SpareIds[15] = 0; }, false},
      {"another kind", 0x203, [](CItem&) {}, false},
      {"another count", 0x202, [](CItem& i) { i.SetCount(40); }, true},
  };
  for (const Case& c : cases) {
    ItemPtr arrows = Make(0x202), other = Make(c.Other);
    c.Change(*other);
    EXPECT_EQ(arrows->CanStackWith(other.get()), c.Stacks) << c.What;
  }
  EXPECT_FALSE(Make(0x000)->CanStackWith(Make(0x000).get()));  // stack limit 1
  EXPECT_FALSE(Make(0x202)->CanStackWith(nullptr));
}

TEST_F(ItemDefaults, OnlyTheSlotsOfTheKindHoldStones) {
  ItemPtr axe = Make(0x005);  // one slot
  axe->Enchantments[0] = 0xA00;
  axe->Enchantments[1] = 0xA01;  // past the slots: counts for nothing
  EXPECT_EQ(axe->CountEnchantments(), 1);
  EXPECT_EQ(axe->GetEnchantmentAt(1), 0xA01);
  for (int i : {-1, 16, 1000, -1000}) EXPECT_EQ(axe->GetEnchantmentAt(i), -1) << i;
  axe->EnchantSlotCount = 99;  // never more than the list holds
  EXPECT_EQ(axe->CountEnchantments(), 2);
}

TEST_F(ItemDefaults, EachRollTakesOneNumberOfTheGameSequence) {
  struct Case {
    int Unbreakable, Return;
    bool (*Roll)(const CItem&);
    bool Expected;
  };
  auto unbreakable = [](const CItem& i) { return i.RollUnbreakable(); };
  auto returns = [](const CItem& i) { return i.RollReturn(); };
  const Case cases[] = {
      {0, 0, unbreakable, false}, {100, 0, unbreakable, true}, {0, 0, returns, false}, {0, 100, returns, true}};
  for (const Case& c : cases) {
    CItemLantern lantern;
    lantern.Unbreakable = c.Unbreakable;
    lantern.Return = c.Return;
    for (std::uint32_t seed = 1; seed < 50; ++seed) {
      SeedRandom(seed);
      EXPECT_EQ(c.Roll(lantern), c.Expected);
      const int next = Random();
      SeedRandom(seed);
      Random();
      EXPECT_EQ(Random(), next) << "the roll took other than one number";
    }
  }
  // A chance between decides by the number drawn.
  CItemLantern lantern;
  lantern.Unbreakable = 50;
  SeedRandom(7);
  const bool expected = Random() % 100 < 50;
  SeedRandom(7);
  EXPECT_EQ(lantern.RollUnbreakable(), expected);
}

class Target : public CCharacter {
public:
  bool RollHit(AttackType attackType, const CCharacter* attacker) const override {
    Type = attackType;
    Attacker = attacker;
    return Hits;
  }
  mutable AttackType Type = -1;
  mutable const CCharacter* Attacker = nullptr;
  bool Hits = true;
};

TEST_F(ItemDefaults, AThrowHitsAsTheTargetRollsAThrownBlow) {
  ItemPtr potion = Make(0x900);
  Target thrower, target;
  EXPECT_TRUE(potion->RollThrowHit(&thrower, &target));
  EXPECT_EQ(target.Type, 1);
  EXPECT_EQ(target.Attacker, &thrower);
  target.Hits = false;
  EXPECT_FALSE(potion->RollThrowHit(&thrower, &target));
  EXPECT_FALSE(potion->RollThrowHit(&thrower, nullptr));
}

}  // namespace
