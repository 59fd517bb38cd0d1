#pragma once
// Pads, joystick and mouse in the shapes the input object reads: XInput pads
// in slots 0-3, one DirectInput joystick record and a DirectInput-style mouse.
#include <cstdint>
#include <string>

union SDL_Event;

// One XInput pad (XINPUT_GAMEPAD): sticks -32768..32767 with y pointing up,
// triggers 0-255.
struct SysPadState {
  std::uint16_t Buttons = 0;
  std::uint8_t LeftTrigger = 0;
  std::uint8_t RightTrigger = 0;
  std::int16_t ThumbLX = 0;
  std::int16_t ThumbLY = 0;
  std::int16_t ThumbRX = 0;
  std::int16_t ThumbRY = 0;
  // Presses since the last read by button bit (index 0 the d-pad's up,
  // 15 Y): two within one read count two.
  std::uint8_t Presses[16] = {};
};

// XInput's button bits.
constexpr std::uint16_t SysPadDpadUp = 0x0001;
constexpr std::uint16_t SysPadDpadDown = 0x0002;
constexpr std::uint16_t SysPadDpadLeft = 0x0004;
constexpr std::uint16_t SysPadDpadRight = 0x0008;
constexpr std::uint16_t SysPadStart = 0x0010;
constexpr std::uint16_t SysPadBack = 0x0020;
constexpr std::uint16_t SysPadLeftThumb = 0x0040;
constexpr std::uint16_t SysPadRightThumb = 0x0080;
constexpr std::uint16_t SysPadLeftShoulder = 0x0100;
constexpr std::uint16_t SysPadRightShoulder = 0x0200;
constexpr std::uint16_t SysPadA = 0x1000;
constexpr std::uint16_t SysPadB = 0x2000;
constexpr std::uint16_t SysPadX = 0x4000;
constexpr std::uint16_t SysPadY = 0x8000;

// The 272-byte DirectInput joystick record (DIJOYSTATE2). Axes run
// -1000..1000; a POV word is hundredths of a degree clockwise from up,
// 0xFFFFFFFF when centred; a button byte has its high bit set when down.
struct SysJoystickState {
  std::int32_t X, Y, Z, Rx, Ry, Rz;
  std::int32_t Slider[2];
  std::uint32_t Pov[4];
  std::uint8_t Buttons[128];
  std::int32_t VelocityAxes[8];
  std::int32_t AccelerationAxes[8];
  std::int32_t ForceAxes[8];
};
static_assert(sizeof(SysJoystickState) == 272, "the joystick record is DIJOYSTATE2's size");

constexpr int SysPadSlotCount = 4;
constexpr std::uint32_t SysPovCentred = 0xFFFFFFFFu;

// Starts the controller subsystem and puts the game controllers present
// into slots 0-3, where the input object looks for its pad.
void SysOpenPads();
// After a controller came or went: slots of pads that are gone become free
// and newly attached controllers take free slots.
void SysRefreshPads();
void SysClosePads();
// XInputGetState: false when slot `user` holds no attached pad. A button
// reads as down, and a trigger as high as it rose, also when it was let go
// again since the last read of that slot.
bool SysGetPadState(int user, SysPadState& state);

// The name of the pad in slot `user`, "" when the slot holds none.
std::string SysPadName(int user);

// The first joystick that is not a game controller. False when there is none.
bool SysOpenJoystick();
void SysCloseJoystick();
// The open joystick's name, "" when none is open.
std::string SysJoystickName();
// False when the joystick is gone or was never opened; the record is then
// left as it was. A button that went down since the last poll reads down.
bool SysPollJoystick(SysJoystickState& state);

// The mouse as the event stream has shown it.
struct SysMouseState {
  std::int32_t X = 0;  // back-buffer pixels
  std::int32_t Y = 0;
  std::int32_t Wheel = 0;  // running total, 120 a notch
  std::int32_t MoveX = 0;  // running totals of relative motion
  std::int32_t MoveY = 0;
  std::uint8_t Buttons[8] = {};  // 0 left, 1 right, 2 middle, 3-7 the others; 1 = down
};
// False before the video has started: there is no mouse to read yet. A
// button that went down since the last read reads as down, even when it
// is up again.
bool SysReadMouse(SysMouseState& state);
// Every SDL event passes here before the game sees it, so that the mouse
// record follows the events in order.
void SysInputObserveEvent(const SDL_Event& event);
