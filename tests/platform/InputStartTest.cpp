// The input object at the game's start, whatever came first: the pads
// opened after it was built, a window that has no focus, and key events
// that reach the queue by every way there is, each counted once, on the
// main thread.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>
#include <thread>

#include "app/Application.h"
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

// Everything queued goes through the main loop's pump and dispatch.
void Pump() {
  SysEvent event;
  while (SysPollEvent(event)) DispatchEvent(event);
}

SDL_Event XKey(bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = SDLK_x;
  event.key.keysym.scancode = SDL_SCANCODE_X;
  return event;
}

class InputStart : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SysInitVideo());
    // SDL's joysticks run, as they do when a device is attached before the
    // game opens its pads.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    SysSetKeyboardStateSource(&NoKeys);
    SysClosePads();
    SysCloseJoystick();
    Pump();
  }
  void TearDown() override {
    SysObserveInput(nullptr);
    SysSetKeyboardStateSource(nullptr);
    SysClosePads();
    SysCloseJoystick();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    *GetInput() = CMyInput();
  }
};

// The input object built before the pads are open (a key or the window's
// focus during start-up builds it) still plays with the pad found at the
// start, the first game controller before any joystick; and --verbose
// names it.
TEST_F(InputStart, TheDeviceAttachedBeforeStartPlaysWhateverCameFirst) {
  struct Case {
    bool Controller;
    bool Attached;
    const char* Line;
  };
  const Case cases[] = {
      {true, true, "Vorlumen: playing with the pad \"Test pad\" in slot 0\n"},
      {false, true, "Vorlumen: playing with the joystick \"Test stick\"\n"},
      {false, false, "Vorlumen: no pad or joystick to play with\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Line);
    std::unique_ptr<VirtualDevice> device;
    if (c.Attached) {
      device = std::make_unique<VirtualDevice>(c.Controller);
      ASSERT_TRUE(device->Attached());
    }
    CMyInput input;  // before the pads are open
    EXPECT_FALSE(input.PadConnected);
    SysOpenPads();
    input.Start(true);
    InitDirectInputJoystick();
    EXPECT_EQ(input.DescribeDevices(), c.Line);
    EXPECT_EQ(input.PadConnected, c.Controller);
    if (!c.Attached) continue;
    // B on the pad, button 1 on the stick: Attack (action 4) either way.
    device->Button(c.Controller ? SDL_CONTROLLER_BUTTON_B : 1, true);
    input.Update();
    EXPECT_EQ(input.InputHistory[InputRowFirstAction + 4][0], 1);
    device.reset();
    SysClosePads();
    SysCloseJoystick();
  }
}

// A window that never had focus takes no input, from the first frame on,
// until it gets focus.
TEST_F(InputStart, NothingCountsBeforeTheWindowHasFocus) {
  VirtualDevice pad(true);
  ASSERT_TRUE(pad.Attached());
  SysOpenPads();
  CMyInput input;
  input.Start(false);
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  input.OnKeyMessage('X', WM_KEYDOWN);
  input.Update();
  EXPECT_EQ(input.InputHistory[InputRowFirstAction + 4][0], 0);
  EXPECT_FALSE(input.HasKeyPress('X'));
  input.OnFocusGained();
  pad.Button(SDL_CONTROLLER_BUTTON_B, false);
  input.Update();
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  input.Update();
  EXPECT_EQ(input.InputHistory[InputRowFirstAction + 4][0], 1);
}

// However a key press reaches the queue, the game counts it exactly once,
// and on the main thread: one pushed elsewhere waits for the main loop.
TEST_F(InputStart, AKeyPressCountsOnceHoweverItCame) {
  enum class Way { PushedHere, PushedBeforeTheObserver, PushedFromAnotherThread, AddedPastTheWatches };
  struct Case {
    Way How;
    bool CountedBeforeTheLoop;
    const char* Name;
  };
  const Case cases[] = {
      {Way::PushedHere, true, "pushed on the main thread"},
      {Way::PushedBeforeTheObserver, false, "queued before the observer was set"},
      {Way::PushedFromAnotherThread, false, "pushed from another thread"},
      {Way::AddedPastTheWatches, false, "added with SDL_PeepEvents"},
  };
  CMyInput* input = GetInput();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    *input = CMyInput();
    input->Start(true);
    SysObserveInput(c.How == Way::PushedBeforeTheObserver ? nullptr : &HandInputEvent);
    for (const bool down : {true, false}) {
      SDL_Event key = XKey(down);
      switch (c.How) {
        case Way::PushedHere:
        case Way::PushedBeforeTheObserver:
          ASSERT_EQ(SDL_PushEvent(&key), 1);
          break;
        case Way::PushedFromAnotherThread:
          std::thread([&key] { SDL_PushEvent(&key); }).join();
          break;
        case Way::AddedPastTheWatches:
          ASSERT_EQ(SDL_PeepEvents(&key, 1, SDL_ADDEVENT, 0, 0), 1);
          break;
      }
    }
    EXPECT_EQ(input->KeyPresses['X'], c.CountedBeforeTheLoop ? 1u : 0u);
    SysObserveInput(&HandInputEvent);
    Pump();
    input->Update();
    EXPECT_EQ(input->KeyPresses['X'], 1u);
    EXPECT_TRUE(input->TakeKeyPress('X'));
    EXPECT_FALSE(input->TakeKeyPress('X'));
  }
}

}  // namespace
