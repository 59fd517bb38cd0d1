#pragma once
// The play screen at the root of the chain over a carved floor, in the
// player's turn, with keys fed as the main loop feeds them: each key event
// through the game's dispatch, then one frame of the input object and of
// the game state. The map and the floor banner are the real ones; the menu
// and the other screens the turn pushes are stand-ins.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/Application.h"
#include "app/TurnTestSupport.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputMainMap.h"
#include "ui/CGameInputStageStart.h"
#include "ui/InputTrigger.h"
#include "ui/UiTestSupport.h"

namespace playtest {

// Default bindings.
constexpr std::uint32_t KeyUp = 38, KeyDown = 40, KeyLeft = 37, KeyRight = 39;
constexpr std::uint32_t KeyAttack = 'X', KeyDash = 'Z', KeyMenu = 'S', KeyDirection = 'A', KeyShoot = 'C',
                        KeyDiagonal = 'D', KeyMap = 'Q';

inline turntest::StandInScreen& Menu() {
  static turntest::StandInScreen menu;
  return menu;
}

inline CGameInput* ResolvePlay(ScreenId id) {
  switch (id) {
    case 15: return GetGameInputMain();
    case 16: return GetGameInputMainMap();
    case 17: return &Menu();
    case 27: return GetGameInputStageStart();
    default: return turntest::ResolveStandIn(id);
  }
}

class PlayFixture : public turntest::TurnFixture {
protected:
  void SetUp() override {
    TurnFixture::SetUp();
    SetScreenResolver(&ResolvePlay);
    Menu().Clear();
    uitest::ResetInput();
    SaveBlock& block = game->Settings.Block;
    block.ControlType = 0;
    block.AutoAttack = 1;
    block.DungeonIndex = 1;
    screen = GetGameInputMain();
    ASSERT_TRUE(GetGameInputController()->ChangeChild(15));
  }
  void TearDown() override {
    uitest::ResetInput();
    screen->SetChild(nullptr);
    TurnFixture::TearDown();
  }

  // The player at (x, y), its turn begun as the turn states begin it.
  turntest::TestPlayer* StartTurn(int x, int y) {
    turntest::TestPlayer* p = PlacePlayer(x, y);
    GetStateController()->ChangeState(StateMainNormal);
    return p;
  }

  static void Press(std::uint32_t vk) { DispatchEvent(SysEvent{SysEventKind::KeyDown, vk}); }
  static void Release(std::uint32_t vk) { DispatchEvent(SysEvent{SysEventKind::KeyUp, vk}); }
  static void Press(const std::vector<std::uint32_t>& keys) {
    for (std::uint32_t vk : keys) Press(vk);
  }
  static void ReleaseAll() {
    for (int vk = 0; vk < 256; ++vk)
      if (GetInput()->KeyDown[vk]) Release(static_cast<std::uint32_t>(vk));
  }
  // One frame of the game: input, then the state (and the screens).
  static void Frame() {
    GetInput()->Update();
    GetStateController()->Update();
  }
  static void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Frames (with input) until the player's turn comes back; how many ran.
  static int FramesToNextTurn(int limit = 200) {
    int n = 0;
    do {
      Frame();
      ++n;
    } while (State() != StateMainNormal && n < limit);
    return n;
  }
  static GameStateId State() { return GetStateController()->GetStateId(); }

  CGameInputMain* screen = nullptr;
};

}  // namespace playtest
