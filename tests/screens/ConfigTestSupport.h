#pragma once
// The settings, binding and ranking screens driven as the title state
// drives them: keys go down and up as window messages, the input object
// updates, then the chain and the screen effect step. The live bindings,
// volumes and settings are put back after each test, which has a game
// folder of its own; a stub screen stands covered beneath the one tested.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/GameStates.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/SaveTestSupport.h"
#include "ui/CGameInputController.h"
#include "ui/UiTestSupport.h"

namespace configtest {

// Windows virtual-key codes of the default bindings and a few others.
constexpr std::uint32_t VkUp = 38, VkDown = 40, VkLeft = 37, VkRight = 39;
constexpr std::uint32_t VkSelect = 'Z', VkCancel = 'X';

inline CGameMain* Game() { return GetGameMain(); }
inline SaveBlock& Block() { return GetGameMain()->Settings.Block; }
inline CGameInputController* Root() { return GetGameInputController(); }
inline CMyInput* Input() { return GetInput(); }

// A screen that pushes the one under test and stands covered beneath it,
// as the title menu does.
class ParentStub : public CGameInput {
public:
  void Begin() override { Phase = ScreenActive; }
  void OnCovered() override { Phase = ScreenCovered; }
  void OnChildClosed() override {
    ++ChildClosings;
    Phase = ScreenResuming;
  }
  void Update() override {
    if (Child) Child->Update();
    if (Phase == ScreenResuming && Child && Child->GetPhase() == ScreenClosed) Child = nullptr;
  }
  void DrawLayer(int layer) override {
    if (Child) Child->DrawLayer(layer);
  }
  int ChildClosings = 0;
};

// The stub by its own id; and, when a test sets one, a title menu of its own
// for the ranking screen to leave to.
constexpr ScreenId StubId = 100, TitleMenuId = 2;
inline ParentStub* TheStub = nullptr;
inline CGameInput* TheTitleMenu = nullptr;
inline CGameInput* ResolveWithStub(ScreenId id) {
  if (id == StubId) return TheStub;
  if (id == TitleMenuId && TheTitleMenu) return TheTitleMenu;
  return ScreenFromId(id);
}

class ConfigFixture : public ::testing::Test {
protected:
  ConfigFixture() {
    std::memcpy(&SavedBlock, &Block(), sizeof SavedBlock);
    std::memcpy(SavedKeys, Input()->KeyBindingTable, sizeof SavedKeys);
    std::memcpy(SavedPads, Input()->PadBindingMatrix, sizeof SavedPads);
    SavedBgm = GetSoundManager()->BgmMasterVolume;
    SavedSe = GetSoundManager()->SeMasterVolume;
    ResetSingletons();
    Block().Language = 0;
    Block().Fullscreen = 0;
    Block().WindowScale = 2;
    Block().AutoAttack = 1;
    // No key or pad button an earlier test left down.
    uitest::ResetInput();
    uitest::ClearInput();
    StopFade();
    TheStub = &Stub;
    SetScreenResolver(&ResolveWithStub);
  }
  ~ConfigFixture() override {
    Root()->SetChild(nullptr);
    for (ScreenId id : {7, 8, 9, 10, 11}) {
      CGameInput* screen = ScreenFromId(id);
      screen->SetChild(nullptr);
      screen->SetParent(nullptr);
    }
    SetScreenResolver(nullptr);
    TheTitleMenu = nullptr;
    for (std::uint32_t vk : Held) Input()->OnKeyMessage(vk, WM_KEYUP);
    std::memset(Input()->PadState.Buttons, 0, sizeof Input()->PadState.Buttons);
    Input()->JoystickRead = false;
    std::memcpy(Input()->KeyBindingTable, SavedKeys, sizeof SavedKeys);
    std::memcpy(Input()->PadBindingMatrix, SavedPads, sizeof SavedPads);
    // Windowed again before the block goes back, so that the window follows.
    Game()->SetFullscreen(false);
    std::memcpy(&Block(), &SavedBlock, sizeof SavedBlock);
    GetSoundManager()->BgmMasterVolume = SavedBgm;
    GetSoundManager()->SeMasterVolume = SavedSe;
    StopFade();
  }

  // Built-in bindings and volumes at 80, as a fresh start has them.
  static void ResetSingletons() {
    const CMyInput fresh;
    std::memcpy(Input()->KeyBindingTable, fresh.KeyBindingTable, sizeof fresh.KeyBindingTable);
    std::memcpy(Input()->PadBindingMatrix, fresh.PadBindingMatrix, sizeof fresh.PadBindingMatrix);
    GetSoundManager()->BgmMasterVolume = 80;
    GetSoundManager()->SeMasterVolume = 80;
  }

  static void StopFade() {
    CEffect* fade = GetScreenEffect();
    fade->FadeValue = fade->FadeTarget = fade->FadeStep = 0;
    fade->FadeRunning = 0;
  }

  // Screen `id` pushed on the stub, the stub the root's only child.
  void PushOverStub(ScreenId id) {
    ASSERT_TRUE(Root()->ChangeChild(StubId));
    ASSERT_TRUE(Stub.PushChild(id));
  }
  // ... and stepped until it takes input.
  void Open(ScreenId id) {
    PushOverStub(id);
    RunUntil([id] { return ScreenFromId(id)->GetPhase() == ScreenActive; });
  }

  // One frame: exactly `keys` down, pad buttons `pad` down, the pointer as
  // given; then the input update and the title state's update.
  void Step(const std::vector<std::uint32_t>& keys = {}, const std::vector<int>& pad = {},
            uitest::Pointer pointer = {}) {
    CMyInput* input = Input();
    const std::set<std::uint32_t> now(keys.begin(), keys.end());
    for (std::uint32_t vk : Held)
      if (!now.count(vk)) input->OnKeyMessage(vk, WM_KEYUP);
    for (std::uint32_t vk : now)
      if (!Held.count(vk)) input->OnKeyMessage(vk, WM_KEYDOWN);
    Held = now;

    std::uint8_t before[PadButtonCount];
    std::memcpy(before, input->PadState.Buttons, sizeof before);
    for (int c = 0; c < PadButtonCount; ++c)
      input->PadState.Buttons[c] = std::find(pad.begin(), pad.end(), c) != pad.end() ? 0x80 : 0;
    input->Update();
    // As a pad read gives it: last frame's buttons beside this frame's.
    std::memcpy(input->PreviousPadState.Buttons, before, sizeof before);

    std::int32_t* p = input->InputHistory[InputRowPointer];
    p[0] = !pointer.Down ? 0 : p[1] == -1 ? -1 : 1;
    input->InputHistory[InputRowPointerX][0] = pointer.X;
    input->InputHistory[InputRowPointerY][0] = pointer.Y;

    ++Game()->FrameCount;
    GetSoundManager()->Update();
    GetStateTitle()->Update();
  }
  // Down for one frame, then up; whether the click sounded in the first.
  bool Press(const std::vector<std::uint32_t>& keys) {
    Step(keys);
    const bool clicked = Played();
    Step();
    return clicked;
  }
  bool PressPad(int button) {
    Step({}, {button});
    const bool clicked = Played();
    Step();
    return clicked;
  }
  bool Click(int x, int y) {
    Step({}, {}, uitest::Pointer{true, x, y});
    const bool clicked = Played();
    Step();
    return clicked;
  }
  // Steps until `done`; the frames it took.
  template <typename Done>
  int RunUntil(Done done, int limit = 200) {
    for (int i = 1; i <= limit; ++i) {
      Step();
      if (done()) return i;
    }
    ADD_FAILURE() << "never happened in " << limit << " frames";
    return -1;
  }

  // The input update has just run: was action `action` (0-18) down?
  static bool ActionDown(int action) { return Input()->InputHistory[InputRowFirstAction + action][0] == 1; }

  // The click started in the frame just stepped.
  static bool Played() { return GetSoundManager()->SeGuard[uitest::ChoiceSound] > 0; }

  TempGameFolder Folder;
  uitest::SoundSpy Sound;
  ParentStub Stub;
  std::set<std::uint32_t> Held;

private:
  SaveBlock SavedBlock;
  std::uint32_t SavedKeys[InputActionCount];
  std::uint8_t SavedPads[PadMatrixRows][PadButtonCount];
  int SavedBgm = 80, SavedSe = 80;
};

inline std::string TextOf(const CWidget& w) { return w.GetText(); }

// The colour of a widget as one number: 255 white, 0 yellow, 64 dim, ...
inline int Blue(const CWidget& w) { return w.GetBlue(); }

}  // namespace configtest
