#include "floors/CStageBlock.h"

#include <algorithm>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "floors/StagePlacement.h"
#include "items/CItem.h"
#include "platform/Random.h"

namespace {

constexpr int Side0 = 0, Side1 = 1, Side2 = 2, Side3 = 3;
constexpr std::int32_t ChestType = 771;

}  // namespace

CStageBlock::~CStageBlock() {
  delete child[0];
  delete child[1];
}

// Lines just outside a block always lie on the map; anything else reads as
// wall and is written nowhere.
std::uint32_t CStageBlock::GetCell(int cx, int cy) const {
  return IsOnMap(cx, cy) ? floor->terrain[CellIndex(cx, cy)] : TerrainWall;
}

void CStageBlock::SetCell(int cx, int cy, std::uint32_t code) {
  if (IsOnMap(cx, cy)) floor->terrain[CellIndex(cx, cy)] = code;
}

bool CStageBlock::IsCorridorCell(int cx, int cy) const { return GetCell(cx, cy) == TerrainCorridor; }

void CStageBlock::Build(int bx, int by, int bw, int bh, int depth, CStageData* stage) {
  x = bx, y = by, w = bw, h = bh;
  floor = stage;
  for (int cx = x; cx < x + w; ++cx)
    for (int cy = y; cy < y + h; ++cy) SetCell(cx, cy, TerrainWall);

  // The monster-house roll draws on every block, also when the chance is 0,
  // so that a floor's split does not depend on whether houses are possible.
  int chance = floor->MonsterHouseChance;
  for (int d = 0; d < depth; ++d) chance /= 2;
  if (Random() % 65535 < chance) {
    if (MakeMonsterHouse()) floor->MonsterHouseChance = 0;
    DigLeafCorridors();
    return;
  }

  bool split = depth < 2;
  if (!split && depth < 4) split = Random() % 25 < std::max(w, h) - 5;
  const int length = h < w ? w : h;
  if (split && length / 3 > 0) {
    const int third = length / 3;
    const int cut = Random() % third + third;
    child[0] = new CStageBlock();
    child[1] = new CStageBlock();
    if (h < w) {
      child[0]->Build(x, y, cut, h, depth + 1, floor);
      child[1]->Build(x + cut + 1, y, w - cut - 1, h, depth + 1, floor);
      child[0]->DigCorridor(Side3);
      child[1]->DigCorridor(Side2);
    } else {
      child[0]->Build(x, y, w, cut, depth + 1, floor);
      child[1]->Build(x, y + cut + 1, w, h - cut - 1, depth + 1, floor);
      child[0]->DigCorridor(Side1);
      child[1]->DigCorridor(Side0);
    }
    return;
  }
  CarveRoom();
  DigLeafCorridors();
}

void CStageBlock::DigLeafCorridors() {
  // Each side is tested and, when chosen, dug before the next side is
  // tested: the lane draw of one side comes before the test of the next.
  // A side's number is drawn only when the block lies far enough from the
  // map's edge on that side.
  if (y > 1 && Random() % 2 == 1) DigCorridor(Side0);
  if (y + h + 1 < StageMapSize && Random() % 2 == 1) DigCorridor(Side1);
  if (x > 1 && Random() % 2 == 1) DigCorridor(Side2);
  if (x + w + 1 < StageMapSize && Random() % 2 == 1) DigCorridor(Side3);
}

bool CStageBlock::CarveRoom() {
  if (state != Empty) return false;
  if (w > 5 && h > 5) {
    // At least 4 and two thirds of the block, and a wall all round.
    auto fits = [](int size, int span) { return size >= 4 && size >= 2 * span / 3 && size <= span - 2; };
    do roomW = Random() % w; while (!fits(roomW, w));
    do roomH = Random() % h; while (!fits(roomH, h));
    do roomX = Random() % w + x; while (!(roomX > x && roomX + roomW < x + w));
    do roomY = Random() % h + y; while (!(roomY > y && roomY + roomH < y + h));
    for (int cx = x; cx < x + w; ++cx) {
      for (int cy = y; cy < y + h; ++cy) {
        const bool inside = cx >= roomX && cx < roomX + roomW && cy >= roomY && cy < roomY + roomH;
        SetCell(cx, cy, inside ? TerrainRoom : TerrainWall);
      }
    }
    state = Room;
    return true;
  }
  // Too narrow for a room: the corridors meet at the centre of a 3 x 3 box.
  roomX = Random() % std::max(1, w - 2) + x;
  roomY = Random() % std::max(1, h - 2) + y;
  roomW = roomH = 3;
  state = Junction;
  return false;
}

bool CStageBlock::DigCorridor(int side) {
  bool joined = false;
  if (child[0] == nullptr) {
    joined = DigAndJoin(side);
  } else {
    joined = PassToTouchingChildren(side);
  }
  if (side >= 0 && side < 4) corridorDone[side] = 1;
  return joined;
}

bool CStageBlock::DigAndJoin(int side) {
  if (side < Side0 || side > Side3) return false;
  if (corridorDone[side] == 0) {
    // The lane keeps off the room's corner rows and columns; the dig runs
    // from inside the room out to the line just outside the block.
    const bool alongY = side == Side0 || side == Side1;
    const bool lower = side == Side0 || side == Side2;
    const int lane = alongY ? roomX + 1 + Random() % std::max(1, roomW - 2) : roomY + 1 + Random() % std::max(1, roomH - 2);
    const int roomStart = alongY ? roomY : roomX, roomSize = alongY ? roomH : roomW;
    const int from = lower ? roomStart + 1 : roomStart + roomSize - 2;
    const int to = alongY ? (lower ? y - 1 : y + h) : (lower ? x - 1 : x + w);
    const int step = lower ? -1 : 1;
    for (int at = from; lower ? at >= to : at <= to; at += step) {
      const int cx = alongY ? lane : at, cy = alongY ? at : lane;
      if (GetCell(cx, cy) == TerrainWall) SetCell(cx, cy, TerrainCorridor);
    }
  }
  switch (side) {
    case Side0: return JoinCorridorEnds(x - 1, y - 1, w + 2, true);
    case Side1: return JoinCorridorEnds(x - 1, y + h, w + 2, true);
    case Side2: return JoinCorridorEnds(x - 1, y - 1, h + 2, false);
    default: return JoinCorridorEnds(x + w, y - 1, h + 2, false);
  }
}

bool CStageBlock::PassToTouchingChildren(int side) {
  const bool stacked = child[0]->x == child[1]->x;  // cut across y
  if (stacked && (side == Side0 || side == Side1)) return child[side == Side0 ? 0 : 1]->DigCorridor(side);
  if (!stacked && (side == Side2 || side == Side3)) return child[side == Side2 ? 0 : 1]->DigCorridor(side);

  // Both children touch the side: every corridor that already reaches the
  // line is met by the child whose span holds it. The line is read as it
  // stands at each cell, so a join made by one child is seen further on.
  int lineX = 0, lineY = 0, from = 0, to = 0;
  bool horizontal = true;
  switch (side) {
    case Side0: lineY = y - 1, from = x - 1, to = x + w; break;
    case Side1: lineY = y + h, from = x, to = x + w - 1; break;
    case Side2: horizontal = false, lineX = x - 1, from = y, to = y + h - 1; break;
    default: horizontal = false, lineX = x + w, from = y, to = y + h - 1; break;
  }
  bool found = false, joined = false;
  for (int along = from; along <= to; ++along) {
    const bool corridor = horizontal ? IsCorridorCell(along, lineY) : IsCorridorCell(lineX, along);
    if (!corridor) continue;
    found = true;
    const int split = horizontal ? child[1]->x : child[1]->y;
    joined = child[along >= split ? 1 : 0]->DigCorridor(side) || joined;
  }
  if (!found) joined = child[Random() & 1]->DigCorridor(side);
  return joined;
}

bool CStageBlock::JoinCorridorEnds(int startX, int startY, int length, bool horizontal) {
  int finds = 0, first = 0, last = 0;
  for (int i = 0; i < length; ++i) {
    const int cx = horizontal ? startX + i : startX;
    const int cy = horizontal ? startY : startY + i;
    // Across the line: the neighbour on the higher side first, then the lower.
    const bool higher = horizontal ? IsCorridorCell(cx, cy + 1) : IsCorridorCell(cx + 1, cy);
    const bool lower = horizontal ? IsCorridorCell(cx, cy - 1) : IsCorridorCell(cx - 1, cy);
    for (bool find : {higher, lower}) {
      if (!find) continue;
      if (finds++ == 0) first = i;
      else last = i;
    }
  }
  if (finds < 2) return false;
  for (int i = first; i <= last; ++i) {
    if (horizontal) SetCell(startX + i, startY, TerrainCorridor);
    else SetCell(startX, startY + i, TerrainCorridor);
  }
  return true;
}

bool CStageBlock::MakeMonsterHouse() {
  if (!CarveRoom()) return false;
  for (int cx = roomX; cx < roomX + roomW; ++cx)
    for (int cy = roomY; cy < roomY + roomH; ++cy) SetCell(cx, cy, TerrainMonsterHouse);
  FillMonsterHouse();
  return true;
}

bool CStageBlock::PlaceInRoom(CCharacter* character) {
  // At most PlacementTryLimit draws, and no scan: a character that finds no
  // cell is given up.
  auto takes = [this](int cx, int cy) { return floor->IsFloor(cx, cy) && floor->GetCharacterAt(cx, cy) == nullptr; };
  for (int draws = 0; draws < PlacementTryLimit; ++draws) {
    if (draws == QuickPlacementTries && !AnyCellTakes(takes, CellRect{roomX, roomY, roomW, roomH})) {
      SkipCellDraws(draws, PlacementTryLimit);
      break;
    }
    const int cx = Random() % roomW + roomX;
    const int cy = Random() % roomH + roomY;
    if (takes(cx, cy)) {
      PlaceCharacter(floor, character, cx, cy);
      return true;
    }
  }
  delete character;
  return false;
}

void CStageBlock::FillMonsterHouse() {
  const int chests = (Random() & 1) + 3;
  for (int i = 0; i < chests; ++i) {
    if (CCharacter* chest = CreateCharacter(ChestType)) PlaceInRoom(chest);
  }
  const int monsters = Random() % 6 + 10;
  for (int i = 0; i < monsters; ++i) {
    CCharacter* monster = floor->PickEnemy();
    if (monster == nullptr) continue;
    // Asleep by its spawn row or not, it waits dormant for the player.
    monster->ClearHold();
    monster->InflictDormantRandom();
    PlaceInRoom(monster);
  }
  const int traps = (Random() & 3) + 3;
  for (int i = 0; i < traps; ++i) {
    CItem* trap = floor->PickTrap();
    if (trap == nullptr) continue;
    auto takes = [this](int cx, int cy) {
      return floor->IsFloor(cx, cy) && floor->GetItemAt(cx, cy) == nullptr && !TouchesCorridor(*floor, cx, cy);
    };
    auto draw = [this](int& cx, int& cy) {
      cx = Random() % roomW + roomX;
      cy = Random() % roomH + roomY;
    };
    int cx = 0, cy = 0;
    if (FindPlacementCell(takes, draw, CellRect{roomX, roomY, roomW, roomH}, cx, cy) && floor->PutItemAt(cx, cy, trap))
      continue;
    delete trap;
  }
}
