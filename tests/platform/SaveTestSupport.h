#pragma once
// A game folder of its own for each test, and raw file helpers.
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/CSaveData.h"
#include "system/SysPlatform.h"

using Bytes = std::vector<unsigned char>;

// Fields of "save" that tests read or blank by place: the settings block is
// the file's first bytes.
constexpr std::size_t GameInProgressAt = offsetof(SaveBlock, GameInProgress);
constexpr std::size_t FullscreenAt = offsetof(SaveBlock, Fullscreen);
constexpr std::size_t WindowScaleAt = offsetof(SaveBlock, WindowScale);

class TempGameFolder {
public:
  TempGameFolder() : Previous(SysGameFolder()) {
    char pattern[] = "/tmp/vorlumen-save-XXXXXX";
    if (const char* made = mkdtemp(pattern)) Path = made;
    SysSetGameFolder(Path);
  }
  ~TempGameFolder() {
    chmod(Path.c_str(), 0700);
    RemoveTree(Path);
    SysSetGameFolder(Previous);
  }
  TempGameFolder(const TempGameFolder&) = delete;
  TempGameFolder& operator=(const TempGameFolder&) = delete;

  std::string File(const std::string& name) const { return Path + "/" + name; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(Path.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(d);
    }
    return names;
  }

  std::string Path;

private:
  static void RemoveTree(const std::string& dir) {
    if (DIR* d = opendir(dir.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = dir + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
          RemoveTree(path);
        else
          unlink(path.c_str());
      }
      closedir(d);
    }
    rmdir(dir.c_str());
  }
  std::string Previous;
};

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// A file too short (a save the game never wrote) throws, which fails the
// test rather than crash the test process.
inline std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset)) | static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 | static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

inline void PutU32At(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Root may write anywhere: a child that must meet a read-only folder or file
// gives up root first. Only ever called in a forked test child.
inline bool ActAsUnprivilegedUser() {
  if (geteuid() != 0) return true;
  const passwd* nobody = getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : 65534;
  const gid_t gid = nobody ? nobody->pw_gid : 65534;
  return setgid(gid) == 0 && setuid(uid) == 0;
}
