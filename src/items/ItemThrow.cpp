// What becomes of a thrown or shot item once it reaches a character. A
// piece that the thrower holds leaves its hands only by pointer and only
// once it has somewhere to be; a piece handed over for the throw alone (a
// monster's arrow) is deleted wherever a held one would stay or be used up.
#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "items/ItemEffects.h"

namespace {

// One piece lands near (x, y): a held stack gives a copy of one, a single
// item goes itself. With no room to land, the piece stays where it was.
void DropPieceNear(CItem* item, CCharacter& user, bool held, int x, int y) {
  CStageData* stage = GetGameMain()->CurrentStage;
  if (held && item->GetCount() > 1) {
    CItem* piece = item->Clone();
    if (!piece) return;
    piece->SetCount(1);
    piece->SetEquipped(false);
    if (stage && stage->DropItemNearForced(x, y, piece))
      item->SetCount(item->GetCount() - 1);
    else
      delete piece;
    return;
  }
  if (!stage || !stage->DropItemNearForced(x, y, item)) {
    if (!held) delete item;
    return;
  }
  if (held) {
    user.RemoveItem(item);
    // What the thrower could not let go of must not lie on the floor too.
    if (HoldsItem(user, item)) {
      stage->RemoveItemAt(item->GetX(), item->GetY());
      return;
    }
  }
  item->SetEquipped(false);
}

// One piece is used up.
void UseUpPiece(CItem* item, CCharacter& user, bool held) {
  if (!held || TakeOnePiece(user, item)) delete item;
}

}  // namespace

void CItem::ResolveThrow(CCharacter* user, CCharacter* target) {
  const bool held = user && HoldsItem(*user, this);
  // Nobody to throw it, or nobody left to reach: it goes nowhere.
  if (!user || !IsHittable(target)) {
    if (!held) delete this;
    return;
  }
  Thrower = user;
  ThrowTarget = target;
  target->lastAttacker = user;
  const int targetX = target->GetX(), targetY = target->GetY();

  if (!RollThrowHit(user, target)) {
    target->ShowMissEffect();
    target->OnMiss();
    BracketTurn();
    // A miss never breaks the item.
    if (RollReturn()) {
      if (!held) delete this;
      return;
    }
    DropPieceNear(this, *user, held, targetX, targetY);
    return;
  }
  ApplyHit(user, target);
  if (RollReturn()) {
    if (!held) delete this;
  } else if (RollUnbreakable()) {
    DropPieceNear(this, *user, held, targetX, targetY);
  } else {
    UseUpPiece(this, *user, held);
  }
}
