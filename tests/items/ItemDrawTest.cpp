#include <gtest/gtest.h>

#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/ItemTestSupport.h"
#include "platform/RenderTestSupport.h"

namespace {

using namespace itemtest;
using namespace rendertest;

// A floor of room cells with the camera at (20, 20).
class TestStage : public CStageData {
public:
  TestStage() {
    CameraX = 20;
    CameraY = 20;
  }
};

class TestPlayer : public CCharacterPlayer {
public:
  bool HasTelepathy() const override { return Telepathy; }
  bool Telepathy = false;
};

// The floor and the player of the game object for one test.
class ItemOnFloor : public ItemFixture {
protected:
  ItemOnFloor() {
    GetGameMain()->CurrentStage = &Stage;
    GetGameMain()->Player = &Player;
  }
  ~ItemOnFloor() override {
    GetGameMain()->CurrentStage = nullptr;
    GetGameMain()->Player = nullptr;
    ResetDrawState();
  }
  TestStage Stage;
  TestPlayer Player;
};

TEST_F(ItemOnFloor, AMapMarkerShowsWhatThePlayerKnowsOf) {
  struct Case {
    const char* What;
    ItemId Id;
    int X, Y;
    bool Reveal, Explored, Telepathy, Drawn;
  };
  // Telepathy shows any item anywhere, but never a trap still hidden.
  const Case cases[] = {
      {"an item on a seen cell", 0x900, 3, 4, false, true, false, true},
      {"an item on an unseen cell", 0x900, 3, 4, false, false, false, false},
      {"a hidden trap", 0xC00, 3, 4, false, true, false, false},
      {"a hidden trap to telepathy", 0xC00, 3, 4, false, true, true, false},
      {"a revealed trap on a seen cell", 0xC00, 3, 4, true, true, false, true},
      {"a revealed trap on an unseen cell", 0xC00, 3, 4, true, false, false, false},
      {"a revealed trap on an unseen cell to telepathy", 0xC00, 3, 4, true, false, true, true},
      {"an item off the map", 0x900, 40, -1, false, true, false, false},
      {"an item off the map to telepathy", 0x900, 40, -1, false, true, true, true},
  };
  for (const Case& c : cases) {
    ItemPtr item = Make(c.Id);
    item->SetPosition(c.X, c.Y);
    if (c.Reveal) item->SetRevealed(true);
    Stage.explored[CellIndex(3, 4)] = c.Explored ? 1 : 0;
    Player.Telepathy = c.Telepathy;
    EXPECT_EQ(item->DrawMapMarker(0, 40, 4.0f, 4.0f, 160), c.Drawn) << c.What;
  }
  GetGameMain()->CurrentStage = nullptr;
  EXPECT_FALSE(Make(0x900)->DrawMapMarker(0, 40, 4.0f, 4.0f, 160)) << "no floor";
}

// Each texel of the item sheet (resource 200) and of the interface atlas
// (resource 138) names its own place.
bool PlacePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId != 200 && resourceId != 138) return TestPictures(resourceId, size, argb);
  argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      argb[static_cast<std::size_t>(y) * size + x] = 0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
  return true;
}

class ItemDrawing : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&PlacePictures);
    ASSERT_TRUE(LoadTexture(ItemSheetPicture, 200));
    ASSERT_TRUE(LoadTexture(7, 138));
    GetGameMain()->CurrentStage = &Stage;
  }
  void TearDown() override {
    GetGameMain()->CurrentStage = nullptr;
    RenderFixture::TearDown();
  }
  AtlasTexel TexelAt(int x, int y) const { return DecodeAtlasTexel(At(x, y)); }
  TestStage Stage;
};

TEST_F(ItemDrawing, AnItemIsDrawnFourTimesItsCellAroundItsPosition) {
  ItemPtr sword = Make(0x000);  // the cell at (0, 200)
  sword->DrawAt(640, 360);      // device pixel (160, 90)
  Grab();
  EXPECT_EQ(TexelAt(150, 80), (AtlasTexel{0, 200}));
  EXPECT_EQ(TexelAt(160, 90), (AtlasTexel{10, 210}));
  EXPECT_EQ(TexelAt(169, 99), (AtlasTexel{19, 219}));
  EXPECT_EQ(At(149, 90), Black);
  EXPECT_EQ(At(170, 90), Black);
  EXPECT_EQ(At(160, 100), Black);
}

TEST_F(ItemDrawing, OnTheFloorOnlyRevealedItemsNearTheViewAreDrawn) {
  ItemPtr sword = Make(0x000), trap = Make(0xC00), far = Make(0x000);
  sword->SetPosition(21, 20);  // one cell right of the camera: 80 units, 20 pixels
  trap->SetPosition(19, 20);
  far->SetPosition(31, 20);
  sword->DrawOnFloor();
  trap->DrawOnFloor();
  far->DrawOnFloor();
  Grab();
  EXPECT_EQ(TexelAt(180, 90), (AtlasTexel{10, 210}));
  EXPECT_EQ(At(140, 90), Black);  // the hidden trap
  trap->SetRevealed(true);
  trap->DrawOnFloor();
  Grab();
  EXPECT_EQ(TexelAt(140, 90), (AtlasTexel{10, 410}));
}

TEST_F(ItemDrawing, TheMarkerBlinksAndTellsAWalkableSeenCellFromOthers) {
  ItemPtr potion = Make(0x900);
  potion->SetPosition(5, 5);
  Stage.explored[CellIndex(5, 5)] = 1;
  const struct {
    std::uint32_t Frame;
    bool Wall;
    int Row;
  } cases[] = {{0, false, 0}, {19, false, 0}, {20, false, 3}, {39, false, 3}, {40, false, 0}, {0, true, 6}, {25, true, 9}};
  for (const auto& c : cases) {
    GetGameMain()->FrameCount = c.Frame;
    Stage.terrain[CellIndex(5, 5)] = c.Wall ? 4 : 0;
    ClearTarget(Black);
    ASSERT_TRUE(potion->DrawMapMarker(400, 200, 4.0f, 4.0f, 255));
    ResetDrawState();
    Grab();
    EXPECT_EQ(TexelAt(100, 50), (AtlasTexel{396, c.Row})) << "frame " << c.Frame << " wall " << c.Wall;
  }
  GetGameMain()->FrameCount = 0;
}

}  // namespace
