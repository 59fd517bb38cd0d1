#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/CGameMain.h"
#include "platform/CSaveFile.h"
#include "platform/CScoreRanking.h"
#include "platform/SaveTestSupport.h"
#include "platform/TextTable.h"

namespace {

RankingEntry Finished(std::int32_t score, int floor = 1, int result = 1, std::uint32_t time = 0,
                 std::uint32_t turns = 0) {
  RankingEntry e{};
  e.Score = score;
  e.Floor = static_cast<std::uint8_t>(floor);
  e.Result = static_cast<std::uint8_t>(result);
  e.PlayTime = time;
  e.TurnCount = turns;
  e.CauseOfDeath = 300;
  return e;
}

std::vector<std::int32_t> Scores(const CScoreRanking& list) {
  std::vector<std::int32_t> scores;
  for (int n = 1; n <= RankingSlots; ++n) scores.push_back(list.GetScore(n));
  return scores;
}

TEST(RankingList, ScoresGoInFrontOfEqualOnesAndTheTenthDropsOut) {
  CScoreRanking list;
  for (int s : {100, 90, 80, 70}) list.InsertByScore(Finished(s));
  RankingEntry tie = Finished(80);
  tie.TurnCount = 7;  // tells the new 80 from the old
  EXPECT_EQ(list.InsertByScore(tie), 3);
  EXPECT_EQ(list.GetLastRank(), 3);
  EXPECT_EQ(list.GetTurnCount(3), 7u);
  EXPECT_EQ(list.GetTurnCount(4), 0u);
  EXPECT_EQ(list.GetScore(4), 80);

  for (int s : {60, 50, 40, 30, 20}) list.InsertByScore(Finished(s));
  EXPECT_EQ(Scores(list), (std::vector<std::int32_t>{100, 90, 80, 80, 70, 60, 50, 40, 30, 20, 0}));
  EXPECT_EQ(list.InsertByScore(Finished(95)), 2);  // 20 drops out
  EXPECT_EQ(Scores(list), (std::vector<std::int32_t>{100, 95, 90, 80, 80, 70, 60, 50, 40, 30, 0}));
}

TEST(RankingList, AnEntryOutsideTheTopTenTakesTheSparePlace) {
  CScoreRanking list;
  for (int s = 10; s >= 1; --s) list.InsertByScore(Finished(s * 10));
  EXPECT_EQ(list.InsertByScore(Finished(5)), 11);
  EXPECT_EQ(list.GetLastRank(), 11);
  EXPECT_EQ(list.GetScore(10), 10);
  EXPECT_EQ(list.GetScore(11), 5);
  EXPECT_EQ(list.InsertByScore(Finished(7)), 11);  // the spare holds only the last one
  EXPECT_EQ(list.GetScore(11), 7);

  // Resetting the spare clears all but its time and turns, and the rank.
  RankingEntry late = Finished(3, 4, 2, 1234, 56);
  late.Dungeon = 5;
  late.CharacterClass = 6;
  list.InsertByScore(late);
  list.ResetLastEntry();
  EXPECT_EQ(list.GetLastRank(), 0);
  EXPECT_EQ(list.GetScore(11), 0);
  EXPECT_EQ(list.GetCauseOfDeath(11), 0);
  EXPECT_EQ(list.GetResult(11), 0);
  EXPECT_EQ(list.GetDungeon(11), 0);
  EXPECT_EQ(list.GetFloor(11), 0);
  EXPECT_EQ(list.GetCharacterClass(11), 0);
  EXPECT_EQ(list.GetPlayTime(11), 1234u);
  EXPECT_EQ(list.GetTurnCount(11), 56u);
  EXPECT_EQ(list.GetScore(1), 100);
}

TEST(RankingList, FloorBoardsRankDeeperThenClearedThenSooner) {
  // Each case: the entries inserted in turn, and the ranks they get.
  struct Case {
    const char* Name;
    bool ByTurns;
    std::vector<RankingEntry> Entries;
    std::vector<int> Ranks;
  };
  const Case cases[] = {
      {"clear before an earlier death on the same floor", false,
       {Finished(0, 5, 1, 10000), Finished(0, 5, 2, 20000)}, {1, 1}},
      {"a death never before a clear on its floor", false,
       {Finished(0, 5, 2, 20000), Finished(0, 5, 1, 10000)}, {1, 2}},
      {"a deeper death before both", false,
       {Finished(0, 5, 2, 20000), Finished(0, 5, 1, 10000), Finished(0, 6, 1, 90000)}, {1, 2, 1}},
      {"time decides, a tie goes in front", false,
       {Finished(0, 5, 2, 300), Finished(0, 5, 2, 200), Finished(0, 5, 2, 200), Finished(0, 5, 2, 400)}, {1, 1, 1, 4}},
      {"turns decide the turn board, not time", true,
       {Finished(0, 5, 2, 100, 50), Finished(0, 5, 2, 900, 40)}, {1, 1}},
      {"time is compared signed", false, {Finished(0, 5, 2, 10), Finished(0, 5, 2, 0x80000000u)}, {1, 1}},
      {"floors are compared as signed bytes", false, {Finished(0, 100), Finished(0, 200)}, {1, 11}},
  };
  for (const Case& c : cases) {
    CScoreRanking list;
    for (std::size_t i = 0; i < c.Entries.size(); ++i) {
      const int rank = c.ByTurns ? list.InsertByFloorAndTurns(c.Entries[i]) : list.InsertByFloor(c.Entries[i]);
      EXPECT_EQ(rank, c.Ranks[i]) << c.Name << ", entry " << i;
    }
  }
  // A floor 5 death ranks below a floor 5 clear on the turn board too.
  CScoreRanking turns;
  turns.InsertByFloorAndTurns(Finished(0, 5, 2, 0, 500));
  EXPECT_EQ(turns.InsertByFloorAndTurns(Finished(0, 5, 1, 0, 10)), 2);
}

TEST(RankingList, GettersOutsideTheElevenPlacesGiveZero) {
  CScoreRanking list;
  RankingEntry e = Finished(42, 3, 2, 11, 22);
  e.Dungeon = 4;
  e.CharacterClass = 5;
  list.InsertByScore(e);
  for (int n : {-1, 0, 12, 1000}) {
    EXPECT_EQ(list.GetScore(n), 0) << n;
    EXPECT_EQ(list.GetPlayTime(n), 0u) << n;
    EXPECT_EQ(list.GetTurnCount(n), 0u) << n;
    EXPECT_EQ(list.GetResult(n), 0) << n;
    EXPECT_EQ(list.GetCauseOfDeath(n), 0) << n;
    EXPECT_EQ(list.GetDungeon(n), 0) << n;
    EXPECT_EQ(list.GetFloor(n), 0) << n;
    EXPECT_EQ(list.GetCharacterClass(n), 0) << n;
  }
  EXPECT_EQ(list.GetScore(1), 42);
  EXPECT_EQ(list.GetPlayTime(1), 11u);
  EXPECT_EQ(list.GetTurnCount(1), 22u);
  EXPECT_EQ(list.GetResult(1), 2);
  EXPECT_EQ(list.GetCauseOfDeath(1), 300);
  EXPECT_EQ(list.GetDungeon(1), 4);
  EXPECT_EQ(list.GetFloor(1), 3);
  EXPECT_EQ(list.GetCharacterClass(1), 5);
}

TEST(RankingList, FormatEntryWritesTheOutcomeWithinItsBuffer) {
  CGameMain* game = GetGameMain();
  const std::uint32_t language = game->Settings.Block.Language;
  CScoreRanking list;
  RankingEntry cleared = Finished(5, 9, 2);
  RankingEntry byWitch = Finished(4, 9, 1);
  byWitch.CauseOfDeath = 3;
  RankingEntry byPoison = Finished(3, 9, 1);
  byPoison.CauseOfDeath = 404;
  RankingEntry bySlime = Finished(2, 9, 1);
  bySlime.CauseOfDeath = 256;
  RankingEntry byNoOne = Finished(1, 9, 1);
  byNoOne.CauseOfDeath = 4095;
  for (const RankingEntry& e : {cleared, byWitch, byPoison, bySlime, byNoOne}) list.InsertByScore(e);

  game->Settings.Block.Language = 0;
  char text[64];
  EXPECT_STREQ(list.FormatEntry(1, text, sizeof text), "CLEAR!");
  EXPECT_STREQ(list.FormatEntry(2, text, sizeof text), "KILLED BY WITCH.");
  EXPECT_STREQ(list.FormatEntry(3, text, sizeof text), "KILLED BY POISON.");
  EXPECT_STREQ(list.FormatEntry(4, text, sizeof text), "KILLED BY SLIME.");
  // A cause without a name shows none, not what the buffer held.
  std::memset(text, 'Z', sizeof text);
  EXPECT_STREQ(list.FormatEntry(5, text, sizeof text), "KILLED BY .");
  EXPECT_STREQ(list.FormatEntry(6, text, sizeof text), "");
  EXPECT_STREQ(list.FormatEntry(0, text, sizeof text), "");

  // A short buffer (on the heap, where overruns show) holds a cut text.
  auto small = std::make_unique<char[]>(6);
  EXPECT_STREQ(list.FormatEntry(2, small.get(), 6), "KILLE");

  game->Settings.Block.Language = 1;
  // The killer's name in the language in force too.
  const std::string byWitchJapanese = std::string(GetText(1, 779)) + GetText(1, 1106);
  EXPECT_EQ(list.FormatEntry(2, text, sizeof text), byWitchJapanese);
  game->Settings.Block.Language = language;
}

TEST(RankingList, FileIsTheElevenRecordsByteForByte) {
  TempGameFolder folder;
  CSaveFile file;
  CScoreRanking list;
  RankingEntry e{};
  e.Score = -2;
  e.CauseOfDeath = 0x01020304;
  e.PlayTime = 0x05060708;
  e.TurnCount = 0x090A0B0C;
  e.Result = 2;
  e.Dungeon = 7;
  e.Floor = 30;
  e.CharacterClass = 8;
  for (int i = 0; i < 10; ++i) list.InsertByScore(Finished(1000 + i));
  list.InsertByScore(e);  // lands in the spare place, which is stored too

  ASSERT_TRUE(file.Create("score_007_009"));
  ASSERT_TRUE(list.Save(file));
  ASSERT_TRUE(file.Close());
  const Bytes bytes = ReadBytes(folder.File("score_007_009"));
  ASSERT_EQ(bytes.size(), 220u);
  EXPECT_EQ(U32At(bytes, 0), 1009u);
  const Bytes spare(bytes.begin() + 200, bytes.end());
  EXPECT_EQ(spare, (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 8, 7, 6, 5, 0xC, 0xB, 0xA, 9, 2, 7, 30, 8}));

  // Read back whole; cut at any length it changes nothing.
  CScoreRanking loaded;
  ASSERT_TRUE(file.OpenRead("score_007_009"));
  ASSERT_TRUE(loaded.Load(file));
  file.Close();
  EXPECT_EQ(Scores(loaded), Scores(list));
  EXPECT_EQ(loaded.GetLastRank(), 0);  // not stored
  for (std::size_t length = 220; length-- > 0;) {
    ASSERT_EQ(truncate(folder.File("score_007_009").c_str(), static_cast<off_t>(length)), 0);
    ASSERT_TRUE(file.OpenRead("score_007_009"));
    EXPECT_FALSE(loaded.Load(file));
    file.Close();
    ASSERT_EQ(Scores(loaded), Scores(list)) << length;
  }
}

TEST(RankingList, BoardNamesAndFileNames) {
  const char* expected[14] = {"PHANTOM FOREST", "LAKE OF MIST", "FROZEN MOUNTAIN", "VOLCANIC DESERT",
                              "UNTRODDEN REGION", "ALCHEMIST'S LAB", nullptr, nullptr, "LEVEL 7",
                              "LEVEL 8", "LEVEL 9", "A Course", "B Course", "C Course"};
  for (int page = 0; page < 14; ++page) {
    const char* name = GetRankingBoardName(page);
    if (expected[page])
      EXPECT_STREQ(name, expected[page]) << page;
    else
      EXPECT_EQ(name, nullptr) << page;
  }
  EXPECT_EQ(GetRankingBoardName(-1), nullptr);
  EXPECT_EQ(GetRankingBoardName(14), nullptr);

  char name[32];
  FormatRankingFileName(name, sizeof name, RankingBoard::Time, 3, 0);
  EXPECT_STREQ(name, "scoretime_003_000");
  FormatRankingFileName(name, sizeof name, RankingBoard::Turn, 7, 10);
  EXPECT_STREQ(name, "scoreturn_007_010");
  FormatRankingFileName(name, sizeof name, RankingBoard::Score, 0, 4);
  EXPECT_STREQ(name, "score_000_004");
}

}  // namespace
