// Monsters moved along the level curves. The expected numbers were worked
// out from the curves by a separate calculation, not by the game's code.
#include <gtest/gtest.h>

#include <memory>

#include "characters/CharacterFactory.h"
#include "characters/ExpTable.h"
#include "monsters/MonsterTestSupport.h"

namespace {

using monstertest::AnyEnemy;

struct Stats {
  int Level, MaxHp, Hp, Attack, Second, Defence, Magic;
  std::int64_t Exp;
  bool operator==(const Stats&) const = default;
};

Stats Of(const CCharacter& c) {
  return {c.level, c.maxHp, c.hp, c.attack, c.strength, c.defence, c.intelligence, c.exp};
}

void PrintTo(const Stats& s, std::ostream* os) {
  *os << "L" << s.Level << " HP " << s.Hp << "/" << s.MaxHp << " ATK " << s.Attack << "/" << s.Second << " DEF "
      << s.Defence << " MAG " << s.Magic << " EXP " << s.Exp;
}

std::unique_ptr<AnyEnemy> With(const Stats& s) {
  auto m = std::make_unique<AnyEnemy>(256);
  m->level = s.Level;
  m->maxHp = s.MaxHp;
  m->hp = s.Hp;
  m->attack = s.Attack;
  m->strength = s.Second;
  m->defence = s.Defence;
  m->intelligence = s.Magic;
  m->exp = s.Exp;
  return m;
}

std::unique_ptr<CCharacterEnemy> Make(CharacterType type) {
  return std::unique_ptr<CCharacterEnemy>(static_cast<CCharacterEnemy*>(CreateCharacter(type)));
}

TEST(EnemyLevel, RescalesAlongTheCurves) {
  struct Row {
    CharacterType Type;
    int To;
    Stats Expected;
  };
  const Row rows[] = {
      {259, 10, {10, 56, 56, 27, 0, 19, 0, 30}},          // Rat 1 up
      {259, 99, {99, 471, 471, 1600, 0, 49, 0, 33205554}},  // to the top
      {275, 5, {5, 26, 26, 16, 16, 12, 0, 8}},            // Goblin 2 down, arrows too
      {275, 31, {31, 126, 126, 196, 196, 38, 0, 1470}},   // across both breaks
      {258, 30, {30, 98, 98, 123, 0, 48, 0, 1020}},       // Slime 3 to 30, then 31
      {258, 31, {31, 101, 101, 126, 0, 48, 0, 1190}},
  };
  for (const Row& r : rows) {
    auto m = Make(r.Type);
    m->SetLevel(r.To);
    EXPECT_EQ(Of(*m), r.Expected) << r.Type << " to " << r.To;
  }
  // Step by step is not the same as at once: the toughness of level 30 and
  // of 31 sit on different pieces of the curve.
  auto slime = Make(258);
  slime->SetLevel(30);
  slime->SetLevel(31);
  EXPECT_EQ(Of(*slime), (Stats{31, 101, 101, 126, 0, 49, 0, 1190}));
  slime = Make(258);
  slime->SetLevel(31);
  slime->SetLevel(30);
  EXPECT_EQ(Of(*slime), (Stats{30, 97, 97, 122, 0, 48, 0, 1020}));

  // Magic follows its line.
  auto ghost = With({10, 50, 50, 15, 0, 15, 17, 28});
  ghost->SetLevel(20);
  EXPECT_EQ(Of(*ghost), (Stats{20, 91, 91, 42, 0, 26, 27, 242}));
}

// Experience x threshold(new) / threshold(old), in that order: dividing the
// thresholds first lands just below a whole number in these rows.
TEST(EnemyLevel, ExperienceScalesByTheProductFirst) {
  struct Row {
    CharacterType Type;
    int From, To;
    std::int64_t Exp;
  };
  const Row rows[] = {
      {293, 19, 10, 30},             // Zombie2: 220 x 300 / 2200
      {293, 19, 7, 14},              //          220 x 140 / 2200
      {293, 19, 19, 220},            // its own level
      {305, 16, 20, 247},            // Spider2: 114 x 2600 / 1200
      {360, 35, 18, 108},            // Necromancer3: 1500 x 1800 / 25000
      {330, 26, 52, 13924},          // Gorem3, past the table's end
      {278, 15, 99, 33205554},       // Snake2 to the top
      {367, 36, 66, 1007130},        // Alchemist1
  };
  for (const Row& r : rows) {
    auto m = Make(r.Type);
    ASSERT_EQ(m->level, r.From) << r.Type;
    m->SetLevel(r.To);
    EXPECT_EQ(m->exp, r.Exp) << r.Type << " from " << r.From << " to " << r.To;
  }
}

TEST(EnemyLevel, TheWorkedExampleAndTheEdges) {
  // Level 1 to 2: defence rises while attack stays.
  auto m = With({1, 10, 10, 5, 0, 0, 0, 2});
  m->SetLevel(2);
  EXPECT_EQ(Of(*m), (Stats{2, 13, 13, 5, 0, 2, 0, 4}));

  // A wounded monster keeps its share, rounded down.
  auto wounded = With({2, 10, 7, 5, 0, 0, 0, 2});
  wounded->SetLevel(2);
  EXPECT_EQ(Of(*wounded), (Stats{2, 10, 7, 5, 0, 0, 0, 2}));
  wounded->SetLevel(7);
  EXPECT_EQ(Of(*wounded), (Stats{7, 22, 15, 11, 0, 9, 0, 14}));

  // Its own level changes nothing, for every class.
  for (CharacterType type = 256; type <= 336; ++type) {
    auto own = Make(type);
    const Stats before = Of(*own);
    own->SetLevel(own->level);
    EXPECT_EQ(Of(*own), before) << type;
  }
  // ... but an experience below 1 still becomes 1.
  auto poor = With({5, 10, 10, 5, 0, 0, 0, 0});
  poor->SetLevel(5);
  EXPECT_EQ(poor->exp, 1);
}

TEST(EnemyLevel, LevelsStayWithin1To99AndZeroDivisorsScaleNothing) {
  auto low = Make(259), one = Make(259), high = Make(259), top = Make(259);
  low->SetLevel(0);
  one->SetLevel(1);
  high->SetLevel(150);
  top->SetLevel(99);
  EXPECT_EQ(Of(*low), Of(*one));
  EXPECT_EQ(Of(*high), Of(*top));

  // No maximum HP: nothing to keep a share of.
  auto empty = With({3, 0, 5, 10, 0, 4, 0, 6});
  empty->SetLevel(8);
  EXPECT_EQ(empty->maxHp, 0);
  EXPECT_EQ(empty->hp, 5);
  EXPECT_EQ(empty->defence, 0);
  // From level 0 (a damaged record) the experience has no threshold to go by.
  auto zero = With({0, 10, 10, 5, 0, 0, 0, 7});
  zero->SetLevel(4);
  EXPECT_EQ(zero->level, 4);
  EXPECT_EQ(zero->exp, 7);
  // From level -2 the HP line has no divisor; from -6 the attack curve none.
  auto negative = With({-6, 10, 10, 5, 0, 0, 0, 7});
  negative->SetLevel(4);
  EXPECT_EQ(negative->attack, 5);
  EXPECT_EQ(negative->level, 4);
}

TEST(EnemyLevel, LevelUpAndDownStopAtTheEnds) {
  auto rat = Make(259);
  rat->LevelDown();
  EXPECT_EQ(rat->level, 1);
  EXPECT_EQ(rat->maxHp, 14);
  rat->LevelUp();
  EXPECT_EQ(rat->level, 2);
  rat->SetLevel(99);
  const int maxHp = rat->maxHp;
  rat->LevelUp();
  EXPECT_EQ(rat->level, 99);
  EXPECT_EQ(rat->maxHp, maxHp);
}

TEST(ExpTable, ThresholdsOfTheTableAndBeyond) {
  EXPECT_EQ(GetExpThreshold(0), 0);
  EXPECT_EQ(GetExpThreshold(-3), 0);
  EXPECT_EQ(GetExpThreshold(1), 10);
  EXPECT_EQ(GetExpThreshold(2), 20);
  EXPECT_EQ(GetExpThreshold(50), 100000);
  EXPECT_EQ(GetExpThreshold(51), 118000);
  EXPECT_EQ(GetExpThreshold(52), 139240);
  // The total at which level 99 begins fits 32 bits.
  std::int64_t total = 0;
  for (int l = 0; l <= 98; ++l) total += GetExpThreshold(l);
  EXPECT_LE(total, 2147483647);
  EXPECT_GT(GetExpThreshold(400), 0);
}

}  // namespace
