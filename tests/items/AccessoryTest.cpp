#include <gtest/gtest.h>

#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

// What the wearer reads of each kind; "melee and shot" values answer both.
TEST(Accessories, AnswerTheirConstants) {
  const GetterCase cases[] = {
      {"ring of strength", {0x600}, [](const CItem& i) { return i.GetStrengthBonus(); }, 3},
      {"ring of vitality", {0x602}, [](const CItem& i) { return i.GetMaxHpPercent(); }, 130},
      {"ring of protection: defence", {0x603}, [](const CItem& i) { return i.GetDefence(); }, 6},
      {"ring of protection: no attack", {0x603}, [](const CItem& i) { return i.GetAttack(); }, 10},
      {"ring of accuracy", {0x604}, [](const CItem& i) { return int(i.IsSureHit() && i.IsShotSureHit()); }, 1},
      {"ring of telepathy", {0x607}, [](const CItem& i) { return int(i.HasTelepathy()); }, 1},
      {"ring of critical, shots", {0x608}, [](const CItem& i) { return i.GetShotCriticalChance(); }, 30},
      {"ring of resistance", {0x609}, [](const CItem& i) { return i.GetStatusResistance(); }, 80},
      {"ring of regeneration", {0x60A}, [](const CItem& i) { return i.GetRegenerationPercent(); }, 200},
      {"tail of demon, shots", {0x60B}, [](const CItem& i) { return i.GetShotConfusionChance(); }, 20},
      {"scale: defence", {0x60C}, [](const CItem& i) { return i.GetDefence(); }, 4},
      {"scale: resistance", {0x60C}, [](const CItem& i) { return i.GetStatusResistance(); }, 65},
      {"dragon scale: defence", {0x60D}, [](const CItem& i) { return i.GetDefence(); }, 5},
      {"dragon scale: fire", {0x60D}, [](const CItem& i) { return i.GetFireDamageCut(); }, 50},
      {"samurai soul: STR", {0x60E}, [](const CItem& i) { return i.GetStrengthBonus(); }, 2},
      {"samurai soul: critical", {0x60E}, [](const CItem& i) { return i.GetCriticalChance(); }, 20},
      {"beast tusk", {0x60F}, [](const CItem& i) { return i.GetIntelligenceBonus(); }, -3},
      {"feather: DEX", {0x610}, [](const CItem& i) { return i.GetDexterityBonus(); }, 2},
      {"feather: evasion", {0x610}, [](const CItem& i) { return i.GetEvasion(); }, 20},
      {"gorgon head", {0x611}, [](const CItem& i) { return i.GetParalyzeCounterChance(); }, 20},
      {"devil wing: melee", {0x612}, [](const CItem& i) { return i.GetMeleeAttackPercent(); }, 130},
      {"devil wing: shots", {0x612}, [](const CItem& i) { return i.GetShotAttackPercent(); }, 130},
      {"devil wing: magic", {0x612}, [](const CItem& i) { return i.GetMagicAttackPercent(); }, 130},
      {"aqua necklace, shots", {0x613}, [](const CItem& i) { return i.GetShotPoisonChance(); }, 75},
      {"dragon crest", {0x614}, [](const CItem& i) { return i.GetFireMagicAttack(); }, 10},
      {"dragon crest, shots", {0x614}, [](const CItem& i) { return i.GetShotFireMagicAttack(); }, 10},
      {"zen mala beads: evasion", {0x615}, [](const CItem& i) { return i.GetEvasion(); }, 25},
      {"zen mala beads: critical", {0x615}, [](const CItem& i) { return i.GetCriticalChance(); }, 25},
      {"hunting trophies", {0x616}, [](const CItem& i) { return i.GetArrowKeepChance(); }, 75},
      {"talaria, shots", {0x617}, [](const CItem& i) { return i.GetShotDoubleAttackChance(); }, 25},
      {"gorgon eye", {0x618}, [](const CItem& i) { return i.GetParalyzeChance(); }, 25},
      {"talaria price", {0x617}, [](const CItem& i) { return i.GetTotalPrice(); }, 600},
      {"scale price", {0x60C}, [](const CItem& i) { return i.GetTotalPrice(); }, 500},
  };
  CheckGetters(cases);
}

// The ring of resurrection works through its id alone.
TEST(Accessories, TheRingOfResurrectionAnswersOnlyNeutralValues) {
  ItemPtr ring = Make(0x606);
  EXPECT_EQ(ring->GetAttack(), 10);
  EXPECT_EQ(ring->GetDefence(), 0);
  EXPECT_EQ(ring->GetMaxHpPercent(), 100);
  EXPECT_EQ(ring->GetRegenerationPercent(), 100);
  EXPECT_EQ(ring->GetEvasion(), 0);
  EXPECT_FALSE(ring->IsSureHit());
  EXPECT_EQ(ring->GetEnchantSlotCount(), 0);
  EXPECT_TRUE(ring->IsEquipment());
}

}  // namespace
