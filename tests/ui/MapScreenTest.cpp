// The floor map over the play screen: open while MAP is held, and nothing
// reaches the player meanwhile.
#include <gtest/gtest.h>

#include "ui/PlayScreenSupport.h"

namespace {

using namespace playtest;
using turntest::TestMonster;
using turntest::TestPlayer;

class MapScreen : public PlayFixture {};

TEST_F(MapScreen, ATapOpensItForAFrameAndThePlayScreenTakesTheNextCommand) {
  TestPlayer* player = StartTurn(5, 3);
  Press(KeyMap);
  Frame();
  ASSERT_EQ(screen->GetChild(), GetGameInputMainMap());
  EXPECT_EQ(GetGameInputMainMap()->GetParent(), screen);
  ReleaseAll();
  Frame();
  EXPECT_EQ(screen->GetChild(), nullptr) << "gone in its first update with MAP up";
  Press({KeyUp, KeyLeft});
  Frame();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->GetX(), 4);
}

TEST_F(MapScreen, HeldItStaysAndNoStepOrBlowActsUntilItsKeyIsSwallowed) {
  TestPlayer* player = StartTurn(5, 3);
  Press(KeyMap);
  Frame();
  Press({KeyUp, KeyLeft, KeyAttack});
  Frames(180);
  EXPECT_EQ(screen->GetChild(), GetGameInputMainMap());
  EXPECT_EQ(State(), StateMainNormal);
  EXPECT_EQ(player->GetX(), 5);
  EXPECT_EQ(player->animEntry, AnimationIdle);

  // MAP still down but swallowed reads as up; the pointer's history is
  // swallowed with it, so a press made over the map does not act later.
  Release(KeyUp);
  Release(KeyLeft);
  Release(KeyAttack);
  SwallowInput(GetInput()->InputHistory[InputRowMap]);
  Frame();
  EXPECT_EQ(screen->GetChild(), nullptr);
  EXPECT_EQ(GetInput()->InputHistory[InputRowPointer][0], -1);
  EXPECT_EQ(GetInput()->InputHistory[InputRowPointer][InputHistoryLength - 1], -1);
}

}  // namespace
