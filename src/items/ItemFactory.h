#pragma once
// The one way items come into being: by id, as the class of the id's kind.
#include "items/CItem.h"

// A new item of the id, count 1, owned by the caller; null for an id that
// no kind has (negative ones included) and when memory runs out.
CItem* CreateItem(ItemId id);

// A new item of the same kind with the saved state of item: the kind's
// constants come from its own construction, the rest from item.
CItem* CloneThroughFactory(const CItem& item);
