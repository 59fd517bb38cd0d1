// The Ghost's fire, the Vampire's spell, the Spider's web and the Shadow's
// appearing.
#include "monsters/MonstersSkeletonToVampire.h"

#include <algorithm>

#include "app/CGameState.h"
#include "characters/CCharacterEffect.h"
#include "platform/Random.h"

namespace {

constexpr TextId GhostFireText = 663, SpellText = 664, WebText = 659;
constexpr AttackType GhostFireAttack = 6;  // magic and fire
constexpr AttackType SpellAttack = 7;      // magic
// The spell's chance, by grade, to add a status to the damage it did.
constexpr int SpellStatusChance[3] = {20, 30, 40};
constexpr int SpellSlowTurns = 10, SpellParalyzeTurns = 2, SpellWeaknessTurns = 10;
constexpr int WebChance = 30;
constexpr int WebSlowTurns = 10;
constexpr AnimationEntry AppearBeforeAttack = 29, AppearWhenHurt = 79;
constexpr int AppearStep = 32;

bool InRange(AnimationEntry entry, AnimationEntry first) { return entry >= first && entry <= first + 9; }

}  // namespace

// ---- Ghost

void CCharacterGhost::OnShoot() { ShowNamedLine(GhostFireText); }

void CCharacterGhost::LaunchShot() { LaunchCast(EffectGhostFire); }

void CCharacterGhost::EndItemShot() {
  if (CCharacter* target = FindCastTarget()) target->TakeHit(GhostFireAttack, CalcMagicDamage(), this);
}

// ---- Vampire

void CCharacterVampire::OnShoot() { ShowNamedLine(SpellText); }

void CCharacterVampire::LaunchShot() { LaunchCast(EffectSpell); }

void CCharacterVampire::EndItemShot() {
  if (CCharacter* target = FindCastTarget()) CastSpell(target);
}

void CCharacterVampire::CastSpell(CCharacter* target) {
  if (!target) return;
  const int taken = target->TakeHit(SpellAttack, CalcMagicDamage(), this);
  if (taken < 1 || target->hp < 1) return;
  const int grade = GetGrade();
  if (grade < 1 || !RandomChance(SpellStatusChance[grade - 1])) return;
  // One pick; a status the target already has is not picked again.
  switch (Random() % 6) {
    case 0:
      if (!target->IsSlow()) target->InflictSlow(SpellSlowTurns);
      break;
    case 1:
      if (!target->IsSleep()) target->InflictSleepRandom();
      break;
    case 2:
      if (!target->IsConfuse()) target->InflictConfuseRandom();
      break;
    case 3:
      if (!target->IsPoison()) target->InflictPoisonRandom();
      break;
    case 4:
      if (!target->IsParalyze()) target->InflictParalyze(SpellParalyzeTurns);
      break;
    default:
      if (!target->IsWeakness()) target->InflictWeakness(SpellWeaknessTurns);
      break;
  }
}

// ---- Spider

bool CCharacterSpider::WantsSpecialAttack() { return RollSpecial(WebChance); }

void CCharacterSpider::OnShoot() { ShowNamedLine(WebText); }

void CCharacterSpider::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  // The web is done, or cut short: it catches whoever stands in front now.
  if (CCharacter* caught = EndsSpecial(entry) ? CharacterInFront() : nullptr) caught->InflictSlow(WebSlowTurns);
  CCharacterEnemy::SetAnimation(entry);
}

// ---- Shadow

void CCharacterShadow::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  const AnimationEntry before = animEntry;
  if (entry == AnimationAttack && IsInvisible()) {
    // It fades in first, holding the turn; the attack follows.
    ClearInvisible();
    alpha = 0;
    GetStateController()->Hold();
    SetAnimation(AppearBeforeAttack);
    return;
  }
  if (entry == AnimationAttack && InRange(before, AnimationAttack)) {
    // Coming from its fade-in, the attack starts as any attack does, with
    // its own hold.
    animEntry = AnimationIdle;
  }
  if (entry == AnimationHurt && IsInvisible()) {
    // The blow wakes it as the hurt pose would, and it fades in before the
    // pose, the turn held until the pose ends.
    ClearInvisible();
    alpha = 0;
    ClearSleep();
    ClearHold();
    ClearDormant();
    GetStateController()->Hold();
    appearingHurt = true;
    SetAnimation(AppearWhenHurt);
    return;
  }
  if (entry == AnimationDying && IsInvisible()) {
    ClearInvisible();
    alpha = 255;
  }
  CCharacterEnemy::SetAnimation(entry);
  if (before == AppearBeforeAttack) GetStateController()->Release();
  if (appearingHurt && InRange(before, AnimationHurt) && !InRange(entry, AnimationHurt)) {
    appearingHurt = false;
    GetStateController()->Release();
  }
}

void CCharacterShadow::TickAnimation() {
  if (animEntry == AppearBeforeAttack || animEntry == AppearWhenHurt) alpha = std::min(alpha + AppearStep, 255);
  CCharacterEnemy::TickAnimation();
}
