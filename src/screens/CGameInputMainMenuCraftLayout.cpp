// The build of the craft page: the craft-kind tabs and chooser, the recipe
// book with its count dialog, and the material page with its pick grid.
#include "app/CGameMain.h"
#include "screens/CGameInputMainMenu.h"
#include "platform/TextTable.h"
#include "screens/MainMenuLayoutKit.h"

using namespace menulayout;

namespace {

constexpr TextId CancelText = 1391, CraftText = 1392;

constexpr int TabWidths[3] = {212, 216, 212};
constexpr int TabX[3] = {0, 212, 428};
// The book's eleven categories, by page.
constexpr int CategoryIconX[11] = {300, 280, 220, 240, 260, 60, 80, 140, 160, 180, 120};

void ScrollBar(CWidget& track, CWidget& up, CWidget& down, CWidget& thumb, CWidget& end, int top, int trackHeight,
               int cellHeight, CWidget* parent) {
  Picture(track, 268, top + 32, 64, trackHeight, Cell(480, 280, 16, cellHeight), 2.0f, parent);
  Picture(up, 268, top, 64, 32, Cell(440, 390, 16, 16), 2.0f, parent);
  Picture(down, 268, top + 32 + trackHeight, 64, 32, Cell(440, 410, 16, 16), 2.0f, parent);
  Picture(thumb, 270, top + 32, 64, 50, Cell(460, 280, 15, 25), 2.0f, parent);
  Picture(end, 0, 46, 64, 4, Cell(460, 448, 15, 2), 2.0f, &thumb);
}

// The recipe book's preview panel of the phone layouts, with its title,
// number, arrows and the fixed CANCEL / CRAFT pair.
void PreviewPanel(CWidget& panel, CWidget& title, CWidget& number, CWidget* arrows, CWidget& cancel, CWidget& craft,
                  int y, CWidget* parent) {
  Picture(panel, 4, y, 312, 240, Cell(340, 150, 156, 120), 2.0f, parent);
  Caption(panel, 86, 16, 220, 120, 5, 2, true);
  Picture(title, 0, 0, 312, 240, NoCell, 2.0f, &panel);
  Caption(title, 0, 4, 312, 10, 9, 2, true);
  Picture(number, 138, 150, 36, 28, NoCell, 2.0f, &panel);
  Caption(number, 0, 0, 36, 28, 10, 2, true);
  Picture(arrows[0], 106, 148, 32, 32, NoCell, 2.0f, &panel);
  Picture(arrows[1], 174, 148, 32, 32, NoCell, 2.0f, &panel);
  Picture(cancel, 70, 192, 66, 40, Cell(375, 246, 33, 20), 2.0f, &panel);
  Picture(craft, 176, 192, 66, 40, Cell(428, 246, 33, 20), 2.0f, &panel);
  Caption(cancel, 0, 0, 66, 40, 10, 2);
  Caption(craft, 0, 0, 66, 40, 10, 2);
  cancel.SetText(GetCurrentLanguageText(CancelText));
  craft.SetText(GetCurrentLanguageText(CraftText));
}

void BlinkingArrows(CWidget* arrows, CWidget* parent) {
  Animated(arrows[0], 10, -40, 40, 40, Cell(45, 85, 10, 10), Cell(45, 86, 10, 10), 8, 4.0f, parent);
  Animated(arrows[1], 10, 32, 40, 40, Cell(65, 85, 10, 10), Cell(65, 84, 10, 10), 8, 4.0f, parent);
}

}  // namespace

void CGameInputMainMenu::BuildCraftPage() {
  CWidget* page = &CraftPagePanel;
  for (int i = 0; i < 3; ++i) {
    Picture(CraftTabs[i], TabX[i], 560, TabWidths[i], 80, Cell(220, 490, TabWidths[i] / 4, 20),
            Cell(300, 490, TabWidths[i] / 4, 20), 4.0f, page);
    CraftTabs[i].SetVisible(false);
    CraftTabs[i].SetSelected(i == CraftKindMaterial);
    Caption(CraftTabs[i], 0, 0, TabWidths[i], 80, 10, 0, true);
    Picture(CraftTabEdges[i], TabWidths[i] - 8, 0, 0, 0, Cell(298, 490, 2, 20), Cell(378, 490, 2, 20), 4.0f,
            &CraftTabs[i]);
    Animated(CraftTabCursors[i], -20, 0, 80, 80, Cell(240, 80, 20, 20), Cell(241, 80, 19, 20), 16, 4.0f,
             &CraftTabs[i]);
  }
  Window(CraftChooser, 160, 60, 400, 108, 4.0f, 255, page);
  Caption(CraftChooser, 10, 6, 380, 96, 5, 2);
  for (int i = 0; i < 3; ++i) {
    Picture(CraftChooserRows[i], 10, 6 + 32 * i, 400, 32, NoCell, 4.0f, &CraftChooser);
    Caption(CraftChooserRows[i], 0, 0, 400, 32, 5, 2);
  }
  Animated(CraftChooserCursor, -40, 6, 64, 80, Cell(122, 80, 16, 20), Cell(123, 80, 16, 20), 8, 4.0f, &CraftChooser);
}

void CGameInputMainMenu::BuildRecipePage() {
  RecipePageWidgets& r = Recipe;
  CWidget* page = &RecipePagePanel;
  for (int i = 0; i < 2; ++i) {
    Picture(r.ListTabs[i], 160 * i, 360, 160, 40, Cell(220, 490, 80, 20), Cell(300, 490, 80, 20), 2.0f, page);
    r.ListTabs[i].SetSelected(i == 0);
    r.ListTabs[i].SetVisible(false);
    Caption(r.ListTabs[i], 0, 0, 160, 40, 10, 2, true);
  }
  Fill(r.PageShade, 0, 0, 0, 0, 1280, 720, 0, 0, 0, 128, 1.0f, page);
  Picture(r.ListArea, 20, 10, 250, 344, NoCell, 2.0f, page);
  ScrollBar(r.ScrollTrack, r.ScrollUp, r.ScrollDown, r.ScrollThumb, r.ScrollThumbEnd, 10, 280, 140, page);
  for (CWidget* w : {&r.ScrollTrack, &r.ScrollUp, &r.ScrollDown, &r.ScrollThumb, &r.ScrollThumbEnd})
    w->SetVisible(false);
  // The material page's fixed CANCEL button is built here, on its own page.
  Picture(Material.CancelButton, 106, 400, 108, 40, Cell(220, 490, 54, 20), Cell(300, 490, 54, 20), 2.0f,
          &MaterialPagePanel);
  Caption(Material.CancelButton, 0, 0, 108, 40, 10, 2);
  Material.CancelButton.SetText(GetCurrentLanguageText(CancelText));
  Picture(Material.CancelButtonEnd, 104, 0, 4, 40, Cell(298, 490, 2, 20), 2.0f, &Material.CancelButton);

  Window(r.RecipeWindow, 20, 12, 600, 192, 4.0f, 255, page);
  Caption(r.RecipeWindow, 0, 0, 600, 192, 9, 0);
  Animated(r.RecipeArrows[0], 280, 0, 40, 40, Cell(45, 85, 10, 10), Cell(45, 86, 10, 10), 8, 4.0f, &r.RecipeWindow);
  Animated(r.RecipeArrows[1], 280, 152, 40, 40, Cell(65, 85, 10, 10), Cell(65, 84, 10, 10), 8, 4.0f,
           &r.RecipeWindow);
  Window(r.ResultWindow, 40, 20, 1200, 60, 4.0f, 255, page);
  Caption(r.ResultWindow, 80, 6, 1110, 48, 6, 2);
  Window(r.DescriptionWindow, 0, 80, 1200, 172, 4.0f, 255, &r.ResultWindow);
  Caption(r.DescriptionWindow, 10, 6, 1180, 160, 5, 2);
  r.DescriptionWindow.SetCaptionKeptInBox(true);
  for (int i = 0; i < 2; ++i) {
    Window(r.MaterialRows[i], 0, 200 + 80 * i, 1200, 60, 4.0f, 255, &r.DescriptionWindow);
    Caption(r.MaterialRows[i], 10, 0, 1180, 60, 6, 2);
    Picture(r.MaterialNames[i], 160, 0, 1040, 60, NoCell, 4.0f, &r.MaterialRows[i]);
    Caption(r.MaterialNames[i], 80, 0, 950, 60, 6, 2);
  }
  Window(r.CategoryBar, 40, 468, 1200, 48, 4.0f, 255, page);
  Caption(r.CategoryBar, 0, 0, 1200, 48, 10, 0);
  Animated(r.CategoryKeys[0], -20, 4, 40, 40, Cell(260, 130, 10, 10), Cell(261, 130, 10, 10), 8, 4.0f,
           &r.CategoryBar);
  Animated(r.CategoryKeys[1], 1180, 4, 40, 40, Cell(270, 130, 10, 10), Cell(269, 130, 10, 10), 8, 4.0f,
           &r.CategoryBar);
  Caption(r.CategoryKeys[0], 28, 0, 40, 40, 10, 9);
  Caption(r.CategoryKeys[1], -28, 0, 40, 40, 10, 9);
  r.CategoryKeys[0].SetText("L");
  r.CategoryKeys[1].SetText("R");
  for (int i = 0; i < 11; ++i)
    Picture(r.CategoryIcons[i], 240 + 64 * i, -16, 80, 80, Cell(CategoryIconX[i], 100, 20, 20), 4.0f, &r.CategoryBar);
  Window(r.PageBox, 530, 170, 80, 32, 4.0f, 255, &r.RecipeWindow);
  Caption(r.PageBox, 0, 0, 80, 32, 10, 0);
  Picture(r.ListCursor, 0, 0, 64, 64, Cell(80, 140, 16, 16), 4.0f, page);
  Fill(r.Backdrop, -100, -100, 1480, 920, 1480, 920, 36, 32, 46, 255, 1.0f, page);
  for (int i = 0; i < 57; ++i) {
    const int x = 32 + 64 * (i % 19), y = 528 + 64 * (i / 19);
    Picture(r.Cells[i], x, y, 64, 64, Cell(60, 140, 16, 16), 4.0f, page);
    Picture(r.Rows[i], x, y, 64, 64, NoCell, 4.0f, &r.RecipeWindow);
    r.Rows[i].SetVisible(false);
    Caption(r.Rows[i], 72, 0, 600, 64, 6, 0);
  }

  // The count dialog, under a shade of its own.
  Fill(r.DialogShade, 0, 0, 0, 0, 1280, 720, 0, 0, 0, 0, 1.0f, page);
  CWidget* shade = &r.DialogShade;
  Window(r.CountWindow, 460, 240, 360, 240, 4.0f, 255, shade);
  Caption(r.CountWindow, 0, 6, 360, 240, 9, 2);
  Window(r.CountTitle, 0, -42, 580, 32, 2.0f, 224, &r.CountWindow, 0);
  Caption(r.CountTitle, 0, 0, 580, 32, 10, 6);
  Window(r.IconBox, 10, 10, 40, 40, 2.0f, 192, &r.CountWindow, 0);
  Caption(r.IconBox, 0, 0, 40, 40, 10, 6);
  Picture(r.IconBoxIcon, 20, 20, 0, 0, NoCell, 2.0f, &r.IconBox);
  Window(r.CancelButton, 210, 190, 120, 32, 4.0f, 255, &r.CountWindow, 0);
  Caption(r.CancelButton, 0, 0, 120, 32, 10, 2);
  Window(r.CraftButton, 30, 190, 120, 32, 4.0f, 255, &r.CountWindow, 0);
  Caption(r.CraftButton, 0, 0, 120, 32, 10, 2);
  Window(r.NumberBox, 150, 104, 60, 32, 4.0f, 192, &r.CountWindow, 0);
  Caption(r.NumberBox, 0, 0, 60, 32, 10, 2);
  BlinkingArrows(r.NumberArrows, &r.NumberBox);
  Picture(r.MessageLine, 0, 85, 360, 70, NoCell, 4.0f, &r.CountWindow);
  Caption(r.MessageLine, 0, 0, 360, 70, 10, 2);
  for (int i = 0; i < 2; ++i) {
    Window(r.ChosenRows[i], 340, 40 + 42 * i, 600, 32, 2.0f, 192, shade);
    Caption(r.ChosenRows[i], 10, 0, 580, 32, 6, 6);
    Picture(r.ChosenIcons[i], 140, 0, 32, 32, NoCell, 2.0f, &r.ChosenRows[i]);
    Picture(r.ChosenNames[i], 140, 0, 32, 32, NoCell, 2.0f, &r.ChosenRows[i]);
    Caption(r.ChosenNames[i], 36, 0, 600, 32, 6, 6);
  }
  PreviewPanel(r.Preview, r.PreviewTitle, r.PreviewNumber, r.PreviewArrows, r.PreviewCancel, r.PreviewCraft, 114,
               shade);
  Picture(r.Header, 20, 10, 280, 22, Cell(340, 150, 140, 11), 2.0f, shade);
  Caption(r.Header, 0, 2, 280, 20, 10, 2);
  Picture(r.HeaderEnd, 260, 0, 280, 22, Cell(486, 150, 10, 11), 2.0f, &r.Header);
}

void CGameInputMainMenu::BuildMaterialPage() {
  MaterialPageWidgets& m = Material;
  CWidget* page = &MaterialPagePanel;
  Picture(m.ListArea, 20, 90, 250, 306, NoCell, 2.0f, page);
  ScrollBar(m.ScrollTrack, m.ScrollUp, m.ScrollDown, m.ScrollThumb, m.ScrollThumbEnd, 90, 242, 121, page);
  BuildEnchantNote();
  Window(m.CountWindow, 460, 240, 360, 240, 4.0f, 255, page);
  Caption(m.CountWindow, 12, 6, 336, 240, 9, 2);
  Window(m.CountCancel, 210, 190, 120, 32, 4.0f, 0, &m.CountWindow);
  Window(m.CountCraft, 30, 190, 120, 32, 4.0f, 192, &m.CountWindow);
  Caption(m.CountCancel, 0, 0, 120, 32, 10, 2);
  Caption(m.CountCraft, 0, 0, 120, 32, 10, 2);
  Window(m.NumberBox, 150, 104, 60, 32, 4.0f, 0, &m.CountWindow);
  Caption(m.NumberBox, 0, 0, 60, 32, 10, 0);
  BlinkingArrows(m.NumberArrows, &m.NumberBox);
  Picture(m.MessageLine, 0, 85, 360, 70, NoCell, 4.0f, &m.CountWindow);
  Caption(m.MessageLine, 0, 0, 360, 70, 10, 2);
  Fill(m.PageShade, 0, 0, 0, 0, 1280, 720, 0, 0, 0, 128, 1.0f, page);
  for (int i = 0; i < 2; ++i) {
    Window(m.ChosenRows[i], 40, 16 + 76 * i, 1200, 56, 4.0f, 255, page);
    Caption(m.ChosenRows[i], 10, 0, 1180, 56, 6, 2);
  }
  Window(m.ResultWindow, 40, 180, 1200, 56, 4.0f, 255, page);
  Caption(m.ResultWindow, 80, 0, 1110, 56, 6, 2);
  // Six lines: the blank one the question leaves, then a weapon of two stone
  // slots with both filled. Anything longer ends with its last whole line.
  // The window grows down only as far as the pick grid allows: the blank
  // first line stands in for the top margin.
  Window(m.ResultDescription, 0, 76, 1200, 196, 4.0f, 255, &m.ResultWindow);
  Caption(m.ResultDescription, 12, 2, 1176, 192, 5, 2);
  m.ResultDescription.SetCaptionKeptInBox(true);
  Window(m.ChoiceList, 340, 180, 600, 280, 2.0f, 192, page);
  Caption(m.ChoiceList, 0, 0, 600, 280, 9, 6);
  Window(m.ChoiceTitle, 340, 146, 600, 24, 2.0f, 192, page);
  Caption(m.ChoiceTitle, 0, 0, 600, 24, 10, 4);
  Picture(m.ChoiceArrows[0], 130, 0, 20, 20, Cell(5, 85, 10, 10), 2.0f, &m.ChoiceTitle);
  Picture(m.ChoiceArrows[1], 450, 0, 20, 20, Cell(25, 85, 10, 10), 2.0f, &m.ChoiceTitle);
  Window(m.PageNumberBox, 544, 266, 66, 24, 2.0f, 224, &m.ChoiceList);
  Caption(m.PageNumberBox, 0, 0, 66, 24, 10, 4);
  Window(m.DetailWindow, 350, 0, 250, 252, 2.0f, 160, &m.ChoiceList);
  Caption(m.DetailWindow, 10, 6, 230, 240, 5, 4);
  Picture(m.ListCursor, 0, 0, 64, 64, Cell(80, 140, 16, 16), 4.0f, page);
  Fill(m.Backdrop, -100, -100, 1480, 920, 1480, 920, 36, 32, 46, 255, 1.0f, page);
  for (int i = 0; i < 2; ++i) {
    Picture(m.ChosenIcons[i], 160, 0, 80, 56, NoCell, 4.0f);
    Picture(m.ChosenNames[i], 160, 0, 80, 56, NoCell, 4.0f);
    Caption(m.ChosenNames[i], 80, 0, 1120, 56, 6, 2);
  }
  LayoutGrid();
  for (int i = 0; i < 2; ++i) m.ChosenIcons[i].Parent = m.ChosenNames[i].Parent = &m.ChosenRows[i];
}

// The enchantment note: ENCHANT's question, count and CANCEL / CRAFT in
// small, in the corner right of the pick grid, clear of every other piece.
// Its texts keep the size of the page's others whatever the pieces' scale,
// but for the title, at half that to stand inside the note's title strip.
// Every text box ends inside the frame or face it is written on.
void CGameInputMainMenu::BuildEnchantNote() {
  MaterialPageWidgets& m = Material;
  constexpr int width = 273, height = 210;
  auto text = [](CWidget& w, int dx, int dy, int boxWidth, int boxHeight, double size = 4.0) {
    Caption(w, dx, dy, boxWidth, boxHeight, 10, 2, true);
    CWidget::SetCaptionFont(w, &GetGameMain()->Fonts[2], size / w.GetScaleX());
  };
  Picture(m.Preview, 1000, 478, width, height, Cell(340, 150, 156, 120), 1.75f, &MaterialPagePanel);
  // Room for the notice on two lines between the strip and the count.
  text(m.Preview, 6, 26, width - 12, 68);
  Picture(m.PreviewTitle, 0, 0, width, height, NoCell, 1.75f, &m.Preview);
  // The strip is the picture's rows 1-10: 1.75 to 19.25 at this scale. The
  // refresh picks the title's font by language.
  text(m.PreviewTitle, 0, 2, width, 17, 2.0);
  Picture(m.PreviewIcon, 42, 64, 0, 0, NoCell, 2.0f, &m.Preview);
  Picture(m.PreviewNumber, 118, 98, 36, 28, NoCell, 2.0f, &m.Preview);
  text(m.PreviewNumber, 0, -2, 36, 32);
  Picture(m.PreviewArrows[0], 92, 102, 20, 20, Cell(5, 85, 10, 10), 2.0f, &m.Preview);
  Picture(m.PreviewArrows[1], 160, 102, 20, 20, Cell(25, 85, 10, 10), 2.0f, &m.Preview);
  Picture(m.PreviewCancel, 22, 138, 109, 66, Cell(375, 246, 33, 20), 3.3f, &m.Preview);
  Picture(m.PreviewCraft, 142, 138, 109, 66, Cell(428, 246, 33, 20), 3.3f, &m.Preview);
  // The buttons' faces, inside their two-texel rims; a word wider than a
  // face is narrowed into it.
  for (CWidget* button : {&m.PreviewCancel, &m.PreviewCraft}) {
    text(*button, 7, 7, 95, 52);
    button->SetCaptionNarrowedToFit(true);
  }
}

// The pick grid lies exactly over the item page's worn row, bag rows and FOOT.
void CGameInputMainMenu::LayoutGrid() { LayoutPickCells(0); }
