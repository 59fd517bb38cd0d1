#pragma once
// The keyboard bindings: thirteen rows of an action and the name of its
// key, then DEFAULT and BACK. SELECT on a row waits for the next key that
// goes down and binds it; a key another action of the same group holds is
// swapped onto that action. Bindings change in the input object at once;
// closing writes "keyconfig".
#include <cstdint>

#include "screens/CGameInputConfigDialog.h"

class CGameInputOptionKeyboardConfig : public CGameInputConfigDialog {
public:
  CGameInputOptionKeyboardConfig();
  ~CGameInputOptionKeyboardConfig() override = default;

  void Begin() override;
  void OnCovered() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void UpdateWidgets() override;
  void Refresh() override { RefreshBindingLabels(); }

  void RefreshBindingLabels();

  static constexpr int BindingRows = 13;
  static constexpr int RowDefault = 13, RowBack = 14, RowCount = 15;
  // Waiting for the key of the row under the cursor.
  static constexpr std::int32_t PhaseCapture = 7;
  // The input action each binding row shows and binds.
  static constexpr int RowActions[BindingRows] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18};

  CWidget TitleLabel;
  // The action and key labels in binding-row order; the four diagonal
  // pairs below them lie off the window on this layout and show no key.
  CWidget ActionLabels[BindingRows], KeyLabels[BindingRows];
  CWidget DiagonalLabels[4], DiagonalKeys[4];
  CWidget DefaultButton, BackButton;

protected:
  void StepActive() override;
  void StepOwnPhase() override;
  bool Persist() override;
  const char* PersistName() const override { return "keyconfig"; }
};

CGameInputOptionKeyboardConfig* GetGameInputOptionKeyboardConfig();

// The key capture's choice among the keys that went down this frame: the
// lowest code of 8-111 down now and up the frame before, leaving out the
// keys that cannot be bound (Pause, Caps Lock, the IME keys, Escape and the
// Windows keys); -1 when there is none.
int FindNewlyPressedKey(const std::uint8_t* downNow, const std::uint8_t* downBefore);
