// A character's life through turns and frames: the status update of each
// turn, the single step, and the animation entries that double as its
// actions and hold the turn while they run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterList.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CSoundManager.h"
#include "platform/TextTable.h"

namespace {

constexpr TextId NoCaption = -1;
constexpr CharacterType PoisonDeath = 404;
constexpr SoundEffectId HurtSound = 0;
constexpr SoundEffectId DyingSound = 3;
constexpr SoundEffectId TeleportSound = 32;

// What a counter shows and calls when it runs out in the turn update, in
// kind order; DORMANT and DISGUISED never count down.
struct EndRule {
  TextId Caption;
  void (CCharacter::*Hook)();
  bool CountsDown;
};
constexpr EndRule EndRules[StatusKindCount] = {
    {574, &CCharacter::OnEffectEnd, true},  // QUICK: "SLOW"
    {573, &CCharacter::OnCure, true},       // SLOW: "QUICK"
    {599, &CCharacter::OnCure, true},       // SLEEP: "CURE"
    {599, &CCharacter::OnCure, true},       // CONFUSE
    {599, &CCharacter::OnCure, true},       // POISON
    {599, &CCharacter::OnCure, true},       // PARALYZE
    {NoCaption, nullptr, true},             // BERSERK
    {NoCaption, nullptr, true},             // INVISIBLE
    {NoCaption, nullptr, true},             // HOLD
    {NoCaption, nullptr, false},            // DORMANT
    {NoCaption, nullptr, false},            // DISGUISED
    {NoCaption, nullptr, true},             // status 11
    {600, &CCharacter::OnEffectEnd, true},  // INVINCIBLE: "EFFECT END"
    {NoCaption, nullptr, true},             // status 13
    {NoCaption, nullptr, true},             // status 14
    {599, &CCharacter::OnCure, true},       // WEAKNESS: "CURE"
    {600, &CCharacter::OnEffectEnd, true},  // REGENERATE: "EFFECT END"
    {600, &CCharacter::OnEffectEnd, true},  // DOUBLE ATTACK
    {600, &CCharacter::OnEffectEnd, true},  // RESISTANCE
    {594, &CCharacter::OnEffectEnd, true},  // STR UP: "STR DOWN"
    {595, &CCharacter::OnEffectEnd, true},  // DEF UP: "DEF DOWN"
    {596, &CCharacter::OnEffectEnd, true},  // DEX UP: "DEX DOWN"
    {597, &CCharacter::OnEffectEnd, true},  // INT UP: "INT DOWN"
};

// An action range is its first entry and the nine after it.
bool InRange(AnimationEntry entry, AnimationEntry first) { return entry >= first && entry <= first + 9; }
bool IsWalking(AnimationEntry entry) { return entry >= AnimationWalk && entry < AnimationAttack; }

void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

// The item the player chose for its action, if any.
CItem* PlayerSelectedItem() {
  CCharacterPlayer* player = GetGameMain()->Player;
  return player ? player->GetItem(player->GetSelectedItem()) : nullptr;
}

}  // namespace

// ---- The turn

void CCharacter::UpdateTurn() {
  char number[16];
  if (IsRegenerate()) {
    // A negative amount would hurt past the poison rules; it heals nothing.
    const int amount = std::max(regenAmount, 0);
    Heal(amount);
    std::snprintf(number, sizeof number, "%d", amount);
    ShowColouredCaption(number, 128, 255, 128);
  }
  if (IsPoison()) {
    if (hp > 0) {
      // Never the last hit point.
      const std::int64_t share = std::max<std::int64_t>(std::int64_t{GetMaxHP()} * 3 / 90, 1);
      const int loss = static_cast<int>(std::min<std::int64_t>(share, hp - 1));
      hp -= loss;
      std::snprintf(number, sizeof number, "%d", loss);
      ShowCaption(number);
    } else {
      // Already at 0 or below: poison ends it rather than bring it back to 1.
      hp = 0;
      causeOfDeath = PoisonDeath;
      SetAnimation(AnimationDying);
    }
  }
  for (int kind = 0; kind < StatusKindCount; ++kind) {
    const EndRule& rule = EndRules[kind];
    if (!rule.CountsDown || status[kind] <= 0) continue;
    if (--status[kind] != 0) continue;
    if (rule.Caption != NoCaption) ShowCaption(GetCurrentLanguageText(rule.Caption));
    if (rule.Hook) (this->*rule.Hook)();
  }
}

bool CCharacter::StepForward() {
  CStageData* stage = GetGameMain()->CurrentStage;
  const int dx = GetFacingDx(), dy = GetFacingDy();
  if (!stage || (dx == 0 && dy == 0)) return false;
  const int toX = x + dx, toY = y + dy;
  if (!stage->CanStep(x, y, toX, toY, passesWalls) || !stage->MoveCharacterTo(toX, toY, this)) return false;
  prevPrevX = prevX;
  prevPrevY = prevY;
  prevX = x;
  prevY = y;
  x = toX;
  y = toY;
  if (!GetGameMain()->AutoMove) moveStep = 0;
  return true;
}

// ---- Animation and the action ranges

void CCharacter::TakeRangeHold(std::uint8_t range) {
  // A range holds once however it is re-entered, and a character that has
  // left the floor holds nothing: nobody would release it.
  if (!alive || (rangeHolds & range)) return;
  rangeHolds |= range;
  GetStateController()->Hold();
}

bool CCharacter::DropRangeHold(std::uint8_t range) {
  if (!(rangeHolds & range)) return false;
  rangeHolds &= static_cast<std::uint8_t>(~range);
  return true;
}

void CCharacter::ReleaseRangeHold(std::uint8_t range) {
  if (DropRangeHold(range)) GetStateController()->Release();
}

void CCharacter::LeaveFloor() {
  CGameMain* game = GetGameMain();
  // Nobody's blows, counters, fire or experience come from here any more.
  auto forget = [this](CCharacterList& list) {
    for (CCharacter* other : list.Walk()) {
      if (other->lastAttacker == this) other->lastAttacker = nullptr;
      if (other->ownedList1) other->ownedList1->Remove(this);
      if (other->ownedList2) other->ownedList2->Remove(this);
    }
  };
  forget(game->Characters);
  alive = 0;
  if (CStageData* stage = game->CurrentStage) {
    forget(stage->Effects);
    if (stage->GetCharacterAt(x, y) == this) stage->characterAt[CellIndex(x, y)] = nullptr;
  }
}

void CCharacter::RemoveFromFloor() {
  const std::uint8_t held = rangeHolds;
  rangeHolds = 0;
  animEntry = AnimationGone;
  animTick = 0;
  LeaveFloor();
  // Given back once it is gone, so that no state moves on while it stands.
  for (std::uint8_t range = 1; range != 0; range = static_cast<std::uint8_t>(range << 1))
    if (held & range) GetStateController()->Release();
}

// The deferred effects of the blows taken, in this order, when the hurt
// pose gives way to `entry`.
void CCharacter::EndHurtPose(AnimationEntry entry) {
  if (pendingTeleport) {
    pendingTeleport = 0;
    TeleportRandom();
    PlaySe(TeleportSound);
  }
  for (int slot = 0; slot < QueuedStatusCount; ++slot) {
    const int turns = pendingStatus[slot];
    if (turns == 0) continue;
    pendingStatus[slot] = 0;
    InflictKind(QueuedStatusKind(slot), turns);
  }
  if (pendingFireDamage) {
    const int damage = pendingFireDamage;
    pendingFireDamage = 0;
    SpawnCellFire(damage, lastAttacker);
  }
  ApplyCounterEffects();
  if (lastAttacker && entry != AnimationDying) lastAttacker->CollectExp(this);
  ReleaseRangeHold(HurtHold);
}

void CCharacter::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  if (entry != AnimationGone && (entry < 0 || static_cast<std::size_t>(entry) >= frames.size()))
    entry = AnimationIdle;
  // Whoever cannot move stands instead of walking.
  if (IsWalking(entry) && (IsSleep() || IsParalyze() || IsHold() || IsDormant())) entry = AnimationIdle;
  const AnimationEntry prev = animEntry;
  animEntry = entry;
  animTick = 0;
  const auto leaving = [prev, entry](AnimationEntry first) {
    return InRange(prev, first) && !InRange(entry, first);
  };

  switch (entry) {
    case AnimationGone:
      LeaveFloor();
      break;
    case AnimationAttack:
      if (!InRange(prev, AnimationAttack)) TakeRangeHold(AttackHold);
      break;
    case AnimationThrow:
      OnThrow();
      TakeRangeHold(ThrowHold);
      break;
    case AnimationItemUse:
      TakeRangeHold(ItemUseHold);
      break;
    case AnimationAction:
      TakeRangeHold(ActionHold);
      break;
    case AnimationHurt:
      PlaySe(HurtSound);
      if (!InRange(prev, AnimationHurt)) {
        // A blow wakes.
        status[static_cast<int>(StatusKind::Sleep)] = 0;
        status[static_cast<int>(StatusKind::Hold)] = 0;
        status[static_cast<int>(StatusKind::Dormant)] = 0;
        TakeRangeHold(HurtHold);
      }
      break;
    case AnimationDying:
      if (!InRange(prev, AnimationDying)) {
        TakeRangeHold(DyingHold);
        PlaySe(DyingSound);
      }
      break;
    default:
      break;
  }

  // The blow: when the attack range is left, or at the class's own entries.
  if (meleeHitEntries[0] == -1) {
    if (leaving(AnimationAttack)) PerformMeleeAttack();
  } else {
    for (int hitEntry : meleeHitEntries)
      if (hitEntry == entry) PerformMeleeAttack();
  }
  for (int shotEntry : magicShotEntries)
    if (shotEntry == entry) SpawnMagicShot();

  if (leaving(AnimationAttack)) {
    // The number of blows is drawn once per attack, after its first blow.
    if (doubleAttackCount == 0) doubleAttackTarget = RollDoubleAttack();
    ++doubleAttackCount;
    const bool held = DropRangeHold(AttackHold);
    // A blow taken meanwhile (a counter, a fire) cuts the attack short: the
    // hurt or dying pose plays instead of the next blow.
    const bool interrupted = InRange(entry, AnimationHurt) || InRange(entry, AnimationDying) || entry == AnimationGone;
    if (!interrupted && doubleAttackCount < doubleAttackTarget && hp > 0 && alive)
      SetAnimation(AnimationAttack);  // the next blow holds the turn again
    else
      doubleAttackCount = 0;
    if (held) GetStateController()->Release();
  }

  if (shotEntries[0] == -1) {
    if (entry == AnimationThrow + 1) LaunchShot();
  } else {
    for (int shotEntry : shotEntries)
      if (shotEntry == entry) LaunchShot();
  }
  if (leaving(AnimationThrow)) ReleaseRangeHold(ThrowHold);
  if (leaving(AnimationItemUse)) {
    if (CItem* item = PlayerSelectedItem()) item->Use();
    ReleaseRangeHold(ItemUseHold);
  }
  for (int useEntry : itemUseEntries) {
    if (useEntry != entry) continue;
    if (CItem* item = PlayerSelectedItem()) item->UseMagic();
  }
  if (leaving(AnimationAction)) ReleaseRangeHold(ActionHold);
  if (leaving(AnimationHurt)) EndHurtPose(entry);
  if (leaving(AnimationDying)) {
    if (lastAttacker) lastAttacker->CollectExp(this);
    ReleaseRangeHold(DyingHold);
  }
}

bool CCharacter::IsActionEntry(AnimationEntry entry) const {
  if (entry == AnimationGone) return true;
  for (AnimationEntry first : {AnimationAttack, AnimationThrow, AnimationItemUse, AnimationAction, AnimationHurt,
                               AnimationDying})
    if (InRange(entry, first)) return true;
  const auto triggers = [entry](const auto& entries) {
    return std::find(std::begin(entries), std::end(entries), entry) != std::end(entries);
  };
  return triggers(meleeHitEntries) || triggers(magicShotEntries) || triggers(shotEntries) ||
         triggers(itemUseEntries);
}

void CCharacter::TickAnimation() {
  if (const AnimationFrame* frame = GetCurrentFrame()) {
    int duration = frame->duration;
    if (animEntry >= AnimationIdle && animEntry < AnimationAttack) {
      if (IsSlow()) duration *= 2;
      if (IsQuick()) duration /= 2;
    }
    if (holdTicks >= 1)
      --holdTicks;
    else if (animTick < StatusForever)
      ++animTick;
    if (animTick >= duration) SetAnimation(frame->next);
  }
  if (moveStep < 8) ++moveStep;
  if (animEntry == AnimationDying) CureBadStatuses();

  // Sight: on dark floors the sprite fades in and out with the player's
  // view, in step with a step or a scroll in progress.
  const CStageData* stage = GetGameMain()->CurrentStage;
  if (!stage) return;
  if (stage->GetLightMode() >= 2) {
    visibilityAlpha = 255;
    return;
  }
  const bool seen = stage->IsVisible(x, y) != 0;
  if (moveStep == 8 && stage->ScrollCounter == 8) {
    visibilityAlpha = seen ? 255 : 0;
    return;
  }
  const int k = std::clamp(moveStep < 8 ? moveStep : stage->ScrollCounter, 0, 7);
  if (seen && visibilityAlpha < 255)
    visibilityAlpha = static_cast<std::uint8_t>((k + 1) * 255 / 8);
  else if (!seen && visibilityAlpha > 0)
    visibilityAlpha = static_cast<std::uint8_t>((7 - k) * 255 / 8);
}
