#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "system/SysAudio.h"

namespace {

SysAudioFormat Pcm(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  SysAudioFormat f;
  f.FormatTag = 1;
  f.Channels = channels;
  f.SamplesPerSec = rate;
  f.BlockAlign = static_cast<std::uint16_t>(channels * bits / 8);
  f.AvgBytesPerSec = rate * f.BlockAlign;
  f.BitsPerSample = bits;
  return f;
}

std::vector<std::int16_t> MixFrames(CSysMixer& mixer, int frames) {
  std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2, 0x7777);
  mixer.Mix(out.data(), frames);
  return out;
}

TEST(SysMixer, PlaysEveryFormatAtTheOutputRate) {
  struct Case {
    const char* Name;
    SysAudioFormat Format;
    std::vector<std::uint8_t> Frame;  // one frame, repeated
    std::int16_t Left, Right;
  };
  const Case cases[] = {
      {"8-bit mono 11025 Hz", Pcm(1, 11025, 8), {0xC0}, 16384, 16384},
      {"8-bit stereo 22050 Hz", Pcm(2, 22050, 8), {0x00, 0xFF}, -32768, 32512},
      {"16-bit mono 44100 Hz", Pcm(1, 44100, 16), {0x34, 0x12}, 0x1234, 0x1234},
      {"16-bit stereo 48000 Hz", Pcm(2, 48000, 16), {0x00, 0x80, 0xE8, 0x03}, -32768, 1000},
  };
  for (const Case& c : cases) {
    CSysMixer mixer;
    const std::uint32_t frames = 4000;
    const SysBufferId b = mixer.CreateBuffer(c.Format, frames * c.Format.BlockAlign);
    ASSERT_NE(b, SysNoBuffer) << c.Name;
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t i = 0; i < frames; ++i) bytes.insert(bytes.end(), c.Frame.begin(), c.Frame.end());
    ASSERT_TRUE(mixer.Write(b, 0, bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    ASSERT_TRUE(mixer.Play(b, true));
    const auto out = MixFrames(mixer, 3000);
    for (int i = 0; i < 3000; ++i) {
      ASSERT_EQ(out[2 * i], c.Left) << c.Name << " frame " << i;
      ASSERT_EQ(out[2 * i + 1], c.Right) << c.Name << " frame " << i;
    }
  }
}

TEST(SysMixer, RefusesFormatsItCannotPlay) {
  SysAudioFormat adpcm = Pcm(1, 22050, 16);
  adpcm.FormatTag = 2;
  SysAudioFormat badBlock = Pcm(2, 22050, 16);
  badBlock.BlockAlign = 3;
  SysAudioFormat badRate = Pcm(2, 22050, 16);
  badRate.AvgBytesPerSec = 0;
  SysAudioFormat bits24 = Pcm(2, 44100, 24);
  CSysMixer mixer;
  for (const SysAudioFormat& f : {adpcm, badBlock, badRate, bits24, Pcm(6, 44100, 16), Pcm(1, 50, 8)})
    EXPECT_EQ(mixer.CreateBuffer(f, 4096), SysNoBuffer);
  EXPECT_EQ(mixer.CreateBuffer(Pcm(2, 44100, 16), 3), SysNoBuffer) << "less than one frame";
  EXPECT_EQ(mixer.BufferCount(), 0);
}

TEST(SysMixer, OneShotBuffersStopAtTheirEndAndLoudVoicesClip) {
  CSysMixer mixer;
  const SysBufferId b = mixer.CreateBuffer(Pcm(1, 44100, 16), 200);  // 100 frames
  std::vector<std::uint8_t> loud(200);
  for (std::size_t i = 0; i < loud.size(); i += 2) {
    loud[i] = 0x00;
    loud[i + 1] = 0x60;  // 24576
  }
  ASSERT_TRUE(mixer.Write(b, 0, loud.data(), 200));
  const SysBufferId d = mixer.Duplicate(b);
  ASSERT_TRUE(mixer.Play(b, false));
  ASSERT_TRUE(mixer.Play(d, false));
  const auto out = MixFrames(mixer, 150);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[2 * 99], 32767);
  EXPECT_EQ(out[2 * 100], 0);
  EXPECT_EQ(out[2 * 149 + 1], 0);
  bool playing = true;
  ASSERT_TRUE(mixer.GetPlaying(b, playing));
  EXPECT_FALSE(playing);
  std::uint32_t position = 1;
  ASSERT_TRUE(mixer.GetCurrentPosition(d, position));
  EXPECT_EQ(position, 0u);
}

TEST(SysMixer, NotificationsFireOncePerPassLowestFirst) {
  CSysMixer mixer;
  const SysBufferId b = mixer.CreateBuffer(Pcm(1, 44100, 16), 600);  // 300 frames
  const std::uint32_t offsets[] = {0, 200, 400};
  ASSERT_TRUE(mixer.SetNotificationPositions(b, offsets, 3));
  ASSERT_TRUE(mixer.Play(b, true));
  EXPECT_EQ(mixer.TakeNotification(b), -1);
  MixFrames(mixer, 100);  // frames 0-99: reaches 0 only
  EXPECT_EQ(mixer.TakeNotification(b), 0);
  EXPECT_EQ(mixer.TakeNotification(b), -1);
  MixFrames(mixer, 250);  // frames 100-299 and 0-49: all three, lowest first
  EXPECT_EQ(mixer.TakeNotification(b), 0);
  EXPECT_EQ(mixer.TakeNotification(b), 1);
  EXPECT_EQ(mixer.TakeNotification(b), 2);
  EXPECT_EQ(mixer.TakeNotification(b), -1);
  MixFrames(mixer, 51);  // frames 50-100: reaches 100
  EXPECT_EQ(mixer.TakeNotification(b), 1);
  EXPECT_EQ(mixer.TakeNotification(b), -1);
}

TEST(SysMixer, ReleasedHandlesNameNothingAndTakeTheirDuplicates) {
  CSysMixer mixer;
  const SysBufferId b = mixer.CreateBuffer(Pcm(1, 44100, 16), 64);
  const SysBufferId d = mixer.Duplicate(b);
  ASSERT_NE(d, SysNoBuffer);
  EXPECT_EQ(mixer.BufferCount(), 2);
  mixer.Release(b);
  EXPECT_EQ(mixer.BufferCount(), 0);
  const SysBufferId again = mixer.CreateBuffer(Pcm(1, 44100, 16), 64);
  ASSERT_NE(again, SysNoBuffer);
  EXPECT_NE(again, b) << "a stale handle must not reach the new buffer";
  bool playing = false;
  EXPECT_FALSE(mixer.GetPlaying(b, playing));
  EXPECT_FALSE(mixer.Play(d, false));
  EXPECT_FALSE(mixer.Play(SysNoBuffer, false));
  std::uint8_t byte = 0;
  EXPECT_FALSE(mixer.Write(again, 64, &byte, 1)) << "offset past the end";
  EXPECT_FALSE(mixer.Write(again, 0, &byte, 65)) << "more than the buffer";
}

TEST(SysMixer, GainFollowsHundredthsOfADecibel) {
  EXPECT_FLOAT_EQ(SysGainOf(0), 1.0f);
  EXPECT_NEAR(SysGainOf(-2000), 0.1f, 1e-6);
  EXPECT_NEAR(SysGainOf(-602), 0.5f, 1e-3);
  EXPECT_EQ(SysGainOf(SysAttenuationMin), 0.0f);
  EXPECT_FLOAT_EQ(SysGainOf(500), 1.0f) << "no amplification";
}

}  // namespace
