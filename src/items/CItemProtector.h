#pragma once
// What is worn in the body, shield and head places (categories 3, 4, 5): one
// base, three family bases that fix the category, and the sub-families that
// share a rule. One table row per kind with its constants.
#include "items/CItem.h"
#include "platform/TextTable.h"

class CItemProtector;
struct ProtectorRow;
using ProtectorMaker = CItemProtector* (*)(const ProtectorRow& row);

// Rules a kind follows besides the common protector getters.
using ProtectorRules = std::uint32_t;
constexpr ProtectorRules RulePoisonCounter = 1u << 0;  // the Cobalt kind of a series
constexpr ProtectorRules RuleDemonium = 1u << 1;       // the RuleDemonium kind: attack and shot 5

struct ProtectorRow {
  ItemId Id;
  ProtectorMaker Make;  // the class
  TextId Name;
  std::int32_t Defence;
  std::int32_t EnchantSlots;
  std::int32_t IconX, IconY;
  ProtectorRules Rules;
  // Pieces printed one behind the other, right behind the "DEF +%d" line.
  TextId Description = -1;
  TextId Extra = -1;
};

const ProtectorRow* FindProtectorRow(ItemId id);
CItem* CreateProtector(ItemId id);

class CItemProtector : public CItem {
public:
  CItemProtector(const ProtectorRow& row, ItemCategory category);

  CItem* Clone() const override;
  bool IsEquipment() const override { return true; }
  char* GetName(char* buffer, std::size_t size) const override;
  char* GetDisplayName(char* buffer, std::size_t size) const override;
  char* GetNameWithCount(char* buffer, std::size_t size) const override;
  char* GetStatusText(char* buffer, std::size_t size) const override;
  char* GetDescription(char* buffer, std::size_t size) const override;
  int GetBaseDefence() const override { return BaseDefence + Refinement; }
  int GetPoisonCounterChance() const override;

  const ProtectorRow& Row;
};

// Body place.
class CItemArmor : public CItemProtector {
public:
  explicit CItemArmor(const ProtectorRow& row) : CItemProtector(row, ItemCategoryBodyArmour) {}
};

class CItemCloakBase : public CItemArmor {
public:
  using CItemArmor::CItemArmor;
};

class CItemRobeBase : public CItemArmor {
public:
  using CItemArmor::CItemArmor;
};

class CItemClothOfShinobi : public CItemArmor {
public:
  using CItemArmor::CItemArmor;
};

// The clothes with one enchant slot and more defence.
class CItemClothOfShinobiPlus : public CItemClothOfShinobi {
public:
  using CItemClothOfShinobi::CItemClothOfShinobi;
};

class CItemClothOfKunoichi : public CItemArmor {
public:
  using CItemArmor::CItemArmor;
};

class CItemClothOfKunoichiPlus : public CItemClothOfKunoichi {
public:
  using CItemClothOfKunoichi::CItemClothOfKunoichi;
};

// Shield place: shields, gloves, bracelets.
class CItemShield : public CItemProtector {
public:
  explicit CItemShield(const ProtectorRow& row) : CItemProtector(row, ItemCategoryShieldPlace) {}
};

class CItemGloveBase : public CItemShield {
public:
  using CItemShield::CItemShield;
};

class CItemBraceletBase : public CItemShield {
public:
  using CItemShield::CItemShield;
};

// Head place.
class CItemHelmet : public CItemProtector {
public:
  explicit CItemHelmet(const ProtectorRow& row) : CItemProtector(row, ItemCategoryHeadGear) {}
};

class CItemHuntingCapBase : public CItemHelmet {
public:
  using CItemHelmet::CItemHelmet;
};

class CItemHatBase : public CItemHelmet {
public:
  using CItemHelmet::CItemHelmet;
};

// The plain circlet and the base of the eleven named ones.
class CItemCirclet : public CItemHelmet {
public:
  using CItemHelmet::CItemHelmet;
};
