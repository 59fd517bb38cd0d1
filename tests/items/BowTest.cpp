#include <gtest/gtest.h>

#include "characters/CCharacter.h"
#include "items/ItemTestSupport.h"
#include "platform/Random.h"

namespace {

using namespace itemtest;

TEST(Bows, ShotPowerDefenceAndPriceByRefinementAndStones) {
  struct Case {
    Fused Bow;
    int ShotPower, Defence, Price;
  };
  const Case cases[] = {
      // Iron Bow: shot power 14, unit price 80.
      {{0x103}, 14, 0, 80},
      {{0x103, 2}, 16, 0, 112},
      {{0x103, 0, {0xA0A}}, 19, 0, 180},
      {{0x103, 2, {0xA0A}}, 21, 0, 252},
      // Demonium Bow: shot power 23, base defence -5.
      {{0x108}, 23, -5, 640},
      {{0x108, 0, {0xA10}}, 23, 2, 1140},
      // Bow (shot power 11) brought down to 8 and 7 under the
      // philosopher's stone: the division rounds toward zero.
      {{0x100, 0, {0xA10}}, 11, 1, 510},
      {{0x100, -3, {0xA10}}, 8, 0, 204},
      {{0x100, -4, {0xA10}}, 7, -1, 102},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.Bow));
    ItemPtr bow = Make(c.Bow);
    EXPECT_EQ(bow->GetShotPower(), c.ShotPower);
    EXPECT_EQ(bow->GetDefence(), c.Defence);
    EXPECT_EQ(bow->GetTotalPrice(), c.Price);
    EXPECT_EQ(bow->GetAttack(), 10);  // a bow adds nothing to a blow
  }
}

const Getter Keep = [](const CItem& i) { return i.GetArrowKeepChance(); };
const Getter ShotCritical = [](const CItem& i) { return i.GetShotCriticalChance(); };
const Getter ShotPoison = [](const CItem& i) { return i.GetShotPoisonChance(); };

// A bow has one slot; two are given where two stones must meet.
TEST(Bows, StonesFeedTheShotBySumOnceAndKeep) {
  const GetterCase cases[] = {
      // Keep: each stone lets a share of the breaking chance through.
      {"no stone", {0x100}, Keep, 0},
      {"vitality", {0x100, 0, {0xA0E}}, Keep, 50},
      {"water", {0x100, 0, {0xA15}}, Keep, 75},
      {"vitality and water", {0x100, 0, {0xA0E, 0xA15}, 2}, Keep, 88},
      {"two vitalities", {0x100, 0, {0xA0E, 0xA0E}, 2}, Keep, 75},
      {"no slot", {0x100, 0, {0xA0E}, 0}, Keep, 0},
      {"candradhnus", {0x10C}, Keep, 90},
      {"candradhnus with vitality", {0x10C, 0, {0xA0E}}, Keep, 95},
      {"candradhnus with water", {0x10C, 0, {0xA15}}, Keep, 98},
      // Sum.
      {"strength", {0x100, 0, {0xA0D}}, ShotCritical, 30},
      {"strength and bushido", {0x100, 0, {0xA0D, 0xA13}, 2}, ShotCritical, 80},
      {"samurai bow", {0x109}, ShotCritical, 50},
      {"samurai bow with strength", {0x109, 0, {0xA0D}}, ShotCritical, 80},
      {"gorgon bow with paralyze", {0x10D, 0, {0xA07}}, [](const CItem& i) { return i.GetShotParalyzeChance(); }, 35},
      {"wind and beast", {0x100, 0, {0xA14, 0xA17}, 2}, [](const CItem& i) { return i.GetShotDoubleAttackChance(); },
       45},
      {"both healings", {0x100, 0, {0xA00, 0xA01}, 2}, [](const CItem& i) { return i.GetShotHealOnHit(); }, 8},
      // Once.
      {"two sleeps", {0x100, 0, {0xA08, 0xA08}, 2}, [](const CItem& i) { return i.GetShotSleepChance(); }, 30},
      {"two mights", {0x100, 0, {0xA0A, 0xA0A}, 2}, [](const CItem& i) { return i.GetShotPower(); }, 16},
      {"dark matter", {0x100, 0, {0xA11}}, [](const CItem& i) { return i.GetShotDrainPercent(); }, 30},
      {"clearance", {0x100, 0, {0xA02}}, [](const CItem& i) { return i.GetShotPoisonousFoeDamagePercent(); }, 200},
      {"no clearance", {0x100}, [](const CItem& i) { return i.GetShotPoisonousFoeDamagePercent(); }, 100},
      {"dexterity", {0x100, 0, {0xA0F}}, [](const CItem& i) { return int(i.IsShotSureHit()); }, 1},
      {"failnaught", {0x10B}, [](const CItem& i) { return int(i.IsShotSureHit()); }, 1},
      {"recharge", {0x100, 0, {0xA12}}, [](const CItem& i) { return int(i.IsMagicWeapon()); }, 1},
      {"devil bow", {0x10A}, [](const CItem& i) { return i.GetShotSelfDamage(); }, 10},
      // Bows take no poison from stones; the Cobalt Bow's is its own.
      {"water", {0x100, 0, {0xA15}}, ShotPoison, 0},
      {"the poison stone", {0x100, 0, {0xA05}}, ShotPoison, 0},
      {"cobalt bow", {0x106}, ShotPoison, 30},
      {"cobalt bow with the poison stone", {0x106, 0, {0xA05}}, ShotPoison, 30},
      // The melee getters stay untouched.
      {"strength, melee", {0x100, 0, {0xA0D}}, [](const CItem& i) { return i.GetCriticalChance(); }, 0},
      {"dexterity, melee", {0x100, 0, {0xA0F}}, [](const CItem& i) { return int(i.IsSureHit()); }, 0},
  };
  CheckGetters(cases);
}

TEST(Arrows, ShotPowerAndPriceCountTheStack) {
  ItemPtr iron = Make(0x202);
  iron->SetCount(20);
  EXPECT_EQ(iron->GetTotalPrice(), 160);
  iron->SetCount(21);
  EXPECT_EQ(iron->GetTotalPrice(), 168);
  EXPECT_EQ(iron->GetShotPower(), 14);
  iron->SetRefinement(2);
  EXPECT_EQ(iron->GetShotPower(), 16);
  EXPECT_EQ(iron->GetEnchantSlotCount(), 0);

  EXPECT_EQ(Make(0x205)->GetShotPoisonChance(), 100);
  EXPECT_EQ(Make(0x207)->GetShotSelfDamage(), 10);
  EXPECT_EQ(Make(0x206)->GetUnitPrice(), 96);
}

class Shooter : public CCharacter {
public:
  explicit Shooter(int keep) : Keep(keep) {}
  int GetArrowKeepChance() const override { return Keep; }
  int Keep;
};

// One game roll against the shooter's keep chance; an arrow never shot has
// none, and still draws its one number so that replays stay in step.
TEST(Arrows, OnlyTheShootersKeepChanceSavesAnArrow) {
  struct Case {
    const char* What;
    int Keep;  // -1: never shot
    bool Kept;
  };
  const Case cases[] = {{"never shot", -1, false}, {"keep 0", 0, false}, {"keep 100", 100, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Shooter shooter(c.Keep);
    ItemPtr arrow = Make(0x202);
    if (c.Keep >= 0) arrow->Thrower = &shooter;
    SeedRandom(7);
    EXPECT_EQ(arrow->RollUnbreakable(), c.Kept);
    const int next = Random();
    SeedRandom(7);
    Random();
    EXPECT_EQ(Random(), next);
  }
}

}  // namespace
