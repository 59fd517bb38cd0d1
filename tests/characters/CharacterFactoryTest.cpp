#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/CGameMain.h"
#include "characters/CharacterFactory.h"
#include "platform/TextTable.h"

namespace {

bool HasClass(CharacterType t) {
  return (t >= 0 && t <= 8) || (t >= 256 && t <= 364) || t == 367 || (t >= 768 && t <= 771) ||
         (t >= 784 && t <= 786) || t == 4096 || t == 4097;
}

TEST(CharacterFactory, OnlyTypesWithAClassAreBuilt) {
  for (CharacterType t = -300; t <= 5000; ++t) {
    CCharacter* c = CreateCharacter(t);
    if (!HasClass(t)) {
      EXPECT_EQ(c, nullptr) << t;
    } else {
      ASSERT_NE(c, nullptr) << t;
      EXPECT_EQ(c->type, t);
      EXPECT_EQ(c->alive, 1);
    }
    delete c;
  }
  EXPECT_EQ(CreateCharacter(365), nullptr);
  EXPECT_EQ(CreateCharacter(366), nullptr);
  EXPECT_EQ(CreateCharacter(-2147483647 - 1), nullptr);
  EXPECT_EQ(CreateCharacter(2147483647), nullptr);
}

class TypeNames : public ::testing::Test {
protected:
  void TearDown() override { GetGameMain()->Settings.Block.Language = saved_; }
  std::string Name(CharacterType type, Language language) {
    GetGameMain()->Settings.Block.Language = language;
    char buffer[64] = "untouched";
    return GetCharacterTypeName(type, buffer);
  }
  std::uint32_t saved_ = GetGameMain()->Settings.Block.Language;
};

TEST_F(TypeNames, EveryNamedTypeInBothLanguages) {
  struct Row {
    CharacterType Type;
    TextId Text;
  };
  const Row rows[] = {
      {0, 776},   {8, 784},   {10, 785},  {80, 902},  {256, 786}, {363, 893}, {365, 895},
      {366, 896}, {367, 897}, {368, 903}, {369, 905}, {370, 908}, {372, 910}, {373, 912},
      {375, 914}, {376, 917}, {394, 935}, {395, 937}, {402, 944}, {403, 945}, {404, 946},
      {405, 947}, {768, 898}, {771, 901},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Name(r.Type, LanguageEnglish), GetText(LanguageEnglish, r.Text)) << r.Type;
    EXPECT_EQ(Name(r.Type, LanguageJapanese), GetText(LanguageJapanese, r.Text)) << r.Type;
  }
  EXPECT_EQ(Name(0, LanguageEnglish), "FIGHTER");
  EXPECT_EQ(Name(367, LanguageEnglish), "DOMA THE ALCHEMIST");
  EXPECT_EQ(Name(404, LanguageEnglish), "POISON");
  EXPECT_EQ(Name(771, LanguageEnglish), "CHEST");

  // Every type that has a name has one in both languages.
  for (CharacterType t = 0; t <= 4100; ++t) {
    const bool named = (t >= 0 && t <= 8) || t == 10 || t == 80 || (t >= 256 && t <= 405) || (t >= 768 && t <= 771);
    for (Language language : {LanguageEnglish, LanguageJapanese}) {
      const std::string name = Name(t, language);
      EXPECT_EQ(name != "untouched", named) << t;
      EXPECT_FALSE(name.empty()) << t;
    }
  }
  for (CharacterType t : {9, 784, 785, 786, 4096, 4097, 406, 772, -1}) EXPECT_EQ(Name(t, LanguageEnglish), "untouched");
}

TEST_F(TypeNames, NamesAreCutToTheBufferAtACharacterBoundary) {
  GetGameMain()->Settings.Block.Language = LanguageJapanese;
  const char* full = GetText(LanguageJapanese, 786);  // "SLIME" in kana: two bytes a character
  char small[6];
  GetCharacterTypeName(256, small);
  EXPECT_EQ(std::strlen(small), 4u);
  EXPECT_EQ(std::strncmp(small, full, 4), 0);

  GetGameMain()->Settings.Block.Language = LanguageEnglish;
  char tiny[4];
  CCharacter fighter;
  EXPECT_STREQ(fighter.GetName(tiny, sizeof tiny), "FIG");
  EXPECT_EQ(GetCharacterTypeName(0, nullptr, 10), nullptr);
}

}  // namespace
