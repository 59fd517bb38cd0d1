#include "platform/CDrawString.h"

#include <cmath>
#include <cstring>

#include "platform/Renderer.h"

namespace {

// Truncated toward zero; absurd scales saturate instead of overflowing.
int Scaled(int value, double scale) {
  const double v = std::trunc(value * scale);
  return v > 1.0e9 ? 1000000000 : v < -1.0e9 ? -1000000000 : static_cast<int>(v);
}

bool IsHalfWidth(unsigned char c) { return c >= 0x20 && c <= 0x7F; }

}  // namespace

// The working copy of a text, cut into lines (by '\n' and by wrapping).
struct CDrawString::Lines {
  char Buffer[MaxTextBytes + 1];
  int Start[MaxTextBytes + 2];
  int Length[MaxTextBytes + 2];
  int Count = 0;
};

CDrawString::~CDrawString() {
  delete[] LeftMargins;
  delete[] RightMargins;
}

void CDrawString::SetColor(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  Red = r;
  Green = g;
  Blue = b;
}

void CDrawString::SetAlpha(std::uint32_t a) { Alpha = a; }

std::uint32_t CDrawString::GetAlpha() const { return Alpha; }

void CDrawString::SetScale(double sx, double sy) {
  ScaleX = sx;
  ScaleY = sy;
}

void CDrawString::SetUniformScale(double s) { SetScale(s, s); }

void CDrawString::SetGlyphs(int halfCellWidth, int fullCellWidth, int cellHeight, int halfPicture,
                            int fullPicture, int halfOriginX, int halfOriginY, int fullOriginX,
                            int fullOriginY, int halfAdvance, int fullAdvance, int lineHeight) {
  HalfCellWidth = halfCellWidth;
  FullCellWidth = fullCellWidth;
  CellHeight = cellHeight;
  HalfPicture = halfPicture;
  FullPicture = fullPicture;
  HalfOriginX = halfOriginX;
  HalfOriginY = halfOriginY;
  FullOriginX = fullOriginX;
  FullOriginY = fullOriginY;
  HalfAdvance = halfAdvance;
  FullAdvance = fullAdvance;
  LineHeight = lineHeight;
}

void CDrawString::SetProportional(int halfSpacing, int fullSpacing) {
  Proportional = 1;
  HalfSpacing = halfSpacing;
  FullSpacing = fullSpacing;
  if (!LeftMargins) LeftMargins = new std::int8_t[MarginTableSize];
  if (!RightMargins) RightMargins = new std::int8_t[MarginTableSize];
  std::memset(LeftMargins, 0x80, MarginTableSize);
  std::memset(RightMargins, 0x80, MarginTableSize);
}

int CDrawString::DecodeGlyph(const char* p, int& x, int& pictureId, int& y, int& advance, int& width) {
  const unsigned char c = static_cast<unsigned char>(p[0]);
  int result = 0;
  int code = 0;
  if (IsHalfWidth(c)) {
    pictureId = HalfPicture;
    x = HalfOriginX + (c % 16) * HalfCellWidth;
    y = HalfOriginY + (c / 16 - 2) * CellHeight;
    advance = HalfAdvance;
    width = HalfCellWidth;
    code = c;
    result = 1;
  } else if ((c >= 0x80 && c <= 0x9F) || c >= 0xE0) {
    const unsigned char t = static_cast<unsigned char>(p[1]);
    if (t == 0) return 0;
    const int block = c <= 0x9F ? (c - 0x80) / 8 : 4 + (c - 0xE0) / 8;
    const int first = c <= 0x9F ? 0x80 + ((c - 0x80) / 8) * 8 : 0xE0 + ((c - 0xE0) / 8) * 8;
    pictureId = FullPicture;
    x = FullOriginX + (t % 16 + 16 * block) * FullCellWidth;
    y = FullOriginY + ((t - 0x40) / 16 + 12 * (c - first)) * CellHeight;
    advance = FullAdvance;
    width = FullCellWidth;
    code = (c - 0x80) * 256 + t;
    result = 2;
  } else {
    return 0;
  }

  if (Proportional && LeftMargins && RightMargins) {
    if (LeftMargins[code] == NotMeasured) {
      LeftMargins[code] = static_cast<std::int8_t>(GetOpaqueLeftMargin(pictureId, x, y, width, CellHeight));
      RightMargins[code] = static_cast<std::int8_t>(GetOpaqueRightMargin(pictureId, x, y, width, CellHeight));
    }
    const int left = LeftMargins[code];
    const int right = RightMargins[code];
    if (left != width) {
      x += left;
      width = width - right - left;
      advance = width + (result == 1 ? HalfSpacing : FullSpacing);
    } else {
      advance = HalfAdvance;
    }
  }
  return result;
}

// Widths of ever longer starts of one text, each as GetTextWidth gives it,
// in one pass: wrapping asks for many of them.
class CDrawString::WidthCursor {
public:
  WidthCursor(CDrawString& font, const char* text) : Font(font), Text(text) {}

  // The width of the first n bytes; n never decreases between calls.
  int WidthOf(int n) {
    while (Position < n && Text[Position] != '\0') Step();
    if (!Any) return 0;
    if (Font.Proportional) return Total - Scaled(LastSpacing, Font.ScaleX);
    return Total + Scaled(LastCell, Font.ScaleX) - Scaled(LastAdvance, Font.ScaleX);
  }

private:
  void Step() {
    if (Font.Proportional) {
      int gx, pic, gy, advance, width;
      const int used = Font.DecodeGlyph(Text + Position, gx, pic, gy, advance, width);
      if (used == 0) {
        ++Position;
        return;
      }
      Total += Scaled(advance, Font.ScaleX);
      LastSpacing = used == 1 ? Font.HalfSpacing : Font.FullSpacing;
      Position += used;
    } else if (IsHalfWidth(static_cast<unsigned char>(Text[Position]))) {
      LastAdvance = Font.HalfAdvance;
      LastCell = Font.HalfCellWidth;
      Total += Scaled(LastAdvance, Font.ScaleX);
      Position += 1;
    } else {
      // Any other byte leads a double-byte character; its second byte is
      // consumed too, but never past the terminator.
      LastAdvance = Font.FullAdvance;
      LastCell = Font.FullCellWidth;
      Total += Scaled(LastAdvance, Font.ScaleX);
      Position += Text[Position + 1] != '\0' ? 2 : 1;
    }
    Any = true;
  }

  CDrawString& Font;
  const char* Text;
  int Position = 0;
  int Total = 0;
  int LastAdvance = 0, LastCell = 0, LastSpacing = 0;
  bool Any = false;
};

int CDrawString::GetTextWidth(const char* text, int n) {
  if (!text || n < 1) return 0;
  return WidthCursor(*this, text).WidthOf(n);
}

void CDrawString::SplitLines(const char* text, int boxWidth, Lines& lines) {
  // Cut an over-long text at the last whole character that fits.
  int length = 0;
  if (text) {
    for (int i = 0; text[i] != '\0';) {
      const int step = static_cast<unsigned char>(text[i]) >= 0x80 && text[i + 1] != '\0' ? 2 : 1;
      if (i + step > MaxTextBytes) break;
      i += step;
      length = i;
    }
    std::memcpy(lines.Buffer, text, static_cast<std::size_t>(length));
  }
  lines.Buffer[length] = '\0';

  lines.Count = 0;
  int segment = 0;
  for (int i = 0; i <= length; ++i) {
    if (i < length && lines.Buffer[i] != '\n') continue;
    lines.Buffer[i] = '\0';
    // Wrap this segment: each piece that is too wide breaks at the last blank
    // on a character boundary before which the text fits.
    int start = segment;
    int len = i - segment;
    for (;;) {
      const char* line = lines.Buffer + start;
      int breakAt = 0;
      if (GetTextWidth(line, len) > boxWidth) {
        // The last blank on a character boundary before which the text fits.
        WidthCursor cursor(*this, line);
        for (int j = 0; j < len;) {
          if (j >= 1 && line[j] == ' ' && cursor.WidthOf(j) < boxWidth) breakAt = j;
          j += static_cast<unsigned char>(line[j]) >= 0x80 ? 2 : 1;
        }
      }
      if (breakAt == 0) {
        lines.Start[lines.Count] = start;
        lines.Length[lines.Count] = len;
        ++lines.Count;
        break;
      }
      lines.Buffer[start + breakAt] = '\0';
      lines.Start[lines.Count] = start;
      lines.Length[lines.Count] = breakAt;
      ++lines.Count;
      start += breakAt + 1;
      len -= breakAt + 1;
    }
    segment = i + 1;
  }
}

int CDrawString::CountWrappedLines(const char* text, int boxWidth) {
  Lines lines;
  SplitLines(text, boxWidth, lines);
  return lines.Count;
}

int CDrawString::CountLinesFitting(int boxHeight) const {
  const int line = Scaled(LineHeight, ScaleY), cell = Scaled(CellHeight, ScaleY);
  if (line <= 0 || boxHeight < cell) return 1;
  return 1 + (boxHeight - cell) / line;
}

namespace {

// A glyph, its place and where it is cut from the atlas.
struct PlacedGlyph {
  const char* Bytes;
  int Used;
  int X, Y;
  int Picture, SourceX, SourceY, Width;
};

}  // namespace

template <typename Visit>
void CDrawString::PlaceGlyphs(const char* text, int x, int y, int boxWidth, int boxHeight, int align, int maxLines,
                              Visit visit) {
  Lines lines;
  SplitLines(text, boxWidth, lines);
  const int n = lines.Count < maxLines ? lines.Count : maxLines < 1 ? 1 : maxLines;
  const int height = Scaled((n - 1) * LineHeight + CellHeight, ScaleY);
  int top;
  switch (align & 3) {
    case 1: top = y; break;
    case 3: top = y - height + boxHeight; break;
    default: top = y + (boxHeight + 1) / 2 - (height + 1) / 2; break;
  }
  for (int l = 0; l < n; ++l) {
    const char* line = lines.Buffer + lines.Start[l];
    const int len = lines.Length[l];
    const int w = GetTextWidth(line, len);
    int pen;
    switch (align & 12) {
      case 4: pen = x; break;
      case 12: pen = x + boxWidth - w; break;
      default: pen = x + boxWidth / 2 - w / 2; break;
    }
    for (int i = 0; i < len;) {
      PlacedGlyph g{line + i, 0, pen, top, 0, 0, 0, 0};
      int advance;
      g.Used = DecodeGlyph(line + i, g.SourceX, g.Picture, g.SourceY, advance, g.Width);
      if (g.Used == 0) {
        ++i;
        continue;
      }
      visit(g);
      pen += Scaled(advance, ScaleX);
      i += g.Used;
    }
    top += Scaled(LineHeight, ScaleY);
  }
}

void CDrawString::DrawText(const char* text, int x, int y, int boxWidth, int boxHeight, int align, int maxLines) {
  SpriteDrawParameters& state = SpriteDrawState;
  state.MirrorX = 1.0f;
  state.OriginX = state.OriginY = 0.0f;
  state.Angle = 0.0f;
  state.ScaleX = static_cast<float>(ScaleX);
  state.ScaleY = static_cast<float>(ScaleY);
  state.Colour = ((Alpha & 0xFFu) << 24) | ((Red & 0xFFu) << 16) | ((Green & 0xFFu) << 8) | (Blue & 0xFFu);
  state.BlendMode = 0;
  PlaceGlyphs(text, x, y, boxWidth, boxHeight, align, maxLines, [&](const PlacedGlyph& g) {
    DrawSprite(g.Picture, g.X, g.Y, g.SourceX, g.SourceY, g.Width, CellHeight);
  });
}

CDrawString::Extent CDrawString::MeasureText(const char* text, int x, int y, int boxWidth, int boxHeight, int align,
                                             int maxLines) {
  const int cellHeight = Scaled(CellHeight, ScaleY);
  Extent e;
  bool any = false;
  PlaceGlyphs(text, x, y, boxWidth, boxHeight, align, maxLines, [&](const PlacedGlyph& g) {
    const unsigned char c = static_cast<unsigned char>(g.Bytes[0]);
    const bool blank = c == ' ' || (g.Used == 2 && c == 0x81 && static_cast<unsigned char>(g.Bytes[1]) == 0x40);
    if (blank) return;
    const int right = g.X + Scaled(g.Width, ScaleX);
    if (!any) e = Extent{g.X, g.Y, right, g.Y + cellHeight};
    any = true;
    e.Left = g.X < e.Left ? g.X : e.Left;
    e.Right = right > e.Right ? right : e.Right;
    e.Bottom = g.Y + cellHeight;
  });
  return e;
}
