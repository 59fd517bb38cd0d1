// The tutorial floor: its rooms, its lesson texts and the step machine that
// opens the way one lesson at a time, frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FloorGenerationSupport.h"
#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageDataTutorial.h"
#include "floors/StageFactory.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "items/ItemTestSupport.h"
#include "platform/CMyInput.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

using itemtest::ToUtf8;

constexpr ItemId Potion = 0x900, Stone = 0xa00, Sword = 0x000;

class Tutorial : public floorgen::WithPlayer {
protected:
  void SetUp() override {
    floorgen::WithPlayer::SetUp();
    std::memcpy(savedPads_, GetInput()->PadBindingMatrix, sizeof savedPads_);
    std::memcpy(savedKeys_, GetInput()->KeyBindingTable, sizeof savedKeys_);
    GetGameInputMain()->CloseMessage();
    floor_.reset(static_cast<CStageDataTutorial*>(CreateStage(TutorialStage)));
    ASSERT_NE(floor_, nullptr);
    GetGameMain()->CurrentStage = floor_.get();
    floor_->GenerateFloor();
  }
  void TearDown() override {
    GetGameMain()->CurrentStage = nullptr;
    floorgen::WithPlayer::TearDown();
    floor_.reset();
    GetGameInputMain()->CloseMessage();
    GetGameInputMainMenu()->TutorialStep = 0;
    std::memcpy(GetInput()->PadBindingMatrix, savedPads_, sizeof savedPads_);
    std::memcpy(GetInput()->KeyBindingTable, savedKeys_, sizeof savedKeys_);
    UseDevice(InputDevice::Keyboard, false);
    GetGameMain()->Settings.Block.Language = LanguageEnglish;
  }
  // The device pressed last, and whether a pad answers.
  static void UseDevice(InputDevice device, bool padAttached) {
    GetInput()->LastDevice = device;
    GetInput()->PadAttached = padAttached;
  }
  // The text that standing on (x, y) shows, as UTF-8.
  std::string LessonAt(int x, int y) {
    EXPECT_TRUE(floor_->OnTurnEvent(x, y)) << x << "," << y;
    return ToUtf8(GetGameInputMain()->GetMessageRow(0));
  }
  CCharacterPlayer& P() { return static_cast<CCharacterPlayer&>(*Player()); }
  void MoveTo(int x, int y) {
    ASSERT_TRUE(floor_->MoveCharacterTo(x, y, Player()));
    Player()->SetPosition(x, y);
  }
  // Steps already done, as a reloaded floor would hold them.
  void Done(int steps) {
    for (int s = 0; s < steps; ++s) floor_->EventFlags[s] = 1;
  }
  // The bush, tree or rock at the cell gone from the floor.
  void Mine(int x, int y) { floor_->characterAt[CellIndex(x, y)] = nullptr; }
  bool GateIs(int gate, TerrainCode code) {
    static constexpr std::array<std::array<int, 2>, 8> first = {
        {{12, 22}, {12, 14}, {15, 11}, {23, 11}, {28, 14}, {28, 22}, {23, 27}, {20, 22}}};
    const bool down = gate == 1 || gate == 2 || gate == 5 || gate == 6 || gate == 8;
    for (int i = 0; i < 3; ++i) {
      const int x = first[gate - 1][0] + (down ? 0 : i), y = first[gate - 1][1] + (down ? i : 0);
      if (floor_->terrain[CellIndex(x, y)] != code) return false;
    }
    return true;
  }
  int ItemsOnFloor() {
    int n = 0;
    for (const CItem* item : floor_->itemAt) n += item != nullptr;
    return n;
  }

  std::unique_ptr<CStageDataTutorial> floor_;

private:
  std::uint8_t savedPads_[PadMatrixRows][PadButtonCount] = {};
  std::uint32_t savedKeys_[InputActionCount] = {};
};

TEST_F(Tutorial, NineRoomsThePlayerAndThreeMiningPointsAndNothingElse) {
  int room = 0, wall = 0;
  for (TerrainCode t : floor_->terrain) (t == TerrainRoom ? room : wall) += t == TerrainRoom || t == TerrainWall;
  EXPECT_EQ(room, 225);
  EXPECT_EQ(wall, StageCellCount - 225);
  for (int gate = 1; gate <= TutorialGateCount; ++gate) EXPECT_TRUE(GateIs(gate, TerrainWall)) << gate;
  EXPECT_EQ(floor_->GetCharacterAt(12, 27), Player());
  EXPECT_EQ(floor_->CameraX, 12);
  EXPECT_EQ(floor_->PrevCameraY, 27);
  // Placed rock, tree, bush, in that order.
  const std::array<std::array<int, 3>, 3> points = {{{784, 28, 11}, {786, 20, 11}, {785, 12, 11}}};
  int n = 0;
  for (CCharacter* c : GetGameMain()->Characters.Walk()) {
    ASSERT_LT(n, 3);
    EXPECT_EQ(c->type, points[n][0]);
    EXPECT_EQ(floor_->GetCharacterAt(points[n][1], points[n][2]), c);
    ++n;
  }
  EXPECT_EQ(n, 3);
  EXPECT_EQ(ItemsOnFloor(), 0);
  EXPECT_FALSE(floor_->IsStairs(TutorialStairsX, TutorialStairsY));

  EXPECT_EQ(floor_->StageId, 500);
  EXPECT_EQ(floor_->BgmTrack, 0);
  EXPECT_EQ(floor_->BgmResourceId, 10000);
  EXPECT_EQ(floor_->OverlayKind, 1);
  EXPECT_EQ(floor_->OverlayBlendMode, 2);
  EXPECT_EQ(floor_->GetSpawnTable(), nullptr);
  EXPECT_EQ(floor_->CreateNextFloor(), nullptr);
  for (int (CStageData::*count)() : {&CStageData::GetEnemyCount, &CStageData::GetItemCount, &CStageData::GetTrapCount}) {
    SeedRandom(8);
    const int second = (Random(), Random());
    SeedRandom(8);
    EXPECT_EQ((floor_.get()->*count)(), 0);
    EXPECT_EQ(Random(), second) << "one draw each";
  }
}

TEST_F(Tutorial, EachLessonCellShowsItsTextWithTheBoundButtonsEveryVisit) {
  UseDevice(InputDevice::Pad, true);
  std::memset(GetInput()->PadBindingMatrix, 0, sizeof GetInput()->PadBindingMatrix);
  GetInput()->PadBindingMatrix[3][2] = 1;  // DIRECTION on X; DIAGONAL MOVE on nothing
  GetInput()->PadBindingMatrix[0][0] = 1;  // ATTACK on A and B: the first counts
  GetInput()->PadBindingMatrix[0][1] = 1;
  GetInput()->PadBindingMatrix[1][9] = 1;  // DASH on RT
  CGameInputMain* screen = GetGameInputMain();
  for (int visit = 0; visit < 2; ++visit) {
    GetInput()->InputHistory[InputRowLeft][0] = 1;
    EXPECT_TRUE(floor_->OnTurnEvent(12, 27));
    EXPECT_STREQ(screen->GetMessageRow(0),
                 "USE +CONTROL PAD TO MOVE,\nX BUTTON TO CHANGE DIRECTION,\n- BUTTON TO DIAGONAL MOVE");
    EXPECT_LT(screen->GetMessageTimer(), 0);
    EXPECT_EQ(GetInput()->InputHistory[InputRowLeft][0], -1) << "a held key stops at the text";
  }
  EXPECT_TRUE(floor_->OnTurnEvent(12, 21));
  EXPECT_STREQ(screen->GetMessageRow(0), "USE A BUTTON TO ATTACK,\nRT BUTTON TO DASH,\nA+RT BUTTON TO SKIP TURN");
  const std::array<std::array<int, 3>, 8> plain = {{{12, 13, 711},
                                                    {18, 11, 712},
                                                    {26, 11, 713},
                                                    {28, 17, 724},
                                                    {28, 25, 725},
                                                    {22, 27, 726},
                                                    {20, 24, 727},
                                                    {20, 21, 728}}};
  for (const auto& cell : plain) {
    EXPECT_TRUE(floor_->OnTurnEvent(cell[0], cell[1]));
    EXPECT_STREQ(screen->GetMessageRow(0), GetCurrentLanguageText(cell[2])) << cell[2];
  }
  screen->CloseMessage();
  EXPECT_FALSE(floor_->OnTurnEvent(12, 26));
  EXPECT_FALSE(floor_->OnTurnEvent(20, 19));
  EXPECT_FALSE(screen->IsMessageShown());
}

// On the keyboard the lessons name the bound keys, also after a rebinding,
// "-" for a key the layout cannot name; the pad's names only while the pad
// was pressed last and still answers.
TEST_F(Tutorial, TheLessonsNameTheKeysOfTheKeyboardInUseInBothLanguages) {
  struct Case {
    InputDevice Device;
    bool PadAttached;
    const char* Start;
  };
  const char* keys = "USE UP/DOWN/LEFT/RIGHT KEYS TO MOVE,\nA KEY TO CHANGE DIRECTION,\nD KEY TO DIAGONAL MOVE";
  const char* pad = "USE +CONTROL PAD TO MOVE,\nX BUTTON TO CHANGE DIRECTION,\nRB BUTTON TO DIAGONAL MOVE";
  const Case devices[] = {
      {InputDevice::Keyboard, false, keys},
      {InputDevice::Keyboard, true, keys},
      {InputDevice::Pad, false, keys},  // the pad is gone
      {InputDevice::Pad, true, pad},
  };
  for (const Case& c : devices) {
    UseDevice(c.Device, c.PadAttached);
    EXPECT_EQ(LessonAt(12, 27), c.Start) << static_cast<int>(c.Device) << c.PadAttached;
  }

  UseDevice(InputDevice::Keyboard, true);
  EXPECT_EQ(LessonAt(12, 21), "USE X KEY TO ATTACK,\nZ KEY TO DASH,\nX+Z KEYS TO SKIP TURN");
  EXPECT_EQ(LessonAt(28, 17), ToUtf8(GetText(LanguageEnglish, 724))) << "the English names no key";
  ASSERT_TRUE(GetInput()->SetKeyBinding('F', InputActionAttack));
  ASSERT_TRUE(GetInput()->SetKeyBinding(0xFF, InputActionDash));  // no key of the layout
  ASSERT_TRUE(GetInput()->SetKeyBinding('W', InputActionUp));
  EXPECT_EQ(LessonAt(12, 21), "USE F KEY TO ATTACK,\n- KEY TO DASH,\nF+- KEYS TO SKIP TURN");

  GetGameMain()->Settings.Block.Language = LanguageJapanese;
  ASSERT_TRUE(GetInput()->SetKeyBinding('M', InputActionMenu));
  EXPECT_EQ(LessonAt(12, 27), "W/DOWN/LEFT/RIGHTキーで いどう、\nAキーで むきを かえる、\nDキーで ななめいどう");
  EXPECT_EQ(LessonAt(12, 21), "Fキーで こうげき、\n-キーで ダッシュ、\nF+-キーで ターンを とばす");
  const std::string potion = LessonAt(28, 17);
  EXPECT_NE(potion.find("Mキーで メニューを ひらいて"), std::string::npos) << potion;
  UseDevice(InputDevice::Pad, true);
  EXPECT_NE(LessonAt(28, 17).find("Yボタンで メニューを ひらいて"), std::string::npos);
}

TEST_F(Tutorial, TheFirstGatesOpenAtOnceAndCloseBehindThePlayer) {
  Player()->satiety = 3;
  floor_->Update();
  EXPECT_EQ(Player()->satiety, 2000) << "never hungry here";
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 1u);
  EXPECT_TRUE(GateIs(1, TerrainCorridor));
  EXPECT_TRUE(GateIs(2, TerrainWall));
  MoveTo(12, 24);
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[0], 0);
  MoveTo(12, 21);
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[0], 1);
  EXPECT_TRUE(GateIs(1, TerrainWall));
  floor_->Update();
  EXPECT_TRUE(GateIs(2, TerrainCorridor));
  EXPECT_EQ(floor_->GetCurrentStep(), 1);
}

TEST_F(Tutorial, AMiningLessonsGateFollowsTheFloorBeingClearAndThePointBeingGone) {
  Done(2);
  MoveTo(12, 13);
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainWall)) << "the bush still stands";
  Mine(12, 11);
  CItem* material = CreateItem(Sword);
  ASSERT_TRUE(floor_->PutItemAt(11, 10, material));
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainWall)) << "what it dropped still lies there";
  ASSERT_TRUE(floor_->RemoveItemAt(11, 10));
  ASSERT_TRUE(P().AddItem(material));
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainCorridor));
  // An item put down anywhere shuts it again, until it is taken back.
  CItem* dropped = CreateItem(Sword);
  ASSERT_TRUE(floor_->PutItemAt(30, 29, dropped));
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainWall));
  floor_->RemoveItemAt(30, 29);
  delete dropped;
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainCorridor));
  MoveTo(18, 11);
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainWall));
  EXPECT_EQ(floor_->GetCurrentStep(), 3);
  floor_->Update();
  EXPECT_TRUE(GateIs(4, TerrainWall)) << "the tree stands";
}

TEST_F(Tutorial, AGateNeverClosesOnThePlayerNorWallsInAnItem) {
  Done(2);
  Mine(12, 11);
  MoveTo(16, 11);  // inside gate 3
  floor_->Update();
  ASSERT_TRUE(GateIs(3, TerrainCorridor));
  // Dropped where the player stands: the floor is no longer clear, but the
  // gate stays open round the player.
  ASSERT_TRUE(floor_->PutItemAt(16, 11, CreateItem(Sword)));
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainCorridor));
  // Back in the bush room: the gate shuts and the item comes along.
  MoveTo(14, 11);
  floor_->Update();
  EXPECT_TRUE(GateIs(3, TerrainWall));
  EXPECT_EQ(ItemsOnFloor(), 1);
  EXPECT_EQ(floor_->GetItemAt(16, 11), nullptr);
  const CItem* moved = nullptr;
  for (int x = 10; x <= 14; ++x)
    for (int y = 9; y <= 13; ++y)
      if (floor_->GetItemAt(x, y)) moved = floor_->GetItemAt(x, y);
  ASSERT_NE(moved, nullptr) << "in the player's room, within reach";
  EXPECT_LE(std::max(std::abs(moved->GetX() - 14), std::abs(moved->GetY() - 11)), 1);

  // A gate closing behind a finished step moves what lies in it too.
  std::unique_ptr<CStageDataTutorial> fresh(static_cast<CStageDataTutorial*>(CreateStage(TutorialStage)));
  GetGameMain()->Characters.DeleteAllButPlayer();
  GetGameMain()->CurrentStage = fresh.get();
  fresh->GenerateFloor();
  fresh->Update();
  ASSERT_TRUE(fresh->PutItemAt(12, 23, CreateItem(Sword)));
  ASSERT_TRUE(fresh->MoveCharacterTo(12, 21, Player()));
  Player()->SetPosition(12, 21);
  fresh->Update();
  EXPECT_EQ(fresh->EventFlags[0], 1);
  EXPECT_EQ(fresh->GetItemAt(12, 23), nullptr);
  EXPECT_EQ(fresh->terrain[CellIndex(12, 23)], TerrainWall);
  int nearPlayer = 0;
  for (int x = 10; x <= 14; ++x)
    for (int y = 17; y <= 21; ++y) nearPlayer += fresh->GetItemAt(x, y) != nullptr;
  EXPECT_EQ(nearPlayer, 1);
  GetGameMain()->CurrentStage = floor_.get();
}

TEST_F(Tutorial, CraftLessonsOpenTheirGateForTheItemCarriedNeverTheOneUnderfoot) {
  Done(5);
  MoveTo(28, 17);
  floor_->Update();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 2u);
  EXPECT_STREQ(GetGameInputMain()->GetMessageRow(0), GetCurrentLanguageText(724));
  EXPECT_TRUE(GateIs(6, TerrainWall));
  // A potion lying under the player is not carried.
  ASSERT_TRUE(floor_->PutItemAt(28, 17, CreateItem(Potion)));
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[5], 0);
  CItem* potion = floor_->GetItemAt(28, 17);
  floor_->RemoveItemAt(28, 17);
  ASSERT_TRUE(P().AddItem(potion));
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[5], 1);
  EXPECT_TRUE(GateIs(6, TerrainCorridor));
  floor_->Update();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 1u);
  EXPECT_TRUE(GateIs(6, TerrainCorridor)) << "open until the player is through";
  MoveTo(28, 25);
  floor_->Update();
  EXPECT_TRUE(GateIs(6, TerrainWall));

  // The recipe lesson wants the stone; the enchant lesson wants it in the
  // first enchant slot only.
  floor_->Update();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 3u);
  CItem* stone = CreateItem(Stone);
  ASSERT_TRUE(P().AddItem(stone));
  floor_->Update();
  EXPECT_TRUE(GateIs(7, TerrainCorridor));
  MoveTo(22, 27);
  floor_->Update();
  floor_->Update();
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 4u);
  CItem* sword = CreateItem(Sword);
  sword->Enchantments[1] = Stone;
  ASSERT_TRUE(P().AddItem(sword));
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[9], 0) << "slot 1 does not count";
  EXPECT_FALSE(floor_->IsStairs(TutorialStairsX, TutorialStairsY));
  sword->Enchantments[0] = Stone;
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[9], 1);
  EXPECT_TRUE(GateIs(8, TerrainCorridor));
  EXPECT_TRUE(floor_->IsStairs(TutorialStairsX, TutorialStairsY));
  MoveTo(20, 21);
  floor_->Update();
  EXPECT_TRUE(GateIs(8, TerrainWall));
  EXPECT_EQ(floor_->GetCurrentStep(), 11);
  floor_->Update();
  EXPECT_EQ(floor_->EventFlags[11], 0) << "the last step never ends";
}

}  // namespace
