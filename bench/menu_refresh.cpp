// The in-dungeon menu's refresh of its craft page, run after each key there:
// the recipe book of the largest page (its results made afresh, and what
// the bag holds of every ingredient), and two picks with their preview.
// A frame at 60 frames a second has 16.7 ms.
#include <benchmark/benchmark.h>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/ItemFactory.h"
#include "items/RecipeTables.h"
#include "screens/CGameInputMainMenu.h"

namespace {

// A new run with a full bag of materials; null when none could start.
CGameInputMainMenu* MenuOverFullBag() {
  CGameMain* game = GetGameMain();
  game->Settings.Block.SelectedClass = 0;
  for (auto& cleared : game->Settings.Block.DungeonClearedFlags) cleared = 1;  // every recipe open
  game->StartNewGame(1);
  CCharacterPlayer* player = game->Player;
  if (!player || !game->CurrentStage) return nullptr;
  for (int id = 0x800; player->CountItems() < InventorySize; ++id) {
    CItem* item = CreateItem(id % 0x800 < 0x24 ? id : 0x800);
    if (!item) break;
    item->SetCount(5);
    if (!player->AddItem(item)) {
      delete item;
      break;
    }
  }
  CGameInputMainMenu* menu = GetGameInputMainMenu();
  menu->Open();
  menu->SelectPage(MenuPageCraft);
  menu->CraftChooser.SetVisible(false);
  return menu;
}

void SelectKind(CGameInputMainMenu& menu, CraftKind kind) {
  for (int i = 0; i < 3; ++i) menu.CraftTabs[i].SetSelected(i == kind);
}

void BM_RefreshRecipeBook(benchmark::State& state) {
  CGameInputMainMenu* menu = MenuOverFullBag();
  if (!menu) {
    state.SkipWithError("no run could start");
    return;
  }
  SelectKind(*menu, CraftKindRecipe);
  int largest = 0;
  for (int page = 0; page < 11; ++page)
    if (CGameInputMainMenu::CountRecipesOnPage(page) > CGameInputMainMenu::CountRecipesOnPage(largest)) largest = page;
  menu->RecipeBookPage = largest;
  for (auto _ : state) {
    menu->RefreshPanels();
    benchmark::DoNotOptimize(menu->Recipe.Cells[0].GetRed());
  }
  state.counters["entries"] = CGameInputMainMenu::CountRecipesOnPage(largest);
}
BENCHMARK(BM_RefreshRecipeBook)->Unit(benchmark::kMicrosecond);

void BM_RefreshTwoPicks(benchmark::State& state) {
  CGameInputMainMenu* menu = MenuOverFullBag();
  if (!menu) {
    state.SkipWithError("no run could start");
    return;
  }
  SelectKind(*menu, CraftKindMaterial);
  menu->FirstPick = menu->SecondPick = 11;  // one stack of five, twice
  for (auto _ : state) {
    menu->RefreshPanels();
    benchmark::DoNotOptimize(menu->Material.ResultWindow.GetText());
  }
}
BENCHMARK(BM_RefreshTwoPicks)->Unit(benchmark::kMicrosecond);

}  // namespace
