// What the in-dungeon menu draws, read back from a real renderer at one
// device pixel per layout unit: the item page's detail panel, the craft
// pages' backdrop, the notice of a craft short of material and the
// enchantment note. Every texel of the font atlas and of the interface
// sheet names its own place, so a caption is read back letter by letter.
#include <gtest/gtest.h>

#include <string>

#include "characters/CharacterRenderSupport.h"
#include "platform/CDrawString.h"
#include "screens/MainMenuTestSupport.h"

namespace {

using namespace menutest;
using rendertest::Channel;

constexpr ItemId IronOre = 0x802, Elixir = 0x90F, StoneSword = 0x000, HealingStone = 0xA00;
// Font texels carry this bit besides their place; nothing else has it.
constexpr std::uint32_t FontMark = 0x800000u;
constexpr std::uint32_t Floor = rendertest::Green;
constexpr std::uint32_t Backdrop = 0xFF24202Eu;  // (36, 32, 46)
constexpr std::uint32_t BackdropBlue = 0xFF0000FFu, EdgeRed = 0xFFFF0000u;

// The font atlas marked, every other texel see-through so that what lies
// under a text shows between its texels; the interface sheet naming its
// texels, the windows' backdrops plain blue and their edges red, picture 10
// white.
bool MenuPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId == 198 || (resourceId >= 1000 && resourceId <= 1003)) {
    argb.resize(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const std::uint32_t place = static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
        std::uint32_t& p = argb[static_cast<std::size_t>(y) * size + x];
        if (resourceId != 198)
          p = resourceId == 1000 ? BackdropBlue : EdgeRed;
        else
          p = (x + y) % 2 != 0 ? rendertest::Clear : 0xFF000000u | FontMark | place;
      }
    return true;
  }
  return chartest::NamedTexelSheet(resourceId, size, argb);
}

class MainMenuDraw : public MenuFixture {
protected:
  void SetUp() override {
    MenuFixture::SetUp();
    ASSERT_TRUE(SysInitVideo());
    ASSERT_TRUE(SysCreateMainWindow(1280, 720));
    BackBufferScale = 4;
    FullscreenActive = 0;
    DrawSuspended = 0;
    ASSERT_TRUE(InitDirect3D());
    SetPictureLoader(&MenuPictures);
    game_->InitGraphics();
  }
  void TearDown() override {
    ReleaseDirect3D();
    SetPictureLoader(nullptr);
    ResetDrawState();
    BackBufferScale = 1;
    MenuFixture::TearDown();
  }

  // The whole menu over a floor of plain green.
  void DrawMenu() {
    ClearTarget(Floor);
    menu->DrawLayer(0);
    Grab();
  }
  void Grab() { ASSERT_TRUE(ReadBackBuffer(pixels_, width_, height_)); }
  std::uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x] | 0xFF000000u;
  }

  int CountPixels(const CWidget& w, std::uint32_t colour) const {
    int n = 0;
    for (int y = w.GetY(); y < w.GetY() + w.Height; ++y)
      for (int x = w.GetX(); x < w.GetX() + w.Width; ++x) n += At(x, y) == colour;
    return n;
  }
  // The letters and digits of the first text line in a widget's caption
  // box, each at its first appearance from left to right.
  std::string ReadCaption(const CWidget& w, int fontIndex = 2) const {
    CDrawString& font = game_->Fonts[fontIndex];
    const int x0 = w.GetX() + w.CaptionX, y0 = w.GetY() + w.CaptionY;
    std::string seen;
    for (int x = x0; x < x0 + w.CaptionWidth; ++x)
      for (int y = y0; y < y0 + w.CaptionHeight; ++y) {
        const std::uint32_t p = At(x, y);
        if (!(p & FontMark)) continue;
        const int tx = static_cast<int>(p >> 12 & 0x3FF), ty = static_cast<int>(p & 0xFFF);
        for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
          int gx = 0, picture = 0, gy = 0, advance = 0, gw = 0;
          const char glyph[2] = {c, '\0'};
          font.DecodeGlyph(glyph, gx, picture, gy, advance, gw);
          if (tx >= gx && tx < gx + gw && ty >= gy && ty < gy + font.CellHeight) {
            if (seen.find(c) == std::string::npos) seen += c;
            break;
          }
        }
      }
    return seen;
  }
  // What ReadCaption should find for a line of text.
  static std::string Letters(const std::string& line) {
    std::string letters;
    for (char c : line.substr(0, line.find('\n')))
      if (((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) && letters.find(c) == std::string::npos) letters += c;
    return letters;
  }

  std::vector<std::uint32_t> pixels_;
  int width_ = 0, height_ = 0;
};

// The detail panel, drawn first of the item page, shows the chosen item's
// name in its window over the page's name line, and its status text.
TEST_F(MainMenuDraw, TheItemPagesDetailPanelShowsTheChosenItem) {
  CItem* potion = Give(Healing, 2);
  OpenMenu();
  ToItemCell(11);  // the first bag place
  char name[ItemTextSize], status[ItemTextSize];
  ASSERT_STREQ(menu->InfoBoxes[1].GetText(), potion->GetNameWithCount(name, sizeof name));
  ASSERT_STREQ(menu->InfoBoxes[0].GetText(), potion->GetStatusText(status, sizeof status));

  ClearTarget(rendertest::Black);
  menu->DrawItemPanel(0);
  Grab();
  EXPECT_EQ(ReadCaption(menu->InfoBoxes[1]), Letters(name));
  EXPECT_EQ(ReadCaption(menu->InfoBoxes[0]), Letters(status));

  // The whole page: the name stands in the detail window's frame, where
  // the floor showed before, right of the name.
  DrawMenu();
  const CWidget& window = menu->ItemDetailWindow;
  const std::uint32_t inFrame = At(window.GetX() + window.Width - 40, window.GetY() + window.Height / 2);
  EXPECT_LT(Channel(inFrame, 8), 64);  // the green of the floor all but gone
  EXPECT_GT(Channel(inFrame, 0), 128);
  EXPECT_EQ(ReadCaption(menu->ItemNameWindow), Letters(name));

  // An empty place shows nothing in the panel.
  ToItemCell(12);
  ClearTarget(rendertest::Black);
  menu->DrawItemPanel(0);
  Grab();
  EXPECT_EQ(ReadCaption(menu->InfoBoxes[1]), "");
  EXPECT_EQ(ReadCaption(menu->InfoBoxes[0]), "");
}

// MATERIAL CRAFT, the recipe book and ENCHANT stand on their own backdrop;
// the floor shows only behind the chooser of the three.
TEST_F(MainMenuDraw, EachCraftPageCoversTheFloorWithItsBackdrop) {
  for (CraftKind kind : {CraftKindMaterial, CraftKindRecipe, CraftKindEnchant}) {
    SCOPED_TRACE(kind);
    OpenKind(kind);
    DrawMenu();
    // Left of every window and cell, and at the screen's far corner.
    EXPECT_EQ(At(10, 300), Backdrop);
    EXPECT_EQ(At(1279, 719), Backdrop);
    menu->Detach();
  }
  OpenMenu();
  menu->TopCursor = CGameInputMainMenu::TopCraft;
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetCraftKind(), -1);
  DrawMenu();
  EXPECT_GT(Channel(At(10, 300), 8), 64);  // the floor under the menu's dim shade
}

// One Iron Ore where a craft takes two: the whole notice with no count box
// over it, CRAFT shut, and the result the two would make.
TEST_F(MainMenuDraw, AShortMaterialShowsTheWholeNoticeAndTheResult) {
  OpenStage(3);
  CItem* ore = Give(IronOre, 1);
  CItem* elixir = Give(Elixir, 1);
  OpenKind(CraftKindMaterial);
  PickAt(CellOf(ore));
  PickAt(CellOf(elixir));
  ASSERT_EQ(menu->SecondPick, CellOf(elixir));
  MaterialPageWidgets& m = menu->Material;
  EXPECT_FALSE(m.NumberBox.IsVisible());
  EXPECT_FALSE(m.CountCraft.IsVisible());
  EXPECT_FALSE(m.PreviewCraft.IsEnabled());
  EXPECT_STREQ(m.ResultWindow.GetText(), "GOLD ORE x2");
  EXPECT_EQ(m.ChosenNames[0].GetRed(), 128);  // the ore is short
  EXPECT_EQ(m.ChosenNames[1].GetRed(), 255);

  DrawMenu();
  EXPECT_EQ(ReadCaption(m.MessageLine), Letters("NOT ENOUGH MATERIAL"));
  EXPECT_EQ(CountPixels(m.NumberBox, EdgeRed), 0);
  // The result's line as the first pass draws it, before the shade.
  ClearTarget(rendertest::Black);
  menu->DrawCraftPage(0);
  Grab();
  EXPECT_EQ(ReadCaption(m.ResultWindow), Letters("GOLD ORE x2"));

  // Held for, the count box comes back in the notice's place.
  ore->SetCount(2);
  menu->RefreshPanels();
  EXPECT_TRUE(m.NumberBox.IsVisible());
  EXPECT_FALSE(m.MessageLine.IsVisible());
  DrawMenu();
  EXPECT_GT(CountPixels(m.NumberBox, EdgeRed), 0);
}

// ENCHANT shows its note right of the grid: frame, title, count and the
// CANCEL / CRAFT pair; once both are picked it asks as the confirmation does.
TEST_F(MainMenuDraw, EnchantShowsItsNoteBesideTheGrid) {
  Give(StoneSword, 1, true);
  Give(HealingStone, 1);
  OpenKind(CraftKindEnchant);
  PickAt(0);
  MaterialPageWidgets& m = menu->Material;
  DrawMenu();
  const CWidget& note = m.Preview;
  // A corner of the note's frame, clear of its pieces: a texel of its cell.
  const rendertest::AtlasTexel corner =
      rendertest::DecodeAtlasTexel(At(note.GetX() + 6, note.GetY() + note.Height - 6));
  EXPECT_GE(corner.X, 340);
  EXPECT_LT(corner.X, 340 + 156);
  EXPECT_GE(corner.Y, 150);
  EXPECT_LT(corner.Y, 150 + 120);
  // The title at half size, in font 1, inside the note's title strip.
  EXPECT_EQ(ReadCaption(m.PreviewTitle, 1), Letters("ENCHANT"));
  EXPECT_GE(m.PreviewTitle.GetY() + m.PreviewTitle.CaptionY, note.GetY() + 1);
  EXPECT_LE(m.PreviewTitle.GetY() + m.PreviewTitle.CaptionY + m.PreviewTitle.CaptionHeight, note.GetY() + 20);
  EXPECT_EQ(ReadCaption(m.PreviewNumber), "1");
  EXPECT_EQ(ReadCaption(m.PreviewCancel), Letters("CANCEL"));
  // CRAFT waits, grey, for both picks; grey texels name no place.
  EXPECT_EQ(m.PreviewCraft.GetRed(), 128);
  EXPECT_EQ(ReadCaption(m.PreviewCraft), "");
  EXPECT_STREQ(note.GetText(), "");

  PickAt(0);  // the stone
  ASSERT_EQ(menu->SecondPick, 0);
  EXPECT_STREQ(note.GetText(), "ARE YOU SURE?");
  EXPECT_TRUE(m.PreviewCraft.IsEnabled());

  // Not on MATERIAL CRAFT.
  menu->Detach();
  OpenKind(CraftKindMaterial);
  DrawMenu();
  EXPECT_EQ(At(note.GetX() + 6, note.GetY() + note.Height - 6), Backdrop);
}

}  // namespace
