// play_screenshots: a run started headless, photographed in play. For each
// of several floors of different areas it makes the floor as the game does,
// lets the floor's banner pass, sets a few of the area's own monsters and
// items around the hero, says something in the message window and writes
// what the game draws, the play screen over the floor, as a PNG. With
// --menu it opens the in-dungeon menu instead and photographs its pages.
//
// usage: play_screenshots [--resources Resource.dll] [--out DIR] [--scale 1-5] [--menu]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "art/Canvas.h"
#include "art/Png.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "floors/StageFactory.h"
#include "floors/StageIds.h"
#include "floors/StagePlacement.h"
#include "items/CItem.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "Shots.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace {

// Floors of eight areas: grass, lake, cave, ice, desert, volcano, castle
// and tower.
constexpr StageId Floors[] = {0, 100, 205, 213, 300, 320, 424, 609};
constexpr int DungeonOfTheRun = 1;
constexpr int ClassCount = 9;
// Enough frames for any floor's banner to come and go.
constexpr int MaxFramesToPlay = 1200;
constexpr int SettleFrames = 30;

std::uint32_t Now = 0;
std::uint32_t StepClock() { return Now; }

bool InPlay() { return GetStateController()->GetStateId() == StateMainNormal; }

// Free floor cells around the hero, nearest first.
std::vector<std::pair<int, int>> FreeCellsAround(const CStageData& stage, int cx, int cy) {
  std::vector<std::pair<int, int>> cells;
  for (int ring = 1; ring <= 3; ++ring)
    for (int dy = -ring; dy <= ring; ++dy)
      for (int dx = -ring; dx <= ring; ++dx) {
        if (std::abs(dx) != ring && std::abs(dy) != ring) continue;
        const int x = cx + dx, y = cy + dy;
        if (stage.IsOutOfMap(x, y) || !stage.IsPassable(x, y) || stage.GetCharacterAt(x, y) || stage.GetItemAt(x, y))
          continue;
        cells.emplace_back(x, y);
      }
  return cells;
}

// Monsters and items of the floor's own tables set beside the hero, the
// monsters turned toward it, and the message window saying where the hero
// is and what stands and lies there.
void Populate(CGameMain& game, StageId id) {
  CStageData& stage = *game.CurrentStage;
  const int hx = game.Player->GetX(), hy = game.Player->GetY();
  std::vector<std::pair<int, int>> cells = FreeCellsAround(stage, hx, hy);
  char name[StageNameSize];
  GetStageName(id, name);
  GetGameInputMain()->ShowMessageTimed(name, -1);
  // Every other free cell, so that each shows whole.
  std::size_t next = 0;
  for (int i = 0; i < 3 && next < cells.size(); ++i, next += 2) {
    CCharacter* monster = stage.PickEnemy();
    if (!monster) continue;
    const auto [x, y] = cells[next];
    PlaceCharacter(&stage, monster, x, y);
    monster->FaceDelta(hx > x ? 1 : hx < x ? -1 : 0, hy > y ? 1 : hy < y ? -1 : 0);
    if (i == 0) GetGameInputMain()->AddMessageTimed(monster->GetName(name, sizeof name), -1);
  }
  for (int i = 0; i < 4 && next < cells.size(); ++i, next += 2) {
    CItem* item = stage.PickFloorItem();
    if (!item) continue;
    const auto [x, y] = cells[next];
    if (i == 0) GetGameInputMain()->AddMessageTimed(item->GetDisplayName(name, sizeof name), -1);
    if (!stage.PutItemAt(x, y, item)) delete item;
  }
  stage.UpdateVisibility(hx, hy);
}

}  // namespace

void RunFrame(CGameMain& game) {
  Now += 100;
  game.RunFrame();
}

// Replaces the run's floor by `id`, as going down does, and plays until the
// hero may act on it.
bool EnterFloor(CGameMain& game, StageId id) {
  CStageData* floor = CreateStage(id);
  if (!floor) return false;
  // The status line counts the floors of the floor's own dungeon.
  if (const DungeonRange* dungeon = FindFixedDungeon(id))
    game.Settings.Block.FloorNumber = static_cast<std::uint32_t>(id - dungeon->First + 1);
  game.Characters.DeleteAllButPlayer();
  delete game.CurrentStage;
  game.CurrentStage = floor;
  floor->GenerateFloor();
  GetStateController()->ChangeState(StateStageStart);
  for (int i = 0; i < MaxFramesToPlay && !InPlay(); ++i) RunFrame(game);
  return InPlay();
}

// What the game draws in play (the floor and its occupants, and over them
// the play screen: markers, message window, floor map and status line),
// drawn and presented as the main loop does, taken from the window.
bool Photograph(const std::string& path) {
  GetGameMain()->Draw();
  std::vector<std::uint32_t> argb;
  int width = 0, height = 0;
  if (!ReadWindowPicture(argb, width, height)) return false;
  CCanvas shot(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
      shot.Put(x, y, Rgb(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
    }
  return WritePngFile(path, shot);
}

// Each floor of Floors in a new run of its own, with a hero of the next
// class, photographed once its occupants are placed.
int PhotographFloors(CGameMain& game, const std::string& out) {
  int status = 0, attempted = 0;
  for (const StageId id : Floors) {
    SeedRandom(static_cast<std::uint32_t>(1000 + id));
    game.Settings.Block.SelectedClass = static_cast<std::uint32_t>(attempted++ % ClassCount);
    game.StartNewGame(DungeonOfTheRun);
    if (!game.Player || !EnterFloor(game, id)) {
      std::fprintf(stderr, "play_screenshots: floor %d does not come into play\n", id);
      status = 1;
      continue;
    }
    Populate(game, id);
    for (int i = 0; i < SettleFrames; ++i) RunFrame(game);
    const std::string path = out + "/play_" + std::to_string(id) + ".png";
    if (!Photograph(path)) {
      std::fprintf(stderr, "play_screenshots: cannot write %s\n", path.c_str());
      status = 1;
      continue;
    }
    std::printf("play_screenshots: %s\n", path.c_str());
  }
  return status;
}

int main(int argc, char** argv) {
  std::string resources = "Resource.dll", out = ".";
  int scale = 3;
  bool menu = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--resources" && hasValue) resources = argv[++i];
    else if (arg == "--out" && hasValue) out = argv[++i];
    else if (arg == "--scale" && hasValue) scale = std::atoi(argv[++i]);
    else if (arg == "--menu") menu = true;
    else {
      std::fprintf(stderr, "usage: play_screenshots [--resources Resource.dll] [--out DIR] [--scale 1-5] [--menu]\n");
      return 2;
    }
  }
  if (scale < 1 || scale > 5) {
    std::fprintf(stderr, "play_screenshots: the scale is 1 to 5\n");
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // The run's own files (its "save") go to a folder of its own, removed
  // at the end.
  char home[] = "/tmp/play_screenshots.XXXXXX";
  if (!mkdtemp(home)) {
    std::fprintf(stderr, "play_screenshots: no folder for the run's files\n");
    return 1;
  }
  SysSetGameFolder(home);
  CResourceModule& module = GetResourceModule();
  module.Open(resources);
  if (!module.Fault().empty()) {
    std::fprintf(stderr, "play_screenshots: %s: %s\n", resources.c_str(), module.Fault().c_str());
    return 1;
  }
  if (!SysInitVideo() || !SysCreateMainWindow(320 * scale, 180 * scale) || !InitDirect3D()) {
    std::fprintf(stderr, "play_screenshots: the renderer cannot start\n");
    return 1;
  }
  ResizeWindowClient(320 * scale, 180 * scale);
  KeepWindowPicture(true);

  // The start-up's share that play needs, on a fixed seed, without the
  // saved settings: every run of the tool takes the same pictures.
  CGameMain& game = *GetGameMain();
  game.Clock = &StepClock;
  SeedRandom(1);
  SeedVisualRandom(1);
  GetGameInputController()->BuildLayout();
  LoadTexture(0, 130);
  game.InitGraphics();

  const int status = menu ? PhotographMenuPages(game, out) : PhotographFloors(game, out);
  game.Characters.DeleteAll();
  game.Player = nullptr;
  delete game.CurrentStage;
  game.CurrentStage = nullptr;
  ReleaseDirect3D();
  SysShutdown();
  std::filesystem::remove_all(home);
  return status;
}
