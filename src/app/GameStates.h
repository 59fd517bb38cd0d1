#pragma once
#include <cstdint>

#include "app/CGameState.h"

// The title and menu screens.
class CGameStateTitle : public CGameState {
public:
  void Update() override;
  void Draw(int pass) override;
  void DrawScene() override;
};

// The in-dungeon states share this base and its frame counter.
class CGameStateMain : public CGameState {
public:
  virtual void CheckGoalItem() {}
  std::uint32_t FrameCounter = 0;
};

class CGameStateMainNormalCleanUp : public CGameStateMain {};
class CGameStateMainNormal : public CGameStateMain {};
class CGameStateMainNormalPlayerAction : public CGameStateMain {};
class CGameStateMainNormalPlayerMove : public CGameStateMain {};
class CGameStateMainNormalTrapAction : public CGameStateMain {};
class CGameStateMainNormalEnemyMove : public CGameStateMain {};
class CGameStateMainNormalEnemyAction : public CGameStateMain {};
class CGameStateMainNormalStageStart : public CGameStateMain {};
class CGameStateMainNormalStageEnd : public CGameStateMain {};
class CGameStateMainNormalReturnToTitle : public CGameStateMain {};
class CGameStateMainNormalGameOver : public CGameStateMain {};
class CGameStateMainNormalClear : public CGameStateMain {};

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
