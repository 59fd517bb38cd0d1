// The per-frame cost of reading input: histories, keys, polled F-keys, pad.
#include <benchmark/benchmark.h>

#include "platform/CMyInput.h"
#include "screens/KeyNames.h"

namespace {

void BM_InputUpdate(benchmark::State& state) {
  CMyInput input;
  input.OnKeyMessage('X', WM_KEYDOWN);
  for (auto _ : state) {
    input.Update();
    benchmark::DoNotOptimize(input.InputHistory[8][0]);
  }
}
BENCHMARK(BM_InputUpdate);

// The keyboard binding screen names 19 keys when it refreshes.
void BM_KeyDisplayNames(benchmark::State& state) {
  CMyInput input;
  char buffer[KeyDisplayNameSize];
  for (auto _ : state)
    for (std::uint32_t vk : input.KeyBindingTable) benchmark::DoNotOptimize(GetKeyDisplayName(vk, buffer));
}
BENCHMARK(BM_KeyDisplayNames);

}  // namespace
