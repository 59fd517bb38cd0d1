#pragma once
// Following the window as the system has it: the game's requests (a size,
// full screen) judged by what became of them, and what a window manager or
// compositor did by itself (maximised, tiled, its own full screen). SDL's
// window events and flags say it where SDL reports them (2.28 and later,
// SDL3, Wayland); on X11 under an older SDL the X server is asked itself.
#include <cstdint>

#include "system/SysWindow.h"

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
  bool SizeMatches;       // the window is the size the request wants
  bool Answered;          // the manager answered a size request since it was made
  int LooksSinceRequest;  // 0: the frame that made the request
  std::uint32_t MsSinceRequest;
};
SysWindowAnswer SysJudgeWindowRequest(const SysWindowLook& look);

// Whether a configure event of the X server answers the game's size
// request: one that came after the request and carries another size than
// the window had when asked (a move answered carries the old one), or any
// after the manager has answered once.
bool SysConfigureAnswers(bool afterRequest, bool sizeChanged, bool answeredBefore);


// What the window manager did by itself, or what became of the game's full
// screen, seen by SysFollowWindow.
enum class SysWindowChange {
  None,
  FullscreenEntered,  // made the window full screen (its own key, a tool)
  FullscreenLeft,     // ended a full screen, or never gave the game's
};

// The window manager's state of the window.
struct SysManagerState {
  bool Fullscreen = false;
  bool Maximised = false;  // across or down
};
// What a change of that state means, given whether the game holds full
// screen (asked for, or taken on from the manager): the manager's own full
// screen made or ended, and whether a maximised window was let go (and is
// to take the game's size again).
struct SysStateChange {
  SysWindowChange Change = SysWindowChange::None;
  bool LetGo = false;
};
SysStateChange SysJudgeStateChange(const SysManagerState& before, const SysManagerState& now, bool fullscreenAsked);

// A window of width x height client pixels, placed inside the usable area
// of its display. A window the manager holds (maximised, full screen) is
// asked nothing: the size is kept for when it is let go, and the picture
// follows the size it has. Where the manager holds a size it was asked
// for (tiled), SDL is made to take the size the window kept. Kept where it
// is when asked, a window whose frame still lies wholly in the usable area
// at that size is not moved.
enum class SysPlacing { Centred, KeptWhereItFits };
void SysSetWindowClientSize(int width, int height, SysPlacing placing = SysPlacing::Centred);

// Full screen on the display as it is, or windowed again. Where no window
// manager runs, the window itself covers the display, frameless.
void SysSetFullscreenDesktop(bool on);

// Once per drawn frame, before drawing: judges the game's open requests
// (one look each), follows what the manager or compositor did, places the
// window again when its frame turns out other than it was taken to be, and
// reads the displays again when they changed. Writes what it judged as
// debug lines.
struct SysFollowed {
  SysWindowChange Change = SysWindowChange::None;
  bool ScreensChanged = false;
};
SysFollowed SysFollowWindow();

// For the main window's life.
void SysStartFollowingWindow();
void SysStopFollowingWindow();
