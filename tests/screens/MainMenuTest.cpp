// The in-dungeon menu: its build, the item grid and its cursor, the action
// box each kind of item gets, and use, equip and unequip ending the turn.
#include <gtest/gtest.h>

#include <memory>

#include "screens/MainMenuTestSupport.h"

namespace {

using namespace menutest;
using Menu = CGameInputMainMenu;

TEST(MainMenuBuild, PagesTabsAndGridStartAsBuilt) {
  EXPECT_EQ(ScreenFromId(17), GetGameInputMainMenu());
  // A menu just built, whatever other tests did to the screen's own one.
  const auto built = std::make_unique<Menu>();
  Menu* m = built.get();
  EXPECT_EQ(ScreenFromId(22), GetGameInputEquip());
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(m->PageTabs[i].Visible) << i;
    EXPECT_EQ(m->PageTabs[i].IsSelected(), i == 2) << i;
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(m->CraftTabs[i].Visible) << i;
    EXPECT_EQ(m->CraftTabs[i].IsSelected(), i == 0) << i;
  }
  EXPECT_TRUE(m->Recipe.ListTabs[0].IsSelected());
  EXPECT_FALSE(m->Recipe.ListTabs[1].IsSelected());
  for (const CWidget* w : {&m->Recipe.ScrollTrack, &m->Recipe.ScrollUp, &m->Recipe.ScrollDown,
                           &m->Recipe.ScrollThumb, &m->Recipe.ScrollThumbEnd, &m->Recipe.ListTabs[0]})
    EXPECT_FALSE(w->Visible);
  for (const CWidget& row : m->Recipe.Rows) EXPECT_FALSE(row.Visible);

  int shown = 0;
  for (int i = 0; i < Menu::GridCells; ++i) {
    const bool visible = m->Material.GridCells[i].Visible != 0;
    shown += visible;
    const bool blank = (i >= 7 && i <= 10) || i == 32 || i == 43;
    EXPECT_EQ(visible, !blank) << i;
    EXPECT_EQ(m->Material.GridCells[i].Parent, &m->MaterialPagePanel);
  }
  EXPECT_EQ(shown, 38);
  // The grid lies exactly over the item page's cells.
  EXPECT_EQ(m->Material.GridCells[21].X, m->FootCellWidget.X);
  EXPECT_EQ(m->Material.GridCells[42].Y, m->BagCells[29].Y);

  for (const CWidgetWindow& b : m->ActionButtons) {
    EXPECT_EQ(b.X, m->ActionButtons[0].X);
    EXPECT_EQ(b.Y, m->ActionButtons[0].Y);
    EXPECT_EQ(b.Parent, &m->ActionWindow);
  }
  // Both shades cover the screen with margin.
  EXPECT_LE(m->MenuShade.X, 0);
  EXPECT_GE(m->MenuShade.X + m->MenuShade.Width, 1280);
  EXPECT_LE(m->CoverShade.Y, 0);
  EXPECT_GE(m->CoverShade.Y + m->CoverShade.Height, 720);
}

TEST(MainMenuGrid, CellsMapToWornPlacesBagAndFoot) {
  const struct {
    int Cell, Index;
  } rows[] = {{0, 0}, {6, 6},   {7, -2},  {10, -2}, {11, 7},  {20, 16}, {21, -1},
              {22, 17}, {31, 26}, {32, -2}, {33, 27}, {42, 36}, {43, -2}, {44, -2}, {-1, -2}};
  Menu* m = GetGameInputMainMenu();
  for (const auto& r : rows) {
    EXPECT_EQ(Menu::GetCellInventoryIndex(r.Cell), r.Index) << r.Cell;
    CWidget* w = m->GetItemCellWidget(r.Cell);
    const CWidget* expected = r.Index == -2   ? nullptr
                              : r.Index == -1 ? &m->FootCellWidget
                              : r.Index < 7   ? &m->EquipCells[r.Index]
                                              : &m->BagCells[r.Index - 7];
    EXPECT_EQ(w, expected) << r.Cell;
  }
}

class MainMenu : public MenuFixture {};

TEST_F(MainMenu, OpensOnTheTopPageAndIgnoresKeysDuringItsWaits) {
  ASSERT_TRUE(GetGameInputController()->PushChild(MenuId));
  menu->TopCursor = 3;
  menu->Open();
  EXPECT_EQ(menu->GetActivePage(), MenuPageTop);
  EXPECT_EQ(menu->TopCursor, 0);
  EXPECT_TRUE(menu->CommandPagePanel.IsVisible());
  EXPECT_FALSE(menu->ItemPagePanel.IsVisible());
  for (int i = 0; i < Menu::WaitFrames / 2; ++i) Press(InputRowDown);
  EXPECT_EQ(menu->TopCursor, 0);

  // A held key steps once.
  Step({InputRowDown});
  Step({InputRowDown});
  Step({InputRowDown});
  EXPECT_EQ(menu->TopCursor, 1);
  Step();
  Press(InputRowUp);
  Press(InputRowUp);
  EXPECT_EQ(menu->TopCursor, 4);

  // CANCEL closes after six frames in which nothing reads a key.
  Press(InputRowCancel);
  EXPECT_EQ(menu->IsOpen, 0);
  Press(InputRowDown);
  EXPECT_EQ(menu->TopCursor, 4);
  Idle(2);
  EXPECT_TRUE(MenuShown());
  Idle(1);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
}

TEST_F(MainMenu, ItemCursorWrapsOverTheGridAndSkipsBlankPlaces) {
  OpenMenu();
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetActivePage(), MenuPageItem);
  EXPECT_TRUE(menu->ItemPagePanel.IsVisible());
  const struct {
    int From, Key, To;
  } moves[] = {
      {0, InputRowLeft, 6},   {6, InputRowRight, 0},  {3, InputRowUp, 36},   {40, InputRowDown, 18},
      {11, InputRowLeft, 21}, {21, InputRowRight, 11}, {21, InputRowUp, 21},  {21, InputRowDown, 21},
      {20, InputRowRight, 21}, {31, InputRowRight, 22}, {33, InputRowUp, 22},  {42, InputRowDown, 9 + 11},
  };
  for (const auto& mv : moves) {
    menu->ItemCursor = mv.From;
    Press(mv.Key);
    EXPECT_EQ(menu->ItemCursor, mv.To) << mv.From << " key row " << mv.Key;
    EXPECT_EQ(menu->GetSelectedItemIndex(), Menu::GetCellInventoryIndex(mv.To));
    const CWidget* cell = menu->GetItemCellWidget(mv.To);
    EXPECT_EQ(menu->SlotCursor.X, cell->X);
    EXPECT_EQ(menu->SlotCursor.Y, cell->Y);
  }
  Press(InputRowCancel);
  EXPECT_EQ(menu->GetActivePage(), MenuPageTop);
}

TEST_F(MainMenu, EachKindOfItemGetsItsActions) {
  using Captions = std::vector<std::string>;
  const Captions none{"", "", ""};
  CItem* sword = Give(Sword);
  Give(Healing);
  Give(Arrows, 5);
  OpenMenu();
  ToItemCell(11);

  struct Row {
    const char* What;
    int Cell;
    Captions Expected;
    bool FirstEnabled;
  };
  auto check = [&](const Row& r) {
    menu->ItemCursor = r.Cell;
    menu->ActionCursor = 0;
    menu->RefreshPanels();
    EXPECT_EQ(ActionCaptions(), r.Expected) << r.What;
    EXPECT_EQ(menu->ActionButtons[0].IsEnabled(), r.FirstEnabled) << r.What;
    int present = 0;
    for (const std::string& c : r.Expected) present += !c.empty();
    EXPECT_EQ(menu->GetLastActionIndex(), present - 1) << r.What;
    // The box is laid out again only for a cell that holds an item.
    if (player_->GetItem(Menu::GetCellInventoryIndex(r.Cell))) {
      EXPECT_EQ(menu->ActionWindow.HalfTop + menu->ActionWindow.HalfBottom, 12 + 32 * present) << r.What;
    }
  };
  const int swordCell = 11 + PlaceOf(sword) - 7;
  check({"sword in the bag", swordCell, {"EQUIP", "THROW", "DROP"}, true});
  for (int place = 7; place < 10; ++place) {
    const CItem* item = player_->GetItem(place);
    ASSERT_NE(item, nullptr);
    const int cell = 11 + place - 7;
    if (item->GetId() == Healing) check({"potion in the bag", cell, {"USE", "THROW", "DROP"}, true});
    if (item->GetId() == Arrows) check({"arrows without a bow", cell, {"EQUIP", "THROW", "DROP"}, true});
  }
  check({"empty bag place", 30, none, false});
  check({"nothing underfoot", 21, none, false});

  // Worn: UNEQUIP; arrows shoot once a bow is worn.
  ASSERT_TRUE(player_->Equip(sword));
  check({"worn sword", 0, {"UNEQUIP", "THROW", "DROP"}, true});
  CItem* bow = Give(Bow, 1, true);
  ASSERT_NE(bow, nullptr);
  for (int place = 7; place < InventorySize; ++place)
    if (const CItem* item = player_->GetItem(place); item && item->GetId() == Arrows)
      check({"arrows with a bow", 11 + place - 7, {"EQUIP", "SHOOT", "DROP"}, true});

  // Underfoot: PICK; a sword there cannot be worn from the floor.
  const struct {
    ItemId Id;
    Captions Expected;
    bool FirstEnabled;
  } floorRows[] = {{Healing, {"USE", "THROW", "PICK"}, true},
                   {Sword, {"EQUIP", "THROW", "PICK"}, false},
                   {Needle, none, false}};
  for (const auto& r : floorRows) {
    delete floor_->GetItemAt(3, 3);
    floor_->RemoveItemAt(3, 3);
    ASSERT_TRUE(floor_->PutItemAt(3, 3, CreateItem(r.Id)));
    check({"underfoot", 21, r.Expected, r.FirstEnabled});
  }
}

TEST_F(MainMenu, UnequipIsGreyWithAFullBag) {
  CItem* sword = Give(Sword, 1, true);
  for (int i = 0; i < BagSize; ++i) Give(Sword + i % 8);
  ASSERT_NE(player_->GetItem(InventorySize - 1), nullptr);
  OpenMenu();
  ToItemCell(0);
  EXPECT_EQ(menu->ActionButtons[0].GetText(), std::string("UNEQUIP"));
  EXPECT_FALSE(menu->ActionButtons[0].IsEnabled());
  EXPECT_EQ(menu->ActionButtons[0].GetRed(), 128);
  // SELECT on the grey button is used up silently and does nothing.
  Press(InputRowSelect);
  ASSERT_EQ(menu->ActionCursor, 0);
  Press(InputRowSelect);
  EXPECT_EQ(menu->GetPhase(), ScreenActive);
  EXPECT_EQ(menu->GetChild(), nullptr);
  EXPECT_TRUE(sword->IsEquipped());
}

TEST_F(MainMenu, EquipsThroughTheConfirmationAndHandsTheTurnOn) {
  CItem* old = Give(Sword, 1, true);
  CItem* sword = Give(Sword + 1);
  const int cell = 11 + PlaceOf(sword) - 7;
  OpenMenu();
  ToItemCell(cell);
  Press(InputRowSelect);  // the action box
  ASSERT_EQ(menu->ActionCursor, 0);
  Press(InputRowSelect);  // EQUIP
  CGameInputEquip* equip = GetGameInputEquip();
  ASSERT_EQ(menu->GetChild(), equip);
  EXPECT_EQ(menu->GetPhase(), Menu::PhaseEquipQuestion);
  EXPECT_TRUE(menu->CoverShade.Visible);
  EXPECT_EQ(equip->WornSlot, 0);
  EXPECT_EQ(equip->NewSlot, PlaceOf(sword));

  // CANCEL: back to the menu, nothing worn changes.
  Press(InputRowCancel);
  EXPECT_EQ(menu->GetChild(), nullptr);
  EXPECT_EQ(menu->GetPhase(), ScreenActive);
  EXPECT_FALSE(menu->CoverShade.Visible);
  EXPECT_TRUE(old->IsEquipped());
  EXPECT_TRUE(MenuShown());

  Press(InputRowSelect);
  ASSERT_EQ(menu->GetChild(), equip);
  Press(InputRowSelect);  // EQUIP is highlighted
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(player_->GetItem(0), sword);
  EXPECT_TRUE(sword->IsEquipped());
  EXPECT_FALSE(old->IsEquipped());
  EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
  EXPECT_EQ(player_->actionPoints, 0);
  char name[ItemTextSize];
  EXPECT_EQ(std::string(GetGameInputMain()->GetMessageRow(0)),
            "YOU EQUIPPED " + std::string(sword->GetNameWithCount(name, sizeof name)) + "!");
}

TEST_F(MainMenu, UnequipsAWornItemIntoTheBag) {
  CItem* sword = Give(Sword, 1, true);
  OpenMenu();
  ToItemCell(0);
  Press(InputRowSelect);
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetChild(), GetGameInputEquip());
  EXPECT_EQ(GetGameInputEquip()->WornSlot, 0);
  EXPECT_EQ(GetGameInputEquip()->NewSlot, CGameInputEquip::NoPlace);
  Press(InputRowSelect);
  EXPECT_EQ(player_->GetItem(0), nullptr);
  EXPECT_FALSE(sword->IsEquipped());
  EXPECT_GE(PlaceOf(sword), 7);
  EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
  EXPECT_FALSE(MenuShown());
}

TEST_F(MainMenu, DrinksAPotionAfterTheClosingWait) {
  player_->hp = 10;
  CItem* potion = Give(Healing, 2);
  OpenMenu();
  ToItemCell(11 + PlaceOf(potion) - 7);
  Press(InputRowSelect);
  Press(InputRowSelect);  // USE
  EXPECT_EQ(menu->PendingAction, MenuActionUseOrEquip);
  EXPECT_EQ(player_->GetSelectedItem(), PlaceOf(potion));
  EXPECT_EQ(potion->GetCount(), 2);
  Idle(Menu::WaitFrames - 2);
  EXPECT_TRUE(MenuShown());
  Step();
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(potion->GetCount(), 1);
  EXPECT_GT(player_->hp, 10);
  EXPECT_EQ(player_->actionPoints, 0);
  // The drink's own hold has come and gone: the monsters move next.
  EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
  // The play screen gets no stale press.
  for (int row : {InputRowSelect, InputRowCancel, InputRowUp})
    for (std::int32_t v : GetInput()->InputHistory[row]) ASSERT_EQ(v, -1);
}

// A player whose uses all fail.
class ClumsyPlayer : public CCharacterPlayer {
public:
  bool UseItem(int) override { return false; }
};

TEST_F(MainMenu, AUseThatFailsSpendsNoTurn) {
  auto* clumsy = new ClumsyPlayer;
  clumsy->maxHpX100 = 10000;
  clumsy->hp = 100;
  // The fighter stays aside; the clumsy one is the game's player.
  Place(clumsy, 5, 3);
  player_ = clumsy;
  game_->Player = clumsy;
  player_->actionPoints = 2;
  CItem* potion = Give(Healing);
  OpenMenu();
  ToItemCell(11);
  Press(InputRowSelect);
  Press(InputRowSelect);
  Idle(Menu::WaitFrames);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(potion->GetCount(), 1);
  EXPECT_EQ(player_->actionPoints, 2);
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
}

TEST_F(MainMenu, StairsUnderfootCloseTheMenuForTheStairs) {
  floor_->terrain[CellIndex(3, 3)] = TerrainStairs;
  OpenMenu();
  EXPECT_EQ(menu->TopMenuRows[Menu::TopStair].GetRed(), 255);
  ToItemCell(21);
  EXPECT_TRUE(menu->FootCellWidget.IsEnabled());
  Press(InputRowSelect);
  EXPECT_EQ(menu->IsOpen, 0);
  EXPECT_EQ(menu->PendingAction, MenuActionStairs);
}

TEST_F(MainMenu, StairOffTheStairsIsGreyAndDoesNothing) {
  OpenMenu();
  EXPECT_EQ(menu->TopMenuRows[Menu::TopStair].GetRed(), 128);
  Presses(InputRowDown, 2);
  Press(InputRowSelect);
  EXPECT_EQ(menu->IsOpen, 1);
  EXPECT_TRUE(MenuShown());
}

TEST_F(MainMenu, TheTutorialShutsItemAndInTheFirstLessonCraft) {
  game_->Settings.Block.DungeonIndex = 0;
  const struct {
    std::uint32_t Step;
    bool ItemOpens, CraftOpens;
  } rows[] = {{0, true, true}, {1, false, false}, {2, false, true}, {4, false, true}};
  for (const auto& r : rows) {
    OpenMenu();
    menu->TutorialStep = r.Step;
    Press(InputRowSelect);
    EXPECT_EQ(menu->GetActivePage() == MenuPageItem, r.ItemOpens) << r.Step;
    menu->SelectPage(MenuPageTop);
    menu->TopCursor = Menu::TopCraft;
    Press(InputRowSelect);
    EXPECT_EQ(menu->GetActivePage() == MenuPageCraft, r.CraftOpens) << r.Step;
    if (r.CraftOpens) {
      EXPECT_TRUE(menu->CraftChooser.IsVisible());
      for (const CWidget& tab : menu->CraftTabs) EXPECT_FALSE(tab.IsSelected());
    }
    menu->Detach();
  }
}

TEST_F(MainMenu, OptionCoversTheMenuWithTheSettings) {
  OpenMenu();
  Presses(InputRowUp, 2);
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetChild(), ScreenFromId(8));
  EXPECT_EQ(menu->GetPhase(), ScreenCovered);
  EXPECT_TRUE(menu->CoverShade.Visible);
  menu->OnChildClosed();
  EXPECT_EQ(menu->GetPhase(), ScreenActive);
  EXPECT_EQ(menu->GetChild(), nullptr);
  EXPECT_EQ(menu->TopCursor, Menu::TopOption);
}

class MainMenuCraft : public MenuFixture {};

TEST_F(MainMenuCraft, TheChooserWrapsAndCancelGoesBackToTheTop) {
  OpenMenu();
  Press(InputRowDown);
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetActivePage(), MenuPageCraft);
  EXPECT_TRUE(menu->CraftPagePanel.IsVisible());
  EXPECT_FALSE(menu->CommandPagePanel.IsVisible());
  EXPECT_STREQ(menu->CraftChooserRows[1].GetText(), "RECIPE CRAFT");
  Press(InputRowUp);
  EXPECT_EQ(menu->CraftKindCursor, 2);
  EXPECT_EQ(menu->CraftChooserCursor.Y, 2 * 32 - 40 + 16);
  Press(InputRowDown);
  EXPECT_EQ(menu->CraftKindCursor, 0);
  Press(InputRowCancel);
  EXPECT_EQ(menu->GetActivePage(), MenuPageTop);
  EXPECT_TRUE(MenuShown());
}

TEST_F(MainMenuCraft, OnlyTheLessonsKindStaysBright) {
  const struct {
    std::uint32_t Step;
    int Levels[3];
  } rows[] = {{0, {255, 255, 255}}, {1, {64, 64, 64}}, {2, {255, 64, 64}}, {3, {64, 255, 64}}, {4, {64, 64, 255}}};
  OpenMenu();
  menu->SelectPage(MenuPageCraft);
  for (const auto& r : rows) {
    menu->TutorialStep = r.Step;
    menu->RefreshPanels();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(menu->CraftChooserRows[i].GetRed(), r.Levels[i]) << r.Step << " " << i;
  }
  menu->TutorialStep = 0;
}

}  // namespace
