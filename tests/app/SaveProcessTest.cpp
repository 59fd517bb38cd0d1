// The real program keeps its settings from one start to the next.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/ProgramRunner.h"
#include "platform/SaveTestSupport.h"

namespace {

std::vector<std::string> SortedNames(const TempGameFolder& folder) {
  std::vector<std::string> names = folder.Names();
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SaveProcess, SettingsSurviveTwoStartsInARow) {
  TempGameFolder game;
  TempGameFolder logs;
  const std::string err = logs.File("stderr.txt");
  // With the generated module beside it the game starts as a player's does.
  std::vector<std::string> expected{"save"};
  const std::string module = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
  if (access(module.c_str(), R_OK) == 0 && symlink(module.c_str(), game.File("Resource.dll").c_str()) == 0)
    expected = {"Resource.dll", "save"};

  // First start: "save" appears at exit, and nothing else.
  ASSERT_EQ(RunProgramOnce(game.Path, err), 0) << ReadTextFile(err);
  EXPECT_EQ(SortedNames(game), expected);
  // With the module in place a quiet start says nothing, however early it
  // is stopped.
  if (expected.size() == 2) {
    RunningProgram quiet = StartProgram(game.Path, "dummy", err);
    EXPECT_EQ(StopOnceRunning(quiet), 0);
    EXPECT_EQ(ReadTextFile(err), "");
  }
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
    ASSERT_EQ(RunProgramOnce(game.Path, err), 0) << ReadTextFile(err);
    EXPECT_EQ(ReadBytes(game.File("save")), save) << "start " << start;
    EXPECT_EQ(SortedNames(game), expected);
  }
}

// With no data folder to go to either, it is named once at start-up and
// nothing is tried at exit.
TEST(SaveProcess, AReadOnlyGameFolderIsNamedOnceAndKeepsTheSave) {
  TempGameFolder game;
  TempGameFolder logs;
  const std::string err = logs.File("stderr.txt");
  ASSERT_EQ(RunProgramOnce(game.Path, err), 0) << ReadTextFile(err);
  const Bytes save = ReadBytes(game.File("save"));
  ASSERT_EQ(save.size(), 8192u);

  ASSERT_EQ(chmod(game.File("save").c_str(), 0444), 0);
  ASSERT_EQ(chmod(game.Path.c_str(), 0555), 0);
  const std::string noHome = logs.File("not-a-folder");
  std::ofstream(noHome) << "x";
  RunningProgram program =
      Launch({{"--game-dir", game.Path}, "dummy", err, "/dev/null", true, {"HOME=" + noHome, "XDG_DATA_HOME="}});
  EXPECT_EQ(StopOnceRunning(program), 0);
  const std::string text = ReadTextFile(err);
  EXPECT_EQ(text.find("Vorlumen: cannot write in " + game.Path + ": Permission denied, and cannot make "), 0u) << text;
  const std::string kept = "; the game keeps no files this time\n";
  EXPECT_NE(text.find(kept), std::string::npos) << text;
  EXPECT_EQ(text.find(kept, text.find(kept) + 1), std::string::npos) << "said once:\n" << text;
  EXPECT_EQ(text.find("cannot write " + game.File("save")), std::string::npos) << text;
  EXPECT_EQ(ReadBytes(game.File("save")), save);
  EXPECT_EQ(SortedNames(game), std::vector<std::string>{"save"});
}

}  // namespace
