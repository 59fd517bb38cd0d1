#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/CGameMain.h"
#include "platform/CDrawString.h"
#include "platform/RenderTestSupport.h"

namespace {

using namespace rendertest;

// The fonts as the game object sets them up, over the test atlas whose
// every texel names its own place.
class DrawString : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Game.InitGraphics();
    ASSERT_NE(TextureTable[117].Texture, nullptr);
  }
  void TearDown() override {
    ResetDrawState();
    RenderFixture::TearDown();
  }
  CDrawString& Font(int i) { return Game.Fonts[i]; }
  // The atlas texel shown at a device pixel.
  AtlasTexel TexelAt(int x, int y) const { return DecodeAtlasTexel(At(x, y)); }

  CGameMain Game;
};

const char Aa[] = "\x82\xa0";  // あ
const char Ka[] = "\x83\x41";  // ア

TEST_F(DrawString, WidthCountsAdvancesAndTheLastCell) {
  struct Case {
    int Font;
    std::string Text;
    double Scale;
    int Width;
  };
  const Case cases[] = {
      {0, "AB", 4.0, 28},
      {0, "A", 1.0, 3},
      {1, "AB", 1.0, 12},
      {3, "AB", 1.5, 15},                           // trunc(4 * 1.5) + trunc(6 * 1.5)
      {5, std::string(Aa) + "\x82\xa2", 1.0, 23},   // あい: 11 + 12
      {5, std::string("A") + Aa, 1.0, 18},          // 6 + 12
      {5, std::string(Aa) + "A", 1.0, 18},          // 11 + 7
      {2, "", 1.0, 0},
  };
  for (const Case& c : cases) {
    Font(c.Font).SetUniformScale(c.Scale);
    EXPECT_EQ(Font(c.Font).GetTextWidth(c.Text.c_str(), static_cast<int>(c.Text.size())), c.Width)
        << "font " << c.Font << " '" << c.Text << "'";
    Font(c.Font).SetUniformScale(1.0);
  }
  EXPECT_EQ(Font(0).GetTextWidth("AB", 0), 0);
  EXPECT_EQ(Font(0).GetTextWidth("AB", -3), 0);
  EXPECT_EQ(Font(0).GetTextWidth("A\x82", 2), 10);  // a lone lead byte counts as a whole character
}

TEST_F(DrawString, LinesBreakAtBlanksOnCharacterBoundariesOnly) {
  CDrawString& f = Font(0);
  f.SetUniformScale(4.0);  // "AB" = 28, "AB CD" = 76
  struct Case {
    const char* Text;
    int Box;
    int Lines;
  };
  const Case cases[] = {
      {"AB CD", 40, 2},
      {"ABXCD", 40, 1},             // one long word overflows its box
      {"AB CD", 80, 1},
      {"AB CD", 76, 1},             // a line exactly as wide as its box stays whole
      {"AB CD", 75, 2},
      {"AB CD", 28, 1},             // the start before the blank must be narrower than the box
      {"AB CD", 29, 2},
      {"AB CD EF GH", 80, 2},       // breaks at the last blank that fits
      {"A\nB\nC", 1000, 3},
      {"\n\n", 1000, 3},
      {"", 40, 1},
      {"\x82 CD", 30, 1},           // the blank is the second byte of a character
      {"A CD", 30, 2},
      {"ABCDEFGH IJ", 40, 1},       // no blank with a fitting start: the line overflows
  };
  for (const Case& c : cases) EXPECT_EQ(f.CountWrappedLines(c.Text, c.Box), c.Lines) << c.Text << " in " << c.Box;
}

TEST_F(DrawString, AlignmentPlacesTheTextInItsBox) {
  CDrawString& f = Font(1);
  f.SetUniformScale(4.0);  // "A" is 24 x 32 layout units
  const AtlasTexel cellA{704 + 1 * 6, 656 + 2 * 8};
  struct Case {
    int Align;
    int Px, Py;  // device pixel of the glyph's top-left
  };
  const Case cases[] = {{5, 100, 100}, {15, 144, 142}, {0, 122, 121}, {10, 122, 121}, {13, 144, 100}, {7, 100, 142}};
  for (const Case& c : cases) {
    ClearTarget(Black);
    f.DrawText("A", 400, 400, 200, 200, c.Align);
    Grab();
    EXPECT_EQ(TexelAt(c.Px, c.Py), cellA) << "align " << c.Align;
    EXPECT_EQ(At(c.Px - 1, c.Py), Black) << "align " << c.Align;
    EXPECT_EQ(At(c.Px, c.Py - 1), Black) << "align " << c.Align;
  }
  // One line of font 1 at scale 1, centred in a box 20 high: top = y + 10 - 4.
  f.SetUniformScale(1.0);
  ClearTarget(Black);
  f.DrawText("A", 0, 2, 100, 20, 4);
  Grab();
  EXPECT_EQ(At(0, 1), Black);
  EXPECT_NE(At(0, 2), Black);
}

TEST_F(DrawString, GlyphsComeFromTheirFontsCells) {
  struct Case {
    int Font;
    const char* Text;
    AtlasTexel First;
  };
  const Case cases[] = {
      {0, "A", {707, 720}},
      {0, Aa, {608, 896}},
      {2, Aa, {0, 288}},           // picture 119 starts at (0, 48)
      {5, Aa, {608, 486}},         // picture 125 starts at (608, 96)
      {7, Ka, {398, 636}},
      {9, "A", {10, 916}},
      {4, "\x88\x9f", {148, 161}},  // a kanji cell past the right edge wraps
      {0, "\x82\x3f", {698, 848}},  // (0x3f - 0x40) / 16 is 0: the division truncates toward zero
  };
  for (const Case& c : cases) {
    ClearTarget(Black);
    Font(c.Font).SetUniformScale(4.0);
    Font(c.Font).DrawText(c.Text, 0, 0, 1280, 720, 5);
    Font(c.Font).SetUniformScale(1.0);
    Grab();
    EXPECT_EQ(TexelAt(0, 0), c.First) << "font " << c.Font;
  }
}

TEST_F(DrawString, JapaneseLineInFont5ShowsItsCells) {
  CDrawString& f = Font(5);
  f.SetUniformScale(4.0);
  f.SetColor(255, 255, 255);
  const std::string line = std::string(Aa) + Ka;
  f.DrawText(line.c_str(), 0, 0, 1280, 720, 5);
  Grab();
  // あ fills 12 x 13 pixels; ア follows after the 11-texel advance.
  EXPECT_EQ(TexelAt(0, 0), (AtlasTexel{608, 486}));
  EXPECT_EQ(TexelAt(10, 12), (AtlasTexel{618, 498}));
  EXPECT_EQ(TexelAt(11, 0), (AtlasTexel{620, 564}));
  EXPECT_EQ(TexelAt(22, 12), (AtlasTexel{631, 576}));
  EXPECT_EQ(At(23, 0), Black);
  EXPECT_EQ(At(0, 13), Black);
}

TEST_F(DrawString, ColourAndAlphaTintTheGlyphs) {
  CDrawString& f = Font(9);
  f.SetUniformScale(4.0);
  f.SetColor(0, 0, 0);
  f.SetAlpha(255);
  ClearTarget(White);
  f.DrawText("A", 0, 0, 1280, 720, 5);
  Grab();
  EXPECT_EQ(At(0, 0), Black);
  EXPECT_EQ(SpriteDrawState.Colour, 0xFF000000u);  // the sprite state stays set
  EXPECT_EQ(SpriteDrawState.ScaleX, 4.0f);
  EXPECT_EQ(f.GetAlpha(), 255u);
}

// Font 10/11 cells of character ch hold opaque columns ch % 3 .. ch % 3 + ch % 4 + 1;
// the blank is empty.
bool ProportionalAtlas(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (!TestPictures(resourceId, size, argb)) return false;
  if (resourceId != 198) return true;
  for (int y = 960; y < 1020; ++y) {
    for (int x = 160; x < 416; ++x) {
      const int ch = 0x20 + ((y - 960) / 10) * 16 + ((x - 160) / 8) % 16;
      const int column = (x - 160) % 8;
      const bool opaque = ch != 0x20 && column >= ch % 3 && column <= ch % 3 + ch % 4 + 1;
      if (!opaque) argb[static_cast<std::size_t>(y) * size + x] = 0;
    }
  }
  return true;
}

class ProportionalFont : public DrawString {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&ProportionalAtlas);
    Game.InitGraphics();
  }
};

TEST_F(ProportionalFont, GlyphsAreTrimmedToTheirOpaqueColumns) {
  // A: columns 2-4 (width 3), B: columns 0-3 (width 4), blank: empty cell.
  struct Case {
    int Font;
    const char* Text;
    int Width;
  };
  const Case cases[] = {
      {10, "AB", 4 + 5 - 1}, {11, "AB", 2 + 3 + 1}, {10, " A", 6 + 4 - 1}, {10, "A\x01", 3}, {11, "", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Font(c.Font).GetTextWidth(c.Text, static_cast<int>(std::strlen(c.Text))), c.Width)
        << "font " << c.Font << " '" << c.Text << "'";

  EXPECT_EQ(Font(10).LeftMargins['A'], 2);
  EXPECT_EQ(Font(10).RightMargins['A'], 3);
  EXPECT_EQ(Font(10).LeftMargins['C'], CDrawString::NotMeasured);

  Font(10).SetUniformScale(4.0);
  Font(10).DrawText("AB", 0, 0, 1280, 720, 5);
  Grab();
  EXPECT_EQ(TexelAt(0, 0), (AtlasTexel{170, 980}));
  EXPECT_EQ(TexelAt(2, 0), (AtlasTexel{172, 980}));
  EXPECT_EQ(At(3, 0), Black);
  EXPECT_EQ(TexelAt(4, 0), (AtlasTexel{176, 980}));
}

TEST_F(ProportionalFont, EachGlyphIsMeasuredOnce) {
  EXPECT_EQ(Font(10).GetTextWidth("AB", 2), 8);
  // A new atlas with other margins: the stored margins still hold.
  ReleaseTexture(117);
  SetPictureLoader(&TestPictures);
  ASSERT_TRUE(LoadTexture(117, 198));
  EXPECT_EQ(Font(10).GetTextWidth("AB", 2), 8);
  EXPECT_EQ(Font(10).GetTextWidth("C", 1), 8);  // measured now: the whole cell
}

TEST_F(DrawString, OverlongTextIsCutAtACharacter) {
  CDrawString& f = Font(0);
  f.SetUniformScale(4.0);
  // 1021 line breaks, "A", then あ whose second byte would be byte 1024.
  std::string text(1021, '\n');
  text += "A";
  text += Aa;
  f.DrawText(text.c_str(), 0, 0, 1280, 720, 15);
  Grab();
  // The last line is "A" alone, at the right edge of the bottom line.
  EXPECT_EQ(TexelAt(317, 172), (AtlasTexel{707, 720}));
  EXPECT_EQ(f.CountWrappedLines(text.c_str(), 1280), 1022);

  const std::string huge(5000, 'W');
  EXPECT_EQ(f.CountWrappedLines(huge.c_str(), 10), 1);
  const std::string breaks(5000, '\n');
  EXPECT_EQ(f.CountWrappedLines(breaks.c_str(), 10), 1024);
  f.DrawText(huge.c_str(), 0, 0, 100, 100, 0);
  EXPECT_EQ(f.CountWrappedLines(nullptr, 10), 1);
}

// What MeasureText says a text covers is exactly the cells DrawText
// lights, in every alignment and with the lines cut short; blanks count for
// nothing.
TEST_F(DrawString, MeasureTextCoversTheCellsDrawTextLights) {
  CDrawString& f = Font(0);
  f.SetUniformScale(4.0);  // one texel a pixel: cells 3 x 8, advance 4, lines 8
  struct Case {
    const char* Text;
    int BoxWidth, BoxHeight, Align, MaxLines;
  };
  const Case cases[] = {
      {"AB", 404, 104, 10, CDrawString::AllLines},   // centred both ways
      {"AB\nCDE", 400, 200, 5, CDrawString::AllLines},  // top-left
      {"ABC\nD", 400, 200, 15, CDrawString::AllLines},  // bottom-right
      {"A\nB\nC\nD", 400, 200, 5, 2},               // the first two lines only
      {"A\nB\nC\nD", 400, 200, 7, 3},               // three lines, from the bottom up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    ClearTarget(Black);
    f.DrawText(c.Text, 40, 40, c.BoxWidth, c.BoxHeight, c.Align, c.MaxLines);
    Grab();
    int left = Width, right = -1, top = Height, bottom = -1;
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        if (At(x, y) != Black) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    const CDrawString::Extent e = f.MeasureText(c.Text, 40, 40, c.BoxWidth, c.BoxHeight, c.Align, c.MaxLines);
    EXPECT_EQ(e.Left, 4 * left);
    EXPECT_EQ(e.Right, 4 * (right + 1));
    EXPECT_EQ(e.Top, 4 * top);
    EXPECT_EQ(e.Bottom, 4 * (bottom + 1));
  }
  // Cut lines are left out, and the kept ones aligned as a whole.
  EXPECT_EQ(f.MeasureText("A\nB\nC\nD", 40, 40, 400, 200, 5, 2).Bottom, 40 + 2 * 32);
  EXPECT_EQ(f.MeasureText("A\nB\nC\nD", 40, 40, 400, 200, 7, 3).Top, 40 + 200 - 3 * 32);
  const CDrawString::Extent ab = f.MeasureText("AB", 40, 40, 400, 200, 5);
  const CDrawString::Extent padded = f.MeasureText("  AB  \n ", 40, 40, 400, 200, 5);
  EXPECT_EQ(padded.Left, ab.Left + 2 * 16);
  EXPECT_EQ(padded.Right - padded.Left, ab.Right - ab.Left);
  EXPECT_EQ(padded.Bottom, ab.Bottom);
  EXPECT_TRUE(f.MeasureText("   \n", 40, 40, 400, 200, 5).IsEmpty());
  EXPECT_TRUE(f.MeasureText("", 40, 40, 400, 200, 5).IsEmpty());
  // Lines one under another in a box: 32 each, the last needing only its cell.
  EXPECT_EQ(f.CountLinesFitting(96), 3);
  EXPECT_EQ(f.CountLinesFitting(95), 2);
  EXPECT_EQ(f.CountLinesFitting(10), 1);
}

}  // namespace
