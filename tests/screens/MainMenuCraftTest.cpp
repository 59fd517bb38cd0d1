// The in-dungeon menu's craft page and its deferred actions, headless: two
// picks, the recipe book and the stone fusing walked by keys, crafting many
// at once, and drop, pick up, throw and the stairs run after the closing wait.
#include <gtest/gtest.h>

#include "items/RecipeTables.h"
#include "screens/MainMenuTestSupport.h"

namespace {

using namespace menutest;
using Menu = CGameInputMainMenu;

constexpr ItemId StoneBar = 0x805, Wood = 0x810, MedicalHerb = 0x814, IronOre = 0x802, Elixir = 0x90F,
                 GoldOre = 0x81B, StoneSword = 0x000, HealingStone = 0xA00, Potion = 0x900;
constexpr ScreenId NextFloorId = 23;

// Stands in for the next-floor question.
class NextFloorStandIn : public CGameInput {};
NextFloorStandIn& NextFloor() {
  static NextFloorStandIn next;
  return next;
}
CGameInput* ResolveWithNextFloor(ScreenId id) { return id == NextFloorId ? &NextFloor() : Resolve(id); }

class MainMenuCrafting : public MenuFixture {
protected:
  void SetUp() override {
    MenuFixture::SetUp();
    SetScreenResolver(&ResolveWithNextFloor);
    GetStateController()->ChangeState(StateMainNormal);
  }
  void TearDown() override {
    NextFloor().SetParent(nullptr);
    NextFloor().SetChild(nullptr);
    MenuFixture::TearDown();
  }

  // MATERIAL CRAFT with both picks made.
  void PickBoth(const CItem* first, const CItem* second) {
    OpenKind(CraftKindMaterial);
    PickAt(CellOf(first));
    PickAt(CellOf(second));
  }
  // Select on CRAFT, then the closing wait.
  void Craft() {
    Press(InputRowSelect);
    ASSERT_EQ(menu->PendingAction, MenuActionCraft);
    Idle(Menu::WaitFrames);
    EXPECT_FALSE(MenuShown());
  }
  void ExpectTurnEnded() const {
    EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
    EXPECT_EQ(player_->actionPoints, 0);
  }
  int CountCarried(ItemId id) const {
    int n = 0;
    for (int place = 0; place < InventorySize; ++place)
      if (const CItem* item = player_->GetItem(place); item && item->GetId() == id) n += item->GetCount();
    return n;
  }
  // Every free floor cell holds something: nothing more can be dropped.
  void FillTheFloor() {
    for (int y = 0; y < StageMapSize; ++y)
      for (int x = 0; x < StageMapSize; ++x)
        if (!floor_->GetItemAt(x, y) && (floor_->IsFloor(x, y) || floor_->IsCorridor(x, y)))
          floor_->PutItemAt(x, y, CreateItem(Wood));
    ASSERT_FALSE(floor_->HasRoomForItem());
  }
  static int FindOnPage(int page, ItemId first, ItemId second) {
    for (int i = 0; i < Menu::CountRecipesOnPage(page); ++i)
      if (Menu::GetPageRecipeFirstId(page, i) == first && Menu::GetPageRecipeSecondId(page, i) == second) return i;
    return -1;
  }
};

// ---- Crafting

TEST_F(MainMenuCrafting, TwoPicksMakeUnstackableResultsOneAPass) {
  CItem* bars = Give(StoneBar, 3);
  CItem* wood = Give(Wood, 4);
  OpenKind(CraftKindMaterial);
  PickAt(CellOf(bars));
  EXPECT_EQ(menu->FirstPick, CellOf(bars));
  PickAt(CellOf(wood));
  ASSERT_EQ(menu->SecondPick, CellOf(wood));
  EXPECT_TRUE(menu->Material.CountWindow.IsVisible());
  EXPECT_TRUE(menu->Material.CountCraft.IsSelected());
  EXPECT_FALSE(menu->Material.MessageLine.Visible);
  Presses(InputRowUp, 5);
  EXPECT_EQ(menu->CraftCount, 3);  // the three bars
  Craft();
  EXPECT_EQ(CountCarried(StoneSword), 3);
  EXPECT_EQ(CountCarried(StoneBar), 0);
  EXPECT_EQ(wood->GetCount(), 1);
  EXPECT_EQ(PlaceOf(bars), NoSlot);  // the used-up stack left the bag
  EXPECT_NE(Messages().find("YOU MADE"), std::string::npos) << Messages();
  ExpectTurnEnded();
}

// Many at once never take an ingredient below 0, from one stack or two, and
// with a recipe that takes two of one ingredient.
TEST_F(MainMenuCrafting, AsManyAsTheMaterialsAllowLeavesNoCountBelowZero) {
  OpenStage(3);
  const struct {
    const char* What;
    ItemId A;
    int HeldA;
    ItemId B;
    int HeldB;
    int Limit;
    ItemId Result;
    int Made;
  } rows[] = {
      {"one stack twice", MedicalHerb, 5, MedicalHerb, 5, 2, Potion, 2},
      {"two stacks", StoneBar, 2, Wood, 5, 2, StoneSword, 2},
      {"two of the first", IronOre, 5, Elixir, 3, 2, GoldOre, 4},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.What);
    CItem* a = Give(r.A, r.HeldA);
    CItem* b = r.A == r.B ? a : Give(r.B, r.HeldB);
    PickBoth(a, b);
    ASSERT_EQ(menu->GetCraftLimit(), r.Limit);
    Presses(InputRowUp, 6);
    EXPECT_EQ(menu->CraftCount, r.Limit);
    menu->CraftCount = 9;  // more than the picks allow
    Craft();
    EXPECT_EQ(CountCarried(r.Result), r.Made);
    for (int place = 0; place < InventorySize; ++place) {
      if (const CItem* item = player_->GetItem(place)) {
        EXPECT_GE(item->GetCount(), 1) << place;
      }
    }
    EXPECT_EQ(CountCarried(r.A), r.A == r.B ? 1 : r.A == IronOre ? 1 : 0);
    for (int place = InventorySize - 1; place >= 0; --place) {
      CItem* item = player_->GetItem(place);
      if (!item) continue;
      player_->RemoveItemAt(place);
      delete item;
    }
    GetStateController()->ChangeState(StateMainNormal);
  }
}

// Two ores a craft into stacks of at most five: a full stack ends a pass,
// and the next pass makes only the crafts that remain.
TEST_F(MainMenuCrafting, ARunOfCraftsNeverOverfillsAStackNorOvershoots) {
  OpenStage(3);
  CItem* ore = Give(IronOre, 10);
  CItem* elixirs = Give(Elixir, 5);
  PickBoth(ore, elixirs);
  menu->CraftCount = 3;
  Craft();
  int made = 0;
  for (int place = 0; place < InventorySize; ++place)
    if (const CItem* item = player_->GetItem(place); item && item->GetId() == GoldOre) {
      EXPECT_LE(item->GetCount(), item->GetStackLimit());
      made += item->GetCount();
    }
  if (const CItem* spilled = floor_->GetItemAt(3, 3)) made += spilled->GetId() == GoldOre ? spilled->GetCount() : 0;
  EXPECT_EQ(made, 6);
  EXPECT_EQ(ore->GetCount(), 4);
  EXPECT_EQ(elixirs->GetCount(), 2);
}

TEST_F(MainMenuCrafting, TheRecipeBookPicksTheCountedStackAndCraftsSeveral) {
  OpenStage(3);
  for (int i = 0; i < 10; ++i) Give(StoneSword);
  CItem* ore = Give(IronOre, 5);
  Give(Elixir, 3);
  ASSERT_TRUE(floor_->PutItemAt(3, 3, CreateItem(IronOre)));  // one ore underfoot, short of the two
  ASSERT_GT(CellOf(ore), Menu::FootCell);
  const int entry = FindOnPage(RecipeTabMaterial, IronOre, Elixir);
  ASSERT_GE(entry, 0);
  OpenKind(CraftKindRecipe);
  menu->RecipeBookCursor = entry;
  Press(InputRowSelect);
  ASSERT_NE(menu->ChosenRecipe, -1);
  EXPECT_EQ(menu->FirstPick, CellOf(ore));
  EXPECT_NE(menu->SecondPick, -1);
  EXPECT_TRUE(menu->Recipe.CountWindow.IsVisible());
  EXPECT_FALSE(menu->Recipe.MessageLine.Visible);
  Presses(InputRowUp, 3);
  EXPECT_EQ(menu->CraftCount, 2);
  Craft();
  EXPECT_EQ(CountCarried(GoldOre), 4);
  EXPECT_EQ(CountCarried(IronOre), 1);
  EXPECT_EQ(floor_->GetItemAt(3, 3)->GetCount(), 1);
  ExpectTurnEnded();
}

TEST_F(MainMenuCrafting, TheRecipeOfTwoOresOpensWithItsStage) {
  const int stages[] = {0, 3};
  for (int stage : stages) {
    game_->Settings.Block.DungeonClearedFlags[3] = stage == 3;
    EXPECT_EQ(FindOnPage(RecipeTabMaterial, IronOre, Elixir) >= 0, stage == 3) << stage;
  }
}

TEST_F(MainMenuCrafting, AStoneFusesIntoTheWornWeapon) {
  CItem* sword = Give(StoneSword, 1, true);
  ASSERT_GT(sword->GetEnchantSlotCount(), 0);
  CItem* stones = Give(HealingStone, 2);
  OpenKind(CraftKindEnchant);
  PickAt(0);
  ASSERT_EQ(menu->FirstPick, 0);
  EXPECT_EQ(menu->CraftListCursor, 0);
  PickAt(0);  // the first stone of the list
  ASSERT_EQ(menu->SecondPick, 0);
  EXPECT_TRUE(menu->IsEnchantReady());
  EXPECT_STREQ(menu->Material.CountWindow.GetText(), "ARE YOU SURE?");
  Craft();
  EXPECT_EQ(sword->GetEnchantmentAt(0), HealingStone);
  EXPECT_TRUE(sword->IsEquipped());
  EXPECT_EQ(player_->GetItem(0), sword);
  EXPECT_EQ(stones->GetCount(), 1);
  EXPECT_NE(Messages().find("YOU ENCHANTED"), std::string::npos) << Messages();
  ExpectTurnEnded();
}

TEST_F(MainMenuCrafting, AStoneTheBaseHoldsIsNotEnoughMaterial) {
  CItem* sword = Give(StoneSword, 1, true);
  sword->Enchantments[0] = HealingStone;
  ASSERT_GT(sword->GetEnchantSlotCount(), 1);
  Give(HealingStone);
  OpenKind(CraftKindEnchant);
  PickAt(0);
  EXPECT_FALSE(menu->Material.GridCells[0].IsEnabled());  // the stone it holds
  menu->SecondPick = 0;
  menu->RefreshPanels();
  EXPECT_EQ(menu->GetEnchantProblem(), 4);
  EXPECT_TRUE(menu->Material.MessageLine.Visible);
  EXPECT_FALSE(menu->Material.PreviewCraft.IsEnabled());
  EXPECT_TRUE(menu->Material.CountCancel.IsSelected());
  Press(InputRowSelect);  // only steps back
  EXPECT_EQ(menu->SecondPick, -1);
  EXPECT_EQ(menu->IsOpen, 1);
}

TEST_F(MainMenuCrafting, ATutorialLessonRefusesTheWrongCraftButEndsTheTurn) {
  CItem* bars = Give(StoneBar, 1);
  CItem* wood = Give(Wood, 1);
  PickBoth(bars, wood);
  menu->TutorialStep = 2;  // the lesson of the healing potion
  Craft();
  menu->TutorialStep = 0;
  EXPECT_EQ(bars->GetCount(), 1);
  EXPECT_EQ(wood->GetCount(), 1);
  EXPECT_EQ(Messages(), "THAT'S NOT IT!");
  ExpectTurnEnded();
}

// ---- Mends: nothing is taken for a craft that cannot be placed or made.

TEST_F(MainMenuCrafting, AResultWithoutRoomIsRefusedBeforeAnythingIsTaken) {
  CItem* bars = Give(StoneBar, 3);
  CItem* wood = Give(Wood, 4);
  while (player_->CountItems() < BagSize) Give(StoneSword);
  FillTheFloor();
  PickBoth(bars, wood);
  Craft();
  EXPECT_EQ(bars->GetCount(), 3);
  EXPECT_EQ(wood->GetCount(), 4);
  EXPECT_EQ(Messages(), "");
  ExpectTurnEnded();
}

TEST_F(MainMenuCrafting, PicksThatDoNotCombineLeaveBothAsTheyWere) {
  CItem* bars = Give(StoneBar, 3);
  CItem* herbs = Give(MedicalHerb, 2);
  OpenKind(CraftKindMaterial);
  menu->FirstPick = CellOf(bars);
  menu->SecondPick = CellOf(herbs);
  menu->PendingAction = MenuActionCraft;
  menu->DoCraft();
  EXPECT_EQ(bars->GetCount(), 3);
  EXPECT_EQ(herbs->GetCount(), 2);
  EXPECT_EQ(CountCarried(StoneSword) + CountCarried(Potion), 0);
  menu->Detach();
}

// ---- The craft page's keys

TEST_F(MainMenuCrafting, TheRecipeBookCursorWrapsOverThePagesEntries) {
  OpenStage(4);
  ASSERT_EQ(Menu::CountRecipesOnPage(RecipeTabMaterial), 20);
  OpenKind(CraftKindRecipe);
  menu->RecipeBookPage = RecipeTabMaterial;
  const struct {
    int From, Row, To;
  } moves[] = {{18, InputRowRight, 0}, {5, InputRowDown, 5}, {19, InputRowRight, 19}, {0, InputRowLeft, 18},
               {19, InputRowUp, 0}};
  for (const auto& m : moves) {
    menu->RecipeBookCursor = m.From;
    Press(m.Row);
    EXPECT_EQ(menu->RecipeBookCursor, m.To) << m.From << " " << m.Row;
  }
  menu->RecipeBookPage = 10;
  Press(InputRowPageRight);
  EXPECT_EQ(menu->RecipeBookPage, 0);
  EXPECT_EQ(menu->RecipeBookCursor, 0);
  Press(InputRowPageLeft);
  EXPECT_EQ(menu->RecipeBookPage, 10);
}

TEST_F(MainMenuCrafting, CancelStepsBackOnePickAtATime) {
  CItem* bars = Give(StoneBar, 4);
  CItem* wood = Give(Wood, 2);
  PickBoth(bars, wood);
  Press(InputRowDown);
  EXPECT_EQ(menu->CraftCount, 1);
  Press(InputRowUp);
  Press(InputRowUp);
  EXPECT_EQ(menu->CraftCount, 2);
  Press(InputRowCancel);  // the second pick only
  EXPECT_EQ(menu->FirstPick, CellOf(bars));
  EXPECT_EQ(menu->SecondPick, -1);
  Press(InputRowCancel);  // both picks
  EXPECT_EQ(menu->FirstPick, -1);
  EXPECT_EQ(menu->GetCraftKind(), CraftKindMaterial);
  Press(InputRowCancel);  // the chooser
  EXPECT_TRUE(menu->CraftChooser.IsVisible());
  EXPECT_EQ(menu->GetCraftKind(), -1);
}

TEST_F(MainMenuCrafting, TheLessonOpensOnlyItsOwnKind) {
  game_->Settings.Block.DungeonIndex = 0;
  OpenMenu();
  menu->TutorialStep = 3;
  menu->TopCursor = Menu::TopCraft;
  Press(InputRowSelect);
  for (int kind : {CraftKindMaterial, CraftKindEnchant, CraftKindRecipe}) {
    menu->CraftKindCursor = kind;
    Press(InputRowSelect);
    EXPECT_EQ(menu->GetCraftKind(), kind == CraftKindRecipe ? kind : -1) << kind;
  }
  menu->TutorialStep = 0;
}

TEST_F(MainMenuCrafting, TheBookGreysWhatCannotBeMade) {
  const int entry = FindOnPage(RecipeTabPotion, MedicalHerb, MedicalHerb);
  ASSERT_GE(entry, 0);
  CItem* herbs = Give(MedicalHerb, 1);
  OpenKind(CraftKindRecipe);
  menu->RecipeBookPage = RecipeTabPotion;
  menu->RecipeBookCursor = entry;
  menu->RefreshPanels();
  EXPECT_EQ(menu->Recipe.Cells[entry].GetRed(), 128);  // one herb of the two
  herbs->SetCount(2);
  menu->RefreshPanels();
  EXPECT_EQ(menu->Recipe.Cells[entry].GetRed(), 255);
  EXPECT_STREQ(menu->Recipe.MaterialNames[0].GetText(), menu->Recipe.MaterialNames[1].GetText());
  EXPECT_NE(std::string(menu->Recipe.ResultWindow.GetText()), "");
  menu->RecipeBookCursor = Menu::CountRecipesOnPage(RecipeTabPotion);  // past the last entry
  menu->RefreshPanels();
  EXPECT_STREQ(menu->Recipe.ResultWindow.GetText(), "");
  EXPECT_STREQ(menu->Recipe.MaterialNames[0].GetText(), "");
}

// Before the first pick slot 1 follows the cursor, after it slot 2 does,
// with the result they would make; a stone not held shows grey.
TEST_F(MainMenuCrafting, ThePickSlotsFollowTheCursorAndEveryKindDraws) {
  CItem* bars = Give(StoneBar, 2);
  CItem* wood = Give(Wood, 2);
  CItem* sword = Give(StoneSword, 1, true);
  OpenKind(CraftKindMaterial);
  menu->CraftListCursor = CellOf(wood);
  menu->RefreshPanels();
  EXPECT_STREQ(menu->Material.ChosenNames[0].GetText(), "WOOD");
  EXPECT_STREQ(menu->Material.ChosenNames[1].GetText(), "");
  PickAt(CellOf(bars));
  Press(InputRowRight);  // onto the wood
  ASSERT_EQ(menu->CraftListCursor, CellOf(wood));
  EXPECT_STREQ(menu->Material.ChosenNames[1].GetText(), "WOOD");
  EXPECT_NE(std::string(menu->Material.ResultWindow.GetText()).find("SWORD"), std::string::npos)
      << menu->Material.ResultWindow.GetText();
  menu->DrawLayer(0);

  menu->Detach();
  OpenKind(CraftKindEnchant);
  PickAt(CellOf(sword));
  menu->CraftListCursor = 1;  // a stone the player lacks
  menu->RefreshPanels();
  EXPECT_EQ(menu->Material.ChosenNames[1].GetRed(), 128);
  EXPECT_FALSE(menu->Material.GridCells[1].IsEnabled());
  menu->DrawLayer(0);

  menu->Detach();
  OpenKind(CraftKindRecipe);
  menu->DrawLayer(0);
  EXPECT_TRUE(menu->RecipePagePanel.IsVisible());
  EXPECT_FALSE(menu->MaterialPagePanel.IsVisible());
}

// ---- Drop, pick up, throw and the stairs

TEST_F(MainMenuCrafting, DroppingTheWornWeaponUnequipsItAndEndsTheTurn) {
  CItem* sword = Give(StoneSword, 1, true);
  OpenMenu();
  ToItemCell(0);
  Press(InputRowSelect);
  Presses(InputRowUp, 1);  // the last button: DROP
  Press(InputRowSelect);
  ASSERT_EQ(menu->PendingAction, MenuActionDrop);
  Idle(Menu::WaitFrames);
  EXPECT_EQ(floor_->GetItemAt(3, 3), sword);
  EXPECT_FALSE(sword->IsEquipped());
  EXPECT_EQ(PlaceOf(sword), NoSlot);
  EXPECT_NE(Messages().find("YOU DROPPED"), std::string::npos) << Messages();
  ExpectTurnEnded();
}

TEST_F(MainMenuCrafting, ADropWithoutRoomKeepsTheItemInTheBag) {
  CItem* herbs = Give(MedicalHerb, 2);
  FillTheFloor();
  OpenMenu();
  ToItemCell(CellOf(herbs));
  menu->PendingAction = MenuActionDrop;
  menu->DoDrop();
  EXPECT_EQ(PlaceOf(herbs), 7);
  EXPECT_EQ(Messages(), "");
  ExpectTurnEnded();
  menu->Detach();
}

TEST_F(MainMenuCrafting, PickingUpTakesTheItemUnderfootOrSaysTheBagIsFull) {
  CItem* herbs = CreateItem(MedicalHerb);
  ASSERT_TRUE(floor_->PutItemAt(3, 3, herbs));
  OpenMenu();
  ToItemCell(Menu::FootCell);
  Press(InputRowSelect);
  menu->ActionCursor = menu->GetLastActionIndex();  // PICK
  Press(InputRowSelect);
  ASSERT_EQ(menu->PendingAction, MenuActionPick);
  Idle(Menu::WaitFrames);
  EXPECT_EQ(PlaceOf(herbs), 7);
  EXPECT_EQ(floor_->GetItemAt(3, 3), nullptr);
  EXPECT_NE(Messages().find("YOU PICKED UP"), std::string::npos) << Messages();
  ExpectTurnEnded();

  while (player_->CountItems() < BagSize) Give(StoneSword);
  CItem* wood = CreateItem(Wood);
  ASSERT_TRUE(floor_->PutItemAt(3, 3, wood));
  GetStateController()->ChangeState(StateMainNormal);
  menu->DoPick();
  EXPECT_EQ(floor_->GetItemAt(3, 3), wood);
  EXPECT_NE(Messages().find("YOU CAN'T TAKE ANYMORE."), std::string::npos) << Messages();
  EXPECT_NE(Messages().find("THERE IS"), std::string::npos) << Messages();
  ExpectTurnEnded();
}

TEST_F(MainMenuCrafting, ThrowingHoldsTheActionStateWithTheChosenSlot) {
  CItem* herbs = Give(MedicalHerb, 2);
  OpenMenu();
  ToItemCell(CellOf(herbs));
  Press(InputRowSelect);
  ASSERT_STREQ(menu->ActionButtons[1].GetText(), "THROW");
  menu->ActionCursor = menu->ActionButtons[0].GetText()[0] != '\0' ? 1 : 0;
  Press(InputRowSelect);
  ASSERT_EQ(menu->PendingAction, MenuActionThrow);
  Idle(Menu::WaitFrames);
  EXPECT_EQ(GetStateController()->GetStateId(), StatePlayerAction);
  EXPECT_EQ(player_->actionPoints, 0);
  EXPECT_EQ(player_->GetSelectedItem(), 7);
  EXPECT_EQ(player_->animEntry / 10, AnimationThrow / 10);
  EXPECT_FALSE(MenuShown());
  Settle();
}

TEST_F(MainMenuCrafting, TheStairsHandOverToTheNextFloorQuestion) {
  floor_->terrain[CellIndex(3, 3)] = TerrainStairs;
  OpenMenu();
  Presses(InputRowDown, 2);
  Press(InputRowSelect);
  ASSERT_EQ(menu->PendingAction, MenuActionStairs);
  Idle(Menu::WaitFrames);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(Play().GetChild(), &NextFloor());
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
}

}  // namespace
