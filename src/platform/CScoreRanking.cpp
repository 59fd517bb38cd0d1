#include "platform/CScoreRanking.h"

#include <cstdio>
#include <cstring>

#include "characters/CharacterFactory.h"
#include "platform/CSaveFile.h"
#include "platform/TextTable.h"

namespace {

// Bounded append; always leaves a terminated string.
void Append(char* buffer, std::size_t size, const char* text) {
  const std::size_t used = std::strlen(buffer);
  if (used + 1 >= size) return;
  std::snprintf(buffer + used, size - used, "%s", text);
}

}  // namespace

const char* GetRankingBoardName(int page) {
  if (page >= 0 && page <= 5) return GetCurrentLanguageText(1144 + page);
  if (page >= 8 && page <= 10) return GetCurrentLanguageText(1151 + page - 8);
  if (page >= 11 && page <= 13) return GetCurrentLanguageText(1114 + 2 * (page - 11));
  return nullptr;
}

void FormatRankingFileName(char* buffer, std::size_t size, RankingBoard board, int dungeon, int list) {
  const char* pattern = board == RankingBoard::Score  ? "score_%03d_%03d"
                        : board == RankingBoard::Turn ? "scoreturn_%03d_%03d"
                                                      : "scoretime_%03d_%03d";
  std::snprintf(buffer, size, pattern, dungeon, list);
}

CScoreRanking::CScoreRanking() { std::memset(Entries, 0, sizeof Entries); }

const RankingEntry& CScoreRanking::Entry(int n) const {
  static const RankingEntry empty{};
  return n >= 1 && n <= RankingSlots ? Entries[n - 1] : empty;
}

std::int32_t CScoreRanking::GetScore(int n) const { return Entry(n).Score; }
std::uint32_t CScoreRanking::GetPlayTime(int n) const { return Entry(n).PlayTime; }
std::uint32_t CScoreRanking::GetTurnCount(int n) const { return Entry(n).TurnCount; }
int CScoreRanking::GetResult(int n) const { return Entry(n).Result; }
std::int32_t CScoreRanking::GetCauseOfDeath(int n) const { return Entry(n).CauseOfDeath; }
int CScoreRanking::GetDungeon(int n) const { return Entry(n).Dungeon; }
int CScoreRanking::GetFloor(int n) const { return Entry(n).Floor; }
int CScoreRanking::GetCharacterClass(int n) const { return Entry(n).CharacterClass; }

char* CScoreRanking::FormatEntry(int n, char* buffer, std::size_t size) const {
  if (!buffer || size == 0) return buffer;
  buffer[0] = '\0';
  const RankingEntry& e = Entry(n);
  if (e.Result == 2) {
    Append(buffer, size, GetCurrentLanguageText(1104));
  } else if (e.Result == 1) {
    // A cause of death without a name shows none, not stale bytes.
    char name[64] = "";
    Append(buffer, size, GetCurrentLanguageText(1105));
    Append(buffer, size, GetCharacterTypeName(e.CauseOfDeath, name));
    Append(buffer, size, GetCurrentLanguageText(1106));
  }
  return buffer;
}

bool CScoreRanking::Save(CSaveFile& file) const { return file.Write(Entries, sizeof Entries, nullptr); }

bool CScoreRanking::Load(CSaveFile& file) {
  RankingEntry read[RankingSlots];
  if (!file.Read(read, sizeof read, nullptr)) return false;
  std::memcpy(Entries, read, sizeof Entries);
  return true;
}

template <typename Before>
int CScoreRanking::Insert(const RankingEntry& entry, Before before) {
  for (int k = 0; k < RankingPlaces; ++k) {
    if (!before(entry, Entries[k])) continue;
    std::memmove(&Entries[k + 1], &Entries[k], sizeof(RankingEntry) * (RankingPlaces - 1 - k));
    Entries[k] = entry;
    LastRank = k + 1;
    return LastRank;
  }
  Entries[RankingPlaces] = entry;
  LastRank = RankingSlots;
  return LastRank;
}

int CScoreRanking::InsertByScore(const RankingEntry& entry) {
  return Insert(entry, [](const RankingEntry& a, const RankingEntry& e) { return e.Score <= a.Score; });
}

namespace {
// Deeper first; on the same floor a clear before a death; then the smaller
// measure. A death never goes in front of a clear on the same floor.
template <typename Measure>
bool DeeperOrSooner(const RankingEntry& a, const RankingEntry& e, Measure measure) {
  const auto floorA = static_cast<std::int8_t>(a.Floor);
  const auto floorE = static_cast<std::int8_t>(e.Floor);
  if (floorA != floorE) return floorA > floorE;
  if (a.Result == 2 && e.Result == 1) return true;
  return a.Result == e.Result && measure(a) <= measure(e);
}
}  // namespace

int CScoreRanking::InsertByFloor(const RankingEntry& entry) {
  return Insert(entry, [](const RankingEntry& a, const RankingEntry& e) {
    return DeeperOrSooner(a, e, [](const RankingEntry& x) { return static_cast<std::int32_t>(x.PlayTime); });
  });
}

int CScoreRanking::InsertByFloorAndTurns(const RankingEntry& entry) {
  return Insert(entry, [](const RankingEntry& a, const RankingEntry& e) {
    return DeeperOrSooner(a, e, [](const RankingEntry& x) { return static_cast<std::int32_t>(x.TurnCount); });
  });
}

int CScoreRanking::GetLastRank() const { return LastRank; }

void CScoreRanking::ResetLastEntry() {
  RankingEntry& spare = Entries[RankingPlaces];
  spare.Score = 0;
  spare.CauseOfDeath = 0;
  spare.Result = 0;
  spare.Dungeon = 0;
  spare.Floor = 0;
  spare.CharacterClass = 0;
  LastRank = 0;
}
