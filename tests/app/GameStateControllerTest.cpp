#include <gtest/gtest.h>

#include <string>

#include "app/CGameState.h"
#include "app/GameStates.h"

namespace {

std::string Log;
CGameStateController* Controller = nullptr;

// Stand-in states 1-3 that log what the controller does to them and can
// change the state again from inside Enter or Leave.
struct ScriptedState : CGameState {
  explicit ScriptedState(char name) : Name(name) {}
  void Enter() override {
    Log += 'E';
    Log += Name;
    if (ChangeOnEnter) Controller->ChangeState(ChangeOnEnter);
  }
  void Leave() override {
    Log += 'L';
    Log += Name;
    if (ChangeOnLeave) Controller->ChangeState(ChangeOnLeave);
  }
  void Release() override {
    Log += 'R';
    Log += Name;
  }
  char Name;
  GameStateId ChangeOnEnter = 0;
  GameStateId ChangeOnLeave = 0;
};

ScriptedState StateA('a'), StateB('b'), StateC('c');

CGameState* Resolve(GameStateId id) {
  switch (id) {
    case 1: return &StateA;
    case 2: return &StateB;
    case 3: return &StateC;
    default: return nullptr;
  }
}

class ControllerRules : public ::testing::Test {
protected:
  void SetUp() override {
    Log.clear();
    Controller = &controller;
    for (ScriptedState* s : {&StateA, &StateB, &StateC}) s->ChangeOnEnter = s->ChangeOnLeave = 0;
  }
  CGameStateController controller{&Resolve};
};

TEST_F(ControllerRules, ChangeRunsLeaveThenEnter) {
  controller.ChangeState(1);
  controller.ChangeState(2);
  EXPECT_EQ(Log, "EaLaEb");
  EXPECT_EQ(controller.GetStateId(), 2);
}

TEST_F(ControllerRules, ChangeToTheCurrentStateRunsNothing) {
  controller.ChangeState(1);
  Log.clear();
  controller.ChangeState(1);
  EXPECT_EQ(Log, "");
  EXPECT_EQ(controller.GetStateId(), 1);
}

TEST_F(ControllerRules, ALeaveThatChangesStateWinsOverTheOuterChange) {
  controller.ChangeState(1);
  StateA.ChangeOnLeave = 3;
  Log.clear();
  controller.ChangeState(2);
  // b becomes current first, so a's own change leaves b (never entered) for c.
  EXPECT_EQ(Log, "LaLbEc");
  EXPECT_EQ(controller.GetStateId(), 3);
  EXPECT_EQ(controller.GetCurrentState(), &StateC);
}

TEST_F(ControllerRules, ChangesInsideEnterNestWithinOneCall) {
  StateA.ChangeOnEnter = 2;
  StateB.ChangeOnEnter = 3;
  controller.ChangeState(1);
  EXPECT_EQ(Log, "EaLaEbLbEc");
  EXPECT_EQ(controller.GetStateId(), 3);
}

TEST_F(ControllerRules, UnknownIdsAreRefused) {
  controller.ChangeState(1);
  Log.clear();
  for (GameStateId id : {0, 4, 15, -1}) controller.ChangeState(id);
  EXPECT_EQ(Log, "");
  EXPECT_EQ(controller.GetStateId(), 1);
}

TEST_F(ControllerRules, ReleaseMovesOnOnlyWhenEveryHoldIsBack) {
  controller.ChangeState(1);
  Log.clear();
  controller.Hold();
  controller.Hold();
  controller.Release();
  EXPECT_EQ(Log, "");
  EXPECT_EQ(controller.GetHoldCount(), 1);
  controller.Release();
  EXPECT_EQ(Log, "Ra");
  // At 0 every release moves the state on at once and the count stays 0.
  controller.Release();
  EXPECT_EQ(Log, "RaRa");
  EXPECT_EQ(controller.GetHoldCount(), 0);
}

TEST_F(ControllerRules, HoldsSurviveAStateChange) {
  controller.ChangeState(1);
  controller.Hold();
  controller.ChangeState(2);
  Log.clear();
  controller.Release();
  EXPECT_EQ(Log, "Rb");
}

TEST(GameStates, IdsMapToTheirStatesAndTheGapsToNone) {
  EXPECT_EQ(GameStateFromId(1), GetStateTitle());
  EXPECT_EQ(GameStateFromId(2), GetStateMain());
  EXPECT_EQ(GameStateFromId(19), GetStateMain());
  EXPECT_EQ(GameStateFromId(4), GetStateMainNormal());
  EXPECT_EQ(GameStateFromId(10), GetStateMainNormalStageStart());
  EXPECT_EQ(GameStateFromId(14), GetStateMainNormalClear());
  for (GameStateId id : {0, 15, 16, 17, 18, 20, -5}) EXPECT_EQ(GameStateFromId(id), nullptr) << id;
  EXPECT_EQ(GetStateController(), GetStateController());
}

}  // namespace
