// Tweens frame by frame: move with its three curves, fade, pulse, scale,
// colour, the framed window's size animation, and the image list.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ui/CWidget.h"
#include "ui/CWidgetWindow.h"
#include "ui/UiTestSupport.h"

namespace {

class WidgetTween : public ::testing::Test {
protected:
  void SetUp() override { uitest::ClearInput(); }
};

TEST_F(WidgetTween, MoveFollowsItsCurveAndEndsExactly) {
  struct Case {
    int Ease;
    std::vector<int> Xs;
  };
  const Case cases[] = {
      {0, {2, 5, 7, 10}},
      {1, {0, 1, 5, 10}},  // 0, 1, 3, 6 of 6
      {2, {4, 7, 9, 10}},  // 4, 7, 9, 10 of 10
  };
  for (const Case& c : cases) {
    CWidget w;
    w.MoveTo(0, 10, 100, 60, 4, c.Ease);
    EXPECT_EQ(w.X, 0);
    EXPECT_EQ(w.Y, 100) << "the start is taken at once";
    std::vector<int> xs;
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(w.IsMoving());
      w.Update();
      xs.push_back(w.X);
    }
    EXPECT_EQ(xs, c.Xs) << "ease " << c.Ease;
    EXPECT_EQ(w.Y, 60);
    EXPECT_FALSE(w.IsMoving());
    EXPECT_EQ(w.MoveFrames, 0);
    EXPECT_EQ(w.MoveFrame, 0);
  }
}

TEST_F(WidgetTween, MoveOfOneFrameJumpsToItsEndOnEveryCurve) {
  for (int ease : {0, 1, 2}) {
    CWidget w;
    w.MoveTo(-5, 30, 0, 8, 1, ease);
    w.Update();
    EXPECT_EQ(w.X, 30) << "ease " << ease;
    EXPECT_EQ(w.Y, 8) << "ease " << ease;
    EXPECT_FALSE(w.IsMoving());
  }
}

TEST_F(WidgetTween, MoveWithAnUnknownCurveOnlyCountsFrames) {
  CWidget w;
  w.MoveTo(3, 30, 4, 40, 2, 7);
  w.Update();
  w.Update();
  EXPECT_EQ(w.X, 3);
  EXPECT_EQ(w.Y, 4);
  EXPECT_FALSE(w.IsMoving());
}

TEST_F(WidgetTween, NegativeLengthsRunNoTween) {
  CWidget w;
  w.MoveTo(1, 9, 1, 9, -3, 0);
  w.Fade(10, 200, -1);
  w.ScaleTo(2.0f, 3.0f, -2);
  w.ColourTo(0, 9, 0, 9, 0, 9, 0, 9, -4);
  w.StartPulse(-1, 0, 0, 255);
  EXPECT_FALSE(w.IsMoving());
  EXPECT_FALSE(w.IsFading());
  EXPECT_FALSE(w.IsScaling());
  EXPECT_FALSE(w.IsColourChanging());
  EXPECT_FALSE(w.IsPulsing());
  w.Update();
  EXPECT_EQ(w.X, 1);
  EXPECT_EQ(w.Alpha, 10);
}

TEST_F(WidgetTween, FadeAndColourTweensTruncateAndTheColourTweenWins) {
  CWidget w;
  w.FadeInOut(3, 1);
  EXPECT_EQ(w.GetAlpha(), 0);
  std::vector<int> alphas;
  for (int i = 0; i < 3; ++i) {
    w.Update();
    alphas.push_back(w.GetAlpha());
  }
  EXPECT_EQ(alphas, (std::vector<int>{85, 170, 255}));
  EXPECT_FALSE(w.IsFading());

  w.FadeInOut(2, 0);
  w.ColourTo(0, 100, 10, 20, 255, 0, 50, 60, 3);
  EXPECT_EQ(w.GetRed(), 255) << "the colour changes only at the first update";
  w.Update();
  EXPECT_EQ(w.GetRed(), 33);
  EXPECT_EQ(w.GetGreen(), 13);
  EXPECT_EQ(w.GetBlue(), 170);
  EXPECT_EQ(w.GetAlpha(), 53) << "the colour tween runs after the fade";
  w.Update();
  w.Update();
  EXPECT_EQ(w.GetRed(), 100);
  EXPECT_EQ(w.GetBlue(), 0);
  EXPECT_EQ(w.GetAlpha(), 60);
  EXPECT_FALSE(w.IsColourChanging());
}

TEST_F(WidgetTween, PulseFlashesInModeTwoAndRampsOtherwise) {
  CWidget w;
  w.StartPulse(4, 2, 0, 0);
  std::vector<int> values, modes;
  for (int i = 0; i < 4; ++i) {
    w.Update();
    values.push_back(w.PulseValue);
    modes.push_back(w.ColourMode);
  }
  EXPECT_EQ(values, (std::vector<int>{0, 255, 0, 255}));
  EXPECT_EQ(modes, (std::vector<int>{2, 2, 2, 0}));
  EXPECT_FALSE(w.IsPulsing());

  // Mode 1 runs from b to a; StartAlphaPulse passes a = 255, b = 0.
  w.StartAlphaPulse(1, 4);
  w.Update();
  EXPECT_EQ(w.PulseValue, 63);
  EXPECT_EQ(w.ColourMode, 2);
  w.Update();
  EXPECT_EQ(w.PulseValue, 127);
  w.Update();
  w.Update();
  EXPECT_EQ(w.PulseValue, 255);
  EXPECT_EQ(w.ColourMode, 0);
}

TEST_F(WidgetTween, ScaleFollowsItsExponent) {
  CWidget w;
  w.ScaleToEased(1.0f, 2.0f, 4, 2.0f);
  EXPECT_FLOAT_EQ(w.GetScaleX(), 1.0f);
  std::vector<float> scales;
  for (int i = 0; i < 4; ++i) {
    w.Update();
    scales.push_back(w.GetScaleX());
    EXPECT_FLOAT_EQ(w.GetScaleY(), w.GetScaleX());
  }
  EXPECT_EQ(scales, (std::vector<float>{1.0625f, 1.25f, 1.5625f, 2.0f}));
  EXPECT_FALSE(w.IsScaling());

  w.ScaleXYTo(0.0f, 4.0f, 4.0f, 0.0f, 2);
  w.Update();
  EXPECT_FLOAT_EQ(w.GetScaleX(), 2.0f);
  EXPECT_FLOAT_EQ(w.GetScaleY(), 2.0f);
}

TEST_F(WidgetTween, ScaleCurveThatWouldDivideByZeroJumpsToItsEnd) {
  CWidget w;
  w.ScaleXYToEased(0.0f, 3.0f, 1.0f, 5.0f, 10, -400.0f);  // 10^-400 is 0 in a double
  w.Update();
  EXPECT_FLOAT_EQ(w.GetScaleX(), 3.0f);
  EXPECT_FLOAT_EQ(w.GetScaleY(), 5.0f);
  EXPECT_FALSE(w.IsScaling());
}

TEST_F(WidgetTween, ImageListPlaysByNextIndexAndRestartsOnAStateChange) {
  CWidget w;
  CWidget::AllocCells(w);
  CWidget::SetNormalCell(w, 0, 5, 0, 0, 8, 8, 2);
  CWidget::SetNormalCell(w, 1, 5, 8, 0, 8, 8, 1);  // next 2: past the list, so 0
  CWidget::SetSelectedCell(w, 0, 6, 0, 0, 8, 8, 1);
  CWidget::SetSelectedCell(w, 1, 6, 8, 0, 8, 8, 1);
  std::vector<int> cells;
  for (int i = 0; i < 6; ++i) {
    w.Update();
    cells.push_back(w.GetCellIndex());
  }
  EXPECT_EQ(cells, (std::vector<int>{0, 1, 0, 0, 1, 0}));

  w.Update();  // cell 0, one frame in
  w.SetSelected(true);
  EXPECT_EQ(w.GetCellIndex(), 0);
  EXPECT_EQ(w.CurrentCell().Picture, 6);
  w.Update();
  EXPECT_EQ(w.GetCellIndex(), 1);
  w.SetSelected(true);
  EXPECT_EQ(w.GetCellIndex(), 1) << "selecting a selected widget does not restart it";
  w.SetEnabled(false);
  EXPECT_EQ(w.GetCellIndex(), 0);
}

TEST_F(WidgetTween, ParentCarriesPositionVisibilityAndEnabledState) {
  CWidget parent, child;
  parent.X = 100;
  parent.Y = 50;
  child.Parent = &parent;
  child.X = 7;
  child.Y = -3;
  EXPECT_EQ(child.GetX(), 107);
  EXPECT_EQ(child.GetY(), 47);
  parent.SetVisible(false);
  EXPECT_FALSE(child.IsVisible());
  parent.SetVisible(true);
  parent.SetEnabled(false);
  EXPECT_FALSE(child.IsEnabled());
  child.SetSelected(true);
  parent.SetSelected(false);
  EXPECT_TRUE(child.IsSelected()) << "selection is the widget's own";
}

TEST_F(WidgetTween, TextIsBoundedAndCutAtAWholeCharacter) {
  CWidget w;
  std::string text(1022, 'a');
  text += "\x82\xa0";  // a double-byte character across the last byte
  w.SetText(text.c_str());
  EXPECT_EQ(std::string(w.GetText()), std::string(1022, 'a'));
  w.SetText(std::string(5000, 'b').c_str());
  EXPECT_EQ(std::strlen(w.GetText()), 1023u);
  w.SetText(nullptr);
  EXPECT_STREQ(w.GetText(), "");
  w.SetText("\x83\x41" "B");
  w.SetText(w.GetText());
  EXPECT_STREQ(w.GetText(), "\x83\x41" "B");
}

// ---- the framed window's size ----

struct Halves {
  int Width, Height;
  bool operator==(const Halves&) const = default;
};

std::vector<Halves> RunSize(CWidgetWindow& w, int frames) {
  std::vector<Halves> out;
  for (int i = 0; i < frames; ++i) {
    w.Update();
    EXPECT_EQ(w.HalfLeft, w.HalfRight);
    EXPECT_EQ(w.HalfTop, w.HalfBottom);
    out.push_back({w.HalfLeft, w.HalfTop});
  }
  return out;
}

TEST_F(WidgetTween, WindowGrowsByItsMode) {
  struct Case {
    int Mode;
    std::vector<Halves> Steps;
  };
  const Case cases[] = {
      {3, {{10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {50, 6}, {50, 12}, {50, 18}, {50, 24}, {50, 30}}},
      {2, {{0, 6}, {0, 12}, {0, 18}, {0, 24}, {0, 30}, {10, 30}, {20, 30}, {30, 30}, {40, 30}, {50, 30}}},
      {4, {{5, 3}, {10, 6}, {15, 9}, {20, 12}, {25, 15}, {30, 18}, {35, 21}, {40, 24}, {45, 27}, {50, 30}}},
      {0, {{50, 3}, {50, 6}, {50, 9}, {50, 12}, {50, 15}, {50, 18}, {50, 21}, {50, 24}, {50, 27}, {50, 30}}},
      {1, {{5, 30}, {10, 30}, {15, 30}, {20, 30}, {25, 30}, {30, 30}, {35, 30}, {40, 30}, {45, 30}, {50, 30}}},
  };
  for (const Case& c : cases) {
    CWidgetWindow w;
    w.AnimateSize(0, 100, 0, 60, 10, c.Mode);
    EXPECT_TRUE(w.IsAnimating());
    EXPECT_EQ(RunSize(w, 10), c.Steps) << "mode " << c.Mode;
    EXPECT_FALSE(w.IsAnimating());
  }
}

TEST_F(WidgetTween, WindowShrinksAndStepsOfOneFrameReachTheEnd) {
  CWidgetWindow w;
  w.AnimateSize(100, 0, 60, 0, 4, 2);
  EXPECT_EQ(w.HalfLeft, 50);
  EXPECT_EQ(RunSize(w, 4), (std::vector<Halves>{{50, 15}, {50, 0}, {25, 0}, {0, 0}}));

  for (int mode : {2, 3}) {
    CWidgetWindow one;
    one.AnimateSize(0, 40, 0, 20, 1, mode);
    EXPECT_EQ(RunSize(one, 1), (std::vector<Halves>{{20, 10}})) << "mode " << mode;
    EXPECT_FALSE(one.IsAnimating());
  }

  CWidgetWindow other;
  other.AnimateSize(0, 40, 0, 20, 3, 9);
  EXPECT_EQ(RunSize(other, 3), (std::vector<Halves>{{0, 0}, {0, 0}, {20, 10}}))
      << "an unknown mode only reaches the end";
}

TEST_F(WidgetTween, WindowWithoutFramesTakesItsSizeAtOnce) {
  for (int frames : {0, -5}) {
    CWidgetWindow w;
    w.AnimateSize(0, 81, 0, 41, frames, 3);
    EXPECT_FALSE(w.IsAnimating());
    EXPECT_EQ(w.HalfLeft, 40);
    EXPECT_EQ(w.HalfBottom, 20);
  }
  CWidgetWindow w;
  w.AnimateSize(0, 100, 0, 100, 8, 4);
  w.Update();
  w.SetHalfSize(1, 2, 3, 4);
  EXPECT_FALSE(w.IsAnimating());
  w.Update();
  EXPECT_EQ(w.HalfRight, 2);
}

}  // namespace
