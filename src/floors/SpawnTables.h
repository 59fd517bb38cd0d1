#pragma once
#include <cstdint>

#include "floors/CStageData.h"
#include "floors/StageIds.h"

// SpawnEntry (CStageData.h) is one row of a floor's spawn table: a monster
// type, how often it is picked (0 = never, but its pictures still load with
// the floor) and the chance in percent that it starts asleep. A table ends
// with a row of type -1.

constexpr std::int32_t SpawnTableEnd = -1;

// The table of a fixed dungeon's floor class, null for the floors that have
// none (the hand-made last floors) and for every other id.
const SpawnEntry* GetFloorSpawnTable(StageId id);
// The table of a gallery area 801-816, null for any other id.
const SpawnEntry* GetGalleryAreaSpawnTable(StageId id);
// The gallery dungeon's own table: every gallery type, walked when a gallery
// floor releases its monsters' pictures.
const SpawnEntry* GetGalleryBaseSpawnTable();

// The row a roll 0 .. total - 1 picks: the first whose running sum of
// weights exceeds it, in stored order. Null for a roll outside the total.
const SpawnEntry* GetSpawnRowForRoll(const SpawnEntry* table, int roll);

// Rows before the end row, and the sum of their weights (0 for null).
int CountSpawnRows(const SpawnEntry* table);
int GetSpawnTotalWeight(const SpawnEntry* table);
