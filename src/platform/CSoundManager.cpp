#include "platform/CSoundManager.h"

#include <cstdlib>

// The manager is shut down at exit but its storage is never destroyed: the
// game object, built before it, stops the music in its own destructor after
// the shutdown has run, and must still reach a valid (silent) manager.
CSoundManager* GetSoundManager() {
  static CSoundManager* manager = [] {
    CSoundManager* made = new CSoundManager();
    std::atexit([] { GetSoundManager()->Shutdown(); });
    return made;
  }();
  return manager;
}
