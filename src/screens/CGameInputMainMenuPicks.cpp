// The rules behind the craft page: the item behind each pick, the recipe
// book's records by page, the held candidates of a chosen recipe, which
// item a pick may take, and how many crafts the picks allow.
#include <algorithm>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/Combine.h"
#include "items/ItemCatalogue.h"
#include "items/ItemFactory.h"
#include "items/RecipeTables.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/MainMenuLayoutKit.h"

namespace {

constexpr int RecipeBookCells = 57;
constexpr ItemId HealingPotionId = 0x900, HealingStoneId = 0xA00;

CCharacterPlayer* Player() { return GetGameMain()->Player; }

int PageField(int page, int i, RecipeField field) {
  const RecipeList list = GetRecipeListByTab(page);
  if (i < 0 || i >= static_cast<int>(list.size())) return -1;
  return ReadRecipeField(list, i, field);
}

int FreeStoneSlots(const CItem& item) { return item.GetEnchantSlotCount() - item.CountEnchantments(); }

bool HoldsStone(const CItem& base, ItemId stone) {
  for (int i = 0; i < base.GetEnchantSlotCount(); ++i)
    if (base.GetEnchantmentAt(i) == stone) return true;
  return false;
}

// The n-th held stack (worn places first) of `id` holding at least `count`.
CItem* NthCandidate(int id, int count, int n) {
  const CCharacterPlayer* player = Player();
  if (!player || n < 0) return nullptr;
  for (int i = 0; CItem* item = player->GetItemAt(i); ++i)
    if (item->GetId() == id && item->GetCount() >= count && n-- == 0) return item;
  return nullptr;
}

int CountCandidates(int id, int count) {
  int n = 0;
  while (NthCandidate(id, count, n)) ++n;
  return n;
}

}  // namespace

PickedItem PickedItem::Placeholder(CItem* made) {
  PickedItem picked(made);
  picked.owned_.reset(made);
  return picked;
}

// ---- Picks

PickedItem CGameInputMainMenu::GetPickItem(int index, bool second) const {
  if (index < 0) return {};
  if (second && GetCraftKind() == CraftKindEnchant) {
    if (CItem* held = GetHeldMagicStone(index)) return PickedItem(held);
    const ItemId id = GetMagicStoneIdAt(index);
    return id == NoItem ? PickedItem() : PickedItem::Placeholder(CreateItem(id));
  }
  const int place = GetCellInventoryIndex(index);
  const CCharacterPlayer* player = Player();
  return place == NoCellIndex || !player ? PickedItem() : PickedItem(player->GetItem(place));
}

CItem* CGameInputMainMenu::GetHeldMagicStone(int k) {
  const ItemId id = GetMagicStoneIdAt(k);
  const CCharacterPlayer* player = Player();
  if (id == NoItem || !player) return nullptr;
  for (int i = 0; CItem* item = player->GetItemAt(i); ++i)
    if (item->GetId() == id) return item;
  return nullptr;
}

bool CGameInputMainMenu::ChoosingStone() const { return GetCraftKind() == CraftKindEnchant && FirstPick != -1; }

CWidget* CGameInputMainMenu::GetPickCellWidget(int index) {
  if (index < 0 || index >= GridCells) return nullptr;
  if (ChoosingStone()) return ViewPick(index, true).Item ? &Material.GridCells[index] : nullptr;
  return IsItemCell(index) ? &Material.GridCells[index] : nullptr;
}

int CGameInputMainMenu::CountEnchantBases() const {
  int n = 0;
  while (GetPickItem(n, false)) ++n;
  return n;
}

int CGameInputMainMenu::CountCraftListEntries() const {
  const CCharacterPlayer* player = Player();
  switch (GetCraftKind()) {
    case CraftKindMaterial: return player ? player->CountItems() : 0;
    case CraftKindRecipe: return FirstPick == -1 ? CountFirstIngredientCandidates() : CountSecondIngredientCandidates();
    case CraftKindEnchant: return FirstPick == -1 ? CountEnchantBases() : MagicStoneCount;
    default: return 0;
  }
}

// Mode 0 is the grid over the worn places, bag and FOOT; mode 1 the stone
// list, one cell for each of the 25 stones.
void CGameInputMainMenu::LayoutPickCells(int mode) {
  for (int i = 0; i < GridCells; ++i) {
    const int column = i % GridColumns, row = i / GridColumns;
    const int sourceX = mode == 0 && i < 7 ? 100 + 20 * i : mode == 0 && i == FootCell ? 240 : 60;
    CWidget& cell = Material.GridCells[i];
    menulayout::Picture(cell, 288 + 64 * column, 464 + 64 * row, 64, 64, menulayout::Cell(sourceX, 140, 20, 20),
                        4.0f, &MaterialPagePanel);
    menulayout::Picture(Material.GridContents[i], 0, 0, 0, 0, menulayout::NoCell, 2.0f, &cell);
    cell.SetVisible(mode == 0 ? IsItemCell(i) : ViewPick(i, true).Item != nullptr);
  }
}

int CGameInputMainMenu::GetRecipeBookMaxScroll() const {
  const int n = CountRecipesOnPage(RecipeBookPage);
  return n > RecipeBookCells - 1 ? n - RecipeBookCells : 0;
}

// Each step moves the thumb until the book's first entry changes, which
// it never does on this layout: one call runs the thumb to its end.
void CGameInputMainMenu::StepRecipeBookThumb(int n) {
  const CWidget& track = Recipe.ScrollTrack;
  CWidget& thumb = Recipe.ScrollThumb;
  const int low = track.Y, high = track.Y + track.Height - thumb.Height;
  const int step = n > 0 ? 1 : -1;
  for (int i = 0; i < (n < 0 ? -n : n); ++i) {
    const int before = GetRecipeBookScroll();
    while (GetRecipeBookScroll() == before) {
      const int y = thumb.Y + step;
      if (y <= low || y >= high) {
        SetRecipeBookThumb(y);
        return;
      }
      thumb.Y = y;
    }
  }
}

// ---- Recipe records by page

int CGameInputMainMenu::CountRecipesOnPage(int page) { return static_cast<int>(GetRecipeListByTab(page).size()); }
int CGameInputMainMenu::GetPageRecipeResultId(int page, int i) { return PageField(page, i, RecipeField::ResultId); }
int CGameInputMainMenu::GetPageRecipeFirstId(int page, int i) { return PageField(page, i, RecipeField::FirstId); }
int CGameInputMainMenu::GetPageRecipeSecondId(int page, int i) { return PageField(page, i, RecipeField::SecondId); }
int CGameInputMainMenu::GetPageRecipeFirstCount(int page, int i) {
  return PageField(page, i, RecipeField::FirstCount);
}
int CGameInputMainMenu::GetPageRecipeSecondCount(int page, int i) {
  return PageField(page, i, RecipeField::SecondCount);
}

// ---- Candidates of the chosen recipe

CItem* CGameInputMainMenu::GetFirstIngredientCandidate(int n) const {
  return NthCandidate(GetRecipeFirstId(ChosenRecipe), GetRecipeFirstCount(ChosenRecipe), n);
}
CItem* CGameInputMainMenu::GetSecondIngredientCandidate(int n) const {
  return NthCandidate(GetRecipeSecondId(ChosenRecipe), GetRecipeSecondCount(ChosenRecipe), n);
}
int CGameInputMainMenu::CountFirstIngredientCandidates() const {
  return CountCandidates(GetRecipeFirstId(ChosenRecipe), GetRecipeFirstCount(ChosenRecipe));
}
int CGameInputMainMenu::CountSecondIngredientCandidates() const {
  return CountCandidates(GetRecipeSecondId(ChosenRecipe), GetRecipeSecondCount(ChosenRecipe));
}

bool CGameInputMainMenu::ChooseRecipe(int page, int entry) {
  const int resultId = GetPageRecipeResultId(page, entry), firstId = GetPageRecipeFirstId(page, entry),
            secondId = GetPageRecipeSecondId(page, entry);
  const RecipeList all = GetRecipeList();
  const auto found = std::find_if(all.begin(), all.end(), [&](const RecipeRecord& r) {
    return r.ResultId == resultId && r.FirstId == firstId && r.SecondId == secondId;
  });
  if (found == all.end()) return false;
  ChosenRecipe = static_cast<int>(found - all.begin());
  FirstPick = SecondPick = -1;
  CraftCount = 1;
  const CItem* first = GetFirstIngredientCandidate(0);
  if (!first || !GetSecondIngredientCandidate(0)) return true;
  if (firstId == secondId && first->GetCount() <= 1) return true;
  // The cell of the one candidate, not merely the first cell of its id: a
  // shorter stack or the item underfoot may come before it.
  auto cellOf = [this](const CItem* item) {
    for (int cell = 0; cell < GridCells; ++cell)
      if (GetPickItem(cell, false).Get() == item) return cell;
    return -1;
  };
  if (CountFirstIngredientCandidates() == 1) FirstPick = cellOf(first);
  if (CountSecondIngredientCandidates() == 1) SecondPick = cellOf(GetSecondIngredientCandidate(0));
  return true;
}

bool CGameInputMainMenu::PickCell(int cell) {
  const bool second = FirstPick != -1;
  const PickedItem item = GetPickItem(cell, second);
  if (!item || !CanPickItem(second ? 1 : 0, item.Get())) return false;
  if (FirstPick == -1) {
    FirstPick = cell;
    if (GetCraftKind() == CraftKindEnchant) CraftListCursor = 0;
  } else if (SecondPick == -1) {
    SecondPick = cell;
    CraftCount = 1;
  }
  RefreshPanels();
  switch (GetCraftKind()) {
    case CraftKindMaterial: SetCraftListThumb(MaterialListThumb); break;
    case CraftKindRecipe: SetCraftListThumb(Material.ScrollTrack.Y); break;
    case CraftKindEnchant: SetCraftListThumb(FirstPick == -1 ? BaseListThumb : StoneListThumb); break;
    default: break;
  }
  RefreshPanels();
  return true;
}

bool CGameInputMainMenu::CanPickItem(int which, const CItem* item) const {
  if (!item) return false;
  const PickedItem first = which == 0 ? PickedItem() : GetPickItem(FirstPick, false);
  switch (GetCraftKind()) {
    case CraftKindMaterial:
      if (which == 0) return true;
      if (first.Get() == item && item->GetCount() <= 1) return false;
      return CanCombineItems(first.Get(), item);
    case CraftKindRecipe:
      if (which == 0) return item->GetId() == GetRecipeFirstId(ChosenRecipe);
      if (item->GetId() != GetRecipeSecondId(ChosenRecipe)) return false;
      if (first.Get() == item && item->GetCount() < 2) return false;
      return CanCombineItems(first.Get(), item);
    case CraftKindEnchant: {
      if (which == 0) return FreeStoneSlots(*item) > 0;
      // A placeholder is not the held stack of its stone.
      if (GetHeldMagicStone(StoneListIndexOf(item)) != item || !first) return false;
      return !HoldsStone(*first.Get(), item->GetId()) && FreeStoneSlots(*first.Get()) > 0;
    }
    default: return false;
  }
}

// The place in the stone list of a stone item; -1 for anything else.
int CGameInputMainMenu::StoneListIndexOf(const CItem* item) {
  for (int k = 0; k < MagicStoneCount; ++k)
    if (GetMagicStoneIdAt(k) == item->GetId()) return k;
  return -1;
}

int CGameInputMainMenu::GetEnchantProblem() const {
  if (FirstPick == -1 || SecondPick == -1) return 1;
  if (GetCraftKind() == CraftKindMaterial) return 0;
  const CItem* stone = GetHeldMagicStone(SecondPick);
  if (!stone) return 2;
  const PickedItem base = GetEnchantBaseItem(FirstPick);
  if (!base || FreeStoneSlots(*base.Get()) <= 0) return 3;
  if (HoldsStone(*base.Get(), stone->GetId())) return 4;
  return 0;
}

bool CGameInputMainMenu::IsEnchantReady() const {
  if (FirstPick == -1 || SecondPick == -1) return false;
  return GetCraftKind() == CraftKindMaterial || GetEnchantProblem() == 0;
}

// What the picks allow: each held count over what one craft takes of it,
// and one stack passed twice over both needs together.
int CGameInputMainMenu::GetCraftLimit() const {
  const PickedItem first = GetPickItem(FirstPick, false), second = GetPickItem(SecondPick, true);
  if (!first || !second) return 0;
  const RecipeNeeds needs = GetRecipeNeeds(FindRecipeIndex(first->GetId(), second->GetId()), first->GetId());
  const int needA = std::max(needs.First, 1), needB = std::max(needs.Second, 1);
  if (first.Get() == second.Get()) return first->GetCount() / (needA + needB);
  return std::min(first->GetCount() / needA, second->GetCount() / needB);
}

bool CGameInputMainMenu::IncreaseCraftCount() {
  if (CraftCount >= GetCraftLimit()) return false;
  ++CraftCount;
  return true;
}

bool CGameInputMainMenu::CheckTutorialCraft(std::uint32_t lesson, int resultId) {
  if (lesson == 2) return resultId == HealingPotionId;
  if (lesson == 3) return resultId == HealingStoneId;
  return true;
}
