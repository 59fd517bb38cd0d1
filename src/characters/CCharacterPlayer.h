#pragma once
#include "characters/CCharacter.h"
#include "platform/Random.h"

// The character the user steers; its inventory, stats and turn come with
// the player's own code.
class CCharacterPlayer : public CCharacter {
public:
  // Monsters stay weakened; the player recovers after 8 to 13 turns.
  int GetWeaknessDuration() const override { return 8 + Random() % 6; }

  // The ends of the player's flights, each worked out along its facing from
  // its cell, stopped by a wall or the map's edge: the reach shot strikes the
  // first living character within GetMagicShotRange with the melee attack;
  // the selected item's flight hits the first living character met, or lands
  // before the wall (or is lost past the edge) unless it returns; the wand's
  // bolt hits the first living character met when magic reaches it.
  void EndReachShot() override;
  void EndItemShot() override;
  void EndWandShot() override;
  // Cells the reach shot covers.
  virtual int GetMagicShotRange() const { return 3; }
};
