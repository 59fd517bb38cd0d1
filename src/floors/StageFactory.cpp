#include "floors/StageFactory.h"

#include <new>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "floors/SpecialStages.h"
#include "floors/StageFloors.h"
#include "system/SysPlatform.h"

namespace {

using FloorMaker = CStageData* (*)(StageId);

template <class Floor>
CStageData* MakeFloor(StageId id) {
  CStageData* floor = new (std::nothrow) Floor();
  if (floor != nullptr) floor->StageId = id;
  return floor;
}

// One maker per row of the floor list, in floor order.
constexpr FloorMaker FloorMakers[FixedFloorCount] = {
#define FLOOR(name, id, area, next) &MakeFloor<name>,
#define HANDMADE(name, id, area, next) &MakeFloor<name>,
#include "floors/FloorList.inc"
#undef HANDMADE
#undef FLOOR
};

}  // namespace

CStageData* CreateStage(StageId id) {
  const int index = GetFixedFloorIndex(id);
  if (index >= 0) return FloorMakers[index](id);
  if (id == GalleryRandomStage) {
    // The floor being made is the counter's floor: 1 at a new game, already
    // raised when going down.
    return CreateStage(PickGalleryArea(ClampFloorNumber(GetGameMain()->Settings.Block.FloorNumber)));
  }
  if (id == TutorialStage || (id >= GalleryFirstArea && id <= GalleryLastFloorStage)) return CreateSpecialStage(id);
  return nullptr;
}

CStageData* CreateFirstStage(int dungeonIndex) {
  const StageId first = GetFirstStageOfDungeon(dungeonIndex);
  return first == NoStage ? nullptr : CreateStage(first);
}

bool GoDownToNextFloor(CGameMain& game) {
  if (game.CurrentStage == nullptr) return false;
  std::uint32_t& floorNumber = game.Settings.Block.FloorNumber;
  ++floorNumber;
  CStageData* next = game.CurrentStage->CreateNextFloor();
  if (next == nullptr) {
    // Stairs under a floor with nothing below: stay, rather than be left
    // with no floor at all.
    --floorNumber;
    SysDebugOutput("stage: no floor below the current one, staying\n");
    return false;
  }
  game.Characters.DeleteAllButPlayer();
  delete game.CurrentStage;
  game.CurrentStage = next;
  next->GenerateFloor();
  return true;
}
