// Every potion drunk once, and the potions thrown at a rat.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::UseFixture;

constexpr ItemId Healing = 0x900, ExtraHealing = 0x901, Clearance = 0x902, QuickMove = 0x903, SlowMove = 0x904,
                 Confusion = 0x905, Paralyze = 0x906, Sleep = 0x907, Teleportation = 0x908, LevelUp = 0x909,
                 LevelDown = 0x90A, Oil = 0x90B, Strength = 0x90C, Vitality = 0x90D, Dexterity = 0x90E,
                 Elixir = 0x90F, DemonBlood = 0x910, Intelligence = 0x911;

class Potions : public UseFixture {
protected:
  // Drinks a new potion of the id from the bag.
  void Drink(ItemId id) {
    CItem* potion = Give(id);
    player_->SetSelectedItem(PlaceOf(potion));
    ASSERT_TRUE(player_->UseItem(PlaceOf(potion)));
  }
  bool Between(int v, int low, int high) { return v >= low && v <= high; }
};

TEST_F(Potions, EachKindDrunkOnce) {
  struct Case {
    ItemId Id;
    const char* Name;
    std::function<void()> Before;
    std::function<void()> Check;
  };
  const auto nothing = [] {};
  const Case cases[] = {
      {Healing, "POTION OF HEALING", nothing,
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), std::vector<int>{30});
       }},
      {ExtraHealing, "POTION OF EXTRA HEALING", [&] { player_->hp = 10; },
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), std::vector<int>{110});
       }},
      {Clearance, "POTION OF CLEARANCE",
       [&] {
         player_->InflictPoison(9);
         player_->InflictConfuse(9);
         floor_->Effects.DeleteAll();
       },
       [&] {
         EXPECT_FALSE(player_->IsPoison());
         EXPECT_FALSE(player_->IsConfuse());
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"CLEAR!"});
       }},
      {QuickMove, "POTION OF QUICK MOVE", nothing, [&] { EXPECT_EQ(Status(player_, StatusKind::Quick), 15); }},
      {SlowMove, "POTION OF SLOW MOVE", nothing, [&] { EXPECT_EQ(Status(player_, StatusKind::Slow), 15); }},
      {Confusion, "POTION OF CONFUSION", nothing,
       [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Confuse), 15, 20)); }},
      {Paralyze, "POTION OF PARALYZE", nothing,
       [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Paralyze), 5, 10)); }},
      {Sleep, "POTION OF SLEEP", nothing, [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Sleep), 20, 30)); }},
      {Teleportation, "POTION OF TELEPORTATION", nothing,
       [&] {
         EXPECT_NE(player_->GetX() * 100 + player_->GetY(), 303);
         EXPECT_EQ(floor_->GetCharacterAt(player_->GetX(), player_->GetY()), player_);
       }},
      {LevelUp, "POTION OF LEVEL UP", nothing,
       [&] {
         EXPECT_EQ(player_->level, 2);
         EXPECT_EQ(player_->exp, player_->GetExpAtLevelEnd(1));
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"LEVEL UP!"});
       }},
      {LevelDown, "POTION OF LEVEL DOWN",
       [&] {
         player_->LevelUp();
         player_->LevelUp();
         player_->exp = player_->GetExpAtLevelEnd(2) + 5;
       },
       [&] {
         EXPECT_EQ(player_->level, 2);
         EXPECT_EQ(player_->exp, player_->GetExpAtLevelEnd(1));
       }},
      {Oil, "OIL", nothing,
       [&] {
         // 10-15 of fire on the drinker's own cell, which burns it when it dies down.
         const std::vector<int> fire = NumbersAt(3, 3, EffectPyrokinesis);
         ASSERT_EQ(fire.size(), 1u);
         EXPECT_TRUE(Between(fire[0], 10, 15));
         Settle();
         EXPECT_EQ(player_->hp, 90 - fire[0]);
       }},
      {Strength, "POTION OF STRENGTH", nothing,
       [&] {
         EXPECT_EQ(player_->strength, 6);
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"STR +1"});
       }},
      {Vitality, "POTION OF VITALITY", nothing,
       [&] {
         EXPECT_EQ(player_->GetMaxHP(), 125);
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"MHP +5"});
       }},
      {Dexterity, "POTION OF DEXTERITY", nothing, [&] { EXPECT_EQ(player_->dexterity, 6); }},
      {Intelligence, "POTION OF INTELLIGENCE", nothing, [&] { EXPECT_EQ(player_->intelligence, 6); }},
      {Elixir, "ELIXIR",
       [&] {
         player_->hp = 10;
         player_->InflictPoison(9);
         floor_->Effects.DeleteAll();
       },
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(player_->satiety, 2000);
         EXPECT_FALSE(player_->IsPoison());
         EXPECT_EQ(Status(player_, StatusKind::Invincible), 30);
       }},
      {DemonBlood, "DEMON BLOOD", nothing,
       [&] {
         EXPECT_EQ(player_->hp, 0);
         EXPECT_EQ(player_->lastAttacker, player_);
         EXPECT_EQ(player_->animEntry, AnimationDying);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    // A fresh fighter each time, at 90 of 120 HP.
    TearDown();
    SetUp();
    player_->strength = player_->dexterity = player_->intelligence = 5;
    player_->hp = 90;
    player_->satiety = 1000;
    c.Before();
    Drink(c.Id);
    EXPECT_FALSE(Carries(c.Id));
    EXPECT_EQ(player_->satiety, c.Id == Elixir ? 2000 : 1100);
    EXPECT_EQ(Messages().rfind(std::string("YOU DRANK ") + c.Name + "!", 0), 0u) << Messages();
    c.Check();
  }
}

TEST_F(Potions, DrinkingAnUnknownKindNamesEveryPotionOfIt) {
  IdentifyTable[Sleep] = 1;
  CItem* other = Give(Sleep);
  char text[ItemTextSize];
  EXPECT_STREQ(other->GetStatusText(text, sizeof text), "???");
  Drink(Sleep);
  EXPECT_EQ(Messages().rfind("YOU DRANK POTION OF SLEEP!", 0), 0u);
  EXPECT_STREQ(other->GetStatusText(text, sizeof text), "SLEEP.");
}

TEST_F(Potions, HealingNeverLowersHpAboveTheMaximum) {
  player_->hp = 130;
  Drink(Healing);
  EXPECT_EQ(player_->hp, 130);
  EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), std::vector<int>{0});
}

TEST_F(Potions, LevelPotionsAtTheEndsOfTheScaleChangeNothing) {
  player_->exp = 7;
  Drink(LevelDown);
  EXPECT_EQ(player_->level, 1);
  EXPECT_EQ(player_->exp, 7);
  player_->level = MaxPlayerLevel;
  player_->exp = player_->GetExpAtLevelEnd(MaxPlayerLevel - 1) + 3;
  const std::int64_t top = player_->exp;
  Drink(LevelUp);
  EXPECT_EQ(player_->level, MaxPlayerLevel);
  EXPECT_EQ(player_->exp, top);
}

TEST_F(Potions, ThrownAtARatThePotionActsOnIt) {
  CCharacter* rat = Monster(5, 3);
  const int ratMax = rat->GetMaxHP();

  // Oil: 80-120 of fire, credited to the thrower.
  rat->hp = 500;
  itemtest::Make(Oil)->ApplyHit(player_, rat);
  const std::vector<int> fire = NumbersAt(5, 3, EffectPyrokinesis);
  ASSERT_EQ(fire.size(), 1u);
  EXPECT_TRUE(Between(fire[0], 80, 120));
  Settle();
  EXPECT_LT(rat->hp, 500);
  EXPECT_EQ(rat->lastAttacker, player_);

  // Vitality moves the hundredths only: a monster keeps its own maximum.
  const int hundredths = rat->maxHpX100;
  itemtest::Make(Vitality)->ApplyHit(player_, rat);
  EXPECT_EQ(rat->maxHpX100, hundredths + 500);
  EXPECT_EQ(rat->GetMaxHP(), ratMax);
  EXPECT_EQ(CaptionsAt(5, 3), std::vector<std::string>{"MHP +5"});

  rat->hp = 1;
  rat->InflictSlow(9);
  itemtest::Make(Elixir)->ApplyHit(player_, rat);
  EXPECT_EQ(rat->hp, ratMax);
  EXPECT_FALSE(rat->IsSlow());
  EXPECT_EQ(Status(rat, StatusKind::Invincible), 30);
  Settle();
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
