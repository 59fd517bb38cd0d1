#pragma once
// Bows (category 1, ids 0x100-0x10D) and arrows (category 2, ids
// 0x200-0x207): one table row per kind with its constants.
#include "items/CItem.h"
#include "items/StoneRules.h"
#include "platform/TextTable.h"

// What a few bows answer of their own.
struct BowOwnValues {
  std::int32_t BaseDefence = 0;
  std::int32_t ShotPoison = 0;    // fixed: bows take no poison from stones
  std::int32_t Critical = 0;      // added to the stone sum of the shot
  std::int32_t Paralyze = 0;      // added to the stone sum of the shot
  bool SureHit = false;           // every shot hits
  std::int32_t SelfDamage = 0;    // percent of a shot's damage taken back
  // The arrow-keep chance k of the stones becomes 100 - (100 - k) / this.
  std::int32_t ArrowBreakDivisor = 1;
};

struct BowRow {
  ItemId Id;
  TextId Name;
  std::int32_t ShotPower;
  std::int32_t UnitPrice;
  std::int32_t IconX, IconY;
  TextId Description = -1;  // shown right behind the "SHT +%d" line
  BowOwnValues Own = {};
};

struct ArrowRow {
  ItemId Id;
  TextId Name;
  std::int32_t ShotPower;
  std::int32_t UnitPrice;
  std::int32_t IconX, IconY;
  TextId Description = -1;
  // Own values.
  std::int32_t ShotPoison = 0;
  std::int32_t SelfDamage = 0;
};

const BowRow* FindBowRow(ItemId id);
const ArrowRow* FindArrowRow(ItemId id);
CItem* CreateBow(ItemId id);
CItem* CreateArrow(ItemId id);

// Every bow has one enchant slot; its stones feed the shot getters, its
// melee getters keep the item defaults.
class CItemClassBow : public CItem {
public:
  explicit CItemClassBow(const BowRow& row);

  CItem* Clone() const override;
  bool IsEquipment() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  int GetBaseShotPower() const override { return BaseShotPower + Refinement; }
  int GetShotPower() const override;
  int GetDefence() const override;
  bool IsMagicWeapon() const override;
  int GetShotHealOnHit() const override;
  int GetShotDrainPercent() const override;
  int GetShotSlowChance() const override;
  int GetShotSleepChance() const override;
  int GetShotConfusionChance() const override;
  int GetShotPoisonChance() const override { return Row.Own.ShotPoison; }
  int GetShotParalyzeChance() const override;
  int GetShotWeaknessChance() const override;
  int GetShotTeleportChance() const override;
  int GetShotFireMagicAttack() const override;
  int GetShotCriticalChance() const override;
  bool IsShotSureHit() const override;
  int GetShotPoisonousFoeDamagePercent() const override;
  int GetShotSelfDamage() const override { return Row.Own.SelfDamage; }
  int GetShotDoubleAttackChance() const override;
  int GetArrowKeepChance() const override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetTotalPrice() const override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const BowRow& Row;

private:
  int Stones(StoneStat stat) const;
};

// Arrows stack to 999 and have no enchant slot. Whether a shot arrow
// survives is its shooter's arrow-keep chance, not the arrow's own.
class CItemClassArrow : public CItem {
public:
  explicit CItemClassArrow(const ArrowRow& row);

  CItem* Clone() const override;
  bool IsEquipment() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  int GetBaseShotPower() const override { return BaseShotPower + Refinement; }
  int GetShotPower() const override { return BaseShotPower + Refinement; }
  int GetShotPoisonChance() const override { return Row.ShotPoison; }
  int GetShotSelfDamage() const override { return Row.SelfDamage; }
  // One game roll against the keep chance of the character that shot it;
  // an arrow never shot has none.
  bool RollUnbreakable() const override;
  bool RollThrowHit(CCharacter* user, CCharacter* target) override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const ArrowRow& Row;
};
