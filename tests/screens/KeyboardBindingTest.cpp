// The keyboard binding screen: the cursor, the key capture with its swaps,
// DEFAULT, the pointer on its two buttons, the key names, and the bindings
// in play and after a restart.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "screens/CGameInputOptionKeyboardConfig.h"
#include "screens/ConfigTestSupport.h"

namespace {

using namespace configtest;
using Keys = CGameInputOptionKeyboardConfig;

constexpr int RowUp = 0, RowAttack = 4, RowSelect = 11;

class KeyboardBinding : public ConfigFixture {
protected:
  void OpenOnRow(int row) {
    uitest::ClearInput();
    Open(11);
    K->Cursor = row;
    K->RefreshBindingLabels();
  }
  // SELECT on the cursor's row, then `keys` down together.
  void Capture(const std::vector<std::uint32_t>& keys) {
    Press({VkSelect});
    ASSERT_EQ(K->GetPhase(), Keys::PhaseCapture);
    Press(keys);
  }
  static std::uint32_t Key(int action) { return Input()->KeyBindingTable[action]; }

  Keys* K = GetGameInputOptionKeyboardConfig();
};

TEST_F(KeyboardBinding, OpensOnBackAndTheCursorWrapsOneRowAPress) {
  K->Cursor = RowAttack;  // where an earlier visit left it
  Open(11);
  EXPECT_EQ(K->Cursor, Keys::RowBack);
  EXPECT_EQ(K->Arrow.Y, 34 + 40 * Keys::RowBack);
  EXPECT_EQ(TextOf(K->KeyLabels[RowUp]), "UP");
  EXPECT_EQ(TextOf(K->KeyLabels[RowAttack]), "X");
  for (int d = 0; d < 4; ++d) EXPECT_EQ(TextOf(K->DiagonalKeys[d]), "") << "never named, off the window";

  const struct {
    int From;
    std::uint32_t Key;
    int To;
  } moves[] = {{Keys::RowBack, VkUp, Keys::RowDefault}, {Keys::RowBack, VkDown, RowUp}, {RowUp, VkUp, Keys::RowBack}};
  for (const auto& m : moves) {
    OpenOnRow(m.From);
    EXPECT_TRUE(Press({m.Key}));
    EXPECT_EQ(K->Cursor, m.To) << m.From;
    EXPECT_EQ(K->Arrow.Y, 34 + 40 * m.To);
  }
  OpenOnRow(RowUp);
  for (int i = 0; i < 8; ++i) Step({VkDown});
  EXPECT_EQ(K->Cursor, RowUp + 1);
}

TEST_F(KeyboardBinding, ACapturedKeyIsSwappedWithinItsGroupOnly) {
  const struct {
    int Row;
    std::uint32_t Key;
    std::map<int, std::uint32_t> After;
  } cases[] = {
      // ATTACK and SELECT may share a key: they are of different groups.
      {RowAttack, 'Z', {{4, 'Z'}, {5, 'X'}, {17, 'Z'}, {18, 'X'}}},
      {RowSelect, 'X', {{17, 'X'}, {18, 'Z'}, {4, 'X'}, {5, 'Z'}}},
      {RowUp, '1', {{0, '1'}, {11, 38}, {12, 38}, {13, 'L'}}},
      {RowAttack, 'L', {{4, 'L'}, {13, 'X'}}},
      {RowAttack, 'X', {{4, 'X'}, {5, 'Z'}}},  // the key it holds: nothing changes
  };
  for (const auto& c : cases) {
    ResetSingletons();
    OpenOnRow(c.Row);
    Press({VkSelect});
    EXPECT_EQ(K->GetPhase(), Keys::PhaseCapture);
    EXPECT_FALSE(K->Arrow.IsVisible());
    EXPECT_EQ(Blue(K->ActionLabels[c.Row]), 0) << "yellow while capturing";
    EXPECT_EQ(Blue(K->KeyLabels[c.Row]), 0);
    EXPECT_TRUE(Press({c.Key}));
    EXPECT_EQ(K->GetPhase(), ScreenActive);
    for (const auto& [action, code] : c.After) EXPECT_EQ(Key(action), code) << c.Row << " on " << c.Key;
    EXPECT_EQ(TextOf(K->KeyLabels[c.Row]), std::string(1, static_cast<char>(c.Key)));
    EXPECT_TRUE(K->Arrow.IsVisible());
    EXPECT_EQ(K->Cursor, c.Row);
    EXPECT_EQ(Blue(K->ActionLabels[c.Row]), 255);
  }
}

TEST_F(KeyboardBinding, TheCaptureTakesOnlyBindableKeysAndTheLowestOfTwo) {
  OpenOnRow(RowAttack);
  Press({VkSelect});
  for (std::uint32_t vk : {27u, 0x70u, 0xBAu, 20u, 91u}) {  // Escape, F1, ';', Caps Lock, Windows
    Press({vk});
    EXPECT_EQ(K->GetPhase(), Keys::PhaseCapture) << vk;
  }
  EXPECT_EQ(Key(4), static_cast<std::uint32_t>('X'));
  Press({'Q', 'C'});
  EXPECT_EQ(Key(4), static_cast<std::uint32_t>('C'));

  // CANCEL's own key is captured like any other; the pad's CANCEL gives up.
  Capture({VkCancel});
  EXPECT_EQ(Key(4), VkCancel);
  Press({VkSelect});
  EXPECT_TRUE(PressPad(PadB));
  EXPECT_EQ(K->GetPhase(), ScreenActive);
  EXPECT_EQ(Key(4), VkCancel);
  EXPECT_EQ(TextOf(K->KeyLabels[RowAttack]), "X");
}

TEST_F(KeyboardBinding, DefaultPutsTheThirteenKeysBackAndStaysOnDefault) {
  OpenOnRow(RowUp);
  Capture({'1'});
  K->Cursor = RowAttack;
  Capture({'L'});
  K->Cursor = Keys::RowDefault;
  EXPECT_TRUE(Press({VkSelect}));
  const CMyInput fresh;
  for (int action : Keys::RowActions) EXPECT_EQ(Key(action), fresh.KeyBindingTable[action]) << action;
  // The entries without a row follow the swaps back.
  EXPECT_EQ(Key(13), static_cast<std::uint32_t>('L'));
  EXPECT_EQ(Key(11), static_cast<std::uint32_t>('1'));
  EXPECT_EQ(K->Cursor, Keys::RowDefault);
  EXPECT_EQ(K->GetPhase(), ScreenActive);
  EXPECT_EQ(TextOf(K->KeyLabels[RowUp]), "UP");
}

TEST_F(KeyboardBinding, ThePointerActsOnDefaultAndBackOnlyUnderTheCursor) {
  // Window at (400, 34): DEFAULT at y 600-639, BACK at 640-679, UP's row at 80.
  constexpr int X = 500, DefaultY = 610, BackY = 650, UpY = 90;
  OpenOnRow(RowUp);
  EXPECT_FALSE(Click(X, BackY));
  EXPECT_FALSE(Click(X, DefaultY));
  EXPECT_FALSE(Click(X, UpY));
  EXPECT_EQ(K->GetPhase(), ScreenActive);

  Input()->KeyBindingTable[0] = 'W';
  K->Cursor = Keys::RowDefault;
  EXPECT_TRUE(Click(X, DefaultY));
  EXPECT_EQ(Key(0), VkUp);
  K->Cursor = Keys::RowBack;
  EXPECT_TRUE(Click(X, BackY));
  EXPECT_EQ(K->GetPhase(), ScreenClosing);
}

TEST_F(KeyboardBinding, AKeyWithoutANameShowsNoneNotTheRowAbove) {
  Input()->KeyBindingTable[1] = 7;  // no key has this code
  OpenOnRow(RowUp);
  EXPECT_EQ(TextOf(K->KeyLabels[0]), "UP");
  EXPECT_EQ(TextOf(K->KeyLabels[1]), "");
}

TEST_F(KeyboardBinding, ClosingWritesKeyconfigEvenUnchangedAndAFailedWriteStillCloses) {
  OpenOnRow(RowAttack);
  EXPECT_TRUE(Press({VkCancel}));
  EXPECT_EQ(K->GetPhase(), ScreenClosing);
  EXPECT_EQ(ReadBytes(Folder.File("keyconfig")).size(), 8192u);
  RunUntil([&] { return K->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Stub.ChildClosings, 1);

  const Bytes old(8192, 7);
  WriteBytes(Folder.File("keyconfig"), old);
  mkdir(Folder.File("keyconfig.tmp").c_str(), 0700);
  OpenOnRow(Keys::RowBack);
  ::testing::internal::CaptureStderr();
  Press({VkSelect});
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("keyconfig: could not be written"), std::string::npos) << log;
  RunUntil([&] { return K->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Stub.ChildClosings, 2);
  EXPECT_EQ(ReadBytes(Folder.File("keyconfig")), old);
}

TEST_F(KeyboardBinding, AReboundKeyWorksInPlayAndSurvivesARestart) {
  OpenOnRow(RowAttack);
  Capture({'Z'});
  Press({VkCancel});
  RunUntil([&] { return K->GetPhase() == ScreenClosed; });

  const auto expectInPlay = [this] {
    Step({'Z'});
    EXPECT_TRUE(ActionDown(4)) << "ATTACK on Z";
    EXPECT_TRUE(ActionDown(17)) << "and SELECT still";
    EXPECT_FALSE(ActionDown(5));
    Step({'X'});
    EXPECT_TRUE(ActionDown(5)) << "DASH took ATTACK's X";
    EXPECT_FALSE(ActionDown(4));
    Step();
  };
  expectInPlay();

  std::uint32_t before[InputActionCount];
  std::memcpy(before, Input()->KeyBindingTable, sizeof before);
  ResetSingletons();
  CGameMain next;
  ASSERT_TRUE(next.LoadKeyConfig());
  EXPECT_EQ(std::memcmp(before, Input()->KeyBindingTable, sizeof before), 0);
  expectInPlay();
}

}  // namespace
