// Hand-made floors played by keys, headless, one main-loop frame at a time.
// The tutorial from the new game to its stairs: every step walked, every
// mining point struck and its materials gathered, the three crafts made in
// the menu by keys, and an item left on an open gate that must not be walled
// in (put there by the test: the lessons keep the menu's item page shut).
// The Alchemist's Lab floor 36 reached from the floor above and its trap
// room entered.
#include <gtest/gtest.h>

#include <string>

#include "app/KeyPlaySupport.h"
#include "floors/CStageDataTutorial.h"
#include "floors/SpecialStages.h"
#include "floors/StageFactory.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "items/RecipeTables.h"
#include "platform/CSoundManager.h"
#include "platform/SoundFixture.h"
#include "screens/CGameInputMainMenu.h"

namespace {

using namespace keyplay;

constexpr std::uint32_t Seed = 500;
constexpr std::uint32_t KeyMenu = 'S', KeyPageRight = 'R';
constexpr std::uint32_t Fighter = 0;
constexpr ItemId PotionOfHealing = 0x900, MagicStoneOfHealing = 0xa00, ManaStone = 0x80F;

// The text shown is the table's, its buttons named where it has "%s".
bool Shows(TextId id) {
  const std::string text = GetCurrentLanguageText(id);
  return std::string(GetGameInputMain()->GetMessageRow(0)).rfind(text.substr(0, text.find('%')), 0) == 0;
}

class TutorialPlay : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped()) return;
    // A lesson text takes the keys held when it opens.
    FramesKeysUp = 1;
    StartRun(Seed, 0, Fighter);
    floor = dynamic_cast<CStageDataTutorial*>(game->CurrentStage);
    ASSERT_NE(floor, nullptr);
    player = game->Player;
    ASSERT_TRUE(NextTurn()) << "the banner hands over";
  }
  void TearDown() override {
    GetGameInputMainMenu()->TutorialStep = 0;
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

  CStageDataTutorial* floor = nullptr;
  CCharacterPlayer* player = nullptr;
};

TEST_F(TutorialPlay, TwelveStepsFromTheStartRoomToTheStairs) {
  EXPECT_EQ(floor->GetCharacterAt(12, 27), player);
  EXPECT_TRUE(Shows(719)) << "the first lesson greets the player";
  EXPECT_EQ(GetGameInputMainMenu()->TutorialStep, 1u);
  EXPECT_TRUE(floor->IsGateOpen(1));

  // Steps 0 and 1: up through gates 1 and 2, each shut behind the player.
  ASSERT_TRUE(WalkToCell(12, 21));
  EXPECT_TRUE(Shows(723));
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

class LabPlay : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped()) return;
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
