#include "items/CItemTrap.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "items/ItemEffects.h"

#include "items/ItemFactory.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"
#include "platform/Random.h"

namespace {

constexpr CharacterType NeedleDeath = 403;
constexpr int MarkerColumn = 399;  // of the map-marker cells

// 15 % of the maximum HP, with no guard, defence or resistance, from nobody.
void Prick(CCharacter& victim) {
  const int damage = static_cast<int>(std::max<std::int64_t>(std::int64_t{victim.GetMaxHP()} * 15 / 100, 0));
  victim.hp = static_cast<int>(std::max<std::int64_t>(std::int64_t{victim.hp} - damage, INT_MIN));
  victim.lastAttacker = nullptr;
  victim.SpawnEffect(damage);
  victim.OnDamaged(damage);
  if (victim.hp > 0) {
    victim.SetAnimation(AnimationHurt);
    return;
  }
  // Named before the fall: a death that ends the run ranks it at once.
  victim.hp = 0;
  victim.lastAttacker = nullptr;
  victim.causeOfDeath = NeedleDeath;
  victim.SetAnimation(AnimationDying);
}

void Sleep(CCharacter& victim) { victim.InflictSleepRandom(); }
void Paralyze(CCharacter& victim) { victim.InflictParalyze(3 + Random() % 3); }
void Poison(CCharacter& victim) { victim.InflictPoisonRandom(); }
void Confuse(CCharacter& victim) { victim.InflictConfuseRandom(); }
void Slow(CCharacter& victim) { victim.InflictSlowRandom(); }
void Teleport(CCharacter& victim) { victim.TeleportRandom(); }

// Id, name, description, laid entry, sound, strike. Every trap's
// description is empty in both languages. The land mine is named, shown and
// rolled for like the others, and then does nothing.
const TrapRow TrapTable[] = {
    {0xC00, 544, 552, 194, NoSound, &Prick},
    {0xC01, 545, 553, 204, 29, &Sleep},
    {0xC02, 546, 554, 214, 24, &Paralyze},
    {0xC03, 547, 555, 224, 25, &Poison},
    {0xC04, 548, 556, 234, 11, &Confuse},
    {0xC05, 549, 557, 244, 31, &Slow},
    {0xC06, 550, 558, 254, 32, &Teleport},
    {0xC07, 551, 559, 264, NoSound, nullptr},
};

}  // namespace

const TrapRow* FindTrapRow(ItemId id) { return FindItemRow(TrapTable, id); }

CItem* CreateTrap(ItemId id) {
  const TrapRow* row = FindTrapRow(id);
  return row ? new (std::nothrow) CItemTrap(*row) : nullptr;
}

// The traps lie side by side in one row of the item sheet.
CItemTrap::CItemTrap(const TrapRow& row) : Row(row) {
  Category = ItemCategoryTrap;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  Revealed = 0;
  SetCellFrames(ItemSheetPicture, 20 * (row.Id - 0xC00), 400);
}

CItem* CItemTrap::Clone() const { return CloneThroughFactory(*this); }

char* CItemTrap::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemTrap::GetNameWithCount(char* buffer, std::size_t size) const { return GetName(buffer, size); }

char* CItemTrap::GetStatusText(char* buffer, std::size_t size) const { return GetDescription(buffer, size); }

char* CItemTrap::GetDescription(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Description, buffer, size);
}

bool CItemTrap::DrawMapMarker(int x, int y, float scaleX, float scaleY, int alpha) const {
  return DrawMarkerCell(MarkerColumn, false, x, y, scaleX, scaleY, alpha);
}

void CItemTrap::Use() {
  CCharacterPlayer* player = ItemUser();
  if (player && RollThrowHit(player, player)) ApplyHit(player, player);
}

bool CItemTrap::RollThrowHit(CCharacter*, CCharacter* target) {
  if (!target) return false;
  if (!RandomChance(target->GetTrapAvoidChance())) return true;
  target->ShowMissEffect();
  target->OnAvoidTrap(Id);
  BracketTurn();
  return false;
}

void CItemTrap::ApplyHit(CCharacter*, CCharacter* target) {
  if (!target) return;
  PlayItemSound(Row.Sound);
  if (Row.Strike) Row.Strike(*target);
}

void CItemTrap::LayTrap() { CCharacterEffect::SpawnItemBurst(X, Y, Row.LaidEntry, this); }
