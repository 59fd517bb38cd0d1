#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "characters/CCharacterPlayerChild.h"
#include "characters/PlayerTurnSupport.h"
#include "characters/PlayerTestSupport.h"
#include "platform/CMyInput.h"
#include "platform/Random.h"

namespace {

using chartest::TickUntilChange;
using efftest::SoundLog;
using Entries = std::vector<AnimationEntry>;

constexpr ItemId StoneShortsword = 0x000, StoneAxe = 0x005, StoneSpear = 0x00A, StoneBroadsword = 0x00F,
                 StoneStaff = 0x014, BeastClaw = 0x090, Katana = 0x0B0, Kunai = 0x0B8, ShortBow = 0x100,
                 WoodArrow = 0x200, IronArrow = 0x201;

// ---- The start of a turn

class PlayerTurn : public turntest::PlayerFloorFixture {};

int Captions(const CStageData& floor, const std::string& text) {
  int n = 0;
  for (CCharacter* c : const_cast<CStageData&>(floor).Effects.Walk())
    if (c->animEntry == EffectCaption && static_cast<CCharacterEffect*>(c)->GetCaption() == text) ++n;
  return n;
}

TEST_F(PlayerTurn, HungerRunsOutIntoStarvationAndDeath) {
  SoundLog sound;
  CCharacterFighter* p = PlacePlayer(3, 3);  // 30 HP at most
  p->hp = 2;
  p->satiety = 4;
  game_->AutoMove = 1;
  CMyInput* input = GetInput();
  input->InputHistory[InputRowLeft][0] = 1;
  input->InputHistory[InputRowF1][0] = 1;

  struct Turn {
    int Satiety, Hp, Regen, ActionPoints;
    AnimationEntry Entry;
  };
  const Turn expected[] = {
      {2, 2, 30, 2, AnimationIdle},    // 2 satiety a turn, 30 hundredths of HP
      {0, 2, 60, 4, AnimationIdle},    // hungry
      {0, 1, 60, 6, AnimationIdle},    // starving: 30 / 30 = 1 HP a turn
      {0, 0, 60, 8, AnimationDying},   // starved
  };
  for (const Turn& t : expected) {
    sound.NextFrame();
    p->StartTurn();
    EXPECT_EQ(p->satiety, t.Satiety);
    EXPECT_EQ(p->hp, t.Hp);
    EXPECT_EQ(p->regenProgress, t.Regen);
    EXPECT_EQ(p->actionPoints, t.ActionPoints);
    EXPECT_EQ(p->animEntry, t.Entry);
    if (t.Satiety == 0 && t.Hp == 2) {
      EXPECT_TRUE(sound.Played(37));
      EXPECT_EQ(game_->AutoMove, 0);
      EXPECT_EQ(input->InputHistory[InputRowLeft][0], -1) << "held keys stop acting";
      EXPECT_EQ(input->InputHistory[InputRowF1][0], 1);
    }
  }
  EXPECT_EQ(Captions(floor_, "HUNGRY!"), 1);
  EXPECT_EQ(p->causeOfDeath, 405);
  EXPECT_EQ(Holds(), 1) << "the dying pose holds the turn";
}

TEST_F(PlayerTurn, StarvingTakesAThirtiethOfMaxHpAtLeastOne) {
  CCharacterFighter* p = PlacePlayer(3, 3);
  for (const auto& [maxHpX100, loss] : {std::pair{2900, 1}, {3000, 1}, {6000, 2}, {9000, 3}}) {
    p->maxHpX100 = maxHpX100;
    p->hp = 20;
    p->satiety = 0;
    p->StartTurn();
    EXPECT_EQ(p->hp, 20 - loss) << maxHpX100;
  }
}

TEST_F(PlayerTurn, RegenerationHealsPastEachWholeHundred) {
  CCharacterFighter* p = PlacePlayer(3, 3);  // 30 hundredths a turn
  struct Case {
    int Progress, Hp;
    int ExpectedProgress, ExpectedHp;
  };
  const Case cases[] = {
      {70, 10, 100, 10},  // exactly 100 heals nothing yet
      {71, 10, 1, 11},
      {100, 10, 30, 11},
      {100, 30, 30, 30},  // at full HP the hundredths still go
      {100, 0, 30, 0},    // and at 0 HP they heal nothing
  };
  for (const Case& c : cases) {
    p->regenProgress = c.Progress;
    p->hp = c.Hp;
    p->satiety = 100;
    p->StartTurn();
    EXPECT_EQ(p->regenProgress, c.ExpectedProgress) << c.Progress << "/" << c.Hp;
    EXPECT_EQ(p->hp, c.ExpectedHp) << c.Progress << "/" << c.Hp;
  }
  // Many hundredths at once heal as many points, never past the maximum.
  p->hp = 10;
  p->regenProgress = 2000000000;
  p->StartTurn();
  EXPECT_EQ(p->hp, 30);
  EXPECT_GT(p->regenProgress, 0);
  EXPECT_LE(p->regenProgress, 100);
}

TEST_F(PlayerTurn, SlowHalvesTheTurnsEnergyAndTheTrailCatchesUp) {
  CCharacterFighter* p = PlacePlayer(3, 3);
  p->prevX = p->prevPrevX = 1;
  p->InflictSlow(3);
  p->StartTurn();
  EXPECT_EQ(p->actionPoints, 1);
  EXPECT_EQ(p->prevX, 3);
  EXPECT_EQ(p->prevPrevX, 3);
}

// ---- Commands

class PlayerActions : public turntest::PlayerFloorFixture {};

TEST_F(PlayerActions, AStepSlidesOverEightFramesAndARunDoesNot) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  ASSERT_TRUE(p->StepForward());
  EXPECT_EQ(floor_.GetCharacterAt(3, 3), p);
  EXPECT_EQ(p->prevX, 2);
  EXPECT_EQ(p->moveStep, 0);
  Tick(8);
  EXPECT_EQ(p->moveStep, 8);

  // A run steps without a slide; a wall stops it.
  game_->AutoMove = 1;
  ASSERT_TRUE(p->StepForward());
  ASSERT_TRUE(p->StepForward());
  EXPECT_EQ(p->x, 5);
  EXPECT_EQ(p->moveStep, 8);
  EXPECT_FALSE(p->StepForward());
  // A blow taken ends a run.
  p->SetAnimation(AnimationHurt);
  EXPECT_EQ(game_->AutoMove, 0);
}

// The entry each worn weapon swings with, and the turn held once while it
// plays and given back when it ends.
TEST_F(PlayerActions, EveryWeaponSwingsItsOwnPoseAndGivesTheTurnBack) {
  struct Case {
    ItemId Weapon;  // NoItem: bare hands
    Entries Pose;
  };
  const Case cases[] = {
      {NoItem, {20, 21, 22, 23, 10}},
      {StoneShortsword, {100, 101, 102, 103, 10}},
      {StoneAxe, {110, 111, 112, 113, 10}},
      {StoneSpear, {120, 121, 122, 123, 10}},
      {StoneBroadsword, {130, 131, 132, 133, 10}},
      {Katana, {130, 131, 132, 133, 130, 131, 132, 133, 10}},  // these two strike twice
      {Kunai, {130, 131, 132, 133, 130, 131, 132, 133, 10}},
      {StoneStaff, {150, 151, 152, 10}},
      {BeastClaw, {20, 21, 22, 23, 20, 21, 22, 23, 10}},  // it always strikes twice
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Weapon);
    RemoveEveryone();
    CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
    if (c.Weapon != NoItem) {
      ASSERT_NE(Give(*p, c.Weapon), nullptr);
    }
    p->SetAnimation(AnimationAttack);
    EXPECT_EQ(Holds(), 1);
    EXPECT_EQ(EntriesUntilIdle(*p), c.Pose);
    TickUntilNoEffects();
    EXPECT_EQ(Holds(), 0);
  }
}

TEST_F(PlayerActions, AnAttackWithAShortswordStrikesAtItsBlowAndWritesItsLine) {
  SoundLog sound;
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  Give(*p, StoneShortsword);
  CCharacter* foe = PlaceTarget(3, 3, 50);
  SeedRandom(11);
  p->SetAnimation(AnimationAttack);
  EXPECT_EQ(Line(0), "YOU ATTACKED!");
  TickUntilChange(*p);
  EXPECT_EQ(p->animEntry, 101);
  EXPECT_TRUE(sound.Played(22));
  EXPECT_EQ(foe->hp, 50 - 12);
  EXPECT_EQ(EntriesUntilIdle(*p).back(), AnimationIdle);
  EXPECT_EQ(Holds(), 0);
  // The draws of the blow (spread, hit, critical, guard) and of the double
  // attack roll, and no more.
  EXPECT_EQ(Random(), 22978);
}

TEST_F(PlayerActions, ABlowAtAnEmptyCellFindsTheTrapHiddenThere) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  CItem* trap = CreateItem(0xC00);
  ASSERT_NE(trap, nullptr);
  trap->SetRevealed(false);
  ASSERT_TRUE(floor_.PutItemAt(3, 3, trap));
  p->SetAnimation(AnimationAttack);
  EXPECT_FALSE(trap->IsRevealed()) << "only once the blow has ended";
  EntriesUntilIdle(*p);
  EXPECT_TRUE(trap->IsRevealed());
}

TEST_F(PlayerActions, TheStaffSendsItsReachShot) {
  SoundLog sound;
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  Give(*p, StoneStaff);
  p->SetAnimation(AnimationAttack);
  EXPECT_TRUE(sound.Played(53));
  EXPECT_EQ(Line(0), "YOU ATTACKED!") << "with nobody in front as well";
  TickUntilChange(*p);
  ASSERT_EQ(floor_.Effects.GetCount(), 1);
  EXPECT_EQ(First()->animEntry, EffectReachShot);
  EXPECT_EQ(First()->GetValue(), 3);
  EXPECT_EQ(First()->GetParticipant(), p);
}

// A bow worn turns a throw of arrows into a shot: the arrows fly one at a
// time and the turn waits for the last of them.
class PlayerShooting : public turntest::PlayerFloorFixture {
protected:
  CCharacterFighter* Archer(int arrows, int doubleShot) {
    CCharacterFighter* p = PlacePlayer(1, 3, DirectionRight);
    Give(*p, ShortBow);
    Give(*p, WoodArrow, arrows);
    if (doubleShot > 0) {
      auto* ring = new playertest::StatItem(ItemCategoryAccessory, {{"GetShotDoubleAttackChance", doubleShot}});
      EXPECT_TRUE(p->Equip(ring));
    }
    p->SetSelectedItem(ArrowSlot);
    return p;
  }
  // Arrows launched by the end of the action.
  int ShootAndCountArrows(CCharacterPlayer& p) {
    int launched = 0;
    p.SetAnimation(AnimationThrow);
    for (int i = 0; i < 300 && (p.animEntry != AnimationIdle || floor_.Effects.GetCount() > 0); ++i) {
      Tick();
      if (p.animEntry == 142 && p.animTick == 0) ++launched;
    }
    return launched;
  }
};

TEST_F(PlayerShooting, AShotWithABowFiresAnArrowAndHoldsTheTurnUntilItLands) {
  SoundLog sound;
  CCharacterFighter* p = Archer(5, 0);
  CCharacter* foe = PlaceTarget(4, 3);
  SeedRandom(3);
  p->SetAnimation(AnimationThrow);
  EXPECT_EQ(p->animEntry, 140);
  EXPECT_FALSE(sound.Played(23)) << "a shot is no throw";
  EXPECT_EQ(Line(0), "YOU SHOT AN ARROW!");
  EXPECT_EQ(Holds(), 1);
  TickUntilChange(*p);
  TickUntilChange(*p);
  EXPECT_EQ(p->animEntry, 142);
  EXPECT_TRUE(sound.Played(49));
  ASSERT_EQ(floor_.Effects.GetCount(), 1);
  EXPECT_EQ(First()->animEntry, EffectArrow);
  EXPECT_NE(First()->GetItem(), p->GetItem(ArrowSlot)) << "a copy flies";
  EXPECT_EQ(Holds(), 2) << "the shot's and the arrow's";
  EXPECT_EQ(EntriesUntilIdle(*p), (Entries{142, 10}));
  TickUntilNoEffects();
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(foe->hp, 20) << "what an arrow does is the arrow's own";
  EXPECT_TRUE(p->GetItem(ArrowSlot)->IsEquipped());
  EXPECT_EQ(p->shotsResolved, 0);
}

TEST_F(PlayerShooting, ADoubleShotFiresTwiceButNeverMoreThanTheArrowsHeld) {
  struct Case {
    int Arrows, DoubleShot, Shots;
  };
  for (const Case& c : {Case{5, 0, 1}, Case{5, 100, 2}, Case{1, 100, 1}}) {
    RemoveEveryone();
    CCharacterFighter* p = Archer(c.Arrows, c.DoubleShot);
    EXPECT_EQ(ShootAndCountArrows(*p), c.Shots) << c.Arrows << "/" << c.DoubleShot;
    EXPECT_EQ(Holds(), 0);
    EXPECT_EQ(p->doubleAttackCount, 0);
    EXPECT_EQ(p->shotsResolved, 0);
  }
}

TEST_F(PlayerShooting, ArrowsShotFromTheBagAreWornOnlyWhileTheyFly) {
  CCharacterFighter* p = Archer(5, 0);
  CItem* worn = p->GetItem(ArrowSlot);
  CItem* bag = Give(*p, IronArrow, 3, false);
  ASSERT_NE(bag, nullptr);
  const int slot = [&] {
    for (int s = FirstBagSlot; s < InventorySize; ++s)
      if (p->GetItem(s) == bag) return s;
    return -1;
  }();
  p->SetSelectedItem(slot);
  p->SetAnimation(AnimationThrow);
  EXPECT_FALSE(worn->IsEquipped());
  EXPECT_TRUE(bag->IsEquipped());
  for (int i = 0; i < 300 && (p->animEntry != AnimationIdle || floor_.Effects.GetCount() > 0); ++i) Tick();
  EXPECT_TRUE(worn->IsEquipped());
  EXPECT_FALSE(bag->IsEquipped());
  EXPECT_EQ(Holds(), 0);
}

// A thrown item flies as a copy and lands before the wall; a single one
// leaves the player, one of a stack leaves the rest.
class PlayerThrowing : public turntest::PlayerFloorFixture {
protected:
  void Throw(CCharacterPlayer& p, int slot) {
    p.SetSelectedItem(slot);
    p.SetAnimation(AnimationThrow);
    for (int i = 0; i < 300 && (p.animEntry != AnimationIdle || floor_.Effects.GetCount() > 0); ++i) {
      Tick();
      if (floor_.Effects.GetCount() > 0 && First()->GetStepsPerCell() > 0) flightEntry_ = First()->animEntry;
    }
  }
  AnimationEntry flightEntry_ = -1;
};

TEST_F(PlayerThrowing, AThrownSpearLandsBeforeTheWallAndLeavesTheHand) {
  SoundLog sound;
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  CItem* spear = Give(*p, StoneSpear);
  p->SetSelectedItem(WeaponSlot);
  p->SetAnimation(AnimationThrow);
  EXPECT_TRUE(sound.Played(23));
  EXPECT_EQ(Line(0), "YOU THREW STONE SPEAR!");
  EXPECT_EQ(Holds(), 1);
  Throw(*p, WeaponSlot);
  EXPECT_EQ(flightEntry_, EffectThrownWeapon + 20);
  EXPECT_EQ(p->GetItem(WeaponSlot), nullptr);
  EXPECT_EQ(floor_.GetItemAt(5, 3), spear);
  EXPECT_FALSE(spear->IsEquipped());
  EXPECT_EQ(Holds(), 0);
}

TEST_F(PlayerThrowing, KunaiFlyOneAtATimeFromTheirStack) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  CItem* kunai = Give(*p, Kunai, 6);
  Throw(*p, WeaponSlot);
  EXPECT_EQ(flightEntry_, EffectKunai);
  EXPECT_EQ(kunai->GetCount(), 5);
  EXPECT_TRUE(kunai->IsEquipped());
  CItem* landed = floor_.GetItemAt(5, 3);
  ASSERT_NE(landed, nullptr);
  EXPECT_EQ(landed->GetId(), Kunai);
  EXPECT_EQ(landed->GetCount(), 1);
  EXPECT_FALSE(landed->IsEquipped());

  // At someone: the kunai strikes it and never breaks, so one of the stack
  // lands by the foe.
  CCharacter* foe = PlaceTarget(4, 3, 500);
  foe->evasion = 0;
  floor_.RemoveItemAt(5, 3);
  delete landed;
  Throw(*p, WeaponSlot);
  EXPECT_EQ(kunai->GetCount(), 4);
  EXPECT_LT(foe->hp, 500);
  EXPECT_EQ(floor_.GetItemAt(5, 3), nullptr);
  ASSERT_NE(floor_.GetItemAt(4, 3), nullptr);
  EXPECT_EQ(floor_.GetItemAt(4, 3)->GetId(), Kunai);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(PlayerThrowing, AThrowAfterADoubleBlowIsOneFlightOfItsOwn) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  CItem* claw = Give(*p, BeastClaw);
  p->SetAnimation(AnimationAttack);
  EntriesUntilIdle(*p);
  ASSERT_EQ(p->doubleAttackTarget, 2);
  p->RemoveItem(claw);
  delete claw;
  Give(*p, Kunai, 3);
  Throw(*p, WeaponSlot);
  EXPECT_EQ(p->shotsResolved, 0) << "no flight left counted toward a later shot";
}

TEST_F(PlayerThrowing, AnItemWithNowhereToLandStaysWithThePlayer) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionRight);
  CItem* spear = Give(*p, StoneSpear);
  CItem* kunai = Give(*p, Kunai, 3, false);
  // Every cell of the room already holds an item.
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) ASSERT_TRUE(floor_.PutItemAt(x, y, CreateItem(0x800)));
  Throw(*p, WeaponSlot);
  EXPECT_EQ(p->GetItem(WeaponSlot), spear);
  EXPECT_TRUE(spear->IsEquipped());
  const int kunaiSlot = FirstBagSlot;
  ASSERT_EQ(p->GetItem(kunaiSlot), kunai);
  Throw(*p, kunaiSlot);
  EXPECT_EQ(kunai->GetCount(), 3);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(PlayerThrowing, PastTheMapsEdgeAThrownItemIsLost) {
  // A floor whose edge is open ground (as a lake's is).
  class OpenEdge : public chartest::TestFloor {
  public:
    using chartest::TestFloor::TestFloor;
    bool IsWall(int x, int y) const override { return IsOnMap(x, y) && chartest::TestFloor::IsWall(x, y); }
  };
  OpenEdge open(0, 1, 5, 5);
  game_->CurrentStage = &open;
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionLeft);
  int deleted = 0;
  auto* single = new efftest::TallyItem(&deleted);
  single->Category = ItemCategoryMaterial;
  ASSERT_TRUE(p->AddItem(single));
  CItem* stack = Give(*p, Kunai, 4);
  p->SetSelectedItem(WeaponSlot);
  p->EndItemShot();
  EXPECT_EQ(stack->GetCount(), 3);
  p->SetSelectedItem(FirstBagSlot);
  p->EndItemShot();
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(p->GetItem(FirstBagSlot), nullptr);
  RemoveEveryone();
  open.Effects.DeleteAll();
  game_->CurrentStage = &floor_;
}

TEST_F(PlayerActions, AWandZapStartsABoltFromThePlayer) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionUpRight);
  p->SpawnBoltEffect();
  ASSERT_EQ(floor_.Effects.GetCount(), 1);
  CCharacterEffect* bolt = First();
  EXPECT_EQ(bolt->animEntry, EffectWandBolt);
  EXPECT_EQ(bolt->GetX(), 2);
  EXPECT_EQ(bolt->GetY(), 3);
  EXPECT_EQ(bolt->GetDirection(), DirectionUpRight);
  EXPECT_EQ(bolt->GetParticipant(), p);
  EXPECT_EQ(bolt->GetValue(), -1) << "no range limit";
  EXPECT_EQ(Holds(), 1);
  TickUntilNoEffects();
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
