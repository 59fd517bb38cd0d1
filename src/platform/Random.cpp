#include "platform/Random.h"

namespace {
std::uint32_t Seed = 1;
}

void SeedRandom(std::uint32_t seed) { Seed = seed; }

int Random() {
  Seed = Seed * 214013u + 2531011u;
  return static_cast<int>((Seed >> 16) & 0x7fff);
}

bool RandomChance(int percent) { return Random() % 100 < percent; }
