#pragma once
#include <cstddef>
#include <cstdint>

class CSaveFile;

// One finished run, also the 20-byte record of the ranking files.
struct RankingEntry {
  std::int32_t Score;
  std::int32_t CauseOfDeath;  // CharacterType of the killer, 404 for poison
  std::uint32_t PlayTime;     // frames
  std::uint32_t TurnCount;
  std::uint8_t Result;        // 1 died, 2 cleared, 0 empty place
  std::uint8_t Dungeon;
  std::uint8_t Floor;
  std::uint8_t CharacterClass;
};
static_assert(sizeof(RankingEntry) == 20);

constexpr int RankingPlaces = 10;
constexpr int RankingSlots = 11;  // the ten places and the spare
constexpr int RankingListsPerDungeon = 11;
constexpr int RankingDungeons = 8;
constexpr int RankingLists = RankingDungeons * RankingListsPerDungeon;  // 88
constexpr int RankingFileSize = RankingSlots * static_cast<int>(sizeof(RankingEntry));

// Which board a list belongs to, and its file name pattern.
enum class RankingBoard { Score, Turn, Time };
// Writes "score_%03d_%03d", "scoreturn_%03d_%03d" or "scoretime_%03d_%03d".
void FormatRankingFileName(char* buffer, std::size_t size, RankingBoard board, int dungeon, int list);

// One ranking list: ten places and a spare eleventh that keeps the last
// entry that did not place. Ranks n are 1-11; any other n reads as 0.
class CScoreRanking {
public:
  CScoreRanking();
  virtual ~CScoreRanking() = default;

  virtual std::int32_t GetScore(int n) const;
  virtual std::uint32_t GetPlayTime(int n) const;
  virtual std::uint32_t GetTurnCount(int n) const;
  virtual int GetResult(int n) const;
  virtual std::int32_t GetCauseOfDeath(int n) const;
  virtual int GetDungeon(int n) const;
  virtual int GetFloor(int n) const;
  virtual int GetCharacterClass(int n) const;
  // The outcome text of entry n ("CLEAR!", "KILLED BY ..."), cut to fit.
  virtual char* FormatEntry(int n, char* buffer, std::size_t size) const;
  // The 11 entries to or from the open file; a short read changes nothing.
  virtual bool Save(CSaveFile& file) const;
  virtual bool Load(CSaveFile& file);
  virtual int InsertByScore(const RankingEntry& entry);
  virtual int InsertByFloor(const RankingEntry& entry);           // time board
  virtual int InsertByFloorAndTurns(const RankingEntry& entry);   // turn board
  virtual int GetLastRank() const;
  virtual void ResetLastEntry();

  const RankingEntry& Entry(int n) const;

private:
  template <typename Before>
  int Insert(const RankingEntry& entry, Before before);

  RankingEntry Entries[RankingSlots];
  std::int32_t LastRank = 0;
};

// The dungeon name of a ranking page (0-13) for the share text; null for
// pages without one.
const char* GetRankingBoardName(int page);
