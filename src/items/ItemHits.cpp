// The hits of thrown and shot items. Integer arithmetic throughout, in 64
// bits, truncating as C does; every product is taken before its division.
#include "items/ItemHits.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "characters/CCharacter.h"
#include "items/ItemEffects.h"
#include "platform/CEffect.h"
#include "platform/Random.h"

namespace {

constexpr AttackType ThrownAttack = 1;
constexpr SoundEffectId CriticalSound = 1;

int ToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

// 80 + rand() % 40.
std::int64_t Spread() { return 80 + Random() % 40; }

// ((a x m + 5) / 10 x 100) / (80 + r40): an attack times a multiplier in tenths.
std::int64_t TenthsDamage(std::int64_t attack, std::int64_t multiplier) {
  return (attack * multiplier + 5) / 10 * 100 / Spread();
}

// The critical of a throw or a shot: double damage, a white flash, the
// line and the sound.
void StrikeCritically(std::int64_t& damage, CCharacter& user) {
  damage *= 2;
  GetScreenEffect()->StartFlash(255, 255, 255, 255, 255, 0, 24);
  user.OnCritical();
  PlayItemSound(CriticalSound);
}

// The plain hit once its base is known: off the target's HP, past its
// defence points, with no guard and no resistance.
void StrikePlainly(std::int64_t base, CCharacter& target, bool reportDamage) {
  std::int64_t x = base * 100 / Spread() * 10;
  // Each point of defence takes a thirteenth; nothing changes once it is 0.
  for (int point = 0; point < target.defence && x > 0; ++point) x = x * 12 / 13;
  // A negative attack never heals.
  const int damage = ToInt(std::max<std::int64_t>(x / 10, 0));
  target.hp = ToInt(std::int64_t{target.hp} - damage);
  target.SpawnEffect(damage);
  if (reportDamage) target.OnDamaged(damage);
  if (target.hp > 0) {
    target.SetAnimation(AnimationHurt);
  } else {
    target.hp = 0;
    target.SetAnimation(AnimationDying);
  }
}

// The user's HP after a hit that heals (h > 0) or hurts it (h < 0); the
// hurt never takes its last hit point.
void SettleWithUser(CCharacter& user, std::int64_t h) {
  if (h > 0) {
    HealBy(user, ToInt(h));
    user.SpawnHealNumber(ToInt(h));
  } else if (h < 0 && user.hp > 1) {
    const int loss = ToInt(std::min<std::int64_t>(-h, std::int64_t{user.hp} - 1));
    user.hp -= loss;
    user.SpawnEffect(loss);
  }
}

// One row per queued status (kinds 0-9 and 11-15): the thrower's and the
// weapon's on-hit chances and the target's default duration.
struct WeaponStatusRule {
  int (CCharacter::*UserChance)() const;
  int (CItem::*WeaponChance)() const;
  int (CCharacter::*Duration)() const;
};
constexpr WeaponStatusRule WeaponStatusRules[QueuedStatusCount] = {
    {&CCharacter::GetOnHitQuickChance, &CItem::GetQuickChance, &CCharacter::GetQuickDuration},
    {&CCharacter::GetOnHitSlowChance, &CItem::GetSlowChance, &CCharacter::GetSlowDuration},
    {&CCharacter::GetOnHitSleepChance, &CItem::GetSleepChance, &CCharacter::GetSleepDuration},
    {&CCharacter::GetOnHitConfuseChance, &CItem::GetConfusionChance, &CCharacter::GetConfuseDuration},
    {&CCharacter::GetOnHitPoisonChance, &CItem::GetPoisonChance, &CCharacter::GetPoisonDuration},
    {&CCharacter::GetOnHitParalyzeChance, &CItem::GetParalyzeChance, &CCharacter::GetParalyzeDuration},
    {&CCharacter::GetOnHitBerserkChance, &CItem::GetBerserkChance, &CCharacter::GetBerserkDuration},
    {&CCharacter::GetOnHitInvisibleChance, &CItem::GetInvisibleChance, &CCharacter::GetInvisibleDuration},
    {&CCharacter::GetOnHitHoldChance, &CItem::GetHoldChance, &CCharacter::GetHoldDuration},
    {&CCharacter::GetOnHitDormantChance, &CItem::GetDormantChance, &CCharacter::GetDormantDuration},
    {&CCharacter::GetOnHitStatus11Chance, &CItem::GetStatus11Chance, &CCharacter::GetStatus11Duration},
    {&CCharacter::GetOnHitInvincibleChance, &CItem::GetInvincibleChance, &CCharacter::GetInvincibleDuration},
    {&CCharacter::GetOnHitStatus13Chance, &CItem::GetStatus13Chance, &CCharacter::GetStatus13Duration},
    {&CCharacter::GetOnHitStatus14Chance, &CItem::GetStatus14Chance, &CCharacter::GetStatus14Duration},
    {&CCharacter::GetOnHitWeaknessChance, &CItem::GetWeaknessChance, &CCharacter::GetWeaknessDuration},
};
constexpr int SleepSlot = 2;

// The shooter's missile rolls in the same order.
constexpr int (CCharacter::*MissileRolls[QueuedStatusCount])() const = {
    &CCharacter::RollMissileQuick,     &CCharacter::RollMissileSlow,       &CCharacter::RollMissileSleep,
    &CCharacter::RollMissileConfuse,   &CCharacter::RollMissilePoison,     &CCharacter::RollMissileParalyze,
    &CCharacter::RollMissileBerserk,   &CCharacter::RollMissileInvisible,  &CCharacter::RollMissileHold,
    &CCharacter::RollMissileDormant,   &CCharacter::RollMissileStatus11,   &CCharacter::RollMissileInvincible,
    &CCharacter::RollMissileStatus13,  &CCharacter::RollMissileStatus14,   &CCharacter::RollMissileWeakness,
};

}  // namespace

void ApplyPlainThrownHit(CCharacter* user, CCharacter* target, bool reportDamage) {
  if (!user || !target) return;
  target->lastAttacker = user;
  StrikePlainly((std::int64_t{user->GetMeleeAttack()} * 10 + 5) / 10, *target, reportDamage);
}

void ApplyThrownBowHit(const CItem& bow, CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  target->lastAttacker = user;
  StrikePlainly((std::int64_t{user->GetMeleeAttack()} * bow.GetBaseAttack() + 5) / 10, *target, true);
}

void ApplyThrownProtectorHit(const CItem& protector, CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  const std::int64_t damage = TenthsDamage(user->GetMeleeAttack(), protector.GetBaseDefence());
  target->TakeHit(ThrownAttack, ToInt(std::max<std::int64_t>(damage, 0)), user);
}

void ApplyThrownAccessoryHit(CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  const std::int64_t damage = TenthsDamage(user->GetMeleeAttack(), 10);
  target->TakeHit(ThrownAttack, ToInt(std::max<std::int64_t>(damage, 0)), user);
}

bool RollThrownWeaponHit(const CItem& weapon, CCharacter* user, CCharacter* target) {
  if (!target) return false;
  return weapon.IsSureHit() || target->RollHit(ThrownAttack, user);
}

void ApplyThrownWeaponHit(const CItem& weapon, CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  // The worn weapon counts through the thrown one's own values only, not
  // among the thrower's bonuses; its flag is put back as it was.
  CItem* worn = user->GetItem(0);
  const bool wornFlag = worn && worn->IsEquipped();
  if (worn) worn->SetEquipped(false);

  std::int64_t damage = TenthsDamage(user->GetMeleeAttack(), std::int64_t{weapon.GetAttack()} + user->GetWeaponAttack());
  const int critical = weapon.GetCriticalChance() + user->GetCriticalChance();
  if (target->IsPoisonous()) damage = weapon.GetPoisonousFoeDamagePercent() * damage / 100;
  if (target->IsDragon()) damage = weapon.GetDragonSlayerPercent() * damage / 100;
  const bool strong = RandomChance(critical);
  if (strong) StrikeCritically(damage, *user);
  if (user->IsWeakness()) damage /= 2;
  const int dealt = target->ReceiveAttack(ThrownAttack, strong, ToInt(std::max<std::int64_t>(damage, 0)), user);

  // Every status is rolled; each success overwrites its own request.
  for (int slot = 0; slot < QueuedStatusCount; ++slot) {
    const WeaponStatusRule& rule = WeaponStatusRules[slot];
    if (!RandomChance((user->*rule.UserChance)() + (weapon.*rule.WeaponChance)())) continue;
    target->pendingStatus[slot] = slot == SleepSlot ? -1 : (target->*rule.Duration)();
  }
  if (RandomChance(user->GetOnHitTeleportChance() + weapon.GetTeleportChance())) target->pendingTeleport = 1;
  if (const int fire = user->RollDamage(user->GetFireMagicAttack() + weapon.GetFireMagicAttack()); fire > 0)
    target->pendingFireDamage = fire;
  // Only the weapon's own heal and drain.
  const std::int64_t heal = weapon.GetHealOnHit() + (std::int64_t{weapon.GetDrainPercent()} * dealt + 99) / 100;
  if (heal > 0) SettleWithUser(*user, heal);

  if (worn) worn->SetEquipped(wornFlag);
}

bool RollArrowHit(const CItem& arrow, CCharacter* user, CCharacter* target) {
  if (!target) return false;
  if ((user && user->HasShotSureHit()) || arrow.IsShotSureHit() || arrow.IsSureHit()) return true;
  return target->RollHit(ThrownAttack, user);
}

void ApplyArrowHit(CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  std::int64_t damage = Spread() * user->GetShotDamage() / 100;
  if (target->IsPoisonous()) damage = std::int64_t{user->AuxMissileValue4()} * damage / 100;
  const bool strong = RandomChance(user->GetShotCriticalChance());
  if (strong) StrikeCritically(damage, *user);
  if (user->IsWeakness()) damage /= 2;
  const int dealt = target->ReceiveAttack(ThrownAttack, strong, ToInt(std::max<std::int64_t>(damage, 0)), user);

  if (dealt > 0) {
    for (int slot = 0; slot < QueuedStatusCount; ++slot)
      if (const int turns = (user->*MissileRolls[slot])()) target->pendingStatus[slot] = turns;
    if (user->RollMissileTeleport()) target->pendingTeleport = 1;
    if (const int fire = user->RollAuxMissileValue1(); fire > 0) target->pendingFireDamage = fire;
  }
  const std::int64_t heal = user->RollMissileHealOnHit();
  const std::int64_t drain = (std::int64_t{user->RollMissileDrainPercent()} * dealt + 99) / 100;
  // What the shooter pays back never heals it.
  const std::int64_t self = std::max<std::int64_t>((std::int64_t{user->RollShotSelfDamage()} * dealt + 99) / 100, 0);
  SettleWithUser(*user, heal + drain - self);
}
