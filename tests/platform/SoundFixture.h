#pragma once
// A sound manager driven by hand: no device, "WAVE" resources built in
// memory, output mixed on demand.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "platform/CSoundManager.h"
#include "system/WaveImage.h"

inline std::map<std::uint16_t, std::vector<std::uint8_t>>& TestWaveImages() {
  static std::map<std::uint16_t, std::vector<std::uint8_t>> images;
  return images;
}

inline ResourceBytes FindTestWave(std::uint16_t id) {
  const auto& images = TestWaveImages();
  const auto it = images.find(id);
  if (it == images.end()) return {};
  ResourceBytes r;
  r.Data = it->second.data();
  r.Size = it->second.size();
  return r;
}

class SoundTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestWaveImages().clear();
    Sound = std::make_unique<CSoundManager>();
    Sound->FindWave = &FindTestWave;
  }
  void TearDown() override {
    Sound.reset();  // before the images its tracks point into
    TestWaveImages().clear();
  }

  std::vector<std::int16_t> Mix(int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    Sound->Mixer.Mix(out.data(), frames);
    return out;
  }
  void MixSeconds(double seconds) { Mix(static_cast<int>(std::lround(seconds * CSysMixer::OutputRate))); }

  std::vector<std::uint8_t> BufferAt(BgmTrack t, std::uint32_t offset, std::uint32_t count) {
    std::vector<std::uint8_t> out(count);
    EXPECT_TRUE(Sound->Mixer.Read(Sound->BgmBuffer[t], offset, out.data(), count));
    return out;
  }

  std::unique_ptr<CSoundManager> Sound;
};

// The game's own sound manager, restarted without a device and finding every
// music track as one short made-up tune, for as long as this object lives.
class StubbedGameMusic {
public:
  StubbedGameMusic() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    saved_ = sound->FindWave;
    sound->FindWave = &FindTune;
    Started = sound->InitWithoutDevice();
  }
  ~StubbedGameMusic() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    sound->FindWave = saved_;
  }
  StubbedGameMusic(const StubbedGameMusic&) = delete;
  StubbedGameMusic& operator=(const StubbedGameMusic&) = delete;

  bool Started = false;

private:
  static ResourceBytes FindTune(std::uint16_t id) {
    static const std::vector<std::uint8_t> tune =
        MakeWaveImage(WaveShape{}, std::vector<std::uint8_t>(2 * 44100, 0x10));
    if (id < BgmResourceBase || id >= BgmResourceBase + BgmTrackCount) return {};
    return ResourceBytes{tune.data(), tune.size()};
  }
  ResourceBytes (*saved_)(std::uint16_t) = nullptr;
};
