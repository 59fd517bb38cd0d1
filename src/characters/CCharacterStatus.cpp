// Statuses, hit and damage rolls, and the chance families of the character
// base.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "characters/CCharacter.h"
#include "platform/Random.h"
#include "platform/TextTable.h"

namespace {

constexpr TextId NoCaption = -1;
constexpr TextId ResistText = 572;
constexpr TextId DeathText = 586;
constexpr TextId ResistanceText = 589;
constexpr TextId IntUpText = 593;

// What inflicting a timed kind shows and asks: its caption, the resistance
// roll that can refuse it and the battle-log hook.
struct InflictRule {
  TextId Caption;
  bool (CCharacter::*Resist)() const;
  void (CCharacter::*Hook)();
};
constexpr InflictRule InflictRules[TimedStatusCount] = {
    {573, nullptr, &CCharacter::OnQuick},                                // QUICK
    {574, &CCharacter::RollResistSlow, &CCharacter::OnSlow},             // SLOW
    {575, &CCharacter::RollResistSleep, &CCharacter::OnSleep},           // SLEEP
    {576, &CCharacter::RollResistConfuse, &CCharacter::OnConfuse},       // CONFUSE
    {577, &CCharacter::RollResistPoison, &CCharacter::OnPoison},         // POISON
    {578, &CCharacter::RollResistParalyze, &CCharacter::OnParalyze},     // PARALYZE
    {580, &CCharacter::RollResistBerserk, nullptr},                      // BERSERK
    {581, nullptr, nullptr},                                             // INVISIBLE
    {NoCaption, nullptr, nullptr},                                       // HOLD
    {NoCaption, nullptr, nullptr},                                       // DORMANT
    {NoCaption, nullptr, nullptr},                                       // DISGUISED
    {NoCaption, &CCharacter::RollResistStatus11, nullptr},               // status 11
    {579, nullptr, nullptr},                                             // INVINCIBLE
    {NoCaption, nullptr, nullptr},                                       // status 13
    {NoCaption, nullptr, nullptr},                                       // status 14
    {582, &CCharacter::RollResistWeakness, &CCharacter::OnWeaken},       // WEAKNESS
};

// An on-hit or missile PARALYZE asks for this many turns, not the default.
constexpr int ParalyzeStrikeTurns = 2;

int DefaultDuration(int base, int range) { return range > 0 ? base + Random() % range : base; }

int Index(StatusKind kind) { return static_cast<int>(kind); }

int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

}  // namespace

// ---- Counters

// A longer request replaces a shorter one and a request that never expires
// always wins; a shorter or zero request changes nothing.
void CCharacter::SetCounter(StatusKind kind, int turns) {
  std::int32_t& counter = status[Index(kind)];
  if (counter >= 0 && counter < turns)
    counter = turns;
  else if (turns < 0)
    counter = turns;
}

void CCharacter::InflictTimed(StatusKind kind, int turns) {
  const InflictRule& rule = InflictRules[Index(kind)];
  if (rule.Resist && (this->*rule.Resist)()) {
    ShowPopup(GetCurrentLanguageText(ResistText));
    OnResist();
    return;
  }
  if (rule.Caption != NoCaption) ShowPopup(GetCurrentLanguageText(rule.Caption));
  if (rule.Hook) (this->*rule.Hook)();
  if ((kind == StatusKind::Sleep || kind == StatusKind::Paralyze) && hp > 0) SetAnimation(AnimationIdle);
  SetCounter(kind, turns);
}

#define VORLUMEN_DEFINE_TIMED(Name, Base, Range)                                        \
  void CCharacter::Inflict##Name##Random() { Inflict##Name(Get##Name##Duration()); }    \
  void CCharacter::Inflict##Name(int turns) { InflictTimed(StatusKind::Name, turns); }  \
  int CCharacter::Get##Name##Duration() const { return DefaultDuration(Base, Range); }
VORLUMEN_TIMED_STATUSES(VORLUMEN_DEFINE_TIMED)
#undef VORLUMEN_DEFINE_TIMED

void CCharacter::SetRegenerate(int turns, int amount) {
  status[Index(StatusKind::Regenerate)] = turns;
  regenAmount = amount;
}

void CCharacter::InflictDoubleAttack(int turns) { SetCounter(StatusKind::DoubleAttack, turns); }

void CCharacter::InflictResistance(int turns) {
  ShowPopup(GetCurrentLanguageText(ResistanceText));
  SetCounter(StatusKind::Resistance, turns);
}

void CCharacter::InflictStrUp(int turns) { SetCounter(StatusKind::StrUp, turns); }
void CCharacter::InflictDefUp(int turns) { SetCounter(StatusKind::DefUp, turns); }
void CCharacter::InflictDexUp(int turns) { SetCounter(StatusKind::DexUp, turns); }

void CCharacter::InflictIntUp(int turns) {
  ShowPopup(GetCurrentLanguageText(IntUpText));
  SetCounter(StatusKind::IntUp, turns);
}

void CCharacter::InflictDeath() {
  if (RollResistDeath()) {
    ShowPopup(GetCurrentLanguageText(ResistText));
    OnResistDeath();
    return;
  }
  ShowPopup(GetCurrentLanguageText(DeathText));
  hp = 0;
  if (lastAttacker) causeOfDeath = lastAttacker->type;
  OnDefeated();
  SetAnimation(AnimationDying);
}

void CCharacter::CureBadStatuses() {
  for (StatusKind kind : {StatusKind::Slow, StatusKind::Sleep, StatusKind::Confuse, StatusKind::Poison,
                          StatusKind::Paralyze, StatusKind::Berserk, StatusKind::Status11, StatusKind::Status14,
                          StatusKind::Weakness})
    status[Index(kind)] = 0;
}

void CCharacter::ClearAllStatuses() {
#define VORLUMEN_CALL_CLEAR(Name, Base, Range) Clear##Name();
  VORLUMEN_TIMED_STATUSES(VORLUMEN_CALL_CLEAR)
  VORLUMEN_LASTING_STATUSES(VORLUMEN_CALL_CLEAR)
#undef VORLUMEN_CALL_CLEAR
}

// ---- Resistance rolls

bool CCharacter::RollResistSlow() const { return RandomChance(GetSlowResistance()); }
bool CCharacter::RollResistSleep() const { return RandomChance(GetSleepResistance()); }
bool CCharacter::RollResistConfuse() const { return RandomChance(GetConfuseResistance()); }
bool CCharacter::RollResistPoison() const { return RandomChance(GetPoisonResistance()); }
bool CCharacter::RollResistParalyze() const { return RandomChance(GetParalyzeResistance()); }
bool CCharacter::RollResistBerserk() const { return RandomChance(GetBerserkResistance()); }
bool CCharacter::RollResistStatus11() const { return RandomChance(GetStatus11Resistance()); }
bool CCharacter::RollResistWeakness() const { return RandomChance(GetWeaknessResistance()); }
bool CCharacter::RollResistDeath() const { return RandomChance(GetDeathResistance()); }

// ---- Hit and damage

bool CCharacter::RollHit(AttackType attackType, const CCharacter* attacker) const {
  switch (attackType) {
    case 4: case 6: case 8: case 9: case 10: case 11: return true;
    default: break;
  }
  if (attackType != 2 && attacker && attacker->HasSureHit()) return true;
  const std::int64_t accuracyPercent = attacker ? attacker->GetAccuracy() : 100;
  const std::int64_t chance = accuracyPercent * (100 - static_cast<std::int64_t>(GetEvasion())) / 100;
  return Random() % 100 < chance;
}

int CCharacter::CalcDamageTaken(AttackType attackType, int damage, const CCharacter*) const {
  std::int64_t taken = std::max(damage, 0);
  const bool physical = attackType == 0 || attackType == 1 || attackType == 2 || attackType == 12;
  if (physical) {
    // Each point of defence takes a 24th off; below 24 tenths nothing more
    // changes, so the loop stops there.
    taken *= 10;
    for (int step = 0; step < GetDefense(); ++step) {
      const std::int64_t lowered = (taken + 1) * 23 / 24;
      if (lowered == taken) break;
      taken = lowered;
    }
    taken /= 10;
  }
  std::int64_t cut = 0;
  if (attackType >= 4 && attackType <= 11) cut = GetMagicDamageCut();
  if (attackType == 4 || attackType == 5 || attackType == 6 || attackType == 8) cut += GetFireDamageCut();
  taken = std::max<std::int64_t>(((100 - cut) * taken + 50) / 100, 0);
  if (IsDefUp()) taken /= 2;
  if (IsInvincible()) taken = 0;
  return ClampToInt(taken);
}

int CCharacter::RollDamage(int base) const {
  return ClampToInt(static_cast<std::int64_t>(base) * (80 + Random() % 41) / 100);
}

int CCharacter::RollDoubleAttack() const { return RandomChance(GetDoubleAttackChance()) ? 2 : 1; }

// ---- The on-hit, counter and missile rolls: one draw each, always; the
// duration (which may draw again) only on success.

#define VORLUMEN_DEFINE_ROLLS(Name, Base, Range)                                                       \
  int CCharacter::RollOnHit##Name() const {                                                            \
    if (!RandomChance(GetOnHit##Name##Chance())) return 0;                                             \
    return StatusKind::Name == StatusKind::Paralyze ? ParalyzeStrikeTurns : Get##Name##Duration();     \
  }                                                                                                    \
  int CCharacter::RollCounter##Name() const {                                                          \
    return RandomChance(GetCounter##Name##Chance()) ? Get##Name##Duration() : 0;                       \
  }                                                                                                    \
  int CCharacter::RollMissile##Name() const {                                                          \
    if (!RandomChance(GetMissile##Name##Chance())) return 0;                                           \
    return StatusKind::Name == StatusKind::Paralyze ? ParalyzeStrikeTurns : Get##Name##Duration();     \
  }
VORLUMEN_TIMED_STATUSES(VORLUMEN_DEFINE_ROLLS)
#undef VORLUMEN_DEFINE_ROLLS

bool CCharacter::RollOnHitTeleport() const { return RandomChance(GetOnHitTeleportChance()); }
bool CCharacter::RollCounterTeleport() const { return RandomChance(GetCounterTeleportChance()); }
bool CCharacter::RollMissileTeleport() const { return RandomChance(GetMissileTeleportChance()); }

// ---- A timed kind by number, through the class's own operation.

void CCharacter::InflictKind(StatusKind kind, int turns) {
  switch (kind) {
#define VORLUMEN_INFLICT_CASE(Name, Base, Range) \
  case StatusKind::Name: Inflict##Name(turns); return;
    VORLUMEN_TIMED_STATUSES(VORLUMEN_INFLICT_CASE)
#undef VORLUMEN_INFLICT_CASE
    default: return;
  }
}

int CCharacter::RollOnHitKind(StatusKind kind) const {
  switch (kind) {
#define VORLUMEN_ROLL_CASE(Name, Base, Range) \
  case StatusKind::Name: return RollOnHit##Name();
    VORLUMEN_TIMED_STATUSES(VORLUMEN_ROLL_CASE)
#undef VORLUMEN_ROLL_CASE
    default: return 0;
  }
}

int CCharacter::RollCounterKind(StatusKind kind) const {
  switch (kind) {
#define VORLUMEN_ROLL_CASE(Name, Base, Range) \
  case StatusKind::Name: return RollCounter##Name();
    VORLUMEN_TIMED_STATUSES(VORLUMEN_ROLL_CASE)
#undef VORLUMEN_ROLL_CASE
    default: return 0;
  }
}
