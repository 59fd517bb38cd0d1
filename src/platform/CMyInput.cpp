#include "platform/CMyInput.h"

#include <cstring>

#include "system/SysKeys.h"

namespace {
constexpr std::uint32_t DefaultKeyBindings[19] = {38, 40, 37, 39, 88, 90, 83, 65, 67, 68,
                                                  81, 49, 49, 76, 82, 49, 49, 90, 88};
constexpr std::uint32_t VkF1 = 0x70;
}  // namespace

CMyInput* GetInput() {
  static CMyInput input;
  return &input;
}

CMyInput::CMyInput() { std::memcpy(KeyBindingTable, DefaultKeyBindings, sizeof KeyBindingTable); }

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
