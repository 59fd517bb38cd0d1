#include "monsters/MonsterTables.h"

namespace {

// Every class table; a new family's table joins this list.
const MonsterClassRow* const ClassTables[] = {
    SlimeToManaEaterClasses,
    SkeletonToVampireClasses,
    GorgonToAlchemistClasses,
};

}  // namespace

const MonsterClassRow* FindMonsterClass(CharacterType type) {
  for (const MonsterClassRow* table : ClassTables)
    for (const MonsterClassRow* row = table; row->Type != -1; ++row)
      if (row->Type == type) return row;
  return nullptr;
}
