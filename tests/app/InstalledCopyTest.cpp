// The game as a player meets an installed copy: `cmake --install` into a
// prefix that is then moved elsewhere and made read-only, the program
// started from there by an ordinary user on an X desktop. It reaches the
// title, keeps F5's scale in that user's ~/.local/share/vorlumen/save at
// quit, reads a Resource.dll the player put there in place of the
// installed one, and changes nothing under the prefix.
#include <gtest/gtest.h>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/DesktopSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using namespace desktop;

constexpr int StartMs = 60000;
constexpr int SettleMs = 20000;

// Every file and folder under `root` with its kind, mode, size and times.
using Listing = std::map<std::string, std::string>;

void List(const std::string& root, const std::string& relative, Listing& out) {
  DIR* dir = opendir((root + relative).c_str());
  if (!dir) return;
  while (dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = relative + "/" + name;
    struct stat info;
    if (lstat((root + path).c_str(), &info) != 0) continue;
    out[path] = std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
                std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " +
                std::to_string(info.st_ctim.tv_sec) + "." + std::to_string(info.st_ctim.tv_nsec);
    if (S_ISDIR(info.st_mode)) List(root, path, out);
  }
  closedir(dir);
}

Listing ListTree(const std::string& root) {
  Listing listing;
  List(root, "", listing);
  return listing;
}

// Folders r-x, files r-- (r-x where executable), for everyone.
void MakeReadOnly(const std::string& root, bool readOnly) {
  Listing listing = ListTree(root);
  chmod(root.c_str(), readOnly ? 0555 : 0755);
  for (const auto& [path, what] : listing) {
    struct stat info;
    if (lstat((root + path).c_str(), &info) != 0 || S_ISLNK(info.st_mode)) continue;
    const bool run = S_ISDIR(info.st_mode) || (info.st_mode & 0100);
    chmod((root + path).c_str(), (run ? 0555 : 0444) | (readOnly ? 0 : 0200));
  }
}

class InstalledCopy : public ::testing::Test {
protected:
  void SetUp() override {
    std::string missing = MissingTools(Manager::None);
    needs::Add(missing, needs::Module().empty(), needs::Module());
    VORLUMEN_NEED(missing);
    ASSERT_EQ(chmod(Tree.Path.c_str(), 0755), 0);  // the player reaches in
    Prefix = Tree.File("moved/prefix");
    Home = Tree.File("home");
    Program = Prefix + "/" + VORLUMEN_INSTALL_PROGRAMDIR + "/vorlumen";
    // Root would write through any mode: the player is an ordinary user.
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      Player = {"/usr/bin/setpriv", "--reuid=" + std::to_string(nobody ? nobody->pw_uid : 65534),
                "--regid=" + std::to_string(nobody ? nobody->pw_gid : 65534), "--clear-groups", "--"};
    }
    mkdir(Home.c_str(), 0755);
    mkdir(Tree.File("logs").c_str(), 0755);
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      ASSERT_EQ(chown(Home.c_str(), nobody ? nobody->pw_uid : 65534, nobody ? nobody->pw_gid : 65534), 0);
    }
  }
  void TearDown() override {
    KillProgram(Game);
    X.Stop();
    if (!Prefix.empty()) MakeReadOnly(Prefix, false);
  }

  // Installs the build, then moves the whole tree: it must run from
  // wherever it lies.
  void Install() {
    const std::string first = Tree.File("prefix");
    const ToolRun run = RunTool({VORLUMEN_CMAKE, "--install", VORLUMEN_BUILD_DIR, "--prefix", first}, "", 120000);
    ASSERT_EQ(run.Status, 0) << run.Out;
    ASSERT_EQ(mkdir(Tree.File("moved").c_str(), 0755), 0);
    ASSERT_EQ(rename(first.c_str(), Prefix.c_str()), 0);
    MakeReadOnly(Prefix, true);
  }

  // The installed program as the player, with --verbose, and more
  // variables (SDL's among them) in `env`.
  void StartInstalled(const std::string& display, std::vector<std::string> env,
                      const std::vector<std::string>& more = {}) {
    const std::string errPath = Tree.File("logs/stderr.txt");
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(err, 0);
    const std::string suppressions = Tree.File("logs/lsan");
    std::ofstream(suppressions) << "leak:libdbus-1.so\n";
    env.insert(env.end(), {"HOME=" + Home, "XDG_DATA_HOME=", "SDL_AUDIODRIVER=dummy",
                           "LSAN_OPTIONS=suppressions=" + suppressions + ":print_suppressions=0"});
    std::vector<std::string> args = Player;
    args.insert(args.end(), {Program, "--verbose"});
  args.insert(args.end(), more.begin(), more.end());
    Game.Pid = Spawn(args, display, -1, -1, err, env);
    Game.ErrPath = errPath;
    close(err);
  }
  std::string Log() const { return ReadTextFile(Tree.File("logs/stderr.txt")); }

  // Waits until the window shows the title's picture, lit.
  bool ShowsTitle(std::string& window, Rect& at) {
    if (!WaitFor([&] { return FindGameWindow(X, window); }, StartMs)) return false;
    if (!WaitFor([&] { return WindowGeometry(X, window, at) && at.W == 960 && at.H == 540; }, SettleMs)) return false;
    Screen screen;
    return WaitFor(
        [&] {
          if (!TakeScreen(X, screen)) return false;
          int lit = 0;
          for (int y = at.Y; y < at.Y + at.H; y += 4)
            for (int x = at.X; x < at.X + at.W; x += 4) lit += screen.At(x, y) != 0;
          return lit > 1000;
        },
        StartMs);
  }
  bool Quit() {
    kill(Game.Pid, SIGTERM);
    return WaitForExit(Game, StartMs) == 0;
  }

  TempGameFolder Tree;
  std::string Prefix, Home, Program;
  std::vector<std::string> Player;
  XServer X;
  RunningProgram Game;
};

TEST_F(InstalledCopy, AnOrdinaryUserPlaysFromAReadOnlyPrefixAndKeepsTheSaveInTheirDataFolder) {
  if (IsSkipped() || HasFatalFailure()) return;
  Install();
  ASSERT_FALSE(HasFailure());
  const std::string program = std::string(VORLUMEN_INSTALL_PROGRAMDIR) + "/vorlumen";
  for (const char* file : {program.c_str(), "share/vorlumen/Resource.dll", "share/applications/vorlumen.desktop",
                           "share/metainfo/org.vorlumen.vorlumen.metainfo.xml", "share/man/man6/vorlumen.6"})
    EXPECT_TRUE(FileExists(Prefix + "/" + file)) << file;
  for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"})
    EXPECT_TRUE(FileExists(Prefix + "/share/icons/hicolor/" + size + "/apps/vorlumen.png")) << size;
  const Listing before = ListTree(Prefix);

  ASSERT_TRUE(X.Start(1920, 1080)) << "Xvfb did not start";
  StartInstalled(X.Display, {});
  std::string window;
  Rect at;
  ASSERT_TRUE(ShowsTitle(window, at)) << "the title never showed\n" << Log();
  ASSERT_EQ(X.Tool({Xdotool, "keydown", "--window", window, "F5"}).Status, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  ASSERT_EQ(X.Tool({Xdotool, "keyup", "--window", window, "F5"}).Status, 0);
  ASSERT_TRUE(WaitFor([&] { return WindowGeometry(X, window, at) && at.W == 1280 && at.H == 720; }, SettleMs))
      << "F5 from x3 gave " << Describe(at) << "\n" << Log();
  ASSERT_TRUE(Quit()) << Log();

  const std::string folder = Home + "/.local/share/vorlumen";
  const std::string log = Log();
  EXPECT_NE(log.find("Vorlumen: the player's files in " + folder + " ("), std::string::npos) << log;
  EXPECT_NE(log.find("Vorlumen: Resource.dll read from " + Prefix + "/share/vorlumen/Resource.dll\n"), std::string::npos)
      << log;
  const Bytes save = ReadBytes(folder + "/save");
  ASSERT_EQ(save.size(), 8192u) << log;
  EXPECT_EQ(U32At(save, WindowScaleAt), 3u);
  struct stat info;
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(info.st_uid, geteuid() == 0 ? getpwnam("nobody")->pw_uid : geteuid()) << "the player's own";
  EXPECT_EQ(ListTree(Prefix), before) << "something under the prefix changed";

  // The player's own module is read in place of the installed one.
  X.Stop();
  ASSERT_EQ(symlink((Prefix + "/share/vorlumen/Resource.dll").c_str(), (folder + "/Resource.dll").c_str()), 0);
  StartInstalled("", {"SDL_VIDEODRIVER=dummy"});
  EXPECT_TRUE(WaitForText(Game.ErrPath, "Vorlumen: Resource.dll read from " + folder + "/Resource.dll\n", StartMs))
      << Log();
  EXPECT_TRUE(WaitForText(Game.ErrPath, "SteamAPI Init", StartMs)) << Log();
  EXPECT_TRUE(Quit()) << Log();
  EXPECT_EQ(ListTree(Prefix), before) << "something under the prefix changed";

  // A new folder named by --game-dir keeps the save, the pictures coming
  // from the installed module.
  const std::string named = Home + "/elsewhere";
  ASSERT_EQ(mkdir(named.c_str(), 0700), 0);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(named.c_str(), getpwnam("nobody")->pw_uid, getpwnam("nobody")->pw_gid), 0);
  }
  ASSERT_TRUE(X.Start(1920, 1080)) << "Xvfb did not start";
  StartInstalled(X.Display, {}, {"--game-dir", named});
  EXPECT_TRUE(WaitForText(Game.ErrPath, "Vorlumen: Resource.dll read from " + Prefix + "/share/vorlumen/Resource.dll\n",
                          StartMs))
      << Log();
  ASSERT_TRUE(ShowsTitle(window, at)) << "the title never showed\n" << Log();
  ASSERT_TRUE(Quit()) << Log();
  EXPECT_EQ(ReadBytes(named + "/save").size(), 8192u) << Log();
  EXPECT_EQ(ListTree(Prefix), before) << "something under the prefix changed";
}

}  // namespace
