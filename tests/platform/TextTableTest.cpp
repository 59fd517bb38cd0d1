#include <gtest/gtest.h>
#include <iconv.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "platform/TextTable.h"

namespace {

// The UTF-8 list the table is built from.
struct SourceText {
  int Id;
  const char* English;
  const char* Japanese;
};
#define TEXT(id, en, ja) {id, en, ja},
#define SAME(id, text) {id, text, text},
#define LITERAL(id, en, ja) {id, en, ja},
#define NONE(id) {id, "", ""},
const SourceText Sources[] = {
#include "platform/TextTableSource.inc"
};
#undef TEXT
#undef SAME
#undef LITERAL
#undef NONE

std::string Convert(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string buffer(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = buffer.data();
  std::size_t dstLeft = buffer.size();
  const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1) || srcLeft != 0) return "<not convertible>";
  return std::string(buffer.data(), buffer.size() - dstLeft);
}
std::string ToUtf8(const char* sjis) { return Convert("UTF-8", "CP932", sjis); }
std::string ToShiftJis(const char* utf8) { return Convert("CP932", "UTF-8", utf8); }

// The printf conversions of a text, in order, as printf would read them
// ("%%" included, a lone '%' at the end as "%").
std::vector<std::string> Conversions(const char* text) {
  std::vector<std::string> out;
  for (const char* p = text; *p; ++p) {
    if (*p != '%') continue;
    const char* start = p++;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
      ++p;
      while (*p >= '0' && *p <= '9') ++p;
    }
    while (*p && std::strchr("hlLqjzt", *p)) ++p;
    if (!*p) {
      out.emplace_back(start, p);
      break;
    }
    out.emplace_back(start, p + 1);
  }
  return out;
}

bool IsEmptyId(int id) {
  return (id >= 552 && id <= 559) || id == 1085 || id == 1090 || id == 1093 || id == 1189 ||
         (id >= 1292 && id <= 1294) || id == 1297;
}

class CurrentLanguage : public ::testing::Test {
protected:
  void TearDown() override { GetGameMain()->Settings.Block.Language = saved_; }
  std::uint32_t saved_ = GetGameMain()->Settings.Block.Language;
};

TEST(TextTable, PinnedTextsInBothLanguages) {
  struct Row {
    TextId Id;
    const char* English;
    const char* Japanese;
  };
  const Row rows[] = {
      {0, "STONE SHORTSWORD", "いしのけん"},
      {51, "KATANA OF SHINOBI＋", "しのびのかたな＋"},
      {144, "THE HIGHER SHT THE BOW  HAS, THE MORE DEF BONUS YOU GAIN.",
       "ゆみの しゃげきが たかいほど ぼうぎょが あがる。"},
      {287, "\nSEARCH ENEMIES ON FLOOR", "\nフロアの てきが わかる"},
      {560, "MISS!", "MISS!"},
      {604, "CLEAR!!", "CLEAR!!"},
      {614, "%sを ひろった", "%sを ひろった"},
      {616, "もちものが いっぱいで ひろえない", "もちものが いっぱいで ひろえない"},
      {618, "%sは のろわれていた！", "%sは のろわれていた！"},
      {621, "%s TOOK %d DAMAGE!", "%sに %dの ダメージ！"},
      {695, "！？", "！？"},
      {701, "REGENERATE", "%sは さいせいの ちからを えた！"},
      {705, "RESISTANCE", "%sは たいせいを えた！"},
      {730, "↑ THE ALCHEMIST DOMA'S LABORATORY\n← TREASURE WAREHOUSE\n→ EXIT",
       "↑ れんきんじゅつし ドーマの けんきゅうじょ\n← たからものこ\n→ でぐち"},
      {733, "LV     %d", "LV     %d"},
      {739, "HUNGER %d/%d", "HUNGER %d/%d"},
      {763, "   :", "   :"},
      {756, "%s%n", "%s%n"},
      {1105, "KILLED BY ", ""},
      {1106, ".", "にたおされた"},
      {1107, "Vorlumen\n%s\n%s %dF\nSCORE:%d\n", "Vorlumen\n%s\n%s %dかい\nスコア:%d\n"},
      {1165, "－－－－－", "－－－－－"},
      {1172, "？？？？？？", "？？？？？？"},
      {1181,
       "PROPHET\n HP －　　　　\nSTR ★★★★★\nDEX ★★★★★\nINT ★★★★★\n"
       "------------------------------\nTELEPATHY\n100% HIT",
       "よげんしゃ\n HP －　　　　\nSTR ★★★★★\nDEX ★★★★★\nINT ★★★★★\n"
       "------------------------------\nテレパシー\n100% めいちゅう"},
      {1213, "JAPANESE", "JAPANESE"},
      {1298, "VorlumenLevel1Fighter", "VorlumenLevel1Fighter"},
      {1333, "VorlumenLevel9Witch", "VorlumenLevel9Witch"},
      {1337, "VorlumenLiteLevel1Witch", "VorlumenLiteLevel1Witch"},
      {1346, "VorlumenAchievementLevel9Fighter", "VorlumenAchievementLevel9Fighter"},
      {1377, "VorlumenLiteAchievementLevel1Witch", "VorlumenLiteAchievementLevel1Witch"},
      {1425, "SELECT TARGET ITEM!!", "アイテムを えらんでください！！"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ToUtf8(GetText(LanguageEnglish, r.Id)), r.English) << r.Id;
    EXPECT_EQ(ToUtf8(GetText(LanguageJapanese, r.Id)), r.Japanese) << r.Id;
  }
  // The bytes themselves, as the glyph decoder reads them.
  EXPECT_STREQ(GetText(LanguageJapanese, 0), "\x82\xa2\x82\xb5\x82\xcc\x82\xaf\x82\xf1");
  EXPECT_STREQ(GetText(LanguageEnglish, 53), "KUNAI\x81\x7b");
  EXPECT_STREQ(GetText(LanguageEnglish, 1166), "\x81\x9a");
  EXPECT_STREQ(GetText(LanguageEnglish, 614), "%s\x82\xf0 \x82\xd0\x82\xeb\x82\xc1\x82\xbd");
}

TEST(TextTable, EveryLanguageButJapaneseReadsEnglish) {
  for (const Language language : {0u, 2u, 7u, 0xFFFFFFFFu}) {
    EXPECT_STREQ(GetText(language, 0), "STONE SHORTSWORD") << language;
    EXPECT_STREQ(GetText(language, 1105), "KILLED BY ") << language;
  }
}

TEST(TextTable, IdsWithoutTextGiveTheEmptyText) {
  std::vector<TextId> ids = {-1, TextCount, INT_MIN, INT_MAX, 1085, 1090, 1093, 1189, 1297};
  for (TextId id = 552; id <= 559; ++id) ids.push_back(id);
  for (TextId id = 1292; id <= 1294; ++id) ids.push_back(id);
  for (const TextId id : ids) {
    for (const Language language : {LanguageEnglish, LanguageJapanese}) {
      const char* text = GetText(language, id);
      ASSERT_NE(text, nullptr) << id;
      EXPECT_STREQ(text, "") << id;
    }
    EXPECT_FALSE(IsLiteralText(id)) << id;
  }
}

TEST(TextTable, CountsOfIdsWithText) {
  int english = 0, japanese = 0, same = 0;
  for (TextId id = 0; id < TextCount; ++id) {
    const char* en = GetText(LanguageEnglish, id);
    const char* ja = GetText(LanguageJapanese, id);
    EXPECT_EQ(*en == '\0', IsEmptyId(id)) << id;
    // Only the cause-of-death prefix is empty in Japanese alone.
    EXPECT_EQ(*ja == '\0', IsEmptyId(id) || id == 1105) << id;
    english += *en != '\0';
    japanese += *ja != '\0';
    same += *en != '\0' && std::strcmp(en, ja) == 0;
  }
  EXPECT_EQ(english, 1413);
  EXPECT_EQ(japanese, 1412);
  EXPECT_EQ(same, 276);
}

TEST(TextTable, CaptionsKeysAndTitleWordsAreSharedByBothLanguages) {
  const std::pair<TextId, TextId> ranges[] = {
      {560, 604}, {614, 618}, {695, 695}, {1195, 1291}, {1298, 1377},
      // The dungeon selection's header, level words and difficulty marks.
      {1113, 1113}, {1156, 1163}, {1165, 1172}};
  for (const auto& [first, last] : ranges) {
    for (TextId id = first; id <= last; ++id) {
      EXPECT_STREQ(GetText(LanguageJapanese, id), GetText(LanguageEnglish, id)) << id;
    }
  }
}

// Every text that names a dungeon in Japanese calls it by the same name:
// the bare names, the level-and-name captions and the difficulty panels.
TEST(TextTable, DungeonsGoByOneJapaneseName) {
  const char* names[] = {"チュートリアル", "まよいのもり", "きりにつつまれたみずうみ", "こおれるさんみゃく",
                         "さばくのかざんちたい", "しられざるひきょう", "れんきんじゅつしのやかた", "ムゲンかいろう"};
  for (int d = 0; d < 8; ++d) {
    EXPECT_EQ(ToUtf8(GetText(LanguageJapanese, 1143 + d)), names[d]) << d;
    EXPECT_NE(ToUtf8(GetText(LanguageJapanese, 1126 + d)).find(std::string("\n") + names[d]), std::string::npos) << d;
    if (d == 7) continue;  // LEVEL X has no panel text of its own
    EXPECT_NE(ToUtf8(GetText(LanguageJapanese, 1135 + d)).find(std::string("\n") + names[d] + "\n"), std::string::npos)
        << d;
  }
}

// A Japanese text whose conversions differ from its English twin would make a
// formatted print read the wrong argument.
TEST(TextTable, JapaneseConversionsMatchTheEnglish) {
  for (TextId id = 0; id < TextCount; ++id) {
    if (IsLiteralText(id)) continue;  // never formatted
    std::vector<std::string> expected = Conversions(GetText(LanguageEnglish, id));
    // The character's, the button's or the key's name leads these in Japanese only.
    if (id == 701 || id == 705 || id == 724 || id == 1428) expected.insert(expected.begin(), "%s");
    EXPECT_EQ(Conversions(GetText(LanguageJapanese, id)), expected) << id;
  }
}

TEST(TextTable, EveryTextButTheLiteralOnesIsASafeFormat) {
  std::vector<TextId> literal;
  for (TextId id = 0; id < TextCount; ++id) {
    if (IsLiteralText(id)) {
      literal.push_back(id);
      continue;
    }
    for (const Language language : {LanguageEnglish, LanguageJapanese}) {
      for (const std::string& c : Conversions(GetText(language, id))) {
        EXPECT_TRUE(c == "%s" || c == "%d" || c == "%+d" || c == "%%")
            << id << " language " << language << ": " << c;
      }
    }
  }
  const std::vector<TextId> expected = {756, 1173, 1174, 1175, 1176, 1177, 1178, 1179, 1180, 1181};
  EXPECT_EQ(literal, expected);
}

TEST(TextTable, TextsRoundTripBetweenUtf8AndShiftJis) {
  ASSERT_EQ(std::size(Sources), static_cast<std::size_t>(TextCount));
  for (TextId id = 0; id < TextCount; ++id) {
    const SourceText& s = Sources[id];
    ASSERT_EQ(s.Id, id);
    EXPECT_EQ(ToShiftJis(s.English), GetText(LanguageEnglish, id)) << id;
    EXPECT_EQ(ToShiftJis(s.Japanese), GetText(LanguageJapanese, id)) << id;
    EXPECT_EQ(ToUtf8(GetText(LanguageEnglish, id)), s.English) << id;
    EXPECT_EQ(ToUtf8(GetText(LanguageJapanese, id)), s.Japanese) << id;
  }
}

// What the font atlas must hold: double-byte characters by lead byte, every
// one a pair the glyph decoder addresses; no half-width kana and no control
// byte but the line break; and no text longer than the drawer's 1023 bytes.
TEST(TextTable, CharactersStayInsideWhatTheFontAtlasHolds) {
  std::set<int> japaneseLeads, englishLeads;
  for (TextId id = 0; id < TextCount; ++id) {
    for (const Language language : {LanguageEnglish, LanguageJapanese}) {
      const auto* p = reinterpret_cast<const unsigned char*>(GetText(language, id));
      EXPECT_LT(std::strlen(reinterpret_cast<const char*>(p)), 1024u) << id;
      for (; *p; ++p) {
        if (*p < 0x80) {
          EXPECT_TRUE(*p == '\n' || (*p >= 0x20 && *p < 0x7F)) << id << " byte " << int(*p);
          continue;
        }
        const int lead = *p++;
        EXPECT_TRUE((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))
            << id << " lead " << lead;
        EXPECT_TRUE(*p >= 0x40 && *p <= 0xFC && *p != 0x7F) << id << " trail " << int(*p);
        // No kanji: their atlas cells would overwrite other fonts' kana.
        EXPECT_LT(lead, 0x88) << id;
        (language == LanguageJapanese ? japaneseLeads : englishLeads).insert(lead);
        if (!*p) break;
      }
    }
  }
  EXPECT_EQ(japaneseLeads, (std::set<int>{0x81, 0x82, 0x83}));
  EXPECT_EQ(englishLeads, (std::set<int>{0x81, 0x82}));
}

TEST_F(CurrentLanguage, FollowsTheLiveSetting) {
  CGameMain* game = GetGameMain();
  game->Settings.Block.Language = 1;
  EXPECT_STREQ(GetCurrentLanguageText(1106), GetText(LanguageJapanese, 1106));
  game->Settings.Block.Language = 0;
  EXPECT_STREQ(GetCurrentLanguageText(1106), ".");
  game->Settings.Block.Language = 5;
  EXPECT_STREQ(GetCurrentLanguageText(0), "STONE SHORTSWORD");
  EXPECT_STREQ(GetCurrentLanguageText(TextCount), "");
}

}  // namespace
