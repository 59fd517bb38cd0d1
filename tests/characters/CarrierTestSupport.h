#pragma once
// Characters for the run's tests: a bag of a few slots that stacks as the
// player's does (merging a whole stack frees the item it was given), a
// player of that kind that gains its action points at the start of a turn,
// a monster that decides by the game's generator, and a factory of both.
#include <algorithm>
#include <cstdlib>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterTestSupport.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/Random.h"

namespace runtest {

constexpr CharacterType TestPlayerType = 0;
constexpr CharacterType TestMonsterType = 256;

template <class Base>
class Carrier : public Base {
public:
  static constexpr int Capacity = 4;
  Carrier() {
    this->items = slots;
    this->itemCapacity = Capacity;
    this->frames = chartest::ActionFrames();
    this->animEntry = AnimationIdle;
  }
  ~Carrier() override {
    for (CItem*& item : slots) delete item;
  }
  int GetInventoryCapacity() const override { return Capacity; }
  // Onto a stack of its kind first, then into the first free slot; true
  // only when all of it was taken.
  bool AddItem(CItem* item) override {
    if (!item || item->GetId() == RefusedId) return false;
    for (CItem* held : slots) {
      if (!held || !held->CanStackWith(item)) continue;
      const int room = held->GetStackLimit() - held->GetCount();
      const int moved = std::min(room, item->GetCount());
      held->SetCount(held->GetCount() + moved);
      item->SetCount(item->GetCount() - moved);
      if (item->GetCount() == 0) {
        delete item;
        return true;
      }
    }
    for (CItem*& slot : slots) {
      if (slot) continue;
      slot = item;
      ++this->itemCount;
      return true;
    }
    return false;
  }
  bool Equip(CItem* item) override {
    for (CItem* held : slots)
      if (held == item) item->SetEquipped(true);
    return true;
  }
  CItem* slots[Capacity] = {};
  ItemId RefusedId = NoItem;
};

// Action points as the player's turn start gives them: 2, or 1 while SLOW.
class TestPlayer : public Carrier<CCharacterPlayer> {
public:
  TestPlayer() {
    type = TestPlayerType;
    hp = maxHp = 30;
    maxHpX100 = 100 * maxHp;  // the player's maximum is kept in hundredths
    level = 1;
  }
  void StartTurn() override {
    CCharacter::StartTurn();
    actionPoints += IsSlow() ? 1 : 2;
  }
};

// Turns and steps by the game's generator, and attacks the player when
// next to it.
class TestMonster : public Carrier<CCharacter> {
public:
  TestMonster() {
    type = TestMonsterType;
    hp = maxHp = 12;
    attack = 3;
    level = 1;
  }
  void DecideMove() override {
    CStageData* stage = GetGameMain()->CurrentStage;
    const Direction facing = static_cast<Direction>(1 << (Random() % 4));
    SetDirection(facing);
    if (Random() % 2 == 0 || !stage) return;
    StepForward();
  }
  bool DecideAction() override {
    if (actionPoints < 2) return false;
    actionPoints -= 2;
    CCharacter* player = GetGameMain()->Player;
    if (!player || std::abs(player->x - x) > 1 || std::abs(player->y - y) > 1) return false;
    FaceDelta(player->x - x, player->y - y);
    SetAnimation(AnimationAttack);
    return true;
  }
  void StartTurn() override {
    CCharacter::StartTurn();
    actionPoints = 2;
  }
};

inline CCharacter* MakeTestCharacter(CharacterType type) {
  if (type == TestPlayerType) return new TestPlayer;
  if (type == TestMonsterType) return new TestMonster;
  return nullptr;
}

}  // namespace runtest
