// What a thrown or shot item does when it reaches a character.
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "floors/CStageData.h"
#include "items/CItem.h"

namespace {

// The places of a bag to look through: the player's 37.
constexpr int MaxBagPlaces = 37;

bool IsCarriedBy(const CCharacter* user, const CItem* item) {
  if (!user) return false;
  for (int place = 0; place < MaxBagPlaces; ++place)
    if (user->GetItem(place) == item) return true;
  return false;
}

// One piece of the item lands near the target; a carried stack gives a
// copy and keeps the rest.
void DropPieceNear(CItem* item, CCharacter* user, const CCharacter* target, bool carried) {
  CStageData* stage = GetGameMain()->CurrentStage;
  CItem* piece = item;
  if (carried && item->GetCount() > 1) {
    piece = item->Clone();
    if (!piece) return;
    piece->SetCount(1);
  }
  piece->SetEquipped(false);
  if (!stage || !stage->DropItemNearForced(target->GetX(), target->GetY(), piece)) {
    // Nowhere to lie: a carried piece stays in the bag, any other is lost.
    if (piece != item || !carried) delete piece;
    return;
  }
  if (piece == item) {
    if (carried) user->RemoveItem(item);
  } else {
    item->SetCount(item->GetCount() - 1);
  }
}

// The piece is used up.
void UseUpPiece(CItem* item, CCharacter* user, bool carried) {
  if (carried && item->GetCount() > 1) {
    item->SetCount(item->GetCount() - 1);
    return;
  }
  if (carried) user->RemoveItem(item);
  if (!IsCarriedBy(user, item)) delete item;
}

}  // namespace

void CItem::ResolveThrow(CCharacter* user, CCharacter* target) {
  const bool carried = IsCarriedBy(user, this);
  if (!target) {
    if (!carried) delete this;
    return;
  }
  Thrower = user;
  ThrowTarget = target;
  target->lastAttacker = user;
  const bool hit = RollThrowHit(user, target);
  if (!hit) {
    target->ShowMissEffect();
    target->OnMiss();
    GetStateController()->Hold();
    GetStateController()->Release();
  } else {
    ApplyHit(user, target);
  }
  // A returning piece stays with its thrower.
  if (RollReturn()) {
    if (!carried) delete this;
    return;
  }
  if (!hit || RollUnbreakable())
    DropPieceNear(this, user, target, carried);
  else
    UseUpPiece(this, user, carried);
}
