// A run through the in-dungeon menu, headless: opened by MENU on the play
// screen, walked by keys to equip a sword through the confirmation and to drink a
// potion, its status page read, and the way back to the title taken with
// the run suspended, then continued.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "characters/CharacterFactory.h"
#include "items/ItemFactory.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputTitleTop.h"
#include "ui/CGameInputEquip.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/PlayScreenSupport.h"

namespace {

using namespace playtest;

constexpr ItemId Sword = 0x001, Healing = 0x900;
constexpr std::uint32_t KeySelect = 'Z', KeyCancel = 'X';

// The real play screen, menu and questions; stand-ins for the rest.
CGameInput* ResolveRun(ScreenId id) {
  switch (id) {
    case 2:
    case 8:
    case 15:
    case 16:
    case 17:
    case 22:
    case 27:
    case 29: return ScreenFromId(id);
    default: return turntest::ResolveStandIn(id);
  }
}

class MainMenuRun : public PlayFixture {
protected:
  void SetUp() override {
    PlayFixture::SetUp();
    game->MakeCharacter = &CreateCharacter;
    SetScreenResolver(&ResolveRun);
    UseFloor(CreateStage(1));
    floortest::Carve(*stage, DefaultRows());
    player = static_cast<CCharacterPlayer*>(CreateCharacter(0));
    ASSERT_NE(player, nullptr);
    player->SetPosition(3, 3);
    ASSERT_TRUE(stage->MoveCharacterTo(3, 3, player));
    game->Characters.PushBack(player);
    game->Player = player;
    player->maxHpX100 = 10000;
    player->hp = 40;
    player->actionPoints = 2;
    ASSERT_TRUE(player->AddItem(CreateItem(Sword)));
    CItem* potions = CreateItem(Healing);
    potions->SetCount(2);
    ASSERT_TRUE(player->AddItem(potions));
    menu = GetGameInputMainMenu();
    menu->TutorialStep = 0;
    ASSERT_TRUE(GetGameInputController()->ChangeChild(15));
    GetStateController()->ChangeState(StateMainNormal);
  }
  void TearDown() override {
    for (CGameInput* s : {static_cast<CGameInput*>(menu), static_cast<CGameInput*>(GetGameInputEquip()),
                          static_cast<CGameInput*>(GetGameInputSelectWindow())}) {
      s->SetChild(nullptr);
      s->SetParent(nullptr);
    }
    GetSoundManager()->StopAllBgm();
    PlayFixture::TearDown();
  }

  // A key down for one frame, then up for one.
  static void Tap(std::uint32_t vk) {
    Press(vk);
    Frame();
    Release(vk);
    Frame();
  }
  // MENU on the play screen, and the menu's opening wait.
  void OpenMenu() {
    ASSERT_EQ(State(), StateMainNormal);
    Tap(KeyMenu);
    ASSERT_TRUE(MenuShown());
    Frames(CGameInputMainMenu::WaitFrames);
  }
  bool MenuShown() const { return screen->GetChild() == menu; }
  void ToNextTurn() {
    FramesToNextTurn();
    ASSERT_EQ(State(), StateMainNormal);
  }

  CCharacterPlayer* player = nullptr;
  CGameInputMainMenu* menu = nullptr;
};

TEST_F(MainMenuRun, EquipsDrinksReadsTheStatusAndSuspendsTheRun) {
  CItem* sword = player->GetItem(FirstBagSlot);
  ASSERT_EQ(sword->GetId(), Sword);

  // The top page, then the item grid: down from the worn row onto the bag.
  OpenMenu();
  Tap(KeyDown);
  Tap(KeyUp);
  EXPECT_EQ(menu->TopCursor, CGameInputMainMenu::TopItem);
  Tap(KeySelect);
  ASSERT_EQ(menu->GetActivePage(), MenuPageItem);
  Tap(KeyDown);
  EXPECT_EQ(menu->GetSelectedItemIndex(), FirstBagSlot);
  EXPECT_STREQ(menu->ActionButtons[0].GetText(), "EQUIP");
  Tap(KeySelect);
  Tap(KeySelect);
  ASSERT_EQ(menu->GetChild(), GetGameInputEquip());
  Tap(KeySelect);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(player->GetItem(WeaponSlot), sword);
  EXPECT_TRUE(sword->IsEquipped());
  ToNextTurn();

  // The potion now leads the bag.
  OpenMenu();
  Tap(KeySelect);
  Tap(KeyDown);
  CItem* potions = player->GetItem(FirstBagSlot);
  ASSERT_EQ(potions->GetId(), Healing);
  EXPECT_STREQ(menu->ActionButtons[0].GetText(), "USE");
  Tap(KeySelect);
  Tap(KeySelect);
  for (int i = 0; i < CGameInputMainMenu::WaitFrames && MenuShown(); ++i) Frame();
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(potions->GetCount(), 1);
  EXPECT_GT(player->hp, 40);
  ToNextTurn();

  // The status page shows the player as the game has it now.
  OpenMenu();
  menu->DrawStatusPanel();
  const std::string status = menu->StatusWindow.GetText();
  EXPECT_NE(status.find("HP     " + std::to_string(player->hp) + "/"), std::string::npos) << status;
  EXPECT_NE(std::string(menu->StatusSecondColumn.GetText()).find("ATK    " + std::to_string(player->GetWeaponAttack())),
            std::string::npos);
  const std::string turns = "TURN " + std::to_string(game->Settings.Block.TurnCount);
  EXPECT_NE(std::string(menu->InfoPanel.GetText()).find(turns), std::string::npos);

  // RETURN TO TITLE: the question starts on NO; YES fades out to the title.
  Tap(KeyUp);
  EXPECT_EQ(menu->TopCursor, CGameInputMainMenu::TopReturnToTitle);
  Tap(KeySelect);
  ASSERT_EQ(menu->GetChild(), GetGameInputSelectWindow());
  EXPECT_EQ(GetGameInputSelectWindow()->GetResult(), 1);
  Tap(KeyUp);
  Tap(KeySelect);
  EXPECT_EQ(GetStateController()->GetStateId(), StateReturnToTitle);
  for (int i = 0; i < 40 && GetStateController()->GetStateId() != StateTitle; ++i) Frame();
  ASSERT_EQ(GetStateController()->GetStateId(), StateTitle);
  EXPECT_EQ(GetGameInputController()->GetChild(), GetGameInputTitleTop());
  EXPECT_TRUE(game->HasSuspendedGame());
  EXPECT_EQ(GetGameInputTitleTop()->Cursor, CGameInputTitleTop::EntryContinue);

  // CONTINUE brings the run back as it was left.
  game->ContinueGame();
  ASSERT_NE(game->Player, nullptr);
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  const CItem* worn = game->Player->GetItem(WeaponSlot);
  ASSERT_NE(worn, nullptr);
  EXPECT_EQ(worn->GetId(), Sword);
  EXPECT_TRUE(worn->IsEquipped());
  const CItem* left = game->Player->GetItem(FirstBagSlot);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->GetId(), Healing);
  EXPECT_EQ(left->GetCount(), 1);
}

TEST_F(MainMenuRun, ASelectAtOnceAnswersNoAndChangesNothing) {
  OpenMenu();
  Tap(KeyUp);
  Tap(KeySelect);
  ASSERT_EQ(menu->GetPhase(), CGameInputMainMenu::PhaseQuitQuestion);
  EXPECT_TRUE(menu->CoverShade.Visible);
  const CGameInputSelectWindow* question = GetGameInputSelectWindow();
  EXPECT_STREQ(question->Title, "QUIT TO TITLE,\nARE YOU SURE?");
  EXPECT_STREQ(question->Options[0], "YES");
  EXPECT_STREQ(question->Options[1], "NO");
  EXPECT_EQ(question->PositionX, 400);
  EXPECT_EQ(question->PositionY, 210);
  Frame();
  Tap(KeySelect);
  EXPECT_EQ(menu->GetPhase(), ScreenActive);
  EXPECT_EQ(menu->GetChild(), nullptr);
  EXPECT_FALSE(menu->CoverShade.Visible);
  EXPECT_EQ(GetStateController()->GetStateId(), StateMainNormal);
  EXPECT_TRUE(MenuShown());
}

// A directory where "save" should go: the file cannot be replaced.
TEST_F(MainMenuRun, AFailedSaveOnTheWayToTheTitleIsLogged) {
  ASSERT_EQ(mkdir(folder.File("save").c_str(), 0700), 0);
  OpenMenu();
  Tap(KeyUp);
  Tap(KeySelect);
  Tap(KeyUp);
  testing::internal::CaptureStderr();
  Tap(KeySelect);
  for (int i = 0; i < 40 && GetStateController()->GetStateId() != StateTitle; ++i) Frame();
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetStateController()->GetStateId(), StateTitle);
  EXPECT_NE(log.find("save was not written"), std::string::npos) << log;
}

}  // namespace
