// A run saved at the start of a turn, quit, started again and continued
// plays the same next turns as the run that was never interrupted.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/TurnTestSupport.h"
#include "characters/CharacterFactory.h"

namespace {

using namespace turntest;

class RunRoundTrip : public TurnFixture {
protected:
  // What the turns decide: where everyone stands and how they fare, the
  // floor's turn, and the game's generator.
  std::string Digest() const {
    std::ostringstream out;
    out << "turn " << game->Settings.Block.TurnCount << " floor " << game->CurrentStage->TurnCounter << " rng "
        << GetRandomState();
    for (CCharacter* c : game->Characters.Walk()) {
      out << " | " << c->type << " at " << c->x << "," << c->y << " hp " << c->hp << " ap " << c->actionPoints
          << " facing " << c->direction << " step " << c->moveStep << " status";
      for (std::int32_t s : c->status) out << " " << s;
    }
    return out.str();
  }

  // `turns` player turns by a fixed script (a step where the way is free,
  // else a blow), starting with its `first` command; the digest at each
  // turn's start.
  std::vector<std::string> Play(int turns, int first) {
    static constexpr Direction Script[] = {DirectionRight, DirectionDown, DirectionLeft, DirectionUp,
                                           DirectionRight, DirectionRight, DirectionUp, DirectionLeft};
    std::vector<std::string> digests;
    for (int i = 0; i < turns; ++i) {
      EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
      digests.push_back(Digest());
      CCharacterPlayer* player = game->Player;
      player->SetDirection(Script[(first + i) % 8]);
      if (player->StepForward()) {
        GetStateController()->ChangeState(StatePlayerMove);
        player->actionPoints = 0;
      } else {
        Act(AnimationAttack);
      }
      FramesToNextTurn();
    }
    return digests;
  }

  // Plays three turns, saves at the fourth's start, plays on; then starts
  // again, continues and plays the same turns: both must be alike.
  void RoundTrip(const std::vector<CharacterType>& monsters, CharacterType playerType = runtest::TestPlayerType) {
    UseFloor(CreateStage(1));
    floortest::Carve(*stage, DefaultRows());
    auto* p = dynamic_cast<CCharacterPlayer*>(game->MakeCharacter(playerType));
    ASSERT_NE(p, nullptr);
    p->SetPosition(3, 3);
    ASSERT_TRUE(stage->MoveCharacterTo(3, 3, p));
    game->Characters.PushBack(p);
    game->Player = p;
    p->actionPoints = 2;
    // Enough to outlive every blow of the turns played.
    p->maxHpX100 = 100000;
    p->hp = p->maxHp = 1000;
    const int cells[][2] = {{6, 2}, {7, 4}, {5, 5}, {9, 1}};
    for (std::size_t i = 0; i < monsters.size(); ++i) {
      CCharacter* m = game->MakeCharacter(monsters[i]);
      ASSERT_NE(m, nullptr) << monsters[i];
      m->SetPosition(cells[i][0], cells[i][1]);
      ASSERT_TRUE(stage->MoveCharacterTo(cells[i][0], cells[i][1], m));
      game->Characters.PushBack(m);
    }
    GetStateController()->ChangeState(StateMainNormal);
    Play(3, 0);

    // The image holds this turn's start; "save" is written as at exit.
    ASSERT_TRUE(game->WriteSaveFile());
    const std::vector<std::string> straight = Play(8, 3);
    ASSERT_NE(straight.front(), straight.back());

    // The program starts again with another seed, and CONTINUE is chosen.
    SeedRandom(777);
    GetStateController()->ChangeState(StateTitle);
    GetGameInputController()->SetChild(nullptr);
    game->ContinueGame();
    stage = game->CurrentStage;
    ASSERT_TRUE(game->HasSuspendedGame());
    FramesToNextTurn();
    const std::vector<std::string> continued = Play(8, 3);
    EXPECT_EQ(continued, straight);
  }
};

TEST_F(RunRoundTrip, ContinuingASavedTurnPlaysTheSameNextTurns) {
  RoundTrip({runtest::TestMonsterType, runtest::TestMonsterType, runtest::TestMonsterType});
}

// A player of a class and the monsters of the families, with their own
// turns, choices, moves and blows.
TEST_F(RunRoundTrip, AndSoDoAPlayerOfAClassAndTheMonstersOfTheFamilies) {
  game->MakeCharacter = &CreateCharacter;
  RoundTrip({256, 259, 262, 274}, 2);
}

}  // namespace
