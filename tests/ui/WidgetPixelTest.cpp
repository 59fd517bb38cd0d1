// Widgets and framed windows drawn by the real renderer and read back
// pixel by pixel.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/RenderTestSupport.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/CWidgetWindow.h"

namespace {

using namespace rendertest;

constexpr std::uint32_t Magenta = 0xFFFF00FFu, Cyan = 0xFF00FFFFu, Yellow = 0xFFFFFF00u;
constexpr std::uint32_t DarkRed = 0xFF800000u, DarkGreen = 0xFF008000u;

// The frame pictures, 16 x 16, each part telling where it was cut from:
// backdrop white; bands red over magenta; columns green beside cyan;
// corners blue, yellow / dark red, dark green.
bool FramePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId < 1000 || resourceId > 1003) return TestPictures(resourceId, size, argb);
  argb.assign(static_cast<std::size_t>(size) * size, White);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool right = x >= size / 2, bottom = y >= size / 2;
      std::uint32_t& p = argb[static_cast<std::size_t>(y) * size + x];
      if (resourceId == 1001) p = bottom ? Magenta : Red;
      if (resourceId == 1002) p = right ? Cyan : Green;
      if (resourceId == 1003) p = bottom ? (right ? DarkGreen : DarkRed) : (right ? Yellow : Blue);
    }
  return true;
}

class WindowPixels : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&FramePictures);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(LoadTexture(146 + i, static_cast<std::uint16_t>(1000 + i)));
    ASSERT_TRUE(LoadTexture(0, 130));
  }
  void TearDown() override {
    ResetDrawState();
    RenderFixture::TearDown();
  }
};

struct Layout {
  int X, Y, OffsetX, OffsetY;
  int Left, Right, Top, Bottom;  // half sizes
  float Scale;
};

void PrintTo(const Layout& l, std::ostream* os) {
  *os << "at (" << l.X << ", " << l.Y << ") + (" << l.OffsetX << ", " << l.OffsetY << "), halves " << l.Left << " "
      << l.Right << " " << l.Top << " " << l.Bottom << ", scale " << l.Scale;
}

class FramedWindowAtSizes : public WindowPixels, public ::testing::WithParamInterface<Layout> {};

TEST_P(FramedWindowAtSizes, FramePiecesSitAroundTheContent) {
  const Layout& l = GetParam();
  CWidgetWindow w;
  w.X = l.X;
  w.Y = l.Y;
  w.SetDrawOffset(l.OffsetX, l.OffsetY);
  w.SetScale(l.Scale);
  w.SetFrameImages(146, 147, 148, 149, 16, 2, 2, 3, 3);
  w.SetHalfSize(l.Left, l.Right, l.Top, l.Bottom);
  w.Draw();
  Grab();

  // Content edges in logical pixels, and one texel of the frame in pixels.
  const int left = (l.X + l.OffsetX - l.Left) / 4, right = (l.X + l.OffsetX + l.Right) / 4;
  const int top = (l.Y + l.OffsetY - l.Top) / 4, bottom = (l.Y + l.OffsetY + l.Bottom) / 4;
  const int k = static_cast<int>(l.Scale) / 4, frame = 3 * k;
  const int midX = (left + right) / 2, midY = (top + bottom) / 2;

  struct Probe {
    int X, Y;
    std::uint32_t Colour;
    const char* What;
  };
  const Probe probes[] = {
      {midX, midY, White, "backdrop"},
      {left, top, White, "backdrop at the content's corner"},
      {right - 1, bottom - 1, White, "backdrop at the far corner"},
      {midX, top - 1, Red, "top band"},
      {left, top - frame, Red, "top band's outer row"},
      {midX, bottom, Magenta, "bottom band"},
      {right - 1, bottom + frame - 1, Magenta, "bottom band's outer row"},
      {left - 1, midY, Green, "left column over the backdrop"},
      {left - frame, top, Green, "left column's outer edge"},
      {right, midY, Cyan, "right column"},
      {right + frame - 1, bottom - 1, Cyan, "right column's outer edge"},
      {left - frame, top - frame, Blue, "top left corner"},
      {left - 1, top - 1, Blue, "top left corner's inner texel"},
      {right + frame - 1, top - frame, Yellow, "top right corner"},
      {left - frame, bottom + frame - 1, DarkRed, "bottom left corner"},
      {right, bottom, DarkGreen, "bottom right corner"},
      {left - frame - 1, midY, Black, "outside left"},
      {right + frame, midY, Black, "outside right"},
      {midX, top - frame - 1, Black, "outside above"},
      {midX, bottom + frame, Black, "outside below"},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(AtLogical(p.X, p.Y), p.Colour) << p.What << " at " << p.X << ", " << p.Y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, FramedWindowAtSizes,
                         ::testing::Values(Layout{400, 200, 0, 0, 40, 40, 20, 20, 4.0f},
                                           Layout{600, 300, 8, -4, 100, 60, 12, 28, 4.0f},
                                           Layout{640, 360, 0, 0, 48, 48, 32, 32, 8.0f},
                                           Layout{200, 120, 40, 40, 200, 200, 100, 100, 4.0f}),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                           const Layout& l = info.param;
                           return std::to_string(l.Left + l.Right) + "x" + std::to_string(l.Top + l.Bottom) +
                                  "AtScale" + std::to_string(static_cast<int>(l.Scale));
                         });

TEST_F(WindowPixels, AlphasTintAndEmptySizes) {
  CWidgetWindow w;
  w.X = 400;
  w.Y = 200;
  w.SetScale(4.0f);
  w.SetFrameImages(146, 147, 148, 149, 16, 2, 2, 3, 3);
  w.SetAlphas(255, 0);  // the option buttons' clear backdrop
  w.SetHalfSize(40, 40, 20, 20);
  w.Draw();
  Grab();
  EXPECT_EQ(AtLogical(100, 50), Black);
  EXPECT_EQ(AtLogical(100, 44), Red);

  ClearTarget(Black);
  w.SetAlphas(255, 255);
  w.SetBackdropColour(0, 0, 255);
  w.SetColour(0, 255, 0);  // the frame pieces take the widget colour
  w.Draw();
  Grab();
  EXPECT_EQ(AtLogical(100, 50), Blue);
  EXPECT_EQ(AtLogical(100, 44), Black) << "red band tinted green";
  EXPECT_EQ(AtLogical(88, 50), Green);

  // Closed, hidden or at scale 0, a window draws nothing, its typewriter text included.
  ClearTarget(Black);
  w.SetHalfSize(0, 0, 0, 0);
  w.Draw();
  w.SetHalfSize(40, 40, 20, 20);
  w.SetVisible(false);
  w.Draw();
  w.SetVisible(true);
  w.SetScale(0.0f);
  w.Draw();
  Grab();
  for (int y = 30; y < 70; y += 3)
    for (int x = 70; x < 130; x += 3) ASSERT_EQ(AtLogical(x, y), Black) << x << ", " << y;
}

TEST_F(WindowPixels, CellFrameCutsTheWidgetsOwnPicture) {
  CWidgetWindow w;
  CWidget::SetLayout(w, 400, 200, 0, 0, {0, 0, 0, 32, 32}, {0, 0, 0, 32, 32}, {0, 0, 0, 32, 32}, 4.0f);
  w.SetBorderSize(2, 2);
  w.SetHalfSize(40, 40, 20, 20);
  w.Draw();
  Grab();
  // Content x 90-109, y 45-54; picture 0 is red | green over blue | white.
  EXPECT_EQ(AtLogical(90, 45), Red) << "centre from (2, 2)";
  EXPECT_EQ(AtLogical(88, 50), Red) << "left edge";
  EXPECT_EQ(AtLogical(111, 45), Green) << "right edge from the right of the cell";
  EXPECT_EQ(AtLogical(95, 56), Blue) << "bottom edge from the bottom of the cell";
  EXPECT_EQ(AtLogical(110, 55), White) << "bottom right corner";
  EXPECT_EQ(AtLogical(87, 50), Black);
}

TEST_F(WindowPixels, PopUpStaysPutWhileTheScreenShakes) {
  CGameInputSelectWindow* w = GetGameInputSelectWindow();
  w->Reset();
  w->SetOptionCount(2);
  w->SetSize(480, 300);
  w->SetButtonSize(440, 60);
  w->SetAlpha(255, 255);
  w->SetPosition(400, 212);
  w->SetAnimation(0, 3, 0, 2);
  w->Begin();
  ShakeOffsetX = 40;
  ShakeOffsetY = 40;
  w->Draw();
  EXPECT_EQ(ShakeApplies, 1);
  Grab();
  // The frame's content starts at (100, 53); its corner three pixels out.
  EXPECT_EQ(AtLogical(97, 50), Blue);
  EXPECT_EQ(AtLogical(100, 53), White);
  EXPECT_EQ(AtLogical(96, 53), Black);
}

// Picture 0 as a glyph sheet of 16 x 16 cells: ' ' red, '!' green, '0'
// blue, '1' white.
TEST_F(WindowPixels, BuiltInGlyphsFollowTheSheet) {
  CWidget w;
  w.SetGlyphSheet({0, 0, 0, 16, 16, 4});
  w.EnabledGlyphs.Advance = w.EnabledGlyphs.LineHeight = 16;
  w.DrawTextInBox(0, 0, 400, 400, 5, "! \n1\x82" "0");
  Grab();
  EXPECT_EQ(AtLogical(0, 0), Green);
  EXPECT_EQ(AtLogical(15, 15), Green);
  EXPECT_EQ(AtLogical(16, 0), Red);
  EXPECT_EQ(AtLogical(0, 16), White) << "the next line, one line height down";
  EXPECT_EQ(AtLogical(16, 16), Blue) << "a byte outside the sheet is skipped without a gap";
  EXPECT_EQ(AtLogical(32, 16), Black);

  // Centred both ways: a line of n glyphs is ((16 - 4) n + 2) k wide, the
  // block (16 + 1) lines - 1 high.
  ClearTarget(Black);
  w.DrawTextInBox(0, 0, 400, 400, 10, "!");
  Grab();
  EXPECT_EQ(AtLogical(43, 48), Green);
  EXPECT_EQ(AtLogical(42, 48), Black);
  EXPECT_EQ(AtLogical(43, 47), Black);

  // Disabled, the other sheet is used.
  ClearTarget(Black);
  w.DisabledGlyphs = w.EnabledGlyphs;
  w.DisabledGlyphs.SourceY = 16;
  w.SetEnabled(false);
  w.DrawTextInBox(0, 0, 400, 400, 5, " ");
  Grab();
  EXPECT_EQ(AtLogical(0, 0), Blue);
}

TEST_F(WindowPixels, PulseMixesThePictureWithTheWidgetColour) {
  CWidget w;
  CWidget::SetLayout(w, 0, 0, 64, 64, {0, 0, 0, 16, 16}, {0, 0, 0, 16, 16}, {0, 0, 0, 16, 16}, 4.0f);
  w.SetColour(0, 0, 255);
  w.StartPulse(4, 2, 0, 0);
  w.Update();  // value 0: the flat widget colour
  w.Draw();
  Grab();
  EXPECT_EQ(AtLogical(5, 5), Blue);
  EXPECT_EQ(SpriteDrawState.ColourMode, 0u) << "the mode is put back after drawing";
  w.Update();  // value 255: the picture only
  w.Draw();
  Grab();
  EXPECT_EQ(AtLogical(5, 5), Red);
}

}  // namespace
