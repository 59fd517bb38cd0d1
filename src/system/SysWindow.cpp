#include "system/SysWindow.h"

#include <SDL.h>

#include <algorithm>

#include "system/SysPlatform.h"
#include "system/SysX11.h"

namespace {

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

// The displays as last read, the primary one first.
SysX11Displays Displays;
bool FromServer = false;  // read from the X server, not SDL
bool ScreenNoticed = false;

// The frame the window had when last windowed.
SysBorders WindowedBorders;
bool Filling = false, ManagersFullscreen = false;

void ReadDisplays() {
  SDL_Window* window = Window();
  FromServer = window && SysX11ReadDisplays(window, Displays);
  if (FromServer) return;
  Displays = SysX11Displays{};
  const int count = std::min(SDL_GetNumVideoDisplays(), SysX11MaxDisplays);
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) Displays.Bounds[Displays.Count++] = SysRect{bounds.x, bounds.y, bounds.w, bounds.h};
  }
}

SysRect Intersection(const SysRect& a, const SysRect& b) {
  const int left = std::max(a.X, b.X), top = std::max(a.Y, b.Y);
  const int right = std::min(a.X + a.W, b.X + b.W), bottom = std::min(a.Y + a.H, b.Y + b.H);
  return right > left && bottom > top ? SysRect{left, top, right - left, bottom - top} : SysRect{};
}

// The window's client as the system has it, from the root.
SysRect ClientRect(SDL_Window* window) {
  SysRect client;
  SDL_GetWindowPosition(window, &client.X, &client.Y);
  SysWindowRealSize(client.W, client.H);
  return client;
}

int DisplayIndexOf(SDL_Window* window) {
  if (FromServer) return std::max(0, SysDisplayOf(ClientRect(window), Displays.Bounds, Displays.Count));
  return std::max(0, SDL_GetWindowDisplayIndex(window));
}

bool InSdlFullscreen(SDL_Window* window) { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; }

}  // namespace

void SysWindowRealSize(int& width, int& height) {
  width = height = 0;
  SDL_Window* window = Window();
  if (window && !SysX11WindowSize(window, width, height)) SDL_GetWindowSize(window, &width, &height);
}

void SysGetWindowOutputSize(int& width, int& height) {
  width = height = 0;
  if (SDL_Window* window = Window()) SDL_GetWindowSizeInPixels(window, &width, &height);
}

void SysGetWindowClientSize(int& width, int& height) {
  width = height = 0;
  if (SDL_Window* window = Window()) SDL_GetWindowSize(window, &width, &height);
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

bool SysWindowDisplay(SysDisplay& display) {
  SDL_Window* window = Window();
  if (!window) return false;
  if (Displays.Count == 0) ReadDisplays();
  if (FromServer) {
    display.Bounds = Displays.Bounds[DisplayIndexOf(window)];
    const SysRect usable = Displays.HasWorkArea ? Intersection(display.Bounds, Displays.WorkArea) : SysRect{};
    display.Usable = usable.W > 0 ? usable : display.Bounds;
    return true;
  }
  const int index = DisplayIndexOf(window);
  SDL_Rect bounds, usable;
  if (SDL_GetDisplayBounds(index, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return false;
  if (SDL_GetDisplayUsableBounds(index, &usable) != 0 || usable.w <= 0 || usable.h <= 0) usable = bounds;
  display = SysDisplay{{bounds.x, bounds.y, bounds.w, bounds.h}, {usable.x, usable.y, usable.w, usable.h}};
  return true;
}

SysBorders SysWindowBorders(bool pump) {
  SDL_Window* window = Window();
  if (!window) return SysBorders{};
  if (pump) SDL_PumpEvents();
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) return SysBorders{};
  const SysBorders borders{std::max(0, left), std::max(0, top), std::max(0, right), std::max(0, bottom)};
  if (!SysWindowFrameless()) WindowedBorders = borders;
  return borders;
}

bool SysGetWindowRoom(int& usableWidth, int& usableHeight, int& borderWidth, int& borderHeight) {
  usableWidth = usableHeight = borderWidth = borderHeight = 0;
  SDL_Window* window = Window();
  // No window is off the dummy driver's desktop, whatever its size: it is
  // no screen anyone looks at.
  SysDisplay display;
  if (!window || SysVideoIsDummy() || !SysWindowDisplay(display)) return false;
  // Full screen has no frame; the window F5 sizes will have one again.
  SysWindowBorders(true);
  usableWidth = display.Usable.W;
  usableHeight = display.Usable.H;
  borderWidth = WindowedBorders.Left + WindowedBorders.Right;
  borderHeight = WindowedBorders.Top + WindowedBorders.Bottom;
  return true;
}

int SysMaxFullscreenScale() {
  SysDisplay display;
  if (SysWindowDisplay(display)) return SysLargestScaleIn(display.Bounds.W, display.Bounds.H);
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 1;
  return SysLargestScaleIn(mode.w, mode.h);
}

void SysRequestWindowSize(int width, int height) {
  if (SDL_Window* window = Window()) SDL_SetWindowSize(window, width, height);
}

SysBorders SysPlaceWindow(int width, int height) {
  SDL_Window* window = Window();
  if (!window) return SysBorders{};
  SysDisplay display;
  if (!SysWindowDisplay(display)) {
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return SysBorders{};
  }
  const SysBorders borders = SysWindowBorders(true);
  const SysPoint at = SysPlaceClient(display.Usable, borders, width, height);
  SDL_SetWindowPosition(window, at.X, at.Y);
  return borders;
}

bool SysWindowFitsWhereItIs(int width, int height) {
  SDL_Window* window = Window();
  SysDisplay display;
  if (!window || !SysWindowDisplay(display)) return false;
  const SysBorders borders = SysWindowBorders(true);
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  const SysRect frame{x - borders.Left, y - borders.Top, width + borders.Left + borders.Right,
                      height + borders.Top + borders.Bottom};
  const SysRect& usable = display.Usable;
  return frame.X >= usable.X && frame.Y >= usable.Y && frame.X + frame.W <= usable.X + usable.W &&
         frame.Y + frame.H <= usable.Y + usable.H;
}

void SysFillDisplay(bool on) {
  SDL_Window* window = Window();
  if (!window) return;
  if (on) {
    SysDisplay display;
    if (!SysWindowDisplay(display)) return;
    Filling = true;
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, display.Bounds.X, display.Bounds.Y);
    SDL_SetWindowSize(window, display.Bounds.W, display.Bounds.H);
  } else if (Filling) {
    Filling = false;
    SDL_SetWindowBordered(window, SDL_TRUE);
  }
}

bool SysFillsDisplay() { return Filling; }

bool SysWindowFrameless() {
  SDL_Window* window = Window();
  return (window && InSdlFullscreen(window)) || Filling || ManagersFullscreen;
}

void SysNoteManagersFullscreen(bool on) { ManagersFullscreen = on; }

void SysWatchScreens() {
  SysStopWatchingScreens();
  SysX11WatchScreens(Window());
  ReadDisplays();
}

void SysStopWatchingScreens() {
  SysX11StopWatchingScreens();
  Displays = SysX11Displays{};
  FromServer = ScreenNoticed = Filling = ManagersFullscreen = false;
  WindowedBorders = SysBorders{};
}

void SysNoteScreenChange() { ScreenNoticed = true; }

bool SysScreensChanged() {
  const bool changed = SysX11ScreensChanged() || ScreenNoticed;
  ScreenNoticed = false;
  if (changed) ReadDisplays();
  return changed;
}
