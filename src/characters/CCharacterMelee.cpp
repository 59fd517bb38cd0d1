// The melee exchange shared by the player and every monster: who a blow
// reaches, the blow itself, how the struck character takes it, what falls
// back on the attacker when the hurt pose ends, and the victor's
// experience. Every product of damage and a percent is taken in 64 bits.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/TextTable.h"

namespace {

constexpr TextId GuardText = 602;
constexpr SoundEffectId CriticalSound = 1;
constexpr SoundEffectId TeleportSound = 32;
constexpr SoundEffectId GuardSound = 73;
constexpr AttackType CounterDamage = 3;
// More than any weapon shape reaches; a class that answers more targets
// strikes the first ones.
constexpr int MaxMeleeTargets = 8;

int ToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

bool IsPhysical(AttackType type) { return type == 0 || type == 1 || type == 2 || type == 12; }

// The broadsword's three cells for each facing, swept in this order.
struct Sweep {
  Direction Facing;
  Direction Cells[3];
};
constexpr Sweep BroadswordSweeps[] = {
    {DirectionDown, {DirectionDownRight, DirectionDown, DirectionDownLeft}},
    {DirectionDownRight, {DirectionRight, DirectionDownRight, DirectionDown}},
    {DirectionRight, {DirectionUpRight, DirectionRight, DirectionDownRight}},
    {DirectionUpRight, {DirectionUp, DirectionUpRight, DirectionRight}},
    {DirectionUp, {DirectionUpLeft, DirectionUp, DirectionUpRight}},
    {DirectionUpLeft, {DirectionLeft, DirectionUpLeft, DirectionUp}},
    {DirectionLeft, {DirectionDownLeft, DirectionLeft, DirectionUpLeft}},
    {DirectionDownLeft, {DirectionDown, DirectionDownLeft, DirectionLeft}},
};

// A defender guards only a blow it faces: for each attacker's facing, the
// three facings of a defender turned toward it.
struct GuardRow {
  Direction Attacker;
  Direction Defender[3];
};
constexpr GuardRow GuardFacings[] = {
    {DirectionDown, {DirectionUpLeft, DirectionUp, DirectionUpRight}},
    {DirectionDownLeft, {DirectionUp, DirectionUpRight, DirectionRight}},
    {DirectionLeft, {DirectionUpRight, DirectionRight, DirectionDownRight}},
    {DirectionUpLeft, {DirectionRight, DirectionDownRight, DirectionDown}},
    {DirectionUp, {DirectionDownRight, DirectionDown, DirectionDownLeft}},
    {DirectionUpRight, {DirectionDown, DirectionDownLeft, DirectionLeft}},
    {DirectionRight, {DirectionDownLeft, DirectionLeft, DirectionUpLeft}},
    {DirectionDownRight, {DirectionLeft, DirectionUpLeft, DirectionUp}},
};

bool FacesBlow(Direction attacker, Direction defender) {
  for (const GuardRow& row : GuardFacings)
    if (row.Attacker == attacker) return std::find(std::begin(row.Defender), std::end(row.Defender), defender) != std::end(row.Defender);
  return false;
}

void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

}  // namespace

// ---- Targets

CCharacter* CCharacter::GetMeleeTarget(int n) {
  const CStageData* stage = GetGameMain()->CurrentStage;
  const int dx = GetFacingDx(), dy = GetFacingDy();
  // Facing nowhere reaches nobody (not even itself).
  if (!stage || n < 0 || (dx == 0 && dy == 0)) return nullptr;
  // A cell counts when the blow may reach it and someone living stands there.
  auto target = [&](int toX, int toY, int mode) -> CCharacter* {
    if (!stage->CanAttack(x, y, toX, toY, mode)) return nullptr;
    CCharacter* standing = stage->GetCharacterAt(toX, toY);
    return standing && standing != this && standing->hp != 0 ? standing : nullptr;
  };
  if (HasSpearAttack() || HasBroadswordAttack()) {
    int cells[3][2] = {{x + dx, y + dy}, {x + 2 * dx, y + 2 * dy}, {0, 0}};
    int count = 2;
    if (!HasSpearAttack()) {
      const Sweep* sweep = std::find_if(std::begin(BroadswordSweeps), std::end(BroadswordSweeps),
                                        [this](const Sweep& s) { return s.Facing == direction; });
      if (sweep == std::end(BroadswordSweeps)) return nullptr;
      for (int i = 0; i < 3; ++i) {
        cells[i][0] = x + DirectionDx(sweep->Cells[i]);
        cells[i][1] = y + DirectionDy(sweep->Cells[i]);
      }
      count = 3;
    }
    int found = 0;
    for (int i = 0; i < count; ++i)
      if (CCharacter* hit = target(cells[i][0], cells[i][1], 1); hit && found++ == n) return hit;
    return nullptr;
  }
  if (n != 0) return nullptr;
  if (HasStaffAttack()) {
    // Along the facing line to the first wall or the map's edge.
    for (int cx = x + dx, cy = y + dy; !stage->IsOutOfMap(cx, cy) && !stage->IsWall(cx, cy); cx += dx, cy += dy)
      if (CCharacter* hit = target(cx, cy, 1)) return hit;
    return nullptr;
  }
  return target(x + dx, y + dy, meleeReach);
}

// ---- The blow

bool CCharacter::PerformMeleeAttack() {
  CCharacter* targets[MaxMeleeTargets];
  int targetCount = 0;
  while (targetCount < MaxMeleeTargets) {
    CCharacter* target = GetMeleeTarget(targetCount);
    if (!target) break;
    targets[targetCount++] = target;
  }

  bool hit = false;
  std::int64_t total = 0;
  for (int i = 0; i < targetCount; ++i) {
    CCharacter* target = targets[i];
    // Draws, in this order: the spread, the hit roll, the critical, the
    // target's guard, then every on-hit roll.
    std::int64_t damage = std::int64_t{GetMeleeDamage()} * (80 + Random() % 40) / 100;
    if (!target->RollHit(meleeAttackType, this)) {
      target->ShowMissEffect();
      target->OnMiss();
      GetStateController()->Hold();
      GetStateController()->Release();
      continue;
    }
    if (target->IsPoisonous()) damage = GetDamagePercentVsPoisonous() * damage / 100;
    if (target->IsDragon()) damage = GetDamagePercentVsDragon() * damage / 100;
    bool strong = false;
    if (RandomChance(GetCriticalChance())) {
      damage *= 2;
      strong = true;
      GetScreenEffect()->StartFlash(255, 255, 255, 255, 255, 0, 24);
      OnCritical();
      PlaySe(CriticalSound);
    }
    if (IsWeakness()) damage /= 2;
    const int taken = target->ReceiveAttack(meleeAttackType, strong, ToInt(damage), this);
    hit = true;
    if (taken <= 0) continue;
    total += taken;
    // Queued on the target for the end of its hurt pose; only what succeeds
    // is written, so an earlier request stays unless replaced.
    for (int slot = 0; slot < QueuedStatusCount; ++slot)
      if (const int turns = RollOnHitKind(QueuedStatusKind(slot))) target->pendingStatus[slot] = turns;
    if (RollOnHitTeleport()) target->pendingTeleport = 1;
    if (const int fire = RollOnHitFireDamage(); fire > 0) target->pendingFireDamage = fire;
  }

  if (hit && total > 0) {
    // Heal and drain give, recoil takes; recoil never takes the last hit point.
    const std::int64_t change = std::int64_t{RollHealOnHit()} + (RollDrainPercent() * total + 99) / 100 -
                                (RollDrainPercentExtra() * total + 99) / 100;
    if (change > 0) {
      Heal(change);
      SpawnHealNumber(ToInt(change));
    } else if (change < 0 && hp > 0) {
      const int loss = ToInt(std::min<std::int64_t>(-change, hp - 1));
      hp -= loss;
      SpawnEffect(loss);
    }
  }
  return hit;
}

// ---- Taking a blow

int CCharacter::ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) {
  // The guard draws once for every blow, whether or not it could guard.
  const bool guardRoll = RandomChance(GetGuardChance());
  const bool canGuard = !IsSleep() && !IsParalyze() && !IsHold() && !IsDormant() && !IsDisguise();
  if (guardRoll && !strong && canGuard && IsPhysical(attackType) && attacker &&
      FacesBlow(attacker->direction, direction)) {
    PlaySe(GuardSound);
    OnParry();
    ShowPopup(GetCurrentLanguageText(GuardText));
    SetAnimation(AnimationGuard);
    return 0;
  }

  lastAttacker = attacker;
  const int taken = std::max(CalcDamageTaken(attackType, damage, attacker), 0);
  hp = ToInt(std::int64_t{hp} - taken);
  SpawnEffect(taken);
  OnDamaged(taken);
  damageTaken = ToInt(std::int64_t{damageTaken} + taken);
  lastAttackType = attackType;
  if (taken == 0) return 0;

  const CCharacter* player = GetGameMain()->Player;
  // The attacker's animation stands still a moment after its blow lands
  // (not when it struck itself).
  auto hitStop = [&](int ticks) {
    if (attacker && attacker != this) attacker->holdTicks = ticks;
  };
  CEffect* screen = GetScreenEffect();
  if (hp > 0) {
    SetAnimation(AnimationHurt);
    if (player && (attacker == player || this == player)) {
      if (strong)
        screen->StartShake(10, 10, 2, 2);
      else
        screen->StartShake(10, 2, 10, 10);
      hitStop(strong ? 10 : 1);
    }
  } else {
    hp = 0;
    if (attacker) causeOfDeath = attacker->type;
    OnDefeated();
    SetAnimation(AnimationDying);
    if (strong)
      screen->StartShake(15, 10, 1, 1);
    else
      screen->StartShake(10, 10, 2, 2);
    hitStop(strong ? 15 : 10);
  }
  return taken;
}

void CCharacter::CollectExp(CCharacter* victim) {
  // Nobody learns from its own defeat (a self-inflicted death, then a
  // resurrection, would pay the player its whole total again).
  if (!victim || victim == this || victim->hp != 0) return;
  GainExp(victim->GetExp());
  // A monster pays out once; the player keeps its own total.
  if (victim != GetGameMain()->Player) victim->SetExp(0);
}

void CCharacter::ApplyCounterEffects() {
  std::int64_t heal = 0;
  // Only a plain melee blow (type 0) is answered; counter damage is type 3,
  // so counters never answer each other.
  if (lastAttackType == 0) {
    if (CCharacter* attacker = lastAttacker) {
      if (GetCounterDamagePercent() > 0 && hp > 0)
        attacker->TakeHit(CounterDamage, ToInt((std::int64_t{GetCounterDamagePercent()} * damageTaken + 99) / 100),
                          this);
      for (int slot = 0; slot < QueuedStatusCount; ++slot) {
        const StatusKind kind = QueuedStatusKind(slot);
        if (const int turns = RollCounterKind(kind)) attacker->InflictKind(kind, turns);
      }
      if (RollCounterTeleport()) {
        attacker->TeleportRandom();
        PlaySe(TeleportSound);
      }
    }
    heal = (std::int64_t{GetHealWhenHitPercent()} * damageTaken + 99) / 100;
  }
  heal += GetHealWhenHitFlat();
  if (heal > 0) {
    Heal(heal);
    SpawnHealNumber(ToInt(heal));
  }
  damageTaken = 0;
}

void CCharacter::Heal(std::int64_t amount) {
  if (amount <= 0) return;
  hp = std::max(hp, ToInt(std::min<std::int64_t>(std::int64_t{hp} + amount, GetMaxHP())));
}
