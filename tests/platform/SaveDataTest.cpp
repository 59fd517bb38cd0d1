#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "items/IdentifyTable.h"
#include "platform/CSaveData.h"
#include "platform/CSaveFile.h"
#include "platform/SaveTestSupport.h"

namespace {

class SaveData : public ::testing::Test {
protected:
  Bytes Written(CSaveData& data) {
    EXPECT_TRUE(file.CreateSave());
    EXPECT_TRUE(data.Save(file));
    EXPECT_TRUE(file.Close());
    return ReadBytes(folder.File("save"));
  }
  TempGameFolder folder;
  CSaveFile file;
};

TEST_F(SaveData, ANewBlockIsWrittenAsItsDefaultsAndNothingElse) {
  CSaveData data;
  const Bytes bytes = Written(data);
  ASSERT_EQ(bytes.size(), 8192u);
  Bytes expected(8192, 0);
  PutU32At(expected, 72, 80);  // BgmVolume
  PutU32At(expected, 76, 80);  // SeVolume
  PutU32At(expected, 84, 1);   // AutoAttack
  PutU32At(expected, 196, 2);  // WindowScale: x3
  EXPECT_EQ(bytes, expected);
}

TEST_F(SaveData, EveryFieldLandsAtItsOffset) {
  CSaveData data;
  std::memset(&data.Block, 0, sizeof data.Block);
  SaveBlock& b = data.Block;
  b.Captured = 0x01010101;
  b.DungeonClearedFlags[7] = 0x02020202;
  b.GameInProgress = 0x03;
  b.DungeonIndex = 0x04040404;
  b.FloorNumber = 0x05050505;
  b.CharacterCount = 0x06060606;
  b.ItemCount = 0x07070707;
  b.BgmVolume = 0x08080808;
  b.SeVolume = 0x09090909;
  b.ControlType = 0x0A0A0A0A;
  b.AutoAttack = 0x0B0B0B0B;
  b.Language = 0x0C0C0C0C;
  b.GameSpeed = 0x0D0D0D0D;
  b.SelectedClass = 0x0E0E0E0E;
  b.ClearedWithClass[87] = 0x0F;
  b.Fullscreen = 0x10;
  b.WindowScale = 0x11111111;
  b.DungeonOpenNoticeShown[6] = 0x12;
  b.PlayTime = 0x13131313;
  b.TurnCount = 0x14141414;
  const Bytes bytes = Written(data);
  ASSERT_EQ(bytes.size(), 8192u);

  struct Field {
    std::size_t Offset, Size;
    unsigned char Mark;
  };
  const Field fields[] = {
      {4, 4, 0x01},   {40, 4, 0x02},  {52, 1, 0x03},  {56, 4, 0x04},  {60, 4, 0x05},
      {64, 4, 0x06},  {68, 4, 0x07},  {72, 4, 0x08},  {76, 4, 0x09},  {80, 4, 0x0A},
      {84, 4, 0x0B},  {88, 4, 0x0C},  {96, 4, 0x0D},  {100, 4, 0x0E}, {191, 1, 0x0F},
      {192, 1, 0x10}, {196, 4, 0x11}, {207, 1, 0x12}, {212, 4, 0x13}, {216, 4, 0x14},
  };
  Bytes expected(8192, 0);
  for (const Field& f : fields) std::memset(&expected[f.Offset], f.Mark, f.Size);
  EXPECT_EQ(bytes, expected);
}

TEST_F(SaveData, ABlockCutAtAnyLengthLoadsNothing) {
  CSaveData stored;
  std::memset(&stored.Block, 0x5C, sizeof stored.Block);
  const Bytes full = Written(stored);
  const CSaveData defaults;
  for (std::size_t length = 8192; length-- > 0;) {
    ASSERT_EQ(truncate(folder.File("save").c_str(), static_cast<off_t>(length)), 0);
    CSaveData data;
    ASSERT_TRUE(file.OpenSaveRead());
    EXPECT_FALSE(data.Load(file)) << length;
    file.Close();
    ASSERT_EQ(std::memcmp(&data.Block, &defaults.Block, sizeof(SaveBlock)), 0) << length;
  }
  // The whole block, and a longer file, load.
  Bytes longer = full;
  longer.push_back(1);
  WriteBytes(folder.File("save"), longer);
  CSaveData data;
  ASSERT_TRUE(file.OpenSaveRead());
  EXPECT_TRUE(data.Load(file));
  file.Close();
  EXPECT_EQ(std::memcmp(&data.Block, &stored.Block, sizeof(SaveBlock)), 0);
}

TEST_F(SaveData, AnIdentifyFileCutAtAnyLengthChangesNoKind) {
  Bytes full(IdentifyTableSize);
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<unsigned char>(i * 7 + 1);
  WriteBytes(folder.File("identify"), full);
  std::memset(IdentifyTable, 0, sizeof IdentifyTable);
  for (std::size_t length = full.size(); length-- > 0;) {
    ASSERT_EQ(truncate(folder.File("identify").c_str(), static_cast<off_t>(length)), 0);
    ASSERT_TRUE(file.OpenIdentifyRead());
    EXPECT_FALSE(LoadIdentifyTable(file));
    file.Close();
    ASSERT_EQ(std::count(IdentifyTable, IdentifyTable + IdentifyTableSize, 0), IdentifyTableSize) << length;
  }
  WriteBytes(folder.File("identify"), full);
  ASSERT_TRUE(file.OpenIdentifyRead());
  EXPECT_TRUE(LoadIdentifyTable(file));
  file.Close();
  EXPECT_EQ(Bytes(IdentifyTable, IdentifyTable + IdentifyTableSize), full);
  std::memset(IdentifyTable, 0, sizeof IdentifyTable);
}

}  // namespace
