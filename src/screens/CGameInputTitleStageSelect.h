#pragma once
// The dungeon selection, the last screen before a run: a map with an icon
// per open dungeon, the list of open dungeons (highest on top), a panel
// describing the one under the cursor, and the chosen class standing on its
// icon. SELECT starts the run there; CANCEL goes back to the class choice.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputTitleStageSelect : public CGameInput {
public:
  CGameInputTitleStageSelect();
  ~CGameInputTitleStageSelect() override = default;

  void Begin() override;
  void OnCovered() override;
  void OnChildClosed() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Update() override;
  void UpdateWidgets() override { ClassMarker.Update(); }

  // The tutorial is always open; dungeon d opens once dungeon d - 1 is
  // cleared. The list and the cursor both follow this.
  static bool IsDungeonOpen(int dungeon);
  // The dungeon under the cursor: the list runs from LEVEL X (0) down to the
  // tutorial (7).
  int GetSelectedDungeon() const { return DungeonCount - 1 - Cursor; }
  void RefreshEntries();
  void RefreshDescription();

  static constexpr int DungeonCount = 8;
  static constexpr int RowCapacity = 64;
  static constexpr int DescriptionCapacity = 128;
  enum StagePhase : std::int32_t {
    PhaseChosen = 4,
    PhaseStartingRun = 7,
    PhaseRunStarted = 8,  // handed to the game; only a new Begin wakes it
  };

  std::int32_t Cursor = 0;
  std::int32_t ChosenFrames = 0;
  CWidget Header;
  CWidget Background;
  CWidget DungeonIcons[DungeonCount];
  CWidget RowParent;  // undrawn; holds the rows at screen positions
  CWidgetWindow DungeonRows[DungeonCount];
  CWidgetWindow DescriptionWindow;
  CWidget MapPicture;
  CWidget ClassMarker;

  // Gives back the picture Begin acquired (once a run has started).
  void ReleasePictures();

private:
  bool HoldsPictures = false;
  void ReadInput();
  void MoveCursor(int step);
  void Confirm();
  void SetMarkerCells();
};

CGameInputTitleStageSelect* GetGameInputTitleStageSelect();
