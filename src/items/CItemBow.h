#pragma once
// Bows (category 1, ids 0x100-0x10D) and arrows (category 2, ids
// 0x200-0x207): one table row per kind with its constants.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct BowRow {
  ItemId Id;
  TextId Name;
  std::int32_t ShotPower;
  std::int32_t IconX, IconY;
  TextId Description = -1;  // shown right behind the "SHT +%d" line
  // Own values.
  std::int32_t BaseDefence = 0;
  std::int32_t ShotPoison = 0;  // a fixed poison chance of the shot
};

struct ArrowRow {
  ItemId Id;
  TextId Name;
  std::int32_t ShotPower;
  std::int32_t IconX, IconY;
  TextId Description = -1;
  // Own values.
  std::int32_t ShotPoison = 0;
};

const BowRow* FindBowRow(ItemId id);
const ArrowRow* FindArrowRow(ItemId id);
CItem* CreateBow(ItemId id);
CItem* CreateArrow(ItemId id);

// Every bow has one enchant slot.
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
  int GetShotPoisonChance() const override { return Row.ShotPoison; }

  const BowRow& Row;
};

// Arrows stack to 999 and have no enchant slot.
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

  const ArrowRow& Row;
};
