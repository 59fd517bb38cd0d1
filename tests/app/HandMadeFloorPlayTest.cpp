// Hand-made floors played by keys, headless, one main-loop frame at a time.
// The tutorial from the new game to its stairs: every step walked, every
// mining point struck and its materials gathered, the three crafts made in
// the menu by keys, and an item left on an open gate that must not be walled
// in (put there by the test: the lessons keep the menu's item page shut).
// The Alchemist's Lab floor 36 reached from the floor above and its trap
// room entered.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/KeyPlaySupport.h"
#include "floors/CStageDataTutorial.h"
#include "floors/SpecialStages.h"
#include "floors/StageFactory.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "items/ItemTestSupport.h"
#include "items/RecipeTables.h"
#include "platform/CSoundManager.h"
#include "platform/SoundFixture.h"
#include "platform/VirtualPad.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputOptionKeyboardConfig.h"
#include "screens/CGameInputTitleConfig.h"
#include "system/SysInput.h"

namespace {

using namespace keyplay;

constexpr std::uint32_t Seed = 500;
constexpr std::uint32_t KeyMenu = 'S', KeyPageRight = 'R', KeyCancel = 'X';
constexpr std::uint32_t Fighter = 0;
constexpr ItemId PotionOfHealing = 0x900, MagicStoneOfHealing = 0xa00, ManaStone = 0x80F;

// The text shown is the table's, its buttons named where it has "%s".
bool Shows(TextId id) {
  const std::string text = GetCurrentLanguageText(id);
  return std::string(GetGameInputMain()->GetMessageRow(0)).rfind(text.substr(0, text.find('%')), 0) == 0;
}

// The lesson text on screen, as UTF-8.
std::string Lesson() { return itemtest::ToUtf8(GetGameInputMain()->GetMessageRow(0)); }

class TutorialPlay : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // A lesson text takes the keys held when it opens.
    FramesKeysUp = 1;
    StartRun(Seed, 0, Fighter);
    std::memcpy(SavedKeys, GetInput()->KeyBindingTable, sizeof SavedKeys);
    floor = dynamic_cast<CStageDataTutorial*>(game->CurrentStage);
    ASSERT_NE(floor, nullptr);
    player = game->Player;
    ASSERT_TRUE(NextTurn()) << "the banner hands over";
  }
  void TearDown() override {
    GetGameInputMainMenu()->TutorialStep = 0;
    CMyInput* input = GetInput();
    if (!IsSkipped()) std::memcpy(input->KeyBindingTable, SavedKeys, sizeof SavedKeys);
    input->PadConnected = input->PadAttached = false;
    input->PadIndex = -1;
    input->LastDevice = InputDevice::Keyboard;
    KeyPlay::TearDown();
  }
  bool WalkToCell(int x, int y) {
    return WalkTo([x, y](int cx, int cy) { return cx == x && cy == y; });
  }
  // Walks into the point at (x, y) until it breaks, then onto every item
  // lying on the floor, which the bag takes.
  bool Mine(int x, int y) {
    const auto standing = [&](int cx, int cy) { return cx == x && cy == y && floor->GetCharacterAt(x, y); };
    for (int blow = 0; blow < 60 && floor->GetCharacterAt(x, y); ++blow) {
      Way way{};
      if (!FirstStep(standing, way) || !StepToward(way)) return false;
    }
    // What it gave may still be in the air: wanted wherever it lands. Each
    // is taken up when stepped on, until none is left.
    const auto gathered = [&](int cx, int cy) { return floor->IsFloorClear() || floor->GetItemAt(cx, cy); };
    if (!WalkTo(gathered)) return false;
    if (!floor->IsFloorClear() || floor->GetCharacterAt(x, y)) return false;
    Frame();  // the floor's next frame opens the gate
    return true;
  }
  bool Carries(ItemId id) const {
    for (int slot = 0; slot < InventorySize; ++slot)
      if (const CItem* item = player->GetItem(slot); item && item->GetId() == id) return true;
    return false;
  }

  // A key down for one frame, then up for one.
  void Tap(std::uint32_t vk) {
    Press(vk);
    Frame();
    Release(vk);
    Frame();
  }
  // The grid cell of a carried place: the worn row, then rows of ten.
  static int CellOfPlace(int place) {
    return place < 7 ? place : CGameInputMainMenu::GridColumns + (place - 7) / 10 * CGameInputMainMenu::GridColumns +
                                   (place - 7) % 10;
  }
  // Moves the material grid's cursor onto `cell` by the arrow keys.
  bool CursorTo(int cell) {
    CGameInputMainMenu* menu = GetGameInputMainMenu();
    const int columns = CGameInputMainMenu::GridColumns;
    for (int i = 0; i < 8 && menu->CraftListCursor / columns != cell / columns; ++i) Tap(KeyDown);
    for (int i = 0; i < columns && menu->CraftListCursor != cell; ++i) Tap(KeyRight);
    return menu->CraftListCursor == cell;
  }
  // The lesson's craft as a player makes it: MENU, CRAFT, MATERIAL CRAFT,
  // the two carried ingredients of a recipe for `result`, and CRAFT.
  void CraftByKeys(ItemId result) {
    int first = -1, second = -1;
    for (int a = 0; a < InventorySize && first < 0; ++a)
      for (int b = 0; b < InventorySize; ++b) {
        const CItem* x = player->GetItem(a);
        const CItem* y = player->GetItem(b);
        // One stack may give both, as two herbs make the potion.
        if (!x || !y || (a == b && x->GetCount() < 2) || FindRecipe(GetRecipeList(), x->GetId(), y->GetId()) != result)
          continue;
        first = a;
        second = b;
        break;
      }
    ASSERT_GE(first, 0) << "the floor's materials make it";
    OpenCraftKind(CraftKindMaterial);
    ASSERT_TRUE(CursorTo(CellOfPlace(first)));
    Tap(KeySelect);
    ASSERT_TRUE(CursorTo(CellOfPlace(second)));
    Tap(KeySelect);
    ASSERT_EQ(GetGameInputMainMenu()->SecondPick, CellOfPlace(second));
    CraftAndClose();
  }

  // MENU, then CRAFT and the chooser's kind `kind` (its lesson's own).
  void OpenCraftKind(CraftKind kind) {
    CGameInputMainMenu* menu = GetGameInputMainMenu();
    Tap(KeyMenu);
    ASSERT_EQ(Play()->GetChild(), menu);
    for (int i = 0; i < CGameInputMainMenu::WaitFrames; ++i) Frame();
    Tap(KeyDown);
    ASSERT_EQ(menu->TopCursor, CGameInputMainMenu::TopCraft);
    Tap(KeySelect);
    for (int i = 0; i < 3 && menu->CraftKindCursor != kind; ++i) Tap(KeyDown);
    Tap(KeySelect);
    ASSERT_EQ(menu->GetCraftKind(), kind);
  }
  // CRAFT on the count or confirmation, and the menu's closing wait.
  void CraftAndClose() {
    CGameInputMainMenu* menu = GetGameInputMainMenu();
    Tap(KeySelect);
    ASSERT_TRUE(RunUntil([&] { return Play()->GetChild() != menu; }, CGameInputMainMenu::WaitFrames + 2));
    ASSERT_TRUE(NextTurn());
  }
  // The recipe lesson as a player makes it: RECIPE CRAFT, the book's page
  // and entry of the recipe of `first` and `second`, and CRAFT.
  void CraftFromTheBookByKeys(ItemId first, ItemId second) {
    int page = -1, entry = -1;
    for (int p = 0; p < 11 && page < 0; ++p)
      for (int i = 0; i < CGameInputMainMenu::CountRecipesOnPage(p); ++i)
        if (CGameInputMainMenu::GetPageRecipeFirstId(p, i) == first &&
            CGameInputMainMenu::GetPageRecipeSecondId(p, i) == second) {
          page = p;
          entry = i;
          break;
        }
    ASSERT_GE(page, 0) << "the book holds the lesson's recipe";
    OpenCraftKind(CraftKindRecipe);
    CGameInputMainMenu* menu = GetGameInputMainMenu();
    for (int i = 0; i < 11 && menu->GetRecipeBookPage() != page; ++i) Tap(KeyPageRight);
    ASSERT_EQ(menu->GetRecipeBookPage(), page);
    // Along each row, then a row down, until the cursor stands on it.
    for (int row = 0; row < 4 && menu->RecipeBookCursor != entry; ++row) {
      for (int i = 0; i < 20 && menu->RecipeBookCursor != entry; ++i) Tap(KeyRight);
      if (menu->RecipeBookCursor != entry) Tap(KeyDown);
    }
    ASSERT_EQ(menu->RecipeBookCursor, entry);
    Tap(KeySelect);
    ASSERT_NE(menu->ChosenRecipe, -1) << "both ingredients are carried";
    CraftAndClose();
  }

  // CONFIG as a player reaches it during a run: MENU, OPTION, KEYBOARD
  // CONFIG, the action's row and the new key, then CANCEL out of each.
  void RebindByKeys(int action, std::uint32_t vk) {
    CGameInputMainMenu* menu = GetGameInputMainMenu();
    Tap(KeyMenu);
    ASSERT_EQ(Play()->GetChild(), menu);
    for (int i = 0; i < CGameInputMainMenu::WaitFrames; ++i) Frame();
    for (int i = 0; i < CGameInputMainMenu::TopEntryCount && menu->TopCursor != CGameInputMainMenu::TopOption; ++i)
      Tap(KeyDown);
    Tap(KeySelect);
    CGameInputTitleConfig* settings = GetGameInputTitleConfig();
    ASSERT_TRUE(RunUntil([&] { return settings->GetPhase() == ScreenActive; }, 60));
    for (int i = 0; i < CGameInputTitleConfig::RowCount && settings->Cursor != CGameInputTitleConfig::RowKeyboard; ++i)
      Tap(KeyDown);
    Tap(KeySelect);
    CGameInputOptionKeyboardConfig* keys = GetGameInputOptionKeyboardConfig();
    ASSERT_TRUE(RunUntil([&] { return keys->GetPhase() == ScreenActive; }, 60));
    using Keys = CGameInputOptionKeyboardConfig;
    const auto onRow = [&] { return keys->Cursor < Keys::BindingRows && Keys::RowActions[keys->Cursor] == action; };
    for (int i = 0; i < Keys::RowCount && !onRow(); ++i) Tap(KeyDown);
    ASSERT_TRUE(onRow());
    Tap(KeySelect);
    ASSERT_EQ(keys->GetPhase(), CGameInputOptionKeyboardConfig::PhaseCapture);
    Tap(vk);
    Tap(KeyCancel);
    ASSERT_TRUE(RunUntil([&] { return settings->GetPhase() == ScreenActive; }, 60));
    Tap(KeyCancel);
    ASSERT_TRUE(RunUntil([&] { return menu->GetChild() == nullptr && menu->GetPhase() == ScreenActive; }, 60));
    Tap(KeyCancel);
    ASSERT_TRUE(RunUntil([&] { return Play()->GetChild() == nullptr; }, 60));
    ASSERT_TRUE(NextTurn());
  }
  // One step by the pad's D-pad `button`, held until the player moves.
  bool PadStep(VirtualDevice& pad, int button) {
    for (int i = 0; i < FramesKeysUp; ++i) Frame();
    const int x = player->GetX(), y = player->GetY();
    pad.Button(button, true);
    bool moved = false;
    for (int i = 0; i < 8 && !moved; ++i) {
      Frame();
      moved = player->GetX() != x || player->GetY() != y;
    }
    pad.Button(button, false);
    return moved && NextTurn();
  }

  CStageDataTutorial* floor = nullptr;
  CCharacterPlayer* player = nullptr;
  std::uint32_t SavedKeys[InputActionCount] = {};
};

TEST_F(TutorialPlay, TwelveStepsFromTheStartRoomToTheStairs) {
  EXPECT_EQ(floor->GetCharacterAt(12, 27), player);
  // On the keyboard with no pad, the lessons name the keys.
  EXPECT_EQ(Lesson(), "USE UP/DOWN/LEFT/RIGHT KEYS TO MOVE,\nA KEY TO CHANGE DIRECTION,\nD KEY TO DIAGONAL MOVE")
      << "the first lesson greets the player";
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 1u);
  EXPECT_TRUE(floor->IsGateOpen(1));

  // Steps 0 and 1: up through gates 1 and 2, each shut behind the player.
  ASSERT_TRUE(WalkToCell(12, 21));
  EXPECT_EQ(Lesson(), "USE X KEY TO ATTACK,\nZ KEY TO DASH,\nX+Z KEYS TO SKIP TURN");
  EXPECT_FALSE(floor->IsGateOpen(1));
  EXPECT_TRUE(floor->IsGateOpen(2));
  ASSERT_TRUE(WalkToCell(12, 13));
  EXPECT_TRUE(Shows(711));
  EXPECT_EQ(floor->GetCurrentStep(), 2);
  EXPECT_FALSE(floor->IsGateOpen(3)) << "the bush stands";
  EXPECT_FALSE(WalkToCell(18, 11)) << "no way on yet";

  // Steps 2-4: the bush, the tree and the rock, each struck until it breaks
  // and everything it gave gathered, before the way on opens.
  ASSERT_TRUE(Mine(12, 11));
  EXPECT_TRUE(floor->IsGateOpen(3));
  ASSERT_TRUE(WalkToCell(18, 11));
  EXPECT_TRUE(Shows(712));
  EXPECT_FALSE(floor->IsGateOpen(3));
  ASSERT_TRUE(Mine(20, 11));
  ASSERT_TRUE(WalkToCell(26, 11));
  EXPECT_TRUE(Shows(713));
  ASSERT_TRUE(Mine(28, 11));
  EXPECT_TRUE(Carries(ManaStone));
  ASSERT_TRUE(WalkToCell(28, 17));
  EXPECT_FALSE(floor->IsGateOpen(5));

  // Step 5: the potion lesson holds its gate until a potion is carried.
  EXPECT_EQ(floor->GetCurrentStep(), 5);
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 2u);
  EXPECT_TRUE(Shows(724));
  EXPECT_FALSE(floor->IsGateOpen(6));
  CraftByKeys(PotionOfHealing);
  EXPECT_TRUE(Carries(PotionOfHealing));
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(6));

  // Step 6, with something put down on the open gate: when the gate shuts
  // behind the player it is not walled in but lies within reach.
  ASSERT_TRUE(WalkToCell(28, 22));
  ASSERT_TRUE(floor->PutItemAt(28, 22, CreateItem(ManaStone)));
  ASSERT_TRUE(WalkToCell(28, 25));
  EXPECT_TRUE(Shows(725));
  EXPECT_FALSE(floor->IsGateOpen(6));
  EXPECT_EQ(floor->GetItemAt(28, 22), nullptr);
  EXPECT_EQ(floor->terrain[CellIndex(28, 22)], TerrainWall);
  ASSERT_TRUE(WalkTo([&](int x, int y) { return floor->IsFloorClear() || floor->GetItemAt(x, y); }));
  EXPECT_TRUE(floor->IsFloorClear()) << "taken back up";

  // Steps 7 and 8: the recipe lesson.
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 3u);
  EXPECT_FALSE(floor->IsGateOpen(7));
  CraftFromTheBookByKeys(PotionOfHealing, ManaStone);
  EXPECT_TRUE(Carries(MagicStoneOfHealing));
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(7));
  ASSERT_TRUE(WalkToCell(22, 27));
  EXPECT_TRUE(Shows(726));
  EXPECT_FALSE(floor->IsGateOpen(7));

  // Step 9: the enchant lesson, the stone set into the worn weapon.
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 4u);
  CItem* weapon = player->GetItem(WeaponSlot);
  ASSERT_NE(weapon, nullptr) << "the class starts armed";
  OpenCraftKind(CraftKindEnchant);
  ASSERT_TRUE(CursorTo(CellOfPlace(WeaponSlot)));
  Tap(KeySelect);  // the worn weapon as the base
  ASSERT_TRUE(CursorTo(0));
  Tap(KeySelect);  // the first stone of the list, the one made above
  CraftAndClose();
  EXPECT_EQ(weapon->GetEnchantmentAt(0), MagicStoneOfHealing);
  Frame();
  EXPECT_TRUE(floor->IsGateOpen(8));
  EXPECT_TRUE(floor->IsStairs(TutorialStairsX, TutorialStairsY));

  // Steps 10 and 11: into the centre room, never hungry, and down its stairs.
  ASSERT_TRUE(WalkToCell(20, 24));
  EXPECT_TRUE(Shows(727));
  ASSERT_TRUE(WalkToCell(20, 21));
  EXPECT_TRUE(Shows(728));
  EXPECT_FALSE(floor->IsGateOpen(8));
  EXPECT_EQ(floor->GetCurrentStep(), 11);
  Frame();
  EXPECT_EQ(player->satiety, 2000) << "fed at every frame of the floor";
  ASSERT_TRUE(WalkToCell(20, 20));
  Press(KeyUp);
  EXPECT_TRUE(RunUntil([] { return State() == StateClear; }, 60)) << "the stairs end the tutorial";
  ReleaseKeys();
}

// In Japanese: the keys as bound, a key rebound through CONFIG on the way
// by its new name; once the pad's D-pad walks the player, the pad's buttons.
TEST_F(TutorialPlay, InJapaneseTheLessonsNameTheKeysAsBoundUntilThePadIsPressed) {
  game->Settings.Block.Language = LanguageJapanese;
  ASSERT_TRUE(WalkToCell(12, 26));
  ASSERT_TRUE(WalkToCell(12, 27)) << "back on the start cell";
  EXPECT_EQ(Lesson(), "UP/DOWN/LEFT/RIGHTキーで いどう、\nAキーで むきを かえる、\nDキーで ななめいどう");
  RebindByKeys(InputActionAttack, 'F');
  EXPECT_EQ(GetInput()->KeyBindingTable[InputActionAttack], static_cast<std::uint32_t>('F'));
  ASSERT_TRUE(WalkToCell(12, 21));
  EXPECT_EQ(Lesson(), "Fキーで こうげき、\nZキーで ダッシュ、\nF+Zキーで ターンを とばす");

  // A pad attached when the game started, and walked off the cell and back.
  SysOpenPads();
  VirtualDevice pad(true);
  ASSERT_TRUE(pad.Attached());
  SysRefreshPads();
  CMyInput* input = GetInput();
  input->PadConnected = true;
  input->PadIndex = 0;
  ASSERT_TRUE(PadStep(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
  ASSERT_TRUE(PadStep(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT));
  EXPECT_EQ(floor->GetCharacterAt(12, 21), player);
  EXPECT_EQ(Lesson(), "Bボタンで こうげき、\nAボタンで ダッシュ、\nB+Aボタンで ターンを とばす");
  pad.Unplug();
  SysRefreshPads();
  SysClosePads();
}

class LabPlay : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(music.Started);
    FramesKeysUp = 1;  // the signs take the keys held when they open
    StartRun(Seed, 6, Fighter);
    ASSERT_TRUE(NextTurn());
  }
  StubbedGameMusic music;
};

TEST_F(LabPlay, TheTrapRoomWakesTheFloorAndChangesTheMusicAtTheFirstStepIn) {
  // Down from floor 35 to the crossroads, as the stairs lead there.
  game->Characters.DeleteAllButPlayer();
  delete game->CurrentStage;
  game->CurrentStage = CreateStage(634);
  game->Settings.Block.FloorNumber = 35;
  ASSERT_TRUE(GoDownToNextFloor(*game));
  CStageData* lab = game->CurrentStage;
  ASSERT_EQ(lab->StageId, 635);
  GetStateController()->ChangeState(StateStageStart);
  ASSERT_TRUE(NextTurn());
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 17) << "the Lab's own music on arrival";
  const CCharacter* player = game->Player;
  EXPECT_EQ(lab->GetCharacterAt(20, 33), player);

  const auto to = [](int x, int y) { return [x, y](int cx, int cy) { return cx == x && cy == y; }; };
  ASSERT_TRUE(WalkTo(to(20, 24)));
  EXPECT_TRUE(Shows(730));
  ASSERT_TRUE(WalkTo(to(29, 20)));
  for (CCharacter* c : game->Characters.Walk())
    EXPECT_TRUE(c == player || c->type == 361 || c->IsDormant()) << "the hall wakes nobody";
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 17);

  ASSERT_TRUE(StepToward(Way{1, 0}));
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
