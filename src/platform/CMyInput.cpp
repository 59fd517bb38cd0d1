#include "platform/CMyInput.h"

#include <cstring>

#include "system/SysKeys.h"

namespace {
constexpr std::uint32_t DefaultKeyBindings[19] = {38, 40, 37, 39, 88, 90, 83, 65, 67, 68,
                                                  81, 49, 49, 76, 82, 49, 49, 90, 88};
constexpr std::uint32_t VkF1 = 0x70;
// Pad columns: 0 A, 1 B, 2 X, 3 Y, 4 LB, 5 RB, 6 BACK, 7 START, 8 LT, 9 RT.
// One default button per row (row = action - 4).
constexpr int DefaultPadButtons[15] = {1, 0, 3, 2, 4, 5, 7, 6, 8, 4, 5, 6, 7, 0, 1};

// Rows 9 and 10 (page left and right) keep their buttons whatever else is bound.
bool IsSharedPadRow(int row) { return row != 9 && row != 10; }
}  // namespace

CMyInput* GetInput() {
  static CMyInput input;
  return &input;
}

CMyInput::CMyInput() {
  std::memcpy(KeyBindingTable, DefaultKeyBindings, sizeof KeyBindingTable);
  for (int row = 0; row < PadMatrixRows; ++row) PadBindingMatrix[row][DefaultPadButtons[row]] = 1;
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

void CMyInput::OnKeyMessage(std::uint32_t vk, std::uint32_t message) {
  if (vk >= 256) return;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
    KeyDown[vk] = 1;
  else if (message == WM_KEYUP || message == WM_SYSKEYUP)
    KeyDown[vk] = 0;
}

void CMyInput::Record(int row, bool down) {
  std::int32_t* history = InputHistory[row];
  if (!down)
    history[0] = 0;
  else
    history[0] = history[1] == -1 ? -1 : 1;
}

void CMyInput::Update() {
  std::memcpy(PreviousKeySnapshot, KeySnapshot, sizeof KeySnapshot);
  std::memcpy(KeySnapshot, KeyDown, sizeof KeyDown);
  Updated = true;

  for (auto& row : InputHistory)
    std::memmove(&row[1], &row[0], sizeof(row[0]) * (InputHistoryLength - 1));

  for (int action = 0; action < 19; ++action)
    Record(InputRowFirstAction + action, KeySnapshot[KeyBindingTable[action] & 0xFF] != 0);
  for (int f = 0; f < 12; ++f) Record(InputRowF1 + f, SysIsVirtualKeyDown(VkF1 + f));

  if (!Foreground)
    for (int row = 0; row <= InputRowPointer; ++row) InputHistory[row][0] = 0;
}
