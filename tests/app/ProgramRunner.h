#pragma once
// Starts the real program as a player would, without a display, and watches
// what it writes to standard error. A quiet program (no --verbose) writes
// nothing there when all is well, so it is known to run by its one-copy
// lock instead.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

struct RunningProgram {
  pid_t Pid = -1;
  std::string ErrPath;
  std::string GameDir;  // empty: the program's own folder
};

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// How to start the program: its arguments, the video driver (no sound card
// and no display either way; empty names none, as a player's terminal
// without a display does), where its output goes, and whether a root test
// gives up root first so that file permissions hold for it.
struct ProgramLaunch {
  std::vector<std::string> Args;
  std::string VideoDriver = "dummy";
  std::string ErrPath;  // should lie outside the game folder
  std::string OutPath = "/dev/null";
  bool Unprivileged = false;
  std::vector<std::string> Env{};  // NAME=VALUE, in place of the test's own
};

inline RunningProgram Launch(const ProgramLaunch& launch) {
  RunningProgram program;
  program.ErrPath = launch.ErrPath;
  for (std::size_t i = 0; i + 1 < launch.Args.size(); ++i)
    if (launch.Args[i] == "--game-dir") program.GameDir = launch.Args[i + 1];
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    // None of SDL's settings: the test's, or ones its SDL wrote into this
    // process's environment (sdl2-compat writes SDL3's driver names there);
    // nor googletest's, which would mislead a child that is a test binary.
    if (var.rfind("SDL_", 0) == 0 || var.rfind("DISPLAY=", 0) == 0 || var.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
        var.rfind("GTEST_", 0) == 0)
      continue;
    bool replaced = false;
    for (const std::string& set : launch.Env) replaced |= set.compare(0, set.find('=') + 1, var, 0, set.find('=') + 1) == 0;
    if (!replaced) env.push_back(var);
  }
  env.insert(env.end(), launch.Env.begin(), launch.Env.end());
  if (!launch.VideoDriver.empty()) env.push_back("SDL_VIDEODRIVER=" + launch.VideoDriver);
  env.push_back("SDL_AUDIODRIVER=dummy");
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);

  std::vector<std::string> args{VORLUMEN_EXE};
  args.insert(args.end(), launch.Args.begin(), launch.Args.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  const passwd* nobody = getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : 65534;
  const gid_t gid = nobody ? nobody->pw_gid : 65534;
  const bool dropRoot = launch.Unprivileged && geteuid() == 0;

  // Emptied before the fork too: a watcher reading the file before the
  // child gets to truncate it would take an earlier run's lines for this one's.
  if (const int stale = open(launch.ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644); stale >= 0) close(stale);

  // Only async-signal-safe calls between fork and exec.
  program.Pid = fork();
  if (program.Pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(launch.OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(launch.ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
    if (dropRoot && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  return program;
}

// Runs the program on `gameDir` with the given video driver; stderr goes
// to `errPath`, which should lie outside the game folder.
inline RunningProgram StartProgram(const std::string& gameDir, const std::string& videoDriver,
                                   const std::string& errPath) {
  return Launch({{"--game-dir", gameDir}, videoDriver, errPath});
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

// The program holds its one-copy lock on `gameDir`: an abstract socket named
// "Vorlumen" and the folder's absolute path, listed in /proc/net/unix. It is
// bound after the program has taken over SIGINT and SIGTERM, so from then
// on either ends it through its normal exit. Lines written by an earlier run
// cannot be mistaken for it.
inline bool WaitUntilLocked(const std::string& gameDir, int timeoutMs) {
  char resolved[PATH_MAX];
  const std::string name = " @Vorlumen" + std::string(realpath(gameDir.c_str(), resolved) ? resolved : gameDir.c_str());
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    std::ifstream sockets("/proc/net/unix");
    for (std::string line; std::getline(sockets, line);)
      if (line.size() >= name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// `pid` runs, and is not a zombie waiting for whoever took it over to reap it.
inline bool Running(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return false;
  const std::size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// Ends a program that is still running, whatever it is doing.
inline void KillProgram(RunningProgram& program) {
  if (program.Pid > 0) {
    kill(program.Pid, SIGKILL);
    WaitForExit(program, 5000);
  }
}

// Lets a started program run, stops it as the window manager would, and
// returns its exit status (-1: it hung or never took its lock).
// A program started with --verbose is stopped once it plays, so that its
// end is a close's; a quiet one some time after its lock, at whatever step
// of its start it is.
inline int StopOnceRunning(RunningProgram& program, bool verbose = false) {
  if (program.Pid <= 0) return -1;
  if (!WaitUntilLocked(program.GameDir, 20000) ||
      (verbose && !WaitForText(program.ErrPath, "Vorlumen: first frame run", 60000))) {
    KillProgram(program);
    return -1;
  }
  if (!verbose) std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(program.Pid, SIGTERM);
  const int status = WaitForExit(program, 20000);
  KillProgram(program);
  return status;
}

// Starts the program on `gameDir` with --verbose and closes it once it plays.
inline int RunProgramOnce(const std::string& gameDir, const std::string& errPath) {
  RunningProgram program = Launch({{"--game-dir", gameDir, "--verbose"}, "dummy", errPath});
  return StopOnceRunning(program, true);
}
