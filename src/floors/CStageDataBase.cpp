#include "floors/CStageDataBase.h"

#include "characters/CharacterFactory.h"
#include "floors/StagePlacement.h"

namespace {

// The mining points in the order the extra ones are drawn: mine, tree,
// bush, chest.
constexpr CharacterType MiningPointTypes[4] = {768, 770, 769, 771};

}  // namespace

bool CStageDataBase::PlaceAtRandomCell(CCharacter* character) {
  if (character == nullptr) return false;
  auto takes = [this](int x, int y) {
    return IsFloor(x, y) && GetCharacterAt(x, y) == nullptr && IsFloor(x - 1, y) && IsFloor(x + 1, y) &&
           IsFloor(x, y - 1) && IsFloor(x, y + 1);
  };
  int x = 0, y = 0;
  if (!FindPlacementCell(takes, DrawMapCell, CellRect{}, x, y)) {
    delete character;
    return false;
  }
  PlaceCharacter(this, character, x, y);
  return true;
}

void CStageDataBase::LayMiningPoints() {
  const int fixed[4] = {GetMineCount(), GetTreeCount(), GetBushCount(), GetChestCount()};
  for (int kind = 0; kind < 4; ++kind) {
    for (int i = 0; i < fixed[kind]; ++i) PlaceAtRandomCell(CreateCharacter(MiningPointTypes[kind]));
  }
  // The extra points are drawn without replacement: each draw takes one
  // from its row's weight.
  const int extra = GetExtraMiningPointCount();
  int weights[4] = {GetMineWeight(), GetTreeWeight(), GetBushWeight(), GetChestWeight()};
  int total = 0;
  for (int& weight : weights) {
    if (weight < 0) weight = 0;
    total += weight;
  }
  for (int i = 0; i < extra && total > 0; ++i) {
    int r = Random() % total;
    int kind = 0;
    while (kind < 3 && r >= weights[kind]) r -= weights[kind++];
    PlaceAtRandomCell(CreateCharacter(MiningPointTypes[kind]));
    --weights[kind];
    --total;
  }
}
