// Where the game keeps the player's files and which Resource.dll it reads:
// each way of starting it (a folder named on the command line, a build or
// portable folder, an installed copy with XDG_DATA_HOME set, unset or
// relative, the player's own module, no home, a folder that cannot be made,
// written or trusted, and where the files go then) on a small tree of its own.
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
  bool GameDirModule = false;    // with a Resource.dll in it
  bool FileInTheWay = false;     // a file where the data folder should be
  bool NoProgramFolder = false;  // SDL could not tell where the program lies
  mode_t DataMode = 0;           // the data folder exists with this mode
  bool DataNotOwned = false;     // and belongs to another user
};

struct Expected {
  GameFolderKind Kind;
  std::string Player;  // relative to the tree; "" none
  std::string Module;  // relative to the tree; "" none
  std::string Problem;  // a part of the line; "" none
  bool Kept = true;
};

struct Case {
  const char* Name;
  Tree Given;
  Expected Want;
};

const std::string Share = "prefix/share/vorlumen/Resource.dll";
const std::string HomeData = "home/.local/share/vorlumen";

const Case Cases[] = {
    {"--game-dir on an installed copy reads the installed module", {.InstalledModule = true, .GameDir = true},
     {GameFolderKind::Named, "mine", Share, ""}},
    {"--game-dir reads the module the player put there", {.InstalledModule = true, .GameDir = true, .GameDirModule = true},
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
     {GameFolderKind::Installed, "", Share, "no home folder", false}},
    {"installed, a file where the folder should be", {.InstalledModule = true, .XdgDataHome = "/xdg", .FileInTheWay = true},
     {GameFolderKind::Installed, "xdg/vorlumen", Share, "cannot make @/xdg/vorlumen: Not a directory", false}},
    {"installed, a data folder writable by others is not used", {.InstalledModule = true, .DataMode = 0777},
     {GameFolderKind::Installed, HomeData, Share, "@/" + HomeData + " can be written by other users", false}},
    {"installed, another user's data folder is not used", {.InstalledModule = true, .DataMode = 0700, .DataNotOwned = true},
     {GameFolderKind::Installed, HomeData, Share, "@/" + HomeData + " belongs to another user", false}},
    {"a named folder that is missing gives way to the data folder", {.InstalledModule = true, .GameDir = true, .GameDirMissing = true},
     {GameFolderKind::Named, HomeData, Share, "cannot write in @/mine: No such file or directory"}},
    {"a named folder that is missing, and no home: nothing kept", {.HomeSet = false, .GameDir = true, .GameDirMissing = true},
     {GameFolderKind::Named, "mine", "mine/Resource.dll",
      "cannot write in @/mine: No such file or directory, and no home folder", false}},
    {"a program SDL cannot place keeps the data folder, never the working one", {.NoProgramFolder = true},
     {GameFolderKind::Portable, HomeData, HomeData + "/Resource.dll", "the program's own folder cannot be found"}},
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
  if (t.GameDirModule) std::ofstream(at("mine/Resource.dll")) << "own";
  if (t.DataMode) {
    for (const char* dir : {"home/.local", "home/.local/share", "home/.local/share/vorlumen"}) mkdir(at(dir).c_str(), 0755);
    chmod(at(HomeData).c_str(), t.DataMode);
    // Someone else's: nobody's when the test is root, else root's.
    if (t.DataNotOwned && chown(at(HomeData).c_str(), geteuid() == 0 ? 65534 : 0, static_cast<gid_t>(-1)) != 0)
      ADD_FAILURE() << "cannot give the data folder away (the test is not root)";
  }
  GameFolderFacts facts;
  if (!t.NoProgramFolder) facts.ProgramFolder = at("prefix/bin/");
  facts.InstalledData = {"../../share/vorlumen", "../share/vorlumen"};  // a deeper program folder first
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
    EXPECT_EQ(chosen.Kept, c.Want.Kept);
    EXPECT_FALSE(chosen.Why.empty());
    // Nothing is ever made where the program lies.
    DIR* dir = opendir((root + "/prefix/bin").c_str());
    ASSERT_NE(dir, nullptr);
    int entries = 0;
    while (dirent* e = readdir(dir)) entries += e->d_name[0] != '.';
    closedir(dir);
    EXPECT_EQ(entries, c.Given.BuildModule ? 1 : 0) << "the program's folder was written";
    if (chosen.Player == in(HomeData) && chosen.Kept && !c.Given.OwnModule) {
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
  // The player may read these but not write them; "open" anybody may write in.
  mkdir(Root.File("xdg").c_str(), 0755);
  mkdir(Root.File("xdg/vorlumen").c_str(), 0555);
  mkdir(Root.File("home/.local").c_str(), 0555);
  mkdir(Root.File("open").c_str(), 0777);
  chmod(Root.File("open").c_str(), 01777);
  // A portable copy, the player's to run but not to write.
  const std::string program = Root.File("portable/");
  mkdir(program.c_str(), 0755);
  std::ofstream(program + "Resource.dll") << "module";
  const struct {
    const char* Name;
    std::string ProgramFolder;  // "" the installed copy's
    std::string XdgDataHome;
    std::string Problem;
    std::string Player;
    bool Kept;
  } rows[] = {
      {"a folder that is there but not the player's", "", Root.File("xdg"),
       "cannot write in " + Root.File("xdg/vorlumen") + ": Permission denied", Root.File("xdg/vorlumen"), false},
      {"a folder whose parent cannot be written", "", "",
       "cannot make " + Root.File(HomeData) + ": Permission denied", Root.File(HomeData), false},
      {"a copy that cannot write beside itself uses the data folder", program, Root.File("open"),
       "cannot write in " + program + ": Permission denied", Root.File("open/vorlumen"), true},
      {"and with no data folder either keeps nothing", program, "",
       "cannot write in " + program + ": Permission denied, and cannot make " + Root.File(HomeData) +
           ": Permission denied",
       program, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    facts.XdgDataHome = row.XdgDataHome;
    facts.ProgramFolder = row.ProgramFolder.empty() ? Root.File("prefix/bin/") : row.ProgramFolder;
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    if (child == 0) {
      close(pipeFds[0]);
      if (getuid() == 0 ? !ActAsUnprivilegedUser() : false) _exit(2);
      const GameFolders chosen = ChooseGameFolders(facts);
      const std::string answer = chosen.Problem + "|" + chosen.Player + "|" + (chosen.Kept ? "kept" : "not kept");
      if (write(pipeFds[1], answer.data(), answer.size()) < 0) _exit(3);
      _exit(0);
    }
    close(pipeFds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(answer, row.Problem + "|" + row.Player + "|" + (row.Kept ? "kept" : "not kept"));
  }
  chmod(Root.File("home/.local").c_str(), 0755);
  chmod(Root.File("xdg/vorlumen").c_str(), 0755);
}

}  // namespace
