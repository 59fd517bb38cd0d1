#include "characters/CharacterRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/ItemRecord.h"
#include "platform/ByteOrder.h"
#include "platform/CSaveFile.h"

namespace {

constexpr int SpareFlagAt = 0;
constexpr int AliveAt = 1;
// A monster's target cell, x and y, one byte each: the cell + 1, 0 for
// none, so a record written before they were kept reads as no target.
constexpr int TargetXAt = 2;
constexpr int TargetYAt = 3;
constexpr int TypeAt = 4;
constexpr int ExpAt = 12;
constexpr int HpAt = 20;
constexpr int MaxHpAt = 24;
constexpr int SureHitAt = 44;
constexpr int SpriteRotationAt = 200;
constexpr int SpriteScaleAt = 208;
constexpr int ItemCountAt = 256;
constexpr int DexterityAt = 268;
constexpr int IntelligenceAt = 272;
constexpr int ExtraWordsAt = 280;
constexpr int PaddingAt[] = {45, 46, 47};

// The words stored as they are, by offset.
struct WordField {
  int At;
  std::int32_t CCharacter::*Field;
};
constexpr WordField WordFields[] = {
    {4, &CCharacter::type},
    {8, &CCharacter::level},
    {16, &CCharacter::satiety},
    {20, &CCharacter::hp},
    {24, &CCharacter::maxHp},
    {28, &CCharacter::attack},
    {32, &CCharacter::defence},
    {36, &CCharacter::accuracy},
    {40, &CCharacter::evasion},
    {48, &CCharacter::criticalChance},
    {52, &CCharacter::counterDamagePercent},
    {56, &CCharacter::maxHpX100},
    {60, &CCharacter::strength},
    {64, &CCharacter::spareStat},
    {68, &CCharacter::meleeAttackType},
    {72, &CCharacter::meleeReach},
    {76, &CCharacter::passesWalls},
    {80, &CCharacter::x},
    {84, &CCharacter::y},
    {88, &CCharacter::prevX},
    {92, &CCharacter::prevPrevX},
    {96, &CCharacter::prevY},
    {100, &CCharacter::prevPrevY},
    {104, &CCharacter::direction},
    {172, &CCharacter::regenAmount},
    {216, &CCharacter::moveStep},
    {220, &CCharacter::actionPoints},
    {224, &CCharacter::regenProgress},
    {228, &CCharacter::animEntry},
    {232, &CCharacter::animTick},
    {236, &CCharacter::animSpare},
    {240, &CCharacter::alpha},
    {244, &CCharacter::red},
    {248, &CCharacter::green},
    {252, &CCharacter::blue},
    {260, &CCharacter::selectedItem},
    {264, &CCharacter::magicDamageCut},
};

// ---- What play can leave in a record at a turn's start: one row per word,
// the only place the loader's ranges are kept.
//
// The capture writes the player, the monsters and the mining points; the
// effects (4096) and the companions (4097) never stand in the game's list.
constexpr CharacterType FirstUnsavedType = 4096;
// Play never moves these words out of the class's own value: a sprite is
// drawn at most at the constructors' scale of 4 and never turned.
constexpr double MostSpriteScale = 4.0;
constexpr double MostSpriteRotation = 360.0;
// Levels run 1-99 for everyone: the classes start at 1, and levelling and
// the monsters' level curves stop at both ends.
constexpr std::int32_t LeastLevel = 1, MostLevel = 99;
// The strongest monster at level 99 has under 3000 attack, 2000 STR and
// 100 defence (the gallery adds a fifth); potions add one point of a stat
// each. A million is far beyond all of it, and keeps every product the
// combat code forms from a stat (x 120 %, x 2, x level) inside 32 bits.
constexpr std::int32_t StatLimit = 1000000;
// Hit points: a monster at level 99 has under 1500; ten million is far
// beyond it. The player's maximum is kept in hundredths.
constexpr std::int32_t HpLimit = 10000000;
// The counters a turn adds to (action points, regeneration progress)
// stay far from overflowing.
constexpr std::int32_t CounterLimit = 1000000;
// Food and drink fill the stomach to 2000 at most.
constexpr std::int32_t MostSatiety = 2000;
constexpr std::int32_t I32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t I32Max = std::numeric_limits<std::int32_t>::max();

struct WordRange {
  int At;
  std::int32_t Low, High;
};
constexpr WordRange WordRanges[] = {
    {8, LeastLevel, MostLevel},         // level
    {12, 0, I32Max},                    // exp: the record keeps it at its top
    {16, 0, MostSatiety},               // satiety
    {20, 1, HpLimit},                   // hp: a living character has some
    {24, 0, HpLimit},                   // maxHp
    {28, 0, StatLimit},                 // attack
    {32, 0, StatLimit},                 // defence
    {36, 0, StatLimit},                 // accuracy
    {40, 0, StatLimit},                 // evasion
    {48, 0, 100},                       // criticalChance, a percent
    {52, 0, 100},                       // counterDamagePercent
    {56, 0, 100 * HpLimit},             // maxHpX100: hundredths
    {60, 0, StatLimit},                 // strength
    {64, 0, StatLimit},                 // spareStat
    {68, 0, 7},                         // meleeAttackType: the attack kinds 0-7
    {72, 0, 1},                         // meleeReach: adjacent, or a straight line
    {76, 0, 1},                         // passesWalls
    {80, 0, StageMapSize - 1},          // x, y and the cells before
    {84, 0, StageMapSize - 1},
    {88, 0, StageMapSize - 1},
    {92, 0, StageMapSize - 1},
    {96, 0, StageMapSize - 1},
    {100, 0, StageMapSize - 1},
    {172, 0, StatLimit},                // regenAmount
    {216, 0, 8},                        // moveStep: a step is drawn over 8 frames
    {220, -CounterLimit, CounterLimit}, // actionPoints
    {224, -CounterLimit, CounterLimit}, // regenProgress
    {232, 0, StatusForever},            // animTick stops at its top
    {240, 0, 255},                      // alpha, red, green, blue
    {244, 0, 255},
    {248, 0, 255},
    {252, 0, 255},
    {264, 0, 100},                      // magicDamageCut, a percent
    {268, I32Min, StatLimit},           // dexterity, intelligence: 0 or below is
    {272, I32Min, StatLimit},           // never read, the class keeps its own
};
// A status counter is set, never added to, and counts down: -1 and
// StatusForever never run out, and a status counted down from its top
// stays near it.
constexpr std::int32_t LeastStatusTurns = -1;
// At a turn's start every action has ended: a character stands in an entry
// whose chain, by the table alone, leads to where it stands without playing
// an action (a blow, a throw, a hurt pose, the dying chain, entry 0, or the
// class's own). A record in one would play it before the first command.
bool IsStandingEntry(const CCharacter& built, std::int32_t entry) {
  const auto entries = static_cast<std::int64_t>(built.frames.size());
  // A class without a table stands only at entry 0, and nothing moves it.
  if (entries == 0) return entry == 0;
  for (std::int64_t step = 0; step <= entries; ++step) {
    if (entry < 0 || entry >= entries || built.IsActionEntry(entry)) return false;
    const std::int32_t next = built.frames[static_cast<std::size_t>(entry)].next;
    // -1 holds the entry; an entry outside the table plays the idle one.
    if (next == -1 || next == entry) return true;
    entry = next >= 0 && next < entries ? next : AnimationIdle;
  }
  return true;  // a loop that never reaches an action
}

std::uint8_t PackTargetCoordinate(std::int32_t cell) {
  return cell >= 0 && cell < StageMapSize ? static_cast<std::uint8_t>(cell + 1) : 0;
}

constexpr int DirectionAt = 104;
constexpr int AnimEntryAt = 228;
constexpr int SelectedItemAt = 260;
constexpr Direction Directions[] = {DirectionNone, DirectionLeft,     DirectionRight, DirectionUp,
                                    DirectionUpLeft, DirectionUpRight, DirectionDown,  DirectionDownLeft,
                                    DirectionDownRight};

// The status counters are not in kind order: DISGUISED (10) was added at
// the end, and REGENERATE's amount sits between kinds 16 and 17.
constexpr int StatusAt(int kind) {
  if (kind < 10) return 108 + 4 * kind;
  if (kind == 10) return 276;
  if (kind <= 16) return 148 + 4 * (kind - 11);
  return 176 + 4 * (kind - 17);
}
static_assert(StatusAt(16) == 168 && StatusAt(17) == 176 && StatusAt(22) == 196);

std::int32_t Get(const CharacterRecord& record, int at) { return ReadLEI32(record.Bytes + at); }
void Put(CharacterRecord& record, int at, std::int32_t value) { WriteLEI32(record.Bytes + at, value); }

SavedWords SavedWordsOf(const CharacterRecord& record) {
  SavedWords words{};
  for (int i = 0; i < 4; ++i) words[static_cast<std::size_t>(i)] = Get(record, ExtraWordsAt + 4 * i);
  return words;
}

bool IsCarrying(const CCharacter& character, const CItem* item) {
  if (!character.items) return false;
  for (int slot = 0; slot < character.itemCapacity; ++slot)
    if (character.items[slot] == item) return true;
  return false;
}

}  // namespace

std::int32_t GetRecordType(const CharacterRecord& record) { return Get(record, TypeAt); }
std::int32_t GetRecordItemCount(const CharacterRecord& record) { return Get(record, ItemCountAt); }

int CountCarriedItems(const CCharacter& character) {
  if (!character.items) return 0;
  int n = 0;
  for (int slot = 0; slot < character.itemCapacity; ++slot)
    if (character.items[slot]) ++n;
  return n;
}

void CharacterToRecord(const CCharacter& character, CharacterRecord& record) {
  std::memset(record.Bytes, 0, sizeof record.Bytes);
  record.Bytes[SpareFlagAt] = character.spareFlag;
  record.Bytes[AliveAt] = character.alive;
  record.Bytes[SureHitAt] = character.sureHit;
  for (const WordField& field : WordFields) Put(record, field.At, character.*field.Field);
  // The record has a word for experience; beyond it the count stays at its top.
  Put(record, ExpAt,
      static_cast<std::int32_t>(std::clamp<std::int64_t>(character.exp, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max())));
  for (int kind = 0; kind < StatusKindCount; ++kind) Put(record, StatusAt(kind), character.status[kind]);
  WriteLEF64(record.Bytes + SpriteRotationAt, character.spriteRotation);
  WriteLEF64(record.Bytes + SpriteScaleAt, character.spriteScale);
  Put(record, ItemCountAt, CountCarriedItems(character));
  Put(record, DexterityAt, character.dexterity);
  Put(record, IntelligenceAt, character.intelligence);
  for (int i = 0; i < 4; ++i) Put(record, ExtraWordsAt + 4 * i, character.extraWords[i]);
  std::int32_t targetX = -1, targetY = -1;
  character.GetTargetCell(targetX, targetY);
  if (PackTargetCoordinate(targetX) != 0 && PackTargetCoordinate(targetY) != 0) {
    record.Bytes[TargetXAt] = PackTargetCoordinate(targetX);
    record.Bytes[TargetYAt] = PackTargetCoordinate(targetY);
  }
}

void RecordToCharacter(const CharacterRecord& record, CCharacter& character) {
  character.spareFlag = record.Bytes[SpareFlagAt];
  character.alive = record.Bytes[AliveAt];
  character.sureHit = record.Bytes[SureHitAt];
  for (const WordField& field : WordFields) character.*field.Field = Get(record, field.At);
  character.exp = Get(record, ExpAt);
  for (int kind = 0; kind < StatusKindCount; ++kind) character.status[kind] = Get(record, StatusAt(kind));
  character.spriteRotation = ReadLEF64(record.Bytes + SpriteRotationAt);
  character.spriteScale = ReadLEF64(record.Bytes + SpriteScaleAt);
  // A class that has its own DEX and INT keeps them unless some were stored.
  if (Get(record, DexterityAt) > 0) character.dexterity = Get(record, DexterityAt);
  if (Get(record, IntelligenceAt) > 0) character.intelligence = Get(record, IntelligenceAt);
  character.TakeSavedWords(SavedWordsOf(record));
  character.SetTargetCell(record.Bytes[TargetXAt] - 1, record.Bytes[TargetYAt] - 1);
}

bool IsSoundCharacterRecord(const CharacterRecord& record, const CCharacter& built) {
  const std::int32_t type = Get(record, TypeAt);
  if (type != built.type || type < 0 || type >= FirstUnsavedType) return false;
  if (record.Bytes[AliveAt] != 1 || record.Bytes[SpareFlagAt] > 1 || record.Bytes[SureHitAt] > 1) return false;
  for (int at : PaddingAt)
    if (record.Bytes[at] != 0) return false;
  for (const WordRange& range : WordRanges) {
    const std::int32_t value = Get(record, range.At);
    if (value < range.Low || value > range.High) return false;
  }
  // Only a monster's maximum stands for its HP; the player's comes with
  // what it wears, and the whole run is checked once its items are back.
  if (!dynamic_cast<const CCharacterPlayer*>(&built) && Get(record, HpAt) > Get(record, MaxHpAt)) return false;
  for (int kind = 0; kind < StatusKindCount; ++kind)
    if (Get(record, StatusAt(kind)) < LeastStatusTurns) return false;
  bool knownDirection = false;
  for (Direction d : Directions) knownDirection = knownDirection || Get(record, DirectionAt) == d;
  if (!knownDirection) return false;
  if (!IsStandingEntry(built, Get(record, AnimEntryAt))) return false;
  // A target is a cell of the floor, or none at all.
  const std::uint8_t targetX = record.Bytes[TargetXAt], targetY = record.Bytes[TargetYAt];
  if (targetX > StageMapSize || targetY > StageMapSize || (targetX == 0) != (targetY == 0)) return false;
  if (!built.AreSavedWordsSound(SavedWordsOf(record))) return false;
  const double rotation = ReadLEF64(record.Bytes + SpriteRotationAt);
  const double scale = ReadLEF64(record.Bytes + SpriteScaleAt);
  // Written as comparisons that NaN fails.
  if (!(rotation >= -MostSpriteRotation && rotation <= MostSpriteRotation)) return false;
  if (!(scale >= 0.0 && scale <= MostSpriteScale)) return false;
  const std::int32_t capacity = built.items ? built.itemCapacity : 0;
  const std::int32_t selected = Get(record, SelectedItemAt);
  if (selected < -1 || selected > std::max(0, capacity - 1)) return false;
  const std::int32_t items = Get(record, ItemCountAt);
  return items >= 0 && items <= capacity;
}

CCharacter* LoadCharacter(CSaveFile& file, CharacterMaker make) {
  std::uint8_t length[4];
  if (!file.Read(length, sizeof length, nullptr) || ReadLE32(length) != CharacterRecordSize) return nullptr;
  CharacterRecord record;
  if (!file.Read(record.Bytes, CharacterRecordSize, nullptr)) return nullptr;
  std::unique_ptr<CCharacter> character(make ? make(GetRecordType(record)) : nullptr);
  if (!character || !IsSoundCharacterRecord(record, *character)) return nullptr;
  RecordToCharacter(record, *character);

  // Equipment comes back through the ordinary operations: into the bag,
  // then equipped from there.
  const int count = GetRecordItemCount(record);
  for (int i = 0; i < count; ++i) {
    CItem* item = nullptr;
    if (!LoadItem(file, item) || !item) return nullptr;
    const bool equipped = item->IsEquipped();
    if (!character->AddItem(item)) {
      delete item;  // refused, or what a full stack left over
      continue;
    }
    // A stack the bag merged it into has freed it: equip only what is held as it is.
    if (equipped && IsCarrying(*character, item)) character->Equip(item);
  }
  return character.release();
}

bool CCharacter::WriteSave() {
  CharacterRecord record;
  CharacterToRecord(*this, record);
  CSaveFile& file = GetGameMain()->SaveFile;
  std::uint8_t length[4];
  WriteLE32(length, CharacterRecordSize);
  file.Write(length, sizeof length, nullptr);
  file.Write(record.Bytes, CharacterRecordSize, nullptr);
  for (int slot = 0; items && slot < itemCapacity; ++slot)
    if (items[slot]) items[slot]->Save(file);
  return true;
}
