#pragma once
// The main window on its display: how large it really is, where the
// picture goes in it, which display it is on and what room that gives, and
// the game's own full screen where no window manager runs. The displays are
// read from the X server where there is one, again whenever it says they
// changed (SDL before 2.28 keeps what it read at start-up).
#include "system/SysPicture.h"

// The window's drawable size in pixels, as the system has it (not what was
// asked); 0 x 0 without a window.
void SysGetWindowOutputSize(int& width, int& height);
void SysGetWindowClientSize(int& width, int& height);

// A position in the window (as SDL reports the pointer) into the pixels of
// a picture of pictureWidth x pictureHeight shown there.
void SysMapWindowPoint(int pictureWidth, int pictureHeight, int& x, int& y);

// The display the window is on (the primary one where it is on none): its
// bounds and the usable area (the desktop less panels and docks).
struct SysDisplay {
  SysRect Bounds;
  SysRect Usable;
};
bool SysWindowDisplay(SysDisplay& display);

// Where a window may go: the usable area of the window's display and what
// its decorations add across and down when windowed, whatever its state
// now (a full-screen window has none; the frame it had windowed is kept).
// False where that is not known.
bool SysGetWindowRoom(int& usableWidth, int& usableHeight, int& borderWidth, int& borderHeight);

// The largest k with 320k x 180k inside the window's display, at least 1.
int SysMaxFullscreenScale();

// What the window manager's frame adds now (none before it framed the
// window); `pump` first reads what the manager has set so far.
SysBorders SysWindowBorders(bool pump);
// The size the window has: the X server's where there is one (SDL takes a
// full-screen window to be as large as the display, had or not, and SDL
// before 2.28 a window to be the size it asked for).
void SysWindowRealSize(int& width, int& height);

// Asks for a client of width x height; then puts it where SysPlaceClient
// says on the window's display, with the frame it has now. Returns the
// frame it was placed with.
void SysRequestWindowSize(int width, int height);
SysBorders SysPlaceWindow(int width, int height);
// Whether a client of width x height where the window's client is now
// would have its whole frame inside its display's usable area.
bool SysWindowFitsWhereItIs(int width, int height);

// The window over its whole display with no frame, or framed again; for
// where no window manager runs to make it full screen.
void SysFillDisplay(bool on);
bool SysFillsDisplay();
// Whether the window is in full screen and frameless: SDL's, its own over
// a display with no manager, or the manager's taken on as the game's.
bool SysWindowFrameless();

// The window is in the manager's own full screen, which SDL was not asked
// for: its frame is not the windowed one.
void SysNoteManagersFullscreen(bool on);

// The displays are watched for the main window's life; SysScreensChanged
// (once a frame) reads them again and says so when the X server or SDL
// said they changed.
void SysWatchScreens();
void SysStopWatchingScreens();
void SysNoteScreenChange();
bool SysScreensChanged();
