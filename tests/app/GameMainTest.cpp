#include <gtest/gtest.h>

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CNetwork.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "system/DebugLines.h"

namespace {

TEST(GameMain, LayoutMetricsForEveryLayout) {
  struct Row {
    std::uint32_t Layout;
    int W, H, VW, VH, CX, CY;
  };
  const Row rows[] = {
      {0, 320, 480, 640, 160, 320, 80},   {1, 768, 1024, 640, 704, 320, 320},
      {2, 640, 1136, 640, 816, 320, 408}, {3, 800, 480, 800, 480, 400, 240},
      {4, 640, 480, 640, 480, 320, 240},  {5, 1280, 720, 1280, 720, 640, 360},
      {6, 320, 480, 640, 160, 320, 80},   {99, 320, 480, 640, 160, 320, 80},
  };
  CGameMain* game = GetGameMain();
  const std::uint32_t saved = game->ScreenLayout;
  for (const Row& r : rows) {
    game->ScreenLayout = r.Layout;
    EXPECT_EQ(game->GetScreenWidth(), r.W) << r.Layout;
    EXPECT_EQ(game->GetScreenHeight(), r.H) << r.Layout;
    EXPECT_EQ(game->GetViewWidth(), r.VW) << r.Layout;
    EXPECT_EQ(game->GetViewHeight(), r.VH) << r.Layout;
    EXPECT_EQ(game->GetViewCenterX(), r.CX) << r.Layout;
    EXPECT_EQ(game->GetViewCenterY(), r.CY) << r.Layout;
  }
  game->ScreenLayout = saved;
  EXPECT_EQ(GetGameMain(), game);
}

TEST(GameMain, NewSettingsHaveTheirDefaults) {
  CGameMain fresh;
  EXPECT_EQ(fresh.ScreenLayout, 5u);
  EXPECT_EQ(fresh.Settings.Block.BgmVolume, 80u);
  EXPECT_EQ(fresh.Settings.Block.SeVolume, 80u);
  EXPECT_EQ(fresh.Settings.Block.AutoAttack, 1u);
  EXPECT_EQ(fresh.Settings.Block.WindowScale, 2u);
  EXPECT_EQ(fresh.Settings.Block.Fullscreen, 0);
  EXPECT_EQ(fresh.Settings.Block.GameSpeed, 0u);
}

TEST(GameMain, WindowScaleSizesTheClientAndTheMouse) {
  CGameMain* game = GetGameMain();
  game->Settings.Block.Fullscreen = 0;
  const struct {
    int Scale, Width, Height;
  } rows[] = {{2, 960, 540}, {0, 320, 180}, {4, 1600, 900}};
  for (const auto& r : rows) {
    game->SetWindowScale(r.Scale);
    EXPECT_EQ(game->Settings.Block.WindowScale, static_cast<std::uint32_t>(r.Scale));
    EXPECT_EQ(ClientWidth, r.Width) << r.Scale;
    EXPECT_EQ(ClientHeight, r.Height) << r.Scale;
    EXPECT_EQ(GetInput()->MouseScale, r.Scale + 1) << r.Scale;
  }
  // The mode already in force: nothing is applied again.
  ClientWidth = 123;
  game->SetFullscreen(false);
  EXPECT_EQ(ClientWidth, 123);
  game->SetWindowScale(2);
}

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
  SeedRandom(1);
  EXPECT_EQ(Random(), 41);
  EXPECT_EQ(Random(), 18467);
  EXPECT_EQ(Random(), 6334);
  EXPECT_EQ(Random(), 26500);
  SeedRandom(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) {
    const int r = Random();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 0x7fff);
  }
}

TEST(RandomGenerator, ChanceComparesTheNextNumberModuloAHundred) {
  SeedRandom(1);  // next numbers: 41, 18467 (67), 6334 (34)
  EXPECT_FALSE(RandomChance(41));
  EXPECT_TRUE(RandomChance(68));
  EXPECT_FALSE(RandomChance(0));
}

// The phone hooks' lines are debug output: shown under --verbose, and a
// player who did not ask sees none of them.
TEST(Network, HooksWriteTheirDebugLinesOnlyWhenShown) {
  CNetwork* network = GetNetwork();
  const auto callEveryHook = [network] {
    ::testing::internal::CaptureStderr();
    network->RateThis();
    network->Tweet("hello");
    network->SendScoreInt("VorlumenLevel1Fighter", 1234);
    network->SendScoreFloat("Board", 1.5f);
    network->ShowLeaderboard();
    network->RateMe();
    network->OpenUrl("about:blank");
    EXPECT_TRUE(network->QueryTrue());
    network->ForwardZeroA(3);
    network->Idle(1);
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(callEveryHook(), "");
  DebugLinesShown shown;
  EXPECT_EQ(callEveryHook(),
            "RateThis\nTweet:hello\nSendScore:VorlumenLevel1Fighter1234\n"
            "SendScore:Board1.500000\nShowLeaderboard\nRateMe\nOpenURL:about:blank\n");
}

}  // namespace
