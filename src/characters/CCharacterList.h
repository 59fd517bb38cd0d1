#pragma once
#include <cstdint>

class CCharacter;

// A node of a circular doubly linked list; deleting it never deletes what it
// points to.
template <class T>
struct clinked_list_node {
  virtual ~clinked_list_node() = default;
  T* value = nullptr;
  clinked_list_node* next = nullptr;
  clinked_list_node* prev = nullptr;
};

template <class T>
struct clinked_list_head : clinked_list_node<T> {};

// The characters of a floor (or of an effect), in turn order. The list is its
// own sentinel node and owns the characters in it: deleting through the list
// deletes them.
//
// Walk it with `for (CCharacter* c : list.Walk())`. A walk may run inside
// another and may delete or append members: a node that leaves during a walk
// is only emptied and is unlinked when the outermost walk ends, and members
// appended during a walk are met by it.
class CCharacterList : public clinked_list_head<CCharacter> {
public:
  using Node = clinked_list_node<CCharacter>;

  CCharacterList();
  ~CCharacterList() override;  // deletes every member
  CCharacterList(const CCharacterList&) = delete;
  CCharacterList& operator=(const CCharacterList&) = delete;

  // Appends at the end; null is refused (and gives null).
  Node* PushBack(CCharacter* character);
  // 1-based; null for 0, below, or past the end.
  CCharacter* GetAt(int index) const;
  std::int32_t GetCount() const { return Count; }

  // Deletes every member.
  void DeleteAll();
  // Takes every member out without deleting it.
  void RemoveAll();
  // Takes one character out (every node that lists it) without deleting it.
  void Remove(const CCharacter* character);
  // Deletes every member but the game's player.
  void DeleteAllButPlayer();
  // Once a frame: ticks every member's animation and deletes the members
  // whose dying chain has ended, in the same pass.
  void UpdateAndPrune();

  class Iterator {
  public:
    Iterator(const Node* node, const Node* sentinel) : At(node), Sentinel(sentinel) { SkipEmpty(); }
    CCharacter* operator*() const { return At->value; }
    Iterator& operator++() {
      At = At->next;
      SkipEmpty();
      return *this;
    }
    bool operator!=(const Iterator& other) const { return At != other.At; }

  private:
    void SkipEmpty() {
      while (At != Sentinel && !At->value) At = At->next;
    }
    const Node* At;
    const Node* Sentinel;
  };

  // Keeps the list's nodes in place while it lives.
  class Walker {
  public:
    explicit Walker(CCharacterList& list) : List(list) { ++List.Walks; }
    ~Walker() { List.EndWalk(); }
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;
    Iterator begin() const { return Iterator(List.next, &List); }
    Iterator end() const { return Iterator(&List, &List); }

  private:
    CCharacterList& List;
  };
  Walker Walk() { return Walker(*this); }

private:
  // Takes a node out: unlinked at once outside walks, emptied during one.
  void Drop(Node* node);
  // Deletes a member, after every other member has forgotten it as attacker.
  void DeleteMember(Node* node);
  void EndWalk();

  std::int32_t Count = 0;
  std::int32_t Walks = 0;
  bool HasEmptyNodes = false;
};
