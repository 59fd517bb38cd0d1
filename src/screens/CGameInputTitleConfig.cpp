#include "screens/CGameInputTitleConfig.h"

#include <algorithm>
#include <cstdio>

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"

namespace {

constexpr ScreenId JoyPadScreen = 10, KeyboardScreen = 11;
constexpr int WindowX = 360, WindowY = 194, WindowWidth = 560, WindowHeight = 332;
constexpr int RowPitch = 40, FirstRowY = 6;
constexpr int AlignLeft = 6, AlignCentre = 10;
constexpr TextId BgmText = 1205, SeText = 1206, AutoAttackText = 1226, LanguageText = 1212,
                 ScreenSizeText = 1211, JoyPadText = 1208, KeyboardText = 1209, BackText = 1202;
constexpr TextId OffText = 1227, OnText = 1228, EnglishText = 1214, JapaneseText = 1213;
constexpr TextId FirstScaleText = 1215, FullscreenText = 1220;
constexpr int VolumeStep = 10, MaxVolume = 100, MaxWindowScale = 4;

SaveBlock& Settings() { return GetGameMain()->Settings.Block; }

int RowY(int row) { return FirstRowY + RowPitch * row; }

void LayOutArrow(CWidget& arrow, CWidget* panel, int x, int row) {
  const CellSource left{7, 260, 120, 10, 10}, right{7, 270, 120, 10, 10};
  const CellSource& cell = x < 400 ? left : right;
  CWidget::SetLayout(arrow, x, RowY(row), 40, 40, cell, cell, cell, 4.0f);
  arrow.Parent = panel;
}

void SetVolumeText(CWidget& w, int percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", percent);
  w.SetText(text);
}

}  // namespace

CGameInputTitleConfig* GetGameInputTitleConfig() {
  static CGameInputTitleConfig screen;
  return &screen;
}

CGameInputTitleConfig::CGameInputTitleConfig() { BuildLayout(); }

// Labels are fetched once, in the language of this moment; only the values
// that RefreshValues writes follow a later change of language.
void CGameInputTitleConfig::BuildLayout() {
  LayOutFrame(WindowX, WindowY, WindowWidth, WindowHeight, 4.0f);
  CWidget* panel = &Panel;
  const auto label = [&](CWidget& w, int row, TextId text, int width = 300) {
    LayOutCaption(w, panel, 20, RowY(row), width, 40, AlignLeft, GetCurrentLanguageText(text));
  };
  const auto value = [&](CWidget& w, int row, const char* text = "") {
    LayOutCaption(w, panel, 320, RowY(row), 220, 40, AlignCentre, text);
  };
  label(BgmLabel, RowBgm, BgmText);
  value(BgmValue, RowBgm);
  label(SeLabel, RowSe, SeText);
  value(SeValue, RowSe);
  label(AutoAttackLabel, RowAutoAttack, AutoAttackText);
  value(AutoAttackValue, RowAutoAttack);
  label(LanguageLabel, RowLanguage, LanguageText);
  value(EnglishValue, RowLanguage, GetCurrentLanguageText(EnglishText));
  value(JapaneseValue, RowLanguage, GetCurrentLanguageText(JapaneseText));
  label(ScreenSizeLabel, RowScreenSize, ScreenSizeText);
  value(ScreenSizeValue, RowScreenSize);
  label(JoyPadLabel, RowJoyPad, JoyPadText);
  label(KeyboardLabel, RowKeyboard, KeyboardText, 520);
  label(BackButton, RowBack, BackText, 520);

  const struct {
    CWidget *Left, *Right;
    int Row;
  } arrows[] = {{&BgmLeftArrow, &BgmRightArrow, RowBgm},
                {&SeLeftArrow, &SeRightArrow, RowSe},
                {&AutoAttackLeftArrow, &AutoAttackRightArrow, RowAutoAttack},
                {&LanguageLeftArrow, &LanguageRightArrow, RowLanguage}};
  for (const auto& a : arrows) {
    LayOutArrow(*a.Left, panel, 320, a.Row);
    LayOutArrow(*a.Right, panel, 500, a.Row);
  }
  for (CWidget* w : {&BgmLabel, &SeLabel, &AutoAttackLabel, &LanguageLabel, &ScreenSizeLabel, &JoyPadLabel,
                     &KeyboardLabel})
    w->SetColour(255, 255, 255);
}

void CGameInputTitleConfig::Begin() { Open(RowBack); }

void CGameInputTitleConfig::RefreshValues() {
  for (CWidget* w : {&BgmLabel, &BgmValue, &BgmLeftArrow, &BgmRightArrow, &SeLabel, &SeValue, &SeLeftArrow,
                     &SeRightArrow, &AutoAttackLabel, &AutoAttackValue, &AutoAttackLeftArrow,
                     &AutoAttackRightArrow, &LanguageLabel, &EnglishValue, &JapaneseValue, &LanguageLeftArrow,
                     &LanguageRightArrow, &ScreenSizeLabel, &ScreenSizeValue, &JoyPadLabel, &KeyboardLabel,
                     &BackButton})
    w->SetVisible(true);

  const CSoundManager* sound = GetSoundManager();
  SetVolumeText(BgmValue, sound->BgmMasterVolume);
  SetVolumeText(SeValue, sound->SeMasterVolume);
  PlaceArrow(BgmLabel.Y, BgmLabel.Height, Cursor);

  const SaveBlock& s = Settings();
  AutoAttackValue.SetText(GetCurrentLanguageText(s.AutoAttack == 1 ? OnText : OffText));
  EnglishValue.SetVisible(s.Language == 0);
  JapaneseValue.SetVisible(s.Language != 0);
  const int scale = static_cast<int>(std::min<std::uint32_t>(s.WindowScale, MaxWindowScale));
  ScreenSizeValue.SetText(GetCurrentLanguageText(s.Fullscreen ? FullscreenText : FirstScaleText + scale));
}

void CGameInputTitleConfig::UpdateWidgets() {
  Arrow.Update();
  Window.Update();
}

bool CGameInputTitleConfig::Persist() {
  CGameMain* game = GetGameMain();
  game->CaptureSaveImage();
  return game->WriteSaveFile();
}

// The first rule that applies takes the frame. A press no rule wants (SELECT
// on a value row, Left or Right on the last three) stays unused.
void CGameInputTitleConfig::StepActive() {
  CMyInput* input = GetInput();
  CSoundManager* sound = GetSoundManager();
  std::int32_t* left = input->InputHistory[InputRowLeft];
  std::int32_t* right = input->InputHistory[InputRowRight];
  const bool leftPressed = input->IsLeftTriggered(), rightPressed = input->IsRightTriggered();
  const int step = leftPressed ? -1 : rightPressed ? +1 : 0;
  std::int32_t* stepped = leftPressed ? left : right;
  SaveBlock& s = Settings();

  if ((Cursor == RowBack && IsSelectTriggered()) || IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    SwallowInput(input->InputHistory[InputRowCancel]);
    PlayChoiceSound();
    Close();
    return;
  }
  if (Cursor == RowBgm && step) {
    ConsumeInputTrigger(stepped);
    PlayChoiceSound();
    sound->SetBgmVolume(std::clamp(sound->BgmMasterVolume + step * VolumeStep, 0, MaxVolume));
    RefreshValues();
    return;
  }
  if (Cursor == RowSe && step) {
    ConsumeInputTrigger(stepped);
    sound->SeMasterVolume = std::clamp(sound->SeMasterVolume + step * VolumeStep, 0, MaxVolume);
    RefreshValues();
    // After the change, so that the click sounds at the new volume.
    PlayChoiceSound();
    return;
  }
  if (Cursor == RowAutoAttack && step) {
    ConsumeInputTrigger(stepped);
    PlayChoiceSound();
    s.AutoAttack = s.AutoAttack == 0 ? 1 : 0;
    RefreshValues();
    return;
  }
  if (Cursor == RowLanguage && step) {
    ConsumeInputTrigger(left);
    ConsumeInputTrigger(right);
    PlayChoiceSound();
    s.Language = s.Language != 0 ? 0 : 1;
    RefreshValues();
    return;
  }
  if ((Cursor == RowJoyPad || Cursor == RowKeyboard) && IsSelectTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    PlayChoiceSound();
    // The push covers this screen; it stays drawn beneath the bindings.
    GetGameInputController()->PushChild(Cursor == RowJoyPad ? JoyPadScreen : KeyboardScreen);
    return;
  }
  if (Cursor == RowScreenSize && step) {
    // Right is tested first: with both down, the size grows.
    const int sizeStep = rightPressed ? +1 : -1;
    ConsumeInputTrigger(rightPressed ? right : left);
    PlayChoiceSound();
    StepScreenSize(sizeStep);
    RefreshValues();
    return;
  }
  if (input->IsUpTriggered() || input->IsDownTriggered()) {
    const bool up = input->IsUpTriggered();
    ConsumeInputTrigger(input->InputHistory[up ? InputRowUp : InputRowDown]);
    PlayChoiceSound();
    Cursor = (Cursor + (up ? RowCount - 1 : 1)) % RowCount;
    RefreshValues();
  }
}

// x1 .. x5, FULLSCREEN, and round again; leaving full screen lands on x1
// going right and on x5 going left, whatever scale was kept.
void CGameInputTitleConfig::StepScreenSize(int step) {
  CGameMain* game = GetGameMain();
  const SaveBlock& s = Settings();
  const int scale = static_cast<int>(s.WindowScale);
  if (s.Fullscreen) {
    game->SetWindowScale(step > 0 ? 0 : MaxWindowScale);
    game->SetFullscreen(false);
  } else if (scale + step > MaxWindowScale || scale + step < 0) {
    game->SetFullscreen(true);
  } else {
    game->SetWindowScale(scale + step);
  }
  const int factor = static_cast<int>(s.WindowScale) + 1;
  ResizeWindowClient(game->GetScreenWidth() / 4 * factor, game->GetScreenHeight() / 4 * factor);
}

void CGameInputTitleConfig::DrawScreen() {
  BeginScreenSprites();
  Window.Draw();
  for (CWidget* w : {&SeLeftArrow, &SeRightArrow, &BgmLeftArrow, &BgmRightArrow, &AutoAttackLeftArrow,
                     &AutoAttackRightArrow, &LanguageLeftArrow, &LanguageRightArrow, &Arrow})
    w->Draw();
  for (CWidget* w : {&BgmLabel, &SeLabel, &AutoAttackLabel, &LanguageLabel, &EnglishValue, &JapaneseValue,
                     &BackButton, &BgmValue, &SeValue, &AutoAttackValue, &ScreenSizeLabel, &ScreenSizeValue,
                     &JoyPadLabel, &KeyboardLabel})
    w->DrawCaption();
  ResetDrawState();
}

void CGameInputTitleConfig::DrawLayer(int layer) {
  if (layer == 0) DrawScreen();
  if (Child) Child->DrawLayer(layer);
}

void CGameInputTitleConfig::Draw() {
  DrawScreen();
  if (Child) Child->Draw();
}
