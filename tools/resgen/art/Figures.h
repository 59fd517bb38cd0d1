#pragma once
// The sheets of everything that moves: monster families (two to a sheet,
// three grades), the player classes, the weapons in the player's hands and
// the class portraits.
#include "art/Canvas.h"
#include "art/SheetTables.h"

// Monster sheets: resources 400-660 of the monster pictures.
bool IsMonsterResource(int resource);
CCanvas DrawMonsterSheet(int resource);
// One 40 x 40 frame of a family by name, for the contact sheet's preview.
CCanvas DrawMonsterFrame(const char* family, int grade, FrameRole role, int order, int row);

// Player class sheets: resources 210-290.
bool IsPlayerResource(int resource);
CCanvas DrawPlayerSheet(int resource);
// One 40 x 40 frame of class `playerClass` (0-8).
CCanvas DrawPlayerFrame(int playerClass, PlayerPose pose, int row);

// The weapon sheets of the player's companions and the thrown weapons:
// resources 201-204.
bool IsWeaponResource(int resource);
CCanvas DrawWeaponSheet(int resource);

// A 120 x 120 portrait of class `playerClass` at (x, y).
void PaintPortrait(CCanvas& c, int x, int y, int playerClass);
