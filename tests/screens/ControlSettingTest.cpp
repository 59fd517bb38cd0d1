// The control settings screen: pointer clicks choose the control type and
// auto attack in the live settings; BACK hands back to the settings.
#include <gtest/gtest.h>

#include "screens/CGameInputTitleConfig.h"
#include "screens/CGameInputTitleConfigControlSetting.h"
#include "screens/ConfigTestSupport.h"

namespace {

using namespace configtest;

class ControlSetting : public ConfigFixture {
protected:
  // Over the settings screen, its only opener.
  void OpenOverSettings() {
    Open(8);
    ASSERT_TRUE(Root()->PushChild(9));
    RunUntil([&] { return C->GetPhase() == ScreenActive; });
  }

  CGameInputTitleConfigControlSetting* C = GetGameInputTitleConfigControlSetting();
};

// Button centres: TYPE A (100, 350), TYPE B (220, 350), OFF (120, 420),
// ON (200, 420), BACK (160, 450).
TEST_F(ControlSetting, ClicksWriteTheChoiceAtOnceAndShowItWhite) {
  Block().ControlType = 0;
  OpenOverSettings();
  EXPECT_EQ(C->TypeAButton.GetRed(), 255);
  EXPECT_EQ(C->TypeBButton.GetRed(), 128);
  EXPECT_EQ(TextOf(C->UpperControlCaption), "DIRECTION");
  Root()->DrawLayer(0);

  EXPECT_TRUE(Click(220, 350));
  EXPECT_EQ(Block().ControlType, 1u);
  EXPECT_EQ(C->TypeBButton.GetRed(), 255);
  EXPECT_EQ(C->TypeAButton.GetRed(), 128);
  EXPECT_EQ(TextOf(C->UpperControlCaption), "MOVE");
  EXPECT_EQ(TextOf(C->LowerControlCaption), "DIRECTION");
  EXPECT_TRUE(Click(220, 350)) << "a value already chosen clicks all the same";

  // A held press acts once.
  Step({}, {}, uitest::Pointer{true, 120, 420});
  EXPECT_EQ(Block().AutoAttack, 0u);
  Block().AutoAttack = 1;
  for (int i = 0; i < 5; ++i) Step({}, {}, uitest::Pointer{true, 120, 420});
  EXPECT_EQ(Block().AutoAttack, 1u);
  Step();
}

TEST_F(ControlSetting, KeysDoNothingAndBackResumesTheSettings) {
  OpenOverSettings();
  for (std::uint32_t vk : {VkCancel, VkSelect, VkUp}) EXPECT_FALSE(Press({vk})) << vk;
  EXPECT_EQ(C->GetPhase(), ScreenActive);
  // Unused, those presses stay fresh for 11 frames; the settings would
  // take the CANCEL if they resumed within them.
  for (int i = 0; i < 11; ++i) Step();

  Block().AutoAttack = 7;
  EXPECT_TRUE(Click(200, 420));
  EXPECT_EQ(Block().AutoAttack, 1u);
  EXPECT_TRUE(Click(160, 450));
  EXPECT_EQ(C->GetPhase(), ScreenClosed);
  CGameInputTitleConfig* settings = GetGameInputTitleConfig();
  EXPECT_EQ(settings->GetChild(), nullptr);
  EXPECT_EQ(settings->GetPhase(), ScreenActive);
  EXPECT_EQ(TextOf(settings->AutoAttackValue), "ON");
  EXPECT_EQ(Folder.Names().size(), 0u) << "nothing written until the settings close";
}

TEST_F(ControlSetting, NoClickCountsWhileTheFadeRuns) {
  Block().ControlType = 0;
  Open(8);
  GetScreenEffect()->FadeValue = 255;
  GetScreenEffect()->FadeTarget = 0;
  GetScreenEffect()->FadeStep = -16;
  GetScreenEffect()->FadeRunning = 1;
  ASSERT_TRUE(Root()->PushChild(9));
  Click(220, 350);
  EXPECT_EQ(C->GetPhase(), ScreenOpening);
  EXPECT_EQ(Block().ControlType, 0u);
}

}  // namespace
