// Above window scale 1 a frame is drawn at 320 x 180 for as long as its
// quads show whole logical pixels, and stretched once: the play screen must
// reach the window exactly as it does drawn at full size, at every scale.
#include <gtest/gtest.h>

#include "app/KeyPlaySupport.h"
#include "system/SysRenderer.h"

namespace {

using namespace keyplay;

class LogicalFrames : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    StartRun(20261210, 1, 0);
  }
  void TearDown() override {
    SetLogicalFrames(true);
    ResizeWindowClient(320, 180);
    KeyPlay::TearDown();
  }

  // The frame drawn at full size and then by way of 320 x 180, at each scale.
  void ExpectSameAtEveryScale(const char* what) {
    SCOPED_TRACE(what);
    for (int scale : {2, 3, 5}) {
      SCOPED_TRACE(scale);
      ResizeWindowClient(320 * scale, 180 * scale);
      SetLogicalFrames(false);
      game->Draw();
      GrabWindow();
      const std::vector<std::uint32_t> full = Pixels;
      SetLogicalFrames(true);
      game->Draw();
      GrabWindow();
      ASSERT_EQ(Pixels.size(), full.size());
      std::size_t differing = 0, first = 0;
      for (std::size_t i = 0; i < full.size(); ++i)
        if (Pixels[i] != full[i] && differing++ == 0) first = i;
      EXPECT_EQ(differing, 0u) << "first at " << first % Width << ", " << first / Width;
      // The floor itself, the bulk of the frame, is drawn small.
      ClearTarget(rendertest::Black);
      DrawStageScreen();
      EXPECT_TRUE(SysRendererIsLogical());
    }
    ResizeWindowClient(320, 180);
  }
};

TEST_F(LogicalFrames, ThePlayScreenLooksTheSameDrawnSmallAndStretched) {
  ASSERT_TRUE(NextTurn());
  Play()->ShowMessage("A message in the window.");
  Frame();
  ExpectSameAtEveryScale("the first view, its overlay and a message");

  game->CurrentStage->LightMode = 1;
  game->CurrentStage->UpdateVisibility(game->Player->GetX(), game->Player->GetY());
  ExpectSameAtEveryScale("a dark floor");

  Way way{};
  ASSERT_TRUE(FirstStep([&](int x, int y) { return game->CurrentStage->IsFloor(x, y); }, way));
  Press(way.Dx < 0 ? KeyLeft : way.Dx > 0 ? KeyRight : way.Dy < 0 ? KeyUp : KeyDown);
  for (int i = 0; i < 3; ++i) Frame();
  ReleaseKeys();
  ExpectSameAtEveryScale("the view sliding after a step");
  ASSERT_TRUE(NextTurn());

  ASSERT_TRUE(Command({KeyAttack}));
  Frame();
  ExpectSameAtEveryScale("a blow");

  Press(KeyMap);
  for (int i = 0; i < 20; ++i) Frame();
  ExpectSameAtEveryScale("the map held");
  ReleaseKeys();
  ASSERT_TRUE(NextTurn());

  ASSERT_TRUE(OpenMenu());
  ExpectSameAtEveryScale("the menu over the floor");
}

}  // namespace
