#pragma once
// Effects on the test floor: a shooter whose flight-end hooks write into a
// log that outlives it, items that count their uses and deletion, a sound
// manager that shows which effects started this frame, and a fixture that
// runs the floor's effect list frame by frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "characters/CCharacterEffect.h"
#include "characters/CharacterTestSupport.h"
#include "items/CItem.h"
#include "platform/CSoundManager.h"
#include "platform/TextTable.h"
#include "system/WaveImage.h"

namespace efftest {

using Log = std::vector<std::string>;

class Shooter : public CCharacter {
public:
  explicit Shooter(Log* log = nullptr) : Out(log) {}
  void EndReachShot() override { Write("reach"); }
  void EndItemShot() override { Write("item"); }
  void EndWandShot() override { Write("wand"); }
  void Write(const char* what) {
    if (Out) Out->push_back(what);
  }
  Log* Out;
};

// Counts its uses and hits; adds 1 to *deleted when it is deleted.
class TallyItem : public CItem {
public:
  explicit TallyItem(int* deleted = nullptr) : Deleted(deleted) {}
  ~TallyItem() override {
    if (Deleted) ++*Deleted;
  }
  void Use() override { ++Uses; }
  void ApplyHit(CCharacter* user, CCharacter* target) override {
    HitBy.push_back(user);
    HitOn.push_back(target);
  }
  int GetReturnChance() const override { return ReturnChance; }
  int Uses = 0;
  int ReturnChance = 0;
  std::vector<CCharacter*> HitBy, HitOn;
  int* Deleted;
};

inline ResourceBytes AnyWave(std::uint16_t) {
  static const std::vector<std::uint8_t> image =
      MakeWaveImage(WaveShape{}, Samples16(std::vector<std::int16_t>(64, 100)));
  return ResourceBytes{image.data(), image.size()};
}

// The game's sound manager without a device, every effect loaded: an effect
// started since the last NextFrame shows in Played.
class SoundLog {
public:
  SoundLog() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    Saved = sound->FindWave;
    sound->FindWave = &AnyWave;
    EXPECT_TRUE(sound->InitWithoutDevice());
  }
  ~SoundLog() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    sound->FindWave = Saved;
  }
  SoundLog(const SoundLog&) = delete;
  SoundLog& operator=(const SoundLog&) = delete;
  bool Played(SoundEffectId id) const { return GetSoundManager()->SeGuard[id] > 0; }
  void NextFrame() { GetSoundManager()->Update(); }

private:
  ResourceBytes (*Saved)(std::uint16_t) = nullptr;
};

// The room (1, 1)-(5, 5) as the current floor, in English, with no holds.
class EffectFixture : public chartest::TurnFixture {
protected:
  void SetUp() override {
    TurnFixture::SetUp();
    language_ = game_->Settings.Block.Language;
    game_->Settings.Block.Language = LanguageEnglish;
  }
  void TearDown() override {
    game_->Settings.Block.Language = language_;
    TurnFixture::TearDown();
  }

  // One frame of the floor's effect list.
  void Frame(int frames = 1) {
    for (int i = 0; i < frames; ++i) floor_.Effects.UpdateAndPrune();
  }
  int Listed() { return floor_.Effects.GetCount(); }
  CCharacterEffect* First() { return static_cast<CCharacterEffect*>(floor_.Effects.GetAt(1)); }
  // Frames run until the first listed effect is gone (the limit when never).
  int FramesUntilGone(int limit = 100) {
    CCharacter* watched = floor_.Effects.GetAt(1);
    for (int n = 1; n <= limit; ++n) {
      Frame();
      if (floor_.Effects.GetAt(1) != watched) return n;
    }
    return limit;
  }
  // A shooter standing on (x, y) of the current floor, facing `facing`,
  // listed.
  Shooter* PlaceShooter(int x, int y, Direction facing, Log* log) {
    auto* shooter = new Shooter(log);
    shooter->hp = shooter->maxHp = 20;
    shooter->SetPosition(x, y);
    shooter->SetDirection(facing);
    EXPECT_TRUE(game_->CurrentStage->MoveCharacterTo(x, y, shooter));
    game_->Characters.PushBack(shooter);
    return shooter;
  }
  CCharacter* PlaceTarget(int x, int y, int hp = 20) {
    CCharacter* target = Place(x, y);
    target->hp = target->maxHp = hp;
    return target;
  }

  Language language_ = LanguageEnglish;
};

}  // namespace efftest
