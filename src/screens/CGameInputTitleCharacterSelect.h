#pragma once
// The class selection, the first screen of a new run: the classes stand in
// a row on a ground bar, the card of the one under the cursor above them
// (portrait and ratings). PROPHET joins the row once LEVEL 6 is cleared.
// SELECT keeps the class and opens the dungeon selection on top.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputTitleCharacterSelect : public CGameInput {
public:
  CGameInputTitleCharacterSelect();
  ~CGameInputTitleCharacterSelect() override = default;

  void Begin() override;
  void OnChildClosed() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Update() override;
  void UpdateWidgets() override;

  // Header text, every sprite enabled and unselected, then the card.
  void RefreshHeader();
  // Which card shows, tints, sprite places, card texts and badges.
  void RefreshCard();
  // Moves by `delta` with wrapping, passing over a locked PROPHET, and
  // starts the slide of the portraits and the step of the chosen sprite.
  void MoveCursor(int delta);
  static bool IsProphetOpen();

  static constexpr int ClassCount = 9;
  static constexpr int ProphetClass = 8;
  enum ClassPhase : std::int32_t { PhaseChosen = 4, PhaseLeaving = 7 };

  std::int32_t Cursor = 0;
  std::int32_t ChosenFrames = 0;
  CWidget Header;
  CWidget Background;
  CWidget ClassSprites[ClassCount];
  CWidget GroundBar;
  CWidget CompleteBadges[ClassCount];
  CWidget Portraits[ClassCount];
  CWidgetWindow PortraitFrames[ClassCount];  // undrawn; place portrait and card
  CWidgetWindow InfoWindows[ClassCount];

  // Gives back the pictures Begin acquired (once a run has started).
  void ReleasePictures();

private:
  void ReadInput();
  void AcquirePictures();
  bool HoldsPictures = false;
};

CGameInputTitleCharacterSelect* GetGameInputTitleCharacterSelect();
