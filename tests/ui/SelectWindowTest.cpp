// The option pop-up pushed over a screen that asks, answered by keys and by
// the pointer, and read by the asking screen once it has closed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/RenderTestSupport.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/UiTestSupport.h"

namespace {

using uitest::Frame;
using uitest::Pointer;

// Reads the answer when the pop-up hands back, as the in-dungeon menu does.
class AskingScreen : public CGameInput {
public:
  void Begin() override { Phase = ScreenActive; }
  void OnCovered() override { Phase = 7; }
  void OnChildClosed() override {
    Answers.push_back(GetGameInputSelectWindow()->GetResult());
    PopUpPhases.push_back(Child ? Child->GetPhase() : -1);
    SetChild(nullptr);
    Phase = ScreenActive;
  }
  void Update() override {
    if (Child) Child->Update();
  }
  void Draw() override {
    if (Child) Child->Draw();
  }
  std::vector<int> Answers, PopUpPhases;
};

constexpr ScreenId Asker = 100, PopUp = 29;
AskingScreen* TheAsker = nullptr;

CGameInput* Resolve(ScreenId id) { return id == Asker ? TheAsker : ScreenFromId(id); }

// The in-dungeon menu's return-to-title question, not yet open.
void FillQuitQuestion(CGameInputSelectWindow* w, int openFrames, int closeFrames) {
  w->Reset();
  w->SetOptionCount(2);
  w->SetTitle("QUIT TO TITLE,\nARE YOU SURE?");
  w->SetOption(0, "YES");
  w->SetOption(1, "NO");
  w->SetCursor(1);
  w->SetResult(1);
  w->SetSize(480, 300);
  w->SetButtonSize(440, 60);
  w->SetAlpha(255, 224);
  w->SetPosition(1280 / 2 - 480 / 2, 720 / 2 - 300 / 2);
  w->SetAnimation(openFrames, 3, closeFrames, 2);
}

// Button 0 covers x 420-859, y 342-401 on the screen; button 1, y 430-489.
constexpr Pointer OnYes{true, 500, 360}, OnNo{true, 500, 450};

// The asking screen under the root, ready to push the pop-up; every
// fixture of the pop-up starts from it.
struct QuestionScene {
  void Open() {
    uitest::ClearInput();
    TheAsker = &Asking;
    SetScreenResolver(&Resolve);
    ASSERT_TRUE(Root.ChangeChild(Asker));
  }
  void Close() {
    SetScreenResolver(nullptr);
    W->SetParent(nullptr);  // the asking screen ends with the test
  }

  CGameInputController Root;
  AskingScreen Asking;
  CGameInputSelectWindow* W = GetGameInputSelectWindow();
  uitest::SoundSpy Sound;
};

class SelectWindow : public ::testing::Test, protected QuestionScene {
protected:
  void SetUp() override { Open(); }
  void TearDown() override { Close(); }

  // The in-dungeon menu's return-to-title question.
  void AskQuit(int openFrames = 0, int closeFrames = 0) {
    FillQuit(openFrames, closeFrames);
    ASSERT_TRUE(Asking.PushChild(PopUp));
  }
  void FillQuit(int openFrames = 0, int closeFrames = 0) { FillQuitQuestion(W, openFrames, closeFrames); }
  void Step(const std::vector<int>& rows = {}, Pointer pointer = {}) {
    Frame(rows, pointer);
    Root.Update();
  }
  int Highlighted() const {
    int found = -1;
    for (int i = 0; i < 4; ++i)
      if (W->Buttons[i].IsSelected()) {
        EXPECT_EQ(found, -1) << "one highlight at a time";
        found = i;
        EXPECT_EQ(W->Buttons[i].GetRed(), 255);
      } else {
        EXPECT_EQ(W->Buttons[i].GetRed(), 64);
      }
    return found;
  }
};

TEST_F(SelectWindow, OpensWithItsTitleAndOptionsLaidOutOverTheAskingScreen) {
  AskQuit();
  EXPECT_EQ(Asking.GetPhase(), 7) << "the asking screen was told it is covered";
  EXPECT_EQ(W->GetParent(), &Asking);
  EXPECT_EQ(W->GetPhase(), ScreenOpening);
  EXPECT_EQ(W->Frame.X, 400);
  EXPECT_EQ(W->Frame.Y, 210);
  EXPECT_EQ(W->Frame.CaptionHeight, 104);
  EXPECT_EQ(W->Frame.HalfLeft, 240);
  EXPECT_EQ(W->Frame.HalfTop, 150);
  EXPECT_EQ(W->Buttons[0].X, 20);
  EXPECT_EQ(W->Buttons[0].Y, 132);
  EXPECT_EQ(W->Buttons[1].Y, 220);
  EXPECT_EQ(W->Buttons[1].GetX(), 420);
  EXPECT_EQ(W->Buttons[1].HalfRight, 220);
  EXPECT_STREQ(W->Frame.GetText(), "");
  EXPECT_FALSE(W->Buttons[0].IsVisible());
  EXPECT_EQ(Highlighted(), 1);

  Step();
  EXPECT_EQ(W->GetPhase(), ScreenActive);
  EXPECT_STREQ(W->Frame.GetText(), "QUIT TO TITLE,\nARE YOU SURE?");
  EXPECT_STREQ(W->Buttons[0].GetText(), "YES");
  EXPECT_STREQ(W->Buttons[1].GetText(), "NO");
  EXPECT_TRUE(W->Buttons[1].IsVisible());
  EXPECT_FALSE(W->Buttons[2].IsVisible());
  EXPECT_FALSE(W->Buttons[3].IsVisible());
}

TEST_F(SelectWindow, AnswersWithEachOptionAndWithCancel) {
  struct Input {
    std::vector<int> Rows;
    Pointer At;
  };
  struct Case {
    const char* What;
    std::vector<Input> Frames;
    int Answer;
  };
  const Case cases[] = {
      {"SELECT on the preset NO", {{{InputRowSelect}, {}}}, 1},
      {"Up, then SELECT", {{{InputRowUp}, {}}, {{}, {}}, {{InputRowSelect}, {}}}, 0},
      {"Down wraps to YES, then SELECT", {{{InputRowDown}, {}}, {{}, {}}, {{InputRowSelect}, {}}}, 0},
      {"CANCEL on YES gives the cancel answer", {{{InputRowUp}, {}}, {{}, {}}, {{InputRowCancel}, {}}}, 1},
      {"pointer on YES while NO is highlighted", {{{}, OnYes}}, 0},
      {"pointer on NO", {{{}, OnNo}}, 1},
  };
  for (const Case& c : cases) {
    uitest::ClearInput();
    Asking.Answers.clear();
    Asking.PopUpPhases.clear();
    AskQuit();
    Step();
    for (const Input& input : c.Frames) Step(input.Rows, input.At);
    EXPECT_EQ(Asking.Answers, std::vector<int>{c.Answer}) << c.What;
    EXPECT_EQ(Asking.PopUpPhases, std::vector<int>{ScreenClosed}) << c.What;
    EXPECT_TRUE(Sound.ChoiceSoundPlayed()) << c.What;
    EXPECT_EQ(Asking.GetChild(), nullptr) << c.What;
    EXPECT_FALSE(W->Buttons[0].IsVisible()) << c.What;
    EXPECT_EQ(W->Frame.HalfLeft, 0) << c.What;
    // Nothing answers twice, whatever stays down.
    Step({InputRowSelect, InputRowCancel});
    EXPECT_EQ(Asking.Answers.size(), 1u) << c.What;
  }
}

TEST_F(SelectWindow, UpAndDownWrapWithASoundAndCancelWithoutAnAnswerDoesNothing) {
  AskQuit();
  W->SetCursor(-1);
  Step();
  const int expected[] = {0, 1, 0};
  for (int e : expected) {
    Step({InputRowUp});
    EXPECT_EQ(Highlighted(), e);
    EXPECT_TRUE(Sound.ChoiceSoundPlayed());
    Step();
    EXPECT_FALSE(Sound.ChoiceSoundPlayed());
  }
  Step({InputRowDown});
  EXPECT_EQ(Highlighted(), 1);
  Step();
  Step({InputRowDown});
  EXPECT_EQ(Highlighted(), 0);
  Step({InputRowDown});
  EXPECT_EQ(Highlighted(), 0) << "a held key moves once";

  Step({InputRowCancel});
  EXPECT_TRUE(Asking.Answers.empty());
  EXPECT_EQ(W->GetPhase(), ScreenActive);
}

TEST_F(SelectWindow, GrowsBeforeReadingInputAndShrinksBeforeHandingBack) {
  // A tap while it grows would answer for ten frames if it were read.
  AskQuit(14, 6);
  Step({InputRowSelect});
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(W->GetPhase(), ScreenOpening);
    EXPECT_STREQ(W->Frame.GetText(), "");
    EXPECT_FALSE(W->Buttons[1].IsVisible());
    Step();
  }
  EXPECT_TRUE(W->Frame.IsAnimating());
  Step();  // the fourteenth frame of growth
  EXPECT_EQ(W->GetPhase(), ScreenActive);
  EXPECT_EQ(W->Frame.HalfLeft, 240);
  EXPECT_TRUE(W->Buttons[1].IsVisible());
  Step();
  EXPECT_TRUE(Asking.Answers.empty()) << "no input was read while it grew";

  Step({}, OnYes);
  EXPECT_EQ(W->GetPhase(), ScreenClosing);
  EXPECT_EQ(W->GetResult(), 0);
  EXPECT_TRUE(Asking.Answers.empty()) << "the frame shrinks first";
  EXPECT_FALSE(W->Buttons[0].IsVisible());
  for (int i = 0; i < 5; ++i) {
    Step();
    EXPECT_TRUE(Asking.Answers.empty());
  }
  Step();
  EXPECT_EQ(Asking.Answers, std::vector<int>{0});
  EXPECT_EQ(W->GetPhase(), ScreenClosed);
}

TEST_F(SelectWindow, SelectAndCancelInOneFrameGiveOneAnswer) {
  AskQuit();
  Step();
  Step({InputRowSelect, InputRowCancel});
  EXPECT_EQ(Asking.Answers, std::vector<int>{1});
}

TEST_F(SelectWindow, NoticeWithoutOptionsClosesOnSelectWithThePreset) {
  W->Reset();
  W->SetTitle("NOT ENOUGH MATERIAL");
  W->SetResult(3);
  W->SetSize(480, 200);
  W->SetAnimation(0, 3, 0, 2);
  ASSERT_TRUE(Asking.PushChild(PopUp));
  Step();
  Step({InputRowUp});
  Step();
  Step({InputRowCancel});
  EXPECT_TRUE(Asking.Answers.empty()) << "no cancel answer was set";
  EXPECT_EQ(W->GetResult(), 3);
  Step({InputRowSelect});
  EXPECT_EQ(Asking.Answers, std::vector<int>{3});
}

TEST_F(SelectWindow, AnsweringAgainFromTheHandBackOpensAFreshQuestion) {
  // The asking screen pushes the pop-up again as soon as it has its answer.
  struct Again : AskingScreen {
    void OnChildClosed() override {
      AskingScreen::OnChildClosed();
      if (Answers.size() == 1) PushChild(PopUp);
    }
  } again;
  TheAsker = &again;
  ASSERT_TRUE(Root.ChangeChild(Asker));
  FillQuit();
  ASSERT_TRUE(again.PushChild(PopUp));
  Step();
  Step({}, OnYes);
  EXPECT_EQ(W->GetPhase(), ScreenOpening) << "the second question is not closed by the first";
  EXPECT_EQ(again.GetChild(), W);
  Step();
  Step({}, {false, 0, 0});
  Step({}, OnNo);
  EXPECT_EQ(again.Answers, (std::vector<int>{0, 1}));
}

TEST_F(SelectWindow, SettersKeepToTheirBounds) {
  W->SetCursor(2);
  W->SetAlpha(10, 20);
  W->SetOptionCount(3);
  W->Reset();
  EXPECT_EQ(W->CancelChoice, -1);
  EXPECT_EQ(W->FrameAlpha, 255);
  EXPECT_EQ(W->BackdropAlpha, 192);
  EXPECT_EQ(W->OptionCount, 0);

  W->SetOptionCount(9);
  EXPECT_EQ(W->OptionCount, 4);
  W->SetOptionCount(-2);
  EXPECT_EQ(W->OptionCount, 0);

  W->SetOption(0, "KEEP");
  W->SetOption(4, "OUT");
  W->SetOption(-1, "OUT");
  EXPECT_STREQ(W->Options[0], "KEEP");

  W->SetResult(1);
  W->SetResult(4);
  W->SetResult(-1);
  EXPECT_EQ(W->GetResult(), 1);

  std::string title(510, 't');
  title += "\x82\xa0";
  W->SetTitle(title.c_str());
  EXPECT_EQ(std::string(W->Title), std::string(510, 't'));
  W->SetOption(2, std::string(300, 'o').c_str());
  EXPECT_EQ(std::strlen(W->Options[2]), 127u);
}

// The quit question's buttons take a click on every pixel they are drawn
// on, frame included, and on none beside them: found on the drawn picture
// (the button drawn and not drawn), clicked in layout units as the pointer
// gives them at any window scale.
using rendertest::Black;
using rendertest::Green;
using rendertest::Red;
using rendertest::White;

// The frame pictures opaque to their edges, each piece in its own colours.
bool FramePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId < 1000 || resourceId > 1003) return rendertest::TestPictures(resourceId, size, argb);
  const std::uint32_t colours[4] = {White, Red, Green, 0xFFFFFF00u};
  argb.assign(static_cast<std::size_t>(size) * size, colours[resourceId - 1000]);
  return true;
}

// Logical pixels [X0, X1) x [Y0, Y1).
struct Box {
  int X0 = 1 << 20, Y0 = 1 << 20, X1 = -1, Y1 = -1;
};

class SelectWindowClick : public rendertest::RenderFixture, protected QuestionScene {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&FramePictures);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(LoadTexture(146 + i, static_cast<std::uint16_t>(1000 + i)));
    Open();
  }
  void TearDown() override {
    Close();
    RenderFixture::TearDown();
  }
  // The in-dungeon menu's return-to-title question, open.
  void AskQuit() {
    FillQuitQuestion(W, 0, 0);
    ASSERT_TRUE(Asking.PushChild(PopUp));
    Step();
    ASSERT_EQ(W->GetPhase(), ScreenActive);
  }
  void Step(Pointer pointer = {}) {
    Frame({}, pointer);
    Root.Update();
  }
  std::vector<std::uint32_t> Drawn() {
    ClearTarget(Black);
    W->Draw();
    Grab();
    return Pixels;
  }
  // The logical pixels button i changes when it is drawn.
  std::vector<bool> ButtonPixels(int i, Box& box) {
    const std::vector<std::uint32_t> with = Drawn();
    W->Buttons[i].SetVisible(false);
    const std::vector<std::uint32_t> without = Drawn();
    W->Buttons[i].SetVisible(true);
    std::vector<bool> drawn(with.size());
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * Width + x;
        if (with[at] == without[at]) continue;
        drawn[at] = true;
        box = {std::min(box.X0, x), std::min(box.Y0, y), std::max(box.X1, x + 1), std::max(box.Y1, y + 1)};
      }
    return drawn;
  }
  // A click at layout (x, y) on the open question; its answer, or -1.
  int ClickAt(int x, int y) {
    Asking.Answers.clear();
    Step(Pointer{true, x, y});
    Step();
    const int answer = Asking.Answers.empty() ? -1 : Asking.Answers.front();
    if (answer >= 0) AskQuit();
    return answer;
  }
};

TEST_F(SelectWindowClick, YesAndNoAnswerOnEveryEdgePixelTheyDrawAndNotBesideIt) {
  AskQuit();
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "YES" : "NO");
    Box box;
    const std::vector<bool> drawn = ButtonPixels(i, box);
    ASSERT_LT(box.X0, box.X1) << "the button draws nothing";
    // Every corner of each layout unit square of a pixel: the pointer gives
    // any of them at some window scale.
    auto answers = [&](int px, int py, int expected) {
      for (int dy : {0, 3})
        for (int dx : {0, 3}) {
          const int got = ClickAt(4 * px + dx, 4 * py + dy);
          if (got != expected) {
            ADD_FAILURE() << "a click on pixel (" << px << ", " << py << ") at unit (" << 4 * px + dx << ", "
                          << 4 * py + dy << ") answers " << got << ", not " << expected;
            return;
          }
        }
    };
    auto onEdge = [&](int x, int y) {
      if (drawn[static_cast<std::size_t>(y) * Width + x]) answers(x, y, i);
    };
    for (int x = box.X0; x < box.X1; ++x) {
      onEdge(x, box.Y0);
      onEdge(x, box.Y1 - 1);
      answers(x, box.Y0 - 1, -1);
      answers(x, box.Y1, -1);
    }
    for (int y = box.Y0; y < box.Y1; ++y) {
      onEdge(box.X0, y);
      onEdge(box.X1 - 1, y);
      answers(box.X0 - 1, y, -1);
      answers(box.X1, y, -1);
    }
  }
}

}  // namespace
