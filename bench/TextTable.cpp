#include <benchmark/benchmark.h>

#include "platform/TextTable.h"

// Every visible word is fetched anew on every draw.
static void BM_GetTextEveryId(benchmark::State& state) {
  for (auto _ : state) {
    for (TextId id = 0; id < TextCount; ++id) {
      benchmark::DoNotOptimize(GetText(LanguageEnglish, id));
      benchmark::DoNotOptimize(GetText(LanguageJapanese, id));
    }
  }
  state.SetItemsProcessed(state.iterations() * TextCount * 2);
}
BENCHMARK(BM_GetTextEveryId);

static void BM_GetCurrentLanguageText(benchmark::State& state) {
  TextId id = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetCurrentLanguageText(id));
    id = id == TextCount - 1 ? 0 : id + 1;
  }
}
BENCHMARK(BM_GetCurrentLanguageText);
