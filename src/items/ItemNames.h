#pragma once
// The name and status-text bodies that each family of items shares: the
// name as shown (a refinement prefix, "? " for an unidentified piece, a
// stand-in while the kind is unknown), the name with the stack count, and
// the detail text with one line pair per enchant slot.
#include <cstddef>

#include "items/CItem.h"

// First text of the stone lines in a status text: the line of stone id s is
// text s minus the family's offset.
constexpr int WeaponEnchantTextOffset = 2487;
constexpr int BowEnchantTextOffset = 2432;
constexpr int ProtectorEnchantTextOffset = 2269;

// Weapons, bows, protectors: "? " and the name while unidentified, else the
// name behind a "+N " or "-N " refinement.
char* WriteEquipmentName(const CItem& item, char* buffer, std::size_t size);
// Arrows: "? " and the name while unidentified; never a refinement.
char* WriteArrowName(const CItem& item, char* buffer, std::size_t size);
// Accessories: the stand-in while the kind is unknown, else as arrows.
char* WriteAccessoryName(const CItem& item, char* buffer, std::size_t size);
// Potions and magic stones: the stand-in while the kind is unknown, else the name.
char* WriteKindGatedName(const CItem& item, char* buffer, std::size_t size);
// Wands: as potions, with the charges left right behind the name: "(4)".
char* WriteWandName(const CItem& item, char* buffer, std::size_t size);
// The display name and " x<count>".
char* WriteNameAndCount(const CItem& item, char* buffer, std::size_t size);

// Detail texts.
char* WriteWeaponStatus(const CItem& item, char* buffer, std::size_t size);
char* WriteBowStatus(const CItem& item, char* buffer, std::size_t size);
char* WriteArrowStatus(const CItem& item, char* buffer, std::size_t size);
char* WriteProtectorStatus(const CItem& item, char* buffer, std::size_t size);
// "???" while the kind is unknown, else the description.
char* WriteKindGatedStatus(const CItem& item, char* buffer, std::size_t size);
