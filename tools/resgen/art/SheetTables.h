#pragma once
// The frame layouts of the sheets whose tables the game does not hold yet:
// the monster families, the player classes, the weapon overlays and the
// effects. They are written here once, in the order of the game's own
// animation tables, so the drawing follows them and a test can check them
// against the game's tables when those land.
#include <string>
#include <vector>

enum class FrameRole { Stand, Attack, Special, Guard, Hurt, Dying, Rise };

// One animation entry of a family: its number, role and sheet centre.
struct FrameEntry {
  int Entry;
  FrameRole Role;
  int X, Y;
};

struct MonsterFamily {
  const char* Name;
  int RowY;         // centre y of the family's first facing row
  int Strike;       // the entry at which the blow lands (grade 1)
  int Pictures[3];  // sheets of grades 1-3 (0: the grade does not exist)
  const char* Entries;
};
const std::vector<MonsterFamily>& MonsterFamilies();
// The entries of a family's table, parsed from its Entries text: each
// token is a role letter (s stand, a attack, x special, g guard, h hurt,
// d dying, r rise), the entry, a colon and the sheet x (and ",y" when the
// frame lies off the family's row).
std::vector<FrameEntry> ParseEntries(const MonsterFamily& family);

// What one sheet cell of a family shows.
struct FamilyCell {
  int X, Y;  // centre on the facing-0 row
  FrameRole Role;
  int Order;       // among the cells of its role, in table order
  int RoleCount;   // cells of that role
  bool Impact;     // the attack cell where the blow lands
};
std::vector<FamilyCell> FamilyCells(const MonsterFamily& family);

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
const std::vector<PlayerCell>& PlayerCells();
// The classes in `PlayerClass` order with their sheet picture.
struct PlayerClassSheet {
  const char* Name;
  int Picture;
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

// Every rectangle the game's Parts address in a picture the generator
// draws, with what it is for (the item frames come from the game's own
// tables: see ItemFrameCells).
struct AddressedCell {
  int Resource;  // the picture's resource id: the cells of picture 4 are those of every area sheet
  int X, Y, W, H;
  std::string Role;
};
std::vector<AddressedCell> AddressedCells();
