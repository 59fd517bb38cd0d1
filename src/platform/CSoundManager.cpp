#include "platform/CSoundManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

ResourceBytes FindWaveInModule(std::uint16_t id) { return GetResourceModule().Find("WAVE", id); }

SysAudioFormat FormatOf(const WaveInfo& wave) {
  SysAudioFormat f;
  f.FormatTag = wave.FormatTag;
  f.Channels = wave.Channels;
  f.SamplesPerSec = wave.SamplesPerSec;
  f.AvgBytesPerSec = wave.AvgBytesPerSec;
  f.BlockAlign = wave.BlockAlign;
  f.BitsPerSample = wave.BitsPerSample;
  return f;
}

std::uint64_t AlignDown(std::uint64_t value, std::uint32_t block) { return value - value % block; }

// At least one page on any machine we run on.
constexpr std::uint32_t PageBytes = 1u << 16;

bool ValidTrack(BgmTrack t) { return t >= 0 && t < BgmTrackCount; }

}  // namespace

std::int32_t SoundAttenuation(std::int32_t volume, std::int32_t master) {
  // 64-bit: a damaged settings block may hold any volume.
  std::int64_t v = std::int64_t{volume} * master / 100;
  if (v > 100) v = 100;
  if (v < 1) return -9600;
  // log10(v) - 2 rather than log10(v / 100), so 10 % gives exactly -2000.
  return static_cast<std::int32_t>(std::trunc(2000.0 * (std::log10(static_cast<double>(v)) - 2.0)));
}

CSoundManager::CSoundManager() : FindWave(&FindWaveInModule) {
  for (int i = 0; i < SoundEffectCount; ++i) {
    SeBuffer[i] = SysNoBuffer;
    SeVolume[i] = 100;
    SeGuardFrames[i] = 1;
  }
  for (int t = 0; t < BgmTrackCount; ++t) {
    BgmBuffer[t] = SysNoBuffer;
    BgmTrackVolume[t] = 100;
  }
}

CSoundManager::~CSoundManager() { Shutdown(); }

bool CSoundManager::Init() {
  if (Running) return true;
  if (!Device.Open(Mixer)) return false;
  return Start();
}

bool CSoundManager::InitWithoutDevice() {
  if (Running) return true;
  return Start();
}

bool CSoundManager::Start() {
  Running = true;
  for (int i = 0; i < SoundEffectCount; ++i) LoadSoundEffect(i, SoundEffectResourceIds[i]);
  SetBgmVolume(BgmMasterVolume);
  return true;
}

void CSoundManager::Shutdown() {
  // The device first: its callback must not mix buffers being released.
  Device.Close();
  Mixer.ReleaseAll();
  for (int i = 0; i < SoundEffectCount; ++i) {
    SeData[i] = nullptr;
    SeBuffer[i] = SysNoBuffer;
    SeDuplicates[i].clear();
    SeGuard[i] = 0;
  }
  for (int t = 0; t < BgmTrackCount; ++t) {
    BgmBuffer[t] = SysNoBuffer;
    BgmData[t] = WaveInfo{};
  }
  Running = false;
}

void CSoundManager::LoadSoundEffect(int i, std::uint16_t resourceId) {
  const ResourceBytes resource = FindWave ? FindWave(resourceId) : ResourceBytes{};
  WaveInfo wave;
  if (!ParseWave(resource, wave)) return;
  const SysBufferId buffer = Mixer.CreateBuffer(FormatOf(wave), wave.SampleBytes);
  if (buffer == SysNoBuffer) return;
  // The buffer holds the whole frames of what is present, never more.
  if (!Mixer.Write(buffer, 0, wave.Samples, Mixer.Size(buffer))) {
    Mixer.Release(buffer);
    return;
  }
  // The buffer has its own copy.
  GetResourceModule().Forget(resource.Data, resource.Size);
  SeData[i] = resource.Data;
  SeBuffer[i] = buffer;
}

bool CSoundManager::PlaySe(SoundEffectId id) {
  if (id < 0 || id >= SoundEffectCount) return false;
  if (SeGuard[id] > 0) return true;
  if (SeBuffer[id] == SysNoBuffer) return false;
  const std::int32_t attenuation = SoundAttenuation(SeVolume[id], SeMasterVolume);

  SysBufferId voice = SysNoBuffer;
  for (SysBufferId duplicate : SeDuplicates[id]) {
    bool playing = false;
    if (!Mixer.GetPlaying(duplicate, playing)) return false;
    if (!playing) {
      voice = duplicate;
      break;
    }
  }
  if (voice == SysNoBuffer) {
    voice = Mixer.Duplicate(SeBuffer[id]);
    if (voice == SysNoBuffer) return false;
    SeDuplicates[id].push_back(voice);
  }
  Mixer.SetVolume(voice, attenuation);
  Mixer.SetCurrentPosition(voice, 0);
  Mixer.Play(voice, false);
  SeGuard[id] = SeGuardFrames[id];
  return true;
}

void CSoundManager::ReleaseTrack(BgmTrack t) {
  if (BgmBuffer[t] != SysNoBuffer) Mixer.Release(BgmBuffer[t]);
  BgmBuffer[t] = SysNoBuffer;
  BgmData[t] = WaveInfo{};
}

void CSoundManager::LoadBgm(BgmTrack t, std::uint16_t resourceId, float scale, std::uint32_t start,
                            std::uint32_t loopStart, std::uint32_t loopEnd) {
  (void)scale;  // only meant for music that is not a "WAVE" stream
  if (!ValidTrack(t)) return;
  StopAllBgm();
  // Loading a track again replaces its buffer rather than losing it.
  ReleaseTrack(t);
  BgmSkipFirstNotify[t] = 1;
  BgmLoopStart[t] = loopStart;
  BgmLoopEnd[t] = loopEnd;
  if (!Running || !FindWave) return;

  WaveInfo wave;
  if (!ParseWave(FindWave(resourceId), wave)) return;
  const SysAudioFormat format = FormatOf(wave);
  if (!format.IsPlayable()) return;

  // Loop points and the start stay on whole frames within the samples
  // present: a short track or one of a player's own module still loops.
  const std::uint32_t block = format.BlockAlign;
  const std::uint64_t present = AlignDown(wave.SampleBytes, block);
  BgmLoopEnd[t] = AlignDown(std::min<std::uint64_t>(loopEnd, present), block);
  BgmLoopStart[t] = AlignDown(loopStart, block);
  // A track that ends before its loop would begin loops whole.
  if (BgmLoopStart[t] >= BgmLoopEnd[t]) BgmLoopStart[t] = 0;

  const std::uint32_t part = BgmPartSeconds * format.AvgBytesPerSec;
  const std::uint32_t length = BgmBufferSeconds * format.AvgBytesPerSec;
  const SysBufferId buffer = Mixer.CreateBuffer(format, length);
  if (buffer == SysNoBuffer) return;
  for (int i = 0; i < BgmNotifyCount; ++i) BgmNotifyOffsets[t][i] = length / BgmNotifyCount * i;
  if (!Mixer.SetNotificationPositions(buffer, BgmNotifyOffsets[t], BgmNotifyCount)) {
    Mixer.Release(buffer);
    return;
  }
  BgmBuffer[t] = buffer;
  BgmData[t] = wave;
  BgmPartBytes[t] = part;
  BgmReadPos[t] = static_cast<std::uint32_t>(AlignDown(start, block));
  if (!Stream(t, 0, length)) ReleaseTrack(t);
}

bool CSoundManager::Stream(BgmTrack t, std::uint32_t offset, std::uint32_t count) {
  const SysBufferId buffer = BgmBuffer[t];
  const std::uint32_t size = Mixer.Size(buffer);
  if (size == 0) return false;
  const std::uint8_t* samples = BgmData[t].Samples;
  while (count > 0) {
    if (BgmReadPos[t] >= BgmLoopEnd[t]) BgmReadPos[t] = static_cast<std::uint32_t>(BgmLoopStart[t]);
    // An empty loop has nothing more to give.
    if (BgmReadPos[t] >= BgmLoopEnd[t]) return Mixer.WriteSilence(buffer, offset, count);
    const std::uint32_t n =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(count, BgmLoopEnd[t] - BgmReadPos[t]));
    if (!Mixer.Write(buffer, offset, samples + BgmReadPos[t], n)) return false;
    // What has been played leaves memory; the page it ends in, next time.
    const std::uint32_t behind = std::min<std::uint32_t>(BgmReadPos[t], PageBytes);
    GetResourceModule().Forget(samples + BgmReadPos[t] - behind, n + behind);
    BgmReadPos[t] += n;
    offset = static_cast<std::uint32_t>((std::uint64_t{offset} + n) % size);
    count -= n;
  }
  return true;
}

bool CSoundManager::PlayBgm(BgmTrack t) {
  if (!ValidTrack(t) || BgmBuffer[t] == SysNoBuffer) return false;
  Mixer.SetVolume(BgmBuffer[t], SoundAttenuation(BgmTrackVolume[t], BgmMasterVolume));
  Mixer.Play(BgmBuffer[t], true);
  return true;
}

bool CSoundManager::StopAllBgm() {
  if (!Running) return false;
  for (int t = 0; t < BgmTrackCount; ++t) {
    const SysBufferId buffer = BgmBuffer[t];
    if (buffer == SysNoBuffer) continue;
    Mixer.Stop(buffer);
    Mixer.SetCurrentPosition(buffer, 0);
    // A notification left pending from before the stop would refill the
    // part that plays first after the next start.
    Mixer.ClearNotifications(buffer);
    BgmSkipFirstNotify[t] = 1;
    BgmReadPos[t] = 0;
    Stream(t, 0, Mixer.Size(buffer));
  }
  return true;
}

void CSoundManager::Update() {
  for (int i = 0; i < SoundEffectCount; ++i) {
    if (SeGuard[i] > 0) --SeGuard[i];
  }
  for (int t = 0; t < BgmTrackCount; ++t) {
    if (BgmBuffer[t] == SysNoBuffer) continue;
    const int r = Mixer.TakeNotification(BgmBuffer[t]);
    if (r < 0) continue;
    // The notification at position 0 as play starts: the whole buffer is
    // already fresh.
    if (BgmSkipFirstNotify[t]) {
      BgmSkipFirstNotify[t] = 0;
      return;
    }
    // The part before the one now starting has just played out.
    const std::uint32_t partStart = BgmNotifyOffsets[t][(r + 2) % BgmNotifyCount];
    if (!Stream(t, partStart, BgmPartBytes[t])) return;
  }
}

bool CSoundManager::IsBgmPlaying(BgmTrack t) const {
  if (!ValidTrack(t) || BgmBuffer[t] == SysNoBuffer) return false;
  bool playing = false;
  return Mixer.GetPlaying(BgmBuffer[t], playing) && playing;
}

int CSoundManager::GetPlayingBgm() const {
  for (int t = 0; t < BgmTrackCount; ++t) {
    if (IsBgmPlaying(t)) return t;
  }
  return -1;
}

void CSoundManager::SetBgmTrackVolume(BgmTrack t, int percent) {
  if (!ValidTrack(t)) return;
  BgmTrackVolume[t] = percent;
  if (BgmBuffer[t] != SysNoBuffer)
    Mixer.SetVolume(BgmBuffer[t], SoundAttenuation(percent, BgmMasterVolume));
}

bool CSoundManager::SetBgmVolume(int percent) {
  BgmMasterVolume = percent;
  for (int t = 0; t < BgmTrackCount; ++t) {
    if (BgmBuffer[t] != SysNoBuffer)
      Mixer.SetVolume(BgmBuffer[t], SoundAttenuation(BgmTrackVolume[t], percent));
  }
  return true;
}

void CSoundManager::UnloadBgm(BgmTrack) {}
void CSoundManager::SetBgmLoopForever(BgmTrack) {}

// The manager is shut down at exit but its storage is never destroyed: the
// game object, built before it, stops the music in its own destructor after
// the shutdown has run, and must still reach a valid (silent) manager.
CSoundManager* GetSoundManager() {
  static CSoundManager* manager = [] {
    CSoundManager* made = new CSoundManager();
    std::atexit([] { GetSoundManager()->Shutdown(); });
    return made;
  }();
  return manager;
}
