#include "screens/CGameInputDeleteCheck.h"

#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

namespace {

constexpr ScreenId ClassScreen = 4;
constexpr int CaptionFont = 2;
constexpr TextId QuestionText = 1182, YesText = 1183, NoText = 1184;

void LayOutPlate(CWidgetWindow& plate, CWidgetWindow& window, int x) {
  CWidget::SetLayout(plate, x, 240, 120, 40, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(plate, 0);
  plate.SetAlphas(255, 0);
  plate.SetDrawOffset(60, 20);
  plate.SetCaptionBox(0, 0, 120, 40, 10);
  plate.AnimateSize(120, 120, 40, 40, 0, 0);
  UseCaptionFont(plate, CaptionFont);
  plate.Parent = &window;
}

}  // namespace

CGameInputDeleteCheck* GetGameInputDeleteCheck() {
  static CGameInputDeleteCheck screen;
  return &screen;
}

CGameInputDeleteCheck::CGameInputDeleteCheck() { BuildLayout(); }

void CGameInputDeleteCheck::BuildLayout() {
  CWidget::SetLayout(QuestionWindow, 340, 210, 600, 300, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(QuestionWindow);
  QuestionWindow.SetAlphas(255, 255);
  QuestionWindow.SetColourTriple(255, 255, 255);
  QuestionWindow.SetDrawOffset(300, 150);
  QuestionWindow.SetCaptionBox(0, 0, 600, 230, 10);
  UseCaptionFont(QuestionWindow, CaptionFont);
  LayOutPlate(YesButton, QuestionWindow, 90);
  LayOutPlate(NoButton, QuestionWindow, 390);
}

void CGameInputDeleteCheck::Begin() {
  Phase = ScreenOpening;
  QuestionWindow.SetVisible(true);
  QuestionWindow.AnimateSize(0, 600, 0, 300, 8, SizeAnimWidthThenHeight);
  QuestionWindow.SetText("");
  YesButton.SetText("");
  NoButton.SetText("");
  YesButton.SetVisible(false);
  NoButton.SetVisible(false);
  YesButton.SetSelected(false);
  NoButton.SetSelected(true);
  RefreshButtons();
}

void CGameInputDeleteCheck::RefreshButtons() {
  for (CWidgetWindow* plate : {&YesButton, &NoButton}) {
    const int level = plate->IsSelected() ? 255 : 64;
    plate->SetColour(level, level, level);
  }
}

void CGameInputDeleteCheck::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      UpdateWidgets();
      if (!QuestionWindow.IsAnimating()) Phase = ScreenActive;
      return;
    case ScreenActive:
      UpdateWidgets();
      YesButton.SetVisible(true);
      NoButton.SetVisible(true);
      QuestionWindow.SetText(GetCurrentLanguageText(QuestionText));
      YesButton.SetText(GetCurrentLanguageText(YesText));
      NoButton.SetText(GetCurrentLanguageText(NoText));
      ReadInput();
      return;
    case PhaseLeaving:
      UpdateWidgets();
      if (IsScreenFadeRunning()) return;
      // The class selection goes on the title menu; this screen leaves the
      // chain, keeping its parent link as the push finds it.
      if (Parent) Parent->SetChild(nullptr);
      Phase = ScreenClosed;
      GetGameInputController()->PushChild(ClassScreen);
      StartScreenFadeIn();
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

void CGameInputDeleteCheck::ReadInput() {
  CMyInput* input = GetInput();
  const bool select = IsSelectTriggered();
  if (select && YesButton.IsSelected()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    PlayChoiceSound();
    Phase = PhaseLeaving;
    StartScreenFadeOut();
  } else if ((select && NoButton.IsSelected()) || IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    SwallowInput(input->InputHistory[InputRowCancel]);
    PlayChoiceSound();
    if (Parent) Parent->OnChildClosed();
    Phase = ScreenClosed;
  } else if (input->IsLeftTriggered()) {
    SwapHighlight(InputRowLeft);
  } else if (input->IsRightTriggered()) {
    SwapHighlight(InputRowRight);
  }
}

void CGameInputDeleteCheck::SwapHighlight(int row) {
  ConsumeInputTrigger(GetInput()->InputHistory[row]);
  PlayChoiceSound();
  YesButton.SetSelected(!YesButton.IsSelected());
  NoButton.SetSelected(!NoButton.IsSelected());
  RefreshButtons();
}

void CGameInputDeleteCheck::DrawLayer(int layer) {
  if (layer == 0) {
    BeginScreenSprites();
    QuestionWindow.Draw();
    YesButton.Draw();
    NoButton.Draw();
    QuestionWindow.DrawCaption();
    YesButton.DrawCaption();
    NoButton.DrawCaption();
    ResetDrawState();
  }
  if (Child) Child->DrawLayer(layer);
}
