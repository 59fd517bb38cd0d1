// Around the turn: arrival on a floor, leaving it by the stairs, the goal
// item that clears the dungeon, the player's death, and quitting.
#include "app/CGameMain.h"
#include "app/GameStateSupport.h"
#include "app/GameStates.h"
#include "app/RunEnd.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "floors/StageFactory.h"
#include "items/CItem.h"
#include "items/CItemEvent.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr ScreenId PlayScreen = 15;
constexpr ScreenId FirstClearScreen = 25;
constexpr ScreenId SecondClearScreen = 26;
constexpr ScreenId FloorTitleCard = 27;
constexpr AnimationEntry PrizePose = 190;
constexpr AnimationEntry PrincessPose = 200;
// StageEnd's frame counter: 1 while the next floor is being made, 2 once
// it stands.
constexpr std::uint32_t FloorChanging = 1;
constexpr std::uint32_t FloorChanged = 2;

CGameStateController* Controller() { return GetStateController(); }

void StartFade(int from, int to, int step) {
  CEffect* effect = GetScreenEffect();
  effect->FadeValue = from;
  effect->FadeTarget = to;
  effect->FadeStep = step;
  effect->FadeRunning = 1;
}

// The last screen of the chain: the one a push has just added.
CGameInput* LastScreen() {
  CGameInput* screen = GetGameInputController();
  while (screen->GetChild()) screen = screen->GetChild();
  return screen;
}

}  // namespace

// ---- StageStart: arrival on a floor, by the stairs, a new game or CONTINUE.

void CGameStateMainNormalStageStart::Enter() {
  StartFade(0, 0, 0);  // no overlay: the next update finds it done
  FrameCounter = 0;
  Card = GetGameInputController()->PushChild(FloorTitleCard) ? LastScreen() : nullptr;
}

int CGameStateMainNormalStageStart::CardPhase() const { return Card ? Card->GetPhase() : ScreenResuming; }

void CGameStateMainNormalStageStart::Update() {
  UpdateWorld();
  CGameMain* game = GetGameMain();
  switch (FrameCounter) {
    case 0:
      if (CardPhase() >= ScreenClosing) FrameCounter = 1;
      break;
    case 1:
    case 2:
      ++FrameCounter;
      break;
    case 3:
      // The floor's music starts and "save" is written at every arrival.
      if (CStageData* stage = PlayingStage()) stage->LoadArea();
      game->Settings.Block.RandomState = GetRandomState();
      game->CaptureSaveImage();
      game->WriteSaveFile();
      if (Card) Card->SetPhase(ScreenPaused);
      FrameCounter = 4;
      break;
    case 4:
      if (CardPhase() < ScreenResuming) break;
      GetGameInputController()->ChangeChild(PlayScreen);
      FrameCounter = 5;  // once: a hold still pending moves the state on when released
      Controller()->Release();
      break;
    default:
      break;
  }
}

void CGameStateMainNormalStageStart::Release() {
  RunFloorEvent();
  Controller()->ChangeState(StateMainNormal);  // the first player turn on the floor
}

// ---- StageEnd: leaving by the stairs.

void CGameStateMainNormalStageEnd::Enter() {
  StartFade(0, 255, 16);  // to opaque black in 16 frames
  FrameCounter = 0;
}

void CGameStateMainNormalStageEnd::Update() {
  UpdateWorld();
  if (GetScreenEffect()->FadeRunning || FrameCounter != 0 || !IsInPlay()) return;
  FrameCounter = FloorChanging;
  GoDownToNextFloor(*GetGameMain());
  GetGameInputController()->ChangeChild(PlayScreen);
  // What the old floor's characters and effects held went with them.
  Controller()->ClearHolds();
  FrameCounter = FloorChanged;
  Controller()->Release();
}

// Holds given back while the old floor goes must not move on early.
void CGameStateMainNormalStageEnd::Release() {
  if (FrameCounter == FloorChanged) Controller()->ChangeState(StateStageStart);
}

// ---- GameOver: the run ends, "save" says so, and the rankings have it.

void EndRunInDeath(CGameMain& game) {
  // The run is in progress from the first turn on; a run already ended here
  // is in the rankings already.
  if (!game.Settings.Block.GameInProgress) return;
  game.Settings.Block.GameInProgress = 0;
  game.CaptureSaveImage();
  game.WriteSaveFile();
  game.RegisterRanking();
}

void CGameStateMainNormalGameOver::Enter() { EndRunInDeath(*GetGameMain()); }

void CGameStateMainNormalGameOver::Release() { Controller()->ChangeState(StateTitle); }

// ---- Clear: the music stops at once; the clear screens end the run.

void CGameStateMainNormalClear::Enter() {
  CSoundManager* sound = GetSoundManager();
  FrameCounter = static_cast<std::uint32_t>(sound->GetPlayingBgm());
  sound->StopAllBgm();
}

void CGameStateMainNormalClear::Leave() {
  const auto track = static_cast<BgmTrack>(FrameCounter);
  if (track != -1) GetSoundManager()->UnloadBgm(track);
}

void CGameStateMainNormalClear::Release() { Controller()->ChangeState(StateTitle); }

// ---- The goal check at the end of every step.

bool CGameStateMain::CheckGoalItem() {
  if (!IsInPlay()) return false;
  CStageData* stage = PlayingStage();
  CCharacterPlayer* player = PlayingPlayer();
  const int x = player->GetX(), y = player->GetY();
  CItem* item = stage->GetItemAt(x, y);
  const GoalKind goal = item ? GetGoalKind(item->GetId()) : GoalKind::None;
  if (goal == GoalKind::Princess) {
    stage->RemoveItemAt(x, y);
    delete item;
    player->SetAnimation(PrincessPose);
    Controller()->ChangeState(StateClear);
    GetGameInputController()->PushChild(SecondClearScreen);
    return true;
  }
  if (goal == GoalKind::Prize) {
    player->SetAnimation(PrizePose);
    player->SetDirection(DirectionDown);
    GetGameInputMain()->ShowMessage(GetCurrentLanguageText(GetGoalMessage(item->GetId())));
    stage->RemoveItemAt(x, y);
    delete item;
    Controller()->ChangeState(StateClear);
    GetGameInputController()->PushChild(FirstClearScreen);
    return true;
  }
  // The tutorial ends on its stairs.
  if (stage->StageId == TutorialStage && stage->GetTerrain(x, y) == TerrainStairs) {
    Controller()->ChangeState(StateClear);
    GetGameInputController()->PushChild(SecondClearScreen);
    return true;
  }
  return false;
}
