#include <gtest/gtest.h>

#include "app/SaveTestFixture.h"

namespace {

using KeyConfig = SaveGameFixture;

constexpr std::size_t PadFlags = 72;

TEST_F(KeyConfig, IsWrittenInItsLayoutAndReadBack) {
  CMyInput* input = GetInput();
  ASSERT_TRUE(input->SetKeyBinding(0x57, 2));  // Left on W
  ASSERT_TRUE(input->SetKeyBinding(0x42, 16));
  ASSERT_TRUE(input->SetPadBinding(13, 9));    // RT on action 17
  input->KeyBindingTable[13] = 0x99;           // never stored
  ASSERT_TRUE(game->SaveKeyConfig());

  const CMyInput defaults;
  Bytes expected(8192, 0);
  for (int action = 0; action < 13; ++action) PutU32At(expected, 4 + 4 * action, input->KeyBindingTable[action]);
  for (int action = 15; action < 19; ++action)
    PutU32At(expected, 56 + 4 * (action - 15), input->KeyBindingTable[action]);
  const int rows[13] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14};
  for (int slot = 0; slot < 13; ++slot)
    for (int b = 0; b < 10; ++b) expected[PadFlags + 10 * slot + b] = input->PadBindingMatrix[rows[slot]][b];
  const Bytes written = ReadBytes(folder.File("keyconfig"));
  EXPECT_EQ(written, expected);
  EXPECT_EQ(U32At(written, 4 + 4 * 2), 0x57u);
  EXPECT_EQ(written[PadFlags + 10 * 11 + 9], 1);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"keyconfig"});

  // Next start: built-in bindings, then the file.
  ResetSingletons();
  CGameMain next;
  ASSERT_TRUE(next.LoadKeyConfig());
  EXPECT_EQ(input->KeyBindingTable[2], 0x57u);
  EXPECT_EQ(input->KeyBindingTable[16], 0x42u);
  EXPECT_EQ(input->KeyBindingTable[13], defaults.KeyBindingTable[13]);
  EXPECT_EQ(input->KeyBindingTable[14], defaults.KeyBindingTable[14]);
  EXPECT_EQ(input->PadBindingMatrix[13][9], 1);
  for (int slot = 0; slot < 13; ++slot)
    for (int b = 0; b < 10; ++b)
      EXPECT_EQ(input->PadBindingMatrix[rows[slot]][b], expected[PadFlags + 10 * slot + b]) << rows[slot] << "/" << b;
}

TEST_F(KeyConfig, AShortFileIsIgnoredAtEveryLength) {
  Bytes full(8192, 0);
  for (int action = 0; action < 13; ++action) PutU32At(full, 4 + 4 * action, 0x41 + action);
  for (std::size_t b = PadFlags; b < PadFlags + 130; ++b) full[b] = 1;
  WriteBytes(folder.File("keyconfig"), full);
  const CMyInput defaults;
  for (std::size_t length = full.size(); length-- > 0;) {
    ASSERT_EQ(truncate(folder.File("keyconfig").c_str(), static_cast<off_t>(length)), 0);
    EXPECT_FALSE(game->LoadKeyConfig()) << length;
    ASSERT_EQ(std::memcmp(GetInput()->KeyBindingTable, defaults.KeyBindingTable, sizeof defaults.KeyBindingTable), 0)
        << length;
    ASSERT_EQ(std::memcmp(GetInput()->PadBindingMatrix, defaults.PadBindingMatrix, sizeof defaults.PadBindingMatrix), 0)
        << length;
  }
}

TEST_F(KeyConfig, CodesThatNameNoKeyAreSkipped) {
  const CMyInput defaults;
  Bytes file(8192, 0);
  for (int action = 0; action < 13; ++action) PutU32At(file, 4 + 4 * action, defaults.KeyBindingTable[action]);
  for (int action = 15; action < 19; ++action)
    PutU32At(file, 56 + 4 * (action - 15), defaults.KeyBindingTable[action]);
  PutU32At(file, 4 + 4 * 0, 256);
  PutU32At(file, 4 + 4 * 1, 0xFFFFFFFF);
  PutU32At(file, 4 + 4 * 3, 0);
  PutU32At(file, 4 + 4 * 4, 0x4B);
  WriteBytes(folder.File("keyconfig"), file);

  ASSERT_TRUE(game->LoadKeyConfig());
  const CMyInput* input = GetInput();
  EXPECT_EQ(input->KeyBindingTable[0], defaults.KeyBindingTable[0]);
  EXPECT_EQ(input->KeyBindingTable[1], defaults.KeyBindingTable[1]);
  EXPECT_EQ(input->KeyBindingTable[3], defaults.KeyBindingTable[3]);
  EXPECT_EQ(input->KeyBindingTable[4], 0x4Bu);
  // A file with no pad flags leaves every stored row without a button;
  // rows 9 and 10 keep theirs.
  for (int row : {0, 4, 8, 11, 14})
    for (int b = 0; b < 10; ++b) EXPECT_EQ(input->PadBindingMatrix[row][b], 0) << row << "/" << b;
  EXPECT_EQ(std::memcmp(input->PadBindingMatrix[9], defaults.PadBindingMatrix[9], 20), 0);
}

TEST_F(KeyConfig, AWriteThatCannotBeCompletedKeepsTheOldFile) {
  WriteBytes(folder.File("keyconfig"), Bytes(8192, 7));
  mkdir(folder.File("keyconfig.tmp").c_str(), 0700);
  EXPECT_FALSE(game->SaveKeyConfig());
  EXPECT_EQ(ReadBytes(folder.File("keyconfig")), Bytes(8192, 7));
}

}  // namespace
