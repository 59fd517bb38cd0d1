#pragma once
// Melee weapons (category 0, ids 0x000-0x0C2): the kind bases by attack
// shape, and one table row per weapon with its constants.
#include "items/CItem.h"
#include "platform/TextTable.h"

class CItemWeapon;
struct WeaponRow;
using WeaponMaker = CItemWeapon* (*)(const WeaponRow& row);

struct WeaponRow {
  ItemId Id;
  WeaponMaker Make;  // the class
  TextId Name;
  std::int32_t Attack;
  std::int32_t EnchantSlots;
  std::int32_t IconX, IconY;
  // The description: the attack line ("ATK +%d" with the attack above 10)
  // and a piece after it.
  TextId Line;
  TextId Extra = -1;
  // Own values.
  std::int32_t BaseDefence = 0;
  std::int32_t StackLimit = 1;
  std::int32_t Poison = 0;  // a fixed on-hit poison chance
};

// The row of a weapon id; null for ids no weapon has.
const WeaponRow* FindWeaponRow(ItemId id);
// A new weapon of the id, or null.
CItem* CreateWeapon(ItemId id);

class CItemWeapon : public CItem {
public:
  explicit CItemWeapon(const WeaponRow& row);

  CItem* Clone() const override;
  bool IsEquipment() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  int GetBaseAttack() const override { return BaseAttack + Refinement; }
  int GetPoisonChance() const override { return Row.Poison; }

  const WeaponRow& Row;
};

class CItemShortsword : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindShortsword; }
};

class CItemAxe : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindAxe; }
};

class CItemSpear : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindSpear; }
};

class CItemBroadsword : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindBroadsword; }
};

class CItemStaff : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindStaff; }
};

class CItemBeastClaw : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
};

class CItemKatanaOfShinobi : public CItemShortsword {
public:
  using CItemShortsword::CItemShortsword;
};

// The katana with one enchant slot.
class CItemKatanaOfShinobiPlus : public CItemKatanaOfShinobi {
public:
  using CItemKatanaOfShinobi::CItemKatanaOfShinobi;
};

class CItemKunai : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
};

// The kunai with one enchant slot.
class CItemKunaiPlus : public CItemKunai {
public:
  using CItemKunai::CItemKunai;
};
