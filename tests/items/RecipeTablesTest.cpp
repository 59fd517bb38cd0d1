#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/CGameMain.h"
#include "items/RecipeTables.h"

namespace {

// Opens the recipes of one stage through the game's own progress flags, the
// way clearing dungeon `stage` does, and puts the flags back afterwards.
class RecipeTables : public ::testing::Test {
protected:
  void SetUp() override { std::memcpy(saved, Flags(), sizeof(saved)); }
  void TearDown() override { std::memcpy(Flags(), saved, sizeof(saved)); }
  static std::uint32_t* Flags() { return GetGameMain()->Settings.Block.DungeonClearedFlags; }
  static void OpenStage(int stage) {
    std::memset(Flags(), 0, sizeof(saved));
    if (stage > 0) Flags()[stage] = 1;
  }
  std::uint32_t saved[8];
};

TEST_F(RecipeTables, EveryListHoldsItsCountAtEveryStage) {
  struct Row {
    const char* Name;
    int Tab;
    RecipeList (*Get)();
    int Counts[RecipeStageCount];
  };
  const Row rows[] = {
      {"full", 12, GetRecipeList, {78, 135, 153, 199, 259, 271}},
      {"item", 14, GetItemRecipeList, {43, 60, 62, 72, 81, 81}},
      {"equipment", 15, GetEquipmentRecipeList, {35, 75, 91, 127, 178, 190}},
      {"material", 0, GetMaterialRecipeList, {8, 10, 12, 18, 20, 20}},
      {"food", 1, GetFoodRecipeList, {2, 2, 2, 2, 2, 2}},
      {"potion", 2, GetPotionRecipeList, {11, 16, 16, 16, 16, 16}},
      {"magic stone", 3, GetMagicStoneRecipeList, {11, 16, 16, 18, 25, 25}},
      {"wand", 4, GetWandRecipeList, {11, 16, 16, 18, 18, 18}},
      {"weapon", 5, GetWeaponRecipeList, {16, 21, 26, 38, 55, 55}},
      {"bow", 6, GetBowRecipeList, {7, 9, 11, 15, 22, 22}},
      {"body armour", 7, GetBodyArmourRecipeList, {4, 15, 18, 26, 33, 33}},
      {"shield", 8, GetShieldRecipeList, {4, 15, 18, 24, 32, 32}},
      {"head gear", 9, GetHeadGearRecipeList, {4, 15, 18, 24, 29, 41}},
      {"accessory", 10, GetAccessoryRecipeList, {0, 0, 0, 0, 7, 7}},
  };
  for (int stage = 0; stage < RecipeStageCount; ++stage) {
    OpenStage(stage);
    for (const Row& r : rows) {
      const int expected = r.Counts[stage];
      EXPECT_EQ(r.Get().size(), static_cast<std::size_t>(expected)) << r.Name << " " << stage;
      EXPECT_EQ(GetRecipeListByTab(r.Tab).size(), static_cast<std::size_t>(expected))
          << r.Name << " " << stage;
      EXPECT_EQ(GetRecipeListAt(r.Tab, stage).size(), static_cast<std::size_t>(expected))
          << r.Name << " " << stage;
    }
    EXPECT_EQ(CountItemRecipes(), rows[1].Counts[stage]) << stage;
    EXPECT_EQ(CountEquipmentRecipes(), rows[2].Counts[stage]) << stage;
  }
}

TEST_F(RecipeTables, TheStageIsTheHighestOfDungeonsOneToFiveCleared) {
  struct Row {
    std::vector<int> Cleared;
    int Stage;
  };
  const Row rows[] = {
      {{}, 0},     {{1}, 1},       {{2}, 2},        {{1, 5}, 5},
      {{2, 3}, 3}, {{4, 1, 2}, 4}, {{0, 6, 7}, 0}, {{0, 6, 7, 2}, 2},
  };
  for (const Row& r : rows) {
    SaveBlock block{};
    for (int d : r.Cleared) block.DungeonClearedFlags[d] = d == 4 ? 7 : 1;  // any non-zero
    EXPECT_EQ(GetRecipeStage(block), r.Stage) << testing::PrintToString(r.Cleared);
  }
}

TEST_F(RecipeTables, FindsAndReadsRecipesOfEveryStage) {
  struct Row {
    int Stage, A, B;
    int Index, FirstId, SecondId, ResultId, FirstCount, ResultCount;
  };
  const Row rows[] = {
      // Stone + Stone is record 0 everywhere; StoneBlade follows the bars.
      {0, 0x800, 0x800, 0, 0x800, 0x800, 0x805, 1, 1},
      {0, 0x805, 0x800, 3, 0x800, 0x805, 0x80A, 1, 1},
      {0, 0x900, 0x80F, 21, 0x900, 0x80F, 0xA00, 1, 1},
      {0, 0x500, 0x802, 77, 0x802, 0x500, 0x503, 1, 1},  // the last record
      {0, 0x803, 0x803, -1, -1, -1, -1, 1, 1},            // silver opens at 1
      {0, 0x802, 0x90F, -1, -1, -1, -1, 1, 1},
      {1, 0x803, 0x803, 3, 0x803, 0x803, 0x808, 1, 1},
      {1, 0x800, 0x805, 4, 0x800, 0x805, 0x80A, 1, 1},
      {1, 0x819, 0x90A, 23, 0x90A, 0x819, 0x909, 1, 1},
      {1, 0x823, 0x823, 95, 0x823, 0x823, 0x310, 1, 1},
      {1, 0x520, 0x803, 134, 0x803, 0x520, 0x524, 1, 1},
      // Each pair once: the blades are not repeated after the mythril one.
      {2, 0x805, 0x800, 5, 0x800, 0x805, 0x80A, 1, 1},
      {2, 0x811, 0x811, 10, 0x811, 0x811, 0x812, 1, 1},
      {2, 0x804, 0x520, 152, 0x804, 0x520, 0x525, 1, 1},
      {3, 0x802, 0x90F, 16, 0x802, 0x90F, 0x81B, 2, 2},
      {3, 0x910, 0x802, 17, 0x802, 0x910, 0x81C, 2, 2},
      {3, 0x90F, 0x0B8, 80, 0x0B8, 0x90F, 0x0B9, 1, 1},
      {4, 0x90F, 0x802, 18, 0x802, 0x90F, 0x81B, 2, 2},
      {4, 0x823, 0x60B, 252, 0x60B, 0x823, 0x612, 1, 1},
      {4, 0x611, 0x823, 258, 0x611, 0x823, 0x618, 1, 1},
      {4, 0x81E, 0x80F, -1, -1, -1, -1, 1, 1},  // the circlet opens at 5
      {5, 0x81E, 0x80F, 252, 0x81E, 0x80F, 0x582, 1, 1},
      {5, 0x60A, 0x582, 263, 0x582, 0x60A, 0x58D, 1, 1},
      {5, 0x823, 0x611, 270, 0x611, 0x823, 0x618, 1, 1},
      {5, 0x810, 0x811, -1, -1, -1, -1, 1, 1},
      {5, -1, -1, -1, -1, -1, -1, 1, 1},
  };
  for (const Row& r : rows) {
    OpenStage(r.Stage);
    SCOPED_TRACE(testing::Message() << "stage " << r.Stage << std::hex << " 0x" << r.A << " + 0x"
                                    << r.B);
    EXPECT_EQ(FindRecipeIndex(r.A, r.B), r.Index);
    EXPECT_EQ(FindRecipeIndex(r.B, r.A), r.Index);
    EXPECT_EQ(FindRecipe(GetRecipeList(), r.B, r.A), r.ResultId);
    EXPECT_EQ(GetRecipeFirstId(r.Index), r.FirstId);
    EXPECT_EQ(GetRecipeSecondId(r.Index), r.SecondId);
    EXPECT_EQ(GetRecipeResultId(r.Index), r.ResultId);
    EXPECT_EQ(GetRecipeFirstCount(r.Index), r.FirstCount);
    EXPECT_EQ(GetRecipeSecondCount(r.Index), 1);
    EXPECT_EQ(GetRecipeResultCount(r.Index), r.ResultCount);
  }
}

TEST_F(RecipeTables, AClearDuringPlayMovesTheRecordsAtOnce) {
  OpenStage(0);
  EXPECT_EQ(FindRecipeIndex(0x800, 0x805), 3);
  EXPECT_EQ(GetRecipeResultId(3), 0x80A);
  Flags()[1] = 1;
  EXPECT_EQ(GetRecipeStage(), 1);
  EXPECT_EQ(FindRecipeIndex(0x800, 0x805), 4);
  EXPECT_EQ(GetRecipeResultId(3), 0x808);  // the same index now names the silver bar
}

TEST_F(RecipeTables, NeedsFollowTheOrderTheIngredientsAreHeldIn) {
  OpenStage(3);
  struct Row {
    int FirstHeld, SecondHeld, First, Second;
  };
  const Row rows[] = {
      {0x802, 0x90F, 2, 1},  // two Iron Ores with an Elixir
      {0x90F, 0x802, 1, 2},
      {0x800, 0x800, 1, 1},
      {0x810, 0x811, 1, 1},  // no recipe: a stone fusing takes one of each
  };
  for (const Row& r : rows) {
    const int index = FindRecipeIndex(r.FirstHeld, r.SecondHeld);
    const RecipeNeeds needs = GetRecipeNeeds(index, r.FirstHeld);
    EXPECT_EQ(needs.First, r.First) << std::hex << r.FirstHeld << " " << r.SecondHeld;
    EXPECT_EQ(needs.Second, r.Second) << std::hex << r.FirstHeld << " " << r.SecondHeld;
  }
}

TEST_F(RecipeTables, ReadsOutsideAListAnswerNoIdAndACountOfOne) {
  OpenStage(5);
  const int n = static_cast<int>(GetRecipeList().size());
  for (int i : {-1, n, n + 1, -1000}) {
    EXPECT_EQ(GetRecipeResultId(i), -1) << i;
    EXPECT_EQ(GetRecipeFirstId(i), -1) << i;
    EXPECT_EQ(GetRecipeSecondId(i), -1) << i;
    EXPECT_EQ(GetRecipeResultCount(i), 1) << i;
    EXPECT_EQ(GetRecipeFirstCount(i), 1) << i;
    EXPECT_EQ(GetRecipeSecondCount(i), 1) << i;
  }
  // Before dungeon 4 the accessory list has no record at all.
  OpenStage(3);
  EXPECT_EQ(GetAccessoryRecipeFirstCount(0), 1);
  EXPECT_EQ(GetAccessoryRecipeSecondCount(0), 1);
  EXPECT_EQ(FindRecipe(GetAccessoryRecipeList(), 0x60B, 0x823), -1);
  // Pages and stages that do not exist give an empty list, not a stray one.
  for (int tab : {-1, 11, 13, 16, 255}) {
    EXPECT_TRUE(GetRecipeListByTab(tab).empty()) << tab;
    EXPECT_EQ(GetRecipeListByTab(tab).data(), nullptr) << tab;
  }
  EXPECT_TRUE(GetRecipeListAt(RecipeTabAll, -1).empty());
  EXPECT_TRUE(GetRecipeListAt(RecipeTabAll, RecipeStageCount).empty());
}

// A reader wired to the wrong list would answer another list's record (or a
// 2 from the doubled-ore records of the materials) somewhere in this walk.
TEST_F(RecipeTables, EveryNamedReaderReadsItsOwnList) {
  struct Row {
    const char* Name;
    int (*Read)(int);
    int Tab;
    RecipeField Field;
  };
  using F = RecipeField;
  const Row rows[] = {
      {"GetRecipeResultId", GetRecipeResultId, 12, F::ResultId},
      {"GetItemRecipeResultId", GetItemRecipeResultId, 14, F::ResultId},
      {"GetEquipmentRecipeResultId", GetEquipmentRecipeResultId, 15, F::ResultId},
      {"GetRecipeFirstId", GetRecipeFirstId, 12, F::FirstId},
      {"GetItemRecipeFirstId", GetItemRecipeFirstId, 14, F::FirstId},
      {"GetEquipmentRecipeFirstId", GetEquipmentRecipeFirstId, 15, F::FirstId},
      {"GetRecipeSecondId", GetRecipeSecondId, 12, F::SecondId},
      {"GetItemRecipeSecondId", GetItemRecipeSecondId, 14, F::SecondId},
      {"GetEquipmentRecipeSecondId", GetEquipmentRecipeSecondId, 15, F::SecondId},
      {"GetRecipeResultCount", GetRecipeResultCount, 12, F::ResultCount},
      {"GetRecipeFirstCount", GetRecipeFirstCount, 12, F::FirstCount},
      {"GetItemRecipeFirstCount", GetItemRecipeFirstCount, 14, F::FirstCount},
      {"GetEquipmentRecipeFirstCount", GetEquipmentRecipeFirstCount, 15, F::FirstCount},
      {"GetMaterialRecipeFirstCount", GetMaterialRecipeFirstCount, 0, F::FirstCount},
      {"GetFoodRecipeFirstCount", GetFoodRecipeFirstCount, 1, F::FirstCount},
      {"GetPotionRecipeFirstCount", GetPotionRecipeFirstCount, 2, F::FirstCount},
      {"GetMagicStoneRecipeFirstCount", GetMagicStoneRecipeFirstCount, 3, F::FirstCount},
      {"GetWandRecipeFirstCount", GetWandRecipeFirstCount, 4, F::FirstCount},
      {"GetWeaponRecipeFirstCount", GetWeaponRecipeFirstCount, 5, F::FirstCount},
      {"GetBowRecipeFirstCount", GetBowRecipeFirstCount, 6, F::FirstCount},
      {"GetBodyArmourRecipeFirstCount", GetBodyArmourRecipeFirstCount, 7, F::FirstCount},
      {"GetShieldRecipeFirstCount", GetShieldRecipeFirstCount, 8, F::FirstCount},
      {"GetHeadGearRecipeFirstCount", GetHeadGearRecipeFirstCount, 9, F::FirstCount},
      {"GetAccessoryRecipeFirstCount", GetAccessoryRecipeFirstCount, 10, F::FirstCount},
      {"GetRecipeSecondCount", GetRecipeSecondCount, 12, F::SecondCount},
      {"GetItemRecipeSecondCount", GetItemRecipeSecondCount, 14, F::SecondCount},
      {"GetEquipmentRecipeSecondCount", GetEquipmentRecipeSecondCount, 15, F::SecondCount},
      {"GetMaterialRecipeSecondCount", GetMaterialRecipeSecondCount, 0, F::SecondCount},
      {"GetFoodRecipeSecondCount", GetFoodRecipeSecondCount, 1, F::SecondCount},
      {"GetPotionRecipeSecondCount", GetPotionRecipeSecondCount, 2, F::SecondCount},
      {"GetMagicStoneRecipeSecondCount", GetMagicStoneRecipeSecondCount, 3, F::SecondCount},
      {"GetWandRecipeSecondCount", GetWandRecipeSecondCount, 4, F::SecondCount},
      {"GetWeaponRecipeSecondCount", GetWeaponRecipeSecondCount, 5, F::SecondCount},
      {"GetBowRecipeSecondCount", GetBowRecipeSecondCount, 6, F::SecondCount},
      {"GetBodyArmourRecipeSecondCount", GetBodyArmourRecipeSecondCount, 7, F::SecondCount},
      {"GetShieldRecipeSecondCount", GetShieldRecipeSecondCount, 8, F::SecondCount},
      {"GetHeadGearRecipeSecondCount", GetHeadGearRecipeSecondCount, 9, F::SecondCount},
      {"GetAccessoryRecipeSecondCount", GetAccessoryRecipeSecondCount, 10, F::SecondCount},
  };
  // Stage 3 holds the doubled-ore records, so first counts of 2 appear.
  OpenStage(3);
  for (const Row& r : rows) {
    const RecipeList list = GetRecipeListAt(r.Tab, 3);
    for (int i = -1; i <= 200; ++i)
      ASSERT_EQ(r.Read(i), ReadRecipeField(list, i, r.Field)) << r.Name << " " << i;
  }
  EXPECT_EQ(GetMaterialRecipeFirstCount(16), 2);
  EXPECT_EQ(GetItemRecipeResultId(17), 0x81C);
  EXPECT_EQ(GetEquipmentRecipeFirstId(8), 0x0B8);  // Kunai + Elixir
  EXPECT_EQ(GetEquipmentRecipeSecondId(8), 0x90F);
}

// The full list is the item list and then the equipment list, each of them
// the family pages in order; every stage holds the stage below in order.
TEST_F(RecipeTables, ListsComposeAndGrowInOrder) {
  auto concat = [](int stage, int firstTab, int lastTab) {
    std::vector<RecipeRecord> out;
    for (int tab = firstTab; tab <= lastTab; ++tab)
      for (const RecipeRecord& r : GetRecipeListAt(tab, stage)) out.push_back(r);
    return out;
  };
  auto records = [](RecipeList list) {
    return std::vector<RecipeRecord>(list.begin(), list.end());
  };
  auto holdsInOrder = [](RecipeList big, RecipeList small) {
    std::size_t j = 0;
    for (const RecipeRecord& r : big)
      if (j < small.size() && r == small[j]) ++j;
    return j == small.size();
  };
  for (int stage = 0; stage < RecipeStageCount; ++stage) {
    EXPECT_EQ(records(GetRecipeListAt(RecipeTabAll, stage)), concat(stage, 0, 10)) << stage;
    EXPECT_EQ(records(GetRecipeListAt(RecipeTabItem, stage)), concat(stage, 0, 4)) << stage;
    EXPECT_EQ(records(GetRecipeListAt(RecipeTabEquipment, stage)), concat(stage, 5, 10)) << stage;
    if (stage == 0) continue;
    for (int tab = 0; tab <= 10; ++tab)
      EXPECT_TRUE(holdsInOrder(GetRecipeListAt(tab, stage), GetRecipeListAt(tab, stage - 1)))
          << "page " << tab << " stage " << stage;
  }
}

}  // namespace
