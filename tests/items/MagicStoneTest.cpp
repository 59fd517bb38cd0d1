// Every magic stone read once on the two-room floor: two rats in the
// player's sight, one in the room behind the wall, and a mining point that
// no spell ever reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "characters/CharacterTestSupport.h"
#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::SeedWhoseFirst;
using itemuse::UseFixture;

constexpr ItemId Healing = 0xA00, ExtraHealing = 0xA01, Clearance = 0xA02, QuickMove = 0xA03, SlowMove = 0xA04,
                 Confusion = 0xA06, Paralyze = 0xA07, Sleep = 0xA08, Mapping = 0xA09, Might = 0xA0A,
                 Weakness = 0xA0B, Fire = 0xA0C, Strength = 0xA0D, Vitality = 0xA0E, Dexterity = 0xA0F,
                 Philosophers = 0xA10, DarkMatter = 0xA11, Recharge = 0xA12, Bushido = 0xA13, Wind = 0xA14,
                 Water = 0xA15, Dragon = 0xA16, Beast = 0xA17, Gorgon = 0xA18, Demon = 0xA19;
constexpr ItemId IronSword = 0x002, Bow = 0x100, Armour = 0x300, Shield = 0x400, WandOfFire = 0xB0B,
                 NeedleTrap = 0xC00;

// A mining point as the spells see it.
class Rock : public CCharacter {
public:
  bool IsMiningPoint() const override { return true; }
};

class Stones : public UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    near_ = Monster(5, 3);
    corner_ = Monster(2, 1);
    hidden_ = Monster(11, 1);
    for (CCharacter* rat : {near_, corner_, hidden_}) rat->hp = 500;
    rock_ = Place(new Rock, 6, 5);
    rock_->hp = 50;
    rock_->frames = chartest::ActionFrames();
    player_->strength = player_->dexterity = 5;
    player_->intelligence = 14;
  }
  void Read(ItemId id) {
    CItem* stone = Give(id);
    player_->SetSelectedItem(PlaceOf(stone));
    ASSERT_TRUE(player_->UseItem(PlaceOf(stone)));
  }
  std::vector<int> StatusOfRats(StatusKind kind) {
    return {Status(near_, kind), Status(corner_, kind), Status(hidden_, kind)};
  }
  bool Between(int v, int low, int high) { return v >= low && v <= high; }
  void ExpectFlash(int r, int g, int b, int peak = 160) {
    const CEffect* e = GetScreenEffect();
    EXPECT_EQ(std::vector<int>({e->FlashRed, e->FlashGreen, e->FlashBlue, e->FlashPeak}),
              std::vector<int>({r, g, b, peak}));
  }

  CCharacter* near_ = nullptr;
  CCharacter* corner_ = nullptr;
  CCharacter* hidden_ = nullptr;
  CCharacter* rock_ = nullptr;
};

TEST_F(Stones, TheRoomBehindTheWallIsOutOfSight) {
  EXPECT_TRUE(floor_->HasLineOfSight(3, 3, 5, 3));
  EXPECT_TRUE(floor_->HasLineOfSight(3, 3, 2, 1));
  EXPECT_FALSE(floor_->HasLineOfSight(3, 3, 11, 1));
}

TEST_F(Stones, EachKindReadOnce) {
  struct Case {
    ItemId Id;
    const char* Name;
    std::function<void()> Before;
    std::function<void()> Check;
  };
  const auto nothing = [] {};
  CItem* weapon = nullptr;
  CItem* bow = nullptr;
  CItem* armour = nullptr;
  CItem* shield = nullptr;
  const auto wearAll = [&] {
    weapon = Give(IronSword, 1, true);
    weapon->SetCondition(1);
    bow = Give(Bow, 1, true);
    armour = Give(Armour, 1, true);
    shield = Give(Shield, 1, true);
  };
  const Case cases[] = {
      {Healing, "MAGIC STONE OF HEALING", nothing,
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(NumbersAt(3, 3, EffectGreenNumber), std::vector<int>{30});
         EXPECT_EQ(Status(player_, StatusKind::Regenerate), 30);
         EXPECT_EQ(player_->regenAmount, 5);
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"REGENERATE@10"});
         ExpectFlash(255, 128, 128);
       }},
      {ExtraHealing, "MAGIC STONE OF EXTRA HEALING", [&] { player_->hp = 10; },
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(player_->regenAmount, 10);
       }},
      {Clearance, "MAGIC STONE OF CLEARANCE", [&] { player_->InflictPoison(9); },
       [&] {
         EXPECT_FALSE(player_->IsPoison());
         EXPECT_EQ(Status(player_, StatusKind::Resistance), 30);
         ExpectFlash(128, 255, 128);
       }},
      {QuickMove, "MAGIC STONE OF QUICK MOVE", nothing,
       [&] {
         EXPECT_EQ(Status(player_, StatusKind::Quick), 30);
         EXPECT_EQ(Status(player_, StatusKind::DoubleAttack), 30);
         EXPECT_EQ(CaptionsAt(3, 3), (std::vector<std::string>{"QUICK", "DOUBLE ATTACK@10"}));
       }},
      {SlowMove, "MAGIC STONE OF SLOW MOVE", nothing,
       [&] { EXPECT_EQ(StatusOfRats(StatusKind::Slow), (std::vector<int>{15, 15, 0})); }},
      {Confusion, "MAGIC STONE OF CONFUSION", nothing,
       [&] {
         EXPECT_TRUE(Between(Status(near_, StatusKind::Confuse), 15, 20));
         EXPECT_TRUE(Between(Status(corner_, StatusKind::Confuse), 15, 20));
         EXPECT_EQ(Status(hidden_, StatusKind::Confuse), 0);
       }},
      {Paralyze, "MAGIC STONE OF PARALYZE", nothing,
       [&] {
         EXPECT_TRUE(Between(Status(near_, StatusKind::Paralyze), 5, 10));
         EXPECT_EQ(Status(hidden_, StatusKind::Paralyze), 0);
       }},
      {Sleep, "MAGIC STONE OF SLEEP", nothing,
       [&] {
         EXPECT_TRUE(Between(Status(near_, StatusKind::Sleep), 30, 70));
         EXPECT_TRUE(Between(Status(corner_, StatusKind::Sleep), 30, 70));
         EXPECT_EQ(Status(hidden_, StatusKind::Sleep), 0);
       }},
      {Mapping, "MAGIC STONE OF MAPPING", [&] { floor_->PutItemAt(6, 1, CreateItem(NeedleTrap)); },
       [&] {
         for (std::uint8_t explored : floor_->explored) ASSERT_EQ(explored, 2);
         EXPECT_TRUE(floor_->GetItemAt(6, 1)->IsRevealed());
       }},
      {Might, "MAGIC STONE OF MIGHT", nothing,
       [&] {
         for (StatusKind kind : {StatusKind::StrUp, StatusKind::DexUp, StatusKind::DefUp})
           EXPECT_EQ(Status(player_, kind), 30);
         EXPECT_EQ(CaptionsAt(3, 3), (std::vector<std::string>{"STR UP!", "DEX UP!@10", "DEF UP!@20"}));
       }},
      {Weakness, "MAGIC STONE OF WEAKNESS", nothing,
       [&] { EXPECT_EQ(StatusOfRats(StatusKind::Weakness), (std::vector<int>{-1, -1, 0})); }},
      {Fire, "MAGIC STONE OF FIRE", nothing,
       [&] {
         EXPECT_EQ(NumbersAt(5, 3, EffectPyrokinesis).size(), 1u);
         EXPECT_EQ(NumbersAt(2, 1, EffectPyrokinesis).size(), 1u);
         EXPECT_TRUE(NumbersAt(11, 1, EffectPyrokinesis).empty());
         EXPECT_TRUE(NumbersAt(6, 5, EffectPyrokinesis).empty());
         Settle();
         EXPECT_LT(near_->hp, 500);
         EXPECT_LT(corner_->hp, 500);
         EXPECT_EQ(hidden_->hp, 500);
         ExpectFlash(255, 0, 0);
       }},
      {Strength, "MAGIC STONE OF STRENGTH", wearAll,
       [&] {
         EXPECT_EQ(weapon->GetRefinement(), 1);
         EXPECT_EQ(weapon->GetCondition(), 0);
         EXPECT_EQ(bow->GetRefinement(), 0);
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"WEAPON +1"});
       }},
      {Vitality, "MAGIC STONE OF VITALITY", wearAll,
       [&] {
         EXPECT_EQ(armour->GetRefinement() + shield->GetRefinement(), 1);
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"PROTECTOR +1"});
       }},
      {Dexterity, "MAGIC STONE OF DEXTERITY", wearAll,
       [&] {
         EXPECT_EQ(bow->GetRefinement(), 1);
         EXPECT_EQ(weapon->GetRefinement(), 0);
       }},
      {DarkMatter, "DARK MATTER", nothing,
       [&] {
         EXPECT_EQ(std::vector<int>({near_->hp, corner_->hp, hidden_->hp}), (std::vector<int>{0, 0, 500}));
         EXPECT_EQ(near_->lastAttacker, player_);
         EXPECT_EQ(rock_->hp, 50);
         ExpectFlash(96, 0, 48, 192);
       }},
      {Recharge, "MAGIC STONE OF RECHARGE",
       [&] {
         CItem* small = Give(WandOfFire);
         small->ChargesUsed = 5;
         CItem* big = Give(WandOfFire);
         big->ChargeCapacity = 9;
         big->ChargesUsed = 4;
       },
       [&] {
         std::vector<int> wands;
         for (int place = 0; place < InventorySize; ++place)
           if (const CItem* w = player_->GetItem(place); w && w->GetId() == WandOfFire)
             wands.push_back(w->GetChargesLeft());
         std::sort(wands.begin(), wands.end());
         EXPECT_EQ(wands, (std::vector<int>{7, 9}));
         EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"RECHARGE!"});
       }},
      {Bushido, "MAGIC STONE OF BUSHIDO", wearAll, [&] { EXPECT_EQ(weapon->GetRefinement(), 3); }},
      {Wind, "MAGIC STONE OF WIND", wearAll, [&] { EXPECT_EQ(bow->GetRefinement(), 3); }},
      {Water, "MAGIC STONE OF WATER", wearAll,
       [&] {
         EXPECT_EQ(armour->GetRefinement(), 1);
         EXPECT_EQ(shield->GetRefinement(), 1);
         EXPECT_EQ(weapon->GetRefinement(), 0);
       }},
      {Dragon, "MAGIC STONE OF DRAGON", nothing,
       [&] {
         Settle();
         EXPECT_LT(near_->hp, 500);
         EXPECT_LT(hidden_->hp, 500);
         EXPECT_EQ(rock_->hp, 50);
       }},
      {Beast, "MAGIC STONE OF BEAST", nothing,
       [&] { EXPECT_EQ(Status(player_, StatusKind::DoubleAttack), 1000); }},
      {Gorgon, "MAGIC STONE OF GORGON", nothing,
       [&] { EXPECT_EQ(StatusOfRats(StatusKind::Paralyze), (std::vector<int>{-1, -1, 0})); }},
      {Demon, "MAGIC STONE OF DEMON", nothing,
       [&] { EXPECT_EQ(StatusOfRats(StatusKind::Confuse), (std::vector<int>{-1, -1, -1})); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    player_->hp = 90;
    c.Before();
    floor_->Effects.DeleteAll();
    Read(c.Id);
    EXPECT_FALSE(Carries(c.Id));
    // Three rats' lines push the demon's out of the window.
    if (c.Id != Demon) {
      EXPECT_EQ(Messages().rfind(std::string("YOU USED ") + c.Name + "!", 0), 0u) << Messages();
    }
    EXPECT_EQ(player_->satiety, 2000) << "reading is not eating";
    c.Check();
    EXPECT_EQ(Status(rock_, StatusKind::Slow) + Status(rock_, StatusKind::Sleep), 0);
    Settle();
    EXPECT_EQ(Holds(), 0);
  }
}

TEST_F(Stones, ThePhilosophersStoneIsNeverRead) {
  CItem* stone = Give(Philosophers);
  EXPECT_FALSE(player_->UseItem(PlaceOf(stone)));
  stone->Use();
  EXPECT_TRUE(Carries(Philosophers));
  EXPECT_EQ(Messages(), "");
}

TEST_F(Stones, ReadingAnUnknownKindNamesEveryStoneOfIt) {
  IdentifyTable[Fire] = 1;
  CItem* other = Give(Fire);
  char text[ItemTextSize];
  EXPECT_STREQ(other->GetStatusText(text, sizeof text), "???");
  Read(Fire);
  EXPECT_EQ(Messages(), "YOU USED MAGIC STONE OF FIRE!");
  EXPECT_STREQ(other->GetStatusText(text, sizeof text), "DEAL FIRE DAMAGE TO MONSTERS IN YOUR SIGHT.");
}

TEST_F(Stones, FireGrowsWithMagicPowerAndLevel) {
  // Magic power 20 at level 10: (20 x 45) / 10 = 90, 70-130 % of it; the
  // dragon's term is twice as large.
  player_->intelligence = 20;
  player_->level = 10;
  // The rat nearest the start of the list takes the first draw.
  for (auto [id, low] : {std::pair{Fire, 63}, std::pair{Dragon, 126}}) {
    floor_->Effects.DeleteAll();
    SeedRandom(SeedWhoseFirst(61, [](int v) { return v == 0; }));
    Read(id);
    EXPECT_EQ(NumbersAt(5, 3, EffectPyrokinesis), std::vector<int>{low}) << id;
  }
}

TEST_F(Stones, ARefiningStoneWithNothingWornIsStillUsedUp) {
  Read(Strength);
  EXPECT_FALSE(Carries(Strength));
  EXPECT_EQ(CaptionsAt(3, 3), std::vector<std::string>{"WEAPON +1"});
}

}  // namespace
