#include "PatternPictures.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstring>

namespace {

constexpr int Tile = 16;

// 3 x 5 digits, one row per 3 bits.
constexpr std::uint8_t Digits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

enum Ink : std::uint8_t { Key, Light, Dark, Grid, DarkInk, LightInk, InkCount };

void Hsv(double h, double s, double v, std::uint8_t* rgb) {
  const double i = std::floor(h * 6.0);
  const double f = h * 6.0 - i;
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
  rgb[0] = static_cast<std::uint8_t>(std::lround(r * 255));
  rgb[1] = static_cast<std::uint8_t>(std::lround(g * 255));
  rgb[2] = static_cast<std::uint8_t>(std::lround(b * 255));
}

std::vector<std::uint8_t> Encode(png_image& image, const void* pixels, const void* colourMap) {
  std::vector<std::uint8_t> out(PNG_IMAGE_PNG_SIZE_MAX(image));
  png_alloc_size_t size = out.size();
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, colourMap)) {
    png_image_free(&image);
    return {};
  }
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> EncodeIndexed(int size, const std::vector<std::uint8_t>& indices,
                                        const std::uint8_t* colourMap, int entries) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(entries);
  image.flags = PNG_IMAGE_FLAG_FAST;
  return Encode(image, indices.data(), colourMap);
}

std::vector<std::uint8_t> EncodeRgba(int size, const std::vector<std::uint8_t>& rgba) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGBA;
  return Encode(image, rgba.data(), nullptr);
}

// One 16 x 16 tile: grid lines on its top and left, the id in the top-left
// corner, the colour key in the bottom-right pixel.
Ink TileInk(int pictureId, int tx, int ty, bool dark) {
  if (tx == 0 || ty == 0) return Grid;
  if (tx == Tile - 1 && ty == Tile - 1) return Key;
  const Ink paper = dark ? Dark : Light;
  const Ink ink = dark ? LightInk : DarkInk;
  char text[8];
  int length = 0;
  int id = pictureId;
  do {
    text[length++] = static_cast<char>(id % 10);
    id /= 10;
  } while (id > 0 && length < 4);
  const int gx = tx - 2, gy = ty - 2;
  if (gy >= 0 && gy < 5 && gx >= 0 && gx < 4 * length) {
    const int digit = text[length - 1 - gx / 4];
    const int column = gx % 4;
    if (column < 3 && (Digits[digit][gy] >> (2 - column)) & 1) return ink;
  }
  // A short diagonal below the number shows which way the tile is turned.
  if (ty >= 9 && ty <= 13 && tx == ty - 7) return ink;
  return paper;
}

}  // namespace

std::vector<std::uint8_t> MakePatternPicture(int pictureId, int size) {
  std::uint8_t colours[InkCount * 3] = {};
  colours[Key * 3 + 1] = 0xFF;  // opaque pure green: keyed to transparent
  const double hue = std::fmod(pictureId * 0.6180339887, 1.0);
  Hsv(hue, 0.35, 0.95, colours + Light * 3);
  Hsv(hue, 0.75, 0.50, colours + Dark * 3);
  Hsv(hue, 0.85, 0.25, colours + Grid * 3);
  colours[DarkInk * 3 + 0] = colours[DarkInk * 3 + 1] = colours[DarkInk * 3 + 2] = 0x10;
  colours[LightInk * 3 + 0] = colours[LightInk * 3 + 1] = colours[LightInk * 3 + 2] = 0xF4;

  std::vector<std::uint8_t> indices(static_cast<std::size_t>(size) * size);
  // Every tile looks alike but for its shade, so draw the two kinds once.
  std::uint8_t tiles[2][Tile][Tile];
  for (int dark = 0; dark < 2; ++dark)
    for (int y = 0; y < Tile; ++y)
      for (int x = 0; x < Tile; ++x) tiles[dark][y][x] = TileInk(pictureId, x, y, dark != 0);
  for (int y = 0; y < size; ++y) {
    std::uint8_t* row = indices.data() + static_cast<std::size_t>(y) * size;
    for (int x = 0; x < size; ++x) {
      const int dark = ((x / Tile) + (y / Tile)) & 1;
      row[x] = tiles[dark][y % Tile][x % Tile];
    }
  }
  return EncodeIndexed(size, indices, colours, InkCount);
}

std::vector<std::uint8_t> MakePlainPicture(int size, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const std::uint8_t colour[3] = {r, g, b};
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(size) * size, 0);
  return EncodeIndexed(size, indices, colour, 1);
}

namespace {

// How far (x, y) lies inside the box; negative outside.
double BoxDepth(double x, double y, double left, double top, double right, double bottom) {
  return std::min(std::min(x - left, right - x), std::min(y - top, bottom - y));
}

}  // namespace

// A round flask with a narrow neck and a rim, its lower part full of a
// violet brew, on a transparent ground.
std::vector<std::uint8_t> DrawIconArt(int size) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4, 0);
  const double s = size;
  const double cx = 0.5 * s, cy = 0.64 * s, radius = 0.33 * s;
  const double outline = std::max(1.0, 0.06 * s);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double body = radius - std::hypot(px - cx, py - cy);
      const double neck = BoxDepth(px, py, cx - 0.1 * s, 0.12 * s, cx + 0.1 * s, cy);
      const double rim = BoxDepth(px, py, cx - 0.15 * s, 0.06 * s, cx + 0.15 * s, 0.14 * s);
      const double depth = std::max(body, std::max(neck, rim));
      if (depth < 0) continue;
      std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * size + x) * 4;
      if (depth < outline || rim >= 0) {
        p[0] = 0x2A, p[1] = 0x1E, p[2] = 0x3C;
      } else if (body >= 0 && py > cy - 0.04 * s) {
        p[0] = 0x9B, p[1] = 0x4D, p[2] = 0xE0;  // the brew
      } else {
        p[0] = 0xCF, p[1] = 0xEA, p[2] = 0xF5;  // glass
      }
      p[3] = 0xFF;
    }
  }
  return rgba;
}

namespace {

void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Put16(v, static_cast<std::uint16_t>(x));
  Put16(v, static_cast<std::uint16_t>(x >> 16));
}

// An icon image as Windows keeps small ones: a 32-bit DIB of twice the
// height, colour rows bottom-up, then the transparency mask.
std::vector<std::uint8_t> IconDib(int size, const std::vector<std::uint8_t>& rgba) {
  const std::uint32_t maskStride = static_cast<std::uint32_t>((size + 31) / 32 * 4);
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(size * size * 4) + maskStride * static_cast<std::uint32_t>(size));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * size + x) * 4;
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x)
      if (rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

IconSet MakeIcon(std::uint16_t firstIconId) {
  static const int Sizes[] = {16, 32, 48, 256};
  IconSet set;
  Put16(set.Group, 0);
  Put16(set.Group, 1);  // icons, not cursors
  Put16(set.Group, static_cast<std::uint16_t>(std::size(Sizes)));
  std::uint16_t id = firstIconId;
  for (const int size : Sizes) {
    const std::vector<std::uint8_t> rgba = DrawIconArt(size);
    // The large image is kept as PNG, as Windows does.
    std::vector<std::uint8_t> image = size >= 256 ? EncodeRgba(size, rgba) : IconDib(size, rgba);
    set.Group.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    set.Group.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    set.Group.push_back(0);  // colours
    set.Group.push_back(0);
    Put16(set.Group, 1);   // planes
    Put16(set.Group, 32);  // bits
    Put32(set.Group, static_cast<std::uint32_t>(image.size()));
    Put16(set.Group, id++);
    set.Images.push_back(std::move(image));
  }
  return set;
}

std::vector<std::uint8_t> MakeDesktopIcon(int size) {
  if (size <= 0) return {};
  int art = 0;
  for (const int drawn : {16, 32, 48})
    if (size % drawn == 0) art = drawn;
  if (art == 0) return {};
  const std::vector<std::uint8_t> small = DrawIconArt(art);
  const int k = size / art;
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      std::memcpy(&rgba[(static_cast<std::size_t>(y) * size + x) * 4],
                  &small[(static_cast<std::size_t>(y / k) * art + x / k) * 4], 4);
  return EncodeRgba(size, rgba);
}
