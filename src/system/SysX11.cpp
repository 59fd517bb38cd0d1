#include "system/SysX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef VORLUMEN_HAVE_X11
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

int NameError(Display* display, XErrorEvent* error) {
  char text[128] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "X error: %s (request %d.%d, resource 0x%lx); play goes on\n", text, error->request_code,
               error->minor_code, error->resourceid);
  return 0;
}

// Atoms asked for once per display: the names are the same on every one,
// the numbers not.
struct Atoms {
  Display* Of = nullptr;
  Atom State = None, Fullscreen = None, MaximisedAcross = None, MaximisedDown = None, FrameExtents = None,
       WorkArea = None, CurrentDesktop = None;
};

const Atoms& AtomsOf(Display* display) {
  static Atoms atoms;
  if (atoms.Of != display) {
    atoms.Of = display;
    atoms.State = XInternAtom(display, "_NET_WM_STATE", False);
    atoms.Fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    atoms.MaximisedAcross = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    atoms.MaximisedDown = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    atoms.FrameExtents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    atoms.WorkArea = XInternAtom(display, "_NET_WORKAREA", False);
    atoms.CurrentDesktop = XInternAtom(display, "_NET_CURRENT_DESKTOP", False);
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

// The screen watch's own connection, and the RandR event numbers on it.
Display* Watch = nullptr;
int RandrEvents = 0;

}  // namespace

bool SysX11Is(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  return X11Of(window, display, x11Window);
}

void SysX11KeepPlayingAfterErrors() { XSetErrorHandler(NameError); }

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
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
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
}

#else

bool SysX11Is(SDL_Window*) { return false; }
void SysX11KeepPlayingAfterErrors() {}
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
