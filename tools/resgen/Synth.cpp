#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SoundTables.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr std::uint32_t EffectRate = 22050;
constexpr std::uint32_t MusicRate = 44100;
constexpr std::uint32_t MusicFrameBytes = 4;  // 16-bit stereo
// Frames written after the loop end: the loop's own beginning again.
constexpr std::uint32_t MusicTailFrames = 4096;

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

std::int16_t ToSample(double v) {
  const double s = std::clamp(v, -1.0, 1.0) * 32767.0;
  return static_cast<std::int16_t>(std::lround(s));
}

// A deterministic noise source.
struct Noise {
  std::uint32_t State;
  double Next() {
    State = State * 1664525u + 1013904223u;
    return static_cast<double>(State >> 8) / 8388608.0 - 1.0;
  }
};

// Fades in over `attack` and out over `release` samples, so every sound
// starts and ends at silence.
double Edges(std::int64_t i, std::int64_t length, std::int64_t attack, std::int64_t release) {
  double g = 1.0;
  if (i < attack) g = static_cast<double>(i) / static_cast<double>(attack);
  const std::int64_t left = length - 1 - i;
  if (left < release) g = std::min(g, static_cast<double>(left) / static_cast<double>(release));
  return std::max(g, 0.0);
}

// ---- Sound effects ---------------------------------------------------------

enum class EffectKind { Click, Chime, Fall, Zap, Thud, Hit };

EffectKind KindOf(int index) {
  static const int chimes[] = {5, 6, 8, 9, 19, 26, 27, 34, 37, 50, 51, 54, 86};
  static const int falls[] = {11, 24, 25, 29, 31, 41};
  static const int zaps[] = {15, 16, 20, 32, 38, 71, 82, 83, 85};
  static const int thuds[] = {3, 7, 23, 35, 43, 45, 47, 48, 52, 73};
  auto in = [index](const auto& list) { return std::find(std::begin(list), std::end(list), index) != std::end(list); };
  if (index == 4) return EffectKind::Click;
  if (in(chimes)) return EffectKind::Chime;
  if (in(falls)) return EffectKind::Fall;
  if (in(zaps)) return EffectKind::Zap;
  if (in(thuds)) return EffectKind::Thud;
  return EffectKind::Hit;  // the monsters' attacks
}

std::vector<double> SynthesizeEffect(int index) {
  const EffectKind kind = KindOf(index);
  // Pitch and length step with the index, so no two effects are alike.
  const double step = std::pow(2.0, ((index * 5) % 13) / 12.0);
  const double extra = ((index * 3) % 5) * 0.03;
  double seconds = 0.0;
  switch (kind) {
    case EffectKind::Click: seconds = 0.03; break;
    case EffectKind::Chime: seconds = 0.30 + extra; break;
    case EffectKind::Fall: seconds = 0.35 + extra; break;
    case EffectKind::Zap: seconds = 0.18 + extra; break;
    case EffectKind::Thud: seconds = 0.12 + extra; break;
    case EffectKind::Hit: seconds = 0.10 + extra + (index % 4) * 0.02; break;
  }
  seconds += index * 0.0005;  // a length of its own, whatever else coincides
  const std::int64_t length = static_cast<std::int64_t>(seconds * EffectRate);
  std::vector<double> out(static_cast<std::size_t>(length), 0.0);
  Noise noise{static_cast<std::uint32_t>(index) * 2654435761u + 1};
  double phase = 0.0, low = 0.0;
  for (std::int64_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / EffectRate;
    const double u = static_cast<double>(i) / static_cast<double>(length);  // 0..1
    double v = 0.0, freq = 0.0;
    switch (kind) {
      case EffectKind::Click:
        freq = 1500.0;
        v = std::sin(phase) * std::exp(-t * 120.0);
        break;
      case EffectKind::Chime: {
        // Three rising notes of a major chord.
        static const double ratios[3] = {1.0, 1.25, 1.5};
        const int note = std::min(2, static_cast<int>(u * 3));
        freq = 523.25 * step * ratios[note];
        const double since = t - note * seconds / 3;
        v = (std::sin(phase) + 0.3 * std::sin(2 * phase)) * std::exp(-since * 9.0) * 0.8;
        break;
      }
      case EffectKind::Fall:
        freq = 440.0 * step * (1.0 - 0.5 * u) * (1.0 + 0.03 * std::sin(2 * Pi * 9.0 * t));
        v = (std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5) * 0.7;
        break;
      case EffectKind::Zap:
        freq = 1200.0 * step * std::pow(0.15, u);
        v = (2.0 * std::fmod(phase / (2 * Pi), 1.0) - 1.0) * 0.5 * (1.0 - u);
        break;
      case EffectKind::Thud:
        freq = 110.0 * step * (1.0 - 0.4 * u);
        v = std::sin(phase) * std::exp(-t * 18.0) + noise.Next() * 0.3 * std::exp(-t * 80.0);
        break;
      case EffectKind::Hit: {
        freq = 330.0 * step * (1.0 - 0.5 * u);
        const double cutoff = 0.08 + 0.05 * (index % 7);
        low += (noise.Next() - low) * cutoff;
        v = (low * 2.5 + 0.5 * std::sin(phase)) * std::exp(-t * (14.0 + index % 9));
        break;
      }
    }
    phase = std::fmod(phase + 2 * Pi * freq / EffectRate, 2 * Pi * 16);
    out[static_cast<std::size_t>(i)] = v * Edges(i, length, 44, 110);
  }
  return out;
}

// ---- Music -----------------------------------------------------------------

constexpr int TableBits = 12;
constexpr int TableSize = 1 << TableBits;

// One cycle of a voice's waveform, peak 1.
struct Wavetable {
  float Samples[TableSize];
  Wavetable(const double* harmonics, int count) {
    double peak = 0.0;
    for (int i = 0; i < TableSize; ++i) {
      double v = 0.0;
      for (int h = 0; h < count; ++h) v += harmonics[h] * std::sin(2 * Pi * (h + 1) * i / TableSize);
      Samples[i] = static_cast<float>(v);
      peak = std::max(peak, std::fabs(v));
    }
    for (float& s : Samples) s = static_cast<float>(s / peak);
  }
};

const double LeadHarmonics[] = {1.0, 0.35, 0.12, 0.05};
const double BassHarmonics[] = {1.0, 0.0, 0.25, 0.0, 0.08};
const double ArpHarmonics[] = {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14};

struct Voice {
  const Wavetable* Table;
  double Gain;
  double Left, Right;
  double Decay;  // seconds to fall to 1/e
};

double NoteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Adds one note to the stereo buffer. It rises over 4 ms and falls to
// silence over its last 12 ms, so notes that end at a loop point leave
// nothing to click.
void AddNote(std::vector<float>& buffer, std::int64_t start, std::int64_t length, int midi,
             const Voice& voice) {
  const std::int64_t frames = static_cast<std::int64_t>(buffer.size() / 2);
  if (start < 0 || length <= 0 || start >= frames) return;
  length = std::min(length, frames - start);
  const std::int64_t attack = std::min<std::int64_t>(176, length / 4 + 1);
  const std::int64_t release = std::min<std::int64_t>(529, length / 2 + 1);
  const std::uint32_t increment =
      static_cast<std::uint32_t>(NoteFrequency(midi) / MusicRate * 4294967296.0);
  const double fall = std::exp(-1.0 / (voice.Decay * MusicRate));
  std::uint32_t phase = 0;
  double level = voice.Gain;
  float* out = buffer.data() + 2 * start;
  for (std::int64_t i = 0; i < length; ++i) {
    const double v = voice.Table->Samples[phase >> (32 - TableBits)] * level *
                     Edges(i, length, attack, release);
    out[2 * i] += static_cast<float>(v * voice.Left);
    out[2 * i + 1] += static_cast<float>(v * voice.Right);
    phase += increment;
    level *= fall;
  }
}

struct Tune {
  int Root;             // MIDI note of the key's bass root
  const int* Scale;     // seven steps
  const int* Chords;    // scale degree of each bar's chord, four bars
  double BeatSeconds;
};

const int Major[7] = {0, 2, 4, 5, 7, 9, 11};
const int Minor[7] = {0, 2, 3, 5, 7, 8, 10};
const int Dorian[7] = {0, 2, 3, 5, 7, 9, 10};
const int Progressions[4][4] = {{0, 5, 3, 4}, {0, 3, 4, 0}, {0, 6, 5, 4}, {0, 4, 5, 3}};

int Pitch(const Tune& tune, int degree, int octave) {
  const int d = ((degree % 7) + 7) % 7;
  const int o = (degree - d) / 7;
  return tune.Root + 12 * (octave + o) + tune.Scale[d];
}

// The music of a track, frames [0, loopEnd) of it: an intro that ends in
// silence at the loop start, then bars of bass, arpeggio and a melody made
// from a repeated motif, the last of them ending in silence at the loop end.
void ComposeTrack(int track, std::int64_t loopStart, std::int64_t loopEnd, std::vector<float>& buffer) {
  Tune tune;
  tune.Root = 38 + (track * 5) % 12;
  tune.Scale = track == 18 || track == 9 || track % 3 == 0 ? Major : track % 3 == 1 ? Minor : Dorian;
  tune.Chords = Progressions[track % 4];
  tune.BeatSeconds = 0.30 + 0.04 * (track % 5);

  static const Wavetable lead(LeadHarmonics, 4), bass(BassHarmonics, 5), arp(ArpHarmonics, 7);
  const Voice leadVoice{&lead, 0.30, 0.80, 0.60, 0.45};
  const Voice bassVoice{&bass, 0.32, 0.70, 0.70, 0.90};
  const Voice arpVoice{&arp, 0.12, 0.45, 0.85, 0.18};

  std::uint32_t seed = static_cast<std::uint32_t>(track) * 7919u + 17u;
  auto random = [&seed](int n) {
    seed = seed * 214013u + 2531011u;
    return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
  };

  // Intro: the tonic chord climbing, note after note.
  const double beatFrames = tune.BeatSeconds * MusicRate;
  if (loopStart >= 2205) {
    const std::int64_t notes = std::max<std::int64_t>(1, static_cast<std::int64_t>(loopStart / beatFrames));
    for (std::int64_t n = 0; n < notes; ++n) {
      const std::int64_t a = loopStart * n / notes, b = loopStart * (n + 1) / notes;
      AddNote(buffer, a, b - a, Pitch(tune, static_cast<int>((n * 2) % 8), 1), arpVoice);
      if (n % 4 == 0) AddNote(buffer, a, std::min(b, a + static_cast<std::int64_t>(beatFrames * 2)) - a,
                              Pitch(tune, 0, 0), bassVoice);
    }
  }

  // The loop: a whole number of two-bar phrases.
  const std::int64_t loopLength = loopEnd - loopStart;
  std::int64_t beats = static_cast<std::int64_t>(std::llround(loopLength / beatFrames / 8.0)) * 8;
  beats = std::max<std::int64_t>(beats, 8);
  auto beatAt = [&](std::int64_t b) { return loopStart + loopLength * b / beats; };

  // A four-bar motif of melody steps above the bar's chord; 8 means a rest,
  // a negative step splits the beat in two.
  int motif[16];
  for (int& m : motif) m = random(10) < 1 ? 8 : random(6) - (random(4) == 0 ? 10 : 0);

  for (std::int64_t b = 0; b < beats; ++b) {
    const std::int64_t bar = b / 4, inBar = b % 4;
    const int chord = tune.Chords[bar % 4];
    const std::int64_t start = beatAt(b), end = beatAt(b + 1);
    // Bass on the first and third beat, held for two beats.
    if (inBar % 2 == 0) AddNote(buffer, start, beatAt(std::min(b + 2, beats)) - start, Pitch(tune, chord, 0), bassVoice);
    // Arpeggio of the chord in eighths.
    const std::int64_t half = (start + end) / 2;
    static const int arpSteps[4] = {0, 2, 4, 7};
    AddNote(buffer, start, half - start, Pitch(tune, chord + arpSteps[(2 * inBar) % 4], 1), arpVoice);
    AddNote(buffer, half, end - half, Pitch(tune, chord + arpSteps[(2 * inBar + 1) % 4], 1), arpVoice);
    // Melody: the motif, lifted by two steps in every other round.
    int step = motif[b % 16];
    if (step == 8) continue;
    const int lift = (b / 16) % 2 == 1 ? 2 : 0;
    if (step < 0) {
      step += 10;
      AddNote(buffer, start, half - start, Pitch(tune, chord + step + lift, 2), leadVoice);
      AddNote(buffer, half, end - half, Pitch(tune, chord + step + lift + 1, 2), leadVoice);
    } else {
      AddNote(buffer, start, end - start, Pitch(tune, chord + step + lift, 2), leadVoice);
    }
  }
}

}  // namespace

std::vector<std::uint8_t> MakeWaveHeader(int channels, std::uint32_t rate, std::uint32_t dataBytes) {
  std::vector<std::uint8_t> h(WaveHeaderSize, 0);
  const std::uint32_t block = static_cast<std::uint32_t>(channels) * 2;
  std::memcpy(&h[0], "RIFF", 4);
  Put32(&h[4], WaveHeaderSize - 8 + dataBytes);
  std::memcpy(&h[8], "WAVE", 4);
  std::memcpy(&h[12], "fmt ", 4);
  Put32(&h[16], 18);
  Put16(&h[20], 1);  // PCM
  Put16(&h[22], static_cast<std::uint32_t>(channels));
  Put32(&h[24], rate);
  Put32(&h[28], rate * block);
  Put16(&h[32], block);
  Put16(&h[34], 16);
  Put16(&h[36], 0);  // no extra format bytes
  std::memcpy(&h[38], "data", 4);
  Put32(&h[42], dataBytes);
  return h;
}

std::vector<std::uint8_t> MakeEffectWave(int index) {
  const std::vector<double> samples = SynthesizeEffect(index);
  std::vector<std::uint8_t> wave =
      MakeWaveHeader(1, EffectRate, static_cast<std::uint32_t>(samples.size() * 2));
  for (const double v : samples) {
    const std::uint16_t s = static_cast<std::uint16_t>(ToSample(v * 0.8));
    wave.push_back(static_cast<std::uint8_t>(s));
    wave.push_back(static_cast<std::uint8_t>(s >> 8));
  }
  return wave;
}

std::uint32_t MusicWaveSize(int track) {
  return WaveHeaderSize + MusicTable[track].LoopEnd + MusicTailFrames * MusicFrameBytes;
}

bool WriteMusicWave(int track, const CPeResourceWriter::Sink& sink) {
  const MusicRow& row = MusicTable[track];
  if (row.LoopEnd % MusicFrameBytes != 0 || row.LoopStart % MusicFrameBytes != 0 ||
      row.LoopStart >= row.LoopEnd)
    return false;
  const std::int64_t loopStart = row.LoopStart / MusicFrameBytes;
  const std::int64_t loopEnd = row.LoopEnd / MusicFrameBytes;
  std::vector<float> buffer(static_cast<std::size_t>(loopEnd) * 2, 0.0f);
  ComposeTrack(track, loopStart, loopEnd, buffer);

  const std::uint32_t dataBytes = MusicWaveSize(track) - WaveHeaderSize;
  const std::vector<std::uint8_t> header = MakeWaveHeader(2, MusicRate, dataBytes);
  sink(header.data(), header.size());
  std::vector<std::uint8_t> chunk;
  chunk.reserve(1 << 16);
  const std::int64_t frames = loopEnd + MusicTailFrames;
  for (std::int64_t f = 0; f < frames; ++f) {
    const std::int64_t from = f < loopEnd ? f : loopStart + (f - loopEnd) % (loopEnd - loopStart);
    for (int c = 0; c < 2; ++c) {
      const std::uint16_t s = static_cast<std::uint16_t>(ToSample(buffer[static_cast<std::size_t>(2 * from + c)]));
      chunk.push_back(static_cast<std::uint8_t>(s));
      chunk.push_back(static_cast<std::uint8_t>(s >> 8));
    }
    if (chunk.size() >= (1 << 16) - 4) {
      sink(chunk.data(), chunk.size());
      chunk.clear();
    }
  }
  sink(chunk.data(), chunk.size());
  return true;
}
