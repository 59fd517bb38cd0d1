#include "system/WaveFile.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr std::size_t RiffSearchBytes = 2000;
constexpr std::size_t ChunkSearchBytes = 65535;
constexpr std::size_t FormatBodyMin = 16;  // the fields up to BitsPerSample

std::uint16_t Read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// First offset in [from, limit) where `tag` starts with `need` bytes present
// from there on; `size` when there is none.
std::size_t FindTag(const std::uint8_t* data, std::size_t size, std::size_t from,
                    std::size_t limit, const char* tag, std::size_t need) {
  if (size < need) return size;
  const std::size_t lastStart = size - need;
  if (limit > lastStart + 1) limit = lastStart + 1;
  for (std::size_t i = from; i < limit; ++i) {
    if (std::memcmp(data + i, tag, 4) == 0) return i;
  }
  return size;
}

}  // namespace

bool ParseWave(const ResourceBytes& bytes, WaveInfo& out) {
  out = WaveInfo{};
  if (!bytes) return false;
  const std::uint8_t* data = bytes.Data;
  const std::size_t size = bytes.Size;

  const std::size_t riff = FindTag(data, size, 0, RiffSearchBytes, "RIFF", 4);
  if (riff == size) return false;
  const std::size_t window = riff + ChunkSearchBytes;

  const std::size_t fmt = FindTag(data, size, riff + 4, window, "fmt ", 8);
  if (fmt == size) return false;
  const std::uint32_t fmtSize = Read32(data + fmt + 4);
  const std::size_t fmtBody = fmt + 8;
  if (fmtSize < FormatBodyMin || fmtSize > size - fmtBody) return false;

  // The "data" tag is looked for past the format body, whose numbers could
  // spell it by chance.
  const std::size_t dataTag = FindTag(data, size, fmtBody + fmtSize, window, "data", 8);
  if (dataTag == size) return false;

  const std::uint8_t* f = data + fmtBody;
  out.FormatTag = Read16(f);
  out.Channels = Read16(f + 2);
  out.SamplesPerSec = Read32(f + 4);
  out.AvgBytesPerSec = Read32(f + 8);
  out.BlockAlign = Read16(f + 12);
  out.BitsPerSample = Read16(f + 14);

  const std::size_t body = dataTag + 8;
  const std::size_t present = size - body;
  const std::uint32_t declared = Read32(data + dataTag + 4);
  out.Samples = data + body;
  // A resource cut short keeps what it has; the declared length is no bound.
  out.SampleBytes = present < declared ? static_cast<std::uint32_t>(present) : declared;
  out.DataOffset = static_cast<std::uint32_t>(body);
  return true;
}
