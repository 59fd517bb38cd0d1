#pragma once
// The main window's geometry: how large it really is, where the picture
// goes in it, where the game puts it on its display, and full screen as the
// window manager answers it. A window manager may hold the window's size
// (tiled, maximised, full screen) or change it by itself; the window as it
// is, not as it was asked for, rules the picture.
#include <cstdint>

struct SysRect {
  int X = 0, Y = 0, W = 0, H = 0;
};

// The largest whole k with 320k x 180k inside width x height; at least 1.
int SysLargestScaleIn(int width, int height);

// Where the picture lands in a window whose output is outputWidth x
// outputHeight pixels, windowed or in full screen alike: at the largest
// whole scale that fits, centred, black around it (in a window the game
// sized itself, none); in a window smaller than 320 x 180, at scale 1
// shrunk to the largest 16 : 9 rectangle that fits, centred.
struct SysPicturePlace {
  int Scale = 1;
  SysRect Rect;
};
SysPicturePlace SysPlacePicture(int outputWidth, int outputHeight);

// A window pixel through that rectangle into the picture's own pixels
// (pictureWidth x pictureHeight), rounding toward minus infinity: a point
// left of or above the picture lands outside it.
void SysMapPointThroughRect(const SysRect& rect, int pictureWidth, int pictureHeight, int& x, int& y);
// A position in the window (as SDL reports the pointer) into the pixels of
// a picture of pictureWidth x pictureHeight shown there.
void SysMapWindowPoint(int pictureWidth, int pictureHeight, int& x, int& y);

// The window's drawable size in pixels, as the system has it (not what was
// asked); 0 x 0 without a window.
void SysGetWindowOutputSize(int& width, int& height);
void SysGetWindowClientSize(int& width, int& height);

// Where a window may go on its display: the usable area (the desktop less
// panels and docks) and what the window's decorations add across and down
// (0 where the system has not said). False where that is not known.
bool SysGetWindowRoom(int& usableWidth, int& usableHeight, int& borderWidth, int& borderHeight);

// A window of width x height client pixels, placed on its display.
void SysSetWindowClientSize(int width, int height);

// Full screen on the desktop as it is, or windowed again.
void SysSetFullscreenDesktop(bool on);
// The largest k with 320k x 180k inside the desktop, at least 1.
int SysMaxFullscreenScale();
// Called each drawn frame in full screen until the request is judged
// (SysJudgeFullscreen): granted, or still waited for while a window manager
// may answer late, or not granted (none runs, or none answered in time). Then
// SDL gives up its full-screen state too, so that the window's size SDL
// reports, and draws for, is the real one; the picture stays in full
// screen's way, centred at the largest whole scale. Writes what it judged
// as a debug line.
void SysSettleFullscreenWindow();
