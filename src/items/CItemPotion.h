#pragma once
// Potions (category 8, ids 0x900-0x911), one table row per kind. Names and
// descriptions wait for the kind to be identified. Drunk by the player or
// thrown at a character, a potion does its one effect and is gone.
#include "items/CItem.h"
#include "platform/SoundTables.h"
#include "platform/TextTable.h"

struct PotionRow;
// What a kind does to the character it reaches.
using PotionEffect = void (*)(const PotionRow& row, CCharacter& user, CCharacter& target);

struct PotionRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t UnitPrice;
  SoundEffectId Sound;  // NoSound: none
  PotionEffect Effect;
  std::int32_t Amount;  // the effect's number: the HP healed
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
  // Drinking: satiety, then the effect on the player, the potion gone.
  void Use() override;
  // The kind's effect; the kind is known from then on.
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const PotionRow& Row;
};
