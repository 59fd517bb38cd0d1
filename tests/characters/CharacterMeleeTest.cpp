#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterTestSupport.h"
#include "platform/CEffect.h"
#include "platform/Random.h"

namespace {

using chartest::ActionFrames;
using chartest::RecordingCharacter;
using chartest::TickUntilChange;
using Said = std::vector<std::string>;

// A fighter whose abilities a test sets as plain numbers.
struct Fighter : RecordingCharacter {
  int GetOnHitPoisonChance() const override { return PoisonChance; }
  int GetCounterSlowChance() const override { return CounterSlowChance; }
  int GetGuardChance() const override { return GuardChance; }
  int GetHealOnHit() const override { return HealOnHit; }
  int GetDrainPercent() const override { return DrainPercent; }
  int GetDrainPercentExtra() const override { return RecoilPercent; }
  int GetHealWhenHitFlat() const override { return HealWhenHitFlat; }
  int GetHealWhenHitPercent() const override { return HealWhenHitPercent; }
  bool HasSpearAttack() const override { return Shape == 1; }
  bool HasBroadswordAttack() const override { return Shape == 2; }
  bool HasStaffAttack() const override { return Shape == 3; }
  void GainExp(std::int64_t amount) override { Gained += amount; }
  int PoisonChance = 0, CounterSlowChance = 0, GuardChance = 0;
  int HealOnHit = 0, DrainPercent = 0, RecoilPercent = 0, HealWhenHitFlat = 0, HealWhenHitPercent = 0;
  int Shape = 0;  // 1 spear, 2 broadsword, 3 staff
  int Gained = 0;
};

// The game generator's numbers from a seed, read in the order the game
// must draw them.
class Tape {
public:
  explicit Tape(std::uint32_t seed) {
    SeedRandom(seed);
    for (int& v : Values) v = Random();
    SeedRandom(seed);
  }
  int Next() { return Values.at(At++); }
  bool Chance(int percent) { return Next() % 100 < percent; }
  void Skip(int count) { At += count; }
  // The game has drawn exactly as many numbers as the tape has read.
  void ExpectInStep() { EXPECT_EQ(Random(), Next()) << "after " << At << " draws"; }

private:
  std::array<int, 128> Values{};
  int At = 0;
};

class CharacterMelee : public chartest::TurnFixture {
protected:
  Fighter* Fresh(int x, int y, Direction facing, int hp) {
    Fighter* f = Place<Fighter>(x, y);
    f->frames = ActionFrames();
    f->SetAnimation(AnimationIdle);
    f->direction = facing;
    f->hp = f->maxHp = hp;
    return f;
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) game_->Characters.UpdateAndPrune();
  }
};

TEST_F(CharacterMelee, ASeededExchangeTracedRollByRoll) {
  Fighter* a = Fresh(2, 2, DirectionDown, 40);
  Fighter* b = Fresh(2, 3, DirectionUp, 50);
  a->type = 260;
  a->exp = 12;
  a->attack = 20;
  a->criticalChance = 30;
  a->PoisonChance = 50;
  b->type = 300;
  b->defence = 5;
  b->GuardChance = 20;
  b->counterDamagePercent = 50;
  b->attack = 100;

  Tape tape(6);
  // A's blow: the spread, the hit, the critical, B's guard roll (a
  // critical is never guarded), then the 15 on-hit rolls in slot order,
  // POISON (slot 4) drawing its duration when it succeeds, teleport, fire.
  int damage = 20 * (80 + tape.Next() % 40) / 100;
  ASSERT_TRUE(tape.Chance(90));
  ASSERT_TRUE(tape.Chance(30));
  damage *= 2;
  tape.Skip(1);
  tape.Skip(4);
  ASSERT_TRUE(tape.Chance(50));
  const int poisonTurns = 8 + tape.Next() % 5;
  tape.Skip(10 + 2);
  tape.Skip(1);  // the number of blows, once the attack is left
  CCharacter armour;
  armour.defence = 5;
  const int taken = armour.CalcDamageTaken(0, damage, nullptr);

  a->SetAnimation(AnimationAttack);
  EXPECT_EQ(Holds(), 1);
  TickUntilChange(*a);
  TickUntilChange(*a);
  EXPECT_EQ(b->hp, 50 - taken);
  EXPECT_EQ(b->animEntry, AnimationHurt);
  EXPECT_EQ(b->lastAttacker, a);
  EXPECT_EQ(b->pendingStatus[4], poisonTurns);
  EXPECT_EQ(a->Said, (Said{"OnCritical"}));
  EXPECT_EQ(Holds(), 1);  // A's attack is over, B's hurt pose runs

  // B's hurt pose ends: its poison (the resistance roll), then its counter:
  // damage back to A (A's guard roll), the 15 counter rolls, teleport.
  tape.Skip(1);
  tape.Skip(1);
  tape.Skip(15 + 1);
  while (b->animEntry != AnimationIdle) Frames(1);
  EXPECT_EQ(b->status[static_cast<int>(StatusKind::Poison)], poisonTurns);
  EXPECT_EQ(b->pendingStatus[4], 0);
  EXPECT_EQ(b->Said, (Said{"popup POISON", "OnPoison"}));
  EXPECT_EQ(a->hp, 40 - (50 * taken + 99) / 100);
  EXPECT_EQ(a->animEntry, AnimationHurt);
  EXPECT_EQ(b->damageTaken, 0);
  EXPECT_EQ(Holds(), 1);
  Frames(6);
  EXPECT_EQ(a->animEntry, AnimationIdle);  // a counter is not countered back
  EXPECT_EQ(Holds(), 0);

  // B strikes back and kills: the spread, the hit, the critical, A's guard,
  // the on-hit rolls, then the number of blows.
  tape.Skip(1);
  ASSERT_TRUE(tape.Chance(90));
  tape.Skip(2 + 15 + 2 + 1);
  b->SetAnimation(AnimationAttack);
  TickUntilChange(*b);
  TickUntilChange(*b);
  EXPECT_EQ(a->hp, 0);
  EXPECT_EQ(a->causeOfDeath, 300);
  EXPECT_EQ(a->animEntry, AnimationDying);
  EXPECT_EQ(b->holdTicks, 10);  // the kill's hit-stop
  EXPECT_EQ(Holds(), 1);
  tape.ExpectInStep();

  // The dying chain ends: B collects A's experience, once, and A is gone.
  Frames(10);
  EXPECT_EQ(b->Gained, 12);
  EXPECT_EQ(game_->Characters.GetCount(), 1);
  EXPECT_EQ(floor_.GetCharacterAt(2, 2), nullptr);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(CharacterMelee, HealDrainAndRecoilAfterTheBlows) {
  struct Row {
    int Hp, HealOnHit, Drain, Recoil;
    int (*Expected)(int dealt);
  };
  // The attacker's maximum is 50; its blow deals 80 to 119 through no
  // defence. Recoil takes (recoil x dealt + 99) / 100, never the last point.
  const Row rows[] = {
      {30, 0, 0, 10, [](int d) { return 30 - (10 * d + 99) / 100; }},
      {10, 0, 10, 0, [](int d) { return 10 + (10 * d + 99) / 100; }},
      {30, 5, 50, 10, [](int) { return 50; }},
      {1, 0, 0, 10, [](int) { return 1; }},
      {3, 0, 0, 100, [](int) { return 1; }},
      {0, 0, 0, 10, [](int) { return 0; }},  // recoil brings nobody back
  };
  for (const Row& r : rows) {
    Fighter* a = Fresh(2, 2, DirectionDown, 50);
    Fighter* b = Fresh(2, 3, DirectionUp, 1000);
    a->hp = r.Hp;
    a->attack = 100;
    a->sureHit = 1;
    a->HealOnHit = r.HealOnHit;
    a->DrainPercent = r.Drain;
    a->RecoilPercent = r.Recoil;
    EXPECT_TRUE(a->PerformMeleeAttack());
    const int dealt = 1000 - b->hp;
    ASSERT_GE(dealt, 80);
    EXPECT_EQ(a->hp, r.Expected(dealt)) << r.Hp << " " << r.HealOnHit << " " << r.Drain << " " << r.Recoil;
    RemoveEveryone();
  }
}

TEST_F(CharacterMelee, WhomTheWeaponShapesReach) {
  struct Row {
    int Shape, Reach;
    Direction Facing;
    std::array<int, 2> Wall;                   // a wall put into the room ({0, 0} none)
    std::vector<std::array<int, 3>> Standing;  // x, y and hit points of those around
    std::vector<int> Struck;                   // indexes into Standing, in blow order
  };
  // The attacker stands on (3, 3) of the room (1, 1)-(5, 5).
  const Row rows[] = {
      {0, 0, DirectionDown, {0, 0}, {{3, 4, 5}, {3, 5, 5}}, {0}},
      {0, 0, DirectionDown, {0, 0}, {{3, 5, 5}}, {}},                 // out of reach
      {0, 0, DirectionDown, {0, 0}, {{3, 4, 0}}, {}},                 // the dead
      {0, 0, DirectionDownLeft, {2, 3}, {{2, 4, 5}}, {}},             // past a wall corner
      {0, 1, DirectionDownLeft, {2, 3}, {{2, 4, 5}}, {0}},            // ... with a straight reach
      {1, 0, DirectionDown, {0, 0}, {{3, 5, 5}, {3, 4, 5}}, {1, 0}},  // spear: nearer first
      {1, 0, DirectionDown, {3, 4}, {{3, 5, 5}}, {}},                 // not through a wall
      {2, 0, DirectionDown, {0, 0}, {{2, 4, 5}, {3, 4, 5}, {4, 4, 5}, {4, 3, 5}}, {2, 1, 0}},
      {2, 0, DirectionLeft, {0, 0}, {{2, 2, 5}, {2, 3, 5}, {2, 4, 5}}, {2, 1, 0}},
      {3, 0, DirectionRight, {0, 0}, {{4, 3, 0}, {5, 3, 5}}, {1}},    // staff: over the dead
      {3, 0, DirectionRight, {4, 3}, {{5, 3, 5}}, {}},                // stops at a wall
      {3, 0, DirectionUp, {0, 0}, {{3, 2, 5}, {3, 1, 5}}, {0}},       // the first one only
      {0, 0, DirectionNone, {0, 0}, {{3, 4, 5}}, {}},
  };
  for (const Row& r : rows) {
    floor_.terrain[CellIndex(r.Wall[0], r.Wall[1])] = 4;
    Fighter* a = Fresh(3, 3, r.Facing, 10);
    a->Shape = r.Shape;
    a->meleeReach = r.Reach;
    std::vector<CCharacter*> standing, expected, struck;
    for (const auto& who : r.Standing) {
      standing.push_back(Fresh(who[0], who[1], DirectionUp, 5));
      standing.back()->hp = who[2];
    }
    for (int i : r.Struck) expected.push_back(standing[static_cast<std::size_t>(i)]);
    for (int n = 0; CCharacter* t = a->GetMeleeTarget(n); ++n) struck.push_back(t);
    EXPECT_EQ(struck, expected) << "shape " << r.Shape << " facing " << r.Facing;
    RemoveEveryone();
    if (r.Wall[0] != 0) floor_.terrain[CellIndex(r.Wall[0], r.Wall[1])] = 0;
  }
}

TEST_F(CharacterMelee, TakingABlow) {
  struct Row {
    Direction AttackerFacing, DefenderFacing;
    AttackType Type;
    bool Strong, Asleep;
    int Damage, Defence, Hp;
    bool Guarded;
    AnimationEntry Pose;
  };
  // The defender always rolls its guard (chance 100 here).
  const Row rows[] = {
      {DirectionDown, DirectionUp, 0, false, false, 10, 0, 30, true, AnimationGuard},
      {DirectionDown, DirectionUpLeft, 12, false, false, 10, 0, 30, true, AnimationGuard},
      {DirectionDown, DirectionLeft, 0, false, false, 10, 0, 30, false, AnimationHurt},  // not facing it
      {DirectionDown, DirectionUp, 0, true, false, 10, 0, 30, false, AnimationHurt},     // a critical
      {DirectionDown, DirectionUp, 7, false, false, 10, 0, 30, false, AnimationHurt},    // magic
      {DirectionDown, DirectionUp, 0, false, true, 10, 0, 30, false, AnimationHurt},     // asleep
      {DirectionDown, DirectionUp, 9, false, false, 0, 0, 30, false, AnimationIdle},     // 0 gets through
      {DirectionDown, DirectionUp, 9, false, false, 30, 0, 30, false, AnimationDying},
      {DirectionLeft, DirectionRight, 3, false, false, -8, 0, 30, false, AnimationIdle}, // never a heal
  };
  for (const Row& r : rows) {
    Fighter* attacker = Fresh(2, 2, r.AttackerFacing, 10);
    Fighter* defender = Fresh(2, 3, r.DefenderFacing, r.Hp);
    attacker->type = 290;
    defender->GuardChance = 100;
    defender->defence = r.Defence;
    if (r.Asleep) defender->InflictSleep(5);
    defender->Said.clear();
    const int taken = defender->ReceiveAttack(r.Type, r.Strong, r.Damage, attacker);
    const std::string what = "type " + std::to_string(r.Type) + " damage " + std::to_string(r.Damage);
    EXPECT_EQ(defender->animEntry, r.Pose) << what;
    if (r.Guarded) {
      EXPECT_EQ(taken, 0) << what;
      EXPECT_EQ(defender->lastAttacker, nullptr) << what;
      EXPECT_EQ(defender->Said, (Said{"OnParry", "popup GUARD!"})) << what;
      EXPECT_EQ(defender->hp, r.Hp);
    } else {
      const int expected = std::max(r.Damage, 0);
      EXPECT_EQ(taken, expected) << what;
      EXPECT_EQ(defender->lastAttacker, attacker) << what;
      EXPECT_EQ(defender->damageTaken, expected) << what;
      EXPECT_EQ(defender->lastAttackType, r.Type) << what;
      EXPECT_EQ(defender->hp, std::max(r.Hp - expected, 0)) << what;
    }
    if (r.Pose == AnimationDying) {
      EXPECT_EQ(defender->causeOfDeath, 290);
      EXPECT_EQ(defender->Said, (Said{"OnDefeated"}));
      EXPECT_EQ(attacker->holdTicks, 10);
    }
    RemoveEveryone();
  }
}

TEST_F(CharacterMelee, HitsOnThePlayerShakeTheScreenAndStopTheAttacker) {
  CEffect* screen = GetScreenEffect();
  struct Row {
    bool Strong, Kills;
    int ShakeFrames, ShakeMaxY, HoldTicks;
  };
  const Row rows[] = {
      {false, false, 10, 2, 1},
      {true, false, 10, 10, 10},
      {false, true, 10, 10, 10},
      {true, true, 15, 10, 15},
  };
  for (const Row& r : rows) {
    screen->ShakeFrames = 0;
    auto* player = Place<CCharacterPlayer>(2, 3);
    player->frames = ActionFrames();
    player->hp = player->maxHp = 30;
    game_->Player = player;
    Fighter* monster = Fresh(2, 2, DirectionDown, 10);
    player->ReceiveAttack(0, r.Strong, r.Kills ? 50 : 5, monster);
    EXPECT_EQ(screen->ShakeFrames, r.ShakeFrames) << r.Strong << r.Kills;
    EXPECT_EQ(screen->ShakeMaxY, r.ShakeMaxY) << r.Strong << r.Kills;
    EXPECT_EQ(monster->holdTicks, r.HoldTicks) << r.Strong << r.Kills;
    game_->Player = nullptr;
    RemoveEveryone();
  }
  // Between monsters only a death shakes the screen.
  screen->ShakeFrames = 0;
  Fighter* one = Fresh(2, 2, DirectionDown, 10);
  Fighter* other = Fresh(2, 3, DirectionUp, 10);
  other->ReceiveAttack(0, false, 5, one);
  EXPECT_EQ(screen->ShakeFrames, 0);
  EXPECT_EQ(one->holdTicks, 0);
}

TEST_F(CharacterMelee, CountersAnswerOnlyPlainBlows) {
  for (AttackType type : {0, 1, 3}) {
    Fighter* attacker = Fresh(2, 2, DirectionDown, 40);
    Fighter* defender = Fresh(2, 3, DirectionUp, 20);
    defender->maxHp = 100;
    defender->counterDamagePercent = 50;
    defender->CounterSlowChance = 100;
    defender->HealWhenHitPercent = 20;
    defender->HealWhenHitFlat = 3;
    defender->ReceiveAttack(type, false, 9, attacker);  // 20 -> 11
    defender->ApplyCounterEffects();
    const bool answered = type == 0;
    // (50 x 9 + 99) / 100 = 5 back as counter damage; (20 x 9 + 99) / 100 =
    // 2 healed when hit, and the flat 3 whatever the blow.
    EXPECT_EQ(attacker->hp, answered ? 35 : 40) << type;
    EXPECT_EQ(attacker->lastAttackType, answered ? 3 : 0) << type;
    EXPECT_EQ(attacker->IsSlow(), answered) << type;
    EXPECT_EQ(defender->hp, answered ? 16 : 14) << type;
    EXPECT_EQ(defender->damageTaken, 0) << type;
    // Counter damage is type 3: the attacker's own counters stay quiet.
    attacker->counterDamagePercent = 100;
    attacker->ApplyCounterEffects();
    EXPECT_EQ(defender->hp, answered ? 16 : 14) << type;
    RemoveEveryone();
  }
}

TEST_F(CharacterMelee, ExperienceIsPaidOnceForTheDead) {
  Fighter* victor = Fresh(2, 2, DirectionDown, 10);
  Fighter* monster = Fresh(2, 3, DirectionUp, 10);
  monster->exp = 9;
  victor->CollectExp(monster);  // still alive
  EXPECT_EQ(victor->Gained, 0);
  monster->hp = 0;
  victor->CollectExp(monster);
  victor->CollectExp(monster);
  victor->CollectExp(nullptr);
  EXPECT_EQ(victor->Gained, 9);
  EXPECT_EQ(monster->exp, 0);

  // The player keeps its own total when it is the one defeated.
  auto* player = Place<CCharacterPlayer>(4, 4);
  game_->Player = player;
  player->exp = 30;
  player->hp = 0;
  victor->CollectExp(player);
  EXPECT_EQ(victor->Gained, 39);
  EXPECT_EQ(player->exp, 30);
  game_->Player = nullptr;
}

}  // namespace
