#pragma once
// Accessories (category 6, ids 0x600-0x618): rings and monster-part charms,
// one table row per kind. Their names wait for the kind to be identified.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct RingRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t IconX, IconY;
  std::int32_t BaseDefence = 0;
};

const RingRow* FindRingRow(ItemId id);
CItem* CreateRing(ItemId id);

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

  const RingRow& Row;
};
