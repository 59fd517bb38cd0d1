// Starts the real program as a player would, without a display.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/ProgramRunner.h"

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

// Each start logs to its own file in `logDir`.
RunningProgram Start(const std::string& gameDir, const std::string& videoDriver, const std::string& logDir) {
  static int started = 0;
  return StartProgram(gameDir, videoDriver, logDir + "/stderr-" + std::to_string(++started) + ".txt");
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
  RunningProgram game = Start(gameDir, "dummy", logDir);
  ASSERT_GT(game.Pid, 0);
  ASSERT_TRUE(WaitForText(game.ErrPath, "SteamAPI Init Failed", 20000)) << ReadTextFile(game.ErrPath);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  kill(game.Pid, SIGTERM);
  const int status = WaitForExit(game, 20000);
  KillProgram(game);
  EXPECT_EQ(status, 0) << ReadTextFile(game.ErrPath);

  // The exit sequence reports how many frames ran in how long: never more
  // than the game speed (30 per second at speed 0) allows.
  const std::string err = ReadTextFile(game.ErrPath);
  unsigned frames = 0, ms = 0;
  const auto at = err.find("Vorlumen: ");
  ASSERT_NE(at, std::string::npos) << err;
  ASSERT_EQ(std::sscanf(err.c_str() + at, "Vorlumen: %u frames in %u ms", &frames, &ms), 2);
  EXPECT_GT(frames, 0u);
  // Any frame starts at least three periods after the frame three before it,
  // so however late the loop wakes, no more than ms / 33 + 3 frames fit.
  EXPECT_LE(frames, ms / 33 + 3);
}

TEST_F(Program, ASecondCopyOnTheSameFolderEndsAtOnceAndTouchesNothing) {
  RunningProgram first = Start(gameDir, "dummy", logDir);
  ASSERT_TRUE(WaitForText(first.ErrPath, "SteamAPI", 20000)) << ReadTextFile(first.ErrPath);
  const auto before = ListDir(gameDir);

  RunningProgram second = Start(gameDir, "dummy", logDir);
  EXPECT_EQ(WaitForExit(second, 10000), 0);
  EXPECT_EQ(ListDir(gameDir), before);
  EXPECT_EQ(ReadTextFile(second.ErrPath), "");

  // A copy on another folder is not kept out.
  RunningProgram other = Start(otherDir, "dummy", logDir);
  EXPECT_TRUE(WaitForText(other.ErrPath, "SteamAPI", 20000)) << ReadTextFile(other.ErrPath);
  EXPECT_EQ(WaitForExit(other, 0), -1);

  kill(first.Pid, SIGTERM);
  kill(other.Pid, SIGTERM);
  EXPECT_EQ(WaitForExit(first, 20000), 0);
  EXPECT_EQ(WaitForExit(other, 20000), 0);
  KillProgram(first);
  KillProgram(other);
}

TEST_F(Program, WithoutGraphicsItSaysSoAndExitsOneWritingNothing) {
  RunningProgram game = Start(gameDir, "no-such-driver", logDir);
  ASSERT_GT(game.Pid, 0);
  const int status = WaitForExit(game, 20000);
  KillProgram(game);
  EXPECT_EQ(status, 1);
  EXPECT_NE(ReadTextFile(game.ErrPath).find("初期化に失敗しました"), std::string::npos);
  EXPECT_TRUE(ListDir(gameDir).empty());
}

}  // namespace
