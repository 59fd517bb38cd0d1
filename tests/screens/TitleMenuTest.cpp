// The title menu: CONTINUE only over a restored suspended game, the cursor
// passing over it otherwise, the ways out of the menu (the rankings and the
// settings among them), the scrolling
// strips, the logo by language and the title music.
#include <gtest/gtest.h>

#include "app/CGameState.h"
#include "platform/TextTable.h"
#include "screens/CGameInputDeleteCheck.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleConfig.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"
#include "system/SysPlatform.h"

namespace {

using namespace titletest;
using Top = CGameInputTitleTop;

class TitleMenu : public TitleFixture {
protected:
  ~TitleMenu() override { GetStateController()->Reset(); }

  // The menu begun as the logo or a finished run begins it, then taking input.
  void Open() {
    ASSERT_TRUE(Root()->ChangeChild(2));
    ASSERT_EQ(RunUntil([&] { return T->GetPhase() == ScreenActive; }), 18) << "the frame after the 17 of the fade";
  }
  int Grey(int entry) const { return T->Entries[entry].GetRed(); }

  Top* T = GetGameInputTitleTop();
};

TEST_F(TitleMenu, WithoutASuspendedGameContinueIsDimAndTheCursorPassesOverIt) {
  ASSERT_TRUE(Root()->ChangeChild(2));
  EXPECT_EQ(T->GetPhase(), ScreenOpening);
  EXPECT_EQ(Fade()->FadeValue, 255);
  EXPECT_EQ(Fade()->FadeStep, -16);
  EXPECT_EQ(T->Cursor, Top::EntryNewGame);
  EXPECT_FALSE(T->Entries[Top::EntryContinue].IsEnabled());
  EXPECT_EQ(Grey(Top::EntryNewGame), 255);
  EXPECT_EQ(Grey(Top::EntryContinue), 64);
  EXPECT_EQ(Grey(Top::EntryRanking), 128);
  Root()->SetChild(nullptr);
  Open();

  const struct {
    int From, Row, To;
  } moves[] = {
      {Top::EntryNewGame, InputRowDown, Top::EntryRanking},
      {Top::EntryRanking, InputRowUp, Top::EntryNewGame},
      {Top::EntryNewGame, InputRowUp, Top::EntryExit},
      {Top::EntryExit, InputRowDown, Top::EntryNewGame},
  };
  for (const auto& m : moves) {
    T->Cursor = m.From;
    Step({m.Row});
    EXPECT_EQ(T->Cursor, m.To) << m.From << " by row " << m.Row;
    EXPECT_TRUE(SoundSpy::Played(Click));
    EXPECT_EQ(Grey(m.To), 255);
    EXPECT_EQ(Grey(m.From), 128);
    Step();
  }
  // A held key moves once.
  T->Cursor = Top::EntryNewGame;
  for (int i = 0; i < 8; ++i) Step({InputRowDown});
  EXPECT_EQ(T->Cursor, Top::EntryRanking);
}

TEST_F(TitleMenu, ContinueIsOfferedOnlyOverARestoredSuspendedGame) {
  const struct {
    bool InProgress, Restored, Offered;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  for (const auto& c : cases) {
    Block().GameInProgress = c.InProgress;
    Game()->Player = c.Restored ? &Player : nullptr;
    Game()->CurrentStage = c.Restored ? &Stage : nullptr;
    Open();
    EXPECT_EQ(T->Entries[Top::EntryContinue].IsEnabled(), c.Offered) << c.InProgress << c.Restored;
    EXPECT_EQ(T->Cursor, c.Offered ? Top::EntryContinue : Top::EntryNewGame);
    EXPECT_EQ(Grey(Top::EntryContinue), c.Offered ? 255 : 64);
    Step({InputRowUp});
    Step();
    Step({InputRowDown});
    Step();
    EXPECT_EQ(T->Cursor, c.Offered ? Top::EntryContinue : Top::EntryNewGame) << "Up then Down comes back";
  }
}

TEST_F(TitleMenu, NewGameWarnsAtOnceOverASuspendedGameAndFadesToTheClassesOtherwise) {
  SuspendGame();
  Open();
  T->Cursor = Top::EntryNewGame;
  Step({InputRowSelect});
  EXPECT_EQ(T->GetChild(), GetGameInputDeleteCheck());
  EXPECT_EQ(T->GetPhase(), ScreenCovered);
  EXPECT_FALSE(Fade()->FadeRunning) << "no fade before the warning";
  EXPECT_FALSE(T->Logo.IsVisible());
  EXPECT_FALSE(T->Entries[Top::EntryNewGame].IsVisible());
  EXPECT_TRUE(T->Layers[0].IsVisible());

  Root()->SetChild(nullptr);
  Game()->Player = nullptr;
  Open();
  Step({InputRowSelect});
  EXPECT_EQ(T->GetPhase(), Top::PhaseStartingNewGame);
  EXPECT_EQ(Fade()->FadeStep, 16);
  EXPECT_EQ(T->GetChild(), nullptr);
  RunUntil([&] { return T->GetChild() != nullptr; });
  EXPECT_EQ(T->GetChild(), GetGameInputTitleCharacterSelect());
  EXPECT_EQ(T->GetPhase(), ScreenCovered);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "and back in from black";
  RunUntil([] { return GetGameInputTitleCharacterSelect()->GetPhase() == ScreenActive; });
}

TEST_F(TitleMenu, ContinueFadesOutThenAsksTheGameOnceToResume) {
  SuspendGame();
  Open();
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Click));
  EXPECT_EQ(T->GetPhase(), Top::PhaseContinuing);
  RunUntil([&] { return T->GetPhase() != Top::PhaseContinuing; });
  EXPECT_FALSE(Fade()->FadeRunning);
  EXPECT_EQ(GetStateController()->GetStateId(), 10) << "the game went to the stage start";
  EXPECT_EQ(T->GetPhase(), ScreenClosed);
}

TEST_F(TitleMenu, ContinueWithoutASuspendedGameOnlyUsesThePress) {
  Open();
  T->Cursor = Top::EntryContinue;
  Step({InputRowSelect});
  EXPECT_EQ(T->GetPhase(), ScreenActive);
  EXPECT_EQ(T->GetChild(), nullptr);
  EXPECT_FALSE(Fade()->FadeRunning);
  EXPECT_FALSE(SoundSpy::Played(Click));
  EXPECT_EQ(GetInput()->InputHistory[InputRowSelect][0], -1);
}

TEST_F(TitleMenu, RankingFadesOutThenShowsTheRankingsWithNoRunMarkedAndComesBackAnew) {
  CGameMain* game = Game();
  RankingEntry run{};
  run.Result = 1;
  run.Dungeon = 1;
  run.Floor = 4;
  game->RegisterRankingEntry(run);
  ASSERT_EQ(game->TimeRankings[11].GetLastRank(), 1);

  Open();
  T->Cursor = Top::EntryRanking;
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Click));
  EXPECT_EQ(T->GetPhase(), Top::PhaseOpeningRankings);
  EXPECT_EQ(Fade()->FadeStep, 16);
  CGameInputTitleScoreRanking* ranking = GetGameInputTitleScoreRanking();
  RunUntil([&] { return T->GetChild() == ranking; });
  EXPECT_EQ(T->GetPhase(), ScreenCovered);
  EXPECT_FALSE(T->Entries[Top::EntryRanking].IsVisible());
  for (int i = 0; i < RankingLists; ++i) EXPECT_EQ(game->TimeRankings[i].GetLastRank(), 0) << i;
  EXPECT_EQ(ranking->FirstShownRow, 1);
  RunUntil([&] { return ranking->GetPhase() == ScreenActive; });
  EXPECT_FALSE(std::string(ranking->TableText.GetText()).empty());
  EXPECT_EQ(std::string(ranking->RecordText.GetText()), std::string(11, '\n'));

  Step({InputRowCancel});
  RunUntil([&] { return Root()->GetChild() == T && T->GetChild() == nullptr; });
  EXPECT_EQ(T->GetParent(), nullptr);
  EXPECT_EQ(T->GetPhase(), ScreenOpening) << "begun anew";
  for (int i = 0; i < RankingLists; ++i) game->TimeRankings[i] = game->TurnRankings[i] = game->ScoreRankings[i] = {};
}

TEST_F(TitleMenu, ConfigOpensTheSettingsAndTheMenuComesBackInTheLanguageChosenThere) {
  Open();
  T->Cursor = Top::EntryConfig;
  Step({InputRowSelect});
  CGameInputTitleConfig* settings = GetGameInputTitleConfig();
  EXPECT_EQ(T->GetChild(), settings);
  EXPECT_EQ(T->GetPhase(), ScreenCovered);
  RunUntil([&] { return settings->GetPhase() == ScreenActive; });
  settings->Cursor = CGameInputTitleConfig::RowLanguage;
  Step({InputRowRight});
  Step();
  EXPECT_EQ(Block().Language, 1u);
  Step({InputRowCancel});
  RunUntil([&] { return T->GetPhase() == ScreenActive; });
  EXPECT_EQ(T->GetChild(), nullptr);
  EXPECT_STREQ(T->Entries[Top::EntryNewGame].GetText(), GetText(LanguageJapanese, 1195));
  EXPECT_EQ(U32At(ReadBytes(Folder.File("save")), 88), 1u) << "the settings saved the language";
}

TEST_F(TitleMenu, ExitClosesTheProgramAsClosingTheWindowWould) {
  ASSERT_TRUE(SysInitVideo());
  SysEvent event;
  while (SysPollEvent(event)) {
  }
  Open();
  T->Cursor = Top::EntryExit;
  Step({InputRowSelect});
  bool quit = false;
  while (SysPollEvent(event)) quit = quit || event.Kind == SysEventKind::Quit;
  EXPECT_TRUE(quit);
}

TEST_F(TitleMenu, StripsScrollAtTheirOwnSpeedsWrapAndKeepTheirPlaceOnANewBegin) {
  Open();
  for (CWidget& layer : T->Layers) layer.X = -32;
  Game()->FrameCount = 0;
  for (int i = 0; i < 24; ++i) Step();
  // 2 to the left every 8, 6, 4 and 2 frames.
  EXPECT_EQ(T->Layers[0].X, -32 - 2 * 3);
  EXPECT_EQ(T->Layers[1].X, -32 - 2 * 4);
  EXPECT_EQ(T->Layers[2].X, -32 - 2 * 6);
  EXPECT_EQ(T->Layers[3].X, -32 - 2 * 12);

  T->Layers[3].X = -560;
  Step();
  Step();
  EXPECT_EQ(T->Layers[3].X, -2) << "-562 wraps by the strip's width";
  Root()->ChangeChild(2);
  EXPECT_EQ(T->Layers[3].X, -2);
}

TEST_F(TitleMenu, TheLogoFollowsTheLanguageWhenTheMenuComesBack) {
  Open();
  EXPECT_EQ(T->Logo.CurrentCell().SourceX, 200);
  Block().Language = 1;
  T->OnChildClosed();
  EXPECT_EQ(T->Logo.CurrentCell().SourceX, 360);
  EXPECT_STREQ(T->Entries[Top::EntryNewGame].GetText(), "NEW GAME");
}

TEST_F(TitleMenu, BeginStartsTheTitleMusicUnlessItPlaysAlready) {
  CSoundManager* sound = GetSoundManager();
  sound->LoadBgm(3, 10003, 1.0f, 0, 0, 4096);
  sound->PlayBgm(3);
  Root()->ChangeChild(2);
  EXPECT_EQ(sound->GetPlayingBgm(), Top::TitleTrack);
  EXPECT_FALSE(sound->IsBgmPlaying(3));

  std::int16_t out[2 * 512];
  sound->Mixer.Mix(out, 512);
  std::uint32_t before = 0, after = 0;
  ASSERT_TRUE(sound->Mixer.GetCurrentPosition(sound->BgmBuffer[Top::TitleTrack], before));
  ASSERT_GT(before, 0u);
  Root()->ChangeChild(2);
  ASSERT_TRUE(sound->Mixer.GetCurrentPosition(sound->BgmBuffer[Top::TitleTrack], after));
  EXPECT_EQ(after, before) << "not restarted";
  EXPECT_EQ(sound->GetPlayingBgm(), Top::TitleTrack);
}

}  // namespace
