#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "characters/CCharacterMiningPoint.h"
#include "characters/CharacterFactory.h"
#include "characters/PlayerTurnSupport.h"
#include "platform/Random.h"

namespace {

using efftest::SoundLog;

constexpr ItemId Stone = 0x800, SilverOre = 0x803, MythrilOre = 0x804, ManaStone = 0x80F, MedicalHerb = 0x814,
                 Seed = 0x813, GoldenApple = 0x819, StoneAxe = 0x005;

// The items lying on the floor, by cell.
std::map<std::pair<int, int>, CItem*> ItemsOn(const CStageData& floor) {
  std::map<std::pair<int, int>, CItem*> items;
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y)
      if (CItem* item = floor.GetItemAt(x, y)) items[{x, y}] = item;
  return items;
}

std::vector<ItemId> IdsOf(const std::map<std::pair<int, int>, CItem*>& items) {
  std::vector<ItemId> ids;
  for (const auto& [cell, item] : items) ids.push_back(item->GetId());
  std::sort(ids.begin(), ids.end());
  return ids;
}

// A point in the middle of the room and the player beside it.
class MiningPoint : public turntest::PlayerFloorFixture {
protected:
  void SetUp() override {
    PlayerFloorFixture::SetUp();
    std::copy(std::begin(game_->Settings.Block.DungeonClearedFlags),
              std::end(game_->Settings.Block.DungeonClearedFlags), std::begin(cleared_));
    std::fill(std::begin(game_->Settings.Block.DungeonClearedFlags),
              std::end(game_->Settings.Block.DungeonClearedFlags), 0u);
  }
  void TearDown() override {
    std::copy(std::begin(cleared_), std::end(cleared_), std::begin(game_->Settings.Block.DungeonClearedFlags));
    PlayerFloorFixture::TearDown();
  }
  CCharacterMiningPoint* Point(CharacterType type, int x = 3, int y = 3) {
    CCharacter* point = CreateCharacter(type);
    EXPECT_NE(point, nullptr);
    point->SetPosition(x, y);
    EXPECT_TRUE(floor_.MoveCharacterTo(x, y, point));
    game_->Characters.PushBack(point);
    return static_cast<CCharacterMiningPoint*>(point);
  }
  // Blows by `by`, each shake played out, until the point breaks; how many
  // it took. The point is still listed, breaking.
  int BlowsToBreak(CCharacterMiningPoint& point, CCharacter& by) {
    for (int blows = 1; blows <= 20; ++blows) {
      point.ReceiveAttack(0, false, 99, &by);
      if (point.hp <= 0) return blows;
      Tick(5);
    }
    return -1;
  }

  std::uint32_t cleared_[8] = {};
};

TEST_F(MiningPoint, EachKindStandsAsItsRowMakesIt) {
  struct Case {
    CharacterType Type;
    int Hp;
    int Column;
    const char* Name;
  };
  const Case cases[] = {{768, 4, 50, "MINE"}, {769, 2, 110, "BUSH"}, {770, 3, 130, "TREE"}, {771, 1, 90, "CHEST"},
                        {784, 4, 50, ""},     {785, 2, 110, ""},     {786, 3, 130, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Type);
    CCharacterMiningPoint* p = Point(c.Type);
    EXPECT_EQ(p->type, c.Type);
    EXPECT_EQ(p->hp, c.Hp);
    EXPECT_EQ(p->GetMaxHP(), c.Hp);
    EXPECT_EQ(p->level, 1);
    EXPECT_EQ(p->GetEvasion(), 0);
    EXPECT_EQ(p->animEntry, AnimationIdle);
    EXPECT_TRUE(p->IsMiningPoint());
    EXPECT_FALSE(p->IsMagicTarget());
    EXPECT_EQ(p->GetSpriteRow(), 0);
    EXPECT_EQ(p->frames[AnimationIdle].centreX, c.Column);
    EXPECT_EQ(p->frames[70].centreX, c.Column + 1);
    EXPECT_EQ(p->frames[71].centreX, c.Column - 1);
    EXPECT_EQ(p->frames[80].next, AnimationGone);
    char name[32] = "";
    p->GetName(name, sizeof name);
    EXPECT_STREQ(name, c.Name);
    RemoveEveryone();
  }
}

TEST_F(MiningPoint, BlowsToBreakByKindAndMiningPower) {
  CCharacterFighter* player = PlacePlayer(2, 3);
  struct Case {
    CharacterType Type;
    int Bare, WithAxe;
  };
  for (const Case& c : {Case{768, 4, 2}, Case{769, 2, 1}, Case{770, 3, 2}, Case{771, 1, 1}}) {
    for (bool axe : {false, true}) {
      if (axe) Give(*player, StoneAxe);
      CCharacterMiningPoint* point = Point(c.Type);
      EXPECT_EQ(BlowsToBreak(*point, *player), axe ? c.WithAxe : c.Bare) << c.Type << " axe " << axe;
      EXPECT_EQ(point->causeOfDeath, player->type);
      Tick(10);
      EXPECT_EQ(floor_.GetCharacterAt(3, 3), nullptr) << "it has left the floor";
      EXPECT_EQ(game_->Characters.GetCount(), 1) << "and the list";
      if (axe) {
        CItem* worn = player->GetItem(WeaponSlot);
        player->RemoveItem(worn);
        delete worn;
      }
      for (auto& [cell, item] : ItemsOn(floor_)) {
        floor_.RemoveItemAt(cell.first, cell.second);
        delete item;
      }
    }
  }
  EXPECT_EQ(Holds(), 0);
}

TEST_F(MiningPoint, ABlowTakesNoDamageAndACriticalBreaksAtOnce) {
  CCharacterFighter* player = PlacePlayer(2, 3);
  CCharacterMiningPoint* rock = Point(768);
  EXPECT_TRUE(rock->RollHit(0, player));
  EXPECT_EQ(rock->ReceiveAttack(0, false, 50, player), 0);
  EXPECT_EQ(rock->hp, 3) << "the damage is not what counts";
  EXPECT_EQ(rock->lastAttacker, player);
  EXPECT_EQ(floor_.Effects.GetCount(), 0) << "no number shows";
  EXPECT_EQ(rock->animEntry, 71) << "struck from the left it shakes the other way";
  rock->ReceiveAttack(0, false, 1, Place(4, 3));
  EXPECT_EQ(rock->animEntry, 70);
  rock->ReceiveAttack(0, true, 1, player);
  EXPECT_EQ(rock->hp, 0);
  EXPECT_EQ(rock->animEntry, AnimationDying);
}

TEST_F(MiningPoint, StatusesAndMissesPassThemBy) {
  CCharacterMiningPoint* bush = Point(769);
  bush->InflictSleepRandom();
  bush->InflictPoison(5);
  bush->InflictParalyze(5);
  bush->SetRegenerate(5, 5);
  bush->InflictStrUp(5);
  bush->InflictIntUp(5);
  bush->InflictResistance(5);
  bush->ShowMissEffect();
  for (int kind = 0; kind < StatusKindCount; ++kind) EXPECT_EQ(bush->status[kind], 0) << kind;
  EXPECT_EQ(floor_.Effects.GetCount(), 0) << "no caption, no miss mark";
  bush->InflictDisguise(StatusForever);
  EXPECT_TRUE(bush->IsDisguise()) << "the one status it takes";
}

TEST_F(MiningPoint, ARockScattersThreeMaterialsAroundItAndHoldsTheTurnWhileItBreaks) {
  SoundLog sound;
  CCharacterFighter* player = PlacePlayer(2, 3);
  CCharacterMiningPoint* rock = Point(768);
  SeedRandom(42);
  rock->hp = 1;
  rock->ReceiveAttack(0, false, 1, player);
  EXPECT_TRUE(sound.Played(43));
  EXPECT_EQ(Holds(), 1);
  Tick(3);
  EXPECT_EQ(Holds(), 1) << "four frames of breaking";
  Tick();
  const auto items = ItemsOn(floor_);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(IdsOf(items), (std::vector<ItemId>{0x800, 0x800, 0x80F}));
  // On the broken rock's own cell first, then rows first: the player stands
  // on the rock's row.
  std::vector<std::pair<int, int>> cells;
  for (const auto& [cell, item] : items) {
    cells.push_back(cell);
    EXPECT_FALSE(item->IsRevealed()) << "hidden until it has landed";
  }
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{3, 2}, {3, 3}, {3, 4}}));
  EXPECT_EQ(Holds(), 3) << "each landing holds the turn";
  Tick(5);
  for (const auto& [cell, item] : items) EXPECT_TRUE(item->IsRevealed());
  EXPECT_EQ(Holds(), 0);
}

TEST_F(MiningPoint, ARockHitTwiceWithinItsShakeSoundsOnce) {
  SoundLog sound;
  CCharacterFighter* player = PlacePlayer(2, 3);
  CCharacterMiningPoint* rock = Point(768);
  rock->ReceiveAttack(0, false, 1, player);
  EXPECT_TRUE(sound.Played(42));
  sound.NextFrame();
  Tick();
  rock->ReceiveAttack(0, false, 1, player);
  EXPECT_FALSE(sound.Played(42));
  Tick(5);
  sound.NextFrame();
  rock->ReceiveAttack(0, false, 1, player);
  EXPECT_TRUE(sound.Played(42));
}

// What each table gives over many picks, by progress.
TEST_F(MiningPoint, TheTablesGiveTheirMaterialsByProgress) {
  struct Case {
    CharacterType Type;
    int ClearedDungeon;  // -1: none
    std::set<ItemId> Gives;
  };
  const Case cases[] = {
      {768, -1, {0x800, 0x801, 0x802, 0x80F}},
      {768, 1, {0x800, 0x801, 0x802, 0x803, 0x80F}},
      {768, 2, {0x800, 0x801, 0x802, 0x803, 0x804, 0x80F}},
      {769, -1, {0x814, 0x815, 0x816, 0x817}},
      {770, -1, {0x810, 0x811, 0x813}},
      {770, 2, {0x810, 0x811, 0x813, 0x819}},
      {784, 2, {ManaStone}},
      {785, 2, {MedicalHerb}},
      {786, 2, {Seed}},
  };
  SeedRandom(9);
  for (const Case& c : cases) {
    std::fill(std::begin(game_->Settings.Block.DungeonClearedFlags),
              std::end(game_->Settings.Block.DungeonClearedFlags), 0u);
    if (c.ClearedDungeon >= 0) game_->Settings.Block.DungeonClearedFlags[c.ClearedDungeon] = 1;
    CCharacterMiningPoint* point = Point(c.Type);
    std::set<ItemId> gives;
    std::map<ItemId, int> counts;
    for (int i = 0; i < 940; ++i) {
      const ItemId id = point->PickMaterial();
      gives.insert(id);
      ++counts[id];
    }
    EXPECT_EQ(gives, c.Gives) << c.Type << " cleared " << c.ClearedDungeon;
    if (c.Type == 768 && c.ClearedDungeon < 0) {
      // 25 of 94: about one material in four is a mana stone.
      EXPECT_NEAR(counts[ManaStone], 250, 40);
      EXPECT_EQ(counts.count(SilverOre) + counts.count(MythrilOre), 0u);
    }
    if (c.Type == 770 && c.ClearedDungeon == 2) {
      EXPECT_NEAR(counts[GoldenApple], 56, 25);
    }
    RemoveEveryone();
  }
}

TEST_F(MiningPoint, AnEmptyTablePicksNothingAndDrawsNothing) {
  class Barren : public CCharacterMine {
  public:
    const MaterialEntry* GetMaterialTable() const override {
      static constexpr MaterialEntry none[] = {{0x800, 0}, {0, 0}};
      return none;
    }
  };
  Barren barren;
  SeedRandom(5);
  const int next = Random();
  SeedRandom(5);
  EXPECT_EQ(barren.PickMaterial(), NoItem);
  EXPECT_EQ(Random(), next);
}

TEST_F(MiningPoint, TutorialPointsPraiseTheBreak) {
  CCharacterFighter* player = PlacePlayer(2, 3);
  CCharacterMiningPoint* tree = Point(786);
  EXPECT_EQ(BlowsToBreak(*tree, *player), 3);
  EXPECT_EQ(Line(0), "NICE!");
  Tick(5);
  EXPECT_EQ(IdsOf(ItemsOn(floor_)), (std::vector<ItemId>{Seed, Seed, Seed}));
}

// A chest gives one item of the floor's own table, and nothing on a floor
// without one.
class ChestFloor : public chartest::TestFloor {
public:
  using TestFloor::TestFloor;
  CItem* PickFloorItem() override { return Give == NoItem ? nullptr : CreateItem(Give); }
  ItemId Give = NoItem;
};

TEST_F(MiningPoint, AChestOpensAtOneBlowAndGivesTheFloorsItem) {
  SoundLog sound;
  ChestFloor chestFloor(1, 1, 5, 5);
  game_->CurrentStage = &chestFloor;
  for (ItemId give : {ItemId{0x701}, NoItem}) {
    chestFloor.Give = give;
    CCharacter* chest = CreateCharacter(771);
    chest->SetPosition(3, 3);
    chestFloor.MoveCharacterTo(3, 3, chest);
    game_->Characters.PushBack(chest);
    chest->ReceiveAttack(0, false, 1, nullptr);
    EXPECT_TRUE(sound.Played(48));
    for (int i = 0; i < 20; ++i) {
      game_->Characters.UpdateAndPrune();
      chestFloor.Effects.UpdateAndPrune();
    }
    const auto items = ItemsOn(chestFloor);
    EXPECT_EQ(IdsOf(items), give == NoItem ? std::vector<ItemId>{} : std::vector<ItemId>{give});
    for (auto& [cell, item] : items) {
      chestFloor.RemoveItemAt(cell.first, cell.second);
      delete item;
    }
    sound.NextFrame();
  }
  EXPECT_EQ(Holds(), 0);
  game_->CurrentStage = &floor_;
}

TEST_F(MiningPoint, MaterialsWithNowhereToLandAreGone) {
  CCharacterMiningPoint* bush = Point(769);
  // Every cell of the room but the bush's own holds an item.
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (x != 3 || y != 3) {
        ASSERT_TRUE(floor_.PutItemAt(x, y, CreateItem(Stone)));
      }
  bush->ReceiveAttack(0, true, 1, nullptr);
  Tick(10);
  // One lands where the bush stood; the other two have nowhere to go.
  EXPECT_EQ(game_->Characters.GetCount(), 0);
  EXPECT_EQ(ItemsOn(floor_).size(), 25u);
  EXPECT_NE(floor_.GetItemAt(3, 3)->GetId(), Stone);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(MiningPoint, APlayersSwingBreaksAPointThroughTheWholeAttack) {
  CCharacterFighter* player = PlacePlayer(2, 3, DirectionRight);
  Give(*player, StoneAxe);  // mining power 2
  Point(769);
  SeedRandom(1);
  player->SetAnimation(AnimationAttack);
  EXPECT_EQ(player->animEntry, 110);
  EntriesUntilIdle(*player);
  TickUntilNoEffects();
  EXPECT_EQ(floor_.GetCharacterAt(3, 3), nullptr) << "the bush broke at one blow";
  EXPECT_EQ(game_->Characters.GetCount(), 1);
  EXPECT_EQ(ItemsOn(floor_).size(), 3u);
  EXPECT_EQ(Holds(), 0);
}

}  // namespace
