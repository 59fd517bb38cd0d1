#pragma once
// Materials (category 7, ids 0x800-0x823): alchemy ingredients that stack
// to 5, one table row per kind; three plants can also be eaten. Thrown, a
// material strikes as a plain object; the herbs heal or poison instead.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct MaterialRow {
  ItemId Id;
  TextId Name;
  std::int32_t UnitPrice;
  std::int32_t IconX, IconY;
  TextId Description;
  bool Usable;
};

const MaterialRow* FindMaterialRow(ItemId id);
CItem* CreateMaterial(ItemId id);

class CItemMaterial : public CItem {
public:
  explicit CItemMaterial(const MaterialRow& row);

  CItem* Clone() const override;
  bool IsUsable() const override { return Row.Usable; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  int GetUnitPrice() const override { return Row.UnitPrice; }
  // Eating one of the three plants: one of the stack goes.
  void Use() override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;

  const MaterialRow& Row;
};
