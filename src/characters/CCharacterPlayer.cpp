// The player object and its 37 item places: what goes where, stacking,
// the sorted bag and the swaps between bag and worn places. The player's
// item count always equals its filled places.
#include "characters/CCharacterPlayer.h"

#include <algorithm>
#include <cstdint>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "items/CItem.h"

namespace {

// The worn place of each category 0-6, in category order: weapon, bow,
// arrows, body, shield place, head, accessory.
constexpr int SlotOfCategory[EquipmentSlotCount] = {0, 1, 2, 4, 5, 6, 3};

constexpr ItemId RingOfResurrection = 0x606;
constexpr ItemId CircletOfResurrection = 0x589;
constexpr ItemId PhilosophersStone = 0xA10;

CStageData* CurrentStage() { return GetGameMain()->CurrentStage; }

}  // namespace

int EquipmentSlotOf(int category) {
  return category >= 0 && category < EquipmentSlotCount ? SlotOfCategory[category] : NoSlot;
}

CCharacterPlayer::CCharacterPlayer() {
  hp = maxHp = 30;
  maxHpX100 = 30;
  strength = spareStat = dexterity = intelligence = 5;
  attack = 10;
  defence = 0;
  level = 1;
  exp = 0;
  animEntry = AnimationIdle;
  spareFlag = 1;
  regenProgress = 0;
  passesWalls = 0;
  items = ownSlots_;
  itemCount = 0;
  itemCapacity = InventorySize;
  Companion1 = std::make_unique<CCharacterPlayerChild1>();
  Companion2 = std::make_unique<CCharacterPlayerChild2>();
  Companion1->Owner = this;
  Companion2->Owner = this;
}

CCharacterPlayer::~CCharacterPlayer() {
  for (CItem*& item : ownSlots_) {
    delete item;
    item = nullptr;
  }
  items = nullptr;
}

int CCharacterPlayer::GetSpriteRow() const {
  // Two sheet rows per facing.
  return 2 * DirectionSpriteRow(direction);
}

bool CCharacterPlayer::StepForward() {
  const bool moved = CCharacter::StepForward();
  if (moved)
    if (CStageData* stage = CurrentStage()) stage->UpdateVisibility(x, y);
  return moved;
}

void CCharacterPlayer::SetPosition(int cellX, int cellY) {
  CCharacter::SetPosition(cellX, cellY);
  if (CStageData* stage = CurrentStage()) stage->UpdateVisibility(cellX, cellY);
}

// ---- Places

int CCharacterPlayer::Places() const { return items ? std::clamp(itemCapacity, 0, InventorySize) : 0; }

void CCharacterPlayer::Put(int slot, CItem* item) {
  items[slot] = item;
  ++itemCount;
}

int CCharacterPlayer::FindSlot(const CItem* item) const {
  if (!item) return NoSlot;
  for (int slot = 0; slot < Places(); ++slot)
    if (At(slot) == item) return slot;
  return NoSlot;
}

bool CCharacterPlayer::BagIsFull() const {
  const int places = Places();
  return places <= FirstBagSlot || At(places - 1) != nullptr;
}

void CCharacterPlayer::InsertIntoBag(int slot, CItem* item) {
  for (int i = Places() - 1; i > slot; --i) items[i] = items[i - 1];
  Put(slot, item);
}

int CCharacterPlayer::CountItems() const {
  int count = 0;
  for (int slot = 0; slot < Places(); ++slot)
    if (At(slot)) ++count;
  return count;
}

CItem* CCharacterPlayer::GetItem(int slot) const {
  if (slot == NoSlot) {
    const CStageData* stage = CurrentStage();
    return stage ? stage->GetItemAt(x, y) : nullptr;
  }
  return slot >= 0 && slot < Places() ? At(slot) : nullptr;
}

CItem* CCharacterPlayer::GetItemAt(int n) const {
  if (n < 0) return nullptr;
  int seen = 0;
  for (int slot = 0; slot < Places(); ++slot)
    if (CItem* item = At(slot); item && seen++ == n) return item;
  return n == seen ? GetItem(NoSlot) : nullptr;
}

// ---- Taking items in

bool CCharacterPlayer::AddItem(CItem* item) {
  // An item already carried would end up owned twice.
  if (!item || item->IsTrap() || FindSlot(item) != NoSlot) return false;
  for (int slot = 0; slot < Places(); ++slot) {
    CItem* held = At(slot);
    if (slot >= FirstBagSlot && (!held || item->GetCatalogueIndex() < held->GetCatalogueIndex())) {
      if (BagIsFull()) return false;
      InsertIntoBag(slot, item);
      return true;
    }
    // Worn places take part only here, so arrows join the worn ones first.
    if (!held || !held->CanStackWith(item)) continue;
    const int limit = held->GetStackLimit();
    if (held->GetCount() >= limit) return false;
    const std::int64_t merged = std::int64_t{held->GetCount()} + item->GetCount();
    if (item->GetRefinement() > held->GetRefinement()) held->SetRefinement(item->GetRefinement());
    if (merged <= limit) {
      // The offered object carries on as the stack.
      held->SetCount(static_cast<std::int32_t>(merged));
      item->CopyFrom(*held);
      items[slot] = item;
      delete held;
      return true;
    }
    held->SetCount(limit);
    item->SetCount(static_cast<std::int32_t>(merged - limit));
    return false;
  }
  return false;
}

bool CCharacterPlayer::BagWouldTakeWhole(const CItem* item, int vacatedA, int vacatedB) const {
  const int places = Places();
  if (!item || places <= FirstBagSlot) return false;
  int bagItems = 0;
  for (int slot = FirstBagSlot; slot < places; ++slot)
    if (At(slot) && slot != vacatedA && slot != vacatedB) ++bagItems;
  const bool room = bagItems < places - FirstBagSlot;
  // AddItem's own walk, with the vacated places left out.
  for (int slot = 0; slot < places; ++slot) {
    if (slot == vacatedA || slot == vacatedB) continue;
    const CItem* held = At(slot);
    if (slot >= FirstBagSlot && (!held || item->GetCatalogueIndex() < held->GetCatalogueIndex())) return room;
    if (!held || !held->CanStackWith(item)) continue;
    const int limit = held->GetStackLimit();
    return held->GetCount() < limit && std::int64_t{held->GetCount()} + item->GetCount() <= limit;
  }
  return room;
}

// ---- Taking items out

CItem* CCharacterPlayer::TakeOut(int slot) {
  CItem* item = At(slot);
  if (slot >= FirstBagSlot) {
    const int last = Places() - 1;
    for (int i = slot; i < last; ++i) items[i] = items[i + 1];
    items[last] = nullptr;
  } else {
    items[slot] = nullptr;
  }
  --itemCount;
  return item;
}

void CCharacterPlayer::RemoveItemAt(int slot) {
  if (slot == NoSlot) {
    if (CStageData* stage = CurrentStage()) stage->RemoveItemAt(x, y);
    return;
  }
  if (slot < 0 || slot >= Places() || !At(slot)) return;
  CItem* item = TakeOut(slot);
  if (item->IsEquipped()) {
    item->SetEquipped(false);
    ClampHP();
  }
}

void CCharacterPlayer::RemoveItem(CItem* item) {
  if (!item) return;
  if (const int slot = FindSlot(item); slot != NoSlot) {
    RemoveItemAt(slot);
  } else if (item == GetItem(NoSlot)) {
    RemoveItemAt(NoSlot);
  }
}

// ---- Wearing

bool CCharacterPlayer::EquipFromBag(int slot) {
  if (slot < FirstBagSlot || slot >= Places() || !At(slot)) return false;
  CItem* item = At(slot);
  const int target = EquipmentSlotOf(item->GetCategory());
  if (target == NoSlot || target >= Places()) return false;
  CItem* worn = At(target);
  if (worn && !BagWouldTakeWhole(worn, slot, target)) return false;
  TakeOut(slot);
  if (worn) {
    // Back into the bag before the new item is worn, so that it can never
    // stack onto the item replacing it. The check above walked the same way.
    TakeOut(target);
    worn->SetEquipped(false);
    AddItem(worn);
    worn->SetEquipped(false);
  }
  Put(target, item);
  item->SetEquipped(true);
  // HP is held to the new maximum once the swap is whole, so that trading
  // one item for a like one costs nothing.
  if (worn) ClampHP();
  return true;
}

bool CCharacterPlayer::Equip(CItem* item) {
  if (!item) return false;
  if (const int slot = FindSlot(item); slot != NoSlot) return EquipFromBag(slot);
  const int target = EquipmentSlotOf(item->GetCategory());
  if (target == NoSlot || target >= Places() || At(target)) return false;
  Put(target, item);
  item->SetEquipped(true);
  return true;
}

bool CCharacterPlayer::EquipItem(CItem* item) {
  const int slot = FindSlot(item);
  return slot != NoSlot && EquipFromBag(slot);
}

bool CCharacterPlayer::EquipItem2(CItem* item) { return EquipItem(item); }
bool CCharacterPlayer::EquipItem3(CItem* item) { return EquipItem(item); }

bool CCharacterPlayer::UnequipToBag(int slot) {
  if (!CanUnequipSlot(slot)) return false;
  CItem* item = At(slot);
  RemoveItemAt(slot);
  AddItem(item);
  item->SetEquipped(false);
  return true;
}

bool CCharacterPlayer::CanEquipSlot(int slot) const {
  return slot >= FirstBagSlot && slot < Places() && At(slot) != nullptr;
}

bool CCharacterPlayer::CanUnequipSlot(int slot) const {
  if (slot < 0 || slot >= EquipmentSlotCount || slot >= Places() || !At(slot)) return false;
  return !BagIsFull() && BagWouldTakeWhole(At(slot), slot, NoSlot);
}

bool CCharacterPlayer::UseItem(int slot) {
  CItem* item = GetItem(slot);
  if (!item || !item->IsUsable()) return false;
  item->Use();
  return true;
}

bool CCharacterPlayer::HasResurrection() const {
  for (int slot = 0; slot < Places(); ++slot) {
    const CItem* item = At(slot);
    if (!item) continue;
    const ItemId id = item->GetId();
    if (id == PhilosophersStone) return true;
    if (item->IsEquipped() && (id == RingOfResurrection || id == CircletOfResurrection)) return true;
  }
  return false;
}

bool CCharacterPlayer::AuxEquipQuery3() const { return GetItem(BowSlot) != nullptr; }
