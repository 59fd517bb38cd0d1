#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/Renderer.h"
#include "platform/RenderTestSupport.h"
#include "system/SysRenderer.h"
#include "system/SysWindow.h"

namespace {

using namespace rendertest;

class Render : public RenderFixture {};

// Picture 0 drawn one texel per logical pixel.
void DrawQuadrants(int dx, int dy) {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  DrawSprite(0, dx, dy, 0, 0, 32, 32);
  ResetDrawState();
}

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance, const char* what) {
  for (int shift : {16, 8, 0})
    EXPECT_NEAR(Channel(actual, shift), Channel(expected, shift), tolerance)
        << what << std::hex << ": got 0x" << actual << ", want 0x" << expected;
}

class RenderAtScale : public Render, public ::testing::WithParamInterface<int> {};

TEST_P(RenderAtScale, SpriteLandsOnTheSnappedPixels) {
  const int k = GetParam();
  ResizeWindowClient(320 * k, 180 * k);
  ASSERT_EQ(BackBufferScale, k);
  ClearTarget(Black);
  ASSERT_TRUE(LoadTexture(0, 130));
  DrawQuadrants(42, 21);  // logical (10, 5): 42 and 21 layout units round down
  Grab();
  ASSERT_EQ(Width, 320 * k);
  EXPECT_EQ(At(10 * k, 5 * k), Red);
  EXPECT_EQ(At(10 * k - 1, 5 * k), Black);
  EXPECT_EQ(At(10 * k, 5 * k - 1), Black);
  EXPECT_EQ(At(26 * k - 1, 5 * k), Red);
  EXPECT_EQ(At(26 * k, 5 * k), Green);
  EXPECT_EQ(At(10 * k, 21 * k), Blue);
  EXPECT_EQ(At(42 * k - 1, 37 * k - 1), White);
  EXPECT_EQ(At(42 * k, 36 * k), Black);
  EXPECT_EQ(At(41 * k, 37 * k), Black);
}

INSTANTIATE_TEST_SUITE_P(Scales, RenderAtScale, ::testing::Values(1, 3));

TEST_F(Render, CoordinatesSnapDownToWholeLogicalPixels) {
  ASSERT_TRUE(LoadTexture(0, 130));
  // Texel columns 15 (red) and 16 (green) of the top row, two pixels wide.
  struct Case {
    int Dx;
    std::uint32_t Pixel0, Pixel1;
  };
  const Case cases[] = {
      {0, Red, Green}, {3, Red, Green}, {4, Black, Red}, {-1, Green, Black}, {-4, Green, Black}, {-5, Black, Black},
  };
  for (const Case& c : cases) {
    ClearTarget(Black);
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
    DrawSprite(0, c.Dx, 0, 15, 0, 2, 1);
    ResetDrawState();
    Grab();
    EXPECT_EQ(At(0, 0), c.Pixel0) << "dx " << c.Dx;
    EXPECT_EQ(At(1, 0), c.Pixel1) << "dx " << c.Dx;
  }
}

TEST_F(Render, MirroredSpriteStaysInItsBox) {
  ASSERT_TRUE(LoadTexture(0, 130));
  SpriteDrawState.MirrorX = -1.0f;  // scale 1: 32 texels over 8 pixels
  DrawSprite(0, 40, 40, 0, 0, 32, 32);
  Grab();
  EXPECT_EQ(At(10, 10), Green);
  EXPECT_EQ(At(17, 10), Red);
  EXPECT_EQ(At(10, 17), White);
  EXPECT_EQ(At(17, 17), Blue);
  EXPECT_EQ(At(9, 10), Black);
  EXPECT_EQ(At(18, 10), Black);
}

TEST_F(Render, RotationTurnsAboutTheOrigin) {
  ASSERT_TRUE(LoadTexture(0, 130));
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  SpriteDrawState.OriginX = SpriteDrawState.OriginY = 16.0f;
  SpriteDrawState.Angle = static_cast<float>(M_PI / 2);
  DrawSprite(0, 400, 200, 0, 0, 32, 32);  // centre at logical (104, 54)
  Grab();
  // A quarter turn clockwise on screen: red moves to the top right.
  EXPECT_EQ(At(96, 46), Blue);
  EXPECT_EQ(At(112, 46), Red);
  EXPECT_EQ(At(112, 62), Green);
  EXPECT_EQ(At(96, 62), White);
  EXPECT_EQ(At(104, 36), Black);
}

TEST_F(Render, BlendModesMeetTheBackground) {
  ASSERT_TRUE(LoadTexture(10, 147));
  struct Case {
    std::uint32_t Mode, Colour;
    std::uint32_t Expected;
  };
  // On grey 64; mode 7 keeps the factors of the draw before it (mode 2).
  const Case cases[] = {
      {0, 0x80FF0000u, 0xFFA02020u},
      {1, 0xFF800000u, 0xFFC04040u},
      {2, 0x80FF0000u, 0xFFC04040u},
      {7, 0x8000FF00u, 0xFF40C040u},
  };
  for (const Case& c : cases) {
    ClearTarget(0xFF404040u);
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
    SpriteDrawState.BlendMode = c.Mode;
    SpriteDrawState.Colour = c.Colour;
    DrawSprite(10, 0, 0, 0, 0, 8, 8);
    ResetDrawState();
    Grab();
    ExpectNear(At(4, 4), c.Expected, 3, "blend");
    EXPECT_EQ(At(8, 4), 0xFF404040u);
  }
}

TEST_F(Render, ColourModesTintTheOpaqueTexels) {
  ASSERT_TRUE(LoadTexture(32, 361));  // left half blue, right half transparent
  struct Case {
    std::uint32_t Mode, Colour, Tint;
    std::uint32_t Left;
  };
  const Case cases[] = {
      {0, 0xFFFF00FFu, 0xFFFFFFFFu, 0xFF0000FFu},  // modulate
      {1, 0xFF00FF00u, 0xFFFFFFFFu, 0xFF00FF00u},  // the colour alone
      {2, 0xFFFF0000u, 0x40FFFFFFu, 0xFFBF0040u},  // blue * 1/4 + red * 3/4
  };
  for (const Case& c : cases) {
    ClearTarget(0xFF404040u);
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
    SpriteDrawState.ColourMode = c.Mode;
    SpriteDrawState.Colour = c.Colour;
    SpriteDrawState.TintColour = c.Tint;
    DrawSprite(32, 0, 0, 0, 0, 32, 32);
    ResetDrawState();
    Grab();
    ExpectNear(At(4, 4), c.Left, 3, "opaque half");
    EXPECT_EQ(At(20, 4), 0xFF404040u) << "mode " << c.Mode;
  }
}

TEST_F(Render, OffscreenSpritesAreCulledAndEdgeSpritesClipped) {
  ASSERT_TRUE(LoadTexture(0, 130));
  DrawQuadrants(-200, 0);   // entirely left
  DrawQuadrants(0, 800);    // entirely below
  Grab();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(At(x, y), Black);
  DrawQuadrants(-64, 0);  // the right half shows
  DrawQuadrants(1200, 680);
  Grab();
  EXPECT_EQ(At(0, 0), Green);
  EXPECT_EQ(At(15, 31), White);
  EXPECT_EQ(At(16, 0), Black);
  EXPECT_EQ(At(300, 170), Red);
  EXPECT_EQ(At(319, 179), Green);
}

TEST_F(Render, SourcesPastTheTextureRepeatIt) {
  ASSERT_TRUE(LoadTexture(0, 130));
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  DrawSprite(0, 0, 0, 0, 0, 64, 8);
  DrawSprite(0, 0, 40, -16, 0, 48, 8);
  SpriteDrawState.MirrorX = -1.0f;
  DrawSprite(0, 0, 80, -16, 0, 64, 8);
  Grab();
  const std::uint32_t row0[] = {Red, Green, Red, Green};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i * 16 + 1, 2), row0[i]) << i;
  EXPECT_EQ(At(64, 2), Black);
  const std::uint32_t row1[] = {Green, Red, Green};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(At(i * 16 + 1, 12), row1[i]) << i;
  // Mirrored, green red green red runs the other way, in the same box.
  const std::uint32_t row2[] = {Red, Green, Red, Green};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i * 16 + 1, 22), row2[i]) << i;
  EXPECT_EQ(At(63, 22), Green);
  EXPECT_EQ(At(64, 22), Black);
}

TEST_F(Render, SuspendedDrawingReachesNothing) {
  ASSERT_TRUE(LoadTexture(0, 130));
  DrawSuspended = 1;
  EXPECT_TRUE(DrawSprite(0, 0, 0, 0, 0, 32, 32));
  EXPECT_EQ(Present(), RenderOk);
  DrawSuspended = 0;
  Grab();
  EXPECT_EQ(At(1, 1), Black);
}

int LoaderCalls = 0;
bool CountingPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  ++LoaderCalls;
  return TestPictures(resourceId, size, argb);
}

TEST_F(Render, TextureTableCountsUsersOfEachSlot) {
  SetPictureLoader(&CountingPictures);
  LoaderCalls = 0;
  ASSERT_TRUE(LoadTexture(117, 198));
  ASSERT_TRUE(LoadTexture(118, 198));  // a sub-picture of the same texture
  EXPECT_EQ(TextureRefCounts[117], 2u);
  EXPECT_EQ(LoaderCalls, 1);
  EXPECT_EQ(TextureTable[117].Width, 1024u);
  ReleaseTexture(118);
  EXPECT_NE(TextureTable[117].Texture, nullptr);
  ReleaseTexture(117);
  EXPECT_EQ(TextureTable[117].Texture, nullptr);
  ReleaseTexture(117);  // at 0 nothing happens
  EXPECT_EQ(TextureRefCounts[117], 0u);

  // Pictures 4, 5 and 6 are second names of other textures.
  ASSERT_TRUE(LoadTexture(6, 362));
  EXPECT_EQ(TextureRefCounts[33], 1u);
  EXPECT_EQ(TextureTable[33].Width, 512u);
}

TEST_F(Render, BadPictureIdsAndMissingPicturesDrawNothing) {
  EXPECT_FALSE(LoadTexture(162, 0));
  EXPECT_FALSE(LoadTexture(-1, 0));
  ReleaseTexture(162);
  ReleaseTexture(-7);
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  EXPECT_TRUE(DrawSprite(400, 0, 0, 0, 0, 32, 32));
  EXPECT_TRUE(DrawSprite(-3, 0, 0, 0, 0, 32, 32));
  EXPECT_TRUE(DrawSprite(0, 0, 0, 0, 0, 32, 32));  // never loaded: no untextured quad
  Grab();
  EXPECT_EQ(At(4, 4), Black);
}

// A picture that cannot be made is reported unloaded at every use but made
// only once, until something it is made from changes.
TEST_F(Render, APictureThatCannotBeMadeIsRememberedUntilSomethingChanges) {
  SetPictureLoader(&CountingPictures);
  LoaderCalls = 0;
  for (int use = 0; use < 3; ++use) EXPECT_FALSE(LoadTexture(1, 131));  // the loader has no resource 131
  EXPECT_EQ(LoaderCalls, 1);
  EXPECT_EQ(TextureRefCounts[1], 3u);
  EXPECT_EQ(TextureTable[1].Texture, nullptr);
  for (int use = 0; use < 3; ++use) ReleaseTexture(1);
  EXPECT_FALSE(LoadTexture(1, 131)) << "the last user letting go changes nothing it is made from";
  EXPECT_EQ(LoaderCalls, 1);
  ReleaseTexture(1);

  struct Change {
    const char* What;
    std::function<void()> Make;
  };
  const Change changes[] = {
      {"the loader set again", [] { SetPictureLoader(&CountingPictures); }},
      {"a lost device restored", [] {
         SysRendererNotifyReset(true);
         ASSERT_EQ(CheckDeviceLost(), RenderOk);
       }},
      {"a renderer made", [] {
         ReleaseDirect3D();
         ASSERT_TRUE(InitDirect3D());
       }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.What);
    EXPECT_FALSE(LoadTexture(1, 131));
    LoaderCalls = 0;
    c.Make();
    EXPECT_FALSE(LoadTexture(1, 131));
    EXPECT_EQ(LoaderCalls, 1) << "made again once";
    EXPECT_FALSE(LoadTexture(1, 131));
    EXPECT_EQ(LoaderCalls, 1);
    while (TextureRefCounts[1] > 0) ReleaseTexture(1);
  }

  // Another resource in the slot is another picture.
  LoaderCalls = 0;
  EXPECT_FALSE(LoadTexture(0, 131));
  EXPECT_TRUE(LoadTexture(0, 130));
  EXPECT_EQ(LoaderCalls, 2);
  ReleaseTexture(0);
  ReleaseTexture(0);

  // Without a renderer a picture decodes but cannot be made; a renderer
  // made afterwards makes it.
  ReleaseDirect3D();
  LoaderCalls = 0;
  for (int use = 0; use < 3; ++use) EXPECT_FALSE(LoadTexture(0, 130));
  EXPECT_EQ(LoaderCalls, 1);
  for (int use = 0; use < 3; ++use) ReleaseTexture(0);
  ASSERT_TRUE(InitDirect3D());
  EXPECT_TRUE(LoadTexture(0, 130));
  EXPECT_EQ(LoaderCalls, 2);
}

TEST_F(Render, OpaqueMarginsScanRowsAndWrapLikeSampling) {
  ASSERT_TRUE(LoadTexture(32, 361));  // opaque columns 0-15
  EXPECT_EQ(GetOpaqueLeftMargin(32, 0, 0, 32, 32), 0);
  EXPECT_EQ(GetOpaqueRightMargin(32, 0, 0, 32, 32), 16);
  EXPECT_EQ(GetOpaqueLeftMargin(32, 16, 0, 16, 4), 16);  // nothing opaque
  EXPECT_EQ(GetOpaqueLeftMargin(32, 24, 0, 16, 1), 8);   // columns 32.. are 0..
  EXPECT_EQ(GetOpaqueRightMargin(32, 8, 40, 16, 2), 8);  // rows 40.. are 8..
  EXPECT_EQ(GetOpaqueLeftMargin(32, -8, -3, 8, 1), 8);   // columns 24-31
  EXPECT_EQ(GetOpaqueRightMargin(32, 0, 0, 1 << 30, 1 << 30), 16);  // huge boxes scan one texture's worth
  EXPECT_EQ(GetOpaqueLeftMargin(32, 2147483600, 7, 2147483647, 1), 16);
  EXPECT_EQ(GetOpaqueLeftMargin(40, 0, 0, 8, 8), 0);     // not loaded
  EXPECT_EQ(GetOpaqueLeftMargin(300, 0, 0, 8, 8), 0);
}

TEST_F(Render, WindowScaleIsTheSmallestThatHoldsTheClientArea) {
  struct Case {
    int W, H, Scale;
  };
  const Case cases[] = {{640, 360, 2}, {641, 360, 3}, {320, 181, 2}, {1600, 900, 5}, {0, -5, 1}, {1 << 30, 5, 16}};
  for (const Case& c : cases) {
    ResizeWindowClient(c.W, c.H);
    EXPECT_EQ(RequestedWindowScale, c.Scale) << c.W << " x " << c.H;
    EXPECT_EQ(BackBufferScale, c.Scale);
  }
  ResizeWindowClient(641, 360);
  EXPECT_EQ(ClientWidth, 641);
  Grab();
  EXPECT_EQ(Width, 960);
}

// F5's scales on a display: x1 up to the largest whose window, decorations
// included, fits the usable area (never past the game's x5), then x1 again.
TEST(WindowScales, F5StepsOnlyThroughWindowsTheUsableAreaHolds) {
  const struct {
    WindowRoom Room;
    std::vector<int> Steps;  // from x1, until x1 comes round again
  } cases[] = {
      {{1366, 768, 0, 0}, {1, 2, 3, 4}},
      {{1366, 768, 2, 26}, {1, 2, 3, 4}},
      {{1366, 740, 2, 26}, {1, 2, 3}},  // a panel takes 28 rows
      {{1920, 1080, 0, 0}, {1, 2, 3, 4, 5}},
      {{1920, 1080, 2, 26}, {1, 2, 3, 4, 5}},
      {{1920, 1050, 2, 180}, {1, 2, 3, 4}},
      {{1280, 720, 0, 0}, {1, 2, 3, 4}},
      {{1280, 720, 2, 26}, {1, 2, 3}},
      {{1281, 721, 1, 1}, {1, 2, 3, 4}},
      {{800, 600, 0, 0}, {1, 2}},
      {{300, 150, 0, 0}, {1}},  // smaller than x1: x1 all the same
      {{0, 0, 0, 0}, {1}},
  };
  for (const auto& c : cases) {
    const int largest = std::min(5, LargestWindowScaleIn(c.Room));
    std::vector<int> steps{1};
    for (int k = NextWindowScale(1, largest); k != 1 && steps.size() < 20; k = NextWindowScale(k, largest))
      steps.push_back(k);
    EXPECT_EQ(steps, c.Steps) << c.Room.UsableWidth << " x " << c.Room.UsableHeight << " less " << c.Room.BorderWidth
                              << " x " << c.Room.BorderHeight;
  }
  // A scale past the largest (a saved one on a smaller display) steps to x1.
  EXPECT_EQ(NextWindowScale(5, 4), 1);
  EXPECT_EQ(NextWindowScale(0, 4), 1);
  EXPECT_EQ(LargestWindowScaleIn({7680, 4320, 0, 0}), 16) << "no larger than any window scale";
}

bool Room1366(WindowRoom& room) {
  room = {1366, 768, 2, 26};
  return true;
}

// The game's size requests are taken down to what the display holds; the
// scale asked for stays the caller's.
TEST_F(Render, AWindowTooLargeForTheDisplayOpensAtTheLargestScaleThatFits) {
  SetWindowRoomSource(&Room1366);
  ResizeWindowClient(1600, 900);
  EXPECT_EQ(RequestedWindowScale, 4);
  EXPECT_EQ(BackBufferScale, 4);
  int w = 0, h = 0;
  SysGetWindowClientSize(w, h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 720);
  ResizeWindowClient(640, 360);
  EXPECT_EQ(RequestedWindowScale, 2);
  SetWindowRoomSource(nullptr);
  // The dummy driver's desktop is no screen: nothing is taken down.
  EXPECT_EQ(LargestWindowScale(), 16);
  ResizeWindowClient(1600, 900);
  EXPECT_EQ(RequestedWindowScale, 5);
}

TEST_F(Render, FullScreenTakesTheLargestWholeMultipleOfTheDesktop) {
  EXPECT_EQ(SysLargestScaleIn(2560, 1440), 8);
  EXPECT_EQ(SysLargestScaleIn(1920, 1200), 6);
  EXPECT_EQ(SysLargestScaleIn(1366, 768), 4);
  EXPECT_EQ(SysLargestScaleIn(300, 100), 1);

  ResizeWindowClient(640, 360);
  ApplyFullscreenMode();  // the dummy desktop is 1024 x 768
  EXPECT_EQ(FullscreenActive, 1);
  EXPECT_EQ(BackBufferScale, MaxFullscreenScale);
  EXPECT_EQ(ClientWidth, 320 * MaxFullscreenScale);
  ResizeWindowClient(320, 180);  // remembered, not applied, in full screen
  EXPECT_EQ(BackBufferScale, MaxFullscreenScale);
  ApplyWindowedMode();
  EXPECT_EQ(FullscreenActive, 0);
  EXPECT_EQ(BackBufferScale, 1);
  EXPECT_EQ(ClientWidth, 320);
}

TEST_F(Render, WindowPointsMapIntoTheCentredBackBuffer) {
  ResizeWindowClient(320, 180);
  ApplyFullscreenMode();  // 1024 x 768 desktop: the picture sits at (32, 114), 960 x 540
  ASSERT_EQ(MaxFullscreenScale, 3);
  int x = 32, y = 114;
  SysMapWindowPoint(320 * BackBufferScale, 180 * BackBufferScale, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  x = 32 + 959;
  y = 114 + 539;
  SysMapWindowPoint(320 * BackBufferScale, 180 * BackBufferScale, x, y);
  EXPECT_EQ(x, 959);
  EXPECT_EQ(y, 539);
  ApplyWindowedMode();
  x = 100;
  y = 50;
  SysMapWindowPoint(320 * BackBufferScale, 180 * BackBufferScale, x, y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
}

TEST_F(Render, ALoadedPictureOutlivesItsRenderer) {
  ASSERT_TRUE(LoadTexture(0, 130));
  SysRendererDestroy();
  ASSERT_TRUE(SysRendererCreate());
  SetDefaultRenderStates();
  ClearTarget(Black);
  DrawQuadrants(0, 0);
  Grab();
  EXPECT_EQ(At(0, 0), Red);
  EXPECT_EQ(At(31, 31), White);
}

TEST_F(Render, LostDeviceIsRebuiltFromTheTextureCopies) {
  ASSERT_TRUE(LoadTexture(0, 130));
  SysRendererNotifyReset(true);
  EXPECT_EQ(Present(), RenderDeviceLost);
  DrawQuadrants(0, 0);  // stale textures are not used
  EXPECT_EQ(CheckDeviceLost(), RenderOk);
  EXPECT_EQ(Present(), RenderOk);
  ClearTarget(Black);
  DrawQuadrants(0, 0);
  Grab();
  EXPECT_EQ(At(0, 0), Red);
  EXPECT_EQ(At(31, 31), White);
}

}  // namespace
