#pragma once
// Traps (category 12, ids 0xC00-0xC07), one table row per kind. A trap lies
// hidden until it is sprung or revealed, and cannot be picked up or thrown.
// Laid when the player ends a move on it, its effect springs it when the
// animation ends: the player may avoid it, else it strikes.
#include "items/CItem.h"
#include "platform/SoundTables.h"
#include "platform/TextTable.h"

// What a kind does to the character it strikes.
using TrapStrike = void (*)(CCharacter& victim);

struct TrapRow {
  ItemId Id;
  TextId Name;
  TextId Description;
  std::int32_t LaidEntry;  // the effect entry LayTrap places
  SoundEffectId Sound;     // NoSound: none
  TrapStrike Strike;       // null: nothing happens
};

const TrapRow* FindTrapRow(ItemId id);
CItem* CreateTrap(ItemId id);

class CItemTrap : public CItem {
public:
  explicit CItemTrap(const TrapRow& row);

  CItem* Clone() const override;
  // Only a revealed trap is marked; telepathy never shows a hidden one.
  bool DrawMapMarker(int x, int y, float scaleX, float scaleY, int alpha) const override;
  bool IsTrap() const override { return true; }
  bool CanPickUp() const override { return false; }
  bool CanThrow() const override { return false; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  // Springs on the player: the avoid roll, then the strike.
  void Use() override;
  // The avoid roll: true when the trap strikes.
  bool RollThrowHit(CCharacter* user, CCharacter* target) override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  // Places the trap's effect on its cell; the effect holds the turn and
  // springs the trap when it ends.
  void LayTrap() override;

  const TrapRow& Row;
};
