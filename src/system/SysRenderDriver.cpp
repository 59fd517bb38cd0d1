#include "system/SysRenderDriver.h"

#include <SDL.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/SysPlatform.h"

namespace {

// A display that names no renderer within this time is drawn on in
// software: the game would wait as long for its own context, or longer.
constexpr int ProbeTimeoutMs = 3000;
// How long a killed child may take to be reaped: one stuck in a driver
// call dies only when the call returns.
constexpr long long ReapGraceNs = 100'000'000;

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// In the child: lets go of everything it inherited but `out`, which it
// returns (moved to descriptor 3).
int Contain(int out, pid_t parent, int timeLimitMs) {
  // Ends with the game, and by itself once its time is up.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(1);
  for (int inherited : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM}) signal(inherited, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  alarm(static_cast<unsigned>((timeLimitMs + 999) / 1000));

  if (out < 3) out = fcntl(out, F_DUPFD, 3);
  // Whatever the driver says about itself is no business of the game's.
  const int null = open("/dev/null", O_RDWR);
  for (int standard = 0; standard < 3; ++standard)
    if (null < 0 || dup2(null, standard) < 0) close(standard);
  if (out != 3) {
    if (dup2(out, 3) < 0) _exit(1);
    out = 3;
  }
  // The game's single-instance socket among the rest: a child hung in a
  // driver must not keep the game's name after the game is gone.
  if (close_range(4, ~0U, 0) != 0) {
    const long most = std::min(sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = 4; fd < most; ++fd) close(fd);
  }
  return out;
}

// In the child: the display's OpenGL renderer string.
std::string AskDisplayForRenderer() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return {};
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window || !SDL_GL_CreateContext(window)) return {};
  using GetString = const unsigned char* (*)(unsigned int);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  constexpr unsigned int GlRenderer = 0x1F01;
  const unsigned char* renderer = getString ? getString(GlRenderer) : nullptr;
  // No clean-up: the display connection ends with the process.
  return renderer ? reinterpret_cast<const char*>(renderer) : "";
}

// The names of /dev and of /dev/dri (as "dri/..."); none when /dev cannot
// be read, so that nothing can be told from it.
std::optional<std::vector<std::string>> DeviceNames() {
  std::vector<std::string> names;
  for (const char* folder : {"/dev", "/dev/dri"}) {
    DIR* dir = opendir(folder);
    if (!dir) {
      if (names.empty()) return std::nullopt;
      continue;
    }
    const std::string prefix = std::strcmp(folder, "/dev") == 0 ? "" : "dri/";
    while (const dirent* entry = readdir(dir)) names.push_back(prefix + entry->d_name);
    closedir(dir);
  }
  return names;
}

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

bool CheckStarted = false;
bool UseSoftware = false;
SysChildQuestion Check;
SysDeviceLister CheckDevices = DeviceNames;
SysChildQuestion::Question CheckQuestion = AskDisplayForRenderer;
int CheckTimeLimitMs = ProbeTimeoutMs;

// Children killed but not yet gone when their wait ended.
std::vector<pid_t>& Killed() {
  static std::vector<pid_t> killed;
  return killed;
}

}  // namespace

SysChildQuestion::~SysChildQuestion() { Stop(); }

bool SysChildQuestion::Start(Question question, int timeLimitMs) {
  Stop();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const int out = Contain(fds[1], parent, timeLimitMs);
    const std::string answer = question();
    for (std::size_t done = 0; done < answer.size();) {
      const ssize_t n = write(out, answer.data() + done, answer.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    return false;
  }
  Child = child;
  Pipe = fds[0];
  DeadlineNs = NowNs() + timeLimitMs * 1'000'000LL;
  return true;
}

std::string SysChildQuestion::Answer() {
  std::string answer;
  char chunk[256];
  while (Child > 0 && answer.size() < 1024) {
    const long long left = std::max(0LL, DeadlineNs - NowNs());
    pollfd ready{Pipe, POLLIN, 0};
    const int polled = poll(&ready, 1, static_cast<int>((left + 999'999) / 1'000'000));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) break;
    const ssize_t n = read(Pipe, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(chunk, static_cast<std::size_t>(n));
  }
  Stop();
  return answer;
}

void SysChildQuestion::Stop() {
  if (Child > 0) {
    kill(Child, SIGKILL);
    const long long until = NowNs() + ReapGraceNs;
    for (;;) {
      const pid_t reaped = waitpid(Child, nullptr, WNOHANG);
      if (reaped == Child || (reaped < 0 && errno != EINTR)) break;
      if (NowNs() > until) {
        Killed().push_back(Child);
        break;
      }
      if (reaped == 0) {
        const timespec pause{0, 1'000'000};
        nanosleep(&pause, nullptr);
      }
    }
  }
  if (Pipe >= 0) close(Pipe);
  Child = Pipe = -1;
}

int SysChildQuestion::ReapKilled() {
  std::vector<pid_t>& killed = Killed();
  std::erase_if(killed, [](pid_t child) {
    pid_t reaped;
    do reaped = waitpid(child, nullptr, WNOHANG);
    while (reaped < 0 && errno == EINTR);
    // Gone, or no child of ours any more.
    return reaped != 0;
  });
  return static_cast<int>(killed.size());
}

bool SysIsCpuRasteriserName(const char* glRenderer) {
  if (!glRenderer) return false;
  std::string name(glRenderer);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* cpu : {"llvmpipe", "softpipe", "software rasterizer", "swrast", "lavapipe", "swiftshader"})
    if (name.find(cpu) != std::string::npos) return true;
  return false;
}

bool SysDevicesShowGraphicsCard(const std::vector<std::string>& deviceNames) {
  // Every DRM driver that draws has a render node. NVIDIA's own driver
  // draws through its /dev/nvidia* nodes, WSL's through /dev/dxg, and the
  // vendor drivers of ARM, Qualcomm, Vivante and PowerVR graphics through
  // their own nodes; /dev/dri/card* alone is a display controller.
  for (const std::string_view name : deviceNames)
    for (const std::string_view node : {"dri/renderD", "nvidia", "dxg", "mali", "kgsl", "galcore", "pvrsrvkm"})
      if (name.substr(0, node.size()) == node) return true;
  return false;
}

void SysStartRenderDriverCheck() {
  if (CheckStarted) return;
  CheckStarted = true;
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
  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    SysDebugOutput("Vorlumen: the renderer check comes only before SDL starts; none made\n");
    return;
  }
  // Indirect OpenGL is drawn by the display's machine, which only it can tell.
  if (!Named("LIBGL_ALWAYS_INDIRECT")) {
    const auto devices = CheckDevices();
    if (devices && !SysDevicesShowGraphicsCard(*devices)) {
      UseSoftware = true;
      SysDebugOutput("Vorlumen: no graphics device; drawing with the software renderer\n");
      return;
    }
  }
  Check.Start(CheckQuestion, CheckTimeLimitMs);
}

void SysChooseRenderDriver() {
  if (Check.Running()) {
    const long long waitFrom = NowNs();
    const std::string renderer = Check.Answer();
    // No name: the child could make no context (an X error ended it, or
    // indirect GLX gave one that names nothing), or none in its time.
    const bool named = !renderer.empty();
    UseSoftware = !named || SysIsCpuRasteriserName(renderer.c_str());
    char line[1200];
    std::snprintf(line, sizeof line, "Vorlumen: OpenGL renderer \"%s\" (waited %lld ms): %s; drawing with %s\n",
                  renderer.c_str(), (NowNs() - waitFrom) / 1'000'000,
                  !named          ? "the display named none"
                  : UseSoftware   ? "drawn on the CPU"
                                  : "drawn by a graphics device",
                  UseSoftware ? "the software renderer" : "the first accelerated renderer");
    SysDebugOutput(line);
  }
  if (UseSoftware) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
}

void SysAbandonRenderDriverCheck() {
  Check.Stop();
  SysChildQuestion::ReapKilled();
}

void SysReapRenderDriverCheck() { SysChildQuestion::ReapKilled(); }

void SysRestartRenderDriverCheck(SysDeviceLister devices, SysChildQuestion::Question question, int timeLimitMs) {
  Check.Stop();
  CheckStarted = UseSoftware = false;
  CheckDevices = devices ? devices : DeviceNames;
  CheckQuestion = question ? question : AskDisplayForRenderer;
  CheckTimeLimitMs = timeLimitMs > 0 ? timeLimitMs : ProbeTimeoutMs;
}
