#pragma once
// The families Slime to ManaEater. Their numbers are their class rows; the
// Mushroom's spores, the Goblin's arrows and the ManaEater's hunger are
// written here.
#include "monsters/CCharacterEnemy.h"

// The Slime's grades have no family class.
class CCharacterSlime1 : public CCharacterEnemy {
public:
  CCharacterSlime1() : CCharacterEnemy(256) {}
};
class CCharacterSlime2 : public CCharacterEnemy {
public:
  CCharacterSlime2() : CCharacterEnemy(257) {}
};
class CCharacterSlime3 : public CCharacterEnemy {
public:
  CCharacterSlime3() : CCharacterEnemy(258) {}
};

class CCharacterRat : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterKobold : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterBat : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterFrog : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterSnake : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Sprays the adjacent player now and then; when the spray ends, whoever
// stands in front gets the grade's status: poison, paralysis (unless
// already paralysed) or confusion.
class CCharacterMushroom : public CCharacterEnemy {
public:
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override;
  void UseSpecialAttack() override { StartSpecial(); }
  void OnShoot() override;
  void SetAnimation(AnimationEntry entry) override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Shoots whenever the player is next to it or in its line of fire and in
// sight; strikes in melee only while confused.
class CCharacterGoblin : public CCharacterEnemy {
public:
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return PlayerInLineOfFire(); }
  void UseSpecialAttack() override { StartSpecial(); }
  void LaunchShot() override;
  // The arrow's flight has ended: it hits the first one standing on the
  // Goblin's line, or lies before the wall.
  void EndItemShot() override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Heads for the nearest edible item it sees, eats what lies under it or
// under a neighbour, and robs the player's bag.
class CCharacterManaEater : public CCharacterEnemy {
public:
  void SearchPlayer() override { SearchItem(); }
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override;
  void UseSpecialAttack() override;

  virtual void SearchItem();
  virtual bool IsEdible(const CItem* item) const;
  // The bag place (7-36) of the player's first edible item, or -1.
  virtual int FindEdibleItem() const;
  // The grade's food list, ended by -1.
  virtual ItemId GetFoodList(int index) const;

protected:
  using CCharacterEnemy::CCharacterEnemy;

private:
  // Faces the first edible item under it or under a neighbour it could
  // strike; false when there is none.
  bool FindFoodAround();
  // Eats one unit of `item`; `bagPlace` -1 for an item on the floor.
  void Eat(CItem* item, int cellX, int cellY, int bagPlace);
};

class CCharacterRat1 : public CCharacterRat {
public:
  CCharacterRat1() : CCharacterRat(259) {}
};
class CCharacterRat2 : public CCharacterRat {
public:
  CCharacterRat2() : CCharacterRat(260) {}
};
class CCharacterRat3 : public CCharacterRat {
public:
  CCharacterRat3() : CCharacterRat(261) {}
};
class CCharacterKobold1 : public CCharacterKobold {
public:
  CCharacterKobold1() : CCharacterKobold(262) {}
};
class CCharacterKobold2 : public CCharacterKobold {
public:
  CCharacterKobold2() : CCharacterKobold(263) {}
};
class CCharacterKobold3 : public CCharacterKobold {
public:
  CCharacterKobold3() : CCharacterKobold(264) {}
};
class CCharacterMushroom1 : public CCharacterMushroom {
public:
  CCharacterMushroom1() : CCharacterMushroom(265) {}
};
class CCharacterMushroom2 : public CCharacterMushroom {
public:
  CCharacterMushroom2() : CCharacterMushroom(266) {}
};
class CCharacterMushroom3 : public CCharacterMushroom {
public:
  CCharacterMushroom3() : CCharacterMushroom(267) {}
};
class CCharacterBat1 : public CCharacterBat {
public:
  CCharacterBat1() : CCharacterBat(268) {}
};
class CCharacterBat2 : public CCharacterBat {
public:
  CCharacterBat2() : CCharacterBat(269) {}
};
class CCharacterBat3 : public CCharacterBat {
public:
  CCharacterBat3() : CCharacterBat(270) {}
};
class CCharacterFrog1 : public CCharacterFrog {
public:
  CCharacterFrog1() : CCharacterFrog(271) {}
};
class CCharacterFrog2 : public CCharacterFrog {
public:
  CCharacterFrog2() : CCharacterFrog(272) {}
};
class CCharacterFrog3 : public CCharacterFrog {
public:
  CCharacterFrog3() : CCharacterFrog(273) {}
};
class CCharacterGoblin1 : public CCharacterGoblin {
public:
  CCharacterGoblin1() : CCharacterGoblin(274) {}
};
class CCharacterGoblin2 : public CCharacterGoblin {
public:
  CCharacterGoblin2() : CCharacterGoblin(275) {}
};
class CCharacterGoblin3 : public CCharacterGoblin {
public:
  CCharacterGoblin3() : CCharacterGoblin(276) {}
};
class CCharacterSnake1 : public CCharacterSnake {
public:
  CCharacterSnake1() : CCharacterSnake(277) {}
};
class CCharacterSnake2 : public CCharacterSnake {
public:
  CCharacterSnake2() : CCharacterSnake(278) {}
};
class CCharacterSnake3 : public CCharacterSnake {
public:
  CCharacterSnake3() : CCharacterSnake(279) {}
};
class CCharacterManaEater1 : public CCharacterManaEater {
public:
  CCharacterManaEater1() : CCharacterManaEater(280) {}
};
class CCharacterManaEater2 : public CCharacterManaEater {
public:
  CCharacterManaEater2() : CCharacterManaEater(281) {}
};
class CCharacterManaEater3 : public CCharacterManaEater {
public:
  CCharacterManaEater3() : CCharacterManaEater(282) {}
};
