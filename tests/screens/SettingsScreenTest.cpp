// The settings screen: its rows, the values they change at once, the
// binding screens it opens, and the save its closing writes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/CFramePacer.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/CGameInputOptionKeyboardConfig.h"
#include "screens/CGameInputTitleConfig.h"
#include "screens/ConfigTestSupport.h"

namespace {

using namespace configtest;
using Config = CGameInputTitleConfig;

class Settings : public ConfigFixture {
protected:
  // A press left unused by an earlier case must not act in this one.
  void OpenOnRow(int row) {
    uitest::ClearInput();
    Open(8);
    S->Cursor = row;
    S->RefreshValues();
  }
  // The settings closed and handed back to the screen beneath.
  void ExpectClosed() {
    RunUntil([&] { return S->GetPhase() == ScreenClosed; });
    EXPECT_EQ(Stub.ChildClosings, 1);
    EXPECT_FALSE(S->Window.IsVisible());
    Step();
    EXPECT_EQ(Stub.GetChild(), nullptr);
  }
  // The stereo samples the click makes next.
  static bool ClickIsAudible() {
    std::int16_t out[2 * 16] = {};
    GetSoundManager()->Mixer.Mix(out, 16);
    for (std::int16_t sample : out)
      if (sample != 0) return true;
    return false;
  }

  Config* S = GetGameInputTitleConfig();
};

TEST_F(Settings, OpensOnBackOverTheCoveredScreenAndClosesBySelectThereOrCancelAnywhere) {
  PushOverStub(8);
  EXPECT_EQ(S->GetPhase(), ScreenOpening);
  EXPECT_EQ(Stub.GetPhase(), ScreenCovered);
  EXPECT_EQ(S->Cursor, Config::RowBack);
  EXPECT_EQ(S->Arrow.Y, 40 * Config::RowBack - 6) << "the 64-unit arrow centred on the 40-unit row";
  EXPECT_FALSE(S->Panel.IsVisible());
  EXPECT_EQ(RunUntil([&] { return S->GetPhase() == ScreenActive; }), 8) << "the window grows in 8 frames";
  EXPECT_TRUE(S->BackButton.IsVisible());

  EXPECT_TRUE(Press({VkSelect}));
  EXPECT_EQ(S->GetPhase(), ScreenClosing);
  EXPECT_FALSE(S->BackButton.IsVisible());
  EXPECT_EQ(ReadBytes(Folder.File("save")).size(), 8192u) << "closing writes the whole save";
  ExpectClosed();

  Stub.ChildClosings = 0;
  OpenOnRow(Config::RowAutoAttack);
  Press({VkCancel});
  EXPECT_EQ(S->GetPhase(), ScreenClosing);
  ExpectClosed();
}

TEST_F(Settings, TheCursorWrapsAndAHeldKeyMovesItOnce) {
  const struct {
    int From;
    std::uint32_t Key;
    int To;
  } moves[] = {{Config::RowBgm, VkUp, Config::RowBack},
               {Config::RowBack, VkDown, Config::RowBgm},
               {Config::RowLanguage, VkUp, Config::RowAutoAttack}};
  for (const auto& m : moves) {
    OpenOnRow(m.From);
    EXPECT_TRUE(Press({m.Key}));
    EXPECT_EQ(S->Cursor, m.To) << m.From;
    EXPECT_EQ(S->Arrow.Y, 40 * m.To - 6);
  }
  OpenOnRow(Config::RowBgm);
  for (int i = 0; i < 8; ++i) Step({VkDown});
  EXPECT_EQ(S->Cursor, Config::RowSe);
}

TEST_F(Settings, VolumesStepByTenWithinTheirRangeAndAlwaysClick) {
  CSoundManager* sound = GetSoundManager();
  const struct {
    int Row, Start;
    std::vector<std::uint32_t> Keys;
    int End;
  } cases[] = {
      {Config::RowBgm, 0, {VkLeft}, 0},           {Config::RowBgm, 100, {VkRight}, 100},
      {Config::RowBgm, 85, {VkRight, VkRight}, 100}, {Config::RowBgm, 80, {VkLeft}, 70},
      {Config::RowSe, 10, {VkLeft}, 0},           {Config::RowSe, 95, {VkRight}, 100},
  };
  for (const auto& c : cases) {
    int& volume = c.Row == Config::RowBgm ? sound->BgmMasterVolume : sound->SeMasterVolume;
    volume = c.Start;
    OpenOnRow(c.Row);
    for (std::uint32_t key : c.Keys) EXPECT_TRUE(Press({key})) << c.Row << " from " << c.Start;
    EXPECT_EQ(volume, c.End) << c.Row << " from " << c.Start;
    EXPECT_EQ(TextOf(c.Row == Config::RowBgm ? S->BgmValue : S->SeValue), std::to_string(c.End));
  }

  // Held, a volume key steps once.
  sound->BgmMasterVolume = 50;
  OpenOnRow(Config::RowBgm);
  for (int i = 0; i < 8; ++i) Step({VkRight});
  EXPECT_EQ(sound->BgmMasterVolume, 60);
}

TEST_F(Settings, TheSeClickSoundsAtTheNewVolume) {
  GetSoundManager()->SeMasterVolume = 10;
  OpenOnRow(Config::RowSe);
  Step({VkLeft});
  EXPECT_TRUE(Played());
  EXPECT_FALSE(ClickIsAudible()) << "at SE 0 the click is silent";
  Step();
  GetSoundManager()->SeMasterVolume = 90;
  Step({VkRight});
  EXPECT_TRUE(ClickIsAudible()) << "at 100";
}

TEST_F(Settings, AutoAttackShowsOnOnlyForOneAndTogglesEitherWay) {
  const struct {
    std::uint32_t Stored;
    const char* Shown;
    std::uint32_t Key, After;
  } cases[] = {{1, "ON", VkLeft, 0}, {0, "OFF", VkRight, 1}, {7, "OFF", VkRight, 0}};
  for (const auto& c : cases) {
    Block().AutoAttack = c.Stored;
    OpenOnRow(Config::RowAutoAttack);
    EXPECT_EQ(TextOf(S->AutoAttackValue), c.Shown) << c.Stored;
    Press({c.Key});
    EXPECT_EQ(Block().AutoAttack, c.After) << c.Stored;
    EXPECT_EQ(TextOf(S->AutoAttackValue), c.After == 1 ? "ON" : "OFF");
  }
}

TEST_F(Settings, LanguageChangesTheValuesAtOnceWhileTheLabelsKeepTheirBuildLanguage) {
  const std::string bgmLabel = TextOf(GetGameInputTitleConfig()->BgmLabel);
  OpenOnRow(Config::RowLanguage);
  EXPECT_TRUE(S->EnglishValue.IsVisible());
  EXPECT_FALSE(S->JapaneseValue.IsVisible());
  Press({VkRight});
  EXPECT_EQ(Block().Language, 1u);
  EXPECT_FALSE(S->EnglishValue.IsVisible());
  EXPECT_TRUE(S->JapaneseValue.IsVisible());
  EXPECT_EQ(TextOf(S->AutoAttackValue), GetText(LanguageJapanese, 1228));
  EXPECT_EQ(TextOf(S->ScreenSizeValue), GetText(LanguageJapanese, 1217));
  EXPECT_EQ(TextOf(S->BgmLabel), bgmLabel);
  Press({VkLeft});
  EXPECT_EQ(Block().Language, 0u);
  EXPECT_EQ(TextOf(S->AutoAttackValue), "ON");
}

TEST_F(Settings, ScreenSizeRunsThroughTheScalesAndFullScreenBothWays) {
  const struct {
    std::uint8_t Full;
    std::uint32_t Scale, Key;
    std::uint8_t FullAfter;
    std::uint32_t ScaleAfter;
    const char* Shown;
  } cases[] = {
      {0, 1, VkRight, 0, 2, "x3"},        {0, 4, VkRight, 1, 4, "FULLSCREEN"}, {1, 4, VkRight, 0, 0, "x1"},
      {0, 0, VkLeft, 1, 0, "FULLSCREEN"}, {1, 0, VkLeft, 0, 4, "x5"},          {1, 2, VkRight, 0, 0, "x1"},
  };
  for (const auto& c : cases) {
    Game()->SetFullscreen(c.Full != 0);
    Game()->SetWindowScale(static_cast<int>(c.Scale));
    OpenOnRow(Config::RowScreenSize);
    Press({c.Key});
    EXPECT_EQ(Block().Fullscreen, c.FullAfter) << int(c.Full) << " x" << c.Scale + 1;
    EXPECT_EQ(Block().WindowScale, c.ScaleAfter) << int(c.Full) << " x" << c.Scale + 1;
    EXPECT_EQ(TextOf(S->ScreenSizeValue), c.Shown);
    if (!c.FullAfter) {
      EXPECT_EQ(ClientWidth, 320 * static_cast<int>(c.ScaleAfter + 1));
      EXPECT_EQ(ClientHeight, 180 * static_cast<int>(c.ScaleAfter + 1));
    }
  }
}

TEST_F(Settings, PressesNoRowWantsAreLeftUnused) {
  const struct {
    int Row;
    std::uint32_t Key;
    int InputRow;
  } cases[] = {{Config::RowBgm, VkSelect, InputRowSelect},
               {Config::RowScreenSize, VkSelect, InputRowSelect},
               {Config::RowJoyPad, VkLeft, InputRowLeft},
               {Config::RowBack, VkRight, InputRowRight}};
  for (const auto& c : cases) {
    const SaveBlock before = Block();
    const int bgm = GetSoundManager()->BgmMasterVolume;
    OpenOnRow(c.Row);
    Step({c.Key});
    EXPECT_FALSE(Played()) << c.Row;
    EXPECT_EQ(S->GetPhase(), ScreenActive) << c.Row;
    EXPECT_EQ(S->Cursor, c.Row);
    EXPECT_EQ(Input()->InputHistory[c.InputRow][0], 1) << "not consumed";
    EXPECT_EQ(std::memcmp(&before, &Block(), sizeof before), 0);
    EXPECT_EQ(GetSoundManager()->BgmMasterVolume, bgm);
    Step();
  }
}

TEST_F(Settings, TheBindingScreensOpenOverItAndItTakesNoInputUntilTheyClose) {
  OpenOnRow(Config::RowKeyboard);
  Press({VkSelect});
  CGameInputOptionKeyboardConfig* keys = GetGameInputOptionKeyboardConfig();
  EXPECT_EQ(S->GetChild(), keys);
  EXPECT_EQ(keys->GetParent(), S);
  EXPECT_EQ(S->GetPhase(), ScreenCovered);
  EXPECT_TRUE(S->BackButton.IsVisible()) << "still drawn beneath";
  RunUntil([&] { return keys->GetPhase() == ScreenActive; });
  // Both draw, the settings first, in both passes of a title frame.
  Root()->DrawLayer(1);
  Root()->DrawLayer(0);

  Press({VkUp});
  EXPECT_EQ(S->Cursor, Config::RowKeyboard);
  EXPECT_EQ(keys->Cursor, CGameInputOptionKeyboardConfig::RowDefault);
  Press({VkCancel});
  RunUntil([&] { return S->GetPhase() == ScreenActive; });
  EXPECT_EQ(S->GetChild(), nullptr);
  EXPECT_EQ(S->Cursor, Config::RowKeyboard);
  EXPECT_EQ(Stub.ChildClosings, 0);

  S->Cursor = Config::RowJoyPad;
  Press({VkSelect});
  EXPECT_EQ(S->GetChild(), ScreenFromId(10));
}

TEST_F(Settings, ChangesActAtOnceAndARestartKeepsThem) {
  CSoundManager* sound = GetSoundManager();
  Game()->SetWindowScale(2);
  OpenOnRow(Config::RowBgm);
  Press({VkLeft});
  EXPECT_EQ(sound->BgmMasterVolume, 70);
  Press({VkDown});
  Press({VkRight});
  EXPECT_EQ(sound->SeMasterVolume, 90);
  Press({VkDown});
  Press({VkLeft});
  Press({VkDown});
  Press({VkRight});
  EXPECT_EQ(GetCurrentLanguageText(1228), std::string(GetText(LanguageJapanese, 1228))) << "the next text fetched";
  Press({VkDown});
  Press({VkLeft});
  EXPECT_EQ(ClientWidth, 640);
  Press({VkLeft});
  Press({VkLeft});
  EXPECT_EQ(Block().Fullscreen, 1);
  Game()->SetGameSpeed(3);
  Press({VkCancel});
  RunUntil([&] { return S->GetPhase() == ScreenClosed; });

  ResetSingletons();
  CGameMain next;
  ASSERT_TRUE(next.LoadAll());
  const SaveBlock& b = next.Settings.Block;
  EXPECT_EQ(b.BgmVolume, 70u);
  EXPECT_EQ(b.SeVolume, 90u);
  EXPECT_EQ(sound->BgmMasterVolume, 70);
  EXPECT_EQ(sound->SeMasterVolume, 90);
  EXPECT_EQ(b.AutoAttack, 0u);
  EXPECT_EQ(b.Language, 1u);
  EXPECT_EQ(b.Fullscreen, 1);
  EXPECT_EQ(b.WindowScale, 0u);
  EXPECT_EQ(CFramePacer::PeriodFor(b.GameSpeed), 1000u / 52);
}

TEST_F(Settings, AFailedWriteIsLoggedKeepsTheOldSaveAndStillCloses) {
  const Bytes old(8192, 7);
  WriteBytes(Folder.File("save"), old);
  mkdir(Folder.File("save.tmp").c_str(), 0700);
  OpenOnRow(Config::RowBgm);
  Press({VkRight});
  ::testing::internal::CaptureStderr();
  Press({VkCancel});
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("save: could not be written"), std::string::npos) << log;
  EXPECT_EQ(ReadBytes(Folder.File("save")), old);
  ExpectClosed();
  EXPECT_EQ(GetSoundManager()->BgmMasterVolume, 90) << "the change lasts for this run";
}

}  // namespace
