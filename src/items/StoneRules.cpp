#include "items/StoneRules.h"

#include <algorithm>
#include <memory>

#include "items/ItemFactory.h"

namespace {

int ReadSlotCount(const CItem& item) { return std::clamp(item.GetEnchantSlotCount(), 0, EnchantListSize); }

}  // namespace

// The rows of one getter share one way of combining (OneCombinePerStat), so
// the parts below never mix: a sum, a decided value or a kept chance.
int ReadStones(const CItem& item, std::span<const StoneRule> rules, StoneStat stat) {
  const int slots = ReadSlotCount(item);
  int total = 0;
  bool decided = false;
  int remainder = 100;
  bool kept = false;
  for (int i = 0; i < slots; ++i) {
    const ItemId stone = item.GetEnchantmentAt(i);
    if (stone == NoItem) continue;
    for (const StoneRule& rule : rules) {
      if (rule.Stone != stone || rule.Stat != stat) continue;
      switch (rule.Combine) {
        case StoneCombine::Sum:
          total += rule.Value;
          break;
        case StoneCombine::Once:
        case StoneCombine::First:
          if (!decided) total = rule.Value;
          decided = true;
          break;
        case StoneCombine::Keep:
          remainder = remainder * rule.Value / 100;
          kept = true;
          break;
      }
    }
  }
  return kept ? 100 - remainder : total;
}

int GetEquipmentPrice(const CItem& item) {
  int sum = item.GetUnitPrice();
  const int slots = ReadSlotCount(item);
  for (int i = 0; i < slots; ++i) {
    const ItemId stone = item.GetEnchantmentAt(i);
    if (stone == NoItem) continue;
    const std::unique_ptr<CItem> probe(CreateItem(stone));
    if (probe && probe->GetCategory() == ItemCategoryMagicStone) sum += probe->GetUnitPrice();
  }
  return sum * 2 * (item.GetRefinement() + 5) / 10;
}
