#pragma once
// The glyph parameters of the game's twelve fonts, all cut from the font
// atlas (picture 117) and its sub-pictures.
#include "platform/CDrawString.h"

constexpr int FontCount = 12;

struct FontGlyphs {
  int HalfCellWidth, FullCellWidth, CellHeight, HalfPicture, FullPicture;
  int HalfOriginX, HalfOriginY, FullOriginX, FullOriginY, HalfAdvance, FullAdvance, LineHeight;
  int Proportional, HalfSpacing, FullSpacing;
};

extern const FontGlyphs FontSet[FontCount];

// Gives each font its glyph parameters; with `trimming`, fonts 10 and 11
// become proportional with fresh margin tables.
void ApplyFontSet(CDrawString (&fonts)[FontCount], bool trimming);
