// Pictures as textures: every format placed unscaled at the top-left of a
// size x size picture, clipped beyond it, opaque pure green keyed out, and
// any damaged picture read as nothing at all.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Needs.h"
#include "system/PeFormat.h"
#include "system/PeWriter.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Image {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Argb;
  std::uint32_t At(int x, int y) const { return Argb[static_cast<std::size_t>(y * Width + x)]; }
};

std::uint8_t A(std::uint32_t c) { return static_cast<std::uint8_t>(c >> 24); }
std::uint8_t R(std::uint32_t c) { return static_cast<std::uint8_t>(c >> 16); }
std::uint8_t G(std::uint32_t c) { return static_cast<std::uint8_t>(c >> 8); }
std::uint8_t B(std::uint32_t c) { return static_cast<std::uint8_t>(c); }

// A few colours that matter: the key, green that is not quite the key, and
// ordinary colours.
Image Sample(bool withAlpha) {
  Image img{3, 2, {0xFF00FF00u, 0xFF102030u, 0xFF01FF00u, 0xFFFFFFFFu, 0xFF000000u, 0xFFC08040u}};
  if (withAlpha) {
    img.Argb[1] = 0x80102030u;
    img.Argb[2] = 0x8000FF00u;  // half-transparent green is no key
    img.Argb[4] = 0x00000000u;
  }
  return img;
}

ResourceBytes View(const Bytes& b, std::uint16_t type = ResourceTypeRcData) {
  ResourceBytes r;
  r.Data = b.data();
  r.Size = b.size();
  r.Type = type;
  return r;
}

// The picture that DecodePicture must make of `img` at `size`.
std::vector<std::uint32_t> Expected(const Image& img, int size) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(size * size), 0);
  for (int y = 0; y < std::min(size, img.Height); ++y)
    for (int x = 0; x < std::min(size, img.Width); ++x) {
      const std::uint32_t c = img.At(x, y);
      out[static_cast<std::size_t>(y * size + x)] = c == 0xFF00FF00u ? 0u : c;
    }
  return out;
}

bool AllTransparent(const std::vector<std::uint32_t>& v) {
  return std::all_of(v.begin(), v.end(), [](std::uint32_t p) { return p == 0; });
}

// ---- PNG fixtures ----------------------------------------------------------

enum class PngKind { Rgba8, Rgb8, Palette4WithTransparency, Gray1, GrayAlpha16, Rgb16Interlaced };

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// Writes `img` in the given layout; grey layouts take the red channel.
Bytes EncodePng(const Image& img, PngKind kind, bool headerOnly = false) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWrite, nullptr);
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA, depth = 8, interlace = PNG_INTERLACE_NONE;
  std::vector<png_color> palette;
  std::vector<png_byte> alphas;
  std::map<std::uint32_t, int> index;
  switch (kind) {
    case PngKind::Rgba8: break;
    case PngKind::Rgb8: colourType = PNG_COLOR_TYPE_RGB; break;
    case PngKind::Palette4WithTransparency:
      colourType = PNG_COLOR_TYPE_PALETTE, depth = 4;
      for (std::uint32_t c : img.Argb)
        if (!index.count(c)) {
          index[c] = static_cast<int>(palette.size());
          palette.push_back({R(c), G(c), B(c)});
          alphas.push_back(A(c));
        }
      png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
      break;
    case PngKind::Gray1: colourType = PNG_COLOR_TYPE_GRAY, depth = 1; break;
    case PngKind::GrayAlpha16: colourType = PNG_COLOR_TYPE_GRAY_ALPHA, depth = 16; break;
    case PngKind::Rgb16Interlaced:
      colourType = PNG_COLOR_TYPE_RGB, depth = 16, interlace = PNG_INTERLACE_ADAM7;
      break;
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(img.Width), static_cast<png_uint_32>(img.Height), depth,
               colourType, interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  if (headerOnly) {
    png_destroy_write_struct(&png, &info);
    return out;
  }
  std::vector<Bytes> rows(static_cast<std::size_t>(img.Height));
  std::vector<png_bytep> pointers;
  for (int y = 0; y < img.Height; ++y) {
    Bytes& row = rows[static_cast<std::size_t>(y)];
    row.assign(static_cast<std::size_t>(img.Width) * 8, 0);
    for (int x = 0; x < img.Width; ++x) {
      const std::uint32_t c = img.At(x, y);
      auto put16 = [&](int at, std::uint8_t v) { row[static_cast<std::size_t>(at)] = v, row[static_cast<std::size_t>(at + 1)] = v; };
      switch (kind) {
        case PngKind::Rgba8:
          row[4 * x] = R(c), row[4 * x + 1] = G(c), row[4 * x + 2] = B(c), row[4 * x + 3] = A(c);
          break;
        case PngKind::Rgb8: row[3 * x] = R(c), row[3 * x + 1] = G(c), row[3 * x + 2] = B(c); break;
        case PngKind::Palette4WithTransparency:
          row[x / 2] |= static_cast<std::uint8_t>(index[c] << (4 - 4 * (x % 2)));
          break;
        case PngKind::Gray1:
          if (R(c)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
          break;
        case PngKind::GrayAlpha16: put16(4 * x, R(c)), put16(4 * x + 2, A(c)); break;
        case PngKind::Rgb16Interlaced: put16(6 * x, R(c)), put16(6 * x + 2, G(c)), put16(6 * x + 4, B(c)); break;
      }
    }
    pointers.push_back(row.data());
  }
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---- JPEG fixtures ---------------------------------------------------------

enum class JpegKind { Rgb, Gray, AdobeCmyk };

// Quality 100 without chroma subsampling: flat 8 x 8 blocks come back
// within a step or two.
Bytes EncodeJpeg(const Image& img, JpegKind kind) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(img.Width);
  c.image_height = static_cast<JDIMENSION>(img.Height);
  c.input_components = kind == JpegKind::Rgb ? 3 : kind == JpegKind::Gray ? 1 : 4;
  c.in_color_space = kind == JpegKind::Rgb ? JCS_RGB : kind == JpegKind::Gray ? JCS_GRAYSCALE : JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&c, TRUE);
  Bytes row(static_cast<std::size_t>(img.Width) * 4);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < img.Width; ++x) {
      const std::uint32_t p = img.At(x, static_cast<int>(c.next_scanline));
      if (kind == JpegKind::Rgb) {
        row[3 * x] = R(p), row[3 * x + 1] = G(p), row[3 * x + 2] = B(p);
      } else if (kind == JpegKind::Gray) {
        row[x] = R(p);
      } else {
        // Adobe's inverted CMYK with no black: 255 - ink.
        row[4 * x] = R(p), row[4 * x + 1] = G(p), row[4 * x + 2] = B(p), row[4 * x + 3] = 255;
      }
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes out(buffer, buffer + size);
  free(buffer);
  return out;
}

// Flat 8 x 8 blocks of distinct colours.
Image Blocks(int width, int height, bool gray) {
  static const std::uint32_t colours[] = {0xFFE03020u, 0xFF2060C0u, 0xFF40A040u, 0xFFF0F0F0u, 0xFF101010u, 0xFF808000u};
  Image img{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = colours[((x / 8) + 2 * (y / 8)) % 6];
      if (gray) c = 0xFF000000u | R(c) * 0x010101u;
      img.Argb.push_back(c);
    }
  return img;
}

// ---- BMP fixtures ----------------------------------------------------------

void Put16(Bytes& b, std::uint32_t v) { b.push_back(static_cast<std::uint8_t>(v)), b.push_back(static_cast<std::uint8_t>(v >> 8)); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

struct DibSpec {
  int BitCount = 24;
  std::uint32_t Compression = 0;  // 0 plain, 3 bit fields
  bool TopDown = false;
  std::uint32_t HeaderSize = 40;  // 12, 40, 124
  std::uint32_t Masks[4] = {};    // bit fields: red, green, blue, alpha
};

// A DIB of `img`, with a palette of its colours at 8 bits and below.
Bytes MakeDib(const Image& img, const DibSpec& s) {
  std::vector<std::uint32_t> palette;
  if (s.BitCount <= 8)
    for (std::uint32_t c : img.Argb)
      if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
  Bytes b;
  Put32(b, s.HeaderSize);
  if (s.HeaderSize == 12) {
    Put16(b, static_cast<std::uint32_t>(img.Width)), Put16(b, static_cast<std::uint32_t>(img.Height));
    Put16(b, 1), Put16(b, static_cast<std::uint32_t>(s.BitCount));
  } else {
    Put32(b, static_cast<std::uint32_t>(img.Width));
    Put32(b, static_cast<std::uint32_t>(s.TopDown ? -img.Height : img.Height));
    Put16(b, 1), Put16(b, static_cast<std::uint32_t>(s.BitCount));
    Put32(b, s.Compression);
    Put32(b, 0), Put32(b, 2835), Put32(b, 2835);
    Put32(b, static_cast<std::uint32_t>(palette.size())), Put32(b, 0);
    if (s.HeaderSize > 40) {
      for (std::uint32_t m : s.Masks) Put32(b, m);
      b.resize(s.HeaderSize, 0);
    } else if (s.Compression == 3) {
      for (int i = 0; i < 3; ++i) Put32(b, s.Masks[i]);
    }
  }
  for (std::uint32_t c : palette) {
    b.insert(b.end(), {B(c), G(c), R(c)});
    if (s.HeaderSize != 12) b.push_back(0);
  }
  // A core header has no colour count: its palette is always full.
  if (s.HeaderSize == 12 && s.BitCount <= 8) b.resize(b.size() + 3 * ((1u << s.BitCount) - palette.size()), 0);
  const std::size_t stride = (static_cast<std::size_t>(img.Width) * s.BitCount + 31) / 32 * 4;
  for (int i = 0; i < img.Height; ++i) {
    const int y = s.TopDown ? i : img.Height - 1 - i;
    Bytes row(stride, 0);
    for (int x = 0; x < img.Width; ++x) {
      const std::uint32_t c = img.At(x, y);
      const std::uint32_t index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
      auto pack = [&](const std::uint32_t* masks) {
        std::uint32_t v = 0;
        const std::uint32_t channels[4] = {R(c), G(c), B(c), A(c)};
        for (int k = 0; k < 4; ++k) {
          if (!masks[k]) continue;
          int shift = 0;
          while (!((masks[k] >> shift) & 1)) ++shift;
          const std::uint32_t max = masks[k] >> shift;
          v |= ((channels[k] * max + 127) / 255) << shift;
        }
        return v;
      };
      switch (s.BitCount) {
        case 1: row[x / 8] |= static_cast<std::uint8_t>(index << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>(index << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = static_cast<std::uint8_t>(index); break;
        case 24: row[3 * x] = B(c), row[3 * x + 1] = G(c), row[3 * x + 2] = R(c); break;
        case 16: {
          static const std::uint32_t plain[4] = {0x7C00, 0x03E0, 0x001F, 0};
          const std::uint32_t v = pack(s.Compression == 3 ? s.Masks : plain);
          row[2 * x] = static_cast<std::uint8_t>(v), row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
          break;
        }
        case 32: {
          static const std::uint32_t plain[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
          pe::WriteU32(&row[4 * x], pack(s.Compression == 3 ? s.Masks : plain));
          break;
        }
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes WithFileHeader(const Bytes& dib, std::uint32_t bitsOffset) {
  Bytes b = {'B', 'M'};
  Put32(b, static_cast<std::uint32_t>(dib.size() + 14));
  Put32(b, 0);
  Put32(b, bitsOffset);
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

// Opaque colours that any channel width keeps exactly.
Image FiveBitSample() {
  return Image{3, 2, {0xFF00FF00u, 0xFF00FFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xFFFF00FFu, 0xFF0000FFu}};
}

}  // namespace

TEST(PictureDecode, PngLayoutsArePlacedTopLeftWithTheGreenKey) {
  struct Case {
    const char* Name;
    PngKind Kind;
    Image Source;
  };
  Image gray{3, 2, {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xFF000000u, 0xFFFFFFFFu}};
  Image grayAlpha{3, 2, {0xFF000000u, 0x80FFFFFFu, 0x00000000u, 0xFF404040u, 0x20C0C0C0u, 0xFFFFFFFFu}};
  Image big{20, 13, {}};
  for (int i = 0; i < 20 * 13; ++i)
    big.Argb.push_back(i % 7 == 0 ? 0xFF00FF00u : 0xFF000000u | static_cast<std::uint32_t>(i * 0x10305));
  const Case cases[] = {
      {"RGBA", PngKind::Rgba8, Sample(true)},
      {"RGB", PngKind::Rgb8, Sample(false)},
      {"palette with transparency", PngKind::Palette4WithTransparency, Sample(true)},
      {"1-bit grey", PngKind::Gray1, gray},
      {"16-bit grey and alpha", PngKind::GrayAlpha16, grayAlpha},
      {"16-bit interlaced, clipped", PngKind::Rgb16Interlaced, big},
  };
  for (const Case& c : cases) {
    for (int size : {4, 8, 16}) {
      SCOPED_TRACE(std::string(c.Name) + " at " + std::to_string(size));
      const Bytes png = EncodePng(c.Source, c.Kind);
      std::vector<std::uint32_t> argb;
      ASSERT_TRUE(DecodePicture(View(png), size, argb));
      EXPECT_EQ(argb, Expected(c.Source, size));
    }
  }
}

TEST(PictureDecode, JpegIsPlacedTopLeftAndClipped) {
  struct Case {
    const char* Name;
    JpegKind Kind;
    Image Source;
  };
  Image cmyk = Blocks(16, 8, false);
  const Case cases[] = {
      {"RGB", JpegKind::Rgb, Blocks(24, 16, false)},
      {"grey", JpegKind::Gray, Blocks(24, 16, true)},
      {"Adobe CMYK", JpegKind::AdobeCmyk, cmyk},
  };
  for (const Case& c : cases) {
    for (int size : {16, 32}) {
      SCOPED_TRACE(std::string(c.Name) + " at " + std::to_string(size));
      const Bytes jpeg = EncodeJpeg(c.Source, c.Kind);
      std::vector<std::uint32_t> argb;
      ASSERT_TRUE(DecodePicture(View(jpeg), size, argb));
      const std::vector<std::uint32_t> expected = Expected(c.Source, size);
      for (std::size_t i = 0; i < argb.size(); ++i) {
        const std::uint32_t got = argb[i], want = expected[i];
        ASSERT_EQ(A(got), A(want)) << i;
        for (int shift : {0, 8, 16})
          ASSERT_NEAR((got >> shift) & 0xFF, (want >> shift) & 0xFF, 4) << i;
      }
    }
  }
}

TEST(PictureDecode, BmpFilesAndBareDibs) {
  DibSpec plain24;
  DibSpec topDown24;
  topDown24.TopDown = true;
  DibSpec palette8, palette4, palette1, core8;
  palette8.BitCount = 8, palette4.BitCount = 4, palette1.BitCount = 1;
  core8.BitCount = 8, core8.HeaderSize = 12;
  DibSpec rgb555, fields565, plain32, fieldsV5;
  rgb555.BitCount = 16;
  fields565.BitCount = 16, fields565.Compression = 3;
  fields565.Masks[0] = 0xF800, fields565.Masks[1] = 0x07E0, fields565.Masks[2] = 0x001F;
  plain32.BitCount = 32;
  fieldsV5.BitCount = 32, fieldsV5.Compression = 3, fieldsV5.HeaderSize = 124;
  fieldsV5.Masks[0] = 0x00FF0000u, fieldsV5.Masks[1] = 0x0000FF00u, fieldsV5.Masks[2] = 0x000000FFu;
  fieldsV5.Masks[3] = 0xFF000000u;

  Image two{3, 2, {0xFF00FF00u, 0xFFFFFFFFu, 0xFF00FF00u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF00FF00u}};
  struct Case {
    const char* Name;
    Image Source;
    DibSpec Spec;
  };
  const Case cases[] = {
      {"24-bit", Sample(false), plain24},
      {"24-bit top-down", Sample(false), topDown24},
      {"8-bit palette", Sample(false), palette8},
      {"4-bit palette", Sample(false), palette4},
      {"1-bit palette", two, palette1},
      {"core header", Sample(false), core8},
      {"16-bit 5-5-5", FiveBitSample(), rgb555},
      {"16-bit 5-6-5 fields", FiveBitSample(), fields565},
      {"32-bit without alpha", Sample(false), plain32},
      {"32-bit with an alpha mask", Sample(true), fieldsV5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const Bytes dib = MakeDib(c.Source, c.Spec);
    std::vector<std::uint32_t> argb;
    // A bare DIB is a picture only in a BITMAP resource.
    ASSERT_TRUE(DecodePicture(View(dib, ResourceTypeBitmap), 4, argb));
    EXPECT_EQ(argb, Expected(c.Source, 4));
    EXPECT_FALSE(DecodePicture(View(dib, ResourceTypeRcData), 4, argb));
    // A BMP file, with its pixels where its header says.
    const Bytes file = WithFileHeader(dib, static_cast<std::uint32_t>(14 + dib.size() - 2 * ((3 * c.Spec.BitCount + 31) / 32 * 4)));
    ASSERT_TRUE(DecodePicture(View(file), 2, argb));
    EXPECT_EQ(argb, Expected(c.Source, 2));
  }

  // An index past the colours the palette holds reads as black.
  Image pair{2, 1, {0xFFFFFFFFu, 0xFF0000FFu}};
  Bytes short4 = MakeDib(pair, palette4);
  short4[short4.size() - 4] = 0x12;  // indices 1 and 2 of a two-colour palette
  std::vector<std::uint32_t> black;
  ASSERT_TRUE(DecodePicture(View(short4, ResourceTypeBitmap), 2, black));
  EXPECT_EQ(black[0], 0xFF0000FFu);
  EXPECT_EQ(black[1], 0xFF000000u);

  // 32 bits without an alpha mask are opaque whatever the fourth byte says.
  Bytes dib = MakeDib(Sample(false), plain32);
  for (std::size_t i = dib.size() - 24 + 3; i < dib.size(); i += 4) dib[i] = 0;
  std::vector<std::uint32_t> argb;
  ASSERT_TRUE(DecodePicture(View(dib, ResourceTypeBitmap), 4, argb));
  EXPECT_EQ(argb, Expected(Sample(false), 4));
}

TEST(PictureDecode, RunLengthBitmaps) {
  // 4 x 3, bottom row first: a run, a literal run, end of line; a jump of
  // (2, 1); end of picture. Pixels never written stay transparent.
  const std::uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu;
  auto header = [](std::uint32_t compression, int bits) {
    Bytes b;
    Put32(b, 40), Put32(b, 4), Put32(b, 3), Put16(b, 1), Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, compression), Put32(b, 0), Put32(b, 0), Put32(b, 0), Put32(b, 3), Put32(b, 0);
    b.insert(b.end(), {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0});  // red, blue, key
    return b;
  };
  Bytes rle8 = header(1, 8);
  rle8.insert(rle8.end(), {2, 0, 0, 3, 1, 2, 1, 0, 0, 0, 0, 2, 2, 1, 1, 1, 0, 1});
  Bytes rle4 = header(2, 4);
  rle4.insert(rle4.end(), {2, 0x00, 0, 3, 0x12, 0x10, 0, 0, 0, 2, 2, 1, 1, 0x10, 0, 1});
  // Bottom row: red red blue key (keyed out); the jump skips the middle row
  // and lands on the top row at x 2.
  const std::vector<std::uint32_t> expected = {
      0, 0, blue, 0,  //
      0, 0, 0, 0,     //
      red, red, blue, 0,
  };
  for (const Bytes* bytes : {&rle8, &rle4}) {
    std::vector<std::uint32_t> argb;
    ASSERT_TRUE(DecodePicture(View(*bytes, ResourceTypeBitmap), 4, argb));
    std::vector<std::uint32_t> top(argb.begin(), argb.begin() + 12);
    EXPECT_EQ(top, expected) << (bytes == &rle8 ? "RLE8" : "RLE4");
  }
}

TEST(PictureDecode, WhatIsNoPictureGivesATransparentPicture) {
  std::vector<std::uint32_t> argb(5, 123);
  EXPECT_FALSE(DecodePicture(ResourceBytes{}, 8, argb));
  EXPECT_EQ(argb.size(), 64u);
  EXPECT_TRUE(AllTransparent(argb));
  const Bytes text = {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  EXPECT_FALSE(DecodePicture(View(text), 8, argb));
  EXPECT_TRUE(AllTransparent(argb));
  const Bytes png = EncodePng(Sample(false), PngKind::Rgb8);
  for (int size : {0, -4, 1 << 20}) {
    EXPECT_FALSE(DecodePicture(View(png), size, argb)) << size;
    EXPECT_TRUE(argb.empty());
  }
}

// Cut short or with a byte spoilt anywhere, a picture decodes or it does
// not; when it does not, nothing of it shows.
TEST(PictureDecode, DamagedPicturesNeverFault) {
  Image big{21, 19, {}};
  for (int i = 0; i < 21 * 19; ++i) big.Argb.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x030507));
  DibSpec palette8;
  palette8.BitCount = 8;
  struct Fixture {
    const char* Name;
    Bytes Data;
    std::uint16_t Type;
  };
  const Bytes dib = MakeDib(Sample(false), palette8);
  const Fixture fixtures[] = {
      {"png", EncodePng(big, PngKind::Rgba8), ResourceTypeRcData},
      {"interlaced png", EncodePng(big, PngKind::Rgb16Interlaced), ResourceTypeRcData},
      {"jpeg", EncodeJpeg(Blocks(24, 16, false), JpegKind::Rgb), ResourceTypeRcData},
      {"bmp", WithFileHeader(dib, 0), ResourceTypeRcData},
      {"dib", dib, ResourceTypeBitmap},
  };
  for (const Fixture& f : fixtures) {
    SCOPED_TRACE(f.Name);
    std::vector<std::uint32_t> argb;
    for (std::size_t cut = 0; cut < f.Data.size(); ++cut) {
      const Bytes part(f.Data.begin(), f.Data.begin() + static_cast<std::ptrdiff_t>(cut));
      if (!DecodePicture(View(part, f.Type), 8, argb)) {
        ASSERT_TRUE(AllTransparent(argb)) << cut;
      }
      ASSERT_EQ(argb.size(), 64u);
    }
    for (std::size_t at = 0; at < f.Data.size(); ++at) {
      Bytes spoilt = f.Data;
      spoilt[at] ^= 0xA5;
      if (!DecodePicture(View(spoilt, f.Type), 8, argb)) {
        ASSERT_TRUE(AllTransparent(argb)) << at;
      }
    }
  }
}

TEST(PictureDecode, HostileDimensionsAreRefusedQuickly) {
  std::vector<std::uint32_t> argb;
  // A PNG header promising 100000 x 100000 pixels and no data.
  Image huge{100000, 100000, {}};
  EXPECT_FALSE(DecodePicture(View(EncodePng(huge, PngKind::Rgb8, true)), 8, argb));

  // A JPEG whose frame header claims 60000 x 60000.
  Bytes jpeg = EncodeJpeg(Blocks(16, 16, false), JpegKind::Rgb);
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = 0xEA, jpeg[i + 6] = 0x60, jpeg[i + 7] = 0xEA, jpeg[i + 8] = 0x60;
      break;
    }
  }
  EXPECT_FALSE(DecodePicture(View(jpeg), 8, argb));
  EXPECT_TRUE(AllTransparent(argb));

  DibSpec palette8;
  palette8.BitCount = 8;
  const Bytes dib = MakeDib(Sample(false), palette8);
  struct Damage {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
  };
  const Damage damages[] = {
      {"widest width", 4, 0x7FFFFFFFu},
      {"most negative height", 8, 0x80000000u},
      {"zero height", 8, 0},
      {"negative width", 4, 0xFFFFFFFFu},
      {"palette of four billion colours", 32, 0xFFFFFFFFu},
      {"header longer than the picture", 0, 0x7FFFFFFFu},
      {"unknown compression", 16, 9},
      {"run-length top-down", 8, 0xFFFFFFFEu},
  };
  for (const Damage& d : damages) {
    Bytes b = dib;
    pe::WriteU32(&b[d.At], d.Value);
    if (std::strcmp(d.What, "run-length top-down") == 0) pe::WriteU32(&b[16], 1);
    EXPECT_FALSE(DecodePicture(View(b, ResourceTypeBitmap), 8, argb)) << d.What;
    EXPECT_TRUE(AllTransparent(argb)) << d.What;
  }
  // A BMP file whose pixel offset lies past its end.
  EXPECT_FALSE(DecodePicture(View(WithFileHeader(dib, 0x7FFFFFF0u)), 8, argb));

  // Run-length jumps far outside the picture, and runs longer than a row.
  Bytes rle;
  Put32(rle, 40), Put32(rle, 4), Put32(rle, 4), Put16(rle, 1), Put16(rle, 8);
  Put32(rle, 1), Put32(rle, 0), Put32(rle, 0), Put32(rle, 0), Put32(rle, 1), Put32(rle, 0);
  rle.insert(rle.end(), {0, 0, 0xFF, 0});
  rle.insert(rle.end(), {255, 0, 0, 2, 255, 255, 255, 0, 0, 2, 3, 0, 0, 200, 0});
  EXPECT_TRUE(DecodePicture(View(rle, ResourceTypeBitmap), 8, argb));
  EXPECT_EQ(argb[3 * 8 + 3], 0xFFFF0000u);  // the bottom row's long run, clipped at the width
  EXPECT_EQ(argb[3 * 8 + 4], 0u);
}

// Resident memory in kB ("VmRSS" / "VmHWM" of /proc/self/status), -1 when
// the system does not say.
long StatusKb(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long value = -1;
  while (std::fgets(line, sizeof line, status))
    if (std::strncmp(line, field, std::strlen(field)) == 0) value = std::atol(line + std::strlen(field) + 1);
  std::fclose(status);
  return value;
}

TEST(PictureDecode, AChunkLongerThanThePictureFailsAtOnce) {
  // Writing 5 restarts the peak ("VmHWM") from what is resident now.
  std::FILE* reset = std::fopen("/proc/self/clear_refs", "w");
  VORLUMEN_NEED(reset ? "" : "a peak resident size that can be reset (/proc/self/clear_refs)");
  std::fclose(reset);

  const Bytes header = EncodePng(Sample(false), PngKind::Rgb8, true);
  const std::size_t afterIhdr = 8 + 8 + 13 + 4;
  ASSERT_GE(header.size(), afterIhdr);
  struct Case {
    const char* Type;
    std::uint32_t Length;
  };
  // Near 2 GB, or just past the bytes there are: 41 bytes in all.
  const Case cases[] = {{"tEXt", 0x7FFFFFF0u}, {"iTXt", 0x7FFFFFFFu}, {"vrLm", 0x40000000u}, {"IDAT", 0x7FFFFFF0u},
                        {"tEXt", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Type);
    Bytes png(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(afterIhdr));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(c.Length >> shift));
    png.insert(png.end(), c.Type, c.Type + 4);
    ASSERT_EQ(png.size(), 41u);

    std::FILE* restart = std::fopen("/proc/self/clear_refs", "w");
    ASSERT_NE(restart, nullptr);
    std::fputs("5", restart);
    std::fclose(restart);
    const long before = StatusKb("VmRSS");
    std::vector<std::uint32_t> argb;
    EXPECT_FALSE(DecodePicture(View(png), 8, argb));
    EXPECT_TRUE(AllTransparent(argb));
    EXPECT_LT(StatusKb("VmHWM") - before, 4 * 1024);
  }
}

namespace {

// An icon image as an ICON resource holds it: a DIB of twice the height,
// colours then the 1-bit mask (1 = transparent).
Bytes IconDib(int size, int bits, std::uint32_t colour, bool alpha) {
  Bytes b;
  Put32(b, 40), Put32(b, static_cast<std::uint32_t>(size)), Put32(b, static_cast<std::uint32_t>(2 * size));
  Put16(b, 1), Put16(b, static_cast<std::uint32_t>(bits));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  if (bits == 8) {
    b.insert(b.end(), {B(colour), G(colour), R(colour), 0});
    b.resize(b.size() + 255 * 4, 0);
  }
  const std::size_t stride = (static_cast<std::size_t>(size) * bits + 31) / 32 * 4;
  for (int y = 0; y < size; ++y) {
    Bytes row(stride, 0);
    for (int x = 0; x < size; ++x) {
      const bool inside = x < size / 2;  // left half drawn, right half clear
      if (bits == 32) {
        const std::uint8_t a = alpha ? (inside ? 0xFF : 0) : 0;
        row[4 * x] = B(colour), row[4 * x + 1] = G(colour), row[4 * x + 2] = R(colour), row[4 * x + 3] = a;
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  const std::size_t maskStride = (static_cast<std::size_t>(size) + 31) / 32 * 4;
  for (int y = 0; y < size; ++y) {
    Bytes row(maskStride, 0);
    for (int x = size / 2; x < size; ++x) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes IconGroup(const std::vector<std::pair<int, int>>& sizesAndBits, const std::vector<std::size_t>& byteCounts) {
  Bytes g;
  Put16(g, 0), Put16(g, 1), Put16(g, static_cast<std::uint32_t>(sizesAndBits.size()));
  for (std::size_t i = 0; i < sizesAndBits.size(); ++i) {
    const int side = sizesAndBits[i].first;
    g.push_back(static_cast<std::uint8_t>(side >= 256 ? 0 : side));
    g.push_back(static_cast<std::uint8_t>(side >= 256 ? 0 : side));
    g.push_back(0), g.push_back(0);
    Put16(g, 1), Put16(g, static_cast<std::uint32_t>(sizesAndBits[i].second));
    Put32(g, static_cast<std::uint32_t>(byteCounts[i]));
    Put16(g, static_cast<std::uint32_t>(i + 1));
  }
  return g;
}

}  // namespace

TEST(PictureDecode, IconTakesTheLargestDeepestImage) {
  const std::uint32_t violet = 0xFF9B4DE0u;
  struct Case {
    const char* Name;
    std::vector<Bytes> Images;
    std::vector<std::pair<int, int>> Entries;
    int Side;
  };
  Image pngIcon{64, 64, std::vector<std::uint32_t>(64 * 64, 0)};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 32; ++x) pngIcon.Argb[static_cast<std::size_t>(y * 64 + x)] = violet;
  const Case cases[] = {
      {"32-bit with alpha", {IconDib(16, 8, violet, false), IconDib(32, 32, violet, true)}, {{16, 8}, {32, 32}}, 32},
      {"8-bit with mask", {IconDib(32, 8, violet, false), IconDib(16, 32, violet, true)}, {{32, 8}, {16, 32}}, 32},
      {"32-bit without alpha uses the mask", {IconDib(16, 32, violet, false)}, {{16, 32}}, 16},
      {"PNG", {IconDib(32, 32, violet, true), EncodePng(pngIcon, PngKind::Rgba8)}, {{32, 32}, {64, 32}}, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    CPeResourceWriter w;
    std::vector<std::size_t> counts;
    for (std::size_t i = 0; i < c.Images.size(); ++i) {
      counts.push_back(c.Images[i].size());
      ASSERT_TRUE(w.Add(ResourceTypeIcon, static_cast<std::uint16_t>(i + 1), c.Images[i]));
    }
    ASSERT_TRUE(w.Add(ResourceTypeGroupIcon, 51890, IconGroup(c.Entries, counts)));
    const Bytes image = w.WriteToMemory();
    CResourceModule m;
    ASSERT_TRUE(m.OpenBytes(image.data(), image.size()));
    std::vector<std::uint32_t> argb;
    int width = 0, height = 0;
    ASSERT_TRUE(DecodeIcon(m, 51890, argb, width, height));
    EXPECT_EQ(width, c.Side);
    EXPECT_EQ(height, c.Side);
    ASSERT_EQ(argb.size(), static_cast<std::size_t>(c.Side * c.Side));
    for (int y = 0; y < c.Side; ++y) {
      EXPECT_EQ(argb[static_cast<std::size_t>(y * c.Side)], violet) << y;
      EXPECT_EQ(A(argb[static_cast<std::size_t>(y * c.Side + c.Side - 1)]), 0) << y;
    }
    EXPECT_FALSE(DecodeIcon(m, 51891, argb, width, height));
  }
}

TEST(PictureDecode, DamagedIconGroupsFindNothing) {
  const Bytes image = IconDib(16, 32, 0xFF102030u, true);
  struct Case {
    const char* Name;
    Bytes Group;
  };
  Bytes cursor = IconGroup({{16, 32}}, {image.size()});
  cursor[2] = 2;
  Bytes missingImage = IconGroup({{16, 32}}, {image.size()});
  missingImage[6 + 12] = 9;
  Bytes tooMany = IconGroup({{16, 32}}, {image.size()});
  tooMany[4] = 0xFF, tooMany[5] = 0xFF;
  const Case cases[] = {
      {"cursor group", cursor},
      {"image id that is not there", missingImage},
      {"header only", Bytes{0, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    CPeResourceWriter w;
    ASSERT_TRUE(w.Add(ResourceTypeIcon, 1, image));
    ASSERT_TRUE(w.Add(ResourceTypeGroupIcon, 51890, c.Group));
    const Bytes module = w.WriteToMemory();
    CResourceModule m;
    ASSERT_TRUE(m.OpenBytes(module.data(), module.size()));
    std::vector<std::uint32_t> argb;
    int width = 0, height = 0;
    EXPECT_FALSE(DecodeIcon(m, 51890, argb, width, height)) << c.Name;
    EXPECT_TRUE(argb.empty()) << c.Name;
  }
  // More entries declared than present: the ones present still count.
  CPeResourceWriter w;
  ASSERT_TRUE(w.Add(ResourceTypeIcon, 1, image));
  ASSERT_TRUE(w.Add(ResourceTypeGroupIcon, 51890, tooMany));
  const Bytes module = w.WriteToMemory();
  CResourceModule m;
  ASSERT_TRUE(m.OpenBytes(module.data(), module.size()));
  std::vector<std::uint32_t> argb;
  int width = 0, height = 0;
  EXPECT_TRUE(DecodeIcon(m, 51890, argb, width, height));
  EXPECT_EQ(width, 16);
}
