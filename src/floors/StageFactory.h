#pragma once
// Every floor object is made here from its StageId, and named by it.
class CStageData;

// A new floor of that id, owned by the caller, only constructed; null for
// an id that names no floor. 800 asks for a random gallery area.
CStageData* CreateStage(int stageId);
// The floor's display name, at most 63 bytes and a terminator.
char* GetStageName(int stageId, char* text);
