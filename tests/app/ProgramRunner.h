#pragma once
// Starts the real program as a player would, without a display, and watches
// what it writes to standard error.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

struct RunningProgram {
  pid_t Pid = -1;
  std::string ErrPath;
};

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the program on `gameDir` with the given video driver, no sound card
// and no display; stderr goes to `errPath`, which should lie outside the
// game folder.
inline RunningProgram StartProgram(const std::string& gameDir, const std::string& videoDriver,
                                   const std::string& errPath) {
  RunningProgram program;
  program.ErrPath = errPath;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    if (var.rfind("SDL_VIDEODRIVER=", 0) == 0 || var.rfind("SDL_AUDIODRIVER=", 0) == 0 ||
        var.rfind("DISPLAY=", 0) == 0 || var.rfind("WAYLAND_DISPLAY=", 0) == 0)
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
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (posix_spawn(&program.Pid, exe.c_str(), &actions, nullptr, argv, envp.data()) != 0) program.Pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return program;
}

// Exit status, or -1 when the program did not end within the time.
inline int WaitForExit(RunningProgram& program, int timeoutMs) {
  for (int waited = 0; program.Pid > 0 && waited <= timeoutMs; waited += 10) {
    int status = 0;
    if (waitpid(program.Pid, &status, WNOHANG) == program.Pid) {
      program.Pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

inline bool WaitForText(const std::string& path, const std::string& text, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    if (ReadTextFile(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// Ends a program that is still running, whatever it is doing.
inline void KillProgram(RunningProgram& program) {
  if (program.Pid > 0) {
    kill(program.Pid, SIGKILL);
    WaitForExit(program, 5000);
  }
}

// Starts the program, lets it reach its main loop, stops it as the window
// manager would, and returns its exit status (-1: it hung).
inline int RunProgramOnce(const std::string& gameDir, const std::string& errPath) {
  RunningProgram program = StartProgram(gameDir, "dummy", errPath);
  if (program.Pid <= 0) return -1;
  WaitForText(errPath, "SteamAPI", 20000);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(program.Pid, SIGTERM);
  const int status = WaitForExit(program, 20000);
  KillProgram(program);
  return status;
}
