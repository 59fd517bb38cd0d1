#include "floors/SpecialStages.h"

CStageData* CreateSpecialStage(StageId) { return nullptr; }
