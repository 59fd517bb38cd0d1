#pragma once
// Potions (category 8, ids 0x900-0x911), one table row per kind. Names and
// descriptions wait for the kind to be identified.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct PotionRow {
  ItemId Id;
  TextId Name;
  TextId Description;
};

const PotionRow* FindPotionRow(ItemId id);
CItem* CreatePotion(ItemId id);

class CItemPotion : public CItem {
public:
  explicit CItemPotion(const PotionRow& row);

  CItem* Clone() const override;
  bool IsUsable() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;

  const PotionRow& Row;
};
