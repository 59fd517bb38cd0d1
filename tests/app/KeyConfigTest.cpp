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

TEST_F(KeyConfig, WhatTheBindingScreensMakeComesBackAfterARestart) {
  struct Bind {
    std::uint32_t Code;
    int Action;
  };
  const std::vector<Bind> sequences[] = {
      {{'1', 0}},                          // Up on 1: the unnamed entries take the arrow
      {{'L', 4}, {'X', 5}},                // PageLeft moved twice by the swaps
      {{'L', 0}, {'1', 0}},                // the unnamed pair ends on L
      {{'X', 17}, {'Z', 4}, {'C', 18}},    // both groups
      {{'W', 0}, {'S', 1}, {'A', 2}, {'D', 3}, {38, 6}},
  };
  const int named[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18};
  for (const auto& sequence : sequences) {
    ResetSingletons();
    CMyInput* input = GetInput();
    for (const Bind& b : sequence) ASSERT_TRUE(input->SetKeyBinding(b.Code, b.Action));
    std::uint32_t live[19];
    std::memcpy(live, input->KeyBindingTable, sizeof live);
    ASSERT_TRUE(game->SaveKeyConfig());

    ResetSingletons();
    CGameMain next;
    ASSERT_TRUE(next.LoadKeyConfig());
    for (int action : named) EXPECT_EQ(input->KeyBindingTable[action], live[action]) << sequence[0].Code << "/" << action;
    // Loading again over the loaded table changes nothing.
    std::uint32_t loaded[19];
    std::memcpy(loaded, input->KeyBindingTable, sizeof loaded);
    ASSERT_TRUE(next.LoadKeyConfig());
    EXPECT_EQ(std::memcmp(loaded, input->KeyBindingTable, sizeof loaded), 0);
  }
}

TEST_F(KeyConfig, AKeyTwiceInAGroupIsLoadedOnceAndThePageKeysComeBackWhenFree) {
  const CMyInput defaults;
  Bytes file(8192, 0);
  for (int action = 0; action < 13; ++action) PutU32At(file, 4 + 4 * action, defaults.KeyBindingTable[action]);
  for (int action = 15; action < 19; ++action)
    PutU32At(file, 56 + 4 * (action - 15), defaults.KeyBindingTable[action]);
  PutU32At(file, 4 + 4 * 4, 'Z');         // ATTACK
  PutU32At(file, 4 + 4 * 5, 'Z');         // DASH too: skipped
  PutU32At(file, 56 + 4 * (18 - 15), 'Z');  // CANCEL on SELECT's key: skipped
  WriteBytes(folder.File("keyconfig"), file);

  // Bindings of this run that moved PageLeft off L and then freed L.
  CMyInput* input = GetInput();
  input->SetKeyBinding('L', 4);
  input->SetKeyBinding('M', 4);
  ASSERT_EQ(input->KeyBindingTable[13], static_cast<std::uint32_t>('X'));

  ASSERT_TRUE(game->LoadKeyConfig());
  EXPECT_EQ(input->KeyBindingTable[4], static_cast<std::uint32_t>('Z'));
  EXPECT_EQ(input->KeyBindingTable[5], static_cast<std::uint32_t>('M')) << "ATTACK's key before the swap";
  EXPECT_EQ(input->KeyBindingTable[17], static_cast<std::uint32_t>('Z'));
  EXPECT_EQ(input->KeyBindingTable[18], static_cast<std::uint32_t>('X'));
  EXPECT_EQ(input->KeyBindingTable[13], static_cast<std::uint32_t>('L')) << "no action holds L";
  EXPECT_EQ(input->KeyBindingTable[14], static_cast<std::uint32_t>('R'));

  // While an action holds L, PageLeft keeps the key the swap gave it.
  ResetSingletons();
  PutU32At(file, 4 + 4 * 4, 'L');
  WriteBytes(folder.File("keyconfig"), file);
  ASSERT_TRUE(game->LoadKeyConfig());
  EXPECT_EQ(input->KeyBindingTable[4], static_cast<std::uint32_t>('L'));
  EXPECT_EQ(input->KeyBindingTable[13], static_cast<std::uint32_t>('X'));
}

TEST_F(KeyConfig, AWriteThatCannotBeCompletedKeepsTheOldFile) {
  WriteBytes(folder.File("keyconfig"), Bytes(8192, 7));
  mkdir(folder.File("keyconfig.tmp").c_str(), 0700);
  EXPECT_FALSE(game->SaveKeyConfig());
  EXPECT_EQ(ReadBytes(folder.File("keyconfig")), Bytes(8192, 7));
}

}  // namespace
