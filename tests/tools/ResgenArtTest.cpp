// The generator's drawn pictures: the same bytes on every run, every
// facing and every phase of a sheet told apart, families, grades, areas and
// item kinds each their own, and the bundle that carries them to resgen.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "PictureBundle.h"
#include "art/Canvas.h"
#include "art/Figures.h"
#include "art/Floors.h"
#include "art/Items.h"
#include "art/Pictures.h"
#include "art/Png.h"
#include "art/SheetTables.h"

namespace {

std::vector<Rgba> Cut(const CCanvas& c, int x, int y, int w, int h) {
  std::vector<Rgba> out;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) out.push_back(c.Get(i, j));
  return out;
}

int Differing(const std::vector<Rgba>& a, const std::vector<Rgba>& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] == b[i] ? 0 : 1;
  return n;
}

// Two frames a player should tell apart differ in more than a few pixels.
constexpr int Legible = 12;

const MonsterFamily& Family(const char* name) {
  for (const MonsterFamily& f : MonsterFamilies())
    if (std::strcmp(f.Name, name) == 0) return f;
  return MonsterFamilies().front();
}

}  // namespace

TEST(ResgenArt, DrawingGivesTheSameBytesEveryTime) {
  for (const int resource : {130, 138, 160, 200, 210, 300, 400, 1030}) {
    SCOPED_TRACE(resource);
    const int size = resource == 130 ? 32 : resource >= 1000 ? 16 : 512;
    EXPECT_EQ(EncodePng(DrawResource(resource, size)), EncodePng(DrawResource(resource, size)));
  }
}

// The cells and what they show come from the classes' own tables: a cell
// takes the role of the entry that names it first, and the blow lands where
// the grade's strike entry says.
TEST(ResgenArt, TheLayoutTablesReadAsTheFamiliesTablesSay) {
  struct Case {
    const char* Family;
    int Grade;
    int X, Y;
    FrameRole Role;
    bool Impact;
  };
  const Case cases[] = {
      {"Slime", 0, 20, 20, FrameRole::Stand, false},      // the attack starts from a standing frame
      {"Slime", 0, 100, 20, FrameRole::Attack, false},
      {"Slime", 0, 140, 20, FrameRole::Attack, true},     // the blow lands at entry 22
      {"Slime", 0, 180, 20, FrameRole::Hurt, false},      // hurt and dying share a frame
      {"Kobold", 0, 180, 20, FrameRole::Attack, true},    // entry 21
      {"Skeleton", 0, 140, 220, FrameRole::Attack, false},
      {"Skeleton", 0, 180, 220, FrameRole::Attack, true},
      {"Dragon", 0, 220, 20, FrameRole::Attack, true},    // grade 1 strikes at 23,
      {"Dragon", 1, 140, 20, FrameRole::Attack, true},    // the others at 21
      {"Dragon", 1, 220, 20, FrameRole::Attack, false},
      {"Alchemist", 0, 20, 220, FrameRole::Special, false},  // the potion frames off the family's row
      {"LivingArmor", 0, 340, 20, FrameRole::Guard, false},
      {"Eye", 0, 300, 20, FrameRole::Special, false},     // the stare back after its hurt frame
      {"Doll", 0, 420, 20, FrameRole::Hurt, false},       // shaken after its hurt frame
      {"Shadow", 0, 300, 20, FrameRole::Hurt, false},     // appearing when hurt
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Family) + " grade " + std::to_string(c.Grade + 1) + " at " + std::to_string(c.X));
    bool found = false;
    for (const FamilyCell& cell : FamilyCells(Family(c.Family), c.Grade))
      if (cell.X == c.X && cell.Y == c.Y) {
        found = true;
        EXPECT_EQ(cell.Role, c.Role);
        EXPECT_EQ(cell.Impact, c.Impact);
      }
    EXPECT_TRUE(found);
  }
  // Every grade has exactly one frame where the blow lands, and the
  // disguises on the floor's sheet are not drawn on the family's.
  ASSERT_EQ(MonsterFamilies().size(), static_cast<std::size_t>(MonsterFamilyCount));
  for (const MonsterFamily& f : MonsterFamilies())
    for (int g = 0; g < 3; ++g) {
      int impacts = 0;
      for (const FamilyCell& cell : FamilyCells(f, g)) {
        impacts += cell.Impact ? 1 : 0;
        EXPECT_TRUE(cell.X >= 20 && cell.X <= 492 && cell.Y >= 20 && cell.Y <= 292) << f.Name << " at " << cell.X << ", " << cell.Y;
      }
      EXPECT_EQ(impacts, 1) << f.Name << " grade " << g + 1;
    }
}

// Every pose the drawing knows has a cell of the classes' table, and the
// weapon cells of one swing each show their own moment of it.
TEST(ResgenArt, EveryPoseAndEveryWeaponMomentHasItsCell) {
  std::map<PlayerPose, int> poses;
  for (const PlayerCell& c : PlayerCells()) ++poses[c.Pose];
  for (int p = 0; p <= static_cast<int>(PlayerPose::Goal); ++p) EXPECT_EQ(poses[static_cast<PlayerPose>(p)], 1) << "pose " << p;
  std::map<std::pair<std::string, bool>, std::set<PlayerPose>> moments;
  std::size_t cells = 0;
  for (const OverlayCell& o : OverlayCells()) {
    SCOPED_TRACE(std::string(o.Weapon) + " at " + std::to_string(o.X) + ", " + std::to_string(o.Y));
    std::set<PlayerPose>& shown = moments[std::make_pair(std::string(o.Weapon), o.Trail)];
    EXPECT_TRUE(shown.insert(o.Pose).second) << "a moment shown twice";
    EXPECT_NE(o.Pose, PlayerPose::Stand);
    ++cells;
  }
  // Eight weapons, the trails of all but the staff's and the kunai's (it
  // shares the katana's), the bow and its arrow.
  EXPECT_EQ(moments.size(), 16u);
  EXPECT_GT(cells, 30u);
}

// Each facing row, and each side row against its own mirror image (the
// game mirrors it for the other side), reads as its own direction.
TEST(ResgenArt, EveryFacingOfEveryFigureIsItsOwn) {
  auto check = [](const std::string& who, const std::vector<CCanvas>& rows) {
    SCOPED_TRACE(who);
    for (int a = 0; a < 5; ++a) {
      for (int b = a + 1; b < 5; ++b)
        EXPECT_GT(Differing(Cut(rows[a], 0, 0, 40, 40), Cut(rows[b], 0, 0, 40, 40)), Legible) << "rows " << a << " and " << b;
      if (a >= 1 && a <= 3) {
        EXPECT_GT(Differing(Cut(rows[a], 0, 0, 40, 40), Cut(rows[a].Mirrored(), 0, 0, 40, 40)), Legible) << "row " << a << " mirrored";
      }
    }
  };
  for (const MonsterFamily& f : MonsterFamilies()) {
    std::vector<CCanvas> rows;
    for (int r = 0; r < 5; ++r) rows.push_back(DrawMonsterFrame(f.Name, 0, FrameRole::Stand, 0, r));
    check(f.Name, rows);
  }
  for (int cls = 0; cls < 9; ++cls) {
    std::vector<CCanvas> rows;
    for (int r = 0; r < 5; ++r) rows.push_back(DrawPlayerFrame(cls, PlayerPose::Stand, r));
    check("class " + std::to_string(cls), rows);
  }
}

TEST(ResgenArt, WalkingStrikingAndHurtFramesDiffer) {
  for (const MonsterFamily& f : MonsterFamilies()) {
    SCOPED_TRACE(f.Name);
    const std::vector<FamilyCell> cells = FamilyCells(f);
    int impactOrder = 0;
    for (const FamilyCell& c : cells)
      if (c.Impact) impactOrder = c.Order;
    for (int row = 0; row < 5; ++row) {
      const CCanvas stand = DrawMonsterFrame(f.Name, 0, FrameRole::Stand, 0, row);
      const CCanvas blow = DrawMonsterFrame(f.Name, 0, FrameRole::Attack, impactOrder, row);
      const CCanvas hurt = DrawMonsterFrame(f.Name, 0, FrameRole::Hurt, 0, row);
      EXPECT_GT(Differing(Cut(stand, 0, 0, 40, 40), Cut(blow, 0, 0, 40, 40)), Legible) << "row " << row;
      EXPECT_GT(Differing(Cut(stand, 0, 0, 40, 40), Cut(hurt, 0, 0, 40, 40)), Legible) << "row " << row;
      EXPECT_GT(Differing(Cut(blow, 0, 0, 40, 40), Cut(hurt, 0, 0, 40, 40)), Legible) << "row " << row;
    }
  }
  const PlayerPose poses[] = {PlayerPose::Stand, PlayerPose::WalkA, PlayerPose::SwingStrike, PlayerPose::Hurt};
  for (int cls = 0; cls < 9; ++cls)
    for (int row = 0; row < 5; ++row)
      for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
          EXPECT_GT(Differing(Cut(DrawPlayerFrame(cls, poses[a], row), 0, 0, 40, 40), Cut(DrawPlayerFrame(cls, poses[b], row), 0, 0, 40, 40)),
                    Legible)
              << "class " << cls << " row " << row << " poses " << a << " and " << b;
}

TEST(ResgenArt, FamiliesAndGradesLookApart) {
  std::vector<std::pair<std::string, std::vector<Rgba>>> seen;
  for (const MonsterFamily& f : MonsterFamilies()) {
    const std::vector<Rgba> mine = Cut(DrawMonsterFrame(f.Name, 0, FrameRole::Stand, 0, 0), 0, 0, 40, 40);
    for (const auto& [other, pixels] : seen) EXPECT_GT(Differing(mine, pixels), 60) << f.Name << " and " << other;
    seen.emplace_back(f.Name, mine);
    for (int g = 1; g < 3; ++g)
      EXPECT_GT(Differing(mine, Cut(DrawMonsterFrame(f.Name, g, FrameRole::Stand, 0, 0), 0, 0, 40, 40)), Legible)
          << f.Name << " grade " << g + 1;
  }
}

TEST(ResgenArt, EveryAreaHasItsOwnTilesAndEachTileItsOwnLook) {
  std::vector<CCanvas> sheets;
  for (const int resource : AreaResources()) sheets.push_back(DrawAreaSheet(resource));
  // The pieces a player must tell apart on every floor.
  struct Piece {
    const char* Name;
    int X, Y, W, H;
  };
  const Piece pieces[] = {
      {"wall", 290, 50, 20, 20},      {"room floor", 20, 140, 20, 20}, {"corridor", 10, 270, 20, 20},
      {"stairs", 0, 240, 20, 20},     {"water", 0, 340, 20, 20},       {"rock", 40, 240, 20, 20},
  };
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    SCOPED_TRACE("area " + std::to_string(AreaResources()[s]));
    for (const Piece& a : pieces)
      for (const Piece& b : pieces) {
        if (&a >= &b) continue;
        EXPECT_GT(Differing(Cut(sheets[s], a.X, a.Y, a.W, a.H), Cut(sheets[s], b.X, b.Y, b.W, b.H)), 100) << a.Name << " and " << b.Name;
      }
    for (std::size_t t = 0; t < s; ++t)
      EXPECT_GT(Differing(Cut(sheets[s], 20, 140, 20, 20), Cut(sheets[t], 20, 140, 20, 20)) +
                    Differing(Cut(sheets[s], 290, 50, 20, 20), Cut(sheets[t], 290, 50, 20, 20)),
                200)
          << "and area " << AreaResources()[t];
  }
}

TEST(ResgenArt, EveryItemCellShowsItsOwnKind) {
  const CCanvas sheet = DrawItemSheet();
  std::map<std::pair<int, int>, std::string> cells;
  for (const ItemCell& c : ItemFrameCells())
    if (c.Picture == 132) cells.emplace(std::make_pair(c.X, c.Y), c.Name);
  ASSERT_GT(cells.size(), 300u);
  for (auto a = cells.begin(); a != cells.end(); ++a) {
    const std::vector<Rgba> mine = Cut(sheet, a->first.first, a->first.second, 20, 20);
    EXPECT_TRUE(sheet.AnyOpaque(a->first.first, a->first.second, 20, 20)) << a->second;
    for (auto b = cells.begin(); b != a; ++b)
      EXPECT_GT(Differing(mine, Cut(sheet, b->first.first, b->first.second, 20, 20)), 8) << a->second << " and " << b->second;
  }
}

TEST(ResgenArt, NoDrawnPixelIsTheColourKey) {
  CCanvas c(2, 1);
  c.Put(0, 0, Rgb(0, 255, 0));
  c.Put(1, 0, Rgb(0, 255, 0, 128));
  CCanvas back(0, 0);
  ASSERT_TRUE(DecodePng(EncodePng(c), back));
  EXPECT_TRUE(back.Get(0, 0).Opaque());
  EXPECT_NE(back.Get(0, 0), Rgb(0, 255, 0));
  EXPECT_EQ(back.Get(1, 0), Rgb(0, 255, 0, 128));  // only the opaque key is keyed
}

TEST(ResgenArt, ABundleComesBackWholeOrNotAtAll) {
  const PictureBundle pictures = {{130, {1, 2, 3}}, {200, {}}, {1033, std::vector<std::uint8_t>(300, 7)}};
  const std::vector<std::uint8_t> bytes = EncodeBundle(pictures);
  PictureBundle back;
  ASSERT_TRUE(DecodeBundle(bytes, back));
  EXPECT_EQ(back, pictures);
  for (const std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{12}, bytes.size() - 1}) {
    EXPECT_FALSE(DecodeBundle(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)), back)) << cut;
    EXPECT_TRUE(back.empty());
  }
  std::vector<std::uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(DecodeBundle(longer, back));
  std::vector<std::uint8_t> huge = bytes;
  huge[10] = 0xFF, huge[11] = 0xFF, huge[12] = 0xFF, huge[13] = 0x7F;  // a length past the end
  EXPECT_FALSE(DecodeBundle(huge, back));
}
