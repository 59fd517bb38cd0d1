#include "ui/InputActions.h"

#include "platform/CMyInput.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int StraightFrames = 3;

struct MarkerKeys {
  int Vertical, Horizontal;  // history rows; -1 for the straight markers' unused axis
};
// Per marker: the key rows that make it.
constexpr MarkerKeys Keys[CGameInputMain::MarkerCount] = {
    {InputRowUp, InputRowLeft},   {InputRowUp, -1},   {InputRowUp, InputRowRight}, {-1, InputRowLeft},
    {-1, InputRowRight},          {InputRowDown, InputRowLeft}, {InputRowDown, -1}, {InputRowDown, InputRowRight},
};

const std::int32_t* History(int row) { return GetInput()->InputHistory[row]; }

bool StraightRule(int row, int crossA, int crossB) {
  if (!GetInput()->Updated) return false;
  return CMyInput::CountHeldFrames(History(row)) >= StraightFrames && !IsRowHeld(InputRowDiagonalMove) &&
         CMyInput::CountIdleFrames(History(crossA)) >= StraightFrames &&
         CMyInput::CountIdleFrames(History(crossB)) >= StraightFrames;
}

// The keys of the marker's direction, whatever DIRECTION says.
bool KeysAsk(int marker) {
  const MarkerKeys& k = Keys[marker];
  if (k.Vertical >= 0 && k.Horizontal >= 0) return IsRowHeld(k.Vertical) && IsRowHeld(k.Horizontal);
  if (k.Vertical >= 0) return StraightRule(k.Vertical, InputRowLeft, InputRowRight);
  return StraightRule(k.Horizontal, InputRowUp, InputRowDown);
}

}  // namespace

bool IsMoveQuery(const CGameInputMain& screen, int marker) {
  if (screen.IsTouchMove(marker) && !screen.IsTouchPadHeld()) return true;
  return KeysAsk(marker) && !IsRowHeld(InputRowDirection);
}

bool IsTurnQuery(const CGameInputMain& screen, int marker) {
  if (screen.IsTouchTurn(marker) && !screen.IsTouchPadHeld()) return true;
  return KeysAsk(marker) && IsRowHeld(InputRowDirection);
}

bool IsAttackPressed(const CGameInputMain& screen) {
  const CWidget& button = screen.Buttons[CGameInputMain::ButtonAttack];
  return button.IsJustPressed() || button.IsHeldLong() || IsAttackHeld();
}

bool IsSkipTurnPressed(const CGameInputMain& screen) {
  if (screen.Buttons[CGameInputMain::ButtonSkip].IsPressed() && !screen.IsTouchPadHeld()) return true;
  return IsAttackHeld() && IsRowHeld(InputRowDash);
}

bool IsShootPressed(const CGameInputMain& screen) {
  const CWidget& button = screen.Buttons[CGameInputMain::ButtonShoot];
  return button.IsJustPressed() || button.IsHeldLong() || IsShootTriggered();
}

bool IsMenuPressed(const CGameInputMain&) { return IsMenuTriggered(); }
