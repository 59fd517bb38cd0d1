// The start-up logo: two cards, each faded in, held and faded out, then the
// title menu; SELECT or CANCEL held shortens the holds only.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/Renderer.h"
#include "screens/CGameInputTitleLogo.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;
using Runs = std::vector<std::pair<int, int>>;  // (logo state, updates spent in it)

class TitleLogo : public TitleFixture {
protected:
  // Runs the logo from its start until the title menu takes over, holding
  // `rows` down throughout; checks every frame what is on screen.
  Runs RunLogo(const std::vector<int>& rows) {
    CGameInputTitleLogo* logo = GetGameInputTitleLogo();
    EXPECT_TRUE(Root()->ChangeChild(14));
    Runs runs;
    for (int i = 0; i < 400; ++i) {
      Step(rows);
      if (Root()->GetChild() != logo) break;
      const int state = logo->GetPhase();
      if (runs.empty() || runs.back().first != state) runs.push_back({state, 0});
      ++runs.back().second;

      const bool first = state <= CGameInputTitleLogo::FirstFadingOut;
      EXPECT_EQ(logo->FirstLogo.IsVisible(), first) << "state " << state;
      EXPECT_EQ(logo->SecondLogoLeft.IsVisible(), !first) << "state " << state;
      EXPECT_EQ(logo->SecondLogoRight.IsVisible(), !first) << "state " << state;
      EXPECT_TRUE(logo->Backdrop.IsVisible());
      if (state == CGameInputTitleLogo::FirstHeld || state == CGameInputTitleLogo::SecondHeld) {
        EXPECT_EQ(Fade()->FadeValue, 0) << "a held card is fully in sight";
      }
    }
    return runs;
  }
};

TEST_F(TitleLogo, EachCardFadesInHoldsAndFadesOutThenTheTitleMenuFollows) {
  // A fade takes 17 updates, a hold 42.
  EXPECT_EQ(RunLogo({}), (Runs{{0, 17}, {1, 42}, {2, 17}, {3, 17}, {4, 42}, {5, 17}, {6, 1}}));
  EXPECT_EQ(Root()->GetChild(), GetGameInputTitleTop());
  EXPECT_EQ(GetGameInputTitleTop()->GetPhase(), ScreenOpening);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "the title fades in from black";
}

TEST_F(TitleLogo, HoldingSelectOrCancelCutsTheHoldsButNotTheFadesAndUsesNothingUp) {
  for (int row : {InputRowSelect, InputRowCancel}) {
    uitest::ClearInput();
    EXPECT_EQ(RunLogo({row}), (Runs{{0, 17}, {1, 1}, {2, 17}, {3, 17}, {4, 1}, {5, 17}, {6, 1}})) << row;
    // The key still reads as down, not consumed, on the title menu.
    const std::int32_t* history = GetInput()->InputHistory[row];
    for (int i = 0; i < InputHistoryLength; ++i) ASSERT_EQ(history[i], 1) << row << " entry " << i;
  }
}

TEST_F(TitleLogo, TheCardsAreHeldWhileTheLogoRunsAndLetGoWhenTheTitleFollows) {
  for (int round = 0; round < 2; ++round) {
    RunLogo({});
    ASSERT_EQ(Root()->GetChild(), GetGameInputTitleTop());
    EXPECT_EQ(TextureRefCounts[2], 0u) << "nothing after the logo shows its cards";
    EXPECT_EQ(TextureRefCounts[3], 0u);
    // Shown again, it has them again, once however often it begins.
    ASSERT_TRUE(Root()->ChangeChild(14));
    ASSERT_TRUE(Root()->ChangeChild(14));
    EXPECT_EQ(TextureRefCounts[2], 1u);
    EXPECT_EQ(TextureRefCounts[3], 1u);
  }
}

}  // namespace
