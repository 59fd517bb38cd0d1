#include "floors/GalleryStages.h"

#include <new>

#include "app/CGameMain.h"
#include "floors/GalleryPick.h"
#include "floors/SpecialStages.h"
#include "floors/StageFactory.h"
#include "platform/Random.h"

namespace {

using K = AreaKind;
using G = AreaGround;
using P = AreaPictures;

constexpr GalleryAreaRow GalleryAreas[GalleryAreaCount] = {
    // id  kind  ground  pictures
    {801, K::Grass, G::Plain, P::Plain},           // Grass1
    {802, K::Cave1, G::Plain, P::Plain},           // Cave1
    {803, K::Cave2, G::Plain, P::Plain},           // Cave2
    {804, K::Lake, G::Lake, P::Plain},             // Lake1
    {805, K::Mountain, G::Plain, P::Plain},        // Mountain1
    {806, K::SnowField1, G::Lake, P::Plain},       // SnowField1
    {807, K::Ice1, G::Plain, P::Plain},            // Ice1
    {808, K::Desert1, G::Plain, P::Plain},         // Desert1
    {809, K::Volcano1, G::Lake, P::Plain},         // Volcano1
    {810, K::Castle1, G::Plain, P::Plain},         // Castle1
    {811, K::Castle2, G::Plain, P::Plain},         // Castle2
    {812, K::Tower1, G::WalledEdge, P::Tower1},    // Tower1
    {813, K::Tower2, G::WalledEdge, P::Tower2},    // Tower2
    {814, K::Tower3, G::WalledEdge, P::Tower3},    // Tower3
    {815, K::Tower4, G::WalledEdge, P::Tower4},    // Tower4
    {816, K::Lab1, G::WalledEdge, P::Lab},         // Lab1
};

constexpr int GalleryMonsterHouseFloor = 3;
constexpr int GalleryWideViewFloor = 4;
constexpr std::int32_t GalleryMonsterHouseChance = 1280;
constexpr std::int32_t GalleryLastFloorAreaId = 317;

template <class Floor>
CStageData* Make() {
  return new (std::nothrow) Floor();
}

using Maker = CStageData* (*)();
constexpr Maker GalleryMakers[GalleryAreaCount + 1] = {
    &Make<CStageDataLevelX1Grass1>,     &Make<CStageDataLevelX1Cave1>,   &Make<CStageDataLevelX1Cave2>,
    &Make<CStageDataLevelX1Lake1>,      &Make<CStageDataLevelX1Mountain1>, &Make<CStageDataLevelX1SnowField1>,
    &Make<CStageDataLevelX1Ice1>,       &Make<CStageDataLevelX1Desert1>, &Make<CStageDataLevelX1Volcano1>,
    &Make<CStageDataLevelX1Castle1>,    &Make<CStageDataLevelX1Castle2>, &Make<CStageDataLevelX1Tower1>,
    &Make<CStageDataLevelX1Tower2>,     &Make<CStageDataLevelX1Tower3>,  &Make<CStageDataLevelX1Tower4>,
    &Make<CStageDataLevelX1Lab1>,       &Make<CStageDataLevelX1_100>,
};

}  // namespace

int GetGalleryFloorNumber() {
  // Read as a signed number, so that a counter gone below zero counts as 1.
  return ClampFloorNumber(static_cast<std::int32_t>(GetGameMain()->Settings.Block.FloorNumber));
}

const GalleryAreaRow& GetGalleryAreaRow(StageId id) {
  const int index = id - GalleryFirstArea;
  return GalleryAreas[index >= 0 && index < GalleryAreaCount ? index : 0];
}

CStageData* CreateGalleryStage(StageId id) {
  if (id < GalleryFirstArea || id > GalleryLastFloorStage) return nullptr;
  return GalleryMakers[id - GalleryFirstArea]();
}

CStageDataLevelX1::CStageDataLevelX1() {
  MonsterHouseChance = GetGalleryFloorNumber() < GalleryMonsterHouseFloor ? 0 : GalleryMonsterHouseChance;
}

int CStageDataLevelX1::GetItemCount() { return stagearea::NoLooseItems(); }

int CStageDataLevelX1::GetTrapCount() { return GetGalleryFloorNumber() / 5 + Random() % 3 + 1; }

int CStageDataLevelX1::GetMaxEnemiesInView() { return GetGalleryFloorNumber() < GalleryWideViewFloor ? 1 : 2; }

CStageData* CStageDataLevelX1::CreateNextFloor() {
  if (GetGalleryFloorNumber() >= 100) return CreateStage(GalleryLastFloorStage);
  return CreateStage(Random() % 2 == 0 ? StageId : GalleryRandomStage);
}

const SpawnEntry* CStageDataLevelX1::GetSpawnTable() { return GetGalleryBaseSpawnTable(); }

CCharacter* CStageDataLevelX1::PickEnemy() { return PickGalleryEnemy(*this); }

int CStageDataLevelX1::GetExtraMiningPointCount() { return Random() % 2 + 5; }

CStageDataLevelX1_100::CStageDataLevelX1_100() {
  StageId = GalleryLastFloorStage;
  BgmTrack = -1;
  BgmResourceId = -1;
  LightMode = 1;
  MonsterHouseChance = 0;
  OverlayKind = 0;
}

void CStageDataLevelX1_100::GenerateFloor() { GenerateHandMadeFloor(*this); }

void CStageDataLevelX1_100::LoadArea() {
  AreaId = GalleryLastFloorAreaId;
  CStageData::LoadArea();
}
