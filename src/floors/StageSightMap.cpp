#include "floors/StageSightMap.h"

#include <cstdlib>
#include <initializer_list>

namespace {

// A set of wave numbers 0-127: the waves from the source that reach no cell
// of a rectangle.
struct WaveSet {
  std::uint64_t Low = 0, High = 0;
  static WaveSet All() { return {~0ull, ~0ull}; }
  WaveSet operator&(const WaveSet& other) const { return {Low & other.Low, High & other.High}; }
  void Add(int wave) {
    if (wave < 64) Low |= 1ull << wave;
    else High |= 1ull << (wave - 64);
  }
  bool Empty() const { return Low == 0 && High == 0; }
};

}  // namespace

void ComputeSightMap(const CStageData& floor, int fromX, int fromY, std::uint8_t (&seen)[StageCellCount]) {
  // Light passes floor and stairs, asked once per cell.
  bool openCell[StageCellCount];
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y) openCell[CellIndex(x, y)] = floor.IsFloor(x, y) || floor.IsStairs(x, y);
  auto open = [&openCell](int x, int y) { return openCell[CellIndex(x, y)]; };
  if (!IsOnMap(fromX, fromY) || !open(fromX, fromY)) {
    // From anything but open ground only the eight neighbours show.
    for (int x = 0; x < StageMapSize; ++x)
      for (int y = 0; y < StageMapSize; ++y)
        seen[CellIndex(x, y)] = std::abs(x - fromX) <= 1 && std::abs(y - fromY) <= 1;
    return;
  }
  // Sight spreads in waves of cells k steps from the source, each through
  // open cells whose neighbour towards the source was reached. A target sees
  // the source when every wave reaches a cell of the rectangle between them.
  // Per quadrant, for the rectangle to (i, j) cells away: the waves that
  // reach none of it are those missing from both rectangles one step
  // nearer, plus the last wave when neither of its two cells was reached.
  bool reached[StageMapSize][StageMapSize];
  WaveSet missing[StageMapSize][StageMapSize];
  for (int sx : {-1, 1}) {
    for (int sy : {-1, 1}) {
      const int spanX = sx > 0 ? StageMapSize - 1 - fromX : fromX;
      const int spanY = sy > 0 ? StageMapSize - 1 - fromY : fromY;
      for (int i = 0; i <= spanX; ++i) {
        for (int j = 0; j <= spanY; ++j) {
          const int x = fromX + i * sx, y = fromY + j * sy;
          bool& r = reached[i][j];
          WaveSet& m = missing[i][j];
          if (i == 0 && j == 0) {
            r = true;
            m = WaveSet{};
          } else {
            const bool left = i > 0 && reached[i - 1][j];
            const bool up = j > 0 && reached[i][j - 1];
            r = open(x, y) && (left || up || (i > 0 && j > 0 && reached[i - 1][j - 1]));
            m = (i > 0 ? missing[i - 1][j] : WaveSet::All()) & (j > 0 ? missing[i][j - 1] : WaveSet::All());
            if (!left && !up) m.Add(i + j - 1);
          }
          // A cell in line with the source counts to the lower side, as the
          // step signs of the sight rule have it.
          const bool ownX = sx > 0 ? x > fromX : x <= fromX;
          const bool ownY = sy > 0 ? y > fromY : y <= fromY;
          if (ownX && ownY) seen[CellIndex(x, y)] = m.Empty();
        }
      }
    }
  }
}
