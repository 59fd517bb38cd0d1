#include "characters/PlayerClasses.h"

#include <algorithm>
#include <iterator>

#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/Renderer.h"

namespace {

constexpr int NoKitItem = -1;

// One row per class, in type order. Kits in the order the items are made:
// {id, count (0 keeps one), wand charges, worn}; the meat is only carried.
constexpr PlayerClassRow ClassRows[] = {
    //  type  HP  HPx100  up  down STR DEX INT spare ATK sheet res
    {0, 30, 3000, 525, 525, 10, 10, 10, 5, 10, 137, 210,  // Fighter
     {{0x001, 0, 0, true}, {0x300, 0, 0, true}, {0x400, 0, 0, true}, {0x701, 0, 0, false}}},
    {1, 28, 2800, 475, 475, 8, 14, 10, 5, 0, 138, 220,  // Hunter
     {{0x000, 0, 0, true}, {0x100, 0, 0, true}, {0x200, 30, 0, true}, {0x310, 0, 0, true}, {0x701, 0, 0, false}}},
    {2, 35, 3400, 600, 550, 13, 10, 4, 5, 10, 139, 230,  // Dwarf
     {{0x005, 0, 0, true}, {0x301, 0, 0, true}, {0x401, 0, 0, true}, {0x501, 0, 0, true}, {0x701, 0, 0, false}}},
    {3, 26, 2600, 400, 400, 5, 8, 14, 5, 10, 140, 240,  // Witch
     {{0x014, 0, 0, true}, {0x320, 0, 0, true}, {0x701, 0, 0, false}}},
    {4, 29, 2900, 500, 500, 12, 8, 12, 5, 11, 141, 250,  // Valkyrie
     {{0x00B, 0, 0, true}, {0x300, 0, 0, true}, {0x500, 0, 0, true}, {0x701, 0, 0, false}}},
    {5, 29, 2900, 480, 480, 11, 11, 8, 5, 11, 143, 270,  // Ninja
     {{0x0B0, 0, 0, true}, {0x3C0, 0, 0, true}, {0x410, 0, 0, true}, {0x701, 0, 0, false}}},
    {6, 27, 2700, 425, 425, 8, 12, 10, 5, 10, 144, 280,  // Kunoichi
     {{0x0B8, 6, 0, true}, {0x3D0, 0, 0, true}, {0x410, 0, 0, true}, {0x701, 0, 0, false}}},
    {7, 25, 2500, 380, 380, 4, 14, 13, 5, 11, 142, 260,  // Elf
     {{0x100, 0, 0, true}, {0x200, 50, 0, true}, {0x310, 0, 0, true}, {0x420, 0, 0, true}, {0x701, 0, 0, false}}},
    // The wand is asked to be worn like the rest and stays in the bag.
    {8, 1, 100, 0, 0, 20, 20, 20, 5, 0, 145, 290,  // Prophet
     {{0x320, 0, 0, true}, {0x606, 0, 0, true}, {0xB0B, 0, 10, true}, {0x701, 0, 0, false}}},
};

// ---- The frame table every class lays out on its own sheet.

constexpr int FrameTableSize = 230;

struct PoseFrame {
  int X, Y, Duration;
};
// Records First .. First + Count - 1, each leading to the next, the last to
// Then (-1 holds). The frames listed are taken in turn, repeating.
struct Pose {
  AnimationEntry First;
  int Count;
  AnimationEntry Then;
  int Listed;
  PoseFrame Frames[6];
};

constexpr Pose Poses[] = {
    {10, 4, 10, 4, {{20, 20, 6}, {60, 20, 6}, {20, 20, 6}, {100, 20, 6}}},      // idle and walking
    {20, 4, 10, 4, {{140, 60, 2}, {180, 60, 2}, {380, 60, 4}, {180, 60, 2}}},   // attack, the blow at 21
    {30, 4, 10, 4, {{140, 60, 2}, {180, 60, 2}, {380, 60, 2}, {180, 60, 2}}},   // shot at 31
    {40, 6, 10, 6, {{20, 20, 4}, {20, 20, 4}, {20, 20, 4}, {20, 20, 4}, {20, 20, 4}, {20, 20, 6}}},
    {50, 2, 10, 2, {{60, 60, 4}, {100, 60, 8}}},                                // item magic at 51
    {60, 1, 10, 1, {{460, 20, 10}}},                                            // guard
    {70, 1, 10, 1, {{20, 60, 10}}},                                             // hurt
    {80, 4, -1, 4, {{20, 60, 10}, {20, 60, 30}, {20, 60, 30}, {20, 60, 1}}},    // dying
    {100, 4, 10, 4, {{140, 20, 4}, {180, 20, 2}, {260, 60, 4}, {180, 20, 2}}},  // blow at 101
    {110, 4, 10, 4, {{140, 20, 4}, {180, 20, 2}, {260, 60, 4}, {180, 20, 2}}},  // blow at 111
    {120, 4, 10, 4, {{220, 20, 4}, {260, 20, 2}, {300, 60, 2}, {300, 60, 2}}},  // blow at 121
    {130, 4, 10, 4, {{300, 20, 4}, {340, 20, 2}, {340, 60, 4}, {340, 20, 2}}},  // blow at 131
    {140, 3, 10, 3, {{380, 20, 4}, {380, 20, 2}, {420, 20, 4}}},                // shot at 142
    {150, 3, 10, 3, {{140, 20, 4}, {260, 60, 4}, {180, 20, 4}}},                // magic shot at 151
    {190, 1, -1, 1, {{220, 60, 1}}},                                            // the goal item's pose
    {200, 2, 202, 2, {{20, 170, 30}, {60, 170, 30}}},                           // the princess item's pose
    {202, 16, 218, 2, {{100, 170, 2}, {140, 170, 2}}},
    {218, 2, 218, 2, {{180, 170, 10}, {220, 170, 10}}},
};

// The Ninja's two further blows, at 161 and 165. Their frames are ours to
// choose: the poses of the blows at 101 and 131.
constexpr Pose NinjaPoses[] = {
    {160, 4, 10, 4, {{140, 20, 4}, {180, 20, 2}, {260, 60, 4}, {180, 20, 2}}},
    {164, 4, 10, 4, {{300, 20, 4}, {340, 20, 2}, {340, 60, 4}, {340, 20, 2}}},
};

AnimationFrame Frame(int x, int y, int box, AnimationEntry next, int duration, std::uint16_t picture) {
  AnimationFrame f;
  f.centreX = x;
  f.centreY = y;
  f.left = f.top = -box;
  f.right = f.bottom = box - 1;
  f.next = next;
  f.duration = duration;
  f.texture = picture;
  return f;
}

template <std::size_t N>
void LayPoses(std::vector<AnimationFrame>& frames, const Pose (&poses)[N], std::uint16_t sheet) {
  for (const Pose& pose : poses) {
    for (int i = 0; i < pose.Count; ++i) {
      const PoseFrame& f = pose.Frames[i % pose.Listed];
      const AnimationEntry id = pose.First + i;
      const AnimationEntry next = i + 1 < pose.Count ? id + 1 : pose.Then;
      frames[static_cast<std::size_t>(id)] = Frame(f.X, f.Y, 20, next, f.Duration, sheet);
    }
  }
}

// Entries at which a blow, a magic shot, a shot and an item's magic start.
constexpr AnimationEntry StrikeEntries[] = {21, 101, 111, 121, 131};
constexpr AnimationEntry NinjaStrikeEntries[] = {161, 165};
constexpr int NinjaFirstExtraStrike = 5;

}  // namespace

const PlayerClassRow* FindPlayerClassRow(CharacterType type) {
  if (type < 0 || type >= static_cast<CharacterType>(std::size(ClassRows))) return nullptr;
  return &ClassRows[type];
}

void SetUpPlayerClass(CCharacterPlayer& player, const PlayerClassRow& row) {
  player.spareFlag = 1;
  player.type = row.Type;
  player.level = 1;
  player.exp = 0;
  player.hp = player.maxHp = row.Hp;
  player.maxHpX100 = row.MaxHpX100;
  player.strength = row.Str;
  player.dexterity = row.Dex;
  player.intelligence = row.Int;
  player.spareStat = row.SpareStat;
  player.attack = row.Attack;
  player.defence = 0;
  player.regenProgress = 0;
  player.animEntry = AnimationIdle;

  std::copy(std::begin(StrikeEntries), std::end(StrikeEntries), player.meleeHitEntries);
  player.magicShotEntries[0] = 151;
  player.shotEntries[0] = 31;
  player.shotEntries[1] = 142;
  player.itemUseEntries[0] = 51;

  player.frames.assign(FrameTableSize, AnimationFrame{});
  // The end of the dying chain, on no sheet.
  player.frames[AnimationGone] = Frame(20, 20, 20, AnimationGone, 1, 0);
  LayPoses(player.frames, Poses, row.Sheet);
  player.frames[220] = Frame(435, 15, 15, -1, 1, row.Sheet);  // a small 30 x 30 picture
  LoadTexture(row.Sheet, row.SheetResource);
}

void ReleasePlayerClassSheet(const PlayerClassRow& row) { ReleaseTexture(row.Sheet); }

void GivePlayerKit(CCharacterPlayer& player, const PlayerClassRow& row) {
  for (const PlayerClassRow::KitItem& kit : row.Kit) {
    if (kit.Id == NoKitItem) break;
    CItem* item = CreateItem(kit.Id);
    if (!item) continue;
    if (kit.Count > 0) item->SetCount(kit.Count);
    if (kit.Charges > 0) item->ChargeCapacity = kit.Charges;
    if (!player.AddItem(item)) {
      // Only a player that already carries things can refuse.
      delete item;
      continue;
    }
    if (kit.Wear) player.Equip(item);
  }
}

CCharacterNinja::CCharacterNinja() {
  std::copy(std::begin(NinjaStrikeEntries), std::end(NinjaStrikeEntries),
            meleeHitEntries + NinjaFirstExtraStrike);
  LayPoses(frames, NinjaPoses, FindPlayerClassRow(5)->Sheet);
}
