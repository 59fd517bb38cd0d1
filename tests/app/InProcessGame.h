#pragma once
// The game as its own program would run, in a test binary's process of its
// own (a DISABLED_ helper test that a test starts), so that the helper can
// act as the player's hand from a thread beside it.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/Application.h"

// Ends the game as closing its window does: the test that fed it is gone.
inline void QuitInProcessGame() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

// Runs the game on `folder` under --verbose; the process ends with it.
[[noreturn]] inline void RunInProcessGame(const std::string& folder) {
  std::string dir = folder;
  std::string args[] = {"vorlumen", "--game-dir", dir, "--verbose"};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), nullptr};
  std::fflush(nullptr);
  _exit(RunVorlumen(4, argv));
}
