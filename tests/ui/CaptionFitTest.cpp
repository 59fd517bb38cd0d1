// Captions that keep to their boxes, as the renderer draws them: a text
// longer than its box ends with its last whole line, and a word wider than
// a box that cannot grow is narrowed into it, no more than it must be.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/CGameMain.h"
#include "platform/RenderTestSupport.h"
#include "ui/CWidget.h"

namespace {

using namespace rendertest;

// The lit pixels' bounds, in layout units (4 to a pixel here).
struct Lit {
  int Left, Top, Right, Bottom;
};

class CaptionFit : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Game.InitGraphics();
    // Font 0 at 4: one texel a pixel, cells 12 x 32, advance 16, lines 32.
    CWidget::SetCaptionFont(Caption, &Game.Fonts[0], 4.0);
  }
  void TearDown() override {
    ResetDrawState();
    RenderFixture::TearDown();
  }

  Lit Draw(const char* text) {
    ClearTarget(Black);
    Caption.SetText(text);
    Caption.DrawCaption();
    Grab();
    Lit lit{Width, Height, -1, -1};
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        if (At(x, y) != Black)
          lit = {std::min(lit.Left, x), std::min(lit.Top, y), std::max(lit.Right, x), std::max(lit.Bottom, y)};
    return {4 * lit.Left, 4 * lit.Top, 4 * (lit.Right + 1), 4 * (lit.Bottom + 1)};
  }
  CDrawString::Extent Measure(const char* text) const {
    return Caption.MeasureTextInBox(Caption.GetX() + Caption.CaptionX, Caption.GetY() + Caption.CaptionY,
                                    Caption.CaptionWidth, Caption.CaptionHeight, Caption.CaptionAlign, text);
  }

  CGameMain Game;
  CWidget Caption;
};

TEST_F(CaptionFit, ATextKeptInItsBoxEndsWithItsLastWholeLine) {
  struct Case {
    int BoxHeight, Align;
    bool Kept;
    int Lines;
  };
  const Case cases[] = {
      {96, 5, true, 3},   // three lines exactly
      {127, 5, true, 3},  // a fourth would cross the foot
      {128, 5, true, 4},
      {10, 5, true, 1},   // a box lower than a line still shows the first
      {96, 5, false, 5},  // not kept: every line, past the box
      {104, 10, true, 3}, // centred: the kept lines as a block
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "box " << c.BoxHeight << " align " << c.Align << " kept " << c.Kept);
    Caption.SetCaptionBox(40, 40, 400, c.BoxHeight, c.Align);
    Caption.SetCaptionKeptInBox(c.Kept);
    const Lit lit = Draw("A\nB\nC\nD\nE");
    EXPECT_EQ(lit.Bottom - lit.Top, 32 * (c.Lines - 1) + 32);
    if (c.Kept && c.Lines > 1) {
      EXPECT_GE(lit.Top, 40);
      EXPECT_LE(lit.Bottom, 40 + c.BoxHeight);
    }
    const CDrawString::Extent e = Measure("A\nB\nC\nD\nE");
    EXPECT_EQ(e.Top, lit.Top);
    EXPECT_EQ(e.Bottom, lit.Bottom);
  }
}

TEST_F(CaptionFit, AWordWiderThanItsBoxIsNarrowedJustEnough) {
  // "ABCDEFGHIJ" is 9 x 16 + 12 = 156 wide.
  struct Case {
    int BoxWidth;
    bool Narrowed;
    int Width;  // of the lit text; 0: narrowed into the box
  };
  const Case cases[] = {
      {200, true, 156},  // fits already: untouched
      {100, true, 0},    // 0.64 of its width
      {60, true, 156},   // would need less than half: left as it is
      {100, false, 156},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "box " << c.BoxWidth << " narrowed " << c.Narrowed);
    Caption.SetCaptionBox(200, 40, c.BoxWidth, 40, 9);
    Caption.SetCaptionNarrowedToFit(c.Narrowed);
    const Lit lit = Draw("ABCDEFGHIJ");
    EXPECT_EQ(lit.Bottom - lit.Top, 32) << "the height is never narrowed";
    if (c.Width > 0) {
      EXPECT_EQ(lit.Right - lit.Left, c.Width);
      continue;
    }
    EXPECT_GE(lit.Left, 200);
    EXPECT_LE(lit.Right, 200 + c.BoxWidth);
    EXPECT_GE(lit.Right - lit.Left, c.BoxWidth - 8) << "no narrower than it must be";
    const CDrawString::Extent e = Measure("ABCDEFGHIJ");
    EXPECT_GE(e.Left, 200);
    EXPECT_LE(e.Right, 200 + c.BoxWidth);
  }
  // Font scale and sprite state are the next caption's again.
  EXPECT_EQ(Game.Fonts[0].ScaleX, 1.0);
}

TEST_F(CaptionFit, ACaptionKeptInItsBoxIsNarrowedForTheLinesItDraws) {
  // "ABCD EFGHIJ" is 172 wide: in a box 150 wide and one line high it wraps
  // at full width, leaving "ABCD" (60 wide) alone; narrowed a little it shows
  // whole. The lines below it are cut either way and must not stop that.
  Caption.SetCaptionBox(40, 40, 150, 40, 5);
  Caption.SetCaptionNarrowedToFit(true);
  struct Case {
    const char* Text;
    bool Kept;
    int Width, Height;  // of the lit text; Width 0: the whole line narrowed into the box
  };
  const Case cases[] = {
      {"ABCD EFGHIJ", true, 0, 32},
      {"ABCD EFGHIJ\nKLM", true, 0, 32},
      {"ABCD EFGHIJ\nKLM\nNOP", true, 0, 32},
      // Not kept, the lines below cross the box at any narrowing: the
      // caption keeps its scale and wraps, every line shown. Drawn after the
      // same text kept, so the narrowing found then must not be reused.
      {"ABCD EFGHIJ\nKLM", false, 92, 32 * 3},  // "EFGHIJ" the widest
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.Text << "\" kept " << c.Kept);
    Caption.SetCaptionKeptInBox(c.Kept);
    const Lit lit = Draw(c.Text);
    EXPECT_EQ(lit.Bottom - lit.Top, c.Height);
    if (c.Width > 0) {
      EXPECT_EQ(lit.Right - lit.Left, c.Width);
      continue;
    }
    EXPECT_GE(lit.Left, 40);
    EXPECT_LE(lit.Right, 40 + 150);
    EXPECT_GE(lit.Right - lit.Left, 150 - 16) << "the whole first line, not its first word";
    EXPECT_EQ(Game.Fonts[0].ScaleX, 1.0);
  }
}

}  // namespace
