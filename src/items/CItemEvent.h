#pragma once
// Event items (category 13, ids 0xD00-0xD09): the prizes that end a
// dungeon, one table row per kind, and the princess.
#include "items/CItem.h"
#include "platform/TextTable.h"

struct EventRow {
  ItemId Id;
  TextId Name;  // also the description
  PictureId Picture;
  std::int32_t IconX, IconY;
  TextId GoalMessage;  // "YOU GOT ...!" when stepped on; -1: no goal
  bool Revealed = true;
};

const EventRow* FindEventRow(ItemId id);
CItem* CreateEvent(ItemId id);

// What an item the player steps onto does to the run: a prize ends it with
// its message and the first clear screen, the princess with the second
// clear screen; anything else (the tutorial stair marker too) is picked up.
enum class GoalKind { None, Prize, Princess };
GoalKind GetGoalKind(ItemId id);
// The prize's message; -1 for an id that is none.
TextId GetGoalMessage(ItemId id);

class CItemEvent : public CItem {
public:
  explicit CItemEvent(const EventRow& row);

  CItem* Clone() const override;
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;

  const EventRow& Row;
};

// Never drawn, never identified, named the same in every language.
class CItemEventPrincess : public CItem {
public:
  CItemEventPrincess();

  CItem* Clone() const override;
  void DrawOnFloor() const override {}
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
};
