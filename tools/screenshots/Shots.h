#pragma once
// What the screenshot tool's two tours share: a frame of the game, a floor
// entered as going down enters it, and a picture of what the game draws.
#include <string>

#include "floors/StageIds.h"

class CGameMain;

// One frame as the main loop runs it, on a clock that always has one due.
void RunFrame(CGameMain& game);
// Replaces the run's floor by `id` and plays until the hero may act on it.
bool EnterFloor(CGameMain& game, StageId id);
// Writes what the game draws now as a PNG.
bool Photograph(const std::string& path);

// The in-dungeon menu's pages, one picture each as OUT/menu_PAGE.png; 0
// when every page was written.
int PhotographMenuPages(CGameMain& game, const std::string& out);
