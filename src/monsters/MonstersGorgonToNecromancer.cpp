// The Gorgon's gaze, the Dragon's breath, the Eye's counter-gaze, the
// Pyrolisk's pyrokinesis and the Necromancer's raising of the dead.
#include <algorithm>

#include "app/CGameMain.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "monsters/MonstersGorgonToAlchemist.h"
#include "platform/CSoundManager.h"

namespace {

constexpr TextId GlareText = 660, BreathText = 661, CounterGlareText = 666, PyrokinesisText = 667,
                 NecromancyText = 668;
constexpr int GazeChance = 30, BreathChance = 50, PyrokinesisChance = 30, NecromancyChance = 30;
constexpr int GazeParalyzeTurns = 3;
constexpr AttackType BreathAttack = 5;  // fire
constexpr AnimationEntry CounterGaze = 71, RaiseEntry = 31, RisingEntry = 90;
constexpr SoundEffectId RaiseSound = 85;

CCharacter* Player() { return GetGameMain()->Player; }

}  // namespace

// ---- Gorgon

void CCharacterGorgon::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  // The gaze is over, or cut short: it takes hold now.
  if (EndsSpecial(entry)) GlareEffect();
  CCharacterEnemy::SetAnimation(entry);
}

void CCharacterGorgon::OnShoot() { ShowNamedLine(GlareText); }

bool CCharacterGorgon::WantsSpecialAttack() { return RollSpecial(GazeChance); }

bool CCharacterGorgon::CanUseSpecialAttack() {
  const CCharacter* player = Player();
  if (!player || !PlayerInSight()) return false;
  switch (GetGrade()) {
    case 1: return !player->IsSleep();
    case 2: return !player->IsParalyze();
    default: return !player->IsConfuse();
  }
}

void CCharacterGorgon::GlareEffect() {
  CCharacter* player = Player();
  // A player already falling is spared.
  if (!player || player->hp <= 0) return;
  switch (GetGrade()) {
    case 1:
      player->InflictSleepRandom();
      break;
    case 2:
      if (!player->IsParalyze()) player->InflictParalyze(GazeParalyzeTurns);
      break;
    default:
      if (!player->IsConfuse()) player->InflictConfuseRandom();
      break;
  }
}

// ---- Dragon

void CCharacterDragon::OnShoot() { ShowNamedLine(BreathText); }

bool CCharacterDragon::WantsSpecialAttack() { return RollSpecial(BreathChance); }

void CCharacterDragon::LaunchShot() { LaunchCast(EffectBreath); }

void CCharacterDragon::EndItemShot() {
  if (CCharacter* target = FindCastTarget()) target->TakeHit(BreathAttack, CalcMagicDamage(), this);
}

// ---- Eye

int CCharacterEye::ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) {
  const int taken = CCharacterEnemy::ReceiveAttack(attackType, strong, damage, attacker);
  if (attackType == 0 && animEntry == AnimationHurt) {
    // Still in its hurt range: the blow's deferred effects (the attacker's
    // paralysis among them) wait for the gaze to end.
    SetAnimation(CounterGaze);
    AddNamedLine(CounterGlareText);
  }
  return taken;
}

// ---- Pyrolisk

void CCharacterPyrolisk::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  CCharacterEnemy::SetAnimation(entry);
  if (entry == AnimationThrow) Pyrokinesis();
}

void CCharacterPyrolisk::OnShoot() { ShowNamedLine(PyrokinesisText); }

bool CCharacterPyrolisk::WantsSpecialAttack() { return RollSpecial(PyrokinesisChance); }

void CCharacterPyrolisk::Pyrokinesis() {
  const CCharacter* player = Player();
  if (!player) return;
  // Whoever stands on the cell when the flames die down burns.
  CCharacterEffect::SpawnFire(player->x, player->y, direction, CalcMagicDamage(), this);
}

// ---- Necromancer

void CCharacterNecromancer::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  CCharacterEnemy::SetAnimation(entry);
  if (entry == RaiseEntry) SummonUndead();
}

void CCharacterNecromancer::OnShoot() { ShowNamedLine(NecromancyText); }

bool CCharacterNecromancer::WantsSpecialAttack() { return RollSpecial(NecromancyChance); }

bool CCharacterNecromancer::SummonUndead() {
  CStageData* stage = GetGameMain()->CurrentStage;
  if (!stage) return false;
  const int frontX = x + GetFacingDx(), frontY = y + GetFacingDy();
  auto isFree = [stage](int cellX, int cellY) {
    return stage->IsPassable(cellX, cellY) && !stage->GetCharacterAt(cellX, cellY);
  };
  // The front cell, else the cells around it, nearest to its own first:
  // each is the front cell less the facing step turned by k eighths one way
  // and then the other (k = 0 is its own cell).
  int cellX = frontX, cellY = frontY, faceX = GetFacingDx(), faceY = GetFacingDy();
  bool found = isFree(cellX, cellY);
  for (int k = 0; k <= 4 && !found; ++k) {
    for (int turn : {k, -k}) {
      const Direction d = RotateDirection(direction, turn);
      if (!isFree(frontX - DirectionDx(d), frontY - DirectionDy(d))) continue;
      cellX = frontX - DirectionDx(d);
      cellY = frontY - DirectionDy(d);
      faceX = DirectionDx(d);
      faceY = DirectionDy(d);
      found = true;
      break;
    }
  }
  if (!found) return false;

  GetSoundManager()->PlaySe(RaiseSound);
  CCharacter* zombie = CreateCharacter(GetSummonType());
  if (!zombie) return false;
  zombie->SetAlpha(0);
  zombie->SetAnimation(RisingEntry);
  zombie->FaceDelta(faceX, faceY);
  zombie->SetPosition(cellX, cellY);
  zombie->SetLevel(std::max(1, level * 8 / 10));
  if (!stage->MoveCharacterTo(cellX, cellY, zombie)) {
    delete zombie;
    return false;
  }
  GetGameMain()->Characters.PushBack(zombie);
  return true;
}
