#pragma once
#include <cstdint>

// A bitmap font.
class CDrawString {
public:
  virtual ~CDrawString() = default;
  std::uint8_t ColourR = 255, ColourG = 255, ColourB = 255, ColourA = 255;
  float ScaleX = 1.0f, ScaleY = 1.0f;
};
