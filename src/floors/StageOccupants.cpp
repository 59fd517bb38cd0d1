// Who stands and what lies on the floor: placing, the floor's share of
// their pictures, and drawing them.
#include <cstdint>
#include <cstring>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/Random.h"

CStageData::~CStageData() {
  for (CItem*& item : itemAt) {
    delete item;
    item = nullptr;
  }
  // The records, not the class's table: by now this is a plain floor again.
  while (SpawnGraphicsLoads > 0) ReleaseSpawnGraphics();
  for (PictureId id = 0; id < PictureCount; ++id)
    while (PictureLoads[id] > 0) ReleasePicture(id);
  TextureLoads = 0;
  Effects.DeleteAll();
}

bool CStageData::MoveCharacterTo(int x, int y, CCharacter* character) {
  if (!character || !IsOnMap(x, y) || characterAt[CellIndex(x, y)]) return false;
  // A character stands on one cell at most: found where it says it stands,
  // the rest of the grid need not be searched (every step of every monster
  // comes through here).
  const int oldX = character->GetX(), oldY = character->GetY();
  if (IsOnMap(oldX, oldY) && characterAt[CellIndex(oldX, oldY)] == character) {
    characterAt[CellIndex(oldX, oldY)] = nullptr;
  } else {
    for (CCharacter*& c : characterAt)
      if (c == character) c = nullptr;
  }
  characterAt[CellIndex(x, y)] = character;
  if (character == GetGameMain()->Player) {
    PrevCameraX = CameraX;
    PrevCameraY = CameraY;
    CameraX = x;
    CameraY = y;
  }
  return true;
}

bool CStageData::TakesItem(int x, int y) const {
  if (!IsOnMap(x, y) || itemAt[CellIndex(x, y)]) return false;
  if (!IsFloor(x, y) && !IsCorridor(x, y)) return false;
  CCharacter* standing = characterAt[CellIndex(x, y)];
  return !standing || standing->CanShareCellWithItem();
}

bool CStageData::HasRoomForItem() const {
  for (int y = 0; y < StageMapSize; ++y)
    for (int x = 0; x < StageMapSize; ++x)
      if (TakesItem(x, y)) return true;
  return false;
}

bool CStageData::PutItemAt(int x, int y, CItem* item) {
  if (!item || !TakesItem(x, y)) return false;
  for (CItem*& i : itemAt)
    if (i == item) i = nullptr;
  itemAt[CellIndex(x, y)] = item;
  item->SetPosition(x, y);
  return true;
}

CItem* CStageData::GetRevealedItemAt(int x, int y) const {
  CItem* item = GetItemAt(x, y);
  return item && item->IsRevealed() ? item : nullptr;
}

void CStageData::CopyFrom(CStageData& other) {
  if (&other == this) return;
  for (CItem*& item : itemAt) {
    delete item;
    item = nullptr;
  }
  std::memcpy(terrain, other.terrain, sizeof terrain);
  std::memcpy(characterAt, other.characterAt, sizeof characterAt);
  // The items move: the floor that holds an item is the one that deletes it.
  std::memcpy(itemAt, other.itemAt, sizeof itemAt);
  std::memset(other.itemAt, 0, sizeof other.itemAt);
  std::memcpy(visible, other.visible, sizeof visible);
  std::memcpy(explored, other.explored, sizeof explored);
  StageId = other.StageId;
  AreaId = other.AreaId;
  Width = other.Width;
  Height = other.Height;
  CameraX = other.CameraX;
  CameraY = other.CameraY;
  PrevCameraX = other.PrevCameraX;
  PrevCameraY = other.PrevCameraY;
  ScrollCounter = other.ScrollCounter;
  TurnCounter = other.TurnCounter;
  BgmTrack = other.BgmTrack;
  BgmResourceId = other.BgmResourceId;
  LightMode = other.LightMode;
  std::memcpy(EventFlags, other.EventFlags, sizeof EventFlags);
}

void CStageData::Update() {
  if (ScrollCounter < ScrollFrameCount) ++ScrollCounter;
  if (ScrollCounter == ScrollFrameCount) {
    PrevCameraX = CameraX;
    PrevCameraY = CameraY;
  }
  GetGameMain()->Characters.UpdateAndPrune();
  Effects.UpdateAndPrune();
}

void CStageData::AdvanceTurn() {
  // At its top the count starts again on the same place of the spawn cycle.
  TurnCounter = TurnCounter < INT32_MAX ? TurnCounter + 1 : TurnCounter % EnemySpawnInterval + 1;
  if (TurnCounter % EnemySpawnInterval != 0) return;
  CCharacter* monster = PickEnemy();
  if (!monster) return;
  // Out of the player's view, on empty floor.
  auto fits = [this](int x, int y) {
    return !IsInDrawArea(x, y) && IsFloor(x, y) && !characterAt[CellIndex(x, y)];
  };
  int x = 0, y = 0;
  bool found = false;
  for (int tries = 0; tries < PlacementTryLimit && !found; ++tries) {
    x = Random() % StageMapSize;
    y = Random() % StageMapSize;
    found = fits(x, y);
  }
  // A floor where the draws found nothing is searched once, in cell order.
  for (int i = 0; i < StageCellCount && !found; ++i) {
    x = i / StageMapSize;
    y = i % StageMapSize;
    found = fits(x, y);
  }
  if (!found) {
    delete monster;
    return;
  }
  monster->SetPosition(x, y);
  MoveCharacterTo(x, y, monster);
  GetGameMain()->Characters.PushBack(monster);
}

void CStageData::LoadSpawnGraphics() {
  // The table is a class constant; the rows are remembered at the first
  // load so every later load and release walks exactly the same ones.
  if (SpawnGraphicsLoads == 0) {
    SpawnGraphicsTypeCount = 0;
    if (const SpawnEntry* table = GetSpawnTable())
      for (; table->Type != -1 && SpawnGraphicsTypeCount < MaxSpawnGraphicsTypes; ++table)
        SpawnGraphicsTypes[SpawnGraphicsTypeCount++] = table->Type;
  }
  if (SpawnGraphicsTypeCount == 0) return;
  for (int i = 0; i < SpawnGraphicsTypeCount; ++i) {
    if (CCharacter* c = CreateCharacter(SpawnGraphicsTypes[i])) {
      c->LoadGraphics();
      delete c;
    }
  }
  ++SpawnGraphicsLoads;
}

void CStageData::ReleaseSpawnGraphics() {
  if (SpawnGraphicsLoads <= 0) return;
  for (int i = 0; i < SpawnGraphicsTypeCount; ++i) {
    if (CCharacter* c = CreateCharacter(SpawnGraphicsTypes[i])) {
      c->ReleaseGraphics();
      delete c;
    }
  }
  --SpawnGraphicsLoads;
}

void CStageData::DrawItemsAndCharacters() {
  for (int x = CameraX - 11; x <= CameraX + 11; ++x)
    for (int y = CameraY - 9; y <= CameraY + 9; ++y)
      if (CItem* item = GetItemAt(x, y)) item->DrawOnFloor();
  // Row by row: lower rows overlap upper ones.
  for (int y = CameraY - 9; y <= CameraY + 9; ++y)
    for (int x = CameraX - 11; x <= CameraX + 11; ++x)
      if (CCharacter* c = GetCharacterAt(x, y)) c->Draw();
}

void CStageData::DrawEffects() {
  for (CCharacter* effect : Effects.Walk())
    if (effect->alive) effect->Draw();
}

bool CStageData::DrawMapMarkerAt(int cellX, int cellY, int x, int y, int cellSize, int alpha) {
  if (CCharacter* c = characterAt[CellIndex(cellX, cellY)])
    if (c->DrawAt(x, y, static_cast<float>(cellSize), static_cast<float>(cellSize), alpha)) return true;
  if (CItem* item = itemAt[CellIndex(cellX, cellY)])
    if (item->DrawMapMarker(x, y, static_cast<float>(cellSize), static_cast<float>(cellSize), alpha)) return true;
  return false;
}
