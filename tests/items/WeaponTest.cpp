#include <gtest/gtest.h>

#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

TEST(Weapons, AttackDefenceAndPriceByRefinementAndStones) {
  struct Case {
    Fused Weapon;
    int Attack, Defence, Price;
  };
  const Case cases[] = {
      // Stone Shortsword: attack 12, unit price 20.
      {{0x000}, 12, 0, 20},
      {{0x000, 3}, 15, 0, 32},
      {{0x000, 0, {0xA0A}}, 17, 0, 120},
      {{0x000, 0, {0xA0A, 0xA0A}}, 17, 0, 220},  // might once, priced twice
      // Iron Shortsword: unit price 80.
      {{0x002, 1}, 16, 0, 96},
      {{0x002, 3}, 18, 0, 128},
      {{0x002, -1}, 14, 0, 64},
      // Demonium Shortsword: attack 24, base defence -5; the philosopher's
      // stone gives back (attack - 9) / 2, after might.
      {{0x01C}, 24, -5, 640},
      {{0x01C, 0, {0xA10}}, 24, 2, 1140},
      {{0x01C, 2, {0xA10, 0xA0A}}, 31, 6, 1736},
      // Stone Spear (attack 11) brought down to 8 and 7: the division
      // rounds toward zero.
      {{0x00A, -3, {0xA10}}, 8, 0, 208},
      {{0x00A, -4, {0xA10}}, 7, -1, 104},
      // An axe has one slot: a stone behind it counts for nothing.
      {{0x005, 0, {NoItem, 0xA0A}}, 14, 0, 20},
      // Ids that are no stone add nothing to the price.
      {{0x005, 0, {0xA05}}, 14, 0, 20},
      {{0x005, 0, {0x000}}, 14, 0, 20},
      // Katana of Shinobi: no slot; its Plus takes one.
      {{0x0B0, 0, {0xA0A}}, 11, 0, 640},
      {{0x0B1, 0, {0xA0A}}, 16, 0, 740},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.Weapon));
    ItemPtr weapon = Make(c.Weapon);
    EXPECT_EQ(weapon->GetAttack(), c.Attack);
    EXPECT_EQ(weapon->GetDefence(), c.Defence);
    EXPECT_EQ(weapon->GetTotalPrice(), c.Price);
  }
}

TEST(Weapons, AStackIsPricedAsOnePiece) {
  ItemPtr kunai = Make(0x0B8);
  kunai->SetCount(20);
  EXPECT_EQ(kunai->GetStackLimit(), 999);
  EXPECT_EQ(kunai->GetTotalPrice(), 640);
}

const Getter Critical = [](const CItem& i) { return i.GetCriticalChance(); };
const Getter Sleep = [](const CItem& i) { return i.GetSleepChance(); };
const Getter Poison = [](const CItem& i) { return i.GetPoisonChance(); };
const Getter Paralyze = [](const CItem& i) { return i.GetParalyzeChance(); };
const Getter DoubleAttack = [](const CItem& i) { return i.GetDoubleAttackChance(); };
const Getter Unbreakable = [](const CItem& i) { return i.GetUnbreakableChance(); };

TEST(Weapons, StonesAddUpOrCountOnce) {
  const GetterCase cases[] = {
      // Sum: every stone adds, of one kind or of several.
      {"two criticals", {0x000, 0, {0xA0D, 0xA0D}}, Critical, 60},
      {"both criticals", {0x000, 0, {0xA0D, 0xA13}}, Critical, 80},
      {"both healings", {0x000, 0, {0xA00, 0xA01}}, [](const CItem& i) { return i.GetHealOnHit(); }, 8},
      {"wind and beast", {0x000, 0, {0xA14, 0xA17}}, DoubleAttack, 45},
      {"two waters", {0x000, 0, {0xA15, 0xA15}}, Poison, 60},
      {"the poison stone", {0x000, 0, {0xA05}}, Poison, 20},
      {"fire and dragon", {0x000, 0, {0xA0C, 0xA16}}, [](const CItem& i) { return i.GetFireMagicAttack(); }, 15},
      {"paralyze and gorgon", {0x000, 0, {0xA07, 0xA18}}, Paralyze, 40},
      {"confusion and demon", {0x000, 0, {0xA06, 0xA19}}, [](const CItem& i) { return i.GetConfusionChance(); }, 50},
      // Once: a second stone adds nothing.
      {"two sleeps", {0x000, 0, {0xA08, 0xA08}}, Sleep, 30},
      {"two slows", {0x000, 0, {0xA04, 0xA04}}, [](const CItem& i) { return i.GetSlowChance(); }, 20},
      {"mapping", {0x000, 0, {0xA09}}, [](const CItem& i) { return i.GetTeleportChance(); }, 20},
      {"weakness", {0x000, 0, {0xA0B, 0xA0B}}, [](const CItem& i) { return i.GetWeaknessChance(); }, 40},
      {"dark matter", {0x000, 0, {0xA11, 0xA11}}, [](const CItem& i) { return i.GetDrainPercent(); }, 30},
      {"no clearance", {0x000}, [](const CItem& i) { return i.GetPoisonousFoeDamagePercent(); }, 100},
      {"two clearances", {0x000, 0, {0xA02, 0xA02}}, [](const CItem& i) { return i.GetPoisonousFoeDamagePercent(); },
       200},
      {"vitality and water", {0x000, 0, {0xA0E, 0xA15}}, Unbreakable, 100},
      {"no stone", {0x000}, Unbreakable, 0},
      {"dexterity and wind", {0x000, 0, {0xA0F, 0xA14}}, [](const CItem& i) { return int(i.IsSureHit()); }, 1},
      {"no sure hit", {0x000, 0, {0xA0D}}, [](const CItem& i) { return int(i.IsSureHit()); }, 0},
      {"recharge", {0x000, 0, {0xA12}}, [](const CItem& i) { return int(i.IsMagicWeapon()); }, 1},
      {"a stone past the slot count", {0x005, 0, {NoItem, 0xA0D}}, Critical, 0},
  };
  CheckGetters(cases);
}

TEST(Weapons, OwnValuesReplaceOrJoinTheStoneRule) {
  const GetterCase cases[] = {
      {"samurai sword", {0x088}, Critical, 50},
      {"samurai sword with bushido", {0x088, 0, {0xA13}}, Critical, 100},
      {"caduceus", {0x0A0}, Sleep, 20},
      {"caduceus with sleep", {0x0A0, 0, {0xA08}}, Sleep, 50},
      {"caduceus with two sleeps", {0x0A0, 0, {0xA08, 0xA08}}, Sleep, 50},
      {"cobalt sword", {0x01A}, Poison, 30},
      {"cobalt sword with water", {0x01A, 0, {0xA15}}, Poison, 30},
      {"cobalt sword with two waters", {0x01A, 0, {0xA15, 0xA15}}, Poison, 30},
      {"trident", {0x0A8, 0, {0xA15}}, Poison, 30},
      {"trident returns", {0x0A8}, [](const CItem& i) { return i.GetReturnChance(); }, 100},
      {"gorgon sword with gorgon", {0x0C0, 0, {0xA18}}, Paralyze, 45},
      {"gorgon staff with two paralyzes", {0x0C2, 0, {0xA07, 0xA07}}, Paralyze, 50},
      {"beast claw with quick move", {0x090, 0, {0xA03}}, DoubleAttack, 100},
      {"katana", {0x0B0}, DoubleAttack, 100},
      {"katana plus with quick move", {0x0B1, 0, {0xA03}}, DoubleAttack, 120},
      {"kunai plus with beast", {0x0B9, 0, {0xA17}}, DoubleAttack, 100},
      {"kunai", {0x0B8}, Unbreakable, 100},
      {"kunai plus with vitality", {0x0B9, 0, {0xA0E}}, Unbreakable, 100},
      {"dragon sword", {0x080}, [](const CItem& i) { return i.GetDragonSlayerPercent(); }, 200},
      {"iron sword against dragons", {0x002}, [](const CItem& i) { return i.GetDragonSlayerPercent(); }, 100},
      {"devil axe", {0x099}, [](const CItem& i) { return i.GetRecoilPercent(); }, 10},
      {"iron sword recoil", {0x002}, [](const CItem& i) { return i.GetRecoilPercent(); }, 0},
  };
  CheckGetters(cases);
}

TEST(Weapons, TheKindDecidesTheShapeOfTheBlow) {
  struct Case {
    ItemId Id;
    WeaponKind Kind;
    bool Reach, Wide, Magic;
    int Mining;
  };
  const Case cases[] = {
      {0x002, WeaponKindShortsword, false, false, false, 0}, {0x007, WeaponKindAxe, false, false, false, 1},
      {0x0C1, WeaponKindSpear, true, false, false, 0},       {0x011, WeaponKindBroadsword, false, true, false, 0},
      {0x017, WeaponKindStaff, false, false, true, 0},       {0x090, WeaponKindNone, false, false, false, 0},
      {0x0B9, WeaponKindNone, false, false, false, 0},
  };
  for (const Case& c : cases) {
    ItemPtr w = Make(c.Id);
    SCOPED_TRACE(c.Id);
    EXPECT_EQ(w->GetWeaponKind(), c.Kind);
    EXPECT_EQ(w->HasReachAttack(), c.Reach);
    EXPECT_EQ(w->HasWideAttack(), c.Wide);
    EXPECT_EQ(w->IsMagicWeapon(), c.Magic);
    EXPECT_EQ(w->HasRangedMagicShot(), c.Magic);
    EXPECT_EQ(w->GetMiningPower(), c.Mining);
  }
}

}  // namespace
