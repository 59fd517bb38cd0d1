#pragma once
// The short-lived actors of the floor's effect list: floating numbers and
// captions, hit bursts, missiles in flight, the flames of a pyrokinesis and
// the hop of a dropped item. Each plays one entry of its own 364-entry table
// and leaves the floor when it falls to entry 0; most hold the turn until
// then, once, and give that hold back however they end, deletion included.
#include <cstdint>

#include "characters/CCharacter.h"

class CItem;

constexpr CharacterType EffectCharacterType = 4096;
constexpr int EffectFrameCount = 364;
// Bytes of a caption, terminator included.
constexpr int EffectCaptionSize = 20;

// The entries the rest of the game starts.
constexpr AnimationEntry EffectWhiteNumber = 10;
constexpr AnimationEntry EffectGreenNumber = 20;
constexpr AnimationEntry EffectCyanNumber = 30;
constexpr AnimationEntry EffectMiss = 40;
constexpr AnimationEntry EffectLevelUp = 50;
constexpr AnimationEntry EffectRisingItem = 60;
constexpr AnimationEntry EffectThrownItem = 70;
constexpr AnimationEntry EffectDroppedItem = 80;
constexpr AnimationEntry EffectThrownWeapon = 90;  // 90, 100, ..., 130 by weapon kind
constexpr AnimationEntry EffectKunai = 140;
constexpr AnimationEntry EffectArrow = 150;
constexpr AnimationEntry EffectWandBolt = 160;
constexpr AnimationEntry EffectReachShot = 170;
constexpr AnimationEntry EffectCaption = 180;
constexpr AnimationEntry EffectHeldCaption = 190;
constexpr AnimationEntry EffectPyrokinesis = 274;
constexpr AnimationEntry EffectBreath = 284;     // bursts into 286
constexpr AnimationEntry EffectGhostFire = 294;  // bursts into 296
constexpr AnimationEntry EffectSpell = 304;      // bursts into 306

class CCharacterEffect : public CCharacter {
public:
  CCharacterEffect();
  // Gives back the hold it still carries and deletes the item it owns.
  ~CCharacterEffect() override;

  void TickAnimation() override;
  void Draw() override;
  // -1 changes nothing; an entry outside the table ends the effect.
  void SetAnimation(AnimationEntry entry) override;

  // The caption, cut to 19 bytes at a whole character.
  virtual void SetCaption(const char* text);
  const char* GetCaption() const { return caption; }
  virtual void SetValue(int range) { value = range; }
  virtual int GetValue() const { return value; }
  // Steps of flight per cell of the current entry: 1, 2, or 0 for what does
  // not fly.
  virtual int GetStepsPerCell() const;
  // The ends of a flight; each ends the effect.
  virtual void OnHitCharacter(CCharacter* target);
  virtual void OnHitWall();
  virtual void OnLeaveMap();
  virtual void OnRangeEnd();

  // An item shown in flight or rising: the effect deletes it when it ends.
  void CarryItem(CItem* item);
  // An item the effect reveals (a dropped item) or completes the use of (a
  // laid trap): it belongs to the floor and is never deleted here.
  void LinkItem(CItem* item);
  CItem* GetItem() const { return item; }
  bool OwnsItem() const { return ownsItem; }
  // The character it acts for (the shooter, the caster): the first of its
  // participants, or null. Only a pointer: it may have left the floor.
  CCharacter* GetParticipant() const;
  void SetParticipant(CCharacter* character);
  bool HoldsTurn() const { return holdsTurn; }

  // ---- Spawning. Each builds an effect, starts its entry and puts it on
  // the current floor's effect list, which owns it from then on. Without a
  // floor nothing is shown: the effect (and an item given to carry) is
  // deleted and null returned.
  // A rising number: 10 white, 20 green, 30 cyan.
  static CCharacterEffect* SpawnNumber(int x, int y, AnimationEntry entry, int number);
  // A rising caption in a colour: 180, or 190 holding the turn after
  // `delay` frames.
  static CCharacterEffect* SpawnCaption(int x, int y, AnimationEntry entry, const char* text, int red, int green,
                                        int blue, int delay);
  // A missile from the shooter's cell along its facing, for `range` cells
  // (-1 unlimited), carrying `picture` (owned; may be null); `startStep`
  // steps are counted as already flown.
  static CCharacterEffect* SpawnMissile(CCharacter* shooter, AnimationEntry entry, CItem* picture, int range,
                                        int startStep);
  // Flames on a cell for 10 frames, then `damage` of fire to whoever lives
  // there, from `caster`.
  static CCharacterEffect* SpawnFire(int x, int y, Direction facing, int damage, CCharacter* caster);
  // An item-use burst (194, 204, ..., 264) whose end completes `linked`'s
  // use, if it still lies on the burst's cell then.
  static CCharacterEffect* SpawnItemBurst(int x, int y, AnimationEntry entry, CItem* linked);
  // A dropped item lying hidden on its cell hops there from (fromX, fromY)
  // and is revealed.
  static CCharacterEffect* SpawnDroppedItem(CItem* dropped, int fromX, int fromY);
  // An item's sprite rising over a cell; the effect owns and deletes it.
  static CCharacterEffect* SpawnRisingItem(int x, int y, CItem* shown);

  // The number a floating number shows; the fire's damage.
  std::int32_t Number = 0;
  // Drawing offsets in layout units (the flames' scatter).
  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;

private:
  void TakeHold();
  void ReleaseHold();
  // The last thing any end does: the entry falls to 0, the owned item goes
  // and the hold is given back; nothing of the effect is touched after it.
  void Finish();
  void StepFlight();
  // The participant's hook for the flight that ended.
  void EndFlight();
  void SpawnFlame();
  void DrawRecordFrame(int screenX, int screenY, int stepsX, int stepsY);
  void DrawRising(int screenX, int screenY);

  std::int32_t value = -1;
  char caption[EffectCaptionSize] = {};
  CItem* item = nullptr;
  bool ownsItem = false;
  bool holdsTurn = false;
};

// Whether `character` still stands on the floor: listed among the game's
// characters, its dying chain not ended and its hit points above 0. Only
// compares the pointer until it is found listed, so a character already
// deleted is never touched.
bool IsLivingParticipant(const CCharacter* character);
