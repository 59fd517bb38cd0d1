// The question before equipping: the two panels, the two buttons, and one
// answer handed back to the asking screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/ItemUseTestSupport.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputEquip.h"
#include "ui/UiTestSupport.h"

namespace {

constexpr ItemId Sword = 0x000, OtherSword = 0x001;

class Asker : public CGameInput {
public:
  void Begin() override { Phase = ScreenActive; }
  void Update() override {
    if (Child) Child->Update();
  }
  void OnChildClosed() override {
    Answers.push_back(GetGameInputEquip()->GetResult());
    SetChild(nullptr);
  }
  std::vector<int> Answers;
};

Asker* TheAsker = nullptr;
CGameInput* Resolve(ScreenId id) { return id == 100 ? TheAsker : ScreenFromId(id); }

class EquipConfirm : public itemuse::UseFixture {
protected:
  void SetUp() override {
    UseFixture::SetUp();
    uitest::ClearInput();
    TheAsker = &asker;
    SetScreenResolver(&Resolve);
    ASSERT_TRUE(Root.ChangeChild(100));
  }
  void TearDown() override {
    SetScreenResolver(nullptr);
    GetGameInputEquip()->SetParent(nullptr);
    UseFixture::TearDown();
  }
  void Ask(int worn, int next) {
    CGameInputEquip* e = GetGameInputEquip();
    e->SetMode(worn, next);
    ASSERT_TRUE(asker.PushChild(22));
    ASSERT_EQ(e->GetPhase(), ScreenActive);
  }
  void Step(const std::vector<int>& rows = {}) {
    uitest::Frame(rows);
    Root.Update();
  }
  void Press(int row) {
    Step({row});
    Step();
  }
  static std::string Text(const CWidget& w) { return w.GetText(); }

  CGameInputController Root;
  Asker asker;
  CGameInputEquip* e = GetGameInputEquip();
};

TEST_F(EquipConfirm, ShowsNoneAboveANewItemAndHighlightsEquip) {
  CItem* sword = Give(Sword);
  Ask(CGameInputEquip::NoPlace, PlaceOf(sword));
  EXPECT_EQ(Text(e->Frame), "ARE YOU SURE?");
  EXPECT_EQ(Text(e->Names[0]), "NONE");
  EXPECT_EQ(Text(e->StatusTexts[0]), "------");
  char name[ItemTextSize];
  EXPECT_EQ(Text(e->Names[1]), sword->GetNameWithCount(name, sizeof name));
  EXPECT_EQ(Text(e->LeftButton), "EQUIP");
  EXPECT_EQ(Text(e->RightButton), "CANCEL");
  EXPECT_EQ(e->LeftButton.GetRed(), 255);
  EXPECT_EQ(e->RightButton.GetRed(), 128);
  EXPECT_EQ(e->GetResult(), 1);
}

TEST_F(EquipConfirm, TakingOffReadsUnequip) {
  CItem* sword = Give(Sword, 1, true);
  Ask(PlaceOf(sword), CGameInputEquip::NoPlace);
  EXPECT_EQ(Text(e->LeftButton), "UNEQUIP");
  EXPECT_EQ(Text(e->Names[1]), "NONE");
}

TEST_F(EquipConfirm, LeftAndRightFlipTheAnswerThatSelectGives) {
  uitest::SoundSpy sound;
  CItem* worn = Give(Sword, 1, true);
  CItem* next = Give(OtherSword);
  Ask(PlaceOf(worn), PlaceOf(next));
  Step({InputRowLeft});
  EXPECT_TRUE(sound.ChoiceSoundPlayed());
  EXPECT_EQ(e->GetResult(), 0);
  EXPECT_EQ(e->LeftButton.GetRed(), 128);
  EXPECT_EQ(e->RightButton.GetRed(), 255);
  Step();
  Press(InputRowRight);
  EXPECT_EQ(e->GetResult(), 1);
  Press(InputRowRight);
  Press(InputRowSelect);
  EXPECT_EQ(asker.Answers, std::vector<int>{0});
  EXPECT_EQ(e->GetPhase(), ScreenClosed);
  EXPECT_EQ(asker.GetChild(), nullptr);
}

TEST_F(EquipConfirm, CancelAnswersNoWhateverIsHighlighted) {
  CItem* sword = Give(Sword);
  Ask(CGameInputEquip::NoPlace, PlaceOf(sword));
  Press(InputRowCancel);
  EXPECT_EQ(asker.Answers, std::vector<int>{0});
}

// SELECT and CANCEL in one frame: one answer, handed back once.
TEST_F(EquipConfirm, AnswersOncePerFrame) {
  CItem* sword = Give(Sword);
  Ask(CGameInputEquip::NoPlace, PlaceOf(sword));
  Step({InputRowSelect, InputRowCancel});
  EXPECT_EQ(asker.Answers, std::vector<int>{0});
  Step();
  EXPECT_EQ(asker.Answers.size(), 1u);
}

}  // namespace
