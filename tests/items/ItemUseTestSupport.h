#pragma once
// Items used on a small floor: a fighter as the game's player in a room,
// rats to throw at and to curse, a corridor that bends out of sight, the
// turn controller free of holds, English, every kind identified; and ways to
// read what the effects left on the floor.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "floors/FloorTestSupport.h"
#include "items/CItem.h"
#include "items/IdentifyTable.h"
#include "items/ItemFactory.h"
#include "items/ItemTestSupport.h"
#include "platform/CEffect.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace itemuse {

constexpr CharacterType Fighter = 0;
constexpr CharacterType Rat = 259;

// Room A (1, 1)-(7, 5), where the player stands, and room B (10, 1)-(12, 5)
// behind a wall, joined by a corridor along the bottom row: from room A the
// top of room B is out of sight.
inline const std::vector<std::string> Rooms = {
    "##############",  //
    "#.......##...#",  //
    "#.......##...#",  //
    "#.......##...#",  //
    "#.......##...#",  //
    "#.......++...#",  //
    "##############",
};

class UseFixture : public ::testing::Test {
protected:
  void SetUp() override {
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedPlayer_ = game_->Player;
    savedLanguage_ = game_->Settings.Block.Language;
    ASSERT_EQ(game_->Characters.GetCount(), 0);
    game_->Settings.Block.Language = LanguageEnglish;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
    GetStateController()->Reset();
    Drain();
    floor_ = floortest::MakeFloor(Rooms);
    game_->CurrentStage = floor_.get();
    player_ = static_cast<CCharacterPlayer*>(CreateCharacter(Fighter));
    ASSERT_NE(player_, nullptr);
    player_->maxHpX100 = 12000;
    player_->hp = 120;
    Place(player_, 3, 3);
    game_->Player = player_;
    SeedRandom(1);
    GetGameInputMain()->CloseMessage();
    GetScreenEffect()->Reset();
  }
  void TearDown() override {
    floor_->Effects.DeleteAll();
    game_->Characters.DeleteAll();
    game_->Player = savedPlayer_;
    game_->CurrentStage = savedStage_;
    floor_.reset();
    game_->Settings.Block.Language = savedLanguage_;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
    GetGameInputMain()->CloseMessage();
    Drain();
  }

  static void Drain() {
    while (Holds() > 0) GetStateController()->Release();
  }
  static int Holds() { return GetStateController()->GetHoldCount(); }

  template <class T>
  T* Place(T* c, int x, int y) {
    c->SetPosition(x, y);
    EXPECT_TRUE(floor_->MoveCharacterTo(x, y, c));
    game_->Characters.PushBack(c);
    return c;
  }
  CCharacter* Monster(int x, int y, CharacterType type = Rat) {
    CCharacter* c = CreateCharacter(type);
    EXPECT_NE(c, nullptr);
    return c ? Place(c, x, y) : nullptr;
  }

  // A new item of the id carried by the player (in the bag, or worn when
  // asked); the player's own from then on.
  CItem* Give(ItemId id, int count = 1, bool wear = false) {
    CItem* item = CreateItem(id);
    EXPECT_NE(item, nullptr) << id;
    if (!item) return nullptr;
    item->SetCount(count);
    EXPECT_TRUE(player_->AddItem(item));
    if (wear) {
      EXPECT_TRUE(player_->Equip(item));
    }
    return item;
  }
  int PlaceOf(const CItem* item) const {
    for (int place = 0; place < InventorySize; ++place)
      if (player_->GetItem(place) == item) return place;
    return NoSlot;
  }
  bool Carries(ItemId id) const {
    for (int place = 0; place < InventorySize; ++place)
      if (const CItem* item = player_->GetItem(place); item && item->GetId() == id) return true;
    return false;
  }

  // Frames of the floor: every character's and effect's tick.
  void Frames(int count) {
    for (int i = 0; i < count; ++i) floor_->Update();
  }
  // Frames until nothing holds the turn (at most `limit`).
  void Settle(int limit = 600) {
    for (int i = 0; i < limit && Holds() > 0; ++i) Frames(1);
  }

  // The effects on the floor's list started at `entry` on (x, y).
  std::vector<CCharacterEffect*> EffectsAt(int x, int y, AnimationEntry entry) {
    std::vector<CCharacterEffect*> found;
    for (CCharacter* c : floor_->Effects.Walk()) {
      auto* e = static_cast<CCharacterEffect*>(c);
      if (e->alive && e->GetX() == x && e->GetY() == y && e->animEntry == entry) found.push_back(e);
    }
    return found;
  }
  // The numbers of the numbers of one kind over a cell, in order.
  std::vector<int> NumbersAt(int x, int y, AnimationEntry entry) {
    std::vector<int> numbers;
    for (CCharacterEffect* e : EffectsAt(x, y, entry)) numbers.push_back(e->Number);
    return numbers;
  }
  // The captions over a cell, each as "text" or "text@delay".
  std::vector<std::string> CaptionsAt(int x, int y) {
    std::vector<std::string> captions;
    for (AnimationEntry entry : {EffectCaption, EffectHeldCaption})
      for (CCharacterEffect* e : EffectsAt(x, y, entry))
        captions.push_back(std::string(e->GetCaption()) + (e->holdTicks > 0 ? "@" + std::to_string(e->holdTicks) : ""));
    return captions;
  }

  // The message window's rows, joined by '|'.
  static std::string Messages() {
    std::string s;
    for (int i = 0; i < CGameInputMain::MessageRowCount; ++i) {
      const std::string row = GetGameInputMain()->GetMessageRow(i);
      if (!row.empty()) s += (s.empty() ? "" : "|") + row;
    }
    return s;
  }

  static int Status(const CCharacter* c, StatusKind kind) { return c->status[static_cast<int>(kind)]; }

  CGameMain* game_ = nullptr;
  std::unique_ptr<CStageData> floor_;
  CCharacterPlayer* player_ = nullptr;
  CStageData* savedStage_ = nullptr;
  CCharacterPlayer* savedPlayer_ = nullptr;
  std::uint32_t savedLanguage_ = 0;
};

// The first seed from 1 up whose first draw modulo n passes.
template <class Pass>
std::uint32_t SeedWhoseFirst(int n, Pass pass) {
  for (std::uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    if (pass(Random() % n)) return seed;
  }
}

}  // namespace itemuse
