#include "ui/CGameInputController.h"

#include "ui/CGameInputMain.h"

CGameInputController::CGameInputController() { BuildLayout(); }

// The play screen's layout runs from here.
void CGameInputController::BuildLayout() { GetGameInputMain()->BuildLayout(); }

// The chain is empty until the first change the factory can serve.
void CGameInputController::DrawLayer(int layer) {
  if (Child) Child->DrawLayer(layer);
}

void CGameInputController::Draw() {
  if (Child) Child->Draw();
}

void CGameInputController::Update() {
  if (Child) Child->Update();
}

CGameInputController* GetGameInputController() {
  static CGameInputController controller;
  return &controller;
}
