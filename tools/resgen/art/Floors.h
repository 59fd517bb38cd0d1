#pragma once
// The floor's pictures: each area's 512 x 512 tile sheet, cut by the floor
// drawing's tile rules (walls by their wall neighbours, room floor by its
// floorlike neighbours, corridors and doorways, the stairs mark, the water
// strip, the mining points and the disguise poses), and the ground layers
// drawn under it.
#include <vector>

#include "art/Canvas.h"

// The resource ids of the area tile sheets.
const std::vector<int>& AreaResources();
// The area's tile sheet at 512 x 512.
CCanvas DrawAreaSheet(int resource);
// The ground (base layer and background) pictures 130 and 361-367.
bool IsGroundResource(int resource);
CCanvas DrawGround(int resource, int size);

// Where the tile rules cut: every source rectangle of an area sheet that
// the floor, the menu's foot cell and the mining points address.
struct TileCell {
  int X, Y, W, H;
  const char* Role;
};
const std::vector<TileCell>& AreaTileCells();

// A small made-up floor drawn with the tile rules, for the contact sheet:
// walls, a room, a corridor with doorways, stairs, water and mining points.
CCanvas DrawFloorPreview(int resource, int columns, int rows);
