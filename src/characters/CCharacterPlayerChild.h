#pragma once
// The player's sheets show the body only: what it holds is drawn by two
// companions that stand where it stands, copy its entry and facing every
// frame, and rewrite their own frame records for the weapon, bow or arrow
// in use. They show only in attack and shot poses, in front of the player
// or behind it by the facing.
#include <cstdint>

#include "characters/CCharacter.h"
#include "platform/PictureTable.h"

class CCharacterPlayer;
using ItemId = std::int32_t;

constexpr CharacterType CompanionCharacterType = 4097;
constexpr int CompanionFrameCount = 230;

// The weapons by the shape of their swing, as the attack poses group them.
enum class WeaponGroup { Other, Shortsword, Axe, Spear, Broadsword, Staff, Claw, Katana, Kunai };
WeaponGroup WeaponGroupOf(ItemId weapon);
// The player's attack entry for a weapon: 100 shortswords, 110 axes, 120
// spears, 130 broadswords, the katana and the kunai, 150 staves, else the
// plain attack 20.
AnimationEntry AttackEntryOf(ItemId weapon);

// One record a companion lays: the picture (0 shows nothing) and the
// source centre of the held thing's frame.
struct CompanionCell {
  PictureId Picture;
  int X, Y;
};
// Records from First on, one per cell listed; Size is the cell's width.
struct CompanionLayout {
  AnimationEntry First;
  int Size;
  int Count;
  CompanionCell Cells[4];
};
// What a layer lays for a weapon group (the second layer: the swing's
// trail), and for a bow (the first layer) or its nocked arrow (the second).
const CompanionLayout& CompanionWeaponLayout(WeaponGroup group, bool secondLayer);
const CompanionLayout& CompanionBowLayout(bool secondLayer);

// The bare companion (the factory's type 4097): every record shows nothing.
class CCharacterPlayerChild : public CCharacter {
public:
  CCharacterPlayerChild();
  // The base drawing, but a record of picture 0 shows nothing.
  void Draw() override;
  // 1 in front of the player, -1 behind it, 0 not drawn.
  virtual int GetDrawOffset() const { return 0; }

  CCharacterPlayer* Owner = nullptr;  // not owned

protected:
  // Copies the owner's cell, entry and facing, and lays the records of
  // what it holds now (records of nothing held show nothing).
  void Follow(bool secondLayer);

private:
  // What the records were last laid for.
  bool LaidValid = false;
  const CompanionLayout* LaidWeapon = nullptr;
  const CompanionLayout* LaidHeld = nullptr;
};

// The weapon, or the bow.
class CCharacterPlayerChild1 : public CCharacterPlayerChild {
public:
  void TickAnimation() override { Follow(false); }
  int GetDrawOffset() const override;
};

// The second layer of a swing, or the nocked arrow.
class CCharacterPlayerChild2 : public CCharacterPlayerChild {
public:
  void TickAnimation() override { Follow(true); }
  int GetDrawOffset() const override;
};
