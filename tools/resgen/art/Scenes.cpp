#include "art/Scenes.h"

#include <cmath>

#include "art/PixelFont.h"

namespace {

constexpr double Pi = 3.14159265358979;

// A ridge line that repeats every `period` pixels: heights from a few sines.
double Ridge(double x, double period, double seed) {
  const double t = 2 * Pi * x / period;
  return std::sin(t + seed) * 0.5 + std::sin(2 * t + seed * 1.7) * 0.3 + std::sin(5 * t + seed * 2.3) * 0.15;
}

void Cloud(CCanvas& c, double x, double y, double w, int period, int left, int right) {
  // Drawn three times so that it wraps round the strip's edges.
  for (const double shift : {-1.0, 0.0, 1.0}) {
    const double cx = x + shift * period;
    CCanvas piece(c.Width(), c.Height());
    piece.FillEllipse(cx, y, w, w * 0.45, Rgb(255, 255, 255));
    piece.FillEllipse(cx - w * 0.5, y + 2, w * 0.55, w * 0.3, Rgb(240, 244, 252));
    piece.FillEllipse(cx + w * 0.55, y + 2, w * 0.5, w * 0.28, Rgb(240, 244, 252));
    piece.FillRect(static_cast<int>(cx - w), static_cast<int>(y + w * 0.3), static_cast<int>(2 * w), 2, Rgb(214, 224, 240));
    for (int j = 0; j < c.Height(); ++j)
      for (int i = left; i < right; ++i)
        if (piece.OpaqueAt(i, j)) c.Put(i, j, piece.Get(i, j));
  }
}

void Tree(CCanvas& c, double x, double base, double h, Rgba leaf, int left, int right) {
  for (const double shift : {-140.0, 0.0, 140.0}) {
    const double cx = x + shift;
    if (cx < left - 10 || cx > right + 10) continue;
    CCanvas piece(c.Width(), c.Height());
    piece.FillRect(static_cast<int>(cx - 1), static_cast<int>(base - h * 0.4), 2, static_cast<int>(h * 0.4), Rgb(90, 60, 40));
    piece.FillPolygon({{cx - h * 0.35, base - h * 0.3}, {cx, base - h}, {cx + h * 0.35, base - h * 0.3}}, leaf);
    piece.FillPolygon({{cx - h * 0.3, base - h * 0.55}, {cx, base - h * 1.15}, {cx + h * 0.3, base - h * 0.55}}, Shade(leaf, 0.15));
    for (int j = 0; j < c.Height(); ++j)
      for (int i = left; i < right; ++i)
        if (piece.OpaqueAt(i, j)) c.Put(i, j, piece.Get(i, j));
  }
}

}  // namespace

void PaintTitleLandscape(CCanvas& c) {
  const int w = 140;
  // Clouds (rows 0-79) on clear sky.
  Cloud(c, 30, 30, 16, w, 0, w);
  Cloud(c, 100, 55, 11, w, 0, w);
  Cloud(c, 70, 15, 8, w, 0, w);
  // Sky (rows 80-259): deep blue above, pale at the horizon, with far
  // mountains; then the foot of the mountains down to row 279.
  for (int y = 80; y < 280; ++y)
    for (int x = 0; x < w; ++x) {
      const double t = (y - 80) / 180.0;
      Rgba sky = Mix(Rgb(60, 110, 210), Rgb(190, 220, 250), std::min(1.0, t * 1.15));
      const double far = 215 - 22 * Ridge(x, w, 0.3) - 10;
      const double near = 240 - 14 * Ridge(x, w, 2.1);
      if (y > far) sky = Mix(Rgb(120, 140, 190), Rgb(150, 170, 210), (y - far) / 40.0);
      if (y > far && y < far + 4 && Ridge(x * 3, w, 1) > 0.2) sky = Rgb(240, 246, 255);  // snow on the peaks
      if (y > near) sky = Mix(Rgb(70, 120, 110), Rgb(60, 100, 90), (y - near) / 40.0);
      c.Put(x, y, sky);
    }
  for (int i = 0; i < 7; ++i) Tree(c, 10 + i * 20, 279, 14 + (i % 3) * 4, Rgb(40, 90, 70), 0, w);
  // Hills (rows 280-399), open above their line.
  for (int y = 280; y < 400; ++y)
    for (int x = 0; x < w; ++x) {
      const double line = 320 - 18 * Ridge(x, w, 4.0);
      if (y < line) continue;
      const double d = y - line;
      Rgba g = d < 2 ? Rgb(150, 210, 110) : Mix(Rgb(100, 170, 80), Rgb(60, 120, 60), std::min(1.0, d / 60));
      if (Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 11u) < 0.05) g = Shade(g, 0.15);
      c.Put(x, y, g);
    }
  for (int i = 0; i < 4; ++i) Tree(c, 15 + i * 35, 342 - 10 * Ridge(15 + i * 35, w, 4.0), 18, Rgb(50, 110, 60), 0, w);
  // Ground (rows 400-499): grass and flowers in front.
  for (int y = 400; y < 500; ++y)
    for (int x = 0; x < w; ++x) {
      const double line = 445 - 6 * Ridge(x, w, 5.5);
      if (y < line) continue;
      Rgba g = y - line < 2 ? Rgb(170, 230, 110) : Mix(Rgb(90, 160, 60), Rgb(60, 110, 40), (y - line) / 55.0);
      const double n = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 13u);
      if (n < 0.02) g = Rgb(250, 240, 120);
      else if (n < 0.035) g = Rgb(250, 140, 160);
      c.Put(x, y, g);
    }
}

void PaintLogo(CCanvas& c, int x, int y, bool japanese) {
  const Rgba gold = Rgb(250, 214, 90), deep = Rgb(90, 40, 20), glass = Rgb(200, 236, 250);
  const Rgba accent = japanese ? Rgb(220, 70, 90) : Rgb(120, 80, 220);
  // The emblem: a flask with a glowing brew, on the left.
  CCanvas logo(150, 80);
  logo.FillEllipse(24, 46, 16, 15, glass);
  logo.FillRect(18, 18, 12, 20, glass);
  logo.FillRect(16, 14, 16, 5, Rgb(150, 104, 60));
  logo.FillEllipse(24, 50, 13, 10, accent);
  logo.FillEllipse(20, 46, 3, 3, Rgb(255, 255, 255));
  for (int i = 0; i < 3; ++i) logo.FillEllipse(22 + i * 4, 36 - i * 7, 2, 2, Mix(accent, Rgb(255, 255, 255), 0.5));
  // The name in large letters with a gold face and a dark shadow.
  DrawText(logo, 48 + 2, 22 + 2, "VORLUMEN", deep, 2);
  DrawText(logo, 48, 22, "VORLUMEN", gold, 2);
  DrawText(logo, 48, 44, japanese ? "- ALCHEMY -" : "ALCHEMY", Rgb(255, 255, 255), 1);
  DrawText(logo, 48, 56, "DUNGEON", Rgb(255, 255, 255), 1);
  logo.FillRect(48, 40, 94, 1, accent);
  logo.Outline(Rgb(30, 20, 40));
  c.Draw(logo, x, y);
}

void PaintEndingPieces(CCanvas& c) {
  // The alchemist's tower, forty wide and a hundred tall.
  const Ramp stone(Rgb(150, 140, 160));
  c.FillPolygon({{160.0, 20.0}, {180.0, 0.0}, {200.0, 20.0}}, Rgb(150, 50, 90));
  c.FillRect(164, 20, 32, 80, stone.Base);
  c.FillRect(164, 20, 6, 80, stone.Light), c.FillRect(190, 20, 6, 80, stone.Dark);
  for (int y = 24; y < 100; y += 6) c.FillRect(164, y, 32, 1, stone.Dark);
  for (const int y : {32, 52, 72}) c.FillRect(177, y, 6, 8, Rgb(250, 220, 120)), c.FillRect(177, y, 6, 2, Rgb(60, 40, 40));
  c.FillRect(174, 88, 12, 12, Rgb(60, 40, 40));
  c.Outline(160, 0, 40, 100, Rgb(30, 20, 40));
  // Two puffs of dust.
  for (int k = 0; k < 2; ++k) {
    const double r = 5 + 3 * k;
    c.FillEllipse(170 + 20 * k, 112 - k, r, r * 0.8, Rgb(200, 180, 150));
    c.FillEllipse(167 + 20 * k, 110 - k, r * 0.5, r * 0.4, Rgb(230, 214, 190));
  }
  // The ground piece the hero stands on: turf over earth.
  c.FillRect(160, 126, 80, 34, Rgb(120, 84, 50));
  for (int x = 160; x < 240; ++x) {
    const int top = 122 + static_cast<int>(2 * std::sin(x * 0.3));
    c.FillRect(x, top, 1, 126 - top + 2, Rgb(90, 170, 70));
    if (x % 7 == 0) c.Put(x, top - 1, Rgb(130, 200, 90));
  }
  for (int i = 0; i < 12; ++i) c.FillEllipse(165 + i * 6.5, 140 + (i % 3) * 6, 1.5, 1, Rgb(90, 60, 36));
}

void PaintControlsPicture(CCanvas& c) {
  // A pad seen from above: the direction cross, four buttons, the
  // shoulder buttons; and the same shapes lit, for the highlight.
  for (int k = 0; k < 2; ++k) {
    const int x = 380, y = 160 + 160 * k;
    const Rgba body = k ? Rgb(255, 255, 255) : Rgb(70, 72, 90);
    const Rgba parts = k ? Rgb(255, 255, 200) : Rgb(30, 30, 40);
    c.FillRect(x + 12, y + 6, 24, 6, k ? body : Rgb(110, 110, 130));
    c.FillRect(x + 64, y + 6, 24, 6, k ? body : Rgb(110, 110, 130));
    c.FillEllipse(x + 50, y + 80, 44, 70, body);
    c.FillRect(x + 22, y + 40, 6, 18, parts), c.FillRect(x + 16, y + 46, 18, 6, parts);
    for (int i = 0; i < 4; ++i) {
      const double a = i * Pi / 2;
      c.FillEllipse(x + 72 + std::cos(a) * 8, y + 49 + std::sin(a) * 8, 4, 4, k ? parts : Rgb(200, 60 + i * 40, 80));
    }
    c.FillRect(x + 40, y + 70, 8, 3, parts), c.FillRect(x + 54, y + 70, 8, 3, parts);
    c.FillEllipse(x + 36, y + 100, 9, 9, parts), c.FillEllipse(x + 64, y + 100, 9, 9, parts);
    if (!k) c.Outline(x, y, 100, 160, Rgb(20, 20, 30));
  }
}

void PaintSelectLandscape(CCanvas& c) {
  const int w = 512;
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < w; ++x) {
      // A dusk sky over far castles and forest, ground below.
      const double t = y / 300.0;
      Rgba p = Mix(Rgb(40, 40, 110), Rgb(250, 170, 120), std::min(1.0, t * t * 1.3));
      const double far = 250 - 30 * Ridge(x, w, 0.7);
      const double near = 285 - 14 * Ridge(x, w, 3.3);
      if (y > far) p = Mix(Rgb(90, 70, 120), Rgb(70, 60, 100), (y - far) / 60.0);
      if (y > near) p = Mix(Rgb(50, 80, 70), Rgb(40, 60, 50), std::min(1.0, (y - near) / 40.0));
      if (y > 310) p = Mix(Rgb(120, 100, 70), Rgb(80, 64, 50), std::min(1.0, (y - 310) / 200.0));
      if (y > 310 && Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 21u) < 0.04) p = Shade(p, -0.2);
      if (y < 200 && Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 22u) < 0.004) p = Rgb(255, 250, 220);
      c.Put(x, y, p);
    }
  // Castle silhouettes on the far ridge, two of them round the strip.
  for (const int cx : {120, 380}) {
    const double base = 250 - 30 * Ridge(cx, w, 0.7);
    const Rgba wall = Rgb(70, 56, 100);
    c.FillRect(cx - 20, static_cast<int>(base - 24), 40, 26, wall);
    for (const int tx : {-22, 18}) {
      c.FillRect(cx + tx, static_cast<int>(base - 36), 6, 38, wall);
      c.FillPolygon({{cx + tx - 1.0, base - 36}, {cx + tx + 3.0, base - 44}, {cx + tx + 7.0, base - 36}}, Rgb(110, 60, 90));
    }
    for (int i = 0; i < 4; ++i) c.FillRect(cx - 14 + i * 8, static_cast<int>(base - 16), 2, 3, Rgb(250, 210, 120));
  }
}

void PaintStudioCard(CCanvas& c, int x, int y, int w, int h) {
  // Dark letters on the screen's white, under a small flask.
  const int textW = TextWidth("VORLUMEN", 3);
  const int tx = x + (w - textW) / 2, ty = y + h / 2 - 6;
  c.FillEllipse(x + w / 2.0, y + 16, 7, 7, Rgb(200, 236, 250));
  c.FillRect(x + w / 2 - 2, y + 4, 5, 7, Rgb(200, 236, 250));
  c.FillEllipse(x + w / 2.0, y + 18, 5.5, 4.5, Rgb(120, 80, 220));
  c.Outline(x, y, w, 30, Rgb(40, 30, 60));
  DrawText(c, tx, ty, "VORLUMEN", Rgb(40, 30, 60), 3);
  const int subW = TextWidth("PROJECT", 2);
  DrawText(c, x + (w - subW) / 2, ty + 26, "PROJECT", Rgb(120, 80, 220), 2);
}

void PaintCreditCard(CCanvas& c, int x, int y, int w, int h, bool emblem) {
  if (emblem) {
    // A round seal with a flask in it.
    const double cx = x + w / 2.0, cy = y + h / 2.0, r = h / 2.0 - 2;
    c.FillEllipse(cx, cy, r, r, Rgb(60, 40, 90));
    c.FillEllipse(cx, cy, r - 2, r - 2, Rgb(250, 214, 90));
    c.FillEllipse(cx, cy + 4, 8, 8, Rgb(200, 236, 250));
    c.FillRect(static_cast<int>(cx) - 3, static_cast<int>(cy) - 12, 6, 10, Rgb(200, 236, 250));
    c.FillEllipse(cx, cy + 6, 6, 5, Rgb(120, 80, 220));
    return;
  }
  const int tw = TextWidth("ALCHEMY", 2);
  DrawText(c, x + (w - tw) / 2, y + 2, "ALCHEMY", Rgb(40, 30, 60), 2);
  const int sw = TextWidth("AND DUNGEONS", 1);
  DrawText(c, x + (w - sw) / 2, y + h - 10, "AND DUNGEONS", Rgb(120, 80, 220), 1);
}
