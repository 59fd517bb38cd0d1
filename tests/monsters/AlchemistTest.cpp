// The final boss: its decision rule, its five specials, its summon, its one
// resurrection and its real defeat.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "items/CItem.h"
#include "monsters/MonsterTestSupport.h"
#include "monsters/MonstersGorgonToAlchemist.h"
#include "platform/TextTable.h"
#include "system/WaveImage.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::MonsterTurn;
using monstertest::RunFrames;
using monstertest::SettleHolds;
using monstertest::TestPlayer;
using Boss = CCharacterAlchemist;

constexpr CharacterType Alchemist1 = 367, Rat = 259;
constexpr ItemId GoalItem = 3333;

const std::vector<std::string> Lab = {
    "#########",  //
    "#.......#",  //
    "#.......#",  //
    "#.......#",  //
    "#.......#",  //
    "#########",
};

class Alchemist : public MonsterFixture {
protected:
  void SetUp() override {
    MonsterFixture::SetUp();
    UseFloor(Lab);
    GetScreenEffect()->Reset();
    player_ = PlacePlayer(1, 1);
    boss_ = static_cast<Boss*>(Spawn(Alchemist1, 6, 3));
  }
  // One special carried out as the turn would: chosen, used, played out.
  void Carry(std::uint8_t special) {
    boss_->chosenSpecial = special;
    boss_->UseSpecialAttack();
    SettleHolds();
  }
  int ItemsOnFloor(ItemId id) const {
    int n = 0;
    for (const CItem* item : floor_->itemAt) n += item && item->GetId() == id;
    return n;
  }
  bool Flashed(int red, int green, int blue, int peak) const {
    const CEffect* e = GetScreenEffect();
    return e->FlashPhase != 0 && e->FlashRed == red && e->FlashGreen == green && e->FlashBlue == blue &&
           e->FlashPeak == peak;
  }
  // Each of `turns` turns as its messages.
  std::vector<std::string> Trace(int turns) {
    std::vector<std::string> trace;
    for (int turn = 0; turn < turns; ++turn) {
      GetGameInputMain()->CloseMessage();
      MonsterTurn();
      trace.push_back(Messages());
    }
    return trace;
  }

  TestPlayer* player_ = nullptr;
  Boss* boss_ = nullptr;
};

// ---- Its decision rule

TEST_F(Alchemist, ItsFirstSpecialIsASummonAndEverySixthAfter) {
  EXPECT_EQ(boss_->summonCounter, 100);
  EXPECT_EQ(boss_->hpMark, 500);
  std::string chosen;
  SeedRandom(5);
  for (int decision = 0; decision < 13; ++decision) {
    const bool wants = boss_->WantsSpecialAttack();
    chosen += wants ? static_cast<char>('0' + boss_->chosenSpecial) : '-';
    boss_->chosenSpecial = Boss::NoSpecial;
  }
  // Between the summons the roll: stones of fire (1) and teleportation (6).
  EXPECT_EQ(chosen, "7-----711--67");
}

TEST_F(Alchemist, TheRulesBeforeTheRoll) {
  struct Case {
    const char* Name;
    void (*Setup)(Boss&, CCharacter&);
    bool Wants;
    std::uint8_t Chosen;
    int Mark;  // after the decision, from 500
  };
  const Case cases[] = {
      {"already chosen", [](Boss& b, CCharacter&) { b.chosenSpecial = Boss::StoneOfNull; }, true, Boss::StoneOfNull,
       500},
      {"player quick", [](Boss&, CCharacter& p) { p.InflictQuick(5); }, true, Boss::QuickMove, 500},
      {"both quick", [](Boss& b, CCharacter& p) {
         p.InflictQuick(5);
         b.InflictQuick(5);
       }, true, Boss::StoneOfSummon, 500},
      {"lost more than 150", [](Boss& b, CCharacter&) { b.hp = 349; }, true, Boss::Teleportation, 349},
      {"lost 150", [](Boss& b, CCharacter&) { b.hp = 350; }, true, Boss::StoneOfSummon, 500},
      {"above the mark", [](Boss& b, CCharacter&) { b.hpMark = 400; }, true, Boss::Teleportation, 500},
      {"out of sight", [](Boss&, CCharacter&) {}, false, Boss::NoSpecial, 500},
      // Whatever a damaged save left in its words, nothing overflows.
      {"a mark at the bottom of its word", [](Boss& b, CCharacter&) { b.hpMark = INT32_MIN; }, true,
       Boss::Teleportation, 500},
      {"a counter at the top of its word", [](Boss& b, CCharacter&) { b.summonCounter = INT32_MAX; }, true,
       Boss::StoneOfSummon, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    UseFloor(Lab);
    player_ = PlacePlayer(1, 1);
    boss_ = static_cast<Boss*>(Spawn(Alchemist1, 6, 3));
    boss_->summonCounter = 5;  // the next decision summons, unless a rule comes first
    if (std::string(c.Name) == "out of sight")
      for (int y = 1; y <= 4; ++y) floor_->terrain[CellIndex(4, y)] = TerrainWall;
    c.Setup(*boss_, *player_);
    SettleHolds();
    SeedRandom(9);
    const std::uint32_t first = Random();
    SeedRandom(9);
    EXPECT_EQ(boss_->WantsSpecialAttack(), c.Wants);
    EXPECT_EQ(boss_->chosenSpecial, c.Chosen);
    EXPECT_EQ(boss_->summonCounter, c.Chosen == Boss::StoneOfSummon ? 0 : 5);
    EXPECT_EQ(boss_->hpMark, c.Mark);
    EXPECT_EQ(Random(), first);  // none of them draws
  }
}

TEST_F(Alchemist, TheRollWeighsTheStoneOfNullOnlyWhenItWouldEndSomething) {
  CCharacterEnemy* rat = Spawn(Rat, 3, 3);
  struct Case {
    const char* Name;
    void (*Setup)(CCharacter& player, CCharacter& rat, CCharacter& boss);
    bool Null;
  };
  const Case cases[] = {
      {"nothing to end", [](CCharacter&, CCharacter&, CCharacter&) {}, false},
      {"the player's DEF UP", [](CCharacter& p, CCharacter&, CCharacter&) { p.InflictDefUp(5); }, false},
      {"the player's INVINCIBLE", [](CCharacter& p, CCharacter&, CCharacter&) { p.InflictInvincible(5); }, true},
      {"the player's INT UP", [](CCharacter& p, CCharacter&, CCharacter&) { p.InflictIntUp(5); }, true},
      {"the player asleep", [](CCharacter& p, CCharacter&, CCharacter&) { p.InflictSleep(5); }, false},
      {"a monster asleep", [](CCharacter&, CCharacter& r, CCharacter&) { r.InflictSleep(5); }, true},
      {"a monster quick", [](CCharacter&, CCharacter& r, CCharacter&) { r.InflictQuick(5); }, false},
      {"a monster weakened", [](CCharacter&, CCharacter& r, CCharacter&) { r.InflictWeakness(5); }, true},
      {"the boss poisoned", [](CCharacter&, CCharacter&, CCharacter& b) { b.status[static_cast<int>(StatusKind::Poison)] = 3; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    player_->ClearAllStatuses();
    rat->ClearAllStatuses();
    boss_->ClearAllStatuses();
    c.Setup(*player_, *rat, *boss_);
    SettleHolds();
    // Fire below 40, then null (10 when it would end something), then
    // teleportation (5); above that nothing.
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
      SeedRandom(seed);
      const int r = Random() % 100;
      const int special = r < 40 ? 1 : c.Null && r < 50 ? 5 : r < (c.Null ? 55 : 45) ? 6 : 0;
      boss_->summonCounter = 0;
      boss_->chosenSpecial = Boss::NoSpecial;
      SeedRandom(seed);
      EXPECT_EQ(boss_->WantsSpecialAttack(), special != 0) << r;
      EXPECT_EQ(boss_->chosenSpecial, special) << r;
    }
  }
}

TEST_F(Alchemist, ItsSpecialsInTurns) {
  boss_->StartTurn();
  SeedRandom(1);
  std::vector<std::string> trace;
  for (int turn = 0; turn < 12; ++turn) {
    if (turn == 7) {
      boss_->ReceiveAttack(7, false, 200, player_);
      SettleHolds();
    }
    if (turn == 9) {
      player_->InflictQuick(20);
      SettleHolds();
    }
    GetGameInputMain()->CloseMessage();
    MonsterTurn();
    trace.push_back(std::to_string(boss_->x) + "," + std::to_string(boss_->y) + " " + Messages());
    // Its minions are sent away at once: the boss alone is followed.
    for (CCharacter* c : game_->Characters.Walk())
      if (c != boss_ && c != player_) c->RemoveFromFloor();
  }
  // A summon first and one six decisions later (a step is a decision too);
  // stones of fire between; the blow of 200 makes it teleport, and so
  // does the next roll; the quick player makes it drink.
  const std::vector<std::string> expected = {
      "6,3 DOMA THE ALCHEMIST USED MAGIC STONE OF SUMMON!|MASTER SAMURAI SUMMONED!",
      "6,3 DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!|YOU TOOK 38 DAMAGE!",
      "6,3 DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!|YOU TOOK 35 DAMAGE!",
      "5,2 ",
      "5,2 DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!|YOU TOOK 34 DAMAGE!",
      "5,2 DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!|YOU TOOK 35 DAMAGE!",
      "5,2 DOMA THE ALCHEMIST USED MAGIC STONE OF SUMMON!|MASTER SAMURAI SUMMONED!",
      "6,4 DOMA THE ALCHEMIST USED POTION OF TELEPORTATION!|DOMA THE ALCHEMIST TELEPORTED!",
      "4,2 DOMA THE ALCHEMIST USED POTION OF TELEPORTATION!|DOMA THE ALCHEMIST TELEPORTED!",
      "4,2 ",
      "4,2 DOMA THE ALCHEMIST USED POTION OF QUICK MOVE!|DOMA THE ALCHEMIST SPED UP!",
      "4,2 DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!|YOU TOOK 40 DAMAGE!",
  };
  EXPECT_EQ(trace, expected);
  EXPECT_EQ(boss_->hpMark, 300);
  EXPECT_EQ(Holds(), 0);
}

// ---- Its five specials

TEST_F(Alchemist, AStoneOfFireBurnsThePlayersCell) {
  GetGameInputMain()->CloseMessage();
  SeedRandom(3);
  const int damage = (800 + Random() % 401) * 40 / 1000;
  SeedRandom(3);
  boss_->chosenSpecial = Boss::StoneOfFire;
  boss_->UseSpecialAttack();
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST USED MAGIC STONE OF FIRE!");
  EXPECT_EQ(boss_->animEntry, 100);
  EXPECT_EQ(Holds(), 1);
  EXPECT_EQ(floor_->Effects.GetCount(), 0);  // not before the throw ends
  SettleHolds();
  EXPECT_TRUE(Flashed(255, 0, 0, 160));
  EXPECT_EQ(player_->maxHp - player_->hp, damage);
  EXPECT_GE(damage, 32);
  EXPECT_LE(damage, 48);
  EXPECT_EQ(player_->lastAttacker, boss_);
  EXPECT_EQ(boss_->chosenSpecial, Boss::NoSpecial);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Alchemist, AStoneOfNullEndsEveryonesStatuses) {
  CCharacterEnemy* rat = Spawn(Rat, 3, 3);
  player_->InflictQuick(20);
  player_->InflictInvincible(20);
  player_->InflictDefUp(20);
  rat->InflictSleep(20);
  boss_->InflictQuick(20);
  SettleHolds();
  GetGameInputMain()->CloseMessage();
  Carry(Boss::StoneOfNull);
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST USED MAGIC STONE OF NULL!|ALL EFFECT ENDED!");
  for (const CCharacter* c : {static_cast<CCharacter*>(player_), static_cast<CCharacter*>(rat),
                              static_cast<CCharacter*>(boss_)})
    for (int kind = 0; kind < StatusKindCount; ++kind) EXPECT_EQ(c->status[kind], 0) << kind;
  EXPECT_TRUE(Flashed(64, 64, 64, 255));
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Alchemist, APotionOfTeleportationTakesItAway) {
  GetGameInputMain()->CloseMessage();
  SeedRandom(2);
  Carry(Boss::Teleportation);
  EXPECT_EQ(boss_->frames[120].centreX, 260);
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST USED POTION OF TELEPORTATION!|DOMA THE ALCHEMIST TELEPORTED!");
  EXPECT_FALSE(boss_->x == 6 && boss_->y == 3);
  EXPECT_EQ(floor_->GetCharacterAt(boss_->x, boss_->y), boss_);
  EXPECT_EQ(floor_->GetCharacterAt(6, 3), nullptr);
  EXPECT_TRUE(Flashed(0, 255, 255, 160));
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Alchemist, APotionOfQuickMoveMakesItQuick) {
  GetGameInputMain()->CloseMessage();
  Carry(Boss::QuickMove);
  EXPECT_EQ(Messages().rfind("DOMA THE ALCHEMIST USED POTION OF QUICK MOVE!", 0), 0u) << Messages();
  EXPECT_EQ(boss_->status[static_cast<int>(StatusKind::Quick)], 15);
  EXPECT_TRUE(Flashed(160, 208, 255, 160));
  EXPECT_EQ(boss_->chosenSpecial, Boss::NoSpecial);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Alchemist, AStoneOfSummonCallsAStrongMonsterAnywhereFree) {
  GetGameInputMain()->CloseMessage();
  SeedRandom(4);
  boss_->direction = DirectionLeft;
  Carry(Boss::StoneOfSummon);
  ASSERT_EQ(game_->Characters.GetCount(), 3);
  const CCharacter* minion = game_->Characters.GetAt(3);
  EXPECT_EQ(minion->type, 291);
  EXPECT_EQ(minion->level, 23);  // its own
  EXPECT_EQ(floor_->GetCharacterAt(minion->x, minion->y), minion);
  EXPECT_EQ(minion->direction, DirectionLeft);
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST USED MAGIC STONE OF SUMMON!|DEVIL SUMMONED!");
  EXPECT_TRUE(Flashed(0, 255, 255, 160));
  EXPECT_EQ(Holds(), 0);
  // All six kinds, anywhere in the room.
  std::set<CharacterType> kinds;
  std::set<int> cells;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SeedRandom(seed);
    ASSERT_TRUE(boss_->SummonMinion());
    CCharacter* last = game_->Characters.GetAt(game_->Characters.GetCount());
    kinds.insert(last->type);
    cells.insert(CellIndex(last->x, last->y));
    last->RemoveFromFloor();
  }
  EXPECT_EQ(kinds, (std::set<CharacterType>{291, 327, 336, 345, 348, 354}));
  EXPECT_GT(cells.size(), 15u);
}

TEST_F(Alchemist, OnAFullFloorTheSummonComesToNothing) {
  UseFloor({"#####", "#...#", "#####"});
  player_ = PlacePlayer(1, 1);
  boss_ = static_cast<Boss*>(Spawn(Alchemist1, 3, 1));
  Spawn(Rat, 2, 1);
  GetGameInputMain()->CloseMessage();
  Carry(Boss::StoneOfSummon);
  EXPECT_EQ(game_->Characters.GetCount(), 3);
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST USED MAGIC STONE OF SUMMON!");
  EXPECT_FALSE(Flashed(0, 255, 255, 160));
  EXPECT_EQ(boss_->chosenSpecial, Boss::NoSpecial);
  EXPECT_EQ(Holds(), 0);
}

// ---- Its one resurrection

TEST_F(Alchemist, ItsFirstFallIsARising) {
  const std::int64_t exp = player_->exp;
  GetGameInputMain()->CloseMessage();
  boss_->ReceiveAttack(7, false, 100000, player_);
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST TOOK 100000 DAMAGE!|DOMA THE ALCHEMIST WAS DEFEATED!");
  EXPECT_EQ(boss_->hp, 500);
  EXPECT_EQ(boss_->resurrections, 1);
  EXPECT_EQ(boss_->animEntry, 130);
  EXPECT_EQ(boss_->actionPoints, 0);
  EXPECT_EQ(Holds(), 1);
  RunFrames(60);
  EXPECT_EQ(boss_->animEntry, 131);
  EXPECT_EQ(Messages(), GetCurrentLanguageText(695));  // the same two signs in both languages
  SettleHolds();
  EXPECT_EQ(Messages(), "DOMA THE ALCHEMIST RESURRECTED BY PHILOSOPHERS STONE!");
  EXPECT_TRUE(Flashed(255, 255, 0, 160));
  EXPECT_EQ(boss_->animEntry < AnimationAttack, true);
  EXPECT_EQ(boss_->alpha, 255);
  // Nothing of a death: no drop, no experience.
  EXPECT_EQ(ItemsOnFloor(GoalItem), 0);
  EXPECT_EQ(player_->exp, exp);
  EXPECT_EQ(game_->Characters.GetCount(), 2);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Alchemist, WhateverItFellFromGivesItsHoldBackFirst) {
  struct Case {
    const char* Name;
    void (*Before)(Boss&, CCharacter& player);
    int HoldsBefore;
  };
  const Case cases[] = {
      {"standing", [](Boss&, CCharacter&) {}, 0},
      {"hurt", [](Boss& b, CCharacter& p) { b.ReceiveAttack(7, false, 10, &p); }, 1},
      {"drinking", [](Boss& b, CCharacter&) {
         b.chosenSpecial = Boss::Teleportation;
         b.UseSpecialAttack();
       }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    UseFloor(Lab);
    player_ = PlacePlayer(1, 1);
    boss_ = static_cast<Boss*>(Spawn(Alchemist1, 6, 3));
    c.Before(*boss_, *player_);
    RunFrames(1);
    EXPECT_EQ(Holds(), c.HoldsBefore);
    boss_->ReceiveAttack(7, false, 100000, player_);
    EXPECT_EQ(boss_->animEntry, 130);
    EXPECT_EQ(Holds(), 1);  // the rising's alone
    SettleHolds();
    EXPECT_EQ(Holds(), 0);
    EXPECT_EQ(boss_->hp, 500);
  }
  // The potion it was drinking was drunk as it fell.
  EXPECT_FALSE(boss_->x == 6 && boss_->y == 3);
}

// ---- Its real defeat

TEST_F(Alchemist, ItsRealDefeatSilencesTheFloorClearsItAndLeavesTheGoal) {
  floor_->BgmTrack = 3;
  floor_->BgmResourceId = 10003;
  CCharacterEnemy* rat = Spawn(Rat, 3, 3);
  CCharacterEnemy* dragon = Spawn(345, 4, 1);
  boss_->ReceiveAttack(7, false, 100000, player_);
  SettleHolds();
  const std::int64_t exp = player_->exp;
  // The second fall is the last.
  boss_->ReceiveAttack(7, false, 100000, player_);
  EXPECT_EQ(boss_->animEntry, AnimationDying);
  EXPECT_EQ(floor_->BgmTrack, -1);
  EXPECT_EQ(floor_->BgmResourceId, -1);
  while (boss_->animEntry != 83) {
    RunFrames(1);
    EXPECT_EQ(boss_->alpha, 255);  // it never fades
  }
  EXPECT_TRUE(Flashed(255, 255, 255, 255));
  // Struck as the boss falls, the rat holds the turn in its hurt pose; the
  // boss's clearing takes it as it stands, its hold given back.
  rat->ReceiveAttack(7, false, 1, player_);
  EXPECT_EQ(Holds(), 2);
  while (boss_->animEntry == 83) RunFrames(1);
  EXPECT_EQ(boss_->animEntry, 84);
  EXPECT_EQ(Holds(), 1);
  // Gone from the floor (and deleted with the frame: not to be touched).
  rat = dragon = nullptr;
  EXPECT_EQ(floor_->GetCharacterAt(3, 3), nullptr);
  EXPECT_EQ(floor_->GetCharacterAt(4, 1), nullptr);
  SettleHolds();
  EXPECT_EQ(Holds(), 0);
  // Only the player is left, with the boss's experience alone, and the goal
  // item where it fell.
  EXPECT_EQ(game_->Characters.GetCount(), 1);
  EXPECT_EQ(player_->exp, exp + 20000);
  EXPECT_EQ(ItemsOnFloor(GoalItem), 1);
  int items = 0;
  for (const CItem* item : floor_->itemAt) items += item != nullptr;
  EXPECT_EQ(items, 1);
}

// ---- The music through both falls

const std::vector<std::uint8_t>& Tune() {
  static const std::vector<std::uint8_t> image =
      MakeWaveImage(WaveShape{1, 1, 1000, 16}, std::vector<std::uint8_t>(20000, 0x10));
  return image;
}

ResourceBytes FindTune(std::uint16_t id) {
  if (id != BgmResourceBase + 3) return {};
  return ResourceBytes{Tune().data(), Tune().size()};
}

class AlchemistMusic : public Alchemist {
protected:
  void SetUp() override {
    Alchemist::SetUp();
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    saved_ = sound->FindWave;
    sound->FindWave = &FindTune;
    ASSERT_TRUE(sound->InitWithoutDevice());
    sound->LoadBgm(3, BgmResourceBase + 3, 1.0f, 0, 0, 20000);
    ASSERT_TRUE(sound->PlayBgm(3));
  }
  void TearDown() override {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    sound->FindWave = saved_;
    Alchemist::TearDown();
  }
  ResourceBytes (*saved_)(std::uint16_t) = nullptr;
};

TEST_F(AlchemistMusic, TheMusicHushesWhileItRisesAndStopsWhenItFallsForGood) {
  CSoundManager* sound = GetSoundManager();
  boss_->ReceiveAttack(7, false, 100000, player_);
  EXPECT_TRUE(sound->IsBgmPlaying(3));
  EXPECT_EQ(sound->BgmTrackVolume[3], 0);
  SettleHolds();
  EXPECT_EQ(sound->BgmTrackVolume[3], MusicTable[3].Volume);
  boss_->ReceiveAttack(7, false, 100000, player_);
  EXPECT_EQ(sound->GetPlayingBgm(), -1);
  SettleHolds();
  EXPECT_EQ(sound->GetPlayingBgm(), -1);
  EXPECT_EQ(Holds(), 0);
}

}  // namespace

#include "characters/CharacterRecord.h"

namespace {

// A suspended fight comes back as it was left: a boss that has risen once
// does not rise again after CONTINUE, and its decisions go on where they were.
TEST(AlchemistRecord, ItsMemoryComesBackWithItsRecord) {
  CCharacterAlchemist1 saved;
  saved.resurrections = 1;
  saved.summonCounter = 4;
  saved.hpMark = 321;
  saved.chosenSpecial = Boss::StoneOfNull;
  CharacterRecord record{};
  CharacterToRecord(saved, record);

  CCharacterAlchemist1 loaded;
  ASSERT_TRUE(IsSoundCharacterRecord(record, loaded));
  RecordToCharacter(record, loaded);
  EXPECT_EQ(loaded.resurrections, 1);
  EXPECT_EQ(loaded.summonCounter, 4);
  EXPECT_EQ(loaded.hpMark, 321);
  EXPECT_EQ(loaded.chosenSpecial, Boss::StoneOfNull);
}

}  // namespace
