#pragma once
// One turn of the monsters, run as the turn states run it: every monster's
// move phase, the frames of the steps, the action phase (one action at a
// time, each until its holds are released), then the clean-up. Free of
// test frameworks, so the benchmarks drive monsters the same way.
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterList.h"
#include "floors/CStageData.h"

namespace monstertest {

inline bool IsActive(const CCharacter* c) { return c->alive && c->hp > 0; }

// Frames of the floor: every character's and effect's tick.
inline void RunFrames(int count) {
  CStageData* stage = GetGameMain()->CurrentStage;
  for (int i = 0; i < count; ++i) stage->Update();
}

// Frames until nothing holds the turn (at most `limit`).
inline void SettleHolds(int limit = 2000) {
  for (int i = 0; i < limit && GetStateController()->GetHoldCount() > 0; ++i) RunFrames(1);
}

inline void MovePhase() {
  for (CCharacter* c : GetGameMain()->Characters.Walk())
    if (IsActive(c)) c->DecideMove();
}

// Actions one at a time in list order, asking from the top again after each.
// The number of actions started.
inline int ActionPhase(int limit = 200) {
  int actions = 0;
  for (; actions < limit; ++actions) {
    bool acted = false;
    for (CCharacter* c : GetGameMain()->Characters.Walk()) {
      if (IsActive(c) && c->DecideAction()) {
        acted = true;
        break;
      }
    }
    if (!acted) break;
    SettleHolds();
  }
  return actions;
}

inline void CleanUp() {
  CCharacterList& list = GetGameMain()->Characters;
  for (CCharacter* c : list.Walk())
    if (IsActive(c)) c->UpdateTurn();
  for (CCharacter* c : list.Walk())
    if (IsActive(c)) c->StartTurn();
}

// The monsters' share of one turn; the player has made its move before.
inline int MonsterTurn() {
  MovePhase();
  RunFrames(8);
  SettleHolds();
  const int actions = ActionPhase();
  CleanUp();
  return actions;
}

}  // namespace monstertest
