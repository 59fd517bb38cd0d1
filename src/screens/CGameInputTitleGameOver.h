#pragma once
// A one-picture card on a black panel in the top-left 320 x 480 of the
// screen: it fades in, waits for a pointer press on the panel, fades out and
// gives the chain to the title menu. Only its id reaches it on this layout.
#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputTitleGameOver : public CGameInput {
public:
  CGameInputTitleGameOver();
  ~CGameInputTitleGameOver() override = default;

  void Begin() override;
  void BuildLayout() override;
  void Draw() override;
  void Update() override;

  CWidget Panel;
  CWidget CardPicture;
};

CGameInputTitleGameOver* GetGameInputTitleGameOver();
