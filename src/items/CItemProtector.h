#pragma once
// What is worn in the body, shield and head places (categories 3, 4, 5): one
// base, three family bases that fix the category, and the sub-families that
// share a rule. One table row per kind with its constants.
#include "items/CItem.h"
#include "items/StoneRules.h"
#include "platform/TextTable.h"

class CItemProtector;
struct ProtectorRow;
using ProtectorMaker = CItemProtector* (*)(const ProtectorRow& row);

// Rules a kind follows besides the common protector getters.
using ProtectorRules = std::uint32_t;
constexpr ProtectorRules RulePoisonCounter = 1u << 0;  // the Cobalt kind of a series
constexpr ProtectorRules RuleDemonium = 1u << 1;       // the RuleDemonium kind: attack and shot 5

// What a few kinds answer of their own, each joined to the stone rule of
// its getter.
struct ProtectorOwnValues {
  // A chance of the kind's own that stones can only raise: with the
  // stones' chance s the getter gives 100 - (100 - s) x (100 - own) / 100.
  std::int32_t Evasion = 0;
  std::int32_t Resistance = 0;
  std::int32_t FireCut = 0;  // added to the stones' sum, at most 100
  std::int32_t Counter = 0;  // added to the stones' sum
  std::int32_t Guard = 0;
  // Circlets.
  std::int32_t Strength = 0;
  std::int32_t Dexterity = 0;
  std::int32_t MaxHp = 100;
  bool SureHit = false;  // melee and shots
  bool Telepathy = false;
  std::int32_t Critical = 0;           // melee and shots
  std::int32_t RegenerationTimes = 1;  // multiplies the regeneration percent
};

struct ProtectorRow {
  ItemId Id;
  ProtectorMaker Make;  // the class
  TextId Name;
  std::int32_t Defence;
  std::int32_t EnchantSlots;
  std::int32_t UnitPrice;
  std::int32_t IconX, IconY;
  ProtectorRules Rules;
  // Pieces printed one behind the other, right behind the "DEF +%d" line.
  TextId Description = -1;
  TextId Extra = -1;
  ProtectorOwnValues Own = {};
};

const ProtectorRow* FindProtectorRow(ItemId id);
CItem* CreateProtector(ItemId id);

// The stone rules of everything worn: getters fed by the kind's values, its
// refinement and what is fused.
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
  int GetAttack() const override { return BaseAttack + 10 + StoneAttackBonus(); }
  int GetShotPower() const override { return BaseShotPower + 10 + StoneAttackBonus(); }
  int GetBaseDefence() const override { return BaseDefence + Refinement; }
  int GetDefence() const override;
  int GetEvasion() const override;
  int GetGuardChance() const override { return Row.Own.Guard; }
  int GetMagicDamageCut() const override;
  int GetFireDamageCut() const override;
  int GetTrapAvoidChance() const override;
  int GetStatusResistance() const override;
  int PreventsSlow() const override;
  int PreventsSleep() const override;
  int PreventsConfusion() const override;
  int PreventsPoison() const override;
  int PreventsParalysis() const override;
  int PreventsBerserk() const override;
  int PreventsStatus11() const override;
  int PreventsWeakness() const override;
  int GetRegenerationPercent() const override;
  int GetCounterDamagePercent() const override;
  int GetHealWhenHit() const override;
  int GetPoisonCounterChance() const override;
  void ApplyHit(CCharacter* user, CCharacter* target) override;
  int GetTotalPrice() const override;
  int GetUnitPrice() const override { return Row.UnitPrice; }

  const ProtectorRow& Row;

private:
  int Stones(StoneStat stat) const;
  // What a philosopher's stone or dark matter, whichever comes first, adds
  // to attack and shot power.
  int StoneAttackBonus() const;
};

// Whether the player's inventory place holds a magic weapon; false when
// there is no player.
bool PlayerHoldsMagicIn(int place);

// Shot +1: what the cloaks, gloves and hunting caps add to the shot.
template <class Family>
class ShotPlusOne : public Family {
public:
  using Family::Family;
  int GetShotPower() const override { return Family::GetShotPower() + 1; }
};

// Magic +1: robes, bracelets and hats add 1 to attack while the player's
// weapon place holds a magic weapon, and 1 to the shot while its bow place
// does; nothing outside a run, when there is no player.
template <class Family>
class MagicPlusOne : public Family {
public:
  using Family::Family;
  int GetAttack() const override { return Family::GetAttack() + (PlayerHoldsMagicIn(WeaponPlace) ? 1 : 0); }
  int GetShotPower() const override { return Family::GetShotPower() + (PlayerHoldsMagicIn(BowPlace) ? 1 : 0); }

private:
  static constexpr int WeaponPlace = 0;
  static constexpr int BowPlace = 1;
};

// Body place.
class CItemArmor : public CItemProtector {
public:
  explicit CItemArmor(const ProtectorRow& row) : CItemProtector(row, ItemCategoryBodyArmour) {}
};

class CItemCloakBase : public ShotPlusOne<CItemArmor> {
public:
  using ShotPlusOne::ShotPlusOne;
};

class CItemRobeBase : public MagicPlusOne<CItemArmor> {
public:
  using MagicPlusOne::MagicPlusOne;
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

class CItemGloveBase : public ShotPlusOne<CItemShield> {
public:
  using ShotPlusOne::ShotPlusOne;
};

class CItemBraceletBase : public MagicPlusOne<CItemShield> {
public:
  using MagicPlusOne::MagicPlusOne;
};

// Head place.
class CItemHelmet : public CItemProtector {
public:
  explicit CItemHelmet(const ProtectorRow& row) : CItemProtector(row, ItemCategoryHeadGear) {}
};

class CItemHuntingCapBase : public ShotPlusOne<CItemHelmet> {
public:
  using ShotPlusOne::ShotPlusOne;
};

class CItemHatBase : public MagicPlusOne<CItemHelmet> {
public:
  using MagicPlusOne::MagicPlusOne;
};

// The plain circlet and the base of the eleven named ones: INT +2 each, and
// what the named ones add.
class CItemCirclet : public CItemHelmet {
public:
  using CItemHelmet::CItemHelmet;
  int GetStrengthBonus() const override { return Row.Own.Strength; }
  int GetDexterityBonus() const override { return Row.Own.Dexterity; }
  int GetIntelligenceBonus() const override { return 2; }
  int GetMaxHpPercent() const override { return Row.Own.MaxHp; }
  bool HasTelepathy() const override { return Row.Own.Telepathy; }
  int GetRegenerationPercent() const override {
    return CItemHelmet::GetRegenerationPercent() * Row.Own.RegenerationTimes;
  }
  int GetCriticalChance() const override { return Row.Own.Critical; }
  bool IsSureHit() const override { return Row.Own.SureHit; }
  int GetShotCriticalChance() const override { return Row.Own.Critical; }
  bool IsShotSureHit() const override { return Row.Own.SureHit; }
};
