#include "PictureBundle.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr char Magic[4] = {'V', 'P', 'B', '1'};

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t Get(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(in[at + static_cast<std::size_t>(i)]) << (8 * i);
  return v;
}

}  // namespace

std::vector<std::uint8_t> EncodeBundle(const PictureBundle& pictures) {
  std::vector<std::uint8_t> out(Magic, Magic + 4);
  Put(out, static_cast<std::uint32_t>(pictures.size()), 4);
  for (const auto& [id, png] : pictures) {
    Put(out, id, 2);
    Put(out, static_cast<std::uint32_t>(png.size()), 4);
    out.insert(out.end(), png.begin(), png.end());
  }
  return out;
}

bool DecodeBundle(const std::vector<std::uint8_t>& bytes, PictureBundle& out) {
  out.clear();
  if (bytes.size() < 8 || std::memcmp(bytes.data(), Magic, 4) != 0) return false;
  const std::uint32_t count = Get(bytes, 4, 4);
  std::size_t at = 8;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (bytes.size() - at < 6) return out.clear(), false;
    const auto id = static_cast<std::uint16_t>(Get(bytes, at, 2));
    const std::uint32_t length = Get(bytes, at + 2, 4);
    at += 6;
    if (bytes.size() - at < length || out.count(id)) return out.clear(), false;
    out[id].assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  }
  if (at != bytes.size()) return out.clear(), false;
  return true;
}

bool ReadBundleFile(const std::string& path, PictureBundle& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeBundle(bytes, out);
}
