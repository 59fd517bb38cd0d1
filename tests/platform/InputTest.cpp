// The input object, fed as the main loop feeds it: SDL events through the
// event pump and the game's dispatch, then one Update per frame.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "app/Application.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "system/SysInput.h"
#include "system/SysKeys.h"
#include "system/SysPlatform.h"
#include "system/SysWindow.h"
#include "system/SysWindowFollow.h"

namespace {

std::uint8_t FakeKeys[SDL_NUM_SCANCODES];
const std::uint8_t* FakeKeyboard(int* count) {
  *count = SDL_NUM_SCANCODES;
  return FakeKeys;
}

void Push(const SDL_Event& event) { ASSERT_EQ(SDL_PushEvent(const_cast<SDL_Event*>(&event)), 1); }

// Everything queued goes through the main loop's pump and dispatch.
void Pump() {
  SysEvent event;
  while (SysPollEvent(event)) DispatchEvent(event);
}

void Key(SDL_Keycode key, SDL_Scancode code, bool down, Uint16 mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = code;
  event.key.keysym.mod = mod;
  Push(event);
  Pump();
}

void Focus(bool gained) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
  Push(event);
  Pump();
}

// Button events carry the cursor's position, as SDL's own do.
int MouseX = 0, MouseY = 0;

void MouseMove(int x, int y, bool leftDown) {
  MouseX = x;
  MouseY = y;
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  event.motion.state = leftDown ? SDL_BUTTON_LMASK : 0;
  Push(event);
  Pump();
}

void MouseButton(Uint8 button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.x = MouseX;
  event.button.y = MouseY;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  Push(event);
  Pump();
}

class Input : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SysInitVideo());
    // The pointer maps one to one, whatever window an earlier test left:
    // the window as large as the back buffer.
    BackBufferScale = 1;
    SysSetWindowClientSize(320, 180);
    Pump();
    std::memset(FakeKeys, 0, sizeof FakeKeys);
    SysSetKeyboardStateSource(&FakeKeyboard);
    InitDirectInputMouse();
    MouseMove(0, 0, false);
    input = GetInput();
    *input = CMyInput();
  }
  void TearDown() override {
    SysSetKeyboardStateSource(nullptr);
    // No key pressed here is left for another test's frames to act on.
    *input = CMyInput();
  }

  void Frames(int count) {
    for (int i = 0; i < count; ++i) input->Update();
  }
  std::int32_t Newest(int row) const { return input->InputHistory[row][0]; }
  // The newest entry of each of rows 4-22 (actions 0-18).
  void ExpectActionsDown(std::initializer_list<int> actions) {
    for (int action = 0; action < InputActionCount; ++action) {
      bool listed = false;
      for (int a : actions) listed = listed || a == action;
      // Unlisted rows may read -1: a new direction cancels its opposite.
      EXPECT_EQ(Newest(InputRowFirstAction + action) > 0, listed) << "action " << action;
    }
  }

  CMyInput* input = nullptr;
};

TEST_F(Input, DefaultKeysDriveTheirActions) {
  struct Case {
    SDL_Keycode Key;
    SDL_Scancode Code;
    std::initializer_list<int> Actions;
  };
  const Case cases[] = {
      {SDLK_UP, SDL_SCANCODE_UP, {0}},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, {1}},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, {2}},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, {3}},
      {SDLK_x, SDL_SCANCODE_X, {4, 18}},  // Attack, Cancel
      {SDLK_z, SDL_SCANCODE_Z, {5, 17}},  // Dash, Select
      {SDLK_s, SDL_SCANCODE_S, {6}},
      {SDLK_a, SDL_SCANCODE_A, {7}},
      {SDLK_c, SDL_SCANCODE_C, {8}},
      {SDLK_d, SDL_SCANCODE_D, {9}},
      {SDLK_q, SDL_SCANCODE_Q, {10}},
      {SDLK_1, SDL_SCANCODE_1, {11, 12, 15, 16}},
      {SDLK_l, SDL_SCANCODE_L, {13}},
      {SDLK_r, SDL_SCANCODE_R, {14}},
      {SDLK_b, SDL_SCANCODE_B, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Key);
    Key(c.Key, c.Code, true);
    Frames(1);
    ExpectActionsDown(c.Actions);
    Key(c.Key, c.Code, false);
    Frames(1);
    ExpectActionsDown({});
  }
}

TEST_F(Input, HistoriesCountHeldAndIdleFrames) {
  Frames(3);
  Key(SDLK_s, SDL_SCANCODE_S, true);
  const std::int32_t* menu = input->InputHistory[InputRowFirstAction + 6];
  for (int frame = 1; frame <= 5; ++frame) {
    Frames(1);
    EXPECT_EQ(CMyInput::CountHeldFrames(menu), frame);
    EXPECT_EQ(CMyInput::CountIdleFrames(menu), 0);
  }
  Key(SDLK_s, SDL_SCANCODE_S, false);
  Frames(1);
  EXPECT_EQ(CMyInput::CountHeldFrames(menu), 0);
  EXPECT_EQ(CMyInput::CountIdleFrames(menu), 1);
  Frames(2);
  EXPECT_EQ(CMyInput::CountIdleFrames(menu), 3);
  Frames(InputHistoryLength);
  EXPECT_EQ(CMyInput::CountIdleFrames(menu), InputHistoryLength);
}

TEST_F(Input, AConsumedPressStaysConsumedUntilReleased) {
  Key(SDLK_UP, SDL_SCANCODE_UP, true);
  Frames(1);
  EXPECT_TRUE(input->IsUpTriggered());
  for (std::int32_t& entry : input->InputHistory[InputRowUp]) entry = -1;
  Frames(3);
  EXPECT_EQ(Newest(InputRowUp), -1);
  EXPECT_FALSE(input->IsUpTriggered());
  Key(SDLK_UP, SDL_SCANCODE_UP, false);
  Frames(1);
  Key(SDLK_UP, SDL_SCANCODE_UP, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowUp), 1);
  EXPECT_TRUE(input->IsUpTriggered());
}

TEST_F(Input, TriggersFireOnTheFirstFrameOnlyAndNeedAnUpdate) {
  Key(SDLK_LEFT, SDL_SCANCODE_LEFT, true);
  input->Updated = false;
  input->InputHistory[InputRowLeft][0] = 1;
  EXPECT_FALSE(input->IsLeftTriggered());
  input->InputHistory[InputRowLeft][0] = 0;
  Frames(1);
  EXPECT_TRUE(input->IsLeftTriggered());
  EXPECT_FALSE(input->IsRightTriggered());
  Frames(1);
  EXPECT_FALSE(input->IsLeftTriggered());
}

TEST_F(Input, TheDirectionPressedLastWinsUntilTheOtherIsReleased) {
  Key(SDLK_UP, SDL_SCANCODE_UP, true);
  Frames(2);
  Key(SDLK_DOWN, SDL_SCANCODE_DOWN, true);
  Frames(1);
  EXPECT_TRUE(input->IsDownTriggered());
  for (std::int32_t entry : input->InputHistory[InputRowUp]) EXPECT_EQ(entry, -1);
  Frames(5);
  EXPECT_EQ(Newest(InputRowUp), -1);
  EXPECT_EQ(Newest(InputRowDown), 1);
  // Up comes back only after it is released and pressed again, and then
  // takes Down away in turn.
  Key(SDLK_UP, SDL_SCANCODE_UP, false);
  Frames(1);
  Key(SDLK_UP, SDL_SCANCODE_UP, true);
  Frames(1);
  EXPECT_TRUE(input->IsUpTriggered());
  EXPECT_EQ(Newest(InputRowDown), -1);

  // Left and right behave alike.
  Key(SDLK_RIGHT, SDL_SCANCODE_RIGHT, true);
  Frames(2);
  Key(SDLK_LEFT, SDL_SCANCODE_LEFT, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowRight), -1);
  EXPECT_EQ(Newest(InputRowLeft), 1);
}

TEST_F(Input, KeysWithAltHeldAreDroppedButTheirReleaseCounts) {
  Key(SDLK_x, SDL_SCANCODE_X, true, KMOD_LALT);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 0);

  // Pressed plainly, released while Alt is down: the key must not stick.
  Key(SDLK_x, SDL_SCANCODE_X, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 1);
  Key(SDLK_LALT, SDL_SCANCODE_LALT, true, KMOD_LALT);
  Key(SDLK_x, SDL_SCANCODE_X, false, KMOD_LALT);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 0);
  EXPECT_EQ(input->KeyDown[0x12], 0);  // Alt itself is a system key
}

TEST_F(Input, AKeyHeldWhileFocusIsLostDoesNotStick) {
  Key(SDLK_x, SDL_SCANCODE_X, true);
  FakeKeys[SDL_SCANCODE_F5] = 1;
  MouseButton(SDL_BUTTON_LEFT, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 1);
  EXPECT_EQ(Newest(InputRowF1 + 4), 1);
  EXPECT_EQ(Newest(InputRowPointer), 1);

  Focus(false);
  Frames(2);
  for (int row = 0; row <= InputRowPointer; ++row) EXPECT_EQ(Newest(row), 0) << row;
  EXPECT_FALSE(input->IsUpTriggered());

  // The key goes up in another window: no key-up reaches us.
  FakeKeys[SDL_SCANCODE_F5] = 0;
  Focus(true);
  Frames(1);
  for (int row = 0; row <= InputRowPointer; ++row) EXPECT_EQ(Newest(row), 0) << row;

  // A fresh press works as ever.
  Key(SDLK_x, SDL_SCANCODE_X, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 1);
}

TEST_F(Input, FunctionKeysComeFromTheKeyboardState) {
  // F10 never arrives as a key message; polling still sees it.
  FakeKeys[SDL_SCANCODE_F10] = 1;
  FakeKeys[SDL_SCANCODE_F1] = 1;
  Frames(1);
  for (int f = 0; f < 12; ++f) EXPECT_EQ(Newest(InputRowF1 + f), f == 0 || f == 9 ? 1 : 0) << f;
}

TEST_F(Input, ATapBetweenTwoFramesReadsAsPressedThenReleased) {
  struct Case {
    const char* Name;
    void (*Press)(bool down);
    int Row;
  };
  const Case cases[] = {
      {"X", [](bool down) { Key(SDLK_x, SDL_SCANCODE_X, down); }, InputRowFirstAction + 4},
      // Polling the keyboard state misses a tap of F5; its message does not.
      {"F5",
       [](bool down) {
         FakeKeys[SDL_SCANCODE_F5] = down;
         Key(SDLK_F5, SDL_SCANCODE_F5, down);
       },
       InputRowF1 + 4},
      {"left button", [](bool down) { MouseButton(SDL_BUTTON_LEFT, down); }, InputRowPointer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Frames(2);
    c.Press(true);
    c.Press(false);
    Frames(1);
    EXPECT_EQ(Newest(c.Row), 1);
    Frames(1);
    EXPECT_EQ(Newest(c.Row), 0);
    EXPECT_EQ(input->IsClicked(), c.Row == InputRowPointer);

    // Held over frames and let go, as ever.
    c.Press(true);
    Frames(3);
    EXPECT_EQ(CMyInput::CountHeldFrames(input->InputHistory[c.Row]), 3);
    c.Press(false);
    Frames(1);
    EXPECT_EQ(Newest(c.Row), 0);
  }
  // A tap before the focus went elsewhere is gone with it.
  Key(SDLK_x, SDL_SCANCODE_X, true);
  Key(SDLK_x, SDL_SCANCODE_X, false);
  MouseButton(SDL_BUTTON_LEFT, true);
  MouseButton(SDL_BUTTON_LEFT, false);
  Focus(false);
  Focus(true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 0);
  EXPECT_EQ(Newest(InputRowPointer), 0);
}

// Frames on which the row went down: one a press.
int Triggers(const std::int32_t* history, int frames) {
  int n = 0;
  for (int i = 0; i < frames; ++i) n += history[i] != 0 && history[i + 1] == 0;
  return n;
}

// Presses that come and go within one slow frame each trigger once, on
// frames of their own; a held key triggers once however long it is held.
TEST_F(Input, EachPressTriggersOnceHoweverSlowTheFrame) {
  const std::uint32_t keys[] = {'X', 0x74};  // an action's key, F5
  for (const std::uint32_t vk : keys) {
    const int row = vk == 'X' ? InputRowFirstAction + 4 : InputRowF1 + 4;
    SCOPED_TRACE(vk);
    struct Case {
      const char* Name;
      int Presses;  // within one frame
      bool HeldAfter;
      int Expected;
    };
    const Case cases[] = {{"one tap", 1, false, 1}, {"two taps", 2, false, 2}, {"three taps", 3, false, 3},
                          {"a tap, then held", 2, true, 2}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.Name);
      *input = CMyInput();
      Frames(3);
      for (int i = 0; i < c.Presses; ++i) {
        input->OnKeyMessage(vk, WM_KEYDOWN);
        if (i + 1 < c.Presses || !c.HeldAfter) input->OnKeyMessage(vk, WM_KEYUP);
      }
      // Auto-repeat is no press.
      if (c.HeldAfter) input->OnKeyMessage(vk, WM_KEYDOWN, true);
      Frames(12);
      EXPECT_EQ(Triggers(input->InputHistory[row], 12), c.Expected);
      EXPECT_EQ(Newest(row), c.HeldAfter ? 1 : 0);
    }
  }
}

// A held press consumed by the screen that took it, let go and pressed
// again between two frames, is a new press.
TEST_F(Input, APressAfterAConsumedOneIsNewEvenWithinOneFrame) {
  const int row = InputRowFirstAction + 4;
  input->OnKeyMessage('X', WM_KEYDOWN);
  Frames(2);
  for (std::int32_t& entry : input->InputHistory[row]) entry = -1;
  input->OnKeyMessage('X', WM_KEYUP);
  input->OnKeyMessage('X', WM_KEYDOWN);
  Frames(3);
  EXPECT_EQ(Triggers(input->InputHistory[row], 3), 1);
  EXPECT_EQ(Newest(row), 1);
}

// The key as SDL made it, handed over inside its pump: when the loop takes
// the event out of the queue frames later, the press is not counted again,
// so one press never triggers twice.
TEST_F(Input, AKeyTheLoopTakesLateTriggersOnce) {
  SysObserveInput(&HandInputEvent);
  struct Case {
    SDL_Keycode Key;
    SDL_Scancode Code;
    int Row;
  };
  const Case cases[] = {{SDLK_x, SDL_SCANCODE_X, InputRowFirstAction + 4}, {SDLK_F5, SDL_SCANCODE_F5, InputRowF1 + 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Row);
    const std::uint32_t vk = c.Key == SDLK_x ? 'X' : 0x74;
    const std::uint32_t before = input->KeyPresses[vk];
    for (const bool down : {true, false}) {
      SDL_Event event{};
      event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.sym = c.Key;
      event.key.keysym.scancode = c.Code;
      Push(event);
    }
    Frames(2);
    Pump();
    Frames(4);
    EXPECT_EQ(input->KeyPresses[vk], before + 1);
    EXPECT_EQ(Triggers(input->InputHistory[c.Row], 6), 1);
  }
  SysObserveInput(nullptr);
}

TEST_F(Input, CodesOf256AndAboveAreRefused) {
  input->OnKeyMessage(0x158, WM_KEYDOWN);  // would alias 'X' if masked
  Frames(1);
  ExpectActionsDown({});
  EXPECT_FALSE(input->SetKeyBinding(0x158, 0));
  EXPECT_EQ(input->KeyBindingTable[0], 38u);
  // A table entry written past the check reads as up, not as another key.
  input->KeyBindingTable[6] = 0x158;
  input->OnKeyMessage('X', WM_KEYDOWN);
  Frames(1);
  ExpectActionsDown({4, 18});
}

TEST_F(Input, KeyRebindingSwapsWithinItsGroup) {
  struct Case {
    std::uint32_t Vk;
    int Entry;
    std::initializer_list<std::pair<int, std::uint32_t>> Expect;
  };
  const Case cases[] = {
      // 'X' to Up: Attack (which held 'X') takes the arrow; Cancel keeps 'X'.
      {'X', 0, {{0, 'X'}, {4, 38}, {18, 'X'}}},
      // '1' to Map: all of 11 and 12 take 'Q'; 15 and 16 keep '1'.
      {'1', 10, {{10, '1'}, {11, 'Q'}, {12, 'Q'}, {15, '1'}, {16, '1'}}},
      // 'Z' to Cancel: Select takes 'X'; Dash keeps 'Z'.
      {'Z', 18, {{18, 'Z'}, {17, 'X'}, {5, 'Z'}, {4, 'X'}}},
      // A key nobody holds just replaces.
      {'P', 13, {{13, 'P'}, {14, 'R'}}},
      // The same key again changes nothing.
      {'S', 6, {{6, 'S'}}},
  };
  for (const Case& c : cases) {
    CMyInput fresh;
    EXPECT_TRUE(fresh.SetKeyBinding(c.Vk, c.Entry));
    for (const auto& [entry, vk] : c.Expect)
      EXPECT_EQ(fresh.KeyBindingTable[entry], vk) << "binding " << c.Vk << " to " << c.Entry
                                                  << ", entry " << entry;
  }
  CMyInput fresh;
  EXPECT_FALSE(fresh.SetKeyBinding('X', -1));
  EXPECT_FALSE(fresh.SetKeyBinding('X', InputActionCount));
  EXPECT_EQ(std::memcmp(fresh.KeyBindingTable, CMyInput().KeyBindingTable,
                        sizeof fresh.KeyBindingTable),
            0);
}

TEST_F(Input, PadRebindingFollowsTheSwapRule) {
  // Default: one button a row.
  const int defaults[PadMatrixRows] = {PadB,  PadA,     PadY,    PadX,  PadLB,
                                       PadRB, PadStart, PadBack, PadLT, PadLB,
                                       PadRB, PadBack,  PadStart, PadA, PadB};
  CMyInput base;
  for (int row = 0; row < PadMatrixRows; ++row)
    for (int column = 0; column < PadButtonCount; ++column)
      EXPECT_EQ(base.PadBindingMatrix[row][column], column == defaults[row] ? 1 : 0)
          << row << "," << column;

  struct Case {
    int Row;
    int Column;
    bool Result;
    // Rows whose flag for Column is set afterwards.
    std::initializer_list<int> RowsWithColumn;
  };
  const Case cases[] = {
      // A to Attack: Dash (row 1) loses A; Select (row 13) keeps it.
      {0, PadA, true, {0, 13}},
      // LB to Map: Shoot loses LB; PageLeft (row 9) never loses a button.
      {6, PadLB, true, {6, 9}},
      // B to Select: Cancel (row 14) loses B; Attack keeps it.
      {13, PadB, true, {0, 13}},
      // RT to PageRight: nothing else held it.
      {10, PadRT, true, {10}},
      // A row that already holds the button.
      {0, PadB, false, {0, 14}},
      // No row: the button leaves every row but PageLeft and PageRight.
      {-1, PadLB, true, {9}},
      {-1, PadA, true, {}},
      // Out of range.
      {0, -1, false, {}},
      {0, PadButtonCount, false, {}},
      {PadMatrixRows, PadA, false, {1, 13}},
      {-2, PadA, false, {1, 13}},
  };
  for (const Case& c : cases) {
    CMyInput fresh;
    EXPECT_EQ(fresh.SetPadBinding(c.Row, c.Column), c.Result) << c.Row << "," << c.Column;
    if (c.Column < 0 || c.Column >= PadButtonCount) {
      EXPECT_EQ(std::memcmp(fresh.PadBindingMatrix, base.PadBindingMatrix,
                            sizeof base.PadBindingMatrix),
                0);
      continue;
    }
    for (int row = 0; row < PadMatrixRows; ++row) {
      bool listed = false;
      for (int r : c.RowsWithColumn) listed = listed || r == row;
      EXPECT_EQ(fresh.PadBindingMatrix[row][c.Column], listed ? 1 : 0)
          << "case " << c.Row << "," << c.Column << " row " << row;
    }
  }
}

TEST_F(Input, UnbindPadButtonWorksOnTheInputObject) {
  EXPECT_TRUE(UnbindPadButton(PadStart));
  EXPECT_EQ(input->PadBindingMatrix[6][PadStart], 0);
  EXPECT_EQ(input->PadBindingMatrix[12][PadStart], 0);
  EXPECT_FALSE(UnbindPadButton(10));
  EXPECT_FALSE(UnbindPadButton(-1));
}

TEST_F(Input, ThePointerIsScaledToLayoutUnits) {
  struct Case {
    int X, Y, Scale, LayoutX, LayoutY;
  };
  const Case cases[] = {
      {320, 180, 1, 1280, 720}, {959, 539, 3, 1278, 718}, {100, 50, 2, 200, 100},
      {7, 7, 0, 28, 28},  // no scale yet: read as 1, not a division by zero
      {-1, -1, 5, -1, -1},  // left of and above the picture: off it, never on its first pixel
  };
  for (const Case& c : cases) {
    input->MouseScale = c.Scale;
    MouseMove(c.X, c.Y, false);
    Frames(1);
    EXPECT_EQ(Newest(InputRowPointerX), c.LayoutX);
    EXPECT_EQ(Newest(InputRowPointerY), c.LayoutY);
  }
}

TEST_F(Input, AShortStillPressIsAClick) {
  struct Case {
    int HeldFrames;
    int MoveBy;
    bool Click;
  };
  const Case cases[] = {
      {1, 0, true}, {9, 0, true}, {10, 0, false}, {5, 9, true}, {5, 10, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.HeldFrames << " frames, moved " << c.MoveBy);
    *input = CMyInput();
    input->MouseScale = 4;  // one layout unit a pixel
    MouseMove(40, 40, false);
    Frames(2);
    MouseButton(SDL_BUTTON_LEFT, true);
    Frames(1);
    EXPECT_EQ(input->PressX, 40);
    MouseMove(40 + c.MoveBy, 40, true);
    Frames(c.HeldFrames - 1);
    MouseButton(SDL_BUTTON_LEFT, false);
    Frames(1);
    EXPECT_EQ(input->IsClicked(), c.Click);
    Frames(1);
    EXPECT_FALSE(input->IsClicked());
  }
}

TEST_F(Input, AHandledOrConsumedPointerStaysSoWhileHeld) {
  MouseButton(SDL_BUTTON_LEFT, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowPointer), 1);
  input->InputHistory[InputRowPointer][0] = 2;
  Frames(3);
  EXPECT_EQ(Newest(InputRowPointer), 2);
  input->InputHistory[InputRowPointer][0] = -1;
  Frames(3);
  EXPECT_EQ(Newest(InputRowPointer), -1);
  EXPECT_FALSE(input->IsClicked());
  MouseButton(SDL_BUTTON_LEFT, false);
  Frames(1);
  EXPECT_EQ(Newest(InputRowPointer), 0);
  // The right button is not the pointer.
  MouseButton(SDL_BUTTON_RIGHT, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowPointer), 0);
  EXPECT_EQ(GetMouseDevice()->Buttons[1], 1);
  MouseButton(SDL_BUTTON_RIGHT, false);
}

TEST_F(Input, AReleaseWeNeverSawIsReadFromTheNextMotion) {
  MouseButton(SDL_BUTTON_LEFT, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowPointer), 1);
  MouseMove(5, 5, false);  // the button went up outside the window
  Frames(1);
  EXPECT_EQ(Newest(InputRowPointer), 0);
}

TEST_F(Input, MouseTotalsWrapAroundHoweverFarTheyRun) {
  Frames(1);
  const DirectInputMouse* mouse = GetMouseDevice();
  const std::uint32_t wheel = static_cast<std::uint32_t>(mouse->WheelZ);
  const std::uint32_t moveX = static_cast<std::uint32_t>(mouse->MoveX);

  // Handed to the game as its pump hands each event on: SDL's queue would
  // change values this large (SDL3 carries them as floats, and sdl2-compat
  // rebuilds a pushed wheel's notches from fields SDL2 has not got).
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = INT32_MAX;
  SysInputObserveEvent(event);
  event.wheel.y = INT32_MIN;  // flipped: 2^31 notches the other way
  event.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SysInputObserveEvent(event);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.xrel = INT32_MAX;
  SysInputObserveEvent(motion);
  SysInputObserveEvent(motion);
  Frames(1);

  const std::uint64_t notches = std::uint64_t{INT32_MAX} + (std::uint64_t{1} << 31);
  EXPECT_EQ(static_cast<std::uint32_t>(mouse->WheelZ),
            static_cast<std::uint32_t>(wheel + notches * 120));
  EXPECT_EQ(static_cast<std::uint32_t>(mouse->MoveX), moveX - 2);
}

TEST_F(Input, DraggingFollowsThePointerAfterTheThreshold) {
  MouseMove(10, 10, false);
  MouseButton(SDL_BUTTON_LEFT, true);
  Frames(1);
  EXPECT_EQ(input->Dragged, 0);
  MouseMove(12, 10, true);  // 8 layout units
  Frames(1);
  EXPECT_EQ(input->Dragged, 0);
  MouseMove(13, 10, true);  // 12 units
  Frames(1);
  EXPECT_EQ(input->Dragged, 1);
  MouseMove(20, 30, true);
  Frames(1);
  EXPECT_EQ(input->DragX, 80);
  EXPECT_EQ(input->DragY, 120);
  EXPECT_EQ(input->PressX, 40);
  EXPECT_EQ(input->PressY, 40);
  MouseButton(SDL_BUTTON_LEFT, false);
}

}  // namespace
