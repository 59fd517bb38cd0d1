#pragma once
// Food (category 11, ids 0x700-0x702), one table row per kind: eaten for
// satiety, or thrown as a plain object that writes its damage line.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct FoodRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t IconX, IconY;
  std::int32_t UnitPrice;
  std::int32_t Satiety;  // gained by eating; shown as a twentieth
};

const FoodRow* FindFoodRow(ItemId id);
CItem* CreateFood(ItemId id);

class CItemClassFood : public CItem {
public:
  explicit CItemClassFood(const FoodRow& row);

  CItem* Clone() const override;
  bool IsUsable() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  // Eaten by the player, from its bag or its cell; the food is gone after.
  void Use() override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const FoodRow& Row;
};
