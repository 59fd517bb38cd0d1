#pragma once
// A real renderer on SDL's software renderer (no display needed), pictures
// made in the test, and pixel read-back from the back buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/Renderer.h"
#include "system/SysPlatform.h"

namespace rendertest {

constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu, White = 0xFFFFFFFFu;
constexpr std::uint32_t Black = 0xFF000000u, Clear = 0x00000000u;

// Resource 130 (picture 0, 32 x 32): quadrants red | green over blue | white.
// Resource 361 (picture 32, 32 x 32): left half blue, right half transparent.
// Resources 147 (picture 10, 8 x 8) and 362: white.
// Resource 198 (the atlas, 1024 x 1024): every texel opaque and naming its
// own place, 0xFF000000 | x << 12 | y (see AtlasTexel).
// Anything else fails to load.
inline bool TestPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * size, Clear);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t& p = argb[static_cast<std::size_t>(y) * size + x];
      const bool right = x >= size / 2, bottom = y >= size / 2;
      switch (resourceId) {
        case 130: p = bottom ? (right ? White : Blue) : (right ? Green : Red); break;
        case 361: p = right ? Clear : Blue; break;
        case 147:
        case 362: p = White; break;
        case 198: p = 0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y); break;
        default: return false;
      }
    }
  }
  return true;
}

struct AtlasTexel {
  int X, Y;
  bool operator==(const AtlasTexel&) const = default;
};
inline AtlasTexel DecodeAtlasTexel(std::uint32_t p) {
  return {static_cast<int>((p >> 12) & 0xFFF), static_cast<int>(p & 0xFFF)};
}

class RenderFixture : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SysInitVideo());
    ASSERT_TRUE(SysCreateMainWindow(320, 180));
    BackBufferScale = 1;
    RequestedWindowScale = 1;
    FullscreenActive = 0;
    DrawSuspended = 0;
    ASSERT_TRUE(InitDirect3D());
    SetPictureLoader(&TestPictures);
    ClearTarget(Black);
  }
  void TearDown() override {
    if (FullscreenActive) ApplyWindowedMode();
    ReleaseDirect3D();
    SetPictureLoader(nullptr);
    ResetDrawState();
    BackBufferScale = 1;
    DrawSuspended = 0;
    ShakeOffsetX = ShakeOffsetY = 0;
    ShakeApplies = 1;
  }

  // Reads the back buffer; pixels are device pixels.
  void Grab() {
    ASSERT_TRUE(ReadBackBuffer(Pixels, Width, Height));
  }
  // Reads what the last present put in the window, as the player sees it
  // (KeepWindowPicture must be on).
  void GrabWindow() {
    ASSERT_TRUE(ReadWindowPicture(Pixels, Width, Height));
  }
  std::uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return 0xDEADBEEFu;
    return Pixels[static_cast<std::size_t>(y) * Width + x] | 0xFF000000u;
  }
  // Logical pixel (the top-left device pixel of it).
  std::uint32_t AtLogical(int x, int y) const { return At(x * BackBufferScale, y * BackBufferScale); }

  std::vector<std::uint32_t> Pixels;
  int Width = 0, Height = 0;
};

inline int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

}  // namespace rendertest
