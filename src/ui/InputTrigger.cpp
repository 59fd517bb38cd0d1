#include "ui/InputTrigger.h"

namespace {

bool IsTriggered(int row) {
  const CMyInput* input = GetInput();
  return input->Updated && HasPressEdge(input->InputHistory[row]);
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

void SwallowInput(std::int32_t* history) {
  for (int i = 0; i < InputHistoryLength; ++i) history[i] = -1;
}

void ConsumeInputTrigger(std::int32_t* history) {
  for (int i = 0; i < InputHistoryLength; ++i) history[i] = i < 11 ? 1 : -1;
}
