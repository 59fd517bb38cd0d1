#include "ui/CGameInputStageStart.h"

#include <cstring>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "platform/Renderer.h"

namespace {

constexpr PictureId PlainFill = 10;
constexpr int WindowWidth = 600, WindowHeight = 56;
constexpr int NameFont = 2;
constexpr int GrowFrames = 12, ShrinkFrames = 10, FadeStep = 8;

// The current floor's name; empty without a floor.
void ReadFloorName(char (&name)[CGameInputStageStart::NameCapacity]) {
  name[0] = '\0';
  if (CStageData* stage = GetGameMain()->CurrentStage) stage->GetName(name);
  name[CGameInputStageStart::NameCapacity - 1] = '\0';
}

}  // namespace

CGameInputStageStart* GetGameInputStageStart() {
  static CGameInputStageStart screen;
  return &screen;
}

CGameInputStageStart::CGameInputStageStart() { BuildLayout(); }

void CGameInputStageStart::BuildLayout() {
  const CGameMain* game = GetGameMain();
  const int w = game->GetScreenWidth(), h = game->GetScreenHeight();
  const CellSource black{PlainFill, 0, 0, w + 64, h + 64};
  CWidget::SetLayout(Backdrop, -32, -32, w + 64, h + 64, black, black, black, 1.0f);
  Backdrop.SetColour(0, 0, 0);

  CWidget::SetLayout(NameWindow, w / 2 - WindowWidth / 2, 100, WindowWidth, WindowHeight, CellSource{}, CellSource{},
                     CellSource{}, 4.0f);
  NameWindow.SetFrameImages(146, 147, 148, 149, 16, 2, 2, 3, 3);
  NameWindow.SetAlphas(255, 224);
  NameWindow.SetColourTriple(255, 255, 255);
  NameWindow.SetDrawOffset(WindowWidth / 2, WindowHeight / 2);
  NameWindow.AnimateSize(WindowWidth, WindowWidth, WindowHeight, WindowHeight, 0, 0);
  NameWindow.SetCaptionBox(0, 0, WindowWidth, WindowHeight, 10);
  CWidget::AllocCaptionFonts(NameWindow);
  CWidget::SetCaptionFont(NameWindow, &GetGameMain()->Fonts[NameFont], 1.0);
}

int CGameInputStageStart::TargetWidth(const char* name) {
  CDrawString* font = NameWindow.NormalStyles ? NameWindow.NormalStyles[0].Font : nullptr;
  const int textWidth = font ? font->GetTextWidth(name, static_cast<int>(std::strlen(name))) : 0;
  return static_cast<int>((textWidth + 10) * NameWindow.GetScaleX());
}

void CGameInputStageStart::ShowFloorName() {
  char name[NameCapacity];
  ReadFloorName(name);
  NameWindow.SetText("");
  NameWindow.AnimateSize(0, TargetWidth(name), 0, WindowHeight, GrowFrames, SizeAnimWidthThenHeight);
  NameWindow.SetVisible(true);
  Backdrop.SetAlpha(255);
}

void CGameInputStageStart::Begin() {
  ShowFloorName();
  Phase = PhaseGrowing;
}

void CGameInputStageStart::Update() {
  if (Child) Child->Update();
  UpdateWidgets();
  switch (Phase) {
    case PhaseGrowing: {
      if (NameWindow.IsAnimating()) return;
      char name[NameCapacity];
      ReadFloorName(name);
      NameWindow.SetText(name);
      Phase = 1;
      return;
    }
    case 1:
    case 2: ++Phase; return;
    case PhaseFading: {
      const int alpha = Backdrop.GetAlpha() - FadeStep;
      if (alpha >= 0) {
        Backdrop.SetAlpha(alpha);
        return;
      }
      Backdrop.SetAlpha(0);
      NameWindow.AnimateSize(TargetWidth(NameWindow.GetText()), 0, WindowHeight, 0, ShrinkFrames,
                             SizeAnimHeightThenWidth);
      NameWindow.SetText("");
      Phase = PhaseShrinking;
      return;
    }
    case PhaseShrinking:
      if (NameWindow.IsAnimating()) return;
      NameWindow.SetVisible(false);
      Phase = PhaseFinished;
      return;
    default: return;  // 3 waits for the stage-start state; 6 is the end
  }
}

void CGameInputStageStart::DrawLayer(int layer) {
  ResetDrawState();
  ShakeApplies = 1;
  Backdrop.Draw();
  if (layer == 0) {
    NameWindow.Draw();
    NameWindow.DrawCaption();
  }
  ResetDrawState();
  if (Child) Child->Draw();
}
