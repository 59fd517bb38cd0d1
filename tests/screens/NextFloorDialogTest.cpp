// The next-floor question over the play screen: NO first, one answer a
// frame, and nothing pressed to answer left for the play screen.
#include <gtest/gtest.h>

#include <vector>

#include "app/CGameState.h"
#include "screens/CGameInputNext.h"
#include "screens/TitleTestSupport.h"
#include "ui/CGameInputMain.h"

namespace {

using namespace titletest;
using Next = CGameInputNext;

constexpr ScreenId NextFloor = 23;
constexpr SoundEffectId GoOn = 34;
constexpr int Dash = InputRowFirstAction + 5, Direction = InputRowFirstAction + 7;

class NextFloorDialog : public TitleFixture {
protected:
  NextFloorDialog() {
    Game()->Player = &Player;
    Player.actionPoints = 2;
    GetStateController()->Reset();
  }
  ~NextFloorDialog() override {
    GetStateController()->Reset();
    Play.SetChild(nullptr);
    D->SetParent(nullptr);
  }
  void Open() { PushOverStub(Play, NextFloor); }
  bool Gone() const { return Play.GetChild() == nullptr; }
  static GameStateId State() { return GetStateController()->GetStateId(); }

  ParentStub Play;
  Next* D = GetGameInputNext();
};

TEST_F(NextFloorDialog, OpensOnNoCentredUnderTheTopAndClosesTheMessage) {
  GetGameInputMain()->ShowMessage("YOU GOT NOTHING.");
  D->Chosen = Next::ChoiceYes;
  Open();
  EXPECT_FALSE(GetGameInputMain()->IsMessageShown());
  EXPECT_EQ(D->Chosen, Next::ChoiceNo);
  EXPECT_EQ(D->QuestionWindow.X, 490);
  EXPECT_EQ(D->QuestionWindow.Y, 80);
  EXPECT_STREQ(D->QuestionWindow.GetText(), "CONTINUE ON?");
  EXPECT_STREQ(D->YesWindow.GetText(), "YES");
  EXPECT_STREQ(D->NoWindow.GetText(), "NO");
  EXPECT_EQ(D->NoWindow.GetRed(), 255);
  EXPECT_EQ(D->YesWindow.GetRed(), 64);
  // The answers stand inside the question window.
  EXPECT_EQ(D->YesWindow.GetX(), D->QuestionWindow.GetX() + 25);
  EXPECT_EQ(D->NoWindow.GetY(), D->QuestionWindow.GetY() + 70);

  Step({InputRowLeft});
  EXPECT_EQ(D->Chosen, Next::ChoiceYes);
  EXPECT_EQ(D->YesWindow.GetRed(), 255);
  EXPECT_EQ(D->NoWindow.GetGreen(), 64);
  EXPECT_TRUE(SoundSpy::Played(Click));
}

TEST_F(NextFloorDialog, AnswersAsTheChoiceStandsWhenSelectOrCancelComes) {
  enum Outcome { Asking, Stays, GoesOn };
  struct Case {
    const char* What;
    std::vector<std::vector<int>> Frames;
    Outcome Then;
  };
  const Case cases[] = {
      {"SELECT at once", {{InputRowSelect}}, Stays},
      {"CANCEL at once", {{InputRowCancel}}, Stays},
      {"Left, then SELECT", {{InputRowLeft}, {}, {InputRowSelect}}, GoesOn},
      {"Right, then SELECT", {{InputRowRight}, {}, {InputRowSelect}}, GoesOn},
      {"Left twice, then SELECT", {{InputRowLeft}, {}, {InputRowLeft}, {}, {InputRowSelect}}, Stays},
      {"Left held, then SELECT", {{InputRowLeft}, {InputRowLeft}, {InputRowLeft}, {InputRowSelect}}, GoesOn},
      {"CANCEL on YES", {{InputRowLeft}, {}, {InputRowCancel}}, Stays},
      {"CANCEL and SELECT together on YES", {{InputRowLeft}, {}, {InputRowCancel, InputRowSelect}}, Stays},
      // The move takes the frame; SELECT, still fresh, answers in the next.
      {"Left and SELECT together", {{InputRowLeft, InputRowSelect}}, Asking},
      {"Left and SELECT together, then a frame", {{InputRowLeft, InputRowSelect}, {}}, GoesOn},
      {"MENU and ATTACK", {{InputRowFirstAction + 6, InputRowAttack}}, Asking},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Root()->SetChild(nullptr);
    GetStateController()->Reset();
    uitest::ClearInput();
    Player.actionPoints = 2;
    Open();
    for (const auto& rows : c.Frames) Step(rows);
    switch (c.Then) {
      case Asking:
        EXPECT_EQ(Play.GetChild(), D);
        EXPECT_EQ(State(), 0);
        break;
      case Stays:
        EXPECT_TRUE(Gone());
        EXPECT_EQ(State(), 0);
        EXPECT_EQ(Player.actionPoints, 2);
        EXPECT_FALSE(SoundSpy::Played(GoOn));
        break;
      case GoesOn:
        EXPECT_TRUE(Gone());
        EXPECT_EQ(State(), StateStageEnd);
        EXPECT_EQ(Player.actionPoints, 0);
        EXPECT_TRUE(SoundSpy::Played(GoOn));
        break;
    }
  }
}

// SELECT and CANCEL in one frame close the dialog once, as NO, whichever
// answer was chosen; neither is left to act on the play screen.
TEST_F(NextFloorDialog, SelectAndCancelTogetherCloseItOnceAsNo) {
  for (int lefts : {0, 1}) {
    SCOPED_TRACE(lefts);
    Root()->SetChild(nullptr);
    GetStateController()->Reset();
    uitest::ClearInput();
    Open();
    for (int i = 0; i < lefts; ++i) {
      Step({InputRowLeft});
      Step();
    }
    Step({InputRowSelect, InputRowCancel});
    EXPECT_TRUE(Gone());
    EXPECT_EQ(State(), 0);
    // A screen the play screen opens next is not taken off by a second answer.
    ParentStub other;
    Play.SetChild(&other);
    for (int i = 0; i < 5; ++i) {
      Step({InputRowSelect, InputRowCancel});
      EXPECT_FALSE(IsSelectTriggered());
      EXPECT_FALSE(IsCancelTriggered());
    }
    EXPECT_EQ(Play.GetChild(), &other);
    EXPECT_EQ(State(), 0);
    Play.SetChild(nullptr);
  }
}

TEST_F(NextFloorDialog, KeysPressedToAnswerDoNotReachThePlayScreen) {
  Open();
  Step({Direction, Dash});
  Step({Direction, Dash, InputRowAttack, InputRowSelect});
  ASSERT_TRUE(Gone());
  Step({Direction, Dash, InputRowAttack});
  CMyInput* input = GetInput();
  // DIRECTION and DASH still count as held, but are no fresh press.
  for (int row : {Direction, Dash}) {
    EXPECT_TRUE(IsInputHeld(input->InputHistory[row])) << row;
    EXPECT_FALSE(HasPressEdge(input->InputHistory[row])) << row;
  }
  // ATTACK counts only once it has been let go and pressed anew.
  EXPECT_FALSE(IsAttackHeld());
  Step();
  Step({InputRowAttack});
  EXPECT_TRUE(IsAttackHeld());
  EXPECT_TRUE(IsAttackTriggered());
}

}  // namespace
