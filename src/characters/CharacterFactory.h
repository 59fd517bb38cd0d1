#pragma once
#include <cstddef>

#include "characters/CCharacter.h"

// A new character of the type's class, built by its constructor and owned
// by the caller (who places it and lists it); null for a type without a
// class, or when memory runs out.
CCharacter* CreateCharacter(CharacterType type);

// Copies the display name of a type, in the current language, into the
// buffer (cut at a character boundary to fit) and returns the buffer. Types
// without a name leave the buffer as it was.
char* GetCharacterTypeName(CharacterType type, char* buffer, std::size_t capacity);
template <std::size_t N>
char* GetCharacterTypeName(CharacterType type, char (&buffer)[N]) {
  return GetCharacterTypeName(type, buffer, N);
}

// Copies the persistent state of one character into another. The destination
// keeps its class, animation table, owned lists, inventory and item count.
void CopyCharacterState(CCharacter* destination, const CCharacter* source);
