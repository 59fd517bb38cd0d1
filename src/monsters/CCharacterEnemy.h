#pragma once
// The base of every monster: its turn (action points, target choice, the
// step toward its target, the action phase), its battle-log lines, its
// fading in and out, its death drop and its level scaling. The numbers of a
// monster come from its rows (MonsterTables.h); families add behaviour.
//
// The turn states drive it: StartTurn and UpdateTurn in the clean-up,
// DecideMove when the player's or the monsters' move starts, DecideAction
// one monster at a time until none has an action left.
#include "characters/CCharacter.h"
#include "items/CItem.h"
#include "monsters/MonsterTables.h"
#include "platform/TextTable.h"

class CCharacterEnemy : public CCharacter {
public:
  ~CCharacterEnemy() override = default;

  // Faces and steps toward its target until its points are spent, or stops
  // with the points of one action kept when it can act from where it stands.
  void DecideMove() override;
  // Spends its points on one action at a time; true when an action started
  // (the caller waits for its holds to be released and asks again).
  bool DecideAction() override;
  // Two more points, capped at one action unless QUICK.
  void StartTurn() override;
  // A paralysis that would end now lasts until the next move phase.
  void UpdateTurn() override;
  // The base tick, then the dying fade-out and the summoned fade-in.
  void TickAnimation() override;
  // On the floor map a monster shows its enemy marker.
  bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) override;
  // The family's sound for the entry, the death drop when the dying chain
  // is left, then the base.
  void SetAnimation(AnimationEntry entry) override;
  // A blow from the player turns it toward the player, seen or not.
  int ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) override;
  // Rescales the stats from the current level to the new one (1-99) along
  // the level curves.
  void SetLevel(int value) override;
  void LevelUp() override;
  void LevelDown() override;
  // A monster's hit points are never cut back to its maximum.
  void ClampHP() override {}
  // A poisoned monster stays poisoned until cured.
  void InflictPoison(int turns) override;
  // Asleep until woken.
  int GetSleepDuration() const override { return -1; }
  void LoadGraphics() override;
  void ReleaseGraphics() override;

  // ---- The family's constants (its row).
  bool IsPoisonous() const override;
  bool IsDragon() const override;
  bool IsDoubleAttack() const override;
  int GetFireDamageCut() const override;
  int GetStatusResistance() const override;
  int GetDeathResistance() const override;
  int GetGuardChance() const override;
  int GetCriticalChance() const override;
  int GetCounterDamagePercent() const override;
  int GetOnHitSlowChance() const override { return OnHitChance(StatusKind::Slow); }
  int GetOnHitConfuseChance() const override { return OnHitChance(StatusKind::Confuse); }
  int GetOnHitPoisonChance() const override { return OnHitChance(StatusKind::Poison); }
  int GetOnHitParalyzeChance() const override { return OnHitChance(StatusKind::Paralyze); }
  int GetOnHitWeaknessChance() const override { return OnHitChance(StatusKind::Weakness); }
  int RollOnHitParalyze() const override;
  int RollOnHitWeakness() const override;
  int RollCounterParalyze() const override;

  // ---- The battle log: one line each in the play screen's message window.
  void OnAttack() override;
  void OnShoot() override;
  void OnDamaged(int damage) override;
  void OnParry() override;
  void OnCritical() override;
  void OnMiss() override;
  void OnDefeated() override;
  void OnResist() override;
  void OnResistDeath() override;
  void OnQuick() override;
  void OnSlow() override;
  void OnSleep() override;
  void OnConfuse() override;
  void OnPoison() override;
  void OnParalyze() override;
  void OnWeaken() override;
  void OnCure() override;
  void OnEffectEnd() override;

  // ---- What the enemy adds.
  // Points per action: 2 for most, 1 when QUICK, 4 when SLOW, doubled while
  // the player is QUICK.
  virtual int GetActionCost() const;
  virtual void SpendActionPoints();
  // Chooses the target cell: the player in sight, else the corridor it
  // follows, else a room exit; with nowhere to go the turn ends (points 0).
  virtual void SearchPlayer();
  // The families' hooks; the defaults want and can do nothing special.
  virtual bool WantsSpecialAttack() { return false; }
  virtual bool CanUseSpecialAttack() { return false; }
  virtual void UseSpecialAttack() {}
  virtual int GetRandomMoveChance() const;
  // One draw, whatever the chance.
  virtual bool RollRandomMove();
  virtual bool HoldsStillNearPlayer() const;
  // The item it leaves when it dies, by its family's chain; -1 for none.
  virtual ItemId RollDropItem();

  void GetTargetCell(std::int32_t& cellX, std::int32_t& cellY) const override {
    cellX = targetX;
    cellY = targetY;
  }
  void SetTargetCell(std::int32_t cellX, std::int32_t cellY) override {
    targetX = cellX;
    targetY = cellY;
  }

  bool CanSeePlayer() const;
  int GetGrade() const { return MonsterGrade(type); }
  // The monster a summoner of this family calls up; -1 for none.
  CharacterType GetSummonType() const;

  std::int32_t targetX = -1;
  std::int32_t targetY = -1;

protected:
  // A graded monster: the stats and the animation table of its class row
  // (a type without a row has its family's hooks and no numbers).
  explicit CCharacterEnemy(CharacterType classType);

  // The shared special-shot form: the special entry, then the shot line.
  void StartSpecial();
  // The same the other way round: the line, then the special entry.
  void AnnounceSpecial();
  // Whether the special is wanted now: when it can be used, by one draw
  // against `percent` (drawn only then).
  bool RollSpecial(int percent);
  // Nothing but walls between its cell and the player's.
  bool PlayerInSight() const;
  // The player stands in a straight or diagonal line with no wall between
  // and is seen.
  bool PlayerInLineOfFire() const;
  // Whether a blow from here reaches the player's cell.
  bool CanAttackPlayer() const;
  // The shared magic-damage rule of the casting families: 80 to 120 % of
  // the magic value, halved while weakened.
  int CalcMagicDamage() const;
  // The casters' wish: half the time when the player is in its line of
  // fire (drawn only then), and always when he is next to it.
  bool WantsToCast();
  // A cast's projectile: `flight` leaves its cell along its facing; when it
  // has burst or died against a wall the effect calls EndItemShot.
  void LaunchCast(AnimationEntry flight);
  // Whom a cast reaches, traced again from here: the first character on the
  // facing line that still stands (listed, above 0 HP; the falling are
  // passed by) before a wall or the map's edge; null for none.
  CCharacter* FindCastTarget() const;
  // The character on the cell in front of it; null for none.
  CCharacter* CharacterInFront() const;
  // Whether a change to `entry` ends the special action in progress.
  bool EndsSpecial(AnimationEntry entry) const;
  // The text `id` with its name, as a new message of the battle log, or
  // added to the message shown.
  void ShowNamedLine(TextId id) const;
  void AddNamedLine(TextId id) const;
  const MonsterFamilyRow* Family() const { return FindMonsterFamily(type); }

private:
  int OnHitChance(StatusKind kind) const;
  void FaceTarget();
  // A new target among the room exits of its cell; false when none.
  bool TargetRoomExit(const int* sides, int sideCount);
  void RetargetTowardPlayer();
  // A blocked step: sideways round the block, else a new room exit.
  void StepAroundBlock();
  void DropDeathItem();
  void BuildFromRow(const MonsterClassRow& row);
};

// A direction turned by `steps` eighths of a turn clockwise (negative:
// counter-clockwise). A value that is not one of the eight turns from
// up-left.
Direction RotateDirection(Direction direction, int steps);
