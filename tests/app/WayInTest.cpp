// From the start of the program to the start of a run, driven by key events
// through the path a player's keys take, in English and in Japanese.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/RunTestSupport.h"
#include "floors/CStageData.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/RenderTestSupport.h"
#include "platform/TextTable.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/CGameInputUnlock.h"
#include "screens/TitleScreenKit.h"
#include "screens/TitleTestSupport.h"
#include "system/DebugLines.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/UiTestSupport.h"

namespace {

std::uint32_t Now = 0;
std::uint32_t TestClock() { return Now; }

constexpr std::uint32_t KeySelect = 'Z', KeyCancel = 'X', KeyRight = 39;

// What a continued run must bring back as it was.
struct RunPicture {
  int StageId, X, Y, Hp, Class, Level;
  std::uint64_t Terrain;
  bool operator==(const RunPicture&) const = default;
};

RunPicture PictureOfTheRun() {
  CGameMain* game = GetGameMain();
  std::uint64_t terrain = 1469598103934665603ull;
  for (const TerrainCode code : game->CurrentStage->terrain) terrain = (terrain ^ static_cast<std::uint8_t>(code)) * 1099511628211ull;
  return RunPicture{game->CurrentStage->StageId, game->Player->GetX(), game->Player->GetY(), game->Player->hp,
                    game->Player->type, static_cast<int>(game->Player->level), terrain};
}

class WayIn : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    std::memcpy(&Saved, &game->Settings.Block, sizeof Saved);
    std::memcpy(&Fresh, &game->Settings.Block, sizeof Fresh);
    SavedClock = game->Clock;
    game->Clock = &TestClock;
    game->Pacer = CFramePacer{};
    Now = 100000;
    // Nothing an earlier test pressed: not its history, its keys held, nor
    // the presses counted and not taken yet.
    uitest::ResetInput();
  }
  void TearDown() override {
    titletest::DetachTitleScreens();
    // Pictures a screen still holds go with this renderer.
    ReleaseTitlePictures();
    // A run that started is let go with its floor.
    runtest::DropRun();
    std::memcpy(&game->Settings.Block, &Saved, sizeof Saved);
    game->Clock = SavedClock;
    RenderFixture::TearDown();
  }

  // The start-up's share that concerns the screens: the language from the
  // user's locale, then the game object's start, which reads "save".
  void StartProgram(Language language) {
    game->Settings.Block.Language = language;
    game->StartGame();
    BackdropPreloaded = TextureRefCounts[12];
  }
  void Frame() {
    Now += 100;
    ASSERT_TRUE(game->RunFrame());
  }
  void Press(std::uint32_t vk) {
    DispatchEvent(SysEvent{SysEventKind::KeyDown, vk});
    Frame();
    DispatchEvent(SysEvent{SysEventKind::KeyUp, vk});
    Frame();
  }
  template <typename Done>
  void RunUntil(Done done, const char* what) {
    for (int i = 0; i < 600; ++i) {
      if (done()) return;
      Frame();
    }
    FAIL() << "never: " << what;
  }

  bool OnTheTitle() const { return GetGameInputController()->GetChild() == Top; }

  // Logo, then the menu taking input; the first card is white while held.
  void ToTheTitle() {
    for (int i = 0; i < 30; ++i) Frame();
    Grab();
    EXPECT_EQ(AtLogical(160, 90), rendertest::White) << "the logo's white card";
    RunUntil([&] { return OnTheTitle() && Top->GetPhase() == ScreenActive; }, "the title menu");
  }
  // NEW GAME, then `rights` classes to the right and SELECT.
  void ChooseClass(int rights) {
    Press(KeySelect);
    RunUntil([&] { return Top->GetChild() == Classes && Classes->GetPhase() == ScreenActive; },
             "the class selection");
    for (int i = 0; i < rights; ++i) Press(KeyRight);
    Press(KeySelect);
    RunUntil([&] { return Classes->GetChild() == Dungeons && Dungeons->GetPhase() == ScreenActive; },
             "the dungeon selection");
  }
  // SELECT on the dungeon under the cursor; what the game was asked.
  std::string StartRun() {
    DebugLinesShown shown;
    testing::internal::CaptureStderr();
    Press(KeySelect);
    RunUntil([&] { return Dungeons->GetPhase() == CGameInputTitleStageSelect::PhaseRunStarted; }, "the hand-over");
    return testing::internal::GetCapturedStderr();
  }

  // The window closes (the exit writes "save"); the next start, in a
  // locale of the other language, offers CONTINUE with the cursor on it,
  // and SELECT brings back the same run where it stood.
  void SuspendRestartAndContinue(Language saved) {
    const RunPicture before = PictureOfTheRun();
    ASSERT_TRUE(game->WriteSaveFile());
    // What ends with the process: the screens, the run and its floor.
    titletest::DetachTitleScreens();
    GetGameInputController()->SetChild(nullptr);
    runtest::DropRun();
    std::memcpy(&game->Settings.Block, &Fresh, sizeof Fresh);
    StartProgram(saved == LanguageEnglish ? LanguageJapanese : LanguageEnglish);
    EXPECT_EQ(game->Settings.Block.Language, saved);
    RunUntil([&] { return OnTheTitle() && Top->GetPhase() == ScreenActive; }, "the title menu");
    ASSERT_TRUE(Top->Entries[CGameInputTitleTop::EntryContinue].IsEnabled());
    const std::uint32_t dungeon = game->Settings.Block.DungeonIndex, playerClass = game->Settings.Block.SelectedClass;
    Press(KeySelect);
    UntilStandingOnTheFloor();
    EXPECT_EQ(PictureOfTheRun(), before);
    EXPECT_EQ(game->Settings.Block.DungeonIndex, dungeon);
    EXPECT_EQ(game->Settings.Block.SelectedClass, playerClass);
  }

  // The run has handed over to play: the player waits for a command on
  // the floor, under the play screen.
  void UntilStandingOnTheFloor() {
    RunUntil(
        [&] {
          return GetStateController()->GetStateId() == StateMainNormal &&
                 GetGameInputController()->GetChild() == GetGameInputMain() && game->Player != nullptr;
        },
        "the player's first command");
  }

  // Play keeps none of the title's pictures: the logo's cards, the class
  // portraits, every class's sheet but the player's own, and no hold on the
  // selections' backdrop but the start's own, however often they opened.
  void ExpectTitlePicturesLetGo(std::uint32_t playerClass) {
    EXPECT_EQ(TextureRefCounts[2], 0u);
    EXPECT_EQ(TextureRefCounts[3], 0u);
    EXPECT_EQ(TextureRefCounts[13], 0u) << "the portraits";
    EXPECT_EQ(TextureRefCounts[12], BackdropPreloaded) << "the backdrop";
    for (std::uint32_t c = 0; c < ClassSheetCount; ++c)
      EXPECT_EQ(TextureRefCounts[ClassSheets[c].Picture] > 0, c == playerClass) << "class " << c;
  }

  CGameMain* game = GetGameMain();
  CGameInputTitleTop* Top = GetGameInputTitleTop();
  CGameInputTitleCharacterSelect* Classes = GetGameInputTitleCharacterSelect();
  CGameInputTitleStageSelect* Dungeons = GetGameInputTitleStageSelect();
  TempGameFolder Folder;
  // The block a new process starts with, before "save" is read.
  SaveBlock Fresh;
  // The start's own holds on the backdrop, which every screen may draw.
  std::uint32_t BackdropPreloaded = 0;

private:
  SaveBlock Saved;
  std::uint32_t (*SavedClock)() = nullptr;
};

TEST_F(WayIn, AFirstRunInEnglishFromTheLogoToTheTutorial) {
  StartProgram(LanguageEnglish);
  ToTheTitle();
  EXPECT_FALSE(Top->Entries[CGameInputTitleTop::EntryContinue].IsEnabled());
  ChooseClass(2);
  EXPECT_EQ(game->Settings.Block.SelectedClass, 2u);
  EXPECT_EQ(Dungeons->GetSelectedDungeon(), 0) << "only the tutorial is open";
  const std::string asked = StartRun();
  EXPECT_EQ(asked.find("no run starts"), std::string::npos) << asked;
  EXPECT_EQ(game->Settings.Block.DungeonIndex, 0u);
  ASSERT_NE(game->CurrentStage, nullptr);
  EXPECT_EQ(game->CurrentStage->StageId, 500);
  ASSERT_NE(game->Player, nullptr);
  EXPECT_EQ(game->CurrentStage->GetCharacterAt(12, 27), game->Player);
  UntilStandingOnTheFloor();
  ExpectTitlePicturesLetGo(2);
  SuspendRestartAndContinue(LanguageEnglish);
}

TEST_F(WayIn, InJapaneseAfterTheTutorialThroughItsNoticeToLevelOne) {
  game->Settings.Block.DungeonClearedFlags[0] = 1;
  game->Settings.Block.Language = LanguageJapanese;
  game->CaptureSaveImage();
  ASSERT_TRUE(game->WriteSaveFile());
  game->Settings.Block.DungeonClearedFlags[0] = 0;

  StartProgram(LanguageEnglish);  // the saved language wins over the locale's
  EXPECT_EQ(game->Settings.Block.Language, LanguageJapanese);
  CGameInputUnlock* notice = GetGameInputUnlock();
  RunUntil([&] { return OnTheTitle() && Top->GetChild() == notice && notice->GetPhase() == ScreenActive; },
           "the notice");
  Frame();
  EXPECT_EQ(std::string(notice->NoticeWindow.GetText()).rfind(GetText(LanguageJapanese, 1186), 0), 0u);
  Press(KeySelect);
  RunUntil([&] { return OnTheTitle() && Top->GetChild() == nullptr && Top->GetPhase() == ScreenActive; },
           "the menu");
  EXPECT_EQ(ReadBytes(Folder.File("save"))[201], 1) << "the notice is marked in \"save\"";

  ChooseClass(3);
  EXPECT_STREQ(Classes->InfoWindows[3].GetText(), GetText(LanguageJapanese, 1176));
  EXPECT_EQ(game->Settings.Block.SelectedClass, 3u);
  EXPECT_EQ(Dungeons->GetSelectedDungeon(), 1) << "LEVEL 1 on the top row";
  EXPECT_NE(std::string(Dungeons->DescriptionWindow.GetText()).find(GetText(LanguageJapanese, 1144)),
            std::string::npos);
  // Back to the classes and in again: the dungeon list is opened twice.
  Press(KeyCancel);
  RunUntil([&] { return Classes->GetChild() == nullptr && Classes->GetPhase() == ScreenActive; },
           "the class selection again");
  Press(KeySelect);
  RunUntil([&] { return Classes->GetChild() == Dungeons && Dungeons->GetPhase() == ScreenActive; },
           "the dungeon selection again");
  StartRun();
  EXPECT_EQ(game->Settings.Block.DungeonIndex, 1u);
  // The run has begun on LEVEL 1's first floor with the chosen class.
  ASSERT_NE(game->Player, nullptr);
  EXPECT_EQ(game->Player->type, 3);
  ASSERT_NE(game->CurrentStage, nullptr);
  EXPECT_EQ(game->CurrentStage->StageId, 0);
  EXPECT_EQ(GetStateController()->GetStateId(), StateStageStart);
  UntilStandingOnTheFloor();
  ExpectTitlePicturesLetGo(3);
  SuspendRestartAndContinue(LanguageJapanese);
}

}  // namespace
