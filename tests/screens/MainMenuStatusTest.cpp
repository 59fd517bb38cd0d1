// The status side of the in-dungeon menu: the player's numbers, the floor,
// play time and turns, the tutorial's greying, and texts that never run
// past their 256 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "screens/MainMenuTestSupport.h"

namespace {

using namespace menutest;
using Menu = CGameInputMainMenu;

std::vector<std::string> Lines(const char* text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class MainMenuStatus : public MenuFixture {
protected:
  std::vector<std::string> Info() {
    menu->RefreshStatusTexts();
    return Lines(menu->InfoPanel.GetText());
  }
  std::vector<std::string> Right() {
    menu->RefreshStatusTexts();
    return Lines(menu->StatusSecondColumn.GetText());
  }
};

TEST_F(MainMenuStatus, PlayTimeCountsThirtyFramesASecond) {
  const struct {
    std::uint32_t Frames;
    const char* Shown;
  } rows[] = {{0, "PLAY TIME 00:00"},
              {60 * 60 * 30 - 1, "PLAY TIME 00:59"},
              {60 * 60 * 30, "PLAY TIME 01:00"},
              {100u * 60 * 60 * 30 + 61 * 30 * 60, "PLAY TIME 101:01"}};
  game_->Settings.Block.TurnCount = 1234;
  for (const auto& r : rows) {
    game_->Settings.Block.PlayTime = r.Frames;
    const std::vector<std::string> info = Info();
    ASSERT_EQ(info.size(), 3u);
    EXPECT_EQ(info[1], r.Shown);
    EXPECT_EQ(info[2], "TURN 1234");
  }
}

TEST_F(MainMenuStatus, HungerRoundsUpToWholePercents) {
  const struct {
    int Satiety;
    const char* Shown;
  } rows[] = {{0, "HUNGER 0/100"}, {1, "HUNGER 1/100"}, {1000, "HUNGER 50/100"}, {2000, "HUNGER 100/100"}};
  for (const auto& r : rows) {
    player_->satiety = r.Satiety;
    const std::vector<std::string> right = Right();
    ASSERT_EQ(right.size(), 6u);
    EXPECT_EQ(right[0], "");  // EXP stands level with LV
    EXPECT_EQ(right[2], r.Shown);
  }
}

TEST_F(MainMenuStatus, StatsOfThePlayerFillBothColumns) {
  player_->level = 3;
  player_->SetExp(player_->GetExpAtLevelEnd(2) + 7);
  menu->RefreshStatusTexts();
  const std::vector<std::string> left = Lines(menu->StatusWindow.GetText());
  ASSERT_EQ(left.size(), 6u);
  char name[64];
  EXPECT_EQ(left[0], player_->GetName(name, sizeof name));
  EXPECT_EQ(left[1], "LV     3");
  EXPECT_EQ(left[2], "HP     " + std::to_string(player_->hp) + "/" + std::to_string(player_->GetMaxHP()));
  EXPECT_EQ(left[3], "STR    " + std::to_string(player_->GetStr()));
  EXPECT_EQ(Right()[1], "EXP    7/" + std::to_string(player_->GetExpForNextLevel(3)));
  EXPECT_EQ(Right()[5], "DEF    " + std::to_string(player_->GetDefense()));

  // The last level has nothing more to earn.
  player_->level = 99;
  player_->SetExp(player_->GetExpAtLevelEnd(98));
  EXPECT_EQ(Right()[1], "EXP    0/0");
}

TEST_F(MainMenuStatus, TheTutorialGreysItemAndCraftByLesson) {
  const struct {
    std::uint32_t Step;
    int Item, Craft, Info;
  } rows[] = {{0, 255, 255, 255}, {1, 128, 128, 128}, {2, 128, 255, 128}, {4, 128, 255, 128}};
  for (const auto& r : rows) {
    menu->TutorialStep = r.Step;
    menu->RefreshStatusTexts();
    EXPECT_EQ(menu->TopMenuRows[Menu::TopItem].GetRed(), r.Item) << r.Step;
    EXPECT_EQ(menu->TopMenuRows[Menu::TopCraft].GetRed(), r.Craft) << r.Step;
    EXPECT_EQ(menu->InfoPanel.GetRed(), r.Info) << r.Step;
  }
  // Another value changes no colour.
  menu->TutorialStep = 9;
  menu->RefreshStatusTexts();
  EXPECT_EQ(menu->TopMenuRows[Menu::TopCraft].GetRed(), 255);
  menu->TutorialStep = 0;
}

TEST_F(MainMenuStatus, CursorStandsOnItsRowAndTheCaptionsFollowTheLanguage) {
  for (int row = 0; row < Menu::TopEntryCount; ++row) {
    menu->TopCursor = row;
    menu->RefreshStatusTexts();
    EXPECT_EQ(menu->TopMenuCursor.Y, 32 * row - 12);
  }
  menu->RefreshStatusTexts();
  EXPECT_STREQ(menu->TopMenuRows[Menu::TopReturnToTitle].GetText(), "RETURN TO TITLE");
  game_->Settings.Block.Language = LanguageJapanese;
  menu->RefreshStatusTexts();
  EXPECT_STREQ(menu->TopMenuRows[Menu::TopItem].GetText(), GetText(LanguageJapanese, 745));
  EXPECT_STREQ(Info()[2].c_str(), (std::string(GetText(LanguageJapanese, 744)) + " 0").c_str());
}

TEST_F(MainMenuStatus, EachDrawShowsTheNumbersOfThatFrame) {
  OpenMenu();
  player_->hp = 77;
  game_->Settings.Block.PlayTime = 2 * 60 * 30 * 60;
  menu->DrawLayer(0);
  EXPECT_NE(std::string(menu->StatusWindow.GetText()).find("HP     77/"), std::string::npos);
  EXPECT_EQ(Lines(menu->InfoPanel.GetText())[1], "PLAY TIME 02:00");

  // The item page with the stairs and a potion underfoot draws too.
  ASSERT_TRUE(floor_->PutItemAt(3, 3, CreateItem(Healing)));
  floor_->terrain[CellIndex(3, 3)] = TerrainStairs;
  Give(Sword, 1, true);
  Press(InputRowSelect);
  ASSERT_EQ(menu->GetActivePage(), MenuPageItem);
  menu->DrawLayer(0);
  menu->DrawLayer(1);
  EXPECT_TRUE(menu->FootCellWidget.IsEnabled());
}

// A name that fills almost the whole line.
class LongNamedPlayer : public CCharacterPlayer {
public:
  char* GetName(char* buffer, std::size_t capacity) const override {
    std::string name = "A";
    while (name.size() + 2 < capacity && name.size() < 253) name += "\x82\xa0";
    const std::size_t n = std::min(name.size(), capacity - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return buffer;
  }
};

// Whole Shift-JIS characters from the start to the end: no lead byte alone.
bool EndsOnACharacter(const char* text) {
  const std::size_t n = std::strlen(text);
  std::size_t i = 0;
  while (i < n) i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  return i == n;
}

TEST_F(MainMenuStatus, ALineThatWouldOverflowIsCutAtACharacter) {
  auto* named = new LongNamedPlayer;
  Place(named, 5, 3);
  game_->Player = named;
  game_->Settings.Block.Language = LanguageJapanese;
  menu->RefreshStatusTexts();
  const char* text = menu->StatusWindow.GetText();
  EXPECT_LE(std::strlen(text), 255u);
  EXPECT_TRUE(EndsOnACharacter(text));
  EXPECT_EQ(std::string(text).substr(0, 3), "A\x82\xa0");
}

}  // namespace
