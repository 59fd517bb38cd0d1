#include <gtest/gtest.h>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterTestSupport.h"
#include "platform/RenderTestSupport.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

// Picture 7 (resource 138) with every texel naming its own place.
bool MarkerSheet(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId != 138) return rendertest::TestPictures(resourceId, size, argb);
  argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      argb[static_cast<std::size_t>(y) * size + x] =
          0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
  return true;
}

struct Telepath : CCharacterPlayer {
  bool HasTelepathy() const override { return true; }
};

class MapMarker : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&MarkerSheet);
    ASSERT_TRUE(LoadTexture(7, 138));
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedPlayer_ = game_->Player;
    savedFrame_ = game_->FrameCount;
    game_->CurrentStage = &floor_;
    game_->Player = nullptr;
    game_->FrameCount = 0;
    character_.SetPosition(3, 3);
  }
  void TearDown() override {
    ReleaseTexture(7);
    game_->CurrentStage = savedStage_;
    game_->Player = savedPlayer_;
    game_->FrameCount = savedFrame_;
    RenderFixture::TearDown();
  }
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

  CGameMain* game_ = nullptr;
  chartest::TestFloor floor_{1, 1, 5, 5};
  CCharacter character_;
  CStageData* savedStage_ = nullptr;
  CCharacterPlayer* savedPlayer_ = nullptr;
  std::uint32_t savedFrame_ = 0;
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

}  // namespace
