#include "ui/CGameInputController.h"

CGameInputController* GetGameInputController() {
  static CGameInputController controller;
  return &controller;
}
