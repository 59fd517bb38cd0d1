#pragma once
// The floors whose classes come with their own layouts: the hand-made last
// floors of the fixed dungeons (the HANDMADE rows of the floor list, the
// ALCHEMIST'S LAB floors 36 and 37 among them), the tutorial (500) and the
// gallery's areas and floor 100 (801-817). Their maps are tables here.
#include <cstdint>

#include "floors/StageIds.h"

class CStageData;
using TerrainCode = std::uint32_t;

// A new tutorial or gallery floor (500, 801-817), only constructed and with
// its StageId set, owned by the caller; null for any other id (the fixed
// dungeons' hand-made floors are made from the floor list).
CStageData* CreateSpecialStage(StageId id);

// What the hand-made floors do instead of generation, by their StageId: lay
// their map, their player, their goal item or their characters; and the
// events of their cells (ALCHEMIST'S LAB floor 36 alone has any).
void GenerateHandMadeFloor(CStageData& floor);
bool RunHandMadeFloorEvent(CStageData& floor, int x, int y);

// A last floor with the goal item: one open hall walled on every side, the
// player at one end and the goal at the other.
struct GoalFloorRow {
  StageId Id;
  std::int32_t Goal;  // ItemId
  int Left, Right, Top, Bottom;
  int StartX, StartY;
  int GoalX, GoalY;
};
// The row of the floor, null for a floor that is not one of the seven.
const GoalFloorRow* FindGoalFloorRow(StageId id);

// ALCHEMIST'S LAB floor 36: its flag of the sprung trap room, and the room.
constexpr int LabTrapFlag = 0;
constexpr int LabTrapLeft = 30, LabTrapRight = 36, LabTrapTop = 17, LabTrapBottom = 23;

namespace handmade {

// A map drawn as text: row r is y = FirstY + r, sign c of a row is
// x = FirstX + c; every cell the text leaves out is `Outside`.
struct Map {
  const char* const* Rows;
  int RowCount;
  int FirstX, FirstY;
  TerrainCode Outside;
  TerrainCode (*Sign)(char);
};
void LayMap(CStageData& floor, const Map& map);

// The player straight into the grid at (x, y), its own cell set to it, the
// camera there; its facing stays.
void PlacePlayer(CStageData& floor, int x, int y);

// Every entry of the direction and pointer histories taken, so that a held
// key does not carry the player past a message.
void StopHeldMoves();

}  // namespace handmade
