// The quit question's buttons take a click on every pixel they are drawn
// on, frame included, and on none beside them: found on the drawn picture
// (the button drawn and not drawn), clicked in layout units as the pointer
// gives them at any window scale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RenderTestSupport.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/UiTestSupport.h"

namespace {

using namespace rendertest;
using uitest::Pointer;

// The frame pictures opaque to their edges, each piece in its own colours.
bool FramePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId < 1000 || resourceId > 1003) return TestPictures(resourceId, size, argb);
  const std::uint32_t colours[4] = {White, Red, Green, 0xFFFFFF00u};
  argb.assign(static_cast<std::size_t>(size) * size, colours[resourceId - 1000]);
  return true;
}

class AskingScreen : public CGameInput {
public:
  void Begin() override { Phase = ScreenActive; }
  void OnChildClosed() override {
    Answers.push_back(GetGameInputSelectWindow()->GetResult());
    SetChild(nullptr);
    Phase = ScreenActive;
  }
  void Update() override {
    if (Child) Child->Update();
  }
  std::vector<int> Answers;
};

constexpr ScreenId Asker = 100, PopUp = 29;
AskingScreen* TheAsker = nullptr;
CGameInput* Resolve(ScreenId id) { return id == Asker ? TheAsker : ScreenFromId(id); }

// Logical pixels [X0, X1) x [Y0, Y1).
struct Box {
  int X0 = 1 << 20, Y0 = 1 << 20, X1 = -1, Y1 = -1;
};

class SelectWindowClick : public RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&FramePictures);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(LoadTexture(146 + i, static_cast<std::uint16_t>(1000 + i)));
    uitest::ClearInput();
    TheAsker = &Asking;
    SetScreenResolver(&Resolve);
    ASSERT_TRUE(Root.ChangeChild(Asker));
  }
  void TearDown() override {
    SetScreenResolver(nullptr);
    W->SetParent(nullptr);
    RenderFixture::TearDown();
  }
  // The in-dungeon menu's return-to-title question, open.
  void AskQuit() {
    W->Reset();
    W->SetOptionCount(2);
    W->SetOption(0, "YES");
    W->SetOption(1, "NO");
    W->SetCursor(1);
    W->SetResult(1);
    W->SetSize(480, 300);
    W->SetButtonSize(440, 60);
    W->SetAlpha(255, 224);
    W->SetPosition(1280 / 2 - 480 / 2, 720 / 2 - 300 / 2);
    W->SetAnimation(0, 3, 0, 2);
    ASSERT_TRUE(Asking.PushChild(PopUp));
    Step();
    ASSERT_EQ(W->GetPhase(), ScreenActive);
  }
  void Step(Pointer pointer = {}) {
    uitest::Frame({}, pointer);
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

  CGameInputController Root;
  AskingScreen Asking;
  CGameInputSelectWindow* W = GetGameInputSelectWindow();
  uitest::SoundSpy Sound;
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
