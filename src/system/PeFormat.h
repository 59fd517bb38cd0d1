#pragma once
// The few pieces of the PE image format that the resource reader and the
// module writer share. Everything is little-endian and read byte by byte, so
// no structure is ever overlaid on untrusted memory.
#include <cstddef>
#include <cstdint>

namespace pe {

constexpr std::uint16_t DosMagic = 0x5A4D;          // "MZ"
constexpr std::uint32_t DosLfanewOffset = 0x3C;     // where the PE header offset lives
constexpr std::uint32_t PeSignature = 0x00004550;   // "PE\0\0"
constexpr std::uint32_t CoffHeaderSize = 20;
constexpr std::uint16_t OptionalMagic32 = 0x10B;
constexpr std::uint16_t OptionalMagic64 = 0x20B;
constexpr std::uint32_t SectionHeaderSize = 40;
constexpr std::uint32_t ResourceDirectoryIndex = 2;

// Offsets of the data directories inside the optional header, and of the
// count in front of them.
constexpr std::uint32_t DataDirectories32 = 96;
constexpr std::uint32_t DataDirectories64 = 112;
constexpr std::uint32_t DataDirectoryCount32 = 92;
constexpr std::uint32_t DataDirectoryCount64 = 108;

constexpr std::uint32_t ResourceDirectorySize = 16;
constexpr std::uint32_t ResourceEntrySize = 8;
constexpr std::uint32_t ResourceDataEntrySize = 16;
constexpr std::uint32_t HighBit = 0x80000000u;

inline std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// True when [offset, offset + length) lies inside a buffer of `size` bytes,
// without overflowing.
inline bool InRange(std::size_t size, std::uint64_t offset, std::uint64_t length) {
  return offset <= size && length <= size - offset;
}

}  // namespace pe
