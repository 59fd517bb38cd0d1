// The screens that end a run: GAME OVER, the two clears, what a clear
// records, and where each hands over.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "app/CGameState.h"
#include "platform/CScoreRanking.h"
#include "platform/RenderTestSupport.h"
#include "screens/CGameInputMainClear1.h"
#include "screens/CGameInputMainClear2.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleScreenKit.h"
#include "screens/TitleTestSupport.h"
#include "system/DebugLines.h"

namespace {

using namespace titletest;
using GameOver = CGameInputMainGameOver;
using Clear1 = CGameInputMainClear1;
using Clear2 = CGameInputMainClear2;

constexpr ScreenId GameOverScreen = 24, FirstClear = 25, SecondClear = 26, EndingScreen = 30;
constexpr SoundEffectId Fanfare = 39, Chord = 34;

// A game without its ending screen.
CGameInput* ResolveNoEnding(ScreenId id) { return id == EndingScreen ? nullptr : ResolveWithStub(id); }

class RunEndScreens : public TitleFixture {
protected:
  RunEndScreens() {
    ClearLists();
    GetStateController()->Reset();
    Game()->Player = &Player;
    Player.hp = 10;
  }
  ~RunEndScreens() override {
    ClearLists();
    GetStateController()->Reset();
    Play.SetChild(nullptr);
    for (ScreenId id : {GameOverScreen, FirstClear, SecondClear, EndingScreen}) {
      ScreenFromId(id)->SetParent(nullptr);
      ScreenFromId(id)->SetChild(nullptr);
    }
  }
  static void ClearLists() {
    for (int i = 0; i < RankingLists; ++i)
      Game()->ScoreRankings[i] = Game()->TurnRankings[i] = Game()->TimeRankings[i] = CScoreRanking();
  }
  void Open(ScreenId id) { PushOverStub(Play, id); }
  static GameStateId State() { return GetStateController()->GetStateId(); }
  static bool OnRankings() { return Root()->GetChild() == GetGameInputTitleScoreRanking(); }
  // SELECT once "CLEAR!!" waits for it, then on until the screen has gone.
  void ClearWithSelect(ScreenResolver resolver) {
    Open(FirstClear);
    SetScreenResolver(resolver);
    RunUntil([&] { return C1->GetPhase() == Clear1::PhaseAwaitingSelect; });
    Step({InputRowSelect});
    RunUntil([&] { return Root()->GetChild() != &Play; });
  }
  Bytes SaveFile() const { return ReadBytes(Folder.File("save")); }

  ParentStub Play;
  Clear1* C1 = GetGameInputMainClear1();
};

TEST_F(RunEndScreens, GameOverWaitsOutTheFadeThenSelectFadesToTheDungeonsRankings) {
  Block().DungeonIndex = 3;
  Player.hp = 0;
  Player.causeOfDeath = 256;
  Game()->RegisterRanking();  // as the game-over state has done
  StartScreenFadeIn();
  GameOver* g = GetGameInputMainGameOver();
  Open(GameOverScreen);
  EXPECT_STREQ(g->Caption.GetText(), "GAME OVER");
  EXPECT_EQ(g->Caption.Y, 100);
  EXPECT_EQ(g->Caption.Width, 1280);
  EXPECT_EQ(g->Caption.GetScaleX(), 4.0f);
  EXPECT_EQ(g->GetPhase(), GameOver::PhaseWaiting);
  // 17 effect updates end the fade in; the screen sees it in the next frame.
  EXPECT_EQ(RunUntil([&] { return g->GetPhase() == GameOver::PhaseAwaitingSelect; }), 18);

  Step({InputRowCancel});
  Step({InputRowFirstAction + 6});
  Step({}, {true, 640, 360});
  Step();
  EXPECT_EQ(g->GetPhase(), GameOver::PhaseAwaitingSelect);
  EXPECT_FALSE(IsScreenFadeRunning());

  Step({InputRowSelect});
  EXPECT_EQ(g->GetPhase(), GameOver::PhaseFadingOut);
  EXPECT_EQ(Fade()->FadeTarget, 255);
  EXPECT_EQ(Fade()->FadeValue, 8);
  EXPECT_FALSE(IsSelectTriggered());
  // The fade is black after 32 effect updates and reports it in the 33rd.
  EXPECT_EQ(RunUntil(OnRankings), 33);
  CGameInputTitleScoreRanking* r = GetGameInputTitleScoreRanking();
  EXPECT_EQ(r->RankingPage, 3);
  EXPECT_EQ(r->RankingClass, 0);
  EXPECT_EQ(State(), StateTitle);
  EXPECT_EQ(Root()->GetChild()->GetChild(), nullptr) << "the play screen and GAME OVER left the chain";
  // The run stands out in the list with its killer.
  EXPECT_NE(std::string(r->RecordText.GetText()).find("KILLED BY SLIME."), std::string::npos)
      << r->RecordText.GetText();
}

TEST_F(RunEndScreens, TheRankingsOfADungeonOutOfRangeAreNeverRead) {
  Block().DungeonIndex = 9;
  GameOver* g = GetGameInputMainGameOver();
  Open(GameOverScreen);
  Step();
  Step({InputRowSelect});
  RunUntil(OnRankings);
  EXPECT_EQ(GetGameInputTitleScoreRanking()->RankingPage, 1);
  EXPECT_EQ(g->GetPhase(), GameOver::PhaseFadingOut);
}

TEST_F(RunEndScreens, FirstClearRaisesItsCaptionOnTimeAndTakesOnlyARecentSelect) {
  Block().DungeonIndex = 2;
  Open(FirstClear);
  for (int update = 1; update <= 5; ++update) {
    Step();
    EXPECT_EQ(C1->GetPhase(), Clear1::PhaseSettling) << update;
  }
  Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseRising);
  EXPECT_TRUE(SoundSpy::Played(Fanfare));

  // SELECT while the caption rises, long before it is asked for, is lost.
  Step({InputRowSelect});
  for (int update = 8; update <= 69; ++update) Step();
  EXPECT_FALSE(C1->Caption.IsVisible());
  Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseShown);
  EXPECT_TRUE(C1->Caption.IsVisible());
  EXPECT_STREQ(C1->Caption.GetText(), "CLEAR!!");
  EXPECT_EQ(C1->Caption.GetScaleX(), 8.0f);

  for (int update = 71; update <= 130; ++update) Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseShown);
  Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseAwaitingSelect);
  Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseAwaitingSelect) << "the early SELECT is too old";

  // A tap a few frames before the question still counts.
  Root()->SetChild(nullptr);
  Open(FirstClear);
  RunUntil([&] { return C1->GetPhase() == Clear1::PhaseShown; });
  for (int i = 0; i < 56; ++i) Step();
  Step({InputRowSelect});
  for (int i = 0; i < 4; ++i) Step();
  ASSERT_EQ(C1->GetPhase(), Clear1::PhaseAwaitingSelect);
  Step();
  EXPECT_EQ(C1->GetPhase(), Clear1::PhaseFadingOut);
  EXPECT_EQ(Fade()->FadeTarget, 255);
  EXPECT_EQ(Fade()->FadeStep, 8);
}

TEST_F(RunEndScreens, FirstClearShowsTheDungeonsPrizeOverThePlayer) {
  const struct {
    std::uint32_t Dungeon, Class;
    int SourceX, X;
  } cases[] = {{1, 0, 0, 620}, {3, 1, 40, 600}, {6, 2, 100, 620}, {7, 8, 140, 600}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Dungeon);
    Block().DungeonIndex = c.Dungeon;
    Block().SelectedClass = c.Class;
    C1->Begin();
    EXPECT_TRUE(C1->GoalIcon.IsVisible());
    EXPECT_EQ(C1->GoalIcon.CurrentCell().Picture, 132);
    EXPECT_EQ(C1->GoalIcon.CurrentCell().SourceX, c.SourceX);
    EXPECT_EQ(C1->GoalIcon.CurrentCell().SourceY, 380);
    EXPECT_EQ(C1->GoalIcon.X, c.X);
    EXPECT_EQ(C1->GoalIcon.Y, 280);
  }
  // The tutorial has no prize: no icon, not the last dungeon's.
  Block().DungeonIndex = 0;
  C1->Begin();
  EXPECT_FALSE(C1->GoalIcon.IsVisible());
}

TEST_F(RunEndScreens, AClearIsRecordedInSaveAndTheRankingsThenTheRankingsOrTheEndingFollow) {
  const struct {
    const char* What;
    std::uint32_t Dungeon, Class;
    bool Ending;
  } cases[] = {
      {"LEVEL 2 as WITCH", 2, 3, false},
      {"LEVEL 6 without an ending screen", 6, 0, false},
      {"LEVEL 6 with the ending", 6, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Root()->SetChild(nullptr);
    GetStateController()->Reset();
    ClearLists();
    SaveBlock& b = Block();
    std::memset(b.DungeonClearedFlags, 0, sizeof b.DungeonClearedFlags);
    std::memset(b.ClearedWithClass, 0, sizeof b.ClearedWithClass);
    b.DungeonIndex = c.Dungeon;
    b.SelectedClass = c.Class;
    b.GameInProgress = 1;
    StopFade();
    ClearWithSelect(c.Ending ? &ResolveWithStub : &ResolveNoEnding);

    const Bytes save = SaveFile();
    ASSERT_EQ(save.size(), 8192u);
    EXPECT_EQ(U32At(save, 12 + 4 * c.Dungeon), 1u);
    EXPECT_EQ(save[104 + 11 * c.Dungeon + c.Class], 1);
    EXPECT_EQ(save[GameInProgressAt], 0) << "CONTINUE is no longer offered";
    const int first = static_cast<int>(c.Dungeon) * RankingListsPerDungeon;
    EXPECT_EQ(Game()->ScoreRankings[first].GetResult(1), 2);
    EXPECT_EQ(Game()->ScoreRankings[first + 1 + static_cast<int>(c.Class)].GetResult(1), 2);
    char name[32];
    FormatRankingFileName(name, sizeof name, RankingBoard::Score, static_cast<int>(c.Dungeon), 0);
    EXPECT_TRUE(FileExists(Folder.File(name)));
    EXPECT_EQ(State(), StateTitle);
    if (c.Ending) {
      EXPECT_EQ(Root()->GetChild(), ScreenFromId(EndingScreen));
    } else {
      ASSERT_TRUE(OnRankings());
      EXPECT_EQ(GetGameInputTitleScoreRanking()->RankingPage, static_cast<int>(c.Dungeon));
    }
    Root()->SetChild(nullptr);
  }
}

TEST_F(RunEndScreens, SecondClearFadesOutAtOnceIntoTheTitleMenuWithNothingToContinue) {
  SuspendGame();
  Game()->Player = &Player;
  Block().DungeonIndex = 4;
  Block().SelectedClass = 2;
  Open(SecondClear);
  Step();
  EXPECT_TRUE(SoundSpy::Played(Chord));
  EXPECT_EQ(GetInput()->InputHistory[InputRowPointer][0], -1);
  EXPECT_EQ(Fade()->FadeTarget, 255);
  EXPECT_EQ(Fade()->FadeStep, 8);
  CGameInputTitleTop* top = GetGameInputTitleTop();
  EXPECT_EQ(RunUntil([&] { return Root()->GetChild() == top; }), 34);
  EXPECT_EQ(State(), StateTitle);
  EXPECT_EQ(Block().DungeonClearedFlags[4], 1u);
  EXPECT_EQ(Block().ClearedWithClass[4 * 11 + 2], 1);
  EXPECT_FALSE(Game()->HasSuspendedGame());
  EXPECT_EQ(top->Cursor, CGameInputTitleTop::EntryNewGame);
}

// Screens that cannot be had: the clears then stay where they are.
CGameInput* ResolveNoNextScreen(ScreenId id) { return id == 2 || id == 7 ? nullptr : ResolveWithStub(id); }

TEST_F(RunEndScreens, AClearIsRecordedOnceWhateverBecomesOfTheHandOver) {
  Block().DungeonIndex = 1;
  for (ScreenId id : {FirstClear, SecondClear}) {
    SCOPED_TRACE(id);
    Root()->SetChild(nullptr);
    ClearLists();
    Open(id);
    SetScreenResolver(&ResolveNoNextScreen);
    for (int i = 0; i < 300; ++i) Step(i % 2 ? std::vector<int>{} : std::vector<int>{InputRowSelect});
    EXPECT_EQ(Game()->ScoreRankings[RankingListsPerDungeon].GetResult(1), 2);
    EXPECT_EQ(Game()->ScoreRankings[RankingListsPerDungeon].GetResult(2), 0) << "entered twice";
  }
}

// A dungeon or class that no table has room for ends the run but writes
// no progress outside the tables.
TEST_F(RunEndScreens, AClearOutOfRangeRecordsNoProgressAndSaysSo) {
  const struct {
    std::uint32_t Dungeon, Class;
  } cases[] = {{8, 0}, {10, 0}, {7, 11}, {7, 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Dungeon << "/" << c.Class);
    SaveBlock& b = Block();
    b.DungeonIndex = c.Dungeon;
    b.SelectedClass = c.Class;
    b.GameInProgress = 1;
    b.Fullscreen = 0;
    SaveBlock before;
    std::memcpy(&before, &b, sizeof before);
    DebugLinesShown shown;
    testing::internal::CaptureStderr();
    RecordDungeonClear();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("out of range"), std::string::npos) << err;
    EXPECT_EQ(std::memcmp(b.DungeonClearedFlags, before.DungeonClearedFlags, sizeof b.DungeonClearedFlags), 0);
    EXPECT_EQ(std::memcmp(b.Reserved44, before.Reserved44, sizeof b.Reserved44), 0);
    EXPECT_EQ(std::memcmp(b.ClearedWithClass, before.ClearedWithClass, sizeof b.ClearedWithClass), 0);
    EXPECT_EQ(b.Fullscreen, 0);
    EXPECT_EQ(b.GameInProgress, 0);
  }
}

TEST_F(RunEndScreens, AClearWhoseFilesCannotBeWrittenSaysSoAndGoesOn) {
  Block().DungeonIndex = 2;
  ASSERT_EQ(mkdir(Folder.File("save").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(Folder.File("score_002_000").c_str(), 0700), 0);
  testing::internal::CaptureStderr();
  Open(SecondClear);
  RunUntil([&] { return Root()->GetChild() == GetGameInputTitleTop(); });
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("cannot write " + Folder.File("save")), std::string::npos) << err;
  EXPECT_NE(err.find("cannot write " + Folder.File("score_002_000")), std::string::npos) << err;
  EXPECT_EQ(Block().DungeonClearedFlags[2], 1u);
  EXPECT_EQ(State(), StateTitle);
}

// The item sheet with only LEVEL 3's prize painted: red, 20 x 18 at (40, 380).
bool PrizeSheet(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId != 200) return rendertest::TestPictures(resourceId, size, argb);
  argb.assign(static_cast<std::size_t>(size) * size, rendertest::Clear);
  for (int y = 380; y < 398; ++y)
    for (int x = 40; x < 60; ++x) argb[static_cast<std::size_t>(y) * size + x] = rendertest::Red;
  return true;
}

class ClearPixels : public rendertest::RenderFixture {};

TEST_F(ClearPixels, ThePrizeStandsOverThePlayersCell) {
  SaveBlock& b = GetGameMain()->Settings.Block;
  const std::uint32_t dungeon = b.DungeonIndex, characterClass = b.SelectedClass;
  b.DungeonIndex = 3;
  b.SelectedClass = 1;
  SetPictureLoader(&PrizeSheet);
  ASSERT_TRUE(LoadTexture(132, 200));
  CGameInputMainClear1* clear = GetGameInputMainClear1();
  clear->Begin();
  BeginScene();
  clear->Draw();
  EndScene();
  Grab();
  // Layout (600, 280) is logical (150, 70); the cell is drawn 20 x 18.
  EXPECT_EQ(AtLogical(150, 70), rendertest::Red);
  EXPECT_EQ(AtLogical(169, 87), rendertest::Red);
  EXPECT_EQ(AtLogical(149, 75), rendertest::Black);
  EXPECT_EQ(AtLogical(170, 75), rendertest::Black);
  EXPECT_EQ(AtLogical(160, 88), rendertest::Black);
  b.DungeonIndex = dungeon;
  b.SelectedClass = characterClass;
}

}  // namespace
