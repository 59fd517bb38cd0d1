// Where the player's shots end: each walks the facing line from the player's
// cell once the flying effect has arrived.
#include "app/CGameMain.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"

namespace {

constexpr ItemId Kunai = 0xB8, KunaiPlus = 0xB9;

// What a walk along the facing line met.
struct LineEnd {
  CCharacter* Target = nullptr;  // the first living character
  bool Blocked = false;          // a wall (the edge reads as one on most floors)
  bool LeftMap = false;          // off the map without meeting a wall
  int LastX = 0, LastY = 0;      // the last open cell before the end
};

// Up to `range` cells (-1: no limit) from the character along its facing.
LineEnd WalkFacing(const CCharacter& from, int range) {
  LineEnd end;
  end.LastX = from.GetX();
  end.LastY = from.GetY();
  const CStageData* stage = GetGameMain()->CurrentStage;
  const int dx = from.GetFacingDx(), dy = from.GetFacingDy();
  if (!stage || (dx == 0 && dy == 0)) return end;
  for (int k = 1; range < 0 || k <= range; ++k) {
    const int cellX = from.GetX() + dx * k, cellY = from.GetY() + dy * k;
    if (stage->IsWall(cellX, cellY)) {
      end.Blocked = true;
      return end;
    }
    if (stage->IsOutOfMap(cellX, cellY)) {
      end.LeftMap = true;
      return end;
    }
    CCharacter* standing = stage->GetCharacterAt(cellX, cellY);
    if (standing && standing->alive && standing->hp > 0) {
      end.Target = standing;
      return end;
    }
    end.LastX = cellX;
    end.LastY = cellY;
  }
  return end;
}

}  // namespace

void CCharacterPlayer::SpawnMagicShot() {
  CCharacterEffect::SpawnMissile(this, EffectReachShot, nullptr, GetMagicShotRange(), 0);
}

void CCharacterPlayer::LaunchShot() {
  // Fetched again for every shot: the stack of the last one may be gone.
  const CItem* item = GetItem(GetSelectedItem());
  if (!item) return;
  AnimationEntry entry = EffectThrownItem;
  const WeaponKind kind = item->GetWeaponKind();
  if (item->GetCategory() == ItemCategoryArrow)
    entry = EffectArrow;
  else if (item->GetCategory() == ItemCategoryWeapon && kind >= WeaponKindShortsword && kind <= WeaponKindStaff)
    entry = EffectThrownWeapon + 10 * (kind - WeaponKindShortsword);
  else if (item->GetId() == Kunai || item->GetId() == KunaiPlus)
    entry = EffectKunai;
  CCharacterEffect::SpawnMissile(this, entry, item->Clone(), -1, 0);
}

void CCharacterPlayer::SpawnBoltEffect() { CCharacterEffect::SpawnMissile(this, EffectWandBolt, nullptr, -1, 0); }

void CCharacterPlayer::EndReachShot() {
  if (WalkFacing(*this, GetMagicShotRange()).Target) PerformMeleeAttack();
}

void CCharacterPlayer::EndWandShot() { ResolveWandBolt(GetItem(GetSelectedItem())); }

void CCharacterPlayer::ResolveWandBolt(CItem* wand) {
  // Only a wand the player still has may act; the pointer is not followed
  // before that is known.
  bool held = wand && GetItem(NoSlot) == wand;
  for (int slot = 0; wand && slot < GetInventoryCapacity() && !held; ++slot) held = GetItem(slot) == wand;
  if (!held) return;
  const CStageData* stage = GetGameMain()->CurrentStage;
  const int dx = GetFacingDx(), dy = GetFacingDy();
  if (!stage || (dx == 0 && dy == 0)) return;
  for (int k = 1;; ++k) {
    const int cellX = x + dx * k, cellY = y + dy * k;
    if (stage->IsOutOfMap(cellX, cellY) || stage->IsWall(cellX, cellY)) return;
    CCharacter* standing = stage->GetCharacterAt(cellX, cellY);
    // The dying are passed over.
    if (!standing || !standing->alive || standing->hp <= 0) continue;
    if (standing->IsMagicTarget() && !standing->IsMiningPoint()) wand->ApplyHit(this, standing);
    return;
  }
}

void CCharacterPlayer::EndItemShot() {
  ++shotsResolved;
  const int slot = GetSelectedItem();
  CItem* item = GetItem(slot);
  if (item) {
    const LineEnd end = WalkFacing(*this, -1);
    if (end.Target) {
      item->ResolveThrow(this, end.Target);
    } else if ((end.Blocked || end.LeftMap) && !item->RollReturn()) {
      if (end.Blocked)
        LandBeforeWall(slot, item, end.LastX, end.LastY);
      else
        LoseOffTheMap(slot, item);
    }
  }
  if (shotsResolved >= doubleAttackTarget || hp < 1) EndShots(slot, item);
}

void CCharacterPlayer::LandBeforeWall(int slot, CItem* item, int cellX, int cellY) {
  CStageData* stage = GetGameMain()->CurrentStage;
  if (item->GetCount() > 1) {
    // One of a stack flies as a copy of its own.
    CItem* piece = item->Clone();
    if (!piece) return;
    piece->SetCount(1);
    piece->SetEquipped(false);
    if (!stage->DropItemNearForced(cellX, cellY, piece)) {
      delete piece;
      return;
    }
    item->SetCount(item->GetCount() - 1);
    return;
  }
  // With no room to land it never left the player.
  if (!stage->DropItemNearForced(cellX, cellY, item)) return;
  RemoveItemAt(slot);
  // What the player could not let go of must not lie on the floor too.
  if (GetItem(slot) == item) stage->RemoveItemAt(item->GetX(), item->GetY());
}

void CCharacterPlayer::LoseOffTheMap(int slot, CItem* item) {
  if (item->GetCount() > 1) {
    item->SetCount(item->GetCount() - 1);
    return;
  }
  RemoveItemAt(slot);
  // Only what has left the player is gone.
  if (GetItem(slot) != item) delete item;
}

void CCharacterPlayer::EndShots(int slot, const CItem* shotFrom) {
  shotsResolved = 0;
  if (CItem* worn = GetItem(ArrowSlot); worn && !worn->IsEquipped()) worn->SetEquipped(true);
  CItem* held = GetItem(slot);
  if (slot >= FirstBagSlot && held && held == shotFrom && held->IsEquipped()) held->SetEquipped(false);
}
