#pragma once
// RIFF WAVE images built in memory, laid out as our resource tool writes
// them: "RIFF", "WAVE", an 18-byte "fmt " chunk, then "data" (samples 46
// bytes in).
#include <cstdint>
#include <cstring>
#include <vector>

struct WaveShape {
  std::uint16_t FormatTag = 1;
  std::uint16_t Channels = 1;
  std::uint32_t Rate = 44100;
  std::uint16_t Bits = 16;
};

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// `declaredData` overrides the "data" chunk's length field (a lying header).
inline std::vector<std::uint8_t> MakeWaveImage(const WaveShape& shape,
                                               const std::vector<std::uint8_t>& samples,
                                               std::int64_t declaredData = -1) {
  const std::uint16_t block = static_cast<std::uint16_t>(shape.Channels * shape.Bits / 8);
  std::vector<std::uint8_t> out;
  out.reserve(46 + samples.size());
  PutTag(out, "RIFF");
  PutLe(out, static_cast<std::uint32_t>(38 + samples.size()), 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 18, 4);
  PutLe(out, shape.FormatTag, 2);
  PutLe(out, shape.Channels, 2);
  PutLe(out, shape.Rate, 4);
  PutLe(out, shape.Rate * block, 4);
  PutLe(out, block, 2);
  PutLe(out, shape.Bits, 2);
  PutLe(out, 0, 2);  // cbSize
  PutTag(out, "data");
  PutLe(out, declaredData >= 0 ? static_cast<std::uint32_t>(declaredData)
                               : static_cast<std::uint32_t>(samples.size()),
        4);
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

inline std::vector<std::uint8_t> Samples16(const std::vector<std::int16_t>& values) {
  std::vector<std::uint8_t> out;
  for (std::int16_t v : values) PutLe(out, static_cast<std::uint16_t>(v), 2);
  return out;
}
