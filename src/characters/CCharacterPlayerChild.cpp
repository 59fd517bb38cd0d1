#include "characters/CCharacterPlayerChild.h"

#include <algorithm>
#include <iterator>

#include "characters/CCharacterPlayer.h"
#include "items/CItem.h"

namespace {

constexpr PictureId NoPicture = 0;

// ---- Which weapon swings how

struct WeaponIds {
  ItemId First, Last;
  WeaponGroup Group;
};
constexpr WeaponIds WeaponGroups[] = {
    {0, 4, WeaponGroup::Shortsword},     {26, 28, WeaponGroup::Shortsword},   {128, 128, WeaponGroup::Shortsword},
    {136, 136, WeaponGroup::Shortsword}, {5, 9, WeaponGroup::Axe},            {29, 31, WeaponGroup::Axe},
    {153, 153, WeaponGroup::Axe},        {10, 14, WeaponGroup::Spear},        {32, 34, WeaponGroup::Spear},
    {129, 129, WeaponGroup::Spear},      {137, 137, WeaponGroup::Spear},      {152, 152, WeaponGroup::Spear},
    {168, 168, WeaponGroup::Spear},      {193, 193, WeaponGroup::Spear},      {15, 19, WeaponGroup::Broadsword},
    {35, 37, WeaponGroup::Broadsword},   {192, 192, WeaponGroup::Broadsword}, {20, 25, WeaponGroup::Staff},
    {38, 40, WeaponGroup::Staff},        {160, 160, WeaponGroup::Staff},      {194, 194, WeaponGroup::Staff},
    {144, 144, WeaponGroup::Claw},       {176, 177, WeaponGroup::Katana},     {184, 185, WeaponGroup::Kunai},
};

// ---- The records each layer lays for what is held

using Cell = CompanionCell;
using Layout = CompanionLayout;

// Indexed by WeaponGroup.
constexpr Layout WeaponLayouts[2][9] = {
    {
        {20, 40, 3, {{NoPicture, 20, 20}, {NoPicture, 420, 20}, {NoPicture, 60, 20}}},     // other
        {100, 40, 4, {{133, 20, 20}, {133, 60, 20}, {133, 100, 20}, {133, 60, 20}}},      // shortsword
        {110, 40, 4, {{133, 180, 20}, {133, 220, 20}, {133, 260, 20}, {133, 220, 20}}},   // axe
        {120, 80, 4, {{135, 120, 40}, {135, 200, 40}, {135, 200, 40}, {135, 200, 40}}},   // spear
        {130, 80, 4, {{134, 40, 40}, {134, 120, 40}, {134, 200, 40}, {134, 120, 40}}},    // broadsword
        {150, 40, 3, {{136, 20, 20}, {136, 100, 20}, {136, 60, 20}}},                     // staff
        {20, 40, 4, {{133, 340, 20}, {133, 380, 20}, {133, 420, 20}, {133, 380, 20}}},    // claw
        {130, 40, 4, {{133, 20, 220}, {133, 60, 220}, {133, 100, 220}, {133, 60, 220}}},  // katana
        {130, 40, 4, {{133, 340, 220}, {133, 380, 220}, {133, 420, 220}, {133, 380, 220}}},  // kunai
    },
    {
        {20, 40, 3, {{NoPicture, 20, 20}, {NoPicture, 420, 20}, {NoPicture, 60, 20}}},
        {100, 40, 3, {{NoPicture, 20, 20}, {133, 140, 20}, {NoPicture, 60, 20}}},
        {110, 40, 3, {{NoPicture, 20, 20}, {133, 300, 20}, {NoPicture, 20, 20}}},
        {120, 80, 4, {{NoPicture, 40, 40}, {135, 280, 40}, {135, 360, 40}, {NoPicture, 40, 40}}},
        {130, 80, 3, {{NoPicture, 40, 40}, {134, 280, 40}, {134, 360, 40}}},
        {150, 40, 3, {{NoPicture, 20, 220}, {NoPicture, 420, 220}, {NoPicture, 460, 220}}},
        {20, 40, 3, {{NoPicture, 20, 20}, {133, 460, 20}, {NoPicture, 60, 20}}},
        {130, 40, 4, {{NoPicture, 20, 220}, {133, 140, 220}, {NoPicture, 60, 220}, {NoPicture, 20, 220}}},
        {130, 40, 4, {{NoPicture, 20, 220}, {133, 140, 220}, {NoPicture, 60, 220}, {NoPicture, 20, 220}}},
    },
};
// The bow in the first layer, the arrow about to fly in the second.
constexpr Layout BowLayout = {140, 40, 3, {{135, 20, 20}, {135, 60, 20}, {135, 20, 20}}};
constexpr Layout ArrowLayout = {140, 40, 3, {{135, 20, 220}, {135, 60, 220}, {NoPicture, 20, 220}}};
constexpr ItemId FirstBow = 256, LastBow = 269, FirstArrow = 512, LastArrow = 519;

AnimationFrame Record(PictureId picture, int centreX, int centreY, int size) {
  AnimationFrame f;
  f.centreX = centreX;
  f.centreY = centreY;
  f.left = f.top = -size / 2;
  f.right = f.bottom = size / 2 - 1;
  f.next = 0;
  f.duration = 1;
  f.texture = static_cast<std::uint16_t>(picture);
  return f;
}

const AnimationFrame BlankRecord = Record(NoPicture, 15, 15, 30);

void Lay(std::vector<AnimationFrame>& frames, const Layout& layout) {
  for (int i = 0; i < layout.Count; ++i) {
    const Cell& cell = layout.Cells[i];
    frames[static_cast<std::size_t>(layout.First + i)] = Record(cell.Picture, cell.X, cell.Y, layout.Size);
  }
}

// ---- In front or behind

// Columns by facing: down, the down diagonals, the sides, the up diagonals, up.
int FacingColumn(Direction d) {
  switch (d) {
    case DirectionDown: return 0;
    case DirectionDownLeft:
    case DirectionDownRight: return 1;
    case DirectionLeft:
    case DirectionRight: return 2;
    case DirectionUpLeft:
    case DirectionUpRight: return 3;
    case DirectionUp: return 4;
    default: return -1;
  }
}

using Order = int[5];
constexpr Order Front = {1, 1, 1, 1, 1}, BehindUp = {1, 1, 1, 1, -1}, BehindAbove = {1, 1, 1, -1, -1},
                Hidden = {0, 0, 0, 0, 0};
struct OrderRow {
  AnimationEntry First, Last;
  const int* Layers[2];
};
constexpr OrderRow OrderRows[] = {
    {20, 20, {Front, Front}},           {100, 100, {Front, Front}},         {110, 110, {Front, Front}},
    {120, 120, {Front, Front}},         {21, 22, {BehindUp, BehindUp}},     {101, 102, {BehindUp, BehindUp}},
    {23, 23, {BehindUp, Hidden}},       {103, 103, {BehindUp, Hidden}},     {111, 112, {BehindUp, Front}},
    {113, 113, {BehindUp, Hidden}},     {121, 123, {BehindAbove, BehindAbove}}, {130, 132, {BehindAbove, BehindAbove}},
    {140, 142, {BehindAbove, BehindAbove}}, {150, 152, {BehindAbove, BehindAbove}},
    {160, 167, {BehindAbove, BehindAbove}}, {133, 133, {BehindAbove, Hidden}},
    {143, 143, {BehindAbove, Hidden}},  {153, 153, {BehindAbove, Hidden}},
};

int DrawOrder(const CCharacter& companion, int layer) {
  const int column = FacingColumn(companion.GetDirection());
  if (column < 0) return 0;
  const AnimationEntry entry = companion.animEntry;
  for (const OrderRow& row : OrderRows)
    if (entry >= row.First && entry <= row.Last) return row.Layers[layer][column];
  return 0;
}

}  // namespace

WeaponGroup WeaponGroupOf(ItemId weapon) {
  for (const WeaponIds& ids : WeaponGroups)
    if (weapon >= ids.First && weapon <= ids.Last) return ids.Group;
  return WeaponGroup::Other;
}

const CompanionLayout& CompanionWeaponLayout(WeaponGroup group, bool secondLayer) {
  return WeaponLayouts[secondLayer ? 1 : 0][static_cast<int>(group)];
}

const CompanionLayout& CompanionBowLayout(bool secondLayer) { return secondLayer ? ArrowLayout : BowLayout; }

AnimationEntry AttackEntryOf(ItemId weapon) {
  switch (WeaponGroupOf(weapon)) {
    case WeaponGroup::Shortsword: return 100;
    case WeaponGroup::Axe: return 110;
    case WeaponGroup::Spear: return 120;
    case WeaponGroup::Broadsword:
    case WeaponGroup::Katana:
    case WeaponGroup::Kunai: return 130;
    case WeaponGroup::Staff: return 150;
    default: return AnimationAttack;
  }
}

CCharacterPlayerChild::CCharacterPlayerChild() {
  type = CompanionCharacterType;
  animEntry = AnimationIdle;
  frames.assign(CompanionFrameCount, BlankRecord);
}

void CCharacterPlayerChild::Draw() {
  const AnimationFrame* frame = GetCurrentFrame();
  if (frame && frame->texture != NoPicture) CCharacter::Draw();
}

void CCharacterPlayerChild::Follow(bool secondLayer) {
  if (!Owner) return;
  x = Owner->GetX();
  y = Owner->GetY();
  animEntry = Owner->animEntry;
  direction = Owner->GetDirection();
  const Layout* weaponLayout = nullptr;
  if (const CItem* weapon = Owner->GetItem(WeaponSlot))
    weaponLayout = &CompanionWeaponLayout(WeaponGroupOf(weapon->GetId()), secondLayer);
  const Layout* heldLayout = nullptr;
  if (!secondLayer) {
    const CItem* bow = Owner->GetItem(BowSlot);
    if (bow && bow->GetId() >= FirstBow && bow->GetId() <= LastBow) heldLayout = &BowLayout;
  } else {
    const CItem* arrow = Owner->GetItem(Owner->GetSelectedItem());
    if (arrow && arrow->GetId() >= FirstArrow && arrow->GetId() <= LastArrow) heldLayout = &ArrowLayout;
  }
  // This runs every frame of every turn: the records are rewritten only
  // when what they show changes.
  if (LaidValid && weaponLayout == LaidWeapon && heldLayout == LaidHeld) return;
  // Only what is held now shows: what was held before leaves no record.
  std::fill(frames.begin(), frames.end(), BlankRecord);
  if (weaponLayout) Lay(frames, *weaponLayout);
  if (heldLayout) Lay(frames, *heldLayout);
  LaidValid = true;
  LaidWeapon = weaponLayout;
  LaidHeld = heldLayout;
}

int CCharacterPlayerChild1::GetDrawOffset() const { return DrawOrder(*this, 0); }
int CCharacterPlayerChild2::GetDrawOffset() const { return DrawOrder(*this, 1); }
