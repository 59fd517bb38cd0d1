// F5's scale is kept at exit as F4's setting is: written into the save
// image (and so into "save") without touching a run held there, and the
// next start opens at it, taken down for that start only where the display
// cannot hold it.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/KeyPlaySupport.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace keyplay;

constexpr std::uint32_t KeyF5 = 0x74;

WindowRoom Room;
bool TestRoom(WindowRoom& room) {
  room = Room;
  return true;
}

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

class WindowScaleKept : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Room = {1920, 1080, 2, 26};
    SetWindowRoomSource(&TestRoom);
    game->SetFullscreen(false);
    game->SetWindowScale(2);
    // The save image kept F4 of whatever ran before; the next start reads it.
    game->SaveImage.Block.Fullscreen = 0;
  }
  void TearDown() override {
    if (!IsSkipped()) {
      titletest::DetachTitleScreens();
      SetWindowRoomSource(nullptr);
      game->SetWindowScale(0);
      game->Settings.Block.WindowScale = 2;
    }
    KeyPlay::TearDown();
  }
  void PressF5() {
    Press(KeyF5);
    Frame();
    Release(KeyF5);
    Frame();
  }
  static void ExpectWindow(int width, int height) {
    int w = 0, h = 0;
    SDL_GetWindowSize(Window(), &w, &h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
  }
  // What the next start does with the written "save": loads it, then opens
  // the window at its scale.
  static std::uint32_t StartAgain() {
    CGameMain next;
    EXPECT_TRUE(next.LoadAll());
    next.SetWindowScale(static_cast<int>(next.Settings.Block.WindowScale));
    return next.Settings.Block.WindowScale;
  }
};

TEST_F(WindowScaleKept, F5OnTheTitleThenQuitOpensTheNextStartAtThatScale) {
  // A first start: no run held in the image, whatever ran before.
  game->Settings.Block.GameInProgress = 0;
  game->SaveImage.Block.GameInProgress = 0;
  game->GoToTitle();
  CGameInputTitleTop* top = GetGameInputTitleTop();
  ASSERT_TRUE(RunUntil([&] { return GetGameInputController()->GetChild() == top && top->GetPhase() == ScreenActive; }));
  PressF5();
  ExpectWindow(1280, 720);
  ASSERT_TRUE(game->WriteSaveFile());  // the exit
  const Bytes save = ReadBytes(Folder.File("save"));
  ASSERT_EQ(save.size(), 8192u);
  EXPECT_EQ(U32At(save, WindowScaleAt), 3u);

  game->SetWindowScale(0);
  ExpectWindow(320, 180);
  EXPECT_EQ(StartAgain(), 3u);
  ExpectWindow(1280, 720);

  // On a smaller display the same save opens at what fits, and keeps its
  // scale for a display that holds it.
  Room = {1280, 720, 2, 26};
  EXPECT_EQ(StartAgain(), 3u);
  ExpectWindow(960, 540);
  ASSERT_TRUE(game->WriteSaveFile());
  EXPECT_EQ(U32At(ReadBytes(Folder.File("save")), WindowScaleAt), 3u);
}

// In the middle of a run the image holds the run as its turn began: F5
// changes its scale and nothing else, though the live settings have moved
// on (the play time counts every frame).
TEST_F(WindowScaleKept, F5InARunChangesOnlyTheScaleInTheImage) {
  StartRun(20261210, 1, 0);
  ASSERT_TRUE(NextTurn());
  ASSERT_TRUE(game->WriteSaveFile());
  const Bytes before = ReadBytes(Folder.File("save"));
  ASSERT_EQ(before[GameInProgressAt], 1) << "a run is held in the image";
  for (int i = 0; i < 5; ++i) Frame();
  PressF5();
  PressF5();
  ExpectWindow(1600, 900);
  ASSERT_TRUE(game->WriteSaveFile());
  Bytes after = ReadBytes(Folder.File("save"));
  EXPECT_EQ(U32At(after, WindowScaleAt), 4u);
  ASSERT_EQ(after.size(), before.size());
  PutU32At(after, WindowScaleAt, U32At(before, WindowScaleAt));
  EXPECT_TRUE(after == before) << "bytes of the image other than the scale changed";

  // x5 does not fit 1366 x 768 with a title bar: F5 wraps after x4.
  Room = {1366, 768, 2, 26};
  game->SetWindowScale(3);
  PressF5();
  EXPECT_EQ(game->Settings.Block.WindowScale, 0u);
  ExpectWindow(320, 180);
}

}  // namespace
