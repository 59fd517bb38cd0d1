#include "ui/CGameInput.h"

#include <cstdio>

#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"

namespace {

ScreenResolver Resolver = nullptr;

CGameInput* Resolve(ScreenId id) { return Resolver ? Resolver(id) : ScreenFromId(id); }

// The root is never anyone's child.
bool IsRoot(const CGameInput* screen) { return dynamic_cast<const CGameInputController*>(screen) != nullptr; }

// Where the player went, for --verbose.
void SayOpened(ScreenId id) {
  char line[48];
  std::snprintf(line, sizeof line, "Vorlumen: screen %d opened\n", static_cast<int>(id));
  SysDebugOutput(line);
}

}  // namespace

void SetScreenResolver(ScreenResolver resolver) { Resolver = resolver; }

bool CGameInput::ChangeChild(ScreenId id) {
  CGameInput* next = Resolve(id);
  if (!next || IsRoot(next)) return false;
  Child = next;
  next->SetParent(nullptr);
  next->SetChild(nullptr);
  next->Begin();
  SayOpened(id);
  return true;
}

bool CGameInput::PushChild(ScreenId id) {
  CGameInput* next = Resolve(id);
  if (!next || IsRoot(next)) return false;
  CGameInput* last = this;
  for (;;) {
    if (last == next) return false;
    if (!last->Child) break;
    last = last->Child;
  }
  for (const CGameInput* below = Parent; below; below = below->Parent)
    if (below == next) return false;

  last->Child = next;
  next->SetParent(last);
  // A screen dropped from an earlier chain may still name its old child.
  next->SetChild(nullptr);
  next->Begin();
  last->OnCovered();
  SayOpened(id);
  return true;
}
