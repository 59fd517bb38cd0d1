#pragma once
// The control type (TYPE A or TYPE B, which swaps the DIRECTION and MOVE
// captions on the picture of the controls) and auto attack, chosen by
// pointer clicks only, written into the live settings at once. Only the
// touch layouts' settings open it; here it is reached by its id alone.
#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputTitleConfigControlSetting : public CGameInput {
public:
  CGameInputTitleConfigControlSetting();
  ~CGameInputTitleConfigControlSetting() override = default;

  void Begin() override;
  void BuildLayout() override;
  void Draw() override;
  void Update() override;

  // The chosen values white and the others grey, the captions by type.
  void RefreshLabels();

  CWidget TypeAButton, TypeBButton;
  CWidget AutoAttackOffButton, AutoAttackOnButton;
  CWidget BackButton;
  CWidget ControlTypeLabel;
  CWidget ControlPicture, ControlOverlay;
  CWidget UpperControlCaption, LowerControlCaption;
  CWidget UpperLeaderLine, LowerLeaderLine;
  CWidget AutoAttackLabel;

private:
  void ReadClicks();
};

CGameInputTitleConfigControlSetting* GetGameInputTitleConfigControlSetting();
