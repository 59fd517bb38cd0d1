#pragma once
// What the window-following code asks of the X server itself: whether a
// window manager runs, the window's real size and state, the displays as
// the server has them now, and a patch for SDL before 2.28, which took a
// window to be the size it asked for whatever the manager answered. Every
// function answers false (or nothing) where the window is not an X11 one
// (Wayland, the dummy driver) or the build has no X11.
#include "system/SysPicture.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// Whether the window is an X11 one.
bool SysX11Is(SDL_Window* window);

// From now on an X error nobody waits for is named on standard error and
// play goes on; Xlib's own handler would end the game. SDL3 asks about
// windows that may be gone by then (a parent, at a configure event as the
// game closes). Once the X11 video driver started.
void SysX11KeepPlayingAfterErrors();

// The window's size as the X server has it.
bool SysX11WindowSize(SDL_Window* window, int& width, int& height);

// Whether a window manager runs on the window's screen: the root window
// names a check window that exists and names itself.
bool SysX11WindowManagerRuns(SDL_Window* window);

// Whether no window holds the X server's input focus (PointerRoot or
// None), as without a window manager: nothing gives focus, and no other
// window is in front.
bool SysX11FocusUnheld(SDL_Window* window);

// What the window manager says of the window (_NET_WM_STATE).
bool SysX11WindowState(SDL_Window* window, bool& fullscreen, bool& maximised);

// Asks the window manager to end the window's full screen (_NET_WM_STATE):
// SDL3 leaves alone a full screen the manager made itself.
bool SysX11EndFullscreen(SDL_Window* window);

// Lets the window manager give the window any size (no fixed size in its
// WM_NORMAL_HINTS), as SDL does when it asks for full screen itself: a
// manager may keep a fixed-size window out of its own full screen.
bool SysX11FreeSize(SDL_Window* window);

// What one of SDL's window-system messages (SDL_SYSWMEVENT) tells of
// `window`: its geometry configured (with the size it now has), its
// window-manager state or its frame changed. `serial` is the X request the
// server had reached when the event came.
enum class SysX11Notice { Nothing, Configured, StateChanged, FrameChanged };
struct SysX11Event {
  SysX11Notice Notice = SysX11Notice::Nothing;
  unsigned long Serial = 0;
  int Width = 0, Height = 0;
};
SysX11Event SysX11NoticeOf(const SDL_SysWMmsg* message, SDL_Window* window);
// The serial the next X request made for `window` will have; 0 where none.
unsigned long SysX11NextRequest(SDL_Window* window);
// Whether the X serial `serial` is that of `request` or later.
bool SysX11SerialReached(unsigned long serial, unsigned long request);

// Tells SDL (before 2.28) that the window is width x height, as the X
// server has it, without asking anyone for that size: SDL learnt a size
// only from a configure event whose size differed from the last it saw,
// and a manager that holds the size answers a request with the same size
// again. `believed` is the size SDL takes the window to be: the first of
// the two events put back carries it, which SDL takes as no change, so the
// second, the real size, is the only one SDL acts on.
bool SysX11TellSize(SDL_Window* window, int believedWidth, int believedHeight, int width, int height);

// The displays as the X server has them now (SDL before 2.28 reads them
// once, at start-up): each monitor's bounds, the primary one first, and
// the work area the window manager gives (_NET_WORKAREA; false where none).
constexpr int SysX11MaxDisplays = 16;
struct SysX11Displays {
  SysRect Bounds[SysX11MaxDisplays];
  int Count = 0;
  bool HasWorkArea = false;
  SysRect WorkArea;
};
bool SysX11ReadDisplays(SDL_Window* window, SysX11Displays& displays);

// The screen watch: a connection of its own that hears the X server's
// screen changes (RandR) and changes of the work area. Opened for the
// window's display; polled once a frame; true when something changed
// since the last poll.
bool SysX11WatchScreens(SDL_Window* window);
bool SysX11ScreensChanged();
void SysX11StopWatchingScreens();
