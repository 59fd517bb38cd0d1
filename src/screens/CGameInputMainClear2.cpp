#include "screens/CGameInputMainClear2.h"

#include "app/CGameState.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "screens/CGameInputMainClear1.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

namespace {

constexpr ScreenId TitleMenu = 2;
constexpr SoundEffectId ClearSound = 34;

}  // namespace

CGameInputMainClear2* GetGameInputMainClear2() {
  static CGameInputMainClear2 screen;
  return &screen;
}

void CGameInputMainClear2::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case PhaseStarting:
      GetSoundManager()->PlaySe(ClearSound);
      SwallowInput(GetInput()->InputHistory[InputRowPointer]);
      StartRunEndFade();
      Phase = PhaseFadingOut;
      return;
    case PhaseFadingOut:
      if (!IsScreenFadeRunning()) Phase = PhaseLeaving;
      return;
    case PhaseLeaving:
      // Once, whatever becomes of the hand-over.
      Phase = PhaseDone;
      RecordDungeonClear();
      GetGameInputController()->ChangeChild(TitleMenu);
      GetStateController()->ChangeState(StateTitle);
      return;
    default: return;
  }
}

void CGameInputMainClear2::Draw() {
  ResetDrawState();
  if (Child) Child->Draw();
}
