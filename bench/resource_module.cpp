// Opening "Resource.dll" and decoding one 512 x 512 picture from it, against
// reading the same PNG from a plain file and decoding it.
#include <benchmark/benchmark.h>

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "system/PeWriter.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"

namespace {

constexpr int Size = 512;
constexpr std::uint16_t PictureResource = 300;

// A picture that compresses like drawn art: smooth shapes with some grain.
std::vector<std::uint8_t> MakePng() {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(Size) * Size * 4);
  std::uint32_t seed = 12345;
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      seed = seed * 214013u + 2531011u;
      std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * Size + x) * 4];
      const int grain = static_cast<int>((seed >> 16) & 7);
      p[0] = static_cast<std::uint8_t>((x * 255 / Size) ^ grain);
      p[1] = static_cast<std::uint8_t>(((x / 32 + y / 32) & 1) ? 200 : 60);
      p[2] = static_cast<std::uint8_t>((y * 255 / Size) ^ grain);
      p[3] = ((x / 16 + y / 16) % 5) == 0 ? 0 : 255;
    }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = Size;
  image.height = Size;
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> out(PNG_IMAGE_PNG_SIZE_MAX(image));
  png_alloc_size_t size = out.size();
  png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
  out.resize(size);
  return out;
}

struct Files {
  std::string Module;
  std::string Picture;
  Files() {
    const std::string folder = "/tmp/vorlumen_bench_" + std::to_string(::getpid());
    Module = folder + "_Resource.dll";
    Picture = folder + "_picture.png";
    const std::vector<std::uint8_t> png = MakePng();
    CPeResourceWriter writer;
    writer.Add(10, PictureResource, png);
    // Neighbours, as the real module has them.
    for (std::uint16_t id = 400; id < 560; ++id) writer.Add(10, id, std::vector<std::uint8_t>(4096, 1));
    for (std::uint16_t id = 20000; id < 20087; ++id) writer.Add("WAVE", id, std::vector<std::uint8_t>(8192, 2));
    writer.WriteFile(Module);
    std::FILE* f = std::fopen(Picture.c_str(), "wb");
    if (f) {
      std::fwrite(png.data(), 1, png.size(), f);
      std::fclose(f);
    }
  }
  ~Files() {
    std::remove(Module.c_str());
    std::remove(Picture.c_str());
  }
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

void BM_OpenModuleAndDecode(benchmark::State& state) {
  const Files& files = TheFiles();
  std::vector<std::uint32_t> argb;
  for (auto _ : state) {
    CResourceModule module;
    module.Open(files.Module);
    const bool ok = DecodePicture(module.FindPicture(PictureResource), Size, argb);
    if (!ok) state.SkipWithError("no picture in the module");
    benchmark::DoNotOptimize(argb.data());
  }
}
BENCHMARK(BM_OpenModuleAndDecode)->Unit(benchmark::kMillisecond);

void BM_ReadPngFileAndDecode(benchmark::State& state) {
  const Files& files = TheFiles();
  std::vector<std::uint32_t> argb;
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    bytes.clear();
    std::FILE* f = std::fopen(files.Picture.c_str(), "rb");
    if (!f) {
      state.SkipWithError("no picture file");
      break;
    }
    std::uint8_t buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    ResourceBytes view;
    view.Data = bytes.data();
    view.Size = bytes.size();
    if (!DecodePicture(view, Size, argb)) state.SkipWithError("picture did not decode");
    benchmark::DoNotOptimize(argb.data());
  }
}
BENCHMARK(BM_ReadPngFileAndDecode)->Unit(benchmark::kMillisecond);

// The lookup alone, in an open module.
void BM_FindPicture(benchmark::State& state) {
  CResourceModule module;
  module.Open(TheFiles().Module);
  for (auto _ : state) benchmark::DoNotOptimize(module.FindPicture(PictureResource).Data);
}
BENCHMARK(BM_FindPicture);

}  // namespace
