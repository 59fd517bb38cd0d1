#include "system/SysRenderDriver.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A driver that starts slower than this is taken to be a real one.
constexpr int ProbeTimeoutMs = 3000;

// In the child: the display's OpenGL renderer string, written to `out`.
[[noreturn]] void ProbeAndExit(int out) {
  // Whatever the driver says about itself is no business of the game's.
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  const char* name = "";
  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window && SDL_GL_CreateContext(window)) {
      using GetString = const unsigned char* (*)(unsigned int);
      const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
      constexpr unsigned int GlRenderer = 0x1F01;
      const unsigned char* renderer = getString ? getString(GlRenderer) : nullptr;
      if (renderer) name = reinterpret_cast<const char*>(renderer);
    }
  }
  const ssize_t written = write(out, name, std::strlen(name));
  (void)written;
  // No clean-up: the display connection ends with the process.
  _exit(0);
}

// The child's answer; empty when it had none in time.
std::string AskChild() {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    ProbeAndExit(fds[1]);
  }
  close(fds[1]);
  std::string answer;
  if (child > 0) {
    pollfd p{fds[0], POLLIN, 0};
    char chunk[256];
    while (answer.size() < 1024 && poll(&p, 1, ProbeTimeoutMs) > 0) {
      const ssize_t n = read(fds[0], chunk, sizeof chunk);
      if (n <= 0) break;
      answer.append(chunk, static_cast<std::size_t>(n));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  close(fds[0]);
  return answer;
}

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

bool SysIsCpuRasteriserName(const char* glRenderer) {
  if (!glRenderer) return false;
  std::string name(glRenderer);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* cpu : {"llvmpipe", "softpipe", "software rasterizer", "swrast", "lavapipe", "swiftshader"})
    if (name.find(cpu) != std::string::npos) return true;
  return false;
}

void SysChooseRenderDriver() {
  const char* asked = std::getenv("SDL_RENDER_DRIVER");
  if (asked && std::strncmp(asked, "opengl", 6) == 0) {
    // OpenGL asked for by name may still be drawn on the CPU: Mesa's
    // llvmpipe then wakes a thread per core for every draw, which costs
    // more than it saves on a picture this small. A player's own setting
    // wins; a graphics card ignores it.
    setenv("LP_NUM_THREADS", "0", 0);
  }
  if (Named("SDL_RENDER_DRIVER") || (!Named("DISPLAY") && !Named("WAYLAND_DISPLAY"))) return;
  const char* video = std::getenv("SDL_VIDEODRIVER");
  if (video && (std::strcmp(video, "dummy") == 0 || std::strcmp(video, "offscreen") == 0)) return;
  if (SysIsCpuRasteriserName(AskChild().c_str())) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
}
