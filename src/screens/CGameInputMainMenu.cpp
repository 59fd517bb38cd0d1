#include "screens/CGameInputMainMenu.h"

CGameInputMainMenu* GetGameInputMainMenu() {
  static CGameInputMainMenu menu;
  return &menu;
}
