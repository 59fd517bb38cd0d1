// The main window is made once, with what its renderer needs: SDL's GL
// renderers would otherwise destroy it and make a new one as they start.
// Where the renderer made for it cannot draw the first frame, the software
// renderer draws in the same window.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Needs.h"
#include "app/DesktopSupport.h"
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

// SDL's OpenGL renderer where OpenGL has no render targets, as over
// indirect GLX: Mesa's, with its framebuffer objects not named. 0 when the
// software renderer took over the window made for OpenGL and draws.
int StartRendererWithoutRenderTargets() {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("MESA_EXTENSION_OVERRIDE", "-GL_EXT_framebuffer_object", 1);
  // By name: SDL3 would take OpenGL ES first, whose render targets no
  // extension can take away.
  setenv("SDL_RENDER_DRIVER", "opengl", 1);
  SysShowDebugOutput(true);
  SysShutdown();
  if (!SysInitVideo() || !SysCreateMainWindow(320, 180)) return 9;
  auto* window = static_cast<SDL_Window*>(SysMainWindowHandle());
  if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL)) return 7;
  if (!SysRendererCreate()) return 8;
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(SDL_GetRenderer(window), &info);
  if (!info.name || std::strcmp(info.name, "software") != 0) return 1;
  constexpr std::uint32_t Blue = 0xFF2040C0u;
  SysRendererClear(Blue);
  SysRendererKeepWindowPicture(true);
  SysRendererPresent();
  std::vector<std::uint32_t> shown;
  int width = 0, height = 0;
  if (!SysRendererReadWindowPicture(shown, width, height) || width != 320 || height != 180) return 2;
  for (std::uint32_t pixel : shown)
    if (pixel != Blue) return 3;
  SysRendererKeepWindowPicture(false);
  SysRendererDestroy();
  SysShutdown();
  return 0;
}

TEST(MainWindow, ARendererWithoutRenderTargetsGivesWayToSoftware) {
  std::string missing;
  needs::Add(missing, desktop::MesaPresent() && desktop::LibraryPresent("libEGL_mesa.so.0"), "Mesa's OpenGL without a display");
  VORLUMEN_NEED(missing);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // SDL 2 makes the OpenGL renderer, which finds no back buffer; SDL3 (under
  // sdl2-compat) makes no OpenGL renderer on its offscreen driver at all,
  // and the software renderer draws there for that reason.
  EXPECT_EXIT(std::_Exit(StartRendererWithoutRenderTargets()), ::testing::ExitedWithCode(0),
              desktop::OverSdl3() ? "drawing with the software renderer \\(no accelerated renderer"
                   : "drawing with the software renderer \\(the opengl renderer gave no back buffer");
}

}  // namespace
