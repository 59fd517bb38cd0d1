#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/StageFloors.h"
#include "platform/Random.h"

namespace {

// Monsters that draw nothing, so that the figure is generation's own and
// not the monsters' constructors'.
class BenchMonster : public CCharacter {
public:
  BenchMonster() { type = 256; }
};

template <class Floor>
class BenchFloor : public Floor {
public:
  CCharacter* PickEnemy() override { return new BenchMonster(); }
};

// One whole floor per iteration: terrain, player, monsters, stairs, traps
// and mining points, from 1000 seeds in turn, then the floor's characters
// and the floor are discarded. The seeds are spread over the whole range: the
// first draws after small neighbouring seeds are small and alike.
template <class Floor>
void BM_GenerateFloor(benchmark::State& state) {
  CCharacterPlayer player;
  GetGameMain()->Player = &player;
  std::uint32_t seed = 0;
  for (auto _ : state) {
    SeedRandom((seed % 1000 + 1) * 2654435761u);
    ++seed;
    auto* floor = new BenchFloor<Floor>();
    floor->GenerateFloor();
    benchmark::DoNotOptimize(floor->terrain);
    GetGameMain()->Characters.DeleteAllButPlayer();
    delete floor;
  }
  GetGameMain()->Player = nullptr;
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

// A lit forest floor (one monster in sight at most), a lake, a cave with
// monster houses, and a tower with walled edges, houses and two in sight.
BENCHMARK(BM_GenerateFloor<CStageDataLevel1_1>);
BENCHMARK(BM_GenerateFloor<CStageDataLevel2_2>);
BENCHMARK(BM_GenerateFloor<CStageDataLevel3_6>);
BENCHMARK(BM_GenerateFloor<CStageDataLevel6_10>);
BENCHMARK(BM_GenerateFloor<CStageDataLevel5_25>);
