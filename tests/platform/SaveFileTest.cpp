#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/CSaveFile.h"
#include "platform/SaveTestSupport.h"

namespace {

class SaveFile : public ::testing::Test {
protected:
  bool WriteFile(const char* name, const Bytes& bytes) {
    std::uint32_t done = 0;
    bool ok = file.Create(name);
    ok = file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done) && ok;
    return file.Close() && ok && done == bytes.size();
  }
  TempGameFolder folder;
  CSaveFile file;
};

TEST_F(SaveFile, ReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
  ASSERT_TRUE(WriteFile("save", Bytes(300, 0xAB)));
  ASSERT_TRUE(WriteFile("save", Bytes(10, 0x11)));
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(10, 0x11));  // no tail of the longer file
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save"});
}

TEST_F(SaveFile, ReadsReportShortFilesAsFailureWithWhatCame) {
  WriteBytes(folder.File("keyconfig"), Bytes(5, 7));
  ASSERT_TRUE(file.OpenRead("keyconfig"));
  unsigned char buffer[8];
  std::memset(buffer, 0xEE, sizeof buffer);
  std::uint32_t done = 99;
  EXPECT_FALSE(file.Read(buffer, 8, &done));
  EXPECT_EQ(done, 5u);
  EXPECT_EQ(buffer[4], 7);
  EXPECT_EQ(buffer[5], 0xEE);
  EXPECT_TRUE(file.Close());

  WriteBytes(folder.File("identify"), {});
  ASSERT_TRUE(file.OpenIdentifyRead());
  EXPECT_FALSE(file.Read(buffer, 1, &done));
  EXPECT_EQ(done, 0u);
  file.Close();
}

TEST_F(SaveFile, MissingFilesAndFoldersDoNotOpen) {
  EXPECT_FALSE(file.OpenSaveRead());
  mkdir(folder.File("identify").c_str(), 0700);
  EXPECT_FALSE(file.OpenIdentifyRead());
  // Reading or writing with nothing open fails quietly.
  unsigned char byte = 0;
  EXPECT_FALSE(file.Read(&byte, 1, nullptr));
  EXPECT_FALSE(file.Write(&byte, 1, nullptr));
}

TEST_F(SaveFile, APipeInAFilesPlaceIsRefusedWithoutWaiting) {
  WriteBytes(folder.File("keyconfig"), Bytes(4, 1));
  ASSERT_EQ(mkfifo(folder.File("save").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.File("keyconfig.tmp").c_str(), 0600), 0);
  EXPECT_EXIT(
      {
        alarm(5);  // a blocked open ends the child by SIGALRM
        CSaveFile pipes;
        const bool opened = pipes.OpenSaveRead();
        const bool created = pipes.Create("keyconfig");
        std::_Exit(!opened && !created ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "cannot write .*/keyconfig: No such device or address");
  EXPECT_EQ(ReadBytes(folder.File("keyconfig")), Bytes(4, 1));
}

TEST_F(SaveFile, AnUnclosedWriteNeverReplacesTheFile) {
  WriteBytes(folder.File("save"), Bytes(4, 1));
  {
    CSaveFile abandoned;
    ASSERT_TRUE(abandoned.CreateSave());
    ASSERT_TRUE(abandoned.Write("xyz", 3, nullptr));
    // A second open drops the first unfinished write.
    ASSERT_TRUE(abandoned.OpenSaveRead());
    abandoned.Close();
    ASSERT_TRUE(abandoned.CreateSave());
    ASSERT_TRUE(abandoned.Write("xyz", 3, nullptr));
  }
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(4, 1));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save"});
}

TEST_F(SaveFile, AFolderThatTakesNoNewFileFailsTheCreateAndKeepsTheOld) {
  WriteBytes(folder.File("save"), Bytes(4, 1));
  // The temporary name is taken by something that is not a file.
  mkdir(folder.File("save.tmp").c_str(), 0700);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(file.CreateSave());
  EXPECT_FALSE(file.Write("x", 1, nullptr));
  file.Close();
  // One line names the file and the system's reason.
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Vorlumen: cannot write " + folder.File("save") + ": Is a directory; the file stays as it was\n");
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(4, 1));
}

TEST_F(SaveFile, AWriterKilledBeforeTheRenameLeavesTheOldFile) {
  WriteBytes(folder.File("save"), Bytes(8192, 0x5A));
  EXPECT_EXIT(
      {
        CSaveFile writer;
        writer.CreateSave();
        const Bytes fresh(8192, 0x33);
        writer.Write(fresh.data(), 8192, nullptr);
        std::raise(SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(8192, 0x5A));
  // The next write replaces the stale temporary file and succeeds.
  ASSERT_TRUE(WriteFile("save", Bytes(8192, 0x33)));
  EXPECT_EQ(ReadBytes(folder.File("save")), Bytes(8192, 0x33));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"save"});
}

}  // namespace
