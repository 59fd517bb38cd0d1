#pragma once
// The questions SDL cannot answer on X11: how large the window really is,
// and whether a window manager runs to grant full screen at all. SDL takes
// a full-screen window to be as large as the display whether or not a
// window manager made it so.
#include <cstdint>

struct SDL_Window;

// The window's size as the X server has it; false where the window is not
// an X11 one (Wayland, the dummy driver) and SDL's own size holds.
bool SysX11WindowSize(SDL_Window* window, int& width, int& height);

// Whether a window manager runs on the window's screen: the root window
// names a check window that exists and names itself. False where the window
// is not an X11 one.
bool SysX11WindowManagerRuns(SDL_Window* window);

// What has become of a request for full screen, judged after it.
enum class FullscreenAnswer {
  Granted,     // the window is as large as SDL takes it to be
  Waiting,     // not yet: keep asking, look again later
  NotGranted,  // nobody will make it so: give up SDL's full-screen state
};

// A window manager may answer late (a loaded machine, a desktop that
// animates the change): the window is judged not granted only after this
// long and this many looks, and never in the frame of the request itself.
// Where no window manager runs nobody will ever answer, so the first look
// after the request decides.
constexpr std::uint32_t FullscreenGraceMs = 2000;
constexpr int FullscreenGraceLooks = 10;

struct FullscreenLook {
  bool WindowManager;     // one runs on the window's screen
  bool SizeMatches;       // the X server's size is the one SDL takes it to have
  int LooksSinceRequest;  // 0: the frame that made the request
  std::uint32_t MsSinceRequest;
};

FullscreenAnswer SysJudgeFullscreen(const FullscreenLook& look);
