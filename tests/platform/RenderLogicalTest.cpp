// Above window scale 1 a frame is drawn at 320 x 180 while its quads show
// whole logical pixels, and stretched when one does not: each kind of quad
// must leave the picture exactly as drawing at full size does.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Renderer.h"
#include "platform/RenderTestSupport.h"
#include "system/SysRenderer.h"

namespace {

using namespace rendertest;

// Picture 5 (resource 361, 32 x 32) made half-transparent in steps right of
// its first 8 columns: alpha and colour change with every texel, as at the
// soft edges of sprites.
bool SoftPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId != 361) return TestPictures(resourceId, size, argb);
  argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      argb[static_cast<std::size_t>(y) * size + x] = static_cast<std::uint32_t>(x < 8 ? 255 : x * 8 + 3) << 24 |
                                                     static_cast<std::uint32_t>(y * 8) << 16 | static_cast<std::uint32_t>(200 - x * 5);
  return true;
}

constexpr PictureId Quadrants = 0, Soft = 5, Plain = 10;

void Sprite(PictureId id, int x, int y, int w, int h, float scale, std::uint32_t colour = 0xFFFFFFFFu,
            std::uint32_t blend = 0) {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = scale;
  SpriteDrawState.Colour = colour;
  SpriteDrawState.BlendMode = blend;
  DrawSprite(id, x, y, 0, 0, w, h);
  ResetDrawState();
}

// Every (eight by eight) cell of the soft picture one to one: more cells
// with half-transparent texels than the picture keeps copies of.
void SpendCopies() {
  SetLogicalFrames(true);
  ClearTarget(Black);
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  for (int i = 0; i < 300; ++i) DrawSprite(Soft, 40 + i % 20 * 48, 40 + i / 20 * 40, 8 + i % 16, i / 16, 8, 8);
  ResetDrawState();
}

// One to one across the picture's repeat (it is cut there into pieces),
// plain and mixed with its colour: the two passes of the mix are cut too.
void AcrossTheRepeat() {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  DrawSprite(Soft, 40, 40, 500, 3, 24, 20);
  SpriteDrawState.ColourMode = 2;
  SpriteDrawState.TintColour = 0xFF000000u;
  DrawSprite(Soft, 200, 300, 1010, 500, 40, 30);
  ResetDrawState();
}

// The pictures a case draws, loaded afresh for it: copies made by one case
// are not there for the next.
struct FreshPictures {
  FreshPictures() {
    SetPictureLoader(&SoftPictures);
    Loaded = LoadTexture(Quadrants, 130) && LoadTexture(Soft, 361) && LoadTexture(Plain, 147);
  }
  ~FreshPictures() {
    for (PictureId id : {Quadrants, Soft, Plain}) ReleaseTexture(id);
  }
  bool Loaded = false;
};

struct LogicalCase {
  const char* What;
  std::function<void()> Draw;
  bool StaysSmall;  // the whole frame is drawn at 320 x 180
  std::function<void()> Before = [] {};  // what the pictures went through before the frame
};

class RenderLogical : public RenderFixture {};

TEST_F(RenderLogical, EachKindOfQuadLooksAsDrawnAtFullSize) {
  const LayeredRows rows[] = {{0, 300, 2}, {300, 720, 5}};
  const LogicalCase cases[] = {
      {"opaque texels, one and two logical pixels each, one mirrored",
       [] {
         Sprite(Quadrants, 40, 40, 32, 32, 8.0f);
         SpriteDrawState.MirrorX = -1.0f;
         Sprite(Quadrants, 400, 40, 32, 32, 4.0f);
       },
       true},
      {"half-transparent texels one to one: plain, coloured, faded, added, opaque texels faded",
       [] {
         Sprite(Soft, 40, 40, 32, 32, 4.0f);
         Sprite(Soft, 80, 60, 32, 32, 4.0f, 0xC080FF40u);
         Sprite(Soft, 100, 200, 32, 32, 4.0f, 0x80FFFFFFu);
         Sprite(Soft, 120, 80, 32, 32, 4.0f, 0xFFFFFFFFu, 2);
         Sprite(Quadrants, 300, 100, 32, 32, 4.0f, 0x80FFFFFFu);
         Sprite(Quadrants, 340, 140, 32, 32, 4.0f, 0xFFFFFFFFu, 1);
       },
       true},
      {"the solid part of a picture that is half-transparent elsewhere, and a piece across both",
       [] {
         SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
         DrawSprite(Soft, 40, 40, 0, 0, 8, 32);
         DrawSprite(Soft, 140, 40, 4, 10, 8, 8);
         ResetDrawState();
       },
       true},
      {"clipped at the view's edges", [] { Sprite(Soft, -60, -44, 32, 32, 8.0f); Sprite(Soft, 1240, 700, 32, 32, 4.0f); },
       true},
      {"a plain picture stretched to any size", [] { Sprite(Plain, 13, 17, 8, 8, 37.5f, 0x80FF0000u); }, true},
      {"rows under layered bands", [&] {
         SpriteDrawState.Colour = 0x10204080u;
         ASSERT_TRUE(DrawLayeredRows(Plain, -100, 1380, rows, 2));
         ResetDrawState();
       },
       true},
      {"half a logical pixel per texel", [] { Sprite(Soft, 40, 40, 32, 32, 2.0f); }, false},
      {"turned", [] {
         SpriteDrawState.Angle = 0.3f;
         Sprite(Soft, 200, 100, 32, 32, 4.0f);
       },
       false},
      {"a plain picture repeated past its edge, by a fraction of a pixel a texel",
       [] { Sprite(Plain, 0, 0, 600, 8, 1.5f, 0x80FF0000u); }, true},
      {"a picture of several colours repeated past its edge", [] { Sprite(Quadrants, 0, 0, 600, 8, 1.5f); }, false},
      {"drawn small, then on at full size after a turned quad",
       [] {
         Sprite(Soft, 40, 40, 32, 32, 4.0f);
         SpriteDrawState.Angle = 1.0f;
         Sprite(Quadrants, 300, 200, 32, 32, 3.0f);
         Sprite(Soft, 44, 48, 32, 32, 4.0f, 0xA0FFFFFFu);
       },
       false},
      {"more half-transparent cells one to one than a picture keeps copies of", &SpendCopies, false},
      {"half-transparent texels across the repeat, plain and mixed", &AcrossTheRepeat, true},
      {"half-transparent texels across the repeat, plain and mixed, after the picture's copies are spent",
       &AcrossTheRepeat, false, &SpendCopies},
  };
  for (const LogicalCase& c : cases)
    for (int scale : {3, 5}) {
      SCOPED_TRACE(c.What);
      SCOPED_TRACE(scale);
      ResizeWindowClient(320 * scale, 180 * scale);
      const FreshPictures pictures;
      ASSERT_TRUE(pictures.Loaded);
      c.Before();
      std::vector<std::uint32_t> frames[2];
      for (bool small : {false, true}) {
        SetLogicalFrames(small);
        ClearTarget(0xFF102030u);
        Sprite(Quadrants, 0, 0, 32, 32, 40.0f);  // a background of four colours
        c.Draw();
        if (small) {
          EXPECT_EQ(SysRendererIsLogical(), c.StaysSmall);
        }
        Grab();
        frames[small] = Pixels;
      }
      SetLogicalFrames(true);
      ASSERT_EQ(frames[0].size(), frames[1].size());
      std::size_t differing = 0, first = 0;
      for (std::size_t i = 0; i < frames[0].size(); ++i)
        if (frames[0][i] != frames[1][i] && differing++ == 0) first = i;
      EXPECT_EQ(differing, 0u) << "first at " << first % Width << ", " << first / Width << std::hex << ": 0x"
                               << frames[0][first] << " full, 0x" << frames[1][first] << " small";
    }
}

TEST_F(RenderLogical, ScaleOneAndReadingBackDrawAtFullSize) {
  ClearTarget(Black);
  EXPECT_FALSE(SysRendererIsLogical()) << "at scale 1 the back buffer is the logical size";
  ResizeWindowClient(640, 360);
  ClearTarget(Black);
  EXPECT_TRUE(SysRendererIsLogical());
  Grab();
  EXPECT_FALSE(SysRendererIsLogical());
  EXPECT_EQ(Width, 640);
}

}  // namespace
