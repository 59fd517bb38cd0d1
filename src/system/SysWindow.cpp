#include "system/SysWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "system/SysPlatform.h"
#include "system/SysX11.h"

namespace {

// A request of the game's for the window, not yet judged.
struct Request {
  bool Open = false;
  bool Answered = false;  // size requests: a configure event came after it
  int Looks = 0;          // drawn frames that looked at it
  std::uint32_t AskedAt = 0;
  unsigned long Serial = 0;  // the first X request it made
};
Request SizeRequest, FullscreenRequest;

// The client size the game last asked for, and where it was placed: a
// frame learnt later places it again, for a while.
constexpr std::uint32_t PlacementGraceMs = 2000;
int AskedWidth = 0, AskedHeight = 0;
bool Placing = false;
std::uint32_t PlacedAt = 0;
SysBorders PlacedWith;

// Seen in SDL's X events; acted on by the next SysFollowWindow.
bool StateNoticed = false, FrameNoticed = false;
SysManagerState ManagerState;

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }


void Open(Request& request) {
  request = Request{true, false, 0, SDL_GetTicks(), SysX11NextRequest(Window())};
}

bool InFullscreen(SDL_Window* window) { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; }

// Called by SDL as it reads each X event, before it acts on it itself.
int SDLCALL NoticeWindowEvents(void*, SDL_Event* event) {
  if (event->type != SDL_SYSWMEVENT) return 0;
  unsigned long serial = 0;
  switch (SysX11NoticeOf(event->syswm.msg, Window(), serial)) {
    case SysX11Notice::Configured:
      // Only what the server sent after the request answers it.
      if (SizeRequest.Open && SysX11SerialReached(serial, SizeRequest.Serial)) SizeRequest.Answered = true;
      break;
    case SysX11Notice::StateChanged:
      StateNoticed = true;
      break;
    case SysX11Notice::FrameChanged:
      FrameNoticed = true;
      break;
    case SysX11Notice::Nothing:
      break;
  }
  return 0;
}

// What the window manager's frame adds: known once it has framed the
// window, none before.
SysBorders BordersOf(SDL_Window* window) {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) return SysBorders{};
  return SysBorders{std::max(0, left), std::max(0, top), std::max(0, right), std::max(0, bottom)};
}

// The same once SDL has read what the window manager has set so far.
SysBorders BordersNow(SDL_Window* window) {
  SDL_PumpEvents();
  return BordersOf(window);
}

// The usable area of the display the window is on; false where unknown.
bool UsableArea(SDL_Window* window, SysRect& area) {
  const int display = SDL_GetWindowDisplayIndex(window);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return false;
  area = SysRect{usable.x, usable.y, usable.w, usable.h};
  return true;
}

bool SameBorders(const SysBorders& a, const SysBorders& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// Puts the window's client where SysPlaceClient says, on the display it is on.
void Place(SDL_Window* window, int width, int height) {
  SysRect usable;
  if (!UsableArea(window, usable)) {
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return;
  }
  PlacedWith = BordersNow(window);
  const SysPoint at = SysPlaceClient(usable, PlacedWith, width, height);
  SDL_SetWindowPosition(window, at.X, at.Y);
  Placing = true;
  PlacedAt = SDL_GetTicks();
}

// One look at an open request: the X server's size against SDL's.
SysWindowAnswer Look(SDL_Window* window, Request& request, int& realWidth, int& realHeight) {
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  const SysWindowLook look{SysX11WindowManagerRuns(window), realWidth == width && realHeight == height,
                           request.Answered, request.Looks++, SDL_GetTicks() - request.AskedAt};
  const SysWindowAnswer answer = SysJudgeWindowRequest(look);
  if (answer != SysWindowAnswer::Waiting) request.Open = false;
  return answer;
}

void SettleFullscreen(SDL_Window* window) {
  int realWidth = 0, realHeight = 0;
  if (!FullscreenRequest.Open) return;
  if (!InFullscreen(window) || !SysX11WindowSize(window, realWidth, realHeight)) {
    FullscreenRequest.Open = false;
    return;
  }
  char line[96];
  switch (Look(window, FullscreenRequest, realWidth, realHeight)) {
    case SysWindowAnswer::Waiting:
      return;
    case SysWindowAnswer::Granted:
      // From here on SDL follows the window's later changes itself.
      std::snprintf(line, sizeof line, "window: full screen granted at %d x %d\n", realWidth, realHeight);
      SysDebugOutput(line);
      return;
    case SysWindowAnswer::NotGranted:
      break;
  }
  // SDL would draw for a window as large as the display, of which the
  // player sees only a corner: windowed again, at the window's real size,
  // SDL draws for the window there is.
  SDL_SetWindowFullscreen(window, 0);
  SDL_SetWindowSize(window, realWidth, realHeight);
  std::snprintf(line, sizeof line, "window: full screen not granted, windowed at %d x %d\n", realWidth, realHeight);
  SysDebugOutput(line);
}

void SettleSize(SDL_Window* window) {
  int realWidth = 0, realHeight = 0;
  if (!SizeRequest.Open) return;
  if (InFullscreen(window) || !SysX11WindowSize(window, realWidth, realHeight)) {
    SizeRequest.Open = false;
    return;
  }
  if (Look(window, SizeRequest, realWidth, realHeight) != SysWindowAnswer::NotGranted) return;
  // SDL took the window to be the size it asked for, and draws for a window
  // of that size in the corner of the one there is. It is told without a
  // request of its own: a manager slow to answer then still grants the
  // game's (SDL follows that), and the size the window takes when let go
  // (floated, no longer maximised) stays the game's.
  if (!SysX11TellSize(window, realWidth, realHeight)) return;
  SDL_PumpEvents();
  char line[96];
  std::snprintf(line, sizeof line, "window: size held at %d x %d\n", realWidth, realHeight);
  SysDebugOutput(line);
}

}  // namespace

SysWindowAnswer SysJudgeWindowRequest(const SysWindowLook& look) {
  if (look.SizeMatches) return SysWindowAnswer::Granted;
  // The manager answered with another size than the one asked for.
  if (look.Answered) return SysWindowAnswer::NotGranted;
  if (look.LooksSinceRequest <= 0) return SysWindowAnswer::Waiting;
  if (!look.WindowManager) return SysWindowAnswer::NotGranted;
  if (look.MsSinceRequest >= WindowRequestGraceMs && look.LooksSinceRequest >= WindowRequestGraceLooks)
    return SysWindowAnswer::NotGranted;
  return SysWindowAnswer::Waiting;
}

int SysLargestScaleIn(int width, int height) {
  int k = 1;
  while (320 * (k + 1) <= width && 180 * (k + 1) <= height) ++k;
  return k;
}

SysPicturePlace SysPlacePicture(int outputWidth, int outputHeight) {
  SysPicturePlace place;
  if (outputWidth <= 0 || outputHeight <= 0) return place;
  int w = 0, h = 0;
  if (outputWidth >= 320 && outputHeight >= 180) {
    place.Scale = SysLargestScaleIn(outputWidth, outputHeight);
    w = 320 * place.Scale;
    h = 180 * place.Scale;
  } else if (static_cast<long long>(outputWidth) * 9 <= static_cast<long long>(outputHeight) * 16) {
    // Smaller than one scale: shrunk, as wide as the window.
    w = outputWidth;
    h = std::max(1, static_cast<int>(static_cast<long long>(outputWidth) * 9 / 16));
  } else {
    h = outputHeight;
    w = std::max(1, static_cast<int>(static_cast<long long>(outputHeight) * 16 / 9));
  }
  place.Rect = SysRect{(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
  return place;
}

long long SysFloorDivide(long long value, long long divisor) {
  const long long quotient = value / divisor;
  return value % divisor != 0 && (value < 0) != (divisor < 0) ? quotient - 1 : quotient;
}

void SysMapPointThroughRect(const SysRect& rect, int pictureWidth, int pictureHeight, int& x, int& y) {
  if (rect.W <= 0 || rect.H <= 0) return;
  x = static_cast<int>(SysFloorDivide(static_cast<long long>(x - rect.X) * pictureWidth, rect.W));
  y = static_cast<int>(SysFloorDivide(static_cast<long long>(y - rect.Y) * pictureHeight, rect.H));
}

void SysMapWindowPoint(int pictureWidth, int pictureHeight, int& x, int& y) {
  SDL_Window* window = Window();
  if (!window) return;
  // Mouse positions come in window points, the picture's place in pixels.
  int points = 0, pointsHigh = 0, pixels = 0, pixelsHigh = 0;
  SDL_GetWindowSize(window, &points, &pointsHigh);
  SysGetWindowOutputSize(pixels, pixelsHigh);
  if (points > 0 && pointsHigh > 0 && (points != pixels || pointsHigh != pixelsHigh)) {
    x = static_cast<int>(static_cast<long long>(x) * pixels / points);
    y = static_cast<int>(static_cast<long long>(y) * pixelsHigh / pointsHigh);
  }
  SysMapPointThroughRect(SysPlacePicture(pixels, pixelsHigh).Rect, pictureWidth, pictureHeight, x, y);
}

void SysGetWindowOutputSize(int& width, int& height) {
  width = height = 0;
  if (SDL_Window* window = Window()) SDL_GetWindowSizeInPixels(window, &width, &height);
}

void SysGetWindowClientSize(int& width, int& height) {
  width = height = 0;
  if (SDL_Window* window = Window()) SDL_GetWindowSize(window, &width, &height);
}

bool SysGetWindowRoom(int& usableWidth, int& usableHeight, int& borderWidth, int& borderHeight) {
  usableWidth = usableHeight = borderWidth = borderHeight = 0;
  SDL_Window* window = Window();
  // No window is off the dummy driver's desktop, whatever its size: it is
  // no screen anyone looks at.
  SysRect usable;
  if (!window || SysVideoIsDummy() || !UsableArea(window, usable)) return false;
  const SysBorders borders = BordersNow(window);
  usableWidth = usable.W;
  usableHeight = usable.H;
  borderWidth = borders.Left + borders.Right;
  borderHeight = borders.Top + borders.Bottom;
  return true;
}

SysStateChange SysJudgeStateChange(const SysManagerState& before, const SysManagerState& now, bool fullscreenAsked) {
  SysStateChange judged;
  // The game's own requests come with SDL's state already changed: only a
  // change the other way is the manager's own.
  if (now.Fullscreen && !before.Fullscreen && !fullscreenAsked) judged.Change = SysWindowChange::FullscreenEntered;
  if (!now.Fullscreen && before.Fullscreen && fullscreenAsked) judged.Change = SysWindowChange::FullscreenLeft;
  judged.LetGo = before.Maximised && !now.Maximised && !now.Fullscreen && !fullscreenAsked;
  return judged;
}

SysPoint SysPlaceClient(const SysRect& usable, const SysBorders& borders, int width, int height) {
  // Along one axis: centred, then the far edge of the frame inside, then
  // the near edge, which wins.
  const auto along = [](int start, int room, int before, int after, int size) {
    const int centred = start + (room - size) / 2;
    return std::max(std::min(centred, start + room - after - size), start + before);
  };
  return SysPoint{along(usable.X, usable.W, borders.Left, borders.Right, width),
                  along(usable.Y, usable.H, borders.Top, borders.Bottom, height)};
}

void SysSetWindowClientSize(int width, int height) {
  SDL_Window* window = Window();
  if (!window) return;
  AskedWidth = width;
  AskedHeight = height;
  if (!InFullscreen(window)) Open(SizeRequest);
  SDL_SetWindowSize(window, width, height);
  Place(window, width, height);
  // A window manager's answer that came while SDL waited for the window,
  // so that this very frame is drawn for the window as it is.
  SDL_PumpEvents();
  if (SizeRequest.Answered) SettleSize(window);
}

void SysSetFullscreenDesktop(bool on) {
  SDL_Window* window = Window();
  if (!window) return;
  SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (on)
    Open(FullscreenRequest);
  else
    FullscreenRequest.Open = false;
  SysDebugOutput(on ? "window: full screen asked for\n" : "window: windowed\n");
}

SysWindowChange SysFollowWindow() {
  SDL_Window* window = Window();
  if (!window) return SysWindowChange::None;
  SysWindowChange change = SysWindowChange::None;
  SysManagerState now;
  if (StateNoticed && SysX11WindowState(window, now)) {
    const SysStateChange judged = SysJudgeStateChange(ManagerState, now, InFullscreen(window));
    ManagerState = now;
    change = judged.Change;
    if (judged.LetGo && AskedWidth > 0) {
      // It takes the size the game asked for, not the one the manager held
      // it at.
      SysDebugOutput("window: no longer maximised\n");
      SysSetWindowClientSize(AskedWidth, AskedHeight);
    }
  }
  StateNoticed = false;
  SettleFullscreen(window);
  SettleSize(window);
  if (FrameNoticed && Placing && !InFullscreen(window)) {
    // Placed before the window manager said what its frame adds: the
    // client is off the place by the frame.
    if (SDL_GetTicks() - PlacedAt > PlacementGraceMs)
      Placing = false;
    else if (!SameBorders(BordersOf(window), PlacedWith))
      Place(window, AskedWidth, AskedHeight);
  }
  FrameNoticed = false;
  return change;
}

void SysStartFollowingWindow() {
  SysStopFollowingWindow();
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_AddEventWatch(NoticeWindowEvents, nullptr);
  if (SDL_Window* window = Window()) SysX11WindowState(window, ManagerState);
}

void SysStopFollowingWindow() {
  SDL_DelEventWatch(NoticeWindowEvents, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_IGNORE);
  SizeRequest = FullscreenRequest = Request{};
  AskedWidth = AskedHeight = 0;
  Placing = StateNoticed = FrameNoticed = false;
  ManagerState = SysManagerState{};
}

int SysMaxFullscreenScale() {
  SDL_DisplayMode mode;
  SDL_Window* window = Window();
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return 1;
  return SysLargestScaleIn(mode.w, mode.h);
}
