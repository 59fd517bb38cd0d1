#include "items/CItemWand.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

constexpr std::int32_t WandCharges = 5;

// 0xB0A is shown as the wand of weakness; from 0xB0B the texts run fire,
// then invincible, death, intelligence apart from the ids.
const WandRow WandTable[] = {
    {0xB00, 495, 513}, {0xB01, 496, 514}, {0xB02, 497, 515}, {0xB03, 498, 516}, {0xB04, 499, 517},
    {0xB05, 500, 518}, {0xB06, 501, 519}, {0xB07, 502, 520}, {0xB08, 503, 521}, {0xB09, 504, 522},
    {0xB0A, 505, 523}, {0xB0B, 510, 528}, {0xB0C, 506, 524}, {0xB0D, 507, 525}, {0xB0E, 508, 526},
    {0xB0F, 511, 529}, {0xB10, 512, 530}, {0xB11, 509, 527},
};

}  // namespace

const WandRow* FindWandRow(ItemId id) { return FindItemRow(WandTable, id); }

CItem* CreateWand(ItemId id) {
  const WandRow* row = FindWandRow(id);
  return row ? new (std::nothrow) CItemWand(*row) : nullptr;
}

// The wands lie side by side in one row of the item sheet.
CItemWand::CItemWand(const WandRow& row) : Row(row) {
  Category = ItemCategoryWand;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  ChargeCapacity = WandCharges;
  SetCellFrames(ItemSheetPicture, 20 * (row.Id - 0xB00), 140);
}

CItem* CItemWand::Clone() const { return CloneThroughFactory(*this); }

char* CItemWand::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemWand::GetDisplayName(char* buffer, std::size_t size) const { return WriteWandName(*this, buffer, size); }

char* CItemWand::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemWand::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemWand::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}
