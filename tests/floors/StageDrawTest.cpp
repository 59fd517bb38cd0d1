// A floor drawn by the real renderer and read back pixel by pixel: which
// tile each cell chose by its neighbours, darkness outside sight, the
// slide of the view, and the overlay.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/FloorTestSupport.h"
#include "items/ItemFactory.h"
#include "platform/Random.h"
#include "platform/RenderTestSupport.h"

namespace {

using namespace rendertest;

constexpr std::uint16_t AreaResource = 300;
constexpr std::uint16_t MapMarksResource = 138;
constexpr std::uint16_t ItemSheetResource = 200;
constexpr std::uint32_t Magenta = 0xFFFF00FFu;
bool ShowDecorations = false;

// The map marks (picture 7): the fill is white at (408, 0) and red at
// (408, 3), the stairs mark green at (402, 0) and blue at (402, 3).
bool MapMarks(int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * size, Clear);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 3; ++x) {
      argb[static_cast<std::size_t>(y) * size + 408 + x] = y < 3 ? White : Red;
      argb[static_cast<std::size_t>(y) * size + 402 + x] = y < 3 ? Green : Blue;
    }
  return true;
}

// The area's tiles (512 x 512): a texel is opaque only where it shows the
// cell its tile is drawn for, and then names its own place in the picture,
// 0xFF000000 | x << 12 | y. Floor tiles are 60 texels on a 60 grid from
// y 120; wall and corridor tiles 40 on a 40 grid (walls above y 120,
// corridors from y 260); the stairs mark 20 at (0, 240); decorations (when
// shown) 40 from (330, 90), their cell being their top-left quarter.
bool TilePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId == MapMarksResource) return MapMarks(size, argb);
  if (resourceId == ItemSheetResource) {
    argb.assign(static_cast<std::size_t>(size) * size, Magenta);
    return true;
  }
  if (resourceId != AreaResource) return TestPictures(resourceId, size, argb);
  argb.assign(static_cast<std::size_t>(size) * size, Clear);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      bool own = false;
      if (y >= 120 && y < 240 && x < 480) own = x % 60 >= 20 && x % 60 < 40 && (y - 120) % 60 >= 20 && (y - 120) % 60 < 40;
      if (y < 120 && x < 320) own = x % 40 >= 10 && x % 40 < 30 && y % 40 >= 10 && y % 40 < 30;
      if (y >= 260 && y < 340 && x < 320) own = x % 40 >= 10 && x % 40 < 30 && (y - 260) % 40 >= 10 && (y - 260) % 40 < 30;
      if (y >= 240 && y < 260 && x < 20) own = true;
      if (ShowDecorations && y >= 90 && y < 110 && x >= 330 && x < 490) own = (x - 330) % 40 < 20;
      if (own) argb[static_cast<std::size_t>(y) * size + x] = 0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
    }
  }
  return true;
}

struct Texel {
  int X, Y;
  bool operator==(const Texel&) const = default;
};

void PrintTo(const Texel& t, std::ostream* os) { *os << "(" << t.X << ", " << t.Y << ")"; }

const std::vector<std::string> Map = {
    "##########",
    "#....#####",
    "#....++++#",
    "#..>.###+#",
    "#....###+#",
    "########+#",
    "##########",
};

class StageDrawing : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    ShowDecorations = false;
    SetPictureLoader(&TilePictures);
    floortest::Carve(floor, Map);
    floor.StageId = 7;
    floor.AreaId = AreaResource;
    floor.CameraX = floor.PrevCameraX = 5;
    floor.CameraY = floor.PrevCameraY = 5;
    floor.LightMode = 2;
    floor.LoadArea();
    LoadTexture(PlainPicture, 147);  // the game loads it at start-up
    GetGameMain()->FrameCount = 0;
  }
  void TearDown() override {
    ShowDecorations = false;
    RenderFixture::TearDown();
  }

  void DrawFrame() {
    ClearTarget(Black);
    floor.Draw();
    Grab();
  }
  // The logical pixel at the centre of a cell, moved by `shift` pixels.
  std::uint32_t CentreOf(int x, int y, int shiftX = 0) const {
    return AtLogical(160 + (x - floor.CameraX) * 20 + shiftX, 90 + (y - floor.CameraY) * 20);
  }
  Texel TexelAt(int x, int y, int shiftX = 0) const {
    const std::uint32_t p = CentreOf(x, y, shiftX);
    return {static_cast<int>((p >> 12) & 0xFFF), static_cast<int>(p & 0xFFF)};
  }

  CStageData floor;
};

struct TileCase {
  int X, Y;
  Texel Expected;  // the tile's source corner plus the offset of the cell's centre in it
  const char* What;
};

TEST_F(StageDrawing, EachCellShowsTheTileItsNeighboursChoose) {
  DrawFrame();
  const TileCase cases[] = {
      {1, 1, {60 + 30, 180 + 30}, "floor: open right and below"},
      {4, 2, {240 + 120 + 30, 180 + 30}, "floor: open above, left and below; a corridor is not floor"},
      {4, 4, {240 + 120 + 30, 120 + 30}, "floor: open above and left"},
      {3, 3, {10, 240 + 10}, "the stairs mark"},
      {6, 2, {80 + 40 + 20, 260 + 20}, "corridor: on left and right"},
      {8, 2, {80 + 20, 300 + 20}, "corridor: on left and below"},
      {8, 3, {160 + 20, 300 + 20}, "corridor: above and below"},
      {5, 3, {40 + 20, 40 + 20}, "wall: on the right and below"},
      {6, 3, {80 + 40 + 20, 40 + 20}, "wall: left, right and below"},
      {5, 4, {160 + 40 + 20, 40 + 20}, "wall: above, right and below"},
      {9, 6, {0 + 20, 80 + 20}, "wall: the inner corner where the corridor ends above-left"},
  };
  for (const TileCase& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(TexelAt(c.X, c.Y), c.Expected) << "cell " << c.X << ", " << c.Y;
  }
  // Solid rock shows the plain wall or one of its four cracked variants.
  const std::vector<Texel> solid = {{300, 60}, {180, 100}, {220, 100}, {260, 100}, {300, 100}};
  for (int y = 7; y <= 9; ++y) {
    const Texel t = TexelAt(2, y);
    EXPECT_NE(std::find(solid.begin(), solid.end(), t), solid.end()) << "cell 2, " << y;
  }
}

TEST_F(StageDrawing, DarknessShadesWhatThePlayerDoesNotSee) {
  floor.LightMode = 1;
  floor.UpdateVisibility(2, 2);
  DrawFrame();
  EXPECT_EQ(TexelAt(1, 1), (Texel{90, 210})) << "the room is seen";
  EXPECT_EQ(TexelAt(5, 3), (Texel{60, 60})) << "so are its walls";
  // The corridor beyond the door is not: its tile under the shade colour
  // (14, 12, 20) at alpha 128.
  const std::uint32_t tile = 0xFF000000u | (180u << 12) | 320u;
  const std::uint32_t shaded = CentreOf(8, 3);
  for (int shift : {16, 8, 0}) {
    const int shade = shift == 16 ? 14 : shift == 8 ? 12 : 20;
    const int expected = (Channel(tile, shift) * 127 + shade * 128) / 255;
    EXPECT_NEAR(Channel(shaded, shift), expected, 2) << "channel " << shift;
  }
  // Lit floors draw no darkness at all.
  floor.LightMode = 2;
  DrawFrame();
  EXPECT_EQ(TexelAt(8, 3), (Texel{180, 320}));
}

TEST_F(StageDrawing, RoundedCornersShadeSeenCellsBesideTheDark) {
  // The seen wall (0, 5) has unseen cells left of it and below it: its
  // lower-left corner is shaded, in strips narrowing away from the corner.
  // It covers logical pixels 50-69 and 80-99.
  floor.UpdateVisibility(2, 2);
  DrawFrame();
  const std::uint32_t lit[3] = {AtLogical(50, 99), AtLogical(60, 90), AtLogical(69, 80)};
  floor.LightMode = 1;
  DrawFrame();

  EXPECT_NE(AtLogical(50, 99), lit[0]) << "the corner itself";
  EXPECT_EQ(AtLogical(60, 90), lit[1]) << "the centre";
  EXPECT_EQ(AtLogical(69, 80), lit[2]) << "the opposite corner";
}

TEST_F(StageDrawing, TheViewSlidesFromTheOldCameraInEightFrames) {
  floor.PrevCameraX = 4;
  floor.ScrollCounter = 4;
  DrawFrame();
  // Half way: the picture still stands 40 units (10 pixels) right of its rest.
  EXPECT_EQ(TexelAt(1, 1, 10), (Texel{90, 210}));
  EXPECT_EQ(ScrollOffsetX, 0) << "put back after the floor";
  floor.ScrollCounter = 8;
  floor.PrevCameraX = 5;
  DrawFrame();
  EXPECT_EQ(TexelAt(1, 1), (Texel{90, 210}));
}

TEST_F(StageDrawing, TheSameFloorLooksTheSameAndDrawingNeverMovesTheGame) {
  ShowDecorations = true;
  ReleaseTexture(AreaTilesPicture);  // made again, with the decorations
  LoadTexture(AreaTilesPicture, AreaResource);
  floortest::Carve(floor, std::vector<std::string>(9, "#" + std::string(14, '.') + "#"));
  for (int x = 0; x < 16; ++x) floor.terrain[CellIndex(x, 0)] = TerrainWall;
  SeedRandom(42);
  const int first = Random(), second = Random();
  SeedRandom(42);
  EXPECT_EQ(Random(), first);
  DrawFrame();
  const std::vector<std::uint32_t> once = Pixels;
  DrawFrame();
  EXPECT_EQ(Pixels, once) << "decorations depend on the floor and the cell only";
  EXPECT_EQ(Random(), second) << "the game's sequence is untouched by drawing";

  // One cell in six, by the cell's number after seeding with the StageId.
  int decorated = 0;
  floor.SeedRandom(floor.StageId);
  for (int x = 1; x <= 12; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int v = floor.RandomForCell(x, y);
      const Texel t = TexelAt(x, y);
      if (v % 6 == 0) {
        ++decorated;
        EXPECT_EQ(t, (Texel{330 + 40 * (v / 6 % 4) + 10, 100})) << x << ", " << y;
      } else {
        EXPECT_GE(t.Y, 120) << x << ", " << y;
      }
    }
  }
  EXPECT_GT(decorated, 0);
}

TEST_F(StageDrawing, TheOverlayIsAGradientOfStackedBands) {
  floor.OverlayKind = 2;
  floor.OverlayRed = 255;
  floor.OverlayAlpha = 64;
  floor.OverlayBands = 4;
  DrawFrame();
  // Kind 2 stacks bands from the top down: the bottom is the reddest.
  const std::uint32_t top = AtLogical(300, 10), bottom = AtLogical(300, 170);
  EXPECT_GT(Channel(bottom, 16), Channel(top, 16));
  for (int bands : {0, -3, 100000}) {
    SCOPED_TRACE(bands);
    floor.OverlayBands = bands;  // no gradient at all, and no endless loop
    DrawFrame();
    EXPECT_EQ(TexelAt(1, 1), (Texel{90, 210}));
  }
}

// Every value of every channel under the overlay: columns of colour, then
// rows added on top.
void DrawColourRamp() {
  ResetDrawState();
  for (int x = 0; x < 320; ++x) {
    SpriteDrawState.ScaleX = 4.0f / 8;
    SpriteDrawState.ScaleY = 720.0f / 8;
    SpriteDrawState.Colour = 0xFF000000u | static_cast<std::uint32_t>(x % 256) << 16 | static_cast<std::uint32_t>(x * 7 % 256) << 8;
    DrawSprite(PlainPicture, x * 4, 0, 0, 0, 8, 8);
  }
  SpriteDrawState.BlendMode = 2;
  for (int y = 0; y < 180; ++y) {
    SpriteDrawState.ScaleX = 1280.0f / 8;
    SpriteDrawState.ScaleY = 4.0f / 8;
    SpriteDrawState.Colour = 0xFF000000u | static_cast<std::uint32_t>(y * 255 / 179);
    DrawSprite(PlainPicture, 0, y * 4, 0, 0, 8, 8);
  }
  ResetDrawState();
}

// The overlay as it used to be drawn: one quad of the view's height per band.
void DrawStackedBands(const CStageData& floor) {
  const int height = 720, step = height / floor.OverlayBands, width = 1280 + 200;
  const int left = floor.OverlayKind == 1 ? -100 : 0, direction = floor.OverlayKind == 1 ? -step : step;
  for (int y = 0; y > -height && y < height; y += direction) {
    SpriteDrawState.BlendMode = floor.OverlayKind == 1 ? static_cast<std::uint32_t>(floor.OverlayBlendMode) : 0;
    SpriteDrawState.ScaleX = static_cast<float>(width) / 8;
    SpriteDrawState.ScaleY = static_cast<float>(height) / 8;
    SpriteDrawState.Colour = static_cast<std::uint32_t>(floor.OverlayAlpha) << 24 | static_cast<std::uint32_t>(floor.OverlayRed) << 16 |
                             static_cast<std::uint32_t>(floor.OverlayGreen) << 8 | static_cast<std::uint32_t>(floor.OverlayBlue);
    DrawSprite(PlainPicture, left, y, 0, 0, 8, 8);
  }
  ResetDrawState();
}

struct OverlayCase {
  int Kind, BlendMode, Red, Green, Blue, Alpha, Bands, Scale, ShakeX, ShakeY;
  const char* What;
};

TEST_F(StageDrawing, TheOverlayDrawnInOnePassMatchesItsStackedBands) {
  const OverlayCase cases[] = {
      {1, 2, 64, 64, 32, 4, 24, 1, 0, 0, "grass: additive, building up to the top"},
      {1, 0, 255, 255, 255, 4, 24, 1, 0, 0, "lake: alpha, to the top"},
      {2, 0, 24, 24, 32, 4, 24, 1, 0, 0, "cave: alpha, to the bottom"},
      {2, 0, 96, 0, 0, 4, 32, 1, 0, 0, "volcano: 32 bands"},
      {1, 1, 128, 64, 0, 4, 24, 1, 0, 0, "one/one"},
      {2, 0, 200, 100, 50, 64, 7, 1, 0, 0, "strong bands whose step leaves a remainder"},
      {1, 2, 128, 128, 128, 4, 24, 3, 0, 0, "window scale 3"},
      {2, 0, 32, 32, 128, 4, 16, 3, 6, -10, "shaken: the bands move with the view"},
      {2, 0, 32, 16, 32, 4, 20, 1, 11, 7, "shaken past the left edge: an unmarked strip"},
  };
  // The software renderer blends the rows itself, so what follows compares
  // that with the quads.
  const LayeredRows run{0, 720, 3};
  ASSERT_TRUE(DrawLayeredRows(PlainPicture, 0, 1280, &run, 1));
  for (const OverlayCase& c : cases) {
    SCOPED_TRACE(c.What);
    ResizeWindowClient(320 * c.Scale, 180 * c.Scale);
    floor.OverlayKind = c.Kind;
    floor.OverlayBlendMode = c.BlendMode;
    floor.OverlayRed = c.Red;
    floor.OverlayGreen = c.Green;
    floor.OverlayBlue = c.Blue;
    floor.OverlayAlpha = c.Alpha;
    floor.OverlayBands = c.Bands;
    ShakeOffsetX = c.ShakeX;
    ShakeOffsetY = c.ShakeY;

    ClearTarget(Black);
    DrawColourRamp();
    DrawStackedBands(floor);
    Grab();
    const std::vector<std::uint32_t> stacked = Pixels;
    ClearTarget(Black);
    DrawColourRamp();
    floor.DrawScreenTint();
    Grab();
    ASSERT_EQ(Pixels.size(), stacked.size());

    int worst = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < Pixels.size(); ++i)
      for (int shift : {0, 8, 16, 24}) {
        const int d = std::abs(Channel(Pixels[i], shift) - Channel(stacked[i], shift));
        if (d > worst) worst = d, worstAt = i;
      }
    EXPECT_LE(worst, 1) << "at pixel " << worstAt % Width << ", " << worstAt / Width;
    EXPECT_NE(stacked[Pixels.size() - 1], stacked[0]) << "the ramp is under the overlay";
  }
  ShakeOffsetX = ShakeOffsetY = 0;
}

TEST_F(StageDrawing, TheMapShowsExploredGroundStairsAndWhoStandsThere) {
  LoadTexture(MapMarksPicture, MapMarksResource);
  floor.UpdateVisibility(2, 2);  // the room, its walls and door
  floor.explored[CellIndex(8, 4)] = 1;
  CCharacter standing;
  floor.characterAt[CellIndex(1, 4)] = &standing;
  CGameMain* game = GetGameMain();
  game->CurrentStage = &floor;
  ClearTarget(Red);
  DrawFloorMapScreen();
  game->CurrentStage = nullptr;
  Grab();
  // Cell (x, y) of the map is 3 x 3 pixels from (0, 10).
  auto cell = [this](int x, int y) { return AtLogical(x * 3 + 1, 10 + y * 3 + 1); };
  EXPECT_EQ(cell(1, 1), White) << "explored room floor";
  EXPECT_EQ(cell(5, 2), White) << "the explored door";
  EXPECT_EQ(cell(8, 4), White) << "an explored corridor";
  EXPECT_EQ(cell(3, 3), Green) << "the stairs";
  EXPECT_EQ(cell(6, 2), Black) << "a corridor never seen";
  EXPECT_EQ(cell(0, 0), Black) << "walls are not marked";
  EXPECT_EQ(cell(1, 4), Black) << "a character's own marker stands for the cell";
  EXPECT_EQ(AtLogical(319, 179), Black) << "the view behind the map is black";

  game->FrameCount = 25;  // the marks alternate every 20 frames
  ClearTarget(Black);
  floor.DrawMap(0, 40, 4, 255);
  Grab();
  EXPECT_EQ(cell(1, 1), Red);
  EXPECT_EQ(cell(3, 3), Blue);
}

TEST_F(StageDrawing, ItemsLieUnderCharactersAndTheDarkCoversBoth) {
  LoadTexture(ItemSheetPicture, ItemSheetResource);
  LoadTexture(0, 130);
  // A character whose only frame is the top-left quarter of picture 0 (red).
  CCharacter standing;
  standing.frames.resize(11);
  standing.frames[10] = AnimationFrame{8, 8, -8, 7, -8, 7, -1, 100, 0};
  standing.animEntry = 10;
  standing.SetPosition(3, 2);
  ASSERT_TRUE(floor.MoveCharacterTo(3, 2, &standing));
  CItem* lying = CreateItem(0x900);
  ASSERT_NE(lying, nullptr);
  ASSERT_TRUE(floor.PutItemAt(2, 2, lying));
  CItem* under = CreateItem(0x900);
  ASSERT_TRUE(floor.PutItemAt(3, 2, under));
  CGameMain* game = GetGameMain();
  game->CurrentStage = &floor;
  DrawFrame();
  EXPECT_EQ(CentreOf(2, 2), Magenta) << "the item on its cell";
  EXPECT_EQ(CentreOf(3, 2), Red) << "the character over the item on its cell";

  floor.LightMode = 1;
  floor.UpdateVisibility(8, 3);  // in the corridor: the room is dark
  DrawFrame();
  game->CurrentStage = nullptr;
  EXPECT_NE(CentreOf(3, 2), Red) << "the dark falls over the character too";
  EXPECT_GT(Channel(CentreOf(3, 2), 16), Channel(CentreOf(3, 2), 8));
  floor.characterAt[CellIndex(3, 2)] = nullptr;
}

TEST_F(StageDrawing, NothingIsDrawnBeforeTheAreaIsLoaded) {
  CStageData fresh;
  ClearTarget(Black);
  fresh.Draw();
  Grab();
  EXPECT_EQ(AtLogical(160, 90), Black);
}

}  // namespace
