// The experience table, gains that pass several levels with their lines,
// popups and growth, the last level, and the default growth.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "PlayerTestSupport.h"
#include "characters/ExpTable.h"
#include "characters/PlayerClasses.h"
#include "platform/Random.h"

namespace {

using playertest::PlayerFixture;

constexpr std::int64_t Level99Start = 1845201576;  // fits 32 bits
constexpr std::int64_t Level99End = 2177257116;    // does not

// A Fighter (growth 525 a level) that remembers its popups.
struct Fighter : CCharacterFighter {
  void ShowPopupDelayed(const char* text, int) override { Popups.push_back(text); }
  std::vector<std::string> Popups;
};

using PlayerExperience = PlayerFixture;

TEST_F(PlayerExperience, TheTable) {
  const struct {
    int Level;
    std::int64_t Threshold;
  } rows[] = {{-1, 0}, {0, 0}, {1, 10}, {9, 250}, {23, 4200}, {49, 90000}, {50, 100000},
              {51, 118000}, {52, 139240}, {98, 281403096}, {99, 332055540}};
  CCharacterPlayer p;
  for (const auto& r : rows) {
    EXPECT_EQ(GetExpThreshold(r.Level), r.Threshold) << r.Level;
    EXPECT_EQ(p.GetExpForLevel(r.Level), r.Threshold) << r.Level;
  }
  EXPECT_EQ(p.GetExpForNextLevel(98), 281403096);
  EXPECT_EQ(p.GetExpForNextLevel(99), 0);

  const struct {
    int Level;
    std::int64_t End;
  } totals[] = {{-5, 0}, {0, 0}, {1, 10}, {2, 30}, {10, 1190}, {98, Level99Start}, {99, Level99End}};
  for (const auto& t : totals) EXPECT_EQ(p.GetExpAtLevelEnd(t.Level), t.End) << t.Level;
  // Far past any level the totals saturate instead of wrapping.
  EXPECT_EQ(p.GetExpAtLevelEnd(std::numeric_limits<int>::max()), std::numeric_limits<std::int64_t>::max());

  EXPECT_EQ(p.ResetExpToLevel(11), 1190);
  EXPECT_EQ(p.exp, 1190);
  EXPECT_EQ(p.ResetExpToLevel(1), 0);
  EXPECT_EQ(p.ResetExpToLevel(std::numeric_limits<int>::min()), 0);
  EXPECT_EQ(p.ResetExpToLevel(99), Level99Start);
}

TEST_F(PlayerExperience, AGainPassesEveryLevelItReachesWithItsLines) {
  Fighter f;
  f.GainExp(9);
  EXPECT_EQ(f.level, 1);
  EXPECT_EQ(Rows(), "YOU GOT 9 EXP!|||");

  Window()->CloseMessage();
  f.GainExp(21);  // 30 in all: levels 2 and 3 at once
  EXPECT_EQ(f.level, 3);
  EXPECT_EQ(f.exp, 30);
  EXPECT_EQ(Rows(), "YOU GOT 21 EXP!|LEVEL UP!|LEVEL UP!|");
  EXPECT_EQ(f.Popups, (std::vector<std::string>{"LEVEL UP!", "LEVEL UP!"}));
  // Each level grew the maximum by 525 hundredths and HP with it.
  EXPECT_EQ(f.maxHpX100, 4050);
  EXPECT_EQ(f.GetMaxHP(), 40);
  EXPECT_EQ(f.hp, 40);

  f.GainExp(1160);  // 1190: level 11 begins
  EXPECT_EQ(f.level, 11);
  EXPECT_EQ(f.Popups.size(), 10u);
  EXPECT_EQ(Rows(), "LEVEL UP!|LEVEL UP!|LEVEL UP!|");
}

TEST_F(PlayerExperience, TheLastLevelKeepsItsStartAndTakesNoMore) {
  Fighter f;
  f.level = 98;
  f.exp = f.GetExpAtLevelEnd(97);
  f.GainExp(999999999999);
  EXPECT_EQ(f.level, 99);
  EXPECT_EQ(f.exp, Level99Start);
  EXPECT_EQ(f.Popups.size(), 1u);

  Window()->CloseMessage();
  f.GainExp(50);
  EXPECT_EQ(f.exp, Level99Start);
  EXPECT_EQ(Rows(), "|||");
  EXPECT_EQ(f.Popups.size(), 1u);
}

TEST_F(PlayerExperience, HugeGainsSaturateInsteadOfWrapping) {
  Fighter f;
  f.GainExp(std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(f.level, 99);
  EXPECT_EQ(f.exp, Level99Start);
  EXPECT_EQ(f.Popups.size(), 98u);

  Fighter g;
  g.level = 5;
  g.exp = std::numeric_limits<std::int64_t>::max() - 3;
  g.GainExp(10);
  EXPECT_EQ(g.level, 99);
}

// The growth of a class whose levels do not rise cannot hold the gain in a
// loop.
TEST_F(PlayerExperience, AGrowthThatDoesNotRiseEndsTheGain) {
  struct Stuck : CCharacterPlayer {
    void LevelUp() override { ++Calls; }
    int Calls = 0;
  } p;
  p.GainExp(500);
  EXPECT_EQ(p.Calls, 1);
  EXPECT_EQ(p.level, 1);
}

// Without a class, the maximum grows by 4, 5 or 6 hundredths a level.
TEST_F(PlayerExperience, TheDefaultGrowthDrawsItsHundredths) {
  CCharacterPlayer p;
  p.maxHpX100 = 3098;
  p.hp = 30;
  SeedRandom(3);
  const int r = Random() % 8;
  const int growth = r < 2 ? 4 : r < 6 ? 5 : 6;
  SeedRandom(3);
  p.LevelUp();
  EXPECT_EQ(p.level, 2);
  EXPECT_EQ(p.maxHpX100, 3098 + growth);
  EXPECT_EQ(p.hp, 31);  // the maximum passed 31 and HP followed it

  // At the ends nothing changes and nothing is drawn.
  SeedRandom(3);
  const int next = Random();
  p.level = MaxPlayerLevel;
  SeedRandom(3);
  p.LevelUp();
  p.level = 1;
  p.LevelDown();
  EXPECT_EQ(Random(), next);
  EXPECT_EQ(p.maxHpX100, 3098 + growth);

  // Going down takes HP with the maximum, never below 1.
  CCharacterPlayer q;
  q.level = 3;
  q.maxHpX100 = 103;
  q.hp = 1;
  q.LevelDown();
  EXPECT_EQ(q.level, 2);
  EXPECT_EQ(q.GetMaxHP(), 0);
  EXPECT_EQ(q.hp, 1);
}

}  // namespace

namespace {

// A potion can make the player its own last attacker; its defeat (followed
// by a resurrection) must not pay it its own total again.
TEST_F(PlayerExperience, NobodyCollectsFromItsOwnDefeat) {
  CCharacterFighter p;
  p.SetExp(5000);
  p.hp = 0;
  p.lastAttacker = &p;
  p.CollectExp(&p);
  EXPECT_EQ(p.GetExp(), 5000);
}

}  // namespace
