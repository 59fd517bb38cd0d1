// A monster's last moments, its drop, its fading, and its battle-log lines.
#include <gtest/gtest.h>

#include <string>

#include "items/ItemFactory.h"
#include "monsters/MonsterTestSupport.h"

namespace {

using monstertest::MonsterFixture;
using monstertest::TestPlayer;

constexpr CharacterType Rat = 259;

class MonsterDeath : public MonsterFixture {
protected:
  // A blow from the player that takes all its hit points (magic but not
  // fire, which a Pyrolisk shrugs off).
  void Kill(CCharacterEnemy* m) { m->ReceiveAttack(7, false, 100000, game_->Player); }
  int ItemsOnFloor() const {
    int n = 0;
    for (CItem* item : floor_->itemAt) n += item != nullptr;
    return n;
  }
};

TEST_F(MonsterDeath, EveryMonsterLeavesTheFloorAndTheTurnFree) {
  // The Alchemist's first fall is a rising (its own tests).
  for (CharacterType type = 256; type <= 364; ++type) {
    SCOPED_TRACE(type);
    UseFloor({"#####", "#...#", "#...#", "#####"});
    PlacePlayer(1, 1);
    CCharacterEnemy* m = Spawn(type, 2, 1);
    m->direction = DirectionLeft;
    // Struck down in the middle of its own blow.
    m->SetAnimation(AnimationAttack);
    Kill(m);
    EXPECT_EQ(m->animEntry, AnimationDying);
    monstertest::SettleHolds();
    EXPECT_EQ(Holds(), 0);
    EXPECT_EQ(game_->Characters.GetCount(), 1);  // the player alone
    EXPECT_EQ(floor_->GetCharacterAt(2, 1), nullptr);
  }
}

TEST_F(MonsterDeath, ItFadesOutAndItsDropShowsWhereItFell) {
  TestPlayer* player = PlacePlayer(1, 1);
  CCharacterEnemy* rat = Spawn(Rat, 3, 3);
  // A seed whose leather roll succeeds.
  std::uint32_t seed = 1;
  for (;; ++seed) {
    SeedRandom(seed);
    Random();  // the guard roll of the blow
    if (Random() % 100 < 10) break;
  }
  SeedRandom(seed);
  GetGameInputMain()->CloseMessage();
  Kill(rat);
  EXPECT_EQ(Messages(), "RAT TOOK 100000 DAMAGE!|RAT WAS DEFEATED!");
  // Each dying frame fades from opaque.
  std::vector<int> alphas;
  for (int tick = 0; tick < 4; ++tick) {
    rat->TickAnimation();
    alphas.push_back(rat->alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{242, 229, 216, 204}));
  EXPECT_EQ(ItemsOnFloor(), 0);
  // The chain's end: the leather lies hidden while it hops from the monster's
  // cell, holding the turn.
  for (int frame = 0; frame < 100 && game_->Characters.GetCount() > 1; ++frame) monstertest::RunFrames(1);
  ASSERT_EQ(ItemsOnFloor(), 1);
  EXPECT_FALSE(floor_->GetItemAt(3, 3)->IsRevealed());
  EXPECT_GT(Holds(), 0);
  monstertest::SettleHolds();
  CItem* leather = floor_->GetItemAt(3, 3);
  ASSERT_NE(leather, nullptr);
  EXPECT_EQ(leather->GetId(), 0x823);
  EXPECT_TRUE(leather->IsRevealed());
  EXPECT_EQ(Holds(), 0);
  (void)player;
}

TEST_F(MonsterDeath, NeighboursDropOnCellsOfTheirOwn) {
  PlacePlayer(5, 5);
  // The Alchemist's crystal never fails to drop; the bare enemy base keeps
  // the family's drop hooks without the boss's rising.
  auto* first = Place(new monstertest::AnyEnemy(367), 2, 2);
  auto* second = Place(new monstertest::AnyEnemy(367), 3, 2);
  for (auto* m : {first, second}) {
    m->frames = chartest::ActionFrames();
    m->hp = m->maxHp = 5;
    Kill(m);
  }
  monstertest::SettleHolds();
  EXPECT_EQ(ItemsOnFloor(), 2);
  EXPECT_NE(floor_->GetItemAt(2, 2), nullptr);
  EXPECT_NE(floor_->GetItemAt(3, 2), nullptr);
}

TEST_F(MonsterDeath, ADropWithNowhereToLieIsDeleted) {
  UseFloor({"###", "#.#", "###"});
  auto* m = Place(new monstertest::AnyEnemy(367), 1, 1);
  m->frames = chartest::ActionFrames();
  m->hp = m->maxHp = 5;
  ASSERT_TRUE(floor_->PutItemAt(1, 1, CreateItem(0x700)));
  m->ReceiveAttack(4, false, 10, nullptr);
  monstertest::SettleHolds();
  EXPECT_EQ(floor_->GetItemAt(1, 1)->GetId(), 0x700);
  EXPECT_EQ(ItemsOnFloor(), 1);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(MonsterDeath, FadesOfNoTimeAndTheSummonedFadeIn) {
  CCharacterEnemy* rat = Spawn(Rat, 2, 2);
  rat->frames[AnimationDying].duration = 0;
  rat->frames[AnimationDying].next = AnimationDying;
  rat->hp = 0;
  rat->SetAnimation(AnimationDying);
  rat->TickAnimation();
  EXPECT_EQ(rat->alpha, 0);

  // Called up: transparent, then opaque and standing after 11 frames, even
  // where its family never drew a rising.
  CCharacterEnemy* summoned = Spawn(Rat, 4, 4);
  summoned->SetAnimation(90);
  summoned->alpha = 0;
  std::vector<int> alphas;
  for (int frame = 0; frame < 11; ++frame) {
    summoned->TickAnimation();
    alphas.push_back(summoned->alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{24, 48, 72, 96, 120, 144, 168, 192, 216, 240, 255}));
  EXPECT_EQ(summoned->animEntry, AnimationIdle);
}

TEST_F(MonsterDeath, EveryBattleLogLineHasItsWindowCall) {
  CCharacterEnemy* rat = Spawn(Rat, 2, 2);
  struct Row {
    void (*Hook)(CCharacterEnemy&);
    const char* Line;
    bool Replaces;
  };
  const Row rows[] = {
      {[](CCharacterEnemy& m) { m.OnAttack(); }, "RAT ATTACKED!", true},
      {[](CCharacterEnemy& m) { m.OnShoot(); }, "RAT SHOT AN ARROW!", true},
      {[](CCharacterEnemy& m) { m.OnDamaged(12); }, "RAT TOOK 12 DAMAGE!", false},
      {[](CCharacterEnemy& m) { m.OnParry(); }, "RAT PARRIED!", false},
      {[](CCharacterEnemy& m) { m.OnCritical(); }, "CRITICAL!", false},
      {[](CCharacterEnemy& m) { m.OnMiss(); }, "MISSED!", false},
      {[](CCharacterEnemy& m) { m.OnDefeated(); }, "RAT WAS DEFEATED!", false},
      {[](CCharacterEnemy& m) { m.OnResist(); }, "RAT RESISTED!", false},
      {[](CCharacterEnemy& m) { m.OnResistDeath(); }, "RAT RESISTED!", false},
      {[](CCharacterEnemy& m) { m.OnQuick(); }, "RAT SPED UP!", false},
      {[](CCharacterEnemy& m) { m.OnSlow(); }, "RAT SLOWED DOWN!", false},
      {[](CCharacterEnemy& m) { m.OnSleep(); }, "RAT SLEPT!", false},
      {[](CCharacterEnemy& m) { m.OnConfuse(); }, "RAT IS CONFUSED!", false},
      {[](CCharacterEnemy& m) { m.OnPoison(); }, "RAT IS POISONED!", false},
      {[](CCharacterEnemy& m) { m.OnParalyze(); }, "RAT IS PARALYZED!", false},
      {[](CCharacterEnemy& m) { m.OnWeaken(); }, "RAT IS WEAKENED!", false},
      {[](CCharacterEnemy& m) { m.OnCure(); }, "RAT IS CURED!", true},
      {[](CCharacterEnemy& m) { m.OnEffectEnd(); }, "RAT'S EFFECT ENDED!", true},
  };
  for (const Row& r : rows) {
    GetGameInputMain()->ShowMessage("BEFORE");
    r.Hook(*rat);
    EXPECT_EQ(Messages(), r.Replaces ? std::string(r.Line) : std::string("BEFORE|") + r.Line);
  }
  // A monster says nothing of experience, levels, traps or throws.
  GetGameInputMain()->CloseMessage();
  rat->OnGainExp(5);
  rat->OnLevelUp();
  rat->OnAvoidTrap(1);
  rat->OnThrow();
  EXPECT_EQ(Messages(), "");
}

}  // namespace
