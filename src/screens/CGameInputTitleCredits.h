#pragma once
// The credits page: centred lines over the covered title menu, naming where
// the game's sounds come from and who made it, and BACK. SELECT or CANCEL
// closes it. The font-material lines are built but never shown here.
#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputTitleCredits : public CGameInput {
public:
  CGameInputTitleCredits();
  ~CGameInputTitleCredits() override = default;

  void Begin() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void Update() override;

  // Which lines show; run by every Begin.
  void ResetWidgets();

  CWidget BackLabel;
  CWidget FontHeading;
  CWidget FontAuthorLabel;
  CWidget FontAddressLabel;
  CWidget SoundHeading;
  CWidget SoundSourceLabel;
  CWidget SoundAddressLabel;
  CWidget ProduceHeading;
  CWidget ProducerLabel;
  CWidget ProducerAddressLabel;
};

CGameInputTitleCredits* GetGameInputTitleCredits();
