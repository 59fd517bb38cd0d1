// The ends of a floor and of a run through the real turn states, the real
// play screen and the real end screens: the stairs' question, death into
// GAME OVER and the rankings, and the goal items into the clear screens.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/TurnTestSupport.h"
#include "items/ItemFactory.h"
#include "platform/CScoreRanking.h"
#include "screens/CGameInputMainClear1.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/CGameInputNext.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputTitleTop.h"
#include "ui/UiTestSupport.h"

namespace {

using namespace turntest;

// The floor's card stands in; every other screen is the game's own.
CGameInput* ResolveRealEndScreens(ScreenId id) { return id == 27 ? &Screen(id) : ScreenFromId(id); }

// The floor below: its generation puts the player on (2, 1).
class FloorBelow : public TracingFloor {
public:
  FloorBelow() : TracingFloor({"######", "#....#", "######"}) {}
  void GenerateFloor() override {
    CCharacter* player = GetGameMain()->Player;
    player->SetPosition(2, 1);
    MoveCharacterTo(2, 1, player);
  }
};

class RunEndFlow : public TurnFixture {
protected:
  void SetUp() override {
    TurnFixture::SetUp();
    SetScreenResolver(&ResolveRealEndScreens);
    uitest::ClearInput();
    ClearLists();
  }
  void TearDown() override {
    for (ScreenId id : {2, 7, 15, 23, 24, 25, 26}) {
      ScreenFromId(id)->SetParent(nullptr);
      ScreenFromId(id)->SetChild(nullptr);
    }
    ClearLists();
    TurnFixture::TearDown();
  }
  static void ClearLists() {
    CGameMain* game = GetGameMain();
    for (int i = 0; i < RankingLists; ++i)
      game->ScoreRankings[i] = game->TurnRankings[i] = game->TimeRankings[i] = CScoreRanking();
  }

  // The player's first turn with the play screen up.
  CCharacterPlayer* Begin(CCharacterPlayer* p) {
    GetGameInputController()->ChangeChild(15);
    GetStateController()->ChangeState(StateMainNormal);
    return p;
  }
  // One frame of input, then the game state's frame.
  static void Input(const std::vector<int>& rows = {}) {
    uitest::Frame(rows);
    Frame();
  }
  template <typename Done>
  static int InputUntil(Done done, int limit = 600) {
    for (int i = 1; i <= limit; ++i) {
      Input();
      if (done()) return i;
    }
    ADD_FAILURE() << "never happened in " << limit << " frames";
    return -1;
  }
  // The screen over the play screen.
  static CGameInput* OnPlay() {
    const CGameInput* play = GetGameInputController()->GetChild();
    return play ? play->GetChild() : nullptr;
  }
  static GameStateId State() { return GetStateController()->GetStateId(); }
};

TEST_F(RunEndFlow, TheStairsAskOnArrivalNoStaysAndYesGoesDown) {
  UseFloor(new TracingFloor({"########", "#..>...#", "########"}));
  auto* below = new FloorBelow;
  Tracing()->Next = below;
  game->Settings.Block.FloorNumber = 2;
  Begin(PlacePlayer(2, 1));
  CGameInputNext* question = GetGameInputNext();

  Step(DirectionRight);
  FramesToNextTurn();
  ASSERT_EQ(OnPlay(), question);
  Input({InputRowSelect});
  EXPECT_EQ(OnPlay(), nullptr) << "NO";
  EXPECT_EQ(State(), StateMainNormal);
  Input();  // let go

  // Waiting on the stairs does not ask again; stepping off and back does.
  Act(AnimationAction);
  FramesToNextTurn();
  EXPECT_EQ(OnPlay(), nullptr);
  Step(DirectionRight);
  FramesToNextTurn();
  EXPECT_EQ(OnPlay(), nullptr);
  Step(DirectionLeft);
  FramesToNextTurn();
  ASSERT_EQ(OnPlay(), question);

  Input({InputRowLeft});
  Input({InputRowSelect});
  EXPECT_EQ(OnPlay(), nullptr);
  EXPECT_EQ(State(), StateStageEnd);
  EXPECT_EQ(game->Player->actionPoints, 0);
  for (int i = 0; i < 17; ++i) Input();
  EXPECT_EQ(State(), StateStageStart);
  EXPECT_EQ(game->CurrentStage, below);
  stage = below;
  EXPECT_EQ(game->Settings.Block.FloorNumber, 3u);
  FramesToNextTurn();
  EXPECT_EQ(State(), StateMainNormal);
}

// X is both CANCEL and ATTACK by default: the press that closes the
// question does not make the player strike once the play screen reads
// keys again, however long it is held.
TEST_F(RunEndFlow, TheKeyThatCancelsTheQuestionDoesNotStrikeOnThePlayScreen) {
  UseFloor(new TracingFloor({"#######", "#..>..#", "#######"}));
  CCharacterPlayer* p = Begin(PlacePlayer(2, 1));
  Step(DirectionRight);
  FramesToNextTurn();
  ASSERT_EQ(OnPlay(), GetGameInputNext());

  for (int i = 0; i < 30; ++i) Input({InputRowAttack, InputRowCancel});
  EXPECT_EQ(OnPlay(), nullptr);
  EXPECT_EQ(State(), StateMainNormal);
  EXPECT_EQ(p->actionPoints, 2);
  // Let go and pressed anew, it strikes.
  Input();
  Input({InputRowAttack});
  EXPECT_EQ(State(), StatePlayerAction);
}

TEST_F(RunEndFlow, DeathShowsGameOverAndTheRunInTheRankingsWithItsKiller) {
  game->Settings.Block.DungeonIndex = 2;
  CCharacterPlayer* p = PlaceClassPlayer(3, 3, 0);
  ASSERT_NE(p, nullptr);
  Begin(p);
  p->hp = 0;
  p->causeOfDeath = 256;
  p->SetAnimation(AnimationDying);
  CGameInputMainGameOver* over = GetGameInputMainGameOver();
  InputUntil([&] { return OnPlay() == over; });
  EXPECT_EQ(State(), StateGameOver);
  EXPECT_EQ(ReadBytes(folder.File("save"))[52], 0);

  InputUntil([&] { return over->GetPhase() == CGameInputMainGameOver::PhaseAwaitingSelect; });
  Input({InputRowSelect});
  CGameInputTitleScoreRanking* rankings = GetGameInputTitleScoreRanking();
  InputUntil([&] { return GetGameInputController()->GetChild() == rankings; });
  EXPECT_EQ(State(), StateTitle);
  EXPECT_EQ(rankings->RankingPage, 2);
  EXPECT_NE(std::string(rankings->RecordText.GetText()).find("KILLED BY SLIME."), std::string::npos)
      << rankings->RecordText.GetText();
}

// A death is final: played by keys to a death that nothing undoes, the
// program closed at any frame from the fatal turn on (its exit writes
// "save") starts again with no run to continue and the run ranked once.
// With a ring of resurrection the death is not final: every close leaves
// the fatal turn to continue, and nothing is ranked.
TEST_F(RunEndFlow, ClosingAfterTheFatalBlowEndsTheRunAsGameOverDoes) {
  constexpr ItemId RingOfResurrection = 0x606;
  for (bool ring : {false, true}) {
    SCOPED_TRACE(ring ? "with a ring of resurrection" : "with nothing to undo it");
    ClearLists();
    for (const char* name : {"save", "score_002_000"}) std::remove(folder.File(name).c_str());
    game->Characters.DeleteAll();
    UseFloor(new TracingFloor(DefaultRows()));
    ResetController();
    game->Settings.Block.DungeonIndex = 2;
    CCharacterPlayer* p = PlaceClassPlayer(3, 3, 0);
    ASSERT_NE(p, nullptr);
    if (ring) {
      CItem* worn = CreateItem(RingOfResurrection);
      ASSERT_TRUE(p->AddItem(worn));
      ASSERT_TRUE(p->Equip(worn));
    }
    Begin(p);
    p->hp = 1;
    p->satiety = 0;  // the next turn's hunger takes the last hit point
    auto closeAndStartAgain = [&](bool over) {
      SCOPED_TRACE(over ? "after the death" : "before the death");
      ASSERT_TRUE(game->WriteSaveFile());
      CGameMain next;
      testing::internal::CaptureStderr();
      ASSERT_TRUE(next.LoadAll());
      const std::string err = testing::internal::GetCapturedStderr();
      EXPECT_EQ(err.find("damaged"), std::string::npos) << err;
      EXPECT_EQ(next.Settings.Block.DungeonIndex, 2u);
      EXPECT_EQ(next.HasSuspendedGame(), !over);
      if (next.Player) {
        EXPECT_GT(next.Player->hp, 0);
      }
      int ranked = 0;
      const CScoreRanking& board = next.ScoreRankings[2 * RankingListsPerDungeon];
      for (int n = 0; n < RankingSlots; ++n) ranked += board.GetResult(n) != 0 ? 1 : 0;
      EXPECT_EQ(ranked, over ? 1 : 0);
    };
    closeAndStartAgain(false);
    Input({InputRowAttack});
    bool fell = false;
    for (int frame = 0; frame < 600 && State() != StateGameOver; ++frame) {
      Input();
      fell = fell || p->hp <= 0;
      closeAndStartAgain(fell && !ring);
      if (ring && fell && p->hp > 0) break;  // back on its feet
    }
    ASSERT_TRUE(fell);
    if (ring) {
      EXPECT_GT(p->hp, 0);
      continue;
    }
    ASSERT_EQ(State(), StateGameOver);
    for (int i = 0; i < 5; ++i) {
      Input();
      closeAndStartAgain(true);
    }
  }
}

TEST_F(RunEndFlow, AGoalItemRecordsTheClearAndLeadsThroughItsScreen) {
  const struct {
    const char* What;
    ItemId Id;
    int StageId;
    std::vector<std::string> Rows;
    bool Select;
    ScreenId Then;
  } cases[] = {
      {"a crystal", 0xD01, 1, {"#######", "#.....#", "#######"}, true, 7},
      {"the princess", 0xD09, 1, {"#######", "#.....#", "#######"}, false, 2},
      {"the tutorial's stairs", NoItem, 500, {"#######", "#..>..#", "#######"}, false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    game->Characters.DeleteAll();
    UseFloor(new TracingFloor(c.Rows));
    stage->StageId = c.StageId;
    ResetController();
    SaveBlock& b = game->Settings.Block;
    std::memset(b.DungeonClearedFlags, 0, sizeof b.DungeonClearedFlags);
    std::memset(b.ClearedWithClass, 0, sizeof b.ClearedWithClass);
    b.DungeonIndex = 2;
    b.SelectedClass = 0;
    CCharacterPlayer* p = Begin(PlacePlayer(2, 1));
    if (c.Id != NoItem) {
      ASSERT_TRUE(stage->PutItemAt(3, 1, CreateItem(c.Id)));
    }
    Step(DirectionRight);
    InputUntil([] { return State() == StateClear; });
    ASSERT_NE(OnPlay(), nullptr);
    if (c.Select) {
      auto* first = dynamic_cast<CGameInputMainClear1*>(OnPlay());
      ASSERT_NE(first, nullptr);
      InputUntil([&] { return first->GetPhase() == CGameInputMainClear1::PhaseAwaitingSelect; });
      Input({InputRowSelect});
    }
    InputUntil([&] { return GetGameInputController()->GetChild() == ScreenFromId(c.Then); });
    EXPECT_EQ(State(), StateTitle);
    const Bytes save = ReadBytes(folder.File("save"));
    ASSERT_EQ(save.size(), 8192u);
    EXPECT_EQ(U32At(save, 12 + 4 * 2), 1u);
    EXPECT_EQ(save[104 + 11 * 2 + 0], 1);
    EXPECT_EQ(save[GameInProgressAt], 0);
    EXPECT_EQ(game->ScoreRankings[2 * RankingListsPerDungeon].GetResult(1), 2);
    EXPECT_EQ(game->ScoreRankings[2 * RankingListsPerDungeon].GetScore(1), p->CalcScore());
    GetGameInputController()->SetChild(nullptr);
    ClearLists();
  }
}

}  // namespace
