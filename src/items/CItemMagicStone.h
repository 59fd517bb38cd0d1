#pragma once
// Magic stones (category 9, ids 0xA00-0xA19 but 0xA05), one table row per
// kind: read as a spell, or fused into equipment. Names and descriptions
// wait for the kind to be identified. Reading costs the stone.
#include "items/CItem.h"
#include "items/ItemEffects.h"
#include "platform/SoundTables.h"
#include "platform/TextTable.h"

struct MagicStoneRow;
class CCharacterPlayer;
// What reading a kind does; the player reads.
using StoneSpell = void (*)(const MagicStoneRow& row, CCharacterPlayer& player);

struct MagicStoneRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t UnitPrice;
  bool Readable;
  SoundEffectId Sound;  // NoSound: none
  StoneSpell Spell;     // null: nothing happens
  std::int32_t Amount;  // the spell's number: HP, turns, refinement
  TextId Caption;       // the caption the spell shows, if any
  ItemFlash Flash;
};

const MagicStoneRow* FindMagicStoneRow(ItemId id);
CItem* CreateMagicStone(ItemId id);

class CItemMagicStone : public CItem {
public:
  explicit CItemMagicStone(const MagicStoneRow& row);

  CItem* Clone() const override;
  bool IsUsable() const override { return Row.Readable; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  // Reading: the stone leaves the player, its spell works, it is gone.
  void Use() override;
  // The spell: its sound, its effect, its flash.
  void UseMagic() override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const MagicStoneRow& Row;
};
