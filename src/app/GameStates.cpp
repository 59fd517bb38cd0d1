#include "app/GameStates.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/CGameMain.h"
#include "app/GameStateSupport.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/TextCopy.h"

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

namespace {

// One presented frame: cleared to opaque black, `body` drawn, shown unless
// a pass suspended drawing.
void DrawFrame(void (*body)()) {
  DrawSuspended = 0;
  ClearTarget(0xFF000000u);
  if (!DrawSuspended) BeginScene();
  body();
  if (DrawSuspended) return;
  EndScene();
  if (Present() == RenderDeviceLost) CheckDeviceLost();
}

void FormatWith(char* line, std::size_t size, TextId id, const char* name) {
  const char* text = GetCurrentLanguageText(id);
  if (IsLiteralText(id)) {
    CopyTextCut(line, size, text);
    return;
  }
  char whole[512];
  std::snprintf(whole, sizeof whole, text, name);
  CopyTextCut(line, size, whole);
}

}  // namespace

// Pass 1 reaches no pixel: it lets the screens step what they draw in it.
void CGameStateTitle::Draw(int pass) {
  if (pass == 1) {
    DrawSuspended = 1;
    GetGameInputController()->DrawLayer(1);
    GetScreenEffect()->Draw();
    return;
  }
  if (pass != 0) return;
  DrawFrame([] {
    GetGameInputController()->DrawLayer(0);
    GetScreenEffect()->Draw();
  });
}

void CGameStateMain::UpdateWorld() {
  if (CStageData* stage = PlayingStage()) stage->Update();
  GetGameInputController()->Update();
  GetScreenEffect()->Update();
}

void CGameStateMain::Draw(int pass) {
  if (pass != 0) return;
  DrawFrame([] {
    DrawStageScreen();
    GetGameInputController()->Draw();
    GetScreenEffect()->Draw();
  });
}

void CGameStateMain::DrawScene() {
  DrawStageScreen();
  GetScreenEffect()->Draw();
  GetGameInputController()->Draw();
}

bool IsInPlay() { return PlayingStage() && PlayingPlayer(); }
CCharacterPlayer* PlayingPlayer() { return GetGameMain()->Player; }
CStageData* PlayingStage() { return GetGameMain()->CurrentStage; }

void ConsumePointerPresses() {
  std::int32_t* history = GetInput()->InputHistory[InputRowPointer];
  std::fill(history, history + InputHistoryLength, -1);
}

void RunFloorEvent() {
  if (!IsInPlay()) return;
  const CCharacterPlayer* player = PlayingPlayer();
  if (!PlayingStage()->OnTurnEvent(player->GetX(), player->GetY())) return;
  GetGameMain()->AutoMove = 0;
  ConsumePointerPresses();
}

void ShowMessageWith(TextId id, const char* name) {
  char line[CGameInputMain::MessageRowSize];
  FormatWith(line, sizeof line, id, name);
  GetGameInputMain()->ShowMessage(line);
}

void AddMessageWith(TextId id, const char* name) {
  char line[CGameInputMain::MessageRowSize];
  FormatWith(line, sizeof line, id, name);
  GetGameInputMain()->AddMessage(line);
}

void CGameStateLoading::DrawScene() {
  DrawSuspended = 1;
  SpriteDrawState.Colour = 0xFFFFFFFFu;
  SpriteDrawState.ColourMode = 0;
}
