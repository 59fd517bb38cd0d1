#pragma once
// How the gallery's monsters grow with the floor counter instead of with a
// table per floor.
#include <cstdint>

class CCharacter;
class CStageData;

// Levels the monster to floor F (brought into 1-100) and gives grade 2 and
// the Mimic and Treant 110 %, grade 3 120 % of HP, maximum HP, attack, STR
// and INT. Null stays null. Returns the monster.
CCharacter* ApplyGalleryLevel(CCharacter* monster, std::int64_t floorNumber);

// The gallery's pick: a monster of the floor's table, levelled to the live
// floor counter; null when the floor has no table or nothing was made.
CCharacter* PickGalleryEnemy(CStageData& floor);
