#pragma once
// The in-dungeon menu pushed over a stand-in play screen on a small floor,
// with a fighter carrying what each test gives it; keys are fed frame by
// frame into the input histories.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "items/ItemUseTestSupport.h"
#include "screens/CGameInputMainMenu.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputEquip.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/UiTestSupport.h"

namespace menutest {

constexpr ItemId Sword = 0x000, Bow = 0x100, Arrows = 0x200, Healing = 0x900, Needle = 0xC00;
constexpr ScreenId PlayScreenId = 15, MenuId = 17;

// Stands in for the play screen: it only carries the chain.
class PlayStandIn : public CGameInput {
public:
  void Update() override {
    if (Child) Child->Update();
  }
  void Draw() override {
    if (Child) Child->Draw();
  }
};

inline PlayStandIn& Play() {
  static PlayStandIn play;
  return play;
}
inline CGameInput* Resolve(ScreenId id) { return id == PlayScreenId ? &Play() : ScreenFromId(id); }

class MenuFixture : public itemuse::UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    std::memcpy(&savedBlock, &game_->Settings.Block, sizeof savedBlock);
    uitest::ResetInput();
    uitest::ClearInput();
    SetScreenResolver(&Resolve);
    menu = GetGameInputMainMenu();
    ForgetPages(*menu);
    menu->TutorialStep = 0;
    player_->actionPoints = 2;
    GetStateController()->ChangeState(StateMainNormal);
    ASSERT_TRUE(GetGameInputController()->ChangeChild(PlayScreenId));
  }
  void TearDown() override {
    GetGameInputController()->SetChild(nullptr);
    for (CGameInput* s : {static_cast<CGameInput*>(&Play()), static_cast<CGameInput*>(menu),
                          static_cast<CGameInput*>(GetGameInputEquip()),
                          static_cast<CGameInput*>(GetGameInputSelectWindow())}) {
      s->SetChild(nullptr);
      s->SetParent(nullptr);
    }
    SetScreenResolver(nullptr);
    GetStateController()->Reset();
    std::memcpy(&game_->Settings.Block, &savedBlock, sizeof savedBlock);
    UseFixture::TearDown();
  }

  // As the play screen opens it: pushed, opened, and the opening wait run.
  void OpenMenu() {
    ASSERT_TRUE(GetGameInputController()->PushChild(MenuId));
    menu->Open();
    Idle(CGameInputMainMenu::WaitFrames);
  }
  static void Step(const std::vector<int>& rows = {}) {
    uitest::Frame(rows);
    GetGameInputController()->Update();
  }
  static void Idle(int frames) {
    for (int i = 0; i < frames; ++i) Step();
  }
  // One press and its release.
  static void Press(int row) {
    Step({row});
    Step();
  }
  static void Presses(int row, int times) {
    for (int i = 0; i < times; ++i) Press(row);
  }
  bool MenuShown() const { return Play().GetChild() == menu; }
  // From the top page onto the item page's cell `cell`.
  void ToItemCell(int cell) {
    Press(InputRowSelect);  // ITEM
    menu->ItemCursor = cell;
    menu->RefreshPanels();
  }
  // The grid cell of a carried item.
  int CellOf(const CItem* item) const {
    const int place = PlaceOf(item);
    return place < 7 ? place : 11 + (place - 7) / 10 * 11 + (place - 7) % 10;
  }
  // From a new opening through CRAFT onto the kind's page.
  void OpenKind(CraftKind kind) {
    OpenMenu();
    menu->TopCursor = CGameInputMainMenu::TopCraft;
    Press(InputRowSelect);
    menu->CraftKindCursor = kind;
    Press(InputRowSelect);
    ASSERT_EQ(menu->GetCraftKind(), kind);
  }
  void PickAt(int cell) {
    menu->CraftListCursor = cell;
    Press(InputRowSelect);
  }
  void OpenStage(int stage) { game_->Settings.Block.DungeonClearedFlags[stage] = 1; }
  std::vector<std::string> ActionCaptions() const {
    std::vector<std::string> captions;
    for (const CWidgetWindow& b : menu->ActionButtons) captions.push_back(b.GetText());
    return captions;
  }

  CGameInputMainMenu* menu = nullptr;

  // The menu remembers its cursors, book page and picks from one opening to
  // the next; a test starts from those of a menu never opened.
  static void ForgetPages(CGameInputMainMenu& m) {
    static const CGameInputMainMenu fresh;
    m.TopCursor = fresh.TopCursor;
    m.ItemCursor = fresh.ItemCursor;
    m.ActionCursor = fresh.ActionCursor;
    m.CraftKindCursor = fresh.CraftKindCursor;
    m.CraftListCursor = fresh.CraftListCursor;
    m.RecipeBookPage = fresh.RecipeBookPage;
    m.RecipeBookCursor = fresh.RecipeBookCursor;
    m.ChosenRecipe = fresh.ChosenRecipe;
    m.FirstPick = fresh.FirstPick;
    m.SecondPick = fresh.SecondPick;
    m.CraftCount = fresh.CraftCount;
    m.ItemPage = fresh.ItemPage;
    m.CraftListScroll = fresh.CraftListScroll;
    m.RecipeBookScroll = fresh.RecipeBookScroll;
    m.MaterialListThumb = fresh.MaterialListThumb;
    m.BaseListThumb = fresh.BaseListThumb;
    m.StoneListThumb = fresh.StoneListThumb;
    m.ItemBookThumb = fresh.ItemBookThumb;
    m.EquipmentBookThumb = fresh.EquipmentBookThumb;
  }

private:
  SaveBlock savedBlock;
};

}  // namespace menutest
