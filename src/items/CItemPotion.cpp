#include "items/CItemPotion.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

// The texts of intelligence come before the elixir's.
const PotionRow PotionTable[] = {
    {0x900, 407, 425}, {0x901, 408, 426}, {0x902, 409, 427}, {0x903, 410, 428}, {0x904, 411, 429},
    {0x905, 412, 430}, {0x906, 413, 431}, {0x907, 414, 432}, {0x908, 415, 433}, {0x909, 416, 434},
    {0x90A, 417, 435}, {0x90B, 418, 436}, {0x90C, 419, 437}, {0x90D, 420, 438}, {0x90E, 421, 439},
    {0x90F, 423, 441}, {0x910, 424, 442}, {0x911, 422, 440},
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
