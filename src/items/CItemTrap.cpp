#include "items/CItemTrap.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

// Every trap's description is empty in both languages.
const TrapRow TrapTable[] = {
    {0xC00, 544, 552}, {0xC01, 545, 553}, {0xC02, 546, 554}, {0xC03, 547, 555},
    {0xC04, 548, 556}, {0xC05, 549, 557}, {0xC06, 550, 558}, {0xC07, 551, 559},
};

}  // namespace

const TrapRow* FindTrapRow(ItemId id) { return FindItemRow(TrapTable, id); }

CItem* CreateTrap(ItemId id) {
  const TrapRow* row = FindTrapRow(id);
  return row ? new (std::nothrow) CItemTrap(*row) : nullptr;
}

// The traps lie side by side in one row of the item sheet.
CItemTrap::CItemTrap(const TrapRow& row) : Row(row) {
  Category = ItemCategoryTrap;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  Revealed = 0;
  SetCellFrames(ItemSheetPicture, 20 * (row.Id - 0xC00), 400);
}

CItem* CItemTrap::Clone() const { return CloneThroughFactory(*this); }

char* CItemTrap::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemTrap::GetNameWithCount(char* buffer, std::size_t size) const { return GetName(buffer, size); }

char* CItemTrap::GetStatusText(char* buffer, std::size_t size) const { return GetDescription(buffer, size); }

char* CItemTrap::GetDescription(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Description, buffer, size);
}
