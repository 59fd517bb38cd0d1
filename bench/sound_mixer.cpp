// One audio callback period (1024 frames) with a music track streaming and
// eight effects sounding: its cost as a share of the period's real time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/CSoundManager.h"

namespace {

constexpr int PeriodFrames = 1024;

std::map<std::uint16_t, std::vector<std::uint8_t>>& Images() {
  static std::map<std::uint16_t, std::vector<std::uint8_t>> images;
  return images;
}

ResourceBytes FindImage(std::uint16_t id) {
  const auto it = Images().find(id);
  if (it == Images().end()) return {};
  ResourceBytes r;
  r.Data = it->second.data();
  r.Size = it->second.size();
  return r;
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit PCM image of a sine tone in our resource layout.
std::vector<std::uint8_t> Tone(std::uint16_t channels, std::uint32_t rate, double seconds, double hz) {
  const std::uint32_t frames = static_cast<std::uint32_t>(rate * seconds);
  const std::uint32_t block = channels * 2u;
  std::vector<std::uint8_t> out;
  out.reserve(46 + frames * block);
  for (char c : {'R', 'I', 'F', 'F'}) out.push_back(static_cast<std::uint8_t>(c));
  Put(out, 38 + frames * block, 4);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(static_cast<std::uint8_t>(c));
  Put(out, 18, 4);
  Put(out, 1, 2);
  Put(out, channels, 2);
  Put(out, rate, 4);
  Put(out, rate * block, 4);
  Put(out, block, 2);
  Put(out, 16, 2);
  Put(out, 0, 2);
  for (char c : {'d', 'a', 't', 'a'}) out.push_back(static_cast<std::uint8_t>(c));
  Put(out, frames * block, 4);
  for (std::uint32_t f = 0; f < frames; ++f) {
    const auto v = static_cast<std::int16_t>(8000.0 * std::sin(6.283185307 * hz * f / rate));
    for (std::uint16_t c = 0; c < channels; ++c) Put(out, static_cast<std::uint16_t>(v), 2);
  }
  return out;
}

void BM_CallbackPeriodMusicAndEightEffects(benchmark::State& state) {
  Images().clear();
  Images()[BgmResourceBase + 8] = Tone(2, 44100, 10.0, 220.0);
  // Half the effects at 22050 Hz mono, so the resampling path is counted.
  for (int i = 0; i < 8; ++i)
    Images()[SoundEffectResourceIds[i]] =
        i < 4 ? Tone(1, 22050, 1.0, 440.0 + 50 * i) : Tone(2, 44100, 1.0, 660.0 + 50 * i);

  CSoundManager sound;
  sound.FindWave = &FindImage;
  sound.InitWithoutDevice();
  sound.LoadBgm(8, BgmResourceBase + 8, 1.0f, 0, 0, 10 * 44100 * 4);
  sound.PlayBgm(8);
  for (int i = 0; i < 8; ++i) {
    sound.PlaySe(i);
    // Keep every voice sounding for the whole run.
    if (!sound.SeDuplicates[i].empty()) sound.Mixer.Play(sound.SeDuplicates[i].back(), true);
  }

  std::vector<std::int16_t> out(PeriodFrames * 2);
  for (auto _ : state) {
    sound.Mixer.Mix(out.data(), PeriodFrames);
    sound.Update();
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  const double period = static_cast<double>(PeriodFrames) / CSysMixer::OutputRate;
  state.counters["share_of_period"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * period,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  sound.Shutdown();
}
BENCHMARK(BM_CallbackPeriodMusicAndEightEffects);

}  // namespace
