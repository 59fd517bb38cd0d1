#pragma once
// "GAME OVER" over the floor once the player has died. The run is already
// in "save" and the rankings; SELECT fades to black and hands over to the
// rankings of the dungeon, the new entry in view.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputMainGameOver : public CGameInput {
public:
  CGameInputMainGameOver() = default;
  ~CGameInputMainGameOver() override = default;

  void Begin() override;
  void Draw() override;
  void Update() override;

  // The caption, in the language in force at this opening.
  void LayoutCaption();

  enum Phases : std::int32_t { PhaseWaiting = 1, PhaseAwaitingSelect = 2, PhaseFadingOut = 3 };

  CWidget Caption;
};

CGameInputMainGameOver* GetGameInputMainGameOver();

// The end screens' fade to black: 0 to 255 by 8, so 33 effect updates.
void StartRunEndFade();
// A fresh SELECT is taken and starts that fade; false without one.
bool FadeOutOnSelect();

// The end of a run: the rankings become the chain's only screen, on the
// dungeon's page for all classes, scrolled to the run's new entry, and the
// game goes to the title state.
void ShowRunInRankings();
