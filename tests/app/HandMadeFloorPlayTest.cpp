// Hand-made floors played through the real turn states. The tutorial from
// the new game to its stairs: every step walked, every mining point struck
// and its materials gathered, the craft results handed over as the menu
// would, and an item left on an open gate that must not be walled in. The
// Alchemist's Lab floor 36 reached by its stairs and its trap room entered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/GameStates.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageDataTutorial.h"
#include "floors/SpecialStages.h"
#include "floors/StageFactory.h"
#include "items/CItem.h"
#include "items/IdentifyTable.h"
#include "items/ItemFactory.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/FontSet.h"
#include "platform/Random.h"
#include "platform/SaveTestSupport.h"
#include "platform/SoundFixture.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr ItemId PotionOfHealing = 0x900, MagicStoneOfHealing = 0xa00, Pebble = 0x80F;

class PlayThrough : public ::testing::Test {
protected:
  void SetUp() override {
    game = GetGameMain();
    std::memcpy(&savedBlock, &game->Settings.Block, sizeof savedBlock);
    ApplyFontSet(game->Fonts, true);
    std::memset(GetInput()->InputHistory, 0, sizeof GetInput()->InputHistory);
    GetInput()->Updated = true;
    GetGameInputMain()->CloseMessage();
    GetGameInputController()->SetChild(nullptr);
    ResetController();
    SeedRandom(2718);
    game->Settings.Block.SelectedClass = 0;
  }
  // A new game of the dungeon, on to the player's first command.
  void Start(int dungeon) {
    game->StartNewGame(dungeon);
    ASSERT_NE(game->CurrentStage, nullptr);
    player = game->Player;
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(ToNextTurn());
  }
  void TearDown() override {
    game->Characters.DeleteAll();
    game->Player = nullptr;
    delete game->CurrentStage;
    game->CurrentStage = nullptr;
    std::memcpy(&game->Settings.Block, &savedBlock, sizeof savedBlock);
    GetGameInputMain()->CloseMessage();
    GetGameInputController()->SetChild(nullptr);
    ResetController();
    CEffect* effect = GetScreenEffect();
    effect->FadeValue = effect->FadeTarget = effect->FadeStep = 0;
    effect->FadeRunning = 0;
    GetGameInputMainMenu()->TutorialStep = 0;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
  }
  static void ResetController() {
    GetStateController()->Reset();
    GetStateController()->ClearHolds();
  }

  static void Frame() { GetStateController()->Update(); }
  // Frames until the player may give the next command; false after `limit`.
  static bool ToNextTurn(int limit = 400) {
    for (int n = 0; n < limit; ++n) {
      Frame();
      if (GetStateController()->GetStateId() == StateMainNormal && GetStateController()->GetHoldCount() == 0)
        return true;
    }
    return false;
  }

  // The play screen's step command: turn, step, and the turn runs out.
  void Step(int dx, int dy) {
    ASSERT_EQ(GetStateController()->GetStateId(), StateMainNormal);
    player->FaceDelta(dx, dy);
    ASSERT_TRUE(player->StepForward()) << "from " << player->GetX() << "," << player->GetY();
    GetStateController()->ChangeState(StatePlayerMove);
    player->actionPoints = 0;
    ASSERT_TRUE(ToNextTurn());
  }
  // Steps by rows and columns, then diagonals, to (x, y).
  void WalkTo(int x, int y) {
    for (int guard = 0; guard < 80 && (player->GetX() != x || player->GetY() != y); ++guard) {
      const int dx = (x > player->GetX()) - (x < player->GetX());
      const int dy = (y > player->GetY()) - (y < player->GetY());
      Step(dx, dy);
      if (::testing::Test::HasFatalFailure()) return;
    }
    ASSERT_EQ(player->GetX(), x);
    ASSERT_EQ(player->GetY(), y);
  }
  // The attack command towards (dx, dy).
  void Swing(int dx, int dy) {
    ASSERT_EQ(GetStateController()->GetStateId(), StateMainNormal);
    player->FaceDelta(dx, dy);
    GetStateController()->ChangeState(StatePlayerAction);
    player->SetAnimation(AnimationAttack);
    player->actionPoints = 0;
    ASSERT_TRUE(ToNextTurn());
  }
  CGameMain* game = nullptr;
  CCharacter* player = nullptr;
  TempGameFolder folder;

private:
  SaveBlock savedBlock{};
};

// The text shown is the table's, its buttons named where it has "%s".
bool Shows(TextId id) {
  const std::string text = GetCurrentLanguageText(id);
  return std::string(GetGameInputMain()->GetMessageRow(0)).rfind(text.substr(0, text.find('%')), 0) == 0;
}

class TutorialPlay : public PlayThrough {
protected:
  void SetUp() override {
    PlayThrough::SetUp();
    Start(0);
    floor = dynamic_cast<CStageDataTutorial*>(game->CurrentStage);
    ASSERT_NE(floor, nullptr);
  }
  // Strikes the point at (x, y) from beside it until it has gone, then picks
  // up every item lying in the room.
  void Mine(int x, int y, int dx, int dy, int roomLeft, int roomTop) {
    WalkTo(x - dx, y - dy);
    for (int hit = 0; hit < 60 && floor->GetCharacterAt(x, y) != nullptr; ++hit) Swing(dx, dy);
    ASSERT_EQ(floor->GetCharacterAt(x, y), nullptr) << "the point breaks";
    for (int cx = roomLeft; cx < roomLeft + 5; ++cx)
      for (int cy = roomTop; cy < roomTop + 5; ++cy)
        if (floor->GetItemAt(cx, cy)) WalkTo(cx, cy);
    ASSERT_TRUE(floor->IsFloorClear());
    Frame();
  }
  bool Carries(ItemId id) const {
    for (int slot = 0; slot < InventorySize; ++slot)
      if (const CItem* item = player->GetItem(slot); item && item->GetId() == id) return true;
    return false;
  }

  CStageDataTutorial* floor = nullptr;
};

TEST_F(TutorialPlay, TwelveStepsFromTheStartRoomToTheStairs) {
  EXPECT_EQ(floor->GetCharacterAt(12, 27), player);
  EXPECT_TRUE(GetGameInputMain()->IsMessageShown()) << "the first lesson greets the player";
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 1u);
  EXPECT_TRUE(floor->IsGateOpen(1));

  // Steps 0 and 1: up through gates 1 and 2.
  WalkTo(12, 21);
  EXPECT_TRUE(Shows(723));
  EXPECT_FALSE(floor->IsGateOpen(1));
  EXPECT_TRUE(floor->IsGateOpen(2));
  WalkTo(12, 13);
  EXPECT_TRUE(Shows(711));
  EXPECT_EQ(floor->GetCurrentStep(), 2);
  EXPECT_FALSE(floor->IsGateOpen(3)) << "the bush stands";

  // Steps 2-4: the bush, the tree and the rock, each struck until it breaks
  // and everything it gave gathered, before the way on opens.
  Mine(12, 11, 0, -1, 10, 9);
  EXPECT_TRUE(floor->IsGateOpen(3));
  WalkTo(18, 11);
  EXPECT_TRUE(Shows(712));
  Mine(20, 11, 1, 0, 18, 9);
  WalkTo(26, 11);
  EXPECT_TRUE(Shows(713));
  Mine(28, 11, 1, 0, 26, 9);
  EXPECT_TRUE(Carries(Pebble));
  WalkTo(28, 17);
  EXPECT_FALSE(floor->IsGateOpen(5));
  EXPECT_EQ(floor->GetCurrentStep(), 5);

  // Step 5: the potion lesson holds its gate until a potion is carried.
  Frame();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 2u);
  EXPECT_TRUE(Shows(724));
  EXPECT_FALSE(floor->IsGateOpen(6));
  ASSERT_TRUE(static_cast<CCharacterPlayer*>(player)->AddItem(CreateItem(PotionOfHealing)));
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(6));

  // Step 6, with something left on the open gate: it is not walled in when
  // the gate shuts behind the player, but put down within reach.
  WalkTo(28, 22);
  ASSERT_TRUE(floor->PutItemAt(28, 22, CreateItem(Pebble)));
  WalkTo(28, 25);
  EXPECT_TRUE(Shows(725));
  EXPECT_FALSE(floor->IsGateOpen(6));
  EXPECT_EQ(floor->GetItemAt(28, 22), nullptr);
  int nearby = 0;
  for (int x = 26; x <= 30; ++x)
    for (int y = 25; y <= 29; ++y) nearby += floor->GetItemAt(x, y) != nullptr;
  EXPECT_EQ(nearby, 1);

  // Steps 7 and 8: the recipe lesson.
  Frame();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 3u);
  EXPECT_FALSE(floor->IsGateOpen(7));
  ASSERT_TRUE(static_cast<CCharacterPlayer*>(player)->AddItem(CreateItem(MagicStoneOfHealing)));
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(7));
  WalkTo(22, 27);
  EXPECT_TRUE(Shows(726));
  EXPECT_FALSE(floor->IsGateOpen(7));

  // Step 9: the enchant lesson, the stone set into the worn weapon.
  Frame();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 4u);
  CItem* weapon = player->GetItem(WeaponSlot);
  ASSERT_NE(weapon, nullptr) << "the class starts armed";
  weapon->Enchantments[0] = MagicStoneOfHealing;
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(8));
  EXPECT_TRUE(floor->IsStairs(TutorialStairsX, TutorialStairsY));

  // Steps 10 and 11: into the centre room, and down its stairs.
  WalkTo(20, 24);
  EXPECT_TRUE(Shows(727));
  WalkTo(20, 21);
  EXPECT_TRUE(Shows(728));
  EXPECT_FALSE(floor->IsGateOpen(8));
  EXPECT_EQ(floor->GetCurrentStep(), 11);
  Frame();
  EXPECT_EQ(player->satiety, 2000) << "fed at every frame";
  Step(0, -1);
  // Onto the stairs: the tutorial is cleared.
  player->FaceDelta(0, -1);
  ASSERT_TRUE(player->StepForward());
  GetStateController()->ChangeState(StatePlayerMove);
  player->actionPoints = 0;
  for (int i = 0; i < 40 && GetStateController()->GetStateId() != StateClear; ++i) Frame();
  EXPECT_EQ(GetStateController()->GetStateId(), StateClear);
}


class LabPlay : public PlayThrough {
protected:
  void SetUp() override {
    PlayThrough::SetUp();
    ASSERT_TRUE(music.Started);
  }
  StubbedGameMusic music;
};

TEST_F(LabPlay, TheTrapRoomWakesTheFloorAndChangesTheMusicAtTheFirstStepIn) {
  Start(6);
  // Down the stairs of floor 35, as the stage end does it.
  game->Characters.DeleteAllButPlayer();
  delete game->CurrentStage;
  game->CurrentStage = CreateStage(634);
  game->Settings.Block.FloorNumber = 35;
  ASSERT_TRUE(GoDownToNextFloor(*game));
  CStageData* lab = game->CurrentStage;
  ASSERT_EQ(lab->StageId, 635);
  GetStateController()->ChangeState(StateStageStart);
  ASSERT_TRUE(ToNextTurn());
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 17) << "the Lab's own music on arrival";
  EXPECT_EQ(player->GetX(), 20);
  EXPECT_EQ(player->GetY(), 33);

  WalkTo(20, 24);
  EXPECT_TRUE(Shows(730));
  WalkTo(29, 20);
  for (CCharacter* c : game->Characters.Walk())
    EXPECT_TRUE(c == player || c->type == 361 || c->IsDormant()) << "the hall wakes nobody";
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 17);

  player->FaceDelta(1, 0);
  ASSERT_TRUE(player->StepForward());
  GetStateController()->ChangeState(StatePlayerMove);
  player->actionPoints = 0;
  for (int i = 0; i < 20 && lab->EventFlags[LabTrapFlag] == 0; ++i) Frame();
  EXPECT_EQ(lab->EventFlags[LabTrapFlag], 1);
  EXPECT_TRUE(Shows(732));
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 8);
  EXPECT_EQ(lab->BgmTrack, 8);
  for (CCharacter* c : game->Characters.Walk()) {
    EXPECT_FALSE(c->IsDormant());
    EXPECT_FALSE(c->IsHold());
  }
}

}  // namespace
