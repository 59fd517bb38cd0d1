// The in-dungeon menu's pages photographed in a seeded run: the hero on the
// first floor of the third dungeon carries a few materials, a magic stone
// and its worn weapon, opens the menu by its key and walks its pages by
// keys; only the grids' cursors are put straight on their cells.
#include <cstdio>

#include "Shots.h"
#include "app/Application.h"
#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr StageId TourFloor = 200;
constexpr int TourDungeon = 3;
constexpr std::uint32_t TourClass = 0;
constexpr ItemId IronOre = 0x802, Elixir = 0x90F, StoneBar = 0x805, Wood = 0x810, MedicalHerb = 0x814,
                 HealingStone = 0xA00;
// Frames for the markers and windows to settle after each change, and
// between two keys.
constexpr int SettleFrames = 20, KeyFrames = 8;
// The default keyboard: arrows, Z to select, X to cancel, S for the menu.
constexpr std::uint32_t KeyUp = 38, KeyDown = 40, KeyRight = 39, KeySelect = 'Z', KeyCancel = 'X', KeyMenu = 'S';

CItem* Give(CCharacterPlayer& player, ItemId id, int count) {
  CItem* item = CreateItem(id);
  if (!item) return nullptr;
  item->SetCount(count);
  if (player.AddItem(item)) return item;
  delete item;
  return nullptr;
}

// The item grid's cell of a carried item: worn places on row 0, the bag's
// ten columns on rows 1-3.
int CellOf(const CCharacterPlayer& player, const CItem* item) {
  for (int place = 0; place < InventorySize; ++place)
    if (player.GetItem(place) == item) return place < 7 ? place : 11 + (place - 7) / 10 * 11 + (place - 7) % 10;
  return 0;
}

class Tour {
public:
  Tour(CGameMain& game, const std::string& out) : game_(game), out_(out), menu_(*GetGameInputMainMenu()) {}

  int Run() {
    // The recipe of two Iron Ores and an Elixir opens with the third dungeon.
    game_.Settings.Block.DungeonClearedFlags[3] = 1;
    SeedRandom(3000);
    game_.Settings.Block.SelectedClass = TourClass;
    game_.StartNewGame(TourDungeon);
    if (!game_.Player || !EnterFloor(game_, TourFloor)) {
      std::fprintf(stderr, "play_screenshots: the menu's floor does not come into play\n");
      return 1;
    }
    CCharacterPlayer& player = *game_.Player;
    CItem* ore = Give(player, IronOre, 1);
    CItem* elixir = Give(player, Elixir, 1);
    CItem* bars = Give(player, StoneBar, 3);
    CItem* wood = Give(player, Wood, 4);
    Give(player, MedicalHerb, 2);
    Give(player, HealingStone, 2);
    if (!ore || !elixir || !bars || !wood || !player.GetItem(0)) {
      std::fprintf(stderr, "play_screenshots: the hero cannot carry the menu's items\n");
      return 1;
    }

    Press(KeyMenu);
    if (GetGameInputMain()->GetChild() != &menu_) {
      std::fprintf(stderr, "play_screenshots: the menu does not open\n");
      return 1;
    }
    Shoot("top");

    Press(KeySelect);  // ITEM
    MoveItemCursor(CellOf(player, bars));
    Shoot("item");
    Press(KeySelect);
    Shoot("item_actions");
    Press(KeyCancel);
    Press(KeyCancel);

    Press(KeyDown);
    Press(KeySelect);  // CRAFT
    Shoot("craft");

    Press(KeySelect);  // MATERIAL CRAFT
    PickAt(CellOf(player, bars));
    MoveCraftCursor(CellOf(player, wood));
    Shoot("material");
    Press(KeyCancel);  // both picks dropped
    PickAt(CellOf(player, ore));
    PickAt(CellOf(player, elixir));
    Shoot("material_short");
    BackToChooser();

    Press(KeyDown);
    Press(KeySelect);  // RECIPE CRAFT
    Press(KeyRight);
    Shoot("recipe_book");
    BackToChooser();

    Press(KeyDown);  // the chooser stays on RECIPE CRAFT
    Press(KeySelect);  // ENCHANT
    PickAt(0);         // the worn weapon
    Shoot("enchant");
    PickAt(0);  // the first stone of the list
    Shoot("enchant_note");
    // The page's texts follow the language at the next refresh.
    game_.Settings.Block.Language = LanguageJapanese;
    menu_.RefreshPanels();
    Shoot("enchant_note_ja");
    game_.Settings.Block.Language = LanguageEnglish;
    menu_.RefreshPanels();
    BackToChooser();
    Press(KeyCancel);

    Press(KeyDown);  // STAIR
    // An hour and a half in, and hungry.
    game_.Settings.Block.PlayTime = 90 * 60 * 30;
    player.satiety = 700;
    Shoot("status");
    game_.Settings.Block.Language = LanguageJapanese;
    Shoot("status_ja");
    Press(KeyUp);
    Press(KeyUp);
    Press(KeySelect);  // ITEM
    MoveItemCursor(CellOf(player, bars));
    Shoot("item_ja");
    game_.Settings.Block.Language = LanguageEnglish;
    Press(KeyCancel);
    Press(KeyCancel);
    return status_;
  }

private:
  // A key down for a frame and up again, through the game's own event path.
  void Press(std::uint32_t key) {
    DispatchEvent(SysEvent{SysEventKind::KeyDown, key});
    RunFrame(game_);
    DispatchEvent(SysEvent{SysEventKind::KeyUp, key});
    for (int i = 0; i < KeyFrames; ++i) RunFrame(game_);
  }
  // The grids' cursors are put where the arrow keys would take them.
  void MoveItemCursor(int cell) {
    menu_.ItemCursor = cell;
    menu_.RefreshPanels();
  }
  void MoveCraftCursor(int cell) {
    menu_.CraftListCursor = cell;
    menu_.RefreshPanels();
  }
  void PickAt(int cell) {
    MoveCraftCursor(cell);
    Press(KeySelect);
  }
  void BackToChooser() {
    for (int i = 0; i < 4 && menu_.GetCraftKind() != -1; ++i) Press(KeyCancel);
  }

  void Shoot(const char* page) {
    for (int i = 0; i < SettleFrames; ++i) RunFrame(game_);
    const std::string path = out_ + "/menu_" + page + ".png";
    if (!Photograph(path)) {
      std::fprintf(stderr, "play_screenshots: cannot write %s\n", path.c_str());
      status_ = 1;
      return;
    }
    std::printf("play_screenshots: %s\n", path.c_str());
  }

  CGameMain& game_;
  std::string out_;
  CGameInputMainMenu& menu_;
  int status_ = 0;
};

}  // namespace

int PhotographMenuPages(CGameMain& game, const std::string& out) { return Tour(game, out).Run(); }
