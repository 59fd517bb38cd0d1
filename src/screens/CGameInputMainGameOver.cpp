#include "screens/CGameInputMainGameOver.h"

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int CaptionFont = 11;
constexpr TextId GameOverText = 1112;

}  // namespace

CGameInputMainGameOver* GetGameInputMainGameOver() {
  static CGameInputMainGameOver screen;
  return &screen;
}

void StartRunEndFade() { StartScreenFade(0, 255, 8); }

bool FadeOutOnSelect() {
  if (!IsSelectTriggered()) return false;
  SwallowInput(GetInput()->InputHistory[InputRowSelect]);
  StartRunEndFade();
  return true;
}

void ShowRunInRankings() {
  if (OpenRunInRankings()) GetStateController()->ChangeState(StateTitle);
}

void CGameInputMainGameOver::LayoutCaption() {
  const int width = GetGameMain()->GetScreenWidth();
  CWidget::SetLayout(Caption, 0, 100, width, 50, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  Caption.SetCaptionBox(0, 0, width, 50, 10);
  UseCaptionFont(Caption, CaptionFont);
  Caption.SetColour(255, 255, 255);
  Caption.SetText(GetCurrentLanguageText(GameOverText));
}

void CGameInputMainGameOver::Begin() {
  LayoutCaption();
  Phase = PhaseWaiting;
}

void CGameInputMainGameOver::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case PhaseWaiting:
      if (!IsScreenFadeRunning()) Phase = PhaseAwaitingSelect;
      return;
    case PhaseAwaitingSelect:
      if (FadeOutOnSelect()) Phase = PhaseFadingOut;
      return;
    case PhaseFadingOut:
      if (!IsScreenFadeRunning()) ShowRunInRankings();
      return;
    default: return;
  }
}

void CGameInputMainGameOver::Draw() {
  ResetDrawState();
  Caption.Draw();
  Caption.DrawCaption();
  ResetDrawState();
  if (Child) Child->Draw();
}
