// Turns the UTF-8 text list (src/platform/TextTableSource.inc) into the
// Shift-JIS (code page 932) table the game is built with. Fails the build on
// a missing or misplaced id and on any character that code page 932 cannot
// hold or give back unchanged.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

struct SourceText {
  int Id;
  const char* English;
  const char* Japanese;
  bool Literal;
};

#define TEXT(id, en, ja) {id, en, ja, false},
#define SAME(id, text) {id, text, text, false},
#define LITERAL(id, en, ja) {id, en, ja, true},
#define NONE(id) {id, "", "", false},
const SourceText Sources[] = {
#include "platform/TextTableSource.inc"
};
#undef TEXT
#undef SAME
#undef LITERAL
#undef NONE

constexpr int TextCount = 1429;

bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  std::string buffer(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = buffer.data();
  std::size_t dstLeft = buffer.size();
  const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1) || srcLeft != 0) return false;
  out.assign(buffer.data(), buffer.size() - dstLeft);
  return true;
}

// A C string literal: printable ASCII as it is, line breaks as \n, every
// other byte as a three-digit octal escape (which cannot swallow a digit
// that follows).
std::string Literal(const std::string& bytes) {
  std::string s = "\"";
  for (const unsigned char c : bytes) {
    if (c == '\n') {
      s += "\\n";
    } else if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      s += static_cast<char>(c);
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\%03o", c);
      s += esc;
    }
  }
  return s + "\"";
}

bool ToShiftJis(int id, const char* utf8, std::string& sjis) {
  std::string back;
  if (!Convert("CP932", "UTF-8", utf8, sjis) || !Convert("UTF-8", "CP932", sjis, back) ||
      back != utf8) {
    std::fprintf(stderr, "text %d does not survive code page 932: %s\n", id, utf8);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  const int count = static_cast<int>(sizeof Sources / sizeof Sources[0]);
  if (count != TextCount) {
    std::fprintf(stderr, "%d texts instead of %d\n", count, TextCount);
    return 1;
  }
  std::string table = "// Made by tools/texttable from TextTableSource.inc; do not edit.\n";
  for (int i = 0; i < count; ++i) {
    const SourceText& t = Sources[i];
    if (t.Id != i) {
      std::fprintf(stderr, "text %d stands where text %d belongs\n", t.Id, i);
      return 1;
    }
    std::string en, ja;
    if (!ToShiftJis(i, t.English, en) || !ToShiftJis(i, t.Japanese, ja)) return 1;
    table += "/* " + std::to_string(i) + " */ {" + Literal(en) + ", " + Literal(ja) + ", " +
             (t.Literal ? "true" : "false") + "},\n";
  }
  const std::string tmp = std::string(argv[1]) + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", tmp.c_str());
    return 1;
  }
  const bool written = std::fwrite(table.data(), 1, table.size(), f) == table.size();
  if (std::fclose(f) != 0 || !written || std::rename(tmp.c_str(), argv[1]) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    std::remove(tmp.c_str());
    return 1;
  }
  return 0;
}
