#pragma once
// The frame layouts the generator draws to, read from the game's own
// tables: the monster classes' animation tables and family rows, the
// player classes' frame table and the companions' weapon records. What a
// cell shows is told by the entry that names it first.
#include <string>
#include <vector>

#include "monsters/MonsterTables.h"

enum class FrameRole { Stand, Attack, Special, Guard, Hurt, Dying, Rise };

// A family's row and the class row of each grade (null where the game
// has no class for the grade).
struct MonsterFamily {
  const char* Name;
  const MonsterFamilyRow* Row;
  const MonsterClassRow* Classes[3];
};
// The families in type order.
const std::vector<MonsterFamily>& MonsterFamilies();
// What an entry of a family's table shows.
FrameRole RoleOfEntry(const MonsterFamily& family, AnimationEntry entry);

// What one sheet cell of a family shows.
struct FamilyCell {
  int X, Y;  // centre on the facing-0 row
  FrameRole Role;
  int Order;       // among the cells of its role, in table order
  int RoleCount;   // cells of that role
  bool Impact;     // the attack cell where the blow lands
};
// The cells grade `grade` (0-2) lays on its own sheet; a grade without a
// class is drawn after the first grade's table. Frames on another picture
// (a disguise on the floor's sheet) are not the family's to draw.
std::vector<FamilyCell> FamilyCells(const MonsterFamily& family, int grade = 0);
// The class row whose table grade `grade` is drawn by.
const MonsterClassRow* DrawnClass(const MonsterFamily& family, int grade);

// A player sheet's cells on the facing-down row pair; each facing adds 80
// pixels (two 40-pixel rows).
enum class PlayerPose {
  Stand, WalkA, WalkB, SwingWindup, SwingStrike, SwingFollow, ThrustWindup, Thrust, ThrustFollow,
  OverheadWindup, OverheadStrike, OverheadFollow, BowDraw, BowRelease, Guard, Hurt, RaiseItem, Zap,
  PunchWindup, Punch, PunchFollow, Goal,
};
struct PlayerCell {
  int X, Y;  // centre on the facing-down rows
  PlayerPose Pose;
};
// The cells of the classes' frame table (the princess poses and the small
// picture of record 220 apart), in entry order.
const std::vector<PlayerCell>& PlayerCells();
// The pose the classes' table shows at `entry`.
PlayerPose PlayerPoseAt(AnimationEntry entry);
// The classes in `CharacterType` order with their sheet.
struct PlayerClassSheet {
  int Picture;
  int Resource;
};
const std::vector<PlayerClassSheet>& PlayerClasses();

// A weapon overlay cell: the weapon in the hand of the player's pose, one
// row per facing (rows of `Cell` pixels).
struct OverlayCell {
  int Picture;
  int X, Y;   // centre on the facing-down row
  int Cell;   // 40 or 80
  PlayerPose Pose;
  const char* Weapon;  // which weapon is drawn: "shortsword", "axe", ...
  bool Trail;          // the second layer: the swing's trail
};
const std::vector<OverlayCell>& OverlayCells();

// The resource a picture id is loaded from.
int ResourceOfPicture(int picture);

// The rectangles of the generator's pictures that the screens, the floor's
// tile rules and the interface address, with what each is for (the
// characters' and the items' frames come from their own tables).
struct AddressedCell {
  int Resource;  // the picture's resource id: the cells of picture 4 are those of every area sheet
  int X, Y, W, H;
  std::string Role;
};
std::vector<AddressedCell> AddressedCells();
