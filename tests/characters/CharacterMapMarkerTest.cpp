#include <gtest/gtest.h>

#include <memory>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "characters/CharacterRenderSupport.h"
#include "characters/CharacterTestSupport.h"
#include "platform/RenderTestSupport.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

struct Telepath : CCharacterPlayer {
  bool HasTelepathy() const override { return true; }
};

class MapMarker : public chartest::SheetFixture {
protected:
  void See(int visible, int explored) {
    floor_.visible[CellIndex(3, 3)] = static_cast<std::uint8_t>(visible);
    floor_.explored[CellIndex(3, 3)] = static_cast<std::uint8_t>(explored);
  }
  // The sheet texel that landed on logical pixel (10, 10), or (-1, -1).
  AtlasTexel DrawnTexel(bool enemy) {
    ClearTarget(rendertest::Black);
    const bool drawn = enemy ? character_.DrawEnemyMapMarker(40, 40, 4.0f, 4.0f, 255)
                             : character_.DrawObjectMapMarker(40, 40, 4.0f, 4.0f, 255);
    if (!drawn) return {-1, -1};
    Grab();
    return DecodeAtlasTexel(AtLogical(10, 10));
  }
};

TEST_F(MapMarker, WhoIsShown) {
  struct Row {
    int Visible, Explored;
    bool Invisible, Telepathy, Enemy, Object;
  };
  const Row rows[] = {
      {2, 1, false, false, true, true},    // in sight
      {0, 1, false, false, false, true},   // remembered ground, not in sight
      {0, 2, false, false, true, true},
      {2, 1, true, false, false, false},   // invisible
      {0, 1, true, true, true, false},     // telepathy shows an enemy anywhere
      {0, 0, false, true, true, false},    // a point on unseen ground never shows
      {2, 0, false, false, true, false},
  };
  Telepath telepath;
  for (const Row& r : rows) {
    See(r.Visible, r.Explored);
    character_.status[static_cast<int>(StatusKind::Invisible)] = r.Invisible ? 5 : 0;
    game_->Player = r.Telepathy ? &telepath : nullptr;
    EXPECT_EQ(character_.DrawEnemyMapMarker(0, 0, 4.0f, 4.0f, 160), r.Enemy) << r.Visible << r.Explored << r.Invisible;
    EXPECT_EQ(character_.DrawObjectMapMarker(0, 0, 4.0f, 4.0f, 160), r.Object) << r.Visible << r.Explored << r.Invisible;
  }
  game_->CurrentStage = nullptr;
  EXPECT_FALSE(character_.DrawEnemyMapMarker(0, 0, 4.0f, 4.0f, 160));
}

TEST_F(MapMarker, CellsOfTheSheetBlinkEveryTwentyFrames) {
  See(2, 1);
  EXPECT_EQ(DrawnTexel(true), (AtlasTexel{393, 0}));
  EXPECT_EQ(DrawnTexel(false), (AtlasTexel{405, 0}));
  game_->FrameCount = 19;
  EXPECT_EQ(DrawnTexel(true), (AtlasTexel{393, 0}));
  game_->FrameCount = 20;
  EXPECT_EQ(DrawnTexel(true), (AtlasTexel{393, 3}));
  game_->FrameCount = 40;
  EXPECT_EQ(DrawnTexel(false), (AtlasTexel{405, 0}));
  // On ground that is not floor, corridor or stairs: the darker rows.
  floor_.terrain[CellIndex(3, 3)] = 4;
  EXPECT_EQ(DrawnTexel(true), (AtlasTexel{393, 6}));
  game_->FrameCount = 65;
  EXPECT_EQ(DrawnTexel(false), (AtlasTexel{405, 9}));
}

// The player shows wherever it stands; a mining point as an object.
TEST_F(MapMarker, ThePlayerAndTheMiningPoints) {
  CCharacterPlayer player;
  player.SetPosition(3, 3);
  std::unique_ptr<CCharacter> mine(CreateCharacter(768));
  ASSERT_NE(mine, nullptr);
  mine->SetPosition(3, 3);
  auto drawn = [this](CCharacter& c) {
    ClearTarget(rendertest::Black);
    if (!c.DrawAt(40, 40, 4.0f, 4.0f, 255)) return AtlasTexel{-1, -1};
    Grab();
    return DecodeAtlasTexel(AtLogical(10, 10));
  };
  See(0, 1);
  EXPECT_EQ(drawn(player), (AtlasTexel{390, 0}));
  EXPECT_EQ(drawn(*mine), (AtlasTexel{405, 0}));
  game_->FrameCount = 20;
  See(0, 0);
  EXPECT_EQ(drawn(player), (AtlasTexel{390, 9})) << "on ground not yet explored";
  EXPECT_EQ(drawn(*mine), (AtlasTexel{-1, -1}));
}

}  // namespace
