#include "platform/FontSet.h"

const FontGlyphs FontSet[FontCount] = {
    {3, 6, 8, 117, 117, 704, 704, 608, 656, 4, 6, 8, 0, 0, 0},
    {6, 6, 8, 117, 117, 704, 656, 608, 656, 6, 6, 8, 0, 0, 0},
    {3, 8, 8, 117, 119, 704, 704, 0, 0, 4, 8, 8, 0, 0, 0},
    {6, 10, 10, 120, 121, 0, 0, 0, 0, 4, 9, 10, 0, 0, 0},
    {7, 12, 13, 122, 123, 0, 0, 0, 0, 5, 9, 12, 0, 0, 0},
    {7, 12, 13, 124, 125, 0, 0, 0, 0, 6, 11, 16, 0, 0, 0},
    {8, 14, 15, 126, 127, 0, 0, 0, 0, 6, 11, 16, 0, 0, 0},
    {8, 14, 15, 128, 129, 0, 0, 0, 0, 7, 13, 16, 0, 0, 0},
    {10, 10, 10, 130, 123, 0, 0, 0, 0, 8, 9, 10, 0, 0, 0},
    {10, 10, 10, 131, 125, 0, 0, 0, 0, 8, 9, 10, 0, 0, 0},
    {8, 8, 10, 117, 117, 160, 960, 160, 960, 6, 6, 10, 1, 1, 1},
    {8, 8, 10, 117, 117, 288, 960, 288, 960, 6, 6, 10, 1, -1, -1},
};

void ApplyFontSet(CDrawString (&fonts)[FontCount], bool trimming) {
  for (int i = 0; i < FontCount; ++i) {
    const FontGlyphs& f = FontSet[i];
    fonts[i].SetGlyphs(f.HalfCellWidth, f.FullCellWidth, f.CellHeight, f.HalfPicture, f.FullPicture,
                       f.HalfOriginX, f.HalfOriginY, f.FullOriginX, f.FullOriginY, f.HalfAdvance, f.FullAdvance,
                       f.LineHeight);
    if (trimming && f.Proportional) fonts[i].SetProportional(f.HalfSpacing, f.FullSpacing);
  }
}
