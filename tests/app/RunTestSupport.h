#pragma once
// What a test that started a run lets go of: the run's characters, player
// and floor, and the turn machine with every hold.
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "floors/CStageData.h"

namespace runtest {

inline void DropRun() {
  CGameMain* game = GetGameMain();
  game->Characters.DeleteAll();
  game->Player = nullptr;
  delete game->CurrentStage;
  game->CurrentStage = nullptr;
  GetStateController()->Reset();
  GetStateController()->ClearHolds();
}

}  // namespace runtest
