#pragma once
// Our own mixer over one SDL audio device, shaped like the sound buffers the
// game was written for: static buffers played through duplicates that share
// their samples, looping streaming buffers with notification points that the
// audio callback signals and the game polls, and volumes as attenuation in
// hundredths of a decibel. It knows nothing of effects or music tracks.
//
// The mixer runs without a device too: whoever calls Mix drives it.
#include <cstdint>
#include <memory>
#include <mutex>

// The "fmt " chunk fields the mixer plays: PCM, 8-bit unsigned or 16-bit
// signed, mono or stereo.
struct SysAudioFormat {
  std::uint16_t FormatTag = 0;
  std::uint16_t Channels = 0;
  std::uint32_t SamplesPerSec = 0;
  std::uint32_t AvgBytesPerSec = 0;
  std::uint16_t BlockAlign = 0;
  std::uint16_t BitsPerSample = 0;

  // PCM with consistent block size and byte rate, 100-200000 Hz.
  bool IsPlayable() const;
};

constexpr std::int32_t SysAttenuationMin = -10000;  // silence
constexpr std::int32_t SysAttenuationMax = 0;       // full volume

// 10^(attenuation/2000), clamped to the range above; 0 at the minimum.
float SysGainOf(std::int32_t attenuation);

// A buffer handle; a released handle never names a later buffer.
using SysBufferId = std::int32_t;
constexpr SysBufferId SysNoBuffer = -1;

class CSysMixer {
public:
  static constexpr int OutputRate = 44100;  // interleaved stereo, signed 16-bit
  static constexpr int MaxBuffers = 512;
  static constexpr int MaxNotifications = 3;

  CSysMixer();
  ~CSysMixer();
  CSysMixer(const CSysMixer&) = delete;
  CSysMixer& operator=(const CSysMixer&) = delete;

  // A stopped buffer of `bytes` (whole frames) holding silence, at full
  // volume. SysNoBuffer for an unplayable format, an empty size or a full
  // table.
  SysBufferId CreateBuffer(const SysAudioFormat& format, std::uint32_t bytes);
  // Another voice over the same samples, stopped at position 0.
  SysBufferId Duplicate(SysBufferId source);
  // Releasing a buffer also releases its duplicates: they play its samples.
  void Release(SysBufferId id);
  void ReleaseAll();
  int BufferCount() const;

  std::uint32_t Size(SysBufferId id) const;  // 0 for an unknown handle
  // Copies into the buffer from `offset`, wrapping at its end. False for an
  // unknown handle or a count larger than the buffer.
  bool Write(SysBufferId id, std::uint32_t offset, const std::uint8_t* bytes,
             std::uint32_t count);
  bool WriteSilence(SysBufferId id, std::uint32_t offset, std::uint32_t count);
  bool Read(SysBufferId id, std::uint32_t offset, std::uint8_t* bytes, std::uint32_t count) const;

  // Byte offsets the play cursor signals as it reaches them, at most three.
  bool SetNotificationPositions(SysBufferId id, const std::uint32_t* offsets, int count);
  // The lowest signalled notification, which is reset; -1 when none is.
  int TakeNotification(SysBufferId id);
  void ClearNotifications(SysBufferId id);

  bool SetVolume(SysBufferId id, std::int32_t attenuation);
  bool SetCurrentPosition(SysBufferId id, std::uint32_t offset);
  bool GetCurrentPosition(SysBufferId id, std::uint32_t& offset) const;
  bool Play(SysBufferId id, bool looping);
  bool Stop(SysBufferId id);
  // False for an unknown handle.
  bool GetPlaying(SysBufferId id, bool& playing) const;

  // Mixes every playing buffer into `frames` stereo frames, advancing their
  // cursors and signalling the notifications they pass.
  void Mix(std::int16_t* out, int frames);

private:
  struct Buffer;
  static constexpr int MixChunk = 256;

  Buffer* Find(SysBufferId id);
  const Buffer* Find(SysBufferId id) const;
  void ReleaseSlot(int slot);
  int ClaimSlot();
  SysBufferId IdOf(int slot) const;
  void MixBuffer(Buffer& b, int frames);

  std::unique_ptr<Buffer[]> Buffers;
  float Accumulator[MixChunk * 2] = {};
  mutable std::mutex Lock;
};

// The one SDL audio device; its callback drives a mixer.
class CSysAudioDevice {
public:
  CSysAudioDevice() = default;
  CSysAudioDevice(const CSysAudioDevice&) = delete;
  CSysAudioDevice& operator=(const CSysAudioDevice&) = delete;

  // False when there is no audio device (or no audio driver).
  bool Open(CSysMixer& mixer);
  // Safe after SDL has been shut down.
  void Close();
  bool IsOpen() const { return Device != 0; }

private:
  std::uint32_t Device = 0;
};
