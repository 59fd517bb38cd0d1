#include <gtest/gtest.h>

#include <vector>

#include "platform/CEffect.h"
#include "platform/RenderTestSupport.h"

namespace {

using namespace rendertest;

std::vector<int> RunUpdates(CEffect& e, int frames, int CEffect::*field) {
  std::vector<int> seen;
  for (int i = 0; i < frames; ++i) {
    e.Update();
    seen.push_back(e.*field);
  }
  return seen;
}

TEST(Effect, ShakeBouncesBetweenClosingBounds) {
  CEffect e;
  e.StartShake(10, 10, 2, 2);
  std::vector<int> ys, xs;
  for (int i = 0; i < 14; ++i) {
    e.Update();
    ys.push_back(ShakeOffsetY);
    xs.push_back(ShakeOffsetX);
  }
  EXPECT_EQ(ys, (std::vector<int>{10, 0, 8, 0, 6, 0, 4, 0, 2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(xs, std::vector<int>(14, 0));
  EXPECT_EQ(e.ShakeStepY, 0);

  // A hit reaction with a low ceiling and a fast shrink.
  e.StartShake(10, 2, 10, 10);
  EXPECT_EQ(RunUpdates(e, 4, &CEffect::ShakeY), (std::vector<int>{2, 0, 0, 0}));
}

TEST(Effect, WeakerShakeDoesNotReplaceARunningOne) {
  CEffect e;
  e.StartShake(15, 10, 1, 1);
  e.Update();
  e.StartShake(10, 2, 10, 10);  // 10 < 14 frames left
  EXPECT_EQ(e.ShakeMaxY, 9);
  EXPECT_EQ(e.ShakeFrames, 14);
  e.StartShake(14, 4, 2, 2);  // as many frames as remain: replaces
  EXPECT_EQ(e.ShakeMaxY, 4);
}

TEST(Effect, FadeReachesItsTargetThenStops) {
  struct Case {
    int From, To, Step, UpdatesToTarget;
  };
  const Case cases[] = {{255, 0, -16, 16}, {0, 255, 16, 16}, {0, 255, 8, 32}, {0, 0, 0, 0}};
  for (const Case& c : cases) {
    CEffect e;
    e.FadeValue = c.From;
    e.FadeTarget = c.To;
    e.FadeStep = c.Step;
    e.FadeRunning = 1;
    for (int i = 1; i <= c.UpdatesToTarget; ++i) {
      e.Update();
      ASSERT_EQ(e.FadeRunning, 1) << c.From << "->" << c.To << " update " << i;
      if (i < c.UpdatesToTarget) {
        ASSERT_NE(e.FadeValue, c.To) << i;
      }
    }
    EXPECT_EQ(e.FadeValue, c.To);
    e.Update();
    EXPECT_EQ(e.FadeRunning, 0) << c.From << "->" << c.To;
  }
}

TEST(Effect, FlashRunsItsPhasesFrameByFrame) {
  CEffect e;
  // Hold 0, gap 0: rise, fall and end without idle frames.
  e.StartFlash(255, 255, 255, 255, 255, 0, 64);
  EXPECT_EQ(RunUpdates(e, 6, &CEffect::FlashLevel), (std::vector<int>{255, 191, 127, 63, 0, 0}));
  EXPECT_EQ(e.FlashPhase, 0);

  e.StartFlash(10, 20, 30, 100, 60, 2, 50);
  EXPECT_EQ(RunUpdates(e, 6, &CEffect::FlashPhase), (std::vector<int>{1, 2, 2, 3, 3, 0}));

  // Set field by field: two flashes with a gap of 2 frames.
  e.StartFlash(255, 0, 0, 100, 100, 0, 100);
  e.FlashRepeats = 2;
  e.FlashGapFrames = 2;
  EXPECT_EQ(RunUpdates(e, 7, &CEffect::FlashLevel), (std::vector<int>{100, 0, 0, 0, 100, 0, 0}));
  EXPECT_EQ(e.FlashPhase, 4);
  EXPECT_EQ(RunUpdates(e, 2, &CEffect::FlashPhase), (std::vector<int>{0, 0}));
  EXPECT_EQ(e.FlashRepeatCount, 0);
}

class EffectDraw : public RenderFixture {};

TEST_F(EffectDraw, FadeCoversTheWholeScreenAndIgnoresTheShake) {
  CEffect e;
  e.Reset();
  ClearTarget(White);
  e.StartShake(10, 10, 2, 2);
  e.Update();  // the screen would shift 10 units down
  ASSERT_EQ(ShakeOffsetY, 10);
  e.FadeValue = 128;
  e.Draw();
  EXPECT_EQ(ShakeApplies, 1);
  Grab();
  for (const auto& p : {std::pair{0, 0}, std::pair{319, 0}, std::pair{0, 179}, std::pair{319, 179}, std::pair{160, 90}})
    EXPECT_NEAR(Channel(At(p.first, p.second), 16), 127, 2) << p.first << "," << p.second;
}

TEST_F(EffectDraw, OutOfRangeLevelsStayInTheAlphaByte) {
  CEffect e;
  e.Reset();
  ClearTarget(White);
  e.FadeValue = 300;  // would read as alpha 44 if it spilled past its byte
  e.Draw();
  Grab();
  EXPECT_EQ(At(160, 90), Black);
  ClearTarget(White);
  e.FadeValue = -16;  // a fade that overshot below 0 draws nothing
  e.Draw();
  Grab();
  EXPECT_EQ(At(160, 90), White);
}

TEST_F(EffectDraw, FlashPaintsItsColourOverTheFade) {
  CEffect e;
  e.Reset();
  ClearTarget(Black);
  e.StartFlash(255, 0, 0, 255, 255, 0, 24);
  e.Update();
  e.Draw();
  Grab();
  EXPECT_EQ(At(0, 0), Red);
  EXPECT_EQ(At(319, 179), Red);
  EXPECT_EQ(GetScreenEffect(), GetScreenEffect());
}

}  // namespace
