#pragma once
// The protocol every screen shares. Screens form one chain from the root
// controller outward, each holding at most one child on top of it; only the
// last screen takes input, and the chain draws from the root outward.
#include <cstdint>

using ScreenId = std::int32_t;

// A screen's step; 7 and up belong to the single classes.
enum ScreenPhase : std::int32_t {
  ScreenClosed = 0,    // handed back; a parent waiting in 6 watches for it
  ScreenOpening = 1,
  ScreenActive = 2,
  ScreenClosing = 3,
  ScreenPaused = 4,    // covered: the pop-ups and a few screens
  ScreenCovered = 5,   // covered: the other screens
  ScreenResuming = 6,  // back to 2 once the child reports 0
};

class CGameInput {
public:
  CGameInput() = default;
  virtual ~CGameInput() = default;
  CGameInput(const CGameInput&) = delete;
  CGameInput& operator=(const CGameInput&) = delete;

  // Makes screen `id` this screen's only child and begins it. Refused (false)
  // for an id without a screen and for the root itself.
  bool ChangeChild(ScreenId id);
  // Appends screen `id` after the last screen of the chain, begins it and
  // tells the screen it covers. Refused (false) for an id without a screen
  // and for a screen already in the chain, which would close it into a loop.
  bool PushChild(ScreenId id);

  virtual void Begin() {}
  virtual void Close() {}
  virtual void OnCovered() {}
  virtual void OnChildClosed() {}
  int GetPhase() const { return Phase; }
  void SetParent(CGameInput* parent) { Parent = parent; }
  void SetChild(CGameInput* child) { Child = child; }
  virtual void BuildLayout() {}
  // Every screen replaces at least one of these two: each calls the other.
  virtual void DrawLayer(int layer) {
    if (layer == 0) Draw();
  }
  virtual void Draw() { DrawLayer(0); }
  virtual void Update() {}
  virtual void UpdateWidgets() {}

  CGameInput* GetChild() const { return Child; }
  CGameInput* GetParent() const { return Parent; }
  // The stage-start state steps the floor banner by writing its phase.
  void SetPhase(int phase) { Phase = phase; }

protected:
  CGameInput* Child = nullptr;
  CGameInput* Parent = nullptr;
  std::int32_t Phase = ScreenClosed;
};

// The static screen object of an id, made on first use; null for ids
// without a screen.
CGameInput* ScreenFromId(ScreenId id);

// A random one of the eight directions (Direction bits).
std::int32_t RandomDirection();

// Where the chain operations look screens up; ScreenFromId unless replaced.
// Null puts ScreenFromId back.
using ScreenResolver = CGameInput* (*)(ScreenId id);
void SetScreenResolver(ScreenResolver resolver);
