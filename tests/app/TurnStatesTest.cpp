// One turn, state by state, for each of its paths; the player's lost
// turns; the run and every test that stops it; what the player finds at the
// end of a step; the trap; the monster house; the order of the others'
// actions and the stairs prompt.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/TurnTestSupport.h"
#include "items/ItemFactory.h"

namespace {

using namespace turntest;

constexpr ItemId Sword = 0x001;
constexpr ItemId StoneArrow = 0x200;
constexpr ItemId Herb = 0x800;
constexpr ItemId Spikes = 0xC00;

std::string At(const char* what) {
  return std::string(what) + "@" + std::to_string(GetStateController()->GetStateId());
}

// Stands still and writes down each call of the turn and the state it came in.
class Watcher : public runtest::Carrier<CCharacter> {
public:
  void DecideMove() override { Call("move"); }
  bool DecideAction() override {
    Call("act");
    return false;
  }
  void UpdateTurn() override { Call("update"); }
  void StartTurn() override { Call("start"); }
  void Call(const char* what) {
    Note();
    Calls.push_back(At(what));
  }
  std::vector<std::string> Calls;
};

std::vector<std::string>& ActionLog() {
  static std::vector<std::string> log;
  return log;
}

// Acts once per point, holding the turn through its action pose.
class Actor : public runtest::Carrier<CCharacter> {
public:
  Actor(const char* name, int points) : Name(name), Points(points) {}
  bool DecideAction() override {
    if (Left == 0) return false;
    --Left;
    ActionLog().push_back(Name);
    SetAnimation(AnimationAction);
    return true;
  }
  void StartTurn() override { Left = Points; }
  const char* Name;
  int Points;
  int Left = 0;
};

class TurnStates : public TurnFixture {
protected:
  // The player's turn has begun with the player at (x, y).
  TestPlayer* Begin(int x, int y) {
    TestPlayer* p = PlacePlayer(x, y);
    GetStateController()->ChangeState(StateMainNormal);
    Trace().clear();
    return p;
  }
  static std::string NameOf(ItemId id, int count) {
    CItem* item = CreateItem(id);
    item->SetCount(count);
    char name[ItemTextSize];
    item->GetNameWithCount(name, sizeof name);
    delete item;
    return name;
  }
  void PutItem(int x, int y, ItemId id, int count = 1, bool revealed = true) {
    CItem* item = CreateItem(id);
    item->SetCount(count);
    item->SetRevealed(revealed);
    ASSERT_TRUE(stage->PutItemAt(x, y, item));
  }
};

TEST_F(TurnStates, AStepRunsTheMoveTheTrapTheOthersAndTheCleanUp) {
  TestPlayer* p = Begin(3, 3);
  Watcher* w = Place<Watcher>(8, 3);
  const std::uint32_t turn = game->Settings.Block.TurnCount;
  Step(DirectionRight);
  EXPECT_EQ(FramesToNextTurn(), 8);
  EXPECT_EQ(Trace(), (std::vector<GameStateId>{6, 7, 9, 3, 4}));
  EXPECT_EQ(w->Calls, (std::vector<std::string>{"move@6", "act@9", "update@3", "start@3"}));
  EXPECT_EQ(p->x, 4);
  EXPECT_EQ(p->prevX, 4);
  EXPECT_EQ(p->actionPoints, 2);
  EXPECT_EQ(game->Settings.Block.TurnCount, turn + 1);
  EXPECT_EQ(stage->TurnCounter, 1);
  // The save image holds the new turn's start.
  EXPECT_EQ(game->SaveImage.Block.TurnCount, turn + 1);
  EXPECT_EQ(game->SaveImage.Block.GameInProgress, 1);
}

TEST_F(TurnStates, AnActionInPlaceHoldsUntilItEndsThenTheOthersMove) {
  TestPlayer* p = Begin(3, 3);
  Watcher* w = Place<Watcher>(8, 3);
  Act(AnimationAttack);
  EXPECT_EQ(GetStateController()->GetHoldCount(), 1);
  Frame();
  Frame();
  Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StatePlayerAction);  // still striking
  EXPECT_EQ(FramesToNextTurn(), 2);
  EXPECT_EQ(Trace(), (std::vector<GameStateId>{5, 8, 9, 3, 4}));
  EXPECT_EQ(w->Calls, (std::vector<std::string>{"move@8", "act@9", "update@3", "start@3"}));
  EXPECT_EQ(p->x, 3);
}

TEST_F(TurnStates, APlayerWhoCannotActLosesTheTurnWithoutWaiting) {
  const struct {
    const char* What;
    std::function<void(CCharacter&)> Set;
  } cases[] = {
      {"asleep", [](CCharacter& c) { c.status[static_cast<int>(StatusKind::Sleep)] = 1; }},
      {"paralysed", [](CCharacter& c) { c.status[static_cast<int>(StatusKind::Paralyze)] = 1; }},
      {"one action point", [](CCharacter& c) { c.actionPoints = 1; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    game->Characters.DeleteAll();
    for (CCharacter*& standing : stage->characterAt) standing = nullptr;
    ResetController();
    TestPlayer* p = PlacePlayer(3, 3);
    Watcher* w = Place<Watcher>(8, 3);
    c.Set(*p);
    Trace().clear();
    const std::uint32_t turn = game->Settings.Block.TurnCount;
    GetStateController()->ChangeState(StateMainNormal);
    EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
    EXPECT_EQ(FramesToNextTurn(), 1);
    EXPECT_EQ(Trace(), (std::vector<GameStateId>{4, 8, 9, 3, 4}));
    EXPECT_EQ(w->Calls.front(), "move@8");
    // The image was captured at the lost turn's start too.
    EXPECT_EQ(game->SaveImage.Block.TurnCount, turn + 1);
  }
}

TEST_F(TurnStates, ASlowPlayerCommandsEveryOtherTurn) {
  TestPlayer* p = PlacePlayer(3, 3);
  p->status[static_cast<int>(StatusKind::Slow)] = 100;
  p->actionPoints = 1;
  const std::uint32_t start = game->Settings.Block.TurnCount;
  GetStateController()->ChangeState(StateMainNormal);
  EXPECT_EQ(GetStateController()->GetStateId(), StateEnemyMove);
  FramesToNextTurn();
  EXPECT_EQ(game->Settings.Block.TurnCount, start + 1);
  for (int command = 1; command <= 3; ++command) {
    Act(AnimationAction);
    FramesToNextTurn();
    // The commanded turn, then one lost.
    EXPECT_EQ(game->Settings.Block.TurnCount, start + 1 + 2 * command);
  }
}

// ---- The run

struct RunCase {
  const char* What;
  std::vector<std::string> Rows;
  int X, Y;
  Direction Facing;
  bool Stops;
  std::function<void(TurnFixture&, CStageData&, CCharacter&)> Setup = nullptr;
};

TEST_F(TurnStates, TheRunStopsAtEachOfItsTests) {
  const std::vector<std::string> corridor = {"##########", "#++++++++#", "##########"};
  const RunCase cases[] = {
      {"along an open corridor", corridor, 3, 1, DirectionRight, false},
      {"a revealed item next to it", corridor, 3, 1, DirectionRight, true,
       [](TurnFixture&, CStageData& s, CCharacter&) { s.PutItemAt(2, 1, CreateItem(Herb)); }},
      {"a hidden trap next to it does not stop it", corridor, 3, 1, DirectionRight, false,
       [](TurnFixture&, CStageData& s, CCharacter&) {
         CItem* trap = CreateItem(Spikes);
         trap->SetRevealed(false);
         s.PutItemAt(4, 1, trap);
       }},
      {"a character next to it", corridor, 3, 1, DirectionRight, true,
       [](TurnFixture&, CStageData& s, CCharacter&) {
         auto* w = new Watcher;
         w->SetPosition(4, 2);
         s.MoveCharacterTo(4, 2, w);
         GetGameMain()->Characters.PushBack(w);
       }},
      {"stairs next to it", {"##########", "#+++>++++#", "##########"}, 3, 1, DirectionRight, true},
      {"on the stairs", {"##########", "#++>+++++#", "##########"}, 3, 1, DirectionRight, true},
      {"poisoned", corridor, 3, 1, DirectionRight, true,
       [](TurnFixture&, CStageData&, CCharacter& p) { p.status[static_cast<int>(StatusKind::Poison)] = 3; }},
      {"confused", corridor, 3, 1, DirectionRight, true,
       [](TurnFixture&, CStageData&, CCharacter& p) { p.status[static_cast<int>(StatusKind::Confuse)] = 3; }},
      {"starving", corridor, 3, 1, DirectionRight, true,
       [](TurnFixture&, CStageData&, CCharacter& p) { p.satiety = 0; }},
      {"in a room next to its exit", {"#######", "#....++", "#....##", "#######"}, 4, 1, DirectionLeft, true},
      {"in a room away from its exits", {"#######", "#....++", "#....##", "#######"}, 3, 2, DirectionLeft, false},
      {"a side opening of the corridor", {"####+#####", "#++++++++#", "##########"}, 4, 1, DirectionRight, true},
      {"a side opening behind it does not stop it", {"####+#####", "#++++++++#", "##########"}, 5, 1,
       DirectionRight, false},
      {"a diagonal opening across its facing", {"########", "#++#####", "##+++###", "###++###", "####+###",
                                                "########"},
       3, 3, DirectionDownRight, true},
      {"the corridor opens into a room ahead", {"#######", "#...+++", "#######"}, 4, 1, DirectionLeft, true},
      {"a wall ahead", {"######", "#++++#", "######"}, 4, 1, DirectionRight, true},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.What);
    game->Characters.DeleteAll();
    UseFloor(new TracingFloor(c.Rows));
    ResetController();
    TestPlayer* p = PlacePlayer(c.X, c.Y);
    p->SetDirection(c.Facing);
    if (c.Setup) c.Setup(*this, *stage, *p);
    game->AutoMove = 1;
    std::int32_t* presses = GetInput()->InputHistory[InputRowPointer];
    std::fill(presses, presses + InputHistoryLength, 1);
    GetStateController()->ChangeState(StateMainNormal);
    EXPECT_EQ(game->AutoMove != 0, !c.Stops);
    EXPECT_EQ(p->x, c.Stops ? c.X : c.X + DirectionDx(c.Facing));
    EXPECT_EQ(p->y, c.Stops ? c.Y : c.Y + DirectionDy(c.Facing));
    EXPECT_TRUE(PointerConsumed());
  }
}

TEST_F(TurnStates, ARunPlaysOneTurnAFrameWithoutStepsUntilItStops) {
  UseFloor(new TracingFloor({"############", "#+++++++++##", "#######+####", "############"}));
  TestPlayer* p = PlacePlayer(1, 1);
  p->SetDirection(DirectionRight);
  game->AutoMove = 1;
  GetStateController()->ChangeState(StateMainNormal);
  int frames = 0;
  while (game->AutoMove && frames < 50) {
    Frame();
    ++frames;
    EXPECT_EQ(p->moveStep, 8);
    EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
  }
  // Stopped at the side opening down to (7, 2).
  EXPECT_EQ(p->x, 7);
  EXPECT_EQ(frames, 6);
  EXPECT_EQ(game->Settings.Block.TurnCount - game->SaveImage.Block.TurnCount, 0u);
}

// ---- The end of a step

TEST_F(TurnStates, TheBagTakesWhatLiesAtTheEndOfAStep) {
  const struct {
    const char* What;
    std::function<void(TestPlayer&)> Bag;
    ItemId Id;
    int Count;
    std::vector<std::string> Lines;
    int LeftOnFloor;
  } cases[] = {
      {"taken into a free slot", [](TestPlayer&) {}, Herb, 1, {"YOU PICKED UP " + NameOf(Herb, 1) + "."}, 0},
      {"merged into a stack, and so freed", [](TestPlayer& p) {
         CItem* a = CreateItem(StoneArrow);
         a->SetCount(5);
         p.AddItem(a);
       }, StoneArrow, 3, {"YOU PICKED UP " + NameOf(StoneArrow, 3) + "."}, 0},
      {"no room", [](TestPlayer& p) {
         for (int i = 0; i < TestPlayer::Capacity; ++i) p.AddItem(CreateItem(Sword));
       }, Herb, 1, {"YOU CAN'T TAKE ANYMORE.", "THERE IS " + NameOf(Herb, 1) + "."}, 1},
      {"room for part of a stack", [](TestPlayer& p) {
         for (int i = 0; i + 1 < TestPlayer::Capacity; ++i) p.AddItem(CreateItem(Sword));
         CItem* a = CreateItem(StoneArrow);
         a->SetCount(998);
         p.AddItem(a);
       }, StoneArrow, 5, {"YOU CAN'T TAKE ANYMORE.", "THERE IS " + NameOf(StoneArrow, 4) + "."}, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    game->Characters.DeleteAll();
    UseFloor(new TracingFloor(DefaultRows()));
    ResetController();
    GetGameInputMain()->CloseMessage();
    TestPlayer* p = Begin(3, 3);
    c.Bag(*p);
    PutItem(4, 3, c.Id, c.Count);
    Step(DirectionRight);
    FramesToNextTurn();
    for (std::size_t i = 0; i < c.Lines.size(); ++i) EXPECT_EQ(MessageRow(static_cast<int>(i)), c.Lines[i]);
    CItem* left = stage->GetItemAt(4, 3);
    EXPECT_EQ(left ? left->GetCount() : 0, c.LeftOnFloor);
  }
}

TEST_F(TurnStates, RunningOntoAHiddenItemStopsAndLeavesIt) {
  UseFloor(new TracingFloor({"##########", "#++++++++#", "##########"}));
  TestPlayer* p = PlacePlayer(2, 1);
  p->SetDirection(DirectionRight);
  PutItem(4, 1, Herb, 1, false);
  game->AutoMove = 1;
  GetStateController()->ChangeState(StateMainNormal);
  for (int i = 0; i < 5 && game->AutoMove; ++i) Frame();
  EXPECT_EQ(p->x, 4);
  EXPECT_EQ(game->AutoMove, 0);
  EXPECT_EQ(MessageRow(0), "THERE IS " + NameOf(Herb, 1) + ".");
  EXPECT_NE(stage->GetItemAt(4, 1), nullptr);
  EXPECT_EQ(p->GetItemCount(), 0);
}

// A trap that holds the turn while its effect runs.
class HoldingTrap : public CItem {
public:
  bool IsTrap() const override { return true; }
  char* GetNameWithCount(char* buffer, std::size_t size) const override {
    std::snprintf(buffer, size, "SPIKES");
    return buffer;
  }
  void LayTrap() override {
    ++Sprung;
    if (Holds) GetStateController()->Hold();
  }
  int Sprung = 0;
  bool Holds = true;
};

TEST_F(TurnStates, ATrapUnderThePlayerSpringsBeforeTheOthersAct) {
  TestPlayer* p = Begin(3, 3);
  Watcher* w = Place<Watcher>(8, 3);
  auto* trap = new HoldingTrap;
  trap->SetRevealed(false);
  ASSERT_TRUE(stage->PutItemAt(4, 3, trap));
  Step(DirectionRight);
  for (int i = 0; i < 8; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateTrapAction);
  EXPECT_EQ(trap->Sprung, 1);
  EXPECT_TRUE(trap->IsRevealed());
  EXPECT_EQ(MessageRow(0), "SPIKES!");
  EXPECT_EQ(w->Calls, (std::vector<std::string>{"move@6"}));
  Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateTrapAction);
  GetStateController()->Release();  // the effect ends
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
  EXPECT_EQ(w->Calls[1], "act@9");
  EXPECT_EQ(p->x, 4);
}

TEST_F(TurnStates, ATrapThatHoldsNothingDoesNotStopTheTurn) {
  Begin(3, 3);
  Place<Watcher>(8, 3);
  auto* trap = new HoldingTrap;
  trap->Holds = false;
  ASSERT_TRUE(stage->PutItemAt(4, 3, trap));
  Step(DirectionRight);
  EXPECT_EQ(FramesToNextTurn(), 8);
  EXPECT_EQ(Trace(), (std::vector<GameStateId>{6, 7, 9, 3, 4}));
  EXPECT_EQ(trap->Sprung, 1);
}

TEST_F(TurnStates, ATrapOfTheGameSpringsAndTheTurnGoesOnWhenItsEffectEnds) {
  TestPlayer* p = Begin(3, 3);
  p->hp = p->maxHp = 500;
  Watcher* w = Place<Watcher>(8, 3);
  CItem* trap = CreateItem(Spikes);
  trap->SetRevealed(false);
  ASSERT_TRUE(stage->PutItemAt(4, 3, trap));
  Step(DirectionRight);
  for (int i = 0; i < 8; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateTrapAction);
  EXPECT_EQ(MessageRow(0), NameOf(Spikes, 1) + "!");
  EXPECT_GT(FramesToNextTurn(), 1);
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
  EXPECT_EQ(Trace(), (std::vector<GameStateId>{6, 7, 9, 3, 4}));
  EXPECT_EQ(w->Calls[1], "act@9");
}

TEST_F(TurnStates, AMonsterHouseWakesOnceWhenEntered) {
  UseFloor(new TracingFloor({"########", "#..hhh.#", "#..hhh.#", "########"}));
  TestPlayer* p = Begin(2, 1);
  Watcher* sleeper = Place<Watcher>(5, 2);
  sleeper->status[static_cast<int>(StatusKind::Dormant)] = StatusForever;
  sleeper->status[static_cast<int>(StatusKind::Hold)] = StatusForever;
  Step(DirectionRight);
  FramesToNextTurn();
  EXPECT_EQ(MessageRow(0), "PANDEMONIUM!");
  EXPECT_EQ(stage->BgmTrack, 8);
  EXPECT_EQ(stage->BgmResourceId, 10008);
  EXPECT_FALSE(sleeper->IsDormant());
  EXPECT_FALSE(sleeper->IsHold());

  GetGameInputMain()->CloseMessage();
  sleeper->status[static_cast<int>(StatusKind::Dormant)] = StatusForever;
  Step(DirectionRight);
  FramesToNextTurn();
  EXPECT_EQ(p->x, 4);
  EXPECT_FALSE(GetGameInputMain()->IsMessageShown());
  EXPECT_TRUE(sleeper->IsDormant());
}

TEST_F(TurnStates, OthersActOneAtATimeFromTheHeadOfTheList) {
  Begin(3, 3);
  auto* quick = new Actor("quick", 2);
  auto* plain = new Actor("plain", 1);
  for (Actor* a : {quick, plain}) {
    a->Left = a->Points;
    game->Characters.PushBack(a);
  }
  ActionLog().clear();
  Act(AnimationAction);
  FramesToNextTurn();
  EXPECT_EQ(ActionLog(), (std::vector<std::string>{"quick", "quick", "plain"}));
}

TEST_F(TurnStates, ArrivingOnTheStairsAsksOnce) {
  UseFloor(new TracingFloor({"#######", "#..>..#", "#######"}));
  Begin(2, 1);
  Step(DirectionRight);
  FramesToNextTurn();
  EXPECT_EQ(Screen(23).Begun, 1);
  EXPECT_EQ(GetGameInputController()->GetChild(), &Screen(23));
  // Answered no: waiting on the stairs does not ask again.
  GetGameInputController()->SetChild(nullptr);
  Act(AnimationAction);
  FramesToNextTurn();
  EXPECT_EQ(Screen(23).Begun, 1);
}

}  // namespace
