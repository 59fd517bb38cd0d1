#include "items/CItemWeapon.h"

#include <new>

#include "items/ItemFactory.h"
#include "items/ItemHits.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

template <class Kind>
CItemWeapon* Make(const WeaponRow& row) {
  return new (std::nothrow) Kind(row);
}

// Second pieces of a description that take a number.
constexpr TextId PoisonPiece = 63;        // ", %d%% POISON"
constexpr TextId DefencePiece = 64;       // ", DEF %+d"
constexpr TextId PoisonReturnPiece = 69;  // ", %d%% POISON\nRETURNS AFTER YOU THROW IT.."

// Id, class, name, attack, enchant slots, unit price, icon cell, attack line
// (57-61 by kind, 62 the beast claw, 71 the katana, 72 the kunai) and
// second piece, then the own values.
const WeaponRow WeaponTable[] = {
    {0x000, Make<CItemShortsword>, 0, 12, 2, 20, 0, 200, 57},
    {0x001, Make<CItemShortsword>, 1, 13, 2, 40, 20, 200, 57},
    {0x002, Make<CItemShortsword>, 2, 15, 2, 80, 40, 200, 57},
    {0x003, Make<CItemShortsword>, 3, 17, 2, 160, 60, 200, 57},
    {0x004, Make<CItemShortsword>, 4, 19, 2, 320, 80, 200, 57},
    {0x005, Make<CItemAxe>, 8, 14, 1, 20, 0, 260, 58},
    {0x006, Make<CItemAxe>, 9, 16, 1, 40, 20, 260, 58},
    {0x007, Make<CItemAxe>, 10, 18, 1, 80, 40, 260, 58},
    {0x008, Make<CItemAxe>, 11, 21, 1, 160, 60, 260, 58},
    {0x009, Make<CItemAxe>, 12, 23, 1, 320, 80, 260, 58},
    {0x00A, Make<CItemSpear>, 16, 11, 1, 20, 0, 240, 59},
    {0x00B, Make<CItemSpear>, 17, 12, 1, 40, 20, 240, 59},
    {0x00C, Make<CItemSpear>, 18, 13, 1, 80, 40, 240, 59},
    {0x00D, Make<CItemSpear>, 19, 15, 1, 160, 60, 240, 59},
    {0x00E, Make<CItemSpear>, 20, 17, 1, 320, 80, 240, 59},
    {0x00F, Make<CItemBroadsword>, 24, 13, 1, 30, 0, 220, 60},
    {0x010, Make<CItemBroadsword>, 25, 15, 1, 60, 20, 220, 60},
    {0x011, Make<CItemBroadsword>, 26, 18, 1, 120, 40, 220, 60},
    {0x012, Make<CItemBroadsword>, 27, 21, 1, 240, 60, 220, 60},
    {0x013, Make<CItemBroadsword>, 28, 25, 1, 480, 80, 220, 60},
    {0x014, Make<CItemStaff>, 32, 11, 2, 10, 0, 420, 61},
    {0x015, Make<CItemStaff>, 33, 12, 2, 20, 20, 420, 61},
    {0x016, Make<CItemStaff>, 34, 13, 2, 40, 40, 420, 61},
    {0x017, Make<CItemStaff>, 35, 14, 2, 80, 60, 420, 61},
    {0x018, Make<CItemStaff>, 36, 16, 2, 160, 80, 420, 61},
    {0x019, Make<CItemStaff>, 37, 18, 2, 320, 100, 420, 61},
    {0x01A, Make<CItemShortsword>, 5, 18, 2, 320, 100, 200, 57, 63, {.Poison = Fixed(30)}},
    {0x01B, Make<CItemShortsword>, 6, 20, 2, 640, 120, 200, 57},
    {0x01C, Make<CItemShortsword>, 7, 24, 2, 640, 140, 200, 57, 64, {.BaseDefence = -5}},
    {0x01D, Make<CItemAxe>, 13, 22, 1, 320, 100, 260, 58, 63, {.Poison = Fixed(30)}},
    {0x01E, Make<CItemAxe>, 14, 24, 1, 640, 120, 260, 58},
    {0x01F, Make<CItemAxe>, 15, 28, 1, 640, 140, 260, 58, 64, {.BaseDefence = -5}},
    {0x020, Make<CItemSpear>, 21, 16, 1, 320, 100, 240, 59, 63, {.Poison = Fixed(30)}},
    {0x021, Make<CItemSpear>, 22, 18, 1, 640, 120, 240, 59},
    {0x022, Make<CItemSpear>, 23, 22, 1, 640, 140, 240, 59, 64, {.BaseDefence = -5}},
    {0x023, Make<CItemBroadsword>, 29, 24, 1, 480, 100, 220, 60, 63, {.Poison = Fixed(30)}},
    {0x024, Make<CItemBroadsword>, 30, 26, 1, 960, 120, 220, 60},
    {0x025, Make<CItemBroadsword>, 31, 30, 1, 960, 140, 220, 60, 64, {.BaseDefence = -5}},
    {0x026, Make<CItemStaff>, 38, 17, 2, 320, 120, 420, 61, 63, {.Poison = Fixed(30)}},
    {0x027, Make<CItemStaff>, 39, 19, 2, 640, 140, 420, 61},
    {0x028, Make<CItemStaff>, 40, 23, 2, 640, 160, 420, 61, 64, {.BaseDefence = -5}},
    {0x080, Make<CItemShortsword>, 41, 18, 2, 640, 420, 40, 57, 66, {.DragonSlayer = 200}},
    {0x081, Make<CItemSpear>, 42, 16, 1, 640, 440, 40, 59, 66, {.DragonSlayer = 200}},
    {0x088, Make<CItemShortsword>, 43, 15, 2, 640, 380, 20, 57, 65, {.Critical = Plus(50)}},
    {0x089, Make<CItemSpear>, 44, 13, 1, 640, 400, 20, 59, 65, {.Critical = Plus(50)}},
    {0x090, Make<CItemBeastClaw>, 45, 10, 1, 640, 340, 40, 62, -1, {.DoubleAttack = Fixed(100)}},
    {0x098, Make<CItemSpear>, 46, 21, 1, 640, 300, 60, 59, 67, {.Recoil = 10}},
    {0x099, Make<CItemAxe>, 47, 28, 1, 640, 320, 60, 58, 67, {.Recoil = 10}},
    {0x0A0, Make<CItemStaff>, 49, 15, 2, 640, 420, 20, 61, 70, {.Sleep = Plus(20)}},
    {0x0A8, Make<CItemSpear>, 48, 12, 1, 640, 480, 20, 59, 69, {.Poison = Fixed(30), .Return = 100}},
    {0x0B0, Make<CItemKatanaOfShinobi>, 50, 11, 0, 640, 260, 80, 71, -1, {.DoubleAttack = Plus(100)}},
    {0x0B1, Make<CItemKatanaOfShinobiPlus>, 51, 11, 1, 640, 260, 80, 71, -1, {.DoubleAttack = Plus(100)}},
    {0x0B8, Make<CItemKunai>, 52, 10, 0, 640, 280, 80, 72, -1,
     {.StackLimit = 999, .DoubleAttack = Fixed(100), .Unbreakable = Fixed(100)}},
    {0x0B9, Make<CItemKunaiPlus>, 53, 10, 1, 640, 280, 80, 72, -1,
     {.StackLimit = 999, .DoubleAttack = Fixed(100), .Unbreakable = Fixed(100)}},
    {0x0C0, Make<CItemBroadsword>, 54, 23, 1, 640, 360, 80, 60, 68, {.Paralyze = Plus(20)}},
    {0x0C1, Make<CItemSpear>, 55, 16, 1, 640, 340, 80, 59, 68, {.Paralyze = Plus(20)}},
    {0x0C2, Make<CItemStaff>, 56, 17, 2, 640, 400, 80, 61, 68, {.Paralyze = Plus(20)}},
};

using enum StoneStat;
using enum StoneCombine;

// What each stone gives a melee weapon.
constexpr StoneRule WeaponStones[] = {
    {0xA00, HealOnHit, Sum, 3},
    {0xA01, HealOnHit, Sum, 5},
    {0xA02, PoisonousFoe, Once, 100},
    {0xA03, DoubleAttack, Sum, 20},
    {0xA04, Slow, Once, 20},
    {0xA05, Poison, Sum, 20},
    {0xA06, Confusion, Sum, 20},
    {0xA07, Paralyze, Sum, 15},
    {0xA08, Sleep, Once, 30},
    {0xA09, Teleport, Once, 20},
    {0xA0A, Attack, Once, 5},
    {0xA0B, Weakness, Once, 40},
    {0xA0C, FireMagic, Sum, 5},
    {0xA0D, Critical, Sum, 30},
    {0xA0E, Unbreakable, Once, 100},
    {0xA0F, SureHit, Once, 1},
    {0xA10, DefenceFromAttack, Once, 1},
    {0xA11, Drain, Once, 30},
    {0xA12, MagicWeapon, Once, 1},
    {0xA13, Critical, Sum, 50},
    {0xA14, SureHit, Once, 1},
    {0xA14, DoubleAttack, Sum, 15},
    {0xA15, Poison, Sum, 30},
    {0xA15, Unbreakable, Once, 100},
    {0xA16, FireMagic, Sum, 10},
    {0xA17, DoubleAttack, Sum, 30},
    {0xA18, Paralyze, Sum, 25},
    {0xA19, Confusion, Sum, 30},
};
static_assert(OneCombinePerStat(WeaponStones));

int WithOwn(OwnValue own, int stones) { return own.Fixed ? own.Value : own.Value + stones; }

}  // namespace

const WeaponRow* FindWeaponRow(ItemId id) { return FindItemRow(WeaponTable, id); }

CItem* CreateWeapon(ItemId id) {
  const WeaponRow* row = FindWeaponRow(id);
  return row ? row->Make(*row) : nullptr;
}

CItemWeapon::CItemWeapon(const WeaponRow& row) : Row(row) {
  Category = ItemCategoryWeapon;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseAttack = row.Attack;
  BaseDefence = row.Own.BaseDefence;
  StackLimit = row.Own.StackLimit;
  EnchantSlotCount = row.EnchantSlots;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemWeapon::Clone() const { return CloneThroughFactory(*this); }

char* CItemWeapon::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemWeapon::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteEquipmentName(*this, buffer, size);
}

char* CItemWeapon::GetNameWithCount(char* buffer, std::size_t size) const { return GetDisplayName(buffer, size); }

char* CItemWeapon::GetStatusText(char* buffer, std::size_t size) const {
  return WriteWeaponStatus(*this, buffer, size);
}

// The attack line shows the attack with refinement above 10; a fused stone
// of might does not change the number shown.
char* CItemWeapon::GetDescription(char* buffer, std::size_t size) const {
  ItemTextWriter text(buffer, size);
  text.AppendFormat(Row.Line, GetBaseAttack() - 10);
  const TextId second = Row.Extra;
  if (second == PoisonPiece || second == PoisonReturnPiece)
    text.AppendFormat(second, GetPoisonChance());
  else if (second == DefencePiece)
    text.AppendFormat(second, GetBaseDefence());
  else if (second >= 0)
    text.AppendFormat(second);
  return buffer;
}

int CItemWeapon::Stones(StoneStat stat) const { return ReadStones(*this, WeaponStones, stat); }

int CItemWeapon::GetAttack() const { return GetBaseAttack() + Stones(Attack); }

// The philosopher's stone turns attack above 9 into defence, half of it,
// rounded toward zero (an attack of 7 costs 1).
int CItemWeapon::GetDefence() const {
  if (Stones(DefenceFromAttack) == 0) return BaseDefence;
  return BaseDefence + (GetAttack() - 9) / 2;
}

bool CItemWeapon::IsMagicWeapon() const { return Stones(MagicWeapon) != 0; }
int CItemWeapon::GetHealOnHit() const { return Stones(HealOnHit); }
int CItemWeapon::GetDrainPercent() const { return Stones(Drain); }
int CItemWeapon::GetSlowChance() const { return Stones(Slow); }
int CItemWeapon::GetSleepChance() const { return WithOwn(Row.Own.Sleep, Stones(Sleep)); }
int CItemWeapon::GetConfusionChance() const { return Stones(Confusion); }
int CItemWeapon::GetPoisonChance() const { return WithOwn(Row.Own.Poison, Stones(Poison)); }
int CItemWeapon::GetParalyzeChance() const { return WithOwn(Row.Own.Paralyze, Stones(Paralyze)); }
int CItemWeapon::GetWeaknessChance() const { return Stones(Weakness); }
int CItemWeapon::GetTeleportChance() const { return Stones(Teleport); }
int CItemWeapon::GetFireMagicAttack() const { return Stones(FireMagic); }
int CItemWeapon::GetCriticalChance() const { return WithOwn(Row.Own.Critical, Stones(Critical)); }
bool CItemWeapon::IsSureHit() const { return Stones(SureHit) != 0; }
int CItemWeapon::GetPoisonousFoeDamagePercent() const { return 100 + Stones(PoisonousFoe); }
int CItemWeapon::GetDoubleAttackChance() const { return WithOwn(Row.Own.DoubleAttack, Stones(DoubleAttack)); }
int CItemWeapon::GetUnbreakableChance() const { return WithOwn(Row.Own.Unbreakable, Stones(Unbreakable)); }
int CItemWeapon::GetTotalPrice() const { return GetEquipmentPrice(*this); }

bool CItemWeapon::RollThrowHit(CCharacter* user, CCharacter* target) { return RollThrownWeaponHit(*this, user, target); }
void CItemWeapon::ApplyHit(CCharacter* user, CCharacter* target) { ApplyThrownWeaponHit(*this, user, target); }
