#pragma once
// Effects drawn on the floor: the wand's bolt, the staff's magic, ghost
// fire, the dragon's breath, the vampire's spell and the flames of fire on
// a cell (cells of the interface sheet, picture 7), and the five gas clouds
// of the traps (picture 14). Missiles point right; the effect turns them.
#include "art/Canvas.h"

void PaintInterfaceEffects(CCanvas& sheet);
CCanvas DrawBurstSheet();
