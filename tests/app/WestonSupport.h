#pragma once
// A Wayland desktop of its own: weston without a screen or a graphics card
// (headless, drawn with pixman), on a black desktop with no panel, in a
// runtime folder of its own so that tests side by side never share one, and
// what its screen shows, from weston's screenshooter.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/DesktopSupport.h"
#include "system/PictureDecode.h"

namespace desktop {

inline constexpr ToolPath Weston{"weston"};
inline constexpr ToolPath WestonScreenshooter{"weston-screenshooter"};

// A folder of its own for the length of a test.
class TempFolder {
public:
  TempFolder() {
    char pattern[] = "/tmp/vorlumen-weston-XXXXXX";
    if (const char* made = mkdtemp(pattern)) Path = made;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!Path.empty()) std::filesystem::remove_all(Path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const { return Path + "/" + name; }
  std::string Path;
};

class WestonDesk {
public:
  WestonDesk() = default;
  WestonDesk(const WestonDesk&) = delete;
  WestonDesk& operator=(const WestonDesk&) = delete;
  ~WestonDesk() { End(Pid); }

  bool Start(int width, int height, int timeoutMs = 20000) {
    chmod(Runtime.Path.c_str(), 0700);
    const std::string config = Runtime.File("weston.ini");
    std::ofstream(config) << "[core]\nidle-time=0\n"
                             "[shell]\nbackground-color=0xff000000\npanel-position=none\nlocking=false\n"
                             "animation=none\nstartup-animation=none\nclose-animation=none\nfocus-animation=none\n";
    // --debug lets the screenshooter in.
    std::vector<std::string> args{Weston, "--backend=headless-backend.so", "--use-pixman", "--width=" + std::to_string(width),
                                  "--height=" + std::to_string(height), "--socket=" + Socket, "--config=" + config, "--debug"};
    // Ended with the test, should the test itself be killed.
    if (access("/usr/bin/setpriv", X_OK) == 0) args.insert(args.begin(), {"/usr/bin/setpriv", "--pdeathsig", "KILL"});
    Pid = Spawn(args, "", -1, -1, -1, Env());
    return WaitFor([&] { return access(Runtime.File(Socket).c_str(), F_OK) == 0; }, timeoutMs) && Shot(Last);
  }

  // What a client of this desktop needs in its environment.
  std::vector<std::string> Env() const { return {"XDG_RUNTIME_DIR=" + Runtime.Path, "WAYLAND_DISPLAY=" + Socket}; }

  // What the screen shows now, 0xRRGGBB.
  bool Shot(Screen& screen) const {
    const std::string file = Runtime.File("shot.png");
    unlink(file.c_str());
    // The screenshooter names its file by the clock, in the folder it runs in.
    const std::string command = "cd '" + Shots.Path + "' && rm -f *.png && '" + WestonScreenshooter.Path() +
                                "' && mv wayland-screenshot-*.png '" + file + "'";
    pid_t shooter = Spawn({"/bin/sh", "-c", command}, "", -1, -1, -1, Env());
    int status = 0;
    const bool ended = WaitFor([&] { return waitpid(shooter, &status, WNOHANG) == shooter; }, 20000);
    if (!ended) End(shooter);
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    const std::string png = ReadTextFile(file);
    if (png.size() < 24) return false;
    auto card = [&](std::size_t at) {
      const auto* b = reinterpret_cast<const unsigned char*>(png.data()) + at;
      return static_cast<int>(static_cast<std::uint32_t>(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3]);
    };
    const int width = card(16), height = card(20);
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    const int size = std::max(width, height);
    std::vector<std::uint32_t> argb;
    const ResourceBytes bytes{reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), ResourceTypeRcData};
    if (!DecodePicture(bytes, size, argb)) return false;
    screen.Width = width;
    screen.Height = height;
    screen.Rgb.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        screen.Rgb[static_cast<std::size_t>(y) * width + x] = argb[static_cast<std::size_t>(y) * size + x] & 0xFFFFFFu;
    return true;
  }

  // The screen when it was last looked at by Start.
  Screen Last;

private:
  TempFolder Runtime;
  TempFolder Shots;
  std::string Socket = "vorlumen-" + std::to_string(getpid());
  pid_t Pid = -1;
};

// The scale at which a picture of 320 x 180 logical pixels shows whole on
// `screen` (every k x k block one colour, lit to its edges, black around
// it), and where; 0 with what is wrong in `problem`. The compositor places
// windows where it likes and keeps them there as they grow: a picture may
// run past the screen's right or bottom edge, and is whole as far as it
// shows.
inline int WholePictureScale(const Screen& screen, Rect& picture, std::string& problem) {
  int left = screen.Width, right = -1, top = screen.Height, bottom = -1;
  for (int y = 0; y < screen.Height; ++y)
    for (int x = 0; x < screen.Width; ++x)
      if (screen.At(x, y) != 0) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) {
    problem = "the screen is black";
    return 0;
  }
  const Rect lit{left, top, right - left + 1, bottom - top + 1};
  const bool cutX = right == screen.Width - 1, cutY = bottom == screen.Height - 1;
  const int k = std::max((lit.W + 319) / 320, (lit.H + 179) / 180);
  picture = Rect{left, top, 320 * k, 180 * k};
  if ((!cutX && lit.W != picture.W) || (!cutY && lit.H != picture.H)) {
    problem = "the lit part is " + Describe(lit) + ", no picture at a whole scale";
    return 0;
  }
  for (int by = 0; by < picture.H && top + by < screen.Height; by += k)
    for (int bx = 0; bx < picture.W && left + bx < screen.Width; bx += k) {
      const std::uint32_t c = screen.At(left + bx, top + by);
      for (int y = top + by; y < std::min(top + by + k, screen.Height); ++y)
        for (int x = left + bx; x < std::min(left + bx + k, screen.Width); ++x)
          if (screen.At(x, y) != c) {
            problem = "the block at " + std::to_string(bx / k) + ", " + std::to_string(by / k) + " of " +
                      Describe(picture) + " is not of one colour";
            return 0;
          }
    }
  problem.clear();
  return k;
}

}  // namespace desktop
