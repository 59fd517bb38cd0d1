#pragma once
// The clear after a crystal, the orb or the sushi: the prize stands over
// the player, "CLEAR!!" comes up, and SELECT fades out, records the clear
// and leads to the ending (after LEVEL 6) or to the dungeon's rankings.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputMainClear1 : public CGameInput {
public:
  CGameInputMainClear1() = default;
  ~CGameInputMainClear1() override = default;

  void Begin() override;
  void Draw() override;
  void Update() override;

  // The prize icon of the dungeon and the hidden caption, laid out afresh
  // at every opening.
  void LayoutScene();

  enum Phases : std::int32_t {
    PhaseSettling = 0,     // six frames
    PhaseRising = 1,       // the wait value climbs to 255
    PhaseShown = 2,        // "CLEAR!!" stands 61 frames before SELECT counts
    PhaseAwaitingSelect = 3,
    PhaseFadingOut = 4,
    PhaseLeaving = 5,
    PhaseDone = 6,  // recorded; waits to be dropped from the chain
  };

  CWidget GoalIcon;
  CWidget Caption;
  std::int32_t WaitValue = 0;
  std::int32_t FrameCounter = 0;
};

CGameInputMainClear1* GetGameInputMainClear1();

// The dungeon's clear into the progress (its flag, the class's entry), the
// end of the suspended run, "save" and the rankings, in that order.
void RecordDungeonClear();
