#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterEffect.h"
#include "characters/CharacterTestSupport.h"
#include "items/CItem.h"
#include "platform/FontSet.h"
#include "platform/RenderTestSupport.h"
#include "platform/TextTable.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

// The font atlas and the burst picture all white, so that text shows its
// colour and a burst its alpha; every other picture's texels name their
// own place.
bool EffectPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      argb[static_cast<std::size_t>(y) * size + x] =
          resourceId == 198 || resourceId == 199
              ? rendertest::White
              : 0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
  return true;
}

struct Box {
  int Left = 1000, Top = 1000, Right = -1, Bottom = -1;
};

// The room (1, 1)-(5, 5) with the view centred on (3, 3): a cell's centre
// is 20 logical pixels from its neighbour's, (3, 3)'s is (160, 90).
class EffectDrawing : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&EffectPictures);
    for (auto [picture, resource] : Pictures) ASSERT_TRUE(LoadTexture(picture, resource));
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedLanguage_ = game_->Settings.Block.Language;
    game_->CurrentStage = &floor_;
    game_->Settings.Block.Language = LanguageEnglish;
    ApplyFontSet(game_->Fonts, false);
    floor_.CameraX = floor_.CameraY = 3;
    GetStateController()->Reset();
    item_.SetFloorFrame(0, 7, 300, 300, 10, 10, 20, 20, 0);
  }
  void TearDown() override {
    for (auto [picture, resource] : Pictures) ReleaseTexture(picture);
    game_->CurrentStage = savedStage_;
    game_->Settings.Block.Language = savedLanguage_;
    RenderFixture::TearDown();
  }

  void DrawOnly(CCharacterEffect& effect) {
    ClearTarget(rendertest::Black);
    effect.Draw();
    Grab();
  }
  // The sheet texel on logical pixel (x, y), (-1, -1) for none.
  AtlasTexel TexelAt(int x, int y) const {
    const std::uint32_t p = AtLogical(x, y);
    return p == rendertest::Black ? AtlasTexel{-1, -1} : DecodeAtlasTexel(p);
  }
  Box Drawn() const {
    Box box;
    for (int y = 0; y < 180; ++y)
      for (int x = 0; x < 320; ++x)
        if (AtLogical(x, y) != rendertest::Black) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x);
          box.Bottom = std::max(box.Bottom, y);
        }
    return box;
  }
  static void Tick(CCharacterEffect& effect, int frames) {
    for (int i = 0; i < frames; ++i) effect.TickAnimation();
  }

  static constexpr std::pair<PictureId, std::uint16_t> Pictures[] = {
      {7, 138}, {14, 199}, {117, 198}, {135, 203}, {136, 204}};
  CGameMain* game_ = nullptr;
  chartest::TestFloor floor_{1, 1, 5, 5};
  CStageData* savedStage_ = nullptr;
  std::uint32_t savedLanguage_ = 0;
  CItem item_;
};

TEST_F(EffectDrawing, FlightsMoveAlongTheirWayWithTheirSheetRow) {
  struct Case {
    const char* Name;
    AnimationEntry Entry;
    int FromX, FromY;
    Direction Facing;
    int Steps;
    int PixelX, PixelY;
    AtlasTexel Texel;
  };
  const Case cases[] = {
      // Row 2 (sideways) of the arrow, two cells on.
      {"arrow right", EffectArrow, 1, 3, DirectionRight, 2, 160, 90, {50, 450}},
      {"arrow left, mirrored", EffectArrow, 5, 3, DirectionLeft, 2, 165, 90, {44, 450}},
      // Two steps a cell: three steps are a cell and a half; the bolt's
      // fourth frame, row 0.
      {"bolt down", EffectWandBolt, 3, 1, DirectionDown, 3, 160, 80, {70, 210}},
      // The thrown axe turns through its four frames, one a step.
      {"axe up", 100, 3, 5, DirectionUp, 1, 160, 110, {30, 230 + 4 * 20}},
  };
  for (const Case& c : cases) {
    CCharacterEffect flight;
    flight.SetPosition(c.FromX, c.FromY);
    flight.SetDirection(c.Facing);
    flight.SetAnimation(c.Entry);
    Tick(flight, c.Steps);
    ASSERT_EQ(flight.alive, 1) << c.Name;
    DrawOnly(flight);
    EXPECT_EQ(TexelAt(c.PixelX, c.PixelY), c.Texel) << c.Name;
  }
}

TEST_F(EffectDrawing, CarriedItemsFlyRiseAndHop) {
  // A thrown item a cell on from (1, 3).
  CCharacterEffect thrown;
  thrown.SetPosition(1, 3);
  thrown.SetDirection(DirectionRight);
  thrown.LinkItem(&item_);
  thrown.SetAnimation(EffectThrownItem);
  Tick(thrown, 1);
  DrawOnly(thrown);
  EXPECT_EQ(TexelAt(140, 90), (AtlasTexel{310, 310}));

  // Rising over its cell: 52 units (13 pixels) up after 10 frames; nothing
  // out of the drawn area.
  CCharacterEffect rising;
  rising.SetPosition(3, 3);
  rising.LinkItem(&item_);
  rising.SetAnimation(EffectRisingItem);
  DrawOnly(rising);
  EXPECT_EQ(TexelAt(160, 90), (AtlasTexel{310, 310}));
  Tick(rising, 10);
  DrawOnly(rising);
  EXPECT_EQ(TexelAt(160, 77), (AtlasTexel{310, 310}));
  floor_.CameraX = 20;
  DrawOnly(rising);
  EXPECT_EQ(Drawn().Right, -1);
  floor_.CameraX = 3;

  // Hopping from (1, 3) to (3, 3): a quarter of the way a frame, on an arc
  // of 8, 12, 12 and 8 units.
  CCharacterEffect hop;
  hop.SetPosition(3, 3);
  hop.prevX = 1;
  hop.LinkItem(&item_);
  hop.SetAnimation(EffectDroppedItem);
  const int expected[][2] = {{120, 90}, {130, 88}, {140, 87}, {150, 87}, {160, 88}};
  for (int t = 0; t <= 4; ++t) {
    DrawOnly(hop);
    EXPECT_EQ(TexelAt(expected[t][0], expected[t][1]), (AtlasTexel{310, 310})) << "frame " << t;
    Tick(hop, 1);
  }
}

TEST_F(EffectDrawing, BurstsAndFlamesKeepTheirPlaceAndAlpha) {
  CCharacterEffect burst;
  burst.SetPosition(3, 3);
  burst.SetAnimation(204);
  DrawOnly(burst);
  EXPECT_EQ(AtLogical(160, 90), rendertest::White);
  const Box box = Drawn();
  // 40 x 40 texels around the cell's centre, one pixel each.
  EXPECT_EQ(box.Left, 140);
  EXPECT_EQ(box.Right, 179);
  EXPECT_EQ(box.Top, 70);
  EXPECT_EQ(box.Bottom, 109);
  // A burst does not fly: whatever its step count, it stays on its cell.
  burst.moveStep = 5;
  DrawOnly(burst);
  EXPECT_EQ(Drawn().Left, 140);
  burst.SetAlpha(128);
  DrawOnly(burst);
  EXPECT_NEAR(rendertest::Channel(AtLogical(160, 90), 16), 128, 2);

  // Flames are scattered by their offsets; nothing shows while one waits.
  CCharacterEffect flame;
  flame.SetPosition(3, 3);
  flame.OffsetX = 8;
  flame.OffsetY = -12;
  flame.SetAnimation(275);
  DrawOnly(flame);
  EXPECT_EQ(TexelAt(162, 87), (AtlasTexel{10, 170}));
  flame.holdTicks = 1;
  DrawOnly(flame);
  EXPECT_EQ(Drawn().Right, -1);
  // The trap bursts that show nothing draw nothing.
  CCharacterEffect needle;
  needle.SetPosition(3, 3);
  needle.SetAnimation(194);
  DrawOnly(needle);
  EXPECT_EQ(Drawn().Right, -1);
}

TEST_F(EffectDrawing, NumbersAndCaptionsRiseInTheirColours) {
  struct Case {
    AnimationEntry Entry;
    std::uint32_t Colour;
  };
  const Case cases[] = {{EffectWhiteNumber, 0xFFFFFFFFu},
                        {EffectGreenNumber, 0xFF80FF80u},
                        {EffectCyanNumber, 0xFF00FFFFu},
                        {EffectMiss, 0xFFFFFFFFu},
                        {EffectCaption, 0xFFC86432u}};
  for (const Case& c : cases) {
    CCharacterEffect shown;
    shown.SetPosition(3, 3);
    shown.Number = 7;
    shown.SetColor(200, 100, 50);
    shown.SetAnimation(c.Entry);
    if (c.Entry == EffectCaption) shown.SetCaption("HI");
    DrawOnly(shown);
    const Box start = Drawn();
    ASSERT_GE(start.Right, 0) << c.Entry;
    // Ten-unit-high glyphs at scale 4 centred on the cell: 10 pixels from 85.
    EXPECT_EQ(start.Top, 85) << c.Entry;
    EXPECT_EQ(start.Bottom, 94) << c.Entry;
    EXPECT_EQ(AtLogical((start.Left + start.Right) / 2, 90), c.Colour) << c.Entry;
    Tick(shown, 10);
    DrawOnly(shown);
    EXPECT_EQ(Drawn().Top, 85 - 13) << c.Entry;
    Tick(shown, 5);
    DrawOnly(shown);
    EXPECT_EQ(Drawn().Top, 85 - 15) << c.Entry << ": 60 units in all";
    EXPECT_EQ(game_->Fonts[3].Red, 255u);
    EXPECT_EQ(game_->Fonts[3].Blue, 255u);
    EXPECT_EQ(game_->Fonts[3].ScaleX, 1.0);
  }
}

}  // namespace
