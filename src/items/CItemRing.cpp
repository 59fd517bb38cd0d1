#include "items/CItemRing.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

// Id, name, description, icon cell, values. The gorgon head's line comes
// before the scale's in the text table. The ring of resurrection answers
// nothing: the player looks for its id.
const RingRow RingTable[] = {
    {0x600, 317, 342, 0, 340, {.Strength = 3}},
    {0x601, 318, 343, 20, 340, {.Dexterity = 3}},
    {0x602, 319, 344, 40, 340, {.MaxHp = 130}},
    {0x603, 320, 345, 60, 340, {.Defence = 6}},
    {0x604, 321, 346, 80, 340, {.SureHit = true}},
    {0x605, 322, 347, 100, 340, {.Evasion = 30}},
    {0x606, 323, 348, 120, 340},
    {0x607, 324, 349, 140, 340, {.Telepathy = true}},
    {0x608, 325, 350, 160, 340, {.Critical = 30}},
    {0x609, 326, 351, 180, 340, {.Resistance = 80}},
    {0x60A, 327, 352, 200, 340, {.Regeneration = 200}},
    {0x60B, 328, 353, 300, 20, {.Confusion = 20}},
    {0x60C, 329, 355, 220, 20, {.Defence = 4, .Resistance = 65}},
    {0x60D, 330, 356, 120, 20, {.Defence = 5, .FireCut = 50}},
    {0x60E, 331, 357, 200, 20, {.Strength = 2, .Critical = 20}},
    {0x60F, 332, 358, 180, 20, {.Strength = 3, .Dexterity = 3, .Intelligence = -3}},
    {0x610, 333, 359, 460, 20, {.Dexterity = 2, .Evasion = 20}},
    {0x611, 334, 354, 280, 40, {.ParalyzeCounter = 20}},
    {0x612, 335, 360, 480, 80, {.AttackPercent = 130}},
    {0x613, 336, 361, 460, 80, {.Poison = 75}},
    {0x614, 337, 362, 420, 80, {.FireMagic = 10}},
    {0x615, 338, 363, 420, 100, {.Evasion = 25, .Critical = 25}},
    {0x616, 339, 364, 440, 80, {.ArrowKeep = 75}},
    {0x617, 340, 365, 440, 20, {.Evasion = 20, .DoubleAttack = 25, .UnitPrice = 600}},
    {0x618, 341, 366, 440, 100, {.Paralyze = 25}},
};

}  // namespace

const RingRow* FindRingRow(ItemId id) { return FindItemRow(RingTable, id); }

CItem* CreateRing(ItemId id) {
  const RingRow* row = FindRingRow(id);
  return row ? new (std::nothrow) CItemRing(*row) : nullptr;
}

CItemRing::CItemRing(const RingRow& row) : Row(row) {
  Category = ItemCategoryAccessory;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseDefence = row.Values.Defence;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemRing::Clone() const { return CloneThroughFactory(*this); }

char* CItemRing::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemRing::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteAccessoryName(*this, buffer, size);
}

char* CItemRing::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemRing::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemRing::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}
