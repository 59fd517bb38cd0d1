// The window-following decisions: when a request of the game's (a size,
// full screen) is judged granted, still waited for, or not granted (a
// window manager may answer late, hold the size, or none may run at all),
// and how the window manager's own changes are told from its answers.
#include <gtest/gtest.h>

#include <string>

#include "system/SysWindowFollow.h"

namespace {

TEST(WindowRequestJudgement, WaitsForALateWindowManagerAndTakesItsAnswer) {
  using A = SysWindowAnswer;
  constexpr std::uint32_t Grace = WindowRequestGraceMs;
  constexpr int Looks = WindowRequestGraceLooks;
  const struct {
    const char* Name;
    SysWindowLook Look;
    SysWindowAnswer Expected;
  } cases[] = {
      // A window manager runs.
      {"wm, matching at once", {true, true, false, 0, 0}, A::Granted},
      {"wm, not yet, the request's own frame", {true, false, false, 0, 0}, A::Waiting},
      {"wm, not yet, frames later", {true, false, false, 5, 300}, A::Waiting},
      {"wm, not yet, many frames but little time", {true, false, false, 1000, Grace - 1}, A::Waiting},
      {"wm, not yet, long but few looks (the game stalled)", {true, false, false, Looks - 1, 10 * Grace}, A::Waiting},
      {"wm, matching late, within the grace", {true, true, false, 20, 300}, A::Granted},
      {"wm, matching at the end of the grace", {true, true, false, Looks, Grace}, A::Granted},
      {"wm, never matching", {true, false, false, Looks, Grace}, A::NotGranted},
      // The manager answered with the size it holds (tiled, maximised).
      {"wm, held, answered in the request's own frame", {true, false, true, 0, 0}, A::NotGranted},
      {"wm, held, answered later", {true, false, true, 3, 200}, A::NotGranted},
      {"wm, answered with the size asked for", {true, true, true, 0, 0}, A::Granted},
      // None runs.
      {"no wm, matching at once", {false, true, false, 0, 0}, A::Granted},
      {"no wm, never withdrawn in the request's own frame", {false, false, false, 0, 0}, A::Waiting},
      {"no wm, the next look", {false, false, false, 1, 16}, A::NotGranted},
      {"no wm, matching late", {false, true, false, 3, 50}, A::Granted},
  };
  for (const auto& c : cases) EXPECT_EQ(SysJudgeWindowRequest(c.Look), c.Expected) << c.Name;
}

// The window manager's state changing: its own full screen made or ended
// is told apart from its answer to the game's request, which SDL already
// holds; a maximised window let go takes the game's size again.
TEST(WindowManagerState, ItsOwnFullScreenIsToldFromItsAnswersToTheGame) {
  using C = SysWindowChange;
  const SysManagerState plain{}, full{true, false}, maximised{false, true}, fullMaximised{true, true};
  const struct {
    const char* Name;
    SysManagerState Before, Now;
    bool Asked;
    SysWindowChange Change;
    bool LetGo;
  } cases[] = {
      {"the manager's own full screen", plain, full, false, C::FullscreenEntered, false},
      {"the game's request granted", plain, full, true, C::None, false},
      {"the manager ends full screen", full, plain, true, C::FullscreenLeft, false},
      {"the game's F4 back answered", full, plain, false, C::None, false},
      {"full screen of a maximised window", maximised, fullMaximised, false, C::FullscreenEntered, false},
      {"full screen ended back to maximised", fullMaximised, maximised, true, C::FullscreenLeft, false},
      {"maximised", plain, maximised, false, C::None, false},
      {"let go", maximised, plain, false, C::None, true},
      {"let go into full screen", maximised, full, false, C::FullscreenEntered, false},
      {"nothing that matters changed", maximised, maximised, false, C::None, false},
  };
  for (const auto& c : cases) {
    const SysStateChange judged = SysJudgeStateChange(c.Before, c.Now, c.Asked);
    EXPECT_EQ(judged.Change, c.Change) << c.Name;
    EXPECT_EQ(judged.LetGo, c.LetGo) << c.Name;
  }
}

}  // namespace
