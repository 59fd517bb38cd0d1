#include "items/CItemProtector.h"

#include <algorithm>
#include <initializer_list>
#include <new>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/ItemFactory.h"
#include "items/ItemHits.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"

namespace {

template <class Kind>
CItemProtector* Make(const ProtectorRow& row) {
  return new (std::nothrow) Kind(row);
}

// Description pieces that take numbers.
constexpr TextId PoisonCounterPiece = 263;  // ", %d%% POISON COUNTER"
constexpr TextId DemoniumPiece = 264;       // ", ATK %+d, SHT %+d"
constexpr TextId FirstBonusPiece = 273;     // ", SHT +%d" and ", MAGIC ATK +%d"
constexpr TextId LastBonusPiece = 278;      // of cloaks to hats: each gives 1

constexpr std::int32_t DemoniumBonus = 5;
constexpr int PoisonCounterChance = 30;

// Id, class, name, defence, enchant slots, unit price, icon cell, rules,
// description pieces, own values: body armour, shield place, head gear.
const ProtectorRow ProtectorTable[] = {
    {0x300, Make<CItemArmor>, 154, 2, 1, 20, 0, 320, 0},
    {0x301, Make<CItemArmor>, 155, 3, 1, 20, 20, 320, 0},
    {0x302, Make<CItemArmor>, 156, 5, 1, 40, 40, 320, 0},
    {0x303, Make<CItemArmor>, 157, 7, 1, 80, 60, 320, 0},
    {0x304, Make<CItemArmor>, 158, 9, 1, 160, 80, 320, 0},
    {0x305, Make<CItemArmor>, 159, 11, 1, 320, 100, 320, 0},
    {0x306, Make<CItemArmor>, 160, 10, 1, 320, 120, 320, RulePoisonCounter, 263},
    {0x307, Make<CItemArmor>, 161, 12, 1, 640, 140, 320, 0},
    {0x308, Make<CItemArmor>, 162, 7, 1, 640, 160, 320, RuleDemonium, 264},
    {0x310, Make<CItemCloakBase>, 163, 1, 1, 20, 260, 260, 0, 273},
    {0x311, Make<CItemCloakBase>, 164, 2, 1, 20, 280, 260, 0, 273},
    {0x312, Make<CItemCloakBase>, 165, 4, 1, 40, 300, 260, 0, 273},
    {0x313, Make<CItemCloakBase>, 166, 6, 1, 80, 320, 260, 0, 273},
    {0x314, Make<CItemCloakBase>, 167, 8, 1, 160, 340, 260, 0, 273},
    {0x315, Make<CItemCloakBase>, 168, 10, 1, 320, 360, 260, 0, 273},
    {0x316, Make<CItemCloakBase>, 169, 9, 1, 320, 380, 260, RulePoisonCounter, 273, 263},
    {0x317, Make<CItemCloakBase>, 170, 11, 1, 640, 400, 260, 0, 273},
    {0x318, Make<CItemCloakBase>, 171, 6, 1, 640, 420, 260, RuleDemonium, 273, 264},
    {0x320, Make<CItemRobeBase>, 172, 1, 1, 20, 260, 200, 0, 276},
    {0x321, Make<CItemRobeBase>, 173, 2, 1, 20, 280, 200, 0, 276},
    {0x322, Make<CItemRobeBase>, 174, 4, 1, 40, 300, 200, 0, 276},
    {0x323, Make<CItemRobeBase>, 175, 6, 1, 80, 320, 200, 0, 276},
    {0x324, Make<CItemRobeBase>, 176, 8, 1, 160, 340, 200, 0, 276},
    {0x325, Make<CItemRobeBase>, 177, 10, 1, 320, 360, 200, 0, 276},
    {0x326, Make<CItemRobeBase>, 178, 9, 1, 320, 380, 200, RulePoisonCounter, 276, 263},
    {0x327, Make<CItemRobeBase>, 179, 11, 1, 640, 400, 200, 0, 276},
    {0x328, Make<CItemRobeBase>, 180, 6, 1, 640, 420, 200, RuleDemonium, 276, 264},
    {0x380, Make<CItemArmor>, 237, 10, 1, 640, 400, 40, 0, 266, -1, {.FireCut = 80}},
    {0x381, Make<CItemArmor>, 240, 7, 1, 640, 360, 20, 0, 265, -1, {.Evasion = 30}},
    {0x382, Make<CItemArmor>, 242, 8, 1, 640, 460, 40, 0, 268, -1, {.Resistance = 65}},
    {0x383, Make<CItemArmor>, 244, 9, 1, 640, 360, 60, 0, 269, -1, {.Counter = 30}},
    {0x3C0, Make<CItemClothOfShinobi>, 246, 2, 0, 640, 300, 80, 0, 271, -1, {.Evasion = 30}},
    {0x3C1, Make<CItemClothOfShinobiPlus>, 247, 8, 1, 640, 300, 80, 0, 271, -1, {.Evasion = 30}},
    {0x3D0, Make<CItemClothOfKunoichi>, 248, 0, 0, 640, 320, 80, 0, 272, -1, {.Evasion = 35}},
    {0x3D1, Make<CItemClothOfKunoichiPlus>, 249, 6, 1, 640, 320, 80, 0, 272, -1, {.Evasion = 35}},
    {0x400, Make<CItemShield>, 181, 1, 1, 10, 0, 280, 0},
    {0x401, Make<CItemShield>, 182, 2, 1, 20, 20, 280, 0},
    {0x402, Make<CItemShield>, 183, 4, 1, 40, 40, 280, 0},
    {0x403, Make<CItemShield>, 184, 6, 1, 80, 60, 280, 0},
    {0x404, Make<CItemShield>, 185, 8, 1, 160, 80, 280, 0},
    {0x405, Make<CItemShield>, 186, 10, 1, 320, 100, 280, 0},
    {0x406, Make<CItemShield>, 187, 9, 1, 320, 120, 280, RulePoisonCounter, 263},
    {0x407, Make<CItemShield>, 188, 11, 1, 640, 140, 280, 0},
    {0x408, Make<CItemShield>, 189, 6, 1, 640, 160, 280, RuleDemonium, 264},
    {0x410, Make<CItemGloveBase>, 190, 0, 1, 10, 260, 220, 0, 274},
    {0x411, Make<CItemGloveBase>, 191, 1, 1, 20, 280, 220, 0, 274},
    {0x412, Make<CItemGloveBase>, 192, 3, 1, 40, 300, 220, 0, 274},
    {0x413, Make<CItemGloveBase>, 193, 5, 1, 80, 320, 220, 0, 274},
    {0x414, Make<CItemGloveBase>, 194, 7, 1, 160, 340, 220, 0, 274},
    {0x415, Make<CItemGloveBase>, 195, 9, 1, 320, 360, 220, 0, 274},
    {0x416, Make<CItemGloveBase>, 196, 8, 1, 320, 380, 220, RulePoisonCounter, 274, 263},
    {0x417, Make<CItemGloveBase>, 197, 10, 1, 640, 400, 220, 0, 274},
    {0x418, Make<CItemGloveBase>, 198, 5, 1, 640, 420, 220, RuleDemonium, 274, 264},
    {0x420, Make<CItemBraceletBase>, 199, 0, 1, 10, 260, 160, 0, 277},
    {0x421, Make<CItemBraceletBase>, 200, 1, 1, 20, 280, 160, 0, 277},
    {0x422, Make<CItemBraceletBase>, 201, 3, 1, 40, 300, 160, 0, 277},
    {0x423, Make<CItemBraceletBase>, 202, 5, 1, 80, 320, 160, 0, 277},
    {0x424, Make<CItemBraceletBase>, 203, 7, 1, 160, 340, 160, 0, 277},
    {0x425, Make<CItemBraceletBase>, 204, 9, 1, 320, 360, 160, 0, 277},
    {0x426, Make<CItemBraceletBase>, 205, 8, 1, 320, 380, 160, RulePoisonCounter, 277, 263},
    {0x427, Make<CItemBraceletBase>, 206, 10, 1, 640, 400, 160, 0, 277},
    {0x428, Make<CItemBraceletBase>, 207, 5, 1, 640, 420, 160, RuleDemonium, 277, 264},
    {0x480, Make<CItemShield>, 235, 1, 1, 50, 260, 40, 0, 270, -1, {.Guard = 25}},
    {0x481, Make<CItemShield>, 236, 8, 1, 640, 300, 40, 0, 270, -1, {.Guard = 25}},
    {0x482, Make<CItemShield>, 238, 9, 1, 640, 360, 40, 0, 266, -1, {.FireCut = 80}},
    {0x483, Make<CItemShield>, 243, 7, 1, 640, 480, 40, 0, 268, -1, {.Resistance = 65}},
    {0x484, Make<CItemShield>, 245, 8, 1, 640, 380, 60, 0, 269, -1, {.Counter = 30}},
    {0x500, Make<CItemHelmet>, 208, 1, 1, 10, 0, 300, 0},
    {0x501, Make<CItemHelmet>, 209, 2, 1, 10, 20, 300, 0},
    {0x502, Make<CItemHelmet>, 210, 3, 1, 20, 40, 300, 0},
    {0x503, Make<CItemHelmet>, 211, 4, 1, 40, 60, 300, 0},
    {0x504, Make<CItemHelmet>, 212, 6, 1, 80, 80, 300, 0},
    {0x505, Make<CItemHelmet>, 213, 7, 1, 160, 100, 300, 0},
    {0x506, Make<CItemHelmet>, 214, 6, 1, 160, 120, 300, RulePoisonCounter, 263},
    {0x507, Make<CItemHelmet>, 215, 9, 1, 320, 140, 300, 0},
    {0x508, Make<CItemHelmet>, 216, 5, 1, 320, 160, 300, RuleDemonium, 264},
    {0x510, Make<CItemHuntingCapBase>, 217, 0, 1, 10, 260, 240, 0, 275},
    {0x511, Make<CItemHuntingCapBase>, 218, 1, 1, 10, 280, 240, 0, 275},
    {0x512, Make<CItemHuntingCapBase>, 219, 2, 1, 20, 300, 240, 0, 275},
    {0x513, Make<CItemHuntingCapBase>, 220, 3, 1, 40, 320, 240, 0, 275},
    {0x514, Make<CItemHuntingCapBase>, 221, 5, 1, 80, 340, 240, 0, 275},
    {0x515, Make<CItemHuntingCapBase>, 222, 6, 1, 160, 360, 240, 0, 275},
    {0x516, Make<CItemHuntingCapBase>, 223, 5, 1, 160, 380, 240, RulePoisonCounter, 275, 263},
    {0x517, Make<CItemHuntingCapBase>, 224, 8, 1, 320, 400, 240, 0, 275},
    {0x518, Make<CItemHuntingCapBase>, 225, 4, 1, 320, 420, 240, RuleDemonium, 275, 264},
    {0x520, Make<CItemHatBase>, 226, 0, 1, 10, 260, 180, 0, 278},
    {0x521, Make<CItemHatBase>, 227, 1, 1, 10, 280, 180, 0, 278},
    {0x522, Make<CItemHatBase>, 228, 2, 1, 20, 300, 180, 0, 278},
    {0x523, Make<CItemHatBase>, 229, 3, 1, 40, 320, 180, 0, 278},
    {0x524, Make<CItemHatBase>, 230, 5, 1, 80, 340, 180, 0, 278},
    {0x525, Make<CItemHatBase>, 231, 6, 1, 160, 360, 180, 0, 278},
    {0x526, Make<CItemHatBase>, 232, 5, 1, 160, 380, 180, RulePoisonCounter, 278, 263},
    {0x527, Make<CItemHatBase>, 233, 8, 1, 320, 400, 180, 0, 278},
    {0x528, Make<CItemHatBase>, 234, 4, 1, 320, 420, 180, RuleDemonium, 278, 264},
    {0x580, Make<CItemHelmet>, 239, 6, 1, 640, 380, 40, 0, 266, -1, {.FireCut = 80}},
    {0x581, Make<CItemHelmet>, 241, 4, 1, 640, 340, 20, 0, 265, -1, {.Evasion = 30}},
    {0x582, Make<CItemCirclet>, 250, 2, 1, 640, 260, 20, 0, 279},
    {0x583, Make<CItemCirclet>, 251, 2, 1, 1200, 260, 280, 0, 279, 280, {.Strength = 3}},
    {0x584, Make<CItemCirclet>, 252, 2, 1, 1200, 280, 280, 0, 279, 281, {.Dexterity = 3}},
    {0x585, Make<CItemCirclet>, 253, 2, 1, 1200, 300, 280, 0, 279, 282, {.MaxHp = 130}},
    {0x586, Make<CItemCirclet>, 254, 8, 1, 1200, 320, 280, 0, 279},
    {0x587, Make<CItemCirclet>, 255, 2, 1, 1200, 340, 280, 0, 279, 284, {.SureHit = true}},
    {0x588, Make<CItemCirclet>, 256, 2, 1, 10, 360, 280, 0, 279, 285, {.Evasion = 30}},
    {0x589, Make<CItemCirclet>, 257, 2, 1, 1200, 380, 280, 0, 279, 286},
    {0x58A, Make<CItemCirclet>, 258, 2, 1, 1200, 400, 280, 0, 279, 287, {.Telepathy = true}},
    {0x58B, Make<CItemCirclet>, 259, 2, 1, 1200, 420, 280, 0, 279, 288, {.Critical = 30}},
    {0x58C, Make<CItemCirclet>, 260, 2, 1, 1200, 440, 280, 0, 279, 289, {.Resistance = 80}},
    {0x58D, Make<CItemCirclet>, 261, 2, 1, 1200, 460, 280, 0, 279, 290, {.RegenerationTimes = 2}},
};

using enum StoneStat;
using enum StoneCombine;

// What a philosopher's stone and dark matter give attack and shot power.
constexpr std::int32_t GainHalfDefence = 1;  // (defence + 1) / 2, after the stones
constexpr std::int32_t GainBaseDefence = 2;  // the defence with refinement, before the stones

// What each stone gives a protector.
constexpr StoneRule ProtectorStones[] = {
    {0xA00, HealWhenHit, Sum, 3},
    {0xA01, HealWhenHit, Sum, 4},
    {0xA02, Resistance, Keep, 50},
    {0xA02, PreventBerserk, Once, 100},
    {0xA02, PreventStatus11, Once, 100},
    {0xA03, Evasion, Sum, 20},
    {0xA04, PreventSlow, Once, 100},
    {0xA05, PreventPoison, Once, 100},
    {0xA06, PreventConfusion, Once, 100},
    {0xA07, PreventParalysis, Once, 100},
    {0xA08, PreventSleep, Once, 100},
    {0xA09, TrapAvoid, Once, 100},
    {0xA0A, Defence, Sum, 5},
    {0xA0B, PreventWeakness, Once, 100},
    {0xA0C, FireCut, Sum, 50},
    {0xA0D, Counter, Sum, 30},
    {0xA0E, Regeneration, Once, 50},
    {0xA0F, Evasion, Sum, 25},
    {0xA10, AttackFromDefence, First, GainHalfDefence},
    {0xA11, AttackFromDefence, First, GainBaseDefence},
    {0xA11, DefenceHalving, Sum, 1},
    {0xA12, MagicCut, Once, 50},
    {0xA13, Evasion, Sum, 30},
    {0xA14, TrapAvoid, Once, 100},
    {0xA14, Evasion, Sum, 20},
    {0xA15, Resistance, Keep, 35},
    {0xA16, FireCut, Sum, 75},
    {0xA17, Counter, Sum, 40},
    {0xA18, PreventSleep, Once, 100},
    {0xA18, PreventPoison, Once, 100},
    {0xA18, PreventParalysis, Once, 100},
    {0xA19, PreventSlow, Once, 100},
    {0xA19, PreventConfusion, Once, 100},
    {0xA19, PreventWeakness, Once, 100},
};
static_assert(OneCombinePerStat(ProtectorStones));

// The kind's own chance and the stones' one, holding independently.
int RaiseChance(int own, int stones) { return 100 - (100 - stones) * (100 - own) / 100; }

}  // namespace

const ProtectorRow* FindProtectorRow(ItemId id) { return FindItemRow(ProtectorTable, id); }

CItem* CreateProtector(ItemId id) {
  const ProtectorRow* row = FindProtectorRow(id);
  return row ? row->Make(*row) : nullptr;
}

CItemProtector::CItemProtector(const ProtectorRow& row, ItemCategory category) : Row(row) {
  Category = category;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  BaseDefence = row.Defence;
  if (row.Rules & RuleDemonium) BaseAttack = BaseShotPower = DemoniumBonus;
  EnchantSlotCount = row.EnchantSlots;
  SetCellFrames(ItemSheetPicture, row.IconX, row.IconY);
}

CItem* CItemProtector::Clone() const { return CloneThroughFactory(*this); }

char* CItemProtector::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemProtector::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteEquipmentName(*this, buffer, size);
}

char* CItemProtector::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetDisplayName(buffer, size);
}

char* CItemProtector::GetStatusText(char* buffer, std::size_t size) const {
  return WriteProtectorStatus(*this, buffer, size);
}

char* CItemProtector::GetDescription(char* buffer, std::size_t size) const {
  ItemTextWriter text(buffer, size);
  for (const TextId piece : {Row.Description, Row.Extra}) {
    if (piece == PoisonCounterPiece)
      text.AppendFormat(piece, GetPoisonCounterChance());
    else if (piece == DemoniumPiece)
      text.AppendFormat(piece, GetBaseAttack(), GetBaseShotPower());
    else if (piece >= FirstBonusPiece && piece <= LastBonusPiece)
      text.AppendFormat(piece, 1);
    else if (piece >= 0)
      text.AppendFormat(piece);
  }
  return buffer;
}

int CItemProtector::GetPoisonCounterChance() const { return Row.Rules & RulePoisonCounter ? PoisonCounterChance : 0; }

int CItemProtector::Stones(StoneStat stat) const { return ReadStones(*this, ProtectorStones, stat); }

int CItemProtector::StoneAttackBonus() const {
  switch (Stones(AttackFromDefence)) {
    case GainHalfDefence: return (GetDefence() + 1) / 2;
    case GainBaseDefence: return GetBaseDefence();
    default: return 0;
  }
}

// Might adds first; every dark matter then halves, toward zero.
int CItemProtector::GetDefence() const {
  int defence = GetBaseDefence() + Stones(Defence);
  for (int halvings = Stones(DefenceHalving); halvings > 0; --halvings) defence /= 2;
  return defence;
}

int CItemProtector::GetEvasion() const { return RaiseChance(Row.Own.Evasion, Stones(Evasion)); }
int CItemProtector::GetMagicDamageCut() const { return Stones(MagicCut); }

int CItemProtector::GetFireDamageCut() const {
  const int stones = Stones(FireCut);
  return Row.Own.FireCut > 0 ? std::min(100, Row.Own.FireCut + stones) : stones;
}

int CItemProtector::GetTrapAvoidChance() const { return Stones(TrapAvoid); }
int CItemProtector::GetStatusResistance() const { return RaiseChance(Row.Own.Resistance, Stones(Resistance)); }
int CItemProtector::PreventsSlow() const { return Stones(PreventSlow); }
int CItemProtector::PreventsSleep() const { return Stones(PreventSleep); }
int CItemProtector::PreventsConfusion() const { return Stones(PreventConfusion); }
int CItemProtector::PreventsPoison() const { return Stones(PreventPoison); }
int CItemProtector::PreventsParalysis() const { return Stones(PreventParalysis); }
int CItemProtector::PreventsBerserk() const { return Stones(PreventBerserk); }
int CItemProtector::PreventsStatus11() const { return Stones(PreventStatus11); }
int CItemProtector::PreventsWeakness() const { return Stones(PreventWeakness); }
int CItemProtector::GetRegenerationPercent() const { return 100 + Stones(Regeneration); }
int CItemProtector::GetCounterDamagePercent() const { return Row.Own.Counter + Stones(Counter); }
int CItemProtector::GetHealWhenHit() const { return Stones(HealWhenHit); }
int CItemProtector::GetTotalPrice() const { return GetEquipmentPrice(*this); }

void CItemProtector::ApplyHit(CCharacter* user, CCharacter* target) {
  ApplyThrownProtectorHit(*this, user, target);
}

bool PlayerHoldsMagicIn(int place) {
  const CCharacterPlayer* player = GetGameMain()->Player;
  if (!player) return false;
  const CItem* item = player->GetItem(place);
  return item && item->IsMagicWeapon();
}
