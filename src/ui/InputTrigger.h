#pragma once
// The press tests that widgets and screens ask of the input histories, and
// the two ways a screen takes away a press it has acted on, so that one
// press acts once.
#include <cstdint>

#include "platform/CMyInput.h"

// The bindable actions; an action's history is row InputRowFirstAction +
// its number, and actions 4-18 bind pad buttons in matrix row number - 4.
enum InputAction : int {
  InputActionUp = 0,
  InputActionDown = 1,
  InputActionLeft = 2,
  InputActionRight = 3,
  InputActionAttack = 4,
  InputActionDash = 5,
  InputActionMenu = 6,
  InputActionDirection = 7,
  InputActionShoot = 8,
  InputActionDiagonalMove = 9,
  InputActionMap = 10,
  InputActionPageLeft = 13,
  InputActionPageRight = 14,
  InputActionSelect = 17,
  InputActionCancel = 18,
};

constexpr int InputRowAttack = InputRowFirstAction + InputActionAttack;
constexpr int InputRowDash = InputRowFirstAction + InputActionDash;
constexpr int InputRowMenu = InputRowFirstAction + InputActionMenu;
constexpr int InputRowDirection = InputRowFirstAction + InputActionDirection;
constexpr int InputRowShoot = InputRowFirstAction + InputActionShoot;
constexpr int InputRowDiagonalMove = InputRowFirstAction + InputActionDiagonalMove;
constexpr int InputRowMap = InputRowFirstAction + InputActionMap;
constexpr int InputRowPageLeft = InputRowFirstAction + InputActionPageLeft;
constexpr int InputRowPageRight = InputRowFirstAction + InputActionPageRight;
constexpr int InputRowSelect = InputRowFirstAction + InputActionSelect;
constexpr int InputRowCancel = InputRowFirstAction + InputActionCancel;

// A down entry among the newest 11 with an up entry behind it before any
// consumed mark. Does not look at whether input is live.
bool HasPressEdge(const std::int32_t* history);
// The newest entry is down and input is live.
bool IsInputHeld(const std::int32_t* history);

bool IsPointerTriggered();
bool IsAttackTriggered();
bool IsAttackHeld();
bool IsSelectTriggered();
bool IsCancelTriggered();
bool IsMenuTriggered();
bool IsShootTriggered();
bool IsPageLeftTriggered();
bool IsPageRightTriggered();
bool IsSelectHeld();
bool IsCancelHeld();
// The history row of `row` is held (IsInputHeld on it).
bool IsRowHeld(int row);

// A pointer press of 1 becomes 2: handled, it starts nothing else.
void ConsumePointerPress();

// Every entry -1: the input reads as up until it is released.
void SwallowInput(std::int32_t* history);
// Newest 11 entries 1, the rest -1: still held, but no longer a fresh press.
void ConsumeInputTrigger(std::int32_t* history);

// The lowest pad button (0-9) bound to the action, -1 when none is.
int GetPadButtonForAttack();
int GetPadButtonForDash();
int GetPadButtonForMenu();
int GetPadButtonForDirection();
int GetPadButtonForShoot();
int GetPadButtonForDiagonalMove();
int GetPadButtonForMap();
int GetPadButtonForSelect();
int GetPadButtonForCancel();
