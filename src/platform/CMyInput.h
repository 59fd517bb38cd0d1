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

  bool Updated = false;
  std::int32_t InputHistory[InputHistoryRows][InputHistoryLength] = {};
  std::uint8_t KeyDown[256] = {};
  std::uint8_t KeySnapshot[256] = {};
  std::uint8_t PreviousKeySnapshot[256] = {};
  std::int32_t MouseScale = 1;
  std::uint32_t KeyBindingTable[19] = {};
  // Whether the game window is the foreground window: input counts only then.
  bool Foreground = true;

private:
  void Record(int row, bool down);
};

CMyInput* GetInput();
