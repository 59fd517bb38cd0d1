#pragma once
// The title's and the ending's scenery, the logo, the selection screens'
// backdrop, the controls picture and the start-up cards.
#include "art/Canvas.h"

// Picture 11's strips (x 0-139): clouds, sky, hills and ground, each
// repeating every 140 pixels across.
void PaintTitleLandscape(CCanvas& c);
// The 150 x 80 logo at (x, y).
void PaintLogo(CCanvas& c, int x, int y, bool japanese);
// The ending's sinking tower, dust and ground piece.
void PaintEndingPieces(CCanvas& c);
// The controls picture and its highlight (100 x 160 each).
void PaintControlsPicture(CCanvas& c);
// Picture 12: a landscape repeating every 512 pixels across.
void PaintSelectLandscape(CCanvas& c);
// The start-up cards, drawn at a quarter of their size.
void PaintStudioCard(CCanvas& c, int x, int y, int w, int h);
void PaintCreditCard(CCanvas& c, int x, int y, int w, int h, bool emblem);
