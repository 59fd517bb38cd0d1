#pragma once
// One item in the suspended game: a u32 length of 256, then a 256-byte
// record, little-endian. The record holds what CopyFrom copies; the kind's
// constants come back from its construction.
#include <cstdint>

#include "items/CItem.h"

class CSaveFile;

constexpr std::uint32_t ItemRecordSize = 256;

struct ItemRecord {
  std::uint8_t Bytes[ItemRecordSize];
};

// Fills the whole record from the item; unused bytes are 0.
void PackItemRecord(const CItem& item, ItemRecord& record);

// Copies the stored fields of a record into an item of the record's kind,
// trusting none of them: the category and base values stay the kind's, the
// count, charges, refinement and cell are brought into their ranges, only
// fusable stones within the item's enchant slots are kept (in front), and
// "equipped" holds only for equipment.
void RecordToItem(const ItemRecord& record, CItem& item);

// Reads one entry from the open file. False when the entry could not be
// read whole or its length is not 256: the stream cannot be followed past
// it. True otherwise, with item the rebuilt item (owned by the caller), or
// null when the record's id is no kind's, which a caller skips.
bool LoadItem(CSaveFile& file, CItem*& item);
