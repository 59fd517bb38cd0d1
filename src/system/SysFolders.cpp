#include "system/SysFolders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// Why a folder the game chose for the player cannot be trusted with the
// player's files; empty when it can. Another user's folder, or one anybody
// may write in, could hand the player someone else's save.
std::string TrustProblem(const std::string& folder) {
  struct stat info;
  if (stat(folder.c_str(), &info) != 0) return {};
  if (info.st_uid != geteuid()) return folder + " belongs to another user";
  if (info.st_mode & S_IWOTH) return folder + " can be written by other users";
  return {};
}

// The player's data folder by the XDG rules; empty when there is no home.
std::string XdgFolder(const GameFolderFacts& facts) {
  std::string folder;
  // A relative XDG_DATA_HOME is invalid by the XDG rules and ignored.
  if (!facts.XdgDataHome.empty() && facts.XdgDataHome[0] == '/')
    folder = Join(facts.XdgDataHome, "vorlumen");
  else if (!facts.Home.empty() && facts.Home[0] == '/')
    folder = Join(facts.Home, ".local/share/vorlumen");
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// Why the player's data folder cannot take the files, making it if missing.
std::string XdgProblem(const std::string& folder) {
  if (std::string problem = FolderProblem(folder, true); !problem.empty()) return problem;
  return TrustProblem(folder);
}

}  // namespace

GameFolders ChooseGameFolders(const GameFolderFacts& facts) {
  GameFolders chosen;
  const bool placed = !facts.ProgramFolder.empty();
  const std::string beside = placed ? Join(facts.ProgramFolder, ModuleName) : std::string();
  std::string installed;
  for (const std::string& way : facts.InstalledData)
    if (placed && !way.empty() && Exists(Join(Join(facts.ProgramFolder, way), ModuleName))) {
      installed = Join(facts.ProgramFolder, way);
      break;
    }
  const bool hasInstalled = !installed.empty();
  const std::string xdg = XdgFolder(facts);
  if (!facts.GameDir.empty()) {
    chosen.Kind = GameFolderKind::Named;
    chosen.Player = facts.GameDir;
    chosen.Why = "named by --game-dir";
    chosen.Problem = FolderProblem(chosen.Player, false);
  } else if (placed && (Exists(beside) || !hasInstalled)) {
    chosen.Kind = GameFolderKind::Portable;
    chosen.Player = facts.ProgramFolder;
    chosen.Why = Exists(beside) ? "Resource.dll lies beside the program" : "the program's own folder";
    chosen.Problem = FolderProblem(chosen.Player, false);
  } else if (placed) {
    chosen.Kind = GameFolderKind::Installed;
    chosen.Player = xdg;
    chosen.Why = xdg.empty() ? "an installed copy with no home folder" : "an installed copy: the player's files in " +
                 std::string(facts.XdgDataHome.empty() || facts.XdgDataHome[0] != '/' ? "~/.local/share"
                                                                                       : "$XDG_DATA_HOME");
    chosen.Problem = XdgProblem(xdg);
  } else {
    // Never the working folder: a save there would be lost to the player.
    chosen.Kind = GameFolderKind::Portable;
    chosen.Why = "the program's own folder";
    chosen.Problem = "the program's own folder cannot be found";
  }
  chosen.Kept = chosen.Problem.empty();

  // A folder the player cannot write gives way to the player's data folder.
  if (!chosen.Kept && chosen.Kind != GameFolderKind::Installed) {
    if (const std::string problem = XdgProblem(xdg); problem.empty()) {
      chosen.Player = xdg;
      chosen.Kept = true;
      chosen.Why += ", which cannot be written: the player's files in their data folder";
    } else {
      chosen.Problem += ", and " + problem;
    }
  }

  // The module where the game was pointed, then the player's own, then the
  // installed one.
  std::vector<std::string> modules;
  if (chosen.Kind == GameFolderKind::Portable && placed) modules.push_back(beside);
  if (chosen.Kind == GameFolderKind::Named) modules.push_back(Join(facts.GameDir, ModuleName));
  if (!chosen.Player.empty()) modules.push_back(Join(chosen.Player, ModuleName));
  if (hasInstalled) modules.push_back(Join(Resolved(installed), ModuleName));
  for (const std::string& module : modules)
    if (Exists(module)) {
      chosen.ResourceModule = module;
      return chosen;
    }
  chosen.ResourceModule = modules.empty() ? std::string() : modules.front();
  return chosen;
}
