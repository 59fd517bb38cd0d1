#include "art/Png.h"

#include <png.h>

#include <cstring>
#include <fstream>

std::vector<std::uint8_t> EncodePng(const CCanvas& canvas) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(canvas.Data().size() * 4);
  for (Rgba p : canvas.Data()) {
    if (p.A == 0) p = Clear;
    if (p.A == 255 && p.R == 0 && p.G == 255 && p.B == 0) p.G = 254;
    rgba.insert(rgba.end(), {p.R, p.G, p.B, p.A});
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(canvas.Width());
  image.height = static_cast<png_uint_32>(canvas.Height());
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return {};
  }
  out.resize(size);
  return out;
}

bool DecodePng(const std::vector<std::uint8_t>& png, CCanvas& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out = CCanvas(static_cast<int>(image.width), static_cast<int>(image.height));
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * out.Width() + x) * 4;
      out.Put(x, y, Rgba{p[0], p[1], p[2], p[3]});
    }
  return true;
}

bool WritePngFile(const std::string& path, const CCanvas& canvas) {
  const std::vector<std::uint8_t> png = EncodePng(canvas);
  if (png.empty()) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}
