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

// From now on an X error nobody waits for is counted, named only among the
// debug lines, and play goes on; Xlib's own handler would end the game.
// SDL3 asks about windows that may be gone by then (a parent, at a
// configure event as the game closes). A display that is lost ends the
// game (status 1) with a line that says so. Before SDL starts (SDL puts
// back the handler it found as it ends) and again once its X11 video
// driver started (it puts its own in place).
void SysX11KeepPlayingAfterErrors();
// How many X errors came since then; they are counted no more.
int SysX11StopCountingErrors();

// Shows the window and waits up to timeoutMs for it to be mapped; false
// when the window manager has not mapped it by then. SDL waits for that map
// without a bound, for ever where a manager still starting loses the
// request: it is told the window is mapped, so that its own show returns at
// once, and the real map follows whenever the manager makes it. True where
// the window is not an X11 one, and when a request to end cut the wait.
bool SysX11ShowWithin(SDL_Window* window, int timeoutMs);

// The window's end, heard on a connection of its own (DestroyNotify), or
// seen in an X error that names the window: a window destroyed from
// outside. Errors that name it are not named once it is gone.
void SysX11WatchWindowEnd(SDL_Window* window);
bool SysX11WindowGone();
// Before SDL destroys a window that is gone: SDL would ask the server
// whether it is mapped (and read an answer that never came) and then wait
// without a bound for it to be unmapped, so it is told it was.
void SysX11LetGoneWindowGo(SDL_Window* window);
void SysX11StopWatchingWindowEnd();

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
