#pragma once
// The banner on arrival on a floor: black, the floor's name in a window
// growing in the upper middle, the black fading away, the window closing.
// It takes no input. The stage-start state reads its phase word and writes
// 4 once the floor is ready to be shown.
#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputStageStart : public CGameInput {
public:
  // The banner's own steps, not the shared screen phases.
  enum : int {
    PhaseGrowing = 0,
    PhaseNameShown = 3,  // 1 and 2 last a frame each before it
    PhaseFading = 4,     // written by the stage-start state
    PhaseShrinking = 5,
    PhaseFinished = 6,
  };
  static constexpr int NameCapacity = 64;

  CGameInputStageStart();
  void Begin() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Update() override;
  void UpdateWidgets() override { NameWindow.Update(); }

  void ShowFloorName();

  CWidget Backdrop;
  CWidgetWindow NameWindow;

private:
  // The window's width for `name`: the caption font's width plus a margin,
  // at the window's scale.
  int TargetWidth(const char* name);
};

CGameInputStageStart* GetGameInputStageStart();
