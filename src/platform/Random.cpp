#include "platform/Random.h"

namespace {
std::uint32_t Seed = 1;
std::uint32_t VisualSeed = 1;

int Step(std::uint32_t& seed) {
  seed = seed * 214013u + 2531011u;
  return static_cast<int>((seed >> 16) & 0x7fff);
}
}  // namespace

void SeedRandom(std::uint32_t seed) { Seed = seed; }

std::uint32_t GetRandomState() { return Seed; }

int Random() { return Step(Seed); }

void SkipRandom(std::uint64_t count) {
  // The step is x -> a x + c; n steps are x -> A x + C, built by squaring.
  std::uint32_t a = 214013u, c = 2531011u;
  std::uint32_t totalA = 1u, totalC = 0u;
  for (; count != 0; count >>= 1) {
    if (count & 1) {
      totalA *= a;
      totalC = totalC * a + c;
    }
    c = c * (a + 1u);
    a *= a;
  }
  Seed = Seed * totalA + totalC;
}

bool RandomChance(int percent) { return Random() % 100 < percent; }

void SeedVisualRandom(std::uint32_t seed) { VisualSeed = seed; }

int VisualRandom() { return Step(VisualSeed); }
