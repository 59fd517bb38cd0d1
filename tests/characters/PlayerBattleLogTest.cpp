// The player's battle-log lines: which text, which entry point, what is
// filled in, and lines that must be cut to fit.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "PlayerTestSupport.h"
#include "characters/CharacterFactory.h"
#include "characters/PlayerClasses.h"
#include "platform/TextTable.h"

namespace {

using playertest::PlayerFixture;
using playertest::StatItem;

using PlayerBattleLog = PlayerFixture;

// Each hook after a line already shown: an opening line replaces it, a
// consequence is appended under it.
TEST_F(PlayerBattleLog, EachHookWritesItsLine) {
  struct Case {
    std::function<void(CCharacterPlayer&)> Hook;
    bool Opens;
    const char* Line;
  };
  const Case cases[] = {
      {[](CCharacterPlayer& p) { p.OnAttack(); }, true, "YOU ATTACKED!"},
      {[](CCharacterPlayer& p) { p.OnShoot(); }, true, "YOU SHOT AN ARROW!"},
      {[](CCharacterPlayer& p) { p.OnDamaged(12); }, false, "YOU TOOK 12 DAMAGE!"},
      {[](CCharacterPlayer& p) { p.OnParry(); }, false, "FIGHTER PARRIED!"},
      {[](CCharacterPlayer& p) { p.OnCritical(); }, false, "CRITICAL!"},
      {[](CCharacterPlayer& p) { p.OnMiss(); }, false, "MISSED!"},
      {[](CCharacterPlayer& p) { p.OnDefeated(); }, false, "YOU WERE DEFEATED!"},
      {[](CCharacterPlayer& p) { p.OnGainExp(-3); }, false, "YOU GOT -3 EXP!"},
      {[](CCharacterPlayer& p) { p.OnLevelUp(); }, false, "LEVEL UP!"},
      {[](CCharacterPlayer& p) { p.OnAvoidTrap(0xC00); }, false, "YOU AVOIDED THE TRAP!"},
      {[](CCharacterPlayer& p) { p.OnResist(); }, false, "YOU RESISTED!"},
      {[](CCharacterPlayer& p) { p.OnResistDeath(); }, false, "YOU RESISTED!"},
      {[](CCharacterPlayer& p) { p.OnQuick(); }, false, "YOU SPED UP!"},
      {[](CCharacterPlayer& p) { p.OnSlow(); }, false, "YOU SLOWED DOWN!"},
      {[](CCharacterPlayer& p) { p.OnSleep(); }, false, "YOU SLEPT!"},
      {[](CCharacterPlayer& p) { p.OnConfuse(); }, false, "YOU'RE CONFUSED!"},
      {[](CCharacterPlayer& p) { p.OnPoison(); }, false, "YOU'RE POISONED!"},
      {[](CCharacterPlayer& p) { p.OnParalyze(); }, false, "YOU'RE PARALYZED!"},
      {[](CCharacterPlayer& p) { p.OnWeaken(); }, false, "YOU'RE WEAKENED!"},
      {[](CCharacterPlayer& p) { p.OnCure(); }, true, "YOU'RE CURED!"},
      {[](CCharacterPlayer& p) { p.OnEffectEnd(); }, true, "EFFECT ENDED!"},
  };
  CCharacterFighter p;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Line);
    Window()->ShowMessage("BEFORE");
    c.Hook(p);
    EXPECT_EQ(Rows(), c.Opens ? std::string(c.Line) + "|||" : std::string("BEFORE|") + c.Line + "||");
  }
}

// An attack that misses is one message of two lines.
TEST_F(PlayerBattleLog, AMissFollowsItsAttack) {
  CCharacterPlayer p;
  Window()->AddMessage("LAST TURN");
  p.OnAttack();
  p.OnMiss();
  EXPECT_EQ(Rows(), "YOU ATTACKED!|MISSED!||");
}

TEST_F(PlayerBattleLog, InJapaneseTheAttackNamesTheClass) {
  game_->Settings.Block.Language = LanguageJapanese;
  CCharacterNinja p;
  p.OnAttack();
  char name[64];
  GetCharacterTypeName(5, name);
  std::string expected = GetText(LanguageJapanese, 620);
  expected.replace(expected.find("%s"), 2, name);
  EXPECT_EQ(std::string(Window()->GetMessageRow(0)), expected);
}

TEST_F(PlayerBattleLog, AThrowNamesTheSelectedItem) {
  CCharacterPlayer p;
  CItem* sword = CreateItem(0x000);
  sword->SetRefinement(2);
  ASSERT_TRUE(p.AddItem(sword));
  p.SetSelectedItem(FirstBagSlot);
  char name[ItemTextSize];
  sword->GetDisplayName(name, sizeof name);
  ASSERT_NE(std::strstr(name, "+2"), nullptr);
  p.OnThrow();
  EXPECT_EQ(std::string(Window()->GetMessageRow(0)), std::string("YOU THREW ") + name + "!");
}

// A name too long for the 128-byte line is cut at a whole character, and
// nothing is written after the cut.
TEST_F(PlayerBattleLog, LongLinesAreCutAtAWholeCharacter) {
  struct LongName : StatItem {
    LongName() : StatItem(ItemCategoryWeapon) {}
    char* GetDisplayName(char* buffer, std::size_t size) const override {
      std::string kana;
      for (int i = 0; i < 100; ++i) kana += "\x82\xa0";  // a double-byte character
      std::snprintf(buffer, size, "X%s", kana.c_str());
      return buffer;
    }
  };
  CCharacterPlayer p;
  ASSERT_TRUE(p.Equip(new LongName));
  p.SetSelectedItem(WeaponSlot);
  p.OnThrow();
  const std::string line = Window()->GetMessageRow(0);
  EXPECT_LE(line.size(), 127u);
  EXPECT_EQ(line.rfind("YOU THREW X", 0), 0u);
  EXPECT_EQ((line.size() - std::strlen("YOU THREW X")) % 2, 0u);  // whole characters only
  EXPECT_EQ(line.back(), '\xa0');
}

}  // namespace
