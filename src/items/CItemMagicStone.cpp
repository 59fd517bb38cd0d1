#include "items/CItemMagicStone.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

// Id, name, description, unit price, readable.
// Shown names follow the effects: 0xA09 mapping, 0xA0A might, 0xA0B
// weakness, 0xA12 recharge. The philosopher's stone cannot be read.
const MagicStoneRow MagicStoneTable[] = {
    {0xA00, 443, 470, 20, true},
    {0xA01, 444, 471, 40, true},
    {0xA02, 445, 472, 20, true},
    {0xA03, 446, 473, 20, true},
    {0xA04, 447, 474, 20, true},
    {0xA06, 448, 475, 20, true},
    {0xA07, 449, 476, 20, true},
    {0xA08, 450, 477, 20, true},
    {0xA09, 451, 478, 20, true},
    {0xA0A, 452, 479, 100, true},
    {0xA0B, 453, 480, 20, true},
    {0xA0C, 458, 485, 20, true},
    {0xA0D, 454, 481, 100, true},
    {0xA0E, 455, 482, 100, true},
    {0xA0F, 456, 483, 100, true},
    {0xA10, 459, 486, 500, false},
    {0xA11, 460, 487, 500, true},
    {0xA12, 457, 484, 100, true},
    {0xA13, 463, 488, 500, true},
    {0xA14, 461, 489, 500, true},
    {0xA15, 462, 490, 500, true},
    {0xA16, 464, 491, 500, true},
    {0xA17, 465, 492, 500, true},
    {0xA18, 466, 493, 500, true},
    {0xA19, 467, 494, 500, true},
};

}  // namespace

const MagicStoneRow* FindMagicStoneRow(ItemId id) { return FindItemRow(MagicStoneTable, id); }

CItem* CreateMagicStone(ItemId id) {
  const MagicStoneRow* row = FindMagicStoneRow(id);
  return row ? new (std::nothrow) CItemMagicStone(*row) : nullptr;
}

// The 25 stones lie side by side in one row of the item sheet, with no gap
// for the missing 0xA05.
CItemMagicStone::CItemMagicStone(const MagicStoneRow& row) : Row(row) {
  Category = ItemCategoryMagicStone;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  const int column = row.Id < 0xA05 ? row.Id - 0xA00 : row.Id - 0xA01;
  SetCellFrames(ItemSheetPicture, 20 * column, 120);
}

CItem* CItemMagicStone::Clone() const { return CloneThroughFactory(*this); }

char* CItemMagicStone::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemMagicStone::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteKindGatedName(*this, buffer, size);
}

char* CItemMagicStone::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetDisplayName(buffer, size);
}

char* CItemMagicStone::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemMagicStone::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}
