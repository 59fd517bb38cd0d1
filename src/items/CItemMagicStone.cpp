#include "items/CItemMagicStone.h"

#include <algorithm>
#include <new>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"

#include "items/ItemFactory.h"
#include "items/ItemNames.h"
#include "items/ItemTable.h"
#include "items/ItemText.h"
#include "platform/Random.h"

namespace {

constexpr TextId UsedText = 656;  // "YOU USED %s!"
constexpr int FullHeal = 65535;
constexpr int BoostTurns = 30;
constexpr int CaptionDelay = 10;

// ---- What the spells reach

// The living creatures the spell reaches, taken first and then each one
// that is still alive when its turn comes.
template <class Act>
void OnTargets(const CCharacterPlayer& player, bool inSightOnly, Act act) {
  const SpellTargets targets = FindSpellTargets(player, inSightOnly);
  for (int i = 0; i < targets.Count; ++i)
    if (IsHittable(targets.List[i])) act(*targets.List[i]);
}

// The player's worn items whose category passes, in place order.
template <class Pass, class Act>
void OnWornItems(const CCharacterPlayer& player, Pass pass, Act act) {
  for (int place = 0; place < player.GetInventoryCapacity(); ++place) {
    CItem* item = player.GetItem(place);
    if (item && item->IsEquipped() && pass(item->GetCategory())) act(*item);
  }
}

// ---- Spells on the player

void RegenerateAndHeal(const MagicStoneRow& row, CCharacterPlayer& player, int heal) {
  player.SetRegenerate(BoostTurns, row.Amount);
  HealAndShow(player, heal);
  ShowTextPopup(player, row.Caption, CaptionDelay);
}
void Heal(const MagicStoneRow& row, CCharacterPlayer& player) { RegenerateAndHeal(row, player, 200); }
void HealFully(const MagicStoneRow& row, CCharacterPlayer& player) { RegenerateAndHeal(row, player, FullHeal); }

void Clear(const MagicStoneRow& row, CCharacterPlayer& player) {
  player.CureBadStatuses();
  player.InflictResistance(row.Amount);
}

void Quicken(const MagicStoneRow& row, CCharacterPlayer& player) {
  player.InflictQuick(row.Amount);
  player.InflictDoubleAttack(row.Amount);
  ShowTextPopup(player, row.Caption, CaptionDelay);
}

void DoubleAttack(const MagicStoneRow& row, CCharacterPlayer& player) {
  player.InflictDoubleAttack(row.Amount);
  ShowTextPopup(player, row.Caption, CaptionDelay);
}

// STR, DEX and DEF up, their captions one after another.
void Empower(const MagicStoneRow& row, CCharacterPlayer& player) {
  player.InflictStrUp(row.Amount);
  ShowTextPopup(player, 590, 0);  // "STR UP!"
  player.InflictDexUp(row.Amount);
  ShowTextPopup(player, 592, 10);  // "DEX UP!"
  player.InflictDefUp(row.Amount);
  ShowTextPopup(player, 591, 20);  // "DEF UP!"
}

// Every cell explored and every trap shown.
void Map(const MagicStoneRow&, CCharacterPlayer&) {
  CStageData* stage = GetGameMain()->CurrentStage;
  if (!stage) return;
  for (int x = 0; x < StageMapSize; ++x) {
    for (int y = 0; y < StageMapSize; ++y) {
      stage->SetExplored(x, y, 2);
      if (CItem* item = stage->GetItemAt(x, y); item && item->IsTrap()) item->SetRevealed(true);
    }
  }
}

// ---- Refining what is worn: the caption shows whether or not anything was.

void Refine(CItem& item, int amount, CCharacterPlayer& player) {
  item.SetRefinement(item.GetRefinement() + amount);
  if (item.IsConditionOne()) item.SetCondition(0);
  player.ClampHP();
}

void RefineFirstWorn(const MagicStoneRow& row, CCharacterPlayer& player, ItemCategory category) {
  bool done = false;
  OnWornItems(player, [category](ItemCategory c) { return c == category; }, [&](CItem& item) {
    if (!done) Refine(item, row.Amount, player);
    done = true;
  });
  ShowTextPopup(player, row.Caption);
}
void RefineWeapon(const MagicStoneRow& row, CCharacterPlayer& player) {
  RefineFirstWorn(row, player, ItemCategoryWeapon);
}
void RefineBow(const MagicStoneRow& row, CCharacterPlayer& player) { RefineFirstWorn(row, player, ItemCategoryBow); }

bool IsProtector(ItemCategory c) {
  return c == ItemCategoryBodyArmour || c == ItemCategoryShieldPlace || c == ItemCategoryHeadGear;
}

void RefineOneProtector(const MagicStoneRow& row, CCharacterPlayer& player) {
  CItem* worn[InventorySize];
  int count = 0;
  OnWornItems(player, IsProtector, [&](CItem& item) { worn[count++] = &item; });
  if (count > 0) Refine(*worn[Random() % count], row.Amount, player);
  ShowTextPopup(player, row.Caption);
}

void RefineEveryProtector(const MagicStoneRow& row, CCharacterPlayer& player) {
  OnWornItems(player, IsProtector, [&](CItem& item) { Refine(item, row.Amount, player); });
  ShowTextPopup(player, row.Caption);
}

// Every wand carried: no charge spent, and at least as many as half the
// player's INT; a larger wand keeps its own.
void Recharge(const MagicStoneRow& row, CCharacterPlayer& player) {
  for (int place = 0; place < player.GetInventoryCapacity(); ++place) {
    CItem* item = player.GetItem(place);
    if (!item || item->GetCategory() != ItemCategoryWand) continue;
    item->ChargesUsed = 0;
    item->ChargeCapacity = std::max(item->ChargeCapacity, player.GetHalfInt());
  }
  ShowTextPopup(player, row.Caption);
}

// ---- Spells on the others

void SlowInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictSlowRandom(); });
}
void ConfuseInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictConfuseRandom(); });
}
void ParalyzeInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictParalyzeRandom(); });
}
void SleepInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictSleep(30 + Random() % 41); });
}
void WeakenInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictWeaknessRandom(); });
}
void PetrifyInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [](CCharacter& c) { c.InflictParalyze(-1); });
}
void MaddenAll(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, false, [](CCharacter& c) { c.InflictConfuse(-1); });
}
void KillInSight(const MagicStoneRow&, CCharacterPlayer& player) {
  OnTargets(player, true, [&](CCharacter& c) { CurseToDeath(player, c); });
}

// Fire on each target's cell; the level term is (a x level) / 2 + 10 x a,
// a fresh roll for each.
void Burn(const MagicStoneRow& row, CCharacterPlayer& player, bool inSightOnly) {
  const int term = row.Amount * player.level / 2 + 10 * row.Amount;
  OnTargets(player, inSightOnly, [&](CCharacter& c) { SetFireOn(c, RollSpellFire(player, term), &player); });
}
void BurnInSight(const MagicStoneRow& row, CCharacterPlayer& player) { Burn(row, player, true); }
void BurnAll(const MagicStoneRow& row, CCharacterPlayer& player) { Burn(row, player, false); }

constexpr ItemFlash Pink = {255, 128, 128}, Green = {128, 255, 128}, Sky = {160, 208, 255}, Dusk = {48, 96, 144},
                    Yellow = {255, 255, 0}, Orange = {255, 128, 0}, Teal = {0, 160, 160}, White = {255, 255, 255},
                    Purple = {128, 0, 128}, Red = {255, 0, 0}, None = {0, 0, 0, 0};
constexpr ItemFlash DarkRed = {96, 0, 48, 192};
constexpr TextId NoCaption = -1;

// Id, name, description, unit price, readable, sound, spell, amount,
// caption, flash. Shown names follow the effects: 0xA09 mapping, 0xA0A
// might, 0xA0B weakness, 0xA12 recharge. The philosopher's stone cannot be
// read.
const MagicStoneRow MagicStoneTable[] = {
    {0xA00, 443, 470, 20, true, 6, &Heal, 5, 587, Pink},
    {0xA01, 444, 471, 40, true, 6, &HealFully, 10, 587, Pink},
    {0xA02, 445, 472, 20, true, 9, &Clear, BoostTurns, NoCaption, Green},
    {0xA03, 446, 473, 20, true, 5, &Quicken, BoostTurns, 588, Sky},
    {0xA04, 447, 474, 20, true, 31, &SlowInSight, 0, NoCaption, Dusk},
    {0xA06, 448, 475, 20, true, 11, &ConfuseInSight, 0, NoCaption, Yellow},
    {0xA07, 449, 476, 20, true, 24, &ParalyzeInSight, 0, NoCaption, Orange},
    {0xA08, 450, 477, 20, true, 29, &SleepInSight, 0, NoCaption, Teal},
    {0xA09, 451, 478, 20, true, 20, &Map, 0, NoCaption, White},
    {0xA0A, 452, 479, 100, true, 26, &Empower, BoostTurns, NoCaption, White},
    {0xA0B, 453, 480, 20, true, 41, &WeakenInSight, 0, NoCaption, Purple},
    {0xA0C, 458, 485, 20, true, 15, &BurnInSight, 3, NoCaption, Red},
    {0xA0D, 454, 481, 100, true, 26, &RefineWeapon, 1, 567, White},
    {0xA0E, 455, 482, 100, true, 26, &RefineOneProtector, 1, 568, White},
    {0xA0F, 456, 483, 100, true, 26, &RefineBow, 1, 569, White},
    {0xA10, 459, 486, 500, false, NoSound, nullptr, 0, NoCaption, None},
    {0xA11, 460, 487, 500, true, NoSound, &KillInSight, 0, NoCaption, DarkRed},
    {0xA12, 457, 484, 100, true, 54, &Recharge, 0, 603, White},
    {0xA13, 463, 488, 500, true, 26, &RefineWeapon, 3, 570, White},
    {0xA14, 461, 489, 500, true, 26, &RefineBow, 3, 571, White},
    {0xA15, 462, 490, 500, true, 26, &RefineEveryProtector, 1, 568, White},
    {0xA16, 464, 491, 500, true, 15, &BurnAll, 6, NoCaption, Red},
    {0xA17, 465, 492, 500, true, 5, &DoubleAttack, 1000, 588, Sky},
    {0xA18, 466, 493, 500, true, 24, &PetrifyInSight, 0, NoCaption, Orange},
    {0xA19, 467, 494, 500, true, 11, &MaddenAll, 0, NoCaption, Yellow},
};

}  // namespace

const MagicStoneRow* FindMagicStoneRow(ItemId id) { return FindItemRow(MagicStoneTable, id); }

CItem* CreateMagicStone(ItemId id) {
  const MagicStoneRow* row = FindMagicStoneRow(id);
  return row ? new (std::nothrow) CItemMagicStone(*row) : nullptr;
}

// The 25 stones lie side by side in one row of the item sheet, with no gap
// for the missing 0xA05.
CItemMagicStone::CItemMagicStone(const MagicStoneRow& row) : Row(row) {
  Category = ItemCategoryMagicStone;
  IdentifyState = IdentifyStateKnown;
  Id = row.Id;
  const int column = row.Id < 0xA05 ? row.Id - 0xA00 : row.Id - 0xA01;
  SetCellFrames(ItemSheetPicture, 20 * column, 120);
}

CItem* CItemMagicStone::Clone() const { return CloneThroughFactory(*this); }

char* CItemMagicStone::GetName(char* buffer, std::size_t size) const {
  return WriteItemText(Row.Name, buffer, size);
}

char* CItemMagicStone::GetDisplayName(char* buffer, std::size_t size) const {
  return WriteKindGatedName(*this, buffer, size);
}

char* CItemMagicStone::GetNameWithCount(char* buffer, std::size_t size) const {
  return GetDisplayName(buffer, size);
}

char* CItemMagicStone::GetStatusText(char* buffer, std::size_t size) const {
  return WriteKindGatedStatus(*this, buffer, size);
}

char* CItemMagicStone::GetDescription(char* buffer, std::size_t size) const {
  return WriteFormattedItemText(Row.Description, buffer, size);
}

void CItemMagicStone::Use() {
  CCharacterPlayer* player = ItemUser();
  if (!player || !IsUsable()) return;
  SetIdentifyState(IdentifyStateKnown);
  ShowItemMessage(UsedText, *this);
  const bool left = TakeOnePiece(*player, this);
  UseMagic();
  if (left) delete this;
  BracketTurn();
}

void CItemMagicStone::UseMagic() {
  CCharacterPlayer* player = ItemUser();
  if (!player || !Row.Spell) return;
  PlayItemSound(Row.Sound);
  Row.Spell(Row, *player);
  FlashItem(Row.Flash);
}
