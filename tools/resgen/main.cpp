// resgen: writes the stand-in "Resource.dll".
//
//   resgen --output PATH [--pictures BUNDLE] [--picture ID=FILE.png]...
//
// Every picture of the picture table at its size, the window icon, the 87
// sound effects and the 19 music tracks. --pictures takes the drawn
// pictures from picture_art's bundle; --picture puts a ready PNG in the
// place of one resource id. A picture given neither way is the labelled
// test pattern. The output is the same on every run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "PatternPictures.h"
#include "PictureBundle.h"
#include "Synth.h"
#include "platform/PictureTable.h"
#include "platform/SoundTables.h"
#include "system/PeWriter.h"

namespace {

constexpr std::uint16_t RcData = 10;
constexpr std::uint16_t IconType = 3;
constexpr std::uint16_t GroupIconType = 14;
constexpr std::uint16_t WindowIconId = 51890;
constexpr std::uint16_t FirstIconImageId = 1;
constexpr std::uint16_t WhitePictureResource = 147;  // picture 10: fades and flashes

int Usage() {
  std::fprintf(stderr, "usage: resgen --output PATH [--pictures BUNDLE] [--picture ID=FILE.png]...\n");
  return 2;
}

// A ready picture must be a PNG: the texture loader reads it as such.
bool ReadPng(const std::string& path, std::vector<std::uint8_t>& out) {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::ifstream in(path, std::ios::binary);
  if (in) out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (out.size() >= 8 && std::memcmp(out.data(), signature, 8) == 0) return true;
  std::fprintf(stderr, "resgen: %s is no PNG\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  std::map<std::uint16_t, std::string> overrides;
  PictureBundle drawn;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc) {
      if (!ReadBundleFile(argv[++i], drawn)) {
        std::fprintf(stderr, "resgen: %s is no picture bundle\n", argv[i]);
        return 1;
      }
    } else if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc) {
      const std::string arg = argv[++i];
      const std::size_t eq = arg.find('=');
      if (eq == std::string::npos || eq == 0) return Usage();
      char* end = nullptr;
      const unsigned long id = std::strtoul(arg.c_str(), &end, 10);
      if (end != arg.c_str() + eq || id > 0xFFFF) return Usage();
      overrides[static_cast<std::uint16_t>(id)] = arg.substr(eq + 1);
    } else {
      return Usage();
    }
  }
  if (output.empty()) return Usage();

  CPeResourceWriter writer;
  bool ok = true;

  // A texture is the row whose slot is itself; the other rows name parts
  // of it or give it a second name.
  for (const PictureRow& row : PictureTable) {
    if (row.Slot != row.Id) continue;
    const std::uint16_t resource = static_cast<std::uint16_t>(row.ResourceId);
    std::vector<std::uint8_t> png;
    if (auto it = overrides.find(resource); it != overrides.end()) {
      if (!ReadPng(it->second, png)) return 1;
      overrides.erase(it);
    } else if (auto art = drawn.find(resource); art != drawn.end()) {
      png = std::move(art->second);
    } else if (resource == WhitePictureResource) {
      png = MakePlainPicture(static_cast<int>(row.Size), 0xFF, 0xFF, 0xFF);
    } else {
      png = MakePatternPicture(static_cast<int>(row.Id), static_cast<int>(row.Size));
    }
    ok = !png.empty() && writer.Add(RcData, resource, std::move(png)) && ok;
  }
  // Overrides for ids outside the table go in as they are.
  for (const auto& [resource, path] : overrides) {
    std::vector<std::uint8_t> png;
    if (!ReadPng(path, png)) return 1;
    ok = writer.Add(RcData, resource, std::move(png)) && ok;
  }

  IconSet icon = MakeIcon(FirstIconImageId);
  ok = writer.Add(GroupIconType, WindowIconId, std::move(icon.Group)) && ok;
  for (std::size_t i = 0; i < icon.Images.size(); ++i)
    ok = writer.Add(IconType, static_cast<std::uint16_t>(FirstIconImageId + i), std::move(icon.Images[i])) && ok;

  for (int i = 0; i < SoundEffectCount; ++i)
    ok = writer.Add("WAVE", SoundEffectResourceIds[i], MakeEffectWave(i)) && ok;
  for (int t = 0; t < BgmTrackCount; ++t) {
    ok = writer.AddProduced("WAVE", static_cast<std::uint16_t>(BgmResourceBase + t), MusicWaveSize(t),
                            [t](const CPeResourceWriter::Sink& sink) { return WriteMusicWave(t, sink); }) &&
         ok;
  }
  if (!ok) {
    std::fprintf(stderr, "resgen: the resources do not fit together\n");
    return 1;
  }
  if (!writer.WriteFile(output)) {
    std::fprintf(stderr, "resgen: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
