// Blending as a GPU does it: every layer exact, stored rounded to nearest,
// checked against the same sums in floating point.
#include <gtest/gtest.h>

#include <cmath>

#include "system/SysBlend.h"

namespace {

int Reference(int d, int c, int a, SysBlendRule rule, int layers) {
  double v = d;
  for (int n = 0; n < layers; ++n) {
    const double blended = rule == SysBlendRule::Over ? (c * a + v * (255 - a)) / 255.0 : v + std::round(c * a / 255.0);
    v = std::min(255.0, std::round(blended));
  }
  return static_cast<int>(v);
}

TEST(SysBlend, EveryLayerIsExactAndRoundedToNearest) {
  const struct {
    std::uint32_t Argb;
    SysBlendRule Rule;
    int Layers;
  } cases[] = {
      {0x04404020u, SysBlendRule::Add, 12},   // a faint additive gradient: 32 * 4 / 255 still adds 1
      {0x80000000u, SysBlendRule::Over, 1},   // a half shade
      {0x96000000u, SysBlendRule::Over, 1},   // a fade
      {0x20FF8010u, SysBlendRule::Over, 24},  // many thin layers
      {0xFFFFFFFFu, SysBlendRule::Add, 3},    // saturates
      {0x00123456u, SysBlendRule::Over, 5},   // no alpha: nothing changes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Argb << std::dec << " x" << c.Layers);
    SysLayerCurves curves;
    SysMakeLayerCurves(c.Argb, c.Rule, c.Layers, curves);
    const int a = static_cast<int>(c.Argb >> 24);
    for (int v = 0; v < 256; ++v) {
      for (int channel = 1; channel < 4; ++channel)
        ASSERT_EQ(curves.Curve[channel][v], Reference(v, static_cast<int>(c.Argb >> (24 - 8 * channel) & 0xFFu), a, c.Rule, c.Layers))
            << "channel " << channel << " from " << v;
      ASSERT_EQ(curves.Curve[0][v], c.Rule == SysBlendRule::Add ? v : Reference(v, 255, a, c.Rule, c.Layers)) << "alpha from " << v;
    }
  }
}

TEST(SysBlend, ARowTakesEachChannelThroughItsCurve) {
  SysLayerCurves curves;
  SysMakeLayerCurves(0x04404020u, SysBlendRule::Add, 12, curves);
  std::uint32_t row[2] = {0xFF202020u, 0x80FFFFF0u};
  SysApplyLayerCurves(curves, row, 2);
  EXPECT_EQ(row[0], 0xFF2C2C2Cu);
  EXPECT_EQ(row[1], 0x80FFFFFCu);
}

}  // namespace
