#pragma once
#include "characters/CCharacter.h"

// The character the user steers; its inventory, stats and turn come with
// the player's own code.
class CCharacterPlayer : public CCharacter {};
