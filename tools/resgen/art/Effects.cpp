#include "art/Effects.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "art/Humanoid.h"
#include "characters/CCharacterEffect.h"
#include "platform/Renderer.h"

namespace {

constexpr double Pi = 3.14159265358979;

bool NoPicture(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

// What an effect entry shows, by the entry numbers the game gives them.
enum class Look { None, Spinning, Spear, Kunai, Arrow, Bolt, Orb, Flame, Cloud };
struct EffectLook {
  Look Kind = Look::None;
  int Index = 0;       // frame within its run
  std::string Weapon;  // spinning weapons
  Rgba Core, Glow;
};

EffectLook LookOf(AnimationEntry e) {
  EffectLook l;
  auto run = [&](AnimationEntry first, int count) {
    if (e < first || e >= first + count) return false;
    l.Index = e - first;
    return true;
  };
  static const char* const thrown[5] = {"shortsword", "axe", "spear", "broadsword", "staff"};
  for (int k = 0; k < 5; ++k)
    if (run(EffectThrownWeapon + 10 * k, 4)) {
      l.Kind = k == 2 ? Look::Spear : Look::Spinning;
      l.Weapon = thrown[k];
    }
  if (run(EffectKunai, 1)) l.Kind = Look::Kunai;
  if (run(EffectArrow, 1)) l.Kind = Look::Arrow;
  if (run(EffectWandBolt, 4)) l.Kind = Look::Bolt;
  if (run(EffectReachShot, 2) || run(EffectGhostFire, 2)) l.Kind = Look::Orb, l.Core = Rgb(230, 250, 255), l.Glow = Rgb(110, 190, 255);
  if (run(EffectBreath, 2)) l.Kind = Look::Orb, l.Core = Rgb(255, 250, 200), l.Glow = Rgb(255, 120, 30);
  if (run(EffectSpell, 2)) l.Kind = Look::Orb, l.Core = Rgb(255, 200, 220), l.Glow = Rgb(220, 30, 80);
  // Flames of a fire on a cell: the pyrokinesis's and the dragon's orange,
  // ghost fire's blue, the vampire's crimson.
  if (run(EffectPyrokinesis + 1, 5) || run(EffectBreath + 3, 5)) l.Kind = Look::Flame, l.Core = Rgb(255, 230, 90), l.Glow = Rgb(255, 120, 20);
  if (run(EffectGhostFire + 3, 5)) l.Kind = Look::Flame, l.Core = Rgb(230, 245, 255), l.Glow = Rgb(120, 170, 255);
  if (run(EffectSpell + 3, 2)) l.Kind = Look::Flame, l.Core = Rgb(255, 190, 210), l.Glow = Rgb(230, 40, 90), l.Index += 1;
  // The five gas clouds of the traps: sleep, paralysis, poison, confusion, slowness.
  static const Rgba gases[5] = {Rgb(130, 160, 250), Rgb(240, 230, 90), Rgb(120, 210, 90), Rgb(240, 130, 230), Rgb(180, 190, 210)};
  for (int k = 0; k < 5; ++k)
    if (run(204 + 10 * k, 7)) l.Kind = Look::Cloud, l.Glow = gases[k];
  return l;
}

// A glowing ball flying along (dx, dy), its tail behind.
void Orb(CCanvas& c, int x, int y, const EffectLook& l, double dx, double dy) {
  const double cx = x + 10 + dx * 2, cy = y + 10 + dy * 2;
  for (int i = 3; i >= 1; --i)
    c.FillEllipse(cx - dx * i * 3.2, cy - dy * i * 3.2 + ((i + l.Index) % 2 ? 0.6 : -0.6), 2.6 - i * 0.5, 2.6 - i * 0.5, Mix(l.Glow, Clear, i * 0.22));
  c.FillEllipse(cx, cy, 4.2 + (l.Index % 2) * 0.6, 4.0, l.Glow);
  c.FillEllipse(cx + 0.5, cy - 0.5, 2.2, 2.0, l.Core);
  c.Put(static_cast<int>(cx + 1), static_cast<int>(cy - 2), Rgb(255, 255, 255));
}

// A tongue of flame rising and dying down over five frames.
void Flame(CCanvas& c, int x, int y, const EffectLook& l) {
  const double t = l.Index / 4.0;
  const double h = 4 + 10 * std::sin(t * Pi * 0.85 + 0.15), w = 3 + 3 * std::sin(t * Pi);
  const double cx = x + 10, base = y + 17;
  c.FillPolygon({{cx - w, base}, {cx - w * 0.6, base - h * 0.55}, {cx + (l.Index % 2 ? 1 : -1), base - h}, {cx + w * 0.6, base - h * 0.5}, {cx + w, base}}, l.Glow);
  c.FillPolygon({{cx - w * 0.5, base}, {cx, base - h * 0.6}, {cx + w * 0.5, base}}, l.Core);
  if (l.Index == 4) c.Wash(x, y, 20, 20, Rgb(90, 80, 80), 0.5);  // smoke as it dies
}

// The wand's bolt: a star of light turning as it flies, a trail behind.
void Bolt(CCanvas& c, int x, int y, int k, double dx, double dy) {
  const double cx = x + 10, cy = y + 10, r = 5 + (k % 2) * 1.5;
  for (int i = 0; i < 8; ++i) {
    const double a = i * Pi / 4 + k * Pi / 8, len = i % 2 ? r * 0.55 : r;
    c.Line(static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(cx + std::cos(a) * len), static_cast<int>(cy + std::sin(a) * len),
           i % 2 ? Rgb(255, 230, 140) : Rgb(255, 255, 220));
  }
  c.FillEllipse(cx, cy, 2, 2, Rgb(255, 255, 255));
  c.FillEllipse(cx - dx * 6, cy - dy * 6, 1.2, 1.2, Rgb(255, 220, 120, 160));
}

// A cloud of gas swelling, then thinning as it spreads.
void Cloud(CCanvas& c, int x, int y, const EffectLook& l) {
  static const int stage[7] = {0, 1, 2, 1, 2, 3, 4};
  const int k = stage[std::clamp(l.Index, 0, 6)];
  const double grow = 0.35 + k * 0.17, cx = x + 20, cy = y + 22;
  CCanvas o(c.Width(), c.Height());
  for (int i = 0; i < 7; ++i) {
    const double a = i * 2 * Pi / 7 + k * 0.4;
    o.FillEllipse(cx + std::cos(a) * 8 * grow, cy + std::sin(a) * 5 * grow - 2 * grow, 5 * grow + 1, 4 * grow + 1,
                  Mix(l.Glow, Rgb(255, 255, 255), i % 2 ? 0.0 : 0.25));
  }
  o.FillEllipse(cx, cy - 2 * grow, 7 * grow, 5 * grow, Mix(l.Glow, Rgb(255, 255, 255), 0.35));
  o.Outline(x, y, 40, 40, Shade(l.Glow, -0.6));
  if (k >= 3)
    for (int j = y; j < y + 40; ++j)
      for (int i = x; i < x + 40; ++i)
        if (o.OpaqueAt(i, j)) {
          Rgba p = o.Get(i, j);
          p.A = static_cast<std::uint8_t>(255 - (k - 2) * 40);
          o.Put(i, j, p);
        }
  c.Draw(o, x, y, 40, 40, x, y);
}

void Weapon(CCanvas& c, int x, int y, int size, const std::string& weapon, double angle) {
  HumanoidLook look;
  look.HeldColour = Rgb(200, 204, 214);
  double scale = 1.0, len = 8.0;
  if (weapon == "shortsword") look.HeldKind = Held::Sword, scale = 0.85;
  if (weapon == "axe") look.HeldKind = Held::Axe;
  if (weapon == "broadsword") look.HeldKind = Held::Sword, scale = 1.2;
  if (weapon == "staff") look.HeldKind = Held::Staff, look.HeldColour = Rgb(140, 200, 255);
  if (weapon == "spear") look.HeldKind = Held::Spear, scale = 1.3, len = 14;
  len *= scale;
  const double ax = std::cos(angle), ay = std::sin(angle);
  CCanvas w(size, size);
  DrawWeapon(w, look, size / 2.0 - ax * len / 2, size / 2.0 - ay * len / 2, ax, ay, scale, false);
  w.Outline(Rgb(22, 16, 28));
  c.Draw(w, 0, 0, size, size, x, y, true);
}

void Kunai(CCanvas& c, int x, int y, double angle) {
  CCanvas k(20, 20);
  const double ax = std::cos(angle), ay = std::sin(angle), px = -ay, py = ax;
  k.FillPolygon({{10 - ax * 2 + px * 2, 10 - ay * 2 + py * 2}, {10 + ax * 8, 10 + ay * 8}, {10 - ax * 2 - px * 2, 10 - ay * 2 - py * 2}},
                Rgb(176, 182, 196));
  k.ThickLine(10 - ax * 2, 10 - ay * 2, 10 - ax * 6, 10 - ay * 6, 1.6, Rgb(60, 50, 60));
  k.FillEllipse(10 - ax * 8, 10 - ay * 8, 1.8, 1.8, Rgb(120, 120, 130));
  k.Outline(Rgb(22, 16, 28));
  c.Draw(k, 0, 0, 20, 20, x, y, true);
}

void Arrow(CCanvas& c, int x, int y, double angle) {
  CCanvas a(20, 20);
  const double ax = std::cos(angle), ay = std::sin(angle), px = -ay, py = ax;
  a.ThickLine(10 - ax * 7, 10 - ay * 7, 10 + ax * 5, 10 + ay * 5, 1.2, Rgb(176, 134, 80));
  a.FillPolygon({{10 + ax * 4 + px * 2.5, 10 + ay * 4 + py * 2.5}, {10 + ax * 9, 10 + ay * 9}, {10 + ax * 4 - px * 2.5, 10 + ay * 4 - py * 2.5}},
                Rgb(200, 204, 214));
  a.FillPolygon({{10 - ax * 8 + px * 2, 10 - ay * 8 + py * 2}, {10 - ax * 4, 10 - ay * 4}, {10 - ax * 8 - px * 2, 10 - ay * 8 - py * 2}},
                Rgb(240, 240, 236));
  a.Outline(Rgb(22, 16, 28));
  c.Draw(a, 0, 0, 20, 20, x, y, true);
}

// One cell the game's effect table addresses: a record, in one facing row.
struct EffectCell {
  PictureId Picture;
  int X, Y, W, H;
  int Row;
  EffectLook What;
};

std::vector<EffectCell> GameEffectCells() {
  // The game's own table, read from an effect made for the purpose; no
  // picture is loaded for it.
  SetPictureLoader(&NoPicture);
  std::vector<AnimationFrame> frames;
  {
    const CCharacterEffect effect;
    frames = effect.frames;
  }
  SetPictureLoader(nullptr);
  std::vector<EffectCell> cells;
  for (std::size_t e = 0; e < frames.size(); ++e) {
    const AnimationFrame& f = frames[e];
    const EffectLook what = LookOf(static_cast<AnimationEntry>(e));
    if (f.texture == 0 || f.right <= f.left || what.Kind == Look::None) continue;
    const int w = f.right - f.left + 1, h = f.bottom - f.top + 1;
    for (int row = 0; row < 5; ++row) cells.push_back({f.texture, f.centreX + f.left, f.centreY + f.top + row * h, w, h, row, what});
  }
  return cells;
}

void PaintCell(CCanvas& c, const EffectCell& cell) {
  // Facing rows: down, down-right, right, up-right, up; the game mirrors
  // them for the left.
  static const double angles[5] = {Pi / 2, Pi / 4, 0, -Pi / 4, -Pi / 2};
  const double angle = angles[cell.Row], dx = std::cos(angle), dy = std::sin(angle);
  c.FillRect(cell.X, cell.Y, cell.W, cell.H, Clear);
  switch (cell.What.Kind) {
    // A spinning weapon's frames run down its column, and each row starts one
    // cell further: the turn goes by the cell, so overlapping cuts agree.
    case Look::Spinning: Weapon(c, cell.X, cell.Y, cell.W, cell.What.Weapon, (cell.What.Index + cell.Row) * Pi / 2); break;
    case Look::Spear: Weapon(c, cell.X, cell.Y, cell.W, "spear", angle); break;
    case Look::Kunai: Kunai(c, cell.X, cell.Y, angle); break;
    case Look::Arrow: Arrow(c, cell.X, cell.Y, angle); break;
    case Look::Bolt: Bolt(c, cell.X, cell.Y, cell.What.Index, dx, dy); break;
    case Look::Orb: Orb(c, cell.X, cell.Y, cell.What, dx, dy); break;
    case Look::Flame: Flame(c, cell.X, cell.Y, cell.What); break;
    case Look::Cloud: Cloud(c, cell.X, cell.Y, cell.What); break;
    case Look::None: break;
  }
}

// The game's table lays facing rows under each record, so the rows of one
// effect fall on the cells of another. Each cell shows the effect that
// reaches it with the lowest row: every effect facing down shows itself,
// and the others as far as the layout leaves room.
void PaintEffects(CCanvas& c, PictureId picture) {
  std::vector<EffectCell> cells;
  for (const EffectCell& cell : GameEffectCells())
    if (cell.Picture == picture) cells.push_back(cell);
  std::stable_sort(cells.begin(), cells.end(), [](const EffectCell& a, const EffectCell& b) { return a.Row > b.Row; });
  for (const EffectCell& cell : cells) PaintCell(c, cell);
}

}  // namespace

void PaintInterfaceEffects(CCanvas& sheet) { PaintEffects(sheet, 7); }

CCanvas DrawBurstSheet() {
  CCanvas c(512, 512);
  PaintEffects(c, 14);
  return c;
}

void PaintWeaponEffects(CCanvas& sheet, int picture) { PaintEffects(sheet, picture); }

