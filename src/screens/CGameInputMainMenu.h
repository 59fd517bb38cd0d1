#pragma once
// The in-dungeon menu (screen 17), pushed by the play screen: a top page
// with the status side, an item page over the player's worn places, bag and
// the cell underfoot, and a craft page. A choice that changes the world
// waits out a six-frame closing wait (PendingAction); equipping answers the
// confirmation at once. Then the turn passes and the menu leaves the chain.
#include <cstdint>
#include <memory>

#include "items/CItem.h"
#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CCharacterPlayer;

// The item behind a craft pick: a held item, or a placeholder for a magic
// stone the player does not hold, which this owns.
class PickedItem {
public:
  PickedItem() = default;
  explicit PickedItem(CItem* held) : item_(held) {}
  static PickedItem Placeholder(CItem* made);
  CItem* Get() const { return item_; }
  CItem* operator->() const { return item_; }
  explicit operator bool() const { return item_ != nullptr; }
  bool IsPlaceholder() const { return owned_ != nullptr; }

private:
  CItem* item_ = nullptr;
  std::unique_ptr<CItem> owned_;
};

// What runs when the closing wait ends; 2 and 3 belong to other layouts.
enum MenuAction : std::int32_t {
  MenuActionNone = 0,
  MenuActionUseOrEquip = 1,
  MenuActionDrop = 4,
  MenuActionPick = 5,
  MenuActionThrow = 6,
  MenuActionCraft = 7,
  MenuActionStairs = 8,
};

// The page tab whose selected flag makes that page the active one.
enum MenuPage : std::int32_t { MenuPageItem = 0, MenuPageCraft = 1, MenuPageTop = 2 };

enum CraftKind : std::int32_t { CraftKindMaterial = 0, CraftKindRecipe = 1, CraftKindEnchant = 2 };

// The recipe book's widgets (the RECIPE CRAFT page and its count dialog).
struct RecipePageWidgets {
  CWidget ListTabs[2];
  CWidget PageShade;
  CWidget ListArea;
  CWidget ScrollTrack, ScrollUp, ScrollDown, ScrollThumb, ScrollThumbEnd;
  CWidgetWindow RecipeWindow;
  CWidget RecipeArrows[2];
  CWidgetWindow PageBox;
  CWidgetWindow ResultWindow;
  CWidgetWindow DescriptionWindow;
  CWidgetWindow MaterialRows[2];
  CWidget MaterialNames[2];
  CWidgetWindow CategoryBar;
  CWidget CategoryKeys[2];
  CWidget CategoryIcons[11];
  CWidget ListCursor;
  CWidget Backdrop;
  CWidget Cells[57];
  CWidget Rows[57];
  // The count dialog over the book.
  CWidget DialogShade;
  CWidgetWindow CountWindow, CountTitle, IconBox, CancelButton, CraftButton, NumberBox;
  CWidget IconBoxIcon;
  CWidget NumberArrows[2];
  CWidget MessageLine;
  CWidgetWindow ChosenRows[2];
  CWidget ChosenIcons[2], ChosenNames[2];
  CWidget Preview, PreviewTitle, PreviewNumber, PreviewArrows[2], PreviewCancel, PreviewCraft;
  CWidget Header, HeaderEnd;
};

// The MATERIAL CRAFT and ENCHANT page: the pick grid over the inventory.
struct MaterialPageWidgets {
  CWidget CancelButton, CancelButtonEnd;
  CWidget ListArea;
  CWidget ScrollTrack, ScrollUp, ScrollDown, ScrollThumb, ScrollThumbEnd;
  CWidget Preview, PreviewTitle, PreviewIcon, PreviewNumber, PreviewArrows[2], PreviewCancel, PreviewCraft;
  CWidgetWindow CountWindow, CountCancel, CountCraft, NumberBox;
  CWidget NumberArrows[2];
  CWidget MessageLine;
  CWidget PageShade;
  CWidgetWindow ChosenRows[2];
  CWidget ChosenIcons[2], ChosenNames[2];
  CWidgetWindow ResultWindow, ResultDescription;
  CWidgetWindow ChoiceList, ChoiceTitle, PageNumberBox, DetailWindow;
  CWidget ChoiceArrows[2];
  CWidget ListCursor;
  CWidget Backdrop;
  CWidget GridCells[44];
  CWidget GridContents[44];
};

// A pick as the craft page shows it: a held item, or a stone not held shown
// through the menu's own placeholder.
struct PickView {
  CItem* Item = nullptr;
  bool Placeholder = false;
};

// What the craft page's previews show, made by each refresh and drawn every
// frame until the next one.
struct CraftPreviewCache {
  std::unique_ptr<CItem> StonePlaceholders[25];
  std::unique_ptr<CItem> BookIcons[57];
  std::unique_ptr<CItem> BookFirst, BookSecond, BookResult;
  std::unique_ptr<CItem> CursorResult;
  PickView Slots[2];
};

class CGameInputMainMenu : public CGameInput {
public:
  static constexpr int GridColumns = 11;
  static constexpr int GridCells = 44;
  static constexpr int FootCell = 21;
  // GetSelectedItemIndex: the FOOT cell, and no cell at all.
  static constexpr int FootIndex = -1;
  static constexpr int NoCellIndex = -2;
  static constexpr int TopEntryCount = 5;
  enum TopEntry : std::int32_t { TopItem, TopCraft, TopStair, TopOption, TopReturnToTitle };
  // Phases of the two questions the menu waits on, and of the fade out.
  static constexpr int PhaseQuitQuestion = 7;
  static constexpr int PhaseEquipQuestion = 8;
  static constexpr int WaitFrames = 6;

  CGameInputMainMenu();
  ~CGameInputMainMenu() override = default;

  void OnCovered() override;
  void OnChildClosed() override;
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override;
  void Update() override;
  void UpdateWidgets() override;

  virtual void DrawCraftPage(int pass);
  virtual void DrawItemPanel(int pass);
  virtual void DrawStatusPanel();
  virtual void AskReturnToTitle();
  virtual void OnReturnToTitleAnswer();

  // ---- Opening, pages and cursors
  // Run by the play screen right after it pushed the menu.
  void Open();
  void ResetPage();
  void DeselectItemCells();
  // Touch-layout action buttons: nothing visible changes on this layout.
  void ResetActionButtons();
  void ResetUseButton();
  MenuPage GetActivePage() const;
  void SelectPage(MenuPage page);
  // The selected craft kind, or -1 while none is.
  int GetCraftKind() const;

  // ---- The item grid: 11 columns by 4 rows over the worn places (row 0),
  // the bag (rows 1-3, columns 0-9) and FOOT (cell 21).
  CWidget* GetItemCellWidget(int cell);
  static bool IsItemCell(int cell);
  // The inventory place of a cell: 0-36, FootIndex, or NoCellIndex.
  static int GetCellInventoryIndex(int cell);
  // 0-6 worn, 7-36 bag, FootIndex, NoCellIndex.
  int GetSelectedItemIndex() const;
  // The last filled column of item page `row` (7 places a page; 6 is the
  // floor row); -1 when the page starts empty.
  int GetItemRowLastColumn(int row) const;

  // ---- Refreshing what the pages show
  void RefreshPanels();
  void RefreshActionButtons();
  void RefreshStatusTexts();
  int GetLastActionIndex() const;
  void SetCraftListThumb(int y);
  void SetRecipeBookThumb(int y);

  // ---- Actions
  void DoUseOrEquip();
  // The dispatch when the closing wait ends. Drop, pick, throw, craft and
  // the stairs run through the Do operations below.
  virtual void RunPendingAction();
  virtual void DoDrop();
  virtual void DoPick();
  virtual void DoThrow();
  virtual void DoCraft();
  virtual void DoStairs();
  // The craft page's keys: the chooser of the three craft kinds, then the
  // steps of the chosen kind.
  virtual void UpdateCraftPage();
  void UpdateCraftSteps();

  // ---- Craft picks. A pick index is a grid cell, except ENCHANT's second
  // pick, which is a place in the list of the 25 fusable stones.
  PickedItem GetPickItem(int index, bool second) const;
  PickedItem GetEnchantBaseItem(int index) const { return GetPickItem(index, false); }
  // The first held stack of stone k of the stone list; null when none is held.
  static CItem* GetHeldMagicStone(int k);
  static int StoneListIndexOf(const CItem* item);
  // ENCHANT with its base picked: the grid shows the stone list.
  bool ChoosingStone() const;
  // The item a pick shows; a stone not held is the menu's placeholder.
  PickView ViewPick(int index, bool second);
  CWidget* GetPickCellWidget(int index);
  int CountEnchantBases() const;
  int CountCraftListEntries() const;
  void LayoutPickCells(int mode);
  int GetCraftListScroll() const { return CraftListScroll; }
  static int GetCraftListMaxScroll() { return 0; }
  int GetRecipeBookPage() const { return RecipeBookPage; }
  int GetRecipeBookScroll() const { return RecipeBookScroll; }
  int GetRecipeBookMaxScroll() const;
  void StepRecipeBookThumb(int n);

  // Records of a book page; -1 outside the page.
  static int CountRecipesOnPage(int page);
  static int GetPageRecipeResultId(int page, int i);
  static int GetPageRecipeFirstId(int page, int i);
  static int GetPageRecipeSecondId(int page, int i);
  static int GetPageRecipeFirstCount(int page, int i);
  static int GetPageRecipeSecondCount(int page, int i);
  // The held stacks of ChosenRecipe's ingredients that hold what one craft takes.
  CItem* GetFirstIngredientCandidate(int n) const;
  CItem* GetSecondIngredientCandidate(int n) const;
  int CountFirstIngredientCandidates() const;
  int CountSecondIngredientCandidates() const;
  bool ChooseRecipe(int page, int entry);
  bool PickCell(int cell);
  bool CanPickItem(int which, const CItem* item) const;
  bool IsEnchantReady() const;
  int GetEnchantProblem() const;
  // How many crafts the two picks allow, by what each craft takes.
  int GetCraftLimit() const;
  bool IncreaseCraftCount();
  static bool CheckTutorialCraft(std::uint32_t lesson, int resultId);
  // The input the play screen would act on is used up.
  static void FlushInput();
  // Leaves the chain: the play screen takes input again.
  void Detach();

  // ---- State
  std::int32_t IsOpen = 0;
  std::int32_t TransitionStep = 0;
  std::int32_t PendingAction = MenuActionNone;
  std::int32_t TopCursor = 0;
  std::int32_t ItemCursor = 0;
  std::int32_t ActionCursor = -1;
  std::int32_t CraftKindCursor = 0;
  std::int32_t CraftListCursor = 0;
  std::int32_t RecipeBookPage = 0;
  std::int32_t RecipeBookCursor = 0;
  std::int32_t ChosenRecipe = -1;
  std::int32_t FirstPick = -1;
  std::int32_t SecondPick = -1;
  std::int32_t CraftCount = 1;
  // The tutorial's lesson: 0 outside the tutorial; the tutorial floor writes
  // 1-4 each frame of a lesson, and the menu allows only that lesson's pages.
  std::uint32_t TutorialStep = 0;
  std::int32_t ItemPage = 0;
  std::int32_t CraftListScroll = 0;
  std::int32_t RecipeBookScroll = 0;
  std::int32_t MaterialListThumb = 0, BaseListThumb = 0, StoneListThumb = 0;
  std::int32_t ItemBookThumb = 0, EquipmentBookThumb = 0;
  CraftPreviewCache Previews;
  // The child seen last frame: its going refreshes the pages once.
  CGameInput* RememberedChild = nullptr;

  // ---- Widgets. Touch-layout pieces first; this layout leaves them as built.
  CWidget PagingKeys[3];
  CWidget GridKeys[30];
  CWidget TouchButtons[7];
  CWidget TouchAreas[10];
  CWidget PadKeys[8];
  CWidget DescriptionBox, WideDescriptionBox, MessageStrip;

  CWidget MenuShade, PhoneBackdrop, CoverShade;
  CWidget PageTabs[4];
  CWidget TabMarker;
  CWidget RootPanel, ItemPagePanel, CraftPagePanel, MaterialPagePanel, RecipePagePanel, CommandPagePanel;

  // Item page.
  CWidget BagCells[30];
  CWidget EquipCells[7];
  CWidget FootCellWidget;
  CWidget BlankWidgets[7];
  CWidget SlotCursor;
  CWidget BottomBand;
  CWidgetWindow ItemListWindow, ListTitleWindow;
  CWidget ListArrows[2];
  CWidgetWindow ActionWindow;
  // In cursor order: USE / EQUIP / UNEQUIP, THROW / SHOOT, DROP / PICK.
  CWidgetWindow ActionButtons[3];
  CWidget ActionMarker;
  CWidgetWindow ItemNameWindow, ItemStatusWindow;
  // The detail panel, drawn under the page: its window frames the name
  // line; InfoBoxes 0 holds the chosen item's status text, 1 its name.
  CWidgetWindow ItemDetailWindow;
  CWidget InfoBoxes[2];

  // Craft page.
  CWidget CraftTabs[3], CraftTabEdges[3], CraftTabCursors[3];
  CWidgetWindow CraftChooser;
  CWidget CraftChooserRows[3];
  CWidget CraftChooserCursor;
  RecipePageWidgets Recipe;
  MaterialPageWidgets Material;

  // Top page and the status side.
  CWidget CommandShade;
  // The two windows only other layouts show.
  CWidgetWindow SpareWindows[2];
  CWidgetWindow StatusWindow;
  CWidget StatusSecondColumn;
  CWidgetWindow TopMenuWindow;
  CWidget TopMenuRows[TopEntryCount];
  CWidget TopMenuCursor;
  // Floor name, play time and turns.
  CWidgetWindow InfoPanel;

private:
  void BuildTouchWidgets();
  void BuildItemPage();
  void BuildCraftPage();
  void BuildRecipePage();
  void BuildMaterialPage();
  void BuildEnchantNote();
  void BuildCommandPage();
  void LayoutGrid();

  void RequestClose(MenuAction action);
  void ChooseCraftKind();
  void StepBack();
  bool UpdateCraftCountKeys();
  bool UpdatePickGrid();
  bool UpdateRecipeBook();
  void RefreshCraftPage();
  void RefreshBookThumb();
  void RefreshPickSlots();
  void RefreshPickGrid();
  void RefreshRecipeBook();
  void RefreshMaterialConfirmation();
  void RefreshRecipeConfirmation();
  void RefreshCraftPreviews();
  void DrawCraftDetails();
  void UpdateTopPage();
  void UpdateItemPage();
  void UpdateActionBox();
  void RefreshItemPage();
  void RefreshCraftChooser();
  void DrawItemIcons();
  // The confirmation before equipping or unequipping the chosen item.
  void AskEquip(const CItem& item, int index);
};

CGameInputMainMenu* GetGameInputMainMenu();
