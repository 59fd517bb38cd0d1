#pragma once
// The ETERNAL GALLERY: 99 floors each of one of 16 areas drawn at random,
// growing harder with the floor counter F (SaveBlock::FloorNumber, taken into
// 1-100) instead of with a table per floor, then the fixed floor 100.
#include "floors/CStageDataBase.h"
#include "floors/SpawnTables.h"
#include "floors/StageAreaTables.h"
#include "floors/StageAreas.h"

// F as the gallery reads it: the live counter brought into 1-100.
int GetGalleryFloorNumber();

// The gallery dungeon: what every gallery floor answers. Built only as one
// of its areas or floor 100.
class CStageDataLevelX1 : public CStageDataBase {
public:
  // No monster houses on the first two floors.
  CStageDataLevelX1();

  // One draw, no loose items.
  int GetItemCount() override;
  // F / 5 + 1-3.
  int GetTrapCount() override;
  // 1 below floor 4, else 2.
  int GetMaxEnemiesInView() override;
  // The same area again or a new draw by half and half; floor 100 once F
  // reaches 100.
  CStageData* CreateNextFloor() override;
  // Every gallery type: the superset of the area tables.
  const SpawnEntry* GetSpawnTable() override;
  // A monster of the table levelled to F; null when there is no table.
  CCharacter* PickEnemy() override;
  int GetExtraMiningPointCount() override;
};

// One gallery area: its kind (music, overlay, tile picture), ground and
// picture set.
struct GalleryAreaRow {
  StageId Id;
  AreaKind Kind;
  AreaGround Ground;
  AreaPictures Pictures;
};
// The row of area 801-816; the first row for any other id.
const GalleryAreaRow& GetGalleryAreaRow(StageId id);

template <StageId Id>
class CStageGalleryArea : public CStageDataLevelX1 {
public:
  static const GalleryAreaRow& Row() { return GetGalleryAreaRow(Id); }

  CStageGalleryArea() {
    StageId = Id;
    stagearea::SetUpKind(*this, Row().Kind, 1);
  }
  void GenerateFloor() override { stagearea::GenerateFloor(*this, Row().Ground); }
  TerrainCode GetTerrain(int x, int y) const override { return stagearea::GetTerrain(*this, Row().Ground, x, y); }
  void LoadArea() override {
    AreaId = GetAreaKindRow(Row().Kind).AreaId;
    CStageData::LoadArea();
  }
  void LoadTextures() override {
    const AreaPictureSet& set = GetAreaPictureSet(Row().Pictures);
    if (set.Picture5 >= 0) AcquirePicture(BaseLayerPicture, set.Picture5);
    if (set.Picture6 >= 0) AcquirePicture(BackgroundPicture, set.Picture6);
  }
  const SpawnEntry* GetSpawnTable() override { return GetGalleryAreaSpawnTable(Id); }
};

using CStageDataLevelX1Grass1 = CStageGalleryArea<801>;
using CStageDataLevelX1Cave1 = CStageGalleryArea<802>;
using CStageDataLevelX1Cave2 = CStageGalleryArea<803>;
using CStageDataLevelX1Lake1 = CStageGalleryArea<804>;
using CStageDataLevelX1Mountain1 = CStageGalleryArea<805>;
using CStageDataLevelX1SnowField1 = CStageGalleryArea<806>;
using CStageDataLevelX1Ice1 = CStageGalleryArea<807>;
using CStageDataLevelX1Desert1 = CStageGalleryArea<808>;
using CStageDataLevelX1Volcano1 = CStageGalleryArea<809>;
using CStageDataLevelX1Castle1 = CStageGalleryArea<810>;
using CStageDataLevelX1Castle2 = CStageGalleryArea<811>;
using CStageDataLevelX1Tower1 = CStageGalleryArea<812>;
using CStageDataLevelX1Tower2 = CStageGalleryArea<813>;
using CStageDataLevelX1Tower3 = CStageGalleryArea<814>;
using CStageDataLevelX1Tower4 = CStageGalleryArea<815>;
using CStageDataLevelX1Lab1 = CStageGalleryArea<816>;

// Floor 100: the wide hall with the goal item, silent, with no monsters.
class CStageDataLevelX1_100 : public CStageDataLevelX1 {
public:
  CStageDataLevelX1_100();
  void GenerateFloor() override;
  void LoadArea() override;
  const SpawnEntry* GetSpawnTable() override { return nullptr; }
  CStageData* CreateNextFloor() override { return nullptr; }
};

// A new gallery floor of id 801-817, only constructed; null for any other.
CStageData* CreateGalleryStage(StageId id);
