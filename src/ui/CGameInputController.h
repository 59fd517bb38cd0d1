#pragma once
// The root of the screen chain. The game states update and draw the chain
// through it once per frame.
#include "ui/CGameInput.h"

class CGameInputController : public CGameInput {
public:
  CGameInputController();
  ~CGameInputController() override = default;

  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override;
  void Update() override;
};

CGameInputController* GetGameInputController();
