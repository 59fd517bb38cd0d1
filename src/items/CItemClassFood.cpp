#include "items/CItemClassFood.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

const FoodRow FoodTable[] = {
    {0x700, 531, 534, 0, 360},
    {0x701, 532, 535, 20, 360},
    {0x702, 533, 536, 40, 360},
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
