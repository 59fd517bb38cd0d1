#pragma once
// The title menu: four background strips scrolling at their own speeds, the
// logo, NEW GAME / CONTINUE / RANKING / CONFIG / EXIT and a notice line.
// Before it takes input it shows every progress notice still owed.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputTitleTop : public CGameInput {
public:
  CGameInputTitleTop();
  ~CGameInputTitleTop() override = default;

  void Begin() override;
  void OnCovered() override;
  void OnChildClosed() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override;
  void Update() override;

  virtual void OnNewGame();
  virtual void OnContinue();
  virtual void OnRanking();
  virtual void OnConfig();
  // Shown, enabled and tinted by the suspended game, the cursor and the
  // language.
  void RefreshMenu();

  enum Entry : std::int32_t { EntryNewGame, EntryContinue, EntryRanking, EntryConfig, EntryExit, EntryCount };
  enum TitlePhase : std::int32_t {
    PhaseStartingNewGame = 7,
    PhaseContinuing = 8,
    PhaseOpeningRankings = 9,
    PhaseShowingNotice = 10,
  };
  static constexpr int LayerCount = 4;
  static constexpr int LayerWidth = 560;
  static constexpr int TitleTrack = 18;

  std::int32_t Cursor = EntryNewGame;
  CWidget Layers[LayerCount];
  CWidget Logo;
  CWidget Entries[EntryCount];
  CWidget NoticeLine;

private:
  void ScrollBackground();
  bool ShowPendingNotice();
  void ReadMenuInput();
  void Choose();
  void MoveCursor(int step);
  // The entry can act: CONTINUE only over a suspended game.
  bool IsEntryOpen(int entry) const;
  void DrawScreen(bool fixedSteps);
  void StartTitleMusic();
};

CGameInputTitleTop* GetGameInputTitleTop();
