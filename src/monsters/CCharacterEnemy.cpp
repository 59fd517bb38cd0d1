// What every monster is beside its turn: built from its rows, its family's
// constants, its battle-log lines, its fading, its death drop and its
// sprite sheets.
#include "monsters/CCharacterEnemy.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/CGameMain.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "items/ItemFactory.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr int TableSize = 100;
// No family fills an entry beyond this.
constexpr int MaxTableSize = 512;
constexpr AnimationEntry SummonedFirst = 90;
constexpr int FadeInStep = 24;
constexpr int CastChance = 50;

bool InRange(AnimationEntry entry, AnimationEntry first) { return entry >= first && entry <= first + 9; }

}  // namespace

// ---- Construction

CCharacterEnemy::CCharacterEnemy(CharacterType classType) {
  type = classType;
  spareFlag = 1;
  if (const MonsterClassRow* row = FindMonsterClass(classType)) BuildFromRow(*row);
}

void CCharacterEnemy::BuildFromRow(const MonsterClassRow& row) {
  level = row.Level;
  exp = row.Exp;
  hp = row.Hp;
  maxHp = row.MaxHp;
  attack = row.Attack;
  defence = row.Defence;
  intelligence = row.Magic;
  strength = row.SecondAttack;
  alpha = row.Alpha;
  if (row.PermanentStatus >= 0 && row.PermanentStatus < StatusKindCount) status[row.PermanentStatus] = -1;
  animEntry = AnimationIdle;
  meleeHitEntries[0] = row.StrikeEntry;
  shotEntries[0] = row.ShotEntry;

  const MonsterAnimation* table = row.Animation;
  if (!table) return;
  int size = TableSize;
  for (int i = 0; i < table->Count; ++i)
    if (table->Frames[i].Entry < MaxTableSize) size = std::max(size, table->Frames[i].Entry + 1);
  frames.assign(static_cast<std::size_t>(size), AnimationFrame{});
  auto write = [&](const MonsterFrameRow& f) {
    AnimationFrame& out = frames[static_cast<std::size_t>(f.Entry)];
    out.centreX = f.SheetX;
    out.centreY = f.SheetY >= 0 ? f.SheetY : table->RowY;
    out.left = out.top = -f.Box;
    out.right = out.bottom = f.Box - 1;
    out.next = f.Next;
    out.duration = f.Ticks;
    out.texture = static_cast<std::uint16_t>(f.Picture >= 0 ? f.Picture : row.Picture);
  };
  bool filled[MaxTableSize] = {};
  for (int i = 0; i < table->Count; ++i) {
    const MonsterFrameRow& f = table->Frames[i];
    if (f.Entry < 0 || f.Entry >= MaxTableSize) continue;
    write(f);
    filled[f.Entry] = true;
  }
  // What the class leaves unset shows its standing frame; in the summoned
  // range the frame holds, so that a fade-in always ends in entry 10.
  const AnimationFrame idle = frames[AnimationIdle];
  for (int entry = 1; entry < size; ++entry) {
    if (filled[entry]) continue;
    frames[static_cast<std::size_t>(entry)] = idle;
    if (InRange(entry, SummonedFirst)) frames[static_cast<std::size_t>(entry)].next = -1;
  }
  AnimationFrame& gone = frames[AnimationGone];
  gone = idle;
  gone.left = gone.top = -20;
  gone.right = gone.bottom = 19;
  gone.next = AnimationGone;
  gone.duration = 1;
  gone.texture = 0;
}

// ---- The family's constants

int CCharacterEnemy::OnHitChance(StatusKind kind) const {
  const MonsterFamilyRow* family = Family();
  const int grade = GetGrade();
  if (!family || grade == 0) return 0;
  for (const OnHitRow& row : family->OnHit)
    if (row.Kind == static_cast<int>(kind)) return row.Chance[grade - 1];
  return 0;
}

bool CCharacterEnemy::IsPoisonous() const {
  const MonsterFamilyRow* family = Family();
  return family && (family->PoisonousGrades >> (GetGrade() - 1) & 1);
}

bool CCharacterEnemy::IsDragon() const { return Family() && Family()->Dragon; }

bool CCharacterEnemy::IsDoubleAttack() const {
  return (Family() && Family()->AlwaysDoubleAttack) || CCharacter::IsDoubleAttack();
}

int CCharacterEnemy::GetFireDamageCut() const { return Family() ? Family()->FireDamageCut : 0; }

int CCharacterEnemy::GetStatusResistance() const {
  const MonsterFamilyRow* family = Family();
  return family && family->StatusResistance >= 0 ? family->StatusResistance : CCharacter::GetStatusResistance();
}

int CCharacterEnemy::GetDeathResistance() const { return Family() ? Family()->DeathResistance : 0; }

int CCharacterEnemy::GetGuardChance() const { return Family() ? Family()->GuardChance : 0; }

int CCharacterEnemy::GetCriticalChance() const {
  const MonsterFamilyRow* family = Family();
  return family && family->CriticalChance >= 0 ? family->CriticalChance : CCharacter::GetCriticalChance();
}

int CCharacterEnemy::GetCounterDamagePercent() const {
  const MonsterFamilyRow* family = Family();
  return family && family->CounterDamagePercent >= 0 ? family->CounterDamagePercent
                                                     : CCharacter::GetCounterDamagePercent();
}

int CCharacterEnemy::RollOnHitParalyze() const {
  const MonsterFamilyRow* family = Family();
  if (!family || !family->SparesParalyzedPlayer) return CCharacter::RollOnHitParalyze();
  // The draw first, whatever the player's state.
  const bool hit = RandomChance(GetOnHitParalyzeChance());
  const CCharacter* player = GetGameMain()->Player;
  return hit && !(player && player->IsParalyze()) ? 2 : 0;
}

int CCharacterEnemy::RollOnHitWeakness() const {
  const MonsterFamilyRow* family = Family();
  if (!family || !family->LongWeakness) return CCharacter::RollOnHitWeakness();
  if (!RandomChance(GetOnHitWeaknessChance())) return 0;
  return 10 + Random() % 5;
}

int CCharacterEnemy::RollCounterParalyze() const {
  const MonsterFamilyRow* family = Family();
  const int grade = GetGrade();
  if (family && grade > 0 && family->CounterParalyzeTurns[grade - 1] > 0)
    return family->CounterParalyzeTurns[grade - 1];
  return CCharacter::RollCounterParalyze();
}

int CCharacterEnemy::GetRandomMoveChance() const { return Family() ? Family()->RandomMoveChance : 0; }

bool CCharacterEnemy::RollRandomMove() {
  const int chance = GetRandomMoveChance();
  return Random() % 100 < chance;
}

bool CCharacterEnemy::HoldsStillNearPlayer() const {
  return Family() && Family()->HoldsStillUnhurt && hp == GetMaxHP();
}

CharacterType CCharacterEnemy::GetSummonType() const {
  const int grade = GetGrade();
  return Family() && grade > 0 ? Family()->SummonType[grade - 1] : -1;
}

int CCharacterEnemy::CalcMagicDamage() const {
  const int damage = static_cast<int>((800 + Random() % 401) * static_cast<long long>(intelligence) / 1000);
  return IsWeakness() ? damage / 2 : damage;
}

// ---- Casting

bool CCharacterEnemy::WantsToCast() {
  if (PlayerInLineOfFire() && RandomChance(CastChance)) return true;
  return CanAttackPlayer();
}

void CCharacterEnemy::LaunchCast(AnimationEntry flight) {
  // The flight starts on its own cell: counted from one cell ahead, the
  // effect would never look at that cell, and a player next to it would be
  // flown past.
  CCharacterEffect::SpawnMissile(this, flight, nullptr, -1, 0);
}

CCharacter* CCharacterEnemy::FindCastTarget() const {
  const CStageData* stage = GetGameMain()->CurrentStage;
  const int dx = GetFacingDx(), dy = GetFacingDy();
  if (!stage || (dx == 0 && dy == 0)) return nullptr;
  for (int k = 1;; ++k) {
    const int cellX = x + k * dx, cellY = y + k * dy;
    if (stage->IsWall(cellX, cellY) || stage->IsOutOfMap(cellX, cellY)) return nullptr;
    CCharacter* standing = stage->GetCharacterAt(cellX, cellY);
    if (IsLivingParticipant(standing)) return standing;
  }
}

CCharacter* CCharacterEnemy::CharacterInFront() const {
  const CStageData* stage = GetGameMain()->CurrentStage;
  CCharacter* front = stage ? stage->GetCharacterAt(x + GetFacingDx(), y + GetFacingDy()) : nullptr;
  return front != this ? front : nullptr;
}

bool CCharacterEnemy::EndsSpecial(AnimationEntry entry) const {
  return InRange(animEntry, AnimationThrow) && !InRange(entry, AnimationThrow);
}

ItemId CCharacterEnemy::RollDropItem() {
  const MonsterFamilyRow* family = Family();
  const int grade = GetGrade();
  if (!family || grade == 0 || !family->Drops[grade - 1]) return NoItem;
  for (const DropRoll* roll = family->Drops[grade - 1]; roll->Item != NoItem; ++roll)
    if (roll->Percent == DropAlways || RandomChance(roll->Percent)) return roll->Item;
  return NoItem;
}

// ---- Sheets

void CCharacterEnemy::LoadGraphics() {
  const MonsterFamilyRow* family = Family();
  const int grade = GetGrade();
  if (!family || grade == 0) return;
  for (PictureId id : {family->Sheets[grade - 1], family->ExtraSheets[grade - 1]})
    if (const PictureRow* row = GetPictureRow(id))
      LoadTexture(id, static_cast<std::uint16_t>(row->ResourceId));
}

void CCharacterEnemy::ReleaseGraphics() {
  const MonsterFamilyRow* family = Family();
  const int grade = GetGrade();
  if (!family || grade == 0) return;
  for (PictureId id : {family->Sheets[grade - 1], family->ExtraSheets[grade - 1]})
    if (GetPictureRow(id)) ReleaseTexture(id);
}

// ---- Animation: sounds, fading and the death drop

void CCharacterEnemy::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  if (const MonsterFamilyRow* family = Family())
    for (const SoundCue& cue : family->Sounds)
      if (cue.Entry == entry && cue.Sound >= 0) GetSoundManager()->PlaySe(cue.Sound);
  if (InRange(animEntry, AnimationDying) && !InRange(entry, AnimationDying)) DropDeathItem();
  CCharacter::SetAnimation(entry);
}

void CCharacterEnemy::DropDeathItem() {
  const ItemId kind = RollDropItem();
  if (kind < 0) return;
  CItem* item = CreateItem(kind);
  if (!item) return;
  CStageData* stage = GetGameMain()->CurrentStage;
  if (!stage || !stage->DropItemNearForced(x, y, item)) {
    delete item;
    return;
  }
  // Hidden until its hop from the monster's cell has landed; shown at once
  // when there is no hop.
  item->SetRevealed(false);
  if (!CCharacterEffect::SpawnDroppedItem(item, x, y)) item->SetRevealed(true);
}

void CCharacterEnemy::TickAnimation() {
  CCharacter::TickAnimation();
  if (InRange(animEntry, AnimationDying)) {
    const AnimationFrame* frame = GetCurrentFrame();
    const int d = frame ? frame->duration : 0;
    // A dying entry without time is already gone.
    alpha = d > 0 ? std::clamp((d - animTick) * 255 / d, 0, 255) : 0;
  } else if (InRange(animEntry, SummonedFirst)) {
    alpha += FadeInStep;
    if (alpha >= 255) {
      alpha = 255;
      SetAnimation(AnimationIdle);
    }
  }
}

bool CCharacterEnemy::DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  return DrawEnemyMapMarker(screenX, screenY, scaleX, scaleY, markerAlpha);
}

// ---- Statuses

void CCharacterEnemy::InflictPoison(int) { CCharacter::InflictPoison(-1); }

// ---- The battle log

namespace {

enum class Window { Show, Add };

// The text of the hook with the monster's name (and a number) in it.
void PostLine(const CCharacter& who, TextId id, Window window, int number = 0) {
  const char* text = GetCurrentLanguageText(id);
  char line[256];
  if (std::strchr(text, '%')) {
    char name[128] = {};
    who.GetName(name, sizeof name);
    std::snprintf(line, sizeof line, text, name, number);
  } else {
    std::snprintf(line, sizeof line, "%s", text);
  }
  CGameInputMain* screen = GetGameInputMain();
  if (window == Window::Show)
    screen->ShowMessage(line);
  else
    screen->AddMessage(line);
}

}  // namespace

void CCharacterEnemy::ShowNamedLine(TextId id) const { PostLine(*this, id, Window::Show); }
void CCharacterEnemy::AddNamedLine(TextId id) const { PostLine(*this, id, Window::Add); }

void CCharacterEnemy::OnAttack() { PostLine(*this, 622, Window::Show); }
void CCharacterEnemy::OnShoot() { PostLine(*this, 625, Window::Show); }
void CCharacterEnemy::OnDamaged(int damage) { PostLine(*this, 621, Window::Add, damage); }
void CCharacterEnemy::OnParry() { PostLine(*this, 662, Window::Add); }
void CCharacterEnemy::OnCritical() { PostLine(*this, 627, Window::Add); }
void CCharacterEnemy::OnMiss() { PostLine(*this, 632, Window::Add); }
void CCharacterEnemy::OnDefeated() { PostLine(*this, 629, Window::Add); }
void CCharacterEnemy::OnResist() { PostLine(*this, 671, Window::Add); }
void CCharacterEnemy::OnResistDeath() { PostLine(*this, 699, Window::Add); }
void CCharacterEnemy::OnQuick() { PostLine(*this, 673, Window::Add); }
void CCharacterEnemy::OnSlow() { PostLine(*this, 675, Window::Add); }
void CCharacterEnemy::OnSleep() { PostLine(*this, 677, Window::Add); }
void CCharacterEnemy::OnConfuse() { PostLine(*this, 679, Window::Add); }
void CCharacterEnemy::OnPoison() { PostLine(*this, 681, Window::Add); }
void CCharacterEnemy::OnParalyze() { PostLine(*this, 683, Window::Add); }
void CCharacterEnemy::OnWeaken() { PostLine(*this, 687, Window::Add); }
void CCharacterEnemy::OnCure() { PostLine(*this, 707, Window::Show); }
void CCharacterEnemy::OnEffectEnd() { PostLine(*this, 709, Window::Show); }

// ---- Rotation

Direction RotateDirection(Direction direction, int steps) {
  static constexpr Direction Ring[8] = {DirectionUpLeft,   DirectionUp,   DirectionUpRight, DirectionRight,
                                        DirectionDownRight, DirectionDown, DirectionDownLeft, DirectionLeft};
  const Direction* at = std::find(std::begin(Ring), std::end(Ring), direction);
  const int index = at == std::end(Ring) ? 0 : static_cast<int>(at - Ring);
  const int turned = ((index + steps % 8) % 8 + 8) % 8;
  return Ring[turned];
}
