#include "items/ItemFactory.h"

#include "items/CItemBow.h"
#include "items/CItemClassFood.h"
#include "items/CItemEvent.h"
#include "items/CItemMagicStone.h"
#include "items/CItemMaterial.h"
#include "items/CItemPotion.h"
#include "items/CItemProtector.h"
#include "items/CItemRing.h"
#include "items/CItemTrap.h"
#include "items/CItemWand.h"
#include "items/CItemWeapon.h"

CItem* CreateItem(ItemId id) {
  if (id < 0 || id > 0xFFFF) return nullptr;
  // The high byte names the family; each family knows its own ids.
  switch (id >> 8) {
    case 0x0: return CreateWeapon(id);
    case 0x1: return CreateBow(id);
    case 0x2: return CreateArrow(id);
    case 0x3:
    case 0x4:
    case 0x5: return CreateProtector(id);
    case 0x6: return CreateRing(id);
    case 0x7: return CreateFood(id);
    case 0x8: return CreateMaterial(id);
    case 0x9: return CreatePotion(id);
    case 0xA: return CreateMagicStone(id);
    case 0xB: return CreateWand(id);
    case 0xC: return CreateTrap(id);
    case 0xD: return CreateEvent(id);
    default: return nullptr;
  }
}

CItem* CloneThroughFactory(const CItem& item) {
  CItem* copy = CreateItem(item.GetId());
  if (copy) copy->CopyFrom(item);
  return copy;
}
