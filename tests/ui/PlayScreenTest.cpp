// The play screen in the player's turn: which command a frame's keys give,
// how a step, a turn in place, a dash, a blow and a shot go, and what it
// refuses.
#include <gtest/gtest.h>

#include <string>

#include "items/ItemFactory.h"
#include "ui/PlayScreenSupport.h"

namespace {

using namespace playtest;
using turntest::TestMonster;
using turntest::TestPlayer;

constexpr ItemId Arrows = 0x200, Kunai = 0xB8, ReturningSpear = 0xA8, Sword = 0x10C;

class PlayScreen : public PlayFixture {};

enum class Command { None, Map, Dash, Step, Skip, Attack, Shoot, Menu };

const char* Name(Command c) {
  static const char* names[] = {"none", "map", "dash", "step", "skip", "attack", "shoot", "menu"};
  return names[static_cast<int>(c)];
}

// What the last frame's command was, by what it left behind.
Command Observed(const CGameInputMain* screen, const CCharacter* player) {
  if (screen->GetChild() == GetGameInputMainMap()) return Command::Map;
  if (screen->GetChild() == &Menu()) return Command::Menu;
  switch (GetStateController()->GetStateId()) {
    case StateEnemyMove: return Command::Skip;
    case StatePlayerAction: return player->GetSelectedItem() == ArrowSlot ? Command::Shoot : Command::Attack;
    default: break;
  }
  if (GetGameMain()->AutoMove) return Command::Dash;
  if (player->GetX() != 5 || player->GetY() != 3) return Command::Step;
  return Command::None;
}

// Every command's keys held together with those of every command after it:
// the first of the order wins.
TEST_F(PlayScreen, TheFirstCommandOfTheOrderWins) {
  struct Case {
    std::vector<std::uint32_t> Keys;
    Command Expected;
  };
  const std::vector<std::uint32_t> diagonal = {KeyUp, KeyLeft};
  const Case cases[] = {
      {{KeyMap, KeyDash, KeyUp, KeyLeft, KeyAttack, KeyShoot, KeyMenu}, Command::Map},
      {{KeyDash, KeyUp, KeyLeft, KeyAttack, KeyShoot, KeyMenu}, Command::Dash},
      {{KeyUp, KeyLeft, KeyAttack, KeyShoot, KeyMenu}, Command::Step},
      {{KeyAttack, KeyDash, KeyShoot, KeyMenu}, Command::Skip},
      {{KeyAttack, KeyShoot, KeyMenu}, Command::Attack},
      {{KeyShoot, KeyMenu}, Command::Shoot},
      {{KeyMenu}, Command::Menu},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    TestPlayer* player = StartTurn(5, 3);
    player->slots[ArrowSlot] = CreateItem(Arrows);
    Press(c.Keys);
    Frame();
    EXPECT_STREQ(Name(Observed(screen, player)), Name(c.Expected));
    ReleaseAll();
  }
}

TEST_F(PlayScreen, AStraightStepWaitsThreeFramesATwoKeyDiagonalDoesNot) {
  TestPlayer* player = StartTurn(5, 3);
  Press(KeyUp);
  Frames(2);
  EXPECT_EQ(State(), StateMainNormal) << "UP alone, two frames";
  Frame();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->GetY(), 2);
  EXPECT_EQ(player->actionPoints, 0);
  ReleaseAll();
  FramesToNextTurn();

  Press({KeyDown, KeyRight});
  Frame();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->GetX(), 6);
  EXPECT_EQ(player->GetY(), 3);
}

TEST_F(PlayScreen, DiagonalMoveAllowsOnlyDiagonalStepsAndShowsTheirMarkers) {
  TestPlayer* player = StartTurn(5, 3);
  Press({KeyDiagonal, KeyUp});
  Frames(5);
  EXPECT_EQ(State(), StateMainNormal);
  for (int m = 0; m < CGameInputMain::MarkerCount; ++m) {
    const bool diagonal = m == 0 || m == 2 || m == 5 || m == 7;
    EXPECT_EQ(screen->DirectionMarkers[m].IsVisible(), diagonal) << m;
  }
  Press(KeyRight);
  Frame();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->direction, DirectionUpRight);
}

TEST_F(PlayScreen, DirectionTurnsThePlayerInPlaceAndShowsItsFacingLine) {
  TestPlayer* player = StartTurn(5, 3);
  Press({KeyDirection, KeyLeft});
  Frames(4);
  EXPECT_EQ(State(), StateMainNormal) << "a turn in place spends nothing";
  EXPECT_EQ(player->direction, DirectionLeft);
  EXPECT_EQ(player->GetX(), 5);
  EXPECT_EQ(player->actionPoints, 2);
  const int left = CGameInputMain::MarkerOf(DirectionLeft);
  for (int m = 0; m < CGameInputMain::MarkerCount; ++m) {
    EXPECT_TRUE(screen->DirectionMarkers[m].IsVisible()) << m;
    EXPECT_EQ(screen->FacingLines[m][CGameInputMain::LineLength].IsVisible(), m == left) << m;
  }
  // The line reaches the eighth tile beyond the player.
  EXPECT_EQ(screen->FacingLines[left][8].GetX(), 600 - 8 * 80);

  ReleaseAll();
  Frame();
  for (const CWidget& marker : screen->DirectionMarkers) EXPECT_FALSE(marker.IsVisible());
}

// Walking into a monster: a blow only with AUTO ATTACK ON and a clear head.
TEST_F(PlayScreen, WalkingIntoAMonsterAttacksOnlyWithAutoAttackAndNotConfused) {
  struct Case {
    std::uint32_t AutoAttack;
    bool Confused;
    GameStateId Expected;
  };
  for (const Case c : {Case{1, false, StatePlayerAction}, Case{0, false, StateMainNormal}}) {
    TearDown();
    SetUp();
    game->Settings.Block.AutoAttack = c.AutoAttack;
    Place<TestMonster>(4, 2);
    TestPlayer* player = StartTurn(5, 3);
    Press({KeyUp, KeyLeft});
    Frame();
    EXPECT_EQ(State(), c.Expected) << c.AutoAttack;
    EXPECT_EQ(player->direction, DirectionUpLeft);
    EXPECT_EQ(player->GetX(), 5);
    ReleaseAll();
  }
}

TEST_F(PlayScreen, AConfusedPlayerStepsAndStrikesAtRandomButNeverAttacksByWalking) {
  // Monsters on all eight sides: every random direction meets one.
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (dx || dy) Place<TestMonster>(5 + dx, 3 + dy);
  TestPlayer* player = StartTurn(5, 3);
  player->status[static_cast<int>(StatusKind::Confuse)] = 5;
  SeedRandom(7);
  Press({KeyUp, KeyLeft});
  Frame();
  EXPECT_EQ(State(), StateMainNormal) << "confused, a walk into someone is refused";
  EXPECT_EQ(game->AutoMove, 0);
  ReleaseAll();
  Frame();

  // The blow's direction is drawn from the game's generator.
  SeedRandom(7);
  const Direction expected = RandomDirection();
  SeedRandom(7);
  player->SetDirection(DirectionUp);
  Press(KeyAttack);
  Frame();
  EXPECT_EQ(State(), StatePlayerAction);
  EXPECT_EQ(player->direction, expected);
}

TEST_F(PlayScreen, AStepIntoTheWallOnlyTurnsAndStopsTheRun) {
  TestPlayer* player = StartTurn(1, 1);
  game->AutoMove = 1;
  screen->StepPlayer(DirectionLeft);
  EXPECT_EQ(State(), StateMainNormal);
  EXPECT_EQ(player->direction, DirectionLeft);
  EXPECT_EQ(game->AutoMove, 0);
  EXPECT_EQ(player->actionPoints, 2);
}

TEST_F(PlayScreen, ADashRunsToTheFirstRefusedStepAndWantsTheKeysAgain) {
  TestPlayer* player = StartTurn(5, 3);
  Press({KeyDash, KeyRight});
  Frames(3);
  EXPECT_EQ(game->AutoMove, 1);
  EXPECT_EQ(GetInput()->InputHistory[InputRowRight][0], -1) << "RIGHT must be pressed again";
  for (int i = 0; i < 100 && (game->AutoMove || State() != StateMainNormal); ++i) Frame();
  EXPECT_EQ(player->GetX(), 10) << "up to the wall";
  EXPECT_EQ(game->AutoMove, 0);
  EXPECT_EQ(State(), StateMainNormal);
  Frames(5);
  EXPECT_EQ(player->GetX(), 10) << "the held key does not walk on";
}

// SHOOT takes arrows, else a kunai pair, else a weapon that comes back.
TEST_F(PlayScreen, ShootingNeedsSomethingToShoot) {
  struct Case {
    const char* What;
    ItemId Weapon;
    int Count;
    bool WithArrows;
    std::uint32_t Dungeon;
    int ExpectedSlot;  // -1: nothing happens
  };
  const Case cases[] = {
      {"arrows", NoItem, 0, true, 1, ArrowSlot},       {"a kunai pair", Kunai, 2, false, 1, WeaponSlot},
      {"one kunai", Kunai, 1, false, 1, -1},          {"a returning spear", ReturningSpear, 1, false, 1, WeaponSlot},
      {"a sword", Sword, 1, false, 1, -1},            {"arrows in the tutorial", NoItem, 0, true, 0, -1},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    game->Settings.Block.DungeonIndex = c.Dungeon;
    TestPlayer* player = StartTurn(5, 3);
    player->SetSelectedItem(5);
    if (c.WithArrows) player->slots[ArrowSlot] = CreateItem(Arrows);
    if (c.Weapon != NoItem) {
      player->slots[WeaponSlot] = CreateItem(c.Weapon);
      player->slots[WeaponSlot]->SetCount(c.Count);
    }
    Press(KeyShoot);
    Frame();
    if (c.ExpectedSlot < 0) {
      EXPECT_EQ(State(), StateMainNormal) << c.What;
      EXPECT_EQ(player->actionPoints, 2) << c.What;
    } else {
      EXPECT_EQ(State(), StatePlayerAction) << c.What;
      EXPECT_EQ(player->GetSelectedItem(), c.ExpectedSlot) << c.What;
    }
    ReleaseAll();
  }
}

TEST_F(PlayScreen, MenuClosesTheMessagesAndWhileItIsOpenNoStepIsRead) {
  StartTurn(5, 3);
  screen->ShowMessage("HELLO");
  Press(KeyMenu);
  Frame();
  ASSERT_EQ(screen->GetChild(), &Menu());
  EXPECT_FALSE(screen->IsMessageShown());
  ReleaseAll();
  Press(KeyUp);
  Frames(6);
  EXPECT_EQ(State(), StateMainNormal);
  EXPECT_GT(Menu().Updates, 0) << "the frames go to the menu";
}

TEST_F(PlayScreen, NoCommandOutsideThePlayersTurnOrWhenItsHpIsGone) {
  TestPlayer* player = StartTurn(5, 3);
  player->hp = 0;
  Press({KeyUp, KeyLeft, KeyDirection});
  Frames(4);
  EXPECT_EQ(State(), StateMainNormal);
  for (const CWidget& marker : screen->DirectionMarkers) EXPECT_FALSE(marker.IsVisible());
  ReleaseAll();

  player->hp = 30;
  GetStateController()->ChangeState(StatePlayerMove);
  Press(KeyAttack);
  GetInput()->Update();
  screen->Update();
  EXPECT_EQ(State(), StatePlayerMove);
  EXPECT_EQ(player->animEntry, AnimationIdle);
}

TEST_F(PlayScreen, BeginLeavesNothingOfTheLastFloor) {
  StartTurn(5, 3);
  screen->ShowMessageTimed("STAYS", -1);
  Press({KeyDirection, KeyLeft});
  Frames(4);
  game->AutoMove = 1;
  screen->Pad[CGameInputMain::PadCentre].SetSelected(true);
  screen->Begin();
  EXPECT_FALSE(screen->IsMessageShown());
  EXPECT_FALSE(screen->GetMessageWindow().IsVisible());
  for (int m = 0; m < CGameInputMain::MarkerCount; ++m) {
    EXPECT_FALSE(screen->DirectionMarkers[m].IsVisible());
    EXPECT_FALSE(screen->FacingLines[m][0].IsVisible());
  }
  EXPECT_EQ(game->AutoMove, 0);
  screen->Update();
  EXPECT_FALSE(screen->Overlays[CGameInputMain::DashIndicator].IsSelected());
}

// The message time runs only while no screen is pushed over the play screen.
TEST_F(PlayScreen, MessagesWaitWhileTheMapIsOpen) {
  StartTurn(5, 3);
  screen->ShowMessage("HELLO");
  Frames(40);
  Press(KeyMap);
  Frames(100);
  EXPECT_TRUE(screen->IsMessageShown());
  ReleaseAll();
  Frames(49);
  EXPECT_TRUE(screen->IsMessageShown());
  Frame();
  EXPECT_FALSE(screen->IsMessageShown());
}

}  // namespace
