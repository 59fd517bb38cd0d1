#include "system/SysFolders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char ModuleName[] = "Resource.dll";

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool Exists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string Resolved(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Makes `folder` and any missing parent, each private to the player as the
// XDG rules ask. 0 or the error of the step that failed.
int MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    struct stat info;
    if (stat(part.c_str(), &info) != 0 && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

// Why a folder cannot take the player's files; empty when it can.
std::string FolderProblem(const std::string& folder, bool make) {
  if (folder.empty()) return "no home folder to keep the player's files in ($HOME is not set)";
  struct stat info;
  if (stat(folder.c_str(), &info) != 0) {
    const int missing = errno;
    if (!make) return "cannot write in " + folder + ": " + std::strerror(missing);
    if (const int error = MakeFolders(folder)) return "cannot make " + folder + ": " + std::strerror(error);
    if (stat(folder.c_str(), &info) != 0) return "cannot make " + folder + ": " + std::strerror(errno);
  }
  if (!S_ISDIR(info.st_mode)) return "cannot write in " + folder + ": " + std::strerror(ENOTDIR);
  if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    return "cannot write in " + folder + ": " + std::strerror(errno);
  return {};
}

}  // namespace

GameFolders ChooseGameFolders(const GameFolderFacts& facts) {
  GameFolders chosen;
  const std::string installed = facts.InstalledData.empty() ? std::string() : Join(facts.ProgramFolder, facts.InstalledData);
  if (!facts.GameDir.empty()) {
    chosen.Kind = GameFolderKind::Named;
    chosen.Player = facts.GameDir;
    chosen.Why = "named by --game-dir";
  } else if (Exists(Join(facts.ProgramFolder, ModuleName)) || installed.empty() ||
             !Exists(Join(installed, ModuleName))) {
    chosen.Kind = GameFolderKind::Portable;
    chosen.Player = facts.ProgramFolder;
    chosen.Why = Exists(Join(facts.ProgramFolder, ModuleName)) ? "Resource.dll lies beside the program"
                                                                : "the program's own folder";
  } else {
    chosen.Kind = GameFolderKind::Installed;
    // A relative XDG_DATA_HOME is invalid by the XDG rules and ignored.
    const bool xdg = !facts.XdgDataHome.empty() && facts.XdgDataHome[0] == '/';
    if (xdg) {
      chosen.Player = Join(facts.XdgDataHome, "vorlumen");
      chosen.Why = "an installed copy: the player's files in $XDG_DATA_HOME";
    } else if (!facts.Home.empty() && facts.Home[0] == '/') {
      chosen.Player = Join(facts.Home, ".local/share/vorlumen");
      chosen.Why = "an installed copy: the player's files in ~/.local/share";
    } else {
      chosen.Why = "an installed copy with no home folder";
    }
    while (chosen.Player.size() > 1 && chosen.Player.back() == '/') chosen.Player.pop_back();
  }

  chosen.Problem = FolderProblem(chosen.Player, chosen.Kind == GameFolderKind::Installed);
  // The player's own module wins over the installed one.
  const std::string own = chosen.Player.empty() ? std::string() : Join(chosen.Player, ModuleName);
  if (chosen.Kind == GameFolderKind::Installed && !Exists(own))
    chosen.ResourceModule = Join(Resolved(installed), ModuleName);
  else
    chosen.ResourceModule = own;
  return chosen;
}
