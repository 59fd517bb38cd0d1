// The screen chain driven with small screens of its own: change, push, the
// covered notice, input, drawing, hand-back, and the refused loops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CGameInputController.h"
#include "ui/CGameInputSelectWindow.h"

namespace {

std::vector<std::string> Log;

// Logs what reaches it. Like most screens it hands Update to its child and
// goes no further; in phase 6 it waits for the child to report 0.
class TestScreen : public CGameInput {
public:
  explicit TestScreen(std::string name) : Name(std::move(name)) {}
  void Begin() override {
    Log.push_back(Name + " begin");
    Phase = ScreenActive;
  }
  void OnCovered() override {
    Log.push_back(Name + " covered");
    Phase = ScreenCovered;
  }
  void OnChildClosed() override {
    Log.push_back(Name + " child closed");
    Phase = ScreenResuming;
  }
  void Update() override {
    if (Child) {
      Child->Update();
      if (Phase == ScreenResuming && Child->GetPhase() == ScreenClosed) {
        SetChild(nullptr);
        Phase = ScreenActive;
      }
      return;
    }
    if (Phase == ScreenClosed) return;
    Log.push_back(Name + " input");
    if (AnswerOnInput) {
      Phase = ScreenClosed;
      if (Parent) Parent->OnChildClosed();
    }
  }
  void Draw() override {
    Log.push_back(Name + " draw");
    if (Child) Child->Draw();
  }
  void DrawLayer(int layer) override {
    Log.push_back(Name + " layer " + std::to_string(layer));
    if (Child) Child->DrawLayer(layer);
  }

  std::string Name;
  bool AnswerOnInput = false;
};

constexpr ScreenId A = 100, B = 101, C = 102, D = 103, Root = 104;

TestScreen* Screens[4] = {};
CGameInputController* RootScreen = nullptr;

CGameInput* TestScreens(ScreenId id) {
  if (id >= A && id <= D) return Screens[id - A];
  if (id == Root) return RootScreen;
  return ScreenFromId(id);
}

class ScreenChain : public ::testing::Test {
protected:
  void SetUp() override {
    Log.clear();
    for (int i = 0; i < 4; ++i) Screens[i] = &Own[i];
    RootScreen = &Controller;
    SetScreenResolver(&TestScreens);
  }
  void TearDown() override { SetScreenResolver(nullptr); }

  // The chain from the root outward.
  std::vector<const CGameInput*> Chain() const {
    std::vector<const CGameInput*> out;
    for (const CGameInput* s = Controller.GetChild(); s && out.size() < 10; s = s->GetChild()) out.push_back(s);
    return out;
  }
  void Build(std::initializer_list<ScreenId> ids) {
    auto it = ids.begin();
    ASSERT_TRUE(Controller.ChangeChild(*it));
    for (++it; it != ids.end(); ++it) ASSERT_TRUE(Controller.PushChild(*it));
    Log.clear();
  }

  CGameInputController Controller;
  TestScreen Own[4] = {TestScreen("A"), TestScreen("B"), TestScreen("C"), TestScreen("D")};
};

TEST_F(ScreenChain, ChangeMakesTheOnlyChildAndPushAppendsAndCovers) {
  ASSERT_TRUE(Controller.ChangeChild(A));
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[0]}));
  EXPECT_EQ(Own[0].GetParent(), nullptr);

  ASSERT_TRUE(Controller.PushChild(B));
  ASSERT_TRUE(Own[0].PushChild(C)) << "pushing on any screen of the chain appends at its end";
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[0], &Own[1], &Own[2]}));
  EXPECT_EQ(Own[1].GetParent(), &Own[0]);
  EXPECT_EQ(Own[2].GetParent(), &Own[1]);
  EXPECT_EQ(Log, (std::vector<std::string>{"A begin", "B begin", "A covered", "C begin", "B covered"}));
  EXPECT_EQ(Own[0].GetPhase(), ScreenCovered);
  EXPECT_EQ(Own[2].GetPhase(), ScreenActive);
}

TEST_F(ScreenChain, OnlyTheLastScreenTakesInputAndDrawingGoesFromTheRootOutward) {
  Build({A, B, C});
  Controller.Update();
  EXPECT_EQ(Log, (std::vector<std::string>{"C input"}));

  Log.clear();
  Controller.Draw();
  Controller.DrawLayer(1);
  Controller.DrawLayer(0);
  EXPECT_EQ(Log, (std::vector<std::string>{"A draw", "B draw", "C draw", "A layer 1", "B layer 1", "C layer 1",
                                           "A layer 0", "B layer 0", "C layer 0"}));
}

TEST_F(ScreenChain, ClosingScreenHandsControlBackToItsParent) {
  Build({A, B, C});
  Own[2].AnswerOnInput = true;
  Controller.Update();
  EXPECT_EQ(Log, (std::vector<std::string>{"C input", "B child closed"}));
  EXPECT_EQ(Own[2].GetPhase(), ScreenClosed);
  // B was resuming and saw its child closed on the way back.
  EXPECT_EQ(Own[1].GetChild(), nullptr);
  EXPECT_EQ(Own[1].GetPhase(), ScreenActive);
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[0], &Own[1]}));

  Log.clear();
  Controller.Update();
  EXPECT_EQ(Log, (std::vector<std::string>{"B input"}));
}

TEST_F(ScreenChain, ResumingScreenKeepsAChildThatIsStillClosing) {
  Build({A, B});
  Own[0].OnChildClosed();
  Own[1].SetPhase(ScreenClosing);
  Controller.Update();
  EXPECT_EQ(Own[0].GetChild(), &Own[1]);
  EXPECT_EQ(Own[0].GetPhase(), ScreenResuming);
  Own[1].SetPhase(ScreenClosed);
  Controller.Update();
  EXPECT_EQ(Own[0].GetChild(), nullptr);
}

TEST_F(ScreenChain, ChangeDropsTheOldChainWithoutAnyCall) {
  Build({A, B, C});
  ASSERT_TRUE(Controller.ChangeChild(D));
  EXPECT_EQ(Log, (std::vector<std::string>{"D begin"}));
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[3]}));
  EXPECT_EQ(Own[1].GetPhase(), ScreenCovered) << "dropped screens keep their phases";
  EXPECT_EQ(Own[2].GetPhase(), ScreenActive);

  ASSERT_TRUE(Controller.PushChild(A));
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[3], &Own[0]}));
  EXPECT_EQ(Own[0].GetChild(), nullptr) << "A's old child does not come along";

  // The root's own child begun again loses whatever lay over it.
  Log.clear();
  ASSERT_TRUE(Controller.ChangeChild(D));
  EXPECT_EQ(Log, (std::vector<std::string>{"D begin"}));
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[3]}));
}

TEST_F(ScreenChain, ScreensAlreadyInTheChainAreNotPushedAgain) {
  Build({A, B, C});
  const auto before = Chain();
  for (ScreenId id : {A, B, C, Root}) {
    EXPECT_FALSE(Controller.PushChild(id)) << id;
    EXPECT_FALSE(Own[2].PushChild(id)) << id;
    EXPECT_FALSE(Own[1].PushChild(id)) << id;
  }
  EXPECT_TRUE(Log.empty()) << "a refused push begins and covers nothing";
  EXPECT_EQ(Chain(), before);
  EXPECT_EQ(Own[2].GetChild(), nullptr);
  EXPECT_FALSE(Controller.ChangeChild(Root));
  EXPECT_EQ(Chain(), before);
}

TEST_F(ScreenChain, IdsWithoutAScreenAreRefused) {
  Build({A, B});
  for (ScreenId id : {-1, 18, 19, 20, 21, 28, 31, 1000}) {
    EXPECT_FALSE(Controller.ChangeChild(id)) << id;
    EXPECT_FALSE(Controller.PushChild(id)) << id;
  }
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Chain(), (std::vector<const CGameInput*>{&Own[0], &Own[1]}));
}

TEST(ScreenFactory, GivesNoScreenForIdsOutsideTheTable) {
  for (ScreenId id : {-2, -1, 18, 19, 20, 21, 28, 31, 32, 1000}) EXPECT_EQ(ScreenFromId(id), nullptr) << id;
  EXPECT_EQ(ScreenFromId(29), GetGameInputSelectWindow());
  EXPECT_EQ(ScreenFromId(29), ScreenFromId(29));
}

TEST(ScreenFactory, EmptyRootForwardsNothing) {
  CGameInputController root;
  root.Update();
  root.Draw();
  root.DrawLayer(1);
  EXPECT_EQ(root.GetChild(), nullptr);
  EXPECT_EQ(GetGameInputController(), GetGameInputController());
}

TEST(ScreenFactory, RandomDirectionIsOneOfTheEight) {
  bool seen[16] = {};
  for (int i = 0; i < 400; ++i) {
    const int d = RandomDirection();
    ASSERT_TRUE(d == 1 || d == 2 || d == 4 || d == 8 || d == 5 || d == 6 || d == 9 || d == 10) << d;
    seen[d] = true;
  }
  for (int d : {1, 2, 4, 8, 5, 6, 9, 10}) EXPECT_TRUE(seen[d]) << d;
}

}  // namespace
