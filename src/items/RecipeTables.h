#pragma once
#include <cstdint>
#include <span>

struct SaveBlock;

// Alchemy recipes: constant lists of records keyed by item ids, grouped by
// the family of the result, in six stages that open as dungeons 1-5 are
// cleared. Every call reads the stage afresh, so a clear opens its recipes at
// once; an index that named one record can name another after it.

// How many of each ingredient a recipe uses, and what it makes.
struct RecipeRecord {
  std::int32_t FirstId;
  std::int32_t FirstCount;
  std::int32_t SecondId;
  std::int32_t SecondCount;
  std::int32_t ResultId;
  std::int32_t ResultCount;

  friend bool operator==(const RecipeRecord&, const RecipeRecord&) = default;
};
static_assert(sizeof(RecipeRecord) == 24);

// A list is its records only, without a closing record.
using RecipeList = std::span<const RecipeRecord>;

// The pages of the recipe book; the full list is the eleven family lists in
// page order, the item list pages 0-4 and the equipment list pages 5-10.
enum RecipeTab : int {
  RecipeTabMaterial = 0,
  RecipeTabFood = 1,
  RecipeTabPotion = 2,
  RecipeTabMagicStone = 3,
  RecipeTabWand = 4,
  RecipeTabWeapon = 5,
  RecipeTabBow = 6,
  RecipeTabBodyArmour = 7,
  RecipeTabShield = 8,
  RecipeTabHeadGear = 9,
  RecipeTabAccessory = 10,
  RecipeTabAll = 12,
  RecipeTabItem = 14,
  RecipeTabEquipment = 15,
};

constexpr int RecipeStageCount = 6;

// 5 down to 1 for the first of dungeons 5, 4, 3, 2, 1 that the block marks
// cleared; 0 when none is. The tutorial, dungeon 6 and the gallery open nothing.
int GetRecipeStage(const SaveBlock& block);
// The stage of the game's own settings.
int GetRecipeStage();

// The list of a page at a stage; empty (and data() null) for a page or a
// stage that does not exist.
RecipeList GetRecipeListAt(int tab, int stage);
// The list of a page at the game's stage.
RecipeList GetRecipeListByTab(int tab);

RecipeList GetRecipeList();
RecipeList GetItemRecipeList();
RecipeList GetEquipmentRecipeList();
RecipeList GetMaterialRecipeList();
RecipeList GetFoodRecipeList();
RecipeList GetPotionRecipeList();
RecipeList GetMagicStoneRecipeList();
RecipeList GetWandRecipeList();
RecipeList GetWeaponRecipeList();
RecipeList GetBowRecipeList();
RecipeList GetBodyArmourRecipeList();
RecipeList GetShieldRecipeList();
RecipeList GetHeadGearRecipeList();
RecipeList GetAccessoryRecipeList();

// The index of the first record whose ingredients are the two ids in either
// order, or -1. Ingredient counts are not compared: whether enough is held
// is the caller's concern.
int FindRecipeIndex(RecipeList list, int firstId, int secondId);
// The same over the full list at the game's stage.
int FindRecipeIndex(int firstId, int secondId);
// The result id of that record, or -1.
int FindRecipe(RecipeList list, int firstId, int secondId);

enum class RecipeField { FirstId, FirstCount, SecondId, SecondCount, ResultId, ResultCount };
// A field of record `index`; outside the list an id reads -1 and a count 1,
// so a caller without a recipe (a stone fusing) uses one of each ingredient.
int ReadRecipeField(RecipeList list, int index, RecipeField field);

// How many of each ingredient record `index` of the full list uses, in the
// order the caller holds them: the record's counts, swapped when its first id
// is not `firstId`. One of each when there is no record (fusing a stone).
struct RecipeNeeds {
  int First, Second;
};
RecipeNeeds GetRecipeNeeds(int index, int firstId);

int CountItemRecipes();
int CountEquipmentRecipes();

// Field readers by index of the active lists.
int GetRecipeResultId(int index);
int GetItemRecipeResultId(int index);
int GetEquipmentRecipeResultId(int index);
int GetRecipeFirstId(int index);
int GetItemRecipeFirstId(int index);
int GetEquipmentRecipeFirstId(int index);
int GetRecipeSecondId(int index);
int GetItemRecipeSecondId(int index);
int GetEquipmentRecipeSecondId(int index);
int GetRecipeResultCount(int index);

int GetRecipeFirstCount(int index);
int GetItemRecipeFirstCount(int index);
int GetEquipmentRecipeFirstCount(int index);
int GetMaterialRecipeFirstCount(int index);
int GetFoodRecipeFirstCount(int index);
int GetPotionRecipeFirstCount(int index);
int GetMagicStoneRecipeFirstCount(int index);
int GetWandRecipeFirstCount(int index);
int GetWeaponRecipeFirstCount(int index);
int GetBowRecipeFirstCount(int index);
int GetBodyArmourRecipeFirstCount(int index);
int GetShieldRecipeFirstCount(int index);
int GetHeadGearRecipeFirstCount(int index);
int GetAccessoryRecipeFirstCount(int index);

int GetRecipeSecondCount(int index);
int GetItemRecipeSecondCount(int index);
int GetEquipmentRecipeSecondCount(int index);
int GetMaterialRecipeSecondCount(int index);
int GetFoodRecipeSecondCount(int index);
int GetPotionRecipeSecondCount(int index);
int GetMagicStoneRecipeSecondCount(int index);
int GetWandRecipeSecondCount(int index);
int GetWeaponRecipeSecondCount(int index);
int GetBowRecipeSecondCount(int index);
int GetBodyArmourRecipeSecondCount(int index);
int GetShieldRecipeSecondCount(int index);
int GetHeadGearRecipeSecondCount(int index);
int GetAccessoryRecipeSecondCount(int index);
