// The player's stats from what it wears: every stat's rule, start and item
// answer, the powers and damage, and the rolls the player adds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PlayerTestSupport.h"
#include "platform/Random.h"

namespace {

using playertest::PlayerFixture;
using playertest::StatItem;

using Read = std::function<int(const CCharacterPlayer&)>;
#define READ(expr) [](const CCharacterPlayer& p) { return static_cast<int>(p.expr); }

// Two worn items both answer `First` and `Second` for one item getter; the
// player's stat must fold them by its rule from its start.
struct RuleCase {
  const char* Stat;
  Read Get;
  const char* ItemGetter;
  int First, Second;
  int Expected;
};

class PlayerStats : public PlayerFixture {
protected:
  // Wears a weapon and a body armour that answer the values.
  void Wear(CCharacterPlayer& p, std::map<std::string, int> first, std::map<std::string, int> second) {
    ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryWeapon, std::move(first))));
    ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryBodyArmour, std::move(second))));
  }
};

TEST_F(PlayerStats, EveryStatFoldsTheWornItemsByItsRule) {
  // A bare player: STR, DEX and INT 5, evasion 10, maximum HP 3000 / 100.
  const RuleCase cases[] = {
      // Sums from the player's own value.
      {"STR", READ(GetStr()), "GetStrengthBonus", 3, 4, 12},
      {"DEX", READ(GetDex()), "GetDexterityBonus", 3, -10, -2},
      {"INT", READ(GetInt()), "GetIntelligenceBonus", 3, 4, 12},
      {"mining power", READ(GetMiningPower()), "GetMiningPower", 3, 4, 8},
      // Percent products: 30 -> 39 -> 50 at 130 % each.
      {"max HP", READ(GetMaxHP()), "GetMaxHpPercent", 130, 130, 50},
      {"regeneration", READ(GetHpRegenRate()), "GetRegenerationPercent", 150, 150, 225},
      {"hunger", READ(GetHungerRate()), "GetHungerRatePercent", 50, 50, 25},
      {"vs poisonous", READ(GetDamagePercentVsPoisonous()), "GetPoisonousFoeDamagePercent", 150, 200, 300},
      {"vs dragons", READ(GetDamagePercentVsDragon()), "GetDragonSlayerPercent", 150, 200, 300},
      {"shot vs poisonous", READ(AuxMissileValue4()), "GetShotPoisonousFoeDamagePercent", 150, 200, 300},
      // Independent chances: two 50 % make 75 %; from evasion 10, 78.
      {"evasion", READ(GetEvasion()), "GetEvasion", 50, 50, 78},
      {"guard", READ(GetGuardChance()), "GetGuardChance", 50, 50, 75},
      {"guard at 100", READ(GetGuardChance()), "GetGuardChance", 100, 20, 100},
      {"trap avoidance from 30", READ(GetTrapAvoidChance()), "GetTrapAvoidChance", 50, 50, 83},
      {"arrow keeping", READ(GetArrowKeepChance()), "GetArrowKeepChance", 50, 50, 75},
      {"status resistance", READ(GetStatusResistance()), "GetStatusResistance", 50, 50, 75},
      {"slow resistance", READ(GetSlowResistance()), "PreventsSlow", 50, 50, 75},
      {"sleep resistance", READ(GetSleepResistance()), "PreventsSleep", 50, 50, 75},
      {"confusion resistance", READ(GetConfuseResistance()), "PreventsConfusion", 50, 50, 75},
      {"poison resistance", READ(GetPoisonResistance()), "PreventsPoison", 50, 50, 75},
      {"paralysis resistance", READ(GetParalyzeResistance()), "PreventsParalysis", 50, 50, 75},
      {"berserk resistance", READ(GetBerserkResistance()), "PreventsBerserk", 50, 50, 75},
      {"status 11 resistance", READ(GetStatus11Resistance()), "PreventsStatus11", 50, 50, 75},
      {"weakness resistance", READ(GetWeaknessResistance()), "PreventsWeakness", 50, 50, 75},
      // Capped sums: at most 100, no lower bound.
      {"magic cut", READ(GetMagicDamageCut()), "GetMagicDamageCut", 60, 70, 100},
      {"fire cut", READ(GetFireDamageCut()), "GetFireDamageCut", -30, -40, -70},
      // The largest answer.
      {"heal when hit", READ(GetHealWhenHitFlat()), "GetHealWhenHit", 3, 4, 4},
      // Any item.
      {"telepathy", READ(HasTelepathy()), "HasTelepathy", 0, 1, 1},
      {"sure hit", READ(HasSureHit()), "IsSureHit", 1, 0, 1},
      {"shot sure hit", READ(HasShotSureHit()), "IsShotSureHit", 0, 1, 1},
      {"spear", READ(HasSpearAttack()), "HasReachAttack", 0, 1, 1},
      {"broadsword", READ(HasBroadswordAttack()), "HasWideAttack", 0, 1, 1},
      {"staff", READ(HasStaffAttack()), "HasRangedMagicShot", 0, 1, 1},
      // Plain sums from 0.
      {"heal on hit", READ(GetHealOnHit()), "GetHealOnHit", 3, 4, 7},
      {"drain", READ(GetDrainPercent()), "GetDrainPercent", 3, 4, 7},
      {"recoil", READ(GetDrainPercentExtra()), "GetRecoilPercent", 3, 4, 7},
      {"on-hit teleport", READ(GetOnHitTeleportChance()), "GetTeleportChance", 3, 4, 7},
      {"fire magic", READ(GetFireMagicAttack()), "GetFireMagicAttack", 3, 4, 7},
      {"critical", READ(GetCriticalChance()), "GetCriticalChance", 3, 4, 7},
      {"double attack", READ(GetDoubleAttackChance()), "GetDoubleAttackChance", 3, 4, 7},
      {"counter damage", READ(GetCounterDamagePercent()), "GetCounterDamagePercent", 3, 4, 7},
      {"heal when hit %", READ(GetHealWhenHitPercent()), "GetHealWhenHitPercent", 3, 4, 7},
      {"counter teleport", READ(GetCounterTeleportChance()), "GetTeleportCounterChance", 3, 4, 7},
      {"shot heal", READ(GetMissileHealOnHit()), "GetShotHealOnHit", 3, 4, 7},
      {"shot drain", READ(GetMissileDrainPercent()), "GetShotDrainPercent", 3, 4, 7},
      {"shot self damage", READ(GetShotSelfDamage()), "GetShotSelfDamage", 3, 4, 7},
      {"shot teleport", READ(GetMissileTeleportChance()), "GetShotTeleportChance", 3, 4, 7},
      {"shot critical", READ(GetShotCriticalChance()), "GetShotCriticalChance", 3, 4, 7},
      {"double shot", READ(GetDoubleShotChance()), "GetShotDoubleAttackChance", 3, 4, 7},
      // Defence: a sum floored at 0.
      {"defence", READ(GetDefense()), "GetDefence", 3, 4, 7},
      {"defence below 0", READ(GetDefense()), "GetDefence", 3, -9, 0},
      // Weapon and bow attack: only what lies above 10 counts.
      {"weapon attack", READ(GetWeaponAttack()), "GetAttack", 14, 8, 4},
      {"bow attack", READ(GetBowAttack()), "GetShotPower", 12, 13, 5},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.Stat);
    CCharacterPlayer p;
    p.maxHpX100 = 3000;
    Wear(p, {{c.ItemGetter, c.First}}, {{c.ItemGetter, c.Second}});
    EXPECT_EQ(c.Get(p), c.Expected);
  }
}

// The fifteen status chances of a blow, a counter and a shot each add up
// their own item answer; DISGUISED has none.
TEST_F(PlayerStats, StatusChancesSumTheirOwnItemAnswer) {
  struct StatusCase {
    const char* Kind;
    Read OnHit, Counter, Missile;
    std::string ItemWord;
  };
#define STATUS(Name, Word)                                                                              \
  {#Name, READ(GetOnHit##Name##Chance()), READ(GetCounter##Name##Chance()), READ(GetMissile##Name##Chance()), \
   Word}
  const StatusCase cases[] = {
      STATUS(Quick, "Quick"),        STATUS(Slow, "Slow"),           STATUS(Sleep, "Sleep"),
      STATUS(Confuse, "Confusion"),  STATUS(Poison, "Poison"),       STATUS(Paralyze, "Paralyze"),
      STATUS(Berserk, "Berserk"),    STATUS(Invisible, "Invisible"), STATUS(Hold, "Hold"),
      STATUS(Dormant, "Dormant"),    STATUS(Status11, "Status11"),   STATUS(Invincible, "Invincible"),
      STATUS(Status13, "Status13"),  STATUS(Status14, "Status14"),   STATUS(Weakness, "Weakness"),
  };
#undef STATUS
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.Kind);
    CCharacterPlayer p;
    // Different numbers for the three families, so a crossed wire shows.
    const std::map<std::string, int> values = {{"Get" + c.ItemWord + "Chance", 1},
                                               {"Get" + c.ItemWord + "CounterChance", 10},
                                               {"GetShot" + c.ItemWord + "Chance", 100}};
    Wear(p, values, values);
    EXPECT_EQ(c.OnHit(p), 2);
    EXPECT_EQ(c.Counter(p), 20);
    EXPECT_EQ(c.Missile(p), 200);
  }
  CCharacterPlayer p;
  EXPECT_EQ(p.GetOnHitDisguiseChance() + p.GetCounterDisguiseChance() + p.GetMissileDisguiseChance(), 0);
}

TEST_F(PlayerStats, NothingWornGivesTheStartingValues) {
  CCharacterPlayer p;
  p.maxHpX100 = 2850;
  p.criticalChance = 40;  // the character's own: not the player's
  p.sureHit = 1;
  EXPECT_EQ(p.GetMaxHP(), 28);
  EXPECT_EQ(p.GetEvasion(), 10);
  EXPECT_EQ(p.GetGuardChance(), 0);
  EXPECT_EQ(p.GetTrapAvoidChance(), 30);
  EXPECT_EQ(p.GetHpRegenRate(), 100);
  EXPECT_EQ(p.GetHungerRate(), 100);
  EXPECT_EQ(p.GetSleepResistance(), 0);
  EXPECT_EQ(p.GetArrowKeepChance(), 0);
  EXPECT_EQ(p.GetMiningPower(), 1);
  EXPECT_EQ(p.GetCriticalChance(), 0);
  EXPECT_FALSE(p.HasSureHit());
  EXPECT_EQ(p.GetDeathResistance(), 0);
  EXPECT_EQ(p.GetInventoryCapacity(), 37);
}

TEST_F(PlayerStats, OnlyItemsFlaggedWornCount) {
  CCharacterPlayer p;
  auto* ring = new StatItem(ItemCategoryAccessory, {{"GetStrengthBonus", 7}});
  ASSERT_TRUE(p.AddItem(ring));  // in the bag, not worn
  EXPECT_EQ(p.GetStr(), 5);
  ring->SetEquipped(true);  // as bag arrows are while they fly
  EXPECT_EQ(p.GetStr(), 12);
  ASSERT_TRUE(p.Equip(ring));
  p.UnequipWeapon();  // not a weapon: nothing changes
  EXPECT_EQ(p.GetStr(), 12);
  ring->SetEquipped(false);
  EXPECT_EQ(p.GetStr(), 5);
}

TEST_F(PlayerStats, StatusesRaiseTheirValues) {
  CCharacterPlayer p;
  Wear(p, {{"PreventsSleep", 50}, {"GetDoubleAttackChance", 5}, {"GetShotDoubleAttackChance", 5}}, {});
  p.status[static_cast<int>(StatusKind::Resistance)] = -1;
  EXPECT_EQ(p.GetStatusResistance(), 100);
  EXPECT_EQ(p.GetSleepResistance(), 100);
  EXPECT_EQ(p.GetWeaknessResistance(), 100);
  p.status[static_cast<int>(StatusKind::DoubleAttack)] = 3;
  EXPECT_EQ(p.GetDoubleAttackChance(), 105);
  EXPECT_EQ(p.GetDoubleShotChance(), 105);
  SeedRandom(7);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(p.RollDoubleAttack(), 2);
    EXPECT_EQ(p.RollShotCount(), 2);
  }
}

// Powers fold the items' percents in floating point and truncate once:
// STR 11 and DEX 13 give 11 + 1.5 = 12.5, x 110 % = 13.75, x 110 % = 15.125.
TEST_F(PlayerStats, PowersAttacksAndDamage) {
  CCharacterPlayer p;
  p.strength = 11;
  p.dexterity = 13;
  p.intelligence = 9;
  p.level = 3;  // attacks are power x 12 / 10
  Wear(p, {{"GetMeleeAttackPercent", 110}, {"GetAttack", 16}, {"GetShotAttackPercent", 50}},
       {{"GetMeleeAttackPercent", 110}, {"GetShotPower", 13}, {"GetMagicAttackPercent", 150}});
  EXPECT_EQ(p.GetMeleePower(), 15);
  EXPECT_EQ(p.GetShotPower(), 6);   // 13 + 0.5 = 13.5, x 50 % = 6.75
  EXPECT_EQ(p.GetMagicPower(), 13);  // 9 x 150 % = 13.5
  EXPECT_EQ(p.GetMeleeAttack(), 18);
  EXPECT_EQ(p.GetShotAttack(), 7);
  EXPECT_EQ(p.GetMagicAttack(), 15);
  EXPECT_EQ(p.GetWeaponAttack(), 6);
  EXPECT_EQ(p.GetBowAttack(), 3);
  EXPECT_EQ(p.GetMeleeDamage(), (16 * 18 + 5) / 10);
  EXPECT_EQ(p.GetShotDamage(), (13 * 7 + 5) / 10);
  EXPECT_EQ(p.GetMagicDamage(), (16 * 15 + 5) / 10);

  p.status[static_cast<int>(StatusKind::StrUp)] = 5;
  EXPECT_EQ(p.GetMeleePower(), 28);  // (22 + 1.5) x 1.21 = 28.435
  p.status[static_cast<int>(StatusKind::IntUp)] = 5;
  EXPECT_EQ(p.GetMagicPower(), 27);
}

TEST_F(PlayerStats, MagicWeaponsStrikeWithMagic) {
  CCharacterPlayer bare;
  bare.strength = 10;
  EXPECT_EQ(bare.GetWeaponAttack(), 0);
  EXPECT_EQ(bare.GetMeleeDamage(), (10 * bare.GetMeleeAttack() + 5) / 10);

  CCharacterPlayer p;
  p.intelligence = 20;
  ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryWeapon, {{"IsMagicWeapon", 1}, {"GetAttack", 13}})));
  const int magic = (13 * p.GetMagicAttack() + 5) / 10;
  EXPECT_EQ(p.GetMeleeDamage(), magic);
  // A staff strikes for two thirds of it.
  static_cast<StatItem*>(p.GetItem(WeaponSlot))->Values["GetWeaponKind"] = WeaponKindStaff;
  EXPECT_EQ(p.GetMeleeDamage(), magic * 2 / 3);
  // A magic bow shoots with magic attack.
  ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryBow, {{"IsMagicWeapon", 1}, {"GetShotPower", 12}})));
  EXPECT_EQ(p.GetShotDamage(), (12 * p.GetMagicAttack() + 5) / 10);
}

// ((power x (80 + r % 41) x (base + level x base / 4 / 5)) / 10) / 100, the
// power asked before the number is drawn.
TEST_F(PlayerStats, DamageRollsScaleWithMagicPowerAndLevel) {
  CCharacterPlayer p;
  p.intelligence = 12;
  p.level = 7;
  SeedRandom(99);
  const int r = 80 + Random() % 41;
  SeedRandom(99);
  EXPECT_EQ(p.RollDamage(30), 12 * r * (30 + 7 * 30 / 4 / 5) / 10 / 100);
  // Base 0 gives 0 but still draws.
  SeedRandom(99);
  EXPECT_EQ(p.RollDamage(0), 0);
  const int after = Random();
  SeedRandom(99);
  Random();
  EXPECT_EQ(Random(), after);
}

TEST_F(PlayerStats, ShotFireDamageDrawsOnlyWhenSomethingGivesIt) {
  CCharacterPlayer p;
  p.intelligence = 10;
  SeedRandom(5);
  EXPECT_EQ(p.RollAuxMissileValue1(), 0);
  const int next = Random();
  SeedRandom(5);
  EXPECT_EQ(Random(), next);  // nothing was drawn

  ASSERT_TRUE(p.Equip(new StatItem(ItemCategoryArrow, {{"GetShotFireMagicAttack", 8}})));
  SeedRandom(5);
  const int r = 80 + Random() % 41;
  SeedRandom(5);
  EXPECT_EQ(p.RollAuxMissileValue1(), 10 * r * (8 + 1 * 8 / 4 / 5) / 10 / 100);
}

// The player's counter sleep never runs out; the others take their lengths.
TEST_F(PlayerStats, CounterSleepIsForever) {
  CCharacterPlayer p;
  Wear(p, {{"GetSleepCounterChance", 100}, {"GetSlowCounterChance", 100}}, {});
  EXPECT_EQ(p.RollCounterSleep(), -1);
  EXPECT_EQ(p.RollCounterSlow(), 15);
  for (int i = 0; i < 50; ++i) {
    const int weak = p.GetWeaknessDuration();
    EXPECT_GE(weak, 8);
    EXPECT_LE(weak, 13);
  }
}

TEST_F(PlayerStats, SpriteRowsPairByFacing) {
  const struct {
    Direction Facing;
    int Row;
  } rows[] = {{DirectionDown, 0}, {DirectionNone, 0}, {DirectionDownLeft, 2}, {DirectionDownRight, 2},
              {DirectionLeft, 4}, {DirectionRight, 4}, {DirectionUpLeft, 6},   {DirectionUpRight, 6},
              {DirectionUp, 8}};
  CCharacterPlayer p;
  for (const auto& r : rows) {
    p.direction = r.Facing;
    EXPECT_EQ(p.GetSpriteRow(), r.Row) << r.Facing;
  }
}

TEST_F(PlayerStats, HalfStatsForCrafting) {
  CCharacterPlayer p;
  p.dexterity = 15;
  p.intelligence = 9;
  EXPECT_EQ(p.GetHalfDex(), 7);
  EXPECT_EQ(p.GetHalfInt(), 4);
}

}  // namespace
