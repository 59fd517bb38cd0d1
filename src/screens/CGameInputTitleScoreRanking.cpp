#include "screens/CGameInputTitleScoreRanking.h"

#include <cstring>

#include "app/CGameMain.h"
#include "characters/CharacterFactory.h"
#include "platform/CMyInput.h"
#include "platform/CScoreRanking.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"
#include "ui/TextCopy.h"

namespace {

using Ranking = CGameInputTitleScoreRanking;

constexpr ScreenId TitleMenu = 2;
constexpr PictureId Backdrop = 12, ArrowSheet = 7;
constexpr std::uint16_t BackdropResource = 151;
constexpr int LabelFont = 2, TitleFont = 11;
constexpr int AlignCentre = 10, AlignTopCentre = 9, AlignTopLeft = 5;
constexpr TextId TitleText = 1124, HeaderText = 1114, TurnText = 1103, UnknownText = 1155;
constexpr TextId FirstPageText = 1144, FirstListText = 775, FirstKindText = 1100;
constexpr int PageCount = 7, ListCount = 10, ClassCount = 9, ProphetList = 9;
constexpr int TableWidth = 1220, ShortTable = 336, TallTable = 368;
constexpr int FramesPerSecond = 30;

SaveBlock& Settings() { return GetGameMain()->Settings.Block; }

void LayOutPanel(CWidgetWindow& w, int x, int y, int width, int height) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(w);
  w.SetAlphas(255, 255);
  w.SetBackdropColour(255, 255, 255);
  w.SetDrawOffset(width / 2, height / 2);
  w.AnimateSize(width, width, height, height, 0, SizeAnimHeightOnly);
}

void LayOutText(CWidget& w, CWidget* parent, int x, int y, int width, int height, int align, int font) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  w.SetCaptionBox(0, 0, width, height, align);
  UseCaptionFont(w, font);
  w.Parent = parent;
}

void LayOutArrow(CWidget& w, CWidget* parent, int x, int y, int sourceX) {
  const CellSource cell{ArrowSheet, sourceX, 83, 14, 14};
  CWidget::SetLayout(w, x, y, 56, 56, cell, cell, cell, 4.0f);
  w.Parent = parent;
}

// Appends as much of `text` as fits, cut at a whole character.
void Append(char* dest, std::size_t capacity, const char* text) {
  const std::size_t used = std::strlen(dest);
  if (used + 1 < capacity) CopyTextCut(dest + used, capacity - used, text);
}

// A page shows its dungeon's name once the dungeon before it was cleared.
TextId PageCaption(int page) {
  if (page == 1) return FirstPageText;
  if (page >= 2 && page <= PageCount && Settings().DungeonClearedFlags[page - 1] != 0)
    return FirstPageText + page - 1;
  return UnknownText;
}

bool ProphetListOpen() { return Settings().DungeonClearedFlags[6] != 0; }

}  // namespace

void FormatRankingLine(char* dest, std::size_t capacity, const CScoreRanking& list, int place, int kind) {
  if (!dest || capacity == 0) return;
  dest[0] = '\0';
  if (list.GetResult(place) == 0) return;

  char value[48];
  if (kind == 0) {
    const std::uint32_t seconds = list.GetPlayTime(place) / FramesPerSecond;
    FormatTextCut(value, sizeof value, "%02u:%02u:%02u ", seconds / 3600, seconds / 60 % 60, seconds % 60);
  } else {
    FormatTextCut(value, sizeof value, "%u%s", list.GetTurnCount(place), GetCurrentLanguageText(TurnText));
  }
  // A class byte no class answers to shows as unknown, never as stale bytes.
  char className[64];
  CopyTextCut(className, sizeof className, GetCurrentLanguageText(UnknownText));
  const int characterClass = list.GetCharacterClass(place);
  if (characterClass >= 0 && characterClass < ClassCount) GetCharacterTypeName(characterClass, className);
  char outcome[160];
  list.FormatEntry(place, outcome, sizeof outcome);

  char placeText[8];
  if (place <= 10)
    FormatTextCut(placeText, sizeof placeText, "%2d: ", place);
  else
    CopyTextCut(placeText, sizeof placeText, "--: ");
  FormatTextCut(dest, capacity, "%s%-15s %3dF %-12s %s", placeText, value, list.GetFloor(place), className,
                outcome);
}

CGameInputTitleScoreRanking* GetGameInputTitleScoreRanking() {
  static CGameInputTitleScoreRanking screen;
  return &screen;
}

CGameInputTitleScoreRanking::CGameInputTitleScoreRanking() { BuildLayout(); }

bool OpenRunInRankings() {
  constexpr ScreenId RankingScreen = 7;
  CGameMain* game = GetGameMain();
  const std::uint32_t dungeon = game->Settings.Block.DungeonIndex;
  if (!GetGameInputController()->ChangeChild(RankingScreen)) return false;
  CGameInputTitleScoreRanking* ranking = GetGameInputTitleScoreRanking();
  // A dungeon the lists have no room for shows the first page, never a
  // list read from outside the array.
  const bool known = dungeon < static_cast<std::uint32_t>(RankingDungeons);
  ranking->RankingPage = known ? static_cast<std::int32_t>(dungeon) : 1;
  ranking->RankingClass = 0;
  const int lastRank = known ? game->ScoreRankings[dungeon * RankingListsPerDungeon].GetLastRank() : 0;
  ranking->ScrollTo(lastRank - 2);
  ranking->RefreshRows();
  return true;
}

void CGameInputTitleScoreRanking::BuildLayout() {
  const CellSource backdrop{Backdrop, 0, 0, 1024, 512};
  CWidget::SetLayout(Background, 0, -512, 256, 256, backdrop, backdrop, backdrop, 4.0f);
  LayOutText(TitleLabel, nullptr, 0, 0, 1280, 80, AlignCentre, TitleFont);

  LayOutPanel(TableWindow, 30, 80, TableWidth, 352);
  TableWindow.SetCaptionBox(10, 0, 1200, 352, AlignTopCentre);
  UseCaptionFont(TableWindow, LabelFont);
  for (CWidget* text : {&TableText, &RecordText}) {
    LayOutText(*text, &TableWindow, 0, 0, TableWidth, 352, AlignTopLeft, LabelFont);
    text->SetCaptionBox(6, 8, 1320, 352, AlignTopLeft);
  }
  RecordText.SetColour(255, 255, 0);

  LayOutPanel(SelectorWindow, 340, 512, 600, 176);
  CWidget* selector = &SelectorWindow;
  const struct {
    CWidget *Prev, *Next, *Label;
  } rows[] = {{&PagePrevArrow, &PageNextArrow, &PageLabel},
              {&ClassPrevArrow, &ClassNextArrow, &ClassLabel},
              {&KindPrevArrow, &KindNextArrow, &KindLabel}};
  for (int r = 0; r < 3; ++r) {
    LayOutArrow(*rows[r].Prev, selector, 24, 40 * r, 3);
    LayOutText(*rows[r].Label, selector, 80, 40 * r + 8, 440, 40, AlignCentre, LabelFont);
    LayOutArrow(*rows[r].Next, selector, 520, 40 * r, 23);
  }
  LayOutText(BackButton, selector, 80, 128, 440, 40, AlignCentre, LabelFont);
  BackButton.SetText("BACK");

  RankingPage = 1;
  RankingClass = 0;
  RankingKind = 0;
}

void CGameInputTitleScoreRanking::Begin() {
  LoadTexture(Backdrop, BackdropResource);
  StartScreenFadeIn();
  ResetHeader();
  Phase = ScreenOpening;
  FocusRow = FocusBack;
  RefreshRows();
}

void CGameInputTitleScoreRanking::ResetHeader() {
  BackButton.SetEnabled(true);
  TitleLabel.SetText(GetCurrentLanguageText(TitleText));
  PageLabel.SetText(GetCurrentLanguageText(HeaderText));
}

void CGameInputTitleScoreRanking::OnChildClosed() {
  Phase = ScreenActive;
  Child = nullptr;
}

void CGameInputTitleScoreRanking::ScrollTo(int) { FirstShownRow = 1; }

void CGameInputTitleScoreRanking::NextPage() {
  if (++RankingPage > PageCount) RankingPage = 1;
  ScrollTo(1);
}

void CGameInputTitleScoreRanking::PreviousPage() {
  if (--RankingPage < 1) RankingPage = PageCount;
  ScrollTo(1);
}

// PROPHET's list is passed over until LEVEL 6 has been cleared.
void CGameInputTitleScoreRanking::NextClass() {
  ++RankingClass;
  if (RankingClass == ProphetList && !ProphetListOpen()) ++RankingClass;
  if (RankingClass >= ListCount) RankingClass = 0;
  ScrollTo(1);
}

void CGameInputTitleScoreRanking::PreviousClass() {
  if (--RankingClass < 0) RankingClass = ListCount - 1;
  if (RankingClass == ProphetList && !ProphetListOpen()) RankingClass = ProphetList - 1;
  ScrollTo(1);
}

void CGameInputTitleScoreRanking::NextKind() {
  RankingKind = RankingKind >= 1 ? 0 : RankingKind + 1;
  ScrollTo(1);
}

void CGameInputTitleScoreRanking::PreviousKind() {
  RankingKind = RankingKind <= 0 ? 1 : RankingKind - 1;
  ScrollTo(1);
}

const CScoreRanking* CGameInputTitleScoreRanking::ShownList() const {
  if (RankingPage < 0 || RankingPage >= RankingDungeons || RankingClass < 0 || RankingClass >= RankingListsPerDungeon)
    return nullptr;
  const CGameMain* game = GetGameMain();
  const int index = RankingPage * RankingListsPerDungeon + RankingClass;
  return RankingKind == 1 ? &game->TurnRankings[index] : &game->TimeRankings[index];
}

void CGameInputTitleScoreRanking::RefreshRows() {
  for (CWidget* w : {&TableText, &RecordText, &PageLabel, &ClassLabel, &KindLabel})
    CWidget::SetCaptionFont(*w, &GetGameMain()->Fonts[LabelFont], 1.0);

  // Both texts have a line for every place, so the newest run's line in
  // the overlay lies exactly over its place in the table.
  const CScoreRanking empty;
  const CScoreRanking* shown = ShownList();
  const CScoreRanking& list = shown ? *shown : empty;
  char table[CWidget::TextCapacity] = "", record[CWidget::TextCapacity] = "";
  for (int i = 0; i < RankingSlots; ++i) {
    const int place = FirstShownRow + i;
    if (list.GetResult(place) != 0) {
      char line[256];
      FormatRankingLine(line, sizeof line, list, place, RankingKind);
      Append(table, sizeof table, line);
      if (place == list.GetLastRank()) Append(record, sizeof record, line);
    }
    Append(table, sizeof table, "\n");
    Append(record, sizeof record, "\n");
  }
  TableText.SetText(table);
  RecordText.SetText(record);

  const int height = list.GetResult(RankingSlots) != 0 ? TallTable : ShortTable;
  TableWindow.Height = height;
  TableWindow.SetDrawOffset(TableWindow.Width / 2, height / 2);
  TableWindow.AnimateSize(TableWindow.Width, TableWindow.Width, height, height, 0, SizeAnimHeightOnly);

  CWidget* focus[FocusRowCount][3] = {{&PagePrevArrow, &PageNextArrow, &PageLabel},
                                      {&ClassPrevArrow, &ClassNextArrow, &ClassLabel},
                                      {&KindPrevArrow, &KindNextArrow, &KindLabel},
                                      {&BackButton, nullptr, nullptr}};
  for (int r = 0; r < FocusRowCount; ++r)
    for (CWidget* w : focus[r])
      if (w) {
        const int level = r == FocusRow ? 255 : 64;
        w->SetColour(level, level, level);
      }

  PageLabel.SetText(GetCurrentLanguageText(PageCaption(RankingPage)));
  const bool listKnown = RankingClass >= 0 && RankingClass < ListCount;
  ClassLabel.SetText(GetCurrentLanguageText(listKnown ? FirstListText + RankingClass : UnknownText));
  KindLabel.SetText(GetCurrentLanguageText(FirstKindText + (RankingKind == 1 ? 1 : 0)));
}

void CGameInputTitleScoreRanking::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    case ScreenActive: ReadInput(); return;
    case ScreenClosing:
      // A fresh title menu replaces the whole chain, this screen included.
      if (!IsScreenFadeRunning()) GetGameInputController()->ChangeChild(TitleMenu);
      return;
    default: return;
  }
}

void CGameInputTitleScoreRanking::ReadInput() {
  CMyInput* input = GetInput();
  if ((FocusRow == FocusBack && IsSelectTriggered()) || IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    SwallowInput(input->InputHistory[InputRowCancel]);
    PlayChoiceSound();
    StartScreenFadeOut();
    Phase = ScreenClosing;
  } else if (input->IsUpTriggered() || input->IsDownTriggered()) {
    const bool up = input->IsUpTriggered();
    ConsumeInputTrigger(input->InputHistory[up ? InputRowUp : InputRowDown]);
    PlayChoiceSound();
    FocusRow = (FocusRow + (up ? FocusRowCount - 1 : 1)) % FocusRowCount;
    RefreshRows();
  } else if (FocusRow == FocusPage) {
    StepChoice(&Ranking::PreviousPage, &Ranking::NextPage);
  } else if (FocusRow == FocusClass) {
    StepChoice(&Ranking::PreviousClass, &Ranking::NextClass);
  } else if (FocusRow == FocusKind) {
    StepChoice(&Ranking::PreviousKind, &Ranking::NextKind);
  }
}

void CGameInputTitleScoreRanking::StepChoice(void (Ranking::*previous)(), void (Ranking::*next)()) {
  CMyInput* input = GetInput();
  const bool left = input->IsLeftTriggered();
  if (!left && !input->IsRightTriggered()) return;
  ConsumeInputTrigger(input->InputHistory[left ? InputRowLeft : InputRowRight]);
  PlayChoiceSound();
  (this->*(left ? previous : next))();
  RefreshRows();
}

void CGameInputTitleScoreRanking::DrawLayer(int layer) {
  BeginScreenSprites();
  // The backdrop scrolls on every pass, the one without output included.
  Background.X -= 2;
  if (Background.X < -1024) Background.X += 1024;
  Background.Draw();
  TitleLabel.DrawCaption();
  TableWindow.Draw();
  TableText.DrawCaption();
  RecordText.DrawCaption();
  SelectorWindow.Draw();
  for (CWidget* w : {&PagePrevArrow, &PageNextArrow}) w->Draw();
  PageLabel.DrawCaption();
  for (CWidget* w : {&ClassPrevArrow, &ClassNextArrow}) w->Draw();
  ClassLabel.DrawCaption();
  for (CWidget* w : {&KindPrevArrow, &KindNextArrow}) w->Draw();
  KindLabel.DrawCaption();
  BackButton.Draw();
  BackButton.DrawCaption();
  ResetDrawState();
  if (Child) Child->DrawLayer(layer);
}
