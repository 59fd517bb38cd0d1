#include <gtest/gtest.h>

#include <string>

#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

class EnchantTexts : public ItemFixture {};

// The detail text of fused pieces: one "ENCHANT" heading per slot (numbered
// when there are two) and the stone's line of the piece's family.
TEST_F(EnchantTexts, FusedPiecesShowTheirStonesInBothLanguages) {
  struct Case {
    Fused Piece;
    std::uint32_t Language;
    std::string Status;
  };
  const Case cases[] = {
      {{0x01C, 0, {0xA0A, 0xA10}},
       0,
       "ATK +14, DEF -5\nENCHANT1\nATK +5.\nENCHANT2\nTHE HIGHER ATK THE WEAPON HAS, THE MORE DEF BONUS YOU GAIN.\n"},
      {{0x01C, 0, {0xA0A, 0xA10}},
       1,
       "こうげき +14、ぼうぎょ -5\nきょうか1\nこうげき +5。\nきょうか2\nぶきの こうげきが たかいほど ぼうぎょが あがる。\n"},
      {{0x0A0, 0, {NoItem, 0xA08}}, 0, "ATK +5, 3RANGE MAGIC SHOT, 20% SLEEP\nENCHANT1\n----\nENCHANT2\n30% SLEEP.\n"},
      {{0x10C, 0, {0xA15}}, 0, "SHT +2, 90% NOT BREAK CHANCE.\nENCHANT\n75% NOT BREAK CHANCE.\n"},
      {{0x10C, 0, {0xA15}}, 1, "しゃげき +2、90% こわれにくい。\nきょうか\n75% こわれにくい。\n"},
      {{0x108, 0, {0xA10}}, 0, "SHT +13, DEF -5\nENCHANT\nTHE HIGHER SHT THE BOW  HAS, THE MORE DEF BONUS YOU GAIN.\n"},
      {{0x304, 1, {0xA10}}, 0, "DEF +10\nENCHANT\nATK AND SHT INCREASED BY HALF THE VALUE OF DEF.\n"},
      {{0x304, 1, {0xA10}}, 1, "ぼうぎょ +10\nきょうか\nこのぼうぐの ぼうぎょが たかいほど こうげきにボーナス\n"},
      // The dragon stone's line names the fire cut it gives.
      {{0x3D1, 0, {0xA16}}, 0, "DEF +6, EVASION +35%\nENCHANT\n75% PREVENT FIRE DAMAGE.\n"},
      {{0x3D1, 0, {0xA16}}, 1, "ぼうぎょ +6、かいひ +35%\nきょうか\n75% ほのおの ダメージを ふせぐ。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.Piece) + " language " + std::to_string(c.Language));
    SetLanguage(c.Language);
    ItemPtr piece = Make(c.Piece);
    char status[ItemTextSize];
    EXPECT_EQ(ToUtf8(piece->GetStatusText(status, sizeof status)), c.Status);
  }
}

// The getters decide what a stone does; the dragon stone's line above says
// the cut it gives.
TEST_F(EnchantTexts, TheGettersDecideWhereALineSaysOtherwise) {
  EXPECT_EQ(Make({0x3D1, 0, {0xA16}})->GetFireDamageCut(), 75);
  // The philosopher's stone on a protector: attack and shot gain half the
  // defence, rounded up, and the defence stays.
  ItemPtr armour = Make({0x304, 1, {0xA10}});
  EXPECT_EQ(armour->GetDefence(), 10);
  EXPECT_EQ(armour->GetAttack() - 10, 5);
  EXPECT_EQ(armour->GetShotPower() - 10, 5);
}

}  // namespace
