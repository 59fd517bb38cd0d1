#include "items/ItemText.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/TextCopy.h"

ItemTextWriter::ItemTextWriter(char* buffer, std::size_t size) : Start(buffer), Size(buffer ? size : 0) {
  if (Size > 0) Start[0] = '\0';
}

void ItemTextWriter::Append(const char* text) {
  if (Cut || Size == 0 || !text) return;
  const std::size_t wanted = std::strlen(text);
  const std::size_t copied = CopyTextCut(Start + Length, Size - Length, text);
  Length += copied;
  if (copied < wanted) Cut = true;
}

void ItemTextWriter::AppendText(TextId id) { Append(GetCurrentLanguageText(id)); }

void ItemTextWriter::AppendFormat(TextId id, int first, int second) {
  const char* text = GetCurrentLanguageText(id);
  if (IsLiteralText(id) || !IsWholeNumberFormat(text)) {
    Append(text);
    return;
  }
  AppendFormatted(text, first, second);
}

void ItemTextWriter::AppendNumber(const char* format, int value) { AppendFormatted(format, value, 0); }

void ItemTextWriter::AppendFormatted(const char* format, int first, int second) {
  if (Cut || Size == 0) return;
  char local[512];
  const int n = std::snprintf(local, sizeof local, format, first, second);
  if (n < 0) return;
  if (static_cast<std::size_t>(n) < sizeof local) {
    Append(local);
    return;
  }
  // Longer than any text the table holds; formatted whole so that the cut
  // still falls on a character.
  std::string whole(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(whole.data(), whole.size(), format, first, second);
  Append(whole.c_str());
}

char* WriteItemText(TextId id, char* buffer, std::size_t size) {
  ItemTextWriter(buffer, size).AppendText(id);
  return buffer;
}

char* WriteFormattedItemText(TextId id, char* buffer, std::size_t size) {
  ItemTextWriter(buffer, size).AppendFormat(id);
  return buffer;
}

char* WriteFilledItemText(TextId id, const char* value, char* buffer, std::size_t size) {
  std::string line;
  bool filled = false;
  for (const char* p = GetCurrentLanguageText(id); *p;) {
    // A double-byte character is never a '%'.
    if (static_cast<unsigned char>(*p) >= 0x80 && p[1]) {
      line.append(p, 2);
      p += 2;
    } else if (p[0] == '%' && p[1] == '%') {
      line += '%';
      p += 2;
    } else if (p[0] == '%' && p[1] == 's' && !filled) {
      line += value ? value : "";
      filled = true;
      p += 2;
    } else {
      line += *p++;
    }
  }
  ItemTextWriter(buffer, size).Append(line.c_str());
  return buffer;
}

char* ClearItemText(char* buffer, std::size_t size) {
  if (buffer && size > 0) buffer[0] = '\0';
  return buffer;
}

bool IsWholeNumberFormat(const char* text) {
  if (!text) return false;
  int conversions = 0;
  for (const char* p = text; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p == '+' || *p == '-' || *p == ' ' || *p == '0' || *p == '#') ++p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p != 'd' && *p != 'i') return false;
    if (++conversions > 2) return false;
  }
  return true;
}
