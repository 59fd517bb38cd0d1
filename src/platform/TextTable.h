#pragma once
#include <cstdint>

// Every word the game shows comes from one table, by id and language. The
// texts are Shift-JIS bytes in static storage, exactly as the glyph decoder
// reads them.

using TextId = std::int32_t;     // 0-1428
using Language = std::uint32_t;  // 0 English, 1 Japanese; any other value reads English

constexpr TextId TextCount = 1429;
constexpr Language LanguageEnglish = 0;
constexpr Language LanguageJapanese = 1;

// The text of an id; never null. Ids outside the table, and the ids that have
// no text, give the empty text. Constant time, no allocation.
const char* GetText(Language language, TextId id);

// The text in the language of the live settings.
const char* GetCurrentLanguageText(TextId id);

// True for the texts that must be drawn as they stand and never handed to
// printf as a format ("%s%n" and the class cards with a lone '%'): as a
// format they would write through or read arguments nobody passed.
bool IsLiteralText(TextId id);
