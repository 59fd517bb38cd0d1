#pragma once
#include <cstdint>

// SDL keycode -> Windows virtual-key code; 0 when the key has no code.
std::uint32_t SysTranslateKey(std::int32_t sdlKeycode);
// Whether the key with this virtual-key code is down right now (F1-F12
// are polled this way, as GetAsyncKeyState was).
bool SysIsVirtualKeyDown(std::uint32_t virtualKey);
