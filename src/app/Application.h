#pragma once
#include <cstdint>

struct SysEvent;

// The cursor's last position in client pixels, from mouse-move events.
extern std::uint32_t MouseClientX;
extern std::uint32_t MouseClientY;

// The whole program: one copy per game folder, the window, the platform
// start-up, the main loop and the exit sequence. Returns the exit status:
// 0 after a normal quit or when another copy runs, 1 when the graphics
// cannot start. "--help" and "--version" print and return 0 at once;
// "--verbose" lets the debug lines through to standard error; an option it
// does not know prints the usage on standard error and returns 2.
int RunVorlumen(int argc, char** argv);

// Platform start-up, the loop and the exit sequence; false when the graphics
// could not start (the caller shows the failure message).
bool RunApplication();

// The input object's share of a key or focus event (its key state, its
// presses); the program hands it over as SDL makes the event.
void HandInputEvent(const SysEvent& event);

// Hands one event of the main loop to the game, the input object's share
// only where it did not have it already. False when it was a system
// key: such a pass runs no frame and makes no wait.
bool DispatchEvent(const SysEvent& event);
