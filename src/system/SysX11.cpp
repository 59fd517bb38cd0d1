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

FullscreenAnswer SysJudgeFullscreen(const FullscreenLook& look) {
  if (look.SizeMatches) return FullscreenAnswer::Granted;
  if (look.LooksSinceRequest <= 0) return FullscreenAnswer::Waiting;
  if (!look.WindowManager) return FullscreenAnswer::NotGranted;
  if (look.MsSinceRequest >= FullscreenGraceMs && look.LooksSinceRequest >= FullscreenGraceLooks)
    return FullscreenAnswer::NotGranted;
  return FullscreenAnswer::Waiting;
}
