#include "screens/CGameInputTitleGameOver.h"

#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

namespace {

constexpr ScreenId TitleMenu = 2;
constexpr PictureId WhiteFill = 10, SceneSheet = 11;

}  // namespace

CGameInputTitleGameOver* GetGameInputTitleGameOver() {
  static CGameInputTitleGameOver screen;
  return &screen;
}

CGameInputTitleGameOver::CGameInputTitleGameOver() { BuildLayout(); }

// Laid out for a tall 320 x 480 frame whatever the layout.
void CGameInputTitleGameOver::BuildLayout() {
  const CellSource panel{WhiteFill, 0, 0, 320, 480};
  CWidget::SetLayout(Panel, 0, 0, 320, 480, panel, panel, panel, 1.0f);
  const CellSource card{SceneSheet, 0, 180, 80, 10};
  CWidget::SetLayout(CardPicture, 80, 230, 160, 20, card, card, card, 2.0f);
  Panel.SetColour(0, 0, 0);
}

void CGameInputTitleGameOver::Begin() {
  StartScreenFadeIn();
  Phase = ScreenOpening;
}

void CGameInputTitleGameOver::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (IsOpeningOver(*this)) Phase = ScreenActive;
      return;
    case ScreenActive:
      // Only the pointer closes the card; keys pass it by.
      if (Panel.IsJustPressed()) {
        SwallowInput(GetInput()->InputHistory[InputRowPointer]);
        StartScreenFadeOut();
        Phase = ScreenClosing;
      }
      return;
    case ScreenClosing:
      if (!IsScreenFadeRunning()) GetGameInputController()->ChangeChild(TitleMenu);
      return;
    default: return;
  }
}

void CGameInputTitleGameOver::Draw() {
  BeginScreenSprites();
  Panel.Draw();
  CardPicture.Draw();
  ResetDrawState();
  if (Child) Child->Draw();
}
