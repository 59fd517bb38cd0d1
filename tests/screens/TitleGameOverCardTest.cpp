// The title game-over card: it fades in, only a fresh pointer press on its
// 320 x 480 panel closes it, and after the fade out the title menu follows.
#include <gtest/gtest.h>

#include "screens/CGameInputTitleGameOver.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;

class GameOverCard : public TitleFixture {
protected:
  void Open() {
    ASSERT_TRUE(Root()->ChangeChild(13));
    EXPECT_EQ(Card->GetPhase(), ScreenOpening);
    EXPECT_EQ(Fade()->FadeValue, 255);
    // 255 to 0 by 16, the effect update that finds it there, then the
    // card's own.
    EXPECT_EQ(RunUntil([this] { return Card->GetPhase() == ScreenActive; }), 18);
  }

  CGameInputTitleGameOver* Card = GetGameInputTitleGameOver();
};

TEST_F(GameOverCard, APressOnThePanelFadesOutToTheTitleMenu) {
  Open();
  Step({}, uitest::Pointer{true, 319, 479});
  EXPECT_EQ(Card->GetPhase(), ScreenClosing);
  for (int i = 0; i < InputHistoryLength; ++i)
    ASSERT_EQ(GetInput()->InputHistory[InputRowPointer][i], -1) << "the press is used up";
  EXPECT_EQ(Fade()->FadeTarget, 255);

  // Pressed again during the fade out: nothing more happens.
  Step();
  Step({}, uitest::Pointer{true, 100, 100});
  EXPECT_EQ(RunUntil([] { return Root()->GetChild() == GetGameInputTitleTop(); }), 15);
  EXPECT_EQ(GetGameInputTitleTop()->GetPhase(), ScreenOpening);
  Root()->DrawLayer(0);
}

TEST_F(GameOverCard, KeysAndPressesOffThePanelLeaveItOpen) {
  Open();
  for (int row : {InputRowSelect, InputRowCancel, InputRowAttack, InputRowUp}) Press({row});
  // Right of x 319 and below y 479 lie outside the panel; the pointer
  // stays where it was let go.
  for (const uitest::Pointer& p : {uitest::Pointer{true, 320, 100}, uitest::Pointer{true, 100, 480},
                                   uitest::Pointer{true, 1000, 600}}) {
    Step({}, p);
    for (int i = 0; i < 12; ++i) Step({}, uitest::Pointer{false, p.X, p.Y});
  }
  EXPECT_EQ(Card->GetPhase(), ScreenActive);
  EXPECT_EQ(Root()->GetChild(), Card);
}

TEST_F(GameOverCard, APressDuringTheFadeInCountsOnlyWhileStillFresh) {
  // The card first looks at the pointer in frame 19; a press counts for
  // the frame it went down in and the ten after it.
  const struct {
    int PressFrame;
    bool Closes;
  } rows[] = {{9, true}, {8, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.PressFrame);
    uitest::ClearInput();
    ASSERT_TRUE(Root()->ChangeChild(13));
    for (int frame = 1; frame <= 18; ++frame) Step({}, uitest::Pointer{frame == r.PressFrame, 160, 240});
    ASSERT_EQ(Card->GetPhase(), ScreenActive);
    Step({}, uitest::Pointer{false, 160, 240});
    EXPECT_EQ(Card->GetPhase() == ScreenClosing, r.Closes);
    StopFade();
  }
}

}  // namespace
