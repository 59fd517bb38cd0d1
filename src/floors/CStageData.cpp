#include "floors/CStageData.h"

#include <cstdlib>
#include <cstring>

#include "floors/StageFactory.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"

CStageData::CStageData() {
  std::memset(terrain, 0, sizeof terrain);
  std::memset(characterAt, 0, sizeof characterAt);
  std::memset(itemAt, 0, sizeof itemAt);
  std::memset(visible, 0, sizeof visible);
  std::memset(explored, 0, sizeof explored);
  std::memset(EventFlags, 0, sizeof EventFlags);
}

// ---- The floor as a whole; its generation is in StageGeneration.cpp.

void CStageData::GetName(char* text) { GetStageName(StageId, text); }

int CStageData::GetEnemyCount() { return Random() % 3 + 5; }

int CStageData::GetItemCount() { return Random() % 3 + 5; }

// Every class keeps TrapRange at least 1; a floor that breaks that gets its minimum.
int CStageData::GetTrapCount() { return TrapRange > 0 ? Random() % TrapRange + TrapMin : TrapMin; }

int CStageData::GetMaxEnemiesInView() { return PlacementTryLimit; }

int CStageData::ReservedFlag() { return 0; }

CStageData* CStageData::CreateNextFloor() { return nullptr; }

int CStageData::GetWidth() const { return StageMapSize; }

int CStageData::GetHeight() const { return StageMapSize; }

bool CStageData::OnTurnEvent(int, int) { return false; }

const SpawnEntry* CStageData::GetSpawnTable() { return nullptr; }

CCharacter* CStageData::PickEnemy() { return PickFromSpawnTable(GetSpawnTable()); }

CItem* CStageData::PickFloorItem() { return nullptr; }

bool CStageData::IsConnected() {
  // Whole sweeps until one marks nothing new: a reached cell passes the
  // mark to its four neighbours that are not wall.
  bool reached[StageCellCount] = {};
  int start = -1, open = 0;
  for (int i = 0; i < StageCellCount; ++i) {
    if (terrain[i] == TerrainWall) continue;
    if (start < 0) start = i;
    ++open;
  }
  if (start < 0) return true;
  reached[start] = true;
  int marked = 1;
  for (bool changed = true; changed;) {
    changed = false;
    for (int x = 0; x < StageMapSize; ++x) {
      for (int y = 0; y < StageMapSize; ++y) {
        if (!reached[CellIndex(x, y)]) continue;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
          if (!IsOnMap(n[0], n[1])) continue;
          const int i = CellIndex(n[0], n[1]);
          if (reached[i] || terrain[i] == TerrainWall) continue;
          reached[i] = true;
          ++marked;
          changed = true;
        }
      }
    }
  }
  return marked == open;
}

// ---- Cells.

TerrainCode CStageData::GetTerrain(int x, int y) const {
  return IsOnMap(x, y) ? terrain[CellIndex(x, y)] : TerrainWall;
}

bool CStageData::IsFloor(int x, int y) const {
  if (!IsOnMap(x, y)) return false;
  const TerrainCode t = terrain[CellIndex(x, y)];
  return t == TerrainRoom || t == TerrainMonsterHouse;
}

bool CStageData::IsCorridor(int x, int y) const {
  return IsOnMap(x, y) && terrain[CellIndex(x, y)] == TerrainCorridor;
}

bool CStageData::IsWall(int x, int y) const { return GetTerrain(x, y) == TerrainWall; }

bool CStageData::IsMonsterHouseFloor(int x, int y) const {
  return IsOnMap(x, y) && terrain[CellIndex(x, y)] == TerrainMonsterHouse;
}

bool CStageData::IsStairs(int x, int y) const { return IsOnMap(x, y) && terrain[CellIndex(x, y)] == TerrainStairs; }

bool CStageData::IsOpenBarrier(int x, int y) const {
  const TerrainCode t = GetTerrain(x, y);
  return t == TerrainBarrier || t == TerrainUnused;
}

bool CStageData::IsOutOfMap(int x, int y) const { return !IsOnMap(x, y); }

bool CStageData::IsRoomCell(int x, int y) const {
  if (!IsOnMap(x, y)) return false;
  const TerrainCode t = terrain[CellIndex(x, y)];
  return t == TerrainRoom || t == TerrainMonsterHouse || t == TerrainStairs || t == TerrainUnused;
}

bool CStageData::IsPassable(int x, int y) const {
  return IsOnMap(x, y) && (IsFloor(x, y) || IsCorridor(x, y) || IsStairs(x, y));
}

bool CStageData::IsFloorlike(int x, int y) const { return IsFloor(x, y) || IsStairs(x, y); }

TerrainCode CStageData::GetFreeFloorCode(int x, int y) const {
  if (!IsFloor(x, y) || itemAt[CellIndex(x, y)]) return TerrainRoom;
  return terrain[CellIndex(x, y)];
}

CCharacter* CStageData::GetCharacterAt(int x, int y) const {
  return IsOnMap(x, y) ? characterAt[CellIndex(x, y)] : nullptr;
}

CItem* CStageData::GetItemAt(int x, int y) const { return IsOnMap(x, y) ? itemAt[CellIndex(x, y)] : nullptr; }

int CStageData::IsVisible(int x, int y) const { return IsOnMap(x, y) ? visible[CellIndex(x, y)] : 0; }

void CStageData::SetExplored(int x, int y, int value) {
  if (IsOnMap(x, y)) explored[CellIndex(x, y)] = static_cast<std::uint8_t>(value);
}

bool CStageData::RemoveItemAt(int x, int y) {
  if (!IsOnMap(x, y) || !itemAt[CellIndex(x, y)]) return false;
  itemAt[CellIndex(x, y)] = nullptr;
  return true;
}

bool CStageData::CanEnter(int x, int y, int ignoreTerrain) const {
  if (!IsOnMap(x, y)) return false;
  return ignoreTerrain || IsFloor(x, y) || IsCorridor(x, y) || IsStairs(x, y);
}

bool CStageData::CanStep(int fromX, int fromY, int toX, int toY, int ignoreTerrain) const {
  if (!IsOnMap(toX, toY)) return false;
  if (fromX == toX && fromY == toY) return false;
  if (std::abs(toX - fromX) > 1 || std::abs(toY - fromY) > 1) return false;
  if (characterAt[CellIndex(toX, toY)]) return false;
  if (!CanEnter(toX, toY, ignoreTerrain)) return false;
  if (fromX == toX || fromY == toY || ignoreTerrain) return true;
  // Only wall blocks a corner; barrier ground does not.
  return GetTerrain(fromX, toY) != TerrainWall && GetTerrain(toX, fromY) != TerrainWall;
}

bool CStageData::CanAttack(int fromX, int fromY, int toX, int toY, int mode) const {
  if (!IsOnMap(toX, toY)) return false;
  const int dx = toX - fromX, dy = toY - fromY;
  if (mode == 0) {
    if (GetTerrain(toX, toY) == TerrainWall || !characterAt[CellIndex(toX, toY)]) return false;
    if (std::abs(dx) > 1 || std::abs(dy) > 1) return false;
    if (dx == 0 || dy == 0) return true;
    return GetTerrain(fromX, toY) != TerrainWall && GetTerrain(toX, fromY) != TerrainWall;
  }
  if (mode == 1) {
    if (GetTerrain(toX, toY) == TerrainWall) return false;
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)) return false;
    if (!characterAt[CellIndex(toX, toY)]) return false;
    // Characters in between do not block the reach; walls do.
    const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    for (int x = fromX + sx, y = fromY + sy; x != toX || y != toY; x += sx, y += sy)
      if (GetTerrain(x, y) == TerrainWall) return false;
    return true;
  }
  return true;
}

bool CStageData::DropItemNearForced(int x, int y, CItem* item) { return DropItemNear(x, y, item, true); }

bool CStageData::DropItemNear(int x0, int y0, CItem* item, bool columnsFirst) {
  // Square rings around the cell; ring 0 is the cell itself.
  for (int r = 0;; ++r) {
    int calls = 0;
    auto tryCell = [&](int x, int y) {
      if (!IsOnMap(x, y)) return false;
      ++calls;
      return PutItemAt(x, y, item);
    };
    for (int j = 0; j <= r; ++j) {
      const int rows[4][2] = {{x0 - j, y0 - r}, {x0 + j, y0 - r}, {x0 - j, y0 + r}, {x0 + j, y0 + r}};
      const int columns[4][2] = {{x0 - r, y0 - j}, {x0 - r, y0 + j}, {x0 + r, y0 - j}, {x0 + r, y0 + j}};
      const auto& first = columnsFirst ? columns : rows;
      const auto& second = columnsFirst ? rows : columns;
      for (const auto& c : first)
        if (tryCell(c[0], c[1])) return true;
      for (const auto& c : second)
        if (tryCell(c[0], c[1])) return true;
    }
    if (calls == 0 || r > StageMapSize) return false;
  }
}

bool CStageData::FindRoomExit(int x, int y, int& outX, int& outY, int side) const {
  if (!IsRoomCell(x, y)) return false;
  // Along: the axis the exit lies on; across: the axis scanned for a corridor.
  const bool alongY = side == 0 || side == 1;
  const int d = (side == 0 || side == 2) ? -1 : 1;
  auto cellAt = [alongY](int along, int across, int& cx, int& cy) {
    cx = alongY ? across : along;
    cy = alongY ? along : across;
  };
  const int startAlong = alongY ? y : x, startAcross = alongY ? x : y;
  int exit = startAlong;
  for (int cx, cy;; exit += d) {
    cellAt(exit, startAcross, cx, cy);
    if (!IsRoomCell(cx, cy)) break;
  }
  const int last = exit - d;
  for (int step : {-1, 1}) {
    for (int across = startAcross;; across += step) {
      int rx, ry, ex, ey;
      cellAt(last, across, rx, ry);
      if (!IsRoomCell(rx, ry)) break;
      cellAt(exit, across, ex, ey);
      if (IsCorridor(ex, ey)) {
        outX = ex;
        outY = ey;
        return true;
      }
    }
  }
  return false;
}

// ---- Camera.

bool CStageData::IsOnScreen(int x, int y) const { return std::abs(ToScreenX(x)) < 11 && std::abs(ToScreenY(y)) < 9; }

bool CStageData::IsInDrawArea(int x, int y) const { return IsOnScreen(x, y); }

int CStageData::ToScreenX(int x) const { return x - CameraX; }

int CStageData::ToScreenY(int y) const { return y - CameraY; }

void CStageData::StartScroll() { ScrollCounter = 0; }

// ---- Light and colour.

int CStageData::GetLightMode() const { return LightMode; }
void CStageData::SetLightMode(int mode) { LightMode = mode; }
int CStageData::GetShadeRed() const { return 14; }
int CStageData::GetShadeGreen() const { return 12; }
int CStageData::GetShadeBlue() const { return 20; }
int CStageData::GetShadeAlpha() const { return 128; }
int CStageData::GetTintRed() const { return 255; }
int CStageData::GetTintGreen() const { return 255; }
int CStageData::GetTintBlue() const { return 255; }
int CStageData::GetTintAlpha() const { return 255; }

// ---- The per-cell random.

void CStageData::SeedRandom(int seed) {
  SeedVisualRandom(static_cast<std::uint32_t>(seed));
  Seed = seed;
  DrawCounter = 0;
}

int CStageData::NextRandom() { return VisualRandom(); }

int CStageData::RandomForCell(int x, int y) {
  const int n = x * StageMapSize + y;
  if (DrawCounter > n) SeedRandom(Seed);
  for (; DrawCounter < n; ++DrawCounter) NextRandom();
  ++DrawCounter;
  return NextRandom();
}

// ---- Pictures the floor holds.

bool CStageData::AcquirePicture(PictureId id, int resourceId) {
  if (!GetPictureRow(id)) return false;
  ++PictureLoads[id];
  return LoadTexture(id, static_cast<std::uint16_t>(resourceId));
}

void CStageData::ReleasePicture(PictureId id) {
  if (!GetPictureRow(id) || PictureLoads[id] <= 0) return;
  --PictureLoads[id];
  ReleaseTexture(id);
}

void CStageData::LoadTextures() {
  AcquirePicture(BaseLayerPicture, 130);
  AcquirePicture(BackgroundPicture, 130);
}

void CStageData::ReleaseTextures() {
  ReleasePicture(BaseLayerPicture);
  ReleasePicture(BackgroundPicture);
}

bool LoadFloorMusic(int track, int resourceId) {
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing != -1) sound->UnloadBgm(playing);
  if (track < 0 || track >= BgmTrackCount) return false;
  const MusicRow& row = MusicTable[track];
  sound->LoadBgm(track, static_cast<std::uint16_t>(resourceId), 1.0f, row.Start, row.LoopStart, row.LoopEnd);
  sound->SetBgmLoopForever(track);
  return true;
}

void CStageData::LoadArea() {
  CSoundManager* sound = GetSoundManager();
  bool start = false;
  // A floor whose track already plays keeps it running.
  if (BgmTrack < 0 || BgmTrack >= BgmTrackCount || !sound->IsBgmPlaying(BgmTrack))
    start = LoadFloorMusic(BgmTrack, BgmResourceId);
  AcquirePicture(AreaTilesPicture, AreaId);
  LoadTextures();
  ++TextureLoads;
  LoadSpawnGraphics();
  if (start) sound->PlayBgm(BgmTrack);
  ReadyToDraw = 1;
}
