#pragma once
// Blending worked out on pixels, as a GPU blends: each layer in exact
// arithmetic on 0-255 values, stored rounded to nearest. SDL's software
// blitter rounds down at every step instead, which over stacked layers
// loses a visible amount of a channel; what the software renderer blends
// itself goes through here so that its picture matches a GPU's.
#include <cstdint>

enum class SysBlendRule {
  Over,  // colour * a + target * (1 - a); alpha a + target alpha * (1 - a)
  Add,   // target + colour * a, at most 255; alpha kept
};

// One layer of colour channel c at alpha a over d.
constexpr int SysBlendChannel(int d, int c, int a, SysBlendRule rule) {
  if (rule == SysBlendRule::Add) {
    const int sum = d + (c * a + 127) / 255;
    return sum < 255 ? sum : 255;
  }
  return (c * a + d * (255 - a) + 127) / 255;
}

// What `layers` layers of the ARGB colour make of every value of each
// channel (alpha, red, green, blue).
struct SysLayerCurves {
  std::uint8_t Curve[4][256];
};
void SysMakeLayerCurves(std::uint32_t argb, SysBlendRule rule, int layers, SysLayerCurves& out);

// Each pixel of the 0xAARRGGBB row through the curves.
void SysApplyLayerCurves(const SysLayerCurves& curves, std::uint32_t* row, int count);
