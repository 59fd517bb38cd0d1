#pragma once
// A hand-made floor drawn as text installed as the game's floor, a player
// with a bag, and monsters made by the factory standing on it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "characters/CharacterTestSupport.h"
#include "floors/CStageData.h"
#include "floors/FloorTestSupport.h"
#include "items/CItem.h"
#include "monsters/CCharacterEnemy.h"
#include "monsters/MonsterTurnDriver.h"
#include "platform/Random.h"
#include "ui/CGameInputMain.h"

namespace monstertest {

// The player of these tests: plenty of hit points and the plain action
// table of the character tests.
class TestPlayer : public CCharacterPlayer {
public:
  TestPlayer() {
    frames = chartest::ActionFrames();
    animEntry = AnimationIdle;
    maxHpX100 = 100000;
    hp = maxHp = 1000;
  }
  // Traces count what the monsters do: the player heals nothing by itself.
  int GetHpRegenRate() const override { return 0; }
};

// A monster of any type on the bare enemy base, with its family's hooks and
// none of its class's own behaviour.
class AnyEnemy : public CCharacterEnemy {
public:
  explicit AnyEnemy(CharacterType t) : CCharacterEnemy(t) {}
  using CCharacterEnemy::CalcMagicDamage;
};

class MonsterFixture : public ::testing::Test {
protected:
  void SetUp() override {
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedPlayer_ = game_->Player;
    ASSERT_EQ(game_->Characters.GetCount(), 0);
    GetStateController()->Reset();
    Drain();
    game_->Player = nullptr;
    UseFloor({"#######", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", "#######"});
    SeedRandom(1);
    GetGameInputMain()->CloseMessage();
  }
  void TearDown() override {
    game_->Characters.DeleteAll();
    game_->Player = nullptr;
    game_->CurrentStage = savedStage_;
    game_->Player = savedPlayer_;
    floor_.reset();
    Drain();
  }
  static void Drain() {
    while (Holds() > 0) GetStateController()->Release();
  }
  static int Holds() { return GetStateController()->GetHoldCount(); }

  // A new floor from text, as the game's; whoever stood on the old one is gone.
  void UseFloor(const std::vector<std::string>& rows) {
    game_->Characters.DeleteAll();
    game_->Player = nullptr;
    floor_ = floortest::MakeFloor(rows);
    game_->CurrentStage = floor_.get();
  }

  template <class T>
  T* Place(T* c, int x, int y) {
    c->SetPosition(x, y);
    EXPECT_TRUE(floor_->MoveCharacterTo(x, y, c));
    game_->Characters.PushBack(c);
    return c;
  }
  CCharacterEnemy* Spawn(CharacterType type, int x, int y) {
    CCharacter* c = CreateCharacter(type);
    EXPECT_NE(c, nullptr) << type;
    return c ? Place(static_cast<CCharacterEnemy*>(c), x, y) : nullptr;
  }
  TestPlayer* PlacePlayer(int x, int y) {
    TestPlayer* p = Place(new TestPlayer, x, y);
    game_->Player = p;
    return p;
  }
  // The player steps as the play screen makes it step.
  bool PlayerSteps(Direction d) {
    game_->Player->SetDirection(d);
    return game_->Player->StepForward();
  }

  // The message window's rows, joined by '|'.
  static std::string Messages() {
    std::string s;
    for (int i = 0; i < CGameInputMain::MessageRowCount; ++i) {
      const std::string row = GetGameInputMain()->GetMessageRow(i);
      if (!row.empty()) s += (s.empty() ? "" : "|") + row;
    }
    return s;
  }

  CGameMain* game_ = nullptr;
  std::unique_ptr<CStageData> floor_;
  CStageData* savedStage_ = nullptr;
  CCharacterPlayer* savedPlayer_ = nullptr;
};

}  // namespace monstertest
