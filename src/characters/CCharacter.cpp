#include "characters/CCharacter.h"

#include <algorithm>
#include <iterator>

#include "app/CGameMain.h"
#include "characters/CCharacterList.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"

namespace {

constexpr TextId TeleportText = 584;

CStageData* CurrentStage() { return GetGameMain()->CurrentStage; }

}  // namespace

CCharacter::CCharacter() {
  std::fill(std::begin(meleeHitEntries), std::end(meleeHitEntries), -1);
  std::fill(std::begin(magicShotEntries), std::end(magicShotEntries), -1);
  std::fill(std::begin(shotEntries), std::end(shotEntries), -1);
  std::fill(std::begin(itemUseEntries), std::end(itemUseEntries), -1);
}

CCharacter::~CCharacter() {
  // The owned lists only refer to their members.
  if (ownedList1) ownedList1->RemoveAll();
  if (ownedList2) ownedList2->RemoveAll();
}

// ---- Position and direction

void CCharacter::SetPosition(int cellX, int cellY) {
  x = prevX = prevPrevX = cellX;
  y = prevY = prevPrevY = cellY;
}

bool CCharacter::SetDirection(Direction value) {
  direction = value;
  return true;
}

void CCharacter::StartTurn() {
  prevX = prevPrevX = x;
  prevY = prevPrevY = y;
}

// ---- Animation

const AnimationFrame* CCharacter::GetCurrentFrame() const {
  if (animEntry < 0 || static_cast<std::size_t>(animEntry) >= frames.size()) return nullptr;
  return &frames[static_cast<std::size_t>(animEntry)];
}

// ---- Drawing on the floor map

bool CCharacter::DrawAt(int, int, float, float, int) { return true; }

bool CCharacter::DrawMarkerCell(int sourceX, int screenX, int screenY, float scaleX, float scaleY,
                                int markerAlpha) const {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!stage || stage->IsOutOfMap(x, y)) return false;
  const bool ground = stage->IsStairs(x, y) || stage->IsCorridor(x, y) || stage->IsFloor(x, y);
  const bool firstHalf = game->FrameCount % 40 < 20;
  const int row = ground && stage->explored[CellIndex(x, y)] != 0 ? (firstHalf ? 0 : 3) : (firstHalf ? 6 : 9);
  ResetDrawState();
  SpriteDrawState.ScaleX = scaleX;
  SpriteDrawState.ScaleY = scaleY;
  SpriteDrawState.Colour = static_cast<std::uint32_t>(markerAlpha & 0xFF) << 24 | 0xFFFFFFu;
  DrawSprite(7, screenX, screenY, sourceX, row, 3, 3);
  ResetDrawState();
  return true;
}

// The 3 x 3 marker cells of picture 7: an enemy shows while seen (anywhere
// to a telepath), an object once its ground has been explored.
bool CCharacter::DrawEnemyMapMarker(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!stage || stage->IsOutOfMap(x, y)) return false;
  const CCharacter* player = game->Player;
  const bool telepathy = player && player->HasTelepathy();
  if (!telepathy && stage->explored[CellIndex(x, y)] != 2 && (IsInvisible() || !stage->IsVisible(x, y)))
    return false;
  return DrawMarkerCell(393, screenX, screenY, scaleX, scaleY, markerAlpha);
}

bool CCharacter::DrawObjectMapMarker(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  const CStageData* stage = GetGameMain()->CurrentStage;
  if (!stage || stage->IsOutOfMap(x, y)) return false;
  if (IsInvisible() || stage->explored[CellIndex(x, y)] == 0) return false;
  return DrawMarkerCell(405, screenX, screenY, scaleX, scaleY, markerAlpha);
}

// ---- State, name, colour

void CCharacter::CopyStateFrom(const CCharacter* other) { CopyCharacterState(this, other); }

char* CCharacter::GetName(char* buffer, std::size_t capacity) const {
  return GetCharacterTypeName(type, buffer, capacity);
}

void CCharacter::SetColor(int r, int g, int b) {
  red = r;
  green = g;
  blue = b;
}

// ---- Inventory

CItem* CCharacter::GetItem(int index) const {
  if (index == -1) {
    const CStageData* stage = CurrentStage();
    return stage ? stage->GetItemAt(x, y) : nullptr;
  }
  return GetItemAt(index);
}

CItem* CCharacter::GetItemAt(int index) const {
  if (!items || index < 0 || index >= itemCount || index >= itemCapacity) return nullptr;
  return items[index];
}

int CCharacter::CountItems() const {
  int n = 0;
  while (GetItemAt(n)) ++n;
  return n;
}

void CCharacter::ClampHP() { hp = std::min(hp, GetMaxHP()); }

// ---- Teleport

void CCharacter::TeleportRandom() {
  CStageData* stage = CurrentStage();
  if (!stage) return;
  // Every free floor cell, column by column, and those out of sight.
  std::int16_t free[StageCellCount];
  std::int16_t hidden[StageCellCount];
  int freeCount = 0, hiddenCount = 0;
  for (int cellX = 0; cellX < StageMapSize; ++cellX) {
    for (int cellY = 0; cellY < StageMapSize; ++cellY) {
      if (!stage->IsFloor(cellX, cellY) || stage->GetCharacterAt(cellX, cellY)) continue;
      const auto cell = static_cast<std::int16_t>(CellIndex(cellX, cellY));
      free[freeCount++] = cell;
      if (!stage->HasLineOfSight(x, y, cellX, cellY)) hidden[hiddenCount++] = cell;
    }
  }
  if (freeCount == 0) return;
  ShowCaption(GetCurrentLanguageText(TeleportText));
  // One draw picks among the cells out of sight, or among every free cell
  // when all are in sight.
  const std::int16_t* pool = hiddenCount > 0 ? hidden : free;
  const int cell = pool[Random() % (hiddenCount > 0 ? hiddenCount : freeCount)];
  const int toX = cell / StageMapSize, toY = cell % StageMapSize;
  if (!stage->MoveCharacterTo(toX, toY, this)) return;
  SetPosition(toX, toY);
  ShowCaption(GetCurrentLanguageText(TeleportText));
}
