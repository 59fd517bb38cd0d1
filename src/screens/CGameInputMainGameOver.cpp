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

constexpr ScreenId RankingScreen = 7;
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
  CGameMain* game = GetGameMain();
  const std::uint32_t dungeon = game->Settings.Block.DungeonIndex;
  if (!GetGameInputController()->ChangeChild(RankingScreen)) return;
  CGameInputTitleScoreRanking* ranking = GetGameInputTitleScoreRanking();
  // A dungeon the lists have no room for shows the first page, never a
  // list read from outside the array.
  const bool known = dungeon < static_cast<std::uint32_t>(RankingDungeons);
  ranking->RankingPage = known ? static_cast<std::int32_t>(dungeon) : 1;
  ranking->RankingClass = 0;
  const int lastRank = known ? game->ScoreRankings[dungeon * RankingListsPerDungeon].GetLastRank() : 0;
  ranking->ScrollTo(lastRank - 2);
  ranking->RefreshRows();
  GetStateController()->ChangeState(StateTitle);
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
