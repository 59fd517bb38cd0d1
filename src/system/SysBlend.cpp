#include "system/SysBlend.h"

void SysMakeLayerCurves(std::uint32_t argb, SysBlendRule rule, int layers, SysLayerCurves& out) {
  const int a = static_cast<int>(argb >> 24);
  for (int channel = 0; channel < 4; ++channel) {
    // Alpha takes a layer of full alpha (Over) and is kept by Add.
    const int c = channel == 0 ? 255 : static_cast<int>(argb >> (24 - 8 * channel) & 0xFFu);
    for (int v = 0; v < 256; ++v) {
      int d = v;
      if (channel > 0 || rule == SysBlendRule::Over)
        for (int n = 0; n < layers; ++n) d = SysBlendChannel(d, c, a, rule);
      out.Curve[channel][v] = static_cast<std::uint8_t>(d);
    }
  }
}

void SysApplyLayerCurves(const SysLayerCurves& curves, std::uint32_t* row, int count) {
  const auto& c = curves.Curve;
  for (int x = 0; x < count; ++x) {
    const std::uint32_t p = row[x];
    row[x] = static_cast<std::uint32_t>(c[0][p >> 24]) << 24 | static_cast<std::uint32_t>(c[1][p >> 16 & 0xFFu]) << 16 |
             static_cast<std::uint32_t>(c[2][p >> 8 & 0xFFu]) << 8 | c[3][p & 0xFFu];
  }
}
