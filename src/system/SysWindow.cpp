#include "system/SysWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "system/SysPlatform.h"
#include "system/SysX11.h"

namespace {

// Full screen was asked for and the system's answer not yet judged: how
// often it was looked for, and since when.
bool FullscreenUnsettled = false;
int FullscreenLooks = 0;
std::uint32_t FullscreenAskedAt = 0;

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

// The dummy driver's desktop is no screen anyone looks at.
bool UnseenDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "dummy") == 0;
}

}  // namespace

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

void SysMapPointThroughRect(const SysRect& rect, int pictureWidth, int pictureHeight, int& x, int& y) {
  if (rect.W <= 0 || rect.H <= 0) return;
  x = static_cast<int>(static_cast<long long>(x - rect.X) * pictureWidth / rect.W);
  y = static_cast<int>(static_cast<long long>(y - rect.Y) * pictureHeight / rect.H);
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
  // No window is off the dummy driver's desktop, whatever its size.
  if (!window || UnseenDisplay()) return false;
  const int display = SDL_GetWindowDisplayIndex(window);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return false;
  usableWidth = usable.w;
  usableHeight = usable.h;
  // Known once the window manager has framed the window; none before.
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0) {
    borderWidth = std::max(0, left) + std::max(0, right);
    borderHeight = std::max(0, top) + std::max(0, bottom);
  }
  return true;
}

void SysSetWindowClientSize(int width, int height) {
  if (SDL_Window* window = Window()) {
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void SysSetFullscreenDesktop(bool on) {
  if (SDL_Window* window = Window()) {
    SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    FullscreenUnsettled = on;
    FullscreenLooks = 0;
    FullscreenAskedAt = SDL_GetTicks();
    SysDebugOutput(on ? "window: full screen asked for\n" : "window: windowed\n");
  }
}

void SysSettleFullscreenWindow() {
  SDL_Window* window = Window();
  if (!window || !FullscreenUnsettled) return;
  int realWidth = 0, realHeight = 0, width = 0, height = 0;
  if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) || !SysX11WindowSize(window, realWidth, realHeight)) {
    FullscreenUnsettled = false;
    return;
  }
  SDL_GetWindowSize(window, &width, &height);
  const FullscreenLook look{SysX11WindowManagerRuns(window), realWidth == width && realHeight == height,
                            FullscreenLooks++, SDL_GetTicks() - FullscreenAskedAt};
  char line[96];
  switch (SysJudgeFullscreen(look)) {
    case FullscreenAnswer::Waiting:
      return;
    case FullscreenAnswer::Granted:
      // From here on SDL follows the window's later changes itself.
      FullscreenUnsettled = false;
      std::snprintf(line, sizeof line, "window: full screen granted at %d x %d\n", width, height);
      SysDebugOutput(line);
      return;
    case FullscreenAnswer::NotGranted:
      break;
  }
  // SDL would draw for a window as large as the display, of which the
  // player sees only a corner: windowed again, at the window's real size,
  // SDL draws for the window there is.
  FullscreenUnsettled = false;
  SDL_SetWindowFullscreen(window, 0);
  SDL_SetWindowSize(window, realWidth, realHeight);
  std::snprintf(line, sizeof line, "window: full screen not granted, windowed at %d x %d\n", realWidth, realHeight);
  SysDebugOutput(line);
}

int SysMaxFullscreenScale() {
  SDL_DisplayMode mode;
  SDL_Window* window = Window();
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return 1;
  return SysLargestScaleIn(mode.w, mode.h);
}
