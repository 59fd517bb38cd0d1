#include "art/Interface.h"

#include <cmath>
#include <string>

#include "art/Effects.h"
#include "art/Figures.h"
#include "art/Items.h"
#include "art/Scenes.h"

namespace {

constexpr double Pi = 3.14159265358979;

const Rgba Ink = Rgb(24, 20, 34);
const Rgba PanelFill = Rgb(34, 40, 72);
const Rgba PanelLight = Rgb(190, 200, 236);
const Rgba Gold = Rgb(240, 200, 80);

// A framed panel: dark fill, a light rim and a dark outline.
void Panel(CCanvas& c, int x, int y, int w, int h, Rgba fill = PanelFill) {
  c.FillRect(x + 1, y + 1, w - 2, h - 2, fill);
  c.FrameRect(x + 1, y + 1, w - 2, h - 2, PanelLight);
  c.FillRect(x + 2, y + h - 2, w - 4, 1, Shade(PanelLight, -0.35));
  c.FrameRect(x, y, w, h, Ink);
  c.Put(x, y, Clear), c.Put(x + w - 1, y, Clear), c.Put(x, y + h - 1, Clear), c.Put(x + w - 1, y + h - 1, Clear);
}

// A filled triangle pointing along (dx, dy), centred on (cx, cy).
void Arrow(CCanvas& c, double cx, double cy, double dx, double dy, double size, Rgba fill, Rgba outline) {
  const double len = std::hypot(dx, dy);
  dx /= len, dy /= len;
  const double px = -dy, py = dx;
  const double back = size >= 5 ? 0.2 : 0.7, wide = size >= 5 ? 0.75 : 0.9;
  const std::vector<Point> tri = {{cx + dx * size, cy + dy * size},
                                  {cx - dx * size * back + px * size * wide, cy - dy * size * back + py * size * wide},
                                  {cx - dx * size * back - px * size * wide, cy - dy * size * back - py * size * wide}};
  CCanvas piece(c.Width(), c.Height());
  piece.FillPolygon(tri, fill);
  // A short shaft behind the head makes the way unmistakable.
  if (size >= 5) piece.ThickLine(cx - dx * size * 0.1, cy - dy * size * 0.1, cx - dx * size * 0.85, cy - dy * size * 0.85, size * 0.45, fill);
  const int x0 = static_cast<int>(cx - size - 2), y0 = static_cast<int>(cy - size - 2), s = static_cast<int>(2 * size + 5);
  piece.Outline(x0, y0, s, s, outline);
  c.Draw(piece, x0, y0, s, s, x0, y0);
}

void MapMarkers(CCanvas& c) {
  // Columns: player, enemy, item, trap, stairs, mining point, the fill.
  // Rows 0 and 3 blink on explored ground; 6 and 9 on unexplored ground.
  const Rgba colours[6] = {Rgb(255, 236, 60), Rgb(240, 56, 48), Rgb(80, 220, 255),
                           Rgb(236, 90, 236), Rgb(255, 255, 255), Rgb(236, 150, 60)};
  for (int k = 0; k < 6; ++k)
    for (int r = 0; r < 4; ++r) {
      const int x = 390 + 3 * k, y = 3 * r;
      Rgba col = colours[k];
      if (r % 2 == 1) col = Mix(col, Rgb(255, 255, 255), 0.45);
      if (r >= 2) col = Mix(col, Rgb(60, 60, 80), 0.4);
      switch (k) {
        case 2:  // a diamond for an item
          c.Put(x + 1, y, col), c.Put(x, y + 1, col), c.Put(x + 2, y + 1, col), c.Put(x + 1, y + 2, col);
          c.Put(x + 1, y + 1, Shade(col, 0.5));
          break;
        case 3:  // a cross for a trap
          c.Put(x, y, col), c.Put(x + 2, y, col), c.Put(x + 1, y + 1, col), c.Put(x, y + 2, col), c.Put(x + 2, y + 2, col);
          break;
        case 4:  // a ring for the stairs
          c.FrameRect(x, y, 3, 3, col);
          c.Put(x + 1, y + 1, Rgb(40, 160, 60));
          break;
        default: c.FillRect(x, y, 3, 3, col); break;
      }
    }
  // The explored ground: one flat colour, stretched over whole rooms.
  c.FillRect(408, 0, 3, 6, Rgb(92, 120, 170));
}

void LifeBar(CCanvas& c) {
  c.FillRect(160, 20, 30, 7, Ink);
  c.FillRect(161, 21, 28, 5, Rgb(200, 200, 214));
  c.FillRect(162, 22, 26, 3, Rgb(30, 26, 40));
  c.Put(160, 20, Clear), c.Put(189, 20, Clear), c.Put(160, 26, Clear), c.Put(189, 26, Clear);
  for (int x = 0; x < 26; ++x) {
    c.Put(160 + x, 30, Rgb(140, 250, 140));
    c.Put(160 + x, 31, Rgb(60, 200, 70));
    c.Put(160 + x, 32, Rgb(30, 130, 50));
    c.Put(160 + x, 33, Rgb(255, 220, 120));
    c.Put(160 + x, 34, Rgb(240, 160, 40));
    c.Put(160 + x, 35, Rgb(180, 100, 20));
  }
}

void StatusMarks(CCanvas& c) {
  // Confusion: little stars circling, two turns of the circle.
  for (int f = 0; f < 2; ++f)
    for (int i = 0; i < 3; ++i) {
      const double a = f * Pi / 3 + i * 2 * Pi / 3;
      const int x = 280 + 20 * f + 10 + static_cast<int>(std::lround(std::cos(a) * 7));
      const int y = 50 + 5 + static_cast<int>(std::lround(std::sin(a) * 3));
      c.Put(x, y, Rgb(255, 240, 100));
      c.Put(x - 1, y, Rgb(250, 200, 60)), c.Put(x + 1, y, Rgb(250, 200, 60));
      c.Put(x, y - 1, Rgb(250, 200, 60)), c.Put(x, y + 1, Rgb(250, 200, 60));
    }
  // Sleep: letters Z that rise and grow.
  auto zed = [&c](int x, int y, int s, Rgba col) {
    c.FillRect(x, y, s, 1, col), c.FillRect(x, y + s - 1, s, 1, col);
    for (int i = 1; i < s - 1; ++i) c.Put(x + s - 1 - i, y + i, col);
  };
  const Rgba z = Rgb(230, 240, 255);
  zed(322, 54, 4, z), zed(329, 51, 3, Shade(z, -0.2));
  zed(342, 53, 5, z), zed(350, 50, 4, Shade(z, -0.2));
  c.Outline(280, 50, 80, 10, Rgb(40, 40, 70));
}

void Arrows(CCanvas& c) {
  const Rgba fill = Rgb(255, 236, 150), out = Rgb(60, 40, 20);
  Arrow(c, 9.5, 89.5, -1, 0, 3.6, fill, out);   // page back
  Arrow(c, 29.5, 89.5, 1, 0, 3.6, fill, out);   // page on
  Arrow(c, 49.5, 90.5, 0, -1, 3.2, fill, out);  // list up
  Arrow(c, 69.5, 89.5, 0, 1, 3.2, fill, out);   // list down
  // The cursor: a pointing hand of an arrow, with room to bob a pixel.
  Arrow(c, 131, 91, 1, 0, 5.2, Rgb(255, 255, 255), out);
  c.FillRect(124, 89, 4, 4, Rgb(255, 255, 255));
  c.Outline(123, 84, 16, 14, out);
  // Facing markers, one per direction, pointing away from the player.
  const int dirs[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
  for (int i = 0; i < 8; ++i)
    Arrow(c, 170 + 20 * i, 90, dirs[i][0], dirs[i][1], 5.5, Rgb(255, 250, 230, 230), Rgb(40, 60, 120));
  // Music arrows and the L / R keys, each with a pixel of room to move.
  Arrow(c, 264.5, 124.5, -1, 0, 3, fill, out);
  Arrow(c, 274.5, 124.5, 1, 0, 3, fill, out);
  Arrow(c, 265, 134.5, -1, 0, 3, Rgb(200, 230, 255), out);
  Arrow(c, 274, 134.5, 1, 0, 3, Rgb(200, 230, 255), out);
  // The badge of a class that has cleared a dungeon: a gold star.
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    const double a = -Pi / 2 + i * Pi / 5, r = i % 2 ? 2.0 : 4.6;
    star.push_back({84.5 + std::cos(a) * r, 85 + std::sin(a) * r});
  }
  c.FillPolygon(star, Gold);
  c.Outline(80, 80, 10, 10, Rgb(120, 70, 10));
}

void Slots(CCanvas& c) {
  auto slot = [&c](int x, int y) {
    c.FillRect(x + 1, y + 1, 14, 14, Rgb(58, 52, 80));
    c.FillRect(x + 2, y + 2, 12, 12, Rgb(38, 34, 56));
    c.FrameRect(x, y, 16, 16, Rgb(130, 124, 160));
    c.FillRect(x + 1, y + 15, 15, 1, Rgb(20, 18, 30));
    c.FillRect(x + 15, y + 1, 1, 15, Rgb(20, 18, 30));
  };
  slot(60, 140);
  // The slot cursor: bright corners, open in the middle.
  const Rgba cur = Rgb(255, 230, 90);
  for (const int dx : {0, 12})
    for (const int dy : {0, 12}) {
      c.FillRect(80 + dx, 140 + dy + (dy ? 3 : 0), 4, 1, cur);
      c.FillRect(80 + dx + (dx ? 3 : 0), 140 + dy, 1, 4, cur);
    }
  c.FrameRect(81, 141, 14, 14, Rgb(255, 250, 200, 120));
  // Equipment slots carry a faint picture of what goes in them; the last
  // one is the floor under the player's feet.
  static const int hint[7] = {0x002, 0x100, 0x200, 0x303, 0x403, 0x503, 0x600};
  for (int i = 0; i < 8; ++i) {
    const int x = 100 + 20 * i;
    slot(x, 140);
    if (i < 7) {
      CCanvas icon = DrawItemIcon(hint[i]);
      icon.Wash(0, 0, 20, 20, Rgb(70, 64, 100), 0.7);
      c.Draw(icon, 2, 2, 16, 16, x, 140);
      c.FrameRect(x, 140, 16, 16, Rgb(160, 150, 100));
    } else {
      for (int k = 0; k < 3; ++k) c.FillRect(x + 3 + 4 * k, 146 + (k % 2) * 3, 3, 5, Rgb(100, 94, 130));
    }
  }
}

void CategoryIcons(CCanvas& c) {
  static const int category[][2] = {{60, 0x002}, {80, 0x100}, {100, 0x200}, {120, 0x600}, {140, 0x303}, {160, 0x403},
                                     {180, 0x503}, {200, 0x700}, {220, 0x900}, {240, 0xa00}, {260, 0xb00}, {280, 0x701},
                                     {300, 0x802}};
  for (const auto& [x, id] : category) c.Draw(DrawItemIcon(id), x, 100);
}

void Tabs(CCanvas& c) {
  auto tab = [&c](int x, int y, int w, bool selected) {
    const Rgba fill = selected ? Rgb(96, 84, 150) : Rgb(46, 44, 74), rim = selected ? Rgb(255, 230, 140) : Rgb(140, 136, 170);
    c.FillRect(x + 2, y + 1, w - 4, 19, fill);
    c.FillRect(x + 1, y + 2, w - 2, 18, fill);
    c.FillRect(x + 2, y, w - 4, 1, rim);
    c.FillRect(x, y + 2, 1, 18, rim), c.FillRect(x + w - 1, y + 2, 1, 18, Shade(rim, -0.4));
    c.Put(x + 1, y + 1, rim), c.Put(x + w - 2, y + 1, rim);
    c.FillRect(x + 2, y + 2, w - 4, 1, Shade(fill, 0.35));
  };
  for (int i = 0; i < 4; ++i) tab(180 + 40 * i, 280, 40, false), tab(180 + 40 * i, 300, 40, true);
  tab(220, 490, 80, false);
  tab(300, 490, 80, true);
}

void ScrollBar(CCanvas& c) {
  c.FillRect(480, 280, 16, 140, Rgb(30, 28, 46));
  c.FillRect(486, 280, 4, 140, Rgb(70, 66, 100));
  c.FillRect(480, 280, 1, 140, Rgb(110, 106, 140)), c.FillRect(495, 280, 1, 140, Rgb(16, 14, 26));
  c.FillRect(460, 280, 15, 70, Rgb(180, 176, 220));
  c.FillRect(461, 280, 2, 70, Rgb(236, 234, 255)), c.FillRect(472, 280, 3, 70, Rgb(110, 104, 150));
  for (int y = 300; y < 330; y += 4) c.FillRect(464, y, 7, 1, Rgb(120, 114, 160));
  c.FillRect(460, 448, 15, 2, Rgb(110, 104, 150));
  for (const int y : {390, 410}) {
    Panel(c, 440, y, 16, 16, Rgb(70, 66, 110));
    Arrow(c, 447.5, y + 7.5, 0, y == 390 ? -1 : 1, 3.5, Rgb(255, 240, 180), Rgb(40, 30, 20));
  }
}

void Panels(CCanvas& c) {
  // The craft preview: a panel with a title strip and two buttons.
  Panel(c, 340, 150, 156, 120);
  c.FillRect(341, 151, 154, 10, Rgb(80, 70, 130));
  c.FillRect(486, 151, 9, 10, Rgb(80, 70, 130));
  c.FrameRect(486, 150, 10, 11, Ink);
  Panel(c, 375, 246, 33, 20, Rgb(110, 50, 60));
  Panel(c, 428, 246, 33, 20, Rgb(50, 110, 70));
  Panel(c, 300, 384, 120, 64);
  Panel(c, 180, 160, 76, 46);
  Panel(c, 180, 210, 158, 46);
}

void WorldMap(CCanvas& c) {
  const int ox = 0, oy = 320, n = 150;
  // Sea, then one island whose regions lie under the dungeon icons.
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double wave = std::sin(x * 0.5 + y * 0.2) * 0.5 + std::sin(y * 0.7) * 0.5;
      c.Put(ox + x, oy + y, wave > 0.75 ? Rgb(90, 150, 220) : Rgb(50, 104, 190));
    }
  auto land = [&](double cx, double cy, double rx, double ry, Rgba col) { c.FillEllipse(ox + cx, oy + cy, rx, ry, col); };
  land(75, 75, 68, 62, Rgb(226, 210, 150));
  land(75, 75, 64, 58, Rgb(110, 176, 80));
  land(40, 30, 26, 18, Rgb(210, 180, 110));   // the desert with its volcano
  land(30, 118, 20, 16, Rgb(50, 120, 60));    // the forest
  land(90, 118, 18, 16, Rgb(230, 236, 246));  // the snow mountains
  land(120, 85, 16, 13, Rgb(60, 120, 200));   // the lake
  land(120, 85, 12, 9, Rgb(80, 150, 220));
  land(20, 15, 14, 10, Rgb(120, 90, 140));    // the untrodden region
  for (int i = 0; i < 12; ++i) {
    const double x = 18 + (i % 4) * 8 + (i / 4) * 3, y = 108 + (i / 4) * 7;
    c.FillPolygon({{ox + x, oy + y - 4}, {ox + x + 3, oy + y + 2}, {ox + x - 3, oy + y + 2}}, Rgb(30, 90, 40));
  }
  for (int i = 0; i < 4; ++i) {
    const double x = 82 + i * 6, y = 120 - (i % 2) * 4;
    c.FillPolygon({{ox + x, oy + y - 6}, {ox + x + 5, oy + y + 3}, {ox + x - 5, oy + y + 3}}, Rgb(150, 156, 170));
    c.FillPolygon({{ox + x, oy + y - 6}, {ox + x + 2, oy + y - 3}, {ox + x - 2, oy + y - 3}}, Rgb(255, 255, 255));
  }
  c.FillPolygon({{ox + 40.0, oy + 22.0}, {ox + 48.0, oy + 36.0}, {ox + 32.0, oy + 36.0}}, Rgb(120, 80, 60));
  c.FillRect(ox + 38, oy + 21, 4, 2, Rgb(250, 120, 40));
  // Roads from the tutorial's village to every dungeon.
  const int sites[8][2] = {{60, 80}, {30, 120}, {120, 85}, {90, 120}, {40, 30}, {20, 15}, {115, 51}, {137, 25}};
  for (int i = 1; i < 8; ++i)
    for (int k = 0; k <= 20; ++k) {
      const double t = k / 20.0;
      c.Put(ox + static_cast<int>(sites[0][0] + (sites[i][0] - sites[0][0]) * t),
            oy + static_cast<int>(sites[0][1] + (sites[i][1] - sites[0][1]) * t), Rgb(180, 140, 90));
    }
  // The lab's tower on its hill and the gallery's gate on a far islet.
  c.FillRect(ox + 112, oy + 42, 6, 14, Rgb(120, 100, 130)), c.FillPolygon({{ox + 111.0, oy + 42.0}, {ox + 115.0, oy + 36.0}, {ox + 119.0, oy + 42.0}}, Rgb(160, 60, 80));
  land(137, 25, 9, 8, Rgb(200, 190, 170));
  c.FillRect(ox + 133, oy + 20, 8, 9, Rgb(240, 230, 200)), c.FillRect(ox + 135, oy + 23, 4, 6, Rgb(40, 30, 50));
  c.FillRect(ox + 56, oy + 76, 8, 6, Rgb(200, 90, 60)), c.FillRect(ox + 57, oy + 79, 2, 3, Rgb(80, 50, 30));
  c.FrameRect(ox, oy, n, n, Rgb(120, 90, 50));
  // Dungeon icons: a banner stake, and a cleared one with a gold crown.
  auto icon = [&c](int x, int y, bool cleared) {
    c.FillRect(x + 9, y + 4, 2, 14, Rgb(90, 60, 30));
    c.FillPolygon({{x + 11.0, y + 4.0}, {x + 18.0, y + 7.0}, {x + 11.0, y + 10.0}}, cleared ? Gold : Rgb(220, 60, 60));
    c.FillEllipse(x + 10, y + 17, 5, 2, Rgb(0, 0, 0, 90));
    if (cleared) c.FillPolygon({{x + 4.0, y + 4.0}, {x + 5.0, y + 1.0}, {x + 6.5, y + 3.0}, {x + 8.0, y + 1.0}, {x + 9.0, y + 4.0}}, Gold);
    c.Outline(x, y, 20, 20, Ink);
  };
  icon(150, 320, false);
  icon(170, 340, true);
}

}  // namespace

CCanvas DrawInterfaceSheet() {
  CCanvas c(512, 512);
  MapMarkers(c);
  LifeBar(c);
  StatusMarks(c);
  Arrows(c);
  Slots(c);
  CategoryIcons(c);
  Tabs(c);
  ScrollBar(c);
  Panels(c);
  WorldMap(c);
  PaintInterfaceEffects(c);
  return c;
}

bool IsFrameResource(int resource) {
  return resource >= 1000 && resource <= 1033 && resource % 10 <= 3 && (resource / 10) % 100 <= 3;
}

CCanvas DrawFramePicture(int resource) {
  // Four sets: the everyday window (thin), a parchment one, a red one and
  // the message window's (thicker, with a gold line).
  const int set = (resource - 1000) / 10, piece = resource % 10;
  const Rgba fills[4] = {Rgb(30, 36, 74), Rgb(226, 214, 180), Rgb(90, 30, 40), Rgb(20, 24, 44)};
  const Rgba rims[4] = {Rgb(226, 230, 250), Rgb(120, 90, 50), Rgb(250, 210, 200), Rgb(240, 210, 120)};
  const int thick = set == 3 ? 4 : 3;
  CCanvas c(16, 16);
  const Rgba fill = fills[set], rim = rims[set];
  if (piece == 0) {
    // The backdrop repeats across the whole window: a quiet weave.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) c.Put(x, y, (x + y) % 8 == 0 ? Shade(fill, 0.12) : (x * 3 + y) % 16 == 5 ? Shade(fill, -0.15) : fill);
    return c;
  }
  // Rows (or columns) of the border from the outside in.
  auto band = [&](int i) -> Rgba {
    if (i == 0) return Rgb(12, 10, 20);
    if (i == 1) return rim;
    if (thick == 4 && i == 2) return Shade(rim, -0.35);
    return Shade(fill, -0.3);
  };
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int top = y, bottom = 15 - y, left = x, right = 15 - x;
      Rgba p = Clear;
      if (piece == 1) {  // bands: top rows and bottom rows, repeating across
        if (top < thick) p = band(top);
        else if (bottom < thick) p = bottom == 1 ? Shade(rim, -0.25) : band(bottom);
        else p = Shade(fill, -0.1);
      } else if (piece == 2) {  // columns: left and right
        if (left < thick) p = band(left);
        else if (right < thick) p = right == 1 ? Shade(rim, -0.25) : band(right);
        else p = Shade(fill, -0.1);
      } else {  // corners: rounded
        const int dx = std::min(left, right), dy = std::min(top, bottom);
        const int d = std::min(dx, dy);
        if (dx + dy < 1) p = Clear;
        else if (dx < thick || dy < thick) p = band(d == 0 ? 0 : (dx + dy == 1 ? 0 : d));
        else p = Shade(fill, -0.1);
      }
      c.Put(x, y, p);
    }
  return c;
}

CCanvas DrawTitleSheet() {
  CCanvas c(512, 512);
  PaintTitleLandscape(c);
  PaintLogo(c, 200, 0, false);
  PaintLogo(c, 360, 0, true);
  PaintEndingPieces(c);
  PaintControlsPicture(c);
  return c;
}

CCanvas DrawSelectBackdrop() {
  CCanvas c(512, 512);
  PaintSelectLandscape(c);
  return c;
}

CCanvas DrawPortraits() {
  CCanvas c(512, 512);
  for (int i = 0; i < 9; ++i) PaintPortrait(c, 120 * (i % 4), 120 * (i / 4), i);
  return c;
}

CCanvas DrawLogoCard(int resource, int size) {
  // The cards are shown at a quarter of their size, so they are drawn at
  // that size and each pixel blown up to 4 x 4.
  CCanvas small(size / 4, size / 4);
  if (resource == 133) {
    PaintStudioCard(small, 0, 0, 256, 90);
  } else {
    PaintCreditCard(small, 0, 90, 120, 30, false);
    PaintCreditCard(small, 0, 40, 120, 50, true);
  }
  CCanvas c(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) c.Put(x, y, small.Get(x / 4, y / 4));
  return c;
}

CCanvas DrawStatIcons() {
  CCanvas c(256, 256);
  for (int i = 0; i < 4; ++i) {
    Panel(c, 60 * i + 2, 2, 56, 56);
    const double cx = 60 * i + 30, cy = 30;
    switch (i) {
      case 0:  // life: a heart
        c.FillEllipse(cx - 7, cy - 5, 8, 8, Rgb(230, 60, 70)), c.FillEllipse(cx + 7, cy - 5, 8, 8, Rgb(230, 60, 70));
        c.FillPolygon({{cx - 15, cy - 2}, {cx + 15, cy - 2}, {cx, cy + 16}}, Rgb(230, 60, 70));
        break;
      case 1:  // strength: a sword
        c.ThickLine(cx - 12, cy + 12, cx + 12, cy - 12, 5, Rgb(220, 224, 236));
        c.ThickLine(cx - 12, cy + 4, cx - 4, cy + 12, 4, Gold);
        break;
      case 2:  // dexterity: a winged boot
        c.FillRect(static_cast<int>(cx) - 10, static_cast<int>(cy) - 8, 9, 16, Rgb(150, 100, 60));
        c.FillRect(static_cast<int>(cx) - 10, static_cast<int>(cy) + 4, 20, 6, Rgb(150, 100, 60));
        c.FillPolygon({{cx, cy - 8}, {cx + 16, cy - 16}, {cx + 12, cy - 2}}, Rgb(250, 250, 255));
        break;
      default:  // intelligence: a star
        std::vector<Point> star;
        for (int k = 0; k < 10; ++k) {
          const double a = -Pi / 2 + k * Pi / 5, r = k % 2 ? 7.0 : 17.0;
          star.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
        }
        c.FillPolygon(star, Rgb(150, 170, 255));
        break;
    }
  }
  return c;
}
