#pragma once
// A small floor installed as the game's current floor, bare characters
// standing on it in the game's list, and a character that records what its
// hooks and captions were asked to show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"

namespace chartest {

// Walls everywhere but the room given; `sight` decides what sees what (by
// default every cell sees every other).
class TestFloor : public CStageData {
public:
  TestFloor(int left, int top, int right, int bottom) {
    for (TerrainCode& t : terrain) t = 4;
    for (int x = left; x <= right; ++x)
      for (int y = top; y <= bottom; ++y) terrain[CellIndex(x, y)] = 0;
  }
  bool HasLineOfSight(int x1, int y1, int x2, int y2) const override {
    return Sight ? Sight(x1, y1, x2, y2) : true;
  }
  bool (*Sight)(int, int, int, int) = nullptr;
};

// A floor with the room (1, 1)-(5, 5) as the current floor, and an empty
// game list; both are put back after the test.
class FloorFixture : public ::testing::Test {
protected:
  void SetUp() override {
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedPlayer_ = game_->Player;
    ASSERT_EQ(game_->Characters.GetCount(), 0);
    game_->CurrentStage = &floor_;
    game_->Player = nullptr;
  }
  void TearDown() override {
    // The floor's effects go first, while this floor is still current.
    floor_.Effects.DeleteAll();
    game_->Characters.DeleteAll();
    game_->CurrentStage = savedStage_;
    game_->Player = savedPlayer_;
  }

  // Deletes every listed character and empties the floor's grid.
  void RemoveEveryone() {
    game_->Characters.DeleteAll();
    for (CCharacter*& standing : floor_.characterAt) standing = nullptr;
  }

  // A bare character (or one of class T) standing on (x, y), listed.
  template <class T = CCharacter>
  T* Place(int x, int y) {
    T* character = new T;
    character->SetPosition(x, y);
    EXPECT_TRUE(floor_.MoveCharacterTo(x, y, character));
    game_->Characters.PushBack(character);
    return character;
  }

  CGameMain* game_ = nullptr;
  TestFloor floor_{1, 1, 5, 5};
  CStageData* savedStage_ = nullptr;
  CCharacterPlayer* savedPlayer_ = nullptr;
};

// Remembers every caption and battle-log hook, in order, as words.
class RecordingCharacter : public CCharacter {
public:
  void ShowPopupDelayed(const char* text, int) override { Said.push_back(std::string("popup ") + text); }
  void ShowCaption(const char* text) override { Said.push_back(std::string("caption ") + text); }
  void OnResist() override { Said.push_back("OnResist"); }
  void OnResistDeath() override { Said.push_back("OnResistDeath"); }
  void OnQuick() override { Said.push_back("OnQuick"); }
  void OnSlow() override { Said.push_back("OnSlow"); }
  void OnSleep() override { Said.push_back("OnSleep"); }
  void OnConfuse() override { Said.push_back("OnConfuse"); }
  void OnPoison() override { Said.push_back("OnPoison"); }
  void OnParalyze() override { Said.push_back("OnParalyze"); }
  void OnWeaken() override { Said.push_back("OnWeaken"); }
  void OnDefeated() override { Said.push_back("OnDefeated"); }
  void OnCure() override { Said.push_back("OnCure"); }
  void OnEffectEnd() override { Said.push_back("OnEffectEnd"); }
  void OnParry() override { Said.push_back("OnParry"); }
  void OnMiss() override { Said.push_back("OnMiss"); }
  void OnCritical() override { Said.push_back("OnCritical"); }
  std::vector<std::string> Said;
};

// An animation table of `count` entries, each lasting `duration` ticks and
// followed by the next entry (the last holds).
inline std::vector<AnimationFrame> Frames(int count, int duration) {
  std::vector<AnimationFrame> frames(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    frames[static_cast<std::size_t>(i)].duration = duration;
    frames[static_cast<std::size_t>(i)].next = i + 1 < count ? i + 1 : -1;
  }
  return frames;
}

// The action ranges as a class lays them out: each range's first entry
// leads to its second and that back to standing (10, which holds); the
// walk 11-12 and the guard pose 60 end standing too, and the dying chain
// 80-81 ends in 0, off the floor. Every entry lasts `duration` ticks.
inline std::vector<AnimationFrame> ActionFrames(int duration = 2) {
  std::vector<AnimationFrame> frames(90);
  for (AnimationFrame& f : frames) {
    f.duration = duration;
    f.next = AnimationIdle;
  }
  frames[AnimationIdle].next = -1;
  frames[11].next = 12;
  for (int first : {20, 30, 40, 50, 70, 80}) frames[static_cast<std::size_t>(first)].next = first + 1;
  frames[81].next = AnimationGone;
  return frames;
}

// Ticks until the entry changes or `limit` frames have run.
inline void TickUntilChange(CCharacter& c, int limit = 100) {
  const AnimationEntry start = c.animEntry;
  for (int i = 0; i < limit && c.animEntry == start; ++i) c.TickAnimation();
}

// A floor fixture whose turn controller starts and ends without holds and
// without a state that a release could move on (characters of other tests
// may have been destroyed in the middle of an action).
class TurnFixture : public FloorFixture {
protected:
  void SetUp() override {
    FloorFixture::SetUp();
    GetStateController()->Reset();
    Drain();
  }
  void TearDown() override {
    floor_.Effects.DeleteAll();
    Drain();
    FloorFixture::TearDown();
  }
  static void Drain() {
    while (Holds() > 0) GetStateController()->Release();
  }
  static int Holds() { return GetStateController()->GetHoldCount(); }
};

}  // namespace chartest
