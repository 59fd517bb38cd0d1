// Monsters as their rows make them: stats, animation tables, sheets.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "characters/CharacterFactory.h"
#include "monsters/MonsterTables.h"
#include "monsters/MonsterTestSupport.h"
#include "monsters/MonstersSlimeToManaEater.h"
#include "platform/Renderer.h"

namespace {

using monstertest::AnyEnemy;
using monstertest::MonsterFixture;

std::unique_ptr<CCharacterEnemy> Make(CharacterType type) {
  return std::unique_ptr<CCharacterEnemy>(static_cast<CCharacterEnemy*>(CreateCharacter(type)));
}

// The picture every entry but 0 draws from, or -1 when they differ.
int TablePicture(const CCharacter& c) {
  int picture = -2;
  for (std::size_t e = 1; e < c.frames.size(); ++e) {
    if (picture == -2) picture = c.frames[e].texture;
    if (c.frames[e].texture != picture) return -1;
  }
  return picture;
}

TEST(MonsterConstruction, EveryClassStandsAsItsRowSays) {
  for (CharacterType type = 256; type <= 336; ++type) {
    SCOPED_TRACE(type);
    const MonsterClassRow* row = FindMonsterClass(type);
    ASSERT_NE(row, nullptr);
    auto m = Make(type);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->type, type);
    EXPECT_EQ(m->spareFlag, 1);
    EXPECT_EQ(m->level, row->Level);
    EXPECT_EQ(m->exp, row->Exp);
    EXPECT_EQ(m->hp, m->maxHp);
    EXPECT_EQ(m->maxHp, row->MaxHp);
    EXPECT_EQ(m->attack, row->Attack);
    EXPECT_EQ(m->defence, row->Defence);
    EXPECT_EQ(m->intelligence, row->Magic);
    EXPECT_EQ(m->animEntry, AnimationIdle);
    EXPECT_EQ(m->targetX, -1);
    EXPECT_EQ(m->targetY, -1);
    EXPECT_EQ(m->meleeHitEntries[0], row->StrikeEntry);
    EXPECT_EQ(m->meleeHitEntries[1], -1);
    ASSERT_GE(m->frames.size(), 100u);
    EXPECT_EQ(m->frames[0].texture, 0);
    EXPECT_EQ(TablePicture(*m), row->Picture);
    // The sheet the family loads for the grade is the one the table draws.
    EXPECT_EQ(FindMonsterFamily(type)->Sheets[MonsterGrade(type) - 1], row->Picture);
  }
}

TEST(MonsterConstruction, TheRowsThatStandOut) {
  struct Row {
    CharacterType Type;
    int Hp, Attack, Second, Strike, Shot, Picture, Alpha;
    bool Quick;
  };
  const Row rows[] = {
      {256, 10, 6, 0, 22, -1, 38, 224, false},     // every Slime is translucent
      {258, 95, 115, 0, 22, -1, 40, 224, false},
      {262, 16, 8, 0, 21, -1, 68, 255, false},     // a Kobold strikes at 21
      {264, 110, 141, 0, 21, -1, 70, 255, false},
      {268, 28, 14, 0, 22, -1, 44, 255, false},    // only the higher Bats are quick
      {269, 86, 34, 0, 22, -1, 45, 255, true},
      {270, 130, 112, 0, 22, -1, 46, 255, true},
      {271, 35, 14, 0, 23, -1, 56, 255, false},    // Frog, Snake, ManaEater at 23
      {274, 47, 14, 14, 22, 32, 68, 255, false},   // Goblins shoot at 32
      {275, 50, 37, 37, 22, 32, 69, 255, false},
      {278, 120, 35, 0, 23, -1, 46, 255, false},   // the Snake's sheets cross the Bat's
      {279, 150, 81, 0, 23, -1, 45, 255, false},
      {282, 75, 52, 0, 23, -1, 52, 255, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Type);
    auto m = Make(r.Type);
    EXPECT_EQ(m->hp, r.Hp);
    EXPECT_EQ(m->attack, r.Attack);
    EXPECT_EQ(m->strength, r.Second);
    EXPECT_EQ(m->meleeHitEntries[0], r.Strike);
    EXPECT_EQ(m->shotEntries[0], r.Shot);
    EXPECT_EQ(TablePicture(*m), r.Picture);
    EXPECT_EQ(m->alpha, r.Alpha);
    EXPECT_EQ(m->status[static_cast<int>(StatusKind::Quick)], r.Quick ? -1 : 0);
  }
  // A permanent QUICK never runs out.
  auto bat = Make(269);
  for (int turn = 0; turn < 50; ++turn) bat->UpdateTurn();
  EXPECT_TRUE(bat->IsQuick());
}

TEST(MonsterConstruction, TheRowsThatStandOutSkeletonToVampire) {
  struct Row {
    CharacterType Type;
    int Level, Hp, Attack, Defence, Magic, Strike, Shot, Picture;
    StatusKind Permanent;  // Berserk: none of these has it
  };
  constexpr StatusKind None = StatusKind::Berserk, Quick = StatusKind::Quick, Invisible = StatusKind::Invisible;
  const Row rows[] = {
      {283, 1, 15, 9, 2, 0, 22, -1, 38, None},         // the only one at level 1
      {286, 3, 25, 6, 6, 8, 21, 31, 50, None},         // the casters shoot at 31
      {288, 27, 120, 60, 31, 40, 21, 31, 52, None},
      {336, 31, 140, 120, 32, 40, 21, 31, 67, None},
      {292, 12, 140, 22, 5, 0, 22, -1, 65, None},      // a Zombie 2 is softer than a Zombie 1
      {293, 19, 200, 61, 4, 0, 22, -1, 66, None},
      {298, 6, 54, 9, 7, 0, 22, -1, 53, Quick},        // every Harpy and Dog is quick
      {300, 27, 120, 100, 28, 0, 22, -1, 55, Quick},
      {302, 21, 75, 54, 33, 0, 22, -1, 78, None},      // less HP than a Werewolf 1
      {307, 2, 15, 4, 2, 0, 22, -1, 92, Quick},        // the weakest blow, at 22 ...
      {308, 10, 70, 18, 13, 0, 21, -1, 93, Quick},     // ... the higher Dogs' at 21
      {310, 5, 40, 11, 8, 0, 23, -1, 74, None},
      {316, 7, 80, 20, 1, 0, 24, -1, 80, None},
      {319, 7, 52, 17, 11, 0, 24, -1, 86, Invisible},  // every Shadow is unseen
      {321, 28, 110, 132, 35, 0, 24, -1, 88, Invisible},
      {327, 30, 180, 194, 26, 0, 21, -1, 91, None},
      {330, 26, 90, 72, 55, 0, 24, -1, 64, None},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Type);
    auto m = Make(r.Type);
    EXPECT_EQ(m->level, r.Level);
    EXPECT_EQ(m->hp, r.Hp);
    EXPECT_EQ(m->attack, r.Attack);
    EXPECT_EQ(m->defence, r.Defence);
    EXPECT_EQ(m->intelligence, r.Magic);
    EXPECT_EQ(m->strength, 0);
    EXPECT_EQ(m->meleeHitEntries[0], r.Strike);
    EXPECT_EQ(m->shotEntries[0], r.Shot);
    EXPECT_EQ(TablePicture(*m), r.Picture);
    EXPECT_EQ(m->alpha, 255);
    for (StatusKind kind : {Quick, Invisible})
      EXPECT_EQ(m->status[static_cast<int>(kind)], kind == r.Permanent ? -1 : 0) << static_cast<int>(kind);
  }
  // Permanent statuses never run out.
  auto dog = Make(309), shadow = Make(320);
  for (int turn = 0; turn < 50; ++turn) {
    dog->UpdateTurn();
    shadow->UpdateTurn();
  }
  EXPECT_TRUE(dog->IsQuick());
  EXPECT_TRUE(shadow->IsInvisible());
}

TEST(MonsterConstruction, TheEntriesOfTheirOwnSkeletonToVampire) {
  // The LivingArmor's guard pose; the others stand when they guard.
  auto armor = Make(313), skeleton = Make(283);
  EXPECT_EQ(armor->frames[60].centreX, 340);
  EXPECT_EQ(armor->frames[60].duration, 4);
  EXPECT_EQ(armor->frames[60].next, 10);
  EXPECT_EQ(skeleton->frames[60].centreX, skeleton->frames[10].centreX);
  // The Shadow's two fade-ins lead to its attack and its hurt pose.
  auto shadow = Make(319);
  EXPECT_EQ(shadow->frames[29].next, 20);
  EXPECT_EQ(shadow->frames[29].centreX, 20);
  EXPECT_EQ(shadow->frames[79].next, 70);
  EXPECT_EQ(shadow->frames[79].duration, 10);
  // Rows of shared sheets: the Imp under the Rat, the Vampire under the Zombie.
  EXPECT_EQ(Make(289)->frames[10].centreY, 220);
  EXPECT_EQ(Make(292)->frames[10].centreY, 20);
  EXPECT_EQ(Make(334)->frames[10].centreY, 220);
}

TEST(MonsterConstruction, TablesRunTheirChainsAndFillTheRestWithStanding) {
  auto kobold = Make(262);
  const auto& f = kobold->frames;
  // Standing loops through four frames; the attack leads back to standing.
  EXPECT_EQ(f[10].next, 11);
  EXPECT_EQ(f[13].next, 10);
  EXPECT_EQ(f[23].next, 10);
  EXPECT_EQ(f[21].centreX, 180);
  EXPECT_EQ(f[21].centreY, 20);
  EXPECT_EQ(f[21].left, -20);
  EXPECT_EQ(f[21].right, 19);
  // Hurt returns to standing after 10 ticks, dying ends in 0 after 20.
  EXPECT_EQ(f[70].duration, 10);
  EXPECT_EQ(f[70].next, 10);
  EXPECT_EQ(f[80].duration, 20);
  EXPECT_EQ(f[80].next, 0);
  EXPECT_EQ(f[80].centreX, f[70].centreX);
  // Entry 0 shows where standing starts, for one tick.
  EXPECT_EQ(f[0].centreX, f[10].centreX);
  EXPECT_EQ(f[0].centreY, f[10].centreY);
  EXPECT_EQ(f[0].duration, 1);
  // What the family leaves unset is its standing frame; in the summoned
  // range it holds.
  for (int entry : {30, 40, 60, 95}) {
    EXPECT_EQ(f[entry].centreX, f[10].centreX) << entry;
    EXPECT_EQ(f[entry].texture, f[10].texture) << entry;
  }
  EXPECT_EQ(f[30].next, 11);
  EXPECT_EQ(f[90].next, -1);
  EXPECT_EQ(f[99].next, -1);

  auto mushroom = Make(267);
  EXPECT_EQ(mushroom->frames[35].next, 10);
  EXPECT_EQ(mushroom->frames[30].centreY, 220);
}

class MonsterStrike : public MonsterFixture {};

// Each family's blow lands at the start of its strike entry.
TEST_F(MonsterStrike, TheBlowLandsAtTheStrikeEntry) {
  for (CharacterType type : {256, 262, 271, 274, 277, 280, 283, 286, 307, 308, 310, 316, 319, 322, 334}) {
    SCOPED_TRACE(type);
    UseFloor({"####", "#..#", "#..#", "####"});
    CCharacterEnemy* m = Spawn(type, 1, 1);
    monstertest::TestPlayer* player = PlacePlayer(1, 2);
    player->evasion = 0;
    m->direction = DirectionDown;
    m->SetAnimation(AnimationAttack);
    int landedAt = -1;
    for (int frame = 0; frame < 40 && landedAt < 0; ++frame) {
      m->TickAnimation();
      if (player->hp < player->maxHp) landedAt = m->animEntry;
    }
    EXPECT_EQ(landedAt, m->meleeHitEntries[0]);
    monstertest::SettleHolds();
    EXPECT_EQ(Holds(), 0);
  }
}

// ---- Sheets

class MonsterSheets : public ::testing::Test {
protected:
  static bool NoPictures(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }
  void SetUp() override { SetPictureLoader(&NoPictures); }
  void TearDown() override { SetPictureLoader(nullptr); }
  static std::uint32_t Count(PictureId id) { return TextureRefCounts[GetPictureRow(id)->Slot]; }
};

TEST_F(MonsterSheets, SheetsAreCountedByPictureNotByMonster) {
  // The Rat 1 and the Imp 1 share picture 47.
  const std::uint32_t before = Count(47);
  AnyEnemy rat(259), imp(289);
  rat.LoadGraphics();
  imp.LoadGraphics();
  EXPECT_EQ(Count(47), before + 2);
  rat.ReleaseGraphics();
  EXPECT_EQ(Count(47), before + 1);
  imp.ReleaseGraphics();
  EXPECT_EQ(Count(47), before);

  // A Necromancer 2 holds the Zombie 2's sheet for its summons; the
  // Alchemist the Slime's besides its own.
  AnyEnemy necromancer(359), alchemist(367);
  necromancer.LoadGraphics();
  alchemist.LoadGraphics();
  EXPECT_EQ(Count(108), 1u);
  EXPECT_EQ(Count(66), 1u);
  EXPECT_EQ(Count(116), 1u);
  EXPECT_EQ(Count(38), 1u);
  necromancer.ReleaseGraphics();
  alchemist.ReleaseGraphics();
  for (PictureId id : {108, 66, 116, 38}) EXPECT_EQ(Count(id), 0u) << id;
}

TEST(MonsterSheetTable, SheetsAreThePicturesOfTheResourceModule) {
  // Picture p is resource 400 + 10 x ((p - 38) / 3) + (p - 38) % 3.
  std::set<PictureId> sheets;
  for (CharacterType type = 256; type <= 367; ++type) {
    const MonsterFamilyRow* family = FindMonsterFamily(type);
    ASSERT_NE(family, nullptr);
    const PictureId p = family->Sheets[MonsterGrade(type) - 1];
    if (p < 0) continue;
    sheets.insert(p);
    EXPECT_EQ(GetPictureRow(p)->ResourceId, static_cast<std::uint32_t>(400 + 10 * ((p - 38) / 3) + (p - 38) % 3))
        << p;
    EXPECT_EQ(GetPictureRow(p)->Size, 512u);
  }
  EXPECT_EQ(sheets.size(), 77u);  // 38-112, 113 and 116
  EXPECT_EQ(FindMonsterFamily(255), nullptr);
  EXPECT_EQ(FindMonsterFamily(368), nullptr);
}

}  // namespace
