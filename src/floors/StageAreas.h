#pragma once
// The area classes: what a stretch of floors of one dungeon shares (light,
// monster houses, traps, mining points, ground, pictures, tint, music). Each
// class is one row of the area table; the operations below read it.
#include <cstdint>

#include "floors/CStageDataBase.h"
#include "floors/StageAreaTables.h"

class CItem;

// What the area template's operations do, for any floor and row.
namespace stagearea {
void SetUp(CStageData& floor, const AreaClassRow& row);
// Music, overlay and light of an area kind; monster houses stay as they are.
void SetUpKind(CStageData& floor, AreaKind kind, std::int32_t lightMode);
void GenerateFloor(CStageDataBase& floor, AreaGround ground);
TerrainCode GetTerrain(const CStageData& floor, AreaGround ground, int x, int y);
int Roll(const AreaCountRule& rule);
// Draws one number and answers 0: areas place no loose items.
int NoLooseItems();
CItem* PickFloorItem();
}  // namespace stagearea

template <AreaClass Area, class Dungeon>
class CStageArea : public Dungeon {
public:
  static constexpr AreaClass AreaOfClass = Area;
  static const AreaClassRow& Row() { return GetAreaClassRow(Area); }

  // Constructors draw nothing: they only copy the row into the floor.
  CStageArea() { stagearea::SetUp(*this, Row()); }

  void GenerateFloor() override { stagearea::GenerateFloor(*this, Row().Ground); }
  TerrainCode GetTerrain(int x, int y) const override { return stagearea::GetTerrain(*this, Row().Ground, x, y); }
  void LoadArea() override {
    this->AreaId = GetAreaKindRow(Row().Kind).AreaId;
    CStageData::LoadArea();
  }
  void LoadTextures() override {
    const AreaPictureSet& set = GetAreaPictureSet(Row().Pictures);
    if (set.Picture5 >= 0) this->AcquirePicture(BaseLayerPicture, set.Picture5);
    if (set.Picture6 >= 0) this->AcquirePicture(BackgroundPicture, set.Picture6);
  }
  int GetItemCount() override { return stagearea::NoLooseItems(); }
  int GetTrapCount() override { return stagearea::Roll(Row().Traps); }
  int GetMaxEnemiesInView() override { return Row().MaxEnemiesInView; }
  int GetTintRed() const override { return Row().TintRed; }
  int GetTintGreen() const override { return Row().TintGreen; }
  int GetTintBlue() const override { return Row().TintBlue; }
  CItem* PickFloorItem() override { return stagearea::PickFloorItem(); }
  int GetMineCount() override { return Row().Mines; }
  int GetTreeCount() override { return Row().Trees; }
  int GetBushCount() override { return Row().Bushes; }
  int GetChestCount() override { return 0; }
  int GetExtraMiningPointCount() override { return stagearea::Roll(Row().ExtraMiningPoints); }
  int GetMineWeight() override { return AreaMineWeight; }
  int GetTreeWeight() override { return AreaTreeWeight; }
  int GetBushWeight() override { return AreaBushWeight; }
  int GetChestWeight() override { return AreaChestWeight; }
};

// The 37 areas of the seven fixed dungeons.
using CStageDataLite1Grass = CStageArea<AreaClass::Lite1Grass, CStageDataLite1>;
using CStageDataLite1Lake = CStageArea<AreaClass::Lite1Lake, CStageDataLite1>;
using CStageDataLite1Cave1 = CStageArea<AreaClass::Lite1Cave1, CStageDataLite1>;
using CStageDataLite1Cave2 = CStageArea<AreaClass::Lite1Cave2, CStageDataLite1>;
using CStageDataLite1Ice1 = CStageArea<AreaClass::Lite1Ice1, CStageDataLite1>;
using CStageDataLevel1Grass = CStageArea<AreaClass::Level1Grass, CStageDataLevel1>;
using CStageDataLevel1Cave1 = CStageArea<AreaClass::Level1Cave1, CStageDataLevel1>;
using CStageDataLevel2Lake = CStageArea<AreaClass::Level2Lake, CStageDataLevel2>;
using CStageDataLevel2Mountain = CStageArea<AreaClass::Level2Mountain, CStageDataLevel2>;
using CStageDataLevel2Cave2 = CStageArea<AreaClass::Level2Cave2, CStageDataLevel2>;
using CStageDataLevel3SnowField1 = CStageArea<AreaClass::Level3SnowField1, CStageDataLevel3>;
using CStageDataLevel3Cave1 = CStageArea<AreaClass::Level3Cave1, CStageDataLevel3>;
using CStageDataLevel3Cave2 = CStageArea<AreaClass::Level3Cave2, CStageDataLevel3>;
using CStageDataLevel3Ice1 = CStageArea<AreaClass::Level3Ice1, CStageDataLevel3>;
using CStageDataLevel4Desert1 = CStageArea<AreaClass::Level4Desert1, CStageDataLevel4>;
using CStageDataLevel4Cave2 = CStageArea<AreaClass::Level4Cave2, CStageDataLevel4>;
using CStageDataLevel4Lake = CStageArea<AreaClass::Level4Lake, CStageDataLevel4>;
using CStageDataLevel4Cave1 = CStageArea<AreaClass::Level4Cave1, CStageDataLevel4>;
using CStageDataLevel4Mountain = CStageArea<AreaClass::Level4Mountain, CStageDataLevel4>;
using CStageDataLevel4Volcano1 = CStageArea<AreaClass::Level4Volcano1, CStageDataLevel4>;
using CStageDataLevel5Grass1 = CStageArea<AreaClass::Level5Grass1, CStageDataLevel5>;
using CStageDataLevel5Cave1 = CStageArea<AreaClass::Level5Cave1, CStageDataLevel5>;
using CStageDataLevel5Lake1 = CStageArea<AreaClass::Level5Lake1, CStageDataLevel5>;
using CStageDataLevel5Mountain1 = CStageArea<AreaClass::Level5Mountain1, CStageDataLevel5>;
using CStageDataLevel5SnowField1 = CStageArea<AreaClass::Level5SnowField1, CStageDataLevel5>;
using CStageDataLevel5Ice1 = CStageArea<AreaClass::Level5Ice1, CStageDataLevel5>;
using CStageDataLevel5Desert1 = CStageArea<AreaClass::Level5Desert1, CStageDataLevel5>;
using CStageDataLevel5Volcano1 = CStageArea<AreaClass::Level5Volcano1, CStageDataLevel5>;
using CStageDataLevel5Castle1 = CStageArea<AreaClass::Level5Castle1, CStageDataLevel5>;
using CStageDataLevel5Castle2 = CStageArea<AreaClass::Level5Castle2, CStageDataLevel5>;
using CStageDataLevel6Tower1 = CStageArea<AreaClass::Level6Tower1, CStageDataLevel6>;
// Sits between Tower1 and floors 6-9: Tower1's constructor runs first, then
// this row turns monster houses on.
using CStageDataLevel6Tower1_1 = CStageArea<AreaClass::Level6Tower1_1, CStageDataLevel6Tower1>;
using CStageDataLevel6Tower2 = CStageArea<AreaClass::Level6Tower2, CStageDataLevel6>;
using CStageDataLevel6Tower3 = CStageArea<AreaClass::Level6Tower3, CStageDataLevel6>;
using CStageDataLevel6Tower4 = CStageArea<AreaClass::Level6Tower4, CStageDataLevel6>;
using CStageDataLevel6Lab1 = CStageArea<AreaClass::Level6Lab1, CStageDataLevel6>;
using CStageDataLevel6Boss1 = CStageArea<AreaClass::Level6Boss1, CStageDataLevel6>;
