#include <cstdio>
#include <cstring>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/IdentifyTable.h"
#include "platform/CMyInput.h"
#include "platform/CNetwork.h"
#include "platform/CSoundManager.h"
#include "platform/TextTable.h"
#include "system/SysPlatform.h"

namespace {

// "keyconfig": key codes of actions 0-12 at 4, of actions 15-18 at 56, and
// a row of ten pad-button flags per pad-matrix row 0-8 and 11-14 from 72.
constexpr std::size_t KeyCodesOffset = 4;
constexpr std::size_t MenuKeyCodesOffset = 56;
constexpr std::size_t PadFlagsOffset = 72;
constexpr int StoredPadRows[13] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14};

unsigned char* BytesOf(SaveBlock& block) { return reinterpret_cast<unsigned char*>(&block); }

std::uint32_t GetU32(SaveBlock& block, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, BytesOf(block) + offset, sizeof value);
  return value;
}

void PutU32(SaveBlock& block, std::size_t offset, std::uint32_t value) {
  std::memcpy(BytesOf(block) + offset, &value, sizeof value);
}

std::size_t KeyCodeOffset(int action) {
  return action < 13 ? KeyCodesOffset + 4 * action : MenuKeyCodesOffset + 4 * (action - 15);
}

constexpr int PageLeftAction = 13, PageRightAction = 14;
constexpr std::uint32_t BuiltInPageKeys[2] = {'L', 'R'};

// Actions 0-14 and 15-18 are the two groups in which a key is bound once.
bool InSameGroup(int a, int b) { return (a < 15) == (b < 15); }

bool IsTakenInGroup(const CMyInput* input, const bool* bound, int action, std::uint32_t code) {
  for (int other = 0; other < InputActionCount; ++other)
    if (bound[other] && InSameGroup(other, action) && input->KeyBindingTable[other] == code) return true;
  return false;
}

// A page key takes its built-in key back when no other action holds it.
void RestorePageKey(CMyInput* input, int action) {
  const std::uint32_t key = BuiltInPageKeys[action - PageLeftAction];
  for (int other = 0; other < InputActionCount; ++other)
    if (other != action && InSameGroup(other, action) && input->KeyBindingTable[other] == key) return;
  input->KeyBindingTable[action] = key;
}

template <typename T>
void ClampAbove(T& value, T highest) {
  if (value > highest) value = highest;
}

// A damaged file must not hand the game a speed, scale, dungeon or class it
// has no table row for.
void ClampSettings(SaveBlock& block) {
  ClampAbove(block.GameSpeed, 4u);
  ClampAbove(block.WindowScale, 4u);
  ClampAbove(block.DungeonIndex, 7u);
  ClampAbove(block.SelectedClass, 8u);
  ClampAbove(block.BgmVolume, 100u);
  ClampAbove(block.SeVolume, 100u);
  // Every language but Japanese has always read as English.
  if (block.Language != 1) block.Language = 0;
}

// ---- The run as the player ends it; a run without a player scores
// nothing and counts as lost to no one in particular.
std::int32_t PlayerScore(const CCharacterPlayer* player) { return player ? player->CalcScore() : 0; }
bool PlayerAlive(const CCharacterPlayer* player) { return player && player->hp > 0; }
std::int32_t PlayerKiller(const CCharacterPlayer* player) { return player ? player->causeOfDeath : -1; }

}  // namespace

bool CGameMain::LoadAll() {
  bool loaded = false;
  bool runLost = false;
  if (SaveFile.OpenSaveRead()) {
    loaded = Settings.Load(SaveFile);
    if (loaded) {
      ClampSettings(Settings.Block);
      std::memcpy(&SaveImage.Block, &Settings.Block, sizeof(SaveBlock));
      CSoundManager* sound = GetSoundManager();
      sound->SetBgmVolume(static_cast<int>(Settings.Block.BgmVolume));
      sound->SeMasterVolume = static_cast<int>(Settings.Block.SeVolume);
      runLost = Settings.Block.GameInProgress && !LoadSuspendedGame();
    }
    SaveFile.Close();
    // The game goes on without what was damaged and will write "save"
    // again; the damaged file is kept beside it rather than overwritten.
    if (!loaded) {
      SysReportProblem(SaveFile.KeepAside("save", "save.damaged") ? "save: damaged, kept as save.damaged\n"
                                                                  : "save: damaged\n");
    } else if (runLost) {
      DropSuspendedGame();
      SysReportProblem(SaveFile.KeepAside("save", "save.damaged")
                           ? "save: the suspended game is damaged and cannot continue; kept as save.damaged\n"
                           : "save: the suspended game is damaged and cannot continue\n");
    }
  }
  // Also without "save": the image written at exit must be the live block,
  // with the player's own language, not a block of bare defaults.
  CaptureSaveImage();

  // These are read whether or not "save" was there: a missing "save" must
  // never lead to ranking files rewritten from empty lists.
  if (SaveFile.OpenIdentifyRead()) {
    LoadIdentifyTable(SaveFile);
    SaveFile.Close();
  }
  LoadKeyConfig();
  for (int dungeon = 0; dungeon < RankingDungeons; ++dungeon) {
    for (int list = 0; list < RankingListsPerDungeon; ++list) {
      const int index = dungeon * RankingListsPerDungeon + list;
      CScoreRanking* boards[3] = {&ScoreRankings[index], &TurnRankings[index], &TimeRankings[index]};
      const RankingBoard kinds[3] = {RankingBoard::Score, RankingBoard::Turn, RankingBoard::Time};
      for (int b = 0; b < 3; ++b) {
        char name[32];
        FormatRankingFileName(name, sizeof name, kinds[b], dungeon, list);
        if (!SaveFile.OpenRead(name)) continue;
        boards[b]->Load(SaveFile);
        SaveFile.Close();
      }
    }
  }
  return loaded;
}

bool CGameMain::LoadKeyConfig() {
  if (!SaveFile.OpenRead("keyconfig")) return false;
  const bool loaded = KeyConfig.Load(SaveFile);
  SaveFile.Close();
  if (!loaded) return false;

  CMyInput* input = GetInput();
  SaveBlock& block = KeyConfig.Block;
  bool bound[InputActionCount] = {};
  for (int action = 0; action < InputActionCount; ++action) {
    if (action == PageLeftAction || action == PageRightAction) continue;  // never stored
    const std::uint32_t code = GetU32(block, KeyCodeOffset(action));
    // 0 is no key and codes past 255 are none the game can read: a
    // damaged file must not take keys away. A key an earlier entry of the
    // group has taken is skipped too: its swap would move that entry.
    if (code == 0 || code >= 256 || IsTakenInGroup(input, bound, action, code)) continue;
    input->SetKeyBinding(code, action);
    bound[action] = true;
  }
  // The page keys are not stored; the swaps above may have moved them.
  RestorePageKey(input, PageLeftAction);
  RestorePageKey(input, PageRightAction);
  for (int button = 0; button < PadButtonCount; ++button) {
    UnbindPadButton(button);
    for (int slot = 0; slot < 13; ++slot)
      if (BytesOf(block)[PadFlagsOffset + 10 * slot + button])
        input->SetPadBinding(StoredPadRows[slot], button);
  }
  return true;
}

bool CGameMain::SaveKeyConfig() {
  const CMyInput* input = GetInput();
  SaveBlock& block = KeyConfig.Block;
  for (int action = 0; action < InputActionCount; ++action)
    if (action != 13 && action != 14) PutU32(block, KeyCodeOffset(action), input->KeyBindingTable[action]);
  for (int slot = 0; slot < 13; ++slot)
    for (int button = 0; button < PadButtonCount; ++button)
      BytesOf(block)[PadFlagsOffset + 10 * slot + button] =
          input->PadBindingMatrix[StoredPadRows[slot]][button] ? 1 : 0;

  bool ok = SaveFile.Create("keyconfig");
  ok = ok && KeyConfig.Save(SaveFile);
  ok = SaveFile.Close() && ok;
  return ok;
}

void CGameMain::RegisterRanking() {
  const SaveBlock& block = Settings.Block;
  RankingEntry entry{};
  entry.Score = PlayerScore(Player);
  entry.Result = PlayerAlive(Player) ? 2 : 1;
  entry.CauseOfDeath = PlayerKiller(Player);
  entry.PlayTime = block.PlayTime;
  entry.TurnCount = block.TurnCount;
  entry.Dungeon = static_cast<std::uint8_t>(block.DungeonIndex);
  entry.Floor = static_cast<std::uint8_t>(block.FloorNumber);
  entry.CharacterClass = static_cast<std::uint8_t>(block.SelectedClass);
  RegisterRankingEntry(entry);
}

void CGameMain::RegisterRankingEntry(const RankingEntry& entry) {
  const int dungeon = entry.Dungeon;
  const int characterClass = entry.CharacterClass;
  // The lists have no room for a dungeon or class out of range.
  if (dungeon >= RankingDungeons || characterClass >= 9) return;

  for (CScoreRanking& list : ScoreRankings) list.ResetLastEntry();
  const int lists[2] = {0, 1 + characterClass};
  const int first = dungeon * RankingListsPerDungeon;
  for (int list : lists) ScoreRankings[first + list].InsertByScore(entry);
  for (int list : lists) TurnRankings[first + list].InsertByFloorAndTurns(entry);
  for (int list : lists) TimeRankings[first + list].InsertByFloor(entry);

  for (int list : lists) {
    const CScoreRanking* boards[3] = {&ScoreRankings[first + list], &TurnRankings[first + list],
                                      &TimeRankings[first + list]};
    const RankingBoard kinds[3] = {RankingBoard::Score, RankingBoard::Turn, RankingBoard::Time};
    for (int b = 0; b < 3; ++b) {
      char name[32];
      FormatRankingFileName(name, sizeof name, kinds[b], dungeon, list);
      if (SaveFile.Create(name)) boards[b]->Save(SaveFile);
      SaveFile.Close();
    }
  }

  // The tutorial reports nothing; the online keys exist for the first four
  // classes only.
  if (dungeon == 0 || characterClass >= 4) return;
  GetNetwork()->SendScoreInt(GetText(LanguageEnglish, 1298 + (dungeon - 1) + 9 * characterClass), entry.Score);
  if (entry.Result == 2)
    GetNetwork()->SendScoreFloat(GetText(LanguageEnglish, 1338 + (dungeon - 1) + 9 * characterClass), 100.0f);
}
