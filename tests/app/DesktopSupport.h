#pragma once
// The real program on a desktop of its own: an X server (Xvfb) of a chosen
// size, a window manager or none (openbox stacks, i3 tiles, fluxbox
// maximises whatever it is asked to), and the tools a player's hand and eye
// stand in for (xdotool for keys and window sizes, wmctrl for a window
// manager's own commands, xwd for what the screen shows). Every wait polls up to a bound; whatever was started is ended.
// The tools are looked up on PATH when a test asks for them, so that tools
// installed after the build was configured are found; where one is missing
// the test fails or skips as Needs.h has it.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Needs.h"
#include "app/ProgramRunner.h"

namespace desktop {

// A program the tests drive, by its name; its path is looked up on PATH
// each time it is asked for ("" while it is not installed).
class ToolPath {
public:
  constexpr explicit ToolPath(const char* name) : Name(name) {}
  std::string Path() const {
    const char* path = std::getenv("PATH");
    const std::string dirs = path && *path ? path : "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin";
    for (std::size_t at = 0; at <= dirs.size();) {
      const std::size_t end = std::min(dirs.find(':', at), dirs.size());
      const std::string file = dirs.substr(at, end - at) + "/" + Name;
      struct stat info {};
      if (end > at && *Name && stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(file.c_str(), X_OK) == 0)
        return file;
      at = end + 1;
    }
    return "";
  }
  bool Found() const { return !Path().empty(); }
  operator std::string() const { return Path(); }
  friend std::ostream& operator<<(std::ostream& out, const ToolPath& tool) { return out << tool.Name; }
  const char* Name;
};

inline constexpr ToolPath Xvfb{"Xvfb"};
inline constexpr ToolPath Openbox{"openbox"};
inline constexpr ToolPath Xdotool{"xdotool"};
inline constexpr ToolPath Xwd{"xwd"};
inline constexpr ToolPath Xprop{"xprop"};
inline constexpr ToolPath Xwininfo{"xwininfo"};
inline constexpr ToolPath Xmessage{"xmessage"};
inline constexpr ToolPath I3{"i3"};
inline constexpr ToolPath Fluxbox{"fluxbox"};
inline constexpr ToolPath Wmctrl{"wmctrl"};

enum class Manager { None, Openbox, I3, Fluxbox };

inline const ToolPath& ProgramOf(Manager manager) {
  static constexpr ToolPath none{""};
  switch (manager) {
    case Manager::Openbox: return Openbox;
    case Manager::I3: return I3;
    case Manager::Fluxbox: return Fluxbox;
    case Manager::None: break;
  }
  return none;
}

// The names of those of `tools` that are not installed, or "".
inline std::string MissingOf(std::initializer_list<ToolPath> tools) {
  std::string missing;
  for (const ToolPath& tool : tools) needs::Add(missing, tool.Found(), tool.Name);
  return missing;
}

// What a desktop with `manager` (or none) and the player's tools need.
inline std::string MissingTools(Manager manager) {
  if (manager == Manager::None) return MissingOf({Xvfb, Xdotool, Xwd, Xprop, Xwininfo});
  return MissingOf({Xvfb, Xdotool, Xwd, Xprop, Xwininfo, ProgramOf(manager), Xmessage, Wmctrl});
}

// Whether a library is installed, by its path in a library folder.
inline bool LibraryPresent(const std::string& path) {
  for (const char* dir : {"/usr/lib/x86_64-linux-gnu", "/usr/lib/aarch64-linux-gnu", "/usr/lib64", "/usr/lib"})
    if (access((std::string(dir) + "/" + path).c_str(), R_OK) == 0) return true;
  return false;
}

// Whether this process's SDL 2 is sdl2-compat over SDL3, which it loads.
inline bool OverSdl3() {
  void* sdl3 = dlopen("libSDL3.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (sdl3) dlclose(sdl3);
  return sdl3 != nullptr;
}

// Mesa's OpenGL, which Xvfb's GLX and SDL's OpenGL renderer draw with here.
inline bool MesaPresent() { return LibraryPresent("dri/swrast_dri.so") || LibraryPresent("dri/kms_swrast_dri.so"); }

using Clock = std::chrono::steady_clock;

inline int MsSince(Clock::time_point start) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// How many times `text` stands in `log` (lines the game wrote, counted).
inline int CountOf(const std::string& text, const std::string& log) {
  int n = 0;
  for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
  return n;
}

// The display an X server started with -displayfd names on `fd`, as
// ":N", or "" when it said nothing whole within the time.
inline std::string ReadDisplayName(int fd, int timeoutMs) {
  std::string text;
  const auto start = Clock::now();
  while (text.find('\n') == std::string::npos) {
    const int left = timeoutMs - MsSince(start);
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, left) <= 0) return "";
    char c[16];
    const ssize_t n = read(fd, c, sizeof c);
    if (n <= 0) return "";
    text.append(c, static_cast<std::size_t>(n));
  }
  return ":" + text.substr(0, text.find('\n'));
}

// Polls `done` every 20 ms until it holds or `timeoutMs` pass.
template <typename Done>
bool WaitFor(Done done, int timeoutMs) {
  const auto start = Clock::now();
  for (;;) {
    if (done()) return true;
    if (MsSince(start) > timeoutMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Starts `args` with `display` as its DISPLAY and no SDL settings of the
// caller's; its output goes to `outFd` (-1: nowhere), and descriptor
// `keepFd`, if any, stays open as 3.
// `errFd` likewise for its standard error; `extraEnv` adds variables, or
// replaces the caller's of the same name.
inline pid_t Spawn(const std::vector<std::string>& args, const std::string& display, int outFd = -1, int keepFd = -1,
                   int errFd = -1, const std::vector<std::string>& extraEnv = {}) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    // A test's own settings (sharding, its report file) are not the child's.
    if (var.rfind("DISPLAY=", 0) == 0 || var.rfind("WAYLAND_DISPLAY=", 0) == 0 || var.rfind("SDL_", 0) == 0 ||
        var.rfind("GTEST_", 0) == 0)
      continue;
    const std::string name = var.substr(0, var.find('=') + 1);
    if (std::any_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& v) { return v.rfind(name, 0) == 0; }))
      continue;
    env.push_back(var);
  }
  if (!display.empty()) env.push_back("DISPLAY=" + display);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp, argv;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::vector<std::string> copy = args;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, 0) < 0 || dup2(outFd >= 0 ? outFd : null, 1) < 0 || dup2(errFd >= 0 ? errFd : null, 2) < 0) _exit(126);
    if (keepFd >= 0 && dup2(keepFd, 3) < 0) _exit(126);
    for (int fd = keepFd >= 0 ? 4 : 3; fd < 1024; ++fd) close(fd);
    setpgid(0, 0);  // not in the test's group: a terminal's ^C reaches the test, which ends it
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

// Ends a started process for good and reaps it.
inline void End(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGCONT);
  kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  pid = -1;
}

// A started process, ended by its guard however the test leaves its scope
// (an assertion that fails returns early).
class Guarded {
public:
  explicit Guarded(pid_t pid) : Pid(pid) {}
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;
  ~Guarded() { End(Pid); }
  pid_t Pid;
};

// A tool's standard output and exit status (-1: it did not end in time and
// was killed).
struct ToolRun {
  int Status = -1;
  std::string Out;
};

inline ToolRun RunTool(const std::vector<std::string>& args, const std::string& display, int timeoutMs = 10000,
                       const std::vector<std::string>& extraEnv = {}) {
  ToolRun run;
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return run;
  pid_t pid = Spawn(args, display, out[1], -1, -1, extraEnv);
  close(out[1]);
  const auto start = Clock::now();
  char buffer[65536];
  for (;;) {
    const int left = timeoutMs - MsSince(start);
    if (left <= 0) break;
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, left) <= 0) continue;
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    run.Out.append(buffer, static_cast<std::size_t>(n));
  }
  close(out[0]);
  int status = 0;
  if (MsSince(start) < timeoutMs && waitpid(pid, &status, 0) == pid) {
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid = -1;
  }
  End(pid);
  return run;
}

// An X server of its own, with a number it picks itself (-displayfd), so
// that tests running side by side never share one.
class XServer {
public:
  XServer() = default;
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer() { Stop(); }

  // `extraArgs` go to Xvfb as well (+iglx: indirect OpenGL contexts).
  bool Start(int width, int height, int timeoutMs = 20000, const std::vector<std::string>& extraArgs = {}) {
    int number[2];
    if (pipe2(number, O_CLOEXEC) != 0) return false;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // A key held past the auto-repeat delay (a test's hand slowed by a
    // loaded machine) would come again as a press of its own.
    std::vector<std::string> args{Xvfb, "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-br", "-noreset",
                                  "-ardelay", "30000"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    Pid = Spawn(args, "", -1, number[1]);
    close(number[1]);
    Display = ReadDisplayName(number[0], timeoutMs);
    close(number[0]);
    return !Display.empty();
  }

  void Stop() {
    End(WindowManager);
    End(Pid);
  }

  // Starts a window manager, its home and settings in `folder`, and waits
  // until it manages windows. A window manager names itself on the root
  // window before its start-up is over, and a window mapped in between may
  // never be managed (its map request is lost, and an SDL that waits for the
  // map waits for ever): it counts as started once a probe window has been
  // mapped and framed by it; a probe it lost is replaced. Under i3 the
  // game's window is tiled.
  bool StartWindowManager(Manager manager, const std::string& folder, int timeoutMs = 20000) {
    std::vector<std::string> args{ProgramOf(manager)};
    if (manager == Manager::I3) {
      const std::string config = folder + "/i3.config";
      std::ofstream(config) << "# i3 config file (v4)\n"
                               "font pango:monospace 8\n"
                               "for_window [class=\"(?i)vorlumen\"] floating disable\n";
      args.insert(args.end(), {"-c", config});
    }
    if (manager == Manager::Fluxbox) {
      // No wallpaper: its helper fails on a bare desktop and says so in a
      // window that takes the focus.
      mkdir((folder + "/.fluxbox").c_str(), 0755);
      std::ofstream(folder + "/.fluxbox/overlay") << "background: none\n";
    }
    WindowManager = Spawn(args, Display, -1, -1, -1, {"HOME=" + folder});
    const auto start = Clock::now();
    while (MsSince(start) < timeoutMs) {
      int status = 0;
      if (waitpid(WindowManager, &status, WNOHANG) == WindowManager) {
        WindowManager = -1;
        return false;
      }
      Guarded probe(Spawn({Xmessage, "-title", "vorlumen-wm-probe", "probe"}, Display));
      if (WaitFor([&] { return MappedAndFramed("vorlumen-wm-probe"); }, 3000)) return true;
    }
    return false;
  }

  // Whether the window named `name` is shown (viewable), inside a frame
  // (its parent is not the root) and in the window manager's care
  // (WM_STATE Normal).
  bool MappedAndFramed(const std::string& name) const {
    const ToolRun tree = Tool({Xwininfo, "-name", name, "-tree", "-stats"});
    auto id = [&](const char* label) {
      const std::size_t at = tree.Out.find(label);
      if (at == std::string::npos) return std::string();
      const std::size_t from = at + std::strlen(label);
      return tree.Out.substr(from, tree.Out.find(' ', from) - from);
    };
    const std::string root = id("Root window id: "), parent = id("Parent window id: ");
    if (tree.Status != 0 || root.empty() || parent.empty() || parent == root ||
        tree.Out.find("Map State: IsViewable") == std::string::npos)
      return false;
    return Tool({Xprop, "-name", name, "WM_STATE"}).Out.find("window state: Normal") != std::string::npos;
  }

  // The window manager stopped (it answers nothing) or let go again.
  void HoldWindowManager() {
    if (WindowManager > 0) kill(WindowManager, SIGSTOP);
  }
  void ReleaseWindowManager() {
    if (WindowManager > 0) kill(WindowManager, SIGCONT);
  }

  ToolRun Tool(const std::vector<std::string>& args, int timeoutMs = 10000) const {
    return RunTool(args, Display, timeoutMs);
  }

  std::string Display;

private:
  pid_t Pid = -1;
  pid_t WindowManager = -1;
};

struct Rect {
  int X = 0, Y = 0, W = 0, H = 0;
  bool operator==(const Rect&) const = default;
};

inline std::string Describe(const Rect& r) {
  return std::to_string(r.W) + " x " + std::to_string(r.H) + " at " + std::to_string(r.X) + ", " + std::to_string(r.Y);
}

// The real program on the display, with the debug lines of --verbose, and
// its standard error in `errPath`; `extraEnv` adds variables.
inline RunningProgram StartGameOn(const XServer& x, const std::string& gameDir, const std::string& errPath,
                                  const std::vector<std::string>& extraEnv = {}) {
  RunningProgram game;
  game.GameDir = gameDir;
  game.ErrPath = errPath;
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (err < 0) return game;
  // Under the leak checker: the system's message bus library, which SDL
  // starts on a desktop, keeps a buffer to the end.
  const std::string suppressions = errPath + ".lsan";
  {
    std::ofstream out(suppressions);
    out << "leak:libdbus-1.so\n";
  }
  std::vector<std::string> env{"SDL_AUDIODRIVER=dummy", "LSAN_OPTIONS=suppressions=" + suppressions + ":print_suppressions=0"};
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  game.Pid = Spawn({VORLUMEN_EXE, "--game-dir", gameDir, "--verbose"}, x.Display, -1, -1, err, env);
  close(err);
  return game;
}

// The game's window as the X server has it (the client area, without a
// window manager's frame).
inline bool FindGameWindow(const XServer& x, std::string& id) {
  const ToolRun run = x.Tool({Xdotool, "search", "--onlyvisible", "--name", "^Vorlumen$"});
  if (run.Status != 0 || run.Out.empty()) return false;
  id = run.Out.substr(0, run.Out.find('\n'));
  return true;
}

// Where the window's client area lies on the screen (xdotool's position is
// off by the frame under a window manager; xwininfo's absolute one is not).
inline bool WindowGeometry(const XServer& x, const std::string& id, Rect& r) {
  const ToolRun run = x.Tool({Xwininfo, "-id", id});
  if (run.Status != 0) return false;
  auto field = [&](const char* name) {
    const std::size_t at = run.Out.find(name);
    return at == std::string::npos ? -1 : std::atoi(run.Out.c_str() + at + std::strlen(name));
  };
  r = Rect{field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"), field("Height:")};
  return r.W > 0 && r.H > 0;
}

// What the screen shows, 0xRRGGBB, from `xwd -root`.
struct Screen {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Rgb;
  std::uint32_t At(int x, int y) const { return Rgb[static_cast<std::size_t>(y) * Width + x]; }
};

// Reads an XWD image of 24 or 32 bits a pixel with 8-bit channel masks.
inline bool ReadXwd(const std::string& data, Screen& screen) {
  auto card = [&](std::size_t field) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.data()) + field * 4;
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
  };
  if (data.size() < 100) return false;
  const std::uint32_t headerSize = card(0), format = card(2), width = card(4), height = card(5), byteOrder = card(7),
                      bitsPerPixel = card(11), bytesPerLine = card(12), redMask = card(14), greenMask = card(15),
                      blueMask = card(16), colours = card(19);
  if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) || width == 0 || height == 0 || width > 16384 ||
      height > 16384 || headerSize < 100)
    return false;
  const std::size_t start = static_cast<std::size_t>(headerSize) + static_cast<std::size_t>(colours) * 12;
  if (bytesPerLine < width * (bitsPerPixel / 8) || data.size() < start + static_cast<std::size_t>(bytesPerLine) * height)
    return false;
  auto channel = [](std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0u;
    int shift = 0;
    while (!(mask >> shift & 1u)) ++shift;
    return (pixel & mask) >> shift & 0xFFu;
  };
  screen.Width = static_cast<int>(width);
  screen.Height = static_cast<int>(height);
  screen.Rgb.assign(static_cast<std::size_t>(width) * height, 0);
  const int bytes = static_cast<int>(bitsPerPixel / 8);
  for (std::uint32_t y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(data.data()) + start + static_cast<std::size_t>(y) * bytesPerLine;
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      for (int i = 0; i < bytes; ++i) {
        const unsigned char b = row[x * bytes + i];
        pixel |= byteOrder == 0 ? static_cast<std::uint32_t>(b) << (8 * i) : static_cast<std::uint32_t>(b) << (8 * (bytes - 1 - i));
      }
      screen.Rgb[static_cast<std::size_t>(y) * width + x] =
          channel(pixel, redMask) << 16 | channel(pixel, greenMask) << 8 | channel(pixel, blueMask);
    }
  }
  return true;
}

// How many colours the screen shows inside `r`.
inline std::size_t Colours(const Screen& screen, const Rect& r) {
  std::set<std::uint32_t> colours;
  for (int y = std::max(r.Y, 0); y < std::min(r.Y + r.H, screen.Height); ++y)
    for (int x = std::max(r.X, 0); x < std::min(r.X + r.W, screen.Width); ++x) colours.insert(screen.At(x, y));
  return colours.size();
}

inline bool TakeScreen(const XServer& x, Screen& screen) {
  const ToolRun run = x.Tool({Xwd, "-root", "-silent"}, 20000);
  return run.Status == 0 && ReadXwd(run.Out, screen);
}

// How a picture of 320 x 180 logical pixels lies on the screen inside
// `window`: "" when it fills `picture` at whole scale k (every k x k block
// one colour, its texels reaching all four edges of it) with black around it
// inside the window, else what is wrong.
inline std::string PictureProblem(const Screen& s, const Rect& window, const Rect& picture, int k) {
  if (picture.W != 320 * k || picture.H != 180 * k) return "the expected rectangle is not 320k x 180k";
  if (window.X < 0 || window.Y < 0 || window.X + window.W > s.Width || window.Y + window.H > s.Height)
    return "the window is not wholly on the screen";
  const int left = window.X + picture.X, top = window.Y + picture.Y;
  for (int y = window.Y; y < window.Y + window.H; ++y)
    for (int x = window.X; x < window.X + window.W; ++x) {
      const bool inside = x >= left && x < left + picture.W && y >= top && y < top + picture.H;
      if (!inside && s.At(x, y) != 0)
        return "a lit pixel outside the picture at " + std::to_string(x) + ", " + std::to_string(y);
    }
  // Uneven blocks: the picture is at another scale or place.
  int broken = 0;
  int minX = picture.W, maxX = -1, minY = picture.H, maxY = -1;
  for (int by = 0; by < picture.H; by += k)
    for (int bx = 0; bx < picture.W; bx += k) {
      const std::uint32_t c = s.At(left + bx, top + by);
      bool even = true;
      for (int y = 0; y < k && even; ++y)
        for (int x = 0; x < k && even; ++x) even = s.At(left + bx + x, top + by + y) == c;
      if (!even) ++broken;
      if (c != 0) {
        minX = std::min(minX, bx), maxX = std::max(maxX, bx + k);
        minY = std::min(minY, by), maxY = std::max(maxY, by + k);
      }
    }
  if (broken > 0) return std::to_string(broken) + " blocks of " + std::to_string(k) + " x " + std::to_string(k) + " not of one colour";
  // Lit texels near every edge: the picture spans the rectangle, not a
  // smaller one inside it.
  if (maxX < 0 || minX > picture.W / 8 || maxX < picture.W - picture.W / 8 || minY > picture.H / 8 ||
      maxY < picture.H - picture.H / 8)
    return "the lit part spans only " + std::to_string(maxX - minX) + " x " + std::to_string(maxY - minY);
  return "";
}

}  // namespace desktop
