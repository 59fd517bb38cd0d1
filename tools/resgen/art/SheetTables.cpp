#include "art/SheetTables.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "art/Floors.h"

namespace {

// Resources by picture id, as the picture table gives them.
int MonsterResource(int picture) { return 400 + 10 * ((picture - 38) / 3) + (picture - 38) % 3; }

}  // namespace

const std::vector<MonsterFamily>& MonsterFamilies() {
  // Families in the order of the monster tables; Entries as the tables
  // list them (entry 0 and the disguise pose, which lies on the area
  // sheet, are left out).
  static const std::vector<MonsterFamily> families = {
      {"Slime", 20, 22, {38, 39, 40}, "s10:20 s11:60 a20:20 a21:100 a22:140 a23:100 h70:180 d80:180"},
      {"Skeleton", 220, 22, {38, 39, 40}, "s10:20 s11:60 s12:20 s13:100 a20:20 a21:140 a22:180 a23:140 h70:220 d80:220"},
      {"Mushroom", 220, 22, {41, 42, 43},
       "s10:20 s11:60 a20:100 a21:140 a22:180 a23:140 x30:220 x31:260 x32:300 x33:220 x34:260 x35:300 h70:340 d80:340"},
      {"Spider", 20, 22, {41, 42, 43},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:100 a23:100 x30:180 x31:220 x32:180 x33:220 h70:260 d80:260"},
      {"Bat", 220, 22, {44, 45, 46}, "s10:20 s11:60 a20:60 a21:100 a22:140 a23:100 h70:180 d80:180"},
      {"Snake", 20, 23, {44, 46, 45}, "s10:20 s11:60 a20:20 a21:100 a22:140 a23:180 a24:140 a25:100 h70:220 d80:220"},
      {"Rat", 20, 22, {47, 48, 49}, "s10:20 s11:60 a20:20 a21:100 a22:140 a23:100 h70:180 d80:180"},
      {"Imp", 220, 22, {47, 48, 49}, "s10:20 s11:60 s12:20 s13:100 a20:20 a21:140 a22:180 a23:140 h70:220 d80:220"},
      {"ManaEater", 220, 23, {50, 51, 52},
       "s10:20 s11:60 a20:60 a21:100 a22:140 a23:100 x30:180 x31:220 x32:180 x33:220 h70:260 d80:260"},
      {"Ghost", 20, 21, {50, 51, 52}, "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 x30:100 x31:140 h70:180 d80:180"},
      {"Harpy", 20, 22, {53, 54, 55}, "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:140 h70:220 d80:220"},
      {"Minotaur", 220, 21, {53, 54, 55}, "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 h70:300 d80:300"},
      {"Frog", 220, 23, {56, 57, 58}, "s10:20 s11:60 a20:100 a21:140 a22:180 a23:220 a24:180 a25:140 h70:260 d80:260"},
      {"Death", 20, 23, {56, 57, 58},
       "s10:60 s11:100 s12:60 s13:20 a20:140 a21:180 a22:220 a23:260 a24:300 a25:340 h70:380 d80:380"},
      {"Merman", 220, 22, {59, 60, 61}, "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:180 h70:260 d80:260"},
      {"LivingArmor", 20, 22, {59, 60, 61},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 g60:340 h70:300 d80:300"},
      {"Gorem", 20, 24, {62, 63, 64},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:140 a23:220 a24:260 a25:220 h70:300 d80:300"},
      {"Gorgon", 220, 22, {62, 63, 64},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:140 x30:220 x31:260 x32:220 x33:260 x34:220 x35:260 "
       "h70:300 d80:300"},
      {"Zombie", 20, 22, {65, 66, 67}, "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:180 r90:20 h70:260 d80:260"},
      {"Vampire", 220, 21, {65, 66, 67}, "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 x30:100 x31:140 h70:180 d80:180"},
      {"Kobold", 20, 21, {68, 69, 70}, "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 h70:300 d80:300"},
      {"Goblin", 220, 22, {68, 69, 70},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 x30:140 x31:180 x32:220 h70:260 d80:260"},
      {"Dragon", 20, 23, {71, 72, 73},
       "s10:60 s11:20 s12:60 s13:20 a20:100 a21:140 a22:180 a23:220 a24:180 x30:260 x31:300 x32:340 x33:300 h70:380 d80:380"},
      {"Bee", 20, 23, {74, 75, 76}, "s10:20 s11:60 s12:20 s13:60 a20:100 a21:60 a22:140 a23:180 a24:140 h70:220 d80:220"},
      {"Werewolf", 20, 22, {77, 78, 79},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 a24:300 a25:340 h70:380 d80:380"},
      {"Cyclops", 20, 24, {80, 81, 82}, "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:140 a23:180 a24:220 h70:260 d80:260"},
      {"Demon", 20, 22, {83, 84, 85},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 a24:300 a25:340 h70:380 d80:380"},
      {"Shadow", 20, 24, {86, 87, 88},
       "s10:20 s11:60 s12:100 s13:60 a20:140 a21:180 a22:220 a23:260 a24:260 a25:220 a26:180 a27:140 r29:20 r79:300 "
       "h70:300 d80:300"},
      {"Samurai", 20, 21, {89, 90, 91}, "s10:20 s11:60 s12:20 s13:100 a20:180 a21:220 a22:260 a23:300 h70:140 d80:140"},
      {"Dog", 20, 22, {92, 93, 94},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:140 a24:100 a25:60 h70:220 d80:220"},
      {"Gargoyle", 20, 22, {95, 96, 97}, "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:140 h70:220 d80:220"},
      {"Eye", 20, 22, {98, 99, 100},
       "s10:20 s11:100 s12:20 s13:100 a20:140 a21:180 a22:220 a23:260 x71:300 x72:20 x73:300 x74:20 x75:300 h70:340 "
       "d80:340"},
      {"Doll", 20, 24, {101, 102, 103},
       "s10:60 s11:100 s12:60 s13:20 a20:140 a21:180 a22:220 a23:260 a24:300 a25:340 a26:300 a27:260 a28:220 a29:180 "
       "h70:380 h71:420 h72:380 h73:420 h74:380 d80:380"},
      {"Pyrolisk", 20, 21, {104, 105, 106},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:220 x30:260 x31:300 x32:260 x33:300 x34:260 x35:300 "
       "h70:340 d80:340"},
      {"Necromancer", 20, 22, {107, 108, 109},
       "s10:20 s11:60 s12:20 s13:100 a20:140 a21:180 a22:220 a23:180 x30:260 x31:300 x32:340 x33:300 x34:340 x35:300 "
       "x36:340 h70:420 d80:420"},
      {"Mimic", 20, 25, {110, 111, 112},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:100 a24:140 a25:180 h70:220 d80:220"},
      // Pictures 114 and 115 are loaded by no family; they repeat the
      // Treant in the shades of grades 2 and 3.
      {"Treant", 20, 22, {113, 114, 115},
       "s10:20 s11:60 s12:20 s13:60 a20:100 a21:140 a22:180 a23:140 a24:100 h70:220 d80:220"},
      // The Alchemist's hurt frame (460) is also its long dying pose and the
      // first of its rising again; it is drawn as the hurt frame.
      {"Alchemist", 20, 22, {116, 0, 0},
       "s10:20 s11:60 s12:100 s13:60 a20:140 a21:180 a22:220 a23:180 h70:460 d80:460 x100:260 x101:300 x102:340 "
       "x103:380 x104:420 x120:260 x121:300 x122:20,220 x123:60,220 x130:460 x131:340"},
  };
  return families;
}

std::vector<FrameEntry> ParseEntries(const MonsterFamily& family) {
  std::vector<FrameEntry> out;
  std::istringstream in(family.Entries);
  std::string token;
  while (in >> token) {
    FrameEntry e{};
    switch (token[0]) {
      case 's': e.Role = FrameRole::Stand; break;
      case 'a': e.Role = FrameRole::Attack; break;
      case 'x': e.Role = FrameRole::Special; break;
      case 'g': e.Role = FrameRole::Guard; break;
      case 'h': e.Role = FrameRole::Hurt; break;
      case 'd': e.Role = FrameRole::Dying; break;
      default: e.Role = FrameRole::Rise; break;
    }
    const std::size_t colon = token.find(':');
    e.Entry = std::atoi(token.c_str() + 1);
    e.X = std::atoi(token.c_str() + colon + 1);
    const std::size_t comma = token.find(',');
    e.Y = comma == std::string::npos ? family.RowY : std::atoi(token.c_str() + comma + 1);
    out.push_back(e);
  }
  return out;
}

std::vector<FamilyCell> FamilyCells(const MonsterFamily& family) {
  const std::vector<FrameEntry> entries = ParseEntries(family);
  std::vector<FamilyCell> cells;
  auto find = [&](int x, int y) -> FamilyCell* {
    for (FamilyCell& c : cells)
      if (c.X == x && c.Y == y) return &c;
    return nullptr;
  };
  // A cell shows what its first entry shows: a standing frame reused by an
  // attack stays a standing frame.
  for (const FrameEntry& e : entries)
    if (!find(e.X, e.Y)) cells.push_back({e.X, e.Y, e.Role, 0, 0, false});
  std::map<FrameRole, int> counts;
  for (FamilyCell& c : cells) c.Order = counts[c.Role]++;
  for (FamilyCell& c : cells) c.RoleCount = counts[c.Role];
  // The blow lands on the strike entry's cell; when that is a standing
  // frame, the last attack frame takes the part.
  FamilyCell* impact = nullptr;
  for (const FrameEntry& e : entries)
    if (e.Entry == family.Strike) impact = find(e.X, e.Y);
  if (!impact || impact->Role != FrameRole::Attack) {
    impact = nullptr;
    for (FamilyCell& c : cells)
      if (c.Role == FrameRole::Attack) impact = &c;
  }
  if (impact) impact->Impact = true;
  return cells;
}

const std::vector<PlayerCell>& PlayerCells() {
  // Centres on the facing-down pair of rows: y 20 the first row, 60 the
  // second (the classes' shared animation table).
  static const std::vector<PlayerCell> cells = {
      {20, 20, PlayerPose::Stand},          {60, 20, PlayerPose::WalkA},           {100, 20, PlayerPose::WalkB},
      {140, 20, PlayerPose::SwingWindup},   {180, 20, PlayerPose::SwingStrike},    {220, 20, PlayerPose::ThrustWindup},
      {260, 20, PlayerPose::Thrust},        {300, 20, PlayerPose::OverheadWindup}, {340, 20, PlayerPose::OverheadStrike},
      {380, 20, PlayerPose::BowDraw},       {420, 20, PlayerPose::BowRelease},     {460, 20, PlayerPose::Guard},
      {20, 60, PlayerPose::Hurt},           {60, 60, PlayerPose::RaiseItem},       {100, 60, PlayerPose::Zap},
      {140, 60, PlayerPose::PunchWindup},   {180, 60, PlayerPose::Punch},          {220, 60, PlayerPose::Goal},
      {260, 60, PlayerPose::SwingFollow},   {300, 60, PlayerPose::ThrustFollow},   {340, 60, PlayerPose::OverheadFollow},
      {380, 60, PlayerPose::PunchFollow},
  };
  return cells;
}

const std::vector<PlayerClassSheet>& PlayerClasses() {
  static const std::vector<PlayerClassSheet> classes = {
      {"Fighter", 137}, {"Hunter", 138}, {"Dwarf", 139},    {"Witch", 140},   {"Valkyrie", 141},
      {"Ninja", 143},   {"Kunoichi", 144}, {"Elf", 142},    {"Prophet", 145},
  };
  return classes;
}

const std::vector<OverlayCell>& OverlayCells() {
  // The companions' records: the weapon for the player's pose at the same
  // entry (first layer), and the swing's second layer.
  static const std::vector<OverlayCell> cells = {
      {133, 20, 20, 40, PlayerPose::SwingWindup, "shortsword", false},
      {133, 60, 20, 40, PlayerPose::SwingStrike, "shortsword", false},
      {133, 100, 20, 40, PlayerPose::SwingFollow, "shortsword", false},
      {133, 140, 20, 40, PlayerPose::SwingStrike, "shortsword", true},
      {133, 180, 20, 40, PlayerPose::SwingWindup, "axe", false},
      {133, 220, 20, 40, PlayerPose::SwingStrike, "axe", false},
      {133, 260, 20, 40, PlayerPose::SwingFollow, "axe", false},
      {133, 300, 20, 40, PlayerPose::SwingStrike, "axe", true},
      {133, 340, 20, 40, PlayerPose::PunchWindup, "claw", false},
      {133, 380, 20, 40, PlayerPose::Punch, "claw", false},
      {133, 420, 20, 40, PlayerPose::PunchFollow, "claw", false},
      {133, 460, 20, 40, PlayerPose::Punch, "claw", true},
      {133, 20, 220, 40, PlayerPose::OverheadWindup, "katana", false},
      {133, 60, 220, 40, PlayerPose::OverheadStrike, "katana", false},
      {133, 100, 220, 40, PlayerPose::OverheadFollow, "katana", false},
      {133, 140, 220, 40, PlayerPose::OverheadStrike, "katana", true},
      {133, 340, 220, 40, PlayerPose::OverheadWindup, "kunai", false},
      {133, 380, 220, 40, PlayerPose::OverheadStrike, "kunai", false},
      {133, 420, 220, 40, PlayerPose::OverheadFollow, "kunai", false},
      {134, 40, 40, 80, PlayerPose::OverheadWindup, "broadsword", false},
      {134, 120, 40, 80, PlayerPose::OverheadStrike, "broadsword", false},
      {134, 200, 40, 80, PlayerPose::OverheadFollow, "broadsword", false},
      {134, 280, 40, 80, PlayerPose::OverheadStrike, "broadsword", true},
      {134, 360, 40, 80, PlayerPose::OverheadFollow, "broadsword", true},
      {135, 120, 40, 80, PlayerPose::ThrustWindup, "spear", false},
      {135, 200, 40, 80, PlayerPose::Thrust, "spear", false},
      {135, 280, 40, 80, PlayerPose::Thrust, "spear", true},
      {135, 360, 40, 80, PlayerPose::ThrustFollow, "spear", true},
      {135, 20, 20, 40, PlayerPose::BowDraw, "bow", false},
      {135, 60, 20, 40, PlayerPose::BowRelease, "bow", false},
      {135, 20, 220, 40, PlayerPose::BowDraw, "arrow", false},
      {135, 60, 220, 40, PlayerPose::BowRelease, "arrow", false},
      {136, 20, 20, 40, PlayerPose::SwingWindup, "staff", false},
      {136, 100, 20, 40, PlayerPose::SwingFollow, "staff", false},
      {136, 60, 20, 40, PlayerPose::SwingStrike, "staff", false},
  };
  return cells;
}

std::vector<AddressedCell> AddressedCells() {
  std::vector<AddressedCell> v;
  auto add = [&v](int resource, int x, int y, int w, int h, std::string role) {
    v.push_back({resource, x, y, w, h, std::move(role)});
  };
  // Monster sheets: five facing rows of 40 pixels under each family row.
  for (const MonsterFamily& f : MonsterFamilies())
    for (const int picture : f.Pictures) {
      if (picture == 0) continue;
      for (const FamilyCell& c : FamilyCells(f))
        for (int row = 0; row < 5; ++row)
          add(MonsterResource(picture), c.X - 20, c.Y - 20 + 40 * row, 40, 40, std::string(f.Name) + " frame");
    }
  // Player sheets: a pair of rows per facing, the selection poses at y
  // 400 and the princess pose on the facing-up row.
  for (const PlayerClassSheet& p : PlayerClasses()) {
    const int resource = 210 + 10 * (p.Picture - 137);
    for (const PlayerCell& c : PlayerCells())
      for (int facing = 0; facing < 5; ++facing)
        add(resource, c.X - 20, c.Y - 20 + 80 * facing, 40, 40, std::string(p.Name) + " frame");
    for (int i = 0; i < 11; ++i) add(resource, 40 * i, 400, 40, 40, std::string(p.Name) + " selection pose");
    for (int i = 0; i < 6; ++i) add(resource, 40 * i, 470, 40, 40, std::string(p.Name) + " princess pose");
    add(resource, 0, 240, 20, 20, std::string(p.Name) + " ending figure");
  }
  // The Valkyrie's wider selection poses; the dungeon list's cut at x 440
  // is 80 wide in the game's table and would run 8 pixels off the sheet,
  // so only the part on the sheet is drawn (and checked).
  add(250, 360, 400, 80, 40, "Valkyrie wide pose");
  add(250, 440, 400, 72, 40, "Valkyrie wide pose");
  // Weapon overlays: one row per facing.
  for (const OverlayCell& o : OverlayCells())
    for (int row = 0; row < 5; ++row)
      add(200 + (o.Picture - 132), o.X - o.Cell / 2, o.Y - o.Cell / 2 + o.Cell * row, o.Cell, o.Cell,
          std::string(o.Weapon) + " overlay");
  // The interface sheet.
  for (int i = 0; i < 7; ++i)
    for (const int y : {0, 3, 6, 9}) {
      if (i == 6 && y > 3) continue;
      add(138, 390 + 3 * i, y, 3, 3, "map marker");
    }
  add(138, 160, 20, 30, 7, "life bar frame");
  add(138, 160, 30, 26, 3, "life fill");
  add(138, 160, 33, 26, 3, "hunger fill");
  for (const int x : {280, 300, 320, 340}) add(138, x, 50, 20, 10, "status mark");
  for (int i = 0; i < 8; ++i) {
    add(138, 161 + 20 * i, 81, 18, 18, "direction marker");
    add(138, 160 + 20 * i, 80, 20, 20, "direction arrow");
  }
  add(138, 122, 83, 16, 16, "cursor"), add(138, 123, 83, 16, 16, "cursor");
  add(138, 122, 80, 16, 20, "cursor"), add(138, 123, 80, 16, 20, "cursor");
  add(138, 3, 83, 14, 14, "page arrow"), add(138, 23, 83, 14, 14, "page arrow");
  add(138, 5, 85, 10, 10, "page arrow"), add(138, 25, 85, 10, 10, "page arrow");
  add(138, 45, 85, 10, 10, "list arrow"), add(138, 45, 86, 10, 10, "list arrow");
  add(138, 65, 85, 10, 10, "list arrow"), add(138, 65, 84, 10, 10, "list arrow");
  add(138, 80, 80, 10, 10, "clear badge");
  add(138, 260, 120, 10, 10, "music arrow"), add(138, 270, 120, 10, 10, "music arrow");
  add(138, 260, 130, 10, 10, "L key"), add(138, 261, 130, 10, 10, "L key");
  add(138, 270, 130, 10, 10, "R key"), add(138, 269, 130, 10, 10, "R key");
  for (const int x : {60, 80, 120, 140, 160, 180, 220, 240, 260, 280, 300}) add(138, x, 100, 20, 20, "recipe category");
  add(138, 60, 140, 20, 20, "bag slot");
  add(138, 80, 140, 16, 16, "slot cursor");
  for (int i = 0; i < 8; ++i) add(138, 100 + 20 * i, 140, 20, 20, "equipment and foot slot");
  for (int i = 0; i < 4; ++i) add(138, 180 + 40 * i, 280, 40, 20, "bottom tab"), add(138, 180 + 40 * i, 300, 40, 20, "bottom tab");
  add(138, 220, 490, 80, 20, "tab"), add(138, 300, 490, 80, 20, "selected tab");
  add(138, 298, 490, 2, 20, "tab edge"), add(138, 378, 490, 2, 20, "tab edge");
  add(138, 480, 280, 16, 140, "scroll track");
  add(138, 460, 280, 15, 70, "scroll thumb"), add(138, 460, 448, 15, 2, "scroll thumb end");
  add(138, 440, 390, 16, 16, "scroll up"), add(138, 440, 410, 16, 16, "scroll down");
  add(138, 340, 150, 156, 120, "preview panel"), add(138, 486, 150, 10, 11, "panel header end");
  add(138, 300, 384, 120, 64, "info box");
  add(138, 180, 160, 76, 46, "description box"), add(138, 180, 210, 158, 46, "wide description box");
  add(138, 0, 320, 150, 150, "world map");
  add(138, 150, 320, 20, 20, "dungeon"), add(138, 170, 340, 20, 20, "cleared dungeon");
  // Window frames: backdrop, band, column, corner of each set.
  for (const int base : {1000, 1010, 1020, 1030})
    for (int k = 0; k < 4; ++k) add(base + k, 0, 0, 16, 16, "window frame");
  // Picture 11: the title's landscape and logos, the ending's scenery.
  add(150, 0, 0, 140, 80, "title clouds"), add(150, 0, 80, 140, 180, "title sky");
  add(150, 0, 280, 140, 120, "title hills"), add(150, 0, 400, 140, 100, "title ground");
  add(150, 0, 80, 140, 200, "ending scenery"), add(150, 0, 320, 140, 80, "ending hills");
  add(150, 200, 0, 150, 80, "logo"), add(150, 360, 0, 150, 80, "logo (Japanese)");
  add(150, 160, 0, 40, 100, "sinking tower"), add(150, 160, 100, 20, 20, "dust"), add(150, 180, 100, 20, 20, "dust");
  add(150, 160, 120, 80, 40, "ground piece");
  add(150, 380, 160, 100, 160, "controls picture"), add(150, 380, 320, 100, 160, "controls overlay");
  add(151, 0, 0, 512, 512, "selection backdrop");
  for (int i = 0; i < 9; ++i) add(160, 120 * (i % 4), 120 * (i / 4), 120, 120, "class portrait");
  add(132, 0, 360, 480, 120, "second card, left"), add(132, 0, 160, 480, 200, "second card, right");
  add(133, 0, 0, 1024, 360, "first card");
  for (int i = 0; i < 4; ++i) add(139, 60 * i, 0, 60, 60, "stat icon");
  // Every area sheet, cut by the floor's tile rules.
  for (const int resource : AreaResources())
    for (const TileCell& t : AreaTileCells()) add(resource, t.X, t.Y, t.W, t.H, t.Role);
  return v;
}
