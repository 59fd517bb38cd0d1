// The status side (the player's stats, the floor, play time and turns), the
// draw of the menu's pages, and the way back to the title.
#include <climits>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputSelectWindow.h"

namespace {

constexpr TextId LevelText = 733, HpText = 734, StrText = 735, DexText = 736, IntText = 737, ExpText = 738,
                 HungerText = 739, AtkText = 740, ShtText = 741, DefText = 742, PlayTimeText = 743, TurnText = 744;
constexpr TextId TopEntryTexts[CGameInputMainMenu::TopEntryCount] = {745, 747, 749, 750, 751};
constexpr TextId QuitQuestionText = 752, YesText = 753, NoText = 754;
constexpr ScreenId QuestionScreen = 29;
constexpr PictureId StairsPicture = 4;
constexpr int FullSatiety = 2000;
constexpr std::uint32_t FramesPerSecond = 30;

// One text of the status side, built piece by piece in 256 bytes; a piece
// that does not fit is cut after its last whole character.
class StatusText {
public:
  template <typename... Args>
  void Add(const char* format, Args... args) {
    used_ += FormatTextCut(text_ + used_, sizeof text_ - used_, format, args...);
  }
  void Line() { Add("\n"); }
  const char* Get() const { return text_; }

private:
  char text_[256] = {};
  std::size_t used_ = 0;
};

// The experience numbers are counted in 64 bits; the texts print ints.
int ToInt(std::int64_t value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

void SetGrey(CWidget& w, int level) { w.SetColour(level, level, level); }

}  // namespace

void CGameInputMainMenu::RefreshStatusTexts() {
  // Rows 32 apart, lifted by three scale steps of the cursor.
  TopMenuCursor.Y = static_cast<int>(32 * TopCursor - 3.0 * TopMenuCursor.GetScaleX());
  switch (TutorialStep) {
    case 0:
      SetGrey(TopMenuRows[TopItem], 255);
      SetGrey(TopMenuRows[TopCraft], 255);
      SetGrey(InfoPanel, 255);
      break;
    case 1:
      SetGrey(TopMenuRows[TopItem], 128);
      SetGrey(TopMenuRows[TopCraft], 128);
      SetGrey(InfoPanel, 128);
      break;
    case 2:
    case 3:
    case 4:
      SetGrey(TopMenuRows[TopItem], 128);
      SetGrey(TopMenuRows[TopCraft], 255);
      SetGrey(InfoPanel, 128);
      break;
    default: break;
  }
  for (int i = 0; i < TopEntryCount; ++i) TopMenuRows[i].SetText(GetCurrentLanguageText(TopEntryTexts[i]));

  const CGameMain* game = GetGameMain();
  const CCharacterPlayer* player = game->Player;
  if (player) {
    char name[256];
    player->GetName(name, sizeof name);
    StatusText left;
    left.Add("%s", name);
    left.Line();
    left.Add(GetCurrentLanguageText(LevelText), player->level);
    left.Line();
    left.Add(GetCurrentLanguageText(HpText), player->hp, player->GetMaxHP());
    left.Line();
    left.Add(GetCurrentLanguageText(StrText), player->GetStr());
    left.Line();
    left.Add(GetCurrentLanguageText(DexText), player->GetDex());
    left.Line();
    left.Add(GetCurrentLanguageText(IntText), player->GetInt());
    StatusWindow.SetText(left.Get());

    // The experience since this level began, against what the level needs.
    const int level = player->level;
    StatusText right;
    right.Line();
    right.Add(GetCurrentLanguageText(ExpText), ToInt(player->GetExp() - player->GetExpAtLevelEnd(level - 1)),
              ToInt(player->GetExpForNextLevel(level)));
    right.Line();
    right.Add(GetCurrentLanguageText(HungerText), ToInt((std::int64_t{player->satiety} * 100 + FullSatiety - 1) / FullSatiety), 100);
    right.Line();
    right.Add(GetCurrentLanguageText(AtkText), player->GetWeaponAttack());
    right.Line();
    right.Add(GetCurrentLanguageText(ShtText), player->GetBowAttack());
    right.Line();
    right.Add(GetCurrentLanguageText(DefText), player->GetDefense());
    StatusSecondColumn.SetText(right.Get());
  }
  for (CWidgetWindow& spare : SpareWindows) spare.SetVisible(false);

  StatusText info;
  if (game->CurrentStage) {
    char floorName[256] = {};
    game->CurrentStage->GetName(floorName);
    info.Add("%s", floorName);
  }
  info.Line();
  const std::uint32_t seconds = game->Settings.Block.PlayTime / FramesPerSecond;
  info.Add("%s", GetCurrentLanguageText(PlayTimeText));
  info.Add(" %02u:%02u", seconds / 60 / 60, seconds / 60 % 60);
  info.Line();
  info.Add("%s", GetCurrentLanguageText(TurnText));
  info.Add(" %u", game->Settings.Block.TurnCount);
  InfoPanel.SetText(info.Get());
}

// ---- Drawing

void CGameInputMainMenu::UpdateWidgets() {
  // The tab marker runs at double speed.
  TabMarker.Update();
  TabMarker.Update();
  for (CWidget& cursor : CraftTabCursors) cursor.Update();
  for (CWidget& key : Recipe.CategoryKeys) key.Update();
  for (CWidget& arrow : Recipe.RecipeArrows) arrow.Update();
  // Markers blink together: the second cell in the second half of every 16 frames.
  const int cell = GetGameMain()->FrameCount % 16 >= 8 ? 1 : 0;
  for (CWidget* marker : {&SlotCursor, &ActionMarker, &TopMenuCursor, &CraftChooserCursor, &Recipe.NumberArrows[0],
                          &Recipe.NumberArrows[1], &Material.NumberArrows[0], &Material.NumberArrows[1]})
    marker->CellIndex = cell;
}

void CGameInputMainMenu::DrawLayer(int layer) {
  if (layer == 0) {
    Draw();
    DrawStatusPanel();
    DrawItemPanel(0);
    DrawItemPanel(1);
    DrawCraftPage(0);
    DrawCraftPage(1);
    CoverShade.Draw();
  }
  ShakeApplies = 1;
  if (Child) Child->DrawLayer(layer);
}

// The shade over the play screen and the page tabs; never the child.
void CGameInputMainMenu::Draw() {
  MenuShade.Draw();
  for (CWidget& tab : PageTabs) tab.Draw();
  TabMarker.Draw();
}

void CGameInputMainMenu::DrawStatusPanel() {
  RefreshStatusTexts();
  CommandShade.Draw();
  CWidget* panels[] = {&StatusWindow, &StatusSecondColumn, &InfoPanel, &SpareWindows[0], &SpareWindows[1]};
  for (CWidget* w : panels) w->Draw();
  for (CWidget* w : panels) w->DrawCaption();
  TopMenuWindow.Draw();
  TopMenuWindow.DrawCaption();
  for (CWidget& row : TopMenuRows) row.DrawCaption();
  TopMenuCursor.Draw();
}

// Pass 0 draws the detail panel, any other pass the item page.
void CGameInputMainMenu::DrawItemPanel(int pass) {
  if (pass == 0) {
    ItemDetailWindow.Draw();
    for (CWidget* box : {&InfoBoxes[1], &InfoBoxes[0]}) {
      box->Draw();
      box->DrawCaption();
    }
    return;
  }
  ItemStatusWindow.Draw();
  ItemStatusWindow.DrawCaption();
  ItemNameWindow.DrawCaption();
  FootCellWidget.Draw();
  for (CWidget& cell : BagCells) cell.Draw();
  for (CWidget& cell : EquipCells) cell.Draw();
  DrawItemIcons();
  SlotCursor.Draw();
  ActionWindow.Draw();
  ActionWindow.DrawCaption();
  for (int i : {0, 2, 1}) ActionButtons[i].DrawCaption();
  ActionMarker.Draw();
}

void CGameInputMainMenu::DrawItemIcons() {
  const CGameMain* game = GetGameMain();
  const CCharacterPlayer* player = game->Player;
  if (!player) return;
  auto drawAt = [](const CItem* item, const CWidget& cell) {
    if (item && cell.IsVisible()) item->DrawIconWithCount(cell.GetX() + cell.Width / 2, cell.GetY() + cell.Height / 2);
  };
  for (int i = 0; i < 7; ++i) drawAt(player->GetItem(i), EquipCells[i]);
  for (int i = 0; i < 30; ++i) drawAt(player->GetItem(7 + i), BagCells[i]);
  const CWidget& foot = FootCellWidget;
  if (!foot.IsVisible()) return;
  drawAt(player->GetItem(FootIndex), foot);
  // The stairs over whatever lies on them.
  if (game->CurrentStage && game->CurrentStage->IsStairs(player->GetX(), player->GetY())) {
    const float s = foot.GetScaleX();
    const int cx = foot.GetX() + foot.Width / 2, cy = foot.GetY() + foot.Height / 2;
    ResetDrawState();
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = s;
    DrawSprite(StairsPicture, static_cast<int>(cx - 10 * s), static_cast<int>(cy - 10 * s), 0, 240, 20, 20);
    ResetDrawState();
  }
}

// ---- Return to the title

void CGameInputMainMenu::AskReturnToTitle() {
  OnCovered();
  constexpr int width = 480, height = 300;
  CGameInputSelectWindow* question = GetGameInputSelectWindow();
  question->Reset();
  question->SetOptionCount(2);
  question->SetTitle(GetCurrentLanguageText(QuitQuestionText));
  question->SetOption(0, GetCurrentLanguageText(YesText));
  question->SetOption(1, GetCurrentLanguageText(NoText));
  // CANCEL and a hasty SELECT both answer NO.
  question->SetCursor(1);
  question->SetResult(1);
  question->SetSize(width, height);
  question->SetButtonSize(width - 40, 60);
  question->SetAlpha(255, 224);
  question->SetPosition(1280 / 2 - width / 2, 720 / 2 - height / 2);
  question->SetAnimation(0, 3, 0, 2);
  PushChild(QuestionScreen);
  Phase = PhaseQuitQuestion;
}

void CGameInputMainMenu::OnReturnToTitleAnswer() {
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing >= 0) sound->UnloadBgm(playing);
  GetStateController()->ChangeState(StateReturnToTitle);
  StartScreenFadeOut();
  Phase = ScreenClosing;
}
