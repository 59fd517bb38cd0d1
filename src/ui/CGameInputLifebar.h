#pragma once
// The status line across the top of the play screen: floor, level, HP with
// its bar and hunger with its bar. Low HP and an empty stomach blink. It
// draws from the current values every frame and keeps none.
#include "ui/CGameInput.h"

class CGameInputLifebar : public CGameInput {
public:
  void Draw() override {}
  void Update() override {
    if (Child) Child->Update();
  }
  // Draws the whole line; nothing of the player's without a player.
  virtual void DrawSplitLabels();

  // The fills' widths in source pixels of the 26 a full bar has, kept
  // inside the frame whatever the values; 0 without a maximum.
  static int HpFillWidth(int hp, int maxHp);
  static int HungerFillWidth(int hunger);
  // Satiety 0-2000 as a percentage rounded up.
  static int HungerPercent(int satiety);
};
