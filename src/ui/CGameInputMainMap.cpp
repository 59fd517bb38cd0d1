#include "ui/CGameInputMainMap.h"

#include "floors/CStageData.h"
#include "platform/CMyInput.h"
#include "ui/InputTrigger.h"

CGameInputMainMap* GetGameInputMainMap() {
  static CGameInputMainMap screen;
  return &screen;
}

CGameInputMainMap::CGameInputMainMap() { BuildLayout(); }

void CGameInputMainMap::BuildLayout() {
  CWidget::SetLayout(PointerArea, 0, 0, 1280, 720, CellSource{}, CellSource{}, CellSource{}, 1.0f);
}

void CGameInputMainMap::Draw() {
  DrawFloorMapScreen();
  if (Child) Child->Draw();
}

void CGameInputMainMap::Update() {
  if (Child) {
    Child->Update();
    return;
  }
  if (IsRowHeld(InputRowMap)) return;
  if (Parent) Parent->SetChild(nullptr);
  // A press made over the map does not act on the play screen.
  SwallowInput(GetInput()->InputHistory[InputRowPointer]);
}
