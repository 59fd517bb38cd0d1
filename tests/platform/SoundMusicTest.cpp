#include <algorithm>

#include "platform/SoundFixture.h"

namespace {

// Tracks at 1000 Hz, 16-bit mono: 2000 bytes a second, so the streaming
// buffer is 12000 bytes in three parts of 4000.
constexpr std::uint32_t BufferBytes = 12000;
constexpr std::uint32_t PartBytes = 4000;

std::vector<std::uint8_t> Ramp(int frames) {
  std::vector<std::int16_t> values(frames);
  for (int k = 0; k < frames; ++k) values[k] = static_cast<std::int16_t>(100 + k);
  return Samples16(values);
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& data, std::uint32_t from,
                                std::uint32_t to) {
  return {data.begin() + from, data.begin() + to};
}

std::vector<std::uint8_t> Join(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SoundMusic : public SoundTest {
protected:
  // Track t as `frames` frames of a ramp, loaded with the given points and
  // playing at full volume.
  void PlayTrack(BgmTrack t, int frames, std::uint32_t start, std::uint32_t loopStart,
                 std::uint32_t loopEnd) {
    Track = Ramp(frames);
    TestWaveImages()[static_cast<std::uint16_t>(BgmResourceBase + t)] =
        MakeWaveImage(WaveShape{1, 1, 1000, 16}, Track);
    Sound->BgmMasterVolume = 100;
    ASSERT_TRUE(Sound->InitWithoutDevice());
    Sound->LoadBgm(t, static_cast<std::uint16_t>(BgmResourceBase + t), 1.0f, start, loopStart,
                   loopEnd);
    ASSERT_NE(Sound->BgmBuffer[t], SysNoBuffer);
    ASSERT_EQ(Sound->Mixer.Size(Sound->BgmBuffer[t]), BufferBytes);
    ASSERT_EQ(Sound->BgmPartBytes[t], PartBytes);
    ASSERT_TRUE(Sound->PlayBgm(t));
  }

  std::vector<std::uint8_t> Track;
};

TEST_F(SoundMusic, TheFirstNotificationOfAStartIsSkipped) {
  PlayTrack(3, 20000, 0, 2000, 14000);
  EXPECT_EQ(Sound->BgmReadPos[3], BufferBytes);
  EXPECT_EQ(Sound->BgmSkipFirstNotify[3], 1);
  MixSeconds(0.1);
  Sound->Update();
  // Position 0 was signalled as play began; refilling the part before it
  // would overwrite seconds 4-6, not yet played.
  EXPECT_EQ(Sound->BgmSkipFirstNotify[3], 0);
  EXPECT_EQ(Sound->BgmReadPos[3], BufferBytes);
  EXPECT_EQ(BufferAt(3, 0, BufferBytes), Slice(Track, 0, BufferBytes));
}

TEST_F(SoundMusic, RefillsThePartJustPlayedAndWrapsAtTheLoopEnd) {
  PlayTrack(3, 20000, 0, 2000, 14000);
  MixSeconds(0.1);
  Sound->Update();

  // Crossing into the second part refills the first: the last 2000 bytes
  // before the loop end, then on from the loop start in the same part.
  MixSeconds(2.0);
  Sound->Update();
  EXPECT_EQ(Sound->BgmReadPos[3], 4000u);
  EXPECT_EQ(BufferAt(3, 0, PartBytes), Join(Slice(Track, 12000, 14000), Slice(Track, 2000, 4000)));

  MixSeconds(2.0);
  Sound->Update();
  EXPECT_EQ(Sound->BgmReadPos[3], 8000u);
  EXPECT_EQ(BufferAt(3, PartBytes, PartBytes), Slice(Track, 4000, 8000));

  MixSeconds(2.0);  // round the buffer: position 0 again
  Sound->Update();
  EXPECT_EQ(Sound->BgmReadPos[3], 12000u);
  EXPECT_EQ(BufferAt(3, 2 * PartBytes, PartBytes), Slice(Track, 8000, 12000));
  EXPECT_TRUE(Sound->IsBgmPlaying(3));
  EXPECT_EQ(Sound->GetPlayingBgm(), 3);
}

TEST_F(SoundMusic, StopRewindsSoTheNextPlayStartsFromTheBeginning) {
  PlayTrack(5, 20000, 0, 0, 40000);
  MixSeconds(0.1);
  Sound->Update();
  MixSeconds(2.0);
  Sound->Update();
  MixSeconds(2.0);  // the third part's notification stays pending
  ASSERT_NE(BufferAt(5, 0, PartBytes), Slice(Track, 0, PartBytes));

  EXPECT_TRUE(Sound->StopAllBgm());
  EXPECT_FALSE(Sound->IsBgmPlaying(5));
  EXPECT_EQ(Sound->GetPlayingBgm(), -1);
  std::uint32_t position = 1;
  ASSERT_TRUE(Sound->Mixer.GetCurrentPosition(Sound->BgmBuffer[5], position));
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(Sound->BgmReadPos[5], BufferBytes);
  EXPECT_EQ(Sound->BgmSkipFirstNotify[5], 1);
  EXPECT_EQ(BufferAt(5, 0, BufferBytes), Slice(Track, 0, BufferBytes));
  EXPECT_EQ(Mix(10)[0], 0) << "stopped music is silent";

  ASSERT_TRUE(Sound->PlayBgm(5));
  EXPECT_EQ(Mix(1)[0], 100) << "the track's first sample";
  Sound->Update();
  Sound->Update();
  // A notification left from before the stop must not refill the part that
  // is now playing.
  EXPECT_EQ(Sound->BgmReadPos[5], BufferBytes);
  EXPECT_EQ(BufferAt(5, PartBytes, PartBytes), Slice(Track, PartBytes, 2 * PartBytes));
}

TEST_F(SoundMusic, LoadingATrackStopsTheOtherAndReloadingKeepsOneBuffer) {
  PlayTrack(0, 8000, 0, 0, 16000);
  TestWaveImages()[BgmResourceBase + 1] = MakeWaveImage(WaveShape{1, 1, 1000, 16}, Ramp(8000));
  MixSeconds(0.5);
  const int buffers = Sound->Mixer.BufferCount();

  Sound->LoadBgm(1, BgmResourceBase + 1, 1.0f, 0, 0, 16000);
  EXPECT_FALSE(Sound->IsBgmPlaying(0));
  EXPECT_EQ(Sound->GetPlayingBgm(), -1);
  ASSERT_TRUE(Sound->PlayBgm(1));
  EXPECT_EQ(Sound->GetPlayingBgm(), 1);

  Sound->LoadBgm(1, BgmResourceBase + 1, 1.0f, 0, 0, 16000);
  Sound->LoadBgm(1, BgmResourceBase + 1, 1.0f, 0, 0, 16000);
  EXPECT_EQ(Sound->Mixer.BufferCount(), buffers + 1);
  EXPECT_FALSE(Sound->PlayBgm(-1));
  EXPECT_FALSE(Sound->PlayBgm(BgmTrackCount));
  EXPECT_FALSE(Sound->PlayBgm(2)) << "never loaded";
  Sound->LoadBgm(2, 12345, 1.0f, 0, 0, 16000);
  EXPECT_FALSE(Sound->PlayBgm(2)) << "no such resource";
}

// What a track should stream: from its start, back to the loop start at the
// loop end; silence when there is nothing to loop.
struct LoopedStream {
  const std::vector<std::uint8_t>& Data;
  std::uint32_t Pos, LoopStart, LoopEnd;
  std::vector<std::uint8_t> Take(std::uint32_t n) {
    std::vector<std::uint8_t> out;
    while (out.size() < n) {
      if (Pos >= LoopEnd) Pos = LoopStart;
      if (Pos >= LoopEnd) {
        out.resize(n, 0);
        break;
      }
      out.push_back(Data[Pos++]);
    }
    return out;
  }
};

TEST_F(SoundMusic, ShortTracksPlayAndLoopWithinTheirSamples) {
  const MusicRow& row0 = MusicTable[0];
  struct Case {
    const char* Name;
    int Frames;
    std::uint32_t Start, LoopStart, LoopEnd;
    std::uint32_t UsedStart, UsedLoopStart, UsedLoopEnd;
  };
  const Case cases[] = {
      // The music table's own row on a track of three seconds: its loop
      // start lies past the end, so the whole track loops.
      {"table row, shorter than the buffer", 3000, row0.Start, row0.LoopStart, row0.LoopEnd, 0, 0, 6000},
      {"loop end past the samples", 3500, 0, 2000, 1000000000, 0, 2000, 7000},
      {"longer than the buffer", 10000, 0, 4000, row0.LoopEnd, 0, 4000, 20000},
      {"loop shorter than a part", 2000, 0, 1000, 1600, 0, 1000, 1600},
      {"points between frames", 10000, 3, 2001, 13999, 2, 2000, 13998},
      {"start past the loop end", 10000, 19000, 100, 3000, 19000, 100, 3000},
      {"no samples", 0, 0, 0, 8467200, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    PlayTrack(7, c.Frames, c.Start, c.LoopStart, c.LoopEnd);
    EXPECT_EQ(Sound->BgmLoopStart[7], c.UsedLoopStart);
    EXPECT_EQ(Sound->BgmLoopEnd[7], c.UsedLoopEnd);

    LoopedStream expected{Track, c.UsedStart, c.UsedLoopStart, c.UsedLoopEnd};
    EXPECT_EQ(BufferAt(7, 0, BufferBytes), expected.Take(BufferBytes));
    MixSeconds(0.1);
    Sound->Update();
    for (int refill = 0; refill < 7; ++refill) {
      MixSeconds(2.0);
      Sound->Update();
      const std::uint32_t part = static_cast<std::uint32_t>(refill % 3) * PartBytes;
      ASSERT_EQ(BufferAt(7, part, PartBytes), expected.Take(PartBytes)) << "refill " << refill;
    }
    EXPECT_TRUE(Sound->IsBgmPlaying(7));
  }
}

TEST_F(SoundMusic, VolumeChangesReachThePlayingTrack) {
  PlayTrack(9, 4000, 0, 0, 8000);
  EXPECT_EQ(Mix(1)[0], 100);
  Sound->StopAllBgm();
  Sound->SetBgmVolume(50);
  ASSERT_TRUE(Sound->PlayBgm(9));
  EXPECT_EQ(Mix(1)[0], 50);
  Sound->SetBgmTrackVolume(9, 10);  // 10 % of 50 %: 5 %
  Sound->StopAllBgm();
  ASSERT_TRUE(Sound->PlayBgm(9));
  EXPECT_EQ(Mix(1)[0], 5);
}

TEST_F(SoundMusic, ShutdownLeavesNothingForTheGameObjectToTouch) {
  PlayTrack(8, 8000, 0, 0, 16000);
  TestWaveImages()[SoundEffectResourceIds[4]] = MakeWaveImage(WaveShape{}, Samples16({1, 2, 3}));
  Sound->Shutdown();
  Sound->InitWithoutDevice();  // effects are loaded at start-up only
  ASSERT_TRUE(Sound->PlaySe(4));
  Sound->Shutdown();

  EXPECT_EQ(Sound->Mixer.BufferCount(), 0);
  EXPECT_EQ(Sound->BgmBuffer[8], SysNoBuffer);
  // The game object stops the music from its destructor after the shutdown.
  EXPECT_FALSE(Sound->StopAllBgm());
  EXPECT_FALSE(Sound->IsBgmPlaying(8));
  EXPECT_EQ(Sound->GetPlayingBgm(), -1);
  EXPECT_FALSE(Sound->PlaySe(4));
  EXPECT_FALSE(Sound->PlayBgm(8));
  Sound->Update();
  const auto out = Mix(100);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t v) { return v == 0; }));
}

}  // namespace
