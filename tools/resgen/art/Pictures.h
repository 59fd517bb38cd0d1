#pragma once
// Which pictures of the resource module are drawn art, and drawing them.
// Every resource of the picture table that a screen, the floor or a sheet
// table addresses is drawn; the rest keep the labelled test pattern.
#include <vector>

#include "art/Canvas.h"

bool IsDrawnResource(int resource);
// The resources drawn, in the picture table's order.
std::vector<int> DrawnResources();
// The picture of a drawn resource at its texture size (size x size).
CCanvas DrawResource(int resource, int size);
