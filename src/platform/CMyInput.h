#pragma once
#include <cstdint>

// Window message codes the key handler takes.
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;

constexpr int InputHistoryRows = 38;
constexpr int InputHistoryLength = 60;
constexpr int InputRowFirstAction = 4;  // rows 4-22: actions 0-18
constexpr int InputRowF1 = 23;          // rows 23-34: F1-F12
constexpr int InputRowPointer = 35;
constexpr int InputRowPointerX = 36;
constexpr int InputRowPointerY = 37;

// The one input object: per-input histories of the last 60 frames, newest
// first; 1 down, 0 up, -1 down but consumed.
class CMyInput {
public:
  CMyInput();
  virtual ~CMyInput() = default;

  void OnKeyMessage(std::uint32_t vk, std::uint32_t message);
  void Update();

  // Binds key `vk` to action `entry`; an action of the same group (0-14 or
  // 15-18) that held `vk` takes the entry's old key. False for codes of 256
  // and above and for entries outside 0-18.
  bool SetKeyBinding(std::uint32_t vk, int entry);
  // Binds pad button `column` (0-9) to pad-matrix row `row` (0-14). Row -1
  // (no row) clears the button from rows 0-8 and 11-14. False when the row
  // already holds the button or an argument is out of range.
  bool SetPadBinding(int row, int column);

  bool Updated = false;
  std::int32_t InputHistory[InputHistoryRows][InputHistoryLength] = {};
  std::uint8_t KeyDown[256] = {};
  std::uint8_t KeySnapshot[256] = {};
  std::uint8_t PreviousKeySnapshot[256] = {};
  std::int32_t MouseScale = 1;
  std::uint32_t KeyBindingTable[19] = {};
  std::uint8_t PadBindingMatrix[15][10] = {};
  // Whether the game window is the foreground window: input counts only then.
  bool Foreground = true;

private:
  void Record(int row, bool down);
};

CMyInput* GetInput();

constexpr int InputActionCount = 19;
constexpr int PadMatrixRows = 15;
constexpr int PadButtonCount = 10;

// Clears pad button `button` from rows 0-8 and 11-14 of the input object's
// pad matrix; false for buttons outside 0-9.
bool UnbindPadButton(int button);
