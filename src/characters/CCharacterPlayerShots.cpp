// Where the player's shots end: each walks the facing line from the player's
// cell once the flying effect has arrived.
#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"

namespace {

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

void CCharacterPlayer::EndReachShot() {
  if (WalkFacing(*this, GetMagicShotRange()).Target) PerformMeleeAttack();
}

void CCharacterPlayer::EndItemShot() {
  const int slot = GetSelectedItem();
  CItem* item = GetItem(slot);
  if (!item) return;
  const LineEnd end = WalkFacing(*this, -1);
  if (end.Target) {
    // The thrown item's own hit.
    item->ApplyHit(this, end.Target);
    return;
  }
  if ((!end.Blocked && !end.LeftMap) || item->RollReturn()) return;
  // One of a stack flies as a copy of its own; a single item leaves whole.
  CItem* flown = item;
  if (item->GetCount() > 1) {
    flown = item->Clone();
    if (!flown) return;
    flown->SetCount(1);
    flown->SetEquipped(false);
    item->SetCount(item->GetCount() - 1);
  } else {
    RemoveItemAt(slot);
    // Only what has left the inventory may lie on the floor.
    if (GetItem(slot) == item) return;
  }
  CStageData* stage = GetGameMain()->CurrentStage;
  // Past the edge it is lost; before a wall it lands where it can.
  if (end.LeftMap || !stage->DropItemNearForced(end.LastX, end.LastY, flown)) delete flown;
}

void CCharacterPlayer::EndWandShot() {
  const LineEnd end = WalkFacing(*this, -1);
  CItem* wand = GetItem(GetSelectedItem());
  if (end.Target && wand && end.Target->IsMagicTarget()) wand->ApplyHit(this, end.Target);
}
