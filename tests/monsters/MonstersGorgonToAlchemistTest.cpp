// The families Gorgon to Mimic and the Treant: their rows and tables, the
// disguised kinds, the gaze, the breath, pyrokinesis, the raising of the
// dead and the Eye's and the Doll's counters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "characters/CCharacterEffect.h"
#include "monsters/MonsterTestSupport.h"
#include "monsters/MonstersGorgonToAlchemist.h"

namespace {

using monstertest::AnyEnemy;
using monstertest::MonsterFixture;
using monstertest::MonsterTurn;
using monstertest::RunFrames;
using monstertest::SettleHolds;
using monstertest::TestPlayer;

constexpr CharacterType Gorgon1 = 337, Dragon1 = 343, Dragon2 = 344, Eye1 = 349, Doll1 = 352, Pyrolisk1 = 355,
                        Necromancer1 = 358, Mimic1 = 361, Mimic2 = 362, Treant1 = 364, Alchemist1 = 367;

int Status(const CCharacter* c, StatusKind kind) { return c->status[static_cast<int>(kind)]; }

std::unique_ptr<CCharacterEnemy> Make(CharacterType type) {
  return std::unique_ptr<CCharacterEnemy>(static_cast<CCharacterEnemy*>(CreateCharacter(type)));
}

// The floor number the disguised kinds are made for, put back afterwards.
class FloorNumber {
public:
  explicit FloorNumber(std::uint32_t n) : saved_(GetGameMain()->Settings.Block.FloorNumber) {
    GetGameMain()->Settings.Block.FloorNumber = n;
  }
  ~FloorNumber() { GetGameMain()->Settings.Block.FloorNumber = saved_; }

private:
  std::uint32_t saved_;
};

// ---- Rows and tables

TEST(MonsterConstruction, GorgonToAlchemistStandAsTheirRowsSay) {
  FloorNumber floor(30);  // the disguised kinds keep their rows there
  for (CharacterType type = 337; type <= 367; ++type) {
    SCOPED_TRACE(type);
    const MonsterClassRow* row = FindMonsterClass(type);
    auto m = Make(type);
    if (type == 365 || type == 366) {
      EXPECT_EQ(row, nullptr);
      EXPECT_EQ(m, nullptr);
      continue;
    }
    ASSERT_NE(row, nullptr);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->type, type);
    EXPECT_EQ(m->spareFlag, 1);
    EXPECT_EQ(m->level, row->Level);
    EXPECT_EQ(m->exp, row->Exp);
    EXPECT_EQ(m->hp, row->Hp);
    EXPECT_EQ(m->maxHp, row->MaxHp);
    EXPECT_EQ(m->attack, row->Attack);
    EXPECT_EQ(m->defence, row->Defence);
    EXPECT_EQ(m->intelligence, row->Magic);
    EXPECT_EQ(m->strength, 0);
    EXPECT_EQ(m->meleeHitEntries[0], row->StrikeEntry);
    EXPECT_EQ(m->frames[AnimationIdle].texture, row->Picture);
    EXPECT_EQ(FindMonsterFamily(type)->Sheets[MonsterGrade(type) - 1], row->Picture);
  }
  // What stands out, as the stats tables give it.
  struct Standout {
    CharacterType Type;
    int Hp, MaxHp, Magic, Strike, Shot, Picture;
    AnimationEntry Start;
    StatusKind Permanent;  // Berserk: none
  };
  constexpr StatusKind None = StatusKind::Berserk;
  const Standout standouts[] = {
      {337, 86, 90, 0, 22, -1, 62, 10, None},  // the only one hurt from the start
      {339, 120, 120, 0, 21, -1, 64, 10, None},
      {343, 110, 110, 30, 23, 32, 71, 10, None},  // a Dragon 1 breathes one entry later
      {344, 130, 130, 40, 21, 31, 72, 10, None},
      {345, 150, 150, 50, 21, 31, 73, 10, None},
      {349, 40, 40, 0, 22, -1, 98, 10, StatusKind::Slow},  // slow for good but the Evil Eye
      {350, 120, 120, 0, 22, -1, 99, 10, StatusKind::Slow},
      {351, 200, 200, 0, 22, -1, 100, 10, None},
      {358, 70, 70, 40, 22, -1, 107, 10, None},
      {359, 100, 100, 0, 21, -1, 108, 10, None},
      {361, 150, 150, 0, 25, -1, 110, 14, StatusKind::Disguise},
      {362, 70, 70, 0, 22, -1, 111, 10, None},
      {364, 140, 140, 0, 22, -1, 113, 14, StatusKind::Disguise},
      {367, 500, 500, 40, 22, -1, 116, 10, None},
  };
  for (const Standout& s : standouts) {
    SCOPED_TRACE(s.Type);
    auto m = Make(s.Type);
    EXPECT_EQ(m->hp, s.Hp);
    EXPECT_EQ(m->maxHp, s.MaxHp);
    EXPECT_EQ(m->intelligence, s.Magic);
    EXPECT_EQ(m->meleeHitEntries[0], s.Strike);
    EXPECT_EQ(m->shotEntries[0], s.Shot);
    EXPECT_EQ(m->frames[AnimationIdle].texture, s.Picture);
    EXPECT_EQ(m->animEntry, s.Start);
    for (StatusKind kind : {StatusKind::Slow, StatusKind::Disguise})
      EXPECT_EQ(Status(m.get(), kind), kind == s.Permanent ? -1 : 0) << static_cast<int>(kind);
  }
  auto boss = Make(Alchemist1);
  EXPECT_EQ(boss->level, 36);
  EXPECT_EQ(boss->exp, 20000);
}

// Ticks from `entry` along its chain until it stands (10) or is gone (0).
int ChainTicks(const CCharacter& c, AnimationEntry entry, AnimationEntry& end) {
  int ticks = 0;
  for (int step = 0; step < 100 && entry != AnimationIdle && entry != AnimationGone; ++step) {
    const AnimationFrame& f = c.frames.at(static_cast<std::size_t>(entry));
    ticks += f.duration;
    entry = f.next;
  }
  end = entry;
  return ticks;
}

TEST(MonsterConstruction, EveryChainOfEveryTableEndsInsideIt) {
  for (CharacterType type = 256; type <= 367; ++type) {
    const MonsterClassRow* row = FindMonsterClass(type);
    if (!row) continue;
    SCOPED_TRACE(type);
    const MonsterAnimation& table = *row->Animation;
    for (int i = 0; i < table.Count; ++i) {
      const MonsterFrameRow& f = table.Frames[i];
      bool known = f.Next == AnimationGone;
      for (int j = 0; j < table.Count && !known; ++j) known = table.Frames[j].Entry == f.Next;
      EXPECT_TRUE(known) << f.Entry << " -> " << f.Next;
      EXPECT_GT(f.Ticks, 0) << f.Entry;
    }
  }
}

TEST(MonsterConstruction, TheAlchemistsTableHoldsEveryEntryItUses) {
  auto boss = Make(Alchemist1);
  ASSERT_GE(boss->frames.size(), 148u);
  struct Chain {
    AnimationEntry From;
    int Ticks;
    AnimationEntry End;
  };
  const Chain chains[] = {
      {20, 13, AnimationIdle},   // the blow
      {100, 27, AnimationIdle},  // a stone thrown
      {120, 21, AnimationIdle},  // a potion drunk
      {130, 128, AnimationIdle},  // rising again
      {80, 360, AnimationGone},  // the fall, six frames of 60
  };
  for (const Chain& c : chains) {
    AnimationEntry end = -1;
    EXPECT_EQ(ChainTicks(*boss, c.From, end), c.Ticks) << c.From;
    EXPECT_EQ(end, c.End) << c.From;
  }
  // The drink ends on the row below.
  EXPECT_EQ(boss->frames[122].centreY, 220);
  EXPECT_EQ(boss->frames[123].centreX, 60);
  EXPECT_EQ(boss->frames[147].centreX, 420);
  EXPECT_EQ(boss->frames[146].centreX, 380);
}

// ---- The disguised kinds

class Disguised : public MonsterFixture {};

TEST_F(Disguised, TheyLieAsAChestAndATreeRescaledToTheFloor) {
  struct Case {
    std::uint32_t Floor;
    int Level;
  };
  // Floors outside 1-99 give the nearest level.
  const Case cases[] = {{1, 1}, {5, 5}, {30, 30}, {37, 37}, {99, 99}, {0, 1}, {250, 99}, {4294967295u, 99}};
  struct Kind {
    CharacterType Type;
    int PoseX;
  };
  for (const Kind kind : {Kind{Mimic1, 90}, Kind{Treant1, 130}}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(kind.Type) + " on floor " + std::to_string(c.Floor));
      FloorNumber floor(c.Floor);
      auto m = Make(kind.Type);
      // The same as its level-30 row rescaled by the shared rule.
      AnyEnemy expected(kind.Type);
      expected.CCharacterEnemy::SetLevel(c.Level);
      EXPECT_EQ(m->level, c.Level);
      EXPECT_EQ(m->exp, expected.exp);
      EXPECT_EQ(m->hp, expected.maxHp);
      EXPECT_EQ(m->maxHp, expected.maxHp);
      EXPECT_EQ(m->attack, expected.attack);
      EXPECT_EQ(m->defence, expected.defence);
      EXPECT_TRUE(m->IsDisguise());
      EXPECT_EQ(m->animEntry, 14);
      const AnimationFrame& pose = m->frames[14];
      EXPECT_EQ(pose.texture, 4);
      EXPECT_EQ(pose.centreX, kind.PoseX);
      EXPECT_EQ(pose.centreY, 250);
      EXPECT_EQ(pose.left, -10);
      EXPECT_EQ(pose.right, 9);
      EXPECT_EQ(pose.next, 14);
    }
  }
  // On floor 30 nothing moves.
  FloorNumber floor(30);
  EXPECT_EQ(Make(Mimic1)->attack, 220);
  EXPECT_EQ(Make(Treant1)->defence, 46);
  // The higher Mimics stand undisguised at their own level.
  FloorNumber shallow(5);
  for (CharacterType type : {Mimic2, Mimic2 + 1}) {
    auto m = Make(type);
    EXPECT_EQ(m->level, FindMonsterClass(type)->Level);
    EXPECT_FALSE(m->IsDisguise());
    EXPECT_EQ(m->animEntry, AnimationIdle);
  }
}

TEST_F(Disguised, ItFacesDownUntilAnyNewEntryWakesIt) {
  FloorNumber floor(5);
  TestPlayer* player = PlacePlayer(1, 1);
  for (CharacterType type : {Mimic1, Treant1}) {
    SCOPED_TRACE(type);
    CCharacterEnemy* m = Spawn(type, 3, 3);
    m->SetDirection(DirectionLeft);
    m->TickAnimation();
    EXPECT_EQ(m->direction, DirectionDown);
    // Its pose loops on itself and keeps it disguised.
    for (int tick = 0; tick < 1000; ++tick) m->TickAnimation();
    EXPECT_EQ(m->animEntry, 14);
    EXPECT_TRUE(m->IsDisguise());
    // The blow that shows its hurt pose wakes it.
    m->ReceiveAttack(4, false, 1, player);
    EXPECT_EQ(m->animEntry, AnimationHurt);
    EXPECT_FALSE(m->IsDisguise());
    SettleHolds();
    m->SetDirection(DirectionLeft);
    m->TickAnimation();
    EXPECT_EQ(m->direction, DirectionLeft);
    EXPECT_EQ(Holds(), 0);
    m->hp = 0;
    floor_->characterAt[CellIndex(3, 3)] = nullptr;
  }
}

TEST_F(Disguised, EveryLevelIsCountedFromTheRowAtFullHp) {
  FloorNumber floor(1);
  CCharacterEnemy* mimic = Spawn(Mimic1, 3, 3);
  mimic->hp = 1;
  mimic->LevelUp();
  AnyEnemy two(Mimic1);
  two.CCharacterEnemy::SetLevel(2);
  EXPECT_EQ(mimic->level, 2);
  EXPECT_EQ(mimic->maxHp, two.maxHp);
  EXPECT_EQ(mimic->hp, two.maxHp);
  EXPECT_EQ(mimic->attack, two.attack);
  EXPECT_EQ(mimic->exp, two.exp);
  // And back: the same as one made on floor 1.
  mimic->LevelDown();
  auto fresh = Make(Mimic1);
  EXPECT_EQ(mimic->level, 1);
  EXPECT_EQ(mimic->maxHp, fresh->maxHp);
  EXPECT_EQ(mimic->attack, fresh->attack);
  EXPECT_EQ(mimic->defence, fresh->defence);
}

TEST_F(Disguised, InTurnsItWaitsForThePlayerToComeNextToIt) {
  FloorNumber floor(3);
  TestPlayer* player = PlacePlayer(1, 1);
  player->evasion = 0;
  CCharacterEnemy* mimic = Spawn(Mimic1, 3, 3);
  mimic->StartTurn();
  SeedRandom(6);
  for (int turn = 0; turn < 3; ++turn) EXPECT_EQ(MonsterTurn(), 0);
  EXPECT_EQ(mimic->x, 3);
  EXPECT_TRUE(mimic->IsDisguise());
  EXPECT_EQ(mimic->direction, DirectionDown);
  ASSERT_TRUE(PlayerSteps(DirectionDownRight));
  ASSERT_TRUE(PlayerSteps(DirectionDown));
  GetGameInputMain()->CloseMessage();
  EXPECT_EQ(MonsterTurn(), 1);
  EXPECT_FALSE(mimic->IsDisguise());
  EXPECT_EQ(mimic->direction, DirectionLeft);
  EXPECT_LT(player->hp, player->maxHp);
  EXPECT_EQ(Messages().rfind("MIMIC ATTACKED!", 0), 0u) << Messages();
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Disguised, OnTheMapItPassesForAnObjectUnlessThePlayerHasTelepathy) {
  struct Telepath : TestPlayer {
    bool HasTelepathy() const override { return true; }
  };
  FloorNumber floor(5);
  struct Case {
    bool Telepathy, Awake;
    int Explored;
    bool Shown;
  };
  const Case cases[] = {
      {false, false, 1, true},   // remembered ground: an object shows there ...
      {false, true, 1, false},   // ... a monster out of sight does not
      {true, false, 0, true},    // telepathy shows it as the monster it is
      {false, false, 0, false},  // unseen ground shows no object
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Telepathy) + std::to_string(c.Awake) + std::to_string(c.Explored));
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
    TestPlayer* player = c.Telepathy ? Place(new Telepath, 1, 1) : PlacePlayer(1, 1);
    game_->Player = player;
    CCharacterEnemy* mimic = Spawn(Mimic1, 4, 3);
    if (c.Awake) mimic->SetAnimation(AnimationIdle);
    floor_->visible[CellIndex(4, 3)] = 0;
    floor_->explored[CellIndex(4, 3)] = static_cast<std::uint8_t>(c.Explored);
    EXPECT_EQ(mimic->DrawAt(0, 0, 1.0f, 1.0f, 255), c.Shown);
  }
}

// ---- The Gorgon's gaze

class Behaviour : public MonsterFixture {
protected:
  void SetUp() override {
    MonsterFixture::SetUp();
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
  }
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
  void Vacate(CCharacter* c) {
    c->hp = 0;
    floor_->characterAt[CellIndex(c->x, c->y)] = nullptr;
  }
};

TEST_F(Behaviour, AGorgonsGazeInTurns) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* gorgon = Spawn(Gorgon1 + 1, 5, 3);
  gorgon->StartTurn();
  SeedRandom(1);
  // It gazes from afar and comes on while the player stands paralysed for
  // three turns; never again while he is.
  EXPECT_EQ(Trace(gorgon, 4), (std::vector<std::string>{"4,2 ", "4,2 GORGON GLARED!|YOU'RE PARALYZED!", "3,1 ",
                                                         "2,1 YOU'RE CURED!"}));
  EXPECT_FALSE(player->IsParalyze());
  EXPECT_EQ(player->hp, player->maxHp);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Behaviour, EachGradeGazesItsOwnStatusAndNeverAtAPlayerUnderIt) {
  struct Case {
    CharacterType Type;
    StatusKind Kind;
  };
  const Case cases[] = {{Gorgon1, StatusKind::Sleep}, {Gorgon1 + 1, StatusKind::Paralyze},
                        {Gorgon1 + 2, StatusKind::Confuse}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Type);
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#######"});
    TestPlayer* player = PlacePlayer(1, 1);
    CCharacterEnemy* gorgon = Spawn(c.Type, 5, 3);
    gorgon->direction = DirectionLeft;
    gorgon->UseSpecialAttack();
    EXPECT_EQ(gorgon->animEntry, AnimationThrow);
    RunFrames(5);
    EXPECT_EQ(Status(player, c.Kind), 0);  // not before the gaze ends
    SettleHolds();
    EXPECT_GT(Status(player, c.Kind), 0);
    if (c.Kind == StatusKind::Paralyze) {
      EXPECT_EQ(Status(player, c.Kind), 3);
    }
    EXPECT_EQ(Holds(), 0);
    // Under it, the Gorgon does not even draw for its gaze.
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      SeedRandom(seed);
      const std::uint32_t first = Random();
      SeedRandom(seed);
      EXPECT_FALSE(gorgon->WantsSpecialAttack());
      EXPECT_EQ(Random(), first);
    }
    // Out of sight neither.
    player->ClearAllStatuses();
    EXPECT_TRUE(gorgon->CanUseSpecialAttack());
    floor_->terrain[CellIndex(3, 2)] = TerrainWall;
    floor_->terrain[CellIndex(3, 1)] = TerrainWall;
    floor_->terrain[CellIndex(3, 3)] = TerrainWall;
    EXPECT_FALSE(gorgon->CanUseSpecialAttack());
  }
}

// ---- The Dragon's breath

TEST_F(Behaviour, ADragonsBreathInTurns) {
  TestPlayer* player = PlacePlayer(1, 2);
  CCharacterEnemy* dragon = Spawn(Dragon1, 5, 2);
  dragon->StartTurn();
  SeedRandom(2);
  // Magic 30 burns for 24 to 36, whatever the defence.
  EXPECT_EQ(Trace(dragon, 4), (std::vector<std::string>{"5,2 DRAGON BREATHED FIRE!|YOU TOOK 28 DAMAGE!", "4,2 ",
                                                         "4,2 DRAGON BREATHED FIRE!|YOU TOOK 34 DAMAGE!",
                                                         "4,2 DRAGON BREATHED FIRE!|YOU TOOK 29 DAMAGE!"}));
  EXPECT_EQ(player->maxHp - player->hp, 28 + 34 + 29);
  EXPECT_EQ(player->lastAttacker, dragon);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Behaviour, TheBreathBurnsTheFirstOneOnItsLine) {
  enum class Hit { Monster, Player, Nobody };
  struct Case {
    const char* Name;
    std::vector<std::string> Floor;
    int DragonX;
    bool MonsterInTheWay;
    Hit Expected;
  };
  const Case cases[] = {
      {"open", {"#######", "#.....#", "#######"}, 5, false, Hit::Player},
      {"a monster in the way", {"#######", "#.....#", "#######"}, 5, true, Hit::Monster},
      {"a wall next to it", {"#######", "#...#.#", "#######"}, 5, false, Hit::Nobody},
  };
  for (const Case& c : cases) {
    for (CharacterType type : {Dragon1, Dragon2}) {
      SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(type));
      UseFloor(c.Floor);
      TestPlayer* player = PlacePlayer(1, 1);
      CCharacterEnemy* dragon = Spawn(type, c.DragonX, 1);
      // A Doll, which lives through the fire.
      CCharacterEnemy* doll = c.MonsterInTheWay ? Spawn(Doll1 + 2, 3, 1) : nullptr;
      dragon->direction = DirectionLeft;
      GetGameInputMain()->CloseMessage();
      dragon->UseSpecialAttack();
      EXPECT_NE(Messages().find("DRAGON BREATHED FIRE!"), std::string::npos);
      // Grade 1 breathes one entry later than the others.
      const AnimationEntry launch = type == Dragon1 ? 32 : 31;
      while (dragon->animEntry != launch && dragon->animEntry != AnimationIdle) {
        EXPECT_EQ(floor_->Effects.GetCount(), 0);
        dragon->TickAnimation();
      }
      EXPECT_EQ(floor_->Effects.GetCount(), 1);
      SettleHolds();
      EXPECT_EQ(player->hp < player->maxHp, c.Expected == Hit::Player);
      if (doll) {
        EXPECT_EQ(doll->hp < doll->maxHp, c.Expected == Hit::Monster);
      }
      EXPECT_EQ(Holds(), 0);
    }
  }
}

TEST_F(Behaviour, ItBreathesHalfTheTimeOnlyWithThePlayerInLine) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* dragon = Spawn(Dragon2, 4, 1);
  int wants = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeedRandom(seed);
    wants += dragon->WantsSpecialAttack();
  }
  EXPECT_NEAR(wants, 100, 20);
  // Off its lines it neither breathes nor draws.
  floor_->MoveCharacterTo(2, 2, player);
  player->SetPosition(2, 2);
  SeedRandom(1);
  const std::uint32_t first = Random();
  SeedRandom(1);
  EXPECT_FALSE(dragon->WantsSpecialAttack());
  EXPECT_EQ(Random(), first);
}

// ---- The Pyrolisk's pyrokinesis

TEST_F(Behaviour, APyroliskSetsThePlayersCellAflame) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* pyrolisk = Spawn(Pyrolisk1, 5, 3);
  pyrolisk->StartTurn();
  SeedRandom(2);
  // From anywhere in sight; magic 12 burns for 9 to 14.
  EXPECT_EQ(Trace(pyrolisk, 4),
            (std::vector<std::string>{"5,3 BABY PYROLISK USED PYROKINESIS!|YOU TOOK 11 DAMAGE!", "4,2 ",
                                      "4,2 BABY PYROLISK USED PYROKINESIS!|YOU TOOK 13 DAMAGE!",
                                      "4,2 BABY PYROLISK USED PYROKINESIS!|YOU TOOK 11 DAMAGE!"}));
  EXPECT_EQ(player->maxHp - player->hp, 11 + 13 + 11);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Behaviour, TheFlamesBurnWhoeverStandsThereWhenTheyDieDown) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* pyrolisk = Spawn(Pyrolisk1 + 2, 5, 3);
  pyrolisk->direction = DirectionLeft;
  GetGameInputMain()->CloseMessage();
  SeedRandom(7);
  Random();  // the roll after which it casts
  const int damage = (800 + Random() % 401) * 41 / 1000;
  SeedRandom(7);
  Random();
  pyrolisk->UseSpecialAttack();
  // The line first, then the flames on his cell at once.
  EXPECT_EQ(Messages(), "ELDER PYROLISK USED PYROKINESIS!");
  EXPECT_EQ(pyrolisk->animEntry, AnimationThrow);
  ASSERT_EQ(floor_->Effects.GetCount(), 1);
  // He steps away; a Pyrolisk steps in and takes no harm from fire.
  ASSERT_TRUE(PlayerSteps(DirectionRight));
  CCharacterEnemy* other = Spawn(Pyrolisk1, 1, 1);
  SettleHolds();
  EXPECT_EQ(player->hp, player->maxHp);
  EXPECT_EQ(other->hp, other->maxHp);
  // Standing still, he burns.
  Vacate(other);
  floor_->MoveCharacterTo(1, 1, player);
  player->SetPosition(1, 1);
  SeedRandom(7);
  Random();
  pyrolisk->UseSpecialAttack();
  SettleHolds();
  EXPECT_EQ(player->maxHp - player->hp, damage);
  EXPECT_EQ(Holds(), 0);
}

// ---- The Necromancer's raising of the dead

TEST_F(Behaviour, ANecromancerRaisesTheDeadInTurns) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* necromancer = Spawn(Necromancer1, 5, 3);
  necromancer->StartTurn();
  SeedRandom(2);
  // The Zombie rises in front of it, fades in and comes for the player.
  EXPECT_EQ(Trace(necromancer, 4), (std::vector<std::string>{"5,3 NECROMANCER CAST NECROMANCY!", "4,3 ", "3,2 ",
                                                              "2,2 ZOMBIE ATTACKED!|YOU TOOK 20 DAMAGE!"}));
  ASSERT_EQ(game_->Characters.GetCount(), 3);
  const CCharacter* zombie = game_->Characters.GetAt(3);
  EXPECT_EQ(zombie->type, 292);
  EXPECT_EQ(zombie->level, 12);
  EXPECT_EQ(zombie->alpha, 255);
  EXPECT_EQ(player->lastAttacker, zombie);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Behaviour, TheDeadRiseInFrontOrBesideItOrNotAtAll) {
  struct Case {
    const char* Name;
    std::vector<std::string> Floor;  // the Necromancer at (2, 2) facing right
    int X, Y;                        // where the Zombie rises; -1 nowhere
    Direction Facing;
  };
  const Case cases[] = {
      {"in front", {"#####", "#...#", "#...#", "#...#", "#####"}, 3, 2, DirectionRight},
      // Less the step turned one way: the cell above its own; then the other way.
      {"front walled", {"#####", "#...#", "#..##", "#...#", "#####"}, 2, 1, DirectionDownRight},
      {"one way walled too", {"#####", "#.#.#", "#..##", "#...#", "#####"}, 2, 3, DirectionUpRight},
      {"two ways", {"#####", "#.#.#", "#..##", "#.#.#", "#####"}, 3, 1, DirectionDown},
      {"nowhere", {"#####", "#.###", "#..##", "#.###", "#####"}, -1, -1, DirectionRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    UseFloor(c.Floor);
    PlacePlayer(1, 1);
    CCharacterEnemy* necromancer = Spawn(Necromancer1, 2, 2);
    necromancer->direction = DirectionRight;
    necromancer->UseSpecialAttack();
    SettleHolds();
    EXPECT_EQ(necromancer->animEntry, AnimationIdle);
    const CCharacter* zombie = game_->Characters.GetAt(3);
    if (c.X < 0) {
      EXPECT_EQ(zombie, nullptr);
    } else {
      ASSERT_NE(zombie, nullptr);
      EXPECT_EQ(floor_->GetCharacterAt(c.X, c.Y), zombie);
      EXPECT_EQ(zombie->direction, c.Facing);
    }
    EXPECT_EQ(Holds(), 0);
  }
}

TEST_F(Behaviour, TheRaisedAreOfItsGradeAndFourFifthsOfItsLevel) {
  struct Case {
    CharacterType Type;
    int Level;
    CharacterType Zombie;
    int ZombieLevel;
  };
  const Case cases[] = {{Necromancer1, 10, 292, 8}, {Necromancer1, 1, 292, 1}, {Necromancer1 + 1, 24, 293, 19},
                        {Necromancer1 + 2, 35, 294, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Type) + " level " + std::to_string(c.Level));
    UseFloor({"#####", "#...#", "#####"});
    auto* necromancer = static_cast<CCharacterNecromancer*>(Spawn(c.Type, 1, 1));
    necromancer->direction = DirectionRight;
    necromancer->level = c.Level;
    ASSERT_TRUE(necromancer->SummonUndead());
    const CCharacter* zombie = floor_->GetCharacterAt(2, 1);
    ASSERT_NE(zombie, nullptr);
    EXPECT_EQ(zombie->type, c.Zombie);
    EXPECT_EQ(zombie->level, c.ZombieLevel);
    EXPECT_EQ(zombie->animEntry, 90);
    EXPECT_EQ(zombie->alpha, 0);
  }
}

// ---- The Eye's and the Doll's counters

TEST_F(Behaviour, AnEyeStruckInMeleeGlaresItsAttackerStill) {
  struct Case {
    CharacterType Type;
    int Turns;
    const char* Log;
  };
  const Case cases[] = {{Eye1, 4, "FLOATING EYE TOOK 13 DAMAGE!|FLOATING EYE GLARED!|YOU'RE PARALYZED!"},
                        {Eye1 + 1, 5, "GAZER TOOK 8 DAMAGE!|GAZER GLARED!|YOU'RE PARALYZED!"},
                        {Eye1 + 2, 6, "EVIL EYE TOOK 7 DAMAGE!|EVIL EYE GLARED!|YOU'RE PARALYZED!"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Type);
    UseFloor({"#####", "#...#", "#####"});
    TestPlayer* player = PlacePlayer(1, 1);
    CCharacterEnemy* eye = Spawn(c.Type, 2, 1);
    GetGameInputMain()->CloseMessage();
    SeedRandom(1);
    eye->ReceiveAttack(0, false, 20, player);
    EXPECT_EQ(eye->animEntry, 71);
    RunFrames(3);
    EXPECT_FALSE(player->IsParalyze());  // when the gaze ends
    SettleHolds();
    EXPECT_LT(eye->animEntry, AnimationAttack);  // standing again
    EXPECT_EQ(Status(player, StatusKind::Paralyze), c.Turns);
    EXPECT_EQ(Messages(), c.Log);
    EXPECT_EQ(Holds(), 0);
    // A missile is not answered with the gaze.
    player->ClearAllStatuses();
    eye->ReceiveAttack(1, false, 20, player);
    EXPECT_EQ(eye->animEntry, AnimationHurt);
    SettleHolds();
    EXPECT_FALSE(player->IsParalyze());
  }
}

TEST_F(Behaviour, ADollReturnsAFifthOfEveryMeleeBlow) {
  UseFloor({"#####", "#...#", "#####"});
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* doll = Spawn(Doll1 + 2, 2, 1);
  SeedRandom(4);
  // A fifth of 48 is rounded up.
  const char* logs[] = {"STUFFY DOLL TOOK 10 DAMAGE!|YOU TOOK 2 DAMAGE!", "STUFFY DOLL TOOK 48 DAMAGE!|YOU TOOK 10 DAMAGE!"};
  int blow = 0;
  for (int damage : {40, 200}) {
    SCOPED_TRACE(damage);
    GetGameInputMain()->CloseMessage();
    const int before = player->hp;
    const int taken = doll->ReceiveAttack(0, false, damage, player);
    ASSERT_GT(taken, 0);
    EXPECT_EQ(player->hp, before);  // when its hurt pose ends
    SettleHolds();
    EXPECT_EQ(before - player->hp, (taken * 20 + 99) / 100);
    EXPECT_EQ(Messages(), logs[blow++]);
    EXPECT_EQ(player->lastAttacker, doll);
    doll->hp = doll->maxHp;
  }
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
