#pragma once
#include <cstdint>

// The game's one random generator: a linear congruential generator whose
// sequence every floor layout and every roll is built from.
void SeedRandom(std::uint32_t seed);
// The generator's whole state: seeding with it goes on with the same numbers.
std::uint32_t GetRandomState();
// 0 .. 0x7fff.
int Random();
// Moves the sequence on as `count` calls of Random() would, in a few steps:
// for the long runs of draws whose every outcome is known to be refused.
void SkipRandom(std::uint64_t count);
// A chance of `percent` succeeds when the next number modulo 100 is below it.
bool RandomChance(int percent);

// A second generator of the same kind for what only shows (tile variants,
// flicker): drawing frames must never move the game's sequence, so a seeded
// run plays the same whether or not it is drawn.
void SeedVisualRandom(std::uint32_t seed);
// 0 .. 0x7fff.
int VisualRandom();
