#include "items/CItemMaterial.h"

#include <new>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "items/ItemEffects.h"
#include "items/ItemFactory.h"
#include "items/ItemHits.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr std::int32_t MaterialStackLimit = 5;

// Id, name, unit price, icon cell, description, usable.
// Ores, bars and blades of the first five metals, then the plants, fibres
// and fruit, then the ores, bars and blades of cobalt, gold and demonium.
const MaterialRow MaterialTable[] = {
    {0x800, 367, 1, 0, 40, 403, false},
    {0x801, 368, 2, 20, 40, 403, false},
    {0x802, 369, 4, 40, 40, 403, false},
    {0x803, 370, 6, 60, 40, 403, false},
    {0x804, 371, 8, 80, 40, 403, false},
    {0x805, 384, 2, 0, 60, 403, false},
    {0x806, 385, 4, 20, 60, 403, false},
    {0x807, 386, 8, 40, 60, 403, false},
    {0x808, 387, 16, 60, 60, 403, false},
    {0x809, 388, 32, 80, 60, 403, false},
    {0x80A, 392, 3, 0, 80, 403, false},
    {0x80B, 393, 6, 20, 80, 403, false},
    {0x80C, 394, 12, 40, 80, 403, false},
    {0x80D, 395, 24, 60, 80, 403, false},
    {0x80E, 396, 48, 80, 80, 403, false},
    {0x80F, 375, 1, 100, 20, 403, false},
    {0x810, 376, 1, 20, 0, 403, false},
    {0x811, 377, 1, 0, 0, 403, false},
    {0x812, 400, 2, 80, 0, 403, false},
    {0x813, 378, 1, 40, 0, 403, false},
    {0x814, 380, 1, 0, 20, 404, true},
    {0x815, 381, 1, 20, 20, 405, true},
    {0x816, 382, 1, 40, 20, 406, true},
    {0x817, 383, 1, 60, 20, 403, false},
    {0x818, 401, 2, 80, 20, 403, false},
    {0x819, 379, 200, 60, 0, 403, false},
    {0x81A, 372, 8, 100, 40, 403, false},
    {0x81B, 373, 16, 120, 40, 403, false},
    {0x81C, 374, 16, 140, 40, 403, false},
    {0x81D, 389, 32, 100, 60, 403, false},
    {0x81E, 390, 64, 120, 60, 403, false},
    {0x81F, 391, 64, 140, 60, 403, false},
    {0x820, 397, 48, 100, 80, 403, false},
    {0x821, 398, 92, 120, 80, 403, false},
    {0x822, 399, 92, 140, 80, 403, false},
    {0x823, 402, 2, 140, 20, 403, false},
};

constexpr TextId AteText = 640;  // "YOU ATE %s!"
constexpr SoundEffectId EatSound = 7;
constexpr SoundEffectId HerbHealSound = 6;
constexpr SoundEffectId HerbPoisonSound = 25;
constexpr int HerbHeal = 20;

// What a herb does to whoever eats it or is hit by it; the herb is known
// from then on.
using HerbHit = void (*)(CItem& herb, CCharacter& target);

void HealingHerbHit(CItem& herb, CCharacter& target) {
  PlayItemSound(HerbHealSound);
  HealBy(target, HerbHeal);
  target.SpawnHealNumber(HerbHeal);
  BracketTurn();
  herb.SetIdentifyState(IdentifyStateKnown);
}

void PoisonousHerbHit(CItem& herb, CCharacter& target) {
  PlayItemSound(HerbPoisonSound);
  target.InflictPoisonRandom();
  BracketTurn();
  herb.SetIdentifyState(IdentifyStateKnown);
}

// The plants that can be eaten: the satiety gained, the eating sound,
// whether the gain shows over the eater, and the herbs' hit (none: the
// plant only feeds, and strikes as a plain object when thrown).
struct EdibleRow {
  ItemId Id;
  std::int32_t Satiety;
  SoundEffectId Sound;
  bool ShowsSatiety;
  HerbHit Hit;
};
const EdibleRow EdibleTable[] = {
    {0x814, 100, NoSound, false, &HealingHerbHit},
    {0x815, 100, NoSound, false, &PoisonousHerbHit},
    {0x816, 200, EatSound, true, nullptr},
};

}  // namespace

const MaterialRow* FindMaterialRow(ItemId id) { return FindItemRow(MaterialTable, id); }

CItem* CreateMaterial(ItemId id) {
  const MaterialRow* row = FindMaterialRow(id);
  return row ? new (std::nothrow) CItemMaterial(*row) : nullptr;
}

CItemMaterial::CItemMaterial(const MaterialRow& row) : Row(row) {
  Category = ItemCategoryMaterial;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  StackLimit = MaterialStackLimit;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemMaterial::Clone() const { return CloneThroughFactory(*this); }

char* CItemMaterial::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemMaterial::GetDisplayName(char* buffer, std::size_t size) const { return GetName(buffer, size); }

// A stackable material shows its count, a single one " x1".
char* CItemMaterial::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetStackLimit() >= 2 ? WriteNameAndCount(*this, buffer, size) : GetDisplayName(buffer, size);
}

char* CItemMaterial::GetStatusText(char* buffer, std::size_t size) const { return GetDescription(buffer, size); }

char* CItemMaterial::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}

void CItemMaterial::Use() {
  const EdibleRow* edible = FindItemRow(EdibleTable, Id);
  CCharacterPlayer* player = ItemUser();
  if (!edible || !player) return;
  SetIdentifyState(IdentifyStateKnown);
  ShowItemMessage(AteText, *this);
  PlayItemSound(edible->Sound);
  Feed(*player, edible->Satiety);
  if (edible->ShowsSatiety)
    CCharacterEffect::SpawnNumber(player->GetX(), player->GetY(), EffectCyanNumber, edible->Satiety / 20);
  // The last of a stack leaves before its herb acts on the eater.
  const bool left = TakeOnePiece(*player, this);
  if (edible->Hit)
    edible->Hit(*this, *player);
  else
    BracketTurn();
  if (left) delete this;
}

void CItemMaterial::ApplyHit(CCharacter* user, CCharacter* target) {
  const EdibleRow* edible = FindItemRow(EdibleTable, Id);
  if (edible && edible->Hit) {
    if (target) edible->Hit(*this, *target);
    return;
  }
  ApplyPlainThrownHit(user, target, false);
}
