// Entering a floor: its music and its pictures, and giving the pictures back.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "floors/CStageData.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/SoundFixture.h"

namespace {

std::uint32_t SlotCount(PictureId id) { return TextureRefCounts[GetPictureRow(id)->Slot]; }

// Pictures are counted without being made.
bool NoPictures(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

class StagePictures : public ::testing::Test {
protected:
  void SetUp() override { SetPictureLoader(&NoPictures); }
  void TearDown() override { SetPictureLoader(nullptr); }
};

// An area kind that has no background picture.
class OnlyBaseLayer : public CStageData {
public:
  void LoadTextures() override { AcquirePicture(BaseLayerPicture, 367); }
};

TEST_F(StagePictures, AFloorGivesBackExactlyThePicturesItTook) {
  const std::uint32_t tiles = SlotCount(AreaTilesPicture), base = SlotCount(BaseLayerPicture);
  const std::uint32_t background = SlotCount(BackgroundPicture);
  {
    CStageData floor;
    floor.AreaId = 300;
    floor.LoadArea();
    EXPECT_EQ(floor.ReadyToDraw, 1);
    floor.LoadArea();  // entered twice: held twice
    EXPECT_EQ(SlotCount(AreaTilesPicture), tiles + 2);
    EXPECT_EQ(SlotCount(BaseLayerPicture), base + 2);
    EXPECT_EQ(SlotCount(BackgroundPicture), background + 2);
    floor.ReleaseTextures();
    EXPECT_EQ(SlotCount(BaseLayerPicture), base + 1);
    EXPECT_EQ(SlotCount(AreaTilesPicture), tiles + 2);
  }
  EXPECT_EQ(SlotCount(AreaTilesPicture), tiles);
  EXPECT_EQ(SlotCount(BaseLayerPicture), base);
  EXPECT_EQ(SlotCount(BackgroundPicture), background);

  // Someone else holds the background; a floor that never took it leaves it.
  LoadTexture(BackgroundPicture, 130);
  {
    OnlyBaseLayer floor;
    floor.LoadArea();
    floor.ReleaseTextures();
    floor.ReleaseTextures();  // nothing more to give back
    EXPECT_EQ(SlotCount(BaseLayerPicture), base);
  }
  EXPECT_EQ(SlotCount(BackgroundPicture), background + 1);
  ReleaseTexture(BackgroundPicture);
  { CStageData never; }  // a floor never entered gives back nothing
  EXPECT_EQ(SlotCount(AreaTilesPicture), tiles);
}

// A floor whose spawn table is gone by the time it is released, as happens
// to a floor class's table while its destructor runs.
class ForgetfulFloor : public CStageData {
public:
  const SpawnEntry* GetSpawnTable() override { return Forgotten ? nullptr : Table; }
  static constexpr SpawnEntry Table[3] = {{256, 3, 50}, {259, 0, 50}, {-1, 2, 50}};
  bool Forgotten = false;
};

TEST(StageSpawnGraphics, ReleasesWhatWasLoadedWhateverTheTableSaysLater) {
  ForgetfulFloor floor;
  floor.LoadSpawnGraphics();
  floor.LoadSpawnGraphics();
  EXPECT_EQ(floor.SpawnGraphicsLoads, 2);
  floor.Forgotten = true;
  floor.ReleaseSpawnGraphics();
  EXPECT_EQ(floor.SpawnGraphicsLoads, 1);
  floor.ReleaseSpawnGraphics();
  floor.ReleaseSpawnGraphics();
  EXPECT_EQ(floor.SpawnGraphicsLoads, 0) << "never below what was loaded";

  CStageData plain;
  plain.LoadSpawnGraphics();
  EXPECT_EQ(plain.SpawnGraphicsLoads, 0) << "no table, nothing counted";
}

constexpr std::uint16_t TrackResource(int t) { return static_cast<std::uint16_t>(BgmResourceBase + t); }

class StageMusic : public StagePictures {
protected:
  void SetUp() override {
    StagePictures::SetUp();
    music_ = std::make_unique<StubbedGameMusic>();
    ASSERT_TRUE(music_->Started);
  }
  void TearDown() override {
    music_.reset();
    StagePictures::TearDown();
  }
  static void Enter(int track) {
    CStageData floor;
    floor.BgmTrack = track;
    floor.BgmResourceId = track < 0 ? -1 : TrackResource(track);
    floor.LoadArea();
  }
  std::unique_ptr<StubbedGameMusic> music_;
};

TEST_F(StageMusic, AFloorStartsItsTrackAndKeepsOneAlreadyPlaying) {
  CSoundManager* sound = GetSoundManager();
  Enter(3);
  ASSERT_TRUE(sound->IsBgmPlaying(3));
  // Mark where the stream stands: a restart would rewind it.
  sound->BgmReadPos[3] = 1234;
  Enter(3);
  EXPECT_TRUE(sound->IsBgmPlaying(3));
  EXPECT_EQ(sound->BgmReadPos[3], 1234u) << "the same track goes on without a restart";

  Enter(5);
  EXPECT_TRUE(sound->IsBgmPlaying(5));
  EXPECT_FALSE(sound->IsBgmPlaying(3));

  Enter(-1);
  EXPECT_EQ(sound->GetPlayingBgm(), -1) << "a floor without music is silent";
  Enter(19);
  EXPECT_EQ(sound->GetPlayingBgm(), -1) << "a track the game does not have is silence too";
}

}  // namespace
