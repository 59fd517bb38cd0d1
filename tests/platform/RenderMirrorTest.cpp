#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "platform/Renderer.h"
#include "platform/RenderTestSupport.h"

// Mirrored and turned sprites read back texel by texel: every texel of the
// atlas picture names its own place, so a texel drawn twice, lost or
// shifted shows at once.
namespace {

using namespace rendertest;

constexpr PictureId Atlas = 117;
constexpr int SrcX = 100, SrcY = 200, SrcW = 12, SrcH = 8;

int FloorDiv(int v, int d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }

// Where the source rectangle should land, texel by texel: the top-left
// device pixel of texel (0, 0), the screen directions in which u and v grow
// (unit steps along the axes) and the device pixels per texel.
struct Placement {
  int X, Y;
  int UX, UY, VX, VY;
  int Block;
};

class RenderMirror : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    ASSERT_TRUE(LoadTexture(Atlas, 198));
  }

  void UseScale(int k) {
    ResizeWindowClient(320 * k, 180 * k);
    ASSERT_EQ(BackBufferScale, k);
  }

  // Upright or flipped in the box whose top-left is logical (left, top).
  Placement InBox(int left, int top, int block, bool flipX, bool flipY) const {
    const int k = BackBufferScale;
    return {left * k + (flipX ? (SrcW - 1) * block : 0), top * k + (flipY ? (SrcH - 1) * block : 0),
            flipX ? -1 : 1, 0, 0, flipY ? -1 : 1, block};
  }

  // Every device pixel of the placed texels and of a ring one logical pixel
  // wide around them, as far as the screen goes: each texel fills its own
  // block, the ring keeps the black background. Empty when all are right.
  std::string Mismatches(const Placement& p) const {
    const int k = BackBufferScale, b = p.Block;
    const int endX = p.X + ((SrcW - 1) * p.UX + (SrcH - 1) * p.VX) * b;
    const int endY = p.Y + ((SrcW - 1) * p.UY + (SrcH - 1) * p.VY) * b;
    const int left = std::min(p.X, endX), right = std::max(p.X, endX) + b;
    const int top = std::min(p.Y, endY), bottom = std::max(p.Y, endY) + b;
    int wrong = 0;
    std::ostringstream first;
    for (int y = std::max(0, top - k); y < std::min(Height, bottom + k); ++y) {
      for (int x = std::max(0, left - k); x < std::min(Width, right + k); ++x) {
        // Block (bx, by) from texel (0, 0)'s holds texel (u, v).
        const int bx = FloorDiv(x - p.X, b), by = FloorDiv(y - p.Y, b);
        const int u = bx * p.UX + by * p.UY, v = bx * p.VX + by * p.VY;
        std::uint32_t want = Black;
        if (x >= left && x < right && y >= top && y < bottom)
          want = 0xFF000000u | static_cast<std::uint32_t>(SrcX + u) << 12 | static_cast<std::uint32_t>(SrcY + v);
        const std::uint32_t got = At(x, y);
        if (got != want && wrong++ == 0) {
          const AtlasTexel t = DecodeAtlasTexel(got);
          first << "device pixel (" << x << ", " << y << ") shows ";
          if (got == Black)
            first << "background";
          else
            first << "texel (" << t.X - SrcX << ", " << t.Y - SrcY << ")";
        }
      }
    }
    if (wrong == 0) return {};
    return std::to_string(wrong) + " pixels wrong; first: " + first.str();
  }
};

// Scale of the sprite (layout units per texel) and of the back buffer:
// 1, 2 and 4 each, wherever a texel covers at least one device pixel.
struct Scales {
  int Sprite, Buffer;
};

class RenderMirrorAtScale : public RenderMirror, public ::testing::WithParamInterface<Scales> {};

TEST_P(RenderMirrorAtScale, EveryTexelOnceInItsMirroredPlace) {
  const Scales s = GetParam();
  UseScale(s.Buffer);
  const int block = s.Sprite * s.Buffer / 4;
  const int boxW = SrcW * s.Sprite / 4, boxH = SrcH * s.Sprite / 4;  // logical pixels
  struct Mirror {
    const char* Name;
    bool X, Y;
  };
  // Left-right is MirrorX -1; upside down is a negative ScaleY.
  const Mirror mirrors[] = {{"none", false, false}, {"x", true, false}, {"y", false, true}, {"both", true, true}};
  struct Place {
    int Left, Top;
  };
  // Inside, partly off the top-left and partly off the bottom-right corner.
  const Place places[] = {{10, 5}, {-boxW / 2, -boxH / 2}, {320 - boxW / 2, 180 - boxH / 2}};
  for (const Mirror& m : mirrors) {
    for (const Place& p : places) {
      ClearTarget(Black);
      SpriteDrawState.ScaleX = static_cast<float>(s.Sprite);
      SpriteDrawState.ScaleY = static_cast<float>(m.Y ? -s.Sprite : s.Sprite);
      SpriteDrawState.MirrorX = m.X ? -1.0f : 1.0f;
      // A mirrored sprite keeps its box; a negative ScaleY turns it up
      // from dy, so dy is the box's bottom edge.
      const int dx = p.Left * 4;
      const int dy = p.Top * 4 + (m.Y ? SrcH * s.Sprite : 0);
      DrawSprite(Atlas, dx, dy, SrcX, SrcY, SrcW, SrcH);
      ResetDrawState();
      Grab();
      EXPECT_EQ(Mismatches(InBox(p.Left, p.Top, block, m.X, m.Y)), "")
          << "mirror " << m.Name << " at logical (" << p.Left << ", " << p.Top << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SpriteAndBuffer, RenderMirrorAtScale,
                         ::testing::Values(Scales{1, 4}, Scales{2, 2}, Scales{2, 4}, Scales{4, 1}, Scales{4, 2},
                                           Scales{4, 4}),
                         [](const ::testing::TestParamInfo<Scales>& info) {
                           return "Sprite" + std::to_string(info.param.Sprite) + "Buffer" +
                                  std::to_string(info.param.Buffer);
                         });

TEST_F(RenderMirror, MirroredSpriteKeepsItsUnmirroredBoxWhateverTheOrigin) {
  UseScale(2);
  // Box corner (origin 0), the frame's centre (characters), off centre.
  const float origins[] = {0.0f, SrcW / 2.0f, 3.0f};
  for (const float o : origins) {
    for (const int dx : {40, -10}) {
      ClearTarget(Black);
      SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
      SpriteDrawState.OriginX = o;
      SpriteDrawState.MirrorX = -1.0f;
      DrawSprite(Atlas, dx, 20, SrcX, SrcY, SrcW, SrcH);
      ResetDrawState();
      Grab();
      // Unmirrored, texel 0 starts at dx + o - o * 4 layout units.
      const int left = FloorDiv(dx + static_cast<int>(o) * (1 - 4), 4);
      EXPECT_EQ(Mismatches(InBox(left, 5, 2, true, false)), "") << "origin " << o << ", dx " << dx;
    }
  }
}

// Origin at the centre, one texel per logical pixel (two device pixels),
// anchor (400, 200) layout units = logical (100, 50).
void DrawTurned(float mirrorX, float scaleY, float angle) {
  SpriteDrawState.ScaleX = 4.0f;
  SpriteDrawState.ScaleY = scaleY;
  SpriteDrawState.MirrorX = mirrorX;
  SpriteDrawState.OriginX = SrcW / 2.0f;
  SpriteDrawState.OriginY = SrcH / 2.0f;
  SpriteDrawState.Angle = angle;
  DrawSprite(Atlas, 394, 196, SrcX, SrcY, SrcW, SrcH);
  ResetDrawState();
}

TEST_F(RenderMirror, QuarterTurnsOfMirroredSpritesShowEveryTexelOnce) {
  UseScale(2);
  // A corner (x, y) from the anchor turns about (p, p), p = MirrorX / 2
  // layout units, then snaps down to whole logical pixels.
  struct Case {
    const char* Name;
    float MirrorX, ScaleY;
    int Turns;
    Placement Where;  // of texel (0, 0), in logical pixels
  };
  const Case cases[] = {
      {"x, a quarter", -1.0f, 4.0f, 1, {102, 55, 0, -1, -1, 0, 2}},
      {"x, a half", -1.0f, 4.0f, 2, {93, 52, 1, 0, 0, -1, 2}},
      {"x, three quarters", -1.0f, 4.0f, 3, {96, 43, 0, 1, 1, 0, 2}},
      {"y, a quarter", 1.0f, -4.0f, 1, {96, 44, 0, 1, 1, 0, 2}},
  };
  for (const Case& c : cases) {
    ClearTarget(Black);
    DrawTurned(c.MirrorX, c.ScaleY, static_cast<float>(c.Turns * M_PI / 2));
    Grab();
    Placement p = c.Where;
    p.X *= 2;
    p.Y *= 2;
    EXPECT_EQ(Mismatches(p), "") << "mirror " << c.Name << " turn";
  }
}

TEST_F(RenderMirror, MirroredSpritesAtAnyAngleTurnWithinTheRasterisersPrecision) {
  UseScale(2);
  // A turned quad is rasterised as triangles: the software renderer maps its
  // texels a little short (the last of a row may be lost) and the corners
  // snap down to whole pixels. So at the centre of each inner texel's place
  // stands that texel or one a step or two away; a wrong mirror is further.
  for (const float mirrorX : {-1.0f, 1.0f}) {
    const float scaleY = mirrorX == 1.0f ? -4.0f : 4.0f;  // else upside down
    for (const float angle : {0.3f, 2.0f, 4.0f, 5.5f}) {
      ClearTarget(Black);
      DrawTurned(mirrorX, scaleY, angle);
      Grab();
      const float p = 0.5f * mirrorX, c = std::cos(angle), s = std::sin(angle);
      for (int v = 1; v < SrcH - 1; ++v) {
        for (int u = 1; u < SrcW - 1; ++u) {
          const float x = mirrorX * (u + 0.5f - SrcW / 2.0f) * 4.0f, y = (v + 0.5f - SrcH / 2.0f) * scaleY;
          const float sx = 400.0f + c * (x - p) - s * (y - p) + p, sy = 200.0f + s * (x - p) + c * (y - p) + p;
          const AtlasTexel t = DecodeAtlasTexel(At(static_cast<int>(sx / 2.0f), static_cast<int>(sy / 2.0f)));
          EXPECT_TRUE(std::abs(t.X - SrcX - u) <= 2 && std::abs(t.Y - SrcY - v) <= 2)
              << "mirror " << (mirrorX < 0 ? "x" : "y") << ", angle " << angle << ": texel (" << u << ", " << v
              << ") shows (" << t.X - SrcX << ", " << t.Y - SrcY << ")";
        }
      }
    }
  }
}

}  // namespace
