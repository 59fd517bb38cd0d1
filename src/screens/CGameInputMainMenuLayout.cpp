// The menu's build: every widget's place, pictures, caption box, font and
// first flags, and the parent links that group them into pages. Positions
// are relative to the parent; every page panel stands at (0, 0).
#include "app/CGameMain.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/MainMenuLayoutKit.h"

using namespace menulayout;

void CGameInputMainMenu::BuildLayout() {
  BuildTouchWidgets();

  Fill(MenuShade, -100, -100, 1480, 920, 1480, 920, 0, 0, 0, 128, 1.0f);
  Fill(PhoneBackdrop, -100, -100, 1480, 920, 0, 0, 32, 32, 32, 255, 1.0f);
  for (int i = 0; i < 4; ++i) {
    Picture(PageTabs[i], 160 * i, 640, 160, 80, Cell(180 + 40 * i, 280, 40, 20), Cell(180 + 40 * i, 300, 40, 20),
            4.0f, &RootPanel);
    PageTabs[i].SetSelected(i == MenuPageTop);
    PageTabs[i].SetVisible(false);
  }
  Animated(TabMarker, 0, 0, 80, 80, Cell(240, 80, 20, 20), Cell(241, 80, 19, 20), 16, 4.0f, &PageTabs[1]);
  for (CWidget* panel : {&RootPanel, &ItemPagePanel, &CraftPagePanel, &MaterialPagePanel, &RecipePagePanel,
                         &CommandPagePanel})
    Picture(*panel, 0, 0, 480, 320, NoCell, 2.0f);
  ItemPagePanel.Parent = CraftPagePanel.Parent = CommandPagePanel.Parent = &RootPanel;
  RecipePagePanel.Parent = MaterialPagePanel.Parent = &CraftPagePanel;

  BuildItemPage();
  BuildCraftPage();
  BuildRecipePage();
  BuildMaterialPage();
  BuildCommandPage();
  IsOpen = TransitionStep = PendingAction = TopCursor = ItemCursor = 0;
}

// Placed for the phone layouts' 320-unit screen; this layout never moves them.
void CGameInputMainMenu::BuildTouchWidgets() {
  for (int i = 0; i < 3; ++i)
    Picture(PagingKeys[i], 270 - 50 * i, 440, 50, 35, Cell(340 - 30 * i, 100, 24, 19), Cell(340 - 30 * i, 120, 24, 19),
            2.0f);
  // Column by column; the last ten keys keep their defaults.
  for (int i = 0; i < 20; ++i)
    Picture(GridKeys[i], 2 + 32 * (i / 4), 348 + 32 * (i % 4), 32, 32, Cell(160, 100, 17, 17), Cell(180, 100, 17, 17),
            2.0f);
  static constexpr int TouchButtonPlaces[7][2] = {{170, 348}, {170, 394}, {246, 348}, {246, 348},
                                                  {246, 348}, {246, 394}, {246, 394}};
  for (int i = 0; i < 7; ++i) {
    CWidget::SetLayout(TouchButtons[i], TouchButtonPlaces[i][0], TouchButtonPlaces[i][1], 72, 44,
                       Cell(160, 120, 36, 22), Cell(200, 120, 36, 22), Cell(240, 120, 36, 22), 2.0f);
    TouchButtons[i].SetCaptionBox(0, 0, 72, 44, 10);
  }
  static constexpr int TouchAreaBoxes[10][4] = {
      {0, 320, 320, 160}, {170, 320, 150, 160}, {0, 0, 100, 100},   {100, 0, 120, 100}, {220, 0, 100, 100},
      {0, 100, 100, 120}, {220, 100, 100, 120}, {0, 220, 100, 100}, {100, 220, 120, 100}, {220, 220, 100, 100}};
  for (int i = 0; i < 10; ++i) {
    const int* b = TouchAreaBoxes[i];
    Picture(TouchAreas[i], b[0], b[1], b[2], b[3], NoCell, 1.0f);
  }
  static constexpr int PadPlaces[8][2] = {{100, 100}, {140, 100}, {180, 100}, {100, 140},
                                          {180, 140}, {100, 180}, {140, 180}, {180, 180}};
  for (int i = 0; i < 8; ++i)
    Picture(PadKeys[i], PadPlaces[i][0], PadPlaces[i][1], 40, 40, NoCell, Cell(160 + 20 * i, 80, 20, 20), 2.0f);
  Picture(DescriptionBox, 166, 348, 152, 92, Cell(180, 160, 76, 46), 2.0f);
  DescriptionBox.SetCaptionBox(11, 8, 141, 89, 5);
  DescriptionBox.SetGlyphSheet(GlyphSheetSource{0, 160, Atlas, 11, 12, 1});
  Picture(WideDescriptionBox, 2, 348, 316, 92, Cell(180, 210, 158, 46), 2.0f);
  WideDescriptionBox.SetCaptionBox(12, 8, 292, 89, 5);
  Picture(MessageStrip, 2, 320, 316, 30, NoCell, 1.0f);
  MessageStrip.SetCaptionBox(0, 0, 316, 28, 10);
}

void CGameInputMainMenu::BuildItemPage() {
  CWidget* page = &ItemPagePanel;
  Window(ItemStatusWindow, 128, 186, 1024, 172, 4.0f, 224, page);
  // Each text box ends inside its window's frame; a description longer than
  // the window ends with its last whole line.
  Caption(ItemStatusWindow, 20, 6, 984, 160, 5, 2);
  ItemStatusWindow.SetCaptionKeptInBox(true);
  Window(ItemNameWindow, 128, 122, 1024, 44, 4.0f, 224, page);
  Caption(ItemNameWindow, 20, 6, 984, 32, 5, 2);
  // The detail panel's texts lie exactly under the page's own.
  Window(ItemDetailWindow, 128, 122, 1024, 44, 4.0f, 224, page);
  Picture(InfoBoxes[1], 0, 0, 1024, 44, NoCell, 4.0f, &ItemDetailWindow);
  Caption(InfoBoxes[1], 20, 6, 984, 32, 5, 2, true);
  Picture(InfoBoxes[0], 128, 186, 1024, 172, NoCell, 4.0f, page);
  Caption(InfoBoxes[0], 20, 6, 984, 160, 5, 2, true);
  InfoBoxes[0].SetCaptionKeptInBox(true);
  // From y 464 to the screen's bottom across its width, one 4-texel row per scale step.
  const int width = GetGameMain()->GetScreenWidth(), height = GetGameMain()->GetScreenHeight() - 464;
  const int bandScale = height / 4;
  Fill(BottomBand, 0, 464, width, height, width / bandScale, 4, 36, 32, 46, 255, static_cast<float>(bandScale), page);
  Window(ItemListWindow, 340, 230, 480, 224, 2.0f, 192, page);
  Caption(ItemListWindow, 10, 6, 460, 212, 5, 6);
  Window(ListTitleWindow, 340, 196, 480, 24, 2.0f, 192, page);
  Caption(ListTitleWindow, 0, 0, 480, 24, 10, 4);
  Picture(ListArrows[0], 150, 2, 20, 20, Cell(5, 85, 10, 10), 2.0f, &ListTitleWindow);
  Picture(ListArrows[1], 320, 2, 20, 20, Cell(25, 85, 10, 10), 2.0f, &ListTitleWindow);
  Window(ActionWindow, 540, 306, 200, 108, 4.0f, 255, page);
  Caption(ActionWindow, 10, 6, 180, 96, 5, 2);
  Animated(ActionMarker, -40, 6, 64, 64, Cell(122, 83, 16, 16), Cell(123, 83, 16, 16), 8, 4.0f, &ActionWindow);

  for (int i = 0; i < 30; ++i)
    Picture(BagCells[i], 288 + 64 * (i % 10), 528 + 64 * (i / 10), 64, 64, Cell(60, 140, 16, 16), 4.0f, page);
  for (int i = 0; i < 7; ++i) {
    Picture(BlankWidgets[i], 0, 0, 0, 0, NoCell, 2.0f);
    Picture(EquipCells[i], 288 + 64 * i, 464, 64, 64, Cell(100 + 20 * i, 140, 16, 16), 4.0f, page);
  }
  Picture(FootCellWidget, 928, 528, 64, 64, Cell(240, 140, 16, 16), 4.0f, page);
  Animated(SlotCursor, 0, 0, 64, 64, Cell(80, 140, 16, 16), Cell(80, 140, 16, 16), 8, 4.0f, page);

  // The buttons keep the frame, draw offset and size animation of their
  // first, larger placement; the update stacks them in the action window.
  for (CWidgetWindow& button : ActionButtons) {
    Window(button, 20, 6, 160, 60, 4.0f, 224, &ActionWindow);
    button.Width = 80;
    button.Height = 32;
    button.SetDrawOffset(80, 30);
    button.AnimateSize(160, 160, 60, 60, 0, SizeAnimHeightOnly);
    // As wide as the action window leaves them, for the longer words.
    Caption(button, 0, 0, 160, 32, 6, 2);
  }
}

void CGameInputMainMenu::BuildCommandPage() {
  CWidget* page = &CommandPagePanel;
  Fill(CommandShade, -100, -100, 0, 0, 0, 0, 0, 0, 0, 192, 1.0f, page);
  CommandShade.SetVisible(false);
  for (int i = 0; i < 2; ++i) {
    Window(SpareWindows[i], 400, 720 + 120 * i, 480, 60, 4.0f, 255, page);
    Caption(SpareWindows[i], 0, 0, 480, 60, 10, 2, true);
  }
  Fill(CoverShade, -500, -500, 2000, 2000, 2000, 2000, 0, 0, 0, 160, 1.0f);
  Window(StatusWindow, 160, 496, 960, 204, 4.0f, 224, page);
  Caption(StatusWindow, 10, 6, 940, 192, 5, 2);
  Picture(StatusSecondColumn, 480, 0, 0, 0, NoCell, 4.0f, &StatusWindow);
  // The right half of the status window's text box.
  Caption(StatusSecondColumn, 0, 6, 460, 192, 5, 2, true);
  Window(TopMenuWindow, 160, 60, 320, 172, 4.0f, 224, page);
  Caption(TopMenuWindow, 10, 6, 320, 160, 5, 2);
  for (int i = 0; i < TopEntryCount; ++i) {
    Picture(TopMenuRows[i], 10, 6 + 32 * i, 320, 32, NoCell, 4.0f, &TopMenuWindow);
    Caption(TopMenuRows[i], 0, 0, 320, 32, 5, 2);
  }
  Animated(TopMenuCursor, -40, 6, 32, 32, Cell(122, 83, 16, 16), Cell(123, 83, 16, 16), 8, 4.0f, &TopMenuWindow);
  Window(InfoPanel, 640, 60, 480, 108, 4.0f, 224, page);
  Caption(InfoPanel, 10, 6, 460, 96, 5, 2);
}
