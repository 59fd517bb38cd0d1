// The dungeon selection: the open dungeons by the clear flags (the list and
// the cursor agree), the cursor's wrap, the marks and the class on the map,
// and the two ways out: the start of a run and the way back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Needs.h"
#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "platform/FontSet.h"
#include "platform/RenderTestSupport.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/TitleTestSupport.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"
#include "system/DebugLines.h"

namespace {

using namespace titletest;
using StageSelect = CGameInputTitleStageSelect;

class DungeonSelect : public TitleFixture {
protected:
  // Pushed over a covered parent, faded in and taking input.
  void Open(std::initializer_list<int> cleared = {}) {
    for (int d : cleared) Block().DungeonClearedFlags[d] = 1;
    PushOverStub(Parent, 3);
    RunUntil([&] { return S->GetPhase() == ScreenActive; });
  }
  // The dungeons listed, from the top row down, each row 56 below the last
  // and each with its icon on the map.
  std::vector<int> ShownRows() const {
    std::vector<int> shown;
    int y = 260;
    for (int d = StageSelect::DungeonCount - 1; d >= 0; --d) {
      EXPECT_EQ(S->DungeonRows[d].IsVisible(), S->DungeonIcons[d].IsVisible()) << d;
      if (!S->DungeonRows[d].IsVisible()) continue;
      shown.push_back(d);
      EXPECT_EQ(S->DungeonRows[d].GetY(), y) << "row " << d;
      y += 56;
    }
    return shown;
  }
  std::string Panel(Language language, int d) const {
    return std::string(GetText(language, 1156 + d)) + "\n" + GetText(language, 1143 + d) + "\n" +
           GetText(language, 1164) + "\n" + GetText(language, 1165 + d);
  }

  ParentStub Parent;
  StageSelect* S = GetGameInputTitleStageSelect();
};

TEST_F(DungeonSelect, ListsTheOpenDungeonsHighestFirstAndTheCursorOnlyVisitsThem) {
  struct Case {
    const char* What;
    std::vector<int> Cleared;
    std::vector<int> Shown;  // from the top row down
    std::vector<int> Downs;  // the dungeon after each Down, from the top row round to it
  };
  const Case cases[] = {
      {"nothing cleared", {}, {0}, {0, 0}},
      {"LEVEL 1 cleared", {1}, {2, 0}, {0, 2}},
      {"all seven cleared", {0, 1, 2, 3, 4, 5, 6}, {7, 6, 5, 4, 3, 2, 1, 0}, {6, 5, 4, 3, 2, 1, 0, 7}},
      {"a gap: only LEVEL 2 cleared", {2}, {3, 0}, {0, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    Root()->SetChild(nullptr);
    std::memset(Block().DungeonClearedFlags, 0, sizeof Block().DungeonClearedFlags);
    for (int d : c.Cleared) Block().DungeonClearedFlags[d] = 1;
    Open();
    EXPECT_EQ(ShownRows(), c.Shown);
    EXPECT_EQ(S->GetSelectedDungeon(), c.Shown.front()) << c.What << ": the cursor starts on the top row";
    EXPECT_EQ(S->DescriptionWindow.GetText(), Panel(0, c.Shown.front())) << c.What;

    std::vector<int> downs;
    for (std::size_t i = 0; i < c.Downs.size(); ++i) {
      Step({InputRowDown});
      EXPECT_TRUE(SoundSpy::Played(Click)) << c.What;
      downs.push_back(S->GetSelectedDungeon());
      EXPECT_EQ(S->DungeonRows[downs.back()].GetRed(), 255) << c.What;
      Step();
    }
    EXPECT_EQ(downs, c.Downs) << c.What;
    // The Downs came round to the top row; Up from there goes to the tutorial.
    Step({InputRowUp});
    EXPECT_EQ(S->GetSelectedDungeon(), 0) << c.What;
    Step();
  }
}

TEST_F(DungeonSelect, ThePanelAndRowsSpeakTheLanguage) {
  Block().Language = 1;
  Open({0});
  EXPECT_EQ(S->DescriptionWindow.GetText(), Panel(1, 1));
  EXPECT_EQ(S->DungeonRows[1].GetText(), std::string(GetText(1, 1157)) + "  " + GetText(1, 1144));
  EXPECT_STREQ(S->Header.GetText(), "DUNGEON SELECT");
}

TEST_F(DungeonSelect, TheChosenClassStandsOnTheIconAndMarksTheDungeonsItCleared) {
  const struct {
    int Class;
    PictureId Sheet;
    int CheerWidth;
  } classes[] = {{3, 140, 40}, {4, 141, 80}, {5, 143, 40}};
  for (const auto& c : classes) {
    Root()->SetChild(nullptr);
    Block().SelectedClass = c.Class;
    Block().ClearedWithClass[1 * 11 + 3] = 1;
    Open({0});
    EXPECT_EQ(S->DungeonIcons[1].IsSelected(), c.Class == 3) << c.Class;
    EXPECT_FALSE(S->DungeonIcons[0].IsSelected());
    EXPECT_EQ(S->ClassMarker.NormalCellCount, 4);
    EXPECT_EQ(S->ClassMarker.NormalCells[1].Picture, c.Sheet);
    EXPECT_EQ(S->ClassMarker.NormalCells[3].SourceX, 80);
    EXPECT_EQ(S->ClassMarker.SelectedCellCount, 11);
    EXPECT_EQ(S->ClassMarker.SelectedCells[10].Width, c.CheerWidth);
    EXPECT_EQ(S->ClassMarker.SelectedCells[10].Duration, 999);
    // Centred across the icon of LEVEL 1, feet on its bottom edge.
    EXPECT_EQ(S->ClassMarker.X, 80 - 40);
    EXPECT_EQ(S->ClassMarker.Y, 440 - 80);
  }
}

TEST_F(DungeonSelect, SelectStopsTheMusicCheersAndStartsTheRunAfterTheFade) {
  GetSoundManager()->LoadBgm(18, 10018, 1.0f, 0, 0, 4096);
  GetSoundManager()->PlayBgm(18);
  Open({0});
  Step({InputRowDown});  // onto the tutorial
  Step();
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Chime));
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), -1);
  EXPECT_EQ(S->GetPhase(), StageSelect::PhaseChosen);
  EXPECT_TRUE(S->ClassMarker.IsSelected());
  EXPECT_EQ(S->ClassMarker.PulseFrames, 20) << "a 20-frame flash";

  int fadeAt = 0;
  for (int i = 1; i <= 60 && !fadeAt; ++i) {
    Step({InputRowDown});  // no longer read
    if (Fade()->FadeRunning) fadeAt = i;
  }
  EXPECT_EQ(fadeAt, 42);
  EXPECT_EQ(S->GetSelectedDungeon(), 0);

  DebugLinesShown shown;
  testing::internal::CaptureStderr();
  RunUntil([&] { return S->GetPhase() == StageSelect::PhaseRunStarted; });
  for (int i = 0; i < 5; ++i) Step();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Block().DungeonIndex, 0u);
  EXPECT_EQ(err.find("no run starts"), std::string::npos) << err;
  // The tutorial run is under way; this screen's part ends there.
  ASSERT_NE(Game()->CurrentStage, nullptr);
  EXPECT_EQ(Game()->CurrentStage->StageId, 500);
  delete Game()->CurrentStage;
  Game()->CurrentStage = nullptr;
  Game()->Characters.DeleteAll();
  Game()->Player = nullptr;

  // The next new game starts on the top row again, the class standing.
  Root()->SetChild(nullptr);
  Open();
  EXPECT_EQ(S->GetSelectedDungeon(), 1);
  EXPECT_FALSE(S->ClassMarker.IsSelected());
}

TEST_F(DungeonSelect, CancelWinsOverSelectAndHandsBackWithTheMusicPlaying) {
  GetSoundManager()->LoadBgm(18, 10018, 1.0f, 0, 0, 4096);
  GetSoundManager()->PlayBgm(18);
  Open();
  Step({InputRowCancel, InputRowSelect});
  EXPECT_EQ(S->GetPhase(), ScreenClosing);
  EXPECT_TRUE(SoundSpy::Played(Click));
  EXPECT_EQ(GetInput()->InputHistory[InputRowSelect][0], -1);
  RunUntil([&] { return S->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Parent.ChildClosings, 1);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "the parent fades back in";
  EXPECT_EQ(GetSoundManager()->GetPlayingBgm(), 18);
  EXPECT_EQ(Block().DungeonIndex, 0u);
}

// An atlas whose texels name their own place, and no other picture: every
// lit pixel of the screen is a glyph's and says which texel it shows.
bool TracingAtlasOnly(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  return resourceId == 198 && rendertest::TestPictures(resourceId, size, argb);
}

// The screen drawn headless in Japanese, read back through the tracing
// atlas, and the glyph cells it shows looked up in the atlas the build made.
class DungeonNamesOnScreen : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    std::memcpy(&Saved, &Block(), sizeof Saved);
    RenderFixture::SetUp();
    const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    struct stat st {};
    if (::stat(module.c_str(), &st) != 0 || !GetResourceModule().Open(module))
      VORLUMEN_NEED("a Resource.dll that opens");
    ASSERT_TRUE(LoadPictureResource(198, 1024, Atlas));
    SetPictureLoader(&TracingAtlasOnly);
    ASSERT_TRUE(LoadTexture(117, 198));
    ApplyFontSet(Game()->Fonts, true);
  }
  void TearDown() override {
    GetResourceModule().Close();
    RenderFixture::TearDown();
    std::memcpy(&Block(), &Saved, sizeof Saved);
  }

  struct Cell {
    int X, Y, W, H;
    bool Holds(rendertest::AtlasTexel t) const { return t.X >= X && t.X < X + W && t.Y >= Y && t.Y < Y + H; }
  };
  bool HasInk(const Cell& c) const {
    for (int y = c.Y; y < c.Y + c.H; ++y)
      for (int x = c.X; x < c.X + c.W; ++x)
        if (Atlas[static_cast<std::size_t>(y) * 1024 + x] >> 24) return true;
    return false;
  }
  // The texels of `cell` that the screen shows between rows top and bottom.
  std::size_t TexelsShown(const Cell& cell, int top, int bottom) const {
    std::set<std::pair<int, int>> shown;
    for (int y = std::max(top, 0); y < bottom && y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        const std::uint32_t p = At(x, y);
        const rendertest::AtlasTexel t = rendertest::DecodeAtlasTexel(p);
        if (p != rendertest::Black && cell.Holds(t)) shown.insert({t.X, t.Y});
      }
    return shown.size();
  }

  std::vector<std::uint32_t> Atlas;
  SaveBlock Saved;
};

TEST_F(DungeonNamesOnScreen, EveryJapaneseNameIsDrawnWholeFromInkedCells) {
  SaveBlock& b = Block();
  b.Language = LanguageJapanese;
  b.SelectedClass = 0;
  for (int d = 0; d < 7; ++d) b.DungeonClearedFlags[d] = 1;
  StageSelect* s = GetGameInputTitleStageSelect();
  s->Begin();
  CDrawString& font = Game()->Fonts[2];  // the rows' and the panel's
  for (int d = 0; d < StageSelect::DungeonCount; ++d) {
    // Only the panel and the row under the cursor are drawn untinted.
    s->Cursor = StageSelect::DungeonCount - 1 - d;
    s->RefreshDescription();
    ClearTarget(rendertest::Black);
    BeginScene();
    s->DrawLayer(0);
    EndScene();
    Grab();
    const int rowTop = s->DungeonRows[d].GetY() / 4;
    const struct {
      const char* What;
      int Top, Bottom;
    } places[] = {{"panel", 13, 60}, {"row", rowTop - 1, rowTop + 10}};

    const char* name = GetText(LanguageJapanese, 1143 + d);
    ASSERT_GT(std::strlen(name), 0u);
    for (const char* p = name; *p; p += 2) {
      int x = 0, picture = 0, y = 0, advance = 0, width = 0;
      ASSERT_EQ(font.DecodeGlyph(p, x, picture, y, advance, width), 2) << d;
      const PictureRow* row = GetPictureRow(picture);
      ASSERT_NE(row, nullptr);
      const Cell cell{static_cast<int>(row->X) + x, static_cast<int>(row->Y) + y, width, font.CellHeight};
      const int offset = static_cast<int>(p - name);
      EXPECT_TRUE(HasInk(cell)) << "dungeon " << d << ", character at byte " << offset << ": no glyph";
      for (const auto& place : places)
        EXPECT_EQ(TexelsShown(cell, place.Top, place.Bottom), static_cast<std::size_t>(cell.W * cell.H))
            << "dungeon " << d << ", character at byte " << offset << " in the " << place.What;
    }
  }
  s->SetParent(nullptr);
}

}  // namespace
