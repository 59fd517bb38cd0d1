// The item page: the grid over the player's places, the action box that a
// cell offers, the refresh of the pages, and use, equip and unequip.
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/GameStateSupport.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CSoundManager.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"

namespace {

constexpr TextId UseText = 1378, EquipText = 1379, UnequipText = 1380, DropText = 1381, PickText = 1382,
                 ThrowText = 1383, ShootText = 1384, EquippedText = 642, UnequippedText = 644;
constexpr TextId CraftKindTexts[3] = {1409, 1410, 1411};
constexpr TextId TopEntryTexts[CGameInputMainMenu::TopEntryCount] = {745, 747, 749, 750, 751};
constexpr SoundEffectId EquipSound = 13, UnequipSound = 14;
constexpr int ArrowCategory = 2;

void Grey(CWidget& w, bool enabled) {
  w.SetEnabled(enabled);
  const int level = enabled ? 255 : 128;
  w.SetColour(level, level, level);
}

void SetButton(CWidgetWindow& button, TextId text, bool enabled) {
  button.SetText(GetCurrentLanguageText(text));
  Grey(button, enabled);
}

void ClearButton(CWidgetWindow& button) {
  button.SetText("");
  Grey(button, false);
}

CCharacterPlayer* Player() { return GetGameMain()->Player; }

}  // namespace

// ---- The grid

bool CGameInputMainMenu::IsItemCell(int cell) { return GetCellInventoryIndex(cell) != NoCellIndex; }

int CGameInputMainMenu::GetCellInventoryIndex(int cell) {
  if (cell < 0 || cell >= GridCells) return NoCellIndex;
  if (cell == FootCell) return FootIndex;
  const int row = cell / GridColumns, column = cell % GridColumns;
  if (row == 0) return column < 7 ? column : NoCellIndex;
  return column < 10 ? 7 + (row - 1) * 10 + column : NoCellIndex;
}

CWidget* CGameInputMainMenu::GetItemCellWidget(int cell) {
  const int index = GetCellInventoryIndex(cell);
  if (index == NoCellIndex) return nullptr;
  if (index == FootIndex) return &FootCellWidget;
  return index < 7 ? &EquipCells[index] : &BagCells[index - 7];
}

int CGameInputMainMenu::GetSelectedItemIndex() const {
  for (int i = 0; i < 7; ++i)
    if (EquipCells[i].IsSelected()) return i;
  for (int i = 0; i < 30; ++i)
    if (BagCells[i].IsSelected()) return 7 + i;
  return FootCellWidget.IsSelected() ? FootIndex : NoCellIndex;
}

int CGameInputMainMenu::GetItemRowLastColumn(int row) const {
  const CCharacterPlayer* player = Player();
  if (!player || row < 0 || row > 6) return -1;
  if (row == 6) {
    const CStageData* stage = GetGameMain()->CurrentStage;
    const bool stairs = stage && stage->IsStairs(player->GetX(), player->GetY());
    return player->GetItem(FootIndex) || stairs ? 0 : -1;
  }
  int column = -1;
  for (int i = 0; i < 7; ++i) {
    const int slot = row * 7 + column + 1;
    if (slot < 37 && player->GetItem(slot)) ++column;
  }
  return column;
}

// ---- Refresh

void CGameInputMainMenu::RefreshPanels() {
  for (int i = 0; i < TopEntryCount; ++i) TopMenuRows[i].SetText(GetCurrentLanguageText(TopEntryTexts[i]));
  const CCharacterPlayer* player = Player();
  const CStageData* stage = GetGameMain()->CurrentStage;
  const bool stairs = player && stage && stage->IsStairs(player->GetX(), player->GetY());
  const int stairLevel = stairs ? 255 : 128;
  TopMenuRows[TopStair].SetColour(stairLevel, stairLevel, stairLevel);

  const MenuPage page = GetActivePage();
  ItemPagePanel.SetVisible(page == MenuPageItem);
  CraftPagePanel.SetVisible(page == MenuPageCraft);
  CommandPagePanel.SetVisible(page == MenuPageTop);
  if (page == MenuPageItem) RefreshItemPage();
  if (page == MenuPageCraft) {
    RefreshCraftChooser();
    RefreshCraftPage();
  }
}

void CGameInputMainMenu::RefreshCraftChooser() {
  for (int i = 0; i < 3; ++i) CraftChooserRows[i].SetText(GetCurrentLanguageText(CraftKindTexts[i]));
  // By lesson: only the lesson's kind stays bright; every kind outside one.
  if (TutorialStep <= 4) {
    for (int i = 0; i < 3; ++i) {
      const bool bright = TutorialStep == 0 || TutorialStep == static_cast<std::uint32_t>(2 + i);
      const int level = bright ? 255 : 64;
      CraftChooserRows[i].SetColour(level, level, level);
    }
  }
  const int rowHeight = CraftChooserRows[0].Height;
  CraftChooserCursor.Y = CraftKindCursor * rowHeight - CraftChooserCursor.Height / 2 + rowHeight / 2;
}

void CGameInputMainMenu::RefreshItemPage() {
  for (int cell = 0; cell < GridCells; ++cell) {
    if (CWidget* w = GetItemCellWidget(cell)) {
      w->SetVisible(true);
      w->SetSelected(false);
    }
  }
  if (CWidget* chosen = GetItemCellWidget(ItemCursor)) {
    chosen->SetSelected(true);
    SlotCursor.X = chosen->X;
    SlotCursor.Y = chosen->Y;
  }
  const CCharacterPlayer* player = Player();
  const CStageData* stage = GetGameMain()->CurrentStage;
  for (int i = 0; i < 7; ++i) EquipCells[i].SetEnabled(player && player->GetItem(i));
  for (int i = 0; i < 30; ++i) BagCells[i].SetEnabled(player && player->GetItem(7 + i));
  const bool stairs = player && stage && stage->IsStairs(player->GetX(), player->GetY());
  FootCellWidget.SetEnabled(player && (player->GetItem(FootIndex) || stairs));

  // The marker sits centred on its button in a column of equal buttons.
  ActionWindow.SetVisible(ActionCursor >= 0);
  const CWidgetWindow& first = ActionButtons[0];
  ActionMarker.Y = ActionCursor * first.Height - ActionMarker.Height / 2 + first.Y + first.Height / 2;
  RefreshActionButtons();
}

void CGameInputMainMenu::RefreshActionButtons() {
  const int index = GetSelectedItemIndex();
  CCharacterPlayer* player = Player();
  CItem* item = index >= FootIndex && player ? player->GetItem(index) : nullptr;
  if (!item) {
    for (CWidget* w : {static_cast<CWidget*>(&ItemNameWindow), static_cast<CWidget*>(&ItemStatusWindow),
                       &InfoBoxes[0], &InfoBoxes[1]})
      w->SetText("");
    for (CWidgetWindow& button : ActionButtons) {
      button.SetSelected(false);
      button.SetEnabled(false);
      button.SetText("");
    }
    return;
  }
  char text[ItemTextSize];
  item->GetNameWithCount(text, sizeof text);
  ItemNameWindow.SetText(text);
  InfoBoxes[1].SetText(text);
  item->GetStatusText(text, sizeof text);
  ItemStatusWindow.SetText(text);
  InfoBoxes[0].SetText(text);

  for (CWidgetWindow& button : ActionButtons) button.SetSelected(false);
  if (index >= 0 && index < 7)
    SetButton(ActionButtons[0], UnequipText, player->CanUnequipSlot(index));
  else if (item->IsUsable())
    SetButton(ActionButtons[0], UseText, true);
  else if (item->IsEquipment())
    SetButton(ActionButtons[0], EquipText, player->CanEquipSlot(index));
  else
    ClearButton(ActionButtons[0]);

  if (item->GetCategory() == ArrowCategory && player->HasBowEquipped())
    SetButton(ActionButtons[1], ShootText, true);
  else if (item->CanThrow())
    SetButton(ActionButtons[1], ThrowText, true);
  else
    ClearButton(ActionButtons[1]);

  if (index != FootIndex)
    SetButton(ActionButtons[2], DropText, true);
  else if (item->CanPickUp())
    SetButton(ActionButtons[2], PickText, true);
  else
    ClearButton(ActionButtons[2]);

  if (!ActionWindow.IsVisible()) return;
  // Only buttons with a caption take room, 32 apart from y 6.
  int y = 6;
  for (CWidgetWindow& button : ActionButtons) {
    if (button.GetText()[0] == '\0') continue;
    button.Y = y;
    y += 32;
  }
  const int height = y + 6, width = ActionWindow.Width;
  ActionWindow.SetDrawOffset(width / 2, height / 2);
  ActionWindow.AnimateSize(width, width, height, height, 0, SizeAnimHeightOnly);
}

int CGameInputMainMenu::GetLastActionIndex() const {
  int last = -1;
  for (const CWidgetWindow& button : ActionButtons)
    if (button.GetText()[0] != '\0') ++last;
  return last;
}

// ---- Use, equip, unequip

void CGameInputMainMenu::DoUseOrEquip() {
  const int index = GetSelectedItemIndex();
  CCharacterPlayer* player = Player();
  CItem* item = player ? player->GetItem(index) : nullptr;
  CGameStateController* states = GetStateController();
  char name[ItemTextSize];
  bool failedUse = false;
  GameStateId stateBefore = states->GetStateId();
  std::int32_t energyBefore = 0;
  if (player) player->SetSelectedItem(index);
  if (item && index >= 0 && index < 7) {
    player->UnequipToBag(index);
    player->ClampHP();
    GetSoundManager()->PlaySe(UnequipSound);
    ShowMessageWith(UnequippedText, item->GetNameWithCount(name, sizeof name));
    states->ChangeState(StateEnemyMove);
    player->actionPoints = 0;
  } else if (item && item->IsUsable()) {
    energyBefore = player->actionPoints;
    states->ChangeState(StatePlayerAction);
    player->actionPoints = 0;
    // A use that reports failure spends no turn: nothing would release the
    // action state, so the turn goes back to the player below.
    failedUse = !player->UseItem(index);
  } else if (item && item->IsEquipment()) {
    player->EquipFromBag(index);
    player->ClampHP();
    GetSoundManager()->PlaySe(EquipSound);
    ShowMessageWith(EquippedText, item->GetNameWithCount(name, sizeof name));
    states->ChangeState(StateEnemyMove);
    player->actionPoints = 0;
  }
  FlushInput();
  Detach();
  if (failedUse) {
    player->actionPoints = energyBefore;
    states->ChangeState(stateBefore);
  }
}
