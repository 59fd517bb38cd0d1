#pragma once
// The families Gorgon to Mimic, the Treant and the final boss. Their
// numbers are their class rows and their attack sounds, counters and
// resistances their family rows; what they do beyond the shared rules is
// written here.
#include <cstdint>

#include "monsters/CCharacterEnemy.h"

// The families that fight by the shared rules alone (the Doll's counter
// damage is its row's).
class CCharacterDeath : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterDemon : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterDoll : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Gazes at the player in its sight now and then; when the gaze ends he
// falls asleep, is paralysed or is confused by its grade. It never gazes at
// a player already under its grade's status.
class CCharacterGorgon : public CCharacterEnemy {
public:
  void SetAnimation(AnimationEntry entry) override;
  void OnShoot() override;
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override;
  void UseSpecialAttack() override { StartSpecial(); }
  virtual void GlareEffect();

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Breathes fire half the time the player is in its line of fire; the
// first one standing on that line burns, monster or player.
class CCharacterDragon : public CCharacterEnemy {
public:
  void OnShoot() override;
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return PlayerInLineOfFire(); }
  void UseSpecialAttack() override { StartSpecial(); }
  void LaunchShot() override;
  void EndItemShot() override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// A melee blow that hurts it is answered with a gaze (the paralysis itself
// is its row's counter).
class CCharacterEye : public CCharacterEnemy {
public:
  int ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Sets the player's cell aflame from anywhere in sight; fire does it no
// harm (its row).
class CCharacterPyrolisk : public CCharacterEnemy {
public:
  void SetAnimation(AnimationEntry entry) override;
  void OnShoot() override;
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return PlayerInSight(); }
  void UseSpecialAttack() override { AnnounceSpecial(); }
  virtual void Pyrokinesis();

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Raises a Zombie of its grade in front of it, or beside that cell, while
// the player is in sight.
class CCharacterNecromancer : public CCharacterEnemy {
public:
  void SetAnimation(AnimationEntry entry) override;
  void OnShoot() override;
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return PlayerInSight(); }
  void UseSpecialAttack() override { AnnounceSpecial(); }
  // True when a Zombie rose.
  virtual bool SummonUndead();

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// The first grade lies on the floor as a chest, facing down and doing
// nothing, until its animation changes (struck, or striking); it is as
// strong as the floor is deep. Every level it takes is counted from the
// level-30 row, at full HP. The other grades stand undisguised.
class CCharacterMimic : public CCharacterEnemy {
public:
  void TickAnimation() override;
  // Unseen by telepathy it shows on the map as an object.
  bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) override;
  void SetAnimation(AnimationEntry entry) override;
  void SetLevel(int value) override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Lies on the floor as a tree, as the first Mimic lies as a chest.
class CCharacterTreant : public CCharacterEnemy {
public:
  void TickAnimation() override;
  bool DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) override;
  void SetAnimation(AnimationEntry entry) override;
  void SetLevel(int value) override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// The final boss. Between blows it throws magic stones and drinks potions
// by its own rule, summoning a strong monster every sixth special; it
// rises once from its first defeat at full HP, and its real defeat
// silences the floor, removes every other monster and leaves the goal
// item.
class CCharacterAlchemist : public CCharacterEnemy {
public:
  // The specials, numbered as their weights are.
  static constexpr std::uint8_t NoSpecial = 0, StoneOfFire = 1, StoneOfNull = 5, Teleportation = 6,
                                StoneOfSummon = 7, QuickMove = 8;

  // Never fades while it falls.
  void TickAnimation() override;
  // Entering a throw or a drink holds the turn; leaving it carries the
  // special out and gives the hold back. Its first fall is a rising.
  void SetAnimation(AnimationEntry entry) override;
  // Its throws, drinks and rising hold the turn too.
  bool IsActionEntry(AnimationEntry entry) const override;
  void OnShoot() override {}
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return PlayerInSight(); }
  void UseSpecialAttack() override;

  // Carries out the chosen special and clears it.
  virtual void BossAttack();
  // True when a minion was placed, anywhere free on the floor.
  virtual bool SummonMinion();
  // One draw among its six grade-3 minions.
  virtual CharacterType GetMinionType();

  // Its memory lives in the four words every character record keeps, so a
  // suspended fight goes on as it was (a continued boss never rises twice).
  std::int32_t& chosenSpecial = extraWords[0];
  std::int32_t& resurrections = extraWords[1];
  std::int32_t& hpMark = extraWords[2];         // its HP at the last teleport decision
  std::int32_t& summonCounter = extraWords[3];  // decisions since the last summon: the first is one
  bool AreSavedWordsSound(const SavedWords& words) const override;
  void TakeSavedWords(const SavedWords& words) override;

protected:
  explicit CCharacterAlchemist(CharacterType classType);

private:
  void TakeOwnHold(std::uint8_t hold);
  void ReleaseOwnHold(std::uint8_t hold);
  // Whether any character is under a status the stone of null would end.
  bool NullStoneWorthIt() const;
  void RemoveEveryoneElse();
  std::uint8_t ownHolds = 0;
};

class CCharacterGorgon1 : public CCharacterGorgon {
public:
  CCharacterGorgon1() : CCharacterGorgon(337) {}
};
class CCharacterGorgon2 : public CCharacterGorgon {
public:
  CCharacterGorgon2() : CCharacterGorgon(338) {}
};
class CCharacterGorgon3 : public CCharacterGorgon {
public:
  CCharacterGorgon3() : CCharacterGorgon(339) {}
};
class CCharacterDeath1 : public CCharacterDeath {
public:
  CCharacterDeath1() : CCharacterDeath(340) {}
};
class CCharacterDeath2 : public CCharacterDeath {
public:
  CCharacterDeath2() : CCharacterDeath(341) {}
};
class CCharacterDeath3 : public CCharacterDeath {
public:
  CCharacterDeath3() : CCharacterDeath(342) {}
};
class CCharacterDragon1 : public CCharacterDragon {
public:
  CCharacterDragon1() : CCharacterDragon(343) {}
};
class CCharacterDragon2 : public CCharacterDragon {
public:
  CCharacterDragon2() : CCharacterDragon(344) {}
};
class CCharacterDragon3 : public CCharacterDragon {
public:
  CCharacterDragon3() : CCharacterDragon(345) {}
};
class CCharacterDemon1 : public CCharacterDemon {
public:
  CCharacterDemon1() : CCharacterDemon(346) {}
};
class CCharacterDemon2 : public CCharacterDemon {
public:
  CCharacterDemon2() : CCharacterDemon(347) {}
};
class CCharacterDemon3 : public CCharacterDemon {
public:
  CCharacterDemon3() : CCharacterDemon(348) {}
};
class CCharacterEye1 : public CCharacterEye {
public:
  CCharacterEye1() : CCharacterEye(349) {}
};
class CCharacterEye2 : public CCharacterEye {
public:
  CCharacterEye2() : CCharacterEye(350) {}
};
class CCharacterEye3 : public CCharacterEye {
public:
  CCharacterEye3() : CCharacterEye(351) {}
};
class CCharacterDoll1 : public CCharacterDoll {
public:
  CCharacterDoll1() : CCharacterDoll(352) {}
};
class CCharacterDoll2 : public CCharacterDoll {
public:
  CCharacterDoll2() : CCharacterDoll(353) {}
};
class CCharacterDoll3 : public CCharacterDoll {
public:
  CCharacterDoll3() : CCharacterDoll(354) {}
};
class CCharacterPyrolisk1 : public CCharacterPyrolisk {
public:
  CCharacterPyrolisk1() : CCharacterPyrolisk(355) {}
};
class CCharacterPyrolisk2 : public CCharacterPyrolisk {
public:
  CCharacterPyrolisk2() : CCharacterPyrolisk(356) {}
};
class CCharacterPyrolisk3 : public CCharacterPyrolisk {
public:
  CCharacterPyrolisk3() : CCharacterPyrolisk(357) {}
};
class CCharacterNecromancer1 : public CCharacterNecromancer {
public:
  CCharacterNecromancer1() : CCharacterNecromancer(358) {}
};
class CCharacterNecromancer2 : public CCharacterNecromancer {
public:
  CCharacterNecromancer2() : CCharacterNecromancer(359) {}
};
class CCharacterNecromancer3 : public CCharacterNecromancer {
public:
  CCharacterNecromancer3() : CCharacterNecromancer(360) {}
};
// Disguised and rescaled to the current floor.
class CCharacterMimic1 : public CCharacterMimic {
public:
  CCharacterMimic1();
};
class CCharacterMimic2 : public CCharacterMimic {
public:
  CCharacterMimic2() : CCharacterMimic(362) {}
};
class CCharacterMimic3 : public CCharacterMimic {
public:
  CCharacterMimic3() : CCharacterMimic(363) {}
};
// Disguised and rescaled to the current floor.
class CCharacterTreant1 : public CCharacterTreant {
public:
  CCharacterTreant1();
};
class CCharacterAlchemist1 : public CCharacterAlchemist {
public:
  CCharacterAlchemist1() : CCharacterAlchemist(367) {}
};
