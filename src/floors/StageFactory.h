#pragma once
// Every floor object is made here from its StageId, and named by it.
#include "floors/StageIds.h"

class CStageData;
class CGameMain;

// A new floor of that id, owned by the caller, only constructed (no draw but
// the gallery's area choice for 800); null for an id that names no floor.
CStageData* CreateStage(StageId id);

// The first floor of stage-select entry 0-7, only constructed; null for any
// other entry.
CStageData* CreateFirstStage(int dungeonIndex);

// Going down the stairs: the floor counter rises, the current floor's next
// floor is made, the old floor's characters (all but the player) and the old
// floor are deleted, and the new floor is installed and generated. When the
// current floor has no next floor, nothing changes (the counter stays) and
// the answer is false.
bool GoDownToNextFloor(CGameMain& game);
