#include "screens/CGameInputTitleLogo.h"

#include "app/CGameMain.h"
#include "platform/Renderer.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

CGameInputTitleLogo* GetGameInputTitleLogo() {
  static CGameInputTitleLogo screen;
  return &screen;
}

CGameInputTitleLogo::CGameInputTitleLogo() { BuildLayout(); }

void CGameInputTitleLogo::AcquirePictures() {
  if (HoldsPictures) return;
  LoadTexture(2, 132);
  LoadTexture(3, 133);
  HoldsPictures = true;
}

void CGameInputTitleLogo::ReleasePictures() {
  if (!HoldsPictures) return;
  ReleaseTexture(2);
  ReleaseTexture(3);
  HoldsPictures = false;
  ReturnFreedMemory();
}

void CGameInputTitleLogo::BuildLayout() {
  AcquirePictures();
  const CGameMain* game = GetGameMain();
  const int w = game->GetScreenWidth(), h = game->GetScreenHeight();

  // The 8 x 8 white fill repeated over 1000 x 1000 texels at scale 2.
  const CellSource white{10, 0, 0, 1000, 1000};
  CWidget::SetLayout(Backdrop, 0, 0, 0, 0, white, white, white, 2.0f);
  const CellSource first{3, 0, 0, 1024, 360};
  CWidget::SetLayout(FirstLogo, w / 2 - 512, h / 2 - 180, 1024, 360, first, first, first, 1.0f);
  const CellSource left{2, 0, 360, 480, 120};
  CWidget::SetLayout(SecondLogoLeft, w / 2 - w / 4 - 240, h / 2 - 60, 640, 160, left, left, left, 1.0f);
  const CellSource right{2, 0, 160, 480, 200};
  CWidget::SetLayout(SecondLogoRight, w / 4 + w / 2 - 240, h / 2 - 100, 640, 160, right, right, right, 1.0f);
}

void CGameInputTitleLogo::Begin() {
  AcquirePictures();
  Phase = FirstFadingIn;
  StartScreenFadeIn();
  FirstLogo.SetVisible(true);
  SecondLogoLeft.SetVisible(false);
  SecondLogoRight.SetVisible(false);
}

bool CGameInputTitleLogo::HoldEnds() {
  // A key that is down is enough: the logo takes nothing away from the
  // screen after it.
  CMyInput* input = GetInput();
  const bool ends = WaitCounter++ >= HoldFrames - 1 || IsInputHeld(input->InputHistory[InputRowSelect]) ||
                    IsInputHeld(input->InputHistory[InputRowCancel]);
  if (!ends) return false;
  WaitCounter = 0;
  StartScreenFadeOut();
  return true;
}

void CGameInputTitleLogo::Update() {
  if (Child) {
    Child->Update();
    return;
  }
  switch (Phase) {
    case FirstFadingIn:
    case SecondFadingIn:
      if (IsScreenFadeRunning()) return;
      WaitCounter = 0;
      ++Phase;
      return;
    case FirstHeld:
    case SecondHeld:
      if (HoldEnds()) ++Phase;
      return;
    case FirstFadingOut:
      if (IsScreenFadeRunning()) return;
      WaitCounter = 0;
      StartScreenFadeIn();
      FirstLogo.SetVisible(false);
      SecondLogoLeft.SetVisible(true);
      SecondLogoRight.SetVisible(true);
      Phase = SecondFadingIn;
      return;
    case SecondFadingOut:
      if (IsScreenFadeRunning()) return;
      WaitCounter = 0;
      Phase = Done;
      return;
    case Done:
      GetGameInputController()->ChangeChild(2);
      // Nothing after the logo shows its cards.
      ReleasePictures();
      return;
    default: return;
  }
}

void CGameInputTitleLogo::DrawLayer(int layer) {
  BeginScreenSprites();
  Backdrop.Draw();
  FirstLogo.Draw();
  SecondLogoLeft.Draw();
  SecondLogoRight.Draw();
  ResetDrawState();
  if (Child) Child->DrawLayer(layer);
}
