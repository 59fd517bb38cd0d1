#include "system/SysRenderer.h"

#include <SDL.h>

#include <cstring>

#include "system/SysPlatform.h"

namespace {

SDL_Renderer* Renderer = nullptr;
SDL_Texture* BackBuffer = nullptr;
int BackBufferScale = 1;
bool Fullscreen = false;

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

}  // namespace

bool SysRendererCreate() {
  if (Renderer) return true;
  SDL_Window* window = Window();
  if (!window) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool offscreen = driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
  if (!offscreen) Renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!Renderer) Renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  if (!Renderer) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  return SysRendererSetBackBuffer(1);
}

void SysRendererDestroy() {
  if (BackBuffer) SDL_DestroyTexture(BackBuffer);
  BackBuffer = nullptr;
  if (Renderer) SDL_DestroyRenderer(Renderer);
  Renderer = nullptr;
}

bool SysRendererReady() { return Renderer != nullptr; }

bool SysRendererSetBackBuffer(int scale) {
  if (!Renderer) return false;
  if (scale < 1) scale = 1;
  if (BackBuffer && scale == BackBufferScale) return true;
  if (BackBuffer) SDL_DestroyTexture(BackBuffer);
  BackBuffer = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                 320 * scale, 180 * scale);
  if (!BackBuffer) return false;
  BackBufferScale = scale;
  return true;
}

int SysRendererBackBufferScale() { return BackBufferScale; }

void SysRendererBeginFrame(std::uint32_t clearArgb) {
  if (!Renderer || !BackBuffer) return;
  SDL_SetRenderTarget(Renderer, BackBuffer);
  SDL_SetRenderDrawColor(Renderer, (clearArgb >> 16) & 0xFF, (clearArgb >> 8) & 0xFF,
                         clearArgb & 0xFF, (clearArgb >> 24) & 0xFF);
  SDL_RenderClear(Renderer);
}

void SysRendererPresent() {
  if (!Renderer || !BackBuffer) return;
  SDL_SetRenderTarget(Renderer, nullptr);
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(Renderer, &width, &height);
  SDL_Rect target{0, 0, width, height};
  if (Fullscreen) {
    // Centred at the back buffer's own size, black around it.
    target.w = 320 * BackBufferScale;
    target.h = 180 * BackBufferScale;
    target.x = (width - target.w) / 2;
    target.y = (height - target.h) / 2;
  }
  SDL_RenderCopy(Renderer, BackBuffer, nullptr, &target);
  SDL_RenderPresent(Renderer);
}

void SysSetWindowClientSize(int width, int height) {
  if (SDL_Window* window = Window()) {
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void SysGetWindowClientSize(int& width, int& height) {
  width = height = 0;
  if (SDL_Window* window = Window()) SDL_GetWindowSize(window, &width, &height);
}

void SysSetFullscreenDesktop(bool on) {
  if (SDL_Window* window = Window()) {
    SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    Fullscreen = on;
  }
}

int SysMaxFullscreenScale() {
  SDL_DisplayMode mode;
  SDL_Window* window = Window();
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return 1;
  int best = 1;
  for (int k = 1; 320 * k <= mode.w && 180 * k <= mode.h; ++k) best = k;
  return best;
}
