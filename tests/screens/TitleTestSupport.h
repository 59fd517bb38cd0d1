#pragma once
// The title screens driven as the title state drives them: the real screen
// root, one frame of input then the chain and the screen effect, the game
// object's settings block put back after each test, a game folder of the
// test's own (notices write "save") and a sound manager without a device
// that has every effect and track.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/CGameMain.h"
#include "app/GameStates.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/SaveTestSupport.h"
#include "screens/TitleScreenKit.h"
#include "system/WaveImage.h"
#include "ui/CGameInputController.h"
#include "ui/UiTestSupport.h"

namespace titletest {

inline ResourceBytes AnyWave(std::uint16_t) {
  static const std::vector<std::uint8_t> image =
      MakeWaveImage(WaveShape{}, Samples16(std::vector<std::int16_t>(4096, 100)));
  return ResourceBytes{image.data(), image.size()};
}

// Every effect and every music track is a short wave.
class SoundSpy {
public:
  SoundSpy() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    Saved = sound->FindWave;
    sound->FindWave = &AnyWave;
    EXPECT_TRUE(sound->InitWithoutDevice());
  }
  ~SoundSpy() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    sound->FindWave = Saved;
  }
  SoundSpy(const SoundSpy&) = delete;
  SoundSpy& operator=(const SoundSpy&) = delete;

  // The effect started in the last frame.
  static bool Played(SoundEffectId id) { return GetSoundManager()->SeGuard[id] > 0; }

private:
  ResourceBytes (*Saved)(std::uint16_t) = nullptr;
};

constexpr SoundEffectId Click = 4, Chime = 86;

inline CGameMain* Game() { return GetGameMain(); }
inline SaveBlock& Block() { return GetGameMain()->Settings.Block; }
inline CGameInputController* Root() { return GetGameInputController(); }
inline CEffect* Fade() { return GetScreenEffect(); }

// Every title screen out of any chain, so that a link left by one test
// never reads as a screen shown in the next.
inline void DetachTitleScreens() {
  Root()->SetChild(nullptr);
  for (ScreenId id : {2, 3, 4, 5, 6, 7, 8, 10, 11, 14}) {
    CGameInput* screen = ScreenFromId(id);
    screen->SetChild(nullptr);
    screen->SetParent(nullptr);
  }
}

class TitleFixture : public ::testing::Test {
protected:
  TitleFixture() {
    std::memcpy(&Saved, &Block(), sizeof Saved);
    SaveBlock& b = Block();
    std::memset(b.DungeonClearedFlags, 0, sizeof b.DungeonClearedFlags);
    std::memset(b.DungeonOpenNoticeShown, 0, sizeof b.DungeonOpenNoticeShown);
    std::memset(b.ClearedWithClass, 0, sizeof b.ClearedWithClass);
    b.GameInProgress = 0;
    b.Language = 0;
    b.SelectedClass = 0;
    b.DungeonIndex = 0;
    uitest::ClearInput();
    StopFade();
  }
  ~TitleFixture() override {
    DetachTitleScreens();
    // As a run's start does: a screen left holding its pictures would let
    // go of the next test's.
    ReleaseTitlePictures();
    Game()->Player = nullptr;
    Game()->CurrentStage = nullptr;
    std::memcpy(&Block(), &Saved, sizeof Saved);
    StopFade();
    SetScreenResolver(nullptr);
  }

  static void StopFade() {
    CEffect* fade = Fade();
    fade->FadeValue = fade->FadeTarget = fade->FadeStep = 0;
    fade->FadeRunning = 0;
  }

  // One frame as the game runs it: input, then the title state's update
  // (the chain, then the effect).
  void Step(const std::vector<int>& rows = {}, uitest::Pointer pointer = {}) {
    uitest::Frame(rows, pointer);
    ++Game()->FrameCount;
    GetStateTitle()->Update();
  }
  // Down for one frame, then up.
  void Press(const std::vector<int>& rows) {
    Step(rows);
    Step();
  }
  // Steps until `done`; the frames it took, or -1 after `limit`.
  template <typename Done>
  int RunUntil(Done done, int limit = 400) {
    for (int i = 1; i <= limit; ++i) {
      Step();
      if (done()) return i;
    }
    ADD_FAILURE() << "never happened in " << limit << " frames";
    return -1;
  }

  // A suspended run as the game leaves it after restoring it.
  void SuspendGame() {
    Block().GameInProgress = 1;
    Game()->Player = &Player;
    Game()->CurrentStage = &Stage;
  }

  TempGameFolder Folder;
  SoundSpy Sound;
  CCharacterPlayer Player;
  CStageData Stage;

private:
  SaveBlock Saved;
};

// A screen that pushes the one under test and stands covered beneath it, as
// the title menu and the class selection do.
class ParentStub : public CGameInput {
public:
  void Begin() override { Phase = ScreenActive; }
  void OnCovered() override { Phase = ScreenCovered; }
  void OnChildClosed() override {
    ++ChildClosings;
    Phase = ScreenResuming;
  }
  void Update() override {
    if (Child) Child->Update();
    if (Phase == ScreenResuming && Child && Child->GetPhase() == ScreenClosed) Child = nullptr;
  }
  void DrawLayer(int layer) override {
    if (Child) Child->DrawLayer(layer);
  }
  int ChildClosings = 0;
};

constexpr ScreenId StubId = 100;
inline ParentStub* TheStub = nullptr;
inline CGameInput* ResolveWithStub(ScreenId id) { return id == StubId ? TheStub : ScreenFromId(id); }

// The stub as the root's only child, with screen `id` pushed on it.
inline void PushOverStub(ParentStub& stub, ScreenId id) {
  TheStub = &stub;
  SetScreenResolver(&ResolveWithStub);
  ASSERT_TRUE(Root()->ChangeChild(StubId));
  ASSERT_TRUE(stub.PushChild(id));
}

}  // namespace titletest
