#include "characters/CCharacterList.h"

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"

CCharacterList::CCharacterList() { next = prev = this; }

CCharacterList::~CCharacterList() { DeleteAll(); }

CCharacterList::Node* CCharacterList::PushBack(CCharacter* character) {
  if (!character) return nullptr;
  Node* node = new Node;
  node->value = character;
  node->prev = prev;
  node->next = this;
  prev->next = node;
  prev = node;
  ++Count;
  return node;
}

CCharacter* CCharacterList::GetAt(int index) const {
  if (index <= 0) return nullptr;
  for (const Node* node = next; node != this; node = node->next) {
    if (node->value && --index == 0) return node->value;
  }
  return nullptr;
}

void CCharacterList::Drop(Node* node) {
  --Count;
  if (Walks > 0) {
    node->value = nullptr;
    HasEmptyNodes = true;
    return;
  }
  node->prev->next = node->next;
  node->next->prev = node->prev;
  delete node;
}

void CCharacterList::DeleteMember(Node* node) {
  CCharacter* character = node->value;
  Drop(node);
  for (CCharacter* other : Walk())
    if (other->lastAttacker == character) other->lastAttacker = nullptr;
  // The game never points at a player that is gone.
  CGameMain* game = GetGameMain();
  if (game->Player == character) game->Player = nullptr;
  delete character;
}

void CCharacterList::EndWalk() {
  if (Walks > 0) --Walks;
  if (Walks > 0 || !HasEmptyNodes) return;
  HasEmptyNodes = false;
  for (Node* node = next; node != this;) {
    Node* following = node->next;
    if (!node->value) {
      node->prev->next = following;
      following->prev = node->prev;
      delete node;
    }
    node = following;
  }
}

void CCharacterList::DeleteAll() {
  Walker walk(*this);
  for (Node* node = next; node != this; node = node->next)
    if (node->value) DeleteMember(node);
}

void CCharacterList::RemoveAll() {
  Walker walk(*this);
  for (Node* node = next; node != this; node = node->next)
    if (node->value) Drop(node);
}

void CCharacterList::Remove(const CCharacter* character) {
  Walker walk(*this);
  for (Node* node = next; node != this; node = node->next)
    if (node->value && node->value == character) Drop(node);
}

void CCharacterList::DeleteAllButPlayer() {
  const CCharacter* player = GetGameMain()->Player;
  Walker walk(*this);
  for (Node* node = next; node != this; node = node->next)
    if (node->value && node->value != player) DeleteMember(node);
}

void CCharacterList::UpdateAndPrune() {
  Walker walk(*this);
  for (Node* node = next; node != this; node = node->next) {
    CCharacter* character = node->value;
    if (!character) continue;
    character->TickAnimation();
    // The tick may itself have taken the member out of the list.
    if (node->value == character && !character->alive) DeleteMember(node);
  }
}
