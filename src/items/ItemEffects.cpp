#include "items/ItemEffects.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/ItemText.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "ui/CGameInputMain.h"

namespace {

int ToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

CCharacterPlayer* ItemUser() { return GetGameMain()->Player; }

void BracketTurn() {
  GetStateController()->Hold();
  GetStateController()->Release();
}

void PlayItemSound(SoundEffectId id) {
  if (id != NoSound) GetSoundManager()->PlaySe(id);
}

void FlashItem(const ItemFlash& flash) {
  GetScreenEffect()->StartFlash(flash.Red, flash.Green, flash.Blue, flash.Peak, flash.Peak, 0, 5);
}

bool IsHittable(const CCharacter* character) { return IsLivingParticipant(character); }

int HealBy(CCharacter& target, int amount) {
  const std::int64_t room = std::int64_t{target.GetMaxHP()} - target.hp;
  const int heal = ToInt(std::max<std::int64_t>(std::min<std::int64_t>(amount, room), 0));
  target.hp += heal;
  return heal;
}

void HealAndShow(CCharacter& target, int amount) { target.SpawnHealNumber(HealBy(target, amount)); }

void ShowTextPopup(CCharacter& character, TextId id, int delay) {
  character.ShowPopupDelayed(GetCurrentLanguageText(id), delay);
}

void CurseToDeath(CCharacter& user, CCharacter& target) {
  target.lastAttacker = &user;
  target.InflictDeath();
}

void Feed(CCharacter& eater, int amount) {
  eater.satiety = ToInt(std::min<std::int64_t>(std::int64_t{eater.satiety} + amount, FullSatiety));
}

void SetFireOn(const CCharacter& target, int damage, CCharacter* caster) {
  CCharacterEffect::SpawnFire(target.GetX(), target.GetY(), target.GetDirection(), damage, caster);
}

int RollSpellFire(const CCharacter& caster, int levelTerm) {
  const std::int64_t base = std::int64_t{caster.GetMagicPower()} * levelTerm / 10;
  const std::int64_t spread = Random() % 61 + 70;
  return ToInt(std::max<std::int64_t>(spread * base / 100, 0));
}

void ShowItemMessage(TextId id, const CItem& item) {
  char name[ItemTextSize] = {};
  item.GetDisplayName(name, sizeof name);
  char line[2 * ItemTextSize];
  WriteFilledItemText(id, name, line, sizeof line);
  GetGameInputMain()->ShowMessage(line);
}

bool HoldsItem(const CCharacter& holder, const CItem* item) {
  if (!item) return false;
  for (int place = 0; place < holder.GetInventoryCapacity(); ++place)
    if (holder.GetItem(place) == item) return true;
  return holder.GetItem(-1) == item;
}

bool TakeOnePiece(CCharacter& holder, CItem* item) {
  if (item->GetCount() > 1) {
    item->SetCount(item->GetCount() - 1);
    return false;
  }
  holder.RemoveItem(item);
  return !HoldsItem(holder, item);
}

SpellTargets FindSpellTargets(const CCharacter& player, bool inSightOnly) {
  SpellTargets targets;
  const CStageData* stage = GetGameMain()->CurrentStage;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    if (targets.Count == MaxSpellTargets) break;
    if (c == &player || !c->alive || c->hp <= 0 || c->IsMiningPoint() || !c->IsMagicTarget()) continue;
    if (inSightOnly && (!stage || !stage->HasLineOfSight(player.GetX(), player.GetY(), c->GetX(), c->GetY())))
      continue;
    targets.List[targets.Count++] = c;
  }
  return targets;
}
