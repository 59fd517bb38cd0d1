#pragma once
// The rankings: one list of the clear-time or turn boards at a time, by
// dungeon and by class (or all classes), with the newest run's line laid
// over in yellow. Up and Down choose a selector row, Left and Right step
// it; CANCEL, or SELECT on BACK, fades out to a fresh title menu.
#include <cstddef>
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CScoreRanking;

class CGameInputTitleScoreRanking : public CGameInput {
public:
  CGameInputTitleScoreRanking();
  ~CGameInputTitleScoreRanking() override = default;

  void Begin() override;
  void OnCovered() override { Phase = ScreenCovered; }
  void OnChildClosed() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void Update() override;

  void ResetHeader();
  void NextPage();
  void PreviousPage();
  void NextClass();
  void PreviousClass();
  void NextKind();
  void PreviousKind();
  // The table, the newest run's overlay, the window height, the focus
  // colours and the three selector captions, from the choices.
  void RefreshRows();
  // Every place fits the table on this layout: the first shown stays 1.
  void ScrollTo(int place);

  // The list the choices name; null for a page outside the boards.
  const CScoreRanking* ShownList() const;

  enum FocusRows : std::int32_t { FocusPage, FocusClass, FocusKind, FocusBack, FocusRowCount };

  CWidget Background;
  CWidget TitleLabel;
  CWidget TableText;
  CWidget RecordText;
  CWidget PagePrevArrow, PageNextArrow, PageLabel;
  CWidget ClassPrevArrow, ClassNextArrow, ClassLabel;
  CWidget KindPrevArrow, KindNextArrow, KindLabel;
  CWidget BackButton;
  CWidgetWindow TableWindow;
  CWidgetWindow SelectorWindow;
  std::int32_t FocusRow = FocusBack;
  std::int32_t RankingKind = 0;  // 0 clear time, 1 turns taken
  std::int32_t FirstShownRow = 1;
  std::int32_t RankingPage = 1;   // the dungeon
  std::int32_t RankingClass = 0;  // 0 all classes, 1 + the class

private:
  void ReadInput();
  void StepChoice(void (CGameInputTitleScoreRanking::*previous)(), void (CGameInputTitleScoreRanking::*next)());
};

CGameInputTitleScoreRanking* GetGameInputTitleScoreRanking();

// After a run: the rankings become the chain's only screen, on the run's
// dungeon for all classes, scrolled to its new entry; false when the screen
// could not be had.
bool OpenRunInRankings();

// One line of the table for place `place` of `list`, as RefreshRows writes
// it: place, time or turns, floor and class, outcome; empty for an empty
// place. `kind` 0 shows the play time, 1 the turns.
void FormatRankingLine(char* dest, std::size_t capacity, const CScoreRanking& list, int place, int kind);
