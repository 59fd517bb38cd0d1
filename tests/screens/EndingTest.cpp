// The ending after the last dungeon: its phases and their lengths, the
// tower sinking into the ground, the music, the five-fold fast-forward, the
// press that leaves, and the hand-over to the cleared dungeon's rankings.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/CScoreRanking.h"
#include "platform/FontSet.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputEnding.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;
using Ending = CGameInputEnding;
using Runs = std::vector<std::pair<int, int>>;  // (phase, frames handled in it)

constexpr int LastDungeon = 6, Witch = 3, WitchSheet = 140;
// Far more than the whole scene takes.
constexpr int FrameLimit = 10000;

std::uint32_t Users(PictureId id) { return TextureRefCounts[GetPictureRow(id)->Slot]; }

int LineCount(const char* text) { return 1 + static_cast<int>(std::count(text, text + std::strlen(text), '\n')); }

class EndingScene : public TitleFixture {
protected:
  EndingScene() {
    // The captions take their heights from the font when the scene is built.
    ApplyFontSet(Game()->Fonts, false);
    E = GetGameInputEnding();
    // Built once for the whole program: an earlier test may have built it
    // before any font was applied.
    E->BuildLayout();
    ClearLists();
    SaveBlock& b = Block();
    b.DungeonIndex = LastDungeon;
    b.DungeonClearedFlags[LastDungeon] = 1;
    b.SelectedClass = Witch;
    // Two runs before, then the cleared one, which stands second on every
    // board.
    Game()->RegisterRankingEntry(Run(900, 2, 300));
    Game()->RegisterRankingEntry(Run(100, 1, 400));
    Game()->RegisterRankingEntry(Run(500, 2, 350));
  }
  ~EndingScene() override { ClearLists(); }

  static RankingEntry Run(int score, int result, std::uint32_t turns) {
    RankingEntry e{};
    e.Score = score;
    e.PlayTime = turns * 10;
    e.TurnCount = turns;
    e.Result = static_cast<std::uint8_t>(result);
    e.Dungeon = LastDungeon;
    e.Floor = 30;
    e.CharacterClass = Witch;
    return e;
  }
  static void ClearLists() {
    for (int i = 0; i < RankingLists; ++i)
      Game()->ScoreRankings[i] = Game()->TurnRankings[i] = Game()->TimeRankings[i] = CScoreRanking();
  }

  // As the clear screen hands over: the fade held at black, the chain
  // replaced by the ending.
  void Open() {
    Fade()->FadeRunning = 1;
    ASSERT_TRUE(Root()->ChangeChild(30));
  }

  // Steps with `rows` and `pointer` held until the scene waits for its press
  // (or `limit` frames); the frames each phase handled.
  Runs RunToTheEnd(const std::vector<int>& rows = {}, uitest::Pointer pointer = {}) {
    Runs runs;
    for (int i = 0; i < FrameLimit && E->GetPhase() != Ending::WaitingForPress; ++i) {
      const int phase = E->GetPhase();
      if (runs.empty() || runs.back().first != phase) runs.push_back({phase, 0});
      ++runs.back().second;
      Step(rows, pointer);
    }
    return runs;
  }

  // Frames of the staff roll: from y 640 until its bottom edge is at 80, 2
  // units a frame.
  int RollFrames() const { return (640 - (80 - E->StaffRollLabel.Height)) / 2; }

  static int PlayingTrack() { return GetSoundManager()->GetPlayingBgm(); }

  Ending* E = nullptr;
};

TEST_F(EndingScene, PlaysItsPhasesInTurnAndWaitsWithTheMusicLooping) {
  Open();
  EXPECT_EQ(E->GetPhase(), Ending::BarsParting);
  EXPECT_EQ(Fade()->FadeValue, 255);
  EXPECT_EQ(Fade()->FadeStep, -5);
  EXPECT_EQ(E->ClassFigure.CurrentCell().Picture, WitchSheet);

  // Each frame, what the phase it ran in must show.
  Runs runs;
  for (int i = 0; i < FrameLimit && E->GetPhase() != Ending::WaitingForPress; ++i) {
    if (runs.empty() || runs.back().first != E->GetPhase()) runs.push_back({E->GetPhase(), 0});
    ++runs.back().second;
    Step();
    const int phase = E->GetPhase();
    const CWidget& tower = E->SinkingPicture;
    const bool dustShown = phase == Ending::Sinking || phase == Ending::DustSettling;
    for (const CWidget& dust : E->Dust) ASSERT_EQ(dust.IsVisible(), dustShown) << "phase " << phase;
    if (phase == Ending::Sinking) {
      // Shaken sideways by 0-3, cut off at the ground line.
      ASSERT_GE(tower.X, 1040);
      ASSERT_LE(tower.X, 1043);
      ASSERT_EQ(tower.Y + tower.Height, 480);
      ASSERT_EQ(tower.CurrentCell().Height, (480 - tower.Y) / 4);
      for (const CWidget& dust : E->Dust) {
        ASSERT_GE(dust.X, 1040);
        ASSERT_LT(dust.X, 1043 + 160);
        ASSERT_LE(dust.Y, 480);
        ASSERT_GT(dust.Y, 480 - 40);
      }
    }
    ASSERT_EQ(PlayingTrack() == 9, phase >= Ending::MusicLeadIn) << "phase " << phase;
  }
  EXPECT_EQ(runs, (Runs{{7, 60}, {8, 62}, {9, 250}, {10, 62}, {11, 90}, {12, 92}, {13, RollFrames()}, {14, 240}}));

  // Where everything came to rest.
  EXPECT_EQ(E->TopBar.Y, -280);
  EXPECT_EQ(E->BottomBar.Y, 640);
  EXPECT_EQ(E->SinkingPicture.Y, 480);
  EXPECT_EQ(E->SinkingPicture.Height, 0);
  EXPECT_EQ(E->Tint.GetAlpha(), 0);
  for (const CWidget& dust : E->Dust) EXPECT_EQ(dust.GetAlpha(), 0);
  EXPECT_EQ(E->TheEndLabel.Y, 160);
  EXPECT_EQ(E->ThankYouLabel.Y, 280);
  EXPECT_EQ(E->StaffRollLabel.Y + E->StaffRollLabel.Height, 80) << "the roll's last line just clears the bar";

  for (int i = 0; i < 300; ++i) Step();
  EXPECT_EQ(E->GetPhase(), Ending::WaitingForPress);
  EXPECT_EQ(PlayingTrack(), 9);
  Root()->DrawLayer(1);
  Root()->DrawLayer(0);
}

TEST_F(EndingScene, CaptionsAreAsTallAsTheirTextsAndTheRollSkipsOneBlock) {
  // At the font's 10-unit lines: "THE END" at 8 times, the roll and the
  // closing line at 4 times, each as tall as it is drawn.
  EXPECT_EQ(E->TheEndLabel.Height, 80);
  EXPECT_EQ(E->ThankYouLabel.Height, 40);
  EXPECT_EQ(E->ThankYouLabel.CaptionHeight, 40);
  EXPECT_EQ(E->ThankYouLabel.GetScaleX(), 4.0f);
  EXPECT_EQ(E->StaffRollLabel.Height, 40 * LineCount(E->StaffRollLabel.GetText()));

  std::string roll;
  for (TextId id : {1281, 1282, 1283, 1284, 1287, 1286, 1288}) {
    if (!roll.empty()) roll += std::string(17, '\n');
    roll += GetText(LanguageEnglish, id);
  }
  EXPECT_EQ(E->StaffRollLabel.GetText(), roll);

  // A buffer too small for the roll gets its start, never more.
  for (std::size_t capacity : {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{40}, roll.size(),
                               roll.size() + 1}) {
    std::vector<char> buffer(capacity, '#');
    const std::size_t written = BuildStaffRoll(buffer.data(), capacity, LanguageEnglish);
    ASSERT_LT(written, capacity);
    EXPECT_EQ(std::string(buffer.data()), roll.substr(0, written)) << capacity;
  }
  EXPECT_EQ(BuildStaffRoll(nullptr, 0, LanguageEnglish), 0u);
}

TEST_F(EndingScene, HoldingSelectOrThePointerRunsOnlyTheRollAndCaptionsFiveTimesAsFast) {
  const struct {
    const char* Name;
    std::vector<int> Rows;
    uitest::Pointer Pointer;
  } holds[] = {
      {"select", {InputRowSelect}, {}},
      {"pointer", {}, {true, 5, 715}},
  };
  for (const auto& hold : holds) {
    SCOPED_TRACE(hold.Name);
    uitest::ClearInput();
    Open();
    const Runs runs = RunToTheEnd(hold.Rows, hold.Pointer);
    const int roll = (RollFrames() + 4) / 5;
    EXPECT_EQ(runs, (Runs{{7, 60}, {8, 62}, {9, 250}, {10, 62}, {11, 90}, {12, 92}, {13, roll}, {14, 48}}));
    // Held on, the press is long stale: the scene waits.
    for (int i = 0; i < 30; ++i) Step(hold.Rows, hold.Pointer);
    EXPECT_EQ(E->GetPhase(), Ending::WaitingForPress);
    Step();
    StopFade();
  }
}

TEST_F(EndingScene, APressMadeBeforeTheLastPhaseLeavesOnlyWhileStillFresh) {
  Open();
  // Pressed 20 frames before the captions stop: stale by then.
  while (E->GetPhase() != Ending::CaptionsRising) Step();
  for (int i = 0; i < 220; ++i) Step();
  Press({InputRowSelect});
  RunToTheEnd();
  for (int i = 0; i < 20; ++i) Step();
  EXPECT_EQ(E->GetPhase(), Ending::WaitingForPress);

  // A click anywhere leaves at once.
  Step({}, uitest::Pointer{true, 1279, 0});
  EXPECT_EQ(E->GetPhase(), ScreenClosing);
  EXPECT_EQ(Fade()->FadeStep, 4);
  for (int i = 0; i < InputHistoryLength; ++i) {
    ASSERT_EQ(GetInput()->InputHistory[InputRowPointer][i], -1);
    ASSERT_EQ(GetInput()->InputHistory[InputRowSelect][i], -1);
  }
}

TEST_F(EndingScene, HandsOverToTheClearedDungeonsRankingsKeepingTheClassPictureUntilThen) {
  CGameInputTitleScoreRanking* ranking = GetGameInputTitleScoreRanking();
  ranking->RankingPage = 2;
  ranking->RankingClass = 5;
  ranking->RankingKind = 1;
  Open();
  const std::uint32_t held = Users(WitchSheet);
  EXPECT_GE(held, 1u);
  RunToTheEnd();
  Step({InputRowSelect});
  ASSERT_EQ(E->GetPhase(), ScreenClosing);
  // The figure is drawn under the whole fade out, its picture still held.
  int frames = 0;
  for (; frames < 100 && Root()->GetChild() == E; ++frames) {
    ASSERT_EQ(Users(WitchSheet), held) << "frame " << frames;
    Root()->DrawLayer(0);
    Step();
  }
  EXPECT_EQ(frames, 65);
  EXPECT_EQ(Root()->GetChild(), ranking);
  EXPECT_EQ(Users(WitchSheet), held - 1) << "given back with the hand-over";
  EXPECT_EQ(PlayingTrack(), -1);

  EXPECT_EQ(ranking->RankingPage, LastDungeon);
  EXPECT_EQ(ranking->RankingClass, 0);
  EXPECT_EQ(ranking->RankingKind, 1) << "the table kind stays";
  // The run's line, second on the board, is the one laid over.
  std::istringstream record(ranking->RecordText.GetText());
  std::vector<std::string> lines;
  for (std::string line; std::getline(record, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(lines[0].empty());
  EXPECT_FALSE(lines[1].empty());
}

TEST_F(EndingScene, EachVisitHoldsOneUseOfTheClassPictureAndNoneForAnUnknownClass) {
  Open();
  const std::uint32_t held = Users(WitchSheet);
  Open();  // begun again before any hand-over
  EXPECT_EQ(Users(WitchSheet), held);

  Block().SelectedClass = 9;
  Open();
  EXPECT_EQ(Users(WitchSheet), held - 1);
  EXPECT_EQ(E->ClassFigure.CurrentCell().Picture, WitchSheet) << "an unknown class keeps the last figure";
  const Runs runs = RunToTheEnd();
  EXPECT_EQ(runs.size(), 8u);
}

}  // namespace
