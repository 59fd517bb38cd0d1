// The run itself: starting a new one, and the suspended run in "save" (its
// capture into the save image, its writing and its loading back).
#include <cstdio>
#include <cstring>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "floors/FloorImage.h"
#include "floors/StageFactory.h"
#include "platform/ByteOrder.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"

namespace {

constexpr ScreenId PlayScreen = 15;
constexpr GameStateId StageStartState = 10;

std::uint32_t VolumeOf(int percent) { return percent < 0 ? 0u : static_cast<std::uint32_t>(percent); }

bool WriteLength(CSaveFile& file, std::uint32_t length) {
  std::uint8_t bytes[4];
  WriteLE32(bytes, length);
  return file.Write(bytes, sizeof bytes, nullptr);
}

// A record as it is written in "save": its length word, then its bytes.
template <class Record>
bool WriteRecord(CSaveFile& file, const Record& record) {
  return WriteLength(file, sizeof record.Bytes) && file.Write(record.Bytes, sizeof record.Bytes, nullptr);
}

void PackCharacter(SuspendedGameImage& image, const CCharacter& character) {
  CharacterToRecord(character, image.Characters.emplace_back());
  for (int slot = 0; character.items && slot < character.itemCapacity; ++slot)
    if (const CItem* item = character.items[slot]) PackItemRecord(*item, image.CarriedItems.emplace_back());
}

}  // namespace

bool CGameMain::HasSuspendedGame() const {
  return Settings.Block.GameInProgress != 0 && Player != nullptr && CurrentStage != nullptr;
}

void CGameMain::StartNewGame(int dungeonIndex) {
  // Everything stays as it was, the run in "save" too, unless both the
  // player and its first floor can be made.
  auto refuse = [this, dungeonIndex](const char* why) {
    char line[128];
    std::snprintf(line, sizeof line, "StartNewGame: dungeon %d, class %u: %s; no run starts\n", dungeonIndex,
                  Settings.Block.SelectedClass, why);
    SysDebugOutput(line);
  };
  if (dungeonIndex < 0 || dungeonIndex >= 8) return refuse("no such dungeon");
  CCharacter* made = MakeCharacter ? MakeCharacter(static_cast<CharacterType>(Settings.Block.SelectedClass)) : nullptr;
  auto* player = dynamic_cast<CCharacterPlayer*>(made);
  if (!player) {
    delete made;
    return refuse("the class cannot be made");
  }
  player->GiveStartingItems();
  player->ClampHP();
  CStageData* first = CreateFirstStage(dungeonIndex);
  if (!first) {
    delete player;
    return refuse("the first floor cannot be made");
  }

  Characters.DeleteAll();
  Characters.PushBack(player);
  Player = player;
  SaveBlock& block = Settings.Block;
  block.FloorNumber = 1;
  block.PlayTime = 0;
  block.TurnCount = 0;
  delete CurrentStage;
  CurrentStage = first;
  block.DungeonIndex = static_cast<std::uint32_t>(dungeonIndex);
  CurrentStage->GenerateFloor();
  // Nothing of an earlier run may hold the new one's first turn.
  AutoMove = 0;
  GetStateController()->ClearHolds();
  GetGameInputController()->ChangeChild(PlayScreen);
  // The title's screens are left behind with the chain.
  ReleaseTitlePictures();
  GetStateController()->ChangeState(StageStartState);
}

void CGameMain::ContinueGame() {
  LoadAll();
  if (!HasSuspendedGame()) {
    SysDebugOutput("ContinueGame: no suspended game came back from save\n");
    return;
  }
  SeedRandom(Settings.Block.RandomState);
  AutoMove = 0;
  GetStateController()->ClearHolds();
  GetGameInputController()->ChangeChild(PlayScreen);
  // The title's screens are left behind with the chain.
  ReleaseTitlePictures();
  GetStateController()->ChangeState(StageStartState);
}

bool CGameMain::CaptureSaveImage() {
  SaveBlock& live = Settings.Block;
  const CSoundManager* sound = GetSoundManager();
  live.Captured = 1;
  live.BgmVolume = VolumeOf(sound->BgmMasterVolume);
  live.SeVolume = VolumeOf(sound->SeMasterVolume);
  live.CharacterCount = 0;
  live.ItemCount = 0;
  SuspendedGameImage& image = SaveImageRecords;
  image.Clear();
  // A run without its floor or player could not be resumed: the image then
  // holds none.
  const bool run = live.GameInProgress && CurrentStage && Player;
  if (run) {
    image.Floor.assign(FloorImageSize, 0);
    PackFloorImage(image.Floor.data(), *CurrentStage);
    // The player is the first record, whatever its place in the list.
    PackCharacter(image, *Player);
    for (CCharacter* character : Characters.Walk())
      if (character != Player && character->alive) PackCharacter(image, *character);
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        if (const CItem* item = CurrentStage->GetItemAt(x, y)) PackItemRecord(*item, image.LooseItems.emplace_back());
    live.CharacterCount = static_cast<std::uint32_t>(image.Characters.size());
    live.ItemCount = static_cast<std::uint32_t>(image.LooseItems.size());
  }
  std::memcpy(&SaveImage.Block, &live, sizeof(SaveBlock));
  if (!run) SaveImage.Block.GameInProgress = 0;
  return true;
}

bool CGameMain::WriteSaveFile() {
  if (!SaveFile.CreateSave()) return false;
  bool ok = SaveImage.Save(SaveFile);
  if (SaveImage.Block.GameInProgress) {
    const SuspendedGameImage& image = SaveImageRecords;
    ok = WriteLength(SaveFile, FloorImageSize) && ok;
    ok = SaveFile.Write(image.Floor.data(), FloorImageSize, nullptr) && ok;
    std::size_t carried = 0;
    for (const CharacterRecord& record : image.Characters) {
      ok = WriteRecord(SaveFile, record) && ok;
      const auto count = static_cast<std::size_t>(GetRecordItemCount(record));
      for (std::size_t i = 0; i < count && carried < image.CarriedItems.size(); ++i)
        ok = WriteRecord(SaveFile, image.CarriedItems[carried++]) && ok;
    }
    for (const ItemRecord& record : image.LooseItems) ok = WriteRecord(SaveFile, record) && ok;
  }
  ok = SaveFile.Close() && ok;
  return ok;
}

void CGameMain::DropSuspendedGame() {
  Characters.DeleteAll();
  Player = nullptr;
  delete CurrentStage;
  CurrentStage = nullptr;
  Settings.Block.GameInProgress = 0;
  SaveImage.Block.GameInProgress = 0;
}

bool CGameMain::LoadSuspendedGame() {
  Characters.DeleteAll();
  Player = nullptr;
  delete CurrentStage;
  CurrentStage = LoadSavedFloor(SaveFile);
  if (!CurrentStage) return false;

  const SaveBlock& block = Settings.Block;
  if (block.CharacterCount == 0) return false;
  for (std::uint32_t i = 0; i < block.CharacterCount; ++i) {
    CCharacter* character = LoadCharacter(SaveFile, MakeCharacter);
    if (!character) return false;
    Characters.PushBack(character);
    if (!CurrentStage->MoveCharacterTo(character->x, character->y, character)) return false;
    // The first record is the player, and only the first.
    auto* player = dynamic_cast<CCharacterPlayer*>(character);
    if ((i == 0) != (player != nullptr)) return false;
    if (i == 0) Player = player;
  }
  for (std::uint32_t i = 0; i < block.ItemCount; ++i) {
    CItem* item = nullptr;
    if (!LoadItem(SaveFile, item) || !item) return false;
    // Put back where the game had put it; only a second item on one cell
    // is no floor the game made.
    const int x = item->GetX(), y = item->GetY();
    if (CurrentStage->GetItemAt(x, y)) {
      delete item;
      return false;
    }
    CurrentStage->itemAt[CellIndex(x, y)] = item;
  }
  // The run as a whole: a living player, within its maximum as it is worn,
  // standing where the floor's grid has it. Two on one cell and a second
  // player never got this far.
  return Player && Player->hp >= 1 && Player->hp <= Player->GetMaxHP() &&
         CurrentStage->GetCharacterAt(Player->x, Player->y) == Player;
}
