#include "floors/StageAreas.h"

#include "app/CGameMain.h"
#include "items/ItemFactory.h"
#include "platform/Random.h"

namespace stagearea {

void SetUp(CStageData& floor, const AreaClassRow& row) {
  SetUpKind(floor, row.Kind, row.LightMode);
  if (row.MonsterHouseChance != 0) floor.MonsterHouseChance = row.MonsterHouseChance;
}

void SetUpKind(CStageData& floor, AreaKind kindId, std::int32_t lightMode) {
  const AreaKindRow& kind = GetAreaKindRow(kindId);
  floor.BgmTrack = kind.BgmTrack;
  floor.BgmResourceId = 10000 + kind.BgmTrack;
  floor.LightMode = lightMode;
  floor.OverlayKind = kind.OverlayKind;
  floor.OverlayRed = kind.OverlayRed;
  floor.OverlayGreen = kind.OverlayGreen;
  floor.OverlayBlue = kind.OverlayBlue;
  floor.OverlayAlpha = OverlayAlphaOfAreas;
  floor.OverlayBands = kind.OverlayBands;
  floor.OverlayBlendMode = kind.OverlayBlendMode;
}

void GenerateFloor(CStageDataBase& floor, AreaGround ground) {
  floor.CStageData::GenerateFloor();
  floor.LayMiningPoints();
  if (ground != AreaGround::Lake) return;
  for (TerrainCode& cell : floor.terrain) {
    if (cell == TerrainWall) cell = TerrainBarrier;
  }
}

TerrainCode GetTerrain(const CStageData& floor, AreaGround ground, int x, int y) {
  auto base = [&floor](int cx, int cy) { return IsOnMap(cx, cy) ? floor.terrain[CellIndex(cx, cy)] : TerrainWall; };
  switch (ground) {
    case AreaGround::Plain: return base(x, y);
    case AreaGround::Lake: return IsOnMap(x, y) ? floor.terrain[CellIndex(x, y)] : TerrainBarrier;
    case AreaGround::WalledEdge:
      if (!IsOnMap(x, y)) return TerrainRock;
      // Solid rock inside the walls: wall on all nine cells of the block.
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          if (base(x + dx, y + dy) != TerrainWall) return base(x, y);
      return TerrainRock;
  }
  return base(x, y);
}

int Roll(const AreaCountRule& rule) { return Random() % (rule.Range > 0 ? rule.Range : 1) + rule.Base; }

int NoLooseItems() {
  Random();
  return 0;
}

CItem* PickFloorItem() {
  const FloorItemEntry* table = GetFloorItemTable(GetGameMain()->Settings.Block.DungeonClearedFlags);
  int total = 0;
  for (const FloorItemEntry* row = table; row->itemId != -1; ++row) total += row->weight;
  if (total <= 0) return nullptr;
  int r = Random() % total;
  const FloorItemEntry* row = table;
  while (r >= row->weight) r -= (row++)->weight;
  CItem* item = CreateItem(row->itemId);
  if (item == nullptr) return nullptr;
  item->SetCount(Random() % (row->countRange > 0 ? row->countRange : 1) + row->baseCount);
  return item;
}

}  // namespace stagearea
