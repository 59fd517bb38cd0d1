#include "floors/StageIds.h"

#include <cstdio>

#include "app/CGameMain.h"
#include "platform/Random.h"
#include "ui/TextCopy.h"

const DungeonRange FixedDungeons[FixedDungeonCount] = {
    // name  first  floors  stage-select entry
    {1154, 700, 11, -1},  // STRANGE CAVE
    {1144, 0, 7, 1},      // PHANTOM FOREST
    {1145, 100, 13, 2},   // LAKE OF MIST
    {1146, 200, 19, 3},   // FROZEN MOUNTAIN
    {1147, 300, 25, 4},   // VOLCANIC DESERT
    {1148, 400, 31, 5},   // UNTRODDEN REGION
    {1149, 600, 37, 6},   // ALCHEMIST'S LAB
};

namespace {

constexpr TextId TutorialName = 1143;
constexpr TextId GalleryName = 1150;

enum class GalleryWeight { Falling, Fixed, Rising };

struct GalleryAreaRow {
  StageId Id;
  GalleryWeight Weight;
};

// Falling rows weigh 100 - F, fixed rows 50, rising rows F: 800 in all.
constexpr GalleryAreaRow GalleryAreaWeights[GalleryAreaCount] = {
    {801, GalleryWeight::Falling}, {802, GalleryWeight::Falling}, {803, GalleryWeight::Falling},
    {804, GalleryWeight::Falling}, {812, GalleryWeight::Falling}, {813, GalleryWeight::Fixed},
    {814, GalleryWeight::Fixed},   {805, GalleryWeight::Fixed},   {806, GalleryWeight::Fixed},
    {807, GalleryWeight::Fixed},   {808, GalleryWeight::Fixed},   {809, GalleryWeight::Rising},
    {810, GalleryWeight::Rising},  {811, GalleryWeight::Rising},  {815, GalleryWeight::Rising},
    {816, GalleryWeight::Rising},
};

}  // namespace

const DungeonRange* FindFixedDungeon(StageId id) {
  for (const DungeonRange& dungeon : FixedDungeons) {
    if (id >= dungeon.First && id < dungeon.First + dungeon.Floors) return &dungeon;
  }
  return nullptr;
}

int GetFixedFloorIndex(StageId id) {
  int index = 0;
  for (const DungeonRange& dungeon : FixedDungeons) {
    if (id >= dungeon.First && id < dungeon.First + dungeon.Floors) return index + (id - dungeon.First);
    index += dungeon.Floors;
  }
  return -1;
}

StageId GetFirstStageOfDungeon(int dungeonIndex) {
  if (dungeonIndex == 0) return TutorialStage;
  if (dungeonIndex == 7) return GalleryRandomStage;
  if (dungeonIndex < 0) return NoStage;  // the cave has no entry of its own
  for (const DungeonRange& dungeon : FixedDungeons) {
    if (dungeon.DungeonIndex == dungeonIndex) return dungeon.First;
  }
  return NoStage;
}

char* GetStageName(StageId id, char* buffer) { return GetStageName(id, buffer, StageNameSize); }

char* GetStageName(StageId id, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return buffer;
  char name[128];
  if (const DungeonRange* dungeon = FindFixedDungeon(id)) {
    std::snprintf(name, sizeof name, "%s %dF", GetCurrentLanguageText(dungeon->Name), id - dungeon->First + 1);
  } else if (id == TutorialStage) {
    std::snprintf(name, sizeof name, "%s", GetCurrentLanguageText(TutorialName));
  } else if (id >= GalleryRandomStage && id <= GalleryLastFloorStage) {
    std::snprintf(name, sizeof name, "%s %dF", GetCurrentLanguageText(GalleryName),
                  static_cast<int>(GetGameMain()->Settings.Block.FloorNumber));
  } else {
    return buffer;
  }
  CopyTextCut(buffer, size, name);
  return buffer;
}

int ClampFloorNumber(std::int64_t floorNumber) {
  if (floorNumber < 1) return 1;
  if (floorNumber > 100) return 100;
  return static_cast<int>(floorNumber);
}

int GetGalleryAreaWeight(int row, int floorNumber) {
  if (row < 0 || row >= GalleryAreaCount) return 0;
  const int f = ClampFloorNumber(floorNumber);
  switch (GalleryAreaWeights[row].Weight) {
    case GalleryWeight::Falling: return 100 - f;
    case GalleryWeight::Fixed: return 50;
    case GalleryWeight::Rising: return f;
  }
  return 0;
}

StageId GetGalleryAreaStage(int row) {
  return row >= 0 && row < GalleryAreaCount ? GalleryAreaWeights[row].Id : NoStage;
}

StageId GetGalleryAreaForRoll(int roll, int floorNumber) {
  for (int row = 0; row < GalleryAreaCount; ++row) {
    roll -= GetGalleryAreaWeight(row, floorNumber);
    if (roll < 0) return GalleryAreaWeights[row].Id;
  }
  return GalleryAreaWeights[GalleryAreaCount - 1].Id;
}

StageId PickGalleryArea(int floorNumber) {
  // The weights always sum to 800: what the falling rows lose the rising gain.
  int total = 0;
  for (int row = 0; row < GalleryAreaCount; ++row) total += GetGalleryAreaWeight(row, floorNumber);
  return GetGalleryAreaForRoll(Random() % total, floorNumber);
}
