// Typewriter text: its pace, its pages, the skip press and the page mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CWidget.h"
#include "ui/UiTestSupport.h"

namespace {

using uitest::Frame;

// Keeps what the typewriter hands to the caption drawing.
class PageWidget : public CWidget {
public:
  void DrawCaptionText(const char* text) override { Shown = text; }
  std::string Page() {
    Shown = "<nothing>";
    DrawTypewriterText();
    return Shown;
  }
  std::string Shown;
};

const std::string Mark = "\x81\xa5";

class Typewriter : public ::testing::Test {
protected:
  void SetUp() override { uitest::ClearInput(); }
  // One frame of input, then the widget's step; the index afterwards.
  int Step(const std::vector<int>& rows = {}) {
    Frame(rows);
    W.Update();
    return W.GetTypewriterIndex();
  }
  std::vector<int> Steps(int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) out.push_back(Step());
    return out;
  }
  PageWidget W;
};

TEST_F(Typewriter, TypesAtItsSpeedAndWaitsAtThePageEnd) {
  W.StartTypewriter("AB\fC", 2, 0, TypewriterUserTurnsPages);
  EXPECT_TRUE(W.IsTypewriterRunning());
  EXPECT_EQ(Steps(6), (std::vector<int>{0, 1, 1, 2, 2, 2}));
  EXPECT_EQ(W.Page(), "AB" + Mark);
  for (int i = 0; i < 20; ++i) W.Update();
  EXPECT_EQ(W.Page(), "AB") << "the mark blinks";
  for (int i = 0; i < 20; ++i) W.Update();
  EXPECT_EQ(W.Page(), "AB" + Mark);
  EXPECT_EQ(W.GetTypewriterIndex(), 2) << "only the user turns the page";
}

TEST_F(Typewriter, AttackPressShowsThePageThenTurnsItWithASound) {
  uitest::SoundSpy sound;
  W.StartTypewriter("ABCD\fEF", 5, 0, TypewriterUserTurnsPages);
  Step();
  EXPECT_EQ(Step({InputRowAttack}), 4) << "the rest of the page at once";
  EXPECT_EQ(GetInput()->InputHistory[InputRowAttack][0], -1) << "the press is used up";
  EXPECT_FALSE(sound.ChoiceSoundPlayed());
  EXPECT_EQ(Step({InputRowAttack}), 4) << "a held press does not turn the page";
  Step();
  EXPECT_EQ(Step({InputRowAttack}), 5);
  EXPECT_TRUE(sound.ChoiceSoundPlayed());
  EXPECT_EQ(W.Page(), "");
  Step();
  EXPECT_EQ(Step({InputRowAttack}), 7);
  EXPECT_EQ(W.Page(), "EF" + Mark);
  Step();
  Step({InputRowAttack});
  EXPECT_FALSE(W.IsTypewriterRunning()) << "turning the last page ends the text";
  EXPECT_EQ(W.Page(), "<nothing>");
}

TEST_F(Typewriter, PointerSkipsOnlyInsideTheSkipArea) {
  W.X = 100;
  W.Y = 100;
  W.SetSkipArea(0, 0, 40, 40);
  W.StartTypewriter("ABCDEF", 9, 0, TypewriterUserTurnsPages);
  Frame({}, {true, 300, 300});
  W.Update();
  EXPECT_EQ(W.GetTypewriterIndex(), 0);
  uitest::ClearInput();
  Frame({}, {true, 139, 120});
  W.Update();
  EXPECT_EQ(W.GetTypewriterIndex(), 6);
  EXPECT_EQ(GetInput()->InputHistory[InputRowPointer][0], -1);
}

TEST_F(Typewriter, HeldAttackTypesOneCharacterAFrame) {
  W.StartTypewriter("ABCDEF", 30, 0, TypewriterUserTurnsPages);
  // Held, but no longer a fresh press.
  Frame({InputRowAttack});
  ConsumeInputTrigger(GetInput()->InputHistory[InputRowAttack]);
  std::vector<int> out;
  for (int i = 0; i < 3; ++i) out.push_back(Step({InputRowAttack}));
  EXPECT_EQ(out, (std::vector<int>{1, 2, 3}));
}

TEST_F(Typewriter, AutomaticPagesTurnAfterTheWaitAndShowNoMark) {
  W.StartTypewriter("AB\fC", 0, 3, TypewriterAutoTurnsPages);
  EXPECT_EQ(Steps(4), (std::vector<int>{1, 2, 2, 2}));
  EXPECT_EQ(W.Page(), "AB");
  EXPECT_EQ(Step({InputRowAttack}), 3) << "the wait is over, not skipped";
  EXPECT_EQ(Steps(4), (std::vector<int>{4, 4, 4, CWidget::TypewriterOff}));
}

TEST_F(Typewriter, NegativeSpeedTypesSeveralCharactersAFrame) {
  W.StartTypewriter("ABCDE\fF", -2, 0, TypewriterUserTurnsPages);
  EXPECT_EQ(Steps(4), (std::vector<int>{2, 4, 5, 5}));
}

TEST_F(Typewriter, DoubleByteCharactersAreTypedWhole) {
  W.StartTypewriter("A\x83\x41" "B\x82\xa0", 0, 0, TypewriterUserTurnsPages);
  EXPECT_EQ(Steps(2), (std::vector<int>{1, 3}));
  EXPECT_EQ(W.Page(), "A\x83\x41");
  EXPECT_EQ(Steps(2), (std::vector<int>{4, 6}));
}

TEST_F(Typewriter, StopAndMissingTextLeaveNothingToType) {
  W.StartTypewriter("ABC", 0, 0, TypewriterUserTurnsPages);
  Step();
  W.StopTypewriter();
  EXPECT_FALSE(W.IsTypewriterRunning());
  EXPECT_EQ(Step(), CWidget::TypewriterOff);
  EXPECT_EQ(W.Page(), "<nothing>");

  W.StartTypewriter(nullptr, 0, 0, TypewriterUserTurnsPages);
  Step();
  EXPECT_EQ(W.Page(), "<nothing>");

  // A text that shrank under the typewriter ends it instead of being read past.
  char text[] = "ABCDEF";
  W.StartTypewriter(text, -4, 0, TypewriterUserTurnsPages);
  Step();
  text[2] = '\0';
  Step();
  EXPECT_FALSE(W.IsTypewriterRunning());
}

TEST_F(Typewriter, LongPagesAreCutBeforeTheMark) {
  std::string text(1500, 'x');
  W.StartTypewriter(text.c_str(), -2000, 0, TypewriterUserTurnsPages);
  Step();
  const std::string page = W.Page();
  EXPECT_EQ(page, std::string(1021, 'x') + Mark);
}

}  // namespace
