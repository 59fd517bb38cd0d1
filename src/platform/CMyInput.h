#pragma once
#include <cstdint>
#include <string>

#include "system/SysInput.h"

// Window message codes the key handler takes.
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;

constexpr int InputHistoryRows = 38;
constexpr int InputHistoryLength = 60;
constexpr int InputRowStick = 0;        // rows 0-3: raw stick positions
constexpr int InputRowFirstAction = 4;  // rows 4-22: actions 0-18
constexpr int InputRowUp = 4;
constexpr int InputRowDown = 5;
constexpr int InputRowLeft = 6;
constexpr int InputRowRight = 7;
constexpr int InputRowF1 = 23;          // rows 23-34: F1-F12
constexpr int InputRowPointer = 35;
constexpr int InputRowPointerX = 36;
constexpr int InputRowPointerY = 37;

constexpr int InputActionCount = 19;
constexpr int PadMatrixRows = 15;
constexpr int PadButtonCount = 10;

// Pad button columns of the binding matrix.
enum PadButton { PadA, PadB, PadX, PadY, PadLB, PadRB, PadBack, PadStart, PadLT, PadRT };

// The device a press came from; what the player is told to press follows it.
enum class InputDevice : std::uint8_t { Keyboard, Pad };

// The one input object: per-input histories of the last 60 frames, newest
// first; 1 down, 0 up, -1 down but consumed (2 on the pointer: handled).
class CMyInput {
public:
  CMyInput();
  virtual ~CMyInput() = default;

  // Takes the first pad in slots 0-3 as the pad, once the pads are open;
  // at start-up only, whenever the object was built: a pad plugged in
  // later is not taken.
  void FindPad();
  // The game's start: the pad is looked for, and input counts from the
  // first frame only when the window really has focus.
  void Start(bool windowFocused);
  // The device the game plays with, as one line for --verbose.
  std::string DescribeDevices() const;

  // A key-down that is not the keyboard's auto-repeat counts as a press.
  void OnKeyMessage(std::uint32_t vk, std::uint32_t message, bool repeat = false);
  // Focus moves to another window: keys released there never come back to
  // us, so every key counts as up from here on.
  void OnFocusLost();
  void OnFocusGained();
  void Update();

  // Binds key `vk` to action `entry`; an action of the same group (0-14 or
  // 15-18) that held `vk` takes the entry's old key. False for codes of 256
  // and above and for entries outside 0-18.
  bool SetKeyBinding(std::uint32_t vk, int entry);
  // Binds pad button `column` (0-9) to pad-matrix row `row` (0-14). Row -1
  // (no row) clears the button from rows 0-8 and 11-14. False when the row
  // already holds the button or an argument is out of range.
  bool SetPadBinding(int row, int column);

  // Newest consecutive entries equal to 1 (for key repeat) / equal to 0.
  static int CountHeldFrames(const std::int32_t* history);
  static int CountIdleFrames(const std::int32_t* history);
  // The direction went down this frame.
  bool IsUpTriggered() const;
  bool IsDownTriggered() const;
  bool IsLeftTriggered() const;
  bool IsRightTriggered() const;
  // The pointer went up this frame after a press of 1 to 9 frames that was
  // not a drag.
  bool IsClicked() const;
  // A press of `vk` counted by this frame's update and not taken yet;
  // taking one acts on it once, so that each press acts once, on a frame
  // of its own, however slow the frame that acted on the one before.
  bool HasKeyPress(std::uint32_t vk) const;
  bool TakeKeyPress(std::uint32_t vk);

  // The DirectInput joystick into PadState; false when it did not answer.
  bool PollJoystick();

  // The keyboard's keys are the ones to name: it was pressed last, or there
  // is no pad to press.
  bool IsKeyboardInUse() const { return LastDevice == InputDevice::Keyboard || !PadAttached; }

  SysJoystickState PadState = {};
  SysJoystickState PreviousPadState = {};
  bool Updated = false;
  std::int32_t InputHistory[InputHistoryRows][InputHistoryLength] = {};
  // Pointer position in layout units when the button went down, and while dragging.
  std::int32_t PressX = 0;
  std::int32_t PressY = 0;
  std::int32_t DragX = 0;
  std::int32_t DragY = 0;
  std::uint8_t KeyDown[256] = {};
  // Presses of each key so far, and as taken at this frame's Update: a
  // press that came and went between two frames still counts, and two
  // presses within one slow frame count twice.
  std::uint32_t KeyPresses[256] = {};
  std::uint32_t KeyPressSnapshot[256] = {};
  // Of those, the presses a consumer acted on (the F4 and F5 hot keys).
  std::uint32_t KeyPressesTaken[256] = {};
  std::uint8_t KeySnapshot[256] = {};
  std::uint8_t PreviousKeySnapshot[256] = {};
  std::int32_t MouseScale = 1;
  std::uint32_t KeyBindingTable[InputActionCount] = {};
  std::uint8_t PadBindingMatrix[PadMatrixRows][PadButtonCount] = {};
  // Whether the game window is the foreground window: input counts only
  // then. Start takes it from the window.
  bool Foreground = true;
  std::int32_t Dragged = 0;
  bool PadConnected = false;
  bool JoystickRead = false;
  std::int32_t PadIndex = -1;
  // Whether the pad or joystick answered at the last frame, and which device
  // had the newest press (a key that went down, or a pad button, hat
  // direction or stick push that began).
  bool PadAttached = false;
  InputDevice LastDevice = InputDevice::Keyboard;
  // Presses a row has yet to show, each as a frame down after a frame up.
  std::uint32_t PressesOwed[InputHistoryRows] = {};
  // The XInput pad's presses since the last frame, by button column.
  std::uint8_t PadPresses[PadButtonCount] = {};

private:
  void Record(int row, bool down);
  void RecordKey(int row, bool down, std::uint32_t presses);
  void RecordPad(int row, bool down, std::uint32_t presses);
  void ReadPad();
  void NoteDeviceUsed();
  bool IsTriggered(int row) const;
};

CMyInput* GetInput();

// Clears pad button `button` from rows 0-8 and 11-14 of the input object's
// pad matrix; false for buttons outside 0-9.
bool UnbindPadButton(int button);

// The mouse as DirectInput kept it: cursor in client pixels, wheel and
// motion totals, button bytes (1 = down).
struct DirectInputMouse {
  std::int32_t CursorX = 0;
  std::int32_t CursorY = 0;
  std::int32_t WheelZ = 0;
  std::int32_t MoveX = 0;
  std::int32_t MoveY = 0;
  std::uint8_t Buttons[8] = {};
  bool Acquired = false;
};

DirectInputMouse* GetMouseDevice();
// 0 once the mouse can be read; a failure leaves it unread, silently.
int InitDirectInputMouse();
void ReadMouse();
// 1 when a joystick is ready; the game runs without one otherwise.
int InitDirectInputJoystick();
