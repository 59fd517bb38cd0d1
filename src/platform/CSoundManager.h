#pragma once

// Sound effects and music.
class CSoundManager {
public:
  virtual ~CSoundManager() = default;
  bool Init() { return false; }
  void Update() {}
  bool StopAllBgm() { return true; }
  bool SetBgmVolume(int percent) {
    BgmMasterVolume = percent;
    return true;
  }
  void Shutdown() {}

  int BgmMasterVolume = 80;
  int SeMasterVolume = 80;
};

CSoundManager* GetSoundManager();
