// Progress notices over the title menu: owed notices in dungeon order before
// the menu takes input, chains of two, the marks in "save", and a save that
// cannot be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextTable.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/CGameInputUnlock.h"
#include "screens/TitleTestSupport.h"
#include "system/SysPlatform.h"

namespace {

using namespace titletest;
using Top = CGameInputTitleTop;

class ProgressNotice : public TitleFixture {
protected:
  void Clear(std::initializer_list<int> dungeons) {
    for (int d : dungeons) Block().DungeonClearedFlags[d] = 1;
  }
  void OpenMenu() { ASSERT_TRUE(Root()->ChangeChild(2)); }
  bool NoticeUp() const { return T->GetChild() == N && N->GetPhase() == ScreenActive; }
  // Active with nothing owed: the menu pushes an owed notice in its next
  // Active frame.
  bool MenuUp() const {
    for (int d = 0; d < 7; ++d)
      if (Block().DungeonClearedFlags[d] && !Block().DungeonOpenNoticeShown[d]) return false;
    return T->GetPhase() == ScreenActive && T->GetChild() == nullptr;
  }
  // Waits for the next notice or for the menu; the notice's type, or -1.
  int NextNotice() {
    RunUntil([&] { return NoticeUp() || MenuUp(); });
    return NoticeUp() ? N->NoticeType : -1;
  }
  int IconsShown() const {
    int n = 0;
    for (const CWidget& icon : N->ItemIcons) n += icon.IsVisible();
    return n;
  }
  std::vector<int> ShownMarks() const {
    std::vector<int> marks;
    for (int d = 0; d < 7; ++d)
      if (Block().DungeonOpenNoticeShown[d]) marks.push_back(d);
    return marks;
  }
  std::vector<int> SavedMarks() const {
    const Bytes save = ReadBytes(Folder.File("save"));
    std::vector<int> marks;
    for (int d = 0; d < 7 && save.size() == sizeof(SaveBlock); ++d)
      if (save[201 + d]) marks.push_back(d);
    return marks;
  }

  Top* T = GetGameInputTitleTop();
  CGameInputUnlock* N = GetGameInputUnlock();
};

TEST_F(ProgressNotice, OwedNoticesComeInDungeonOrderBeforeTheMenuTakesInput) {
  struct Case {
    std::vector<int> Cleared;
    std::vector<int> Notices, Marks;
  };
  const Case cases[] = {
      {{0}, {0}, {0}},
      {{0, 2}, {0, 7, 2}, {0, 2}},
      {{6}, {12, 11}, {6}},
      {{7}, {}, {}},  // the gallery opens nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Notices.size());
    std::memset(Block().DungeonClearedFlags, 0, sizeof Block().DungeonClearedFlags);
    std::memset(Block().DungeonOpenNoticeShown, 0, sizeof Block().DungeonOpenNoticeShown);
    for (int d : c.Cleared) Block().DungeonClearedFlags[d] = 1;
    OpenMenu();
    std::vector<int> seen;
    for (int type; (type = NextNotice()) >= 0;) {
      seen.push_back(type);
      EXPECT_TRUE(T->Logo.IsVisible()) << "the menu stays in sight behind";
      Step({InputRowDown});  // the menu takes no key while a notice is owed
      Step();
      EXPECT_EQ(T->Cursor, Top::EntryNewGame);
      Press({InputRowSelect});
    }
    EXPECT_EQ(seen, c.Notices);
    EXPECT_EQ(ShownMarks(), c.Marks);
    if (!c.Notices.empty()) {
      EXPECT_EQ(SavedMarks(), c.Marks);
    }
    Step({InputRowDown});
    EXPECT_EQ(T->Cursor, Top::EntryRanking) << "and then it does";
    Step();
  }
}

TEST_F(ProgressNotice, EachKindShowsItsTextItsIconsAndItsWindow) {
  const Language english = 0;
  const struct {
    int Cleared, Type;
    std::string Text;
    int Icons;
    bool Prophet;
    int Width, Height;
  } kinds[] = {
      {0, 0, std::string(GetText(english, 1186)) + "\n\n\n\n" + GetText(english, 1127), 0, false, 480, 448},
      {1, 6, GetText(english, 1185), 7, false, 480, 448},
      {4, 9, GetText(english, 1185), 26, false, 480, 448},
      {6, 12, std::string(GetText(english, 1187)) + "\n\n" + GetText(english, 784), 0, true, 640, 680},
  };
  for (const auto& k : kinds) {
    Root()->SetChild(nullptr);
    std::memset(Block().DungeonClearedFlags, 0, sizeof Block().DungeonClearedFlags);
    Block().DungeonClearedFlags[k.Cleared] = 1;
    OpenMenu();
    ASSERT_EQ(NextNotice(), k.Type);
    Step();
    EXPECT_EQ(N->NoticeWindow.GetText(), k.Text) << k.Type;
    EXPECT_EQ(IconsShown(), k.Icons) << k.Type;
    EXPECT_EQ(N->ProphetPicture.IsVisible(), k.Prophet) << k.Type;
    EXPECT_EQ(N->NoticeWindow.Width, k.Width) << k.Type;
    EXPECT_EQ(N->NoticeWindow.Height, k.Height) << k.Type;
    EXPECT_EQ(N->NoticeWindow.X, 640 - k.Width / 2) << k.Type;
    EXPECT_EQ(N->OkButton.Y, k.Height - 32 - 20) << k.Type;
    EXPECT_TRUE(N->OkButton.IsVisible());
    EXPECT_EQ(N->OkButton.GetRed(), 255);
  }
}

TEST_F(ProgressNotice, OnlyTheEndOfAChainMarksItSoAChainLeftHalfWayComesBackWhole) {
  Clear({2});
  OpenMenu();
  ASSERT_EQ(NextNotice(), 7);
  Press({InputRowSelect});
  ASSERT_EQ(NextNotice(), 2);
  EXPECT_TRUE(ShownMarks().empty());
  EXPECT_TRUE(SavedMarks().empty()) << "saved at the first acknowledgement, unmarked";
  ASSERT_TRUE(Folder.Names().size() == 1);

  // The program ends here and starts again.
  Root()->ChangeChild(2);
  EXPECT_EQ(NextNotice(), 7);
}

TEST_F(ProgressNotice, CancelAcknowledgesAndAHeldKeyDoesNotCarryIntoTheNextNotice) {
  Clear({1});
  OpenMenu();
  ASSERT_EQ(NextNotice(), 6);
  // SELECT pressed and held through the whole change of notice.
  int frames = 0;
  for (; frames < 60 && !(N->NoticeType == 1 && N->GetPhase() == ScreenActive); ++frames) {
    Step({InputRowSelect});
    if (N->GetPhase() != ScreenActive) {
      EXPECT_EQ(IconsShown(), 0) << "no icons while the window moves";
    }
  }
  for (int i = 0; i < 20; ++i) Step({InputRowSelect});
  EXPECT_EQ(N->NoticeType, 1);
  EXPECT_EQ(N->GetPhase(), ScreenActive) << "the held key acknowledged nothing more";
  Step();
  Press({InputRowCancel});
  EXPECT_EQ(NextNotice(), -1);
  EXPECT_EQ(ShownMarks(), std::vector<int>{1});
}

TEST_F(ProgressNotice, ASaveThatCannotBeWrittenIsReportedAndTheNoticeClosesAllTheSame) {
  Clear({0});
  SysSetGameFolder(Folder.Path + "/gone");
  OpenMenu();
  ASSERT_EQ(NextNotice(), 0);
  testing::internal::CaptureStderr();
  Press({InputRowSelect});
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("save: could not be written"), std::string::npos) << err;
  EXPECT_EQ(NextNotice(), -1);
  EXPECT_EQ(ShownMarks(), std::vector<int>{0});
  SysSetGameFolder(Folder.Path);
}

}  // namespace
