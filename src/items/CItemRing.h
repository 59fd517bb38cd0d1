#pragma once
// Accessories (category 6, ids 0x600-0x618): rings and monster-part charms,
// one table row per kind. Their names wait for the kind to be identified.
#include "items/CItem.h"
#include "items/ItemHits.h"
#include "platform/TextTable.h"

// What a kind answers; "melee and shot" values answer both getters.
struct RingValues {
  std::int32_t Defence = 0;
  std::int32_t Strength = 0;
  std::int32_t Dexterity = 0;
  std::int32_t Intelligence = 0;
  std::int32_t MaxHp = 100;
  std::int32_t AttackPercent = 100;  // melee, shot and magic
  std::int32_t Evasion = 0;
  std::int32_t Resistance = 0;
  std::int32_t FireCut = 0;
  std::int32_t Regeneration = 100;
  bool Telepathy = false;
  std::int32_t ParalyzeCounter = 0;
  std::int32_t ArrowKeep = 0;
  // Melee and shot.
  bool SureHit = false;
  std::int32_t Critical = 0;
  std::int32_t Confusion = 0;
  std::int32_t Poison = 0;
  std::int32_t Paralyze = 0;
  std::int32_t FireMagic = 0;
  std::int32_t DoubleAttack = 0;
  std::int32_t UnitPrice = 500;
};

struct RingRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t IconX, IconY;
  RingValues Values = {};
};

const RingRow* FindRingRow(ItemId id);
CItem* CreateRing(ItemId id);

// No enchant slot and no use: a kind answers a few getters with constants.
class CItemRing : public CItem {
public:
  explicit CItemRing(const RingRow& row);

  CItem* Clone() const override;
  bool IsEquipment() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  void ApplyHit(CCharacter* user, CCharacter* target) override { ApplyThrownAccessoryHit(user, target); }
  int GetMeleeAttackPercent() const override { return Row.Values.AttackPercent; }
  int GetShotAttackPercent() const override { return Row.Values.AttackPercent; }
  int GetMagicAttackPercent() const override { return Row.Values.AttackPercent; }
  int GetStrengthBonus() const override { return Row.Values.Strength; }
  int GetDexterityBonus() const override { return Row.Values.Dexterity; }
  int GetIntelligenceBonus() const override { return Row.Values.Intelligence; }
  int GetMaxHpPercent() const override { return Row.Values.MaxHp; }
  int GetEvasion() const override { return Row.Values.Evasion; }
  int GetFireDamageCut() const override { return Row.Values.FireCut; }
  int GetStatusResistance() const override { return Row.Values.Resistance; }
  bool HasTelepathy() const override { return Row.Values.Telepathy; }
  int GetRegenerationPercent() const override { return Row.Values.Regeneration; }
  int GetConfusionChance() const override { return Row.Values.Confusion; }
  int GetPoisonChance() const override { return Row.Values.Poison; }
  int GetParalyzeChance() const override { return Row.Values.Paralyze; }
  int GetFireMagicAttack() const override { return Row.Values.FireMagic; }
  int GetCriticalChance() const override { return Row.Values.Critical; }
  bool IsSureHit() const override { return Row.Values.SureHit; }
  int GetDoubleAttackChance() const override { return Row.Values.DoubleAttack; }
  int GetParalyzeCounterChance() const override { return Row.Values.ParalyzeCounter; }
  int GetShotConfusionChance() const override { return Row.Values.Confusion; }
  int GetShotPoisonChance() const override { return Row.Values.Poison; }
  int GetShotParalyzeChance() const override { return Row.Values.Paralyze; }
  int GetShotFireMagicAttack() const override { return Row.Values.FireMagic; }
  int GetShotCriticalChance() const override { return Row.Values.Critical; }
  bool IsShotSureHit() const override { return Row.Values.SureHit; }
  int GetShotDoubleAttackChance() const override { return Row.Values.DoubleAttack; }
  int GetArrowKeepChance() const override { return Row.Values.ArrowKeep; }
  int GetUnitPrice() const override { return Row.Values.UnitPrice; }

  const RingRow& Row;
};
