// The play screen's message window: replacing, appending, scrolling to three
// wrapped rows, and the time it stays shown.
#include <gtest/gtest.h>

#include <string>

#include "app/CGameMain.h"
#include "platform/FontSet.h"
#include "ui/CGameInputMain.h"

namespace {

class MessageWindow : public ::testing::Test {
protected:
  void SetUp() override {
    ApplyFontSet(GetGameMain()->Fonts, true);
    M = GetGameInputMain();
    M->BuildLayout();
    M->CloseMessage();
  }
  void TearDown() override { M->CloseMessage(); }

  std::string Rows() const {
    std::string s;
    for (int i = 0; i < CGameInputMain::MessageRowCount; ++i) s += std::string(M->GetMessageRow(i)) + "|";
    return s;
  }
  // A text that wraps to `rows` rows of the window's caption.
  std::string Wrapping(int rows) {
    std::string text = "X";
    while (M->GetMessageWindow().CountCaptionLines(text.c_str()) < rows) text += " WORD";
    return text;
  }

  CGameInputMain* M = nullptr;
};

TEST_F(MessageWindow, ShowReplacesEveryRowAndAddAppendsUnderIt) {
  M->AddMessage("ONE");
  M->AddMessage("TWO");
  M->AddMessage("THREE");
  M->ShowMessage("NEW");
  EXPECT_EQ(Rows(), "NEW|||");
  EXPECT_STREQ(M->GetMessageWindow().GetText(), "NEW");
  M->AddMessage("MORE");
  EXPECT_EQ(Rows(), "NEW|MORE||");
  EXPECT_STREQ(M->GetMessageWindow().GetText(), "NEW\nMORE\n");
}

TEST_F(MessageWindow, AFourthRowPushesTheOldestOut) {
  for (const char* text : {"ONE", "TWO", "THREE", "FOUR"}) M->AddMessage(text);
  EXPECT_EQ(Rows(), "TWO|THREE|FOUR|");
}

TEST_F(MessageWindow, RowsScrollUntilThreeWrappedRowsFit) {
  const std::string twoRows = Wrapping(2);
  ASSERT_EQ(M->GetMessageWindow().CountCaptionLines(twoRows.c_str()), 2);
  M->AddMessage("ONE");
  M->AddMessage("TWO");
  M->AddMessage(twoRows.c_str());
  EXPECT_EQ(Rows(), "TWO|" + twoRows + "||");

  // A single text of four rows leaves the window empty.
  M->AddMessage(Wrapping(4).c_str());
  EXPECT_EQ(Rows(), "|||");
}

TEST_F(MessageWindow, HidesOnTheNinetiethFrameAfterTheLastWrite) {
  M->ShowMessage("HELLO");
  M->AddMessage("AGAIN");
  for (int frame = 1; frame < 90; ++frame) {
    M->TickMessage();
    ASSERT_TRUE(M->IsMessageShown()) << frame;
  }
  M->TickMessage();
  EXPECT_FALSE(M->IsMessageShown());
  EXPECT_FALSE(M->GetMessageWindow().IsVisible());
}

TEST_F(MessageWindow, ANegativeTimeStaysUntilClosed) {
  M->ShowMessageTimed("LESSON", -1);
  for (int frame = 0; frame < 500; ++frame) M->TickMessage();
  EXPECT_TRUE(M->IsMessageShown());
  EXPECT_TRUE(M->GetMessageWindow().IsVisible());
  M->CloseMessage();
  EXPECT_FALSE(M->IsMessageShown());
  EXPECT_EQ(Rows(), "|||");
}

TEST_F(MessageWindow, GrowsUpwardByOneRowHeightPerWrappedRowPastThree) {
  CWidgetWindow& w = M->GetMessageWindow();
  M->ShowMessage("SHORT");
  EXPECT_EQ(w.Height, 120);
  EXPECT_EQ(w.Y, 584);
  M->ShowMessage(Wrapping(5).c_str());
  EXPECT_EQ(w.Height, 120 + 2 * 32);
  EXPECT_EQ(w.Y, 584 - 2 * 32);
}

TEST_F(MessageWindow, ATextLongerThanARowIsCutAtACharacterBoundary) {
  // 254 single bytes then a double-byte character that would end past the row.
  std::string text(254, 'A');
  text += "\x82\xa0\x82\xa0";
  M->ShowMessage(text.c_str());
  EXPECT_EQ(std::string(M->GetMessageRow(0)), std::string(254, 'A'));
}

}  // namespace
