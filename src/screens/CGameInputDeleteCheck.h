#pragma once
// The warning before NEW GAME gives up a suspended game: YES on the left,
// NO on the right, the cursor on NO. YES brings up the class selection on
// the title menu; NO or CANCEL hands straight back. It deletes nothing
// itself: the old run stays in "save" until the new run writes it.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputDeleteCheck : public CGameInput {
public:
  CGameInputDeleteCheck();
  ~CGameInputDeleteCheck() override = default;

  void Begin() override;
  void OnCovered() override { Phase = ScreenCovered; }
  void OnChildClosed() override { Phase = ScreenResuming; }
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void Update() override;
  void UpdateWidgets() override { QuestionWindow.Update(); }

  // The highlighted plate white, the other dim.
  void RefreshButtons();

  // YES was chosen and the screen fades to black.
  static constexpr std::int32_t PhaseLeaving = 4;

  CWidgetWindow QuestionWindow;
  CWidgetWindow YesButton;
  CWidgetWindow NoButton;

private:
  void ReadInput();
  void SwapHighlight(int row);
};

CGameInputDeleteCheck* GetGameInputDeleteCheck();
