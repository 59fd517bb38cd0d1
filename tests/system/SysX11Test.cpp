// When a request for full screen is judged granted, still waited for, or
// not granted: a window manager may answer late, and where none runs
// nobody answers at all.
#include <gtest/gtest.h>

#include "system/SysX11.h"

namespace {

TEST(FullscreenJudgement, WaitsForALateWindowManagerAndGivesUpOnlyWhereNoneAnswers) {
  using A = FullscreenAnswer;
  constexpr std::uint32_t Grace = FullscreenGraceMs;
  constexpr int Looks = FullscreenGraceLooks;
  const struct {
    const char* Name;
    FullscreenLook Look;
    FullscreenAnswer Expected;
  } cases[] = {
      // A window manager runs.
      {"wm, matching at once", {true, true, 0, 0}, A::Granted},
      {"wm, not yet, the request's own frame", {true, false, 0, 0}, A::Waiting},
      {"wm, not yet, frames later", {true, false, 5, 300}, A::Waiting},
      {"wm, not yet, many frames but little time", {true, false, 1000, Grace - 1}, A::Waiting},
      {"wm, not yet, long but few looks (the game stalled)", {true, false, Looks - 1, 10 * Grace}, A::Waiting},
      {"wm, matching late, within the grace", {true, true, 20, 300}, A::Granted},
      {"wm, matching at the end of the grace", {true, true, Looks, Grace}, A::Granted},
      {"wm, never matching", {true, false, Looks, Grace}, A::NotGranted},
      // None runs.
      {"no wm, matching at once", {false, true, 0, 0}, A::Granted},
      {"no wm, never withdrawn in the request's own frame", {false, false, 0, 0}, A::Waiting},
      {"no wm, the next look", {false, false, 1, 16}, A::NotGranted},
      {"no wm, matching late", {false, true, 3, 50}, A::Granted},
  };
  for (const auto& c : cases) EXPECT_EQ(SysJudgeFullscreen(c.Look), c.Expected) << c.Name;
}

}  // namespace
