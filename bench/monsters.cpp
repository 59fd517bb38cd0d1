// Monsters' turns: whole turn cycles of 20 monsters chasing the player on a
// generated floor, and the dearest target choices there are.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "../tests/monsters/MonsterTurnDriver.h"
#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/StageFloors.h"
#include "items/ItemFactory.h"
#include "monsters/MonstersSlimeToManaEater.h"
#include "platform/Random.h"
#include "platform/Renderer.h"

namespace {

constexpr int MonsterCount = 20;
constexpr int TurnsPerFloor = 40;
// Rats, Kobolds, Slimes, Frogs, Snakes and Goblins: walkers, a shooter,
// no random walkers (they would chase less).
constexpr CharacterType Chasers[] = {259, 260, 262, 256, 271, 277, 274, 263, 261, 272};

// The player takes no damage, so the chase never ends.
class BenchPlayer : public CCharacterPlayer {
public:
  BenchPlayer() {
    maxHpX100 = 100000;
    hp = maxHp = 1000;
    status[static_cast<int>(StatusKind::Invincible)] = -1;
  }
};

// A generated floor with its own monsters taken away and 20 chasers put on
// free floor cells.
void SetUpChase(CStageData*& floor, std::uint32_t seed) {
  CGameMain* game = GetGameMain();
  game->Characters.DeleteAllButPlayer();
  delete floor;
  SeedRandom(seed);
  floor = new CStageDataLevel1_1();
  game->CurrentStage = floor;
  floor->GenerateFloor();
  game->Characters.DeleteAllButPlayer();
  for (CCharacter*& c : floor->characterAt)
    if (c != game->Player) c = nullptr;
  int placed = 0;
  for (int tries = 0; placed < MonsterCount && tries < 100000; ++tries) {
    const int x = Random() % StageMapSize, y = Random() % StageMapSize;
    if (!floor->IsFloor(x, y) || floor->GetCharacterAt(x, y)) continue;
    CCharacter* m = CreateCharacter(Chasers[placed % std::size(Chasers)]);
    m->SetPosition(x, y);
    floor->MoveCharacterTo(x, y, m);
    game->Characters.PushBack(m);
    m->StartTurn();
    ++placed;
  }
}

// Pictures without a resource module: transparent, made once while held.
bool BlankPictures(std::uint16_t, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0u);
  return true;
}

// The player walks a step where he can (or stands), then the monsters move
// and act as the turn states run them: one turn cycle per iteration. The
// game keeps the effect sheet (picture 7) loaded from start-up.
void BM_ChaseTurnCycle(benchmark::State& state) {
  CGameMain* game = GetGameMain();
  SetPictureLoader(&BlankPictures);
  LoadTexture(7, 138);
  BenchPlayer player;
  game->Player = &player;
  game->Characters.PushBack(&player);
  CStageData* floor = nullptr;
  std::uint32_t seed = 1;
  int turn = 0;
  SetUpChase(floor, seed);
  std::int64_t actions = 0;
  for (auto _ : state) {
    if (++turn > TurnsPerFloor) {
      state.PauseTiming();
      SetUpChase(floor, ++seed * 2654435761u);
      turn = 1;
      state.ResumeTiming();
    }
    player.StartTurn();
    player.SetDirection(static_cast<Direction>((turn / 6) % 2 ? DirectionRight : DirectionLeft));
    player.StepForward();
    actions += monstertest::MonsterTurn();
  }
  state.counters["actions_per_turn"] = static_cast<double>(actions) / static_cast<double>(state.iterations());
  game->Characters.Remove(&player);
  game->Characters.DeleteAll();
  game->Player = nullptr;
  game->CurrentStage = nullptr;
  delete floor;
  ReleaseTexture(7);
  SetPictureLoader(nullptr);
}
BENCHMARK(BM_ChaseTurnCycle)->Unit(benchmark::kMicrosecond);

// One open room as large as the map.
void CarveOneRoom(CStageData& floor) {
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y)
      floor.terrain[CellIndex(x, y)] = x > 0 && x < 39 && y > 0 && y < 39 ? TerrainRoom : TerrainWall;
}

// The dearest target choice of a plain monster: in a corridor cell at the
// corner of the map-wide room, the player out of its sight at the far
// corner, so that every room cell beside it looks across the whole room.
void BM_WorstSearchPlayer(benchmark::State& state) {
  CGameMain* game = GetGameMain();
  CStageData floor;
  CarveOneRoom(floor);
  for (int x = 1; x < 39; ++x) floor.terrain[CellIndex(x, 1)] = TerrainWall;
  floor.terrain[CellIndex(1, 1)] = TerrainCorridor;
  // The player's corner is walled off: every look crosses the room and
  // fails only at its last step.
  for (const auto& [x, y] : {std::pair{37, 37}, std::pair{37, 38}, std::pair{38, 37}})
    floor.terrain[CellIndex(x, y)] = TerrainWall;
  game->CurrentStage = &floor;
  CCharacterPlayer player;
  player.SetPosition(38, 38);
  game->Player = &player;
  CCharacterRat1 rat;
  rat.SetPosition(1, 1);
  for (auto _ : state) {
    rat.targetX = rat.targetY = -1;
    rat.SearchPlayer();
    benchmark::DoNotOptimize(rat.targetX);
  }
  game->Player = nullptr;
  game->CurrentStage = nullptr;
}
BENCHMARK(BM_WorstSearchPlayer)->Unit(benchmark::kMicrosecond);

// A ManaEater's search for food, the dearest of all: arg 0, food on every
// other cell of the map-wide room, in sight; arg 1, food on every third
// cell of it on both axes, each walled off on the eater's side, so that
// none is in sight and every look crosses the room to fail at its last step.
void BM_WorstSearchItem(benchmark::State& state) {
  CGameMain* game = GetGameMain();
  CStageData floor;
  CarveOneRoom(floor);
  for (int x = 2; x < 39; ++x) {
    for (int y = 2; y < 39; ++y) {
      if (state.range(0) == 0) {
        if ((x + y) % 2 == 0) floor.PutItemAt(x, y, CreateItem(0x80f));
      } else if (x % 3 == 0 && y % 3 == 0) {
        floor.PutItemAt(x, y, CreateItem(0x80f));
        for (const auto& [wx, wy] : {std::pair{x - 1, y}, std::pair{x, y - 1}, std::pair{x - 1, y - 1}})
          floor.terrain[CellIndex(wx, wy)] = TerrainWall;
      }
    }
  }
  game->CurrentStage = &floor;
  CCharacterManaEater1 eater;
  eater.SetPosition(1, 2);
  for (auto _ : state) {
    eater.SearchPlayer();
    benchmark::DoNotOptimize(eater.targetX);
  }
  game->CurrentStage = nullptr;
}
BENCHMARK(BM_WorstSearchItem)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
