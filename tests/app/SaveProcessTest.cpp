// The real program keeps its settings from one start to the next.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/SaveTestSupport.h"

extern char** environ;

namespace {

std::string ReadText(const std::string& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// Starts the program on `gameDir`, lets it reach its main loop, stops it as
// the window manager would, and returns its exit status (-1: it hung).
int RunOnce(const std::string& gameDir, const std::string& errPath) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    if (var.rfind("SDL_VIDEODRIVER=", 0) == 0 || var.rfind("SDL_AUDIODRIVER=", 0) == 0) continue;
    env.push_back(var);
  }
  env.push_back("SDL_VIDEODRIVER=dummy");
  env.push_back("SDL_AUDIODRIVER=dummy");
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);

  std::string exe = VORLUMEN_EXE, flag = "--game-dir", dir = gameDir;
  char* argv[] = {exe.data(), flag.data(), dir.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;

  for (int waited = 0; waited < 20000 && ReadText(errPath).find("SteamAPI") == std::string::npos; waited += 20)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(pid, SIGTERM);
  for (int waited = 0; waited <= 20000; waited += 10) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

TEST(SaveProcess, SettingsSurviveTwoStartsInARow) {
  TempGameFolder game;
  TempGameFolder logs;
  const std::string err = logs.File("stderr.txt");

  // First start on an empty folder: "save" appears at exit, and nothing else.
  ASSERT_EQ(RunOnce(game.Path, err), 0) << ReadText(err);
  EXPECT_EQ(game.Names(), std::vector<std::string>{"save"});
  Bytes save = ReadBytes(game.File("save"));
  ASSERT_EQ(save.size(), 8192u);
  EXPECT_EQ(U32At(save, 4), 1u);    // captured
  EXPECT_EQ(U32At(save, 72), 80u);  // the defaults
  EXPECT_EQ(U32At(save, 196), 2u);

  // Settings as a player leaves them; two more starts change nothing.
  PutU32At(save, 72, 35);   // BgmVolume
  PutU32At(save, 76, 60);   // SeVolume
  PutU32At(save, 84, 0);    // AutoAttack
  PutU32At(save, 88, 1);    // Language: stays Japanese whatever the locale
  PutU32At(save, 96, 4);    // GameSpeed
  PutU32At(save, 196, 0);   // WindowScale
  save[104 + 3 * 11 + 2] = 1;
  PutU32At(save, 12 + 4 * 3, 1);
  WriteBytes(game.File("save"), save);
  for (int start = 0; start < 2; ++start) {
    ASSERT_EQ(RunOnce(game.Path, err), 0) << ReadText(err);
    EXPECT_EQ(ReadBytes(game.File("save")), save) << "start " << start;
    EXPECT_EQ(game.Names(), std::vector<std::string>{"save"});
  }
}

}  // namespace
