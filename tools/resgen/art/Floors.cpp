#include "art/Floors.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

constexpr int Cell = 20;  // texels of one floor cell

enum class Ground { Grass, Sand, Dirt, Tiles, Checker, Planks, Ice, Snow, Basalt, Marble, Metal, Gravel };
enum class Wall { Hedge, Rock, Brick, IceBlock, SnowRock, Metal };
enum class Decor { Plants, Stones, Bones, Crystals, Embers, Gears };

struct AreaLook {
  int Resource;
  Ground Floor;
  Wall WallKind;
  Rgba FloorBase, FloorAccent, Rim, WallTop, WallFace, Path, Water;
  bool Lava;
  Decor Decoration;
};

// One row per area sheet: each area its own ground, walls and palette.
const AreaLook Areas[] = {
    {300, Ground::Grass, Wall::Hedge, Rgb(92, 150, 62), Rgb(128, 184, 78), Rgb(104, 78, 46), Rgb(46, 104, 48),
     Rgb(74, 58, 38), Rgb(170, 140, 92), Rgb(58, 110, 200), false, Decor::Plants},
    {301, Ground::Sand, Wall::Rock, Rgb(214, 196, 140), Rgb(236, 220, 170), Rgb(150, 122, 80), Rgb(120, 128, 120),
     Rgb(82, 86, 84), Rgb(176, 142, 96), Rgb(46, 112, 206), false, Decor::Stones},
    {302, Ground::Dirt, Wall::Rock, Rgb(150, 118, 84), Rgb(172, 140, 100), Rgb(78, 56, 40), Rgb(88, 64, 48),
     Rgb(56, 38, 28), Rgb(112, 92, 70), Rgb(48, 86, 150), false, Decor::Stones},
    {303, Ground::Gravel, Wall::Rock, Rgb(104, 110, 124), Rgb(132, 138, 154), Rgb(48, 50, 62), Rgb(66, 72, 96),
     Rgb(38, 40, 56), Rgb(128, 126, 138), Rgb(36, 70, 130), false, Decor::Crystals},
    {304, Ground::Checker, Wall::Brick, Rgb(170, 164, 150), Rgb(120, 114, 104), Rgb(84, 78, 70), Rgb(150, 146, 140),
     Rgb(96, 92, 88), Rgb(132, 120, 104), Rgb(48, 90, 170), false, Decor::Bones},
    {305, Ground::Tiles, Wall::Brick, Rgb(142, 60, 62), Rgb(176, 150, 80), Rgb(70, 40, 44), Rgb(104, 98, 110),
     Rgb(62, 58, 72), Rgb(110, 96, 92), Rgb(40, 70, 140), false, Decor::Bones},
    {306, Ground::Sand, Wall::Rock, Rgb(232, 196, 120), Rgb(246, 214, 150), Rgb(168, 120, 64), Rgb(170, 100, 62),
     Rgb(116, 64, 38), Rgb(208, 170, 110), Rgb(40, 150, 170), false, Decor::Bones},
    {307, Ground::Ice, Wall::IceBlock, Rgb(186, 222, 240), Rgb(232, 246, 252), Rgb(92, 140, 180), Rgb(84, 140, 204),
     Rgb(46, 90, 146), Rgb(150, 190, 214), Rgb(40, 80, 160), false, Decor::Crystals},
    {308, Ground::Gravel, Wall::Rock, Rgb(150, 146, 136), Rgb(180, 176, 166), Rgb(86, 82, 76), Rgb(126, 120, 112),
     Rgb(80, 76, 70), Rgb(140, 128, 108), Rgb(56, 100, 170), false, Decor::Stones},
    {309, Ground::Snow, Wall::SnowRock, Rgb(232, 238, 248), Rgb(250, 252, 255), Rgb(140, 160, 190), Rgb(184, 198, 222),
     Rgb(96, 104, 124), Rgb(190, 200, 214), Rgb(52, 92, 160), false, Decor::Plants},
    {310, Ground::Basalt, Wall::Rock, Rgb(70, 60, 62), Rgb(104, 86, 80), Rgb(40, 30, 32), Rgb(84, 66, 62),
     Rgb(48, 36, 36), Rgb(96, 80, 72), Rgb(230, 92, 24), true, Decor::Embers},
    {311, Ground::Planks, Wall::Brick, Rgb(150, 108, 66), Rgb(176, 132, 84), Rgb(84, 58, 36), Rgb(136, 132, 124),
     Rgb(88, 84, 80), Rgb(128, 96, 64), Rgb(50, 90, 160), false, Decor::Bones},
    {312, Ground::Tiles, Wall::Brick, Rgb(92, 118, 160), Rgb(130, 156, 196), Rgb(44, 58, 90), Rgb(96, 110, 150),
     Rgb(56, 64, 100), Rgb(104, 116, 146), Rgb(40, 70, 150), false, Decor::Crystals},
    {313, Ground::Checker, Wall::Brick, Rgb(196, 176, 110), Rgb(150, 128, 70), Rgb(100, 84, 46), Rgb(176, 160, 110),
     Rgb(120, 104, 64), Rgb(170, 150, 100), Rgb(50, 96, 160), false, Decor::Gears},
    {314, Ground::Marble, Wall::Brick, Rgb(108, 84, 136), Rgb(150, 124, 180), Rgb(50, 36, 70), Rgb(92, 70, 120),
     Rgb(52, 38, 74), Rgb(110, 90, 130), Rgb(90, 40, 150), false, Decor::Crystals},
    {316, Ground::Metal, Wall::Metal, Rgb(112, 124, 120), Rgb(140, 156, 150), Rgb(52, 60, 58), Rgb(96, 110, 112),
     Rgb(54, 64, 68), Rgb(100, 108, 104), Rgb(60, 170, 110), false, Decor::Gears},
    {317, Ground::Marble, Wall::Brick, Rgb(232, 226, 214), Rgb(210, 176, 90), Rgb(140, 120, 80), Rgb(214, 200, 170),
     Rgb(150, 130, 96), Rgb(220, 206, 170), Rgb(60, 120, 200), false, Decor::Crystals},
};

const AreaLook& LookOf(int resource) {
  for (const AreaLook& a : Areas)
    if (a.Resource == resource) return a;
  return Areas[0];
}

// ---- textures, each repeating every cell so that neighbours meet ---------

int Wrap(int v) { return ((v % Cell) + Cell) % Cell; }

Rgba FloorTexel(const AreaLook& a, int x, int y) {
  x = Wrap(x), y = Wrap(y);
  const std::uint32_t seed = static_cast<std::uint32_t>(a.Resource);
  const double n = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed);
  const Rgba base = a.FloorBase, accent = a.FloorAccent;
  switch (a.Floor) {
    case Ground::Grass: {
      // Tufts: a light blade with a dark root below it.
      const bool blade = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y / 3), seed) < 0.13 && y % 3 == 0;
      if (blade) return accent;
      if (Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>((y + 19) % 20 / 3), seed) < 0.13 && y % 3 == 1)
        return Shade(base, -0.18);
      return n < 0.08 ? Shade(base, 0.1) : base;
    }
    case Ground::Sand:
      if ((y + x / 5) % 7 == 0) return Shade(base, -0.08);
      return n < 0.07 ? Shade(base, -0.2) : n > 0.94 ? accent : base;
    case Ground::Dirt:
      return n < 0.06 ? Shade(base, -0.3) : n > 0.95 ? accent : n > 0.8 ? Shade(base, 0.05) : base;
    case Ground::Gravel: {
      const bool pebble = Hash01(static_cast<std::uint32_t>(x / 2), static_cast<std::uint32_t>(y / 2), seed) < 0.22;
      if (pebble) return (x + y) % 2 ? accent : Shade(accent, -0.15);
      return n < 0.1 ? Shade(base, -0.2) : base;
    }
    case Ground::Tiles: {
      if (x % 10 == 0 || y % 10 == 0) return Shade(base, -0.45);
      if (x % 10 == 1 || y % 10 == 1) return Shade(base, 0.18);
      if ((x / 10 + y / 10) % 2 == 0 && x % 10 > 3 && x % 10 < 7 && y % 10 > 3 && y % 10 < 7) return accent;
      return base;
    }
    case Ground::Checker: {
      const Rgba tile = (x / 10 + y / 10) % 2 ? accent : base;
      if (x % 10 == 0 || y % 10 == 0) return Shade(tile, -0.25);
      return n < 0.05 ? Shade(tile, -0.1) : tile;
    }
    case Ground::Planks: {
      if (y % 5 == 0) return Shade(base, -0.45);
      const int offset = (y / 5) % 2 ? 7 : 0;
      if ((x + offset) % 14 == 0 && y % 5 != 0) return Shade(base, -0.35);
      if (y % 5 == 1) return Shade(base, 0.12);
      return n < 0.12 ? Shade(base, -0.1) : (y / 5) % 2 ? base : accent;
    }
    case Ground::Ice:
      if ((x + y) % 9 == 0 && x % 3 != 0) return accent;
      return n < 0.05 ? Shade(base, -0.12) : base;
    case Ground::Snow:
      return n < 0.08 ? Mix(base, Rgb(150, 170, 210), 0.5) : n > 0.93 ? accent : base;
    case Ground::Basalt: {
      const int crack = (x * 3 + y * 7) % 29;
      if (crack == 0 || (x == 13 && y > 4 && y < 9)) return Rgb(200, 80, 30);
      return n < 0.1 ? accent : base;
    }
    case Ground::Marble: {
      const double vein = std::sin((x + y * 0.6) * 0.55) + std::sin(y * 0.9) * 0.4;
      if (std::fabs(vein) < 0.12) return Mix(base, accent, 0.7);
      if (x % 20 == 0 || y % 20 == 0) return Shade(base, -0.22);
      return base;
    }
    case Ground::Metal: {
      if (x % 10 == 0 || y % 10 == 0) return Shade(base, -0.4);
      if ((x % 10 == 2 || x % 10 == 8) && (y % 10 == 2 || y % 10 == 8)) return accent;
      if (x % 10 == 1 || y % 10 == 1) return Shade(base, 0.15);
      return base;
    }
  }
  return base;
}

Rgba WallTexel(const AreaLook& a, int x, int y) {
  x = Wrap(x), y = Wrap(y);
  const std::uint32_t seed = static_cast<std::uint32_t>(a.Resource) * 31u + 7u;
  const double n = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed);
  const Rgba top = a.WallTop;
  switch (a.WallKind) {
    case Wall::Hedge: {
      // Clusters of leaves, each lit on its upper left.
      const int cx = (x / 5) * 5 + 2, cy = (y / 5) * 5 + 2 + ((x / 5) % 2);
      const int dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy <= 2) return dx + dy < 0 ? Shade(top, 0.35) : Shade(top, 0.1);
      return n < 0.15 ? Shade(top, -0.35) : top;
    }
    case Wall::Rock: {
      const double v = std::sin(x * 0.9 + y * 0.35) + std::sin(y * 1.3 - x * 0.4) + (n - 0.5);
      if (v > 1.2) return Shade(top, 0.25);
      if (v < -1.3) return Shade(top, -0.35);
      return top;
    }
    case Wall::Brick: {
      const int row = y / 5, offset = row % 2 ? 5 : 0;
      if (y % 5 == 4 || (x + offset) % 10 == 9) return Shade(top, -0.4);
      if (y % 5 == 0 || (x + offset) % 10 == 0) return Shade(top, 0.2);
      return n < 0.08 ? Shade(top, -0.1) : top;
    }
    case Wall::IceBlock:
      if ((x - y + 40) % 11 == 0) return Rgb(245, 252, 255);
      if ((x + y) % 13 == 0) return Shade(top, -0.2);
      return top;
    case Wall::SnowRock: {
      const double v = std::sin(x * 0.7) + std::sin(y * 0.8 + x * 0.3);
      if (v < -0.5) return Rgb(104, 108, 120);
      return n < 0.06 ? Rgb(200, 214, 236) : top;
    }
    case Wall::Metal:
      if (x % 10 == 9 || y % 10 == 9) return Shade(top, -0.45);
      if (x % 10 == 0 || y % 10 == 0) return Shade(top, 0.25);
      if ((x % 10 == 2 || x % 10 == 7) && (y % 10 == 2 || y % 10 == 7)) return Shade(top, 0.45);
      return top;
  }
  return top;
}

Rgba FaceTexel(const AreaLook& a, int x, int y) {
  // Six rows of the wall's south face: the texture turned darker and
  // stratified, so that the face reads as height.
  const Rgba face = a.WallFace;
  if (a.WallKind == Wall::Brick || a.WallKind == Wall::Metal) {
    const int offset = y >= 3 ? 5 : 0;
    if (y == 2 || y == 5 || (x + offset) % 10 == 0) return Shade(face, -0.35);
    return face;
  }
  if (a.WallKind == Wall::Hedge) return (x + y) % 4 == 0 ? Shade(face, 0.2) : y < 2 ? Shade(a.WallTop, -0.3) : face;
  const double n = Hash01(static_cast<std::uint32_t>(Wrap(x)), static_cast<std::uint32_t>(y), 99u);
  return y == 0 ? Shade(face, 0.15) : n < 0.2 ? Shade(face, -0.25) : face;
}

Rgba PathTexel(const AreaLook& a, int x, int y, bool bridge) {
  x = Wrap(x), y = Wrap(y);
  const Rgba p = a.Path;
  if (bridge) {
    // Planks across the way, nailed.
    if (y % 4 == 3) return Shade(p, -0.45);
    if (y % 4 == 0) return Shade(p, 0.15);
    return (x == 4 || x == 15) && y % 4 == 1 ? Shade(p, -0.5) : p;
  }
  const double n = Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 555u);
  return n < 0.1 ? Shade(p, -0.18) : n > 0.93 ? Shade(p, 0.18) : p;
}

Rgba WaterTexel(const AreaLook& a, int x, int y) {
  x = Wrap(x), y = Wrap(y);
  const Rgba w = a.Water;
  if (a.Lava) {
    const double v = std::sin((x + y * 0.5) * 0.63) + std::sin(y * 0.63 * 2);
    if (v > 1.3) return Rgb(255, 226, 96);
    if (v > 0.5) return Rgb(252, 150, 40);
    if (v < -1.2) return Rgb(150, 40, 20);
    return w;
  }
  // Two rows of small wave crests per cell, offset like brickwork.
  const int crestY = y % 10, crestX = (x + (y / 10) * 10) % 20;
  if (crestY == 3 && crestX >= 3 && crestX <= 7) return Shade(w, 0.55);
  if (crestY == 4 && (crestX == 2 || crestX == 8)) return Shade(w, 0.25);
  if (crestY == 4 && crestX >= 3 && crestX <= 7) return Shade(w, -0.2);
  return Hash01(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 77u) < 0.05 ? Shade(w, 0.15) : w;
}

bool HasWater(const AreaLook& a) { return a.Resource == 301 || a.Resource == 309 || a.Resource == 310; }

// ---- the pieces --------------------------------------------------------

// A room floor piece: three cells square, the floor in the middle; on each
// side whose neighbour is not floorlike, a lip of the room's edge.
void FloorPiece(CCanvas& c, int ox, int oy, const AreaLook& a, bool above, bool left, bool right, bool below) {
  const Rgba rim = a.Rim, rimDark = Shade(a.Rim, -0.45);
  for (int y = 0; y < 3 * Cell; ++y)
    for (int x = 0; x < 3 * Cell; ++x) {
      const int bx = x / Cell, by = y / Cell;
      if (bx == 1 && by == 1) {
        Rgba t = FloorTexel(a, x, y);
        if ((!above && y == Cell) || (!left && x == Cell)) t = Shade(t, -0.25);
        if ((!below && y == 2 * Cell - 1) || (!right && x == 2 * Cell - 1)) t = Shade(t, -0.35);
        c.Put(ox + x, oy + y, t);
        continue;
      }
      // The lip: the room's raised edge seen from above, deepest below.
      if (bx == 1 && by == 2 && !below && y < 2 * Cell + 3) c.Put(ox + x, oy + y, y == 2 * Cell + 2 ? rimDark : rim);
      if (bx == 1 && by == 0 && !above && y == Cell - 1) c.Put(ox + x, oy + y, rim);
      if (by == 1 && bx == 0 && !left && x == Cell - 1) c.Put(ox + x, oy + y, rim);
      if (by == 1 && bx == 2 && !right && x == 2 * Cell) c.Put(ox + x, oy + y, rim);
    }
  // Rounded lip corners where two open sides meet.
  if (!below && !left) c.Put(ox + Cell - 1, oy + 2 * Cell, rimDark);
  if (!below && !right) c.Put(ox + 2 * Cell, oy + 2 * Cell, rimDark);
}

// A wall piece: one cell of wall top with a lip where the wall ends; where
// nothing stands below, the wall's face and shadow hang over the cell below.
void WallPiece(CCanvas& c, int ox, int oy, const AreaLook& a, bool above, bool left, bool right, bool below) {
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      Rgba t = WallTexel(a, x, y);
      if (!above && y == 0) t = Shade(a.WallTop, 0.45);
      if (!left && x == 0) t = Shade(t, -0.3);
      if (!right && x == Cell - 1) t = Shade(t, -0.4);
      if (!below && y == Cell - 1) t = Shade(a.WallTop, -0.15);
      c.Put(ox + 10 + x, oy + 10 + y, t);
    }
  if (!below) {
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < Cell; ++x) c.Put(ox + 10 + x, oy + 30 + y, FaceTexel(a, x, y));
    c.FillRect(ox + 10, oy + 36, Cell, 1, Shade(a.WallFace, -0.6));
    c.FillRect(ox + 10, oy + 37, Cell, 2, Rgb(0, 0, 0, 96));
    c.FillRect(ox + 10, oy + 39, Cell, 1, Rgb(0, 0, 0, 48));
  }
  // A thin shadow beside a wall's open sides grounds it.
  if (!left) c.FillRect(ox + 9, oy + 12, 1, below ? 18 : 24, Rgb(0, 0, 0, 70));
  if (!right) c.FillRect(ox + 30, oy + 12, 1, below ? 18 : 24, Rgb(0, 0, 0, 90));
}

void WallDecoration(CCanvas& c, int ox, int oy, const AreaLook& a, int k) {
  WallPiece(c, ox, oy, a, true, true, true, true);
  const int x = ox + 10, y = oy + 10;
  const Rgba dark = Shade(a.WallTop, -0.55), light = Shade(a.WallTop, 0.5);
  switch (k) {
    case 0:  // a crack
      c.Line(x + 4, y + 3, x + 9, y + 9, dark);
      c.Line(x + 9, y + 9, x + 7, y + 15, dark);
      c.Line(x + 9, y + 9, x + 14, y + 12, dark);
      break;
    case 1:  // a gleam of ore
      c.FillRect(x + 6, y + 6, 3, 3, Rgb(240, 210, 90));
      c.Put(x + 6, y + 6, Rgb(255, 250, 210));
      c.FillRect(x + 12, y + 12, 2, 2, Rgb(220, 190, 80));
      break;
    case 2:  // moss or frost
      for (int i = 0; i < 9; ++i) c.Put(x + 3 + (i * 7) % 13, y + 4 + (i * 5) % 11, a.WallKind == Wall::IceBlock ? Rgb(255, 255, 255) : Rgb(80, 150, 70));
      break;
    default:  // a raised stone
      c.FillEllipse(x + 10, y + 10, 4, 3, light);
      c.FillEllipse(x + 10.5, y + 11, 3, 2, a.WallTop);
      break;
  }
}

// The corner pieces sit over the open diagonal cell: a little shadow where
// the wall wraps around it, or the face turning the corner.
void InnerCorner(CCanvas& c, int ox, int oy, const AreaLook& a, int k) {
  const Rgba shadow = Rgb(0, 0, 0, 80);
  switch (k) {
    case 0: c.FillRect(ox + 7, oy + 7, 3, 3, shadow); c.Put(ox + 9, oy + 9, Shade(a.WallTop, 0.45)); break;
    case 1: c.FillRect(ox + 30, oy + 7, 3, 3, shadow); c.Put(ox + 30, oy + 9, Shade(a.WallTop, 0.45)); break;
    case 2:
      for (int y = 0; y < 6; ++y)
        for (int x = 6; x < 10; ++x) c.Put(ox + x, oy + 30 + y, FaceTexel(a, x, y));
      c.FillRect(ox + 6, oy + 36, 4, 1, Shade(a.WallFace, -0.6));
      break;
    default:
      for (int y = 0; y < 6; ++y)
        for (int x = 30; x < 34; ++x) c.Put(ox + x, oy + 30 + y, FaceTexel(a, x, y));
      c.FillRect(ox + 30, oy + 36, 4, 1, Shade(a.WallFace, -0.6));
      break;
  }
}

// A corridor piece: the way through one cell, lined where it is closed;
// over water it is a bridge with rails.
void CorridorPiece(CCanvas& c, int ox, int oy, const AreaLook& a, bool above, bool left, bool right, bool below) {
  const bool bridge = HasWater(a);
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      Rgba t = PathTexel(a, x, y, bridge);
      if ((!above && y == 0) || (!left && x == 0)) t = Shade(t, -0.3);
      if ((!below && y == Cell - 1) || (!right && x == Cell - 1)) t = Shade(t, -0.45);
      c.Put(ox + 10 + x, oy + 10 + y, t);
    }
  const Rgba rail = bridge ? Shade(a.Path, -0.55) : Rgb(0, 0, 0, 80);
  if (!left) c.FillRect(ox + 9, oy + 10, 1, Cell, rail);
  if (!right) c.FillRect(ox + 30, oy + 10, 1, Cell, rail);
  if (!below) c.FillRect(ox + 10, oy + 30, Cell, bridge ? 2 : 1, rail);
  if (bridge) {
    if (!left) c.FillRect(ox + 8, oy + 12, 2, 3, Shade(a.Path, -0.3));
    if (!right) c.FillRect(ox + 30, oy + 12, 2, 3, Shade(a.Path, -0.3));
  }
}

// Doorway pieces join a corridor to the room beside it: a worn threshold
// with two posts on the line between them.
void Doorway(CCanvas& c, int ox, int oy, const AreaLook& a, int side) {
  const Rgba step = Shade(a.Path, 0.3), post = Shade(a.WallFace, -0.2), postLight = Shade(a.WallTop, 0.2);
  switch (side) {
    case 0:  // room above; the line at row 30
      c.FillRect(ox + 10, oy + 29, Cell, 2, step);
      c.FillRect(ox + 8, oy + 25, 2, 7, post), c.FillRect(ox + 30, oy + 25, 2, 7, post);
      c.FillRect(ox + 8, oy + 25, 2, 1, postLight), c.FillRect(ox + 30, oy + 25, 2, 1, postLight);
      break;
    case 1:  // room to the left; the line at column 30
      c.FillRect(ox + 29, oy + 10, 2, Cell, step);
      c.FillRect(ox + 28, oy + 8, 4, 2, post), c.FillRect(ox + 28, oy + 30, 4, 2, post);
      break;
    case 2:  // room to the right; the line at column 10
      c.FillRect(ox + 9, oy + 10, 2, Cell, step);
      c.FillRect(ox + 8, oy + 8, 4, 2, post), c.FillRect(ox + 8, oy + 30, 4, 2, post);
      break;
    case 3:  // room below; the line at row 10
      c.FillRect(ox + 10, oy + 9, Cell, 2, step);
      c.FillRect(ox + 8, oy + 8, 2, 4, post), c.FillRect(ox + 30, oy + 8, 2, 4, post);
      break;
    default:  // a corridor ending at the water: a short jetty
      c.FillRect(ox + 12, oy + 8, 16, 5, Shade(a.Path, -0.1));
      c.FillRect(ox + 12, oy + 12, 16, 1, Shade(a.Path, -0.5));
      c.FillRect(ox + 12, oy + 13, 2, 3, Shade(a.Path, -0.4)), c.FillRect(ox + 26, oy + 13, 2, 3, Shade(a.Path, -0.4));
      break;
  }
}

void FloorDecoration(CCanvas& c, int ox, int oy, const AreaLook& a, int k) {
  // Only the cell's own 20 x 20 (the top-left of the 40 x 40 cut) is used.
  const int x = ox, y = oy;
  const Rgba dark = Shade(a.FloorBase, -0.5), light = Shade(a.FloorBase, 0.45);
  switch (a.Decoration) {
    case Decor::Plants:
      if (k == 0) {  // flowers
        const Rgba petals[3] = {Rgb(240, 90, 90), Rgb(250, 220, 80), Rgb(240, 240, 250)};
        for (int i = 0; i < 3; ++i) {
          const int fx = x + 4 + i * 5, fy = y + 6 + (i % 2) * 6;
          c.Put(fx, fy + 1, Rgb(60, 120, 50)), c.Put(fx, fy + 2, Rgb(60, 120, 50));
          c.Put(fx - 1, fy, petals[i]), c.Put(fx + 1, fy, petals[i]), c.Put(fx, fy - 1, petals[i]), c.Put(fx, fy, Rgb(250, 240, 140));
        }
      } else if (k == 1) {  // a tuft
        for (int i = -3; i <= 3; ++i) c.Line(x + 10, y + 14, x + 10 + i * 2, y + 8 + std::abs(i), Shade(a.FloorAccent, i % 2 ? 0.2 : -0.2));
      } else if (k == 2) {  // a stump
        c.FillEllipse(x + 10, y + 11, 4, 3, Rgb(120, 84, 50)), c.FillEllipse(x + 10, y + 10, 3, 2, Rgb(176, 136, 90));
        c.Put(x + 10, y + 10, Rgb(120, 84, 50));
      } else {  // mushrooms
        c.FillRect(x + 7, y + 10, 1, 3, Rgb(236, 226, 200)), c.FillEllipse(x + 7.5, y + 9.5, 2.5, 1.5, Rgb(200, 60, 50));
        c.FillRect(x + 12, y + 12, 1, 2, Rgb(236, 226, 200)), c.FillEllipse(x + 12.5, y + 11.5, 2, 1.2, Rgb(200, 60, 50));
      }
      break;
    case Decor::Stones:
    case Decor::Crystals:
    case Decor::Embers:
    case Decor::Bones:
    case Decor::Gears:
      if (k == 0) {  // pebbles
        c.FillEllipse(x + 6, y + 7, 2, 1.5, dark), c.FillEllipse(x + 6, y + 6.5, 1.5, 1, light);
        c.FillEllipse(x + 13, y + 12, 2.5, 2, dark), c.FillEllipse(x + 12.8, y + 11.5, 2, 1.4, light);
      } else if (k == 1) {  // a crack
        c.Line(x + 3, y + 5, x + 9, y + 10, dark), c.Line(x + 9, y + 10, x + 16, y + 9, dark), c.Line(x + 9, y + 10, x + 10, y + 16, dark);
      } else if (a.Decoration == Decor::Bones) {
        c.ThickLine(x + 5, y + 12, x + 14, y + 8, 1.6, Rgb(230, 224, 206));
        c.FillEllipse(x + 5, y + 12, 1.6, 1.6, Rgb(230, 224, 206)), c.FillEllipse(x + 14, y + 8, 1.6, 1.6, Rgb(230, 224, 206));
        if (k == 3) c.FillEllipse(x + 9, y + 5, 2.5, 2, Rgb(236, 230, 214)), c.Put(x + 8, y + 5, dark), c.Put(x + 10, y + 5, dark);
      } else if (a.Decoration == Decor::Crystals) {
        const Rgba glow = k == 2 ? Rgb(150, 220, 255) : Rgb(210, 150, 255);
        c.FillPolygon({{x + 8.0, y + 14.0}, {x + 10.0, y + 5.0}, {x + 12.0, y + 14.0}}, glow);
        c.FillPolygon({{x + 12.0, y + 14.0}, {x + 14.0, y + 9.0}, {x + 15.0, y + 14.0}}, Shade(glow, -0.2));
        c.Line(x + 10, y + 6, x + 10, y + 12, Rgb(255, 255, 255));
      } else if (a.Decoration == Decor::Embers) {
        c.FillEllipse(x + 10, y + 10, 4, 2.5, Rgb(80, 40, 30));
        c.Put(x + 9, y + 10, Rgb(255, 160, 40)), c.Put(x + 11, y + 9, Rgb(255, 210, 80)), c.Put(x + 12, y + 11, Rgb(230, 90, 30));
        if (k == 3) c.Put(x + 7, y + 7, Rgb(255, 140, 40)), c.Put(x + 13, y + 6, Rgb(255, 200, 60));
      } else {  // gears and bolts
        c.FillEllipse(x + 10, y + 10, 4, 4, Rgb(150, 150, 140));
        for (int i = 0; i < 8; ++i) {
          const double t = i * 3.14159265 / 4;
          c.Put(x + 10 + static_cast<int>(std::lround(5 * std::cos(t))), y + 10 + static_cast<int>(std::lround(5 * std::sin(t))), Rgb(120, 120, 112));
        }
        c.FillEllipse(x + 10, y + 10, 1.5, 1.5, Rgb(70, 70, 66));
        if (k == 3) c.FillRect(x + 3, y + 15, 3, 2, Rgb(170, 170, 160));
      }
      break;
  }
}

// The stairs mark: an opening with steps going down into the dark.
void Stairs(CCanvas& c, int ox, int oy, const AreaLook& a) {
  const Rgba frame = Shade(a.Rim, -0.2), lightStep = Rgb(214, 206, 190);
  c.FillRect(ox + 1, oy + 1, 18, 18, Rgb(16, 12, 20));
  c.FrameRect(ox + 1, oy + 1, 18, 18, frame);
  c.FrameRect(ox, oy, 20, 20, Rgb(30, 24, 30));
  for (int i = 0; i < 4; ++i) {
    const int y = oy + 3 + i * 4, inset = i;
    const Rgba s = Mix(lightStep, Rgb(40, 36, 44), i / 4.0);
    c.FillRect(ox + 3 + inset, y, 14 - 2 * inset, 2, s);
    c.FillRect(ox + 3 + inset, y + 2, 14 - 2 * inset, 1, Shade(s, -0.5));
  }
  c.FillRect(ox + 1, oy + 1, 18, 1, Shade(frame, 0.5));
}

void MiningRock(CCanvas& c, int ox, int oy, const AreaLook& a) {
  const Ramp stone(Mix(Rgb(130, 124, 118), a.WallTop, 0.3));
  c.ShadedEllipse(ox + 10, oy + 11, 8.5, 7, stone);
  c.ShadedEllipse(ox + 6, oy + 12, 4, 4, stone);
  c.Line(ox + 8, oy + 7, ox + 11, oy + 12, stone.Ink);
  c.Line(ox + 11, oy + 12, ox + 14, oy + 11, stone.Ink);
  c.FillRect(ox + 12, oy + 7, 2, 2, Rgb(240, 200, 90));  // a glint of ore
  c.Put(ox + 7, oy + 14, Rgb(120, 200, 230));
  c.Outline(ox, oy, 20, 20, stone.Ink);
}

void MiningChest(CCanvas& c, int ox, int oy) {
  const Ramp wood(Rgb(168, 104, 52));
  c.FillRect(ox + 3, oy + 8, 14, 9, wood.Base);
  c.FillRect(ox + 3, oy + 5, 14, 4, wood.Light);
  c.FillRect(ox + 3, oy + 8, 14, 1, wood.Dark);
  c.FillRect(ox + 3, oy + 5, 1, 12, Rgb(230, 196, 80)), c.FillRect(ox + 16, oy + 5, 1, 12, Rgb(230, 196, 80));
  c.FillRect(ox + 9, oy + 8, 2, 3, Rgb(250, 222, 110));
  c.Put(ox + 9, oy + 10, Rgb(60, 40, 20));
  c.Outline(ox, oy, 20, 20, wood.Ink);
}

void MiningBush(CCanvas& c, int ox, int oy, const AreaLook& a) {
  const Ramp leaf(a.Resource == 309 ? Rgb(70, 120, 80) : a.Resource == 306 ? Rgb(120, 140, 60) : Rgb(60, 140, 60));
  c.ShadedEllipse(ox + 10, oy + 12, 8, 6, leaf);
  c.ShadedEllipse(ox + 6, oy + 10, 4, 4, leaf);
  c.ShadedEllipse(ox + 13, oy + 9, 4.5, 4, leaf);
  c.Put(ox + 7, oy + 12, Rgb(220, 60, 70)), c.Put(ox + 12, oy + 13, Rgb(220, 60, 70)), c.Put(ox + 14, oy + 9, Rgb(220, 60, 70));
  if (a.Resource == 309) c.FillRect(ox + 6, oy + 5, 9, 2, Rgb(250, 252, 255));
  c.Outline(ox, oy, 20, 20, leaf.Ink);
}

void MiningTree(CCanvas& c, int ox, int oy, const AreaLook& a) {
  const Ramp bark(Rgb(120, 80, 48));
  const Ramp crown(a.Resource == 306 ? Rgb(110, 150, 60) : a.Resource == 307 ? Rgb(70, 130, 120) : Rgb(50, 126, 58));
  c.FillRect(ox + 8, oy + 11, 4, 8, bark.Base);
  c.FillRect(ox + 8, oy + 11, 1, 8, bark.Light);
  c.FillRect(ox + 6, oy + 18, 8, 1, bark.Dark);
  c.ShadedEllipse(ox + 10, oy + 7, 7.5, 6.5, crown);
  c.ShadedEllipse(ox + 6, oy + 10, 4, 3, crown);
  c.ShadedEllipse(ox + 14, oy + 10, 4, 3, crown);
  if (a.Resource == 309) c.FillRect(ox + 5, oy + 2, 10, 2, Rgb(250, 252, 255));
  c.Outline(ox, oy, 20, 20, crown.Ink);
}

void WaterStrip(CCanvas& c, const AreaLook& a) {
  // Repeats every cell, so the strip can slide one texel at a time.
  for (int y = 340; y < 420; ++y)
    for (int x = 0; x < 100; ++x) {
      if (x >= 80 && y < 380) continue;  // the doorway pieces' cells
      c.Put(x, y, WaterTexel(a, x, y - 340));
    }
}

CCanvas PaintArea(const AreaLook& a) {
  CCanvas c(512, 512);
  for (int b = 0; b < 16; ++b) {
    const bool above = b & 8, left = b & 4, right = b & 2, below = b & 1;
    WallPiece(c, (above ? 160 : 0) + (left ? 80 : 0) + (right ? 40 : 0), below ? 40 : 0, a, above, left, right, below);
    FloorPiece(c, (above ? 240 : 0) + (left ? 120 : 0) + (right ? 60 : 0), below ? 180 : 120, a, above, left, right, below);
    CorridorPiece(c, (above ? 160 : 0) + (left ? 80 : 0) + (right ? 40 : 0), below ? 300 : 260, a, above, left, right, below);
  }
  for (int k = 0; k < 4; ++k) {
    InnerCorner(c, 40 * k, 80, a, k);
    WallDecoration(c, 160 + 40 * k, 80, a, k);
  }
  for (int k = 0; k < 4; ++k) FloorDecoration(c, 330 + 40 * k, 90, a, k);
  WaterStrip(c, a);
  Doorway(c, 160, 340, a, 0);
  Doorway(c, 200, 340, a, 1);
  Doorway(c, 80, 340, a, 2);
  Doorway(c, 120, 340, a, 3);
  Doorway(c, 240, 340, a, 4);
  Stairs(c, 0, 240, a);
  MiningRock(c, 40, 240, a);
  MiningChest(c, 80, 240);
  MiningBush(c, 100, 240, a);
  MiningTree(c, 120, 240, a);
  return c;
}

}  // namespace

const std::vector<int>& AreaResources() {
  static const std::vector<int> ids = [] {
    std::vector<int> v;
    for (const AreaLook& a : Areas) v.push_back(a.Resource);
    return v;
  }();
  return ids;
}

CCanvas DrawAreaSheet(int resource) { return PaintArea(LookOf(resource)); }

bool IsGroundResource(int resource) {
  return resource == 130 || resource == 361 || resource == 362 || resource == 363 || resource == 364 ||
         resource == 366 || resource == 367;
}

CCanvas DrawGround(int resource, int size) {
  CCanvas c(size, size);
  // The ground shows only where no tile lies: the rock around walled
  // floors and the far background of the towers. Textures repeat with the
  // picture, which the base layer tiles across the view.
  struct Style {
    int Resource;
    Rgba Base, Dark, Light;
  };
  static const Style styles[] = {
      {130, Rgb(56, 50, 52), Rgb(36, 32, 36), Rgb(76, 70, 70)},   {361, Rgb(60, 62, 72), Rgb(38, 40, 50), Rgb(84, 86, 98)},
      {362, Rgb(28, 34, 64), Rgb(16, 20, 40), Rgb(220, 220, 255)}, {363, Rgb(60, 44, 24), Rgb(36, 26, 12), Rgb(120, 96, 50)},
      {364, Rgb(34, 18, 50), Rgb(18, 8, 30), Rgb(150, 110, 200)},  {366, Rgb(24, 40, 36), Rgb(12, 24, 20), Rgb(90, 200, 150)},
      {367, Rgb(44, 46, 56), Rgb(26, 28, 36), Rgb(66, 70, 84)},
  };
  Style s = styles[0];
  for (const Style& t : styles)
    if (t.Resource == resource) s = t;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int px = x % 32, py = y % 32;
      const double n = Hash01(static_cast<std::uint32_t>(px), static_cast<std::uint32_t>(py), static_cast<std::uint32_t>(resource));
      const double m = Hash01(static_cast<std::uint32_t>(px / 4), static_cast<std::uint32_t>(py / 4), static_cast<std::uint32_t>(resource) + 1u);
      Rgba p = m < 0.3 ? s.Dark : s.Base;
      if (n > 0.96) p = s.Light;
      if (resource == 362 && n > 0.985) p = Rgb(255, 255, 255);  // stars behind the tower
      c.Put(x, y, p);
    }
  return c;
}

const std::vector<TileCell>& AreaTileCells() {
  static const std::vector<TileCell> cells = [] {
    std::vector<TileCell> v;
    for (int b = 0; b < 16; ++b) {
      const int above = b & 8 ? 1 : 0, left = b & 4 ? 1 : 0, right = b & 2 ? 1 : 0, below = b & 1 ? 1 : 0;
      v.push_back({160 * above + 80 * left + 40 * right, 40 * below, 40, 40, "wall"});
      v.push_back({240 * above + 120 * left + 60 * right, below ? 180 : 120, 60, 60, "room floor"});
      v.push_back({160 * above + 80 * left + 40 * right, below ? 300 : 260, 40, 40, "corridor"});
    }
    for (int k = 0; k < 4; ++k) {
      v.push_back({40 * k, 80, 40, 40, "inner wall corner"});
      v.push_back({160 + 40 * k, 80, 40, 40, "wall decoration"});
      v.push_back({330 + 40 * k, 90, 40, 40, "floor decoration"});
    }
    for (const int x : {160, 200, 80, 120, 240}) v.push_back({x, 340, 40, 40, "doorway"});
    for (int slide = 0; slide < 20; ++slide) v.push_back({slide, 340, 80, 80, "water"});
    v.push_back({0, 240, 20, 20, "stairs"});
    // Mining points (idle, hit one pixel either way, breaking) and the two
    // disguise poses, which are the chest's and the tree's cells.
    for (const int x : {40, 80, 100, 120}) {
      v.push_back({x, 240, 20, 20, "mining point"});
      v.push_back({x + 1, 240, 20, 20, "mining point hit"});
      v.push_back({x - 1, 240, 20, 20, "mining point hit"});
    }
    return v;
  }();
  return cells;
}

CCanvas DrawFloorPreview(int resource, int columns, int rows) {
  const AreaLook& a = LookOf(resource);
  const CCanvas sheet = PaintArea(a);
  // 0 floor, 2 corridor, 3 stairs, 4 wall, 5 water; read row by row.
  static const char* const Map[] = {
      "444444444444444444444", "444444444444444444444", "440000000444444444444", "440000000444400000044",
      "440003000222220000044", "440000000444420000044", "440000000444420050044", "444404444444420000044",
      "444424444455554000044", "444422222255554444444", "444444444455554444444", "444444444444444444444",
  };
  const int mapRows = static_cast<int>(std::size(Map));
  auto terrain = [&](int x, int y) -> char {
    if (y < 0 || y >= mapRows || x < 0 || x >= static_cast<int>(std::char_traits<char>::length(Map[y]))) return '4';
    return Map[y][x];
  };
  auto floorlike = [&](int x, int y) { return terrain(x, y) == '0' || terrain(x, y) == '3'; };
  auto wall = [&](int x, int y) { return terrain(x, y) == '4'; };
  auto corridor = [&](int x, int y) { return terrain(x, y) == '2'; };
  auto water = [&](int x, int y) { return terrain(x, y) == '5'; };
  CCanvas out(columns * Cell, rows * Cell);
  const CCanvas ground = DrawGround(130, 32);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Put(x, y, ground.Get(x % 32, y % 32));
  auto tile = [&](int cx, int cy, int ox, int oy, int sx, int sy, int w, int h) {
    out.Draw(sheet, sx, sy, w, h, cx * Cell + 10 + ox / 4, cy * Cell + 10 + oy / 4);
  };
  auto each = [&](auto layer) {
    for (int x = 0; x < columns; ++x)
      for (int y = 0; y < rows; ++y) layer(x, y);
  };
  each([&](int x, int y) {
    bool nearWater = false;
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j) nearWater = nearWater || water(x + i, y + j);
    if (nearWater) tile(x, y, -40, -40, 0, 340, 80, 80);
  });
  each([&](int x, int y) {
    if (!floorlike(x, y)) return;
    tile(x, y, -120, -120, (floorlike(x, y - 1) ? 240 : 0) + (floorlike(x - 1, y) ? 120 : 0) + (floorlike(x + 1, y) ? 60 : 0),
         floorlike(x, y + 1) ? 180 : 120, 60, 60);
    if ((x * 7 + y * 3) % 6 == 0) tile(x, y, -40, -40, 330 + 40 * ((x + y) % 4), 90, 40, 40);
    if (terrain(x, y) == '3') tile(x, y, -40, -40, 0, 240, 20, 20);
  });
  each([&](int x, int y) {
    if (!corridor(x, y)) return;
    tile(x, y, -80, -80, (corridor(x, y - 1) ? 160 : 0) + (corridor(x - 1, y) ? 80 : 0) + (corridor(x + 1, y) ? 40 : 0),
         corridor(x, y + 1) ? 300 : 260, 40, 40);
    if (floorlike(x, y - 1)) tile(x, y, -80, -160, 160, 340, 40, 40);
    if (floorlike(x - 1, y)) tile(x, y, -160, -80, 200, 340, 40, 40);
    if (floorlike(x + 1, y)) tile(x, y, 0, -80, 80, 340, 40, 40);
    if (floorlike(x, y + 1)) tile(x, y, -80, 0, 120, 340, 40, 40);
  });
  each([&](int x, int y) {
    if (!wall(x, y)) return;
    const bool up = wall(x, y - 1), down = wall(x, y + 1), l = wall(x - 1, y), r = wall(x + 1, y);
    const bool ul = wall(x - 1, y - 1), ur = wall(x + 1, y - 1), dl = wall(x - 1, y + 1), dr = wall(x + 1, y + 1);
    if (up && down && l && r && ul && ur && dl && dr) {
      const int v = static_cast<int>(Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) % 48);
      tile(x, y, -80, -80, v % 12 == 0 ? 160 + 40 * (v / 12 % 4) : 280, v % 12 == 0 ? 80 : 40, 40, 40);
      return;
    }
    tile(x, y, -80, -80, (up ? 160 : 0) + (l ? 80 : 0) + (r ? 40 : 0), down ? 40 : 0, 40, 40);
    if (up && l && !ul) tile(x, y, -80, -80, 0, 80, 40, 40);
    if (up && r && !ur) tile(x, y, -80, -80, 40, 80, 40, 40);
    if (down && l && !dl) tile(x, y, -80, -80, 80, 80, 40, 40);
    if (down && r && !dr) tile(x, y, -80, -80, 120, 80, 40, 40);
  });
  // Mining points stand on the floor as characters do.
  tile(3, 5, -40, -40, 40, 240, 20, 20);
  tile(6, 3, -40, -40, 120, 240, 20, 20);
  tile(17, 7, -40, -40, 100, 240, 20, 20);
  tile(15, 3, -40, -40, 80, 240, 20, 20);
  return out;
}
