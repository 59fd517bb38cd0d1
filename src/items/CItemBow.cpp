#include "items/CItemBow.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr TextId PoisonPiece = 63;   // ", %d%% POISON"
constexpr TextId DefencePiece = 64;  // ", DEF %+d"

// Id, name, shot power, icon cell, description, then the own values: base
// defence, shot poison chance.
const BowRow BowTable[] = {
    {0x100, 99, 11, 0, 180},
    {0x101, 100, 12, 20, 180},
    {0x102, 101, 13, 40, 180},
    {0x103, 102, 14, 60, 180},
    {0x104, 103, 16, 80, 180},
    {0x105, 104, 18, 100, 180},
    {0x106, 105, 17, 120, 180, 63, 0, 30},
    {0x107, 106, 19, 140, 180},
    {0x108, 107, 23, 160, 180, 64, -5},
    {0x109, 108, 14, 320, 20, 122},
    {0x10A, 109, 22, 340, 60, 124},
    {0x10B, 110, 17, 480, 60, 125},
    {0x10C, 111, 12, 460, 60, 126},
    {0x10D, 112, 17, 380, 80, 123},
};

// Id, name, shot power, icon cell, description, then the own value: shot
// poison chance.
const ArrowRow ArrowTable[] = {
    {0x200, 113, 11, 20, 160},
    {0x201, 114, 12, 40, 160},
    {0x202, 115, 14, 60, 160},
    {0x203, 116, 17, 80, 160},
    {0x204, 117, 20, 100, 160},
    {0x205, 118, 19, 120, 160, 63, 100},
    {0x206, 119, 21, 140, 160},
    {0x207, 120, 23, 160, 160, 127},
};

// The description alone, filled with the number its text asks for.
char* WriteShotDescription(const CItem& item, TextId description, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (description == PoisonPiece)
    text.AppendFormat(description, item.GetShotPoisonChance());
  else if (description == DefencePiece)
    text.AppendFormat(description, item.GetBaseDefence());
  else if (description >= 0)
    text.AppendFormat(description);
  return buffer;
}

}  // namespace

const BowRow* FindBowRow(ItemId id) { return FindItemRow(BowTable, id); }
const ArrowRow* FindArrowRow(ItemId id) { return FindItemRow(ArrowTable, id); }

CItem* CreateBow(ItemId id) {
  const BowRow* row = FindBowRow(id);
  return row ? new (std::nothrow) CItemClassBow(*row) : nullptr;
}

CItem* CreateArrow(ItemId id) {
  const ArrowRow* row = FindArrowRow(id);
  return row ? new (std::nothrow) CItemClassArrow(*row) : nullptr;
}

CItemClassBow::CItemClassBow(const BowRow& row) : Row(row) {
  Category = ItemCategoryBow;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseShotPower = row.ShotPower;
  BaseDefence = row.BaseDefence;
  EnchantSlotCount = 1;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemClassBow::Clone() const { return CloneThroughFactory(*this); }

char* CItemClassBow::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemClassBow::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteEquipmentName(*this, buffer, size);
}

char* CItemClassBow::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetDisplayName(buffer, size);
}

char* CItemClassBow::GetStatusText(char* buffer, std::size_t size) const {
  return WriteBowStatus(*this, buffer, size);
}

char* CItemClassBow::GetDescription(char* buffer, std::size_t size) const {
  return WriteShotDescription(*this, Row.Description, buffer, size);
}

CItemClassArrow::CItemClassArrow(const ArrowRow& row) : Row(row) {
  Category = ItemCategoryArrow;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseShotPower = row.ShotPower;
  StackLimit = 999;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemClassArrow::Clone() const { return CloneThroughFactory(*this); }

char* CItemClassArrow::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemClassArrow::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteArrowName(*this, buffer, size);
}

// An arrow always shows its count.
char* CItemClassArrow::GetNameWithCount(char* buffer, std::size_t size) const {
  return WriteNameAndCount(*this, buffer, size);
}

char* CItemClassArrow::GetStatusText(char* buffer, std::size_t size) const {
  return WriteArrowStatus(*this, buffer, size);
}

char* CItemClassArrow::GetDescription(char* buffer, std::size_t size) const {
  return WriteShotDescription(*this, Row.Description, buffer, size);
}
