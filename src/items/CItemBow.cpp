#include "items/CItemBow.h"

#include <new>

#include "characters/CCharacter.h"

#include "items/ItemFactory.h"
#include "items/ItemHits.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"
#include "platform/Random.h"

namespace {

constexpr TextId PoisonPiece = 63;   // ", %d%% POISON"
constexpr TextId DefencePiece = 64;  // ", DEF %+d"

// Id, name, shot power, unit price, icon cell, description, then the own
// values.
const BowRow BowTable[] = {
    {0x100, 99, 11, 10, 0, 180},
    {0x101, 100, 12, 20, 20, 180},
    {0x102, 101, 13, 40, 40, 180},
    {0x103, 102, 14, 80, 60, 180},
    {0x104, 103, 16, 160, 80, 180},
    {0x105, 104, 18, 320, 100, 180},
    {0x106, 105, 17, 320, 120, 180, 63, {.ShotPoison = 30}},
    {0x107, 106, 19, 640, 140, 180},
    {0x108, 107, 23, 640, 160, 180, 64, {.BaseDefence = -5}},
    {0x109, 108, 14, 640, 320, 20, 122, {.Critical = 50}},
    {0x10A, 109, 22, 640, 340, 60, 124, {.SelfDamage = 10}},
    {0x10B, 110, 17, 640, 480, 60, 125, {.SureHit = true}},
    {0x10C, 111, 12, 640, 460, 60, 126, {.ArrowBreakDivisor = 10}},
    {0x10D, 112, 17, 640, 380, 80, 123, {.Paralyze = 20}},
};

// Id, name, shot power, unit price, icon cell, description, then the own
// values: shot poison chance, self damage.
const ArrowRow ArrowTable[] = {
    {0x200, 113, 11, 2, 20, 160},
    {0x201, 114, 12, 4, 40, 160},
    {0x202, 115, 14, 8, 60, 160},
    {0x203, 116, 17, 16, 80, 160},
    {0x204, 117, 20, 32, 100, 160},
    {0x205, 118, 19, 32, 120, 160, 63, 100},
    {0x206, 119, 21, 96, 140, 160},
    {0x207, 120, 23, 96, 160, 160, 127, 0, 10},
};

using enum StoneStat;
using enum StoneCombine;

// What each stone gives a bow's shots. No poison: bows take none from stones.
constexpr StoneRule BowStones[] = {
    {0xA00, HealOnHit, Sum, 3},
    {0xA01, HealOnHit, Sum, 5},
    {0xA02, PoisonousFoe, Once, 100},
    {0xA03, DoubleAttack, Sum, 20},
    {0xA04, Slow, Once, 20},
    {0xA06, Confusion, Sum, 20},
    {0xA07, Paralyze, Sum, 15},
    {0xA08, Sleep, Once, 30},
    {0xA09, Teleport, Once, 20},
    {0xA0A, Attack, Once, 5},
    {0xA0B, Weakness, Once, 40},
    {0xA0C, FireMagic, Sum, 5},
    {0xA0D, Critical, Sum, 30},
    {0xA0E, ArrowKeep, Keep, 50},
    {0xA0F, SureHit, Once, 1},
    {0xA10, DefenceFromAttack, Once, 1},
    {0xA11, Drain, Once, 30},
    {0xA12, MagicWeapon, Once, 1},
    {0xA13, Critical, Sum, 50},
    {0xA14, SureHit, Once, 1},
    {0xA14, DoubleAttack, Sum, 15},
    {0xA15, ArrowKeep, Keep, 25},
    {0xA16, FireMagic, Sum, 10},
    {0xA17, DoubleAttack, Sum, 30},
    {0xA18, Paralyze, Sum, 25},
    {0xA19, Confusion, Sum, 30},
};
static_assert(OneCombinePerStat(BowStones));

// The description alone, filled with the number its text asks for.
char* WriteShotDescription(const CItem& item, TextId description, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (description == PoisonPiece)
    text.AppendFormat(description, item.GetShotPoisonChance());
  else if (description == DefencePiece)
    text.AppendFormat(description, item.GetBaseDefence());
  else if (description >= 0)
    text.AppendFormat(description);
  return buffer;
}

}  // namespace

const BowRow* FindBowRow(ItemId id) { return FindItemRow(BowTable, id); }
const ArrowRow* FindArrowRow(ItemId id) { return FindItemRow(ArrowTable, id); }

CItem* CreateBow(ItemId id) {
  const BowRow* row = FindBowRow(id);
  return row ? new (std::nothrow) CItemClassBow(*row) : nullptr;
}

CItem* CreateArrow(ItemId id) {
  const ArrowRow* row = FindArrowRow(id);
  return row ? new (std::nothrow) CItemClassArrow(*row) : nullptr;
}

CItemClassBow::CItemClassBow(const BowRow& row) : Row(row) {
  Category = ItemCategoryBow;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseShotPower = row.ShotPower;
  BaseDefence = row.Own.BaseDefence;
  EnchantSlotCount = 1;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

void CItemClassBow::ApplyHit(CCharacter* user, CCharacter* target) { ApplyThrownBowHit(*this, user, target); }

int CItemClassBow::Stones(StoneStat stat) const { return ReadStones(*this, BowStones, stat); }

int CItemClassBow::GetShotPower() const { return GetBaseShotPower() + Stones(Attack); }

// The philosopher's stone turns shot power above 9 into defence, half of
// it, rounded toward zero.
int CItemClassBow::GetDefence() const {
  if (Stones(DefenceFromAttack) == 0) return BaseDefence;
  return BaseDefence + (GetShotPower() - 9) / 2;
}

bool CItemClassBow::IsMagicWeapon() const { return Stones(MagicWeapon) != 0; }
int CItemClassBow::GetShotHealOnHit() const { return Stones(HealOnHit); }
int CItemClassBow::GetShotDrainPercent() const { return Stones(Drain); }
int CItemClassBow::GetShotSlowChance() const { return Stones(Slow); }
int CItemClassBow::GetShotSleepChance() const { return Stones(Sleep); }
int CItemClassBow::GetShotConfusionChance() const { return Stones(Confusion); }
int CItemClassBow::GetShotParalyzeChance() const { return Row.Own.Paralyze + Stones(Paralyze); }
int CItemClassBow::GetShotWeaknessChance() const { return Stones(Weakness); }
int CItemClassBow::GetShotTeleportChance() const { return Stones(Teleport); }
int CItemClassBow::GetShotFireMagicAttack() const { return Stones(FireMagic); }
int CItemClassBow::GetShotCriticalChance() const { return Row.Own.Critical + Stones(Critical); }
bool CItemClassBow::IsShotSureHit() const { return Row.Own.SureHit || Stones(SureHit) != 0; }
int CItemClassBow::GetShotPoisonousFoeDamagePercent() const { return 100 + Stones(PoisonousFoe); }
int CItemClassBow::GetShotDoubleAttackChance() const { return Stones(DoubleAttack); }

int CItemClassBow::GetArrowKeepChance() const {
  const int keep = Stones(ArrowKeep);
  return 100 - (100 - keep) / Row.Own.ArrowBreakDivisor;
}

int CItemClassBow::GetTotalPrice() const { return GetEquipmentPrice(*this); }

CItem* CItemClassBow::Clone() const { return CloneThroughFactory(*this); }

char* CItemClassBow::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemClassBow::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteEquipmentName(*this, buffer, size);
}

char* CItemClassBow::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetDisplayName(buffer, size);
}

char* CItemClassBow::GetStatusText(char* buffer, std::size_t size) const {
  return WriteBowStatus(*this, buffer, size);
}

char* CItemClassBow::GetDescription(char* buffer, std::size_t size) const {
  return WriteShotDescription(*this, Row.Description, buffer, size);
}

CItemClassArrow::CItemClassArrow(const ArrowRow& row) : Row(row) {
  Category = ItemCategoryArrow;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseShotPower = row.ShotPower;
  StackLimit = 999;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

bool CItemClassArrow::RollUnbreakable() const {
  return RandomChance(Thrower ? Thrower->GetArrowKeepChance() : 0);
}

bool CItemClassArrow::RollThrowHit(CCharacter* user, CCharacter* target) { return RollArrowHit(*this, user, target); }
void CItemClassArrow::ApplyHit(CCharacter* user, CCharacter* target) { ApplyArrowHit(user, target); }

CItem* CItemClassArrow::Clone() const { return CloneThroughFactory(*this); }

char* CItemClassArrow::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemClassArrow::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteArrowName(*this, buffer, size);
}

// An arrow always shows its count.
char* CItemClassArrow::GetNameWithCount(char* buffer, std::size_t size) const {
  return WriteNameAndCount(*this, buffer, size);
}

char* CItemClassArrow::GetStatusText(char* buffer, std::size_t size) const {
  return WriteArrowStatus(*this, buffer, size);
}

char* CItemClassArrow::GetDescription(char* buffer, std::size_t size) const {
  return WriteShotDescription(*this, Row.Description, buffer, size);
}
