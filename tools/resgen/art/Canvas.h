#pragma once
// An RGBA picture and the few shapes stand-in art is drawn with. Nothing is
// blended by default: a shape overwrites what lies under it, so a picture is
// the same whatever the platform's rounding. Every shape clips to the canvas.
#include <cstdint>
#include <vector>

struct Rgba {
  std::uint8_t R = 0, G = 0, B = 0, A = 0;
  constexpr bool operator==(const Rgba&) const = default;
  constexpr bool Opaque() const { return A != 0; }
};

constexpr Rgba Clear{0, 0, 0, 0};
constexpr Rgba Rgb(int r, int g, int b, int a = 255) {
  return Rgba{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b),
              static_cast<std::uint8_t>(a)};
}

// a + (b - a) * t, t in 0..1; alpha too.
Rgba Mix(Rgba a, Rgba b, double t);
// Brighter (amount > 0) or darker (amount < 0), keeping the hue; -1..1.
Rgba Shade(Rgba c, double amount);
// The hue turned by `turns` (0..1), saturation and value scaled.
Rgba Tint(Rgba c, double turns, double saturation = 1.0, double value = 1.0);

// Five steps of one colour from the outline to the highlight.
struct Ramp {
  Rgba Ink, Dark, Base, Light, Shine;
  explicit Ramp(Rgba base);
  Ramp() : Ramp(Rgb(128, 128, 128)) {}
};

struct Point {
  double X = 0, Y = 0;
};

class CCanvas {
public:
  CCanvas(int width, int height);

  int Width() const { return W; }
  int Height() const { return H; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
  Rgba Get(int x, int y) const { return Inside(x, y) ? Pixels[Index(x, y)] : Clear; }
  bool OpaqueAt(int x, int y) const { return Get(x, y).Opaque(); }
  const std::vector<Rgba>& Data() const { return Pixels; }

  void Put(int x, int y, Rgba c);
  // Source-over blending of c onto the pixel.
  void Blend(int x, int y, Rgba c);
  // Puts c only where something is drawn already.
  void PutOver(int x, int y, Rgba c);

  void FillRect(int x, int y, int w, int h, Rgba c);
  void FrameRect(int x, int y, int w, int h, Rgba c);
  void Line(int x0, int y0, int x1, int y1, Rgba c);
  // A line `width` pixels thick (round ends).
  void ThickLine(double x0, double y0, double x1, double y1, double width, Rgba c);
  // Pixel centres inside the ellipse.
  void FillEllipse(double cx, double cy, double rx, double ry, Rgba c);
  // The same ellipse lit from the upper left in the ramp's steps.
  void ShadedEllipse(double cx, double cy, double rx, double ry, const Ramp& ramp);
  void FillPolygon(const std::vector<Point>& points, Rgba c);
  // Pixels of the rectangle whose hash falls below `chance` (0..1) take c:
  // a fixed speckle for texture.
  void Speckle(int x, int y, int w, int h, Rgba c, double chance, std::uint32_t seed);

  // Every transparent pixel of the rectangle with an opaque neighbour above,
  // below, left or right (inside the rectangle) becomes c.
  void Outline(int x, int y, int w, int h, Rgba c);
  void Outline(Rgba c) { Outline(0, 0, W, H, c); }
  // Every opaque pixel of the rectangle is mixed towards c by t.
  void Wash(int x, int y, int w, int h, Rgba c, double t);

  // Copies src's rectangle (sx, sy, w, h) to (dx, dy); transparent source
  // pixels leave the target as it is unless `replace`.
  void Draw(const CCanvas& src, int sx, int sy, int w, int h, int dx, int dy, bool replace = false);
  void Draw(const CCanvas& src, int dx, int dy) { Draw(src, 0, 0, src.W, src.H, dx, dy); }
  // The whole canvas mirrored left to right.
  CCanvas Mirrored() const;

  // Whether any pixel of the rectangle is opaque.
  bool AnyOpaque(int x, int y, int w, int h) const;

private:
  int Index(int x, int y) const { return y * W + x; }
  int W, H;
  std::vector<Rgba> Pixels;
};

// Deterministic hash of a few integers: the generator's only randomness.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0, std::uint32_t d = 0);
// A number in 0..1 from the hash.
double Hash01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0, std::uint32_t d = 0);
