#include <gtest/gtest.h>

#include <algorithm>

#include "characters/CCharacter.h"
#include "characters/CCharacterList.h"
#include "characters/CharacterFactory.h"
#include "characters/CharacterTestSupport.h"
#include "platform/Random.h"

namespace {

using CharacterOnFloor = chartest::FloorFixture;
using chartest::Frames;

// Stats with distinct values, so that a getter reading the wrong field shows.
void GiveDistinctStats(CCharacter& c) {
  c.maxHp = 101;
  c.strength = 102;
  c.spareStat = 103;
  c.dexterity = 104;
  c.intelligence = 105;
  c.attack = 106;
  c.defence = 107;
  c.accuracy = 108;
  c.evasion = 109;
  c.magicDamageCut = 110;
  c.criticalChance = 111;
  c.counterDamagePercent = 112;
  c.exp = 113;
  c.selectedItem = 114;
  c.satiety = 5;
  c.sureHit = 1;
  c.SetPosition(7, 9);
}

TEST(CharacterInterface, NumericDefaults) {
  struct Row {
    const char* Name;
    long (*Get)(CCharacter&);
    long Expected;
  };
#define ROW(call, expected) {#call, [](CCharacter& c) -> long { return c.call; }, expected}
  const Row rows[] = {
      ROW(AuxQuery1(), 1), ROW(AuxQuery2(0), 1), ROW(AuxQuery3(0, 0), 1), ROW(AuxQuery4(), 1),
      ROW(GetFacingSign(), 1), ROW(GetSpriteColumn(), 0), ROW(GetSpriteRow(), 0),
      ROW(GetMeleeTarget(0) != nullptr, 0),
      ROW(GetX(), 7), ROW(GetY(), 9), ROW(GetDirection(), 8), ROW(DecideAction(), 0),
      ROW(DrawAt(0, 0, 1.0f, 1.0f, 255), 1), ROW(GetFacingDx(), 0), ROW(GetFacingDy(), 1),
      ROW(CanShareCellWithItem(), 1), ROW(IsMagicTarget(), 1),
      ROW(GetMaxHP(), 101), ROW(GetStr(), 102), ROW(GetSpareStat(), 103), ROW(GetDex(), 104),
      ROW(GetInt(), 105), ROW(GetMeleePower(), 102), ROW(GetShotPower(), 102), ROW(GetMagicPower(), 105),
      ROW(GetMeleeAttack(), 106), ROW(GetShotAttack(), 102), ROW(GetMagicAttack(), 105),
      ROW(GetWeaponAttack(), 106), ROW(GetBowAttack(), 102), ROW(GetShotDamage(), 102),
      ROW(GetDefense(), 107), ROW(GetDex2(), 104), ROW(GetMeleeDamage(), 106), ROW(GetAccuracy(), 108),
      ROW(GetEvasion(), 109), ROW(GetGuardChance(), 0), ROW(GetMagicDamageCut(), 110),
      ROW(GetFireDamageCut(), 0), ROW(GetTrapAvoidChance(), 0), ROW(GetHpRegenRate(), 100),
      ROW(GetHungerRate(), 100), ROW(IsStarving(), 0), ROW(GetExp(), 113), ROW(GetExpForLevel(5), 1),
      ROW(GetExpForNextLevel(5), 1), ROW(GetExpAtLevelEnd(5), 1), ROW(GetInventoryCapacity(), 0),
      ROW(GetItemCount(), 0), ROW(AddItem(nullptr), 0), ROW(GetItemAt(0) != nullptr, 0), ROW(CountItems(), 0),
      ROW(GetSelectedItem(), 114),
      ROW(Equip(nullptr), 0), ROW(EquipFromBag(7), 0), ROW(EquipItem(nullptr), 0), ROW(UnequipToBag(0), 0),
      ROW(EquipItem2(nullptr), 0), ROW(CanEquipSlot(7), 0), ROW(EquipItem3(nullptr), 0),
      ROW(CanUnequipSlot(0), 0), ROW(UseItem(7), 0), ROW(HasResurrection(), 0), ROW(HasTelepathy(), 0),
      ROW(GetStatusResistance(), 0), ROW(GetSlowResistance(), 0), ROW(GetSleepResistance(), 0),
      ROW(GetConfuseResistance(), 0), ROW(GetPoisonResistance(), 0), ROW(GetParalyzeResistance(), 0),
      ROW(GetBerserkResistance(), 0), ROW(GetStatus11Resistance(), 0), ROW(GetWeaknessResistance(), 0),
      ROW(GetDeathResistance(), 0),
      ROW(HasSpearAttack(), 0), ROW(HasBroadswordAttack(), 0), ROW(HasStaffAttack(), 0),
      ROW(UnequipWeapon(), 0), ROW(UnequipBodyArmor(), 0), ROW(AuxEquipQuery1(), 0), ROW(AuxEquipQuery2(), 0),
      ROW(HasWeaponEquipped(), 0), ROW(AuxEquipQuery3(), 0), ROW(AuxEquipQuery4(), 0),
      ROW(HasBodyArmorEquipped(), 0), ROW(AuxEquipQuery5(), 0), ROW(AuxEquipQuery6(), 0),
      ROW(AuxEquipQuery7(), 0), ROW(AuxEquipQuery8(), 0), ROW(AuxEquipQuery9(), 0),
      ROW(AuxEquipQuery10(), 0), ROW(AuxEquipQuery11(), 0),
      ROW(IsPoisonous(), 0), ROW(IsDragon(), 0), ROW(GetHealOnHit(), 0), ROW(GetDrainPercent(), 0),
      ROW(GetDrainPercentExtra(), 0), ROW(GetFireMagicAttack(), 0), ROW(GetCriticalChance(), 111),
      ROW(HasSureHit(), 1), ROW(GetDoubleAttackChance(), 0), ROW(GetDamagePercentVsPoisonous(), 100),
      ROW(GetDamagePercentVsDragon(), 100), ROW(GetMiningPower(), 1), ROW(RollHealOnHit(), 0),
      ROW(RollDrainPercent(), 0), ROW(RollDrainPercentExtra(), 0), ROW(GetCounterDamagePercent(), 112),
      ROW(GetHealWhenHitFlat(), 0), ROW(GetHealWhenHitPercent(), 0), ROW(GetMissileHealOnHit(), 0),
      ROW(GetMissileDrainPercent(), 0), ROW(GetShotSelfDamage(), 0), ROW(AuxMissileValue1(), 0),
      ROW(GetShotCriticalChance(), 0), ROW(HasShotSureHit(), 0), ROW(GetDoubleShotChance(), 0),
      ROW(RollShotCount(), 1), ROW(AuxMissileValue4(), 100), ROW(GetArrowKeepChance(), 0),
      ROW(RollMissileHealOnHit(), 0), ROW(RollMissileDrainPercent(), 0), ROW(RollShotSelfDamage(), 0),
      ROW(RollAuxMissileValue1(), 0), ROW(CalcScore(), 0), ROW(IsMiningPoint(), 0),
      ROW(GetOnHitTeleportChance(), 0), ROW(GetCounterTeleportChance(), 0), ROW(GetMissileTeleportChance(), 0),
#define CHANCE_ROWS(Name, Base, Range) \
  ROW(GetOnHit##Name##Chance(), 0), ROW(GetCounter##Name##Chance(), 0), ROW(GetMissile##Name##Chance(), 0),
      VORLUMEN_TIMED_STATUSES(CHANCE_ROWS)
#undef CHANCE_ROWS
  };
#undef ROW
  CCharacter c;
  GiveDistinctStats(c);
  for (const Row& r : rows) EXPECT_EQ(r.Get(c), r.Expected) << r.Name;
}

TEST(CharacterInterface, StatusesRaiseTheirChances) {
  CCharacter c;
  c.InflictResistance(3);
  c.InflictDoubleAttack(3);
  EXPECT_EQ(c.GetStatusResistance(), 100);
  EXPECT_EQ(c.GetSleepResistance(), 100);
  EXPECT_EQ(c.GetDeathResistance(), 0);
  EXPECT_EQ(c.GetDoubleAttackChance(), 100);
  EXPECT_EQ(c.RollDoubleAttack(), 2);
}

TEST(CharacterObject, ConstructorDefaults) {
  CCharacter c;
  EXPECT_EQ(c.alive, 1);
  EXPECT_EQ(c.satiety, 2000);
  EXPECT_EQ(c.accuracy, 100);
  EXPECT_EQ(c.evasion, 10);
  EXPECT_EQ(c.direction, DirectionDown);
  EXPECT_EQ(c.moveStep, 8);
  EXPECT_EQ(c.spriteScale, 4.0);
  EXPECT_EQ(c.visibilityAlpha, 255);
  EXPECT_EQ(c.alpha + c.red + c.green + c.blue, 4 * 255);
  EXPECT_TRUE(std::all_of(std::begin(c.meleeHitEntries), std::end(c.meleeHitEntries), [](int e) { return e == -1; }));
  EXPECT_TRUE(std::all_of(std::begin(c.shotEntries), std::end(c.shotEntries), [](int e) { return e == -1; }));
  EXPECT_TRUE(std::all_of(std::begin(c.status), std::end(c.status), [](int s) { return s == 0; }));
  EXPECT_EQ(c.lastAttacker, nullptr);
  EXPECT_EQ(c.GetCurrentFrame(), nullptr);
}

TEST(CharacterObject, PositionAndTurnStart) {
  CCharacter c;
  c.SetPosition(5, 7);
  EXPECT_EQ(c.prevX, 5);
  EXPECT_EQ(c.prevPrevX, 5);
  EXPECT_EQ(c.prevY, 7);
  EXPECT_EQ(c.prevPrevY, 7);
  c.x = 6;
  c.y = 8;
  c.StartTurn();
  EXPECT_EQ(c.prevX + c.prevPrevX + c.prevY + c.prevPrevY, 6 + 6 + 8 + 8);
  c.FaceDelta(-1, 1);
  EXPECT_EQ(c.GetDirection(), DirectionDownLeft);
  EXPECT_EQ(c.GetFacingSign(), -1);
  c.FaceDelta(0, 0);
  EXPECT_EQ(c.GetDirection(), DirectionNone);
  c.hp = 50;
  c.maxHp = 30;
  c.ClampHP();
  EXPECT_EQ(c.hp, 30);
  c.hp = 10;
  c.ClampHP();
  EXPECT_EQ(c.hp, 10);
}

TEST_F(CharacterOnFloor, ItemsWithoutAndWithAnInventory) {
  CCharacter* monster = Place(2, 3);
  int lying = 0;
  CItem* onCell = reinterpret_cast<CItem*>(&lying);  // identity only, never used as an item
  floor_.itemAt[CellIndex(2, 3)] = onCell;
  EXPECT_EQ(monster->GetItem(-1), onCell);
  for (int i : {-2, 0, 1, 36}) {
    EXPECT_EQ(monster->GetItem(i), nullptr) << i;
    EXPECT_EQ(monster->GetItemAt(i), nullptr) << i;
  }
  EXPECT_EQ(monster->GetItemAt(-1), nullptr);
  EXPECT_EQ(monster->CountItems(), 0);

  int held[3];
  CItem* slots[4] = {reinterpret_cast<CItem*>(&held[0]), reinterpret_cast<CItem*>(&held[1]), nullptr,
                     reinterpret_cast<CItem*>(&held[2])};
  monster->items = slots;
  monster->itemCapacity = 4;
  monster->itemCount = 4;
  EXPECT_EQ(monster->GetItemAt(1), slots[1]);
  EXPECT_EQ(monster->GetItem(3), slots[3]);
  EXPECT_EQ(monster->CountItems(), 2);  // the leading ones only
  monster->itemCount = 9;               // a count past the array reads nothing beyond it
  EXPECT_EQ(monster->GetItemAt(4), nullptr);
  monster->items = nullptr;
  monster->itemCount = monster->itemCapacity = 0;
  floor_.itemAt[CellIndex(2, 3)] = nullptr;
}

TEST(CharacterObject, CopiesPersistentStateOnly) {
  CCharacter source, dest;
  GiveDistinctStats(source);
  source.type = 300;
  source.dexterity = 0;  // keeps the destination's own
  source.intelligence = 33;
  source.status[static_cast<int>(StatusKind::Weakness)] = -1;
  source.status[static_cast<int>(StatusKind::IntUp)] = 4;
  source.regenAmount = 6;
  source.pendingStatus[2] = 9;
  source.itemCount = 5;
  source.animEntry = 12;
  source.holdTicks = 3;
  source.extraWords[3] = 44;
  source.actionPoints = 2;
  source.causeOfDeath = 404;
  CCharacter attacker;
  source.lastAttacker = &attacker;
  dest.dexterity = 21;
  dest.intelligence = 22;
  dest.frames = Frames(3, 1);

  dest.CopyStateFrom(&source);
  EXPECT_EQ(dest.type, 300);
  EXPECT_EQ(dest.maxHp, 101);
  EXPECT_EQ(dest.evasion, 109);
  EXPECT_EQ(dest.dexterity, 21);
  EXPECT_EQ(dest.intelligence, 33);
  EXPECT_EQ(dest.x, 7);
  EXPECT_EQ(dest.prevPrevY, 9);
  EXPECT_EQ(dest.status[static_cast<int>(StatusKind::Weakness)], -1);
  EXPECT_EQ(dest.status[static_cast<int>(StatusKind::IntUp)], 4);
  EXPECT_EQ(dest.regenAmount, 6);
  EXPECT_EQ(dest.animEntry, 12);
  EXPECT_EQ(dest.extraWords[3], 44);
  EXPECT_EQ(dest.actionPoints, 2);
  EXPECT_EQ(dest.selectedItem, 114);
  // Left as they were.
  EXPECT_EQ(dest.pendingStatus[2], 0);
  EXPECT_EQ(dest.itemCount, 0);
  EXPECT_EQ(dest.holdTicks, 0);
  EXPECT_EQ(dest.lastAttacker, nullptr);
  EXPECT_EQ(dest.causeOfDeath, 0);
  EXPECT_EQ(dest.frames.size(), 3u);
  dest.CopyStateFrom(nullptr);
  EXPECT_EQ(dest.type, 300);
}

TEST(CharacterAnimation, EntriesOutsideTheTablePlayIdle) {
  CCharacter c;
  c.frames = Frames(30, 2);
  c.SetAnimation(20);
  c.animTick = 1;
  c.SetAnimation(-1);
  EXPECT_EQ(c.animEntry, 20);
  EXPECT_EQ(c.animTick, 1);
  for (int entry : {30, 99, -2, 100000}) {
    c.SetAnimation(entry);
    EXPECT_EQ(c.animEntry, AnimationIdle) << entry;
  }
  CCharacter bare;  // no table: nothing to play, and nothing breaks
  bare.SetAnimation(15);
  EXPECT_EQ(bare.animEntry, AnimationIdle);
  bare.TickAnimation();
  EXPECT_EQ(bare.animEntry, AnimationIdle);
}

TEST(CharacterAnimation, TicksFollowTheTable) {
  CCharacter c;
  c.frames = Frames(30, 3);
  c.frames[21].next = 10;
  c.SetAnimation(20);
  for (int i = 0; i < 2; ++i) c.TickAnimation();
  EXPECT_EQ(c.animEntry, 20);
  c.TickAnimation();
  EXPECT_EQ(c.animEntry, 21);
  c.holdTicks = 2;  // hit-stop: two frames without progress
  for (int i = 0; i < 4; ++i) c.TickAnimation();
  EXPECT_EQ(c.animEntry, 21);
  c.TickAnimation();
  EXPECT_EQ(c.animEntry, 10);

  c.frames[12].next = -1;  // holds
  c.SetAnimation(12);
  for (int i = 0; i < 10; ++i) c.TickAnimation();
  EXPECT_EQ(c.animEntry, 12);

  // Walking and idle frames last twice as long while SLOW.
  c.InflictSlow(5);
  c.SetAnimation(11);
  for (int i = 0; i < 5; ++i) c.TickAnimation();
  EXPECT_EQ(c.animEntry, 11);
  c.TickAnimation();
  EXPECT_EQ(c.animEntry, 12);

  c.moveStep = 6;
  c.TickAnimation();
  c.TickAnimation();
  c.TickAnimation();
  EXPECT_EQ(c.moveStep, 8);
}

TEST_F(CharacterOnFloor, LeavingTheFloorForgetsTheCharacter) {
  CCharacter* victim = Place(2, 2);
  CCharacter* other = Place(3, 3);
  CCharacter* bystander = Place(4, 4);
  victim->lastAttacker = other;
  other->lastAttacker = victim;
  bystander->lastAttacker = victim;
  victim->frames = Frames(90, 1);
  victim->frames[80].next = 0;
  victim->SetAnimation(80);
  game_->Characters.UpdateAndPrune();  // the dying chain ends and the member goes at once
  EXPECT_EQ(game_->Characters.GetCount(), 2);
  EXPECT_EQ(other->lastAttacker, nullptr);
  EXPECT_EQ(bystander->lastAttacker, nullptr);
  EXPECT_EQ(floor_.GetCharacterAt(2, 2), nullptr);
  EXPECT_EQ(floor_.GetCharacterAt(3, 3), other);
}

TEST_F(CharacterOnFloor, TeleportGoesOutOfSightWhenItCan) {
  // Only the cells of column 5 are out of sight.
  floor_.Sight = [](int, int, int x2, int) { return x2 != 5; };
  chartest::RecordingCharacter* c = Place<chartest::RecordingCharacter>(1, 1);
  SeedRandom(42);
  for (int i = 0; i < 20; ++i) {
    c->TeleportRandom();
    EXPECT_EQ(c->x, 5);
    EXPECT_EQ(floor_.GetCharacterAt(c->x, c->y), c);
    EXPECT_EQ(c->prevX, 5);
  }
  EXPECT_EQ(c->Said.size(), 40u);
  EXPECT_EQ(c->Said.front(), "caption TELEPORT!");
  // The one draw picks among the hidden cells in column order: (5,1)-(5,5),
  // the character's own cell left out.
  const int fromY = c->y;
  SeedRandom(7);
  const int pick = Random() % 4;
  SeedRandom(7);
  c->TeleportRandom();
  int expected[4], n = 0;
  for (int y = 1; y <= 5; ++y)
    if (y != fromY) expected[n++] = y;
  EXPECT_EQ(c->y, expected[pick]);
}

TEST_F(CharacterOnFloor, TeleportInSightStillMoves) {
  CCharacter* c = Place(3, 3);
  SeedRandom(1);
  c->TeleportRandom();
  EXPECT_TRUE(c->x != 3 || c->y != 3);
  EXPECT_TRUE(floor_.IsFloor(c->x, c->y));
  EXPECT_EQ(floor_.GetCharacterAt(3, 3), nullptr);
}

TEST_F(CharacterOnFloor, TeleportOnAFullFloorChangesNothing) {
  chartest::RecordingCharacter* c = Place<chartest::RecordingCharacter>(1, 1);
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (x != 1 || y != 1) Place(x, y);
  SeedRandom(5);
  c->TeleportRandom();
  EXPECT_EQ(c->x, 1);
  EXPECT_EQ(c->y, 1);
  EXPECT_EQ(floor_.GetCharacterAt(1, 1), c);
  EXPECT_TRUE(c->Said.empty());
  const int next = Random();
  SeedRandom(5);
  EXPECT_EQ(next, Random());  // no number was drawn
}

TEST(CharacterObject, TeleportWithoutAFloorDoesNothing) {
  CCharacter c;
  c.SetPosition(2, 2);
  c.TeleportRandom();
  EXPECT_EQ(c.x, 2);
}

}  // namespace
