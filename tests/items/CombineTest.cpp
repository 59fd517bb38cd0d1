#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>

#include "characters/CCharacter.h"
#include "items/Combine.h"
#include "items/ItemTestSupport.h"
#include "items/RecipeTables.h"

namespace {

using namespace itemtest;

constexpr ItemId Shortsword = 0x000, Spear = 0x00A, WoodStaff = 0x014, IronStaff = 0x017;
constexpr ItemId Kunai = 0x0B8, KunaiPlus = 0x0B9;
constexpr ItemId Bow = 0x100, IronBow = 0x103, StoneArrow = 0x200;
constexpr ItemId WoodArmor = 0x300, IronArmor = 0x303;
constexpr ItemId Stone = 0x800, IronOre = 0x802, StoneBar = 0x805, IronBar = 0x807, Stick = 0x811;
constexpr ItemId GoldOre = 0x81B, Elixir = 0x90F;
constexpr ItemId HealingStone = 0xA00, FireStone = 0xA0C, StrengthStone = 0xA0D, WandOfHealing = 0xB00;

// A crafter whose half DEX and half INT are given.
class Crafter : public CCharacter {
public:
  Crafter(int halfDex, int halfInt) : HalfDex(halfDex), HalfInt(halfInt) {}
  int GetHalfDex() const override { return HalfDex; }
  int GetHalfInt() const override { return HalfInt; }
  int HalfDex, HalfInt;
};

// One ingredient as held: a fused piece and its stack count.
struct Held {
  Fused Item;
  int Count = 1;
};

ItemPtr MakeHeld(const Held& h) {
  ItemPtr item = Make(h.Item);
  if (item) item->SetCount(h.Count);
  return item;
}

// What an item is, as far as combining can change it.
struct State {
  ItemId Id;
  int Count, Refinement, ChargeCapacity, ChargesUsed;
  std::array<ItemId, EnchantListSize> Stones;
  friend bool operator==(const State&, const State&) = default;
};

State StateOf(const CItem& item) {
  State s{item.GetId(), item.GetCount(), item.GetRefinement(), item.ChargeCapacity, item.ChargesUsed, {}};
  std::copy(std::begin(item.Enchantments), std::end(item.Enchantments), s.Stones.begin());
  return s;
}

std::optional<State> StateOf(const CItem* item) {
  if (!item) return std::nullopt;
  return StateOf(*item);
}

// Opens the recipes of a stage through the dungeons' cleared flags and puts
// them back afterwards; every test starts with all of them open.
class Combining : public ItemFixture {
protected:
  void SetUp() override {
    std::memcpy(Saved, Flags(), sizeof Saved);
    OpenStage(5);
  }
  void TearDown() override { std::memcpy(Flags(), Saved, sizeof Saved); }
  static std::uint32_t* Flags() { return GetGameMain()->Settings.Block.DungeonClearedFlags; }
  void OpenStage(int stage) {
    std::memset(Flags(), 0, sizeof Saved);
    if (stage > 0) Flags()[stage] = 1;
  }

  Crafter Player{7, 6};

private:
  std::uint32_t Saved[8];
};

// Every recipe of the last stage makes its result from exactly its counts,
// in either order, and takes them all; a recipe of two like ingredients
// made from one stack needs both counts in it.
TEST_F(Combining, EveryRecipeMakesItsResultFromExactlyItsCounts) {
  for (const RecipeRecord& r : GetRecipeList()) {
    SCOPED_TRACE(testing::Message() << std::hex << "0x" << r.FirstId << " + 0x" << r.SecondId);
    for (bool swapped : {false, true}) {
      ItemPtr first = MakeHeld({{r.FirstId}, r.FirstCount});
      ItemPtr second = MakeHeld({{r.SecondId}, r.SecondCount});
      ASSERT_TRUE(first && second);
      if (swapped) std::swap(first, second);
      ItemPtr result(CombineItems(first.get(), second.get(), &Player));
      ASSERT_TRUE(result) << "swapped " << swapped;
      EXPECT_EQ(result->GetId(), r.ResultId);
      EXPECT_EQ(first->GetCount(), 0);
      EXPECT_EQ(second->GetCount(), 0);
    }
    if (r.FirstId != r.SecondId) continue;
    ItemPtr stack = MakeHeld({{r.FirstId}, r.FirstCount + r.SecondCount - 1});
    EXPECT_EQ(CombineItems(stack.get(), stack.get(), &Player), nullptr);
    EXPECT_EQ(stack->GetCount(), r.FirstCount + r.SecondCount - 1);
    stack->SetCount(r.FirstCount + r.SecondCount);
    ItemPtr result(CombineItems(stack.get(), stack.get(), &Player));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->GetId(), r.ResultId);
    EXPECT_EQ(stack->GetCount(), 0);
  }
}

// The craft refuses what too few are held for; the preview still shows what
// the pair would make, so the window can show it beside its notice.
TEST_F(Combining, TooFewHeldRefusesAndTakesNothingButStillPreviews) {
  struct Case {
    const char* What;
    Held First, Second;
    bool SameStack;
    ItemId Shown;
  };
  const Case cases[] = {
      {"one Stone used twice", {{Stone}, 1}, {}, true, StoneBar},
      {"IronOre x1 + Elixir", {{IronOre}, 1}, {{Elixir}, 1}, false, GoldOre},
      {"Elixir + IronOre x1", {{Elixir}, 1}, {{IronOre}, 1}, false, GoldOre},
      {"IronOre x3 + no Elixir left", {{IronOre}, 3}, {{Elixir}, 0}, false, GoldOre},
      {"a stone from an empty stack", {{Shortsword}, 1}, {{FireStone}, 0}, false, Shortsword},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    ItemPtr first = MakeHeld(c.First);
    ItemPtr second = c.SameStack ? nullptr : MakeHeld(c.Second);
    CItem* other = c.SameStack ? first.get() : second.get();
    const State before[] = {StateOf(*first), StateOf(*other)};
    EXPECT_TRUE(CanCombineItems(first.get(), other));
    EXPECT_FALSE(HoldsEnoughToCombine(first.get(), other));
    ItemPtr preview(PreviewCombineItems(first.get(), other, &Player));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->GetId(), c.Shown);
    EXPECT_EQ(ItemPtr(CombineItems(first.get(), other, &Player)), nullptr);
    EXPECT_EQ(StateOf(*first), before[0]);
    EXPECT_EQ(StateOf(*other), before[1]);
  }
}

TEST_F(Combining, ResultCountsComeFromTheRecordOrTheCraftersDexAndInt) {
  struct Case {
    const char* What;
    int Stage;
    Held First, Second;
    Crafter* Who;
    ItemId Result;
    int Count, Capacity;
    int FirstLeft, SecondLeft;
  };
  Crafter nimble(7, 6), clumsy(0, 0), prodigy(5000, 5000);
  const Case cases[] = {
      {"Stone + Stone", 0, {{Stone}, 3}, {{Stone}, 1}, &nimble, StoneBar, 1, 0, 2, 0},
      {"IronOre x5 + Elixir", 3, {{IronOre}, 5}, {{Elixir}, 1}, &nimble, GoldOre, 2, 0, 3, 0},
      {"Elixir + IronOre x5", 3, {{Elixir}, 1}, {{IronOre}, 5}, &nimble, GoldOre, 2, 0, 0, 3},
      {"arrows: half DEX", 0, {{Stone}}, {{Stick}}, &nimble, StoneArrow, 7, 0, 0, 0},
      {"arrows: at least one", 0, {{Stone}}, {{Stick}}, &clumsy, StoneArrow, 1, 0, 0, 0},
      {"arrows: at most a stack", 0, {{Stone}}, {{Stick}}, &prodigy, StoneArrow, 999, 0, 0, 0},
      {"arrows: no crafter", 0, {{Stone}}, {{Stick}}, nullptr, StoneArrow, 1, 0, 0, 0},
      {"wand: half INT charges", 0, {{HealingStone}}, {{Stick}}, &nimble, WandOfHealing, 1, 6, 0, 0},
      {"wand: at least one charge", 0, {{HealingStone}}, {{Stick}}, &clumsy, WandOfHealing, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    OpenStage(c.Stage);
    ItemPtr first = MakeHeld(c.First), second = MakeHeld(c.Second);
    ItemPtr result(CombineItems(first.get(), second.get(), c.Who));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->GetId(), c.Result);
    EXPECT_EQ(result->GetCount(), c.Count);
    if (c.Capacity > 0) {
      EXPECT_EQ(result->ChargeCapacity, c.Capacity);
      EXPECT_EQ(result->GetChargesLeft(), c.Capacity);
    }
    EXPECT_EQ(first->GetCount(), c.FirstLeft);
    EXPECT_EQ(second->GetCount(), c.SecondLeft);
  }
  // What opens with a later clear is refused before it.
  OpenStage(2);
  ItemPtr ore = MakeHeld({{IronOre}, 5}), elixir = Make(Elixir);
  EXPECT_FALSE(CanCombineItems(ore.get(), elixir.get()));
  EXPECT_EQ(CombineItems(ore.get(), elixir.get(), &Player), nullptr);
}

TEST_F(Combining, RemadeEquipmentKeepsRefinementAndStonesOfItsOwnCategory) {
  struct Case {
    const char* What;
    Fused First, Second, Expected;
  };
  const Case cases[] = {
      {"armour keeps its stone", {WoodArmor, 2, {FireStone}}, {IronBar}, {IronArmor, 2, {FireStone}}},
      {"stones past the new slots are lost",
       {WoodArmor, 2, {FireStone, StrengthStone}, 2},
       {IronBar},
       {IronArmor, 2, {FireStone, NoItem}}},
      {"a staff keeps both",
       {WoodStaff, 1, {FireStone, HealingStone}},
       {IronBar},
       {IronStaff, 1, {FireStone, HealingStone}}},
      {"only from the bow, second",
       {IronBar, 5, {FireStone}},
       {Bow, 1, {StrengthStone}},
       {IronBow, 1, {StrengthStone}}},
      {"another category gives nothing", {Stone, 4}, {Stick}, {StoneArrow, 0, {NoItem}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    ItemPtr first = Make(c.First), second = Make(c.Second);
    ItemPtr result(CombineItems(first.get(), second.get(), &Player));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->GetId(), c.Expected.Id);
    EXPECT_EQ(result->GetRefinement(), c.Expected.Refinement);
    for (std::size_t i = 0; i < c.Expected.Stones.size(); ++i)
      EXPECT_EQ(result->GetEnchantmentAt(static_cast<int>(i)), c.Expected.Stones[i]) << "slot " << i;
  }
}

TEST_F(Combining, AKunaiStackUpgradesWholeForOneElixir) {
  OpenStage(3);
  for (bool kunaiFirst : {true, false}) {
    SCOPED_TRACE(kunaiFirst ? "Kunai first" : "Elixir first");
    ItemPtr kunai = MakeHeld({{Kunai, 2}, 30}), elixir = MakeHeld({{Elixir}, 2});
    CItem* first = kunaiFirst ? kunai.get() : elixir.get();
    CItem* second = kunaiFirst ? elixir.get() : kunai.get();

    ItemPtr preview(PreviewCombineItems(first, second, &Player));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->GetId(), KunaiPlus);
    EXPECT_EQ(preview->GetCount(), 30);
    EXPECT_EQ(kunai->GetCount(), 30);

    ItemPtr result(CombineItems(first, second, &Player));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->GetId(), KunaiPlus);
    EXPECT_EQ(result->GetCount(), 30);
    EXPECT_EQ(result->GetRefinement(), 2);
    EXPECT_EQ(kunai->GetCount(), 0);
    EXPECT_EQ(elixir->GetCount(), 1);
  }
}

TEST_F(Combining, AStoneFusesIntoTheFirstFreeSlotUnlessHeldBeforeIt) {
  struct Case {
    const char* What;
    Fused Piece;
    ItemId Stone;
    int Slot;  // -1: refused
  };
  const Case cases[] = {
      {"a free slot after another stone", {Shortsword, 0, {FireStone}}, StrengthStone, 1},
      {"an empty piece", {Shortsword}, FireStone, 0},
      {"a stone of the same id", {Shortsword, 0, {FireStone}}, FireStone, -1},
      {"every slot filled", {Spear, 0, {StrengthStone}}, FireStone, -1},
      {"no slot and no recipe", {Stone}, FireStone, -1},
      {"two stones", {HealingStone}, FireStone, -1},
  };
  for (const Case& c : cases) {
    for (bool stoneFirst : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.What << (stoneFirst ? ", stone first" : ""));
      ItemPtr piece = Make(c.Piece), stone = MakeHeld({{c.Stone}, 3});
      CItem* first = stoneFirst ? stone.get() : piece.get();
      CItem* second = stoneFirst ? piece.get() : stone.get();
      const State before = StateOf(*piece);
      EXPECT_EQ(CanCombineItems(first, second), c.Slot >= 0);
      CItem* result = CombineItems(first, second, &Player);
      if (c.Slot < 0) {
        EXPECT_EQ(result, nullptr);
        EXPECT_EQ(StateOf(*piece), before);
        EXPECT_EQ(stone->GetCount(), 3);
        continue;
      }
      EXPECT_EQ(result, piece.get());
      EXPECT_EQ(piece->GetEnchantmentAt(c.Slot), c.Stone);
      EXPECT_EQ(piece->GetCount(), 1);
      EXPECT_EQ(stone->GetCount(), 2);
    }
  }
  EXPECT_FALSE(CanCombineItems(nullptr, Make(Stone).get()));
  EXPECT_FALSE(CanCombineItems(Make(Stone).get(), nullptr));
  EXPECT_EQ(CombineItems(nullptr, nullptr, &Player), nullptr);
}

// The preview of every kind of combination held for equals what the
// combination then makes, and leaves both ingredients exactly as they were.
TEST_F(Combining, APreviewAnswersAsTheCombinationWithNothingChanged) {
  struct Case {
    const char* What;
    Held First, Second;
  };
  const Case cases[] = {
      {"materials", {{Stone}, 2}, {{Stone}}},
      {"a counted record", {{Elixir}}, {{IronOre}, 4}},
      {"arrows", {{Stone}}, {{Stick}}},
      {"a wand", {{Stick}}, {{HealingStone}}},
      {"inheritance", {{WoodArmor, 3, {FireStone}}}, {{IronBar}}},
      {"a fusing", {{Shortsword, 1, {FireStone}}}, {{StrengthStone}, 2}},
      {"a fusing, stone first", {{StrengthStone}}, {{Shortsword, 1}}},
      {"a refused fusing", {{Shortsword, 1, {FireStone}}}, {{FireStone}}},
      {"no recipe", {{Stone}}, {{Elixir}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    ItemPtr first = MakeHeld(c.First), second = MakeHeld(c.Second);
    const State before[] = {StateOf(*first), StateOf(*second)};
    ItemPtr preview(PreviewCombineItems(first.get(), second.get(), &Player));
    EXPECT_EQ(StateOf(*first), before[0]);
    EXPECT_EQ(StateOf(*second), before[1]);
    EXPECT_TRUE(!preview || (preview.get() != first.get() && preview.get() != second.get()));

    CItem* result = CombineItems(first.get(), second.get(), &Player);
    EXPECT_EQ(StateOf(preview.get()), StateOf(result));
    if (result != first.get() && result != second.get()) delete result;
  }
}

}  // namespace
