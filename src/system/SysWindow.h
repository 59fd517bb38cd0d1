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

// value / divisor rounded toward minus infinity (divisor not 0).
long long SysFloorDivide(long long value, long long divisor);

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

// Where the client area of a width x height window goes in the usable area
// when its decorations add `borders` (left, top, right, bottom): centred,
// then moved as little as puts the whole frame inside (its top-left kept
// where the frame is larger than the area).
struct SysBorders {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct SysPoint {
  int X = 0, Y = 0;
};
SysPoint SysPlaceClient(const SysRect& usable, const SysBorders& borders, int width, int height);

// A window of width x height client pixels, placed so on its display. A
// window manager may hold the window's size (tiled, maximised, full
// screen): then SDL is told the size the window kept, once the manager
// says so (or has had its time), and the picture follows it.
void SysSetWindowClientSize(int width, int height);

// Full screen on the desktop as it is, or windowed again.
void SysSetFullscreenDesktop(bool on);
// The largest k with 320k x 180k inside the desktop, at least 1.
int SysMaxFullscreenScale();

// What has become of a request of the game's for the window (a size, full
// screen), judged after it.
enum class SysWindowAnswer {
  Granted,     // the window is as large as SDL takes it to be
  Waiting,     // not yet: look again later
  NotGranted,  // it will not be so: SDL is to take the window as it is
};

// A window manager may answer late (a loaded machine, a desktop that
// animates the change): without an answer a request is judged not granted
// only after this long and this many looks, and never in the frame of the
// request itself. Where no window manager runs nobody will ever answer, so
// the first look after the request decides.
constexpr std::uint32_t WindowRequestGraceMs = 2000;
constexpr int WindowRequestGraceLooks = 10;

struct SysWindowLook {
  bool WindowManager;     // one runs on the window's screen
  bool SizeMatches;       // the X server's size is the one SDL takes it to have
  bool Answered;          // the manager answered a size request since it was made
  int LooksSinceRequest;  // 0: the frame that made the request
  std::uint32_t MsSinceRequest;
};
SysWindowAnswer SysJudgeWindowRequest(const SysWindowLook& look);

// What the window manager did by itself, seen by SysFollowWindow.
enum class SysWindowChange {
  None,
  FullscreenEntered,  // made the window full screen (its own key, a tool)
  FullscreenLeft,     // ended a full screen
};

// The window manager's state of the window.
struct SysManagerState {
  bool Fullscreen = false;
  bool Maximised = false;  // across or down
};
// What a change of that state means, given whether SDL holds the game's
// own request for full screen (which only the game's requests change):
// the manager's own full screen made or ended, and whether a maximised
// window was let go (and is to take the game's size again).
struct SysStateChange {
  SysWindowChange Change = SysWindowChange::None;
  bool LetGo = false;
};
SysStateChange SysJudgeStateChange(const SysManagerState& before, const SysManagerState& now, bool fullscreenAsked);

// Once per drawn frame, before drawing: judges the game's open requests
// (one look each), tells SDL the size a window manager held the window at,
// places the window again when its frame turns out other than it was taken
// to be, and asks again for the game's size when a maximised window is let
// go. Writes what it judged as debug lines.
SysWindowChange SysFollowWindow();

// For the main window's life: SDL reports the X events the follower reads.
void SysStartFollowingWindow();
void SysStopFollowingWindow();
