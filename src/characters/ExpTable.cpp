#include "characters/ExpTable.h"

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t Thresholds[51] = {
    0,     10,    20,    35,    55,    80,    100,   140,   200,   250,    // 0-9
    300,   400,   500,   600,   800,   1000,  1200,  1500,  1800,  2200,   // 10-19
    2600,  3000,  3500,  4200,  5000,  6000,  7000,  8000,  9000,  10000,  // 20-29
    12000, 14000, 16000, 19000, 22000, 25000, 28000, 32000, 36000, 40000,  // 30-39
    45000, 50000, 55000, 60000, 65000, 70000, 75000, 80000, 85000, 90000,  // 40-49
    100000,                                                                // 50
};

}  // namespace

std::int64_t GetExpThreshold(int level) {
  if (level <= 0) return 0;
  if (level <= 50) return Thresholds[level];
  // Division first, so every step is exact while the value is a multiple of 100.
  constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 118;
  std::int64_t v = Thresholds[50];
  for (int l = 51; l <= level; ++l) {
    if (v > Limit) return std::numeric_limits<std::int64_t>::max();
    v = v / 100 * 118;
  }
  return v;
}
