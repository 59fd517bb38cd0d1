// The credits page: six lines and BACK over the covered title menu, the
// font-material lines never shown, closed by SELECT or CANCEL only.
#include <gtest/gtest.h>

#include <string>

#include "platform/FontSet.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleCredits.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;
using Credits = CGameInputTitleCredits;

class CreditsPage : public TitleFixture {
protected:
  CreditsPage() { ApplyFontSet(Game()->Fonts, false); }
  // The stub goes with the test; the page must not keep pointing at it.
  ~CreditsPage() override { C->SetParent(nullptr); }

  // Pushed over a covered stub and stepped until it takes input.
  void Open() {
    PushOverStub(Stub, 12);
    RunUntil([this] { return C->GetPhase() == ScreenActive; });
  }

  ParentStub Stub;
  Credits* C = GetGameInputTitleCredits();
};

TEST_F(CreditsPage, ShowsSixOneLineCaptionsAndBackButNeverTheFontLines) {
  const struct {
    CWidget Credits::*Line;
    TextId Text;
    int Y;
    bool Shown;
  } rows[] = {
      {&Credits::FontHeading, 1269, 120, false},   {&Credits::FontAuthorLabel, 1270, 140, false},
      {&Credits::FontAddressLabel, 1271, 160, false}, {&Credits::SoundHeading, 1272, 120, true},
      {&Credits::SoundSourceLabel, 1273, 140, true},  {&Credits::SoundAddressLabel, 1274, 160, true},
      {&Credits::ProduceHeading, 1278, 260, true},    {&Credits::ProducerLabel, 1279, 280, true},
      {&Credits::ProducerAddressLabel, 1280, 300, true}, {&Credits::BackLabel, 1202, 400, true},
  };
  // An earlier visit that showed the font lines changes nothing.
  (C->*rows[0].Line).SetVisible(true);
  Open();
  for (const auto& r : rows) {
    const CWidget& line = C->*r.Line;
    SCOPED_TRACE(r.Text);
    EXPECT_EQ(line.IsVisible(), r.Shown);
    EXPECT_EQ(std::string(line.GetText()), GetText(LanguageEnglish, r.Text));
    EXPECT_STREQ(GetText(LanguageEnglish, r.Text), GetText(LanguageJapanese, r.Text)) << "one wording for both";
    EXPECT_EQ(line.X, 480);
    EXPECT_EQ(line.Y, r.Y);
    // Drawn at twice the font's size in a 320-wide box; a second line would
    // run into the next caption.
    CDrawString* font = line.NormalStyles[0].Font;
    font->SetUniformScale(2.0);
    EXPECT_EQ(font->CountWrappedLines(line.GetText(), 320), 1) << line.GetText();
    font->SetUniformScale(1.0);
  }
  EXPECT_EQ(Stub.GetPhase(), ScreenCovered);
  Root()->DrawLayer(1);
  Root()->DrawLayer(0);
}

TEST_F(CreditsPage, SelectOrCancelClosesAndUsesUpBothKeys) {
  for (int row : {InputRowSelect, InputRowCancel}) {
    SCOPED_TRACE(row);
    uitest::ClearInput();
    Stub.ChildClosings = 0;
    Open();
    Step({row});
    EXPECT_TRUE(SoundSpy::Played(Click));
    EXPECT_EQ(C->GetPhase(), ScreenClosed);
    EXPECT_EQ(Stub.ChildClosings, 1);
    EXPECT_EQ(Stub.GetChild(), nullptr) << "the parent drops the page in the same frame";
    for (int taken : {InputRowSelect, InputRowCancel})
      for (int i = 0; i < InputHistoryLength; ++i) ASSERT_EQ(GetInput()->InputHistory[taken][i], -1) << taken;
  }
}

TEST_F(CreditsPage, OtherInputsAndTheOpeningPressLeaveItOpen) {
  // The title menu took the SELECT that opened the page; held on, it stays taken.
  Step({InputRowSelect});
  SwallowInput(GetInput()->InputHistory[InputRowSelect]);
  PushOverStub(Stub, 12);
  for (int i = 0; i < 15; ++i) Step({InputRowSelect});
  ASSERT_EQ(C->GetPhase(), ScreenActive);
  for (const std::vector<int>& rows : std::vector<std::vector<int>>{
           {InputRowUp}, {InputRowDown}, {InputRowLeft}, {InputRowRight}, {InputRowAttack}}) {
    Press(rows);
  }
  for (int y : {400, 140, 300}) {
    Step({}, uitest::Pointer{true, 640, y + 10});
    Step();
  }
  EXPECT_EQ(C->GetPhase(), ScreenActive);
  EXPECT_EQ(Stub.ChildClosings, 0);
}

TEST_F(CreditsPage, APressMadeWhileOpeningClosesItOnceItTakesInput) {
  // A fade that ends within the press's 11 fresh frames.
  Fade()->FadeValue = 96;
  Fade()->FadeTarget = 0;
  Fade()->FadeStep = -16;
  Fade()->FadeRunning = 1;
  PushOverStub(Stub, 12);
  Step({InputRowCancel});
  EXPECT_EQ(C->GetPhase(), ScreenOpening);
  // Active in the frame after the fade ends, closed in the next.
  EXPECT_EQ(RunUntil([this] { return C->GetPhase() == ScreenClosed; }, 10), 8);
  EXPECT_EQ(Stub.ChildClosings, 1);
}

}  // namespace
