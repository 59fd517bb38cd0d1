#include "system/SysX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef VORLUMEN_HAVE_X11
#include <X11/Xlib.h>
#endif

bool SysX11WindowSize(SDL_Window* window, int& width, int& height) {
#ifdef VORLUMEN_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) return false;
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
