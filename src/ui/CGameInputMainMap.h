#pragma once
// The floor map over the whole screen, for as long as MAP is held. The play
// screen pushes it and forwards its frames to it, so no command reaches the
// player meanwhile; it removes itself in the first frame MAP is up.
#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputMainMap : public CGameInput {
public:
  CGameInputMainMap();
  void BuildLayout() override;
  void DrawLayer(int layer) override {
    if (layer == 0) Draw();
  }
  void Draw() override;
  void Update() override;

  // The touch layouts' area; this layout never tests it.
  CWidget PointerArea;
};

CGameInputMainMap* GetGameInputMainMap();
