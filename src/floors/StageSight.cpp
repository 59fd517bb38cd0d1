// What a cell sees, and what the player sees now.
#include <cstdlib>
#include <cstring>

#include "floors/CStageData.h"

bool CStageData::HasLineOfSight(int x1, int y1, int x2, int y2) const {
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  const int dx = std::abs(x1 - x2), dy = std::abs(y1 - y2);
  // From a corridor (or anything but open ground) only the eight neighbours show.
  if (!IsFloorlike(x1, y1)) return dx <= 1 && dy <= 1;
  const int waves = dx + dy;
  if (waves == 0) return true;

  // Waves of cells at k steps from the source, inside the rectangle between
  // the two cells; a cell is reached when it is open and one of its three
  // neighbours towards the source was. The target itself is never tested.
  // Wave k's cell i is (x1 + i * sx, y1 + (k - i) * sy): its neighbours
  // towards the source are cells i - 1 and i of wave k - 1 and cell i - 1
  // of wave k - 2.
  constexpr int MaxWave = 2 * StageMapSize;
  bool waveBuffers[3][MaxWave] = {};
  for (int k = 0; k < waves; ++k) {
    bool* current = waveBuffers[k % 3];
    const bool* last = waveBuffers[(k + 2) % 3];
    const bool* beforeLast = waveBuffers[(k + 1) % 3];
    bool any = false;
    for (int i = 0; i <= k && i < MaxWave; ++i) {
      current[i] = false;
      if (i > dx || k - i > dy) continue;
      const int x = x1 + i * sx, y = y1 + (k - i) * sy;
      if (!IsOnMap(x, y) || !IsFloorlike(x, y)) continue;
      const bool reached = k == 0 || (i > 0 && last[i - 1]) || (i < k && last[i]) || (k >= 2 && i > 0 && i < k && beforeLast[i - 1]);
      if (!reached) continue;
      current[i] = true;
      any = true;
    }
    if (!any) return false;
  }
  return true;
}

bool CStageData::CanSee(int x, int y, int targetX, int targetY) const {
  if (IsFloorlike(x, y)) return HasLineOfSight(x, y, targetX, targetY);
  // From a corridor: as if standing in the doorway of a room next to it.
  const int around[8][2] = {{x - 1, y - 1}, {x, y - 1}, {x + 1, y - 1}, {x - 1, y},
                            {x + 1, y},     {x - 1, y + 1}, {x, y + 1}, {x + 1, y + 1}};
  for (const auto& n : around)
    if (IsFloorlike(n[0], n[1]) && HasLineOfSight(n[0], n[1], targetX, targetY)) return true;
  return HasLineOfSight(x, y, targetX, targetY);
}

void CStageData::UpdateVisibility(int x, int y) {
  std::memset(visible, 0, sizeof visible);
  LightQuadrant(x, y, 0, 0);
  LightQuadrant(x, y, 0, StageMapSize);
  LightQuadrant(x, y, StageMapSize, 0);
  LightQuadrant(x, y, StageMapSize, StageMapSize);
}

void CStageData::LightQuadrant(int x, int y, int cornerX, int cornerY) {
  if (!IsOnMap(x, y)) return;
  const int sx = x < cornerX ? 1 : -1, sy = y < cornerY ? 1 : -1;
  auto see = [this](int cx, int cy, std::uint8_t value) {
    const int i = CellIndex(cx, cy);
    visible[i] = value;
    if (explored[i] == 0) explored[i] = 1;
  };
  auto isOpenSeen = [this](int cx, int cy) { return IsOnMap(cx, cy) && visible[CellIndex(cx, cy)] == VisibleOpen; };

  see(x, y, VisibleOpen);
  if (!IsFloorlike(x, y)) {
    // In a corridor: the neighbours towards this corner, no further.
    const int near[3][2] = {{x + sx, y + sy}, {x + sx, y}, {x, y + sy}};
    for (const auto& n : near)
      if (IsOnMap(n[0], n[1])) see(n[0], n[1], VisibleBlocking);
    return;
  }
  // Waves outwards from the player; walls and corridors are seen but pass
  // no light on. A cell on the player's row or column lies in two quadrants:
  // the later call decides it, reading what the earlier one lit beside it.
  const int waves = std::abs(x - cornerX) + std::abs(y - cornerY);
  for (int k = 1; k <= waves; ++k) {
    bool any = false;
    for (int i = 0; i <= k; ++i) {
      const int cx = x + i * sx, cy = y + (k - i) * sy;
      if (!IsOnMap(cx, cy)) continue;
      if (isOpenSeen(cx - sx, cy) || isOpenSeen(cx, cy - sy) || isOpenSeen(cx - sx, cy - sy)) {
        see(cx, cy, IsFloorlike(cx, cy) ? VisibleOpen : VisibleBlocking);
        any = true;
      } else {
        visible[CellIndex(cx, cy)] = VisibleNone;
      }
    }
    if (!any) break;
  }
}
