// A whole frame of the play screen on a floor, as a player without a
// graphics card gets it (SDL's software renderer): the floor with its
// overlay and darkness, the characters, the message window, the map and
// the status line, presented, at window scales 1, 3 and 5. Needs the
// build's Resource.dll.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputMain.h"

namespace {

std::uint32_t Now = 100000;
std::uint32_t BenchClock() { return Now; }

// A new game of the first dungeon, run until the player is asked for a
// command on the first floor; that floor made dark, so that the darkness is
// drawn as well as its overlay.
bool StartOnAFloor() {
  static int started = 0;
  if (started) return started > 0;
  started = -1;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
  struct stat st {};
  if (::stat(module.c_str(), &st) != 0 || !GetResourceModule().Open(module)) return false;
  if (!SysInitVideo() || !SysCreateMainWindow(320, 180) || !InitDirect3D()) return false;
  CGameMain* game = GetGameMain();
  game->Clock = &BenchClock;
  game->InitGraphics();
  game->Settings.Block.Language = 1;
  game->Settings.Block.GameSpeed = 0;
  SeedRandom(20261210);
  SeedVisualRandom(20261210);
  game->StartNewGame(1);
  for (int i = 0; i < 2000 && !(GetStateController()->GetStateId() == StateMainNormal && game->CurrentStage); ++i) {
    Now += 100;
    game->RunFrame();
  }
  if (!game->CurrentStage || !game->Player) return false;
  game->CurrentStage->LightMode = 1;
  game->CurrentStage->UpdateVisibility(game->Player->GetX(), game->Player->GetY());
  GetGameInputMain()->ShowMessageTimed("The floor is quiet. Nothing moves.", 1 << 30);
  started = 1;
  return true;
}

void BM_FloorFrame(benchmark::State& state) {
  if (!StartOnAFloor()) {
    state.SkipWithError("no Resource.dll or no renderer");
    return;
  }
  const int scale = static_cast<int>(state.range(0));
  ResizeWindowClient(320 * scale, 180 * scale);
  if (BackBufferScale != scale) {
    state.SkipWithError("the window scale was not taken");
    return;
  }
  CGameMain* game = GetGameMain();
  for (auto _ : state) {
    // The frame as RunFrame draws it, with the state's own pass order.
    ++game->FrameCount;
    game->Draw();
  }
  state.counters["overlay_kind"] = game->CurrentStage->OverlayKind;
}
BENCHMARK(BM_FloorFrame)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
