#include <gtest/gtest.h>

#include "characters/CCharacterPlayer.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

TEST(Protectors, DefenceAttackShotAndPriceByRefinementAndStones) {
  struct Case {
    Fused Piece;
    int BaseDefence, Defence, Attack, ShotPower, Price;
  };
  const Case cases[] = {
      // Silver Armor: DEF 9, unit price 160. Might adds 5; dark matter halves
      // the defence and gives the unhalved one to attack and shot.
      {{0x304}, 9, 9, 10, 10, 160},
      {{0x304, 1, {0xA0A}}, 10, 15, 10, 10, 312},
      {{0x304, 1, {0xA11}}, 10, 5, 20, 20, 792},
      // Gold Armor (DEF 12, unit price 640) at +8: defence 20. The
      // philosopher's stone gives half the defence, rounded up.
      {{0x307, 8, {0xA10}}, 20, 20, 20, 20, 2964},
      {{0x307, 8, {0xA11}}, 20, 10, 30, 30, 2964},
      // Two stones: the first of the two decides attack and shot, while dark
      // matter halves the defence wherever it sits; might counts first.
      {{0x307, 8, {0xA11, 0xA10}, 2}, 20, 10, 30, 30, 4264},
      {{0x307, 8, {0xA10, 0xA11}, 2}, 20, 10, 15, 15, 4264},
      {{0x307, 8, {0xA10, 0xA0A}, 2}, 20, 25, 23, 23, 3224},
      {{0x401, 0, {0xA0A, 0xA0A}, 2}, 2, 12, 10, 10, 220},
      // Wood Armor (DEF 2, unit price 20) at -5: a defence of -3 halves
      // toward zero.
      {{0x300, -5, {0xA11}}, -3, -1, 7, 7, 0},
      {{0x300, -1}, 1, 1, 10, 10, 16},
      // Demonium Armor: attack and shot +5 of its own.
      {{0x308}, 7, 7, 15, 15, 640},
      {{0x308, 0, {0xA11}}, 7, 3, 22, 22, 1140},
      // Wood Shield, unit price 10, with a stone of 20 at +2.
      {{0x400, 2, {0xA00}}, 3, 3, 10, 10, 42},
      // Plain Shinobi Clothes: no slot, so a stone there is nothing.
      {{0x3C0, 0, {0xA0A}}, 2, 2, 10, 10, 640},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.Piece));
    ItemPtr piece = Make(c.Piece);
    EXPECT_EQ(piece->GetBaseDefence(), c.BaseDefence);
    EXPECT_EQ(piece->GetDefence(), c.Defence);
    EXPECT_EQ(piece->GetAttack(), c.Attack);
    EXPECT_EQ(piece->GetShotPower(), c.ShotPower);
    EXPECT_EQ(piece->GetTotalPrice(), c.Price);
  }
}

const Getter Evasion = [](const CItem& i) { return i.GetEvasion(); };
const Getter Resistance = [](const CItem& i) { return i.GetStatusResistance(); };
const Getter FireCut = [](const CItem& i) { return i.GetFireDamageCut(); };
const Getter Counter = [](const CItem& i) { return i.GetCounterDamagePercent(); };
const Getter Regeneration = [](const CItem& i) { return i.GetRegenerationPercent(); };

// A protector has one slot; two are given where two stones must meet.
TEST(Protectors, StonesCombineBySumOnceKeepAndFirst) {
  const GetterCase cases[] = {
      // Sum.
      {"both healings", {0x303, 0, {0xA00, 0xA01}, 2}, [](const CItem& i) { return i.GetHealWhenHit(); }, 7},
      {"quick move and bushido", {0x303, 0, {0xA03, 0xA13}, 2}, Evasion, 50},
      {"wind", {0x303, 0, {0xA14}}, Evasion, 20},
      {"strength and beast", {0x303, 0, {0xA0D, 0xA17}, 2}, Counter, 70},
      {"fire", {0x303, 0, {0xA0C}}, FireCut, 50},
      {"dragon gives 75", {0x303, 0, {0xA16}}, FireCut, 75},
      // Once.
      {"two recharges", {0x303, 0, {0xA12, 0xA12}, 2}, [](const CItem& i) { return i.GetMagicDamageCut(); }, 50},
      {"mapping and wind", {0x303, 0, {0xA09, 0xA14}, 2}, [](const CItem& i) { return i.GetTrapAvoidChance(); }, 100},
      {"two vitalities", {0x303, 0, {0xA0E, 0xA0E}, 2}, Regeneration, 150},
      {"no vitality", {0x303}, Regeneration, 100},
      {"gorgon: sleep", {0x303, 0, {0xA18}}, [](const CItem& i) { return i.PreventsSleep(); }, 100},
      {"gorgon: poison", {0x303, 0, {0xA18}}, [](const CItem& i) { return i.PreventsPoison(); }, 100},
      {"gorgon: paralysis", {0x303, 0, {0xA18}}, [](const CItem& i) { return i.PreventsParalysis(); }, 100},
      {"gorgon: not slow", {0x303, 0, {0xA18}}, [](const CItem& i) { return i.PreventsSlow(); }, 0},
      {"demon: slow", {0x303, 0, {0xA19}}, [](const CItem& i) { return i.PreventsSlow(); }, 100},
      {"demon: confusion", {0x303, 0, {0xA19}}, [](const CItem& i) { return i.PreventsConfusion(); }, 100},
      {"demon: weakness", {0x303, 0, {0xA19}}, [](const CItem& i) { return i.PreventsWeakness(); }, 100},
      {"clearance: berserk", {0x303, 0, {0xA02}}, [](const CItem& i) { return i.PreventsBerserk(); }, 100},
      {"clearance: status 11", {0x303, 0, {0xA02}}, [](const CItem& i) { return i.PreventsStatus11(); }, 100},
      {"the poison stone", {0x303, 0, {0xA05}}, [](const CItem& i) { return i.PreventsPoison(); }, 100},
      // Keep.
      {"clearance", {0x303, 0, {0xA02}}, Resistance, 50},
      {"water", {0x303, 0, {0xA15}}, Resistance, 65},
      {"clearance and water", {0x303, 0, {0xA02, 0xA15}, 2}, Resistance, 83},
      {"two clearances", {0x303, 0, {0xA02, 0xA02}, 2}, Resistance, 75},
      {"no slot", {0x3C0, 0, {0xA02}}, Resistance, 0},
      // First: the attack of the table above, and shot power alike.
      {"dark matter first", {0x304, 1, {0xA11, 0xA10}, 2}, [](const CItem& i) { return i.GetShotPower(); }, 20},
      {"philosopher's stone first", {0x304, 1, {0xA10, 0xA11}, 2}, [](const CItem& i) { return i.GetShotPower(); },
       13},
  };
  CheckGetters(cases);
}

TEST(Protectors, KindRulesJoinTheStones) {
  const GetterCase cases[] = {
      // Evasion 30 and 35: the stones' evasion raises the kind's own.
      {"samurai armor", {0x381}, Evasion, 30},
      {"samurai armor with quick move", {0x381, 0, {0xA03}}, Evasion, 44},
      {"samurai armor with dexterity", {0x381, 0, {0xA0F}}, Evasion, 48},
      {"samurai helmet with bushido", {0x581, 0, {0xA13}}, Evasion, 51},
      {"shinobi clothes", {0x3C0}, Evasion, 30},
      {"kunoichi clothes", {0x3D0, 0, {0xA13}}, Evasion, 35},
      {"kunoichi clothes plus with quick move", {0x3D1, 0, {0xA03}}, Evasion, 48},
      // Resistance 65 and 80.
      {"scale shield", {0x483}, Resistance, 65},
      {"scale shield with clearance", {0x483, 0, {0xA02}}, Resistance, 83},
      {"scale armor with water", {0x382, 0, {0xA15}}, Resistance, 88},
      {"circlet of resistance", {0x58C}, Resistance, 80},
      {"circlet of resistance with clearance", {0x58C, 0, {0xA02}}, Resistance, 90},
      {"circlet of resistance with water", {0x58C, 0, {0xA15}}, Resistance, 93},
      // Dragon fire guard: 80 and the stones, at most 100.
      {"dragon helmet", {0x580}, FireCut, 80},
      {"dragon helmet with fire", {0x580, 0, {0xA0C}}, FireCut, 100},
      {"dragon shield with dragon", {0x482, 0, {0xA16}}, FireCut, 100},
      // Spikes: 30 and the stones.
      {"spike shield", {0x484}, Counter, 30},
      {"spike shield with beast", {0x484, 0, {0xA17}}, Counter, 70},
      {"spike armor with strength", {0x383, 0, {0xA0D}}, Counter, 60},
      // Guard 25, which no stone changes.
      {"round shield", {0x480, 0, {0xA03}}, [](const CItem& i) { return i.GetGuardChance(); }, 25},
      {"aegis shield", {0x481}, [](const CItem& i) { return i.GetGuardChance(); }, 25},
      {"iron shield", {0x403}, [](const CItem& i) { return i.GetGuardChance(); }, 0},
      // Poison counter of the Cobalt kinds.
      {"cobalt hat", {0x526}, [](const CItem& i) { return i.GetPoisonCounterChance(); }, 30},
      {"gold hat", {0x527}, [](const CItem& i) { return i.GetPoisonCounterChance(); }, 0},
      // Regeneration: a helmet with vitality, the circlet doubles.
      {"iron helmet with vitality", {0x503, 0, {0xA0E}}, Regeneration, 150},
      {"circlet of regeneration", {0x58D}, Regeneration, 200},
      {"circlet of regeneration with vitality", {0x58D, 0, {0xA0E}}, Regeneration, 300},
      // Shot +1 of cloaks, gloves and hunting caps.
      {"glove", {0x410}, [](const CItem& i) { return i.GetShotPower(); }, 11},
      {"cloak", {0x310}, [](const CItem& i) { return i.GetAttack(); }, 10},
      {"demonium hunting cap", {0x518}, [](const CItem& i) { return i.GetShotPower(); }, 16},
      {"cloak with dark matter", {0x314, 0, {0xA11}}, [](const CItem& i) { return i.GetShotPower(); }, 19},
  };
  CheckGetters(cases);
}

TEST(Circlets, EveryCircletGivesIntelligenceAndTheNamedOnesTheirOwn) {
  const GetterCase cases[] = {
      {"circlet", {0x582}, [](const CItem& i) { return i.GetIntelligenceBonus(); }, 2},
      {"circlet of strength: STR", {0x583}, [](const CItem& i) { return i.GetStrengthBonus(); }, 3},
      {"circlet of strength: INT", {0x583}, [](const CItem& i) { return i.GetIntelligenceBonus(); }, 2},
      {"circlet of strength: DEF", {0x583}, [](const CItem& i) { return i.GetDefence(); }, 2},
      {"circlet of dexterity", {0x584}, [](const CItem& i) { return i.GetDexterityBonus(); }, 3},
      {"circlet of vitality", {0x585}, [](const CItem& i) { return i.GetMaxHpPercent(); }, 130},
      {"circlet of protection", {0x586}, [](const CItem& i) { return i.GetDefence(); }, 8},
      {"circlet of accuracy", {0x587}, [](const CItem& i) { return int(i.IsSureHit()); }, 1},
      {"circlet of accuracy, shots", {0x587}, [](const CItem& i) { return int(i.IsShotSureHit()); }, 1},
      {"circlet of evasion", {0x588}, Evasion, 30},
      {"circlet of telepathy", {0x58A}, [](const CItem& i) { return int(i.HasTelepathy()); }, 1},
      {"circlet of critical", {0x58B}, [](const CItem& i) { return i.GetCriticalChance(); }, 30},
      {"circlet of critical, shots", {0x58B}, [](const CItem& i) { return i.GetShotCriticalChance(); }, 30},
      {"plain circlet: no telepathy", {0x582}, [](const CItem& i) { return int(i.HasTelepathy()); }, 0},
      {"plain circlet: max HP", {0x582}, [](const CItem& i) { return i.GetMaxHpPercent(); }, 100},
      // The evasion circlet costs 10, the plain one 640, the named ones 1200.
      {"circlet of evasion at +3", {0x588, 3}, [](const CItem& i) { return i.GetTotalPrice(); }, 16},
      {"circlet", {0x582}, [](const CItem& i) { return i.GetTotalPrice(); }, 640},
      {"circlet of resurrection", {0x589}, [](const CItem& i) { return i.GetTotalPrice(); }, 1200},
  };
  CheckGetters(cases);
}

// A player whose places hold what a test puts there.
class SlotPlayer : public CCharacterPlayer {
public:
  SlotPlayer() {
    items = Slots;
    itemCount = itemCapacity = 37;
  }
  CItem* Slots[37] = {};
};

class MagicPlusOne : public ::testing::Test {
protected:
  ~MagicPlusOne() override { GetGameMain()->Player = nullptr; }
};

// Robes, bracelets and hats add 1 to attack while the weapon place holds a
// magic weapon and 1 to the shot while the bow place does; outside a run
// there is no player and they add nothing.
TEST_F(MagicPlusOne, ReadsThePlayersWeaponAndBowPlaces) {
  struct Case {
    const char* What;
    ItemId Piece;
    Fused Weapon, Bow;  // id -1: the place is empty
    bool Player;
    int Attack, ShotPower;
  };
  const Case cases[] = {
      {"a robe with no player", 0x320, {0x014}, {0x100, 0, {0xA12}}, false, 10, 10},
      {"a robe and a staff", 0x320, {0x014}, {NoItem}, true, 11, 10},
      {"a hat and a sword of recharge", 0x520, {0x002, 0, {0xA12}}, {NoItem}, true, 11, 10},
      {"a hat and a plain sword", 0x520, {0x002}, {NoItem}, true, 10, 10},
      {"a bracelet and a bow of recharge", 0x420, {NoItem}, {0x100, 0, {0xA12}}, true, 10, 11},
      {"a bracelet and a plain bow", 0x420, {NoItem}, {0x100}, true, 10, 10},
      {"a demonium robe and both", 0x328, {0x014}, {0x100, 0, {0xA12}}, true, 16, 16},
      {"a cloak and a staff", 0x310, {0x014}, {NoItem}, true, 10, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    SlotPlayer player;
    ItemPtr weapon = Make(c.Weapon), bow = Make(c.Bow);
    player.Slots[0] = weapon.get();
    player.Slots[1] = bow.get();
    GetGameMain()->Player = c.Player ? &player : nullptr;
    ItemPtr piece = Make(c.Piece);
    EXPECT_EQ(piece->GetAttack(), c.Attack);
    EXPECT_EQ(piece->GetShotPower(), c.ShotPower);
    GetGameMain()->Player = nullptr;
  }
}

}  // namespace
