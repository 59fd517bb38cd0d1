#include "screens/CGameInputOptionKeyboardConfig.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/KeyNames.h"
#include "screens/TitleScreenKit.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int WindowWidth = 480, WindowHeight = 652;
constexpr int FirstRowY = 46, RowPitch = 40, OffWindowY = 1206;
constexpr int AlignLeft = 6, AlignCentre = 10, AlignRight = 14;
constexpr TextId TitleText = 1209, DefaultText = 1256, BackText = 1257, FirstDiagonalText = 1235;
constexpr TextId RowTexts[CGameInputOptionKeyboardConfig::BindingRows] = {1231, 1232, 1233, 1234, 1246, 1249, 1242,
                                                                          1252, 1253, 1254, 1255, 1247, 1250};
// What DEFAULT writes, in this order, each by the swap rule.
constexpr std::uint32_t DefaultKeys[CGameInputOptionKeyboardConfig::BindingRows] = {38, 40, 37, 39, 88, 90, 83,
                                                                                    65, 67, 68, 81, 90, 88};

// Keys a capture never takes: Pause, Caps Lock, the IME keys, Escape and
// the two Windows keys.
bool IsUnbindableKey(int code) {
  return code == 19 || code == 20 || code == 21 || code == 24 || code == 25 || (code >= 27 && code <= 31) ||
         code == 91 || code == 92;
}

}  // namespace

int FindNewlyPressedKey(const std::uint8_t* downNow, const std::uint8_t* downBefore) {
  constexpr int FirstCode = 8, LastCode = 111;
  for (int code = FirstCode; code <= LastCode; ++code)
    if (!IsUnbindableKey(code) && downNow[code] && !downBefore[code]) return code;
  return -1;
}

CGameInputOptionKeyboardConfig* GetGameInputOptionKeyboardConfig() {
  static CGameInputOptionKeyboardConfig screen;
  return &screen;
}

CGameInputOptionKeyboardConfig::CGameInputOptionKeyboardConfig() { BuildLayout(); }

void CGameInputOptionKeyboardConfig::BuildLayout() {
  const CGameMain* game = GetGameMain();
  LayOutFrame(game->GetScreenWidth() / 2 - WindowWidth / 2, game->GetScreenHeight() / 2 - WindowHeight / 2,
              WindowWidth, WindowHeight, 2.0f);
  CWidget* panel = &Panel;
  LayOutCaption(TitleLabel, panel, 20, 6, 440, 40, AlignCentre, GetCurrentLanguageText(TitleText));
  for (int r = 0; r < BindingRows; ++r) {
    const int y = FirstRowY + RowPitch * r;
    LayOutCaption(ActionLabels[r], panel, 20, y, 280, 40, AlignLeft, GetCurrentLanguageText(RowTexts[r]));
    LayOutCaption(KeyLabels[r], panel, 300, y, 160, 40, AlignRight);
  }
  for (int d = 0; d < 4; ++d) {
    LayOutCaption(DiagonalLabels[d], panel, 20, OffWindowY, 280, 40, AlignLeft,
                  GetCurrentLanguageText(FirstDiagonalText + d));
    LayOutCaption(DiagonalKeys[d], panel, 300, OffWindowY, 160, 40, AlignRight);
  }
  LayOutCaption(DefaultButton, panel, 20, FirstRowY + RowPitch * RowDefault, 440, 40, AlignLeft,
                GetCurrentLanguageText(DefaultText));
  LayOutCaption(BackButton, panel, 20, FirstRowY + RowPitch * RowBack, 440, 40, AlignLeft,
                GetCurrentLanguageText(BackText));
}

void CGameInputOptionKeyboardConfig::Begin() { Open(RowBack); }

void CGameInputOptionKeyboardConfig::OnCovered() {
  Phase = ScreenPaused;
  RefreshBindingLabels();
}

void CGameInputOptionKeyboardConfig::RefreshBindingLabels() {
  const CMyInput* input = GetInput();
  for (int r = 0; r < BindingRows; ++r) {
    // Cleared for every row: a key without a name shows nothing, never the
    // name of the row above.
    char name[KeyDisplayNameSize] = "";
    if (GetKeyDisplayName(input->KeyBindingTable[RowActions[r]], name) < 1) name[0] = '\0';
    KeyLabels[r].SetText(name);
  }
  for (int r = 0; r < BindingRows; ++r) {
    ActionLabels[r].SetColour(255, 255, 255);
    KeyLabels[r].SetColour(255, 255, 255);
  }
  for (int d = 0; d < 4; ++d) {
    DiagonalLabels[d].SetColour(255, 255, 255);
    DiagonalKeys[d].SetColour(255, 255, 255);
  }
  DefaultButton.SetColour(255, 255, 255);
  BackButton.SetColour(255, 255, 255);

  PlaceArrow(FirstRowY, RowPitch, Cursor);
  Arrow.SetVisible(Phase != PhaseCapture);
  if (Cursor >= 0 && Cursor < BindingRows && Phase == PhaseCapture) {
    ActionLabels[Cursor].SetColour(255, 255, 0);
    KeyLabels[Cursor].SetColour(255, 255, 0);
  }
}

void CGameInputOptionKeyboardConfig::UpdateWidgets() {
  Window.Update();
  Arrow.Update();
  for (int r = 0; r < BindingRows; ++r) {
    ActionLabels[r].Update();
    KeyLabels[r].Update();
  }
  for (int d = 0; d < 4; ++d) {
    DiagonalLabels[d].Update();
    DiagonalKeys[d].Update();
  }
  TitleLabel.Update();
  DefaultButton.Update();
  BackButton.Update();
}

bool CGameInputOptionKeyboardConfig::Persist() { return GetGameMain()->SaveKeyConfig(); }

// The pointer counts only on DEFAULT and BACK, and only while the cursor
// already stands on them.
void CGameInputOptionKeyboardConfig::StepActive() {
  CMyInput* input = GetInput();
  std::int32_t* select = input->InputHistory[InputRowSelect];
  std::int32_t* pointer = input->InputHistory[InputRowPointer];
  if ((Cursor == RowBack && (BackButton.IsJustPressed() || IsSelectTriggered())) || IsCancelTriggered()) {
    SwallowInput(select);
    SwallowInput(input->InputHistory[InputRowCancel]);
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
    SwallowInput(pointer);
    SwallowInput(select);
    PlayChoiceSound();
    // The rows without a screen row (11-16) change only by the swaps.
    for (int r = 0; r < BindingRows; ++r) input->SetKeyBinding(DefaultKeys[r], RowActions[r]);
    RefreshBindingLabels();
  } else if (input->IsUpTriggered() || input->IsDownTriggered()) {
    const bool up = input->IsUpTriggered();
    ConsumeInputTrigger(input->InputHistory[up ? InputRowUp : InputRowDown]);
    PlayChoiceSound();
    Cursor = (Cursor + (up ? RowCount - 1 : 1)) % RowCount;
    RefreshBindingLabels();
  }
}

// The scan comes before CANCEL, so the key bound to CANCEL is itself
// captured; only a CANCEL from the pad gives the capture up.
void CGameInputOptionKeyboardConfig::StepOwnPhase() {
  if (Phase != PhaseCapture) return;
  CMyInput* input = GetInput();
  const int code = FindNewlyPressedKey(input->KeySnapshot, input->PreviousKeySnapshot);
  if (code >= 0) {
    input->SetKeyBinding(static_cast<std::uint32_t>(code), RowActions[Cursor]);
    for (int action : RowActions) SwallowInput(input->InputHistory[InputRowFirstAction + action]);
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

void CGameInputOptionKeyboardConfig::DrawLayer(int layer) {
  if (layer == 0) {
    BeginScreenSprites();
    Window.Draw();
    Arrow.Draw();
    CWidget* labels[2 * BindingRows + 8 + 3];
    int n = 0;
    for (int r = 0; r < BindingRows; ++r) {
      labels[n++] = &ActionLabels[r];
      labels[n++] = &KeyLabels[r];
    }
    for (int d = 0; d < 4; ++d) {
      labels[n++] = &DiagonalLabels[d];
      labels[n++] = &DiagonalKeys[d];
    }
    labels[n++] = &TitleLabel;
    labels[n++] = &DefaultButton;
    labels[n++] = &BackButton;
    for (CWidget* w : labels) w->Draw();
    // Every caption above every frame.
    for (CWidget* w : labels) w->DrawCaption();
    ResetDrawState();
  }
  if (Child) Child->DrawLayer(layer);
}
