#pragma once
// Effects drawn on the floor, at the cells of the game's own effect table:
// thrown weapons, the kunai and the arrow (pictures 135, 136), the wand's
// bolt, the staff's magic, the flying fires and the flames of fire on a
// cell (picture 7) and the traps' gas clouds (picture 14), each in every
// facing row the table lays under it.
#include "art/Canvas.h"

void PaintInterfaceEffects(CCanvas& sheet);
CCanvas DrawBurstSheet();
// The thrown weapons on picture 136, the kunai and the arrow on 135.
void PaintWeaponEffects(CCanvas& sheet, int picture);
