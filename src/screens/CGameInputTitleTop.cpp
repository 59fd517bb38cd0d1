#include "screens/CGameInputTitleTop.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputUnlock.h"
#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"
#include "ui/InputTrigger.h"

namespace {

constexpr PictureId TitleSheet = 11;

struct LayerRow {
  int Y, Height, SourceY, SourceHeight;
  std::uint32_t Period;  // frames between two steps of 2 to the left
  int SceneStep;         // spacing of the copies in the scene-only draw
};
constexpr LayerRow LayerRows[CGameInputTitleTop::LayerCount] = {
    {-32, 720, 80, 180, 8, 280},
    {-60, 320, 0, 80, 6, 320},
    {240, 480, 280, 120, 4, 280},
    {380, 400, 400, 100, 2, 280},
};

constexpr TextId EntryTexts[CGameInputTitleTop::EntryCount] = {1195, 1196, 1197, 1198, 1200};
constexpr TextId NoticeLineText = 1201;
constexpr int EntryFont = 11;

// The notice owed for each cleared dungeon, tutorial to LEVEL 6; the gallery
// opens none.
constexpr int NoticeDungeons = 7;
constexpr std::int32_t NoticeTypes[NoticeDungeons] = {0, 6, 7, 8, 9, 10, 12};

constexpr ScreenId WarningScreen = 5, NoticeScreen = 6, ClassScreen = 4, RankingScreen = 7, ConfigScreen = 8;

void SetLogoCell(CWidget& logo) {
  const int sourceX = GetGameMain()->Settings.Block.Language == 0 ? 200 : 360;
  CWidget::SetCellAllStates(logo, 0, TitleSheet, sourceX, 0, 150, 80, 1);
}

void SetGrey(CWidget& w, int level) { w.SetColour(level, level, level); }

}  // namespace

CGameInputTitleTop* GetGameInputTitleTop() {
  static CGameInputTitleTop screen;
  return &screen;
}

CGameInputTitleTop::CGameInputTitleTop() { BuildLayout(); }

void CGameInputTitleTop::BuildLayout() {
  const CGameMain* game = GetGameMain();
  const int width = game->GetScreenWidth(), height = game->GetScreenHeight();
  for (int k = 0; k < LayerCount; ++k) {
    const LayerRow& row = LayerRows[k];
    const CellSource strip{TitleSheet, 0, row.SourceY, 140, row.SourceHeight};
    CWidget::SetLayout(Layers[k], -32, row.Y, LayerWidth, row.Height, strip, strip, strip, 4.0f);
  }
  const CellSource logo{TitleSheet, 200, 0, 150, 80};
  CWidget::SetLayout(Logo, width / 2 - 300, 20, 600, 320, logo, logo, logo, 4.0f);
  SetLogoCell(Logo);

  const CellSource none{0, 0, 0, 0, 0};
  const Language language = game->Settings.Block.Language;
  for (int i = 0; i < EntryCount; ++i) {
    CWidget& entry = Entries[i];
    CWidget::SetLayout(entry, 320, 340 + 60 * i, 640, 60, none, none, none, 4.0f);
    entry.SetCaptionBox(0, 0, 640, 60, 10);
    UseCaptionFont(entry, EntryFont);
    entry.SetText(GetText(language, EntryTexts[i]));
  }
  CWidget::SetLayout(NoticeLine, 0, height - 64, width, 64, none, none, none, 4.0f);
  NoticeLine.SetCaptionBox(0, 0, width, 64, 11);
  UseCaptionFont(NoticeLine, EntryFont);
  NoticeLine.SetText(GetText(language, NoticeLineText));
}

void CGameInputTitleTop::Begin() {
  StartScreenFadeIn();
  Phase = ScreenOpening;
  Cursor = GetGameMain()->HasSuspendedGame() ? EntryContinue : EntryNewGame;
  RefreshMenu();
  StartTitleMusic();
}

void CGameInputTitleTop::StartTitleMusic() {
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  if (playing == TitleTrack) return;
  if (playing != -1) {
    sound->StopAllBgm();
    sound->UnloadBgm(playing);
  }
  sound->LoadBgm(TitleTrack, 10018, 1.0f, 0, 546240, 13656720);
  sound->PlayBgm(TitleTrack);
}

void CGameInputTitleTop::RefreshMenu() {
  const bool suspended = GetGameMain()->HasSuspendedGame();
  for (CWidget& entry : Entries) {
    entry.SetVisible(true);
    entry.SetEnabled(true);
  }
  Logo.SetVisible(true);
  NoticeLine.SetVisible(true);
  Entries[EntryContinue].SetEnabled(suspended);

  const int continueLevel = suspended ? 255 : 128;
  SetLogoCell(Logo);
  for (CWidget& entry : Entries) SetGrey(entry, 128);
  SetGrey(Entries[EntryContinue], continueLevel / 2);
  if (Cursor >= 0 && Cursor < EntryCount) SetGrey(Entries[Cursor], Cursor == EntryContinue ? continueLevel : 255);
}

void CGameInputTitleTop::OnCovered() {
  Phase = ScreenCovered;
  Logo.SetVisible(false);
  for (CWidget& entry : Entries) entry.SetVisible(false);
  NoticeLine.SetVisible(false);
}

void CGameInputTitleTop::OnChildClosed() {
  Phase = ScreenResuming;
  RefreshMenu();
}

void CGameInputTitleTop::ScrollBackground() {
  const std::uint32_t frame = GetGameMain()->FrameCount;
  for (int k = 0; k < LayerCount; ++k) {
    if (frame % LayerRows[k].Period != 0) continue;
    CWidget& layer = Layers[k];
    layer.X -= 2;
    if (layer.X < -LayerWidth) layer.X += LayerWidth;
  }
}

void CGameInputTitleTop::Update() {
  ScrollBackground();
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      UpdateWidgets();
      if (IsScreenFadeRunning()) return;
      Phase = ScreenActive;
      // From here the player's first press acts.
      SysDebugOutput("Vorlumen: the title takes input\n");
      return;
    case ScreenActive:
      UpdateWidgets();
      if (ShowPendingNotice()) return;
      ReadMenuInput();
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      UpdateWidgets();
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    case PhaseStartingNewGame:
      if (IsScreenFadeRunning()) return;
      PushChild(ClassScreen);
      StartScreenFadeIn();
      return;
    case PhaseContinuing:
      if (IsScreenFadeRunning()) return;
      // The play screen takes the chain; once asked, this screen is done.
      Phase = ScreenClosed;
      GetGameMain()->ContinueGame();
      return;
    case PhaseOpeningRankings:
      if (IsScreenFadeRunning()) return;
      {
        GetGameInputTitleScoreRanking()->ScrollTo(1);
        // No row of any list is shown as the newest run.
        CGameMain* game = GetGameMain();
        for (int i = 0; i < 88; ++i) {
          game->ScoreRankings[i].ResetLastEntry();
          game->TurnRankings[i].ResetLastEntry();
          game->TimeRankings[i].ResetLastEntry();
        }
      }
      OnCovered();
      PushChild(RankingScreen);
      return;
    case PhaseShowingNotice:
      UpdateWidgets();
      if (!Child) Phase = ScreenActive;
      return;
    default: return;
  }
}

bool CGameInputTitleTop::ShowPendingNotice() {
  const SaveBlock& block = GetGameMain()->Settings.Block;
  for (int d = 0; d < NoticeDungeons; ++d) {
    if (block.DungeonClearedFlags[d] == 0 || block.DungeonOpenNoticeShown[d] != 0) continue;
    GetGameInputUnlock()->NoticeType = NoticeTypes[d];
    if (!PushChild(NoticeScreen)) return false;
    // The push covered the menu; it stays in sight behind the notice.
    Phase = PhaseShowingNotice;
    RefreshMenu();
    return true;
  }
  return false;
}

void CGameInputTitleTop::ReadMenuInput() {
  CMyInput* input = GetInput();
  if (IsSelectTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    Choose();
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

void CGameInputTitleTop::MoveCursor(int step) {
  Cursor += step;
  if (Cursor == EntryContinue && !GetGameMain()->HasSuspendedGame()) Cursor += step;
  if (Cursor < 0) Cursor = EntryCount - 1;
  if (Cursor >= EntryCount) Cursor = 0;
  RefreshMenu();
}

bool CGameInputTitleTop::IsEntryOpen(int entry) const {
  switch (entry) {
    case EntryContinue: return Entries[EntryContinue].IsEnabled();
    default: return true;
  }
}

void CGameInputTitleTop::Choose() {
  if (!IsEntryOpen(Cursor)) return;
  PlayChoiceSound();
  switch (Cursor) {
    case EntryNewGame: OnNewGame(); return;
    case EntryContinue: OnContinue(); return;
    case EntryRanking: OnRanking(); return;
    case EntryConfig: OnConfig(); return;
    case EntryExit: SysPostQuit(); return;
    default: return;
  }
}

void CGameInputTitleTop::OnNewGame() {
  if (Entries[EntryContinue].IsEnabled()) {
    // A suspended game is given up only after the warning.
    OnCovered();
    PushChild(WarningScreen);
    return;
  }
  StartScreenFadeOut();
  Phase = PhaseStartingNewGame;
}

void CGameInputTitleTop::OnContinue() {
  StartScreenFadeOut();
  Phase = PhaseContinuing;
}

void CGameInputTitleTop::OnRanking() {
  StartScreenFadeOut();
  Phase = PhaseOpeningRankings;
}

void CGameInputTitleTop::OnConfig() {
  OnCovered();
  PushChild(ConfigScreen);
}

void CGameInputTitleTop::DrawScreen(bool fixedSteps) {
  BeginScreenSprites();
  for (int k = 0; k < LayerCount; ++k) {
    CWidget& layer = Layers[k];
    const int x = layer.X;
    const int step = fixedSteps ? LayerRows[k].SceneStep : LayerWidth;
    for (int copy = 0; copy < 4; ++copy) {
      layer.X = x + copy * step;
      layer.Draw();
    }
    layer.X = x;
  }
  for (CWidget& entry : Entries) entry.Draw();
  Logo.Draw();
  for (CWidget& entry : Entries) entry.DrawCaption();
  NoticeLine.DrawCaption();
  ResetDrawState();
}

void CGameInputTitleTop::DrawLayer(int layer) {
  DrawScreen(false);
  if (Child) Child->DrawLayer(layer);
}

void CGameInputTitleTop::Draw() {
  DrawScreen(true);
  if (Child) Child->Draw();
}
