#pragma once
// The numbers of the monsters, as data: one row per graded class (its stats
// and its animation table) and one row per family (its sheets, drops and the
// constants that switch on the shared combat rules). The classes read their
// rows; only behaviour is written as code.
//
// A new family adds its class rows to a table of its own (listed in
// MonsterTables.cpp) and its animation tables beside them; its family row
// below is already filled.
#include <cstdint>

#include "characters/CCharacter.h"
#include "items/CItem.h"
#include "platform/PictureTable.h"
#include "platform/SoundTables.h"

constexpr CharacterType FirstMonsterType = 256;
constexpr CharacterType LastMonsterType = 367;
constexpr int MonsterFamilyCount = 38;  // 36 families, the Treant and the Alchemist

// One entry of a family's animation table. Every frame is a square cell of
// the sheet around (SheetX, SheetY); SheetY -1 is the family's row, Picture
// -1 the grade's sheet.
struct MonsterFrameRow {
  std::int16_t Entry;
  std::int16_t SheetX;
  std::int16_t Ticks;
  std::int16_t Next;
  std::int16_t SheetY = -1;
  std::int16_t Box = 20;  // the cell reaches -Box .. Box-1 around its centre
  std::int16_t Picture = -1;
};

// The table the grades of a family share (a row names its own when they
// differ). Entry 0 is written from entry 10.
struct MonsterAnimation {
  std::int16_t RowY;
  const MonsterFrameRow* Frames;
  int Count;
};

// One graded class, in the order of the stats tables: what its constructor
// writes. A permanent status starts at -1 and never runs out.
struct MonsterClassRow {
  CharacterType Type;
  std::int32_t Level, Exp, Hp, MaxHp, Attack, Defence, Magic, SecondAttack;
  AnimationEntry StrikeEntry;
  PictureId Picture;
  const MonsterAnimation* Animation;
  std::int32_t Alpha = 255;
  std::int32_t PermanentStatus = -1;  // a StatusKind, or -1
  AnimationEntry ShotEntry = -1;
};

// One roll of a drop chain: it succeeds when a fresh number modulo 100 is
// below Percent. A chain ends with Item -1; DropAlways gives its item
// without drawing.
constexpr std::int32_t DropAlways = -1;
struct DropRoll {
  std::int32_t Percent;
  ItemId Item;
};

// A melee blow's chance, per grade, to queue a status on whom it hits.
struct OnHitRow {
  std::int32_t Kind = -1;  // a StatusKind, or -1
  std::int32_t Chance[3] = {};
};

// A sound played when the family's animation enters an entry.
struct SoundCue {
  AnimationEntry Entry = -1;
  SoundEffectId Sound = -1;
};

// A family's hooks. Grades are 1-3; a value of -1 where the field says so
// keeps the character base's answer.
struct MonsterFamilyRow {
  const char* Name;
  PictureId Sheets[3];
  PictureId ExtraSheets[3] = {-1, -1, -1};  // loaded after the own sheet
  const DropRoll* Drops[3];
  std::uint8_t PoisonousGrades = 0;  // bit g-1 for grade g
  bool Dragon = false;
  bool AlwaysDoubleAttack = false;
  std::int32_t FireDamageCut = 0;
  std::int32_t StatusResistance = -1;
  std::int32_t DeathResistance = 0;
  std::int32_t GuardChance = 0;
  std::int32_t CriticalChance = -1;
  std::int32_t CounterDamagePercent = -1;
  std::int32_t RandomMoveChance = 0;
  OnHitRow OnHit[2] = {};
  // The paralysis laid on every melee attacker that hits, without a roll.
  std::int32_t CounterParalyzeTurns[3] = {};
  // The paralysing hit does nothing while the player is already paralysed.
  bool SparesParalyzedPlayer = false;
  // A weakening hit lasts 10 + (a second draw modulo 5) turns.
  bool LongWeakness = false;
  // Waits near the player while unhurt.
  bool HoldsStillUnhurt = false;
  CharacterType SummonType[3] = {-1, -1, -1};
  SoundCue Sounds[8] = {};
};

// The family of a monster type and its grade 1-3; null and 0 outside the
// monster ids.
const MonsterFamilyRow* FindMonsterFamily(CharacterType type);
int MonsterGrade(CharacterType type);
// The class row of a type; null for a type whose class has no row.
const MonsterClassRow* FindMonsterClass(CharacterType type);

// The class tables, each ended by a row of type -1.
extern const MonsterClassRow SlimeToManaEaterClasses[];
extern const MonsterClassRow SkeletonToVampireClasses[];
extern const MonsterClassRow GorgonToAlchemistClasses[];
