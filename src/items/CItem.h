#pragma once
// Every item, whatever its kind, is one CItem of this layout. The kinds
// derive from it and override the few operations in which they differ; every
// other operation answers its neutral default here (0, false, 10 for attack
// and shot power, 100 for percent factors), which the player's equipment
// sums rely on.
#include <cstddef>
#include <cstdint>

#include "platform/PictureTable.h"

class CCharacter;
class CSaveFile;

using ItemId = std::int32_t;  // 16-bit code; the high byte names the family; -1 none
using ItemCategory = std::int32_t;
using WeaponKind = std::int32_t;

constexpr ItemId NoItem = -1;

constexpr ItemCategory ItemCategoryWeapon = 0;
constexpr ItemCategory ItemCategoryBow = 1;
constexpr ItemCategory ItemCategoryArrow = 2;
constexpr ItemCategory ItemCategoryBodyArmour = 3;
constexpr ItemCategory ItemCategoryShieldPlace = 4;
constexpr ItemCategory ItemCategoryHeadGear = 5;
constexpr ItemCategory ItemCategoryAccessory = 6;
constexpr ItemCategory ItemCategoryMaterial = 7;
constexpr ItemCategory ItemCategoryPotion = 8;
constexpr ItemCategory ItemCategoryMagicStone = 9;
constexpr ItemCategory ItemCategoryWand = 10;
constexpr ItemCategory ItemCategoryFood = 11;
constexpr ItemCategory ItemCategoryTrap = 12;
constexpr ItemCategory ItemCategoryEvent = 13;

constexpr WeaponKind WeaponKindNone = 0;
constexpr WeaponKind WeaponKindShortsword = 1;
constexpr WeaponKind WeaponKindAxe = 2;
constexpr WeaponKind WeaponKindSpear = 3;
constexpr WeaponKind WeaponKindBroadsword = 4;
constexpr WeaponKind WeaponKindStaff = 5;

constexpr std::int32_t IdentifyStateUnknown = 1;
constexpr std::int32_t IdentifyStateKnown = 2;

// The shared 512 x 512 item sheet every kind cuts its 20 x 20 cell from,
// and the second picture items share.
constexpr PictureId ItemSheetPicture = 132;
constexpr PictureId ItemSharedPicture = 14;

constexpr int ItemFrameCount = 16;
constexpr int EnchantListSize = 16;

// One frame of a picture: the rectangle cut from it and the point of it
// that lands on the drawing position. Next is written 0 and read by nothing.
struct ItemFrame {
  std::int32_t Picture = 0;
  std::int32_t SourceX = 0;
  std::int32_t SourceY = 0;
  std::int32_t CenterX = 0;
  std::int32_t CenterY = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t Next = 0;
};

// Texts are written into the caller's buffer of `size` bytes, always ended by
// a NUL and cut at a whole character; 256 bytes hold every text an item writes.
constexpr std::size_t ItemTextSize = 256;

class CItem {
public:
  CItem();
  CItem(const CItem&) = delete;
  CItem& operator=(const CItem&) = delete;

  // The operations in the order of their slots.
  virtual ~CItem() = default;
  // Copies the saved state of other: the fields the save record holds.
  virtual void CopyFrom(const CItem& other);
  // A new item of the same kind and state, owned by the caller; null when
  // none could be made.
  virtual CItem* Clone() const;
  virtual void Init();
  virtual void SpareHook() {}
  virtual void DrawAt(int x, int y) const;
  virtual void DrawOnFloor() const;
  virtual void DrawIconTinted(int x, int y, int r, int g, int b, int a) const;
  virtual void DrawIcon(int x, int y) const;
  virtual void DrawIconWithCountTinted(int x, int y, int r, int g, int b, int a) const;
  virtual void DrawIconWithCount(int x, int y) const;
  // The item's marker on the floor map; true when one was drawn.
  virtual bool DrawMapMarker(int x, int y, float scaleX, float scaleY, int alpha) const;
  // Writes the length word and the record; false when a write failed.
  virtual bool Save(CSaveFile& file) const;
  virtual void SetFloorFrame(int i, int picture, int sourceX, int sourceY, int centerX, int centerY, int width,
                             int height, int next);
  virtual void SetIconFrame(int i, int picture, int sourceX, int sourceY, int centerX, int centerY, int width,
                            int height, int next);
  virtual bool IsTrap() const { return false; }
  virtual bool IsUsable() const { return false; }
  virtual bool IsEquipment() const { return false; }
  virtual bool IsSpareFlag() const { return false; }
  virtual bool CanPickUp() const { return true; }
  virtual bool CanThrow() const { return true; }
  virtual char* GetName(char* buffer, std::size_t size) const;
  virtual char* GetDisplayName(char* buffer, std::size_t size) const;
  virtual char* GetNameWithCount(char* buffer, std::size_t size) const;
  virtual char* GetStatusText(char* buffer, std::size_t size) const;
  virtual char* GetDescription(char* buffer, std::size_t size) const;
  virtual ItemCategory GetCategory() const { return Category; }
  virtual WeaponKind GetWeaponKind() const { return WeaponKindNone; }
  virtual ItemId GetId() const { return Id; }
  virtual std::int32_t GetCondition() const { return Condition; }
  virtual void SetCondition(std::int32_t value) { Condition = value; }
  virtual int GetCatalogueIndex() const;
  virtual std::int32_t GetCount() const { return Count; }
  virtual void SetCount(std::int32_t n) { Count = n; }
  virtual std::int32_t GetStackLimit() const { return StackLimit; }
  virtual std::int32_t GetChargesLeft() const { return ChargeCapacity - ChargesUsed; }
  virtual bool CanStackWith(const CItem* other) const;
  virtual bool IsConditionOne() const { return Condition == 1; }
  virtual std::int32_t GetIdentifyState() const { return IdentifyState; }
  // 2 also marks the whole kind identified.
  virtual void SetIdentifyState(std::int32_t state);
  virtual std::int32_t GetRefinement() const { return Refinement; }
  virtual void SetRefinement(std::int32_t n) { Refinement = n; }
  virtual bool IsRevealed() const { return Revealed != 0; }
  virtual void SetRevealed(bool revealed) { Revealed = revealed ? 1 : 0; }
  virtual int GetBaseAttack() const { return BaseAttack; }
  virtual int GetAttack() const { return 10; }
  virtual int GetBaseShotPower() const { return BaseShotPower; }
  virtual int GetShotPower() const { return BaseShotPower; }
  virtual int GetBaseExtra() const { return BaseExtra; }
  virtual int GetExtra() const { return BaseExtra; }
  virtual int GetBaseDefence() const { return BaseDefence; }
  virtual int GetDefence() const { return BaseDefence; }
  virtual int GetMeleeAttackPercent() const { return 100; }
  virtual int GetShotAttackPercent() const { return 100; }
  virtual int GetMagicAttackPercent() const { return 100; }
  virtual int GetStrengthBonus() const { return 0; }
  virtual int GetDexterityBonus() const { return 0; }
  virtual int GetIntelligenceBonus() const { return 0; }
  virtual int GetMaxHpPercent() const { return 100; }
  virtual int GetSpareStatA() const { return 0; }
  virtual int GetEvasion() const { return 0; }
  virtual int GetGuardChance() const { return 0; }
  virtual int GetSpareStatB() const { return 0; }
  virtual int GetSpareStatC() const { return 0; }
  virtual int GetMagicDamageCut() const { return 0; }
  virtual int GetFireDamageCut() const { return 0; }
  virtual int GetTrapAvoidChance() const { return 0; }
  virtual bool IsMagicWeapon() const { return false; }
  virtual bool HasWideAttack() const { return false; }
  virtual bool HasReachAttack() const { return false; }
  virtual bool HasRangedMagicShot() const { return false; }
  virtual int GetStatusResistance() const { return 0; }
  // 100 = immune.
  virtual int PreventsSlow() const { return 0; }
  virtual int PreventsSleep() const { return 0; }
  virtual int PreventsConfusion() const { return 0; }
  virtual int PreventsPoison() const { return 0; }
  virtual int PreventsParalysis() const { return 0; }
  virtual int PreventsBerserk() const { return 0; }
  virtual int PreventsStatus11() const { return 0; }
  virtual int PreventsWeakness() const { return 0; }
  virtual bool HasTelepathy() const { return false; }
  virtual int GetRegenerationPercent() const { return 100; }
  // What the item does to how fast its wearer grows hungry.
  virtual int GetHungerRatePercent() const { return 100; }
  // Melee: what a blow does besides its damage.
  virtual int GetHealOnHit() const { return 0; }
  virtual int GetDrainPercent() const { return 0; }
  virtual int GetQuickChance() const { return 0; }
  virtual int GetSlowChance() const { return 0; }
  virtual int GetSleepChance() const { return 0; }
  virtual int GetConfusionChance() const { return 0; }
  virtual int GetPoisonChance() const { return 0; }
  virtual int GetParalyzeChance() const { return 0; }
  virtual int GetBerserkChance() const { return 0; }
  virtual int GetInvisibleChance() const { return 0; }
  virtual int GetHoldChance() const { return 0; }
  virtual int GetDormantChance() const { return 0; }
  virtual int GetStatus11Chance() const { return 0; }
  virtual int GetInvincibleChance() const { return 0; }
  virtual int GetStatus13Chance() const { return 0; }
  virtual int GetStatus14Chance() const { return 0; }
  virtual int GetWeaknessChance() const { return 0; }
  virtual int GetTeleportChance() const { return 0; }
  virtual int GetFireMagicAttack() const { return 0; }
  virtual int GetCriticalChance() const { return 0; }
  virtual bool IsSureHit() const { return false; }
  virtual int GetPoisonousFoeDamagePercent() const { return 100; }
  virtual int GetDragonSlayerPercent() const { return 100; }
  virtual int GetRecoilPercent() const { return 0; }
  virtual int GetDoubleAttackChance() const { return 0; }
  virtual int GetMiningPower() const { return 0; }
  // When hit.
  virtual int GetCounterDamagePercent() const { return 0; }
  virtual int GetHealWhenHit() const { return 0; }
  virtual int GetHealWhenHitPercent() const { return 0; }
  virtual int GetQuickCounterChance() const { return 0; }
  virtual int GetSlowCounterChance() const { return 0; }
  virtual int GetSleepCounterChance() const { return 0; }
  virtual int GetConfusionCounterChance() const { return 0; }
  virtual int GetPoisonCounterChance() const { return 0; }
  virtual int GetParalyzeCounterChance() const { return 0; }
  virtual int GetBerserkCounterChance() const { return 0; }
  virtual int GetInvisibleCounterChance() const { return 0; }
  virtual int GetHoldCounterChance() const { return 0; }
  virtual int GetDormantCounterChance() const { return 0; }
  virtual int GetStatus11CounterChance() const { return 0; }
  virtual int GetInvincibleCounterChance() const { return 0; }
  virtual int GetStatus13CounterChance() const { return 0; }
  virtual int GetStatus14CounterChance() const { return 0; }
  virtual int GetWeaknessCounterChance() const { return 0; }
  virtual int GetTeleportCounterChance() const { return 0; }
  // Shots: the melee answers again, for what is shot or thrown.
  virtual int GetShotHealOnHit() const { return 0; }
  virtual int GetShotDrainPercent() const { return 0; }
  virtual int GetShotQuickChance() const { return 0; }
  virtual int GetShotSlowChance() const { return 0; }
  virtual int GetShotSleepChance() const { return 0; }
  virtual int GetShotConfusionChance() const { return 0; }
  virtual int GetShotPoisonChance() const { return 0; }
  virtual int GetShotParalyzeChance() const { return 0; }
  virtual int GetShotBerserkChance() const { return 0; }
  virtual int GetShotInvisibleChance() const { return 0; }
  virtual int GetShotHoldChance() const { return 0; }
  virtual int GetShotDormantChance() const { return 0; }
  virtual int GetShotStatus11Chance() const { return 0; }
  virtual int GetShotInvincibleChance() const { return 0; }
  virtual int GetShotStatus13Chance() const { return 0; }
  virtual int GetShotStatus14Chance() const { return 0; }
  virtual int GetShotWeaknessChance() const { return 0; }
  virtual int GetShotTeleportChance() const { return 0; }
  virtual int GetShotFireMagicAttack() const { return 0; }
  virtual int GetShotCriticalChance() const { return 0; }
  virtual bool IsShotSureHit() const { return false; }
  virtual int GetShotPoisonousFoeDamagePercent() const { return 100; }
  virtual int GetShotDragonSlayerPercent() const { return 100; }
  virtual int GetShotSelfDamage() const { return 0; }
  virtual int GetShotDoubleAttackChance() const { return 0; }
  virtual int GetArrowKeepChance() const { return 0; }
  virtual int GetUnbreakableChance() const { return 0; }
  virtual int GetReturnChance() const { return 0; }
  // One game roll each.
  virtual bool RollUnbreakable() const;
  virtual bool RollReturn() const;
  virtual void SetPosition(int x, int y) {
    X = x;
    Y = y;
  }
  virtual int GetX() const { return X; }
  virtual int GetY() const { return Y; }
  virtual void Use() {}
  virtual void UseMagic() {}
  virtual void SetEquipped(bool equipped) { Equipped = equipped ? 1 : 0; }
  virtual bool IsEquipped() const { return Equipped != 0; }
  // A throw by user reaching target: the hit roll, the hit, then what
  // becomes of one piece: back with the thrower, dropped near the target, or
  // used up. A held piece leaves the thrower by pointer, and stays when it
  // finds no cell to land on. A piece the thrower does not hold (a monster's
  // arrow) is deleted where a held one would stay or be used up, so `this`
  // may be gone when it returns. Nothing lands on a target at 0 HP or no
  // longer in the game.
  virtual void ResolveThrow(CCharacter* user, CCharacter* target);
  // Whether a throw by user reaches target.
  virtual bool RollThrowHit(CCharacter* user, CCharacter* target);
  virtual void ApplyHit(CCharacter* user, CCharacter* target) {
    (void)user;
    (void)target;
  }
  virtual void SpareHookWithArgument(int value) { (void)value; }
  virtual void LayTrap() {}
  virtual int GetTotalPrice() const;
  virtual int GetUnitPrice() const { return 0; }
  // Filled stone slots among the first GetEnchantSlotCount entries.
  virtual int CountEnchantments() const;
  virtual int GetEnchantSlotCount() const { return EnchantSlotCount; }
  // The stone in slot i; -1 for an empty slot and for any i outside 0-15.
  virtual ItemId GetEnchantmentAt(int i) const;

  // ---- Fields, in the order of the layout.
  std::uint8_t Active = 1;  // 0: a display-only stand-in its maker deletes
  ItemCategory Category = 0;
  ItemId Id = NoItem;
  std::int32_t BaseAttack = 0;
  std::int32_t BaseShotPower = 0;
  std::int32_t BaseExtra = 0;
  std::int32_t BaseDefence = 0;
  std::int32_t X = 0;  // the floor cell while the item lies on a floor
  std::int32_t Y = 0;
  std::int32_t Spare1 = 0;
  std::int32_t Spare2 = 0;
  std::int32_t Count = 1;
  std::int32_t StackLimit = 1;
  std::int32_t IdentifyState = IdentifyStateUnknown;
  std::int32_t Refinement = 0;
  std::int32_t Condition = 0;
  std::uint8_t Equipped = 0;
  std::int32_t Alpha = 255;
  std::uint8_t Revealed = 1;
  std::int32_t ChargesUsed = 0;
  std::int32_t ChargeCapacity = 0;
  ItemFrame FloorFrames[ItemFrameCount];
  std::int32_t FrameIndex = 0;
  ItemFrame IconFrames[ItemFrameCount];
  CCharacter* Thrower = nullptr;
  CCharacter* ThrowTarget = nullptr;
  std::int32_t EnchantSlotCount = 0;
  ItemId Enchantments[EnchantListSize];
  ItemId SpareIds[EnchantListSize];

protected:
  // Entry 0 of both frame records: the 20 x 20 cell at (x, y) of a picture,
  // drawn around its centre.
  void SetCellFrames(int picture, int x, int y);
  // The blinking 3 x 3 map marker at `column` of the marker cells, over an
  // explored cell (any cell for a telepath); a hidden item shows only to a
  // telepath, and only when `telepathyShowsHidden`.
  bool DrawMarkerCell(int column, bool telepathyShowsHidden, int x, int y, float scaleX, float scaleY,
                      int alpha) const;
  const ItemFrame& CurrentFrame(const ItemFrame (&frames)[ItemFrameCount]) const;
};

// Whether a kind's name may be shown (its byte in the identify table is 0).
// Ids outside the table count as known.
bool IsKindIdentified(ItemId id);
