#include "ui/CGameInputSelectWindow.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "ui/InputTrigger.h"
#include "ui/TextCopy.h"

namespace {

constexpr SoundEffectId ChoiceSound = 4;
constexpr PictureId FrameBackdrop = 146, FrameBand = 147, FrameColumn = 148, FrameCorner = 149;
constexpr int FramePictureSize = 16;
constexpr int CaptionFont = 2;

void UseDialogFrame(CWidgetWindow& w) {
  w.SetFrameImages(FrameBackdrop, FrameBand, FrameColumn, FrameCorner, FramePictureSize, 2, 2, 3, 3);
}

}  // namespace

CGameInputSelectWindow* GetGameInputSelectWindow() {
  static CGameInputSelectWindow window;
  return &window;
}

CGameInputSelectWindow::CGameInputSelectWindow() { BuildLayout(); }

void CGameInputSelectWindow::BuildLayout() {
  const CellSource whole{0, 0, 0, 512, 512};
  Frame.SetColourTriple(255, 255, 255);
  CWidget::SetLayout(Frame, 150, 130, 340, 250, whole, whole, whole, 1.0f);
  Frame.SetScale(4.0f);
  Frame.SetDrawOffset(170, 125);
  Frame.SetCornerSize(2, 2);
  Frame.SetCaptionBox(10, 10, 320, 230, 9);
  for (int i = 0; i < MaxOptions; ++i) {
    CWidgetWindow& button = Buttons[i];
    CWidget::SetLayout(button, 10, 120 + 50 * i, 320, 40, whole, whole, whole, 1.0f);
    button.SetScale(4.0f);
    button.SetDrawOffset(160, 20);
    button.SetCornerSize(2, 2);
    button.SetCaptionBox(10, 10, 300, 20, 10);
    button.AnimateSize(320, 320, 40, 40, 0, SizeAnimBoth);
    button.Parent = &Frame;
  }
  CDrawString* font = &GetGameMain()->Fonts[CaptionFont];
  CWidget::AllocCaptionFonts(Frame);
  CWidget::SetCaptionFont(Frame, font, 1.0);
  for (CWidgetWindow& button : Buttons) {
    CWidget::AllocCaptionFonts(button);
    CWidget::SetCaptionFont(button, font, 1.0);
  }
  Width = 340;
  Height = 220;
}

void CGameInputSelectWindow::Begin() {
  Phase = ScreenOpening;
  Child = nullptr;
  LayoutButtons();
  HighlightChoice();
}

void CGameInputSelectWindow::LayoutButtons() {
  const int n = OptionCount;
  const double s = Buttons[0].GetScaleX();

  Frame.X = PositionX;
  Frame.Y = PositionY;
  Frame.Width = Width;
  Frame.Height = Height;
  UseDialogFrame(Frame);
  Frame.SetAlphas(FrameAlpha, BackdropAlpha);
  Frame.SetDrawOffset(Width / 2, Height / 2);
  // The title takes what the buttons leave above them.
  const int titleHeight = static_cast<int>(Height - 20 - n * ButtonHeight - 7.0 * n * s);
  Frame.SetCaptionBox(10, 10, Width - 20, titleHeight, 10);
  Frame.AnimateSize(0, Width, 0, Height, OpenFrames, SizeAnimWidthThenHeight);
  Frame.SetVisible(true);
  Frame.SetText("");

  // Centred across, 7 x s apart, the last 5 x s above the frame's bottom.
  for (int i = 0; i < MaxOptions; ++i) {
    CWidgetWindow& button = Buttons[i];
    const double bs = button.GetScaleX();
    button.Width = ButtonWidth;
    button.Height = ButtonHeight;
    button.SetVisible(false);
    button.SetText("");
    button.X = Width / 2 - ButtonWidth / 2;
    button.Y = static_cast<int>(Height - (n - i) * ButtonHeight - 7.0 * (n - i - 1) * bs - 5.0 * bs);
    UseDialogFrame(button);
    button.SetAlphas(255, 0);
    button.SetDrawOffset(ButtonWidth / 2, ButtonHeight / 2);
    button.SetCaptionBox(12, 12, ButtonWidth - 24, ButtonHeight - 24, 10);
    button.AnimateSize(ButtonWidth, ButtonWidth, ButtonHeight, ButtonHeight, 0, SizeAnimWidthThenHeight);
  }
  HighlightChoice();
}

void CGameInputSelectWindow::HighlightChoice() {
  const std::uint32_t layout = GetGameMain()->ScreenLayout;
  if (layout < 3 || layout > 5) return;
  for (CWidgetWindow& button : Buttons) {
    button.SetSelected(false);
    button.SetColour(64, 64, 64);
  }
  if (Result >= 0 && Result < MaxOptions) {
    Buttons[Result].SetSelected(true);
    Buttons[Result].SetColour(255, 255, 255);
  }
}

void CGameInputSelectWindow::UpdateWidgets() {
  Frame.Update();
  for (CWidgetWindow& button : Buttons) button.Update();
}

void CGameInputSelectWindow::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      UpdateWidgets();
      if (Frame.IsAnimating()) return;
      Phase = ScreenActive;
      Frame.SetText(Title);
      for (int i = 0; i < OptionCount; ++i) {
        Buttons[i].SetText(Options[i]);
        Buttons[i].SetVisible(true);
      }
      return;
    case ScreenActive:
      UpdateWidgets();
      ReadInput();
      return;
    case ScreenClosing:
      UpdateWidgets();
      if (Frame.IsAnimating()) return;
      HandBack();
      return;
    default: return;
  }
}

// One answer a press: after the first, nothing more is read this frame.
void CGameInputSelectWindow::ReadInput() {
  CMyInput* input = GetInput();
  if (OptionCount > 0) {
    if (input->IsUpTriggered()) {
      ConsumeInputTrigger(input->InputHistory[InputRowUp]);
      GetSoundManager()->PlaySe(ChoiceSound);
      if (--Result < 0) Result = OptionCount - 1;
      HighlightChoice();
    } else if (input->IsDownTriggered()) {
      ConsumeInputTrigger(input->InputHistory[InputRowDown]);
      GetSoundManager()->PlaySe(ChoiceSound);
      if (++Result >= OptionCount) Result = 0;
      HighlightChoice();
    }
  }

  if (CancelChoice >= 0 && IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowCancel]);
    Answer(CancelChoice);
    return;
  }
  if (OptionCount <= 0 && IsSelectTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    Answer(Result);
    return;
  }
  for (int i = 0; i < OptionCount; ++i) {
    if (Buttons[i].IsJustPressed() || (Buttons[i].IsSelected() && IsSelectTriggered())) {
      SwallowInput(input->InputHistory[InputRowPointer]);
      SwallowInput(input->InputHistory[InputRowSelect]);
      Answer(i);
      return;
    }
  }
}

void CGameInputSelectWindow::Answer(int result) {
  GetSoundManager()->PlaySe(ChoiceSound);
  Result = result;
  Phase = ScreenClosing;
  Finish();
}

void CGameInputSelectWindow::Finish() {
  Frame.AnimateSize(Width, 0, Height, 0, CloseFrames, SizeAnimHeightThenWidth);
  Frame.SetText("");
  for (CWidgetWindow& button : Buttons) {
    button.SetVisible(false);
    button.SetText("");
  }
  if (CloseFrames <= 0) HandBack();
}

void CGameInputSelectWindow::HandBack() {
  Phase = ScreenClosed;
  if (Parent) Parent->OnChildClosed();
}

void CGameInputSelectWindow::Draw() {
  // The pop-up stays put while the screen under it shakes.
  ShakeApplies = 0;
  Frame.Draw();
  Frame.DrawCaption();
  for (CWidgetWindow& button : Buttons) {
    button.Draw();
    button.DrawCaption();
  }
  ShakeApplies = 1;
  if (Child) Child->Draw();
}

void CGameInputSelectWindow::Reset() {
  OptionCount = 0;
  CancelChoice = -1;
  FrameAlpha = 255;
  BackdropAlpha = 192;
}

void CGameInputSelectWindow::SetOptionCount(int n) { OptionCount = n < 0 ? 0 : n > MaxOptions ? MaxOptions : n; }

void CGameInputSelectWindow::SetTitle(const char* text) { CopyTextCut(Title, sizeof Title, text); }

void CGameInputSelectWindow::SetOption(int i, const char* text) {
  if (i < 0 || i >= MaxOptions) return;
  CopyTextCut(Options[i], sizeof Options[i], text);
}

void CGameInputSelectWindow::SetResult(int i) {
  if (i < 0 || i >= MaxOptions) return;
  Result = i;
}

void CGameInputSelectWindow::SetSize(int width, int height) {
  Width = width;
  Height = height;
}

void CGameInputSelectWindow::SetButtonSize(int width, int height) {
  ButtonWidth = width;
  ButtonHeight = height;
}

void CGameInputSelectWindow::SetPosition(int x, int y) {
  PositionX = x;
  PositionY = y;
}

void CGameInputSelectWindow::SetAlpha(int frameAlpha, int backdropAlpha) {
  FrameAlpha = frameAlpha;
  BackdropAlpha = backdropAlpha;
}

void CGameInputSelectWindow::SetAnimation(int openFrames, int openMode, int closeFrames, int closeMode) {
  OpenFrames = openFrames;
  OpenMode = openMode;
  CloseFrames = closeFrames;
  CloseMode = closeMode;
}
