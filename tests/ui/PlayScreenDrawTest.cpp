// What the play screen draws over the floor: the status line's bars, the
// map pushed above everything of its own, nothing of a floor that is not
// there, and the floor banner's black.
#include <gtest/gtest.h>

#include <vector>

#include "characters/CarrierTestSupport.h"
#include "characters/CharacterRenderSupport.h"
#include "ui/CGameInputLifebar.h"
#include "ui/CGameInputMain.h"
#include "ui/CGameInputMainMap.h"
#include "ui/CGameInputStageStart.h"

namespace {

using rendertest::AtlasTexel;
using rendertest::DecodeAtlasTexel;

constexpr std::uint32_t Yellow = 0xFFFFFF00u;
// The bars' fills in logical pixels: HP from x 160, hunger from x 288, on
// rows 4-6 (source rows 30-32 and 33-35 of the sheet).
constexpr int HpFillX = 160, HungerFillX = 288, FillRow = 5;

class PlayScreenDraw : public chartest::SheetFixture {
protected:
  void SetUp() override {
    SheetFixture::SetUp();
    ASSERT_TRUE(LoadTexture(10, 147));
    player.hp = 30;
    player.maxHpX100 = 3000;
    game_->Player = &player;
    // Drawn alone, whatever screen an earlier run left pushed on it.
    screen->SetChild(nullptr);
  }
  void TearDown() override {
    screen->SetChild(nullptr);
    ReleaseTexture(10);
    SheetFixture::TearDown();
  }

  void DrawLifebar() {
    ClearTarget(rendertest::Black);
    CGameInputLifebar().DrawSplitLabels();
    Grab();
  }
  // The fill's width in source pixels, and whether it showed yellow.
  struct Fill {
    int Width;
    bool Yellow;
    bool operator==(const Fill&) const = default;
  };
  Fill FillAt(int x0, int sourceRow) {
    Fill fill{0, false};
    for (int i = 0; i < 30; ++i) {
      const std::uint32_t p = AtLogical(x0 + i, FillRow);
      if (p == Yellow) {
        fill.Yellow = true;
      } else if (DecodeAtlasTexel(p).Y != sourceRow + 1) {
        continue;
      }
      ++fill.Width;
    }
    return fill;
  }

  runtest::TestPlayer player;
  CGameInputMain* screen = GetGameInputMain();
};

// Low HP blinks yellow in the first 20 frames of every 40; the fill stays
// inside its frame whatever the numbers say.
TEST_F(PlayScreenDraw, TheHpBarFillsByShareAndBlinksAtOneFifth) {
  struct Case {
    int Hp, MaxHp;
    std::uint32_t Frame;
    Fill Expected;
  };
  const Case cases[] = {
      {30, 30, 0, {26, false}}, {1, 7, 0, {3, true}},   {1, 7, 20, {3, false}},  {6, 30, 0, {5, true}},
      {7, 33, 0, {5, false}},   {45, 30, 0, {26, false}}, {-5, 30, 0, {0, false}}, {10, 0, 0, {0, false}},
  };
  for (const Case& c : cases) {
    player.hp = c.Hp;
    player.maxHpX100 = c.MaxHp * 100;
    game_->FrameCount = c.Frame;
    DrawLifebar();
    EXPECT_EQ(FillAt(HpFillX, 30), c.Expected) << c.Hp << "/" << c.MaxHp << " frame " << c.Frame;
  }
}

TEST_F(PlayScreenDraw, TheHungerBarRoundsUpAndBlinksAtOneTenth) {
  struct Case {
    int Satiety;
    Fill Expected;
  };
  const Case cases[] = {{2000, {26, false}}, {200, {2, true}}, {220, {2, false}},
                        {0, {0, false}},     {3000, {26, false}}, {-100, {0, false}}};
  for (const Case& c : cases) {
    player.satiety = c.Satiety;
    DrawLifebar();
    EXPECT_EQ(FillAt(HungerFillX, 33), c.Expected) << c.Satiety;
  }
  EXPECT_EQ(CGameInputLifebar::HungerPercent(1), 1);
  EXPECT_EQ(CGameInputLifebar::HungerPercent(2000), 100);
}

TEST_F(PlayScreenDraw, APushedMapCoversTheStatusLine) {
  ClearTarget(rendertest::Black);
  screen->DrawLayer(0);
  Grab();
  EXPECT_EQ(FillAt(HpFillX, 30), (Fill{26, false}));

  screen->SetChild(GetGameInputMainMap());
  ClearTarget(rendertest::Black);
  screen->DrawLayer(0);
  Grab();
  EXPECT_EQ(AtLogical(HpFillX + 4, FillRow), rendertest::Black);
}

// Without a floor the screen draws its status line, and neither the floor
// map nor the markers around a player who stands nowhere.
TEST_F(PlayScreenDraw, NoFloorNoMapNoMarkers) {
  floor_.explored[CellIndex(2, 2)] = 1;
  CWidget& upLeft = screen->DirectionMarkers[0];
  upLeft.SetVisible(true);
  // The map's cell (2, 2) at (0, 40) layout units, 12 units a cell; the
  // up-left marker on the tile up-left of the player's.
  const int mapX = 2 * 3 + 1, mapY = 10 + 2 * 3 + 1;
  const int markerX = upLeft.GetX() / 4 + 2, markerY = upLeft.GetY() / 4 + 2;
  ClearTarget(rendertest::Black);
  screen->DrawLayer(0);
  Grab();
  EXPECT_NE(AtLogical(mapX, mapY), rendertest::Black);
  EXPECT_NE(AtLogical(markerX, markerY), rendertest::Black);

  game_->CurrentStage = nullptr;
  ClearTarget(rendertest::Black);
  screen->DrawLayer(0);
  Grab();
  EXPECT_EQ(AtLogical(mapX, mapY), rendertest::Black);
  EXPECT_EQ(AtLogical(markerX, markerY), rendertest::Black);
  EXPECT_EQ(FillAt(HpFillX, 30), (Fill{26, false}));
  upLeft.SetVisible(false);
}

// The frame pictures of the message window come white here.
bool WhiteMessageFrame(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId < 1030 || resourceId > 1033) return chartest::NamedTexelSheet(resourceId, size, argb);
  argb.assign(static_cast<std::size_t>(size) * size, rendertest::White);
  return true;
}

// The play screen takes the message window's frame itself: nothing else
// loads it, and the lines would stand bare over the floor.
TEST_F(PlayScreenDraw, TheMessageWindowStandsOnItsFrame) {
  SetPictureLoader(&WhiteMessageFrame);
  screen->Begin();
  screen->ShowMessage("A LINE");
  ClearTarget(rendertest::Black);
  screen->DrawLayer(0);
  Grab();
  // Inside the window (128-1152 by 584-704 layout units), off its text.
  EXPECT_NE(AtLogical(200, 170), rendertest::Black);
  screen->CloseMessage();
}

// The banner's black is one opaque cover over the whole screen, however
// far its source runs past the plain picture.
TEST_F(PlayScreenDraw, TheBannerBlacksOutTheWholeScreen) {
  CGameInputStageStart* banner = GetGameInputStageStart();
  banner->Begin();
  ClearTarget(rendertest::White);
  banner->DrawLayer(1);
  Grab();
  for (int y = 0; y < 180; y += 7)
    for (int x = 0; x < 320; x += 7) ASSERT_EQ(AtLogical(x, y), rendertest::Black) << x << "," << y;
}

}  // namespace
