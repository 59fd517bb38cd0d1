#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "characters/CCharacter.h"
#include "characters/CharacterTestSupport.h"
#include "platform/Random.h"

namespace {

using chartest::Frames;
using chartest::RecordingCharacter;
using Said = std::vector<std::string>;

int Counter(const CCharacter& c, StatusKind kind) { return c.status[static_cast<int>(kind)]; }

TEST(CharacterStatus, CounterTakesLongerAndEndlessRequests) {
  struct Row {
    int Current, Request, Expected;
  };
  const Row rows[] = {
      {0, 5, 5},   {5, 3, 5},   {5, 8, 8},   {5, 0, 5},  {0, 0, 0},
      {-1, 5, -1}, {-1, -2, -2}, {5, -1, -1}, {StatusForever, 5, StatusForever},
  };
  for (const Row& r : rows) {
    CCharacter c;
    c.status[static_cast<int>(StatusKind::Quick)] = r.Current;
    c.InflictQuick(r.Request);
    EXPECT_EQ(Counter(c, StatusKind::Quick), r.Expected) << r.Current << " <- " << r.Request;
  }
}

TEST(CharacterStatus, InflictsShowTheirCaptionsAndHooks) {
  struct Row {
    StatusKind Kind;
    void (CCharacter::*Inflict)(int);
    Said Plain;   // without resistance
    bool CanResist;
  };
  const Row rows[] = {
      {StatusKind::Quick, &CCharacter::InflictQuick, {"popup QUICK", "OnQuick"}, false},
      {StatusKind::Slow, &CCharacter::InflictSlow, {"popup SLOW", "OnSlow"}, true},
      {StatusKind::Sleep, &CCharacter::InflictSleep, {"popup SLEEP", "OnSleep"}, true},
      {StatusKind::Confuse, &CCharacter::InflictConfuse, {"popup CONFUSE", "OnConfuse"}, true},
      {StatusKind::Poison, &CCharacter::InflictPoison, {"popup POISON", "OnPoison"}, true},
      {StatusKind::Paralyze, &CCharacter::InflictParalyze, {"popup PARALYZE", "OnParalyze"}, true},
      {StatusKind::Berserk, &CCharacter::InflictBerserk, {"popup BERSERK"}, true},
      {StatusKind::Invisible, &CCharacter::InflictInvisible, {"popup INVISIBLE"}, false},
      {StatusKind::Hold, &CCharacter::InflictHold, {}, false},
      {StatusKind::Dormant, &CCharacter::InflictDormant, {}, false},
      {StatusKind::Disguise, &CCharacter::InflictDisguise, {}, false},
      {StatusKind::Status11, &CCharacter::InflictStatus11, {}, true},
      {StatusKind::Invincible, &CCharacter::InflictInvincible, {"popup INVINCIBLE"}, false},
      {StatusKind::Status13, &CCharacter::InflictStatus13, {}, false},
      {StatusKind::Status14, &CCharacter::InflictStatus14, {}, false},
      {StatusKind::Weakness, &CCharacter::InflictWeakness, {"popup WEAKNESS", "OnWeaken"}, true},
      {StatusKind::DoubleAttack, &CCharacter::InflictDoubleAttack, {}, false},
      {StatusKind::Resistance, &CCharacter::InflictResistance, {"popup RESISTANCE"}, false},
      {StatusKind::StrUp, &CCharacter::InflictStrUp, {}, false},
      {StatusKind::DefUp, &CCharacter::InflictDefUp, {}, false},
      {StatusKind::DexUp, &CCharacter::InflictDexUp, {}, false},
      {StatusKind::IntUp, &CCharacter::InflictIntUp, {"popup INT UP!"}, false},
  };
  for (const Row& r : rows) {
    RecordingCharacter plain;
    (plain.*r.Inflict)(7);
    EXPECT_EQ(plain.Said, r.Plain) << static_cast<int>(r.Kind);
    EXPECT_EQ(Counter(plain, r.Kind), 7) << static_cast<int>(r.Kind);

    // Full resistance refuses exactly the kinds that roll for it.
    RecordingCharacter resistant;
    resistant.status[static_cast<int>(StatusKind::Resistance)] = 50;
    (resistant.*r.Inflict)(7);
    if (r.Kind == StatusKind::Resistance) continue;
    const Said refused = {"popup RESIST!", "OnResist"};
    EXPECT_EQ(resistant.Said, r.CanResist ? refused : r.Plain) << static_cast<int>(r.Kind);
    EXPECT_EQ(Counter(resistant, r.Kind), r.CanResist ? 0 : 7) << static_cast<int>(r.Kind);
  }
}

TEST(CharacterStatus, SleepAndParalysisStopTheLivingInTheirPose) {
  for (auto inflict : {&CCharacter::InflictSleep, &CCharacter::InflictParalyze}) {
    CCharacter awake, dead;
    awake.frames = dead.frames = Frames(30, 4);
    awake.hp = 5;
    awake.SetAnimation(20);
    dead.SetAnimation(20);
    (awake.*inflict)(3);
    (dead.*inflict)(3);
    EXPECT_EQ(awake.animEntry, AnimationIdle);
    EXPECT_EQ(dead.animEntry, 20);
  }
}

TEST(CharacterStatus, DefaultDurations) {
  struct Row {
    int (CCharacter::*Duration)() const;
    int Low, High;
  };
  const Row rows[] = {
      {&CCharacter::GetQuickDuration, 15, 15},
      {&CCharacter::GetSlowDuration, 15, 15},
      {&CCharacter::GetSleepDuration, 20, 30},
      {&CCharacter::GetConfuseDuration, 15, 20},
      {&CCharacter::GetPoisonDuration, 8, 12},
      {&CCharacter::GetParalyzeDuration, 5, 10},
      {&CCharacter::GetBerserkDuration, 20, 25},
      {&CCharacter::GetInvisibleDuration, 10, 20},
      {&CCharacter::GetHoldDuration, StatusForever, StatusForever},
      {&CCharacter::GetDormantDuration, StatusForever, StatusForever},
      {&CCharacter::GetDisguiseDuration, StatusForever, StatusForever},
      {&CCharacter::GetStatus11Duration, 10, 10},
      {&CCharacter::GetInvincibleDuration, 30, 30},
      {&CCharacter::GetStatus13Duration, StatusForever, StatusForever},
      {&CCharacter::GetStatus14Duration, StatusForever, StatusForever},
      {&CCharacter::GetWeaknessDuration, -1, -1},
  };
  CCharacter c;
  SeedRandom(3);
  for (const Row& r : rows) {
    int low = (c.*r.Duration)(), high = low;
    for (int i = 0; i < 500; ++i) {
      const int d = (c.*r.Duration)();
      low = std::min(low, d);
      high = std::max(high, d);
    }
    EXPECT_EQ(low, r.Low);
    EXPECT_EQ(high, r.High);
  }
  c.InflictWeaknessRandom();
  c.InflictHoldRandom();
  EXPECT_EQ(Counter(c, StatusKind::Weakness), -1);
  EXPECT_EQ(Counter(c, StatusKind::Hold), StatusForever);
}

TEST(CharacterStatus, ClearsTestsAndCures) {
  CCharacter c;
  for (int& s : c.status) s = -1;
  c.regenAmount = 4;
  EXPECT_TRUE(c.IsWeakness());
  EXPECT_TRUE(c.IsIntUp());
  c.CureBadStatuses();
  const int cured[] = {1, 2, 3, 4, 5, 6, 11, 14, 15};
  for (int k = 0; k < StatusKindCount; ++k) {
    const bool isCured = std::find(std::begin(cured), std::end(cured), k) != std::end(cured);
    EXPECT_EQ(c.status[k], isCured ? 0 : -1) << k;
  }
  c.ClearRegenerate();
  EXPECT_FALSE(c.IsRegenerate());
  EXPECT_EQ(c.regenAmount, 4);
  c.ClearAllStatuses();
  for (int k = 0; k < StatusKindCount; ++k) EXPECT_EQ(c.status[k], 0) << k;
  c.SetRegenerate(3, 9);
  c.SetRegenerate(2, 5);  // set as asked, even shorter
  EXPECT_EQ(Counter(c, StatusKind::Regenerate), 2);
  EXPECT_EQ(c.regenAmount, 5);
}

TEST(CharacterStatus, DeathCurseWithAndWithoutACaster) {
  RecordingCharacter victim;
  victim.frames = Frames(90, 5);
  victim.hp = 40;
  victim.causeOfDeath = 403;
  victim.InflictDeath();  // a trap: nobody to name
  EXPECT_EQ(victim.hp, 0);
  EXPECT_EQ(victim.causeOfDeath, 403);
  EXPECT_EQ(victim.animEntry, AnimationDying);
  EXPECT_EQ(victim.Said, (Said{"popup DEATH!", "OnDefeated"}));

  CCharacter caster;
  caster.type = 340;
  RecordingCharacter cursed;
  cursed.hp = 40;
  cursed.lastAttacker = &caster;
  cursed.InflictDeath();
  EXPECT_EQ(cursed.causeOfDeath, 340);

  struct Warded : RecordingCharacter {
    int GetDeathResistance() const override { return 100; }
  } warded;
  warded.hp = 40;
  warded.InflictDeath();
  EXPECT_EQ(warded.hp, 40);
  EXPECT_EQ(warded.Said, (Said{"popup RESIST!", "OnResistDeath"}));
}

TEST(CharacterRolls, EveryRollDrawsOnceAndADurationOnlyOnSuccess) {
  struct Sure : CCharacter {
    int GetOnHitParalyzeChance() const override { return 100; }
    int GetMissileParalyzeChance() const override { return 100; }
    int GetCounterParalyzeChance() const override { return 100; }
    int GetOnHitSleepChance() const override { return 100; }
    int GetCounterTeleportChance() const override { return 100; }
  } sure;
  SeedRandom(11);
  EXPECT_EQ(sure.RollOnHitParalyze(), 2);
  EXPECT_EQ(sure.RollMissileParalyze(), 2);
  // The counter gives the default duration, drawn after the roll.
  SeedRandom(11);
  Random();
  const int expected = 5 + Random() % 6;
  SeedRandom(11);
  EXPECT_EQ(sure.RollCounterParalyze(), expected);
  const int sleep = sure.RollOnHitSleep();
  EXPECT_GE(sleep, 20);
  EXPECT_LE(sleep, 30);
  EXPECT_TRUE(sure.RollCounterTeleport());

  CCharacter none;
  SeedRandom(11);
  EXPECT_EQ(none.RollOnHitQuick(), 0);
  EXPECT_EQ(none.RollMissileWeakness(), 0);
  EXPECT_FALSE(none.RollOnHitTeleport());
  const int fourth = Random();
  SeedRandom(11);
  for (int i = 0; i < 3; ++i) Random();
  EXPECT_EQ(fourth, Random());
}

TEST(CharacterRolls, DamageSpreadsFrom80To120Percent) {
  CCharacter c;
  SeedRandom(9);
  int low = 1000, high = 0;
  for (int i = 0; i < 2000; ++i) {
    const int d = c.RollDamage(100);
    low = std::min(low, d);
    high = std::max(high, d);
  }
  EXPECT_EQ(low, 80);
  EXPECT_EQ(high, 120);
  const int big = c.RollDamage(2000000000);
  EXPECT_GE(big, 1600000000);
  EXPECT_EQ(c.RollOnHitFireDamage(), 0);
}

TEST(CharacterCombat, DamageTakenAfterDefenceAndCuts) {
  struct Row {
    AttackType Type;
    int Damage, Defence, MagicCut;
    bool DefUp, Invincible;
    int Expected;
  };
  const Row rows[] = {
      {0, 20, 0, 0, false, false, 20},    {0, 20, 5, 0, false, false, 16},
      {1, 20, 10, 0, false, false, 13},   {2, 20, 30, 0, false, false, 6},
      {12, 100, 20, 0, false, false, 43}, {0, 1, 1000, 0, false, false, 1},
      {0, 20, 1000, 0, false, false, 2},  {0, 2, 1000, 0, false, false, 2},
      {3, 20, 30, 50, false, false, 20},  // counter damage: no defence, no cut
      {9, 10, 30, 50, false, false, 5},   {7, 10, 0, 50, false, false, 5},
      {4, 10, 0, -100, false, false, 20}, {9, 10, 0, 150, false, false, 0},
      {0, 7, 0, 0, true, false, 3},       {0, 7, 0, 0, true, true, 0},
      {0, -5, 0, 0, false, false, 0},     {9, 2000000000, 0, -100, false, false, 2147483647},
  };
  for (const Row& r : rows) {
    CCharacter c;
    c.defence = r.Defence;
    c.magicDamageCut = r.MagicCut;
    if (r.DefUp) c.InflictDefUp(3);
    if (r.Invincible) c.InflictInvincible(3);
    EXPECT_EQ(c.CalcDamageTaken(r.Type, r.Damage, nullptr), r.Expected)
        << "type " << r.Type << " damage " << r.Damage << " defence " << r.Defence;
  }
  // Fire kinds add the fire cut to the magic cut.
  struct FireProof : CCharacter {
    int GetFireDamageCut() const override { return 30; }
  } fireProof;
  fireProof.magicDamageCut = 20;
  EXPECT_EQ(fireProof.CalcDamageTaken(5, 100, nullptr), 50);
  EXPECT_EQ(fireProof.CalcDamageTaken(7, 100, nullptr), 80);
}

TEST(CharacterCombat, HitRolls) {
  CCharacter defender, attacker;
  attacker.sureHit = 1;
  defender.evasion = 100;
  for (AttackType always : {4, 6, 8, 9, 10, 11}) EXPECT_TRUE(defender.RollHit(always, &attacker)) << always;
  EXPECT_TRUE(defender.RollHit(0, &attacker));
  EXPECT_FALSE(defender.RollHit(2, &attacker));  // type 2 rolls even for a sure hit
  // Accuracy 100 against evasion 10: the number modulo 100 below 90 hits.
  CCharacter plain;
  attacker.sureHit = 0;
  SeedRandom(21);
  for (int i = 0; i < 50; ++i) {
    SeedRandom(21 + i);
    const bool expected = Random() % 100 < 90;
    SeedRandom(21 + i);
    EXPECT_EQ(plain.RollHit(1, &attacker), expected);
  }
}

}  // namespace
