// The Ghost's fire, the Vampire's spell, the Spider's web, the Shadow's
// appearing, the LivingArmor's guard and the Zombie's rising.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "monsters/MonsterTestSupport.h"
#include "monsters/MonstersSkeletonToVampire.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::MonsterTurn;
using monstertest::RunFrames;
using monstertest::SettleHolds;
using monstertest::TestPlayer;

constexpr CharacterType Ghost1 = 286, Ghost3 = 288, Zombie1 = 292, Spider1 = 304, LivingArmor1 = 313,
                        Shadow1 = 319, Vampire1 = 334, Vampire3 = 336, Rat = 259;

int Status(const CCharacter* c, StatusKind kind) { return c->status[static_cast<int>(kind)]; }

class Monsters : public MonsterFixture {
protected:
  void SetUp() override {
    MonsterFixture::SetUp();
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
  }
  // One action of `m`, played out.
  bool Act(CCharacterEnemy* m) {
    m->actionPoints = 2;
    const bool acted = m->DecideAction();
    SettleHolds();
    return acted;
  }
  void Vacate(int x, int y) { floor_->characterAt[CellIndex(x, y)] = nullptr; }
  // Each of `turns` turns as "x,y messages", `m`'s cell after the turn.
  std::vector<std::string> Trace(const CCharacterEnemy* m, int turns) {
    std::vector<std::string> trace;
    for (int turn = 0; turn < turns; ++turn) {
      GetGameInputMain()->CloseMessage();
      MonsterTurn();
      trace.push_back(std::to_string(m->x) + "," + std::to_string(m->y) + " " + Messages());
    }
    return trace;
  }
};

// ---- Ghost fire and the Vampire's spell

TEST_F(Monsters, AGhostsFireInTurns) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* ghost = Spawn(Ghost1, 1, 2);
  ghost->StartTurn();
  SeedRandom(1);
  // In line and in sight it casts half the time, else comes nearer; its
  // magic 8 burns for 6 to 9, whatever the defence.
  EXPECT_EQ(Trace(ghost, 4), (std::vector<std::string>{"2,2 ", "2,2 SPIRIT SHOT GHOST FIRE!|YOU TOOK 7 DAMAGE!",
                                                        "3,2 ", "3,2 SPIRIT SHOT GHOST FIRE!|YOU TOOK 6 DAMAGE!"}));
  EXPECT_EQ(player->hp, player->maxHp - 13);
  EXPECT_EQ(player->lastAttacker, ghost);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, TheFireFliesAndBurstsBeforeItBurns) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* ghost = Spawn(Ghost3, 1, 2);
  ghost->actionPoints = 2;
  ASSERT_TRUE(ghost->DecideAction());
  EXPECT_EQ(ghost->animEntry, AnimationThrow);
  for (int frame = 0; frame < 10 && ghost->animEntry != 31; ++frame) RunFrames(1);
  ASSERT_EQ(ghost->animEntry, 31);
  // Cast, in the air and holding the turn; nobody burnt yet.
  EXPECT_EQ(floor_->Effects.GetCount(), 1);
  EXPECT_GT(Holds(), 0);
  int frames = 0;
  while (Holds() > 0 && frames < 200 && player->hp == player->maxHp) {
    RunFrames(1);
    ++frames;
  }
  // Four cells at two frames a cell, then the ten frames of its burst.
  EXPECT_GT(frames, 10);
  EXPECT_LT(player->hp, player->maxHp);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, NextToThePlayerTheCastersNeverStrikeUnlessConfused) {
  TestPlayer* player = PlacePlayer(2, 2);
  for (CharacterType type : {Ghost1, Vampire1}) {
    SCOPED_TRACE(type);
    CCharacterEnemy* caster = Spawn(type, 3, 2);
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
      SeedRandom(seed);
      caster->actionPoints = 2;
      ASSERT_TRUE(caster->DecideAction());
      EXPECT_EQ(caster->animEntry, AnimationThrow);
      SettleHolds();
      player->hp = player->maxHp;
      player->ClearAllStatuses();
    }
    // Confused, it swings at whatever it faces.
    caster->InflictConfuse(50);
    caster->actionPoints = 2;
    ASSERT_TRUE(caster->DecideAction());
    EXPECT_EQ(caster->animEntry, AnimationAttack);
    SettleHolds();
    EXPECT_EQ(Holds(), 0);
    caster->hp = 0;
    Vacate(3, 2);
  }
}

TEST_F(Monsters, TheCastReachesTheFirstOneStillStandingOnItsLine) {
  enum class Hit { Rat, Player, Nobody };
  struct Case {
    const char* Name;
    std::vector<std::string> Floor;
    bool RatFalling;
    bool RatListed;
    Hit Expected;
  };
  const Case cases[] = {
      {"in the way", {"#######", "#.....#", "#######"}, false, true, Hit::Rat},
      // A falling character is never struck down twice.
      {"falling", {"#######", "#.....#", "#######"}, true, true, Hit::Player},
      // On the grid but gone from the floor's list: nobody to hit there.
      {"unlisted", {"#######", "#.....#", "#######"}, false, false, Hit::Player},
      {"behind a wall", {"#######", "#.#...#", "#######"}, false, true, Hit::Nobody},
  };
  for (const Case& c : cases) {
    for (CharacterType type : {Ghost1, Vampire1}) {
      SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(type));
      UseFloor(c.Floor);
      TestPlayer* player = PlacePlayer(5, 1);
      CCharacterEnemy* caster = Spawn(type, 1, 1);
      caster->direction = DirectionRight;
      std::unique_ptr<CCharacter> unlisted;
      CCharacter* rat = nullptr;
      if (c.Floor[1][3] == '.') {
        if (c.RatListed) {
          rat = Spawn(Rat, 3, 1);
        } else {
          unlisted.reset(CreateCharacter(Rat));
          rat = unlisted.get();
          rat->SetPosition(3, 1);
          floor_->MoveCharacterTo(3, 1, rat);
        }
        if (c.RatFalling) rat->hp = 0;
      }
      caster->EndItemShot();
      EXPECT_EQ(rat && rat->lastAttacker == caster, c.Expected == Hit::Rat);
      EXPECT_EQ(player->lastAttacker == caster, c.Expected == Hit::Player);
      SettleHolds();
      EXPECT_EQ(Holds(), 0);
      if (unlisted) Vacate(3, 1);
    }
  }
  // Facing the map's edge with nothing before it.
  UseFloor({"...", "..."});
  CCharacterEnemy* ghost = Spawn(Ghost1, 2, 0);
  ghost->direction = DirectionRight;
  ghost->EndItemShot();
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, FireBurnsAZombieTwiceOverButTheSpellDoesNot) {
  struct Case {
    CharacterType Caster;
    int Factor;
  };
  for (const Case& c : {Case{Ghost3, 2}, Case{Vampire3, 1}}) {
    SCOPED_TRACE(c.Caster);
    UseFloor({"#######", "#.....#", "#######"});
    CCharacterEnemy* caster = Spawn(c.Caster, 1, 1);
    CCharacterEnemy* zombie = Spawn(Zombie1, 3, 1);
    caster->direction = DirectionRight;
    SeedRandom(11);
    const int drawn = (800 + Random() % 401) * caster->intelligence / 1000;
    SeedRandom(11);
    caster->EndItemShot();
    EXPECT_EQ(zombie->maxHp - zombie->hp, c.Factor * drawn);
    SettleHolds();
  }
}

TEST_F(Monsters, AVampiresSpellInTurnsWithItsStatus) {
  TestPlayer* player = PlacePlayer(5, 2);
  CCharacterEnemy* vampire = Spawn(Vampire1, 1, 2);
  vampire->StartTurn();
  SeedRandom(4);
  // The second spell wakes the player it put to sleep, and paralyses him.
  EXPECT_EQ(Trace(vampire, 4),
            (std::vector<std::string>{"1,2 VAMPIRE CAST A SPELL!|YOU TOOK 21 DAMAGE!|YOU SLEPT!", "2,2 ", "3,2 ",
                                      "3,2 VAMPIRE CAST A SPELL!|YOU TOOK 19 DAMAGE!|YOU'RE PARALYZED!"}));
  EXPECT_FALSE(player->IsSleep());
  EXPECT_EQ(Status(player, StatusKind::Paralyze), 1);  // two turns, one gone by
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, TheSpellAddsAStatusByItsGradesChance) {
  TestPlayer* player = PlacePlayer(5, 1);
  const StatusKind six[] = {StatusKind::Slow,     StatusKind::Sleep,    StatusKind::Confuse,
                            StatusKind::Poison,   StatusKind::Paralyze, StatusKind::Weakness};
  struct Case {
    CharacterType Type;
    int Expected;  // of 400 spells
  };
  for (const Case& c : {Case{Vampire1, 80}, Case{Vampire1 + 1, 120}, Case{Vampire3, 160}}) {
    SCOPED_TRACE(c.Type);
    auto* vampire = static_cast<CCharacterVampire*>(Spawn(c.Type, 1, 1));
    int added = 0;
    std::set<int> kinds;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
      SeedRandom(seed);
      vampire->CastSpell(player);
      SettleHolds();
      for (StatusKind kind : six) {
        const int turns = Status(player, kind);
        if (turns == 0) continue;
        ++added;
        kinds.insert(static_cast<int>(kind));
        if (kind == StatusKind::Slow || kind == StatusKind::Weakness) {
          EXPECT_EQ(turns, 10);
        }
        if (kind == StatusKind::Paralyze) {
          EXPECT_EQ(turns, 2);
        }
      }
      player->ClearAllStatuses();
      player->hp = player->maxHp;
    }
    EXPECT_NEAR(added, c.Expected, 30);
    EXPECT_EQ(kinds.size(), 6u);
    vampire->hp = 0;
    Vacate(1, 1);
  }
}

TEST_F(Monsters, TheSpellRenewsNoStatusAndAddsNoneWithoutDamage) {
  TestPlayer* player = PlacePlayer(5, 1);
  auto* vampire = static_cast<CCharacterVampire*>(Spawn(Vampire3, 1, 1));
  // Statuses a blow does not wake from are kept as they are.
  const StatusKind kept[] = {StatusKind::Slow, StatusKind::Confuse, StatusKind::Poison, StatusKind::Paralyze,
                             StatusKind::Weakness};
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    for (StatusKind kind : kept) player->status[static_cast<int>(kind)] = 3;
    SeedRandom(seed);
    vampire->CastSpell(player);
    SettleHolds();
    for (StatusKind kind : kept) EXPECT_EQ(Status(player, kind), 3) << seed;
    player->hp = player->maxHp;
  }
  // No damage, no status.
  player->ClearAllStatuses();
  player->InflictInvincible(-1);
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    SeedRandom(seed);
    vampire->CastSpell(player);
    SettleHolds();
    for (StatusKind kind : kept) EXPECT_EQ(Status(player, kind), 0) << seed;
    EXPECT_FALSE(player->IsSleep());
  }
  EXPECT_EQ(player->hp, player->maxHp);
  vampire->CastSpell(nullptr);
}

// ---- The Spider's web

TEST_F(Monsters, ASpidersWebInTurns) {
  TestPlayer* player = PlacePlayer(2, 2);
  CCharacterEnemy* spider = Spawn(Spider1, 2, 4);
  spider->StartTurn();
  SeedRandom(8);
  EXPECT_EQ(Trace(spider, 3), (std::vector<std::string>{"2,3 ", "2,3 SPIDER SPUN A WEB!|YOU SLOWED DOWN!",
                                                         "2,3 SPIDER ATTACKED!|MISSED!"}));
  EXPECT_EQ(Status(player, StatusKind::Slow), 8);  // ten turns, two gone by
  EXPECT_EQ(player->hp, player->maxHp);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, ASpiderSpinsAboutEveryThirdActionAndOnlyAtTheAdjacentPlayer) {
  TestPlayer* player = PlacePlayer(2, 2);
  player->InflictInvincible(-1);
  CCharacterEnemy* spider = Spawn(Spider1, 2, 3);
  int webs = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SeedRandom(seed);
    spider->actionPoints = 2;
    ASSERT_TRUE(spider->DecideAction());
    webs += spider->animEntry == AnimationThrow;
    SettleHolds();
  }
  EXPECT_NEAR(webs, 90, 25);
  // Two cells off it neither spins nor bites.
  floor_->MoveCharacterTo(2, 1, player);
  player->SetPosition(2, 1);
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    spider->actionPoints = 2;
    EXPECT_FALSE(spider->DecideAction());
  }
}

TEST_F(Monsters, TheWebCatchesWhoeverStandsInFrontWhenItEnds) {
  enum class Then { Ends, PlayerStepsAway, HurtMidway };
  struct Case {
    const char* Name;
    Then What;
    bool RatInFront;
    bool PlayerSlowed, RatSlowed;
  };
  const Case cases[] = {
      {"the player", Then::Ends, false, true, false},
      {"the player stepped away", Then::PlayerStepsAway, false, false, false},
      {"another monster", Then::Ends, true, false, true},
      {"cut short", Then::HurtMidway, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
    TestPlayer* player = PlacePlayer(2, 1);
    CCharacterEnemy* spider = Spawn(Spider1, 2, 2);
    CCharacterEnemy* rat = c.RatInFront ? Spawn(Rat, 3, 2) : nullptr;
    spider->direction = c.RatInFront ? DirectionRight : DirectionUp;
    spider->UseSpecialAttack();
    EXPECT_EQ(spider->animEntry, AnimationThrow);
    RunFrames(5);
    EXPECT_FALSE(player->IsSlow());  // not while it spins
    if (c.What == Then::PlayerStepsAway) {
      EXPECT_TRUE(PlayerSteps(DirectionLeft));
    }
    if (c.What == Then::HurtMidway) {
      spider->ReceiveAttack(4, false, 1, player);
      EXPECT_TRUE(player->IsSlow());  // at once
    }
    SettleHolds();
    EXPECT_EQ(player->IsSlow(), c.PlayerSlowed);
    if (rat) {
      EXPECT_EQ(rat->IsSlow(), c.RatSlowed);
    }
    EXPECT_EQ(Holds(), 0);
  }
}

// ---- The Shadow's appearing

TEST_F(Monsters, AShadowAppearsInTurnsAsItFirstAttacks) {
  TestPlayer* player = PlacePlayer(2, 1);
  player->evasion = 0;
  CCharacterEnemy* shadow = Spawn(Shadow1, 2, 3);
  shadow->StartTurn();
  SeedRandom(2);
  // Unseen it steps up; then it shows itself and strikes.
  EXPECT_EQ(MonsterTurn(), 0);
  EXPECT_EQ(shadow->y, 2);
  EXPECT_TRUE(shadow->IsInvisible());
  EXPECT_EQ(MonsterTurn(), 1);
  EXPECT_FALSE(shadow->IsInvisible());
  EXPECT_EQ(shadow->alpha, 255);
  EXPECT_LT(player->hp, player->maxHp);
  EXPECT_EQ(Holds(), 0);
  // For good.
  for (int turn = 0; turn < 5; ++turn) MonsterTurn();
  EXPECT_FALSE(shadow->IsInvisible());
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, TheShadowsFirstAttackFadesInThenStrikesAtItsEntry) {
  TestPlayer* player = PlacePlayer(2, 1);
  player->evasion = 0;
  CCharacterEnemy* shadow = Spawn(Shadow1, 2, 2);
  shadow->direction = DirectionUp;
  shadow->SetAnimation(AnimationAttack);
  EXPECT_EQ(shadow->animEntry, 29);
  EXPECT_EQ(shadow->alpha, 0);
  EXPECT_EQ(Holds(), 1);
  std::vector<int> entries{shadow->animEntry}, alphas;
  AnimationEntry struckAt = -1;
  for (int frame = 0; frame < 40 && shadow->animEntry != AnimationIdle; ++frame) {
    shadow->TickAnimation();
    if (shadow->animEntry == 29) alphas.push_back(shadow->alpha);
    if (entries.back() != shadow->animEntry) entries.push_back(shadow->animEntry);
    if (struckAt < 0 && player->hp < player->maxHp) struckAt = shadow->animEntry;
    EXPECT_GE(Holds(), 1);
  }
  EXPECT_EQ(entries, (std::vector<int>{29, 20, 21, 22, 23, 24, 25, 26, 27, 10}));
  EXPECT_EQ(alphas, (std::vector<int>{32, 64, 96, 128, 160, 192, 224, 255, 255}));
  EXPECT_EQ(struckAt, 24);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
  // Seen, it attacks at once.
  shadow->SetAnimation(AnimationAttack);
  EXPECT_EQ(shadow->animEntry, AnimationAttack);
  EXPECT_EQ(Holds(), 1);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Monsters, AShadowStruckUnseenWakesFadesInAndDiesInFullView) {
  TestPlayer* player = PlacePlayer(2, 1);
  CCharacterEnemy* shadow = Spawn(Shadow1, 2, 2);
  shadow->InflictSleepRandom();
  SettleHolds();  // its caption
  shadow->ReceiveAttack(4, false, 5, player);
  EXPECT_EQ(shadow->animEntry, 79);
  EXPECT_FALSE(shadow->IsSleep());
  EXPECT_FALSE(shadow->IsInvisible());
  EXPECT_EQ(shadow->alpha, 0);
  EXPECT_EQ(Holds(), 1);
  for (int frame = 0; frame < 10; ++frame) shadow->TickAnimation();
  EXPECT_EQ(shadow->animEntry, AnimationHurt);
  EXPECT_EQ(shadow->alpha, 255);
  EXPECT_EQ(Holds(), 1);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);

  // Struck down unseen: no fade-in, fully drawn as it falls.
  CCharacterEnemy* other = Spawn(Shadow1 + 2, 3, 1);
  other->ReceiveAttack(4, false, 100000, player);
  EXPECT_EQ(other->animEntry, AnimationDying);
  EXPECT_FALSE(other->IsInvisible());
  EXPECT_EQ(other->alpha, 255);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(floor_->GetCharacterAt(3, 1), nullptr);
}

// ---- The LivingArmor's guard and the Zombie's rising

TEST_F(Monsters, ALivingArmorParriesBlowsFromTheFrontInAGuardPose) {
  TestPlayer* player = PlacePlayer(2, 1);
  player->direction = DirectionDown;
  CCharacterEnemy* armor = Spawn(LivingArmor1, 2, 2);
  armor->direction = DirectionUp;
  SeedRandom(3);
  std::string blows;
  for (int blow = 0; blow < 8; ++blow) {
    GetGameInputMain()->CloseMessage();
    const int hp = armor->hp;
    armor->ReceiveAttack(0, false, 8, player);
    const bool parried = armor->animEntry == AnimationGuard;
    blows += parried ? 'P' : '.';
    if (parried) {
      EXPECT_EQ(armor->hp, hp);
      EXPECT_EQ(Messages(), "LIVING ARMOR PARRIED!");
      for (int frame = 0; frame < 4; ++frame) armor->TickAnimation();
      EXPECT_EQ(armor->animEntry, AnimationIdle);
    } else {
      EXPECT_LT(armor->hp, hp);
      EXPECT_EQ(armor->animEntry, AnimationHurt);
    }
    SettleHolds();
    armor->hp = armor->maxHp;
  }
  EXPECT_EQ(blows, ".P...P..");
  EXPECT_EQ(Holds(), 0);
  // From behind, never.
  armor->direction = DirectionDown;
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    SeedRandom(seed);
    armor->ReceiveAttack(0, false, 8, player);
    EXPECT_EQ(armor->animEntry, AnimationHurt);
    SettleHolds();
    armor->hp = armor->maxHp;
  }
}

TEST_F(Monsters, ARaisedZombieFadesInOverElevenTicks) {
  CCharacterEnemy* zombie = Spawn(Zombie1, 2, 2);
  zombie->SetAlpha(0);
  zombie->SetAnimation(90);
  int ticks = 0;
  while (zombie->animEntry == 90 && ticks < 300) {
    zombie->TickAnimation();
    ++ticks;
  }
  EXPECT_EQ(ticks, 11);
  EXPECT_EQ(zombie->animEntry, AnimationIdle);
  EXPECT_EQ(zombie->alpha, 255);
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
