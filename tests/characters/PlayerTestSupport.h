#pragma once
// Players under test: an item whose every stat answer is set by name, a
// fixture that puts the language, the message window and the game's player
// back afterwards, and the invariants of the item places.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/FontSet.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace playertest {

// An item of a category whose stat answers are looked up by the getter's
// name; a name not set answers the neutral default every item answers.
class StatItem : public CItem {
public:
  explicit StatItem(ItemCategory category, std::map<std::string, int> values = {}) : Values(std::move(values)) {
    Category = category;
    Id = 0x000;  // any id of the catalogue will do for sorting
  }
  int Value(const char* name, int neutral) const {
    auto it = Values.find(name);
    return it == Values.end() ? neutral : it->second;
  }
#define VORLUMEN_STAT(Name, Neutral) \
  int Name() const override { return Value(#Name, Neutral); }
#define VORLUMEN_TEST(Name) \
  bool Name() const override { return Value(#Name, 0) != 0; }
  VORLUMEN_STAT(GetAttack, 10) VORLUMEN_STAT(GetShotPower, 10) VORLUMEN_STAT(GetDefence, 0)
  VORLUMEN_STAT(GetMeleeAttackPercent, 100) VORLUMEN_STAT(GetShotAttackPercent, 100)
  VORLUMEN_STAT(GetMagicAttackPercent, 100) VORLUMEN_STAT(GetStrengthBonus, 0) VORLUMEN_STAT(GetDexterityBonus, 0)
  VORLUMEN_STAT(GetIntelligenceBonus, 0) VORLUMEN_STAT(GetMaxHpPercent, 100) VORLUMEN_STAT(GetEvasion, 0)
  VORLUMEN_STAT(GetGuardChance, 0) VORLUMEN_STAT(GetMagicDamageCut, 0) VORLUMEN_STAT(GetFireDamageCut, 0)
  VORLUMEN_STAT(GetTrapAvoidChance, 0) VORLUMEN_STAT(GetStatusResistance, 0) VORLUMEN_STAT(PreventsSlow, 0)
  VORLUMEN_STAT(PreventsSleep, 0) VORLUMEN_STAT(PreventsConfusion, 0) VORLUMEN_STAT(PreventsPoison, 0)
  VORLUMEN_STAT(PreventsParalysis, 0) VORLUMEN_STAT(PreventsBerserk, 0) VORLUMEN_STAT(PreventsStatus11, 0)
  VORLUMEN_STAT(PreventsWeakness, 0) VORLUMEN_STAT(GetRegenerationPercent, 100)
  VORLUMEN_STAT(GetHungerRatePercent, 100) VORLUMEN_STAT(GetHealOnHit, 0) VORLUMEN_STAT(GetDrainPercent, 0)
  VORLUMEN_STAT(GetQuickChance, 0) VORLUMEN_STAT(GetSlowChance, 0) VORLUMEN_STAT(GetSleepChance, 0)
  VORLUMEN_STAT(GetConfusionChance, 0) VORLUMEN_STAT(GetPoisonChance, 0) VORLUMEN_STAT(GetParalyzeChance, 0)
  VORLUMEN_STAT(GetBerserkChance, 0) VORLUMEN_STAT(GetInvisibleChance, 0) VORLUMEN_STAT(GetHoldChance, 0)
  VORLUMEN_STAT(GetDormantChance, 0) VORLUMEN_STAT(GetStatus11Chance, 0) VORLUMEN_STAT(GetInvincibleChance, 0)
  VORLUMEN_STAT(GetStatus13Chance, 0) VORLUMEN_STAT(GetStatus14Chance, 0) VORLUMEN_STAT(GetWeaknessChance, 0)
  VORLUMEN_STAT(GetTeleportChance, 0) VORLUMEN_STAT(GetFireMagicAttack, 0) VORLUMEN_STAT(GetCriticalChance, 0)
  VORLUMEN_STAT(GetPoisonousFoeDamagePercent, 100) VORLUMEN_STAT(GetDragonSlayerPercent, 100)
  VORLUMEN_STAT(GetRecoilPercent, 0) VORLUMEN_STAT(GetDoubleAttackChance, 0) VORLUMEN_STAT(GetMiningPower, 0)
  VORLUMEN_STAT(GetCounterDamagePercent, 0) VORLUMEN_STAT(GetHealWhenHit, 0) VORLUMEN_STAT(GetHealWhenHitPercent, 0)
  VORLUMEN_STAT(GetQuickCounterChance, 0) VORLUMEN_STAT(GetSlowCounterChance, 0)
  VORLUMEN_STAT(GetSleepCounterChance, 0) VORLUMEN_STAT(GetConfusionCounterChance, 0)
  VORLUMEN_STAT(GetPoisonCounterChance, 0) VORLUMEN_STAT(GetParalyzeCounterChance, 0)
  VORLUMEN_STAT(GetBerserkCounterChance, 0) VORLUMEN_STAT(GetInvisibleCounterChance, 0)
  VORLUMEN_STAT(GetHoldCounterChance, 0) VORLUMEN_STAT(GetDormantCounterChance, 0)
  VORLUMEN_STAT(GetStatus11CounterChance, 0) VORLUMEN_STAT(GetInvincibleCounterChance, 0)
  VORLUMEN_STAT(GetStatus13CounterChance, 0) VORLUMEN_STAT(GetStatus14CounterChance, 0)
  VORLUMEN_STAT(GetWeaknessCounterChance, 0) VORLUMEN_STAT(GetTeleportCounterChance, 0)
  VORLUMEN_STAT(GetShotHealOnHit, 0) VORLUMEN_STAT(GetShotDrainPercent, 0) VORLUMEN_STAT(GetShotQuickChance, 0)
  VORLUMEN_STAT(GetShotSlowChance, 0) VORLUMEN_STAT(GetShotSleepChance, 0) VORLUMEN_STAT(GetShotConfusionChance, 0)
  VORLUMEN_STAT(GetShotPoisonChance, 0) VORLUMEN_STAT(GetShotParalyzeChance, 0)
  VORLUMEN_STAT(GetShotBerserkChance, 0) VORLUMEN_STAT(GetShotInvisibleChance, 0)
  VORLUMEN_STAT(GetShotHoldChance, 0) VORLUMEN_STAT(GetShotDormantChance, 0)
  VORLUMEN_STAT(GetShotStatus11Chance, 0) VORLUMEN_STAT(GetShotInvincibleChance, 0)
  VORLUMEN_STAT(GetShotStatus13Chance, 0) VORLUMEN_STAT(GetShotStatus14Chance, 0)
  VORLUMEN_STAT(GetShotWeaknessChance, 0) VORLUMEN_STAT(GetShotTeleportChance, 0)
  VORLUMEN_STAT(GetShotFireMagicAttack, 0) VORLUMEN_STAT(GetShotCriticalChance, 0)
  VORLUMEN_STAT(GetShotPoisonousFoeDamagePercent, 100) VORLUMEN_STAT(GetShotSelfDamage, 0)
  VORLUMEN_STAT(GetShotDoubleAttackChance, 0) VORLUMEN_STAT(GetArrowKeepChance, 0)
  VORLUMEN_STAT(GetWeaponKind, 0)
  VORLUMEN_TEST(HasTelepathy) VORLUMEN_TEST(IsSureHit) VORLUMEN_TEST(IsShotSureHit) VORLUMEN_TEST(IsMagicWeapon)
  VORLUMEN_TEST(HasReachAttack) VORLUMEN_TEST(HasWideAttack) VORLUMEN_TEST(HasRangedMagicShot)
#undef VORLUMEN_STAT
#undef VORLUMEN_TEST
  std::map<std::string, int> Values;
};

// Every place's item, worn places first, as ids (-1 for an empty place).
inline std::vector<ItemId> PlaceIds(const CCharacterPlayer& p) {
  std::vector<ItemId> ids;
  for (int slot = 0; slot < InventorySize; ++slot) {
    const CItem* item = p.GetItem(slot);
    ids.push_back(item ? item->GetId() : NoItem);
  }
  return ids;
}

// The places' invariants: the count is the filled places, worn places hold
// items of their category flagged worn, the bag is packed and sorted.
inline void ExpectSoundPlaces(const CCharacterPlayer& p) {
  int filled = 0;
  bool gap = false;
  int lastIndex = -1;
  for (int slot = 0; slot < InventorySize; ++slot) {
    const CItem* item = p.GetItem(slot);
    if (!item) {
      if (slot >= FirstBagSlot) gap = true;
      continue;
    }
    ++filled;
    if (slot < FirstBagSlot) {
      EXPECT_EQ(EquipmentSlotOf(item->GetCategory()), slot) << "place " << slot;
    } else {
      EXPECT_FALSE(gap) << "a gap before bag place " << slot;
      EXPECT_LE(lastIndex, item->GetCatalogueIndex()) << "bag place " << slot;
      lastIndex = item->GetCatalogueIndex();
    }
  }
  EXPECT_EQ(p.GetItemCount(), filled);
  EXPECT_EQ(p.CountItems(), filled);
}

inline CItem* Make(ItemId id, int count = 1) {
  CItem* item = CreateItem(id);
  if (item && count > 1) item->SetCount(count);
  return item;
}

// English, the message window empty and no player; all put back after.
class PlayerFixture : public ::testing::Test {
protected:
  void SetUp() override {
    game_ = GetGameMain();
    savedLanguage_ = game_->Settings.Block.Language;
    savedPlayer_ = game_->Player;
    game_->Settings.Block.Language = LanguageEnglish;
    game_->Player = nullptr;
    ApplyFontSet(game_->Fonts, true);
    Window()->BuildLayout();
    Window()->CloseMessage();
  }
  void TearDown() override {
    Window()->CloseMessage();
    game_->Settings.Block.Language = savedLanguage_;
    game_->Player = savedPlayer_;
  }
  static CGameInputMain* Window() { return GetGameInputMain(); }
  // The window's rows joined by '|'.
  static std::string Rows() {
    std::string s;
    for (int i = 0; i < CGameInputMain::MessageRowCount; ++i) s += std::string(Window()->GetMessageRow(i)) + "|";
    return s;
  }

  CGameMain* game_ = nullptr;
  std::uint32_t savedLanguage_ = 0;
  CCharacterPlayer* savedPlayer_ = nullptr;
};

}  // namespace playertest
