// The ranking screen: its lines, the newest run laid over in yellow, the
// three choices paged by keys, and the way back to a fresh title menu.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/CScoreRanking.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/ConfigTestSupport.h"

namespace {

using namespace configtest;
using Ranking = CGameInputTitleScoreRanking;

std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::vector<std::string> Lines(const CWidget& w) {
  std::vector<std::string> lines;
  std::istringstream in(w.GetText());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

RankingEntry Finished(int floor, std::uint32_t time, std::uint32_t turns, int characterClass = 3, int result = 1) {
  RankingEntry e{};
  e.Score = floor;
  e.CauseOfDeath = 2;
  e.PlayTime = time;
  e.TurnCount = turns;
  e.Result = static_cast<std::uint8_t>(result);
  e.Dungeon = 1;
  e.Floor = static_cast<std::uint8_t>(floor);
  e.CharacterClass = static_cast<std::uint8_t>(characterClass);
  return e;
}

class Rankings : public ConfigFixture {
protected:
  Rankings() { ClearLists(); }
  ~Rankings() override { ClearLists(); }
  static void ClearLists() {
    CGameMain* game = Game();
    for (int i = 0; i < RankingLists; ++i)
      game->ScoreRankings[i] = game->TurnRankings[i] = game->TimeRankings[i] = CScoreRanking();
  }
  // As the game-over screen hands over after a run in dungeon 1.
  void OpenAfterRun() {
    ASSERT_TRUE(Root()->ChangeChild(7));
    // The board shown is kept from the screen's last use; these start on
    // the score board whatever ran before them.
    R->RankingKind = 0;
    R->RankingPage = 1;
    R->RankingClass = 0;
    R->ScrollTo(Game()->ScoreRankings[11].GetLastRank() - 2);
    R->RefreshRows();
  }
  // As the title menu opens it: no run marked, over a covered screen.
  void OpenFromTitle() {
    CGameMain* game = Game();
    for (int i = 0; i < RankingLists; ++i) {
      game->ScoreRankings[i].ResetLastEntry();
      game->TurnRankings[i].ResetLastEntry();
      game->TimeRankings[i].ResetLastEntry();
    }
    uitest::ClearInput();
    Open(7);
  }
  // The yellow overlay's one line, by its place; 0 when there is none.
  int MarkedPlace() const {
    const std::vector<std::string> lines = Lines(R->RecordText);
    int marked = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (!lines[i].empty()) {
        EXPECT_EQ(marked, 0) << "one marked line at most";
        marked = static_cast<int>(i) + 1;
      }
    return marked;
  }

  Ranking* R = GetGameInputTitleScoreRanking();
};

TEST(RankingLine, ColumnsOfPlaceTimeOrTurnsFloorClassAndOutcome) {
  CScoreRanking list;
  list.InsertByFloor(Finished(12, 4'000'000, 0, 7, 2));
  list.InsertByFloor(Finished(5, 0, 1234, 0, 1));
  list.InsertByFloor(Finished(1, 0, 0, 8, 2));
  const struct {
    RankingEntry Entry;
    int Place, Kind;
    std::string Line;
  } cases[] = {
      {Finished(12, 4'000'000, 0, 7, 2), 1, 0, " 1: 37:02:13" + Spaces(9) + "12F ELF" + Spaces(10) + "CLEAR!"},
      {Finished(5, 0, 1234, 0, 1), 2, 1, " 2: 1234TURN" + Spaces(10) + "5F FIGHTER" + Spaces(6) + "KILLED BY DWARF."},
      {Finished(1, 0, 0, 8, 2), 3, 0, " 3: 00:00:00" + Spaces(10) + "1F PROPHET" + Spaces(6) + "CLEAR!"},
  };
  for (const auto& c : cases) {
    char line[256];
    FormatRankingLine(line, sizeof line, list, c.Place, c.Kind);
    EXPECT_EQ(line, c.Line) << c.Place;
  }
  char line[256] = "stale";
  FormatRankingLine(line, sizeof line, list, 4, 0);
  EXPECT_STREQ(line, "") << "an empty place";

  // The spare place, hours past two digits, and a class byte no class has.
  CScoreRanking full;
  for (int floor = 30; floor > 20; --floor) full.InsertByFloor(Finished(floor, 0, 0));
  full.InsertByFloor(Finished(100, 12'000'000, 0, 200, 2));
  full.InsertByFloor(Finished(1, 12'000'000, 0, 200, 2));
  FormatRankingLine(line, sizeof line, full, 11, 0);
  EXPECT_EQ(std::string(line), "--: 111:06:40" + Spaces(9) + "1F ???" + Spaces(10) + "CLEAR!");
}

TEST_F(Rankings, AfterARunItsLineIsYellowOnEachBoardThatHoldsIt) {
  Game()->RegisterRankingEntry(Finished(9, 100, 50));
  Game()->RegisterRankingEntry(Finished(9, 200, 10));
  Game()->RegisterRankingEntry(Finished(9, 50, 40));  // the newest
  OpenAfterRun();
  EXPECT_EQ(R->GetParent(), nullptr);
  EXPECT_EQ(R->FirstShownRow, 1);

  const std::vector<std::string> table = Lines(R->TableText);
  ASSERT_EQ(table.size(), 11u) << "a line for every place";
  for (int i = 0; i < 11; ++i) EXPECT_EQ(table[i].empty(), i >= 3) << i;
  EXPECT_EQ(MarkedPlace(), 1) << "first by clear time";
  EXPECT_EQ(Lines(R->RecordText)[0], table[0]);
  EXPECT_EQ(R->RecordText.GetBlue(), 0);
  EXPECT_EQ(R->TableWindow.Height, 336);

  R->RankingKind = 1;
  R->RefreshRows();
  EXPECT_EQ(MarkedPlace(), 2) << "second by turns";
  R->RankingClass = 4;  // the run's own class, WITCH
  R->RefreshRows();
  EXPECT_EQ(MarkedPlace(), 2);
  R->RankingClass = 1;  // a list the run never entered
  R->RefreshRows();
  EXPECT_EQ(MarkedPlace(), 0);
  EXPECT_TRUE(Lines(R->TableText)[0].empty());
}

TEST_F(Rankings, ARunOutsideTheTenStandsEleventhAndTheWindowGrows) {
  for (int floor = 20; floor > 10; --floor) Game()->RegisterRankingEntry(Finished(floor, 0, 0));
  Game()->RegisterRankingEntry(Finished(1, 0, 0));
  OpenAfterRun();
  EXPECT_EQ(MarkedPlace(), 11);
  EXPECT_EQ(Lines(R->TableText)[10].substr(0, 4), "--: ");
  EXPECT_EQ(R->TableWindow.Height, 368);
  EXPECT_EQ(R->TableWindow.DrawOffsetY, 184);

  // A later run placed in the ten: the eleventh line stays, white only.
  Game()->RegisterRankingEntry(Finished(30, 0, 0));
  OpenAfterRun();
  EXPECT_EQ(MarkedPlace(), 1);
  EXPECT_FALSE(Lines(R->TableText)[10].empty());
  EXPECT_EQ(R->TableWindow.Height, 368);

  // From the title no line is marked and the spare place is gone.
  OpenFromTitle();
  EXPECT_EQ(MarkedPlace(), 0);
  EXPECT_EQ(Lines(R->TableText).size(), 11u);
  EXPECT_TRUE(Lines(R->TableText)[10].empty());
  EXPECT_EQ(R->TableWindow.Height, 336);
}

TEST_F(Rankings, TheKeysPageThroughDungeonsClassesAndBoards) {
  const struct {
    int Focus, Start;
    std::uint32_t Key;
    bool LevelSixCleared;
    int End;
    const char* Caption;
  } cases[] = {
      {Ranking::FocusPage, 7, VkRight, false, 1, "PHANTOM FOREST"},
      {Ranking::FocusPage, 1, VkLeft, false, 7, "???"},
      {Ranking::FocusPage, 1, VkLeft, true, 7, "ETERNAL GALLERY"},
      {Ranking::FocusPage, 0, VkLeft, false, 7, "???"},
      {Ranking::FocusPage, 0, VkRight, false, 1, "PHANTOM FOREST"},
      {Ranking::FocusClass, 8, VkRight, false, 0, "ALL"},
      {Ranking::FocusClass, 0, VkLeft, false, 8, "ELF"},
      {Ranking::FocusClass, 8, VkRight, true, 9, "PROPHET"},
      {Ranking::FocusClass, 0, VkLeft, true, 9, "PROPHET"},
      {Ranking::FocusKind, 0, VkLeft, false, 1, "TURNS TAKEN"},
      {Ranking::FocusKind, 1, VkRight, false, 0, "CLEAR TIME"},
  };
  for (const auto& c : cases) {
    Block().DungeonClearedFlags[6] = c.LevelSixCleared;
    OpenFromTitle();
    int& field = c.Focus == Ranking::FocusPage    ? R->RankingPage
                 : c.Focus == Ranking::FocusClass ? R->RankingClass
                                                  : R->RankingKind;
    field = c.Start;
    R->FocusRow = c.Focus;
    R->RefreshRows();
    EXPECT_TRUE(Press({c.Key}));
    EXPECT_EQ(field, c.End) << c.Focus << " from " << c.Start;
    const CWidget& label = c.Focus == Ranking::FocusPage    ? R->PageLabel
                           : c.Focus == Ranking::FocusClass ? R->ClassLabel
                                                            : R->KindLabel;
    EXPECT_EQ(TextOf(label), c.Caption) << c.Focus << " from " << c.Start;
    EXPECT_EQ(label.GetRed(), 255) << "the focused row is white";
  }
  Block().DungeonClearedFlags[1] = 1;
  R->RankingPage = 2;
  R->RefreshRows();
  EXPECT_EQ(TextOf(R->PageLabel), "LAKE OF MIST");
}

TEST_F(Rankings, EachVisitStartsOnBackKeepsTheChoicesAndIgnoresKeysWhileFading) {
  R->RankingPage = 3;
  R->RankingClass = 2;
  R->RankingKind = 1;
  R->FocusRow = Ranking::FocusPage;
  PushOverStub(7);
  EXPECT_EQ(R->FocusRow, Ranking::FocusBack);
  EXPECT_EQ(R->BackButton.GetRed(), 255);
  for (CWidget* w : {&R->PageLabel, &R->PagePrevArrow, &R->ClassLabel, &R->KindNextArrow})
    EXPECT_EQ(w->GetRed(), 64);
  EXPECT_EQ(R->RankingPage, 3);
  EXPECT_EQ(R->RankingKind, 1);

  Press({VkCancel});
  EXPECT_EQ(R->GetPhase(), ScreenOpening) << "nothing reacts during the fade in";
  // The screen looks before the effect steps: it sees the 17th update in
  // the 18th frame, two of which the press took.
  EXPECT_EQ(RunUntil([&] { return R->GetPhase() == ScreenActive; }), 16);

  const struct {
    int From;
    std::uint32_t Key;
    int To;
  } moves[] = {{Ranking::FocusPage, VkUp, Ranking::FocusBack}, {Ranking::FocusBack, VkDown, Ranking::FocusPage}};
  for (const auto& m : moves) {
    R->FocusRow = m.From;
    EXPECT_TRUE(Press({m.Key}));
    EXPECT_EQ(R->FocusRow, m.To);
  }
  for (int i = 0; i < 8; ++i) Step({VkDown});
  EXPECT_EQ(R->FocusRow, Ranking::FocusClass) << "a held key moves once";
}

TEST_F(Rankings, CancelAnywhereOrSelectOnBackFadesOutToAFreshTitleMenu) {
  ParentStub title;
  TheTitleMenu = &title;
  OpenFromTitle();
  R->FocusRow = Ranking::FocusPage;
  EXPECT_FALSE(Press({VkSelect})) << "SELECT acts on BACK only";
  EXPECT_EQ(R->GetPhase(), ScreenActive);
  EXPECT_TRUE(Press({VkCancel}));
  EXPECT_EQ(R->GetPhase(), ScreenClosing);
  EXPECT_EQ(GetScreenEffect()->FadeStep, 16);
  Press({VkDown});
  EXPECT_EQ(R->FocusRow, Ranking::FocusPage) << "nothing reacts during the fade out";
  RunUntil([&] { return Root()->GetChild() == &title; });
  EXPECT_EQ(title.GetParent(), nullptr);
  EXPECT_NE(&title, &Stub) << "not the screen that opened the rankings";

  OpenFromTitle();
  EXPECT_TRUE(Press({VkSelect}));
  EXPECT_EQ(R->GetPhase(), ScreenClosing);
}

TEST_F(Rankings, TheBackdropScrollsTwoUnitsOnEveryPassAndWrapsAfterItsWidth) {
  OpenFromTitle();
  const int x = R->Background.X;
  Root()->DrawLayer(1);
  Root()->DrawLayer(0);
  EXPECT_EQ(R->Background.X, x - 4) << "both passes of a title frame";
  R->Background.X = -1023;
  Root()->DrawLayer(0);
  EXPECT_EQ(R->Background.X, -1);
}

}  // namespace
