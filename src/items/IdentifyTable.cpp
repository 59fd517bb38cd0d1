#include "items/IdentifyTable.h"

#include <cstring>

#include "platform/CSaveFile.h"

std::uint8_t IdentifyTable[IdentifyTableSize] = {};

bool LoadIdentifyTable(CSaveFile& file) {
  std::uint8_t read[IdentifyTableSize];
  if (!file.Read(read, sizeof read, nullptr)) return false;
  std::memcpy(IdentifyTable, read, sizeof IdentifyTable);
  return true;
}
