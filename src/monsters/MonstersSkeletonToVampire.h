#pragma once
// The families Skeleton to Vampire. Their numbers are their class rows and
// their attack sounds their family rows; the Ghost's fire, the Vampire's
// spell, the Spider's web and the Shadow's appearing are written here. The
// LivingArmor's guard pose and the Zombie's rising are entries of their
// tables.
#include "monsters/CCharacterEnemy.h"

// The families that fight by the shared rules alone.
class CCharacterSkeleton : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterImp : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterZombie : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterMerman : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterHarpy : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterWerewolf : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterDog : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterBee : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterLivingArmor : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterCyclops : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterMinotaur : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterSamurai : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterGorem : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};
class CCharacterGargoyle : public CCharacterEnemy {
protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Casts ghost fire whenever the player is next to it or in its line of
// fire and in sight; strikes in melee only while confused.
class CCharacterGhost : public CCharacterEnemy {
public:
  bool WantsSpecialAttack() override { return WantsToCast(); }
  bool CanUseSpecialAttack() override { return PlayerInLineOfFire(); }
  void UseSpecialAttack() override { StartSpecial(); }
  void OnShoot() override;
  void LaunchShot() override;
  // The fire has burst or died against a wall: the first one standing on
  // the Ghost's line burns.
  void EndItemShot() override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Casts its spell as the Ghost casts its fire: magic damage, and by the
// grade's chance one of six bad statuses.
class CCharacterVampire : public CCharacterEnemy {
public:
  bool WantsSpecialAttack() override { return WantsToCast(); }
  bool CanUseSpecialAttack() override { return PlayerInLineOfFire(); }
  void UseSpecialAttack() override { StartSpecial(); }
  void OnShoot() override;
  void LaunchShot() override;
  // The spell has burst or died against a wall: it falls on the first one
  // standing on the Vampire's line.
  void EndItemShot() override;
  // The spell on one character.
  virtual void CastSpell(CCharacter* target);

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Spins a web now and then at the adjacent player instead of biting; when
// the web is done (or cut short), whoever stands in front is slowed.
class CCharacterSpider : public CCharacterEnemy {
public:
  bool WantsSpecialAttack() override;
  bool CanUseSpecialAttack() override { return CanAttackPlayer(); }
  void UseSpecialAttack() override { StartSpecial(); }
  void OnShoot() override;
  void SetAnimation(AnimationEntry entry) override;

protected:
  using CCharacterEnemy::CCharacterEnemy;
};

// Invisible from birth; its first attack, hurt or death shows it for good,
// attack and hurt after a fade-in that holds the turn.
class CCharacterShadow : public CCharacterEnemy {
public:
  void SetAnimation(AnimationEntry entry) override;
  void TickAnimation() override;

protected:
  using CCharacterEnemy::CCharacterEnemy;

private:
  // The fade-in before the hurt pose holds the turn until the pose ends.
  bool appearingHurt = false;
};

class CCharacterSkeleton1 : public CCharacterSkeleton {
public:
  CCharacterSkeleton1() : CCharacterSkeleton(283) {}
};
class CCharacterSkeleton2 : public CCharacterSkeleton {
public:
  CCharacterSkeleton2() : CCharacterSkeleton(284) {}
};
class CCharacterSkeleton3 : public CCharacterSkeleton {
public:
  CCharacterSkeleton3() : CCharacterSkeleton(285) {}
};
class CCharacterGhost1 : public CCharacterGhost {
public:
  CCharacterGhost1() : CCharacterGhost(286) {}
};
class CCharacterGhost2 : public CCharacterGhost {
public:
  CCharacterGhost2() : CCharacterGhost(287) {}
};
class CCharacterGhost3 : public CCharacterGhost {
public:
  CCharacterGhost3() : CCharacterGhost(288) {}
};
class CCharacterImp1 : public CCharacterImp {
public:
  CCharacterImp1() : CCharacterImp(289) {}
};
class CCharacterImp2 : public CCharacterImp {
public:
  CCharacterImp2() : CCharacterImp(290) {}
};
class CCharacterImp3 : public CCharacterImp {
public:
  CCharacterImp3() : CCharacterImp(291) {}
};
class CCharacterZombie1 : public CCharacterZombie {
public:
  CCharacterZombie1() : CCharacterZombie(292) {}
};
class CCharacterZombie2 : public CCharacterZombie {
public:
  CCharacterZombie2() : CCharacterZombie(293) {}
};
class CCharacterZombie3 : public CCharacterZombie {
public:
  CCharacterZombie3() : CCharacterZombie(294) {}
};
class CCharacterMerman1 : public CCharacterMerman {
public:
  CCharacterMerman1() : CCharacterMerman(295) {}
};
class CCharacterMerman2 : public CCharacterMerman {
public:
  CCharacterMerman2() : CCharacterMerman(296) {}
};
class CCharacterMerman3 : public CCharacterMerman {
public:
  CCharacterMerman3() : CCharacterMerman(297) {}
};
class CCharacterHarpy1 : public CCharacterHarpy {
public:
  CCharacterHarpy1() : CCharacterHarpy(298) {}
};
class CCharacterHarpy2 : public CCharacterHarpy {
public:
  CCharacterHarpy2() : CCharacterHarpy(299) {}
};
class CCharacterHarpy3 : public CCharacterHarpy {
public:
  CCharacterHarpy3() : CCharacterHarpy(300) {}
};
class CCharacterWerewolf1 : public CCharacterWerewolf {
public:
  CCharacterWerewolf1() : CCharacterWerewolf(301) {}
};
class CCharacterWerewolf2 : public CCharacterWerewolf {
public:
  CCharacterWerewolf2() : CCharacterWerewolf(302) {}
};
class CCharacterWerewolf3 : public CCharacterWerewolf {
public:
  CCharacterWerewolf3() : CCharacterWerewolf(303) {}
};
class CCharacterSpider1 : public CCharacterSpider {
public:
  CCharacterSpider1() : CCharacterSpider(304) {}
};
class CCharacterSpider2 : public CCharacterSpider {
public:
  CCharacterSpider2() : CCharacterSpider(305) {}
};
class CCharacterSpider3 : public CCharacterSpider {
public:
  CCharacterSpider3() : CCharacterSpider(306) {}
};
class CCharacterDog1 : public CCharacterDog {
public:
  CCharacterDog1() : CCharacterDog(307) {}
};
class CCharacterDog2 : public CCharacterDog {
public:
  CCharacterDog2() : CCharacterDog(308) {}
};
class CCharacterDog3 : public CCharacterDog {
public:
  CCharacterDog3() : CCharacterDog(309) {}
};
class CCharacterBee1 : public CCharacterBee {
public:
  CCharacterBee1() : CCharacterBee(310) {}
};
class CCharacterBee2 : public CCharacterBee {
public:
  CCharacterBee2() : CCharacterBee(311) {}
};
class CCharacterBee3 : public CCharacterBee {
public:
  CCharacterBee3() : CCharacterBee(312) {}
};
class CCharacterLivingArmor1 : public CCharacterLivingArmor {
public:
  CCharacterLivingArmor1() : CCharacterLivingArmor(313) {}
};
class CCharacterLivingArmor2 : public CCharacterLivingArmor {
public:
  CCharacterLivingArmor2() : CCharacterLivingArmor(314) {}
};
class CCharacterLivingArmor3 : public CCharacterLivingArmor {
public:
  CCharacterLivingArmor3() : CCharacterLivingArmor(315) {}
};
class CCharacterCyclops1 : public CCharacterCyclops {
public:
  CCharacterCyclops1() : CCharacterCyclops(316) {}
};
class CCharacterCyclops2 : public CCharacterCyclops {
public:
  CCharacterCyclops2() : CCharacterCyclops(317) {}
};
class CCharacterCyclops3 : public CCharacterCyclops {
public:
  CCharacterCyclops3() : CCharacterCyclops(318) {}
};
class CCharacterShadow1 : public CCharacterShadow {
public:
  CCharacterShadow1() : CCharacterShadow(319) {}
};
class CCharacterShadow2 : public CCharacterShadow {
public:
  CCharacterShadow2() : CCharacterShadow(320) {}
};
class CCharacterShadow3 : public CCharacterShadow {
public:
  CCharacterShadow3() : CCharacterShadow(321) {}
};
class CCharacterMinotaur1 : public CCharacterMinotaur {
public:
  CCharacterMinotaur1() : CCharacterMinotaur(322) {}
};
class CCharacterMinotaur2 : public CCharacterMinotaur {
public:
  CCharacterMinotaur2() : CCharacterMinotaur(323) {}
};
class CCharacterMinotaur3 : public CCharacterMinotaur {
public:
  CCharacterMinotaur3() : CCharacterMinotaur(324) {}
};
class CCharacterSamurai1 : public CCharacterSamurai {
public:
  CCharacterSamurai1() : CCharacterSamurai(325) {}
};
class CCharacterSamurai2 : public CCharacterSamurai {
public:
  CCharacterSamurai2() : CCharacterSamurai(326) {}
};
class CCharacterSamurai3 : public CCharacterSamurai {
public:
  CCharacterSamurai3() : CCharacterSamurai(327) {}
};
class CCharacterGorem1 : public CCharacterGorem {
public:
  CCharacterGorem1() : CCharacterGorem(328) {}
};
class CCharacterGorem2 : public CCharacterGorem {
public:
  CCharacterGorem2() : CCharacterGorem(329) {}
};
class CCharacterGorem3 : public CCharacterGorem {
public:
  CCharacterGorem3() : CCharacterGorem(330) {}
};
class CCharacterGargoyle1 : public CCharacterGargoyle {
public:
  CCharacterGargoyle1() : CCharacterGargoyle(331) {}
};
class CCharacterGargoyle2 : public CCharacterGargoyle {
public:
  CCharacterGargoyle2() : CCharacterGargoyle(332) {}
};
class CCharacterGargoyle3 : public CCharacterGargoyle {
public:
  CCharacterGargoyle3() : CCharacterGargoyle(333) {}
};
class CCharacterVampire1 : public CCharacterVampire {
public:
  CCharacterVampire1() : CCharacterVampire(334) {}
};
class CCharacterVampire2 : public CCharacterVampire {
public:
  CCharacterVampire2() : CCharacterVampire(335) {}
};
class CCharacterVampire3 : public CCharacterVampire {
public:
  CCharacterVampire3() : CCharacterVampire(336) {}
};
