#include "art/Effects.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979;

// A glowing ball with a tail behind it (to the left), frame k of n.
void Orb(CCanvas& c, int x, int y, Rgba core, Rgba glow, int k) {
  const double cx = x + 12, cy = y + 10;
  for (int i = 3; i >= 1; --i) c.FillEllipse(cx - i * 3.2, cy + ((i + k) % 2 ? 0.6 : -0.6), 2.6 - i * 0.5, 2.2 - i * 0.4, Mix(glow, Clear, i * 0.22));
  c.FillEllipse(cx, cy, 4.2 + (k % 2) * 0.6, 4.0, glow);
  c.FillEllipse(cx + 0.5, cy - 0.5, 2.2, 2.0, core);
  c.Put(static_cast<int>(cx + 1), static_cast<int>(cy - 2), Rgb(255, 255, 255));
}

// A tongue of flame rising, frame k (0 small, growing, then dying down).
void Flame(CCanvas& c, int x, int y, int k, int frames, Rgba outer, Rgba inner) {
  const double t = k / static_cast<double>(frames - 1);
  const double h = 4 + 10 * std::sin(t * Pi * 0.85 + 0.15), w = 3 + 3 * std::sin(t * Pi);
  const double cx = x + 10, base = y + 17;
  c.FillPolygon({{cx - w, base}, {cx - w * 0.6, base - h * 0.55}, {cx + (k % 2 ? 1 : -1), base - h}, {cx + w * 0.6, base - h * 0.5}, {cx + w, base}}, outer);
  c.FillPolygon({{cx - w * 0.5, base}, {cx, base - h * 0.6}, {cx + w * 0.5, base}}, inner);
  if (k == frames - 1) c.Wash(x, y, 20, 20, Rgb(90, 80, 80), 0.5);  // smoke as it dies
}

// A star of light for the wand's bolt.
void Spark(CCanvas& c, int x, int y, int k) {
  const double cx = x + 10, cy = y + 10, r = 5 + (k % 2) * 1.5;
  for (int i = 0; i < 8; ++i) {
    const double a = i * Pi / 4 + k * Pi / 8, len = i % 2 ? r * 0.55 : r;
    c.Line(static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(cx + std::cos(a) * len), static_cast<int>(cy + std::sin(a) * len),
           i % 2 ? Rgb(255, 230, 140) : Rgb(255, 255, 220));
  }
  c.FillEllipse(cx, cy, 2, 2, Rgb(255, 255, 255));
  c.FillEllipse(cx - 6, cy, 1.2, 1.2, Rgb(255, 220, 120, 160));
}

// A cloud of gas swelling over seven frames; k is the cell's column.
void Cloud(CCanvas& c, int x, int y, int k, Rgba gas) {
  const double grow = 0.35 + k * 0.17;
  const double cx = x + 20, cy = y + 22;
  for (int i = 0; i < 7; ++i) {
    const double a = i * 2 * Pi / 7 + k * 0.4;
    const double px = cx + std::cos(a) * 8 * grow, py = cy + std::sin(a) * 5 * grow - 2 * grow;
    c.FillEllipse(px, py, 5 * grow + 1, 4 * grow + 1, Mix(gas, Rgb(255, 255, 255), i % 2 ? 0.0 : 0.25));
  }
  c.FillEllipse(cx, cy - 2 * grow, 7 * grow, 5 * grow, Mix(gas, Rgb(255, 255, 255), 0.35));
  CCanvas o(c.Width(), c.Height());
  o.Draw(c, x, y, 40, 40, x, y, true);
  o.Outline(x, y, 40, 40, Shade(gas, -0.6));
  c.Draw(o, x, y, 40, 40, x, y, true);
  // The cloud thins as it spreads.
  if (k >= 3)
    for (int j = y; j < y + 40; ++j)
      for (int i = x; i < x + 40; ++i)
        if (c.OpaqueAt(i, j)) {
          Rgba p = c.Get(i, j);
          p.A = static_cast<std::uint8_t>(255 - (k - 2) * 40);
          c.Put(i, j, p);
        }
}

}  // namespace

void PaintInterfaceEffects(CCanvas& sheet) {
  for (int k = 0; k < 4; ++k) Spark(sheet, 20 * k, 200, k);                                      // the wand's bolt
  for (int k = 0; k < 2; ++k) Orb(sheet, 80 + 20 * k, 220, Rgb(230, 250, 255), Rgb(110, 190, 255), k);  // staff magic, ghost fire
  for (int k = 0; k < 2; ++k) Orb(sheet, 40 + 20 * k, 220, Rgb(255, 250, 200), Rgb(255, 120, 30), k);   // dragon's breath
  for (int k = 0; k < 2; ++k) Orb(sheet, 120 + 20 * k, 220, Rgb(255, 200, 220), Rgb(220, 30, 80), k);   // the vampire's spell
  for (int k = 0; k < 5; ++k) {
    Flame(sheet, 20 * k, 160, k, 5, Rgb(255, 120, 20), Rgb(255, 230, 90));
    Flame(sheet, 20 * k, 180, k, 5, Rgb(120, 170, 255), Rgb(230, 245, 255));
  }
  for (int k = 0; k < 2; ++k) Flame(sheet, 100 + 20 * k, 180, k + 1, 4, Rgb(230, 40, 90), Rgb(255, 190, 210));
}

CCanvas DrawBurstSheet() {
  CCanvas c(512, 512);
  // Rows by trap: sleeping (y 240), paralysing (120), poison (80),
  // confusion (160), slowness (200); each swells over five cells.
  const struct {
    int Y;
    Rgba Gas;
  } clouds[5] = {{240, Rgb(130, 160, 250)}, {120, Rgb(240, 230, 90)}, {80, Rgb(120, 210, 90)}, {160, Rgb(240, 130, 230)}, {200, Rgb(180, 190, 210)}};
  for (const auto& cloud : clouds)
    for (int k = 0; k < 5; ++k) Cloud(c, 40 * k, cloud.Y, k, cloud.Gas);
  return c;
}
