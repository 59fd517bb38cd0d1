#pragma once
// The floors whose classes come with their own layouts: the hand-made last
// floors of the fixed dungeons (the HANDMADE rows of the floor list, the
// ALCHEMIST'S LAB floors 36 and 37 among them), the tutorial (500) and the
// gallery's areas and floor 100 (801-817).
#include "floors/StageIds.h"

class CStageData;

// A new floor of one of those ids, only constructed and with its StageId
// set, owned by the caller; null for any other id, and for now for all of
// them: their classes are still to come.
CStageData* CreateSpecialStage(StageId id);
