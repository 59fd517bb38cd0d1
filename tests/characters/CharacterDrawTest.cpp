#include <gtest/gtest.h>

#include "characters/CCharacter.h"
#include "characters/CharacterRenderSupport.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

// One character on (3, 3) with the view centred on it: its standing frame
// is the 40 x 40 box around texel (100, 100) of picture 7, drawn at scale 4,
// so one texel is one logical pixel and the frame's centre lands on the
// view's centre, logical (160, 90).
class CharacterDraw : public chartest::SheetFixture {
protected:
  void SetUp() override {
    SheetFixture::SetUp();
    floor_.CameraX = floor_.CameraY = 3;
    character_.frames.resize(11);
    character_.frames[AnimationIdle] = {100, 100, -20, 19, -20, 19, -1, 10, 7};
    character_.animEntry = AnimationIdle;
  }
  // The sheet texel drawn on logical pixel (x, y), or (-1, -1) for none.
  AtlasTexel DrawnAt(int x, int y) {
    ClearTarget(rendertest::Black);
    character_.Draw();
    Grab();
    const std::uint32_t p = AtLogical(x, y);
    return p == rendertest::Black ? AtlasTexel{-1, -1} : DecodeAtlasTexel(p);
  }
};

TEST_F(CharacterDraw, StandingFacingAndHidden) {
  EXPECT_EQ(DrawnAt(160, 90), (AtlasTexel{100, 100}));
  EXPECT_EQ(DrawnAt(165, 95), (AtlasTexel{105, 105}));
  // The sheet row follows the facing; facing left mirrors the frame about
  // its centre.
  character_.direction = DirectionRight;
  EXPECT_EQ(DrawnAt(165, 90), (AtlasTexel{105, 180}));
  character_.direction = DirectionLeft;
  EXPECT_EQ(DrawnAt(165, 90), (AtlasTexel{94, 180}));

  character_.InflictInvisible(3);
  EXPECT_EQ(DrawnAt(160, 90), (AtlasTexel{-1, -1}));
  character_.ClearInvisible();
  floor_.CameraX = 20;  // out of the drawn area
  EXPECT_EQ(DrawnAt(160, 90), (AtlasTexel{-1, -1}));
}

TEST_F(CharacterDraw, StepsSlideAndFaceTheirWay) {
  // One step from (2, 3), half done: 40 layout units (10 pixels) short of
  // the cell, facing right while the direction itself stays down.
  character_.prevX = character_.prevPrevX = 2;
  character_.moveStep = 4;
  EXPECT_EQ(DrawnAt(150, 90), (AtlasTexel{100, 180}));
  EXPECT_EQ(character_.direction, DirectionDown);

  // Two steps from (1, 3) through (2, 3): the first half crosses to (2, 3)
  // (at step 2 still 40 units short of it), the second from (2, 3) on.
  character_.prevPrevX = 1;
  character_.moveStep = 2;
  EXPECT_EQ(DrawnAt(130, 90), (AtlasTexel{100, 180}));
  character_.moveStep = 6;
  EXPECT_EQ(DrawnAt(150, 90), (AtlasTexel{100, 180}));
}

}  // namespace
