#pragma once
// Bounded copies of game texts into fixed buffers.
#include <cstddef>

// Copies `text` into `dest` (capacity bytes, NUL included), cut at the last
// whole character that fits; a byte of 0x80 and above leads a double-byte
// character, as the glyph decoder reads it. A null text copies as empty.
// Returns the bytes copied, without the NUL.
std::size_t CopyTextCut(char* dest, std::size_t capacity, const char* text);

// The same for at most `count` bytes of `text`, which is NUL-terminated
// all the same.
std::size_t CopyTextCutN(char* dest, std::size_t capacity, const char* text, std::size_t count);
