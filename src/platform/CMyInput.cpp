#include "platform/CMyInput.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "platform/Renderer.h"
#include "system/SysKeys.h"
#include "system/SysPlatform.h"
#include "system/SysWindow.h"

namespace {
constexpr std::uint32_t DefaultKeyBindings[InputActionCount] = {
    38, 40, 37, 39, 88, 90, 83, 65, 67, 68, 81, 49, 49, 76, 82, 49, 49, 90, 88};
constexpr std::uint32_t VkF1 = 0x70;
// One default button per row (row = action - 4).
constexpr int DefaultPadButtons[PadMatrixRows] = {PadB,  PadA,     PadY,    PadX,  PadLB,
                                                  PadRB, PadStart, PadBack, PadLT, PadLB,
                                                  PadRB, PadBack,  PadStart, PadA, PadB};

// A stick counts as pushed beyond half its travel.
constexpr std::int32_t StickThreshold = 500;
constexpr std::uint8_t TriggerThreshold = 128;
// A pointer that strays further than this from where it went down drags.
constexpr std::int32_t DragDistance = 9;

// Rows 9 and 10 (page left and right) keep their buttons whatever else is bound.
bool IsSharedPadRow(int row) { return row != 9 && row != 10; }

bool JoystickPresent = false;

// Clearing the joystick record before a poll covers the axes, POVs and the
// first 32 buttons, as it always has.
constexpr std::size_t JoystickClearBytes = 80;
static_assert(offsetof(SysJoystickState, Buttons) == 48, "DIJOYSTATE2 layout");

std::uint32_t PovOfDpad(std::uint16_t buttons) {
  const bool up = buttons & SysPadDpadUp, down = buttons & SysPadDpadDown;
  const bool left = buttons & SysPadDpadLeft, right = buttons & SysPadDpadRight;
  if (up && left) return 31500;
  if (up && right) return 4500;
  if (down && right) return 13500;
  if (down && left) return 22500;
  if (up) return 0;
  if (right) return 9000;
  if (down) return 18000;
  if (left) return 27000;
  return SysPovCentred;
}

bool PovIsOneOf(std::uint32_t pov, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  return pov == a || pov == b || pov == c;
}

// -1, 0 or 1: the side past half its travel an axis is pushed to.
int StickSide(std::int32_t axis) { return axis < -StickThreshold ? -1 : axis > StickThreshold ? 1 : 0; }

// A press began on the pad between two reads: a button went down, the hat
// took a new direction, or a stick was pushed to a new side.
bool PadPressBegan(const SysJoystickState& before, const SysJoystickState& now) {
  for (std::size_t b = 0; b < std::size(now.Buttons); ++b)
    if ((now.Buttons[b] & 0x80) && !(before.Buttons[b] & 0x80)) return true;
  if (now.Pov[0] != SysPovCentred && now.Pov[0] != before.Pov[0]) return true;
  return (StickSide(now.X) != 0 && StickSide(now.X) != StickSide(before.X)) ||
         (StickSide(now.Y) != 0 && StickSide(now.Y) != StickSide(before.Y));
}

}  // namespace

CMyInput* GetInput() {
  static CMyInput input;
  return &input;
}

CMyInput::CMyInput() {
  std::memcpy(KeyBindingTable, DefaultKeyBindings, sizeof KeyBindingTable);
  for (int row = 0; row < PadMatrixRows; ++row) PadBindingMatrix[row][DefaultPadButtons[row]] = 1;
  FindPad();
}

void CMyInput::FindPad() {
  if (PadConnected) return;
  // The first XInput user that answers is the pad.
  SysPadState probe;
  for (int user = 0; user < SysPadSlotCount; ++user) {
    if (SysGetPadState(user, probe)) {
      PadIndex = user;
      PadConnected = PadAttached = true;
      return;
    }
  }
}

void CMyInput::Start(bool windowFocused) {
  FindPad();
  Foreground = windowFocused;
}

std::string CMyInput::DescribeDevices() const {
  if (PadConnected)
    return "Vorlumen: playing with the pad \"" + SysPadName(PadIndex) + "\" in slot " + std::to_string(PadIndex) + "\n";
  if (JoystickPresent) return "Vorlumen: playing with the joystick \"" + SysJoystickName() + "\"\n";
  return "Vorlumen: no pad or joystick to play with\n";
}

bool CMyInput::SetKeyBinding(std::uint32_t vk, int entry) {
  if (vk >= 256 || entry < 0 || entry >= InputActionCount) return false;
  const int first = entry < 15 ? 0 : 15;
  const int last = entry < 15 ? 14 : 18;
  const std::uint32_t old = KeyBindingTable[entry];
  for (int i = first; i <= last; ++i)
    if (KeyBindingTable[i] == vk) KeyBindingTable[i] = old;
  KeyBindingTable[entry] = vk;
  return true;
}

bool CMyInput::SetPadBinding(int row, int column) {
  if (column < 0 || column >= PadButtonCount || row < -1 || row >= PadMatrixRows) return false;
  if (row == -1) {
    for (int r = 0; r < PadMatrixRows; ++r)
      if (IsSharedPadRow(r)) PadBindingMatrix[r][column] = 0;
    return true;
  }
  if (PadBindingMatrix[row][column]) return false;
  const bool menuGroup = row >= 11;
  for (int r = 0; r < PadMatrixRows; ++r)
    if (IsSharedPadRow(r) && (r >= 11) == menuGroup) PadBindingMatrix[r][column] = 0;
  PadBindingMatrix[row][column] = 1;
  return true;
}

bool UnbindPadButton(int button) { return GetInput()->SetPadBinding(-1, button); }

void CMyInput::OnKeyMessage(std::uint32_t vk, std::uint32_t message, bool repeat) {
  if (vk >= 256) return;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    KeyDown[vk] = 1;
    if (!repeat) ++KeyPresses[vk];
  } else if (message == WM_KEYUP || message == WM_SYSKEYUP)
    KeyDown[vk] = 0;
}

void CMyInput::OnFocusLost() {
  Foreground = false;
  std::memset(KeyDown, 0, sizeof KeyDown);
  // Presses no frame has seen yet go with the focus.
  std::memcpy(KeyPresses, KeyPressSnapshot, sizeof KeyPresses);
  std::memset(PressesOwed, 0, sizeof PressesOwed);
}

void CMyInput::OnFocusGained() { Foreground = true; }

void CMyInput::Record(int row, bool down) {
  std::int32_t* history = InputHistory[row];
  if (!down)
    history[0] = 0;
  else
    history[0] = history[1] == -1 ? -1 : 1;
}

// A key's row by the down/up rule, except where presses came that the row
// has not shown yet: each is shown as a frame down after a frame up, so
// that it triggers once whatever else came within the same frame.
void CMyInput::RecordKey(int row, bool down, std::uint32_t presses) {
  PressesOwed[row] += presses;
  std::int32_t* history = InputHistory[row];
  if (PressesOwed[row] == 0) {
    Record(row, down);
  } else if (history[1] != 0) {
    history[0] = 0;
  } else {
    --PressesOwed[row];
    history[0] = 1;
  }
}

// The pad's share of a row the keys left up, by the same rule.
void CMyInput::RecordPad(int row, bool down, std::uint32_t presses) {
  if (InputHistory[row][0] != 0) return;
  if (PressesOwed[row] > 0 || presses > 0)
    RecordKey(row, down, presses);
  else if (down)
    Record(row, true);
}

bool CMyInput::PollJoystick() {
  std::memset(&PadState, 0, JoystickClearBytes);
  PadState.Pov[0] = SysPovCentred;
  return SysPollJoystick(PadState);
}

void CMyInput::ReadPad() {
  PreviousPadState = PadState;
  std::memset(PadPresses, 0, sizeof PadPresses);
  if (PadConnected) {
    PadState = SysJoystickState{};
    SysPadState pad;
    PadAttached = SysGetPadState(PadIndex, pad);
    if (!PadAttached) {
      PadState.Pov[0] = SysPovCentred;
      return;
    }
    // y grows downwards here, as on a joystick.
    PadState.X = pad.ThumbLX * 1000 / 32768;
    PadState.Y = -pad.ThumbLY * 1000 / 32768;
    PadState.Pov[0] = PovOfDpad(pad.Buttons);
    const bool down[PadButtonCount] = {
        (pad.Buttons & SysPadA) != 0,           (pad.Buttons & SysPadB) != 0,
        (pad.Buttons & SysPadX) != 0,           (pad.Buttons & SysPadY) != 0,
        (pad.Buttons & SysPadLeftShoulder) != 0, (pad.Buttons & SysPadRightShoulder) != 0,
        (pad.Buttons & SysPadBack) != 0,        (pad.Buttons & SysPadStart) != 0,
        pad.LeftTrigger > TriggerThreshold,     pad.RightTrigger > TriggerThreshold};
    for (int button = 0; button < PadButtonCount; ++button)
      PadState.Buttons[button] = down[button] ? 0xFF : 0;
    // Presses by the button bit's place: A, B, X, Y, LB, RB, BACK, START;
    // the triggers are no buttons.
    constexpr int ColumnBits[PadButtonCount] = {12, 13, 14, 15, 8, 9, 5, 4, -1, -1};
    for (int button = 0; button < PadButtonCount; ++button)
      if (ColumnBits[button] >= 0) PadPresses[button] = pad.Presses[ColumnBits[button]];
    InputHistory[InputRowStick + 0][0] = pad.ThumbLX;
    InputHistory[InputRowStick + 1][0] = pad.ThumbLY;
    InputHistory[InputRowStick + 2][0] = pad.ThumbRX;
    InputHistory[InputRowStick + 3][0] = pad.ThumbRY;
  } else if (JoystickPresent) {
    JoystickRead = true;
    PadAttached = PollJoystick();
    InputHistory[InputRowStick + 0][0] = PadState.X;
    InputHistory[InputRowStick + 1][0] = PadState.Y;
  } else {
    PadAttached = false;
    PadState.Pov[0] = SysPovCentred;
  }
}

void CMyInput::NoteDeviceUsed() {
  if (!Foreground) return;
  for (int vk = 0; vk < 256; ++vk) {
    if (KeySnapshot[vk] && !PreviousKeySnapshot[vk]) {
      LastDevice = InputDevice::Keyboard;
      return;
    }
  }
  if (PadAttached && PadPressBegan(PreviousPadState, PadState)) LastDevice = InputDevice::Pad;
}

void CMyInput::Update() {
  ReadMouse();
  const DirectInputMouse* mouse = GetMouseDevice();

  std::memcpy(PreviousKeySnapshot, KeySnapshot, sizeof KeySnapshot);
  // Keys pressed while another window is in front do not count.
  if (!Foreground) std::memcpy(KeyPresses, KeyPressSnapshot, sizeof KeyPresses);
  std::uint32_t presses[256];
  for (int vk = 0; vk < 256; ++vk) {
    presses[vk] = KeyPresses[vk] - KeyPressSnapshot[vk];
    KeyPressSnapshot[vk] = KeyPresses[vk];
    KeySnapshot[vk] = KeyDown[vk] | (presses[vk] != 0 ? 1 : 0);
  }
  Updated = true;

  for (auto& row : InputHistory)
    std::memmove(&row[1], &row[0], sizeof(row[0]) * (InputHistoryLength - 1));

  for (int action = 0; action < InputActionCount; ++action) {
    const std::uint32_t vk = KeyBindingTable[action];
    if (vk < 256)
      RecordKey(InputRowFirstAction + action, KeyDown[vk] != 0, presses[vk]);
    else
      Record(InputRowFirstAction + action, false);
  }
  // The function keys are polled; their messages, taken as SDL made them,
  // agree with that and add the taps polling missed.
  for (int f = 0; f < 12; ++f)
    RecordKey(InputRowF1 + f, SysIsVirtualKeyDown(VkF1 + f) || KeyDown[VkF1 + f], presses[VkF1 + f]);

  std::int32_t* pointer = InputHistory[InputRowPointer];
  if (!mouse->Buttons[0])
    pointer[0] = 0;
  else
    pointer[0] = pointer[1] == -1 ? -1 : pointer[1] == 2 ? 2 : 1;
  // A scale of 0 would divide by zero before the renderer has set one.
  const std::int32_t scale = MouseScale > 0 ? MouseScale : 1;
  // Rounded down: a pointer left of or above the picture stays off it.
  InputHistory[InputRowPointerX][0] = static_cast<std::int32_t>(SysFloorDivide(mouse->CursorX * 4LL, scale));
  InputHistory[InputRowPointerY][0] = static_cast<std::int32_t>(SysFloorDivide(mouse->CursorY * 4LL, scale));

  ReadPad();
  NoteDeviceUsed();

  // Directions from the stick, then from the POV hat, where no key is down.
  const std::int32_t x = PadState.X, y = PadState.Y;
  const bool stick[4] = {y < -StickThreshold, y > StickThreshold, x < -StickThreshold,
                         x > StickThreshold};
  const std::uint32_t pov = PadState.Pov[0];
  const bool hat[4] = {PovIsOneOf(pov, 0, 4500, 31500), PovIsOneOf(pov, 18000, 13500, 22500),
                       PovIsOneOf(pov, 27000, 22500, 31500), PovIsOneOf(pov, 9000, 4500, 13500)};
  // The hat's word says which of several directions counts, so its
  // presses are not counted one by one.
  for (int d = 0; d < 4; ++d)
    if (InputHistory[InputRowUp + d][0] == 0 && (stick[d] || hat[d])) Record(InputRowUp + d, true);

  for (int action = 4; action < InputActionCount; ++action) {
    bool down = false;
    std::uint32_t presses = 0;
    for (int c = 0; c < PadButtonCount; ++c) {
      if (!PadBindingMatrix[action - 4][c]) continue;
      down = down || (PadState.Buttons[c] & 0x80) != 0;
      presses += PadPresses[c];
    }
    RecordPad(InputRowFirstAction + action, down, presses);
  }

  if (!Foreground) {
    for (int row = 0; row <= InputRowPointer; ++row) InputHistory[row][0] = 0;
    std::memset(PressesOwed, 0, sizeof PressesOwed);
  }

  // The direction pressed last wins until the opposite one is released.
  constexpr int Opposite[4] = {InputRowDown, InputRowUp, InputRowRight, InputRowLeft};
  for (int d = 0; d < 4; ++d) {
    const std::int32_t* history = InputHistory[InputRowUp + d];
    if (history[0] != 0 && history[1] == 0)
      for (std::int32_t& entry : InputHistory[Opposite[d]]) entry = -1;
  }

  const std::int32_t px = InputHistory[InputRowPointerX][0];
  const std::int32_t py = InputHistory[InputRowPointerY][0];
  if (Dragged) {
    DragX = px;
    DragY = py;
  }
  if (pointer[0] == 1 && pointer[1] == 0) {
    PressX = DragX = px;
    PressY = DragY = py;
    Dragged = 0;
  } else if (pointer[0] > 0) {
    if (px - PressX > DragDistance || PressX - px > DragDistance || py - PressY > DragDistance ||
        PressY - py > DragDistance)
      Dragged = 1;
  }
}

int CMyInput::CountHeldFrames(const std::int32_t* history) {
  int count = 0;
  while (count < InputHistoryLength && history[count] == 1) ++count;
  return count;
}

int CMyInput::CountIdleFrames(const std::int32_t* history) {
  int count = 0;
  while (count < InputHistoryLength && history[count] == 0) ++count;
  return count;
}

bool CMyInput::IsTriggered(int row) const {
  return Updated && InputHistory[row][0] != 0 && InputHistory[row][1] == 0;
}

bool CMyInput::IsUpTriggered() const { return IsTriggered(InputRowUp); }
bool CMyInput::IsDownTriggered() const { return IsTriggered(InputRowDown); }
bool CMyInput::IsLeftTriggered() const { return IsTriggered(InputRowLeft); }
bool CMyInput::IsRightTriggered() const { return IsTriggered(InputRowRight); }

bool CMyInput::IsClicked() const {
  const std::int32_t* pointer = InputHistory[InputRowPointer];
  if (!Updated || pointer[0] != 0 || pointer[1] < 1 || Dragged) return false;
  for (int i = 1; i <= 10; ++i)
    if (pointer[i] == 0) return true;
  return false;
}

bool CMyInput::HasKeyPress(std::uint32_t vk) const {
  return Updated && vk < 256 && KeyPressesTaken[vk] != KeyPressSnapshot[vk];
}

bool CMyInput::TakeKeyPress(std::uint32_t vk) {
  if (!HasKeyPress(vk)) return false;
  ++KeyPressesTaken[vk];
  return true;
}

DirectInputMouse* GetMouseDevice() {
  static DirectInputMouse mouse;
  return &mouse;
}

int InitDirectInputMouse() {
  SysMouseState probe;
  GetMouseDevice()->Acquired = SysReadMouse(probe);
  return GetMouseDevice()->Acquired ? 0 : -1;
}

void ReadMouse() {
  DirectInputMouse* mouse = GetMouseDevice();
  SysMouseState state;
  if (!SysReadMouse(state)) return;
  // Into the back buffer's pixels, wherever the window shows it.
  SysMapWindowPoint(320 * BackBufferScale, 180 * BackBufferScale, state.X, state.Y);
  mouse->CursorX = state.X;
  mouse->CursorY = state.Y;
  if (!mouse->Acquired) {
    // Buttons keep their old values until the device answers.
    mouse->Acquired = true;
    return;
  }
  mouse->WheelZ = state.Wheel;
  mouse->MoveX = state.MoveX;
  mouse->MoveY = state.MoveY;
  for (int button = 0; button < 8; ++button) {
    mouse->Buttons[button] = state.Buttons[button] ? 1 : 0;
    if (mouse->Buttons[button]) {
      char line[128];
      std::snprintf(line, sizeof line, "button%d %d\r\n", button, 1);
      SysDebugOutput(line);
    }
  }
}

int InitDirectInputJoystick() {
  JoystickPresent = SysOpenJoystick();
  return JoystickPresent ? 1 : 0;
}
