#pragma once
// Keys in the game's own terms: Windows virtual-key codes and PC scan codes.
// One table here knows how SDL's keys correspond to them.
#include <cstdint>

// SDL key -> Windows virtual-key code; 0 when the key has no code. The
// keycode decides where the layout gives a character (so 'A' follows the
// layout, as virtual-key codes do); otherwise, and for characters no code
// covers (a Cyrillic letter, say), the key's position does.
std::uint32_t SysTranslateKey(std::int32_t sdlKeycode, std::int32_t sdlScancode = 0);

// Whether the key with this virtual-key code is down right now (F1-F12
// are polled this way, as GetAsyncKeyState was).
bool SysIsVirtualKeyDown(std::uint32_t virtualKey);

// MapVirtualKey with map type 0: the key's PC scan code (set 1, without the
// extended bit); 0 when the code names no key.
std::uint32_t SysMapVirtualKey(std::uint32_t virtualKey);

// GetKeyNameText: the name of the key whose scan code sits in bits 16-23 of
// keyParam (bit 24 the extended-key bit), from the keyboard layout. Writes at
// most size - 1 characters and a terminating zero; returns the characters
// written, 0 when the key has no name.
int SysGetKeyNameText(std::int32_t keyParam, char* buffer, int size);

// Tests stand in for the live keyboard state: source(&count) returns the
// down bytes by SDL scancode, as SDL_GetKeyboardState does. Null restores SDL.
using SysKeyboardStateSource = const std::uint8_t* (*)(int* count);
void SysSetKeyboardStateSource(SysKeyboardStateSource source);
