#pragma once
// What item effects share: the player who uses them, the turn bracket, the
// sound and flash, healing, feeding, fire on a cell, the message window, the
// characters a spell reaches, and taking a used piece away from its holder
// without ever leaving a pointer behind.
#include <cstdint>

#include "items/CItem.h"
#include "platform/SoundTables.h"
#include "platform/TextTable.h"

class CCharacterPlayer;

constexpr SoundEffectId NoSound = -1;
constexpr std::int32_t FullSatiety = 2000;

// The player of the running game; null when there is none.
CCharacterPlayer* ItemUser();

// Hold and release at once: the turn moves on when nothing else holds it.
void BracketTurn();
// Plays a sound effect; NoSound plays nothing.
void PlayItemSound(SoundEffectId id);
// The items' screen flash: a colour, a rise of `rise` to `peak`, no hold,
// a fall of 5.
struct ItemFlash {
  std::int32_t Red, Green, Blue;
  std::int32_t Peak = 160;
};
void FlashItem(const ItemFlash& flash);

// Whether a hit may land on the character: listed in the game, its dying
// chain not begun (HP above 0).
bool IsHittable(const CCharacter* character);

// The heal rule: HP rises by amount, never past the maximum and never lowered
// when it already stands above it; the HP gained.
int HealBy(CCharacter& target, int amount);
// The heal rule with its green number over the target.
void HealAndShow(CCharacter& target, int amount);
// A caption of the table over the character, holding the turn while it rises.
void ShowTextPopup(CCharacter& character, TextId id, int delay = 0);
// The death curse of `user` on `target`, who may resist it.
void CurseToDeath(CCharacter& user, CCharacter& target);
// Satiety rises by amount, at most FullSatiety.
void Feed(CCharacter& eater, int amount);
// Fire on the target's cell: `damage` of fire magic to whoever lives there
// when it dies down, credited to `caster`.
void SetFireOn(const CCharacter& target, int damage, CCharacter* caster);
// The fire of a spell: 70 to 130 percent of magic power x `levelTerm` / 10.
int RollSpellFire(const CCharacter& caster, int levelTerm);

// The message window shows a text of the table with its %s filled by the
// item's display name.
void ShowItemMessage(TextId id, const CItem& item);

// Whether the holder carries the item in one of its places or has it lying
// on its own cell.
bool HoldsItem(const CCharacter& holder, const CItem* item);
// One piece of the item leaves what the holder holds: a stack loses one and
// stays; a single item is taken out by pointer. True when the item itself has
// left, so that the caller now owns it (and deletes it when done).
bool TakeOnePiece(CCharacter& holder, CItem* item);

// The characters a spell of the player reaches, taken once before any is
// touched: living creatures other than the player, in list order, all of
// the floor or only those in the player's sight. One a cell at most.
constexpr int MaxSpellTargets = 40 * 40;
struct SpellTargets {
  CCharacter* List[MaxSpellTargets];
  int Count = 0;
};
SpellTargets FindSpellTargets(const CCharacter& player, bool inSightOnly);
