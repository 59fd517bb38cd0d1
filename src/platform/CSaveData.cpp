#include "platform/CSaveData.h"

#include <bit>
#include <cstring>

#include "platform/CSaveFile.h"

// Files are raw images of the structures, little-endian.
static_assert(std::endian::native == std::endian::little);

CSaveData::CSaveData() {
  std::memset(&Block, 0, sizeof Block);
  Block.BgmVolume = 80;
  Block.SeVolume = 80;
  Block.AutoAttack = 1;
  Block.Language = 0;
  Block.WindowScale = 2;
}

bool CSaveData::Save(CSaveFile& file) { return file.Write(&Block, sizeof Block, nullptr); }

bool CSaveData::Load(CSaveFile& file) {
  // Read aside first: a cut file must not leave a half-new block.
  SaveBlock read;
  if (!file.Read(&read, sizeof read, nullptr)) return false;
  std::memcpy(&Block, &read, sizeof Block);
  return true;
}
