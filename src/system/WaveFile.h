#pragma once
// A "WAVE" resource: a RIFF WAVE image. Searches are bounded by the bytes
// actually present, so any file may be handed in.
#include <cstdint>

#include "system/ResourceModule.h"

struct WaveInfo {
  std::uint16_t FormatTag = 0;
  std::uint16_t Channels = 0;
  std::uint32_t SamplesPerSec = 0;
  std::uint32_t AvgBytesPerSec = 0;
  std::uint16_t BlockAlign = 0;
  std::uint16_t BitsPerSample = 0;
  const std::uint8_t* Samples = nullptr;  // the "data" chunk's body
  std::uint32_t SampleBytes = 0;           // clipped to the bytes present
  std::uint32_t DataOffset = 0;            // offset of Samples in the resource
};

// "RIFF" within the first 2000 bytes, then "fmt " and "data" within 65535
// bytes after it. False when any of them is missing or malformed.
bool ParseWave(const ResourceBytes& bytes, WaveInfo& out);
