#include "system/SysX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef VORLUMEN_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace {

#ifdef VORLUMEN_HAVE_X11
bool X11Of(SDL_Window* window, Display*& display, Window& x11Window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  x11Window = info.info.x11.window;
  return true;
}

// A stale check window (its window manager gone) answers BadWindow, which
// must not reach the handler that ends the program.
bool QueryFailed = false;
int NoteQueryError(Display*, XErrorEvent*) {
  QueryFailed = true;
  return 0;
}

// Atoms asked for once per display: the names are the same on every one,
// the numbers not.
struct Atoms {
  Display* Of = nullptr;
  Atom State = None, Fullscreen = None, MaximisedAcross = None, MaximisedDown = None, FrameExtents = None;
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
  }
  return atoms;
}

// The window named by `of`'s _NET_SUPPORTING_WM_CHECK, or None.
Window CheckWindowOf(Display* display, Window of, Atom check) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Window named = None;
  if (XGetWindowProperty(display, of, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      type == XA_WINDOW && format == 32 && count == 1 && data)
    named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return named;
}
#endif

}  // namespace

bool SysX11WindowSize(SDL_Window* window, int& width, int& height) {
#ifdef VORLUMEN_HAVE_X11
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, x11Window, &attributes)) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
#else
  (void)window;
  (void)width;
  (void)height;
  return false;
#endif
}

bool SysX11WindowManagerRuns(SDL_Window* window) {
#ifdef VORLUMEN_HAVE_X11
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
#else
  (void)window;
  return false;
#endif
}

SysX11Notice SysX11NoticeOf(const SDL_SysWMmsg* message, SDL_Window* window, unsigned long& serial) {
  serial = 0;
#ifdef VORLUMEN_HAVE_X11
  Display* display = nullptr;
  Window x11Window = None;
  if (!message || message->subsystem != SDL_SYSWM_X11 || !X11Of(window, display, x11Window)) return SysX11Notice::Nothing;
  const XEvent& event = message->msg.x11.event;
  serial = event.xany.serial;
  if (event.type == ConfigureNotify && event.xconfigure.window == x11Window) return SysX11Notice::Configured;
  if (event.type != PropertyNotify || event.xproperty.window != x11Window) return SysX11Notice::Nothing;
  const Atoms& atoms = AtomsOf(display);
  if (event.xproperty.atom == atoms.State) return SysX11Notice::StateChanged;
  if (event.xproperty.atom == atoms.FrameExtents) return SysX11Notice::FrameChanged;
  return SysX11Notice::Nothing;
#else
  (void)message;
  (void)window;
  return SysX11Notice::Nothing;
#endif
}

unsigned long SysX11NextRequest(SDL_Window* window) {
#ifdef VORLUMEN_HAVE_X11
  Display* display = nullptr;
  Window x11Window = None;
  return X11Of(window, display, x11Window) ? NextRequest(display) : 0;
#else
  (void)window;
  return 0;
#endif
}

bool SysX11SerialReached(unsigned long serial, unsigned long request) {
  // Serials count up and wrap.
  return static_cast<long>(serial - request) >= 0;
}

bool SysX11TellSize(SDL_Window* window, int width, int height) {
#ifdef VORLUMEN_HAVE_X11
  Display* display = nullptr;
  Window x11Window = None;
  XWindowAttributes attributes;
  if (!X11Of(window, display, x11Window) || !XGetWindowAttributes(display, x11Window, &attributes)) return false;
  int x = 0, y = 0;
  Window child = None;
  XTranslateCoordinates(display, x11Window, attributes.root, 0, 0, &x, &y, &child);
  // Two events put back at the head of SDL's own queue, nothing sent to the
  // server: one a pixel off, so that the second, the real size, differs from
  // the last SDL saw. Sent events give the place from the root.
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
    configure.width = width + (i == 0 ? 1 : 0);
    configure.height = height;
  }
  XPutBackEvent(display, &events[1]);
  XPutBackEvent(display, &events[0]);
  return true;
#else
  (void)window;
  (void)width;
  (void)height;
  return false;
#endif
}

bool SysX11WindowState(SDL_Window* window, SysManagerState& state) {
  state = SysManagerState{};
#ifdef VORLUMEN_HAVE_X11
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Of(window, display, x11Window)) return false;
  const Atoms& atoms = AtomsOf(display);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool read = XGetWindowProperty(display, x11Window, atoms.State, 0, 64, False, XA_ATOM, &type, &format, &count,
                                       &after, &data) == Success &&
                    type == XA_ATOM && format == 32 && data;
  // No state at all is none of them.
  const auto* held = read ? reinterpret_cast<const unsigned long*>(data) : nullptr;
  for (unsigned long i = 0; held && i < count; ++i) {
    state.Fullscreen |= held[i] == atoms.Fullscreen;
    state.Maximised |= held[i] == atoms.MaximisedAcross || held[i] == atoms.MaximisedDown;
  }
  if (data) XFree(data);
  return true;
#else
  (void)window;
  return false;
#endif
}
