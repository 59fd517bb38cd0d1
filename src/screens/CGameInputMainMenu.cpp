// The menu's frame: the opening and closing waits, the keys of the top and
// item pages, the questions it pushes, and the dispatch of the action that
// waited for the closing wait.
#include "screens/CGameInputMainMenu.h"

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CMyInput.h"
#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputEquip.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/InputTrigger.h"

namespace {

constexpr ScreenId TitleMenuScreen = 2, SettingsScreen = 8, EquipScreen = 22;

std::int32_t* History(int row) { return GetInput()->InputHistory[row]; }

// An accepted key: used up, then the click.
void AcceptDirection(int row) {
  ConsumeInputTrigger(History(row));
  PlayChoiceSound();
}
void AcceptPress(int row) {
  SwallowInput(History(row));
  PlayChoiceSound();
}

bool PlayerOnStairs() {
  const CGameMain* game = GetGameMain();
  const CCharacterPlayer* player = game->Player;
  return player && game->CurrentStage && game->CurrentStage->IsStairs(player->GetX(), player->GetY());
}

}  // namespace

CGameInputMainMenu* GetGameInputMainMenu() {
  static CGameInputMainMenu menu;
  return &menu;
}

CGameInputMainMenu::CGameInputMainMenu() { BuildLayout(); }

void CGameInputMainMenu::Open() {
  IsOpen = 1;
  TransitionStep = WaitFrames;
  Phase = ScreenActive;
  RememberedChild = nullptr;
  ResetPage();
  SelectPage(MenuPageTop);
  ItemCursor = CraftListCursor = TopCursor = 0;
  ActionCursor = -1;
  ItemPage = 0;
  CraftListScroll = 0;
  RefreshPanels();
  RefreshStatusTexts();
}

void CGameInputMainMenu::ResetPage() {
  DeselectItemCells();
  for (CWidget& button : TouchButtons) {
    button.SetVisible(false);
    button.SetEnabled(true);
    button.SetSelected(false);
  }
  CoverShade.SetVisible(false);
  ItemStatusWindow.SetText("");
  ChosenRecipe = FirstPick = SecondPick = -1;
  ItemCursor = CraftListCursor = RecipeBookCursor = 0;
  if (GetGameMain()->Settings.Block.DungeonIndex != 0) TutorialStep = 0;
  RefreshPanels();
  switch (GetCraftKind()) {
    case CraftKindMaterial: SetCraftListThumb(MaterialListThumb); break;
    case CraftKindRecipe: SetCraftListThumb(Material.ScrollTrack.Y); break;
    case CraftKindEnchant: SetCraftListThumb(BaseListThumb); break;
    default: break;
  }
  SetRecipeBookThumb(Recipe.ListTabs[0].IsSelected() ? ItemBookThumb : EquipmentBookThumb);
}

void CGameInputMainMenu::DeselectItemCells() {
  for (CWidget& cell : BagCells) cell.SetSelected(false);
  for (CWidget& cell : EquipCells) cell.SetSelected(false);
  FootCellWidget.SetSelected(false);
}

void CGameInputMainMenu::ResetActionButtons() {
  for (int i = 3; i < 7; ++i) {
    TouchButtons[i].SetSelected(false);
    TouchButtons[i].SetVisible(false);
  }
}

void CGameInputMainMenu::ResetUseButton() {
  for (int i = 0; i < 3; ++i) {
    TouchButtons[i].SetSelected(false);
    TouchButtons[i].SetVisible(false);
  }
}

MenuPage CGameInputMainMenu::GetActivePage() const {
  if (PageTabs[MenuPageItem].IsSelected()) return MenuPageItem;
  if (PageTabs[MenuPageCraft].IsSelected()) return MenuPageCraft;
  return MenuPageTop;
}

void CGameInputMainMenu::SelectPage(MenuPage page) {
  for (int i = 0; i < 4; ++i) PageTabs[i].SetSelected(i == page);
}

int CGameInputMainMenu::GetCraftKind() const {
  for (int i = 0; i < 3; ++i)
    if (CraftTabs[i].IsSelected()) return i;
  return -1;
}

void CGameInputMainMenu::SetCraftListThumb(int y) {
  CWidget& track = Material.ScrollTrack;
  CWidget& thumb = Material.ScrollThumb;
  const int low = track.Y, high = track.Y + track.Height - thumb.Height;
  thumb.Y = y < low ? low : y > high ? high : y;
  switch (GetCraftKind()) {
    case CraftKindMaterial: MaterialListThumb = thumb.Y; break;
    case CraftKindEnchant: (FirstPick == -1 ? BaseListThumb : StoneListThumb) = thumb.Y; break;
    default: break;
  }
}

void CGameInputMainMenu::SetRecipeBookThumb(int y) {
  CWidget& track = Recipe.ScrollTrack;
  CWidget& thumb = Recipe.ScrollThumb;
  const int low = track.Y, high = track.Y + track.Height - thumb.Height;
  thumb.Y = y < low ? low : y > high ? high : y;
  (Recipe.ListTabs[0].IsSelected() ? ItemBookThumb : EquipmentBookThumb) = thumb.Y;
}

// ---- The frame

void CGameInputMainMenu::Update() {
  if (Child) {
    RememberedChild = Child;
    Child->Update();
    return;
  }
  if (RememberedChild) {
    RememberedChild = nullptr;
    RefreshPanels();
  }
  UpdateWidgets();

  if (Phase == ScreenClosing) {
    // Quitting to the title: once the screen is black.
    if (IsScreenFadeRunning()) return;
    GetGameInputController()->ChangeChild(TitleMenuScreen);
    GetStateController()->ChangeState(StateTitle);
    CGameMain* game = GetGameMain();
    if (!game->CaptureSaveImage() || !game->WriteSaveFile()) SysReportProblem("Return to title: save was not written\n");
    return;
  }
  if (IsOpen == 1 && TransitionStep > 0) {
    --TransitionStep;
    return;
  }
  if (IsOpen == 0 && TransitionStep < WaitFrames) {
    if (++TransitionStep < WaitFrames) return;
    RunPendingAction();
    return;
  }
  if (IsOpen == 0 || Phase != ScreenActive) return;

  switch (GetActivePage()) {
    case MenuPageTop: UpdateTopPage(); break;
    case MenuPageItem: ActionCursor < 0 ? UpdateItemPage() : UpdateActionBox(); break;
    case MenuPageCraft: UpdateCraftPage(); break;
  }
}

void CGameInputMainMenu::RequestClose(MenuAction action) {
  IsOpen = 0;
  TransitionStep = 0;
  PendingAction = action;
}

void CGameInputMainMenu::UpdateTopPage() {
  CMyInput* input = GetInput();
  if (input->IsUpTriggered()) {
    AcceptDirection(InputRowUp);
    TopCursor = TopCursor == 0 ? TopEntryCount - 1 : TopCursor - 1;
  } else if (input->IsDownTriggered()) {
    AcceptDirection(InputRowDown);
    TopCursor = TopCursor == TopEntryCount - 1 ? 0 : TopCursor + 1;
  } else if (IsCancelTriggered()) {
    AcceptPress(InputRowCancel);
    RequestClose(MenuActionNone);
  } else if (IsSelectTriggered()) {
    // The tutorial keeps ITEM shut in every lesson and CRAFT in the first.
    if ((TopCursor == TopItem && TutorialStep != 0) || (TopCursor == TopCraft && TutorialStep == 1)) {
      SwallowInput(History(InputRowSelect));
      return;
    }
    AcceptPress(InputRowSelect);
    switch (TopCursor) {
      case TopItem:
        SelectPage(MenuPageItem);
        ItemCursor = 0;
        ActionCursor = -1;
        ItemPage = 0;
        for (int page = 1; page <= 6; ++page) {
          if (GetItemRowLastColumn(page) >= 0) {
            ItemPage = page;
            break;
          }
        }
        break;
      case TopCraft:
        SelectPage(MenuPageCraft);
        for (CWidget& tab : CraftTabs) tab.SetSelected(false);
        CraftChooser.SetVisible(true);
        CraftKindCursor = 0;
        break;
      case TopStair:
        if (PlayerOnStairs()) RequestClose(MenuActionStairs);
        break;
      case TopOption:
        OnCovered();
        PushChild(SettingsScreen);
        break;
      default: AskReturnToTitle(); return;
    }
  } else {
    return;
  }
  RefreshPanels();
}

// Left and Right wrap within a row, Up and Down over the four rows; the
// blank places of the grid never take the cursor.
void CGameInputMainMenu::UpdateItemPage() {
  CMyInput* input = GetInput();
  int cell = ItemCursor;
  if (input->IsLeftTriggered()) {
    AcceptDirection(InputRowLeft);
    do {
      if (cell % GridColumns == 0) cell += GridColumns;
      --cell;
    } while (!IsItemCell(cell));
  } else if (input->IsRightTriggered()) {
    AcceptDirection(InputRowRight);
    do {
      if (++cell % GridColumns == 0) cell -= GridColumns;
    } while (!IsItemCell(cell));
  } else if (input->IsUpTriggered()) {
    AcceptDirection(InputRowUp);
    do {
      cell -= GridColumns;
      if (cell < 0) cell += GridCells;
    } while (!IsItemCell(cell));
  } else if (input->IsDownTriggered()) {
    AcceptDirection(InputRowDown);
    do {
      cell += GridColumns;
      if (cell >= GridCells) cell -= GridCells;
    } while (!IsItemCell(cell));
  } else if (IsCancelTriggered()) {
    AcceptPress(InputRowCancel);
    SelectPage(MenuPageTop);
  } else if (IsSelectTriggered()) {
    AcceptPress(InputRowSelect);
    const CWidget* widget = GetItemCellWidget(cell);
    if (cell == FootCell && PlayerOnStairs())
      RequestClose(MenuActionStairs);
    else if (widget && widget->IsEnabled() && GetLastActionIndex() >= 0)
      ActionCursor = 0;
  } else {
    return;
  }
  ItemCursor = cell;
  RefreshPanels();
}

void CGameInputMainMenu::UpdateActionBox() {
  CMyInput* input = GetInput();
  const int last = GetLastActionIndex();
  if (input->IsUpTriggered()) {
    AcceptDirection(InputRowUp);
    if (--ActionCursor < 0) ActionCursor = last;
  } else if (input->IsDownTriggered()) {
    AcceptDirection(InputRowDown);
    if (++ActionCursor > last) ActionCursor = 0;
  } else if (IsCancelTriggered()) {
    AcceptPress(InputRowCancel);
    ActionCursor = -1;
  } else if (IsSelectTriggered()) {
    // The ActionCursor-th button that has a caption.
    int button = -1;
    for (int i = 0, seen = -1; i < 3; ++i) {
      if (ActionButtons[i].GetText()[0] != '\0' && ++seen == ActionCursor) {
        button = i;
        break;
      }
    }
    if (button < 0 || !ActionButtons[button].IsEnabled()) {
      SwallowInput(History(InputRowSelect));
      return;
    }
    AcceptPress(InputRowSelect);
    const int index = GetSelectedItemIndex();
    CCharacterPlayer* player = GetGameMain()->Player;
    if (button == 0) {
      const CItem* item = player ? player->GetItem(index) : nullptr;
      if (player) player->SetSelectedItem(index);
      if (item && item->IsEquipment()) {
        AskEquip(*item, index);
        return;
      }
      ResetActionButtons();
      ResetUseButton();
      RequestClose(MenuActionUseOrEquip);
    } else {
      ResetActionButtons();
      ResetUseButton();
      RequestClose(button == 1 ? MenuActionThrow : index == FootIndex ? MenuActionPick : MenuActionDrop);
    }
  } else {
    return;
  }
  RefreshPanels();
}

// Up and Down choose a craft kind; CANCEL goes back to the top page.
void CGameInputMainMenu::UpdateCraftPage() {
  if (!CraftChooser.Visible) {
    UpdateCraftSteps();
    return;
  }
  CMyInput* input = GetInput();
  if (input->IsUpTriggered()) {
    AcceptDirection(InputRowUp);
    CraftKindCursor = CraftKindCursor == 0 ? 2 : CraftKindCursor - 1;
  } else if (input->IsDownTriggered()) {
    AcceptDirection(InputRowDown);
    CraftKindCursor = CraftKindCursor == 2 ? 0 : CraftKindCursor + 1;
  } else if (IsCancelTriggered()) {
    AcceptPress(InputRowCancel);
    SelectPage(MenuPageTop);
  } else if (IsSelectTriggered()) {
    ChooseCraftKind();
  } else {
    return;
  }
  RefreshPanels();
}

void CGameInputMainMenu::AskEquip(const CItem& item, int index) {
  int worn = CGameInputEquip::NoPlace, next = index;
  if (index >= 0 && index < 7) {
    worn = index;
    next = CGameInputEquip::NoPlace;
  } else {
    // The first worn place holding an item of the same kind.
    const CCharacterPlayer* player = GetGameMain()->Player;
    for (int slot = 0; slot < 7; ++slot) {
      const CItem* wornItem = player->GetItem(slot);
      if (wornItem && wornItem->GetCategory() == item.GetCategory()) {
        worn = slot;
        break;
      }
    }
  }
  GetGameInputEquip()->SetMode(worn, next);
  GetGameInputController()->PushChild(EquipScreen);
  Phase = PhaseEquipQuestion;
}

void CGameInputMainMenu::OnCovered() {
  Phase = ScreenCovered;
  CoverShade.SetVisible(true);
}

void CGameInputMainMenu::OnChildClosed() {
  Child = nullptr;
  CoverShade.SetVisible(false);
  if (Phase == PhaseQuitQuestion && GetGameInputSelectWindow()->GetResult() == 0) {
    OnReturnToTitleAnswer();
  } else if (Phase == PhaseEquipQuestion && GetGameInputEquip()->GetResult() == 1) {
    DoUseOrEquip();
  } else {
    Phase = ScreenActive;
  }
}

// ---- The closing wait's end

void CGameInputMainMenu::RunPendingAction() {
  switch (PendingAction) {
    case MenuActionUseOrEquip: DoUseOrEquip(); return;
    case MenuActionStairs: DoStairs(); return;
    case MenuActionDrop: DoDrop(); break;
    case MenuActionPick: DoPick(); break;
    case MenuActionThrow: DoThrow(); break;
    case MenuActionCraft: DoCraft(); break;
    default: break;
  }
  FlushInput();
  Detach();
}

void CGameInputMainMenu::FlushInput() {
  for (int row : {InputRowUp, InputRowDown, InputRowLeft, InputRowRight, InputRowAttack, InputRowMenu, InputRowShoot,
                  InputRowMap, InputRowPointer, InputRowSelect, InputRowCancel})
    SwallowInput(History(row));
  for (int row : {InputRowDash, InputRowDirection, InputRowDiagonalMove}) ConsumeInputTrigger(History(row));
}

void CGameInputMainMenu::Detach() {
  if (Parent) Parent->SetChild(nullptr);
}
