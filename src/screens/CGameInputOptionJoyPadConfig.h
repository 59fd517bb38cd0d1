#pragma once
// The pad bindings: nine actions and the button of each, then DEFAULT and
// BACK. SELECT on a row waits for the next pad button that goes down and
// binds it; within the row's group the button's old owner takes the row's
// former button. Bindings change in the input object at once; closing
// writes "keyconfig".
#include <cstdint>

#include "screens/CGameInputConfigDialog.h"

class CGameInputOptionJoyPadConfig : public CGameInputConfigDialog {
public:
  CGameInputOptionJoyPadConfig();
  ~CGameInputOptionJoyPadConfig() override = default;

  void Begin() override;
  void OnCovered() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void UpdateWidgets() override;
  void Refresh() override { RefreshBindingLabels(); }

  void RefreshBindingLabels();

  static constexpr int BindingRows = 9;
  static constexpr int RowDefault = 9, RowBack = 10, RowCount = 11;
  // Waiting for the button of the row under the cursor.
  static constexpr std::int32_t PhaseCapture = 7;
  // The pad-matrix row each binding row shows and binds: the seven play
  // actions, then SELECT and CANCEL.
  static constexpr int RowMatrixRows[BindingRows] = {0, 1, 2, 3, 4, 5, 6, 13, 14};

  CWidget TitleLabel;
  CWidget ActionLabels[BindingRows], ButtonLabels[BindingRows];
  CWidget DefaultButton, BackButton;

protected:
  void StepActive() override;
  void StepOwnPhase() override;
  bool Persist() override;
  const char* PersistName() const override { return "keyconfig"; }
};

CGameInputOptionJoyPadConfig* GetGameInputOptionJoyPadConfig();

// The lowest pad button (0-9) bound to pad-matrix row `row`; -1 for none.
int FirstPadButton(int row);
// Binds `button` alone to the shown row `row` (a row of RowMatrixRows). A
// shown row of the same group whose first button it was takes the row's
// former button; the shown rows of the other group keep their first
// buttons; the unnamed rows may lose theirs.
void BindPadButton(int row, int button);
// The factory buttons on the shown rows; the unnamed rows left empty,
// PageLeft and PageRight as they were.
void RestoreDefaultPadBindings();
