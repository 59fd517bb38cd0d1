// Where the game keeps the player's files and which Resource.dll it reads:
// each way of starting it (a folder named on the command line, a build or
// portable folder, an installed copy with XDG_DATA_HOME set, unset or
// relative, the player's own module, no home, a folder that cannot be made
// or written) on a small tree of its own.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/SaveTestSupport.h"
#include "system/SysFolders.h"

namespace {

// A build folder, an installed tree and a home, as the cases need them.
struct Tree {
  bool BuildModule = false;      // Resource.dll beside the program
  bool InstalledModule = false;  // ../share/vorlumen/Resource.dll
  bool OwnModule = false;        // the player's own copy in the data folder
  std::string XdgDataHome{};     // relative to the tree where not absolute; "" unset
  bool HomeSet = true;
  bool GameDir = false;          // --game-dir names the tree's "mine"
  bool GameDirMissing = false;   // and it is not there
  bool FileInTheWay = false;     // a file where the data folder should be
};

struct Expected {
  GameFolderKind Kind;
  std::string Player;  // relative to the tree; "" none
  std::string Module;  // relative to the tree; "" none
  std::string Problem;  // a part of the line; "" none
};

struct Case {
  const char* Name;
  Tree Given;
  Expected Want;
};

const std::string Share = "prefix/share/vorlumen/Resource.dll";
const std::string HomeData = "home/.local/share/vorlumen";

const Case Cases[] = {
    {"--game-dir wins over an installed copy", {.InstalledModule = true, .GameDir = true},
     {GameFolderKind::Named, "mine", "mine/Resource.dll", ""}},
    {"a build folder keeps everything beside the program", {.BuildModule = true, .InstalledModule = true},
     {GameFolderKind::Portable, "prefix/bin/", "prefix/bin/Resource.dll", ""}},
    {"a program with no module anywhere keeps its own folder", {},
     {GameFolderKind::Portable, "prefix/bin/", "prefix/bin/Resource.dll", ""}},
    {"installed, XDG_DATA_HOME unset", {.InstalledModule = true},
     {GameFolderKind::Installed, HomeData, Share, ""}},
    {"installed, XDG_DATA_HOME set", {.InstalledModule = true, .XdgDataHome = "/xdg"},
     {GameFolderKind::Installed, "xdg/vorlumen", Share, ""}},
    {"installed, a relative XDG_DATA_HOME is ignored", {.InstalledModule = true, .XdgDataHome = "xdg"},
     {GameFolderKind::Installed, HomeData, Share, ""}},
    {"installed, the player's own module wins", {.InstalledModule = true, .OwnModule = true},
     {GameFolderKind::Installed, HomeData, HomeData + "/Resource.dll", ""}},
    {"installed, no home at all", {.InstalledModule = true, .HomeSet = false},
     {GameFolderKind::Installed, "", Share, "no home folder"}},
    {"installed, a file where the folder should be", {.InstalledModule = true, .XdgDataHome = "/xdg", .FileInTheWay = true},
     {GameFolderKind::Installed, "xdg/vorlumen", Share, "cannot make @/xdg/vorlumen: Not a directory"}},
    {"a named folder that is missing is not made", {.GameDir = true, .GameDirMissing = true},
     {GameFolderKind::Named, "mine", "mine/Resource.dll", "cannot write in @/mine: No such file or directory"}},
};

// Lays out the tree of one case under `root` and the facts the program
// would gather there.
GameFolderFacts Lay(const std::string& root, const Tree& t) {
  auto at = [&](const std::string& relative) { return root + "/" + relative; };
  for (const char* dir : {"prefix", "prefix/bin", "prefix/share", "prefix/share/vorlumen", "home"})
    mkdir(at(dir).c_str(), 0755);
  if (t.BuildModule) std::ofstream(at("prefix/bin/Resource.dll")) << "module";
  if (t.InstalledModule) std::ofstream(at(Share)) << "module";
  if (t.OwnModule) {
    for (const char* dir : {"home/.local", "home/.local/share", "home/.local/share/vorlumen"}) mkdir(at(dir).c_str(), 0755);
    std::ofstream(at(HomeData + "/Resource.dll")) << "own";
  }
  if (t.FileInTheWay) std::ofstream(at("xdg")) << "not a folder";
  if (t.GameDir && !t.GameDirMissing) mkdir(at("mine").c_str(), 0755);
  GameFolderFacts facts;
  facts.ProgramFolder = at("prefix/bin/");
  facts.InstalledData = "../share/vorlumen";
  if (t.GameDir) facts.GameDir = at("mine");
  facts.XdgDataHome = t.XdgDataHome.empty() || t.XdgDataHome[0] != '/' ? t.XdgDataHome : root + t.XdgDataHome;
  if (t.HomeSet) facts.Home = at("home");
  return facts;
}

class GameFoldersTable : public ::testing::Test {
protected:
  TempGameFolder Root;
};

TEST_F(GameFoldersTable, EachWayOfStartingChoosesItsFolders) {
  for (const Case& c : Cases) {
    SCOPED_TRACE(c.Name);
    TempGameFolder tree;  // each case on a tree of its own
    const std::string root = tree.Path;
    const GameFolders chosen = ChooseGameFolders(Lay(root, c.Given));
    auto in = [&](const std::string& relative) { return relative.empty() ? "" : root + "/" + relative; };
    EXPECT_EQ(chosen.Kind, c.Want.Kind);
    EXPECT_EQ(chosen.Player, in(c.Want.Player));
    EXPECT_EQ(chosen.ResourceModule, in(c.Want.Module));
    std::string problem = c.Want.Problem;
    if (const auto at = problem.find('@'); at != std::string::npos) problem.replace(at, 1, root);
    if (problem.empty())
      EXPECT_EQ(chosen.Problem, "");
    else
      EXPECT_NE(chosen.Problem.find(problem), std::string::npos) << chosen.Problem;
    EXPECT_FALSE(chosen.Why.empty());
    // Nothing is ever made where the program lies.
    DIR* dir = opendir((root + "/prefix/bin").c_str());
    ASSERT_NE(dir, nullptr);
    int entries = 0;
    while (dirent* e = readdir(dir)) entries += e->d_name[0] != '.';
    closedir(dir);
    EXPECT_EQ(entries, c.Given.BuildModule ? 1 : 0) << "the program's folder was written";
    if (c.Want.Kind == GameFolderKind::Installed && c.Want.Problem.empty() && !c.Given.OwnModule) {
      struct stat info;
      ASSERT_EQ(stat(chosen.Player.c_str(), &info), 0);
      EXPECT_TRUE(S_ISDIR(info.st_mode));
      EXPECT_EQ(info.st_mode & 0777, 0700u) << "a folder made for the player is the player's alone";
    }
  }
}

TEST_F(GameFoldersTable, TheMissingParentsOfTheDataFolderAreMadePrivateAndAnExistingFolderKeepsItsMode) {
  const GameFolderFacts facts = Lay(Root.Path, {.InstalledModule = true});
  ASSERT_EQ(ChooseGameFolders(facts).Problem, "");
  for (const char* dir : {"home/.local", "home/.local/share", "home/.local/share/vorlumen"}) {
    struct stat info;
    ASSERT_EQ(stat(Root.File(dir).c_str(), &info), 0) << dir;
    EXPECT_EQ(info.st_mode & 0777, 0700u) << dir;
  }
  ASSERT_EQ(chmod(Root.File(HomeData).c_str(), 0750), 0);
  ASSERT_EQ(ChooseGameFolders(facts).Problem, "");
  struct stat info;
  ASSERT_EQ(stat(Root.File(HomeData).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0750u);
}

// Root writes anywhere: the player's side of a read-only home is seen from
// a child that has given root up.
TEST_F(GameFoldersTable, AFolderThePlayerCannotWriteOrMakeIsNamedWithTheReason) {
  GameFolderFacts facts = Lay(Root.Path, {.InstalledModule = true});
  ASSERT_EQ(chmod(Root.Path.c_str(), 0755), 0);
  // The player may read these but not write them.
  mkdir(Root.File("xdg").c_str(), 0755);
  mkdir(Root.File("xdg/vorlumen").c_str(), 0555);
  mkdir(Root.File("home/.local").c_str(), 0555);
  const struct {
    const char* Name;
    std::string XdgDataHome;
    std::string Problem;
  } rows[] = {
      {"a folder that is there but not the player's", Root.File("xdg"),
       "cannot write in " + Root.File("xdg/vorlumen") + ": Permission denied"},
      {"a folder whose parent cannot be written", "", "cannot make " + Root.File(HomeData) + ": Permission denied"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    facts.XdgDataHome = row.XdgDataHome;
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    if (child == 0) {
      close(pipeFds[0]);
      if (getuid() == 0 ? !ActAsUnprivilegedUser() : false) _exit(2);
      const std::string problem = ChooseGameFolders(facts).Problem;
      if (write(pipeFds[1], problem.data(), problem.size()) < 0) _exit(3);
      _exit(0);
    }
    close(pipeFds[1]);
    std::string problem;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) problem.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(problem, row.Problem);
  }
  chmod(Root.File("home/.local").c_str(), 0755);
  chmod(Root.File("xdg/vorlumen").c_str(), 0755);
}

}  // namespace
