#include "screens/KeyNames.h"

#include "system/SysKeys.h"

namespace {

// The cursor block and these two share their scan codes with other keys;
// only the extended bit makes the layout name them and not their twins.
constexpr std::uint32_t ExtendedKeyCodes[] = {33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 111, 144};

bool IsExtendedKeyCode(std::uint32_t code) {
  for (std::uint32_t extended : ExtendedKeyCodes)
    if (extended == code) return true;
  return false;
}

}  // namespace

int GetKeyDisplayName(std::uint32_t virtualKey, char* buffer) {
  std::uint32_t scan = SysMapVirtualKey(virtualKey);
  if (scan == 0) return 0;
  if (IsExtendedKeyCode(virtualKey)) scan |= 0x100;
  const int length =
      SysGetKeyNameText(static_cast<std::int32_t>(scan << 16), buffer, KeyDisplayNameSize);
  if (length < 1) return length;
  for (int i = 0; i < length; ++i)
    if (buffer[i] >= 'a' && buffer[i] <= 'z') buffer[i] = static_cast<char>(buffer[i] - 'a' + 'A');
  return length;
}
