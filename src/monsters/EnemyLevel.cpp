// A monster set to another level keeps its standing on the level curves:
// maximum HP grows with the level, attack follows the attack curve, magic a
// line, defence is whatever keeps its toughness (HP weighted by defence) in
// place on the toughness curve, and experience follows the player's table.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "characters/ExpTable.h"
#include "monsters/CCharacterEnemy.h"

namespace {

constexpr int MinLevel = 1, MaxLevel = 99;
// One point of defence is worth 24/23 of HP: each point takes a 24th off a blow.
constexpr double DefenceStep = 24.0, DefenceBase = 23.0;
// Enough for any toughness a double can hold.
constexpr int MaxDefence = 100000;

double A(int level) {
  const double x = level;
  if (level <= 15) return x * 0.1;
  if (level <= 30) return (x - 15) * 0.04 + 1.5;
  return ((x - 30) * 0.01 + 0.6) + 1.5;
}

double B(int level) {
  const double x = level;
  if (level <= 30) return x * 0.03;
  // One step below the nearest double to 0.9.
  return (x - 30) * 0.01 + std::nextafter(0.9, 0.0);
}

double C(int level) {
  const double x = level;
  if (level <= 15) return x * 1.5;
  if (level <= 30) return (x - 15) + 22.5;
  return ((x - 30) * 0.4 + 15) + 22.5;
}

// The toughness curve.
double Toughness(int level) { return (A(level) + 1.1) * (B(level) + 0.97) * (2.0 * level + 6); }

// The attack curve: 5x + 30 raised by 24/23 as often as the smallest whole
// number not below c(x) + 2.
double AttackCurve(int level) {
  double v = 5.0 * level + 30;
  const double steps = std::ceil(C(level) + 2);
  for (int k = 0; k < steps; ++k) {
    v *= DefenceStep;
    v /= DefenceBase;
  }
  return v;
}

int ToInt(double v) {
  if (!(v > INT_MIN)) return INT_MIN;
  if (!(v < INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}

std::int64_t ToInt64(double v) {
  constexpr double Limit = 9.2e18;  // inside the 64-bit range
  if (!(v > -Limit)) return static_cast<std::int64_t>(-Limit);
  if (!(v < Limit)) return static_cast<std::int64_t>(Limit);
  return static_cast<std::int64_t>(v);
}

}  // namespace

void CCharacterEnemy::SetLevel(int value) {
  const int n = std::clamp(value, MinLevel, MaxLevel);
  const int l = level;
  // A scaling whose divisor is 0 is left out: its stat stays as it is.
  const int m = maxHp;
  const double newMax = l + 2 != 0 ? static_cast<double>(m) * (n + 2) / (l + 2) : m;
  maxHp = ToInt(newMax);
  if (m != 0) hp = ToInt(hp * newMax / m);

  if (5 * l + 30 != 0) intelligence = ToInt(static_cast<double>(intelligence) * (5 * n + 30) / (5 * l + 30));

  // The curves' ratio first: a monster kept at its level keeps its attack
  // (attack x V / V can round just below it).
  const double oldAttack = AttackCurve(l);
  if (oldAttack != 0) {
    const double ratio = AttackCurve(n) / oldAttack;
    attack = ToInt(attack * ratio);
    strength = ToInt(strength * ratio);
  }

  const double oldToughness = Toughness(l), newToughness = Toughness(n);
  if (oldToughness != 0) {
    double t = m;
    for (int point = 0; point < defence && point < MaxDefence; ++point) {
      t *= DefenceStep;
      t /= DefenceBase;
    }
    const double target = t / oldToughness;
    // The fewest points with which the new toughness reaches the old.
    int points = 0;
    for (double v = newMax; v / newToughness < target && points < MaxDefence;) {
      v *= DefenceStep;
      v /= DefenceBase;
      ++points;
    }
    defence = points;
  }

  const std::int64_t oldThreshold = GetExpThreshold(l), newThreshold = GetExpThreshold(n);
  // Product first: exact for a monster kept at its level, and 220 x 300 / 2200
  // gives 30 where the ratio first falls just short of it.
  if (oldThreshold != 0)
    exp = ToInt64(static_cast<double>(exp) * static_cast<double>(newThreshold) / static_cast<double>(oldThreshold));

  level = n;
  if (exp < 1) exp = 1;
}
