#pragma once
// A player of a real class standing on the test floor as the game's
// player, in English, with the message window empty and no holds; frames
// run every listed character and the floor's effects together.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "characters/EffectTestSupport.h"
#include "characters/PlayerClasses.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "ui/CGameInputMain.h"

namespace turntest {

class PlayerFloorFixture : public efftest::EffectFixture {
protected:
  void SetUp() override {
    EffectFixture::SetUp();
    autoMove_ = game_->AutoMove;
    game_->AutoMove = 0;
    GetGameInputMain()->BuildLayout();
    GetGameInputMain()->CloseMessage();
  }
  void TearDown() override {
    GetGameInputMain()->CloseMessage();
    game_->AutoMove = autoMove_;
    EffectFixture::TearDown();
  }

  // A player of class T on (x, y) facing `facing`, listed and the game's.
  template <class T = CCharacterFighter>
  T* PlacePlayer(int x, int y, Direction facing = DirectionRight) {
    T* player = Place<T>(x, y);
    player->SetDirection(facing);
    game_->Player = player;
    return player;
  }

  // A new item carried by `player` (worn when asked); null if refused.
  static CItem* Give(CCharacterPlayer& player, ItemId id, int count = 1, bool wear = true) {
    CItem* item = CreateItem(id);
    if (!item) return nullptr;
    if (count > 1) item->SetCount(count);
    if (!player.AddItem(item)) {
      delete item;
      return nullptr;
    }
    if (wear) player.Equip(item);
    return item;
  }

  // Frames of every listed character and of the floor's effects.
  void Tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      game_->Characters.UpdateAndPrune();
      floor_.Effects.UpdateAndPrune();
    }
  }

  // The entries `c` passes through, frame by frame, until it stands idle
  // again (at most `limit` frames), without repeats.
  std::vector<AnimationEntry> EntriesUntilIdle(CCharacter& c, int limit = 200) {
    std::vector<AnimationEntry> seen{c.animEntry};
    for (int i = 0; i < limit && c.animEntry != AnimationIdle; ++i) {
      Tick();
      if (c.animEntry != seen.back()) seen.push_back(c.animEntry);
    }
    return seen;
  }

  // Frames until the effect list is empty (the limit when never).
  int TickUntilNoEffects(int limit = 200) {
    for (int n = 0; n < limit; ++n) {
      if (floor_.Effects.GetCount() == 0) return n;
      Tick();
    }
    return limit;
  }

  static std::string Line(int row) { return GetGameInputMain()->GetMessageRow(row); }

private:
  std::uint8_t autoMove_ = 0;
};

}  // namespace turntest
