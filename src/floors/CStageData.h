#pragma once
// One dungeon floor: a 40 x 40 map of terrain with who stands and what lies
// on each cell, what the player sees and has seen, the camera and the
// floor's music. Every concrete floor derives from it and overrides the few
// operations it changes; everything else asks it about cells.
//
// Grids are column-major: cell (x, y) is element x * 40 + y. Any x or y
// outside 0-39 is off the map: it reads as wall, holds nothing, and every
// operation that would write it refuses.
#include <cstdint>

#include "characters/CCharacterList.h"
#include "platform/PictureTable.h"
#include "platform/Renderer.h"
#include "platform/SoundTables.h"

class CCharacter;
class CItem;

using TerrainCode = std::uint32_t;

constexpr int StageMapSize = 40;
constexpr int StageCellCount = StageMapSize * StageMapSize;
// Frames of the view's slide after the player moves; 8 = at rest.
constexpr int ScrollFrameCount = 8;
// A monster joins the floor every this many turns.
constexpr int EnemySpawnInterval = 50;
// Random cell draws a placement makes before it gives up or relaxes its test.
constexpr int PlacementTryLimit = 65535;
constexpr int StageEventFlagCount = 255;

constexpr TerrainCode TerrainRoom = 0;
constexpr TerrainCode TerrainMonsterHouse = 1;
constexpr TerrainCode TerrainCorridor = 2;
constexpr TerrainCode TerrainStairs = 3;
constexpr TerrainCode TerrainWall = 4;
// Impassable ground that is not wall: the lake kinds turn their walls into it.
constexpr TerrainCode TerrainBarrier = 5;
// Never written; counts as open barrier and as a room cell.
constexpr TerrainCode TerrainUnused = 6;
// Reported by the cave and tower kinds for the inside of solid wall.
constexpr TerrainCode TerrainRock = 7;

// What the player sees of a cell now.
constexpr std::uint8_t VisibleNone = 0;
constexpr std::uint8_t VisibleBlocking = 1;  // seen, passes no light on
constexpr std::uint8_t VisibleOpen = 2;      // seen and open

// One row of a floor's spawn table; a table ends with type -1.
struct SpawnEntry {
  std::int32_t Type;     // CharacterType of a monster
  std::int32_t Weight;   // 0: never picked, its pictures still load
  std::int32_t Percent;  // chance it starts asleep
};

// The pictures a floor draws from.
constexpr PictureId AreaTilesPicture = 4;
constexpr PictureId BaseLayerPicture = 5;
constexpr PictureId BackgroundPicture = 6;
constexpr PictureId MapMarksPicture = 7;
constexpr PictureId PlainPicture = 10;

// Spawn-table rows a floor remembers for its monsters' pictures.
constexpr int MaxSpawnGraphicsTypes = 64;

class CStageData {
public:
  CStageData();
  // Deletes the items on the grid and the floor's effects, and gives back
  // exactly the pictures and monster pictures this floor acquired.
  virtual ~CStageData();
  CStageData(const CStageData&) = delete;
  CStageData& operator=(const CStageData&) = delete;

  // ---- The floor as a whole.
  virtual void GenerateFloor();
  // The display name into a 64-byte buffer.
  virtual void GetName(char* text);
  // Takes over other's map, sight, camera, music and flags. Its items move
  // here: a floor owns the items on its grid, and never two floors one item.
  virtual void CopyFrom(CStageData& other);
  virtual void Update();
  virtual void Draw();
  virtual void LoadArea();
  virtual void LoadTextures();
  virtual void ReleaseTextures();
  virtual int GetEnemyCount();
  virtual int GetItemCount();
  virtual int GetTrapCount();
  virtual int GetMaxEnemiesInView();
  virtual void AdvanceTurn();
  virtual int ReservedFlag();
  // Every cell that is not wall can be reached from every other, by steps
  // along rows and columns.
  virtual bool IsConnected();
  virtual bool GenerateTerrain(int x, int y, int w, int h);
  // The floor below, owned by the caller; null on a last floor.
  virtual CStageData* CreateNextFloor();
  virtual int GetWidth() const;
  virtual int GetHeight() const;

  // ---- Cells. (x, y) off the map reads as wall and holds nothing.
  virtual bool CanEnter(int x, int y, int ignoreTerrain) const;
  // One step to a neighbouring empty cell; no diagonal past a wall corner.
  virtual bool CanStep(int fromX, int fromY, int toX, int toY, int ignoreTerrain) const;
  virtual TerrainCode GetFreeFloorCode(int x, int y) const;
  // Mode 0 an adjacent blow, 1 a straight reach stopped by walls, other
  // modes always.
  virtual bool CanAttack(int fromX, int fromY, int toX, int toY, int mode) const;
  virtual TerrainCode GetTerrain(int x, int y) const;
  virtual bool IsFloor(int x, int y) const;
  virtual bool IsCorridor(int x, int y) const;
  virtual bool IsWall(int x, int y) const;
  virtual bool IsMonsterHouseFloor(int x, int y) const;
  virtual bool IsStairs(int x, int y) const;
  virtual bool IsOpenBarrier(int x, int y) const;
  virtual bool IsOutOfMap(int x, int y) const;
  virtual bool IsRoomCell(int x, int y) const;
  virtual bool IsPassable(int x, int y) const;
  virtual CCharacter* GetCharacterAt(int x, int y) const;
  // False off the map or onto another character. Moves only the floor's
  // record; the caller sets the character's own cell. The player's move
  // carries the camera.
  virtual bool MoveCharacterTo(int x, int y, CCharacter* character);
  virtual CItem* GetItemAt(int x, int y) const;
  // Hidden traps are not reported.
  virtual CItem* GetRevealedItemAt(int x, int y) const;
  // Clears the cell; the item is the caller's now.
  virtual bool RemoveItemAt(int x, int y);
  // The floor owns the item once this returns true.
  virtual bool PutItemAt(int x, int y, CItem* item);
  // The cell, else the nearest cell that takes the item, by square rings.
  virtual bool DropItemNear(int x, int y, CItem* item, bool columnsFirst);
  virtual bool DropItemNearForced(int x, int y, CItem* item);
  // Whether some cell of the floor would take a dropped item.
  bool HasRoomForItem() const;
  virtual int IsVisible(int x, int y) const;
  virtual void SetExplored(int x, int y, int value);

  // ---- Camera: the view is centred on the player's cell.
  virtual bool IsOnScreen(int x, int y) const;
  virtual bool IsInDrawArea(int x, int y) const;
  virtual int ToScreenX(int x) const;
  virtual int ToScreenY(int y) const;
  virtual void StartScroll();

  // ---- Drawing.
  virtual void DrawMap(int x, int y, int cellSize, int alpha);
  virtual void DrawMapOpaque(int x, int y, int cellSize);
  // A rounded shade corner (kind 0-3: upper-left, upper-right, lower-left,
  // lower-right) on the cell at camera offset (dx, dy).
  virtual void DrawShadeRect(int dx, int dy, int kind, int alpha);
  virtual void DrawDarkness(int alpha);
  virtual void DrawScreenTint();
  virtual void DrawBackground();
  // The ground picture under the window whose corner is at camera offset (dx, dy).
  virtual void DrawBaseLayer(int dx, int dy);
  // The tile layers of one map cell.
  virtual void DrawBarrierTiles(int x, int y);
  virtual void DrawFloorTiles(int x, int y);
  virtual void DrawCorridorTiles(int x, int y);
  virtual void DrawStairs(int x, int y);
  virtual void DrawWallTiles(int x, int y);

  // ---- Sight.
  virtual bool HasLineOfSight(int x1, int y1, int x2, int y2) const;
  // Sight from a character's cell: from a corridor through the room next to it.
  virtual bool CanSee(int x, int y, int targetX, int targetY) const;
  virtual void LightQuadrant(int x, int y, int cornerX, int cornerY);
  // Rebuilds what the player at (x, y) sees and raises the explored map.
  virtual void UpdateVisibility(int x, int y);
  // The corridor cell by which the room holding (x, y) is left on `side`
  // (0 lower y, 1 higher y, 2 lower x, else higher x).
  virtual bool FindRoomExit(int x, int y, int& outX, int& outY, int side) const;
  virtual int GetLightMode() const;
  virtual void SetLightMode(int mode);
  virtual int GetShadeRed() const;
  virtual int GetShadeGreen() const;
  virtual int GetShadeBlue() const;
  virtual int GetShadeAlpha() const;
  virtual int GetTintRed() const;
  virtual int GetTintGreen() const;
  virtual int GetTintBlue() const;
  virtual int GetTintAlpha() const;

  // ---- The per-cell random of tile variants, on the visual generator: a
  // floor always looks the same and drawing never moves the game's sequence.
  virtual void SeedRandom(int seed);
  virtual int NextRandom();
  // The (x * 40 + y + 1)-th number after SeedRandom, whatever order cells are asked in.
  virtual int RandomForCell(int x, int y);

  // ---- What lives here.
  // A scripted floor's message for the cell; true when one fired.
  virtual bool OnTurnEvent(int x, int y);
  virtual const SpawnEntry* GetSpawnTable();
  virtual CCharacter* PickEnemy();
  virtual CCharacter* PickFromSpawnTable(const SpawnEntry* table);
  virtual CItem* PickFloorItem();
  virtual CItem* PickTrap();
  virtual void LoadSpawnGraphics();
  virtual void ReleaseSpawnGraphics();
  // Writes the length word and the floor image to the game's open save file.
  virtual bool Save();

  // ---- Fields, in the order of the floor image.
  TerrainCode terrain[StageCellCount];
  CCharacter* characterAt[StageCellCount];  // not owned
  CItem* itemAt[StageCellCount];            // owned
  std::uint8_t visible[StageCellCount];
  std::uint8_t explored[StageCellCount];
  std::int32_t StageId = 0;
  std::int32_t AreaId = -1;
  CCharacterList Effects;  // owned
  std::int32_t BgmTrack = -1;
  std::int32_t BgmResourceId = -1;
  std::uint8_t EventFlags[StageEventFlagCount];
  std::uint8_t ReadyToDraw = 0;
  std::int32_t Width = StageMapSize;
  std::int32_t Height = StageMapSize;
  std::int32_t CameraX = 0;
  std::int32_t CameraY = 0;
  std::int32_t PrevCameraX = 0;
  std::int32_t PrevCameraY = 0;
  std::int32_t ScrollCounter = ScrollFrameCount;
  std::int32_t TurnCounter = 0;
  std::int32_t MonsterHouseChance = 0;
  std::int32_t TrapMin = 0;
  std::int32_t TrapRange = 1;
  std::int32_t LightMode = 1;
  std::int32_t SpawnGraphicsLoads = 0;
  std::int32_t TextureLoads = 0;
  std::int32_t Seed = 0;
  std::int32_t DrawCounter = 0;
  std::int32_t OverlayKind = 0;
  std::int32_t OverlayRed = 0;
  std::int32_t OverlayGreen = 0;
  std::int32_t OverlayBlue = 0;
  std::int32_t OverlayAlpha = 0;
  std::int32_t OverlayBands = 0;
  std::int32_t OverlayBlendMode = 0;

protected:
  // Acquires a picture and counts it, so that the floor gives back exactly
  // what it took, whatever class it is by then.
  bool AcquirePicture(PictureId id, int resourceId);
  // Gives back one counted acquisition of the picture; nothing when none.
  void ReleasePicture(PictureId id);

private:
  bool TakesItem(int x, int y) const;
  void DrawTile(int x, int y, int offsetX, int offsetY, int sx, int sy, int w, int h);
  bool GroundHidesBackground(int shiftX, int shiftY) const;
  bool IsFloorlike(int x, int y) const;
  void DrawItemsAndCharacters();
  void DrawEffects();
  // The marker of whoever stands or lies on the cell; true when one drew.
  bool DrawMapMarkerAt(int cellX, int cellY, int x, int y, int cellSize, int alpha);

  // The overlay's bands as runs of rows under so many of them: worked out
  // when the overlay's settings or the view's height change, not per frame.
  static constexpr int MaxOverlayRuns = 128;
  struct OverlayRows {
    std::int32_t Kind = 0, Step = 0, Height = 0;
    int Count = 0;  // -1: more runs than are kept; the bands are drawn one by one
    LayeredRows Runs[MaxOverlayRuns];
  };
  const OverlayRows& GetOverlayRows(int step, int height);
  OverlayRows OverlayLayers;

  std::int32_t PictureLoads[PictureCount] = {};
  // The spawn rows whose pictures were loaded, as they were at the first
  // load: every release walks exactly these.
  std::int32_t SpawnGraphicsTypes[MaxSpawnGraphicsTypes] = {};
  std::int32_t SpawnGraphicsTypeCount = 0;
};

// Where a cell lies in the grids; the caller has checked it is on the map.
inline int CellIndex(int x, int y) { return x * StageMapSize + y; }
// Compared as unsigned, so negative coordinates are off the map too.
inline bool IsOnMap(int x, int y) {
  return static_cast<unsigned>(x) < static_cast<unsigned>(StageMapSize) &&
         static_cast<unsigned>(y) < static_cast<unsigned>(StageMapSize);
}

// Stops the music that plays and loads `track` from `resourceId`, set to
// loop forever, ready to play; false (and silence) for no track.
bool LoadFloorMusic(int track, int resourceId);

// The current floor as the play screen shows it.
void DrawStageScreen();
// The current floor's map over an opaque black view.
void DrawFloorMapScreen();
