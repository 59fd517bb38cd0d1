// The monster's turn piece by piece: points, target choice, the move phase
// and the action phase.
#include <gtest/gtest.h>

#include "monsters/MonsterTestSupport.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::TestPlayer;

constexpr CharacterType Rat = 259;

int& Counter(CCharacter& c, StatusKind kind) { return c.status[static_cast<int>(kind)]; }

class EnemyTurn : public MonsterFixture {};

TEST_F(EnemyTurn, PointsPerActionAndPerTurn) {
  TestPlayer* player = PlacePlayer(5, 5);
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  struct Row {
    bool PlayerQuick, Quick, Slow;
    int Cost;
  };
  const Row rows[] = {{false, false, false, 2}, {false, true, false, 1}, {false, false, true, 4},
                      {false, true, true, 2},   {true, false, false, 4},  {true, true, false, 2},
                      {true, false, true, 8}};
  for (const Row& r : rows) {
    Counter(*player, StatusKind::Quick) = r.PlayerQuick ? -1 : 0;
    Counter(*rat, StatusKind::Quick) = r.Quick ? -1 : 0;
    Counter(*rat, StatusKind::Slow) = r.Slow ? -1 : 0;
    EXPECT_EQ(rat->GetActionCost(), r.Cost) << r.PlayerQuick << r.Quick << r.Slow;
    // Only a quick monster that is not slow keeps what an action leaves.
    rat->actionPoints = 5;
    rat->SpendActionPoints();
    EXPECT_EQ(rat->actionPoints, r.Quick && !r.Slow ? 5 - r.Cost : 0);
  }
  Counter(*player, StatusKind::Quick) = 0;
  Counter(*rat, StatusKind::Quick) = 0;
  Counter(*rat, StatusKind::Slow) = 0;

  // Two points a turn, never more than one action's worth unless quick.
  rat->actionPoints = 0;
  rat->StartTurn();
  EXPECT_EQ(rat->actionPoints, 2);
  rat->StartTurn();
  EXPECT_EQ(rat->actionPoints, 2);
  Counter(*rat, StatusKind::Quick) = -1;
  rat->StartTurn();
  rat->StartTurn();
  EXPECT_EQ(rat->actionPoints, 6);
  Counter(*rat, StatusKind::Quick) = 0;
  Counter(*rat, StatusKind::Slow) = -1;
  rat->actionPoints = 0;
  rat->StartTurn();
  EXPECT_EQ(rat->actionPoints, 2);
  rat->StartTurn();
  rat->StartTurn();
  EXPECT_EQ(rat->actionPoints, 4);
}

TEST_F(EnemyTurn, ASlowMonsterMovesEverySecondTurnAndAQuickOneTwice) {
  UseFloor({"############", "#..........#", "############"});
  PlacePlayer(10, 1);
  CCharacterEnemy* slow = Spawn(Rat, 1, 1);
  slow->InflictSlow(-1);
  std::vector<int> path;
  for (int turn = 0; turn < 6; ++turn) {
    monstertest::MonsterTurn();
    path.push_back(slow->x);
  }
  // A new monster has no points before its first turn starts.
  EXPECT_EQ(path, (std::vector<int>{1, 1, 2, 2, 3, 3}));

  slow->ClearSlow();
  slow->InflictQuick(-1);
  monstertest::MonsterTurn();  // the points of one action carried in
  const int from = slow->x;
  monstertest::MonsterTurn();
  EXPECT_EQ(slow->x, from + 2);
}

TEST_F(EnemyTurn, AParalysisEndsInTheNextMovePhase) {
  PlacePlayer(2, 3);
  CCharacterEnemy* rat = Spawn(Rat, 2, 2);
  Counter(*rat, StatusKind::Paralyze) = 1;
  rat->UpdateTurn();
  rat->StartTurn();
  EXPECT_TRUE(rat->IsParalyze());
  EXPECT_EQ(Messages(), "");
  rat->DecideMove();
  EXPECT_FALSE(rat->IsParalyze());
  EXPECT_EQ(Messages(), "RAT IS CURED!");
  // Woken next to the player it keeps its points and strikes.
  EXPECT_EQ(rat->actionPoints, 2);
  EXPECT_TRUE(rat->DecideAction());
  EXPECT_EQ(rat->animEntry, AnimationAttack);
}

// ---- Target choice

TEST_F(EnemyTurn, InARoomItMakesForAnExitButNotBackWhileThereIsAnother) {
  UseFloor({"#######", "#.....#", "#.....+", "#.....#", "#######"});
  CCharacterEnemy* rat = Spawn(Rat, 5, 2);
  // Just come in by the only exit: it goes back out there.
  rat->direction = DirectionLeft;
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 6);
  EXPECT_EQ(rat->targetY, 2);

  UseFloor({"#######", "#.....#", "+.....+", "#.....#", "#######"});
  rat = Spawn(Rat, 1, 2);
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    rat->direction = DirectionRight;  // came in from (0, 2)
    rat->targetX = rat->targetY = -1;
    rat->SearchPlayer();
    EXPECT_EQ(rat->targetX, 6) << seed;
  }

  // A room with no way out ends the turn, with no points below 0.
  UseFloor({"#####", "#...#", "#...#", "#####"});
  rat = Spawn(Rat, 1, 1);
  rat->actionPoints = 2;
  rat->DecideMove();
  EXPECT_EQ(rat->targetX, -1);
  EXPECT_EQ(rat->actionPoints, 0);
  EXPECT_EQ(rat->x, 1);
}

TEST_F(EnemyTurn, InACorridorItKeepsTheWayOnOrTheOnlyWayLeft) {
  UseFloor({"######", "#++++#", "####+#", "####+#", "######"});
  CCharacterEnemy* rat = Spawn(Rat, 2, 1);
  // Facing on along the corridor: never back.
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    SeedRandom(seed);
    rat->direction = DirectionRight;
    rat->targetX = rat->targetY = -1;
    rat->SearchPlayer();
    EXPECT_EQ(rat->targetX, 3);
    EXPECT_EQ(rat->targetY, 1);
  }
  // Along to the bend: the corner's diagonal is cut by the wall.
  floor_->MoveCharacterTo(3, 1, rat);
  rat->SetPosition(3, 1);
  rat->direction = DirectionRight;
  rat->targetX = rat->targetY = -1;
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 4);
  EXPECT_EQ(rat->targetY, 1);
  // At a dead end the way back is the only one, whatever it faces.
  floor_->MoveCharacterTo(1, 1, rat);
  rat->SetPosition(1, 1);
  rat->direction = DirectionLeft;
  rat->targetX = rat->targetY = -1;
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 2);
  EXPECT_EQ(rat->targetY, 1);
  // A corridor target holds until it is reached.
  rat->targetX = 4;
  rat->targetY = 3;
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 4);
  EXPECT_EQ(rat->targetY, 3);
}

TEST_F(EnemyTurn, ItFollowsThePlayerSeenAcrossTheRoomOrByHisTrail) {
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  PlacePlayer(5, 5);
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 5);
  EXPECT_EQ(rat->targetY, 5);

  // In a corridor: the cell the player has just left.
  UseFloor({"#######", "#+++..#", "#######"});
  rat = Spawn(Rat, 2, 1);
  TestPlayer* player = PlacePlayer(3, 1);
  player->direction = DirectionRight;
  ASSERT_TRUE(player->StepForward());
  rat->direction = DirectionLeft;
  rat->SearchPlayer();
  EXPECT_EQ(rat->targetX, 3);
  EXPECT_EQ(rat->targetY, 1);
}

TEST_F(EnemyTurn, APlayerWhoStrikesIsSoughtEvenUnseen) {
  // Round a corridor bend the monster heads for the open side toward him.
  UseFloor({"#####", "#++##", "##+##", "#####"});
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  TestPlayer* player = PlacePlayer(2, 2);
  rat->ReceiveAttack(0, false, 0, player);
  EXPECT_EQ(rat->targetX, 2);
  EXPECT_EQ(rat->targetY, 1);
  // In a room: an exit on his side (here the lower one).
  UseFloor({"#######", "#.....#", "#.....#", "###+###", "###+###", "#######"});
  rat = Spawn(Rat, 1, 1);
  player = PlacePlayer(3, 4);
  rat->ReceiveAttack(0, false, 0, player);
  EXPECT_EQ(rat->targetX, 3);
  EXPECT_EQ(rat->targetY, 3);
  // A blow from anyone else changes nothing.
  CCharacterEnemy* other = Spawn(Rat, 5, 1);
  rat->targetX = rat->targetY = -1;
  rat->ReceiveAttack(0, false, 0, other);
  EXPECT_EQ(rat->targetX, -1);
}

// ---- The move phase

TEST_F(EnemyTurn, StatesThatKeepItWhereItIs) {
  TestPlayer* player = PlacePlayer(5, 5);
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  // Disguised: exactly one action's points kept, never a step.
  Counter(*rat, StatusKind::Disguise) = -1;
  rat->actionPoints = 5;
  rat->DecideMove();
  EXPECT_EQ(rat->actionPoints, 2);
  EXPECT_EQ(rat->x, 1);
  Counter(*rat, StatusKind::Disguise) = 0;

  // Asleep: no points left, no step, seen or not.
  rat->InflictSleepRandom();
  EXPECT_EQ(Counter(*rat, StatusKind::Sleep), -1);
  rat->actionPoints = 2;
  rat->DecideMove();
  EXPECT_EQ(rat->actionPoints, 0);
  EXPECT_EQ(rat->x, 1);
  rat->ClearSleep();

  // Dormant until the player has it in sight.
  Counter(*rat, StatusKind::Dormant) = -1;
  rat->actionPoints = 2;
  rat->DecideMove();
  EXPECT_FALSE(rat->IsDormant());
  EXPECT_EQ(rat->targetX, 5);
  EXPECT_EQ(rat->x, 1);

  // Next to the player: the points stay for the blow.
  floor_->MoveCharacterTo(4, 4, rat);
  rat->SetPosition(4, 4);
  rat->actionPoints = 2;
  rat->DecideMove();
  EXPECT_EQ(rat->actionPoints, 2);
  EXPECT_EQ(rat->x, 4);
  (void)player;
}

TEST_F(EnemyTurn, AHeldMonsterBreaksFreeOnlyNearThePlayerOrWhenHeShowsHimself) {
  TestPlayer* player = PlacePlayer(2, 2);
  CCharacterEnemy* rat = Spawn(Rat, 2, 3);
  int freed = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed);
    rat->InflictHold(StatusForever);
    rat->actionPoints = 2;
    rat->DecideMove();
    EXPECT_EQ(rat->actionPoints, 0);
    if (!rat->IsHold()) ++freed;
  }
  EXPECT_NEAR(freed, 100, 25);

  // Far off, with the player standing still in sight, it stays held.
  floor_->MoveCharacterTo(5, 5, rat);
  rat->SetPosition(5, 5);
  player->StartTurn();  // no step: his previous cell is his cell
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    SeedRandom(seed);
    rat->InflictHold(StatusForever);
    rat->actionPoints = 2;
    rat->DecideMove();
    EXPECT_TRUE(rat->IsHold());
  }
}

// ---- The action phase

TEST_F(EnemyTurn, ItStrikesTheAdjacentPlayerOncePerAction) {
  TestPlayer* player = PlacePlayer(2, 2);
  CCharacterEnemy* rat = Spawn(Rat, 3, 3);
  rat->direction = DirectionDown;
  rat->actionPoints = 2;
  EXPECT_TRUE(rat->DecideAction());
  EXPECT_EQ(rat->direction, DirectionUpLeft);
  EXPECT_EQ(rat->animEntry, AnimationAttack);
  EXPECT_EQ(Messages(), "RAT ATTACKED!");
  EXPECT_GT(Holds(), 0);
  monstertest::SettleHolds();
  EXPECT_EQ(Holds(), 0);
  EXPECT_FALSE(rat->DecideAction());
  (void)player;
}

TEST_F(EnemyTurn, AConfusedMonsterStrikesWhateverNeighbourItFaces) {
  PlacePlayer(5, 5);
  CCharacterEnemy* rat = Spawn(Rat, 1, 1);
  rat->InflictConfuse(10);
  // Nothing next to it: the points go, nothing happens.
  rat->actionPoints = 2;
  EXPECT_FALSE(rat->DecideAction());
  EXPECT_EQ(rat->actionPoints, 0);

  CCharacterEnemy* other = Spawn(Rat, 2, 2);
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    rat->actionPoints = 2;
    ASSERT_TRUE(rat->DecideAction());
    EXPECT_EQ(rat->direction, DirectionDownRight);
    monstertest::SettleHolds();
    other->hp = other->maxHp;
  }
}

TEST_F(EnemyTurn, ADisguiseDropsOnlyWithPointsToAct) {
  PlacePlayer(2, 2);
  CCharacterEnemy* rat = Spawn(Rat, 2, 3);
  Counter(*rat, StatusKind::Disguise) = -1;
  rat->actionPoints = 1;
  EXPECT_FALSE(rat->DecideAction());
  EXPECT_TRUE(rat->IsDisguise());
  EXPECT_EQ(rat->actionPoints, 0);

  rat->actionPoints = 2;
  EXPECT_TRUE(rat->DecideAction());
  EXPECT_FALSE(rat->IsDisguise());
  EXPECT_EQ(rat->animEntry, AnimationAttack);
}

}  // namespace
