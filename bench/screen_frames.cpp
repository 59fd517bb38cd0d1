// Whole frames as a player without a graphics card gets them (SDL's
// software renderer), drawn and presented to the window, at window scales
// 1, 3 and 5, in a seeded run of the first dungeon played by keys:
// - BM_FadeFrame: the floor's banner fading out over the floor;
// - BM_FloorFrame: the play screen on a dark floor (overlay and darkness,
//   characters, message window, map and status line);
// - BM_MenuFrame: the in-dungeon menu over the floor, on its item page (0)
//   and on MATERIAL CRAFT (1), as the main loop runs it, frame by frame;
// - BM_FloorMemory: what the floor at scale 3 keeps resident, and the heap;
// - BM_TenFloorsMemory: the same before and after going down ten floors.
// Needs the build's Resource.dll.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/CMyInput.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "screens/CGameInputMainMenu.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputMain.h"
#include "ui/CGameInputStageStart.h"

namespace {

std::uint32_t Now = 100000;
std::uint32_t BenchClock() { return Now; }

// The default keyboard: arrows, Z to select, S for the menu.
constexpr std::uint32_t KeyDown = 40, KeySelect = 'Z', KeyMenu = 'S';

// Where the run stands; the benchmarks take it forward, never back.
enum class Scene { None, Banner, Floor, ItemPage, CraftPage, Lost };
Scene Reached = Scene::None;

// One frame as the main loop runs it, on a clock that always has one due.
void Frame() {
  Now += 100;
  GetGameMain()->RunFrame();
}

void Press(std::uint32_t key) {
  DispatchEvent(SysEvent{SysEventKind::KeyDown, key});
  Frame();
  DispatchEvent(SysEvent{SysEventKind::KeyUp, key});
  for (int i = 0; i < 8; ++i) Frame();
}

template <typename Done>
bool PlayUntil(Done done) {
  for (int i = 0; i < 2000; ++i) {
    if (done()) return true;
    Frame();
  }
  return done();
}

bool StartRun() {
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
  CGameInputStageStart* banner = GetGameInputStageStart();
  // Halfway through the banner's fade: the floor shows through the black.
  if (!PlayUntil([&] { return banner->GetPhase() == CGameInputStageStart::PhaseFading; })) return false;
  for (int i = 0; i < 12; ++i) Frame();
  return banner->GetPhase() == CGameInputStageStart::PhaseFading;
}

// The floor made dark, so that the darkness is drawn as well as its overlay.
bool ReachFloor() {
  CGameMain* game = GetGameMain();
  if (!PlayUntil([&] { return GetStateController()->GetStateId() == StateMainNormal && game->CurrentStage; }))
    return false;
  game->CurrentStage->LightMode = 1;
  game->CurrentStage->UpdateVisibility(game->Player->GetX(), game->Player->GetY());
  GetGameInputMain()->ShowMessageTimed("The floor is quiet. Nothing moves.", 1 << 30);
  return true;
}

bool ReachItemPage() {
  Press(KeyMenu);
  Press(KeySelect);  // ITEM
  return GetGameInputMain()->GetChild() == GetGameInputMainMenu() && GetGameInputMainMenu()->GetActivePage() == MenuPageItem;
}

bool ReachCraftPage() {
  CGameInputMainMenu* menu = GetGameInputMainMenu();
  for (int i = 0; i < 4 && menu->GetActivePage() != MenuPageTop; ++i) Press('X');
  Press(KeyDown);
  Press(KeySelect);  // CRAFT
  Press(KeySelect);  // MATERIAL CRAFT
  return menu->GetCraftKind() == CraftKindMaterial;
}

bool Reach(Scene wanted) {
  using Step = bool (*)();
  static constexpr Step Steps[] = {nullptr, &StartRun, &ReachFloor, &ReachItemPage, &ReachCraftPage};
  while (Reached < wanted && Reached != Scene::Lost) {
    const auto next = static_cast<Scene>(static_cast<int>(Reached) + 1);
    Reached = Steps[static_cast<int>(next)]() ? next : Scene::Lost;
  }
  return Reached == wanted;
}

bool AtScale(benchmark::State& state, int scale) {
  ResizeWindowClient(320 * scale, 180 * scale);
  if (BackBufferScale == scale) return true;
  state.SkipWithError("the window scale was not taken");
  return false;
}

void BM_FadeFrame(benchmark::State& state) {
  if (!Reach(Scene::Banner)) return state.SkipWithError("no Resource.dll, no renderer, or no banner");
  if (!AtScale(state, static_cast<int>(state.range(0)))) return;
  CGameMain* game = GetGameMain();
  // The fade stands still: every frame draws the same half-faded banner.
  for (auto _ : state) game->Draw();
}
BENCHMARK(BM_FadeFrame)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_FloorFrame(benchmark::State& state) {
  if (!Reach(Scene::Floor)) return state.SkipWithError("no Resource.dll, no renderer, or no floor");
  if (!AtScale(state, static_cast<int>(state.range(0)))) return;
  CGameMain* game = GetGameMain();
  for (auto _ : state) {
    // The frame as RunFrame draws it, with the state's own pass order.
    ++game->FrameCount;
    game->Draw();
  }
  state.counters["overlay_kind"] = game->CurrentStage->OverlayKind;
}
BENCHMARK(BM_FloorFrame)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

// Kilobytes of a /proc/self/status field ("VmRSS", "VmHWM").
double StatusMegabytes(const char* field) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0.0;
  char line[256];
  long kb = 0;
  const std::size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') kb = std::strtol(line + n + 1, nullptr, 10);
  std::fclose(f);
  return static_cast<double>(kb) / 1024.0;
}

// What the floor at scale 3 keeps in memory once drawn a while: resident
// now and at its peak, and the heap in use and held from the system.
void BM_FloorMemory(benchmark::State& state) {
  if (!Reach(Scene::Floor)) return state.SkipWithError("no Resource.dll, no renderer, or no floor");
  if (!AtScale(state, 3)) return;
  CGameMain* game = GetGameMain();
  for (auto _ : state) {
    ++game->FrameCount;
    game->Draw();
  }
  const struct mallinfo2 heap = mallinfo2();
  state.counters["resident_MB"] = StatusMegabytes("VmRSS");
  state.counters["resident_peak_MB"] = StatusMegabytes("VmHWM");
  state.counters["heap_used_MB"] = static_cast<double>(heap.uordblks + heap.hblkhd) / 1048576.0;
  state.counters["heap_held_MB"] = static_cast<double>(heap.arena + heap.hblkhd) / 1048576.0;
}
BENCHMARK(BM_FloorMemory)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_MenuFrame(benchmark::State& state) {
  if (!Reach(state.range(0) == 0 ? Scene::ItemPage : Scene::CraftPage))
    return state.SkipWithError("no Resource.dll, no renderer, or the menu page did not open");
  if (!AtScale(state, static_cast<int>(state.range(1)))) return;
  // Whole main-loop frames: the menu's cursor and markers move as in play.
  for (auto _ : state) Frame();
}
// The item page's scales first: the run goes on from there to the craft page.
BENCHMARK(BM_MenuFrame)
    ->ArgNames({"page", "scale"})
    ->Args({0, 1})
    ->Args({0, 3})
    ->Args({0, 5})
    ->Args({1, 1})
    ->Args({1, 3})
    ->Args({1, 5})
    ->Unit(benchmark::kMillisecond);

// A second of play on the floor, then what is resident and in the heap.
void PlayASecond(benchmark::State& state, const char* when) {
  for (int i = 0; i < 60; ++i) Frame();
  const struct mallinfo2 heap = mallinfo2();
  state.counters[std::string("resident_MB_") + when] = StatusMegabytes("VmRSS");
  state.counters[std::string("heap_used_MB_") + when] = static_cast<double>(heap.uordblks + heap.hblkhd) / 1048576.0;
}

// Down the stairs ten times as the game goes down them (fade, the next
// floor, its banner), in a new run of LAKE OF MIST at scale 3: what play
// keeps should not grow from floor to floor.
void BM_TenFloorsMemory(benchmark::State& state) {
  if (!Reach(Scene::Floor)) return state.SkipWithError("no Resource.dll, no renderer, or no floor");
  if (!AtScale(state, 3)) return;
  Reached = Scene::Lost;  // the run is no longer where the others start
  CGameMain* game = GetGameMain();
  for (int i = 0; i < 6 && GetGameInputMain()->GetChild(); ++i) Press('X');
  const auto standing = [&](int left) {
    return PlayUntil([&] {
      return GetStateController()->GetStateId() == StateMainNormal && game->CurrentStage &&
             game->CurrentStage->StageId != left;
    });
  };
  const int earlier = game->CurrentStage->StageId;
  game->StartNewGame(2);
  if (!standing(earlier)) return state.SkipWithError("the new run did not start");
  for (auto _ : state) {
    PlayASecond(state, "first");
    for (int floor = 0; floor < 10; ++floor) {
      const int left = game->CurrentStage->StageId;
      GetStateController()->ChangeState(StateStageEnd);
      if (!standing(left)) return state.SkipWithError("the next floor was not reached");
      // The heap reaches what a floor needs at most over the first floors;
      // growth shows past that.
      if (floor == 0) PlayASecond(state, "second");
    }
    PlayASecond(state, "tenth");
  }
  state.counters["floor"] = game->CurrentStage->StageId;
}
BENCHMARK(BM_TenFloorsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
