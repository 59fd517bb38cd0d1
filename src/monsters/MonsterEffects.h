#pragma once
// What a monster shows through the floor's effect list: its missiles and
// the hop of the item it drops.
#include "characters/CCharacter.h"

class CItem;

// A missile of `entry` from the shooter's cell along its facing, carrying
// `picture` (taken over; may be null). When the flight ends the shooter's
// missile-end hook runs.
void LaunchMonsterMissile(CCharacter* shooter, AnimationEntry entry, CItem* picture);
// A dropped item, lying hidden on its cell, hops there from (fromX, fromY)
// and is revealed; the item stays the floor's.
void ShowDroppedItem(CItem* item, int fromX, int fromY);
