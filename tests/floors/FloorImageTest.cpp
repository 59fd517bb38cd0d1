// The floor's 65536-byte save image and the copy of one floor into another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/FloorImage.h"
#include "floors/FloorTestSupport.h"
#include "floors/StageFloors.h"
#include "items/CItem.h"
#include "platform/SaveTestSupport.h"

namespace {

using Image = std::vector<std::uint8_t>;

// A save file held in memory: reads give what was put in, and no more.
class MemoryFile : public CSaveFile {
public:
  explicit MemoryFile(Image bytes = {}) : Data(std::move(bytes)) {}
  bool Read(void* buffer, std::uint32_t count, std::uint32_t* done) override {
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, Data.size() - Position));
    if (n > 0) std::memcpy(buffer, Data.data() + Position, n);
    Position += n;
    if (done) *done = n;
    return n == count;
  }
  bool Write(const void* buffer, std::uint32_t count, std::uint32_t* done) override {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    Data.insert(Data.end(), p, p + count);
    if (done) *done = count;
    return true;
  }
  Image Data;
  std::size_t Position = 0;
};

std::int32_t I32At(const Image& image, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, image.data() + at, 4);
  return v;
}

void PutI32(Image& image, std::size_t at, std::int32_t v) { std::memcpy(image.data() + at, &v, 4); }

Image Pack(const CStageData& floor) {
  Image image(FloorImageSize, 0);
  PackFloorImage(image.data(), floor);
  return image;
}

// The length word, then the image.
Image Block(const Image& image, std::uint32_t length = FloorImageSize) {
  Image block(4 + image.size());
  std::memcpy(block.data(), &length, 4);
  std::copy(image.begin(), image.end(), block.begin() + 4);
  return block;
}

std::unique_ptr<CStageData> Load(const Image& block) {
  MemoryFile file(block);
  return std::unique_ptr<CStageData>(LoadSavedFloor(file));
}

class FloorImage : public ::testing::Test {
protected:
  void SetUp() override {
    floor.StageId = 105;
    floor.AreaId = 302;
    for (int i = 0; i < StageCellCount; ++i) {
      floor.terrain[i] = static_cast<TerrainCode>(i % 8);
      floor.visible[i] = static_cast<std::uint8_t>(i % 3);
      floor.explored[i] = static_cast<std::uint8_t>(i % 5 == 0 ? 2 : i % 2);
    }
    floor.CameraX = 12;
    floor.CameraY = 30;
    floor.PrevCameraX = 11;
    floor.PrevCameraY = 31;
    floor.ScrollCounter = 3;
    floor.TurnCounter = 777;
    floor.BgmTrack = 7;
    floor.BgmResourceId = 10007;
    floor.LightMode = 2;
    for (int i = 0; i < StageEventFlagCount; ++i) floor.EventFlags[i] = static_cast<std::uint8_t>(i * 7);
    floor.itemAt[CellIndex(3, 4)] = new CItem;
    floor.characterAt[CellIndex(5, 6)] = &standing;
  }

  CCharacter standing;
  CStageData floor;
};

TEST_F(FloorImage, LayoutOfTheImage) {
  const Image image = Pack(floor);
  EXPECT_EQ(I32At(image, 4 * CellIndex(2, 9)), static_cast<std::int32_t>(CellIndex(2, 9) % 8));
  EXPECT_EQ(image[19200 + 77], 77 % 3);
  EXPECT_EQ(image[20800 + 75], 2);
  const std::pair<std::size_t, std::int32_t> fields[] = {
      {22400, 105}, {22404, 302}, {22408, 40}, {22412, 40}, {22416, 12},    {22420, 30}, {22424, 11},
      {22428, 31},  {22432, 3},   {22436, 777}, {22440, 7}, {22444, 10007}, {22448, 2},
  };
  for (auto [at, value] : fields) EXPECT_EQ(I32At(image, at), value) << "at " << at;
  EXPECT_EQ(image[22452 + 254], static_cast<std::uint8_t>(254 * 7));
  EXPECT_TRUE(std::all_of(image.begin() + 22707, image.end(), [](std::uint8_t b) { return b == 0; }));
  // The occupancy grids are non-zero exactly where someone stands or something lies.
  for (int i = 0; i < StageCellCount; ++i) {
    EXPECT_EQ(I32At(image, 6400 + 4 * i) != 0, i == CellIndex(5, 6)) << i;
    EXPECT_EQ(I32At(image, 12800 + 4 * i) != 0, i == CellIndex(3, 4)) << i;
  }
}

TEST_F(FloorImage, ReadBackByteForByteWithNoOneOnIt) {
  Image expected = Pack(floor);
  std::fill(expected.begin() + 6400, expected.begin() + 19200, 0);
  const auto loaded = Load(Block(Pack(floor)));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Pack(*loaded), expected);
  for (int i = 0; i < StageCellCount; ++i) {
    ASSERT_EQ(loaded->characterAt[i], nullptr);
    ASSERT_EQ(loaded->itemAt[i], nullptr);
  }
  EXPECT_EQ(loaded->ReadyToDraw, 0) << "the caller loads the area";
}

TEST_F(FloorImage, SaveWritesTheLengthWordAndTheImage) {
  TempGameFolder folder;
  CSaveFile& file = GetGameMain()->SaveFile;
  ASSERT_TRUE(file.Create("floor"));
  EXPECT_TRUE(floor.Save());
  ASSERT_TRUE(file.Close());
  std::ifstream in(folder.File("floor"), std::ios::binary);
  const Image written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, Block(Pack(floor)));
}

struct Damage {
  std::size_t At;
  std::int32_t Value;
  const char* What;
};

TEST_F(FloorImage, ADamagedImageBuildsNoFloor) {
  const Damage damages[] = {
      {4 * 100, 8, "terrain 8"},
      {4 * 1599, -1, "terrain -1"},
      {22408, 39, "width"},
      {22412, 41, "height"},
      {22416, 40, "camera x"},
      {22420, -1, "camera y"},
      {22424, -1, "previous camera x"},
      {22428, 40, "previous camera y"},
      {22432, 9, "scroll counter 9"},
      {22432, -1, "scroll counter -1"},
      {22436, -1, "turn counter -1"},
      {22436, std::numeric_limits<std::int32_t>::min(), "turn counter at its bottom"},
      {22440, 19, "music 19"},
      {22440, -2, "music -2"},
      {22400, 800, "the random gallery request"},
      {22400, 999, "a stage id no floor has"},
      {22400, -1, "a negative stage id"},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.What);
    Image image = Pack(floor);
    PutI32(image, d.At, d.Value);
    EXPECT_EQ(Load(Block(image)), nullptr);
  }
}

TEST_F(FloorImage, TheEdgesOfEachRangeLoad) {
  const Damage edges[] = {
      {4 * 100, 7, "terrain 7"}, {22416, 39, "camera x 39"}, {22420, 0, "camera y 0"},
      {22432, 0, "scroll 0"},    {22432, 8, "scroll 8"},     {22440, -1, "no music"},
      {22440, 18, "music 18"},   {22400, 0, "stage 0"},      {22400, 709, "the last generated cave floor"},
      {22436, 0, "turn 0"},      {22436, std::numeric_limits<std::int32_t>::max(), "turn counter at its top"},
  };
  for (const Damage& e : edges) {
    SCOPED_TRACE(e.What);
    Image image = Pack(floor);
    PutI32(image, e.At, e.Value);
    const auto loaded = Load(Block(image));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Pack(*loaded)[e.At], image[e.At]);
  }
  // A saved floor comes back as its own class, not as a new choice.
  const auto lab = Load(Block([&] {
    Image image = Pack(floor);
    PutI32(image, 22400, 612);
    return image;
  }()));
  ASSERT_NE(lab, nullptr);
  EXPECT_EQ(lab->StageId, 612);
  EXPECT_NE(dynamic_cast<CStageDataLevel6_13*>(lab.get()), nullptr);
  // The tutorial, a gallery area and the hand-made floors come back as the
  // same floors, never as a new draw.
  for (std::int32_t special : {500, 812, 817, 6, 636}) {
    Image image = Pack(floor);
    PutI32(image, 22400, special);
    const auto loaded = Load(Block(image));
    ASSERT_NE(loaded, nullptr) << special;
    EXPECT_EQ(loaded->StageId, special);
  }
}

TEST_F(FloorImage, AWrongLengthOrAShortFileBuildsNoFloor) {
  const Image image = Pack(floor);
  for (std::uint32_t length : {0u, 65535u, 65537u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(length);
    Image block = Block(image, length);
    block.resize(4 + std::min<std::size_t>(length, 70000), 0);
    EXPECT_EQ(Load(block), nullptr);
  }
  const Image whole = Block(image);
  for (std::size_t cut : {0, 2, 4, 5, 22404, 65539}) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(Load(Image(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut))), nullptr);
  }
  ASSERT_NE(Load(whole), nullptr);
}

TEST_F(FloorImage, ACopyTakesTheStateAndTheItemsMove) {
  CStageData copy;
  CItem* old = new CItem;
  copy.itemAt[CellIndex(1, 1)] = old;  // deleted by the copy, not leaked
  CItem* moving = floor.itemAt[CellIndex(3, 4)];
  copy.CopyFrom(floor);
  EXPECT_EQ(copy.itemAt[CellIndex(3, 4)], moving);
  EXPECT_EQ(copy.itemAt[CellIndex(1, 1)], nullptr);
  EXPECT_EQ(floor.itemAt[CellIndex(3, 4)], nullptr) << "never two floors owning one item";
  EXPECT_EQ(copy.characterAt[CellIndex(5, 6)], &standing);
  // Everything else of the image is the same.
  Image source = Pack(floor), copied = Pack(copy);
  std::fill(source.begin() + 12800, source.begin() + 19200, 0);
  std::fill(copied.begin() + 12800, copied.begin() + 19200, 0);
  EXPECT_EQ(copied, source);

  copy.CopyFrom(copy);  // onto itself: nothing lost
  EXPECT_EQ(copy.itemAt[CellIndex(3, 4)], moving);
}

}  // namespace
