#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/GameStates.h"
#include "platform/CMyInput.h"

namespace {

std::uint32_t FakeNow = 0;
std::uint32_t FakeClock() { return FakeNow; }

// A title state stand-in whose update and draw take chosen times.
struct TimedState : CGameState {
  std::vector<std::uint32_t> UpdateCosts;  // per frame; missing entries cost 0
  std::uint32_t DrawCost = 0;
  int Frames = 0;
  std::vector<bool> Drew;
  void Update() override {
    const std::size_t frame = static_cast<std::size_t>(Frames++);
    Drew.push_back(false);
    if (frame < UpdateCosts.size()) FakeNow += UpdateCosts[frame];
  }
  void Draw(int pass) override {
    if (pass != 0) return;
    Drew.back() = true;
    FakeNow += DrawCost;
  }
};

class FramePacing : public ::testing::Test {
protected:
  void SetUp() override {
    CGameMain* game = GetGameMain();
    game->Pacer = CFramePacer{};
    game->Clock = &FakeClock;
    game->Settings.Block.GameSpeed = 0;
    FakeNow = 1000;
  }
  void TearDown() override { GetGameMain()->Clock = &FakeClock; }

  // Runs the loop's calls once per millisecond until `until`, driving the
  // frame through `state`; returns the start times of the frames that ran.
  std::vector<std::uint32_t> Replay(TimedState& state, std::uint32_t until) {
    std::vector<std::uint32_t> starts;
    CGameMain* game = GetGameMain();
    while (FakeNow < until) {
      const std::uint32_t now = FakeNow;
      if (RunWith(state, *game)) starts.push_back(now);
      if (FakeNow == now) ++FakeNow;
    }
    return starts;
  }

  static bool RunWith(TimedState& state, CGameMain& game) {
    // Frame with our state forwarded by the real controller's calls.
    const std::uint32_t period = CFramePacer::PeriodFor(game.Settings.Block.GameSpeed);
    const std::uint32_t now = game.Clock();
    if (!game.Pacer.IsFrameDue(now, period)) return false;
    state.Update();
    const std::uint32_t t1 = game.Clock();
    if (game.Pacer.DecideDraw(period)) state.Draw(0);
    const std::uint32_t t2 = game.Clock();
    game.Pacer.RecordFrame(now, t1, t2);
    return true;
  }
};

TEST_F(FramePacing, PeriodsFollowTheGameSpeed) {
  const std::uint32_t expected[5] = {33, 27, 22, 19, 16};
  for (std::uint32_t speed = 0; speed < 5; ++speed)
    EXPECT_EQ(CFramePacer::PeriodFor(speed), expected[speed]) << speed;
}

TEST_F(FramePacing, SteadyFramesRunOnePeriodApartAndAllDraw) {
  GetGameMain()->Settings.Block.GameSpeed = 4;
  TimedState state;
  const auto starts = Replay(state, 1000 + 16 * 20);
  ASSERT_GE(starts.size(), 20u);
  // The empty history lets the first frames run back to back, then the grid holds.
  for (std::size_t i = 4; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], 16u) << i;
  for (bool drew : state.Drew) EXPECT_TRUE(drew);
}

TEST_F(FramePacing, OneOverrunSkipsTheNextDrawOnly) {
  TimedState state;
  state.UpdateCosts = {0, 0, 0, 50, 0, 0, 0};
  const auto starts = Replay(state, 1000 + 33 * 8);
  ASSERT_GE(starts.size(), 7u);
  // Frame 3 takes 50 ms; frame 4 runs as soon as it is due, skipping its draw.
  EXPECT_EQ(starts[4], starts[3] + 50);
  EXPECT_TRUE(state.Drew[3]);
  EXPECT_FALSE(state.Drew[4]);
  EXPECT_TRUE(state.Drew[5]);
  // After an overrun the grid restarts two periods from the slow frame.
  EXPECT_EQ(starts[5], starts[3] + 2 * 33);
}

TEST_F(FramePacing, SlowFrameAfterASkippedDrawStillDraws) {
  TimedState state;
  state.UpdateCosts = {0, 0, 50, 50, 0};
  Replay(state, 1000 + 33 * 7);
  ASSERT_GE(state.Drew.size(), 5u);
  EXPECT_TRUE(state.Drew[2]);
  EXPECT_FALSE(state.Drew[3]);
  EXPECT_TRUE(state.Drew[4]);  // never two skipped draws in a row
}

TEST_F(FramePacing, TwentyMillisecondFramesAlternateDraws) {
  GetGameMain()->Settings.Block.GameSpeed = 4;
  TimedState state;
  state.UpdateCosts.assign(40, 20);
  Replay(state, 1000 + 20 * 30);
  ASSERT_GE(state.Drew.size(), 10u);
  for (std::size_t i = 2; i + 1 < state.Drew.size(); ++i)
    EXPECT_NE(state.Drew[i], state.Drew[i + 1]) << i;
}

TEST_F(FramePacing, CatchUpAfterLateFramesRunsEarly) {
  // Two frames of 30 ms at period 33 do not overrun, but the loop reached
  // them late; the following frames come back onto the grid.
  TimedState state;
  CFramePacer& pacer = GetGameMain()->Pacer;
  // Frames started at 1000, 1033 and (late) 1080.
  pacer.FrameStartTimes[58] = 1000;
  pacer.FrameStartTimes[59] = 1033;
  pacer.FrameStartTimes[60] = 1080;
  pacer.FrameDurations[58] = pacer.FrameDurations[59] = pacer.FrameDurations[60] = 5;
  EXPECT_FALSE(pacer.IsFrameDue(1098, 33));
  EXPECT_TRUE(pacer.IsFrameDue(1099, 33));  // 1000 + 3 * 33, before 1080 + 33
}

// The main loop sleeps this long: it must be exactly when the next frame
// falls due, whichever rule makes it due.
TEST_F(FramePacing, TheWaitEndsWhenTheNextFrameFallsDue) {
  struct History {
    std::uint32_t Start58, Start59, Start60, Duration59;
    const char* What;
  } cases[] = {
      {934, 967, 1000, 5, "steady: one period after the last start"},
      {1000, 1033, 1080, 5, "late: three periods after the frame two back"},
      {1000, 1033, 1070, 40, "the frame before the last overran: two periods after it"},
      {0xFFFFFFA0u, 0xFFFFFFC1u, 0xFFFFFFE2u, 5, "the next due time past the clock's wrap"},
  };
  for (const History& h : cases) {
    SCOPED_TRACE(h.What);
    CFramePacer pacer;
    pacer.FrameStartTimes[58] = h.Start58;
    pacer.FrameStartTimes[59] = h.Start59;
    pacer.FrameStartTimes[60] = h.Start60;
    pacer.FrameDurations[59] = h.Duration59;
    for (std::uint32_t now = h.Start60; now != h.Start60 + 80; ++now) {
      std::uint32_t due = now;
      while (!pacer.IsFrameDue(due, 33)) ++due;
      ASSERT_EQ(pacer.TimeUntilDue(now, 33), due - now) << "at " << now;
    }
  }
}

TEST_F(FramePacing, ClockGoingBackRunsAFrameAtOnce) {
  CFramePacer& pacer = GetGameMain()->Pacer;
  pacer.FrameStartTimes[60] = 5000;
  EXPECT_TRUE(pacer.IsFrameDue(10, 33));
  pacer.RecordFrame(0xFFFFFFF0u, 0x00000005u, 0x00000006u);
  EXPECT_LT(pacer.FrameDurations[60], 1000u);
}

class HotKeys : public ::testing::Test {
protected:
  void SetUp() override {
    game = GetGameMain();
    game->Pacer = CFramePacer{};
    game->Clock = &FakeClock;
    FakeNow = 100000;
    game->Settings.Block.Fullscreen = 0;
    game->Settings.Block.WindowScale = 2;
    input = GetInput();
    *input = CMyInput();
    input->Update();
  }
  void TearDown() override { game->SetFullscreen(false); }
  // A press and release that both fall before the next frame.
  void Tap(std::uint32_t vk) {
    input->OnKeyMessage(vk, WM_KEYDOWN);
    input->OnKeyMessage(vk, WM_KEYUP);
  }
  void RunOneFrame() {
    FakeNow += 100;
    ASSERT_TRUE(game->RunFrame());
  }
  CGameMain* game = nullptr;
  CMyInput* input = nullptr;
};

constexpr std::uint32_t F4 = 0x73, F5 = 0x74;

TEST_F(HotKeys, F4AndF5InOneFrameToggleThenStep) {
  Tap(F4);
  Tap(F5);
  RunOneFrame();
  EXPECT_EQ(game->Settings.Block.Fullscreen, 1);
  EXPECT_EQ(game->Settings.Block.WindowScale, 3u);
  // Each press acted once: the next frames change nothing.
  RunOneFrame();
  RunOneFrame();
  EXPECT_EQ(game->Settings.Block.Fullscreen, 1);
  EXPECT_EQ(game->Settings.Block.WindowScale, 3u);
}

TEST_F(HotKeys, F5WrapsFromTimesFiveToTimesOne) {
  game->Settings.Block.WindowScale = 4;
  Tap(F5);
  RunOneFrame();
  EXPECT_EQ(game->Settings.Block.WindowScale, 0u);
}

TEST_F(HotKeys, NothingBeforeTheFirstInputUpdate) {
  Tap(F4);
  input->Updated = false;
  EXPECT_FALSE(game->IsFullscreenKeyTriggered());
  input->Update();
  EXPECT_TRUE(game->IsFullscreenKeyTriggered());
}

// Presses that all fall within one slow frame are not merged: each acts
// once, one a frame.
TEST_F(HotKeys, PressesWithinOneFrameActOnceEach) {
  for (int i = 0; i < 3; ++i) Tap(F5);
  std::vector<std::uint32_t> scales;
  for (int frame = 0; frame < 5; ++frame) {
    RunOneFrame();
    scales.push_back(game->Settings.Block.WindowScale);
  }
  EXPECT_EQ(scales, (std::vector<std::uint32_t>{3, 4, 0, 0, 0}));
}

TEST_F(HotKeys, AKeyHeldForASecondTogglesOnce) {
  input->OnKeyMessage(F4, WM_KEYDOWN);
  int toggles = 0;
  for (int frame = 0; frame < 30; ++frame) {
    const std::uint8_t before = game->Settings.Block.Fullscreen;
    RunOneFrame();
    if (game->Settings.Block.Fullscreen != before) ++toggles;
    input->OnKeyMessage(F4, WM_KEYDOWN, true);  // the keyboard's auto-repeat
  }
  EXPECT_EQ(toggles, 1);
  input->OnKeyMessage(F4, WM_KEYUP);
}

}  // namespace
