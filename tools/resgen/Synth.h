#pragma once
// Stand-in sounds. Every "WAVE" resource is a RIFF WAVE image with an
// 18-byte "fmt " chunk directly before "data", so its samples start 46
// bytes in, where the music refill reads them.
#include <cstdint>
#include <vector>

#include "system/PeWriter.h"

constexpr std::uint32_t WaveHeaderSize = 46;

// The 46 bytes in front of `dataBytes` bytes of 16-bit PCM.
std::vector<std::uint8_t> MakeWaveHeader(int channels, std::uint32_t rate, std::uint32_t dataBytes);

// Sound effect `index` (0-86): a short mono sound of its own.
std::vector<std::uint8_t> MakeEffectWave(int index);

// Music track `track` (0-18): 44.1 kHz 16-bit stereo, a tune whose loop
// between the track's loop points joins without a click. It runs a little
// past the loop end, continuing as the loop does.
std::uint32_t MusicWaveSize(int track);
bool WriteMusicWave(int track, const CPeResourceWriter::Sink& sink);
