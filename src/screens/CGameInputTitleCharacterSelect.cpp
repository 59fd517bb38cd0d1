#include "screens/CGameInputTitleCharacterSelect.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

using Select = CGameInputTitleCharacterSelect;

constexpr PictureId BadgeSheet = 7, WhiteFill = 10, Backdrop = 12, PortraitSheet = 13;
constexpr int HeaderFont = 11, CardFont = 2;
constexpr TextId HeaderText = 1203, FirstCard = 1173;
constexpr ScreenId DungeonScreen = 3;
constexpr int RowY = 540, ChosenStepY = 560;
constexpr int DungeonCount = 8, ListsPerDungeon = 11;

static_assert(Select::ClassCount == ClassSheetCount);
constexpr int ValkyrieClass = 4;

// The chosen class's cheer, on row 400 of its sheet.
constexpr int CheerFrames[11] = {1, 1, 1, 1, 1, 1, 1, 1, 6, 1, 999};

void SetSpriteCells(CWidget& sprite, int characterClass) {
  const PictureId sheet = ClassSheets[characterClass].Picture;
  CWidget::SetNormalCell(sprite, 0, sheet, 0, 0, 40, 40, 6);
  constexpr int StandX[4] = {0, 40, 0, 80};
  CWidget::ResizeSelectedCells(sprite, 4);
  for (int i = 0; i < 4; ++i) CWidget::SetSelectedCell(sprite, i, sheet, StandX[i], 0, 40, 40, 6);

  // The widget has no call for the disabled list alone.
  sprite.DisabledCells.reset(new WidgetCell[11]());
  sprite.DisabledCellCount = 11;
  for (int i = 0; i < 11; ++i) {
    WidgetCell cell{sheet, 40 * i, 400, 40, 40, i + 1, CheerFrames[i]};
    if (characterClass == ValkyrieClass && i >= 9) {
      cell.SourceX = i == 9 ? 360 : 440;
      cell.Width = 60;
      cell.Height = 35;
    }
    sprite.DisabledCells[i] = cell;
  }
}

void LayOutWindow(CWidgetWindow& w, int x, int y, int width, int height) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(w);
  w.SetAlphas(255, 255);
  w.SetColourTriple(255, 255, 255);
  w.SetDrawOffset(width / 2, height / 2);
  w.AnimateSize(width, width, height, height, 0, 0);
}

void SetGrey(CWidget& w, int level) { w.SetColour(level, level, level); }

}  // namespace

CGameInputTitleCharacterSelect* GetGameInputTitleCharacterSelect() {
  static CGameInputTitleCharacterSelect screen;
  return &screen;
}

CGameInputTitleCharacterSelect::CGameInputTitleCharacterSelect() { BuildLayout(); }

bool CGameInputTitleCharacterSelect::IsProphetOpen() {
  return GetGameMain()->Settings.Block.DungeonClearedFlags[6] != 0;
}

void CGameInputTitleCharacterSelect::BuildLayout() {
  const int width = GetGameMain()->GetScreenWidth();
  const CellSource none{};
  CWidget::SetLayout(Header, 0, 0, width, 80, none, none, none, 4.0f);
  Header.SetCaptionBox(0, 0, width, 80, 10);
  UseCaptionFont(Header, HeaderFont);

  const CellSource backdrop{Backdrop, 0, 0, 1024, 512};
  CWidget::SetLayout(Background, 0, -512, 256, 256, backdrop, backdrop, backdrop, 4.0f);
  const CellSource ground{WhiteFill, 0, 0, 1280, 68};
  CWidget::SetLayout(GroundBar, 0, 600, width, 68, ground, ground, ground, 1.0f);
  GroundBar.SetColour(255, 178, 26);

  const CellSource badge{BadgeSheet, 80, 80, 10, 10};
  for (int i = 0; i < ClassCount; ++i) {
    CWidget::SetLayout(ClassSprites[i], 140 * i, RowY, 160, 160, none, none, none, 4.0f);
    SetSpriteCells(ClassSprites[i], i);
    CWidget::SetLayout(CompleteBadges[i], 20, 32, 40, 40, badge, badge, badge, 4.0f);
    CompleteBadges[i].Parent = &ClassSprites[i];

    LayOutWindow(PortraitFrames[i], 640, 80, 480, 480);
    const CellSource portrait{PortraitSheet, 120 * (i % 4), 120 * (i / 4), 120, 120};
    CWidget::SetLayout(Portraits[i], 0, 0, 480, 480, portrait, portrait, portrait, 4.0f);
    Portraits[i].Parent = &PortraitFrames[i];

    LayOutWindow(InfoWindows[i], -520, 60, 520, 296);
    InfoWindows[i].SetCaptionBox(0, 20, 520, 296, 9);
    UseCaptionFont(InfoWindows[i], CardFont);
    InfoWindows[i].Parent = &PortraitFrames[i];
  }
}

void CGameInputTitleCharacterSelect::AcquirePictures() {
  if (HoldsPictures) return;
  for (const ClassSheet& row : ClassSheets) LoadTexture(row.Picture, row.Resource);
  LoadTexture(PortraitSheet, 160);
  LoadTexture(Backdrop, 151);
  HoldsPictures = true;
}

void CGameInputTitleCharacterSelect::ReleasePictures() {
  if (!HoldsPictures) return;
  for (const ClassSheet& row : ClassSheets) ReleaseTexture(row.Picture);
  ReleaseTexture(PortraitSheet);
  ReleaseTexture(Backdrop);
  HoldsPictures = false;
}

void CGameInputTitleCharacterSelect::Begin() {
  AcquirePictures();
  // The sprites stand in their places before the cursor step captures them.
  RefreshHeader();
  Phase = ScreenOpening;
  Child = nullptr;
  Cursor = 0;
  MoveCursor(0);
  RefreshCard();
  StartScreenFadeIn();
}

void CGameInputTitleCharacterSelect::RefreshHeader() {
  Header.SetText(GetText(GetGameMain()->Settings.Block.Language, HeaderText));
  for (CWidget& sprite : ClassSprites) {
    sprite.SetEnabled(true);
    sprite.SetSelected(false);
  }
  RefreshCard();
}

void CGameInputTitleCharacterSelect::RefreshCard() {
  const int c = Cursor;
  for (int i = 0; i < ClassCount; ++i) {
    const bool shown = i == c;
    Portraits[i].SetVisible(shown);
    PortraitFrames[i].SetVisible(shown);
    InfoWindows[i].SetVisible(shown);
    ClassSprites[i].SetSelected(shown);
  }
  for (int i = 0; i < ClassCount; ++i) {
    const int level = ClassSprites[i].IsSelected() ? 255 : 64;
    SetGrey(InfoWindows[i], level);
    SetGrey(ClassSprites[i], level);
    SetGrey(CompleteBadges[i], level);
  }

  const int width = GetGameMain()->GetScreenWidth();
  if (IsProphetOpen()) {
    const int step = width / 9;
    const int x0 = width / 2 - (8 * step + 160) / 2;
    for (int i = 0; i < ClassCount; ++i) ClassSprites[i].X = x0 + step * i;
  } else {
    const int step = width / 8;
    for (int i = 0; i < ProphetClass; ++i) ClassSprites[i].X = step * i;
    ClassSprites[ProphetClass].X = 10000;
  }
  for (CWidget& sprite : ClassSprites) sprite.Y = RowY;

  const SaveBlock& block = GetGameMain()->Settings.Block;
  for (int i = 0; i < ClassCount; ++i) {
    InfoWindows[i].SetText(GetText(block.Language, FirstCard + i));
    // The badge of a class that has cleared every dungeon, the tutorial and
    // LEVEL X included.
    bool all = true;
    for (int d = 0; d < DungeonCount; ++d) all = all && block.ClearedWithClass[d * ListsPerDungeon + i] != 0;
    CompleteBadges[i].SetVisible(all);
  }
}

void CGameInputTitleCharacterSelect::MoveCursor(int delta) {
  // The pass over a locked PROPHET steps on; asked to stay (0), it steps
  // right, so it can never keep stepping in place.
  const int onward = delta != 0 ? delta : 1;
  int step = delta;
  for (;;) {
    Cursor += step;
    if (Cursor < 0) Cursor = ProphetClass;
    if (Cursor >= ClassCount) Cursor = 0;
    if (Cursor != ProphetClass || IsProphetOpen()) break;
    step = onward;
  }
  for (int i = 0; i < ClassCount; ++i) {
    Portraits[i].MoveTo(100, 0, 0, 0, 3, 2);
    const int x = ClassSprites[i].X;
    ClassSprites[i].MoveTo(x, x, RowY, RowY, 3, 2);
  }
  const int x = ClassSprites[Cursor].X;
  ClassSprites[Cursor].MoveTo(x, x, RowY, ChosenStepY, 3, 2);
}

void CGameInputTitleCharacterSelect::UpdateWidgets() {
  for (int i = 0; i < ClassCount; ++i) {
    ClassSprites[i].Update();
    Portraits[i].Update();
  }
}

void CGameInputTitleCharacterSelect::Update() {
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
      if (Portraits[Cursor].IsPulsing()) return;
      Phase = PhaseLeaving;
      ChosenFrames = 20;
      return;
    case PhaseLeaving:
      UpdateWidgets();
      if (ChosenFrames > 0) {
        if (--ChosenFrames == 0) StartScreenFadeOut();
        return;
      }
      if (IsScreenFadeRunning()) return;
      GetGameMain()->Settings.Block.SelectedClass = static_cast<std::uint32_t>(Cursor);
      StartScreenFadeIn();
      PushChild(DungeonScreen);
      Phase = ScreenCovered;
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

void CGameInputTitleCharacterSelect::ReadInput() {
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
    // A 20-frame flash of the chosen portrait and sprite; the sprite turns
    // to its cheer.
    Portraits[Cursor].StartAlphaPulse(1, 20);
    ClassSprites[Cursor].StartAlphaPulse(1, 20);
    ClassSprites[Cursor].SetEnabled(false);
    Phase = PhaseChosen;
  } else if (input->IsLeftTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowLeft]);
    PlayChoiceSound();
    MoveCursor(-1);
    RefreshCard();
  } else if (input->IsRightTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowRight]);
    PlayChoiceSound();
    MoveCursor(+1);
    RefreshCard();
  }
}

void CGameInputTitleCharacterSelect::OnChildClosed() {
  Phase = ScreenResuming;
  RefreshHeader();
}

void CGameInputTitleCharacterSelect::DrawLayer(int layer) {
  BeginScreenSprites();
  // Runs on both passes of a drawn frame, so the backdrop slides 4 a frame.
  Background.X -= 2;
  if (Background.X < -1024) Background.X += 1024;
  Background.Draw();
  GroundBar.Draw();
  Header.DrawCaption();
  for (int i = 0; i < ClassCount; ++i) {
    InfoWindows[i].Draw();
    InfoWindows[i].DrawCaption();
    ClassSprites[i].Draw();
    CompleteBadges[i].Draw();
    Portraits[i].Draw();
  }
  ResetDrawState();
  if (Child) Child->DrawLayer(layer);
}
