#include "app/CGameState.h"

#include <cstdio>

#include "app/GameStates.h"
#include "system/SysPlatform.h"

CGameStateController* GetStateController() {
  static CGameStateController controller;
  return &controller;
}

CGameState* GameStateFromId(GameStateId id) {
  switch (id) {
    case 1: return GetStateTitle();
    case 2: return GetStateMain();
    case 3: return GetStateMainNormalCleanUp();
    case 4: return GetStateMainNormal();
    case 5: return GetStateMainNormalPlayerAction();
    case 6: return GetStateMainNormalPlayerMove();
    case 7: return GetStateMainNormalTrapAction();
    case 8: return GetStateMainNormalEnemyMove();
    case 9: return GetStateMainNormalEnemyAction();
    case 10: return GetStateMainNormalStageStart();
    case 11: return GetStateMainNormalStageEnd();
    case 12: return GetStateMainNormalReturnToTitle();
    case 13: return GetStateMainNormalGameOver();
    case 14: return GetStateMainNormalClear();
    case 19: return GetStateMain();
    default: return nullptr;
  }
}

void CGameStateController::Reset() {
  Current = nullptr;
  CurrentId = 0;
}

// Before the first state exists there is nothing to run or draw.
void CGameStateController::Update() {
  if (Current) Current->Update();
}

void CGameStateController::Draw(int pass) {
  if (Current) Current->Draw(pass);
}

void CGameStateController::DrawScene() {
  if (Current) Current->DrawScene();
}

void CGameStateController::ChangeState(GameStateId id) {
  CGameState* next = Resolve ? Resolve(id) : GameStateFromId(id);
  if (!next) {
    // Entering no state would leave the game with nothing to run.
    char line[64];
    std::snprintf(line, sizeof line, "ChangeState: no state %d\n", id);
    SysDebugOutput(line);
    return;
  }
  if (next == Current) return;
  CGameState* previous = Current;
  Current = next;
  if (previous) previous->Leave();
  // A Leave that changed the state itself has already entered its own.
  if (Current != next) return;
  CurrentId = id;
  next->Enter();
}

void CGameStateController::Hold() {
  ++HoldCount;
  if (Current) Current->Hold();
}

void CGameStateController::Release() {
  if (HoldCount > 0) --HoldCount;
  if (HoldCount == 0 && Current) Current->Release();
}
