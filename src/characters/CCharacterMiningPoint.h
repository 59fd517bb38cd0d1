#pragma once
// The rocks, bushes, trees and chests the player gathers from: characters
// that never act, move or miss, ignore statuses and magic, lose one hit
// point per blow (more to a miner's tools, all of them to a critical), and
// break, scattering what their table gives onto the cells around them.
#include <cstdint>

#include "characters/CCharacter.h"
#include "platform/SoundTables.h"

using ItemId = std::int32_t;

constexpr CharacterType MineType = 768, BushType = 769, TreeType = 770, ChestType = 771;
constexpr CharacterType MineTutorialType = 784, BushTutorialType = 785, TreeTutorialType = 786;

// One row of a material table: an item and its weight. A table ends with
// the item 0.
struct MaterialEntry {
  ItemId Item;
  std::int32_t Weight;
};

class CCharacterMiningPoint : public CCharacter {
public:
  int GetSpriteRow() const override { return 0; }
  // Its object marker on the floor map.
  bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) override;
  // -1 changes nothing; breaking (80) holds the turn for its 4 frames; entry
  // 0 takes the point off the floor. Kinds add their sounds and drops.
  void SetAnimation(AnimationEntry entry) override;
  // A blow takes the attacker's mining power off, a critical takes all;
  // never guarded, and 0 damage taken.
  int ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) override;
  bool RollHit(AttackType, const CCharacter*) const override { return true; }
  // Items may land on it once it has broken.
  bool CanShareCellWithItem() const override { return hp <= 0; }
  bool IsMagicTarget() const override { return false; }
  // Statuses pass it by; a disguise is the one it takes.
#define VORLUMEN_IGNORE_INFLICT(Name, Base, Range) \
  void Inflict##Name(int turns) override { InflictOnlyDisguise(StatusKind::Name, turns); }
  VORLUMEN_TIMED_STATUSES(VORLUMEN_IGNORE_INFLICT)
#undef VORLUMEN_IGNORE_INFLICT
  void SetRegenerate(int, int) override {}
  void InflictDoubleAttack(int) override {}
  void InflictResistance(int) override {}
  void InflictStrUp(int) override {}
  void InflictDefUp(int) override {}
  void InflictDexUp(int) override {}
  void InflictIntUp(int) override {}
  void ShowMissEffect() override {}
  bool IsMiningPoint() const override { return true; }

  // A weighted pick from the material table, one draw; NoItem (no draw)
  // when the table weighs nothing.
  virtual ItemId PickMaterial() const;
  // The table of the current progress; the base's is empty.
  virtual const MaterialEntry* GetMaterialTable() const;

protected:
  void InflictOnlyDisguise(StatusKind kind, int turns) {
    if (kind == StatusKind::Disguise) CCharacter::InflictDisguise(turns);
  }
  // hp and the sheet column of the kind.
  CCharacterMiningPoint(int hitPoints, int column);
  // Drops `item` (owned; null drops nothing) around the point and shows it
  // hopping there; an item with nowhere to land is deleted.
  void Scatter(CItem* item);
  // What a rock, bush or tree adds to an entry: a sound for the first blow
  // of a shake and for breaking, and three materials when the breaking ends.
  void GatherStep(AnimationEntry entry, SoundEffectId hitSound, SoundEffectId breakSound);
};

class CCharacterMine : public CCharacterMiningPoint {
public:
  CCharacterMine();
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};

class CCharacterBush : public CCharacterMiningPoint {
public:
  CCharacterBush();
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};

class CCharacterTree : public CCharacterMiningPoint {
public:
  CCharacterTree();
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};

// One blow opens it; it gives one item of the floor's own table.
class CCharacterChest : public CCharacterMiningPoint {
public:
  CCharacterChest();
  void SetAnimation(AnimationEntry entry) override;
};

// The tutorial's points: one material each, and a word of praise when they
// break.
class CCharacterMineTutorial : public CCharacterMine {
public:
  CCharacterMineTutorial() { type = MineTutorialType; }
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};

class CCharacterBushTutorial : public CCharacterBush {
public:
  CCharacterBushTutorial() { type = BushTutorialType; }
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};

class CCharacterTreeTutorial : public CCharacterTree {
public:
  CCharacterTreeTutorial() { type = TreeTutorialType; }
  void SetAnimation(AnimationEntry entry) override;
  const MaterialEntry* GetMaterialTable() const override;
};
