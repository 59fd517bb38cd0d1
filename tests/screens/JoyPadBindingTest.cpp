// The pad binding screen: the binding rule with its swap, DEFAULT, the
// button capture, the two label styles, and the bindings in play and after
// a restart.
#include <gtest/gtest.h>

#include <array>

#include "screens/CGameInputOptionJoyPadConfig.h"
#include "screens/ConfigTestSupport.h"

namespace {

using namespace configtest;
using Pads = CGameInputOptionJoyPadConfig;

constexpr int RowAttack = 0, RowSelect = 7;
// Cursor rows 0-8: ATTACK DASH MENU DIRECTION SHOOT DIAGONAL MAP SELECT CANCEL.
using Shown = std::array<int, Pads::BindingRows>;
constexpr Shown Factory = {PadB, PadA, PadY, PadX, PadLB, PadRB, PadStart, PadA, PadB};

Shown ShownButtons() {
  Shown shown{};
  for (int k = 0; k < Pads::BindingRows; ++k) shown[k] = FirstPadButton(Pads::RowMatrixRows[k]);
  return shown;
}

int ButtonCount(int row) {
  int n = 0;
  for (int c = 0; c < PadButtonCount; ++c) n += Input()->PadBindingMatrix[row][c];
  return n;
}

class JoyPadBinding : public ConfigFixture {
protected:
  void SetUp() override { RestoreDefaultPadBindings(); }
  void OpenOnRow(int row) {
    uitest::ClearInput();
    Open(10);
    P->Cursor = row;
    P->RefreshBindingLabels();
  }

  Pads* P = GetGameInputOptionJoyPadConfig();
};

TEST_F(JoyPadBinding, ABoundButtonSwapsWithinItsGroupAndTheOtherGroupKeepsItsButtons) {
  const struct {
    int Row, Button;
    Shown After;
  } cases[] = {
      {0, PadA, {PadA, PadB, PadY, PadX, PadLB, PadRB, PadStart, PadA, PadB}},
      {13, PadB, {PadB, PadA, PadY, PadX, PadLB, PadRB, PadStart, PadB, PadA}},
      {0, PadLT, {PadLT, PadA, PadY, PadX, PadLB, PadRB, PadStart, PadA, PadB}},
      {0, PadB, Factory},
      {6, PadY, {PadB, PadA, PadStart, PadX, PadLB, PadRB, PadY, PadA, PadB}},
  };
  for (const auto& c : cases) {
    RestoreDefaultPadBindings();
    Input()->SetPadBinding(8, PadLT);  // an unnamed play row
    BindPadButton(c.Row, c.Button);
    EXPECT_EQ(ShownButtons(), c.After) << c.Row << " on " << c.Button;
    EXPECT_EQ(ButtonCount(c.Row), 1) << "the row holds the button alone";
    if (c.Button == PadLT) {
      EXPECT_EQ(Input()->PadBindingMatrix[8][PadLT], 0) << "taken from the unnamed row";
    }
  }
}

TEST_F(JoyPadBinding, DefaultEmptiesTheUnnamedRowsAndLeavesThePageRows) {
  const CMyInput fresh;
  Input()->SetPadBinding(9, PadY);
  RestoreDefaultPadBindings();
  EXPECT_EQ(ShownButtons(), Factory);
  for (int row : {7, 8, 11, 12}) EXPECT_EQ(ButtonCount(row), 0) << row;
  EXPECT_EQ(Input()->PadBindingMatrix[9][PadY], 1);
  EXPECT_EQ(Input()->PadBindingMatrix[10][PadRB], fresh.PadBindingMatrix[10][PadRB]);
}

TEST_F(JoyPadBinding, OpensOnBackAndTheCursorWraps) {
  P->Cursor = RowAttack;
  Open(10);
  EXPECT_EQ(P->Cursor, Pads::RowBack);
  EXPECT_EQ(P->Arrow.Y, 34 + 40 * Pads::RowBack);
  EXPECT_TRUE(Press({VkDown}));
  EXPECT_EQ(P->Cursor, RowAttack);
  EXPECT_TRUE(Press({VkUp}));
  EXPECT_EQ(P->Cursor, Pads::RowBack);
  for (int i = 0; i < 8; ++i) Step({VkUp});
  EXPECT_EQ(P->Cursor, Pads::RowDefault);
}

TEST_F(JoyPadBinding, TheCaptureTakesTheLowestNewButtonAndNothingElse) {
  OpenOnRow(RowAttack);
  Press({VkSelect});
  EXPECT_EQ(P->GetPhase(), Pads::PhaseCapture);
  EXPECT_FALSE(P->Arrow.IsVisible());
  EXPECT_EQ(Blue(P->ActionLabels[RowAttack]), 0);
  EXPECT_EQ(Blue(P->ButtonLabels[RowAttack]), 0);
  // Keys, arrows and SELECT do nothing; the screen cannot be closed.
  for (std::uint32_t vk : {VkUp, VkDown, VkSelect, static_cast<std::uint32_t>('Q')}) Press({vk});
  EXPECT_EQ(P->GetPhase(), Pads::PhaseCapture);
  EXPECT_EQ(P->Cursor, RowAttack);

  Step({}, {PadY, PadX});
  EXPECT_TRUE(Played());
  Step();
  EXPECT_EQ(P->GetPhase(), ScreenActive);
  EXPECT_EQ(FirstPadButton(0), PadX);
  EXPECT_EQ(FirstPadButton(3), PadB) << "DIRECTION took ATTACK's B";
  EXPECT_EQ(TextOf(P->ButtonLabels[RowAttack]), "X");
  EXPECT_EQ(TextOf(P->ButtonLabels[3]), "B");
  EXPECT_TRUE(P->Arrow.IsVisible());
  EXPECT_EQ(Blue(P->ActionLabels[RowAttack]), 255);
  Root()->DrawLayer(0);
}

TEST_F(JoyPadBinding, PadCancelIsBoundWhileTheKeyboardCancelGivesUp) {
  OpenOnRow(RowSelect);
  Press({VkSelect});
  EXPECT_TRUE(PressPad(PadB));
  EXPECT_EQ(P->GetPhase(), ScreenActive);
  EXPECT_EQ(FirstPadButton(13), PadB);
  EXPECT_EQ(FirstPadButton(14), PadA);

  Press({VkSelect});
  EXPECT_TRUE(Press({VkCancel}));
  EXPECT_EQ(P->GetPhase(), ScreenActive);
  EXPECT_EQ(FirstPadButton(13), PadB);
}

TEST_F(JoyPadBinding, ValuesReadByNameOrAsJoystickNumbers) {
  UnbindPadButton(PadY);
  OpenOnRow(RowAttack);
  EXPECT_EQ(TextOf(P->ButtonLabels[0]), "B");
  EXPECT_EQ(TextOf(P->ButtonLabels[2]), "-");
  EXPECT_EQ(TextOf(P->ButtonLabels[6]), "START");
  EXPECT_EQ(TextOf(P->ButtonLabels[7]), "A");
  Input()->JoystickRead = true;  // a DirectInput joystick and no XInput pad
  P->RefreshBindingLabels();
  EXPECT_EQ(TextOf(P->ButtonLabels[0]), "JOY1");
  EXPECT_EQ(TextOf(P->ButtonLabels[2]), "JOY-1");
  EXPECT_EQ(TextOf(P->ButtonLabels[6]), "JOY7");
}

TEST_F(JoyPadBinding, DefaultAnswersSelectAndThePointerOnlyUnderTheCursor) {
  // Window at (440, 114): DEFAULT at y 520-559.
  constexpr int X = 520, DefaultY = 530;
  BindPadButton(0, PadRT);
  OpenOnRow(RowAttack);
  EXPECT_FALSE(Click(X, DefaultY));
  EXPECT_EQ(FirstPadButton(0), PadRT);
  P->Cursor = Pads::RowDefault;
  EXPECT_TRUE(Click(X, DefaultY));
  EXPECT_EQ(ShownButtons(), Factory);
  EXPECT_EQ(P->Cursor, Pads::RowDefault);

  BindPadButton(0, PadRT);
  EXPECT_TRUE(Press({VkSelect}));
  EXPECT_EQ(ShownButtons(), Factory);
  EXPECT_EQ(TextOf(P->ButtonLabels[0]), "B");
}

TEST_F(JoyPadBinding, AReboundButtonWorksInPlayAndSurvivesARestart) {
  OpenOnRow(RowAttack);
  Press({VkSelect});
  PressPad(PadA);
  Press({VkCancel});
  RunUntil([&] { return P->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Stub.ChildClosings, 1);

  const auto expectInPlay = [this] {
    Step({}, {PadA});
    EXPECT_TRUE(ActionDown(4)) << "ATTACK on A";
    EXPECT_TRUE(ActionDown(17)) << "and SELECT still";
    EXPECT_FALSE(ActionDown(5));
    Step({}, {PadB});
    EXPECT_TRUE(ActionDown(5)) << "DASH took ATTACK's B";
    EXPECT_TRUE(ActionDown(18));
    EXPECT_FALSE(ActionDown(4));
    Step();
  };
  expectInPlay();

  std::uint8_t before[PadMatrixRows][PadButtonCount];
  std::memcpy(before, Input()->PadBindingMatrix, sizeof before);
  ResetSingletons();
  CGameMain next;
  ASSERT_TRUE(next.LoadKeyConfig());
  EXPECT_EQ(std::memcmp(before, Input()->PadBindingMatrix, sizeof before), 0);
  expectInPlay();
}

}  // namespace
