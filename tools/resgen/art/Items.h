#pragma once
// The item sheet (picture 132): every item kind the game can make is drawn
// at the cell its own frame names, from its family and kind: blades by
// weapon kind, flasks by potion, gems by stone, and the metal of its name.
#include <string>
#include <vector>

#include "art/Canvas.h"

// One cell the item tables address, with what is drawn there.
struct ItemCell {
  int Id;  // the first item id that names the cell
  int Picture, X, Y, W, H;
  std::string Name;
};
// Every frame cell of every item the factory makes (floor and icon frames).
std::vector<ItemCell> ItemFrameCells();
// The 512 x 512 item sheet.
CCanvas DrawItemSheet();
// The 20 x 20 icon of one item id (empty for an id no kind has).
CCanvas DrawItemIcon(int id);
