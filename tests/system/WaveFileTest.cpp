#include <gtest/gtest.h>

#include <memory>

#include "system/WaveFile.h"
#include "system/WaveImage.h"

namespace {

ResourceBytes BytesOf(const std::vector<std::uint8_t>& image) {
  ResourceBytes r;
  r.Data = image.data();
  r.Size = image.size();
  return r;
}

std::vector<std::uint8_t> Prefixed(std::size_t junk, const std::vector<std::uint8_t>& image) {
  std::vector<std::uint8_t> out(junk, 0x55);
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

TEST(WaveFile, ReadsFormatAndSamplesOfOurLayout) {
  const WaveShape shape{1, 2, 22050, 16};
  const auto image = MakeWaveImage(shape, Samples16({1, -1, 2, -2, 3, -3}));
  WaveInfo w;
  ASSERT_TRUE(ParseWave(BytesOf(image), w));
  EXPECT_EQ(w.FormatTag, 1);
  EXPECT_EQ(w.Channels, 2);
  EXPECT_EQ(w.SamplesPerSec, 22050u);
  EXPECT_EQ(w.AvgBytesPerSec, 88200u);
  EXPECT_EQ(w.BlockAlign, 4);
  EXPECT_EQ(w.BitsPerSample, 16);
  EXPECT_EQ(w.DataOffset, 46u);
  EXPECT_EQ(w.Samples, image.data() + 46);
  EXPECT_EQ(w.SampleBytes, 12u);
}

TEST(WaveFile, FindsTheChunksWhereverTheyLieWithinTheirWindows) {
  const WaveShape shape;
  const auto base = MakeWaveImage(shape, Samples16({7, 8}));

  // Another chunk between "fmt " and "data": the offset actually found
  // counts, not the usual 46.
  std::vector<std::uint8_t> withList(base.begin(), base.begin() + 38);
  PutTag(withList, "LIST");
  PutLe(withList, 4, 4);
  PutTag(withList, "INFO");
  withList.insert(withList.end(), base.begin() + 38, base.end());

  struct Case {
    const char* Name;
    std::vector<std::uint8_t> Image;
    bool Found;
    std::uint32_t DataOffset;
  };
  const Case cases[] = {
      {"RIFF at 1999", Prefixed(1999, base), true, 1999 + 46},
      {"RIFF at 2000", Prefixed(2000, base), false, 0},
      {"chunk between", withList, true, 58},
  };
  for (const Case& c : cases) {
    WaveInfo w;
    EXPECT_EQ(ParseWave(BytesOf(c.Image), w), c.Found) << c.Name;
    if (!c.Found) continue;
    EXPECT_EQ(w.DataOffset, c.DataOffset) << c.Name;
    EXPECT_EQ(w.SampleBytes, 4u) << c.Name;
    EXPECT_EQ(w.Samples[0], 7) << c.Name;
  }
}

TEST(WaveFile, RefusesDamagedImages) {
  const WaveShape shape;
  const auto good = MakeWaveImage(shape, Samples16({1, 2, 3}));
  auto noFmt = good;
  noFmt[14] = 'x';  // "fmx "
  auto noData = good;
  noData[41] = '_';  // "dat_"
  auto shortFmt = good;
  shortFmt[16] = 14;  // fewer bytes than the fields up to BitsPerSample
  auto hugeFmt = good;
  hugeFmt[16] = 0xFF;
  hugeFmt[17] = 0xFF;
  hugeFmt[18] = 0xFF;
  // "data" further than 65535 bytes past "RIFF".
  std::vector<std::uint8_t> farData(good.begin(), good.begin() + 38);
  PutTag(farData, "JUNK");
  PutLe(farData, 70000, 4);
  farData.resize(farData.size() + 70000, 0);
  farData.insert(farData.end(), good.begin() + 38, good.end());

  const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
      {"no fmt", noFmt}, {"no data", noData}, {"short fmt", shortFmt},
      {"fmt past the end", hugeFmt}, {"data too far", farData}, {"empty", {}},
  };
  for (const auto& [name, image] : cases) {
    WaveInfo w;
    EXPECT_FALSE(ParseWave(BytesOf(image), w)) << name;
    EXPECT_EQ(w.Samples, nullptr) << name;
  }
}

// Every cut of an image is read within its bytes (the sanitizer build sees
// any read past them); the samples kept never reach past the end.
TEST(WaveFile, TruncatedImagesAreReadWithinTheirBytes) {
  const auto image = MakeWaveImage(WaveShape{}, Samples16({1, 2, 3, 4, 5, 6, 7, 8}));
  for (std::size_t size = 0; size <= image.size(); ++size) {
    std::unique_ptr<std::uint8_t[]> cut(new std::uint8_t[size ? size : 1]);
    std::memcpy(cut.get(), image.data(), size);
    ResourceBytes r;
    r.Data = cut.get();
    r.Size = size;
    WaveInfo w;
    const bool ok = ParseWave(r, w);
    EXPECT_EQ(ok, size >= 46) << size;
    if (ok) {
      EXPECT_EQ(w.SampleBytes, size - 46) << size;
    }
  }
  // A "data" length larger than what follows is cut to what is there.
  const auto lying = MakeWaveImage(WaveShape{}, Samples16({1, 2}), 1 << 30);
  WaveInfo w;
  ASSERT_TRUE(ParseWave(BytesOf(lying), w));
  EXPECT_EQ(w.SampleBytes, 4u);
}

}  // namespace
