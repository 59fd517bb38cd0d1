#pragma once
// The questions SDL cannot answer on X11: how large the window really is,
// whether a window manager runs, what it answered and what state it gave
// the window. SDL takes a window to be the size it asked for, and a
// full-screen one as large as the display, whether or not a window manager
// made it so.
#include "system/SysWindow.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// The window's size as the X server has it; false where the window is not
// an X11 one (Wayland, the dummy driver) and SDL's own size holds.
bool SysX11WindowSize(SDL_Window* window, int& width, int& height);

// Whether a window manager runs on the window's screen: the root window
// names a check window that exists and names itself. False where the window
// is not an X11 one.
bool SysX11WindowManagerRuns(SDL_Window* window);

// What one of SDL's window-system messages (SDL_SYSWMEVENT) tells of
// `window`: its geometry configured (by the X server, or a window manager's
// answer to a request), its window-manager state or its frame changed.
// `serial` is the X request the server had reached when the event came.
enum class SysX11Notice { Nothing, Configured, StateChanged, FrameChanged };
SysX11Notice SysX11NoticeOf(const SDL_SysWMmsg* message, SDL_Window* window, unsigned long& serial);
// The serial the next X request made for `window` will have; 0 where the
// window is not an X11 one.
unsigned long SysX11NextRequest(SDL_Window* window);
// Whether the X serial `serial` is that of `request` or later.
bool SysX11SerialReached(unsigned long serial, unsigned long request);

// Tells SDL the window is width x height, as the X server has it, without
// asking anyone for that size. SDL learns a window's size only from a
// configure event whose size differs from the last it saw; a window manager
// that keeps the window's size answers a request with the same size again,
// and SDL keeps taking the window to be the size it asked for. False where
// the window is not an X11 one.
bool SysX11TellSize(SDL_Window* window, int width, int height);

// What the window manager says of the window (_NET_WM_STATE).
bool SysX11WindowState(SDL_Window* window, SysManagerState& state);
