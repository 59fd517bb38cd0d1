#include "screens/CGameInputTitleStageSelect.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

constexpr PictureId MapSheet = 7, Backdrop = 12;
constexpr std::uint16_t BackdropResource = 151;
constexpr int HeaderFont = 11, RowFont = 2;
constexpr TextId HeaderText = 1113, FirstName = 1143, FirstLevel = 1156, DifficultyText = 1164, FirstStars = 1165;
constexpr int ClassCount = 9, ListsPerDungeon = 11;

struct Point {
  int X, Y;
};
// Each dungeon's icon on the map, relative to the map picture.
constexpr Point IconPlaces[CGameInputTitleStageSelect::DungeonCount] = {
    {200, 280}, {80, 440}, {440, 300}, {320, 440}, {120, 80}, {40, 20}, {420, 164}, {508, 60},
};

constexpr int ValkyrieClass = 4;

void LayOutWindow(CWidgetWindow& w, int x, int y, int width, int height) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(w);
  w.SetAlphas(255, 255);
  w.SetColourTriple(255, 255, 255);
  w.SetDrawOffset(width / 2, height / 2);
  w.AnimateSize(width, width, height, height, 0, 0);
  UseCaptionFont(w, RowFont);
}

}  // namespace

CGameInputTitleStageSelect* GetGameInputTitleStageSelect() {
  static CGameInputTitleStageSelect screen;
  return &screen;
}

CGameInputTitleStageSelect::CGameInputTitleStageSelect() { BuildLayout(); }

bool CGameInputTitleStageSelect::IsDungeonOpen(int dungeon) {
  if (dungeon == 0) return true;
  if (dungeon < 0 || dungeon >= DungeonCount) return false;
  return GetGameMain()->Settings.Block.DungeonClearedFlags[dungeon - 1] != 0;
}

void CGameInputTitleStageSelect::BuildLayout() {
  const int width = GetGameMain()->GetScreenWidth();
  const CellSource none{};
  CWidget::SetLayout(Header, 0, 0, width, 48, none, none, none, 4.0f);
  Header.SetCaptionBox(0, 0, width, 48, 10);
  UseCaptionFont(Header, HeaderFont);
  Header.SetVisible(false);

  const CellSource backdrop{Backdrop, 0, 0, 1024, 512};
  CWidget::SetLayout(Background, 0, -512, 256, 256, backdrop, backdrop, backdrop, 4.0f);
  const CellSource map{MapSheet, 0, 320, 150, 150};
  CWidget::SetLayout(MapPicture, 660, 60, 600, 600, map, map, map, 4.0f);

  const CellSource icon{MapSheet, 150, 320, 20, 20}, cleared{MapSheet, 170, 340, 20, 20};
  for (int d = 0; d < DungeonCount; ++d) {
    CWidget::SetLayout(DungeonIcons[d], IconPlaces[d].X, IconPlaces[d].Y, 80, 80, icon, cleared, icon, 4.0f);
    DungeonIcons[d].Parent = &MapPicture;
  }
  const int markerSize = static_cast<int>(40.0 * 4.0);
  CWidget::SetLayout(ClassMarker, 0, 0, markerSize, markerSize, none, none, none, 4.0f);
  ClassMarker.Parent = &MapPicture;

  for (int k = 0; k < DungeonCount; ++k) {
    CWidgetWindow& row = DungeonRows[k];
    LayOutWindow(row, 36, 300 + 50 * k, 584, 36);
    row.SetCaptionBox(10, 0, 584, 36, 6);
    row.Parent = &RowParent;
  }
  LayOutWindow(DescriptionWindow, 36, 60, 584, 160);
  DescriptionWindow.SetCaptionBox(0, 0, 584, 160, 10);
  Header.SetVisible(true);
}

void CGameInputTitleStageSelect::SetMarkerCells() {
  const std::uint32_t chosen = GetGameMain()->Settings.Block.SelectedClass;
  if (chosen >= ClassCount) return;
  const PictureId sheet = ClassSheets[chosen].Picture;
  CWidget& m = ClassMarker;
  CWidget::ResizeNormalCells(m, 4);
  constexpr int StandX[4] = {0, 40, 0, 80};
  for (int i = 0; i < 4; ++i) CWidget::SetNormalCell(m, i, sheet, StandX[i], 0, 40, 40, 6);

  // The chosen pose: two cells, then nine frames of the cheer; the
  // Valkyrie's spear makes her cells twice as wide.
  const bool wide = chosen == ValkyrieClass;
  const int poseWidth = wide ? 80 : 40, cheerX = wide ? 440 : 400;
  constexpr int CheerFrames[9] = {1, 1, 1, 1, 1, 1, 6, 1, 999};
  CWidget::ResizeSelectedCells(m, 11);
  CWidget::SetSelectedCell(m, 0, sheet, 320, 400, 40, 40, 6);
  CWidget::SetSelectedCell(m, 1, sheet, 360, 400, poseWidth, 40, 1);
  for (int i = 0; i < 9; ++i) CWidget::SetSelectedCell(m, 2 + i, sheet, cheerX, 400, poseWidth, 40, CheerFrames[i]);
}

void CGameInputTitleStageSelect::RefreshEntries() {
  CGameMain* game = GetGameMain();
  const SaveBlock& block = game->Settings.Block;
  const Language language = block.Language;
  Header.SetText(GetText(language, HeaderText));
  RowParent.X = RowParent.Y = 0;
  RowParent.Width = game->GetScreenWidth();
  RowParent.Height = game->GetScreenHeight();
  SetMarkerCells();

  for (int k = 0; k < DungeonCount; ++k) {
    char caption[RowCapacity];
    FormatTextCut(caption, sizeof caption, "%s  %s", GetText(language, FirstLevel + k),
                  GetText(language, FirstName + k));
    DungeonRows[k].SetText(caption);
    DungeonRows[k].SetVisible(false);
  }
  // Highest open dungeon on top, 56 apart, the tutorial last.
  int y = 260;
  for (int d = DungeonCount - 1; d >= 0; --d) {
    const bool open = IsDungeonOpen(d);
    DungeonIcons[d].SetVisible(open);
    DungeonRows[d].SetVisible(open);
    if (!open) continue;
    DungeonRows[d].Y = y;
    if (d > 0) y += 56;
  }
  RowParent.Height = y + 56;

  const std::uint32_t chosen = block.SelectedClass;
  for (int d = 0; d < DungeonCount; ++d)
    DungeonIcons[d].SetSelected(chosen < ListsPerDungeon && block.ClearedWithClass[d * ListsPerDungeon + chosen] != 0);
  Header.SetVisible(true);
  DescriptionWindow.SetVisible(true);
}

void CGameInputTitleStageSelect::RefreshDescription() {
  const int d = GetSelectedDungeon();
  char text[DescriptionCapacity];
  FormatTextCut(text, sizeof text, "%s\n%s\n%s\n%s", GetCurrentLanguageText(FirstLevel + d),
                GetCurrentLanguageText(FirstName + d), GetCurrentLanguageText(DifficultyText),
                GetCurrentLanguageText(FirstStars + d));
  DescriptionWindow.SetText(text);

  for (CWidgetWindow& row : DungeonRows) row.SetColour(64, 64, 64);
  DungeonRows[d].SetColour(255, 255, 255);

  // Centred across the icon, its feet on the icon's bottom edge.
  const CWidget& icon = DungeonIcons[d];
  ClassMarker.X = icon.X + icon.Width / 2 - ClassMarker.Width / 2;
  ClassMarker.Y = icon.Y + icon.Height / 2 - (3 * ClassMarker.Height) / 4;
}

void CGameInputTitleStageSelect::ReleasePictures() {
  if (!HoldsPictures) return;
  ReleaseTexture(Backdrop);
  HoldsPictures = false;
}

void CGameInputTitleStageSelect::Begin() {
  // Held once however often the screen opens.
  if (!HoldsPictures) LoadTexture(Backdrop, BackdropResource);
  HoldsPictures = true;
  RefreshEntries();
  Phase = ScreenOpening;
  Child = nullptr;
  int top = DungeonCount - 1;
  while (top > 0 && !IsDungeonOpen(top)) --top;
  Cursor = DungeonCount - 1 - top;
  ClassMarker.SetSelected(false);
  RefreshDescription();
}

void CGameInputTitleStageSelect::OnCovered() {
  Phase = ScreenCovered;
  for (CWidget& icon : DungeonIcons) icon.SetVisible(false);
  for (CWidgetWindow& row : DungeonRows) row.SetVisible(false);
  Header.SetVisible(false);
  DescriptionWindow.SetVisible(false);
}

void CGameInputTitleStageSelect::OnChildClosed() {
  Phase = ScreenResuming;
  RefreshEntries();
}

void CGameInputTitleStageSelect::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      UpdateWidgets();
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    case ScreenActive:
      UpdateWidgets();
      ReadInput();
      return;
    case ScreenClosing:
      if (IsScreenFadeRunning()) return;
      Close();
      StartScreenFadeIn();
      if (Parent) Parent->OnChildClosed();
      Phase = ScreenClosed;
      return;
    case PhaseChosen:
      UpdateWidgets();
      if (ChosenFrames++ > 40) {
        StartScreenFadeOut();
        Phase = PhaseStartingRun;
      }
      return;
    case PhaseStartingRun:
      UpdateWidgets();
      if (IsScreenFadeRunning()) return;
      Close();
      {
        CGameMain* game = GetGameMain();
        game->Settings.Block.DungeonIndex = static_cast<std::uint32_t>(GetSelectedDungeon());
        // The run replaces the whole chain; this screen asks only once.
        Phase = PhaseRunStarted;
        game->StartNewGame(static_cast<int>(game->Settings.Block.DungeonIndex));
      }
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      UpdateWidgets();
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    default: return;
  }
}

void CGameInputTitleStageSelect::ReadInput() {
  CMyInput* input = GetInput();
  if (IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    SwallowInput(input->InputHistory[InputRowCancel]);
    PlayChoiceSound();
    StartScreenFadeOut();
    Phase = ScreenClosing;
  } else if (IsSelectTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    PlayConfirmSound();
    Confirm();
  } else if (input->IsUpTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowUp]);
    PlayChoiceSound();
    MoveCursor(-1);
  } else if (input->IsDownTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowDown]);
    PlayChoiceSound();
    MoveCursor(+1);
  }
}

// Up past the top row lands on the tutorial; down past the tutorial comes
// round to the highest open dungeon.
void CGameInputTitleStageSelect::MoveCursor(int step) {
  for (;;) {
    Cursor += step;
    if (Cursor < 0) {
      Cursor = DungeonCount - 1;
      break;
    }
    if (Cursor >= DungeonCount) Cursor = 0;
    if (IsDungeonOpen(GetSelectedDungeon())) break;
  }
  RefreshDescription();
}

void CGameInputTitleStageSelect::Confirm() {
  Phase = PhaseChosen;
  ChosenFrames = 0;
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing != -1) sound->UnloadBgm(playing);
  // A 20-frame flash of the chosen pose.
  ClassMarker.StartAlphaPulse(1, 20);
  ClassMarker.SetSelected(true);
}

void CGameInputTitleStageSelect::DrawLayer(int layer) {
  BeginScreenSprites();
  // Runs on both passes of a drawn frame, so the backdrop slides 4 a frame.
  Background.X -= 2;
  if (Background.X < -1024) Background.X += 1024;
  Background.Draw();
  MapPicture.Draw();
  for (int k = 0; k < DungeonCount; ++k) {
    DungeonIcons[k].Draw();
    DungeonRows[k].Draw();
    DungeonRows[k].DrawCaption();
  }
  ClassMarker.Draw();
  DescriptionWindow.Draw();
  DescriptionWindow.DrawCaption();
  Header.DrawCaption();
  ResetDrawState();
  if (Child) Child->DrawLayer(layer);
}
