#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/SaveTestFixture.h"

namespace {

using SaveGame = SaveGameFixture;

// A block unlike the defaults in every setting.
void ChangeEverySetting(SaveBlock& b) {
  b.DungeonClearedFlags[3] = 1;
  b.DungeonIndex = 5;
  b.FloorNumber = 12;
  b.ControlType = 1;
  b.AutoAttack = 0;
  b.Language = 1;
  b.GameSpeed = 3;
  b.SelectedClass = 7;
  b.ClearedWithClass[3 * 11 + 2] = 1;
  b.Fullscreen = 1;
  b.WindowScale = 0;
  b.DungeonOpenNoticeShown[6] = 1;
  b.PlayTime = 123456;
  b.TurnCount = 789;
}

TEST_F(SaveGame, WithoutSaveTheFirstExitWritesTheLiveSettings) {
  game->Settings.Block.Language = 1;  // start-up found a Japanese user
  EXPECT_FALSE(game->LoadAll());
  ASSERT_TRUE(game->WriteSaveFile());

  Bytes expected = BlockBytes(CSaveData());
  PutU32At(expected, 4, 1);   // Captured
  PutU32At(expected, 88, 1);  // Language
  EXPECT_EQ(ReadBytes(folder.File("save")), expected);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save"});
}

TEST_F(SaveGame, SettingsAndVolumesComeBackFromSave) {
  ChangeEverySetting(game->Settings.Block);
  GetSoundManager()->BgmMasterVolume = 30;
  GetSoundManager()->SeMasterVolume = 45;
  ASSERT_TRUE(game->CaptureSaveImage());
  // A change after the capture is not written.
  game->Settings.Block.GameSpeed = 1;
  ASSERT_TRUE(game->WriteSaveFile());
  const Bytes written = ReadBytes(folder.File("save"));
  ASSERT_EQ(written.size(), 8192u);
  EXPECT_EQ(U32At(written, 96), 3u);

  ResetSingletons();
  CGameMain next;
  ASSERT_TRUE(next.LoadAll());
  EXPECT_EQ(BlockBytes(next.Settings), written);
  EXPECT_EQ(BlockBytes(next.SaveImage), written);
  EXPECT_EQ(GetSoundManager()->BgmMasterVolume, 30);
  EXPECT_EQ(GetSoundManager()->SeMasterVolume, 45);
}

TEST_F(SaveGame, ValuesOutOfRangeAreClampedOnLoad) {
  struct Field {
    std::size_t Offset;
    std::uint32_t Stored, Loaded;
  };
  const Field fields[] = {
      {96, 9, 4},            // GameSpeed
      {196, 77, 4},          // WindowScale
      {56, 8, 7},            // DungeonIndex
      {100, 0xFFFFFFFF, 8},  // SelectedClass
      {88, 2, 0},            // Language: anything but Japanese reads as English
      {72, 500, 100},        // BgmVolume
      {76, 101, 100},        // SeVolume
  };
  Bytes stored = BlockBytes(CSaveData());
  for (const Field& f : fields) PutU32At(stored, f.Offset, f.Stored);
  WriteBytes(folder.File("save"), stored);
  ASSERT_TRUE(game->LoadAll());
  const Bytes loaded = BlockBytes(game->Settings);
  for (const Field& f : fields) EXPECT_EQ(U32At(loaded, f.Offset), f.Loaded) << "offset " << f.Offset;
  EXPECT_EQ(GetSoundManager()->BgmMasterVolume, 100);

  // Values at the top of their range stay.
  for (const Field& f : fields) PutU32At(stored, f.Offset, f.Loaded);
  PutU32At(stored, 88, 1);
  WriteBytes(folder.File("save"), stored);
  CGameMain again;
  ASSERT_TRUE(again.LoadAll());
  EXPECT_EQ(again.Settings.Block.Language, 1u);
  EXPECT_EQ(again.Settings.Block.GameSpeed, 4u);
  EXPECT_EQ(again.Settings.Block.SelectedClass, 8u);
}

TEST_F(SaveGame, ASaveCutAnywhereLoadsNoSetting) {
  CGameMain reference;
  reference.LoadAll();
  const Bytes untouched = BlockBytes(reference.Settings);

  ChangeEverySetting(game->Settings.Block);
  GetSoundManager()->BgmMasterVolume = 10;
  game->CaptureSaveImage();
  ASSERT_TRUE(game->WriteSaveFile());
  ResetSingletons();
  const Bytes whole = ReadBytes(folder.File("save"));
  // Every cut length is tried on the block itself (SaveData tests); here
  // the whole load path, at the lengths that split its fields.
  for (std::size_t length : {8191, 4096, 220, 100, 89, 53, 52, 5, 1, 0}) {
    const Bytes cutBytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    WriteBytes(folder.File("save"), cutBytes);
    CGameMain cut;
    EXPECT_FALSE(cut.LoadAll()) << length;
    ASSERT_EQ(BlockBytes(cut.Settings), untouched) << length;
    ASSERT_EQ(GetSoundManager()->BgmMasterVolume, 80) << length;
    // What is left of it is kept, and the next write cannot destroy it.
    EXPECT_EQ(ReadBytes(folder.File("save.damaged")), cutBytes) << length;
    ASSERT_TRUE(cut.WriteSaveFile());
    EXPECT_EQ(ReadBytes(folder.File("save.damaged")), cutBytes) << length;
  }
}

TEST_F(SaveGame, IdentifyKeyconfigAndRankingsAreReadEvenWithoutSave) {
  WriteBytes(folder.File("identify"), Bytes(4096, 1));
  Bytes keys(8192, 0);
  PutU32At(keys, 4, 0x57);  // action 0 on W
  WriteBytes(folder.File("keyconfig"), keys);
  Bytes ranking(220, 0);
  PutU32At(ranking, 0, 777);
  ranking[18] = 3;
  WriteBytes(folder.File("scoretime_004_002"), ranking);

  EXPECT_FALSE(game->LoadAll());
  EXPECT_EQ(IdentifyTable[4095], 1);
  EXPECT_EQ(GetInput()->KeyBindingTable[0], 0x57u);
  EXPECT_EQ(game->TimeRankings[4 * 11 + 2].GetScore(1), 777);
  EXPECT_EQ(game->TimeRankings[4 * 11 + 2].GetFloor(1), 3);
  EXPECT_EQ(game->ScoreRankings[4 * 11 + 2].GetScore(1), 0);
}

TEST_F(SaveGame, LoadAllReadsItsFilesInOrder) {
  WriteBytes(folder.File("save"), BlockBytes(CSaveData()));
  WriteBytes(folder.File("identify"), Bytes(4096, 0));
  WriteBytes(folder.File("keyconfig"), Bytes(8192, 0));
  std::vector<std::string> expected = {"save", "identify", "keyconfig"};
  for (int dungeon = 0; dungeon < 8; ++dungeon) {
    for (int list = 0; list < 11; ++list) {
      for (const char* pattern : {"score_%03d_%03d", "scoreturn_%03d_%03d", "scoretime_%03d_%03d"}) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, dungeon, list);
        WriteBytes(folder.File(name), Bytes(220, 0));
        expected.push_back(name);
      }
    }
  }

  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, folder.Path.c_str(), IN_OPEN | IN_MODIFY | IN_CREATE), 0);
  EXPECT_TRUE(game->LoadAll());

  std::vector<std::string> opened;
  bool wrote = false;
  alignas(inotify_event) char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = read(watch, buffer, sizeof buffer);
    if (n <= 0) break;
    for (char* p = buffer; p < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->mask & (IN_MODIFY | IN_CREATE)) wrote = true;
      if ((event->mask & IN_OPEN) && event->len > 0) opened.push_back(event->name);
      p += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  EXPECT_EQ(opened, expected);
  EXPECT_FALSE(wrote);
}

TEST_F(SaveGame, AReadOnlyFolderFailsEveryWriteAndKeepsEveryFile) {
  Bytes save = BlockBytes(CSaveData());
  save[200] = 0x42;
  WriteBytes(folder.File("save"), save);
  WriteBytes(folder.File("keyconfig"), Bytes(8192, 0x01));
  WriteBytes(folder.File("score_001_000"), Bytes(220, 0x02));
  ASSERT_EQ(chmod(folder.Path.c_str(), 0555), 0);
  const std::string errPath = folder.Path + ".stderr";

  EXPECT_EXIT(
      {
        if (!std::freopen(errPath.c_str(), "w", stderr) || !ActAsUnprivilegedUser()) std::_Exit(9);
        int failures = 0;
        if (!game->WriteSaveFile()) failures |= 1;
        if (!game->SaveKeyConfig()) failures |= 2;
        RankingEntry run{};
        run.Score = 5;
        run.Floor = 1;
        run.Result = 1;
        run.Dungeon = 1;
        game->RegisterRankingEntry(run);
        std::_Exit(failures);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(ReadBytes(folder.File("save")), save);
  EXPECT_EQ(ReadBytes(folder.File("keyconfig")), Bytes(8192, 0x01));
  EXPECT_EQ(ReadBytes(folder.File("score_001_000")), Bytes(220, 0x02));
  EXPECT_EQ(folder.Names().size(), 3u);

  // One line for each file: "save", "keyconfig" and the six lists of the run.
  const Bytes err = ReadBytes(errPath);
  unlink(errPath.c_str());
  std::vector<std::string> lines;
  std::string line;
  for (unsigned char c : err) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    if (line.find("cannot write") != std::string::npos) lines.push_back(line);
    line.clear();
  }
  EXPECT_EQ(lines.size(), 8u);
  for (const char* name : {"save", "keyconfig", "score_001_000", "scoretime_001_001"}) {
    const std::string expected =
        "Vorlumen: cannot write " + folder.File(name) + ": Permission denied; the file stays as it was";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), expected), 1) << expected;
  }
}

TEST_F(SaveGame, ReadOnlyFilesInAReadOnlyFolderStillLoad) {
  Bytes save = BlockBytes(CSaveData());
  PutU32At(save, 96, 2);
  WriteBytes(folder.File("save"), save);
  WriteBytes(folder.File("identify"), Bytes(4096, 1));
  chmod(folder.File("save").c_str(), 0444);
  chmod(folder.File("identify").c_str(), 0444);
  ASSERT_EQ(chmod(folder.Path.c_str(), 0555), 0);

  EXPECT_EXIT(
      {
        if (!ActAsUnprivilegedUser()) std::_Exit(9);
        const bool loaded = game->LoadAll();
        std::_Exit(loaded && game->Settings.Block.GameSpeed == 2 && IdentifyTable[0] == 1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SaveGame, ADamagedSaveThatCannotBeMovedAsideIsNamed) {
  WriteBytes(folder.File("save"), Bytes(100, 0x42));
  ASSERT_EQ(chmod(folder.Path.c_str(), 0555), 0);
  EXPECT_EXIT(
      {
        if (!ActAsUnprivilegedUser()) std::_Exit(9);
        std::_Exit(game->LoadAll() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "cannot move .*/save to .*/save.damaged: Permission denied");
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(100, 0x42));
}

TEST_F(SaveGame, AFullDiskFailsTheWriteAndKeepsTheOldSave) {
  Bytes save = BlockBytes(CSaveData());
  save[300] = 0x42;
  WriteBytes(folder.File("save"), save);

  EXPECT_EXIT(
      {
        // The file-size limit stands in for a full disk: the write stops
        // half-way with an error.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        limit.rlim_cur = limit.rlim_max = 4096;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(9);
        std::_Exit(game->WriteSaveFile() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "cannot write .*/save: File too large; the file stays as it was");
  EXPECT_EQ(ReadBytes(folder.File("save")), save);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save"});
}

}  // namespace
