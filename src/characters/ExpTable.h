#pragma once
#include <cstdint>

// The experience level L takes, i.e. what leads from level L to L + 1: 0 for
// level 0 and below, a table up to 50, then 18 % more per level (saturating
// far beyond any level a character reaches). Monsters scale what they are
// worth by it; the player's levels are counted on it.
std::int64_t GetExpThreshold(int level);
