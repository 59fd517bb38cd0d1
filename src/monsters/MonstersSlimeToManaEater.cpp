// The Mushroom's spores, the Goblin's arrows and the ManaEater's hunger.
#include "monsters/MonstersSlimeToManaEater.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "app/CGameMain.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/ItemFactory.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr TextId SporesText = 658;
constexpr TextId AteText = 641;
constexpr int SporeChance = 30;
constexpr int ArrowChance = 50;
constexpr int RobChance = 30;
constexpr int SporeParalyzeTurns = 3;
constexpr ItemId StoneArrow = 0x200;
// The player's bag: inventory places 7-36.
constexpr int FirstBagPlace = 7, LastBagPlace = 36;

CStageData* Stage() { return GetGameMain()->CurrentStage; }
CCharacter* Player() { return GetGameMain()->Player; }

// A line with the monster's name and a second name.
void ShowNamed(const CCharacter& who, TextId id, const char* second) {
  char name[128] = {};
  who.GetName(name, sizeof name);
  char line[256];
  std::snprintf(line, sizeof line, GetCurrentLanguageText(id), name, second);
  GetGameInputMain()->ShowMessage(line);
}

}  // namespace

// ---- Mushroom

bool CCharacterMushroom::CanUseSpecialAttack() { return CanAttackPlayer(); }

bool CCharacterMushroom::WantsSpecialAttack() { return CanUseSpecialAttack() && RandomChance(SporeChance); }

void CCharacterMushroom::OnShoot() { ShowNamedLine(SporesText); }

void CCharacterMushroom::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  // The spray lands while it still holds the turn.
  if (CCharacter* target = EndsSpecial(entry) ? CharacterInFront() : nullptr) {
    switch (GetGrade()) {
      case 1: target->InflictPoisonRandom(); break;
      case 2:
        if (!target->IsParalyze()) target->InflictParalyze(SporeParalyzeTurns);
        break;
      case 3: target->InflictConfuseRandom(); break;
      default: break;
    }
  }
  CCharacterEnemy::SetAnimation(entry);
}

// ---- Goblin

bool CCharacterGoblin::WantsSpecialAttack() {
  if (CanAttackPlayer()) return true;
  return CanUseSpecialAttack() && RandomChance(ArrowChance);
}

void CCharacterGoblin::LaunchShot() {
  // The arrow that flies is only a picture; the one that lands is made when
  // the flight ends.
  CCharacterEffect::SpawnMissile(this, EffectArrow, CreateItem(StoneArrow), -1, 0);
}

void CCharacterGoblin::EndItemShot() {
  CStageData* stage = Stage();
  if (!stage) return;
  CItem* arrow = CreateItem(StoneArrow);
  if (!arrow) return;
  const int dx = GetFacingDx(), dy = GetFacingDy();
  if (dx == 0 && dy == 0) {
    delete arrow;
    return;
  }
  for (int k = 1;; ++k) {
    const int cellX = x + k * dx, cellY = y + k * dy;
    if (stage->IsWall(cellX, cellY)) {
      // It lies before the wall, on the Goblin's own cell when the wall is in front.
      if (!stage->DropItemNearForced(cellX - dx, cellY - dy, arrow)) delete arrow;
      return;
    }
    if (stage->IsOutOfMap(cellX, cellY)) {
      delete arrow;
      return;
    }
    CCharacter* target = stage->GetCharacterAt(cellX, cellY);
    // Whoever is already falling is flown past.
    if (target && target->hp > 0) {
      arrow->ResolveThrow(this, target);
      return;
    }
  }
}

// ---- ManaEater

namespace {

constexpr ItemId ManaEaterFood[] = {0x80f, -1};
constexpr ItemId MetalEaterFood[] = {0x801, 0x802, 0x803, 0x804, 0x806, 0x807, 0x808,
                                     0x809, 0x80b, 0x80c, 0x80d, 0x80e, 0x80f, -1};
constexpr ItemId MaterialEaterFood[] = {0x801, 0x802, 0x803, 0x804, 0x806, 0x807, 0x808,
                                        0x809, 0x80b, 0x80c, 0x80d, 0x80e, 0x80f, 0x819, -1};

}  // namespace

ItemId CCharacterManaEater::GetFoodList(int index) const {
  const ItemId* list = nullptr;
  int size = 0;
  switch (GetGrade()) {
    case 1: list = ManaEaterFood, size = static_cast<int>(std::size(ManaEaterFood)); break;
    case 2: list = MetalEaterFood, size = static_cast<int>(std::size(MetalEaterFood)); break;
    case 3: list = MaterialEaterFood, size = static_cast<int>(std::size(MaterialEaterFood)); break;
    default: return -1;
  }
  return index >= 0 && index < size ? list[index] : -1;
}

bool CCharacterManaEater::IsEdible(const CItem* item) const {
  if (!item) return false;
  for (int i = 0;; ++i) {
    const ItemId food = GetFoodList(i);
    if (food == -1) return false;
    if (food == item->GetId()) return true;
  }
}

int CCharacterManaEater::FindEdibleItem() const {
  const CCharacter* player = Player();
  if (!player) return -1;
  for (int place = FirstBagPlace; place <= LastBagPlace; ++place)
    if (IsEdible(player->GetItem(place))) return place;
  return -1;
}

void CCharacterManaEater::SearchItem() {
  const CStageData* stage = Stage();
  if (!stage) return;
  // The first cell in scan order whose smaller axis distance is least.
  int best = 65535;
  bool found = false;
  for (int cellX = 0; cellX < stage->GetWidth(); ++cellX) {
    for (int cellY = 0; cellY < stage->GetHeight(); ++cellY) {
      const CItem* item = stage->GetItemAt(cellX, cellY);
      const int distanceX = std::abs(x - cellX), distanceY = std::abs(y - cellY);
      // A cell no nearer on either axis changes nothing: sight is asked
      // only of those that would.
      if (!item || (distanceX >= best && distanceY >= best)) continue;
      if (!IsEdible(item) || !stage->CanSee(x, y, cellX, cellY)) continue;
      for (const int distance : {distanceX, distanceY}) {
        if (distance >= best) continue;
        best = distance;
        targetX = cellX;
        targetY = cellY;
        found = true;
      }
    }
  }
  if (!found) CCharacterEnemy::SearchPlayer();
}

bool CCharacterManaEater::FindFoodAround() {
  const CStageData* stage = Stage();
  if (!stage) return false;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      const int cellX = x + dx, cellY = y + dy;
      if (!stage->CanAttack(x, y, cellX, cellY, 0) || !IsEdible(stage->GetItemAt(cellX, cellY))) continue;
      if (dx != 0 || dy != 0) FaceDelta(dx, dy);
      return true;
    }
  }
  return false;
}

bool CCharacterManaEater::CanUseSpecialAttack() {
  if (FindFoodAround()) return true;
  return CanAttackPlayer() && FindEdibleItem() != -1;
}

bool CCharacterManaEater::WantsSpecialAttack() {
  if (CanUseSpecialAttack() && RandomChance(RobChance)) return true;
  return FindFoodAround();
}

void CCharacterManaEater::UseSpecialAttack() {
  SetAnimation(AnimationThrow);
  CStageData* stage = Stage();
  if (!stage) return;
  const int frontX = x + GetFacingDx(), frontY = y + GetFacingDy();
  for (const auto& [cellX, cellY] : {std::pair{x, y}, std::pair{frontX, frontY}}) {
    if (CItem* item = stage->GetItemAt(cellX, cellY); IsEdible(item)) return Eat(item, cellX, cellY, -1);
  }
  // Only the player in front is robbed.
  CCharacter* player = Player();
  if (!player || stage->GetCharacterAt(frontX, frontY) != player) return;
  const int place = FindEdibleItem();
  if (place != -1) Eat(player->GetItem(place), frontX, frontY, place);
}

void CCharacterManaEater::Eat(CItem* item, int cellX, int cellY, int bagPlace) {
  if (!item) return;
  char itemName[128] = {};
  item->GetName(itemName, sizeof itemName);
  ShowNamed(*this, AteText, itemName);
  item->SetCount(item->GetCount() - 1);
  if (item->GetCount() >= 1) return;
  if (bagPlace == -1) {
    Stage()->RemoveItemAt(cellX, cellY);
    delete item;
    return;
  }
  CCharacter* player = Player();
  player->RemoveItem(item);
  // Deleted only once the bag no longer holds it.
  for (int place = 0; place <= LastBagPlace; ++place)
    if (player->GetItem(place) == item) return;
  delete item;
}
