#include "screens/CGameInputTitleCredits.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int LineFont = 3, BackFont = 9;
constexpr int AlignCentre = 10;
constexpr int LineWidth = 320, LineHeight = 20;

}  // namespace

CGameInputTitleCredits* GetGameInputTitleCredits() {
  static CGameInputTitleCredits screen;
  return &screen;
}

CGameInputTitleCredits::CGameInputTitleCredits() { BuildLayout(); }

// The texts are fetched once: they read the same in both languages.
void CGameInputTitleCredits::BuildLayout() {
  const int x = GetGameMain()->GetScreenWidth() / 2 - LineWidth / 2;
  const Language language = GetGameMain()->Settings.Block.Language;
  const struct {
    CWidget* Line;
    int Y, Font;
    TextId Text;
  } rows[] = {
      {&FontHeading, 120, LineFont, 1269},       {&FontAuthorLabel, 140, LineFont, 1270},
      {&FontAddressLabel, 160, LineFont, 1271},  {&SoundHeading, 120, LineFont, 1272},
      {&SoundSourceLabel, 140, LineFont, 1273},  {&SoundAddressLabel, 160, LineFont, 1274},
      {&ProduceHeading, 260, LineFont, 1278},    {&ProducerLabel, 280, LineFont, 1279},
      {&ProducerAddressLabel, 300, LineFont, 1280}, {&BackLabel, 400, BackFont, 1202},
  };
  for (const auto& r : rows) {
    CWidget::SetLayout(*r.Line, x, r.Y, LineWidth, LineHeight, CellSource{}, CellSource{}, CellSource{}, 2.0f);
    r.Line->SetCaptionBox(0, 0, LineWidth, LineHeight, AlignCentre);
    UseCaptionFont(*r.Line, r.Font);
    r.Line->SetText(GetText(language, r.Text));
  }
}

void CGameInputTitleCredits::Begin() {
  ResetWidgets();
  Phase = ScreenOpening;
}

void CGameInputTitleCredits::ResetWidgets() {
  for (CWidget* w : {&FontHeading, &FontAuthorLabel, &FontAddressLabel}) w->SetVisible(false);
  for (CWidget* w : {&SoundHeading, &SoundSourceLabel, &SoundAddressLabel, &ProduceHeading, &ProducerLabel, &BackLabel})
    w->SetVisible(true);
  for (CWidget* w : {&FontHeading, &FontAuthorLabel, &FontAddressLabel, &SoundHeading, &SoundSourceLabel,
                     &SoundAddressLabel, &ProduceHeading, &ProducerLabel, &BackLabel})
    w->SetEnabled(true);
}

void CGameInputTitleCredits::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (IsOpeningOver(*this)) Phase = ScreenActive;
      return;
    case ScreenActive:
      if (IsSelectTriggered() || IsCancelTriggered()) {
        // Both taken, so the title menu beneath does not act on the press.
        CMyInput* input = GetInput();
        SwallowInput(input->InputHistory[InputRowSelect]);
        SwallowInput(input->InputHistory[InputRowCancel]);
        PlayChoiceSound();
        if (Parent) Parent->OnChildClosed();
        Phase = ScreenClosed;
      }
      return;
    default: return;
  }
}

void CGameInputTitleCredits::DrawLayer(int layer) {
  BeginScreenSprites();
  if (layer == 0) {
    for (CWidget* w : {&FontHeading, &FontAuthorLabel, &FontAddressLabel, &SoundHeading, &SoundSourceLabel,
                       &SoundAddressLabel, &ProduceHeading, &ProducerLabel, &ProducerAddressLabel, &BackLabel})
      w->DrawCaption();
  }
  ResetDrawState();
  if (Child) Child->DrawLayer(layer);
}
