// The families' constants, their small rolls and their drops.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "monsters/MonsterTestSupport.h"
#include "platform/Random.h"

namespace {

using monstertest::AnyEnemy;

int Chance(const CCharacterEnemy& m, StatusKind kind) {
  switch (kind) {
    case StatusKind::Slow: return m.GetOnHitSlowChance();
    case StatusKind::Confuse: return m.GetOnHitConfuseChance();
    case StatusKind::Poison: return m.GetOnHitPoisonChance();
    case StatusKind::Paralyze: return m.GetOnHitParalyzeChance();
    case StatusKind::Weakness: return m.GetOnHitWeaknessChance();
    default: return -1;
  }
}

TEST(MonsterHooks, FamiliesSwitchOnTheSharedRules) {
  struct Row {
    CharacterType Type;
    bool Poisonous, Dragon;
    int FireCut, StatusResistance, DeathResistance, Guard, Critical, CounterDamage, RandomMove;
    StatusKind OnHit;
    int OnHitChance;
  };
  const StatusKind None = StatusKind::Quick;
  const Row rows[] = {
      {256, false, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                 // Slime 1
      {257, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Slow, 30},     // Slime 2
      {258, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Slow, 40},
      {259, false, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                 // Rat
      {265, true, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                  // Mushroom
      {268, false, false, 0, 0, 0, 0, 0, 0, 50, None, 0},                // Bat
      {277, true, true, 0, 0, 0, 0, 0, 0, 0, StatusKind::Poison, 30},    // Snake
      {279, true, true, 0, 0, 0, 0, 0, 0, 0, StatusKind::Poison, 50},
      {290, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Confuse, 25},  // Imp 2
      {294, true, false, -100, 0, 0, 0, 0, 0, 0, StatusKind::Weakness, 40},  // Zombie 3
      {304, true, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                  // Spider
      {310, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Poison, 0},    // Bee 1
      {311, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Poison, 30},
      {312, true, false, 0, 0, 0, 0, 0, 0, 0, StatusKind::Paralyze, 50},
      {313, false, false, 0, 0, 0, 30, 0, 0, 0, None, 0},                // LivingArmor
      {325, false, false, 0, 0, 0, 0, 30, 0, 0, None, 0},                // Samurai
      {328, false, false, 0, 100, 0, 0, 0, 0, 0, None, 0},               // Gorem
      {334, true, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                  // Vampire
      {337, true, false, 0, 0, 0, 0, 0, 0, 0, None, 0},                  // Gorgon
      {343, false, true, 0, 0, 0, 0, 0, 0, 0, None, 0},                  // Dragon
      {352, false, false, 0, 0, 0, 0, 0, 20, 0, None, 0},                // Doll
      {355, false, false, 100, 0, 0, 0, 0, 0, 0, None, 0},               // Pyrolisk
      {367, false, false, 0, 100, 100, 0, 0, 0, 0, None, 0},             // Alchemist
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Type);
    AnyEnemy m(r.Type);
    EXPECT_EQ(m.IsPoisonous(), r.Poisonous);
    EXPECT_EQ(m.IsDragon(), r.Dragon);
    EXPECT_EQ(m.GetFireDamageCut(), r.FireCut);
    EXPECT_EQ(m.GetStatusResistance(), r.StatusResistance);
    EXPECT_EQ(m.GetDeathResistance(), r.DeathResistance);
    EXPECT_EQ(m.GetGuardChance(), r.Guard);
    EXPECT_EQ(m.GetCriticalChance(), r.Critical);
    EXPECT_EQ(m.GetCounterDamagePercent(), r.CounterDamage);
    EXPECT_EQ(m.GetRandomMoveChance(), r.RandomMove);
    if (r.OnHit != None) {
      EXPECT_EQ(Chance(m, r.OnHit), r.OnHitChance);
    }
    EXPECT_EQ(m.IsDoubleAttack(), r.Type >= 301 && r.Type <= 303);
  }
  // Only the Werewolf always strikes twice; the others while the status runs.
  AnyEnemy werewolf(302), rat(259);
  EXPECT_EQ(werewolf.GetDoubleAttackChance(), 100);
  EXPECT_EQ(rat.GetDoubleAttackChance(), 0);
  rat.InflictDoubleAttack(3);
  EXPECT_EQ(rat.GetDoubleAttackChance(), 100);
  // The base answers stay where a family sets nothing.
  rat.criticalChance = 12;
  rat.InflictResistance(3);
  EXPECT_EQ(rat.GetCriticalChance(), 12);
  EXPECT_EQ(rat.GetStatusResistance(), 100);
  // Fire hurts a Zombie twice as much and a Pyrolisk not at all.
  AnyEnemy zombie(292), pyrolisk(355);
  EXPECT_EQ(zombie.CalcDamageTaken(5, 10, nullptr), 20);
  EXPECT_EQ(pyrolisk.CalcDamageTaken(5, 10, nullptr), 0);
  // Summons and sleep.
  EXPECT_EQ(AnyEnemy(358).GetSummonType(), 292);
  EXPECT_EQ(AnyEnemy(360).GetSummonType(), 294);
  EXPECT_EQ(rat.GetSummonType(), -1);
  EXPECT_EQ(rat.GetSleepDuration(), -1);
}

class MonsterRolls : public monstertest::MonsterFixture {};

TEST_F(MonsterRolls, SmallRollsOfTheLaterFamilies) {
  // A Bee's sting never paralyses a paralysed player, but draws all the same.
  monstertest::TestPlayer* player = PlacePlayer(1, 1);
  AnyEnemy bee(312);  // 50 %
  int stung = 0, spared = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed);
    Random();
    const int second = Random();
    SeedRandom(seed);
    const int free = bee.RollOnHitParalyze();
    player->status[static_cast<int>(StatusKind::Paralyze)] = 3;
    SeedRandom(seed);
    const int held = bee.RollOnHitParalyze();
    EXPECT_EQ(Random(), second);
    player->status[static_cast<int>(StatusKind::Paralyze)] = 0;
    EXPECT_EQ(held, 0);
    EXPECT_TRUE(free == 0 || free == 2);
    (free ? stung : spared)++;
  }
  EXPECT_NEAR(stung, 100, 25);

  // A Zombie's weakening lasts 10-14 turns.
  AnyEnemy zombie(294);
  std::map<int, int> lengths;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SeedRandom(seed);
    ++lengths[zombie.RollOnHitWeakness()];
  }
  for (const auto& [turns, n] : lengths) EXPECT_TRUE(turns == 0 || (turns >= 10 && turns <= 14)) << turns;
  EXPECT_EQ(lengths.size(), 6u);

  // The Eye paralyses whoever hits it, without a roll.
  SeedRandom(7);
  const int first = Random();
  for (CharacterType type : {349, 350, 351}) {
    SeedRandom(7);
    EXPECT_EQ(AnyEnemy(type).RollCounterParalyze(), 4 + (type - 349));
    EXPECT_EQ(Random(), first);
  }

  // The casters' magic: 80 to 120 % of the magic value, halved while weakened.
  AnyEnemy ghost(288);
  ghost.intelligence = 40;
  int low = 1000, high = 0;
  for (int i = 0; i < 400; ++i) {
    const int d = ghost.CalcMagicDamage();
    low = std::min(low, d);
    high = std::max(high, d);
  }
  EXPECT_EQ(low, 32);
  EXPECT_EQ(high, 48);
  ghost.InflictWeakness(-1);
  for (int i = 0; i < 50; ++i) EXPECT_LE(ghost.CalcMagicDamage(), 24);

  // The Gargoyle waits near the player while unhurt.
  AnyEnemy gargoyle(331);
  gargoyle.hp = gargoyle.maxHp = 50;
  EXPECT_TRUE(gargoyle.HoldsStillNearPlayer());
  gargoyle.hp = 49;
  EXPECT_FALSE(gargoyle.HoldsStillNearPlayer());
  EXPECT_FALSE(AnyEnemy(259).HoldsStillNearPlayer());
}

TEST(MonsterRotation, TurnsByEighthsBothWays) {
  EXPECT_EQ(RotateDirection(DirectionDown, 1), DirectionDownLeft);
  EXPECT_EQ(RotateDirection(DirectionUpLeft, -1), DirectionLeft);
  EXPECT_EQ(RotateDirection(DirectionLeft, 1), DirectionUpLeft);
  EXPECT_EQ(RotateDirection(DirectionUp, 4), DirectionDown);
  EXPECT_EQ(RotateDirection(DirectionRight, -10), DirectionUp);
  EXPECT_EQ(RotateDirection(DirectionRight, -2147483647 - 1), DirectionRight);
  // Off the ring counts as up-left.
  EXPECT_EQ(RotateDirection(DirectionNone, 1), DirectionUp);
  EXPECT_EQ(RotateDirection(3, 0), DirectionUpLeft);
}

// ---- Drops

std::map<ItemId, int> DropCounts(CharacterType type, int rolls) {
  AnyEnemy m(type);
  std::map<ItemId, int> counts;
  SeedRandom(12345);
  for (int i = 0; i < rolls; ++i) ++counts[m.RollDropItem()];
  return counts;
}

TEST(MonsterDrops, ChainsStopAtTheFirstSuccess) {
  constexpr int Rolls = 20000;
  // The Kobold: cobalt 5 %, leather 9.5 %, meat 8.55 %, nothing 76.95 %.
  auto kobold = DropCounts(262, Rolls);
  EXPECT_NEAR(kobold[0x81a], Rolls * 0.05, Rolls * 0.01);
  EXPECT_NEAR(kobold[0x823], Rolls * 0.095, Rolls * 0.01);
  EXPECT_NEAR(kobold[0x700], Rolls * 0.0855, Rolls * 0.01);
  EXPECT_NEAR(kobold[-1], Rolls * 0.7695, Rolls * 0.015);
  EXPECT_EQ(kobold.size(), 4u);

  struct Row {
    CharacterType Type;
    std::map<ItemId, double> Shares;  // besides nothing
  };
  const Row rows[] = {
      {256, {{0x700, 0.10}}},                                      // the default
      {265, {{0x816, 0.10}}},                                      // Mushroom
      {280, {{0x80f, 0.10}}},                                      // ManaEater 1: only mana stones
      {282, {{0x804, 0.02}, {0x803, 0.0294}, {0x802, 0.0570}}},    // ManaEater 3: ores
      {283, {}},                                                   // Skeleton
      {328, {}},                                                   // Gorem 1
      {329, {{0x800, 0.10}}},                                      // Gorem 2
      {331, {{0x800, 0.10}}},                                      // Gargoyle 1
      {332, {}},                                                   // Gargoyle 2
      {352, {{0x817, 0.10}, {0x818, 0.045}}},                      // Doll
      {364, {{0x811, 0.05}, {0x810, 0.0475}, {0x819, 0.0271}}},    // Treant
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Type);
    auto counts = DropCounts(r.Type, Rolls);
    counts.erase(-1);
    EXPECT_EQ(counts.size(), r.Shares.size());
    for (const auto& [item, share] : r.Shares) EXPECT_NEAR(counts[item], Rolls * share, Rolls * 0.01) << item;
  }
}

TEST(MonsterDrops, TheAlchemistDropsItsCrystalWithoutADraw) {
  SeedRandom(99);
  const int next = Random();
  SeedRandom(99);
  EXPECT_EQ(AnyEnemy(367).RollDropItem(), 0xd05);
  EXPECT_EQ(Random(), next);
}

TEST(MonsterDrops, OneDrawPerRollInChainOrder) {
  // A seed whose first number fails the cobalt roll and whose second
  // passes the leather roll gives leather after exactly two draws.
  for (std::uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    const int a = Random(), b = Random(), c = Random();
    if (a % 100 < 5 || b % 100 >= 10) continue;
    SeedRandom(seed);
    EXPECT_EQ(AnyEnemy(262).RollDropItem(), 0x823);
    EXPECT_EQ(Random(), c);
    break;
  }
}

}  // namespace
