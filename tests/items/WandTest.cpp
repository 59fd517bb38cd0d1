// Every wand zapped once through the player's zap pose: the helpful kinds on
// the player, the others by a bolt along its facing at a rat; and the
// bolt's path, charges, throws and prices.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "characters/CharacterTestSupport.h"
#include "items/CItemWand.h"
#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::SeedWhoseFirst;
using itemuse::UseFixture;

constexpr ItemId Healing = 0xB00, ExtraHealing = 0xB01, Clearance = 0xB02, QuickMove = 0xB03, SlowMove = 0xB04,
                 Confusion = 0xB05, Paralyze = 0xB06, Sleep = 0xB07, Teleportation = 0xB08, LevelUp = 0xB09,
                 Weakness = 0xB0A, Fire = 0xB0B, Strength = 0xB0C, Vitality = 0xB0D, Dexterity = 0xB0E,
                 Invincible = 0xB0F, Death = 0xB10, Intelligence = 0xB11;

class Rock : public CCharacter {
public:
  bool IsMiningPoint() const override { return true; }
};

class Wands : public UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    player_->SetDirection(DirectionRight);
    rat_ = Monster(6, 3);
    rat_->hp = 500;
  }
  // The zap as the item menu starts it: the command, the pose, the bolt.
  CItem* Zap(ItemId id) {
    CItem* wand = Give(id);
    player_->SetSelectedItem(PlaceOf(wand));
    EXPECT_TRUE(player_->UseItem(PlaceOf(wand)));
    Settle();
    return wand;
  }
  bool Between(int v, int low, int high) { return v >= low && v <= high; }

  CCharacter* rat_ = nullptr;
};

TEST_F(Wands, EachKindZappedOnce) {
  struct Case {
    ItemId Id;
    const char* Name;
    std::function<void()> Check;
  };
  const Case cases[] = {
      {Healing, "WAND OF HEALING",
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), std::vector<int>{70});
         EXPECT_EQ(GetScreenEffect()->FlashGreen, 128);
       }},
      {ExtraHealing, "WAND OF EXTRA HEALING", [&] { EXPECT_EQ(player_->hp, 120); }},
      {Clearance, "WAND OF CLEARANCE", [&] { EXPECT_FALSE(player_->IsPoison()); }},
      {QuickMove, "WAND OF QUICK MOVE", [&] { EXPECT_EQ(Status(player_, StatusKind::Quick), 10); }},
      {SlowMove, "WAND OF SLOW MOVE", [&] { EXPECT_EQ(Status(rat_, StatusKind::Slow), 15); }},
      {Confusion, "WAND OF CONFUSION", [&] { EXPECT_TRUE(Between(Status(rat_, StatusKind::Confuse), 15, 20)); }},
      {Paralyze, "WAND OF PARALYZE", [&] { EXPECT_TRUE(Between(Status(rat_, StatusKind::Paralyze), 3, 5)); }},
      // A monster sleeps until it is woken.
      {Sleep, "WAND OF SLEEP", [&] { EXPECT_EQ(Status(rat_, StatusKind::Sleep), -1); }},
      {Teleportation, "WAND OF TELEPORTATION", [&] { EXPECT_NE(floor_->GetCharacterAt(6, 3), rat_); }},
      {LevelUp, "WAND OF LEVEL UP",
       [&] {
         EXPECT_EQ(player_->exp, 50);
         EXPECT_GT(player_->level, 1);
       }},
      {Weakness, "WAND OF WEAKNESS", [&] { EXPECT_EQ(Status(rat_, StatusKind::Weakness), -1); }},
      {Fire, "WAND OF FIRE", [&] { EXPECT_LT(rat_->hp, 500); }},
      {Strength, "WAND OF STRENGTH", [&] { EXPECT_EQ(Status(player_, StatusKind::StrUp), 100); }},
      {Vitality, "WAND OF VITALITY", [&] { EXPECT_EQ(Status(player_, StatusKind::DefUp), 100); }},
      {Dexterity, "WAND OF DEXTERITY", [&] { EXPECT_EQ(Status(player_, StatusKind::DexUp), 100); }},
      {Invincible, "WAND OF INVINCIBLE", [&] { EXPECT_EQ(Status(player_, StatusKind::Invincible), 30); }},
      // Dead and gone by the time the turn is released.
      {Death, "WAND OF DEATH", [&] { EXPECT_EQ(floor_->GetCharacterAt(6, 3), nullptr); }},
      {Intelligence, "WAND OF INTELLIGENCE", [&] { EXPECT_EQ(Status(player_, StatusKind::IntUp), 100); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    player_->hp = 50;
    player_->InflictPoison(9);
    floor_->Effects.DeleteAll();
    CItem* wand = Zap(c.Id);
    // The levels gained push the line of the level-up wand out of the window.
    if (c.Id != LevelUp) {
      EXPECT_EQ(Messages().rfind(std::string("YOU USED ") + c.Name + "(5)!", 0), 0u) << Messages();
    }
    EXPECT_EQ(wand->GetChargesLeft(), 4);
    EXPECT_EQ(player_->GetItem(PlaceOf(wand)), wand) << "a wand is never used up by zapping";
    c.Check();
    EXPECT_EQ(Holds(), 0);
  }
}

TEST_F(Wands, ABoltAtAWallSpendsItsChargeOnNobody) {
  floor_->MoveCharacterTo(3, 1, player_);
  player_->SetPosition(3, 1);
  player_->SetDirection(DirectionUp);
  CItem* wand = Zap(Sleep);
  EXPECT_EQ(wand->GetChargesLeft(), 4);
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), 0);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Wands, ABoltPassesTheFallenAndStopsAtWhatMagicCannotReach) {
  CCharacter* fallen = Monster(4, 3);
  fallen->hp = 0;
  Zap(Sleep);
  EXPECT_EQ(Status(fallen, StatusKind::Sleep), 0);
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), -1);

  rat_->ClearSleep();
  CCharacter* rock = Place(new Rock, 5, 3);
  rock->hp = 10;
  rock->frames = chartest::ActionFrames();
  Zap(Sleep);
  EXPECT_EQ(Status(rock, StatusKind::Sleep), 0);
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), 0);
}

TEST_F(Wands, FacingNowhereTheBoltGoesDown) {
  CCharacter* below = Monster(3, 5);
  player_->direction = 0;
  Zap(Sleep);
  EXPECT_EQ(player_->GetDirection(), DirectionDown);
  EXPECT_EQ(Status(below, StatusKind::Sleep), -1);
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), 0);
}

TEST_F(Wands, TheBoltActsOnlyForTheWandItWasZappedFrom) {
  // The wand leaves the player while its bolt flies: on arrival it is no
  // longer the player's and nothing happens (its pointer is only compared).
  CItem* wand = Give(Sleep);
  player_->SetSelectedItem(PlaceOf(wand));
  wand->UseMagic();
  ASSERT_EQ(floor_->Effects.GetCount(), 1);
  player_->RemoveItem(wand);
  delete wand;
  Settle();
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), 0);

  // Another wand in its place does not stand in for it.
  wand = Give(Sleep);
  player_->SetSelectedItem(PlaceOf(wand));
  wand->UseMagic();
  CItem* other = Give(Sleep);
  player_->SetSelectedItem(PlaceOf(other));
  Settle();
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), -1);
}

TEST_F(Wands, AnEmptyWandStillTakesTheTurnAndDoesNothing) {
  CItem* wand = Give(Sleep);
  wand->ChargesUsed = 5;
  player_->SetSelectedItem(PlaceOf(wand));
  player_->UseItem(PlaceOf(wand));
  Settle();
  EXPECT_EQ(Messages(), "YOU USED WAND OF SLEEP(0)!");
  EXPECT_EQ(wand->ChargesUsed, 5);
  EXPECT_EQ(Status(rat_, StatusKind::Sleep), 0);
  EXPECT_EQ(floor_->Effects.GetCount(), 0);
}

TEST_F(Wands, AThrownWandActsWithoutACharge) {
  CItem* wand = Give(Death);
  player_->accuracy = 100;
  rat_->evasion = 0;
  wand->ResolveThrow(player_, rat_);
  EXPECT_EQ(rat_->hp, 0);
  EXPECT_FALSE(Carries(Death)) << "used up by the throw";
}

TEST_F(Wands, FireGrowsWithTheUsersMagicAndLevel) {
  // Magic power 20 at level 10: base (20 x 45) / 10 = 90; 63-117.
  player_->intelligence = 20;
  player_->level = 10;
  SeedRandom(SeedWhoseFirst(61, [](int v) { return v == 60; }));
  itemtest::Make(Fire)->ApplyHit(player_, rat_);
  EXPECT_EQ(NumbersAt(6, 3, EffectPyrokinesis), std::vector<int>{117});
}

TEST_F(Wands, APriceGrowsWithTheChargesLeft) {
  struct Case {
    ItemId Id;
    int Used, Price;
  };
  for (const Case& c : {Case{Fire, 0, 30}, Case{Fire, 5, 20}, Case{Death, 4, 550}, Case{Fire, 9, 20}}) {
    itemtest::ItemPtr wand = itemtest::Make(c.Id);
    wand->ChargesUsed = c.Used;
    EXPECT_EQ(wand->GetTotalPrice(), c.Price) << c.Id << " " << c.Used;
  }
}

TEST_F(Wands, AnUnknownKindIsNamedByItsFirstZap) {
  IdentifyTable[Sleep] = 1;
  CItem* wand = Give(Sleep);
  char text[ItemTextSize];
  EXPECT_STREQ(wand->GetDisplayName(text, sizeof text), "???");
  EXPECT_STREQ(wand->GetStatusText(text, sizeof text), "???");
  player_->SetSelectedItem(PlaceOf(wand));
  player_->UseItem(PlaceOf(wand));
  Settle();
  EXPECT_STREQ(wand->GetDisplayName(text, sizeof text), "WAND OF SLEEP(4)");
}

}  // namespace
