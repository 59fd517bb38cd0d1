#pragma once
// The two fixed id lists: the catalogue order that sorts every item, and the
// 25 magic stones that can be fused into equipment.
#include "items/CItem.h"

constexpr int CatalogueSize = 316;
constexpr int NotInCatalogue = 0xFFFF;
constexpr int MagicStoneCount = 25;

// The id's place 0-315 in the catalogue; 0xFFFF for ids it does not hold,
// which sort after all others.
int GetCatalogueIndex(ItemId id);
// Entry i of the magic-stone list; -1 outside 0-24.
ItemId GetMagicStoneIdAt(int i);
// Whether the id is one of the 25 stones.
bool IsMagicStoneId(ItemId id);
