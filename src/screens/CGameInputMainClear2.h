#pragma once
// The clear through the princess (and the tutorial's stairs): no caption
// and no SELECT; one fade to black, then the clear is recorded and the
// title menu follows.
#include <cstdint>

#include "ui/CGameInput.h"

class CGameInputMainClear2 : public CGameInput {
public:
  CGameInputMainClear2() = default;
  ~CGameInputMainClear2() override = default;

  void Begin() override { Phase = PhaseStarting; }
  void Draw() override;
  void Update() override;

  // Done: recorded; waits to be dropped from the chain.
  enum Phases : std::int32_t { PhaseStarting = 0, PhaseFadingOut = 1, PhaseLeaving = 2, PhaseDone = 3 };
};

CGameInputMainClear2* GetGameInputMainClear2();
