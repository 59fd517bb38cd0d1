#include "floors/StageFactory.h"

#include "floors/CStageData.h"

namespace {

// The StageId ranges of the dungeons, the tutorial and the gallery.
struct StageRange {
  int First, Last;
};
constexpr StageRange StageRanges[] = {{0, 6},     {100, 112}, {200, 218}, {300, 324}, {400, 430},
                                      {500, 500}, {600, 636}, {700, 710}, {801, 817}};

}  // namespace

// Until the dungeon, area and floor classes exist every known id is a plain
// floor, and the gallery's random choice (800) is not made.
CStageData* CreateStage(int stageId) {
  for (const StageRange& range : StageRanges) {
    if (stageId < range.First || stageId > range.Last) continue;
    auto* floor = new CStageData;
    floor->StageId = stageId;
    return floor;
  }
  return nullptr;
}

char* GetStageName(int, char* text) {
  text[0] = '\0';
  return text;
}
