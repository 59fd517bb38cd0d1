// What reaches the window: the whole picture, at every window scale and in
// full screen, for frames drawn at 320 x 180 and stretched (the title, a
// floor) and for frames drawn at full size (the class choice, the menu).
// Read as the player sees it: the window's own output after the present's
// copy, never an inner buffer that the present still has to place.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>

#include "app/KeyPlaySupport.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"
#include "system/SysWindow.h"

namespace {

using namespace keyplay;

struct Picture {
  std::vector<std::uint32_t> Argb;
  int Width = 0, Height = 0;
  std::uint32_t At(int x, int y) const { return Argb[static_cast<std::size_t>(y) * Width + x] & 0xFFFFFFu; }
};

// How the window is asked to show the game.
struct Mode {
  const char* Name;
  int WindowScale;  // 1-5
  bool Fullscreen;
};

constexpr Mode Modes[] = {{"x1", 1, false}, {"x2", 2, false}, {"x3", 3, false}, {"x4", 4, false},
                          {"x5", 5, false}, {"full screen", 3, true}};

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

class WindowPicture : public KeyPlay {
protected:
  void TearDown() override {
    if (!IsSkipped()) {
      titletest::DetachTitleScreens();
      game->SetFullscreen(false);
      game->SetWindowScale(0);
    }
    KeyPlay::TearDown();
  }

  void Use(const Mode& mode) {
    game->SetFullscreen(false);
    game->SetWindowScale(mode.WindowScale - 1);
    game->SetFullscreen(mode.Fullscreen);
  }
  // The current frame drawn and presented once more, as the window got it,
  // and the back buffer it came from.
  void Show(Picture& window, Picture& back) {
    game->Draw();
    ASSERT_TRUE(ReadWindowPicture(window.Argb, window.Width, window.Height));
    ASSERT_TRUE(ReadBackBuffer(back.Argb, back.Width, back.Height));
  }
  // The window holds the back buffer, scaled by a whole factor, filling
  // `rect` exactly, and black everywhere else.
  static void ExpectFilled(const Picture& window, const Picture& back, const SysRect& rect) {
    ASSERT_GT(rect.W, 0);
    ASSERT_EQ(rect.W % back.Width, 0) << rect.W << " wide for a back buffer of " << back.Width;
    ASSERT_EQ(rect.W / back.Width, rect.H / back.Height);
    const int k = rect.W / back.Width;
    int wrong = 0, border = 0;
    std::string first;
    for (int y = 0; y < window.Height; ++y)
      for (int x = 0; x < window.Width; ++x) {
        const bool inside = x >= rect.X && y >= rect.Y && x < rect.X + rect.W && y < rect.Y + rect.H;
        if (!inside) {
          border += window.At(x, y) != 0;
          continue;
        }
        if (window.At(x, y) != back.At((x - rect.X) / k, (y - rect.Y) / k) && wrong++ == 0)
          first = std::to_string(x) + ", " + std::to_string(y);
      }
    EXPECT_EQ(wrong, 0) << "window pixels unlike the back buffer, the first at " << first;
    EXPECT_EQ(border, 0) << "window pixels outside the picture that are not black";
  }
  // Every mode: the window is the size the mode makes it and the picture
  // fills it (windowed) or the largest whole scale of it, centred.
  void ExpectWholePictureInEveryMode(const char* screen) {
    SCOPED_TRACE(screen);
    for (const Mode& mode : Modes) {
      SCOPED_TRACE(mode.Name);
      Use(mode);
      Picture window, back;
      Show(window, back);
      int w = 0, h = 0;
      SDL_GetWindowSizeInPixels(Window(), &w, &h);
      ASSERT_EQ(window.Width, w);
      ASSERT_EQ(window.Height, h);
      if (!mode.Fullscreen) {
        EXPECT_EQ(w, 320 * mode.WindowScale);
        EXPECT_EQ(h, 180 * mode.WindowScale);
        ExpectFilled(window, back, SysRect{0, 0, w, h});
        continue;
      }
      int k = 1;
      while (320 * (k + 1) <= w && 180 * (k + 1) <= h) ++k;
      EXPECT_EQ(BackBufferScale, k);
      ExpectFilled(window, back, SysRect{(w - 320 * k) / 2, (h - 180 * k) / 2, 320 * k, 180 * k});
    }
    Use(Modes[0]);
  }

  void ToTheTitle() {
    game->GoToTitle();
    CGameInputTitleTop* top = GetGameInputTitleTop();
    ASSERT_TRUE(RunUntil([&] { return GetGameInputController()->GetChild() == top && top->GetPhase() == ScreenActive; }));
  }
};

TEST(WindowPictureRect, TheLargestWholeScaleThatFitsCentredAndSixteenByNineBelowOneScale) {
  const struct {
    int Width, Height;
    SysRect Expected;
  } cases[] = {
      // Windows the game sized itself: filled.
      {320, 180, {0, 0, 320, 180}},
      {960, 540, {0, 0, 960, 540}},
      {1600, 900, {0, 0, 1600, 900}},
      // Windows sized from outside.
      {1000, 1000, {20, 230, 960, 540}},
      {700, 400, {30, 20, 640, 360}},
      {2000, 1100, {40, 10, 1920, 1080}},
      {1200, 700, {120, 80, 960, 540}},
      {959, 540, {159, 90, 640, 360}},
      // Smaller than one scale: 16 : 9 as large as fits, never past the window.
      {200, 100, {11, 0, 177, 100}},
      {300, 100, {61, 0, 177, 100}},
      {160, 400, {0, 155, 160, 90}},
      {319, 180, {0, 0, 319, 179}},
      {1, 1, {0, 0, 1, 1}},
      // Full screen on desktops, and one not granted.
      {1920, 1080, {0, 0, 1920, 1080}},
      {1024, 768, {32, 114, 960, 540}},
      {1366, 768, {43, 24, 1280, 720}},
      {2560, 1440, {0, 0, 2560, 1440}},
      {0, 0, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const SysRect r = SysPlacePicture(c.Width, c.Height).Rect;
    EXPECT_EQ(r.X, c.Expected.X) << c.Width << " x " << c.Height;
    EXPECT_EQ(r.Y, c.Expected.Y) << c.Width << " x " << c.Height;
    EXPECT_EQ(r.W, c.Expected.W) << c.Width << " x " << c.Height;
    EXPECT_EQ(r.H, c.Expected.H) << c.Width << " x " << c.Height;
  }
}

TEST(WindowPictureRect, ThePointerMapsThroughTheRectangle) {
  const struct {
    SysRect Rect;
    int PictureWidth, PictureHeight, X, Y, ExpectedX, ExpectedY;
  } cases[] = {
      // x3 windowed: one to one.
      {{0, 0, 960, 540}, 960, 540, 0, 0, 0, 0},
      {{0, 0, 960, 540}, 960, 540, 959, 539, 959, 539},
      // x3 centred in a window sized to 1000 x 1000 from outside.
      {{20, 230, 960, 540}, 960, 540, 500, 500, 480, 270},
      {{20, 230, 960, 540}, 960, 540, 10, 100, -10, -130},
      // x1 shrunk into a 200 x 100 window.
      {{11, 0, 177, 100}, 320, 180, 187, 99, 318, 178},
      // Left of and above it, where rounding toward zero would give -1.
      {{11, 0, 177, 100}, 320, 180, 10, -1, -2, -2},
      // Full screen on 1024 x 768 at x3, and on 1920 x 1080 at x6.
      {{32, 114, 960, 540}, 960, 540, 32, 114, 0, 0},
      {{32, 114, 960, 540}, 960, 540, 991, 653, 959, 539},
      {{32, 114, 960, 540}, 960, 540, 10, 700, -22, 586},
      {{0, 0, 1920, 1080}, 1920, 1080, 1919, 1079, 1919, 1079},
      // A back buffer one frame behind the window's scale.
      {{0, 0, 960, 540}, 1920, 1080, 480, 270, 960, 540},
  };
  for (const auto& c : cases) {
    int x = c.X, y = c.Y;
    SysMapPointThroughRect(c.Rect, c.PictureWidth, c.PictureHeight, x, y);
    EXPECT_EQ(x, c.ExpectedX) << c.X << ", " << c.Y;
    EXPECT_EQ(y, c.ExpectedY) << c.X << ", " << c.Y;
  }
}

TEST_F(WindowPicture, TheTitleAndTheClassChoiceFillTheWindowInEveryMode) {
  ToTheTitle();
  ExpectWholePictureInEveryMode("the title");

  Press(KeySelect);
  Frame();
  Release(KeySelect);
  CGameInputTitleCharacterSelect* classes = GetGameInputTitleCharacterSelect();
  ASSERT_TRUE(RunUntil([&] { return GetGameInputTitleTop()->GetChild() == classes && classes->GetPhase() == ScreenActive; }));
  for (int i = 0; i < 10; ++i) Frame();
  ExpectWholePictureInEveryMode("the class choice");
}

TEST_F(WindowPicture, AFloorAndTheMenuFillTheWindowInEveryMode) {
  StartRun(20261210, 1, 0);
  ASSERT_TRUE(NextTurn());
  ExpectWholePictureInEveryMode("a floor");

  ASSERT_TRUE(OpenMenu());
  ExpectWholePictureInEveryMode("the menu");
}

// A window sized from outside (a tiling window manager, the player's own
// resizing) shows the picture whole at the largest whole scale that fits,
// centred, black around it, drawn at that scale; the scale asked for stays,
// and the pointer lands where the picture is.
TEST_F(WindowPicture, AWindowSizedFromOutsideShowsThePictureAtTheScaleThatFits) {
  ToTheTitle();
  const struct {
    int Width, Height;
    SysRect Expected;
  } windows[] = {
      {1000, 1000, {20, 230, 960, 540}}, {700, 400, {30, 20, 640, 360}},  {2000, 1100, {40, 10, 1920, 1080}},
      {960, 540, {0, 0, 960, 540}},      {200, 100, {11, 0, 177, 100}},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(std::to_string(w.Width) + " x " + std::to_string(w.Height));
    Use(Mode{"x5", 5, false});
    SDL_SetWindowSize(Window(), w.Width, w.Height);
    Picture window, back;
    Show(window, back);
    ASSERT_EQ(window.Width, w.Width);
    ASSERT_EQ(window.Height, w.Height);
    const int k = std::max(1, w.Expected.W / 320);
    EXPECT_EQ(BackBufferScale, k);
    EXPECT_EQ(GetInput()->MouseScale, k);
    EXPECT_EQ(game->Settings.Block.WindowScale, 4u) << "the player's scale stays";
    EXPECT_EQ(RequestedWindowScale, 5);
    if (w.Expected.W >= 320) {
      ExpectFilled(window, back, w.Expected);
    } else {
      // Shrunk: black around it, the title inside.
      int border = 0, lit = 0;
      for (int y = 0; y < window.Height; ++y)
        for (int x = 0; x < window.Width; ++x) {
          const bool inside = x >= w.Expected.X && y >= w.Expected.Y && x < w.Expected.X + w.Expected.W &&
                              y < w.Expected.Y + w.Expected.H;
          (inside ? lit : border) += window.At(x, y) != 0;
        }
      EXPECT_EQ(border, 0);
      EXPECT_GT(lit, w.Expected.W * w.Expected.H / 2);
    }
    // The pointer at the picture's centre is at the layout's centre.
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = w.Expected.X + w.Expected.W / 2;
    motion.motion.y = w.Expected.Y + w.Expected.H / 2;
    ASSERT_EQ(SDL_PushEvent(&motion), 1);
    for (SysEvent event; SysPollEvent(event);) DispatchEvent(event);
    Frame();
    EXPECT_NEAR(GetInput()->InputHistory[InputRowPointerX][0], 640, 8);
    EXPECT_NEAR(GetInput()->InputHistory[InputRowPointerY][0], 360, 8);
  }
  // The game's own request fills the window again.
  Use(Mode{"x2", 2, false});
  Picture window, back;
  Show(window, back);
  EXPECT_EQ(window.Width, 640);
  EXPECT_EQ(BackBufferScale, 2);
  ExpectFilled(window, back, SysRect{0, 0, 640, 360});
}

// Full screen as SDL reports it (SDL3, Wayland): a request SDL says it
// never had leaves the game windowed; a full screen SDL set without a
// request of the game's is the compositor's own and becomes the game's; its
// end too. Through all of it the pointer divides by the picture's scale.
TEST_F(WindowPicture, FullScreenAsSdlReportsItIsTheGamesStateAndThePointersScale) {
  ToTheTitle();
  Use(Modes[0]);
  game->SetFullscreen(true);
  SDL_SetWindowFullscreen(Window(), 0);
  Picture window, back;
  // Judged after the request's own frame.
  Show(window, back);
  Show(window, back);
  EXPECT_EQ(FullscreenActive, 0) << "a full screen never had";
  EXPECT_EQ(game->Settings.Block.Fullscreen, 0u);
  EXPECT_EQ(GetInput()->MouseScale, BackBufferScale);

  SDL_SetWindowFullscreen(Window(), SDL_WINDOW_FULLSCREEN_DESKTOP);
  Show(window, back);
  EXPECT_EQ(FullscreenActive, 1) << "the compositor's own full screen";
  EXPECT_EQ(game->Settings.Block.Fullscreen, 1u);
  EXPECT_GT(BackBufferScale, 1);
  EXPECT_EQ(GetInput()->MouseScale, BackBufferScale);

  SDL_SetWindowFullscreen(Window(), 0);
  Show(window, back);
  EXPECT_EQ(FullscreenActive, 0) << "ended by the compositor";
  EXPECT_EQ(game->Settings.Block.Fullscreen, 0u);
  EXPECT_EQ(BackBufferScale, 1);
  EXPECT_EQ(GetInput()->MouseScale, 1);
}

}  // namespace
