#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "characters/Direction.h"

class CCharacterList;
class CItem;

// The factory's type ids: classes 0-8, monsters 256-367, mining points
// 768-771 and 784-786, the effect 4096, the companion 4097.
using CharacterType = std::int32_t;
// The kind of a blow: 0-2 and 12 physical, 3 counter damage, 4-11 magic.
using AttackType = std::int32_t;
// An entry of a character's animation table; the ranges double as actions.
using AnimationEntry = std::int32_t;
// The four words every character record keeps for its class's own use.
using SavedWords = std::array<std::int32_t, 4>;

constexpr AnimationEntry AnimationGone = 0;  // the dying chain has ended
constexpr AnimationEntry AnimationIdle = 10;
constexpr AnimationEntry AnimationWalk = 11;      // 11-19
constexpr AnimationEntry AnimationAttack = 20;    // 20-29
constexpr AnimationEntry AnimationThrow = 30;     // 30-39
constexpr AnimationEntry AnimationItemUse = 40;   // 40-49
constexpr AnimationEntry AnimationAction = 50;    // 50-59
constexpr AnimationEntry AnimationGuard = 60;
constexpr AnimationEntry AnimationHurt = 70;      // 70-79
constexpr AnimationEntry AnimationDying = 80;     // 80-89

// One entry of an animation table: the frame's centre in its sheet, its box
// around the centre, the entry that follows (-1 holds) and how many ticks it
// lasts.
struct AnimationFrame {
  std::int32_t centreX = 0;
  std::int32_t centreY = 0;
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  std::int32_t next = -1;
  std::int32_t duration = 0;
  std::uint16_t texture = 0;
};

// The timed statuses 0-15, one row each: the word in the names of their
// operations, then the default duration as base + rand() % range (range 0:
// the base alone). StatusForever and negative durations never run out.
#define VORLUMEN_TIMED_STATUSES(X)                                                         \
  X(Quick, 15, 0) X(Slow, 15, 0) X(Sleep, 20, 11) X(Confuse, 15, 6) X(Poison, 8, 5)       \
  X(Paralyze, 5, 6) X(Berserk, 20, 6) X(Invisible, 10, 11) X(Hold, StatusForever, 0)      \
  X(Dormant, StatusForever, 0) X(Disguise, StatusForever, 0) X(Status11, 10, 0)            \
  X(Invincible, 30, 0) X(Status13, StatusForever, 0) X(Status14, StatusForever, 0)         \
  X(Weakness, -1, 0)
// The statuses 16-22, which are only granted for a given time.
#define VORLUMEN_LASTING_STATUSES(X) \
  X(Regenerate, 0, 0) X(DoubleAttack, 0, 0) X(Resistance, 0, 0) X(StrUp, 0, 0) X(DefUp, 0, 0) X(DexUp, 0, 0) X(IntUp, 0, 0)

constexpr std::int32_t StatusForever = 2147483647;

#define VORLUMEN_STATUS_ENUMERATOR(Name, Base, Range) Name,
enum class StatusKind : std::int32_t {
  VORLUMEN_TIMED_STATUSES(VORLUMEN_STATUS_ENUMERATOR)
  VORLUMEN_LASTING_STATUSES(VORLUMEN_STATUS_ENUMERATOR)
};
#undef VORLUMEN_STATUS_ENUMERATOR
constexpr int StatusKindCount = 23;
constexpr int TimedStatusCount = 16;

// Which queued request slot stands for which kind: 0-9 the kinds 0-9, 10-14
// the kinds 11-15 (DISGUISED is never queued).
constexpr int QueuedStatusCount = 15;
constexpr StatusKind QueuedStatusKind(int slot) { return static_cast<StatusKind>(slot < 10 ? slot : slot + 1); }

// The one base of everything that stands on a floor: the player, monsters,
// mining points, effects and companions. Every operation has a default body
// here; a class overrides the few it changes and writes its constants in its
// constructor. Operations are declared in the order of the interface.
class CCharacter {
public:
  CCharacter();
  CCharacter(const CCharacter&) = delete;
  CCharacter& operator=(const CCharacter&) = delete;

  // ---- General
  virtual bool AuxQuery1() const { return true; }
  virtual void AuxHook1() {}
  virtual void AuxHook2(int) {}
  virtual bool AuxQuery2(int) const { return true; }
  virtual void AuxHook3() {}
  // -1 mirrors the sprite for the directions that face left.
  virtual int GetFacingSign() const { return DirectionFacingSign(direction); }
  virtual int GetSpriteColumn() const { return 0; }
  virtual int GetSpriteRow() const { return DirectionSpriteRow(direction); }
  // Frees the animation table and the owned lists (not what they list);
  // touches no floor and no list.
  virtual ~CCharacter();
  virtual void LoadGraphics() {}
  virtual void ReleaseGraphics() {}
  // The n-th (from 0) living character a blow from here reaches: by the
  // spear, broadsword or staff shape when the class has one, else the cell
  // in front with CanAttack mode `meleeReach`.
  virtual CCharacter* GetMeleeTarget(int n);
  // One blow at every target, in the order GetMeleeTarget gives them; the
  // attacker then gains or loses by its heal, drain and recoil. True when at
  // least one target was hit.
  virtual bool PerformMeleeAttack();
  // One step in the facing direction when the floor allows it; the step is
  // then drawn over 8 frames unless the game moves automatically.
  virtual bool StepForward();
  virtual bool AuxQuery3(int, int) const { return true; }
  virtual bool AuxQuery4() const { return true; }

  // ---- Position and direction
  // Places the character at once, without a walking slide; the floor's
  // grid is the caller's (CStageData::MoveCharacterTo).
  virtual void SetPosition(int cellX, int cellY);
  virtual int GetX() const { return x; }
  virtual int GetY() const { return y; }
  virtual void FaceDelta(int dx, int dy) { SetDirection(DirectionFromDelta(dx, dy)); }
  virtual bool SetDirection(Direction value);
  virtual Direction GetDirection() const { return direction; }
  virtual void DecideMove() {}
  virtual bool DecideAction() { return false; }
  virtual void StartTurn();

  // ---- Behaviour
  // Once per turn: REGENERATE heals, POISON hurts (never the last hit
  // point), then every running counter goes down by one, ending with its
  // caption and hook.
  virtual void UpdateTurn();
  virtual void AuxHook4() {}
  // Once per frame: runs the current entry's ticks (walking and idle slower
  // while SLOW, faster while QUICK), follows the table to the next entry and
  // fades the sprite by the player's sight.
  virtual void TickAnimation();
  // The sprite on the floor view, sliding through a step in progress, with
  // its status glows and marks.
  virtual void Draw();
  // The floor map's marker of this character; true keeps the map from
  // drawing anything else on the cell.
  virtual bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha);
  virtual void CopyStateFrom(const CCharacter* other);
  virtual int GetFacingDx() const { return DirectionDx(direction); }
  virtual int GetFacingDy() const { return DirectionDy(direction); }
  // The name of its type in the current language, cut to fit the buffer.
  virtual char* GetName(char* buffer, std::size_t capacity) const;
  // -1 changes nothing; an entry outside the table plays the idle entry;
  // entry 0 takes the character off the floor. The ranges are actions:
  // entering 20, 30, 40, 50, 70 or 80 holds the turn once, and leaving its
  // range, by whatever entry, runs what the action leaves behind (the blow,
  // the double blow, the item's use, the hurt pose's deferred effects,
  // experience) and releases that hold.
  virtual void SetAnimation(AnimationEntry entry);
  // Whether `entry` plays an action that holds the turn or does something
  // as it is reached (the ranges above, entry 0 and the class's own blow,
  // shot and magic entries): no turn starts with a character in one.
  virtual bool IsActionEntry(AnimationEntry entry) const;
  // The defender's side of a blow: the guard, the damage after defence, the
  // hurt or dying pose. The damage taken; 0 when guarded.
  virtual int ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker);
  virtual int TakeHit(AttackType attackType, int damage, CCharacter* attacker) {
    return ReceiveAttack(attackType, false, damage, attacker);
  }
  virtual int CalcDamageTaken(AttackType attackType, int damage, const CCharacter* attacker) const;
  // The victor's side of a kill: the experience of a victim at 0 HP, once.
  virtual void CollectExp(CCharacter* victim);
  // When the hurt pose ends: counter damage, counter statuses and teleport
  // on a melee attacker, and healing when hit.
  virtual void ApplyCounterEffects();
  virtual bool RollHit(AttackType attackType, const CCharacter* attacker) const;

  // ---- Cell, colour and stats
  virtual bool CanShareCellWithItem() const { return true; }
  virtual bool IsMagicTarget() const { return true; }
  virtual void SetAlpha(int value) { alpha = value; }
  virtual void SetColor(int r, int g, int b);
  virtual int GetMaxHP() const { return maxHp; }
  virtual int GetStr() const { return strength; }
  virtual int GetSpareStat() const { return spareStat; }
  virtual int GetDex() const { return dexterity; }
  virtual int GetInt() const { return intelligence; }
  virtual int GetMeleePower() const { return strength; }
  virtual int GetShotPower() const { return strength; }
  virtual int GetMagicPower() const { return intelligence; }
  virtual int GetMeleeAttack() const { return attack; }
  virtual int GetShotAttack() const { return strength; }
  virtual int GetMagicAttack() const { return intelligence; }
  virtual int GetWeaponAttack() const { return attack; }
  virtual int GetBowAttack() const { return strength; }
  virtual int GetShotDamage() const { return strength; }
  virtual int GetDefense() const { return defence; }
  virtual int GetDex2() const { return dexterity; }
  virtual int GetMeleeDamage() const { return attack; }
  virtual int GetAccuracy() const { return accuracy; }
  virtual int GetEvasion() const { return evasion; }
  virtual int GetGuardChance() const { return 0; }
  virtual int GetMagicDamageCut() const { return magicDamageCut; }
  virtual int GetFireDamageCut() const { return 0; }
  virtual int GetTrapAvoidChance() const { return 0; }
  virtual int GetHpRegenRate() const { return 100; }
  virtual int GetHungerRate() const { return 100; }

  // ---- Life, experience and inventory
  virtual bool IsStarving() const { return satiety == 0; }
  // Experience is counted in 64 bits: the totals of the last levels pass
  // what 32 bits hold.
  virtual std::int64_t GetExp() const { return exp; }
  virtual void SetExp(std::int64_t value) { exp = value; }
  virtual void GainExp(std::int64_t) {}
  virtual std::int64_t GetExpForLevel(int) const { return 1; }
  virtual std::int64_t GetExpForNextLevel(int) const { return 1; }
  virtual std::int64_t GetExpAtLevelEnd(int) const { return 1; }
  virtual std::int64_t ResetExpToLevel(int) { return exp; }
  virtual void SetLevel(int value) { level = value; }
  virtual void LevelUp() {}
  virtual void LevelDown() {}
  virtual int GetInventoryCapacity() const { return 0; }
  virtual int GetItemCount() const { return itemCount; }
  virtual bool AddItem(CItem*) { return false; }
  // -1: the item lying on the character's cell; 0 .. itemCount-1: carried.
  virtual CItem* GetItem(int index) const;
  virtual CItem* GetItemAt(int index) const;
  // How many leading indexes hold an item.
  virtual int CountItems() const;
  virtual void RemoveItem(CItem*) {}
  virtual void RemoveItemAt(int) {}
  virtual void SetSelectedItem(int slot) { selectedItem = slot; }
  virtual int GetSelectedItem() const { return selectedItem; }

  // ---- Inventory and equipment (the player's)
  virtual bool Equip(CItem*) { return false; }
  virtual bool EquipFromBag(int) { return false; }
  virtual bool EquipItem(CItem*) { return false; }
  virtual bool UnequipToBag(int) { return false; }
  virtual bool EquipItem2(CItem*) { return false; }
  virtual bool CanEquipSlot(int) const { return false; }
  virtual bool EquipItem3(CItem*) { return false; }
  virtual bool CanUnequipSlot(int) const { return false; }
  virtual bool UseItem(int) { return false; }
  virtual void GiveStartingItems() {}
  // What the crafter's DEX and INT give a craft: the arrows an arrow recipe
  // makes, and the charges of a made wand. The player's; classes may scale.
  virtual int GetHalfDex() const { return GetDex() / 2; }
  virtual int GetHalfInt() const { return GetInt() / 2; }
  // Shots: launched at the trigger entries; the End hooks run when the
  // flying effect ends (the reach shot, an item's flight, a wand's bolt).
  virtual void SpawnMagicShot() {}
  virtual void EndReachShot() {}
  virtual void LaunchShot() {}
  virtual void EndItemShot() {}
  virtual void SpawnBoltEffect() {}
  virtual void EndWandShot() {}
  // A wand's bolt has arrived: the wand it was zapped from, if still the
  // caster's, acts on the first living character along the caster's facing.
  virtual void ResolveWandBolt(CItem* wand) { (void)wand; }
  virtual bool HasResurrection() const { return false; }
  virtual bool HasTelepathy() const { return false; }

  // ---- Resistances (percent) and their rolls
  virtual int GetStatusResistance() const { return IsResistance() ? 100 : 0; }
  virtual int GetSlowResistance() const { return GetStatusResistance(); }
  virtual int GetSleepResistance() const { return GetStatusResistance(); }
  virtual int GetConfuseResistance() const { return GetStatusResistance(); }
  virtual int GetPoisonResistance() const { return GetStatusResistance(); }
  virtual int GetParalyzeResistance() const { return GetStatusResistance(); }
  virtual int GetBerserkResistance() const { return GetStatusResistance(); }
  virtual int GetStatus11Resistance() const { return GetStatusResistance(); }
  virtual int GetWeaknessResistance() const { return GetStatusResistance(); }
  virtual int GetDeathResistance() const { return 0; }
  virtual bool RollResistSlow() const;
  virtual bool RollResistSleep() const;
  virtual bool RollResistConfuse() const;
  virtual bool RollResistPoison() const;
  virtual bool RollResistParalyze() const;
  virtual bool RollResistBerserk() const;
  virtual bool RollResistStatus11() const;
  virtual bool RollResistWeakness() const;
  virtual bool RollResistDeath() const;

  // ---- Weapon shapes and equipment tests (the player's)
  virtual bool HasSpearAttack() const { return false; }
  virtual bool HasBroadswordAttack() const { return false; }
  virtual bool HasStaffAttack() const { return false; }
  virtual bool UnequipWeapon() { return false; }
  virtual bool UnequipBodyArmor() { return false; }
  virtual bool AuxEquipQuery1() const { return false; }
  virtual bool AuxEquipQuery2() const { return false; }
  virtual bool HasWeaponEquipped() const { return false; }
  virtual bool AuxEquipQuery3() const { return false; }  // the player's bow test
  virtual bool AuxEquipQuery4() const { return false; }
  virtual bool HasBodyArmorEquipped() const { return false; }
  virtual bool AuxEquipQuery5() const { return false; }
  virtual bool AuxEquipQuery6() const { return false; }
  virtual bool AuxEquipQuery7() const { return false; }
  virtual bool AuxEquipQuery8() const { return false; }
  virtual bool AuxEquipQuery9() const { return false; }
  virtual bool AuxEquipQuery10() const { return false; }
  virtual bool AuxEquipQuery11() const { return false; }
  // Lowers hp to GetMaxHP.
  virtual void ClampHP();

  // ---- Statuses. For each timed kind, in kind order: Inflict<Kind>Random
  // (the default duration) and Inflict<Kind> (turns): a resistance roll where
  // the kind has one, the caption, the battle-log hook, then the counter takes
  // the request when it is longer or never expires.
#define VORLUMEN_DECLARE_INFLICT(Name, Base, Range) \
  virtual void Inflict##Name##Random();             \
  virtual void Inflict##Name(int turns);
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_INFLICT)
#undef VORLUMEN_DECLARE_INFLICT
  // Sets REGENERATE and the hit points it heals per turn, unconditionally.
  virtual void SetRegenerate(int turns, int amount);
  virtual void InflictDoubleAttack(int turns);
  virtual void InflictResistance(int turns);
  virtual void InflictStrUp(int turns);
  virtual void InflictDefUp(int turns);
  virtual void InflictDexUp(int turns);
  virtual void InflictIntUp(int turns);
  // The death curse. The caller names the caster in lastAttacker first;
  // without one (a trap) the cause of death stays as it was.
  virtual void InflictDeath();
  // Get<Kind>Duration: the default duration of each timed kind.
#define VORLUMEN_DECLARE_DURATION(Name, Base, Range) virtual int Get##Name##Duration() const;
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_DURATION)
#undef VORLUMEN_DECLARE_DURATION
  // Clear<Kind> sets a counter to 0 without a caption; Is<Kind> tests it
  // (a negative counter is on).
#define VORLUMEN_DECLARE_CLEAR(Name, Base, Range) \
  virtual void Clear##Name() { status[static_cast<int>(StatusKind::Name)] = 0; }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_CLEAR)
  VORLUMEN_LASTING_STATUSES(VORLUMEN_DECLARE_CLEAR)
#undef VORLUMEN_DECLARE_CLEAR
#define VORLUMEN_DECLARE_IS(Name, Base, Range) \
  virtual bool Is##Name() const { return status[static_cast<int>(StatusKind::Name)] != 0; }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_IS)
  VORLUMEN_LASTING_STATUSES(VORLUMEN_DECLARE_IS)
#undef VORLUMEN_DECLARE_IS
  // SLOW, SLEEP, CONFUSE, POISON, PARALYZE, BERSERK, status 11, status 14
  // and WEAKNESS.
  virtual void CureBadStatuses();
  virtual void ClearAllStatuses();
  // To a free floor cell, out of the character's sight when there is one;
  // nothing happens when the floor has no free cell.
  virtual void TeleportRandom();

  // ---- Combat abilities. Chances are percents; a roll draws one number
  // and succeeds when it modulo 100 is below the chance.
  virtual bool IsPoisonous() const { return false; }
  virtual bool IsDragon() const { return false; }
  virtual int GetHealOnHit() const { return 0; }
  virtual int GetDrainPercent() const { return 0; }
  virtual int GetDrainPercentExtra() const { return 0; }  // recoil
  // GetOnHit<Kind>Chance and GetOnHitTeleportChance.
#define VORLUMEN_DECLARE_ONHIT_CHANCE(Name, Base, Range) \
  virtual int GetOnHit##Name##Chance() const { return 0; }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_ONHIT_CHANCE)
#undef VORLUMEN_DECLARE_ONHIT_CHANCE
  virtual int GetOnHitTeleportChance() const { return 0; }
  virtual int GetFireMagicAttack() const { return 0; }
  virtual int GetCriticalChance() const { return criticalChance; }
  virtual bool HasSureHit() const { return sureHit != 0; }
  virtual int GetDoubleAttackChance() const { return IsDoubleAttack() ? 100 : 0; }
  // The number of blows of this attack: 1 or 2.
  virtual int RollDoubleAttack() const;
  virtual int GetDamagePercentVsPoisonous() const { return 100; }
  virtual int GetDamagePercentVsDragon() const { return 100; }
  // Hit points a blow takes off a mining point.
  virtual int GetMiningPower() const { return 1; }
  virtual int RollHealOnHit() const { return GetHealOnHit(); }
  virtual int RollDrainPercent() const { return GetDrainPercent(); }
  virtual int RollDrainPercentExtra() const { return GetDrainPercentExtra(); }
  // RollOnHit<Kind>: the duration to queue on the target, 0 on a failed roll
  // (PARALYZE asks for 2 turns); RollOnHitTeleport succeeds or not.
#define VORLUMEN_DECLARE_ONHIT_ROLL(Name, Base, Range) virtual int RollOnHit##Name() const;
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_ONHIT_ROLL)
#undef VORLUMEN_DECLARE_ONHIT_ROLL
  virtual bool RollOnHitTeleport() const;
  virtual int RollOnHitFireDamage() const { return RollDamage(GetFireMagicAttack()); }
  // 80 to 120 percent of base.
  virtual int RollDamage(int base) const;
  virtual int GetCounterDamagePercent() const { return counterDamagePercent; }
  virtual int GetHealWhenHitFlat() const { return 0; }
  virtual int GetHealWhenHitPercent() const { return 0; }
  // GetCounter<Kind>Chance, then RollCounter<Kind> (the default duration on
  // success), each with its teleport member.
#define VORLUMEN_DECLARE_COUNTER_CHANCE(Name, Base, Range) \
  virtual int GetCounter##Name##Chance() const { return 0; }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_COUNTER_CHANCE)
#undef VORLUMEN_DECLARE_COUNTER_CHANCE
  virtual int GetCounterTeleportChance() const { return 0; }
#define VORLUMEN_DECLARE_COUNTER_ROLL(Name, Base, Range) virtual int RollCounter##Name() const;
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_COUNTER_ROLL)
#undef VORLUMEN_DECLARE_COUNTER_ROLL
  virtual bool RollCounterTeleport() const;
  virtual int GetMissileHealOnHit() const { return 0; }
  virtual int GetMissileDrainPercent() const { return 0; }
  virtual int GetShotSelfDamage() const { return 0; }
  // GetMissile<Kind>Chance, and further down RollMissile<Kind>, as the
  // on-hit family does for melee.
#define VORLUMEN_DECLARE_MISSILE_CHANCE(Name, Base, Range) \
  virtual int GetMissile##Name##Chance() const { return 0; }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_MISSILE_CHANCE)
#undef VORLUMEN_DECLARE_MISSILE_CHANCE
  virtual int GetMissileTeleportChance() const { return 0; }
  virtual int AuxMissileValue1() const { return 0; }
  virtual int GetShotCriticalChance() const { return 0; }
  virtual bool HasShotSureHit() const { return false; }
  virtual int GetDoubleShotChance() const { return 0; }
  // Shots per shooting action.
  virtual int RollShotCount() const { return 1; }
  virtual int AuxMissileValue4() const { return 100; }
  // Percent chance that a shot arrow does not break.
  virtual int GetArrowKeepChance() const { return 0; }
  virtual int RollMissileHealOnHit() const { return GetMissileHealOnHit(); }
  virtual int RollMissileDrainPercent() const { return GetMissileDrainPercent(); }
  virtual int RollShotSelfDamage() const { return GetShotSelfDamage(); }
#define VORLUMEN_DECLARE_MISSILE_ROLL(Name, Base, Range) virtual int RollMissile##Name() const;
  VORLUMEN_TIMED_STATUSES(VORLUMEN_DECLARE_MISSILE_ROLL)
#undef VORLUMEN_DECLARE_MISSILE_ROLL
  virtual bool RollMissileTeleport() const;
  virtual int RollAuxMissileValue1() const { return AuxMissileValue1(); }

  // ---- Battle-log hooks (the player and the monsters write their lines)
  virtual void OnAttack() {}
  virtual void OnShoot() {}
  virtual void OnDamaged(int) {}
  virtual void OnParry() {}
  virtual void OnCritical() {}
  virtual void OnMiss() {}
  virtual void OnDefeated() {}
  virtual void OnGainExp(std::int64_t) {}
  virtual void OnLevelUp() {}
  virtual void OnAvoidTrap(int) {}
  virtual void OnThrow() {}
  virtual void OnResist() {}
  virtual void OnResistDeath() {}
  virtual void OnQuick() {}
  virtual void OnSlow() {}
  virtual void OnSleep() {}
  virtual void OnConfuse() {}
  virtual void OnPoison() {}
  virtual void OnParalyze() {}
  virtual void OnWeaken() {}
  virtual void OnCure() {}
  virtual void OnEffectEnd() {}

  // ---- Effects over its cell, the save record, score and map markers
  // On the current floor's effect list: a white number, "MISS!", a caption,
  // and a caption that holds the turn after `delay` frames.
  virtual void SpawnEffect(int amount);
  virtual void ShowMissEffect();
  virtual void ShowCaption(const char* text);
  virtual void ShowPopupDelayed(const char* text, int delay);
  virtual void ShowPopup(const char* text) { ShowPopupDelayed(text, 0); }
  // Writes the length word, the record and the carried items to the
  // game's open save file; always true.
  virtual bool WriteSave();
  // The cell a monster heads for, kept in the record so that a continued
  // turn goes where the uninterrupted one would; -1, -1 for none, and for
  // every class that heads for nothing.
  virtual void GetTargetCell(std::int32_t& cellX, std::int32_t& cellY) const { cellX = cellY = -1; }
  virtual void SetTargetCell(std::int32_t, std::int32_t) {}
  // The record's four extra words as this class's play leaves them: a class
  // that keeps nothing there ignores them, and they stay 0.
  virtual bool AreSavedWordsSound(const SavedWords&) const { return true; }
  virtual void TakeSavedWords(const SavedWords&) {}
  virtual int CalcScore() const { return 0; }
  virtual bool IsMiningPoint() const { return false; }
  // The floor map's markers, picked by DrawAt in the classes that show one:
  // false when the character is hidden from the player.
  virtual bool DrawEnemyMapMarker(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha);
  virtual bool DrawObjectMapMarker(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha);

  // The frame of the current entry; null when the entry lies outside the
  // table.
  const AnimationFrame* GetCurrentFrame() const;
  // Takes the character off the floor at once, as entry 0 does, but
  // without what the range it was in leaves behind (no blow, no drop, no
  // experience); the holds it carried are given back.
  void RemoveFromFloor();

  // Effects the base shows on the floor's effect list: a green heal number,
  // a caption in a colour, and fire left on its cell that burns whoever
  // stands there for `owner`.
  void SpawnHealNumber(int amount);
  void ShowColouredCaption(const char* text, int red, int green, int blue);
  void SpawnCellFire(int damage, CCharacter* owner);

  // ---- Fields
  std::uint8_t spareFlag = 0;  // saved and restored, nothing else
  std::uint8_t alive = 1;      // 0 once the dying chain has ended; the list then deletes it
  CharacterType type = 0;
  std::int32_t level = 0;
  std::int64_t exp = 0;  // a monster's: what it gives when defeated
  std::int32_t satiety = 2000;
  std::int32_t hp = 0;
  std::int32_t maxHp = 0;
  std::int32_t attack = 0;
  std::int32_t defence = 0;
  std::int32_t magicDamageCut = 0;  // percent
  std::int32_t accuracy = 100;      // percent
  std::int32_t evasion = 10;        // percent
  std::uint8_t sureHit = 0;
  std::int32_t criticalChance = 0;
  std::int32_t counterDamagePercent = 0;
  std::int32_t maxHpX100 = 0;  // players: maximum HP in hundredths
  std::int32_t strength = 0;   // monsters: the second (ranged) attack
  std::int32_t spareStat = 0;
  std::int32_t dexterity = 0;
  std::int32_t intelligence = 0;  // monsters: the magic value
  AttackType meleeAttackType = 0;
  std::int32_t meleeReach = 0;   // CanAttack mode of the plain blow: 0 adjacent, 1 straight line
  std::int32_t passesWalls = 0;  // ignoreTerrain of its steps
  std::int32_t x = 0;
  std::int32_t y = 0;
  // The cells before the last step and before that; drawing slides along them.
  std::int32_t prevX = 0;
  std::int32_t prevPrevX = 0;
  std::int32_t prevY = 0;
  std::int32_t prevPrevY = 0;
  Direction direction = DirectionDown;
  std::int32_t extraWords[4] = {};  // saved; restored by the classes that use them
  // Turns left per StatusKind: 0 off, below 0 never expires.
  std::int32_t status[StatusKindCount] = {};
  std::int32_t regenAmount = 0;  // hit points REGENERATE heals per turn
  // Requests of the hit in progress, applied when the hurt pose ends:
  // 0-9 the kinds 0-9, 10-14 the kinds 11-15.
  std::int32_t pendingStatus[QueuedStatusCount] = {};
  std::int32_t pendingTeleport = 0;
  std::int32_t pendingFireDamage = 0;
  double spriteRotation = 0.0;
  double spriteScale = 4.0;
  std::int32_t moveStep = 8;  // 0-8 through a step; 8 stands on its cell
  std::vector<AnimationFrame> frames;  // indexed by entry
  AnimationEntry animEntry = 0;
  std::int32_t animTick = 0;
  std::int32_t animSpare = 0;  // saved and restored, nothing else
  std::int32_t holdTicks = 0;  // the animation stands still (hit-stop)
  std::uint8_t visibilityAlpha = 255;
  std::int32_t alpha = 255;
  std::int32_t red = 255;
  std::int32_t green = 255;
  std::int32_t blue = 255;
  // Entries at whose start the blow, the magic shot, the shot and the
  // selected item's magic happen; -1 unset.
  std::int32_t meleeHitEntries[16];
  std::int32_t magicShotEntries[8];
  std::int32_t shotEntries[8];
  std::int32_t itemUseEntries[8];
  // Lists the character owns; they refer to characters without owning them.
  std::unique_ptr<CCharacterList> ownedList1;
  std::unique_ptr<CCharacterList> ownedList2;
  CCharacter* lastAttacker = nullptr;  // not owned; cleared when it leaves the floor
  std::int32_t actionPoints = 0;
  std::int32_t regenProgress = 0;  // players: hundredths of a hit point
  std::int32_t doubleAttackTarget = 0;
  std::int32_t doubleAttackCount = 0;
  std::int32_t shotsResolved = 0;
  std::int32_t damageTaken = 0;
  AttackType lastAttackType = 0;
  CItem** items = nullptr;  // players point it at their 37 slots
  std::int32_t itemCount = 0;
  std::int32_t itemCapacity = 0;
  std::int32_t selectedItem = 0;
  CharacterType causeOfDeath = 0;  // the killer's type, or 403-405

protected:
  // Turn holds: one bit per action range that holds the turn now. A range
  // holds once however often it is entered; dropping gives back whether it
  // held, releasing also releases the turn.
  static constexpr std::uint8_t AttackHold = 1, ThrowHold = 2, ItemUseHold = 4, ActionHold = 8, HurtHold = 16,
                                DyingHold = 32, ShotHold = 64;
  void TakeRangeHold(std::uint8_t range);
  bool DropRangeHold(std::uint8_t range);
  void ReleaseRangeHold(std::uint8_t range);
  // The map marker cell of picture 7 at `sourceX`, blinking, darker over
  // ground not yet seen; false without a floor or off the map.
  bool DrawMarkerCell(int sourceX, int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) const;
  // Off the floor: nobody refers to it any more, it is no longer alive and
  // its cell is free.
  void LeaveFloor();

private:
  void InflictTimed(StatusKind kind, int turns);
  void SetCounter(StatusKind kind, int turns);
  // The timed kinds through the class's own operations.
  void InflictKind(StatusKind kind, int turns);
  int RollOnHitKind(StatusKind kind) const;
  int RollCounterKind(StatusKind kind) const;

  void EndHurtPose(AnimationEntry entry);
  // Raises hp by amount, to GetMaxHP at most (never lowering it).
  void Heal(std::int64_t amount);
  std::uint8_t rangeHolds = 0;
};
