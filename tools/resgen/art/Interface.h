#pragma once
// The screens' pictures: the interface sheet (picture 7: slots, cursors,
// arrows, tabs, bars, map markers, the world map), the four window frame
// sets, the title's landscape and logo (picture 11), the selection screens'
// backdrop (12), the class portraits (13), the start-up cards (2, 3) and
// the touch layout's stat icons (8).
#include "art/Canvas.h"

CCanvas DrawInterfaceSheet();
// Resources 1000-1003, 1010-1013, 1020-1023, 1030-1033: backdrop, band,
// column and corner of a window frame set, 16 x 16 each.
bool IsFrameResource(int resource);
CCanvas DrawFramePicture(int resource);
CCanvas DrawTitleSheet();
CCanvas DrawSelectBackdrop();
CCanvas DrawPortraits();
// Resource 132 (512) and 133 (1024).
CCanvas DrawLogoCard(int resource, int size);
CCanvas DrawStatIcons();
