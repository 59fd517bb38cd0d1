// The Goblin's arrows, the Mushroom's spores and the ManaEater's hunger.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "items/ItemFactory.h"
#include "monsters/MonsterTestSupport.h"
#include "monsters/MonstersSlimeToManaEater.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::TestPlayer;

constexpr ItemId StoneArrow = 0x200, ManaStone = 0x80f, IronOre = 0x802, Stone = 0x800, GoldenApple = 0x819;

// ---- Goblin

class GoblinArrows : public MonsterFixture {
protected:
  void SetUp() override {
    MonsterFixture::SetUp();
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
  }
  // The Goblin's action, played out.
  void Act(CCharacterEnemy* goblin) {
    goblin->actionPoints = 2;
    ASSERT_TRUE(goblin->DecideAction());
    monstertest::SettleHolds();
  }
  // How many items lie on the floor.
  int ItemsOnFloor() const {
    int n = 0;
    for (CItem* item : floor_->itemAt) n += item != nullptr;
    return n;
  }
};

TEST_F(GoblinArrows, ItShootsWheneverThePlayerIsInLineAndSeen) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* goblin = Spawn(274, 1, 2);
  int hits = 0, misses = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SeedRandom(seed);
    GetGameInputMain()->CloseMessage();
    Act(goblin);
    EXPECT_EQ(goblin->direction, DirectionRight);
    EXPECT_EQ(player->lastAttacker, goblin);
    // A miss leaves the arrow lying under the player; a hit breaks it.
    if (CItem* arrow = floor_->GetItemAt(5, 2)) {
      EXPECT_EQ(Messages(), "GOBLIN SHOT AN ARROW!|MISSED!");
      EXPECT_EQ(arrow->GetId(), StoneArrow);
      delete arrow;
      floor_->RemoveItemAt(5, 2);
      ++misses;
    } else {
      EXPECT_EQ(Messages().rfind("GOBLIN SHOT AN ARROW!", 0), 0u);
      ++hits;
    }
    EXPECT_EQ(ItemsOnFloor(), 0);
  }
  // Goblins hit 90 % of a player's 10 % evasion.
  EXPECT_GT(hits, 25);
  EXPECT_GT(misses, 0);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(GoblinArrows, TheArrowFliesBeforeItLands) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* goblin = Spawn(276, 1, 2);
  goblin->actionPoints = 2;
  ASSERT_TRUE(goblin->DecideAction());
  EXPECT_EQ(goblin->animEntry, AnimationThrow);
  // Loosed at entry 32, it is in the air, holding the turn, before anyone is hit.
  for (int frame = 0; frame < 20 && goblin->animEntry != 32; ++frame) monstertest::RunFrames(1);
  ASSERT_EQ(goblin->animEntry, 32);
  EXPECT_EQ(floor_->Effects.GetCount(), 1);
  EXPECT_EQ(player->lastAttacker, nullptr);
  EXPECT_GT(Holds(), 0);
  monstertest::SettleHolds();
  EXPECT_EQ(player->lastAttacker, goblin);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(GoblinArrows, PointBlankAndThroughWhoeverStandsBetween) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* goblin = Spawn(274, 4, 2);
  // Next to the player it still shoots.
  Act(goblin);
  EXPECT_EQ(player->lastAttacker, goblin);
  EXPECT_EQ(goblin->animEntry, AnimationIdle);

  // A monster in the line takes the arrow: the line of fire looks only for walls.
  floor_->MoveCharacterTo(1, 2, goblin);
  goblin->SetPosition(1, 2);
  player->lastAttacker = nullptr;
  CCharacterEnemy* rat = Spawn(259, 3, 2);
  Act(goblin);
  EXPECT_EQ(rat->lastAttacker, goblin);
  EXPECT_EQ(player->lastAttacker, nullptr);

  // Whoever is already falling is flown past.
  rat->hp = 0;
  Act(goblin);
  EXPECT_EQ(player->lastAttacker, goblin);
}

TEST_F(GoblinArrows, AnArrowThatMeetsNobodyLiesBeforeTheWall) {
  CCharacterEnemy* goblin = Spawn(274, 1, 2);
  goblin->direction = DirectionRight;
  goblin->EndItemShot();
  ASSERT_NE(floor_->GetItemAt(5, 2), nullptr);
  EXPECT_EQ(floor_->GetItemAt(5, 2)->GetId(), StoneArrow);
  // With the wall right in front it lies under the Goblin; a second one
  // beside it, the cell being taken.
  goblin->direction = DirectionLeft;
  goblin->EndItemShot();
  goblin->EndItemShot();
  EXPECT_NE(floor_->GetItemAt(1, 2), nullptr);
  EXPECT_EQ(ItemsOnFloor(), 3);
}

// ---- Mushroom

class MushroomSpores : public MonsterFixture {};

TEST_F(MushroomSpores, AnAdjacentPlayerIsSprayedAboutEveryThirdAction) {
  TestPlayer* player = PlacePlayer(2, 2);
  player->InflictResistance(-1);  // spores that always miss their mark
  CCharacterEnemy* mushroom = Spawn(265, 2, 3);
  int sprays = 0, blows = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SeedRandom(seed);
    mushroom->actionPoints = 2;
    ASSERT_TRUE(mushroom->DecideAction());
    (mushroom->animEntry == AnimationThrow ? sprays : blows)++;
    monstertest::SettleHolds();
    player->hp = player->maxHp;
  }
  EXPECT_NEAR(sprays, 90, 25);
  EXPECT_EQ(sprays + blows, 300);

  // One cell further: neither spores nor blows.
  floor_->MoveCharacterTo(2, 5, mushroom);
  mushroom->SetPosition(2, 5);
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    mushroom->actionPoints = 2;
    EXPECT_FALSE(mushroom->DecideAction());
  }
}

TEST_F(MushroomSpores, TheSprayLandsWhenItEndsByGrade) {
  struct Row {
    CharacterType Type;
    StatusKind Kind;
  };
  for (const Row& r : {Row{265, StatusKind::Poison}, Row{266, StatusKind::Paralyze}, Row{267, StatusKind::Confuse}}) {
    SCOPED_TRACE(r.Type);
    UseFloor({"#####", "#...#", "#...#", "#####"});
    TestPlayer* player = PlacePlayer(1, 1);
    CCharacterEnemy* mushroom = Spawn(r.Type, 2, 1);
    mushroom->direction = DirectionLeft;
    GetGameInputMain()->CloseMessage();
    mushroom->UseSpecialAttack();
    EXPECT_EQ(Messages().substr(Messages().find(' ')), " SCATTERED SPORES!");
    EXPECT_FALSE(player->status[static_cast<int>(r.Kind)]);  // not before the spray ends
    monstertest::SettleHolds();
    EXPECT_NE(player->status[static_cast<int>(r.Kind)], 0);
    EXPECT_EQ(Holds(), 0);
  }
  // The grade-2 spores never renew a paralysis.
  UseFloor({"#####", "#...#", "#...#", "#####"});
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* mushroom = Spawn(266, 2, 1);
  mushroom->direction = DirectionLeft;
  player->status[static_cast<int>(StatusKind::Paralyze)] = 1;
  mushroom->UseSpecialAttack();
  monstertest::SettleHolds();
  EXPECT_EQ(player->status[static_cast<int>(StatusKind::Paralyze)], 1);
}

// ---- ManaEater

class ManaEater : public MonsterFixture {
protected:
  static CItem* Item(ItemId id, int count = 1) {
    CItem* item = CreateItem(id);
    item->SetCount(count);
    return item;
  }
};

TEST_F(ManaEater, EachGradeEatsItsOwnFood) {
  struct Row {
    ItemId Id;
    bool Grade1, Grade2, Grade3;
  };
  const Row rows[] = {
      {ManaStone, true, true, true},      {IronOre, false, true, true},     {0x801, false, true, true},
      {0x809, false, true, true},         {0x80e, false, true, true},       {GoldenApple, false, false, true},
      {Stone, false, false, false},       {0x805, false, false, false},     {0x80a, false, false, false},
      {0x81a, false, false, false},       {0x81b, false, false, false},     {0x700, false, false, false},
  };
  for (const Row& r : rows) {
    std::unique_ptr<CItem> item(CreateItem(r.Id));
    ASSERT_NE(item, nullptr) << r.Id;
    const bool expected[3] = {r.Grade1, r.Grade2, r.Grade3};
    for (int grade = 1; grade <= 3; ++grade) {
      std::unique_ptr<CCharacter> eater(CreateCharacter(279 + grade));
      EXPECT_EQ(static_cast<CCharacterManaEater*>(eater.get())->IsEdible(item.get()), expected[grade - 1])
          << std::hex << r.Id << " grade " << grade;
    }
  }
  CCharacterManaEater1 eater;
  EXPECT_FALSE(eater.IsEdible(nullptr));
  EXPECT_EQ(eater.GetFoodList(1), -1);
  EXPECT_EQ(eater.GetFoodList(-1), -1);
}

TEST_F(ManaEater, ItRobsThePlayerInFrontOfItOneUnitAtATime) {
  TestPlayer* player = PlacePlayer(2, 2);
  auto* eater = static_cast<CCharacterManaEater*>(Spawn(280, 3, 2));
  player->items[3] = Item(ManaStone);     // a worn place, out of the bag: safe
  player->items[7] = Item(ManaStone, 2);  // the bag
  EXPECT_EQ(eater->FindEdibleItem(), 7);
  eater->direction = DirectionLeft;
  eater->UseSpecialAttack();
  EXPECT_EQ(Messages(), "MANA EATER ATE MANA STONE!");
  EXPECT_EQ(player->GetItem(7)->GetCount(), 1);
  monstertest::SettleHolds();
  eater->UseSpecialAttack();
  EXPECT_EQ(player->GetItem(7), nullptr);
  EXPECT_NE(player->GetItem(3), nullptr);
  EXPECT_EQ(eater->FindEdibleItem(), -1);
  monstertest::SettleHolds();

  // Whoever else stands in front is not the player: nothing is eaten.
  player->items[7] = Item(ManaStone);
  Spawn(259, 3, 3);
  eater->direction = DirectionDown;
  GetGameInputMain()->CloseMessage();
  eater->UseSpecialAttack();
  EXPECT_EQ(Messages(), "");
  EXPECT_NE(player->GetItem(7), nullptr);
  monstertest::SettleHolds();
  EXPECT_EQ(Holds(), 0);
}

TEST_F(ManaEater, ARobberyInTurnsTakesAboutEveryThirdAction) {
  TestPlayer* player = PlacePlayer(2, 2);
  player->InflictInvincible(-1);
  CCharacterEnemy* eater = Spawn(280, 3, 2);
  player->items[7] = Item(ManaStone, 99);
  eater->StartTurn();
  for (int turn = 0; turn < 100; ++turn) monstertest::MonsterTurn();
  EXPECT_NEAR(99 - player->GetItem(7)->GetCount(), 30, 12);
}

TEST_F(ManaEater, AStackUnderItGoesOneUnitPerAction) {
  PlacePlayer(5, 5);
  CCharacterEnemy* eater = Spawn(281, 1, 1);
  ASSERT_TRUE(floor_->PutItemAt(1, 1, Item(IronOre, 5)));
  eater->StartTurn();
  for (int turn = 1; turn <= 5; ++turn) {
    EXPECT_EQ(monstertest::MonsterTurn(), 1);
    CItem* left = floor_->GetItemAt(1, 1);
    if (turn < 5) {
      ASSERT_NE(left, nullptr);
      EXPECT_EQ(left->GetCount(), 5 - turn);
    } else {
      EXPECT_EQ(left, nullptr);
    }
    EXPECT_EQ(eater->x, 1);
  }
}

TEST_F(ManaEater, FoodOutOfSightIsNotSought) {
  // Two rooms; the food in the other one lies on the eater's own column.
  UseFloor({"#######", "#.....#", "#.....#", "#######", "#.....#", "#######"});
  auto* eater = static_cast<CCharacterManaEater*>(Spawn(280, 1, 1));
  ASSERT_TRUE(floor_->PutItemAt(1, 4, Item(ManaStone)));
  ASSERT_TRUE(floor_->PutItemAt(5, 2, Item(ManaStone)));
  eater->SearchPlayer();
  EXPECT_EQ(eater->targetX, 5);
  EXPECT_EQ(eater->targetY, 2);
}

TEST_F(ManaEater, ItHeadsForTheFoodItSeesAndEatsIt) {
  UseFloor({"#########", "#.......#", "#.......#", "#.......#", "#.......#", "#########"});
  PlacePlayer(7, 4);
  auto* eater = static_cast<CCharacterManaEater*>(Spawn(280, 1, 1));
  // The same row far off beats a diagonal two away: the smaller axis
  // distance decides.
  ASSERT_TRUE(floor_->PutItemAt(7, 1, Item(ManaStone)));
  ASSERT_TRUE(floor_->PutItemAt(3, 3, Item(ManaStone)));
  ASSERT_TRUE(floor_->PutItemAt(2, 2, Item(Stone)));  // not food
  eater->SearchPlayer();
  EXPECT_EQ(eater->targetX, 7);
  EXPECT_EQ(eater->targetY, 1);

  // Food on its own column would win as soon as it stood there; without it
  // the eater walks the row to its meal.
  delete floor_->GetItemAt(3, 3);
  floor_->RemoveItemAt(3, 3);
  eater->StartTurn();
  int turns = 0;
  while (floor_->GetItemAt(7, 1) && turns < 12) {
    monstertest::MonsterTurn();
    ++turns;
  }
  EXPECT_EQ(floor_->GetItemAt(7, 1), nullptr);
  EXPECT_EQ(eater->x, 7);
  EXPECT_EQ(turns, 7);  // six steps, then a meal
  // With nothing left to eat it goes for the player.
  eater->SearchPlayer();
  EXPECT_EQ(eater->targetX, 7);
  EXPECT_EQ(eater->targetY, 4);
}

}  // namespace
