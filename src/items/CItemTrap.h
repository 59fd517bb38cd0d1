#pragma once
// Traps (category 12, ids 0xC00-0xC07), one table row per kind. A trap lies
// hidden until it is sprung or revealed, and cannot be picked up or thrown.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct TrapRow {
  ItemId Id;
  TextId Name;
  TextId Description;
};

const TrapRow* FindTrapRow(ItemId id);
CItem* CreateTrap(ItemId id);

class CItemTrap : public CItem {
public:
  explicit CItemTrap(const TrapRow& row);

  CItem* Clone() const override;
  bool IsTrap() const override { return true; }
  bool CanPickUp() const override { return false; }
  bool CanThrow() const override { return false; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;

  const TrapRow& Row;
};
