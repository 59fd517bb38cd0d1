// A whole-floor visibility update, and one frame of a floor drawn on SDL's
// software renderer.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "platform/Renderer.h"
#include "system/SysPlatform.h"

namespace {

// Sixteen 7 x 5 rooms on a 4 x 4 grid, each joined to its right and lower
// neighbour by a corridor: a floor of the usual size and shape.
void CarveRooms(CStageData& floor) {
  for (TerrainCode& t : floor.terrain) t = TerrainWall;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const int left = 2 + 9 * i, top = 2 + 9 * j;
      for (int x = left; x < left + 7; ++x)
        for (int y = top; y < top + 5; ++y) floor.terrain[CellIndex(x, y)] = TerrainRoom;
      if (i < 3)
        for (int x = left + 7; x < left + 9; ++x) floor.terrain[CellIndex(x, top + 2)] = TerrainCorridor;
      if (j < 3)
        for (int y = top + 5; y < top + 9; ++y) floor.terrain[CellIndex(left + 3, y)] = TerrainCorridor;
    }
  floor.terrain[CellIndex(24, 22)] = TerrainStairs;
}

// Arg 0: the player in a room of the usual floor; 1: in a corridor;
// 2: in the middle of one room as large as the map (the most there is to light).
void BM_UpdateVisibility(benchmark::State& state) {
  CStageData floor;
  int x = 23, y = 22;
  if (state.range(0) == 2) {
    for (int cx = 0; cx < StageMapSize; ++cx)
      for (int cy = 0; cy < StageMapSize; ++cy)
        floor.terrain[CellIndex(cx, cy)] = cx > 0 && cx < 39 && cy > 0 && cy < 39 ? TerrainRoom : TerrainWall;
    x = y = 20;
  } else {
    CarveRooms(floor);
    if (state.range(0) == 1) x = 27;  // the corridor between two rooms
  }
  for (auto _ : state) {
    floor.UpdateVisibility(x, y);
    benchmark::DoNotOptimize(floor.visible);
  }
}
BENCHMARK(BM_UpdateVisibility)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

bool BenchPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      // Half the texels transparent, as in tiles.
      argb[static_cast<std::size_t>(y) * size + x] =
          ((x ^ y ^ resourceId) & 1) ? 0xFF000000u | static_cast<std::uint32_t>(x * 2654435761u) >> 8 : 0u;
  return true;
}

bool StartRenderer(int scale) {
  static bool started = false;
  if (!started) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (!SysInitVideo() || !SysCreateMainWindow(320, 180) || !InitDirect3D()) return false;
    SetPictureLoader(&BenchPictures);
    LoadTexture(PlainPicture, 147);
    started = true;
  }
  ResizeWindowClient(320 * scale, 180 * scale);
  return BackBufferScale == scale;
}

// One frame of the floor with the player in a room at window scale
// range(0); range(1) 1 draws the darkness of a dark floor, 0 a lit one.
void BM_DrawFloorFrame(benchmark::State& state) {
  if (!StartRenderer(static_cast<int>(state.range(0)))) {
    state.SkipWithError("no renderer");
    return;
  }
  CStageData floor;
  CarveRooms(floor);
  floor.StageId = 3;
  floor.AreaId = 300;
  floor.CameraX = floor.PrevCameraX = 23;
  floor.CameraY = floor.PrevCameraY = 22;
  floor.LightMode = state.range(1) ? 1 : 2;
  floor.UpdateVisibility(23, 22);
  floor.LoadArea();
  for (auto _ : state) {
    ClearTarget(0xFF000000u);
    BeginScene();
    floor.Draw();
    EndScene();
  }
}
BENCHMARK(BM_DrawFloorFrame)->Args({1, 1})->Args({1, 0})->Args({3, 1})->Unit(benchmark::kMicrosecond);

}  // namespace
