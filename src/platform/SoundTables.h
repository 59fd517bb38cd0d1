#pragma once
#include <cstdint>

using SoundEffectId = std::int32_t;  // 0-86
using BgmTrack = std::int32_t;       // 0-18; -1 is silence

constexpr int SoundEffectCount = 87;
constexpr int BgmTrackCount = 19;
constexpr std::uint16_t BgmResourceBase = 10000;  // track t is "WAVE" 10000 + t

// "WAVE" resource id of every sound effect.
extern const std::uint16_t SoundEffectResourceIds[SoundEffectCount];

// Where each music track starts and loops, as byte offsets into its
// sample data.
struct MusicRow {
  std::int32_t Volume;
  std::uint32_t Start;
  std::uint32_t LoopStart;
  std::uint32_t LoopEnd;
};
extern const MusicRow MusicTable[BgmTrackCount];
