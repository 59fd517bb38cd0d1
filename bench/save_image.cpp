// The capture of the save image that every player turn starts with, on a
// generated first floor with the player's kit and items lying about.
#include <benchmark/benchmark.h>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/ItemFactory.h"

namespace {

void BM_CaptureSaveImage(benchmark::State& state) {
  CGameMain* game = GetGameMain();
  game->Settings.Block.SelectedClass = 0;
  game->StartNewGame(1);
  CStageData* stage = game->CurrentStage;
  if (!stage || !game->Player) {
    state.SkipWithError("no run could start");
    return;
  }
  // Forty more herbs on the first free cells, as a floor late in play holds.
  int placed = 0;
  for (int x = 0; x < StageMapSize && placed < 40; ++x)
    for (int y = 0; y < StageMapSize && placed < 40; ++y)
      if (!stage->GetItemAt(x, y) && stage->IsFloor(x, y)) {
        CItem* herb = CreateItem(0x800);
        if (stage->PutItemAt(x, y, herb))
          ++placed;
        else
          delete herb;
      }
  game->Settings.Block.GameInProgress = 1;
  for (auto _ : state) {
    game->CaptureSaveImage();
    benchmark::DoNotOptimize(game->SaveImageRecords.Floor.data());
  }
  state.counters["characters"] = static_cast<double>(game->SaveImageRecords.Characters.size());
  state.counters["loose items"] = static_cast<double>(game->SaveImageRecords.LooseItems.size());
}
BENCHMARK(BM_CaptureSaveImage)->Unit(benchmark::kMicrosecond);

}  // namespace
