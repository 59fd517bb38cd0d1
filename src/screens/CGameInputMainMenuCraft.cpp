// The craft page's keys once a craft kind is chosen: the pick grid, the
// recipe book, and the two confirmations that hand the craft to the
// closing wait.
#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int BookColumns = 19, BookCells = 57, BookPages = 11;

std::int32_t* Row(int row) { return GetInput()->InputHistory[row]; }

void TakeDirection(int row, bool sound = true) {
  ConsumeInputTrigger(Row(row));
  if (sound) PlayChoiceSound();
}
void TakePress(int row, bool sound = true) {
  SwallowInput(Row(row));
  if (sound) PlayChoiceSound();
}

// The other button of a CANCEL / CRAFT pair becomes the selected one.
void Toggle(CWidget& cancel, CWidget& craft) {
  const bool craftWasSelected = craft.IsSelected();
  craft.SetSelected(!craftWasSelected);
  cancel.SetSelected(craftWasSelected);
}

void SelectCraft(CWidget& cancel, CWidget& craft) {
  craft.SetSelected(true);
  cancel.SetSelected(false);
}

// The direction key pressed this frame, as its input row; -1 for none.
int PressedDirection() {
  CMyInput* input = GetInput();
  if (input->IsLeftTriggered()) return InputRowLeft;
  if (input->IsRightTriggered()) return InputRowRight;
  if (input->IsUpTriggered()) return InputRowUp;
  if (input->IsDownTriggered()) return InputRowDown;
  return -1;
}

// One step on a grid of `cells` in rows of `columns`: sideways within the
// row, up and down over the rows, wrapping at every edge.
int WrapStep(int cell, int row, int columns, int cells) {
  switch (row) {
    case InputRowLeft: return cell % columns == 0 ? cell + columns - 1 : cell - 1;
    case InputRowRight: return (cell + 1) % columns == 0 ? cell + 1 - columns : cell + 1;
    case InputRowUp: return cell - columns < 0 ? cell - columns + cells : cell - columns;
    default: return cell + columns >= cells ? cell + columns - cells : cell + columns;
  }
}

}  // namespace

// A lesson of the tutorial opens only its own kind.
void CGameInputMainMenu::ChooseCraftKind() {
  const bool allowed = TutorialStep <= 1 || TutorialStep == static_cast<std::uint32_t>(2 + CraftKindCursor);
  if (!allowed) {
    SwallowInput(Row(InputRowSelect));
    return;
  }
  TakePress(InputRowSelect);
  CraftListCursor = 0;
  for (int i = 0; i < 3; ++i) CraftTabs[i].SetSelected(i == CraftKindCursor);
  CraftChooser.SetVisible(false);
  ResetPage();
  CraftListScroll = 0;
}

// Before the first pick back to the chooser; after it, both picks dropped.
void CGameInputMainMenu::StepBack() {
  if (FirstPick == -1) {
    for (CWidget& tab : CraftTabs) tab.SetSelected(false);
    CraftChooser.SetVisible(true);
  }
  ResetPage();
}

void CGameInputMainMenu::UpdateCraftSteps() {
  CMyInput* input = GetInput();
  if (ChosenRecipe == -1 && FirstPick != -1 && SecondPick != -1) {
    // MATERIAL CRAFT or ENCHANT, both picks made.
    const bool ready = IsEnchantReady();
    if (IsCancelTriggered()) {
      TakePress(InputRowCancel);
      SecondPick = -1;
    } else if (IsSelectTriggered()) {
      TakePress(InputRowSelect);
      if (ready && Material.CountCraft.IsSelected())
        RequestClose(MenuActionCraft);
      else
        SecondPick = -1;
    } else if (input->IsLeftTriggered() || input->IsRightTriggered()) {
      TakeDirection(input->IsLeftTriggered() ? InputRowLeft : InputRowRight);
      if (ready && !Material.MessageLine.Visible) Toggle(Material.CountCancel, Material.CountCraft);
    } else if (!UpdateCraftCountKeys()) {
      return;
    }
  } else if (Recipe.CountWindow.IsVisible()) {
    if (IsCancelTriggered() || IsSelectTriggered()) {
      const bool select = IsSelectTriggered() && !IsCancelTriggered();
      TakePress(select ? InputRowSelect : InputRowCancel);
      if (select && !Recipe.MessageLine.Visible && Recipe.CraftButton.IsSelected()) {
        RequestClose(MenuActionCraft);
      } else {
        ChosenRecipe = FirstPick = SecondPick = -1;
      }
    } else if (input->IsLeftTriggered() || input->IsRightTriggered()) {
      TakeDirection(input->IsLeftTriggered() ? InputRowLeft : InputRowRight);
      if (!Recipe.MessageLine.Visible) Toggle(Recipe.CancelButton, Recipe.CraftButton);
    } else if (!UpdateCraftCountKeys()) {
      return;
    }
  } else if (MaterialPagePanel.IsVisible() || CraftTabs[CraftKindRecipe].IsSelected()) {
    // The pick grid, else the recipe book; CANCEL steps back in both.
    if (IsCancelTriggered()) {
      TakePress(InputRowCancel);
      StepBack();
    } else if (!(MaterialPagePanel.IsVisible() ? UpdatePickGrid() : UpdateRecipeBook())) {
      return;
    }
  } else {
    return;
  }
  RefreshPanels();
}

// Up raises the count within what the picks allow, Down lowers it to 1.
bool CGameInputMainMenu::UpdateCraftCountKeys() {
  CMyInput* input = GetInput();
  if (input->IsUpTriggered()) {
    TakeDirection(InputRowUp, IncreaseCraftCount());
  } else if (input->IsDownTriggered()) {
    TakeDirection(InputRowDown, CraftCount > 1);
    if (CraftCount > 1) --CraftCount;
  } else {
    return false;
  }
  return true;
}

// Moves repeat until they land on a cell that exists.
bool CGameInputMainMenu::UpdatePickGrid() {
  if (const int row = PressedDirection(); row >= 0) {
    TakeDirection(row);
    int cell = CraftListCursor;
    for (int tries = 0; tries < GridCells; ++tries) {
      cell = WrapStep(cell, row, GridColumns, GridCells);
      if (GetPickCellWidget(cell)) {
        CraftListCursor = cell;
        break;
      }
    }
  } else if (IsSelectTriggered()) {
    if (!PickCell(CraftListCursor)) return false;  // refused: left for another screen, no sound
    TakePress(InputRowSelect);
    if (SecondPick != -1) SelectCraft(Material.CountCancel, Material.CountCraft);
  } else {
    return false;
  }
  return true;
}

// Moves repeat until they land on one of the page's entries.
bool CGameInputMainMenu::UpdateRecipeBook() {
  const int entries = CountRecipesOnPage(RecipeBookPage);
  if (const int row = PressedDirection(); row >= 0) {
    TakeDirection(row);
    int cell = RecipeBookCursor;
    if (entries > 0) {
      do cell = WrapStep(cell, row, BookColumns, BookCells);
      while (cell >= entries);
    }
    RecipeBookCursor = cell;
  } else if (IsPageLeftTriggered() || IsPageRightTriggered()) {
    const bool left = IsPageLeftTriggered();
    TakePress(left ? InputRowPageLeft : InputRowPageRight);
    RecipeBookPage = (RecipeBookPage + (left ? BookPages - 1 : 1)) % BookPages;
    RecipeBookScroll = 0;
    RecipeBookCursor = 0;
  } else if (IsSelectTriggered()) {
    if (!ChooseRecipe(RecipeBookPage, RecipeBookCursor)) return false;
    TakePress(InputRowSelect);
    SelectCraft(Recipe.CancelButton, Recipe.CraftButton);
    CraftListCursor = 0;
    CraftListScroll = 0;
  } else {
    return false;
  }
  return true;
}
