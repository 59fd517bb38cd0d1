#pragma once
// The game object as play leaves it: a carved floor, a test player and the
// others in the game's list, stand-in screens for the ones the states push,
// and the states' own sequence written down as they run. Everything the
// singletons held is put back after each test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/GameStates.h"
#include "characters/CarrierTestSupport.h"
#include "characters/CharacterFactory.h"
#include "floors/FloorTestSupport.h"
#include "floors/StageFactory.h"
#include "items/IdentifyTable.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/FontSet.h"
#include "platform/Random.h"
#include "platform/SaveTestSupport.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace turntest {

using runtest::TestMonster;
using runtest::TestPlayer;

// The states in the order they were met, each once per stay.
inline std::vector<GameStateId>& Trace() {
  static std::vector<GameStateId> trace;
  return trace;
}
inline void Note() {
  const GameStateId id = GetStateController()->GetStateId();
  if (Trace().empty() || Trace().back() != id) Trace().push_back(id);
}

// A floor that notes the state at every service the states ask of it, and
// hands out the floor below when one is given.
class TracingFloor : public CStageData {
public:
  explicit TracingFloor(const std::vector<std::string>& rows) { floortest::Carve(*this, rows); }
  void Update() override {
    Note();
    CStageData::Update();
  }
  void AdvanceTurn() override {
    Note();
    CStageData::AdvanceTurn();
  }
  void StartScroll() override {
    Note();
    CStageData::StartScroll();
  }
  CItem* GetItemAt(int x, int y) const override {
    Note();
    return CStageData::GetItemAt(x, y);
  }
  bool IsMonsterHouseFloor(int x, int y) const override {
    Note();
    return CStageData::IsMonsterHouseFloor(x, y);
  }
  CStageData* CreateNextFloor() override {
    CStageData* next = Next;
    Next = nullptr;
    return next;
  }
  CStageData* Next = nullptr;  // owned until handed out
  ~TracingFloor() override { delete Next; }
};

// A screen that counts its beginnings; the floor-title card also walks its
// phases: open to closing, and on from 4 (set by the floor start) to 6.
class StandInScreen : public CGameInput {
public:
  explicit StandInScreen(bool card = false) : Card(card) {}
  void Begin() override {
    ++Begun;
    Phase = ScreenOpening;
  }
  // Only the last screen of the chain takes its frame.
  void Update() override {
    if (Child) {
      Child->Update();
      return;
    }
    ++Updates;
    if (Card && (Phase < ScreenClosing || (Phase >= ScreenPaused && Phase < ScreenResuming))) ++Phase;
  }
  void Clear() {
    Begun = Updates = 0;
    Phase = ScreenClosed;
    SetParent(nullptr);
    SetChild(nullptr);
  }
  bool Card;
  int Begun = 0;
  int Updates = 0;
};

inline StandInScreen& Screen(ScreenId id) {
  static StandInScreen play, next, clear1, clear2, card(true);
  switch (id) {
    case 15: return play;
    case 23: return next;
    case 25: return clear1;
    case 26: return clear2;
    default: return card;
  }
}
inline CGameInput* ResolveStandIn(ScreenId id) {
  return id == 15 || id == 23 || id == 25 || id == 26 || id == 27 ? &Screen(id) : nullptr;
}

class TurnFixture : public ::testing::Test {
protected:
  static const std::vector<std::string>& DefaultRows() {
    static const std::vector<std::string> rows = {
        "############",
        "#..........#",
        "#..........#",
        "#..........#",
        "#..........#",
        "#..........#",
        "############",
    };
    return rows;
  }

  void SetUp() override {
    game = GetGameMain();
    ASSERT_EQ(game->Characters.GetCount(), 0);
    savedPlayer = game->Player;
    savedStage = game->CurrentStage;
    savedMaker = game->MakeCharacter;
    std::memcpy(&savedBlock, &game->Settings.Block, sizeof savedBlock);
    game->MakeCharacter = &runtest::MakeTestCharacter;
    game->AutoMove = 0;
    ApplyFontSet(game->Fonts, true);
    GetGameInputMain()->CloseMessage();
    std::memset(GetInput()->InputHistory, 0, sizeof GetInput()->InputHistory);
    SetScreenResolver(&ResolveStandIn);
    for (ScreenId id : {15, 23, 25, 26, 27}) Screen(id).Clear();
    GetGameInputController()->SetChild(nullptr);
    ResetController();
    SeedRandom(12345);
    Trace().clear();
    UseFloor(new TracingFloor(DefaultRows()));
  }

  void TearDown() override {
    game->Characters.DeleteAll();
    delete game->CurrentStage;
    game->CurrentStage = savedStage;
    game->Player = savedPlayer;
    game->MakeCharacter = savedMaker;
    game->AutoMove = 0;
    std::memcpy(&game->Settings.Block, &savedBlock, sizeof savedBlock);
    game->CaptureSaveImage();
    GetGameInputMain()->CloseMessage();
    GetGameInputController()->SetChild(nullptr);
    SetScreenResolver(nullptr);
    ResetController();
    CEffect* effect = GetScreenEffect();
    effect->FadeValue = effect->FadeTarget = effect->FadeStep = 0;
    effect->FadeRunning = 0;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
  }

  static void ResetController() {
    GetStateController()->Reset();
    GetStateController()->ClearHolds();
  }

  void UseFloor(CStageData* floor) {
    delete game->CurrentStage;
    game->CurrentStage = floor;
    stage = floor;
  }
  TracingFloor* Tracing() const { return dynamic_cast<TracingFloor*>(stage); }

  template <class T>
  T* Place(int x, int y) {
    T* c = new T;
    c->SetPosition(x, y);
    EXPECT_TRUE(stage->MoveCharacterTo(x, y, c));
    game->Characters.PushBack(c);
    return c;
  }

  // The player at (x, y), ready for its command.
  TestPlayer* PlacePlayer(int x, int y) {
    TestPlayer* p = Place<TestPlayer>(x, y);
    game->Player = p;
    p->actionPoints = 2;
    return p;
  }

  // A player of the game's own class `type` at (x, y), ready for its command.
  CCharacterPlayer* PlaceClassPlayer(int x, int y, CharacterType type) {
    auto* p = dynamic_cast<CCharacterPlayer*>(CreateCharacter(type));
    if (!p) return nullptr;
    p->SetPosition(x, y);
    EXPECT_TRUE(stage->MoveCharacterTo(x, y, p));
    game->Characters.PushBack(p);
    game->Player = p;
    p->actionPoints = 2;
    return p;
  }

  // The play screen's commands, as it gives them in the player's turn.
  void Step(Direction d) {
    ASSERT_EQ(GetStateController()->GetStateId(), StateMainNormal);
    game->Player->SetDirection(d);
    ASSERT_TRUE(game->Player->StepForward());
    GetStateController()->ChangeState(StatePlayerMove);
    game->Player->actionPoints = 0;
  }
  void Act(AnimationEntry action) {
    ASSERT_EQ(GetStateController()->GetStateId(), StateMainNormal);
    GetStateController()->ChangeState(StatePlayerAction);
    game->Player->SetAnimation(action);
    game->Player->actionPoints = 0;
  }

  static void Frame() { GetStateController()->Update(); }
  // Frames until the player's turn comes back (or `limit` frames); how many ran.
  static int FramesToNextTurn(int limit = 200) {
    int n = 0;
    do {
      Frame();
      ++n;
    } while (GetStateController()->GetStateId() != StateMainNormal && n < limit);
    return n;
  }

  static std::string MessageRow(int row) { return GetGameInputMain()->GetMessageRow(row); }
  static bool PointerConsumed() {
    for (std::int32_t v : GetInput()->InputHistory[InputRowPointer])
      if (v != -1) return false;
    return true;
  }

  TempGameFolder folder;
  CGameMain* game = nullptr;
  CStageData* stage = nullptr;

private:
  CCharacterPlayer* savedPlayer = nullptr;
  CStageData* savedStage = nullptr;
  CharacterMaker savedMaker = nullptr;
  SaveBlock savedBlock;
};

}  // namespace turntest
