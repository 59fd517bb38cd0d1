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
#include "system/PeWriter.h"
#include "system/ResourceModule.h"

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
RunningProgram Start(const std::string& gameDir, const std::string& videoDriver, const std::string& logDir,
                     bool verbose = false) {
  static int started = 0;
  std::vector<std::string> args{"--game-dir", gameDir};
  if (verbose) args.push_back("--verbose");
  return Launch({args, videoDriver, logDir + "/stderr-" + std::to_string(++started) + ".txt"});
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

// A small module that is whole: nothing about it is worth a line.
std::vector<std::uint8_t> WholeModule() {
  CPeResourceWriter writer;
  writer.Add(ResourceTypeRcData, 130, std::vector<std::uint8_t>(20000, 0x5A));
  return writer.WriteToMemory();
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
  WriteFileBytes(gameDir + "/Resource.dll", WholeModule());
  RunningProgram game = Start(gameDir, "dummy", logDir, true);
  ASSERT_GT(game.Pid, 0);
  ASSERT_TRUE(WaitForText(game.ErrPath, "SteamAPI Init Failed\n", 20000)) << ReadTextFile(game.ErrPath);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  kill(game.Pid, SIGTERM);
  const int status = WaitForExit(game, 20000);
  KillProgram(game);
  EXPECT_EQ(status, 0) << ReadTextFile(game.ErrPath);

  // Asked for, the debug output is seven lines: the video driver and the
  // SDL that run, the start-up's, the renderer that draws, the device played
  // with, the first screen, the first frame's, and the exit sequence's count
  // of how many frames ran in how long, never more than the game speed (30
  // per second at speed 0) allows.
  const std::string err = ReadTextFile(game.ErrPath);
  const std::string video = "Vorlumen: video driver dummy (SDL ";
  ASSERT_EQ(err.substr(0, video.size()), video) << err;
  const std::string steam =
      ")\nSteamAPI Init Failed\nVorlumen: drawing with the software renderer\nVorlumen: no pad or joystick to play "
      "with\nVorlumen: screen 14 opened\nVorlumen: first frame run\n";
  const std::size_t version = err.find(steam);
  ASSERT_NE(version, std::string::npos) << err;
  unsigned major = 0, minor = 0, patch = 0;
  EXPECT_EQ(std::sscanf(err.c_str() + video.size(), "%u.%u.%u)", &major, &minor, &patch), 3) << err;
  const std::string first = err.substr(0, version + steam.size());
  unsigned frames = 0, ms = 0;
  int end = 0;
  ASSERT_EQ(std::sscanf(err.c_str() + first.size(), "Vorlumen: %u frames in %u ms\n%n", &frames, &ms, &end), 2)
      << err;
  EXPECT_EQ(first.size() + end, err.size()) << "nothing else:\n" << err;
  EXPECT_GT(frames, 0u);
  // Any frame starts at least three periods after the frame three before it,
  // so however late the loop wakes, no more than ms / 33 + 3 frames fit.
  EXPECT_LE(frames, ms / 33 + 3);
}

TEST_F(Program, ASecondCopyOnTheSameFolderEndsAtOnceAndTouchesNothing) {
  RunningProgram first = Start(gameDir, "dummy", logDir);
  ASSERT_TRUE(WaitUntilLocked(gameDir, 20000)) << ReadTextFile(first.ErrPath);
  const auto before = ListDir(gameDir);

  RunningProgram second = Start(gameDir, "dummy", logDir);
  EXPECT_EQ(WaitForExit(second, 10000), 0);
  EXPECT_EQ(ListDir(gameDir), before);
  EXPECT_EQ(ReadTextFile(second.ErrPath), "");

  // A copy on another folder is not kept out.
  RunningProgram other = Start(otherDir, "dummy", logDir);
  EXPECT_TRUE(WaitUntilLocked(otherDir, 20000)) << ReadTextFile(other.ErrPath);
  EXPECT_EQ(WaitForExit(other, 0), -1);

  kill(first.Pid, SIGTERM);
  kill(other.Pid, SIGTERM);
  EXPECT_EQ(WaitForExit(first, 20000), 0);
  EXPECT_EQ(WaitForExit(other, 20000), 0);
  KillProgram(first);
  KillProgram(other);
}

// A driver that cannot start, and no display at all with no driver named:
// SDL would fall back to drawing offscreen, and the game would run unseen.
TEST_F(Program, WithoutGraphicsItSaysSoAndExitsOneWritingNothing) {
  for (const char* driver : {"no-such-driver", ""}) {
    SCOPED_TRACE(driver);
    RunningProgram game = Start(gameDir, driver, logDir);
    ASSERT_GT(game.Pid, 0);
    const int status = WaitForExit(game, 20000);
    KillProgram(game);
    EXPECT_EQ(status, 1);
    EXPECT_NE(ReadTextFile(game.ErrPath).find("初期化に失敗しました"), std::string::npos);
    EXPECT_TRUE(ListDir(gameDir).empty());
  }
}

TEST_F(Program, HelpVersionAndUnknownOptionsAnswerWithoutStarting) {
  const std::string usage = "usage: vorlumen [--game-dir DIR] [--verbose]\n";
  struct Case {
    std::vector<std::string> Args;
    int Status;
    std::string Out;  // standard output begins with this
    std::string Err;  // standard error begins with this
  };
  const Case cases[] = {
      {{"--help"}, 0, usage, ""},
      {{"--game-dir", gameDir, "--version"}, 0, std::string("Vorlumen ") + VORLUMEN_VERSION + "\n", ""},
      {{"--fullscreen"}, 2, "", "vorlumen: unknown option '--fullscreen'\n" + usage},
      {{"--game-dir", gameDir, "extra"}, 2, "", "vorlumen: unknown option 'extra'\n" + usage},
      {{"--game-dir"}, 2, "", "vorlumen: --game-dir needs a folder\n" + usage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Args.back());
    const std::string out = logDir + "/stdout.txt", err = logDir + "/stderr.txt";
    RunningProgram program = Launch({c.Args, "dummy", err, out});
    EXPECT_EQ(WaitForExit(program, 10000), c.Status);
    KillProgram(program);
    const std::string outText = ReadTextFile(out), errText = ReadTextFile(err);
    EXPECT_EQ(outText.substr(0, c.Out.size()), c.Out);
    EXPECT_EQ(errText.substr(0, c.Err.size()), c.Err);
    EXPECT_TRUE(c.Out.empty() ? outText.empty() : errText.empty()) << outText << errText;
    // The help names every option the program takes.
    const std::string& help = c.Status == 0 ? outText : errText;
    if (help.find("usage") != std::string::npos) {
      for (const char* option : {"--game-dir DIR", "--verbose", "--help", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    // Nothing was started: no file appears in the game folder.
    EXPECT_TRUE(ListDir(gameDir).empty());
  }
}

// Without --verbose the module's line is all a player sees on standard error.
TEST_F(Program, AResourceModuleItCannotUseIsNamedOnStandardError) {
  const std::vector<std::uint8_t> module = WholeModule();
  ASSERT_GT(module.size(), 16384u);
  std::vector<std::uint8_t> noise(4096);
  std::uint32_t seed = 12345;
  for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);

  const std::string without = "; the game runs without pictures or sound\n";
  struct Case {
    const char* Name;
    std::vector<std::uint8_t> Bytes;  // empty: no file at all
    std::string Fault;
  };
  const Case cases[] = {
      {"missing", {}, "No such file or directory" + without},
      {"random bytes", noise, "not a resource module" + without},
      {"cut in its headers", {module.begin(), module.begin() + 200}, "its headers are damaged or cut short" + without},
      {"cut short", {module.begin(), module.begin() + 8192},
       "cut short (8192 of " + std::to_string(module.size()) + " bytes); the pictures and sounds past its end are missing\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const auto& name : ListDir(gameDir)) unlink((gameDir + "/" + name).c_str());
    if (!c.Bytes.empty()) WriteFileBytes(gameDir + "/Resource.dll", c.Bytes);
    RunningProgram game = Start(gameDir, "dummy", logDir);
    EXPECT_EQ(StopOnceRunning(game), 0);
    const std::string text = ReadTextFile(game.ErrPath);
    EXPECT_EQ(text, "Vorlumen: Resource.dll in " + gameDir + ": " + c.Fault);
  }

  // A whole module says nothing, and a normal start, play and exit nothing
  // at all.
  for (const auto& name : ListDir(gameDir)) unlink((gameDir + "/" + name).c_str());
  WriteFileBytes(gameDir + "/Resource.dll", module);
  RunningProgram game = Start(gameDir, "dummy", logDir);
  EXPECT_EQ(StopOnceRunning(game), 0);
  EXPECT_EQ(ReadTextFile(game.ErrPath), "");
  EXPECT_NE(ReadTextFile(gameDir + "/save"), "") << "it ran and wrote its save";
}

}  // namespace
