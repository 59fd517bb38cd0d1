// The player's stats: its own base values folded together with what it
// wears, one rule per stat. Every worn item is asked in place order 0-36 on
// every call; items in the bag count only while flagged worn. Each step
// truncates as 32-bit arithmetic would, and saturates where it would not fit.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "characters/CCharacterPlayer.h"
#include "items/CItem.h"
#include "platform/Random.h"

namespace {

using ItemValue = int (CItem::*)() const;
using ItemTest = bool (CItem::*)() const;

// How the worn items' answers x fold into the running value v.
enum class StatRule {
  Sum,        // v + x
  CappedSum,  // v + x, at most 100 at the end
  Product,    // x * v / 100: percent factors
  Chance,     // independent chances: the miss 100 - v shrinks by each x
  Maximum,    // the largest x
};

int Saturate(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

template <class Visit>
void ForEachWorn(const CCharacterPlayer& player, Visit visit) {
  for (int slot = 0; slot < player.GetInventoryCapacity(); ++slot) {
    const CItem* item = player.GetItem(slot);
    if (item && item->IsEquipped()) visit(*item);
  }
}

int Fold(const CCharacterPlayer& player, StatRule rule, int start, ItemValue value) {
  std::int64_t v = rule == StatRule::Chance ? 100 - std::int64_t{start} : start;
  ForEachWorn(player, [&](const CItem& item) {
    const std::int64_t x = (item.*value)();
    switch (rule) {
      case StatRule::Sum:
      case StatRule::CappedSum: v = Saturate(v + x); break;
      case StatRule::Product: v = Saturate(x * v / 100); break;
      case StatRule::Chance: v = Saturate((100 - x) * v / 100); break;
      case StatRule::Maximum: v = std::max(v, x); break;
    }
  });
  if (rule == StatRule::Chance) return Saturate(100 - v);
  if (rule == StatRule::CappedSum) return Saturate(std::min<std::int64_t>(v, 100));
  return Saturate(v);
}

bool AnyWorn(const CCharacterPlayer& player, ItemTest test) {
  bool any = false;
  ForEachWorn(player, [&](const CItem& item) { any = any || (item.*test)(); });
  return any;
}

// What a blow, a counter and a shot ask of the items for each timed status;
// no item speaks of DISGUISED.
struct StatusItemValues {
  ItemValue OnHit, Counter, Shot;
};
constexpr StatusItemValues StatusValues[TimedStatusCount] = {
    {&CItem::GetQuickChance, &CItem::GetQuickCounterChance, &CItem::GetShotQuickChance},
    {&CItem::GetSlowChance, &CItem::GetSlowCounterChance, &CItem::GetShotSlowChance},
    {&CItem::GetSleepChance, &CItem::GetSleepCounterChance, &CItem::GetShotSleepChance},
    {&CItem::GetConfusionChance, &CItem::GetConfusionCounterChance, &CItem::GetShotConfusionChance},
    {&CItem::GetPoisonChance, &CItem::GetPoisonCounterChance, &CItem::GetShotPoisonChance},
    {&CItem::GetParalyzeChance, &CItem::GetParalyzeCounterChance, &CItem::GetShotParalyzeChance},
    {&CItem::GetBerserkChance, &CItem::GetBerserkCounterChance, &CItem::GetShotBerserkChance},
    {&CItem::GetInvisibleChance, &CItem::GetInvisibleCounterChance, &CItem::GetShotInvisibleChance},
    {&CItem::GetHoldChance, &CItem::GetHoldCounterChance, &CItem::GetShotHoldChance},
    {&CItem::GetDormantChance, &CItem::GetDormantCounterChance, &CItem::GetShotDormantChance},
    {nullptr, nullptr, nullptr},
    {&CItem::GetStatus11Chance, &CItem::GetStatus11CounterChance, &CItem::GetShotStatus11Chance},
    {&CItem::GetInvincibleChance, &CItem::GetInvincibleCounterChance, &CItem::GetShotInvincibleChance},
    {&CItem::GetStatus13Chance, &CItem::GetStatus13CounterChance, &CItem::GetShotStatus13Chance},
    {&CItem::GetStatus14Chance, &CItem::GetStatus14CounterChance, &CItem::GetShotStatus14Chance},
    {&CItem::GetWeaknessChance, &CItem::GetWeaknessCounterChance, &CItem::GetShotWeaknessChance},
};

int SumOfStatus(const CCharacterPlayer& player, StatusKind kind, ItemValue StatusItemValues::*family) {
  const ItemValue value = StatusValues[static_cast<int>(kind)].*family;
  return value ? Fold(player, StatRule::Sum, 0, value) : 0;
}

// A power: the main stat (doubled while its boost runs), half of the other
// stat's points above 10, then every worn item's percent, in floating point
// and truncated once at the end.
int Power(const CCharacterPlayer& player, int main, bool boosted, int other, ItemValue percent) {
  double p = boosted ? 2.0 * main : main;
  if (other > 10) p += (other - 10) * 0.5;
  ForEachWorn(player, [&](const CItem& item) { p = (item.*percent)() * p / 100; });
  return static_cast<int>(std::clamp<double>(p, INT_MIN, INT_MAX));
}

int ByLevel(int power, int level) { return Saturate(std::int64_t{power} * (2 * std::int64_t{level} + 6) / 10); }

int Damage(int weaponAttack, int attack) { return Saturate(((std::int64_t{weaponAttack} + 10) * attack + 5) / 10); }

// The positive parts of (x - 10) over the worn items.
int AboveTen(const CCharacterPlayer& player, ItemValue value) {
  std::int64_t sum = 0;
  ForEachWorn(player, [&](const CItem& item) { sum += std::max(0, (item.*value)() - 10); });
  return Saturate(sum);
}

}  // namespace

// ---- Core values

int CCharacterPlayer::GetMaxHP() const { return Fold(*this, StatRule::Product, maxHpX100 / 100, &CItem::GetMaxHpPercent); }
int CCharacterPlayer::GetStr() const { return Fold(*this, StatRule::Sum, strength, &CItem::GetStrengthBonus); }
int CCharacterPlayer::GetDex() const { return Fold(*this, StatRule::Sum, dexterity, &CItem::GetDexterityBonus); }
int CCharacterPlayer::GetInt() const { return Fold(*this, StatRule::Sum, intelligence, &CItem::GetIntelligenceBonus); }
int CCharacterPlayer::GetEvasion() const { return Fold(*this, StatRule::Chance, evasion, &CItem::GetEvasion); }
int CCharacterPlayer::GetGuardChance() const { return Fold(*this, StatRule::Chance, 0, &CItem::GetGuardChance); }
int CCharacterPlayer::GetMagicDamageCut() const { return Fold(*this, StatRule::CappedSum, 0, &CItem::GetMagicDamageCut); }
int CCharacterPlayer::GetFireDamageCut() const { return Fold(*this, StatRule::CappedSum, 0, &CItem::GetFireDamageCut); }
int CCharacterPlayer::GetTrapAvoidChance() const { return Fold(*this, StatRule::Chance, 30, &CItem::GetTrapAvoidChance); }
int CCharacterPlayer::GetHpRegenRate() const { return Fold(*this, StatRule::Product, 100, &CItem::GetRegenerationPercent); }
int CCharacterPlayer::GetHungerRate() const { return Fold(*this, StatRule::Product, 100, &CItem::GetHungerRatePercent); }
bool CCharacterPlayer::HasTelepathy() const { return AnyWorn(*this, &CItem::HasTelepathy); }
int CCharacterPlayer::GetMiningPower() const { return Fold(*this, StatRule::Sum, 1, &CItem::GetMiningPower); }

// ---- Powers, attacks and damage

int CCharacterPlayer::GetMeleePower() const {
  return Power(*this, GetStr(), IsStrUp(), GetDex(), &CItem::GetMeleeAttackPercent);
}
int CCharacterPlayer::GetShotPower() const {
  return Power(*this, GetDex(), IsDexUp(), GetStr(), &CItem::GetShotAttackPercent);
}
int CCharacterPlayer::GetMagicPower() const { return Power(*this, GetInt(), IsIntUp(), 0, &CItem::GetMagicAttackPercent); }
int CCharacterPlayer::GetMeleeAttack() const { return ByLevel(GetMeleePower(), level); }
int CCharacterPlayer::GetShotAttack() const { return ByLevel(GetShotPower(), level); }
int CCharacterPlayer::GetMagicAttack() const { return ByLevel(GetMagicPower(), level); }
int CCharacterPlayer::GetWeaponAttack() const { return AboveTen(*this, &CItem::GetAttack); }
int CCharacterPlayer::GetBowAttack() const { return AboveTen(*this, &CItem::GetShotPower); }
int CCharacterPlayer::GetDefense() const { return std::max(0, Fold(*this, StatRule::Sum, 0, &CItem::GetDefence)); }

int CCharacterPlayer::GetMeleeDamage() const {
  const CItem* weapon = GetItem(WeaponSlot);
  if (weapon && weapon->IsMagicWeapon()) {
    const int d = GetMagicDamage();
    return weapon->GetWeaponKind() == WeaponKindStaff ? Saturate(std::int64_t{d} * 2 / 3) : d;
  }
  return Damage(GetWeaponAttack(), GetMeleeAttack());
}

int CCharacterPlayer::GetShotDamage() const {
  const CItem* bow = GetItem(BowSlot);
  return Damage(GetBowAttack(), bow && bow->IsMagicWeapon() ? GetMagicAttack() : GetShotAttack());
}

int CCharacterPlayer::GetMagicDamage() const { return Damage(GetWeaponAttack(), GetMagicAttack()); }

// ---- Resistances: RESISTANCE makes every one 100 before the items speak.

int CCharacterPlayer::GetStatusResistance() const {
  return Fold(*this, StatRule::Chance, IsResistance() ? 100 : 0, &CItem::GetStatusResistance);
}
int CCharacterPlayer::GetSlowResistance() const { return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsSlow); }
int CCharacterPlayer::GetSleepResistance() const { return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsSleep); }
int CCharacterPlayer::GetConfuseResistance() const {
  return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsConfusion);
}
int CCharacterPlayer::GetPoisonResistance() const { return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsPoison); }
int CCharacterPlayer::GetParalyzeResistance() const {
  return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsParalysis);
}
int CCharacterPlayer::GetBerserkResistance() const { return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsBerserk); }
int CCharacterPlayer::GetStatus11Resistance() const {
  return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsStatus11);
}
int CCharacterPlayer::GetWeaknessResistance() const {
  return Fold(*this, StatRule::Chance, GetStatusResistance(), &CItem::PreventsWeakness);
}

// ---- Weapon shapes and equipment tests

bool CCharacterPlayer::HasSpearAttack() const { return AnyWorn(*this, &CItem::HasReachAttack); }
bool CCharacterPlayer::HasBroadswordAttack() const { return AnyWorn(*this, &CItem::HasWideAttack); }
bool CCharacterPlayer::HasStaffAttack() const { return AnyWorn(*this, &CItem::HasRangedMagicShot); }

namespace {

CItem* FirstWornOf(const CCharacterPlayer& player, ItemCategory category) {
  for (int slot = 0; slot < player.GetInventoryCapacity(); ++slot) {
    CItem* item = player.GetItem(slot);
    if (item && item->IsEquipped() && item->GetCategory() == category) return item;
  }
  return nullptr;
}

}  // namespace

bool CCharacterPlayer::UnequipWeapon() {
  CItem* weapon = FirstWornOf(*this, ItemCategoryWeapon);
  if (weapon) weapon->SetEquipped(false);
  return weapon != nullptr;
}

bool CCharacterPlayer::UnequipBodyArmor() {
  CItem* armour = FirstWornOf(*this, ItemCategoryBodyArmour);
  if (armour) armour->SetEquipped(false);
  return armour != nullptr;
}

bool CCharacterPlayer::HasWeaponEquipped() const { return FirstWornOf(*this, ItemCategoryWeapon) != nullptr; }
bool CCharacterPlayer::HasBodyArmorEquipped() const { return FirstWornOf(*this, ItemCategoryBodyArmour) != nullptr; }

// ---- A blow

int CCharacterPlayer::GetHealOnHit() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetHealOnHit); }
int CCharacterPlayer::GetDrainPercent() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetDrainPercent); }
int CCharacterPlayer::GetDrainPercentExtra() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetRecoilPercent); }
int CCharacterPlayer::GetOnHitTeleportChance() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetTeleportChance); }
int CCharacterPlayer::GetFireMagicAttack() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetFireMagicAttack); }
// The character's own critical chance and sure-hit flag are not the player's.
int CCharacterPlayer::GetCriticalChance() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetCriticalChance); }
bool CCharacterPlayer::HasSureHit() const { return AnyWorn(*this, &CItem::IsSureHit); }
int CCharacterPlayer::GetDoubleAttackChance() const {
  return Fold(*this, StatRule::Sum, IsDoubleAttack() ? 100 : 0, &CItem::GetDoubleAttackChance);
}
int CCharacterPlayer::GetDamagePercentVsPoisonous() const {
  return Fold(*this, StatRule::Product, 100, &CItem::GetPoisonousFoeDamagePercent);
}
int CCharacterPlayer::GetDamagePercentVsDragon() const {
  return Fold(*this, StatRule::Product, 100, &CItem::GetDragonSlayerPercent);
}

int CCharacterPlayer::RollDamage(int base) const {
  const std::int64_t power = GetMagicPower();
  const std::int64_t spread = 80 + Random() % 41;
  const std::int64_t byLevel = std::int64_t{level} * base / 4 / 5;
  return Saturate(power * spread * (base + byLevel) / 10 / 100);
}

// ---- When hit

int CCharacterPlayer::GetCounterDamagePercent() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetCounterDamagePercent); }
int CCharacterPlayer::GetHealWhenHitFlat() const { return Fold(*this, StatRule::Maximum, 0, &CItem::GetHealWhenHit); }
int CCharacterPlayer::GetHealWhenHitPercent() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetHealWhenHitPercent); }
int CCharacterPlayer::GetCounterTeleportChance() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetTeleportCounterChance); }
int CCharacterPlayer::RollCounterSleep() const { return RandomChance(GetCounterSleepChance()) ? -1 : 0; }

// ---- The status chances of a blow, a counter and a shot

#define VORLUMEN_DEFINE_PLAYER_STATUS_CHANCES(Name, Base, Range)                                     \
  int CCharacterPlayer::GetOnHit##Name##Chance() const {                                             \
    return SumOfStatus(*this, StatusKind::Name, &StatusItemValues::OnHit);                           \
  }                                                                                                  \
  int CCharacterPlayer::GetCounter##Name##Chance() const {                                           \
    return SumOfStatus(*this, StatusKind::Name, &StatusItemValues::Counter);                         \
  }                                                                                                  \
  int CCharacterPlayer::GetMissile##Name##Chance() const {                                           \
    return SumOfStatus(*this, StatusKind::Name, &StatusItemValues::Shot);                            \
  }
VORLUMEN_TIMED_STATUSES(VORLUMEN_DEFINE_PLAYER_STATUS_CHANCES)
#undef VORLUMEN_DEFINE_PLAYER_STATUS_CHANCES

// ---- Shots

int CCharacterPlayer::GetMissileHealOnHit() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetShotHealOnHit); }
int CCharacterPlayer::GetMissileDrainPercent() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetShotDrainPercent); }
int CCharacterPlayer::GetShotSelfDamage() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetShotSelfDamage); }
int CCharacterPlayer::GetMissileTeleportChance() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetShotTeleportChance); }

int CCharacterPlayer::AuxMissileValue1() const {
  const int fire = Fold(*this, StatRule::Sum, 0, &CItem::GetShotFireMagicAttack);
  return fire < 1 ? 0 : RollDamage(fire);
}

int CCharacterPlayer::GetShotCriticalChance() const { return Fold(*this, StatRule::Sum, 0, &CItem::GetShotCriticalChance); }
bool CCharacterPlayer::HasShotSureHit() const { return AnyWorn(*this, &CItem::IsShotSureHit); }
int CCharacterPlayer::GetDoubleShotChance() const {
  return Fold(*this, StatRule::Sum, IsDoubleAttack() ? 100 : 0, &CItem::GetShotDoubleAttackChance);
}
int CCharacterPlayer::RollShotCount() const { return RandomChance(GetDoubleShotChance()) ? 2 : 1; }
int CCharacterPlayer::AuxMissileValue4() const {
  return Fold(*this, StatRule::Product, 100, &CItem::GetShotPoisonousFoeDamagePercent);
}
int CCharacterPlayer::GetArrowKeepChance() const { return Fold(*this, StatRule::Chance, 0, &CItem::GetArrowKeepChance); }

int CCharacterPlayer::GetWeaknessDuration() const { return 8 + Random() % 6; }
