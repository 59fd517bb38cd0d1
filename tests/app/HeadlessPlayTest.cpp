// A whole stretch of play, headless: a new game on a fixed seed, dungeon
// and class, driven only by key events through the path a player's keys
// take, with the pictures of the game's own resource module. Its end state
// and a few drawn frames are pinned (the frames also as pictures, in
// frames/): a change that alters the play on purpose shows here, and its
// new pins are reviewed like the change.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/KeyPlaySupport.h"
#include "app/ProgramRunner.h"
#include "items/CItem.h"
#include "system/PictureDecode.h"
#include "ui/CGameInputMainMap.h"
#include "ui/CGameInputStageStart.h"

namespace {

// Whether the SDL loaded is the very one the game was built against.
bool TheSdlBuiltAgainst() {
  SDL_version built, running;
  SDL_VERSION(&built);
  SDL_GetVersion(&running);
  return built.major == running.major && built.minor == running.minor && built.patch == running.patch;
}

constexpr std::uint32_t Seed = 20261210;
constexpr int Dungeon = 1;  // LEVEL 1
constexpr std::uint32_t PlayerClass = 0;

// FNV-1a, 64 bits.
class Digest {
public:
  void Add(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) Value = (Value ^ p[i]) * 0x100000001b3ull;
  }
  template <class T>
  void AddValue(const T& v) {
    Add(&v, sizeof v);
  }
  std::uint64_t Value = 0xcbf29ce484222325ull;
};

using namespace keyplay;

class HeadlessPlay : public KeyPlay {
protected:
  void SetUp() override {
    KeyPlay::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    StartRun(Seed, Dungeon, PlayerClass);
  }

  // The first straight direction the player can step in.
  std::uint32_t OpenStraightKey() const {
    const int x = game->Player->GetX(), y = game->Player->GetY();
    const struct {
      int Dx, Dy;
      std::uint32_t Key;
    } ways[] = {{-1, 0, KeyLeft}, {1, 0, KeyRight}, {0, -1, KeyUp}, {0, 1, KeyDown}};
    for (const auto& w : ways)
      if (game->CurrentStage->CanStep(x, y, x + w.Dx, y + w.Dy, 0)) return w.Key;
    return KeyLeft;
  }

  // The last frame as it reached the window.
  std::vector<std::uint32_t> WindowFrame() {
    GrabWindow();
    return Pixels;
  }
  // The run as "save" would keep it (player, others, their items, the
  // floor and what lies on it) with the floor number, turns and generator.
  std::uint64_t StateDigest() {
    game->CaptureSaveImage();
    const SuspendedGameImage& image = game->SaveImageRecords;
    Digest d;
    d.Add(image.Floor.data(), image.Floor.size());
    for (const CharacterRecord& r : image.Characters) d.AddValue(r);
    for (const ItemRecord& r : image.CarriedItems) d.AddValue(r);
    for (const ItemRecord& r : image.LooseItems) d.AddValue(r);
    d.AddValue(game->Settings.Block.FloorNumber);
    d.AddValue(game->Settings.Block.TurnCount);
    d.AddValue(GetRandomState());
    return d.Value;
  }
};

std::uint64_t Hash(const std::vector<std::uint32_t>& frame) {
  Digest d;
  d.Add(frame.data(), frame.size() * sizeof(frame[0]));
  return d.Value;
}

std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(v));
  return text;
}

std::string Rgb(std::uint32_t argb) {
  char text[12];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(argb & 0xFFFFFFu));
  return text;
}

// The pinned frames as pictures, in tests/app/frames.
constexpr int FrameWidth = 320, FrameHeight = 180;
constexpr const char* FramePictures[] = {"headless-play-0-first-view.png", "headless-play-1-turn-in-place.png",
                                         "headless-play-2-map.png", "headless-play-3-next-floor-banner.png"};

bool ReadFramePicture(const char* name, std::vector<std::uint32_t>& argb) {
  const std::string png = ReadTextFile(std::string(VORLUMEN_TEST_SOURCE_DIR "/app/frames/") + name);
  const ResourceBytes bytes{reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), ResourceTypeRcData};
  std::vector<std::uint32_t> square;
  if (png.empty() || !DecodePicture(bytes, FrameWidth, square)) return false;
  argb.clear();
  for (int y = 0; y < FrameHeight; ++y)
    for (int x = 0; x < FrameWidth; ++x) argb.push_back(square[static_cast<std::size_t>(y) * FrameWidth + x] | 0xFF000000u);
  return true;
}

// A frame that differs from its pin, as a picture (PPM) in the folder the
// test runs in, for review.
void WriteFramePicture(const char* name, const std::vector<std::uint32_t>& argb) {
  if (argb.size() != static_cast<std::size_t>(FrameWidth) * FrameHeight) return;
  std::string path = std::string("failed-") + name;
  path.replace(path.rfind('.'), std::string::npos, ".ppm");
  std::ofstream out(path, std::ios::binary);
  out << "P6 " << FrameWidth << ' ' << FrameHeight << " 255\n";
  for (const std::uint32_t p : argb) out << static_cast<char>(p >> 16) << static_cast<char>(p >> 8) << static_cast<char>(p);
  std::fprintf(stderr, "the frame drawn is in %s\n", path.c_str());
}

// The first pixel with a channel more than two levels off its pin; "" when
// there is none.
std::string FirstPixelOff(const std::vector<std::uint32_t>& frame, const std::vector<std::uint32_t>& pinned) {
  if (frame.size() != pinned.size()) return "a frame of another size";
  for (std::size_t i = 0; i < frame.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const int drawn = static_cast<int>(frame[i] >> shift & 0xFF), pin = static_cast<int>(pinned[i] >> shift & 0xFF);
      if (std::abs(drawn - pin) > 2)
        return "at " + std::to_string(i % FrameWidth) + ", " + std::to_string(i / FrameWidth) + ": " + Rgb(frame[i]) +
               " drawn, " + Rgb(pinned[i]) + " pinned";
    }
  return "";
}

TEST_F(HeadlessPlay, FromANewGameDownTheStairsToTheNextFloorsBanner) {
  ASSERT_TRUE(NextTurn()) << "the first floor's banner hands over";
  const CCharacterPlayer* player = game->Player;
  ASSERT_NE(player, nullptr);
  std::vector<std::vector<std::uint32_t>> frames{WindowFrame()};

  // A step into the open, a turn in place, a dash and a blow.
  Way way{};
  ASSERT_TRUE(FirstStep([&](int x, int y) { return game->CurrentStage->IsFloor(x, y); }, way));
  ASSERT_TRUE(StepToward(way));
  Press(KeyDirection);
  Press(KeyRight);
  for (int i = 0; i < 4; ++i) Frame();
  EXPECT_EQ(player->direction, DirectionRight);
  EXPECT_EQ(State(), StateMainNormal) << "a turn in place spends nothing";
  frames.push_back(WindowFrame());
  ReleaseKeys();
  Frame();
  ASSERT_TRUE(Command({KeyDash, OpenStraightKey()}));
  ASSERT_TRUE(Command({KeyAttack}));

  // The nearest mining point, struck until it breaks and scatters what it
  // holds; then to the nearest of it, which the bag takes.
  const auto miningPointAt = [&](int x, int y) {
    const CCharacter* c = game->CurrentStage->GetCharacterAt(x, y);
    return c && c->IsMiningPoint() && c->hp > 0;
  };
  int struck = 0;
  for (int turn = 0; turn < 200; ++turn) {
    Way toward{};
    if (!FirstStep(miningPointAt, toward)) break;
    const int x = player->GetX() + toward.Dx, y = player->GetY() + toward.Dy;
    if (miningPointAt(x, y)) ++struck;
    ASSERT_TRUE(StepToward(toward));
    if (struck > 0 && !miningPointAt(x, y)) break;
  }
  ASSERT_GT(struck, 0);
  const int carried = player->itemCount;
  ASSERT_TRUE(WalkTo([&](int x, int y) {
    const CItem* item = game->CurrentStage->GetRevealedItemAt(x, y);
    return (item && !item->IsTrap()) || player->itemCount > carried;
  }));
  ASSERT_TRUE(NextTurn());
  EXPECT_GT(player->itemCount, carried) << "picked up";

  // The map while MAP is held.
  Press(KeyMap);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(Play()->GetChild(), GetGameInputMainMap());
  frames.push_back(WindowFrame());
  ReleaseKeys();
  ASSERT_TRUE(NextTurn());

  // Down the stairs: YES, and the next floor's banner with its name.
  WantStairs = true;
  ASSERT_TRUE(WalkTo([&](int x, int y) { return game->CurrentStage->IsStairs(x, y); }));
  ASSERT_NE(Play()->GetChild(), nullptr) << "the question on the stairs";
  ASSERT_TRUE(AnswerYesOnTheStairs());
  CGameInputStageStart* banner = GetGameInputStageStart();
  ASSERT_TRUE(RunUntil([&] { return banner->GetPhase() == CGameInputStageStart::PhaseNameShown; }));
  EXPECT_EQ(game->Settings.Block.FloorNumber, 2u);
  frames.push_back(WindowFrame());
  ASSERT_TRUE(NextTurn());

  const std::uint64_t digest = StateDigest();
  std::string all = Hex(digest);
  for (const auto& f : frames) all += " " + Hex(Hash(f));
  // Pins: the end state, then the frames (first view, a turn in place,
  // the map, the next floor's banner).
  // The frames are read from the window, which keeps no alpha; the state
  // holds the monsters' targets.
  const std::uint64_t Pinned[] = {0x97ad66edcbc5d5a0, 0x8251082065e10225, 0xe63809c4fbbba5a0, 0xb26873ae04f52adf,
                                  0xffffcfbc29696f17};
  EXPECT_EQ(digest, Pinned[0]) << "all: " << all;
  ASSERT_EQ(frames.size(), std::size(FramePictures));
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(FramePictures[i]);
    std::vector<std::uint32_t> pinned;
    ASSERT_TRUE(ReadFramePicture(FramePictures[i], pinned));
    ASSERT_EQ(Hash(pinned), Pinned[1 + i]) << "the stored picture is the pinned frame";
    // Another SDL's blitter rounds half-transparent texels otherwise: its
    // frames are held to the pinned pictures within that rounding.
    const std::string off = !TheSdlBuiltAgainst()            ? FirstPixelOff(frames[i], pinned)
                            : Hash(frames[i]) != Pinned[1 + i] ? "drawn otherwise"
                                                               : "";
    EXPECT_EQ(off, "") << "all: " << all;
    if (!off.empty()) WriteFramePicture(FramePictures[i], frames[i]);
  }
}

}  // namespace
