#pragma once
#include <cstdint>

#include "floors/StageIds.h"

// What every area of a kind shares: tile picture, music and overlay.
enum class AreaKind : int {
  Grass, Lake, Cave1, Cave2, Castle1, Castle2, Desert1, Ice1, Mountain,
  SnowField1, Volcano1, Tower1, Tower2, Tower3, Tower4, Lab1, Boss1,
  Count
};

struct AreaKindRow {
  std::int32_t AreaId;  // also the resource of the tile picture
  std::int32_t BgmTrack;
  std::int32_t OverlayKind;
  std::int32_t OverlayRed, OverlayGreen, OverlayBlue;
  std::int32_t OverlayBands;
  std::int32_t OverlayBlendMode;
};

constexpr int AreaKindCount = static_cast<int>(AreaKind::Count);
constexpr std::int32_t OverlayAlphaOfAreas = 4;
const AreaKindRow& GetAreaKindRow(AreaKind kind);

// How generation ends and how the cells outside the walls read.
enum class AreaGround : int {
  Plain,       // the base generation and terrain read
  Lake,        // walls become impassable ground (5), 5 off the map
  WalledEdge,  // 7 off the map and for a wall cell walled on all 8 sides
};

// Pictures 5 and 6 of the floor; a resource of -1 is not acquired. The sizes
// are those the texture table gives the resources.
struct AreaPictureSet {
  std::int32_t Picture5, Size5;
  std::int32_t Picture6, Size6;
};

enum class AreaPictures : int { Plain, Cave, Tower1, Tower2, Tower3, Tower4, Lab };
const AreaPictureSet& GetAreaPictureSet(AreaPictures pictures);

// rand() % Range + Base: one draw, also for the constant answers (Range 1).
struct AreaCountRule {
  std::int32_t Range;
  std::int32_t Base;
};

// The 37 area classes of the seven fixed dungeons.
enum class AreaClass : int {
  Lite1Grass, Lite1Lake, Lite1Cave1, Lite1Cave2, Lite1Ice1,
  Level1Grass, Level1Cave1,
  Level2Lake, Level2Mountain, Level2Cave2,
  Level3SnowField1, Level3Cave1, Level3Cave2, Level3Ice1,
  Level4Desert1, Level4Cave2, Level4Lake, Level4Cave1, Level4Mountain, Level4Volcano1,
  Level5Grass1, Level5Cave1, Level5Lake1, Level5Mountain1, Level5SnowField1, Level5Ice1,
  Level5Desert1, Level5Volcano1, Level5Castle1, Level5Castle2,
  Level6Tower1, Level6Tower1_1, Level6Tower2, Level6Tower3, Level6Tower4, Level6Lab1, Level6Boss1,
  Count
};

struct AreaClassRow {
  AreaKind Kind;
  std::int32_t LightMode;
  std::int32_t MonsterHouseChance;
  AreaCountRule Traps;
  std::int32_t MaxEnemiesInView;
  std::int32_t Mines, Trees, Bushes;
  AreaCountRule ExtraMiningPoints;
  AreaGround Ground;
  AreaPictures Pictures;
  std::int32_t TintRed, TintGreen, TintBlue;
};

constexpr int AreaClassCount = static_cast<int>(AreaClass::Count);
const AreaClassRow& GetAreaClassRow(AreaClass area);

// Weights of the extra mining points, the same in every area: mine, tree,
// bush, chest.
constexpr std::int32_t AreaMineWeight = 2;
constexpr std::int32_t AreaTreeWeight = 2;
constexpr std::int32_t AreaBushWeight = 2;
constexpr std::int32_t AreaChestWeight = 1;

// One row of a loose-item table: ItemId, weight, base count, count range, then
// four unused words; the table ends with ItemId -1.
struct FloorItemEntry {
  std::int32_t itemId;
  std::int32_t weight;
  std::int32_t baseCount;
  std::int32_t countRange;
  std::int32_t unused[4];
};

// The loose-item table the areas pick from, by the dungeons cleared so far
// (flags indexed by stage-select entry).
const FloorItemEntry* GetFloorItemTable(const std::uint32_t (&dungeonClearedFlags)[8]);
