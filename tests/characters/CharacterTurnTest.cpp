#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterList.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterTestSupport.h"
#include "items/CItem.h"
#include "platform/Random.h"

namespace {

using chartest::ActionFrames;
using chartest::RecordingCharacter;
using chartest::TickUntilChange;
using Said = std::vector<std::string>;

int& Counter(CCharacter& c, StatusKind kind) { return c.status[static_cast<int>(kind)]; }

// ---- The turn update

TEST(CharacterTurn, CountersRunOutWithTheirCaptionsAndHooks) {
  struct Row {
    StatusKind Kind;
    Said Ending;
  };
  const Row rows[] = {
      {StatusKind::Quick, {"caption SLOW", "OnEffectEnd"}},
      {StatusKind::Slow, {"caption QUICK", "OnCure"}},
      {StatusKind::Sleep, {"caption CURE", "OnCure"}},
      {StatusKind::Confuse, {"caption CURE", "OnCure"}},
      {StatusKind::Poison, {"caption 1", "caption CURE", "OnCure"}},  // its last bite first
      {StatusKind::Paralyze, {"caption CURE", "OnCure"}},
      {StatusKind::Berserk, {}},
      {StatusKind::Invisible, {}},
      {StatusKind::Hold, {}},
      {StatusKind::Status11, {}},
      {StatusKind::Invincible, {"caption EFFECT END", "OnEffectEnd"}},
      {StatusKind::Status13, {}},
      {StatusKind::Status14, {}},
      {StatusKind::Weakness, {"caption CURE", "OnCure"}},
      {StatusKind::Regenerate, {"caption EFFECT END", "OnEffectEnd"}},
      {StatusKind::DoubleAttack, {"caption EFFECT END", "OnEffectEnd"}},
      {StatusKind::Resistance, {"caption EFFECT END", "OnEffectEnd"}},
      {StatusKind::StrUp, {"caption STR DOWN", "OnEffectEnd"}},
      {StatusKind::DefUp, {"caption DEF DOWN", "OnEffectEnd"}},
      {StatusKind::DexUp, {"caption DEX DOWN", "OnEffectEnd"}},
      {StatusKind::IntUp, {"caption INT DOWN", "OnEffectEnd"}},
  };
  for (const Row& r : rows) {
    RecordingCharacter c;
    c.hp = c.maxHp = 30;
    Counter(c, r.Kind) = 2;
    c.UpdateTurn();
    EXPECT_EQ(Counter(c, r.Kind), 1);
    c.Said.clear();
    c.UpdateTurn();
    EXPECT_EQ(Counter(c, r.Kind), 0);
    EXPECT_EQ(c.Said, r.Ending) << static_cast<int>(r.Kind);
  }

  // Dormant and disguised never count down; endless counters never change.
  RecordingCharacter c;
  Counter(c, StatusKind::Dormant) = 1;
  Counter(c, StatusKind::Disguise) = 1;
  Counter(c, StatusKind::Slow) = -1;
  Counter(c, StatusKind::Hold) = StatusForever;
  for (int turn = 0; turn < 3; ++turn) c.UpdateTurn();
  EXPECT_EQ(Counter(c, StatusKind::Dormant), 1);
  EXPECT_EQ(Counter(c, StatusKind::Disguise), 1);
  EXPECT_EQ(Counter(c, StatusKind::Slow), -1);
  EXPECT_EQ(Counter(c, StatusKind::Hold), StatusForever - 3);
  EXPECT_TRUE(c.Said.empty());
}

TEST(CharacterTurn, RegenerationHealsUpToTheMaximum) {
  CCharacter c;
  c.maxHp = 50;
  c.hp = 40;
  c.SetRegenerate(5, 7);
  c.UpdateTurn();
  EXPECT_EQ(c.hp, 47);
  c.UpdateTurn();
  EXPECT_EQ(c.hp, 50);
  c.SetRegenerate(5, -20);  // heals nothing rather than hurt
  c.UpdateTurn();
  EXPECT_EQ(c.hp, 50);
}

class CharacterPoison : public chartest::TurnFixture {};

TEST_F(CharacterPoison, RunsACharacterDownToItsDeath) {
  RecordingCharacter* c = Place<RecordingCharacter>(2, 2);
  c->frames = ActionFrames();
  c->SetAnimation(AnimationIdle);
  c->maxHp = 90;  // 90 x 3 / 90 = 3 a turn
  c->hp = 10;
  c->InflictPoison(-1);
  std::vector<int> hp;
  for (int turn = 0; turn < 5; ++turn) {
    c->UpdateTurn();
    hp.push_back(c->hp);
  }
  // Never the last hit point.
  EXPECT_EQ(hp, (std::vector<int>{7, 4, 1, 1, 1}));
  EXPECT_EQ(c->animEntry, AnimationIdle);

  // Whatever took the last point, poison does not give it back: it ends it.
  c->hp = -3;
  c->UpdateTurn();
  EXPECT_EQ(c->hp, 0);
  EXPECT_EQ(c->causeOfDeath, 404);
  EXPECT_EQ(c->animEntry, AnimationDying);
  EXPECT_EQ(Holds(), 1);
  // The dying chain cures, ends off the floor and gives the turn back.
  for (int frame = 0; frame < 10; ++frame) game_->Characters.UpdateAndPrune();
  EXPECT_EQ(game_->Characters.GetCount(), 0);
  EXPECT_EQ(floor_.GetCharacterAt(2, 2), nullptr);
  EXPECT_EQ(Holds(), 0);

  // Below 30 maximum hit points poison still takes one a turn.
  CCharacter small;
  small.maxHp = 29;
  small.hp = 20;
  small.InflictPoison(3);
  small.UpdateTurn();
  EXPECT_EQ(small.hp, 19);
}

// ---- Steps

class CharacterStep : public chartest::FloorFixture {};

TEST_F(CharacterStep, OneCellAlongTheFacing) {
  floor_.terrain[CellIndex(3, 2)] = 4;  // a wall inside the room
  struct Row {
    int FromX, FromY;
    Direction Facing;
    int PassesWalls;
    bool Moves;
  };
  const Row rows[] = {
      {2, 2, DirectionDown, 0, true},
      {2, 2, DirectionRight, 0, false},     // into the wall
      {2, 2, DirectionUpRight, 0, false},   // the wall is a corner of the diagonal
      {2, 3, DirectionUpRight, 0, false},   // ... and now the target
      {2, 2, DirectionUpRight, 1, true},    // unless it passes walls
      {1, 1, DirectionUpLeft, 0, false},    // off the room
      {4, 4, DirectionLeft, 0, false},      // someone stands there
      {2, 2, DirectionNone, 0, false},
  };
  for (const Row& r : rows) {
    CCharacter* c = Place(r.FromX, r.FromY);
    if (r.FromX == 4) Place(3, 4);
    c->direction = r.Facing;
    c->passesWalls = r.PassesWalls;
    EXPECT_EQ(c->StepForward(), r.Moves) << r.FromX << "," << r.FromY << " facing " << r.Facing;
    const int toX = r.FromX + DirectionDx(r.Facing), toY = r.FromY + DirectionDy(r.Facing);
    if (r.Moves) {
      EXPECT_EQ(floor_.GetCharacterAt(toX, toY), c);
      EXPECT_EQ(floor_.GetCharacterAt(r.FromX, r.FromY), nullptr);
      EXPECT_EQ(c->moveStep, 0);
    } else {
      EXPECT_EQ(c->x, r.FromX);
      EXPECT_EQ(c->y, r.FromY);
      EXPECT_EQ(floor_.GetCharacterAt(r.FromX, r.FromY), c);
      EXPECT_EQ(c->moveStep, 8);
    }
    RemoveEveryone();
  }
}

TEST_F(CharacterStep, TwoStepsLeaveATrailAndAutoMoveIsNotAnimated) {
  CCharacter* c = Place(1, 1);
  c->direction = DirectionDownRight;
  ASSERT_TRUE(c->StepForward());
  ASSERT_TRUE(c->StepForward());
  EXPECT_EQ(c->x, 3);
  EXPECT_EQ(c->y, 3);
  EXPECT_EQ(c->prevX, 2);
  EXPECT_EQ(c->prevY, 2);
  EXPECT_EQ(c->prevPrevX, 1);
  EXPECT_EQ(c->prevPrevY, 1);

  game_->AutoMove = 1;
  c->moveStep = 8;
  EXPECT_TRUE(c->StepForward());
  game_->AutoMove = 0;
  EXPECT_EQ(c->moveStep, 8);
  EXPECT_EQ(c->x, 4);
}

// ---- The action ranges and the turn's holds

// Counts what the ranges set off.
struct Actor : RecordingCharacter {
  bool PerformMeleeAttack() override {
    ++Blows;
    return CCharacter::PerformMeleeAttack();
  }
  void LaunchShot() override { ++Shots; }
  void OnThrow() override { ++Throws; }
  int Blows = 0, Shots = 0, Throws = 0;
};

class CharacterRanges : public chartest::TurnFixture {
protected:
  Actor* Fresh() {
    Actor* a = Place<Actor>(2, 2);
    a->frames = ActionFrames();
    a->hp = a->maxHp = 20;
    a->SetAnimation(AnimationIdle);
    return a;
  }
};

TEST_F(CharacterRanges, EveryRangeReleasesItsHoldOnEveryExit) {
  // How a range is left once it has been entered at its first entry.
  enum class Exit { Ticks, ToIdle, ReenteredThenTicks, IntoAnotherRange, OffTheFloor };
  const AnimationEntry ranges[] = {AnimationAttack, AnimationThrow, AnimationItemUse,
                                   AnimationAction, AnimationHurt,  AnimationDying};
  for (AnimationEntry first : ranges) {
    for (Exit exit : {Exit::Ticks, Exit::ToIdle, Exit::ReenteredThenTicks, Exit::IntoAnotherRange, Exit::OffTheFloor}) {
      const std::string what = "range " + std::to_string(first) + " exit " + std::to_string(static_cast<int>(exit));
      Actor* a = Fresh();
      a->SetAnimation(first);
      EXPECT_EQ(Holds(), 1) << what;
      switch (exit) {
        case Exit::Ticks:
          break;
        case Exit::ToIdle:
          a->SetAnimation(AnimationIdle);
          break;
        case Exit::ReenteredThenTicks:
          a->SetAnimation(first + 1);
          a->SetAnimation(first);  // the range holds once, however often entered
          EXPECT_EQ(Holds(), 1) << what;
          break;
        case Exit::IntoAnotherRange:
          a->SetAnimation(first == AnimationHurt ? AnimationDying : AnimationHurt);
          EXPECT_EQ(Holds(), 1) << what;
          break;
        case Exit::OffTheFloor:
          a->SetAnimation(AnimationGone);
          break;
      }
      // Whatever is still running plays out.
      for (int frame = 0; frame < 40; ++frame) game_->Characters.UpdateAndPrune();
      EXPECT_EQ(Holds(), 0) << what;
      RemoveEveryone();
    }
  }
}

TEST_F(CharacterRanges, WhatEachRangeSetsOff) {
  Actor* a = Fresh();
  a->SetAnimation(AnimationAttack);
  TickUntilChange(*a);
  EXPECT_EQ(a->Blows, 0);  // still attacking: 20 -> 21
  TickUntilChange(*a);
  EXPECT_EQ(a->Blows, 1);  // the blow lands as the attack is left

  a->SetAnimation(AnimationThrow);
  EXPECT_EQ(a->Throws, 1);
  TickUntilChange(*a);
  EXPECT_EQ(a->Shots, 1);  // entry 31
  a->shotEntries[0] = 32;
  a->SetAnimation(32);
  EXPECT_EQ(a->Shots, 2);

  // With hit entries the blow comes at those entries instead.
  a->meleeHitEntries[0] = 21;
  a->meleeHitEntries[1] = 21;
  a->SetAnimation(AnimationAttack);
  a->SetAnimation(21);
  a->SetAnimation(AnimationIdle);
  EXPECT_EQ(a->Blows, 3);

  // A blow wakes as the hurt pose starts.
  a->InflictSleep(5);
  a->InflictHold(5);
  a->InflictDormant(5);
  a->SetAnimation(AnimationHurt);
  EXPECT_FALSE(a->IsSleep());
  EXPECT_FALSE(a->IsHold());
  EXPECT_FALSE(a->IsDormant());
  TickUntilChange(*a);
  TickUntilChange(*a);
  EXPECT_EQ(a->animEntry, AnimationIdle);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(CharacterRanges, ThePlayersChosenItemActsInItsPose) {
  struct Potion : CItem {
    void Use() override { Uses.push_back("Use"); }
    void UseMagic() override { Uses.push_back("UseMagic"); }
    Said Uses;
  } potion;
  CItem* slots[2] = {nullptr, &potion};
  auto* player = Place<CCharacterPlayer>(3, 3);
  player->frames = ActionFrames();
  player->items = slots;
  player->itemCount = player->itemCapacity = 2;
  player->SetSelectedItem(1);
  player->itemUseEntries[0] = 41;
  game_->Player = player;
  // Whoever holds the pose, the item is the player's.
  Actor* other = Fresh();
  other->SetAnimation(AnimationItemUse);
  other->SetAnimation(AnimationIdle);
  player->SetAnimation(AnimationItemUse);
  TickUntilChange(*player);
  TickUntilChange(*player);
  EXPECT_EQ(potion.Uses, (Said{"Use", "UseMagic", "Use"}));
  EXPECT_EQ(Holds(), 0);
  // Nothing chosen: the pose still ends the turn's hold.
  player->SetSelectedItem(0);
  player->SetAnimation(AnimationItemUse);
  player->SetAnimation(AnimationIdle);
  EXPECT_EQ(Holds(), 0);
  player->items = nullptr;
  game_->Player = nullptr;
}

TEST_F(CharacterRanges, NoWalkingWhileUnableToMove) {
  for (StatusKind kind : {StatusKind::Sleep, StatusKind::Paralyze, StatusKind::Hold, StatusKind::Dormant}) {
    Actor* a = Fresh();
    a->SetAnimation(AnimationAttack);
    Counter(*a, kind) = 3;
    a->SetAnimation(AnimationWalk);
    EXPECT_EQ(a->animEntry, AnimationIdle) << static_cast<int>(kind);
    // Standing instead still leaves the attack as standing would.
    EXPECT_EQ(a->Blows, 1);
    EXPECT_EQ(Holds(), 0);
    RemoveEveryone();
  }
}

TEST_F(CharacterRanges, ADoubleAttackStrikesTwiceAndHoldsUntilTheSecondBlowEnds) {
  Actor* a = Fresh();
  a->InflictDoubleAttack(5);
  a->SetAnimation(AnimationAttack);
  TickUntilChange(*a);
  TickUntilChange(*a);
  // The second blow re-enters the attack and holds again.
  EXPECT_EQ(a->Blows, 1);
  EXPECT_EQ(a->animEntry, AnimationAttack);
  EXPECT_EQ(Holds(), 1);
  TickUntilChange(*a);
  TickUntilChange(*a);
  EXPECT_EQ(a->Blows, 2);
  EXPECT_EQ(a->animEntry, AnimationIdle);
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(a->doubleAttackCount, 0);

  // One blow each for an attacker without the status.
  a->ClearDoubleAttack();
  a->SetAnimation(AnimationAttack);
  a->SetAnimation(AnimationIdle);
  EXPECT_EQ(a->Blows, 3);
  EXPECT_EQ(a->animEntry, AnimationIdle);
}

// A blow taken while a double attack is under way (a counter, a fire)
// ends the attack: the hurt pose plays and every hold comes back.
TEST_F(CharacterRanges, AHurtPoseCutsADoubleAttackShortAndGivesEveryHoldBack) {
  for (int hurtAfterBlows : {0, 1}) {
    Actor* a = Fresh();
    a->InflictDoubleAttack(5);
    a->SetAnimation(AnimationAttack);
    if (hurtAfterBlows == 1) {
      TickUntilChange(*a);
      TickUntilChange(*a);
      ASSERT_EQ(a->animEntry, AnimationAttack);
    }
    a->SetAnimation(AnimationHurt);
    EXPECT_EQ(a->animEntry, AnimationHurt) << hurtAfterBlows;
    for (int frame = 0; frame < 40; ++frame) game_->Characters.UpdateAndPrune();
    EXPECT_EQ(a->animEntry, AnimationIdle) << hurtAfterBlows;
    EXPECT_EQ(Holds(), 0) << hurtAfterBlows;
    EXPECT_EQ(a->doubleAttackCount, 0) << hurtAfterBlows;
    RemoveEveryone();
  }
}

TEST_F(CharacterRanges, LeavingTheFloorIsForgottenByEffectsAndCharacters) {
  Actor* leaver = Fresh();
  CCharacter* bystander = Place(4, 4);
  bystander->lastAttacker = leaver;
  // A fire left burning for the leaver names it as owner and attacker.
  auto* fire = new CCharacter;
  fire->ownedList1 = std::make_unique<CCharacterList>();
  fire->ownedList1->PushBack(leaver);
  fire->ownedList1->PushBack(bystander);
  fire->lastAttacker = leaver;
  floor_.Effects.PushBack(fire);

  leaver->SetAnimation(AnimationGone);
  EXPECT_EQ(leaver->alive, 0);
  EXPECT_EQ(bystander->lastAttacker, nullptr);
  EXPECT_EQ(fire->lastAttacker, nullptr);
  EXPECT_EQ(fire->ownedList1->GetCount(), 1);
  EXPECT_EQ(fire->ownedList1->GetAt(1), bystander);
  // Gone, it takes no hold.
  leaver->SetAnimation(AnimationHurt);
  EXPECT_EQ(Holds(), 0);
  floor_.Effects.DeleteAll();
}

// ---- Sight

TEST_F(CharacterRanges, SightFadesWithTheStepOrTheScroll) {
  struct Row {
    int LightMode, Visible, MoveStep, Scroll, StartAlpha, Alpha;
  };
  const Row rows[] = {
      {2, 0, 8, 8, 0, 255},     // lit floors show everyone
      {1, 2, 8, 8, 0, 255},     // at rest: seen or not
      {1, 0, 8, 8, 255, 0},
      {1, 2, 2, 8, 0, 127},     // stepping (the tick makes it step 3): 4 x 255 / 8
      {1, 0, 5, 8, 255, 31},    // at step 6: (7 - 6) x 255 / 8
      {1, 2, 8, 5, 0, 191},     // the view scrolling: 6 x 255 / 8
      {1, 2, 8, 5, 255, 255},   // already shown
      {1, 0, 8, 5, 0, 0},       // already hidden
  };
  CCharacter* c = Place(3, 3);
  for (const Row& r : rows) {
    floor_.LightMode = r.LightMode;
    floor_.visible[CellIndex(3, 3)] = static_cast<std::uint8_t>(r.Visible);
    floor_.ScrollCounter = r.Scroll;
    c->moveStep = r.MoveStep;
    c->visibilityAlpha = static_cast<std::uint8_t>(r.StartAlpha);
    c->TickAnimation();
    EXPECT_EQ(c->visibilityAlpha, r.Alpha) << r.LightMode << " " << r.Visible << " " << r.MoveStep << " " << r.Scroll;
  }
}

TEST(CharacterPlayerStatus, WeaknessWearsOffForThePlayerOnly) {
  CCharacterPlayer player;
  CCharacter monster;
  SeedRandom(5);
  for (int i = 0; i < 200; ++i) {
    const int turns = player.GetWeaknessDuration();
    EXPECT_GE(turns, 8);
    EXPECT_LE(turns, 13);
  }
  EXPECT_EQ(monster.GetWeaknessDuration(), -1);
}

}  // namespace
