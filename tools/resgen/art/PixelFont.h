#pragma once
// A 5 x 7 capital font for the words the pictures carry (the logo, labels
// of the contact sheet). Unknown characters draw as nothing but advance.
#include <string_view>

#include "art/Canvas.h"

constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 7;

// Width in pixels of the text at the scale (one blank column between letters).
int TextWidth(std::string_view text, int scale = 1);
// Draws the text with its top-left at (x, y), each font pixel scale x scale.
void DrawText(CCanvas& canvas, int x, int y, std::string_view text, Rgba colour, int scale = 1);
// The same with a one-pixel (scaled) shadow below and to the right.
void DrawTextShadowed(CCanvas& canvas, int x, int y, std::string_view text, Rgba colour, Rgba shadow, int scale = 1);
