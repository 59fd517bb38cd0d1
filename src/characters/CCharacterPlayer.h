#pragma once
#include "characters/CCharacter.h"
#include "platform/Random.h"

// The character the user steers; its inventory, stats and turn come with
// the player's own code.
class CCharacterPlayer : public CCharacter {
public:
  // Monsters stay weakened; the player recovers after 8 to 13 turns.
  int GetWeaknessDuration() const override { return 8 + Random() % 6; }
};
