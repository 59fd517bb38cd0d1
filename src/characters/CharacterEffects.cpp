// What a character shows over its cell: each request becomes an effect
// character on the current floor's effect list (nothing without a floor).
#include "characters/CCharacter.h"
#include "characters/CCharacterEffect.h"

namespace {

constexpr int White = 255;

}  // namespace

void CCharacter::SpawnEffect(int amount) { CCharacterEffect::SpawnNumber(x, y, EffectWhiteNumber, amount); }

void CCharacter::ShowMissEffect() {
  CCharacterEffect::SpawnCaption(x, y, EffectMiss, nullptr, White, White, White, 0);
}

void CCharacter::ShowCaption(const char* text) {
  CCharacterEffect::SpawnCaption(x, y, EffectCaption, text, White, White, White, 0);
}

void CCharacter::ShowPopupDelayed(const char* text, int delay) {
  CCharacterEffect::SpawnCaption(x, y, EffectHeldCaption, text, White, White, White, delay);
}

void CCharacter::SpawnHealNumber(int amount) { CCharacterEffect::SpawnNumber(x, y, EffectGreenNumber, amount); }

void CCharacter::ShowColouredCaption(const char* text, int red, int green, int blue) {
  CCharacterEffect::SpawnCaption(x, y, EffectCaption, text, red, green, blue, 0);
}

void CCharacter::SpawnCellFire(int damage, CCharacter* owner) {
  CCharacterEffect::SpawnFire(x, y, direction, damage, owner);
}
