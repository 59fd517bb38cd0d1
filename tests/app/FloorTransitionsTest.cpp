// Around the turn: the stairs down to a new floor, the goal items, the
// player's death, quitting, and the starts of a run (new and continued).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TurnTestSupport.h"
#include "characters/CharacterFactory.h"
#include "items/ItemFactory.h"
#include "system/DebugLines.h"

namespace {

using namespace turntest;

constexpr ItemId Herb = 0x800;

// The floor below: its generation puts the player on (2, 2).
class FloorBelow : public TracingFloor {
public:
  FloorBelow() : TracingFloor({"######", "#....#", "#....#", "#....#", "######"}) {}
  void GenerateFloor() override {
    ++Generated;
    CCharacter* player = GetGameMain()->Player;
    player->SetPosition(2, 2);
    MoveCharacterTo(2, 2, player);
  }
  int Generated = 0;
};

// Writes down every entry it is set to; the dying chain 80-83 ends the run
// at 83, as the player's own does.
class PosingPlayer : public TestPlayer {
public:
  PosingPlayer() {
    for (int e = 80; e <= 82; ++e) frames[static_cast<std::size_t>(e)].next = e + 1;
    frames[83].next = -1;
  }
  void SetAnimation(AnimationEntry entry) override {
    if (entry != -1) Poses.push_back(entry);
    TestPlayer::SetAnimation(entry);
    if (entry == 83) GetStateController()->ChangeState(StateGameOver);
  }
  std::vector<AnimationEntry> Poses;
};

class FloorTransitions : public TurnFixture {
protected:
  PosingPlayer* BeginAt(int x, int y) {
    auto* p = Place<PosingPlayer>(x, y);
    game->Player = p;
    p->actionPoints = 2;
    GetStateController()->ChangeState(StateMainNormal);
    Trace().clear();
    return p;
  }
  Bytes Save() const { return ReadBytes(folder.File("save")); }
};

TEST_F(FloorTransitions, TheStairsLeadThroughTheFadeToANewFloor) {
  game->Settings.Block.FloorNumber = 4;
  auto* below = new FloorBelow;
  Tracing()->Next = below;
  PosingPlayer* p = BeginAt(5, 3);
  p->AddItem(CreateItem(Herb));
  // A monster in the middle of its blow holds the turn when it goes.
  auto* m = Place<TestMonster>(7, 3);
  m->frames[AnimationAttack].duration = 1000;
  m->SetAnimation(AnimationAttack);
  ASSERT_EQ(GetStateController()->GetHoldCount(), 1);

  GetStateController()->ChangeState(StateStageEnd);
  for (int i = 0; i < 16; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageEnd);
  EXPECT_EQ(GetScreenEffect()->FadeValue, 255);
  EXPECT_EQ(game->CurrentStage, stage);

  Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  EXPECT_EQ(game->CurrentStage, below);
  stage = below;
  EXPECT_EQ(below->Generated, 1);
  EXPECT_EQ(game->Settings.Block.FloorNumber, 5u);
  EXPECT_EQ(game->Characters.GetCount(), 1);
  EXPECT_EQ(game->Characters.GetAt(1), p);
  EXPECT_EQ(p->GetItemCount(), 1);
  EXPECT_EQ(GetStateController()->GetHoldCount(), 0);
  EXPECT_EQ(Screen(27).Begun, 1);

  // The card opens and begins to close; "save" is written; the card ends.
  EXPECT_EQ(FramesToNextTurn(), 7);
  EXPECT_EQ(GetScreenEffect()->FadeValue, 0);
  const Bytes save = Save();
  ASSERT_GT(save.size(), 8192u);
  EXPECT_EQ(U32At(save, 60), 5u);
  EXPECT_EQ(U32At(save, 64), 1u);
  EXPECT_EQ(GetGameInputController()->GetChild(), &Screen(15));
  EXPECT_EQ(Screen(27).Updates, 7);
  EXPECT_EQ(Screen(27).GetPhase(), ScreenResuming);
}

TEST_F(FloorTransitions, AFloorWithNothingBelowIsKept) {
  game->Settings.Block.FloorNumber = 4;
  BeginAt(5, 3);
  TestMonster* m = Place<TestMonster>(7, 3);
  GetStateController()->ChangeState(StateStageEnd);
  DebugLinesShown shown;
  testing::internal::CaptureStderr();
  for (int i = 0; i < 17; ++i) Frame();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("no floor below"), std::string::npos) << err;
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  EXPECT_EQ(game->CurrentStage, stage);
  EXPECT_EQ(game->Settings.Block.FloorNumber, 4u);
  EXPECT_EQ(stage->GetCharacterAt(7, 3), m);
  FramesToNextTurn();
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
}

TEST_F(FloorTransitions, AGoalItemEndsTheDungeonAtTheEndOfTheStep) {
  const struct {
    const char* What;
    ItemId Id;
    int StageId;
    std::vector<std::string> Rows;
    AnimationEntry Pose;
    const char* Message;
    ScreenId Screen;
  } cases[] = {
      {"a crystal", 0xD00, 1, DefaultRows(), 190, "YOU GOT GREEN CRYSTAL!", 25},
      {"the sushi", 0xD08, 1, DefaultRows(), 190, "YOU GOT SUSHI!", 25},
      {"the princess", 0xD09, 1, DefaultRows(), 200, "", 26},
      {"the tutorial's stairs", NoItem, 500, {"#######", "#..>..#", "#######"}, -1, "", 26},
      {"stairs elsewhere", NoItem, 1, {"#######", "#..>..#", "#######"}, -1, "", -1},
      {"an event item that ends nothing", 0xD06, 1, DefaultRows(), -1, "", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    game->Characters.DeleteAll();
    UseFloor(new TracingFloor(c.Rows));
    stage->StageId = c.StageId;
    ResetController();
    GetGameInputController()->SetChild(nullptr);
    for (ScreenId id : {23, 25, 26}) Screen(id).Clear();
    GetGameInputMain()->CloseMessage();
    PosingPlayer* p = BeginAt(2, 1);
    p->SetDirection(DirectionUp);
    if (c.Id != NoItem) {
      ASSERT_TRUE(stage->PutItemAt(3, 1, CreateItem(c.Id)));
    }
    Step(DirectionRight);
    p->Poses.clear();
    for (int i = 0; i < 9; ++i) Frame();
    if (c.Screen < 0) {
      EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
      continue;
    }
    EXPECT_EQ(Trace(), (std::vector<GameStateId>{StatePlayerMove, StateClear}));
    EXPECT_EQ(Screen(c.Screen).Begun, 1);
    EXPECT_EQ(stage->GetItemAt(3, 1), nullptr);
    EXPECT_EQ(MessageRow(0), c.Message);
    if (c.Pose >= 0) {
      ASSERT_FALSE(p->Poses.empty());
      EXPECT_EQ(p->Poses.front(), c.Pose);
    }
    if (c.Pose == 190) {
      EXPECT_EQ(p->GetDirection(), DirectionDown);
    }
  }
}

TEST_F(FloorTransitions, DeathEndsTheRunInGameOver) {
  game->Settings.Block.DungeonIndex = 2;
  PosingPlayer* p = BeginAt(3, 3);
  ASSERT_EQ(game->Settings.Block.GameInProgress, 1);
  p->hp = 0;
  p->SetAnimation(AnimationDying);
  for (int i = 0; i < 6; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateGameOver);
  EXPECT_EQ(game->Settings.Block.GameInProgress, 0);
  const Bytes save = Save();
  ASSERT_EQ(save.size(), 8192u);
  EXPECT_EQ(save[GameInProgressAt], 0);
  EXPECT_TRUE(FileExists(folder.File("score_002_000")));
  // The world runs on until the last hold goes.
  Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateGameOver);
  GetStateController()->Release();
  EXPECT_EQ(GetStateController()->GetStateId(), StateTitle);
}

TEST_F(FloorTransitions, APlayerOfAClassDiesIntoGameOver) {
  game->Settings.Block.DungeonIndex = 1;
  CCharacterPlayer* p = PlaceClassPlayer(3, 3, 0);
  ASSERT_NE(p, nullptr);
  GetStateController()->ChangeState(StateMainNormal);
  p->hp = 0;
  p->SetAnimation(AnimationDying);
  for (int i = 0; i < 300 && GetStateController()->GetStateId() != StateGameOver; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateGameOver);
  EXPECT_EQ(Save()[52], 0);
  EXPECT_TRUE(FileExists(folder.File("score_001_000")));
}

TEST_F(FloorTransitions, QuittingRunsTheWorldUntilTheMenuLeaves) {
  BeginAt(3, 3);
  GetStateController()->ChangeState(StateReturnToTitle);
  Frame();
  Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateReturnToTitle);
  EXPECT_EQ(Trace(), (std::vector<GameStateId>{StateReturnToTitle}));
}

TEST_F(FloorTransitions, ANewGameStartsOnTheDungeonsFirstFloorWithNothingHeld) {
  game->Settings.Block.SelectedClass = runtest::TestPlayerType;
  game->Settings.Block.FloorNumber = 9;
  game->Settings.Block.TurnCount = 99;
  game->Settings.Block.GameInProgress = 0;
  TestMonster* old = Place<TestMonster>(4, 4);
  GetStateController()->Hold();
  game->StartNewGame(3);
  stage = game->CurrentStage;
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->StageId, 200);
  EXPECT_EQ(game->Settings.Block.DungeonIndex, 3u);
  EXPECT_EQ(game->Settings.Block.FloorNumber, 1u);
  EXPECT_EQ(game->Settings.Block.TurnCount, 0u);
  ASSERT_NE(dynamic_cast<TestPlayer*>(game->Player), nullptr);
  EXPECT_EQ(game->Characters.GetAt(1), game->Player);
  for (CCharacter* c : game->Characters.Walk()) EXPECT_NE(c, old);
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  EXPECT_EQ(GetStateController()->GetHoldCount(), 0);
  EXPECT_EQ(game->Settings.Block.GameInProgress, 0);  // until the first turn
  game->Player->actionPoints = 2;
  FramesToNextTurn();
  EXPECT_EQ(game->Settings.Block.GameInProgress, 1);

  // A class without its character starts nothing and leaves the run be.
  CCharacterPlayer* player = game->Player;
  game->Settings.Block.SelectedClass = 5;
  testing::internal::CaptureStderr();
  game->StartNewGame(1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
  EXPECT_EQ(game->Player, player);
  EXPECT_EQ(game->CurrentStage, stage);
}

TEST_F(FloorTransitions, ANewGameOfAClassStandsOnItsGeneratedFloorAndIsSaved) {
  game->MakeCharacter = &CreateCharacter;
  game->Settings.Block.SelectedClass = 2;
  game->Characters.DeleteAll();
  game->StartNewGame(1);
  stage = game->CurrentStage;
  ASSERT_NE(game->Player, nullptr);
  EXPECT_EQ(game->Player->type, 2);
  EXPECT_EQ(stage->GetCharacterAt(game->Player->x, game->Player->y), game->Player);
  for (int i = 0; i < 10 && GetStateController()->GetStateId() == StateStageStart; ++i) Frame();
  EXPECT_NE(GetStateController()->GetStateId(), StateStageStart);
  EXPECT_EQ(game->Settings.Block.GameInProgress, 1);
  // The first turn's capture holds everyone on the floor.
  EXPECT_EQ(game->SaveImage.Block.CharacterCount, static_cast<std::uint32_t>(game->Characters.GetCount()));
  EXPECT_TRUE(FileExists(folder.File("save")));
}

TEST_F(FloorTransitions, ContinueResumesTheSavedTurnAndWithoutOneStays) {
  testing::internal::CaptureStderr();
  game->ContinueGame();  // no "save" at all
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetStateController()->GetStateId(), 0);

  UseFloor(CreateStage(1));
  floortest::Carve(*stage, DefaultRows());
  PosingPlayer* p = BeginAt(3, 3);
  const std::uint32_t seed = GetRandomState();
  ASSERT_TRUE(game->WriteSaveFile());
  p->SetPosition(6, 4);
  Random();
  GetStateController()->ChangeState(StateTitle);

  game->ContinueGame();
  stage = game->CurrentStage;
  ASSERT_TRUE(game->HasSuspendedGame());
  EXPECT_EQ(game->Player->x, 3);
  EXPECT_EQ(GetRandomState(), seed);
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  EXPECT_EQ(GetGameInputController()->GetChild(), &Screen(15));
  EXPECT_EQ(Screen(27).Begun, 1);
}

}  // namespace
