#pragma once
#include <cstdint>

// Capacity the caller's buffer must have.
constexpr int KeyDisplayNameSize = 64;

// The printable name of a virtual-key code, in capitals, from the keyboard
// layout, into `buffer` (at least 64 bytes). Returns the characters written;
// 0 leaves the buffer untouched when the code names no key.
int GetKeyDisplayName(std::uint32_t virtualKey, char* buffer);
