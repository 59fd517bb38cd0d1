#include <gtest/gtest.h>

#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterList.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterTestSupport.h"

namespace {

// Counts its own destruction, so a test sees who was deleted.
struct Counted : CCharacter {
  explicit Counted(int id, std::vector<int>* deleted) : Id(id), Deleted(deleted) {}
  ~Counted() override {
    if (Deleted) Deleted->push_back(Id);
  }
  int Id;
  std::vector<int>* Deleted;
};

std::vector<int> Ids(CCharacterList& list) {
  std::vector<int> ids;
  for (CCharacter* c : list.Walk()) ids.push_back(static_cast<Counted*>(c)->Id);
  return ids;
}

class CharacterList : public ::testing::Test {
protected:
  Counted* Add(int id) {
    auto* c = new Counted(id, &deleted_);
    list_.PushBack(c);
    return c;
  }
  std::vector<int> deleted_;
  CCharacterList list_;
};

TEST_F(CharacterList, AppendAndIndex) {
  EXPECT_EQ(list_.GetAt(1), nullptr);
  EXPECT_EQ(list_.PushBack(nullptr), nullptr);
  CCharacter* a = Add(1);
  EXPECT_EQ(list_.next, list_.prev);
  EXPECT_EQ(list_.next->value, a);
  EXPECT_EQ(list_.next->next, &list_);
  CCharacter* b = Add(2);
  CCharacter* c = Add(3);
  EXPECT_EQ(list_.GetCount(), 3);
  EXPECT_EQ(list_.GetAt(0), nullptr);
  EXPECT_EQ(list_.GetAt(-1), nullptr);
  EXPECT_EQ(list_.GetAt(1), a);
  EXPECT_EQ(list_.GetAt(2), b);
  EXPECT_EQ(list_.GetAt(3), c);
  EXPECT_EQ(list_.GetAt(4), nullptr);
  EXPECT_EQ(Ids(list_), (std::vector<int>{1, 2, 3}));
}

TEST_F(CharacterList, DeleteAndRemove) {
  Add(1);
  Add(2);
  list_.DeleteAll();
  EXPECT_EQ(list_.GetCount(), 0);
  EXPECT_EQ(deleted_, (std::vector<int>{1, 2}));
  EXPECT_EQ(list_.next, &list_);

  Counted kept(7, nullptr);
  list_.PushBack(&kept);
  list_.RemoveAll();
  EXPECT_EQ(list_.GetCount(), 0);
  EXPECT_EQ(list_.next, &list_);
  EXPECT_EQ(kept.alive, 1);  // still a whole character
}

TEST_F(CharacterList, DestroyingTheListDeletesItsMembers) {
  {
    CCharacterList list;
    list.PushBack(new Counted(5, &deleted_));
  }
  EXPECT_EQ(deleted_, (std::vector<int>{5}));
}

TEST_F(CharacterList, EverythingButThePlayerGoes) {
  CGameMain* game = GetGameMain();
  CCharacterPlayer* saved = game->Player;
  CCharacterPlayer player;
  game->Player = &player;

  list_.PushBack(&player);
  list_.DeleteAllButPlayer();
  EXPECT_EQ(list_.GetCount(), 1);
  EXPECT_TRUE(deleted_.empty());
  list_.RemoveAll();

  Counted* before = Add(10);
  list_.PushBack(&player);
  Add(11);
  player.lastAttacker = before;
  list_.DeleteAllButPlayer();
  EXPECT_EQ(deleted_, (std::vector<int>{10, 11}));
  EXPECT_EQ(list_.GetCount(), 1);
  EXPECT_EQ(list_.GetAt(1), &player);
  EXPECT_EQ(player.lastAttacker, nullptr);  // no link to a deleted character
  list_.RemoveAll();
  game->Player = saved;
}

TEST_F(CharacterList, APlayerWhoseDyingChainEndsIsNoLongerThePlayer) {
  CGameMain* game = GetGameMain();
  CCharacterPlayer* saved = game->Player;
  auto* player = new CCharacterPlayer;
  game->Player = player;
  list_.PushBack(player);
  player->alive = 0;
  list_.UpdateAndPrune();
  EXPECT_EQ(game->Player, nullptr);
  game->Player = saved;
}

TEST_F(CharacterList, PruneDeletesTheDeadInTheSamePass) {
  // Member 2 ends its dying chain during this very tick.
  Add(1);
  Counted* dying = Add(2);
  Counted* last = Add(3);
  dying->frames = chartest::Frames(90, 1);
  dying->frames[80].next = 0;
  dying->SetAnimation(80);
  last->frames = chartest::Frames(30, 1);
  last->SetAnimation(20);
  Counted* dead = Add(4);
  dead->alive = 0;
  list_.UpdateAndPrune();
  EXPECT_EQ(deleted_, (std::vector<int>{2, 4}));
  EXPECT_EQ(Ids(list_), (std::vector<int>{1, 3}));
  EXPECT_EQ(last->animEntry, 21);  // the walk went on past the deleted member
  EXPECT_EQ(list_.GetCount(), 2);
}

TEST_F(CharacterList, WalksSurviveDeletionAndAppending) {
  for (int id = 1; id <= 4; ++id) Add(id);
  std::vector<int> seen;
  for (CCharacter* c : list_.Walk()) {
    const int id = static_cast<Counted*>(c)->Id;
    seen.push_back(id);
    // A nested walk sees the list as it stands.
    int members = 0;
    for (CCharacter* other : list_.Walk()) members += other != nullptr;
    EXPECT_EQ(members, list_.GetCount());
    if (id == 1) Add(5);              // a summon joins the end and is met
    if (id == 2) list_.DeleteAll();   // everything goes, the walker included
    if (id == 5) ADD_FAILURE() << "a deleted member was met";
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  EXPECT_EQ(list_.GetCount(), 0);
  EXPECT_EQ(list_.next, &list_);  // emptied nodes are gone once the walk ends
  EXPECT_EQ(list_.prev, &list_);

  Add(6);
  for (CCharacter* c : list_.Walk()) {
    if (static_cast<Counted*>(c)->Id == 6) Add(7);
    if (static_cast<Counted*>(c)->Id == 7) Add(8);
  }
  EXPECT_EQ(Ids(list_), (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(list_.GetAt(3), list_.prev->value);
}

TEST_F(CharacterList, NestedPruneDuringAWalk) {
  Add(1)->alive = 0;
  Add(2);
  Add(3)->alive = 0;
  std::vector<int> seen;
  for (CCharacter* c : list_.Walk()) {
    seen.push_back(static_cast<Counted*>(c)->Id);
    if (seen.size() == 1) list_.UpdateAndPrune();
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  EXPECT_EQ(deleted_, (std::vector<int>{1, 3}));
  EXPECT_EQ(Ids(list_), (std::vector<int>{2}));
  EXPECT_EQ(list_.GetAt(1), list_.next->value);
}

}  // namespace
