#include <climits>
#include <cstdlib>
#include <string>

#include "platform/SoundFixture.h"

namespace {

TEST(SoundVolume, AttenuationFromOwnAndMasterVolumes) {
  struct Case {
    int Own, Master, Attenuation;
  };
  const Case cases[] = {
      {100, 100, 0},      {100, 80, -193},   {80, 100, -193},     {100, 0, -9600},
      {50, 100, -602},    {100, 50, -602},   {10, 100, -2000},    {80, 80, -387},
      {100, 1, -4000},    {1, 99, -9600},    {200, 80, 0},        {-5, 80, -9600},
      {INT_MAX, INT_MAX, 0}, {INT_MIN, 100, -9600}, {INT_MIN, INT_MIN, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SoundAttenuation(c.Own, c.Master), c.Attenuation) << c.Own << " x " << c.Master;
}

class SoundEffects : public SoundTest {
protected:
  // Effect `id` as `frames` frames of one 16-bit mono value at the output rate.
  void MakeEffect(SoundEffectId id, int frames, std::int16_t value) {
    TestWaveImages()[SoundEffectResourceIds[id]] =
        MakeWaveImage(WaveShape{}, Samples16(std::vector<std::int16_t>(frames, value)));
  }
};

TEST_F(SoundEffects, OverlapsItselfButStartsOncePerFrame) {
  MakeEffect(5, 1000, 1000);
  Sound->SeMasterVolume = 100;
  ASSERT_TRUE(Sound->InitWithoutDevice());

  EXPECT_TRUE(Sound->PlaySe(5));
  EXPECT_TRUE(Sound->PlaySe(5)) << "a second start in the same frame is ignored, not refused";
  EXPECT_EQ(Sound->SeDuplicates[5].size(), 1u);
  EXPECT_EQ(Mix(100)[0], 1000);

  Sound->Update();
  EXPECT_TRUE(Sound->PlaySe(5));
  ASSERT_EQ(Sound->SeDuplicates[5].size(), 2u) << "the first voice still sounds";
  auto out = Mix(900);
  EXPECT_EQ(out[0], 2000);
  EXPECT_EQ(out[2 * 899 + 1], 2000);  // the first voice's last frame

  // The first voice has ended and is reused while the second still plays.
  Sound->Update();
  EXPECT_TRUE(Sound->PlaySe(5));
  EXPECT_EQ(Sound->SeDuplicates[5].size(), 2u);
  out = Mix(200);
  EXPECT_EQ(out[0], 2000);
  EXPECT_EQ(out[2 * 100], 1000);  // the second voice ran out after 100 more
}

TEST_F(SoundEffects, VolumesScaleTheVoice) {
  MakeEffect(4, 100, 1000);
  ASSERT_TRUE(Sound->InitWithoutDevice());
  struct Case {
    int Own, Master;
    std::int16_t Out;
  };
  for (const Case& c : {Case{100, 100, 1000}, Case{50, 100, 500}, Case{100, 80, 801}, Case{100, 0, 0}}) {
    Sound->SeVolume[4] = c.Own;
    Sound->SeMasterVolume = c.Master;
    Sound->Update();
    ASSERT_TRUE(Sound->PlaySe(4));
    EXPECT_EQ(Mix(100)[0], c.Out) << c.Own << " x " << c.Master;
  }
}

TEST_F(SoundEffects, MissingOrDamagedEffectsStaySilent) {
  MakeEffect(0, 10, 1000);
  // A "data" length far past the resource: only what is there plays.
  TestWaveImages()[SoundEffectResourceIds[1]] =
      MakeWaveImage(WaveShape{}, Samples16({300, 300, 300, 300, 300}), 1 << 28);
  // A format the mixer does not play.
  TestWaveImages()[SoundEffectResourceIds[2]] =
      MakeWaveImage(WaveShape{1, 2, 44100, 24}, std::vector<std::uint8_t>(600, 1));
  // Garbage.
  TestWaveImages()[SoundEffectResourceIds[3]] = std::vector<std::uint8_t>(100, 0x52);
  Sound->SeMasterVolume = 100;
  ASSERT_TRUE(Sound->InitWithoutDevice());

  EXPECT_FALSE(Sound->PlaySe(-1));
  EXPECT_FALSE(Sound->PlaySe(SoundEffectCount));
  EXPECT_FALSE(Sound->PlaySe(2));
  EXPECT_FALSE(Sound->PlaySe(3));
  EXPECT_FALSE(Sound->PlaySe(86)) << "no resource";
  ASSERT_TRUE(Sound->PlaySe(1));
  const auto out = Mix(10);
  EXPECT_EQ(out[2 * 4], 300);
  EXPECT_EQ(out[2 * 5], 0);
}

TEST(SoundStartUp, GoesOnSilentlyWithoutAnAudioDevice) {
  const char* was = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = was ? was : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    CSoundManager sound;
    EXPECT_FALSE(sound.Init());
    EXPECT_FALSE(sound.PlaySe(4));
    sound.LoadBgm(8, 10008, 1.0f, 0, 0, 8467200);
    EXPECT_FALSE(sound.PlayBgm(8));
    EXPECT_EQ(sound.GetPlayingBgm(), -1);
    sound.Update();
    sound.StopAllBgm();
    EXPECT_TRUE(sound.SetBgmVolume(50));
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    CSoundManager sound;
    EXPECT_TRUE(sound.Init());
    EXPECT_TRUE(sound.Device.IsOpen());
    sound.Shutdown();
    EXPECT_FALSE(sound.Device.IsOpen());
  }
  if (was)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
}

TEST(SoundStartUp, TheOneManagerSurvivesItsShutdown) {
  CSoundManager* sound = GetSoundManager();
  EXPECT_EQ(sound, GetSoundManager());
  EXPECT_EQ(sound->BgmMasterVolume, 80);
  EXPECT_EQ(sound->SeMasterVolume, 80);
  EXPECT_EQ(sound->SeGuardFrames[0], 1);
  EXPECT_EQ(sound->BgmTrackVolume[18], 100);
}

}  // namespace
