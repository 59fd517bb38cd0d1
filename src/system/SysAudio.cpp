#include "system/SysAudio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr std::uint32_t MaxBufferBytes = 0x0FFFFFFF;
constexpr std::uint32_t GenerationMask = 0x1FFFFF;
constexpr int SlotBits = 10;
constexpr std::uint64_t FixedOne = std::uint64_t{1} << 32;

// Handles carry the slot's generation, so a stale one finds nothing.
std::uint32_t NextGeneration(std::uint32_t generation) {
  const std::uint32_t next = (generation + 1) & GenerationMask;
  return next != 0 ? next : 1;
}

std::uint8_t SilenceByte(const SysAudioFormat& format) {
  return format.BitsPerSample == 8 ? 0x80 : 0x00;
}

template <int Bits, int Channels>
inline void FrameAt(const std::uint8_t* data, std::uint32_t frame, float& left, float& right) {
  constexpr std::uint32_t stride = Bits / 8 * Channels;
  const std::uint8_t* p = data + std::size_t{frame} * stride;
  if constexpr (Bits == 8) {
    left = static_cast<float>((p[0] - 128) * 256);
    right = Channels == 2 ? static_cast<float>((p[1] - 128) * 256) : left;
  } else {
    left = static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8)));
    if constexpr (Channels == 2)
      right = static_cast<float>(static_cast<std::int16_t>(p[2] | (p[3] << 8)));
    else
      right = left;
  }
}

struct VoiceRun {
  std::uint64_t Position;   // in: start, out: where the cursor stands
  std::uint64_t Travelled;  // out: distance covered, 32.32 frames
  bool Ended;               // out: a one-shot buffer ran off its end
};

// Linear interpolation between neighbouring frames; with the output's own
// rate the fraction stays 0 and samples pass through unchanged.
template <int Bits, int Channels>
void MixRun(const std::uint8_t* data, std::uint32_t frames, bool looping, std::uint64_t step,
            float gain, float* acc, int count, VoiceRun& run) {
  const std::uint64_t end = std::uint64_t{frames} << 32;
  std::uint64_t pos = run.Position;
  run.Travelled = 0;
  run.Ended = false;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t f = static_cast<std::uint32_t>(pos >> 32);
    std::uint32_t next = f + 1;
    if (next >= frames) next = looping ? 0 : f;
    float l0, r0, l1, r1;
    FrameAt<Bits, Channels>(data, f, l0, r0);
    FrameAt<Bits, Channels>(data, next, l1, r1);
    const float t = static_cast<float>(static_cast<std::uint32_t>(pos)) * (1.0f / 4294967296.0f);
    acc[2 * i] += gain * (l0 + (l1 - l0) * t);
    acc[2 * i + 1] += gain * (r0 + (r1 - r0) * t);
    pos += step;
    run.Travelled += step;
    if (pos >= end) {
      if (!looping) {
        run.Ended = true;
        break;
      }
      pos %= end;
    }
  }
  run.Position = pos;
}

}  // namespace

bool SysAudioFormat::IsPlayable() const {
  if (FormatTag != 1) return false;
  if (Channels != 1 && Channels != 2) return false;
  if (BitsPerSample != 8 && BitsPerSample != 16) return false;
  if (SamplesPerSec < 100 || SamplesPerSec > 200000) return false;
  if (BlockAlign != Channels * BitsPerSample / 8) return false;
  return AvgBytesPerSec == SamplesPerSec * BlockAlign;
}

float SysGainOf(std::int32_t attenuation) {
  if (attenuation <= SysAttenuationMin) return 0.0f;
  if (attenuation >= SysAttenuationMax) return 1.0f;
  return static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

struct CSysMixer::Buffer {
  bool InUse = false;
  std::uint32_t Generation = 0;
  int Owner = -1;  // the slot whose bytes this buffer plays
  std::unique_ptr<std::uint8_t[]> Bytes;
  std::uint32_t Size = 0;
  std::uint32_t Frames = 0;
  SysAudioFormat Format;
  bool Playing = false;
  bool Looping = false;
  std::uint64_t Position = 0;  // frames, 32.32 fixed point
  std::uint64_t Step = 0;
  float Gain = 1.0f;
  int NotifyCount = 0;
  std::uint32_t NotifyFrames[MaxNotifications] = {};
  bool Signalled[MaxNotifications] = {};
};

CSysMixer::CSysMixer() : Buffers(new Buffer[MaxBuffers]) {}
CSysMixer::~CSysMixer() = default;

CSysMixer::Buffer* CSysMixer::Find(SysBufferId id) {
  if (id < 0) return nullptr;
  const int slot = id & ((1 << SlotBits) - 1);
  const std::uint32_t generation = static_cast<std::uint32_t>(id) >> SlotBits;
  if (slot >= MaxBuffers) return nullptr;
  Buffer& b = Buffers[slot];
  if (!b.InUse || b.Generation != generation) return nullptr;
  return &b;
}

const CSysMixer::Buffer* CSysMixer::Find(SysBufferId id) const {
  return const_cast<CSysMixer*>(this)->Find(id);
}

SysBufferId CSysMixer::CreateBuffer(const SysAudioFormat& format, std::uint32_t bytes) {
  if (!format.IsPlayable()) return SysNoBuffer;
  bytes -= bytes % format.BlockAlign;
  if (bytes == 0 || bytes > MaxBufferBytes) return SysNoBuffer;
  std::unique_ptr<std::uint8_t[]> storage(new (std::nothrow) std::uint8_t[bytes]);
  if (!storage) return SysNoBuffer;
  std::memset(storage.get(), SilenceByte(format), bytes);

  std::lock_guard<std::mutex> guard(Lock);
  const int slot = ClaimSlot();
  if (slot < 0) return SysNoBuffer;
  Buffer& b = Buffers[slot];
  b.Owner = slot;
  b.Bytes = std::move(storage);
  b.Size = bytes;
  b.Frames = bytes / format.BlockAlign;
  b.Format = format;
  b.Step = (std::uint64_t{format.SamplesPerSec} << 32) / OutputRate;
  return IdOf(slot);
}

SysBufferId CSysMixer::Duplicate(SysBufferId source) {
  std::lock_guard<std::mutex> guard(Lock);
  const Buffer* from = Find(source);
  if (!from) return SysNoBuffer;
  const int slot = ClaimSlot();
  if (slot < 0) return SysNoBuffer;
  Buffer& b = Buffers[slot];
  b.Owner = from->Owner;
  b.Size = from->Size;
  b.Frames = from->Frames;
  b.Format = from->Format;
  b.Step = from->Step;
  b.Gain = from->Gain;
  return IdOf(slot);
}

// A free slot made ready under a new generation, so that ids of its former
// buffer no longer find it; -1 when every slot is taken. Called under Lock.
int CSysMixer::ClaimSlot() {
  for (int slot = 0; slot < MaxBuffers; ++slot) {
    Buffer& b = Buffers[slot];
    if (b.InUse) continue;
    const std::uint32_t generation = NextGeneration(b.Generation);
    b = Buffer{};
    b.InUse = true;
    b.Generation = generation;
    return slot;
  }
  return -1;
}

SysBufferId CSysMixer::IdOf(int slot) const {
  return static_cast<SysBufferId>((Buffers[slot].Generation << SlotBits) | static_cast<std::uint32_t>(slot));
}

void CSysMixer::ReleaseSlot(int slot) {
  Buffer& b = Buffers[slot];
  const std::uint32_t generation = b.Generation;
  const bool owner = b.Owner == slot;
  b = Buffer{};
  b.Generation = generation;
  if (!owner) return;
  for (int other = 0; other < MaxBuffers; ++other) {
    if (Buffers[other].InUse && Buffers[other].Owner == slot) ReleaseSlot(other);
  }
}

void CSysMixer::Release(SysBufferId id) {
  std::lock_guard<std::mutex> guard(Lock);
  if (Find(id)) ReleaseSlot(id & ((1 << SlotBits) - 1));
}

void CSysMixer::ReleaseAll() {
  std::lock_guard<std::mutex> guard(Lock);
  for (int slot = 0; slot < MaxBuffers; ++slot) {
    if (Buffers[slot].InUse) ReleaseSlot(slot);
  }
}

int CSysMixer::BufferCount() const {
  std::lock_guard<std::mutex> guard(Lock);
  int count = 0;
  for (int slot = 0; slot < MaxBuffers; ++slot) count += Buffers[slot].InUse ? 1 : 0;
  return count;
}

std::uint32_t CSysMixer::Size(SysBufferId id) const {
  std::lock_guard<std::mutex> guard(Lock);
  const Buffer* b = Find(id);
  return b ? b->Size : 0;
}

bool CSysMixer::Write(SysBufferId id, std::uint32_t offset, const std::uint8_t* bytes,
                      std::uint32_t count) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b || offset >= b->Size || count > b->Size || (count && !bytes)) return false;
  std::uint8_t* data = Buffers[b->Owner].Bytes.get();
  const std::uint32_t first = std::min(count, b->Size - offset);
  std::memcpy(data + offset, bytes, first);
  std::memcpy(data, bytes + first, count - first);
  return true;
}

bool CSysMixer::WriteSilence(SysBufferId id, std::uint32_t offset, std::uint32_t count) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b || offset >= b->Size || count > b->Size) return false;
  std::uint8_t* data = Buffers[b->Owner].Bytes.get();
  const std::uint8_t silence = SilenceByte(b->Format);
  const std::uint32_t first = std::min(count, b->Size - offset);
  std::memset(data + offset, silence, first);
  std::memset(data, silence, count - first);
  return true;
}

bool CSysMixer::Read(SysBufferId id, std::uint32_t offset, std::uint8_t* bytes,
                     std::uint32_t count) const {
  std::lock_guard<std::mutex> guard(Lock);
  const Buffer* b = Find(id);
  if (!b || offset >= b->Size || count > b->Size || (count && !bytes)) return false;
  const std::uint8_t* data = Buffers[b->Owner].Bytes.get();
  const std::uint32_t first = std::min(count, b->Size - offset);
  std::memcpy(bytes, data + offset, first);
  std::memcpy(bytes + first, data, count - first);
  return true;
}

bool CSysMixer::SetNotificationPositions(SysBufferId id, const std::uint32_t* offsets,
                                         int count) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b || count < 0 || count > MaxNotifications || (count && !offsets)) return false;
  for (int i = 0; i < count; ++i) {
    if (offsets[i] >= b->Size) return false;
  }
  b->NotifyCount = count;
  for (int i = 0; i < MaxNotifications; ++i) {
    b->NotifyFrames[i] = i < count ? offsets[i] / b->Format.BlockAlign : 0;
    b->Signalled[i] = false;
  }
  return true;
}

int CSysMixer::TakeNotification(SysBufferId id) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b) return -1;
  for (int i = 0; i < b->NotifyCount; ++i) {
    if (b->Signalled[i]) {
      b->Signalled[i] = false;
      return i;
    }
  }
  return -1;
}

void CSysMixer::ClearNotifications(SysBufferId id) {
  std::lock_guard<std::mutex> guard(Lock);
  if (Buffer* b = Find(id)) {
    for (bool& s : b->Signalled) s = false;
  }
}

bool CSysMixer::SetVolume(SysBufferId id, std::int32_t attenuation) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b) return false;
  b->Gain = SysGainOf(attenuation);
  return true;
}

bool CSysMixer::SetCurrentPosition(SysBufferId id, std::uint32_t offset) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b || offset >= b->Size) return false;
  b->Position = std::uint64_t{offset / b->Format.BlockAlign} << 32;
  return true;
}

bool CSysMixer::GetCurrentPosition(SysBufferId id, std::uint32_t& offset) const {
  std::lock_guard<std::mutex> guard(Lock);
  const Buffer* b = Find(id);
  if (!b) return false;
  offset = static_cast<std::uint32_t>(b->Position >> 32) * b->Format.BlockAlign;
  return true;
}

bool CSysMixer::Play(SysBufferId id, bool looping) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b) return false;
  b->Playing = true;
  b->Looping = looping;
  return true;
}

bool CSysMixer::Stop(SysBufferId id) {
  std::lock_guard<std::mutex> guard(Lock);
  Buffer* b = Find(id);
  if (!b) return false;
  b->Playing = false;
  return true;
}

bool CSysMixer::GetPlaying(SysBufferId id, bool& playing) const {
  std::lock_guard<std::mutex> guard(Lock);
  const Buffer* b = Find(id);
  if (!b) return false;
  playing = b->Playing;
  return true;
}

void CSysMixer::MixBuffer(Buffer& b, int frames) {
  const std::uint8_t* data = Buffers[b.Owner].Bytes.get();
  VoiceRun run{b.Position, 0, false};
  const std::uint64_t start = b.Position;
  const bool stereo = b.Format.Channels == 2;
  if (b.Format.BitsPerSample == 16) {
    if (stereo)
      MixRun<16, 2>(data, b.Frames, b.Looping, b.Step, b.Gain, Accumulator, frames, run);
    else
      MixRun<16, 1>(data, b.Frames, b.Looping, b.Step, b.Gain, Accumulator, frames, run);
  } else {
    if (stereo)
      MixRun<8, 2>(data, b.Frames, b.Looping, b.Step, b.Gain, Accumulator, frames, run);
    else
      MixRun<8, 1>(data, b.Frames, b.Looping, b.Step, b.Gain, Accumulator, frames, run);
  }

  // A notification fires when the cursor reaches its frame: frames k with
  // start <= k < start + travelled, counted round the buffer.
  const std::uint64_t reach = start + run.Travelled;
  const std::uint64_t first = (start + FixedOne - 1) >> 32;  // first whole frame at or after start
  for (int i = 0; i < b.NotifyCount; ++i) {
    const std::uint64_t k = b.NotifyFrames[i];
    const std::uint64_t ahead = (k + b.Frames - first % b.Frames) % b.Frames;
    if (((first + ahead) << 32) < reach) b.Signalled[i] = true;
  }

  b.Position = run.Position;
  if (run.Ended) {
    b.Playing = false;
    b.Position = 0;
  }
}

void CSysMixer::Mix(std::int16_t* out, int frames) {
  std::lock_guard<std::mutex> guard(Lock);
  while (frames > 0) {
    const int count = std::min(frames, MixChunk);
    std::fill(Accumulator, Accumulator + 2 * count, 0.0f);
    for (int slot = 0; slot < MaxBuffers; ++slot) {
      Buffer& b = Buffers[slot];
      if (b.InUse && b.Playing) MixBuffer(b, count);
    }
    for (int i = 0; i < 2 * count; ++i) {
      const float v = std::clamp(Accumulator[i], -32768.0f, 32767.0f);
      out[i] = static_cast<std::int16_t>(std::lrint(v));
    }
    out += 2 * count;
    frames -= count;
  }
}

namespace {

void SDLCALL MixerCallback(void* user, Uint8* stream, int length) {
  static_cast<CSysMixer*>(user)->Mix(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

}  // namespace

bool CSysAudioDevice::Open(CSysMixer& mixer) {
  if (Device != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = CSysMixer::OutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = &MixerCallback;
  want.userdata = &mixer;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the device takes.
  Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (Device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(Device, 0);
  return true;
}

void CSysAudioDevice::Close() {
  if (Device == 0) return;
  // At exit SDL may already be down, devices and all.
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
    SDL_CloseAudioDevice(Device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  Device = 0;
}
