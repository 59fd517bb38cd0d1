#include "app/GameStates.h"

#include "platform/CEffect.h"
#include "platform/Renderer.h"
#include "ui/CGameInputController.h"

#define VORLUMEN_STATE_ACCESSOR(Class, Accessor) \
  Class* Accessor() {                            \
    static Class state;                          \
    return &state;                               \
  }

VORLUMEN_STATE_ACCESSOR(CGameStateTitle, GetStateTitle)
VORLUMEN_STATE_ACCESSOR(CGameStateMain, GetStateMain)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalCleanUp, GetStateMainNormalCleanUp)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormal, GetStateMainNormal)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalPlayerAction, GetStateMainNormalPlayerAction)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalPlayerMove, GetStateMainNormalPlayerMove)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalTrapAction, GetStateMainNormalTrapAction)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalEnemyMove, GetStateMainNormalEnemyMove)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalEnemyAction, GetStateMainNormalEnemyAction)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalStageStart, GetStateMainNormalStageStart)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalStageEnd, GetStateMainNormalStageEnd)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalReturnToTitle, GetStateMainNormalReturnToTitle)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalGameOver, GetStateMainNormalGameOver)
VORLUMEN_STATE_ACCESSOR(CGameStateMainNormalClear, GetStateMainNormalClear)
VORLUMEN_STATE_ACCESSOR(CGameStateLoading, GetStateLoading)

#undef VORLUMEN_STATE_ACCESSOR

void CGameStateTitle::Update() {
  GetGameInputController()->Update();
  GetScreenEffect()->Update();
}

void CGameStateTitle::DrawScene() {
  GetGameInputController()->Draw();
  GetScreenEffect()->Draw();
}

// Pass 1 reaches no pixel: it lets the screens step what they draw in it.
void CGameStateTitle::Draw(int pass) {
  if (pass == 1) {
    DrawSuspended = 1;
    GetGameInputController()->DrawLayer(1);
    GetScreenEffect()->Draw();
    return;
  }
  if (pass != 0) return;
  DrawSuspended = 0;
  ClearTarget(0xFF000000u);
  if (!DrawSuspended) BeginScene();
  GetGameInputController()->DrawLayer(0);
  GetScreenEffect()->Draw();
  if (DrawSuspended) return;
  EndScene();
  if (Present() == RenderDeviceLost) CheckDeviceLost();
}

void CGameStateLoading::DrawScene() {
  DrawSuspended = 1;
  SpriteDrawState.Colour = 0xFFFFFFFFu;
  SpriteDrawState.ColourMode = 0;
}
