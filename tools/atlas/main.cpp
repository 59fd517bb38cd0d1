// font_atlas: draws the game's font atlas (resource 198, 1024 x 1024) from
// Debian bitmap fonts, every glyph at exactly the cell the glyph decoder
// addresses for each of the twelve fonts.
//
// The fonts' cells overlap in places and some double-byte rows run past the
// atlas. Every cell where two different glyphs would meet is reported; the
// run fails when that happens between characters the texts use, since one
// of them would then show the other's pixels.
//
// usage: font_atlas --out atlas.png [--report report.txt] [--fonts DIR]
//                   [--misaki DIR] [--text-file FILE]...
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/CDrawString.h"
#include "platform/FontSet.h"
#include "platform/PictureTable.h"

#include "platform/TextTable.h"

namespace {

constexpr int AtlasSize = 1024;
constexpr std::uint32_t Ink = 0xFFFFFFFFu;
constexpr std::uint32_t Outline = 0xFF000000u;

// ---------------------------------------------------------------- sources

struct Face {
  FT_Face Handle = nullptr;
  bool Jis = false;  // indexed by JIS X 0208 row/cell instead of Unicode
  int Ascent = 0;
  int Height = 0;
  std::string Name;
};

struct Glyph {
  int Width = 0, Height = 0;
  int Left = 0, Top = 0;  // bitmap offset from the pen, top above the baseline
  std::vector<std::uint8_t> Bits;
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height && Bits[y * Width + x]; }
};

class FontLibrary {
public:
  FontLibrary() { Ok = FT_Init_FreeType(&Library) == 0; }
  ~FontLibrary() {
    for (auto& f : Faces)
      if (f.second) FT_Done_Face(f.second->Handle);
    if (Ok) FT_Done_FreeType(Library);
  }
  // A bitmap font (its only strike) or a scalable one at pixelSize. A font
  // that cannot be read is said once and not tried again.
  Face* Open(const std::string& path, int pixelSize) {
    auto found = Faces.find(path);
    if (found != Faces.end()) return found->second.get();
    auto face = std::make_unique<Face>();
    face->Name = path.substr(path.find_last_of('/') + 1);
    if (!Ok || FT_New_Face(Library, path.c_str(), 0, &face->Handle) != 0) {
      std::fprintf(stderr, "font_atlas: cannot read %s\n", path.c_str());
      Faces[path] = nullptr;
      return nullptr;
    }
    FT_Face h = face->Handle;
    if (h->num_fixed_sizes > 0 && !FT_IS_SCALABLE(h))
      FT_Select_Size(h, 0);
    else
      FT_Set_Pixel_Sizes(h, 0, static_cast<FT_UInt>(pixelSize));
    if (FT_Select_Charmap(h, FT_ENCODING_UNICODE) != 0) {
      // JIS-indexed PCF: its native map takes row << 8 | cell.
      face->Jis = true;
      if (h->num_charmaps > 0) FT_Set_Charmap(h, h->charmaps[0]);
    }
    face->Ascent = static_cast<int>(h->size->metrics.ascender >> 6);
    face->Height = static_cast<int>((h->size->metrics.ascender - h->size->metrics.descender) >> 6);
    Face* raw = face.get();
    Faces[path] = std::move(face);
    return raw;
  }

  static bool Render(Face& face, std::uint32_t code, Glyph& out) {
    FT_UInt index = FT_Get_Char_Index(face.Handle, code);
    if (index == 0) return false;
    if (FT_Load_Glyph(face.Handle, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
      return false;
    const FT_GlyphSlot slot = face.Handle->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    out.Width = static_cast<int>(bm.width);
    out.Height = static_cast<int>(bm.rows);
    out.Left = slot->bitmap_left;
    out.Top = slot->bitmap_top;
    out.Bits.assign(static_cast<std::size_t>(out.Width) * out.Height, 0);
    for (int y = 0; y < out.Height; ++y) {
      const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
      for (int x = 0; x < out.Width; ++x) {
        const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
        out.Bits[y * out.Width + x] = on ? 1 : 0;
      }
    }
    return true;
  }

private:
  FT_Library Library = nullptr;
  bool Ok = false;
  std::map<std::string, std::unique_ptr<Face>> Faces;
};

// Shift-JIS character -> Unicode (code page 932) and -> JIS X 0208.
class Sjis {
public:
  Sjis() : Cd(iconv_open("UTF-32LE", "CP932")) {}
  ~Sjis() {
    if (Cd != reinterpret_cast<iconv_t>(-1)) iconv_close(Cd);
  }
  std::uint32_t ToUnicode(std::uint32_t code) {
    if (code < 0x80) return code;
    if (Cd == reinterpret_cast<iconv_t>(-1)) return 0;
    char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    char out[8] = {};
    char* pin = in;
    char* pout = out;
    std::size_t inLeft = 2, outLeft = sizeof out;
    iconv(Cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(Cd, &pin, &inLeft, &pout, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 4) return 0;
    std::uint32_t u;
    std::memcpy(&u, out, 4);
    return u;
  }
  static std::uint32_t ToJis(std::uint32_t code) {
    int c1 = static_cast<int>(code >> 8), c2 = static_cast<int>(code & 0xFF);
    if (c1 >= 0xE0) c1 -= 0x40;
    c1 = (c1 - 0x81) * 2 + 0x21;
    if (c2 >= 0x9F) {
      c1 += 1;
      c2 -= 0x7E;
    } else {
      c2 -= c2 >= 0x80 ? 0x20 : 0x1F;
    }
    return static_cast<std::uint32_t>(c1 << 8 | c2);
  }

private:
  iconv_t Cd;
};

// ---------------------------------------------------------------- plans

// How one font's glyphs of one kind are drawn into their cells.
struct Plan {
  std::vector<std::pair<std::string, int>> Sources;  // file, pixel size (scalable fonts)
  bool FullWidthForms = false;  // ASCII drawn from the full-width forms U+FF01..
  bool Outlined = false;        // a dark rim around the ink (font 11)
  int ShiftY = 0;               // moves the baseline down
};

struct FontPlan {
  Plan Half, Full;
  // False where the double-byte cells cannot hold the texts: fonts 8 and 9
  // cut fonts 4's and 5's pictures at another pitch, and the rows of fonts
  // 10 and 11 lie below the atlas.
  bool HasFull = true;
};

std::vector<FontPlan> MakePlans(const std::string& x11, const std::string& misaki) {
  auto pcf = [&](const char* name) { return std::pair<std::string, int>(x11 + "/" + name, 0); };
  auto ttf = [&](const char* name) { return std::pair<std::string, int>(misaki + "/" + name, 8); };
  const auto misakiFull = ttf("misaki_gothic.ttf");
  const auto misakiHalf = ttf("misaki_gothic_2nd.ttf");
  std::vector<FontPlan> plans(12);
  // 8-pixel fonts: misaki. Font 1's wide single-byte cells take the
  // full-width forms, narrowed to the cell.
  plans[0].Half.Sources = {misakiHalf, misakiFull};
  plans[0].Full.Sources = {misakiFull};
  plans[1].Half.Sources = {misakiFull};
  plans[1].Half.FullWidthForms = true;
  plans[1].Full = plans[0].Full;
  plans[2].Half = plans[0].Half;
  plans[2].Full.Sources = {misakiFull};
  // 10-pixel cells.
  plans[3].Half.Sources = {misakiHalf};
  plans[3].Half.ShiftY = 1;
  plans[3].Full.Sources = {pcf("f10.pcf.gz"), pcf("b10.pcf.gz")};
  // 13-pixel cells: efont 10 (narrow advances) and shinonome 12.
  plans[4].Half.Sources = {pcf("b10.pcf.gz")};
  plans[4].Half.ShiftY = 1;
  plans[4].Full.Sources = {pcf("f10.pcf.gz"), pcf("b10.pcf.gz")};
  plans[4].Full.ShiftY = 1;
  plans[5].Half.Sources = {pcf("shnm6x12a.pcf.gz"), pcf("b12.pcf.gz")};
  plans[5].Full.Sources = {pcf("shnmk12.pcf.gz"), pcf("f12.pcf.gz")};
  // 15-pixel cells: efont 12 and shinonome 14.
  plans[6].Half.Sources = {pcf("b12.pcf.gz")};
  plans[6].Half.ShiftY = 1;
  plans[6].Full.Sources = {pcf("f12.pcf.gz"), pcf("b12.pcf.gz")};
  plans[6].Full.ShiftY = 1;
  plans[7].Half.Sources = {pcf("shnm7x14a.pcf.gz"), pcf("b14.pcf.gz")};
  plans[7].Full.Sources = {pcf("shnmk14.pcf.gz"), pcf("f14.pcf.gz")};
  // Wide single-byte captions: full-width forms of efont 10.
  plans[8].Half.Sources = {pcf("b10.pcf.gz")};
  plans[8].Half.FullWidthForms = true;
  plans[8].HasFull = false;
  plans[9].Half.Sources = {pcf("b10.pcf.gz")};
  plans[9].Half.FullWidthForms = true;
  plans[9].HasFull = false;
  // Proportional fonts: trimmed to their ink, so any width will do.
  plans[10].Half.Sources = {pcf("b10.pcf.gz")};
  plans[10].HasFull = false;
  plans[11].Half.Sources = {pcf("b10.pcf.gz")};
  plans[11].Half.Outlined = true;
  plans[11].HasFull = false;
  return plans;
}

// ---------------------------------------------------------------- cells

struct Cell {
  int Font = 0;
  bool Full = false;
  std::uint32_t Code = 0;  // 0x20-0x7F, or lead << 8 | trail
  int X = 0, Y = 0, W = 0, H = 0;  // in the atlas, before wrapping
  bool Used = false;               // a character the texts use
  std::vector<std::uint32_t> Pixels;  // W x H
  bool OffAtlas = false;
};

std::string Describe(const Cell& c) {
  char text[96];
  if (c.Full)
    std::snprintf(text, sizeof text, "font %d 0x%04X at (%d,%d) %dx%d", c.Font, c.Code, c.X, c.Y, c.W, c.H);
  else
    std::snprintf(text, sizeof text, "font %d '%c' at (%d,%d) %dx%d", c.Font, static_cast<char>(c.Code), c.X, c.Y,
                  c.W, c.H);
  return text;
}

// Narrows a too-wide glyph to `width` columns: first trims empty columns,
// then merges the most alike neighbouring columns.
void FitColumns(std::vector<std::vector<std::uint8_t>>& columns, int width) {
  auto empty = [](const std::vector<std::uint8_t>& c) { return std::none_of(c.begin(), c.end(), [](auto v) { return v; }); };
  while (static_cast<int>(columns.size()) > width && !columns.empty() && empty(columns.back())) columns.pop_back();
  while (static_cast<int>(columns.size()) > width && !columns.empty() && empty(columns.front()))
    columns.erase(columns.begin());
  while (static_cast<int>(columns.size()) > width && columns.size() >= 2) {
    std::size_t best = 0;
    int bestSame = -1;
    for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
      int same = 0;
      for (std::size_t r = 0; r < columns[i].size(); ++r) same += columns[i][r] == columns[i + 1][r];
      if (same > bestSame) {
        bestSame = same;
        best = i;
      }
    }
    for (std::size_t r = 0; r < columns[best].size(); ++r) columns[best][r] |= columns[best + 1][r];
    columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(best) + 1);
  }
}

// Draws one character into a cell's pixels; false when no source has it.
bool DrawCell(FontLibrary& fonts, Sjis& sjis, const Plan& plan, Cell& cell) {
  cell.Pixels.assign(static_cast<std::size_t>(cell.W) * cell.H, 0);
  if (!cell.Full && cell.Code == 0x20) return true;
  for (const auto& source : plan.Sources) {
    Face* face = fonts.Open(source.first, source.second);
    if (!face) continue;
    std::uint32_t code = cell.Code;
    if (cell.Full)
      code = face->Jis ? Sjis::ToJis(cell.Code) : sjis.ToUnicode(cell.Code);
    else if (plan.FullWidthForms && cell.Code > 0x20 && cell.Code < 0x7F)
      code = face->Jis ? 0 : 0xFF00 + (cell.Code - 0x20);
    if (code == 0) continue;
    Glyph g;
    if (!FontLibrary::Render(*face, code, g)) continue;

    // The glyph on a canvas as tall as the cell, baseline centred.
    const int rim = plan.Outlined ? 1 : 0;
    const int top = std::max(0, (cell.H - face->Height) / 2) + plan.ShiftY + face->Ascent - g.Top;
    const int canvasW = std::max(g.Left, 0) + g.Width + 2 * rim;
    std::vector<std::vector<std::uint8_t>> columns(static_cast<std::size_t>(canvasW),
                                                   std::vector<std::uint8_t>(static_cast<std::size_t>(cell.H), 0));
    for (int y = 0; y < g.Height; ++y)
      for (int x = 0; x < g.Width; ++x) {
        const int cx = std::max(g.Left, 0) + x + rim, cy = top + y;
        if (g.At(x, y) && cy >= 0 && cy < cell.H) columns[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)] = 2;
      }
    if (plan.Outlined) {
      for (int x = 0; x < canvasW; ++x)
        for (int y = 0; y < cell.H; ++y) {
          if (columns[x][y] != 2) continue;
          for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
              const int nx = x + dx, ny = y + dy;
              if (nx >= 0 && ny >= 0 && nx < canvasW && ny < cell.H && columns[nx][ny] == 0) columns[nx][ny] = 1;
            }
        }
    }
    FitColumns(columns, cell.W);
    for (int x = 0; x < static_cast<int>(columns.size()) && x < cell.W; ++x)
      for (int y = 0; y < cell.H; ++y)
        if (columns[x][y]) cell.Pixels[static_cast<std::size_t>(y) * cell.W + x] = columns[x][y] == 2 ? Ink : Outline;
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- the texts

bool IsLead(unsigned c) { return (c >= 0x80 && c <= 0x9F) || c >= 0xE0; }

void CollectCharacters(const std::string& bytes, std::set<std::uint32_t>& used) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned c = static_cast<unsigned char>(bytes[i]);
    if (IsLead(c) && i + 1 < bytes.size() && bytes[i + 1] != '\0') {
      used.insert(c << 8 | static_cast<unsigned char>(bytes[i + 1]));
      ++i;
    }
  }
}

bool WritePng(const std::string& path, const std::vector<std::uint32_t>& argb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, AtlasSize, AtlasSize, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(AtlasSize * 4);
  for (int y = 0; y < AtlasSize; ++y) {
    for (int x = 0; x < AtlasSize; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y) * AtlasSize + x];
      row[x * 4 + 0] = static_cast<png_byte>(p >> 16);
      row[x * 4 + 1] = static_cast<png_byte>(p >> 8);
      row[x * 4 + 2] = static_cast<png_byte>(p);
      row[x * 4 + 3] = static_cast<png_byte>(p >> 24);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

int Wrap(int v) { return ((v % AtlasSize) + AtlasSize) % AtlasSize; }

}  // namespace

int main(int argc, char** argv) {
  std::string out, reportPath, x11 = "/usr/share/fonts/X11/misc", misaki = "/usr/share/fonts/truetype/misaki";
  std::vector<std::string> textFiles;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--out" && hasValue) out = argv[++i];
    else if (arg == "--report" && hasValue) reportPath = argv[++i];
    else if (arg == "--fonts" && hasValue) x11 = argv[++i];
    else if (arg == "--misaki" && hasValue) misaki = argv[++i];
    else if (arg == "--text-file" && hasValue) textFiles.push_back(argv[++i]);
    else {
      std::fprintf(stderr, "usage: font_atlas --out FILE.png [--report FILE] [--fonts DIR] [--misaki DIR] [--text-file FILE]...\n");
      return 2;
    }
  }
  if (out.empty()) {
    std::fprintf(stderr, "font_atlas: --out is required\n");
    return 2;
  }

  Sjis sjis;
  std::set<std::uint32_t> used;
  for (TextId id = 0; id < TextCount; ++id)
    for (Language language : {LanguageEnglish, LanguageJapanese}) CollectCharacters(GetText(language, id), used);
  for (const std::string& path : textFiles) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "font_atlas: cannot read %s\n", path.c_str());
      return 1;
    }
    std::stringstream s;
    s << in.rdbuf();
    CollectCharacters(s.str(), used);
  }

  // Every character the decoder can address and some font can draw:
  // what the texts use first, then the rest for the report.
  std::vector<std::uint32_t> others;
  for (std::uint32_t lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLead(lead)) continue;
    for (std::uint32_t trail = 0x40; trail <= 0xFC; ++trail) {
      const std::uint32_t code = lead << 8 | trail;
      if (trail != 0x7F && !used.count(code) && sjis.ToUnicode(code) != 0) others.push_back(code);
    }
  }

  CDrawString decoder[12];
  ApplyFontSet(decoder, false);
  const std::vector<FontPlan> plans = MakePlans(x11, misaki);
  FontLibrary fonts;

  auto makeCell = [&](int font, std::uint32_t code, bool isUsed, Cell& cell) {
    char bytes[3] = {};
    if (code < 0x100) {
      bytes[0] = static_cast<char>(code);
    } else {
      bytes[0] = static_cast<char>(code >> 8);
      bytes[1] = static_cast<char>(code & 0xFF);
    }
    int x = 0, picture = 0, y = 0, advance = 0, width = 0;
    if (decoder[font].DecodeGlyph(bytes, x, picture, y, advance, width) == 0) return false;
    const PictureRow* row = GetPictureRow(picture);
    if (!row) return false;
    cell.Font = font;
    cell.Full = code >= 0x100;
    cell.Code = code;
    cell.X = static_cast<int>(row->X) + x;
    cell.Y = static_cast<int>(row->Y) + y;
    cell.W = width;
    cell.H = decoder[font].CellHeight;
    cell.Used = isUsed;
    cell.OffAtlas = cell.X < 0 || cell.Y < 0 || cell.X + cell.W > AtlasSize || cell.Y + cell.H > AtlasSize;
    return true;
  };

  std::vector<std::uint32_t> atlas(static_cast<std::size_t>(AtlasSize) * AtlasSize, 0);
  std::vector<int> owner(atlas.size(), -1);
  std::vector<Cell> drawn;
  std::vector<std::string> report, fatal;
  int missing = 0, skipped = 0, offAtlas = 0;

  // Pass 1: ASCII in every font and the texts' characters in every font
  // with double-byte cells. Pass 2: the rest, only to report what would
  // meet them.
  for (int pass = 1; pass <= 2; ++pass) {
    for (int font = 0; font < 12; ++font) {
      std::vector<std::uint32_t> codes;
      if (pass == 1) {
        for (std::uint32_t c = 0x20; c <= 0x7F; ++c) codes.push_back(c);
        if (plans[font].HasFull) codes.insert(codes.end(), used.begin(), used.end());
      } else {
        codes = plans[font].HasFull ? others : std::vector<std::uint32_t>(used.begin(), used.end());
      }
      for (std::uint32_t code : codes) {
        Cell cell;
        if (!makeCell(font, code, pass == 1, cell)) continue;
        const Plan& plan = cell.Full ? plans[font].Full : plans[font].Half;
        if (pass == 1 && !DrawCell(fonts, sjis, plan, cell) && code != 0x7F) {
          ++missing;
          report.push_back("no glyph: " + Describe(cell));
        }
        if (cell.OffAtlas) {
          ++offAtlas;
          if (pass == 1) report.push_back("wraps past the edge: " + Describe(cell));
        }
        // Who owns the pixels this cell covers?
        std::set<int> met;
        bool same = true;
        for (int y = 0; y < cell.H; ++y)
          for (int x = 0; x < cell.W; ++x) {
            const std::size_t at = static_cast<std::size_t>(Wrap(cell.Y + y)) * AtlasSize + Wrap(cell.X + x);
            const int o = owner[at];
            if (o < 0) continue;
            const Cell& other = drawn[static_cast<std::size_t>(o)];
            const bool identical = other.X == cell.X && other.Y == cell.Y && other.W == cell.W && other.H == cell.H &&
                                   (pass == 2 ? other.Code == cell.Code : other.Pixels == cell.Pixels);
            if (!identical) {
              met.insert(o);
              same = false;
            }
          }
        for (int o : met) {
          const std::string line = Describe(cell) + " meets " + Describe(drawn[static_cast<std::size_t>(o)]);
          report.push_back(line);
          if (pass == 1) fatal.push_back(line);
        }
        if (pass == 2 || !same) {
          if (pass == 2 && !met.empty()) ++skipped;
          continue;
        }
        const int index = static_cast<int>(drawn.size());
        for (int y = 0; y < cell.H; ++y)
          for (int x = 0; x < cell.W; ++x) {
            const std::size_t at = static_cast<std::size_t>(Wrap(cell.Y + y)) * AtlasSize + Wrap(cell.X + x);
            if (owner[at] < 0) owner[at] = index;
            atlas[at] = cell.Pixels[static_cast<std::size_t>(y) * cell.W + x];
          }
        drawn.push_back(std::move(cell));
      }
    }
  }

  // The whole account goes to the report; the build says only what fails
  // it or leaves a character of the texts blank.
  if (!reportPath.empty()) {
    std::ofstream r(reportPath);
    r << "font_atlas: " << drawn.size() << " cells drawn for " << used.size() << " double-byte characters; "
      << missing << " without a glyph; " << skipped << " unused characters would meet drawn cells; " << offAtlas
      << " cells lie past the atlas edge\n";
    for (const std::string& line : report) r << line << '\n';
  }
  if (missing > 0)
    std::fprintf(stderr, "font_atlas: %d cells of characters the texts use have no glyph and stay blank%s%s\n",
                 missing, reportPath.empty() ? "" : "; see ", reportPath.c_str());
  if (!fatal.empty()) {
    for (const std::string& line : fatal) std::fprintf(stderr, "font_atlas: %s\n", line.c_str());
    std::fprintf(stderr, "font_atlas: %zu cells of characters the texts use meet other glyphs\n", fatal.size());
    return 1;
  }
  if (!WritePng(out, atlas)) {
    std::fprintf(stderr, "font_atlas: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
