#include "floors/GalleryPick.h"

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/CStageData.h"
#include "floors/StageIds.h"

namespace {

void Scale(CCharacter& monster, int percent) {
  for (std::int32_t* value : {&monster.maxHp, &monster.hp, &monster.attack, &monster.strength, &monster.intelligence})
    *value = *value * percent / 100;
}

}  // namespace

CCharacter* ApplyGalleryLevel(CCharacter* monster, std::int64_t floorNumber) {
  if (monster == nullptr) return nullptr;
  monster->SetLevel(ClampFloorNumber(floorNumber));
  const std::int32_t type = monster->type;
  // The Mimic and the Treant stand above the graded families: tested first,
  // they get the 110 % of grade 2 whatever their place in the grades.
  if (type > 360) {
    Scale(*monster, 110);
  } else if ((type - 256) % 3 == 0) {
    if (monster->exp < 1) monster->exp = 1;
  } else if ((type - 256) % 3 == 2) {
    Scale(*monster, 120);
    if (monster->exp < 1) monster->exp = 1;
  } else {
    Scale(*monster, 110);
  }
  return monster;
}

CCharacter* PickGalleryEnemy(CStageData& floor) {
  return ApplyGalleryLevel(floor.PickFromSpawnTable(floor.GetSpawnTable()),
                           static_cast<std::int32_t>(GetGameMain()->Settings.Block.FloorNumber));
}
