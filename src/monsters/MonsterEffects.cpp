// Until effect characters exist a missile ends as it leaves and a dropped
// item shows at once: the game plays the same, without the pictures.
#include "monsters/MonsterEffects.h"

#include "items/CItem.h"

void LaunchMonsterMissile(CCharacter* shooter, AnimationEntry, CItem* picture) {
  delete picture;
  if (shooter) shooter->ResolveShot();
}

void ShowDroppedItem(CItem* item, int, int) {
  if (item) item->SetRevealed(true);
}
