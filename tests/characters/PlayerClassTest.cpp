// The nine classes: what each starts with, how it grows, what makes it, and
// the frame table and sheet they share.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "PlayerTestSupport.h"
#include "characters/CharacterFactory.h"
#include "characters/PlayerClasses.h"
#include "platform/PictureTable.h"
#include "platform/Renderer.h"

namespace {

using playertest::PlaceIds;
using playertest::PlayerFixture;
using playertest::StatItem;

std::unique_ptr<CCharacterPlayer> NewPlayer(CharacterType type) {
  return std::unique_ptr<CCharacterPlayer>(static_cast<CCharacterPlayer*>(CreateCharacter(type)));
}

// A new player as the new-game set-up leaves it: kit given, HP clamped.
std::unique_ptr<CCharacterPlayer> NewGamePlayer(CharacterType type) {
  auto p = NewPlayer(type);
  p->GiveStartingItems();
  p->ClampHP();
  return p;
}

struct ClassCase {
  CharacterType Type;
  int Hp;  // after the kit and the clamp
  int MaxHpX100, Str, Dex, Int, Attack;
  int Up, Down;  // hundredths a level
  std::vector<ItemId> Worn;  // places 0-6
  std::vector<ItemId> Bag;
};

constexpr ItemId None = NoItem;

const ClassCase Classes[] = {
    {0, 30, 3000, 10, 10, 10, 10, 525, 525, {0x001, None, None, None, 0x300, 0x400, None}, {0x701}},
    {1, 28, 2800, 8, 14, 10, 0, 475, 475, {0x000, 0x100, 0x200, None, 0x310, None, None}, {0x701}},
    {2, 34, 3400, 13, 10, 4, 10, 600, 550, {0x005, None, None, None, 0x301, 0x401, 0x501}, {0x701}},
    {3, 26, 2600, 5, 8, 14, 10, 400, 400, {0x014, None, None, None, 0x320, None, None}, {0x701}},
    {4, 29, 2900, 12, 8, 12, 11, 500, 500, {0x00B, None, None, None, 0x300, None, 0x500}, {0x701}},
    {5, 29, 2900, 11, 11, 8, 11, 480, 480, {0x0B0, None, None, None, 0x3C0, 0x410, None}, {0x701}},
    {6, 27, 2700, 8, 12, 10, 10, 425, 425, {0x0B8, None, None, None, 0x3D0, 0x410, None}, {0x701}},
    {7, 25, 2500, 4, 14, 13, 11, 380, 380, {None, 0x100, 0x200, None, 0x310, 0x420, None}, {0x701}},
    {8, 1, 100, 20, 20, 20, 0, 0, 0, {None, None, None, 0x606, 0x320, None, None}, {0x701, 0xB0B}},
};

using PlayerClasses = PlayerFixture;

TEST_F(PlayerClasses, EachClassStartsWithItsStatsAndKit) {
  for (const ClassCase& c : Classes) {
    SCOPED_TRACE(c.Type);
    auto p = NewGamePlayer(c.Type);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->type, c.Type);
    EXPECT_EQ(p->level, 1);
    EXPECT_EQ(p->exp, 0);
    EXPECT_EQ(p->defence, 0);
    EXPECT_EQ(p->spareFlag, 1);
    EXPECT_EQ(p->animEntry, AnimationIdle);
    EXPECT_EQ(p->maxHpX100, c.MaxHpX100);
    EXPECT_EQ(p->hp, c.Hp);
    EXPECT_EQ(p->GetMaxHP(), c.Hp);
    EXPECT_EQ(p->strength, c.Str);
    EXPECT_EQ(p->dexterity, c.Dex);
    EXPECT_EQ(p->intelligence, c.Int);
    EXPECT_EQ(p->spareStat, 5);
    EXPECT_EQ(p->attack, c.Attack);

    std::vector<ItemId> places = PlaceIds(*p);
    EXPECT_EQ(std::vector<ItemId>(places.begin(), places.begin() + FirstBagSlot), c.Worn);
    std::vector<ItemId> bag;
    for (int slot = FirstBagSlot; slot < InventorySize; ++slot)
      if (places[slot] != NoItem) bag.push_back(places[slot]);
    std::sort(bag.begin(), bag.end());
    EXPECT_EQ(bag, c.Bag);
    for (int slot = 0; slot < InventorySize; ++slot)
      if (const CItem* item = p->GetItem(slot)) {
        EXPECT_EQ(item->IsEquipped(), slot < FirstBagSlot) << slot;
      }
    playertest::ExpectSoundPlaces(*p);
  }
}

TEST_F(PlayerClasses, KitCountsAndCharges) {
  EXPECT_EQ(NewGamePlayer(1)->GetItem(ArrowSlot)->GetCount(), 30);
  EXPECT_EQ(NewGamePlayer(7)->GetItem(ArrowSlot)->GetCount(), 50);
  EXPECT_EQ(NewGamePlayer(6)->GetItem(WeaponSlot)->GetCount(), 6);
  auto prophet = NewGamePlayer(8);
  const CItem* wand = nullptr;
  for (int slot = FirstBagSlot; slot < InventorySize; ++slot)
    if (const CItem* item = prophet->GetItem(slot); item && item->GetId() == 0xB0B) wand = item;
  ASSERT_NE(wand, nullptr);
  EXPECT_EQ(wand->GetChargesLeft(), 10);
  EXPECT_TRUE(prophet->HasResurrection());
}

// Levels grow the maximum by the class's hundredths; HP rises with it and
// falls only as far as the new maximum forces it.
TEST_F(PlayerClasses, EachClassGrowsByItsOwnHundredths) {
  for (const ClassCase& c : Classes) {
    SCOPED_TRACE(c.Type);
    auto p = NewPlayer(c.Type);
    p->ClampHP();
    p->LevelUp();
    p->LevelUp();
    EXPECT_EQ(p->level, 3);
    EXPECT_EQ(p->maxHpX100, c.MaxHpX100 + 2 * c.Up);
    EXPECT_EQ(p->hp, p->GetMaxHP());
    p->LevelDown();
    EXPECT_EQ(p->level, 2);
    EXPECT_EQ(p->maxHpX100, c.MaxHpX100 + 2 * c.Up - c.Down);
    EXPECT_EQ(p->hp, p->GetMaxHP());

    // The ends change nothing, HP included.
    p->level = MaxPlayerLevel;
    const int hp = p->hp, hundredths = p->maxHpX100;
    p->LevelUp();
    EXPECT_EQ(p->level, MaxPlayerLevel);
    EXPECT_EQ(p->hp, hp);
    EXPECT_EQ(p->maxHpX100, hundredths);
    p->level = 1;
    p->LevelDown();
    EXPECT_EQ(p->level, 1);
    EXPECT_EQ(p->maxHpX100, hundredths);
  }
}

TEST_F(PlayerClasses, GrowthInHundredthsRisesUnevenly) {
  auto fighter = NewPlayer(0);
  std::vector<int> maxima;
  for (int i = 0; i < 4; ++i) {
    fighter->LevelUp();
    maxima.push_back(fighter->GetMaxHP());
  }
  EXPECT_EQ(maxima, (std::vector<int>{35, 40, 45, 51}));

  auto ninja = NewPlayer(5);
  ninja->LevelUp();
  EXPECT_EQ(ninja->maxHpX100, 3380);
  ninja->hp = 33;
  ninja->LevelDown();
  EXPECT_EQ(ninja->maxHpX100, 2900);
  EXPECT_EQ(ninja->hp, 29);

  auto dwarf = NewPlayer(2);
  dwarf->LevelUp();
  dwarf->LevelDown();
  EXPECT_EQ(dwarf->maxHpX100, 3450);
}

TEST_F(PlayerClasses, WhatMakesEachClass) {
  // Fighter: 20 % more melee and shot power (STR and DEX 10: 10 -> 12).
  auto fighter = NewPlayer(0);
  EXPECT_EQ(fighter->GetMeleePower(), 12);
  EXPECT_EQ(fighter->GetShotPower(), 12);
  EXPECT_EQ(fighter->GetMeleeAttack(), 12 * 8 / 10);

  // Its 20 % holds at the top of the range rather than overflowing.
  fighter->strength = fighter->dexterity = 2147483647;
  EXPECT_EQ(fighter->GetMeleePower(), 2147483647);
  EXPECT_EQ(fighter->GetShotPower(), 2147483647);
  fighter->strength = fighter->dexterity = 10;

  // Hunter: 30 % with nothing, 83 % with one 75 % keeping item.
  auto hunter = NewPlayer(1);
  EXPECT_EQ(hunter->GetArrowKeepChance(), 30);
  ASSERT_TRUE(hunter->Equip(new StatItem(ItemCategoryArrow, {{"GetArrowKeepChance", 75}})));
  EXPECT_EQ(hunter->GetArrowKeepChance(), 83);

  // Dwarf: half again the regeneration.
  auto dwarf = NewPlayer(2);
  EXPECT_EQ(dwarf->GetHpRegenRate(), 150);
  ASSERT_TRUE(dwarf->Equip(new StatItem(ItemCategoryAccessory, {{"GetRegenerationPercent", 200}})));
  EXPECT_EQ(dwarf->GetHpRegenRate(), 300);

  // Witch: magic power 7 -> 8, 10 -> 12.
  auto witch = NewPlayer(3);
  witch->intelligence = 7;
  EXPECT_EQ(witch->GetMagicPower(), 8);
  witch->intelligence = 10;
  EXPECT_EQ(witch->GetMagicPower(), 12);

  // Valkyrie: evasion 10 -> 33; 100 stays 100.
  auto valkyrie = NewPlayer(4);
  EXPECT_EQ(valkyrie->GetEvasion(), 33);
  valkyrie->evasion = 100;
  EXPECT_EQ(valkyrie->GetEvasion(), 100);

  // Ninja: 25 for melee and shots with nothing worn.
  auto ninja = NewPlayer(5);
  EXPECT_EQ(ninja->GetCriticalChance(), 25);
  EXPECT_EQ(ninja->GetShotCriticalChance(), 25);

  // Kunoichi and Prophet never miss; the Prophet also sees the monsters.
  for (CharacterType type : {6, 8}) {
    auto p = NewPlayer(type);
    EXPECT_TRUE(p->HasSureHit()) << type;
    EXPECT_TRUE(p->HasShotSureHit()) << type;
  }
  EXPECT_TRUE(NewPlayer(8)->HasTelepathy());
  EXPECT_FALSE(NewPlayer(6)->HasTelepathy());
  EXPECT_FALSE(fighter->HasSureHit());

  // Elf: DEX 14 crafts 8 arrows where others craft 7; 15 gives 9.
  auto elf = NewPlayer(7);
  EXPECT_EQ(elf->GetHalfDex(), 8);
  EXPECT_EQ(hunter->GetHalfDex(), 7);
  elf->dexterity = 15;
  EXPECT_EQ(elf->GetHalfDex(), 9);
  EXPECT_EQ(elf->GetHalfInt(), 7);  // INT 13: 15 / 2
}

// A sure-hit class hits whatever the evasion, except with thrown blows.
TEST_F(PlayerClasses, TheKunoichiHitsThroughEvasion) {
  auto kunoichi = NewPlayer(6);
  CCharacter target;
  target.evasion = 100;
  EXPECT_TRUE(target.RollHit(0, kunoichi.get()));
  EXPECT_TRUE(target.RollHit(1, kunoichi.get()));
  EXPECT_FALSE(target.RollHit(2, kunoichi.get()));
  EXPECT_FALSE(target.RollHit(0, NewPlayer(0).get()));
}

TEST_F(PlayerClasses, TheFrameTableAndItsTriggers) {
  struct Record {
    AnimationEntry Id;
    int X, Y, Next, Duration;
  };
  const Record records[] = {
      {10, 20, 20, 11, 6},   {13, 100, 20, 10, 6},  {21, 180, 60, 22, 2},  {22, 380, 60, 23, 4},
      {23, 180, 60, 10, 2},  {45, 20, 20, 10, 6},   {51, 100, 60, 10, 8},  {60, 460, 20, 10, 10},
      {83, 20, 60, -1, 1},   {122, 300, 60, 123, 2}, {142, 420, 20, 10, 4}, {152, 180, 20, 10, 4},
      {190, 220, 60, -1, 1}, {201, 60, 170, 202, 30}, {202, 100, 170, 203, 2}, {217, 140, 170, 218, 2},
      {219, 220, 170, 218, 10},
  };
  for (const ClassCase& c : Classes) {
    SCOPED_TRACE(c.Type);
    auto p = NewPlayer(c.Type);
    const std::uint16_t sheet = FindPlayerClassRow(c.Type)->Sheet;
    ASSERT_EQ(p->frames.size(), 230u);
    for (const Record& r : records) {
      const AnimationFrame& f = p->frames[static_cast<std::size_t>(r.Id)];
      EXPECT_EQ(f.centreX, r.X) << r.Id;
      EXPECT_EQ(f.centreY, r.Y) << r.Id;
      EXPECT_EQ(f.next, r.Next) << r.Id;
      EXPECT_EQ(f.duration, r.Duration) << r.Id;
      EXPECT_EQ(f.texture, sheet) << r.Id;
      EXPECT_EQ(f.left, -20) << r.Id;
      EXPECT_EQ(f.bottom, 19) << r.Id;
    }
    const AnimationFrame& small = p->frames[220];
    EXPECT_EQ(small.left, -15);
    EXPECT_EQ(small.right, 14);
    EXPECT_EQ(small.centreX, 435);
    EXPECT_EQ(p->frames[0].texture, 0);
    EXPECT_EQ(p->frames[0].next, 0);
    EXPECT_EQ(p->frames[90].duration, 0);  // records no one enters stay clear

    EXPECT_EQ(p->meleeHitEntries[0], 21);
    EXPECT_EQ(p->meleeHitEntries[4], 131);
    EXPECT_EQ(p->magicShotEntries[0], 151);
    EXPECT_EQ(p->shotEntries[0], 31);
    EXPECT_EQ(p->shotEntries[1], 142);
    EXPECT_EQ(p->itemUseEntries[0], 51);
    const bool ninja = c.Type == 5;
    EXPECT_EQ(p->meleeHitEntries[5], ninja ? 161 : -1);
    EXPECT_EQ(p->meleeHitEntries[6], ninja ? 165 : -1);
    EXPECT_EQ(p->frames[163].next, ninja ? 10 : -1);
  }
}

TEST_F(PlayerClasses, ASheetStaysLoadedWhileAnyOfItsPlayersLives) {
  const std::uint32_t slot = GetPictureRow(137)->Slot;
  const std::uint32_t before = TextureRefCounts[slot];
  auto first = NewPlayer(0);
  auto second = NewPlayer(0);
  EXPECT_EQ(TextureRefCounts[slot], before + 2);
  first.reset();
  EXPECT_EQ(TextureRefCounts[slot], before + 1);
  second.reset();
  EXPECT_EQ(TextureRefCounts[slot], before);
}

TEST_F(PlayerClasses, OnlyTheNineTypesHaveARow) {
  EXPECT_EQ(FindPlayerClassRow(-1), nullptr);
  EXPECT_EQ(FindPlayerClassRow(9), nullptr);
  for (CharacterType type = 0; type <= 8; ++type) EXPECT_EQ(FindPlayerClassRow(type)->Type, type);
}

}  // namespace
