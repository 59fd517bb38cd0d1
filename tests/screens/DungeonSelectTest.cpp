// The dungeon selection: the open dungeons by the clear flags (the list and
// the cursor agree), the cursor's wrap, the marks and the class on the map,
// and the two ways out: the start of a run and the way back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/TitleTestSupport.h"
#include "system/DebugLines.h"

namespace {

using namespace titletest;
using StageSelect = CGameInputTitleStageSelect;

class DungeonSelect : public TitleFixture {
protected:
  // Pushed over a covered parent, faded in and taking input.
  void Open(std::initializer_list<int> cleared = {}) {
    for (int d : cleared) Block().DungeonClearedFlags[d] = 1;
    PushOverStub(Parent, 3);
    RunUntil([&] { return S->GetPhase() == ScreenActive; });
  }
  // The dungeons listed, from the top row down, each row 56 below the last
  // and each with its icon on the map.
  std::vector<int> ShownRows() const {
    std::vector<int> shown;
    int y = 260;
    for (int d = StageSelect::DungeonCount - 1; d >= 0; --d) {
      EXPECT_EQ(S->DungeonRows[d].IsVisible(), S->DungeonIcons[d].IsVisible()) << d;
      if (!S->DungeonRows[d].IsVisible()) continue;
      shown.push_back(d);
      EXPECT_EQ(S->DungeonRows[d].GetY(), y) << "row " << d;
      y += 56;
    }
    return shown;
  }
  std::string Panel(Language language, int d) const {
    return std::string(GetText(language, 1156 + d)) + "\n" + GetText(language, 1143 + d) + "\n" +
           GetText(language, 1164) + "\n" + GetText(language, 1165 + d);
  }

  ParentStub Parent;
  StageSelect* S = GetGameInputTitleStageSelect();
};

TEST_F(DungeonSelect, ListsTheOpenDungeonsHighestFirstAndTheCursorOnlyVisitsThem) {
  struct Case {
    const char* What;
    std::vector<int> Cleared;
    std::vector<int> Shown;  // from the top row down
    std::vector<int> Downs;  // the dungeon after each Down, from the top row round to it
  };
  const Case cases[] = {
      {"nothing cleared", {}, {0}, {0, 0}},
      {"LEVEL 1 cleared", {1}, {2, 0}, {0, 2}},
      {"all seven cleared", {0, 1, 2, 3, 4, 5, 6}, {7, 6, 5, 4, 3, 2, 1, 0}, {6, 5, 4, 3, 2, 1, 0, 7}},
      {"a gap: only LEVEL 2 cleared", {2}, {3, 0}, {0, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Root()->SetChild(nullptr);
    std::memset(Block().DungeonClearedFlags, 0, sizeof Block().DungeonClearedFlags);
    for (int d : c.Cleared) Block().DungeonClearedFlags[d] = 1;
    Open();
    EXPECT_EQ(ShownRows(), c.Shown);
    EXPECT_EQ(S->GetSelectedDungeon(), c.Shown.front()) << c.What << ": the cursor starts on the top row";
    EXPECT_EQ(S->DescriptionWindow.GetText(), Panel(0, c.Shown.front())) << c.What;

    std::vector<int> downs;
    for (std::size_t i = 0; i < c.Downs.size(); ++i) {
      Step({InputRowDown});
      EXPECT_TRUE(SoundSpy::Played(Click)) << c.What;
      downs.push_back(S->GetSelectedDungeon());
      EXPECT_EQ(S->DungeonRows[downs.back()].GetRed(), 255) << c.What;
      Step();
    }
    EXPECT_EQ(downs, c.Downs) << c.What;
    // The Downs came round to the top row; Up from there goes to the tutorial.
    Step({InputRowUp});
    EXPECT_EQ(S->GetSelectedDungeon(), 0) << c.What;
    Step();
  }
}

TEST_F(DungeonSelect, ThePanelAndRowsSpeakTheLanguage) {
  Block().Language = 1;
  Open({0});
  EXPECT_EQ(S->DescriptionWindow.GetText(), Panel(1, 1));
  EXPECT_EQ(S->DungeonRows[1].GetText(), std::string(GetText(1, 1157)) + "  " + GetText(1, 1144));
  EXPECT_STREQ(S->Header.GetText(), "DUNGEON SELECT");
}

TEST_F(DungeonSelect, TheChosenClassStandsOnTheIconAndMarksTheDungeonsItCleared) {
  const struct {
    int Class;
    PictureId Sheet;
    int CheerWidth;
  } classes[] = {{3, 140, 40}, {4, 141, 80}, {5, 143, 40}};
  for (const auto& c : classes) {
    Root()->SetChild(nullptr);
    Block().SelectedClass = c.Class;
    Block().ClearedWithClass[1 * 11 + 3] = 1;
    Open({0});
    EXPECT_EQ(S->DungeonIcons[1].IsSelected(), c.Class == 3) << c.Class;
    EXPECT_FALSE(S->DungeonIcons[0].IsSelected());
    EXPECT_EQ(S->ClassMarker.NormalCellCount, 4);
    EXPECT_EQ(S->ClassMarker.NormalCells[1].Picture, c.Sheet);
    EXPECT_EQ(S->ClassMarker.NormalCells[3].SourceX, 80);
    EXPECT_EQ(S->ClassMarker.SelectedCellCount, 11);
    EXPECT_EQ(S->ClassMarker.SelectedCells[10].Width, c.CheerWidth);
    EXPECT_EQ(S->ClassMarker.SelectedCells[10].Duration, 999);
    // Centred across the icon of LEVEL 1, feet on its bottom edge.
    EXPECT_EQ(S->ClassMarker.X, 80 - 40);
    EXPECT_EQ(S->ClassMarker.Y, 440 - 80);
  }
}

TEST_F(DungeonSelect, SelectStopsTheMusicCheersAndStartsTheRunAfterTheFade) {
  GetSoundManager()->LoadBgm(18, 10018, 1.0f, 0, 0, 4096);
  GetSoundManager()->PlayBgm(18);
  Open({0});
  Step({InputRowDown});  // onto the tutorial
  Step();
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Chime));
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), -1);
  EXPECT_EQ(S->GetPhase(), StageSelect::PhaseChosen);
  EXPECT_TRUE(S->ClassMarker.IsSelected());
  EXPECT_EQ(S->ClassMarker.PulseFrames, 20) << "a 20-frame flash";

  int fadeAt = 0;
  for (int i = 1; i <= 60 && !fadeAt; ++i) {
    Step({InputRowDown});  // no longer read
    if (Fade()->FadeRunning) fadeAt = i;
  }
  EXPECT_EQ(fadeAt, 42);
  EXPECT_EQ(S->GetSelectedDungeon(), 0);

  DebugLinesShown shown;
  testing::internal::CaptureStderr();
  RunUntil([&] { return S->GetPhase() == StageSelect::PhaseRunStarted; });
  for (int i = 0; i < 5; ++i) Step();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Block().DungeonIndex, 0u);
  EXPECT_EQ(err.find("no run starts"), std::string::npos) << err;
  // The tutorial run is under way; this screen's part ends there.
  ASSERT_NE(Game()->CurrentStage, nullptr);
  EXPECT_EQ(Game()->CurrentStage->StageId, 500);
  delete Game()->CurrentStage;
  Game()->CurrentStage = nullptr;
  Game()->Characters.DeleteAll();
  Game()->Player = nullptr;

  // The next new game starts on the top row again, the class standing.
  Root()->SetChild(nullptr);
  Open();
  EXPECT_EQ(S->GetSelectedDungeon(), 1);
  EXPECT_FALSE(S->ClassMarker.IsSelected());
}

TEST_F(DungeonSelect, CancelWinsOverSelectAndHandsBackWithTheMusicPlaying) {
  GetSoundManager()->LoadBgm(18, 10018, 1.0f, 0, 0, 4096);
  GetSoundManager()->PlayBgm(18);
  Open();
  Step({InputRowCancel, InputRowSelect});
  EXPECT_EQ(S->GetPhase(), ScreenClosing);
  EXPECT_TRUE(SoundSpy::Played(Click));
  EXPECT_EQ(GetInput()->InputHistory[InputRowSelect][0], -1);
  RunUntil([&] { return S->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Parent.ChildClosings, 1);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "the parent fades back in";
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 18);
  EXPECT_EQ(Block().DungeonIndex, 0u);
}

}  // namespace
