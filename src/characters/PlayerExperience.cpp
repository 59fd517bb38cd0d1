// The player's experience and levels: one running total counted against the
// experience table, a level-up line, popup and sound for every level reached,
// and the growth of the maximum HP that each class replaces by its own.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "characters/CCharacterPlayer.h"
#include "characters/ExpTable.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/TextTable.h"

namespace {

constexpr TextId LevelUpText = 561;
constexpr SoundEffectId LevelUpSound = 19;

constexpr std::int64_t MostExp = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t LeastExp = std::numeric_limits<std::int64_t>::min();

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  if (b > 0 && a > MostExp - b) return MostExp;
  if (b < 0 && a < LeastExp - b) return LeastExp;
  return a + b;
}

int ToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The default growth of the maximum HP in hundredths: 4, 5 or 6 by one draw.
int DrawGrowth() {
  constexpr int Growth[8] = {4, 4, 5, 5, 5, 5, 6, 6};
  return Growth[Random() % 8];
}

}  // namespace

std::int64_t CCharacterPlayer::GetExpForLevel(int level) const { return GetExpThreshold(level); }

std::int64_t CCharacterPlayer::GetExpForNextLevel(int level) const {
  return level < MaxPlayerLevel ? GetExpForLevel(level) : 0;
}

std::int64_t CCharacterPlayer::GetExpAtLevelEnd(int level) const {
  std::int64_t total = 0;
  for (int i = 0; i <= level && total < MostExp; ++i) total = SaturatingAdd(total, GetExpForLevel(i));
  return total;
}

std::int64_t CCharacterPlayer::ResetExpToLevel(int level) {
  exp = level > 0 ? GetExpAtLevelEnd(level - 1) : 0;
  return exp;
}

void CCharacterPlayer::GainExp(std::int64_t amount) {
  if (level >= MaxPlayerLevel) return;
  exp = SaturatingAdd(exp, amount);
  OnGainExp(amount);
  while (exp >= GetExpAtLevelEnd(level)) {
    const int before = level;
    LevelUp();
    OnLevelUp();
    ShowPopup(GetCurrentLanguageText(LevelUpText));
    GetSoundManager()->PlaySe(LevelUpSound);
    if (level >= MaxPlayerLevel) {
      ResetExpToLevel(MaxPlayerLevel);
      break;
    }
    // A growth that does not raise the level would loop forever.
    if (level <= before) break;
  }
}

void CCharacterPlayer::LevelUp() {
  const int old = GetMaxHP();
  if (level >= MaxPlayerLevel) return;
  ++level;
  maxHpX100 = ToInt(std::int64_t{maxHpX100} + DrawGrowth());
  ClampHP();
  hp = ToInt(std::int64_t{hp} + GetMaxHP() - old);
}

void CCharacterPlayer::LevelDown() {
  const int old = GetMaxHP();
  if (level <= 1) return;
  --level;
  maxHpX100 = ToInt(std::int64_t{maxHpX100} - DrawGrowth());
  // HP falls by what the maximum fell (once, even from full HP), and stays
  // at least 1.
  hp = ToInt(std::int64_t{hp} + GetMaxHP() - old);
  ClampHP();
  hp = std::max(hp, 1);
}

void CCharacterPlayer::GrowLevel(int amount) {
  const int old = GetMaxHP();
  if (level >= MaxPlayerLevel) return;
  maxHpX100 = ToInt(std::int64_t{maxHpX100} + amount);
  ++level;
  ClampHP();
  hp = ToInt(std::int64_t{hp} + GetMaxHP() - old);
}

void CCharacterPlayer::ShrinkLevel(int amount) {
  if (level <= 1) return;
  --level;
  maxHpX100 = ToInt(std::int64_t{maxHpX100} - amount);
  ClampHP();
}
