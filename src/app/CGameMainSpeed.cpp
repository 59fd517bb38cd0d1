#include "app/CGameMain.h"

void CGameMain::SetGameSpeed(int value) {
  if (value > 4) value = 4;
  if (value < 1) value = 0;
  Settings.Block.GameSpeed = static_cast<std::uint32_t>(value);
}
