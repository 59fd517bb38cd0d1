#pragma once
// Text from the bitmap-font atlas: single-byte characters 0x20-0x7F and
// Shift-JIS double-byte characters, measured, wrapped in a box, aligned and
// coloured, glyph by glyph through DrawSprite.
#include <cstdint>

class CDrawString {
public:
  CDrawString() = default;
  virtual ~CDrawString();
  CDrawString(const CDrawString&) = delete;
  CDrawString& operator=(const CDrawString&) = delete;

  virtual void SetColor(std::uint32_t r, std::uint32_t g, std::uint32_t b);
  virtual void SetAlpha(std::uint32_t a);
  virtual std::uint32_t GetAlpha() const;
  virtual void SetScale(double sx, double sy);
  virtual void SetUniformScale(double s);

  // Glyph parameters, as the game object's start-up gives them.
  void SetGlyphs(int halfCellWidth, int fullCellWidth, int cellHeight, int halfPicture, int fullPicture,
                 int halfOriginX, int halfOriginY, int fullOriginX, int fullOriginY, int halfAdvance,
                 int fullAdvance, int lineHeight);
  // Trims glyphs to their opaque columns; makes the margin tables if absent.
  void SetProportional(int halfSpacing, int fullSpacing);

  // 1 for a single-byte glyph, 2 for a double-byte one, 0 when p is none
  // (then the outputs are untouched).
  int DecodeGlyph(const char* p, int& x, int& pictureId, int& y, int& advance, int& width);
  int GetTextWidth(const char* text, int n);
  int CountWrappedLines(const char* text, int boxWidth);
  // align: bits 0-1 vertical (1 top, 3 bottom, else centred), bits 2-3
  // horizontal (4 left, 12 right, else centred). With `maxLines` only that
  // many lines from the top are drawn, and aligned as if they were all.
  void DrawText(const char* text, int x, int y, int boxWidth, int boxHeight, int align, int maxLines = AllLines);

  // Where DrawText puts the glyph cells of a text's visible characters
  // (blanks draw nothing): Left <= x < Right, Top <= y < Bottom. Empty
  // (Right == Left) when nothing shows.
  struct Extent {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  };
  Extent MeasureText(const char* text, int x, int y, int boxWidth, int boxHeight, int align,
                     int maxLines = AllLines);
  // How many lines, one under another, fit in boxHeight at the current
  // scale; at least 1.
  int CountLinesFitting(int boxHeight) const;

  // Longest text the drawer takes; longer texts are cut at a character.
  static constexpr int MaxTextBytes = 1023;
  static constexpr int MarginTableSize = 65535;
  static constexpr std::int8_t NotMeasured = -128;
  static constexpr int AllLines = 1 << 30;

  std::int32_t HalfCellWidth = 0;
  std::int32_t FullCellWidth = 0;
  std::int32_t CellHeight = 0;
  std::int32_t HalfPicture = 0;
  std::int32_t FullPicture = 0;
  std::int32_t HalfOriginX = 0, HalfOriginY = 0;
  std::int32_t FullOriginX = 0, FullOriginY = 0;
  std::uint8_t Proportional = 0;
  std::int32_t HalfSpacing = 0, FullSpacing = 0;
  std::int8_t* LeftMargins = nullptr;
  std::int8_t* RightMargins = nullptr;
  std::int32_t HalfAdvance = 0, FullAdvance = 0;
  std::int32_t LineHeight = 0;
  std::uint32_t Alpha = 255, Red = 255, Green = 255, Blue = 255;
  double ScaleX = 1.0, ScaleY = 1.0;

private:
  struct Lines;
  class WidthCursor;
  void SplitLines(const char* text, int boxWidth, Lines& lines);
  // Walks the glyphs DrawText would draw, each with its place.
  template <typename Visit>
  void PlaceGlyphs(const char* text, int x, int y, int boxWidth, int boxHeight, int align, int maxLines,
                   Visit visit);
};
