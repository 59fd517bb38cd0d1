#pragma once
// Sound effects and streamed music, played through our own mixer.
#include <cstdint>
#include <vector>

#include "platform/SoundTables.h"
#include "system/ResourceModule.h"
#include "system/SysAudio.h"
#include "system/WaveFile.h"

// Own volume × master volume (percent) as attenuation in hundredths of a
// decibel: 0 at 100 %, -9600 below 1 %.
std::int32_t SoundAttenuation(std::int32_t volume, std::int32_t master);

constexpr int BgmNotifyCount = 3;
constexpr int BgmBufferSeconds = 6;
constexpr int BgmPartSeconds = 2;

class CSoundManager {
public:
  CSoundManager();
  ~CSoundManager();
  CSoundManager(const CSoundManager&) = delete;
  CSoundManager& operator=(const CSoundManager&) = delete;

  // Opens the audio device and loads the effects. False, and silence from
  // then on, when there is no device.
  bool Init();
  // The same without a device: whoever calls Mixer.Mix plays the sound.
  bool InitWithoutDevice();
  // Leaves nothing loaded, so later calls touch no released buffer.
  void Shutdown();
  void Update();

  bool PlaySe(SoundEffectId id);

  void LoadBgm(BgmTrack t, std::uint16_t resourceId, float scale, std::uint32_t start,
               std::uint32_t loopStart, std::uint32_t loopEnd);
  bool PlayBgm(BgmTrack t);
  bool StopAllBgm();
  bool IsBgmPlaying(BgmTrack t) const;
  int GetPlayingBgm() const;
  void SetBgmTrackVolume(BgmTrack t, int percent);
  bool SetBgmVolume(int percent);
  // Both only concern music that is not a "WAVE" stream, which we never have.
  void UnloadBgm(BgmTrack t);
  void SetBgmLoopForever(BgmTrack t);

  // Where "WAVE" resources come from: the game's module unless replaced.
  ResourceBytes (*FindWave)(std::uint16_t id);

  CSysMixer Mixer;
  CSysAudioDevice Device;
  bool Running = false;

  const std::uint8_t* SeData[SoundEffectCount] = {};
  SysBufferId SeBuffer[SoundEffectCount];
  std::vector<SysBufferId> SeDuplicates[SoundEffectCount];
  int SeVolume[SoundEffectCount];
  int SeGuardFrames[SoundEffectCount];
  int SeGuard[SoundEffectCount] = {};

  SysBufferId BgmBuffer[BgmTrackCount];
  std::uint32_t BgmNotifyOffsets[BgmTrackCount][BgmNotifyCount] = {};
  std::uint32_t BgmPartBytes[BgmTrackCount] = {};
  WaveInfo BgmData[BgmTrackCount];
  std::uint8_t BgmSkipFirstNotify[BgmTrackCount] = {};
  std::uint32_t BgmReadPos[BgmTrackCount] = {};
  std::uint64_t BgmLoopStart[BgmTrackCount] = {};
  std::uint64_t BgmLoopEnd[BgmTrackCount] = {};
  int BgmTrackVolume[BgmTrackCount];
  int BgmMasterVolume = 80;
  int SeMasterVolume = 80;

private:
  bool Start();
  void LoadSoundEffect(int i, std::uint16_t resourceId);
  void ReleaseTrack(BgmTrack t);
  // Copies `count` bytes of track t into its buffer at `offset`, from
  // BgmReadPos on, going back to the loop start at the loop end.
  bool Stream(BgmTrack t, std::uint32_t offset, std::uint32_t count);
};

CSoundManager* GetSoundManager();
