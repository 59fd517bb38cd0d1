#include "screens/CGameInputTitleConfigControlSetting.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int CaptionFont = 3;
constexpr int AlignCentre = 10;
constexpr PictureId WhiteFill = 10, SceneSheet = 11;
constexpr TextId TypeAText = 1224, TypeBText = 1225, OffText = 1227, OnText = 1228, BackText = 1202,
                 ControlTypeText = 1221, DirectionText = 1222, MoveText = 1223, AutoAttackText = 1226;

SaveBlock& Settings() { return GetGameMain()->Settings.Block; }

void LayOutText(CWidget& w, int x, int y, int width, int height, int boxWidth, TextId text) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 1.0f);
  w.SetCaptionBox(0, 0, boxWidth, 20, AlignCentre);
  UseCaptionFont(w, CaptionFont);
  if (text >= 0) w.SetText(GetCurrentLanguageText(text));
}

void LayOutPicture(CWidget& w, int x, int y, const CellSource& cell) {
  CWidget::SetLayout(w, x, y, 0, 0, cell, cell, cell, 1.0f);
}

void Shade(CWidget& w, bool chosen) {
  const int level = chosen ? 255 : 128;
  w.SetColour(level, level, level);
}

}  // namespace

CGameInputTitleConfigControlSetting* GetGameInputTitleConfigControlSetting() {
  static CGameInputTitleConfigControlSetting screen;
  return &screen;
}

CGameInputTitleConfigControlSetting::CGameInputTitleConfigControlSetting() { BuildLayout(); }

// The buttons' sizes are their click areas.
void CGameInputTitleConfigControlSetting::BuildLayout() {
  LayOutText(TypeAButton, 40, 340, 120, 20, 120, TypeAText);
  LayOutText(TypeBButton, 160, 340, 120, 20, 120, TypeBText);
  LayOutText(AutoAttackOffButton, 80, 410, 80, 20, 80, OffText);
  LayOutText(AutoAttackOnButton, 160, 410, 80, 20, 80, OnText);
  LayOutText(BackButton, 80, 440, 160, 20, 160, BackText);
  LayOutText(ControlTypeLabel, 0, 160, 0, 0, 320, ControlTypeText);
  LayOutPicture(ControlPicture, 170, 185, CellSource{SceneSheet, 380, 160, 100, 160});
  LayOutPicture(ControlOverlay, 170, 185, CellSource{SceneSheet, 380, 320, 100, 160});
  ControlOverlay.SetAlpha(96);
  LayOutText(UpperControlCaption, 70, 220, 0, 0, 120, -1);
  LayOutText(LowerControlCaption, 70, 295, 0, 0, 120, -1);
  LayOutPicture(UpperLeaderLine, 130, 228, CellSource{WhiteFill, 0, 0, 90, 2});
  LayOutPicture(LowerLeaderLine, 130, 303, CellSource{WhiteFill, 0, 0, 70, 2});
  UpperLeaderLine.SetColour(0, 0, 0);
  LowerLeaderLine.SetColour(0, 0, 0);
  LayOutText(AutoAttackLabel, 80, 380, 0, 0, 160, AutoAttackText);
}

void CGameInputTitleConfigControlSetting::Begin() {
  RefreshLabels();
  Phase = ScreenOpening;
}

// Values other than 0 and 1 read as TYPE B and ON until a click writes one.
void CGameInputTitleConfigControlSetting::RefreshLabels() {
  for (CWidget* w : {&TypeAButton, &TypeBButton, &AutoAttackOffButton, &AutoAttackOnButton, &BackButton,
                     &ControlTypeLabel, &ControlPicture, &ControlOverlay, &UpperControlCaption,
                     &LowerControlCaption, &AutoAttackLabel})
    w->SetVisible(true);
  const SaveBlock& s = Settings();
  const bool typeA = s.ControlType == 0;
  Shade(TypeAButton, typeA);
  Shade(TypeBButton, !typeA);
  UpperControlCaption.SetText(GetCurrentLanguageText(typeA ? DirectionText : MoveText));
  LowerControlCaption.SetText(GetCurrentLanguageText(typeA ? MoveText : DirectionText));
  const bool autoAttack = s.AutoAttack != 0;
  Shade(AutoAttackOffButton, !autoAttack);
  Shade(AutoAttackOnButton, autoAttack);
}

void CGameInputTitleConfigControlSetting::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    case ScreenActive: ReadClicks(); return;
    case ScreenClosing:
      if (!IsScreenFadeRunning()) Phase = ScreenClosed;
      return;
    case ScreenPaused:
      if (!IsScreenFadeRunning()) Phase = ScreenCovered;
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    default: return;
  }
}

// A click on a value already chosen writes it again and clicks all the same.
void CGameInputTitleConfigControlSetting::ReadClicks() {
  std::int32_t* pointer = GetInput()->InputHistory[InputRowPointer];
  SaveBlock& s = Settings();
  const struct {
    CWidget* Button;
    std::uint32_t* Field;
    std::uint32_t Value;
  } choices[] = {{&TypeAButton, &s.ControlType, 0},
                 {&TypeBButton, &s.ControlType, 1},
                 {&AutoAttackOffButton, &s.AutoAttack, 0},
                 {&AutoAttackOnButton, &s.AutoAttack, 1}};
  for (const auto& c : choices) {
    if (!c.Button->IsJustPressed()) continue;
    SwallowInput(pointer);
    *c.Field = c.Value;
    RefreshLabels();
    PlayChoiceSound();
    return;
  }
  if (BackButton.IsJustPressed()) {
    SwallowInput(pointer);
    PlayChoiceSound();
    if (Parent) Parent->OnChildClosed();
    Phase = ScreenClosed;
  }
}

void CGameInputTitleConfigControlSetting::Draw() {
  BeginScreenSprites();
  for (CWidget* w : {&ControlPicture, &ControlOverlay, &UpperLeaderLine, &LowerLeaderLine}) w->Draw();
  for (CWidget* w : {&TypeAButton, &TypeBButton, &AutoAttackOffButton, &AutoAttackOnButton, &BackButton,
                     &ControlTypeLabel, &UpperControlCaption, &LowerControlCaption, &AutoAttackLabel})
    w->DrawCaption();
  ResetDrawState();
  if (Child) Child->Draw();
}
