#pragma once
// An X server whose screen can change while a program runs: Xorg with the
// dummy video driver, a config of its own (modes up to 3840 x 2160, and
// 1366 x 768, which the driver does not list by itself), and
// xrandr to change its mode or split it into monitors. Started with
// -displayfd like the Xvfb servers, so that tests never collide.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/DesktopSupport.h"

namespace desktop {

inline constexpr ToolPath Xorg{"Xorg"};
inline constexpr ToolPath Xrandr{"xrandr"};

inline std::string MissingXorgDummy() {
  std::string missing = MissingOf({Xorg, Xrandr});
  needs::Add(missing,
             access("/usr/lib/xorg/modules/drivers/dummy_drv.so", R_OK) == 0 ||
                 access("/usr/lib64/xorg/modules/drivers/dummy_drv.so", R_OK) == 0,
             "Xorg's dummy video driver");
  return missing;
}

class XorgServer : public XServer {
public:
  ~XorgServer() { Stop(); }

  // A screen in mode `mode` ("1920x1080"), its config and log in `folder`.
  bool StartXorg(const std::string& folder, const std::string& mode, int timeoutMs = 30000) {
    const std::string config = folder + "/xorg.conf", configs = folder + "/xorg.conf.d";
    mkdir(configs.c_str(), 0755);
    std::ofstream(config) << "Section \"Device\"\n  Identifier \"card\"\n  Driver \"dummy\"\n  VideoRam 256000\nEndSection\n"
                             "Section \"Monitor\"\n  Identifier \"monitor\"\n  HorizSync 5.0-1000.0\n"
                             "  VertRefresh 5.0-200.0\n"
                             "  Modeline \"1366x768\" 85.50 1366 1436 1579 1792 768 771 774 798 +hsync +vsync\n"
                             "EndSection\n"
                             "Section \"Screen\"\n  Identifier \"screen\"\n  Device \"card\"\n  Monitor \"monitor\"\n"
                             "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Virtual 3840 2160\n"
                             "    Modes \""
                          << mode << "\"\n  EndSubSection\nEndSection\n";
    int number[2];
    if (pipe2(number, O_CLOEXEC) != 0) return false;
    XorgPid = Spawn({Xorg, "-displayfd", "3", "-config", config, "-configdir", configs, "-logfile", folder + "/xorg.log",
                     "-nolisten", "tcp", "-noreset", "-ardelay", "30000"},
                    "", -1, number[1]);
    close(number[1]);
    Display = ReadDisplayName(number[0], timeoutMs);
    close(number[0]);
    return !Display.empty();
  }

  void Stop() {
    XServer::Stop();
    End(XorgPid);
  }

  // xrandr with these arguments; true when it succeeded.
  bool Randr(const std::vector<std::string>& args) const {
    std::vector<std::string> all{Xrandr};
    all.insert(all.end(), args.begin(), args.end());
    return Tool(all).Status == 0;
  }

  // The one output the dummy driver has.
  std::string Output() const {
    const std::string out = Tool({Xrandr, "--query"}).Out;
    const std::size_t at = out.find(" connected");
    if (at == std::string::npos) return "";
    return out.substr(out.rfind('\n', at) + 1, at - out.rfind('\n', at) - 1);
  }

private:
  pid_t XorgPid = -1;
};

}  // namespace desktop
