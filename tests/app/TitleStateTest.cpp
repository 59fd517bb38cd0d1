// The title state runs the screen chain: one update, then draw pass 1
// (which reaches no pixel) and pass 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/GameStates.h"
#include "platform/RenderTestSupport.h"
#include "ui/CGameInputController.h"

namespace {

std::vector<std::string> Log;

class LoggingScreen : public CGameInput {
public:
  void Update() override { Log.push_back("update"); }
  void Draw() override { Log.push_back(std::string("draw") + (DrawSuspended ? " suspended" : "")); }
  void DrawLayer(int layer) override {
    Log.push_back("layer " + std::to_string(layer) + (DrawSuspended ? " suspended" : ""));
  }
};

LoggingScreen Screen;
CGameInput* Resolve(ScreenId id) { return id == 100 ? &Screen : nullptr; }

class TitleState : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    Log.clear();
    SetScreenResolver(&Resolve);
  }
  void TearDown() override {
    GetGameInputController()->SetChild(nullptr);
    SetScreenResolver(nullptr);
    RenderFixture::TearDown();
  }
};

TEST_F(TitleState, UpdatesTheChainAndDrawsLayerOneThenLayerZero) {
  // Without a screen in the chain the frame runs all the same.
  GetStateTitle()->Update();
  GetStateTitle()->Draw(1);
  GetStateTitle()->Draw(0);

  ASSERT_TRUE(GetGameInputController()->ChangeChild(100));
  GetStateTitle()->Update();
  GetStateTitle()->Draw(1);
  GetStateTitle()->Draw(0);
  EXPECT_EQ(Log, (std::vector<std::string>{"update", "layer 1 suspended", "layer 0"}));
  EXPECT_EQ(DrawSuspended, 0);
}

// Every in-dungeon state draws the floor with the chain over it in pass 0
// only, and presents it.
TEST_F(TitleState, TheDungeonStatesDrawTheChainOnlyInPassZero) {
  CStageData* stage = GetGameMain()->CurrentStage;
  GetGameMain()->CurrentStage = nullptr;
  ASSERT_TRUE(GetGameInputController()->ChangeChild(100));
  DrawSuspended = 1;
  CGameState* states[] = {GetStateMainNormal(), GetStateMainNormalClear()};
  for (CGameState* state : states) {
    Log.clear();
    state->Draw(1);
    EXPECT_TRUE(Log.empty());
    state->Draw(0);
    state->DrawScene();
    EXPECT_EQ(Log, (std::vector<std::string>{"draw", "draw"}));
  }
  EXPECT_EQ(DrawSuspended, 0);
  GetGameMain()->CurrentStage = stage;
}

}  // namespace
