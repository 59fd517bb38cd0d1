// The main window is made once, with what its renderer needs: SDL's GL
// renderers would otherwise destroy it and make a new one as they start.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "system/SysPlatform.h"
#include "system/SysRenderer.h"

namespace {

// 0 when the window outlived the renderer's start unchanged.
int StartRendererOnHeadlessGl() {
  // The offscreen driver renders with GL where the system has it.
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  SysShutdown();
  if (!SysInitVideo() || !SysCreateMainWindow(320, 180)) return 9;
  auto* window = static_cast<SDL_Window*>(SysMainWindowHandle());
  const Uint32 before = SDL_GetWindowFlags(window);
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  if (!SysRendererCreate()) return 8;

  SDL_RendererInfo info{};
  SDL_GetRendererInfo(SDL_GetRenderer(window), &info);
  std::fprintf(stderr, "renderer: %s\n", info.name ? info.name : "?");
  int status = SDL_GetWindowFlags(window) == before ? 0 : 1;
  // A remade window was hidden and shown again.
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PollEvent(&event))
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_HIDDEN) status = 2;
  SysRendererDestroy();
  SysShutdown();
  return status;
}

TEST(MainWindow, IsMadeOnceWithWhatItsRendererNeeds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(StartRendererOnHeadlessGl()), ::testing::ExitedWithCode(0), "renderer: ");
}

}  // namespace
