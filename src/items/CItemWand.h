#pragma once
// Wands (category 10, ids 0xB00-0xB11), one table row per kind: five
// charges from the start. Names wait for the kind to be identified.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct WandRow {
  ItemId Id;
  TextId Name;
  TextId Description;
};

const WandRow* FindWandRow(ItemId id);
CItem* CreateWand(ItemId id);

class CItemWand : public CItem {
public:
  explicit CItemWand(const WandRow& row);

  CItem* Clone() const override;
  bool IsUsable() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  // The name and the charges left: "WAND OF FIRE(3)".
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;

  const WandRow& Row;
};
