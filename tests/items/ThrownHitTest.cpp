// The damage of thrown and shot items, family by family, worked out by
// hand from the thrower's attack and the spread draw 80 + rand() % 40.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "characters/CharacterTestSupport.h"
#include "characters/PlayerTestSupport.h"
#include "items/ItemHits.h"
#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::SeedWhoseFirst;
using itemuse::UseFixture;
using playertest::StatItem;

constexpr ItemId Stone = 0x800, MonsterMeat = 0x700, IronSword = 0x002, Armour = 0x300, Ring = 0x600;

// A character whose answers the test sets.
class Dummy : public CCharacter {
public:
  Dummy() { frames = chartest::ActionFrames(); }
  bool IsPoisonous() const override { return Poisonous; }
  int GetGuardChance() const override { return Guard; }
  int GetShotDamage() const override { return ShotDamage; }
  int GetMissileSleepChance() const override { return MissileSleep; }
  int GetMissileHealOnHit() const override { return HealOnHit; }
  int GetShotSelfDamage() const override { return SelfDamage; }
  bool Poisonous = false;
  int Guard = 0, ShotDamage = 0, MissileSleep = 0, HealOnHit = 0, SelfDamage = 0;
};

class ThrownHits : public UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    user_ = Place(new Dummy, 1, 1);
    user_->hp = user_->maxHp = 100;
    user_->attack = 10;
    user_->SetDirection(DirectionRight);
    target_ = Place(new Dummy, 2, 1);
    target_->hp = target_->maxHp = 500;
    target_->SetDirection(DirectionLeft);  // facing the thrower: it may guard
  }
  // The seed whose first draw, the spread, is 80 + r.
  static void Spread(int r) { SeedRandom(SeedWhoseFirst(40, [r](int v) { return v == r; })); }
  int Lost(int before) const { return before - target_->hp; }

  Dummy* user_ = nullptr;
  Dummy* target_ = nullptr;
};

TEST_F(ThrownHits, APlainObjectStrikesThroughDefencePointByPoint) {
  struct Case {
    int Attack, Defence, R, Hp;
    int Damage, HpAfter;
    AnimationEntry Pose;
  };
  // x = a x 100 / (80 + r) x 10, less a thirteenth per point; x / 10 off.
  const Case cases[] = {
      {10, 0, 0, 50, 12, 38, AnimationHurt},
      {10, 0, 39, 50, 8, 42, AnimationHurt},  // 1000 / 119
      {10, 1, 0, 50, 11, 39, AnimationHurt},  // 120 -> 110
      {10, 3, 0, 50, 9, 41, AnimationHurt},   // 120 -> 110 -> 101 -> 93
      {-5, 0, 0, 50, 0, 50, AnimationHurt},   // a negative attack never heals
      {10, 0, 0, 12, 12, 0, AnimationDying},
      {10, 0, 0, 5, 12, 0, AnimationDying},   // floored at 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "attack " << c.Attack << " defence " << c.Defence << " r " << c.R);
    user_->attack = c.Attack;
    target_->hp = c.Hp;
    target_->defence = c.Defence;
    target_->animEntry = AnimationIdle;
    target_->lastAttacker = nullptr;
    itemtest::ItemPtr stone = itemtest::Make(Stone);
    Spread(c.R);
    stone->ApplyHit(user_, target_);
    EXPECT_EQ(target_->hp, c.HpAfter);
    EXPECT_EQ(target_->animEntry, c.Pose);
    EXPECT_EQ(target_->lastAttacker, user_);
    EXPECT_EQ(NumbersAt(2, 1, EffectWhiteNumber), std::vector<int>{c.Damage});
    floor_->Effects.DeleteAll();
  }
}

TEST_F(ThrownHits, FoodWritesTheDamageLineAMaterialDoesNot) {
  CCharacter* rat = Monster(5, 3);
  rat->hp = 300;
  rat->defence = 0;
  for (ItemId id : {Stone, MonsterMeat}) {
    GetGameInputMain()->CloseMessage();
    Spread(0);
    itemtest::Make(id)->ApplyHit(user_, rat);
    EXPECT_EQ(Messages(), id == Stone ? "" : "RAT TOOK 12 DAMAGE!") << id;
  }
  EXPECT_EQ(rat->hp, 276);
}

TEST_F(ThrownHits, ProtectorsAndAccessoriesStrikeAsThrownBlows) {
  user_->attack = 40;
  itemtest::ItemPtr armour = itemtest::Make(Armour);
  armour->BaseDefence = 4;
  int before = target_->hp;
  Spread(0);
  armour->ApplyHit(user_, target_);
  EXPECT_EQ(Lost(before), 20);  // (40 x 4 + 5) / 10 = 16; x 100 / 80
  EXPECT_EQ(target_->lastAttacker, user_);

  before = target_->hp;
  Spread(0);
  itemtest::Make(Ring)->ApplyHit(user_, target_);
  EXPECT_EQ(Lost(before), 50);  // 40 x 100 / 80
}

TEST_F(ThrownHits, AThrownWeaponsCriticalComesAfterThePercentsAndBeforeWeakness) {
  // Spread 80, then the critical roll (certain), then the target's guard
  // roll (certain, but a critical cannot be guarded).
  StatItem weapon(ItemCategoryWeapon, {{"GetAttack", 20}, {"GetCriticalChance", 100},
                                       {"GetPoisonousFoeDamagePercent", 150}});
  target_->Poisonous = true;
  target_->Guard = 100;
  user_->InflictWeakness(5);
  const int before = target_->hp;
  Spread(0);
  ApplyThrownWeaponHit(weapon, user_, target_);
  // (10 x (20 + 10) + 5) / 10 = 30; x 100 / 80 = 37; poisonous 55; critical
  // 110; weakened 55. Halving before doubling would leave 54.
  EXPECT_EQ(Lost(before), 55);
  EXPECT_EQ(GetScreenEffect()->FlashPeak, 255);

  // Without the critical the guard holds.
  StatItem plain(ItemCategoryWeapon, {{"GetAttack", 20}});
  const int guarded = target_->hp;
  Spread(0);
  ApplyThrownWeaponHit(plain, user_, target_);
  EXPECT_EQ(target_->hp, guarded);
}

TEST_F(ThrownHits, AThrownWeaponQueuesItsStatusesAndDrainsForItsThrower) {
  StatItem weapon(ItemCategoryWeapon, {{"GetSleepChance", 100}, {"GetPoisonChance", 100},
                                       {"GetHealOnHit", 3}, {"GetDrainPercent", 50}});
  user_->hp = 10;
  const int before = target_->hp;
  ApplyThrownWeaponHit(weapon, user_, target_);
  const int dealt = Lost(before);
  ASSERT_GT(dealt, 0);
  // Sleep waits until woken; poison for the target's own 8-12 turns.
  EXPECT_EQ(target_->pendingStatus[static_cast<int>(StatusKind::Sleep)], -1);
  EXPECT_GE(target_->pendingStatus[static_cast<int>(StatusKind::Poison)], 8);
  EXPECT_LE(target_->pendingStatus[static_cast<int>(StatusKind::Poison)], 12);
  EXPECT_EQ(target_->pendingStatus[static_cast<int>(StatusKind::Quick)], 0);
  const int heal = 3 + (50 * dealt + 99) / 100;
  EXPECT_EQ(user_->hp, 10 + heal);
  EXPECT_EQ(NumbersAt(1, 1, EffectGreenNumber), std::vector<int>{heal});
}

TEST_F(ThrownHits, TheWornWeaponIsLeftOutOfTheThrowersBonuses) {
  // Throwing a sword deals the same with or without a sword worn, and the
  // worn one is worn again after.
  player_->SetDirection(DirectionRight);
  itemtest::ItemPtr thrown = itemtest::Make(IronSword);
  int damage[2] = {};
  for (int worn = 0; worn < 2; ++worn) {
    if (worn) Give(IronSword, 1, true);
    const int before = target_->hp;
    SeedRandom(7);
    ApplyThrownWeaponHit(*thrown, player_, target_);
    damage[worn] = Lost(before);
  }
  EXPECT_GT(damage[0], 0);
  EXPECT_EQ(damage[1], damage[0]);
  EXPECT_TRUE(player_->GetItem(WeaponSlot)->IsEquipped());
}

TEST_F(ThrownHits, AnArrowComesFromTheShooterAndItsPaybackNeverKills) {
  struct Case {
    const char* What;
    int Guard, Hp, HealOnHit, SelfDamage;
    bool Slept;
    int HpAfter;  // -1: below the start, above 1
  };
  const Case cases[] = {
      // A guarded arrow deals nothing and sends no status, but its heal still comes.
      {"guarded", 100, 50, 4, 50, false, 54},
      {"self-damage at 1 HP", 0, 1, 0, 50, true, 1},
      {"self-damage takes its share", 0, 50, 0, 50, true, -1},
      {"a negative self-damage never heals", 0, 50, 0, -50, true, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    user_->ShotDamage = 40;
    user_->MissileSleep = 100;
    user_->HealOnHit = c.HealOnHit;
    user_->SelfDamage = c.SelfDamage;
    user_->hp = c.Hp;
    target_->Guard = c.Guard;
    target_->pendingStatus[static_cast<int>(StatusKind::Sleep)] = 0;
    const int before = target_->hp;
    Spread(0);
    ApplyArrowHit(user_, target_);
    // 80 x 40 / 100.
    EXPECT_EQ(Lost(before), c.Guard ? 0 : 32);
    EXPECT_EQ(target_->pendingStatus[static_cast<int>(StatusKind::Sleep)] != 0, c.Slept);
    if (c.HpAfter >= 0) {
      EXPECT_EQ(user_->hp, c.HpAfter);
    } else {
      EXPECT_EQ(user_->hp, c.Hp - 16);  // half of 32, rounded up
    }
  }
}

TEST_F(ThrownHits, SureHitsSkipTheRoll) {
  target_->evasion = 100;
  StatItem sure(ItemCategoryWeapon, {{"IsSureHit", 1}});
  StatItem plain(ItemCategoryWeapon);
  EXPECT_TRUE(RollThrownWeaponHit(sure, user_, target_));
  EXPECT_FALSE(RollThrownWeaponHit(plain, user_, target_));
  StatItem arrow(ItemCategoryArrow, {{"IsShotSureHit", 1}});
  EXPECT_TRUE(RollArrowHit(arrow, user_, target_));
  EXPECT_FALSE(RollArrowHit(plain, user_, target_));
}

}  // namespace
