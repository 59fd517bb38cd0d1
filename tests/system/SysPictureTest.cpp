// The picture's geometry with no window in sight: the bands a picture
// leaves uncovered, where a window's client goes in a usable area, and
// which display a window is on.
#include <gtest/gtest.h>

#include "system/SysPicture.h"

namespace {

TEST(PictureBands, OnlyWhatThePictureLeavesUncovered) {
  const struct {
    const char* Name;
    int Width, Height;
    int Count;  // bands; their area is what the picture leaves
  } cases[] = {
      {"covers the window", 960, 540, 0},
      {"full screen 1920 x 1080 at x6", 1920, 1080, 0},
      {"1366 x 768: above, below, left, right", 1366, 768, 4},
      {"1920 x 1200: above and below", 1920, 1200, 2},
      {"a tall narrow tile", 320, 1000, 2},
      {"smaller than one scale", 200, 200, 2},
  };
  for (const auto& c : cases) {
    const SysRect picture = SysPlacePicture(c.Width, c.Height).Rect;
    const SysBands bands = SysBandsAround(picture, c.Width, c.Height);
    EXPECT_EQ(bands.Count, c.Count) << c.Name;
    long long area = 0;
    for (int i = 0; i < bands.Count; ++i) {
      const SysRect& b = bands.Band[i];
      area += static_cast<long long>(b.W) * b.H;
      EXPECT_TRUE(b.X >= 0 && b.Y >= 0 && b.X + b.W <= c.Width && b.Y + b.H <= c.Height) << c.Name << " band " << i;
      const bool overlaps = b.X < picture.X + picture.W && picture.X < b.X + b.W && b.Y < picture.Y + picture.H &&
                            picture.Y < b.Y + b.H;
      EXPECT_FALSE(overlaps) << c.Name << " band " << i;
    }
    EXPECT_EQ(area, static_cast<long long>(c.Width) * c.Height - static_cast<long long>(picture.W) * picture.H) << c.Name;
  }
}

// The client centred in the usable area, and its whole frame inside it.
TEST(WindowPlacement, TheClientIsCentredAndItsFrameInsideTheUsableArea) {
  const struct {
    const char* Name;
    SysRect Usable;
    SysBorders Borders;
    int Width, Height;
    SysPoint Expected;
  } cases[] = {
      {"no frame", {0, 0, 1920, 1080}, {}, 960, 540, {480, 270}},
      {"a title bar: the client centred, not the frame", {0, 0, 1920, 1080}, {1, 24, 1, 1}, 960, 540, {480, 270}},
      {"x4 on 1366 x 768 under a 27-row title bar", {0, 0, 1366, 768}, {4, 27, 4, 4}, 1280, 720, {43, 27}},
      {"x4 on 1366 x 768 above a 24-row toolbar", {0, 0, 1366, 744}, {0, 19, 0, 5}, 1280, 720, {43, 19}},
      {"a panel on top", {0, 30, 1920, 1050}, {0, 20, 0, 0}, 1280, 720, {320, 195}},
      {"a panel on the left", {64, 0, 1856, 1080}, {2, 2, 2, 2}, 960, 540, {512, 270}},
      {"a frame taller than the area keeps its top inside", {0, 0, 1366, 768}, {0, 30, 0, 30}, 1280, 720, {43, 30}},
      {"a client wider than the area keeps its left inside", {0, 0, 1280, 720}, {5, 5, 5, 5}, 1600, 900, {5, 5}},
      {"a second screen", {1920, 0, 1280, 1024}, {}, 640, 360, {2240, 332}},
  };
  for (const auto& c : cases) {
    const SysPoint at = SysPlaceClient(c.Usable, c.Borders, c.Width, c.Height);
    EXPECT_EQ(at.X, c.Expected.X) << c.Name;
    EXPECT_EQ(at.Y, c.Expected.Y) << c.Name;
  }
}

// The display a window is on is the one it covers most; one it covers
// none of (its monitor switched off) is on none, and goes to the primary.
TEST(WindowDisplay, TheOneItCoversMost) {
  const SysRect displays[] = {{0, 0, 1920, 1080}, {1920, 0, 1366, 768}};
  const struct {
    const char* Name;
    SysRect Client;
    int Expected;
  } cases[] = {
      {"on the first", {480, 270, 960, 540}, 0},
      {"on the second", {2100, 100, 960, 540}, 1},
      {"across, mostly on the second", {1800, 100, 960, 540}, 1},
      {"across, mostly on the first", {1200, 100, 960, 540}, 0},
      {"below the second, off every display", {2100, 900, 960, 540}, -1},
      {"off to the right", {4000, 0, 320, 180}, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(SysDisplayOf(c.Client, displays, 2), c.Expected) << c.Name;
  EXPECT_EQ(SysDisplayOf({0, 0, 320, 180}, displays, 0), -1) << "no displays";
}

}  // namespace
