#pragma once
// Wands (category 10, ids 0xB00-0xB11), one table row per kind: five
// charges from the start. Names wait for the kind to be identified. A zap
// costs a charge and helps the player at once, or sends a bolt along its
// facing that strikes the first living character in line.
#include "items/CItem.h"
#include "items/ItemEffects.h"
#include "platform/SoundTables.h"
#include "platform/TextTable.h"

struct WandRow;
// What a kind does to the character it reaches.
using WandEffect = void (*)(const WandRow& row, CCharacter& user, CCharacter& target);

struct WandRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  bool Beneficial;  // acts on the player; the others fly as a bolt
  std::int32_t UnitPrice;
  SoundEffectId Sound;  // NoSound: none
  WandEffect Effect;
  std::int32_t Amount;  // the effect's number: HP, turns
  ItemFlash Flash;
  bool Brackets = true;  // holds and releases the turn after its flash
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
  // The zap command: the player takes the zap pose, whose trigger entry
  // calls UseMagic.
  void Use() override;
  // The zap: with a charge left, the effect on the player or a bolt.
  void UseMagic() override;
  // The kind's effect, its sound and flash; no charge is spent.
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  // The unit price grows by a tenth for each charge left.
  int GetTotalPrice() const override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  virtual bool IsBeneficial() const { return Row.Beneficial; }

  const WandRow& Row;
};
