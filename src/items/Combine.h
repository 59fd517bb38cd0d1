#pragma once
// Alchemy at the craft window: two items make a third by a recipe of the
// full list or, when no recipe fits, a magic stone fuses into a free enchant
// slot of the other item, which changes in place. The order of the two
// ingredients never matters.
#include "items/CItem.h"

class CCharacter;

// Whether the pair combines at all: a recipe for the two ids, or a magic
// stone and an item with a free enchant slot that no stone of that id comes
// before. How many are held is not asked; see HoldsEnoughToCombine.
bool CanCombineItems(const CItem* first, const CItem* second);

// Whether the pair combines and each ingredient holds what one combination
// takes: the recipe's count of it (one of each for a fusing), and one stack
// passed as both ingredients the two counts together.
bool HoldsEnoughToCombine(const CItem* first, const CItem* second);

// One combination, which takes what it uses from the ingredients; null, with
// nothing changed, when the pair does not combine, too few are held or the
// result cannot be made. After a recipe the result is a new item owned by
// the caller; after a fusing it is the ingredient that took the stone, which
// loses nothing. An ingredient left at count 0 is the caller's to remove and
// delete (once, when one stack was passed as both). Made arrows number the
// crafter's GetHalfDex (1-999), a made wand holds its GetHalfInt charges (at
// least 1); no crafter counts as 0. A Kunai stack upgrades whole.
CItem* CombineItems(CItem* first, CItem* second, const CCharacter* crafter);

// What CombineItems would give, as a new item owned by the caller, with the
// ingredients untouched: a fusing is shown on a clone of the receiving item.
// How many are held is not asked, so the craft window can show the result of
// picks too short to craft; null wherever the pair does not combine.
CItem* PreviewCombineItems(const CItem* first, const CItem* second, const CCharacter* crafter);
