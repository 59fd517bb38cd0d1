// The banner on arrival on a floor: its own steps frame by frame, the hold
// at the name until the stage-start state moves it on, and the way from a
// floor's start to the player's first command.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/PlayScreenSupport.h"

namespace {

using namespace playtest;
using turntest::TestMonster;
using turntest::TestPlayer;

// A floor named by the test.
class NamedFloor : public turntest::TracingFloor {
public:
  explicit NamedFloor(const std::vector<std::string>& rows) : TracingFloor(rows) {}
  void GetName(char* text) override { std::strcpy(text, Name); }
  const char* Name = "B1F";
};

class FloorBanner : public PlayFixture {
protected:
  void SetUp() override {
    PlayFixture::SetUp();
    floor = new NamedFloor(DefaultRows());
    UseFloor(floor);
  }
  // Updates until the banner's phase changes; how many it took.
  int UpdatesToNextPhase(int limit = 300) {
    const int phase = banner->GetPhase();
    int n = 0;
    while (banner->GetPhase() == phase && n < limit) {
      banner->Update();
      ++n;
    }
    return n;
  }

  NamedFloor* floor = nullptr;
  CGameInputStageStart* banner = GetGameInputStageStart();
};

TEST_F(FloorBanner, GrowsShowsTheNameHoldsFadesAndCloses) {
  banner->Begin();
  EXPECT_EQ(banner->GetPhase(), CGameInputStageStart::PhaseGrowing);
  EXPECT_EQ(banner->Backdrop.GetAlpha(), 255);
  EXPECT_STREQ(banner->NameWindow.GetText(), "");
  EXPECT_EQ(UpdatesToNextPhase(), 12) << "the window grows over 12 frames";
  EXPECT_STREQ(banner->NameWindow.GetText(), "B1F");
  EXPECT_EQ(UpdatesToNextPhase(), 1);
  EXPECT_EQ(UpdatesToNextPhase(), 1);
  EXPECT_EQ(UpdatesToNextPhase(), 300) << "the name holds until the floor is ready";
  EXPECT_EQ(banner->GetPhase(), CGameInputStageStart::PhaseNameShown);
  EXPECT_EQ(banner->Backdrop.GetAlpha(), 255);

  banner->SetPhase(CGameInputStageStart::PhaseFading);
  EXPECT_EQ(UpdatesToNextPhase(), 32) << "255 down by 8 until it would be below 0";
  EXPECT_EQ(banner->Backdrop.GetAlpha(), 0);
  EXPECT_STREQ(banner->NameWindow.GetText(), "");
  EXPECT_EQ(UpdatesToNextPhase(), 10);
  EXPECT_EQ(banner->GetPhase(), CGameInputStageStart::PhaseFinished);
  EXPECT_FALSE(banner->NameWindow.IsVisible());
  EXPECT_EQ(UpdatesToNextPhase(), 300);
}

TEST_F(FloorBanner, TheWindowIsAsWideAsTheNameWithAMargin) {
  floor->Name = "";
  banner->Begin();
  EXPECT_EQ(banner->NameWindow.ToWidth, 40);
  floor->Name = "A LONGER NAME OF A FLOOR";
  banner->Begin();
  CDrawString& font = game->Fonts[2];
  EXPECT_EQ(banner->NameWindow.ToWidth, (font.GetTextWidth(floor->Name, 24) + 10) * 4);
}

// From the floor's start through the banner to the player's first step,
// with the real play screen and banner.
TEST_F(FloorBanner, AFloorStartEndsInThePlayersTurnOnThePlayScreen) {
  TestPlayer* player = PlacePlayer(5, 3);
  GetStateController()->ChangeState(StateStageStart);
  ASSERT_EQ(screen->GetChild(), banner);
  int frames = 0;
  while (State() != StateMainNormal && frames < 200) {
    Frame();
    ++frames;
  }
  ASSERT_EQ(State(), StateMainNormal);
  EXPECT_EQ(frames, 12 + 2 + 3 + 32 + 10) << "grow, name, the state's wait, fade, close";
  EXPECT_EQ(GetGameInputController()->GetChild(), screen);
  EXPECT_EQ(screen->GetChild(), nullptr);
  EXPECT_FALSE(ReadBytes(folder.File("save")).empty()) << "written at the arrival";

  Press({KeyDown, KeyRight});
  Frame();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->GetX(), 6);
}

}  // namespace
