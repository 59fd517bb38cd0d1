// Pointer hit tests of a widget that sits inside a parent.
#include <gtest/gtest.h>

#include "ui/CWidget.h"
#include "ui/UiTestSupport.h"

namespace {

using uitest::Frame;
using uitest::Frames;
using uitest::Pointer;

// The button covers x 110-159, y 220-239 on the screen.
class WidgetPointer : public ::testing::Test {
protected:
  void SetUp() override {
    uitest::ClearInput();
    Panel.X = 100;
    Panel.Y = 200;
    Button.Parent = &Panel;
    Button.X = 10;
    Button.Y = 20;
    Button.Width = 50;
    Button.Height = 20;
  }
  static Pointer Down(int x, int y) { return {true, x, y}; }
  static Pointer Up(int x, int y) { return {false, x, y}; }

  CWidget Panel, Button;
};

TEST_F(WidgetPointer, PressCountsInsideTheAbsoluteBoxOnly) {
  struct Case {
    int X, Y;
    bool Inside;
  };
  const Case cases[] = {{110, 220, true}, {159, 239, true}, {160, 230, false}, {130, 240, false},
                        {109, 230, false}, {10, 20, false}};
  for (const Case& c : cases) {
    uitest::ClearInput();
    Frame({}, Down(c.X, c.Y));
    EXPECT_EQ(Button.IsPressed(), c.Inside) << c.X << ", " << c.Y;
    EXPECT_EQ(Button.IsJustPressed(), c.Inside) << c.X << ", " << c.Y;
  }
  Frame({}, Down(125, 233));
  EXPECT_EQ(Button.GetPointerX(), 15);
  EXPECT_EQ(Button.GetPointerY(), 13);
}

TEST_F(WidgetPointer, HiddenOrDisabledWidgetsAnswerNoPressButPointerOverAsksOnlyItsOwnFlags) {
  Frame({}, Down(120, 225));
  Panel.SetVisible(false);
  EXPECT_FALSE(Button.IsVisible());
  EXPECT_FALSE(Button.IsPressed());
  EXPECT_FALSE(Button.IsJustPressed());
  EXPECT_TRUE(Button.IsPointerOver());
  Panel.SetVisible(true);
  Button.SetEnabled(false);
  EXPECT_FALSE(Button.IsPressed());
  EXPECT_FALSE(Button.IsPointerOver());
  Button.SetEnabled(true);
  EXPECT_TRUE(Button.IsPressed());

  GetInput()->Updated = false;
  EXPECT_FALSE(Button.IsPressed());
  EXPECT_FALSE(Button.IsPointerOver());
}

TEST_F(WidgetPointer, JustPressedLastsUntilThePressIsSwallowed) {
  int frames = 0;
  for (; frames < 30; ++frames) {
    Frame({}, Down(120, 225));
    if (!Button.IsJustPressed()) break;
  }
  EXPECT_EQ(frames, 20) << "an unhandled press is seen for its first 20 frames";

  uitest::ClearInput();
  Frame({}, Down(120, 225));
  ASSERT_TRUE(Button.IsJustPressed());
  SwallowInput(GetInput()->InputHistory[InputRowPointer]);
  EXPECT_FALSE(Button.IsJustPressed());
  Frame({}, Down(120, 225));
  EXPECT_FALSE(Button.IsJustPressed()) << "blocked until released";
  EXPECT_FALSE(Button.IsPressed());
  Frame({}, Up(120, 225));
  Frame({}, Down(120, 225));
  EXPECT_TRUE(Button.IsJustPressed());
}

TEST_F(WidgetPointer, SlidingOntoTheWidgetCountsOnTheFrameOfEntry) {
  Frames(25, {}, Down(50, 225));  // long past the fresh press
  EXPECT_FALSE(Button.IsPressedOrEntered());
  Frame({}, Down(120, 225));
  EXPECT_TRUE(Button.IsPressedOrEntered());
  Frame({}, Down(121, 225));
  EXPECT_FALSE(Button.IsPressedOrEntered());
  EXPECT_TRUE(Button.IsPressed());

  uitest::ClearInput();
  Frame({}, Down(120, 225));
  EXPECT_TRUE(Button.IsPressedOrEntered()) << "a fresh press inside counts as well";
}

TEST_F(WidgetPointer, LongHoldNeedsNineDownFramesBehindTheNewestAndBothEndsInside) {
  Frames(9, {}, Down(120, 225));
  EXPECT_FALSE(Button.IsHeldLong());
  Frame({}, Down(120, 225));
  EXPECT_TRUE(Button.IsHeldLong());
  Frame({}, Down(300, 225));
  EXPECT_FALSE(Button.IsHeldLong()) << "the pointer left";

  uitest::ClearInput();
  Frames(12, {}, Down(300, 225));
  Frame({}, Down(120, 225));
  EXPECT_FALSE(Button.IsHeldLong()) << "the press began elsewhere";
}

TEST_F(WidgetPointer, ClickDragAndRelease) {
  Frames(3, {}, Down(120, 225));
  Frame({}, Up(121, 226));
  EXPECT_TRUE(Button.IsClicked());
  EXPECT_TRUE(Button.IsReleasedOver());
  Frame({}, Up(121, 226));
  EXPECT_FALSE(Button.IsClicked());
  EXPECT_FALSE(Button.IsReleasedOver());

  // A press inside dragged away: held over while it lasts, released over
  // where it began, never a click.
  uitest::ClearInput();
  Frame({}, Down(120, 225));
  EXPECT_FALSE(Button.IsHeldOver()) << "not a drag yet";
  GetInput()->Dragged = 1;
  Frame({}, Down(400, 225));
  EXPECT_TRUE(Button.IsHeldOver());
  Frame({}, Up(400, 225));
  EXPECT_TRUE(Button.IsReleasedOver());
  EXPECT_FALSE(Button.IsClicked());

  // A press that began outside is not released over the button.
  uitest::ClearInput();
  Frame({}, Down(400, 225));
  Frame({}, Up(120, 225));
  EXPECT_FALSE(Button.IsReleasedOver());
  EXPECT_TRUE(Button.IsClicked()) << "a click asks where the pointer is";
}

}  // namespace
