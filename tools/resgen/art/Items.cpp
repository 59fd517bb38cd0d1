#include "art/Items.h"

#include <cmath>
#include <set>
#include <string_view>
#include <utility>

#include "app/CGameMain.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"

namespace {

constexpr int Size = 20;

bool Has(std::string_view name, std::string_view word) { return name.find(word) != std::string_view::npos; }
bool Starts(std::string_view name, std::string_view word) { return name.substr(0, word.size()) == word; }

// The metal or stuff of an item by the first word of its name.
Rgba StuffColour(std::string_view name) {
  static const std::pair<const char*, Rgba> stuffs[] = {
      {"STONE", Rgb(150, 146, 140)},   {"COPPER", Rgb(206, 116, 62)}, {"IRON", Rgb(136, 148, 166)},
      {"SILVER", Rgb(214, 218, 230)},  {"MYTHRIL", Rgb(96, 214, 200)}, {"COBALT", Rgb(64, 104, 214)},
      {"GOLD", Rgb(240, 194, 56)},     {"DEMONIUM", Rgb(160, 44, 100)}, {"WOOD", Rgb(160, 108, 60)},
      {"DRAGON", Rgb(210, 56, 44)},    {"SAMURAI", Rgb(176, 34, 44)},  {"DEVIL", Rgb(100, 44, 128)},
      {"GORGON", Rgb(86, 160, 86)},    {"BEAST", Rgb(196, 164, 112)},  {"SCALE", Rgb(84, 150, 124)},
      {"SPIKE", Rgb(124, 124, 136)},   {"AEGIS", Rgb(236, 224, 170)},  {"ROUND", Rgb(160, 108, 60)},
      {"SHINOBI", Rgb(56, 56, 84)},    {"KUNOICHI", Rgb(196, 64, 120)}, {"KATANA", Rgb(220, 224, 232)},
      {"KUNAI", Rgb(120, 126, 140)},   {"TRIDENT", Rgb(90, 190, 210)}, {"CADUCEUS", Rgb(240, 200, 70)},
      {"FAILNAUGHT", Rgb(250, 214, 90)}, {"CANDRADHNUS", Rgb(120, 220, 250)},
  };
  for (const auto& [word, colour] : stuffs)
    if (Starts(name, word)) return colour;
  return Rgb(176, 150, 110);  // plain cloth and leather
}

// The colour of an effect named in a potion's, stone's, wand's or ring's name.
Rgba EffectColour(std::string_view name) {
  static const std::pair<const char*, Rgba> effects[] = {
      {"EXTRA HEALING", Rgb(255, 120, 176)}, {"HEALING", Rgb(228, 52, 52)},     {"CLEARANCE", Rgb(84, 224, 232)},
      {"QUICK", Rgb(252, 220, 50)},          {"SLOW", Rgb(124, 134, 178)},      {"CONFUSION", Rgb(206, 86, 226)},
      {"PARALYZE", Rgb(196, 222, 56)},       {"SLEEP", Rgb(76, 108, 236)},      {"TELEPORT", Rgb(236, 84, 200)},
      {"LEVEL UP", Rgb(255, 204, 40)},       {"LEVEL DOWN", Rgb(128, 88, 58)},  {"OIL", Rgb(168, 116, 28)},
      {"STRENGTH", Rgb(244, 112, 36)},       {"VITALITY", Rgb(76, 204, 76)},    {"DEXTERITY", Rgb(108, 192, 252)},
      {"ELIXIR", Rgb(255, 246, 196)},        {"DEMON BLOOD", Rgb(136, 0, 30)},  {"INTELLIGENCE", Rgb(96, 72, 212)},
      {"MAPPING", Rgb(214, 190, 120)},       {"MIGHT", Rgb(224, 70, 40)},       {"WEAKNESS", Rgb(140, 140, 104)},
      {"FIRE", Rgb(255, 124, 26)},           {"PHILOSOPHERS", Rgb(226, 28, 52)}, {"DARK MATTER", Rgb(60, 24, 84)},
      {"RECHARGE", Rgb(120, 232, 255)},      {"BUSHIDO", Rgb(204, 40, 40)},     {"WIND", Rgb(170, 244, 200)},
      {"WATER", Rgb(58, 140, 244)},          {"DRAGON", Rgb(222, 60, 40)},      {"BEAST", Rgb(204, 150, 88)},
      {"GORGON", Rgb(100, 196, 90)},         {"DEMON", Rgb(128, 30, 96)},       {"INVINCIBLE", Rgb(255, 240, 140)},
      {"DEATH", Rgb(48, 44, 52)},            {"PROTECTION", Rgb(184, 186, 206)}, {"ACCURACY", Rgb(244, 164, 60)},
      {"EVASION", Rgb(160, 244, 220)},       {"RESURRECTION", Rgb(255, 252, 224)}, {"TELEPATHY", Rgb(232, 140, 255)},
      {"CRITICAL", Rgb(255, 64, 64)},        {"RESISTANCE", Rgb(150, 224, 150)}, {"REGENERATION", Rgb(120, 255, 150)},
  };
  for (const auto& [word, colour] : effects)
    if (Has(name, word)) return colour;
  return Rgb(200, 200, 200);
}

// ---- shapes --------------------------------------------------------------

void Hilt(CCanvas& c, double x, double y, double dx, double dy, Rgba grip, Rgba guard) {
  // (x, y) is where blade meets guard; (dx, dy) points along the blade.
  const double px = -dy, py = dx;
  c.ThickLine(x - px * 3, y - py * 3, x + px * 3, y + py * 3, 1.6, guard);
  c.ThickLine(x - dx * 1, y - dy * 1, x - dx * 4, y - dy * 4, 1.6, grip);
  c.FillEllipse(x - dx * 5, y - dy * 5, 1.3, 1.3, guard);
}

void Sword(CCanvas& c, Rgba metal, double length, double width, bool curved) {
  const Ramp m(metal);
  const double dx = 0.7071, dy = -0.7071;
  const double hx = 6.5, hy = 13.5;
  const double tx = hx + dx * length, ty = hy + dy * length;
  if (curved) {
    for (int i = 0; i <= 10; ++i) {
      const double t = i / 10.0, bend = std::sin(t * 3.14159) * 1.2;
      c.FillEllipse(hx + (tx - hx) * t + bend, hy + (ty - hy) * t + bend, width / 2 + 0.2, width / 2 + 0.2, m.Light);
    }
  } else {
    c.ThickLine(hx, hy, tx, ty, width, m.Base);
    c.ThickLine(hx + 0.5, hy - 0.5, tx, ty, std::max(1.0, width - 1.5), m.Light);
  }
  c.Put(static_cast<int>(tx), static_cast<int>(ty), m.Shine);
  Hilt(c, hx, hy, dx, dy, Rgb(110, 70, 40), Rgb(214, 178, 80));
}

void Axe(CCanvas& c, Rgba metal) {
  const Ramp m(metal);
  c.ThickLine(5, 17, 13, 4, 1.8, Rgb(140, 96, 52));
  c.FillPolygon({{11.0, 3.0}, {17.5, 2.5}, {18.5, 10.0}, {13.0, 9.0}}, m.Base);
  c.FillPolygon({{13.0, 3.5}, {17.0, 3.5}, {17.5, 6.5}}, m.Light);
  c.Line(18, 3, 18, 9, m.Shine);
}

void Spear(CCanvas& c, Rgba metal) {
  const Ramp m(metal);
  c.ThickLine(3, 18, 14, 7, 1.5, Rgb(150, 104, 58));
  c.FillPolygon({{12.0, 5.0}, {18.5, 1.5}, {15.0, 8.0}}, m.Base);
  c.Line(14, 6, 17, 3, m.Shine);
  c.FillRect(11, 8, 2, 2, Rgb(200, 60, 50));
}

void Staff(CCanvas& c, Rgba stuff) {
  c.ThickLine(5, 18, 12, 6, 1.8, Shade(stuff, -0.1));
  c.FillEllipse(13.5, 4.5, 3.2, 3.2, Ramp(stuff).Dark);
  c.ShadedEllipse(13.5, 4.5, 2.5, 2.5, Ramp(Mix(stuff, Rgb(140, 220, 255), 0.5)));
  c.Put(12, 3, Rgb(255, 255, 255));
}

void Bow(CCanvas& c, Rgba stuff) {
  const Ramp m(stuff);
  for (int i = 0; i <= 16; ++i) {
    const double t = (i - 8) / 8.0;
    const double x = 6 + (1 - t * t) * 7, y = 10 + t * 8;
    c.FillEllipse(x, y, 1.2, 1.0, i % 4 == 0 ? m.Light : m.Base);
  }
  c.Line(6, 2, 6, 18, Rgb(236, 232, 214));
  c.FillRect(11, 9, 3, 3, Rgb(110, 70, 40));
}

void Arrow(CCanvas& c, Rgba metal) {
  c.ThickLine(3, 17, 15, 5, 1.2, Rgb(176, 134, 80));
  c.FillPolygon({{13.5, 3.5}, {18.5, 1.5}, {16.5, 6.5}}, metal);
  c.FillPolygon({{2.0, 15.0}, {5.5, 15.5}, {3.0, 18.5}}, Rgb(240, 240, 236));
  c.FillPolygon({{4.0, 13.0}, {7.0, 14.0}, {4.5, 16.5}}, Rgb(220, 70, 60));
}

void Armour(CCanvas& c, Rgba stuff, int style) {
  const Ramp m(stuff);
  switch (style) {
    case 0:  // breastplate
      c.FillPolygon({{4.0, 4.0}, {8.0, 3.0}, {10.0, 5.0}, {12.0, 3.0}, {16.0, 4.0}, {16.0, 9.0}, {15.0, 17.0},
                     {5.0, 17.0}, {4.0, 9.0}},
                    m.Base);
      c.FillRect(6, 7, 3, 7, m.Light);
      c.Line(10, 6, 10, 16, m.Dark);
      c.FillRect(5, 12, 10, 1, m.Dark);
      break;
    case 1:  // cloak
      c.FillPolygon({{7.0, 3.0}, {13.0, 3.0}, {17.0, 17.0}, {3.0, 17.0}}, m.Base);
      c.FillPolygon({{8.0, 4.0}, {10.0, 4.0}, {7.0, 16.0}, {5.0, 16.0}}, m.Light);
      c.FillRect(8, 3, 4, 2, Rgb(230, 196, 80));
      break;
    case 2:  // robe
      c.FillPolygon({{7.0, 3.0}, {13.0, 3.0}, {18.0, 9.0}, {15.0, 10.0}, {15.0, 18.0}, {5.0, 18.0}, {5.0, 10.0}, {2.0, 9.0}}, m.Base);
      c.Line(10, 4, 10, 17, m.Dark);
      c.FillRect(5, 11, 10, 1, Rgb(230, 196, 80));
      c.Line(8, 4, 6, 9, m.Light);
      break;
    default:  // clothes: a wrapped jacket with a sash
      c.FillPolygon({{5.0, 4.0}, {15.0, 4.0}, {17.0, 9.0}, {15.0, 10.0}, {15.0, 17.0}, {5.0, 17.0}, {5.0, 10.0}, {3.0, 9.0}}, m.Base);
      c.Line(7, 4, 11, 11, m.Light);
      c.FillRect(5, 11, 10, 2, Shade(stuff, 0.5));
      break;
  }
}

void Shield(CCanvas& c, Rgba stuff, int style) {
  const Ramp m(stuff);
  if (style == 1) {  // round
    c.ShadedEllipse(10, 10, 7.5, 7.5, m);
    c.FillEllipse(10, 10, 2, 2, Rgb(230, 200, 90));
    return;
  }
  c.FillPolygon({{3.0, 3.0}, {17.0, 3.0}, {17.0, 10.0}, {10.0, 18.0}, {3.0, 10.0}}, m.Base);
  c.FillPolygon({{4.0, 4.0}, {10.0, 4.0}, {10.0, 16.0}, {4.0, 10.0}}, m.Light);
  c.Line(10, 4, 10, 16, m.Dark);
  c.FillRect(4, 8, 13, 1, m.Dark);
  if (style == 2) {  // spikes
    c.Put(10, 1, m.Shine), c.Put(10, 2, m.Shine), c.Put(1, 6, m.Shine), c.Put(18, 6, m.Shine);
  }
}

void Glove(CCanvas& c, Rgba stuff) {
  const Ramp m(stuff);
  c.FillRect(5, 11, 9, 7, m.Dark);
  c.FillRect(5, 5, 9, 8, m.Base);
  for (int i = 0; i < 4; ++i) c.FillRect(5 + i * 2, 2 + (i == 0 || i == 3 ? 1 : 0), 2, 4, m.Base);
  c.FillRect(13, 7, 3, 4, m.Base);
  c.FillRect(6, 6, 2, 5, m.Light);
}

void Bracelet(CCanvas& c, Rgba stuff) {
  const Ramp m(stuff);
  c.FillEllipse(10, 11, 7, 5, m.Base);
  c.FillEllipse(10, 10, 5, 3, Clear);
  c.FillEllipse(10, 12.5, 6, 1.3, m.Light);
  c.FillRect(9, 14, 3, 2, Rgb(110, 200, 240));
}

void Helmet(CCanvas& c, Rgba stuff, int style) {
  const Ramp m(stuff);
  switch (style) {
    case 0:  // helmet
      c.ShadedEllipse(10, 10, 7, 7, m);
      c.FillRect(3, 10, 15, 7, m.Base);
      c.FillRect(5, 11, 11, 2, m.Ink);
      c.Line(10, 3, 10, 9, m.Light);
      break;
    case 1:  // hunting cap with a feather
      c.FillEllipse(10, 12, 7, 5, m.Base);
      c.FillRect(3, 12, 15, 3, m.Dark);
      c.ThickLine(13, 11, 18, 2, 1.6, Rgb(220, 60, 50));
      c.Line(14, 9, 17, 3, Rgb(250, 140, 120));
      break;
    case 2:  // a tall pointed hat
      c.FillPolygon({{10.0, 1.0}, {15.0, 14.0}, {5.0, 14.0}}, m.Base);
      c.FillEllipse(10, 15, 8, 2.5, m.Dark);
      c.FillRect(6, 12, 8, 2, Rgb(230, 196, 80));
      c.Line(10, 2, 7, 12, m.Light);
      break;
    default:  // circlet with its gem
      c.FillEllipse(10, 11, 8, 4, m.Base);
      c.FillEllipse(10, 10.5, 6.5, 2.6, Clear);
      c.FillRect(8, 6, 4, 4, Rgb(200, 200, 210));
      break;
  }
}

void Ring(CCanvas& c, Rgba gem) {
  c.FillEllipse(10, 12, 6, 5.5, Rgb(232, 196, 72));
  c.FillEllipse(10, 12, 4, 3.5, Clear);
  c.FillEllipse(10, 11.2, 4.5, 1.2, Rgb(255, 236, 150));
  c.ShadedEllipse(10, 6, 3.3, 3, Ramp(gem));
  c.Put(9, 5, Rgb(255, 255, 255));
}

void Gem(CCanvas& c, Rgba colour, int style) {
  const Ramp m(colour);
  switch (style % 3) {
    case 0:
      c.FillPolygon({{10.0, 2.0}, {17.0, 8.0}, {10.0, 18.0}, {3.0, 8.0}}, m.Base);
      c.FillPolygon({{10.0, 2.0}, {10.0, 18.0}, {3.0, 8.0}}, m.Light);
      c.FillPolygon({{6.0, 5.0}, {14.0, 5.0}, {17.0, 8.0}, {3.0, 8.0}}, m.Shine);
      break;
    case 1:
      c.ShadedEllipse(10, 10, 7, 7, m);
      c.FillRect(7, 6, 2, 2, m.Shine);
      break;
    default:
      c.FillPolygon({{6.0, 3.0}, {14.0, 3.0}, {17.0, 10.0}, {14.0, 17.0}, {6.0, 17.0}, {3.0, 10.0}}, m.Base);
      c.FillPolygon({{6.0, 3.0}, {10.0, 3.0}, {7.0, 10.0}, {3.0, 10.0}}, m.Light);
      c.FillRect(8, 8, 4, 4, m.Light);
      break;
  }
}

void Flask(CCanvas& c, Rgba brew, int style) {
  const Rgba glass = Rgb(214, 236, 244), cork = Rgb(150, 104, 60);
  const Ramp b(brew);
  switch (style % 4) {
    case 0:  // round
      c.FillEllipse(10, 12.5, 6, 5.5, glass);
      c.FillEllipse(10, 13.5, 5, 4.2, b.Base);
      c.FillRect(8, 3, 4, 5, glass);
      c.FillRect(8, 2, 4, 2, cork);
      break;
    case 1:  // tall bottle
      c.FillRect(6, 7, 8, 11, glass);
      c.FillRect(7, 10, 6, 7, b.Base);
      c.FillRect(8, 3, 4, 5, glass);
      c.FillRect(8, 2, 4, 2, cork);
      break;
    case 2:  // cone
      c.FillPolygon({{8.0, 6.0}, {12.0, 6.0}, {17.0, 18.0}, {3.0, 18.0}}, glass);
      c.FillPolygon({{6.5, 11.0}, {13.5, 11.0}, {16.0, 17.0}, {4.0, 17.0}}, b.Base);
      c.FillRect(8, 2, 4, 5, glass);
      c.FillRect(8, 1, 4, 2, cork);
      break;
    default:  // a squat jar
      c.FillRect(4, 8, 12, 10, glass);
      c.FillRect(5, 11, 10, 6, b.Base);
      c.FillRect(6, 5, 8, 4, glass);
      c.FillRect(6, 4, 8, 2, cork);
      break;
  }
  c.Put(7, 12, b.Shine);
  c.Put(7, 13, b.Light);
}

void Wand(CCanvas& c, Rgba tip) {
  c.ThickLine(4, 17, 13, 6, 1.6, Rgb(120, 84, 60));
  c.ThickLine(5, 16, 12, 7, 0.8, Rgb(170, 130, 90));
  c.ShadedEllipse(14.5, 4.5, 2.8, 2.8, Ramp(tip));
  c.Put(17, 2, Shade(tip, 0.6)), c.Put(18, 6, Shade(tip, 0.6)), c.Put(12, 1, Shade(tip, 0.6));
}

void Crystal(CCanvas& c, Rgba colour) {
  const Ramp m(colour);
  c.FillPolygon({{10.0, 1.0}, {15.0, 6.0}, {14.0, 16.0}, {10.0, 18.0}, {6.0, 16.0}, {5.0, 6.0}}, m.Base);
  c.FillPolygon({{10.0, 1.0}, {10.0, 18.0}, {6.0, 16.0}, {5.0, 6.0}}, m.Light);
  c.Line(10, 2, 10, 17, m.Shine);
  c.FillPolygon({{4.0, 11.0}, {6.0, 9.0}, {7.0, 17.0}, {4.0, 17.0}}, m.Dark);
}

void Material(CCanvas& c, std::string_view name) {
  const Rgba stuff = StuffColour(name);
  if (Has(name, " ORE")) {
    const Ramp rock(Rgb(120, 112, 104));
    c.ShadedEllipse(10, 11, 7.5, 6, rock);
    c.FillRect(7, 9, 2, 2, stuff), c.FillRect(12, 12, 2, 2, stuff), c.FillRect(11, 7, 1, 1, Shade(stuff, 0.5));
  } else if (Has(name, " BAR")) {
    const Ramp m(stuff);
    c.FillPolygon({{3.0, 12.0}, {7.0, 7.0}, {17.0, 7.0}, {17.0, 12.0}, {13.0, 16.0}, {3.0, 16.0}}, m.Dark);
    c.FillPolygon({{3.0, 12.0}, {7.0, 7.0}, {17.0, 7.0}, {13.0, 12.0}}, m.Light);
    c.Line(8, 8, 15, 8, m.Shine);
  } else if (Has(name, " BLADE")) {
    const Ramp m(stuff);
    c.FillPolygon({{4.0, 15.0}, {14.0, 3.0}, {17.0, 4.0}, {7.0, 17.0}}, m.Base);
    c.Line(6, 15, 15, 4, m.Shine);
  } else if (name == "STONE") {
    c.ShadedEllipse(10, 11, 6.5, 5.5, Ramp(Rgb(150, 146, 140)));
  } else if (Has(name, "MANA STONE")) {
    Gem(c, Rgb(70, 150, 240), 0);
  } else if (name == "WOOD") {
    c.FillRect(3, 8, 14, 7, Rgb(150, 100, 56));
    c.FillEllipse(16, 11.5, 2.5, 3.5, Rgb(214, 170, 110));
    c.FillEllipse(16, 11.5, 1, 1.5, Rgb(150, 100, 56));
    c.Line(4, 10, 13, 10, Rgb(110, 70, 36));
  } else if (Has(name, "STICK")) {
    const bool longer = Has(name, "LONG");
    c.ThickLine(longer ? 2 : 5, longer ? 18 : 15, longer ? 18 : 15, longer ? 2 : 5, 1.6, Rgb(150, 104, 60));
    c.Line(9, 10, 11, 12, Rgb(150, 104, 60)), c.Put(12, 13, Rgb(90, 160, 70));
  } else if (name == "SEED") {
    c.FillEllipse(8, 12, 2.5, 2, Rgb(150, 110, 60)), c.FillEllipse(13, 10, 2.5, 2, Rgb(170, 124, 70));
    c.FillEllipse(10, 15, 2.2, 1.8, Rgb(130, 96, 50));
  } else if (Has(name, "HERB")) {
    const Rgba leaf = Has(name, "POISON") ? Rgb(150, 70, 180) : Rgb(70, 180, 70);
    c.Line(10, 18, 10, 8, Rgb(70, 120, 50));
    c.FillEllipse(6.5, 9, 3.5, 2, leaf), c.FillEllipse(13.5, 7, 3.5, 2, leaf), c.FillEllipse(10, 4, 2, 3, Shade(leaf, 0.2));
  } else if (name == "MUSHROOM") {
    c.FillRect(8, 10, 4, 7, Rgb(236, 226, 200));
    c.FillEllipse(10, 9, 7, 4.5, Rgb(206, 64, 52));
    c.Put(7, 7, Rgb(255, 255, 255)), c.Put(12, 8, Rgb(255, 255, 255)), c.Put(10, 6, Rgb(255, 255, 255));
  } else if (name == "COTTON") {
    c.FillEllipse(7, 11, 4, 4, Rgb(248, 248, 244)), c.FillEllipse(13, 10, 4, 4, Rgb(240, 240, 236)),
        c.FillEllipse(10, 7, 4, 3.5, Rgb(255, 255, 255));
    c.Line(10, 14, 10, 18, Rgb(110, 150, 70));
  } else if (name == "FABRIC") {
    c.FillRect(3, 6, 14, 9, Rgb(220, 204, 170));
    c.FillEllipse(3, 10.5, 2, 4.5, Rgb(240, 226, 196));
    for (int x = 6; x < 17; x += 3) c.Line(x, 6, x, 14, Rgb(190, 170, 136));
  } else if (name == "LEATHER") {
    c.FillPolygon({{4.0, 5.0}, {9.0, 3.0}, {16.0, 5.0}, {17.0, 14.0}, {11.0, 17.0}, {3.0, 15.0}}, Rgb(150, 96, 56));
    c.Line(6, 7, 14, 14, Rgb(120, 72, 40));
  } else if (Has(name, "APPLE")) {
    c.ShadedEllipse(10, 11, 6.5, 6, Ramp(Rgb(240, 196, 50)));
    c.Line(10, 5, 11, 2, Rgb(110, 70, 40)), c.FillEllipse(13, 3.5, 2, 1, Rgb(80, 170, 70));
  } else {
    Gem(c, stuff, 1);
  }
}

void Accessory(CCanvas& c, std::string_view name) {
  if (Starts(name, "RING")) return Ring(c, EffectColour(name));
  if (name == "TAIL OF DEMON") {
    for (int i = 0; i < 12; ++i) c.FillEllipse(4 + i, 14 - std::sin(i * 0.5) * 6, 1.3, 1.3, Rgb(90, 30, 70));
    c.FillPolygon({{15.0, 5.0}, {19.0, 3.0}, {17.0, 9.0}}, Rgb(150, 40, 90));
  } else if (Has(name, "SCALE")) {
    const Rgba s = Has(name, "DRAGON") ? Rgb(210, 60, 44) : Rgb(84, 160, 124);
    c.FillPolygon({{10.0, 3.0}, {16.0, 8.0}, {14.0, 16.0}, {10.0, 18.0}, {6.0, 16.0}, {4.0, 8.0}}, s);
    c.Line(10, 4, 10, 16, Shade(s, -0.4)), c.Line(6, 9, 10, 13, Shade(s, 0.4));
  } else if (name == "SAMURAI SOUL") {
    c.FillEllipse(10, 12, 5, 5, Rgb(120, 200, 255));
    c.FillPolygon({{6.0, 11.0}, {10.0, 1.0}, {14.0, 11.0}}, Rgb(180, 230, 255));
    c.FillEllipse(10, 12, 2.5, 2.5, Rgb(240, 250, 255));
  } else if (Has(name, "TUSK")) {
    for (int i = 0; i < 12; ++i) c.FillEllipse(4 + i, 6 + std::pow(i / 11.0, 2) * 10, 2.5 - i * 0.17, 2.5 - i * 0.17, Rgb(240, 232, 210));
  } else if (name == "FEATHER") {
    c.FillPolygon({{4.0, 17.0}, {13.0, 3.0}, {17.0, 5.0}, {8.0, 15.0}}, Rgb(240, 244, 250));
    c.Line(3, 18, 15, 4, Rgb(170, 170, 190));
  } else if (Has(name, "GORGON")) {
    const bool eye = Has(name, "EYE");
    if (eye) {
      c.FillEllipse(10, 10, 8, 5, Rgb(230, 230, 200)), c.FillEllipse(10, 10, 3.5, 3.5, Rgb(120, 200, 90)), c.FillRect(10, 7, 1, 6, Rgb(20, 20, 20));
    } else {
      c.ShadedEllipse(10, 11, 6, 6, Ramp(Rgb(150, 200, 140)));
      for (int i = 0; i < 5; ++i) c.ThickLine(5 + i * 2.5, 6, 3 + i * 3.5, 1, 1.4, Rgb(60, 150, 60));
      c.Put(8, 11, Rgb(250, 40, 40)), c.Put(12, 11, Rgb(250, 40, 40));
    }
  } else if (Has(name, "WING")) {
    c.FillPolygon({{3.0, 4.0}, {17.0, 10.0}, {13.0, 12.0}, {15.0, 15.0}, {10.0, 15.0}, {11.0, 18.0}, {5.0, 14.0}}, Rgb(80, 40, 100));
    c.Line(3, 4, 15, 14, Rgb(140, 90, 160));
  } else if (Has(name, "NECKLACE") || Has(name, "BEADS")) {
    const bool beads = Has(name, "BEADS");
    for (int i = 0; i < 14; ++i) {
      const double t = i / 13.0 * 3.14159;
      c.FillEllipse(10 - std::cos(t) * 7, 4 + std::sin(t) * 9, beads ? 1.4 : 0.7, beads ? 1.4 : 0.7, beads ? Rgb(140, 90, 50) : Rgb(230, 200, 80));
    }
    if (!beads) c.ShadedEllipse(10, 15, 2.8, 2.8, Ramp(Rgb(60, 150, 240)));
  } else if (Has(name, "CREST")) {
    Shield(c, Rgb(210, 56, 44), 0);
    c.FillRect(8, 7, 4, 4, Rgb(250, 214, 90));
  } else if (Has(name, "TROPHIES")) {
    c.FillRect(7, 12, 6, 5, Rgb(180, 140, 80));
    c.ThickLine(6, 12, 3, 4, 1.4, Rgb(236, 226, 200)), c.ThickLine(14, 12, 17, 4, 1.4, Rgb(236, 226, 200));
    c.FillEllipse(10, 10, 3, 3, Rgb(160, 120, 70));
  } else if (name == "TALARIA") {
    c.FillRect(4, 12, 11, 4, Rgb(170, 120, 70)), c.FillRect(11, 8, 4, 5, Rgb(170, 120, 70));
    c.FillPolygon({{15.0, 8.0}, {19.0, 3.0}, {18.0, 10.0}}, Rgb(250, 250, 255));
  } else {
    Ring(c, EffectColour(name));
  }
}

void Food(CCanvas& c, std::string_view name) {
  if (Has(name, "MUSHROOM")) {
    c.ThickLine(4, 17, 15, 4, 1.0, Rgb(150, 110, 70));
    c.FillEllipse(7, 13, 3.5, 2.5, Rgb(150, 84, 40)), c.FillEllipse(12, 8, 3.5, 2.5, Rgb(160, 92, 44));
    return;
  }
  const bool roasted = Has(name, "ROASTED");
  c.ThickLine(13, 8, 18, 3, 2.0, Rgb(240, 236, 220));
  c.FillEllipse(18, 2.5, 1.5, 1.5, Rgb(240, 236, 220));
  c.ShadedEllipse(9, 12, 6.5, 5.5, Ramp(roasted ? Rgb(160, 84, 40) : Rgb(220, 84, 84)));
  if (!roasted) c.FillEllipse(8, 11, 2, 1.5, Rgb(250, 190, 190));
}

void Trap(CCanvas& c, std::string_view name) {
  const Rgba plate = Rgb(120, 114, 108);
  if (Has(name, "NEEDLE")) {
    c.FillRect(3, 13, 14, 4, plate);
    for (int i = 0; i < 4; ++i) c.FillPolygon({{4.0 + i * 3.5, 13.0}, {5.5 + i * 3.5, 4.0}, {7.0 + i * 3.5, 13.0}}, Rgb(210, 214, 224));
    return;
  }
  if (Has(name, "TELEPORT")) {
    c.FillEllipse(10, 11, 8, 5, Rgb(120, 60, 160));
    c.FillEllipse(10, 11, 6, 3.5, Rgb(220, 140, 255));
    c.FillEllipse(10, 11, 3, 1.5, Rgb(255, 240, 255));
    return;
  }
  if (Has(name, "MINE")) {
    c.ShadedEllipse(10, 12, 7, 4.5, Ramp(Rgb(90, 96, 80)));
    c.FillRect(9, 6, 3, 4, Rgb(200, 40, 40));
    c.Put(9, 6, Rgb(255, 150, 150));
    return;
  }
  // Gas traps: a grate with a cloud of the gas's colour rising from it.
  Rgba gas = Rgb(150, 150, 150);
  if (Has(name, "SLEEP")) gas = Rgb(120, 150, 250);
  if (Has(name, "PARALYZ")) gas = Rgb(230, 220, 80);
  if (Has(name, "POISON")) gas = Rgb(110, 200, 80);
  if (Has(name, "CONFUSION")) gas = Rgb(230, 120, 220);
  if (Has(name, "SLOW")) gas = Rgb(170, 180, 200);
  c.FillRect(4, 14, 12, 4, plate);
  for (int x = 5; x < 16; x += 2) c.Line(x, 15, x, 16, Rgb(50, 46, 44));
  c.FillEllipse(8, 9, 4, 3.5, gas), c.FillEllipse(13, 7, 3.5, 3, Shade(gas, 0.2)), c.FillEllipse(10, 4, 3, 2.5, Shade(gas, 0.4));
}

void Event(CCanvas& c, std::string_view name, int id) {
  if (Has(name, "ORB")) {
    // Two orbs share the name: the second glows another colour.
    c.FillRect(6, 15, 8, 3, Rgb(150, 110, 60));
    c.ShadedEllipse(10, 9, 6.5, 6.5, Ramp(id % 2 ? Rgb(250, 150, 190) : Rgb(190, 150, 250)));
    c.Put(8, 6, Rgb(255, 255, 255));
    return;
  }
  Rgba colour = Rgb(220, 220, 230);
  if (Has(name, "GREEN")) colour = Rgb(70, 200, 90);
  if (Has(name, "BLUE")) colour = Rgb(70, 120, 240);
  if (Has(name, "YELLOW")) colour = Rgb(250, 220, 60);
  if (Has(name, "RED")) colour = Rgb(230, 50, 50);
  if (Has(name, "PURPLE")) colour = Rgb(170, 80, 220);
  Crystal(c, colour);
}

CCanvas PaintItem(const CItem& item, std::string_view name) {
  CCanvas c(Size, Size);
  const Rgba stuff = StuffColour(name);
  switch (item.GetCategory()) {
    case ItemCategoryWeapon:
      if (Has(name, "CLAW")) {
        for (int i = 0; i < 3; ++i) c.ThickLine(4 + i * 4, 17, 8 + i * 4, 3, 1.4, Rgb(230, 230, 236));
        c.FillRect(3, 14, 14, 4, Rgb(150, 110, 70));
      } else if (Has(name, "KUNAI")) {
        c.FillPolygon({{8.0, 12.0}, {16.0, 3.0}, {12.0, 13.0}}, Rgb(170, 176, 190));
        c.ThickLine(5, 15, 9, 12, 1.6, Rgb(60, 50, 60));
        c.FillEllipse(4, 16, 2, 2, Rgb(120, 120, 130)), c.FillEllipse(4, 16, 1, 1, Clear);
      } else {
        switch (item.GetWeaponKind()) {
          case WeaponKindAxe: Axe(c, stuff); break;
          case WeaponKindSpear:
            Spear(c, stuff);
            if (Has(name, "TRIDENT")) c.Line(15, 1, 18, 4, stuff), c.Line(17, 6, 19, 8, stuff);
            break;
          case WeaponKindBroadsword: Sword(c, stuff, 13, 3.2, false); break;
          case WeaponKindStaff: Staff(c, stuff); break;
          default: Sword(c, stuff, Has(name, "KATANA") ? 12 : 9, 2.0, Has(name, "KATANA") || Has(name, "SAMURAI")); break;
        }
      }
      break;
    case ItemCategoryBow: Bow(c, stuff); break;
    case ItemCategoryArrow: Arrow(c, stuff); break;
    case ItemCategoryBodyArmour:
      Armour(c, stuff, Has(name, "CLOAK") ? 1 : Has(name, "ROBE") ? 2 : Has(name, "CLOTHES") ? 3 : 0);
      break;
    case ItemCategoryShieldPlace:
      if (Has(name, "GLOVE")) Glove(c, stuff);
      else if (Has(name, "BRACELET")) Bracelet(c, stuff);
      else Shield(c, stuff, Has(name, "ROUND") || Has(name, "AEGIS") ? 1 : Has(name, "SPIKE") ? 2 : 0);
      break;
    case ItemCategoryHeadGear:
      if (Has(name, "CIRCLET")) {
        Helmet(c, Rgb(232, 196, 72), 3);
        c.FillRect(8, 6, 4, 4, EffectColour(name.substr(std::min<std::size_t>(name.size(), 8))));
      } else {
        Helmet(c, stuff, Has(name, "HUNTING") ? 1 : Has(name, "HAT") ? 2 : 0);
      }
      break;
    case ItemCategoryAccessory: Accessory(c, name); break;
    case ItemCategoryMaterial: Material(c, name); break;
    case ItemCategoryPotion: Flask(c, EffectColour(name), item.GetId() & 0xFF); break;
    case ItemCategoryMagicStone: Gem(c, EffectColour(name), item.GetId() & 0xFF); break;
    case ItemCategoryWand: Wand(c, EffectColour(name)); break;
    case ItemCategoryFood: Food(c, name); break;
    case ItemCategoryTrap: Trap(c, name); break;
    default: Event(c, name, item.GetId()); break;
  }
  c.Outline(Rgb(28, 22, 30));
  return c;
}

// The art reads English names whatever the language setting says.
std::string EnglishName(const CItem& item) {
  auto& language = GetGameMain()->Settings.Block.Language;
  const auto saved = language;
  language = 0;
  char name[ItemTextSize];
  item.GetName(name, sizeof name);
  language = saved;
  return name;
}

}  // namespace

std::vector<ItemCell> ItemFrameCells() {
  std::vector<ItemCell> cells;
  for (int id = 0; id <= 0xFFFF; ++id) {
    CItem* item = CreateItem(id);
    if (!item) continue;
    const std::string name = EnglishName(*item);
    for (const ItemFrame* frames : {item->FloorFrames, item->IconFrames})
      for (int i = 0; i < ItemFrameCount; ++i) {
        const ItemFrame& f = frames[i];
        if (f.Width <= 0 || f.Height <= 0) continue;
        cells.push_back({id, f.Picture, f.SourceX, f.SourceY, f.Width, f.Height, name});
      }
    delete item;
  }
  return cells;
}

CCanvas DrawItemSheet() {
  CCanvas sheet(512, 512);
  std::set<std::pair<int, int>> drawn;
  for (int id = 0; id <= 0xFFFF; ++id) {
    CItem* item = CreateItem(id);
    if (!item) continue;
    const ItemFrame& f = item->IconFrames[0];
    if (f.Picture == 132 && f.Width > 0 && drawn.insert({f.SourceX, f.SourceY}).second) {
      const CCanvas icon = PaintItem(*item, EnglishName(*item));
      sheet.Draw(icon, 0, 0, f.Width, f.Height, f.SourceX, f.SourceY, true);
    }
    delete item;
  }
  return sheet;
}

CCanvas DrawItemIcon(int id) {
  CItem* item = CreateItem(id);
  if (!item) return CCanvas(Size, Size);
  CCanvas icon = PaintItem(*item, EnglishName(*item));
  delete item;
  return icon;
}
