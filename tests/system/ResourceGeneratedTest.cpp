// The module the build makes beside the program: every picture, the icon,
// every sound effect and every music track the game asks for.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Needs.h"
#include "art/Items.h"
#include "art/Pictures.h"
#include "art/SheetTables.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayerChild.h"
#include "characters/CharacterFactory.h"
#include "monsters/MonsterTables.h"
#include "platform/PictureTable.h"
#include "platform/Renderer.h"
#include "platform/SoundTables.h"
#include "system/PeFormat.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"

namespace {

constexpr std::uint16_t WindowIconId = 51890;
constexpr std::uint32_t WaveHeaderSize = 46;

class GeneratedModule : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    const std::string path = std::string(VORLUMEN_BUILD_DIR) + "/Resource.dll";
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) Opened = Module().Open(path);
  }
  static void TearDownTestSuite() { Module().Close(); }
  void SetUp() override {
    VORLUMEN_NEED(Opened ? "" : "a generated Resource.dll that opens");
  }
  static CResourceModule& Module() {
    static CResourceModule module;
    return module;
  }
  static bool Opened;
};
bool GeneratedModule::Opened = false;

struct Wave {
  std::uint16_t Channels = 0, Bits = 0;
  std::uint32_t Rate = 0, DataBytes = 0;
  // The sample at `byteOffset` into the data.
  static int Sample(const ResourceBytes& r, std::uint32_t byteOffset) {
    return static_cast<std::int16_t>(pe::ReadU16(r.Data + WaveHeaderSize + byteOffset));
  }
};

// Our own layout: "fmt " of 18 bytes straight before "data", the samples
// 46 bytes in.
::testing::AssertionResult ReadOwnWave(const ResourceBytes& r, Wave& w) {
  if (!r || r.Size < WaveHeaderSize) return ::testing::AssertionFailure() << "missing or short";
  if (std::memcmp(r.Data, "RIFF", 4) != 0 || std::memcmp(r.Data + 8, "WAVEfmt ", 8) != 0 ||
      pe::ReadU32(r.Data + 16) != 18 || std::memcmp(r.Data + 38, "data", 4) != 0)
    return ::testing::AssertionFailure() << "not our WAVE layout";
  if (pe::ReadU32(r.Data + 4) != r.Size - 8) return ::testing::AssertionFailure() << "RIFF size";
  if (pe::ReadU16(r.Data + 20) != 1) return ::testing::AssertionFailure() << "not PCM";
  w.Channels = pe::ReadU16(r.Data + 22);
  w.Rate = pe::ReadU32(r.Data + 24);
  w.Bits = pe::ReadU16(r.Data + 34);
  w.DataBytes = pe::ReadU32(r.Data + 42);
  if (pe::ReadU32(r.Data + 28) != w.Rate * w.Channels * w.Bits / 8 ||
      pe::ReadU16(r.Data + 32) != w.Channels * w.Bits / 8)
    return ::testing::AssertionFailure() << "inconsistent format";
  if (w.DataBytes != r.Size - WaveHeaderSize) return ::testing::AssertionFailure() << "data size";
  return ::testing::AssertionSuccess();
}

}  // namespace

// Each texture's resource is a picture of exactly its texture's size (the
// PNG header says so), and it decodes; every picture id reaches one.
TEST_F(GeneratedModule, EveryPictureIsThereAtItsSize) {
  std::vector<std::uint32_t> argb;
  for (const PictureRow& row : PictureTable) {
    SCOPED_TRACE("picture " + std::to_string(row.Id));
    const int size = static_cast<int>(TextureSizeOf(static_cast<int>(row.Id)));
    const ResourceBytes bytes = Module().FindPicture(static_cast<std::uint16_t>(row.ResourceId));
    ASSERT_TRUE(bytes);
    ASSERT_GE(bytes.Size, 24u);
    ASSERT_EQ(std::memcmp(bytes.Data + 12, "IHDR", 4), 0);
    EXPECT_EQ(pe::ReadU32(bytes.Data + 16), __builtin_bswap32(static_cast<std::uint32_t>(size)));
    EXPECT_EQ(pe::ReadU32(bytes.Data + 20), __builtin_bswap32(static_cast<std::uint32_t>(size)));
    if (row.Slot != row.Id) continue;  // the texture is checked under its own row
    ASSERT_TRUE(DecodePicture(bytes, size, argb));
    if (row.ResourceId == 198) continue;  // the font atlas may come from the renderer's tool
    if (row.Id == 10) {
      for (std::uint32_t p : argb) ASSERT_EQ(p, 0xFFFFFFFFu);  // fades and flashes need plain white
      continue;
    }
    if (IsDrawnResource(static_cast<int>(row.ResourceId))) continue;  // drawn art: the cells are checked below
    // Pattern tiles: opaque, with the keyed-out pixel in each tile's corner.
    EXPECT_EQ(argb[static_cast<std::size_t>(15 * size + 15)], 0u);
    EXPECT_EQ(argb[static_cast<std::size_t>(size * size - 1)], 0u);
    EXPECT_EQ(argb[static_cast<std::size_t>(3 * size + 5)] >> 24, 0xFFu);
  }
}

namespace {

// The texture row of a resource id (the row whose slot is itself).
const PictureRow* TextureRowOf(int resource) {
  for (const PictureRow& row : PictureTable)
    if (static_cast<int>(row.ResourceId) == resource && row.Slot == row.Id) return &row;
  return nullptr;
}

bool NoPicture(std::uint16_t, int, std::vector<std::uint32_t>&) { return false; }

// The cells of a character's frame table: every record with a picture, in
// each sheet row the character draws it in as it turns (the game's own
// rows: the player's pairs, the monsters' and the effects' single rows).
void AddFrameCells(CCharacter& character, const std::string& who, std::vector<AddressedCell>& cells) {
  std::set<int> rows;
  for (const Direction d : {DirectionDown, DirectionDownRight, DirectionRight, DirectionUpRight, DirectionUp}) {
    character.SetDirection(d);
    rows.insert(character.GetSpriteRow());
  }
  for (std::size_t e = 0; e < character.frames.size(); ++e) {
    const AnimationFrame& f = character.frames[e];
    if (f.texture == 0 || f.right <= f.left) continue;
    const PictureRow* row = GetPictureRow(f.texture);
    if (!row) continue;
    const int w = f.right - f.left + 1, h = f.bottom - f.top + 1;
    for (const int r : rows)
      cells.push_back({static_cast<int>(row->ResourceId), f.centreX + f.left, f.centreY + f.top + r * h, w, h,
                       who + " entry " + std::to_string(e)});
  }
}

// The records a companion lays for what the player holds, one sheet row
// per facing as the character base turns it.
void AddCompanionCells(const CompanionLayout& layout, const std::string& who, std::vector<AddressedCell>& cells) {
  for (int i = 0; i < layout.Count; ++i) {
    const CompanionCell& c = layout.Cells[i];
    const PictureRow* row = GetPictureRow(c.Picture);
    if (c.Picture == 0 || !row) continue;
    for (int facing = 0; facing < 5; ++facing)
      cells.push_back({static_cast<int>(row->ResourceId), c.X - layout.Size / 2, c.Y - layout.Size / 2 + facing * layout.Size,
                       layout.Size, layout.Size, who + " record " + std::to_string(layout.First + i)});
  }
}

// The characters, made without loading a picture: the effects, the nine
// player classes, every monster class and what the companions hold.
std::vector<AddressedCell> GameCharacterCells() {
  SetPictureLoader(&NoPicture);
  std::vector<AddressedCell> cells;
  {
    CCharacterEffect effect;
    AddFrameCells(effect, "effect", cells);
  }
  for (CharacterType type = 0; type < 9; ++type) {
    std::unique_ptr<CCharacter> player(CreateCharacter(type));
    if (player) AddFrameCells(*player, "class " + std::to_string(type), cells);
  }
  int monsters = 0;
  for (CharacterType type = FirstMonsterType; type <= LastMonsterType; ++type) {
    if (!FindMonsterClass(type)) continue;
    std::unique_ptr<CCharacter> monster(CreateCharacter(type));
    if (!monster) continue;
    AddFrameCells(*monster, "monster " + std::to_string(type), cells);
    ++monsters;
  }
  EXPECT_GE(monsters, 3 * (MonsterFamilyCount - 2) + 2);  // the Treant and the Alchemist come in one grade
  SetPictureLoader(nullptr);
  for (int g = 0; g <= static_cast<int>(WeaponGroup::Kunai); ++g)
    for (const bool second : {false, true})
      AddCompanionCells(CompanionWeaponLayout(static_cast<WeaponGroup>(g), second), "weapon group " + std::to_string(g), cells);
  AddCompanionCells(CompanionBowLayout(false), "bow", cells);
  AddCompanionCells(CompanionBowLayout(true), "arrow", cells);
  return cells;
}

}  // namespace

// Every cell that a frame table of the game (the items' floor and icon
// frames; the records of the effects, the player classes, the monsters and
// the companions in their facing rows) or of the generator (the floor's
// tile rules, the interface's and the screens' cells) addresses lies
// inside its picture, and something is drawn there.
TEST_F(GeneratedModule, EveryAddressedCellIsInsideItsPictureAndNotEmpty) {
  std::vector<AddressedCell> cells = AddressedCells();
  const std::vector<AddressedCell> characters = GameCharacterCells();
  ASSERT_GT(characters.size(), 1000u);
  cells.insert(cells.end(), characters.begin(), characters.end());
  for (const ItemCell& item : ItemFrameCells()) {
    // The tutorial's stairs marker (0xd06) names picture 0 at (0, 240), off
    // its 32-texel picture; it starts hidden and is never drawn.
    if (item.Id == 0xd06) continue;
    const PictureRow* row = GetPictureRow(item.Picture);
    ASSERT_NE(row, nullptr) << item.Name;
    cells.push_back({static_cast<int>(row->ResourceId), item.X, item.Y, item.W, item.H, item.Name});
  }
  std::map<int, std::vector<std::uint32_t>> decoded;
  int checked = 0;
  for (const AddressedCell& cell : cells) {
    SCOPED_TRACE(cell.Role + " in resource " + std::to_string(cell.Resource) + " at (" + std::to_string(cell.X) + ", " +
                 std::to_string(cell.Y) + ") " + std::to_string(cell.W) + " x " + std::to_string(cell.H));
    const PictureRow* row = TextureRowOf(cell.Resource);
    ASSERT_NE(row, nullptr);
    const int size = static_cast<int>(row->Size);
    ASSERT_TRUE(cell.W > 0 && cell.H > 0 && cell.X >= 0 && cell.Y >= 0 && cell.X + cell.W <= size && cell.Y + cell.H <= size)
        << "outside the " << size << " x " << size << " picture";
    auto it = decoded.find(cell.Resource);
    if (it == decoded.end()) {
      std::vector<std::uint32_t> argb;
      ASSERT_TRUE(DecodePicture(Module().FindPicture(static_cast<std::uint16_t>(cell.Resource)), size, argb));
      it = decoded.emplace(cell.Resource, std::move(argb)).first;
    }
    bool drawn = false;
    for (int y = cell.Y; y < cell.Y + cell.H && !drawn; ++y)
      for (int x = cell.X; x < cell.X + cell.W && !drawn; ++x) drawn = (it->second[static_cast<std::size_t>(y) * size + x] >> 24) != 0;
    EXPECT_TRUE(drawn) << "nothing drawn";
    ++checked;
  }
  EXPECT_GT(checked, 5000);
}

TEST_F(GeneratedModule, WindowIconIsThere) {
  std::vector<std::uint32_t> argb;
  int width = 0, height = 0;
  ASSERT_TRUE(DecodeIcon(Module(), WindowIconId, argb, width, height));
  EXPECT_EQ(width, 256);
  EXPECT_EQ(height, 256);
  EXPECT_EQ(argb.front() >> 24, 0u);                 // a transparent corner
  EXPECT_EQ(argb[128 * 256 + 128] >> 24, 0xFFu);     // an opaque middle
}

TEST_F(GeneratedModule, EverySoundEffectIsADistinctShortWave) {
  std::set<std::vector<std::uint8_t>> seen;
  for (int i = 0; i < SoundEffectCount; ++i) {
    SCOPED_TRACE("effect " + std::to_string(i));
    const ResourceBytes r = Module().Find("WAVE", SoundEffectResourceIds[i]);
    Wave w;
    ASSERT_TRUE(ReadOwnWave(r, w));
    EXPECT_EQ(w.Bits, 16);
    EXPECT_GT(w.DataBytes, 0u);
    EXPECT_LE(w.DataBytes / (w.Rate * w.Channels * 2.0), 1.0);  // seconds
    EXPECT_TRUE(seen.emplace(r.Data + WaveHeaderSize, r.Data + r.Size).second) << "same as another";
  }
}

// Each track runs at least to its loop end; where the loop jumps back, the
// next frame is the loop start's, and the two meet without a jump in level.
TEST_F(GeneratedModule, EveryMusicTrackLoopsWithoutAClick) {
  for (int t = 0; t < BgmTrackCount; ++t) {
    SCOPED_TRACE("track " + std::to_string(t));
    const MusicRow& row = MusicTable[t];
    const ResourceBytes r = Module().Find("WAVE", static_cast<std::uint16_t>(BgmResourceBase + t));
    Wave w;
    ASSERT_TRUE(ReadOwnWave(r, w));
    EXPECT_EQ(w.Channels, 2);
    EXPECT_EQ(w.Rate, 44100u);
    EXPECT_EQ(w.Bits, 16);
    ASSERT_GE(w.DataBytes, row.LoopEnd + 4);

    int peak = 0;
    for (std::uint32_t at = row.LoopStart; at < row.LoopEnd; at += 4 * 997)
      peak = std::max(peak, std::abs(Wave::Sample(r, at)));
    EXPECT_GT(peak, 2000) << "a tune, not silence";

    for (std::uint32_t c = 0; c < 2; ++c) {
      const int beforeEnd = Wave::Sample(r, row.LoopEnd - 4 + 2 * c);
      const int atStart = Wave::Sample(r, row.LoopStart + 2 * c);
      const int afterEnd = Wave::Sample(r, row.LoopEnd + 2 * c);
      EXPECT_EQ(afterEnd, atStart);  // the data runs on as the loop does
      EXPECT_LE(std::abs(beforeEnd - atStart), 300);
    }
  }
}
