#include "system/PictureDecode.h"

#include <png.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "system/PeFormat.h"

namespace {

constexpr std::uint32_t ColourKey = 0xFF00FF00u;
// Larger pictures than any texture the game makes are refused before any
// memory is spent on them.
constexpr int MaxPictureSize = 8192;
constexpr std::uint32_t MaxImageSide = 16384;
constexpr long MaxJpegMemory = 256L << 20;
constexpr int MaxIconSize = 256;

// The top-left `Size` x `Size` window that a decoder writes into; anything
// outside it is clipped.
struct Canvas {
  std::uint32_t* Pixels;
  int Size;
  void Put(std::uint64_t x, std::uint64_t y, std::uint32_t argb) const {
    if (x < static_cast<std::uint64_t>(Size) && y < static_cast<std::uint64_t>(Size))
      Pixels[y * static_cast<std::uint64_t>(Size) + x] = argb;
  }
};

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// ---- PNG -------------------------------------------------------------------
// libpng reports errors by longjmp. The decoding function holds only plain
// values, and everything it allocates hangs off the job, which its caller
// frees; nothing with a destructor is ever jumped over.

struct PngJob {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Position;
  Canvas Target;
  std::uint32_t Width;
  std::uint32_t Height;
  std::uint8_t* Rows;
};

void PngRead(png_structp png, png_bytep out, png_size_t length) {
  PngJob* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (length > job->Size - job->Position) png_error(png, "truncated");
  std::memcpy(out, job->Data + job->Position, length);
  job->Position += length;
}

void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngQuiet(png_structp, png_const_charp) {}

bool DecodePngRows(PngJob* job) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngQuiet);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, job, PngRead);
  png_set_user_limits(png, MaxImageSide, MaxImageSide);
  // Compressed text and profiles may not unpack to more than the picture holds.
  png_set_chunk_malloc_max(png, job->Size);
  png_read_info(png, info);

  const png_byte colourType = png_get_color_type(png, info);
  const png_byte bitDepth = png_get_bit_depth(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_GRAY ||
      colourType == PNG_COLOR_TYPE_PALETTE)
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  job->Width = png_get_image_width(png, info);
  job->Height = png_get_image_height(png, info);
  const png_size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes != std::size_t{job->Width} * 4) png_error(png, "unexpected layout");
  const std::uint32_t kept =
      job->Height < static_cast<std::uint32_t>(job->Target.Size) ? job->Height
                                                                  : static_cast<std::uint32_t>(job->Target.Size);
  // An interlaced image fills its rows over several passes, so the kept
  // rows stay whole until the end; a plain one needs a single row.
  const std::size_t rowsHeld = passes > 1 ? std::size_t{kept} + 1 : 1;
  job->Rows = static_cast<std::uint8_t*>(std::calloc(rowsHeld, rowBytes));
  if (job->Rows == nullptr) png_error(png, "out of memory");
  std::uint8_t* scratch = job->Rows + (rowsHeld - 1) * rowBytes;

  for (int pass = 0; pass < passes; ++pass) {
    for (std::uint32_t y = 0; y < job->Height; ++y) {
      if (passes == 1 && y >= kept) break;  // the rest would be clipped
      std::uint8_t* row = passes > 1 && y < kept ? job->Rows + y * rowBytes : scratch;
      png_read_row(png, row, nullptr);
      if (passes == 1) {
        for (std::uint32_t x = 0; x < job->Width && x < static_cast<std::uint32_t>(job->Target.Size); ++x) {
          const std::uint8_t* p = row + 4 * std::size_t{x};
          job->Target.Put(x, y, Argb(p[3], p[2], p[1], p[0]));
        }
      }
    }
  }
  if (passes > 1) {
    for (std::uint32_t y = 0; y < kept; ++y) {
      const std::uint8_t* row = job->Rows + y * rowBytes;
      for (std::uint32_t x = 0; x < job->Width && x < static_cast<std::uint32_t>(job->Target.Size); ++x) {
        const std::uint8_t* p = row + 4 * std::size_t{x};
        job->Target.Put(x, y, Argb(p[3], p[2], p[1], p[0]));
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// libpng allocates (and zeroes) a chunk's declared length before it reads a
// byte of it, so a damaged length of 2 GB would cost 2 GB. Every chunk must
// fit in the bytes that are there.
bool PngChunksFit(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t SignatureSize = 8, HeaderSize = 8, CrcSize = 4;
  std::size_t at = SignatureSize;
  while (size - at >= HeaderSize) {
    const std::uint64_t length = ReadBigEndian32(data + at);
    const bool end = std::memcmp(data + at + 4, "IEND", 4) == 0;
    at += HeaderSize;
    if (length + CrcSize > size - at) return false;
    at += static_cast<std::size_t>(length) + CrcSize;
    if (end) break;
  }
  return true;
}

bool DecodePng(const std::uint8_t* data, std::size_t size, const Canvas& target, int& width,
               int& height) {
  width = height = 0;
  if (!PngChunksFit(data, size)) return false;
  PngJob job{data, size, 0, target, 0, 0, nullptr};
  const bool ok = DecodePngRows(&job);
  std::free(job.Rows);
  width = static_cast<int>(job.Width);
  height = static_cast<int>(job.Height);
  return ok;
}

// ---- JPEG ------------------------------------------------------------------

struct JpegFailure {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->Jump, 1); }
void JpegQuietMessage(j_common_ptr, int) {}
void JpegQuietOutput(j_common_ptr) {}

struct JpegJob {
  const std::uint8_t* Data;
  std::size_t Size;
  Canvas Target;
  std::uint32_t Width;
  std::uint32_t Height;
  std::uint8_t* Row;
};

bool DecodeJpegRows(JpegJob* job) {
  jpeg_decompress_struct info;
  std::memset(&info, 0, sizeof info);
  JpegFailure failure;
  info.err = jpeg_std_error(&failure.Manager);
  failure.Manager.error_exit = JpegFail;
  failure.Manager.emit_message = JpegQuietMessage;
  failure.Manager.output_message = JpegQuietOutput;
  if (setjmp(failure.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = MaxJpegMemory;
  jpeg_mem_src(&info, job->Data, static_cast<unsigned long>(job->Size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > MaxImageSide || info.image_height > MaxImageSide) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  job->Width = info.output_width;
  job->Height = info.output_height;
  const std::size_t components = static_cast<std::size_t>(info.output_components);
  if (components != (cmyk ? 4u : 3u)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  job->Row = static_cast<std::uint8_t*>(std::malloc(std::size_t{job->Width} * components));
  if (job->Row == nullptr) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const std::uint32_t kept =
      job->Height < static_cast<std::uint32_t>(job->Target.Size) ? job->Height
                                                                  : static_cast<std::uint32_t>(job->Target.Size);
  const std::uint32_t columns =
      job->Width < static_cast<std::uint32_t>(job->Target.Size) ? job->Width
                                                                 : static_cast<std::uint32_t>(job->Target.Size);
  while (info.output_scanline < kept) {
    const std::uint32_t y = info.output_scanline;
    JSAMPROW row = job->Row;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
    for (std::uint32_t x = 0; x < columns; ++x) {
      const std::uint8_t* p = job->Row + x * components;
      if (!cmyk) {
        job->Target.Put(x, y, Argb(0xFF, p[0], p[1], p[2]));
      } else {
        // Adobe writes CMYK inverted; others as it stands.
        const std::uint32_t c = info.saw_Adobe_marker ? p[0] : 255u - p[0];
        const std::uint32_t m = info.saw_Adobe_marker ? p[1] : 255u - p[1];
        const std::uint32_t yy = info.saw_Adobe_marker ? p[2] : 255u - p[2];
        const std::uint32_t k = info.saw_Adobe_marker ? p[3] : 255u - p[3];
        job->Target.Put(x, y, Argb(0xFF, c * k / 255, m * k / 255, yy * k / 255));
      }
    }
  }
  jpeg_destroy_decompress(&info);  // the rows below the picture are never decoded
  return true;
}

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, const Canvas& target, int& width,
                int& height) {
  JpegJob job{data, size, target, 0, 0, nullptr};
  const bool ok = DecodeJpegRows(&job);
  std::free(job.Row);
  width = static_cast<int>(job.Width);
  height = static_cast<int>(job.Height);
  return ok;
}

// ---- BMP and bare DIB ----------------------------------------------------

enum : std::uint32_t {
  BiRgb = 0,
  BiRle8 = 1,
  BiRle4 = 2,
  BiBitfields = 3,
  BiAlphaBitfields = 6,
};

// One channel of a packed pixel, scaled to 8 bits.
struct Channel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  std::uint64_t Max = 0;
  explicit Channel(std::uint32_t mask = 0) : Mask(mask) {
    if (mask == 0) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    Max = mask >> Shift;
  }
  std::uint32_t Get(std::uint32_t pixel, std::uint32_t none) const {
    if (Max == 0) return none;
    return static_cast<std::uint32_t>(((pixel & Mask) >> Shift) * 255 / Max);
  }
};

struct DibLayout {
  std::uint32_t HeaderSize = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // rows of the picture (half of an icon's)
  bool TopDown = false;
  std::uint32_t BitCount = 0;
  std::uint32_t Compression = BiRgb;
  std::uint32_t Masks[4] = {};  // red, green, blue, alpha
  std::uint64_t PaletteOffset = 0;
  std::uint32_t PaletteEntries = 0;
  std::uint32_t PaletteEntrySize = 4;
  std::uint64_t BitsOffset = 0;
};

// Reads the header of the DIB at the start of `data`. `fileBitsOffset` is a
// BMP file's own offset of the pixels from the DIB's start (0 to compute it).
bool ReadDibLayout(const std::uint8_t* data, std::size_t size, bool icon,
                   std::uint64_t fileBitsOffset, DibLayout& d) {
  if (size < 12) return false;
  d.HeaderSize = pe::ReadU32(data);
  if (d.HeaderSize == 12) {
    d.Width = pe::ReadU16(data + 4);
    d.Height = pe::ReadU16(data + 6);
    d.BitCount = pe::ReadU16(data + 10);
    d.PaletteEntrySize = 3;
  } else if (d.HeaderSize >= 40 && d.HeaderSize <= size) {
    d.Width = static_cast<std::int32_t>(pe::ReadU32(data + 4));
    d.Height = static_cast<std::int32_t>(pe::ReadU32(data + 8));
    d.BitCount = pe::ReadU16(data + 14);
    d.Compression = pe::ReadU32(data + 16);
    d.PaletteEntries = pe::ReadU32(data + 32);
    if (d.HeaderSize == 64 && d.Compression >= BiBitfields) return false;  // OS/2 meanings
  } else {
    return false;
  }
  if (d.Height < 0) {
    d.TopDown = true;
    d.Height = -d.Height;
  }
  if (icon) d.Height /= 2;  // the colour rows and the mask rows
  if (d.Width <= 0 || d.Height <= 0) return false;
  if (d.TopDown && (d.Compression == BiRle8 || d.Compression == BiRle4)) return false;

  std::uint64_t afterHeader = d.HeaderSize;
  switch (d.Compression) {
    case BiRgb:
      if (d.BitCount == 16) {
        d.Masks[0] = 0x7C00, d.Masks[1] = 0x03E0, d.Masks[2] = 0x001F;
      } else if (d.BitCount == 24 || d.BitCount == 32) {
        d.Masks[0] = 0xFF0000, d.Masks[1] = 0xFF00, d.Masks[2] = 0xFF;
        if (icon && d.BitCount == 32) d.Masks[3] = 0xFF000000;  // icons carry alpha
      } else if (d.BitCount != 1 && d.BitCount != 4 && d.BitCount != 8) {
        return false;
      }
      break;
    case BiRle8:
      if (d.BitCount != 8) return false;
      break;
    case BiRle4:
      if (d.BitCount != 4) return false;
      break;
    case BiBitfields:
    case BiAlphaBitfields: {
      if (d.BitCount != 16 && d.BitCount != 32) return false;
      const int count = d.Compression == BiAlphaBitfields ? 4 : 3;
      // A 40-byte header is followed by the masks; later headers hold them.
      const std::uint64_t at = d.HeaderSize == 40 ? d.HeaderSize : 40;
      const int held = d.HeaderSize >= 56 ? 4 : count;
      if (!pe::InRange(size, at, 4ull * held)) return false;
      for (int i = 0; i < held; ++i) d.Masks[i] = pe::ReadU32(data + at + 4 * i);
      if (d.HeaderSize == 40) afterHeader += 4ull * count;
      break;
    }
    default:
      return false;
  }

  if (d.BitCount <= 8) {
    const std::uint32_t full = 1u << d.BitCount;
    if (d.PaletteEntries == 0 || d.PaletteEntries > full) {
      // Only the entries the pixels can reach are read; a larger count
      // still moves the pixels of a bare DIB.
      if (d.PaletteEntries == 0) d.PaletteEntries = full;
    }
  }
  d.PaletteOffset = afterHeader;
  const std::uint64_t paletteBytes = std::uint64_t{d.PaletteEntries} * d.PaletteEntrySize;
  const std::uint32_t usable = d.BitCount <= 8 ? std::min(d.PaletteEntries, 1u << d.BitCount) : 0;
  if (!pe::InRange(size, d.PaletteOffset, std::uint64_t{usable} * d.PaletteEntrySize)) return false;
  d.BitsOffset = fileBitsOffset != 0 ? fileBitsOffset : d.PaletteOffset + paletteBytes;
  return d.BitsOffset < size;
}

std::uint32_t PaletteColour(const std::uint8_t* data, const DibLayout& d, std::uint32_t index) {
  const std::uint32_t usable = std::min(d.PaletteEntries, 1u << d.BitCount);
  if (index >= usable) return Argb(0xFF, 0, 0, 0);
  const std::uint8_t* e = data + d.PaletteOffset + std::uint64_t{index} * d.PaletteEntrySize;
  return Argb(0xFF, e[2], e[1], e[0]);
}

// Run-length pixels: pairs of (count, index), with escapes for the end of
// a row, the end of the picture, a jump and a literal run. Every step eats
// input, so a hostile stream still ends.
void DecodeRle(const std::uint8_t* data, std::size_t size, const DibLayout& d, const Canvas& out) {
  const bool four = d.Compression == BiRle4;
  std::uint64_t pos = d.BitsOffset;
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](std::uint32_t index) {
    if (x < d.Width && y < d.Height)
      out.Put(static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(d.Height - 1 - y),
              PaletteColour(data, d, index));
    ++x;
  };
  while (pos + 2 <= size && y < d.Height) {
    const std::uint32_t count = data[pos];
    const std::uint32_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (std::uint32_t i = 0; i < count; ++i)
        put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (pos + 2 > size) break;
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {
      const std::uint64_t bytes = four ? (value + 1) / 2 : value;
      if (pos + bytes > size) break;
      for (std::uint32_t i = 0; i < value; ++i) {
        const std::uint8_t b = data[pos + (four ? i / 2 : i)];
        put(four ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      pos += (bytes + 1) & ~std::uint64_t{1};  // literal runs keep 16-bit alignment
    }
  }
}

bool DecodeDib(const std::uint8_t* data, std::size_t size, bool icon, std::uint64_t fileBitsOffset,
               const Canvas& out, int& width, int& height) {
  DibLayout d;
  if (!ReadDibLayout(data, size, icon, fileBitsOffset, d)) return false;
  width = static_cast<int>(std::min<std::int64_t>(d.Width, 0x7FFFFFFF));
  height = static_cast<int>(std::min<std::int64_t>(d.Height, 0x7FFFFFFF));
  if (d.Compression == BiRle8 || d.Compression == BiRle4) {
    DecodeRle(data, size, d, out);
    return true;
  }

  const std::uint64_t stride = (static_cast<std::uint64_t>(d.Width) * d.BitCount + 31) / 32 * 4;
  const std::uint64_t lastRow = (static_cast<std::uint64_t>(d.Width) * d.BitCount + 7) / 8;
  // Every row must be there (bottom-up pictures keep their top rows last),
  // though the padding after the very last one may be missing.
  if (!pe::InRange(size, d.BitsOffset, stride * static_cast<std::uint64_t>(d.Height - 1) + lastRow))
    return false;
  const std::uint64_t rows = std::min<std::int64_t>(d.Height, out.Size);
  const std::uint64_t columns = std::min<std::int64_t>(d.Width, out.Size);
  const Channel red(d.Masks[0]), green(d.Masks[1]), blue(d.Masks[2]), alpha(d.Masks[3]);
  bool anyAlpha = false;
  for (std::uint64_t y = 0; y < rows; ++y) {
    const std::uint64_t stored = d.TopDown ? y : static_cast<std::uint64_t>(d.Height) - 1 - y;
    const std::uint8_t* row = data + d.BitsOffset + stored * stride;
    for (std::uint64_t x = 0; x < columns; ++x) {
      std::uint32_t argb = 0;
      switch (d.BitCount) {
        case 1:
          argb = PaletteColour(data, d, (row[x / 8] >> (7 - x % 8)) & 1);
          break;
        case 4:
          argb = PaletteColour(data, d, (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F);
          break;
        case 8:
          argb = PaletteColour(data, d, row[x]);
          break;
        case 24:
          argb = Argb(0xFF, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          break;
        default: {
          const std::uint32_t pixel =
              d.BitCount == 16 ? pe::ReadU16(row + 2 * x) : pe::ReadU32(row + 4 * x);
          argb = Argb(alpha.Get(pixel, 0xFF), red.Get(pixel, 0), green.Get(pixel, 0), blue.Get(pixel, 0));
          break;
        }
      }
      anyAlpha = anyAlpha || (argb >> 24) != 0;
      out.Put(x, y, argb);
    }
  }

  if (icon) {
    // The mask follows the colour rows: 1 is transparent. A 32-bit icon with
    // real alpha ignores it; so does a file that left it out.
    const std::uint64_t maskStride = (static_cast<std::uint64_t>(d.Width) + 31) / 32 * 4;
    const std::uint64_t maskAt = d.BitsOffset + stride * static_cast<std::uint64_t>(d.Height);
    const bool useAlpha = d.BitCount == 32 && anyAlpha;
    if (!useAlpha && pe::InRange(size, maskAt, maskStride * static_cast<std::uint64_t>(d.Height))) {
      for (std::uint64_t y = 0; y < rows; ++y) {
        const std::uint8_t* row = data + maskAt + (static_cast<std::uint64_t>(d.Height) - 1 - y) * maskStride;
        for (std::uint64_t x = 0; x < columns; ++x) {
          std::uint32_t& p = out.Pixels[y * static_cast<std::uint64_t>(out.Size) + x];
          p = ((row[x / 8] >> (7 - x % 8)) & 1) ? 0u : (p | 0xFF000000u);
        }
      }
    } else if (!useAlpha) {
      for (std::uint64_t y = 0; y < rows; ++y)
        for (std::uint64_t x = 0; x < columns; ++x)
          out.Pixels[y * static_cast<std::uint64_t>(out.Size) + x] |= 0xFF000000u;
    }
  }
  return true;
}

// ---- Any picture ---------------------------------------------------------

bool IsPng(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 8 && std::memcmp(data, signature, 8) == 0;
}

bool DecodeAny(const ResourceBytes& bytes, bool icon, const Canvas& out, int& width, int& height) {
  const std::uint8_t* data = bytes.Data;
  const std::size_t size = bytes.Size;
  if (IsPng(data, size)) return DecodePng(data, size, out, width, height);
  if (icon) return DecodeDib(data, size, true, 0, out, width, height);
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return DecodeJpeg(data, size, out, width, height);
  if (size >= 14 + 12 && data[0] == 'B' && data[1] == 'M') {
    // The file header's pixel offset counts from the file's start.
    const std::uint32_t bitsOffset = pe::ReadU32(data + 10);
    const std::uint64_t fromDib = bitsOffset > 14 ? bitsOffset - 14ull : 0;
    return DecodeDib(data + 14, size - 14, false, fromDib, out, width, height);
  }
  if (bytes.Type == ResourceTypeBitmap) return DecodeDib(data, size, false, 0, out, width, height);
  return false;
}

}  // namespace

bool DecodePicture(const ResourceBytes& bytes, int size, std::vector<std::uint32_t>& argb) {
  argb.clear();
  if (size <= 0 || size > MaxPictureSize) return false;
  argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0u);
  if (!bytes) return false;
  const Canvas canvas{argb.data(), size};
  int width = 0, height = 0;
  if (!DecodeAny(bytes, false, canvas, width, height)) {
    std::fill(argb.begin(), argb.end(), 0u);  // a half-read picture shows nothing
    return false;
  }
  for (std::uint32_t& p : argb)
    if (p == ColourKey) p = 0;
  return true;
}

bool LoadPictureResource(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  const CResourceModule& module = GetResourceModule();
  const ResourceBytes bytes = module.FindPicture(resourceId);
  const bool decoded = DecodePicture(bytes, size, argb);
  // The texture keeps the pixels; the file's bytes are not wanted again soon.
  module.Forget(bytes.Data, bytes.Size);
  return decoded;
}

bool DecodeIcon(const CResourceModule& module, std::uint16_t groupId,
                std::vector<std::uint32_t>& argb, int& width, int& height) {
  argb.clear();
  width = height = 0;
  const ResourceBytes group = module.Find(ResourceTypeGroupIcon, groupId);
  if (!group || group.Size < 6 || pe::ReadU16(group.Data + 2) != 1) return false;
  const std::uint32_t count = pe::ReadU16(group.Data + 4);

  // The largest image, then the deepest; 0 in the directory means 256.
  int bestSide = -1, bestDepth = -1;
  std::uint16_t bestId = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t at = 6 + 14ull * i;
    if (!pe::InRange(group.Size, at, 14)) break;
    const std::uint8_t* e = group.Data + at;
    const int side = e[0] == 0 ? 256 : e[0];
    const int depth = pe::ReadU16(e + 6);
    if (side > bestSide || (side == bestSide && depth > bestDepth)) {
      bestSide = side;
      bestDepth = depth;
      bestId = pe::ReadU16(e + 12);
    }
  }
  if (bestSide < 0) return false;
  const ResourceBytes image = module.Find(ResourceTypeIcon, bestId);
  if (!image) return false;

  std::vector<std::uint32_t> square(static_cast<std::size_t>(MaxIconSize) * MaxIconSize, 0u);
  const Canvas canvas{square.data(), MaxIconSize};
  int w = 0, h = 0;
  if (!DecodeAny(image, true, canvas, w, h)) return false;
  width = std::min(w, MaxIconSize);
  height = std::min(h, MaxIconSize);
  if (width <= 0 || height <= 0) return false;
  argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    std::copy_n(square.begin() + static_cast<std::ptrdiff_t>(y) * MaxIconSize, width,
                argb.begin() + static_cast<std::ptrdiff_t>(y) * width);
  return true;
}

bool LoadIconResource(std::uint16_t groupId, std::vector<std::uint32_t>& argb, int& width,
                      int& height) {
  return DecodeIcon(GetResourceModule(), groupId, argb, width, height);
}
