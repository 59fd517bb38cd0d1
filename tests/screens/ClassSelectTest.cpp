// The class selection: the row with and without PROPHET, the cursor's wrap,
// the badges, the choice with its flash and wait, and the ways back.
#include <gtest/gtest.h>

#include <vector>

#include "platform/TextTable.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace titletest;
using Classes = CGameInputTitleCharacterSelect;

class ClassSelect : public TitleFixture {
protected:
  void Open() {
    PushOverStub(Parent, 4);
    RunUntil([&] { return C->GetPhase() == ScreenActive; });
  }
  std::vector<int> SpriteXs() const {
    std::vector<int> xs;
    for (const CWidget& sprite : C->ClassSprites) xs.push_back(sprite.X);
    return xs;
  }
  // The card shown is the cursor's, and only it is lit.
  void ExpectCard(int c) const {
    for (int i = 0; i < Classes::ClassCount; ++i) {
      EXPECT_EQ(C->Portraits[i].IsVisible(), i == c) << i;
      EXPECT_EQ(C->InfoWindows[i].IsVisible(), i == c) << i;
      EXPECT_EQ(C->ClassSprites[i].IsSelected(), i == c) << i;
      EXPECT_EQ(C->ClassSprites[i].GetRed(), i == c ? 255 : 64) << i;
    }
    EXPECT_STREQ(C->InfoWindows[c].GetText(), GetText(Block().Language, 1173 + c));
  }

  ParentStub Parent;
  Classes* C = GetGameInputTitleCharacterSelect();
};

TEST_F(ClassSelect, TheRowAndTheCursorFollowTheProphetLock) {
  const struct {
    bool ProphetOpen;
    std::vector<int> Xs;
    int LeftOfFighter;
  } cases[] = {
      {false, {0, 160, 320, 480, 640, 800, 960, 1120, 10000}, 7},
      {true, {-8, 134, 276, 418, 560, 702, 844, 986, 1128}, 8},
  };
  for (const auto& c : cases) {
    Root()->SetChild(nullptr);
    Block().DungeonClearedFlags[6] = c.ProphetOpen;
    Open();
    EXPECT_EQ(SpriteXs(), c.Xs) << c.ProphetOpen;
    EXPECT_EQ(C->Cursor, 0) << "always opens on FIGHTER";
    ExpectCard(0);
    Step({InputRowLeft});
    EXPECT_EQ(C->Cursor, c.LeftOfFighter);
    EXPECT_TRUE(SoundSpy::Played(Click));
    ExpectCard(c.LeftOfFighter);
    Step();
    Step({InputRowRight});
    EXPECT_EQ(C->Cursor, 0);
    // The class under the cursor steps down 20 over 3 frames.
    for (int i = 0; i < 3; ++i) Step();
    EXPECT_EQ(C->ClassSprites[0].Y, 560);
    EXPECT_EQ(C->ClassSprites[c.LeftOfFighter].Y, 540);
    EXPECT_EQ(C->Portraits[0].X, 0) << "the portrait slid in";
  }
}

TEST_F(ClassSelect, StayingPutOnALockedProphetStepsRightInsteadOfLoopingForever) {
  Open();
  C->Cursor = Classes::ProphetClass;
  C->MoveCursor(0);
  EXPECT_EQ(C->Cursor, 0);
}

TEST_F(ClassSelect, ABadgeNeedsEveryDungeonClearedWithThatClass) {
  for (int d = 0; d < 8; ++d) Block().ClearedWithClass[d * 11 + 2] = 1;
  for (int d = 0; d < 7; ++d) Block().ClearedWithClass[d * 11 + 3] = 1;
  Open();
  for (int i = 0; i < Classes::ClassCount; ++i) EXPECT_EQ(C->CompleteBadges[i].IsVisible(), i == 2) << i;
}

TEST_F(ClassSelect, SelectFlashesWaitsThenKeepsTheClassAndOpensTheDungeons) {
  Open();
  Step({InputRowRight});
  Step();
  Step({InputRowSelect});
  EXPECT_TRUE(SoundSpy::Played(Chime));
  EXPECT_EQ(C->GetPhase(), Classes::PhaseChosen);
  EXPECT_FALSE(C->ClassSprites[1].IsEnabled()) << "the cheer";
  EXPECT_EQ(C->Portraits[1].PulseFrames, 20) << "a 20-frame flash";

  int frames = 0;
  while (C->GetChild() == nullptr && frames < 200) {
    EXPECT_EQ(Block().SelectedClass, 0u) << "kept only at the push";
    Step({frames % 2 ? InputRowLeft : InputRowCancel});  // nothing is read any more
    ++frames;
  }
  // The flash, 20 frames of waiting (the fade starts on the last), the
  // fade's other 16 frames, and the frame that finds it done.
  EXPECT_EQ(frames, 20 + 20 + 16 + 1);
  EXPECT_EQ(C->Cursor, 1);
  EXPECT_EQ(Block().SelectedClass, 1u);
  EXPECT_EQ(C->GetChild(), GetGameInputTitleStageSelect());
  EXPECT_EQ(C->GetPhase(), ScreenCovered);
  EXPECT_EQ(Fade()->FadeStep, -16);

  // Back from the dungeons: the same class, standing again.
  RunUntil([] { return GetGameInputTitleStageSelect()->GetPhase() == ScreenActive; });
  Step({InputRowCancel});
  RunUntil([&] { return C->GetPhase() == ScreenActive; });
  EXPECT_EQ(C->GetChild(), nullptr);
  EXPECT_EQ(C->Cursor, 1);
  EXPECT_TRUE(C->ClassSprites[1].IsEnabled());
  ExpectCard(1);
}

TEST_F(ClassSelect, CancelWinsOverSelectAndSelectOverADirection) {
  Open();
  Step({InputRowLeft, InputRowSelect});
  EXPECT_EQ(C->GetPhase(), Classes::PhaseChosen);
  EXPECT_EQ(C->Cursor, 0);

  Root()->SetChild(nullptr);
  Block().SelectedClass = 5;
  Open();
  Step({InputRowCancel, InputRowSelect});
  EXPECT_EQ(C->GetPhase(), ScreenClosing);
  RunUntil([&] { return C->GetPhase() == ScreenClosed; });
  EXPECT_EQ(Parent.ChildClosings, 1);
  EXPECT_EQ(Block().SelectedClass, 5u);
  EXPECT_EQ(Fade()->FadeValue, 255 - 16) << "the parent fades back in";
}

TEST_F(ClassSelect, TheCardsSpeakTheLanguageOfTheirOpening) {
  Block().Language = 1;
  Open();
  ExpectCard(0);
  EXPECT_STREQ(C->Header.GetText(), "CHARACTER SELECT");
}

}  // namespace
