#pragma once
// Melee weapons (category 0, ids 0x000-0x0C2): the kind bases by attack
// shape, and one table row per weapon with its constants.
#include "items/CItem.h"
#include "items/StoneRules.h"
#include "platform/TextTable.h"

class CItemWeapon;
struct WeaponRow;
using WeaponMaker = CItemWeapon* (*)(const WeaponRow& row);

// A value of a weapon's own that adds to the stone rule of its getter or,
// when fixed, takes its place.
struct OwnValue {
  std::int32_t Value = 0;
  bool Fixed = false;
};
constexpr OwnValue Plus(std::int32_t value) { return {value, false}; }
constexpr OwnValue Fixed(std::int32_t value) { return {value, true}; }

// What a few weapons answer of their own.
struct WeaponOwnValues {
  std::int32_t BaseDefence = 0;
  std::int32_t StackLimit = 1;
  OwnValue Poison = {};
  OwnValue Critical = {};
  OwnValue Paralyze = {};
  OwnValue Sleep = {};
  OwnValue DoubleAttack = {};
  OwnValue Unbreakable = {};
  std::int32_t DragonSlayer = 100;  // percent against dragons
  std::int32_t Recoil = 0;          // percent of the damage dealt taken back
  std::int32_t Return = 0;          // chance to come back when thrown
};

struct WeaponRow {
  ItemId Id;
  WeaponMaker Make;  // the class
  TextId Name;
  std::int32_t Attack;
  std::int32_t EnchantSlots;
  std::int32_t UnitPrice;
  std::int32_t IconX, IconY;
  // The description: the attack line ("ATK +%d" with the attack above 10)
  // and a piece after it.
  TextId Line;
  TextId Extra = -1;
  WeaponOwnValues Own = {};
};

// The row of a weapon id; null for ids no weapon has.
const WeaponRow* FindWeaponRow(ItemId id);
// A new weapon of the id, or null.
CItem* CreateWeapon(ItemId id);

// The stone rules of weapons: getters fed by what is fused.
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
  int GetAttack() const override;
  int GetDefence() const override;
  bool IsMagicWeapon() const override;
  int GetHealOnHit() const override;
  int GetDrainPercent() const override;
  int GetSlowChance() const override;
  int GetSleepChance() const override;
  int GetConfusionChance() const override;
  int GetPoisonChance() const override;
  int GetParalyzeChance() const override;
  int GetWeaknessChance() const override;
  int GetTeleportChance() const override;
  int GetFireMagicAttack() const override;
  int GetCriticalChance() const override;
  bool IsSureHit() const override;
  int GetPoisonousFoeDamagePercent() const override;
  int GetDragonSlayerPercent() const override { return Row.Own.DragonSlayer; }
  int GetRecoilPercent() const override { return Row.Own.Recoil; }
  int GetDoubleAttackChance() const override;
  int GetUnbreakableChance() const override;
  int GetReturnChance() const override { return Row.Own.Return; }
  bool RollThrowHit(CCharacter* user, CCharacter* target) override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetTotalPrice() const override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const WeaponRow& Row;

protected:
  int Stones(StoneStat stat) const;
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
  int GetMiningPower() const override { return 1; }
};

class CItemSpear : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindSpear; }
  bool HasReachAttack() const override { return true; }
};

class CItemBroadsword : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindBroadsword; }
  bool HasWideAttack() const override { return true; }
};

class CItemStaff : public CItemWeapon {
public:
  using CItemWeapon::CItemWeapon;
  WeaponKind GetWeaponKind() const override { return WeaponKindStaff; }
  bool IsMagicWeapon() const override { return true; }
  bool HasRangedMagicShot() const override { return true; }
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
