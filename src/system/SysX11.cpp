#include "system/SysX11.h"

// Before SDL's window-system header: Xlib's macros (None) would clash.
#include "system/SysPlatform.h"
#include "system/SysQuit.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef VORLUMEN_HAVE_X11
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

bool X11Of(SDL_Window* window, Display*& display, Window& x11Window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  x11Window = info.info.x11.window;
  return display != nullptr;
}

// A stale check window (its window manager gone) answers BadWindow, which
// must not reach the handler that ends the program.
bool QueryFailed = false;
int NoteQueryError(Display*, XErrorEvent*) {
  QueryFailed = true;
  return 0;
}

// The game's window, and whether it was destroyed from outside.
Window OurWindow = None;
bool OurWindowGone = false;
// The connection that hears of its end.
Display* EndWatch = nullptr;
int ErrorsCounted = 0;
bool CountingErrors = false;

int NameError(Display* display, XErrorEvent* error) {
  if (OurWindow != None && error->resourceid == OurWindow &&
      (error->error_code == BadWindow || error->error_code == BadDrawable))
    OurWindowGone = true;
  // What follows the window's end says nothing new.
  if (OurWindowGone) return 0;
  if (CountingErrors) ++ErrorsCounted;
  char text[128] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  char line[256];
  std::snprintf(line, sizeof line, "X error: %s (request %d.%d, resource 0x%lx); play goes on\n", text,
                error->request_code, error->minor_code, error->resourceid);
  SysDebugOutput(line);
  return 0;
}

// Xlib ends the process when this returns; the game ends its own way.
int LoseDisplay(Display*) {
  SysReportProblem("Vorlumen: the connection to the X display was lost; the game ends\n");
  SysEndAtOnce(1);
}

// Looks at every event SDL's connection has queued and takes none.
Window MapAwaited = None;
Bool SeeMap(Display*, XEvent* event, XPointer seen) {
  if (event->type == MapNotify && event->xmap.window == MapAwaited) *reinterpret_cast<bool*>(seen) = true;
  return False;
}

// An event for `window`, put at the head of SDL's own queue as if the
// server had sent it.
void PutBack(Display* display, Window window, int type) {
  XEvent event = {};
  event.xany.type = type;
  event.xany.serial = LastKnownRequestProcessed(display);
  event.xany.send_event = True;
  event.xany.display = display;
  if (type == MapNotify) {
    event.xmap.event = event.xmap.window = window;
  } else {
    event.xunmap.event = event.xunmap.window = window;
  }
  XPutBackEvent(display, &event);
}

// Atoms asked for once per connection: the names are the same on every
// one, the numbers not. SDL's connection and the screen watch's each keep
// their own, so that neither asks the server again every frame.
struct Atoms {
  Display* Of = nullptr;
  Atom State = None, Fullscreen = None, MaximisedAcross = None, MaximisedDown = None, FrameExtents = None,
       WorkArea = None, CurrentDesktop = None, ManagerCheck = None;
};
Atoms SdlAtoms, WatchAtoms;
// The screen watch's own connection.
Display* Watch = nullptr;

const Atoms& AtomsOf(Display* display) {
  Atoms& atoms = display == Watch ? WatchAtoms : SdlAtoms;
  if (atoms.Of != display) {
    atoms.Of = display;
    atoms.State = XInternAtom(display, "_NET_WM_STATE", False);
    atoms.Fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    atoms.MaximisedAcross = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    atoms.MaximisedDown = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    atoms.FrameExtents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    atoms.WorkArea = XInternAtom(display, "_NET_WORKAREA", False);
    atoms.CurrentDesktop = XInternAtom(display, "_NET_CURRENT_DESKTOP", False);
    atoms.ManagerCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  }
  return atoms;
}

// Up to `most` 32-bit items of a property; how many were read.
int ReadLongs(Display* display, Window of, Atom property, Atom kind, unsigned long* out, int most) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  int read = 0;
  if (XGetWindowProperty(display, of, property, 0, most, False, kind, &type, &format, &count, &after, &data) == Success &&
      type == kind && format == 32 && data) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    for (; read < most && static_cast<unsigned long>(read) < count; ++read) out[read] = items[read];
  }
  if (data) XFree(data);
  return read;
}

// The window named by `of`'s _NET_SUPPORTING_WM_CHECK, or None.
Window CheckWindowOf(Display* display, Window of, Atom check) {
  unsigned long named = None;
  return ReadLongs(display, of, check, XA_WINDOW, &named, 1) == 1 ? static_cast<Window>(named) : None;
}

// The RandR event numbers on the screen watch's connection.
int RandrEvents = 0;

}  // namespace

bool SysX11Is(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  return X11Of(window, display, x11Window);
}

void SysX11KeepPlayingAfterErrors() {
  XSetErrorHandler(NameError);
  XSetIOErrorHandler(LoseDisplay);
  CountingErrors = true;
}

int SysX11StopCountingErrors() {
  CountingErrors = false;
  const int counted = ErrorsCounted;
  ErrorsCounted = 0;
  return counted;
}

bool SysX11ShowWithin(SDL_Window* window, int timeoutMs) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return true;
  XMapRaised(display, x11Window);
  XFlush(display);
  MapAwaited = x11Window;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool mapped = false;
  for (;;) {
    XEvent unused;
    XCheckIfEvent(display, &unused, SeeMap, reinterpret_cast<XPointer>(&mapped));
    // A request to end stops the wait too: the start-up ends at its next
    // step. It may come on another thread, so the wait looks in slices.
    if (mapped || SysQuitRequested()) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    if (left <= 0) break;
    pollfd readable{ConnectionNumber(display), POLLIN, 0};
    poll(&readable, 1, static_cast<int>(std::min<long long>(left, 50)));
  }
  if (mapped) return true;
  PutBack(display, x11Window, MapNotify);
  return SysQuitRequested();
}

void SysX11WatchWindowEnd(SDL_Window* window) {
  SysX11StopWatchingWindowEnd();
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return;
  OurWindow = x11Window;
  OurWindowGone = false;
  EndWatch = XOpenDisplay(DisplayString(display));
  if (!EndWatch) return;
  XSelectInput(EndWatch, x11Window, StructureNotifyMask);
  XFlush(EndWatch);
}

bool SysX11WindowGone() {
  while (EndWatch && !OurWindowGone && XPending(EndWatch) > 0) {
    XEvent event;
    XNextEvent(EndWatch, &event);
    if (event.type == DestroyNotify && event.xdestroywindow.window == OurWindow) OurWindowGone = true;
  }
  return OurWindowGone;
}

void SysX11LetGoneWindowGo(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!OurWindowGone || !X11Of(window, display, x11Window)) return;
  // One for SDL's wait, one more should its event pump take the first.
  PutBack(display, x11Window, UnmapNotify);
  PutBack(display, x11Window, UnmapNotify);
}

void SysX11StopWatchingWindowEnd() {
  if (EndWatch) XCloseDisplay(EndWatch);
  EndWatch = nullptr;
}

bool SysX11WindowSize(SDL_Window* window, int& width, int& height) {
  Display* display = nullptr;
  Window x11Window = None;
  XWindowAttributes attributes;
  if (!X11Of(window, display, x11Window) || !XGetWindowAttributes(display, x11Window, &attributes)) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}

bool SysX11FocusUnheld(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus == PointerRoot || focus == None;
}

bool SysX11WindowManagerRuns(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  const Atom check = AtomsOf(display).ManagerCheck;
  XSync(display, False);
  QueryFailed = false;
  const auto previous = XSetErrorHandler(NoteQueryError);
  XWindowAttributes attributes;
  const Window root = XGetWindowAttributes(display, x11Window, &attributes) ? attributes.root : DefaultRootWindow(display);
  const Window named = CheckWindowOf(display, root, check);
  const bool runs = named != None && CheckWindowOf(display, named, check) == named;
  XSync(display, False);
  XSetErrorHandler(previous);
  return runs && !QueryFailed;
}

bool SysX11WindowState(SDL_Window* window, bool& fullscreen, bool& maximised) {
  fullscreen = maximised = false;
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  const Atoms& atoms = AtomsOf(display);
  unsigned long held[64];
  // No state at all is none of them.
  const int count = ReadLongs(display, x11Window, atoms.State, XA_ATOM, held, 64);
  for (int i = 0; i < count; ++i) {
    fullscreen |= held[i] == atoms.Fullscreen;
    maximised |= held[i] == atoms.MaximisedAcross || held[i] == atoms.MaximisedDown;
  }
  return true;
}

bool SysX11EndFullscreen(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  const Atoms& atoms = AtomsOf(display);
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = x11Window;
  event.xclient.message_type = atoms.State;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 0;  // remove
  event.xclient.data.l[1] = static_cast<long>(atoms.Fullscreen);
  event.xclient.data.l[3] = 1;  // from an application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
  return true;
}

bool SysX11FreeSize(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return false;
  long supplied = 0;
  XGetWMNormalHints(display, x11Window, hints, &supplied);
  hints->flags &= ~(PMinSize | PMaxSize);
  XSetWMNormalHints(display, x11Window, hints);
  XFree(hints);
  XFlush(display);
  return true;
}

SysX11Event SysX11NoticeOf(const SDL_SysWMmsg* message, SDL_Window* window) {
  SysX11Event seen;
  Display* display = nullptr;
  Window x11Window = None;
  if (!message || message->subsystem != SDL_SYSWM_X11 || !X11Of(window, display, x11Window)) return seen;
  const XEvent& event = message->msg.x11.event;
  seen.Serial = event.xany.serial;
  if (event.type == ConfigureNotify && event.xconfigure.window == x11Window) {
    seen.Notice = SysX11Notice::Configured;
    seen.Width = event.xconfigure.width;
    seen.Height = event.xconfigure.height;
  } else if (event.type == PropertyNotify && event.xproperty.window == x11Window) {
    const Atoms& atoms = AtomsOf(display);
    if (event.xproperty.atom == atoms.State) seen.Notice = SysX11Notice::StateChanged;
    if (event.xproperty.atom == atoms.FrameExtents) seen.Notice = SysX11Notice::FrameChanged;
  }
  return seen;
}

unsigned long SysX11NextRequest(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  return X11Of(window, display, x11Window) ? NextRequest(display) : 0;
}

bool SysX11TellSize(SDL_Window* window, int believedWidth, int believedHeight, int width, int height) {
  Display* display = nullptr;
  Window x11Window = None;
  XWindowAttributes attributes;
  if (!X11Of(window, display, x11Window) || !XGetWindowAttributes(display, x11Window, &attributes)) return false;
  int x = 0, y = 0;
  Window child = None;
  XTranslateCoordinates(display, x11Window, attributes.root, 0, 0, &x, &y, &child);
  // Put back at the head of SDL's own queue, nothing sent to the server.
  // Sent events give the place from the root.
  XEvent events[2] = {};
  for (int i = 0; i < 2; ++i) {
    XConfigureEvent& configure = events[i].xconfigure;
    configure.type = ConfigureNotify;
    configure.serial = LastKnownRequestProcessed(display);
    configure.send_event = True;
    configure.display = display;
    configure.event = configure.window = x11Window;
    configure.x = x;
    configure.y = y;
    configure.width = i == 0 ? believedWidth : width;
    configure.height = i == 0 ? believedHeight : height;
  }
  XPutBackEvent(display, &events[1]);
  XPutBackEvent(display, &events[0]);
  return true;
}

bool SysX11ReadDisplays(SDL_Window* window, SysX11Displays& displays) {
  displays = SysX11Displays{};
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  const Window root = DefaultRootWindow(display);
  int events = 0, errors = 0, count = 0;
  XRRMonitorInfo* monitors = XRRQueryExtension(display, &events, &errors) ? XRRGetMonitors(display, root, True, &count)
                                                                           : nullptr;
  for (int i = 0; monitors && i < count && displays.Count < SysX11MaxDisplays; ++i) {
    const SysRect bounds{monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
    if (bounds.W <= 0 || bounds.H <= 0) continue;
    if (monitors[i].primary && displays.Count > 0) {
      displays.Bounds[displays.Count++] = displays.Bounds[0];
      displays.Bounds[0] = bounds;
    } else {
      displays.Bounds[displays.Count++] = bounds;
    }
  }
  if (monitors) XRRFreeMonitors(monitors);
  if (displays.Count == 0) {
    // No monitors named: the screen is one display.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, root, &attributes)) return false;
    displays.Bounds[displays.Count++] = SysRect{0, 0, attributes.width, attributes.height};
  }
  const Atoms& atoms = AtomsOf(display);
  unsigned long desktop = 0, area[4 * 32];
  if (ReadLongs(display, root, atoms.CurrentDesktop, XA_CARDINAL, &desktop, 1) != 1 || desktop >= 32) desktop = 0;
  const int read = ReadLongs(display, root, atoms.WorkArea, XA_CARDINAL, area, 4 * 32);
  const unsigned long at = read >= static_cast<int>(4 * (desktop + 1)) ? 4 * desktop : 0;
  if (read >= 4) {
    displays.HasWorkArea = true;
    displays.WorkArea = SysRect{static_cast<int>(static_cast<long>(area[at])), static_cast<int>(static_cast<long>(area[at + 1])),
                                static_cast<int>(area[at + 2]), static_cast<int>(area[at + 3])};
  }
  return true;
}

bool SysX11WatchScreens(SDL_Window* window) {
  SysX11StopWatchingScreens();
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  int errors = 0;
  Watch = XOpenDisplay(DisplayString(display));
  if (!Watch) return false;
  const Window root = DefaultRootWindow(Watch);
  if (XRRQueryExtension(Watch, &RandrEvents, &errors))
    XRRSelectInput(Watch, root, RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  else
    RandrEvents = -1;
  // The root's own size, and the work area a window manager sets on it.
  XSelectInput(Watch, root, StructureNotifyMask | PropertyChangeMask);
  XFlush(Watch);
  return true;
}

bool SysX11ScreensChanged() {
  if (!Watch) return false;
  const Atom workArea = AtomsOf(Watch).WorkArea;
  bool changed = false;
  while (XPending(Watch) > 0) {
    XEvent event;
    XNextEvent(Watch, &event);
    if (RandrEvents >= 0 && event.type >= RandrEvents && event.type <= RandrEvents + RRNotify) {
      XRRUpdateConfiguration(&event);
      changed = true;
    } else if (event.type == ConfigureNotify) {
      changed = true;
    } else if (event.type == PropertyNotify && event.xproperty.atom == workArea) {
      changed = true;
    }
  }
  return changed;
}

void SysX11StopWatchingScreens() {
  if (Watch) XCloseDisplay(Watch);
  Watch = nullptr;
  WatchAtoms = Atoms{};
}

#else

bool SysX11Is(SDL_Window*) { return false; }
void SysX11KeepPlayingAfterErrors() {}
int SysX11StopCountingErrors() { return 0; }
bool SysX11ShowWithin(SDL_Window*, int) { return true; }
void SysX11WatchWindowEnd(SDL_Window*) {}
bool SysX11WindowGone() { return false; }
void SysX11LetGoneWindowGo(SDL_Window*) {}
void SysX11StopWatchingWindowEnd() {}
bool SysX11WindowSize(SDL_Window*, int&, int&) { return false; }
bool SysX11WindowManagerRuns(SDL_Window*) { return false; }
bool SysX11FocusUnheld(SDL_Window*) { return false; }
bool SysX11EndFullscreen(SDL_Window*) { return false; }
bool SysX11FreeSize(SDL_Window*) { return false; }
bool SysX11WindowState(SDL_Window*, bool& fullscreen, bool& maximised) {
  fullscreen = maximised = false;
  return false;
}
SysX11Event SysX11NoticeOf(const SDL_SysWMmsg*, SDL_Window*) { return SysX11Event{}; }
unsigned long SysX11NextRequest(SDL_Window*) { return 0; }
bool SysX11TellSize(SDL_Window*, int, int, int, int) { return false; }
bool SysX11ReadDisplays(SDL_Window*, SysX11Displays& displays) {
  displays = SysX11Displays{};
  return false;
}
bool SysX11WatchScreens(SDL_Window*) { return false; }
bool SysX11ScreensChanged() { return false; }
void SysX11StopWatchingScreens() {}

#endif

bool SysX11SerialReached(unsigned long serial, unsigned long request) {
  // Serials count up and wrap.
  return static_cast<long>(serial - request) >= 0;
}
