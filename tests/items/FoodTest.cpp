// Eating the three foods and the three edible plants, and the herbs thrown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::UseFixture;

constexpr ItemId MonsterMeat = 0x700, RoastedMeat = 0x701, RoastedMushroom = 0x702, MedicalHerb = 0x814,
                 PoisonousHerb = 0x815, Mushroom = 0x816;

class Eating : public UseFixture {};

TEST_F(Eating, EachFoodFeedsThePlayerAndIsGone) {
  struct Case {
    ItemId Id;
    const char* Message;
    int SatietyAfter;
    std::vector<int> SatietyShown;  // the twentieth shown over the player
    int HpAfter;
    bool Poisoned;
  };
  const Case cases[] = {
      {MonsterMeat, "YOU ATE MONSTER MEAT!", 1200, {10}, 90, false},
      {RoastedMeat, "YOU ATE ROASTED MEAT!", 2000, {70}, 90, false},
      {RoastedMushroom, "YOU ATE ROASTED MUSHROOM!", 1800, {40}, 90, false},
      {MedicalHerb, "YOU ATE MEDICAL HERB!", 1100, {}, 110, false},
      {PoisonousHerb, "YOU ATE POISONOUS HERB!|YOU'RE POISONED!", 1100, {}, 90, true},
      {Mushroom, "YOU ATE MUSHROOM!", 1200, {10}, 90, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Id);
    player_->satiety = 1000;
    player_->hp = 90;
    player_->ClearPoison();
    CItem* food = Give(c.Id);
    player_->SetSelectedItem(PlaceOf(food));
    ASSERT_TRUE(player_->UseItem(PlaceOf(food)));
    EXPECT_FALSE(Carries(c.Id));
    EXPECT_EQ(player_->satiety, c.SatietyAfter);
    EXPECT_EQ(NumbersAt(3, 3, EffectCyanNumber), c.SatietyShown);
    EXPECT_EQ(player_->hp, c.HpAfter);
    EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), c.Id == MedicalHerb ? std::vector<int>{20} : std::vector<int>{});
    EXPECT_EQ(player_->IsPoison(), c.Poisoned);
    EXPECT_EQ(Messages(), c.Message);
    floor_->Effects.DeleteAll();
    EXPECT_EQ(Holds(), 0) << "the eating holds nothing after it";
  }
}

TEST_F(Eating, OnePlantOfAStackGoesAndFoodLyingUnderfootToo) {
  CItem* herbs = Give(MedicalHerb, 3);
  player_->UseItem(PlaceOf(herbs));
  EXPECT_EQ(player_->GetItem(PlaceOf(herbs)), herbs);
  EXPECT_EQ(herbs->GetCount(), 2);

  CItem* meat = CreateItem(RoastedMeat);
  ASSERT_TRUE(floor_->PutItemAt(3, 3, meat));
  player_->SetSelectedItem(NoSlot);
  EXPECT_TRUE(player_->UseItem(NoSlot));
  EXPECT_EQ(floor_->GetItemAt(3, 3), nullptr);
  EXPECT_EQ(player_->satiety, 2000);
}

TEST_F(Eating, HerbsThrownActOnWhomeverTheyHit) {
  CCharacter* rat = Monster(5, 3);
  rat->hp = 1;
  itemtest::Make(MedicalHerb)->ApplyHit(player_, rat);
  EXPECT_EQ(rat->hp, std::min(21, rat->GetMaxHP()));
  EXPECT_EQ(NumbersAt(5, 3, EffectGreenNumber), std::vector<int>{20});

  itemtest::Make(PoisonousHerb)->ApplyHit(player_, rat);
  EXPECT_TRUE(rat->IsPoison());

  // The mushroom only feeds when eaten; thrown, it strikes like a stone.
  rat->hp = 200;
  itemtest::Make(Mushroom)->ApplyHit(player_, rat);
  EXPECT_LT(rat->hp, 200);
  Settle();
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
