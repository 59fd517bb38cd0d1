#include "system/SysWindowFollow.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

#include "system/SysPlatform.h"
#include "system/SysX11.h"

namespace {

// A request of the game's for the window, not yet judged.
struct Request {
  bool Open = false;
  bool Answered = false;  // size requests: the manager answered with a size
  int Looks = 0;          // drawn frames that looked at it
  std::uint32_t AskedAt = 0;
  unsigned long Serial = 0;  // the first X request it made
  int Width = 0, Height = 0;  // the window's size when it was made
};
Request SizeRequest, FullscreenRequest;

// The client size the game last asked for, and where it was placed: a
// frame learnt later places it again, for a while.
constexpr std::uint32_t PlacementGraceMs = 2000;
int AskedWidth = 0, AskedHeight = 0;
bool Placing = false;
std::uint32_t PlacedAt = 0;
SysBorders PlacedWith;

// The X11 watch, for an SDL that cannot say what the manager did.
bool X11Watch = false;
// Seen in SDL's X events; taken by the next SysFollowWindow.
bool StateNoticed = false;
SysManagerState ManagerState;
// The game holds full screen: asked for, or taken on from the manager.
bool FullscreenHeld = false;
// The manager's own full screen, seen by SysFollowWindow; taken on by the
// next request without asking SDL 2 for it (TakenOn), which then never
// holds it.
bool TakingOn = false, TakenOn = false;

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

bool InSdlFullscreen(SDL_Window* window) { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; }

void Open(SDL_Window* window, Request& request) {
  int width = 0, height = 0;
  SysWindowRealSize(width, height);
  request = Request{true, false, 0, SDL_GetTicks(), SysX11NextRequest(window), width, height};
}

// A window the manager holds at its size: asked for another, it only
// stalls the frame while SDL waits for an answer that never comes.
bool Held(SDL_Window* window) {
  return (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED) != 0 || ManagerState.Maximised;
}

void SayHeld() {
  int width = 0, height = 0;
  SysWindowRealSize(width, height);
  char line[96];
  std::snprintf(line, sizeof line, "window: size held at %d x %d\n", width, height);
  SysDebugOutput(line);
}

// Called by SDL as it reads each event, before it acts on it itself.
int SDLCALL NoticeWindowEvents(void*, SDL_Event* event) {
  if (event->type == SDL_DISPLAYEVENT) SysNoteScreenChange();
  if (event->type == SDL_WINDOWEVENT && !X11Watch) {
    switch (event->window.event) {
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        // SDL reports the size the window took: another than the one
        // asked for is the manager's answer.
        if (SizeRequest.Open && (event->window.data1 != AskedWidth || event->window.data2 != AskedHeight))
          SizeRequest.Answered = true;
        [[fallthrough]];
      case SDL_WINDOWEVENT_MAXIMIZED:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_MOVED:
        // What the manager did comes with a change SDL reports; on X11 its
        // state is read then (SDL 2 never says its full screen).
        StateNoticed = true;
        break;
      default:
        break;
    }
  }
  if (event->type != SDL_SYSWMEVENT || !X11Watch) return 0;
  const SysX11Event seen = SysX11NoticeOf(event->syswm.msg, Window());
  switch (seen.Notice) {
    case SysX11Notice::Configured:
      if (SizeRequest.Open &&
          SysConfigureAnswers(SysX11SerialReached(seen.Serial, SizeRequest.Serial),
                              seen.Width != SizeRequest.Width || seen.Height != SizeRequest.Height, SizeRequest.Answered))
        SizeRequest.Answered = true;
      break;
    case SysX11Notice::StateChanged:
      StateNoticed = true;
      break;
    case SysX11Notice::FrameChanged:
    case SysX11Notice::Nothing:
      break;
  }
  return 0;
}

// One look at an open request.
SysWindowAnswer Look(SDL_Window* window, Request& request, bool sizeMatches) {
  const bool manager = SysX11Is(window) ? SysX11WindowManagerRuns(window) : !SysVideoIsDummy();
  const SysWindowLook look{manager, sizeMatches, request.Answered, request.Looks++, SDL_GetTicks() - request.AskedAt};
  const SysWindowAnswer answer = SysJudgeWindowRequest(look);
  if (answer != SysWindowAnswer::Waiting) request.Open = false;
  return answer;
}

// The game's full screen: had, or not (SDL never set its state, or nobody
// made the window as large as the display), which leaves the game windowed.
// SDL3 sets its state only once the manager has answered.
SysWindowChange SettleFullscreen(SDL_Window* window) {
  if (!FullscreenRequest.Open) return SysWindowChange::None;
  int width = 0, height = 0;
  SysWindowRealSize(width, height);
  SysDisplay display;
  const bool matches = InSdlFullscreen(window) && SysWindowDisplay(display) && width == display.Bounds.W &&
                       height == display.Bounds.H;
  char line[96];
  switch (Look(window, FullscreenRequest, matches)) {
    case SysWindowAnswer::Waiting:
      return SysWindowChange::None;
    case SysWindowAnswer::Granted:
      std::snprintf(line, sizeof line, "window: full screen granted at %d x %d\n", width, height);
      SysDebugOutput(line);
      return SysWindowChange::None;
    case SysWindowAnswer::NotGranted:
      break;
  }
  SysDebugOutput("window: full screen not granted, windowed\n");
  return SysWindowChange::FullscreenLeft;
}

void SettleSize(SDL_Window* window) {
  if (!SizeRequest.Open) return;
  if (SysWindowFrameless()) {
    SizeRequest.Open = false;
    return;
  }
  int width = 0, height = 0, realWidth = 0, realHeight = 0;
  SDL_GetWindowSize(window, &width, &height);
  SysWindowRealSize(realWidth, realHeight);
  const bool matches =
      X11Watch ? realWidth == width && realHeight == height : realWidth == AskedWidth && realHeight == AskedHeight;
  if (Look(window, SizeRequest, matches) != SysWindowAnswer::NotGranted) return;
  // SDL before 2.28 took the window to be the size it asked for, and draws
  // for a window of that size in the corner of the one there is. It is
  // told without a request of its own: a manager slow to answer then still
  // grants the game's (SDL follows that), and the size the window takes
  // when let go (floated, no longer maximised) stays the game's.
  if (X11Watch) {
    if (!SysX11TellSize(window, width, height, realWidth, realHeight)) return;
    SDL_PumpEvents();
  }
  SayHeld();
}

// The manager's state of the window as it is now, judged against what it
// was: a maximised window let go takes the size the game asked for, not
// the one the manager held it at. Returns the change of full screen that
// was the manager's own.
SysWindowChange FollowManager(const SysManagerState& now) {
  const SysStateChange judged = SysJudgeStateChange(ManagerState, now, FullscreenHeld);
  ManagerState = now;
  if (judged.LetGo && AskedWidth > 0) {
    SysDebugOutput("window: no longer maximised\n");
    SysSetWindowClientSize(AskedWidth, AskedHeight);
  }
  return judged.Change;
}

// SDL's own state of the window, where SDL reports what the compositor
// did (Wayland): its full-screen flag set or cleared without a request of
// the game's open, and a maximised window let go.
SysWindowChange FollowSdl(SDL_Window* window) {
  const Uint32 flags = SDL_GetWindowFlags(window);
  const SysManagerState now{(flags & SDL_WINDOW_FULLSCREEN) != 0, (flags & SDL_WINDOW_MAXIMIZED) != 0};
  FollowManager(now);
  // With no request of the game's open, SDL's flag against the game's state.
  if (FullscreenRequest.Open || SysFillsDisplay() || now.Fullscreen == FullscreenHeld) return SysWindowChange::None;
  return now.Fullscreen ? SysWindowChange::FullscreenEntered : SysWindowChange::FullscreenLeft;
}

// The same read from the X server (_NET_WM_STATE) when SDL or, before
// SDL 2.28, the X server said the window changed.
SysWindowChange FollowX11(SDL_Window* window) {
  // Another part of SDL starting may have turned the events off.
  if (X11Watch && SDL_EventState(SDL_SYSWMEVENT, SDL_QUERY) != SDL_ENABLE) {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    StateNoticed = true;
  }
  // Taken before anything below pumps events, which may notice it again.
  const bool noticed = StateNoticed;
  StateNoticed = false;
  SysManagerState now;
  if (!noticed || !SysX11WindowState(window, now.Fullscreen, now.Maximised)) return SysWindowChange::None;
  return FollowManager(now);
}

bool SameBorders(const SysBorders& a, const SysBorders& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
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

bool SysConfigureAnswers(bool afterRequest, bool sizeChanged, bool answeredBefore) {
  return answeredBefore || (afterRequest && sizeChanged);
}

SysStateChange SysJudgeStateChange(const SysManagerState& before, const SysManagerState& now, bool fullscreenAsked) {
  SysStateChange judged;
  // The game's own requests come with its state already changed: only a
  // change the other way is the manager's own.
  if (now.Fullscreen && !before.Fullscreen && !fullscreenAsked) judged.Change = SysWindowChange::FullscreenEntered;
  if (!now.Fullscreen && before.Fullscreen && fullscreenAsked) judged.Change = SysWindowChange::FullscreenLeft;
  judged.LetGo = before.Maximised && !now.Maximised && !now.Fullscreen && !fullscreenAsked;
  return judged;
}

void SysSetWindowClientSize(int width, int height, SysPlacing placing) {
  SDL_Window* window = Window();
  if (!window) return;
  AskedWidth = width;
  AskedHeight = height;
  if (Held(window) && !SysWindowFrameless()) {
    SizeRequest.Open = false;
    SayHeld();
    return;
  }
  if (!SysWindowFrameless()) Open(window, SizeRequest);
  const bool stays = placing == SysPlacing::KeptWhereItFits && SysWindowFitsWhereItIs(width, height);
  SysRequestWindowSize(width, height);
  if (stays) {
    Placing = false;
    SysDebugOutput("window: kept where it is\n");
  } else {
    PlacedWith = SysPlaceWindow(width, height);
    Placing = true;
    PlacedAt = SDL_GetTicks();
  }
  // A window manager's answer that came while SDL waited for the window,
  // so that this very frame is drawn for the window as it is.
  SDL_PumpEvents();
  if (SizeRequest.Answered) SettleSize(window);
}

void SysSetFullscreenDesktop(bool on) {
  SDL_Window* window = Window();
  if (!window) return;
  FullscreenHeld = on;
  FullscreenRequest.Open = false;
  if (!on) {
    if (SysFillsDisplay()) {
      SysFillDisplay(false);
    } else {
      SDL_SetWindowFullscreen(window, 0);
      // Whoever made it: SDL3 ends only a full screen it asked for, SDL 2
      // none it was never asked for.
      if ((!X11Watch || TakenOn) && ManagerState.Fullscreen) SysX11EndFullscreen(window);
    }
    TakenOn = false;
    SysNoteManagersFullscreen(false);
    SysDebugOutput("window: windowed\n");
    return;
  }
  SysDebugOutput("window: full screen asked for\n");
  if (SysX11Is(window) && !SysX11WindowManagerRuns(window)) {
    // Nobody would answer SDL's request: the window covers the display itself.
    SysFillDisplay(true);
    int width = 0, height = 0;
    SysWindowRealSize(width, height);
    char line[96];
    std::snprintf(line, sizeof line, "window: full screen with no window manager at %d x %d\n", width, height);
    SysDebugOutput(line);
    return;
  }
  // One SDL already holds (the compositor's own, taken on) is had.
  const bool had = InSdlFullscreen(window);
  // The X11 manager's own is had too, SDL 2 not asked: asked, it takes the
  // full-screen size as the window's own, and on leaving asks for that
  // size back, which ends the manager's maximise of the window. The size
  // is freed as SDL's request would, for a manager that keeps a
  // fixed-size window at its size; the game's next size fixes it again.
  if (!had && std::exchange(TakingOn, false)) {
    TakenOn = true;
    SysNoteManagersFullscreen(true);
    SysX11FreeSize(window);
    return;
  }
  SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (!had) Open(window, FullscreenRequest);
}

SysFollowed SysFollowWindow() {
  SysFollowed followed;
  SDL_Window* window = Window();
  if (!window) return followed;
  followed.Change = SysX11Is(window) ? FollowX11(window) : FollowSdl(window);
  TakingOn = followed.Change == SysWindowChange::FullscreenEntered;
  const SysWindowChange settled = SettleFullscreen(window);
  if (settled != SysWindowChange::None) followed.Change = settled;
  SettleSize(window);
  // Not while the manager holds the window full screen, taken on or not yet.
  if (Placing && !SysWindowFrameless() && !ManagerState.Fullscreen) {
    // Placed before the window manager said what its frame adds: the
    // client is off the place by the frame.
    if (SDL_GetTicks() - PlacedAt > PlacementGraceMs)
      Placing = false;
    else if (!SameBorders(SysWindowBorders(false), PlacedWith))
      PlacedWith = SysPlaceWindow(AskedWidth, AskedHeight);
  }
  if (SysScreensChanged()) {
    followed.ScreensChanged = true;
    SysDebugOutput("window: the displays changed\n");
    // A window over its display covers it as it is now.
    if (SysFillsDisplay()) SysFillDisplay(true);
  }
  return followed;
}

void SysStartFollowingWindow() {
  SysStopFollowingWindow();
  SDL_Window* window = Window();
  if (!window) return;
  // SDL before 2.28 never says what an X11 manager did to the window.
  X11Watch = SysX11Is(window) && SysSdlBefore228();
  SDL_AddEventWatch(NoticeWindowEvents, nullptr);
  // Checked again at every frame: a part of SDL started later may turn
  // the events off.
  if (X11Watch) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  if (!SysX11WindowState(window, ManagerState.Fullscreen, ManagerState.Maximised)) {
    const Uint32 flags = SDL_GetWindowFlags(window);
    ManagerState = SysManagerState{(flags & SDL_WINDOW_FULLSCREEN) != 0, (flags & SDL_WINDOW_MAXIMIZED) != 0};
  }
  SysWatchScreens();
}

void SysStopFollowingWindow() {
  SDL_DelEventWatch(NoticeWindowEvents, nullptr);
  if (X11Watch) SDL_EventState(SDL_SYSWMEVENT, SDL_IGNORE);
  X11Watch = false;
  SizeRequest = FullscreenRequest = Request{};
  AskedWidth = AskedHeight = 0;
  Placing = StateNoticed = FullscreenHeld = TakingOn = TakenOn = false;
  ManagerState = SysManagerState{};
  SysStopWatchingScreens();
}
