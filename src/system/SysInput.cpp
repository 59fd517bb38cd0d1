#include "system/SysInput.h"

#include <SDL.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Slots hold instance ids, never pointers: after SDL_Quit an id simply
// finds nothing.
SDL_JoystickID PadSlots[SysPadSlotCount] = {-1, -1, -1, -1};
SDL_JoystickID JoystickId = -1;
SysMouseState Mouse;

// What went down since the last read, so that a press and release between
// two reads still reads as one press: mouse buttons, pad buttons (XInput
// bits), how high each trigger rose, joystick buttons, and the last
// direction each joystick hat took.
std::uint8_t MousePressed[8] = {};
struct PadPresses {
  std::uint16_t Buttons = 0;
  std::uint8_t Count[16] = {};  // by button bit
  std::uint8_t Rise[2] = {};   // left, right: the highest value reached while rising
  std::uint8_t Level[2] = {};  // the last value seen, to tell a rise from a fall
};
PadPresses PadLatches[SysPadSlotCount];
std::uint8_t JoystickPressed[128] = {};
std::uint8_t JoystickHatPressed[4] = {};

struct ButtonBit {
  SDL_GameControllerButton Button;
  std::uint16_t Bit;
};
constexpr ButtonBit PadButtonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, SysPadDpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SysPadDpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SysPadDpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SysPadDpadRight},
    {SDL_CONTROLLER_BUTTON_START, SysPadStart},
    {SDL_CONTROLLER_BUTTON_BACK, SysPadBack},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, SysPadLeftThumb},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, SysPadRightThumb},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SysPadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SysPadRightShoulder},
    {SDL_CONTROLLER_BUTTON_A, SysPadA},
    {SDL_CONTROLLER_BUTTON_B, SysPadB},
    {SDL_CONTROLLER_BUTTON_X, SysPadX},
    {SDL_CONTROLLER_BUTTON_Y, SysPadY},
};

std::uint8_t TriggerByte(Sint16 value) {
  return static_cast<std::uint8_t>(value <= 0 ? 0 : value * 255 / 32767);
}

int SlotOf(SDL_JoystickID id) {
  for (int slot = 0; slot < SysPadSlotCount; ++slot)
    if (PadSlots[slot] == id) return slot;
  return -1;
}

// Sees pad and joystick events the moment SDL makes them, in step with the
// state it reads: a press the state already shows is not counted again
// later, when the event comes out of the queue.
int SDLCALL WatchPresses(void*, SDL_Event* event) {
  switch (event->type) {
    case SDL_CONTROLLERBUTTONDOWN: {
      const int slot = SlotOf(event->cbutton.which);
      if (slot < 0) break;
      for (const ButtonBit& b : PadButtonBits) {
        if (b.Button != event->cbutton.button) continue;
        PadPresses& latch = PadLatches[slot];
        latch.Buttons |= b.Bit;
        const int bit = std::countr_zero(b.Bit);
        if (latch.Count[bit] < 255) ++latch.Count[bit];
      }
      break;
    }
    case SDL_CONTROLLERAXISMOTION: {
      const int slot = SlotOf(event->caxis.which);
      if (slot < 0) break;
      const int trigger = event->caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT    ? 0
                          : event->caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT ? 1
                                                                                  : -1;
      if (trigger < 0) break;
      // A trigger let go slowly passes high values on its way down; only a
      // rise is a press.
      PadPresses& latch = PadLatches[slot];
      const std::uint8_t value = TriggerByte(event->caxis.value);
      if (value > latch.Level[trigger]) latch.Rise[trigger] = std::max(latch.Rise[trigger], value);
      latch.Level[trigger] = value;
      break;
    }
    case SDL_JOYBUTTONDOWN:
      if (event->jbutton.which == JoystickId && event->jbutton.button < 128) JoystickPressed[event->jbutton.button] = 1;
      break;
    case SDL_JOYHATMOTION:
      if (event->jhat.which == JoystickId && event->jhat.hat < 4 && event->jhat.value != SDL_HAT_CENTERED)
        JoystickHatPressed[event->jhat.hat] = event->jhat.value;
      break;
    default:
      break;
  }
  return 0;
}

bool StartControllers() {
  // XInput reads the pad whatever window is in front; the game itself
  // ignores input while it is in the background.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // XInput's A is the lower face button whatever is printed on it.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  // Once only, also after SDL was started again.
  SDL_DelEventWatch(WatchPresses, nullptr);
  SDL_AddEventWatch(WatchPresses, nullptr);
  return true;
}

bool IsInSlot(SDL_JoystickID id) {
  for (SDL_JoystickID slot : PadSlots)
    if (slot == id) return true;
  return false;
}

void FillFreeSlots() {
  const int count = SDL_NumJoysticks();
  for (int device = 0; device < count; ++device) {
    if (!SDL_IsGameController(device)) continue;
    if (IsInSlot(SDL_JoystickGetDeviceInstanceID(device))) continue;
    int free = -1;
    for (int slot = 0; slot < SysPadSlotCount && free < 0; ++slot)
      if (PadSlots[slot] < 0) free = slot;
    if (free < 0) return;
    SDL_GameController* pad = SDL_GameControllerOpen(device);
    if (!pad) continue;
    PadSlots[free] = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
  }
}

std::int16_t Negate(Sint16 value) {
  return static_cast<std::int16_t>(value == -32768 ? 32767 : -value);
}

std::int32_t AxisRange(Sint16 value) {
  return value >= 0 ? value * 1000 / 32767 : value * 1000 / 32768;
}

// Running totals wrap around as DirectInput's do, however far they run.
std::int32_t WrappingAdd(std::int32_t total, std::int64_t step) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(total) +
                                   static_cast<std::uint32_t>(step));
}

std::uint32_t PovOfHat(Uint8 hat) {
  switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return SysPovCentred;
  }
}

// SDL numbers mouse buttons 1 left, 2 middle, 3 right; DirectInput 0 left,
// 1 right, 2 middle.
int MouseButtonIndex(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return button >= 4 && button <= 8 ? button - 1 : -1;
  }
}

}  // namespace

void SysOpenPads() {
  if (!StartControllers()) return;
  SysRefreshPads();
}

void SysRefreshPads() {
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
  for (int slot = 0; slot < SysPadSlotCount; ++slot) {
    if (PadSlots[slot] < 0) continue;
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(PadSlots[slot]);
    if (pad && SDL_GameControllerGetAttached(pad)) continue;
    if (pad) SDL_GameControllerClose(pad);
    PadSlots[slot] = -1;
    PadLatches[slot] = PadPresses{};
  }
  FillFreeSlots();
}

void SysClosePads() {
  for (SDL_JoystickID& slot : PadSlots) {
    if (slot >= 0 && SDL_WasInit(SDL_INIT_GAMECONTROLLER))
      if (SDL_GameController* pad = SDL_GameControllerFromInstanceID(slot))
        SDL_GameControllerClose(pad);
    slot = -1;
  }
  for (PadPresses& latch : PadLatches) latch = PadPresses{};
}

bool SysGetPadState(int user, SysPadState& state) {
  if (user < 0 || user >= SysPadSlotCount || PadSlots[user] < 0) return false;
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return false;
  SDL_GameControllerUpdate();
  SDL_GameController* pad = SDL_GameControllerFromInstanceID(PadSlots[user]);
  if (!pad || !SDL_GameControllerGetAttached(pad)) return false;

  PadPresses& pressed = PadLatches[user];
  state = SysPadState{};
  for (const ButtonBit& b : PadButtonBits)
    if (SDL_GameControllerGetButton(pad, b.Button)) state.Buttons |= b.Bit;
  state.Buttons |= pressed.Buttons;
  std::memcpy(state.Presses, pressed.Count, sizeof state.Presses);
  std::memset(pressed.Count, 0, sizeof pressed.Count);
  state.LeftTrigger = std::max(pressed.Rise[0],
                               TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT)));
  state.RightTrigger = std::max(pressed.Rise[1],
                                TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT)));
  pressed.Buttons = 0;
  pressed.Rise[0] = pressed.Rise[1] = 0;
  state.ThumbLX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
  state.ThumbLY = Negate(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
  state.ThumbRX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX);
  state.ThumbRY = Negate(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
  return true;
}

std::string SysPadName(int user) {
  if (user < 0 || user >= SysPadSlotCount || PadSlots[user] < 0 || !SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return "";
  SDL_GameController* pad = SDL_GameControllerFromInstanceID(PadSlots[user]);
  const char* name = pad ? SDL_GameControllerName(pad) : nullptr;
  return name ? name : "";
}

// Opens the first joystick that is not a game controller into JoystickId.
static bool OpenFirstJoystick() {
  const int count = SDL_NumJoysticks();
  for (int device = 0; device < count; ++device) {
    if (SDL_IsGameController(device)) continue;
    // A device that cannot be opened is passed over; the next may answer.
    if (SDL_Joystick* stick = SDL_JoystickOpen(device)) {
      JoystickId = SDL_JoystickInstanceID(stick);
      return true;
    }
  }
  return false;
}

bool SysOpenJoystick() {
  SysCloseJoystick();
  if (!StartControllers()) return false;
  return OpenFirstJoystick();
}

void SysCloseJoystick() {
  if (JoystickId >= 0 && SDL_WasInit(SDL_INIT_JOYSTICK))
    if (SDL_Joystick* stick = SDL_JoystickFromInstanceID(JoystickId)) SDL_JoystickClose(stick);
  JoystickId = -1;
  std::memset(JoystickPressed, 0, sizeof JoystickPressed);
  std::memset(JoystickHatPressed, 0, sizeof JoystickHatPressed);
}

std::string SysJoystickName() {
  if (JoystickId < 0 || !SDL_WasInit(SDL_INIT_JOYSTICK)) return "";
  SDL_Joystick* stick = SDL_JoystickFromInstanceID(JoystickId);
  const char* name = stick ? SDL_JoystickName(stick) : nullptr;
  return name ? name : "";
}

bool SysPollJoystick(SysJoystickState& state) {
  if (JoystickId < 0 || !SDL_WasInit(SDL_INIT_JOYSTICK)) return false;
  SDL_JoystickUpdate();
  SDL_Joystick* stick = SDL_JoystickFromInstanceID(JoystickId);
  if (!stick || !SDL_JoystickGetAttached(stick)) {
    // Like a DirectInput device that is acquired again: a joystick plugged
    // back in answers from the next poll on.
    if (stick) SDL_JoystickClose(stick);
    OpenFirstJoystick();
    return false;
  }

  std::memset(&state, 0, sizeof state);
  std::int32_t* const axes[8] = {&state.X,  &state.Y,  &state.Z,         &state.Rx,
                                 &state.Ry, &state.Rz, &state.Slider[0], &state.Slider[1]};
  const int axisCount = SDL_JoystickNumAxes(stick);
  for (int axis = 0; axis < axisCount && axis < 8; ++axis)
    *axes[axis] = AxisRange(SDL_JoystickGetAxis(stick, axis));
  const int hatCount = SDL_JoystickNumHats(stick);
  for (int hat = 0; hat < 4; ++hat) {
    // A hat let go since the last poll reads as the direction it took.
    Uint8 value = hat < hatCount ? SDL_JoystickGetHat(stick, hat) : SDL_HAT_CENTERED;
    if (value == SDL_HAT_CENTERED && hat < hatCount) value = JoystickHatPressed[hat];
    state.Pov[hat] = PovOfHat(value);
  }
  const int buttonCount = SDL_JoystickNumButtons(stick);
  for (int button = 0; button < buttonCount && button < 128; ++button)
    state.Buttons[button] = SDL_JoystickGetButton(stick, button) || JoystickPressed[button] ? 0x80 : 0;
  std::memset(JoystickPressed, 0, sizeof JoystickPressed);
  std::memset(JoystickHatPressed, 0, sizeof JoystickHatPressed);
  return true;
}

bool SysReadMouse(SysMouseState& state) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  state = Mouse;
  for (int button = 0; button < 8; ++button) state.Buttons[button] |= MousePressed[button];
  std::memset(MousePressed, 0, sizeof MousePressed);
  return true;
}

void SysInputObserveEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      Mouse.X = event.motion.x;
      Mouse.Y = event.motion.y;
      Mouse.MoveX = WrappingAdd(Mouse.MoveX, event.motion.xrel);
      Mouse.MoveY = WrappingAdd(Mouse.MoveY, event.motion.yrel);
      // Motion carries the buttons' state: a release that happened where
      // we could not see it does not leave a button down.
      for (Uint8 button = 1; button <= 8; ++button) {
        const int index = MouseButtonIndex(button);
        if (index >= 0) Mouse.Buttons[index] = (event.motion.state & SDL_BUTTON(button)) ? 1 : 0;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      Mouse.X = event.button.x;
      Mouse.Y = event.button.y;
      const int index = MouseButtonIndex(event.button.button);
      if (index < 0) break;
      Mouse.Buttons[index] = event.type == SDL_MOUSEBUTTONDOWN ? 1 : 0;
      if (event.type == SDL_MOUSEBUTTONDOWN) MousePressed[index] = 1;
      break;
    }
    case SDL_MOUSEWHEEL: {
      const std::int64_t notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED
                                       ? -static_cast<std::int64_t>(event.wheel.y)
                                       : event.wheel.y;
      Mouse.Wheel = WrappingAdd(Mouse.Wheel, notches * 120);
      break;
    }
    case SDL_WINDOWEVENT:
      // Releases in another window never reach us.
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        std::memset(Mouse.Buttons, 0, sizeof Mouse.Buttons);
        std::memset(MousePressed, 0, sizeof MousePressed);
      }
      break;
    default:
      break;
  }
}
