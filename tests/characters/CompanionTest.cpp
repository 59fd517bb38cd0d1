#include <gtest/gtest.h>

#include <vector>

#include "characters/CCharacterPlayerChild.h"
#include "characters/CharacterFactory.h"
#include "characters/CharacterRenderSupport.h"
#include "characters/PlayerTurnSupport.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

constexpr ItemId StoneShortsword = 0x000, StoneSpear = 0x00A, StoneStaff = 0x014, BeastClaw = 0x090,
                 Kunai = 0x0B8, ShortBow = 0x100, WoodArrow = 0x200;

// A record as the companions lay it: source centre, half the cell, picture.
struct Record {
  int X, Y, Half, Picture;
  bool operator==(const Record&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Record& r) {
  return out << "(" << r.X << "," << r.Y << " +-" << r.Half << " pic " << r.Picture << ")";
}

std::vector<Record> Records(const CCharacter& c, AnimationEntry first, int count) {
  std::vector<Record> out;
  for (int i = 0; i < count; ++i) {
    const AnimationFrame& f = c.frames[static_cast<std::size_t>(first + i)];
    EXPECT_EQ(f.right, -f.left - 1);
    EXPECT_EQ(f.bottom, -f.top - 1);
    out.push_back({f.centreX, f.centreY, -f.left, f.texture});
  }
  return out;
}

class Companions : public turntest::PlayerFloorFixture {};

TEST_F(Companions, TheyAreBornWithThePlayerAndShowNothingAtFirst) {
  CCharacterFighter* p = PlacePlayer(3, 3);
  for (CCharacterPlayerChild* c : {static_cast<CCharacterPlayerChild*>(p->Companion1.get()),
                                   static_cast<CCharacterPlayerChild*>(p->Companion2.get())}) {
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Owner, p);
    EXPECT_EQ(c->type, 4097);
    EXPECT_EQ(c->animEntry, AnimationIdle);
    ASSERT_EQ(c->frames.size(), 230u);
    EXPECT_EQ(Records(*c, 100, 1), (std::vector<Record>{{15, 15, 15, 0}}));
    EXPECT_EQ(c->frames[100].next, 0);
    EXPECT_EQ(c->frames[100].duration, 1);
  }
  // The factory's bare companion.
  CCharacter* bare = CreateCharacter(4097);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(static_cast<CCharacterPlayerChild*>(bare)->GetDrawOffset(), 0);
  delete bare;
}

TEST_F(Companions, TheyFollowThePlayersCellEntryAndFacing) {
  CCharacterFighter* p = PlacePlayer(2, 3, DirectionUpLeft);
  Give(*p, StoneShortsword);
  p->SetAnimation(AnimationAttack);
  Tick();
  for (CCharacter* c : {static_cast<CCharacter*>(p->Companion1.get()), static_cast<CCharacter*>(p->Companion2.get())}) {
    EXPECT_EQ(c->GetX(), 2);
    EXPECT_EQ(c->GetY(), 3);
    EXPECT_EQ(c->animEntry, p->animEntry);
    EXPECT_EQ(c->GetDirection(), DirectionUpLeft);
  }
}

// The records each layer lays for what the player holds.
TEST_F(Companions, TheirRecordsShowTheWeaponHeld) {
  struct Case {
    ItemId Weapon;
    AnimationEntry First;
    std::vector<Record> Weapon1, Weapon2;
  };
  const Case cases[] = {
      {StoneShortsword, 100,
       {{20, 20, 20, 133}, {60, 20, 20, 133}, {100, 20, 20, 133}, {60, 20, 20, 133}},
       {{20, 20, 20, 0}, {140, 20, 20, 133}, {60, 20, 20, 0}}},
      {StoneSpear, 120,
       {{120, 40, 40, 135}, {200, 40, 40, 135}, {200, 40, 40, 135}, {200, 40, 40, 135}},
       {{40, 40, 40, 0}, {280, 40, 40, 135}, {360, 40, 40, 135}, {40, 40, 40, 0}}},
      {0x00F, 130,  // a broadsword
       {{40, 40, 40, 134}, {120, 40, 40, 134}, {200, 40, 40, 134}, {120, 40, 40, 134}},
       {{40, 40, 40, 0}, {280, 40, 40, 134}, {360, 40, 40, 134}}},
      {Kunai, 130,
       {{340, 220, 20, 133}, {380, 220, 20, 133}, {420, 220, 20, 133}, {380, 220, 20, 133}},
       {{20, 220, 20, 0}, {140, 220, 20, 133}, {60, 220, 20, 0}, {20, 220, 20, 0}}},
      {StoneStaff, 150,
       {{20, 20, 20, 136}, {100, 20, 20, 136}, {60, 20, 20, 136}},
       {{20, 220, 20, 0}, {420, 220, 20, 0}, {460, 220, 20, 0}}},
      {BeastClaw, 20,
       {{340, 20, 20, 133}, {380, 20, 20, 133}, {420, 20, 20, 133}, {380, 20, 20, 133}},
       {{20, 20, 20, 0}, {460, 20, 20, 133}, {60, 20, 20, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Weapon);
    RemoveEveryone();
    CCharacterFighter* p = PlacePlayer(2, 3);
    Give(*p, c.Weapon);
    Tick();
    EXPECT_EQ(Records(*p->Companion1, c.First, static_cast<int>(c.Weapon1.size())), c.Weapon1);
    EXPECT_EQ(Records(*p->Companion2, c.First, static_cast<int>(c.Weapon2.size())), c.Weapon2);
  }
}

TEST_F(Companions, TheBowAndTheArrowAboutToFly) {
  CCharacterFighter* p = PlacePlayer(2, 3);
  Give(*p, ShortBow);
  Give(*p, WoodArrow, 10);
  p->SetSelectedItem(ArrowSlot);
  Tick();
  EXPECT_EQ(Records(*p->Companion1, 140, 3),
            (std::vector<Record>{{20, 20, 20, 135}, {60, 20, 20, 135}, {20, 20, 20, 135}}));
  EXPECT_EQ(Records(*p->Companion2, 140, 3),
            (std::vector<Record>{{20, 220, 20, 135}, {60, 220, 20, 135}, {20, 220, 20, 0}}));
  // Something else chosen: no arrow is nocked.
  p->SetSelectedItem(BowSlot);
  Tick();
  EXPECT_EQ(p->Companion2->frames[140].texture, 0);
}

TEST_F(Companions, WhatIsNoLongerHeldNoLongerShows) {
  CCharacterFighter* p = PlacePlayer(2, 3);
  CItem* claw = Give(*p, BeastClaw);
  Tick();
  ASSERT_EQ(p->Companion1->frames[21].texture, 133);
  // Bare-handed the plain attack shows no weapon, however it was drawn before.
  p->RemoveItem(claw);
  delete claw;
  Tick();
  for (int e = 20; e <= 23; ++e) EXPECT_EQ(p->Companion1->frames[static_cast<std::size_t>(e)].texture, 0) << e;
  // A new weapon shows from the next frame on.
  Give(*p, StoneSpear);
  Tick();
  EXPECT_EQ(p->Companion1->frames[120].texture, 135);
}

// In front (1), behind (-1) or not at all (0), by entry and facing.
TEST_F(Companions, DrawOrderByEntryAndFacing) {
  CCharacterFighter* p = PlacePlayer(2, 3);
  struct Case {
    AnimationEntry Entry;
    Direction Facing;
    int First, Second;
  };
  const Case cases[] = {
      {10, DirectionDown, 0, 0},     {20, DirectionUp, 1, 1},       {21, DirectionUp, -1, -1},
      {21, DirectionUpLeft, 1, 1},   {23, DirectionUp, -1, 0},      {112, DirectionUp, -1, 1},
      {113, DirectionDown, 1, 0},    {122, DirectionUp, -1, -1},    {122, DirectionUpRight, -1, -1},
      {122, DirectionRight, 1, 1},   {133, DirectionUpLeft, -1, 0}, {141, DirectionDownLeft, 1, 1},
      {153, DirectionDown, 1, 0},    {165, DirectionUp, -1, -1},    {170, DirectionDown, 0, 0},
      {80, DirectionDown, 0, 0},     {20, DirectionNone, 0, 0},
  };
  for (const Case& c : cases) {
    p->animEntry = c.Entry;
    p->direction = c.Facing;
    p->Companion1->TickAnimation();
    p->Companion2->TickAnimation();
    EXPECT_EQ(p->Companion1->GetDrawOffset(), c.First) << c.Entry << " facing " << c.Facing;
    EXPECT_EQ(p->Companion2->GetDrawOffset(), c.Second) << c.Entry << " facing " << c.Facing;
  }
}

// The player and its first companion on the same spot: whichever is drawn
// last shows on the centre pixel.
class CompanionDraw : public chartest::SheetFixture {
protected:
  void SetUp() override {
    SheetFixture::SetUp();
    floor_.CameraX = floor_.CameraY = 3;
    player_.SetPosition(3, 3);
    player_.frames.assign(230, AnimationFrame{});
    player_.frames[122] = {100, 100, -20, 19, -20, 19, -1, 10, 7};
    player_.animEntry = 122;
  }
  AtlasTexel CentreAfterDraw(Direction facing) {
    player_.direction = facing;
    player_.Companion1->TickAnimation();
    // The companion's record, on the same sheet far from the player's.
    player_.Companion1->frames[122] = {300, 100, -20, 19, -20, 19, 0, 1, 7};
    ClearTarget(rendertest::Black);
    player_.Draw();
    Grab();
    return DecodeAtlasTexel(AtLogical(160, 90));
  }
  CCharacterPlayer player_;
};

TEST_F(CompanionDraw, BehindWhenFacingUpInFrontOtherwise) {
  // Sheet rows follow the facing: up is row 4 of 40 pixels for either.
  EXPECT_EQ(CentreAfterDraw(DirectionUp).X, 100) << "the player over its weapon";
  EXPECT_EQ(CentreAfterDraw(DirectionDown).X, 300) << "the weapon over the player";
}

}  // namespace
