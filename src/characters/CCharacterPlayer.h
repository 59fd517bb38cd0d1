#pragma once
// The character the user steers: 37 item places (seven worn, thirty in the
// bag), stats folded together from what is worn, experience and levels, and
// the battle-log lines in the second person. The nine classes derive from it.
#include <cstdint>
#include <memory>

#include "characters/CCharacter.h"
#include "characters/CCharacterPlayerChild.h"

class CItem;

// Places of the player's items.
constexpr int InventorySize = 37;
constexpr int EquipmentSlotCount = 7;  // 0 weapon, 1 bow, 2 arrows, 3 accessory, 4 body, 5 shield, 6 head
constexpr int FirstBagSlot = 7;
constexpr int BagSize = InventorySize - FirstBagSlot;
constexpr int WeaponSlot = 0;
constexpr int BowSlot = 1;
constexpr int ArrowSlot = 2;
constexpr int NoSlot = -1;

// The equipment place an item of a category is worn in; NoSlot for the
// categories that are never worn.
int EquipmentSlotOf(int category);

constexpr int MaxPlayerLevel = 99;

class CCharacterPlayer : public CCharacter {
public:
  CCharacterPlayer();
  // Deletes every item of its own places.
  ~CCharacterPlayer() override;

  int GetSpriteRow() const override;
  // Both move the player's sight with it.
  bool StepForward() override;
  void SetPosition(int cellX, int cellY) override;

  // ---- The turn and the actions
  // Hunger, or starvation once satiety is gone; regeneration; the turn's
  // energy (2, 1 while SLOW).
  void StartTurn() override;
  // The base tick, the fade of the dying pose, then the companions.
  void TickAnimation() override;
  // The companions behind, the player, the companions in front.
  void Draw() override;
  // The player's blinking marker on the floor map; always true.
  bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) override;
  // The entries as actions: 20 swings the worn weapon (100-159), a throw
  // of arrows with a bow worn is a shot (140), a shot fires once more while
  // its double roll asks, and the dying pose resurrects (81) or ends the
  // game (83). Every swing and shot holds the turn once and gives it back
  // when its range is left.
  void SetAnimation(AnimationEntry entry) override;
  // Its swings and shots hold the turn as the plain attack does.
  bool IsActionEntry(AnimationEntry entry) const override;

  // ---- Stats from what is worn. Each call walks the places again.
  int GetMaxHP() const override;
  int GetStr() const override;
  int GetDex() const override;
  int GetInt() const override;
  int GetMeleePower() const override;
  int GetShotPower() const override;
  int GetMagicPower() const override;
  int GetMeleeAttack() const override;
  int GetShotAttack() const override;
  int GetMagicAttack() const override;
  int GetWeaponAttack() const override;
  int GetBowAttack() const override;
  int GetShotDamage() const override;
  int GetDefense() const override;
  int GetMeleeDamage() const override;
  int GetEvasion() const override;
  int GetGuardChance() const override;
  int GetMagicDamageCut() const override;
  int GetFireDamageCut() const override;
  int GetTrapAvoidChance() const override;
  int GetHpRegenRate() const override;
  int GetHungerRate() const override;

  // ---- Experience and levels. A class replaces LevelUp and LevelDown by
  // its own growth; these are the defaults.
  void GainExp(std::int64_t amount) override;
  std::int64_t GetExpForLevel(int level) const override;
  // 0 from the last level on: nothing more to earn.
  std::int64_t GetExpForNextLevel(int level) const override;
  // The total at which `level` ends; 0 below level 0.
  std::int64_t GetExpAtLevelEnd(int level) const override;
  // Sets the experience to the total at which `level` begins.
  std::int64_t ResetExpToLevel(int level) override;
  void LevelUp() override;
  void LevelDown() override;

  // ---- Items. Places are 0-36; -1 names the item lying on the player's
  // cell. The bag (7-36) stays packed and sorted by catalogue index.
  int GetInventoryCapacity() const override { return InventorySize; }
  // The items carried: the filled places.
  int CountItems() const override;
  // Stacks where it can, else takes a bag place; false when the item was
  // not taken whole (its count then holds what is left) or not at all.
  bool AddItem(CItem* item) override;
  CItem* GetItem(int slot) const override;
  // The n-th carried item, worn places first; n equal to the carried count
  // gives the item lying on the player's cell.
  CItem* GetItemAt(int n) const override;
  // Hands the item to the caller; worn items come off first.
  void RemoveItem(CItem* item) override;
  void RemoveItemAt(int slot) override;
  // Wears an item: from the bag when it is carried, else straight into its
  // empty place.
  bool Equip(CItem* item) override;
  // Swaps a bag item with what its place wears; refused, with nothing
  // changed, when the bag could not take the worn item back whole.
  bool EquipFromBag(int slot) override;
  bool EquipItem(CItem* item) override;
  bool UnequipToBag(int slot) override;
  bool EquipItem2(CItem* item) override;
  bool CanEquipSlot(int slot) const override;
  bool EquipItem3(CItem* item) override;
  bool CanUnequipSlot(int slot) const override;
  // Whether AddItem would take `item` whole once the places `vacatedA` and
  // `vacatedB` (NoSlot for none) were emptied.
  bool BagWouldTakeWhole(const CItem* item, int vacatedA, int vacatedB) const;
  bool UseItem(int slot) override;
  bool HasResurrection() const override;
  bool HasTelepathy() const override;

  // ---- Resistances
  int GetStatusResistance() const override;
  int GetSlowResistance() const override;
  int GetSleepResistance() const override;
  int GetConfuseResistance() const override;
  int GetPoisonResistance() const override;
  int GetParalyzeResistance() const override;
  int GetBerserkResistance() const override;
  int GetStatus11Resistance() const override;
  int GetWeaknessResistance() const override;

  // ---- Weapon shapes and equipment tests
  bool HasSpearAttack() const override;
  bool HasBroadswordAttack() const override;
  bool HasStaffAttack() const override;
  // Takes the worn flag off the first worn weapon (body armour), which
  // stays in its place; false when none is worn.
  bool UnequipWeapon() override;
  bool UnequipBodyArmor() override;
  bool HasWeaponEquipped() const override;
  // The bow test: anything in the bow place, worn flag or not.
  bool AuxEquipQuery3() const override;
  bool HasBowEquipped() const { return AuxEquipQuery3(); }
  bool HasBodyArmorEquipped() const override;

  // ---- Combat values of a blow, when hit, and of shots
  int GetHealOnHit() const override;
  int GetDrainPercent() const override;
  int GetDrainPercentExtra() const override;  // recoil
#define VORLUMEN_PLAYER_STATUS_CHANCES(Name, Base, Range) \
  int GetOnHit##Name##Chance() const override;            \
  int GetCounter##Name##Chance() const override;          \
  int GetMissile##Name##Chance() const override;
  VORLUMEN_TIMED_STATUSES(VORLUMEN_PLAYER_STATUS_CHANCES)
#undef VORLUMEN_PLAYER_STATUS_CHANCES
  int GetOnHitTeleportChance() const override;
  int GetFireMagicAttack() const override;
  int GetCriticalChance() const override;
  bool HasSureHit() const override;
  int GetDoubleAttackChance() const override;
  int GetDamagePercentVsPoisonous() const override;
  int GetDamagePercentVsDragon() const override;
  int GetMiningPower() const override;
  // Scales with magic power and level.
  int RollDamage(int base) const override;
  int GetCounterDamagePercent() const override;
  int GetHealWhenHitFlat() const override;
  int GetHealWhenHitPercent() const override;
  int GetCounterTeleportChance() const override;
  // Sleep from the player's counter never runs out.
  int RollCounterSleep() const override;
  int GetMissileHealOnHit() const override;
  int GetMissileDrainPercent() const override;
  int GetShotSelfDamage() const override;
  int GetMissileTeleportChance() const override;
  // The fire damage a shot carries: 0, without a draw, when nothing worn
  // gives shots fire.
  int AuxMissileValue1() const override;
  int GetShotCriticalChance() const override;
  bool HasShotSureHit() const override;
  int GetDoubleShotChance() const override;
  int RollShotCount() const override;
  // The percent a shot deals against poisonous foes.
  int AuxMissileValue4() const override;
  int GetArrowKeepChance() const override;
  // Monsters stay weakened; the player recovers after 8 to 13 turns.
  int GetWeaknessDuration() const override;

  // The flights the actions start from the player's cell along its facing:
  // the staff's reach shot, the action item (a fresh copy flies each time),
  // and a wand's bolt.
  void SpawnMagicShot() override;
  void LaunchShot() override;
  void SpawnBoltEffect() override;

  // The ends of the player's flights, each worked out along its facing from
  // its cell, stopped by a wall or the map's edge: the reach shot strikes the
  // first living character within GetMagicShotRange with the melee attack;
  // the selected item's flight is thrown at the first living character met,
  // or lands before the wall (or is lost past the edge) unless it returns;
  // the wand's bolt hits the first living character met when magic reaches
  // it, the edge of the map ending it before any wall. The item's flight
  // counts toward the shots of its action, and the last one gives the worn
  // arrows their place back.
  void EndReachShot() override;
  void EndItemShot() override;
  void EndWandShot() override;
  void ResolveWandBolt(CItem* wand) override;
  // Experience, the carried items' prices, HP squared and ten times the
  // floor squared; doubled while alive.
  int CalcScore() const override;

  // ---- Battle log: one line each in the play screen's message window.
  void OnAttack() override;
  void OnShoot() override;
  void OnDamaged(int damage) override;
  void OnParry() override;
  void OnCritical() override;
  void OnMiss() override;
  void OnDefeated() override;
  void OnGainExp(std::int64_t amount) override;
  void OnLevelUp() override;
  void OnAvoidTrap(int trap) override;
  void OnThrow() override;
  void OnResist() override;
  void OnResistDeath() override;
  void OnQuick() override;
  void OnSlow() override;
  void OnSleep() override;
  void OnConfuse() override;
  void OnPoison() override;
  void OnParalyze() override;
  void OnWeaken() override;
  void OnCure() override;
  void OnEffectEnd() override;

  // ---- The player's own operations
  // The damage of a magic weapon's blow.
  virtual int GetMagicDamage() const;
  // Cells the reach shot covers.
  virtual int GetMagicShotRange() const { return 3; }
  // Back from death: a worn ring of resurrection goes, a worn circlet of
  // resurrection becomes a plain circlet with its stones and refinement,
  // else a carried philosopher's stone goes; full HP, standing.
  virtual void Resurrect();

  // The overlays of what the player holds; they live as long as it does.
  std::unique_ptr<CCharacterPlayerChild1> Companion1;
  std::unique_ptr<CCharacterPlayerChild2> Companion2;

protected:
  // The class growth: the maximum HP in hundredths rises (falls) by `amount`
  // and the level by one; HP rises by what the maximum rose. Nothing happens
  // at the last level (at level 1).
  void GrowLevel(int amount);
  void ShrinkLevel(int amount);

private:
  // The places the player's operations see: its own 37, or fewer when a
  // test points `items` elsewhere.
  int Places() const;
  CItem* At(int slot) const { return items[slot]; }
  void Put(int slot, CItem* item);
  // Empties a filled place (closing the bag's gap) without touching the
  // item's worn flag; the caller owns the item.
  CItem* TakeOut(int slot);
  int FindSlot(const CItem* item) const;
  bool BagIsFull() const;
  // Places `item` (not carried) into the bag at `slot`, moving the rest up.
  void InsertIntoBag(int slot, CItem* item);
  // The ends of an item's flight that does not hit: before a wall the item
  // (one of a stack) lands and only then leaves the player; past the edge
  // it is lost.
  void LandBeforeWall(int slot, CItem* item, int cellX, int cellY);
  void LoseOffTheMap(int slot, CItem* item);
  // The last flight of an action: the worn arrows are worn again and a bag
  // item shot from is no longer.
  void EndShots(int slot, const CItem* shotFrom);

  CItem* ownSlots_[InventorySize] = {};
};
