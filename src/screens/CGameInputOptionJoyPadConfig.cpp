#include "screens/CGameInputOptionJoyPadConfig.h"

#include <cstdio>

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

using Config = CGameInputOptionJoyPadConfig;

constexpr int WindowX = 440, WindowY = 114, WindowWidth = 400, WindowHeight = 492;
constexpr int FirstRowY = 46, RowPitch = 40;
constexpr int AlignLeft = 6, AlignCentre = 10, AlignRight = 14;
constexpr TextId TitleText = 1208, DefaultText = 1256, BackText = 1257, NoButtonText = 1258;
constexpr TextId RowTexts[Config::BindingRows] = {1246, 1249, 1242, 1252, 1253, 1254, 1255, 1247, 1250};
constexpr int FirstChoiceRow = 7;  // binding rows 7 and 8 are the choice group

// A button byte reads down with its high bit.
bool IsDown(const std::uint8_t* buttons, int c) { return (buttons[c] & 0x80) != 0; }

int NewlyPressedButton(const CMyInput* input) {
  for (int c = 0; c < PadButtonCount; ++c)
    if (IsDown(input->PadState.Buttons, c) && !IsDown(input->PreviousPadState.Buttons, c)) return c;
  return -1;
}

bool IsChoiceRow(int matrixRow) { return matrixRow >= 11; }

}  // namespace

int FirstPadButton(int row) {
  if (row < 0 || row >= PadMatrixRows) return -1;
  for (int c = 0; c < PadButtonCount; ++c)
    if (GetInput()->PadBindingMatrix[row][c]) return c;
  return -1;
}

void BindPadButton(int row, int button) {
  CMyInput* input = GetInput();
  const bool choice = IsChoiceRow(row);
  const int old = FirstPadButton(row);

  // The other group's shown rows keep their first buttons through the
  // clearing below.
  int kept[Config::BindingRows];
  for (int k = 0; k < Config::BindingRows; ++k) kept[k] = FirstPadButton(Config::RowMatrixRows[k]);

  int owner = -1;
  for (int shown : Config::RowMatrixRows) {
    if (IsChoiceRow(shown) == choice && FirstPadButton(shown) == button) {
      owner = shown;
      break;
    }
  }
  if (owner >= 0)
    input->SetPadBinding(owner, old);
  else
    UnbindPadButton(old);
  while (FirstPadButton(row) >= 0) UnbindPadButton(FirstPadButton(row));
  for (int k = 0; k < Config::BindingRows; ++k)
    if (IsChoiceRow(Config::RowMatrixRows[k]) != choice) input->SetPadBinding(Config::RowMatrixRows[k], kept[k]);
  input->SetPadBinding(row, button);
}

void RestoreDefaultPadBindings() {
  for (int c = 0; c < PadButtonCount; ++c) UnbindPadButton(c);
  CMyInput* input = GetInput();
  const struct {
    int Row, Button;
  } defaults[] = {{13, PadA}, {14, PadB}, {0, PadB},  {1, PadA},     {2, PadY},
                  {3, PadX},  {4, PadLB}, {5, PadRB}, {6, PadStart}};
  for (const auto& d : defaults) input->SetPadBinding(d.Row, d.Button);
}

CGameInputOptionJoyPadConfig* GetGameInputOptionJoyPadConfig() {
  static CGameInputOptionJoyPadConfig screen;
  return &screen;
}

CGameInputOptionJoyPadConfig::CGameInputOptionJoyPadConfig() { BuildLayout(); }

void CGameInputOptionJoyPadConfig::BuildLayout() {
  LayOutFrame(WindowX, WindowY, WindowWidth, WindowHeight, 2.0f);
  CWidget* panel = &Panel;
  LayOutCaption(TitleLabel, panel, 20, 6, 360, 40, AlignCentre, GetCurrentLanguageText(TitleText));
  for (int k = 0; k < BindingRows; ++k) {
    const int y = FirstRowY + RowPitch * k;
    LayOutCaption(ActionLabels[k], panel, 20, y, 280, 40, AlignLeft, GetCurrentLanguageText(RowTexts[k]));
    LayOutCaption(ButtonLabels[k], panel, 300, y, 80, 40, AlignRight);
  }
  LayOutCaption(DefaultButton, panel, 20, FirstRowY + RowPitch * RowDefault, 360, 40, AlignLeft,
                GetCurrentLanguageText(DefaultText));
  LayOutCaption(BackButton, panel, 20, FirstRowY + RowPitch * RowBack, 360, 40, AlignLeft,
                GetCurrentLanguageText(BackText));
}

void CGameInputOptionJoyPadConfig::Begin() { Open(RowBack); }

void CGameInputOptionJoyPadConfig::OnCovered() {
  Phase = ScreenPaused;
  RefreshBindingLabels();
}

// An XInput pad's buttons by name; a bare DirectInput joystick's by number.
void CGameInputOptionJoyPadConfig::RefreshBindingLabels() {
  const CMyInput* input = GetInput();
  const bool joystickStyle = !input->PadConnected && input->JoystickRead;
  for (int k = 0; k < BindingRows; ++k) {
    const int button = FirstPadButton(RowMatrixRows[k]);
    if (joystickStyle) {
      char text[16];
      std::snprintf(text, sizeof text, "JOY%d", button);
      ButtonLabels[k].SetText(text);
    } else {
      ButtonLabels[k].SetText(GetCurrentLanguageText(NoButtonText + 1 + button));
    }
  }
  PlaceArrow(FirstRowY, RowPitch, Cursor);
  Arrow.SetVisible(Phase != PhaseCapture);
  // Only the chosen row is ever recoloured; leaving the capture always
  // passes here in phase 2, which makes it white again.
  if (Cursor >= 0 && Cursor < BindingRows) {
    const int blue = Phase == PhaseCapture ? 0 : 255;
    ActionLabels[Cursor].SetColour(255, 255, blue);
    ButtonLabels[Cursor].SetColour(255, 255, blue);
  }
}

void CGameInputOptionJoyPadConfig::UpdateWidgets() {
  Arrow.Update();
  Window.Update();
  for (int k = 0; k < BindingRows; ++k) {
    ActionLabels[k].Update();
    ButtonLabels[k].Update();
  }
  DefaultButton.Update();
  BackButton.Update();
}

bool CGameInputOptionJoyPadConfig::Persist() { return GetGameMain()->SaveKeyConfig(); }

void CGameInputOptionJoyPadConfig::StepActive() {
  CMyInput* input = GetInput();
  std::int32_t* select = input->InputHistory[InputRowSelect];
  std::int32_t* cancel = input->InputHistory[InputRowCancel];
  std::int32_t* pointer = input->InputHistory[InputRowPointer];
  if ((Cursor == RowBack && IsSelectTriggered()) || IsCancelTriggered()) {
    SwallowInput(select);
    SwallowInput(cancel);
    SwallowInput(pointer);
    PlayChoiceSound();
    Close();
  } else if (Cursor < BindingRows && IsSelectTriggered()) {
    SwallowInput(pointer);
    SwallowInput(select);
    PlayChoiceSound();
    Phase = PhaseCapture;
    RefreshBindingLabels();
  } else if (Cursor == RowDefault && (DefaultButton.IsJustPressed() || IsSelectTriggered())) {
    // A button held through the change must not act under its new meaning.
    SwallowInput(pointer);
    SwallowInput(select);
    SwallowInput(cancel);
    for (int action = 4; action <= 10; ++action) SwallowInput(input->InputHistory[InputRowFirstAction + action]);
    PlayChoiceSound();
    RestoreDefaultPadBindings();
    RefreshBindingLabels();
  } else if (input->IsUpTriggered() || input->IsDownTriggered()) {
    const bool up = input->IsUpTriggered();
    ConsumeInputTrigger(input->InputHistory[up ? InputRowUp : InputRowDown]);
    PlayChoiceSound();
    Cursor = (Cursor + (up ? RowCount - 1 : 1)) % RowCount;
    RefreshBindingLabels();
  }
}

// Only a pad button 0-9 or CANCEL ends the capture; a CANCEL that comes
// from a newly pressed pad button is bound like any other button.
void CGameInputOptionJoyPadConfig::StepOwnPhase() {
  if (Phase != PhaseCapture) return;
  CMyInput* input = GetInput();
  const int button = NewlyPressedButton(input);
  if (button >= 0) {
    BindPadButton(RowMatrixRows[Cursor], button);
    for (int action = 4; action <= 10; ++action) SwallowInput(input->InputHistory[InputRowFirstAction + action]);
    for (int action : {16, 17, 18}) SwallowInput(input->InputHistory[InputRowFirstAction + action]);
    SwallowInput(input->InputHistory[InputRowPointer]);
  } else if (IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowCancel]);
  } else {
    return;
  }
  PlayChoiceSound();
  Phase = ScreenActive;
  RefreshBindingLabels();
}

void CGameInputOptionJoyPadConfig::DrawLayer(int layer) {
  if (layer == 0) {
    BeginScreenSprites();
    CWidget* labels[2 * BindingRows + 3];
    int n = 0;
    // SELECT and CANCEL first, then the play rows, as the widgets were made.
    for (int k : {7, 8, 0, 1, 2, 3, 4, 5, 6}) {
      labels[n++] = &ActionLabels[k];
      labels[n++] = &ButtonLabels[k];
    }
    labels[n++] = &TitleLabel;
    labels[n++] = &DefaultButton;
    labels[n++] = &BackButton;
    Window.Draw();
    Arrow.Draw();
    for (CWidget* w : labels) w->Draw();
    for (CWidget* w : labels) w->DrawCaption();
    ResetDrawState();
  }
  if (Child) Child->DrawLayer(layer);
}
