#include "platform/CSoundManager.h"

CSoundManager* GetSoundManager() {
  static CSoundManager manager;
  return &manager;
}
