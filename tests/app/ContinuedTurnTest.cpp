// A run closed in the middle of a turn and continued plays that turn's
// command exactly as the run that was never closed: headless, on fixed
// seeds, driven by key events as a player's keys go. Each case plays the
// same run twice to the same turn; the first waits a few frames and gives
// its command, the second gives it, is closed while it plays out, is
// continued, waits far longer, and gives it again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/KeyPlaySupport.h"

namespace {

using namespace keyplay;

constexpr std::uint32_t FullscreenKey = 0x73;  // F4

struct Case {
  const char* Name;
  std::uint32_t Seed;
  int Dungeon;
  std::uint32_t PlayerClass;
  int FloorsDown;        // stairs taken before the turn
  bool ContinuedBefore;  // the turn is itself the first after a CONTINUE
  bool FullscreenKeyMidTurn;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.Name; }

class ContinuedTurn : public KeyPlay, public ::testing::WithParamInterface<Case> {
protected:
  // What a command decides: everyone's cell, HP, experience and statuses,
  // the lines it wrote, the turn count and the game's generator. (The
  // frames an idle pose has run are no part of it.)
  std::string Outcome() const {
    std::ostringstream out;
    out << "turn " << game->Settings.Block.TurnCount << " floor " << game->Settings.Block.FloorNumber << " rng "
        << GetRandomState();
    for (CCharacter* c : game->Characters.Walk()) {
      out << "\n" << c->type << " at " << c->x << "," << c->y << " hp " << c->hp << " exp " << c->exp << " ap "
          << c->actionPoints << " status";
      for (std::int32_t s : c->status) out << " " << s;
    }
    for (int row = 0; row < 3; ++row) out << "\n\"" << Play()->GetMessageRow(row) << "\"";
    return out.str();
  }

  bool MonsterAt(int x, int y) const {
    const CCharacter* c = game->CurrentStage->GetCharacterAt(x, y);
    return c && c != game->Player && !c->IsMiningPoint() && c->hp > 0;
  }

  // The same run to the same turn, by the same keys: down the stairs as
  // often as asked, then toward the nearest monster until one stands next
  // to the player. The blow at it is the turn's command.
  void PlayToTheTurn(const Case& c) {
    StartRun(c.Seed, c.Dungeon, c.PlayerClass);
    ASSERT_TRUE(NextTurn());
    for (int floor = 0; floor < c.FloorsDown; ++floor) {
      WantStairs = true;
      ASSERT_TRUE(WalkTo([&](int x, int y) { return game->CurrentStage->IsStairs(x, y); }));
      ASSERT_TRUE(AnswerYesOnTheStairs());
      WantStairs = false;
      ASSERT_TRUE(NextTurn());
    }
    ASSERT_EQ(game->Settings.Block.FloorNumber, static_cast<std::uint32_t>(1 + c.FloorsDown));
    for (int turn = 0;; ++turn) {
      ASSERT_LT(turn, 150) << "no monster came near";
      ASSERT_TRUE(FirstStep([&](int x, int y) { return MonsterAt(x, y); }, Blow)) << "no monster on the floor";
      if (MonsterAt(game->Player->GetX() + Blow.Dx, game->Player->GetY() + Blow.Dy)) break;
      ASSERT_TRUE(StepToward(Blow));
    }
    if (c.ContinuedBefore) {
      CloseAndContinue();
      ASSERT_TRUE(NextTurn());
    }
    ASSERT_TRUE(AwaitingCommand());
  }

  // Keys down until the game takes the command, then up.
  void GiveCommand(const std::vector<std::uint32_t>& keys) {
    for (std::uint32_t vk : keys) Press(vk);
    const GameStateId before = State();
    for (int i = 0; i < 8 && State() == before; ++i) Frame();
    ReleaseKeys();
    ASSERT_NE(State(), StateMainNormal) << "the command was not taken";
  }

  void Wait(int frames) {
    for (int i = 0; i < frames; ++i) Frame();
  }

  // What the program's exit and a new start do: "save" is written from the
  // image, the new process draws from a generator seeded anew, and CONTINUE
  // reads the run back.
  void CloseAndContinue() {
    ASSERT_TRUE(game->WriteSaveFile());
    ReleaseKeys();
    SeedRandom(777);
    SeedVisualRandom(778);
    GetStateController()->ChangeState(StateTitle);
    GetGameInputController()->SetChild(nullptr);
    game->ContinueGame();
    ASSERT_TRUE(game->HasSuspendedGame());
  }

  Way Blow{};
};

TEST_P(ContinuedTurn, TheCommandAfterACloseAndContinuePlaysAsWithoutTheClose) {
  const Case& c = GetParam();

  // Uninterrupted: five frames of waiting, then the blow.
  PlayToTheTurn(c);
  if (HasFatalFailure()) return;
  const std::uint32_t atTheTurn = GetRandomState();
  Wait(5);
  EXPECT_EQ(GetRandomState(), atTheTurn) << "waiting drew from the game's generator";
  GiveCommand(KeysOf(Blow));
  ASSERT_TRUE(NextTurn());
  const std::string uninterrupted = Outcome();

  // The same run to the same turn; closed a few frames into the blow.
  PlayToTheTurn(c);
  if (HasFatalFailure()) return;
  ASSERT_EQ(GetRandomState(), atTheTurn);
  ASSERT_TRUE(game->WriteSaveFile());
  Bytes atTheTurnsStart = ReadBytes(Folder.File("save"));
  Wait(5);
  GiveCommand(KeysOf(Blow));
  Wait(3);
  if (c.FullscreenKeyMidTurn) {
    Press(FullscreenKey);
    Frame();
    Release(FullscreenKey);
  }
  ASSERT_NE(State(), StateMainNormal) << "closed after the turn, not in it";
  CloseAndContinue();
  // What the exit wrote is the turn's start, whatever frame of the turn it
  // came in (the full-screen setting aside).
  Bytes written = ReadBytes(Folder.File("save"));
  ASSERT_EQ(written.size(), atTheTurnsStart.size());
  written[FullscreenAt] = atTheTurnsStart[FullscreenAt] = 0;
  EXPECT_TRUE(written == atTheTurnsStart);

  // Nothing between CONTINUE and the command draws, however long the wait.
  ASSERT_TRUE(NextTurn());
  EXPECT_EQ(GetRandomState(), atTheTurn) << "the way back to the turn drew from the game's generator";
  Wait(200);
  EXPECT_EQ(GetRandomState(), atTheTurn) << "waiting drew from the game's generator";
  GiveCommand(KeysOf(Blow));
  ASSERT_TRUE(NextTurn());
  EXPECT_EQ(Outcome(), uninterrupted);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, ContinuedTurn,
    ::testing::Values(Case{"OnTheFirstFloor", 20261210, 1, 0, 0, false, false},
                      Case{"AfterAFloorChange", 20261211, 1, 2, 1, false, true},
                      Case{"FirstAfterAContinue", 20261212, 1, 1, 0, true, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.Name); });

}  // namespace
