#pragma once
// Little-endian words in the byte images of the save files, whatever the
// byte order of the machine.
#include <cstdint>
#include <cstring>

inline std::uint32_t ReadLE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void WriteLE32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::int32_t ReadLEI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadLE32(p)); }
inline void WriteLEI32(std::uint8_t* p, std::int32_t value) { WriteLE32(p, static_cast<std::uint32_t>(value)); }

inline double ReadLEF64(const std::uint8_t* p) {
  const std::uint64_t bits = ReadLE32(p) | static_cast<std::uint64_t>(ReadLE32(p + 4)) << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void WriteLEF64(std::uint8_t* p, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteLE32(p, static_cast<std::uint32_t>(bits));
  WriteLE32(p + 4, static_cast<std::uint32_t>(bits >> 32));
}
