#include "platform/CSaveData.h"

#include <cstring>

CSaveData::CSaveData() {
  std::memset(&Block, 0, sizeof Block);
  Block.BgmVolume = 80;
  Block.SeVolume = 80;
  Block.AutoAttack = 1;
  Block.Language = 0;
  Block.WindowScale = 2;
}

// The file object arrives with the save files; until then nothing persists.
bool CSaveData::Save(CSaveFile&) { return false; }
bool CSaveData::Load(CSaveFile&) { return false; }
