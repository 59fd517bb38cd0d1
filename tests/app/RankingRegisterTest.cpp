#include <gtest/gtest.h>

#include <algorithm>

#include "app/SaveTestFixture.h"
#include "characters/PlayerClasses.h"
#include "system/DebugLines.h"

namespace {

using RankingRegister = SaveGameFixture;

RankingEntry Finished(int dungeon, int characterClass, std::int32_t score, int result) {
  RankingEntry e{};
  e.Score = score;
  e.Result = static_cast<std::uint8_t>(result);
  e.Dungeon = static_cast<std::uint8_t>(dungeon);
  e.CharacterClass = static_cast<std::uint8_t>(characterClass);
  e.Floor = 4;
  e.PlayTime = 900;
  e.TurnCount = 90;
  e.CauseOfDeath = 260;
  return e;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(RankingRegister, ARunRewritesItsSixFilesAndNoOther) {
  ASSERT_FALSE(game->LoadAll());
  game->RegisterRankingEntry(Finished(2, 3, 5000, 1));
  EXPECT_EQ(Sorted(folder.Names()),
            (std::vector<std::string>{"score_002_000", "score_002_004", "scoretime_002_000", "scoretime_002_004",
                                      "scoreturn_002_000", "scoreturn_002_004"}));
  for (const std::string& name : folder.Names()) {
    const Bytes bytes = ReadBytes(folder.File(name));
    ASSERT_EQ(bytes.size(), 220u) << name;
    EXPECT_EQ(U32At(bytes, 0), 5000u) << name;
    EXPECT_EQ(bytes[19], 3) << name;
  }
  for (int list : {2 * 11, 2 * 11 + 4}) {
    EXPECT_EQ(game->ScoreRankings[list].GetLastRank(), 1);
    EXPECT_EQ(game->TurnRankings[list].GetLastRank(), 1);
    EXPECT_EQ(game->TimeRankings[list].GetLastRank(), 1);
  }
}

TEST_F(RankingRegister, EarlierRunsSurviveAStartWithoutSave) {
  Bytes earlier(220, 0);
  PutU32At(earlier, 0, 9000);
  earlier[16] = 2;
  earlier[17] = 1;
  earlier[18] = 9;
  WriteBytes(folder.File("score_001_000"), earlier);
  ASSERT_FALSE(game->LoadAll());  // no "save" here
  game->RegisterRankingEntry(Finished(1, 0, 100, 1));
  const Bytes bytes = ReadBytes(folder.File("score_001_000"));
  EXPECT_EQ(U32At(bytes, 0), 9000u);
  EXPECT_EQ(U32At(bytes, 20), 100u);
}

TEST_F(RankingRegister, OnlyTheScoreBoardForgetsItsLastRanks) {
  game->TimeRankings[70].InsertByFloor(Finished(6, 3, 1, 1));
  game->ScoreRankings[70].InsertByScore(Finished(6, 3, 1, 1));
  game->RegisterRankingEntry(Finished(1, 0, 100, 1));
  EXPECT_EQ(game->ScoreRankings[70].GetLastRank(), 0);
  EXPECT_EQ(game->TimeRankings[70].GetLastRank(), 1);
}

TEST_F(RankingRegister, ReportsTheScoreUnderTheKeyOfItsDungeonAndClass) {
  struct Case {
    int Dungeon, Class, Result;
    const char* Lines;
  };
  const Case cases[] = {
      {2, 3, 1, "SendScore:VorlumenLevel2Witch5000\n"},
      {7, 0, 2, "SendScore:VorlumenLevel7Fighter5000\nSendScore:VorlumenAchievementLevel7Fighter100.000000\n"},
      {1, 1, 2, "SendScore:VorlumenLevel1Hunter5000\nSendScore:VorlumenAchievementLevel1Hunter100.000000\n"},
      {0, 0, 2, ""},  // the tutorial
      {3, 5, 2, ""},  // no key for the later classes
  };
  DebugLinesShown shown;
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    game->RegisterRankingEntry(Finished(c.Dungeon, c.Class, 5000, c.Result));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.Lines) << c.Dungeon << "/" << c.Class;
  }
}

TEST_F(RankingRegister, AnEntryOutOfRangeTouchesNothing) {
  game->RegisterRankingEntry(Finished(8, 0, 1, 1));
  game->RegisterRankingEntry(Finished(0, 9, 1, 1));
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(RankingRegister, TheRunIsTakenFromTheSettingsBlock) {
  SaveBlock& b = game->Settings.Block;
  b.DungeonIndex = 3;
  b.SelectedClass = 2;
  b.FloorNumber = 7;
  b.PlayTime = 4321;
  b.TurnCount = 321;
  ::testing::internal::CaptureStderr();
  game->RegisterRanking();
  ::testing::internal::GetCapturedStderr();
  const CScoreRanking& list = game->TimeRankings[3 * 11 + 3];
  EXPECT_EQ(list.GetFloor(1), 7);
  EXPECT_EQ(list.GetPlayTime(1), 4321u);
  EXPECT_EQ(list.GetTurnCount(1), 321u);
  EXPECT_EQ(list.GetDungeon(1), 3);
  EXPECT_EQ(list.GetCharacterClass(1), 2);
  EXPECT_EQ(folder.Names().size(), 6u);
}

TEST_F(RankingRegister, ThePlayerGivesItsScoreItsFateAndItsKiller) {
  CCharacterFighter player;
  player.exp = 500;
  game->Player = &player;
  struct Case {
    int Hp;
    CharacterType Killer;
    int Result;
  };
  for (const Case& c : {Case{10, 0, 2}, Case{0, 405, 1}}) {
    player.hp = c.Hp;
    player.causeOfDeath = c.Killer;
    ::testing::internal::CaptureStderr();
    game->RegisterRanking();
    ::testing::internal::GetCapturedStderr();
    const CScoreRanking& list = game->ScoreRankings[0];
    const int rank = list.GetLastRank();
    ASSERT_GT(rank, 0);
    EXPECT_EQ(list.GetScore(rank), player.CalcScore()) << c.Hp;
    EXPECT_EQ(list.GetResult(rank), c.Result) << c.Hp;
    EXPECT_EQ(list.GetCauseOfDeath(rank), c.Killer) << c.Hp;
  }
  game->Player = nullptr;
}

}  // namespace
