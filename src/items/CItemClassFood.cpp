#include "items/CItemClassFood.h"

#include <new>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "items/ItemEffects.h"
#include "items/ItemFactory.h"
#include "items/ItemHits.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr TextId AteText = 640;  // "YOU ATE %s!"
constexpr SoundEffectId EatSound = 7;

// Id, name, description, icon cell, unit price, satiety.
const FoodRow FoodTable[] = {
    {0x700, 531, 534, 0, 360, 10, 200},
    {0x701, 532, 535, 20, 360, 50, 1400},
    {0x702, 533, 536, 40, 360, 40, 800},
};

}  // namespace

const FoodRow* FindFoodRow(ItemId id) { return FindItemRow(FoodTable, id); }

CItem* CreateFood(ItemId id) {
  const FoodRow* row = FindFoodRow(id);
  return row ? new (std::nothrow) CItemClassFood(*row) : nullptr;
}

CItemClassFood::CItemClassFood(const FoodRow& row) : Row(row) {
  Category = ItemCategoryFood;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemClassFood::Clone() const { return CloneThroughFactory(*this); }

char* CItemClassFood::GetName(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Name, buffer, size);
}

char* CItemClassFood::GetDisplayName(char* buffer, std::size_t size) const { return GetName(buffer, size); }

char* CItemClassFood::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemClassFood::GetStatusText(char* buffer, std::size_t size) const { return GetDescription(buffer, size); }

char* CItemClassFood::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}

void CItemClassFood::Use() {
  CCharacterPlayer* player = ItemUser();
  if (!player) return;
  SetIdentifyState(IdentifyStateKnown);
  ShowItemMessage(AteText, *this);
  PlayItemSound(EatSound);
  Feed(*player, Row.Satiety);
  const bool left = TakeOnePiece(*player, this);
  CCharacterEffect::SpawnNumber(player->GetX(), player->GetY(), EffectCyanNumber, Row.Satiety / 20);
  if (left) delete this;
  BracketTurn();
}

void CItemClassFood::ApplyHit(CCharacter* user, CCharacter* target) { ApplyPlainThrownHit(user, target, true); }
