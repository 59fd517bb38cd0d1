// Pads and joysticks through SDL's virtual devices: XInput pads are game
// controllers in slots 0-3, the DirectInput joystick the first other stick.
#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <initializer_list>
#include <memory>

#include "platform/CMyInput.h"
#include "platform/VirtualPad.h"
#include "system/SysInput.h"
#include "system/SysKeys.h"
#include "system/SysPlatform.h"

namespace {

const std::uint8_t* NoKeys(int* count) {
  static const std::uint8_t none[SDL_NUM_SCANCODES] = {};
  *count = SDL_NUM_SCANCODES;
  return none;
}

class PadInput : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SysInitVideo());
    SysSetKeyboardStateSource(&NoKeys);
    SysClosePads();
    SysOpenPads();
  }
  void TearDown() override {
    SysSetKeyboardStateSource(nullptr);
    SysClosePads();
    SysCloseJoystick();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) input.Update();
  }
  std::int32_t Newest(int row) const { return input.InputHistory[row][0]; }
  // Which of actions 0-18 read as down this frame.
  void ExpectActionsDown(std::initializer_list<int> actions) {
    for (int action = 0; action < InputActionCount; ++action) {
      bool listed = false;
      for (int a : actions) listed = listed || a == action;
      EXPECT_EQ(Newest(InputRowFirstAction + action) > 0, listed) << "action " << action;
    }
  }

  CMyInput input;
};

class XInputPad : public PadInput {
protected:
  void SetUp() override {
    PadInput::SetUp();
    pad = std::make_unique<VirtualDevice>(true);
    ASSERT_TRUE(pad->Attached());
    SysRefreshPads();
    // The pad was in place before the input object was built.
    input = CMyInput();
    ASSERT_TRUE(input.PadConnected);
    ASSERT_EQ(input.PadIndex, 0);
  }
  std::unique_ptr<VirtualDevice> pad;
};

TEST_F(PadInput, APadPluggedInLaterIsNotLookedFor) {
  input = CMyInput();
  EXPECT_FALSE(input.PadConnected);
  EXPECT_EQ(input.PadIndex, -1);
  VirtualDevice late(true);
  SysRefreshPads();
  SysPadState state;
  EXPECT_TRUE(SysGetPadState(0, state));  // the slot has it...
  late.Button(SDL_CONTROLLER_BUTTON_B, true);
  Frames(1);
  ExpectActionsDown({});  // ...but the game keeps to what it found
  EXPECT_FALSE(SysGetPadState(-1, state));
  EXPECT_FALSE(SysGetPadState(SysPadSlotCount, state));
}

TEST_F(XInputPad, DefaultButtonsDriveTheirActions) {
  struct Case {
    int Button;  // SDL controller button, or -1 / -2 for the left / right trigger
    std::initializer_list<int> Actions;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_BUTTON_A, {5, 17}},       {SDL_CONTROLLER_BUTTON_B, {4, 18}},
      {SDL_CONTROLLER_BUTTON_X, {7}},           {SDL_CONTROLLER_BUTTON_Y, {6}},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {8, 13}},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {9, 14}},
      {SDL_CONTROLLER_BUTTON_BACK, {11, 15}},   {SDL_CONTROLLER_BUTTON_START, {10, 16}},
      {-1, {12}},                               {-2, {}},
      {SDL_CONTROLLER_BUTTON_LEFTSTICK, {}},    {SDL_CONTROLLER_BUTTON_GUIDE, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Button);
    auto press = [&](bool down) {
      if (c.Button == -1)
        pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, down ? 32767 : -32768);
      else if (c.Button == -2)
        pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, down ? 32767 : -32768);
      else
        pad->Button(c.Button, down);
    };
    press(true);
    Frames(1);
    ExpectActionsDown(c.Actions);
    press(false);
    Frames(1);
    ExpectActionsDown({});
  }
  // RT works once bound.
  ASSERT_TRUE(input.SetPadBinding(2, PadRT));
  pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  Frames(1);
  ExpectActionsDown({6});
}

// What SDL saw of the devices goes through the main loop's event pump.
void PumpDeviceEvents() {
  SDL_GameControllerUpdate();
  SysEvent event;
  while (SysPollEvent(event)) {
  }
}

TEST_F(XInputPad, ATapBetweenTwoFramesReadsAsPressedThenReleased) {
  struct Case {
    const char* Name;
    int Button;  // SDL controller button, or -1 for the left trigger
    std::initializer_list<int> Actions;
  };
  const Case cases[] = {
      {"A", SDL_CONTROLLER_BUTTON_A, {5, 17}},
      {"d-pad left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, {2}},
      {"left trigger", -1, {12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    PumpDeviceEvents();
    Frames(1);
    for (bool down : {true, false}) {
      if (c.Button < 0)
        pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, down ? 32767 : -32768);
      else
        pad->Button(c.Button, down);
      PumpDeviceEvents();
    }
    Frames(1);
    ExpectActionsDown(c.Actions);
    Frames(1);
    ExpectActionsDown({});
  }
  // A trigger let go over a few steps between two frames is simply let go.
  pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
  Frames(1);
  ExpectActionsDown({12});
  for (Sint16 value : {20000, 0, -32768}) {
    pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, value);
    PumpDeviceEvents();
  }
  Frames(1);
  ExpectActionsDown({});
}

// Two presses of one button between two frames trigger twice, each on a
// frame of its own.
TEST_F(XInputPad, TwoTapsBetweenTwoFramesTriggerTwice) {
  const struct {
    const char* Name;
    int Button;
    int Row;
  } cases[] = {{"A", SDL_CONTROLLER_BUTTON_A, InputRowFirstAction + 5},
               {"Y", SDL_CONTROLLER_BUTTON_Y, InputRowFirstAction + 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    PumpDeviceEvents();
    Frames(2);
    for (int tap = 0; tap < 2; ++tap)
      for (bool down : {true, false}) {
        pad->Button(c.Button, down);
        PumpDeviceEvents();
      }
    Frames(6);
    const std::int32_t* history = input.InputHistory[c.Row];
    int triggers = 0;
    for (int i = 0; i < 6; ++i) triggers += history[i] != 0 && history[i + 1] == 0;
    EXPECT_EQ(triggers, 2);
    EXPECT_EQ(Newest(c.Row), 0);
  }
}

TEST_F(XInputPad, TheDpadIsTheFirstPovWord) {
  struct Case {
    std::initializer_list<int> Buttons;
    std::uint32_t Pov;
    std::initializer_list<int> Directions;  // actions 0-3 down
  };
  const int U = SDL_CONTROLLER_BUTTON_DPAD_UP, D = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
  const int L = SDL_CONTROLLER_BUTTON_DPAD_LEFT, R = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
  const Case cases[] = {
      {{}, SysPovCentred, {}},       {{U}, 0, {0}},
      {{U, R}, 4500, {0, 3}},        {{R}, 9000, {3}},
      {{D, R}, 13500, {1, 3}},       {{D}, 18000, {1}},
      {{D, L}, 22500, {1, 2}},       {{L}, 27000, {2}},
      {{U, L}, 31500, {0, 2}},
      // Impossible combinations: the first rule that matches wins.
      {{U, D}, 0, {0}},              {{U, D, L}, 31500, {0, 2}},
      {{L, R}, 9000, {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pov);
    for (int b : c.Buttons) pad->Button(b, true);
    Frames(1);
    EXPECT_EQ(input.PadState.Pov[0], c.Pov);
    ExpectActionsDown(c.Directions);
    for (int b : c.Buttons) pad->Button(b, false);
    Frames(2);
    ExpectActionsDown({});
  }
}

TEST_F(XInputPad, TheStickCountsBeyondHalfItsTravel) {
  struct Case {
    int Axis;
    Sint16 Value;
    std::int32_t X, Y;
    std::initializer_list<int> Directions;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -16417, -501, 0, {2}},
      {SDL_CONTROLLER_AXIS_LEFTX, -16416, -500, 0, {}},
      {SDL_CONTROLLER_AXIS_LEFTX, 16417, 501, 0, {3}},
      {SDL_CONTROLLER_AXIS_LEFTX, 16416, 500, 0, {}},
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, -1000, 0, {2}},
      // SDL's y grows downwards, XInput's upwards; the record's downwards again.
      {SDL_CONTROLLER_AXIS_LEFTY, 16417, 0, 501, {1}},
      {SDL_CONTROLLER_AXIS_LEFTY, -16417, 0, -501, {0}},
      {SDL_CONTROLLER_AXIS_LEFTY, -32768, 0, -999, {0}},
      {SDL_CONTROLLER_AXIS_RIGHTX, -32768, 0, 0, {}},  // the right stick moves nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "axis " << c.Axis << " at " << c.Value);
    pad->Axis(c.Axis, c.Value);
    Frames(1);
    EXPECT_EQ(input.PadState.X, c.X);
    EXPECT_EQ(input.PadState.Y, c.Y);
    ExpectActionsDown(c.Directions);
    pad->Axis(c.Axis, 0);
    Frames(2);
  }
}

TEST_F(XInputPad, RawStickRowsKeepXInputsSigns) {
  pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, 1234);
  pad->Axis(SDL_CONTROLLER_AXIS_LEFTY, 2000);  // down
  pad->Axis(SDL_CONTROLLER_AXIS_RIGHTX, -300);
  pad->Axis(SDL_CONTROLLER_AXIS_RIGHTY, -32768);  // fully up
  Frames(1);
  EXPECT_EQ(Newest(0), 1234);
  EXPECT_EQ(Newest(1), -2000);
  EXPECT_EQ(Newest(2), -300);
  EXPECT_EQ(Newest(3), 32767);
}

TEST_F(XInputPad, TriggersPressAbove128) {
  // The virtual trigger spans its whole axis; these land on either side.
  struct Case {
    Sint16 Axis;
    std::uint8_t Byte;
    bool Down;
  };
  const Case cases[] = {{233, 128, false}, {400, 129, true}, {-32768, 0, false}, {32767, 255, true}};
  for (const Case& c : cases) {
    pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, c.Axis);
    SysPadState state;
    ASSERT_TRUE(SysGetPadState(0, state));
    EXPECT_EQ(state.LeftTrigger, c.Byte);
    Frames(1);
    EXPECT_EQ(input.PadState.Buttons[PadLT] != 0, c.Down) << int(c.Byte);
    EXPECT_EQ(Newest(InputRowFirstAction + 12) > 0, c.Down) << int(c.Byte);
  }
}

TEST_F(XInputPad, AKeyThatIsDownOrConsumedIsNotOverwritten) {
  // Attack held on the keyboard and consumed: the pad's B leaves it consumed.
  input.OnKeyMessage('X', WM_KEYDOWN);
  Frames(1);
  for (std::int32_t& entry : input.InputHistory[InputRowFirstAction + 4]) entry = -1;
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), -1);
  // Released key, pad still held: the consumed press carries on.
  input.OnKeyMessage('X', WM_KEYUP);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), -1);
  pad->Button(SDL_CONTROLLER_BUTTON_B, false);
  Frames(1);
  EXPECT_EQ(Newest(InputRowFirstAction + 4), 0);
}

TEST_F(XInputPad, NothingCountsInTheBackground) {
  input.OnFocusLost();
  pad->Button(SDL_CONTROLLER_BUTTON_A, true);
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  pad->Axis(SDL_CONTROLLER_AXIS_LEFTY, 20000);
  Frames(2);
  for (int row = 0; row <= InputRowPointer; ++row) EXPECT_EQ(Newest(row), 0) << row;
  EXPECT_FALSE(input.IsLeftTriggered());
  input.OnFocusGained();
  Frames(1);
  ExpectActionsDown({1, 2, 5, 17});
}

TEST_F(XInputPad, AnUnpluggedPadReadsCentredAndResumesWhenBack) {
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  Frames(1);
  ExpectActionsDown({0, 4, 18});
  pad->Unplug();
  SysRefreshPads();
  Frames(1);
  EXPECT_EQ(input.PadState.Pov[0], SysPovCentred);
  EXPECT_EQ(input.PadState.Buttons[PadB], 0);
  ExpectActionsDown({});
  EXPECT_TRUE(input.PadConnected);

  // XInput gives a returning pad the free slot again.
  VirtualDevice again(true);
  SysRefreshPads();
  again.Button(SDL_CONTROLLER_BUTTON_Y, true);
  Frames(1);
  ExpectActionsDown({6});
}

// What the player is told to press follows the newest press: a key that
// went down, or a pad button, D-pad direction, trigger or stick push that
// began; something merely held does not count again. A pad that is gone
// leaves the keyboard in use.
TEST_F(XInputPad, TheNewestPressTellsWhichDeviceIsInUse) {
  EXPECT_EQ(input.LastDevice, InputDevice::Keyboard) << "before any press";
  const auto key = [this](bool down) { input.OnKeyMessage('X', down ? WM_KEYDOWN : WM_KEYUP); };
  struct Step {
    const char* What;
    std::function<void()> Do;
    InputDevice Expected;
  };
  const Step steps[] = {
      {"button A", [&] { pad->Button(SDL_CONTROLLER_BUTTON_A, true); }, InputDevice::Pad},
      {"a key while A is held", [&] { key(true); }, InputDevice::Keyboard},
      {"A still held, the key let go", [&] { key(false); }, InputDevice::Keyboard},
      {"A let go", [&] { pad->Button(SDL_CONTROLLER_BUTTON_A, false); }, InputDevice::Keyboard},
      {"the D-pad", [&] { pad->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true); }, InputDevice::Pad},
      {"a key", [&] { key(true); }, InputDevice::Keyboard},
      {"the D-pad held on", [] {}, InputDevice::Keyboard},
      {"the stick pushed", [&] { pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767); }, InputDevice::Pad},
      {"the key held on", [] {}, InputDevice::Pad},
      {"the stick barely moved back", [&] { pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, 30000); }, InputDevice::Pad},
      {"the key let go", [&] { key(false); }, InputDevice::Pad},
      {"a key again", [&] { key(true); }, InputDevice::Keyboard},
      {"the right trigger", [&] { pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767); }, InputDevice::Pad},
  };
  for (const Step& step : steps) {
    step.Do();
    Frames(1);
    EXPECT_EQ(input.LastDevice, step.Expected) << step.What;
    EXPECT_EQ(input.IsKeyboardInUse(), step.Expected == InputDevice::Keyboard) << step.What;
  }
  pad->Unplug();
  SysRefreshPads();
  Frames(1);
  EXPECT_EQ(input.LastDevice, InputDevice::Pad);
  EXPECT_TRUE(input.IsKeyboardInUse()) << "no pad to press";
}

class DirectInputJoystick : public PadInput {
protected:
  void SetUp() override {
    PadInput::SetUp();
    stick = std::make_unique<VirtualDevice>(false);
    ASSERT_TRUE(stick->Attached());
    input = CMyInput();
    ASSERT_FALSE(input.PadConnected);
    ASSERT_EQ(InitDirectInputJoystick(), 1);
  }
  void TearDown() override {
    stick->Unplug();
    EXPECT_EQ(InitDirectInputJoystick(), 0);
    PadInput::TearDown();
  }
  std::unique_ptr<VirtualDevice> stick;
};

TEST_F(DirectInputJoystick, GameControllersAreNotTheJoystick) {
  stick->Unplug();
  VirtualDevice controller(true);
  EXPECT_EQ(InitDirectInputJoystick(), 0);
}

TEST_F(DirectInputJoystick, TheHatIsAPovInHundredthsOfADegree) {
  struct Case {
    Uint8 Hat;
    std::uint32_t Pov;
    std::initializer_list<int> Directions;
  };
  const Case cases[] = {
      {SDL_HAT_CENTERED, SysPovCentred, {}}, {SDL_HAT_UP, 0, {0}},
      {SDL_HAT_RIGHTUP, 4500, {0, 3}},       {SDL_HAT_RIGHT, 9000, {3}},
      {SDL_HAT_RIGHTDOWN, 13500, {1, 3}},    {SDL_HAT_DOWN, 18000, {1}},
      {SDL_HAT_LEFTDOWN, 22500, {1, 2}},     {SDL_HAT_LEFT, 27000, {2}},
      {SDL_HAT_LEFTUP, 31500, {0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pov);
    stick->Hat(c.Hat);
    Frames(1);
    EXPECT_TRUE(input.JoystickRead);
    EXPECT_EQ(input.PadState.Pov[0], c.Pov);
    ExpectActionsDown(c.Directions);
    stick->Hat(SDL_HAT_CENTERED);
    Frames(2);
  }
}

TEST_F(DirectInputJoystick, ItsPressesAreThePadsAndAGoneStickLeavesTheKeyboard) {
  stick->Button(3, true);
  Frames(1);
  EXPECT_EQ(input.LastDevice, InputDevice::Pad);
  EXPECT_FALSE(input.IsKeyboardInUse());
  stick->Unplug();
  Frames(1);
  EXPECT_TRUE(input.IsKeyboardInUse());
}

TEST_F(DirectInputJoystick, AxesSpanPlusMinus1000AndButtonsFollowTheMatrix) {
  struct Case {
    Sint16 Value;
    std::int32_t Range;
  };
  for (const Case& c : {Case{-32768, -1000}, Case{32767, 1000}, Case{0, 0}, Case{-16417, -501},
                        Case{16384, 500}}) {
    stick->Axis(0, c.Value);
    stick->Axis(1, c.Value);
    Frames(1);
    EXPECT_EQ(input.PadState.X, c.Range);
    EXPECT_EQ(input.PadState.Y, c.Range);
    EXPECT_EQ(Newest(0), c.Range);
    EXPECT_EQ(Newest(1), c.Range);
  }
  stick->Axis(0, -32768);
  stick->Axis(1, 32767);
  Frames(1);
  ExpectActionsDown({1, 2});
  stick->Axis(0, 0);
  stick->Axis(1, 0);

  // Buttons 0-9 are the matrix's columns; button 11 is bound to nothing.
  stick->Button(3, true);
  stick->Button(11, true);
  Frames(1);
  EXPECT_EQ(input.PadState.Buttons[3], 0x80);
  EXPECT_EQ(input.PadState.Buttons[11], 0x80);
  ExpectActionsDown({6});
}

// A button or a hat direction pressed and let go between two polls.
TEST_F(DirectInputJoystick, ATapBetweenTwoPollsReadsAsPressedThenReleased) {
  const struct {
    const char* Name;
    int Button;   // or -1 for the hat
    Uint8 Hat;
    std::initializer_list<int> Actions;
  } cases[] = {{"button 3", 3, SDL_HAT_CENTERED, {6}},
               {"hat down", -1, SDL_HAT_DOWN, {1}},
               {"hat up-left", -1, SDL_HAT_LEFTUP, {0, 2}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Frames(1);
    PumpDeviceEvents();
    for (bool down : {true, false}) {
      if (c.Button >= 0)
        stick->Button(c.Button, down);
      else
        stick->Hat(down ? c.Hat : SDL_HAT_CENTERED);
      PumpDeviceEvents();
    }
    Frames(1);
    if (c.Button >= 0) {
      EXPECT_EQ(input.PadState.Buttons[c.Button], 0x80);
    }
    ExpectActionsDown(c.Actions);
    Frames(1);
    ExpectActionsDown({});
  }
}

TEST_F(DirectInputJoystick, AGoneJoystickLeavesTheRecordCleared) {
  stick->Button(1, true);
  stick->Hat(SDL_HAT_UP);
  Frames(1);
  ExpectActionsDown({0, 4, 18});
  stick->Unplug();
  Frames(1);
  EXPECT_EQ(input.PadState.Pov[0], SysPovCentred);
  EXPECT_EQ(input.PadState.Buttons[1], 0);
  ExpectActionsDown({});

  // Plugged in again, it answers from the poll after the one that finds it.
  VirtualDevice again(false);
  ASSERT_TRUE(again.Attached());
  again.Button(2, true);
  Frames(1);
  ExpectActionsDown({});
  Frames(1);
  EXPECT_EQ(input.PadState.Buttons[2], 0x80);
  ExpectActionsDown({7});
}

}  // namespace
