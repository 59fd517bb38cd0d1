#include "ui/CWidgetWindow.h"

#include <climits>
#include <cmath>

#include "platform/Renderer.h"

namespace {

int Lerp(int from, int to, long long num, long long den) {
  return static_cast<int>(from + static_cast<long long>(to - from) * num / den);
}

// Truncates toward zero; values no int can hold are clamped, not undefined.
int ToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

std::uint32_t ColourWord(int a, int r, int g, int b) {
  return (static_cast<std::uint32_t>(a) & 0xFFu) << 24 | (static_cast<std::uint32_t>(r) & 0xFFu) << 16 |
         (static_cast<std::uint32_t>(g) & 0xFFu) << 8 | (static_cast<std::uint32_t>(b) & 0xFFu);
}

void Piece(PictureId picture, double x, double y, double sx, double sy, double w, double h) {
  DrawSprite(picture, ToInt(x), ToInt(y), ToInt(sx), ToInt(sy), ToInt(w), ToInt(h));
}

}  // namespace

void CWidgetWindow::Update() {
  if (AnimFrames > AnimFrame) {
    const int t = ++AnimFrame, n = AnimFrames, h = n / 2;
    if (t >= n) {
      HalfLeft = HalfRight = ToWidth / 2;
      HalfTop = HalfBottom = ToHeight / 2;
      AnimFrames = AnimFrame = 0;
    } else {
      // Before the last frame n is at least 2, so h is at least 1.
      int width = 0, height = 0;
      bool known = true;
      switch (AnimMode) {
        case SizeAnimHeightOnly:
          width = ToWidth;
          height = Lerp(FromHeight, ToHeight, t, n);
          break;
        case SizeAnimWidthOnly:
          width = Lerp(FromWidth, ToWidth, t, n);
          height = ToHeight;
          break;
        case SizeAnimHeightThenWidth:
          width = t < h ? FromWidth : Lerp(FromWidth, ToWidth, t - h, h);
          height = t < h ? Lerp(FromHeight, ToHeight, 2LL * t, n) : ToHeight;
          break;
        case SizeAnimWidthThenHeight:
          width = t < h ? Lerp(FromWidth, ToWidth, 2LL * t, n) : ToWidth;
          height = t < h ? FromHeight : Lerp(FromHeight, ToHeight, t - h, h);
          break;
        case SizeAnimBoth:
          width = Lerp(FromWidth, ToWidth, t, n);
          height = Lerp(FromHeight, ToHeight, t, n);
          break;
        default: known = false; break;
      }
      if (known) {
        HalfLeft = HalfRight = width / 2;
        HalfTop = HalfBottom = height / 2;
      }
    }
  }
  CWidget::Update();
}

void CWidgetWindow::SetHalfSize(int left, int right, int top, int bottom) {
  HalfLeft = left;
  HalfRight = right;
  HalfTop = top;
  HalfBottom = bottom;
  AnimFrames = AnimFrame = 0;
}

void CWidgetWindow::AnimateSize(int fromWidth, int toWidth, int fromHeight, int toHeight, int frames, int mode) {
  FromWidth = fromWidth;
  ToWidth = toWidth;
  FromHeight = fromHeight;
  ToHeight = toHeight;
  AnimMode = mode;
  AnimFrame = 0;
  if (frames < 1) {
    AnimFrames = 0;
    HalfLeft = HalfRight = toWidth / 2;
    HalfTop = HalfBottom = toHeight / 2;
  } else {
    AnimFrames = frames;
    HalfLeft = HalfRight = fromWidth / 2;
    HalfTop = HalfBottom = fromHeight / 2;
  }
}

void CWidgetWindow::SetBorderSize(int a, int b) {
  BorderA = a;
  BorderB = b;
}

void CWidgetWindow::SetFrameImages(PictureId backdrop, PictureId band, PictureId column, PictureId corner, int size,
                                   int a, int b, int c, int d) {
  BackdropPicture = backdrop;
  BandPicture = band;
  ColumnPicture = column;
  CornerPicture = corner;
  PictureSize = size;
  BorderA = a;
  BorderB = b;
  ThicknessC = c;
  ThicknessD = d;
}

void CWidgetWindow::SetAlphas(int frameAlpha, int backdropAlpha) {
  FrameAlpha = frameAlpha;
  BackdropAlpha = backdropAlpha;
}

void CWidgetWindow::SetBackdropColour(int r, int g, int b) {
  BackdropRed = r;
  BackdropGreen = g;
  BackdropBlue = b;
}

namespace {

// Layout units to the logical pixel they lie on, as sprites are placed.
int LogicalPixel(double v) {
  const int units = ToInt(v);
  return units >= 0 ? units / 4 : -((3 - units) / 4);
}

}  // namespace

bool CWidgetWindow::Contains(int x, int y) const {
  if (CWidget::Contains(x, y)) return true;
  if (!HalfLeft && !HalfRight && !HalfTop && !HalfBottom) return false;
  if (ScaleX == 0.0f || ScaleY == 0.0f || !std::isfinite(ScaleX) || !std::isfinite(ScaleY)) return false;
  // What Draw covers: the image frame reaches its thickness outside the
  // content rectangle, the cell frame its corner size.
  const bool image = BackdropPicture != -1;
  const double outX = (image ? ThicknessC : BorderA) * static_cast<double>(ScaleX);
  const double outY = (image ? ThicknessD : BorderB) * static_cast<double>(ScaleY);
  const double left = GetX() + DrawOffsetX - HalfLeft, right = GetX() + HalfRight + DrawOffsetX;
  const double top = GetY() + DrawOffsetY - HalfTop, bottom = GetY() + HalfBottom + DrawOffsetY;
  const int px = LogicalPixel(x), py = LogicalPixel(y);
  return LogicalPixel(left - outX) <= px && px < LogicalPixel(ToInt(right) + outX) && LogicalPixel(top - outY) <= py &&
         py < LogicalPixel(ToInt(bottom) + outY);
}

void CWidgetWindow::Draw() {
  if (!IsVisible()) return;
  if (!HalfLeft && !HalfRight && !HalfTop && !HalfBottom) return;
  // The sizes below are divided by the scale; at zero there is nothing to see.
  if (ScaleX == 0.0f || ScaleY == 0.0f || !std::isfinite(ScaleX) || !std::isfinite(ScaleY)) return;

  const double x = GetX(), y = GetY();
  const double left = x + DrawOffsetX - HalfLeft;
  const double right = x + HalfRight + DrawOffsetX;
  const double top = y + DrawOffsetY - HalfTop;
  const double bottom = y + HalfBottom + DrawOffsetY;

  SetSpriteState();
  SpriteDrawState.Angle = 0.0f;
  SpriteDrawState.OriginX = SpriteDrawState.OriginY = 0.0f;
  if (BackdropPicture != -1)
    DrawImageFrame(left, right, top, bottom);
  else
    DrawCellFrame(left, right, top, bottom);
  SpriteDrawState.ColourMode = 0;
  SpriteDrawState.TintColour = 0xFFFFFFFFu;
  DrawTypewriterText();
}

void CWidgetWindow::DrawImageFrame(double left, double right, double top, double bottom) {
  const double sx = ScaleX, sy = ScaleY;
  const double a = BorderA, b = BorderB, c = ThicknessC, d = ThicknessD, s = PictureSize;
  const double across = HalfLeft + HalfRight, down = HalfTop + HalfBottom;

  const double bl = left - (c - a) * sx, bt = top - (d - b) * sy;
  const double bw = ToInt(((c - a) * sx * 2 + across + sx - 1) / sx);
  const double bh = ToInt(((d - b) * sy * 2 + down + sy - 1) / sy);
  SpriteDrawState.Colour = ColourWord(BackdropAlpha, BackdropRed, BackdropGreen, BackdropBlue);
  Piece(BackdropPicture, bl, bt, 0, 0, bw, bh);

  SpriteDrawState.Colour = ColourWord(FrameAlpha, Red, Green, Blue);
  const double fl = left - c * sx, ft = top - d * sy;
  const double mw = ToInt(across / sx + 2 * (c - a)), mh = ToInt(down / sy + 2 * (d - b));
  Piece(BandPicture, bl, ft, 0, 0, mw, d);
  Piece(BandPicture, bl, bottom, 0, s - d, mw, d);
  Piece(ColumnPicture, fl, bt, 0, 0, c, mh);
  Piece(ColumnPicture, right, bt, s - c, 0, c, mh);
  Piece(CornerPicture, fl, ft, 0, 0, c, d);
  Piece(CornerPicture, fl, bottom, 0, s - d, c, d);
  Piece(CornerPicture, right, ft, s - c, 0, c, d);
  Piece(CornerPicture, right, bottom, s - c, s - d, c, d);
}

void CWidgetWindow::DrawCellFrame(double left, double right, double top, double bottom) {
  const double sx = ScaleX, sy = ScaleY;
  const WidgetCell& cell = NormalCells[CellIndex >= 0 && CellIndex < NormalCellCount ? CellIndex : 0];
  const PictureId p = cell.Picture;
  const double cw = cell.Width, ch = cell.Height, a = BorderA, b = BorderB;
  const double m = ToInt((HalfLeft + HalfRight + sx - 1) / sx);
  const double mh = ToInt((HalfTop + HalfBottom + sy - 1) / sy);
  const double ol = left - a * sx, ot = top - b * sy;

  SpriteDrawState.Colour = ColourWord(Alpha, Red, Green, Blue);
  Piece(p, left, top, a, b, m, mh);
  Piece(p, ol, top, 0, b, a, mh);
  Piece(p, left, ot, a, 0, m, b);
  Piece(p, left, bottom, a, ch - b, m, b);
  Piece(p, right, top, cw - a, b, a, mh);
  Piece(p, ol, ot, 0, 0, a, b);
  Piece(p, right, ot, cw - a, 0, a, b);
  Piece(p, ol, bottom, 0, ch - b, a, b);
  Piece(p, right, bottom, cw - a, ch - b, a, b);
}
