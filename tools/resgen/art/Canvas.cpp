#include "art/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void ToHsv(Rgba c, double& h, double& s, double& v) {
  const double r = c.R / 255.0, g = c.G / 255.0, b = c.B / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  v = mx;
  s = mx > 0 ? d / mx : 0;
  if (d <= 0) {
    h = 0;
  } else if (mx == r) {
    h = std::fmod((g - b) / d + 6.0, 6.0) / 6.0;
  } else if (mx == g) {
    h = ((b - r) / d + 2.0) / 6.0;
  } else {
    h = ((r - g) / d + 4.0) / 6.0;
  }
}

Rgba FromHsv(double h, double s, double v, std::uint8_t a) {
  h = h - std::floor(h);
  s = std::clamp(s, 0.0, 1.0);
  v = std::clamp(v, 0.0, 1.0);
  const double i = std::floor(h * 6.0), f = h * 6.0 - i;
  const double p = v * (1 - s), q = v * (1 - f * s), t = v * (1 - (1 - f) * s);
  double r = v, g = t, b = p;
  switch (static_cast<int>(i) % 6) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
  }
  return Rgba{Byte(r * 255), Byte(g * 255), Byte(b * 255), a};
}

}  // namespace

Rgba Mix(Rgba a, Rgba b, double t) {
  return Rgba{Byte(a.R + (b.R - a.R) * t), Byte(a.G + (b.G - a.G) * t), Byte(a.B + (b.B - a.B) * t),
              Byte(a.A + (b.A - a.A) * t)};
}

Rgba Shade(Rgba c, double amount) {
  double h, s, v;
  ToHsv(c, h, s, v);
  if (amount >= 0) {
    // Light moves towards white and a little towards yellow.
    v = v + (1 - v) * amount * 0.8;
    s = s * (1 - amount * 0.45);
    h = h + (h < 0.5 ? -0.015 : 0.015) * amount * (h > 0.05 && h < 0.3 ? 0 : 1);
  } else {
    // Shadow deepens and leans towards blue-violet.
    v = v * (1 + amount * 0.75);
    s = std::min(1.0, s * (1 - amount * 0.25) + (-amount) * 0.05);
    const double toward = 0.70;
    const double diff = toward - h;
    h = h + diff * (-amount) * 0.12;
  }
  return FromHsv(h, s, v, c.A);
}

Rgba Tint(Rgba c, double turns, double saturation, double value) {
  double h, s, v;
  ToHsv(c, h, s, v);
  return FromHsv(h + turns, s * saturation, v * value, c.A);
}

Ramp::Ramp(Rgba base)
    : Ink(Shade(base, -0.78)), Dark(Shade(base, -0.38)), Base(base), Light(Shade(base, 0.32)),
      Shine(Shade(base, 0.68)) {}

CCanvas::CCanvas(int width, int height)
    : W(std::max(width, 0)), H(std::max(height, 0)), Pixels(static_cast<std::size_t>(W) * H) {}

void CCanvas::Put(int x, int y, Rgba c) {
  if (Inside(x, y)) Pixels[Index(x, y)] = c;
}

void CCanvas::Blend(int x, int y, Rgba c) {
  if (!Inside(x, y) || c.A == 0) return;
  Rgba& d = Pixels[Index(x, y)];
  if (c.A == 255 || d.A == 0) {
    d = c;
    return;
  }
  const double a = c.A / 255.0, b = d.A / 255.0 * (1 - a), out = a + b;
  d = Rgba{Byte((c.R * a + d.R * b) / out), Byte((c.G * a + d.G * b) / out), Byte((c.B * a + d.B * b) / out),
           Byte(out * 255)};
}

void CCanvas::PutOver(int x, int y, Rgba c) {
  if (OpaqueAt(x, y)) Put(x, y, c);
}

void CCanvas::FillRect(int x, int y, int w, int h, Rgba c) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0), x1 = std::min(x + w, W), y1 = std::min(y + h, H);
  for (int j = y0; j < y1; ++j)
    for (int i = x0; i < x1; ++i) Pixels[Index(i, j)] = c;
}

void CCanvas::FrameRect(int x, int y, int w, int h, Rgba c) {
  if (w <= 0 || h <= 0) return;
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void CCanvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Put(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void CCanvas::ThickLine(double x0, double y0, double x1, double y1, double width, Rgba c) {
  const double r = width / 2.0;
  const int minX = static_cast<int>(std::floor(std::min(x0, x1) - r)), maxX = static_cast<int>(std::ceil(std::max(x0, x1) + r));
  const int minY = static_cast<int>(std::floor(std::min(y0, y1) - r)), maxY = static_cast<int>(std::ceil(std::max(y0, y1) + r));
  const double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      double t = len2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = x0 + vx * t - px, ey = y0 + vy * t - py;
      if (ex * ex + ey * ey <= r * r + 0.01) Put(x, y, c);
    }
  }
}

void CCanvas::FillEllipse(double cx, double cy, double rx, double ry, Rgba c) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0) Put(x, y, c);
    }
}

void CCanvas::ShadedEllipse(double cx, double cy, double rx, double ry, const Ramp& ramp) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      const double d = u * u + v * v;
      if (d > 1.0) continue;
      // Light from the upper left; the rim facing away falls into shadow.
      const double lit = -(u + v) * 0.7 + (1 - d) * 0.5;
      Rgba c = ramp.Base;
      if (lit > 0.55 && d < 0.35) c = ramp.Shine;
      else if (lit > 0.2) c = ramp.Light;
      else if (lit < -0.45) c = ramp.Dark;
      Put(x, y, c);
    }
}

void CCanvas::FillPolygon(const std::vector<Point>& points, Rgba c) {
  if (points.size() < 3) return;
  double minY = points[0].Y, maxY = points[0].Y;
  for (const Point& p : points) minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    const double py = y + 0.5;
    std::vector<double> xs;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Point& a = points[i];
      const Point& b = points[(i + 1) % points.size()];
      if ((a.Y <= py && b.Y > py) || (b.Y <= py && a.Y > py)) xs.push_back(a.X + (py - a.Y) / (b.Y - a.Y) * (b.X - a.X));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x) Put(x, y, c);
  }
}

void CCanvas::Speckle(int x, int y, int w, int h, Rgba c, double chance, std::uint32_t seed) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (Hash01(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), seed) < chance) Put(i, j, c);
}

void CCanvas::Outline(int x, int y, int w, int h, Rgba c) {
  std::vector<char> edge(static_cast<std::size_t>(std::max(w, 0)) * std::max(h, 0), 0);
  auto solid = [&](int i, int j) { return i >= x && j >= y && i < x + w && j < y + h && OpaqueAt(i, j); };
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (!OpaqueAt(i, j) && (solid(i - 1, j) || solid(i + 1, j) || solid(i, j - 1) || solid(i, j + 1)))
        edge[static_cast<std::size_t>(j - y) * w + (i - x)] = 1;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (edge[static_cast<std::size_t>(j - y) * w + (i - x)]) Put(i, j, c);
}

void CCanvas::Wash(int x, int y, int w, int h, Rgba c, double t) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (OpaqueAt(i, j)) {
        Rgba m = Mix(Get(i, j), c, t);
        m.A = Get(i, j).A;
        Put(i, j, m);
      }
}

void CCanvas::Draw(const CCanvas& src, int sx, int sy, int w, int h, int dx, int dy, bool replace) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const Rgba c = src.Get(sx + i, sy + j);
      if (replace) Put(dx + i, dy + j, c);
      else if (c.A == 255) Put(dx + i, dy + j, c);
      else if (c.A != 0) Blend(dx + i, dy + j, c);
    }
}

CCanvas CCanvas::Mirrored() const {
  CCanvas out(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) out.Put(W - 1 - x, y, Get(x, y));
  return out;
}

bool CCanvas::AnyOpaque(int x, int y, int w, int h) const {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (OpaqueAt(i, j)) return true;
  return false;
}

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  std::uint32_t h = 0x9E3779B9u ^ a;
  for (const std::uint32_t v : {b, c, d}) {
    h ^= v + 0x7F4A7C15u + (h << 6) + (h >> 2);
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
  }
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  return h;
}

double Hash01(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return (Hash(a, b, c, d) >> 8) / 16777216.0;
}
