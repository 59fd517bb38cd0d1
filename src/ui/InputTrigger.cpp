#include "ui/InputTrigger.h"

namespace {

bool IsTriggered(int row) {
  const CMyInput* input = GetInput();
  return input->Updated && HasPressEdge(input->InputHistory[row]);
}

int LowestPadButton(int action) {
  const std::uint8_t* row = GetInput()->PadBindingMatrix[action - 4];
  for (int button = 0; button < PadButtonCount; ++button)
    if (row[button] == 1) return button;
  return -1;
}

}  // namespace

bool HasPressEdge(const std::int32_t* history) {
  constexpr int Newest = 11, Behind = 10;
  for (int i = 0; i < Newest; ++i) {
    if (history[i] == -1) return false;
    if (history[i] != 1) continue;
    for (int j = i + 1; j <= i + Behind; ++j) {
      if (history[j] == 0) return true;
      if (history[j] == -1) return false;
    }
  }
  return false;
}

bool IsInputHeld(const std::int32_t* history) { return GetInput()->Updated && history[0] > 0; }

bool IsPointerTriggered() { return IsTriggered(InputRowPointer); }
bool IsAttackTriggered() { return IsTriggered(InputRowAttack); }
bool IsAttackHeld() { return IsInputHeld(GetInput()->InputHistory[InputRowAttack]); }
bool IsSelectTriggered() { return IsTriggered(InputRowSelect); }
bool IsCancelTriggered() { return IsTriggered(InputRowCancel); }
bool IsMenuTriggered() { return IsTriggered(InputRowMenu); }
bool IsShootTriggered() { return IsTriggered(InputRowShoot); }
bool IsPageLeftTriggered() { return IsTriggered(InputRowPageLeft); }
bool IsPageRightTriggered() { return IsTriggered(InputRowPageRight); }
bool IsSelectHeld() { return IsRowHeld(InputRowSelect); }
bool IsCancelHeld() { return IsRowHeld(InputRowCancel); }
bool IsRowHeld(int row) { return IsInputHeld(GetInput()->InputHistory[row]); }

void ConsumePointerPress() {
  std::int32_t& newest = GetInput()->InputHistory[InputRowPointer][0];
  if (newest == 1) newest = 2;
}

void SwallowInput(std::int32_t* history) {
  for (int i = 0; i < InputHistoryLength; ++i) history[i] = -1;
}

void ConsumeInputTrigger(std::int32_t* history) {
  for (int i = 0; i < InputHistoryLength; ++i) history[i] = i < 11 ? 1 : -1;
}

int GetPadButtonForAttack() { return LowestPadButton(InputActionAttack); }
int GetPadButtonForDash() { return LowestPadButton(InputActionDash); }
int GetPadButtonForMenu() { return LowestPadButton(InputActionMenu); }
int GetPadButtonForDirection() { return LowestPadButton(InputActionDirection); }
int GetPadButtonForShoot() { return LowestPadButton(InputActionShoot); }
int GetPadButtonForDiagonalMove() { return LowestPadButton(InputActionDiagonalMove); }
int GetPadButtonForMap() { return LowestPadButton(InputActionMap); }
int GetPadButtonForSelect() { return LowestPadButton(InputActionSelect); }
int GetPadButtonForCancel() { return LowestPadButton(InputActionCancel); }
