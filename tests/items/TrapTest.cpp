// Every trap laid under the player as the trap-action state lays it: its
// effect holds the turn, then the avoid roll, then the strike.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "characters/PlayerTestSupport.h"
#include "items/ItemUseTestSupport.h"
#include "platform/CScoreRanking.h"
#include "platform/SaveTestSupport.h"

namespace {

using itemuse::SeedWhoseFirst;
using itemuse::UseFixture;
using playertest::StatItem;

constexpr ItemId Needle = 0xC00, SleepingGas = 0xC01, ParalyzingGas = 0xC02, PoisonGas = 0xC03,
                 ConfusionGas = 0xC04, SlowGas = 0xC05, Teleporter = 0xC06, LandMine = 0xC07;

class Traps : public UseFixture {
protected:
  CItem* Lay(ItemId id) {
    CItem* trap = CreateItem(id);
    EXPECT_TRUE(floor_->PutItemAt(3, 3, trap));
    return trap;
  }
  // The player ends a move on the trap: revealed, laid, left to spring.
  void Spring(CItem* trap) {
    trap->SetRevealed(true);
    trap->LayTrap();
    EXPECT_EQ(Holds(), 1) << "the laid effect holds the turn";
    Settle();
  }
  // The avoid roll, the first draw of the spring, comes out at `roll`.
  static void AvoidRoll(int roll) { SeedRandom(SeedWhoseFirst(100, [roll](int v) { return v == roll; })); }
  bool Between(int v, int low, int high) { return v >= low && v <= high; }
};

TEST_F(Traps, EachKindStrikesAPlayerWhoFailsToAvoidIt) {
  struct Case {
    ItemId Id;
    std::function<void()> Check;
  };
  const Case cases[] = {
      {Needle,
       [&] {
         EXPECT_EQ(player_->hp, 102);  // 15 % of 120
         EXPECT_EQ(NumbersAt(3, 3, EffectWhiteNumber), std::vector<int>{18});
         EXPECT_EQ(Messages(), "NEEDLE TRAP!|YOU TOOK 18 DAMAGE!");
       }},
      {SleepingGas, [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Sleep), 20, 30)); }},
      {ParalyzingGas, [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Paralyze), 3, 5)); }},
      {PoisonGas, [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Poison), 8, 12)); }},
      {ConfusionGas, [&] { EXPECT_TRUE(Between(Status(player_, StatusKind::Confuse), 15, 20)); }},
      {SlowGas, [&] { EXPECT_EQ(Status(player_, StatusKind::Slow), 15); }},
      {Teleporter, [&] { EXPECT_NE(floor_->GetCharacterAt(3, 3), player_); }},
      {LandMine,
       [&] {
         EXPECT_EQ(player_->hp, 120);
         EXPECT_EQ(Messages(), "LAND MINE!");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Id);
    TearDown();
    SetUp();
    CItem* trap = Lay(c.Id);
    // The state names the trap first.
    char name[ItemTextSize];
    GetGameInputMain()->ShowMessage((std::string(trap->GetNameWithCount(name, sizeof name)) + "!").c_str());
    player_->lastAttacker = player_;
    AvoidRoll(30);
    Spring(trap);
    EXPECT_EQ(Holds(), 0);
    EXPECT_EQ(floor_->GetItemAt(3, 3), trap) << "a trap stays where it is";
    EXPECT_TRUE(trap->IsRevealed());
    c.Check();
  }
}

TEST_F(Traps, AnAvoidedTrapIsShownAndDoesNothing) {
  CItem* trap = Lay(Needle);
  AvoidRoll(29);
  Spring(trap);
  EXPECT_EQ(player_->hp, 120);
  EXPECT_EQ(Messages(), "YOU AVOIDED THE TRAP!");
  EXPECT_EQ(EffectsAt(3, 3, EffectMiss).size(), 1u);
  EXPECT_TRUE(trap->IsRevealed());
}

TEST_F(Traps, WornItemsShrinkTheChanceToBeStruck) {
  // Two items of 50: the 70 % chance to be struck becomes 35 %, then 17 %.
  StatItem ring(ItemCategoryAccessory, {{"GetTrapAvoidChance", 50}});
  StatItem hat(ItemCategoryHeadGear, {{"GetTrapAvoidChance", 50}});
  ASSERT_TRUE(player_->Equip(&ring));
  ASSERT_TRUE(player_->Equip(&hat));
  CItem* trap = Lay(Needle);
  for (auto [roll, struck] : {std::pair{82, false}, std::pair{83, true}}) {
    player_->hp = 120;
    AvoidRoll(roll);
    Spring(trap);
    EXPECT_EQ(player_->hp < 120, struck) << roll;
  }
  // One item of 100 and no trap ever strikes.
  ring.Values["GetTrapAvoidChance"] = 100;
  AvoidRoll(99);
  Spring(trap);
  EXPECT_EQ(player_->hp, 102);
  player_->RemoveItem(&ring);
  player_->RemoveItem(&hat);
}

TEST_F(Traps, TheNeedleCanKillAndNamesNoKiller) {
  CItem* trap = Lay(Needle);
  // 6 x 15 / 100 is 0, shown all the same.
  player_->maxHpX100 = 600;
  player_->hp = 6;
  AvoidRoll(99);
  Spring(trap);
  EXPECT_EQ(player_->hp, 6);
  EXPECT_EQ(NumbersAt(3, 3, EffectWhiteNumber), std::vector<int>{0});
  EXPECT_EQ(Messages(), "YOU TOOK 0 DAMAGE!");

  player_->maxHpX100 = 10000;
  player_->hp = 10;
  player_->lastAttacker = player_;
  AvoidRoll(99);
  trap->SetRevealed(true);
  trap->LayTrap();
  for (int i = 0; i < 5 && player_->animEntry != AnimationDying; ++i) Frames(1);
  EXPECT_EQ(player_->hp, 0);
  EXPECT_EQ(player_->animEntry, AnimationDying);
  EXPECT_EQ(player_->lastAttacker, nullptr);
  EXPECT_EQ(player_->causeOfDeath, 403);
}

// The needle's death ends the run as it falls: the rankings name it.
TEST_F(Traps, ANeedleDeathIsRankedAsTheNeedles) {
  TempGameFolder folder;
  CGameMain* game = GetGameMain();
  // Boards other runs of this process filled must not count here.
  const auto clearBoards = [game] {
    game->ScoreRankings[RankingListsPerDungeon] = game->TurnRankings[RankingListsPerDungeon] =
        game->TimeRankings[RankingListsPerDungeon] = CScoreRanking();
  };
  clearBoards();
  game->Settings.Block.GameInProgress = 1;
  game->Settings.Block.DungeonIndex = 1;
  game->Settings.Block.SelectedClass = 0;
  CItem* trap = Lay(Needle);
  player_->hp = 1;
  AvoidRoll(99);
  Spring(trap);
  ASSERT_EQ(player_->hp, 0);
  EXPECT_EQ(game->Settings.Block.GameInProgress, 0);
  const CScoreRanking& board = game->ScoreRankings[RankingListsPerDungeon];
  std::vector<std::int32_t> causes;
  for (int n = 0; n < RankingSlots; ++n)
    if (board.GetResult(n) != 0) causes.push_back(board.GetCauseOfDeath(n));
  EXPECT_EQ(causes, std::vector<std::int32_t>{403});
  clearBoards();
}

TEST_F(Traps, SteppingBackOntoATrapSpringsItAgain) {
  CItem* trap = Lay(SlowGas);
  for (int time = 0; time < 2; ++time) {
    player_->ClearSlow();
    AvoidRoll(99);
    Spring(trap);
    EXPECT_EQ(Status(player_, StatusKind::Slow), 15) << time;
  }
}

TEST_F(Traps, ATrapTakenFromItsCellBeforeItSpringsDoesNothing) {
  CItem* trap = Lay(Needle);
  trap->SetRevealed(true);
  trap->LayTrap();
  floor_->RemoveItemAt(3, 3);
  delete trap;
  AvoidRoll(99);
  Settle();
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(player_->hp, 120);
}

}  // namespace
