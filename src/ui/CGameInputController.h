#pragma once
#include <cstdint>

using ScreenId = std::int32_t;

// The root of the screen chain.
class CGameInputController {
public:
  virtual ~CGameInputController() = default;
  void BuildLayout() {}
  void ChangeChild(ScreenId id) { ChildId = id; }
  void PushChild(ScreenId) {}
  void Update() {}
  void Draw() {}
  void DrawLayer(int) {}
  ScreenId GetChildId() const { return ChildId; }

private:
  ScreenId ChildId = -1;
};

CGameInputController* GetGameInputController();
