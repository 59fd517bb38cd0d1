// What becomes of a thrown piece: kept, dropped near the target, used up;
// never lost when it cannot land, never left behind as a pointer.
#include <gtest/gtest.h>

#include "characters/CharacterTestSupport.h"
#include "characters/EffectTestSupport.h"
#include "characters/PlayerTestSupport.h"
#include "items/ItemUseTestSupport.h"

namespace {

using itemuse::UseFixture;

constexpr ItemId StoneArrow = 0x200, HealingPotion = 0x900, Trident = 0x0A8, Stone = 0x800;

class Throwing : public UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    rat_ = Monster(5, 3);
    rat_->hp = 5;
  }
  // Every throw hits (or misses) whatever it rolls.
  void Hits(bool hit) {
    player_->accuracy = 100;
    rat_->evasion = hit ? 0 : 100;
  }
  // No cell of the floor can take an item any more.
  void FillFloor() {
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        if (CItem* stone = CreateItem(Stone); !floor_->PutItemAt(x, y, stone)) delete stone;
  }
  int ItemsOnFloor(ItemId id) const {
    int n = 0;
    for (const CItem* item : floor_->itemAt) n += item && item->GetId() == id ? item->GetCount() : 0;
    return n;
  }
  CCharacter* rat_ = nullptr;
};

TEST_F(Throwing, AMissedStackLeavesOnePieceNearTheTarget) {
  CItem* arrows = Give(StoneArrow, 12, true);
  Hits(false);
  arrows->ResolveThrow(player_, rat_);
  EXPECT_EQ(player_->GetItem(ArrowSlot), arrows);
  EXPECT_EQ(arrows->GetCount(), 11);
  EXPECT_TRUE(arrows->IsEquipped());
  const CItem* landed = floor_->GetItemAt(5, 3);
  ASSERT_NE(landed, nullptr);
  EXPECT_NE(landed, arrows);
  EXPECT_EQ(landed->GetId(), StoneArrow);
  EXPECT_EQ(landed->GetCount(), 1);
  EXPECT_FALSE(landed->IsEquipped());
  EXPECT_EQ(rat_->lastAttacker, player_);
  EXPECT_EQ(Messages(), "MISSED!");
  EXPECT_EQ(EffectsAt(5, 3, EffectMiss).size(), 1u);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(Throwing, TheLastPotionBreaksOnAHitAndLandsOnAMiss) {
  CItem* potion = Give(HealingPotion);
  Hits(true);
  potion->ResolveThrow(player_, rat_);
  // Broken: its healing went to the rat, and it is gone from the bag.
  EXPECT_FALSE(Carries(HealingPotion));
  EXPECT_EQ(ItemsOnFloor(HealingPotion), 0);
  EXPECT_GT(rat_->hp, 5);

  potion = Give(HealingPotion);
  potion->SetEquipped(true);
  Hits(false);
  potion->ResolveThrow(player_, rat_);
  EXPECT_FALSE(Carries(HealingPotion));
  EXPECT_EQ(floor_->GetItemAt(5, 3), potion);
  EXPECT_FALSE(potion->IsEquipped());
}

TEST_F(Throwing, WithNoRoomToLandThePieceStaysInTheBag) {
  CItem* potion = Give(HealingPotion);
  CItem* arrows = Give(StoneArrow, 3);
  FillFloor();
  Hits(false);
  potion->ResolveThrow(player_, rat_);
  arrows->ResolveThrow(player_, rat_);
  EXPECT_EQ(player_->GetItem(PlaceOf(potion)), potion);
  EXPECT_EQ(arrows->GetCount(), 3);
  EXPECT_EQ(ItemsOnFloor(HealingPotion) + ItemsOnFloor(StoneArrow), 0);
  for (CItem* item : floor_->itemAt) EXPECT_TRUE(!item || item->GetId() == Stone);
}

TEST_F(Throwing, AnItemThrownAtAWallWithNoRoomStaysInTheBag) {
  CItem* potion = Give(HealingPotion);
  CItem* arrows = Give(StoneArrow, 4);
  player_->SetDirection(DirectionUp);
  FillFloor();
  for (CItem* thrown : {potion, arrows}) {
    player_->SetSelectedItem(PlaceOf(thrown));
    player_->EndItemShot();
  }
  EXPECT_EQ(player_->GetItem(PlaceOf(potion)), potion);
  EXPECT_EQ(arrows->GetCount(), 4);
  EXPECT_EQ(ItemsOnFloor(HealingPotion) + ItemsOnFloor(StoneArrow), 0);

  // With room, one of the stack lands before the wall.
  delete floor_->GetItemAt(3, 1);
  floor_->RemoveItemAt(3, 1);
  player_->EndItemShot();
  EXPECT_EQ(arrows->GetCount(), 3);
  EXPECT_EQ(ItemsOnFloor(StoneArrow), 1);
}

TEST_F(Throwing, AReturningWeaponComesBackHitOrMiss) {
  CItem* trident = Give(Trident, 1, true);
  for (bool hit : {true, false}) {
    Hits(hit);
    rat_->hp = 1000;
    trident->ResolveThrow(player_, rat_);
    EXPECT_EQ(player_->GetItem(WeaponSlot), trident) << hit;
    EXPECT_TRUE(trident->IsEquipped()) << hit;
    EXPECT_EQ(floor_->GetItemAt(5, 3), nullptr) << hit;
  }
}

TEST_F(Throwing, NothingLandsOnTheFallenOrTheGone) {
  CItem* potion = Give(HealingPotion);
  Hits(true);
  rat_->hp = 0;
  potion->ResolveThrow(player_, rat_);
  EXPECT_EQ(rat_->hp, 0);
  EXPECT_EQ(rat_->lastAttacker, nullptr);
  // Not in the game: only its pointer is looked at.
  CCharacter stranger;
  stranger.hp = 10;
  potion->ResolveThrow(player_, &stranger);
  EXPECT_EQ(stranger.hp, 10);
  EXPECT_TRUE(Carries(HealingPotion));

  // A piece handed over for the throw alone goes with it.
  int deleted = 0;
  (new efftest::TallyItem(&deleted))->ResolveThrow(player_, &stranger);
  EXPECT_EQ(deleted, 1);
}

TEST_F(Throwing, APieceNobodyHoldsIsUsedUpOrLands) {
  // A monster's arrow: made for the throw, owned by it.
  rat_->accuracy = 100;
  player_->evasion = 0;
  int deleted = 0;
  auto* arrow = new efftest::TallyItem(&deleted);
  arrow->ResolveThrow(rat_, player_);
  EXPECT_EQ(deleted, 1);

  player_->evasion = 100;
  arrow = new efftest::TallyItem(&deleted);
  arrow->ResolveThrow(rat_, player_);
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(floor_->GetItemAt(3, 3), arrow);
  floor_->RemoveItemAt(3, 3);
  delete arrow;
}

TEST_F(Throwing, AStackUsedUpByItsFlightLeavesNothingBehind) {
  // The last potion, thrown from the bag, flies and breaks on the rat; the
  // flight and the bag keep no pointer to it (the sanitizers watch).
  CItem* potion = Give(HealingPotion);
  CItem* arrows = Give(StoneArrow, 1, true);
  player_->SetDirection(DirectionRight);
  Hits(true);
  for (CItem* thrown : {potion, arrows}) {
    rat_->hp = 1000;
    player_->SetSelectedItem(PlaceOf(thrown));
    ASSERT_NE(CCharacterEffect::SpawnMissile(player_, EffectThrownItem, thrown->Clone(), -1, 0), nullptr);
    Settle();
  }
  EXPECT_FALSE(Carries(HealingPotion));
  EXPECT_FALSE(Carries(StoneArrow));
  EXPECT_EQ(player_->GetItem(ArrowSlot), nullptr);
  EXPECT_LT(rat_->hp, 1000);
  playertest::ExpectSoundPlaces(*player_);
}

}  // namespace
