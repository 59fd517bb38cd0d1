#pragma once
// Frames of input fed straight into the input object's histories, as its
// per-frame update records them, and a sound manager without a device that
// tells which effects started.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "system/WaveImage.h"
#include "ui/InputTrigger.h"

namespace uitest {

struct Pointer {
  bool Down = false;
  int X = 0, Y = 0;
};

inline void ClearInput() {
  CMyInput* input = GetInput();
  std::memset(input->InputHistory, 0, sizeof input->InputHistory);
  input->PressX = input->PressY = input->DragX = input->DragY = 0;
  input->Dragged = 0;
  input->Updated = true;
}

// The input object as a fresh start leaves it: default bindings, no key or
// pad button down, empty histories, the window in front. Only the pointer's
// scale stays, which the renderer sets.
inline void ResetInput() {
  CMyInput* input = GetInput();
  const std::int32_t scale = input->MouseScale;
  *input = CMyInput();
  input->MouseScale = scale;
}

// One frame: every history shifts; `rows` are down, the rest up.
inline void Frame(const std::vector<int>& rows = {}, Pointer pointer = {}) {
  CMyInput* input = GetInput();
  GetSoundManager()->Update();
  for (auto& row : input->InputHistory) std::memmove(&row[1], &row[0], sizeof(row[0]) * (InputHistoryLength - 1));
  for (int row = InputRowFirstAction; row < InputRowPointer; ++row) {
    std::int32_t* h = input->InputHistory[row];
    const bool down = std::find(rows.begin(), rows.end(), row) != rows.end();
    h[0] = !down ? 0 : h[1] == -1 ? -1 : 1;
  }
  std::int32_t* p = input->InputHistory[InputRowPointer];
  p[0] = !pointer.Down ? 0 : p[1] == -1 ? -1 : p[1] == 2 ? 2 : 1;
  input->InputHistory[InputRowPointerX][0] = pointer.X;
  input->InputHistory[InputRowPointerY][0] = pointer.Y;
  input->Updated = true;
  if (p[0] == 1 && p[1] == 0) {
    input->PressX = input->DragX = pointer.X;
    input->PressY = input->DragY = pointer.Y;
    input->Dragged = 0;
  }
}

inline void Frames(int n, const std::vector<int>& rows = {}, Pointer pointer = {}) {
  for (int i = 0; i < n; ++i) Frame(rows, pointer);
}

constexpr SoundEffectId ChoiceSound = 4;

inline ResourceBytes FindChoiceWave(std::uint16_t id) {
  static const std::vector<std::uint8_t> image = MakeWaveImage(WaveShape{}, Samples16(std::vector<std::int16_t>(64, 100)));
  if (id != SoundEffectResourceIds[ChoiceSound]) return {};
  return ResourceBytes{image.data(), image.size()};
}

// The game's sound manager, started without a device on one effect.
class SoundSpy {
public:
  SoundSpy() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    Saved = sound->FindWave;
    sound->FindWave = &FindChoiceWave;
    EXPECT_TRUE(sound->InitWithoutDevice());
  }
  ~SoundSpy() {
    CSoundManager* sound = GetSoundManager();
    sound->Shutdown();
    sound->FindWave = Saved;
  }
  // The choice sound started in the last frame.
  bool ChoiceSoundPlayed() const { return GetSoundManager()->SeGuard[ChoiceSound] > 0; }

private:
  ResourceBytes (*Saved)(std::uint16_t) = nullptr;
};

}  // namespace uitest
