// desktop_icons: writes the game's icon for desktops.
//
//   desktop_icons DIR
//
// DIR/NxN/apps/vorlumen.png for N = 16, 32, 48, 64, 128 and 256, the
// layout of a freedesktop icon theme folder: the window icon's own art,
// enlarged by whole pixels where it has no drawing of that size.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "PatternPictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: desktop_icons DIR\n");
    return 2;
  }
  const std::string root = argv[1];
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const std::string folder = root + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::error_code error;
    std::filesystem::create_directories(folder + "/apps", error);
    const std::vector<std::uint8_t> png = MakeDesktopIcon(size);
    std::ofstream out(folder + "/apps/vorlumen.png", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (png.empty() || !out) {
      std::fprintf(stderr, "desktop_icons: cannot write %s/apps/vorlumen.png\n", folder.c_str());
      return 1;
    }
  }
  return 0;
}
