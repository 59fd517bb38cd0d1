#include "items/CItemWand.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"
#include "platform/Random.h"

namespace {

constexpr std::int32_t WandCharges = 5;
constexpr TextId UsedText = 656;  // "YOU USED %s!"
constexpr AnimationEntry ZapPose = 50;
constexpr SoundEffectId BoltSound = 50;
constexpr int FullHeal = 65535;

// ---- Effects

void Heal(const WandRow& row, CCharacter&, CCharacter& target) { HealAndShow(target, row.Amount); }

void Clear(const WandRow&, CCharacter&, CCharacter& target) {
  target.CureBadStatuses();
  ShowTextPopup(target, 583);  // "CLEAR!"
}

void Quicken(const WandRow& row, CCharacter&, CCharacter& target) { target.InflictQuick(row.Amount); }
void Slow(const WandRow& row, CCharacter&, CCharacter& target) { target.InflictSlow(row.Amount); }
void Confuse(const WandRow&, CCharacter&, CCharacter& target) { target.InflictConfuse(15 + Random() % 6); }
void Paralyze(const WandRow&, CCharacter&, CCharacter& target) { target.InflictParalyze(3 + Random() % 3); }
void Sleep(const WandRow&, CCharacter&, CCharacter& target) { target.InflictSleepRandom(); }
void Teleport(const WandRow&, CCharacter&, CCharacter& target) { target.TeleportRandom(); }

void GrantExp(const WandRow& row, CCharacter&, CCharacter& target) {
  ShowTextPopup(target, 598);  // "GAIN EXP!"
  target.GainExp(row.Amount);
}

void Weaken(const WandRow&, CCharacter&, CCharacter& target) { target.InflictWeaknessRandom(); }

void Burn(const WandRow&, CCharacter& user, CCharacter& target) {
  SetFireOn(target, RollSpellFire(user, 3 * user.level / 2 + 30), &user);
}

void Strengthen(const WandRow& row, CCharacter&, CCharacter& target) {
  target.InflictStrUp(row.Amount);
  ShowTextPopup(target, 590);  // "STR UP!"
}
void Harden(const WandRow& row, CCharacter&, CCharacter& target) {
  target.InflictDefUp(row.Amount);
  ShowTextPopup(target, 591);  // "DEF UP!"
}
void Sharpen(const WandRow& row, CCharacter&, CCharacter& target) {
  target.InflictDexUp(row.Amount);
  ShowTextPopup(target, 592);  // "DEX UP!"
}
void Enlighten(const WandRow& row, CCharacter&, CCharacter& target) { target.InflictIntUp(row.Amount); }
void Shield(const WandRow& row, CCharacter&, CCharacter& target) { target.InflictInvincible(row.Amount); }
void Kill(const WandRow&, CCharacter& user, CCharacter& target) { CurseToDeath(user, target); }

constexpr ItemFlash Pink = {255, 128, 128}, Green = {128, 255, 128}, Sky = {160, 208, 255}, Dusk = {48, 96, 144},
                    Yellow = {255, 255, 0}, Orange = {255, 128, 0}, Teal = {0, 160, 160}, Cyan = {0, 255, 255},
                    White = {255, 255, 255}, Purple = {128, 0, 128}, Red = {255, 0, 0}, Gold = {255, 255, 128};
constexpr ItemFlash DarkRed = {96, 0, 48, 192};

// Id, name, description, helpful, unit price, sound, effect, amount,
// flash, holds the turn. 0xB0A is shown as the wand of weakness; from 0xB0B
// the texts run fire, then invincible, death, intelligence apart from the
// ids. Death alone leaves the turn to its curse.
const WandRow WandTable[] = {
    {0xB00, 495, 513, true, 20, 6, &Heal, 80, Pink},
    {0xB01, 496, 514, true, 40, 6, &Heal, FullHeal, Pink},
    {0xB02, 497, 515, true, 20, 9, &Clear, 0, Green},
    {0xB03, 498, 516, true, 20, 5, &Quicken, 10, Sky},
    {0xB04, 499, 517, false, 20, 31, &Slow, 15, Dusk},
    {0xB05, 500, 518, false, 20, 11, &Confuse, 0, Yellow},
    {0xB06, 501, 519, false, 20, 24, &Paralyze, 0, Orange},
    {0xB07, 502, 520, false, 20, 29, &Sleep, 0, Teal},
    {0xB08, 503, 521, false, 20, 32, &Teleport, 0, Cyan},
    {0xB09, 504, 522, true, 100, 9, &GrantExp, 50, White},
    {0xB0A, 505, 523, false, 20, 41, &Weaken, 0, Purple},
    {0xB0B, 510, 528, false, 20, NoSound, &Burn, 0, Red},
    {0xB0C, 506, 524, true, 100, 26, &Strengthen, 100, White},
    {0xB0D, 507, 525, true, 100, 26, &Harden, 100, White},
    {0xB0E, 508, 526, true, 100, 26, &Sharpen, 100, White},
    {0xB0F, 511, 529, true, 500, 51, &Shield, 30, Gold},
    {0xB10, 512, 530, false, 500, NoSound, &Kill, 0, DarkRed, false},
    {0xB11, 509, 527, true, 100, 26, &Enlighten, 100, White},
};

}  // namespace

const WandRow* FindWandRow(ItemId id) { return FindItemRow(WandTable, id); }

CItem* CreateWand(ItemId id) {
  const WandRow* row = FindWandRow(id);
  return row ? new (std::nothrow) CItemWand(*row) : nullptr;
}

// The wands lie side by side in one row of the item sheet.
CItemWand::CItemWand(const WandRow& row) : Row(row) {
  Category = ItemCategoryWand;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  ChargeCapacity = WandCharges;
  SetCellFrames(ItemSheetPicture, 20 * (row.Id - 0xB00), 140);
}

CItem* CItemWand::Clone() const { return CloneThroughFactory(*this); }

char* CItemWand::GetName(char* buffer, std::size_t size) const { return WriteItemText(Row.Name, buffer, size); }

char* CItemWand::GetDisplayName(char* buffer, std::size_t size) const { return WriteWandName(*this, buffer, size); }

char* CItemWand::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemWand::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemWand::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}

void CItemWand::Use() {
  CCharacterPlayer* player = ItemUser();
  if (!player) return;
  SetIdentifyState(IdentifyStateKnown);
  // The charges shown are those before this zap.
  ShowItemMessage(UsedText, *this);
  player->SetAnimation(ZapPose);
  BracketTurn();
}

void CItemWand::UseMagic() {
  CCharacterPlayer* player = ItemUser();
  if (player && GetChargesLeft() > 0) {
    if (IsBeneficial()) {
      ApplyHit(player, player);
    } else {
      PlayItemSound(BoltSound);
      // Facing nowhere, the bolt flies down.
      if (player->GetFacingDx() == 0 && player->GetFacingDy() == 0) player->SetDirection(DirectionDown);
      // The bolt keeps this wand for its arrival.
      if (CCharacterEffect* bolt = CCharacterEffect::SpawnMissile(player, EffectWandBolt, nullptr, -1, 0))
        bolt->LinkItem(this);
    }
    ++ChargesUsed;
  }
  BracketTurn();
}

void CItemWand::ApplyHit(CCharacter* user, CCharacter* target) {
  if (!user || !target) return;
  PlayItemSound(Row.Sound);
  Row.Effect(Row, *user, *target);
  FlashItem(Row.Flash);
  if (Row.Brackets) BracketTurn();
}

int CItemWand::GetTotalPrice() const {
  const std::int64_t left = std::max(GetChargesLeft(), 0);
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{GetUnitPrice()} * (left + 10) / 10, INT_MAX));
}
