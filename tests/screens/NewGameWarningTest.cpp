// The warning NEW GAME shows over a suspended game: NO first, NO and CANCEL
// back to the title menu, YES on to the class selection on the title menu.
#include <gtest/gtest.h>

#include <vector>

#include "platform/TextTable.h"
#include "screens/CGameInputDeleteCheck.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;
using Top = CGameInputTitleTop;

class NewGameWarning : public TitleFixture {
protected:
  // The menu over a suspended game, NEW GAME chosen.
  void Warn() {
    SuspendGame();
    ASSERT_TRUE(Root()->ChangeChild(2));
    RunUntil([&] { return T->GetPhase() == ScreenActive; });
    T->Cursor = Top::EntryNewGame;
    Step({InputRowSelect});
    ASSERT_EQ(T->GetChild(), W);
  }
  void WarnAndOpen() {
    Warn();
    RunUntil([&] { return W->GetPhase() == ScreenActive; });
    Step();
  }
  bool BackOnTheMenu() {
    return W->GetPhase() == ScreenClosed && T->GetChild() == nullptr && T->GetPhase() == ScreenActive;
  }

  Top* T = GetGameInputTitleTop();
  CGameInputDeleteCheck* W = GetGameInputDeleteCheck();
};

TEST_F(NewGameWarning, OpensOnNoShowingNothingUntilItsWindowHasGrown) {
  Warn();
  EXPECT_TRUE(W->NoButton.IsSelected());
  EXPECT_FALSE(W->YesButton.IsSelected());
  EXPECT_EQ(W->NoButton.GetRed(), 255);
  EXPECT_EQ(W->YesButton.GetRed(), 64);
  for (int i = 1; i <= 8; ++i) {
    Step();
    EXPECT_STREQ(W->QuestionWindow.GetText(), "") << i;
    EXPECT_FALSE(W->YesButton.IsVisible()) << i;
    EXPECT_EQ(W->GetPhase(), i < 8 ? ScreenOpening : ScreenActive) << i;
  }
  Step();
  EXPECT_STREQ(W->QuestionWindow.GetText(), GetText(0, 1182));
  EXPECT_STREQ(W->YesButton.GetText(), "YES");
  EXPECT_TRUE(W->NoButton.IsVisible());

  // SELECT on NO: straight back, the suspended game still offered.
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Click));
  EXPECT_EQ(W->GetPhase(), ScreenClosed);
  EXPECT_EQ(T->GetChild(), nullptr);
  EXPECT_EQ(T->GetPhase(), ScreenActive);
  EXPECT_TRUE(T->Entries[Top::EntryContinue].IsEnabled());
  EXPECT_TRUE(T->Logo.IsVisible());
}

TEST_F(NewGameWarning, LeftAndRightSwapTheAnswerOncePerPressAndCancelAlwaysMeansNo) {
  enum Outcome { Stays, Yes, No };
  struct Case {
    const char* What;
    std::vector<std::vector<int>> Frames;
    Outcome Then;
    uitest::Pointer At = {};
  };
  const Case cases[] = {
      {"CANCEL on NO", {{InputRowCancel}}, No},
      {"Left, then CANCEL on YES", {{InputRowLeft}, {}, {InputRowCancel}}, No},
      {"Left, then SELECT", {{InputRowLeft}, {}, {InputRowSelect}}, Yes},
      {"Right, then SELECT", {{InputRowRight}, {}, {InputRowSelect}}, Yes},
      {"Left held, then SELECT", {{InputRowLeft}, {InputRowLeft}, {InputRowLeft}, {}, {InputRowSelect}}, Yes},
      {"Left, Right, then SELECT", {{InputRowLeft}, {}, {InputRowRight}, {}, {InputRowSelect}}, No},
      {"a click on YES", {{}, {}}, Stays, {true, 500, 470}},
  };
  for (const Case& c : cases) {
    Root()->SetChild(nullptr);
    uitest::ClearInput();
    StopFade();
    WarnAndOpen();
    for (const auto& rows : c.Frames) Step(rows, c.At);
    Step();
    switch (c.Then) {
      case Stays: EXPECT_EQ(W->GetPhase(), ScreenActive) << c.What; break;
      case Yes: EXPECT_EQ(W->GetPhase(), CGameInputDeleteCheck::PhaseLeaving) << c.What; break;
      case No: EXPECT_TRUE(BackOnTheMenu()) << c.What; break;
    }
  }
}

TEST_F(NewGameWarning, YesFadesOutAndPutsTheClassSelectionOnTheMenuInItsPlace) {
  WarnAndOpen();
  Step({InputRowLeft});
  Step();
  Step({InputRowSelect});
  EXPECT_EQ(Fade()->FadeValue, 16);
  EXPECT_EQ(Fade()->FadeTarget, 255);
  RunUntil([&] { return W->GetPhase() == ScreenClosed; });
  CGameInputTitleCharacterSelect* classes = GetGameInputTitleCharacterSelect();
  EXPECT_EQ(Root()->GetChild(), T);
  EXPECT_EQ(T->GetChild(), classes) << "the warning left the chain";
  EXPECT_EQ(classes->GetParent(), T);
  EXPECT_EQ(T->GetPhase(), ScreenCovered);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "fading back in";
  EXPECT_TRUE(Folder.Names().empty()) << "nothing was written";

  // Going back from the classes lands on the menu, not on the warning.
  RunUntil([&] { return classes->GetPhase() == ScreenActive; });
  Step({InputRowCancel});
  RunUntil([&] { return T->GetPhase() == ScreenActive; });
  EXPECT_EQ(T->GetChild(), nullptr);
  EXPECT_EQ(classes->GetPhase(), ScreenClosed);
}

}  // namespace
