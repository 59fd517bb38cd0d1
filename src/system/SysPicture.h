#pragma once
// The picture's geometry in a window, with no window in sight: the scale
// and rectangle it is shown at, a pointer position through that rectangle,
// and where a window's client goes in a display's usable area.
#include <cstdint>

struct SysRect {
  int X = 0, Y = 0, W = 0, H = 0;
};

struct SysPoint {
  int X = 0, Y = 0;
};

// What a window's decorations add on each side.
struct SysBorders {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
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

// The parts of an outputWidth x outputHeight window the picture at `rect`
// leaves uncovered: up to four bands (above, below, left, right), none
// when it covers the window.
struct SysBands {
  SysRect Band[4];
  int Count = 0;
};
SysBands SysBandsAround(const SysRect& rect, int outputWidth, int outputHeight);

// value / divisor rounded toward minus infinity (divisor not 0).
long long SysFloorDivide(long long value, long long divisor);

// A window pixel through that rectangle into the picture's own pixels
// (pictureWidth x pictureHeight), rounding toward minus infinity: a point
// left of or above the picture lands outside it.
void SysMapPointThroughRect(const SysRect& rect, int pictureWidth, int pictureHeight, int& x, int& y);

// Where the client area of a width x height window goes in the usable area
// when its decorations add `borders`: centred, then moved as little as puts
// the whole frame inside (its top-left kept where the frame is larger than
// the area).
SysPoint SysPlaceClient(const SysRect& usable, const SysBorders& borders, int width, int height);

// Which of `count` displays a window's client `client` is on: the one it
// covers most; -1 where it covers none.
int SysDisplayOf(const SysRect& client, const SysRect* displays, int count);
