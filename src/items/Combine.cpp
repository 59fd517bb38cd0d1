#include "items/Combine.h"

#include <algorithm>

#include "characters/CCharacter.h"
#include "items/ItemFactory.h"
#include "items/RecipeTables.h"

namespace {

constexpr ItemId KunaiId = 0x0B8;
constexpr ItemId KunaiPlusId = 0x0B9;
constexpr int ArrowCountLimit = 999;

// Which ingredient a role falls to.
enum class Side { None, First, Second };

template <class Item>
Item* Pick(Side side, Item* first, Item* second) {
  return side == Side::First ? first : side == Side::Second ? second : nullptr;
}

// What a pair does: a recipe of the full list (Recipe >= 0) or a stone
// fused into slot Slot of Receiver; neither when Possible() is false.
struct Combination {
  int Recipe = -1;
  ItemId ResultId = NoItem;
  Side Kunai = Side::None;  // the Kunai stack an upgrade takes whole
  Side Receiver = Side::None;
  int Slot = -1;
  RecipeNeeds Needs{1, 1};  // of the first and the second ingredient

  bool Possible() const { return Recipe >= 0 || Receiver != Side::None; }
};

int SlotCount(const CItem& item) { return std::clamp(item.GetEnchantSlotCount(), 0, EnchantListSize); }

bool CanTakeStone(const CItem& item) { return SlotCount(item) > item.CountEnchantments(); }

bool IsStone(const CItem& item) { return item.GetCategory() == ItemCategoryMagicStone; }

// The first free slot of receiver, unless a slot before it already holds
// the stone's id; -1 then.
int SlotForStone(const CItem& receiver, ItemId stone) {
  const int slots = SlotCount(receiver);
  for (int i = 0; i < slots; ++i) {
    const ItemId held = receiver.GetEnchantmentAt(i);
    if (held == NoItem) return i;
    if (held == stone) return -1;
  }
  return -1;
}

Combination Plan(const CItem* first, const CItem* second) {
  Combination c;
  if (!first || !second) return c;
  const ItemId a = first->GetId();
  const ItemId b = second->GetId();
  const RecipeList list = GetRecipeList();
  c.Recipe = FindRecipeIndex(list, a, b);
  if (c.Recipe >= 0) {
    c.ResultId = ReadRecipeField(list, c.Recipe, RecipeField::ResultId);
    c.Needs = GetRecipeNeeds(c.Recipe, a);
    if (c.ResultId == KunaiPlusId)
      c.Kunai = a == KunaiId ? Side::First : b == KunaiId ? Side::Second : Side::None;
    return c;
  }
  // A stone whose id the receiver already holds is refused, even when the
  // roles could be read the other way round.
  if (CanTakeStone(*first) && IsStone(*second))
    c.Receiver = Side::First;
  else if (CanTakeStone(*second) && IsStone(*first))
    c.Receiver = Side::Second;
  const CItem* receiver = Pick(c.Receiver, first, second);
  if (!receiver) return c;
  c.Slot = SlotForStone(*receiver, receiver == first ? b : a);
  if (c.Slot < 0) c.Receiver = Side::None;
  return c;
}

bool HoldsEnough(const CItem& first, const CItem& second, const Combination& c) {
  if (&first == &second) return first.GetCount() >= c.Needs.First + c.Needs.Second;
  return first.GetCount() >= c.Needs.First && second.GetCount() >= c.Needs.Second;
}

// Equipment remade keeps its refinement and, as far as its own slots reach,
// its stones, from the ingredient of its own category (the first one first).
void Inherit(CItem& result, const CItem& first, const CItem& second) {
  const ItemCategory category = result.GetCategory();
  const CItem* from = category == first.GetCategory() ? &first : &second;
  if (category != from->GetCategory()) return;
  const int fromSlots = SlotCount(*from);
  for (int i = 0; i < SlotCount(result); ++i)
    result.Enchantments[i] = i < fromSlots ? from->GetEnchantmentAt(i) : NoItem;
  result.SetRefinement(from->GetRefinement());
}

// The recipe's result with its count and what it inherits; null when the
// factory cannot make it.
CItem* MakeResult(const Combination& c, const CItem& first, const CItem& second, const CCharacter* crafter) {
  CItem* result = CreateItem(c.ResultId);
  if (!result) return nullptr;
  switch (result->GetCategory()) {
  case ItemCategoryArrow:
    result->SetCount(std::clamp(crafter ? crafter->GetHalfDex() : 0, 1, ArrowCountLimit));
    break;
  case ItemCategoryWand:
    result->SetCount(1);
    result->ChargeCapacity = std::max(crafter ? crafter->GetHalfInt() : 0, 1);
    break;
  default:
    result->SetCount(ReadRecipeField(GetRecipeList(), c.Recipe, RecipeField::ResultCount));
    break;
  }
  Inherit(*result, first, second);
  if (const CItem* kunai = Pick(c.Kunai, &first, &second)) result->SetCount(kunai->GetCount());
  return result;
}

}  // namespace

bool CanCombineItems(const CItem* first, const CItem* second) { return Plan(first, second).Possible(); }

bool HoldsEnoughToCombine(const CItem* first, const CItem* second) {
  const Combination c = Plan(first, second);
  return c.Possible() && HoldsEnough(*first, *second, c);
}

CItem* CombineItems(CItem* first, CItem* second, const CCharacter* crafter) {
  const Combination c = Plan(first, second);
  if (!c.Possible() || !HoldsEnough(*first, *second, c)) return nullptr;
  // Everything that can fail comes before the first change.
  CItem* result = Pick(c.Receiver, first, second);
  if (result) {
    result->Enchantments[c.Slot] = (result == first ? second : first)->GetId();
  } else {
    result = MakeResult(c, *first, *second, crafter);
    if (!result) return nullptr;
    // The upgraded stack leaves only what the take below uses up.
    if (CItem* kunai = Pick(c.Kunai, first, second))
      kunai->SetCount(kunai == first ? c.Needs.First : c.Needs.Second);
  }
  auto take = [result](CItem* item, int n) {
    if (item != result) item->SetCount(item->GetCount() - n);
  };
  if (first == second) {
    take(first, c.Needs.First + c.Needs.Second);
  } else {
    take(first, c.Needs.First);
    take(second, c.Needs.Second);
  }
  return result;
}

CItem* PreviewCombineItems(const CItem* first, const CItem* second, const CCharacter* crafter) {
  // Shown however many are held: the window says when too few are.
  const Combination c = Plan(first, second);
  if (!c.Possible()) return nullptr;
  const CItem* receiver = Pick(c.Receiver, first, second);
  if (!receiver) return MakeResult(c, *first, *second, crafter);
  CItem* copy = receiver->Clone();
  if (copy) copy->Enchantments[c.Slot] = (receiver == first ? second : first)->GetId();
  return copy;
}
