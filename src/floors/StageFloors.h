#pragma once
// The floor classes of the seven fixed dungeons: each is its area plus its
// own spawn table and the floor below it (one row each of the floor list).
#include "floors/SpawnTables.h"
#include "floors/SpecialStages.h"
#include "floors/StageAreas.h"
#include "floors/StageFactory.h"

template <StageId Id, class Area, StageId Next>
class CStageFloor : public Area {
public:
  static constexpr StageId FloorStageId = Id;
  static constexpr StageId NextStageId = Next;

  const SpawnEntry* GetSpawnTable() override { return GetFloorSpawnTable(Id); }
  // The floor below, owned by the caller; null under a last floor.
  CStageData* CreateNextFloor() override { return Next == NoStage ? nullptr : CreateStage(Next); }
};

template <StageId Id, class Area, StageId Next>
class CStageHandMadeFloor : public CStageFloor<Id, Area, Next> {
public:
  void GenerateFloor() override { GenerateHandMadeFloor(*this); }
  bool OnTurnEvent(int x, int y) override { return RunHandMadeFloorEvent(*this, x, y); }
};

#define FLOOR(name, id, area, next) using name = CStageFloor<id, area, next>;
#define HANDMADE(name, id, area, next) using name = CStageHandMadeFloor<id, area, next>;
#include "floors/FloorList.inc"
#undef HANDMADE
#undef FLOOR
