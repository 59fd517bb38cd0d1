#pragma once

// Sound effects and music.
class CSoundManager {
public:
  virtual ~CSoundManager() = default;
  bool Init() { return false; }
  void Update() {}
  void StopAllBgm() {}
  void Shutdown() {}
};

CSoundManager* GetSoundManager();
