#include "items/CItemEvent.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr ItemId PrincessId = 0xD09;
constexpr const char* PrincessName = "Princess";

// Id, name, picture, icon cell, goal message, revealed. The tutorial stair
// marker wears the silver crystal's texts, starts hidden and is no goal;
// the sushi is named the crystal orb but has a message of its own.
const EventRow EventTable[] = {
    {0xD00, 537, ItemSheetPicture, 0, 380, 605},   {0xD01, 538, ItemSheetPicture, 20, 380, 606},
    {0xD02, 539, ItemSheetPicture, 40, 380, 607},  {0xD03, 540, ItemSheetPicture, 60, 380, 608},
    {0xD04, 541, ItemSheetPicture, 80, 380, 609},  {0xD05, 542, ItemSheetPicture, 100, 380, 610},
    {0xD06, 542, 0, 0, 240, -1, false},            {0xD07, 543, ItemSheetPicture, 120, 380, 611},
    {0xD08, 543, ItemSheetPicture, 140, 380, 612},
};

}  // namespace

const EventRow* FindEventRow(ItemId id) { return FindItemRow(EventTable, id); }

CItem* CreateEvent(ItemId id) {
  if (id == PrincessId) return new (std::nothrow) CItemEventPrincess;
  const EventRow* row = FindEventRow(id);
  return row ? new (std::nothrow) CItemEvent(*row) : nullptr;
}

GoalKind GetGoalKind(ItemId id) {
  if (id == PrincessId) return GoalKind::Princess;
  return GetGoalMessage(id) >= 0 ? GoalKind::Prize : GoalKind::None;
}

TextId GetGoalMessage(ItemId id) {
  const EventRow* row = FindEventRow(id);
  return row ? row->GoalMessage : -1;
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
