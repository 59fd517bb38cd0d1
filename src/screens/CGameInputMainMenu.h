#pragma once
// The in-dungeon menu: items, crafting, the recipe book, status and the way
// back to the title.
#include <cstdint>

#include "ui/CGameInput.h"

class CGameInputMainMenu : public CGameInput {
public:
  // The tutorial's lesson: 0 outside the tutorial; the tutorial floor writes
  // 1-4 each frame of a lesson, and the menu allows only that lesson's pages.
  std::uint32_t TutorialStep = 0;
};

CGameInputMainMenu* GetGameInputMainMenu();
