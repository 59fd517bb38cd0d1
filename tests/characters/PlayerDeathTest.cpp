#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CGameState.h"
#include "characters/PlayerTestSupport.h"
#include "characters/PlayerTurnSupport.h"
#include "platform/SaveTestSupport.h"
#include "ui/CGameInputController.h"

namespace {

using efftest::SoundLog;

constexpr ItemId RingOfResurrection = 0x606, Circlet = 0x582, CircletOfResurrection = 0x589,
                 PhilosophersStone = 0xA10, MagicStone = 0xA01;

// The game-over screen, as the dying player pushes it.
class GameOverScreen : public CGameInput {
public:
  void Begin() override { ++Begun; }
  int Begun = 0;
};
GameOverScreen TheGameOverScreen;
CGameInput* Resolve(ScreenId id) { return id == 24 ? &TheGameOverScreen : nullptr; }

// The ids of the items carried, in place order.
std::vector<ItemId> CarriedIds(const CCharacterPlayer& p) {
  std::vector<ItemId> ids;
  for (ItemId id : playertest::PlaceIds(p))
    if (id != NoItem) ids.push_back(id);
  return ids;
}

// Remembers the experience it is given.
class Foe : public CCharacter {
public:
  void GainExp(std::int64_t amount) override { Gained += amount; }
  std::int64_t Gained = 0;
};

// The player dies on the test floor; whatever the game-over state does, it
// does in a folder of its own, and the screen chain and the turn machine
// are put back afterwards.
class PlayerDeath : public turntest::PlayerFloorFixture {
protected:
  void SetUp() override {
    PlayerFloorFixture::SetUp();
    TheGameOverScreen.Begun = 0;
    SetScreenResolver(&Resolve);
  }
  void TearDown() override {
    GetGameInputController()->SetChild(nullptr);
    TheGameOverScreen.SetParent(nullptr);
    SetScreenResolver(nullptr);
    GetStateController()->Reset();
    PlayerFloorFixture::TearDown();
  }
  // A player at 0 HP struck down by a foe, in its dying pose.
  CCharacterFighter* Fallen() {
    CCharacterFighter* p = PlacePlayer(2, 3);
    foe_ = Place<Foe>(3, 3);
    foe_->hp = 10;
    p->exp = 77;
    p->hp = 0;
    p->lastAttacker = foe_;
    p->SetAnimation(AnimationDying);
    return p;
  }
  // Frames until the entry is `entry` (at most `limit`).
  void TickUntil(CCharacter& c, AnimationEntry entry, int limit = 200) {
    for (int i = 0; i < limit && c.animEntry != entry; ++i) Tick();
  }

  TempGameFolder folder_;
  Foe* foe_ = nullptr;
};

TEST_F(PlayerDeath, WithoutAResurrectionTheDyingPoseEndsTheGame) {
  CCharacterFighter* p = Fallen();
  GetGameInputMain()->ShowMessage("YOU WERE HIT!");
  EXPECT_EQ(Holds(), 1);
  TickUntil(*p, 81);
  EXPECT_EQ(p->animEntry, 81);
  Tick(10);
  EXPECT_EQ(p->alpha, 255 - 11 * 16) << "it fades from the frame it enters 81";
  TickUntil(*p, 82);
  EXPECT_EQ(p->alpha, 0);
  EXPECT_EQ(p->GetDirection(), DirectionDown);
  EXPECT_EQ(GetStateController()->GetStateId(), 0);
  TickUntil(*p, 83);
  EXPECT_EQ(GetStateController()->GetStateId(), 13);
  EXPECT_EQ(TheGameOverScreen.Begun, 1);
  EXPECT_EQ(Line(0), "") << "the message window is closed";
  EXPECT_EQ(foe_->Gained, 0);
  Tick(50);
  EXPECT_EQ(p->animEntry, 83) << "the last pose stays";
  EXPECT_EQ(Holds(), 1) << "the turn never moves on";
}

TEST_F(PlayerDeath, ARingOfResurrectionBringsThePlayerBackOnce) {
  SoundLog sound;
  CCharacterFighter* p = Fallen();
  CItem* ring = Give(*p, RingOfResurrection);
  ASSERT_NE(ring, nullptr);
  ASSERT_EQ(p->GetItem(3), ring);
  const int carried = p->CountItems();
  TickUntil(*p, AnimationIdle);
  EXPECT_TRUE(sound.Played(8));
  EXPECT_EQ(p->animEntry, AnimationIdle);
  EXPECT_EQ(p->hp, p->GetMaxHP());
  EXPECT_EQ(p->alpha, 255);
  EXPECT_EQ(p->GetItem(3), nullptr);
  EXPECT_EQ(p->CountItems(), carried - 1);
  EXPECT_EQ(foe_->Gained, 77) << "the foe still takes its experience";
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(GetStateController()->GetStateId(), 0);
  bool captioned = false;
  for (CCharacter* c : floor_.Effects.Walk())
    captioned = captioned || std::string(static_cast<CCharacterEffect*>(c)->GetCaption()) == "RESURRECTION!";
  EXPECT_TRUE(captioned);

  // With nothing left to bring it back, the next death is the last.
  p->hp = 0;
  p->SetAnimation(AnimationDying);
  TickUntil(*p, 83);
  EXPECT_EQ(GetStateController()->GetStateId(), 13);
}

TEST_F(PlayerDeath, WhichResurrectionIsUsed) {
  struct Case {
    std::vector<ItemId> Worn, Carried;
    std::vector<ItemId> Left;  // the ids carried afterwards, in place order
  };
  const Case cases[] = {
      {{RingOfResurrection}, {PhilosophersStone}, {PhilosophersStone}},
      {{}, {PhilosophersStone, PhilosophersStone}, {PhilosophersStone}},
      // The ring's place comes before the head's.
      {{CircletOfResurrection, RingOfResurrection}, {}, {CircletOfResurrection}},
  };
  for (const Case& c : cases) {
    RemoveEveryone();
    CCharacterFighter* p = Fallen();
    for (ItemId id : c.Worn) Give(*p, id);
    for (ItemId id : c.Carried) Give(*p, id, 1, false);
    TickUntil(*p, AnimationIdle);
    EXPECT_EQ(CarriedIds(*p), c.Left);
    EXPECT_EQ(p->hp, p->GetMaxHP());
  }
}

TEST_F(PlayerDeath, ACircletOfResurrectionLeavesAPlainCircletWithItsStones) {
  CCharacterFighter* p = Fallen();
  CItem* circlet = Give(*p, CircletOfResurrection);
  ASSERT_NE(circlet, nullptr);
  circlet->Enchantments[0] = MagicStone;
  circlet->SetRefinement(3);
  TickUntil(*p, AnimationIdle);
  CItem* plain = p->GetItem(6);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->GetId(), Circlet);
  EXPECT_TRUE(plain->IsEquipped());
  EXPECT_EQ(plain->GetEnchantmentAt(0), MagicStone);
  EXPECT_EQ(plain->GetRefinement(), 3);
  EXPECT_EQ(p->CountItems(), 1);
}

// ---- The score

class PlayerScore : public turntest::PlayerFloorFixture {};

TEST_F(PlayerScore, ExperiencePricesHitPointsAndFloorDoubledWhileAlive) {
  CCharacterFighter* p = PlacePlayer(3, 3);
  CItem* stones = Give(*p, 0x800, 3, false);  // three stones
  ASSERT_NE(stones, nullptr);
  const int prices = stones->GetTotalPrice();
  ASSERT_GT(prices, 0);
  const std::uint32_t floorNumber = game_->Settings.Block.FloorNumber;
  game_->Settings.Block.FloorNumber = 4;
  p->exp = 1000;
  p->hp = 12;
  EXPECT_EQ(p->CalcScore(), 2 * (1000 + prices + 144 + 160));
  p->hp = 0;
  EXPECT_EQ(p->CalcScore(), 1000 + prices + 160) << "a dead player's score is not doubled";
  // Past 32 bits the score stays at the top.
  p->exp = std::int64_t{1} << 40;
  EXPECT_EQ(p->CalcScore(), 2147483647);
  game_->Settings.Block.FloorNumber = floorNumber;
}

}  // namespace
