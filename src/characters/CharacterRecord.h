#pragma once
// One character in the suspended game: a u32 length of 296, the 296-byte
// little-endian record of its fields, then the record of every item it
// carries, in slot order. The class's constants and animation table come
// back from its constructor, not from the record.
#include <cstdint>

#include "characters/CCharacter.h"
#include "characters/CharacterFactory.h"

class CSaveFile;

constexpr std::uint32_t CharacterRecordSize = 296;

struct CharacterRecord {
  std::uint8_t Bytes[CharacterRecordSize];
};

// Fills the whole record (padding 0). Its item count is the number of
// filled inventory slots: the records that follow it.
void CharacterToRecord(const CCharacter& character, CharacterRecord& record);

// Copies the stored fields into a character built for the record's type.
// DEX and INT are taken only when above 0; the item count is left to the
// items as they are added.
void RecordToCharacter(const CharacterRecord& record, CCharacter& character);

// Whether the record can stand for `built`, a fresh character of its type:
// a type the capture writes (never an effect or a companion), alive with
// some HP, padding 0, and every word within what play leaves at a turn's
// start: stats, level, counters, colours, sprite values and cells, an
// animation entry of the class's table that does not run off the floor,
// and an item count the class can carry. A monster's HP is within its
// maximum; the player's is checked with what it wears.
bool IsSoundCharacterRecord(const CharacterRecord& record, const CCharacter& built);

// The filled inventory slots, from the first to the capacity.
int CountCarriedItems(const CCharacter& character);

std::int32_t GetRecordType(const CharacterRecord& record);
std::int32_t GetRecordItemCount(const CharacterRecord& record);

using CharacterMaker = CCharacter* (*)(CharacterType);

// Reads one character and its items from the open file and builds it with
// `make`. Null, with nothing left over, when the length is not 296, a read
// falls short, the type has no class, the record is not sound, or an item
// record cannot be read or names no kind. Items the character refuses are
// deleted.
CCharacter* LoadCharacter(CSaveFile& file, CharacterMaker make = &CreateCharacter);
