#include "art/SheetTables.h"

#include <algorithm>
#include <map>
#include <memory>

#include "art/Floors.h"
#include "characters/CCharacterPlayerChild.h"
#include "characters/CharacterFactory.h"
#include "characters/PlayerClasses.h"
#include "platform/PictureTable.h"
#include "platform/Renderer.h"

namespace {

bool NoPicture(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

// The classes' frame table, as a Fighter lays it (every class lays the
// same, the Ninja two more blows on cells of the others).
const std::vector<AnimationFrame>& PlayerFrames() {
  static const std::vector<AnimationFrame> frames = [] {
    SetPictureLoader(&NoPicture);
    std::unique_ptr<CCharacter> player(CreateCharacter(0));
    SetPictureLoader(nullptr);
    return player ? player->frames : std::vector<AnimationFrame>{};
  }();
  return frames;
}

// The entries that tell the poses apart: the first of these to name a
// cell gives it its pose.
struct EntryPose {
  AnimationEntry Entry;
  PlayerPose Pose;
};
constexpr EntryPose EntryPoses[] = {
    {10, PlayerPose::Stand},           {11, PlayerPose::WalkA},          {13, PlayerPose::WalkB},
    {20, PlayerPose::PunchWindup},     {21, PlayerPose::Punch},          {22, PlayerPose::PunchFollow},
    {50, PlayerPose::RaiseItem},       {51, PlayerPose::Zap},            {60, PlayerPose::Guard},
    {70, PlayerPose::Hurt},            {100, PlayerPose::SwingWindup},   {101, PlayerPose::SwingStrike},
    {102, PlayerPose::SwingFollow},    {120, PlayerPose::ThrustWindup},  {121, PlayerPose::Thrust},
    {122, PlayerPose::ThrustFollow},   {130, PlayerPose::OverheadWindup}, {131, PlayerPose::OverheadStrike},
    {132, PlayerPose::OverheadFollow}, {140, PlayerPose::BowDraw},       {142, PlayerPose::BowRelease},
    {190, PlayerPose::Goal},
};
// Records 200 on are the princess poses and the small picture, drawn apart.
constexpr AnimationEntry FirstApartEntry = 200;

const char* WeaponName(WeaponGroup group) {
  switch (group) {
    case WeaponGroup::Shortsword: return "shortsword";
    case WeaponGroup::Axe: return "axe";
    case WeaponGroup::Spear: return "spear";
    case WeaponGroup::Broadsword: return "broadsword";
    case WeaponGroup::Staff: return "staff";
    case WeaponGroup::Claw: return "claw";
    case WeaponGroup::Katana: return "katana";
    case WeaponGroup::Kunai: return "kunai";
    default: return nullptr;
  }
}

}  // namespace

int ResourceOfPicture(int picture) {
  const PictureRow* row = GetPictureRow(picture);
  return row ? static_cast<int>(row->ResourceId) : -1;
}

const std::vector<MonsterFamily>& MonsterFamilies() {
  static const std::vector<MonsterFamily> families = [] {
    std::vector<MonsterFamily> out;
    for (CharacterType type = FirstMonsterType; type <= LastMonsterType; type += 3) {
      const MonsterFamilyRow* row = FindMonsterFamily(type);
      MonsterFamily f{row->Name, row, {}};
      for (int g = 0; g < 3; ++g) f.Classes[g] = FindMonsterClass(type + g);
      out.push_back(f);
    }
    return out;
  }();
  return families;
}

FrameRole RoleOfEntry(const MonsterFamily& family, AnimationEntry entry) {
  if (entry < AnimationAttack) return FrameRole::Stand;
  if (entry < AnimationThrow) return FrameRole::Attack;
  if (entry < AnimationGuard) return FrameRole::Special;
  if (entry < AnimationHurt) return FrameRole::Guard;
  // After its hurt frame a family that paralyses its attackers stares back.
  if (entry > AnimationHurt && entry < AnimationDying && family.Row->CounterParalyzeTurns[0] > 0)
    return FrameRole::Special;
  if (entry < AnimationDying) return FrameRole::Hurt;
  if (entry < AnimationDying + 10) return FrameRole::Dying;
  if (entry < AnimationDying + 20) return FrameRole::Rise;
  return FrameRole::Special;  // the Alchemist's own acts
}

const MonsterClassRow* DrawnClass(const MonsterFamily& family, int grade) {
  return family.Classes[grade] ? family.Classes[grade] : family.Classes[0];
}

std::vector<FamilyCell> FamilyCells(const MonsterFamily& family, int grade) {
  std::vector<FamilyCell> cells;
  const MonsterClassRow* row = DrawnClass(family, grade);
  if (!row || !row->Animation) return cells;
  const MonsterAnimation& table = *row->Animation;
  auto find = [&](int x, int y) -> FamilyCell* {
    for (FamilyCell& c : cells)
      if (c.X == x && c.Y == y) return &c;
    return nullptr;
  };
  auto centreY = [&](const MonsterFrameRow& f) { return f.SheetY >= 0 ? f.SheetY : table.RowY; };
  // A cell shows what its first entry shows: a standing frame reused by an
  // attack stays a standing frame.
  for (int i = 0; i < table.Count; ++i) {
    const MonsterFrameRow& f = table.Frames[i];
    if (f.Picture >= 0 || find(f.SheetX, centreY(f))) continue;
    cells.push_back({f.SheetX, centreY(f), RoleOfEntry(family, f.Entry), 0, 0, false});
  }
  std::map<FrameRole, int> counts;
  for (FamilyCell& c : cells) c.Order = counts[c.Role]++;
  for (FamilyCell& c : cells) c.RoleCount = counts[c.Role];
  // The blow lands on the strike entry's cell; when that is a standing
  // frame, the last attack frame takes the part.
  FamilyCell* impact = nullptr;
  for (int i = 0; i < table.Count; ++i)
    if (table.Frames[i].Entry == row->StrikeEntry && table.Frames[i].Picture < 0)
      impact = find(table.Frames[i].SheetX, centreY(table.Frames[i]));
  if (!impact || impact->Role != FrameRole::Attack) {
    impact = nullptr;
    for (FamilyCell& c : cells)
      if (c.Role == FrameRole::Attack) impact = &c;
  }
  if (impact) impact->Impact = true;
  return cells;
}

PlayerPose PlayerPoseAt(AnimationEntry entry) {
  const std::vector<AnimationFrame>& frames = PlayerFrames();
  if (entry < 0 || entry >= static_cast<AnimationEntry>(frames.size())) return PlayerPose::Stand;
  const AnimationFrame& at = frames[static_cast<std::size_t>(entry)];
  for (const EntryPose& p : EntryPoses) {
    const AnimationFrame& f = frames[static_cast<std::size_t>(p.Entry)];
    if (f.centreX == at.centreX && f.centreY == at.centreY) return p.Pose;
  }
  return PlayerPose::Stand;
}

const std::vector<PlayerCell>& PlayerCells() {
  static const std::vector<PlayerCell> cells = [] {
    std::vector<PlayerCell> out;
    const std::vector<AnimationFrame>& frames = PlayerFrames();
    for (AnimationEntry e = 1; e < FirstApartEntry && e < static_cast<AnimationEntry>(frames.size()); ++e) {
      const AnimationFrame& f = frames[static_cast<std::size_t>(e)];
      if (f.texture == 0) continue;
      const bool known = std::any_of(out.begin(), out.end(), [&](const PlayerCell& c) { return c.X == f.centreX && c.Y == f.centreY; });
      if (!known) out.push_back({f.centreX, f.centreY, PlayerPoseAt(e)});
    }
    return out;
  }();
  return cells;
}

const std::vector<PlayerClassSheet>& PlayerClasses() {
  static const std::vector<PlayerClassSheet> classes = [] {
    std::vector<PlayerClassSheet> out;
    for (CharacterType type = 0; const PlayerClassRow* row = FindPlayerClassRow(type); ++type)
      out.push_back({row->Sheet, row->SheetResource});
    return out;
  }();
  return classes;
}

const std::vector<OverlayCell>& OverlayCells() {
  // The companions' records: the weapon in the player's pose at the same
  // entry. A cell the body still holds its pose for shows the pose the
  // body moves to next, so that no two cells of a run look the same.
  static const std::vector<OverlayCell> cells = [] {
    std::vector<OverlayCell> out;
    auto lay = [&out](const CompanionLayout& layout, const char* weapon, bool trail) {
      std::vector<PlayerPose> shown;
      for (int i = 0; i < layout.Count; ++i) {
        const CompanionCell& c = layout.Cells[i];
        if (c.Picture == 0) continue;
        const bool known = std::any_of(out.begin(), out.end(), [&](const OverlayCell& o) {
          return o.Picture == c.Picture && o.X == c.X && o.Y == c.Y;
        });
        if (known) continue;
        const AnimationEntry entry = layout.First + i;
        PlayerPose pose = PlayerPoseAt(entry);
        if (std::find(shown.begin(), shown.end(), pose) != shown.end()) pose = PlayerPoseAt(entry + 1);
        shown.push_back(pose);
        out.push_back({c.Picture, c.X, c.Y, layout.Size, pose, weapon, trail});
      }
    };
    for (const bool trail : {false, true}) {
      for (int g = 0; g <= static_cast<int>(WeaponGroup::Kunai); ++g)
        if (const char* name = WeaponName(static_cast<WeaponGroup>(g)))
          lay(CompanionWeaponLayout(static_cast<WeaponGroup>(g), trail), name, trail);
      lay(CompanionBowLayout(trail), trail ? "arrow" : "bow", false);
    }
    return out;
  }();
  return cells;
}

std::vector<AddressedCell> AddressedCells() {
  std::vector<AddressedCell> v;
  auto add = [&v](int resource, int x, int y, int w, int h, std::string role) {
    v.push_back({resource, x, y, w, h, std::move(role)});
  };
  // Player sheets: the selection poses at y 400, the princess poses on
  // the facing-up row and the ending's small figure.
  for (std::size_t type = 0; type < PlayerClasses().size(); ++type) {
    const int resource = PlayerClasses()[type].Resource;
    const std::string who = "class " + std::to_string(type);
    for (int i = 0; i < 11; ++i) add(resource, 40 * i, 400, 40, 40, who + " selection pose");
    for (int i = 0; i < 6; ++i) add(resource, 40 * i, 470, 40, 40, who + " princess pose");
    add(resource, 0, 240, 20, 20, who + " ending figure");
  }
  // The Valkyrie's wider selection poses; the dungeon list's cut at x 440
  // is 80 wide in the game's table and would run 8 pixels off the sheet,
  // so only the part on the sheet is drawn (and checked).
  add(250, 360, 400, 80, 40, "Valkyrie wide pose");
  add(250, 440, 400, 72, 40, "Valkyrie wide pose");
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
