// Starts the real program as a player would, without a display.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

std::string MakeTempDir(const char* tag) {
  std::string pattern = std::string("/tmp/vorlumen-") + tag + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const char* made = mkdtemp(buffer.data());
  return made ? std::string(made) : std::string();
}

std::vector<std::string> ListDir(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Child {
  pid_t Pid = -1;
  std::string ErrPath;
};

// Runs the program on `gameDir` with stderr to a log outside that folder.
Child Start(const std::string& gameDir, const std::string& videoDriver, const std::string& logDir) {
  Child child;
  child.ErrPath = logDir + "/stderr-" + std::to_string(rand()) + ".txt";
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string var = *e;
    if (var.rfind("SDL_VIDEODRIVER=", 0) == 0 || var.rfind("DISPLAY=", 0) == 0 ||
        var.rfind("WAYLAND_DISPLAY=", 0) == 0)
      continue;
    env.push_back(var);
  }
  env.push_back("SDL_VIDEODRIVER=" + videoDriver);
  env.push_back("SDL_AUDIODRIVER=dummy");
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);

  std::string exe = VORLUMEN_EXE, flag = "--game-dir", dir = gameDir;
  char* argv[] = {exe.data(), flag.data(), dir.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, child.ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (posix_spawn(&child.Pid, exe.c_str(), &actions, nullptr, argv, envp.data()) != 0) child.Pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Exit status, or -1 when the child did not end within the time.
int WaitExit(Child& child, int timeoutMs) {
  for (int waited = 0; child.Pid > 0 && waited <= timeoutMs; waited += 10) {
    int status = 0;
    if (waitpid(child.Pid, &status, WNOHANG) == child.Pid) {
      child.Pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

bool WaitForText(const std::string& path, const std::string& text, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    if (ReadFile(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void Kill(Child& child) {
  if (child.Pid > 0) {
    kill(child.Pid, SIGKILL);
    WaitExit(child, 5000);
  }
}

class Program : public ::testing::Test {
protected:
  void SetUp() override {
    gameDir = MakeTempDir("game");
    otherDir = MakeTempDir("other");
    logDir = MakeTempDir("log");
    ASSERT_FALSE(gameDir.empty());
  }
  void TearDown() override {
    for (const auto& dir : {gameDir, otherDir, logDir}) {
      for (const auto& name : ListDir(dir)) unlink((dir + "/" + name).c_str());
      rmdir(dir.c_str());
    }
  }
  std::string gameDir, otherDir, logDir;
};

TEST_F(Program, RunsPacedFramesUntilTerminatedThenExitsCleanly) {
  Child game = Start(gameDir, "dummy", logDir);
  ASSERT_GT(game.Pid, 0);
  ASSERT_TRUE(WaitForText(game.ErrPath, "SteamAPI Init Failed", 20000)) << ReadFile(game.ErrPath);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  kill(game.Pid, SIGTERM);
  const int status = WaitExit(game, 20000);
  Kill(game);
  EXPECT_EQ(status, 0) << ReadFile(game.ErrPath);

  // The exit sequence reports how many frames ran in how long: never more
  // than the game speed (30 per second at speed 0) allows.
  const std::string err = ReadFile(game.ErrPath);
  unsigned frames = 0, ms = 0;
  const auto at = err.find("Vorlumen: ");
  ASSERT_NE(at, std::string::npos) << err;
  ASSERT_EQ(std::sscanf(err.c_str() + at, "Vorlumen: %u frames in %u ms", &frames, &ms), 2);
  EXPECT_GT(frames, 0u);
  EXPECT_LE(frames, ms / 33 + 2);
}

TEST_F(Program, ASecondCopyOnTheSameFolderEndsAtOnceAndTouchesNothing) {
  Child first = Start(gameDir, "dummy", logDir);
  ASSERT_TRUE(WaitForText(first.ErrPath, "SteamAPI", 20000)) << ReadFile(first.ErrPath);
  const auto before = ListDir(gameDir);

  Child second = Start(gameDir, "dummy", logDir);
  EXPECT_EQ(WaitExit(second, 10000), 0);
  EXPECT_EQ(ListDir(gameDir), before);
  EXPECT_EQ(ReadFile(second.ErrPath), "");

  // A copy on another folder is not kept out.
  Child other = Start(otherDir, "dummy", logDir);
  EXPECT_TRUE(WaitForText(other.ErrPath, "SteamAPI", 20000)) << ReadFile(other.ErrPath);
  EXPECT_EQ(WaitExit(other, 0), -1);

  kill(first.Pid, SIGTERM);
  kill(other.Pid, SIGTERM);
  EXPECT_EQ(WaitExit(first, 20000), 0);
  EXPECT_EQ(WaitExit(other, 20000), 0);
  Kill(first);
  Kill(other);
}

TEST_F(Program, WithoutGraphicsItSaysSoAndExitsOneWritingNothing) {
  Child game = Start(gameDir, "no-such-driver", logDir);
  ASSERT_GT(game.Pid, 0);
  const int status = WaitExit(game, 20000);
  Kill(game);
  EXPECT_EQ(status, 1);
  EXPECT_NE(ReadFile(game.ErrPath).find("初期化に失敗しました"), std::string::npos);
  EXPECT_TRUE(ListDir(gameDir).empty());
}

}  // namespace
