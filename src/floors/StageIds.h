#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/TextTable.h"

// A StageId names one floor of one dungeon; the floor number within the
// dungeon is id - first id + 1. 800 only asks for a random gallery area and is
// never stored in a floor.
using StageId = std::int32_t;

constexpr StageId NoStage = -1;
constexpr StageId TutorialStage = 500;
constexpr StageId GalleryRandomStage = 800;
constexpr StageId GalleryFirstArea = 801;
constexpr StageId GalleryLastArea = 816;
constexpr StageId GalleryLastFloorStage = 817;
constexpr int GalleryAreaCount = 16;

// One dungeon's range of ids. DungeonIndex is the stage-select entry, -1 for
// the cave that no entry leads to.
struct DungeonRange {
  TextId Name;
  StageId First;
  int Floors;
  int DungeonIndex;
};

// The seven dungeons whose every floor has a class of its own, in the order of
// their rows in the floor table.
constexpr int FixedDungeonCount = 7;
extern const DungeonRange FixedDungeons[FixedDungeonCount];
constexpr int FixedFloorCount = 143;

// The fixed dungeon holding the id, or null (tutorial, gallery and gaps too).
const DungeonRange* FindFixedDungeon(StageId id);
// Index 0-142 of the id among the fixed dungeons' floors, -1 for any other id.
int GetFixedFloorIndex(StageId id);
// The first floor of stage-select entry 0-7, NoStage for any other.
StageId GetFirstStageOfDungeon(int dungeonIndex);

// The floor's display name in the current language, written into the buffer
// (cut to its size at a character boundary); an id that names no floor leaves
// the buffer untouched. Returns the buffer.
char* GetStageName(StageId id, char* buffer, std::size_t size);
// The same into a buffer of StageNameSize bytes.
constexpr std::size_t StageNameSize = 64;
char* GetStageName(StageId id, char* buffer);

// Floor numbers that size counts and levels are brought into 1-100.
int ClampFloorNumber(std::int64_t floorNumber);

// The gallery's random area for floor F: rand() % 800 over 16 weighted rows.
// Draws one number.
StageId PickGalleryArea(int floorNumber);
// The area a roll 0-799 of that draw gives: rows walked in table order.
StageId GetGalleryAreaForRoll(int roll, int floorNumber);
// Weight of row 0-15 of the area choice at floor F (F clamped to 1-100).
int GetGalleryAreaWeight(int row, int floorNumber);
StageId GetGalleryAreaStage(int row);
