// The suspended run in "save": the floor image, the characters with what
// they carry, and the items on the floor, captured, written and read back;
// and what a damaged or cut file leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/ProgramRunner.h"
#include "app/SaveTestFixture.h"
#include "characters/CarrierTestSupport.h"
#include "floors/FloorImage.h"
#include "floors/FloorTestSupport.h"
#include "floors/StageFactory.h"
#include "items/ItemFactory.h"
#include "characters/CharacterFactory.h"
#include "monsters/MonstersGorgonToAlchemist.h"

namespace {

using runtest::MakeTestCharacter;
using runtest::TestMonster;
using runtest::TestPlayer;

constexpr ItemId Sword = 0x001;
constexpr ItemId StoneArrow = 0x200;
constexpr ItemId Herb = 0x800;
constexpr std::size_t BlockSize = 8192;
constexpr std::size_t FloorEntry = 4 + 65536;
constexpr std::size_t CharacterEntry = 4 + 296;
constexpr std::size_t ItemEntry = 4 + 256;

const std::vector<std::string> Rows = {
    "##########",
    "#........#",
    "#........#",
    "#........#",
    "#...>....#",
    "#........#",
    "##########",
};

class SuspendedGame : public SaveGameFixture {
protected:
  SuspendedGame() { game->MakeCharacter = &MakeTestCharacter; }

  template <class T>
  static T* Place(CGameMain& g, int x, int y) {
    T* c = new T;
    c->SetPosition(x, y);
    EXPECT_TRUE(g.CurrentStage->MoveCharacterTo(x, y, c));
    g.Characters.PushBack(c);
    return c;
  }

  static void PutItem(CGameMain& g, int x, int y, ItemId id, int count = 1) {
    CItem* item = CreateItem(id);
    item->SetCount(count);
    EXPECT_TRUE(g.CurrentStage->PutItemAt(x, y, item));
  }

  // A character of the game's own classes, made and placed.
  CCharacter* PlaceMade(CharacterType type, int x, int y) {
    CCharacter* c = CreateCharacter(type);
    if (!c) return nullptr;
    c->SetPosition(x, y);
    EXPECT_TRUE(game->CurrentStage->MoveCharacterTo(x, y, c));
    game->Characters.PushBack(c);
    return c;
  }

  // A run of the game's own classes: a Fighter alone on the carved floor.
  CCharacterPlayer* StartFighterRun() {
    game->MakeCharacter = &CreateCharacter;
    game->Settings.Block.GameInProgress = 1;
    game->CurrentStage = CreateStage(1);
    floortest::Carve(*game->CurrentStage, Rows);
    game->Player = dynamic_cast<CCharacterPlayer*>(PlaceMade(0, 3, 3));
    return game->Player;
  }

  // A player carrying an equipped sword and arrows, a monster with a herb,
  // and two items on the floor.
  void BuildRun(CGameMain& g) {
    g.Settings.Block.GameInProgress = 1;
    g.Settings.Block.FloorNumber = 3;
    g.CurrentStage = CreateStage(1);
    floortest::Carve(*g.CurrentStage, Rows);
    g.CurrentStage->TurnCounter = 17;
    auto* player = Place<TestPlayer>(g, 2, 2);
    g.Player = player;
    player->hp = 21;
    player->AddItem(CreateItem(Sword));
    player->Equip(player->slots[0]);
    CItem* arrows = CreateItem(StoneArrow);
    arrows->SetCount(30);
    player->AddItem(arrows);
    auto* monster = Place<TestMonster>(g, 6, 3);
    monster->InflictSleep(5);
    monster->AddItem(CreateItem(Herb));
    PutItem(g, 4, 1, Herb, 3);
    PutItem(g, 3, 5, StoneArrow, 7);
  }

  // Where each record of the run built above begins and ends in "save".
  static std::vector<std::size_t> Boundaries() {
    std::vector<std::size_t> at = {BlockSize, BlockSize + 4, BlockSize + FloorEntry};
    auto entry = [&at](std::size_t size) {
      at.push_back(at.back() + 4);
      at.push_back(at.back() + size - 4);
    };
    entry(CharacterEntry);  // the player, then its two items
    entry(ItemEntry);
    entry(ItemEntry);
    entry(CharacterEntry);  // the monster and its herb
    entry(ItemEntry);
    entry(ItemEntry);  // the two loose items
    entry(ItemEntry);
    return at;
  }

  Bytes WrittenRun() {
    BuildRun(*game);
    EXPECT_TRUE(game->CaptureSaveImage());
    EXPECT_TRUE(game->WriteSaveFile());
    return ReadBytes(folder.File("save"));
  }

  static Bytes FloorImageOf(const CStageData& floor) {
    Bytes image(FloorImageSize, 0);
    PackFloorImage(image.data(), floor);
    return image;
  }

  static std::vector<Bytes> RecordsOf(CGameMain& g) {
    std::vector<Bytes> records;
    for (CCharacter* c : g.Characters.Walk()) {
      CharacterRecord r;
      CharacterToRecord(*c, r);
      records.emplace_back(r.Bytes, r.Bytes + sizeof r.Bytes);
    }
    return records;
  }

  // The run is gone, and the title has nothing to continue.
  static void ExpectNoRun(const CGameMain& g) {
    EXPECT_FALSE(g.HasSuspendedGame());
    EXPECT_EQ(g.Player, nullptr);
    EXPECT_EQ(g.CurrentStage, nullptr);
    EXPECT_EQ(const_cast<CGameMain&>(g).Characters.GetCount(), 0);
    EXPECT_EQ(g.Settings.Block.GameInProgress, 0);
    EXPECT_EQ(g.SaveImage.Block.GameInProgress, 0);
  }
};

TEST_F(SuspendedGame, TheRunComesBackWholeFromSave) {
  const Bytes written = WrittenRun();
  ASSERT_EQ(written.size(), Boundaries().back());
  EXPECT_EQ(U32At(written, 64), 2u);  // CharacterCount
  EXPECT_EQ(U32At(written, 68), 2u);  // ItemCount
  EXPECT_EQ(U32At(written, BlockSize), 65536u);
  // The loose items by column: (3, 5) before (4, 1).
  const std::size_t loose = written.size() - 2 * ItemEntry;
  EXPECT_EQ(U32At(written, loose + 4 + 20), 3u);
  EXPECT_EQ(U32At(written, loose + ItemEntry + 4 + 20), 4u);

  CGameMain next;
  next.MakeCharacter = &MakeTestCharacter;
  ASSERT_TRUE(next.LoadAll());
  ASSERT_TRUE(next.HasSuspendedGame());
  EXPECT_EQ(FloorImageOf(*next.CurrentStage), FloorImageOf(*game->CurrentStage));
  EXPECT_EQ(RecordsOf(next), RecordsOf(*game));
  ASSERT_NE(dynamic_cast<TestPlayer*>(next.Player), nullptr);
  EXPECT_EQ(next.Player, next.Characters.GetAt(1));
  EXPECT_EQ(next.CurrentStage->GetCharacterAt(6, 3), next.Characters.GetAt(2));
  auto* player = static_cast<TestPlayer*>(next.Player);
  EXPECT_TRUE(player->slots[0]->IsEquipped());
  EXPECT_EQ(player->slots[1]->GetCount(), 30);
  EXPECT_EQ(next.CurrentStage->GetItemAt(4, 1)->GetCount(), 3);
  EXPECT_EQ(next.CurrentStage->GetItemAt(3, 5)->GetId(), StoneArrow);
  // The image matches what was loaded: writing it again changes nothing.
  ASSERT_TRUE(next.WriteSaveFile());
  EXPECT_EQ(ReadBytes(folder.File("save")), written);
}

TEST_F(SuspendedGame, TheCarriedItemAreaGrowsPastSixtyFourRecords) {
  BuildRun(*game);
  for (int i = 0; i < 20; ++i) {
    const int rows[3] = {1, 4, 5};
    auto* m = Place<TestMonster>(*game, 1 + i % 8, rows[i / 8]);
    for (int k = 0; k < TestMonster::Capacity; ++k) m->AddItem(CreateItem(Sword));
  }
  ASSERT_TRUE(game->CaptureSaveImage());
  EXPECT_EQ(game->SaveImageRecords.CarriedItems.size(), 3u + 80u);
  ASSERT_TRUE(game->WriteSaveFile());

  CGameMain next;
  next.MakeCharacter = &MakeTestCharacter;
  ASSERT_TRUE(next.LoadAll());
  ASSERT_TRUE(next.HasSuspendedGame());
  EXPECT_EQ(RecordsOf(next), RecordsOf(*game));
}

TEST_F(SuspendedGame, APlayerClassComesBackWithItsKitWornAndCarried) {
  CCharacterPlayer* fighter = StartFighterRun();
  ASSERT_NE(fighter, nullptr);
  fighter->GiveStartingItems();
  fighter->hp = 17;
  fighter->exp = 1234;
  ASSERT_TRUE(game->CaptureSaveImage());
  ASSERT_TRUE(game->WriteSaveFile());

  CGameMain next;
  ASSERT_TRUE(next.LoadAll());
  ASSERT_TRUE(next.HasSuspendedGame());
  EXPECT_EQ(RecordsOf(next), RecordsOf(*game));
  ASSERT_EQ(next.Player->itemCapacity, fighter->itemCapacity);
  int worn = 0;
  for (int slot = 0; slot < fighter->itemCapacity; ++slot) {
    const CItem* was = fighter->items[slot];
    const CItem* is = next.Player->items[slot];
    ASSERT_EQ(was == nullptr, is == nullptr) << slot;
    if (!was) continue;
    EXPECT_EQ(is->GetId(), was->GetId()) << slot;
    EXPECT_EQ(is->IsEquipped(), was->IsEquipped()) << slot;
    worn += is->IsEquipped() ? 1 : 0;
  }
  EXPECT_EQ(worn, 3);  // sword, armour and shield; the meat is in the bag
}

TEST_F(SuspendedGame, ARunWithoutFloorOrPlayerIsNotWritten) {
  game->Settings.Block.GameInProgress = 1;
  ASSERT_TRUE(game->CaptureSaveImage());
  ASSERT_TRUE(game->WriteSaveFile());
  const Bytes written = ReadBytes(folder.File("save"));
  ASSERT_EQ(written.size(), BlockSize);
  EXPECT_EQ(written[GameInProgressAt], 0);
}

TEST_F(SuspendedGame, ACutSaveContinuesNothing) {
  const Bytes whole = WrittenRun();
  std::vector<std::size_t> cuts = Boundaries();
  cuts.pop_back();  // the whole file
  for (std::size_t b : Boundaries()) cuts.push_back(b - 1);
  for (std::size_t length : cuts) {
    SCOPED_TRACE(length);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    WriteBytes(folder.File("save"), cut);
    CGameMain next;
    next.MakeCharacter = &MakeTestCharacter;
    testing::internal::CaptureStderr();
    next.LoadAll();
    const std::string err = testing::internal::GetCapturedStderr();
    ExpectNoRun(next);
    EXPECT_NE(err.find("save.damaged"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(folder.File("save.damaged")), cut);
    EXPECT_FALSE(FileExists(folder.File("save")));
  }
}

TEST_F(SuspendedGame, EachDamagedRecordContinuesNothing) {
  const Bytes whole = WrittenRun();
  const std::vector<std::size_t> b = Boundaries();
  // b[2] the player's length word, b[4] its first item's, b[8] the
  // monster's, b[10] its herb's, b[12] and b[14] the loose items'.
  auto word = [](std::size_t at, std::uint32_t value) {
    return [at, value](Bytes& f) { PutU32At(f, at, value); };
  };
  const struct {
    const char* What;
    std::function<void(Bytes&)> Damage;
  } cases[] = {
      {"more characters than follow", word(64, 3)},
      {"no character at all", word(64, 0)},
      {"more loose items than follow", word(68, 3)},
      {"floor length", word(BlockSize, 65535)},
      {"floor terrain", word(BlockSize + 4, 99)},
      {"player length", word(b[2], 297)},
      {"player type", word(b[2] + 4 + 4, 5)},
      {"first record a monster", word(b[2] + 4 + 4, 256)},
      {"player off the map", word(b[2] + 4 + 80, 40)},
      {"carried item length", word(b[4], 255)},
      {"carried item of no kind", word(b[4] + 4 + 8, 0x7F00)},
      {"monster length", word(b[8], 0)},
      {"monster direction", word(b[8] + 4 + 104, 7)},
      {"monster a second player", word(b[8] + 4 + 4, 0)},
      {"monster on the player's cell", [&b](Bytes& f) {
         for (std::size_t at : {80, 84, 88, 92, 96, 100}) PutU32At(f, b[8] + 4 + at, 2);
       }},
      {"loose item length", word(b[12], 257)},
      {"loose item of no kind", word(b[14] + 4 + 8, 0xFFFF)},
      {"two loose items on one cell", [&b](Bytes& f) {
         PutU32At(f, b[14] + 4 + 20, 3);
         PutU32At(f, b[14] + 4 + 24, 5);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Bytes damaged = whole;
    c.Damage(damaged);
    WriteBytes(folder.File("save"), damaged);
    CGameMain next;
    next.MakeCharacter = &MakeTestCharacter;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(next.LoadAll());  // the settings themselves were sound
    testing::internal::GetCapturedStderr();
    ExpectNoRun(next);
    EXPECT_EQ(ReadBytes(folder.File("save.damaged")), damaged);
    // The next write leaves the damaged file alone and offers no CONTINUE.
    ASSERT_TRUE(next.WriteSaveFile());
    const Bytes rewritten = ReadBytes(folder.File("save"));
    ASSERT_EQ(rewritten.size(), BlockSize);
    EXPECT_EQ(rewritten[GameInProgressAt], 0);
    EXPECT_EQ(ReadBytes(folder.File("save.damaged")), damaged);
  }
}

// A genuine run of a class beside a monster of a family, each save damaged
// in one field: a run that no play can reach is refused whole (kept aside,
// said on standard error, the settings kept, no CONTINUE); a value play can
// reach is continued and played on without overflowing, in the program
// itself too.
TEST_F(SuspendedGame, ADamagedRunIsRefusedWholeOrPlaysOn) {
  game->Settings.Block.GameSpeed = 3;
  CCharacterPlayer* fighter = StartFighterRun();
  ASSERT_NE(fighter, nullptr);
  fighter->hp = 10;
  ASSERT_NE(PlaceMade(262, 5, 3), nullptr);  // a kobold
  ASSERT_TRUE(game->CaptureSaveImage());
  ASSERT_TRUE(game->WriteSaveFile());
  const Bytes whole = ReadBytes(folder.File("save"));

  constexpr std::size_t Turns = BlockSize + 4 + 22436;
  constexpr std::size_t P = BlockSize + FloorEntry + 4;  // the player's record
  constexpr std::size_t M = P + CharacterEntry;          // the kobold's
  constexpr std::uint32_t Min = 0x80000000u, Max = 0x7FFFFFFFu;
  auto word = [](std::size_t at, std::uint32_t value) {
    return [at, value](Bytes& f) { PutU32At(f, at, value); };
  };
  auto real = [](std::size_t at, double value) {
    return [at, value](Bytes& f) { std::memcpy(f.data() + at, &value, sizeof value); };
  };
  const auto above = static_cast<std::uint32_t>(fighter->GetMaxHP() + 1);
  // The program itself is started on the damaged saves a player first met.
  const struct {
    const char* What;
    std::function<void(Bytes&)> Damage;
    bool Plays;
    bool ByTheProgram = false;
  } cases[] = {
      {"an effect among the characters", word(M + 4, 4096), false, true},
      {"a companion among the characters", word(M + 4, 4097), false},
      {"the player at the end of the dying chain", word(P + 228, 0), false, true},
      {"the player dying", word(P + 228, 80), false},
      {"the player alive with 0 HP", word(P + 20, 0), false, true},
      {"the player alive with HP below 0", word(P + 20, static_cast<std::uint32_t>(-5)), false},
      {"the player above its maximum as worn", word(P + 20, above), false},
      {"a sprite scale of 1e9", real(P + 208, 1e9), false, true},
      {"a sprite turned by NaN", real(P + 200, std::nan("")), false},
      {"maximum HP x 100 at its bottom", word(P + 56, Min), false, true},
      {"STR at its top", word(P + 60, Max), false, true},
      {"level at its bottom", word(P + 8, Min), false},
      {"a monster's HP above its maximum", word(M + 20, 1000000), false},
      {"a monster's level past 99", word(M + 8, 100), false},
      {"the floor's turns below 0", word(Turns, Max + 1), false},
      {"two characters on one cell", [](Bytes& f) {
         for (std::size_t at : {80, 84, 88, 92, 96, 100}) PutU32At(f, M + at, 3);
       }, false},
      {"no player", word(P + 4, 262), false},
      {"the floor's turns at their top", word(Turns, Max), true, true},
      {"STR as high as play could take it", word(P + 60, 1000000), true},
      {"the level at its last", word(P + 8, 99), true},
  };
  const std::string err = folder.Path + "-stderr.txt";  // outside the game folder
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Bytes damaged = whole;
    c.Damage(damaged);
    WriteBytes(folder.File("save"), damaged);
    std::remove(folder.File("save.damaged").c_str());
    if (c.ByTheProgram) {
      // Started and closed: it says why it offers no CONTINUE and writes the
      // settings back without the run, or it keeps the run to continue.
      ASSERT_EQ(RunProgramOnce(folder.Path, err), 0) << ReadTextFile(err);
      const std::string said = ReadTextFile(err);
      const Bytes written = ReadBytes(folder.File("save"));
      ASSERT_GE(written.size(), BlockSize);
      EXPECT_EQ(U32At(written, 96), 3u);  // GameSpeed
      EXPECT_EQ(written[GameInProgressAt], c.Plays ? 1 : 0);
      EXPECT_EQ(said.find("save: the suspended game is damaged and cannot continue; kept as save.damaged") !=
                    std::string::npos,
                !c.Plays)
          << said;
      WriteBytes(folder.File("save"), damaged);
      std::remove(folder.File("save.damaged").c_str());
    }
    CGameMain next;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(next.LoadAll());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(next.Settings.Block.GameSpeed, 3u);
    if (!c.Plays) {
      ExpectNoRun(next);
      EXPECT_NE(err.find("kept as save.damaged"), std::string::npos) << err;
      EXPECT_EQ(ReadBytes(folder.File("save.damaged")), damaged);
      ASSERT_TRUE(next.WriteSaveFile());
      EXPECT_EQ(ReadBytes(folder.File("save"))[52], 0);
      continue;
    }
    ASSERT_TRUE(next.HasSuspendedGame()) << err;
    EXPECT_FALSE(FileExists(folder.File("save.damaged")));
    // A turn's arithmetic on what came back: the floor's count, the blow's
    // power and damage, the experience the kobold is worth.
    next.CurrentStage->AdvanceTurn();
    EXPECT_GE(next.CurrentStage->TurnCounter, 0);
    EXPECT_GT(next.Player->GetMeleeDamage(), 0);
    EXPECT_GT(next.Player->GetShotDamage(), 0);
    next.Player->GainExp(next.Characters.GetAt(2)->GetExp());
    EXPECT_GE(next.Player->GetExp(), 0);
    // What its exit writes, the next start continues.
    ASSERT_TRUE(next.CaptureSaveImage());
    ASSERT_TRUE(next.WriteSaveFile());
    CGameMain again;
    testing::internal::CaptureStderr();
    again.LoadAll();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(again.HasSuspendedGame());
  }
  std::remove(err.c_str());
}

// The boss room's run with the boss's memory damaged in its record: a
// summon counter or an HP mark no play writes, or the boss caught in a throw
// that would land before the first command, is refused whole; the edges of
// what play writes continue.
TEST_F(SuspendedGame, ADamagedBossIsRefusedWholeOrPlaysOn) {
  constexpr StageId BossRoom = 636;
  game->MakeCharacter = &CreateCharacter;
  game->Settings.Block.GameInProgress = 1;
  game->CurrentStage = CreateStage(BossRoom);
  ASSERT_NE(game->CurrentStage, nullptr);
  floortest::Carve(*game->CurrentStage, Rows);
  game->Player = dynamic_cast<CCharacterPlayer*>(PlaceMade(0, 3, 3));
  ASSERT_NE(game->Player, nullptr);
  ASSERT_NE(PlaceMade(367, 6, 3), nullptr);
  ASSERT_TRUE(game->CaptureSaveImage());
  ASSERT_TRUE(game->WriteSaveFile());
  const Bytes whole = ReadBytes(folder.File("save"));

  constexpr std::size_t Boss = BlockSize + FloorEntry + CharacterEntry + 4;
  constexpr std::uint32_t Min = 0x80000000u, Max = 0x7FFFFFFFu;
  const struct {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
    bool Plays;
    bool ByTheProgram;
  } cases[] = {
      {"the summon counter at the top of its word", Boss + 292, Max, false, true},
      {"the HP mark at the bottom of its word", Boss + 288, Min, false, true},
      {"the boss in the middle of a throw", Boss + 228, 100, false, false},
      {"a special no play chooses", Boss + 280, 3, false, false},
      {"the summon counter as a new boss has it", Boss + 292, 100, true, false},
      {"the HP mark at the bottom of what play keeps", Boss + 288, static_cast<std::uint32_t>(-32768), true, false},
  };
  const std::string err = folder.Path + "-stderr.txt";  // outside the game folder
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Bytes damaged = whole;
    PutU32At(damaged, c.At, c.Value);
    WriteBytes(folder.File("save"), damaged);
    std::remove(folder.File("save.damaged").c_str());
    if (c.ByTheProgram) {
      ASSERT_EQ(RunProgramOnce(folder.Path, err), 0) << ReadTextFile(err);
      EXPECT_NE(ReadTextFile(err).find("save: the suspended game is damaged and cannot continue"), std::string::npos)
          << ReadTextFile(err);
      EXPECT_EQ(ReadBytes(folder.File("save"))[52], 0);
      WriteBytes(folder.File("save"), damaged);
      std::remove(folder.File("save.damaged").c_str());
    }
    CGameMain next;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(next.LoadAll());
    testing::internal::GetCapturedStderr();
    if (!c.Plays) {
      ExpectNoRun(next);
      EXPECT_EQ(ReadBytes(folder.File("save.damaged")), damaged);
      continue;
    }
    ASSERT_TRUE(next.HasSuspendedGame());
    auto* boss = dynamic_cast<CCharacterAlchemist*>(next.Characters.GetAt(2));
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>(boss->extraWords[(c.At - Boss - 280) / 4]), c.Value);
  }
  std::remove(err.c_str());
}

}  // namespace
