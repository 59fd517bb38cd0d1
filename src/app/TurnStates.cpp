// One turn, in the order it runs: the player's turn (a command, or the
// run), the player's step or action, the trap under the player, the
// others' moves, their actions one by one, and the end of the turn.
//
// Characters are walked with the list's own walk: a death or a summon in
// the middle of one leaves the walk sound.
#include <algorithm>
#include <iterator>

#include "app/CGameMain.h"
#include "app/GameStateSupport.h"
#include "app/GameStates.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr TextId PandemoniumText = 1110;
constexpr TextId TrapSprungText = 1109;
constexpr TextId BagFullText = 646;
constexpr TextId ThereIsText = 647;
constexpr TextId PickedUpText = 648;
constexpr ScreenId NextFloorQuestion = 23;
constexpr SoundEffectId PickUpSound = 35;
constexpr BgmTrack MonsterHouseTrack = 8;
constexpr std::uint16_t MonsterHouseMusic = 10008;
constexpr std::uint32_t MonsterHouseLoopEnd = 8467200;
// A move with something to watch lasts 9 frames, one without lasts 1.
constexpr std::uint32_t EnemyMoveFrames = 9;
constexpr std::uint32_t PlayerStepFrames = 8;

CGameMain* Game() { return GetGameMain(); }
CGameStateController* Controller() { return GetStateController(); }

template <class Each>
void ForEachAlive(Each each) {
  for (CCharacter* character : Game()->Characters.Walk())
    if (character->alive) each(*character);
}

// Everyone's step completes at once: a running turn shows no step.
void FinishEverySteps() {
  ForEachAlive([](CCharacter& c) { c.moveStep = 8; });
}

// Entering a monster house the first time: its alarm, its music, and every
// sleeper wakes.
void CheckMonsterHouse() {
  CStageData* stage = PlayingStage();
  const CCharacterPlayer* player = PlayingPlayer();
  if (!stage->IsMonsterHouseFloor(player->GetX(), player->GetY()) || stage->BgmTrack == MonsterHouseTrack) return;
  GetGameInputMain()->ShowMessage(GetCurrentLanguageText(PandemoniumText));
  stage->BgmTrack = MonsterHouseTrack;
  stage->BgmResourceId = MonsterHouseMusic;
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing != -1) sound->UnloadBgm(playing);
  sound->LoadBgm(MonsterHouseTrack, MonsterHouseMusic, 1.0f, 0, 0, MonsterHouseLoopEnd);
  sound->SetBgmLoopForever(MonsterHouseTrack);
  sound->PlayBgm(MonsterHouseTrack);
  for (CCharacter* character : Game()->Characters.Walk()) {
    character->ClearHold();
    character->ClearDormant();
  }
}

// Once per arrival on the stairs: StartTurn makes the cell the previous one.
void PromptStairs() {
  const CCharacterPlayer* player = PlayingPlayer();
  if (player->x == player->prevX && player->y == player->prevY) return;
  if (PlayingStage()->IsStairs(player->GetX(), player->GetY()))
    GetGameInputController()->PushChild(NextFloorQuestion);
}

// The run stops at the first of its tests that holds; when none does, the
// player has taken its next step. Read top to bottom, as the runner looks.
bool RunStops(CCharacterPlayer& player, const CStageData& stage) {
  const int x = player.GetX(), y = player.GetY();
  const int dx = player.GetFacingDx(), dy = player.GetFacingDy();
  auto anyAround = [x, y](bool withCentre, auto test) {
    for (int ex = -1; ex <= 1; ++ex)
      for (int ey = -1; ey <= 1; ++ey)
        if ((withCentre || ex != 0 || ey != 0) && test(x + ex, y + ey)) return true;
    return false;
  };
  if (anyAround(true, [&](int cx, int cy) { return stage.GetRevealedItemAt(cx, cy) != nullptr; })) return true;
  if (anyAround(false, [&](int cx, int cy) { return stage.GetCharacterAt(cx, cy) != nullptr; })) return true;
  if (anyAround(true, [&](int cx, int cy) { return stage.IsStairs(cx, cy); })) return true;
  if (player.IsPoison() || player.IsConfuse() || player.IsStarving()) return true;

  auto isCorridor = [&](int cx, int cy) { return stage.GetTerrain(cx, cy) == TerrainCorridor; };
  if (stage.IsFloor(x, y) &&
      (isCorridor(x - 1, y) || isCorridor(x + 1, y) || isCorridor(x, y + 1) || isCorridor(x, y - 1)))
    return true;
  if (isCorridor(x, y)) {
    // A side opening: a neighbour across the facing that can be entered.
    static constexpr int Neighbours[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (const auto& n : Neighbours) {
      const int ex = n[0], ey = n[1];
      const bool across = ex == 0 ? dy == 0 : ey == 0 ? dx == 0 : (dx == -ex && dy == ey) || (dx == ex && dy == -ey);
      if (across && stage.CanStep(x, y, x + ex, y + ey, player.passesWalls)) return true;
    }
    // The corridor opens into a room ahead.
    if (stage.IsFloor(x + dx, y + dy)) return true;
  }
  return !player.StepForward();
}

// What the player finds at the end of a step: a running player only looks;
// otherwise the bag takes what it can. Traps are left to the trap state.
void PickUpAtPlayer() {
  const CCharacterPlayer* player = PlayingPlayer();
  CItem* item = PlayingStage()->GetItemAt(player->GetX(), player->GetY());
  if (!item || item->IsTrap()) return;
  if (Game()->AutoMove) {
    char name[ItemTextSize];
    ConsumePointerPresses();
    Game()->AutoMove = 0;
    ShowMessageWith(ThereIsText, item->GetNameWithCount(name, sizeof name));
    return;
  }
  TakeItemUnderPlayer();
}

}  // namespace

void TakeItemUnderPlayer() {
  CStageData* stage = PlayingStage();
  CCharacterPlayer* player = PlayingPlayer();
  const int x = player->GetX(), y = player->GetY();
  CItem* item = stage->GetItemAt(x, y);
  if (!item) return;
  char name[ItemTextSize];
  item->GetNameWithCount(name, sizeof name);
  // The bag may merge the item into a stack and free it: the picture of
  // the pick-up is copied first.
  const int countBefore = item->GetCount();
  CItem* picture = item->Clone();
  if (player->AddItem(item)) {
    GetSoundManager()->PlaySe(PickUpSound);
    CCharacterEffect::SpawnRisingItem(x, y, picture);
    stage->RemoveItemAt(x, y);
    ShowMessageWith(PickedUpText, name);
    return;
  }
  delete picture;
  GetGameInputMain()->ShowMessage(GetCurrentLanguageText(BagFullText));
  item->GetNameWithCount(name, sizeof name);
  AddMessageWith(ThereIsText, name);
  if (item->GetCount() < countBefore) {
    GetSoundManager()->PlaySe(PickUpSound);
    CCharacterEffect::SpawnRisingItem(x, y, item->Clone());
  }
}

// ---- MainNormal: the player's turn.

void CGameStateMainNormal::Enter() {
  if (!IsInPlay()) return;
  CGameMain* game = Game();
  CCharacterPlayer* player = PlayingPlayer();
  CheckMonsterHouse();
  PromptStairs();
  // The save image now holds the game as of this turn's start; a player
  // falling starts none: the run stays ended, or (for a resurrection) the
  // fatal turn's start stays the one to continue.
  if (player->hp > 0) {
    game->Settings.Block.GameInProgress = 1;
    game->Settings.Block.RandomState = GetRandomState();
    game->CaptureSaveImage();
  }
  if (player->IsSleep() || player->IsParalyze() || player->actionPoints < 2) {
    Controller()->ChangeState(StateEnemyMove);  // the turn is lost
    return;
  }
  if (!game->AutoMove) {
    // The play screen may take a command in this very frame.
    GetGameInputController()->Update();
    return;
  }
  if (RunStops(*player, *PlayingStage())) game->AutoMove = 0;
  ConsumePointerPresses();
}

void CGameStateMainNormal::Update() {
  if (!Game()->AutoMove) {
    UpdateWorld();  // the play screen changes to PlayerMove or PlayerAction itself
    return;
  }
  Controller()->ChangeState(StatePlayerMove);
  if (CCharacterPlayer* player = PlayingPlayer()) player->actionPoints = 0;
}

// ---- PlayerMove: the player's step, and everyone's moves with it.

void CGameStateMainNormalPlayerMove::Enter() {
  if (!IsInPlay()) return;
  // The player's own move has been made by its command.
  ForEachAlive([](CCharacter& c) { c.DecideMove(); });
  if (!Game()->AutoMove) {
    FrameCounter = 0;
    PlayingStage()->StartScroll();
    return;
  }
  FinishEverySteps();
  Controller()->Release();
}

void CGameStateMainNormalPlayerMove::Update() {
  UpdateWorld();
  if (++FrameCounter == PlayerStepFrames) Controller()->ChangeState(StateTrapAction);
}

void CGameStateMainNormalPlayerMove::Release() { Controller()->ChangeState(StateTrapAction); }

// The end of the step. A step cut short (by the player's death, or a quit)
// takes nothing and clears nothing.
void CGameStateMainNormalPlayerMove::Leave() {
  if (!IsInPlay() || Controller()->GetCurrentState() != GetStateMainNormalTrapAction()) return;
  if (CheckGoalItem()) return;
  PickUpAtPlayer();
  CheckMonsterHouse();
}

// ---- PlayerAction: the command holds the turn until its action ends.

void CGameStateMainNormalPlayerAction::Release() { Controller()->ChangeState(StateEnemyMove); }

// ---- TrapAction: the trap under the player.

void CGameStateMainNormalTrapAction::Enter() {
  if (!IsInPlay()) return;
  const CCharacterPlayer* player = PlayingPlayer();
  CItem* item = PlayingStage()->GetItemAt(player->GetX(), player->GetY());
  if (item && item->IsTrap()) {
    Game()->AutoMove = 0;
    ConsumePointerPresses();
    char name[ItemTextSize];
    item->GetNameWithCount(name, sizeof name);
    ShowMessageWith(TrapSprungText, name);
    item->SetRevealed(true);
    item->LayTrap();  // holds the turn for its effect, and may take the item away
    // A trap whose spring holds nothing must not stop the turn here.
    if (Controller()->GetCurrentState() == this && Controller()->GetHoldCount() == 0) Controller()->Release();
    return;
  }
  RunFloorEvent();
  Controller()->Release();
}

void CGameStateMainNormalTrapAction::Release() { Controller()->ChangeState(StateEnemyAction); }

// ---- EnemyMove: the others move after an action in place.

void CGameStateMainNormalEnemyMove::Enter() {
  if (!IsInPlay()) return;
  ForEachAlive([](CCharacter& c) { c.DecideMove(); });
  if (Game()->AutoMove) {
    FinishEverySteps();
    Controller()->Release();
    return;
  }
  CCharacterPlayer* player = PlayingPlayer();
  if (player->IsPoison() || player->satiety == 0) {
    // The player's state shows in a full move.
    FrameCounter = 0;
    PlayingStage()->StartScroll();
    return;
  }
  const CStageData* stage = PlayingStage();
  bool someoneWalksInView = false;
  ForEachAlive([&](CCharacter& c) {
    someoneWalksInView = someoneWalksInView ||
                         (&c != player && !c.IsHold() && !c.IsDormant() && !c.IsSleep() && !c.IsParalyze() &&
                          !c.IsInvisible() && c.moveStep == 0 && stage->IsOnScreen(c.GetX(), c.GetY()));
  });
  if (someoneWalksInView) {
    FrameCounter = 0;
    PlayingStage()->StartScroll();
  } else {
    // Nothing to watch: one frame, and the player's pose ends its frame.
    FrameCounter = EnemyMoveFrames - 1;
    player->animTick = 999;
  }
}

void CGameStateMainNormalEnemyMove::Update() {
  UpdateWorld();
  // Each release from here on lowers a pending hold, or moves on.
  if (++FrameCounter >= EnemyMoveFrames) Controller()->Release();
}

void CGameStateMainNormalEnemyMove::Release() { Controller()->ChangeState(StateEnemyAction); }

// ---- EnemyAction: one action at a time, always from the head of the list,
// so that a character with points left acts again before those after it.

void CGameStateMainNormalEnemyAction::Enter() {
  if (!IsInPlay()) return;
  for (CCharacter* character : Game()->Characters.Walk())
    if (character->alive && character->DecideAction()) return;  // it holds the turn while it acts
  Controller()->ChangeState(StateCleanUp);
}

// ---- CleanUp: the end of the turn.

void CGameStateMainNormalCleanUp::Enter() {
  if (!IsInPlay()) return;
  CheckMonsterHouse();
  PromptStairs();
  PlayingStage()->AdvanceTurn();
  ++Game()->Settings.Block.TurnCount;
  ForEachAlive([](CCharacter& c) { c.UpdateTurn(); });
  ForEachAlive([](CCharacter& c) { c.StartTurn(); });
  Controller()->ChangeState(StateMainNormal);
}
