#include "platform/Random.h"
#include "ui/CGameInput.h"
#include "ui/CGameInputSelectWindow.h"

CGameInput* ScreenFromId(ScreenId id) {
  switch (id) {
    case 29: return GetGameInputSelectWindow();
    default: return nullptr;
  }
}

std::int32_t RandomDirection() {
  // Up-left, up, up-right, left, right, down-left, down, down-right.
  static constexpr std::int32_t Directions[8] = {5, 4, 6, 1, 2, 9, 8, 10};
  return Directions[Random() % 8];
}
