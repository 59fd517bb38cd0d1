#pragma once
// How the game meets a request to end (SIGINT, SIGTERM) at each stage of
// its life. In play the request becomes a quit event and the game ends as
// on a close, keeping the run. Wherever the game is held up instead (a
// start that waits on the display, an end that waits on a window that is
// gone), it is ended from outside its own code: whatever it started is
// killed and the process exits, so nothing it holds (the one-copy lock, a
// renderer check, a message box) outlives it by more than a second.

enum class SysStage {
  Starting,  // until the main loop runs: start-up stops at its next step and keeps what it read
  Playing,   // the main loop takes the request as a quit; once taken, a slow loop gets the bound once more
  Keeping,   // the run is being written: never cut short
  Ending,    // the run is kept: a request ends the game at once, and so does a clean-up that hangs
  Telling,   // a failed start is shown to the player for as long as they look: a request ends it at once
  Ended,     // about to return from main: everything is kept, a request ends the game at once
};

// From here on SIGINT and SIGTERM are the game's (SDL leaves handlers it
// did not install alone). The stage is Starting.
void SysCatchQuitSignals();
// The stage the game is in; `status` is the exit status should the game be
// ended from outside in it.
void SysEnterStage(SysStage stage, int status = 0);
// Whether a request to end came and is not taken yet: start-up looks
// between its steps. The bound counts from the request, whatever start-up
// is doing; only the writing of the run is never cut short.
bool SysQuitRequested();
// Whether a request to end came since the last call (the main loop's quit).
bool SysTakeQuitRequest();
// Ends the process now with `status`, after its children.
[[noreturn]] void SysEndAtOnce(int status);
