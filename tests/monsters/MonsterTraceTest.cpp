// Seeded turns of monsters on hand-made floors, followed cell by cell.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "monsters/MonsterTestSupport.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::MonsterTurn;
using monstertest::TestPlayer;
using Trace = std::vector<std::pair<int, int>>;

constexpr CharacterType Rat = 259;

class MonsterTrace : public MonsterFixture {
protected:
  // Turns until `monster` has struck (at most `limit`), with its cell
  // after each turn.
  Trace Chase(CCharacterEnemy* monster, int limit) {
    Trace trace;
    const std::string before = Messages();
    for (int turn = 0; turn < limit; ++turn) {
      GetGameInputMain()->CloseMessage();
      MonsterTurn();
      trace.emplace_back(monster->x, monster->y);
      if (Messages().find("RAT ATTACKED!") != std::string::npos) break;
    }
    return trace;
  }
};

// Room A (left) opens into a corridor that bends down into room B, where
// the player waits out of sight.
const std::vector<std::string> TwoRooms = {
    "#############",  //
    "#.....#######",  //
    "#.....+++####",  //
    "#.....##+####",  //
    "#.....##+####",  //
    "########+####",  //
    "######.....##",  //
    "######.....##",  //
    "######.....##",  //
    "#############",
};

TEST_F(MonsterTrace, AChaseThroughARoomExitAndRoundACorner) {
  UseFloor(TwoRooms);
  TestPlayer* player = PlacePlayer(10, 8);
  CCharacterEnemy* rat = Spawn(Rat, 2, 3);
  rat->StartTurn();
  SeedRandom(21);
  const Trace trace = Chase(rat, 20);
  // Out by the one exit, along the corridor and round its bend; in the
  // doorway it sees the player, and the diagonal into the room being cut by
  // the wall, it steps down instead.
  EXPECT_EQ(trace, (Trace{{3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 6}, {9, 7},
                          {9, 7}}));
  EXPECT_EQ(rat->direction, DirectionDownRight);
  EXPECT_EQ(Holds(), 0);
  (void)player;
}

TEST_F(MonsterTrace, ASleeperWakesOnlyWhenStruck) {
  TestPlayer* player = PlacePlayer(2, 2);
  CCharacterEnemy* rat = Spawn(Rat, 3, 2);
  rat->InflictSleepRandom();
  rat->StartTurn();
  for (int turn = 0; turn < 5; ++turn) EXPECT_EQ(MonsterTurn(), 0);
  EXPECT_TRUE(rat->IsSleep());
  EXPECT_EQ(player->hp, player->maxHp);

  // The player's blow: the hurt pose wakes it, and the next turn it strikes back.
  GetGameInputMain()->CloseMessage();
  rat->ReceiveAttack(0, false, 3, player);
  monstertest::SettleHolds();
  EXPECT_FALSE(rat->IsSleep());
  EXPECT_EQ(Messages(), "RAT TOOK 2 DAMAGE!");
  rat->actionPoints = 0;
  rat->StartTurn();
  EXPECT_EQ(MonsterTurn(), 1);
  EXPECT_EQ(rat->direction, DirectionLeft);
}

TEST_F(MonsterTrace, ASpawnAsleepWakesNextToThePlayerAboutEverySecondTurn) {
  // Floors put monsters to sleep by holding them.
  PlacePlayer(2, 2);
  CCharacterEnemy* rat = Spawn(Rat, 2, 3);
  rat->InflictHoldRandom();
  rat->StartTurn();
  SeedRandom(5);
  std::vector<int> struck;
  for (int turn = 0; turn < 6; ++turn) struck.push_back(MonsterTurn());
  // One draw a turn while held; the fourth (49) is the first below 50: freed
  // in the fourth turn's move phase, it strikes from the fifth.
  EXPECT_EQ(struck, (std::vector<int>{0, 0, 0, 0, 1, 1}));
}

TEST_F(MonsterTrace, AConfusedMonsterStaggersAndStrikesWhatItBumps) {
  UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
  PlacePlayer(5, 3);
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  rat->InflictConfuse(50);
  rat->StartTurn();
  SeedRandom(3);
  Trace trace;
  int attacks = 0;
  for (int turn = 0; turn < 8; ++turn) {
    const int fromX = rat->x, fromY = rat->y;
    attacks += MonsterTurn();
    EXPECT_LE(std::abs(rat->x - fromX), 1);
    EXPECT_LE(std::abs(rat->y - fromY), 1);
    EXPECT_TRUE(floor_->IsFloor(rat->x, rat->y));
    trace.emplace_back(rat->x, rat->y);
  }
  // One draw a turn picks its way (up-left, right, down, left, down-right,
  // up, down, down-right); into a wall it stays.
  EXPECT_EQ(trace, (Trace{{1, 1}, {2, 1}, {2, 2}, {1, 2}, {2, 3}, {2, 2}, {2, 3}, {2, 3}}));
  EXPECT_EQ(attacks, 0);
}

TEST_F(MonsterTrace, AQuickMonsterActsTwiceATurn) {
  UseFloor({"##########", "#........#", "##########"});
  TestPlayer* player = PlacePlayer(8, 1);
  player->evasion = 0;
  CCharacterEnemy* rat = Spawn(Rat, 4, 1);
  rat->InflictQuick(-1);
  rat->StartTurn();
  // Two steps; then a step and a blow; then two blows.
  EXPECT_EQ(MonsterTurn(), 0);
  EXPECT_EQ(rat->x, 6);
  EXPECT_EQ(MonsterTurn(), 1);
  EXPECT_EQ(rat->x, 7);
  const int hp = player->hp;
  EXPECT_EQ(MonsterTurn(), 2);
  EXPECT_LT(player->hp, hp);
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
