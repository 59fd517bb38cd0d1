#include "screens/CGameInputMainClear1.h"

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"

namespace {

constexpr ScreenId EndingScreen = 30;
constexpr std::uint32_t LastDungeon = 6;
constexpr int CaptionFont = 11;
constexpr TextId ClearText = 604;
constexpr SoundEffectId ClearSound = 39;
constexpr PictureId ItemSheet = 132;
// The prize icons of LEVEL 1 to 7 in the item sheet's row at y 380; LEVEL 7
// passes over column 6.
constexpr int IconColumns[7] = {0, 1, 2, 3, 4, 5, 7};
constexpr std::uint32_t Hunter = 1, Prophet = 8;
constexpr std::uint32_t Dungeons = 8, Classes = 9, ClassesPerDungeon = 11;

}  // namespace

CGameInputMainClear1* GetGameInputMainClear1() {
  static CGameInputMainClear1 screen;
  return &screen;
}

void RecordDungeonClear() {
  CGameMain* game = GetGameMain();
  SaveBlock& block = game->Settings.Block;
  const std::uint32_t dungeon = block.DungeonIndex, characterClass = block.SelectedClass;
  // Both come from "save": a damaged index must not write outside the tables.
  if (dungeon < Dungeons && characterClass < Classes) {
    block.DungeonClearedFlags[dungeon] = 1;
    block.ClearedWithClass[dungeon * ClassesPerDungeon + characterClass] = 1;
  } else {
    SysDebugOutput("clear: dungeon or class out of range, progress not recorded\n");
  }
  block.GameInProgress = 0;
  game->CaptureSaveImage();
  game->WriteSaveFile();
  game->RegisterRanking();
}

void CGameInputMainClear1::LayoutScene() {
  const CGameMain* game = GetGameMain();
  const SaveBlock& block = game->Settings.Block;
  const std::uint32_t dungeon = block.DungeonIndex;
  if (dungeon >= 1 && dungeon <= 7) {
    const int left = block.SelectedClass == Hunter || block.SelectedClass == Prophet ? 40 : 20;
    const CellSource icon{ItemSheet, 20 * IconColumns[dungeon - 1], 380, 20, 18};
    CWidget::SetLayout(GoalIcon, game->GetViewCenterX() - left, game->GetViewCenterY() - 80, 60, 60, icon, icon,
                       icon, 4.0f);
    GoalIcon.SetVisible(true);
  } else {
    // The tutorial has no prize of its own: no icon rather than the last one.
    GoalIcon.SetVisible(false);
  }

  const int width = game->GetScreenWidth();
  CWidget::SetLayout(Caption, 0, 100, width, 50, CellSource{}, CellSource{}, CellSource{}, 8.0f);
  // The box of 50 is centred on the text drawn 80 tall; grown to the text
  // about the same centre it leaves "CLEAR!!" where it stood.
  Caption.SetCaptionBox(0, -15, width, 80, 10);
  UseCaptionFont(Caption, CaptionFont);
  Caption.SetColour(255, 255, 255);
  Caption.SetText(GetCurrentLanguageText(ClearText));
  Caption.SetVisible(false);
  WaitValue = 0;
}

void CGameInputMainClear1::Begin() {
  LayoutScene();
  Phase = PhaseSettling;
  FrameCounter = 0;
}

void CGameInputMainClear1::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case PhaseSettling:
      if (++FrameCounter <= 5) return;
      Phase = PhaseRising;
      FrameCounter = 0;
      GetSoundManager()->PlaySe(ClearSound);
      return;
    case PhaseRising:
      WaitValue += 4;
      if (WaitValue < 255) return;
      WaitValue = 255;
      Caption.SetVisible(true);
      Phase = PhaseShown;
      FrameCounter = 0;
      return;
    case PhaseShown:
      if (++FrameCounter <= 60) return;
      FrameCounter = 0;
      Phase = PhaseAwaitingSelect;
      return;
    case PhaseAwaitingSelect:
      if (FadeOutOnSelect()) Phase = PhaseFadingOut;
      return;
    case PhaseFadingOut:
      if (!IsScreenFadeRunning()) Phase = PhaseLeaving;
      return;
    case PhaseLeaving:
      // Once, whatever becomes of the hand-over.
      Phase = PhaseDone;
      RecordDungeonClear();
      if (GetGameMain()->Settings.Block.DungeonIndex == LastDungeon) {
        // The ending starts on a clear screen. Should no ending screen
        // answer, the change is refused and the rankings follow instead.
        StartScreenFade(0, 0, 0);
        if (GetGameInputController()->ChangeChild(EndingScreen)) {
          GetStateController()->ChangeState(StateTitle);
          return;
        }
      }
      ShowRunInRankings();
      return;
    default: return;
  }
}

void CGameInputMainClear1::Draw() {
  ResetDrawState();
  GoalIcon.Draw();
  Caption.Draw();
  Caption.DrawCaption();
  ResetDrawState();
  if (Child) Child->Draw();
}
