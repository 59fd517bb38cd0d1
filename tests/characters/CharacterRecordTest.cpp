#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "characters/CarrierTestSupport.h"
#include "characters/CharacterFactory.h"
#include "characters/CharacterRecord.h"
#include "items/ItemRecord.h"
#include "items/ItemTestSupport.h"
#include "platform/SaveTestSupport.h"

namespace {

using runtest::MakeTestCharacter;
using runtest::TestMonster;
using runtest::TestPlayer;
using CharacterPtr = std::unique_ptr<CCharacter>;

constexpr ItemId Sword = 0x001;
constexpr ItemId StoneArrow = 0x200;
constexpr ItemId Herb = 0x800;

std::int32_t WordAt(const CharacterRecord& r, int at) {
  std::int32_t v;
  std::memcpy(&v, r.Bytes + at, 4);
  return v;
}
double DoubleAt(const CharacterRecord& r, int at) {
  double v;
  std::memcpy(&v, r.Bytes + at, 8);
  return v;
}

CharacterRecord RecordOf(const CCharacter& c) {
  CharacterRecord r;
  CharacterToRecord(c, r);
  return r;
}

// A player whose every stored field differs from its neighbours'.
void FillEveryField(CCharacter& c) {
  c.spareFlag = 7;
  c.sureHit = 1;
  std::int32_t CCharacter::*words[] = {
      &CCharacter::satiety,       &CCharacter::hp,
      &CCharacter::maxHp,    &CCharacter::attack,      &CCharacter::defence,       &CCharacter::accuracy,
      &CCharacter::evasion,  &CCharacter::criticalChance, &CCharacter::counterDamagePercent,
      &CCharacter::maxHpX100, &CCharacter::strength,   &CCharacter::spareStat,     &CCharacter::meleeAttackType,
      &CCharacter::meleeReach, &CCharacter::passesWalls, &CCharacter::regenAmount, &CCharacter::actionPoints,
      &CCharacter::regenProgress, &CCharacter::animTick, &CCharacter::animSpare,  &CCharacter::selectedItem,
      &CCharacter::magicDamageCut, &CCharacter::dexterity, &CCharacter::intelligence};
  std::int32_t value = 101;
  c.level = value++;
  c.exp = value++;
  for (auto field : words) c.*field = value++;
  c.x = 12, c.y = 13, c.prevX = 11, c.prevPrevX = 10, c.prevY = 14, c.prevPrevY = 15;
  c.direction = DirectionUpRight;
  c.moveStep = 5;
  c.animEntry = 21;
  c.alpha = 200, c.red = 10, c.green = 20, c.blue = 30;
  for (int k = 0; k < StatusKindCount; ++k) c.status[k] = 1000 + k;
  c.status[static_cast<int>(StatusKind::Dormant)] = -1;
  c.spriteRotation = 0.25;
  c.spriteScale = 3.5;
  for (int i = 0; i < 4; ++i) c.extraWords[i] = -5 - i;
}

// The record followed by the records of what the character carries, as
// "save" holds them.
void AddCharacter(itemtest::MemoryFile& file, const CCharacter& c) {
  const CharacterRecord r = RecordOf(c);
  const std::uint32_t length = CharacterRecordSize;
  file.Write(&length, 4, nullptr);
  file.Write(r.Bytes, CharacterRecordSize, nullptr);
  for (int slot = 0; slot < c.itemCapacity; ++slot)
    if (c.items[slot]) c.items[slot]->Save(file);
}

CharacterPtr Load(itemtest::MemoryFile& file) { return CharacterPtr(LoadCharacter(file, &MakeTestCharacter)); }

class CharacterRecordTest : public itemtest::ItemFixture {};

TEST_F(CharacterRecordTest, FieldsLieAtTheirOffsets) {
  TestPlayer p;
  FillEveryField(p);
  p.AddItem(CreateItem(Herb));
  const CharacterRecord r = RecordOf(p);

  EXPECT_EQ(r.Bytes[0], 7);
  EXPECT_EQ(r.Bytes[1], 1);
  EXPECT_EQ(r.Bytes[44], 1);
  for (int at : {2, 3, 45, 46, 47}) EXPECT_EQ(r.Bytes[at], 0) << at;
  const struct {
    int At;
    std::int32_t Value;
  } words[] = {
      {4, 0},      {8, 101},     {12, 102},    {40, 109},    {48, 110},  {76, 117},  {80, 12},    {88, 11},   {92, 10},
      {96, 14},    {100, 15},    {104, 6},     {108, 1000}, {144, -1}, {148, 1011}, {168, 1016}, {172, 118},
      {176, 1017}, {196, 1022},  {216, 5},     {220, 119}, {228, 21},  {236, 122},  {252, 30},  {256, 1},
      {260, 123},  {264, 124},   {268, 125},   {272, 126}, {276, 1010}, {280, -5},  {292, -8},
  };
  for (const auto& w : words) EXPECT_EQ(WordAt(r, w.At), w.Value) << "offset " << w.At;
  EXPECT_EQ(DoubleAt(r, 200), 0.25);
  EXPECT_EQ(DoubleAt(r, 208), 3.5);
  // Experience past the record's word is kept at its top.
  p.exp = std::int64_t{5} << 32;
  EXPECT_EQ(WordAt(RecordOf(p), 12), std::numeric_limits<std::int32_t>::max());
}

TEST_F(CharacterRecordTest, ACharacterComesBackWithEveryStoredFieldAndItsItems) {
  TestPlayer p;
  FillEveryField(p);
  // Still distinct, and within what play leaves in these words.
  p.spareFlag = 1;
  p.level = 99;
  p.criticalChance = 10;
  p.counterDamagePercent = 11;
  p.meleeAttackType = 7;
  p.meleeReach = p.passesWalls = 1;
  p.selectedItem = 2;
  p.magicDamageCut = 24;
  p.animEntry = 12;  // walking: no action is under way at a turn's start
  CItem* sword = CreateItem(Sword);
  p.AddItem(sword);
  p.Equip(sword);
  CItem* arrows = CreateItem(StoneArrow);
  arrows->SetCount(30);
  p.AddItem(arrows);
  TestMonster m;
  m.x = m.y = 3;

  itemtest::MemoryFile file;
  AddCharacter(file, p);
  AddCharacter(file, m);  // no items: the next record follows at once
  EXPECT_EQ(file.Bytes.size(), 2 * 300u + 2 * 260u);

  CharacterPtr back = Load(file);
  ASSERT_TRUE(back);
  // The extra words are a class's own: one that keeps nothing there has
  // them back as 0.
  std::fill(std::begin(p.extraWords), std::end(p.extraWords), 0);
  const CharacterRecord again = RecordOf(*back);
  EXPECT_EQ(std::memcmp(again.Bytes, RecordOf(p).Bytes, CharacterRecordSize), 0);
  ASSERT_EQ(back->GetItemCount(), 2);
  EXPECT_EQ(back->items[0]->GetId(), Sword);
  EXPECT_TRUE(back->items[0]->IsEquipped());
  EXPECT_EQ(back->items[1]->GetId(), StoneArrow);
  EXPECT_EQ(back->items[1]->GetCount(), 30);
  EXPECT_FALSE(back->items[1]->IsEquipped());

  CharacterPtr monster = Load(file);
  ASSERT_TRUE(monster);
  EXPECT_NE(dynamic_cast<TestMonster*>(monster.get()), nullptr);
  EXPECT_EQ(file.Position, file.Bytes.size());
}

TEST_F(CharacterRecordTest, StoredDexAndIntOfZeroKeepTheClasssOwn) {
  TestPlayer p;
  p.dexterity = 0;
  p.intelligence = -3;
  itemtest::MemoryFile file;
  AddCharacter(file, p);
  struct Classy : TestPlayer {
    Classy() { dexterity = intelligence = 9; }
  };
  CharacterPtr back(LoadCharacter(file, [](CharacterType) -> CCharacter* { return new Classy; }));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->dexterity, 9);
  EXPECT_EQ(back->intelligence, 9);
}

TEST_F(CharacterRecordTest, ItemsTheCharacterRefusesOrMergesAreNotLeftBehind) {
  TestPlayer p;
  CItem* arrows = CreateItem(StoneArrow);
  arrows->SetCount(10);
  p.AddItem(arrows);
  p.slots[1] = CreateItem(StoneArrow);  // a second stack, merged into the first on loading
  p.slots[1]->SetCount(5);
  p.slots[2] = CreateItem(Herb);
  p.itemCount = 3;
  itemtest::MemoryFile file;
  AddCharacter(file, p);

  struct Picky : TestPlayer {
    Picky() { RefusedId = Herb; }
  };
  CharacterPtr back(LoadCharacter(file, [](CharacterType) -> CCharacter* { return new Picky; }));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetItemCount(), 1);
  EXPECT_EQ(back->items[0]->GetCount(), 15);
  EXPECT_EQ(file.Position, file.Bytes.size());
}

TEST_F(CharacterRecordTest, ADamagedCharacterIsRefusedWhole) {
  TestPlayer good;
  good.x = good.y = good.prevX = good.prevY = good.prevPrevX = good.prevPrevY = 5;
  good.AddItem(CreateItem(Sword));
  using Damage = std::function<void(itemtest::MemoryFile&)>;
  auto inRecord = [](int at, std::int32_t value) -> Damage {
    return [at, value](itemtest::MemoryFile& f) { std::memcpy(f.Bytes.data() + 4 + at, &value, 4); };
  };
  auto byteAt = [](int at, std::uint8_t value) -> Damage {
    return [at, value](itemtest::MemoryFile& f) { f.Bytes[4 + static_cast<std::size_t>(at)] = value; };
  };
  const struct {
    const char* What;
    Damage Apply;
  } cases[] = {
      {"length 295", [](itemtest::MemoryFile& f) { f.Bytes[0] = 39; }},
      {"length 297", [](itemtest::MemoryFile& f) { f.Bytes[0] = 41; }},
      {"record cut", [](itemtest::MemoryFile& f) { f.Bytes.resize(200); }},
      {"carried item cut", [](itemtest::MemoryFile& f) { f.Bytes.resize(f.Bytes.size() - 1); }},
      {"carried item of no kind", [](itemtest::MemoryFile& f) { f.Bytes[300 + 4 + 9] = 0x7F; }},
      {"type without a class", inRecord(4, 5)},
      {"item count below 0", inRecord(256, -1)},
      {"item count past the bag", inRecord(256, TestPlayer::Capacity + 1)},
      {"x off the map", inRecord(80, 40)},
      {"y off the map", inRecord(84, -1)},
      {"second previous y off the map", inRecord(100, 40)},
      {"direction 3", inRecord(104, 3)},
      {"step 9", inRecord(216, 9)},
      {"entry past the table", inRecord(228, 90)},
      {"entry below 0", inRecord(228, -2)},
      {"alpha 256", inRecord(240, 256)},
      {"action points about to overflow", inRecord(220, 0x7FFFFFFF)},
      {"satiety about to underflow", inRecord(16, -0x7FFFFFFF)},
      {"not alive", byteAt(1, 0)},
      {"padding", byteAt(45, 1)},
      {"scale not a number", [](itemtest::MemoryFile& f) {
         const double nan = std::numeric_limits<double>::quiet_NaN();
         std::memcpy(f.Bytes.data() + 4 + 208, &nan, 8);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    itemtest::MemoryFile file;
    AddCharacter(file, good);
    c.Apply(file);
    EXPECT_EQ(Load(file), nullptr);
  }
  // Undamaged, it loads.
  itemtest::MemoryFile file;
  AddCharacter(file, good);
  EXPECT_NE(Load(file), nullptr);
}

// Every word at and just past the edges of what play can leave in it: inside
// the record stands for the character, outside it is refused.
TEST_F(CharacterRecordTest, EachWordIsTrustedOnlyWithinWhatPlayProduces) {
  TestMonster good;
  good.x = good.y = good.prevX = good.prevY = good.prevPrevX = good.prevPrevY = 5;
  good.hp = 10;
  good.maxHp = 500;
  constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* What;
    int At;
    std::int32_t Low, High;
  } words[] = {
      {"level", 8, 1, 99},
      {"exp", 12, 0, Max},
      {"satiety", 16, 0, 2000},
      {"hp", 20, 1, 500},
      {"maxHp", 24, 10, 10000000},
      {"attack", 28, 0, 1000000},
      {"defence", 32, 0, 1000000},
      {"accuracy", 36, 0, 1000000},
      {"evasion", 40, 0, 1000000},
      {"critical chance", 48, 0, 100},
      {"counter damage", 52, 0, 100},
      {"maxHpX100", 56, 0, 1000000000},
      {"STR", 60, 0, 1000000},
      {"spare stat", 64, 0, 1000000},
      {"melee attack type", 68, 0, 7},
      {"melee reach", 72, 0, 1},
      {"passes walls", 76, 0, 1},
      {"x", 80, 0, 39},
      {"previous y", 96, 0, 39},
      {"QUICK turns", 108, -1, Max},
      {"INT UP turns", 196, -1, Max},
      {"DISGUISED turns", 276, -1, Max},
      {"regeneration amount", 172, 0, 1000000},
      {"step", 216, 0, 8},
      {"action points", 220, -1000000, 1000000},
      {"regeneration progress", 224, -1000000, 1000000},
      {"animation tick", 232, 0, Max},
      {"alpha", 240, 0, 255},
      {"blue", 252, 0, 255},
      {"selected slot", 260, -1, TestMonster::Capacity - 1},
      {"magic damage cut", 264, 0, 100},
      {"DEX", 268, Min, 1000000},  // 0 or below leaves the class's own
      {"INT", 272, Min, 1000000},
      // A class that keeps nothing in the extra words ignores them.
      {"extra word 0", 280, Min, Max},
      {"extra word 3", 292, Min, Max},
  };
  for (const auto& w : words) {
    SCOPED_TRACE(w.What);
    auto sound = [&](std::int64_t value) {
      CharacterRecord r = RecordOf(good);
      const auto v = static_cast<std::int32_t>(value);
      std::memcpy(r.Bytes + w.At, &v, 4);
      return IsSoundCharacterRecord(r, good);
    };
    EXPECT_TRUE(sound(w.Low)) << w.Low;
    EXPECT_TRUE(sound(w.High)) << w.High;
    if (w.Low > Min) {
      EXPECT_FALSE(sound(std::int64_t{w.Low} - 1)) << w.Low - 1;
      EXPECT_FALSE(sound(Min));
    }
    if (w.High < Max) {
      EXPECT_FALSE(sound(std::int64_t{w.High} + 1)) << w.High + 1;
      EXPECT_FALSE(sound(Max));
    }
  }

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* What;
    int At;
    std::vector<double> In, Out;
  } doubles[] = {
      {"rotation", 200, {-360.0, 0.0, 360.0}, {-360.5, 361.0, 1e9, -1e9, nan, inf}},
      {"scale", 208, {0.0, 1.0, 4.0}, {-0.5, 4.5, 1e9, -1e9, nan, inf}},
  };
  for (const auto& d : doubles) {
    SCOPED_TRACE(d.What);
    for (bool in : {true, false}) {
      for (double value : in ? d.In : d.Out) {
        CharacterRecord r = RecordOf(good);
        std::memcpy(r.Bytes + d.At, &value, 8);
        EXPECT_EQ(IsSoundCharacterRecord(r, good), in) << value;
      }
    }
  }
}

// The capture writes the player, the monsters and the mining points; a
// record of an effect or a companion would put a character on the floor
// that the game deletes behind the grid's back.
TEST_F(CharacterRecordTest, EffectsAndCompanionsAreNoSavedCharacters) {
  for (CharacterType type : {4096, 4097, -1}) {
    SCOPED_TRACE(type);
    TestMonster built;
    built.type = type;
    EXPECT_FALSE(IsSoundCharacterRecord(RecordOf(built), built));
  }
  for (CharacterType type : {4096, 4097}) {
    CharacterPtr made(CreateCharacter(type));
    ASSERT_TRUE(made);
    itemtest::MemoryFile file;
    AddCharacter(file, *made);
    EXPECT_EQ(LoadCharacter(file), nullptr) << type;
  }
}

// At a turn's start every action has ended and a character stands: a
// record in the middle of one would play it out before the first command
// (a blow, a throw landing, the boss's stone), and one in the dying chain
// would leave the floor with nothing to show for it.
TEST_F(CharacterRecordTest, OnlyAStandingAnimationIsTrusted) {
  constexpr CharacterType Fighter = 0, Kobold = 262, Boss = 367;
  const struct {
    CharacterType Type;
    AnimationEntry Entry;
    bool Standing;
  } entries[] = {
      {Fighter, AnimationIdle, true},   {Fighter, AnimationWalk, true},       {Fighter, AnimationGuard, true},
      {Fighter, AnimationAttack, false}, {Fighter, 101, false},              {Fighter, 140, false},
      {Fighter, AnimationThrow, false},  {Fighter, AnimationHurt, false},    {Fighter, AnimationDying + 3, false},
      {Kobold, AnimationIdle, true},    {Kobold, 90, true},  // a summoned monster still fading in
      {Kobold, AnimationAttack + 1, false}, {Kobold, AnimationHurt, false},  {Kobold, AnimationGone, false},
      {Kobold, AnimationDying, false},  {Kobold, -1, false},
      {Boss, AnimationIdle, true},      {Boss, 100, false},  {Boss, 120, false}, {Boss, 131, false},
  };
  for (const auto& e : entries) {
    CharacterPtr c(CreateCharacter(e.Type));
    ASSERT_TRUE(c);
    c->x = c->y = 5;
    c->animEntry = e.Entry;
    EXPECT_EQ(IsSoundCharacterRecord(RecordOf(*c), *c), e.Standing) << e.Type << " entry " << e.Entry;
  }
}

// A monster's target cell is kept, so that a continued turn goes where the
// uninterrupted one would; a record written before targets were kept
// (bytes 2 and 3 zero) reads as none.
TEST_F(CharacterRecordTest, AMonsterComesBackHeadingForItsCell) {
  CharacterPtr kobold(CreateCharacter(262));
  ASSERT_TRUE(kobold);
  kobold->x = kobold->y = 5;
  const struct {
    std::int32_t X, Y;
    std::uint8_t Byte2, Byte3;
  } targets[] = {{7, 12, 8, 13}, {0, 39, 1, 40}, {-1, -1, 0, 0}};
  for (const auto& t : targets) {
    SCOPED_TRACE(t.X);
    kobold->SetTargetCell(t.X, t.Y);
    itemtest::MemoryFile file;
    AddCharacter(file, *kobold);
    EXPECT_EQ(file.Bytes[4 + 2], t.Byte2);
    EXPECT_EQ(file.Bytes[4 + 3], t.Byte3);
    CharacterPtr back(LoadCharacter(file));
    ASSERT_TRUE(back);
    std::int32_t x = 0, y = 0;
    back->GetTargetCell(x, y);
    EXPECT_EQ(x, t.X);
    EXPECT_EQ(y, t.Y);
  }
  // A cell off the floor, or half a target, is no record play writes.
  kobold->SetTargetCell(7, 12);
  for (auto [at, value] : {std::pair{2, 41}, std::pair{3, 41}, std::pair{2, 0}, std::pair{3, 0}}) {
    CharacterRecord r = RecordOf(*kobold);
    r.Bytes[at] = static_cast<std::uint8_t>(value);
    EXPECT_FALSE(IsSoundCharacterRecord(r, *kobold)) << at << " " << value;
  }
}

// The final boss keeps its memory in the extra words: its special, whether
// it has risen, its HP mark and its summon counter, each within what its
// play writes there.
TEST_F(CharacterRecordTest, TheBosssWordsAreTrustedOnlyWithinWhatItsPlayWrites) {
  CharacterPtr boss(CreateCharacter(367));
  ASSERT_TRUE(boss);
  boss->x = boss->y = 5;
  constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* What;
    int At;
    std::vector<std::int32_t> In, Out;
  } words[] = {
      {"chosen special", 280, {0, 1, 5, 6, 7, 8}, {-1, 2, 3, 4, 9, Max}},
      {"resurrections", 284, {0, 1}, {-1, 2, Min}},
      {"HP mark", 288, {-32768, 0, 500, 32767}, {-32769, 32768, Min, Max}},
      {"summon counter", 292, {0, 5, 6, 100}, {-1, 101, Min, Max}},
  };
  for (const auto& w : words) {
    SCOPED_TRACE(w.What);
    for (bool in : {true, false}) {
      for (std::int32_t value : in ? w.In : w.Out) {
        CharacterRecord r = RecordOf(*boss);
        std::memcpy(r.Bytes + w.At, &value, 4);
        EXPECT_EQ(IsSoundCharacterRecord(r, *boss), in) << value;
        if (!in) continue;
        CharacterPtr back(CreateCharacter(367));
        RecordToCharacter(r, *back);
        EXPECT_EQ(back->extraWords[(w.At - 280) / 4], value);
      }
    }
  }
}

// The ranges are no narrower than play: every class the capture can write,
// as built and (for the monsters) at the highest level, is trusted.
TEST_F(CharacterRecordTest, EverySavedClassAsPlayMakesItIsTrusted) {
  std::vector<CharacterType> types;
  for (CharacterType t = 0; t <= 8; ++t) types.push_back(t);
  for (CharacterType t = 256; t <= 367; ++t) types.push_back(t);
  for (CharacterType t = 768; t <= 790; ++t) types.push_back(t);
  int made = 0;
  for (CharacterType type : types) {
    CharacterPtr c(CreateCharacter(type));
    if (!c) continue;
    ++made;
    c->x = c->y = 5;
    EXPECT_TRUE(IsSoundCharacterRecord(RecordOf(*c), *c)) << type;
    if (type < 256 || type > 367) continue;
    c->SetLevel(99);
    EXPECT_TRUE(IsSoundCharacterRecord(RecordOf(*c), *c)) << type << " at level 99";
  }
  EXPECT_EQ(made, 9 + 110 + 4 + 3);
}

TEST_F(CharacterRecordTest, WriteSaveWritesTheRecordAndTheCarriedItems) {
  TempGameFolder folder;
  TestPlayer p;
  FillEveryField(p);
  p.AddItem(CreateItem(Herb));
  p.AddItem(CreateItem(Sword));
  itemtest::MemoryFile expected;
  AddCharacter(expected, p);

  CSaveFile& file = GetGameMain()->SaveFile;
  ASSERT_TRUE(file.Create("character"));
  EXPECT_TRUE(p.WriteSave());
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadBytes(folder.File("character")), expected.Bytes);
}

}  // namespace
