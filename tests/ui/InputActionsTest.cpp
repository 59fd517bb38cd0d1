// The play screen's questions to the input and the screens' press tests,
// asked of the input object as key events through the game's dispatch
// leave it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/Application.h"
#include "app/CGameMain.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputMain.h"
#include "ui/InputActions.h"
#include "ui/InputTrigger.h"
#include "ui/UiTestSupport.h"

namespace {

constexpr std::uint32_t KeyUp = 38, KeyLeft = 37, KeyAttack = 'X', KeyDash = 'Z', KeyDirection = 'A',
                        KeyDiagonal = 'D', KeySelect = 'Z';

class InputActions : public ::testing::Test {
protected:
  void SetUp() override {
    uitest::ResetInput();
    savedControlType = GetGameMain()->Settings.Block.ControlType;
    GetGameMain()->Settings.Block.ControlType = 0;
  }
  void TearDown() override {
    uitest::ResetInput();
    GetGameMain()->Settings.Block.ControlType = savedControlType;
  }
  static void Press(std::initializer_list<std::uint32_t> keys) {
    for (std::uint32_t vk : keys) DispatchEvent(SysEvent{SysEventKind::KeyDown, vk});
  }
  static void Release(std::initializer_list<std::uint32_t> keys) {
    for (std::uint32_t vk : keys) DispatchEvent(SysEvent{SysEventKind::KeyUp, vk});
  }
  static void Frame() { GetInput()->Update(); }

  // The markers whose move (or turn) query answers now.
  std::vector<int> Moves() const {
    std::vector<int> out;
    for (int m = 0; m < CGameInputMain::MarkerCount; ++m)
      if (IsMoveQuery(screen, m)) out.push_back(m);
    return out;
  }
  std::vector<int> Turns() const {
    std::vector<int> out;
    for (int m = 0; m < CGameInputMain::MarkerCount; ++m)
      if (IsTurnQuery(screen, m)) out.push_back(m);
    return out;
  }

  const CGameInputMain& screen = *GetGameInputMain();
  std::uint32_t savedControlType = 0;
};

constexpr int UpLeft = 0, Up = 1, Left = 3;

TEST_F(InputActions, TwoKeysOnOneFrameAreADiagonalAtOnceAndNeverTwoStraightMoves) {
  Press({KeyUp, KeyLeft});
  for (int frame = 1; frame <= 6; ++frame) {
    Frame();
    EXPECT_EQ(Moves(), std::vector<int>{UpLeft}) << frame;
  }
}

TEST_F(InputActions, AStraightMoveAnswersFromTheThirdFrameOfItsKey) {
  Press({KeyUp});
  Frame();
  Frame();
  EXPECT_TRUE(Moves().empty());
  Frame();
  EXPECT_EQ(Moves(), std::vector<int>{Up});
  // A crossing key let go two frames ago still counts as a diagonal's half.
  Press({KeyLeft});
  Frame();
  Release({KeyLeft});
  Frame();
  Frame();
  EXPECT_TRUE(Moves().empty());
  Frame();
  EXPECT_EQ(Moves(), std::vector<int>{Up});
}

TEST_F(InputActions, DiagonalMoveSilencesTheStraightMoves) {
  Press({KeyDiagonal, KeyUp});
  for (int frame = 0; frame < 5; ++frame) Frame();
  EXPECT_TRUE(Moves().empty());
  Press({KeyLeft});
  Frame();
  EXPECT_EQ(Moves(), std::vector<int>{UpLeft});
}

TEST_F(InputActions, DirectionTurnsTheMovesIntoTurns) {
  Press({KeyDirection, KeyUp});
  for (int frame = 0; frame < 4; ++frame) Frame();
  EXPECT_TRUE(Moves().empty());
  EXPECT_EQ(Turns(), std::vector<int>{Up});
  Release({KeyDirection});
  Frame();
  EXPECT_EQ(Moves(), std::vector<int>{Up});
  EXPECT_TRUE(Turns().empty());
}

TEST_F(InputActions, AttackHeldAttacksEveryFrameAndWithDashSkips) {
  Press({KeyAttack});
  for (int frame = 0; frame < 30; ++frame) {
    Frame();
    ASSERT_TRUE(IsAttackPressed(screen)) << frame;
    ASSERT_FALSE(IsSkipTurnPressed(screen)) << frame;
  }
  Press({KeyDash});
  Frame();
  EXPECT_TRUE(IsSkipTurnPressed(screen));
}

TEST_F(InputActions, APressTriggersForTwentyFramesUnlessSwallowed) {
  Press({KeySelect});
  int triggered = 0;
  for (int frame = 0; frame < 40; ++frame) {
    Frame();
    if (IsSelectTriggered()) ++triggered;
  }
  EXPECT_EQ(triggered, 20);

  Release({KeySelect});
  Frame();
  Press({KeySelect});
  Frame();
  ASSERT_TRUE(IsSelectTriggered());
  SwallowInput(GetInput()->InputHistory[InputRowSelect]);
  EXPECT_FALSE(IsSelectTriggered());
  Frame();
  EXPECT_FALSE(IsSelectTriggered());
  EXPECT_FALSE(IsSelectHeld()) << "swallowed, it reads as up";
  Release({KeySelect});
  Frame();
  Press({KeySelect});
  Frame();
  EXPECT_TRUE(IsSelectTriggered()) << "the next press acts";
}

TEST_F(InputActions, AConsumedTriggerIsStillHeld) {
  Press({KeyDash});
  Frame();
  std::int32_t* dash = GetInput()->InputHistory[InputRowDash];
  ConsumeInputTrigger(dash);
  for (int frame = 0; frame < 3; ++frame) {
    Frame();
    EXPECT_TRUE(IsRowHeld(InputRowDash));
    EXPECT_FALSE(HasPressEdge(dash));
  }
}

TEST_F(InputActions, NothingAnswersBeforeTheFirstUpdate) {
  CMyInput* input = GetInput();
  for (auto& row : input->InputHistory) row[0] = 1;
  input->Updated = false;
  EXPECT_TRUE(Moves().empty());
  EXPECT_TRUE(Turns().empty());
  EXPECT_FALSE(IsAttackPressed(screen) || IsSkipTurnPressed(screen) || IsShootPressed(screen) ||
               IsMenuPressed(screen));
  EXPECT_FALSE(IsSelectHeld() || IsCancelHeld() || IsSelectTriggered() || IsCancelTriggered() ||
               IsPageLeftTriggered() || IsPageRightTriggered());
  input->Updated = true;
}

TEST_F(InputActions, ThePadButtonOfAnActionIsTheLowestBound) {
  CMyInput* input = GetInput();
  EXPECT_EQ(GetPadButtonForAttack(), PadB);
  EXPECT_EQ(GetPadButtonForDash(), PadA);
  EXPECT_EQ(GetPadButtonForMap(), PadStart);
  EXPECT_EQ(GetPadButtonForCancel(), PadB);
  input->PadBindingMatrix[0][PadLB] = 1;
  input->PadBindingMatrix[0][PadB] = 1;
  EXPECT_EQ(GetPadButtonForAttack(), PadB);
  input->PadBindingMatrix[5][PadRB] = 0;
  EXPECT_EQ(GetPadButtonForDiagonalMove(), -1);
}

// The on-screen pads by control type: TYPE A (and 2) moves with the first
// pad, TYPE B (and any other value) with the second pad's outer areas.
TEST_F(InputActions, ControlTypeTwoTakesTypeAsButtons) {
  CGameInputMain* main = GetGameInputMain();
  CWidget& pad = main->Pad[0];
  CWidget& outer = main->OuterAreas[0];
  pad.SetVisible(true);
  outer.SetVisible(true);
  struct Case {
    std::uint32_t Type;
    bool PadMoves;
  };
  for (const Case c : {Case{0, true}, Case{1, false}, Case{2, true}, Case{3, false}}) {
    GetGameMain()->Settings.Block.ControlType = c.Type;
    for (const CWidget* pressed : {static_cast<const CWidget*>(&pad), static_cast<const CWidget*>(&outer)}) {
      const int x = pressed->GetX() + 4, y = pressed->GetY() + 4;
      uitest::ClearInput();
      uitest::Frame({}, uitest::Pointer{true, x, y});
      EXPECT_EQ(main->IsTouchMove(0), (pressed == &pad) == c.PadMoves) << c.Type;
    }
  }
  uitest::ClearInput();
  pad.SetVisible(false);
  outer.SetVisible(false);
}

}  // namespace
