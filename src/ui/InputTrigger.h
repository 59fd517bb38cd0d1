#pragma once
// The press tests that widgets and screens ask of the input histories, and
// the two ways a screen takes away a press it has acted on, so that one
// press acts once.
#include <cstdint>

#include "platform/CMyInput.h"

constexpr int InputRowAttack = InputRowFirstAction + 4;
constexpr int InputRowSelect = InputRowFirstAction + 17;
constexpr int InputRowCancel = InputRowFirstAction + 18;

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

// Every entry -1: the input reads as up until it is released.
void SwallowInput(std::int32_t* history);
// Newest 11 entries 1, the rest -1: still held, but no longer a fresh press.
void ConsumeInputTrigger(std::int32_t* history);
