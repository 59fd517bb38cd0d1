#include "items/CItemPotion.h"

#include <algorithm>
#include <new>

#include "characters/CCharacterPlayer.h"
#include "items/ItemEffects.h"
#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"
#include "platform/Random.h"

namespace {

constexpr TextId DrankText = 638;  // "YOU DRANK %s!"
constexpr std::int32_t DrinkSatiety = 100;
constexpr int FullHeal = 65535;

// ---- Effects

void Heal(const PotionRow& row, CCharacter&, CCharacter& target) { HealAndShow(target, row.Amount); }

void Clear(const PotionRow&, CCharacter&, CCharacter& target) {
  target.CureBadStatuses();
  ShowTextPopup(target, 583);  // "CLEAR!"
}

void Quicken(const PotionRow&, CCharacter&, CCharacter& target) { target.InflictQuickRandom(); }
void Slow(const PotionRow&, CCharacter&, CCharacter& target) { target.InflictSlowRandom(); }
void Confuse(const PotionRow&, CCharacter&, CCharacter& target) { target.InflictConfuseRandom(); }
void Paralyze(const PotionRow&, CCharacter&, CCharacter& target) { target.InflictParalyzeRandom(); }
void Sleep(const PotionRow&, CCharacter&, CCharacter& target) { target.InflictSleepRandom(); }
void Teleport(const PotionRow&, CCharacter&, CCharacter& target) { target.TeleportRandom(); }

// The experience starts the level anew only when the level moved: at the
// first level and at the last nothing changes.
void RaiseLevel(const PotionRow&, CCharacter&, CCharacter& target) {
  const int before = target.level;
  target.LevelUp();
  if (target.level != before) target.ResetExpToLevel(target.level);
  ShowTextPopup(target, 561);  // "LEVEL UP!"
}

void LowerLevel(const PotionRow&, CCharacter&, CCharacter& target) {
  const int before = target.level;
  target.LevelDown();
  if (target.level != before) target.ResetExpToLevel(target.level);
  ShowTextPopup(target, 562);  // "LEVEL DOWN"
}

// Oil burns lightly whoever drinks it and hard whoever it is thrown at.
void Burn(const PotionRow&, CCharacter& user, CCharacter& target) {
  const int r = Random();
  SetFireOn(target, &user == &target ? r % 6 + 10 : r % 41 + 80, &user);
}

void RaiseStat(std::int32_t& stat, int amount, CCharacter& target, TextId caption) {
  stat += amount;
  target.ClampHP();
  ShowTextPopup(target, caption);
}
void Strengthen(const PotionRow&, CCharacter&, CCharacter& target) { RaiseStat(target.strength, 1, target, 563); }
// The maximum HP in hundredths: 5 more for the player; a monster keeps its own.
void Invigorate(const PotionRow&, CCharacter&, CCharacter& target) { RaiseStat(target.maxHpX100, 500, target, 564); }
void Sharpen(const PotionRow&, CCharacter&, CCharacter& target) { RaiseStat(target.dexterity, 1, target, 565); }
void Enlighten(const PotionRow&, CCharacter&, CCharacter& target) { RaiseStat(target.intelligence, 1, target, 566); }

// Full HP (never lowered from above the maximum), full satiety, no bad
// status, and invincible for a while.
void Revive(const PotionRow&, CCharacter&, CCharacter& target) {
  target.hp = std::max(target.hp, target.GetMaxHP());
  target.satiety = FullSatiety;
  target.CureBadStatuses();
  target.InflictInvincibleRandom();
}

void Kill(const PotionRow&, CCharacter& user, CCharacter& target) { CurseToDeath(user, target); }

// Id, name, description, unit price, sound, effect, amount. The texts of
// intelligence come before the elixir's.
const PotionRow PotionTable[] = {
    {0x900, 407, 425, 10, 6, &Heal, 100},
    {0x901, 408, 426, 20, 6, &Heal, FullHeal},
    {0x902, 409, 427, 10, 9, &Clear, 0},
    {0x903, 410, 428, 10, 5, &Quicken, 0},
    {0x904, 411, 429, 10, 31, &Slow, 0},
    {0x905, 412, 430, 10, 11, &Confuse, 0},
    {0x906, 413, 431, 10, 24, &Paralyze, 0},
    {0x907, 414, 432, 10, 29, &Sleep, 0},
    {0x908, 415, 433, 10, 32, &Teleport, 0},
    {0x909, 416, 434, 100, 19, &RaiseLevel, 0},
    {0x90A, 417, 435, 10, 41, &LowerLevel, 0},
    {0x90B, 418, 436, 10, NoSound, &Burn, 0},
    {0x90C, 419, 437, 100, 27, &Strengthen, 0},
    {0x90D, 420, 438, 100, 27, &Invigorate, 0},
    {0x90E, 421, 439, 100, 27, &Sharpen, 0},
    {0x90F, 423, 441, 500, 51, &Revive, 0},
    {0x910, 424, 442, 500, NoSound, &Kill, 0},
    {0x911, 422, 440, 100, 27, &Enlighten, 0},
};

}  // namespace

const PotionRow* FindPotionRow(ItemId id) { return FindItemRow(PotionTable, id); }

CItem* CreatePotion(ItemId id) {
  const PotionRow* row = FindPotionRow(id);
  return row ? new (std::nothrow) CItemPotion(*row) : nullptr;
}

// The potions lie side by side in one row of the item sheet.
CItemPotion::CItemPotion(const PotionRow& row) : Row(row) {
  Category = ItemCategoryPotion;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  SetCellFrames(ItemSheetPicture, 20 * (row.Id - 0x900), 100);
}

CItem* CItemPotion::Clone() const { return CloneThroughFactory(*this); }

char* CItemPotion::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemPotion::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteKindGatedName(*this, buffer, size);
}

char* CItemPotion::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemPotion::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemPotion::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}

void CItemPotion::Use() {
  CCharacterPlayer* player = ItemUser();
  if (!player) return;
  SetIdentifyState(IdentifyStateKnown);
  ShowItemMessage(DrankText, *this);
  Feed(*player, DrinkSatiety);
  const bool left = TakeOnePiece(*player, this);
  ApplyHit(player, player);
  if (left) delete this;
}

void CItemPotion::ApplyHit(CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  PlayItemSound(Row.Sound);
  Row.Effect(Row, *user, *target);
  BracketTurn();
  SetIdentifyState(IdentifyStateKnown);
}
