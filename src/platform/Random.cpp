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

int Random() { return Step(Seed); }

bool RandomChance(int percent) { return Random() % 100 < percent; }

void SeedVisualRandom(std::uint32_t seed) { VisualSeed = seed; }

int VisualRandom() { return Step(VisualSeed); }
