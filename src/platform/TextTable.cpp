#include "platform/TextTable.h"

#include <iterator>

#include "app/CGameMain.h"

namespace {

struct TextEntry {
  const char* English;
  const char* Japanese;
  bool Literal;
};

// Made at build time from TextTableSource.inc (UTF-8) by tools/texttable.
constexpr TextEntry Texts[] = {
#include "platform/TextTableShiftJis.inc"
};
static_assert(std::size(Texts) == TextCount, "one entry per text id");

}  // namespace

const char* GetText(Language language, TextId id) {
  if (id < 0 || id >= TextCount) return "";
  const TextEntry& entry = Texts[id];
  return language == LanguageJapanese ? entry.Japanese : entry.English;
}

const char* GetCurrentLanguageText(TextId id) {
  return GetText(GetGameMain()->Settings.Block.Language, id);
}

bool IsLiteralText(TextId id) { return id >= 0 && id < TextCount && Texts[id].Literal; }
