#include "items/CItemEvent.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr ItemId PrincessId = 0xD09;
constexpr const char* PrincessName = "Princess";

// The tutorial stair marker wears the silver crystal's texts and starts
// hidden; the sushi is named the crystal orb.
const EventRow EventTable[] = {
    {0xD00, 537, ItemSheetPicture, 0, 380},   {0xD01, 538, ItemSheetPicture, 20, 380},
    {0xD02, 539, ItemSheetPicture, 40, 380},  {0xD03, 540, ItemSheetPicture, 60, 380},
    {0xD04, 541, ItemSheetPicture, 80, 380},  {0xD05, 542, ItemSheetPicture, 100, 380},
    {0xD06, 542, 0, 0, 240, false},           {0xD07, 543, ItemSheetPicture, 120, 380},
    {0xD08, 543, ItemSheetPicture, 140, 380},
};

}  // namespace

const EventRow* FindEventRow(ItemId id) { return FindItemRow(EventTable, id); }

CItem* CreateEvent(ItemId id) {
  if (id == PrincessId) return new (std::nothrow) CItemEventPrincess;
  const EventRow* row = FindEventRow(id);
  return row ? new (std::nothrow) CItemEvent(*row) : nullptr;
}

CItemEvent::CItemEvent(const EventRow& row) : Row(row) {
  Category = ItemCategoryEvent;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  Revealed = row.Revealed ? 1 : 0;
  SetCellFrames(row.Picture, row.IconX, row.IconY);
}

CItem* CItemEvent::Clone() const { return CloneThroughFactory(*this); }

char* CItemEvent::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemEvent::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Name, buffer, size);
}

// The goal check takes the princess off the floor before anything reads her
// category; it is the event category all the same, so that nothing that
// sorts or saves her finds a value without a meaning.
CItemEventPrincess::CItemEventPrincess() {
  Category = ItemCategoryEvent;
  Id = PrincessId;
}

CItem* CItemEventPrincess::Clone() const { return CloneThroughFactory(*this); }

char* CItemEventPrincess::GetName(char* buffer, std::size_t size) const {
  ItemTextWriter(buffer, size).Append(PrincessName);
  return buffer;
}

char* CItemEventPrincess::GetDescription(char* buffer, std::size_t size) const { return GetName(buffer, size); }
