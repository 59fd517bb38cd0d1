#include "screens/CGameInputConfigDialog.h"

#include <cstdio>

#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"

namespace {

constexpr PictureId ArrowSheet = 7;
constexpr int ArrowSize = 64;
constexpr int CaptionFont = 2;
constexpr int GrowFrames = 8;

}  // namespace

void LayOutCaption(CWidget& w, CWidget* parent, int x, int y, int width, int height, int align,
                   const char* text) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  w.SetCaptionBox(0, 0, width, height, align);
  UseCaptionFont(w, CaptionFont);
  w.SetText(text);
  w.Parent = parent;
}

void CGameInputConfigDialog::LayOutFrame(int x, int y, int width, int height, float panelScale) {
  CWidget::SetLayout(Window, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(Window);
  Window.SetAlphas(255, 255);
  Window.SetBackdropColour(255, 255, 255);
  Window.SetDrawOffset(width / 2, height / 2);
  Window.SetCaptionBox(0, 0, width, height, 10);
  UseCaptionFont(Window, CaptionFont);
  LaidWidth = width;
  LaidHeight = height;

  CWidget::SetLayout(Panel, 0, 0, 0, 0, CellSource{}, CellSource{}, CellSource{}, panelScale);
  Panel.Parent = &Window;

  // Two cells one source column apart: the arrow nudges every 8 frames.
  CWidget::SetLayout(Arrow, -40, 6, ArrowSize, ArrowSize, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  CWidget::AllocCells(Arrow);
  CWidget::SetCellAllStates(Arrow, 0, ArrowSheet, 122, 83, 16, 16, 8);
  CWidget::SetCellAllStates(Arrow, 1, ArrowSheet, 123, 83, 16, 16, 8);
  Arrow.Parent = &Panel;
}

void CGameInputConfigDialog::PlaceArrow(int firstY, int pitch, int row) {
  Arrow.Y = firstY + row * pitch + pitch / 2 - Arrow.Height / 2;
}

void CGameInputConfigDialog::Open(int row) {
  Phase = ScreenOpening;
  Child = nullptr;
  Cursor = row;
  Refresh();
  Panel.SetVisible(false);
  Window.SetVisible(true);
  Window.AnimateSize(0, LaidWidth, 0, LaidHeight, GrowFrames, SizeAnimWidthThenHeight);
}

void CGameInputConfigDialog::Close() {
  Phase = ScreenClosing;
  if (!Persist()) {
    // The file on disk stays as it was; what changed lasts for this run.
    char line[96];
    std::snprintf(line, sizeof line, "%s: could not be written; the changes last until the game ends\n",
                  PersistName());
    SysReportProblem(line);
  }
  Panel.SetVisible(false);
  Window.AnimateSize(LaidWidth, 0, LaidHeight, 0, GrowFrames, SizeAnimHeightThenWidth);
}

void CGameInputConfigDialog::OnChildClosed() {
  Phase = ScreenResuming;
  Refresh();
}

void CGameInputConfigDialog::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      // The screen beneath settles as covered before this one opens.
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      UpdateWidgets();
      if (Window.IsAnimating()) return;
      Panel.SetVisible(true);
      Phase = ScreenActive;
      return;
    case ScreenActive:
      UpdateWidgets();
      StepActive();
      return;
    case ScreenClosing:
      UpdateWidgets();
      if (Window.IsAnimating()) return;
      Window.SetVisible(false);
      // Closed before the parent hears of it, so that it may drop us at once.
      Phase = ScreenClosed;
      if (Parent) Parent->OnChildClosed();
      return;
    case ScreenPaused:
      UpdateWidgets();
      Phase = ScreenCovered;
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      UpdateWidgets();
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    case ScreenClosed:
    case ScreenCovered: return;
    default: StepOwnPhase(); return;
  }
}
