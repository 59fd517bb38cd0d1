// Every caption of every screen stays inside its caption box, in English
// and in Japanese, as the build's own fonts draw it. The screens are walked
// headless with the game's resource module; each caption drawn is told to a
// watcher, which measures its text with the font's own widths and names
// the screen, the widget, the language and the text of any that strays.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/KeyPlaySupport.h"
#include "characters/CharacterFactory.h"
#include "floors/StageIds.h"
#include "items/CItem.h"
#include "items/IdentifyTable.h"
#include "items/ItemCatalogue.h"
#include "items/ItemFactory.h"
#include "items/ItemTestSupport.h"
#include "platform/CScoreRanking.h"
#include "screens/CGameInputDeleteCheck.h"
#include "screens/CGameInputEnding.h"
#include "screens/CGameInputMainClear1.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputNext.h"
#include "screens/CGameInputOptionJoyPadConfig.h"
#include "screens/CGameInputOptionKeyboardConfig.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleConfig.h"
#include "screens/CGameInputTitleConfigControlSetting.h"
#include "screens/CGameInputTitleCredits.h"
#include "screens/CGameInputTitleGameOver.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/CGameInputUnlock.h"
#include "screens/TitleTestSupport.h"
#include "ui/CGameInputEquip.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/CGameInputStageStart.h"

namespace {

constexpr std::uint32_t KeyMenu = 'S', KeyCancel = 'X';
constexpr Language Languages[] = {LanguageEnglish, LanguageJapanese};
constexpr int SettleFrames = 30;

// The widgets of the screens by the names they have in the code.
class WidgetNames {
public:
  void Add(const std::string& name, const CWidget& w) { Names[&w] = name; }
  template <typename W, std::size_t N>
  void Add(const std::string& name, const W (&list)[N]) {
    for (std::size_t i = 0; i < N; ++i) Add(name + "[" + std::to_string(i) + "]", list[i]);
  }
  std::string Of(const CWidget& w) const {
    if (auto it = Names.find(&w); it != Names.end()) return it->second;
    std::ostringstream place;
    place << "the widget at (" << w.GetX() << ", " << w.GetY() << ")";
    return place.str();
  }

private:
  std::map<const CWidget*, std::string> Names;
};

#define NAME(screen, member) names.Add(#member, (screen)->member)

WidgetNames NameTheWidgets() {
  WidgetNames names;
  CGameInputMainMenu* m = GetGameInputMainMenu();
  NAME(m, Material.CancelButton), NAME(m, Material.Preview), NAME(m, Material.PreviewTitle);
  NAME(m, Material.PreviewNumber), NAME(m, Material.PreviewCancel), NAME(m, Material.PreviewCraft);
  NAME(m, Material.CountWindow), NAME(m, Material.CountCancel), NAME(m, Material.CountCraft);
  NAME(m, Material.NumberBox), NAME(m, Material.MessageLine), NAME(m, Material.ChosenRows);
  NAME(m, Material.ChosenNames), NAME(m, Material.ResultWindow), NAME(m, Material.ResultDescription);
  NAME(m, Material.ChoiceList), NAME(m, Material.ChoiceTitle), NAME(m, Material.PageNumberBox);
  NAME(m, Material.DetailWindow);
  NAME(m, Recipe.ListTabs), NAME(m, Recipe.RecipeWindow), NAME(m, Recipe.PageBox), NAME(m, Recipe.ResultWindow);
  NAME(m, Recipe.DescriptionWindow), NAME(m, Recipe.MaterialRows), NAME(m, Recipe.MaterialNames);
  NAME(m, Recipe.CategoryBar), NAME(m, Recipe.CategoryKeys), NAME(m, Recipe.Rows), NAME(m, Recipe.CountWindow);
  NAME(m, Recipe.CountTitle), NAME(m, Recipe.IconBox), NAME(m, Recipe.CancelButton), NAME(m, Recipe.CraftButton);
  NAME(m, Recipe.NumberBox), NAME(m, Recipe.MessageLine), NAME(m, Recipe.ChosenRows), NAME(m, Recipe.ChosenNames);
  NAME(m, Recipe.Preview), NAME(m, Recipe.PreviewTitle), NAME(m, Recipe.PreviewNumber);
  NAME(m, Recipe.PreviewCancel), NAME(m, Recipe.PreviewCraft), NAME(m, Recipe.Header);
  NAME(m, ItemStatusWindow), NAME(m, ItemNameWindow), NAME(m, InfoBoxes), NAME(m, ItemListWindow);
  NAME(m, ListTitleWindow), NAME(m, ActionWindow), NAME(m, ActionButtons), NAME(m, CraftTabs), NAME(m, CraftChooser);
  NAME(m, CraftChooserRows), NAME(m, SpareWindows), NAME(m, StatusWindow), NAME(m, StatusSecondColumn);
  NAME(m, TopMenuWindow), NAME(m, TopMenuRows), NAME(m, InfoPanel);

  CGameInputTitleTop* top = GetGameInputTitleTop();
  NAME(top, Entries), NAME(top, NoticeLine);
  CGameInputUnlock* unlock = GetGameInputUnlock();
  NAME(unlock, NoticeWindow), NAME(unlock, OkButton);
  CGameInputDeleteCheck* warning = GetGameInputDeleteCheck();
  NAME(warning, QuestionWindow), NAME(warning, YesButton), NAME(warning, NoButton);
  CGameInputTitleConfig* config = GetGameInputTitleConfig();
  NAME(config, Window), NAME(config, BgmLabel), NAME(config, BgmValue), NAME(config, SeLabel), NAME(config, SeValue);
  NAME(config, AutoAttackLabel), NAME(config, AutoAttackValue), NAME(config, LanguageLabel);
  NAME(config, EnglishValue), NAME(config, JapaneseValue), NAME(config, ScreenSizeLabel);
  NAME(config, ScreenSizeValue), NAME(config, JoyPadLabel), NAME(config, KeyboardLabel), NAME(config, BackButton);
  CGameInputTitleConfigControlSetting* control = GetGameInputTitleConfigControlSetting();
  NAME(control, TypeAButton), NAME(control, TypeBButton), NAME(control, AutoAttackOffButton);
  NAME(control, AutoAttackOnButton), NAME(control, BackButton), NAME(control, ControlTypeLabel);
  NAME(control, UpperControlCaption), NAME(control, LowerControlCaption), NAME(control, AutoAttackLabel);
  CGameInputOptionJoyPadConfig* pad = GetGameInputOptionJoyPadConfig();
  NAME(pad, Window), NAME(pad, TitleLabel), NAME(pad, ActionLabels), NAME(pad, ButtonLabels);
  NAME(pad, DefaultButton), NAME(pad, BackButton);
  CGameInputOptionKeyboardConfig* keys = GetGameInputOptionKeyboardConfig();
  NAME(keys, Window), NAME(keys, TitleLabel), NAME(keys, ActionLabels), NAME(keys, KeyLabels);
  NAME(keys, DiagonalLabels), NAME(keys, DiagonalKeys), NAME(keys, DefaultButton), NAME(keys, BackButton);
  CGameInputTitleCredits* credits = GetGameInputTitleCredits();
  NAME(credits, BackLabel), NAME(credits, FontHeading), NAME(credits, FontAuthorLabel);
  NAME(credits, FontAddressLabel), NAME(credits, SoundHeading), NAME(credits, SoundSourceLabel);
  NAME(credits, SoundAddressLabel), NAME(credits, ProduceHeading), NAME(credits, ProducerLabel);
  NAME(credits, ProducerAddressLabel);
  CGameInputTitleCharacterSelect* classes = GetGameInputTitleCharacterSelect();
  NAME(classes, Header), NAME(classes, InfoWindows);
  CGameInputTitleStageSelect* dungeons = GetGameInputTitleStageSelect();
  NAME(dungeons, Header), NAME(dungeons, DungeonRows), NAME(dungeons, DescriptionWindow);
  CGameInputTitleScoreRanking* rankings = GetGameInputTitleScoreRanking();
  NAME(rankings, TitleLabel), NAME(rankings, TableText), NAME(rankings, RecordText), NAME(rankings, PageLabel);
  NAME(rankings, ClassLabel), NAME(rankings, KindLabel), NAME(rankings, BackButton), NAME(rankings, TableWindow);
  NAME(rankings, SelectorWindow);
  CGameInputEnding* ending = GetGameInputEnding();
  NAME(ending, TheEndLabel), NAME(ending, StaffRollLabel), NAME(ending, ThankYouLabel);
  NAME(GetGameInputMainGameOver(), Caption);
  NAME(GetGameInputMainClear1(), Caption);
  CGameInputNext* next = GetGameInputNext();
  NAME(next, QuestionWindow), NAME(next, YesWindow), NAME(next, NoWindow);
  CGameInputEquip* equip = GetGameInputEquip();
  NAME(equip, Frame), NAME(equip, Panels), NAME(equip, Names), NAME(equip, StatusTexts), NAME(equip, LeftButton);
  NAME(equip, RightButton);
  CGameInputSelectWindow* select = GetGameInputSelectWindow();
  NAME(select, Frame), NAME(select, Buttons);
  NAME(GetGameInputStageStart(), NameWindow);
  names.Add("MessageWindow", GetGameInputMain()->GetMessageWindow());
  return names;
}

#undef NAME

class CaptionBoxes : public keyplay::KeyPlay {
protected:
  void SetUp() override {
    std::memcpy(&SavedBlock, &game->Settings.Block, sizeof SavedBlock);
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Names = NameTheWidgets();
    Watching = this;
    ClearRankings();
  }
  void TearDown() override {
    CWidget::SetCaptionObserver(nullptr);
    Watching = nullptr;
    titletest::DetachTitleScreens();
    for (ScreenId id : {9, 12, 13, 15, 17, 22, 23, 24, 25, 26, 27, 29, 30}) {
      ScreenFromId(id)->SetChild(nullptr);
      ScreenFromId(id)->SetParent(nullptr);
    }
    KeyPlay::TearDown();
    // What a walk of the title leaves besides a run.
    runtest::DropRun();
    ClearRankings();
    GetScreenEffect()->Reset();
    std::memcpy(&game->Settings.Block, &SavedBlock, sizeof SavedBlock);
  }
  void ClearRankings() {
    for (int i = 0; i < RankingLists; ++i)
      game->ScoreRankings[i] = game->TurnRankings[i] = game->TimeRankings[i] = CScoreRanking();
  }

  // The screens as the current state draws them, with every caption
  // watched; no pixel is written, and the floor under them is left out.
  void Look(const std::string& screen, bool withCaptions = true) {
    Screen = screen;
    Seen = 0;
    DrawSuspended = 1;
    CWidget::SetCaptionObserver(&Observe);
    CGameInputController* root = GetGameInputController();
    if (State() == StateTitle) {
      root->DrawLayer(1);
      root->DrawLayer(0);
    } else {
      root->Draw();
    }
    ResetDrawState();
    CWidget::SetCaptionObserver(nullptr);
    DrawSuspended = 0;
    if (withCaptions) {
      EXPECT_GT(Seen, 0) << screen << ": no caption drawn";
    }
  }
  void Settle(int frames = SettleFrames) {
    for (int i = 0; i < frames; ++i) Frame();
  }
  // A key down for a frame, then up for a few.
  void Tap(std::uint32_t vk) {
    Press(vk);
    Frame();
    Release(vk);
    Settle(8);
  }
  void SetLanguage(Language language) {
    game->Settings.Block.Language = language;
    LanguageName = language == LanguageEnglish ? "English" : "Japanese";
  }
  std::string Report() const {
    std::string all;
    for (const std::string& s : Strays) all += s + "\n";
    return all;
  }

  static void Observe(const CWidget& w, const char* text, const CaptionPlacement& p) {
    CaptionBoxes& self = *Watching;
    ++self.Seen;
    const CDrawString::Extent& e = p.Text;
    if (e.IsEmpty()) return;
    if (e.Left >= p.X && e.Right <= p.X + p.Width && e.Top >= p.Y && e.Bottom <= p.Y + p.Height) return;
    std::ostringstream line;
    std::string shown = itemtest::ToUtf8(text);
    for (std::size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at))
      shown.replace(at, 1, " / ");
    line << self.Screen << ", " << self.Names.Of(w) << ", " << self.LanguageName << ": \"" << shown << "\" covers x "
         << e.Left << "-" << e.Right << ", y " << e.Top << "-" << e.Bottom << ", outside its box x " << p.X << "-"
         << p.X + p.Width << ", y " << p.Y << "-" << p.Y + p.Height;
    self.Strays.insert(line.str());
  }

  // The player's new item, or null when the bag has no room.
  CItem* Give(CItem* item) {
    if (item && game->Player->AddItem(item)) return item;
    delete item;
    return nullptr;
  }
  int CellOf(const CItem* item) const {
    for (int place = 0; place < InventorySize; ++place)
      if (game->Player->GetItem(place) == item)
        return place < 7 ? place : 11 + (place - 7) / 10 * 11 + (place - 7) % 10;
    return 0;
  }
  void PickAt(int cell) {
    GetGameInputMainMenu()->CraftListCursor = cell;
    GetGameInputMainMenu()->RefreshPanels();
    Tap(keyplay::KeySelect);
  }
  void OpenCraftKind(CraftKind kind) {
    GetGameInputMainMenu()->CraftKindCursor = kind;
    Tap(keyplay::KeySelect);
  }
  void BackToChooser() {
    for (int i = 0; i < 4 && GetGameInputMainMenu()->GetCraftKind() != -1; ++i) Tap(KeyCancel);
  }

  inline static CaptionBoxes* Watching = nullptr;
  SaveBlock SavedBlock;
  WidgetNames Names;
  std::string Screen, LanguageName;
  int Seen = 0;
  std::set<std::string> Strays;
};

// Every item of the catalogue, its stone slots filled with the stones whose
// lines are longest on it, so that each shows its longest description.
std::vector<itemtest::ItemPtr> EveryItemAtItsLongest() {
  std::vector<itemtest::ItemPtr> items;
  for (int id = 0; id < IdentifyTableSize; ++id) {
    if (GetCatalogueIndex(static_cast<ItemId>(id)) == NotInCatalogue) continue;
    itemtest::ItemPtr item = itemtest::Make(static_cast<ItemId>(id));
    if (!item) continue;
    const int slots = std::min(item->GetEnchantSlotCount(), EnchantListSize);
    std::vector<std::pair<std::size_t, ItemId>> stones;
    for (int k = 0; k < MagicStoneCount && slots > 0; ++k) {
      itemtest::ItemPtr probe = itemtest::Make({item->GetId(), 0, {GetMagicStoneIdAt(k)}, 1});
      char text[ItemTextSize];
      stones.emplace_back(std::strlen(probe->GetStatusText(text, sizeof text)), GetMagicStoneIdAt(k));
    }
    std::sort(stones.rbegin(), stones.rend());
    for (int i = 0; i < slots && i < static_cast<int>(stones.size()); ++i) item->Enchantments[i] = stones[i].second;
    items.push_back(std::move(item));
  }
  return items;
}

std::string Hex(int id) {
  std::ostringstream out;
  out << "0x" << std::hex << id;
  return out.str();
}

}  // namespace

// The title side: logo, title menu, the new-game warning, every progress
// notice, the settings with their three screens, credits, the title's game
// over card, every class and dungeon, and the rankings filled to the last
// place.
TEST_F(CaptionBoxes, TheTitleScreens) {
  SaveBlock& block = game->Settings.Block;
  std::memset(block.DungeonClearedFlags, 1, sizeof block.DungeonClearedFlags);
  std::memset(block.ClearedWithClass, 1, sizeof block.ClearedWithClass);
  block.GameInProgress = 1;
  for (int i = 0; i < RankingLists; ++i)
    for (int place = 0; place < 10; ++place) {
      // Deaths by ten different monsters and a clear, at the largest numbers.
      const RankingEntry entry{99999999 - place, 256 + 11 * place, 999u * 60 * 60 * 30, 9999999u,
                               static_cast<std::uint8_t>(place == 0 ? 2 : 1), static_cast<std::uint8_t>(i / 11),
                               100, static_cast<std::uint8_t>(place % 9)};
      game->ScoreRankings[i].InsertByScore(entry);
      game->TimeRankings[i].InsertByFloor(entry);
      game->TurnRankings[i].InsertByFloorAndTurns(entry);
    }
  CGameInputController* root = GetGameInputController();
  CGameInputTitleTop* top = GetGameInputTitleTop();
  for (Language language : Languages) {
    SetLanguage(language);
    GetStateController()->ChangeState(StateTitle);
    root->ChangeChild(14);
    Settle();
    root->ChangeChild(2);
    Settle(60);
    Look("the title menu");
    // The game-over card is a picture only.
    const std::pair<ScreenId, const char*> overTheTitle[] = {
        {5, "the new-game warning"}, {8, "the settings"}, {12, "the credits"}, {13, "the title's game-over card"}};
    for (const auto& [id, name] : overTheTitle) {
      root->ChangeChild(2);
      top->PushChild(id);
      Settle(60);
      Look(name, id != 13);
    }
    CGameInputUnlock* notice = GetGameInputUnlock();
    for (UnlockNoticeType type = 0; type <= 12; ++type) {
      root->ChangeChild(2);
      notice->NoticeType = type;
      top->PushChild(6);
      Settle(60);
      Look("progress notice " + std::to_string(type));
    }
    const std::pair<ScreenId, const char*> overTheSettings[] = {
        {9, "the control settings"}, {10, "the pad bindings"}, {11, "the key bindings"}};
    for (const auto& [id, name] : overTheSettings) {
      root->ChangeChild(2);
      top->PushChild(8);
      Settle();
      GetGameInputTitleConfig()->PushChild(id);
      Settle(60);
      Look(name);
    }
    root->ChangeChild(4);
    Settle();
    CGameInputTitleCharacterSelect* classes = GetGameInputTitleCharacterSelect();
    for (int c = 0; c < CGameInputTitleCharacterSelect::ClassCount; ++c) {
      Settle(20);
      Look("class choice, class " + std::to_string(classes->Cursor));
      classes->MoveCursor(1);
    }
    root->ChangeChild(3);
    Settle();
    CGameInputTitleStageSelect* dungeons = GetGameInputTitleStageSelect();
    for (int d = 0; d < CGameInputTitleStageSelect::DungeonCount; ++d) {
      dungeons->Cursor = d;
      dungeons->RefreshEntries();
      dungeons->RefreshDescription();
      Settle(5);
      Look("dungeon choice, row " + std::to_string(d));
    }
    root->ChangeChild(7);
    Settle();
    CGameInputTitleScoreRanking* rankings = GetGameInputTitleScoreRanking();
    for (int kind = 0; kind < 2; ++kind, rankings->NextKind())
      for (int page = 0; page < 8; ++page, rankings->NextPage())
        for (int c = 0; c < 10; ++c, rankings->NextClass()) {
          Settle(1);
          Look("rankings, dungeon " + std::to_string(rankings->RankingPage) + " class " +
               std::to_string(rankings->RankingClass) + " kind " + std::to_string(rankings->RankingKind));
        }
  }
  EXPECT_TRUE(Strays.empty()) << Report();
}

// The play screen with its banner and message window, then every page of
// the in-dungeon menu with every item of the catalogue at its longest, the
// craft pages with their questions, the menu's dialogs, the next-floor
// question, and the screens that end a run.
TEST_F(CaptionBoxes, ThePlayScreens) {
  const std::vector<itemtest::ItemPtr> items = EveryItemAtItsLongest();
  CGameInputMainMenu* menu = GetGameInputMainMenu();
  for (Language language : Languages) {
    SetLanguage(language);
    StartRun(3000, 3, 0);
    game->Settings.Block.DungeonClearedFlags[3] = 1;
    ASSERT_TRUE(RunUntil([&] { return AwaitingCommand(); }, 1200));
    CCharacterPlayer& player = *game->Player;

    // The floor banner with every floor's name.
    CGameInputStageStart* banner = GetGameInputStageStart();
    Play()->PushChild(27);
    Settle(40);
    for (StageId id = 0; id < 1000; ++id) {
      char name[StageNameSize] = "";
      if (!GetStageName(id, name)[0]) continue;
      banner->NameWindow.SetText(name);
      Look("the floor banner, floor " + std::to_string(id));
    }
    Play()->SetChild(nullptr);
    Settle(1);

    // The message window with the longest names of items and monsters.
    std::vector<std::string> lines;
    char text[ItemTextSize];
    for (const itemtest::ItemPtr& item : items) lines.push_back(item->GetNameWithCount(text, sizeof text));
    for (CharacterType type = 256; type <= 367; ++type)
      if (std::unique_ptr<CCharacter> monster{CreateCharacter(type)})
        lines.push_back(monster->GetName(text, sizeof text));
    std::sort(lines.begin(), lines.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    Play()->ShowMessageTimed(lines[0].c_str(), -1);
    Play()->AddMessageTimed(lines[1].c_str(), -1);
    Play()->AddMessageTimed(lines[2].c_str(), -1);
    Look("the message window");
    Play()->CloseMessage();

    Tap(KeyMenu);
    ASSERT_EQ(Play()->GetChild(), menu);
    Look("the menu's top page");
    Tap(keyplay::KeySelect);  // ITEM
    for (const itemtest::ItemPtr& shown : items) {
      CItem* item = Give(CloneThroughFactory(*shown));
      ASSERT_NE(item, nullptr);
      menu->ItemCursor = CellOf(item);
      menu->RefreshPanels();
      Look("the item page, item " + Hex(item->GetId()));
      player.RemoveItem(item);
      delete item;
    }

    // A weapon of the most stone slots, all of them but one filled with the
    // longest lines, and the stone for the last: its actions, the equip
    // question and ENCHANT's note and question.
    const CItem* widest = nullptr;
    for (const itemtest::ItemPtr& item : items)
      if (item->GetCategory() == 0 && (!widest || item->GetEnchantSlotCount() > widest->GetEnchantSlotCount()))
        widest = item.get();
    ASSERT_NE(widest, nullptr);
    CItem* base = Give(CloneThroughFactory(*widest));
    const ItemId lastStone = base->Enchantments[base->GetEnchantSlotCount() - 1];
    base->Enchantments[base->GetEnchantSlotCount() - 1] = NoItem;
    CItem* stone = Give(CreateItem(lastStone));
    ASSERT_TRUE(base && stone);
    menu->ItemCursor = CellOf(base);
    menu->RefreshPanels();
    Tap(keyplay::KeySelect);
    Look("the item page's actions");
    Tap(keyplay::KeySelect);  // EQUIP
    Settle();
    Look("the equip question");
    Tap(KeyCancel);
    Tap(KeyCancel);
    Tap(KeyCancel);

    menu->TopCursor = CGameInputMainMenu::TopCraft;
    Tap(keyplay::KeySelect);
    Look("the craft chooser");
    OpenCraftKind(CraftKindEnchant);
    PickAt(CellOf(base));
    Look("ENCHANT, the base picked");
    PickAt(CGameInputMainMenu::StoneListIndexOf(stone));
    Look("ENCHANT, the question");
    // The last slot filled under the question: the note says the craft
    // cannot be made.
    base->Enchantments[base->GetEnchantSlotCount() - 1] = lastStone;
    menu->RefreshPanels();
    Look("ENCHANT, the notice");
    BackToChooser();

    // MATERIAL CRAFT's question with the result's longest description, and
    // its notice.
    CItem* ore = Give(CreateItem(0x802));
    CItem* elixir = Give(CreateItem(0x90F));
    ASSERT_TRUE(ore && elixir);
    OpenCraftKind(CraftKindMaterial);
    PickAt(CellOf(ore));
    PickAt(CellOf(elixir));
    Look("MATERIAL CRAFT, short of material");
    ore->SetCount(2);
    menu->RefreshPanels();
    Look("MATERIAL CRAFT, the question");
    BackToChooser();

    // Every entry of every page of the recipe book, and its count question.
    OpenCraftKind(CraftKindRecipe);
    for (int page = 0; page < 11; ++page) {
      menu->RecipeBookPage = page;
      for (int entry = 0; entry < CGameInputMainMenu::CountRecipesOnPage(page); ++entry) {
        menu->RecipeBookCursor = entry;
        menu->RefreshPanels();
        Look("the recipe book, page " + std::to_string(page) + " entry " + std::to_string(entry));
      }
    }
    menu->RecipeBookPage = 0;
    menu->RecipeBookCursor = 0;
    menu->RefreshPanels();
    Tap(keyplay::KeySelect);
    Settle();
    Look("the recipe book's question");
    BackToChooser();
    Tap(KeyCancel);

    // The settings over the menu and the question before the title.
    menu->TopCursor = CGameInputMainMenu::TopOption;
    Tap(keyplay::KeySelect);
    Settle();
    Look("the settings over the menu");
    GetGameInputTitleConfig()->Close();
    Settle();
    menu->TopCursor = CGameInputMainMenu::TopReturnToTitle;
    Tap(keyplay::KeySelect);
    Settle();
    Look("the question before the title");
    Tap(KeyCancel);
    Settle();
    Tap(KeyCancel);
    Settle();
    ASSERT_EQ(Play()->GetChild(), nullptr);

    // The question on the stairs, and the screens that end a run.
    Play()->PushChild(23);
    Settle();
    Look("the next-floor question");
    Play()->SetChild(nullptr);
    // GAME OVER and CLEAR!! wait for SELECT; the other clear draws nothing.
    for (const auto& [id, name] : {std::pair<ScreenId, const char*>{24, "GAME OVER"}, {25, "CLEAR!!"}}) {
      Play()->PushChild(id);
      Settle(120);
      Look(name);
      Play()->SetChild(nullptr);
    }
    // The ending keeps the language it was built in: built again in this one.
    CGameInputEnding* ending = GetGameInputEnding();
    ending->BuildLayout();
    Play()->PushChild(30);
    // Each phase once it has run a while; the scene is stepped without
    // being drawn in between.
    for (int phase = -1, frame = 0; frame < 20000 && phase != CGameInputEnding::WaitingForPress; ++frame) {
      GetGameInputController()->Update();
      if (ending->GetPhase() == phase) continue;
      phase = ending->GetPhase();
      for (int i = 0; i < 60; ++i) GetGameInputController()->Update();
      Look("the ending, phase " + std::to_string(phase));
    }
    Play()->SetChild(nullptr);
    runtest::DropRun();
  }
  SetLanguage(LanguageEnglish);
  GetGameInputEnding()->BuildLayout();
  EXPECT_TRUE(Strays.empty()) << Report();
}

// The longest description of every item in the catalogue, and that of a
// damaged weapon with all sixteen stone entries counted as slots, in every
// window that shows descriptions: each ends on a whole line inside its
// window's frame.
TEST_F(CaptionBoxes, TheLongestDescriptionsEndOnAWholeLineInsideTheirWindows) {
  std::vector<itemtest::ItemPtr> items = EveryItemAtItsLongest();
  std::vector<ItemId> stones;
  for (int k = 0; k < EnchantListSize; ++k) stones.push_back(GetMagicStoneIdAt(k));
  items.push_back(itemtest::Make({0x002, 9, stones, EnchantListSize}));
  CGameInputMainMenu* menu = GetGameInputMainMenu();
  CGameInputEquip* equip = GetGameInputEquip();
  struct Window {
    const char* Name;
    CWidget& Text;
    const CWidget& Frame;
    bool Question;  // the material question's window starts with a blank line
  };
  const Window windows[] = {
      {"the material question's result", menu->Material.ResultDescription, menu->Material.ResultDescription, true},
      {"the item detail", menu->InfoBoxes[0], menu->InfoBoxes[0], false},
      {"the item page's status", menu->ItemStatusWindow, menu->ItemStatusWindow, false},
      {"the recipe book's result", menu->Recipe.DescriptionWindow, menu->Recipe.DescriptionWindow, false},
      {"the equip question's panel", equip->StatusTexts[1], equip->Panels[1], false},
  };
  StartRun(3000, 3, 0);
  for (Language language : Languages) {
    SetLanguage(language);
    menu->RefreshPanels();
    for (const itemtest::ItemPtr& item : items) {
      char status[ItemTextSize + 1] = "\n";
      item->GetStatusText(status + 1, sizeof status - 1);
      for (const Window& w : windows) {
        const char* text = w.Question ? status : status + 1;
        const int x = w.Text.GetX() + w.Text.CaptionX, y = w.Text.GetY() + w.Text.CaptionY;
        const CDrawString::Extent e =
            w.Text.MeasureTextInBox(x, y, w.Text.CaptionWidth, w.Text.CaptionHeight, w.Text.CaptionAlign, text);
        SCOPED_TRACE(testing::Message() << w.Name << ", " << LanguageName << ", item " << Hex(item->GetId()) << ": \""
                                        << itemtest::ToUtf8(text) << "\"");
        EXPECT_GE(e.Left, w.Frame.GetX());
        EXPECT_LE(e.Right, w.Frame.GetX() + w.Frame.Width);
        EXPECT_GE(e.Top, w.Frame.GetY());
        EXPECT_LE(e.Bottom, w.Frame.GetY() + w.Frame.Height);
        EXPECT_LE(e.Bottom, y + w.Text.CaptionHeight) << "a line cut by the box's foot";
      }
    }
  }
}
