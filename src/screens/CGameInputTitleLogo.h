#pragma once
// The start-up logo: two cards on white, each faded in from black, held a
// while (shorter while SELECT or CANCEL is held) and faded out; then the
// title menu takes the chain.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputTitleLogo : public CGameInput {
public:
  CGameInputTitleLogo();
  ~CGameInputTitleLogo() override = default;

  void Begin() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void Update() override;

  // The logo's own steps, kept in the phase.
  enum LogoState : std::int32_t {
    FirstFadingIn, FirstHeld, FirstFadingOut, SecondFadingIn, SecondHeld, SecondFadingOut, Done,
  };
  // A card is held for this many updates unless a key shortens it.
  static constexpr int HoldFrames = 42;

  CWidget Backdrop;
  CWidget FirstLogo;
  CWidget SecondLogoLeft;
  CWidget SecondLogoRight;
  std::int32_t WaitCounter = 0;

private:
  // One update of a held card; true when it ends.
  bool HoldEnds();
  // The cards' pictures, held while the logo may be shown.
  void AcquirePictures();
  void ReleasePictures();
  bool HoldsPictures = false;
};

CGameInputTitleLogo* GetGameInputTitleLogo();
