// The Mimic and the Treant: lying in disguise until their animation
// changes, and as strong as the floor is deep.
#include <algorithm>
#include <cstdint>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "monsters/MonstersGorgonToAlchemist.h"

namespace {

constexpr AnimationEntry DisguisePose = 14;
// The rows every level of theirs is counted from.
constexpr CharacterType MimicRow = 361, TreantRow = 364;
constexpr int MinLevel = 1, MaxLevel = 99;

// The current floor's number as a level.
int FloorLevel() {
  const std::int64_t floor = GetGameMain()->Settings.Block.FloorNumber;
  return static_cast<int>(std::clamp<std::int64_t>(floor, MinLevel, MaxLevel));
}

// What both disguised kinds do alike, on either.

void FaceDownWhileDisguised(CCharacterEnemy& monster) {
  if (monster.IsDisguise()) monster.direction = DirectionDown;
}

// Unseen by telepathy a disguise shows on the map as an object.
bool DrawDisguised(CCharacterEnemy& monster, int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  const CCharacter* player = GetGameMain()->Player;
  if (monster.IsDisguise() && !(player && player->HasTelepathy()))
    return monster.DrawObjectMapMarker(screenX, screenY, scaleX, scaleY, markerAlpha);
  return monster.DrawEnemyMapMarker(screenX, screenY, scaleX, scaleY, markerAlpha);
}

// Any entry but the disguise pose ends the disguise for good.
void UnmaskFor(CCharacterEnemy& monster, AnimationEntry entry) {
  if (entry != DisguisePose) monster.ClearDisguise();
}

// Every level is counted afresh from the level-30 row, at full HP.
void SetLevelFromRow(CCharacterEnemy& monster, CharacterType rowType, int value) {
  if (const MonsterClassRow* row = FindMonsterClass(rowType)) {
    monster.level = row->Level;
    monster.exp = row->Exp;
    monster.hp = row->Hp;
    monster.maxHp = row->MaxHp;
    monster.attack = row->Attack;
    monster.defence = row->Defence;
  }
  monster.CCharacterEnemy::SetLevel(value);
}

// Made lying in its pose (its row gives the disguise), then rescaled from
// its row's level to the floor's.
void LieInDisguise(CCharacterEnemy& monster) {
  monster.animEntry = DisguisePose;
  monster.CCharacterEnemy::SetLevel(FloorLevel());
}

}  // namespace

// ---- Mimic

void CCharacterMimic::TickAnimation() {
  FaceDownWhileDisguised(*this);
  CCharacterEnemy::TickAnimation();
}

bool CCharacterMimic::DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  return DrawDisguised(*this, screenX, screenY, scaleX, scaleY, markerAlpha);
}

void CCharacterMimic::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  UnmaskFor(*this, entry);
  CCharacterEnemy::SetAnimation(entry);
}

void CCharacterMimic::SetLevel(int value) { SetLevelFromRow(*this, MimicRow, value); }

CCharacterMimic1::CCharacterMimic1() : CCharacterMimic(MimicRow) { LieInDisguise(*this); }

// ---- Treant

void CCharacterTreant::TickAnimation() {
  FaceDownWhileDisguised(*this);
  CCharacterEnemy::TickAnimation();
}

bool CCharacterTreant::DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  return DrawDisguised(*this, screenX, screenY, scaleX, scaleY, markerAlpha);
}

void CCharacterTreant::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  UnmaskFor(*this, entry);
  CCharacterEnemy::SetAnimation(entry);
}

void CCharacterTreant::SetLevel(int value) { SetLevelFromRow(*this, TreantRow, value); }

CCharacterTreant1::CCharacterTreant1() : CCharacterTreant(TreantRow) { LieInDisguise(*this); }
