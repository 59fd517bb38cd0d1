#pragma once
// The states of the game's flow. The turn runs MainNormal (the player's
// turn) -> PlayerMove or PlayerAction -> TrapAction -> EnemyMove ->
// EnemyAction -> CleanUp (TurnStates.cpp); around it lie the floor's start
// and end, the end of a run and the title (FloorTransitions.cpp).
#include <cstdint>

#include "app/CGameState.h"

class CGameInput;

// The title and menu screens.
class CGameStateTitle : public CGameState {
public:
  void Update() override;
  void Draw(int pass) override;
  void DrawScene() override;
};

// The in-dungeon states share this base: the floor with the screens over
// it, a frame counter of their own, and the goal check that ends a step.
class CGameStateMain : public CGameState {
public:
  void Draw(int pass) override;
  void DrawScene() override;
  // Takes the goal item under the player and clears the dungeon; true when
  // the step ended the dungeon.
  virtual bool CheckGoalItem();
  std::uint32_t FrameCounter = 0;

protected:
  // One frame of the floor, the screen chain and the screen effect.
  void UpdateWorld();
};

// ---- The turn.

// The player's turn: waits for a command, or runs.
class CGameStateMainNormal : public CGameStateMain {
public:
  void Enter() override;
  void Update() override;
};

// The player's step, with everyone's moves, over 8 frames.
class CGameStateMainNormalPlayerMove : public CGameStateMain {
public:
  void Enter() override;
  void Update() override;
  void Release() override;
  void Leave() override;
};

// The player acts in place; the command holds the turn until the action ends.
class CGameStateMainNormalPlayerAction : public CGameStateMain {
public:
  void Update() override { UpdateWorld(); }
  void Release() override;
};

// The trap under the player springs, or the floor's event fires.
class CGameStateMainNormalTrapAction : public CGameStateMain {
public:
  void Enter() override;
  void Update() override { UpdateWorld(); }
  void Release() override;
};

// The others move after an action in place, or while the player cannot act.
class CGameStateMainNormalEnemyMove : public CGameStateMain {
public:
  void Enter() override;
  void Update() override;
  void Release() override;
};

// The others act one by one, each holding the turn while it acts.
class CGameStateMainNormalEnemyAction : public CGameStateMain {
public:
  void Enter() override;
  void Update() override { UpdateWorld(); }
  void Release() override { Enter(); }
};

// The end of a turn; it is never current during a frame.
class CGameStateMainNormalCleanUp : public CGameStateMain {
public:
  void Enter() override;
};

// ---- Around the turn.

// Arrival on a floor: the floor's title card, its music, and "save".
class CGameStateMainNormalStageStart : public CGameStateMain {
public:
  void Enter() override;
  void Update() override;
  void Release() override;

private:
  // The card's phase; without a card every phase counts as reached.
  int CardPhase() const;
  CGameInput* Card = nullptr;
};

// Leaving by the stairs: a fade to black, then the next floor.
class CGameStateMainNormalStageEnd : public CGameStateMain {
public:
  void Enter() override;
  void Update() override;
  void Release() override;
};

// Quitting to the title: the in-game menu's fade runs here.
class CGameStateMainNormalReturnToTitle : public CGameStateMain {
public:
  void Update() override { UpdateWorld(); }
};

// The player died: the run ends and enters the rankings.
class CGameStateMainNormalGameOver : public CGameStateMain {
public:
  void Enter() override;
  void Update() override { UpdateWorld(); }
  void Release() override;
};

// The dungeon was cleared: the music stops while the clear screens run.
// The frame counter keeps the track that was playing.
class CGameStateMainNormalClear : public CGameStateMain {
public:
  void Enter() override;
  void Update() override { UpdateWorld(); }
  void Leave() override;
  void Release() override;
};

// The scene shown while start-up loads; it has no id.
class CGameStateLoading : public CGameState {
public:
  void DrawScene() override;
};

CGameStateTitle* GetStateTitle();
CGameStateMain* GetStateMain();
CGameStateMainNormalCleanUp* GetStateMainNormalCleanUp();
CGameStateMainNormal* GetStateMainNormal();
CGameStateMainNormalPlayerAction* GetStateMainNormalPlayerAction();
CGameStateMainNormalPlayerMove* GetStateMainNormalPlayerMove();
CGameStateMainNormalTrapAction* GetStateMainNormalTrapAction();
CGameStateMainNormalEnemyMove* GetStateMainNormalEnemyMove();
CGameStateMainNormalEnemyAction* GetStateMainNormalEnemyAction();
CGameStateMainNormalStageStart* GetStateMainNormalStageStart();
CGameStateMainNormalStageEnd* GetStateMainNormalStageEnd();
CGameStateMainNormalReturnToTitle* GetStateMainNormalReturnToTitle();
CGameStateMainNormalGameOver* GetStateMainNormalGameOver();
CGameStateMainNormalClear* GetStateMainNormalClear();
CGameStateLoading* GetStateLoading();
